#include "gui/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace dralun {

QImage ProgramIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0); // drawn on a 64 × 64 grid
    p.setPen(QPen(QColor(40, 40, 40), 5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6, 6, 52, 52));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 140, 230));
    p.drawChord(QRectF(8.5, 8.5, 47, 47), 200 * 16, 140 * 16);
    return image;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 64, 128})
        icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
    return icon;
}

} // namespace dralun
