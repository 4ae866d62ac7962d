#include "player/ScreenSaverInhibitor.h"

#include "player/ScreenSaverBus.h"

#include <QStringList>
#include <QTest>

namespace {

// Records the calls; gives no cookie while `absent` (no session bus, no service).
class RecordingBus : public ScreenSaverBus
{
public:
    std::optional<std::uint32_t> inhibit(const QString &application, const QString &) override
    {
        calls << QStringLiteral("inhibit ") + application;
        if (absent)
            return std::nullopt;
        return next++;
    }
    void uninhibit(std::uint32_t cookie) override
    {
        calls << QStringLiteral("uninhibit %1").arg(cookie);
    }
    bool absent = false;
    std::uint32_t next = 1;
    QStringList calls;
};

} // namespace

class ScreenSaverInhibitorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One inhibition per run, given back once, whatever the order of the notices.
    void oneInhibitionPerRun()
    {
        RecordingBus bus;
        ScreenSaverInhibitor inhibitor(bus);
        inhibitor.runStateChanged(false); // an end without a start gives nothing back
        inhibitor.runStateChanged(true);
        inhibitor.runStateChanged(true); // a second start keeps the one held
        QVERIFY(inhibitor.holding());
        inhibitor.runStateChanged(false);
        inhibitor.runStateChanged(false);
        QCOMPARE(bus.calls,
                 (QStringList{QStringLiteral("inhibit Pelvar"), QStringLiteral("uninhibit 1")}));
        QVERIFY(!inhibitor.holding());
    }

    // Without the service nothing is held and nothing is given back.
    void absentServiceHoldsNothing()
    {
        RecordingBus bus;
        bus.absent = true;
        ScreenSaverInhibitor inhibitor(bus);
        inhibitor.runStateChanged(true);
        QVERIFY(!inhibitor.holding());
        inhibitor.runStateChanged(false);
        QCOMPARE(bus.calls, QStringList{QStringLiteral("inhibit Pelvar")});
    }

    // An inhibition held when the object goes is given back; switching buses moves it.
    void givenBackOnDestructionAndOnSwitch()
    {
        RecordingBus first;
        RecordingBus second;
        second.next = 50;
        {
            ScreenSaverInhibitor inhibitor(first);
            inhibitor.runStateChanged(true);
            inhibitor.setBus(second);
            QVERIFY(inhibitor.holding());
        }
        QCOMPARE(first.calls,
                 (QStringList{QStringLiteral("inhibit Pelvar"), QStringLiteral("uninhibit 1")}));
        QCOMPARE(second.calls,
                 (QStringList{QStringLiteral("inhibit Pelvar"), QStringLiteral("uninhibit 50")}));
        // At rest a switch takes nothing.
        RecordingBus third;
        ScreenSaverInhibitor idle(first);
        idle.setBus(third);
        QVERIFY(third.calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(ScreenSaverInhibitorTest)
#include "ScreenSaverInhibitorTest.moc"
