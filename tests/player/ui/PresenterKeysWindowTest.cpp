#include "player/ui/TFShowImages.h"

#include "player/ScreenSaverBus.h"
#include "player/ui/BlankCover.h"
#include "player/ui/DBusScreenSaverBus.h"
#include "player/ui/TextSlideView.h"
#include "slides/ui/QuestionControls.h"
#include "slides/ui/SlideArea.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/ThreadNames.h"
#include "support/WindowTest.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>
#include <utility>
#include <vector>

namespace {

using L = SlideListFixture;

// Records the inhibitions asked for and given back.
class FakeScreenSaverBus : public ScreenSaverBus
{
public:
    std::optional<std::uint32_t> inhibit(const QString &, const QString &) override
    {
        calls.push_back(QStringLiteral("inhibit %1").arg(next));
        return next++;
    }
    void uninhibit(std::uint32_t cookie) override
    {
        calls.push_back(QStringLiteral("uninhibit %1").arg(cookie));
    }
    std::uint32_t next = 7;
    QStringList calls;
};

// Twelve pictures (`hidden`, 1-based, is hidden; 0 = none); the fifth slide is a text.
struct Show
{
    SlideListFixture fx;
    QString list;
    explicit Show(int hidden = 0)
    {
        QStringList lines;
        for (int i = 1; i <= 12; ++i) {
            const QString file =
                i == 5 ? fx.file(QStringLiteral("nota.txt"), "Un text\r\nde dues l\xednies\r\n")
                       : fx.picture(QStringLiteral("d%1.png").arg(i));
            lines << L::line(file, i == hidden ? QStringLiteral("H") : QString(),
                             QStringLiteral("Diapositiva %1").arg(i));
        }
        list = fx.list(QStringLiteral("dotze.sal"), lines);
    }
};

void open(TFShowImages &w, const QString &list)
{
    w.resize(800, 600);
    showAndActivate(w);
    StartupArgs args;
    args.fileArgument = list;
    w.startUp(args, false);
    QVERIFY(w.session().PresentationReady);
}

// Keys go where a person's keys would: to the widget with the focus.
void press(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QWidget *target = QApplication::focusWidget();
    QVERIFY(target);
    QTest::keyClick(target, key, mods);
}

void type(const QString &digits)
{
    for (QChar c : digits)
        press(Qt::Key(Qt::Key_0 + (c.unicode() - u'0')));
    press(Qt::Key_Return);
}

int shownSlide(TFShowImages &w)
{
    return w.engine().SlideAt(w.engine().state().Position) + 1;
}

// The colour the window shows in its middle.
QColor middleColour(TFShowImages &w)
{
    const QImage shot = w.grab().toImage();
    return QColor(shot.pixel(shot.width() / 2, shot.height() / 2));
}

} // namespace

class PresenterKeysWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // PageDown/PageUp and the remotes' keys step a manual run, also from the text slide's view;
    // at rest they do nothing.
    void pageKeysStep()
    {
        Show show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        open(w, show.list);
        press(Qt::Key_PageDown);
        QVERIFY(!w.engine().state().Presenting);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QCOMPARE(shownSlide(w), 1);
        press(Qt::Key_PageDown);
        press(Qt::Key_MediaNext);
        press(Qt::Key_Forward);
        QCOMPARE(shownSlide(w), 4);
        press(Qt::Key_PageDown);
        QCOMPARE(shownSlide(w), 5);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(w.textView()));
        press(Qt::Key_PageDown);
        QCOMPARE(shownSlide(w), 6);
        press(Qt::Key_PageUp);
        QCOMPARE(shownSlide(w), 5);
        press(Qt::Key_PageUp);
        press(Qt::Key_MediaPrevious);
        press(Qt::Key_Back);
        QCOMPARE(shownSlide(w), 2);
        QVERIFY(prompter.shown.empty());
    }

    // A long text is paged through by the page keys before they step on or back.
    void longTextIsPagedFirst()
    {
        SlideListFixture fx;
        QByteArray text;
        for (int i = 0; i < 200; ++i)
            text += "Una l\xednia m\xe9s del text llarg\r\n";
        const QString list = fx.list(QStringLiteral("text.sal"),
                                     {L::line(fx.picture(QStringLiteral("a.png"))),
                                      L::line(fx.file(QStringLiteral("llarg.txt"), text)),
                                      L::line(fx.picture(QStringLiteral("b.png")))});
        FakePrompter prompter;
        TFShowImages w(prompter);
        open(w, list);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        press(Qt::Key_PageDown);
        QCOMPARE(shownSlide(w), 2);
        QScrollBar *bar = w.textView()->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        int pages = 0;
        while (shownSlide(w) == 2 && pages < 1000) {
            const int before = bar->value();
            press(Qt::Key_PageDown);
            if (shownSlide(w) == 2)
                QVERIFY(bar->value() > before);
            else
                QCOMPARE(before, bar->maximum()); // stepped on only from the end
            ++pages;
        }
        QCOMPARE(shownSlide(w), 3);
        QVERIFY(pages > 2);
        // Back on the text from the slide after it: PageUp pages back up, then steps back.
        press(Qt::Key_PageUp);
        QCOMPARE(shownSlide(w), 2);
        bar = w.textView()->verticalScrollBar();
        bar->setValue(bar->maximum());
        press(Qt::Key_PageUp);
        QCOMPARE(shownSlide(w), 2);
        QVERIFY(bar->value() < bar->maximum());
        bar->setValue(0);
        press(Qt::Key_PageUp);
        QCOMPARE(shownSlide(w), 1);
    }

    // "B" and "." cover the window in black, "," in white; the next key only lifts the cover
    // (here W, whose command would show the slide's name) and a click lifts it too. The run
    // stays where it was.
    void coversAndTheKeyThatLiftsThem()
    {
        Show show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        open(w, show.list);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        press(Qt::Key_PageDown);
        QCOMPARE(shownSlide(w), 2);
        QWidget *focusBefore = QApplication::focusWidget();
        BlankCover *cover = w.blankCover();
        QVERIFY(!cover->covering());

        struct Case
        {
            Qt::Key key;
            QColor colour;
        };
        for (const Case &c : {Case{Qt::Key_B, Qt::black}, Case{Qt::Key_Period, Qt::black},
                              Case{Qt::Key_Comma, Qt::white}}) {
            press(c.key);
            QVERIFY(cover->covering());
            QCOMPARE(cover->geometry(), w.rect());
            QCOMPARE(middleColour(w), c.colour);
            QCOMPARE(w.grab().toImage().pixel(2, 2), c.colour.rgb());
            press(Qt::Key_W);
            QVERIFY(!cover->covering());
            QCOMPARE(QApplication::focusWidget(), focusBefore);
        }
        QVERIFY(prompter.shown.empty()); // W's message never came
        QCOMPARE(shownSlide(w), 2);
        QVERIFY(w.engine().state().Presenting);

        // PageDown under a cover does not step; Space does not either.
        press(Qt::Key_B);
        press(Qt::Key_PageDown);
        QCOMPARE(shownSlide(w), 2);
        press(Qt::Key_B);
        press(Qt::Key_Space);
        QCOMPARE(shownSlide(w), 2);

        // A click lifts it; the cover follows the window's size.
        press(Qt::Key_Comma);
        w.resize(700, 500);
        QCOMPARE(cover->geometry(), w.rect());
        QTest::mouseClick(cover, Qt::LeftButton);
        QVERIFY(!cover->covering());
        QCOMPARE(shownSlide(w), 2);
        // At rest the keys cover nothing.
        press(Qt::Key_Escape);
        QVERIFY(!w.engine().state().Presenting);
        press(Qt::Key_B);
        QVERIFY(!cover->covering());
    }

    // A run that ends under a cover lifts it.
    void theRunsEndLiftsTheCover()
    {
        Show show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        open(w, show.list);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        press(Qt::Key_B);
        QVERIFY(w.blankCover()->covering());
        w.action(PlayerAction::A_V_Stop)->trigger();
        QVERIFY(!w.engine().state().Presenting);
        QVERIFY(!w.blankCover()->covering());
    }

    // A number and Enter go to the slide in either order; a hidden, out-of-range or zero number
    // leaves the run where it is, without a word.
    void typedNumberJumps_data()
    {
        QTest::addColumn<bool>("random");
        QTest::newRow("sequential") << false;
        QTest::newRow("random") << true;
    }
    void typedNumberJumps()
    {
        QFETCH(bool, random);
        Show show(8);
        FakePrompter prompter;
        TFShowImages w(prompter);
        open(w, show.list);
        if (random)
            w.session().Settings.PresSort = PresSortMode::Random;
        w.engine().setFixedSeed(11);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        press(Qt::Key_PageDown);
        const int position = w.engine().state().Position;
        const int here = shownSlide(w);

        for (const QString &bad : {QStringLiteral("8"), QStringLiteral("13"), QStringLiteral("0"),
                                   QStringLiteral("999")}) {
            type(bad);
            QVERIFY(w.engine().state().Presenting);
            QCOMPARE(w.engine().state().Position, position);
        }
        QCOMPARE(shownSlide(w), here);

        type(QStringLiteral("11"));
        QVERIFY(w.engine().state().Presenting);
        QCOMPARE(shownSlide(w), 11);
        type(QStringLiteral("3"));
        QCOMPARE(shownSlide(w), 3);
        // From there the run goes on in its order: the next key shows the slide after 3 in it.
        const int at3 = w.engine().state().Position;
        press(Qt::Key_PageDown);
        QCOMPARE(w.engine().state().Position, at3 + 1);
        QVERIFY(shownSlide(w) != 8);
        // The text slide's view passes the digits on too.
        type(QStringLiteral("5"));
        QCOMPARE(shownSlide(w), 5);
        type(QStringLiteral("12"));
        QCOMPARE(shownSlide(w), 12);
        QVERIFY(prompter.shown.empty());
        QVERIFY(!w.engine().state().ResumeAfterCommand);
    }

    // An automatic run goes on from the typed slide with its timing; the cover leaves it running.
    void automaticRunJumpsAndKeepsRunning()
    {
        Show show;
        FakePrompter prompter;
        TFShowImages w(prompter);
        open(w, show.list);
        w.session().Settings.ManualViewing = false;
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QVERIFY(!w.engine().state().Paused);
        type(QStringLiteral("7"));
        QVERIFY(w.engine().state().Presenting);
        QVERIFY(!w.engine().state().Paused);
        QCOMPARE(shownSlide(w), 7);
        press(Qt::Key_Period);
        QVERIFY(w.blankCover()->covering());
        QVERIFY(!w.engine().state().Paused);
        press(Qt::Key_Space); // only lifts the cover: the run is not paused by it
        QVERIFY(!w.engine().state().Paused);
        QVERIFY(prompter.shown.empty());
    }

    // In sequential order, going back from a slide reached by number skips the hidden one.
    void stepsAroundAHiddenSlideAfterAJump()
    {
        Show show(8);
        FakePrompter prompter;
        TFShowImages w(prompter);
        open(w, show.list);
        w.action(PlayerAction::A_V_InitNext)->trigger();
        type(QStringLiteral("9"));
        QCOMPARE(shownSlide(w), 9);
        press(Qt::Key_PageUp);
        QCOMPARE(shownSlide(w), 7);
        press(Qt::Key_PageDown);
        QCOMPARE(shownSlide(w), 9);
    }

    // A typed-answer box keeps its characters: "B", "." and digits go into it, Enter answers it.
    void typedAnswerBoxReceivesItsCharacters()
    {
        SlideListFixture fx;
        const QString list =
            fx.list(QStringLiteral("quiz.sal"),
                    {L::line(fx.picture(QStringLiteral("p0.png")), QStringLiteral("XP"),
                             QStringLiteral("Pregunta?"), QStringLiteral("B1.5")),
                     L::line(fx.picture(QStringLiteral("p1.png")))});
        FakePrompter prompter;
        TFShowImages w(prompter);
        open(w, list);
        PresentationSettings &s = w.session().Settings;
        s.ByInput = true;
        s.WithMask = false;
        w.action(PlayerAction::A_V_InitNext)->trigger();
        QuestionControls *c = w.slideArea()->questionControls();
        QVERIFY(c && c->box());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c->box()));
        QTest::keyClicks(c->box(), QStringLiteral("B1.5"));
        QCOMPARE(c->box()->text(), QStringLiteral("B1.5"));
        QVERIFY(!w.blankCover()->covering());
        QCOMPARE(w.engine().state().Position, 0);
        // Keys the box leaves over are not presenter keys while it is up.
        press(Qt::Key_PageDown);
        QCOMPARE(w.engine().state().Position, 0);
        QVERIFY(!w.blankCover()->covering());
    }

    // A question that comes up under a cover (an automatic run goes on under it) lifts it, and
    // its box has the keys.
    void aQuestionLiftsTheCover()
    {
        SlideListFixture fx;
        const QString list =
            fx.list(QStringLiteral("quiz.sal"),
                    {L::line(fx.picture(QStringLiteral("p0.png"))),
                     L::line(fx.picture(QStringLiteral("p1.png")), QStringLiteral("XP"),
                             QStringLiteral("Pregunta?"), QStringLiteral("Roma"))});
        FakePrompter prompter;
        TFShowImages w(prompter);
        open(w, list);
        w.session().Settings.ByInput = true;
        w.action(PlayerAction::A_V_InitNext)->trigger();
        press(Qt::Key_B);
        QVERIFY(w.blankCover()->covering());
        w.engine().command(PendingCommandCode::Next); // as the slide's time running out would
        QCOMPARE(shownSlide(w), 2);
        QVERIFY(!w.blankCover()->covering());
        QuestionControls *c = w.slideArea()->questionControls();
        QVERIFY(c && c->box());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(c->box()));
    }

    // The screensaver is held off from a run's start to its end, however it ends.
    void screenSaverHeldDuringARun()
    {
        Show show;
        FakeScreenSaverBus bus;
        FakePrompter prompter;
        {
            TFShowImages w(prompter);
            w.setScreenSaverBus(bus);
            open(w, show.list);
            QVERIFY(bus.calls.isEmpty());
            // Ended by Esc.
            w.action(PlayerAction::A_V_InitNext)->trigger();
            QCOMPARE(bus.calls, QStringList{QStringLiteral("inhibit 7")});
            QVERIFY(w.screenSaver().holding());
            press(Qt::Key_Escape);
            QVERIFY(!w.engine().state().Presenting);
            QCOMPARE(bus.calls.last(), QStringLiteral("uninhibit 7"));
            // Ended by the list's end.
            w.action(PlayerAction::A_V_InitNext)->trigger();
            for (int i = 0; i < 12; ++i)
                press(Qt::Key_PageDown);
            QVERIFY(!w.engine().state().Presenting);
            QCOMPARE(bus.calls.mid(2),
                     (QStringList{QStringLiteral("inhibit 8"), QStringLiteral("uninhibit 8")}));
            // A jump by number may end and resume the run, but it is held again at once.
            w.action(PlayerAction::A_V_InitNext)->trigger();
            type(QStringLiteral("6"));
            QVERIFY(w.screenSaver().holding());
            // Ended by closing the window.
            bus.calls.clear();
            w.close();
            QVERIFY(!w.engine().state().Presenting);
            QCOMPARE(bus.calls.size(), 1);
            QVERIFY(bus.calls.first().startsWith(QStringLiteral("uninhibit")));
            QVERIFY(!w.screenSaver().holding());
        }
        QCOMPARE(bus.calls.size(), 1); // nothing more when the window goes
        // Only the closing's own question (the list has no settings file of its own yet).
        QCOMPARE(prompter.texts().size(), 1);
        QVERIFY(prompter.texts().first().startsWith(QStringLiteral("Voleu desar la configuraci")));
    }

    // Where no session bus can be reached (no address, no socket in the runtime folder, no
    // display), the bus is not even asked for: no bus thread starts, nothing is held, and a run
    // goes on without a message. With this machine's own bus, whatever it has, nothing breaks.
    void missingScreenSaverIsHarmless()
    {
        {
            QTemporaryDir runtime; // a runtime folder without a bus socket
            const ScopedEnvironment noBus({{"DBUS_SESSION_BUS_ADDRESS", QByteArray()},
                                           {"DISPLAY", QByteArray()},
                                           {"XDG_RUNTIME_DIR", runtime.path().toLocal8Bit()}});
            const int threadsBefore = busThreads();
            DBusScreenSaverBus bus;
            QVERIFY(!bus.inhibit(QStringLiteral("Pelvar"), QStringLiteral("prova")));
            bus.uninhibit(12345);
            QCOMPARE(busThreads(), threadsBefore);

            Show show;
            FakePrompter prompter;
            TFShowImages w(prompter);
            open(w, show.list);
            w.action(PlayerAction::A_V_InitNext)->trigger();
            QVERIFY(w.engine().state().Presenting);
            press(Qt::Key_Escape);
            QVERIFY(!w.engine().state().Presenting);
            QVERIFY(prompter.shown.empty());
            QCOMPARE(busThreads(), threadsBefore);
        }
        DBusScreenSaverBus bus;
        const std::optional<std::uint32_t> cookie =
            bus.inhibit(QStringLiteral("Pelvar"), QStringLiteral("prova"));
        if (cookie)
            bus.uninhibit(*cookie);
        bus.uninhibit(12345); // a cookie never given out
    }

private:
    // Sets environment variables (an empty value unsets) and puts the old values back.
    class ScopedEnvironment
    {
    public:
        explicit ScopedEnvironment(std::vector<std::pair<const char *, QByteArray>> values)
        {
            for (auto &[name, value] : values) {
                m_old.emplace_back(name, qEnvironmentVariableIsSet(name), qgetenv(name));
                if (value.isEmpty())
                    qunsetenv(name);
                else
                    qputenv(name, value);
            }
        }
        ~ScopedEnvironment()
        {
            for (const auto &[name, wasSet, value] : m_old) {
                if (wasSet)
                    qputenv(name, value);
                else
                    qunsetenv(name);
            }
        }
        ScopedEnvironment(const ScopedEnvironment &) = delete;
        ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

    private:
        std::vector<std::tuple<const char *, bool, QByteArray>> m_old;
    };

    // The threads Qt's bus connection runs, as the system names them.
    static int busThreads() { return int(threadNames().count(QStringLiteral("QDBusConnection"))); }
};

QTEST_MAIN(PresenterKeysWindowTest)
#include "PresenterKeysWindowTest.moc"
