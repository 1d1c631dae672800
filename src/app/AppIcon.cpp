#include "app/AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace corvane {

QIcon appIcon()
{
    // Rendered once per size instead of through an icon engine plugin, which a minimal Qt
    // installation may lack; the tray and window managers pick the size nearest their need.
    QSvgRenderer renderer(QStringLiteral(":/app.corvane.Corvane.svg"));
    QIcon icon;
    if (!renderer.isValid())
        return icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace corvane
