// SPDX-License-Identifier: GPL-3.0-or-later
#include "CorvaneApp.h"
#include "XServer.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

// The real application on openbox's four virtual desktops: each desktop keeps its own layout
// choices, a display's choice from before stands for desktops without one, and the layout keys
// walk the layouts in the order corvane --list prints them.
class CorvaneDesktopsTest : public QObject {
    Q_OBJECT
private:
    test::CorvaneApp::Scene scene_;

    static QStringList list()
    {
        QProcess process;
        process.start(test::CorvaneApp::binaryPath(), {u"--list"_s});
        process.waitForFinished(30000);
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed().split(u'\n');
    }
    // The field of the listed line that starts so.
    static QString listed(const QString& start, int field)
    {
        const QStringList lines = list().filter(QRegularExpression(u"^"_s + start));
        return lines.isEmpty() ? QString() : lines.first().split(u'\t').value(field);
    }
    static QString layoutOf(int display) { return listed(u"display\t%1\t"_s.arg(display), 5); }
    bool showDesktop(int number)
    {
        scene_.server->xdotool({u"set_desktop"_s, QString::number(number - 1)});
        return QTest::qWaitFor(
            [&] { return listed(u"desktop\t.*\tcurrent$"_s, 1) == QString::number(number); });
    }
    bool run(const QStringList& arguments)
    {
        return scene_.server->run(test::CorvaneApp::binaryPath(), arguments);
    }
    QRect logoFrame() { return scene_.server->frameGeometry(scene_.logo.window).value_or(QRect()); }
    // Ctrl+Super+2 on the logo, which must land on zone 2 of the layout on the left display.
    void snapLogoToZone2(const QString& layout)
    {
        test::XServer& x = *scene_.server;
        // The window manager gives the focus to a window of the desktop after a switch.
        QTRY_VERIFY_WITH_TIMEOUT(
            x.xdotool({u"windowactivate"_s, u"--sync"_s, QString::number(scene_.logo.window)}) &&
                x.property(x.root(), "_NET_ACTIVE_WINDOW").value(0) == scene_.logo.window,
            3000);
        QVERIFY(x.xdotool({u"key"_s, u"ctrl+super+2"_s}));
        const Rect zone = templateNamed(layout)->zones.at(1).frame;
        QTRY_COMPARE_WITH_TIMEOUT(logoFrame(),
                                  QRect(qRound(zone.x * 1440), qRound(zone.y * 900),
                                        qRound(zone.width * 1440), qRound(zone.height * 900)),
                                  3000);
    }

private slots:
    void initTestCase()
    {
        if (!test::XServer::isAvailable())
            QSKIP("Xvfb is not installed");
        const QString error = test::CorvaneApp::startScene(scene_);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        // A display's choice as Corvane stored it before desktops had choices of their own.
        const QString left = listed(u"display\t1\t"_s, 3);
        Settings::setData(SettingsKeys::monitorLayoutPreferences,
                          json::encodePreferences(
                              {{left, templateNamed(u"Halves"_s)->uuidString(), u"Halves"_s}}));
        QVERIFY(scene_.app->restart());
    }

    void aChoiceFromBeforeHoldsOnEveryDesktopWithoutOneOfItsOwn()
    {
        QCOMPARE(list().filter(u"desktop\t"_s).size(), 4);
        QCOMPARE(layoutOf(1), u"Halves"_s);
        QVERIFY(showDesktop(2));
        QCOMPARE(layoutOf(1), u"Halves"_s);
    }

    void aChoiceOnDesktop2LeavesDesktop1AloneAndSurvivesARestart()
    {
        const auto before = Settings::data(SettingsKeys::monitorLayoutPreferences);
        QVERIFY(run({u"--apply-layout"_s, u"Thirds"_s, u"--display"_s, u"1"_s}));
        QCOMPARE(layoutOf(1), u"Thirds"_s);
        QVERIFY(showDesktop(1));
        QCOMPARE(layoutOf(1), u"Halves"_s);
        QVERIFY(scene_.app->restart());
        QCOMPARE(layoutOf(1), u"Halves"_s);
        QVERIFY(showDesktop(2));
        QCOMPARE(layoutOf(1), u"Thirds"_s);
        Settings::reload();
        QCOMPARE(Settings::data(SettingsKeys::monitorLayoutPreferences), before);
        // Another desktop's choice is made by its number (here and over D-Bus), and waits until
        // it is shown.
        QVERIFY(
            run({u"--apply-layout"_s, u"Grid"_s, u"--display"_s, u"1"_s, u"--desktop"_s, u"3"_s}));
        QCOMPARE(layoutOf(1), u"Thirds"_s);
        QVERIFY(showDesktop(3));
        QCOMPARE(layoutOf(1), u"Grid"_s);
        QDBusMessage call =
            QDBusMessage::createMethodCall(u"app.corvane.Corvane"_s, u"/Corvane"_s,
                                           u"app.corvane.Corvane"_s, u"ApplyLayoutOnDesktop"_s);
        call.setArguments({u"Wide"_s, 1, 4});
        QCOMPARE(QDBusConnection::sessionBus().call(call).type(), QDBusMessage::ReplyMessage);
        QVERIFY(showDesktop(4));
        QCOMPARE(layoutOf(1), u"Wide"_s);
    }

    // The window is on every desktop: it follows the layout of the one shown.
    void keyboardSnapsUseTheLayoutOfTheDesktopShown()
    {
        const QString logo = QString::number(scene_.logo.window);
        QVERIFY(scene_.server->xdotool({u"set_desktop_for_window"_s, logo, u"-1"_s}));
        QVERIFY(showDesktop(2));
        snapLogoToZone2(u"Thirds"_s);
        QVERIFY(showDesktop(1));
        snapLogoToZone2(u"Halves"_s);
    }

    // On desktop 2, where the left display uses Thirds: the third layout of the list, then the
    // fourth, as the next keyboard snap shows.
    void theLayoutKeysApplyTheLayoutsInTheOrderOfTheList()
    {
        const QStringList listedLayouts = list().filter(QRegularExpression(u"^layout\t"_s));
        const QList<ScreenLayout> ordered{noLayout(), focusLayout(), templateLayouts().at(0),
                                          templateLayouts().at(1)};
        for (int i = 0; i < ordered.size(); ++i)
            QCOMPARE(listedLayouts.value(i).section(u'\t', 1, 1), ordered.at(i).name);
        QVERIFY(showDesktop(2));
        scene_.server->fakeMotion(QPoint(700, 450));
        QVERIFY(scene_.server->xdotool({u"key"_s, u"ctrl+alt+super+3"_s}));
        snapLogoToZone2(ordered.at(2).name);
        QVERIFY(scene_.server->xdotool({u"key"_s, u"ctrl+alt+super+Right"_s}));
        snapLogoToZone2(ordered.at(3).name);
        QCOMPARE(layoutOf(2), u"Tall"_s);
    }

    void theEditorKeyOpensTheLayoutEditor()
    {
        QCOMPARE(test::CorvaneApp::logCount(u"Layout editor opened"_s), 0);
        QVERIFY(scene_.server->xdotool({u"key"_s, u"ctrl+shift+super+e"_s}));
        QTRY_COMPARE_WITH_TIMEOUT(test::CorvaneApp::logCount(u"Layout editor opened"_s), 1, 5000);
    }
};

QTEST_GUILESS_MAIN(CorvaneDesktopsTest)
#include "tst_desktops.moc"
