#include "rating/RatingCsv.h"

#include <algorithm>

#include "core/Format.h"
#include "core/NumberText.h"

namespace dralun {

namespace {

std::string HeaderCell(const RatingColumn& column)
{
    std::string cell = Format("%d %s", column.id, column.label.empty() ? column.name.c_str() : column.label.c_str());
    if (!column.unit.empty() && column.unit != "-" && column.unit != "1")
        cell += " [" + column.unit + "]";
    return cell;
}

// A number of the table in the spreadsheet's notation; other texts as they are.
std::string ValueCell(std::string text, CsvStyle style)
{
    if (style.decimalComma && ParseFieldNumber(text))
        std::replace(text.begin(), text.end(), '.', ',');
    return text;
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

std::string RatingCsv(const RatingTable& table, CsvStyle style)
{
    std::string csv;
    Append(csv, HeaderCell(table.varied), style, true);
    for (const RatingColumn& column : table.columns)
        Append(csv, HeaderCell(column), style, false);
    Append(csv, "Meldung", style, false);
    csv += '\n';
    for (const RatingRow& row : table.rows) {
        const std::string input = row.inputText.empty() ? FormatG15(row.input) : row.inputText;
        Append(csv, ValueCell(input, style), style, true);
        for (size_t i = 0; i < table.columns.size(); ++i) {
            const std::string text = i < row.texts.size() ? row.texts[i] : std::string();
            Append(csv, row.refused.empty() ? ValueCell(text, style) : std::string("-"), style, false);
        }
        Append(csv, MessageCell(row), style, false);
        csv += '\n';
    }
    return csv;
}

} // namespace dralun
