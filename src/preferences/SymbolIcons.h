// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace corvane {

// Monochrome icons by their freedesktop names ("preferences-system", "mail-unread", ...), drawn
// in the colour asked for. The icon theme's "-symbolic" icon comes first, recoloured; then the
// theme's plain icon, as the theme drew it; then Corvane's own drawing (resources/icons, built
// into the binary), so that every page looks complete on a desktop without an icon theme.
class SymbolIcons {
public:
    static QIcon icon(const QString& name, const QColor& color);
    static QPixmap pixmap(const QString& name, int size, const QColor& color, qreal dpr = 1.0);

    // Whether Corvane carries its own drawing of the icon.
    static bool hasOwnDrawing(const QString& name);
};

} // namespace corvane
