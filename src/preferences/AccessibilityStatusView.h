// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Session.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace corvane {

class SymbolLabel;

// The body of the Permissions section: what was checked, whether Corvane can read and move other
// applications' windows in this session, and, when it cannot (or only in part), what to do.
class AccessibilityStatusView : public QWidget {
    Q_OBJECT
public:
    explicit AccessibilityStatusView(QWidget* parent = nullptr);

    bool isTrusted() const { return access_.windowsReachable; }
    void setAccess(const SessionAccess& access);

    QString headline() const;
    // What the user can do; empty when nothing is needed.
    QString instructions() const;
    // Present only where the system has a settings pane for the permission.
    QPushButton* openSettingsButton() const { return openSettings_; }

private:
    void present();

    SessionAccess access_;
    bool presented_ = false;
    SymbolLabel* symbol_ = nullptr;
    QLabel* headline_ = nullptr;
    QLabel* explanation_ = nullptr;
    QLabel* instructions_ = nullptr;
    QPushButton* openSettings_ = nullptr;
};

} // namespace corvane
