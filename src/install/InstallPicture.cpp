#include "install/InstallPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace dralun::install {

CInstallPicture::CInstallPicture(QString medium, QString target, QWidget* parent)
    : QWidget(parent), m_medium(std::move(medium)), m_target(std::move(target))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize CInstallPicture::sizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(34 * line, 14 * line);
}

void CInstallPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double u = fontMetrics().height();
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.setBrush(QColor(128, 194, 255));
    p.drawRect(r);

    // Water at the bottom.
    QPainterPath water;
    water.moveTo(r.left(), r.bottom() - 2 * u);
    for (double x = r.left(); x <= r.right() + u; x += u)
        water.quadTo(x + u / 2, r.bottom() - 2.6 * u, x + u, r.bottom() - 2 * u);
    water.lineTo(r.right(), r.bottom());
    water.lineTo(r.left(), r.bottom());
    water.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 200));
    p.drawPath(water);

    // The medium: a disc.
    const QPointF disc(r.left() + 6 * u, r.top() + 5.5 * u);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(QColor(235, 235, 240));
    p.drawEllipse(disc, 3.2 * u, 3.2 * u);
    p.setBrush(QColor(128, 194, 255));
    p.drawEllipse(disc, 0.8 * u, 0.8 * u);

    // The data directory: a folder.
    const QRectF folder(r.right() - 11 * u, r.top() + 3 * u, 8 * u, 5.5 * u);
    p.setBrush(QColor(250, 215, 110));
    QPainterPath tab;
    tab.addRoundedRect(QRectF(folder.left(), folder.top() - 0.8 * u, 3 * u, 1.6 * u), 0.3 * u, 0.3 * u);
    p.drawPath(tab);
    p.drawRoundedRect(folder, 0.3 * u, 0.3 * u);
    p.setPen(QColor(40, 40, 40));
    p.drawText(folder, Qt::AlignCenter, QStringLiteral("Dralun"));

    // The files on their way.
    p.setPen(QPen(QColor(16, 16, 16), 2));
    const double y = disc.y();
    p.drawLine(QPointF(disc.x() + 4 * u, y), QPointF(folder.left() - 1 * u, y));
    QPolygonF head;
    head << QPointF(folder.left() - 0.5 * u, y) << QPointF(folder.left() - 1.4 * u, y - 0.5 * u)
         << QPointF(folder.left() - 1.4 * u, y + 0.5 * u);
    p.setBrush(QColor(16, 16, 16));
    p.drawPolygon(head);
    for (int i = 0; i < 3; ++i) {
        const QRectF sheet(disc.x() + (5.2 + 2.2 * i) * u, y - 2.6 * u, 1.5 * u, 1.9 * u);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(sheet);
    }

    // Where from, where to.
    p.setPen(QColor(16, 16, 16));
    const QFontMetricsF fm(font());
    const QString from = fm.elidedText(QStringLiteral("von: ") + m_medium, Qt::ElideMiddle, r.width() - 2 * u);
    const QString to = fm.elidedText(QStringLiteral("nach: ") + m_target, Qt::ElideMiddle, r.width() - 2 * u);
    p.drawText(QPointF(r.left() + u, r.bottom() - 4.6 * u), from);
    p.drawText(QPointF(r.left() + u, r.bottom() - 3.3 * u), to);
}

} // namespace dralun::install
