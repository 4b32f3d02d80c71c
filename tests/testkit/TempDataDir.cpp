#include "testkit/TempDataDir.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

namespace dralun::test {

TempDataDir::TempDataDir()
{
    std::random_device rd;
    const auto base = std::filesystem::temp_directory_path();
    do {
        m_path = base / ("dralun-test-" + std::to_string(rd()));
    } while (std::filesystem::exists(m_path));
    std::filesystem::create_directories(m_path);
    if (const char* prev = std::getenv("DRALUN_DATA_DIR")) {
        m_previous = prev;
        m_hadPrevious = true;
    }
    setenv("DRALUN_DATA_DIR", m_path.string().c_str(), 1);
}

TempDataDir::~TempDataDir()
{
    if (m_hadPrevious)
        setenv("DRALUN_DATA_DIR", m_previous.c_str(), 1);
    else
        unsetenv("DRALUN_DATA_DIR");
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void TempDataDir::Write(const std::string& name, const std::string& content) const
{
    std::ofstream out(File(name), std::ios::binary);
    out << content;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string TempDataDir::Read(const std::string& name) const { return ReadFile(File(name)); }

bool TempDataDir::Exists(const std::string& name) const { return std::filesystem::exists(File(name)); }

std::filesystem::path MediumDir()
{
    if (const char* dir = std::getenv("DRALUN_MEDIUM_DIR"))
        return dir;
    return DRALUN_MEDIUM_DIR;
}

void TempDataDir::CopyFromMedium(const std::string& name) const
{
    std::filesystem::copy_file(MediumDir() / name, File(name), std::filesystem::copy_options::overwrite_existing);
}

} // namespace dralun::test
