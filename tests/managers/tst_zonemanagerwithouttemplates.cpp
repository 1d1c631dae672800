#include "TestEnvironment.h"
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
};

QTEST_MAIN(ZoneManagerWithoutTemplatesTest)
#include "tst_zonemanagerwithouttemplates.moc"
