// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "managers/OverlayView.h"
#include "managers/OverlayWindow.h"
#include "managers/ZoneFlash.h"
#include "managers/ZoneManager.h"
#include "models/ZoneGeometry.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "windows/ActiveWindowSnapper.h"
#include "windows/DragDropHandler.h"
#include "windows/SnappedWindows.h"
#include "windows/WindowSnapper.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace corvane;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(corvane::Rect)

// The dragged window: pid 42, number 5, frame (100, 100, 400, 300) in accessibility space, with
// a title bar control. Screen space has the primary display 900 high.
class DragDropHandlerTest : public QObject {
    Q_OBJECT
private:
    FakePlatform* fake_ = nullptr;
    std::unique_ptr<ZoneManager> windows_;
    std::unique_ptr<DragDropHandler> handler_;
    std::uint64_t now_ = 0;
    const ZoneList halves_{Zone(Rect(0, 0, 0.5, 1)), Zone(Rect(0.5, 0, 0.5, 1))};

    void event(MouseEventType type, std::uint64_t flags, Point at)
    {
        fake_->injectMouseEvent(type, flags, at);
        QCoreApplication::processEvents(); // events are handled on the next turn
    }
    void down(std::uint64_t flags = 0, Point at = {150, 790})
    {
        event(MouseEventType::LeftMouseDown, flags, at);
    }
    void drag(std::uint64_t flags, Point at) { event(MouseEventType::LeftMouseDragged, flags, at); }
    void up(std::uint64_t flags, Point at) { event(MouseEventType::LeftMouseUp, flags, at); }
    // The window manager moves the window with the pointer; the next poll sees it.
    void moveWindowBy(double dx, double dy)
    {
        Rect& f = *fake_->window(5)->frame;
        f.x += dx;
        f.y += dy;
        now_ += 100;
        handler_->checkForDrag();
    }
    // A press on the title bar and the window's first move.
    void grab(std::uint64_t flags = 0, Point at = {150, 790})
    {
        down(flags, at);
        moveWindowBy(10, 0);
    }
    // A whole shift-drag gesture that releases at the given point.
    void snapAt(Point at)
    {
        grab(ModifierFlag::shift);
        drag(ModifierFlag::shift, at);
        up(ModifierFlag::shift, at);
    }
    static Rect targetOf(const Zone& zone, const corvane::Display& display)
    {
        return zoneTargetFrame(zone, display.visibleFrame, 900);
    }
    Rect windowFrame() { return *fake_->window(5)->frame; }
    std::optional<Zone> highlighted() const
    {
        return handler_->overlayView() ? handler_->overlayView()->highlightedZone() : std::nullopt;
    }

private slots:
    void init()
    {
        fake_ = &test::freshDesktop();
        const ElementHandle window = fake_->addWindow(42, 5, Rect(100, 100, 400, 300));
        fake_->addControl(window, Rect(100, 100, 400, 22));
        windows_ = std::make_unique<ZoneManager>();
        windows_->updateZones(halves_, test::primaryDisplay(), false, false);
        windows_->updateZones(halves_, test::secondDisplay(), false, false);
        now_ = 10'000;
        handler_ = std::make_unique<DragDropHandler>(*windows_);
        handler_->setClock([this] { return now_; });
    }
    void cleanup()
    {
        handler_.reset();
        windows_.reset();
    }

    // A click without a move shows and moves nothing; five points is not a move but more is;
    // ticks that come late without a move disarm.
    void whatCountsAsADrag()
    {
        down(ModifierFlag::shift);
        QVERIFY(handler_->isPolling());
        QVERIFY(handler_->draggedWindow());
        now_ += 100;
        handler_->checkForDrag();
        QVERIFY(!handler_->isTracking());
        up(ModifierFlag::shift, {150, 790});
        QVERIFY(!handler_->isPolling());
        QVERIFY(!handler_->overlayWindow());
        QCOMPARE(windowFrame(), Rect(100, 100, 400, 300));
        QVERIFY(fake_->writes().isEmpty());

        down(ModifierFlag::shift);
        moveWindowBy(3, 4); // exactly 5
        QVERIFY(!handler_->isTracking());
        moveWindowBy(5.01, 0);
        QVERIFY(handler_->isTracking());
        up(0, {150, 790});

        down(ModifierFlag::shift);
        now_ += 501;
        handler_->checkForDrag();
        QVERIFY(!handler_->isPolling());
        QVERIFY(!handler_->draggedWindow());
    }

    // A drag begun on the title bar with the modifier held and let go far away, the modifier
    // still held, that moved no window is reported; a short one, one begun in the window's body
    // and one that moved the window are not.
    void aModifierDragThatMovedNoWindowIsReported()
    {
        QSignalSpy unmoved(handler_.get(), &DragDropHandler::modifierDragMovedNoWindow);
        down(ModifierFlag::shift);
        now_ += 600;
        handler_->checkForDrag(); // the poll gives up: nothing moves
        up(ModifierFlag::shift, {300, 790});
        QCOMPARE(unmoved.count(), 1);
        down(ModifierFlag::shift);
        up(ModifierFlag::shift, {170, 790});
        down(ModifierFlag::shift, {150, 600});
        up(ModifierFlag::shift, {400, 600});
        down(ModifierFlag::shift);
        up(0, {300, 790});
        snapAt({300, 790});
        QCOMPARE(unmoved.count(), 1);
    }

    // A drag onto another display rebuilds the overlay there; a display that goes or changes
    // takes its overlay along.
    void aDisplayThatGoesOrChangesTakesItsOverlayAlong()
    {
        down(ModifierFlag::shift);
        moveWindowBy(50, 0);
        drag(ModifierFlag::shift, {400, 500});
        QVERIFY(handler_->overlayWindow()->display() == test::primaryDisplay());
        QCOMPARE(highlighted()->id, halves_[0].id);
        drag(ModifierFlag::shift, {3000, 500});
        QVERIFY(handler_->overlayWindow()->display() == test::secondDisplay());
        QCOMPARE(highlighted()->id, halves_[1].id);
        // Outside every display the overlay stays as it was.
        drag(ModifierFlag::shift, {-50, 500});
        QVERIFY(handler_->overlayWindow()->display() == test::secondDisplay());
        // Another display changing leaves the overlay alone.
        corvane::Display primary = test::primaryDisplay();
        primary.visibleFrame.height -= 30;
        fake_->setDisplays({primary, test::secondDisplay()});
        emit fake_->displays().screenParametersChanged();
        QVERIFY(handler_->overlayWindow());
        // Its own display reshaped: the overlay goes, and the next drag event shows a new one.
        corvane::Display second = test::secondDisplay();
        second.visibleFrame.height -= 30;
        fake_->setDisplays({primary, second});
        emit fake_->displays().screenParametersChanged();
        QVERIFY(!handler_->overlayWindow());
        drag(ModifierFlag::shift, {3000, 500});
        QVERIFY(handler_->overlayWindow());
        QCOMPARE(handler_->overlayWindow()->screenRect(), second.visibleFrame);
        // Its display removed: the overlay goes, and a release over no display snaps nothing.
        fake_->setDisplays({primary});
        emit fake_->displays().screenParametersChanged();
        QVERIFY(!handler_->overlayWindow());
        const Rect before = windowFrame();
        drag(ModifierFlag::shift, {3100, 500});
        up(ModifierFlag::shift, {3100, 500});
        QCOMPARE(windowFrame(), before);
        QVERIFY(!handler_->isTracking());
    }

    // The snap key, named in any case (what names no key is Shift), counts while it is held:
    // pressed during a drag it shows the overlay, and released without it nothing snaps.
    void theSnapKeyCountsWhileItIsHeld_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<quint64>("flag");
        QTest::newRow("CMD") << u"CMD"_s << quint64(ModifierFlag::command);
        QTest::newRow("alt") << u"alt"_s << quint64(ModifierFlag::option);
        QTest::newRow("no such key: Shift") << u"\u00e9\u00e9"_s << quint64(ModifierFlag::shift);
    }

    void theSnapKeyCountsWhileItIsHeld()
    {
        QFETCH(QString, stored);
        QFETCH(quint64, flag);
        Settings::setValue(SettingsKeys::dragModifierKey, stored);
        const quint64 other =
            flag == ModifierFlag::shift ? ModifierFlag::command : ModifierFlag::shift;
        grab();
        QVERIFY(handler_->isTracking() && !handler_->isPolling() && !handler_->overlayWindow());
        drag(other, {1000, 600});
        QVERIFY(!handler_->overlayWindow());
        drag(flag, {1000, 600});
        QVERIFY(highlighted() && highlighted()->id == halves_[1].id);
        QVERIFY(handler_->overlayWindow()->display() == test::primaryDisplay());
        up(other, {1000, 600});
        QVERIFY(fake_->writes().isEmpty());
        QVERIFY(!handler_->isTracking());
    }

    // A key that is not a modifier (F5, Space, a letter) is followed through the input monitor:
    // held at the press or pressed during the drag, it snaps; Shift then does not. The first
    // gesture after the key was chosen learns its state at the press from the desktop.
    void aKeyThatIsNotAModifierIsFollowed_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("keyCode");
        QTest::newRow("F5") << u"f5"_s << 96;
        QTest::newRow("a letter") << u"q"_s << 12;
    }

    void aKeyThatIsNotAModifierIsFollowed()
    {
        QFETCH(QString, stored);
        QFETCH(int, keyCode);
        Settings::setValue(SettingsKeys::dragModifierKey, stored);
        fake_->setHeldKeys({keyCode});
        down();
        QCOMPARE(fake_->followedKeys(), QList<int>{keyCode});
        moveWindowBy(10, 0);
        QVERIFY(handler_->overlayWindow()); // held at the press
        drag(ModifierFlag::shift, {1000, 600});
        QCOMPARE(highlighted()->id, halves_[1].id);
        fake_->setHeldKeys({});
        drag(ModifierFlag::shift, {1000, 600});
        QVERIFY(!handler_->overlayWindow());
        up(ModifierFlag::shift, {1000, 600});
        QCOMPARE(windowFrame(), Rect(110, 100, 400, 300));

        grab();
        QVERIFY(!handler_->overlayWindow());
        fake_->setHeldKeys({keyCode});
        drag(0, {1000, 600});
        QCOMPARE(highlighted()->id, halves_[1].id);
        up(0, {1000, 600});
        QCOMPARE(windowFrame(), targetOf(halves_[1], test::primaryDisplay()));
    }

    // A pointer moved by a tool that warps it sends no drag event: the release point decides.
    void withoutADragEventTheReleasePointDecides()
    {
        down(ModifierFlag::shift);
        moveWindowBy(40, 0);
        QVERIFY(handler_->overlayWindow());
        QVERIFY(!highlighted());
        up(ModifierFlag::shift, {3000, 500});
        QCOMPARE(windowFrame(), targetOf(halves_[1], test::secondDisplay()));
        QVERIFY(!handler_->overlayWindow());
    }

    // The modifier is taken from the settings at each mouse-down: a change between two
    // gestures counts from the next one, and the old modifier stops counting. A modifier let go
    // during the drag hides the overlay.
    void aChangedModifierCountsFromTheNextGesture()
    {
        Settings::setValue(SettingsKeys::dragModifierKey, u"control"_s);
        grab();
        drag(ModifierFlag::shift, {1000, 600});
        QVERIFY(!handler_->overlayWindow());
        drag(ModifierFlag::control, {1000, 600});
        QVERIFY(handler_->overlayWindow());
        up(0, {1000, 600});
        QCOMPARE(windowFrame(), Rect(110, 100, 400, 300));

        Settings::setValue(SettingsKeys::dragModifierKey, u"option"_s);
        grab(ModifierFlag::option);
        QVERIFY(handler_->overlayWindow());
        drag(ModifierFlag::control, {1000, 600});
        QVERIFY(!handler_->overlayWindow());
        drag(ModifierFlag::option, {1000, 600});
        QCOMPARE(highlighted()->id, halves_[1].id);
        up(ModifierFlag::option, {1000, 600});
        QCOMPARE(windowFrame(), targetOf(halves_[1], test::primaryDisplay()));
    }

    void storedAndChangedColoursReachTheOverlay()
    {
        grab(ModifierFlag::shift);
        OverlayView* view = handler_->overlayView();
        QVERIFY(view);
        QCOMPARE(view->normalZoneColor(), Settings::defaultZoneColors().normal);
        QCOMPARE(view->highlightZoneColor(), Settings::defaultZoneColors().highlight);
        windows_->updateZoneColors(Qt::red, Qt::green);
        QCOMPARE(view->normalZoneColor(), QColor(Qt::red));
        QCOMPARE(view->highlightZoneColor(), QColor(Qt::green));
    }

    void aSecondMouseDownReplacesTheRunningPoll()
    {
        down(ModifierFlag::shift);
        down(ModifierFlag::shift); // the first mouse-up never arrived
        QCOMPARE(handler_->findChildren<QTimer*>().size(), 1);
        up(0, {150, 790});
        QVERIFY(handler_->findChildren<QTimer*>().isEmpty());
    }

    void aWindowThatVanishesMidDragIsNotAnError()
    {
        grab(ModifierFlag::shift);
        drag(ModifierFlag::shift, {300, 500});
        fake_->removeWindow(5);
        drag(ModifierFlag::shift, {310, 500});
        up(ModifierFlag::shift, {310, 500});
        QVERIFY(!handler_->overlayWindow());
        QVERIFY(!handler_->isTracking());
        // The next gesture works as usual.
        fake_->addWindow(43, 6, Rect(0, 0, 300, 300));
        down(ModifierFlag::shift, {50, 850});
        QVERIFY(handler_->draggedWindow());
    }

    // A zone off every display, or no rectangle at all, moves nothing; a huge one is cut to
    // the bounds of both displays in accessibility space: (0, -180) to (3360, 900).
    void hostileZones_data()
    {
        QTest::addColumn<Rect>("zone");
        QTest::addColumn<Rect>("expected");
        const Rect unmoved(110, 100, 400, 300);
        QTest::newRow("far right") << Rect(5, 0, 0.5, 1) << unmoved;
        QTest::newRow("not a number") << Rect(std::nan(""), 0, 0.5, 0.5) << unmoved;
        QTest::newRow("zero size") << Rect(0.5, 0.5, 0, 0) << unmoved;
        QTest::newRow("negative size") << Rect(0.5, 0.5, -0.5, -0.5) << unmoved;
        QTest::newRow("huge") << Rect(0.5, 0, 1e300, 1e301) << Rect(720, 25, 3360 - 720, 900 - 25);
    }

    void hostileZones()
    {
        QFETCH(Rect, zone);
        QFETCH(Rect, expected);
        windows_->updateZones({Zone(zone)}, test::primaryDisplay(), false, false);
        snapAt({300, 500});
        QCOMPARE(windowFrame(), expected);
        QCOMPARE(fake_->writes().isEmpty(), expected == Rect(110, 100, 400, 300));
    }

    // With Control held as well, the zones from the one under the pointer when it went down to
    // the one under the pointer now light up together and the window fills them; letting
    // Control go, before a drag event or before the button, leaves one zone.
    void theSpanKeyFillsEveryZoneBetween()
    {
        const ZoneList tall{Zone(Rect(0, 0, 0.6, 1)), Zone(Rect(0.6, 0, 0.4, 0.5)),
                            Zone(Rect(0.6, 0.5, 0.4, 0.5))};
        windows_->updateZones(tall, test::primaryDisplay(), false, false);
        const auto spanned = [this] { return handler_->overlayView()->spannedZones(); };
        const std::uint64_t both = ModifierFlag::shift | ModifierFlag::control;
        grab(ModifierFlag::shift);
        drag(ModifierFlag::shift, {300, 500});
        drag(both, {300, 500}); // Control goes down over zone 1
        QCOMPARE(spanned(), QList<QUuid>{tall[0].id});
        drag(both, {1200, 100}); // zone 3
        QCOMPARE(spanned(), (QList<QUuid>{tall[0].id, tall[1].id, tall[2].id}));
        drag(ModifierFlag::shift, {1200, 100});
        QVERIFY(spanned().isEmpty());
        QCOMPARE(highlighted()->id, tall[2].id);
        drag(both, {1200, 100}); // down again, over zone 3
        drag(both, {1200, 800}); // zone 2
        QCOMPARE(spanned(), (QList<QUuid>{tall[1].id, tall[2].id}));
        up(both, {1200, 800});
        QCOMPARE(windowFrame(), Rect(864, 25, 576, 875));

        grab(ModifierFlag::shift, {1000, 790});
        drag(both, {1200, 800});
        drag(both, {300, 500});
        QCOMPARE(spanned().size(), 3);
        up(ModifierFlag::shift, {300, 500});
        QCOMPARE(windowFrame(), Rect(0, 25, 864, 875));
    }

    // A window Corvane snapped gets its earlier size back when a drag drops it outside every
    // zone, the pointer on the same point of its title bar; not after the user resized it, not
    // with the option off, and a window that closes is forgotten.
    void aSnappedWindowDraggedOutGetsItsSizeBack()
    {
        const AccessibilityElement window(fake_->window(5)->element);
        auto dragOut = [this] {
            down(0, {360, 860}); // inside the snapped window, 40 below the display's top
            moveWindowBy(40, 0);
            drag(0, {400, 860});
            up(0, {400, 860});
        };
        snapAt({300, 500});
        QCOMPARE(windowFrame(), Rect(0, 25, 720, 875));
        dragOut();
        // The pointer was half way across the 720-wide window: it is half way across 400.
        QCOMPARE(windowFrame(), Rect(200, 25, 400, 300));
        QVERIFY(!SnappedWindows::shared().isRemembered(window));

        *fake_->window(5)->frame = Rect(100, 100, 400, 300);
        snapAt({300, 500});
        fake_->window(5)->frame->width = 700; // the user narrows it
        dragOut();
        QCOMPARE(windowFrame().size(), Size(700, 875));

        Settings::setValue(SettingsKeys::restoreSizeOnUnsnap, false);
        snapAt({300, 500});
        dragOut();
        QCOMPARE(windowFrame().size(), Size(720, 875));
        QVERIFY(!SnappedWindows::shared().isRemembered(window));

        snapAt({300, 500});
        QVERIFY(SnappedWindows::shared().isRemembered(window));
        fake_->removeWindow(5);
        QVERIFY(!SnappedWindows::shared().isRemembered(window));
    }

    // Windows of an excluded application, named in any case by either of its names, show no
    // overlay and are never snapped, by a drag or otherwise.
    void anExcludedApplicationIsLeftAlone()
    {
        // Blanks around either name count for nothing, and are not stored.
        fake_->window(5)->applicationIdentifiers = {u" xterm"_s, u"XTerm "_s};
        Settings::setExcludedApplications({u" XTERM\t"_s});
        QCOMPARE(Settings::value(SettingsKeys::excludedApplications).toStringList(),
                 QStringList{u"XTERM"_s});
        snapAt({300, 500});
        QVERIFY(!handler_->isTracking());
        QVERIFY(fake_->writes().isEmpty());
        const AccessibilityElement window(fake_->window(5)->element);
        QCOMPARE(WindowSnapper::snap(window, halves_[0], test::primaryDisplay()),
                 SnapOutcome::Excluded);
        QVERIFY(fake_->writes().isEmpty());

        Settings::setExcludedApplications({u"xlogo"_s});
        snapAt({300, 500});
        QCOMPARE(windowFrame(), Rect(0, 25, 720, 875));
    }

    // A keyboard snap takes the focused window through the same snap as a drag and flashes the
    // target zone when the preview is on; without a focused window, or for a zone the layout
    // lacks, nothing moves.
    void theFocusedWindowSnapsFromTheKeyboard()
    {
        using namespace std::chrono_literals;
        ActiveWindowSnapper snapper(*windows_);
        snapper.flash().setDelays(0ms, 10s);
        const auto unfocused = snapper.snapActiveWindow({ZoneRequest::Kind::Next, 0});
        QVERIFY(!unfocused.snapped);
        QCOMPARE(unfocused.message, u"No window is active"_s);
        fake_->setFocusedElement(fake_->window(5)->element);
        const auto missing = snapper.snapActiveWindow({ZoneRequest::Kind::Number, 3});
        QCOMPARE(missing.message, u"Display 1 has no zone 3: its layout has 2 zones"_s);
        QVERIFY(fake_->writes().isEmpty());

        Settings::setValue(SettingsKeys::showLayoutPreview, false);
        QVERIFY(snapper.snapActiveWindow({ZoneRequest::Kind::Number, 2}).snapped);
        QCOMPARE(windowFrame(), Rect(720, 25, 720, 875));
        QTest::qWait(20);
        QVERIFY(!snapper.flash().window());

        Settings::setValue(SettingsKeys::showLayoutPreview, true);
        QVERIFY(snapper.snapActiveWindow({ZoneRequest::Kind::Next, 0}).snapped);
        QCOMPARE(windowFrame(), Rect(1440, -155, 960, 1055));
        QTRY_VERIFY(snapper.flash().isShown());
        QCOMPARE(snapper.flash().window()->display(), test::secondDisplay());
        QCOMPARE(snapper.flash().view()->highlightedZone()->id, halves_[0].id);
        // Stepping on keeps the overlay up and moves its highlight.
        QVERIFY(snapper.snapActiveWindow({ZoneRequest::Kind::Next, 0}).snapped);
        QVERIFY(snapper.flash().isShown());
        QCOMPARE(snapper.flash().view()->highlightedZone()->id, halves_[1].id);
    }

    void nothingUnderThePointerLeavesTheStateAlone()
    {
        down(ModifierFlag::shift, {1300, 50});
        QVERIFY(!handler_->draggedWindow());
        QVERIFY(!handler_->isPolling());
        fake_->setTrusted(false);
        down(ModifierFlag::shift);
        QVERIFY(!handler_->draggedWindow());
    }
};

QTEST_MAIN(DragDropHandlerTest)
#include "tst_dragdrophandler.moc"
