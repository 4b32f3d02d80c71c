#include "testkit/TempDataDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "core/Platform.h"

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

std::filesystem::path TempDataDir::File(const std::string& name) const { return m_path / platform::PathOf(name); }

std::string TempDataDir::Named() const
{
    return m_path.string() + static_cast<char>(std::filesystem::path::preferred_separator);
}

std::string TempDataDir::ReadText(const std::string& name) const
{
    const std::string raw = Read(name);
#ifdef _WIN32
    std::string text;
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n')
            continue;
        if (raw[i] == '\n' && (i == 0 || raw[i - 1] != '\r'))
            ADD_FAILURE() << name << ": Zeilenende ohne CR bei Byte " << i;
        text += raw[i];
    }
    return text;
#else
    return raw;
#endif
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

void TempDataDir::CopyWholeMedium() const
{
    for (const auto& entry : std::filesystem::directory_iterator(MediumDir()))
        CopyFromMedium(entry.path().filename().string());
}

} // namespace dralun::test
