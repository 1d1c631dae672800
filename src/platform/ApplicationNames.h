// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace corvane {

// The names a compositor's window goes by, the most specific first: the class it reports (the
// Wayland app id or the X11 class), then its process's name; empty when it has neither.
QStringList applicationNames(const QString& resourceClass, qint64 pid);

} // namespace corvane
