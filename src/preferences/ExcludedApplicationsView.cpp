// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/ExcludedApplicationsView.h"

#include "preferences/PlatformWording.h"
#include "preferences/PreferencesRowView.h"
#include "preferences/PreferencesStyle.h"
#include "settings/Settings.h"
#include "windows/WindowPicker.h"

#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace corvane {
namespace {

QString addText()
{
    return ExcludedApplicationsView::tr("Add the application of a window…");
}

} // namespace

ExcludedApplicationsView::ExcludedApplicationsView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ExcludedApplicationsView"));
    picker_ = new WindowPicker(this);
    connect(picker_, &WindowPicker::pickingChanged, this,
            &ExcludedApplicationsView::pickingChanged);
    connect(picker_, &WindowPicker::picked, this, &ExcludedApplicationsView::addApplication);

    add_ = new QPushButton(addText());
    add_->setObjectName(QStringLiteral("addExcludedApplicationButton"));
    connect(add_, &QPushButton::clicked, this, &ExcludedApplicationsView::addPressed);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 12);
    column->setSpacing(6);
    column->addWidget(new PreferencesRowView(
        tr("Excluded applications"), PlatformWording::excludedApplicationsSubtitle(), add_));

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 0, 16, 0);
    body->setSpacing(6);
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("excludedApplicationsList"));
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setFixedHeight(list_->fontMetrics().height() * 5);
    body->addWidget(list_);

    auto* footer = new QHBoxLayout;
    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("excludedApplicationsStatus"));
    status_->setFont(PreferencesStyle::font(12));
    status_->setWordWrap(true);
    QPalette secondary = status_->palette();
    secondary.setColor(QPalette::WindowText, PreferencesStyle::secondaryLabel(secondary));
    status_->setPalette(secondary);
    footer->addWidget(status_, 1);
    remove_ = new QPushButton(tr("Remove"));
    remove_->setObjectName(QStringLiteral("removeExcludedApplicationButton"));
    remove_->setEnabled(false);
    connect(remove_, &QPushButton::clicked, this, &ExcludedApplicationsView::removeSelected);
    connect(list_, &QListWidget::itemSelectionChanged, this,
            [this] { remove_->setEnabled(!list_->selectedItems().isEmpty()); });
    footer->addWidget(remove_);
    body->addLayout(footer);
    column->addLayout(body);

    reload();
}

void ExcludedApplicationsView::reload()
{
    list_->clear();
    list_->addItems(Settings::excludedApplications());
}

void ExcludedApplicationsView::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    // A click made after the page is gone is not meant for it.
    if (!event->spontaneous())
        picker_->cancel();
}

void ExcludedApplicationsView::addPressed()
{
    if (picker_->isPicking())
        picker_->cancel();
    else
        picker_->start();
}

void ExcludedApplicationsView::pickingChanged(bool picking)
{
    add_->setText(picking ? tr("Cancel") : addText());
    status_->setText(picking ? tr("Click a window of the application to exclude.") : QString());
}

void ExcludedApplicationsView::addApplication(const QStringList& given)
{
    // A window may name its class with blanks around it; they are no part of the name.
    QStringList names;
    for (const QString& name : given) {
        if (!name.trimmed().isEmpty())
            names.append(name.trimmed());
    }
    if (names.isEmpty()) {
        status_->setText(tr("That window does not say which application it belongs "
                            "to."));
        return;
    }
    QStringList excluded = Settings::excludedApplications();
    // Any of the names already listed excludes the application; otherwise its most general
    // name goes in, which all its windows share.
    QString listed = names.last();
    for (const QString& name : names) {
        const auto known = std::find_if(excluded.cbegin(), excluded.cend(), [&](const QString& e) {
            return e.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (known != excluded.cend()) {
            listed = *known;
            break;
        }
    }
    if (!excluded.contains(listed, Qt::CaseInsensitive)) {
        excluded.append(listed);
        Settings::setExcludedApplications(excluded);
    }
    reload();
    const auto items = list_->findItems(listed, Qt::MatchFixedString);
    if (!items.isEmpty())
        list_->setCurrentItem(items.first());
}

void ExcludedApplicationsView::removeSelected()
{
    QStringList excluded = Settings::excludedApplications();
    for (const QListWidgetItem* item : list_->selectedItems())
        excluded.removeAll(item->text());
    Settings::setExcludedApplications(excluded);
    reload();
}

} // namespace corvane
