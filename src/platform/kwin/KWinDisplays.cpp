// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/kwin/KWinDisplays.h"

#include "models/StableUuid.h"
#include "platform/kwin/KWinBridge.h"

#include <QGuiApplication>
#include <QScreen>

namespace corvane {
namespace {

QScreen* screenWithFrame(const QRectF& frame)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        if (QRectF(screen->geometry()) == frame)
            return screen;
    }
    return nullptr;
}

} // namespace

KWinDisplays::KWinDisplays(KWinBridge& bridge, QObject* parent) : Displays(parent), bridge_(bridge)
{
    connect(&bridge_, &KWinBridge::outputsChanged, this, &KWinDisplays::refresh);
    // The toolkit may hear of an output after KWin's script: names follow when it does.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::screenAdded, this, &KWinDisplays::refresh);
        connect(app, &QGuiApplication::screenRemoved, this, &KWinDisplays::refresh);
    }
}

std::optional<Display> KWinDisplays::mainScreen() const
{
    // The display of the active window holds the keyboard focus.
    for (const ReportedWindow& w : bridge_.windows().all()) {
        if (w.minimized || w.dock || w.desktop)
            continue;
        for (const Display& d : displays_) {
            if (d.key == w.output)
                return d;
        }
        break;
    }
    if (displays_.isEmpty())
        return std::nullopt;
    return displays_.first();
}

void KWinDisplays::refresh()
{
    const QList<KWinOutput>& outputs = bridge_.outputs();
    DisplayList displays;
    for (const KWinOutput& o : outputs) {
        Display d;
        d.key = o.name;
        // KWin's logical coordinates are the toolkit's global ones.
        const QRectF area = o.area.isEmpty() ? o.frame : o.area;
        d.frame = Rect(o.frame.x(), o.frame.y(), o.frame.width(), o.frame.height());
        d.visibleFrame = Rect(area.x(), area.y(), area.width(), area.height());
        d.localizedName = o.name;
        if (QScreen* screen = screenWithFrame(o.frame)) {
            d.localizedName = screen->model().isEmpty() ? screen->name() : screen->model();
            // Wayland gives the output's maker, model and serial as text: their stable UUID
            // identifies the display across launches, as the EDID does on X11.
            const QString identity = screen->manufacturer() + u'|' + screen->model() + u'|' +
                                     screen->serialNumber() + u'|' + screen->name();
            d.uuid = stableUUID(identity).toString(QUuid::WithoutBraces).toUpper();
        }
        displays.append(d);
    }
    setIdentityFrames(displays);
    const bool changed = !sameDisplays(displays, displays_);
    displays_ = displays;
    if (changed)
        emit screenParametersChanged();
}

} // namespace corvane
