#include "gui/report/ReportRows.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "core/Format.h"
#include "core/NumberPresentation.h"
#include "core/NumberText.h"
#include "gui/report/InflowRows.h"
#include "gui/report/RatingRows.h"
#include "gui/report/ReportPicture.h"
#include "gui/report/RowMaker.h"
#include "gui/report/StepRows.h"
#include "report/DataFileHead.h"
#include "report/Report.h"
#include "report/ReportWriters.h"
#include "report/TextbookFormula.h"

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
    for (const QString& paragraph : text.split(QLatin1Char('\n')))
        Lay(paragraph, {}, font, width, device, align);
}

TextBlock::TextBlock(const QString& text, const QList<QTextLayout::FormatRange>& formats, const QFont& font,
                     double width, const QPaintDevice& device, Qt::Alignment align)
{
    Lay(text, formats, font, width, device, align);
}

void TextBlock::Lay(const QString& paragraph, const QList<QTextLayout::FormatRange>& formats, const QFont& font,
                    double width, const QPaintDevice& device, Qt::Alignment align)
{
    QTextOption option(align);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    auto layout = std::make_unique<QTextLayout>(paragraph, font, &device);
    layout->setTextOption(option);
    if (!formats.isEmpty())
        layout->setFormats(formats);
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

QString PiecesText(const FormulaPieces& pieces, QList<QTextLayout::FormatRange>* formats)
{
    QString text;
    for (const FormulaPiece& p : pieces) {
        const QString part = QString::fromStdString(p.text);
        if (p.script != Script::Normal && formats) {
            QTextLayout::FormatRange range;
            range.start = static_cast<int>(text.size());
            range.length = static_cast<int>(part.size());
            range.format.setVerticalAlignment(p.script == Script::Super ? QTextCharFormat::AlignSuperScript
                                                                        : QTextCharFormat::AlignSubScript);
            formats->append(range);
        }
        text += part;
    }
    return text;
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

// The text of the page: with a decimal comma where the head asks for one.
QString PageText(const std::string& text, const CPageNumbers& numbers)
{
    return Q(numbers.DecimalComma() ? WithDecimalComma(text) : text);
}

// ---- part 1: the head -----------------------------------------------------------

void Head(RowMaker& m, const Fonts& f, const Report& r, const CPageNumbers& numbers)
{
    m.Begin();
    m.Text(Q(r.title) + (r.header.shortForm ? QStringLiteral(" – Kurzfassung") : QString()), f.title, 0, 0,
           m.Width());
    m.End(m.P(8), false);

    std::vector<std::pair<QString, QString>> lines;
    const FormulaPieces method = TextbookUnit(numbers.DecimalComma() ? WithDecimalComma(r.method) : r.method);
    if (r.method != r.title)
        lines.emplace_back(QStringLiteral("Verfahren"), QString());
    if (!r.methodNote.empty())
        lines.emplace_back(QString(), Q(r.methodNote));
    for (const auto& [label, value] : HeadLines(r.header))
        if (!r.header.shortForm || !value.empty()) // the short form leaves out what is not filled in
            lines.emplace_back(Q(label), Q(value));
    double labelWidth = 0;
    for (const auto& line : lines)
        labelWidth = std::max(labelWidth, m.TextWidth(line.first, f.bold));
    labelWidth += m.P(12);
    for (const auto& [label, value] : lines) {
        m.Begin(m.P(2));
        m.Text(label, f.bold, 0, 0, labelWidth);
        if (label == QStringLiteral("Verfahren"))
            m.Text(method, f.text, labelWidth, 0, m.Width() - labelWidth);
        else
            m.Text(value, f.text, labelWidth, 0, m.Width() - labelWidth);
        m.End(m.P(2), true);
    }
}

// ---- parts 2 and 4: inputs and results ----------------------------------------

struct Columns {
    double label, symbol, value, unit; // left edges
    double labelW, symbolW, valueW, unitW;
};

FormulaPieces UnitPieces(const std::string& unit) { return unit == "-" ? FormulaPieces{} : TextbookUnit(unit); }

// An entry's value; a number with an exponent as a power of ten.
FormulaPieces ValuePieces(const ReportEntry& e, const CPageNumbers& numbers)
{
    const std::string text = numbers.EntryText(e);
    if (e.computed && ParseFieldNumber(e.text))
        return TextbookNumber(text, false);
    return {{text, Script::Normal}};
}

Columns TableColumns(const RowMaker& m, const Fonts& f, const Report& r, const CPageNumbers& numbers)
{
    const double gap = m.P(8);
    double symbol = m.TextWidth(QStringLiteral("Zeichen"), f.smallBold);
    double value = m.TextWidth(QStringLiteral("Wert"), f.smallBold);
    double unit = m.TextWidth(QStringLiteral("Einheit"), f.smallBold);
    for (const auto* list : {&r.inputs, &r.results})
        for (const ReportEntry& e : *list) {
            symbol = std::max(symbol, m.TextWidth(TextbookSymbol(e.symbol), f.text));
            value = std::max(value, m.TextWidth(ValuePieces(e, numbers), f.text));
            unit = std::max(unit, m.TextWidth(UnitPieces(e.unit), f.text));
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

void Entries(RowMaker& m, const Fonts& f, const Columns& c, const std::vector<ReportEntry>& entries,
             const CPageNumbers& numbers)
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
    const int head = static_cast<int>(m.Count()) - 1;
    for (const ReportEntry& e : entries) {
        m.Begin(m.P(2)).head = head;
        m.Text(PageText(e.label, numbers), f.text, c.label, 0, c.labelW - gap);
        m.Text(TextbookSymbol(e.symbol), f.text, c.symbol, 0, c.symbolW - gap);
        m.Text(ValuePieces(e, numbers), f.text, c.value, 0, c.valueW - gap);
        m.Text(UnitPieces(e.unit), f.text, c.unit, 0, c.unitW);
        m.End(m.P(2), true);
    }
}

// ---- the constants ------------------------------------------------------------------

// g, ν and π, each once, with unit and source, where a step uses them.
void Constants(RowMaker& m, const Fonts& f, const Report& r, const CPageNumbers& numbers)
{
    struct Constant {
        const char* symbol;
        const char* unit;
        const char* what;
    };
    static const Constant constants[] = {
        {"g", "m/s²", "Normfallbeschleunigung (festgelegter Normwert der Fallbeschleunigung)"},
        {"nu", "m²/s", "kinematische Zähigkeit des Wassers bei etwa 10 °C (Bemessungswert der Rohrhydraulik nach ATV-DVWK-A 110)"},
        {"pi", "", "Kreiszahl, gerechnet auf zehn Stellen genau"},
    };
    // g and ν as the computation has them; π to six digits (its ten are said).
    auto ConstantValue = [](const Constant& c, double value) {
        return std::string(c.symbol) == "pi" ? RoundedText(value, Rounding{5, 6, 5}) : ConstantText(value);
    };
    std::vector<std::pair<const Constant*, double>> used;
    for (const Constant& c : constants)
        for (const CalcStep& s : r.steps) {
            const auto arg = std::find_if(s.args.begin(), s.args.end(), [&](const auto& a) { return a.first == c.symbol; });
            if (arg != s.args.end()) {
                used.emplace_back(&c, arg->second);
                break;
            }
        }
    if (used.empty())
        return;
    Heading(m, f, QStringLiteral("Konstanten"));
    double left = 0;
    for (const auto& [c, value] : used) {
        FormulaPieces line = TextbookSymbol(c->symbol);
        line.push_back({std::string(" = "), Script::Normal});
        for (const FormulaPiece& p : TextbookNumber(ConstantValue(*c, value), numbers.DecimalComma()))
            line.push_back(p);
        line.push_back({" ", Script::Normal});
        for (const FormulaPiece& p : TextbookUnit(c->unit))
            line.push_back(p);
        left = std::max(left, m.TextWidth(line, f.text));
    }
    left += m.P(16);
    for (const auto& [c, value] : used) {
        m.Begin(m.P(2));
        FormulaPieces line = TextbookSymbol(c->symbol);
        line.push_back({std::string(std::string(c->symbol) == "pi" ? " ≈ " : " = "), Script::Normal});
        for (const FormulaPiece& p : TextbookNumber(ConstantValue(*c, value), numbers.DecimalComma()))
            line.push_back(p);
        line.push_back({" ", Script::Normal});
        for (const FormulaPiece& p : TextbookUnit(c->unit))
            line.push_back(p);
        m.Text(Joined(line), f.text, 0, 0, left);
        m.Text(PageText(c->what, numbers), f.text, left, 0, m.Width() - left);
        m.End(m.P(2), false);
    }
}

// ---- part 3: the steps ------------------------------------------------------------

void Steps(RowMaker& m, const Fonts& f, const Report& r, const CPageNumbers& numbers)
{
    if (r.steps.empty()) {
        Line(m, r.refusal.empty() ? QStringLiteral("Keine Rechenschritte aufgezeichnet.")
                                  : QStringLiteral("Nicht berechnet (siehe Hinweise)."),
             f.text);
        return;
    }
    StepRows(m, f, r.steps, numbers, r.header.shortForm);
}

// Where a short form leaves steps out, it says so before the steps it keeps.
void Omitted(RowMaker& m, const Fonts& f, const Report& r)
{
    if (r.omittedSteps)
        Line(m, Q(OmittedStepsText(r)), f.small, 0, !r.steps.empty());
}

// ---- the verdict ----------------------------------------------------------------------

const QColor kMet(0, 110, 40);
const QColor kNotMet(180, 20, 20);

void VerdictPart(RowMaker& m, const Fonts& f, const Report& r, const CPageNumbers& numbers)
{
    const Verdict& v = *r.verdict;
    const VerdictTerms& t = v.terms;
    Heading(m, f, QStringLiteral("Nachweis"));
    m.Begin(m.P(2), true);
    m.Text(PageText(ShownSymbols(t.question), numbers), f.bold, 0, 0, m.Width());
    m.End(m.P(4), false);

    // Demand and limit, each with its symbol, number and unit, and the sign between.
    auto quantity = [&](const std::string& text, const std::string& symbol, double value) {
        FormulaPieces line{{text.empty() ? text : ShownSymbols(text) + " ", Script::Normal}};
        for (const FormulaPiece& p : TextbookSymbol(symbol))
            line.push_back(p);
        line.push_back({" = ", Script::Normal});
        for (const FormulaPiece& p : TextbookNumber(RoundedText(value, t.unit), numbers.DecimalComma()))
            line.push_back(p);
        line.push_back({" ", Script::Normal});
        for (const FormulaPiece& p : UnitPieces(t.unit))
            line.push_back(p);
        return Joined(line);
    };
    const double indent = m.P(12);
    m.Begin(m.P(2), true);
    double y = m.Text(quantity(t.demandText, t.demandSymbol, v.demand), f.text, indent, 0, m.Width() - indent);
    y += m.Text(quantity(t.limitText, t.limitSymbol, v.limit), f.text, indent, y, m.Width() - indent);
    // The comparison: "Q = 40,0 l/s ≤ Qv = 97,9 l/s".
    FormulaPieces compare = quantity("", t.demandSymbol, v.demand);
    compare.push_back({std::string(" ") + ComparisonSign(v) + " ", Script::Normal});
    for (const FormulaPiece& p : quantity("", t.limitSymbol, v.limit))
        compare.push_back(p);
    m.Text(Joined(compare), f.bold, indent, y + m.P(2), m.Width() - indent);
    m.End(m.P(4), false);

    // The utilisation with its formula and numbers, as the step found it.
    m.Begin(m.P(2), true);
    const auto eta = std::find_if(r.steps.begin(), r.steps.end(), [](const CalcStep& s) { return s.symbol == "eta"; });
    if (eta != r.steps.end() && std::isfinite(v.utilisation)) {
        FormulaPieces line{{"Ausnutzung ", Script::Normal}};
        for (const FormulaPiece& p : TextbookSymbol("eta"))
            line.push_back(p);
        for (const FormulaPieces& part : numbers.StepLines(static_cast<std::size_t>(eta - r.steps.begin()))) {
            line.push_back({" = ", Script::Normal});
            line.insert(line.end(), part.begin(), part.end());
        }
        line.push_back({" %", Script::Normal});
        m.Text(Joined(line), f.text, indent, 0, m.Width() - indent);
    } else {
        m.Text(QStringLiteral("Ausnutzung: keine, denn %1 ist nicht größer als null.")
                   .arg(PiecesText(TextbookSymbol(t.limitSymbol), nullptr)),
               f.text, indent, 0, m.Width() - indent);
    }
    m.End(m.P(4), false);

    m.Begin(m.P(2));
    m.Text(QStringLiteral("Nachweis ") + QString::fromUtf8(VerdictWord(v.met)), f.heading, 0, 0, m.Width(),
           Qt::AlignLeft, v.met ? kMet : kNotMet);
    m.End(m.P(2), false);
}

// ---- part 5: the notes -------------------------------------------------------------

void Notes(RowMaker& m, const Fonts& f, const Report& r, double bodyHeight, const CPageNumbers& numbers)
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
        paragraphs(PageText(text, numbers), true);
        if (m.Last().page.height <= bodyHeight)
            return;
        m.DropLast();
        const QStringList parts = PageText(text, numbers).split(QLatin1Char('\n'));
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
    // Lines of the file as they stand in it, under a small title.
    auto lines = [&](const QString& title, const std::vector<std::string>& texts) {
        if (texts.empty())
            return;
        m.Begin(m.P(2), true);
        m.Text(title, f.small, indent, 0, m.Width() - indent);
        m.End(m.P(1), false);
        for (const std::string& text : texts) {
            m.Begin();
            m.Text(Q(text), f.fixed, 2 * indent, 0, m.Width() - 2 * indent);
            m.End(m.P(1), false);
        }
    };
    for (const DataFileUse& file : r.files) {
        const std::vector<std::string> head = DataFileHead(file);
        m.Begin(m.P(6), !file.rows.empty() || !head.empty());
        double y = m.Text(Q(file.name) + QStringLiteral(", %1 Bytes").arg(file.bytes), f.bold, 0, 0, m.Width());
        m.Text(QStringLiteral("SHA-256: ") + Q(file.sha256), f.small, indent, y, m.Width() - indent);
        m.End(m.P(2), false);
        lines(QString::fromUtf8(kDataFileHeadTitle), head);
        std::vector<std::string> rows; // the program's words about them: "Verf", not its short name
        for (const std::string& row : file.rows)
            rows.push_back(ShownSymbols(row));
        lines(QStringLiteral("Verwendete Zeilen:"), rows);
    }
}

} // namespace

void SignatureRows(CRowMaker& m, const ReportFonts& f, const SignatureBlock& s)
{
    // Two columns, each a title and its fields; an empty field is a rule to
    // write on, the same for every empty field.
    const double gap = m.P(24);
    const double columnW = (m.Width() - gap) / 2;
    double labelW = 0;
    const QString labels[] = {QStringLiteral("Ort:"), QStringLiteral("Datum:"), QStringLiteral("Name:"),
                              QStringLiteral("Unterschrift:")};
    for (const QString& label : labels)
        labelW = std::max(labelW, m.TextWidth(label, f.text));
    labelW += m.P(6);
    ReportRow& row = m.Begin(m.P(10), false);
    row.ruleColour = kReportInk;
    auto column = [&](double x, const QString& title, const std::string (&values)[4]) {
        double y = m.Text(title, f.bold, x, 0, columnW) + m.P(2);
        for (int i = 0; i < 4; ++i) {
            y += i == 3 ? m.P(10) : m.P(2); // room to sign
            const double h = m.Text(labels[i], f.text, x, y, labelW);
            if (values[i].empty())
                m.Last().rules.push_back(QLineF(x + labelW, y + h, x + columnW, y + h));
            else
                m.Text(Q(values[i]), f.text, x + labelW, y, columnW - labelW);
            y += h;
        }
    };
    const std::string made[4] = {s.place, s.date, s.name, {}};
    const std::string checked[4] = {};
    column(0, QStringLiteral("Aufgestellt:"), made);
    column(columnW + gap, QStringLiteral("Geprüft:"), checked);
    m.End(m.P(2), false);
}

std::vector<ReportRow> ReportRows(const Report& whole, const CForm& form, const QPaintDevice& device, double width,
                                  double bodyHeight, double pictureScale, bool pictureEarly)
{
    const Report r = ShortReport(whole);
    if (r.header.shortForm) { // the picture beside what it shows, and smaller
        pictureEarly = true;
        pictureScale = std::min(pictureScale, 0.6);
    }
    const Fonts f;
    const CPageNumbers numbers(r);
    RowMaker m(device, width);
    Head(m, f, r, numbers);
    Heading(m, f, QStringLiteral("Eingaben"));
    const Columns columns = TableColumns(m, f, r, numbers);
    Entries(m, f, columns, r.inputs, numbers);
    if (r.inflow)
        InflowRows(m, f, *r.inflow, r.header.decimalComma);
    if (!r.steps.empty())
        Constants(m, f, r, numbers);
    Heading(m, f, QStringLiteral("Rechengang"));
    Omitted(m, f, r);
    Steps(m, f, r, numbers);
    if (r.refusal.empty() || !r.results.empty()) {
        Heading(m, f, QStringLiteral("Ergebnisse"));
        Entries(m, f, columns, r.results, numbers);
    }
    if (r.verdict) {
        VerdictPart(m, f, r, numbers);
    } else if (!r.verdictNote.empty()) {
        Heading(m, f, QStringLiteral("Nachweis"));
        Line(m, PageText(r.verdictNote, numbers), f.text);
    }
    auto picture = [&] {
        if (const int id = PictureIdOf(form); id >= 0) {
            Heading(m, f, QStringLiteral("Bild"));
            if (!r.refusal.empty() && r.results.empty()) {
                // What the picture would show does not belong to the inputs.
                Line(m, QStringLiteral("Kein Bild: nicht berechnet (siehe Hinweise)."), f.text);
            } else {
                // The picture on the page of its heading.
                m.Row(PictureRow(form, id, device, width, (bodyHeight - m.P(40)) * pictureScale, pictureScale,
                                 r.header.decimalComma));
                if (!r.refusal.empty())
                    Line(m, QStringLiteral("Ein Teil der Ergebnisse wurde nicht berechnet (siehe Hinweise)."), f.text);
            }
        }
    };
    if (pictureEarly)
        picture();
    // A short form says "Hinweise" only where there are some.
    if (!r.header.shortForm || !r.refusal.empty() ||
        std::any_of(r.messages.begin(), r.messages.end(), [&](const std::string& m) { return m != r.refusal; })) {
        Heading(m, f, QStringLiteral("Hinweise"));
        Notes(m, f, r, bodyHeight, numbers);
    }
    Heading(m, f, QStringLiteral("Daten"));
    Files(m, f, r);
    if (!pictureEarly)
        picture();
    std::vector<ReportRow> rows = m.Take();
    if (r.rating)
        AppendRatingRows(rows, *r.rating, device, width, bodyHeight, r.header.decimalComma);
    if (r.signature) {
        CRowMaker sign(device, width);
        SignatureRows(sign, f, *r.signature);
        for (ReportRow& row : sign.Take())
            rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace dralun
