#pragma once
// The rows of the printed report, measured for the device they go on: each
// holds text set in wrapped lines, thin rules and perhaps the form's picture.
// ReportPainter cuts them into pages.
#include <QColor>
#include <QFont>
#include <QLineF>
#include <QPointF>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "gui/report/ReportPainter.h"
#include "report/TextbookFormula.h"

#include <QTextLayout>

class QPaintDevice;

namespace dralun {

// Lengths on the device.
double Mm(const QPaintDevice& device, double mm);
double Pt(const QPaintDevice& device, double pt);

// The report's fonts: one family with umlauts, sizes in points.
QFont ReportFont(double points, bool bold = false);
QFont ReportFixedFont(double points);

// Text set in lines no wider than a width, broken between words where it
// can be and anywhere where it must (a SHA-256, a long file name); each line
// break of the text begins a new line.
class TextBlock {
public:
    TextBlock(const QString& text, const QFont& font, double width, const QPaintDevice& device,
              Qt::Alignment align = Qt::AlignLeft);
    // One paragraph with parts raised or lowered (exponents, indices).
    TextBlock(const QString& text, const QList<QTextLayout::FormatRange>& formats, const QFont& font, double width,
              const QPaintDevice& device, Qt::Alignment align = Qt::AlignLeft);
    TextBlock(TextBlock&&) noexcept;
    TextBlock& operator=(TextBlock&&) noexcept;
    ~TextBlock();

    double Height() const { return m_height; }
    void Draw(QPainter& painter, QPointF topLeft) const;

private:
    void Lay(const QString& paragraph, const QList<QTextLayout::FormatRange>& formats, const QFont& font,
             double width, const QPaintDevice& device, Qt::Alignment align);
    std::vector<std::unique_ptr<QTextLayout>> m_layouts;
    std::vector<double> m_tops;
    double m_height = 0;
};

struct PlacedText {
    QPointF at; // within the row
    TextBlock block;
    QColor colour;
};

struct ReportRow {
    PageRow page;
    std::vector<PlacedText> texts;
    std::vector<QLineF> rules; // thin grey lines, within the row
    QColor ruleColour;
    // Paints what is not text (the picture) into the row's rectangle.
    std::function<void(QPainter&, const QRectF&)> paint;
    // The row that heads the table this row is part of (set again at the
    // top of a page the table continues on), or -1.
    int head = -1;
};

// The report's colours: text, table heads, rules.
inline const QColor kReportInk(20, 20, 20);
inline const QColor kReportGrey(90, 90, 90);
inline const QColor kReportRule(170, 170, 170);

// Pieces of a formula as one text, with the ranges to raise or lower.
QString PiecesText(const FormulaPieces& pieces, QList<QTextLayout::FormatRange>* formats);

// The heading of a part of the report, with its rule: it keeps with the
// row after it.
ReportRow HeadingRow(const QString& title, const QPaintDevice& device, double width);

class CRowMaker;
struct ReportFonts;
struct SignatureBlock;
// The block to sign, as one row: "Aufgestellt:" with place, date and name
// (a rule for each that is empty) and a rule to sign on, "Geprüft:" beside
// it with rules only.
void SignatureRows(CRowMaker& maker, const ReportFonts& fonts, const SignatureBlock& signature);

// Every row of the report (its short form where the head asks for one)
// for a body of the given width and height; the
// form's picture at most pictureScale of the height it may have, and after
// the verdict rather than at the end where pictureEarly.
std::vector<ReportRow> ReportRows(const Report& report, const CForm& form, const QPaintDevice& device, double width,
                                  double bodyHeight, double pictureScale = 1, bool pictureEarly = false);

} // namespace dralun
