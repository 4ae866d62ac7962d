#include "media/TMPTimerPool.h"
#include "media/TGIFImage.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"
#include "support/GifBuilder.h"

#include <QBuffer>
#include <QPainter>
#include <QTest>

namespace {

QByteArray threeFrameGif()
{
    GifBuilder gif(4, 4, {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(0, 0, 0)});
    for (std::uint8_t c = 0; c < 3; ++c) {
        gif.addGraphicControl(1000);
        gif.addFrame(2, 2, std::vector<std::uint8_t>(4, c));
    }
    return gif.finish();
}

} // namespace

class TMPTimerPoolTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void handlesIntervalsAndTheSharedTimer()
    {
        FakeScheduler clock;
        TMPTimerPool pool(clock);
        QCOMPARE(pool.AddTrigger(100, -1, {}), 0);
        QCOMPARE(pool.AddTrigger(10, -1, {}), 1);
        QCOMPARE(pool.AddTrigger(300, -1, {}), 2);
        QCOMPARE(pool.trigger(1)->intervalMs(), 55); // the floor
        QCOMPARE(pool.timerIntervalMs(), 55);
        QVERIFY(!pool.RemoveTrigger(1));
        QCOMPARE(pool.timerIntervalMs(), 100);
        QCOMPARE(pool.AddTrigger(200, -1, {}), 1); // the smallest free handle again
        QVERIFY(!pool.SetTriggerEnabled(0, false));
        QCOMPARE(pool.timerIntervalMs(), 200);
        QVERIFY(!pool.SetTriggerInterval(2, 60));
        QCOMPARE(pool.timerIntervalMs(), 60);
        for (int h : {0, 1, 2})
            pool.SetTriggerEnabled(h, false);
        QCOMPARE(pool.timerIntervalMs(), -1); // no enabled trigger: no timer
        QCOMPARE(clock.pendingTimers(), 0);

        QCOMPARE(pool.RemoveTrigger(-1).value(), QStringLiteral("Invalid trigger handle -1"));
        QCOMPARE(pool.SetTriggerEnabled(9, true).value(),
                 QStringLiteral("Invalid trigger handle 9"));
        QCOMPARE(pool.SetTriggerInterval(7, 100).value(),
                 QStringLiteral("Invalid trigger handle 7"));
    }

    void triggersFireUpTo23MsEarlyAndCountDown()
    {
        FakeScheduler clock;
        TMPTimerPool pool(clock);
        std::vector<std::pair<int, qint64>> fired;
        auto record = [&](TTrigger &t) {
            fired.emplace_back(t.handle(), clock.tickMs());
            return QString();
        };
        pool.AddTrigger(55, 2, record);
        pool.AddTrigger(100, -1, record);
        int allCalls = 0;
        pool.OnAllTriggers = [&](TMPTimerPool &, int handle, qint64 interval, qint64) {
            QCOMPARE(handle, -1);
            QCOMPARE(interval, qint64(55));
            ++allCalls;
        };
        clock.advance(55);
        // At 55 only the short one is due (55 - 0 >= 100 - 23 is false for the other).
        QCOMPARE(fired, (std::vector<std::pair<int, qint64>>{{0, 55}}));
        clock.advance(55);
        // At 110 both: the long one 10 ms late rather than at 165.
        QCOMPARE(fired.size(), size_t(3));
        QCOMPARE(fired[2], (std::pair<int, qint64>{1, 110}));
        // The two-shot trigger is spent: disabled, its count back to -1, the timer follows.
        QVERIFY(!pool.trigger(0)->enabled());
        QCOMPARE(pool.trigger(0)->count(), -1);
        QCOMPARE(pool.timerIntervalMs(), 100);
        QCOMPARE(allCalls, 2);

        TMPTimerPool other(clock);
        QCOMPARE(other.AddTrigger(80, 0, record), 0);
        QVERIFY(!other.trigger(0)->enabled()); // count 0 disables at once
    }

    void handlerErrorsAreShownAndTheOthersStillFire()
    {
        FakeScheduler clock;
        FakePrompter prompter;
        TMPTimerPool pool(clock);
        pool.prompter = &prompter;
        int second = 0;
        pool.AddTrigger(55, -1, [](TTrigger &) { return QStringLiteral("ha fallat"); });
        pool.AddTrigger(55, -1, [&](TTrigger &) { return ++second, QString(); });
        clock.advance(55);
        QCOMPARE(prompter.texts(), QStringList{QStringLiteral("ha fallat")});
        QCOMPARE(second, 1);
    }

    void handlersMayRemoveTriggersOrFreeThePool()
    {
        FakeScheduler clock;
        auto pool = std::make_unique<TMPTimerPool>(clock);
        int fired = 0;
        pool->AddTrigger(55, -1, [&](TTrigger &t) {
            if (++fired == 1)
                pool->RemoveTrigger(t.handle() + 1); // the trigger after it, not yet fired
            return QString();
        });
        pool->AddTrigger(55, -1, [&](TTrigger &) { return ++fired, QString(); });
        clock.advance(55);
        QCOMPARE(fired, 1);
        pool->AddTrigger(55, -1, [&](TTrigger &) {
            pool.reset();
            return QString();
        });
        clock.advance(55);
        QVERIFY(!pool);
        QCOMPARE(fired, 2);
        clock.advance(500); // nothing left to fire
    }

    void enabledChangesCanBeRefused()
    {
        FakeScheduler clock;
        TMPTimerPool pool(clock);
        pool.DefEnabled = false;
        pool.AddTrigger(100, -1, {});
        pool.trigger(0)->onChangeEnabled = [](TTrigger &, bool) { return false; };
        pool.SetTriggerEnabled(0, true);
        QVERIFY(!pool.trigger(0)->enabled());
        QCOMPARE(pool.timerIntervalMs(), -1);
    }

    void gifAnimationStepsFramesOnTheSharedTimer()
    {
        FakeScheduler clock;
        TGIFImage gif(clock);
        int changes = 0;
        gif.onChange = [&]() { ++changes; };
        gif.loadFromBytes(threeFrameGif());
        QCOMPARE(gif.frameCount(), 3);
        QCOMPARE(gif.FrameIndex(), 0);
        QVERIFY(!gif.animating()); // the shared pool starts triggers disabled
        gif.AnimateSpeed(10);
        gif.Animate(true);
        QCOMPARE(gif.pool().timerIntervalMs(), 100);
        std::vector<int> seen;
        for (int i = 0; i < 4; ++i) {
            clock.advance(100);
            seen.push_back(gif.FrameIndex());
        }
        QCOMPARE(seen, (std::vector<int>{1, 2, 0, 1}));

        gif.AnimateSpeed(2); // 20 ms asked: 55 given
        QCOMPARE(gif.pool().timerIntervalMs(), 55);
        const int before = gif.FrameIndex();
        clock.advance(55);
        QCOMPARE(gif.FrameIndex(), (before + 1) % 3);
        gif.Animate(false);
        clock.advance(1000);
        QCOMPARE(gif.FrameIndex(), (before + 1) % 3);
        QVERIFY(changes >= 6);
    }

    void gifFrameDelaysSetTheTriggerInterval()
    {
        FakeScheduler clock;
        TGIFImage gif(clock);
        gif.loadFromBytes(threeFrameGif()); // delay field 1000 -> 30 -> 300 ms
        QCOMPARE(gif.frame(0).value()->delay(), 30);
        QCOMPARE(gif.pool().trigger(gif.triggerHandle())->intervalMs(), 300);
    }

    void picturesShareOnePoolThatDiesWithTheLast()
    {
        FakeScheduler clock;
        std::weak_ptr<TMPTimerPool> weak;
        {
            auto a = std::make_unique<TGIFImage>(clock);
            auto b = std::make_unique<TGIFImage>(clock);
            QCOMPARE(&a->pool(), &b->pool());
            QCOMPARE(a->pool().triggerCount(), 2);
            QVERIFY(a->triggerHandle() != b->triggerHandle());
            weak = TMPTimerPool::shared(clock);
            a.reset();
            QCOMPARE(b->pool().triggerCount(), 1);
        }
        QVERIFY(weak.expired());
        FakeScheduler otherClock;
        TGIFImage c(otherClock);
        TGIFImage d(clock);
        QVERIFY(&c.pool() != &d.pool()); // one pool per clock
    }

    void frameIndexIsClampedAndBadFramesAreRefused()
    {
        FakeScheduler clock;
        TGIFImage gif(clock);
        QVERIFY(gif.empty());
        QCOMPARE(gif.FrameIndex(), -1);
        QCOMPARE(gif.width(), 0);
        gif.loadFromBytes(threeFrameGif());
        QCOMPARE(gif.width(), 4);
        QCOMPARE(gif.height(), 4);
        gif.SetFrameIndex(7);
        QCOMPARE(gif.FrameIndex(), 2);
        gif.nextFrame();
        QCOMPARE(gif.FrameIndex(), 0);
        gif.SetFrameIndex(-3);
        QCOMPARE(gif.FrameIndex(), 0);
        QCOMPARE(gif.frame(3).error(), QStringLiteral("El número del marc és invàlid 3 (0..2)"));
        QCOMPARE(gif.frame(-1).error(), QStringLiteral("El número del marc és invàlid -1 (0..2)"));
    }

    void aFileThatFailsToParseLoadsWithoutFrames()
    {
        FakeScheduler clock;
        TGIFImage gif(clock);
        GifBuilder bad(30, 20, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
        bad.addRaw("?");
        gif.loadFromBytes(bad.finish());
        QVERIFY(!gif.empty());
        QCOMPARE(gif.frameCount(), 0);
        QCOMPARE(gif.FrameIndex(), -1);
        QCOMPARE(gif.width(), 30);
        QImage canvas(10, 10, QImage::Format_RGB32);
        canvas.fill(Qt::yellow);
        QPainter p(&canvas);
        gif.draw(p, QRectF(0, 0, 10, 10));
        gif.nextFrame();
        p.end();
        QCOMPARE(canvas.pixel(5, 5), QColor(Qt::yellow).rgb());
    }

    void drawingStretchesTheScreenOverTheTarget()
    {
        FakeScheduler clock;
        TGIFImage gif(clock);
        GifBuilder g(100, 100, {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0)});
        g.setBackgroundIndex(2);
        // Half the logical screen: it stays on its half, the rest shows the background.
        g.addFrame(50, 100, std::vector<std::uint8_t>(50 * 100, 0), false, {}, 50, 0);
        g.addFrame(2, 1, {0, 1}); // far smaller: drawn at its place, two pixels
        gif.loadFromBytes(g.finish());
        QImage canvas(40, 40, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        QPainter p(&canvas);
        gif.draw(p, QRectF(0, 0, 40, 40));
        QCOMPARE(canvas.pixel(5, 20), qRgb(0, 255, 0));
        QCOMPARE(canvas.pixel(35, 20), qRgb(255, 0, 0));
        gif.nextFrame();
        gif.draw(p, QRectF(0, 0, 40, 40));
        p.end();
        QCOMPARE(canvas.pixel(5, 20), qRgb(0, 255, 0));
        QCOMPARE(canvas.pixel(35, 20), qRgb(255, 0, 0));
        QCOMPARE(canvas.pixel(2, 38), qRgb(0, 255, 0));
    }

    void assigningSavingAndDrawingErrors()
    {
        FakeScheduler clock;
        FakePrompter prompter;
        TGIFImage a(clock, &prompter);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QCOMPARE(a.saveToStream(out).value(), QStringLiteral("No data al GIF"));

        GifBuilder g(8, 8, {qRgb(0, 0, 0), qRgb(255, 255, 255)});
        g.addPlainText(0, 0, 8, 8, 8, 9, 0, "x");
        g.addFrame(8, 8, std::vector<std::uint8_t>(64, 1));
        const QByteArray bytes = g.finish();
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        a.loadFromStream(in);
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral("L'índex 9 està fora del marge [0..1]")});
        QVERIFY(!a.saveToStream(out));
        QCOMPARE(out.data(), bytes); // written back unchanged

        TGIFImage b(clock);
        b.assign(&a);
        QCOMPARE(b.data().get(), a.data().get());
        QCOMPARE(b.frameCount(), 1);
        b.assign(nullptr);
        QVERIFY(b.empty());
        QCOMPARE(a.frameCount(), 1);
        QCOMPARE(TGIFImage::assignRefusal(QStringLiteral("TBitmap")),
                 QStringLiteral("No es pot assignar a TBitmap"));
    }
};

QTEST_MAIN(TMPTimerPoolTest)
#include "TMPTimerPoolTest.moc"
