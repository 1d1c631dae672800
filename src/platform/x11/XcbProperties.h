// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <optional>
#include <xcb/xcb.h>

namespace corvane {

// Reading the values out of property replies. A missing reply or property, or one of another
// format, reads as empty.

// The 32-bit items of a CARDINAL, ATOM or WINDOW property.
QList<std::uint32_t> propertyValues32(const xcb_get_property_reply_t* reply);
std::optional<std::uint32_t> propertyValue32(const xcb_get_property_reply_t* reply);
// The bytes of an 8-bit property.
QByteArray propertyBytes(const xcb_get_property_reply_t* reply);
bool propertyExists(const xcb_get_property_reply_t* reply);

// WM_CLASS: the instance name and the class name, in that order.
struct WmClass {
    QString instance;
    QString className;
};
std::optional<WmClass> wmClassFromProperty(const xcb_get_property_reply_t* reply);

} // namespace corvane
