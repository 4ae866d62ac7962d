#include "media/TLRU.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TLRUTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addingAndRemoving()
    {
        TLRU lru;
        for (int i = 1; i <= 11; ++i)
            lru.AddItem(QStringLiteral("/l/%1.sal").arg(i));
        QCOMPARE(lru.count(), 10);
        QCOMPARE(lru.at(0), QStringLiteral("/l/11.sal"));
        QCOMPARE(lru.at(9), QStringLiteral("/l/2.sal")); // the oldest went
        lru.AddItem(QStringLiteral("/L/5.SAL"));
        QCOMPARE(lru.count(), 10);
        QCOMPARE(lru.at(0), QStringLiteral("/L/5.SAL"));
        QVERIFY(!lru.names().contains(QStringLiteral("/l/5.sal")));
        QCOMPARE(lru.RemoveItem(QStringLiteral("/l/11.SAL")), QStringLiteral("/l/11.sal"));
        QCOMPARE(lru.RemoveItem(QStringLiteral("/nothing")), QString());
        lru.setMaxItems(3);
        QCOMPARE(lru.names(), (QStringList{QStringLiteral("/L/5.SAL"), QStringLiteral("/l/10.sal"),
                                           QStringLiteral("/l/9.sal")}));
    }

    void fileStorage()
    {
        QCOMPARE(TLRU::storageFileName(QStringLiteral("/opt/pv/Pelvar"), QString(), 1),
                 QStringLiteral("/opt/pv/Pelvar_1.lru"));
        QCOMPARE(TLRU::storageFileName(QStringLiteral("/opt/pv/Pelvar.exe"),
                                       QStringLiteral("Llistes"), 0),
                 QStringLiteral("/opt/pv/Pelvar_Llistes.lru"));
        QCOMPARE(TLRU::storageFileName(QStringLiteral("/opt/pv/Pelvar"), QString(), 0),
                 QStringLiteral("/opt/pv/Pelvar.lru"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Pelvar_1.lru"));
        {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            for (int i = 0; i < 15; ++i)
                f.write(QByteArray("/dades/llista") + QByteArray::number(i) + " \xE0.sal\r\n");
        }
        TLRU lru;
        lru.setFileName(path);
        lru.loadFromFile();
        QCOMPARE(lru.count(), 10);
        QCOMPARE(lru.at(0), QStringLiteral("/dades/llista0 à.sal"));
        QVERIFY(lru.saveToFile());
        TLRU again;
        again.setFileName(path);
        again.loadFromFile();
        QCOMPARE(again.names(), lru.names());
        again.clear();
        QVERIFY(again.saveToFile());
        QVERIFY(!QFile::exists(path)); // an empty list leaves no file
    }
};

QTEST_GUILESS_MAIN(TLRUTest)
#include "TLRUTest.moc"
