#pragma once
// Reading the text tables of the data directory line by line: a fixed line
// buffer, and columns that only the blank separates.
#include <cstdio>
#include <string>
#include <string_view>

namespace dralun {

// Size of the line buffer of the table readers: a line of up to 79
// characters with its line end.
inline constexpr int kTableLineBuffer = 80;

// Reads one line as fgets does with a buffer of `size` bytes: at most
// size - 1 characters, up to and including the line end, then a NUL; the
// rest of a longer line is what the next call reads. CR LF is taken as the
// one line end "\n", as the text mode of the Windows runtime reads it, so a
// table reads alike whatever line ends it was saved with; a CR alone stays.
// Returns false at the end of the file (nothing read).
bool ReadTableLine(std::FILE* file, char* buffer, int size);
// The same from bytes in memory; `text` keeps what is left to read.
bool ReadTableLine(std::string_view& text, char* buffer, int size);

// Column n (from 1) of a line: columns are runs of characters other than the
// blank, separated by one or more blanks (a tab is an ordinary character).
// A column ends at a blank, at LF or CR, or at the end of the text; leading
// blanks are skipped. A line with fewer than n columns gives "".
std::string TableColumn(const char* line, int n);

} // namespace dralun
