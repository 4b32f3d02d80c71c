// The KOSTRA-DWD sources on disk: a folder, a zip archive, a file.
#include "core/KostraSource.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>
#include <map>
#include <system_error>
#include <vector>

#include "core/FileAccess.h"
#include "core/Platform.h"
#include "core/ZipArchive.h"

namespace dralun {

namespace {

using Path = std::filesystem::path;

std::string NameOf(const Path& path) { return platform::TextOf(path.filename()); }

// The bytes of a regular file of at most `largest` bytes, or why not.
KostraResult<std::string> ReadWhole(const Path& path, std::uintmax_t largest)
{
    ReadableFile file = OpenForReading(path, largest);
    if (!file)
        return {std::nullopt, {.status = KostraStatus::FileUnreadable, .name = NameOf(path), .file = UnreadableOf(file)}};
    std::string bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.file.get())) > 0) {
        bytes.append(buffer, n);
        if (bytes.size() > largest)
            return {std::nullopt, {.status = KostraStatus::FileTooLarge, .name = NameOf(path)}};
    }
    if (std::ferror(file.file.get()))
        return {std::nullopt, {.status = KostraStatus::FileReadError, .name = NameOf(path)}};
    return {bytes, {}};
}

bool IsZip(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return name.size() > 4 && name.compare(name.size() - 4, 4, ".zip") == 0;
}

bool IsGridTableName(const std::string& name) { return KostraMinutesFromFileName(name).has_value(); }

KostraProblem Stopped() { return {.status = KostraStatus::Stopped}; }

// A grid table of one of the 18 durations: its name (without folders) and
// how to get its bytes.
struct GridTable {
    std::string name;
    std::function<KostraResult<std::string>()> bytes;
};

// The cell from the tables of a folder or an archive (`archive`: its name,
// "" for a folder), read one after the other in the order given.
KostraResult<KostraCell> CellFromTables(const std::string& archive, const std::vector<GridTable>& tables,
                                        const KostraImportRequest& request)
{
    std::string atlas;
    std::vector<KostraGridRow> rows;
    for (const GridTable& table : tables) {
        const std::string tableAtlas = KostraAtlasFromFileName(table.name);
        if (tableAtlas.empty())
            return {std::nullopt, {.status = KostraStatus::NoAtlasInName, .name = table.name}};
        if (!atlas.empty() && tableAtlas != atlas)
            return {std::nullopt, {.status = KostraStatus::AtlasesMixed, .name = table.name, .first = atlas,
                                   .second = tableAtlas, .archive = archive}};
        atlas = tableAtlas;
        if (request.progress && !request.progress(rows.size(), tables.size()))
            return {std::nullopt, Stopped()};
        auto bytes = table.bytes();
        if (!bytes.value)
            return {std::nullopt, std::move(bytes.problem)};
        auto row = ReadKostraGridTable(table.name, *bytes.value, request.indexRc);
        if (!row.value)
            return {std::nullopt, std::move(row.problem)};
        rows.push_back(std::move(*row.value));
    }
    if (request.progress && !request.progress(rows.size(), tables.size()))
        return {std::nullopt, Stopped()};
    return KostraCellFromGridRows(atlas, request.indexRc, rows);
}

KostraProblem NoCell() { return {.status = KostraStatus::NoCellForTables}; }

KostraResult<KostraCell> ImportFolder(const Path& folder, const KostraImportRequest& request)
{
    const std::string folderName = platform::TextOf(folder);
    if (request.indexRc.empty())
        return {std::nullopt, NoCell()};
    // The tables of the 18 durations, by name so the reading order is fixed.
    std::map<std::string, Path> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (const std::string name = NameOf(it->path()); IsKostraGridTableName(name))
            found.emplace(name, it->path());
    if (error)
        return {std::nullopt, {.status = KostraStatus::FolderUnreadable, .name = folderName, .error = error.value()}};
    if (found.empty())
        return {std::nullopt, {.status = KostraStatus::FolderWithoutTables, .name = folderName}};
    std::vector<GridTable> tables;
    for (const auto& [name, path] : found)
        tables.push_back({name, [path = path] { return ReadWhole(path, kLargestKostraGridTable); }});
    return CellFromTables("", tables, request);
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
        return {std::nullopt, NoCell()};
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
        if (!IsKostraGridTableName(name))
            continue;
        const int minutes = *KostraMinutesFromFileName(name);
        if (const auto [at, added] = durations.emplace(minutes, member.name); !added)
            return {std::nullopt, {.status = KostraStatus::ArchiveDurationTwice, .where = archive.Name(),
                                   .first = at->second, .second = member.name}};
        found.emplace(name, &member);
    }
    if (found.empty() && !nested.empty())
        return {std::nullopt, {.status = KostraStatus::ArchiveNested, .where = archive.Name(), .name = nested}};
    if (found.empty())
        return {std::nullopt, {.status = KostraStatus::ArchiveWithoutTables, .where = archive.Name()}};
    std::vector<GridTable> tables;
    for (const auto& [name, member] : found)
        tables.push_back({name, [&archive, member = member] {
                              auto read = archive.Read(*member, kLargestKostraGridTable);
                              return KostraResult<std::string>{
                                  std::move(read.value),
                                  read.value ? KostraProblem{}
                                             : KostraProblem{.status = KostraStatus::ArchiveUnreadable,
                                                             .zip = std::move(read.problem)}};
                          }});
    return CellFromTables(archive.Name(), tables, request);
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
            return {std::nullopt, {.status = KostraStatus::ArchiveUnreadable, .zip = archive.problem}};
        return ImportKostraArchive(*archive.value, request);
    }
    if (IsGridTableName(name))
        return {std::nullopt, {.status = KostraStatus::GridTableAlone, .where = name}};
    auto bytes = ReadWhole(source, kLargestDataFile);
    if (!bytes.value)
        return {std::nullopt, std::move(bytes.problem)};
    return ReadKostraCellTable(name, *bytes.value, request.assumed, request.atlas, request.indexRc);
}

} // namespace dralun
