// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace corvane {

// Whether a compositing manager blends translucent windows with what lies beneath them. Without
// one, a translucent window shows its colours without their alpha and its empty parts as black,
// so the overlays cut themselves to the shape of what they draw instead.
class Compositing : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool isActive() const = 0;

signals:
    // A compositing manager started or stopped.
    void activeChanged(bool active);
};

} // namespace corvane
