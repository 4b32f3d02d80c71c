// gen-pipe-tables [FOLDER]: writes DN.ASC, A110KR.ASC, A110MA.ASC and
// A110EI.ASC into FOLDER (default medium/Dralun). The files are written byte
// for byte (LF line ends) so that they are the same from every platform; the
// program reads LF and CR LF alike.
#include <cstdio>
#include <filesystem>
#include <string>

#include "generators/PipeTables.h"

int main(int argc, char** argv)
{
    const std::filesystem::path folder = argc > 1 ? argv[1] : "medium/Dralun";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    int status = 0;
    for (const dralun::gen::DataFile& file : dralun::gen::PipeDataFiles()) {
        const std::filesystem::path path = folder / file.name;
        std::FILE* out = std::fopen(path.string().c_str(), "wb");
        if (!out || std::fwrite(file.text.data(), 1, file.text.size(), out) != file.text.size()) {
            std::fprintf(stderr, "gen-pipe-tables: %s kann nicht geschrieben werden\n", path.string().c_str());
            status = 1;
        } else {
            std::printf("%s\n", path.string().c_str());
        }
        if (out && std::fclose(out) != 0)
            status = 1;
    }
    return status;
}
