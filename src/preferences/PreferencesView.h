// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/PreferencesTab.h"

#include <QHash>
#include <QWidget>
#include <functional>
#include <memory>

class QStackedWidget;

namespace corvane {

class PreferencesTabButton;

// The content of the preferences window: the sidebar of tabs, a separator line, and the page of
// the selected tab. A page is built the first time its tab is shown and kept afterwards, so a
// page keeps what the user typed while they look at another tab.
class PreferencesView : public QWidget {
    Q_OBJECT
public:
    using PageFactory = std::function<std::unique_ptr<QWidget>()>;

    static constexpr int sidebarWidth = 200;

    explicit PreferencesView(PreferencesTab initial, QWidget* parent = nullptr);
    ~PreferencesView() override;

    PreferencesTab selectedTab() const { return selected_; }
    void selectTab(PreferencesTab tab);

    // Supplies how a tab's page is built (the application gives the Layout Editor page this
    // way). A page already built for the tab is replaced at once.
    void setPageFactory(PreferencesTab tab, PageFactory factory);

    // The tab's page if it has been built, else nullptr.
    QWidget* page(PreferencesTab tab) const;
    PreferencesTabButton* tabButton(PreferencesTab tab) const;

signals:
    void selectedTabChanged(corvane::PreferencesTab tab);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* ensurePage(PreferencesTab tab);
    std::unique_ptr<QWidget> buildPage(PreferencesTab tab) const;

    PreferencesTab selected_;
    QHash<PreferencesTab, PageFactory> factories_;
    QHash<PreferencesTab, QWidget*> pages_;
    QHash<PreferencesTab, PreferencesTabButton*> buttons_;
    QStackedWidget* stack_ = nullptr;
};

} // namespace corvane
