// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace corvane {

// The heading of a page: a large symbol in the accent colour, a title and a line below it.
class PreferencesPageHeader : public QWidget {
    Q_OBJECT
public:
    PreferencesPageHeader(const QString& symbol, const QString& title, const QString& subtitle,
                          QWidget* parent = nullptr);
};

} // namespace corvane
