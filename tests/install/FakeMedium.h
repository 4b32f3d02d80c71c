#pragma once
// A medium folder with all files of the copy list, each with its own
// content; one of them 10000 bytes long.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "install/CInstallCopy.h"

namespace dralun::test {

class FakeMedium {
public:
    FakeMedium()
    {
        m_path = std::filesystem::temp_directory_path() / ("dralun-medium-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(m_path);
        for (const auto& item : install::CopyList())
            Write(item.source, Content(item.source));
    }
    ~FakeMedium() { std::filesystem::remove_all(m_path); }
    const std::filesystem::path& Path() const { return m_path; }
    void Write(const std::string& name, const std::string& content) const
    {
        std::ofstream(m_path / name, std::ios::binary) << content;
    }
    static std::string Content(const std::string& name)
    {
        if (name == "R3943MI.txt") {
            std::string big;
            for (int i = 0; big.size() < 10000; ++i)
                big += static_cast<char>(i % 251); // every byte value, CR and LF included
            big.resize(10000);
            return big;
        }
        return "Inhalt von " + name + "\r\n\x1a\x00 Ende";
    }

private:
    std::filesystem::path m_path;
};

} // namespace dralun::test
