// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "layouts/LayoutManager.h"
#include "logging/LogManager.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "overlay/ZoneManager.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QTemporaryDir>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

// A template file that is absent or malformed leaves the system without templates. The fuzz
// target of the template file checks the decoder on every other kind of malformed input.
class TemplateFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        // Before the first use: the templates are read once per process.
        qputenv("CORVANE_SHARE_DIR", dir_.path().toUtf8());
        test::freshDesktop({test::primaryDisplay()});
    }

    void absentFileLeavesOnlyTheBuiltIns()
    {
        const auto all = allLayouts();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[0].id, noLayout().id);
        QCOMPARE(all[1].id, focusLayout().id);
        QVERIFY(!templateNamed(u"Tall"_s));
    }

    // Without a stored layout and without a Grid template, Focus is used and stored.
    void theZoneManagerFallsBackToFocus()
    {
        ZoneManager manager;
        QCOMPARE(test::zoneIds(manager.customZones()), test::zoneIds(focusLayout().zones));
        const auto stored = json::decodeLayout(*Settings::data(SettingsKeys::currentLayout));
        QVERIFY(stored);
        QCOMPARE(stored->id, focusLayout().id);
    }

    // A run without the template file says so, and keeps the displays' choices of templates
    // for the runs that have it: the display uses Focus meanwhile.
    void choicesOfTemplatesSurviveARunWithoutTheFile()
    {
        test::resetStores();
        const QByteArray choices =
            json::encodePreferences({{monitorID(test::primaryDisplay()),
                                      u"0E2A56F4-3C3B-4B8E-9D2B-6A3D1C0F7A11"_s, u"Wide"_s}});
        Settings::setData(SettingsKeys::monitorLayoutPreferences, choices);
        ZoneManager windows;
        LayoutManager layouts(windows);
        layouts.applySavedLayouts();
        QCoreApplication::processEvents();
        QCOMPARE(Settings::data(SettingsKeys::monitorLayoutPreferences), std::optional(choices));
        QCOMPARE(test::zoneIds(windows.monitorZones().value(monitorID(test::primaryDisplay()))),
                 test::zoneIds(focusLayout().zones));
        LogManager::shared().flush();
        const QList<LogEntry> logged = LogManager::shared().loadLogsFromFile();
        QVERIFY(std::any_of(logged.begin(), logged.end(), [](const LogEntry& e) {
            return e.level == LogLevel::Error &&
                   e.message.startsWith(u"The layout templates could not be read"_s);
        }));
    }
};

QTEST_MAIN(TemplateFileTest)
#include "tst_templatefile.moc"
