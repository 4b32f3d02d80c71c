#pragma once
// A data directory of its own for a fuzz target: created once per process,
// filled with the medium's files, with DRALUN_DATA_DIR pointing at it.
#include <cstddef>
#include <cstdint>
#include <string>

namespace dralun::fuzz {

// The directory (with a trailing separator); the first call creates it.
const std::string& DataDir();
// Writes a file of the data directory from the fuzzer's bytes.
void WriteFile(const std::string& name, const uint8_t* data, size_t size);
// Copies a file of the installation medium into the data directory.
void CopyFromMedium(const std::string& name);

} // namespace dralun::fuzz
