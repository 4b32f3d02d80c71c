#pragma once
// Drawing helpers shared by the pictures: colours, a world-to-picture
// mapping in metres, the panel, numbers for labels, arrows.
#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

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
// program writes, or with a comma while a DecimalSign scope asks for it;
// four significant digits for huge values; "-" when it is not a number.
QString Num(double value, int decimals);

// The decimal sign of the labels while a picture paints: the window's
// choice on screen, the report's on paper.
class DecimalSign {
public:
    explicit DecimalSign(bool comma);
    ~DecimalSign();
    DecimalSign(const DecimalSign&) = delete;
    DecimalSign& operator=(const DecimalSign&) = delete;
    static bool Comma();

private:
    bool m_before;
};
// A symbol for a label, as the verdict lines and the report write it: "hs"
// for the short name "h_s" (ShownSymbol).
QString Sym(const char* symbol);
// Unit factors of the fields: a diameter in mm, a slope in per mille.
inline constexpr double kMmPerM = 1000;
inline constexpr double kPerMille = 1000;

// The value when it is a positive number, else 0 (for drawing).
inline double Positive(double v) { return v > 0 && v < 1e300 ? v : 0.0; }

void Arrow(QPainter& painter, QPointF from, QPointF to);

} // namespace dralun::pic
