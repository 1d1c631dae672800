// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/DisplayIdentity.h"

#include <limits>

namespace corvane {
namespace {

QString truncated(double value)
{
    // Truncation towards zero; values beyond the 64-bit range saturate instead of overflowing.
    if (!(value == value))
        return QStringLiteral("0");
    if (value >= 9.2e18)
        return QString::number(std::numeric_limits<qint64>::max());
    if (value <= -9.2e18)
        return QString::number(std::numeric_limits<qint64>::min());
    return QString::number(static_cast<qint64>(value));
}

// The identifier of a display that has a number, from what the monitor reports about itself.
QString numbersID(const DisplayIdentity& display)
{
    if (display.vendor != 0 || display.model != 0 || display.serial != 0) {
        return QStringLiteral("display_%1_%2_%3")
            .arg(display.vendor)
            .arg(display.model)
            .arg(display.serial);
    }
    if (!display.uuid)
        return QStringLiteral("displayid_%1").arg(*display.number);
    return QStringLiteral("uuid_") +
           (display.uuid->isEmpty() ? QStringLiteral("unknown") : *display.uuid);
}

} // namespace

QString monitorID(const DisplayIdentity& display)
{
    if (!display.number) {
        const Rect& f = display.frame;
        return QStringLiteral("screen_%1_%2_%3_%4")
            .arg(truncated(f.x), truncated(f.y), truncated(f.width), truncated(f.height));
    }
    // A unique display keeps the identifier its stored choices were saved under; only twins
    // carry their connector.
    const QString id = numbersID(display);
    return display.connector.isEmpty() ? id : id + u'@' + display.connector;
}

} // namespace corvane
