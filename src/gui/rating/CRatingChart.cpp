#include "gui/rating/CRatingChart.h"

#include <QMouseEvent>
#include <QPainter>

#include "gui/rating/RatingChartPainter.h"

namespace dralun {

CRatingChart::CRatingChart(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CRatingChart::SetTable(const RatingTable& table)
{
    m_table = table;
    m_hover.reset();
    update();
}

QSize CRatingChart::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.averageCharWidth() * 60, fm.height() * 22};
}

QSize CRatingChart::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.averageCharWidth() * 30, fm.height() * 12};
}

void CRatingChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PaintRatingChart(painter, QRectF(rect()), m_table, m_hover);
}

void CRatingChart::mouseMoveEvent(QMouseEvent* event)
{
    const std::optional<int> row = RatingChartRowAt(QRectF(rect()), m_table, event->position().x());
    if (row != m_hover) {
        m_hover = row;
        update();
    }
}

void CRatingChart::leaveEvent(QEvent*)
{
    if (m_hover) {
        m_hover.reset();
        update();
    }
}

} // namespace dralun
