#include "preferences/PreferencesPlaceholderPage.h"

#include "preferences/PreferencesStyle.h"
#include "preferences/SymbolLabel.h"

#include <QLabel>
#include <QVBoxLayout>

namespace corvane {

PreferencesPlaceholderPage::PreferencesPlaceholderPage(PreferencesTab tab, QWidget* parent)
    : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->addStretch(1);
    column->addWidget(new SymbolLabel(preferencesTabSymbol(tab), 32,
                                      PreferencesStyle::secondaryLabel(palette()), 40, this),
                      0, Qt::AlignHCenter);
    auto* title = new QLabel(preferencesTabTitle(tab), this);
    title->setObjectName(QStringLiteral("placeholderTitle"));
    title->setFont(PreferencesStyle::font(20, QFont::DemiBold));
    title->setAlignment(Qt::AlignHCenter);
    column->addWidget(title);
    column->addStretch(1);
}

} // namespace corvane
