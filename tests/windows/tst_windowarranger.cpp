// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "models/ZoneGeometry.h"
#include "overlay/ZoneManager.h"
#include "windows/ApplicationZones.h"
#include "windows/WindowArranger.h"
#include "windows/WindowSnapper.h"
#include "windows/ZoneNavigator.h"
#include "windows/ZonePlacements.h"

#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

// Windows that remember their zones, on the fake desktop: the stored memory of applications,
// windows following a layout change, and up and down across stacked displays.
class WindowArrangerTest : public QObject {
    Q_OBJECT
private:
    const ZoneList grid_{Zone(Rect(0, 0, 0.5, 0.5)), Zone(Rect(0.5, 0, 0.5, 0.5)),
                         Zone(Rect(0, 0.5, 0.5, 0.5)), Zone(Rect(0.5, 0.5, 0.5, 0.5))};
    const ZoneList halves_{Zone(Rect(0, 0, 0.5, 1)), Zone(Rect(0.5, 0, 0.5, 1))};

private slots:
    void storedZonesSkipUnreadableEntriesAndKeepTheMostRecentApplications()
    {
        const QByteArray stored =
            R"([{"application":"xterm","display":"d","zone":2,"frame":[0.5,0,0.5,1],"desktop":3},
                {"application":"gimp","display":"d","zone":0,"frame":[0,0,1,1]},
                {"application":"xlogo","display":"d","zone":1,"frame":[0,0,"x",1]},
                "junk", {"application":"xterm","display":"e","zone":1,"frame":[0,0,1,1]}])";
        ApplicationZones zones = ApplicationZones::fromJson(stored);
        QCOMPARE(zones.size(), 1);
        QCOMPARE(*zones.zoneOf(u"xterm"_s), (ApplicationZone{u"d"_s, 3, 2, Rect(0.5, 0, 0.5, 1)}));
        QCOMPARE(ApplicationZones::fromJson(zones.toJson()).zoneOf(u"xterm"_s),
                 zones.zoneOf(u"xterm"_s));
        for (int i = 0; i <= ApplicationZones::maxApplications; ++i)
            zones.remember(u"app%1"_s.arg(i), {u"d"_s, std::nullopt, 1, Rect(0, 0, 1, 1)});
        QCOMPARE(zones.size(), ApplicationZones::maxApplications);
        QVERIFY(!zones.zoneOf(u"xterm"_s));
        QCOMPARE(ApplicationZones::key({u" XTerm "_s, u"xterm"_s}), u"xterm"_s);
    }

    // Zone 4 of Grid has no twin in Halves: that window goes to the half nearest it, the one in
    // zone 1 to zone 1; a window the user moved away stays where it is.
    void snappedWindowsFollowTheLayoutToTheSameNumberElseTheNearestZone()
    {
        FakePlatform& fake = test::freshDesktop();
        const corvane::Display display = test::primaryDisplay();
        ZoneManager zones;
        WindowArranger arranger(zones);
        zones.updateZones(grid_, display, false, false);
        for (std::uint32_t n : {1u, 2u, 3u})
            fake.addWindow(42, n, Rect(10, 10, 100, 100));
        QCOMPARE(WindowSnapper::snap(FakePlatform::handle(1), {display, grid_[0], 1}),
                 SnapOutcome::Snapped);
        QCOMPARE(WindowSnapper::snap(FakePlatform::handle(2), {display, grid_[3], 4}),
                 SnapOutcome::Snapped);
        QCOMPARE(WindowSnapper::snap(FakePlatform::handle(3), {display, grid_[3], 4}),
                 SnapOutcome::Snapped);
        ZonePlacements::shared().forget(FakePlatform::handle(3));
        const Rect moved = *fake.window(3)->frame;
        zones.updateZones(halves_, display, false, false);
        QCOMPARE(*fake.window(1)->frame, zoneTargetFrame(halves_[0], display.visibleFrame));
        QCOMPARE(*fake.window(2)->frame, zoneTargetFrame(halves_[1], display.visibleFrame));
        QCOMPARE(*fake.window(3)->frame, moved);
        QCOMPARE(ZonePlacements::shared().placement(FakePlatform::handle(2))->number, 2);
    }

    // A display stacked above: up from the top row goes to its bottom row, down from there
    // comes back; nothing lies above the upper display.
    void upAndDownStepThroughRowsAndOnToTheDisplayAbove()
    {
        const corvane::Display lower = test::primaryDisplay();
        corvane::Display upper = test::secondDisplay();
        upper.frame = upper.visibleFrame = Rect(lower.frame.x, lower.frame.y - 600, 800, 600);
        const ZoneNavigator::ZoneTable table{{monitorID(lower), grid_}, {monitorID(upper), grid_}};
        const auto step = [&](ZoneRequest::Kind kind, const Zone& from, const corvane::Display& d) {
            return ZoneNavigator::choose({kind, 0}, zoneTargetFrame(from, d.visibleFrame),
                                         {lower, upper}, table, {true, 0});
        };
        auto up = step(ZoneRequest::Kind::Up, grid_[3], lower);
        QCOMPARE(up.choice->number, 2);
        QCOMPARE(up.choice->display.key, lower.key);
        up = step(ZoneRequest::Kind::Up, grid_[1], lower);
        QCOMPARE(up.choice->number, 4);
        QCOMPARE(up.choice->display.key, upper.key);
        QCOMPARE(step(ZoneRequest::Kind::Down, grid_[3], upper).choice->display.key, lower.key);
        QVERIFY(!step(ZoneRequest::Kind::Up, grid_[0], upper).choice);
    }
};

QTEST_GUILESS_MAIN(WindowArrangerTest)
#include "tst_windowarranger.moc"
