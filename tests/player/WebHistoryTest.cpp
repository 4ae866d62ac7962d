#include "player/WebHistory.h"
#include "player/WebTextSize.h"

#include <QTest>

#include <algorithm>

namespace {

// Runs a script of space-separated steps on a history and returns the last address a command
// handed back to navigate to ("-" when it handed back none). Steps: "start" (a new slide),
// "clear" (the view removed), "nav:X" (the view starts a navigation to X), "back", "fwd", "home",
// and "goB2" / "goF0" (GoHistory on the back or forward list at that index, navigating) or
// "seeB2" / "seeF0" (the same without navigating).
QString run(WebHistory &h, const QString &script)
{
    QString lastNavigation;
    for (const QString &step : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        std::optional<QString> to;
        if (step == QLatin1String("start")) {
            h.StartSlide();
            continue;
        }
        if (step == QLatin1String("clear")) {
            h.Clear();
            continue;
        }
        if (step.startsWith(QLatin1String("nav:"))) {
            h.BeforeNavigate(step.mid(4));
            continue;
        }
        if (step == QLatin1String("back"))
            to = h.Backward();
        else if (step == QLatin1String("fwd"))
            to = h.Forward();
        else if (step == QLatin1String("home"))
            to = h.Home();
        else {
            const bool navigate = step.startsWith(QLatin1String("go"));
            const QString rest = step.mid(navigate ? 2 : 3);
            const auto list = rest.startsWith(QLatin1Char('B')) ? WebHistory::List::Back
                                                                : WebHistory::List::Forward;
            to = h.GoHistory(list, rest.mid(1).toInt(),
                             navigate ? WebHistory::Navigate::Yes : WebHistory::Navigate::No);
        }
        lastNavigation = to ? *to : QStringLiteral("-");
        // A command's navigation comes back from the view as a report of its own.
        if (to)
            h.BeforeNavigate(*to);
    }
    return lastNavigation;
}

QString joined(const QStringList &list)
{
    return list.join(QLatin1Char('|'));
}

} // namespace

class WebHistoryTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void history_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("back");        // most recent first, '|'-separated
        QTest::addColumn<QString>("forward");     // most recent first
        QTest::addColumn<QString>("navigatedTo"); // what the last command handed back

        const QString s = QStringLiteral("start nav:S ");
        QTest::newRow("first navigation only sets the page")
            << s << QStringLiteral("S") << QString() << QString() << QString();
        QTest::newRow("links go into the back list")
            << s + QStringLiteral("nav:A nav:B") << QStringLiteral("B") << QStringLiteral("A|S")
            << QString() << QString();
        QTest::newRow("two links, back twice, forward once")
            << s + QStringLiteral("nav:A nav:B back back fwd") << QStringLiteral("A")
            << QStringLiteral("S") << QStringLiteral("B") << QStringLiteral("A");
        QTest::newRow("back to the start end")
            << s + QStringLiteral("nav:A nav:B back back") << QStringLiteral("S") << QString()
            << QStringLiteral("A|B") << QStringLiteral("S");
        QTest::newRow("back past the end does nothing")
            << s + QStringLiteral("nav:A back back") << QStringLiteral("S") << QString()
            << QStringLiteral("A") << QStringLiteral("-");
        QTest::newRow("forward past the end does nothing")
            << s + QStringLiteral("nav:A back fwd fwd") << QStringLiteral("A")
            << QStringLiteral("S") << QString() << QStringLiteral("-");
        QTest::newRow("a new link after going back drops the forward list")
            << s + QStringLiteral("nav:A nav:B back nav:C") << QStringLiteral("C")
            << QStringLiteral("A|S") << QString() << QStringLiteral("A");
        QTest::newRow("a link to a page in the back list moves there")
            << s + QStringLiteral("nav:A nav:B nav:S") << QStringLiteral("S") << QString()
            << QStringLiteral("A|B") << QString();
        QTest::newRow("a link to a page in the forward list moves there")
            << s + QStringLiteral("nav:A nav:B back back nav:B") << QStringLiteral("B")
            << QStringLiteral("A|S") << QString() << QStringLiteral("S");
        QTest::newRow("reloading the current page changes nothing")
            << s + QStringLiteral("nav:A nav:A") << QStringLiteral("A") << QStringLiteral("S")
            << QString() << QString();
        QTest::newRow("home goes to the oldest page")
            << s + QStringLiteral("nav:A nav:B nav:C home") << QStringLiteral("S") << QString()
            << QStringLiteral("A|B|C") << QStringLiteral("S");
        QTest::newRow("home with an empty back list does nothing")
            << s + QStringLiteral("home") << QStringLiteral("S") << QString() << QString()
            << QStringLiteral("-");
        QTest::newRow("GoHistory in the middle of the back list")
            << s + QStringLiteral("nav:A nav:B nav:C goB1") << QStringLiteral("A")
            << QStringLiteral("S") << QStringLiteral("B|C") << QStringLiteral("A");
        QTest::newRow("GoHistory in the middle of the forward list")
            << s + QStringLiteral("nav:A nav:B nav:C home goF1") << QStringLiteral("B")
            << QStringLiteral("A|S") << QStringLiteral("C") << QStringLiteral("B");
        QTest::newRow("GoHistory without navigating moves but hands back nothing")
            << s + QStringLiteral("nav:A nav:B seeB1") << QStringLiteral("S") << QString()
            << QStringLiteral("A|B") << QStringLiteral("-");
        QTest::newRow("GoHistory past either list does nothing")
            << s + QStringLiteral("nav:A goB1 goF0 goB-1") << QStringLiteral("A")
            << QStringLiteral("S") << QString() << QStringLiteral("-");
        QTest::newRow("a new slide starts over")
            << s + QStringLiteral("nav:A nav:B back start nav:T nav:U") << QStringLiteral("U")
            << QStringLiteral("T") << QString() << QStringLiteral("A");
        QTest::newRow("a page seen again after dropping the forward list is added once")
            << s + QStringLiteral("nav:A back nav:B nav:A") << QStringLiteral("A")
            << QStringLiteral("B|S") << QString() << QStringLiteral("S");
    }

    void history()
    {
        QFETCH(QString, script);
        QFETCH(QString, current);
        QFETCH(QString, back);
        QFETCH(QString, forward);
        QFETCH(QString, navigatedTo);
        WebHistory h;
        QCOMPARE(run(h, script), navigatedTo);
        QCOMPARE(h.CurrentPage(), current);
        QCOMPARE(joined(h.BackList()), back);
        QCOMPARE(joined(h.ForwardList()), forward);
        QVERIFY(!h.FirstNavigation());
        // The line of visited pages never holds a page twice.
        QStringList line = h.BackList();
        std::reverse(line.begin(), line.end());
        line << h.CurrentPage() << h.ForwardList();
        QCOMPARE(line.removeDuplicates(), qsizetype(0));
    }

    void commandsFollowTheLists()
    {
        WebHistory h;
        QVERIFY(h.FirstNavigation());
        run(h, QStringLiteral("start nav:file:///a.html"));
        QVERIFY(!h.homeEnabled() && !h.backwardEnabled() && !h.forwardEnabled());
        QCOMPARE(h.backwardHint(), QString());
        QCOMPARE(h.forwardHint(), QString());

        run(h, QStringLiteral("nav:file:///b.html nav:file:///c.html back"));
        QVERIFY(h.homeEnabled() && h.backwardEnabled() && h.forwardEnabled());
        QCOMPARE(
            h.backwardHint(),
            QStringLiteral("Ves a la pàgina anterior:\r\nfile:///a.html,\r\nacabada de visitar"));
        QCOMPARE(
            h.forwardHint(),
            QStringLiteral("Ves a la pàgina posterior:\r\nfile:///c.html,\r\nacabada de visitar"));

        // An address that looks like a placeholder is shown as it is.
        run(h, QStringLiteral("nav:%2%1"));
        QCOMPARE(
            h.backwardHint(),
            QStringLiteral("Ves a la pàgina anterior:\r\nfile:///b.html,\r\nacabada de visitar"));
        QVERIFY(!h.forwardEnabled());
        run(h, QStringLiteral("back fwd"));
        QCOMPARE(h.CurrentPage(), QStringLiteral("%2%1"));

        // Removing the view forgets everything; the next page is a first navigation again.
        h.Clear();
        QVERIFY(h.FirstNavigation());
        QCOMPARE(h.CurrentPage(), QString());
        QVERIFY(!h.homeEnabled() && !h.forwardEnabled());
        run(h, QStringLiteral("nav:x"));
        QCOMPARE(h.CurrentPage(), QStringLiteral("x"));
        QVERIFY(h.BackList().isEmpty());
    }

    void textSize()
    {
        WebTextSize t{0, 4, 2};
        QVERIFY(t.decreaseEnabled() && t.increaseEnabled());
        QCOMPARE(t.hint(),
                 QStringLiteral("Ampliació de la mida del text: 2\r\n(de la pàgina web)"));
        t.value = t.increased();
        t.value = t.increased();
        QCOMPARE(t.value, 4);
        QVERIFY(!t.increaseEnabled());
        QCOMPARE(t.increased(), 4);
        t.value = 0;
        QVERIFY(!t.decreaseEnabled());
        QCOMPARE(t.decreased(), 0);
    }
};

QTEST_GUILESS_MAIN(WebHistoryTest)
#include "WebHistoryTest.moc"
