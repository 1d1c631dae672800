#include "CorvaneApp.h"
#include "TestEnvironment.h"
#include "XServer.h"

#include <QTest>

using namespace corvane;

Q_DECLARE_METATYPE(QRect)

namespace {

// "Tall" (a main column, two zones stacked beside it) on both displays of the scene, as window
// frames on the root: no panel takes room from either display.
const QRect left1(0, 0, 864, 900), left2(864, 0, 576, 450), left3(864, 450, 576, 450);
const QRect right1(1440, 0, 1152, 1080), right2(2592, 0, 768, 540), right3(2592, 540, 768, 540);

} // namespace

// Snapping the active window without the mouse, in the real application on a private X server
// with two monitors (1440 x 900 primary, 1920 x 1080 to its right), openbox and a tray: the
// keyboard shortcuts.
class ScriptingTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::XServer> x_;
    std::unique_ptr<test::CorvaneApp> app_;
    test::XServer::Client logo_;

    QRect logoFrame() { return x_->frameGeometry(logo_.window).value_or(QRect()); }
    void activateLogo()
    {
        x_->xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                     QString::number(logo_.window)});
    }

private slots:
    void initTestCase()
    {
        if (!test::XServer::isAvailable())
            QSKIP("Xvfb is not installed");
        test::CorvaneApp::Scene scene;
        const QString error = test::CorvaneApp::startScene(scene);
        x_ = std::move(scene.server);
        app_ = std::move(scene.app);
        logo_ = scene.logo;
        QVERIFY2(error.isEmpty(), qPrintable(error));
        activateLogo();
    }

    void cleanupTestCase()
    {
        app_.reset();
        x_.reset();
    }

    // Each press puts the focused window exactly on its zone: by number on the window's
    // display, then step by step on across to the right display, round from its last zone back
    // to the left one, and back.
    void theShortcutsMoveTheActiveWindow_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("zone 1") << "ctrl+super+1" << left1;
        QTest::newRow("next") << "ctrl+super+Right" << left2;
        QTest::newRow("next again") << "ctrl+super+Right" << left3;
        QTest::newRow("on to the right display") << "ctrl+super+Right" << right1;
        QTest::newRow("zone 3 of the right display") << "ctrl+super+3" << right3;
        QTest::newRow("round to the left display") << "ctrl+super+Right" << left1;
        QTest::newRow("previous: back to the right display") << "ctrl+super+Left" << right3;
        QTest::newRow("zone 2") << "ctrl+super+2" << right2;
    }

    void theShortcutsMoveTheActiveWindow()
    {
        QFETCH(QString, keys);
        QFETCH(QRect, frame);
        QVERIFY(x_->xdotool({QStringLiteral("key"), keys}));
        QTRY_COMPARE_WITH_TIMEOUT(logoFrame(), frame, 3000);
    }

    // A zone the display's layout does not have moves nothing.
    void aMissingZoneChangesNothing()
    {
        const QRect before = logoFrame();
        const int refusals = test::CorvaneApp::logCount(QStringLiteral("No snap to zone 7"));
        QVERIFY(x_->xdotool({QStringLiteral("key"), QStringLiteral("ctrl+super+7")}));
        QTRY_COMPARE_WITH_TIMEOUT(test::CorvaneApp::logCount(QStringLiteral("No snap to zone 7")),
                                  refusals + 1, 3000);
        QCOMPARE(logoFrame(), before);
    }
};

QTEST_GUILESS_MAIN(ScriptingTest)
#include "tst_scripting.moc"
