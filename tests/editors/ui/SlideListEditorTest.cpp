#include "config/TModIniLS.h"
#include "editors/ui/EditorsController.h"
#include "editors/ui/Miniature.h"
#include "editors/ui/TFEditSAL.h"
#include "editors/ui/TFMakeSalFromSmlOneAnswer.h"
#include "editors/ui/TFMakeSalFromWmlWithRadioButtons.h"
#include "editors/ui/TFMakeSalIni.h"
#include "files/FileListModel.h"
#include "files/FileNames.h"
#include "files/ui/TLsFilelistView27.h"
#include "player/PlayerEngine.h"
#include "player/PresentationSession.h"
#include "player/ui/TFShowImages.h"
#include "presentation/SlideList.h"
#include "support/ExplorerLists.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeScheduler.h"
#include "support/FakeShell.h"
#include "support/SlideListFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;
using L = SlideListFixture;

namespace {

// The presentation and the services an editor gets from the main window.
struct Desk
{
    SlideListFixture fx;
    FakePlayerView view;
    FakePrompter prompter;
    FakeShell shell;
    PresentationSession session{view, prompter};
    EditorServices services{session, prompter, shell};
    SlideEditorMemory memory;

    Desk()
    {
        services.playerView = &view;
        services.playAudio = [this](const QString &p) { view.playSlideAudio(p, false); };
        services.stopAudio = [this] { view.stopSlideAudio(); };
        session.Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
    }
};

void trigger(TFEditFileList &w, const char *name)
{
    QAction *a = w.command(QString::fromLatin1(name));
    QVERIFY2(a, name);
    QVERIFY2(a->isEnabled(), name);
    a->trigger();
}

void grabTo(QWidget &w, const QString &name)
{
    // The toolbars lay their buttons out when the events are served.
    QCoreApplication::processEvents();
    const QString dir = qEnvironmentVariable("PELVAR_SHOTS");
    if (!dir.isEmpty())
        w.grab().save(QDir(dir).filePath(name));
}

} // namespace

class SlideListEditorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A whole authoring run in the window: files from the left panel, a title row with a
    // question, a time, an audio track, a move and the save; the saved list then plays.
    void authoringRun()
    {
        Desk d;
        const QString a = d.fx.picture(u"a.png"_s, 320, 200);
        const QString b = d.fx.picture(u"b.png"_s, 200, 320);
        const QString wav = d.fx.file(u"so.wav"_s, QByteArray("RIFF"));
        TFEditSAL w(d.services, d.memory);
        w.loadLines({}, 0);
        w.resize(1200, 800);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));

        selectInList(w.fileList(), d.fx.dir(), {u"a.png"_s, u"b.png"_s});
        trigger(w, "A_H_RecAppend");
        SlideListRows &rows = w.slideRows();
        QCOMPARE(rows.count(), 2);
        QCOMPARE(rows.kindLetter(0), u"I"_s);

        // A title row with a question: the toggles, then the two boxes typed in.
        trigger(w, "A_H_AppendTitle");
        QCOMPARE(rows.count(), 3);
        QCOMPARE(rows.current(), 2);
        w.command(u"A_PWithAnswer"_s)->setChecked(true);
        QVERIFY(w.secondBox()->isVisible());
        w.command(u"A_PWithPromptForAnswer"_s)->setChecked(true);
        QVERIFY(w.firstBox()->isVisible());
        w.firstBox()->setFocus();
        QTest::keyClicks(w.firstBox(), u"Quin color te el cel?"_s);
        w.secondBox()->setFocus();
        QTest::keyClicks(w.secondBox(), u"*blau"_s);
        QTest::keyClick(w.secondBox(), Qt::Key_Return);
        QTest::keyClicks(w.secondBox(), u"verd"_s);

        // A time for the first picture: leaving the title row stores it.
        w.grid()->setCurrentIndex(rows.index(0, 0));
        QCOMPARE(rows.text(2, SlideListRows::AnswersOrNextLines), u"*blau|verd"_s);
        QVERIFY(rows.flag(2, SlideListRows::PWithPromptForAnswer));
        w.grid()->selectRow(0);
        w.timeBox()->setValue(7);
        trigger(w, "A_T_SetTime");
        QCOMPARE(rows.number(0, SlideListRows::Time), 7);

        // An audio track for the second picture, from the audio list.
        trigger(w, "A_F_AudioFL");
        QVERIFY(w.audioMode());
        selectInList(w.audioList(), d.fx.dir(), {u"so.wav"_s});
        w.grid()->selectRow(1);
        trigger(w, "A_H_RecChange");
        QCOMPARE(d.prompter.texts(), QStringList());
        QCOMPARE(rows.audioPath(1), wav);
        trigger(w, "A_F_AudioFL");

        // The question goes up one place.
        w.grid()->selectRow(2);
        QCOMPARE(rows.current(), 2);
        trigger(w, "A_H_RecUp");
        QCOMPARE(rows.kindLetter(1), u"T"_s);
        grabTo(w, u"editor.png"_s);

        // Saved under the name the main window's save dialog gives.
        const QString saved = d.fx.path(u"nova.sal"_s);
        d.view.saveAnswer = saved;
        trigger(w, "A_E_SaveAs");
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QVERIFY(w.savedToFile());
        QCOMPARE(d.session.SlideListPath, saved);
        SlideList list;
        QVERIFY(list.load(saved).ok());
        QCOMPARE(
            list.lines,
            (QStringList{L::line(a, u"B"_s, QString(), QString(), u"7"_s),
                         L::line(QString(), u"XP"_s, u"Quin color te el cel?"_s, u"*blau|verd"_s),
                         L::line(b, u"B"_s, QString(), QString(), QString(), wav)}));
        QVERIFY(d.prompter.shown.empty());

        // The engine plays what was saved: the question comes up second.
        FakePlayerView view;
        FakePrompter prompter;
        FakeScheduler clock;
        PresentationSession session(view, prompter);
        session.Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
        PlayerEngine engine(session, view, prompter, clock);
        session.SlideListPath = saved;
        QVERIFY(session.LoadPresentation());
        engine.RunPresentation(0);
        engine.command(PendingCommandCode::Next);
        QCOMPARE(view.shownSlides, (std::vector<int>{0, 1}));
        QCOMPARE(view.questionsShown, 1);
    }

    // Loading the list in force and accepting without a change hands back the same lines.
    void openAndAcceptChangesNothing()
    {
        Desk d;
        const QStringList lines = {
            L::line(d.fx.picture(u"a.png"_s), u"XRP"_s, u"Pregunta"_s, u"*a|b"_s, u"+4"_s),
            L::line(QString(), u"T"_s, QString(300, QLatin1Char('x'))),
            L::line(u"C:\\fotos\\c.JPG"_s, u"L"_s)};
        TFEditSAL w(d.services, d.memory);
        w.loadLines(lines, 1);
        QCOMPARE(w.slideRows().current(), 1);
        QVERIFY(d.prompter.anyContains(u"Almenys la diapositiva 2"_s));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        trigger(w, "A_E_Ok");
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.lines(), lines);
        QVERIFY(!w.modified());
    }

    void closingAfterChangesAsks()
    {
        Desk d;
        TFEditSAL w(d.services, d.memory);
        w.loadLines({L::line(d.fx.picture(u"a.png"_s))}, 0);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (int i = 0; i < 3; ++i)
            trigger(w, "A_H_AppendTitle");
        d.prompter.answers = {MsgButton::No};
        trigger(w, "A_E_Close");
        QVERIFY(w.isVisible());
        QCOMPARE(d.prompter.shown.back().text,
                 u"Segur que voleu abandonar les modificacions de la taula?"_s);
        d.prompter.answers = {MsgButton::Yes};
        trigger(w, "A_E_Close");
        QCOMPARE(w.result(), int(QDialog::Rejected));
    }

    // The main window's commands open the editor; accepting replaces the list in force, and a
    // new list that changed is named "SenseNom.sal".
    void mainWindowCommandsOpenTheEditor()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView saveView;
        FakeShell shell;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), u"Pelvar"_s));
        TFShowImages window(prompter);
        EditorsController editors(module, window.engine(), window, saveView, prompter, shell);
        PresentationSession &session = window.engine().session();
        session.Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
        QVERIFY(window.findChild<QAction *>(u"A_F_EditNewSAL"_s)->isEnabled());
        int opened = 0;
        editors.runEditor = [&](TFEditSAL &editor) {
            ++opened;
            editor.show();
            editor.slideRows().addTitleRow(false);
            editor.acceptList();
            return editor.result();
        };
        window.findChild<QAction *>(u"A_F_EditNewSAL"_s)->trigger();
        QCOMPARE(opened, 1);
        QCOMPARE(session.SlideLines.lines.size(), 1);
        QCOMPARE(extractFileName(session.SlideListPath), u"SenseNom.sal"_s);
        QVERIFY(session.SlideLines.modified);
        QVERIFY(session.PresentationReady);

        // Editing the list in force starts from its lines.
        editors.runEditor = [&](TFEditSAL &editor) {
            ++opened;
            [&] { QCOMPARE(editor.slideRows().count(), 1); }();
            editor.slideRows().addTitleRow(false);
            editor.acceptList();
            return editor.result();
        };
        window.findChild<QAction *>(u"A_F_EditSAL"_s)->trigger();
        QCOMPARE(opened, 2);
        QCOMPARE(session.SlideLines.lines.size(), 2);
    }

    // A save that fails says so, leaves the presentation where it was and the rows modified;
    // the file already there is not touched.
    void failedSaveKeepsThePresentation()
    {
        Desk d;
        const QString old = d.fx.file(u"vella.sal"_s, "\tT\tVella\t\t\t\r\n");
        d.session.SlideListPath = old;
        TFEditSAL w(d.services, d.memory);
        w.loadLines({L::line(QString(), QString(), u"Vella"_s)}, 0);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        trigger(w, "A_H_AppendTitle");
        QDir(d.fx.dir()).mkdir(u"carpeta.sal"_s);
        d.view.saveAnswer = d.fx.path(u"carpeta.sal"_s);
        trigger(w, "A_E_SaveAs");
        QVERIFY(d.prompter.anyContains(u"S'ha produït un error en desar"_s));
        QVERIFY(!w.savedToFile());
        QVERIFY(w.modified());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(d.session.SlideListPath, old);
        QFile f(old);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\tT\tVella\t\t\t\r\n"));
        QVERIFY(QFileInfo(d.fx.path(u"carpeta.sal"_s)).isDir());
    }

    // A run interrupted to edit resumes where it was, with the editor on that slide; the
    // editor's layout and states are kept for the next opening and go back to the options.
    void anInterruptedRunResumes()
    {
        SlideListFixture fx;
        FakePrompter prompter;
        FakePlayerView saveView;
        FakeShell shell;
        TModIniLS module(THlpIniFLoadSave(fx.dir(), u"Pelvar"_s));
        TFShowImages window(prompter);
        EditorsController editors(module, window.engine(), window, saveView, prompter, shell);
        PlayerEngine &engine = window.engine();
        PresentationSession &session = engine.session();
        session.Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
        QStringList lines;
        for (int i = 1; i <= 4; ++i)
            lines << L::line(QString(), QString(), u"Títol %1"_s.arg(i));
        session.SlideListPath = fx.list(u"llista.sal"_s, lines);
        QVERIFY(session.LoadPresentation());
        engine.RunPresentation(0);
        engine.command(PendingCommandCode::Next);
        engine.command(PendingCommandCode::Next);
        QCOMPARE(engine.state().Position, 2);
        int currentRow = -1;
        editors.runEditor = [&](TFEditSAL &editor) {
            currentRow = editor.slideRows().current();
            editor.command(u"A_F_AudioFL"_s)->trigger();
            editor.acceptList();
            return editor.result();
        };
        window.findChild<QAction *>(u"A_F_EditSAL"_s)->trigger();
        QCOMPARE(currentRow, 2);
        QVERIFY(engine.state().Presenting);
        QCOMPARE(engine.state().Position, 2);
        QVERIFY(session.Options.EdiAudioFL);
        QVERIFY(editors.memory().window.audioMode);
        QVERIFY(!session.SlideLines.modified);
    }

    // Copying the list's files from two folders into one, with redirection: the files are
    // there afterwards and every row names its copy, tracks included.
    void copyWithRedirection()
    {
        Desk d;
        QDir(d.fx.dir()).mkpath(u"x"_s);
        QDir(d.fx.dir()).mkpath(u"y"_s);
        QDir(d.fx.dir()).mkpath(u"desti"_s);
        const QString dest = d.fx.path(u"desti"_s);
        TFEditSAL w(d.services, d.memory);
        w.loadLines({L::line(d.fx.picture(u"x/a.png"_s), QString(), QString(), QString(), QString(),
                             d.fx.file(u"y/so.wav"_s, "RIFF")),
                     L::line(d.fx.picture(u"y/b.png"_s))},
                    0);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        d.services.copyChoices.destination = dest;
        d.services.copyChoices.allToOneDirectory = true;
        d.services.copyChoices.redirectDirs = true;
        bool accepted = false;
        QTimer::singleShot(0, &w, [&] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (dialog && dialog != &w) {
                accepted = true;
                dialog->accept();
            }
        });
        trigger(w, "A_O_CopyFiles");
        QVERIFY(accepted);
        for (const char *name : {"a.png", "b.png", "so.wav"})
            QVERIFY2(QFileInfo::exists(dest + u"/"_s + QString::fromLatin1(name)), name);
        QCOMPARE(w.slideRows().text(0, FileListRows::Dir), dest);
        QCOMPARE(w.slideRows().text(1, FileListRows::Dir), dest);
        QCOMPARE(w.slideRows().audioPath(0), dest + u"/so.wav"_s);
        QVERIFY(w.modified());
        // The originals stay where they were.
        QVERIFY(QFileInfo::exists(d.fx.path(u"x/a.png"_s)));
        QCOMPARE(d.prompter.texts(), QStringList());
    }

    // The accessory slides of a quiz: the first group may not start with a list, the last may;
    // an empty group opens with a title slide when asked.
    void accessorySlidesEditor()
    {
        Desk d;
        const QString sal = d.fx.file(u"altra.sal"_s, "x");
        TFMakeSalIni first(d.services, TFMakeSalIni::Group::First, {L::line(sal)}, true);
        QCOMPARE(first.windowTitle(), u"Assignació de la primera/es diapositiva/es"_s);
        QVERIFY(!first.command(u"A_E_SaveAs"_s));
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        QCOMPARE(first.slideRows().count(), 1); // the group was not empty
        trigger(first, "A_E_Ok");
        QVERIFY(first.isVisible());
        QVERIFY(d.prompter.anyContains(u"La primera diapositiva no pot ser"_s));

        TFMakeSalIni last(d.services, TFMakeSalIni::Group::Last, {L::line(sal)}, false);
        last.show();
        QVERIFY(QTest::qWaitForWindowExposed(&last));
        trigger(last, "A_E_Ok");
        QCOMPARE(last.result(), int(QDialog::Accepted));
        QCOMPARE(last.lines(), QStringList{L::line(sal)});

        TFMakeSalIni empty(d.services, TFMakeSalIni::Group::Last, {}, true);
        empty.show();
        QVERIFY(QTest::qWaitForWindowExposed(&empty));
        QCOMPARE(empty.slideRows().count(), 1);
        QCOMPARE(empty.slideRows().kindLetter(0), u"T"_s);
    }

    // The generation dialog of a words table: a generic question needs its text; "&Crea" keeps
    // the accessory slides of the earlier quiz and writes the questions between them.
    void generationDialog()
    {
        Desk d;
        MeaningTable table(MeaningKind::Words);
        table.fileName = d.fx.file(u"curs.wml"_s, "gos\tdog\r\ngat\tcat\r\n");
        QVERIFY(table.load(table.fileName).ok());
        d.fx.list(u"curs.sal"_s, {L::line(QString(), QString(), u"Inici"_s),
                                  L::line(QString(), u"XP"_s, u"vell"_s, u"*a|b"_s),
                                  L::line(QString(), QString(), u"Fi"_s)});
        d.session.Settings.PresSort = PresSortMode::Memorisation;
        TFMakeSalFromWmlWithRadioButtons dialog(d.services, table, false);
        // Memorisation is no order for a quiz: it was changed, and the user told.
        QCOMPARE(d.session.Settings.PresSort, PresSortMode::Random);
        QVERIFY(d.prompter.anyContains(u"S'ha modificat mínimament el mode"_s));
        QVERIFY(dialog.CB_FirstPresent->isChecked() && dialog.CB_LastPresent->isChecked());
        QVERIFY(dialog.L_Config->text().contains(u"modificat"_s));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.RB_GenericPrompt->setChecked(true);
        QVERIFY(dialog.E_Prompt->isEnabled());
        d.prompter.clear();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(d.prompter.texts(),
                 QStringList{u"Si escolliu una pregunta genèrica, cal formular-la"_s});
        dialog.E_Prompt->setText(u"Tradueix"_s);
        dialog.CB_RandomAnswers->setChecked(true);
        // The random margins are said, then the earlier quiz is replaced.
        d.prompter.answers = {MsgButton::OK, MsgButton::Yes};
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.writtenPath(), d.fx.path(u"curs.sal"_s));
        SlideList list;
        QVERIFY(list.load(dialog.writtenPath()).ok());
        QCOMPARE(list.lines, (QStringList{L::line(QString(), QString(), u"Inici"_s),
                                          u"\tXPR\tTradueix\t*gat|gos///\t\t"_s,
                                          u"\tXPR\tTradueix\tgat///|*gos\t\t"_s,
                                          L::line(QString(), QString(), u"Fi"_s)}));
        // One slide on each side of a random order: the first and last stay in place.
        QCOMPARE(d.session.Settings.PresDRandom, RandomScope::WithOmissions);
        QVERIFY(d.session.Settings.OmissionFirstSlide && d.session.Settings.OmissionLastSlide);
        QVERIFY(d.session.SettingsModified);
    }

    void generationDialogOfAPictureTable()
    {
        Desk d;
        const QString a = d.fx.picture(u"a.png"_s);
        const QString b = d.fx.picture(u"b.png"_s);
        MeaningTable table(MeaningKind::Sounds);
        table.fileName =
            d.fx.file(u"fotos.sml"_s,
                      (a + u"\t-1\t-1\t\tCasa\r\n"_s + b + u"\t5\t6\t\tArbre\r\n"_s).toUtf8());
        QVERIFY(table.load(table.fileName).ok());
        d.session.Settings.PresWithITName = true;
        TFMakeSalFromSmlOneAnswer dialog(d.services, table);
        QVERIFY(!d.session.Settings.PresWithITName); // the file name would tell the answer
        QVERIFY(!dialog.CB_FirstPresent->isEnabled());
        dialog.E_Prompt->setText(u"Què és?"_s);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        SlideList list;
        QVERIFY(list.load(d.fx.path(u"fotos.sal"_s)).ok());
        QCOMPARE(list.lines, (QStringList{a + u"\tXP\tQuè és?\tCasa\t\t"_s,
                                          b + u"\tx5y6XP\tQuè és?\tArbre\t\t"_s}));
        QVERIFY(d.prompter.anyContains(u"S'ha creat la presentació"_s));
    }

    void miniatureShowsTheRowAndItsKind()
    {
        Desk d;
        d.session.Options.MaxOthersImgFileSize = 500000;
        TFEditSAL w(d.services, d.memory);
        const QString big = d.fx.file(u"gran.jpg"_s, QByteArray(600000, 'x'));
        w.loadLines({L::line(d.fx.picture(u"a.png"_s, 400, 300)), L::line(big),
                     L::line(QString(), u"X"_s, u"p"_s, u"*a|b"_s)},
                    0);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        Miniature *mini = w.rightMiniature();
        QTRY_VERIFY(mini->pictureReady());
        QVERIFY(mini->Image().hasPicture());
        w.grid()->setCurrentIndex(w.slideRows().index(1, 0));
        QCOMPARE(mini->Image().Caption, u"M. gran"_s);
        w.grid()->setCurrentIndex(w.slideRows().index(2, 0));
        QCOMPARE(mini->Image().Caption, u"Preg."_s);
        // The left miniature follows the file chosen in the left list.
        selectInList(w.fileList(), d.fx.dir(), {u"a.png"_s});
        QTRY_COMPARE(w.leftMiniature()->path(), d.fx.path(u"a.png"_s));
        QTRY_VERIFY(w.leftMiniature()->pictureReady());
        selectInList(w.fileList(), d.fx.dir(), {u"gran.jpg"_s});
        QTRY_COMPARE(w.leftMiniature()->Image().Caption, u"M. gran"_s);

        // A file removed while the editor is open: its miniature shows nothing, a click on it
        // opens no preview, and the check finds it missing.
        QFile::remove(d.fx.path(u"a.png"_s));
        w.grid()->setCurrentIndex(w.slideRows().index(1, 0));
        w.grid()->setCurrentIndex(w.slideRows().index(0, 0));
        QTRY_VERIFY(mini->pictureReady());
        QVERIFY(!mini->Image().hasPicture());
        QTest::mouseClick(mini, Qt::LeftButton);
        QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget *>(nullptr));
        QVERIFY(w.slideRows().checkList().first().startsWith(u"1: no s'ha trobat"_s));
    }
};

QTEST_MAIN(SlideListEditorTest)
#include "SlideListEditorTest.moc"
