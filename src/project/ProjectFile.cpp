#include "project/ProjectFile.h"

#include <cerrno>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>

#include "core/FileAccess.h"
#include "core/Format.h"
#include "core/Platform.h"
#include "core/ReplaceFile.h"
#include "core/Sha256.h"
#include "forms/CForm.h"
#include "project/CalcKinds.h"
#include "project/CalculationJson.h"
#include "project/KeepCalculation.h"

namespace dralun {

namespace {

using Json = ProjectJsonValue;

struct Refused {
    std::string reason;
};

bool OnlyBlank(std::string_view bytes)
{
    return bytes.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// Whether the calculation fits its kind, with one new calculation of each
// kind (a form made, not opened) for all the calculations of a project.
class KindChecker {
public:
    std::string Problem(const Calculation& calc)
    {
        const std::string kind = KindOf(calc);
        auto it = m_made.find(kind);
        if (it == m_made.end())
            it = m_made.emplace(kind, MakeCalculation(kind, m_sink)).first;
        if (!it->second)
            return UnknownKindText(kind);
        return CalculationProblemOn(*it->second, calc);
    }

private:
    CSilentSink m_sink;
    std::map<std::string, std::unique_ptr<ICalculation>> m_made;
};

ProjectRead ReadParsed(const Json& root)
{
    ProjectRead read;
    if (!root.is_object())
        throw Refused{"sie enthält kein JSON-Objekt"};
    const auto format = root.find("format");
    if (format == root.end() || !format->is_string() || format->get_ref<const std::string&>() != kProjectFormat)
        throw Refused{"die Formatkennung \"Dralun-Projekt\" fehlt"};
    const auto version = root.find("version");
    if (version == root.end() || !version->is_number_integer() ||
        (!version->is_number_unsigned() && version->get<long long>() < 1))
        throw Refused{"die Versionsnummer fehlt oder ist ungültig"};
    if (version->is_number_unsigned() ? version->get<unsigned long long>() > kProjectVersion
                                      : version->get<long long>() > kProjectVersion)
        throw Refused{Format("sie wurde von einer neueren Version von Dralun gespeichert (Format %s; "
                             "diese Version liest Format %d)",
                             version->dump().c_str(), kProjectVersion)};
    const auto calculations = root.find("calculations");
    if (calculations == root.end() || !calculations->is_array())
        throw Refused{"die Liste der Berechnungen fehlt"};
    // Members this program does not know are kept for the writer.
    Json other = Json::object();
    for (const auto& [key, value] : root.items())
        if (key != "format" && key != "version" && key != "program" && key != "calculations")
            other[key] = value;
    read.project.SetOtherMembers(std::move(other));
    KindChecker checker;
    for (const Json& raw : *calculations) {
        ProjectEntry entry{raw, std::nullopt, {}};
        std::optional<Calculation> calc = CalculationFromJson(raw, &entry.problem);
        if (calc) {
            entry.problem = checker.Problem(*calc);
            if (entry.problem.empty())
                entry.calc = std::move(calc);
        }
        read.project.AddRead(std::move(entry));
    }
    read.ok = true;
    return read;
}

} // namespace

ProjectRead ReadProject(std::string_view bytes)
{
    ProjectRead read;
    if (OnlyBlank(bytes)) {
        read.ok = true; // what earlier versions saved: an empty file
        return read;
    }
    try {
        const Json root = ParseProjectJson(bytes);
        read = ReadParsed(root);
    } catch (const Refused& e) {
        read.error = e.reason;
    } catch (const ProjectJsonRefused& e) {
        read.error = e.reason;
    } catch (const nlohmann::json::parse_error& e) {
        read.error = Format("sie ist keine JSON-Datei (Fehler bei Byte %zu)", e.byte);
    } catch (const nlohmann::json::out_of_range&) {
        read.error = "sie enthält eine Zahl außerhalb des Zahlenbereichs";
    } catch (const nlohmann::json::exception&) {
        read.error = "sie ist keine gültige JSON-Datei";
    }
    read.project.SetModified(false);
    return read;
}

ProjectRead LoadProjectFile(const std::filesystem::path& path)
{
    const std::string name = platform::TextOf(path.filename());
    ProjectRead read;
    ReadableFile file = OpenForReading(path, kLargestProjectFile);
    if (!file) {
        if (file.problem == FileProblem::TooLarge)
            read.error = Format("Die Datei \"%s\" ist mit %ju Bytes zu groß für ein Projekt.", name.c_str(),
                                file.size);
        else
            read.error = "Die Datei \"" + name + "\" " + ProblemText(file);
        return read;
    }
    std::string bytes(static_cast<size_t>(file.size), '\0');
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file.file.get());
    if (got != bytes.size() || std::ferror(file.file.get())) {
        read.error = "Die Datei \"" + name + "\" kann nicht gelesen werden.";
        return read;
    }
    read = ReadProject(bytes);
    if (!read.ok)
        read.error = "Die Datei \"" + name + "\" ist kein Dralun-Projekt: " + read.error + ".";
    return read;
}

std::string ProjectText(const Project& project)
{
    Json calculations = Json::array();
    for (const ProjectEntry& entry : project.Entries())
        calculations.push_back(entry.raw);
    Json root = {{"format", kProjectFormat},
                 {"version", kProjectVersion},
                 {"program", kProgramVersion},
                 {"calculations", std::move(calculations)}};
    for (const auto& [key, value] : project.OtherMembers().items())
        if (!root.contains(key))
            root[key] = value;
    // A text from a data file that is not UTF-8 is written as U+FFFD.
    return root.dump(1, '\t', false, Json::error_handler_t::replace) + "\n";
}

namespace {

// The temporary files of a save: ".dralun-save-" and 16 hexadecimal digits.
constexpr const char* kSaveTempKind = "save";

std::string SaveFailure(const std::filesystem::path& path, const std::string& why)
{
    return "Das Projekt kann nicht als \"" + platform::TextOf(path.filename()) + "\" gespeichert werden (" + why +
           ").";
}

} // namespace

std::filesystem::path ProjectLockFile(const std::filesystem::path& target)
{
    const std::string name = platform::TextOf(target.filename());
    if (name.size() + 5 <= kLongestFileName)
        return target.parent_path() / platform::PathOf(name + ".lock");
    // The name cut at a character's start, and a hash of the whole name:
    // the same lock for every program, another for every other name.
    std::size_t cut = kLongestFileName - 5 - 17;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return target.parent_path() / platform::PathOf(name.substr(0, cut) + "-" + Sha256Hex(name).substr(0, 16) + ".lock");
}

namespace {

// Why the lock file could not be taken, after "die Sperrdatei "NAME.lock" ".
std::string LockFileProblem(const std::filesystem::path& lockFile, int error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(lockFile, ec);
    switch (status.type()) {
    case fs::file_type::symlink: return "ist eine symbolische Verknüpfung und keine Datei";
    case fs::file_type::directory: return "ist ein Verzeichnis und keine Datei";
    case fs::file_type::fifo: return "ist eine benannte Pipe (FIFO) und keine Datei";
    case fs::file_type::character:
    case fs::file_type::block: return "ist ein Gerät und keine Datei";
    case fs::file_type::socket: return "ist ein Socket und keine Datei";
    case fs::file_type::regular: return "kann nicht geöffnet werden (" + ErrorText(error) + ")";
    default: break;
    }
    if (!fs::is_directory(lockFile.parent_path().empty() ? fs::path(".") : lockFile.parent_path(), ec))
        return "kann nicht angelegt werden (der Ordner ist nicht vorhanden)";
    if (error == EACCES || error == EPERM)
        return "kann nicht angelegt werden (der Ordner erlaubt keine neuen Dateien)";
    return "kann nicht angelegt werden (" + ErrorText(error) + ")";
}

std::string SeveralNames(std::uintmax_t names)
{
    return Format("die Datei hat %ju Namen (harte Verknüpfungen), Speichern würde sie in getrennte Dateien teilen",
                  names);
}

} // namespace

FileLock LockProjectFile(const std::filesystem::path& path, std::string* error)
{
    std::filesystem::path target;
    int failed = LinkTarget(path, &target);
    if (failed) {
        if (error)
            *error = SaveFailure(path, ErrorText(failed));
        return {};
    }
    // Each name of a file of several would take a lock of its own.
    if (const std::uintmax_t names = platform::HardLinkCount(target); names > 1) {
        if (error)
            *error = SaveFailure(path, SeveralNames(names));
        return {};
    }
    const std::filesystem::path lockFile = ProjectLockFile(target);
    FileLock lock = FileLock::Acquire(lockFile, kProjectLockPatience, &failed);
    if (!lock && error)
        *error = failed == EWOULDBLOCK
                     ? "Das Projekt \"" + platform::TextOf(path.filename()) +
                           "\" wird gerade von einem anderen Programm gespeichert. Bitte später erneut versuchen."
                     : SaveFailure(path, "die Sperrdatei \"" + platform::TextOf(lockFile.filename()) + "\" " +
                                             LockFileProblem(lockFile, failed));
    return lock;
}

bool WriteProjectFile(const std::filesystem::path& path, const Project& project, std::string* error)
{
    std::filesystem::path target = path;
    LinkTarget(path, &target);
    const int failed = ReplaceFileWhole(path, ProjectText(project), kSaveTempKind);
    if (failed && error)
        *error = SaveFailure(path, failed == EMLINK ? SeveralNames(platform::HardLinkCount(target)) : ErrorText(failed));
    return failed == 0;
}

bool SaveProjectFile(const std::filesystem::path& path, const Project& project, std::string* error)
{
    const FileLock lock = LockProjectFile(path, error);
    return lock && WriteProjectFile(path, project, error);
}

ProjectStamp StampOf(std::string_view bytes)
{
    return {true, bytes.size(), std::hash<std::string_view>{}(bytes)};
}

ProjectStamp StampOfProjectFile(const std::filesystem::path& path)
{
    ReadableFile file = OpenForReading(path, kLargestProjectFile);
    if (!file)
        return {file.problem != FileProblem::Missing, file.size, 0};
    std::string bytes(static_cast<size_t>(file.size), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.file.get()));
    return StampOf(bytes);
}

} // namespace dralun
