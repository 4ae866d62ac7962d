#include "files/MemTableModel.h"

#include <QSignalSpy>
#include <QTest>

namespace {

using FK = MemTable::FieldKind;

MemTable sampleTable()
{
    MemTable t(QStringLiteral("Directoris"),
               {{QStringLiteral("Path"), FK::String, 10, true, false},
                {QStringLiteral("Count"), FK::SmallInt, 0, false, false},
                {QStringLiteral("Shown"), FK::Boolean, 0, false, false},
                {QStringLiteral("Total"), FK::Integer, 0, false, true}});
    for (const char *path : {"/a", "/b", "/c"}) {
        MemTable::Record r = t.emptyRecord();
        (void)t.setField(r, 0, QString::fromLatin1(path));
        (void)t.setField(r, 1, 7);
        (void)t.setField(r, 2, true);
        if (auto error = t.append(r))
            qFatal("%s", qPrintable(*error));
    }
    t.modified = false;
    return t;
}

QStringList paths(const MemTable &t)
{
    QStringList out;
    for (int i = 0; i < t.recordCount(); ++i)
        out << t.value(i, QStringLiteral("Path")).toString();
    return out;
}

} // namespace

class MemTableModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheTable()
    {
        MemTable t = sampleTable();
        MemTableModel m(t);
        QCOMPARE(m.rowCount(), 3);
        QCOMPARE(m.columnCount(), 4);
        QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Path"));
        QCOMPARE(m.headerData(2, Qt::Vertical).toInt(), 3); // records count from 1
        QCOMPARE(m.data(m.index(1, 0)).toString(), QStringLiteral("/b"));
        QCOMPARE(m.data(m.index(1, 1)).toInt(), 7);
        // A boolean is a check box, never a word.
        QCOMPARE(m.data(m.index(1, 2), Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(!m.data(m.index(1, 2)).isValid());
        QVERIFY(!m.data(m.index(3, 0)).isValid());
    }

    void aReadOnlyModelChangesNothing()
    {
        MemTable t = sampleTable();
        MemTableModel m(t);
        QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsEditable));
        QVERIFY(!m.setData(m.index(0, 0), QStringLiteral("/z")));
        QVERIFY(!m.insertRows(0, 1));
        QVERIFY(!m.removeRows(0, 1));
        QCOMPARE(paths(t),
                 (QStringList{QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")}));
        QVERIFY(!t.modified);
    }

    void editsGoThroughTheFieldRules()
    {
        MemTable t = sampleTable();
        MemTableModel m(t, MemTableModel::Editing::Editable);
        QSignalSpy changed(&m, &QAbstractItemModel::dataChanged);
        // Cut to the field's width.
        QVERIFY(m.setData(m.index(0, 0), QStringLiteral("/llarguíssim")));
        QCOMPARE(t.value(0, QStringLiteral("Path")).toString(), QStringLiteral("/llarguíss"));
        QCOMPARE(changed.count(), 1);
        // A text that is not a small integer is refused and the value kept.
        QVERIFY(!m.setData(m.index(0, 1), QStringLiteral("70000")));
        QVERIFY(!m.setData(m.index(0, 1), QStringLiteral("set")));
        QCOMPARE(t.value(0, QStringLiteral("Count")).toInt(), 7);
        QCOMPARE(changed.count(), 1);
        QVERIFY(m.setData(m.index(0, 2), int(Qt::Unchecked), Qt::CheckStateRole));
        QCOMPARE(t.value(0, QStringLiteral("Shown")).toBool(), false);
        QVERIFY(m.flags(m.index(0, 2)) & Qt::ItemIsUserCheckable);
        // Calculated fields are not typed in.
        QVERIFY(!(m.flags(m.index(0, 3)) & Qt::ItemIsEditable));
        QVERIFY(!m.setData(m.index(0, 3), 5));
        QVERIFY(t.modified);
    }

    void rowsAreInsertedAndRemoved()
    {
        MemTable t = sampleTable();
        t.current = 1; // "/b"
        MemTableModel m(t, MemTableModel::Editing::Editable);
        QSignalSpy inserted(&m, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&m, &QAbstractItemModel::rowsRemoved);

        QVERIFY(m.insertRows(1, 2));
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(paths(t), (QStringList{QStringLiteral("/a"), QString(), QString(),
                                        QStringLiteral("/b"), QStringLiteral("/c")}));
        QCOMPARE(t.current, 3);      // still "/b"
        QVERIFY(m.insertRows(5, 1)); // at the end
        QCOMPARE(t.recordCount(), 6);
        QVERIFY(!m.insertRows(7, 1));
        QVERIFY(!m.insertRows(0, 0));

        QVERIFY(m.removeRows(1, 2));
        QCOMPARE(removed.count(), 1);
        QCOMPARE(paths(t), (QStringList{QStringLiteral("/a"), QStringLiteral("/b"),
                                        QStringLiteral("/c"), QString()}));
        QVERIFY(!m.removeRows(3, 2)); // past the end: nothing removed
        QCOMPARE(t.recordCount(), 4);
        QVERIFY(m.removeRows(0, 4));
        QCOMPARE(m.rowCount(), 0);
    }

    void reloadAnnouncesChangesMadeBehindIt()
    {
        MemTable t = sampleTable();
        MemTableModel m(t);
        QSignalSpy reset(&m, &QAbstractItemModel::modelReset);
        t.clear();
        m.reload();
        QCOMPARE(reset.count(), 1);
        QCOMPARE(m.rowCount(), 0);
    }
};

QTEST_GUILESS_MAIN(MemTableModelTest)
#include "MemTableModelTest.moc"
