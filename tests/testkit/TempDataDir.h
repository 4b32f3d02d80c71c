#pragma once
// A fresh data directory for one test: DRALUN_DATA_DIR points at it while
// the object lives; it is removed afterwards.
#include <filesystem>
#include <string>

namespace dralun::test {

class TempDataDir {
public:
    TempDataDir();
    ~TempDataDir();
    TempDataDir(const TempDataDir&) = delete;
    TempDataDir& operator=(const TempDataDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path File(const std::string& name) const { return m_path / name; }
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Copies a file of the installation medium into the directory.
    void CopyFromMedium(const std::string& name) const;

private:
    std::filesystem::path m_path;
    std::string m_previous;
    bool m_hadPrevious = false;
};

std::filesystem::path MediumDir();
std::string ReadFile(const std::filesystem::path& path);

} // namespace dralun::test
