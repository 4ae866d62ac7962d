#include "config/TModIniLS.h"
#include "editors/ui/EditorsController.h"
#include "editors/ui/TFEdiWordsAndMeaningTable.h"
#include "editors/ui/TFEditSML.h"
#include "editors/ui/TFMakeSalFromSWml0.h"
#include "files/FileListModel.h"
#include "files/FileNames.h"
#include "files/ui/TLsFilelistView27.h"
#include "player/PlayerEngine.h"
#include "player/PresentationSession.h"
#include "player/StartupArgs.h"
#include "player/ui/TFShowImages.h"
#include "presentation/SlideList.h"
#include "support/ExplorerLists.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeShell.h"
#include "support/SlideListFixture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void grabTo(QWidget &w, const QString &name)
{
    QCoreApplication::processEvents();
    const QString dir = qEnvironmentVariable("PELVAR_SHOTS");
    if (!dir.isEmpty())
        w.grab().save(QDir(dir).filePath(name));
}

// The main window with its editors, as the program composes them.
struct MainDesk
{
    SlideListFixture fx;
    FakePrompter prompter;
    FakePlayerView saveView;
    FakeShell shell;
    TModIniLS module{THlpIniFLoadSave(fx.dir(), u"Pelvar"_s)};
    TFShowImages window{prompter};
    EditorsController editors{module, window.engine(), window, saveView, prompter, shell};
    PresentationSession &session = window.engine().session();
    QString savePath;
    int opened = 0;

    MainDesk()
    {
        session.Options.SaveIndividualConfigO = SaveConfigPolicy::Never;
        editors.chooseTableFile = [this](bool, bool, const QString &) { return savePath; };
    }
    QAction *command(const char *name)
    {
        return window.findChild<QAction *>(QString::fromLatin1(name));
    }
};

} // namespace

class TableEditorsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A teacher's run: a new table from three tracks and a picture, meanings typed, saved, a
    // quiz generated from it and then loaded and run from the main window.
    void newTableToQuiz()
    {
        MainDesk d;
        const QString pic = d.fx.picture(u"gat.png"_s, 120, 90);
        for (const char *name : {"u.wav", "dos.wav", "tres.wav"})
            (void)d.fx.file(QString::fromLatin1(name), QByteArray("RIFF"));
        QVERIFY(d.command("A_F_EditNewSML")->isEnabled());
        QVERIFY(!d.command("A_F_EditSML")->isEnabled());
        d.savePath = d.fx.path(u"sons.sml"_s);
        QString generated;
        d.editors.runTableEditor = [&](QDialog &dialog) {
            ++d.opened;
            auto &w = static_cast<TFEditSML &>(dialog);
            w.resize(1200, 800);
            w.show();
            [&] {
                QVERIFY(QTest::qWaitForWindowExposed(&w));
                QCOMPARE(w.windowTitle(), u"Edició d'una nova taula"_s);
                QVERIFY(!w.command(u"A_E_Save"_s)->isEnabled());
                QVERIFY(!w.command(u"A_F_Mk_SalWithRadioButtons"_s)->isEnabled());
                // Audio mode: three tracks become three sound-only rows.
                if (!w.audioMode())
                    w.command(u"A_F_AudioFL"_s)->trigger();
                QVERIFY(w.command(u"A_H_RecAppend"_s)->toolTip().startsWith(u"Afegeix pista"_s));
                selectInList(w.audioList(), d.fx.dir(), {u"u.wav"_s, u"dos.wav"_s, u"tres.wav"_s});
                w.command(u"A_H_RecAppend"_s)->trigger();
                SoundTableRows &rows = w.soundRows();
                QCOMPARE(rows.count(), 3);
                for (int r = 0; r < 3; ++r)
                    QCOMPARE(rows.kindLetter(r), u"T"_s);
                // A picture, its meaning typed in the box.
                w.command(u"A_F_AudioFL"_s)->trigger();
                selectInList(w.fileList(), d.fx.dir(), {u"gat.png"_s});
                w.command(u"A_H_RecAppend"_s)->trigger();
                QCOMPARE(rows.count(), 4);
                QCOMPARE(rows.kindLetter(3), u"I"_s);
                QCOMPARE(w.meaningBox()->text(), u"Gat"_s);
                w.meaningBox()->selectAll();
                QTest::keyClicks(w.meaningBox(), u"un gat negre"_s);
                QTest::keyClick(w.meaningBox(), Qt::Key_Return);
                QCOMPARE(rows.text(3, SoundTableRows::Meaning), u"Un gat negre"_s);
                grabTo(w, u"sound-table-editor.png"_s);

                w.command(u"A_E_SaveAs"_s)->trigger();
                QCOMPARE(w.windowTitle(), d.savePath);
                QVERIFY(w.command(u"A_E_Save"_s)->isEnabled());
                QVERIFY(w.command(u"A_F_Mk_SalWithRadioButtons"_s)->isEnabled());

                // The quiz from the saved table.
                w.runGenerationDialog = [&](QDialog &g) {
                    g.show();
                    d.prompter.answers = {MsgButton::OK}; // "S'ha creat la presentació"
                    g.accept();
                    generated = static_cast<TFMakeSalFromSWml0 &>(g).writtenPath();
                    return g.result();
                };
                w.command(u"A_F_Mk_SalWithRadioButtons"_s)->trigger();
                QCOMPARE(w.generatedPath(), d.fx.path(u"sons.sal"_s));
                // A change disables the generation until the table is saved again.
                w.soundRows().setCurrent(0);
                w.meaningBox()->setText(u"x"_s);
                w.soundRows().setMeaningText(u"x"_s);
                w.soundRows().postPendingEdits();
                QCOMPARE(w.soundRows().text(0, SoundTableRows::Meaning), u"X"_s);
                QVERIFY(!w.command(u"A_F_Mk_SalWithRadioButtons"_s)->isEnabled());
                w.command(u"A_E_Save"_s)->trigger();
                QVERIFY(w.command(u"A_F_Mk_SalWithRadioButtons"_s)->isEnabled());
            }();
            // Saved after the quiz was made: closing asks whether to leave the quiz as it is;
            // then the main window offers to load and run it.
            d.prompter.answers = {MsgButton::Yes, MsgButton::Yes};
            w.command(u"A_E_Close"_s)->trigger();
            return w.result();
        };
        d.command("A_F_EditNewSML")->trigger();
        QCOMPARE(d.opened, 1);
        QCOMPARE(generated, d.fx.path(u"sons.sal"_s));
        QVERIFY(d.prompter.anyContains(u"Heu desat la taula però no he creat de nou"_s));
        QVERIFY(d.prompter.anyContains(
            u"Carregar i presentar\r\n%1\r\nacabat de crear?"_s.arg(generated)));
        // The tracks come in the list's order, which is the names'.
        QCOMPARE(readAll(d.savePath),
                 (u"\t-1\t-1\t%1\tX\r\n\t-1\t-1\t%2\tTres\r\n\t-1\t-1\t%3\tU\r\n"_s.arg(
                      d.fx.path(u"dos.wav"_s), d.fx.path(u"tres.wav"_s), d.fx.path(u"u.wav"_s)) +
                  u"%1\t-1\t-1\t\tUn gat negre\r\n"_s.arg(pic))
                     .toLocal8Bit());
        QCOMPARE(d.session.SlideListPath, generated);
        QVERIFY(d.session.PresentationReady);
        QVERIFY(d.window.engine().state().Presenting);
        QCOMPARE(d.session.SoundTable.table.recordCount(), 4);
        QVERIFY(d.command("A_F_EditSML")->isEnabled());
        d.window.engine().stop();
    }

    // Replacing a modified table asks first: Cancel keeps it and opens nothing, No goes on.
    // Opening a table from a file loads it into the editor; an empty file opens nothing.
    void replacingAndOpening()
    {
        MainDesk d;
        d.session.SoundTable.fileName = d.fx.path(u"vella.sml"_s);
        d.session.SoundTable.table.modified = true;
        d.editors.runTableEditor = [&](QDialog &w) {
            ++d.opened;
            return w.result();
        };
        d.prompter.answers = {MsgButton::Cancel};
        d.command("A_F_EditNewSML")->trigger();
        QCOMPARE(d.opened, 0);
        QCOMPARE(d.prompter.texts().last(),
                 u"Voleu desar la taula\r\n%1?"_s.arg(d.fx.path(u"vella.sml"_s)));
        QCOMPARE(d.session.SoundTable.fileName, d.fx.path(u"vella.sml"_s));

        // Yes with a save that fails (the words table of the name stays): nothing opens.
        (void)d.fx.file(u"vella.wml"_s, "a\tb\r\n");
        d.savePath = d.fx.path(u"vella.sml"_s);
        d.prompter.answers = {MsgButton::Yes, MsgButton::No};
        d.command("A_F_EditNewSML")->trigger();
        QCOMPARE(d.opened, 0);
        QVERIFY(!QFile::exists(d.savePath));

        // No: the editor opens on an empty table; closed unsaved, the table in force stays.
        int rowsShown = -1;
        d.editors.runTableEditor = [&](QDialog &w) {
            ++d.opened;
            rowsShown = static_cast<TFEditSML &>(w).soundRows().count();
            return w.result();
        };
        d.session.SoundTable.table.clear();
        MemTable::Record kept = d.session.SoundTable.table.emptyRecord();
        (void)d.session.SoundTable.table.setField(kept, 4, u"Kept"_s);
        QVERIFY(!d.session.SoundTable.table.append(kept));
        d.session.SoundTable.table.modified = true;
        d.prompter.answers = {MsgButton::No};
        d.command("A_F_EditNewSML")->trigger();
        QCOMPARE(d.opened, 1);
        QCOMPARE(rowsShown, 0);
        QCOMPARE(d.session.SoundTable.fileName, d.fx.path(u"vella.sml"_s));
        QCOMPARE(d.session.SoundTable.table.recordCount(), 1);
        d.editors.runTableEditor = [&](QDialog &w) {
            ++d.opened;
            return w.result();
        };

        const QString pic = d.fx.picture(u"os.png"_s);
        d.savePath = d.fx.file(u"ossos.sml"_s, (pic + u"\t5\t6\t\tFèmur\r\n"_s).toLocal8Bit() +
                                                   (pic + u"\t7\t8\t\tTíbia\r\n"_s).toLocal8Bit());
        int rows = 0;
        d.editors.runTableEditor = [&](QDialog &w) {
            ++d.opened;
            rows = static_cast<TFEditSML &>(w).soundRows().count();
            [&] { QCOMPARE(w.windowTitle(), d.savePath); }();
            return w.result();
        };
        d.prompter.answers = {MsgButton::No}; // the modified table in force is not saved
        d.command("A_F_OpenSML")->trigger();
        QCOMPARE(d.opened, 2);
        QCOMPARE(rows, 2);
        QVERIFY(d.command("A_F_EditSML")->isEnabled());

        d.savePath = d.fx.file(u"buida.sml"_s, QByteArray());
        d.command("A_F_OpenSML")->trigger();
        QCOMPARE(d.opened, 2);
        QVERIFY(!d.command("A_F_EditSML")->isEnabled());
        QVERIFY(!d.session.SoundTable.hasFile());
    }

    // The words table from the main window: a new table typed, saved, a quiz made from it and
    // run; the orientation chosen is kept for the next opening.
    void wordTableThroughTheMainWindow()
    {
        MainDesk d;
        QVERIFY(d.command("A_F_EditNewWML")->isEnabled());
        QVERIFY(!d.command("A_F_EditWML")->isEnabled());
        d.savePath = d.fx.path(u"vocabulari.wml"_s);
        d.editors.runTableEditor = [&](QDialog &dialog) {
            ++d.opened;
            auto &w = static_cast<TFEdiWordsAndMeaningTable &>(dialog);
            w.show();
            [&] {
                QVERIFY(QTest::qWaitForWindowExposed(&w));
                QCOMPARE(w.windowTitle(), u"Edició d'una nova taula"_s);
                QVERIFY(w.rows().post(0, u"gos"_s, u"dog"_s).ok());
                QVERIFY(w.rows().post(1, u"gat"_s, u"cat"_s).ok());
                QVERIFY(w.saveAs());
                QVERIFY(w.command(u"A_F_Mk_SalWithRadioButtons"_s)->isEnabled());
                w.runGeneration = [&](TFMakeSalFromSWml0 &g) {
                    g.show();
                    d.prompter.answers = {MsgButton::OK};
                    g.accept();
                    return g.result();
                };
                w.command(u"A_F_Mk_SalWithRadioButtons"_s)->trigger();
                QCOMPARE(w.generatedPath(), d.fx.path(u"vocabulari.sal"_s));
                w.command(u"A_T_CommuteColumnsFunction"_s)->trigger();
            }();
            // Saved since the quiz was made: leaving is confirmed; the quiz is not loaded.
            d.prompter.answers = {MsgButton::Yes, MsgButton::No};
            w.command(u"A_F_Close"_s)->trigger();
            return w.result();
        };
        d.command("A_F_EditNewWML")->trigger();
        QCOMPARE(d.opened, 1);
        QCOMPARE(readAll(d.savePath), QByteArray("Gos\tDog\r\nGat\tCat\r\n"));
        QCOMPARE(d.prompter.texts().last(), u"Carregar i presentar\r\n%1\r\nacabat de crear?"_s.arg(
                                                d.fx.path(u"vocabulari.sal"_s)));
        QVERIFY(d.prompter.anyContains(u"no he creat de nou l'arxiu sal existent"_s));
        QVERIFY(!d.window.engine().state().Presenting);
        QVERIFY(d.command("A_F_EditWML")->isEnabled());
        QCOMPARE(d.session.WordTable.fileName, d.savePath);

        // The current table opens with its rows and the orientation left last time.
        bool swapped = false;
        int rows = 0;
        d.editors.runTableEditor = [&](QDialog &dialog) {
            auto &w = static_cast<TFEdiWordsAndMeaningTable &>(dialog);
            swapped = w.rows().swapped;
            rows = w.rows().count();
            return w.result();
        };
        d.command("A_F_EditWML")->trigger();
        QVERIFY(swapped);
        QCOMPARE(rows, 2);
    }

    // A table named on the command line opens in its editor at the end of start-up, unless the
    // user may only view.
    void tableOnTheCommandLine()
    {
        for (const AccessLevel level : {AccessLevel::Full, AccessLevel::ViewOnly}) {
            MainDesk d;
            const QString pic = d.fx.picture(u"a.png"_s);
            const QString table =
                d.fx.file(u"t.sml"_s, (pic + u"\t-1\t-1\t\tA\r\n"_s).toLocal8Bit());
            d.editors.runTableEditor = [&](QDialog &w) {
                ++d.opened;
                return w.result();
            };
            d.window.addController(d.editors);
            StartupArgs args;
            args.accessLevel = level;
            args.fileArgument = table;
            d.window.startUp(args, false);
            QCOMPARE(d.opened, 0); // not inside the start-up itself
            QCoreApplication::processEvents();
            QCOMPARE(d.opened, level == AccessLevel::Full ? 1 : 0);
        }
    }

    // The check marks rows and lists the problems in the table's own words; the meanings go to
    // the clipboard one per line.
    void checkAndClipboard()
    {
        SlideListFixture fx;
        FakePlayerView view;
        FakePrompter prompter;
        FakeShell shell;
        PresentationSession session{view, prompter};
        EditorServices services{session, prompter, shell};
        MeaningTable table(MeaningKind::Sounds);
        table.fileName = fx.file(u"t.sml"_s, (fx.picture(u"a.png"_s) + u"\t-1\t-1\t\tA\r\n"_s +
                                              fx.path(u"no.png"_s) + u"\t-1\t-1\t\tB\r\n"_s)
                                                 .toLocal8Bit());
        QVERIFY(table.load(table.fileName).ok());
        TFEditSML w(services, table, false);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.soundRows().isRowDefective(1));
        bool shown = false;
        QTimer::singleShot(0, &w, [&] {
            auto *memo = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (memo && memo != &w) {
                shown = memo->windowTitle() == u"Errors trobats"_s;
                memo->reject();
            }
        });
        w.command(u"A_O_Check"_s)->trigger();
        QVERIFY(shown);
        w.command(u"A_O_CopyMeaningToClipbrd"_s)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), u"A\r\nB\r\n"_s);
        // The meaning sort, and the options' file order reach the file sort.
        w.command(u"A_H_Sort_Meaning"_s)->trigger();
        QCOMPARE(w.soundRows().text(0, SoundTableRows::Meaning), u"A"_s);
        QVERIFY(!w.command(u"A_F_Mk_SalWithOneAnswer"_s)->isEnabled());
    }
};

QTEST_MAIN(TableEditorsTest)
#include "TableEditorsTest.moc"
