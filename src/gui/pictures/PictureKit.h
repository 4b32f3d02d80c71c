#pragma once
// Drawing helpers shared by the pictures: colours, a world-to-picture
// mapping in metres, dimension lines and labels.
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace dralun::pic {

inline QColor Water() { return QColor(120, 180, 235); }
inline QColor WaterEdge() { return QColor(20, 90, 180); }
inline QColor Soil() { return QColor(205, 180, 130); }
inline QColor Concrete() { return QColor(190, 190, 190); }
inline QColor Stone() { return QColor(150, 140, 125); }
inline QColor Ink() { return QColor(30, 30, 30); }

// Maps a box of the world (x to the right, y upwards, metres) into an area
// of the picture with the same scale on both axes, centred.
class WorldMap {
public:
    WorldMap(const QRectF& world, const QRectF& area);
    QPointF operator()(double x, double y) const;
    double Length(double metres) const { return metres * m_scale; }

private:
    QRectF m_world;
    double m_scale;
    QPointF m_origin;
};

// A white panel with a thin frame, the picture's background; returns the
// area inside its margin.
QRectF Panel(QPainter& painter, const QRectF& area);

// A number for a label: the given decimals with a decimal point, as the
// program writes; four significant digits for huge values; "-" when it is
// not a number.
QString Num(double value, int decimals);
// The value when it is a positive number, else 0 (for drawing).
inline double Positive(double v) { return v > 0 && v < 1e300 ? v : 0.0; }

void Arrow(QPainter& painter, QPointF from, QPointF to);
// Dimension line between two points with arrow heads at both ends and a
// label beside its middle: right of a vertical line (left with labelBefore),
// above a horizontal one (below with labelBefore).
void Dimension(QPainter& painter, QPointF a, QPointF b, const QString& label, bool labelBefore = false);
// Lines of values in a column at the right edge of the area; returns what
// is left of the area for the drawing.
QRectF TextColumn(QPainter& painter, const QRectF& area, const QStringList& lines);
// Text centred on a point, or with its left or right edge at the point.
void Label(QPainter& painter, QPointF at, const QString& text, Qt::Alignment align = Qt::AlignCenter);

} // namespace dralun::pic
