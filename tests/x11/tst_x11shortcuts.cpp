#include "TestEnvironment.h"
#include "XServer.h"
#include "platform/x11/X11Platform.h"
#include "shortcuts/KeyboardShortcuts.h"

#include <QTest>

using namespace corvane;
using corvane::test::XServer;

// The shortcut facility over the real backend: a stored (here default) shortcut fires its
// handler while another client has the keyboard focus.
class X11ShortcutsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<XServer> server_;

private slots:
    void initTestCase()
    {
        if (!XServer::isAvailable())
            QSKIP("Xvfb is not installed (scripts/install-deps installs it)");
        test::resetStores();
        server_ = std::make_unique<XServer>();
        QVERIFY2(server_->isRunning(), qPrintable(server_->errorString()));
        Platform::install(std::make_unique<X11Platform>());
    }

    void cleanupTestCase()
    {
        Platform::install(nullptr);
        server_.reset();
    }

    void theDefaultShortcutFiresWhileAnotherClientHasTheFocus()
    {
        KeyboardShortcuts facility(Platform::current().hotKeys());
        int pressed = 0;
        facility.onKeyDown(KeyboardShortcuts::Name::openPreferences(), [&] { ++pressed; });
        const auto term =
            server_->startClient(QStringLiteral("xterm"), {}, QStringLiteral("xterm"));
        QVERIFY(term);
        server_->xdotool({QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                          QString::number(term->window)});
        QVERIFY(server_->xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+super+p")}));
        QTRY_COMPARE(pressed, 1);

        // A changed shortcut takes over at once; the old combination no longer fires.
        facility.setShortcut(KeyboardShortcuts::Name::openPreferences(),
                             Shortcut{5, 4096 | 2048}); // Control-Option-G
        QVERIFY(server_->xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+super+p")}));
        QVERIFY(server_->xdotool({QStringLiteral("key"), QStringLiteral("ctrl+alt+g")}));
        QTRY_COMPARE(pressed, 2);
        QTest::qWait(200);
        QCOMPARE(pressed, 2);
    }
};

QTEST_GUILESS_MAIN(X11ShortcutsTest)
#include "tst_x11shortcuts.moc"
