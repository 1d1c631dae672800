// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gnome/GnomeDisplays.h"

#include "models/StableUuid.h"
#include "platform/gnome/GnomeShellBridge.h"

#include <algorithm>

namespace corvane {

GnomeDisplays::GnomeDisplays(GnomeShellBridge& bridge, QObject* parent)
    : Displays(parent), bridge_(bridge)
{
    connect(&bridge_, &GnomeShellBridge::outputsChanged, this, &GnomeDisplays::refresh);
}

std::optional<Display> GnomeDisplays::mainScreen() const
{
    // The display of the active window holds the keyboard focus.
    if (const auto active = bridge_.windows().active()) {
        if (const auto window = bridge_.windows().find(*active)) {
            const QPointF centre = window->frame.center();
            for (const Display& d : displays_) {
                if (QRectF(d.frame.x, d.frame.y, d.frame.width, d.frame.height).contains(centre))
                    return d;
            }
        }
    }
    if (displays_.isEmpty())
        return std::nullopt;
    return displays_.first();
}

void GnomeDisplays::refresh()
{
    QList<GnomeOutput> outputs = bridge_.outputs();
    std::stable_partition(outputs.begin(), outputs.end(),
                          [](const GnomeOutput& o) { return o.primary; });
    DisplayList displays;
    for (const GnomeOutput& o : outputs) {
        Display d;
        d.key = o.name;
        d.connector = o.name;
        // The shell's logical coordinates are the global ones.
        const QRectF area = o.area.isEmpty() ? o.frame : o.area;
        d.frame = Rect(o.frame.x(), o.frame.y(), o.frame.width(), o.frame.height());
        d.visibleFrame = Rect(area.x(), area.y(), area.width(), area.height());
        d.localizedName = o.product.isEmpty() ? o.name : o.vendor + u' ' + o.product;
        if (!o.product.isEmpty() || !o.serial.isEmpty()) {
            // Mutter gives the maker, model and serial as text: their stable UUID identifies
            // the display across launches, as the EDID does on X11.
            const QString identity = o.vendor + u'|' + o.product + u'|' + o.serial + u'|' + o.name;
            d.uuid = stableUUID(identity).toString(QUuid::WithoutBraces).toUpper();
        }
        displays.append(d);
    }
    setIdentityFrames(displays);
    markIdenticalDisplays(displays);
    const bool changed = !sameDisplays(displays, displays_);
    displays_ = displays;
    if (changed)
        emit screenParametersChanged();
}

} // namespace corvane
