#include "TestEnvironment.h"
#include "windows/WindowUtil.h"

#include <QTest>

using namespace corvane;
using namespace Qt::StringLiterals;

class WindowLookupTest : public QObject {
    Q_OBJECT
private:
    FakePlatform* fake_ = nullptr;
    std::uint64_t now_ = 1000;

private slots:
    void init()
    {
        fake_ = &test::installFakePlatform();
        now_ = 1000;
        WindowUtil::resetCache([this] { return now_; });
    }

    void answersLiveForExactly100Milliseconds()
    {
        fake_->addWindow(10, 1, Rect(0, 0, 100, 100), u"App"_s);
        QCOMPARE(WindowUtil::getWindowInfos(std::nullopt, false).size(), 1);
        QCOMPARE(fake_->counters.windowList, 1);
        fake_->addWindow(10, 2, Rect(5, 5, 100, 100));

        now_ += 100;
        QCOMPARE(WindowUtil::getWindowInfos(std::nullopt, false).size(), 1);
        QCOMPARE(fake_->counters.windowList, 1);
        // The flag is not part of the key.
        QCOMPARE(WindowUtil::getWindowInfos(std::nullopt, true).size(), 1);
        QCOMPARE(fake_->counters.windowList, 1);

        now_ += 1;
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
        now_ += 101;
        const auto again = WindowUtil::getWindowInfos(std::nullopt, false);
        QCOMPARE(again.size(), 2);
        QVERIFY(!again[1].processName); // no owner name
    }

    void cacheListKeepsInsertionOrder()
    {
        std::uint64_t clock = 50'000;
        TimeoutCache<int, int> cache([&] { return clock; });
        cache.set(1, 10);
        cache.set(2, 20);
        cache.set(3, 30);
        QCOMPARE(cache.headKey(), std::optional(1));
        cache.set(1, 11); // moves to the tail with a fresh expiry
        QCOMPARE(cache.headKey(), std::optional(2));
        QCOMPARE(cache.tailKey(), std::optional(1));
        cache.remove(3);
        cache.remove(2);
        QCOMPARE(cache.headKey(), std::optional(1));
        cache.remove(1);
        QVERIFY(!cache.headKey() && !cache.tailKey());
        QCOMPARE(cache.size(), std::size_t(0));
        cache.set(4, std::nullopt); // no value only removes
        QCOMPARE(cache.size(), std::size_t(0));
    }

    void purgesStopAtTheFirstLiveEntryAndRunAtMostEveryTenSeconds()
    {
        std::uint64_t clock = 1;
        TimeoutCache<int, int> cache([&] { return clock; });
        cache.set(1, 1); // the first set purges and arms the restriction until 10001
        clock = 50;
        cache.set(2, 2);
        clock = 300; // both expired
        QVERIFY(!cache.value(1));
        QCOMPARE(cache.size(), std::size_t(2)); // lookups never purge
        cache.set(3, 3);
        QCOMPARE(cache.size(), std::size_t(3)); // restricted: no purge yet
        clock = 10'002;
        cache.set(4, 4);
        QCOMPARE(cache.size(), std::size_t(1)); // 1, 2, 3 purged
        QCOMPARE(cache.headKey(), std::optional(4));
        clock = 20'003;
        cache.set(5, 5);
        clock = 20'004;
        cache.set(6, 6);
        clock = 30'004; // 4 expired, 5 and 6 expired too but after the restriction window
        cache.set(7, 7);
        QCOMPARE(cache.headKey(), std::optional(7));
    }
};

QTEST_GUILESS_MAIN(WindowLookupTest)
#include "tst_windowlookup.moc"
