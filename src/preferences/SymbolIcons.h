#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace corvane {

// Icons named by the symbol names the pages use ("gearshape", "envelope.fill", ...). Each
// symbol maps to a freedesktop theme icon: a "-symbolic" variant is drawn in the requested
// colour, a full-colour one as the theme drew it. Where the theme has neither, a small drawing
// of the symbol is used, so every page looks complete on a desktop without an icon theme.
class SymbolIcons {
public:
    static QIcon icon(const QString& symbol, const QColor& color);
    static QPixmap pixmap(const QString& symbol, int size, const QColor& color, qreal dpr = 1.0);

    // The freedesktop name the symbol maps to; empty when the theme is never asked.
    static QString themeIconName(const QString& symbol);
    // Whether the symbol is in the table (an unknown one is drawn as a plain circle).
    static bool isKnown(const QString& symbol);
};

} // namespace corvane
