#pragma once
// The data directory: the one place where the calculators find their tables
// and write their reports. C:\Dralun\ on Windows, ~/Dralun/ elsewhere; the
// environment variable DRALUN_DATA_DIR overrides both. File names inside it
// are matched without regard to letter case, because the program and the
// installation medium spell the same files differently.
#include <filesystem>
#include <string>

#include "core/FileAccess.h"

namespace dralun {

class CDataDirectory {
public:
    // The directory with a trailing separator, as the program shows it.
    static std::string Path();
    // The full path of a file in the data directory; an existing file whose
    // name differs only in letter case is preferred over a new one.
    static std::filesystem::path File(const std::string& name);
    // A file as the user names it in a "Datei" field: a name without a
    // folder part is a file of the data directory (wherever the program was
    // started), a path with a folder part is taken as given; in both the
    // letter case of the name need not match (see Resolve).
    static std::filesystem::path UserFile(const std::string& typed);
    // Any path: if it does not exist as spelled, a file in the same directory
    // whose name differs only in letter case is taken.
    static std::filesystem::path Resolve(const std::filesystem::path& path);

    // Open a file of the data directory; nullptr when that is not possible.
    // Reading ("r", "rb") opens only a regular file of at most
    // kLargestDataFile bytes; writing ("w", "wb") only a regular file, and
    // text mode writes CR LF line ends on Windows, LF elsewhere.
    static CFile Open(const std::string& name, const char* mode);
    static CFile OpenPath(const std::filesystem::path& path, const char* mode);
    // The same for reading, with the reason when the file cannot be read.
    static ReadableFile Read(const std::string& name);
    static ReadableFile ReadPath(const std::filesystem::path& path);
};

// While one of these lives on the current thread, every file the data
// directory opens for writing is the null device: the code that writes a
// report or a check file runs as always, but the real files stay as they
// are (a copy of a form computing rows of a table). Reading is unchanged.
class CDiscardWrites {
public:
    CDiscardWrites();
    ~CDiscardWrites();
    CDiscardWrites(const CDiscardWrites&) = delete;
    CDiscardWrites& operator=(const CDiscardWrites&) = delete;
    // Whether writes go nowhere now, on this thread.
    static bool Active();
};

} // namespace dralun
