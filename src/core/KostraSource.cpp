// The KOSTRA-DWD sources on disk (a folder, a zip archive, a file) and the
// atomic write of the rainfall file.
#include "core/KostraSource.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <map>
#include <system_error>
#include <vector>

#include "core/FileAccess.h"
#include "core/Format.h"
#include "core/ReplaceFile.h"
#include "core/SafeOutput.h"
#include "core/ZipArchive.h"

namespace dralun {

namespace {

using Path = std::filesystem::path;

// A path as UTF-8 text, for messages and the file's header.
std::string Utf8(const Path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string NameOf(const Path& path) { return Utf8(path.filename()); }

// The bytes of a regular file of at most `largest` bytes, or the reason.
KostraResult<std::string> ReadWhole(const Path& path, std::uintmax_t largest)
{
    ReadableFile file = OpenForReading(path, largest);
    if (!file)
        return {std::nullopt, "Die Datei " + NameOf(path) + " " + ProblemText(file)};
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.file.get())) > 0) {
        bytes.append(buffer, n);
        if (bytes.size() > largest)
            return {std::nullopt, "Die Datei " + NameOf(path) + " ist zu groß."};
    }
    if (std::ferror(file.file.get()))
        return {std::nullopt, "Die Datei " + NameOf(path) + " kann nicht gelesen werden."};
    return {bytes, ""};
}

bool IsZip(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".zip") == 0;
}

bool IsGridTableName(const std::string& name) { return KostraMinutesFromFileName(name).has_value(); }

// A grid table of one of the 18 durations: its name (without folders) and
// how to get its bytes.
struct GridTable {
    std::string name;
    std::function<KostraResult<std::string>()> bytes;
};

bool IsWantedDuration(const std::string& name)
{
    const auto minutes = KostraMinutesFromFileName(name);
    return minutes && std::find(kKostraDurations.begin(), kKostraDurations.end(), *minutes) != kKostraDurations.end();
}

// The cell from the tables of a folder or an archive (`where`: "Der Ordner",
// "Das ZIP-Archiv"), read one after the other in the order given.
KostraResult<KostraCell> CellFromTables(const std::string& where, const std::vector<GridTable>& tables,
                                        const KostraImportRequest& request)
{
    std::string atlas;
    std::vector<KostraGridRow> rows;
    for (const GridTable& table : tables) {
        const std::string tableAtlas = KostraAtlasFromFileName(table.name);
        if (tableAtlas.empty())
            return {std::nullopt, "Der Dateiname " + table.name + " nennt keinen Atlas (2020 oder 2010R)."};
        if (!atlas.empty() && tableAtlas != atlas)
            return {std::nullopt, where + " mischt die Atlanten " + atlas + " und " + tableAtlas + " (" + table.name + ")."};
        atlas = tableAtlas;
        if (request.progress && !request.progress(rows.size(), tables.size()))
            return {std::nullopt, kKostraImportStopped};
        const auto bytes = table.bytes();
        if (!bytes.value)
            return {std::nullopt, bytes.reason};
        auto row = ReadKostraGridTable(table.name, *bytes.value, request.indexRc);
        if (!row.value)
            return {std::nullopt, row.reason};
        rows.push_back(std::move(*row.value));
    }
    if (request.progress && !request.progress(rows.size(), tables.size()))
        return {std::nullopt, kKostraImportStopped};
    return KostraCellFromGridRows(atlas, request.indexRc, rows);
}

const char* const kNoCell = "Für die Rastertabellen fehlt das Rasterfeld (INDEX_RC).";

KostraResult<KostraCell> ImportFolder(const Path& folder, const KostraImportRequest& request)
{
    const std::string folderName = Utf8(folder);
    if (request.indexRc.empty())
        return {std::nullopt, kNoCell};
    // The tables of the 18 durations, by name so the reading order is fixed.
    std::map<std::string, Path> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (const std::string name = NameOf(it->path()); IsWantedDuration(name))
            found.emplace(name, it->path());
    if (error)
        return {std::nullopt, "Der Ordner " + folderName + " kann nicht gelesen werden (" +
                                  SystemErrorText(error.value()) + ")."};
    if (found.empty())
        return {std::nullopt, "Der Ordner " + folderName +
                                  " enthält keine Rastertabellen (Dateinamen mit der Dauerstufe, z. B. „_D00060“)."};
    std::vector<GridTable> tables;
    for (const auto& [name, path] : found)
        tables.push_back({name, [path = path] { return ReadWhole(path, kLargestKostraGridTable); }});
    return CellFromTables("Der Ordner", tables, request);
}

// A member's name without the folders of the archive ("/", or "\" as some
// Windows programs write it).
std::string BaseName(const std::string& member)
{
    const size_t slash = member.find_last_of("/\\");
    return slash == std::string::npos ? member : member.substr(slash + 1);
}

} // namespace

KostraResult<KostraCell> ImportKostraArchive(const ZipArchive& archive, const KostraImportRequest& request)
{
    if (request.indexRc.empty())
        return {std::nullopt, kNoCell};
    // The tables of the 18 durations in any folder of the archive, ordered
    // by their names as those of a folder are.
    std::map<std::string, const ZipMember*> found;
    std::map<int, std::string> durations;
    std::string nested;
    for (const ZipMember& member : archive.Members()) {
        if (member.IsFolder())
            continue;
        const std::string name = BaseName(member.name);
        if (IsZip(name) && nested.empty())
            nested = member.name;
        if (!IsWantedDuration(name))
            continue;
        const int minutes = *KostraMinutesFromFileName(name);
        if (const auto [at, added] = durations.emplace(minutes, member.name); !added)
            return {std::nullopt, archive.Name() + ": Zwei Tabellen haben dieselbe Dauerstufe: " + at->second +
                                      " und " + member.name + "."};
        found.emplace(name, &member);
    }
    if (found.empty() && !nested.empty())
        return {std::nullopt, archive.Name() + ": Das ZIP-Archiv enthält ein weiteres ZIP-Archiv (" + nested +
                                  "); ZIP-Archive in einem ZIP-Archiv werden nicht gelesen: bitte entpacken."};
    if (found.empty())
        return {std::nullopt, archive.Name() + ": Das ZIP-Archiv enthält keine Rastertabellen (Dateinamen mit der "
                                               "Dauerstufe, z. B. „_D00060“)."};
    std::vector<GridTable> tables;
    for (const auto& [name, member] : found)
        tables.push_back({name, [&archive, member = member] {
                              auto read = archive.Read(*member, kLargestKostraGridTable);
                              return KostraResult<std::string>{std::move(read.value), std::move(read.reason)};
                          }});
    return CellFromTables("Das ZIP-Archiv " + archive.Name(), tables, request);
}

KostraResult<KostraCell> ImportKostra(const std::filesystem::path& source, const KostraImportRequest& request)
{
    std::error_code error;
    if (std::filesystem::is_directory(source, error))
        return ImportFolder(source, request);
    const std::string name = NameOf(source);
    if (IsZip(name)) {
        const auto archive = ZipArchive::FromFile(source);
        if (!archive.value)
            return {std::nullopt, archive.reason};
        return ImportKostraArchive(*archive.value, request);
    }
    if (IsGridTableName(name))
        return {std::nullopt, name + ": ein Rasterfeld braucht die Tabellen aller 18 Dauerstufen: einen Ordner angeben."};
    const auto bytes = ReadWhole(source, kLargestDataFile);
    if (!bytes.value)
        return {std::nullopt, bytes.reason};
    return ReadKostraCellTable(name, *bytes.value, request.assumed, request.atlas, request.indexRc);
}

std::string KostraTargetRefusal(const std::filesystem::path& target, const std::filesystem::path& source)
{
    const std::string refused = "Die Datei " + Utf8(target) + " wird nicht geschrieben: ";
    std::error_code error;
    if (std::filesystem::exists(target, error) && std::filesystem::equivalent(target, source, error))
        return refused + "Das ist die Quelle des Imports; sie bleibt, wie sie ist.";
    const Path folder = target.parent_path().empty() ? Path(".") : target.parent_path();
    // "Ordner/" names the folder "Ordner" (Windows compares the two only so).
    const Path sourceFolder = source.has_filename() ? source : source.parent_path();
    if (std::filesystem::is_directory(sourceFolder, error) && IsWantedDuration(NameOf(target)) &&
        std::filesystem::equivalent(folder, sourceFolder, error))
        return refused + "Das ist die Quelle des Imports: der Name einer Rastertabelle im gelesenen Ordner.";
    if (std::string why = OutputFileProblem(target); !why.empty())
        return refused + why;
    return "";
}

std::string WriteKostraRainfallFile(const KostraCell& cell, const KostraOptions& options,
                                    const std::filesystem::path& target, const std::filesystem::path& source)
{
    if (std::string why = CheckKostraCell(cell, options); !why.empty())
        return why;
    const std::string text = RainfallFileText(cell, options);
    if (text.empty())
        return "Eine Zeile der Regenreihe passt nicht in 128 Zeichen.";
    if (std::string why = KostraTargetRefusal(target, source); !why.empty())
        return why;
    if (const int error = ReplaceFileWhole(target, text, "kostra"))
        return "Die Datei " + Utf8(target) + " konnte nicht geschrieben werden: " + SystemErrorText(error) + ".";
    return "";
}

} // namespace dralun
