#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "managers/GridView.h"

#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;
using Handle = GridView::HandlePosition;

namespace {

constexpr int viewWidth = 1000;
constexpr int viewHeight = 500;

// A widget position from unit coordinates (y from the top, like the zones).
QPointF at(double ux, double uy)
{
    return {ux * viewWidth, uy * viewHeight};
}

bool nearlyEqual(const Rect& a, const Rect& b)
{
    auto close = [](double x, double y) { return std::abs(x - y) < 1e-9; };
    return close(a.x, b.x) && close(a.y, b.y) && close(a.width, b.width) &&
           close(a.height, b.height);
}

} // namespace

class GridViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<GridView> view;
    QList<Zone> clicked;
    QList<ZoneList> updates;

    void makeView(const ZoneList& zones, bool editing)
    {
        view = std::make_unique<GridView>();
        view->resize(viewWidth, viewHeight);
        view->setCustomZones(zones);
        view->setEditing(editing);
        clicked.clear();
        updates.clear();
        view->zoneClickedHandler = [this](const Zone& z) { clicked.append(z); };
        view->zoneUpdatedHandler = [this](const ZoneList& zs) { updates.append(zs); };
    }

private slots:
    void overlappingZonesSelectTheFirstInTheArrayAndNoZoneNone()
    {
        const Zone first(Rect(0, 0, 0.6, 0.6));
        const Zone second(Rect(0.4, 0.4, 0.6, 0.6));
        makeView({first, second}, true);

        test::pressLeft(view.get(), at(0.5, 0.5));
        QCOMPARE(view->selectedZone()->id, first.id);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.first().id, first.id);
        QVERIFY(view->isDragging());
        QVERIFY(!view->currentResizeHandle());

        // Containment keeps the left and top edges and leaves out the right and bottom ones.
        QCOMPARE(view->zoneAt(at(0, 0))->id, first.id);
        QVERIFY(!view->zoneAt(at(0.6, 0.1)));
        QVERIFY(!view->zoneAt(at(0.1, 0.6)));
        QCOMPARE(view->zoneAt(at(0.5999, 0.5999))->id, first.id);
        QCOMPARE(view->zoneAt(at(0.6, 0.6))->id, second.id);

        // A press outside every zone clears the selection and reports nothing.
        test::releaseLeft(view.get(), at(0.5, 0.5));
        test::pressLeft(view.get(), at(0.2, 0.9));
        QVERIFY(!view->selectedZone());
        QCOMPARE(clicked.size(), 1);
    }

    void aDragPastTheRightEdgeStopsThereAndFollowsThePointerBack()
    {
        const ZoneList zones{Zone(Rect(0, 0, 0.2, 0.2)), Zone(Rect(0.5, 0.4, 0.3, 0.2)),
                             Zone(Rect(0, 0.8, 0.2, 0.2))};
        makeView(zones, true);

        test::pressLeft(view.get(), at(0.65, 0.5));
        test::dragLeft(view.get(), at(0.95, 0.5));
        QVERIFY(nearlyEqual(view->customZones()->at(1).frame, Rect(0.7, 0.4, 0.3, 0.2)));
        test::dragLeft(view.get(), at(0.99, 0.5)); // further out: stays at the edge
        QVERIFY(nearlyEqual(view->customZones()->at(1).frame, Rect(0.7, 0.4, 0.3, 0.2)));
        test::dragLeft(view.get(), at(0.98, 0.5)); // back by 0.01: moves at once
        QVERIFY(nearlyEqual(view->customZones()->at(1).frame, Rect(0.69, 0.4, 0.3, 0.2)));
        test::dragLeft(view.get(), at(0.98, 0.6)); // down by 0.1 (y from the top)
        QVERIFY(nearlyEqual(view->customZones()->at(1).frame, Rect(0.69, 0.5, 0.3, 0.2)));

        // Each drag event reported once, with the whole list in its order and the changed zone
        // in its place.
        QCOMPARE(updates.size(), 4);
        for (const ZoneList& reported : std::as_const(updates)) {
            QCOMPARE(reported.size(), 3);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(reported.at(i).id, zones.at(i).id);
            QCOMPARE(reported.at(0).frame, zones.at(0).frame);
            QCOMPARE(reported.at(2).frame, zones.at(2).frame);
        }
        QCOMPARE(updates.last().at(1).frame, view->customZones()->at(1).frame);
        QCOMPARE(view->selectedZone()->frame, view->customZones()->at(1).frame);

        // Release ends the drag and keeps the selection; later moves change nothing.
        test::releaseLeft(view.get(), at(0.98, 0.6));
        QVERIFY(!view->isDragging());
        QCOMPARE(view->selectedZone()->id, zones.at(1).id);
        test::dragLeft(view.get(), at(0.5, 0.5));
        QCOMPARE(updates.size(), 4);
    }

    // Handles are named as the user sees them; a corner moves only its own edges, and a resize
    // below the minimum keeps the minimum width while the dragged edge follows the pointer.
    void resizingByTheCorners()
    {
        const Zone zone(Rect(0.2, 0.2, 0.3, 0.3)); // widget rectangle (200, 100) - (500, 250)
        makeView({zone}, true);
        QCOMPARE(view->handleAt({205, 105}, zone), Handle::topLeft);
        QCOMPARE(view->handleAt({495, 105}, zone), Handle::topRight);
        QCOMPARE(view->handleAt({205, 245}, zone), Handle::bottomLeft);
        QCOMPARE(view->handleAt({495, 245}, zone), Handle::bottomRight);
        QVERIFY(!view->handleAt({350, 175}, zone));
        QVERIFY(!view->handleAt({215, 105}, zone)); // outside the 20-point square

        test::pressLeft(view.get(), {495, 245});
        QCOMPARE(view->currentResizeHandle(), Handle::bottomRight);
        test::dragLeft(view.get(), {545, 295}); // dx = 0.05, dy = 0.1
        QVERIFY(nearlyEqual(view->customZones()->at(0).frame, Rect(0.2, 0.2, 0.35, 0.4)));
        test::releaseLeft(view.get(), {545, 295});

        test::pressLeft(view.get(), {545, 105}); // now the top-right corner
        QCOMPARE(view->currentResizeHandle(), Handle::topRight);
        test::dragLeft(view.get(), {495, 55}); // dx = -0.05, dy = -0.1: top edge goes up
        QVERIFY(nearlyEqual(view->customZones()->at(0).frame, Rect(0.2, 0.1, 0.3, 0.5)));
        test::releaseLeft(view.get(), {495, 55});

        test::pressLeft(view.get(), {205, 55});
        QCOMPARE(view->currentResizeHandle(), Handle::topLeft);
        test::dragLeft(view.get(), {405, 55}); // dx = 0.2: width 0.1
        QVERIFY(nearlyEqual(view->customZones()->at(0).frame, Rect(0.4, 0.1, 0.1, 0.5)));
        test::dragLeft(view.get(), {505, 55}); // the left edge follows, the width stays 0.1
        QVERIFY(nearlyEqual(view->customZones()->at(0).frame, Rect(0.5, 0.1, 0.1, 0.5)));
        test::dragLeft(view.get(), {605, 55});
        QVERIFY(nearlyEqual(view->customZones()->at(0).frame, Rect(0.6, 0.1, 0.1, 0.5)));
    }

    void aNarrowZoneAtTheEdgeEndsAtTheMinimumWidthPastTheEdge()
    {
        makeView({Zone(Rect(0.95, 0.4, 0.05, 0.2))}, true);
        test::pressLeft(view.get(), at(0.97, 0.5));
        QVERIFY(!view->currentResizeHandle());
        test::dragLeft(view.get(), at(0.971, 0.5));
        QVERIFY(nearlyEqual(view->customZones()->at(0).frame, Rect(0.95, 0.4, 0.1, 0.2)));
    }

    void withEditingOffAPressReportsTheZoneOnceAndStartsNoDrag()
    {
        const Zone zone(Rect(0.1, 0.1, 0.5, 0.5));
        makeView({zone}, false);
        test::pressLeft(view.get(), at(0.3, 0.3));
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.first().id, zone.id);
        QVERIFY(!view->isDragging());
        QVERIFY(!view->selectedZone());
        test::dragLeft(view.get(), at(0.5, 0.5));
        test::releaseLeft(view.get(), at(0.5, 0.5));
        QVERIFY(updates.isEmpty());
        QCOMPARE(view->customZones()->at(0).frame, zone.frame);

        test::pressLeft(view.get(), at(0.9, 0.9)); // on no zone
        QCOMPARE(clicked.size(), 1);
    }

    void onlyTheSelectedZoneHasHandlesAndTheSelectionOutline()
    {
        // Four zones side by side, 200 x 300 points each, starting at x = 50, 300, 550, 800.
        ZoneList zones;
        for (int i = 0; i < 4; ++i)
            zones.append(Zone(Rect(0.05 + 0.25 * i, 0.2, 0.15, 0.6)));
        makeView(zones, true);
        test::pressLeft(view.get(), at(0.35, 0.5)); // the second zone
        test::releaseLeft(view.get(), at(0.35, 0.5));
        const QImage image = test::render(*view);

        for (int i = 0; i < 4; ++i) {
            const int left = 50 + 250 * i;
            const int right = left + 150;
            const bool selected = i == 1;
            // Inside each corner: an opaque white handle only on the selected zone.
            for (const QPoint corner : {QPoint(left + 3, 103), QPoint(right - 4, 396)}) {
                const QColor c = image.pixelColor(corner);
                QCOMPARE(c == QColor(Qt::white), selected);
            }
            // The top edge: the overlay colour over the white outline only when selected.
            const QColor edge = image.pixelColor(left + 75, 100);
            QVERIFY2(selected ? edge.red() < 40 && edge.blue() > 200 : edge.red() > 150,
                     qPrintable(u"zone %1 edge %2"_s.arg(i).arg(edge.name(QColor::HexArgb))));
            // The fill: the overlay colour at 0.3 in editing mode.
            QCOMPARE(image.pixelColor(left + 75, 250).alpha(), 77);
        }

        // With editing off the selection stays but is not painted, and the fill is lighter.
        view->setEditing(false);
        const QImage passive = test::render(*view);
        QVERIFY(passive.pixelColor(303, 103) != QColor(Qt::white));
        QCOMPARE(passive.pixelColor(375, 250).alpha(), 26);
        QVERIFY(view->selectedZone());
    }

    void withoutZonesOrStrokesNothingIsPainted()
    {
        makeView({Zone(Rect(0, 0, 1, 1))}, false);
        view->setShowStrokes(false);
        QImage image = test::render(*view);
        QCOMPARE(image.pixelColor(500, 250).alpha(), 0);
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        view->setShowStrokes(true);
        view->setCustomZones(std::nullopt);
        image = test::render(*view);
        QCOMPARE(image.pixelColor(500, 250).alpha(), 0);
    }
};

QTEST_MAIN(GridViewTest)
#include "tst_gridview.moc"
