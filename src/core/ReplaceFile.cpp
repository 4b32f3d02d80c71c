#include "core/ReplaceFile.h"

#include <cerrno>
#include <cstdio>
#include <random>

// ReplaceFileWhole itself differs by system: PlatformPosix.cpp and
// PlatformWindows.cpp.

namespace dralun {

namespace fs = std::filesystem;

namespace {
thread_local CInjectedFault* t_fault = nullptr;
// As many links in a row as the systems follow before they give up.
constexpr int kMostLinks = 40;
} // namespace

std::string RandomTempName(const std::string& prefix)
{
    std::random_device random;
    const unsigned long long bits = (static_cast<unsigned long long>(random()) << 32) ^ random();
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", bits);
    return prefix + digits;
}

bool IsRandomTempName(const std::string& name, const std::string& prefix)
{
    return name.size() == prefix.size() + 16 && name.compare(0, prefix.size(), prefix) == 0 &&
           name.find_first_not_of("0123456789abcdef", prefix.size()) == std::string::npos;
}

int LinkTarget(const fs::path& path, fs::path* target)
{
    fs::path at = path;
    for (int hop = 0;; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(at, ec)))
            break;
        if (hop == kMostLinks)
            return ELOOP;
        const fs::path to = fs::read_symlink(at, ec);
        if (ec)
            break;
        at = to.is_absolute() ? to : at.parent_path() / to;
    }
    *target = at;
    return 0;
}

int ReplaceFileWhole(const fs::path& target, const std::string& bytes, const char* kind)
{
    const std::string prefix = std::string(".dralun-") + kind + "-";
    fs::path resolved;
    if (LinkTarget(target, &resolved) == 0)
        RemoveAbandonedTempFiles(resolved.parent_path(), [&](const std::string& name) {
            return IsRandomTempName(name, prefix) || IsRandomTempName(name, kind);
        });
    return ReplaceFileWhole(target, bytes, [&] { return RandomTempName(prefix); });
}

void RemoveAbandonedTempFiles(const fs::path& directory, const std::function<bool(const std::string&)>& isTemp,
                              std::chrono::seconds olderThan)
{
    const fs::file_time_type before = fs::file_time_type::clock::now() - olderThan;
    std::error_code ec;
    for (fs::directory_iterator it(directory.empty() ? fs::path(".") : directory, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::u8string name = it->path().filename().u8string(); // the same bytes on every platform
        std::error_code ignored;
        if (!isTemp(std::string(name.begin(), name.end())) ||
            it->symlink_status(ignored).type() != fs::file_type::regular)
            continue;
        const fs::file_time_type written = fs::last_write_time(it->path(), ignored);
        if (!ignored && written < before)
            fs::remove(it->path(), ignored);
    }
}

CInjectedFault::CInjectedFault(long failAt, int error) : m_failAt(failAt), m_error(error), m_outer(t_fault)
{
    t_fault = this;
}

CInjectedFault::~CInjectedFault() { t_fault = m_outer; }

int CInjectedFault::Step()
{
    CInjectedFault* fault = t_fault;
    if (!fault)
        return 0;
    return ++fault->m_steps == fault->m_failAt ? fault->m_error : 0;
}

} // namespace dralun
