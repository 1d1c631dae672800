#include "TestEnvironment.h"
#include "models/ZoneGeometry.h"

#include <QTest>

using namespace corvane;

class ZoneGeometryTest : public QObject {
    Q_OBJECT
private slots:
    void targetFramesOnBothDisplays()
    {
        const Rect t = zoneTargetFrame(Zone(Rect(0.5, 0, 0.5, 1)), Rect(0, 0, 1440, 875), 900);
        QCOMPARE(t, Rect(720, 25, 720, 875));
        // On a second display to the right.
        const Rect u = zoneTargetFrame(Zone(Rect(0, 0.5, 1, 0.5)), Rect(1440, 0, 1920, 1055), 900);
        QCOMPARE(u, Rect(1440, 372.5, 1920, 527.5));
    }

    void nearestZoneIsMeasuredInUnitSpace()
    {
        const ZoneList halves{Zone(Rect(0, 0, 0.5, 1)), Zone(Rect(0.5, 0, 0.5, 1))};
        QCOMPARE(zoneNearestPoint({1000, 600}, Rect(0, 0, 1440, 875), halves), 1);
        QCOMPARE(zoneNearestPoint({100, 600}, Rect(0, 0, 1440, 875), halves), 0);
        // Exactly between the two centres: the first listed wins.
        QCOMPARE(zoneNearestPoint({720, 437.5}, Rect(0, 0, 1440, 875), halves), 0);
        QCOMPARE(
            zoneNearestPoint({720, 437.5}, Rect(0, 0, 1440, 875), ZoneList{halves[1], halves[0]}),
            0);
        QVERIFY(!zoneNearestPoint({1, 1}, Rect(0, 0, 1440, 875), {}));

        // A pointer in a gap still selects the nearest zone. Two zones with a wide gap between
        // them; y in unit space runs from the top.
        const ZoneList zones{Zone(Rect(0, 0, 0.3, 0.3)), Zone(Rect(0.7, 0.7, 0.3, 0.3))};
        const Rect v(0, 0, 1000, 1000);
        QCOMPARE(zoneNearestPoint({400, 600}, v, zones), 0); // unit (0.4, 0.4)
        QCOMPARE(zoneNearestPoint({600, 400}, v, zones), 1); // unit (0.6, 0.6)
    }

    void viewRectIsBottomLeftAndInsetAndFlipsBack()
    {
        QCOMPARE(zoneViewRect(Zone(Rect(0.5, 0, 0.5, 1)), 1440, 875, 10), Rect(730, 10, 700, 855));
        // A zone at the top of the display sits at the top of a bottom-left view.
        QCOMPARE(zoneViewRect(Zone(Rect(0, 0, 1, 0.25)), 100, 200, 0), Rect(0, 150, 100, 50));
        QCOMPARE(flipRectInView(Rect(0, 150, 100, 50), 200), Rect(0, 0, 100, 50));
        // Flipping a point is its own inverse.
        const Point p = flipToTopLeft({12, 100}, 900);
        QCOMPARE(p, Point({12, 800}));
        QCOMPARE(flipToTopLeft(p, 900), Point({12, 100}));
    }

    void screenContainmentFollowsHalfOpenEdges()
    {
        const QList<Rect> frames{Rect(0, 0, 1440, 900), Rect(1440, 0, 1920, 1080)};
        QCOMPARE(screenContainingPoint({0, 0}, frames), 0);
        QCOMPARE(screenContainingPoint({1440, 10}, frames), 1); // right edge of the first
        QCOMPARE(screenContainingPoint({1439.999, 899.999}, frames), 0);
        QVERIFY(!screenContainingPoint({100, 900}, frames)); // top edge of the first, nothing above
        QVERIFY(!screenContainingPoint({-1, 10}, frames));
        QCOMPARE(screenContainingPoint({3000, 1000}, frames), 1);
    }
};

QTEST_GUILESS_MAIN(ZoneGeometryTest)
#include "tst_zonegeometry.moc"
