// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/HotKeys.h"

#include <QHash>
#include <QString>

namespace corvane {

class GnomeShellBridge;

// Global shortcuts grabbed by Corvane's extension in GNOME Shell (the way GNOME's own media
// keys are grabbed), so that they work whichever window has the keyboard. None can be
// registered while the extension does not answer; those registered are grabbed again when the
// shell comes back (a restart), and the extension gives every key back when Corvane leaves the
// bus.
class GnomeHotKeys : public HotKeys {
    Q_OBJECT
public:
    explicit GnomeHotKeys(GnomeShellBridge& bridge, QObject* parent = nullptr);

    HotKeyStatus registerHotKey(int keyCode, int carbonModifiers, std::uint32_t id) override;
    void unregisterHotKey(std::uint32_t id) override;

    // GNOME's accelerator text for a key with modifiers ("<Control><Super>Right"); empty for a
    // key it has no name for.
    static QString acceleratorText(int keyCode, int carbonModifiers);

private:
    static QString nameOf(std::uint32_t id);
    void grabAll();

    GnomeShellBridge& bridge_;
    QHash<std::uint32_t, QString> accelerators_; // by id
};

} // namespace corvane
