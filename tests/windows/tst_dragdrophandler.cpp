// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "models/ZoneGeometry.h"
#include "overlay/OverlayView.h"
#include "overlay/OverlayWindow.h"
#include "overlay/ZoneFlash.h"
#include "overlay/ZoneManager.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"
#include "windows/ActiveWindowSnapper.h"
#include "windows/DragDropHandler.h"
#include "windows/DragGesture.h"
#include "windows/NeighbourResize.h"
#include "windows/SnappedWindows.h"
#include "windows/WindowSnapper.h"
#include "windows/ZonePlacements.h"

#include <QSignalSpy>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(corvane::Rect)

// The dragged window: pid 42, number 5, frame (100, 100, 400, 300). The window system reports
// its moves; each report is handled on the next turn of the event loop.
class DragDropHandlerTest : public QObject {
    Q_OBJECT
private:
    using Stage = FakePlatform::MoveStage;
    FakePlatform* fake_ = nullptr;
    std::unique_ptr<ZoneManager> windows_;
    std::unique_ptr<DragDropHandler> handler_;
    const ZoneList halves_{Zone(Rect(0, 0, 0.5, 1)), Zone(Rect(0.5, 0, 0.5, 1))};
    static constexpr Modifiers none{};

    void report(Stage stage, Modifiers held, Point at, std::uint32_t window = 5)
    {
        fake_->setHeldKeys({held, fake_->followedKeys()});
        fake_->move(stage, window, at);
        QCoreApplication::processEvents();
    }
    // The window manager starts moving the window (the pointer on its title bar), moves it on,
    // and the button comes up.
    void start(Modifiers held = none, Point at = {150, 110}) { report(Stage::Started, held, at); }
    void step(Modifiers held, Point at) { report(Stage::Stepped, held, at); }
    void finish(Modifiers held, Point at) { report(Stage::Finished, held, at); }
    void snapAt(Point at)
    {
        start(Modifier::Shift);
        step(Modifier::Shift, at);
        finish(Modifier::Shift, at);
    }
    static Rect targetOf(const Zone& zone, const corvane::Display& display)
    {
        return zoneTargetFrame(zone, display.visibleFrame);
    }
    Rect windowFrame() { return *fake_->window(5)->frame; }
    OverlayWindow* overlay() const
    {
        return handler_->gesture() ? handler_->gesture()->overlayWindow() : nullptr;
    }
    std::optional<Zone> highlighted() const
    {
        OverlayView* view = handler_->gesture() ? handler_->gesture()->overlayView() : nullptr;
        return view ? view->highlightedZone() : std::nullopt;
    }

private slots:
    void init()
    {
        fake_ = &test::freshDesktop();
        fake_->addWindow(42, 5, Rect(100, 100, 400, 300));
        windows_ = std::make_unique<ZoneManager>();
        windows_->updateZones(halves_, test::primaryDisplay(), false, false);
        windows_->updateZones(halves_, test::secondDisplay(), false, false);
        handler_ = std::make_unique<DragDropHandler>(*windows_);
    }
    void cleanup()
    {
        handler_.reset();
        windows_.reset();
    }

    // A drag begun on the title bar with the modifier held and let go far away, the modifier
    // still held, that moved no window is reported; a short one, one begun in the window's body
    // and one let go without the modifier are not.
    void aModifierDragThatMovedNoWindowIsReported()
    {
        QSignalSpy unmoved(handler_.get(), &DragDropHandler::modifierDragMovedNoWindow);
        fake_->setHeldKeys({Modifier::Shift, {}});
        const auto drag = [this](Point from, Point to) {
            fake_->dragWithoutMove(5, from, to);
            QCoreApplication::processEvents();
        };
        drag({150, 110}, {300, 110});
        QCOMPARE(unmoved.count(), 1);
        drag({150, 110}, {170, 110});
        drag({150, 300}, {400, 300});
        fake_->setHeldKeys({});
        drag({150, 110}, {300, 110});
        QCOMPARE(unmoved.count(), 1);
    }

    // A drag onto another display rebuilds the overlay there; a display that goes or changes
    // takes its overlay along.
    void aDisplayThatGoesOrChangesTakesItsOverlayAlong()
    {
        start(Modifier::Shift);
        step(Modifier::Shift, {400, 400});
        QVERIFY(overlay()->display() == test::primaryDisplay());
        QCOMPARE(highlighted()->id, halves_[0].id);
        step(Modifier::Shift, {3000, 400});
        QVERIFY(overlay()->display() == test::secondDisplay());
        QCOMPARE(highlighted()->id, halves_[1].id);
        // Outside every display the overlay stays as it was.
        step(Modifier::Shift, {-50, 400});
        QVERIFY(overlay()->display() == test::secondDisplay());
        // Another display changing leaves the overlay alone.
        corvane::Display primary = test::primaryDisplay();
        primary.visibleFrame.height -= 30;
        fake_->setDisplays({primary, test::secondDisplay()});
        emit fake_->displays().screenParametersChanged();
        QVERIFY(overlay());
        // Its own display reshaped: the overlay goes, and the next drag event shows a new one.
        corvane::Display second = test::secondDisplay();
        second.visibleFrame.height -= 30;
        fake_->setDisplays({primary, second});
        emit fake_->displays().screenParametersChanged();
        QVERIFY(!overlay());
        step(Modifier::Shift, {3000, 400});
        QVERIFY(overlay());
        QCOMPARE(overlay()->screenRect(), second.visibleFrame);
        // Its display removed: the overlay goes, and a release over no display snaps nothing.
        fake_->setDisplays({primary});
        emit fake_->displays().screenParametersChanged();
        QVERIFY(!overlay());
        const Rect before = windowFrame();
        step(Modifier::Shift, {3100, 400});
        finish(Modifier::Shift, {3100, 400});
        QCOMPARE(windowFrame(), before);
        QVERIFY(!handler_->gesture());
    }

    // The snap key, named in any case (what names no key is Shift), counts while it is held:
    // pressed during a drag it shows the overlay, and released without it nothing snaps.
    void theSnapKeyCountsWhileItIsHeld_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("key");
        QTest::newRow("CMD is Super") << u"CMD"_s << int(Modifier::Super);
        QTest::newRow("alt") << u"alt"_s << int(Modifier::Alt);
        QTest::newRow("no such key: Shift") << u"\u00e9\u00e9"_s << int(Modifier::Shift);
    }

    void theSnapKeyCountsWhileItIsHeld()
    {
        QFETCH(QString, stored);
        QFETCH(int, key);
        Settings::setValue(SettingsKeys::dragModifierKey, stored);
        const Modifiers flag(static_cast<Modifier>(key));
        const Modifiers other = flag == Modifier::Shift ? Modifier::Super : Modifier::Shift;
        start();
        QVERIFY(handler_->gesture() && !overlay());
        step(other, {1000, 300});
        QVERIFY(!overlay());
        step(flag, {1000, 300});
        QVERIFY(highlighted() && highlighted()->id == halves_[1].id);
        QVERIFY(overlay()->display() == test::primaryDisplay());
        finish(other, {1000, 300});
        QVERIFY(fake_->writes().isEmpty());
        QVERIFY(!handler_->gesture());
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
        // Held when the move starts; the first move after the key was chosen learns it from
        // the desktop.
        fake_->setHeldKeys({none, {keyCode}});
        fake_->move(Stage::Started, 5, Point{150, 110});
        QCoreApplication::processEvents();
        QCOMPARE(fake_->followedKeys(), QList<int>{keyCode});
        QVERIFY(overlay());
        const auto keys = [&](bool held, Modifiers modifiers, Point at, Stage stage) {
            fake_->setHeldKeys({modifiers, held ? QList<int>{keyCode} : QList<int>{}});
            fake_->move(stage, 5, at);
            QCoreApplication::processEvents();
        };
        keys(true, Modifier::Shift, {1000, 300}, Stage::Stepped);
        QCOMPARE(highlighted()->id, halves_[1].id);
        keys(false, Modifier::Shift, {1000, 300}, Stage::Stepped);
        QVERIFY(!overlay());
        keys(false, Modifier::Shift, {1000, 300}, Stage::Finished);
        QCOMPARE(windowFrame(), Rect(100, 100, 400, 300));

        keys(false, none, {150, 110}, Stage::Started);
        QVERIFY(!overlay());
        keys(true, none, {1000, 300}, Stage::Stepped);
        QCOMPARE(highlighted()->id, halves_[1].id);
        keys(true, none, {1000, 300}, Stage::Finished);
        QCOMPARE(windowFrame(), targetOf(halves_[1], test::primaryDisplay()));
    }

    // A pointer moved by a tool that warps it sends no drag event: the release point decides.
    void withoutADragEventTheReleasePointDecides()
    {
        start(Modifier::Shift);
        QVERIFY(overlay());
        finish(Modifier::Shift, {3000, 400});
        QCOMPARE(windowFrame(), targetOf(halves_[1], test::secondDisplay()));
        QVERIFY(!handler_->gesture());
    }

    void storedAndChangedColoursReachTheOverlay()
    {
        start(Modifier::Shift);
        OverlayView* view = handler_->gesture()->overlayView();
        QVERIFY(view);
        QCOMPARE(view->normalZoneColor(), Settings::defaultZoneColors().normal);
        QCOMPARE(view->highlightZoneColor(), Settings::defaultZoneColors().highlight);
        windows_->updateZoneColors(Qt::red, Qt::green);
        QCOMPARE(view->normalZoneColor(), QColor(Qt::red));
        QCOMPARE(view->highlightZoneColor(), QColor(Qt::green));
    }

    void aWindowThatVanishesMidDragIsNotAnError()
    {
        start(Modifier::Shift);
        step(Modifier::Shift, {300, 400});
        fake_->removeWindow(5);
        step(Modifier::Shift, {310, 400});
        finish(Modifier::Shift, {310, 400});
        QVERIFY(!handler_->gesture());
        // The next gesture works as usual.
        fake_->addWindow(43, 6, Rect(0, 0, 300, 300));
        report(Stage::Started, Modifier::Shift, {50, 50}, 6);
        QVERIFY(overlay());
    }

    // A zone off every display, or no rectangle at all, moves nothing; a huge one is cut to
    // the bounds of both displays: (0, -180) to (3360, 900).
    void hostileZones_data()
    {
        QTest::addColumn<Rect>("zone");
        QTest::addColumn<Rect>("expected");
        const Rect unmoved(100, 100, 400, 300);
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
        snapAt({300, 400});
        QCOMPARE(windowFrame(), expected);
        QCOMPARE(fake_->writes().isEmpty(), expected == Rect(100, 100, 400, 300));
    }

    // With Control held as well, the zones from the one under the pointer when it went down to
    // the one under the pointer now light up together and the window fills them; letting
    // Control go, before a drag event or before the button, leaves one zone.
    void theSpanKeyFillsEveryZoneBetween()
    {
        const ZoneList tall{Zone(Rect(0, 0, 0.6, 1)), Zone(Rect(0.6, 0, 0.4, 0.5)),
                            Zone(Rect(0.6, 0.5, 0.4, 0.5))};
        windows_->updateZones(tall, test::primaryDisplay(), false, false);
        const auto spanned = [this] { return handler_->gesture()->overlayView()->spannedZones(); };
        const Modifiers both = Modifier::Shift | Modifier::Ctrl;
        start(Modifier::Shift);
        step(Modifier::Shift, {300, 400});
        step(both, {300, 400}); // Control goes down over zone 1
        QCOMPARE(spanned(), QList<QUuid>{tall[0].id});
        step(both, {1200, 800}); // zone 3
        QCOMPARE(spanned(), (QList<QUuid>{tall[0].id, tall[1].id, tall[2].id}));
        step(Modifier::Shift, {1200, 800});
        QVERIFY(spanned().isEmpty());
        QCOMPARE(highlighted()->id, tall[2].id);
        step(both, {1200, 800}); // down again, over zone 3
        step(both, {1200, 100}); // zone 2
        QCOMPARE(spanned(), (QList<QUuid>{tall[1].id, tall[2].id}));
        finish(both, {1200, 100});
        QCOMPARE(windowFrame(), Rect(864, 25, 576, 875));

        start(Modifier::Shift, {1000, 110});
        step(both, {1200, 100});
        step(both, {300, 400});
        QCOMPARE(spanned().size(), 3);
        finish(Modifier::Shift, {300, 400});
        QCOMPARE(windowFrame(), Rect(0, 25, 864, 875));
    }

    // A window Corvane snapped gets its earlier size back when a drag drops it outside every
    // zone, the pointer on the same point of its title bar; not after the user resized it, not
    // with the option off, and a window that closes is forgotten.
    void aSnappedWindowDraggedOutGetsItsSizeBack()
    {
        const WindowHandle window = FakePlatform::handle(5);
        auto dragOut = [this] {
            start(none, {360, 40}); // inside the snapped window, 40 below the display's top
            fake_->window(5)->frame->x += 40; // the window manager moves it
            step(none, {400, 40});
            finish(none, {400, 40});
        };
        snapAt({300, 400});
        QCOMPARE(windowFrame(), Rect(0, 25, 720, 875));
        dragOut();
        // The pointer was half way across the 720-wide window: it is half way across 400.
        QCOMPARE(windowFrame(), Rect(200, 25, 400, 300));
        QVERIFY(!SnappedWindows::shared().isRemembered(window));

        *fake_->window(5)->frame = Rect(100, 100, 400, 300);
        snapAt({300, 400});
        fake_->window(5)->frame->width = 700; // the user narrows it
        dragOut();
        QCOMPARE(windowFrame().size(), Size(700, 875));

        Settings::setValue(SettingsKeys::restoreSizeOnUnsnap, false);
        snapAt({300, 400});
        dragOut();
        QCOMPARE(windowFrame().size(), Size(720, 875));
        QVERIFY(!SnappedWindows::shared().isRemembered(window));

        snapAt({300, 400});
        QVERIFY(SnappedWindows::shared().isRemembered(window));
        fake_->removeWindow(5);
        QVERIFY(!SnappedWindows::shared().isRemembered(window));
    }

    // The windows on a moved edge keep the space between them, the left edge moves as the
    // right one does, and a window that sizes in steps puts the edge on one of them.
    void theWindowsOnAMovedEdgeFollowAsFarAsTheirLimitsAllow()
    {
        // Each window in its zone of a 1200 × 800 display, the first resized to `to`: every
        // frame after the decision, the resized window's first.
        const auto decide = [](const QList<Rect>& zones, double space, Rect to,
                               SizeLimits limits = {}) {
            QList<ZonedWindow> windows;
            for (const Rect& zone : zones)
                windows.append({{quint64(windows.size())},
                                zone,
                                targetFrameWithSpace(zone, Rect(0, 0, 1200, 800), space),
                                limits});
            const auto decided = NeighbourResize::decide(windows[0], to, windows.mid(1));
            QList<Rect> frames{decided.resized};
            for (const ZonedWindow& w : windows.mid(1))
                frames.append(w.frame);
            for (const auto& [window, frame] : decided.neighbours)
                frames[window.value] = frame;
            return frames;
        };
        const QList<Rect> halves{{0, 0, .5, 1}, {.5, 0, .5, 1}};
        QCOMPARE(decide(halves, 10, {10, 10, 685, 780}),
                 (QList<Rect>{{10, 10, 685, 780}, {705, 10, 485, 780}}));
        const double t = 1.0 / 3;
        QCOMPARE(decide({{t, 0, t, 1}, {0, 0, t, 1}, {2 * t, 0, t, 1}}, 0, {350, 0, 450, 800}),
                 (QList<Rect>{{350, 0, 450, 800}, {0, 0, 350, 800}, {800, 0, 400, 800}}));
        QCOMPARE(decide(halves, 0, {0, 0, 700, 800}, {{100, 0}, {100, 0}, {30, 0}}),
                 (QList<Rect>{{0, 0, 710, 800}, {710, 0, 490, 800}}));
    }

    // Through the window system: the right half follows the left one, and both stay in their
    // zones, each still given its size back when dragged out; a window resized alone leaves its
    // zone, and so does every one with the setting off.
    void theWindowBesideAResizedOneFollowsIt()
    {
        fake_->addWindow(42, 6, Rect(500, 100, 300, 200));
        const auto snapHalves = [this] {
            for (const std::uint32_t w : {5u, 6u})
                WindowSnapper::snap({w}, {test::primaryDisplay(), halves_[w - 5], int(w) - 4});
        };
        const auto resize = [this](std::uint32_t window, Rect frame) {
            fake_->resize(window, frame);
            fake_->finishResize(window);
            QCoreApplication::processEvents();
        };
        const ZonePlacements& placements = ZonePlacements::shared();
        snapHalves();
        resize(5, {0, 25, 800, 875});
        QCOMPARE(*fake_->window(6)->frame, Rect(800, 25, 640, 875));
        QCOMPARE(placements.placement({6})->frame, Rect(800, 25, 640, 875));
        resize(5, {0, 25, 800, 800});
        QVERIFY(!placements.placement({5}));
        QCOMPARE(*fake_->window(6)->frame, Rect(800, 25, 640, 875));
        QVERIFY(SnappedWindows::shared().droppedOutsideZones({6}, {640, 875}, {900, 40}));
        QCOMPARE(fake_->window(6)->frame->size(), Size(300, 200));

        snapHalves();
        Settings::setValue(SettingsKeys::resizeNeighbours, false);
        resize(5, {0, 25, 800, 875});
        QVERIFY(!placements.placement({5}));
        QCOMPARE(*fake_->window(6)->frame, Rect(720, 25, 720, 875));
    }

    // Windows of an excluded application, named in any case by either of its names, show no
    // overlay and are never snapped, by a drag or otherwise.
    void anExcludedApplicationIsLeftAlone()
    {
        // Blanks around either name count for nothing, and are not stored.
        fake_->window(5)->application = {u" xterm"_s, u"XTerm "_s};
        Settings::setExcludedApplications({u" XTERM\t"_s});
        QCOMPARE(Settings::value(SettingsKeys::excludedApplications).toStringList(),
                 QStringList{u"XTERM"_s});
        snapAt({300, 400});
        QVERIFY(fake_->writes().isEmpty());
        QCOMPARE(
            WindowSnapper::snap(FakePlatform::handle(5), {test::primaryDisplay(), halves_[0], 1}),
            SnapOutcome::Excluded);
        QVERIFY(fake_->writes().isEmpty());

        Settings::setExcludedApplications({u"xlogo"_s});
        snapAt({300, 400});
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
        fake_->setActiveWindow(5);
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
};

QTEST_MAIN(DragDropHandlerTest)
#include "tst_dragdrophandler.moc"
