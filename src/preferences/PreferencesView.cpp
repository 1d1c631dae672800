// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferencesView.h"

#include "preferences/FeedbackView.h"
#include "preferences/GeneralPreferencesView.h"
#include "preferences/KeyboardShortcutsPreferencesView.h"
#include "preferences/PreferencesStyle.h"
#include "preferences/PreferencesTabButton.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace corvane {
namespace {

constexpr int separatorWidth = 1;

} // namespace

PreferencesView::PreferencesView(PreferencesTab initial, QWidget* parent)
    : QWidget(parent), selected_(initial)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    auto* sidebar = new QWidget(this);
    sidebar->setObjectName(QStringLiteral("sidebar"));
    sidebar->setFixedWidth(sidebarWidth);
    auto* tabs = new QVBoxLayout(sidebar);
    tabs->setContentsMargins(16, 20, 16, 16);
    tabs->setSpacing(2);
    for (PreferencesTab tab : allPreferencesTabs) {
        auto* button = new PreferencesTabButton(tab, sidebar);
        button->setSelected(tab == selected_);
        connect(button, &QAbstractButton::clicked, this, [this, tab] { selectTab(tab); });
        tabs->addWidget(button);
        buttons_.insert(tab, button);
    }
    tabs->addStretch(1);
    row->addWidget(sidebar);
    row->addSpacing(separatorWidth); // painted by paintEvent

    stack_ = new QStackedWidget(this);
    row->addWidget(stack_, 1);

    stack_->setCurrentWidget(ensurePage(selected_));
}

PreferencesView::~PreferencesView() = default;

void PreferencesView::selectTab(PreferencesTab tab)
{
    QWidget* page = ensurePage(tab);
    stack_->setCurrentWidget(page);
    if (tab == selected_)
        return;
    selected_ = tab;
    for (auto it = buttons_.cbegin(); it != buttons_.cend(); ++it)
        it.value()->setSelected(it.key() == tab);
    emit selectedTabChanged(tab);
}

void PreferencesView::setPageFactory(PreferencesTab tab, PageFactory factory)
{
    factories_.insert(tab, std::move(factory));
    if (QWidget* old = pages_.take(tab)) {
        stack_->removeWidget(old);
        delete old;
        if (tab == selected_)
            stack_->setCurrentWidget(ensurePage(tab));
    }
}

QWidget* PreferencesView::page(PreferencesTab tab) const
{
    return pages_.value(tab, nullptr);
}

PreferencesTabButton* PreferencesView::tabButton(PreferencesTab tab) const
{
    return buttons_.value(tab, nullptr);
}

QWidget* PreferencesView::ensurePage(PreferencesTab tab)
{
    if (QWidget* existing = pages_.value(tab, nullptr))
        return existing;
    std::unique_ptr<QWidget> built = buildPage(tab);
    // The layout gallery lives in a layer above this window and is supplied by the application;
    // until then its tab is an empty page.
    if (!built)
        built = std::make_unique<QWidget>();
    QWidget* page = built.release();
    stack_->addWidget(page); // the stack owns it from here
    pages_.insert(tab, page);
    return page;
}

std::unique_ptr<QWidget> PreferencesView::buildPage(PreferencesTab tab) const
{
    if (const auto it = factories_.constFind(tab); it != factories_.cend() && *it)
        return (*it)();
    switch (tab) {
    case PreferencesTab::general:
        return std::make_unique<GeneralPreferencesView>();
    case PreferencesTab::keyboardShortcuts:
        return std::make_unique<KeyboardShortcutsPreferencesView>();
    case PreferencesTab::feedback:
        return std::make_unique<FeedbackView>();
    case PreferencesTab::layoutEditor:
        break;
    }
    return nullptr;
}

void PreferencesView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette& pal = palette();
    p.fillRect(rect(), PreferencesStyle::windowBackground(pal));
    p.fillRect(QRect(0, 0, sidebarWidth, height()), PreferencesStyle::controlBackground(pal));
    p.fillRect(QRect(sidebarWidth, 0, separatorWidth, height()), PreferencesStyle::separator(pal));
}

} // namespace corvane
