// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "overlay/GridView.h"
#include "overlay/OverlayWindow.h"
#include "overlay/ZoneManager.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTimer>

using namespace corvane;
using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

GridView* gridOf(const ZoneManager& manager)
{
    return manager.overlayWindow() ? qobject_cast<GridView*>(manager.overlayWindow()->contentView())
                                   : nullptr;
}

// Fires once a delay has passed. Qt fires due timers in order, so when it has fired, every
// timer that was due before it has fired too.
class Marker : public QObject {
public:
    bool fired = false;
    explicit Marker(std::chrono::milliseconds delay)
    {
        QTimer::singleShot(delay, this, [this] { fired = true; });
    }
};

} // namespace

class ZoneManagerTest : public QObject {
    Q_OBJECT

    corvane::Display first;
    corvane::Display second;
    const ZoneList halves{Zone(Rect(0, 0, 0.5, 1)), Zone(Rect(0.5, 0, 0.5, 1))};
    const ZoneList thirds{Zone(Rect(0, 0, 1.0 / 3, 1)), Zone(Rect(1.0 / 3, 0, 1.0 / 3, 1)),
                          Zone(Rect(2.0 / 3, 0, 1.0 / 3, 1))};

    static ScreenLayout layoutOf(const QString& name, const ZoneList& zones)
    {
        return ScreenLayout{QUuid::createUuid(), name, zones, std::nullopt};
    }

private slots:
    void init()
    {
        test::resetStores();
        first = test::primaryDisplay();
        second = test::secondDisplay();
        test::installFakePlatform().setDisplays({first, second});
    }

    void cleanup()
    {
        // Overlays closed by the manager go at the next turn of the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // No stored layout: Grid, which is stored. A stored one gives the zones. An unreadable one
    // is kept as it is and Grid used.
    void theStartingLayout()
    {
        const auto grid = templateNamed(u"Grid"_s);
        QVERIFY(grid);
        {
            ZoneManager manager;
            QCOMPARE(test::zoneIds(manager.customZones()), test::zoneIds(grid->zones));
            const auto stored = json::decodeLayout(*Settings::data(SettingsKeys::currentLayout));
            QVERIFY(stored);
            QCOMPARE(stored->id, grid->id);
            QCOMPARE(stored->name, u"Grid"_s);
            QVERIFY(manager.monitorZones().isEmpty());
            QVERIFY(!manager.overlayWindow());
        }
        Settings::setData(SettingsKeys::currentLayout,
                          json::encodeLayout(layoutOf(u"Mine"_s, thirds)));
        QCOMPARE(test::zoneIds(ZoneManager().customZones()), test::zoneIds(thirds));
        QCOMPARE(ZoneManager().customZones()->at(1).frame, thirds[1].frame);

        const QByteArray garbage("{\"id\": 12, \"zones\": ");
        Settings::setData(SettingsKeys::currentLayout, garbage);
        QCOMPARE(test::zoneIds(ZoneManager().customZones()), test::zoneIds(grid->zones));
        QCOMPARE(*Settings::data(SettingsKeys::currentLayout), garbage);
    }

    // Without an overlay, updating zones only records them; an overlay shows the display's
    // zones, else the latest ones.
    void anOverlayShowsTheDisplaysZonesElseTheLatestZones()
    {
        ZoneManager manager;
        manager.updateZones(halves, second, false, false);
        QCOMPARE(test::zoneIds(manager.monitorZones().value(monitorID(second))),
                 test::zoneIds(halves));
        QVERIFY(!manager.monitorZones().contains(monitorID(first)));
        QCOMPARE(test::zoneIds(manager.customZones()), test::zoneIds(halves));
        QVERIFY(!manager.overlayWindow());
        manager.updateZones(thirds, first, false, false);
        manager.showOverlay(second, true, false);
        OverlayWindow* window = manager.overlayWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QCOMPARE(window->display(), second);
        QCOMPARE(window->screenRect(), second.frame);
        QVERIFY(window->ignoresMouseEvents());
        QCOMPARE(test::zoneIds(gridOf(manager)->customZones()), test::zoneIds(halves));
        QVERIFY(!gridOf(manager)->isEditing());

        // A display with no entry gets the zones set last, for any display.
        corvane::Display third = FakePlatform::makeDisplay(u"Third"_s, Rect(-800, 0, 800, 600),
                                                           Rect(-800, 0, 800, 575), 3, 333);
        manager.showOverlay(third, false, true);
        QVERIFY(manager.overlayWindow() != window);
        QVERIFY(!window->isVisible()); // closed, deleted at the next turn of the event loop
        QCOMPARE(test::zoneIds(gridOf(manager)->customZones()), test::zoneIds(thirds));
        QVERIFY(!gridOf(manager)->showStrokes());
        QVERIFY(gridOf(manager)->isEditing());
        QVERIFY(!manager.overlayWindow()->ignoresMouseEvents());

        manager.hideOverlay();
        QVERIFY(!manager.overlayWindow());
    }

    void theEditingOverlayReportsClicksAndEditsToHandlersThatMayCloseIt()
    {
        ZoneManager manager;
        QSignalSpy selected(&Notifications::shared(), &Notifications::zoneSelected);
        QSignalSpy updated(&Notifications::shared(), &Notifications::zonesUpdated);
        manager.updateZones(halves, first, true, true);
        GridView* grid = gridOf(manager);
        QVERIFY(grid);
        QCOMPARE(grid->size(), QSize(1440, 900));

        test::pressLeft(grid, {1080, 450}); // the right half
        test::dragLeft(grid, {1070, 450});
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().first().value<QUuid>(), halves[1].id);
        QCOMPARE(updated.size(), 1);
        const auto reported = updated.first().first().value<ZoneList>();
        QCOMPARE(test::zoneIds(reported), test::zoneIds(halves));
        QVERIFY(reported[1].frame.x < 0.5);
        QCOMPARE(manager.customZones()->at(1).frame, reported[1].frame);
        // The display's own entry is what the layout manager pushes back; it is not changed
        // behind its back.
        QCOMPARE(manager.monitorZones().value(monitorID(first))[1].frame, halves[1].frame);

        // Closing the overlay from a handler of its own report is safe.
        test::releaseLeft(grid, {1070, 450});
        QObject context;
        connect(&Notifications::shared(), &Notifications::zonesUpdated, &context,
                [&manager] { manager.hideOverlay(); });
        test::pressLeft(grid, {360, 450});
        test::dragLeft(grid, {370, 450});
        QVERIFY(!manager.overlayWindow());
        test::releaseLeft(grid, {370, 450}); // the view is still there until the loop turns
    }

    void anEditingOverlayOnOneDisplayIsUpdatedInPlaceForAnother()
    {
        ZoneManager manager;
        manager.updateZones(halves, first, true, true);
        OverlayWindow* window = manager.overlayWindow();
        GridView* grid = gridOf(manager);
        const QRect geometry = window->geometry();

        manager.updateZones(thirds, second, true, true);
        QCOMPARE(manager.overlayWindow(), window);
        QCOMPARE(gridOf(manager), grid);
        QCOMPARE(window->display(), first);
        QCOMPARE(window->geometry(), geometry);
        QCOMPARE(test::zoneIds(grid->customZones()), test::zoneIds(thirds));
        QCOMPARE(test::zoneIds(manager.monitorZones().value(monitorID(second))),
                 test::zoneIds(thirds));
        QCOMPARE(test::zoneIds(manager.monitorZones().value(monitorID(first))),
                 test::zoneIds(halves));

        // Turned into a display-only overlay, it lets the mouse through.
        manager.updateZones(thirds, second, true, false);
        QVERIFY(!grid->isEditing());
        QVERIFY(window->ignoresMouseEvents());
        QVERIFY(grid->showStrokes());

        manager.updateZones(thirds, second, false, false);
        QVERIFY(!manager.overlayWindow());
    }

    void previewsShowAfterTheirDelayAndHideAfterTheNext()
    {
        ZoneManager manager;
        manager.setPreviewDelays(50ms, 200ms);
        manager.showLayoutPreview(layoutOf(u"Thirds"_s, thirds), second);
        // Recorded at once, shown later.
        QCOMPARE(test::zoneIds(manager.monitorZones().value(monitorID(second))),
                 test::zoneIds(thirds));
        QCOMPARE(test::zoneIds(manager.customZones()), test::zoneIds(thirds));
        QVERIFY(!manager.overlayWindow());
        QTRY_VERIFY(manager.overlayWindow());
        QCOMPARE(manager.overlayWindow()->display(), second);
        QVERIFY(manager.overlayWindow()->ignoresMouseEvents());
        QCOMPARE(test::zoneIds(gridOf(manager)->customZones()), test::zoneIds(thirds));
        QVERIFY(!gridOf(manager)->isEditing());
        QVERIFY(gridOf(manager)->showStrokes());
        QTRY_VERIFY(!manager.overlayWindow());

        // The later call hides the earlier preview at once; the earlier preview's pending hide
        // leaves the later overlay alone.
        manager.showLayoutPreview(layoutOf(u"Halves"_s, halves), first);
        QTRY_VERIFY(manager.overlayWindow());
        const Marker earlierHideDone(600ms); // the earlier hide is due within 200 ms
        manager.setPreviewDelays(50ms, 3s);
        manager.showLayoutPreview(layoutOf(u"Thirds"_s, thirds), second);
        QVERIFY(!manager.overlayWindow());
        QTRY_VERIFY(manager.overlayWindow());
        QCOMPARE(manager.overlayWindow()->display(), second);
        QTRY_VERIFY(earlierHideDone.fired);
        QVERIFY(manager.overlayWindow());
        QTRY_VERIFY_WITH_TIMEOUT(!manager.overlayWindow(), 15000);
    }

    void anEditingOverlayOpenedDuringAPreviewStaysAndReportsEdits()
    {
        ZoneManager manager;
        QSignalSpy updated(&Notifications::shared(), &Notifications::zonesUpdated);
        manager.setPreviewDelays(20ms, 200ms);
        manager.showLayoutPreview(layoutOf(u"Halves"_s, halves), first);
        QTRY_VERIFY(manager.overlayWindow());
        const Marker previewHideDone(600ms);

        // The editor takes over the preview's window in place.
        manager.updateZones(halves, first, true, true);
        GridView* grid = gridOf(manager);
        QVERIFY(!manager.overlayWindow()->ignoresMouseEvents());
        test::pressLeft(grid, {360, 450});
        test::dragLeft(grid, {380, 450});
        test::releaseLeft(grid, {380, 450});
        QCOMPARE(updated.size(), 1);

        QTRY_VERIFY(previewHideDone.fired);
        QVERIFY(manager.overlayWindow());
        QCOMPARE(gridOf(manager), grid);
    }

    void callsFromAnotherThreadRunOnTheManagersThread()
    {
        ZoneManager manager;
        std::unique_ptr<QThread> worker(
            QThread::create([&] { manager.updateZones(halves, second, true, false); }));
        worker->start();
        QVERIFY(worker->wait(5000));
        // Nothing has happened yet: the call waits for the event loop.
        QVERIFY(manager.monitorZones().isEmpty());
        QTRY_VERIFY(manager.overlayWindow());
        QCOMPARE(test::zoneIds(manager.monitorZones().value(monitorID(second))),
                 test::zoneIds(halves));
        QCOMPARE(manager.overlayWindow()->thread(), QThread::currentThread());
    }
};

QTEST_MAIN(ZoneManagerTest)
#include "tst_zonemanager.moc"
