#include "testkit/HostileFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <stdexcept>

namespace dralun::test {

void MakeHostile(const std::filesystem::path& path, Hostile kind)
{
    switch (kind) {
    case Hostile::Fifo:
        if (::mkfifo(path.c_str(), 0644) != 0)
            throw std::runtime_error("mkfifo " + path.string());
        return;
    case Hostile::DevZero:
        std::filesystem::create_symlink("/dev/zero", path);
        return;
    case Hostile::Directory:
        std::filesystem::create_directory(path);
        return;
    case Hostile::Huge: {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 || ::ftruncate(fd, 2 << 20) != 0)
            throw std::runtime_error("sparse file " + path.string());
        ::close(fd);
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

std::vector<Hostile> AllHostile() { return {Hostile::Fifo, Hostile::DevZero, Hostile::Directory, Hostile::Huge}; }

TimeLimit::TimeLimit(unsigned seconds) { ::alarm(seconds); }

TimeLimit::~TimeLimit() { ::alarm(0); }

} // namespace dralun::test
