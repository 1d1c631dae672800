// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "logging/LogManager.h"
#include "logging/Logger.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { test::resetStores(); }

    void aFreshStoreAnswersWithTheDefaults()
    {
        QVERIFY(!Settings::hasLaunchedBefore());
        QCOMPARE(Settings::dragModifierKey(), u"shift"_s);
        QVERIFY(Settings::showLayoutPreview());
        QVERIFY(!Settings::launchAtLogin());
        QVERIFY(!Settings::data(SettingsKeys::customLayouts));
        const ZoneColors colors = Settings::zoneColors();
        QCOMPARE(colors.normal, QColor::fromRgbF(1, 1, 1, 0.2f));
        QCOMPARE(colors.highlight, QColor::fromRgbF(0, 0.48f, 1, 0.1f));
        // The store lives in the test's own config folder, never the user's.
        QVERIFY(test::settingsFilePath().contains(u"test-home"_s));
        QVERIFY(test::settingsFilePath().endsWith(u"Corvane/Corvane.conf"_s));
    }

    void fourZeroComponentsMeanNotStored()
    {
        Settings::setNormalZoneColor(QColor::fromRgbF(0, 0, 0, 0));
        Settings::setHighlightZoneColor(QColor::fromRgbF(1, 0, 0, 0.5f));
        const ZoneColors colors = Settings::zoneColors();
        QCOMPARE(colors.normal, Settings::defaultZoneColors().normal);
        QCOMPARE(colors.highlight, QColor::fromRgbF(1, 0, 0, 0.5f));
        // A corrupt component reads as 0 and does not poison the others.
        Settings::setValue(SettingsKeys::highlightZoneColorRed, u"garbage"_s);
        QCOMPARE(Settings::zoneColors().highlight, QColor::fromRgbF(0, 0, 0, 0.5f));
    }

    void onlyABooleanFalseTurnsThePreviewOff()
    {
        Settings::setValue(SettingsKeys::showLayoutPreview, false);
        QVERIFY(!Settings::showLayoutPreview());
        Settings::setValue(SettingsKeys::showLayoutPreview, u"no"_s);
        QVERIFY(Settings::showLayoutPreview());
        Settings::setValue(SettingsKeys::showLayoutPreview, 0);
        QVERIFY(Settings::showLayoutPreview());
        Settings::setValue(SettingsKeys::showLayoutPreview, true);
        QVERIFY(Settings::showLayoutPreview());
    }

    // Reads come from memory; what another writer of the file saves is read once the file
    // changes, and a save of ours keeps it.
    void anotherWritersSaveIsSeenAndKept()
    {
        Settings::setValue(SettingsKeys::dragModifierKey, u"command"_s);
        QCOMPARE(Settings::dragModifierKey(), u"command"_s);
        {
            QSettings other(test::settingsFilePath(), QSettings::IniFormat);
            other.setValue(SettingsKeys::dragModifierKey, u"option"_s);
        }
        QTRY_COMPARE(Settings::dragModifierKey(), u"option"_s);
        Settings::setValue(SettingsKeys::launchAtLogin, true);
        Settings::reload();
        QCOMPARE(Settings::dragModifierKey(), u"option"_s);
        const QByteArray json = R"([{"id":"x"}])";
        Settings::setData(SettingsKeys::customLayouts, json);
        QCOMPARE(Settings::data(SettingsKeys::customLayouts), std::optional(json));
    }

    // A save that cannot reach the file changes nothing, now or with a later save, and is said:
    // an error line in the log although recording is off, and the notification naming the cause.
    void aFailedSaveChangesNothingAndIsSaid()
    {
        Logger::isLoggingActive = false;
        const QString folder = QFileInfo(test::settingsFilePath()).absolutePath();
        QVERIFY(QDir(folder).removeRecursively());
        {
            QFile blocker(folder);
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        QSignalSpy failed(&Notifications::shared(), &Notifications::settingsWriteFailed);
        QVERIFY(!Settings::setValue(SettingsKeys::dragModifierKey, u"command"_s));
        QCOMPARE(Settings::dragModifierKey(), u"shift"_s);
        QCOMPARE(failed.count(), 1);
        const QString reason = failed[0][0].toString();
        QCOMPARE(reason, folder + u" is a file, not a folder"_s);
        LogManager::shared().flush();
        const QList<LogEntry> logged = LogManager::shared().loadLogsFromFile();
        QVERIFY(std::any_of(logged.begin(), logged.end(), [&](const LogEntry& e) {
            return e.level == LogLevel::Error && e.message.endsWith(reason);
        }));

        QVERIFY(QFile::remove(folder));
        QVERIFY(Settings::setValue(SettingsKeys::launchAtLogin, true));
        QVERIFY(QFileInfo(folder).permissions().testFlags(QFile::ReadOwner | QFile::WriteOwner));
        QCOMPARE(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
        Settings::reload();
        QVERIFY(Settings::launchAtLogin());
        QVERIFY(!Settings::contains(SettingsKeys::dragModifierKey));
    }

    // A folder its owner made read-only keeps its mode, and nothing is written into it.
    void aReadOnlyFolderIsLeftAsTheUserMadeIt()
    {
        const QString folder = QFileInfo(test::settingsFilePath()).absolutePath();
        QVERIFY(Settings::setValue(SettingsKeys::launchAtLogin, true));
        const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                              QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(folder, readOnly));
        QSignalSpy failed(&Notifications::shared(), &Notifications::settingsWriteFailed);
        const bool saved = Settings::setValue(SettingsKeys::launchAtLogin, false);
        const auto mode = QFileInfo(folder).permissions() &
                          ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
        QVERIFY(
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(!saved);
        QCOMPARE(mode, readOnly);
        QVERIFY(failed.count() == 1 && failed[0][0].toString().contains(u"read-only"_s));
        QVERIFY(Settings::launchAtLogin());
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
