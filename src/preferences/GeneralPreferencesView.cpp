// SPDX-License-Identifier: GPL-3.0-or-later
#include "preferences/GeneralPreferencesView.h"

#include "logging/Logger.h"
#include "overlay/ZoneManager.h"
#include "platform/KeyNames.h"
#include "platform/Platform.h"
#include "preferences/AccessibilityStatusView.h"
#include "preferences/AlertLayout.h"
#include "preferences/ColorButton.h"
#include "preferences/ExcludedApplicationsView.h"
#include "preferences/KeyCaptureButton.h"
#include "preferences/ModernToggle.h"
#include "preferences/PlatformWording.h"
#include "preferences/PreferencesRowView.h"
#include "preferences/PreferencesSectionView.h"
#include "preferences/PreferencesStyle.h"
#include "preferences/SymbolIcons.h"
#include "preferences/WindowManagerAdvice.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "windows/DragKey.h"
#include "windows/SpanKey.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace corvane {
namespace {

// A reset removes the zone colours, so the defaults apply again: the highlight follows the
// desktop's accent until the user picks a colour.
constexpr QLatin1StringView colorComponentKeys[] = {
    SettingsKeys::normalZoneColorRed,     SettingsKeys::normalZoneColorGreen,
    SettingsKeys::normalZoneColorBlue,    SettingsKeys::normalZoneColorAlpha,
    SettingsKeys::highlightZoneColorRed,  SettingsKeys::highlightZoneColorGreen,
    SettingsKeys::highlightZoneColorBlue, SettingsKeys::highlightZoneColorAlpha,
};

// Says under a key's row why the key just pressed was not taken; hidden until then.
QLabel* refusalLabel(const QString& objectName)
{
    auto* label = new QLabel;
    label->setObjectName(objectName);
    label->setFont(PreferencesStyle::font(12));
    label->setWordWrap(true);
    label->setContentsMargins(16, 0, 16, 10);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, PreferencesStyle::systemRed());
    label->setPalette(palette);
    label->hide();
    return label;
}

// A switch that stores its boolean setting as soon as it is clicked.
ModernToggle* settingToggle(const QString& objectName, const QString& accessibleName,
                            QLatin1StringView key)
{
    auto* toggle = new ModernToggle;
    toggle->setObjectName(objectName);
    toggle->setAccessibleName(accessibleName);
    QObject::connect(toggle, &QAbstractButton::clicked, toggle,
                     [key](bool on) { Settings::setValue(key, on); });
    return toggle;
}

// The snap key as stored, for comparing keys of the same meaning ("alt" and "option").
DragKey storedSnapKey()
{
    return DragKey::fromName(DragKey::nameInUse()).value_or(DragKey::shift());
}

QString cannotFollow(const QString& key)
{
    return GeneralPreferencesView::tr(
               "Corvane cannot tell when %1 is held during a drag on this desktop. "
               "Choose another key.")
        .arg(KeyNames::modifierKey(key));
}

} // namespace

GeneralPreferencesView::GeneralPreferencesView(QWidget* parent) : PreferencesPage(parent)
{
    setObjectName(QStringLiteral("GeneralPreferencesView"));
    permissionTimer_.setInterval(defaultPermissionRefreshInterval);
    connect(&permissionTimer_, &QTimer::timeout, this, &GeneralPreferencesView::refreshPermissions);
    buildSections();
    loadFromSettings();
    refreshPermissions();
}

GeneralPreferencesView::~GeneralPreferencesView() = default;

void GeneralPreferencesView::setPermissionRefreshInterval(std::chrono::milliseconds interval)
{
    permissionTimer_.setInterval(interval);
}

void GeneralPreferencesView::buildSections()
{
    auto* permissions =
        new PreferencesSectionView(tr("Permissions"), QStringLiteral("security-high"));
    accessibilityStatus_ = new AccessibilityStatusView;
    permissions->addRow(accessibilityStatus_);
    column()->addWidget(permissions);

    auto* startup = new PreferencesSectionView(tr("Startup"), QStringLiteral("system-shutdown"));
    launchAtLogin_ = new ModernToggle;
    launchAtLogin_->setObjectName(QStringLiteral("launchAtLoginToggle"));
    launchAtLogin_->setAccessibleName(tr("Launch at login"));
    connect(launchAtLogin_, &QAbstractButton::clicked, this,
            &GeneralPreferencesView::launchAtLoginChanged);
    startup->addRow(new PreferencesRowView(
        tr("Launch at login"), PlatformWording::launchAtLoginSubtitle(), launchAtLogin_));
    column()->addWidget(startup);

    auto* behavior = new PreferencesSectionView(tr("Window Behavior"),
                                                QStringLiteral("preferences-system-windows"));
    modifierKey_ = new KeyCaptureButton;
    modifierKey_->setObjectName(QStringLiteral("modifierKeyButton"));
    connect(modifierKey_, &KeyCaptureButton::keyChanged, this,
            &GeneralPreferencesView::modifierKeyChanged);
    if (Platform::current().windowSystem().tellsKeys()) {
        behavior->addRow(new PreferencesRowView(
            tr("Window snap modifier key"),
            tr("Click the button and press any key to set the modifier (Escape to "
               "reset to Shift)"),
            modifierKey_));
    } else {
        modifierKey_->hide();
        addSnapTriggerRow(*behavior);
    }
    keyRefusal_ = refusalLabel(QStringLiteral("modifierKeyRefusal"));
    behavior->addRow(keyRefusal_);
    useMoveKey_ = new QPushButton;
    useMoveKey_->setObjectName(QStringLiteral("useMoveKeyButton"));
    connect(useMoveKey_, &QPushButton::clicked, this,
            [this] { modifierKeyChanged(suggestedKey_); });
    windowManagerRow_ =
        new PreferencesRowView(tr("Window manager"), QStringLiteral(" "), useMoveKey_);
    windowManagerRow_->setLeadingSymbol(QStringLiteral("dialog-information"),
                                        PreferencesStyle::systemBlue());
    behavior->addRow(windowManagerRow_);
    spanKey_ = new KeyCaptureButton;
    spanKey_->setObjectName(QStringLiteral("spanKeyButton"));
    connect(spanKey_, &KeyCaptureButton::keyChanged, this, &GeneralPreferencesView::spanKeyChanged);
    const WindowSystem& windows = Platform::current().windowSystem();
    if (windows.tellsKeys()) {
        behavior->addRow(new PreferencesRowView(
            tr("Span zones key"),
            tr("Hold it as well while dragging to fill every zone from where you "
               "pressed it to where you release the window"),
            spanKey_));
    } else {
        // No key can be read here: spanning has a shortcut of its own, or is not offered.
        spanKey_->setParent(this);
        spanKey_->hide();
        const QString span = windows.spanShortcutText();
        behavior->addRow(new PreferencesRowView(
            tr("Span zones"),
            span.isEmpty() ? tr("Spanning zones is not available on this desktop")
                           : tr("Press %1 during a window move to fill every zone "
                                "from the one under the pointer to the one where "
                                "you release the window")
                                 .arg(span),
            nullptr));
    }
    spanKeyRefusal_ = refusalLabel(QStringLiteral("spanKeyRefusal"));
    behavior->addRow(spanKeyRefusal_);
    spaceAroundZones_ = new QSpinBox;
    spaceAroundZones_->setObjectName(QStringLiteral("spaceAroundZonesBox"));
    spaceAroundZones_->setAccessibleName(tr("Space around zones"));
    spaceAroundZones_->setRange(0, static_cast<int>(Settings::maxSpaceAroundZones));
    spaceAroundZones_->setSuffix(tr(" px"));
    connect(spaceAroundZones_, &QSpinBox::valueChanged, this,
            [](int space) { Settings::setValue(SettingsKeys::spaceAroundZones, space); });
    behavior->addRow(new PreferencesRowView(
        tr("Space around zones"),
        tr("Pixels left between snapped windows and around the edges of the display"),
        spaceAroundZones_));
    restoreSize_ = settingToggle(QStringLiteral("restoreSizeToggle"),
                                 tr("Restore window size when dragged out of a zone"),
                                 SettingsKeys::restoreSizeOnUnsnap);
    behavior->addRow(new PreferencesRowView(
        tr("Restore window size when dragged out of a zone"),
        tr("A snapped window dropped outside every zone gets back the size it had "
           "before"),
        restoreSize_));
    resizeNeighbours_ =
        settingToggle(QStringLiteral("resizeNeighboursToggle"),
                      tr("Resize neighboring windows together"), SettingsKeys::resizeNeighbours);
    behavior->addRow(new PreferencesRowView(
        tr("Resize neighboring windows together"),
        tr("Resizing a snapped window moves the shared edge of the snapped windows beside it"),
        resizeNeighbours_));
    moveBetweenDisplays_ =
        settingToggle(QStringLiteral("moveBetweenDisplaysToggle"), tr("Move between displays"),
                      SettingsKeys::moveBetweenDisplays);
    behavior->addRow(new PreferencesRowView(
        tr("Move between displays"),
        tr("The next and previous zone shortcuts go on to the neighboring display "
           "instead of starting over on the same one"),
        moveBetweenDisplays_));
    layoutsPerDesktop_ =
        settingToggle(QStringLiteral("layoutsPerDesktopToggle"), tr("Layouts per virtual desktop"),
                      SettingsKeys::layoutsPerDesktop);
    connect(layoutsPerDesktop_, &QAbstractButton::clicked, this,
            [](bool on) { emit Notifications::shared().layoutsPerDesktopChanged(on); });
    behavior->addRow(new PreferencesRowView(
        tr("Layouts per virtual desktop"),
        tr("A layout chosen for a display holds on the virtual desktop shown when it is chosen; "
           "desktops without a choice of their own use the display's"),
        layoutsPerDesktop_));
    newWindowsToLastZone_ = settingToggle(QStringLiteral("newWindowsToLastZoneToggle"),
                                          tr("Open new windows in their last zone"),
                                          SettingsKeys::moveNewWindowsToLastZone);
    behavior->addRow(new PreferencesRowView(
        tr("Open new windows in their last zone"),
        tr("A new window goes to the zone its application's windows were last snapped into, "
           "while that zone is still in its display's layout"),
        newWindowsToLastZone_));
    followLayoutChange_ = settingToggle(QStringLiteral("followLayoutChangeToggle"),
                                        tr("Move snapped windows when the layout changes"),
                                        SettingsKeys::moveSnappedWindowsOnLayoutChange);
    behavior->addRow(new PreferencesRowView(
        tr("Move snapped windows when the layout changes"),
        tr("Windows snapped on a display go to the zone of the same number in its new layout, "
           "or to the zone nearest them"),
        followLayoutChange_));
    excludedApplications_ = new ExcludedApplicationsView;
    behavior->addRow(excludedApplications_);
    column()->addWidget(behavior);

    auto* appearance =
        new PreferencesSectionView(tr("Appearance"), QStringLiteral("preferences-desktop-theme"));
    normalColor_ = new ColorButton(tr("Normal zone color"));
    normalColor_->setObjectName(QStringLiteral("normalZoneColorButton"));
    connect(normalColor_, &ColorButton::colorPicked, this,
            &GeneralPreferencesView::normalColorPicked);
    appearance->addRow(new PreferencesRowView(
        tr("Normal zone color"), tr("Color for zones when not highlighted during window dragging"),
        normalColor_));
    highlightColor_ = new ColorButton(tr("Highlight zone color"));
    highlightColor_->setObjectName(QStringLiteral("highlightZoneColorButton"));
    connect(highlightColor_, &ColorButton::colorPicked, this,
            &GeneralPreferencesView::highlightColorPicked);
    appearance->addRow(new PreferencesRowView(
        tr("Highlight zone color"),
        tr("Color for the zone being highlighted during window dragging"), highlightColor_));
    layoutPreview_ = settingToggle(QStringLiteral("layoutPreviewToggle"), tr("Show layout preview"),
                                   SettingsKeys::showLayoutPreview);
    appearance->addRow(new PreferencesRowView(
        tr("Show layout preview"),
        tr("Show a temporary overlay when selecting layouts from the menu and when "
           "snapping windows from the keyboard"),
        layoutPreview_));
    column()->addWidget(appearance);

    auto* reset = new PreferencesSectionView(QString(), QString());
    resetButton_ = new QPushButton(
        SymbolIcons::icon(QStringLiteral("view-refresh"), PreferencesStyle::label(palette())),
        tr("Reset to Defaults"));
    resetButton_->setObjectName(QStringLiteral("resetButton"));
    connect(resetButton_, &QPushButton::clicked, this, &GeneralPreferencesView::resetToDefaults);
    reset->addRow(new PreferencesRowView(tr("Reset to Defaults"),
                                         tr("Reset all preferences to their default "
                                            "values"),
                                         resetButton_));
    column()->addWidget(reset);
    finishColumn();
}

namespace {

QString snapTriggerSubtitle(bool everyMove, const QString& shortcut)
{
    const QString why = GeneralPreferencesView::tr(
        "This desktop tells applications nothing of the modifier keys held during a window "
        "move, so no snap modifier can be used here.");
    return why + u' ' +
           (everyMove
                ? GeneralPreferencesView::tr("Now the zones show during every window move, and "
                                             "releasing over a zone snaps the window.")
                : GeneralPreferencesView::tr("Now the zones show only after you press %1 "
                                             "during a window move (press it again to hide "
                                             "them).")
                      .arg(shortcut));
}

} // namespace

void GeneralPreferencesView::addSnapTriggerRow(PreferencesSectionView& section)
{
    everyMove_ = new ModernToggle;
    everyMove_->setObjectName(QStringLiteral("everyMoveToggle"));
    everyMove_->setAccessibleName(tr("Show zones during every window move"));
    const QString shortcut = Platform::current().windowSystem().snapShortcutText();
    everyMoveRow_ = new PreferencesRowView(tr("Show zones during every window move"),
                                           snapTriggerSubtitle(false, shortcut), everyMove_);
    connect(everyMove_, &QAbstractButton::toggled, this, [this, shortcut](bool on) {
        everyMoveRow_->setSubtitle(snapTriggerSubtitle(on, shortcut));
    });
    connect(everyMove_, &QAbstractButton::clicked, this, [](bool on) {
        Settings::setValue(SettingsKeys::snapTrigger,
                           on ? QStringLiteral("everyMove") : QStringLiteral("snapShortcut"));
    });
    section.addRow(everyMoveRow_);
}

void GeneralPreferencesView::loadFromSettings()
{
    if (everyMove_)
        everyMove_->setChecked(Settings::snapTrigger() == Settings::SnapTrigger::EveryMove);
    const ZoneColors colors = Settings::zoneColors();
    normalColor_->setColor(colors.normal);
    highlightColor_->setColor(colors.highlight);
    // The key drags use: an unreadable stored one leaves them on Shift.
    modifierKey_->setCurrentKey(DragKey::nameInUse());
    spanKey_->setCurrentKey(SpanKey::name(storedSnapKey()));
    {
        // Showing the stored value is not a change to store again.
        const QSignalBlocker quiet(spaceAroundZones_);
        spaceAroundZones_->setValue(static_cast<int>(std::lround(Settings::spaceAroundZones())));
    }
    refreshWindowManagerAdvice();
    layoutPreview_->setChecked(Settings::showLayoutPreview());
    restoreSize_->setChecked(Settings::restoreSizeOnUnsnap());
    resizeNeighbours_->setChecked(Settings::resizeNeighbours());
    excludedApplications_->reload();
    moveBetweenDisplays_->setChecked(Settings::moveBetweenDisplays());
    layoutsPerDesktop_->setChecked(Settings::layoutsPerDesktop());
    newWindowsToLastZone_->setChecked(Settings::moveNewWindowsToLastZone());
    followLayoutChange_->setChecked(Settings::moveSnappedWindowsOnLayoutChange());
    launchAtLogin_->setChecked(Settings::launchAtLogin());
}

void GeneralPreferencesView::showEvent(QShowEvent* event)
{
    PreferencesPage::showEvent(event);
    if (event->spontaneous())
        return;
    loadFromSettings();
    syncLaunchAtLogin();
    applyZoneColors();
    refreshPermissions();
    permissionTimer_.start();
}

void GeneralPreferencesView::hideEvent(QHideEvent* event)
{
    PreferencesPage::hideEvent(event);
    if (!event->spontaneous())
        permissionTimer_.stop();
}

void GeneralPreferencesView::refreshPermissions()
{
    accessibilityStatus_->setAccess(Platform::current().session().access());
}

void GeneralPreferencesView::syncLaunchAtLogin()
{
    // The switch mirrors the system's registration, which the user may have changed elsewhere.
    const bool enabled = Platform::current().loginItems().status() == LoginItemStatus::Enabled;
    launchAtLogin_->setChecked(enabled);
    if (Settings::launchAtLogin() != enabled)
        Settings::setValue(SettingsKeys::launchAtLogin, enabled);
}

void GeneralPreferencesView::applyZoneColors()
{
    // The zone manager repaints its overlay and tells the drag handler's overlay.
    const ZoneColors colors = Settings::zoneColors();
    ZoneManager::shared().updateZoneColors(colors.normal, colors.highlight);
}

void GeneralPreferencesView::launchAtLoginChanged(bool on)
{
    Settings::setValue(SettingsKeys::launchAtLogin, on);
    LoginItems& items = Platform::current().loginItems();
    QString error;
    bool ok = true;
    if (on) {
        if (items.status() != LoginItemStatus::Enabled)
            ok = items.registerItem(&error);
    } else {
        ok = items.unregisterItem(&error);
    }
    if (ok)
        return;
    Logger::warning(QStringLiteral("Could not %1 launch at login: %2")
                        .arg(on ? QStringLiteral("turn on") : QStringLiteral("turn off"), error),
                    LogCategory::App);
    // The switch goes back on the next turn of the event loop, so the click that moved it has
    // finished first. Setting it from code does not call this function again.
    QTimer::singleShot(0, this, [this, on] {
        launchAtLogin_->setChecked(!on);
        Settings::setValue(SettingsKeys::launchAtLogin, !on);
    });
}

void GeneralPreferencesView::modifierKeyChanged(const QString& key)
{
    // A key the desktop cannot follow during a drag would be shown in the menu and never work:
    // it is not stored, and the user is told why.
    const auto dragKey = DragKey::fromName(key);
    if (!dragKey || !dragKey->canBeFollowed()) {
        keyRefusal_->setText(cannotFollow(key));
        keyRefusal_->show();
        return;
    }
    // The span key the user chose stays what it is; one left at its default makes way.
    if (Settings::contains(SettingsKeys::spanZonesKey) &&
        DragKey::fromName(SpanKey::name(*dragKey)) == dragKey) {
        keyRefusal_->setText(
            tr("%1 is the span zones key. Choose another key.").arg(KeyNames::modifierKey(key)));
        keyRefusal_->show();
        return;
    }
    keyRefusal_->hide();
    Settings::setValue(SettingsKeys::dragModifierKey, key);
    modifierKey_->setCurrentKey(key);
    refreshWindowManagerAdvice();
    spanKey_->setCurrentKey(SpanKey::name(*dragKey));
    emit Notifications::shared().dragModifierKeyChanged(key);
}

void GeneralPreferencesView::spanKeyChanged(const QString& key)
{
    const auto dragKey = DragKey::fromName(key);
    QString refusal;
    if (!dragKey || !dragKey->canBeFollowed())
        refusal = cannotFollow(key);
    else if (*dragKey == storedSnapKey())
        refusal = tr("%1 is the snap key. Choose another key.").arg(KeyNames::modifierKey(key));
    spanKeyRefusal_->setText(refusal);
    spanKeyRefusal_->setVisible(!refusal.isEmpty());
    if (!refusal.isEmpty())
        return;
    Settings::setValue(SettingsKeys::spanZonesKey, key);
    spanKey_->setCurrentKey(key);
}

void GeneralPreferencesView::refreshWindowManagerAdvice()
{
    const WindowManagerAdvice advice = WindowManagerAdvice::forSession(
        Platform::current().session().windowManager(), DragKey::nameInUse());
    windowManagerRow_->setTexts(advice.title, advice.text);
    suggestedKey_ = advice.suggestedKey;
    useMoveKey_->setText(tr("Use %1").arg(KeyNames::modifierKey(suggestedKey_)));
    useMoveKey_->setVisible(!suggestedKey_.isEmpty());
}

void GeneralPreferencesView::normalColorPicked(const QColor& color)
{
    if (!color.isValid())
        return;
    Settings::setNormalZoneColor(color.toRgb());
    normalColor_->setColor(Settings::zoneColors().normal);
    applyZoneColors();
}

void GeneralPreferencesView::highlightColorPicked(const QColor& color)
{
    if (!color.isValid())
        return;
    Settings::setHighlightZoneColor(color.toRgb());
    highlightColor_->setColor(Settings::zoneColors().highlight);
    applyZoneColors();
}

void GeneralPreferencesView::resetToDefaults()
{
    QMessageBox confirm(this);
    confirm.setIcon(QMessageBox::Warning);
    confirm.setWindowTitle(tr("Reset to Defaults"));
    confirm.setText(tr("Reset all preferences to their default values?"));
    confirm.setInformativeText(tr("This cannot be undone."));
    QPushButton* reset = confirm.addButton(tr("Reset"), QMessageBox::DestructiveRole);
    QPushButton* cancel = confirm.addButton(tr("Cancel"), QMessageBox::RejectRole);
    // Enter must not destroy: the safe choice is the default.
    confirm.setDefaultButton(cancel);
    confirm.setEscapeButton(cancel);
    widenForTitle(confirm);
    confirm.exec();
    if (confirm.clickedButton() != reset)
        return;

    restoreDefaults();

    QMessageBox done(this);
    done.setIcon(QMessageBox::Information);
    done.setWindowTitle(tr("Reset to Defaults"));
    done.setText(tr("All preferences are back to their default values."));
    done.addButton(tr("OK"), QMessageBox::AcceptRole);
    widenForTitle(done);
    done.exec();
}

void GeneralPreferencesView::restoreDefaults()
{
    // A failure to leave the login items is not worth a message here: the switch shows off and
    // the next appearance of the page shows the system's real state.
    QString error;
    if (!Platform::current().loginItems().unregisterItem(&error))
        Logger::warning(QStringLiteral("Reset could not turn off launch at login: ") + error,
                        LogCategory::App);
    Settings::setValue(SettingsKeys::launchAtLogin, false);
    for (const QLatin1StringView key : colorComponentKeys)
        Settings::remove(key);
    Settings::setValue(SettingsKeys::dragModifierKey, QStringLiteral("shift"));
    Settings::setValue(SettingsKeys::showLayoutPreview, true);
    Settings::setValue(SettingsKeys::spaceAroundZones, 0);
    Settings::setValue(SettingsKeys::restoreSizeOnUnsnap, true);
    Settings::setValue(SettingsKeys::resizeNeighbours, true);
    Settings::setExcludedApplications({});
    Settings::setValue(SettingsKeys::moveBetweenDisplays, true);
    Settings::setValue(SettingsKeys::layoutsPerDesktop, true);
    Settings::setValue(SettingsKeys::moveNewWindowsToLastZone, true);
    Settings::setValue(SettingsKeys::moveSnappedWindowsOnLayoutChange, true);
    Settings::remove(SettingsKeys::spanZonesKey);
    Settings::remove(SettingsKeys::snapTrigger);
    modifierKey_->setRecording(false);
    spanKey_->setRecording(false);
    keyRefusal_->hide();
    spanKeyRefusal_->hide();
    loadFromSettings();
    applyZoneColors();
    emit Notifications::shared().dragModifierKeyChanged(Settings::dragModifierKey());
    emit Notifications::shared().layoutsPerDesktopChanged(true);
}

} // namespace corvane
