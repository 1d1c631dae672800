#include "TestEnvironment.h"
#include "models/DisplayIdentity.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "models/StableUuid.h"
#include "platform/fake/FakePlatform.h"

#include <QJsonDocument>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

class LayoutModelTest : public QObject {
    Q_OBJECT
private slots:
    void stableUuidMatchesWorkedExamples()
    {
        QCOMPARE(uuidText(stableUUID(u"abc"_s)), u"00000000-0000-0000-0000-000178620000"_s);
        QVERIFY(stableUUID(QString()).isNull());
        // Wrap-around modulo 2^64 and both halves of the hash end up in the text.
        const QString longId = u"a fairly long template identifier"_s;
        QCOMPARE(stableUUID(longId), stableUUID(longId));
        QVERIFY(uuidText(stableUUID(longId)).left(8) != u"00000000"_s);
    }

    void templatesFromTheConfigFile()
    {
        const QByteArray file = R"({"layouts":[
            {"id":"same","name":"One","zones":[{"id":"z","x":0,"y":0,"width":1,"height":1}]},
            {"id":"same","name":"Two","zones":[{"id":"z","x":0,"y":0,"width":0.5,"height":1}]}]})";
        const auto config = json::decodeLayoutConfig(file);
        QVERIFY(config);
        const auto layouts = layoutsFromConfig(*config);
        QCOMPARE(layouts.size(), 2);
        QCOMPARE(layouts[0].id, layouts[1].id);
        QCOMPARE(layouts[0].zones[0].id, layouts[1].zones[0].id);
        QCOMPARE(layouts[0].zones[0].id, stableUUID(u"z"_s));

        // A template without a description round-trips without the key.
        const QByteArray other = R"({"layouts":[{"id":"t","name":"T","description":null,
            "zones":[{"id":"a","x":-0.5,"y":2,"width":1.5,"height":0.25,"extra":true}]}]})";
        const auto otherConfig = json::decodeLayoutConfig(other);
        QVERIFY(otherConfig);
        const ScreenLayout layout = layoutsFromConfig(*otherConfig).first();
        QVERIFY(!layout.description);
        const QJsonObject encoded = json::encode(layout);
        QVERIFY(!encoded.contains(u"description"_s));
        // Values outside 0..1 are used as read.
        QCOMPARE(layout.zones[0].frame, Rect(-0.5, 2, 1.5, 0.25));
    }

    // What other versions read: one line, upper-case ids; lower-case ids are read too. A
    // missing or mistyped key fails the whole list rather than dropping a layout that the next
    // save would lose. The fuzz target of the custom layouts checks the round trip.
    void theStoredFormat()
    {
        const ScreenLayout layout{
            QUuid::createUuid(), u"Mine"_s, {Zone(Rect(0.1, 0.2, 0.3, 0.4))}, u"described"_s};
        const QByteArray data = json::encodeLayouts({layout});
        QVERIFY(!data.contains('\n'));
        QVERIFY(data.contains(layout.uuidString().toUtf8()));
        const auto lower = json::decodeLayout(
            QByteArray(R"({"id":"8e0f1c2a-1111-4222-8333-944455556666","name":"A","zones":[]})"));
        QVERIFY(lower);
        QCOMPARE(lower->uuidString(), u"8E0F1C2A-1111-4222-8333-944455556666"_s);
        const QByteArray id = R"("id":"8E0F1C2A-1111-4222-8333-944455556666")";
        for (const QByteArray& bad :
             {"[{" + id + R"(,"name":"A","zones":[{)" + id + R"(,"x":0,"y":0,"width":1}]}])",
              "[{" + id + R"(,"name":"A","zones":[]},{"name":"B","zones":[]}])",
              "[{" + id + R"(,"name":"A","zones":[],"description":3}])"})
            QVERIFY2(!json::decodeLayouts(bad), bad.constData());
        QVERIFY(!json::decodePreferences(R"([{"monitorID":"m","layoutID":"l"}])"));
    }

    void monitorIdFollowsTheDisplaysNumbers()
    {
        DisplayIdentity d;
        d.frame = Rect(-1440.7, 12.9, 1440, 900);
        QCOMPARE(monitorID(d), u"screen_-1440_12_1440_900"_s);
        d.number = 69733378;
        d.vendor = 1552;
        d.model = 41001;
        d.serial = 0;
        QCOMPARE(monitorID(d), u"display_1552_41001_0"_s);
        d.vendor = d.model = 0;
        QCOMPARE(monitorID(d), u"displayid_69733378"_s);
        d.uuid = u"37D8832A-2D66-02CA-B9F7-8F30A301B230"_s;
        QCOMPARE(monitorID(d), u"uuid_37D8832A-2D66-02CA-B9F7-8F30A301B230"_s);
        d.uuid = QString();
        QCOMPARE(monitorID(d), u"uuid_unknown"_s);

        // Two monitors of one model with serial 0 are told apart by their connectors; a unique
        // one keeps its identifier.
        corvane::Display twin = FakePlatform::makeDisplay(u"DP-1"_s, Rect(0, 0, 1920, 1080),
                                                          Rect(0, 0, 1920, 1080), 7, 0);
        DisplayList displays{twin, twin,
                             FakePlatform::makeDisplay(u"HDMI-1"_s, Rect(3840, 0, 800, 600),
                                                       Rect(3840, 0, 800, 600), 8, 0)};
        displays[1].key = u"DP-2"_s;
        displays[1].frame.x = 1920;
        markIdenticalDisplays(displays);
        QCOMPARE(monitorID(displays[0]), u"display_4268_16391_0@DP-1"_s);
        QCOMPARE(monitorID(displays[1]), u"display_4268_16391_0@DP-2"_s);
        QCOMPARE(monitorID(displays[2]), u"display_4268_16392_0"_s);
        // Alone again, the remaining twin is unique once more.
        displays.removeAt(1);
        markIdenticalDisplays(displays);
        QCOMPARE(monitorID(displays[0]), u"display_4268_16391_0"_s);
    }

    void builtInsAndShippedTemplates()
    {
        QCOMPARE(noLayout().uuidString(), u"00000000-0000-0000-0000-000000000001"_s);
        QVERIFY(noLayout().zones.isEmpty());
        QCOMPARE(focusLayout().zones.size(), 1);
        QCOMPARE(focusLayout().zones[0].frame, Rect(0.05, 0.05, 0.9, 0.9));
        QCOMPARE(uuidText(focusLayout().zones[0].id), u"00000000-0000-0000-0000-000000000003"_s);

        // The shipped file, found beside bin/ as in an installed tree.
        const auto tall = templateNamed(u"Tall"_s);
        const auto grid = templateNamed(u"Grid"_s);
        QVERIFY(tall && grid);
        QVERIFY(tall->description && grid->description);
        QCOMPARE(tall->id, stableUUID(u"tall"_s));
        QVERIFY(!templateNamed(u"tall"_s));
        const auto all = allLayouts();
        QCOMPARE(all.size(), templateLayouts().size() + 2);
        QCOMPARE(all[0].name, u"No Layout"_s);
        QCOMPARE(all[1].name, u"Focus"_s);
        for (const ScreenLayout& layout : templateLayouts()) {
            for (const Zone& zone : layout.zones) {
                QVERIFY(zone.frame.minX() >= 0 && zone.frame.maxX() <= 1.0000001);
                QVERIFY(zone.frame.minY() >= 0 && zone.frame.maxY() <= 1.0000001);
            }
        }
    }
};

QTEST_GUILESS_MAIN(LayoutModelTest)
#include "tst_layoutmodel.moc"
