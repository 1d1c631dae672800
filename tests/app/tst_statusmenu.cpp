#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "app/StatusMenu.h"
#include "managers/LayoutManager.h"
#include "managers/OverlayWindow.h"
#include "managers/ZoneManager.h"
#include "models/Layouts.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QMenu>
#include <QTest>

using namespace corvane;

namespace {

QMenu* displayMenu(const QMenu& menu, int index)
{
    int seen = 0;
    for (QAction* action : menu.actions()) {
        if (action->menu() && seen++ == index)
            return action->menu();
    }
    return nullptr;
}

QAction* item(const QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

QStringList checked(const QMenu& menu)
{
    QStringList result;
    for (const QAction* action : menu.actions()) {
        if (action->isChecked())
            result << action->text();
    }
    return result;
}

} // namespace

class StatusMenuTest : public QObject {
    Q_OBJECT
private:
    FakePlatform* fake_ = nullptr;
    std::unique_ptr<ZoneManager> windows_;
    std::unique_ptr<LayoutManager> layouts_;
    std::unique_ptr<StatusMenu> menu_;

private slots:
    void init()
    {
        test::resetStores();
        fake_ = &test::installFakePlatform();
        fake_->setDisplays({test::primaryDisplay(), test::secondDisplay()});
        windows_ = std::make_unique<ZoneManager>();
        layouts_ = std::make_unique<LayoutManager>(*windows_);
        StatusMenu::Actions actions;
        actions.preferencesShortcutText = [] {
            return std::optional(QStringLiteral("Ctrl+Shift+Super+P"));
        };
        menu_ = std::make_unique<StatusMenu>(*layouts_, actions);
        menu_->updateMenu();
    }
    void cleanup()
    {
        menu_.reset();
        layouts_.reset();
        windows_.reset();
    }

    void theMenuAndItsSubmenusHoldTheirItemsInOrder()
    {
        const QStringList expected{QStringLiteral("Hold Shift and drag window to snap"),
                                   QStringLiteral("-"),
                                   QStringLiteral("Display 1: Built-in (1440\u00D7900) (Main)"),
                                   QStringLiteral("Display 2: External (1920\u00D71080)"),
                                   QStringLiteral("-"),
                                   QStringLiteral("Preferences (Ctrl+Shift+Super+P)"),
                                   QStringLiteral("Layout Editor"),
                                   QStringLiteral("Send Feedback"),
                                   QStringLiteral("-"),
                                   QStringLiteral("Quit")};
        QCOMPARE(test::menuTexts(*menu_->menu()), expected);
        QVERIFY(!menu_->menu()->actions().first()->isEnabled());

        fake_->setTrusted(false);
        menu_->updateMenu();
        const QStringList untrusted = test::menuTexts(*menu_->menu());
        QCOMPARE(untrusted[2], QStringLiteral("\u26A0\uFE0F Corvane cannot see or move windows"));
        QCOMPARE(untrusted[3], QStringLiteral("-"));
        QCOMPARE(untrusted.size(), expected.size() + 2);

        // A display's submenu lists the layouts.
        QMenu* submenu = displayMenu(*menu_->menu(), 0);
        QVERIFY(submenu);
        QStringList layouts{QStringLiteral("No Layout"), QStringLiteral("-"),
                            QStringLiteral("Template Layouts"), QStringLiteral("Focus")};
        for (const ScreenLayout& layout : templateLayouts())
            layouts << layout.name;
        QCOMPARE(test::menuTexts(*submenu), layouts);
        QVERIFY(checked(*submenu).isEmpty()); // no stored choice: no check mark

        // Names are shown as typed: an "&" is no accelerator mark.
        layouts_->addCustomLayout({QUuid::createUuid(), QStringLiteral("Desk & \"q\""), {}, {}});
        corvane::Display ampersand = test::secondDisplay();
        ampersand.localizedName = QStringLiteral("Dell & Co");
        fake_->setDisplays({test::primaryDisplay(), ampersand});
        menu_->updateMenu();
        const QStringList withCustom = test::menuTexts(*displayMenu(*menu_->menu(), 0));
        QCOMPARE(withCustom.mid(withCustom.size() - 3),
                 QStringList({QStringLiteral("-"), QStringLiteral("Custom Layouts"),
                              QStringLiteral("Desk & \"q\"")}));
        QVERIFY(test::menuTexts(*menu_->menu())
                    .contains(QStringLiteral("Display 2: Dell & Co (1920\u00D71080)")));
    }

    void choosingALayoutMovesTheCheckMark()
    {
        // The choice is applied on the next turn of the event loop, and the menu rebuilt.
        const QMenu* first = menu_->menu();
        item(*displayMenu(*menu_->menu(), 1), QStringLiteral("Focus"))->trigger();
        QTRY_VERIFY(menu_->menu() != first);
        QCOMPARE(checked(*displayMenu(*menu_->menu(), 1)), QStringList{QStringLiteral("Focus")});
        QVERIFY(checked(*displayMenu(*menu_->menu(), 0)).isEmpty());
        QCOMPARE(windows_->monitorZones().value(monitorID(test::secondDisplay())).size(), 1);

        const QMenu* second = menu_->menu();
        item(*displayMenu(*menu_->menu(), 1), QStringLiteral("No Layout"))->trigger();
        QTRY_VERIFY(menu_->menu() != second);
        QCOMPARE(checked(*displayMenu(*menu_->menu(), 1)),
                 QStringList{QStringLiteral("No Layout")});
        QVERIFY(windows_->monitorZones().value(monitorID(test::secondDisplay())).isEmpty());
    }

    void thePreviewFollowsTheSetting()
    {
        menu_->selectLayoutForDisplay(test::primaryDisplay(), focusLayout());
        QTRY_VERIFY(windows_->overlayWindow()); // previewed
        QTRY_VERIFY(!windows_->overlayWindow());

        Settings::setValue(SettingsKeys::showLayoutPreview, false);
        menu_->selectLayoutForDisplay(test::primaryDisplay(), noLayout());
        QTest::qWait(200);
        QVERIFY(!windows_->overlayWindow());
        QVERIFY(windows_->monitorZones().value(monitorID(test::primaryDisplay())).isEmpty());
        QCOMPARE(layouts_->layoutFor(test::primaryDisplay())->id, noLayout().id);
    }

    void theHintNamesTheModifier_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("option") << QStringLiteral("option") << QStringLiteral("Alt");
        QTest::newRow("ALT") << QStringLiteral("ALT") << QStringLiteral("Alt");
        QTest::newRow("cmd") << QStringLiteral("cmd") << QStringLiteral("Super");
        QTest::newRow("control") << QStringLiteral("control") << QStringLiteral("Ctrl");
        QTest::newRow("space") << QStringLiteral("space") << QStringLiteral("Space");
        QTest::newRow("f5") << QStringLiteral("f5") << QStringLiteral("F5");
    }

    void theHintNamesTheModifier()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        Settings::setValue(SettingsKeys::dragModifierKey, stored);
        menu_->updateMenu();
        QCOMPARE(menu_->menu()->actions().first()->text(),
                 QStringLiteral("Hold ") + shown + QStringLiteral(" and drag window to snap"));
    }

    void theWarningComesAndGoesWithoutARebuild()
    {
        QMenu* before = menu_->menu();
        const int count = static_cast<int>(before->actions().size());
        fake_->setTrusted(false);
        menu_->updateAccessibilityWarning();
        QCOMPARE(menu_->menu(), before);
        QCOMPARE(before->actions().size(), count + 2);
        QCOMPARE(before->actions().at(2)->text(),
                 QStringLiteral("\u26A0\uFE0F Corvane cannot see or move windows"));
        QVERIFY(before->actions().at(3)->isSeparator());
        menu_->updateAccessibilityWarning(); // no change while still untrusted
        QCOMPARE(before->actions().size(), count + 2);
        // Trusted, but in a session whose native windows are out of reach: the row stays and
        // says why.
        fake_->setTrusted(true);
        fake_->setReachesEveryWindow(false);
        menu_->updateAccessibilityWarning();
        QCOMPARE(before->actions().size(), count + 2);
        QCOMPARE(
            before->actions().at(2)->text(),
            QStringLiteral("\u26A0\uFE0F Only X11 windows can be snapped in a Wayland session"));
        fake_->setReachesEveryWindow(true);
        menu_->updateAccessibilityWarning();
        QCOMPARE(test::menuTexts(*before).size(), count);
        QVERIFY(!test::menuTexts(*before).contains(
            QStringLiteral("\u26A0\uFE0F Corvane cannot see or move windows")));
    }
};

QTEST_MAIN(StatusMenuTest)
#include "tst_statusmenu.moc"
