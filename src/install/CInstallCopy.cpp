#include "install/CInstallCopy.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "core/CDataDirectory.h"
#include "core/FileAccess.h"
#include "core/Format.h"
#include "core/Platform.h"
#include "core/SafeOutput.h"

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
    case EEXIST: return "An dieser Stelle steht bereits eine Datei.";
    default: return "Der Vorgang ist gescheitert (" + SystemErrorText(error) + ").";
    }
}

// A directory that cannot be created: mkdir says ENOENT also where the
// file system takes no new directory (/proc).
std::string DirectoryReason(int error)
{
    return error == ENOENT ? "Ein übergeordnetes Verzeichnis fehlt oder nimmt keine neuen Verzeichnisse auf."
                           : Reason(error);
}

// Reads the whole source, at most its bound; a file that has grown past the
// bound since it was opened is refused like one that was too large at once.
bool ReadWhole(ReadableFile& in, std::string* bytes)
{
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in.file.get())) > 0) {
        bytes->append(buffer, n);
        if (bytes->size() > in.largest) {
            in.problem = FileProblem::TooLarge;
            in.size = bytes->size();
            return false;
        }
    }
    if (std::ferror(in.file.get())) {
        in.problem = FileProblem::Unreadable;
        in.error = errno;
        return false;
    }
    return true;
}

// Copies one file whole; on failure returns the reason and leaves the
// target as it was.
bool CopyOne(const fs::path& source, const std::string& name, const fs::path& target, const TempNamer& namer,
             std::string* reason)
{
    ReadableFile in = OpenForReading(source);
    std::string bytes;
    if (!in || !ReadWhole(in, &bytes)) {
        *reason = in.problem == FileProblem::Missing ? Reason(ENOENT) : name + " " + ProblemText(in);
        return false;
    }
    if (const int error = ReplaceFile(target, bytes, namer)) {
        *reason = Reason(error);
        return false;
    }
    return true;
}

} // namespace

InstallResult Install(const fs::path& medium, const fs::path& target, const InstallOptions& options)
{
    InstallResult result;
    std::error_code ec;
    fs::create_directories(target, ec); // an existing directory is fine
    if (!ec && !fs::is_directory(target, ec) && !ec)
        ec = std::make_error_code(std::errc::not_a_directory);
    if (ec) {
        result.message = Format("Das Datenverzeichnis %s konnte nicht angelegt werden.\n%s", platform::TextOf(target).c_str(),
                                DirectoryReason(ec.default_error_condition().value()).c_str());
        return result;
    }
    RemoveLeftovers(target);
    for (const CopyItem& item : CopyList()) {
        const fs::path source = CDataDirectory::Resolve(medium / item.source);
        // A file of the same name in other letter case is the same file to
        // the program: replace that one.
        const fs::path destination = CDataDirectory::Resolve(target / item.target);
        if (options.missingOnly && fs::exists(destination, ec))
            continue;
        std::string reason;
        if (!CopyOne(source, item.source, destination, options.tempName, &reason)) {
            result.failedFile = item.source;
            result.message = Format("Die Datei %s konnte nicht von\n%s\nnach\n%s\nkopiert werden.\n%s",
                                    item.source.c_str(), platform::TextOf(medium).c_str(), platform::TextOf(target).c_str(),
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
#ifdef _WIN32
    // Windows: the medium is the folder Dralun beside the program (the
    // installer puts it there, as the distribution medium had it), and only
    // that: no path of the machine the program was built on.
    if (const fs::path exe = platform::ProgramPath(); !exe.empty())
        return exe.parent_path() / "Dralun";
    return "Dralun";
#else
    std::error_code ec;
    const auto holdsData = [&ec](const fs::path& folder) { return fs::is_regular_file(folder / "DN.ASC", ec); };
    if (const fs::path exe = platform::ProgramPath(); !exe.empty()) {
        const fs::path beside = exe.parent_path() / "Dralun";
        if (fs::is_directory(beside, ec))
            return beside;
        // An installed program: bin/ and share/dralun/ under one prefix,
        // wherever the package was unpacked.
        const fs::path shared = exe.parent_path().parent_path() / DRALUN_INSTALL_DATADIR / "dralun";
        if (holdsData(shared))
            return shared;
    }
    if (holdsData(DRALUN_INSTALLED_MEDIUM))
        return DRALUN_INSTALLED_MEDIUM;
    return DRALUN_PROJECT_MEDIUM;
#endif
}

std::vector<std::string> MissingDataFiles(const fs::path& target)
{
    std::vector<std::string> missing;
    std::error_code ec;
    for (const CopyItem& item : CopyList())
        if (!fs::exists(CDataDirectory::Resolve(target / item.target), ec))
            missing.push_back(item.target);
    return missing;
}

bool IsCompleteMedium(const fs::path& medium)
{
    std::error_code ec;
    for (const CopyItem& item : CopyList())
        if (!fs::is_regular_file(CDataDirectory::Resolve(medium / item.source), ec))
            return false;
    return true;
}

} // namespace dralun::install
