// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppIcon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QSvgRenderer>
#include <initializer_list>
#include <optional>

namespace corvane {
namespace {

// An SVG of the resources drawn once per size, instead of through an icon engine plugin, which a
// minimal Qt installation may lack; a tint, when given, replaces every drawn colour. Empty when
// the image cannot be read.
QIcon renderedIcon(const QString& path, std::initializer_list<int> sizes,
                   std::optional<QColor> tint = std::nullopt)
{
    QSvgRenderer renderer(path);
    QIcon icon;
    if (!renderer.isValid())
        return icon;
    for (int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter);
        if (tint) {
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            painter.fillRect(pixmap.rect(), *tint);
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon appIcon()
{
    // The tray and window managers pick the size nearest their need.
    return renderedIcon(QStringLiteral(":/app.corvane.Corvane.svg"),
                        {16, 22, 24, 32, 48, 64, 128, 256});
}

QIcon trayIcon()
{
    // Named, the icon reaches the panel by its theme name, and the panel draws the symbolic
    // icon in its own text colour; the copy inside the binary is the fallback, drawn in the
    // colour of text on this desktop's palette.
    const QString name = QStringLiteral("app.corvane.Corvane-symbolic");
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    QIcon icon =
        renderedIcon(QStringLiteral(":/app.corvane.Corvane-symbolic.svg"), {16, 22, 24, 32, 48, 64},
                     QGuiApplication::palette().color(QPalette::Active, QPalette::WindowText));
    if (icon.isNull())
        return appIcon();
    icon.setIsMask(true);
    return icon;
}

} // namespace corvane
