#pragma once
// A data file a calculation read, as the project file keeps it: name and
// SHA-256, and for a rainfall series a copy of its bytes. A copy that is
// UTF-8 is kept as text, readable in the file ("content"); any other bytes
// (a series saved in Latin-1) in Base64 ("contentBase64").
#include <string>
#include <string_view>

#include "project/Calculation.h"
#include "project/Project.h"

namespace dralun {

ProjectJsonValue KeptFileJson(const KeptDataFile& file);

// Reads the copy of the file's bytes, if the entry has one, into
// file.content. "" when it reads (or there is none); else why not, in
// German: the copy is no text, too large, no Base64, or not the bytes its
// SHA-256 names.
std::string ReadKeptContent(const ProjectJsonValue& entry, KeptDataFile& file);

std::string Base64Encode(std::string_view bytes);
// False for text that is no Base64 (padding only at the end; no blanks).
bool Base64Decode(std::string_view text, std::string* bytes);

} // namespace dralun
