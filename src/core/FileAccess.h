#pragma once
// Opening the files of the data directory so that no name can stall or
// flood the program: a table is read only from a regular file no larger
// than any sound table can be, and a report is written only into a regular
// file. A FIFO, a device (a link to /dev/zero), a directory or a huge file
// is refused at once, with the reason in German for the message that names
// the file. POSIX opens without blocking and checks the type of what it
// opened; Windows asks the type of the handle it opened (GetFileType). The
// two live in PlatformPosix.cpp and PlatformWindows.cpp.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace dralun {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using CFile = std::unique_ptr<std::FILE, FileCloser>;

// The largest data file the program reads: 1 MiB. The largest sound table
// (100 rows of the part-filling table, the 29 lines of a rainfall series, an
// inlet table of 1397 bytes) holds a few kilobytes; a file a thousand times
// that size is not a table.
inline constexpr std::uintmax_t kLargestDataFile = 1u << 20;

enum class FileProblem {
    None,
    Missing,    // no file of that name
    NotRegular, // a directory, FIFO, device or socket
    TooLarge,   // more than the bound
    Unreadable, // there, but it cannot be opened or read (permissions, I/O)
};

struct ReadableFile {
    CFile file;
    FileProblem problem = FileProblem::None;
    std::uintmax_t size = 0;    // of a regular file
    std::uintmax_t largest = 0; // the bound it was opened with
    std::string kind;           // what a non-regular name is: "ein Verzeichnis", ...
    int error = 0;              // errno of an unreadable file
    explicit operator bool() const { return file != nullptr; }
};

// Opens a regular file for binary reading (table readers take CR LF as one
// line end themselves).
ReadableFile OpenForReading(const std::filesystem::path& path, std::uintmax_t largest = kLargestDataFile);

// Why a file could not be read, as the end of a German sentence that begins
// with the file's name: "ist ein Verzeichnis und keine Datei.",
// "ist mit 1073741824 Bytes zu groß (eine Datendatei hat höchstens
// 1048576 Bytes).", "fehlt.", "kann nicht gelesen werden (Zugriff verweigert)."
// Empty when there is no problem.
std::string ProblemText(const ReadableFile& file);

// What is left of an opened file, read to its end; nothing when it cannot be
// read (an I/O error) or holds more than `largest` bytes.
std::optional<std::string> ReadRest(std::FILE* file, std::uintmax_t largest = kLargestDataFile);

// Opens a regular file for writing, created or truncated (or, appending,
// created or kept with every write going to its end); text mode writes CR LF
// line ends on Windows. A name that is a FIFO, a device or a directory is
// not opened (nullptr), and opening never waits for a reader.
CFile OpenForWriting(const std::filesystem::path& path, bool text, bool append = false);

// The German reason for an errno value ("Zugriff verweigert").
std::string ErrorText(int error);

} // namespace dralun
