#include "models/Layouts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace corvane;

// A template file that is absent or malformed leaves the system without templates.
class TemplateFileTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        // Before the first use: the templates are read once per process.
        qputenv("CORVANE_SHARE_DIR", dir_.path().toUtf8());
    }

    void absentFileLeavesOnlyTheBuiltIns()
    {
        const auto all = allLayouts();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[0].name, QStringLiteral("No Layout"));
        QCOMPARE(all[1].name, QStringLiteral("Focus"));
        QVERIFY(!templateNamed(QStringLiteral("Tall")));
    }

    void malformedFilesGiveNoTemplates_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("truncated")
            << QByteArray(R"({"layouts":[{"id":"a","name":"A","zones":[{"id")");
        QTest::newRow("wrong types")
            << QByteArray(R"({"layouts":[{"id":1,"name":"A","zones":[]}]})");
        QTest::newRow("layouts not an array") << QByteArray(R"({"layouts":{}})");
        QTest::newRow("top-level array") << QByteArray(R"([{"id":"a","name":"A","zones":[]}])");
        QTest::newRow("not json") << QByteArray("this is not JSON at all \x01\xff");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("empty layouts") << QByteArray(R"({"layouts":[]})");
        QTest::newRow("nested arrays 10 MB")
            << QByteArray(5 * 1024 * 1024, '[') + QByteArray(5 * 1024 * 1024, ']');
        QTest::newRow("deep inside a zone")
            << QByteArray(R"({"layouts":[{"id":"a","name":"A","zones":[)") +
                   QByteArray(200000, '[') + QByteArray(200000, ']') + QByteArray("]}]}");
    }

    void malformedFilesGiveNoTemplates()
    {
        QFETCH(QByteArray, content);
        const QString path = dir_.filePath(QStringLiteral("malformed.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        QVERIFY(loadTemplateLayouts(path).value_or(QList<ScreenLayout>{}).isEmpty());
    }

    void unknownKeysAreIgnored()
    {
        const QString path = dir_.filePath(QStringLiteral("extra.json"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(R"({"version":2,"layouts":[{"id":"a","name":"A","icon":"x","zones":[]}]})");
        file.close();
        QCOMPARE(loadTemplateLayouts(path)->size(), 1);
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(TemplateFileTest)
#include "tst_templatefile.moc"
