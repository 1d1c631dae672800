#include "TestEnvironment.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QTest>

using namespace corvane;

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { test::resetStores(); }

    void aFreshStoreAnswersWithTheDefaults()
    {
        QVERIFY(!Settings::hasLaunchedBefore());
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("shift"));
        QVERIFY(Settings::showLayoutPreview());
        QVERIFY(!Settings::launchAtLogin());
        QVERIFY(!Settings::data(SettingsKeys::customLayouts));
        const ZoneColors colors = Settings::zoneColors();
        QCOMPARE(colors.normal, QColor::fromRgbF(1, 1, 1, 0.2f));
        QCOMPARE(colors.highlight, QColor::fromRgbF(0, 0.48f, 1, 0.1f));
        // The store lives in the test's own config folder, never the user's.
        QVERIFY(test::settingsFilePath().contains(QStringLiteral("test-home")));
        QVERIFY(test::settingsFilePath().endsWith(QStringLiteral("Corvane/Corvane.conf")));
    }

    void fourZeroComponentsMeanNotStored()
    {
        Settings::setNormalZoneColor(QColor::fromRgbF(0, 0, 0, 0));
        Settings::setHighlightZoneColor(QColor::fromRgbF(1, 0, 0, 0.5f));
        const ZoneColors colors = Settings::zoneColors();
        QCOMPARE(colors.normal, Settings::defaultZoneColors().normal);
        QCOMPARE(colors.highlight, QColor::fromRgbF(1, 0, 0, 0.5f));
        // A corrupt component reads as 0 and does not poison the others.
        Settings::setValue(SettingsKeys::highlightZoneColorRed, QStringLiteral("garbage"));
        QCOMPARE(Settings::zoneColors().highlight, QColor::fromRgbF(0, 0, 0, 0.5f));
    }

    void onlyABooleanFalseTurnsThePreviewOff()
    {
        Settings::setValue(SettingsKeys::showLayoutPreview, false);
        QVERIFY(!Settings::showLayoutPreview());
        Settings::setValue(SettingsKeys::showLayoutPreview, QStringLiteral("no"));
        QVERIFY(Settings::showLayoutPreview());
        Settings::setValue(SettingsKeys::showLayoutPreview, 0);
        QVERIFY(Settings::showLayoutPreview());
        Settings::setValue(SettingsKeys::showLayoutPreview, true);
        QVERIFY(Settings::showLayoutPreview());
    }

    void valuesAreReadAtEachUse()
    {
        Settings::setValue(SettingsKeys::dragModifierKey, QStringLiteral("command"));
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("command"));
        // Written by another writer of the same file.
        {
            QSettings other(test::settingsFilePath(), QSettings::IniFormat);
            other.setValue(SettingsKeys::dragModifierKey, QStringLiteral("option"));
        }
        QCOMPARE(Settings::dragModifierKey(), QStringLiteral("option"));
        const QByteArray json = R"([{"id":"x"}])";
        Settings::setData(SettingsKeys::customLayouts, json);
        QCOMPARE(Settings::data(SettingsKeys::customLayouts), std::optional(json));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
