#include "install/CInstallCopy.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#include "core/CDataDirectory.h"
#include "core/Format.h"

namespace dralun::install {

const char* const kSuccessMessage = "Verzeichnis Dralun erstellt, Dateien übertragen";

namespace fs = std::filesystem;

const std::vector<CopyItem>& CopyList()
{
    static const std::vector<CopyItem> list = [] {
        std::vector<CopyItem> items = {
            {"DN.ASC", "DN.ASC"},         {"A110KR.ASC", "A110KR.ASC"}, {"A110MA.ASC", "A110MA.ASC"},
            {"A110EI.ASC", "A110EI.ASC"}, {"R3943MI.txt", "R3943MI.txt"},
        };
        for (const char* family : {"b", "ab"})
            for (const char* fall : {"1-0", "1-5", "2-0", "2-5", "3-0", "3-5", "4-0", "4-5", "5-0", "5-5", "6-0"})
                items.push_back({std::string(family) + fall + ".bin", std::string(family) + fall + ".bin"});
        for (int fall = 7; fall <= 15; ++fall) {
            const std::string name = "sp" + std::to_string(fall) + "-0.bin";
            items.push_back({name, name});
        }
        return items;
    }();
    return list;
}

namespace {

std::string Reason(int error)
{
    switch (error) {
    case ENOENT: return "Die Datei ist nicht vorhanden.";
    case EACCES:
    case EPERM: return "Der Zugriff wurde verweigert.";
    case ENOSPC: return "Auf dem Datenträger ist kein Platz mehr.";
    case EROFS: return "Der Datenträger ist schreibgeschützt.";
    case EISDIR: return "An dieser Stelle steht ein Verzeichnis.";
    case ENOTDIR: return "Ein Teil des Pfades ist kein Verzeichnis.";
    default: return std::strerror(error);
    }
}

std::string TempName(const std::string& target)
{
    static std::mt19937 random(std::random_device{}());
    return "." + target + ".install-" + std::to_string(random() % 1000000);
}

// Copies one file whole; on failure returns the reason and leaves the
// target as it was.
bool CopyOne(const fs::path& source, const fs::path& target, std::string* reason)
{
    CFile in(std::fopen(source.string().c_str(), "rb"));
    if (!in) {
        *reason = Reason(errno);
        return false;
    }
    const fs::path temp = target.parent_path() / TempName(target.filename().string());
    CFile out(std::fopen(temp.string().c_str(), "wb"));
    if (!out) {
        *reason = Reason(errno);
        return false;
    }
    char buffer[65536];
    bool good = true;
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) {
        if (std::fwrite(buffer, 1, n, out.get()) != n) {
            good = false;
            break;
        }
    }
    int error = errno;
    if (std::ferror(in.get()))
        good = false;
    if (std::fflush(out.get()) != 0) {
        good = false;
        error = errno;
    }
    out.reset();
    std::error_code ec;
    if (good) {
        fs::rename(temp, target, ec);
        if (!ec)
            return true;
        error = ec.value();
    }
    fs::remove(temp, ec);
    *reason = Reason(error);
    return false;
}

} // namespace

InstallResult Install(const fs::path& medium, const fs::path& target, const InstallOptions& options)
{
    InstallResult result;
    std::error_code ec;
    fs::create_directories(target, ec); // an existing directory is fine
    for (const CopyItem& item : CopyList()) {
        const fs::path source = CDataDirectory::Resolve(medium / item.source);
        // A file of the same name in other letter case is the same file to
        // the program: replace that one.
        const fs::path destination = CDataDirectory::Resolve(target / item.target);
        if (options.missingOnly && fs::exists(destination, ec))
            continue;
        std::string reason;
        if (!CopyOne(source, destination, &reason)) {
            result.failedFile = item.source;
            result.message = Format("Die Datei %s konnte nicht von\n%s\nnach\n%s\nkopiert werden.\n%s",
                                    item.source.c_str(), medium.string().c_str(), target.string().c_str(),
                                    reason.c_str());
            return result;
        }
        ++result.copied;
    }
    result.ok = true;
    result.message = kSuccessMessage;
    return result;
}

fs::path FindMedium(const fs::path& explicitSource)
{
    if (!explicitSource.empty())
        return explicitSource;
    std::error_code ec;
#ifndef _WIN32
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path beside = exe.parent_path() / "Dralun";
        if (fs::is_directory(beside, ec))
            return beside;
    }
#endif
#ifdef DRALUN_PROJECT_MEDIUM
    return DRALUN_PROJECT_MEDIUM;
#else
    return "Dralun";
#endif
}

} // namespace dralun::install
