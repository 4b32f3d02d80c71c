#pragma once
// The project file (.dralun): one JSON object in UTF-8,
//   {"format": "Dralun-Projekt", "version": 1, "program": "Dralun 1.00",
//    "calculations": [ {...}, ... ]}
// Reading refuses, with the reason in German, what is not such a file: no
// JSON, another format mark, a newer version, duplicate keys, nesting deeper
// than a project has, a file too large for one. An empty file (what earlier
// versions saved) is an empty project. Saving is atomic: a temporary file
// in the same folder, flushed to disk, then renamed over the old one.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

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
// old file is as it was.
bool SaveProjectFile(const std::filesystem::path& path, const Project& project, std::string* error);

} // namespace dralun
