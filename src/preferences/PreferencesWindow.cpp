// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferencesWindow.h"

#include "preferences/PreferencesStyle.h"
#include "preferences/PreferencesView.h"
#include "settings/Notifications.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace corvane {

PreferencesWindow::PreferencesWindow(PreferencesTab initial, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(tr("Preferences"));
    setObjectName(QStringLiteral("PreferencesWindow"));
    setMinimumSize(minimumBounds);
    setMaximumSize(maximumBounds);
    resize(defaultSize);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // A setting that did not reach the disk is said here, whichever page changed it.
    saveFailure_ = new QWidget(this);
    saveFailure_->setObjectName(QStringLiteral("saveFailureNotice"));
    saveFailure_->setAutoFillBackground(true);
    QPalette notice = saveFailure_->palette();
    notice.setColor(QPalette::Window, QColor(255, 236, 232));
    notice.setColor(QPalette::WindowText, PreferencesStyle::systemRed().darker(130));
    saveFailure_->setPalette(notice);
    auto* row = new QHBoxLayout(saveFailure_);
    row->setContentsMargins(16, 8, 12, 8);
    saveFailureText_ = new QLabel(saveFailure_);
    saveFailureText_->setWordWrap(true);
    row->addWidget(saveFailureText_, 1);
    auto* dismiss = new QPushButton(tr("Dismiss"), saveFailure_);
    connect(dismiss, &QPushButton::clicked, saveFailure_, &QWidget::hide);
    row->addWidget(dismiss);
    saveFailure_->hide();
    layout->addWidget(saveFailure_);
    // Queued when a save failed on another thread.
    connect(&Notifications::shared(), &Notifications::settingsWriteFailed, this,
            &PreferencesWindow::showSaveFailure);

    view_ = new PreferencesView(initial, this);
    layout->addWidget(view_);
}

void PreferencesWindow::showSaveFailure(const QString& reason)
{
    saveFailureText_->setText(
        tr("A setting could not be saved: %1. What you change now lasts only until "
           "Corvane quits.")
            .arg(reason));
    saveFailure_->show();
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
