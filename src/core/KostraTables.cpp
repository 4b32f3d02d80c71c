// The readers of the KOSTRA-DWD import: the grid tables of the weather
// service (one table per rain duration, every cell of the atlas) and a table
// of one cell as a spreadsheet saves it or a user pastes it.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>

#include "core/KostraImport.h"
#include "core/NumberText.h"
#include "core/Sha256.h"

namespace dralun {

namespace {

std::string_view Trim(std::string_view s)
{
    const char* blanks = " \t\r\n\"";
    const size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The parts of `text` between separators; at most `most` parts, the last
// of them then holding the rest of the text.
std::vector<std::string_view> Split(std::string_view text, char separator, size_t most = SIZE_MAX)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = parts.size() + 1 < most ? text.find(separator, start) : std::string_view::npos;
        parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// Field `column` (from 0) of a line, nothing when the line has fewer.
std::optional<std::string_view> FieldOf(std::string_view line, size_t column, char separator)
{
    size_t start = 0;
    for (size_t c = 0; c < column; ++c) {
        start = line.find(separator, start);
        if (start == std::string_view::npos)
            return std::nullopt;
        ++start;
    }
    return line.substr(start, line.find(separator, start) - start);
}

// The lines of a text one after the other, without their line ends: LF,
// CR LF or a CR alone, as old Mac programs end lines.
class CLineCursor {
public:
    explicit CLineCursor(std::string_view text) : m_text(text) {}
    bool Next(std::string_view& line)
    {
        if (m_done)
            return false;
        ++m_number;
        const size_t end = m_text.find_first_of("\r\n", m_at);
        if (end == std::string_view::npos) {
            line = m_text.substr(m_at);
            m_done = true;
            return true;
        }
        line = m_text.substr(m_at, end - m_at);
        m_at = end + (m_text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        return true;
    }
    size_t Number() const { return m_number; } // of the line last given, from 1

private:
    std::string_view m_text;
    size_t m_at = 0, m_number = 0;
    bool m_done = false;
};

std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    CLineCursor cursor(text);
    for (std::string_view line; cursor.Next(line);)
        lines.push_back(line);
    return lines;
}

// The most columns a grid table's head may have: the atlas's tables have
// some thirty.
constexpr size_t kMostGridColumns = 1000;

// The text as UTF-8: itself when it is valid UTF-8 (lead byte, then its
// continuation bytes; no overlong two-byte forms), else read as Latin-1.
std::string Utf8Of(std::string_view text)
{
    bool valid = true;
    for (size_t i = 0; i < text.size() && valid;) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t follow = c < 0x80 ? 0 : (c >> 5) == 6 && c >= 0xC2 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
        valid = follow < 9 && i + follow < text.size();
        for (size_t k = 1; k <= follow && valid; ++k)
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        i += follow + 1;
    }
    if (valid)
        return std::string(text);
    std::string out;
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// A number with a decimal point or, when commaDecimal, a decimal comma.
std::optional<double> Number(std::string_view cell, bool commaDecimal)
{
    std::string text(Trim(cell));
    if (commaDecimal)
        std::replace(text.begin(), text.end(), ',', '.');
    return ParseFieldNumber(text);
}

// A cell as a message shows it: at most 40 bytes of it, cut before a
// character, as UTF-8.
std::string Shown(std::string_view cell)
{
    if (cell.size() <= 40)
        return Utf8Of(cell);
    size_t end = 40;
    while (end > 0 && (static_cast<unsigned char>(cell[end]) & 0xC0) == 0x80)
        --end;
    return Utf8Of(cell.substr(0, end)) + "…";
}

bool IsMissing(double value) { return std::fabs(value + 99.9) < 1e-9; }

std::optional<long long> IndexNumber(std::string_view text)
{
    text = Trim(text);
    if (text.empty() || text.size() > 15 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stoll(std::string(text));
}

int ReturnSlot(double years)
{
    for (size_t i = 0; i < kKostraReturnPeriods.size(); ++i)
        if (years == kKostraReturnPeriods[i])
            return static_cast<int>(i);
    return -1;
}

int DurationSlot(int minutes)
{
    for (size_t i = 0; i < kKostraDurations.size(); ++i)
        if (minutes == kKostraDurations[i])
            return static_cast<int>(i);
    return -1;
}

// "HN_010A" -> 10; prefix "HN_" or "UC_".
std::optional<int> PeriodOfColumn(std::string_view name, std::string_view prefix)
{
    const std::string upper = [&] {
        std::string u(Trim(name));
        for (char& c : u)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return u;
    }();
    if (upper.size() < prefix.size() + 2 || upper.compare(0, prefix.size(), prefix) != 0 || upper.back() != 'A')
        return std::nullopt;
    const auto digits = IndexNumber(std::string_view(upper).substr(prefix.size(), upper.size() - prefix.size() - 1));
    if (!digits || *digits > 1000)
        return std::nullopt;
    return static_cast<int>(*digits);
}

// A number, then the rest of the cell in lower case.
std::optional<std::pair<double, std::string>> NumberAndWord(std::string_view cell)
{
    std::string text = Lower(Trim(cell));
    std::replace(text.begin(), text.end(), ',', '.');
    const size_t length = DecimalPrefixLength(text);
    if (length == 0)
        return std::nullopt;
    const auto value = ParseFieldNumber(std::string_view(text).substr(0, length));
    if (!value)
        return std::nullopt;
    return std::make_pair(*value, std::string(Trim(std::string_view(text).substr(length))));
}

// "5 min", "72 h", "7 d" or a plain number of minutes.
std::optional<double> DurationOfCell(std::string_view cell)
{
    const auto parsed = NumberAndWord(cell);
    if (!parsed || parsed->first <= 0)
        return std::nullopt;
    const std::string& word = parsed->second;
    if (word.empty() || word == "min" || word == "minuten")
        return parsed->first;
    if (word == "h" || word == "std" || word == "stunden")
        return parsed->first * 60;
    if (word == "d" || word == "tag" || word == "tage")
        return parsed->first * 1440;
    return std::nullopt;
}

// "1 a", "T=1", "T = 100 a", "2a" or a plain number of years.
std::optional<double> ReturnPeriodOfCell(std::string_view cell)
{
    std::string text = Lower(Trim(cell));
    if (!text.empty() && text[0] == 't') {
        text = std::string(Trim(std::string_view(text).substr(1)));
        if (!text.empty() && text[0] == '=')
            text.erase(0, 1);
    }
    const auto parsed = NumberAndWord(text);
    if (!parsed || parsed->first <= 0)
        return std::nullopt;
    const std::string& word = parsed->second;
    if (word.empty() || word == "a" || word == "jahr" || word == "jahre")
        return parsed->first;
    return std::nullopt;
}

// Whether `word` stands in the text on its own (no letter either side).
bool HasWord(std::string_view text, std::string_view word)
{
    for (size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1)) {
        const bool before = at > 0 && std::isalpha(static_cast<unsigned char>(text[at - 1]));
        const size_t after = at + word.size();
        const bool behind = after < text.size() && std::isalpha(static_cast<unsigned char>(text[after]));
        if (!before && !behind)
            return true;
    }
    return false;
}

} // namespace

std::string KostraTextToUtf8(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    return Utf8Of(text);
}

bool IsKostraCellNumber(std::string_view text)
{
    return !text.empty() && text.size() <= 15 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string KostraAtlasFromFileName(std::string_view fileName)
{
    if (fileName.find("2010R") != std::string_view::npos)
        return "KOSTRA-DWD-2010R";
    if (fileName.find("2020") != std::string_view::npos)
        return "KOSTRA-DWD-2020";
    return "";
}

std::optional<int> KostraMinutesFromFileName(std::string_view fileName)
{
    std::optional<int> minutes;
    for (size_t at = fileName.find("_D"); at != std::string_view::npos; at = fileName.find("_D", at + 1)) {
        size_t end = at + 2;
        while (end < fileName.size() && std::isdigit(static_cast<unsigned char>(fileName[end])))
            ++end;
        if (end > at + 2 && end - at - 2 <= 6)
            minutes = static_cast<int>(*IndexNumber(fileName.substr(at + 2, end - at - 2)));
    }
    return minutes;
}

bool IsKostraGridTableName(std::string_view fileName)
{
    const auto minutes = KostraMinutesFromFileName(fileName);
    return minutes && DurationSlot(*minutes) >= 0;
}

KostraResult<KostraGridRow> ReadKostraGridTable(std::string_view fileName, std::string_view textIn,
                                                std::string_view wantedIndexRc)
{
    auto refuse = [&](KostraProblem why) {
        why.where = std::string(fileName);
        return KostraResult<KostraGridRow>{std::nullopt, std::move(why)};
    };
    const auto wanted = IndexNumber(wantedIndexRc);
    if (!wanted)
        return refuse({.status = KostraStatus::NotACellNumber, .text = std::string(wantedIndexRc)});
    const auto minutes = KostraMinutesFromFileName(fileName);
    if (!minutes)
        return refuse({.status = KostraStatus::NoDurationInName});

    // The table is read line by line as it lies in memory: a table of a
    // whole country holds some ten megabytes, and nothing the size of the
    // table is made beside it. The columns read are ASCII, so the bytes are
    // read as they are; only a cell a message shows is made UTF-8.
    std::string_view text = textIn;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);
    CLineCursor cursor(text);
    std::string_view headLine;
    bool found = false;
    while (!found && cursor.Next(headLine))
        found = !Trim(headLine).empty();
    if (!found)
        return refuse({.status = KostraStatus::EmptyTable});
    const std::vector<std::string_view> head = Split(headLine, ';', kMostGridColumns + 1);
    if (head.size() > kMostGridColumns)
        return refuse({.status = KostraStatus::TooManyColumns, .count = kMostGridColumns});
    int indexColumn = -1;
    std::array<int, kKostraReturnPeriods.size()> depthColumn, ucColumn;
    depthColumn.fill(-1);
    ucColumn.fill(-1);
    for (size_t c = 0; c < head.size(); ++c) {
        if (Lower(Trim(head[c])) == "index_rc")
            indexColumn = static_cast<int>(c);
        if (const auto t = PeriodOfColumn(head[c], "HN_"); t && ReturnSlot(*t) >= 0)
            depthColumn[static_cast<size_t>(ReturnSlot(*t))] = static_cast<int>(c);
        if (const auto t = PeriodOfColumn(head[c], "UC_"); t && ReturnSlot(*t) >= 0)
            ucColumn[static_cast<size_t>(ReturnSlot(*t))] = static_cast<int>(c);
    }
    if (indexColumn < 0)
        return refuse({.status = KostraStatus::NoIndexColumn});
    for (size_t i = 0; i < depthColumn.size(); ++i)
        if (depthColumn[i] < 0)
            return refuse({.status = KostraStatus::NoDepthColumn, .period = kKostraReturnPeriods[i]});

    // The cells of a row up to the last column read; the rest of the row stays unsplit.
    const int lastColumn = std::max({indexColumn, *std::max_element(depthColumn.begin(), depthColumn.end()),
                                     *std::max_element(ucColumn.begin(), ucColumn.end())});
    for (std::string_view line; cursor.Next(line);) {
        const auto index = FieldOf(line, static_cast<size_t>(indexColumn), ';');
        if (!index || IndexNumber(*index) != wanted)
            continue;
        const size_t l = cursor.Number() - 1;
        const std::vector<std::string_view> cells = Split(line, ';', static_cast<size_t>(lastColumn) + 2);
        KostraGridRow row;
        row.minutes = *minutes;
        row.source = {std::string(fileName), Sha256Hex(textIn)};
        bool any = false;
        auto take = [&](const std::array<int, kKostraReturnPeriods.size()>& columns, KostraValues& into,
                        bool depth) -> KostraProblem {
            for (size_t i = 0; i < columns.size(); ++i) {
                if (columns[i] < 0)
                    continue;
                if (columns[i] >= static_cast<int>(cells.size()))
                    return {.status = KostraStatus::TooFewColumns, .line = l + 1};
                const std::string_view cell = Trim(cells[static_cast<size_t>(columns[i])]);
                if (cell.empty())
                    continue;
                const auto value = Number(cell, true);
                if (!value)
                    return {.status = KostraStatus::NotANumber, .text = Shown(cell), .line = l + 1};
                if (IsMissing(*value))
                    continue;
                into[i] = *value;
                any = any || depth;
            }
            return {};
        };
        if (KostraProblem why = take(depthColumn, row.depth, true); !why.Ok())
            return refuse(why);
        if (KostraProblem why = take(ucColumn, row.uncertainty, false); !why.Ok())
            return refuse(why);
        if (!any)
            return refuse({.status = KostraStatus::OnlyMissingValues, .text = std::to_string(*wanted)});
        return {row, {}};
    }
    return refuse({.status = KostraStatus::CellNotInTable, .text = std::to_string(*wanted)});
}

KostraResult<KostraCell> KostraCellFromGridRows(const std::string& atlas, std::string_view indexRc,
                                                const std::vector<KostraGridRow>& rows)
{
    KostraCell cell;
    cell.atlas = atlas;
    const auto index = IndexNumber(indexRc);
    cell.indexRc = index ? std::to_string(*index) : std::string(indexRc);
    std::array<bool, kKostraDurations.size()> seen{};
    for (const KostraGridRow& row : rows) {
        const int d = DurationSlot(row.minutes);
        if (d < 0)
            continue;
        if (seen[static_cast<size_t>(d)])
            return {std::nullopt,
                    {.status = KostraStatus::DurationInTwoTables, .name = row.source.name, .minutes = row.minutes}};
        seen[static_cast<size_t>(d)] = true;
        cell.depth[static_cast<size_t>(d)] = row.depth;
        cell.uncertainty[static_cast<size_t>(d)] = row.uncertainty;
        cell.sources.push_back(row.source);
    }
    if (KostraProblem why = CheckKostraCell(cell); !why.Ok())
        return {std::nullopt, why};
    return {cell, {}};
}

KostraResult<KostraCell> ReadKostraCellTable(std::string_view sourceName, std::string_view textIn,
                                             KostraUnit assumed, const std::string& atlas,
                                             std::string_view indexRc)
{
    auto refuse = [&](KostraProblem why) {
        why.where = std::string(sourceName);
        return KostraResult<KostraCell>{std::nullopt, std::move(why)};
    };
    if (!indexRc.empty() && !IsKostraCellNumber(indexRc))
        return refuse({.status = KostraStatus::NotACellNumber, .text = Shown(indexRc)});
    const std::string text = KostraTextToUtf8(textIn);
    const char separator = text.find(';') != std::string::npos    ? ';'
                           : text.find('\t') != std::string::npos ? '\t'
                                                                  : ',';
    const bool commaDecimal = separator != ',';
    const std::vector<std::string_view> lines = Lines(text);

    // The head: the first line whose first cell is no duration and whose
    // other cells include at least two return periods.
    size_t headLine = lines.size();
    std::vector<int> slotOfColumn;
    for (size_t l = 0; l < lines.size() && headLine == lines.size(); ++l) {
        const std::vector<std::string_view> cells = Split(lines[l], separator);
        if (cells.size() < 3 || DurationOfCell(cells[0]))
            continue;
        std::vector<int> slots(cells.size(), -1);
        int periods = 0;
        for (size_t c = 1; c < cells.size(); ++c)
            if (const auto t = ReturnPeriodOfCell(cells[c])) {
                ++periods;
                slots[c] = ReturnSlot(*t);
            }
        if (periods >= 2) {
            headLine = l;
            slotOfColumn = slots;
        }
    }
    if (headLine == lines.size())
        return refuse({.status = KostraStatus::NoHead});
    for (size_t a = 0; a < slotOfColumn.size(); ++a)
        for (size_t b = a + 1; b < slotOfColumn.size(); ++b)
            if (slotOfColumn[a] >= 0 && slotOfColumn[a] == slotOfColumn[b])
                return refuse({.status = KostraStatus::PeriodTwiceInHead,
                               .period = kKostraReturnPeriods[static_cast<size_t>(slotOfColumn[a])]});

    // What the values are: the head lines may say so.
    bool saysDepth = false, saysIntensity = false;
    for (size_t l = 0; l <= headLine; ++l) {
        const std::string_view line = lines[l];
        saysDepth = saysDepth || HasWord(line, "hN") || HasWord(line, "mm");
        saysIntensity = saysIntensity || HasWord(line, "rN") || line.find("l/(s·ha)") != std::string_view::npos ||
                        line.find("l/(s ha)") != std::string_view::npos ||
                        line.find("l/(s*ha)") != std::string_view::npos;
    }
    if (saysDepth && saysIntensity)
        return refuse({.status = KostraStatus::BothUnits});
    const bool intensity = saysIntensity || (!saysDepth && assumed == KostraUnit::Intensity);

    KostraCell cell;
    cell.atlas = atlas;
    const auto index = IndexNumber(indexRc);
    cell.indexRc = index ? std::to_string(*index) : std::string(indexRc);
    cell.sources.push_back({std::string(sourceName), Sha256Hex(textIn)});
    if (!saysDepth && !saysIntensity)
        cell.assumedUnit = assumed;
    std::array<bool, kKostraDurations.size()> seen{};
    for (size_t l = headLine + 1; l < lines.size(); ++l) {
        const std::vector<std::string_view> cells = Split(lines[l], separator);
        const auto minutes = DurationOfCell(cells[0]);
        // Whole minutes of a duration the file can hold (7 d at most as a row).
        if (!minutes || *minutes != std::round(*minutes) || *minutes < 1 || *minutes > 1e6)
            continue;
        const int d = DurationSlot(static_cast<int>(*minutes));
        if (d < 0)
            continue; // e.g. 7 d: not a row of the rainfall file
        if (seen[static_cast<size_t>(d)])
            return refuse({.status = KostraStatus::DurationTwiceInTable,
                           .minutes = kKostraDurations[static_cast<size_t>(d)]});
        seen[static_cast<size_t>(d)] = true;
        for (size_t c = 1; c < cells.size() && c < slotOfColumn.size(); ++c) {
            if (slotOfColumn[c] < 0 || Trim(cells[c]).empty())
                continue;
            const auto value = Number(cells[c], commaDecimal);
            if (!value)
                return refuse({.status = KostraStatus::NotANumber, .text = Shown(Trim(cells[c])), .line = l + 1});
            if (IsMissing(*value))
                continue;
            cell.depth[static_cast<size_t>(d)][static_cast<size_t>(slotOfColumn[c])] =
                intensity ? *value * 60 * *minutes / 10000 : *value;
        }
    }
    if (KostraProblem why = CheckKostraCell(cell); !why.Ok())
        return refuse(why);
    return {cell, {}};
}

} // namespace dralun
