// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "windows/AccessibilityElement.h"

#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

// Windows found through the accessibility elements.
class AccessibilityElementTest : public QObject {
    Q_OBJECT
private:
    FakePlatform* fake_ = nullptr;

private slots:
    void init()
    {
        fake_ = &test::installFakePlatform();
        fake_->setDisplays({test::primaryDisplay()});
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

    void anUntrustedProcessReadsNothing()
    {
        const AccessibilityElement window(fake_->addWindow(42, 5, Rect(0, 0, 10, 10)));
        fake_->setTrusted(false);
        QVERIFY(!window.isWindow());
        QVERIFY(!window.frame());
        QVERIFY(!window.enhancedUserInterface());
        QVERIFY(!window.getElementValue(AXAttribute::window));
        fake_->setMouseLocation({5, 895});
        QVERIFY(!AccessibilityElement::windowElementUnderCursor());
    }
};

QTEST_GUILESS_MAIN(AccessibilityElementTest)
#include "tst_accessibilityelement.moc"
