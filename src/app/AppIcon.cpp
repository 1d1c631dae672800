// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppIcon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
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

QIcon trayIcon()
{
    // Named, the icon reaches the panel by its theme name, and the panel draws the symbolic
    // icon in its own text colour; the copy inside the binary is the fallback, drawn in the
    // colour of text on this desktop's palette.
    const QString name = QStringLiteral("app.corvane.Corvane-symbolic");
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    QSvgRenderer renderer(QStringLiteral(":/app.corvane.Corvane-symbolic.svg"));
    QIcon icon;
    if (!renderer.isValid())
        return appIcon();
    const QColor ink = QGuiApplication::palette().color(QPalette::Active, QPalette::WindowText);
    for (int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), ink);
        painter.end();
        icon.addPixmap(pixmap);
    }
    icon.setIsMask(true);
    return icon;
}

} // namespace corvane
