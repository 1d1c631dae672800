// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferencesRowView.h"

#include "preferences/PreferencesStyle.h"
#include "preferences/SymbolLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

PreferencesRowView::PreferencesRowView(const QString& title, const QString& subtitle,
                                       QWidget* accessory, QWidget* parent)
    : QWidget(parent), accessory_(accessory)
{
    auto* row = new QHBoxLayout(this);
    row_ = row;
    row->setContentsMargins(16, 12, 16, 12);
    row->setSpacing(16);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    title_ = new QLabel(title, this);
    title_->setObjectName(QStringLiteral("rowTitle"));
    title_->setFont(PreferencesStyle::font(14, QFont::Medium));
    title_->setWordWrap(true);
    texts->addWidget(title_);
    if (!subtitle.isEmpty()) {
        subtitle_ = new QLabel(subtitle, this);
        subtitle_->setObjectName(QStringLiteral("rowSubtitle"));
        subtitle_->setFont(PreferencesStyle::font(12));
        subtitle_->setWordWrap(true);
        QPalette pal = subtitle_->palette();
        pal.setColor(QPalette::WindowText, PreferencesStyle::secondaryLabel(pal));
        subtitle_->setPalette(pal);
        texts->addWidget(subtitle_);
    }
    // The texts take the room the accessory leaves; long subtitles wrap instead of pushing the
    // accessory out of the window.
    row->addLayout(texts, 1);
    if (accessory) {
        accessory->setParent(this);
        row->addWidget(accessory, 0, Qt::AlignVCenter);
    }
}

void PreferencesRowView::setLeadingSymbol(const QString& symbol, const QColor& color)
{
    auto* label = new SymbolLabel(symbol, 16, color, 20, this);
    row_->insertWidget(0, label, 0, Qt::AlignVCenter);
    row_->insertSpacing(1, -4); // the symbol sits closer to its texts than the accessory does
}

void PreferencesRowView::setTexts(const QString& title, const QString& subtitle)
{
    title_->setText(title);
    if (subtitle_)
        subtitle_->setText(subtitle);
}

QString PreferencesRowView::title() const
{
    return title_->text();
}

QString PreferencesRowView::subtitle() const
{
    return subtitle_ ? subtitle_->text() : QString();
}

void PreferencesRowView::setSubtitle(const QString& subtitle)
{
    if (subtitle_)
        subtitle_->setText(subtitle);
}

} // namespace corvane
