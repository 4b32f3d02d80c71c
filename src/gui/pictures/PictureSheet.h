#pragma once
// The sheet a picture is painted on: it draws the texts of the picture and
// remembers where each text and each drawn part (wall, pipe, line) stands,
// so that labels that move with the values go where they are free, and a
// test can check that no text covers another text or a part.
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QStringList>
#include <vector>

#include "gui/pictures/PictureKit.h"

namespace dralun::pic {

// A place for a label: the point, and whether the text is centred on it
// or begins (AlignLeft) or ends (AlignRight) there; its height is centred.
struct Spot {
    QPointF at;
    Qt::Alignment align = Qt::AlignCenter;
};

// What one painting of a picture put where: the box of every text and the
// outline of every part that texts must keep clear of (walls, pipes, lines).
struct SheetRecord {
    QRectF bounds; // inside the frame: no text may leave it
    std::vector<QRectF> boxes;
    QStringList texts;
    std::vector<QPainterPath> parts;
    QStringList dropped; // texts that were free nowhere and left out
};

// One painting of a picture: draws the panel; the picture draws its parts
// and texts through it.
class Sheet {
public:
    Sheet(QPainter& painter, const QRectF& area);
    ~Sheet(); // hands the record to a SheetRecorder, when one is listening
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    QPainter& Painter() const { return m_painter; }
    // The area inside the panel's margin, for the drawing.
    const QRectF& Inner() const { return m_inner; }
    double Line() const; // the height of a text line in the current font

    // A part that no text may cover, in picture coordinates: the area it
    // encloses.
    void Part(const QPainterPath& outline);
    // Draw with the current pen and brush, and register as parts (a line
    // as its thin stroke).
    void Fill(const QPainterPath& outline);
    void Fill(const QPolygonF& outline);
    void Fill(const QRectF& rect);
    void Stroke(QPointF a, QPointF b);
    void Stroke(const QPolygonF& line);
    void Arrow(QPointF from, QPointF to);
    // The mark of a water level, an open triangle standing on the level at
    // the point, drawn with the current pen; a part.
    void LevelMark(QPointF at);

    // The box a text takes at a spot, in the current font.
    QRectF Box(const Spot& spot, const QString& text) const;
    // Inside the frame, clear of the registered parts and of the other texts.
    bool IsFree(const QRectF& box) const;

    // Texts drawn at once, where they are told to go, in the current font
    // and pen: a text at a spot; a text with the left end of its base line
    // at a point. Each returns the box it took.
    QRectF Label(QPointF at, const QString& text, Qt::Alignment align = Qt::AlignCenter);
    QRectF Text(QPointF baseline, const QString& text);
    // Lines of values in a column at the right edge of the area (lines that
    // do not fit into it are left out); returns what is left of the area
    // for the drawing.
    QRectF TextColumn(const QRectF& area, const QStringList& lines);

    // A text that goes where it is free: when the picture is complete (the
    // sheet ends), at the first of the spots where it covers neither a part
    // nor another text, in the font and pen of the moment of the call; left
    // out when it is free at none of them.
    void Place(const QString& text, const std::vector<Spot>& spots);
    // A dimension line between two points with arrow heads at both ends, a
    // part; its label is placed at the first free one of the DimensionSpots.
    void Dimension(QPointF a, QPointF b, const QString& label, bool labelBefore = false);
    // Where a dimension's label may go: beside the middle of the line (right
    // of a vertical line, left with labelBefore; above a horizontal one,
    // below with labelBefore), beyond the end b, beyond the end a, then on
    // the other side; beyond the ends first when the line is shorter than
    // its label.
    std::vector<Spot> DimensionSpots(QPointF a, QPointF b, const QString& label, bool labelBefore = false) const;

private:
    struct Pending {
        QString text;
        std::vector<Spot> spots;
        QFont font;
        QPen pen;
    };
    void Part(const QPolygonF& outline);
    void Part(const QRectF& rect);
    void PartLine(QPointF a, QPointF b);
    void PartPolyline(const QPolygonF& line);
    QRectF Draw(const QRectF& box, const QString& text);
    void PlaceNow(const QString& text, const std::vector<Spot>& spots);

    QPainter& m_painter;
    QRectF m_inner;
    SheetRecord m_record;
    std::vector<Pending> m_pending;
};

// While one lives, every sheet painted hands its record to it (for tests).
class SheetRecorder {
public:
    SheetRecorder();
    ~SheetRecorder();
    SheetRecorder(const SheetRecorder&) = delete;
    SheetRecorder& operator=(const SheetRecorder&) = delete;

    const std::vector<SheetRecord>& Sheets() const { return m_sheets; }

private:
    friend class Sheet;
    static SheetRecorder* s_current;
    SheetRecorder* m_previous;
    std::vector<SheetRecord> m_sheets;
};

} // namespace dralun::pic
