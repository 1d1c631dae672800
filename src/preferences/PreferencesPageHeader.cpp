// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferencesPageHeader.h"

#include "preferences/PreferencesStyle.h"
#include "preferences/SymbolLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

PreferencesPageHeader::PreferencesPageHeader(const QString& symbol, const QString& title,
                                             const QString& subtitle, QWidget* parent)
    : QWidget(parent)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);
    row->addWidget(new SymbolLabel(symbol, 32, PreferencesStyle::accent(palette()), 36, this), 0,
                   Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    auto* titleLabel = new QLabel(title, this);
    titleLabel->setObjectName(QStringLiteral("pageTitle"));
    titleLabel->setFont(PreferencesStyle::font(22, QFont::DemiBold));
    texts->addWidget(titleLabel);
    auto* subtitleLabel = new QLabel(subtitle, this);
    subtitleLabel->setObjectName(QStringLiteral("pageSubtitle"));
    subtitleLabel->setFont(PreferencesStyle::font(13));
    subtitleLabel->setWordWrap(true);
    QPalette pal = subtitleLabel->palette();
    pal.setColor(QPalette::WindowText, PreferencesStyle::secondaryLabel(pal));
    subtitleLabel->setPalette(pal);
    texts->addWidget(subtitleLabel);
    row->addLayout(texts, 1);
}

} // namespace corvane
