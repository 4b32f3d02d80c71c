// The KOSTRA-DWD cell checked, converted to rain intensities and written as
// a rainfall file in the layout the infiltration forms read.
#include "core/KostraImport.h"

#include <algorithm>
#include <cmath>

#include "core/Format.h"
#include "core/Sha256.h"

namespace dralun {

namespace {

// The longest line the rainfall file reader takes in one read, its line feed
// not counted (129 with it; we keep one character to spare for a CR).
constexpr size_t kLongestLine = 127;
constexpr double kMostDepth = 1000; // mm: far beyond any rain ever measured in 72 h

// A text cut to fit a header line.
std::string Fit(std::string line)
{
    if (line.size() <= kLongestLine)
        return line;
    line.resize(kLongestLine - 3);
    while (!line.empty() && (static_cast<unsigned char>(line.back()) & 0xC0) == 0x80)
        line.pop_back(); // no half character
    if (!line.empty() && static_cast<unsigned char>(line.back()) >= 0xC0)
        line.pop_back();
    return line + "...";
}

} // namespace

double KostraIntensity(double depthMm, double minutes) { return depthMm * 10000 / (60 * minutes); }

KostraProblem CheckKostraCell(const KostraCell& cell, const KostraOptions& options)
{
    const size_t durations = kKostraDurations.size(), periods = kKostraReturnPeriods.size();
    auto at = [](KostraStatus status, size_t d, size_t t, double value = 0) {
        return KostraProblem{.status = status, .minutes = kKostraDurations[d], .period = kKostraReturnPeriods[t],
                             .value = value};
    };
    bool any = false;
    for (const KostraValues& row : cell.depth)
        for (const auto& value : row)
            any = any || value.has_value();
    if (!any)
        return {.status = KostraStatus::OnlyMissingValues, .text = cell.indexRc};
    for (size_t d = 0; d < durations; ++d)
        if (std::none_of(cell.depth[d].begin(), cell.depth[d].end(), [](const auto& v) { return v.has_value(); }))
            return {.status = KostraStatus::DurationMissing, .minutes = kKostraDurations[d]};
    for (size_t t = 0; t < periods; ++t)
        if (std::none_of(cell.depth.begin(), cell.depth.end(), [t](const auto& row) { return row[t].has_value(); }))
            return {.status = KostraStatus::PeriodMissing, .period = kKostraReturnPeriods[t]};
    for (size_t d = 0; d < durations; ++d)
        for (size_t t = 0; t < periods; ++t) {
            const auto& value = cell.depth[d][t];
            if (!value)
                return at(KostraStatus::ValueMissing, d, t);
            if (!(*value > 0 && *value <= kMostDepth))
                return at(KostraStatus::DepthOutOfBounds, d, t, *value);
        }
    for (size_t d = 0; d < durations; ++d)
        for (size_t t = 0; t < periods; ++t) {
            const double h = *cell.depth[d][t];
            if (d > 0 && h < *cell.depth[d - 1][t]) {
                KostraProblem falls = at(KostraStatus::FallsWithDuration, d, t, h);
                falls.previousMinutes = kKostraDurations[d - 1];
                falls.previous = *cell.depth[d - 1][t];
                return falls;
            }
            if (t > 0 && h < *cell.depth[d][t - 1]) {
                KostraProblem falls = at(KostraStatus::FallsWithPeriod, d, t, h);
                falls.previousPeriod = kKostraReturnPeriods[t - 1];
                falls.previous = *cell.depth[d][t - 1];
                return falls;
            }
        }
    if (options.addTolerance)
        for (size_t d = 0; d < durations; ++d)
            for (size_t t = 0; t < periods; ++t) {
                const auto& uc = cell.uncertainty[d][t];
                if (!uc)
                    return at(KostraStatus::UncertaintyMissing, d, t);
                if (!(*uc >= 0 && *uc <= 100))
                    return at(KostraStatus::UncertaintyOutOfBounds, d, t, *uc);
            }
    return {};
}

std::string RainfallFileText(const KostraCell& cell, const KostraOptions& options)
{
    if (!CheckKostraCell(cell, options).Ok())
        return "";
    std::vector<std::string> lines;
    lines.push_back(Fit(Format("Regenreihe %s, Rasterfeld INDEX_RC %s - Niederschlagshöhen hN [mm] und "
                               "Regenspenden rN [l/(s*ha)]",
                               cell.atlas.c_str(), cell.indexRc.c_str())));
    std::vector<KostraSource> sources = cell.sources;
    std::sort(sources.begin(), sources.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    if (sources.size() == 1) {
        // What the values were read as goes first, so that a long name cannot cut it off.
        const char* assumed = !cell.assumedUnit                          ? ""
                              : *cell.assumedUnit == KostraUnit::Depth ? " (Werte als hN [mm] angenommen)"
                                                                       : " (Werte als rN [l/(s*ha)] angenommen)";
        lines.push_back(Fit(std::string("Quelle") + assumed + ": " + sources[0].name));
        lines.push_back("SHA-256: " + sources[0].sha256);
    } else {
        // Several tables: their list as sha256sum writes it, sorted by name,
        // and the digest of that list.
        std::string list;
        for (const KostraSource& source : sources)
            list += source.sha256 + "  " + source.name + "\n";
        lines.push_back(Fit(Format("Quelle: %zu Dateien, %s ... %s", sources.size(),
                                   sources.empty() ? "" : sources.front().name.c_str(),
                                   sources.empty() ? "" : sources.back().name.c_str())));
        lines.push_back("SHA-256 der Liste (wie sha256sum, nach Namen): " + Sha256Hex(list));
    }
    lines.push_back(Fit("Importiert am " + options.importDate + "; Toleranz: " +
                        (options.addTolerance ? "Unsicherheit UC addiert, Wert * (1 + UC/100)"
                                              : "keine (Atlaswerte ohne Unsicherheit UC)")));
    lines.push_back("Einheiten: D [min], hN [mm], rN [l/(s*ha)] = hN * 10000 / (60 * D); n [1/a] = 1/T");
    lines.push_back("Spalte n = 2 (T = 0,5 a): im Atlas nicht enthalten, daher \"fehlt\"");
    std::string head = "              ", units = "Dauer   D[min]";
    for (const char* n : {"2", "1", "0.5", "0.2", "0.1", "0.05", "0.02", "0.01"}) {
        head += Format("%14s", (std::string("n = ") + n).c_str());
        units += "     hN     rN";
    }
    lines.push_back(head);
    lines.push_back(units);
    lines.push_back(std::string(kLongestLine - 1, '-'));

    for (size_t d = 0; d < kKostraDurations.size(); ++d) {
        if (d == 7)
            lines.push_back("(Dauerstufen über 1 h)");
        if (d == 14)
            lines.push_back("(Dauerstufen über 12 h)");
        const int minutes = kKostraDurations[d];
        std::string line = d < 8 ? Format("%4d min %5d", minutes, minutes) : Format("%4d h   %5d", minutes / 60, minutes);
        line += Format(" %6s %6s", "fehlt", "fehlt");
        for (size_t t = 0; t < kKostraReturnPeriods.size(); ++t) {
            const double factor = options.addTolerance ? 1 + *cell.uncertainty[d][t] / 100 : 1.0;
            const double depth = *cell.depth[d][t] * factor;
            line += Format(" %6.1f %6.1f", depth, KostraIntensity(depth, minutes));
        }
        if (line.size() > kLongestLine)
            return "";
        lines.push_back(line);
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::string SuggestedRainfallFileName(const KostraCell& cell)
{
    std::string version = cell.atlas;
    const std::string prefix = "KOSTRA-DWD-";
    if (version.rfind(prefix, 0) == 0)
        version.erase(0, prefix.size());
    return "KOSTRA" + version + "_" + cell.indexRc + ".txt";
}

} // namespace dralun
