#include "report/VerdictText.h"

#include <cmath>

#include "core/Format.h"
#include "core/NumberPresentation.h"
#include "report/ReportWriters.h"

namespace dralun {

namespace {

// Whether the demand is written as exceeding the limit.
// The comparison in the script's line, in ASCII: "<=" or ">", for a strict
// check "<" or ">=".
const char* AsciiSign(const Verdict& v)
{
    if (v.terms.strict)
        return v.demand < v.limit ? " < " : " >= ";
    return v.demand > v.limit ? " > " : " <= ";
}

std::string WithUnit(const std::string& number, const std::string& unit)
{
    return unit.empty() || unit == "-" ? number : number + " " + unit;
}

} // namespace

std::vector<std::string> VerdictTextLines(const Verdict& v)
{
    const VerdictTerms& t = v.terms;
    const std::string demand = ShownSymbol(t.demandSymbol), limit = ShownSymbol(t.limitSymbol);
    std::vector<std::string> lines;
    if (!t.question.empty())
        lines.push_back(ShownSymbols(t.question));
    lines.push_back(demand + ": " + ShownSymbols(t.demandText) + ", " + limit + ": " + ShownSymbols(t.limitText));
    lines.push_back(demand + " = " + WithUnit(Format("%.6g", v.demand), t.unit) + " " + ComparisonSign(v) + " " + limit +
                    " = " + WithUnit(Format("%.6g", v.limit), t.unit));
    if (std::isfinite(v.utilisation))
        lines.push_back("Ausnutzung η = " + demand + " / " + limit + " = " + UtilisationText(v.utilisation) + " %");
    else
        lines.push_back("Ausnutzung η: keine, " + limit + " ist nicht größer als 0");
    lines.push_back(VerdictWord(v.met));
    return lines;
}

std::string VerdictLine(const Verdict& v)
{
    const VerdictTerms& t = v.terms;
    const std::string utilisation = std::isfinite(v.utilisation) ? Format("%.15g", Rounded15(v.utilisation)) : "-";
    return std::string("verdict\t") + VerdictWord(v.met) + '\t' + utilisation + '\t' + t.demandSymbol +
           AsciiSign(v) + t.limitSymbol + '\t' + Format("%.15g", Rounded15(v.demand)) + '\t' +
           Format("%.15g", Rounded15(v.limit)) + '\t' + t.unit;
}

nlohmann::ordered_json VerdictJsonValue(const Verdict& v)
{
    using Json = nlohmann::ordered_json;
    const VerdictTerms& t = v.terms;
    auto number = [](double x) { return std::isfinite(x) ? Json(Rounded15(x)) : Json(nullptr); };
    return {{"question", t.question},
            {"demand", {{"text", t.demandText}, {"symbol", t.demandSymbol}, {"value", number(v.demand)}}},
            {"limit", {{"text", t.limitText}, {"symbol", t.limitSymbol}, {"value", number(v.limit)}}},
            {"unit", t.unit},
            {"utilisation", number(v.utilisation)},
            {"met", v.met},
            {"word", VerdictWord(v.met)}};
}

} // namespace dralun
