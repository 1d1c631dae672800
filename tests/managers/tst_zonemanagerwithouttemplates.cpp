#include "TestEnvironment.h"
#include "logging/LogManager.h"
#include "managers/LayoutManager.h"
#include "managers/ZoneManager.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QTemporaryDir>
#include <QTest>

using namespace corvane;

// Templates are read once per process, so a run without any has an executable of its own.
class ZoneManagerWithoutTemplatesTest : public QObject {
    Q_OBJECT

    QTemporaryDir emptyShare;

private slots:
    void initTestCase()
    {
        QVERIFY(emptyShare.isValid());
        qputenv("CORVANE_SHARE_DIR", emptyShare.path().toUtf8());
        QVERIFY(templateLayouts().isEmpty());
        test::installFakePlatform().setDisplays({test::primaryDisplay()});
    }

    void init() { test::resetStores(); }

    void withNeitherAStoredLayoutNorAGridTemplateFocusIsUsedAndStored()
    {
        ZoneManager manager;
        QCOMPARE(manager.customZones()->size(), 1);
        QCOMPARE(manager.customZones()->first().id, focusLayout().zones.first().id);
        QCOMPARE(manager.customZones()->first().frame, Rect(0.05, 0.05, 0.9, 0.9));
        const auto stored = json::decodeLayout(*Settings::data(SettingsKeys::currentLayout));
        QVERIFY(stored);
        QCOMPARE(stored->id, focusLayout().id);
        QCOMPARE(stored->name, QStringLiteral("Focus"));
    }

    // A run without the template file says so, and keeps the displays' choices of templates
    // for the runs that have it: the display uses Focus meanwhile.
    void choicesOfTemplatesSurviveARunWithoutTheFile()
    {
        const QByteArray choices = json::encodePreferences(
            {{monitorID(test::primaryDisplay()),
              QStringLiteral("0E2A56F4-3C3B-4B8E-9D2B-6A3D1C0F7A11"), QStringLiteral("Wide")}});
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
                   e.message.startsWith(QStringLiteral("The layout templates could not be read"));
        }));
    }
};

QTEST_MAIN(ZoneManagerWithoutTemplatesTest)
#include "tst_zonemanagerwithouttemplates.moc"
