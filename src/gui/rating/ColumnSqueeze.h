#pragma once
// Thins a line of many points for drawing: ten thousand rows are far more
// than a plot has pixel columns.
#include <QPointF>
#include <QPolygonF>
#include <cmath>

namespace dralun {

// Collects the points of a line into a polygon, one pixel column at a time:
// of the points in a column it keeps the first, the lowest, the highest and
// the last, in the order they came.
class ColumnSqueeze {
public:
    explicit ColumnSqueeze(QPolygonF& out) : m_out(out) {}
    void Add(const QPointF& p)
    {
        const double column = std::floor(p.x());
        if (m_count > 0 && column != m_column)
            Finish();
        if (m_count == 0) {
            m_column = column;
            m_first = m_low = m_high = m_last = p;
            m_lowAt = m_highAt = 0;
        } else {
            if (p.y() < m_low.y()) {
                m_low = p;
                m_lowAt = m_count;
            }
            if (p.y() > m_high.y()) {
                m_high = p;
                m_highAt = m_count;
            }
            m_last = p;
        }
        ++m_count;
    }
    void Finish()
    {
        if (m_count == 0)
            return;
        m_out.append(m_first);
        const int last = m_count - 1;
        const bool lowFirst = m_lowAt <= m_highAt;
        for (int k = 0; k < 2; ++k) {
            const bool low = (k == 0) == lowFirst;
            const int at = low ? m_lowAt : m_highAt;
            if (at != 0 && at != last)
                m_out.append(low ? m_low : m_high);
        }
        if (last > 0)
            m_out.append(m_last);
        m_count = 0;
    }

private:
    QPolygonF& m_out;
    double m_column = 0;
    int m_count = 0;
    QPointF m_first, m_low, m_high, m_last;
    int m_lowAt = 0, m_highAt = 0;
};

} // namespace dralun
