#include "gui/report/ReportPainter.h"

#include <cerrno>

#include <QPageLayout>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "core/Platform.h"
#include "core/ReplaceFile.h"
#include "core/SafeOutput.h"
#include "gui/report/ReportRows.h"
#include "report/Report.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QFont FrameFont() { return ReportFont(8); }

double FrameLine(const QPaintDevice& device) { return QFontMetricsF(FrameFont(), &device).height(); }

QString Title(const Report& r) { return Q(r.title); }

QString FormText(const Report& r) { return r.form > 0 ? QStringLiteral("Formular %1").arg(r.form) : QString(); }

// The report's head line: project and structure at the left, the form at
// the right.
void PaintFrame(QPainter& painter, const QPagedPaintDevice& device, const Report& r, int page, int pages)
{
    QStringList head;
    for (const std::string& part : {r.header.project, r.header.structure})
        if (!part.empty())
            head << Q(part);
    PaintPageFrame(painter, device, head.join(QStringLiteral(" · ")), Title(r), Q(r.header.date), page, pages,
                   FormText(r));
}

} // namespace

std::vector<RowPlace> Paginate(const std::vector<PageRow>& rows, double bodyHeight)
{
    std::vector<RowPlace> places(rows.size());
    int page = 0;
    double y = 0;
    bool empty = true; // nothing on the page yet: the space before a row is dropped
    auto needed = [&](size_t k) { return (empty ? 0 : rows[k].spaceBefore) + rows[k].height; };
    auto newPage = [&] {
        ++page;
        y = 0;
        empty = true;
    };
    for (size_t i = 0; i < rows.size();) {
        // The rows that keep with the next one, and that next one, go together.
        size_t last = i;
        while (last + 1 < rows.size() && rows[last].keepWithNext)
            ++last;
        double group = needed(i);
        for (size_t k = i + 1; k <= last; ++k)
            group += rows[k].spaceBefore + rows[k].height;
        if (!empty && y + group > bodyHeight)
            newPage();
        for (size_t k = i; k <= last; ++k) { // a group taller than a page breaks where it must
            if (!empty && y + needed(k) > bodyHeight)
                newPage();
            y += empty ? 0 : rows[k].spaceBefore;
            places[k] = {page, y};
            y += rows[k].height;
            empty = false;
        }
        i = last + 1;
    }
    return places;
}

PageOrder PaginateWithHeads(const std::vector<PageRow>& rows, const std::vector<int>& heads, double bodyHeight)
{
    PageOrder laid;
    for (std::size_t i = 0; i < rows.size(); ++i)
        laid.order.push_back(i);
    auto headOf = [&](std::size_t row) { return row < heads.size() ? heads[row] : -1; };
    // Cutting is greedy from the first row on: a head put in before row k
    // leaves the places of the rows before k as they were.
    std::vector<PageRow> measured(rows);
    for (std::size_t from = 1;;) {
        laid.places = Paginate(measured, bodyHeight);
        std::size_t k = from;
        for (; k < laid.order.size(); ++k) {
            const int head = headOf(laid.order[k]);
            if (head >= 0 && laid.places[k].page > laid.places[k - 1].page &&
                laid.order[k - 1] != static_cast<std::size_t>(head))
                break;
        }
        if (k >= laid.order.size())
            break;
        const std::size_t head = static_cast<std::size_t>(headOf(laid.order[k]));
        laid.order.insert(laid.order.begin() + static_cast<std::ptrdiff_t>(k), head);
        measured.insert(measured.begin() + static_cast<std::ptrdiff_t>(k), rows[head]);
        from = k + 2; // the row after the repeated head stands under it already
    }
    laid.pages = laid.places.empty() ? 1 : laid.places.back().page + 1;
    return laid;
}

QRectF ReportBody(const QPagedPaintDevice& device)
{
    const double frame = FrameLine(device) + Mm(device, 5);
    return QRectF(0, frame, device.width(), device.height() - 2 * frame);
}

void PaintReportRow(QPainter& painter, const QPaintDevice& device, const ReportRow& row, const QRectF& rect)
{
    for (const PlacedText& text : row.texts) {
        painter.setPen(text.colour);
        text.block.Draw(painter, rect.topLeft() + text.at);
    }
    if (!row.rules.empty()) {
        painter.setPen(QPen(row.ruleColour, Pt(device, 0.5)));
        for (const QLineF& rule : row.rules)
            painter.drawLine(rule.translated(rect.topLeft()));
    }
    if (row.paint)
        row.paint(painter, rect);
}

void PaintPageFrame(QPainter& painter, const QPagedPaintDevice& device, const QString& left, const QString& right,
                    const QString& date, int page, int pages, const QString& form)
{
    const QFont font = FrameFont();
    const QFontMetricsF metrics(font, &device);
    const double width = device.width();
    const double line = metrics.height();
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(70, 70, 70));

    const double gap = Pt(device, 12);
    const QString shownRight = metrics.elidedText(right, Qt::ElideRight, width * 0.45);
    const double rightWidth = metrics.horizontalAdvance(shownRight);
    const QString shownLeft = metrics.elidedText(left, Qt::ElideRight, width - rightWidth - gap);
    painter.drawText(QPointF(0, metrics.ascent()), shownLeft);
    painter.drawText(QPointF(width - rightWidth, metrics.ascent()), shownRight);

    QStringList parts{QString::fromLatin1(kProgramVersion)};
    if (!form.isEmpty())
        parts << form;
    parts << date << QStringLiteral("Seite %1 von %2").arg(page).arg(pages);
    const QString foot = parts.join(QStringLiteral(" · "));
    const double footTop = device.height() - line;
    painter.drawText(QPointF((width - metrics.horizontalAdvance(foot)) / 2, footTop + metrics.ascent()), foot);

    painter.setPen(QPen(QColor(150, 150, 150), Pt(device, 0.5)));
    const double rule = Mm(device, 1.5);
    painter.drawLine(QLineF(0, line + rule, width, line + rule));
    painter.drawLine(QLineF(0, footTop - rule, width, footTop - rule));
    painter.restore();
}

struct ReportPages::Rows {
    QRectF body;
    std::vector<ReportRow> rows;
    PageOrder laid; // rows[laid.order[k]] goes to laid.places[k]
};

namespace {

// Whether the last page is one to spare: a few lines filling less than a
// quarter of it, or the picture with its heading alone.
bool LastPageToSpare(const ReportPages::Rows& rows)
{
    const PageOrder& laid = rows.laid;
    if (laid.pages < 2 || laid.order.empty())
        return false;
    const double fill = laid.places.back().top + rows.rows[laid.order.back()].page.height;
    std::size_t first = laid.order.size();
    while (first > 0 && laid.places[first - 1].page == laid.pages - 1)
        --first;
    bool picture = false;
    for (std::size_t k = first; k < laid.order.size(); ++k)
        picture = picture || static_cast<bool>(rows.rows[laid.order[k]].paint);
    return fill < 0.25 * rows.body.height() || (picture && laid.order.size() - first <= 3);
}

} // namespace

ReportPages::ReportPages(const Report& report, const CForm& form, const QPagedPaintDevice& device)
    : m_report(&report), m_rows(std::make_unique<Rows>())
{
    m_rows->body = ReportBody(device);
    const double body = m_rows->body.height();
    auto lay = [&](double pictureScale, bool pictureEarly) {
        Rows rows;
        rows.body = m_rows->body;
        rows.rows = ReportRows(report, form, device, m_rows->body.width(), body, pictureScale, pictureEarly);
        std::vector<PageRow> measured;
        std::vector<int> heads;
        for (const ReportRow& row : rows.rows) {
            measured.push_back(row.page);
            heads.push_back(row.head);
        }
        rows.laid = PaginateWithHeads(measured, heads, body);
        return rows;
    };
    *m_rows = lay(1, false);
    // A last page with a few lines only, or with the picture alone, when
    // they can stand on the page before: the picture goes right after the
    // verdict (the notes and data files, which may break across pages, then
    // fill up behind it), or is drawn smaller, down to two thirds of its
    // size, rather than a page be printed nearly empty.
    if (LastPageToSpare(*m_rows)) {
        // No smaller than two thirds: below that its labels no longer read.
        const std::pair<double, bool> tries[] = {{1, true}, {0.8, false}, {0.8, true}, {0.65, false}, {0.65, true}};
        for (const auto& [scale, early] : tries) {
            Rows other = lay(scale, early);
            if (other.laid.pages < m_rows->laid.pages) {
                *m_rows = std::move(other);
                break;
            }
        }
    }
    m_count = m_rows->laid.pages;
}

ReportPages::ReportPages(ReportPages&&) noexcept = default;
ReportPages& ReportPages::operator=(ReportPages&&) noexcept = default;
ReportPages::~ReportPages() = default;

std::vector<PlacedRow> ReportPages::Paint(QPagedPaintDevice& device, QPainter& painter, int before, int total) const
{
    const QRectF& body = m_rows->body;
    const std::vector<ReportRow>& rows = m_rows->rows;
    const std::vector<std::size_t>& order = m_rows->laid.order;
    const std::vector<RowPlace>& places = m_rows->laid.places;
    std::vector<PlacedRow> placed;
    size_t next = 0;
    for (int page = 0; page < m_count; ++page) {
        if (before + page > 0)
            device.newPage();
        PaintFrame(painter, device, *m_report, before + page + 1, total);
        for (; next < order.size() && places[next].page == page; ++next) {
            const ReportRow& row = rows[order[next]];
            const QRectF rect(body.left(), body.top() + places[next].top, body.width(), row.page.height);
            PaintReportRow(painter, device, row, rect);
            placed.push_back({page, rect});
        }
    }
    return placed;
}

std::vector<PlacedRow> PaintReport(const Report& report, const CForm& form, QPagedPaintDevice& device,
                                   QPainter& painter)
{
    const ReportPages pages(report, form, device);
    return pages.Paint(device, painter, 0, pages.Count());
}

void SetReportPage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                     QPageLayout::Millimeter));
}

bool WritePdf(const std::filesystem::path& path, const QString& title, const PdfPaint& paint, QString* why)
{
    // Painted into memory first, then written whole: a short write (a full
    // disk) is seen, the file is not replaced, and the reason reads in German.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        SetReportPage(writer);
        writer.setTitle(title);
        writer.setCreator(QString::fromLatin1(kProgramVersion));
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (why)
                *why = QStringLiteral("PDF-Ausgabe nicht möglich");
            return false;
        }
        paint(writer, painter);
        painter.end();
    }
    buffer.close();
    const int error = ReplaceFileWhole(path, std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                       "pdf");
    if (error && why)
        *why = QString::fromStdString(SystemErrorText(error));
    return error == 0;
}

std::filesystem::path PathOfName(const QString& name) { return platform::PathOf(name.toStdString()); }

bool WriteReportPdf(const Report& report, const CForm& form, const std::filesystem::path& path, QString* error)
{
    QString why;
    const bool written = WritePdf(path, QStringLiteral("Rechenbericht %1").arg(Title(report)),
                                  [&](QPagedPaintDevice& device, QPainter& painter) {
                                      PaintReport(report, form, device, painter);
                                  },
                                  &why);
    if (!written && error)
        *error = QStringLiteral("Der Bericht kann nicht nach %1 geschrieben werden: %2")
                     .arg(QString::fromStdString(platform::TextOf(path)), why);
    return written;
}

bool WriteReportPdf(const Report& report, const CForm& form, const QString& path, QString* error)
{
    return WriteReportPdf(report, form, PathOfName(path), error);
}

void PrintReport(const Report& report, const CForm& form, QPrinter& printer)
{
    QPainter painter;
    if (painter.begin(&printer))
        PaintReport(report, form, printer, painter);
}

} // namespace dralun
