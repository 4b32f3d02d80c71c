#pragma once
// What differs between POSIX and Windows, in one place: file names as the
// system takes them (UTF-8 here, UTF-16 on Windows), the environment, the
// home and data directories, the clock's calendar, and the null device.
// Opening data files (FileAccess.h) and replacing a file whole
// (ReplaceFile.h) are implemented beside this, in PlatformPosix.cpp and
// PlatformWindows.cpp.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dralun::platform {

// A file name in the program's own text (UTF-8) as the system's path, and
// back. On Windows the path holds UTF-16, so a name with umlauts reaches
// the wide-character calls whole instead of through the ANSI code page.
std::filesystem::path PathOf(const std::string& utf8);
std::string TextOf(const std::filesystem::path& path);

// The program's arguments after its name, in UTF-8 (Windows hands them
// over as UTF-16 and main's argv in the ANSI code page).
std::vector<std::string> Arguments(int argc, char** argv);

// No message box of the system or of the C library may stop a program
// that failed: a crash or abort ends it with its status, and a program that
// runs without a window or a user (a script, CI) never waits for a click.
// Called first in every main(). Nothing to do on POSIX.
void NoErrorBoxes();

// A window program started from a console writes its text output (--help,
// --yes) there: Windows gives a window program no console of its own, so
// it takes its parent's, when there is one. Nothing to do on POSIX.
void UseParentConsole();

// The program file that runs ("" when it cannot be told).
std::filesystem::path ProgramPath();

// An environment variable in UTF-8; none when it is unset or empty.
std::optional<std::string> Environment(const char* name);

// The user's home directory ("" when none is known).
std::string HomeDirectory();

// The data directory when DRALUN_DATA_DIR does not name one, with its
// trailing separator: C:\Dralun\ on Windows, ~/Dralun/ elsewhere.
std::string DefaultDataDirectory();

// Whether the file system finds a name whatever its letter case (Windows):
// then a name that exists may still be spelled otherwise on the disk.
#ifdef _WIN32
inline constexpr bool kNamesIgnoreCase = true;
#else
inline constexpr bool kNamesIgnoreCase = false;
#endif

// The device that swallows what is written to it.
const char* NullDevice();

// The calendar time of a moment, local and UTC.
std::tm LocalTime(std::time_t moment);
std::tm UtcTime(std::time_t moment);

// An exclusive advisory lock on the file (made when missing; a link in its
// place is not followed), without waiting: the handle, or -1 with error set
// (EWOULDBLOCK: another holds it). FileLock.h waits and releases.
std::intptr_t TryLockFile(const std::filesystem::path& path, int* error);
void UnlockFile(std::intptr_t handle);

// How many names (hard links) the file has: 0 when it is not there or
// cannot be asked, 1 for a file of one name.
std::uintmax_t HardLinkCount(const std::filesystem::path& path);

} // namespace dralun::platform
