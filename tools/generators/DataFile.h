#pragma once
// A file of the installation medium as a generator makes it, and the writing
// of a generator's files into a folder.
#include <string>
#include <vector>

namespace dralun::gen {

struct DataFile {
    std::string name;  // as the installer copies it
    std::string bytes; // the whole content, byte for byte
};

// The main of a generator: writes the files into the folder named by the
// first argument (default medium/Dralun), byte for byte, and lists them.
// Returns the exit status (1 when a file could not be written).
int WriteDataFiles(int argc, char** argv, const char* program, const std::vector<DataFile>& files);

} // namespace dralun::gen
