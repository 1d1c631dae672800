// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/KeyboardShortcutsPreferencesView.h"

#include "preferences/PlatformWording.h"
#include "preferences/PreferencesPageHeader.h"
#include "preferences/PreferencesRowView.h"
#include "preferences/PreferencesSectionView.h"
#include "preferences/PreferencesStyle.h"
#include "preferences/RoundedPanel.h"
#include "preferences/SymbolLabel.h"
#include "shortcuts/ShortcutRecorder.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace corvane {
namespace {

QWidget* tip(const QString& symbol, const QColor& color, const QString& line, const QString& detail)
{
    auto* widget = new QWidget;
    auto* row = new QHBoxLayout(widget);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    row->addWidget(new SymbolLabel(symbol, 16, color, 20, widget), 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto* first = new QLabel(line, widget);
    first->setFont(PreferencesStyle::font(14, QFont::Medium));
    first->setWordWrap(true);
    texts->addWidget(first);
    auto* second = new QLabel(detail, widget);
    second->setFont(PreferencesStyle::font(12));
    second->setWordWrap(true);
    QPalette pal = second->palette();
    pal.setColor(QPalette::WindowText, PreferencesStyle::secondaryLabel(pal));
    second->setPalette(pal);
    texts->addWidget(second);
    row->addLayout(texts, 1);
    return widget;
}

} // namespace

KeyboardShortcutsPreferencesView::KeyboardShortcutsPreferencesView(QWidget* parent)
    : KeyboardShortcutsPreferencesView(KeyboardShortcuts::shared(), parent)
{}

KeyboardShortcutsPreferencesView::KeyboardShortcutsPreferencesView(KeyboardShortcuts& facility,
                                                                   QWidget* parent)
    : PreferencesPage(parent)
{
    setObjectName(QStringLiteral("KeyboardShortcutsPreferencesView"));
    build(facility);
}

void KeyboardShortcutsPreferencesView::build(KeyboardShortcuts& facility)
{
    column()->addWidget(new PreferencesPageHeader(
        QStringLiteral("input-keyboard"), tr("Keyboard Shortcuts"),
        tr("Customize keyboard shortcuts for quick access to Corvane features.")));

    auto* section =
        new PreferencesSectionView(tr("Application Shortcuts"), QStringLiteral("input-keyboard"));
    recorder_ = new ShortcutRecorder(facility, KeyboardShortcuts::Name::openPreferences());
    recorders_.append(recorder_);
    auto* row = new PreferencesRowView(tr("Open Preferences"),
                                       tr("Quickly open the preferences window"), recorder_);
    row->setLeadingSymbol(QStringLiteral("input-keyboard"), PreferencesStyle::systemBlue());
    section->addRow(row);
    column()->addWidget(section);

    using Name = KeyboardShortcuts::Name;
    auto* snapping = new PreferencesSectionView(tr("Window Snapping"),
                                                QStringLiteral("preferences-system-windows"));
    const auto addSnapRow = [&](const Name& name, const QString& title, const QString& subtitle) {
        auto* recorder = new ShortcutRecorder(facility, name);
        recorders_.append(recorder);
        snapping->addRow(new PreferencesRowView(title, subtitle, recorder));
    };
    addSnapRow(Name::moveWindowToNextZone(), tr("Move window to next zone"),
               tr("The active window goes to the zone numbered after its own, then "
                  "on to the next display"));
    addSnapRow(Name::moveWindowToPreviousZone(), tr("Move window to previous zone"),
               tr("The same, backwards"));
    addSnapRow(Name::moveWindowUp(), tr("Move window up"),
               tr("To the zone above the active window's, then to the display above"));
    addSnapRow(Name::moveWindowDown(), tr("Move window down"),
               tr("To the zone below the active window's, then to the display below"));
    for (int number = 1; number <= 9; ++number)
        addSnapRow(Name::moveWindowToZone(number), tr("Move window to zone %1").arg(number),
                   number == 1 ? tr("On the active window's display, numbered as the "
                                    "overlay shows them")
                               : QString());
    addSnapRow(Name::activateNextWindowInZone(), tr("Next window in the zone"),
               tr("Brings up the next window snapped into the active window's zone"));
    addSnapRow(Name::activatePreviousWindowInZone(), tr("Previous window in the zone"),
               tr("The same, backwards"));
    addSnapRow(Name::snapAllWindows(), tr("Snap all windows"),
               tr("Every window of the display under the pointer goes to the zone nearest it"));
    column()->addWidget(snapping);

    auto* layouts = new PreferencesSectionView(tr("Layouts"), QStringLiteral("view-grid"));
    const auto addLayoutRow = [&](const Name& name, const QString& title, const QString& subtitle) {
        auto* recorder = new ShortcutRecorder(facility, name);
        recorders_.append(recorder);
        layouts->addRow(new PreferencesRowView(title, subtitle, recorder));
    };
    addLayoutRow(Name::applyNextLayout(), tr("Next layout"),
                 tr("The display under the pointer uses the layout after its own, in the order "
                    "corvane --list shows them"));
    addLayoutRow(Name::applyPreviousLayout(), tr("Previous layout"), tr("The same, backwards"));
    for (int key = 1; key <= 9; ++key)
        addLayoutRow(Name::applyLayout(key), tr("Layout key %1").arg(key),
                     key == 1 ? tr("The layout holding this layout key, on the display under the "
                                   "pointer; give layouts their keys in the Layout Editor by "
                                   "right-clicking them")
                              : QString());
    addLayoutRow(Name::openLayoutEditor(), tr("Open the layout editor"),
                 tr("On the display under the pointer"));
    column()->addWidget(layouts);

    column()->addWidget(buildTips());
    finishColumn();
}

QWidget* KeyboardShortcutsPreferencesView::buildTips()
{
    auto* box = new RoundedPanel(10);
    box->setObjectName(QStringLiteral("tips"));
    const QColor blue = PreferencesStyle::systemBlue();
    box->setFill(PreferencesStyle::withOpacity(blue, 0.1));
    box->setOutline(PreferencesStyle::withOpacity(blue, 0.3), 1);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(12);
    auto* headline = new QLabel(tr("Tips"), box);
    headline->setFont(PreferencesStyle::font(14, QFont::DemiBold));
    column->addWidget(headline);
    // Each tip under a headline of its own, which says what the text below it is about.
    column->addWidget(tip(QStringLiteral("input-keyboard"), blue, tr("Recording a Shortcut"),
                          tr("Click a shortcut's field and press the keys. Shortcuts "
                             "work in every application, also when Corvane is not in "
                             "focus.")));
    column->addWidget(tip(QStringLiteral("dialog-information"), blue, tr("Removing a Shortcut"),
                          tr("Click the shortcut's field and press Delete or "
                             "Backspace.")));
    column->addWidget(tip(QStringLiteral("help-hint"), blue, tr("Keys Already Taken"),
                          PlatformWording::reservedShortcutsTip()));
    return box;
}

} // namespace corvane
