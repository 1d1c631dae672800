#include "TestEnvironment.h"
#include "XServer.h"
#include "platform/x11/X11Accessibility.h"
#include "platform/x11/X11Platform.h"

#include <QGuiApplication>
#include <QRasterWindow>
#include <QTest>

using namespace corvane;
using corvane::test::XServer;

// This process's own toolkit windows, on the X server the toolkit itself is connected to: the
// server is started before the application object, so the test has its own main.
class X11OwnWindowsTest : public QObject {
    Q_OBJECT
public:
    explicit X11OwnWindowsTest(XServer* server) : server_(server) {}

private:
    XServer* server_;
    std::unique_ptr<X11Platform> platform_;
    QList<MouseEvent> events_;

    void click(const QPoint& p)
    {
        QVERIFY(server_->fakeMotion(p));
        QVERIFY(server_->fakeButton(1, true));
        QTest::qWait(100);
        QVERIFY(server_->fakeMotion(p + QPoint(40, 30)));
        QTest::qWait(100);
        QVERIFY(server_->fakeButton(1, false));
    }

private slots:
    void initTestCase()
    {
        if (!server_)
            QSKIP("Xvfb is not installed (scripts/install-deps installs it)");
        QVERIFY2(server_->isRunning(), qPrintable(server_->errorString()));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        platform_ = std::make_unique<X11Platform>();
        platform_->inputMonitor().addGlobalMonitor(
            EventMask::leftMouseDown | EventMask::leftMouseUp | EventMask::leftMouseDragged,
            [this](const MouseEvent& e) { events_.append(e); });
    }

    void cleanupTestCase() { platform_.reset(); }

    void pressesOnOwnWindowsAreNotDelivered()
    {
        // A managed window and an unmanaged one (as popups and overlays are).
        QRasterWindow managed;
        managed.setGeometry(400, 300, 300, 200);
        managed.show();
        QRasterWindow unmanaged;
        unmanaged.setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
        unmanaged.setGeometry(1200, 300, 300, 200);
        unmanaged.show();
        // Mapped, and the managed one framed by the window manager.
        QVERIFY(server_->waitForViewable(xcb_window_t(managed.winId())));
        QVERIFY(server_->waitForViewable(xcb_window_t(unmanaged.winId())));
        QTRY_VERIFY(server_->frameGeometry(xcb_window_t(managed.winId()))->height() >
                    managed.height());

        events_.clear();
        click(managed.geometry().center());
        click(unmanaged.geometry().center());
        QTest::qWait(200);
        QVERIFY(events_.isEmpty());

        click(QPoint(2500, 800));
        QTRY_COMPARE(events_.size(), 3);
        QCOMPARE(events_.first().type, MouseEventType::LeftMouseDown);
        QCOMPARE(events_.last().type, MouseEventType::LeftMouseUp);
    }

    void aWindowTransparentForInputIsSeenThrough()
    {
        const auto xlogo =
            server_->startClient(QStringLiteral("xlogo"), {}, QStringLiteral("xlogo"));
        QVERIFY(xlogo);
        const QRect client = *server_->clientGeometry(xlogo->window);

        // An overlay like the one drawn while dragging, right over the client.
        QRasterWindow overlay;
        overlay.setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint |
                         Qt::WindowTransparentForInput | Qt::WindowStaysOnTopHint);
        overlay.setGeometry(client.adjusted(-50, -50, 50, 50));
        overlay.show();
        QVERIFY(server_->waitForViewable(xcb_window_t(overlay.winId())));

        Accessibility& ax = platform_->accessibility();
        const auto element = ax.elementAtPosition(
            ax.systemWide(), Point{double(client.center().x()), double(client.center().y())});
        QVERIFY(element);
        const auto window = ax.copyAttribute(*element, AXAttribute::window);
        QCOMPARE(window.error, AXError::Success);
        QCOMPARE(X11Accessibility::windowOf(std::get<ElementHandle>(window.value)),
                 std::optional(xlogo->window));
    }
};

int main(int argc, char* argv[])
{
    std::unique_ptr<XServer> server;
    if (XServer::isAvailable()) {
        server = std::make_unique<XServer>();
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    X11OwnWindowsTest test(server.get());
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11ownwindows.moc"
