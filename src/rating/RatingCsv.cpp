#include "rating/RatingCsv.h"

#include <algorithm>
#include <cmath>

#include "core/Format.h"
#include "core/NumberPresentation.h"
#include "core/NumberText.h"
#include "report/ReportWriters.h"

namespace dralun {

namespace {

std::string HeaderCell(const RatingColumn& column)
{
    std::string cell = RatingColumnTitle(column);
    if (!column.unit.empty() && column.unit != "-" && column.unit != "1")
        cell += " [" + column.unit + "]";
    return cell;
}

// "Ausnutzung Q/Qv [%]" and "Nachweis Q ≤ Qv".
std::string UtilisationHeader(const VerdictTerms& terms)
{
    if (terms.demandSymbol.empty() || terms.limitSymbol.empty())
        return "Ausnutzung [%]";
    return "Ausnutzung " + terms.demandSymbol + "/" + terms.limitSymbol + " [%]";
}

std::string VerdictHeader(const VerdictTerms& terms)
{
    if (terms.demandSymbol.empty() || terms.limitSymbol.empty())
        return "Nachweis";
    return "Nachweis " + terms.demandSymbol + " " + CheckSign(terms) + " " + terms.limitSymbol;
}

std::string Commas(std::string text)
{
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// A cell of the table in the spreadsheet's notation: a number rounded for
// its unit or as the form wrote it; other texts as they are.
std::string ValueCell(const std::string& text, const std::string& unit, CsvStyle style, CsvDigits digits)
{
    const std::optional<double> value = ParseFieldNumber(text);
    if (!value)
        return text;
    if (digits == CsvDigits::Rounded)
        return RoundedText(*value, unit, style.decimalComma);
    return style.decimalComma ? Commas(text) : text;
}

// The varied input as it was typed: rounded, it could read like its neighbour.
std::string InputCell(const RatingRow& row, CsvStyle style, CsvDigits digits)
{
    std::string text = row.inputText.empty() ? FormatG15(row.input) : row.inputText;
    if (digits == CsvDigits::Rounded)
        text = TypedText(text);
    return style.decimalComma && ParseFieldNumber(text) ? Commas(text) : text;
}

std::string UtilisationCell(const RatingVerdict& verdict, CsvStyle style, CsvDigits digits)
{
    if (!std::isfinite(verdict.utilisation))
        return {};
    if (digits == CsvDigits::Rounded)
        return RoundedText(verdict.utilisation, "%", style.decimalComma);
    const std::string text = FormatG15(verdict.utilisation);
    return style.decimalComma ? Commas(text) : text;
}

std::string MessageCell(const RatingRow& row)
{
    // A refused row says why; a row with cells left out says why first,
    // then what else the form said (its message box is not said twice).
    std::string text = row.refused.empty() ? row.partly : row.refused;
    if (row.refused.empty())
        for (const std::string& m : row.messages)
            if (m != row.partly)
                text += (text.empty() ? "" : " | ") + m;
    // A message of several lines stays in one cell of one line.
    std::string cell;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        cell += text[i] == '\n' || text[i] == '\r' ? ' ' : text[i];
    }
    return cell;
}

void Append(std::string& line, const std::string& cell, CsvStyle style, bool first)
{
    if (!first)
        line += style.separator;
    if (cell.find_first_of(std::string{style.separator, '"', '\n', '\r'}) == std::string::npos) {
        line += cell;
        return;
    }
    line += '"';
    for (char c : cell) {
        if (c == '"')
            line += '"';
        line += c;
    }
    line += '"';
}

} // namespace

std::string RatingCsv(const RatingTable& table, CsvStyle style, CsvDigits digits)
{
    std::string csv = style.byteOrderMark ? kUtf8ByteOrderMark : "";
    Append(csv, HeaderCell(table.varied), style, true);
    for (const RatingColumn& column : table.columns)
        Append(csv, HeaderCell(column), style, false);
    if (table.verdict) {
        Append(csv, UtilisationHeader(*table.verdict), style, false);
        Append(csv, VerdictHeader(*table.verdict) + CriteriaSuffix(table), style, false);
    }
    Append(csv, "Meldung", style, false);
    csv += '\n';
    for (const RatingRow& row : table.rows) {
        Append(csv, InputCell(row, style, digits), style, true);
        for (size_t i = 0; i < table.columns.size(); ++i) {
            const std::string text = i < row.texts.size() ? row.texts[i] : std::string();
            Append(csv, row.refused.empty() ? ValueCell(text, table.columns[i].unit, style, digits) : std::string("-"),
                   style, false);
        }
        if (table.verdict) {
            const bool refused = !row.refused.empty();
            Append(csv, refused ? "-" : row.verdict ? UtilisationCell(*row.verdict, style, digits) : "", style, false);
            Append(csv, refused ? "-" : row.verdict ? VerdictWord(row.verdict->met) : "", style, false);
        }
        Append(csv, MessageCell(row), style, false);
        csv += '\n';
    }
    return csv;
}

} // namespace dralun
