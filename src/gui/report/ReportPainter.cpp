#include "gui/report/ReportPainter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

#include "gui/report/ReportRows.h"
#include "report/Report.h"

namespace dralun {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QFont FrameFont() { return ReportFont(8); }

double FrameLine(const QPaintDevice& device) { return QFontMetricsF(FrameFont(), &device).height(); }

QString Title(const Report& r) { return Q(r.title) + QStringLiteral(" (Formular %1)").arg(r.form); }

// Head line and foot line of a page: project and structure at the left and
// the form at the right above, program, date and page below.
void PaintFrame(QPainter& painter, const QPagedPaintDevice& device, const Report& r, int page, int pages)
{
    const QFont font = FrameFont();
    const QFontMetricsF metrics(font, &device);
    const double width = device.width();
    const double line = metrics.height();
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(70, 70, 70));

    QStringList head;
    for (const std::string& part : {r.header.project, r.header.structure})
        if (!part.empty())
            head << Q(part);
    const double gap = Pt(device, 12);
    const QString right = metrics.elidedText(Title(r), Qt::ElideRight, width * 0.45);
    const double rightWidth = metrics.horizontalAdvance(right);
    const QString left = metrics.elidedText(head.join(QStringLiteral(" · ")), Qt::ElideRight, width - rightWidth - gap);
    painter.drawText(QPointF(0, metrics.ascent()), left);
    painter.drawText(QPointF(width - rightWidth, metrics.ascent()), right);

    const QString foot = QStringLiteral("%1 · %2 · Seite %3 von %4")
                             .arg(QString::fromLatin1(kProgramVersion), Q(r.header.date))
                             .arg(page)
                             .arg(pages);
    const double footTop = device.height() - line;
    painter.drawText(QPointF((width - metrics.horizontalAdvance(foot)) / 2, footTop + metrics.ascent()), foot);

    painter.setPen(QPen(QColor(150, 150, 150), Pt(device, 0.5)));
    const double rule = Mm(device, 1.5);
    painter.drawLine(QLineF(0, line + rule, width, line + rule));
    painter.drawLine(QLineF(0, footTop - rule, width, footTop - rule));
    painter.restore();
}

void PaintRow(QPainter& painter, const QPaintDevice& device, const ReportRow& row, const QRectF& rect)
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

QRectF ReportBody(const QPagedPaintDevice& device)
{
    const double frame = FrameLine(device) + Mm(device, 5);
    return QRectF(0, frame, device.width(), device.height() - 2 * frame);
}

std::vector<PlacedRow> PaintReport(const Report& report, const CForm& form, QPagedPaintDevice& device,
                                   QPainter& painter)
{
    const QRectF body = ReportBody(device);
    const std::vector<ReportRow> rows = ReportRows(report, form, device, body.width(), body.height());
    std::vector<PageRow> measured;
    for (const ReportRow& row : rows)
        measured.push_back(row.page);
    const std::vector<RowPlace> places = Paginate(measured, body.height());
    const int pages = places.empty() ? 1 : places.back().page + 1;

    std::vector<PlacedRow> placed;
    size_t next = 0;
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        PaintFrame(painter, device, report, page + 1, pages);
        for (; next < rows.size() && places[next].page == page; ++next) {
            const QRectF rect(body.left(), body.top() + places[next].top, body.width(), rows[next].page.height);
            PaintRow(painter, device, rows[next], rect);
            placed.push_back({page, rect});
        }
    }
    return placed;
}

void SetReportPage(QPagedPaintDevice& device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(20, 20, 20, 20),
                                     QPageLayout::Millimeter));
}

bool WriteReportPdf(const Report& report, const CForm& form, const QString& path, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("Der Bericht kann nicht nach %1 geschrieben werden: %2").arg(path, why);
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(300);
        SetReportPage(writer);
        writer.setTitle(QStringLiteral("Rechenbericht %1").arg(Title(report)));
        writer.setCreator(QString::fromLatin1(kProgramVersion));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return fail(QStringLiteral("PDF-Ausgabe nicht möglich"));
        }
        PaintReport(report, form, writer, painter);
        painter.end();
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

void PrintReport(const Report& report, const CForm& form, QPrinter& printer)
{
    QPainter painter;
    if (painter.begin(&printer))
        PaintReport(report, form, printer, painter);
}

} // namespace dralun
