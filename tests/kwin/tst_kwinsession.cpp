// SPDX-License-Identifier: GPL-3.0-or-later
// The real application in a headless KDE Plasma Wayland session (two 1280 x 800 outputs,
// Xwayland), driven through fake input as users act; targets come from the layout file and
// KWin's usable areas. The native window is this executable, started again as a Qt window.
#include "CorvaneApp.h"
#include "KWinSession.h"
#include "TestEnvironment.h"
#include "models/Layouts.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QApplication>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDir>
#include <QJsonArray>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>
#include <csignal>

using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

const QString nativeCaption = u"Native Wayland window"_s;
// Linux key codes.
constexpr int keyLeftCtrl = 29, keyLeftShift = 42, keyLeftMeta = 125, keyP = 25, keyZ = 44,
              keyX = 45, key1 = 2, keyRight = 106, keyPageDown = 109, keyPageUp = 104;

enum class Trigger { SnapShortcut, EveryMove };

} // namespace

class KWinSessionTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<test::KWinSession> session_;
    qint64 corvane_ = 0;
    qint64 nativeWindow_ = 0;
    QPointF pointer_;

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
        pointer_ = QPointF(frame.center().x(), frame.top() + 14);
        session_->pointerTo(pointer_);
        QTest::qWait(100);
        session_->button(true);
        moveTo(to);
        QTest::qWait(300);
    }

    void moveTo(const QPointF& to)
    {
        const QPointF from = pointer_;
        for (int i = 1; i <= 12; ++i) {
            session_->pointerTo(from + (to - from) * i / 12.0);
            QTest::qWait(30);
        }
        pointer_ = to;
    }

    // Runs the command line in the session; what it printed.
    QString corvane(const QStringList& arguments)
    {
        QProcess command;
        command.setProcessEnvironment(session_->environment());
        command.start(test::CorvaneApp::binaryPath(), arguments);
        command.waitForFinished(10000);
        return QString::fromUtf8(command.readAllStandardOutput());
    }

    // KWin's usable area of each output, as a window is placed in it.
    QList<QRectF> outputAreas()
    {
        const QJsonArray areas =
            session_
                ->evaluate(u"(function () { var r = []; for (var i = 0; i < workspace.numScreens; "
                           "++i) { var a = workspace.clientArea(KWin.MaximizeArea, i, "
                           "workspace.currentDesktop); r.push([a.x, a.y, a.width, a.height]); } "
                           "return r; })()"_s)
                .toArray();
        QList<QRectF> result;
        for (const QJsonValue& a : areas) {
            const QJsonArray r = a.toArray();
            result.append(
                QRectF(r[0].toDouble(), r[1].toDouble(), r[2].toDouble(), r[3].toDouble()));
        }
        return result;
    }

    // Each output shows the built-in "Tall" layout until another is chosen.
    static ZoneList tallZones()
    {
        for (const ScreenLayout& layout : allLayouts()) {
            if (layout.name == u"Tall")
                return layout.zones;
        }
        return {};
    }

    static QString describe(const QRectF& r)
    {
        return u"%1,%2 %3x%4"_s.arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }

    static QRectF frameIn(const Zone& zone, const QRectF& area)
    {
        const Rect& f = zone.frame;
        return QRectF(
            QPointF(qRound(area.x() + f.x * area.width()), qRound(area.y() + f.y * area.height())),
            QPointF(qRound(area.x() + (f.x + f.width) * area.width()),
                    qRound(area.y() + (f.y + f.height) * area.height())));
    }

    // The frame of the zone a release at `point` fills: of the output under it, the zone whose
    // centre is nearest.
    QRectF zoneFrameAt(const QPointF& point)
    {
        for (const QRectF& area : outputAreas()) {
            if (!area.contains(point))
                continue;
            QRectF best;
            double distance = 1e9;
            for (const Zone& zone : tallZones()) {
                const QRectF frame = frameIn(zone, area);
                const double d = QLineF(frame.center(), point).length();
                if (d < distance) {
                    best = frame;
                    distance = d;
                }
            }
            return best;
        }
        return {};
    }

    // The numbered zone (from 1, in layout order) of the output with that index.
    QRectF zoneFrame(int output, int number)
    {
        return frameIn(tallZones().at(number - 1), outputAreas().at(output));
    }

    // Whether KWin shows the window in `zone`: exactly, or, for a window that sizes itself in
    // steps, centred within a step of it.
    bool fillsZone(const QString& caption, const QRectF& zone, bool steps)
    {
        const QRectF f = session_->windowFrame(caption);
        if (!steps)
            return f == zone;
        const double left = f.left() - zone.left(), right = zone.right() - f.right();
        const double top = f.top() - zone.top(), bottom = zone.bottom() - f.bottom();
        return zone.contains(f) && std::abs(left - right) <= 1 && std::abs(top - bottom) <= 1 &&
               zone.width() - f.width() < 20 && zone.height() - f.height() < 20;
    }

    // KDE's shortcut service: what it keeps of Corvane's shortcuts.
    QStringList corvaneShortcuts()
    {
        const QDBusReply<QStringList> names = session_->bus().call(QDBusMessage::createMethodCall(
            u"org.kde.kglobalaccel"_s, u"/component/kwin"_s, u"org.kde.kglobalaccel.Component"_s,
            u"shortcutNames"_s));
        return names.value().filter(u"corvane-"_s);
    }

    bool scriptLoaded()
    {
        QDBusMessage call = QDBusMessage::createMethodCall(
            u"org.kde.KWin"_s, u"/Scripting"_s, u"org.kde.kwin.Scripting"_s, u"isScriptLoaded"_s);
        call << u"corvane"_s;
        const QDBusReply<bool> loaded = session_->bus().call(call);
        return loaded.isValid() && loaded.value();
    }

    // Corvane's script files anywhere in the session's runtime folder.
    QStringList scriptFiles() const
    {
        const QString run = session_->environment().value(u"XDG_RUNTIME_DIR"_s);
        QStringList files;
        for (const QString& folder : {run, run + u"/corvane"_s}) {
            for (const QString& name :
                 QDir(folder).entryList({u"corvane-kwin-*.js"_s}, QDir::Files))
                files << folder + u'/' + name;
        }
        return files;
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
        corvane_ =
            session_->startProcess(test::CorvaneApp::binaryPath(), {u"--log-level"_s, u"info"_s});
        QVERIFY(corvane_);
        QTRY_VERIFY_WITH_TIMEOUT(test::CorvaneApp::isReady(), 15000);
        nativeWindow_ =
            session_->startProcess(QCoreApplication::applicationFilePath(), {u"--show-window"_s});
        QVERIFY(nativeWindow_);
        QVERIFY(session_->startProcess(u"xterm"_s, {u"-geometry"_s, u"60x15+300+300"_s}));
        QVERIFY(session_->waitForWindow(nativeCaption));
        QVERIFY(session_->waitForWindow(u"xterm"_s));
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
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(u"xlogo"_s), zoneFrame(1, 2), 3000);
    }

    // The zones are shown with the pointer in one zone, the pointer crosses others (on one
    // output or from one to the other), and the window fills the one zone under the release.
    void aWindowDraggedAcrossZonesFillsTheZoneUnderTheRelease_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<Trigger>("trigger");
        QTest::addColumn<QList<QPointF>>("path");
        QTest::addColumn<bool>("steps");
        QTest::newRow("Wayland, shortcut, first output")
            << nativeCaption << Trigger::SnapShortcut
            << QList<QPointF>{{1100, 150}, {300, 400}, {1100, 650}} << false;
        QTest::newRow("Wayland, every move, first output to second")
            << nativeCaption << Trigger::EveryMove
            << QList<QPointF>{{300, 400}, {1600, 400}, {2380, 650}} << false;
        QTest::newRow("X11, shortcut, second output")
            << u"xlogo"_s << Trigger::SnapShortcut
            << QList<QPointF>{{2380, 650}, {2380, 150}, {1600, 400}} << false;
        QTest::newRow("X11 in size steps, every move, second output to first")
            << u"xterm"_s << Trigger::EveryMove
            << QList<QPointF>{{1600, 400}, {1100, 650}, {1100, 150}} << true;
    }

    void aWindowDraggedAcrossZonesFillsTheZoneUnderTheRelease()
    {
        QFETCH(QString, caption);
        QFETCH(Trigger, trigger);
        QFETCH(QList<QPointF>, path);
        QFETCH(bool, steps);
        if (trigger == Trigger::EveryMove)
            Settings::setValue(SettingsKeys::snapTrigger, u"everyMove"_s);
        grabAndMove(caption, path.first());
        if (trigger == Trigger::SnapShortcut)
            chord({keyLeftMeta, keyLeftShift, keyZ});
        for (const QPointF& point : path.mid(1))
            moveTo(point);
        QTest::qWait(200);
        session_->button(false);
        Settings::remove(SettingsKeys::snapTrigger);
        const QRectF zone = zoneFrameAt(path.last());
        QVERIFY(!zone.isEmpty());
        QTRY_VERIFY2_WITH_TIMEOUT(
            fillsZone(caption, zone, steps),
            qPrintable(caption + u" is not in the zone under the release, "_s + describe(zone)),
            3000);
    }

    // The span shortcut pressed during the move spans from the zone under the pointer then.
    void theSpanShortcutFillsTheZonesFromWhereItWasPressed()
    {
        grabAndMove(nativeCaption, QPointF(300, 400));
        chord({keyLeftMeta, keyLeftShift, keyZ});
        moveTo(QPointF(1100, 150));
        chord({keyLeftMeta, keyLeftShift, keyX});
        moveTo(QPointF(1100, 650));
        QTest::qWait(200);
        session_->button(false);
        const QRectF spanned = zoneFrameAt({1100, 150}).united(zoneFrameAt({1100, 650}));
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(nativeCaption), spanned, 3000);
    }

    // Ctrl+Super+1, Ctrl+Super+Right and the command line move the window KWin has active.
    void theActiveWindowSnapsFromTheKeyboardAndTheCommandLine()
    {
        const QRectF start = session_->windowFrame(nativeCaption);
        const int output = start.center().x() < 1280 ? 0 : 1;
        // A click on the title bar makes it the active window.
        session_->pointerTo(QPointF(start.center().x(), start.top() + 14));
        session_->button(true);
        session_->button(false);
        QTest::qWait(300);
        chord({keyLeftCtrl, keyLeftMeta, key1});
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(nativeCaption), zoneFrame(output, 1), 3000);
        chord({keyLeftCtrl, keyLeftMeta, keyRight});
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(nativeCaption), zoneFrame(output, 2), 3000);
        QProcess command;
        command.setProcessEnvironment(session_->environment());
        command.start(test::CorvaneApp::binaryPath(), {u"--snap-active"_s, u"next"_s});
        QVERIFY(command.waitForFinished(10000));
        QCOMPARE(command.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(nativeCaption), zoneFrame(output, 3), 3000);
    }

    // Closed and opened again, the window opens in its zone; a second window of the application
    // opens there too, and Ctrl+Super+Page Down and Page Up switch between them.
    void aReopenedWindowOpensInItsZoneAndTheWindowsOfTheZoneTakeTurns()
    {
        const QRectF zone = session_->windowFrame(nativeCaption);
        ::kill(pid_t(nativeWindow_), SIGTERM);
        QTRY_VERIFY_WITH_TIMEOUT(session_->windowFrame(nativeCaption).isEmpty(), 5000);
        const QString app = QCoreApplication::applicationFilePath();
        nativeWindow_ = session_->startProcess(app, {u"--show-window"_s});
        QVERIFY(session_->waitForWindow(nativeCaption));
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(nativeCaption), zone, 3000);
        const QString second = u"Second native window"_s;
        const qint64 secondWindow = session_->startProcess(app, {u"--show-window"_s, second});
        QVERIFY(session_->waitForWindow(second));
        QTRY_COMPARE_WITH_TIMEOUT(session_->windowFrame(second), zone, 3000);
        const auto active = [&] {
            return session_->evaluate(u"workspace.activeClient.caption"_s).toString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(active(), second, 3000);
        chord({keyLeftCtrl, keyLeftMeta, keyPageDown});
        QTRY_COMPARE_WITH_TIMEOUT(active(), nativeCaption, 3000);
        chord({keyLeftCtrl, keyLeftMeta, keyPageUp});
        QTRY_COMPARE_WITH_TIMEOUT(active(), second, 3000);
        ::kill(pid_t(secondWindow), SIGTERM);
        QTRY_VERIFY_WITH_TIMEOUT(session_->windowFrame(second).isEmpty(), 5000);
    }

    // With Halves on the second output, widening the left window with KWin's own resize
    // ("Resize Window": the pointer moves the frame's bottom-right corner until a click) narrows
    // the right one during the resize; after it the two meet where the edge was let go, the far
    // edges where they were.
    void theWindowBesideAResizedOneFollowsIt()
    {
        corvane({u"--apply-layout"_s, u"Halves"_s, u"--display"_s, u"2"_s});
        const QStringList captions{u"xlogo"_s, nativeCaption};
        for (int zone = 1; zone <= 2; ++zone) {
            session_->evaluate(u"(function () { workspace.clientList().forEach(function (c) { if "
                               "(c.caption == '%1') { c.frameGeometry = { x: 1500, y: 100, "
                               "width: 300, height: 200 }; workspace.activeClient = c; } }); "
                               "return 0; })()"_s.arg(captions[zone - 1]));
            QTest::qWait(300);
            corvane({u"--snap-active"_s, QString::number(zone)});
            QTRY_VERIFY_WITH_TIMEOUT(session_->windowFrame(captions[zone - 1]).width() > 400, 3000);
        }
        const QRectF left = session_->windowFrame(captions[0]);
        const QRectF right = session_->windowFrame(captions[1]);
        const auto meet = [&] {
            const QRectF l = session_->windowFrame(captions[0]);
            const QRectF r = session_->windowFrame(captions[1]);
            return l.width() > left.width() + 50 && l.left() == left.left() &&
                   r.left() == l.right() && r.right() == right.right();
        };
        // A click on its title bar makes it the active window, the one KWin resizes.
        session_->pointerTo(QPointF(left.center().x(), left.top() + 14));
        session_->button(true);
        session_->button(false);
        QTest::qWait(200);
        session_->evaluate(u"(function () { workspace.slotWindowResize(); return 0; })()"_s);
        for (int i = 0; i < 10; ++i) {
            QTest::qWait(30);
            session_->pointerBy(QPointF(10, 0));
        }
        const bool followed = QTest::qWaitFor(meet, 3000);
        session_->button(true);
        session_->button(false);
        QVERIFY(followed);
        const auto frames = [&] {
            return describe(session_->windowFrame(captions[0])) + u" and "_s +
                   describe(session_->windowFrame(captions[1]));
        };
        QTRY_VERIFY2_WITH_TIMEOUT(meet(), qPrintable(frames()), 3000);
    }

    void theShortcutOpensThePreferences()
    {
        chord({keyLeftCtrl, keyLeftShift, keyLeftMeta, keyP});
        QVERIFY(session_->waitForWindow(u"Preferences"_s, 5000));
    }

    // A choice holds on the KWin desktop shown when it is made; a desktop without one uses the
    // display's.
    void aChoiceHoldsOnTheDesktopItWasMadeOn()
    {
        const auto kwin = [&](const QString& path, const QString& interface, const QString& method,
                              const QVariantList& arguments) {
            QDBusMessage call =
                QDBusMessage::createMethodCall(u"org.kde.KWin"_s, path, interface, method);
            call.setArguments(arguments);
            return session_->bus().call(call).type() == QDBusMessage::ReplyMessage;
        };
        // The first display's layout, once Corvane has heard that the desktop is shown.
        const auto layoutOn = [&](int desktop) {
            kwin(u"/KWin"_s, u"org.kde.KWin"_s, u"setCurrentDesktop"_s, {desktop});
            const QRegularExpression shown(u"^desktop\t%1\t.*\tcurrent$"_s.arg(desktop));
            QString layout;
            const bool heard = QTest::qWaitFor([&] {
                const QStringList lines = corvane({u"--list"_s}).split(u'\n');
                layout = lines.filter(QRegularExpression(u"^display\t1\t"_s))
                             .value(0)
                             .section(u'\t', 5, 5);
                return !lines.filter(shown).isEmpty();
            });
            return heard ? layout : QString();
        };
        // Without the preview: a preview overlay still up while KWin switches desktops was seen
        // to switch it back, which is not understood yet.
        Settings::setValue(SettingsKeys::showLayoutPreview, false);
        QVERIFY(kwin(u"/VirtualDesktopManager"_s, u"org.kde.KWin.VirtualDesktopManager"_s,
                     u"createDesktop"_s, {1u, u"Two"_s}));
        QCOMPARE(layoutOn(1), u"Tall"_s);
        corvane({u"--apply-layout"_s, u"Halves"_s, u"--display"_s, u"1"_s});
        QCOMPARE(layoutOn(2), u"Tall"_s);
        corvane({u"--apply-layout"_s, u"Thirds"_s, u"--display"_s, u"1"_s});
        QCOMPARE(layoutOn(1), u"Halves"_s);
        QCOMPARE(layoutOn(2), u"Thirds"_s);
        QCOMPARE(layoutOn(1), u"Halves"_s);
        Settings::remove(SettingsKeys::showLayoutPreview);
    }

    // Killed, Corvane leaves its script running in KWin, its file and its shortcuts: the next
    // start clears them.
    void aKilledRunIsClearedByTheNextStart()
    {
        QVERIFY(!corvaneShortcuts().isEmpty());
        QCOMPARE(scriptFiles().size(), 1);
        ::kill(pid_t(corvane_), SIGKILL);
        QTest::qWait(500);
        const QStringList leftBehind = scriptFiles();
        corvane_ =
            session_->startProcess(test::CorvaneApp::binaryPath(), {u"--log-level"_s, u"info"_s});
        QTRY_VERIFY_WITH_TIMEOUT(test::CorvaneApp::logCount(u"Preferences Key: "_s) == 2, 15000);
        QCOMPARE(scriptFiles().size(), 1);
        QVERIFY(!leftBehind.contains(scriptFiles().first()));
    }

    // A quit takes the script and its file away and gives every key back.
    void aQuitLeavesNothingBehind()
    {
        ::kill(pid_t(corvane_), SIGTERM);
        QTRY_VERIFY_WITH_TIMEOUT(::kill(pid_t(corvane_), 0) != 0, 10000);
        QCOMPARE(corvaneShortcuts(), QStringList());
        QVERIFY(!scriptLoaded());
        QVERIFY(scriptFiles().isEmpty());
    }
};

int main(int argc, char* argv[])
{
    // Started again by the test as the native Wayland window to drag.
    if (argc > 1 && qstrcmp(argv[1], "--show-window") == 0) {
        QApplication app(argc, argv);
        QWidget window;
        window.setWindowTitle(argc > 2 ? QString::fromLocal8Bit(argv[2]) : nativeCaption);
        window.resize(320, 200);
        window.show();
        return QApplication::exec();
    }
    QCoreApplication app(argc, argv);
    KWinSessionTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_kwinsession.moc"
