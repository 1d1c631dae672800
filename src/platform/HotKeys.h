// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <cstdint>

namespace corvane {

// Result codes of a registration, as the system reports them.
enum class HotKeyStatus { Success = 0, AlreadyTaken = -9878, InvalidKey = -50, Failed = -1 };

// System-wide hot keys, given as a macOS virtual key code and a Carbon modifier mask.
class HotKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual HotKeyStatus registerHotKey(int keyCode, int carbonModifiers, std::uint32_t id) = 0;
    virtual void unregisterHotKey(std::uint32_t id) = 0;

signals:
    void pressed(std::uint32_t id);
    void released(std::uint32_t id);
};

} // namespace corvane
