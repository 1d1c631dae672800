// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUuid>

namespace corvane {

// A deterministic UUID for a template's string id, so that a per-display choice of a template
// survives restarts: equal texts always give equal UUIDs.
QUuid stableUUID(const QString& text);

} // namespace corvane
