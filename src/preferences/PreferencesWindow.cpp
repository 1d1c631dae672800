#include "preferences/PreferencesWindow.h"

#include "preferences/PreferencesView.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace corvane {

PreferencesWindow::PreferencesWindow(PreferencesTab initial, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Preferences"));
    setObjectName(QStringLiteral("PreferencesWindow"));
    setMinimumSize(minimumBounds);
    setMaximumSize(maximumBounds);
    resize(defaultSize);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new PreferencesView(initial, this);
    layout->addWidget(view_);
}

PreferencesWindow::~PreferencesWindow() = default;

PreferencesTab PreferencesWindow::selectedTab() const
{
    return view_->selectedTab();
}

void PreferencesWindow::selectTab(PreferencesTab tab)
{
    view_->selectTab(tab);
}

void PreferencesWindow::showAndActivate()
{
    if (!centred_) {
        centreOnScreen();
        centred_ = true;
    }
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void PreferencesWindow::centreOnScreen()
{
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    QRect frame(QPoint(), size());
    frame.moveCenter(available.center());
    // Never above the top of the usable area, where the title bar could not be reached.
    move(frame.left(), qMax(frame.top(), available.top()));
}

} // namespace corvane
