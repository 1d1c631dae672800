// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/AlertLayout.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <algorithm>

namespace corvane {
namespace {

// Room for the window manager's buttons and the title's margins.
constexpr int titleBarExtras = 160;
constexpr int minimumWidth = 380;

} // namespace

void widenForTitle(QMessageBox& box)
{
    QString title = box.windowTitle();
    if (const QString app = QGuiApplication::applicationDisplayName();
        !app.isEmpty() && !title.endsWith(app))
        title += QStringLiteral(" \u2014 ") + app;
    const int width = std::max(
        minimumWidth, QFontMetrics(QApplication::font()).horizontalAdvance(title) + titleBarExtras);
    // A message box sizes itself from its layout; a spacer across the whole grid sets the floor.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

} // namespace corvane
