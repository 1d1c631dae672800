// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/AccessibilityStatusView.h"

#include "platform/Platform.h"
#include "preferences/PlatformWording.h"
#include "preferences/PreferencesStyle.h"
#include "preferences/SymbolLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvane {
namespace {

QLabel* secondaryLabel(QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setFont(PreferencesStyle::font(12));
    label->setWordWrap(true);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, PreferencesStyle::secondaryLabel(pal));
    label->setPalette(pal);
    return label;
}

} // namespace

AccessibilityStatusView::AccessibilityStatusView(QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 12);
    column->setSpacing(6);

    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    symbol_ = new SymbolLabel(QString(), 16, QColor(), 20, this);
    header->addWidget(symbol_);
    headline_ = new QLabel(this);
    headline_->setObjectName(QStringLiteral("accessibilityHeadline"));
    headline_->setFont(PreferencesStyle::font(14, QFont::Medium));
    headline_->setWordWrap(true);
    header->addWidget(headline_, 1);
    column->addLayout(header);

    explanation_ = secondaryLabel(this);
    explanation_->setObjectName(QStringLiteral("accessibilityExplanation"));
    column->addWidget(explanation_);
    instructions_ = secondaryLabel(this);
    instructions_->setObjectName(QStringLiteral("accessibilityInstructions"));
    column->addWidget(instructions_);

    if (PlatformWording::hasAccessibilitySettingsPane()) {
        openSettings_ = new QPushButton(tr("Open Accessibility Settings"), this);
        openSettings_->setToolTip(tr("Open System Preferences to grant accessibility permissions"));
        connect(openSettings_, &QPushButton::clicked, this, [] {
            Platform::current().workspace().openUrl(PlatformWording::accessibilitySettingsUrl());
        });
        column->addWidget(openSettings_, 0, Qt::AlignLeft);
    }
    present();
}

void AccessibilityStatusView::setAccess(const SessionAccess& access)
{
    if (presented_ && access.windowsReachable == access_.windowsReachable &&
        access.headline == access_.headline && access.detail == access_.detail &&
        access.remedy == access_.remedy)
        return;
    access_ = access;
    present();
}

void AccessibilityStatusView::present()
{
    presented_ = true;
    const bool fine = access_.windowsReachable && access_.remedy.isEmpty();
    symbol_->setSymbol(fine ? QStringLiteral("emblem-ok") : QStringLiteral("dialog-warning"));
    symbol_->setColor(fine ? PreferencesStyle::systemGreen() : PreferencesStyle::systemOrange());
    headline_->setText(access_.headline);
    explanation_->setText(access_.detail);
    explanation_->setVisible(!access_.detail.isEmpty());
    instructions_->setText(access_.remedy);
    instructions_->setVisible(!access_.remedy.isEmpty());
    if (openSettings_)
        openSettings_->setVisible(!access_.windowsReachable);
}

QString AccessibilityStatusView::headline() const
{
    return headline_->text();
}

QString AccessibilityStatusView::instructions() const
{
    return instructions_->text();
}

} // namespace corvane
