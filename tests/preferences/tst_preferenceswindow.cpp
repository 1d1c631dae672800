#include "TestEnvironment.h"
#include "preferences/FeedbackType.h"
#include "preferences/FeedbackView.h"
#include "preferences/GeneralPreferencesView.h"
#include "preferences/PreferencesTabButton.h"
#include "preferences/PreferencesView.h"
#include "preferences/PreferencesWindow.h"
#include "preferences/SymbolIcons.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

using namespace corvane;

class PreferencesWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        test::resetStores();
        test::installFakePlatform().setDisplays({test::primaryDisplay()});
    }

    void theSidebarListsTheFourTabsInOrderWithinTheSizeBounds()
    {
        PreferencesWindow window(PreferencesTab::general);
        QCOMPARE(window.size(), QSize(900, 650));
        window.showAndActivate();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Preferences"));
        const QList<PreferencesTabButton*> buttons = window.findChildren<PreferencesTabButton*>();
        QCOMPARE(buttons.size(), 4);
        const QStringList expected{QStringLiteral("General"), QStringLiteral("Keyboard Shortcuts"),
                                   QStringLiteral("Layout Editor"), QStringLiteral("Feedback")};
        QStringList titles;
        for (PreferencesTab tab : allPreferencesTabs)
            titles.append(window.view()->tabButton(tab)->text());
        QCOMPARE(titles, expected);
        // Laid out top to bottom in that order.
        for (int i = 1; i < 4; ++i) {
            QVERIFY(window.view()->tabButton(allPreferencesTabs[i])->y() >
                    window.view()->tabButton(allPreferencesTabs[i - 1])->y());
        }
        QVERIFY(window.view()->tabButton(PreferencesTab::general)->isSelected());
        QVERIFY(!window.view()->tabButton(PreferencesTab::feedback)->isSelected());

        window.resize(2000, 2000);
        QCOMPARE(window.size(), QSize(1200, 1000));
        window.resize(100, 100);
        QCOMPARE(window.size(), QSize(800, 600));
        window.resize(1000, 700);
        QCOMPARE(window.size(), QSize(1000, 700));
    }

    void pressingATabShowsItsPage()
    {
        PreferencesWindow window(PreferencesTab::general);
        window.showAndActivate();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        PreferencesView* view = window.view();
        QVERIFY(qobject_cast<GeneralPreferencesView*>(view->page(PreferencesTab::general)));
        QVERIFY(!view->page(PreferencesTab::feedback)); // built when first shown
        QSignalSpy changes(view, &PreferencesView::selectedTabChanged);

        QTest::mouseClick(view->tabButton(PreferencesTab::feedback), Qt::LeftButton);
        QCOMPARE(window.selectedTab(), PreferencesTab::feedback);
        QCOMPARE(changes.size(), 1);
        auto* feedback = qobject_cast<FeedbackView*>(view->page(PreferencesTab::feedback));
        QVERIFY(feedback);
        QVERIFY(feedback->isVisible());
        QVERIFY(!view->page(PreferencesTab::general)->isVisible());
        QVERIFY(view->tabButton(PreferencesTab::feedback)->isSelected());
        QVERIFY(!view->tabButton(PreferencesTab::general)->isSelected());

        // A page is kept while another tab is shown: what was typed is still there.
        feedback->setFeedbackText(QStringLiteral("half-written"));
        window.selectTab(PreferencesTab::general);
        window.selectTab(PreferencesTab::feedback);
        QCOMPARE(view->page(PreferencesTab::feedback), feedback);
        QCOMPARE(feedback->feedbackText(), QStringLiteral("half-written"));
        QCOMPARE(changes.size(), 3);
        window.selectTab(PreferencesTab::feedback);
        QCOMPARE(changes.size(), 3); // selecting the shown tab is no change

        // A hidden window comes back on its last tab.
        window.close();
        QVERIFY(!window.isVisible());
        window.showAndActivate();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.selectedTab(), PreferencesTab::feedback);
        QVERIFY(feedback->isVisible());
    }

    // A page nobody supplied is empty; the application can supply one.
    // A setting that cannot be saved, from any page or thread, is said in the window.
    void aSettingThatCannotBeSavedIsSaid()
    {
        PreferencesWindow window(PreferencesTab::general);
        window.showAndActivate();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.saveFailureNotice()->isVisible());
        QVERIFY(test::blockSettingsFolder());
        std::unique_ptr<QThread> saver(
            QThread::create([] { Settings::setValue(SettingsKeys::showLayoutPreview, false); }));
        saver->start();
        QVERIFY(saver->wait());
        QTRY_VERIFY(window.saveFailureNotice()->isVisible());
        QVERIFY(
            window.saveFailureText()->text().contains(QStringLiteral("is a file, not a folder")));
        QVERIFY(test::unblockSettingsFolder());
    }

    void theApplicationCanSupplyAPage()
    {
        PreferencesWindow window(PreferencesTab::layoutEditor);
        QVERIFY(window.view()->page(PreferencesTab::layoutEditor)->children().isEmpty());
        window.showAndActivate();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int built = 0;
        window.view()->setPageFactory(PreferencesTab::layoutEditor, [&built] {
            ++built;
            return std::make_unique<QLabel>(QStringLiteral("gallery"));
        });
        // The empty page shown until now is replaced at once.
        auto* page = qobject_cast<QLabel*>(window.view()->page(PreferencesTab::layoutEditor));
        QVERIFY(page);
        QCOMPARE(page->text(), QStringLiteral("gallery"));
        QVERIFY(page->isVisible());
        window.selectTab(PreferencesTab::general);
        window.selectTab(PreferencesTab::layoutEditor);
        QCOMPARE(built, 1);

        // A factory for a tab not built yet is used when the tab is first shown.
        window.view()->setPageFactory(PreferencesTab::keyboardShortcuts, [] {
            return std::make_unique<QLabel>(QStringLiteral("shortcuts"));
        });
        QVERIFY(!window.view()->page(PreferencesTab::keyboardShortcuts));
        window.selectTab(PreferencesTab::keyboardShortcuts);
        QCOMPARE(
            qobject_cast<QLabel*>(window.view()->page(PreferencesTab::keyboardShortcuts))->text(),
            QStringLiteral("shortcuts"));
    }

    void everySymbolTheWindowsUseIsDrawn()
    {
        QStringList symbols;
        for (PreferencesTab tab : allPreferencesTabs)
            symbols.append(preferencesTabSymbol(tab));
        for (FeedbackType type : allFeedbackTypes)
            symbols.append(feedbackTypeSymbol(type));
        symbols << QStringLiteral("envelope.fill") << QStringLiteral("paperplane.fill")
                << QStringLiteral("exclamationmark.triangle.fill")
                << QStringLiteral("checkmark.circle.fill") << QStringLiteral("arrow.clockwise")
                << QStringLiteral("info.circle.fill")
                << QStringLiteral("trash.circle.fill")
                // the layout editor's
                << QStringLiteral("square.grid.2x2") << QStringLiteral("square.grid.3x3")
                << QStringLiteral("plus.circle.fill") << QStringLiteral("trash")
                << QStringLiteral("display");
        for (const QString& symbol : symbols) {
            QVERIFY2(SymbolIcons::isKnown(symbol), qPrintable(symbol));
            const QImage image = SymbolIcons::pixmap(symbol, 24, Qt::red, 2.0).toImage();
            QCOMPARE(image.size(), QSize(48, 48));
            int painted = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    painted += qAlpha(image.pixel(x, y)) > 128;
            }
            // Something recognisable, not an empty square nor a filled one.
            QVERIFY2(painted > 48 && painted < 48 * 48 * 3 / 4, qPrintable(symbol));
        }
    }
};

QTEST_MAIN(PreferencesWindowTest)
#include "tst_preferenceswindow.moc"
