#include "gui/report/ReportRows.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>

#include "core/Format.h"
#include "gui/report/RatingRows.h"
#include "gui/report/ReportPicture.h"
#include "gui/report/RowMaker.h"
#include "report/Report.h"
#include "report/ReportWriters.h"

namespace dralun {

double Mm(const QPaintDevice& device, double mm) { return mm * device.logicalDpiY() / 25.4; }
double Pt(const QPaintDevice& device, double pt) { return pt * device.logicalDpiY() / 72.0; }

// No ligatures: "Abfluss" set with an fl ligature would be found by no
// search in the PDF and copied out as another word. No hinting: Windows
// would round every letter's width to whole device pixels, and a report
// would break its lines otherwise than on Linux.
QFont ReportFont(double points, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QFont ReportFixedFont(double points)
{
    QFont font = ReportFont(points);
    font.setFamily(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    return font;
}

// ---- wrapped text -------------------------------------------------------------

TextBlock::TextBlock(const QString& text, const QFont& font, double width, const QPaintDevice& device,
                     Qt::Alignment align)
{
    QTextOption option(align);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font, &device);
        layout->setTextOption(option);
        layout->beginLayout();
        double y = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout->endLayout();
        m_tops.push_back(m_height);
        m_height += y;
        m_layouts.push_back(std::move(layout));
    }
}

TextBlock::TextBlock(TextBlock&&) noexcept = default;
TextBlock& TextBlock::operator=(TextBlock&&) noexcept = default;
TextBlock::~TextBlock() = default;

void TextBlock::Draw(QPainter& painter, QPointF topLeft) const
{
    for (size_t i = 0; i < m_layouts.size(); ++i)
        m_layouts[i]->draw(&painter, topLeft + QPointF(0, m_tops[i]));
}

ReportRow HeadingRow(const QString& title, const QPaintDevice& device, double width)
{
    ReportRow row;
    row.page.spaceBefore = Pt(device, 16);
    row.page.keepWithNext = true;
    row.texts.push_back({QPointF(0, 0), TextBlock(title, ReportFont(12, true), width, device), kReportInk});
    row.page.height = row.texts.back().block.Height() + Pt(device, 3);
    row.ruleColour = kReportGrey;
    row.rules.push_back(QLineF(0, row.page.height, width, row.page.height));
    row.page.height += Pt(device, 4);
    return row;
}

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const QColor& kInk = kReportInk;
const QColor& kGrey = kReportGrey;
const QColor& kRule = kReportRule;

QString UnitText(const std::string& unit) { return unit == "-" ? QString() : Q(unit); }

using RowMaker = CRowMaker;

using Fonts = ReportFonts;


void Heading(RowMaker& m, const Fonts&, const QString& title)
{
    m.Row(HeadingRow(title, m.Device(), m.Width()));
}

// A line of text on its own, as a row.
void Line(RowMaker& m, const QString& text, const QFont& font, double indent = 0, bool keepWithNext = false,
          double spaceBefore = 0)
{
    m.Begin(spaceBefore, keepWithNext);
    m.Text(text, font, indent, 0, m.Width() - indent);
    m.End(m.P(2), false);
}

// ---- part 1: the head -----------------------------------------------------------

void Head(RowMaker& m, const Fonts& f, const Report& r)
{
    m.Begin();
    m.Text(Q(r.title) + QStringLiteral(" (Formular %1)").arg(r.form), f.title, 0, 0, m.Width());
    m.End(m.P(8), false);

    std::vector<std::pair<QString, QString>> lines;
    if (r.method != r.title)
        lines.emplace_back(QStringLiteral("Verfahren"), Q(r.method));
    lines.emplace_back(QStringLiteral("Projekt"), Q(r.header.project));
    lines.emplace_back(QStringLiteral("Bauwerk / Abschnitt"), Q(r.header.structure));
    lines.emplace_back(QStringLiteral("Bearbeiter"), Q(r.header.engineer));
    lines.emplace_back(QStringLiteral("Datum"), Q(r.header.date));
    lines.emplace_back(QStringLiteral("Bemerkung"), Q(r.header.remark));
    double labelWidth = 0;
    for (const auto& line : lines)
        labelWidth = std::max(labelWidth, m.TextWidth(line.first, f.bold));
    labelWidth += m.P(12);
    for (const auto& [label, value] : lines) {
        m.Begin(m.P(2));
        m.Text(label, f.bold, 0, 0, labelWidth);
        m.Text(value, f.text, labelWidth, 0, m.Width() - labelWidth);
        m.End(m.P(2), true);
    }
}

// ---- parts 2 and 4: inputs and results ----------------------------------------

struct Columns {
    double label, symbol, value, unit; // left edges
    double labelW, symbolW, valueW, unitW;
};

Columns TableColumns(const RowMaker& m, const Fonts& f, const Report& r)
{
    const double gap = m.P(8);
    double symbol = m.TextWidth(QStringLiteral("Zeichen"), f.smallBold);
    double value = m.TextWidth(QStringLiteral("Wert"), f.smallBold);
    double unit = m.TextWidth(QStringLiteral("Einheit"), f.smallBold);
    for (const auto* list : {&r.inputs, &r.results})
        for (const ReportEntry& e : *list) {
            symbol = std::max(symbol, m.TextWidth(Q(e.symbol), f.text));
            value = std::max(value, m.TextWidth(Q(e.text), f.text));
            unit = std::max(unit, m.TextWidth(UnitText(e.unit), f.text));
        }
    const double w = m.Width();
    Columns c{};
    c.symbolW = std::min(symbol + gap, 0.16 * w);
    c.valueW = std::min(value + gap, 0.32 * w);
    c.unitW = std::min(unit + gap, 0.14 * w);
    c.labelW = w - c.symbolW - c.valueW - c.unitW;
    c.label = 0;
    c.symbol = c.labelW;
    c.value = c.symbol + c.symbolW;
    c.unit = c.value + c.valueW;
    return c;
}

void Entries(RowMaker& m, const Fonts& f, const Columns& c, const std::vector<ReportEntry>& entries)
{
    if (entries.empty()) {
        Line(m, QStringLiteral("Keine."), f.text);
        return;
    }
    const double gap = m.P(8);
    m.Begin(0, true);
    m.Text(QStringLiteral("Größe"), f.smallBold, c.label, 0, c.labelW - gap, Qt::AlignLeft, kGrey);
    m.Text(QStringLiteral("Zeichen"), f.smallBold, c.symbol, 0, c.symbolW - gap, Qt::AlignLeft, kGrey);
    m.Text(QStringLiteral("Wert"), f.smallBold, c.value, 0, c.valueW - gap, Qt::AlignLeft, kGrey);
    m.Text(QStringLiteral("Einheit"), f.smallBold, c.unit, 0, c.unitW, Qt::AlignLeft, kGrey);
    m.End(m.P(2), true);
    for (const ReportEntry& e : entries) {
        m.Begin(m.P(2));
        m.Text(Q(e.label), f.text, c.label, 0, c.labelW - gap);
        m.Text(Q(e.symbol), f.text, c.symbol, 0, c.symbolW - gap);
        m.Text(Q(e.text), f.text, c.value, 0, c.valueW - gap);
        m.Text(UnitText(e.unit), f.text, c.unit, 0, c.unitW);
        m.End(m.P(2), true);
    }
}

// ---- part 3: the steps ------------------------------------------------------------

void Steps(RowMaker& m, const Fonts& f, const Report& r)
{
    if (r.steps.empty()) {
        Line(m, r.refusal.empty() ? QStringLiteral("Keine Rechenschritte aufgezeichnet.")
                                  : QStringLiteral("Nicht berechnet (siehe Hinweise)."),
             f.text);
        return;
    }
    const double number = m.TextWidth(QString::number(r.steps.size()) + QStringLiteral(".  "), f.bold);
    const double indent = number + m.P(12);
    int n = 0;
    for (const CalcStep& s : r.steps) {
        m.Begin(m.P(3));
        m.Text(QStringLiteral("%1.").arg(++n), f.bold, 0, 0, number);
        double y = m.Text(Q(s.text), f.text, number, 0, m.Width() - number) + m.P(1);

        const QString symbol = Q(s.symbol);
        std::vector<QString> right;
        for (const std::string& line : StepLines(s))
            right.push_back(Q(line));
        if (!UnitText(s.unit).isEmpty())
            right.back() += QLatin1Char(' ') + UnitText(s.unit);

        // "symbol =" on the first line, "=" under its sign on the others.
        const double space = m.TextWidth(QStringLiteral(" "), f.text);
        const double left = std::min(m.TextWidth(symbol + QStringLiteral(" ="), f.text) + space / 2,
                                     0.35 * (m.Width() - indent));
        for (size_t i = 0; i < right.size(); ++i) {
            const QString sign = i == 0 ? symbol + QStringLiteral(" =") : QStringLiteral("=");
            const double h1 = m.Text(sign, f.text, indent, y, left, Qt::AlignRight);
            const double h2 = m.Text(right[i], f.text, indent + left + space, y, m.Width() - indent - left - space);
            y += std::max(h1, h2);
        }
        m.End(m.P(3), true);
    }
}

// ---- part 5: the notes -------------------------------------------------------------

void Notes(RowMaker& m, const Fonts& f, const Report& r, double bodyHeight)
{
    const double indent = m.P(12);
    auto paragraphs = [&](const QString& text, bool first) {
        m.Begin(first ? m.P(2) : 0);
        if (first)
            m.Text(QStringLiteral("–"), f.text, 0, 0, indent);
        m.Text(text, f.text, indent, 0, m.Width() - indent);
        m.End(m.P(2), false);
    };
    // A note is one row; one too long for a page, one row per paragraph.
    auto note = [&](const std::string& text) {
        paragraphs(Q(text), true);
        if (m.Last().page.height <= bodyHeight)
            return;
        m.DropLast();
        const QStringList parts = Q(text).split(QLatin1Char('\n'));
        for (int i = 0; i < parts.size(); ++i)
            paragraphs(parts[i], i == 0);
    };
    bool any = false;
    for (const std::string& message : r.messages) {
        if (message == r.refusal)
            continue;
        any = true;
        note(message);
    }
    if (!r.refusal.empty()) {
        any = true;
        Line(m, QStringLiteral("Nicht berechnet:"), f.bold, 0, true, m.P(4));
        note(r.refusal);
    }
    if (!any)
        Line(m, QStringLiteral("Keine."), f.text);
}

// ---- part 6: the data files ----------------------------------------------------------

void Files(RowMaker& m, const Fonts& f, const Report& r)
{
    if (r.files.empty()) {
        Line(m, QStringLiteral("Keine Datendatei gelesen."), f.text);
        return;
    }
    const double indent = m.P(12);
    for (const DataFileUse& file : r.files) {
        m.Begin(m.P(6), !file.rows.empty());
        double y = m.Text(Q(file.name) + QStringLiteral(", %1 Bytes").arg(file.bytes), f.bold, 0, 0, m.Width());
        y += m.Text(QStringLiteral("SHA-256: ") + Q(file.sha256), f.small, indent, y, m.Width() - indent);
        if (!file.rows.empty())
            m.Text(QStringLiteral("Verwendete Zeilen:"), f.small, indent, y + m.P(2), m.Width() - indent);
        m.End(m.P(2), false);
        for (const std::string& row : file.rows) {
            m.Begin();
            m.Text(Q(row), f.fixed, 2 * indent, 0, m.Width() - 2 * indent);
            m.End(m.P(1), false);
        }
    }
}

} // namespace

std::vector<ReportRow> ReportRows(const Report& r, const CForm& form, const QPaintDevice& device, double width,
                                  double bodyHeight)
{
    const Fonts f;
    RowMaker m(device, width);
    Head(m, f, r);
    Heading(m, f, QStringLiteral("Eingaben"));
    const Columns columns = TableColumns(m, f, r);
    Entries(m, f, columns, r.inputs);
    Heading(m, f, QStringLiteral("Rechengang"));
    Steps(m, f, r);
    if (r.refusal.empty() || !r.results.empty()) {
        Heading(m, f, QStringLiteral("Ergebnisse"));
        Entries(m, f, columns, r.results);
    }
    Heading(m, f, QStringLiteral("Hinweise"));
    Notes(m, f, r, bodyHeight);
    Heading(m, f, QStringLiteral("Daten"));
    Files(m, f, r);
    if (const int id = PictureIdOf(form); id >= 0) {
        Heading(m, f, QStringLiteral("Bild"));
        if (!r.refusal.empty() && r.results.empty()) {
            // What the picture would show does not belong to the inputs.
            Line(m, QStringLiteral("Kein Bild: nicht berechnet (siehe Hinweise)."), f.text);
        } else {
            // The picture on the page of its heading.
            m.Row(PictureRow(form, id, device, width, bodyHeight - m.P(40)));
            if (!r.refusal.empty())
                Line(m, QStringLiteral("Ein Teil der Ergebnisse wurde nicht berechnet (siehe Hinweise)."), f.text);
        }
    }
    std::vector<ReportRow> rows = m.Take();
    if (r.rating)
        AppendRatingRows(rows, *r.rating, device, width, bodyHeight);
    return rows;
}

} // namespace dralun
