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
};

QTEST_GUILESS_MAIN(WordTableRowsTest)
#include "WordTableRowsTest.moc"
