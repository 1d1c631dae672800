// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

namespace corvane {

// Waits for the user to click a window of another application and reports the names of that
// window's application. Picking starts from Corvane's own window, so the click makes another
// window active, which is what is watched: clicks on Corvane's own windows pick nothing, so the
// user can still use them (to cancel, for instance).
class WindowPicker : public QObject {
    Q_OBJECT
public:
    explicit WindowPicker(QObject* parent = nullptr);
    ~WindowPicker() override;

    bool isPicking() const { return picking_; }
    void start();
    void cancel();

signals:
    // The clicked window's application names, most specific first; empty when the window says
    // nothing of its application.
    void picked(const QStringList& applicationNames);
    void pickingChanged(bool picking);

private:
    void activeWindowChanged();

    bool picking_ = false;
    QMetaObject::Connection watch_;
};

} // namespace corvane
