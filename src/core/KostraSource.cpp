// The KOSTRA-DWD sources on disk and the atomic write of the rainfall file.
#include "core/KostraSource.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <system_error>

#include "core/FileAccess.h"
#include "core/Format.h"
#include "core/ReplaceFile.h"
#include "core/SafeOutput.h"

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

bool IsZip(const Path& path)
{
    std::string extension = Utf8(path.extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".zip";
}

bool IsGridTableName(const std::string& name) { return KostraMinutesFromFileName(name).has_value(); }

KostraResult<KostraCell> ImportFolder(const Path& folder, const KostraImportRequest& request)
{
    const std::string folderName = Utf8(folder);
    if (request.indexRc.empty())
        return {std::nullopt, "Für die Rastertabellen fehlt das Rasterfeld (INDEX_RC)."};
    // The tables of the 18 durations, by name so the reading order is fixed.
    std::map<std::string, Path> tables;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = NameOf(it->path());
        const auto minutes = KostraMinutesFromFileName(name);
        if (minutes && std::find(kKostraDurations.begin(), kKostraDurations.end(), *minutes) != kKostraDurations.end())
            tables.emplace(name, it->path());
    }
    if (error)
        return {std::nullopt, "Der Ordner " + folderName + " kann nicht gelesen werden (" +
                                  SystemErrorText(error.value()) + ")."};
    if (tables.empty())
        return {std::nullopt, "Der Ordner " + folderName +
                                  " enthält keine Rastertabellen (Dateinamen mit der Dauerstufe, z. B. „_D00060“)."};
    std::string atlas;
    std::vector<KostraGridRow> rows;
    for (const auto& [name, path] : tables) {
        const std::string tableAtlas = KostraAtlasFromFileName(name);
        if (tableAtlas.empty())
            return {std::nullopt, "Der Dateiname " + name + " nennt keinen Atlas (2020 oder 2010R)."};
        if (!atlas.empty() && tableAtlas != atlas)
            return {std::nullopt, "Der Ordner mischt die Atlanten " + atlas + " und " + tableAtlas + " (" + name + ")."};
        atlas = tableAtlas;
        const auto bytes = ReadWhole(path, kLargestKostraGridTable);
        if (!bytes.value)
            return {std::nullopt, bytes.reason};
        auto row = ReadKostraGridTable(name, *bytes.value, request.indexRc);
        if (!row.value)
            return {std::nullopt, row.reason};
        rows.push_back(std::move(*row.value));
    }
    return KostraCellFromGridRows(atlas, request.indexRc, rows);
}

} // namespace

KostraResult<KostraCell> ImportKostra(const std::filesystem::path& source, const KostraImportRequest& request)
{
    std::error_code error;
    if (std::filesystem::is_directory(source, error))
        return ImportFolder(source, request);
    const std::string name = NameOf(source);
    if (IsZip(source))
        return {std::nullopt, name + ": ZIP-Archive werden noch nicht gelesen: bitte entpacken und den Ordner angeben."};
    if (IsGridTableName(name))
        return {std::nullopt, name + ": ein Rasterfeld braucht die Tabellen aller 18 Dauerstufen: einen Ordner angeben."};
    const auto bytes = ReadWhole(source, kLargestDataFile);
    if (!bytes.value)
        return {std::nullopt, bytes.reason};
    return ReadKostraCellTable(name, *bytes.value, request.assumed, request.atlas, request.indexRc);
}

std::string WriteKostraRainfallFile(const KostraCell& cell, const KostraOptions& options,
                                    const std::filesystem::path& target)
{
    if (std::string why = CheckKostraCell(cell, options); !why.empty())
        return why;
    const std::string text = RainfallFileText(cell, options);
    if (text.empty())
        return "Eine Zeile der Regenreihe passt nicht in 128 Zeichen.";
    if (std::string why = OutputFileProblem(target); !why.empty())
        return "Die Datei " + Utf8(target) + " wird nicht geschrieben: " + why;
    if (const int error = ReplaceFileWhole(target, text, [] { return RandomTempName("kostra"); }))
        return "Die Datei " + Utf8(target) + " konnte nicht geschrieben werden: " + SystemErrorText(error) + ".";
    return "";
}

} // namespace dralun
