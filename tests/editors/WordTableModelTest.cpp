#include "editors/WordTableModel.h"
#include "editors/WordTableRows.h"
#include "support/FakePrompter.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// The words table editor's grid model: the row in edit and the new row as the grid shows them,
// with the signals a view needs to follow them.
class WordTableModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typingPostingAndCancelling()
    {
        FakePrompter p;
        WordTableRows rows(p);
        WordTableModel model(rows);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), u"Paraula (resposta)"_s);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(),
                 u"Significat/explicació/sinònim (pregunta)"_s);
        QVERIFY(model.insertRows(0, 1));
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.headerData(0, Qt::Vertical).toString(), u"*"_s);
        QVERIFY(model.setData(model.index(0, 0), u"gat"_s));
        QVERIFY(model.setData(model.index(0, 1), u"cat"_s));
        QCOMPARE(rows.count(), 0);
        QVERIFY(model.post());
        QCOMPARE(rows.count(), 1);
        QCOMPARE(model.data(model.index(0, 0)).toString(), u"Gat"_s);
        QCOMPARE(model.headerData(0, Qt::Vertical).toInt(), 1);

        // Typing into another row posts the row in edit first; a refusal keeps the typing out.
        QVERIFY(model.insertRows(1, 1));
        QVERIFY(model.setData(model.index(1, 0), u"gos"_s));
        QVERIFY(!model.setData(model.index(0, 1), u"felí"_s));
        QCOMPARE(model.data(model.index(0, 1)).toString(), u"Cat"_s);
        QCOMPARE(p.texts(), QStringList{u"Cal un valor per al camp Meaning"_s});
        model.cancel();
        QCOMPARE(model.rowCount(), 1);

        // A blank new row above the one typed into goes away: the typing lands on its row.
        QVERIFY(model.insertRows(0, 1));
        QCOMPARE(model.rowCount(), 2);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        QVERIFY(model.setData(model.index(1, 1), u"moix"_s));
        QCOMPARE(removed.size(), 1);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.data(model.index(0, 1)).toString(), u"moix"_s);
        QVERIFY(model.post());
        QCOMPARE(model.data(model.index(0, 1)).toString(), u"Moix"_s);
        QCOMPARE(rows.postCount, 2);
    }

    void deletingRows()
    {
        FakePrompter p;
        WordTableRows rows(p);
        for (int i = 0; i < 4; ++i)
            QVERIFY(rows.post(i, u"p%1"_s.arg(i), u"s%1"_s.arg(i)).ok());
        WordTableModel model(rows);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(model.insertRows(2, 1));
        QVERIFY(model.setData(model.index(2, 0), u"nou"_s));
        // The new row among the rows deleted is cancelled; the others go.
        model.removeShownRows({4, 2, 0});
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(rows.editState(), WordTableRows::EditState::Browse);
        QCOMPARE(model.data(model.index(0, 0)).toString(), u"P1"_s);
        QCOMPARE(model.data(model.index(1, 0)).toString(), u"P2"_s);
        QVERIFY(model.removeRows(0, 2));
        QCOMPARE(rows.count(), 0);
        QVERIFY(rows.modified);
    }
};

QTEST_GUILESS_MAIN(WordTableModelTest)
#include "WordTableModelTest.moc"
