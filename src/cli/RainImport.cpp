#include "cli/RainImport.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ostream>

#include "cli/FormEvents.h"
#include "core/CDataDirectory.h"
#include "core/Format.h"
#include "core/KostraSource.h"
#include "core/Platform.h"
#include "forms/KostraMessages.h"
#include "forms/KostraRainfallFile.h"

namespace dralun {

const char* const kRainImportUsage =
    "\nRegendaten:\n"
    "  dralun-calc --import-rain QUELLE [--cell INDEX_RC] [--out DATEI] [--tolerance] [--rn] [--replace]\n"
    "                                          KOSTRA-DWD-Regen eines Rasterfelds als Regenreihe ins\n"
    "                                          Datenverzeichnis (QUELLE: Ordner oder ZIP-Archiv der\n"
    "                                          Rastertabellen oder Tabelle eines Rasterfelds;\n"
    "                                          --tolerance: Unsicherheit UC addieren; --rn: Werte ohne\n"
    "                                          Angabe im Kopf sind Regenspenden; --replace: eine Datei\n"
    "                                          gleichen Namens ersetzen)\n\n";

namespace {

// Today as yyyy-mm-dd (UTC).
std::string Today()
{
    const std::chrono::year_month_day day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    return Format("%04d-%02u-%02u", static_cast<int>(day.year()), static_cast<unsigned>(day.month()),
                  static_cast<unsigned>(day.day()));
}

} // namespace

int RunRainImport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::string source, cell, target;
    bool replace = false;
    KostraImportRequest request;
    KostraOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= args.size() || args[i + 1].empty())
                throw UsageError(arg + " erwartet einen Wert");
            return args[++i];
        };
        if (arg == "--cell")
            cell = value();
        else if (arg == "--out")
            target = value();
        else if (arg == "--tolerance")
            options.addTolerance = true;
        else if (arg == "--replace")
            replace = true;
        else if (arg == "--rn")
            request.assumed = KostraUnit::Intensity;
        else if (arg.rfind("--", 0) == 0 || !source.empty())
            throw UsageError("--import-rain: unbekannte Angabe \"" + arg + "\"");
        else
            source = arg;
    }
    if (source.empty())
        throw UsageError("--import-rain erwartet die Quelle (Ordner, ZIP-Archiv oder Datei)");
    // The cell comes into the file's name and head: a number, nothing else.
    if (!cell.empty() && !IsKostraCellNumber(cell))
        throw UsageError("--cell erwartet die Nummer eines Rasterfelds (INDEX_RC), z. B. 117111");
    const std::filesystem::path sourcePath = platform::PathOf(source);
    std::error_code error;
    std::string ending = source.substr(source.size() - std::min<size_t>(source.size(), 4));
    for (char& c : ending)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool zip = ending == ".zip";
    if (cell.empty() && (zip || std::filesystem::is_directory(sourcePath, error)))
        throw UsageError("--import-rain: für die Rastertabellen eines Ordners oder ZIP-Archivs das Rasterfeld mit "
                         "--cell INDEX_RC angeben");
    if (cell.empty() && target.empty())
        throw UsageError("--import-rain: --cell INDEX_RC oder --out DATEI angeben (der Dateiname nennt das Rasterfeld)");
    request.indexRc = cell;
    options.importDate = Today();

    const KostraResult<KostraCell> imported = ImportKostra(sourcePath, request);
    if (!imported.value) {
        err << "dralun-calc: " << KostraProblemText(imported.problem) << '\n';
        return 1;
    }
    const std::filesystem::path path =
        target.empty() ? CDataDirectory::File(SuggestedRainfallFileName(*imported.value)) : platform::PathOf(target);
    if (std::string why = KostraTargetRefusal(path, sourcePath); !why.empty()) {
        err << "dralun-calc: " << why << '\n';
        return 1;
    }
    // A rainfall file of the same name is the user's: replaced only when asked.
    if (std::filesystem::exists(path, error) && !replace) {
        err << "dralun-calc: " << platform::TextOf(path) << " besteht schon; mit --replace ersetzen.\n";
        return 1;
    }
    if (std::string why = WriteKostraRainfallFile(*imported.value, options, path, sourcePath); !why.empty()) {
        err << "dralun-calc: " << why << '\n';
        return 1;
    }
    out << "importiert\t" << platform::TextOf(path) << '\n';
    // The head did not say what the values are: which reading was taken.
    if (const std::optional<KostraUnit> unit = imported.value->assumedUnit)
        out << "angenommen\t"
            << (*unit == KostraUnit::Depth ? "Niederschlagshöhen hN [mm] (sonst --rn)" : "Regenspenden rN [l/(s·ha)]")
            << '\n';
    // Standard output that takes nothing (a full disk): the program fails,
    // but the file is written, and a rerun must know that it is there.
    if (!out.flush())
        err << "dralun-calc: Die Regenreihe wurde nach " << platform::TextOf(path)
            << " geschrieben; die Meldung darüber konnte nicht ausgegeben werden.\n";
    return 0;
}

} // namespace dralun
