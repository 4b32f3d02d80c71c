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

// A criterion's comparison in ASCII: " <= " or " > ", for a least value
// " >= " or " < ".
const char* CriterionAsciiSign(const Criterion& c)
{
    if (c.atLeast)
        return c.value >= c.limit ? " >= " : " < ";
    return c.value <= c.limit ? " <= " : " > ";
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
    for (const Criterion& c : v.criteria)
        lines.push_back(CriterionTextLine(c));
    lines.push_back(VerdictWord(v.met));
    return lines;
}

std::string CriterionTextLine(const Criterion& c)
{
    const std::string symbol = ShownSymbol(c.symbol), limit = ShownSymbol(c.limitSymbol);
    const std::string limitText = limit + " = " + WithUnit(Format("%.6g", c.limit), c.unit);
    if (!std::isfinite(c.value))
        return symbol + ": kein Wert (keine Teilfüllung), " + limitText + ": " + VerdictWord(c.met);
    const std::string value = c.unit == "%" ? UtilisationText(c.value) : Format("%.6g", c.value);
    return symbol + (c.shown.empty() ? "" : " = " + ShownSymbols(c.shown)) + " = " + WithUnit(value, c.unit) + " " +
           CriterionSign(c) + " " + limitText + ": " + VerdictWord(c.met);
}

std::vector<std::string> CriterionLines(const Verdict& v)
{
    std::vector<std::string> lines;
    for (const Criterion& c : v.criteria)
        lines.push_back(std::string("criterion\t") + VerdictWord(c.met) + '\t' + c.symbol + CriterionAsciiSign(c) +
                        c.limitSymbol + '\t' +
                        (std::isfinite(c.value) ? Format("%.15g", Rounded15(c.value)) : std::string("-")) + '\t' +
                        Format("%.15g", Rounded15(c.limit)) + '\t' + c.unit);
    return lines;
}

nlohmann::ordered_json CriteriaJsonValue(const Verdict& v)
{
    using Json = nlohmann::ordered_json;
    Json criteria = Json::array();
    for (const Criterion& c : v.criteria) {
        std::string relation = CriterionAsciiSign(c);
        criteria.push_back({{"text", c.text},
                            {"symbol", c.symbol},
                            {"limitSymbol", c.limitSymbol},
                            {"relation", relation.substr(1, relation.size() - 2)},
                            {"value", std::isfinite(c.value) ? Json(Rounded15(c.value)) : Json(nullptr)},
                            {"limit", Rounded15(c.limit)},
                            {"unit", c.unit},
                            {"met", c.met},
                            {"word", VerdictWord(c.met)}});
    }
    return criteria;
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
