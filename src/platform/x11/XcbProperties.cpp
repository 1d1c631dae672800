// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/x11/XcbProperties.h"

namespace corvane {

bool propertyExists(const xcb_get_property_reply_t* reply)
{
    return reply && reply->type != XCB_NONE;
}

QList<std::uint32_t> propertyValues32(const xcb_get_property_reply_t* reply)
{
    QList<std::uint32_t> values;
    if (!propertyExists(reply) || reply->format != 32)
        return values;
    const int length = xcb_get_property_value_length(reply) / 4;
    const auto* data = static_cast<const std::uint32_t*>(
        xcb_get_property_value(const_cast<xcb_get_property_reply_t*>(reply)));
    values.reserve(length);
    for (int i = 0; i < length; ++i)
        values.append(data[i]);
    return values;
}

std::optional<std::uint32_t> propertyValue32(const xcb_get_property_reply_t* reply)
{
    const auto values = propertyValues32(reply);
    if (values.isEmpty())
        return std::nullopt;
    return values.first();
}

QByteArray propertyBytes(const xcb_get_property_reply_t* reply)
{
    if (!propertyExists(reply) || reply->format != 8)
        return {};
    return QByteArray(static_cast<const char*>(
                          xcb_get_property_value(const_cast<xcb_get_property_reply_t*>(reply))),
                      xcb_get_property_value_length(reply));
}

std::optional<WmClass> wmClassFromProperty(const xcb_get_property_reply_t* reply)
{
    const QByteArray bytes = propertyBytes(reply);
    if (bytes.isEmpty())
        return std::nullopt;
    // Two NUL-terminated strings; a client may leave out the last terminator.
    const QList<QByteArray> parts = bytes.split('\0');
    WmClass result;
    result.instance = QString::fromLocal8Bit(parts.value(0));
    result.className = QString::fromLocal8Bit(parts.value(1));
    if (result.instance.isEmpty() && result.className.isEmpty())
        return std::nullopt;
    return result;
}

} // namespace corvane
