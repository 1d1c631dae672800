// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "models/DisplayIdentity.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "models/StableUuid.h"
#include "models/ZoneGeometry.h"
#include "platform/fake/FakePlatform.h"
#include "windows/WindowSnapper.h"
#include "windows/ZoneNavigator.h"

#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(corvane::Rect)

namespace {

// "Tall" (a main column and two stacked zones beside it) on the 1440 x 900 primary display
// and on the 1920 x 1080 display to its right. Window frames of the zones:
//   display 1: (0, 25, 864, 875)     (864, 25, 576, 437.5)     (864, 462.5, 576, 437.5)
//   display 2: (1440, -155, 1152, 1055) (2592, -155, 768, 527.5) (2592, 372.5, 768, 527.5)
const ZoneList tall{Zone(Rect(0, 0, 0.6, 1)), Zone(Rect(0.6, 0, 0.4, 0.5)),
                    Zone(Rect(0.6, 0.5, 0.4, 0.5))};

ZoneNavigator::ZoneTable tallOnBoth()
{
    return {{monitorID(test::primaryDisplay()), tall}, {monitorID(test::secondDisplay()), tall}};
}

} // namespace

// The models: layouts and their stored form, display identities, and the geometry of zones.
class ModelsTest : public QObject {
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

    void targetFramesOnBothDisplays()
    {
        const Rect t = targetFrameWithSpace(Rect(0.5, 0, 0.5, 1), Rect(0, 25, 1440, 875), 0);
        QCOMPARE(t, Rect(720, 25, 720, 875));
        // On a second display to the right, its top above the first one's.
        const Rect u = targetFrameWithSpace(Rect(0, 0.5, 1, 0.5), Rect(1440, -155, 1920, 1055), 0);
        QCOMPARE(u, Rect(1440, 372.5, 1920, 527.5));
        // With 16 around zones, the four zones of a 2 x 2 grid end 16 inside the display's edges
        // and stand 16 apart.
        const Rect visible(0, 0, 1920, 1080);
        const QList<std::pair<Rect, Rect>> spaced{
            {Rect(0, 0, 0.5, 0.5), Rect(16, 16, 936, 516)},
            {Rect(0.5, 0, 0.5, 0.5), Rect(968, 16, 936, 516)},
            {Rect(0, 0.5, 0.5, 0.5), Rect(16, 548, 936, 516)},
            {Rect(0.5, 0.5, 0.5, 0.5), Rect(968, 548, 936, 516)}};
        for (const auto& [unit, frame] : spaced)
            QCOMPARE(targetFrameWithSpace(unit, visible, 16), frame);
    }

    void nearestZoneIsMeasuredInUnitSpace()
    {
        const ZoneList halves{Zone(Rect(0, 0, 0.5, 1)), Zone(Rect(0.5, 0, 0.5, 1))};
        QCOMPARE(zoneNearestPoint({1000, 300}, Rect(0, 25, 1440, 875), halves), 1);
        QCOMPARE(zoneNearestPoint({100, 300}, Rect(0, 25, 1440, 875), halves), 0);
        // Exactly between the two centres: the first listed wins.
        QCOMPARE(zoneNearestPoint({720, 462.5}, Rect(0, 25, 1440, 875), halves), 0);
        QCOMPARE(
            zoneNearestPoint({720, 462.5}, Rect(0, 25, 1440, 875), ZoneList{halves[1], halves[0]}),
            0);
        QVERIFY(!zoneNearestPoint({1, 1}, Rect(0, 0, 1440, 875), {}));

        // A pointer in a gap still selects the nearest zone. Two zones with a wide gap between
        // them; y in unit space runs from the top.
        const ZoneList zones{Zone(Rect(0, 0, 0.3, 0.3)), Zone(Rect(0.7, 0.7, 0.3, 0.3))};
        const Rect v(0, 0, 1000, 1000);
        QCOMPARE(zoneNearestPoint({400, 400}, v, zones), 0); // unit (0.4, 0.4)
        QCOMPARE(zoneNearestPoint({600, 600}, v, zones), 1); // unit (0.6, 0.6)
    }

    // Keyboard snaps: numbers as the overlay shows them, steps in layout order, on across the
    // displays from left to right and round, or round one display.
    void keyboardSteps_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<Rect>("window");
        QTest::addColumn<bool>("acrossDisplays");
        QTest::addColumn<int>("display"); // 0: refused
        QTest::addColumn<int>("zone");

        const Rect loose(100, 100, 300, 200);
        QTest::newRow("zone 2 of the window's display") << "2" << loose << true << 1 << 2;
        QTest::newRow("zone 3 of the second display")
            << "3" << Rect(2000, 200, 300, 200) << true << 2 << 3;
        QTest::newRow("no zone 4") << "4" << loose << true << 0 << 0;
        // Centre (1100, 650): nearest the lower side zone.
        QTest::newRow("next: in no zone, the nearest first")
            << "next" << Rect(1000, 600, 200, 100) << true << 1 << 3;
        QTest::newRow("previous: in no zone, the nearest first")
            << "previous" << Rect(1000, 600, 200, 100) << true << 1 << 3;
        QTest::newRow("next from zone 1") << "next" << Rect(0, 25, 864, 875) << true << 1 << 2;
        QTest::newRow("a window a few cells short is in its zone")
            << "next" << Rect(0, 25, 858, 862) << true << 1 << 2;
        QTest::newRow("past the last zone to the display on the right")
            << "next" << Rect(864, 462.5, 576, 437.5) << true << 2 << 1;
        QTest::newRow("from the rightmost display round to the leftmost")
            << "next" << Rect(2592, 372.5, 768, 527.5) << true << 1 << 1;
        QTest::newRow("round its own display when not moving between displays")
            << "next" << Rect(864, 462.5, 576, 437.5) << false << 1 << 1;
        QTest::newRow("before the first zone to the display on the left")
            << "previous" << Rect(1440, -155, 1152, 1055) << true << 1 << 3;
        QTest::newRow("previous round its own display")
            << "previous" << Rect(0, 25, 864, 875) << false << 1 << 3;
    }

    void keyboardSteps()
    {
        QFETCH(QString, request);
        QFETCH(Rect, window);
        QFETCH(bool, acrossDisplays);
        QFETCH(int, display);
        QFETCH(int, zone);
        const DisplayList screens{test::primaryDisplay(), test::secondDisplay()};
        const auto result = ZoneNavigator::choose(*ZoneRequest::parse(request), window, screens,
                                                  tallOnBoth(), {acrossDisplays, 0});
        if (display == 0) {
            QVERIFY(!result.choice);
            QCOMPARE(result.error, u"Display 1 has no zone 4: its layout has 3 zones"_s);
            return;
        }
        QVERIFY2(result.choice, qPrintable(result.error));
        QCOMPARE(result.choice->display, screens.at(display - 1));
        QCOMPARE(result.choice->number, zone);
        QCOMPARE(result.choice->zone.id, tall.at(zone - 1).id);
    }

    void keyboardStepsPastDisplaysWithoutZonesAndWindowsTooBigForTheirZone()
    {
        const DisplayList screens{test::primaryDisplay(), test::secondDisplay()};
        ZoneNavigator::ZoneTable zones = tallOnBoth();
        zones[monitorID(test::primaryDisplay())] = {};
        const Rect loose(100, 100, 300, 200);
        const auto next =
            ZoneNavigator::choose({ZoneRequest::Kind::Next, 0}, loose, screens, zones, {true, 0});
        QVERIFY(next.choice && next.choice->display == screens.at(1) && next.choice->number == 1);
        QVERIFY(
            !ZoneNavigator::choose({ZoneRequest::Kind::Next, 0}, loose, screens, zones, {false, 0})
                 .choice);

        // A window that keeps a minimum size larger than zone 2: its frame matches no zone, yet
        // the next step from where it was put goes on to zone 3 instead of back to zone 2.
        const Rect tooBig(864, 25, 700, 600);
        const ZoneNavigator::Placement placed{test::primaryDisplay().key, tall.at(1).id};
        const auto after = ZoneNavigator::choose({ZoneRequest::Kind::Next, 0}, tooBig, screens,
                                                 tallOnBoth(), {true, 0}, placed);
        QVERIFY(after.choice && after.choice->number == 3);
        // With space left around the zones, a window snapped into zone 2 is in zone 2.
        const Rect spaced = *WindowSnapper::targetFrame(tall.at(1), screens.at(0), screens, 60);
        QCOMPARE(ZoneNavigator::choose({ZoneRequest::Kind::Next, 0}, spaced, screens, tallOnBoth(),
                                       {true, 60})
                     .choice->number,
                 3);
        QCOMPARE(ZoneNavigator::choose({ZoneRequest::Kind::Next, 0}, tooBig, screens, tallOnBoth(),
                                       {true, 0})
                     .choice->number,
                 2);
    }
};

QTEST_GUILESS_MAIN(ModelsTest)
#include "tst_models.moc"
