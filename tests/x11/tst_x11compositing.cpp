// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "XServer.h"
#include "overlay/OverlayView.h"
#include "overlay/OverlayWindow.h"
#include "overlay/ShapedPainting.h"
#include "platform/x11/X11Platform.h"
#include "settings/Settings.h"

#include <QApplication>
#include <QPainter>
#include <QStandardPaths>
#include <QTest>
#include <xcb/xcb.h>

using namespace corvane;
using namespace Qt::StringLiterals;
using corvane::test::XServer;

namespace {

constexpr QRgb desktopColour = qRgb(0x3b, 0x4b, 0x5e);
constexpr QRgb windowColour = qRgb(0xc0, 0x30, 0x30);

// Another application's window, in a plain colour.
class PlainWindow : public QWidget {
public:
    PlainWindow()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint)
    {}

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), windowColour); }
};

int channelDistance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// The tint of the translucent look (white at 20 %) over a desktop pixel.
QRgb tinted(QRgb desktop)
{
    const auto blend = [](int c) { return int(std::lround(c * 0.8 + 255 * 0.2)); };
    return qRgb(blend(qRed(desktop)), blend(qGreen(desktop)), blend(qBlue(desktop)));
}

} // namespace

// What the screen really shows of a drag overlay on an X server with and without a compositing
// manager (xcompmgr), read back from the root window.
class X11CompositingTest : public QObject {
    Q_OBJECT
public:
    explicit X11CompositingTest(XServer* server) : server_(server) {}

private:
    XServer* server_;
    X11Platform* platform_ = nullptr;
    std::unique_ptr<PlainWindow> other_;
    qint64 compositor_ = 0;
    QList<QRgb> initialDesktop_;

    // Two halves of the display, the right one highlighted: the shapes are inset by 10 points.
    const Zone left{Rect(0, 0, 0.5, 1)};
    const Zone right{Rect(0.5, 0, 0.5, 1)};
    const QRect screen{0, 0, 1280, 800};

    // Points outside every zone: the margin at the left edge, the gap between the zones (where
    // the other window lies) and the margin at the bottom.
    const QPoint gap{640, 400};
    const QList<QPoint> outside{QPoint(4, 300), gap, QPoint(300, 796)};
    // Points inside each zone, away from the labels at their centres.
    const QPoint inLeft{320, 150};
    const QPoint inRight{960, 150};
    // On the plain zone's ring, drawn alone where no compositor runs.
    const QPoint onLeftRing{10, 150};
    // Within the highlighted zone's thick ring, a few pixels inside its right edge.
    const QPoint onRightRing{1264, 150};

    QRgb pixel(const QPoint& p)
    {
        xcb_connection_t* c = server_->connection();
        const auto cookie = xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, server_->root(),
                                          std::int16_t(p.x()), std::int16_t(p.y()), 1, 1, ~0u);
        xcb_get_image_reply_t* reply = xcb_get_image_reply(c, cookie, nullptr);
        if (!reply)
            return 0;
        QRgb value = 0;
        if (xcb_get_image_data_length(reply) >= 4) {
            const std::uint8_t* d = xcb_get_image_data(reply);
            value = qRgb(d[2], d[1], d[0]);
        }
        free(reply);
        return value;
    }

    QList<QRgb> pixels(const QList<QPoint>& points)
    {
        QList<QRgb> result;
        for (const QPoint& p : points)
            result.append(pixel(p));
        return result;
    }

    std::unique_ptr<OverlayWindow> showOverlay()
    {
        const corvane::Display display = platform_->displays().screens().first();
        auto window =
            std::make_unique<OverlayWindow>(display, display.frame, OverlayWindow::Level::Drag);
        window->setIgnoresMouseEvents(true);
        auto view = std::make_unique<OverlayView>();
        view->setCustomZones(ZoneList{left, right});
        view->setHighlightedZone(right);
        window->setContentView(std::move(view));
        window->orderFront();
        return window;
    }

    // What the screen shows outside the zones equals the desktop as it was.
    bool showsDesktopOutside(const QList<QRgb>& before) { return pixels(outside) == before; }
    // What the screen shows outside the zones is the desktop under the tint, and in the gap
    // beside the highlighted zone under its glow as well.
    bool showsTintOutside(const QList<QRgb>& before)
    {
        const QList<QRgb> now = pixels(outside);
        for (qsizetype i = 0; i < now.size(); ++i) {
            const bool inGlow = outside[i] == gap;
            if (inGlow ? now[i] == before[i] || qBlue(now[i]) <= qBlue(tinted(before[i]))
                       : channelDistance(now[i], tinted(before[i])) > 3)
                return false;
        }
        return true;
    }

    // Starts xcompmgr and waits until Corvane has noticed it and it has painted the screen.
    // It paints the desktop itself (grey, as the root has no background picture it can read),
    // so what lies under the overlay is read while it runs.
    bool startCompositor()
    {
        compositor_ = server_->startProcess(u"xcompmgr"_s, {});
        if (compositor_ == 0)
            return false;
        if (!QTest::qWaitFor([this] { return platform_->compositing().isActive(); }, 10000))
            return false;
        return QTest::qWaitFor(
            [this] {
                const QList<QRgb> first = pixels(outside);
                QTest::qWait(200);
                return first == pixels(outside) && first != initialDesktop_;
            },
            10000);
    }
    bool stopCompositor()
    {
        const bool stopped = server_->killProcess(compositor_);
        compositor_ = 0;
        return stopped;
    }

private slots:
    void initTestCase()
    {
        if (!server_)
            QSKIP("Xvfb is not installed (scripts/install-deps installs it)");
        QVERIFY2(server_->isRunning(), qPrintable(server_->errorString()));
        if (QStandardPaths::findExecutable(u"xcompmgr"_s).isEmpty())
            QSKIP("xcompmgr is not installed (scripts/install-deps installs it)");
        QVERIFY(server_->run(u"xsetroot"_s, {u"-solid"_s, u"#3b4b5e"_s}));
        auto platform = std::make_unique<X11Platform>();
        platform_ = platform.get();
        Platform::install(std::move(platform));

        // Another window, showing in the gap between the zones.
        other_ = std::make_unique<PlainWindow>();
        other_->setGeometry(600, 300, 80, 200);
        other_->show();
        QVERIFY(server_->waitForViewable(xcb_window_t(other_->winId())));
        QTRY_COMPARE(pixel(QPoint(640, 400)), windowColour);
        QCOMPARE(pixel(QPoint(4, 300)), desktopColour);
        initialDesktop_ = pixels(outside);
    }

    void cleanupTestCase()
    {
        if (compositor_)
            stopCompositor();
        other_.reset();
        Platform::install(nullptr);
    }

    // Without a compositor only the zones show; a compositor makes the overlay translucent; one
    // that stops or starts while an overlay is up, or between two drags, switches the mode.
    void theOverlayFollowsTheCompositor()
    {
        QVERIFY(!platform_->compositing().isActive());
        QVERIFY(startCompositor());
        const QList<QRgb> composited = pixels(outside);
        auto overlay = showOverlay();
        QVERIFY(!overlay->isShaped());
        QTRY_VERIFY_WITH_TIMEOUT(showsTintOutside(composited), 10000);
        // The zones are translucent too: the plain one lighter than the tint over the desktop,
        // the highlighted one bluer.
        const QRgb plain = pixel(inLeft);
        const QRgb highlighted = pixel(inRight);
        QVERIFY(qRed(plain) > qRed(tinted(composited.first())) && qRed(plain) < 250);
        QVERIFY(qBlue(highlighted) > qRed(highlighted) + 20);

        // The compositor stops while the overlay is up.
        QVERIFY(stopCompositor());
        QTRY_VERIFY_WITH_TIMEOUT(!platform_->compositing().isActive(), 10000);
        QVERIFY(overlay->isShaped());
        QTRY_VERIFY_WITH_TIMEOUT(showsDesktopOutside(initialDesktop_), 10000);
        QTRY_COMPARE(pixel(onLeftRing), qRgb(255, 255, 255));
        overlay.reset();

        // The next drag's overlay, with no compositor: the plain zone is a ring with the desktop
        // inside, the highlighted one a thick ring in the highlight colour with the desktop (and
        // the dragged window) inside, and nothing else shows: no black sheet, no tint.
        const QList<QRgb> before = pixels(outside);
        overlay = showOverlay();
        QVERIFY(overlay->isShaped());
        QTRY_COMPARE(pixel(onLeftRing), qRgb(255, 255, 255));
        QCOMPARE(pixel(inLeft), desktopColour);
        const QRgb highlight = opaque(Settings::defaultZoneColors().highlight).rgb();
        QTRY_VERIFY(channelDistance(pixel(onRightRing), highlight) <= 1);
        QCOMPARE(pixel(inRight), desktopColour);
        QVERIFY(showsDesktopOutside(before));
        overlay.reset();

        // And the one after, with a compositor started in between.
        QVERIFY(startCompositor());
        overlay = showOverlay();
        QVERIFY(!overlay->isShaped());
        QTRY_VERIFY_WITH_TIMEOUT(showsTintOutside(composited), 10000);
    }
};

int main(int argc, char* argv[])
{
    std::unique_ptr<XServer> server;
    if (XServer::isAvailable()) {
        XServer::Options options;
        options.screenSize = QSize(1280, 800);
        options.windowManager = false;
        server = std::make_unique<XServer>(options);
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    X11CompositingTest test(server.get());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11compositing.moc"
