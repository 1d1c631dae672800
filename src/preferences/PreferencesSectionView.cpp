// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/PreferencesSectionView.h"

#include "preferences/PreferencesStyle.h"
#include "preferences/RoundedPanel.h"
#include "preferences/SymbolLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {
namespace {

constexpr int headerSpacing = 10;

} // namespace

PreferencesSectionView::PreferencesSectionView(const QString& title, const QString& icon,
                                               QWidget* parent)
    : QWidget(parent), title_(title), icon_(icon)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(headerSpacing);

    if (!title.isEmpty()) {
        auto* header = new QHBoxLayout;
        header->setSpacing(8);
        header->addWidget(
            new SymbolLabel(icon, 16, PreferencesStyle::secondaryLabel(palette()), 20, this));
        auto* titleLabel = new QLabel(title, this);
        titleLabel->setObjectName(QStringLiteral("sectionTitle"));
        titleLabel->setFont(PreferencesStyle::font(18, QFont::DemiBold));
        header->addWidget(titleLabel);
        header->addStretch();
        column->addLayout(header);
    }

    content_ = new RoundedPanel(8, this);
    rows_ = new QVBoxLayout(content_);
    rows_->setContentsMargins(0, 0, 0, 0);
    rows_->setSpacing(1);
    column->addWidget(content_);
}

void PreferencesSectionView::addRow(QWidget* row)
{
    row->setParent(content_);
    rows_->addWidget(row);
}

QWidget* PreferencesSectionView::content() const
{
    return content_;
}

QList<QWidget*> PreferencesSectionView::rows() const
{
    QList<QWidget*> result;
    for (int i = 0; i < rows_->count(); ++i) {
        if (QWidget* w = rows_->itemAt(i)->widget())
            result.append(w);
    }
    return result;
}

} // namespace corvane
