#include "generators/DataFile.h"

#include <cstdio>
#include <filesystem>

namespace dralun::gen {

int WriteDataFiles(int argc, char** argv, const char* program, const std::vector<DataFile>& files)
{
    const std::filesystem::path folder = argc > 1 ? argv[1] : "medium/Dralun";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    int status = 0;
    for (const DataFile& file : files) {
        const std::filesystem::path path = folder / file.name;
        std::FILE* out = std::fopen(path.string().c_str(), "wb");
        bool ok = out && std::fwrite(file.bytes.data(), 1, file.bytes.size(), out) == file.bytes.size();
        if (out && std::fclose(out) != 0)
            ok = false;
        if (ok) {
            std::printf("%s\n", path.string().c_str());
        } else {
            std::fprintf(stderr, "%s: %s kann nicht geschrieben werden\n", program, path.string().c_str());
            status = 1;
        }
    }
    return status;
}

} // namespace dralun::gen
