#pragma once
// The head of a rainfall file as the report prints it beside the file's
// name and digest: the lines above the table say what the series is (a
// synthetic series, "keine Messreihe"; an atlas, its cell and the tolerance
// an import added). The head is taken from the very bytes the computation
// read (a project's kept copy where that was read), never from the disk.
#include <string>
#include <vector>

#include "core/CalcSteps.h"

namespace dralun {

// The lines before the table: from the first line on, up to the first empty
// line or one that begins with a blank (the table's column head), at most
// nine. Each as UTF-8 (a line that is not is read as Latin-1), its CR taken
// off, control characters as blanks, at most 128 characters. None for a
// file whose bytes the report does not have (the program's own tables).
std::vector<std::string> DataFileHead(const DataFileUse& file);

inline constexpr const char* kDataFileHeadTitle = "Dateikopf:";

} // namespace dralun
