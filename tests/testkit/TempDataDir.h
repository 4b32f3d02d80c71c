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
    // The directory as the program names it, with its trailing separator.
    std::string Named() const;
    // A name in UTF-8, umlauts and all, on every system.
    std::filesystem::path File(const std::string& name) const;
    void Write(const std::string& name, const std::string& content) const;
    std::string Read(const std::string& name) const;
    // A report or dump file the program wrote, its lines ended by "\n". On
    // Windows every line must end in CR LF (a line end without its CR fails
    // the test), and the CRs are taken off.
    std::string ReadText(const std::string& name) const;
    bool Exists(const std::string& name) const;
    // Copies a file of the installation medium into the directory.
    void CopyFromMedium(const std::string& name) const;
    // Copies every file of the installation medium into the directory.
    void CopyWholeMedium() const;

private:
    std::filesystem::path m_path;
    std::string m_previous;
    bool m_hadPrevious = false;
};

std::filesystem::path MediumDir();
// How a report or dump file ends its lines: CR LF on Windows, LF elsewhere.
#ifdef _WIN32
inline constexpr const char* kLineEnd = "\r\n";
#else
inline constexpr const char* kLineEnd = "\n";
#endif
std::string ReadFile(const std::filesystem::path& path);

} // namespace dralun::test
