#pragma once

#include "preferences/PreferencesTab.h"

#include <QWidget>

namespace corvane {

// What a tab shows while nothing supplies its page: its symbol and title.
class PreferencesPlaceholderPage : public QWidget {
    Q_OBJECT
public:
    explicit PreferencesPlaceholderPage(PreferencesTab tab, QWidget* parent = nullptr);
};

} // namespace corvane
