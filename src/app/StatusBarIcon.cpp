#include "app/StatusBarIcon.h"

#include <QPainter>
#include <QPixmap>

namespace corvane {
namespace {

QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    // A dark halo under a light glyph keeps the shape visible on any panel colour.
    const QRectF screen(1.5 * unit, 2.5 * unit, 13 * unit, 11 * unit);
    const QRectF left(3.5 * unit, 4.5 * unit, 5 * unit, 7 * unit);
    const QRectF right(9.5 * unit, 4.5 * unit, 3 * unit, 7 * unit);
    p.setPen(QPen(QColor(0, 0, 0, 150), 3 * unit));
    p.drawRoundedRect(screen, 2 * unit, 2 * unit);
    p.setPen(QPen(Qt::white, 1.5 * unit));
    p.drawRoundedRect(screen, 2 * unit, 2 * unit);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawRect(left.adjusted(-0.5 * unit, -0.5 * unit, 0.5 * unit, 0.5 * unit));
    p.drawRect(right.adjusted(-0.5 * unit, -0.5 * unit, 0.5 * unit, 0.5 * unit));
    p.setBrush(Qt::white);
    p.drawRect(left);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawRect(right);
    return pixmap;
}

} // namespace

QIcon statusBarIcon()
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(drawIcon(size));
    return icon;
}

} // namespace corvane
