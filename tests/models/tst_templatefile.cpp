#include "TestEnvironment.h"
#include "managers/ZoneManager.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QFile>
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
        test::resetStores();
        test::installFakePlatform().setDisplays({test::primaryDisplay()});
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

    // Nesting deep enough to exhaust a recursive parser's stack, and a file that breaks off.
    void malformedFilesGiveNoTemplates()
    {
        const QString path = dir_.filePath(u"malformed.json"_s);
        for (const QByteArray& content :
             {QByteArray(R"({"layouts":[{"id":"a","name":"A","zones":[{"id")"),
              QByteArray(5 * 1024 * 1024, '[') + QByteArray(5 * 1024 * 1024, ']'),
              R"({"layouts":[{"id":"a","name":"A","zones":[)" + QByteArray(200000, '[') +
                  QByteArray(200000, ']') + "]}]}"}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
            file.close();
            QVERIFY(loadTemplateLayouts(path).isEmpty());
        }
    }
};

QTEST_MAIN(TemplateFileTest)
#include "tst_templatefile.moc"
