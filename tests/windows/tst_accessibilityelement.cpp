#include "TestEnvironment.h"
#include "windows/AccessibilityElement.h"
#include "windows/WindowUtil.h"

#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

// Windows found through the accessibility elements and the window lists behind them.
class AccessibilityElementTest : public QObject {
    Q_OBJECT
private:
    FakePlatform* fake_ = nullptr;
    std::uint64_t now = 1000;

private slots:
    void init()
    {
        fake_ = &test::installFakePlatform();
        fake_->setDisplays({test::primaryDisplay()});
        now = 1000;
        WindowUtil::resetCache([this] { return now; });
    }

    void theWindowUnderTheCursorIsFoundThroughItsControls()
    {
        const ElementHandle window = fake_->addWindow(42, 5, Rect(100, 100, 400, 300));
        const ElementHandle titleBar = fake_->addControl(window, Rect(100, 100, 400, 20));
        fake_->addControl(window, Rect(100, 120, 400, 280));
        // Pointer in screen space: (150, 900 - 110) lies in the title bar.
        fake_->setMouseLocation({150, 790});
        auto under = AccessibilityElement::windowElementUnderCursor();
        QVERIFY(under);
        QCOMPARE(under->wrappedElement(), window);
        QCOMPARE(under->isWindow(), std::optional(true));

        // A control without a readable role still leads to its window.
        fake_->setRole(titleBar, std::nullopt);
        under = AccessibilityElement::windowElementUnderCursor();
        QVERIFY(under);
        QCOMPARE(under->wrappedElement(), window);

        fake_->setMouseLocation({1000, 100}); // over the desktop
        QVERIFY(!AccessibilityElement::windowElementUnderCursor());
    }

    void applicationFallsBackToTheProcess()
    {
        const ElementHandle window = fake_->addWindow(42, 5, Rect(0, 0, 10, 10));
        const AccessibilityElement control(fake_->addControl(window, Rect(0, 0, 5, 5)));
        fake_->setRole(control.wrappedElement(), std::nullopt);
        QVERIFY(!control.isApplication());
        QVERIFY(!control.isWindow());
        const auto app = control.application();
        QVERIFY(app);
        QCOMPARE(app->isApplication(), std::optional(true));
        QCOMPARE(app->application(), app); // an application is its own application
    }

    void frameNeedsBothPositionAndSizeOfALiveWindow()
    {
        const AccessibilityElement window(fake_->addWindow(42, 5, Rect(3, 4, 50, 60)));
        QCOMPARE(window.frame(), std::optional(Rect(3, 4, 50, 60)));
        fake_->setUnreadable(window.wrappedElement(), AXAttribute::size);
        QVERIFY(!window.frame());
        QVERIFY(!window.size());

        // A vanished window answers none.
        const AccessibilityElement vanished(fake_->addWindow(43, 6, Rect(0, 0, 10, 10)));
        fake_->removeWindow(6);
        QVERIFY(!vanished.frame());
        QCOMPARE(vanished.setSize({5, 5}), AXError::InvalidElement);
    }

    void identicalFramesResolveToTheFrontMostWindow()
    {
        const AccessibilityElement back(fake_->addWindow(42, 1, Rect(10, 10, 200, 100)));
        const AccessibilityElement front(fake_->addWindow(42, 2, Rect(10, 10, 200, 100)));
        fake_->addWindow(43, 3, Rect(10, 10, 200, 100)); // another process, in front of all
        QCOMPARE(back.windowId(), std::optional<std::uint32_t>(2));
        QCOMPARE(front.getWindowId(), std::optional<std::uint32_t>(2));
        QCOMPARE(fake_->counters.windowList, 2); // windowId asks uncached each time
    }

    void getWindowIdFallsBackToTheCachedList()
    {
        const AccessibilityElement window(fake_->addWindow(42, 9, Rect(10, 10, 200, 100)));
        QCOMPARE(WindowUtil::getWindowInfos(std::nullopt, false).size(), 1);
        // Gone from the on-screen list: the uncached lookup fails, the cached answer still holds
        // it.
        fake_->window(9)->onScreen = false;
        QVERIFY(!window.windowId());
        QCOMPARE(window.getWindowId(), std::optional<std::uint32_t>(9));
        now += 101;
        QVERIFY(!window.getWindowId());
    }

    void anUntrustedProcessReadsNothing()
    {
        const AccessibilityElement window(fake_->addWindow(42, 5, Rect(0, 0, 10, 10)));
        fake_->setTrusted(false);
        QVERIFY(!window.isWindow());
        QVERIFY(!window.frame());
        QVERIFY(!window.windowId());
        QVERIFY(!window.getWindowId());
        QVERIFY(!window.enhancedUserInterface());
        QVERIFY(!window.getElementValue(AXAttribute::window));
        fake_->setMouseLocation({5, 895});
        QVERIFY(!AccessibilityElement::windowElementUnderCursor());
    }
    // Window lists: each answer is kept 100 ms, also an empty one.
    void answersLiveForExactly100Milliseconds()
    {
        fake_->addWindow(10, 1, Rect(0, 0, 100, 100), u"App"_s);
        QCOMPARE(WindowUtil::getWindowInfos(std::nullopt, false).size(), 1);
        QCOMPARE(fake_->counters.windowList, 1);
        fake_->addWindow(10, 2, Rect(5, 5, 100, 100));

        now += 100;
        QCOMPARE(WindowUtil::getWindowInfos(std::nullopt, false).size(), 1);
        QCOMPARE(fake_->counters.windowList, 1);
        // The flag is not part of the key.
        QCOMPARE(WindowUtil::getWindowInfos(std::nullopt, true).size(), 1);
        QCOMPARE(fake_->counters.windowList, 1);

        now += 1;
        QCOMPARE(WindowUtil::getWindowInfos(std::nullopt, false).size(), 2);
        QCOMPARE(fake_->counters.windowList, 2);
    }

    void emptyAnswersAreCachedAndNumbersAreOwnKeys()
    {
        QVERIFY(WindowUtil::getWindowInfos(QList<std::uint32_t>{7}, false).isEmpty());
        QVERIFY(WindowUtil::getWindowInfos(QList<std::uint32_t>{7}, false).isEmpty());
        QCOMPARE(fake_->counters.describeWindows, 1);
        QCOMPARE(fake_->counters.windowList, 0);
        fake_->addWindow(10, 7, Rect(1, 2, 3, 4));
        QCOMPARE(WindowUtil::getWindowInfos(QList<std::uint32_t>{8, 7}, false).size(), 1);
        QCOMPARE(fake_->counters.describeWindows, 2);
    }

    void recordsSkipWindowsWithoutBounds()
    {
        fake_->addWindow(10, 1, Rect(0, 0, 10, 10));
        fake_->addWindow(11, 2, Rect(20, 0, 10, 10), u"Named"_s);
        fake_->window(1)->frame.reset();
        fake_->window(2)->layer = 3;
        const auto infos = WindowUtil::getWindowInfos(std::nullopt, false);
        QCOMPARE(infos.size(), 1);
        QCOMPARE(infos[0].id, 2u);
        QCOMPARE(infos[0].level, 3);
        QCOMPARE(infos[0].pid, 11);
        QCOMPARE(infos[0].processName, std::optional(u"Named"_s));

        fake_->window(1)->frame = Rect(0, 0, 10, 10);
        now += 101;
        const auto again = WindowUtil::getWindowInfos(std::nullopt, false);
        QCOMPARE(again.size(), 2);
        QVERIFY(!again[1].processName); // no owner name
    }
};

QTEST_GUILESS_MAIN(AccessibilityElementTest)
#include "tst_accessibilityelement.moc"
