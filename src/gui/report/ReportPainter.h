#pragma once
// The calculation report on paper: A4 portrait, a head line and a foot line
// on every page, then head, inputs, steps, results, notes, data files and
// the form's picture. Every row is measured with its wrapped text before the
// pages are cut, so that no row is split and no heading stands alone at the
// foot of a page. The printer and the PDF file share the one layout.
#include <QRectF>
#include <QString>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

class QPaintDevice;
class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace dralun {

class CForm;
struct Report;
struct ReportRow; // ReportRows.h

// A row as the pages see it: its height, the space above it (dropped at the
// top of a page), and whether it must stand on the page of the row after it
// (a heading, the head of a table).
struct PageRow {
    double height = 0;
    double spaceBefore = 0;
    bool keepWithNext = false;
};

struct RowPlace {
    int page = 0;
    double top = 0; // below the top of the page's body
};

// Where each row goes: a row that does not fit on what is left of a page
// begins the next one, together with the rows that keep with it. Only a row
// taller than a whole body overruns it.
std::vector<RowPlace> Paginate(const std::vector<PageRow>& rows, double bodyHeight);

// The same for rows of which some belong to a table whose head is set again
// at the top of every page the table continues on: heads[i] is the row that
// heads row i's table, or -1. Row order[k] goes to places[k]; a repeated
// head stands in order more than once.
struct PageOrder {
    std::vector<std::size_t> order;
    std::vector<RowPlace> places;
    int pages = 1;
};
PageOrder PaginateWithHeads(const std::vector<PageRow>& rows, const std::vector<int>& heads, double bodyHeight);

// A row of the painted report: its page and its rectangle on the device.
struct PlacedRow {
    int page = 0;
    QRectF rect;
};

// The page of the device between head line and foot line.
QRectF ReportBody(const QPagedPaintDevice& device);

// Paints a row, laid out for the device, into its rectangle.
void PaintReportRow(QPainter& painter, const QPaintDevice& device, const ReportRow& row, const QRectF& rect);

// Head line and foot line of a page: left and right above (each cut short
// with "…" where it would not fit), "Dralun 1.00 · Formular 130 · date ·
// Seite page von pages" below (the form only where one is given).
void PaintPageFrame(QPainter& painter, const QPagedPaintDevice& device, const QString& left, const QString& right,
                    const QString& date, int page, int pages, const QString& form = {});

// A report laid out for the device, for a print that may hold more than the
// one report: every part of the print is laid out before the first page is
// painted, so that each page knows its number and the count of all pages.
// The report and the form must outlive it.
class ReportPages {
public:
    ReportPages(const Report& report, const CForm& form, const QPagedPaintDevice& device);
    ReportPages(ReportPages&&) noexcept;
    ReportPages& operator=(ReportPages&&) noexcept;
    ~ReportPages();

    int Count() const { return m_count; }
    // Paints the report as pages before + 1 ... of a print of total pages;
    // each of its pages begins a new page of the device, except the first
    // page of the print.
    std::vector<PlacedRow> Paint(QPagedPaintDevice& device, QPainter& painter, int before, int total) const;

    struct Rows;

private:
    const Report* m_report;
    std::unique_ptr<Rows> m_rows;
    int m_count = 1;
};

// Lays the report out for the device and paints it on the painter, which is
// active on the device, starting new pages as it goes.
std::vector<PlacedRow> PaintReport(const Report& report, const CForm& form, QPagedPaintDevice& device,
                                   QPainter& painter);

// Writes a PDF file (A4, margins 20 mm, 300 dpi) of what paint puts on the
// device. The file is replaced only when it has been written whole; on
// failure *why says why (without the file's name). The path is taken as
// the system names files: a name of bytes that are no UTF-8 stays as it is.
using PdfPaint = std::function<void(QPagedPaintDevice&, QPainter&)>;
bool WritePdf(const std::filesystem::path& path, const QString& title, const PdfPaint& paint, QString* why);

// The report as a PDF file (A4, margins 20 mm, 300 dpi). The file is
// replaced only when it has been written whole; on failure *error says why.
bool WriteReportPdf(const Report& report, const CForm& form, const std::filesystem::path& path, QString* error);
bool WriteReportPdf(const Report& report, const CForm& form, const QString& path, QString* error);

// A file name a dialog or a test gives, as a path.
std::filesystem::path PathOfName(const QString& name);

// The report on a printer (or the print preview), with the printer's page.
void PrintReport(const Report& report, const CForm& form, QPrinter& printer);

// A4 portrait with margins of 20 mm.
void SetReportPage(QPagedPaintDevice& device);

} // namespace dralun
