#include "testkit/HostileFiles.h"

#include <fstream>
#include <stdexcept>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace dralun::test {

void MakeHostile(const std::filesystem::path& path, Hostile kind)
{
    switch (kind) {
#ifndef _WIN32
    case Hostile::Fifo:
        if (::mkfifo(path.c_str(), 0644) != 0)
            throw std::runtime_error("mkfifo " + path.string());
        return;
    case Hostile::DevZero:
        std::filesystem::create_symlink("/dev/zero", path);
        return;
#else
    case Hostile::Fifo:
    case Hostile::DevZero:
        throw std::runtime_error("no FIFO nor /dev/zero on Windows");
#endif
    case Hostile::Directory:
        std::filesystem::create_directory(path);
        return;
    case Hostile::Huge: {
        std::ofstream out(path, std::ios::binary);
        out.seekp((2 << 20) - 1);
        out.put('\0');
        if (!out)
            throw std::runtime_error("large file " + path.string());
        return;
    }
    }
}

std::string HostileName(Hostile kind)
{
    switch (kind) {
    case Hostile::Fifo: return "Fifo";
    case Hostile::DevZero: return "DevZero";
    case Hostile::Directory: return "Directory";
    case Hostile::Huge: return "Huge";
    }
    return {};
}

std::vector<Hostile> AllHostile()
{
#ifdef _WIN32
    return {Hostile::Directory, Hostile::Huge}; // Windows has neither FIFOs in a folder nor /dev/zero
#else
    return {Hostile::Fifo, Hostile::DevZero, Hostile::Directory, Hostile::Huge};
#endif
}

#ifdef _WIN32
TimeLimit::TimeLimit(unsigned) {} // ctest's time limit stands in
TimeLimit::~TimeLimit() = default;
#else
TimeLimit::TimeLimit(unsigned seconds) { ::alarm(seconds); }
TimeLimit::~TimeLimit() { ::alarm(0); }
#endif

} // namespace dralun::test
