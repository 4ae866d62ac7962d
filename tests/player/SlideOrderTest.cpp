#include "player/SlideOrder.h"
#include "config/PresentationSettings.h"
#include "player/SlideOrderListing.h"
#include "presentation/SlideList.h"
#include "presentation/SlideRecord.h"
#include "slides/PlayerRandom.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"

#include <QTest>

#include <algorithm>
#include <set>

namespace {

std::vector<int> numbers(const SlideOrder &order)
{
    std::vector<int> out;
    for (const auto &e : order)
        out.push_back(e.slide + 1);
    return out;
}

} // namespace

class SlideOrderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void generatorFollowsTheLinearCongruence()
    {
        PlayerRandom r(0);
        QCOMPARE(r.random(10), 0u); // state 1
        QCOMPARE(r.state(), 1u);
        r.random(10);
        QCOMPARE(r.state(), 134775814u);
        PlayerRandom big(0xFFFFFFFFu);
        // state = 0xFFFFFFFF * 134775813 + 1 mod 2^32 = 2^32 - 134775812
        QCOMPARE(big.random(100),
                 std::uint32_t((std::uint64_t(4294967296ull - 134775812ull) * 100) >> 32));
        QCOMPARE(PlayerRandom::seedFromTime(QTime(9, 26, 53, 589)), 34013589u);
    }

    // Expected orders come from an independent reference of the rules.
    void ordersMatchTheReference_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("sort");
        QTest::addColumn<int>("drandom");
        QTest::addColumn<bool>("omitFirst");
        QTest::addColumn<bool>("omitLast");
        QTest::addColumn<int>("inf");
        QTest::addColumn<int>("sup");
        QTest::addColumn<bool>("useAll");
        QTest::addColumn<int>("initial");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("total");
        QTest::addColumn<uint>("seed");
        QTest::addColumn<std::vector<int>>("expected");
        QTest::newRow("both omissions") << 5 << 1 << 1 << true << true << 0 << 0 << true << 0
                                        << false << 0 << 12345u << std::vector<int>{1, 3, 2, 4, 5};
        QTest::newRow("range 3..5 of 8")
            << 8 << 1 << 2 << false << false << 3 << 5 << true << 0 << false << 0 << 777u
            << std::vector<int>{1, 2, 4, 5, 3, 6, 7, 8};
        QTest::newRow("memorise 10 of 4 with repeats")
            << 4 << 2 << 0 << false << false << 0 << 0 << true << 0 << true << 10 << 4242u
            << std::vector<int>{1, 2, 3, 3, 3, 2, 4, 4, 1, 3};
        QTest::newRow("all random") << 6 << 1 << 0 << false << false << 0 << 0 << true << 0 << false
                                    << 0 << 0u << std::vector<int>{1, 6, 2, 5, 3, 4};
        QTest::newRow("memorise first 4 of 7")
            << 7 << 2 << 0 << false << false << 0 << 0 << false << 4 << false << 0 << 99u
            << std::vector<int>{1, 3, 4, 2};
        QTest::newRow("omit first") << 6 << 1 << 1 << true << false << 0 << 0 << true << 0 << false
                                    << 0 << 2024u << std::vector<int>{1, 4, 3, 2, 5, 6};
        QTest::newRow("omit last") << 6 << 1 << 1 << false << true << 0 << 0 << true << 0 << false
                                   << 0 << 2024u << std::vector<int>{3, 2, 1, 4, 5, 6};
        QTest::newRow("sequential ignores the seed")
            << 4 << 0 << 0 << false << false << 0 << 0 << true << 0 << false << 0 << 5u
            << std::vector<int>{1, 2, 3, 4};
    }

    void ordersMatchTheReference()
    {
        QFETCH(int, n);
        QFETCH(int, sort);
        QFETCH(int, drandom);
        QFETCH(bool, omitFirst);
        QFETCH(bool, omitLast);
        QFETCH(int, inf);
        QFETCH(int, sup);
        QFETCH(bool, useAll);
        QFETCH(int, initial);
        QFETCH(bool, repeat);
        QFETCH(int, total);
        QFETCH(uint, seed);
        QFETCH(std::vector<int>, expected);
        PresentationSettings s;
        // The table holds the numbers the settings files store.
        s.PresSort = PresSortMode(sort);
        s.PresDRandom = RandomScope(drandom);
        s.OmissionFirstSlide = omitFirst;
        s.OmissionLastSlide = omitLast;
        s.RandomRangeInf = std::int16_t(inf);
        s.RandomRangeSup = std::int16_t(sup);
        s.UseAllSlidesToMem = useAll;
        s.InitialImages = std::uint8_t(initial);
        s.PresRepeatedImages = repeat;
        s.TotalSlidesToMemorize = std::uint8_t(total);
        FakePrompter p;
        QCOMPARE(numbers(BuildSlideOrder(n, s, seed, p)), expected);
        QVERIFY(p.shown.empty());
    }

    void randomOrdersKeepTheirShapeForManySeeds()
    {
        FakePrompter p;
        for (std::uint32_t seed = 0; seed < 3000; seed += 7) {
            PresentationSettings s;
            s.PresSort = PresSortMode::Random;
            s.PresDRandom = RandomScope::WithOmissions;
            s.OmissionFirstSlide = s.OmissionLastSlide = true;
            auto o = numbers(BuildSlideOrder(5, s, seed * 86413u, p));
            QCOMPARE(o.front(), 1);
            QCOMPARE(o.back(), 5);
            std::vector<int> mid(o.begin() + 1, o.end() - 1);
            std::sort(mid.begin(), mid.end());
            QCOMPARE(mid, (std::vector<int>{2, 3, 4}));

            PresentationSettings r;
            r.PresSort = PresSortMode::Random;
            r.PresDRandom = RandomScope::Range;
            r.RandomRangeInf = 3;
            r.RandomRangeSup = 5;
            auto q = numbers(BuildSlideOrder(8, r, seed * 7919u, p));
            QCOMPARE(q.size(), std::size_t(8));
            for (int i : {0, 1, 5, 6, 7})
                QCOMPARE(q[std::size_t(i)], i + 1);
            std::vector<int> range(q.begin() + 2, q.begin() + 5);
            std::sort(range.begin(), range.end());
            QCOMPARE(range, (std::vector<int>{3, 4, 5}));
        }
        QVERIFY(p.shown.empty());
    }

    void tooFewSlidesForRandomWarnsAndGoesSequential()
    {
        PresentationSettings s;
        s.PresSort = PresSortMode::Random;
        FakePrompter p;
        QCOMPARE(numbers(BuildSlideOrder(2, s, 1, p)), (std::vector<int>{1, 2}));
        QCOMPARE(s.PresSort, PresSortMode::Sequential);
        QCOMPARE(p.texts(), QStringList{QStringLiteral(
                                "Cal almenys 3 diapositives per fer una "
                                "presentació aleatòria\r\nes canvia a mode seqüencial")});
    }

    void settingsThatDoNotFitTheListAreBroughtIntoBounds()
    {
        FakePrompter p;
        // A range saved for a longer list: it is cut to the list, and every index is a line.
        PresentationSettings s;
        s.PresSort = PresSortMode::Random;
        s.PresDRandom = RandomScope::Range;
        s.RandomRangeInf = 0;
        s.RandomRangeSup = 40;
        auto o = numbers(BuildSlideOrder(6, s, 31337, p));
        std::vector<int> sorted = o;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sorted, (std::vector<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(int(s.RandomRangeInf), 1);
        QCOMPARE(int(s.RandomRangeSup), 6);

        // More initial slides than the list holds.
        PresentationSettings m;
        m.PresSort = PresSortMode::Memorisation;
        m.UseAllSlidesToMem = false;
        m.InitialImages = 30;
        auto q = numbers(BuildSlideOrder(5, m, 8, p));
        QCOMPARE(std::set<int>(q.begin(), q.end()), (std::set<int>{1, 2, 3, 4, 5}));
        QVERIFY(p.shown.empty());
    }

    void largeRandomOrderIsAPermutation()
    {
        PresentationSettings s;
        s.PresSort = PresSortMode::Random;
        FakePrompter p;
        const auto o = BuildSlideOrder(200000, s, 123456789, p);
        std::vector<bool> seen(200000, false);
        for (const auto &e : o) {
            QVERIFY(!seen[std::size_t(e.slide)]);
            seen[std::size_t(e.slide)] = true;
        }
        QCOMPARE(o.size(), std::size_t(200000));
    }

    // Previous and first over an order whose positions are usable ('u'), not usable ('-') or a
    // malformed line ('m'); `wraps` counts the rounds past the start of the order.
    void stepBackFindsTheSlideToLandOn_data()
    {
        QTest::addColumn<QString>("positions");
        QTest::addColumn<bool>("first");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("loop");
        QTest::addColumn<int>("expected");
        QTest::addColumn<int>("wraps");
        QTest::newRow("previous skips unusable") << "u--u" << false << 3 << false << 0 << 0;
        QTest::newRow("first takes the first usable") << "--uu" << true << 3 << false << 2 << 0;
        QTest::newRow("no loop at the start: first usable")
            << "-uu" << false << 1 << false << 1 << 0;
        QTest::newRow("loop goes round to the end") << "uu-u" << false << 0 << true << 3 << 1;
        QTest::newRow("a whole round stays put") << "-u--" << false << 1 << true << 1 << 1;
        QTest::newRow("malformed stops previous") << "um-u" << false << 3 << false << -1 << 0;
        QTest::newRow("malformed stops first") << "-mu" << true << 2 << false << -1 << 0;
        QTest::newRow("nothing usable") << "---" << true << 1 << false << -1 << 0;
        QTest::newRow("empty order") << "" << false << 0 << true << -1 << 0;
    }
    void stepBackFindsTheSlideToLandOn()
    {
        QFETCH(QString, positions);
        QFETCH(bool, first);
        QFETCH(int, start);
        QFETCH(bool, loop);
        QFETCH(int, expected);
        QFETCH(int, wraps);
        int wrapped = 0;
        const int target = StepBackTarget(
            first ? StepBack::First : StepBack::Previous, start, int(positions.size()), loop,
            [&](int p) {
                const QChar c = positions.at(p);
                return c == QLatin1Char('u')   ? SlideUsable::Yes
                       : c == QLatin1Char('m') ? SlideUsable::Malformed
                                               : SlideUsable::No;
            },
            [&] { ++wrapped; });
        QCOMPARE(target, expected);
        QCOMPARE(wrapped, wraps);
    }

    void orderListingPadsAndLeavesOutWhatIsNotShown()
    {
        // Twelve lines: numbers take two characters. Line 5 is hidden, line 6 names a missing
        // picture, the last is a title; the order is the lines backwards.
        SlideListFixture fx;
        SlideList list;
        SlideOrder order;
        for (int i = 0; i < 12; ++i) {
            const QString n = QString::number(i + 1);
            list.lines.append(
                i == 11  ? SlideListFixture::line(QString(), {}, QStringLiteral("Fi|adéu"))
                : i == 5 ? SlideListFixture::line(fx.path(QStringLiteral("absent.png")))
                         : SlideListFixture::line(fx.picture(QStringLiteral("p%1.png").arg(n)),
                                                  i == 4 ? QStringLiteral("H") : QString()));
            order.push_back({11 - i, {}});
        }
        FakePrompter p;
        const QStringList text = OrderListingText(list, order, false, p).split(QLatin1Char('\n'));
        QCOMPARE(text.size(), 1 + 10 + 2 + 10 + 1);
        QCOMPARE(text[0], QStringLiteral("número de diapositiva i número d'ordre d'aparició:"));
        QCOMPARE(text[1], QStringLiteral(" 1  12  p1"));
        QCOMPARE(text[5], QStringLiteral(" 7   6  p7")); // 5 and 6 are left out
        QCOMPARE(text[10], QStringLiteral("12   1  Fi | adéu"));
        QCOMPARE(text[11], QString());
        QCOMPARE(text[12], QStringLiteral("número d'ordre d'aparició i número de diapositiva:"));
        QCOMPARE(text[13], QStringLiteral(" 1  12  Fi | adéu"));
        QCOMPARE(text[17], QStringLiteral(" 5   8  p8"));
        QCOMPARE(text[19], QStringLiteral(" 9   4  p4")); // positions 7 and 8 are left out
        QCOMPARE(text[22], QStringLiteral("12   1  p1"));
        QCOMPARE(OrderListingText(list, order, true, p).section(QLatin1Char('\n'), 1, 1),
                 QStringLiteral("1\t12\tp1"));
        QVERIFY(p.shown.empty());

        list.lines[2] = QStringLiteral("trencada\tlínia");
        QVERIFY(OrderListingText(list, order, false, p).isEmpty());
        QCOMPARE(p.texts(), QStringList{MalformedLineMessage(3)});
        QVERIFY(OrderListingText(SlideList(), SlideOrder(), false, p).isEmpty());
    }
};

QTEST_GUILESS_MAIN(SlideOrderTest)
#include "SlideOrderTest.moc"
