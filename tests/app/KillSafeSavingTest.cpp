// Every writer of a user file, killed while it writes: this program starts itself as a child
// that writes one of two contents over and over, kills it at a random moment, and checks that the
// file holds the whole of one content or the other and that nothing is left beside it. Results
// files are appended to: a killed append leaves every earlier result whole.
//
//   KillSafeSavingTest --write WRITER FOLDER A|B    the child: writes B, A, B, ... (or A, B, ...)
//                                                   until it is killed
//   PELVAR_KILLS=N                               kills per writer (default 200)

#include "config/Base64.h"
#include "config/TModIniLS.h"
#include "config/TNewIniFile.h"
#include "files/AtomicFileWriter.h"
#include "files/TextCodec.h"
#include "media/TLRU.h"
#include "player/ResultsWriter.h"
#include "presentation/SlideList.h"
#include "support/FakePrompter.h"
#include "tables/MeaningTables.h"
#include "users/TDMAdminUsersDomains.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Contents big enough that a kill often lands inside a write: a few hundred kilobytes, and the
// two versions of different lengths so that a mix of them could not pass for either.
QString line(char which, int i, int width)
{
    return QStringLiteral("%1%2 %3")
        .arg(QLatin1Char(which))
        .arg(i, 5, 10, QLatin1Char('0'))
        .arg(QString(width, QLatin1Char(which == 'A' ? 'a' : u'\u00e8')));
}

int rowsOf(char which)
{
    return which == 'A' ? 3000 : 2400;
}

// One writer of the program: `write(which)` writes version 'A' or 'B' of its file in `dir`;
// `target` is the file checked; `others` lists the other files it may leave there.
struct Writer
{
    virtual ~Writer() = default; // the writers are owned through this base
    QString target;
    QStringList others;
    std::function<bool(char)> write;
};

using WriterFactory = std::function<std::unique_ptr<Writer>(const QString &dir)>;

struct SlideListWriter : Writer
{
    SlideListWriter(const QString &dir)
    {
        target = dir + QStringLiteral("/Curs.sal");
        write = [this](char which) {
            SlideList list;
            for (int i = 0; i < rowsOf(which); ++i)
                list.lines << line(which, i, 40) + QStringLiteral(".jpg\tL\tnota\t\t5\tso.wav");
            return list.save(target, prompter).ok();
        };
    }
    FakePrompter prompter;
};

struct SettingsWriter : Writer
{
    SettingsWriter(const QString &dir)
    {
        target = dir + QStringLiteral("/Curs.ini");
        write = [this](char which) {
            TNewIniFile ini(target);
            ini.load();
            ini.eraseSection(QStringLiteral("Clau"));
            for (int i = 0; i < rowsOf(which); ++i)
                ini.WriteString(QStringLiteral("Clau"), QStringLiteral("K%1").arg(i),
                                line(which, i, 60));
            return ini.UpdateFile(prompter).ok();
        };
    }
    FakePrompter prompter;
};

struct TableWriter : Writer
{
    TableWriter(const QString &dir, MeaningKind kind) : table(kind)
    {
        const bool words = kind == MeaningKind::Words;
        target = dir + (words ? QStringLiteral("/Curs.wml") : QStringLiteral("/Curs.sml"));
        write = [this, words](char which) {
            MemTable &t = table.table;
            t.clear();
            for (int i = 0; i < rowsOf(which); ++i) {
                MemTable::Record r = t.emptyRecord();
                if (words) {
                    t.setField(r, 0, line(which, i, 10).left(20));
                    t.setField(r, 1, line(which, i, 100));
                } else {
                    t.setField(r, 0, line(which, i, 90));
                    t.setField(r, 1, i % 1000);
                    t.setField(r, 2, -1);
                    t.setField(r, 4, line(which, i, 30));
                }
                if (t.append(r))
                    return false;
            }
            return table.save(target, prompter).ok();
        };
    }
    MeaningTable table;
    FakePrompter prompter;
};

// The users and the domains lists: each version is built once, from the list as it is on disk.
struct UsersWriter : Writer
{
    UsersWriter(const QString &dir, bool domains)
    {
        for (char which : {'A', 'B'}) {
            auto &m = which == 'A' ? a : b;
            m = std::make_unique<TDMAdminUsersDomains>();
            m->SetUsersDir(dir);
            KeyedTable &rows = domains ? m->RMD_Domains : m->RMD_Users;
            (void)(domains ? m->LoadDomains() : m->LoadUsers());
            while (rows.rowCount() > 0)
                rows.deleteRow(0);
            for (int i = 0; i < rowsOf(which) / 4; ++i) {
                rows.beginInsert(rows.rowCount());
                if (domains) {
                    rows.setPending(QStringLiteral("Domain"), line(which, i, 8));
                    rows.setPending(QStringLiteral("Dir"),
                                    dir + QLatin1Char('/') + line(which, i, 60));
                } else {
                    rows.setPending(QStringLiteral("User"), line(which, i, 4).left(16));
                    rows.setPending(QStringLiteral("Password"), line(which, i, 20));
                    rows.setPending(QStringLiteral("Privilege"), QStringLiteral("A"));
                }
                (void)rows.post();
            }
        }
        target = domains ? a->DomainsFilePath() : a->UsersFilePath();
        write = [this, domains](char which) {
            TDMAdminUsersDomains &m = which == 'A' ? *a : *b;
            return (domains ? m.SaveDomains(prompter) : m.SaveUsers(prompter)).ok();
        };
    }
    std::unique_ptr<TDMAdminUsersDomains> a, b;
    FakePrompter prompter;
};

struct RecentWriter : Writer
{
    RecentWriter(const QString &dir)
    {
        target = dir + QStringLiteral("/Pelvar.lru");
        write = [this](char which) {
            TLRU lru(10);
            lru.setFileName(target);
            for (int i = 0; i < 10; ++i)
                lru.AddItem(QStringLiteral("/cursos/") + line(which, i, 200) +
                            QStringLiteral(".sal"));
            return lru.saveToFile();
        };
    }
};

// The favourite folders go out with the program's configuration at exit.
struct FavDirsWriter : Writer
{
    FavDirsWriter(const QString &dir) : module(THlpIniFLoadSave(dir, QStringLiteral("Pelvar")))
    {
        target = module.paths().favDirsPath();
        others << QStringLiteral("Pelvar.ini");
        write = [this](char which) {
            ProgramOptions options;
            for (int i = 0; i < rowsOf(which) / 4; ++i)
                options.FavDirs << QStringLiteral("/home/u/") + line(which, i, 80);
            module.LastSaveInterrupted = false;
            return module.saveAtExit(options, PresentationSettings(), false, prompter);
        };
    }
    TModIniLS module;
    FakePrompter prompter;
};

// Base64 file encoding, the form of the users' files, from a plain file beside it.
struct Base64Writer : Writer
{
    Base64Writer(const QString &dir)
    {
        target = dir + QStringLiteral("/Dades.b64");
        for (char which : {'A', 'B'}) {
            const QString source = dir + QStringLiteral("/font") + QLatin1Char(which);
            others << QStringLiteral("font") + QLatin1Char(which);
            if (!QFile::exists(source)) {
                QFile f(source);
                if (f.open(QIODevice::WriteOnly))
                    for (int i = 0; i < rowsOf(which); ++i)
                        f.write(line(which, i, 60).toUtf8() + "\r\n");
            }
        }
        write = [this, dir](char which) {
            return EncodeFile(dir + QStringLiteral("/font") + QLatin1Char(which), target).ok;
        };
    }
};

const std::pair<const char *, WriterFactory> kWriters[] = {
    {"sal", [](const QString &d) { return std::make_unique<SlideListWriter>(d); }},
    {"ini", [](const QString &d) { return std::make_unique<SettingsWriter>(d); }},
    {"wml", [](const QString &d) { return std::make_unique<TableWriter>(d, MeaningKind::Words); }},
    {"sml", [](const QString &d) { return std::make_unique<TableWriter>(d, MeaningKind::Sounds); }},
    {"users", [](const QString &d) { return std::make_unique<UsersWriter>(d, false); }},
    {"domains", [](const QString &d) { return std::make_unique<UsersWriter>(d, true); }},
    {"lru", [](const QString &d) { return std::make_unique<RecentWriter>(d); }},
    {"favdirs", [](const QString &d) { return std::make_unique<FavDirsWriter>(d); }},
    {"base64", [](const QString &d) { return std::make_unique<Base64Writer>(d); }},
};

std::unique_ptr<Writer> makeWriter(const QString &name, const QString &dir)
{
    for (const auto &[writerName, factory] : kWriters)
        if (name == QLatin1String(writerName))
            return factory(dir);
    return nullptr;
}

// The results file: one result appended after another, as a run writes them.
const QString kResultsName = QStringLiteral("Anna.txt");

bool appendResult(const QString &dir, QString &previousList)
{
    TWriteRes res;
    res.Write = true;
    res.Valid = true;
    res.Dir = dir;
    res.Duration = true;
    ResultsEntry entry;
    entry.message = QStringLiteral("Encerts: 7 de 10\r\n") + QString(2000, QLatin1Char('r'));
    entry.listPath = QStringLiteral("/cursos/Capitals.sal");
    entry.durationSecs = 95;
    entry.now = QDateTime::currentDateTime();
    FakePrompter prompter;
    return AppendResult(dir + QLatin1Char('/') + kResultsName, res, entry, previousList, prompter);
}

// The child: writes `first`, then the other version, and so on until killed, telling the parent
// after each write.
int runChild(const QString &writerName, const QString &dir, char first)
{
    QString previousList;
    std::unique_ptr<Writer> writer =
        writerName == QLatin1String("results") ? nullptr : makeWriter(writerName, dir);
    if (!writer && writerName != QLatin1String("results"))
        return 2;
    for (unsigned i = 0;; ++i) {
        const char which = (i % 2 == 0) == (first == 'A') ? 'A' : 'B';
        const bool ok = writer ? writer->write(which) : appendResult(dir, previousList);
        if (!ok)
            return 3;
        std::fputc('w', stdout);
        std::fflush(stdout);
    }
}

int killsPerWriter()
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("PELVAR_KILLS", &ok);
    return ok && n > 0 ? n : 200;
}

// Starts the child on `writer` in `dir`, writing `first` first, kills it at a random moment of its
// first writes, and returns the number of writes it reported done.
int startAndKill(const QString &writer, const QString &dir, QRandomGenerator &random,
                 char first = 'A')
{
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--write"), writer, dir, QString(QLatin1Char(first))});
    child.start();
    if (!child.waitForStarted(10000))
        return -1;
    QElapsedTimer waited;
    waited.start();
    // Half the kills fall inside the first write, the others later.
    if (random.bounded(2) == 0) {
        while (child.bytesAvailable() == 0 && child.state() == QProcess::Running &&
               waited.elapsed() < 20000)
            child.waitForReadyRead(5);
    }
    QThread::usleep(random.bounded(20000));
    child.kill();
    child.waitForFinished(10000);
    return int(child.readAll().size());
}

} // namespace

class KillSafeSavingTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void killedWriterLeavesOldOrNewContent_data()
    {
        QTest::addColumn<QString>("writer");
        for (const auto &[name, factory] : kWriters)
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void killedWriterLeavesOldOrNewContent()
    {
        QFETCH(QString, writer);
        QTemporaryDir dir;
        std::unique_ptr<Writer> w = makeWriter(writer, dir.path());
        QVERIFY(w);
        // The two whole contents, as the writer itself makes them; the file starts as A.
        QVERIFY(w->write('B'));
        const QByteArray b = readAll(w->target);
        QVERIFY(w->write('A'));
        const QByteArray a = readAll(w->target);
        QVERIFY(!a.isEmpty() && !b.isEmpty() && a != b);
        QStringList expectedFiles = w->others;
        expectedFiles << QFileInfo(w->target).fileName();
        expectedFiles.sort();

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        const int kills = killsPerWriter();
        int leftA = 0, leftB = 0, writes = 0, leftTemp = 0;
        for (int k = 0; k < kills; ++k) {
            // The child writes first the version the file does not hold.
            const bool holdsA = readAll(w->target) == a;
            const int done = startAndKill(writer, dir.path(), random, holdsA ? 'B' : 'A');
            QVERIFY2(done >= 0, qPrintable(QStringLiteral("the child did not start")));
            writes += done;
            const QByteArray now = readAll(w->target);
            QVERIFY2(now == a || now == b,
                     qPrintable(QStringLiteral("kill %1 (seed %2) left %3 bytes, neither version")
                                    .arg(k)
                                    .arg(seed)
                                    .arg(now.size())));
            (now == a ? leftA : leftB) += 1;
            // A kill between naming the finished file and renaming it may leave that name; the
            // next write removes it, so there is never more than one.
            QStringList files =
                QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
            const qsizetype temps = files.removeIf([&](const QString &f) {
                for (const QString &written : expectedFiles)
                    if (f.startsWith(QFileInfo(atomicTempPrefix(written)).fileName()) &&
                        f.endsWith(QLatin1String(".tmp")))
                        return true;
                return false;
            });
            QVERIFY2(
                temps <= 1,
                qPrintable(QStringLiteral("kill %1 left %2 temporary files").arg(k).arg(temps)));
            leftTemp += int(temps);
            files.sort();
            QVERIFY2(
                files == expectedFiles,
                qPrintable(
                    QStringLiteral("kill %1 left %2").arg(k).arg(files.join(QLatin1Char(' ')))));
        }
        qInfo("%s: %d kills over %d writes; left the first version %d times, the second %d; "
              "a temporary name %d times",
              qPrintable(writer), kills, writes, leftA, leftB, leftTemp);
    }

    void killedAppendKeepsEarlierResults()
    {
        QTemporaryDir dir;
        // The pieces one append adds: the first of a run with the list's heading, the next
        // without it.
        QTemporaryDir scratch;
        QString previous;
        QVERIFY(appendResult(scratch.path(), previous));
        const QByteArray first = readAll(scratch.filePath(kResultsName));
        QVERIFY(appendResult(scratch.path(), previous));
        const QByteArray next = readAll(scratch.filePath(kResultsName)).mid(first.size());
        // The first append of a file adds the date line before the heading; later runs of the
        // same day only the heading.
        QVERIFY(appendResult(scratch.path(), previous = QString()));
        const QByteArray headed =
            readAll(scratch.filePath(kResultsName)).mid(first.size() + next.size());
        QVERIFY(!next.isEmpty() && headed.endsWith(next));

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        const QString file = dir.filePath(kResultsName);
        const int kills = killsPerWriter();
        int appended = 0;
        QByteArray before;
        for (int k = 0; k < kills; ++k) {
            QVERIFY(startAndKill(QStringLiteral("results"), dir.path(), random) >= 0);
            const QByteArray now = readAll(file);
            // What was there is there whole, followed by whole results of this run only.
            QVERIFY2(now.startsWith(before),
                     qPrintable(QStringLiteral("kill %1 (seed %2) lost results").arg(k).arg(seed)));
            QByteArray added = now.mid(before.size());
            if (before.isEmpty() && !added.isEmpty()) {
                QVERIFY(added.startsWith(first));
                added = added.mid(first.size());
                ++appended;
            } else if (!added.isEmpty()) {
                QVERIFY2(added.startsWith(headed), qPrintable(QStringLiteral("kill %1").arg(k)));
                added = added.mid(headed.size());
                ++appended;
            }
            QVERIFY2(
                added.size() % next.size() == 0,
                qPrintable(
                    QStringLiteral("kill %1 (seed %2) left a part of a result").arg(k).arg(seed)));
            for (qsizetype at = 0; at < added.size(); at += next.size())
                QCOMPARE(added.mid(at, next.size()), next);
            appended += int(added.size() / next.size());
            before = now;
            QStringList files =
                QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
            const QString tempPrefix = QFileInfo(atomicTempPrefix(file)).fileName();
            QVERIFY(files.removeIf([&](const QString &f) { return f.startsWith(tempPrefix); }) <=
                    1);
            // A child killed before its first append has not created the file yet.
            QCOMPARE(files, QFileInfo::exists(file) ? QStringList{kResultsName} : QStringList());
        }
        qInfo("results: %d kills, %d whole results kept", kills, appended);
    }
};

int main(int argc, char **argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--write") == 0) {
        QCoreApplication app(argc, argv);
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                        argv[4][0] == 'B' ? 'B' : 'A');
    }
    QCoreApplication app(argc, argv);
    KillSafeSavingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "KillSafeSavingTest.moc"
