// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QWindow>

namespace corvane {

class KWinBridge;
struct ReportedWindow;

// Corvane's own windows that float above others (the overlays, the layout editor's windows).
// A Wayland client may neither place its windows nor keep them above others, and Qt ignores
// those window hints there; KWin's script does both for it. Each such window is named for the
// script to find, placed where the toolkit was asked to put it, kept above everything and out
// of the task bar, and placed again whenever KWin reports it elsewhere. A window that lets
// input through gets an input region outside itself, since Qt ignores that hint too.
class KWinOwnWindows : public QObject {
    Q_OBJECT
public:
    explicit KWinOwnWindows(KWinBridge& bridge, QObject* parent = nullptr);
    ~KWinOwnWindows() override;

    // Whether a window KWin reports is one of Corvane's floating windows.
    static bool isOverlay(const ReportedWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void track(QWindow* window);
    void placeAll();

    KWinBridge& bridge_;
    QHash<QString, QPointer<QWindow>> windows_; // by the caption given to them
    int next_ = 1;
    bool placePending_ = false;
};

} // namespace corvane
