#include "core/CRainfallTable.h"

#include <cmath>

#include "core/CDataDirectory.h"
#include "core/KeptFiles.h"
#include "core/NumberText.h"
#include "core/Platform.h"
#include "core/Sha256.h"
#include "core/TableText.h"

namespace dralun {

namespace {

constexpr int kHeaderLines = 9;
// Rows (from 0) in front of which the file has a line that is skipped.
constexpr int kAfterSkippedLine1 = 7;  // row 8, after line 17
constexpr int kAfterSkippedLine2 = 14; // row 15, after line 25
// Rows from this one on (from 0) hold hours.
constexpr int kFirstHourRow = 8;

// A duration in minutes; a number too large for the product counts as 0.
double Minutes(double value, bool hours)
{
    const double minutes = hours ? value * 60 : value;
    return std::isfinite(minutes) ? minutes : 0.0;
}

} // namespace

int CRainfallTable::ColumnForFrequency(double n)
{
    static const double kFrequencies[] = {2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01};
    for (int k = 0; k < 8; ++k)
        if (n == kFrequencies[k])
            return k + 1;
    return 4;
}

CRainfallTable::LoadResult CRainfallTable::Load(const std::string& fileName, double n)
{
    // A name that is no rainfall file (a directory, a FIFO, a device, a
    // huge file) cannot be opened either; the result says what it is. A
    // project's own copy of the file is read in its place while it is in use.
    LoadResult result;
    std::shared_ptr<const std::string> bytes;
    std::string shownName;
    if (const KeptFileCopy* kept = CUseKeptFiles::Find(fileName)) {
        bytes = kept->content;
        shownName = kept->name;
        result.fromProject = true;
        result.opened.size = bytes->size();
    } else {
        const std::filesystem::path path = CDataDirectory::UserFile(fileName);
        result.path = platform::TextOf(path);
        result.opened = CDataDirectory::ReadPath(path);
        CFile file = std::move(result.opened.file);
        if (!file)
            return result;
        std::optional<std::string> read = ReadRest(file.get());
        if (read)
            bytes = std::make_shared<const std::string>(std::move(*read));
        if (!bytes) {
            result.opened.problem = FileProblem::Unreadable;
            return result;
        }
        shownName = platform::TextOf(path.filename());
    }
    std::string_view text = *bytes;

    const int intensityField = FieldForFrequency(n);
    char line[kReadLength + 1];
    int& linesRead = result.linesRead;
    std::vector<int>& invalidLines = result.invalidLines;
    auto next = [&] {
        if (!ReadTableLine(text, line, sizeof line))
            return false;
        ++linesRead;
        return true;
    };
    // A field of the current line; one longer than the longest accepted
    // field is invalid and reads as missing.
    bool lineHasInvalidField = false;
    auto field = [&](int number) {
        std::string text = TableColumn(line, number);
        if (text.size() > kLongestField) {
            lineHasInvalidField = true;
            return std::string();
        }
        return text;
    };

    std::array<Row, kRows> rows{};
    int rowsRead = 0;
    bool more = true;
    for (int i = 0; i < kHeaderLines && more; ++i)
        more = next();
    for (int r = 0; r < kRows && more; ++r) {
        if ((r == kAfterSkippedLine1 || r == kAfterSkippedLine2) && !(more = next()))
            break;
        if (!(more = next()))
            break;
        lineHasInvalidField = false;
        Row& row = rows[static_cast<size_t>(r)];
        row.line = linesRead;
        row.durationText = field(1);
        row.unitText = field(2);
        row.intensityText = field(intensityField);
        const double duration = ClassicAtof(row.durationText);
        row.duration = Minutes(duration, r >= kFirstHourRow);
        if (row.duration == 0 && duration != 0)
            lineHasInvalidField = true;
        row.intensity = ClassicAtof(row.intensityText);
        if (!row.intensityText.empty() && DecimalPrefixLength(row.intensityText) == 0)
            result.missingLines.push_back(linesRead);
        if (lineHasInvalidField)
            invalidLines.push_back(linesRead);
        rowsRead = r + 1;
    }
    m_rows = rows;
    m_rowsRead = rowsRead;
    // The stamp is of the very bytes read, and a project keeps them.
    m_stamp = DataFileUse{shownName, bytes->size(), Sha256Hex(*bytes), {},
                          bytes->size() <= kLargestKeptFile ? bytes : nullptr};
    m_column = ColumnForFrequency(n);
    m_missing = !result.missingLines.empty();

    result.loaded = true;
    return result;
}

bool CRainfallTable::HasRain() const
{
    for (int i = 1; i <= kRows; ++i) {
        const double r = RainOfRow(i).intensity;
        if (std::isfinite(r) && r > 0)
            return true;
    }
    return false;
}

std::vector<std::string> CRainfallTable::FillDurationList() const
{
    std::vector<std::string> entries;
    for (int r = 0; r < m_rowsRead; ++r)
        entries.push_back(m_rows[static_cast<size_t>(r)].durationText + (r < kFirstHourRow ? " min" : " h"));
    return entries;
}

CRainfallTable::Rain CRainfallTable::RainOfRow(int i) const
{
    const Row& row = RowAt(i);
    return {Minutes(ClassicAtof(row.durationText), row.unitText == "h"), ClassicAtof(row.intensityText)};
}

std::optional<CRainfallTable::Rain> CRainfallTable::TakeSelectedDuration(int index) const
{
    if (index < 0 || index >= m_rowsRead)
        return std::nullopt;
    // A row without a value gives none, not 0.
    const std::string& text = m_rows[static_cast<size_t>(index)].intensityText;
    if (!text.empty() && DecimalPrefixLength(text) == 0)
        return std::nullopt;
    return RainOfRow(index + 1);
}

} // namespace dralun
