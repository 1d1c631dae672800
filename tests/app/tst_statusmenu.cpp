// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "WidgetEvents.h"
#include "app/StatusMenu.h"
#include "app/Translations.h"
#include "layouts/LayoutManager.h"
#include "models/Layouts.h"
#include "overlay/ZoneManager.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QMenu>
#include <QTest>
#include <QTranslator>

using namespace corvane;
using namespace Qt::StringLiterals;

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
        fake_ = &test::freshDesktop();
        windows_ = std::make_unique<ZoneManager>();
        layouts_ = std::make_unique<LayoutManager>(*windows_);
        StatusMenu::Actions actions;
        actions.preferencesShortcutText = [] { return std::optional(u"Ctrl+Shift+Super+P"_s); };
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
        QCOMPARE(
            test::menuTexts(*menu_->menu()),
            (QStringList{"Hold Shift and drag window to snap", "-",
                         "Display 1: Built-in (1440×900) (Primary)",
                         "Display 2: External (1920×1080)", "-", "Preferences…\tCtrl+Shift+Super+P",
                         "Layout Editor…", "Send Feedback…", "About Corvane", "-", "Quit"}));
        QVERIFY(!menu_->menu()->actions().first()->isEnabled());

        // A display's submenu lists the layouts.
        QMenu* submenu = displayMenu(*menu_->menu(), 0);
        QVERIFY(submenu);
        QStringList layouts{u"No Layout"_s, u"Focus"_s, u"-"_s, u"Template Layouts"_s};
        for (const ScreenLayout& layout : templateLayouts())
            layouts << layout.name;
        QCOMPARE(test::menuTexts(*submenu), layouts);
        // No stored choice: the layout in use is the fallback, and the menu marks it.
        QCOMPARE(checked(*submenu), QStringList{LayoutManager::fallbackLayout().name});

        // Names are shown as typed: an "&" is no accelerator mark.
        layouts_->addCustomLayout({QUuid::createUuid(), u"Desk & \"q\""_s, {}, {}});
        corvane::Display ampersand = test::secondDisplay();
        ampersand.localizedName = u"Dell & Co"_s;
        fake_->setDisplays({test::primaryDisplay(), ampersand});
        menu_->updateMenu();
        const QStringList withCustom = test::menuTexts(*displayMenu(*menu_->menu(), 0));
        QCOMPARE(withCustom.mid(withCustom.size() - 3),
                 QStringList({u"-"_s, u"Custom Layouts"_s, u"Desk & \"q\""_s}));
        QVERIFY(test::menuTexts(*menu_->menu()).contains(u"Display 2: Dell & Co (1920×1080)"_s));
    }

    void choosingALayoutMovesTheCheckMark()
    {
        // The choice is applied on the next turn of the event loop, and the menu rebuilt.
        const QMenu* first = menu_->menu();
        item(*displayMenu(*menu_->menu(), 1), u"Focus"_s)->trigger();
        QTRY_VERIFY(menu_->menu() != first);
        QCOMPARE(checked(*displayMenu(*menu_->menu(), 1)), QStringList{u"Focus"_s});
        QCOMPARE(checked(*displayMenu(*menu_->menu(), 0)),
                 QStringList{LayoutManager::fallbackLayout().name});
        QCOMPARE(windows_->monitorZones().value(monitorID(test::secondDisplay())).size(), 1);
    }

    void theHintNamesTheModifier_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ALT") << u"ALT"_s << u"Alt"_s;
        QTest::newRow("cmd") << u"cmd"_s << u"Super"_s;
        QTest::newRow("space") << u"space"_s << u"Space"_s;
        QTest::newRow("f5") << u"f5"_s << u"F5"_s;
    }

    void theHintNamesTheModifier()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        Settings::setValue(SettingsKeys::dragModifierKey, stored);
        menu_->updateMenu();
        QCOMPARE(menu_->menu()->actions().first()->text(),
                 u"Hold "_s + shown + u" and drag window to snap"_s);
    }

    void theMenuSpeaksGermanInAGermanLocale()
    {
        installTranslations(QLocale(QLocale::German, QLocale::Germany));
        menu_->updateMenu();
        const QStringList texts = test::menuTexts(*menu_->menu());
        for (QTranslator* translator : qApp->findChildren<QTranslator*>())
            QCoreApplication::removeTranslator(translator);
        QCOMPARE(texts,
                 (QStringList{u"Halten Sie Umschalt gedrückt und ziehen Sie ein Fenster "
                              "zum Einrasten"_s,
                              "-", u"Bildschirm 1: Built-in (1440×900) (Hauptbildschirm)"_s,
                              u"Bildschirm 2: External (1920×1080)"_s, "-",
                              u"Einstellungen …\tCtrl+Shift+Super+P"_s, u"Layout-Editor …"_s,
                              u"Rückmeldung senden …"_s, u"Über Corvane"_s, "-", "Beenden"}));
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
                 u"\u26A0\uFE0F Corvane cannot see or move windows"_s);
        QVERIFY(before->actions().at(3)->isSeparator());
        // Trusted, but in a session whose native windows are out of reach: the row stays and
        // says why.
        fake_->setTrusted(true);
        fake_->setReachesEveryWindow(false);
        menu_->updateAccessibilityWarning();
        QCOMPARE(before->actions().size(), count + 2);
        QCOMPARE(before->actions().at(2)->text(),
                 u"\u26A0\uFE0F Only X11 windows can be snapped in a Wayland session"_s);
        fake_->setReachesEveryWindow(true);
        menu_->updateAccessibilityWarning();
        QCOMPARE(test::menuTexts(*before).size(), count);
    }
};

QTEST_MAIN(StatusMenuTest)
#include "tst_statusmenu.moc"
