#include "gui/report/ProjectPrint.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <limits>

#include "gui/report/ReportPainter.h"
#include "gui/report/ReportRows.h"
#include "gui/report/RowMaker.h"
#include "core/NumberPresentation.h"
#include "core/Platform.h"
#include "forms/MainFields.h"
#include "project/ProjectReports.h"
#include "report/TextbookFormula.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const QColor& kGrey = kReportGrey;

constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// A calculation as the title page lists it.
struct ListEntry {
    QString number;
    QString name;
    QString form;
    QString result;
    QString verdict; // "erfüllt (40,8 %)", "nicht erfüllt …" or "–"
    QColor verdictColour = kReportInk;
    QString page;
    QStringList notes; // what reads differently now than when it was kept
};

// The rows of the title pages; the head of the list begins every page the
// list continues on.
struct TitleRows {
    std::vector<ReportRow> rows;
    std::size_t listHead = kNone;
};

// The title pages laid out: rows[order[k]] goes to places[k].
struct TitleLayout {
    TitleRows rows;
    std::vector<std::size_t> order;
    std::vector<RowPlace> places;
    int pages = 1;
};

// The rows of the title pages, and which of them heads the list.
class TitleMaker : public CRowMaker {
public:
    using CRowMaker::CRowMaker;
    void MarkListHead() { m_listHead = Count() - 1; }
    TitleRows Take() { return {CRowMaker::Take(), m_listHead}; }

private:
    std::size_t m_listHead = kNone;
};

using Fonts = ReportFonts;

void Head(TitleMaker& m, const Fonts& f, const QString& title, const ReportHeader& head)
{
    m.Begin(0, false);
    m.Text(title, f.title, 0, 0, m.Width());
    m.End(m.P(8), false);
    const std::pair<QString, QString> lines[] = {
        {QStringLiteral("Projekt"), Q(head.project)},       {QStringLiteral("Projekt-Nr."), Q(head.number)},
        {QStringLiteral("Auftraggeber"), Q(head.client)},   {QStringLiteral("Planung"), Q(head.office)},
        {QStringLiteral("Bearbeiter"), Q(head.engineer)},   {QStringLiteral("Ort"), Q(head.place)},
        {QStringLiteral("Datum"), Q(head.date)}};
    double labelWidth = 0;
    for (const auto& line : lines)
        labelWidth = std::max(labelWidth, m.TextWidth(line.first, f.bold));
    labelWidth += m.P(12);
    for (const auto& [label, value] : lines) {
        m.Begin(m.P(2), false);
        m.Text(label, f.bold, 0, 0, labelWidth);
        m.Text(value, f.text, labelWidth, 0, m.Width() - labelWidth);
        m.End(m.P(2), true);
    }
    m.Begin(m.P(16), true);
    m.Text(QStringLiteral("Berechnungen"), f.heading, 0, 0, m.Width());
    m.End(m.P(3), true, kGrey);
    m.End(m.P(4), false);
}

// Number, name and form, main result and first page of every calculation. The
// page column is as wide for every count of pages a project can have, so
// that the rows are as tall whatever pages they name.
void List(TitleMaker& m, const Fonts& f, const std::vector<ListEntry>& entries)
{
    if (entries.empty()) {
        m.Begin(0, false);
        m.Text(QStringLiteral("Das Projekt enthält keine Berechnung."), f.text, 0, 0, m.Width());
        m.End(m.P(2), false);
        return;
    }
    const double gap = m.P(8);
    const double numberW =
        std::max(m.TextWidth(QStringLiteral("Nr."), f.smallBold), m.TextWidth(entries.back().number, f.text)) + gap;
    const double pageW =
        std::max(m.TextWidth(QStringLiteral("Seite"), f.smallBold), m.TextWidth(QStringLiteral("00000"), f.text)) +
        gap;
    const double rest = m.Width() - numberW - pageW;
    const double nameW = 0.4 * rest;
    const double resultW = 0.37 * rest;
    // left edges: number, name, result, verdict, page
    const double x[] = {0, numberW, numberW + nameW, numberW + nameW + resultW, m.Width() - pageW};
    const double w[] = {numberW - gap, nameW - gap, resultW - gap, x[4] - x[3] - gap, pageW};
    const Qt::Alignment align[] = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignRight};

    m.Begin(0, true);
    const char* const heads[] = {"Nr.", "Berechnung", "Hauptergebnis", "Nachweis", "Seite"};
    for (int c = 0; c < 5; ++c)
        m.Text(QString::fromUtf8(heads[c]), f.smallBold, x[c], 0, w[c], align[c], kGrey);
    m.End(m.P(2), true);
    m.MarkListHead();

    // The name, and under it the form; what reads differently now under both.
    for (const ListEntry& e : entries) {
        m.Begin(m.P(2), false);
        const double name = m.Text(e.name, f.text, x[1], 0, w[1]);
        double height = name + m.Text(e.form, f.small, x[1], name + m.P(1), w[1], Qt::AlignLeft, kGrey) + m.P(1);
        const std::pair<int, QString> others[] = {{0, e.number}, {2, e.result}, {4, e.page}};
        for (const auto& [c, text] : others)
            height = std::max(height, m.Text(text, f.text, x[c], 0, w[c], align[c]));
        height = std::max(height, m.Text(e.verdict, f.text, x[3], 0, w[3], align[3], e.verdictColour));
        if (!e.notes.isEmpty())
            m.Text(e.notes.join(QLatin1Char('\n')), f.small, x[1], height + m.P(1), x[4] - x[1] - gap,
                   Qt::AlignLeft, kGrey);
        m.End(m.P(2), true);
    }
}

// Cuts the title rows into pages; every page the list continues on begins
// with the list's head.
TitleLayout LayOut(TitleRows rows, double bodyHeight)
{
    TitleLayout laid;
    for (std::size_t i = 0; i < rows.rows.size(); ++i)
        laid.order.push_back(i);
    for (std::size_t from = 1;;) {
        std::vector<PageRow> measured;
        for (std::size_t i : laid.order)
            measured.push_back(rows.rows[i].page);
        laid.places = Paginate(measured, bodyHeight);
        if (rows.listHead == kNone)
            break;
        std::size_t k = from;
        while (k < laid.order.size() && !(laid.order[k] > rows.listHead &&
                                          laid.places[k].page > laid.places[k - 1].page &&
                                          laid.order[k - 1] != rows.listHead))
            ++k;
        if (k == laid.order.size())
            break;
        laid.order.insert(laid.order.begin() + static_cast<std::ptrdiff_t>(k), rows.listHead);
        from = k + 1; // the pages before stay as they are
    }
    laid.rows = std::move(rows);
    laid.pages = laid.places.empty() ? 1 : laid.places.back().page + 1;
    return laid;
}

// The main results, each on a line of its own, with the digits its report's
// pages (and the form) show: "Qv = 97,9 l/s".
QString ResultLines(const Report& report, const CForm& form)
{
    if (report.results.empty())
        return QStringLiteral("nicht berechnet");
    const CPageNumbers numbers(report);
    QStringList lines;
    for (const int id : MainResultIds(form))
        for (const ReportEntry& e : report.results)
            if (e.id == id) {
                const bool unit = e.computed && !e.unit.empty() && e.unit != "-" && e.unit != "1";
                lines << Q(ShownSymbol(e.symbol) + " = " + numbers.EntryText(e) +
                           (unit ? " " + e.unit : std::string()));
            }
    return lines.join(QLatin1Char('\n'));
}

// A calculation's verdict for the list, in words and coloured.
void VerdictEntry(const Report& report, ListEntry& e)
{
    if (!report.verdict) {
        e.verdict = QStringLiteral("–");
        return;
    }
    const Verdict& v = *report.verdict;
    e.verdict = QString::fromUtf8(VerdictWord(v.met));
    if (std::isfinite(v.utilisation))
        e.verdict += QStringLiteral("\n(") + Q(UtilisationText(v.utilisation, report.header.decimalComma)) +
                     QStringLiteral(" %)");
    e.verdictColour = v.met ? QColor(0, 110, 40) : QColor(180, 20, 20);
}

QString ChangeNote(const ResultChange& change)
{
    return QStringLiteral("Jetzt anders als gespeichert: ") + Q(ChangeText(change));
}

} // namespace

QString ProjectTitle(const std::string& fileTitle, const ReportHeader& head)
{
    if (!head.project.empty())
        return Q(head.project);
    return fileTitle.empty() ? QStringLiteral("Projekt") : QStringLiteral("Projekt ") + Q(fileTitle);
}

void PaintProject(const std::string& fileTitle, const ReportHeader& head, const std::vector<ProjectReport>& reports,
                  const std::vector<UnusableEntry>& unusable, QPagedPaintDevice& device, QPainter& painter)
{
    // Every report laid out first: the title page names the page each begins
    // on. Each is printed with the decimal sign the project's print asks for.
    std::vector<const ProjectReport*> printed;
    std::vector<Report> copies;
    for (const ProjectReport& r : reports)
        if (r.reopened.form) {
            printed.push_back(&r);
            copies.push_back(r.report);
            copies.back().header.decimalComma = head.decimalComma;
            copies.back().header.shortForm = head.shortForm;
            copies.back().signature.reset(); // the print is signed once, at its end
        }
    // The block to sign ends the last report, or the title page of a print without one.
    if (!copies.empty())
        copies.back().signature = SignatureOf(head);
    std::vector<ReportPages> parts;
    for (std::size_t i = 0; i < printed.size(); ++i)
        parts.emplace_back(copies[i], *printed[i]->reopened.form, device);
    const QRectF body = ReportBody(device);
    const QString title = ProjectTitle(fileTitle, head);
    const Fonts fonts;

    // The list's rows are as tall whatever pages they name, so the second
    // pass, with the count of title pages the first one found, holds.
    TitleLayout front;
    for (int titlePages = 1, pass = 0; pass < 3; ++pass) {
        std::vector<ListEntry> entries;
        int start = titlePages + 1;
        std::size_t nextUnusable = 0;
        // The calculations that cannot be used, up to the entry given.
        auto unusableUpTo = [&](std::size_t entry) {
            for (; nextUnusable < unusable.size() && unusable[nextUnusable].entry < entry; ++nextUnusable) {
                const UnusableEntry& u = unusable[nextUnusable];
                ListEntry& e = entries.emplace_back();
                e.number = QString::number(u.entry + 1);
                e.name = Q(u.name);
                e.form = QStringLiteral("nicht verwendbar");
                e.page = QStringLiteral("–");
                e.notes << Q(u.problem);
            }
        };
        for (std::size_t i = 0; i < printed.size(); ++i) {
            const ProjectReport& r = *printed[i];
            unusableUpTo(r.entry);
            ListEntry& e = entries.emplace_back();
            e.number = QString::number(r.entry + 1);
            e.name = Q(r.name);
            e.form = Q(r.report.title) + QStringLiteral(", Formular %1").arg(r.report.form);
            e.result = ResultLines(copies[i], *r.reopened.form);
            VerdictEntry(copies[i], e);
            e.page = QString::number(start);
            for (const ResultChange& change : r.reopened.changes)
                e.notes << ChangeNote(change);
            start += parts[i].Count();
        }
        unusableUpTo(static_cast<std::size_t>(-1));
        TitleMaker maker(device, body.width());
        Head(maker, fonts, title, head);
        List(maker, fonts, entries);
        if (copies.empty())
            SignatureRows(maker, fonts, SignatureOf(head));
        front = LayOut(maker.Take(), body.height());
        if (front.pages == titlePages)
            break;
        titlePages = front.pages;
    }

    int total = front.pages;
    for (const ReportPages& part : parts)
        total += part.Count();
    std::size_t next = 0;
    for (int page = 0; page < front.pages; ++page) {
        if (page > 0)
            device.newPage();
        PaintPageFrame(painter, device, QString(), title, Q(head.date), page + 1, total);
        for (; next < front.order.size() && front.places[next].page == page; ++next) {
            const ReportRow& row = front.rows.rows[front.order[next]];
            PaintReportRow(painter, device, row,
                           QRectF(body.left(), body.top() + front.places[next].top, body.width(), row.page.height));
        }
    }
    int before = front.pages;
    for (const ReportPages& part : parts) {
        part.Paint(device, painter, before, total);
        before += part.Count();
    }
}

bool WriteProjectPdf(const std::string& fileTitle, const ReportHeader& head, const std::vector<ProjectReport>& reports,
                     const std::vector<UnusableEntry>& unusable, const std::filesystem::path& path, QString* error)
{
    QString why;
    const bool written = WritePdf(path, ProjectTitle(fileTitle, head),
                                  [&](QPagedPaintDevice& device, QPainter& painter) {
                                      PaintProject(fileTitle, head, reports, unusable, device, painter);
                                  },
                                  &why);
    if (!written && error)
        *error = QStringLiteral("Das Projekt kann nicht nach %1 geschrieben werden: %2")
                     .arg(QString::fromStdString(platform::TextOf(path)), why);
    return written;
}

bool WriteProjectPdf(const std::string& fileTitle, const ReportHeader& head, const std::vector<ProjectReport>& reports,
                     const std::vector<UnusableEntry>& unusable, const QString& path, QString* error)
{
    return WriteProjectPdf(fileTitle, head, reports, unusable, PathOfName(path), error);
}

void PrintProject(const std::string& fileTitle, const ReportHeader& head, const std::vector<ProjectReport>& reports,
                  const std::vector<UnusableEntry>& unusable, QPrinter& printer)
{
    QPainter painter;
    if (painter.begin(&printer))
        PaintProject(fileTitle, head, reports, unusable, printer, painter);
}

} // namespace dralun
