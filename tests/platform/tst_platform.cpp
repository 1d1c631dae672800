// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "platform/KeyCodes.h"
#include "platform/x11/Edid.h"
#include "platform/x11/LogindSleepMonitor.h"
#include "platform/x11/RootGeometry.h"
#include "platform/x11/SizeHints.h"
#include "platform/x11/Strut.h"
#include "platform/x11/X11InputMonitor.h"
#include "platform/x11/X11KeySyms.h"
#include "platform/xdg/XdgLoginItems.h"
#include "platform/xdg/XdgWorkspace.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/keysymdef.h>

using namespace Qt::StringLiterals;
using namespace corvane;

namespace {

// A monitor of vendor "GSM", product 0x5b77, serial 0x04030201.
QByteArray edidBlock()
{
    return test::edidBlock({0x1e, 0x6d, 0x77, 0x5b, 0x01, 0x02, 0x03, 0x04});
}

} // namespace

// The parts of the backends that need no X server: the port's headers, EDID, panel struts,
// coordinates and keys, and what talks to the desktop rather than to the X server (the
// autostart entry, URLs and logind's sleep signal).
class PlatformTest : public QObject {
    Q_OBJECT
    QString autostartDir() const { return QFileInfo(XdgLoginItems::entryPath()).absolutePath(); }

    // The name earlier versions gave the entry.
    QString legacyEntryPath() const { return autostartDir() + u"/corvane.desktop"_s; }

    void writeEntry(const QByteArray& text, const QString& path = XdgLoginItems::entryPath())
    {
        QDir().mkpath(autostartDir());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

private slots:

    void edidNumbersAndNameOrNothing()
    {
        QByteArray edid = edidBlock();
        test::putEdidDescriptor(edid, 0, 0xff, "SERIAL123\n   "); // a serial string, not the name
        test::putEdidDescriptor(edid, 2, 0xfc, "LG ULTRAFINE\n");
        const auto info = parseEdid(edid);
        QVERIFY(info);
        QCOMPARE(info->vendor, 0x1e6du); // "GSM"
        QCOMPARE(info->model, 0x5b77u);  // little-endian product code
        QCOMPARE(info->serial, 0x04030201u);
        QCOMPARE(info->productName, u"LG ULTRAFINE"_s);
        // The same block always gives the same UUID; another block another one.
        QCOMPARE(parseEdid(edid)->uuid, info->uuid);
        QCOMPARE(info->uuid, info->uuid.toUpper());
        QVERIFY(!info->uuid.contains(QLatin1Char('{')));
        QByteArray other = edid;
        other[12] = 9;
        QVERIFY(parseEdid(other)->uuid != info->uuid);
        // Extension blocks do not change who the monitor is.
        QCOMPARE(parseEdid(edid + QByteArray(128, '\x42'))->uuid, info->uuid);

        // What is not an EDID block.
        QVERIFY(!parseEdid({}));
        QVERIFY(!parseEdid(edidBlock().left(127)));
        QByteArray broken = edidBlock();
        broken[0] = 1;
        QVERIFY(!parseEdid(broken));
        // No name descriptor: no name.
        QVERIFY(parseEdid(edidBlock())->productName.isEmpty());
    }

    void strutsReduceOnlyTheMonitorsTheyCanReachInto()
    {
        const QSize root(3360, 1080);
        const QRect left(0, 0, 1920, 1080);
        const QRect right(1920, 100, 1440, 900);
        // A top panel over the left monitor only.
        const Strut top = *Strut::fromPartial({0, 0, 30, 0, 0, 0, 0, 0, 0, 1919, 0, 0});
        QCOMPARE(visibleArea(left, {top}, root), QRect(0, 30, 1920, 1050));
        QCOMPARE(visibleArea(right, {top}, root), right);
        // A top panel on the lower monitor reaches from the root's top edge down into it.
        const Strut lowerTop = *Strut::fromPartial({0, 0, 130, 0, 0, 0, 0, 0, 1920, 3359, 0, 0});
        QCOMPARE(visibleArea(right, {lowerTop}, root), QRect(1920, 130, 1440, 870));
        QCOMPARE(visibleArea(left, {lowerTop}, root), left);
        // Left and right panels.
        const Strut sides = *Strut::fromPartial({50, 60, 0, 0, 0, 1079, 0, 1079, 0, 0, 0, 0});
        QCOMPARE(visibleArea(left, {sides}, root), QRect(50, 0, 1870, 1080));
        QCOMPARE(visibleArea(right, {sides}, root), QRect(1920, 100, 1380, 900));
        // Several panels on one monitor add up.
        const Strut bottom = *Strut::fromPartial({0, 0, 0, 40, 0, 0, 0, 0, 0, 0, 0, 1919});
        QCOMPARE(visibleArea(left, {top, bottom, sides}, root), QRect(50, 30, 1870, 1010));
        // Nor by a work area a panel on another monitor explains (openbox does not enforce it).
        const Strut onRight = *Strut::fromPartial({0, 0, 0, 120, 0, 0, 0, 0, 0, 0, 1920, 3359});
        QCOMPARE(withWorkArea(left, QRect(0, 0, 3360, 960), {onRight}, root), left);

        // A bottom panel on the upper of two stacked monitors covers all of the lower one
        // as far as the root window is concerned; it must not swallow it.
        const QSize stacked(1920, 2160);
        const QRect upper(0, 0, 1920, 1080);
        const QRect lower(0, 1080, 1920, 1080);
        const Strut middle = *Strut::fromPartial({0, 0, 0, 1110, 0, 0, 0, 0, 0, 0, 0, 1919});
        QCOMPARE(visibleArea(upper, {middle}, stacked), QRect(0, 0, 1920, 1050));
        QCOMPARE(visibleArea(lower, {middle}, stacked), lower);
        // Though a window manager that reads it by the letter keeps windows out of it.
        QCOMPARE(areaByTheLetter(lower, {middle}, stacked), QRect());
        QCOMPARE(areaByTheLetter(upper, {middle}, stacked), QRect(0, 0, 1920, 1050));
        // The older full-edge strut; struts that cannot apply.
        const Strut full = *Strut::fromFull({0, 0, 25, 0}, stacked);
        QCOMPARE(visibleArea(upper, {full}, stacked), QRect(0, 25, 1920, 1055));
        QVERIFY(!Strut::fromPartial({1, 2, 3}));
        QVERIFY(!Strut::fromFull({1, 2}, stacked));
        QVERIFY(Strut::fromPartial(QList<std::uint32_t>(12, 0))->isEmpty());
    }

    void rootPixelsBecomeLogicalPointsAtEveryScale()
    {
        // At a ratio of 1 nothing moves, whichever monitor is primary.
        const RootGeometry one({{QRect(1920, 100, 1440, 900), 1}, {QRect(0, 0, 1920, 1080), 1}});
        QCOMPARE(one.globalRect(QRect(0, 0, 1920, 1080)), Rect(0, 0, 1920, 1080));
        QCOMPARE(one.globalPoint(QPoint(1920, 100)), (Point{1920, 100}));
        QCOMPARE(one.rootPoint(Point{1930.4, 79.4}), QPoint(1930, 79));

        // A 2560 x 1600 primary at ratio 2 and a 1920 x 1080 monitor at ratio 1 to its right:
        // each keeps its corner, what is inside is divided by its own ratio.
        const RootGeometry mixed({{QRect(0, 0, 2560, 1600), 2}, {QRect(2560, 0, 1920, 1080), 1}});
        QCOMPARE(mixed.globalRect(QRect(0, 0, 2560, 1600)), Rect(0, 0, 1280, 800));
        QCOMPARE(mixed.globalRect(QRect(2560, 0, 1920, 1080)), Rect(2560, 0, 1920, 1080));
        QCOMPARE(mixed.globalRect(QRect(200, 100, 800, 600)), Rect(100, 50, 400, 300));
        QCOMPARE(mixed.globalPoint(QPoint(2600, 10)), (Point{2600, 10}));
        QCOMPARE(mixed.rootPoint(Point{100, 50}), QPoint(200, 100));
        QCOMPARE(mixed.ratioFor(QRect(2200, 0, 1000, 500)), 1.0); // mostly on the right
        // Back to pixels: a zone on the scaled monitor, and all displays at once piece by piece.
        QCOMPARE(mixed.rootRect(Rect(640, 0, 640, 800)), QRect(1280, 0, 1280, 1600));
        QCOMPARE(mixed.rootRect(Rect(0, 0, 4480, 1080)), QRect(0, 0, 4480, 1600));

        // At 1.5 the points are fractional; a rectangle goes back to its exact pixels, and
        // zones that meet in points meet in pixels (snapped windows go this way).
        const RootGeometry fractional({{QRect(0, 0, 1366, 768), 1.5}});
        const Rect usable = fractional.globalRect(QRect(0, 0, 1366, 744));
        QCOMPARE(fractional.rootRect(usable), QRect(0, 0, 1366, 744));
        const double third = usable.width / 3;
        const QRect left = fractional.rootRect(Rect(0, 0, third, 100));
        const QRect rest = fractional.rootRect(Rect(third, 0, 2 * third, 100));
        QCOMPARE(left.x() + left.width(), rest.x());
        QCOMPARE(rest.x() + rest.width(), 1366);
    }

    void sizeStepsAndLimits()
    {
        // xterm's: a base of 10 x 4, steps of 6 x 13.
        const auto xterm = SizeHints::fromProperty(
            {16 | 64 | 256, 0, 0, 0, 0, 16, 17, 0, 0, 6, 13, 0, 0, 0, 0, 10, 4, 1});
        QVERIFY(xterm);
        QCOMPARE(xterm->constrain(QSize(703, 500)), QSize(700, 498));
        QCOMPARE(xterm->reason(QSize(703, 500), QSize(700, 498)),
                 u"resizes in steps of 6 × 13 pixels"_s);
        const auto limited = SizeHints::fromProperty(
            {16 | 32, 0, 0, 0, 0, 100, 100, 400, 300, 0, 0, 0, 0, 0, 0, 0, 0, 1});
        QCOMPARE(limited->constrain(QSize(700, 500)), QSize(400, 300));
        QCOMPARE(limited->constrain(QSize(50, 200)), QSize(100, 200));
        QCOMPARE(limited->reason(QSize(700, 500), QSize(400, 300)),
                 u"is at most 400 × 300 pixels"_s);
        QVERIFY(!SizeHints::fromProperty({16, 1, 2}));
    }

    void valuesAreClampedToWhatTheProtocolCarries()
    {
        const double nan = std::nan("");
        const QList<std::pair<double, int>> positions{{40000, 32767},    {-40000, -32768},
                                                      {12.5, 13},        {nan, 0},
                                                      {INFINITY, 32767}, {-INFINITY, -32768}};
        for (const auto& [value, clamped] : positions)
            QCOMPARE(clampPosition(value), std::int16_t(clamped));
        const QList<std::pair<double, int>> sizes{{1e12, 65535},     {0, 1},      {-5, 1}, {nan, 1},
                                                  {INFINITY, 65535}, {640.4, 640}};
        for (const auto& [value, clamped] : sizes)
            QCOMPARE(clampSize(value), std::uint16_t(clamped));
    }

    void everyStoredKeyCodeHasAKeySymbol()
    {
        for (int code = 0; code < 128; ++code) {
            if (!qtKeyForMacKeyCode(code))
                continue;
            QVERIFY2(keysymForMacKeyCode(code), qPrintable(QString::number(code)));
        }
        const QList<std::pair<int, std::uint32_t>> expected{
            {35, XK_p}, {82, XK_KP_0}, {76, XK_KP_Enter}, {90, XK_F20}, {117, XK_Delete}};
        for (const auto& [code, keysym] : expected)
            QCOMPARE(keysymForMacKeyCode(code), std::optional(keysym));
        QVERIFY(!keysymForMacKeyCode(10));
        QVERIFY(!keysymForMacKeyCode(-1));
    }

    // The grabs of stored combinations are tst_x11input's; here the state bits of an event.
    void stateBitsBecomeModifiersWithoutLocksOrButtons()
    {
        QCOMPARE(X11InputMonitor::modifiersFromState(XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK |
                                                     XCB_MOD_MASK_2 | XCB_BUTTON_MASK_1),
                 Modifiers(Modifier::Shift));
        QCOMPARE(X11InputMonitor::modifiersFromState(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 |
                                                     XCB_MOD_MASK_4),
                 Modifier::Ctrl | Modifier::Alt | Modifier::Super);
    }

    void initTestCase()
    {
        QVERIFY2(test::hasOwnFolders(), "run through ctest: it gives the test folders of its own");
    }

    void init()
    {
        // The entry lives in this test's own XDG config home (set by CTest).
        QVERIFY(XdgLoginItems::entryPath().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)));
        QFile::remove(XdgLoginItems::entryPath());
        QFile::remove(legacyEntryPath());
        QFileInfo autostart(autostartDir());
        if (autostart.isFile())
            QFile::remove(autostartDir());
        QDir(XdgLoginItems::entryPath()).removeRecursively();
    }

    void registeringWritesTheEntryAndUnregisteringRemovesIt()
    {
        XdgLoginItems items;
        QCOMPARE(items.status(), LoginItemStatus::NotRegistered);
        QString error;
        QVERIFY(items.registerItem(&error));
        // What it holds is the install test's: the entry text validated, its Exec line quoted.
        QCOMPARE(items.status(), LoginItemStatus::Enabled);
        QVERIFY(QFile::exists(XdgLoginItems::entryPath()));

        QVERIFY(items.unregisterItem(&error));
        QCOMPARE(items.status(), LoginItemStatus::NotRegistered);
        QVERIFY(!QFile::exists(XdgLoginItems::entryPath()));
        // Nothing to remove is no failure.
        QVERIFY(items.unregisterItem(&error));

        // An entry under the old name still counts, and either switch removes it.
        writeEntry("[Desktop Entry]\nExec=corvane\n", legacyEntryPath());
        QCOMPARE(items.status(), LoginItemStatus::Enabled);
        QVERIFY(items.registerItem());
        QVERIFY(!QFile::exists(legacyEntryPath()));
        writeEntry("[Desktop Entry]\nExec=corvane\n", legacyEntryPath());
        QVERIFY(items.unregisterItem());
        QCOMPARE(items.status(), LoginItemStatus::NotRegistered);
    }

    void anEntrySwitchedOffByTheDesktopNeedsApproval()
    {
        XdgLoginItems items;
        writeEntry("[Desktop Entry]\nType=Application\nExec=corvane\nHidden=true\n");
        QCOMPARE(items.status(), LoginItemStatus::RequiresApproval);
        writeEntry("[Desktop Entry]\nExec=corvane\nX-GNOME-Autostart-enabled=false\n");
        QCOMPARE(items.status(), LoginItemStatus::RequiresApproval);
        // The keys count only in the main group.
        writeEntry("[Desktop Entry]\nExec=corvane\n[Desktop Action x]\nHidden=true\n");
        QCOMPARE(items.status(), LoginItemStatus::Enabled);
        writeEntry("[Desktop Entry]\nExec=corvane\nHidden=true\n");
        QVERIFY(items.registerItem());
        QCOMPARE(items.status(), LoginItemStatus::Enabled);
    }

    void failuresComeWithAReason()
    {
        XdgLoginItems items;
        // A file where the autostart folder should be.
        QDir(autostartDir()).removeRecursively();
        QDir().mkpath(QFileInfo(autostartDir()).absolutePath());
        QFile blocker(autostartDir());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QString error;
        QVERIFY(!items.registerItem(&error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(items.status(), LoginItemStatus::NotRegistered);
        QFile::remove(autostartDir());

        // A folder where the entry should be cannot be removed as a file.
        QVERIFY(QDir().mkpath(XdgLoginItems::entryPath() + u"/inside"_s));
        error.clear();
        QVERIFY(!items.unregisterItem(&error));
        QVERIFY(!error.isEmpty());
        QDir(XdgLoginItems::entryPath()).removeRecursively();
    }

    void execValuesAreQuoted()
    {
        // As written in the file: the quoting of arguments, then the escapes of every string
        // value on top ("\\$" for a dollar, four backslashes for one). A space and a percent
        // sign are in the install test's prefix.
        QCOMPARE(XdgLoginItems::execValue(u"/usr/bin/corvane"_s), u"/usr/bin/corvane"_s);
        QCOMPARE(XdgLoginItems::execValue(u"/opt/$x \"y\"/c"_s), uR"("/opt/\\$x \\"y\\"/c")"_s);
        QCOMPARE(XdgLoginItems::execValue(u"/a\\b"_s), uR"("/a\\\\b")"_s);
        // A line break in the path cannot end the line and add keys of its own.
        QCOMPARE(XdgLoginItems::execValue(u"/a\nHidden=true"_s), uR"("/a\nHidden=true")"_s);
    }

    void aRefusedUrlIsReported()
    {
        // The offscreen platform has no URL handler: the refusal comes back.
        XdgWorkspace workspace;
        QVERIFY(!workspace.openUrl(QUrl(u"https://example.invalid/"_s)));
        QVERIFY(!workspace.openUrl(QUrl()));
    }

    // A mail link counts as opened only when its handler's program says so: one that fails,
    // or a link too long for the system, is reported as not opened.
    void aMailLinkIsOpenedOnlyWhenItsHandlerSucceeds_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("bodySize");
        QTest::addColumn<bool>("opened");
        QTest::newRow("handler succeeds") << 0 << 10 << true;
        QTest::newRow("no mail application") << 3 << 10 << false;
        QTest::newRow("link too long to start it") << 0 << 200000 << false;
    }
    void aMailLinkIsOpenedOnlyWhenItsHandlerSucceeds()
    {
        QFETCH(int, status);
        QFETCH(int, bodySize);
        QFETCH(bool, opened);
        QTemporaryDir bin;
        QFile handler(bin.filePath(u"xdg-email"_s));
        QVERIFY(handler.open(QIODevice::WriteOnly));
        handler.write(u"#!/bin/sh\nexit %1\n"_s.arg(status).toUtf8());
        handler.close();
        QVERIFY(handler.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toUtf8() + ':' + path);
        std::optional<bool> result;
        QObject context;
        XdgWorkspace().openUrlAsync(QUrl(u"mailto:a@example.com?body="_s + QString(bodySize, u'x')),
                                    &context, [&](bool ok) { result = ok; });
        QTRY_VERIFY(result.has_value());
        qputenv("PATH", path);
        QCOMPARE(*result, opened);
    }

    void sleepAndWakeComeFromLogind()
    {
        if (QStandardPaths::findExecutable(u"dbus-daemon"_s).isEmpty())
            QSKIP("dbus-daemon is not installed (scripts/install-deps installs it)");
        QProcess daemon;
        daemon.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s});
        QVERIFY(daemon.waitForStarted());
        QTRY_VERIFY(daemon.canReadLine());
        const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
        {
            // logind's side: owns the name and sends the signal.
            QDBusConnection logind = QDBusConnection::connectToBus(address, u"logind"_s);
            QVERIFY(logind.isConnected());
            QVERIFY(logind.registerService(u"org.freedesktop.login1"_s));
            QDBusConnection bus = QDBusConnection::connectToBus(address, u"watcher"_s);
            LogindSleepMonitor monitor(bus);
            QVERIFY(monitor.isListening());
            QSignalSpy sleeping(&monitor, &LogindSleepMonitor::sleeping);
            QSignalSpy waking(&monitor, &LogindSleepMonitor::waking);
            const auto signal = [&](bool start) {
                QDBusMessage message = QDBusMessage::createSignal(
                    u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s,
                    u"PrepareForSleep"_s);
                message << start;
                QVERIFY(logind.send(message));
            };
            signal(true);
            QTRY_COMPARE(sleeping.count(), 1);
            QCOMPARE(waking.count(), 0);
            signal(false);
            QTRY_COMPARE(waking.count(), 1);
            QCOMPARE(sleeping.count(), 1);
        }
        QDBusConnection::disconnectFromBus(u"logind"_s);
        QDBusConnection::disconnectFromBus(u"watcher"_s);
        daemon.terminate();
        daemon.waitForFinished();

        // No bus: simply nothing to listen to.
        LogindSleepMonitor none(
            QDBusConnection::connectToBus(u"unix:path=/nonexistent/bus"_s, u"none"_s));
        QVERIFY(!none.isListening());
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
