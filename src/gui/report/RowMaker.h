#pragma once
// Builds the rows of a printed page one after the other: text set at a place
// in the current row, a padding and a rule to end it. The report of one
// calculation and the title pages of a project are both made this way.
#include <QFontMetricsF>
#include <algorithm>
#include <vector>

#include "gui/report/ReportRows.h"

namespace dralun {

// The fonts of the printed pages.
struct ReportFonts {
    QFont title = ReportFont(15, true);
    QFont heading = ReportFont(12, true);
    QFont text = ReportFont(9.5);
    QFont bold = ReportFont(9.5, true);
    QFont small = ReportFont(8);
    QFont smallBold = ReportFont(8, true);
    QFont fixed = ReportFixedFont(8.5);
};

class CRowMaker {
public:
    CRowMaker(const QPaintDevice& device, double width) : m_device(device), m_width(width) {}

    double P(double pt) const { return Pt(m_device, pt); }
    double Width() const { return m_width; }
    const QPaintDevice& Device() const { return m_device; }
    double TextWidth(const QString& text, const QFont& font) const
    {
        return QFontMetricsF(font, &m_device).horizontalAdvance(text);
    }

    // A new row; texts and rules go into it.
    ReportRow& Begin(double spaceBefore = 0, bool keepWithNext = false)
    {
        ReportRow& row = m_rows.emplace_back();
        row.page.spaceBefore = spaceBefore;
        row.page.keepWithNext = keepWithNext;
        row.ruleColour = kReportRule;
        return row;
    }
    // Text at x, y of the current row, at most w wide; returns its height.
    double Text(const QString& text, const QFont& font, double x, double y, double w,
                Qt::Alignment align = Qt::AlignLeft, QColor colour = kReportInk)
    {
        ReportRow& row = m_rows.back();
        row.texts.push_back({QPointF(x, y), TextBlock(text, font, std::max(w, 1.0), m_device, align), colour});
        const double height = row.texts.back().block.Height();
        row.page.height = std::max(row.page.height, y + height);
        return height;
    }
    // Pieces of a formula (raised exponents, lowered indices) at x, y.
    double Text(const FormulaPieces& pieces, const QFont& font, double x, double y, double w,
                Qt::Alignment align = Qt::AlignLeft, QColor colour = kReportInk)
    {
        QList<QTextLayout::FormatRange> formats;
        const QString text = PiecesText(pieces, &formats);
        ReportRow& row = m_rows.back();
        row.texts.push_back(
            {QPointF(x, y), TextBlock(text, formats, font, std::max(w, 1.0), m_device, align), colour});
        const double height = row.texts.back().block.Height();
        row.page.height = std::max(row.page.height, y + height);
        return height;
    }
    double TextWidth(const FormulaPieces& pieces, const QFont& font) const
    {
        return TextWidth(PiecesText(pieces, nullptr), font);
    }
    // Ends the current row with a padding and, if asked, a rule under it.
    void End(double padding, bool rule)
    {
        ReportRow& row = m_rows.back();
        row.page.height += padding;
        if (rule)
            row.rules.push_back(QLineF(0, row.page.height, m_width, row.page.height));
    }
    void End(double padding, bool rule, QColor ruleColour)
    {
        if (rule)
            m_rows.back().ruleColour = ruleColour;
        End(padding, rule);
    }
    void Row(ReportRow row) { m_rows.push_back(std::move(row)); }
    ReportRow& Last() { return m_rows.back(); }
    void DropLast() { m_rows.pop_back(); }
    std::size_t Count() const { return m_rows.size(); }
    std::vector<ReportRow> Take() { return std::move(m_rows); }

private:
    const QPaintDevice& m_device;
    double m_width;
    std::vector<ReportRow> m_rows;
};

} // namespace dralun
