#include "editors/WordTableModel.h"
#include "editors/ui/TFEdiWordsAndMeaningTable.h"
#include "editors/ui/TFMakeSalFromSWml0.h"
#include "files/HelpRequester.h"
#include "files/TPosSize.h"
#include "files/ui/RecordNavigator.h"
#include "player/PresentationSession.h"
#include "presentation/SlideList.h"
#include "support/FakePlayerView.h"
#include "support/FakePrompter.h"
#include "support/FakeShell.h"
#include "support/SlideListFixture.h"
#include "support/Utf8Strings.h"
#include "tables/MeaningTables.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

struct RecordingHelp : HelpRequester
{
    QList<int> contexts;
    void showHelpContext(int context) override { contexts << context; }
    void showHelpTopic(const QString &) override {}
    void showHelpContents() override {}
};

// The presentation and the services the editor gets from the main window, with its words
// table and its orientation.
struct Desk
{
    SlideListFixture fx;
    FakePlayerView view;
    FakePrompter prompter;
    FakeShell shell;
    PresentationSession session{view, prompter};
    EditorServices services{session, prompter, shell};
    MeaningTable table{MeaningKind::Words};
    bool swapped = false;

    Desk() { session.Options.SaveIndividualConfigO = SaveConfigPolicy::Never; }

    // The main window's table read from a file of the given rows.
    void loadTable(const QString &name, const QByteArray &bytes)
    {
        table.fileName = fx.file(name, bytes);
        QVERIFY(table.load(table.fileName).ok());
    }
};

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("(missing)");
    return f.readAll();
}

void trigger(TFEdiWordsAndMeaningTable &w, const char *name)
{
    QAction *a = w.command(QString::fromLatin1(name));
    QVERIFY2(a, name);
    QVERIFY2(a->isEnabled(), name);
    a->trigger();
}

bool enabled(TFEdiWordsAndMeaningTable &w, const char *name)
{
    return w.command(QString::fromLatin1(name))->isEnabled();
}

// Types into a cell as a person does: F2 opens its editor, the text replaces what was there and
// Enter hands it to the row (which stays in edit until it is left).
void typeCell(TFEdiWordsAndMeaningTable &w, int row, int column, const QString &text)
{
    QTableView *g = w.grid();
    const QModelIndex index = g->model()->index(row, column);
    QVERIFY(index.isValid());
    g->setCurrentIndex(index);
    QTest::keyClick(g, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(g->indexWidget(index));
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor hands its text over and closes once the events are served.
    QTRY_VERIFY(!g->indexWidget(index));
}

QStringList column(TFEdiWordsAndMeaningTable &w, int field)
{
    QStringList out;
    for (int r = 0; r < w.grid()->model()->rowCount(); ++r)
        out << w.grid()->model()->index(r, field).data().toString();
    return out;
}

void show(TFEdiWordsAndMeaningTable &w)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
}

} // namespace

class WordTableEditorTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A new table typed into the grid row by row and saved under a chosen name: the file holds
    // the tidied rows, TAB between the fields and CR LF after each row.
    void typingRowsAndSaving()
    {
        Desk d;
        d.session.SlideListPath = d.fx.path(u"animals.sal"_s);
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        show(w);
        QCOMPARE(w.windowTitle(), u"Edició d'una nova taula"_s);
        QVERIFY(!enabled(w, "A_F_Save"));
        QVERIFY(!enabled(w, "A_F_Mk_SalWithRadioButtons"));
        QVERIFY(!enabled(w, "A_F_Mk_SalWithOneAnswer"));
        // An empty table offers a blank row to type into.
        QCOMPARE(w.grid()->model()->rowCount(), 1);
        QCOMPARE(w.grid()->model()->headerData(0, Qt::Vertical).toString(), u"*"_s);

        typeCell(w, 0, 0, u"gat"_s);
        typeCell(w, 0, 1, u"  animal de casa "_s);
        QCOMPARE(w.rows().count(), 0);
        QVERIFY(w.navigator()->isButtonEnabled(RecordNavigator::Button::Post));
        // Down past the last row posts it and appends a new one, as a database grid does.
        QTest::keyClick(w.grid(), Qt::Key_Down);
        QCOMPARE(w.rows().count(), 1);
        QCOMPARE(w.grid()->model()->rowCount(), 2);
        QCOMPARE(w.grid()->currentIndex().row(), 1);
        QCOMPARE(w.recordCounter()->text().trimmed(), u"2 / 2"_s);
        typeCell(w, 1, 0, u" gos"_s);
        typeCell(w, 1, 1, u"ca|llop"_s);

        // "Desa com..." posts the row being typed, proposes the presentation's name, and saves.
        QString proposed;
        const QString path = d.fx.path(u"curs.wml"_s);
        w.chooseSavePath = [&](const QString &p) {
            proposed = p;
            return path;
        };
        trigger(w, "A_F_SaveAs");
        QCOMPARE(proposed, d.fx.path(u"animals.wml"_s));
        QCOMPARE(fileBytes(path), QByteArray("Gat\tAnimal de casa\r\nGos\tCa|llop\r\n"));
        QCOMPARE(d.table.fileName, path);
        QCOMPARE(d.table.table.recordCount(), 2);
        QCOMPARE(w.windowTitle(), path);
        QVERIFY(enabled(w, "A_F_Save"));
        QVERIFY(enabled(w, "A_F_Mk_SalWithRadioButtons"));
        QCOMPARE(w.rows().postCount, 0);
        QVERIFY(d.prompter.shown.empty());

        // A row changed and left: the quizzes wait for the table to be saved again.
        typeCell(w, 0, 1, u"moix"_s);
        QVERIFY(enabled(w, "A_F_Mk_SalWithOneAnswer"));
        w.grid()->setCurrentIndex(w.grid()->model()->index(1, 0));
        QCOMPARE(w.rows().postCount, 1);
        QVERIFY(!enabled(w, "A_F_Mk_SalWithRadioButtons"));
        QVERIFY(!enabled(w, "A_F_Mk_SalWithOneAnswer"));
        trigger(w, "A_F_Save");
        QVERIFY(enabled(w, "A_F_Mk_SalWithRadioButtons"));
        QCOMPARE(fileBytes(path), QByteArray("Gat\tMoix\r\nGos\tCa|llop\r\n"));
        QVERIFY(d.prompter.shown.empty());
    }

    void aOneRowTableIsNotSaved()
    {
        Desk d;
        d.table.fileName = d.fx.path(u"curs.wml"_s);
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        w.openCurrentTable();
        show(w);
        QCOMPARE(w.windowTitle(), d.table.fileName);
        typeCell(w, 0, 0, u"gat"_s);
        typeCell(w, 0, 1, u"cat"_s);
        trigger(w, "A_F_Save");
        QCOMPARE(d.prompter.texts(), sl({"La taula ha de tenir almenys 2 registres"}));
        QVERIFY(!QFile::exists(d.table.fileName));
        // "Desa com..." does not even ask for a name.
        bool asked = false;
        w.chooseSavePath = [&](const QString &) {
            asked = true;
            return d.fx.path(u"altra.wml"_s);
        };
        trigger(w, "A_F_SaveAs");
        QVERIFY(!asked);
        QCOMPARE(d.prompter.shown.size(), std::size_t(2));
        QVERIFY(QDir(d.fx.dir()).entryList(QDir::Files).isEmpty());
    }

    // Pasting two lines into a table of five rows: Yes to the emptying question leaves the two,
    // No keeps the five and adds the two.
    void pasteAfterTheEmptyingQuestion()
    {
        Desk d;
        d.loadTable(u"curs.wml"_s, "a\t1\r\nb\t2\r\nc\t3\r\nd\t4\r\ne\t5\r\n");
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        w.openCurrentTable();
        show(w);
        // The current table opens on its last row, unchanged.
        QCOMPARE(w.grid()->currentIndex().row(), 4);
        QVERIFY(!w.rows().modified);
        QApplication::clipboard()->setText(u"un\tone\r\ndos\ttwo\r\n"_s);
        d.prompter.answers = {MsgButton::No};
        trigger(w, "A_E_PasteFromClipboard");
        QCOMPARE(d.prompter.texts(), sl({"Voleu esborrar tots els 5 registres?"}));
        QCOMPARE(w.grid()->model()->rowCount(), 7);
        QCOMPARE(column(w, 0).last(), u"dos"_s);

        w.openCurrentTable();
        d.prompter.answers = {MsgButton::Yes};
        trigger(w, "A_E_PasteFromClipboard");
        QCOMPARE(column(w, 0), sl({"un", "dos"}));
        QVERIFY(w.rows().modified);

        // Copying gives the rows back in the same delimited form.
        QApplication::clipboard()->clear();
        trigger(w, "A_E_CopyToClipboard");
        QCOMPARE(QApplication::clipboard()->text(), u"un\tone\r\ndos\ttwo\r\n"_s);
    }

    // Swapping the orientation asks about the row being typed, flips the main window's setting,
    // retitles the columns and turns every meaning's "|" into ". ".
    void swappingTheOrientation()
    {
        Desk d;
        d.loadTable(u"curs.wml"_s, "gat\tanimal|fel\xc3\xad\r\ngos\tca\r\n");
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        w.openCurrentTable();
        show(w);
        QAbstractItemModel *m = w.grid()->model();
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), u"Paraula (resposta)"_s);
        typeCell(w, 1, 1, u"ca|llop"_s);
        d.prompter.answers = {MsgButton::Yes};
        trigger(w, "A_T_CommuteColumnsFunction");
        QCOMPARE(d.prompter.texts(), sl({"Voleu guardar els canvis d'aquest registre?"}));
        QVERIFY(d.swapped);
        QCOMPARE(m->headerData(0, Qt::Horizontal).toString(), u"Paraula (pregunta)"_s);
        QCOMPARE(m->headerData(1, Qt::Horizontal).toString(),
                 u"Significat/explicació/sinònim (resposta)"_s);
        QCOMPARE(column(w, 1), sl({"animal. felí", "Ca. llop"}));
        // Swapped, a meaning typed with "|" is stored with ". ".
        typeCell(w, 0, 1, u"moix|gat"_s);
        w.grid()->setCurrentIndex(m->index(1, 0));
        QCOMPARE(column(w, 1).first(), u"Moix. gat"_s);
        // And back, with the row being typed dropped on No.
        typeCell(w, 1, 0, u"llop"_s);
        d.prompter.answers = {MsgButton::No};
        trigger(w, "A_T_CommuteColumnsFunction");
        QVERIFY(!d.swapped);
        QCOMPARE(column(w, 0), sl({"Gat", "Gos"}));
        QCOMPARE(m->headerData(1, Qt::Horizontal).toString(),
                 u"Significat/explicació/sinònim (pregunta)"_s);
    }

    // After saving, closing without a new quiz asks when an older quiz of the name exists; No
    // keeps the editor open.
    void closingAfterSavingWithAnOlderQuiz()
    {
        Desk d;
        d.loadTable(u"curs.wml"_s, "gat\tcat\r\ngos\tdog\r\n");
        d.fx.file(u"curs.sal"_s, "\tT\tVell\t\t\t\r\n");
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        w.openCurrentTable();
        show(w);
        typeCell(w, 0, 1, u"moix"_s);
        w.grid()->setCurrentIndex(w.grid()->model()->index(1, 0));
        trigger(w, "A_F_Save");
        d.prompter.answers = {MsgButton::No};
        trigger(w, "A_F_Close");
        QVERIFY(w.isVisible());
        QCOMPARE(d.prompter.texts(),
                 sl({"Heu desat la taula però no he creat de nou l'arxiu sal existent,\r\nsegur "
                     "que voleu abandonar?"}));
        d.prompter.answers = {MsgButton::Yes};
        QTest::keyClick(w.grid(), Qt::Key_Escape);
        QVERIFY(!w.isVisible());
        QCOMPARE(w.result(), int(QDialog::Rejected));
    }

    // Three rows posted and not saved: leaving asks; a row being typed goes with Esc first.
    void escapeDropsTheRowThenAsksToLeave()
    {
        Desk d;
        d.loadTable(u"curs.wml"_s, "gat\tcat\r\ngos\tdog\r\n");
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        w.openCurrentTable();
        show(w);
        trigger(w, "A_R_Append");
        QCOMPARE(w.grid()->model()->rowCount(), 3);
        typeCell(w, 2, 0, u"moix"_s);
        QTest::keyClick(w.grid(), Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QCOMPARE(w.grid()->model()->rowCount(), 2);
        QVERIFY(!w.navigator()->isButtonEnabled(RecordNavigator::Button::Cancel));
        for (int i = 0; i < 3; ++i) {
            typeCell(w, 0, 1, u"gat %1"_s.arg(i));
            w.navigator()->button(RecordNavigator::Button::Post)->click();
        }
        QCOMPARE(w.rows().postCount, 3);
        d.prompter.answers = {MsgButton::No};
        QTest::keyClick(w.grid(), Qt::Key_Escape);
        QVERIFY(w.isVisible());
        QCOMPARE(d.prompter.texts(),
                 sl({"Segur que voleu abandonar les modificacions de la taula?"}));
    }

    // Saving as curs.wml while curs.sml exists: No to its deletion writes nothing and leaves the
    // table modified, the quizzes still waiting for a save.
    void theCoexistenceQuestionOnSaving()
    {
        Desk d;
        d.loadTable(u"curs.wml"_s, "gat\tcat\r\ngos\tdog\r\n");
        const QString sml = d.fx.file(u"curs.sml"_s, "foto.png\t-1\t-1\t\tCasa\r\n");
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        w.openCurrentTable();
        show(w);
        typeCell(w, 1, 1, u"ca"_s);
        w.grid()->setCurrentIndex(w.grid()->model()->index(0, 0));
        d.prompter.answers = {MsgButton::No};
        trigger(w, "A_F_Save");
        QCOMPARE(d.prompter.texts(),
                 QStringList{u"També existeix l'arxiu:\r\n%1,\r\nesborrar-lo, ja que no poden "
                             "coexistir un arxiu sml i wml?"_s.arg(sml)});
        QCOMPARE(fileBytes(d.table.fileName), QByteArray("gat\tcat\r\ngos\tdog\r\n"));
        QVERIFY(QFile::exists(sml));
        QVERIFY(w.rows().modified);
        QCOMPARE(w.rows().postCount, 1);
        QCOMPARE(d.table.table.value(1, u"Meaning"_s).toString(), u"dog"_s);
        QVERIFY(!enabled(w, "A_F_Mk_SalWithRadioButtons"));
        // Yes deletes the other file and writes this one.
        d.prompter.answers = {MsgButton::Yes};
        trigger(w, "A_F_Save");
        QVERIFY(!QFile::exists(sml));
        QCOMPARE(fileBytes(d.table.fileName), QByteArray("gat\tcat\r\nGos\tCa\r\n"));
        QVERIFY(enabled(w, "A_F_Mk_SalWithRadioButtons"));
    }

    // The generation commands open the dialogs on the saved table; the quiz written is the
    // editor's generated presentation. A row being typed is saved first through "Desa com...".
    void generatingAQuiz()
    {
        Desk d;
        d.loadTable(u"curs.wml"_s, "gat\tcat\r\ngos\tdog\r\n");
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        w.openCurrentTable();
        show(w);
        QString opened;
        w.runGeneration = [&](TFMakeSalFromSWml0 &dialog) {
            opened = dialog.objectName();
            dialog.accept();
            return dialog.result();
        };
        trigger(w, "A_F_Mk_SalWithRadioButtons");
        QCOMPARE(opened, u"TFMakeSalFromWmlWithRadioButtons"_s);
        const QString sal = d.fx.path(u"curs.sal"_s);
        QCOMPARE(w.generatedPath(), sal);
        SlideList list;
        QVERIFY(list.load(sal).ok());
        QCOMPARE(list.lines.size(), 2);
        for (const QString &line : list.lines)
            QVERIFY2(line.section(QLatin1Char('\t'), 1, 1).startsWith(QLatin1Char('X')),
                     qPrintable(line));
        QVERIFY(d.prompter.anyContains(u"S'ha creat la presentació"_s));

        // Typed and not posted: the name is asked first, and the quiz made from what was saved.
        typeCell(w, 1, 1, u"llop"_s);
        QString proposed;
        w.chooseSavePath = [&](const QString &p) {
            proposed = p;
            return p;
        };
        d.prompter.clear();
        d.prompter.answers = {MsgButton::Yes}; // the earlier quiz is replaced
        trigger(w, "A_F_Mk_SalWithOneAnswer");
        QCOMPARE(proposed, d.table.fileName);
        QCOMPARE(opened, u"TFMakeSalFromWmlOneAnswer"_s);
        QCOMPARE(fileBytes(d.table.fileName), QByteArray("gat\tcat\r\nGos\tLlop\r\n"));
        QVERIFY(list.load(sal).ok());
        QVERIFY(list.lines.join(QLatin1Char('\n')).contains(u"Llop"_s));
        QVERIFY(d.prompter.anyContains(u"Regravar la presentació"_s));

        // A cancelled name stops the generation.
        typeCell(w, 0, 1, u"moix"_s);
        opened.clear();
        w.chooseSavePath = [](const QString &) { return QString(); };
        trigger(w, "A_F_Mk_SalWithOneAnswer");
        QVERIFY(opened.isEmpty());
    }

    // Rows appended, inserted and deleted from the commands and the navigator.
    void rowCommands()
    {
        Desk d;
        d.loadTable(u"curs.wml"_s, "a\t1\r\nb\t2\r\nc\t3\r\nd\t4\r\n");
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        w.openCurrentTable();
        show(w);
        w.grid()->setCurrentIndex(w.grid()->model()->index(1, 0));
        trigger(w, "A_R_Insert");
        QCOMPARE(w.grid()->currentIndex().row(), 1);
        typeCell(w, 1, 0, u"ab"_s);
        typeCell(w, 1, 1, u"1.5"_s);
        // Tab past the last cell of the last row goes on to a new row.
        trigger(w, "A_T_Last");
        QCOMPARE(column(w, 0), sl({"a", "Ab", "b", "c", "d"}));
        w.grid()->setCurrentIndex(w.grid()->model()->index(4, 1));
        QTest::keyClick(w.grid(), Qt::Key_Tab);
        QCOMPARE(w.grid()->model()->rowCount(), 6);
        QCOMPARE(w.grid()->currentIndex().row(), 5);
        // The rows selected go; so does the new row among them.
        QItemSelectionModel *sel = w.grid()->selectionModel();
        sel->clearSelection();
        for (int r : {0, 2, 5})
            sel->select(w.grid()->model()->index(r, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
        trigger(w, "A_R_Delete");
        QCOMPARE(column(w, 0), sl({"Ab", "c", "d"}));
        QVERIFY(w.rows().modified);
        // The navigator's insert starts a row before the current one; its cancel drops it.
        w.navigator()->button(RecordNavigator::Button::Insert)->click();
        QCOMPARE(w.grid()->model()->rowCount(), 4);
        w.navigator()->button(RecordNavigator::Button::Cancel)->click();
        QCOMPARE(w.grid()->model()->rowCount(), 3);
        // Sorted by the second column, then the first.
        trigger(w, "A_T_Sort2");
        QCOMPARE(column(w, 1), sl({"1.5", "3", "4"}));
        trigger(w, "A_T_Empty");
        QCOMPARE(d.prompter.texts(), sl({"Voleu esborrar tots els 3 registres?"}));
        QCOMPARE(w.rows().count(), 3); // the question went unanswered: No
        d.prompter.answers = {MsgButton::Yes};
        trigger(w, "A_T_Empty");
        QCOMPARE(w.rows().count(), 0);
        QCOMPARE(w.grid()->model()->rowCount(), 1); // the blank row to type into
    }

    // A row that cannot be posted keeps the grid on it.
    void aRefusedPostKeepsTheRow()
    {
        Desk d;
        d.loadTable(u"curs.wml"_s, "gat\tcat\r\ngos\tdog\r\n");
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        w.openCurrentTable();
        show(w);
        trigger(w, "A_R_Append");
        typeCell(w, 2, 0, u"moix"_s);
        w.grid()->setCurrentIndex(w.grid()->model()->index(0, 0));
        QCOMPARE(d.prompter.texts(), sl({"Cal un valor per al camp Meaning"}));
        QCOMPARE(w.grid()->currentIndex().row(), 2);
        QCOMPARE(w.rows().count(), 2);
    }

    // The upper-case toggle comes from the options and goes back to them, its state in its hint.
    void upperCaseToggle()
    {
        Desk d;
        d.session.Options.SWmlFieldsUpCase1stChar = false;
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        show(w);
        QAction *upper = w.command(u"A_E_UpCase1stChar"_s);
        QVERIFY(!upper->isChecked());
        QCOMPARE(upper->toolTip(), u"Activa o desactiva (estat actual)  el posar la primera lletra "
                                   "a majúscules"_s);
        typeCell(w, 0, 0, u"gat"_s);
        typeCell(w, 0, 1, u"cat"_s);
        trigger(w, "A_R_Append");
        QCOMPARE(column(w, 0).first(), u"gat"_s);
        upper->trigger();
        QVERIFY(d.session.Options.SWmlFieldsUpCase1stChar);
        QCOMPARE(upper->toolTip(), u"Activa (estat actual) o desactiva  el posar la primera lletra "
                                   "a majúscules"_s);
        typeCell(w, 1, 0, u"gos"_s);
        typeCell(w, 1, 1, u"dog"_s);
        trigger(w, "A_R_Append");
        QCOMPARE(column(w, 0).mid(0, 2), sl({"gat", "Gos"}));
    }

    // Every command with its caption and hint; F1 opens the editor's help.
    void commandsAndHelp()
    {
        Desk d;
        RecordingHelp help;
        d.services.help = &help;
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        show(w);
        struct Command
        {
            const char *name, *caption, *hint;
        };
        const Command commands[] = {
            {"A_F_Save", "Desa", "Desa la taula\na l'arxiu \"wml\" actual"},
            {"A_F_SaveAs", "Desa com...", "Desa la taula\na un arxiu \"wml\""},
            {"A_F_Mk_SalWithRadioButtons", "Crea un arxiu sal amb respostes presents...",
             "Crea un arxiu sal des d'aquesta taula\non en cada diapositiva:\nes presenten les "
             "respostes (la correcta i les incorrectes)"},
            {"A_F_Mk_SalWithOneAnswer", "Idem amb resposta mental o a teclejar...",
             "Crea un arxiu sal des d'aquesta taula\non en cada diapositiva:\ns'espera que digueu "
             "mentalment o teclejeu la resposta correcta"},
            {"A_F_Notepad", "Bloc de notes", "Obre el bloc de notes"},
            {"A_F_Close", "Tanca", "Tanca la finestra"},
            {"A_E_CopyToClipboard", "Copia al portapapers",
             "Copia al portapapers, en format delimitat"},
            {"A_E_PasteFromClipboard", "Enganxa des del portapapers",
             "Carrega paraules (en format delimitat) des del portapapers"},
            {"A_E_UpCase1stChar", "Posa la primera lletra a majúscula", nullptr},
            {"A_R_Append", "Afegeix al final", nullptr},
            {"A_R_Insert", "Insereix abans de l'actual", nullptr},
            {"A_R_Delete", "Esborra fila(es)", nullptr},
            {"A_T_First", "Vés al principi de la taula", nullptr},
            {"A_T_Last", "Vés al final de la taula", nullptr},
            {"A_T_BkSet", "Anota una fila", nullptr},
            {"A_T_BkGoto", "Vés a la fila anotada", nullptr},
            {"A_T_Sort1", "Ordena la taula per la 1ª columna",
             "Ordena pel contingut de la columna 1"},
            {"A_T_Sort2", "Ordena la taula per la 2ª columna",
             "Ordena pel contingut de la columna 2"},
            {"A_T_Empty", "Buida la taula", "Buida la llista"},
            {"A_T_CommuteColumnsFunction", "Intercanvia la utilitat de les columnes",
             "Intercanvia la utilitat pregunta-resposta de les columnes"},
        };
        for (const Command &c : commands) {
            QAction *a = w.command(QString::fromLatin1(c.name));
            QVERIFY2(a, c.name);
            QCOMPARE(a->text(), QString::fromUtf8(c.caption));
            if (c.hint)
                QCOMPARE(a->toolTip(), QString::fromUtf8(c.hint));
        }
        QCOMPARE(w.navigator()->button(RecordNavigator::Button::First)->toolTip(),
                 u"Primera fila"_s);
        QVERIFY(w.minimumHeight() >= 100);
        QVERIFY(w.isModal());
        QTest::keyClick(w.grid(), Qt::Key_F1);
        QCOMPARE(help.contexts, QList<int>{1060});
    }

    // "Bloc de notes" starts the desktop's text editor in the table's folder; without one the
    // user is told as a missing Notepad would tell.
    void notepad()
    {
        Desk d;
        d.loadTable(u"curs.wml"_s, "gat\tcat\r\ngos\tdog\r\n");
        QTemporaryDir bin;
        const QString editor = bin.filePath(u"mousepad"_s);
        QFile f(editor);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        QVERIFY(f.setPermissions(f.permissions() | QFileDevice::ExeOwner));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
        TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
        w.openCurrentTable();
        trigger(w, "A_F_Notepad");
        QDir empty(bin.path());
        QVERIFY(empty.mkdir(u"buit"_s));
        qputenv("PATH", bin.filePath(u"buit"_s).toLocal8Bit());
        trigger(w, "A_F_Notepad");
        qputenv("PATH", path);
        QCOMPARE(d.shell.calls.size(), std::size_t(1));
        QCOMPARE(d.shell.calls[0].request, FakeShell::Request::StartProgram);
        QCOMPARE(d.shell.calls[0].path, editor);
        QVERIFY(d.shell.calls[0].arguments.isEmpty());
        QCOMPARE(d.shell.calls[0].folder, d.fx.dir());
        QCOMPARE(d.prompter.texts(), sl({"No es pot obrir l'arxiu Notepad.exe, ja que: No s'ha "
                                         "trobat l'arxiu especificat"}));
    }

    // The window's place goes to the main window and comes back at the next opening.
    void positionAndSize()
    {
        Desk d;
        TPosSize memory(QSize(300, 100));
        {
            TFEdiWordsAndMeaningTable w(d.services, d.table, d.swapped);
            w.applyPosSize(memory);
            show(w);
            w.setGeometry(40, 50, 500, 260);
            w.storePosSize(memory);
        }
        TFEdiWordsAndMeaningTable again(d.services, d.table, d.swapped);
        again.applyPosSize(memory);
        show(again);
        QCOMPARE(again.geometry().size(), QSize(500, 260));
        const QString shot = qEnvironmentVariable("PELVAR_SHOTS");
        if (!shot.isEmpty())
            again.grab().save(QDir(shot).filePath(u"words-editor.png"_s));
    }
};

QTEST_MAIN(WordTableEditorTest)
#include "WordTableEditorTest.moc"
