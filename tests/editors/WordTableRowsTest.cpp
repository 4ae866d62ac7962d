#include "editors/WordTableRows.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"
#include "support/Utf8Strings.h"
#include "tables/MeaningTables.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList column(const WordTableRows &rows, int field)
{
    QStringList out;
    for (int r = 0; r < rows.count(); ++r)
        out << rows.table().record(r)[std::size_t(field)].toString();
    return out;
}

} // namespace

// The words table editor's rules on its rows.
class WordTableRowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void postingTidiesTheFields()
    {
        FakePrompter p;
        WordTableRows rows(p);
        QVERIFY(rows.post(0, u"  gat "_s, u" animal|felí "_s).ok());
        QCOMPARE(column(rows, 0), sl({"Gat"}));
        QCOMPARE(column(rows, 1), sl({"Animal|felí"}));
        // Swapped, the meaning is an answer and a "|" would split it.
        rows.swapped = true;
        QVERIFY(rows.post(0, u"gat"_s, u"animal|felí"_s).ok());
        QCOMPARE(column(rows, 1), sl({"Animal. felí"}));
        rows.upperFirst = false;
        QVERIFY(rows.post(1, u"gos"_s, u"ca"_s, true).ok());
        QCOMPARE(column(rows, 0), sl({"Gat", "gos"}));
        QVERIFY(!rows.post(2, u"  "_s, u"x"_s).ok());
        QCOMPARE(rows.count(), 2);
        QCOMPARE(rows.postCount, 3);
        QVERIFY(rows.modified);
        QCOMPARE(rows.wordTitle(), u"Paraula (pregunta)"_s);
        QCOMPARE(rows.meaningTitle(), u"Significat/explicació/sinònim (resposta)"_s);
    }

    void pasteAndEmpty()
    {
        FakePrompter p;
        WordTableRows rows(p);
        for (int i = 0; i < 5; ++i)
            QVERIFY(rows.post(i, u"p%1"_s.arg(i), u"s%1"_s.arg(i)).ok());
        p.answers = {MsgButton::No};
        QVERIFY(rows.paste(u"un\tone\r\ndos\ttwo\r\n"_s).ok());
        QCOMPARE(rows.count(), 7);
        QCOMPARE(p.shown.back().text, u"Voleu esborrar tots els 5 registres?"_s);
        p.answers = {MsgButton::Yes};
        QVERIFY(rows.paste(u"un\tone\r\ndos\ttwo\r\n"_s).ok());
        QCOMPARE(column(rows, 0), sl({"un", "dos"}));
        QCOMPARE(rows.copyText(), u"un\tone\r\ndos\ttwo\r\n"_s);
        // A line without its meaning stops the paste; the rows before it stay.
        p.answers = {MsgButton::Yes};
        QVERIFY(!rows.paste(u"tres\tthree\r\nquatre\r\n"_s).ok());
        QCOMPARE(column(rows, 0), sl({"tres"}));
    }

    void sortingAndTheMinimum()
    {
        FakePrompter p;
        WordTableRows rows(p);
        QVERIFY(rows.post(0, u"gos"_s, u"b"_s).ok());
        QVERIFY(!rows.sortByWord().ok());
        QCOMPARE(p.texts(), sl({"La taula ha de tenir almenys 2 registres"}));
        QVERIFY(rows.post(1, u"Gat"_s, u"c"_s).ok());
        QVERIFY(rows.post(2, u"gat"_s, u"a"_s).ok());
        QVERIFY(rows.sortByWord().ok());
        QCOMPARE(column(rows, 1), sl({"A", "C", "B"}));
        QVERIFY(rows.sortByMeaning().ok());
        QCOMPARE(column(rows, 1), sl({"A", "B", "C"}));
    }

    void savingAndTheCloseRule()
    {
        SlideListFixture fx;
        FakePrompter p;
        MeaningTable target(MeaningKind::Words);
        target.fileName = fx.path(u"curs.wml"_s);
        WordTableRows rows(p);
        QVERIFY(rows.post(0, u"gat"_s, u"cat"_s).ok());
        // One row is not a table to save.
        QVERIFY(!rows.saveInto(target).ok());
        QVERIFY(!QFile::exists(target.fileName));
        QVERIFY(rows.post(1, u"gos"_s, u"dog"_s).ok());
        QVERIFY(rows.saveInto(target).ok());
        QCOMPARE(target.table.recordCount(), 2);
        QFile f(target.fileName);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("Gat\tCat\r\nGos\tDog\r\n"));
        QCOMPARE(rows.postCount, 0);
        // Saved since the last change: closing asks only when an older quiz of the name exists.
        QVERIFY(rows.canClose(target.fileName));
        fx.file(u"curs.sal"_s, "x");
        p.answers = {MsgButton::No};
        QVERIFY(!rows.canClose(target.fileName));
        for (int i = 0; i < 3; ++i)
            QVERIFY(rows.post(0, u"gat"_s, u"cat %1"_s.arg(i)).ok());
        p.answers = {MsgButton::Yes};
        QVERIFY(rows.canClose(target.fileName));
        QVERIFY(p.anyContains(u"Segur que voleu abandonar les modificacions"_s));

        // Loading the main window's table counts as no change.
        WordTableRows again(p);
        again.loadFrom(target);
        QCOMPARE(again.count(), 2);
        QCOMPARE(again.table().current, 1);
        QVERIFY(!again.modified);
        QVERIFY(again.canClose(target.fileName));
    }

    // The row the grid edits: typed text is held until the row is posted, a new row is in no
    // table until then, and the grid's rows map onto the table's around it.
    void editingARowAsAGridDoes()
    {
        FakePrompter p;
        WordTableRows rows(p);
        for (int i = 0; i < 3; ++i)
            QVERIFY(rows.post(i, u"p%1"_s.arg(i), u"s%1"_s.arg(i)).ok());
        QVERIFY(rows.beginInsert(1).ok());
        QCOMPARE(rows.editState(), WordTableRows::EditState::Insert);
        QCOMPARE(rows.shownCount(), 4);
        QCOMPARE(rows.tableRow(0), 0);
        QCOMPARE(rows.tableRow(1), -1);
        QCOMPARE(rows.tableRow(3), 2);
        QCOMPARE(rows.shownText(2, 0), u"P1"_s);
        QVERIFY(!rows.hasPendingChanges());
        // A new row left blank goes away without a word.
        QVERIFY(rows.postPending().ok());
        QCOMPARE(rows.shownCount(), 3);
        QCOMPARE(rows.postCount, 3);

        QVERIFY(rows.beginInsert(1).ok());
        rows.setPending(1, 0, u" nou "_s);
        QCOMPARE(rows.shownText(1, 0), u" nou "_s);
        // Typing in another row before this one is posted is refused.
        rows.setPending(2, 0, u"x"_s);
        QCOMPARE(rows.shownText(2, 0), u"P1"_s);
        QVERIFY(!rows.postPending().ok());
        QCOMPARE(p.texts(), sl({"Cal un valor per al camp Meaning"}));
        QCOMPARE(rows.editState(), WordTableRows::EditState::Insert);
        rows.setPending(1, 1, u"new"_s);
        QVERIFY(rows.postPending().ok());
        QCOMPARE(column(rows, 0), sl({"P0", "Nou", "P1", "P2"}));
        QCOMPARE(rows.postCount, 4);
        QVERIFY(!rows.generationEnabled);

        // An edit that changes nothing ends without counting; a cancelled one leaves the row.
        rows.setPending(0, 0, u"P0"_s);
        QCOMPARE(rows.editState(), WordTableRows::EditState::Edit);
        QVERIFY(!rows.hasPendingChanges());
        QVERIFY(rows.postPending().ok());
        QCOMPARE(rows.postCount, 4);
        rows.setPending(0, 1, u"altre"_s);
        QVERIFY(rows.hasPendingChanges());
        rows.cancelPending();
        QCOMPARE(rows.shownText(0, 1), u"S0"_s);

        // Deleting a row above the new one moves it up; deleting the new row cancels it.
        QVERIFY(rows.beginInsert(3).ok());
        rows.removeShown(0);
        QCOMPARE(rows.editRow(), 2);
        QCOMPARE(column(rows, 0), sl({"Nou", "P1", "P2"}));
        rows.removeShown(2);
        QCOMPARE(rows.editState(), WordTableRows::EditState::Browse);
        QCOMPARE(rows.count(), 3);
        // Deleting the row being edited drops the edit with it.
        rows.setPending(1, 0, u"canviat"_s);
        rows.removeShown(1);
        QCOMPARE(rows.editState(), WordTableRows::EditState::Browse);
        QCOMPARE(column(rows, 0), sl({"Nou", "P2"}));
    }

    // The commands on the whole table post the row in edit first, and its failure stops them.
    void commandsPostTheRowInEdit()
    {
        SlideListFixture fx;
        FakePrompter p;
        MeaningTable target(MeaningKind::Words);
        target.fileName = fx.path(u"curs.wml"_s);
        WordTableRows rows(p);
        QVERIFY(rows.post(0, u"gat"_s, u"cat"_s).ok());
        QVERIFY(rows.beginInsert(1).ok());
        rows.setPending(1, 0, u"gos"_s);
        QVERIFY(!rows.saveInto(target).ok());
        QVERIFY(!QFile::exists(target.fileName));
        QCOMPARE(p.texts(), sl({"Cal un valor per al camp Meaning"}));
        rows.setPending(1, 1, u"dog"_s);
        QVERIFY(rows.saveInto(target).ok());
        QCOMPARE(target.table.recordCount(), 2);
        QVERIFY(rows.generationEnabled);

        // Sorting posts the row in edit, then sorts it with the others.
        rows.setPending(0, 0, u"zebra"_s);
        QVERIFY(rows.sortByWord().ok());
        QCOMPARE(column(rows, 0), sl({"Gos", "Zebra"}));
        // Closing posts it too: a refused post keeps the editor open.
        p.clear();
        QVERIFY(rows.beginInsert(2).ok());
        rows.setPending(2, 1, u"sense paraula"_s);
        QVERIFY(!rows.canClose(target.fileName));
        QCOMPARE(p.texts(), sl({"Cal un valor per al camp Word"}));
        rows.cancelPending();
        QVERIFY(rows.canClose(target.fileName));
    }

    // Swapping the orientation: a row in edit is posted or dropped as the user says, the titles
    // follow, and once swapped a meaning's "|" becomes ". " in every row.
    void swappingTheColumns()
    {
        FakePrompter p;
        WordTableRows rows(p);
        rows.loading = true;
        QVERIFY(rows.post(0, u"gat"_s, u"animal|felí"_s).ok());
        QVERIFY(rows.post(1, u"gos"_s, u"ca"_s).ok());
        rows.loading = false;
        rows.setPending(1, 1, u"ca|gos"_s);
        p.answers = {MsgButton::No};
        QVERIFY(rows.swapColumns().ok());
        QCOMPARE(p.texts(), sl({"Voleu guardar els canvis d'aquest registre?"}));
        QVERIFY(rows.swapped);
        QCOMPARE(rows.wordTitle(), u"Paraula (pregunta)"_s);
        QCOMPARE(column(rows, 1), sl({"animal. felí", "ca"}));
        QVERIFY(rows.modified);
        QCOMPARE(rows.postCount, 0);

        // Back to the meaning as the question: nothing to replace; an edit posted on Yes.
        rows.setPending(1, 1, u"ca|gos"_s);
        p.answers = {MsgButton::Yes};
        QVERIFY(rows.swapColumns().ok());
        QVERIFY(!rows.swapped);
        QCOMPARE(column(rows, 1), sl({"animal. felí", "Ca. gos"}));
        QCOMPARE(rows.meaningTitle(), u"Significat/explicació/sinònim (pregunta)"_s);
        // An edit without changes asks nothing.
        rows.setPending(0, 0, u"gat"_s);
        p.clear();
        QVERIFY(rows.swapColumns().ok());
        QVERIFY(p.shown.empty());
        QCOMPARE(rows.editState(), WordTableRows::EditState::Browse);
    }
};

QTEST_GUILESS_MAIN(WordTableRowsTest)
#include "WordTableRowsTest.moc"
