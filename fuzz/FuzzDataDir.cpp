#include "FuzzDataDir.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "core/CDataDirectory.h"

namespace dralun::fuzz {

namespace {
void RemoveDataDir() { std::filesystem::remove_all(DataDir()); }
} // namespace

const std::string& DataDir()
{
    // Kept for the whole process (the clean-up at exit still needs it); in
    // memory where the system offers it, since every run writes the files.
    static const std::string& dir = *new std::string([] {
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm") ? std::filesystem::path("/dev/shm")
                                                      : std::filesystem::temp_directory_path();
        const auto path = base / ("dralun-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
        setenv("DRALUN_DATA_DIR", path.c_str(), 1);
        return path.string() + "/";
    }());
    static const bool registered = (std::atexit(RemoveDataDir), true);
    (void)registered;
    return dir;
}

void WriteFile(const std::string& name, const uint8_t* data, size_t size)
{
    std::FILE* f = std::fopen((DataDir() + name).c_str(), "wb");
    if (!f)
        std::abort();
    if (size)
        std::fwrite(data, 1, size, f);
    std::fclose(f);
}

void CopyFromMedium(const std::string& name)
{
    // The medium spells some names in other letter case than the program.
    const auto source = CDataDirectory::Resolve(std::filesystem::path(DRALUN_MEDIUM_DIR) / name);
    std::filesystem::copy_file(source, CDataDirectory::Resolve(DataDir() + source.filename().string()),
                               std::filesystem::copy_options::overwrite_existing);
}

} // namespace dralun::fuzz
