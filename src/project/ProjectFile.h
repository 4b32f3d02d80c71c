#pragma once
// The project file (.dralun): one JSON object in UTF-8,
//   {"format": "Dralun-Projekt", "version": 1, "program": "Dralun 1.00",
//    "calculations": [ {...}, ... ]}
// Reading refuses, with the reason in German, what is not such a file: no
// JSON, another format mark, a newer version, duplicate keys, nesting deeper
// than a project has, a file too large for one. An empty file (what earlier
// versions saved) is an empty project. Saving is atomic: a temporary file
// in the same folder, flushed to disk, then renamed over the old one (a
// link written through, the mode kept, a file this user may not write
// refused: ReplaceFile.h). Whoever changes a project takes its lock, the
// file "NAME.lock" beside it, for the whole read-modify-write, so that a
// script adding calculations and the window saving lose nothing of each
// other's.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/FileLock.h"
#include "project/Project.h"

namespace dralun {

inline constexpr const char* kProjectFormat = "Dralun-Projekt";
inline constexpr int kProjectVersion = 1;
// A project of a thousand calculations holds a few megabytes.
inline constexpr std::uintmax_t kLargestProjectFile = 64u << 20;

struct ProjectRead {
    bool ok = false;
    std::string error; // why the file is not a project, in German
    Project project;   // not modified
};

ProjectRead ReadProject(std::string_view bytes);
// The file; error names it.
ProjectRead LoadProjectFile(const std::filesystem::path& path);

// The project as the file holds it (UTF-8, a newline at the end).
std::string ProjectText(const Project& project);
// false with a German reason when the file could not be written; then the
// old file is as it was. Takes the project's lock while it writes.
bool SaveProjectFile(const std::filesystem::path& path, const Project& project, std::string* error);

// How long a program waits for another's save of the same project.
inline constexpr std::chrono::seconds kProjectLockPatience{15};

// The longest file name the systems take, in bytes of UTF-8.
inline constexpr std::size_t kLongestFileName = 255;
// The lock file of a project file (its link's target): "NAME.lock" beside
// it; for a name too long for that its first part, "-" and 16 hexadecimal
// digits of its hash.
std::filesystem::path ProjectLockFile(const std::filesystem::path& target);

// The lock of the project file (of the link's target for a link); empty,
// with a German reason, when another program held it the whole patience,
// the lock file cannot be made (the reason names it), or the file has
// several names (hard links): each would take a lock of its own, and a
// save would part them.
FileLock LockProjectFile(const std::filesystem::path& path, std::string* error);
// SaveProjectFile with the lock held already (LockProjectFile). Removes the
// temporary files of saves interrupted long ago from the folder.
bool WriteProjectFile(const std::filesystem::path& path, const Project& project, std::string* error);

// What a project file holds, in brief: whether it is there, its size and a
// hash of its bytes. The window keeps it from opening or saving to tell,
// before it saves, whether another program changed the file meanwhile.
struct ProjectStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::size_t hash = 0;
    bool operator==(const ProjectStamp&) const = default;
};
ProjectStamp StampOf(std::string_view bytes);
// Of the file (not there: exists false; unreadable: a stamp of no content).
ProjectStamp StampOfProjectFile(const std::filesystem::path& path);

} // namespace dralun
