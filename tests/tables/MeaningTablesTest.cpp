#include "tables/MeaningTables.h"
#include "files/TableText.h"
#include "support/FakePrompter.h"
#include "support/SlideListFixture.h"

#include <QDateTime>
#include <QFile>
#include <QTest>

#include <sys/resource.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

// While it lives, the process may open no file (the limit of open descriptors is 0).
class NoFileDescriptors
{
public:
    NoFileDescriptors()
    {
        getrlimit(RLIMIT_NOFILE, &m_old);
        rlimit none = m_old;
        none.rlim_cur = 0;
        setrlimit(RLIMIT_NOFILE, &none);
    }
    ~NoFileDescriptors() { setrlimit(RLIMIT_NOFILE, &m_old); }
    NoFileDescriptors(const NoFileDescriptors &) = delete;
    NoFileDescriptors &operator=(const NoFileDescriptors &) = delete;

private:
    rlimit m_old{};
};

} // namespace

class MeaningTablesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tableLines()
    {
        using FK = MemTable::FieldKind;
        MemTable t(QStringLiteral("Usuaris"),
                   {{QStringLiteral("Name"), FK::String, 0, false, false},
                    {QStringLiteral("Level"), FK::Integer, 0, false, false},
                    {QStringLiteral("Active"), FK::Boolean, 0, false, false},
                    {QStringLiteral("When"), FK::DateTime, 0, false, false}});
        MemTable::Record r = t.emptyRecord();
        t.setField(r, 0, QStringLiteral("Laia"));
        t.setField(r, 1, QStringLiteral("3"));
        t.setField(r, 2, true);
        t.setField(r, 3, QDateTime(QDate(1899, 12, 30), QTime(10, 5, 0)));
        QVERIFY(!t.append(r));
        QCOMPARE(TableToText(t), QStringLiteral("Laia\t3\t1\t10:05:00\r\n"));
        QVERIFY(!ReadTableText(t, QStringLiteral("x")));
        QCOMPARE(t.recordCount(), 2);
        QVERIFY(t.record(1)[1].isNull() && t.record(1)[2].isNull());
        QVERIFY(!ReadTableText(t, QStringLiteral("y\t1\tmaybe")));
        QVERIFY(t.record(2)[2].isNull()); // a boolean keeps its value for other texts
        QVERIFY(ReadTableText(t, QStringLiteral("a\t1\t1\t\textra")));
        QCOMPARE(t.recordCount(), 3);
        MemTable empty(QStringLiteral("Buida"),
                       {{QStringLiteral("A"), FK::String, 0, false, false}});
        QCOMPARE(TableToText(empty), QString());
    }

    void wordTables()
    {
        SlideListFixture fx;
        const QString path = fx.file(
            QStringLiteral("curs.wml"),
            "gat\tanimal que miola\r\n\r\ngos\tanimal que borda\r\nsol\r\nlluna\tsatèl·lit\r\n");
        MeaningTable words(MeaningKind::Words);
        const Fallible<void> read = words.load(path);
        QVERIFY(words.hasFile());
        QCOMPARE(words.table.recordCount(), 2); // "sol" has no meaning: the reading stops there
        // One message, about that line, for the caller to show.
        QVERIFY(!read.ok());
        QVERIFY(read.error().startsWith(QStringLiteral("Línia 4: ")));
        QCOMPARE(words.table.value(1, QStringLiteral("Meaning")).toString(),
                 QStringLiteral("animal que borda"));

        MeaningTable zero(MeaningKind::Words);
        QVERIFY(zero.load(fx.file(QStringLiteral("zero.wml"), "")).ok());
        QVERIFY(!zero.hasFile());
        QVERIFY(zero.fileName.isEmpty());

        // A table whose file exists but cannot be opened is not loaded: the name goes with it.
        const QString good = fx.file(QStringLiteral("bo.wml"), "gat\tanimal\r\n");
        MeaningTable unopened(MeaningKind::Words);
        QVERIFY(unopened.load(good).ok());
        Fallible<void> refused = Fallible<void>::success();
        {
            // No descriptor left to open with (root may open any file, so rights would not do).
            const NoFileDescriptors none;
            refused = unopened.load(good);
        }
        QVERIFY(!refused.ok());
        QCOMPARE(refused.error(),
                 QStringLiteral("S'ha produït un error en obrir per llegir\r\n%1").arg(good));
        QVERIFY(!unopened.hasFile());
        QCOMPARE(unopened.table.recordCount(), 0);
    }

    // There is no quoting: a quote at either end or inside a field is part of its text, through
    // loading and saving (the bytes come back unchanged) and through pasted text alike.
    void quotesAreText()
    {
        SlideListFixture fx;
        FakePrompter p;
        const QByteArray wmlBytes = "\"Hola\" noi\t\"Ser o no ser\", deia\r\n"
                                    "diu \"prou\"\tacaba amb \"\r\n"
                                    "a\"b\t\"\r\n"
                                    "\"\t\"\"\r\n"
                                    "\"gat\t miol\"\r\n"
                                    "\"obert\tun \"a\" mig\r\n";
        MeaningTable words(MeaningKind::Words);
        QVERIFY(words.load(fx.file(QStringLiteral("cometes.wml"), wmlBytes)).ok());
        QCOMPARE(words.table.recordCount(), 6);
        QCOMPARE(words.table.value(0, QStringLiteral("Word")).toString(),
                 QStringLiteral("\"Hola\" noi"));
        QCOMPARE(words.table.value(0, QStringLiteral("Meaning")).toString(),
                 QStringLiteral("\"Ser o no ser\", deia"));
        QCOMPARE(words.table.value(3, QStringLiteral("Meaning")).toString(),
                 QStringLiteral("\"\""));
        // A quote does not hide a TAB: these are two fields.
        QCOMPARE(words.table.value(4, QStringLiteral("Word")).toString(), QStringLiteral("\"gat"));
        QCOMPARE(words.table.value(4, QStringLiteral("Meaning")).toString(),
                 QStringLiteral(" miol\""));
        const QString wmlCopy = fx.path(QStringLiteral("copia.wml"));
        QVERIFY(words.save(wmlCopy, p).ok());
        QCOMPARE(readAll(wmlCopy), wmlBytes);

        const QByteArray smlBytes =
            "\"/fotos/el gat\".jpg\t-1\t-1\t\"/sons/miol.wav\"\t\"Miol\", diu\r\n"
            "\t3\t-4\t/sons/a\"b.wav\tacaba\"\r\n"
            "/fotos/\"\t12\t7\t\t\"\r\n";
        MeaningTable sounds(MeaningKind::Sounds);
        QVERIFY(sounds.load(fx.file(QStringLiteral("cometes.sml"), smlBytes)).ok());
        QCOMPARE(sounds.table.recordCount(), 3);
        QCOMPARE(sounds.table.value(0, QStringLiteral("FN")).toString(),
                 QStringLiteral("\"/fotos/el gat\".jpg"));
        QCOMPARE(sounds.table.value(0, QStringLiteral("AudioFN")).toString(),
                 QStringLiteral("\"/sons/miol.wav\""));
        QCOMPARE(sounds.table.value(1, QStringLiteral("MarkY")).toInt(), -4);
        const QString smlCopy = fx.path(QStringLiteral("sons.sml"));
        QVERIFY(sounds.save(smlCopy, p).ok());
        QCOMPARE(readAll(smlCopy), smlBytes);
        QVERIFY(p.shown.empty());

        // Pasted text is read by the same rule.
        MeaningTable pasted(MeaningKind::Words);
        QVERIFY(
            !ReadTableText(pasted.table, QStringLiteral("\"Hola\" noi\t\"Ser o no ser\", deia")));
        QCOMPARE(pasted.table.value(0, QStringLiteral("Word")).toString(),
                 QStringLiteral("\"Hola\" noi"));
        QCOMPARE(TableToText(pasted.table),
                 QStringLiteral("\"Hola\" noi\t\"Ser o no ser\", deia\r\n"));
    }

    void soundTablesAndCoexistence()
    {
        SlideListFixture fx;
        FakePrompter p;
        MeaningTable sounds(MeaningKind::Sounds);
        MemTable::Record image = sounds.table.emptyRecord();
        sounds.table.setField(image, 0, QStringLiteral("/fotos/gat.jpg"));
        sounds.table.setField(image, 1, QStringLiteral("-1"));
        sounds.table.setField(image, 2, QStringLiteral("-1"));
        sounds.table.setField(image, 4, QString(60, QLatin1Char('m')));
        QVERIFY(!sounds.table.append(image));
        MemTable::Record sound = sounds.table.emptyRecord();
        sounds.table.setField(sound, 1, QStringLiteral("-1"));
        sounds.table.setField(sound, 2, QStringLiteral("-1"));
        sounds.table.setField(sound, 3, QStringLiteral("/sons/miol.wav"));
        sounds.table.setField(sound, 4, QStringLiteral("miol"));
        QVERIFY(!sounds.table.append(sound));
        const QString path = fx.path(QStringLiteral("curs.sml"));
        QVERIFY(sounds.save(path, p).ok());
        QCOMPARE(readAll(path), QByteArray("/fotos/gat.jpg\t-1\t-1\t\t") + QByteArray(50, 'm') +
                                    "\r\n\t-1\t-1\t/sons/miol.wav\tmiol\r\n");
        MeaningTable back(MeaningKind::Sounds);
        QVERIFY(back.load(path).ok());
        QVERIFY(back.hasFile());
        QCOMPARE(back.table.value(0, QStringLiteral("MarkX")).toInt(), -1);
        QVERIFY(back.table.value(0, QStringLiteral("AudioFN")).isNull());
        QVERIFY(p.shown.empty());

        // A .wml of the same name may not stay beside it.
        const QString wml = fx.file(QStringLiteral("curs.wml"), "a\tb\r\n");
        p.answers = {MsgButton::No};
        const Fallible<void> declined = back.save(path, p);
        QVERIFY(!declined.ok());
        QVERIFY(declined.error().isEmpty()); // the user's own answer: nothing more to tell
        QVERIFY(QFile::exists(wml));
        QCOMPARE(p.texts().back(),
                 QStringLiteral("També existeix l'arxiu:\r\n%1,\r\nesborrar-lo, ja que no poden "
                                "coexistir un arxiu sml i wml?")
                     .arg(wml));
        p.answers = {MsgButton::Yes};
        QVERIFY(back.save(path, p).ok());
        QVERIFY(!QFile::exists(wml));

        // Marks left empty by another program read as 0.
        MeaningTable other(MeaningKind::Sounds);
        QVERIFY(other.load(fx.file(QStringLiteral("o.sml"), "/a.png\t\t\t\tsignificat\r\n")).ok());
        QCOMPARE(other.table.value(0, QStringLiteral("MarkY")).toInt(), 0);

        // Paths longer than a row's folder, name and extension together come back whole.
        const QString deep = QStringLiteral("/cursos/") + QString(200, QLatin1Char('d')) +
                             QStringLiteral("/gat.jpg");
        const QString line =
            deep + QStringLiteral("\t-1\t-1\t") + deep + QStringLiteral(".wav\tgat\r\n");
        MeaningTable longPaths(MeaningKind::Sounds);
        const QString longFile = fx.file(QStringLiteral("llarg.sml"), line.toLatin1());
        QVERIFY(longPaths.load(longFile).ok());
        QCOMPARE(longPaths.table.value(0, QStringLiteral("FN")).toString(), deep);
        QVERIFY(longPaths.save(longFile, p).ok());
        QCOMPARE(readAll(longFile), line.toLatin1());
    }

    void pendingRecords()
    {
        MeaningTable words(MeaningKind::Words);
        FakePrompter p;
        words.table.editing = true;
        words.table.pending = words.table.emptyRecord();
        words.table.setField(words.table.pending, 0, QStringLiteral("casa"));
        p.answers = {MsgButton::Yes};
        QVERIFY(ConfirmPostRecord(words.table, p).has_value()); // the meaning is missing
        words.table.setField(words.table.pending, 1, QStringLiteral("on es viu"));
        p.answers = {MsgButton::Yes};
        QVERIFY(!ConfirmPostRecord(words.table, p));
        QCOMPARE(words.table.recordCount(), 1);
        words.table.editing = true;
        p.answers = {MsgButton::No};
        QVERIFY(!ConfirmPostRecord(words.table, p));
        QVERIFY(!words.table.editing);
        QCOMPARE(p.texts().back(), QStringLiteral("Voleu guardar els canvis d'aquest registre?"));
    }
};

QTEST_GUILESS_MAIN(MeaningTablesTest)
#include "MeaningTablesTest.moc"
