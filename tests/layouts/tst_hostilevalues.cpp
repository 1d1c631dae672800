// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "editor/LayoutEditingSession.h"
#include "layouts/LayoutManager.h"
#include "models/LayoutJson.h"
#include "models/ZoneGeometry.h"
#include "overlay/GridView.h"
#include "overlay/OverlayView.h"
#include "overlay/ZoneManager.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QTest>
#include <limits>

using namespace corvane;
using namespace Qt::StringLiterals;

// Stored layouts may hold any numbers and any amount of them. These tests feed such values to the
// decoders, the layout manager and the views that paint and hit-test zones: each must load or
// fail as the format says and come back promptly. The fuzz targets of the decoders check that
// whatever decodes is stored and read back unchanged.

namespace {

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// Zones whose numbers are no rectangle or lie far off the view: nothing of them shows.
ZoneList invisibleZones()
{
    return {Zone(Rect(notANumber, 0, notANumber, 0.5)),
            Zone(Rect(0, notANumber, 0.5, notANumber)),
            Zone(Rect(1e300, 1e300, 1, 1)),
            Zone(Rect(-1e300, 0, 1, 1)),
            Zone(Rect(-inf, 0, inf, 1)),
            Zone(Rect(0.5, 0.5, inf, -inf))};
}

// Zones that cover the view many times over, or none of it.
ZoneList coveringZones()
{
    return {Zone(Rect(0, 0, 1e300, 1e300)), Zone(Rect(-1e300, -1e300, 2e300, 2e300)),
            Zone(Rect(0.9, 0.9, -0.8, -0.8)), Zone(Rect(0.3, 0.3, 0, 0)),
            Zone(Rect(0, 0, 1.7e308, 1.7e308))};
}

// A 200 x 100 grid: 20,000 zones.
ZoneList manyZones()
{
    ZoneList zones;
    zones.reserve(20000);
    for (int row = 0; row < 100; ++row) {
        for (int column = 0; column < 200; ++column)
            zones.append(Zone(Rect(column / 200.0, row / 100.0, 1 / 200.0, 1 / 100.0)));
    }
    return zones;
}

// JSON written with single quotes, for readability.
QByteArray jsonText(const char* text)
{
    return QByteArray(text).replace('\'', '"');
}

QByteArray nested(int depth, const QByteArray& open, const QByteArray& inner,
                  const QByteArray& close)
{
    return open.repeated(depth) + inner + close.repeated(depth);
}

ScreenLayout layoutNamed(const QString& name, ZoneList zones)
{
    return ScreenLayout{QUuid::createUuid(), name, std::move(zones), std::nullopt};
}

} // namespace

class HostileValuesTest : public QObject {
    Q_OBJECT
private slots:
    void init() { test::freshDesktop({test::primaryDisplay()}); }

    void deeplyNestedJsonFailsAsAWhole()
    {
        const QByteArray arrays = nested(100000, "[", "", "]");
        const QByteArray objects = nested(100000, jsonText("{'a':"), "1", "}");
        for (const QByteArray& data : {arrays, objects}) {
            QVERIFY(!json::decodeLayouts(data));
            QVERIFY(!json::decodeLayout(data));
            QVERIFY(!json::decodePreferences(data));
            QVERIFY(!json::decodeLayoutConfig(data));
        }
        // Nesting where a zone list belongs, within what the parser accepts.
        const QByteArray inZones =
            jsonText("[{'id':'") + QUuid::createUuid().toString(QUuid::WithoutBraces).toUtf8() +
            jsonText("','name':'n','zones':") + nested(500, "[", "", "]") + "}]";
        QVERIFY(!json::decodeLayouts(inZones));
    }

    void theLayoutManagerLoadsHugeLayouts()
    {
        const QString name(1 << 20, QChar(u'x'));
        const ScreenLayout many = layoutNamed(u"Many"_s, manyZones());
        const ScreenLayout long_ = layoutNamed(name, {Zone(Rect(0, 0, 1, 1))});
        Settings::setData(SettingsKeys::customLayouts, json::encodeLayouts({many, long_}));
        {
            ZoneManager windows;
            LayoutManager layouts(windows);
            QCOMPARE(layouts.customLayouts().size(), 2);
            QCOMPARE(layouts.customLayouts().at(1).name, name);
            layouts.applyLayout(many, test::primaryDisplay());
            QCOMPARE(layouts.layoutFor(test::primaryDisplay())->zones.size(), 20000);
            QCOMPARE(windows.monitorZones().value(monitorID(test::primaryDisplay())).size(), 20000);
            LayoutEditingSession::of(layouts).startEditing(many);
            QCOMPARE(LayoutEditingSession::of(layouts).editingZones()->size(), 20000);
            LayoutEditingSession::of(layouts).cancelEditing();
        }
    }

    void theOverlayLeavesOutWhatIsNoRectangleAndPaintsWhatCoversTheDisplay()
    {
        const Zone sane(Rect(0.1, 0.2, 0.4, 0.5));
        OverlayView plain;
        plain.resize(800, 500);
        plain.setCustomZones(ZoneList{sane});
        plain.setHighlightedZone(sane);

        OverlayView hostile;
        hostile.resize(800, 500);
        hostile.setCustomZones(ZoneList{sane} + invisibleZones());
        hostile.setHighlightedZone(sane);
        QCOMPARE(test::render(hostile), test::render(plain));
        for (const Zone& zone : invisibleZones()) {
            QVERIFY(hostile.highlightChangeRegion(sane, zone).boundingRect().width() < 800);
            hostile.setHighlightedZone(zone);
            test::render(hostile);
        }

        // Zones that cover the display are painted and highlighted.
        OverlayView view;
        view.resize(800, 500);
        view.setHighlightZoneColor(Qt::red);
        const ZoneList zones = coveringZones();
        view.setCustomZones(zones);
        const QRgb unlit = test::render(view).pixel(400, 250);
        for (int i = 0; i < zones.size(); ++i) {
            const Zone& zone = zones.at(i);
            view.setHighlightedZone(zone);
            const QImage image = test::render(view);
            // A zone covering the view many times over is lit, and repainted, over all of it.
            if (i < 2) {
                QVERIFY(image.pixel(400, 250) != unlit);
                QCOMPARE(view.highlightChangeRegion(std::nullopt, zone), QRegion(view.rect()));
            }
        }
    }

    void twentyThousandZonesPaintOnceWithABoundedLabelCache()
    {
        OverlayView view;
        view.resize(1440, 875);
        const ZoneList zones = manyZones();
        view.setCustomZones(zones);
        test::render(view);
        QCOMPARE(view.cachedLabelCount(), OverlayView::maxCachedLabel);
        view.setHighlightedZone(zones.at(12345));
        view.setHighlightedZone(zones.at(54));
        test::render(view);
        QCOMPARE(view.cachedLabelCount(), OverlayView::maxCachedLabel);
    }

    void theGridViewPaintsHitTestsAndDragsHostileZones()
    {
        const Zone sane(Rect(0.5, 0.5, 0.25, 0.25));
        const Zone huge(Rect(0, 0, 1e300, 1e300));
        GridView plain;
        plain.resize(800, 500);
        plain.setCustomZones(ZoneList{sane});

        // Compared outside editing, where zones show no numbers (the sane zone's number is its
        // place in the list).
        GridView view;
        view.resize(800, 500);
        view.setCustomZones(invisibleZones() + ZoneList{sane});
        QCOMPARE(test::render(view), test::render(plain));
        view.setEditing(true);

        view.setCustomZones(invisibleZones() + ZoneList{sane, huge} + coveringZones());
        QCOMPARE(view.zoneAt(QPointF(500, 300))->id, sane.id);
        QCOMPARE(view.zoneAt(QPointF(100, 100))->id, huge.id);
        test::render(view);

        // Dragging the huge zone brings it onto the display, whole and finite.
        std::optional<ZoneList> reported;
        view.zoneUpdatedHandler = [&](const ZoneList& zones) { reported = zones; };
        test::pressLeft(&view, QPointF(100, 100));
        QCOMPARE(view.selectedZone()->id, huge.id);
        test::render(view);
        test::dragLeft(&view, QPointF(120, 110));
        test::releaseLeft(&view, QPointF(120, 110));
        QVERIFY(reported);
        const auto moved = std::find_if(reported->begin(), reported->end(),
                                        [&](const Zone& z) { return z.id == huge.id; });
        QCOMPARE(moved->frame, Rect(0, 0, 1, 1));
        test::render(view);
    }

    void theNearestZoneIsNeverOneThatIsNoRectangle()
    {
        const Rect visible(0, 0, 1440, 875);
        const ZoneList zones =
            invisibleZones() + ZoneList{Zone(Rect(0.9, 0.9, 0.1, 0.1)), Zone(Rect(0, 0, 0.2, 0.2))};
        // A pointer at the top left.
        QCOMPARE(zoneNearestPoint({10, 15}, visible, zones), zones.size() - 1);
        QVERIFY(!zoneNearestPoint({10, 15}, visible, invisibleZones().mid(0, 2)));
        QVERIFY(!zoneNearestPoint({notANumber, 10}, visible, zones));
        QVERIFY(!zoneNearestPoint({10, 10}, Rect(0, 0, 0, 0), zones));
    }
};

QTEST_MAIN(HostileValuesTest)
#include "tst_hostilevalues.moc"
