// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "XServer.h"
#include "editor/BackdropWindow.h"
#include "editor/CustomLayoutEditor.h"
#include "editor/CustomLayoutToolbarView.h"
#include "editor/LayoutEditingSession.h"
#include "editor/ToolWindow.h"
#include "layouts/LayoutManager.h"
#include "overlay/OverlayWindow.h"
#include "overlay/ZoneManager.h"
#include "platform/x11/X11Platform.h"

#include <QApplication>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;
using corvane::test::XServer;

namespace {

constexpr xcb_keysym_t keySpace = 0x20;
constexpr xcb_keysym_t keyX = 0x78;
constexpr xcb_keysym_t keyReturn = 0xff0d;
constexpr xcb_keysym_t keyControl = 0xffe3;
constexpr xcb_keysym_t keyTab = 0xff09;
constexpr xcb_keysym_t keyRight = 0xff53;

} // namespace

// The layout editor's three windows under a real window manager, on monitors of different
// scales: where they are, their order, the keyboard, and clicks that make the window manager
// raise the clicked window.
class X11LayoutEditorTest : public QObject {
    Q_OBJECT
public:
    explicit X11LayoutEditorTest(XServer* server) : server_(server) {}

private:
    XServer* server_;
    std::unique_ptr<ZoneManager> windows_;
    std::unique_ptr<LayoutManager> layouts_;

    // Managed clients, bottom to top.
    QList<xcb_window_t> stacking()
    {
        return server_->property(server_->root(), "_NET_CLIENT_LIST_STACKING");
    }
    bool stackedBottomToTop(const QList<xcb_window_t>& windows)
    {
        const QList<xcb_window_t> order = stacking();
        qsizetype previous = -1;
        for (xcb_window_t w : windows) {
            const qsizetype at = order.indexOf(w);
            if (at <= previous)
                return false;
            previous = at;
        }
        // Nothing of anyone else's above the toolbar.
        return previous == order.size() - 1;
    }
    xcb_window_t activeWindow()
    {
        return server_->property(server_->root(), "_NET_ACTIVE_WINDOW").value(0, XCB_NONE);
    }
    void click(const QPoint& p)
    {
        QVERIFY(server_->fakeMotion(p));
        QVERIFY(server_->fakeButton(1, true));
        QTest::qWait(50);
        QVERIFY(server_->fakeButton(1, false));
    }
    void type(std::initializer_list<xcb_keysym_t> keys)
    {
        for (xcb_keysym_t key : keys) {
            QVERIFY(server_->fakeKey(key, true));
            QVERIFY(server_->fakeKey(key, false));
        }
    }

private slots:
    void initTestCase()
    {
        if (!server_)
            QSKIP("Xvfb is not installed (scripts/install-deps installs it)");
        QVERIFY2(server_->isRunning(), qPrintable(server_->errorString()));
        QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
        test::resetStores();
        Platform::install(std::make_unique<X11Platform>());
        if (QStandardPaths::findExecutable(u"xcompmgr"_s).isEmpty())
            QSKIP("xcompmgr is not installed (scripts/install-deps installs it)");
        QCOMPARE(Platform::current().displays().screens().size(), 2);
        windows_ = std::make_unique<ZoneManager>();
        layouts_ = std::make_unique<LayoutManager>(*windows_);
    }

    void cleanupTestCase()
    {
        layouts_.reset();
        windows_.reset();
    }

    // First without a compositing manager, where the overlay shows only its zones' rings and a
    // press in a zone's middle reaches the backdrop; then under one, as on most desktops.
    void theToolbarStaysInFrontAndKeepsTheKeyboard_data()
    {
        QTest::addColumn<bool>("compositor");
        QTest::newRow("no compositor") << false;
        QTest::newRow("compositor") << true;
    }

    void theToolbarStaysInFrontAndKeepsTheKeyboard()
    {
        QFETCH(bool, compositor);
        if (compositor)
            QVERIFY(server_->startProcess(u"xcompmgr"_s, {}) != 0);
        QTRY_COMPARE_WITH_TIMEOUT(Platform::current().compositing().isActive(), compositor, 10000);
        // Someone else's window, which the editor must cover.
        const auto xlogo = server_->startClient(u"xlogo"_s, {}, u"xlogo"_s);
        QVERIFY(xlogo);

        int closed = 0;
        LayoutEditingSession::of(*layouts_).startEditing(std::nullopt);
        CustomLayoutEditor editor(*layouts_, [&] { ++closed; });
        editor.showWindow();
        QTRY_VERIFY(LayoutEditingSession::of(*layouts_).isEditing() && windows_->overlayWindow());

        const auto backdrop = xcb_window_t(editor.window()->winId());
        const auto overlay = xcb_window_t(windows_->overlayWindow()->winId());
        const auto toolbar = xcb_window_t(editor.toolbarWindow()->winId());
        for (xcb_window_t w : {backdrop, overlay, toolbar})
            QVERIFY(server_->waitForViewable(w));
        QTRY_VERIFY(stackedBottomToTop({xlogo->window, backdrop, overlay, toolbar}));
        QTRY_COMPARE(activeWindow(), toolbar);
        // In device pixels at each monitor's scale: the backdrop over both monitors, the overlay
        // over the primary one, the toolbar centred 30 points below its top.
        QCOMPARE(server_->clientGeometry(backdrop), std::optional(QRect(0, 0, 4800, 1800)));
        QCOMPARE(server_->clientGeometry(overlay), std::optional(QRect(0, 0, 2880, 1800)));
        QCOMPARE(server_->clientGeometry(toolbar), std::optional(QRect(440, 60, 2000, 140)));

        // A press in the middle of the new zone (0.25 to 0.75 across), beside its number, selects
        // it and drags it a tenth of the display to the right; the window manager raises the
        // overlay, the editor puts the toolbar back in front.
        CustomLayoutToolbarView* bar = editor.toolbarView();
        click(QPoint(1800, 900));
        QTRY_VERIFY(bar->deleteZoneButton()->isEnabled());
        QVERIFY(server_->fakeButton(1, true));
        QVERIFY(server_->fakeMotion(QPoint(2088, 900)));
        QVERIFY(server_->fakeButton(1, false));
        QTRY_VERIFY(qAbs(LayoutEditingSession::of(*layouts_).editingZones()->first().frame.x -
                         0.35) < 1e-9);
        QTest::qWait(200);
        QTRY_VERIFY(stackedBottomToTop({backdrop, overlay, toolbar}));
        // A press on the backdrop, on the other monitor.
        click(QPoint(3800, 900));
        QTest::qWait(200);
        QTRY_VERIFY(stackedBottomToTop({backdrop, overlay, toolbar}));
        QCOMPARE(activeWindow(), toolbar);

        // Keys reach the name field, and Ctrl+Return saves.
        type({keySpace, keyX});
        QTRY_COMPARE(bar->layoutName(), u"New Layout x"_s);
        // Tab takes the keys on to the zone, and the right arrow moves it by 1 % of the display.
        const Rect before = LayoutEditingSession::of(*layouts_).editingZones()->first().frame;
        type({keyTab, keyRight});
        QTRY_VERIFY(bar->zonesHaveKeyboard());
        QTRY_VERIFY(qAbs(LayoutEditingSession::of(*layouts_).editingZones()->first().frame.x -
                         (before.x + 0.01)) < 1e-9);
        QVERIFY(server_->fakeKey(keyControl, true));
        type({keyReturn});
        QVERIFY(server_->fakeKey(keyControl, false));
        QTRY_COMPARE(layouts_->customLayouts().size(), compositor ? 2 : 1); // one a row
        QCOMPARE(layouts_->customLayouts().last().name, u"New Layout x"_s);
        QTRY_COMPARE(closed, 1);
        QVERIFY(server_->waitForWindowGone(toolbar));
        QVERIFY(server_->waitForWindowGone(backdrop));
        QVERIFY(!windows_->overlayWindow());
        QVERIFY(server_->killProcess(xlogo->pid));
    }
};

int main(int argc, char* argv[])
{
    std::unique_ptr<XServer> server;
    if (XServer::isAvailable()) {
        XServer::Options options;
        options.screenSize = QSize(4800, 1800);
        server = std::make_unique<XServer>(options);
        // The primary monitor on the left, with Xvfb's output, at scale 2 (1440 x 900 points);
        // one to its right at scale 1.5 (1280 x 720 points).
        if (server->isRunning()) {
            server->setMonitor(u"Left"_s, QRect(0, 0, 2880, 1800), true, u"screen"_s);
            server->setMonitor(u"Right"_s, QRect(2880, 0, 1920, 1080));
        }
        qputenv("QT_QPA_PLATFORM", "xcb");
        qputenv("QT_SCREEN_SCALE_FACTORS", "Left=2;Right=1.5");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    X11LayoutEditorTest test(server.get());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11layouteditor.moc"
