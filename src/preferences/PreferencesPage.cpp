// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferencesPage.h"

#include <QVBoxLayout>

namespace corvane {
namespace {

constexpr int pagePadding = 24;
constexpr int sectionSpacing = 24;

} // namespace

PreferencesPage::PreferencesPage(QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    // A click on the page's background must not take the focus from the control that holds it
    // (the modifier key capture ends when it loses the focus).
    setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("pageBody"));
    body->setAutoFillBackground(false);
    column_ = new QVBoxLayout(body);
    column_->setContentsMargins(pagePadding, pagePadding, pagePadding, pagePadding);
    column_->setSpacing(sectionSpacing);
    setWidget(body);
    // The page sits on the window background, not on the scroll area's base colour.
    viewport()->setAutoFillBackground(false);
}

void PreferencesPage::finishColumn()
{
    column_->addStretch(1);
}

} // namespace corvane
