// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "preferences/PreferencesPage.h"

#include <QTimer>
#include <chrono>

class QLabel;
class QPushButton;
class QSpinBox;

namespace corvane {

class AccessibilityStatusView;
class ColorButton;
class ExcludedApplicationsView;
class KeyCaptureButton;
class ModernToggle;
class PreferencesRowView;
class PreferencesSectionView;

// The General page: the permission status, launch at login, how windows snap (the modifier
// key, the span key, the space around zones, restoring sizes, the excluded applications, whether
// keyboard snaps move between displays), the zone colours, the layout preview switch, and a reset
// of all of these to their defaults. Every control reads the settings store when the page appears
// and writes it as soon as it changes.
class GeneralPreferencesView : public PreferencesPage {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds defaultPermissionRefreshInterval{3000};

    explicit GeneralPreferencesView(QWidget* parent = nullptr);
    ~GeneralPreferencesView() override;

    // How often the permission is checked while the page is shown.
    void setPermissionRefreshInterval(std::chrono::milliseconds interval);

    AccessibilityStatusView* accessibilityStatus() const { return accessibilityStatus_; }
    ModernToggle* launchAtLoginToggle() const { return launchAtLogin_; }
    KeyCaptureButton* modifierKeyButton() const { return modifierKey_; }
    // Says why the last key pressed in the capture was not taken; hidden otherwise.
    QLabel* modifierKeyRefusal() const { return keyRefusal_; }
    KeyCaptureButton* spanKeyButton() const { return spanKey_; }
    QLabel* spanKeyRefusal() const { return spanKeyRefusal_; }
    QSpinBox* spaceAroundZonesBox() const { return spaceAroundZones_; }
    ModernToggle* restoreSizeToggle() const { return restoreSize_; }
    ModernToggle* resizeNeighboursToggle() const { return resizeNeighbours_; }
    ExcludedApplicationsView* excludedApplications() const { return excludedApplications_; }
    // What the running window manager means for the snap modifier, and a button that adopts
    // the key it moves windows with.
    PreferencesRowView* windowManagerRow() const { return windowManagerRow_; }
    QPushButton* useMoveKeyButton() const { return useMoveKey_; }
    // Only where the desktop does not tell which modifier keys are held; null elsewhere.
    ModernToggle* everyMoveToggle() const { return everyMove_; }
    ColorButton* normalZoneColorButton() const { return normalColor_; }
    ColorButton* highlightZoneColorButton() const { return highlightColor_; }
    ModernToggle* layoutPreviewToggle() const { return layoutPreview_; }
    ModernToggle* moveBetweenDisplaysToggle() const { return moveBetweenDisplays_; }
    ModernToggle* layoutsPerDesktopToggle() const { return layoutsPerDesktop_; }
    ModernToggle* newWindowsToLastZoneToggle() const { return newWindowsToLastZone_; }
    ModernToggle* followLayoutChangeToggle() const { return followLayoutChange_; }
    QPushButton* resetButton() const { return resetButton_; }

public slots:
    void refreshPermissions();
    // Asks for confirmation, then restores every default and says so.
    void resetToDefaults();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildSections();
    void loadFromSettings();
    void syncLaunchAtLogin();
    void applyZoneColors();
    void launchAtLoginChanged(bool on);
    void modifierKeyChanged(const QString& key);
    void spanKeyChanged(const QString& key);
    void addSnapTriggerRow(PreferencesSectionView& section);
    void normalColorPicked(const QColor& color);
    void highlightColorPicked(const QColor& color);
    void restoreDefaults();
    void refreshWindowManagerAdvice();

    AccessibilityStatusView* accessibilityStatus_ = nullptr;
    ModernToggle* launchAtLogin_ = nullptr;
    KeyCaptureButton* modifierKey_ = nullptr;
    QLabel* keyRefusal_ = nullptr;
    KeyCaptureButton* spanKey_ = nullptr;
    QLabel* spanKeyRefusal_ = nullptr;
    QSpinBox* spaceAroundZones_ = nullptr;
    ModernToggle* restoreSize_ = nullptr;
    ModernToggle* resizeNeighbours_ = nullptr;
    ExcludedApplicationsView* excludedApplications_ = nullptr;
    PreferencesRowView* windowManagerRow_ = nullptr;
    QPushButton* useMoveKey_ = nullptr;
    QString suggestedKey_;
    ModernToggle* everyMove_ = nullptr;
    PreferencesRowView* everyMoveRow_ = nullptr;
    ColorButton* normalColor_ = nullptr;
    ColorButton* highlightColor_ = nullptr;
    ModernToggle* layoutPreview_ = nullptr;
    ModernToggle* moveBetweenDisplays_ = nullptr;
    ModernToggle* layoutsPerDesktop_ = nullptr;
    ModernToggle* newWindowsToLastZone_ = nullptr;
    ModernToggle* followLayoutChange_ = nullptr;
    QPushButton* resetButton_ = nullptr;
    QTimer permissionTimer_;
};

} // namespace corvane
