// The presentation check from the main window: the summary boxes, the errors window and what its
// two buttons do to the list or the image-sound table.

#include "player/ui/TFShowImages.h"

#include "presentation/ui/TFPresentErrors.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

using L = SlideListFixture;

namespace {

struct SeenWindow
{
    bool shown = false;
    QString title, text;
    bool editEnabled = true;
    QString editHint, changeDirHint;
};

// Runs `start`, which opens the errors window modally; `act` works it from inside its loop.
SeenWindow whileErrorsShown(const std::function<void()> &start,
                            const std::function<void(TFPresentErrors &)> &act)
{
    SeenWindow seen;
    // Owned here: when no window opens it never fires later, into another test.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *w = qobject_cast<TFPresentErrors *>(QApplication::activeModalWidget());
        if (!w)
            return;
        seen.shown = true;
        seen.title = w->windowTitle();
        seen.text = w->richEdit()->toPlainText();
        seen.editEnabled = w->editButton()->isEnabled();
        seen.editHint = w->editButton()->toolTip();
        seen.changeDirHint = w->changeDirButton()->toolTip();
        act(*w);
    });
    timer.start(0);
    start();
    return seen;
}

void openIn(TFShowImages &w, const QString &list)
{
    w.resize(700, 500);
    w.show();
    StartupArgs args;
    args.fileArgument = list;
    w.startUp(args, false);
}

} // namespace

class PresentationCheckWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanListsShowTheSummary_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("summary");
        QTest::newRow("none hidden") << QString() << int(MsgKind::Information)
                                     << QStringLiteral("La presentació és correcte");
        QTest::newRow("two hidden") << QStringLiteral("H") << int(MsgKind::Warning)
                                    << QStringLiteral("Hi ha 2 diapositives amagades");
    }

    void cleanListsShowTheSummary()
    {
        QFETCH(QString, flags);
        QFETCH(int, kind);
        QFETCH(QString, summary);
        SlideListFixture fx;
        const QString pic = fx.picture(QStringLiteral("a.png"));
        const QString list = fx.list(QStringLiteral("bona.sal"),
                                     {L::line(pic, flags), L::line(pic, flags), L::line(pic)});
        FakePrompter prompter;
        TFShowImages w(prompter);
        openIn(w, list);
        QAction *check = w.action(PlayerAction::A_F_Check);
        QVERIFY(check->isEnabled() && check->isVisible());
        QCOMPARE(check->text(), QStringLiteral("Comprovació de la presentació..."));
        prompter.clear();
        const SeenWindow seen = whileErrorsShown([&] { check->trigger(); }, [](auto &) {});
        QVERIFY(!seen.shown);
        QCOMPARE(prompter.texts(), QStringList{summary});
        QCOMPARE(int(prompter.shown[0].kind), kind);
    }

    // "&Refer" with a list whose pictures were moved next to it: every picture path is rewritten
    // and the list asks to be saved. Closing the window instead changes nothing.
    void referRewritesPathsAndTheListAsksToBeSaved()
    {
        SlideListFixture fx;
        fx.picture(QStringLiteral("a.png"));
        fx.picture(QStringLiteral("b.png"));
        const QStringList original = {
            L::line(QStringLiteral("/lloc/antic/a.png")),
            L::line(QStringLiteral("C:\\Fotos\\b.png"), QStringLiteral("*7"))};
        const QString list = fx.list(QStringLiteral("moguda.sal"), original);
        FakePrompter prompter;
        TFShowImages w(prompter);
        openIn(w, list);
        PresentationSession &session = w.engine().session();
        QAction *check = w.action(PlayerAction::A_F_Check);

        SeenWindow seen =
            whileErrorsShown([&] { check->trigger(); }, [](TFPresentErrors &e) { e.close(); });
        QVERIFY(seen.shown);
        QCOMPARE(seen.title, QStringLiteral("Errors trobats"));
        QCOMPARE(seen.text, QStringLiteral("1: no s'ha trobat\n(/lloc/antic/a.png)\n"
                                           "2: no s'ha trobat\n(C:\\Fotos\\b.png)"));
        // The list can be edited from here (the window's own stand-in opens it as text when no
        // editor was added).
        QVERIFY(seen.editEnabled);
        // A user who may only view cannot go to the editor from it.
        session.AccessLevel = AccessLevel::ViewOnly;
        const SeenWindow viewOnly =
            whileErrorsShown([&] { check->trigger(); }, [](TFPresentErrors &e) { e.close(); });
        QVERIFY(!viewOnly.editEnabled);
        QCOMPARE(viewOnly.editHint, QStringLiteral("El vostre nivell d'accés no permet editar"));
        session.AccessLevel = AccessLevel::Full;
        QCOMPARE(seen.changeDirHint,
                 QStringLiteral("Si hi ha errors que són d'arxiu no trobat i\nsabeu que tots són "
                                "al mateix directori de la presentació\nels hi canvia el "
                                "directori"));
        QCOMPARE(session.SlideLines.lines, original);
        QVERIFY(!session.SlideLines.modified);

        seen = whileErrorsShown([&] { check->trigger(); },
                                [](TFPresentErrors &e) { e.changeDirButton()->click(); });
        QVERIFY(seen.shown);
        QCOMPARE(session.SlideLines.lines,
                 QStringList({L::line(fx.path(QStringLiteral("a.png"))),
                              L::line(fx.path(QStringLiteral("b.png")), QStringLiteral("*7"))}));
        QVERIFY(session.SlideLines.modified);

        // The jump is still wrong: only it is left in the report.
        seen = whileErrorsShown([&] { check->trigger(); }, [](TFPresentErrors &e) { e.close(); });
        QCOMPARE(seen.text, QStringLiteral("2: Assignació d'un número de diapositiva (7) més "
                                           "enllà del final de la llista (2)"));

        prompter.clear();
        QVERIFY(!session.QueryCloseList()); // the box is cancelled
        QCOMPARE(prompter.texts().size(), 1);
        QVERIFY2(prompter.texts()[0].startsWith(QStringLiteral("Voleu desar la llista\r\n") + list),
                 qPrintable(prompter.texts()[0]));
    }

    // A faulty image-sound table is reported alone; "&Refer" finds its files in its own folder.
    void theSoundTableComesFirst()
    {
        SlideListFixture fx;
        const QString cat = fx.picture(QStringLiteral("gat.png"));
        const QString list =
            fx.list(QStringLiteral("animals.sal"), {L::line(QStringLiteral("/no/hi/es.png"))});
        fx.file(QStringLiteral("animals.sml"),
                "D:\\animals\\gat.png\t-1\t-1\t\tgat\r\n/animals/gos.png\t-1\t-1\t\tgos\r\n");
        FakePrompter prompter;
        TFShowImages w(prompter);
        openIn(w, list);
        PresentationSession &session = w.engine().session();
        QCOMPARE(session.SoundTable.table.recordCount(), 2);
        const SeenWindow seen =
            whileErrorsShown([&] { w.action(PlayerAction::A_F_Check)->trigger(); },
                             [](TFPresentErrors &e) { e.changeDirButton()->click(); });
        QCOMPARE(seen.text, QStringLiteral("no s'ha trobat\n(D:\\animals\\gat.png)\n"
                                           "no s'ha trobat\n(/animals/gos.png)"));
        QCOMPARE(session.SoundTable.table.value(0, QStringLiteral("FN")).toString(), cat);
        QCOMPARE(session.SoundTable.table.value(1, QStringLiteral("FN")).toString(),
                 QStringLiteral("/animals/gos.png"));
        QVERIFY(session.SoundTable.table.modified);
        QVERIFY(!session.SlideLines.modified);
    }

    // Opening a list when the options ask for its check runs it; view-only users cannot check.
    void checkAfterOpeningAndAccess()
    {
        SlideListFixture fx;
        const QString list =
            fx.list(QStringLiteral("falta.sal"), {L::line(QStringLiteral("x.png"))});
        FakePrompter prompter;
        TFShowImages w(prompter);
        openIn(w,
               fx.list(QStringLiteral("buida.sal"), {L::line(QString(), {}, QStringLiteral("T"))}));
        w.engine().session().Options.OpenSalOption = OpenSalAction::Check;
        const SeenWindow seen = whileErrorsShown(
            [&] { w.engine().OpenPresentation(list, PlayerEngine::CloseQuery::AlreadyAsked); },
            [](TFPresentErrors &e) { e.close(); });
        QVERIFY(seen.shown);
        QCOMPARE(seen.text, QStringLiteral("1: no s'ha trobat\n(x.png)"));
        QVERIFY(!w.engine().state().Presenting);

        FakePrompter viewer;
        TFShowImages v(viewer);
        StartupArgs args;
        args.accessLevel = AccessLevel::ViewOnly;
        v.startUp(args, false);
        QVERIFY(!v.action(PlayerAction::A_F_Check)->isVisible());
    }
};

QTEST_MAIN(PresentationCheckWindowTest)
#include "PresentationCheckWindowTest.moc"
