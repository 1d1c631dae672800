// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestEnvironment.h"
#include "editor/LayoutEditingSession.h"
#include "layouts/LayoutKeys.h"
#include "layouts/LayoutManager.h"
#include "models/LayoutJson.h"
#include "models/Layouts.h"
#include "overlay/ZoneManager.h"
#include "settings/Notifications.h"
#include "settings/Settings.h"
#include "settings/SettingsKeys.h"

#include <QSignalSpy>
#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

MonitorLayoutPreferenceList storedPreferences()
{
    const auto data = Settings::data(SettingsKeys::monitorLayoutPreferences);
    return data ? json::decodePreferences(*data).value_or(MonitorLayoutPreferenceList{})
                : MonitorLayoutPreferenceList{};
}

ScreenLayout customLayout(const QString& name)
{
    return ScreenLayout{QUuid::createUuid(), name, {Zone(Rect(0, 0, 1, 1))}, std::nullopt};
}

// One stored choice as the text of an element of the stored list.
QByteArray choiceText(const MonitorLayoutPreference& choice)
{
    return json::encodePreferences({choice}).mid(1).chopped(1);
}

} // namespace

class LayoutManagerTest : public QObject {
    Q_OBJECT
private:
    FakePlatform* fake_ = nullptr;
    std::unique_ptr<ZoneManager> windows_;
    std::unique_ptr<LayoutManager> layouts_;

    void restart()
    {
        layouts_.reset();
        windows_ = std::make_unique<ZoneManager>();
        layouts_ = std::make_unique<LayoutManager>(*windows_);
    }
    ZoneList zonesOf(const corvane::Display& d) const
    {
        return windows_->monitorZones().value(monitorID(d));
    }

private slots:
    void init()
    {
        fake_ = &test::freshDesktop();
        restart();
    }
    void cleanup()
    {
        layouts_.reset();
        windows_.reset();
    }

    void displaysWithoutAChoiceGetTallUntilOneIsSaved()
    {
        layouts_->applySavedLayouts();
        QCoreApplication::processEvents();
        const auto tall = templateNamed(u"Tall"_s);
        QVERIFY(tall);
        QCOMPARE(zonesOf(test::primaryDisplay()).size(), tall->zones.size());
        QCOMPARE(zonesOf(test::secondDisplay()).first().id, tall->zones.first().id);
        QVERIFY(!Settings::contains(SettingsKeys::monitorLayoutPreferences));

        // Saving twice keeps one entry per display, the replaced one last.
        layouts_->saveLayoutPreference(test::primaryDisplay(), focusLayout());
        layouts_->saveLayoutPreference(test::secondDisplay(), noLayout());
        layouts_->saveLayoutPreference(test::primaryDisplay(), noLayout());
        const auto stored = storedPreferences();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored[0].monitorID, monitorID(test::secondDisplay()));
        QCOMPARE(stored[1].monitorID, monitorID(test::primaryDisplay()));
        QCOMPARE(stored[1].layoutID, noLayout().uuidString());
        QCOMPARE(stored[1].layoutName, u"No Layout"_s);
        QCOMPARE(layouts_->layoutFor(test::primaryDisplay())->id, noLayout().id);
    }

    // Applied again later on the event loop, without writing the settings file.
    void aStoredChoiceIsAppliedAtStartUpWithoutAWrite()
    {
        layouts_->saveLayoutPreference(test::secondDisplay(), focusLayout());
        layouts_->saveLayoutPreference(test::primaryDisplay(), noLayout());
        const QByteArray stored = *Settings::data(SettingsKeys::monitorLayoutPreferences);
        const QDateTime written = QFileInfo(test::settingsFilePath()).lastModified();
        QTest::qWait(20); // a later write would have a later time
        restart();
        layouts_->applySavedLayouts();
        QCOMPARE(zonesOf(test::secondDisplay()).size(), 1); // at once
        QCoreApplication::processEvents();
        QCOMPARE(*Settings::data(SettingsKeys::monitorLayoutPreferences), stored);
        QCOMPARE(QFileInfo(test::settingsFilePath()).lastModified(), written);
        QVERIFY(zonesOf(test::primaryDisplay()).isEmpty());
    }

    void savingBeforeStartUpKeepsOtherDisplaysChoices()
    {
        layouts_->saveLayoutPreference(test::secondDisplay(), focusLayout());
        restart(); // a new process that has not applied the saved layouts yet
        layouts_->saveLayoutPreference(test::primaryDisplay(), noLayout());
        const auto stored = storedPreferences();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored[0].monitorID, monitorID(test::secondDisplay()));
    }

    // The displays that used a deleted layout fall back at once, and its choices go in the
    // same save; an edited layout stays the choice of its displays under its new id.
    void deletingOrEditingALayoutCarriesItsDisplaysAlong()
    {
        const ScreenLayout mine = customLayout(u"Mine"_s);
        const ScreenLayout other = customLayout(u"Other"_s);
        QSignalSpy changed(&Notifications::shared(), &Notifications::customLayoutsChanged);
        layouts_->addCustomLayout(mine);
        layouts_->addCustomLayout(other);
        layouts_->applyLayout(mine, test::primaryDisplay());
        layouts_->applyLayout(other, test::secondDisplay());
        QCOMPARE(layouts_->usersOf(mine.id).connectedDisplays, QStringList{u"Built-in"_s});

        LayoutEditingSession::of(*layouts_).startEditing(other);
        LayoutEditingSession::of(*layouts_).addZone();
        QVERIFY(LayoutEditingSession::of(*layouts_).saveEditedLayout(u"Other, edited"_s));
        const ScreenLayout edited = layouts_->customLayouts().at(1);
        QVERIFY(edited.id != other.id);
        QCOMPARE(layouts_->layoutFor(test::secondDisplay())->id, edited.id);
        QCOMPARE(storedPreferences().last().layoutName, u"Other, edited"_s);
        QCOMPARE(test::zoneIds(zonesOf(test::secondDisplay())), test::zoneIds(edited.zones));
        restart();
        layouts_->applySavedLayouts();
        QCoreApplication::processEvents();
        QCOMPARE(test::zoneIds(zonesOf(test::secondDisplay())), test::zoneIds(edited.zones));

        QVERIFY(layouts_->deleteCustomLayout(mine.id));
        QVERIFY(layouts_->deleteCustomLayout(QUuid::createUuid())); // unknown: still posts
        QCOMPARE(changed.count(), 5);
        QVERIFY(!layouts_->layoutFor(test::primaryDisplay()));
        QCOMPARE(storedPreferences().size(), 1);
        QCOMPARE(test::zoneIds(zonesOf(test::primaryDisplay())),
                 test::zoneIds(templateNamed(u"Tall"_s)->zones));
    }

    // A desktop's choice stands before the display's, which desktops without one keep using;
    // an edited layout stays its choice, a deleted one leaves it; the layout key goes along.
    void eachDesktopHasItsChoicesWhichFollowTheirLayouts()
    {
        fake_->fakeDesktops().setDesktops(2);
        const corvane::Display display = test::primaryDisplay();
        Settings::setValue(SettingsKeys::layoutsPerDesktop, false);
        layouts_->saveLayoutPreference(display, focusLayout());
        Settings::setValue(SettingsKeys::layoutsPerDesktop, true);
        ScreenLayout mine = customLayout(u"Mine"_s);
        mine.quickKey = 7;
        layouts_->addCustomLayout(mine);
        fake_->fakeDesktops().switchTo(2);
        QVERIFY(layouts_->saveLayoutPreference(display, mine));
        layouts_->showCurrentDesktopLayouts();
        QCOMPARE(test::zoneIds(zonesOf(display)), test::zoneIds(mine.zones));
        QCOMPARE(layouts_->layoutFor(display, fake_->fakeDesktops().withNumber(1))->id,
                 focusLayout().id);
        QCOMPARE(storedPreferences().size(), 1);

        LayoutEditingSession::of(*layouts_).startEditing(mine);
        LayoutEditingSession::of(*layouts_).addZone();
        QVERIFY(LayoutEditingSession::of(*layouts_).saveEditedLayout(u"Mine, edited"_s));
        const ScreenLayout edited = layouts_->customLayouts().first();
        QCOMPARE(edited.quickKey, 7);
        QCOMPARE(layouts_->layoutFor(display)->id, edited.id);
        QCOMPARE(layouts_->usersOf(edited.id).connectedDisplays, QStringList{u"Built-in"_s});
        QVERIFY(layouts_->deleteCustomLayout(edited.id));
        QCOMPARE(layouts_->layoutFor(display)->id, focusLayout().id);
        QCOMPARE(test::zoneIds(zonesOf(display)), test::zoneIds(focusLayout().zones));

        // A key given is taken from the layout whose place it was; that place's key is free.
        LayoutKeys keys(*layouts_);
        QCOMPARE(keys.layoutForKey(3)->id, templateLayouts().first().id);
        QVERIFY(keys.setKey(focusLayout(), 3));
        QCOMPARE(keys.layoutForKey(3)->id, focusLayout().id);
        QCOMPARE(keys.keyOf(templateLayouts().first()), 0);
        QVERIFY(!keys.layoutForKey(2));
    }

    // One stored layout that cannot be read costs only itself: the others load, it is written
    // back unchanged with every save, and the displays' choices of it survive start-up.
    void anUnreadableStoredLayoutCostsOnlyItself()
    {
        const ScreenLayout good = customLayout(u"Good"_s);
        const ScreenLayout later = customLayout(u"Later"_s);
        const QByteArray noName = R"({"id":"00000000-0000-0000-0000-00000000000A","zones":[]})";
        const QByteArray huge = R"({"id":"x","name":"n","zones":[{"x":1e400}]})";
        const QByteArray goodText = json::encodeLayouts({good}).mid(1).chopped(1);
        const QByteArray laterText = json::encodeLayouts({later}).mid(1).chopped(1);
        Settings::setData(SettingsKeys::customLayouts,
                          "[" + goodText + ", " + noName + "," + huge + "," + laterText + "]");
        const MonitorLayoutPreferenceList choices{
            {monitorID(test::primaryDisplay()), good.uuidString(), u"Good"_s},
            {monitorID(test::secondDisplay()), u"00000000-0000-0000-0000-00000000000A"_s,
             u"Lost?"_s}};
        Settings::setData(SettingsKeys::monitorLayoutPreferences, json::encodePreferences(choices));
        restart();
        QCOMPARE(layouts_->customLayouts().size(), 2);
        QCOMPARE(layouts_->customLayouts().at(1).id, later.id);
        QCOMPARE(layouts_->unreadableLayoutCount(), 2);

        layouts_->applySavedLayouts();
        QCoreApplication::processEvents();
        QCOMPARE(test::zoneIds(zonesOf(test::secondDisplay())),
                 test::zoneIds(LayoutManager::fallbackLayout().zones));
        QVERIFY(storedPreferences().contains(choices[1]));

        layouts_->addCustomLayout(customLayout(u"New"_s));
        const auto stored = json::decodeStoredLayouts(*Settings::data(SettingsKeys::customLayouts));
        QCOMPARE(stored->layouts.size(), 3);
        QCOMPARE(stored->unreadable, (QList<QByteArray>{noName, huge}));
        QVERIFY(!Settings::contains(u"CustomLayouts.unreadable"_s));
    }

    // One stored choice that cannot be read costs only itself: the other displays keep theirs,
    // and it is written back as it was with the next choice.
    void oneUnreadableChoiceCostsOnlyItself()
    {
        const QByteArray bad = R"({"monitorID":"gone","layoutID":7,"layoutName":"Seven"})";
        const MonitorLayoutPreference second{monitorID(test::secondDisplay()),
                                             focusLayout().uuidString(), u"Focus"_s};
        Settings::setData(SettingsKeys::monitorLayoutPreferences,
                          "[" +
                              choiceText({monitorID(test::primaryDisplay()),
                                          noLayout().uuidString(), u"No Layout"_s}) +
                              "," + bad + "," + choiceText(second) + "]");
        restart();
        layouts_->applySavedLayouts();
        QCoreApplication::processEvents();
        QVERIFY(zonesOf(test::primaryDisplay()).isEmpty());
        QCOMPARE(test::zoneIds(zonesOf(test::secondDisplay())), test::zoneIds(focusLayout().zones));

        QVERIFY(layouts_->saveLayoutPreference(test::primaryDisplay(), focusLayout()));
        const QByteArray stored = *Settings::data(SettingsKeys::monitorLayoutPreferences);
        QVERIFY(stored.contains(bad));
        QVERIFY(stored.contains(choiceText(second)));
        restart();
        QCOMPARE(layouts_->layoutFor(test::primaryDisplay())->id, focusLayout().id);
    }

    // A stored layout whose id an earlier one has gets an id of its own, kept from then on; the
    // display that chose it by name keeps it, and a delete removes one layout only.
    void aDuplicateIdGetsOneOfItsOwn()
    {
        const ScreenLayout first = customLayout(u"Dup1"_s);
        ScreenLayout second = customLayout(u"Dup2"_s);
        second.id = first.id;
        Settings::setData(SettingsKeys::customLayouts, json::encodeLayouts({first, second}));
        Settings::setData(SettingsKeys::monitorLayoutPreferences,
                          json::encodePreferences(
                              {{monitorID(test::primaryDisplay()), first.uuidString(), u"Dup1"_s},
                               {monitorID(test::secondDisplay()), first.uuidString(), u"Dup2"_s}}));
        restart();
        QCOMPARE(layouts_->customLayouts().size(), 2);
        QCOMPARE(layouts_->customLayouts().at(0).id, first.id);
        const QUuid own = layouts_->customLayouts().at(1).id;
        QVERIFY(own != first.id && !own.isNull());
        restart();
        QCOMPARE(layouts_->customLayouts().at(1).id, own);
        layouts_->applySavedLayouts();
        QCoreApplication::processEvents();
        QCOMPARE(test::zoneIds(zonesOf(test::secondDisplay())), test::zoneIds(second.zones));
        QCOMPARE(test::zoneIds(zonesOf(test::primaryDisplay())), test::zoneIds(first.zones));

        QVERIFY(layouts_->deleteCustomLayout(own));
        QCOMPARE(layouts_->customLayouts().size(), 1);
        QCOMPARE(layouts_->customLayouts().at(0).name, u"Dup1"_s);
    }

    // Ending a session without saving, however it ends, leaves the display with the zones of its
    // layout, not with the draft's.
    void aSessionEndedUnsavedLeavesTheDisplayAsItWas()
    {
        const ScreenLayout tall = *templateNamed(u"Tall"_s);
        layouts_->applyLayout(tall, test::primaryDisplay());
        LayoutEditingSession::of(*layouts_).startEditing(std::nullopt);
        LayoutEditingSession::of(*layouts_).stopEditing();
        QCOMPARE(test::zoneIds(zonesOf(test::primaryDisplay())), test::zoneIds(tall.zones));
        LayoutEditingSession::of(*layouts_).startEditing(focusLayout());
        LayoutEditingSession::of(*layouts_).addZone();
        LayoutEditingSession::of(*layouts_).cancelEditing();
        QCOMPARE(test::zoneIds(zonesOf(test::primaryDisplay())), test::zoneIds(tall.zones));
    }

    // Every distinct undecodable value is kept aside before a save replaces it, once each.
    void undecodableStoredValuesAreKeptAsideBeforeAnOverwrite()
    {
        Settings::setData(SettingsKeys::customLayouts, QByteArray(R"({"not":"a list"})"));
        Settings::setData(SettingsKeys::monitorLayoutPreferences, QByteArray("{oops"));
        restart();
        QCOMPARE(layouts_->unreadableLayoutCount(), 1);
        layouts_->addCustomLayout(customLayout(u"New"_s));
        QCOMPARE(Settings::value(u"CustomLayouts.unreadable"_s).toByteArray(),
                 QByteArray(R"({"not":"a list"})"));
        const auto aside = [](int n) {
            return Settings::value(u"MonitorLayoutPreferences.unreadable"_s +
                                   (n > 1 ? u".%1"_s.arg(n) : QString()));
        };
        for (const QByteArray& broken :
             {QByteArray("{oops"), QByteArray("{again"), QByteArray("{oops")}) {
            Settings::setData(SettingsKeys::monitorLayoutPreferences, broken);
            layouts_->saveLayoutPreference(test::primaryDisplay(), focusLayout());
        }
        QCOMPARE(aside(1).toByteArray(), QByteArray("{oops"));
        QCOMPARE(aside(2).toByteArray(), QByteArray("{again"));
        QVERIFY(!aside(3).isValid());
        QCOMPARE(storedPreferences().size(), 1);
    }

    // A session starts with one default zone, takes the overlay's edits, and deleting an
    // absent zone still refreshes and posts.
    void theEditingSession()
    {
        LayoutEditingSession::of(*layouts_).startEditing(std::nullopt);
        QCOMPARE(LayoutEditingSession::of(*layouts_).editingZones()->size(), 1);
        QCOMPARE(LayoutEditingSession::of(*layouts_).editingZones()->first().frame,
                 Rect(0.25, 0.25, 0.5, 0.5));
        QSignalSpy deleted(&Notifications::shared(), &Notifications::zoneDeleted);
        const QUuid absent = QUuid::createUuid();
        LayoutEditingSession::of(*layouts_).deleteZone(absent);
        QCOMPARE(deleted.count(), 0); // posted on the next turn of the event loop
        QTRY_COMPARE(deleted.count(), 1);
        QCOMPARE(deleted.first().first().value<QUuid>(), absent);
        QCOMPARE(LayoutEditingSession::of(*layouts_).editingZones()->size(), 1);
        emit Notifications::shared().zonesUpdated({Zone(Rect(0.1, 0.1, 0.2, 0.2))});
        QTRY_COMPARE(LayoutEditingSession::of(*layouts_).editingZones()->first().frame,
                     Rect(0.1, 0.1, 0.2, 0.2));
        LayoutEditingSession::of(*layouts_).stopEditing();
        QVERIFY(!windows_->overlayWindow());

        LayoutEditingSession::of(*layouts_).startEditing(
            ScreenLayout{QUuid::createUuid(), u"Empty"_s, {}, {}});
        QCOMPARE(LayoutEditingSession::of(*layouts_).editingZones()->size(), 1);
        QCOMPARE(LayoutEditingSession::of(*layouts_).editingLayout()->name, u"Empty"_s);
        LayoutEditingSession::of(*layouts_).cancelEditing();
        QVERIFY(!LayoutEditingSession::of(*layouts_).isEditing() &&
                !LayoutEditingSession::of(*layouts_).editingZones() &&
                !LayoutEditingSession::of(*layouts_).editingLayout());
    }

    // Outside a session neither grids nor added zones do anything. Grids are row-major with
    // gaps; added zones avoid overlaps.
    void gridsAndAddedZones()
    {
        LayoutEditingSession::of(*layouts_).generateGrid(2, 2);
        LayoutEditingSession::of(*layouts_).addZone();
        QVERIFY(!LayoutEditingSession::of(*layouts_).editingZones());
        LayoutEditingSession::of(*layouts_).startEditing(std::nullopt);
        LayoutEditingSession::of(*layouts_).generateGrid(3, 2);
        const ZoneList six = *LayoutEditingSession::of(*layouts_).editingZones();
        QCOMPARE(six.size(), 6);
        QVERIFY(qFuzzyCompare(six[1].frame.x, 0.02 + 0.47 + 0.02)); // first row first
        QVERIFY(qFuzzyCompare(six[1].frame.y, 0.02));
        QVERIFY(qFuzzyCompare(six[2].frame.y, 0.02 + (1 - 4 * 0.02) / 3 + 0.02));
        LayoutEditingSession::of(*layouts_).generateGrid(0, 3);
        QVERIFY(LayoutEditingSession::of(*layouts_).editingZones()->isEmpty());

        LayoutEditingSession::of(*layouts_).addZone();
        LayoutEditingSession::of(*layouts_).addZone();
        LayoutEditingSession::of(*layouts_).addZone();
        const ZoneList three = *LayoutEditingSession::of(*layouts_).editingZones();
        QCOMPARE(three[0].frame.origin(), Point({0.05, 0.05}));
        QVERIFY(qFuzzyCompare(three[1].frame.x, 0.40));
        QVERIFY(qFuzzyCompare(three[2].frame.y, 0.40) && qFuzzyCompare(three[2].frame.x, 0.05));
        // The fourth starts at (0.05, 0.40), on top of the third, and steps right by 0.05.
        LayoutEditingSession::of(*layouts_).addZone();
        const Rect fourth = LayoutEditingSession::of(*layouts_).editingZones()->last().frame;
        QVERIFY(qFuzzyCompare(fourth.y, 0.40));
        QVERIFY(fourth.x > 0.349 && fourth.x < 0.351);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!fourth.intersects(three[i].frame));
    }
};

QTEST_MAIN(LayoutManagerTest)
#include "tst_layoutmanager.moc"
