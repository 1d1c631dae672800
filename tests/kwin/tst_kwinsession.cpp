// The real application in a headless KDE Plasma Wayland session: KWin with two 1280 x 800
// outputs side by side and Xwayland. A native Wayland window (this test's own executable,
// started again as a small Qt window) and an xlogo are dragged by their title bars through
// fake input, and each lands exactly on its zone.
#include "CorvaneApp.h"
#include "KWinSession.h"
#include "TestEnvironment.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QWidget>

using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

const QString nativeCaption = u"Native Wayland window"_s;
// Linux key codes.
constexpr int keyLeftCtrl = 29, keyLeftShift = 42, keyLeftMeta = 125, keyP = 25, keyZ = 44;

} // namespace

class KWinSessionTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::KWinSession> session_;

    void chord(std::initializer_list<int> keys)
    {
        for (int k : keys)
            session_->key(k, true);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
            session_->key(*it, false);
    }

    // Presses on the window's title bar and moves the pointer to `to` in steps, the button
    // still down.
    void grabAndMove(const QString& caption, const QPointF& to)
    {
        const QRectF frame = session_->windowFrame(caption);
        QVERIFY2(!frame.isEmpty(), qPrintable(caption));
        QPointF pointer(frame.center().x(), frame.top() + 14);
        session_->pointerTo(pointer);
        QTest::qWait(100);
        session_->button(true);
        for (int i = 1; i <= 12; ++i) {
            session_->pointerTo(pointer + (to - pointer) * i / 12.0);
            QTest::qWait(30);
        }
        QTest::qWait(300);
    }

    // Whether the overlay's highlight tints the screenshot at this point: the highlight
    // colour is a translucent blue over the dark desktop.
    static bool tinted(const QImage& during, const QImage& before, const QPoint& at)
    {
        const QColor a = during.pixelColor(at), b = before.pixelColor(at);
        return a.blue() - b.blue() > 8 && a != b;
    }

private slots:
    void initTestCase()
    {
        if (!test::KWinSession::isAvailable())
            QSKIP("kwin_wayland is not installed");
        test::resetStores();
        Settings::setValue(SettingsKeys::hasLaunchedBefore, true);
        // This test's own data folder, set by CTest: unset, the name would be the current folder.
        const QString data = qEnvironmentVariable("XDG_DATA_HOME");
        QVERIFY2(!data.isEmpty(), "XDG_DATA_HOME is not set: run the test through ctest");
        QDir(data).removeRecursively();
        session_ = std::make_unique<test::KWinSession>();
        QVERIFY2(session_->isRunning(), qPrintable(session_->errorString()));
        QVERIFY(
            session_->startProcess(test::CorvaneApp::binaryPath(), {u"--log-level"_s, u"info"_s}));
        QTRY_VERIFY_WITH_TIMEOUT(test::CorvaneApp::isReady(), 15000);
    }

    void cleanupTestCase() { session_.reset(); }

    // The xlogo goes to the top-right zone ("Tall") of the second output, with the snap
    // shortcut pressed during the move; the overlay shows on that output only.
    void anX11WindowSnapsWithTheSnapShortcut()
    {
        QVERIFY(session_->startProcess(u"xlogo"_s, {u"-geometry"_s, u"240x160+300+200"_s}));
        QVERIFY(session_->waitForWindow(u"xlogo"_s));
        const QImage before = session_->screenshot();
        grabAndMove(u"xlogo"_s, QPointF(2400, 200));
        chord({keyLeftMeta, keyLeftShift, keyZ});
        session_->pointerBy(QPointF(4, 0));
        QTest::qWait(600);
        const QImage during = session_->screenshot();
        session_->button(false);

        QVERIFY(!before.isNull() && during.size() == before.size());
        during.save(QDir::temp().filePath(u"corvane-kwin-overlay.png"_s));
        QVERIFY2(tinted(during, before, QPoint(2100, 50)), "no highlight on the second output");
        QVERIFY2(!tinted(during, before, QPoint(100, 50)), "an overlay on the first output");
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(u"xlogo"_s), QRectF(2048, 0, 512, 400),
                                  3000);
        QVERIFY(test::CorvaneApp::logText().contains(u"Snapping window to (2048, 0, 512, 400)"_s));
    }

    // A native Wayland window, with zones shown during every move: the bottom-right zone of
    // the first output.
    void aWaylandWindowSnapsDuringEveryMove()
    {
        Settings::setValue(SettingsKeys::snapTrigger, u"everyMove"_s);
        QVERIFY(
            session_->startProcess(QCoreApplication::applicationFilePath(), {u"--show-window"_s}));
        QVERIFY(session_->waitForWindow(nativeCaption));
        grabAndMove(nativeCaption, QPointF(1100, 650));
        session_->button(false);
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(nativeCaption), QRectF(768, 400, 512, 400),
                                  3000);
        Settings::remove(SettingsKeys::snapTrigger);
    }

    void theShortcutOpensThePreferences()
    {
        chord({keyLeftCtrl, keyLeftShift, keyLeftMeta, keyP});
        QVERIFY(session_->waitForWindow(u"Preferences"_s, 5000));
    }
};

int main(int argc, char* argv[])
{
    // Started again by the test as the native Wayland window to drag.
    if (argc > 1 && qstrcmp(argv[1], "--show-window") == 0) {
        QApplication app(argc, argv);
        QWidget window;
        window.setWindowTitle(nativeCaption);
        window.resize(320, 200);
        window.show();
        return QApplication::exec();
    }
    QCoreApplication app(argc, argv);
    KWinSessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_kwinsession.moc"
