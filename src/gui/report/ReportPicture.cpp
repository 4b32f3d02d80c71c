#include "gui/report/ReportPicture.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

#include "forms/CForm.h"
#include "gui/pictures/PictureKit.h"
#include "gui/pictures/Pictures.h"

namespace dralun {

namespace {

// The size of the picture's labels on paper.
constexpr double kLabelPoints = 8.5;
constexpr double kLeastLabelPoints = 6.5;
// The pictures are drawn for a screen: one unit is a pixel of 1/96 inch.
constexpr double kPictureDpi = 96.0;

int FindPictureItem(const FormLayout& items)
{
    for (const LayoutItem& item : items) {
        if (item.type == Item::Picture && FindPicture(item.id))
            return item.id;
        if (const int inner = FindPictureItem(item.children); inner >= 0)
            return inner;
    }
    return -1;
}

} // namespace

int PictureIdOf(const CForm& form) { return FindPictureItem(form.Layout()); }

ReportRow PictureRow(const CForm& form, int pictureId, const QPaintDevice& device, double width, double maxHeight,
                     double shrink, bool decimalComma)
{
    const Picture* picture = FindPicture(pictureId);
    // Painter units per device pixel are 1/scale; a font of points/scale
    // comes out at points on the paper.
    const double scale = device.logicalDpiY() / kPictureDpi;
    // At the labels' print size first; where that is too large for the
    // room, the whole picture smaller, its labels down to a least size
    // (the picture's sheet leaves out a label that finds no room).
    auto natural = [&](double points) {
        const double line = QFontMetricsF(ReportFont(points / scale), &device).height() * scale;
        return QSizeF(picture->size.width() * line, picture->size.height() * line);
    };
    QSizeF size = natural(kLabelPoints); // on the device
    double points = kLabelPoints;
    const double fit = std::min({width / size.width(), maxHeight / size.height(), shrink});
    if (fit < 1) {
        size *= fit;
        points = std::max(kLeastLabelPoints, kLabelPoints * fit);
    }
    const QSizeF area = size / scale; // in picture units
    ReportRow row;
    row.page.height = size.height() + Pt(device, 4);
    row.paint = [picture, &form, scale, points, area, decimalComma](QPainter& painter, const QRectF& rect) {
        const pic::DecimalSign sign(decimalComma); // the labels as the report's numbers
        painter.save();
        const QRectF target(rect.left() + (rect.width() - area.width() * scale) / 2, rect.top(),
                            area.width() * scale, area.height() * scale);
        painter.setClipRect(target);
        painter.translate(target.topLeft());
        painter.scale(scale, scale);
        painter.setFont(ReportFont(points / scale));
        painter.setPen(QPen(pic::Ink(), 1));
        painter.setBrush(Qt::NoBrush);
        painter.setRenderHint(QPainter::Antialiasing);
        picture->paint(painter, QRectF(QPointF(0, 0), area), form);
        painter.restore();
    };
    return row;
}

} // namespace dralun
