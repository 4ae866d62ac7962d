#include "files/BlockCopier.h"
#include "files/CopyMovePlan.h"
#include "files/CopyMoveRun.h"
#include "files/PosixFileOps.h"
#include "files/TDirList.h"
#include "files/TStringFileList.h"
#include "support/FakePrompter.h"

#include <QTest>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

using namespace Qt::StringLiterals;

namespace {

// The real file operations with faults on demand: a volume that is full, read-only or smaller
// than it is, a disk that fills after so many bytes, a source that stops reading (a volume taken
// away mid-copy), renames that cannot cross volumes, and a pause per block to make copies slow.
class FaultyFileOps : public PosixFileOps
{
public:
    qint64 capacity = -1; // -1: the real figures
    qint64 freeBytes = -1;
    bool readOnlyVolume = false;
    qint64 failAfterBytes = -1;
    CopyFault fault = CopyFault::None;
    bool renameAcrossVolumes = true;
    int blockDelayMs = 0;
    std::atomic<qint64> copied{0};

    BlockResult copyBlock(int in, int out, qint64 maxBytes) override
    {
        if (blockDelayMs > 0)
            QThread::msleep(blockDelayMs);
        if (failAfterBytes >= 0 && copied.load() >= failAfterBytes)
            return {0, fault, QStringLiteral("simulat")};
        if (failAfterBytes >= 0)
            maxBytes = std::min(maxBytes, failAfterBytes - copied.load());
        const BlockResult r = PosixFileOps::copyBlock(in, out, maxBytes);
        copied += r.bytes;
        return r;
    }
    bool moveByRename(const QString &from, const QString &to) override
    {
        return renameAcrossVolumes && PosixFileOps::moveByRename(from, to);
    }
    VolumeInfo volume(const QString &path) override
    {
        VolumeInfo v = PosixFileOps::volume(path);
        if (capacity >= 0)
            v.capacityBytes = capacity;
        if (freeBytes >= 0)
            v.freeBytes = freeBytes;
        v.readOnly = v.readOnly || readOnlyVolume;
        return v;
    }
    bool sameVolume(const QString &a, const QString &b) override
    {
        return renameAcrossVolumes && PosixFileOps::sameVolume(a, b);
    }
};

QByteArray contentFor(const QString &name, qint64 size)
{
    QByteArray bytes;
    bytes.reserve(size);
    const QByteArray seed = name.toUtf8() + '|';
    while (bytes.size() < size)
        bytes += seed;
    bytes.truncate(size);
    return bytes;
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// Everything below `folder`, as relative names (hidden ones too), sorted.
QStringList listing(const QString &folder)
{
    QStringList out;
    QDir dir(folder);
    const auto entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &e : entries) {
        if (e.isDir() && !e.isSymLink()) {
            for (const QString &sub : listing(e.filePath()))
                out << e.fileName() + QLatin1Char('/') + sub;
        } else {
            out << e.fileName();
        }
    }
    out.sort();
    return out;
}

void setTime(const QString &path, const QDateTime &when)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

struct RunResult
{
    bool finished = false;
    bool completed = false;
    QList<QStringList> notified; // source, target, made
};

RunResult runToEnd(CopyMoveRun &run, const CopyMoveOptions &options, const TGenericFileList &list,
                   int timeoutMs = 20000)
{
    RunResult r;
    QObject::connect(
        &run, &CopyMoveRun::fileDone, &run,
        [&r](const QString &s, const QString &t, TFileAction, bool made) {
            r.notified << QStringList{s, t, made ? QStringLiteral("1") : QStringLiteral("0")};
        });
    QSignalSpy done(&run, &CopyMoveRun::finished);
    run.start(options, list);
    r.finished = done.wait(timeoutMs);
    if (r.finished)
        r.completed = done.front().front().toBool();
    QObject::disconnect(&run, &CopyMoveRun::fileDone, &run, nullptr);
    return r;
}

// A child process copying or moving five files slowly, for the kill test.
int runChild(const QStringList &args)
{
    const QString mode = args.value(0);
    const QString source = args.value(1);
    const QString target = args.value(2);
    FaultyFileOps ops;
    ops.renameAcrossVolumes = false; // a move must copy and then remove
    ops.blockDelayMs = 3;
    StderrPrompter prompter;
    TStringFileList list(prompter);
    list.setStrSourceDir(source);
    for (const QString &name : QDir(source).entryList(QDir::Files, QDir::Name))
        list.AddFile(source + QLatin1Char('/') + name);
    CopyMoveRun run(ops, prompter);
    CopyMoveOptions options;
    options.action = mode == QLatin1String("move") ? TFileAction::faMove : TFileAction::faCopy;
    options.targetDir = target;
    options.blockBytes = 64 * 1024;
    options.overwriteNewerPrompt = false;
    int code = 3;
    QObject::connect(&run, &CopyMoveRun::finished, &run, [&code](bool ok) {
        code = ok ? 0 : 1;
        QCoreApplication::quit();
    });
    run.start(options, list);
    QCoreApplication::exec();
    return code;
}

const QString kCannotOverwrite = QStringLiteral("No es poden sobrescriure els arxius");

} // namespace

class CopyMoveTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    QString m_src;
    QString m_dst;

    // Fresh source and target folders for each case.
    void freshFolders()
    {
        static int n = 0;
        ++n;
        m_src = m_tmp.filePath(QStringLiteral("src%1").arg(n));
        m_dst = m_tmp.filePath(QStringLiteral("dst%1").arg(n));
        QVERIFY(QDir().mkpath(m_src));
        QVERIFY(QDir().mkpath(m_dst));
    }

private Q_SLOTS:
    void targetNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sourceDir");
        QTest::addColumn<QString>("targetDir");
        QTest::addColumn<bool>("singleDir");
        QTest::addColumn<QString>("expected");
        QTest::newRow("single folder")
            << u"/a/b/x.txt"_s << u""_s << u"/t"_s << true << u"/t/x.txt"_s;
        QTest::newRow("single folder, relative name")
            << u"sub/x.txt"_s << u"/s"_s << u"/t/"_s << true << u"/t/x.txt"_s;
        QTest::newRow("full path keeps its folders")
            << u"/home/a/x.txt"_s << u""_s << u"/t"_s << false << u"/t/home/a/x.txt"_s;
        QTest::newRow("drive letter made a folder, upper case")
            << u"c:\\Docs\\a.txt"_s << u""_s << u"D:\\Backup"_s << false
            << u"D:\\Backup\\C\\Docs\\a.txt"_s;
        QTest::newRow("relative to the source folder")
            << u"sub/deeper/x.txt"_s << u"/src"_s << u"/t/"_s << false << u"/t/sub/deeper/x.txt"_s;
        QTest::newRow("odd bytes kept as they are")
            << u"/s/a \"b\" *\nc\\d.txt"_s << u""_s << u"/t"_s << true
            << u"/t/a \"b\" *\nc\\d.txt"_s;
        QTest::newRow("leading backslash is part of the name")
            << u"/s/\\x"_s << u""_s << u"/t"_s << true << u"/t/\\x"_s;
        QTest::newRow("target is the root") << u"/s/x"_s << u""_s << u"/"_s << true << u"/x"_s;
    }
    void targetNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, sourceDir);
        QFETCH(QString, targetDir);
        QFETCH(bool, singleDir);
        QFETCH(QString, expected);
        QCOMPARE(copyMoveTargetName(name, sourceDir, targetDir, singleDir), expected);
    }

    void treeOnly_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("common prefix cut")
            << QStringList{u"/home/a/x"_s, u"/home/a/y/z"_s, u"/home/a"_s}
            << QStringList{u"x"_s, u"y/z"_s, u""_s};
        QTest::newRow("only the root in common: whole paths")
            << QStringList{u"/home/a"_s, u"/srv/b"_s} << QStringList{u"home/a"_s, u"srv/b"_s};
        QTest::newRow("drives differ: colon removed")
            << QStringList{u"C:\\Docs\\a"_s, u"D:\\b"_s} << QStringList{u"C\\Docs\\a"_s, u"D\\b"_s};
        QTest::newRow("same drive, case ignored")
            << QStringList{u"C:\\Docs\\a"_s, u"c:\\docs\\b"_s} << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("prefix is whole folders, not letters")
            << QStringList{u"/home/ab"_s, u"/home/ac"_s} << QStringList{u"ab"_s, u"ac"_s};
    }
    void treeOnly()
    {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, expected);
        const QString common = commonFolderPrefix(folders);
        QStringList got;
        for (const QString &f : folders)
            got << copyTreeOnlyPath(f, common);
        QCOMPARE(got, expected);
    }

    void clashesAndOrder_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("clashing");
        QTest::newRow("none") << QStringList{u"/a/x.txt"_s, u"/b/y.txt"_s} << QStringList{};
        QTest::newRow("same name, two folders")
            << QStringList{u"/a/a.txt"_s, u"/b/c.txt"_s, u"/b/a.txt"_s}
            << QStringList{u"/a/a.txt"_s, u"/b/a.txt"_s};
        QTest::newRow("case ignored") << QStringList{u"/a/A.TXT"_s, u"/b/a.txt"_s}
                                      << QStringList{u"/a/A.TXT"_s, u"/b/a.txt"_s};
    }
    void clashesAndOrder()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, clashing);
        QCOMPARE(singleDirClashes(names), clashing);
    }

    void dirListOrder()
    {
        TDirList dirs;
        for (const char *f : {"/b", "/a/x", "/A/y/z", "/c", "/a/x", "/B/q"})
            dirs.add(QString::fromLatin1(f));
        QCOMPARE(dirs.folders(),
                 (QStringList{u"/A/y/z"_s, u"/a/x"_s, u"/B/q"_s, u"/b"_s, u"/c"_s}));
    }

    void spaceReckoning_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("sameVolume");
        QTest::addColumn<qint64>("sourceSize");
        QTest::addColumn<qint64>("replaced");
        QTest::addColumn<qint64>("allowance");
        QTest::newRow("copy, nothing replaced")
            << 0 << true << qint64(100) << qint64(-1) << qint64(0);
        QTest::newRow("copy over an older file")
            << 0 << true << qint64(100) << qint64(40) << qint64(40);
        QTest::newRow("move within a volume is a rename")
            << 1 << true << qint64(100) << qint64(40) << qint64(100);
        QTest::newRow("move to another volume writes anew")
            << 1 << false << qint64(100) << qint64(40) << qint64(40);
    }
    void spaceReckoning()
    {
        QFETCH(int, action);
        QFETCH(bool, sameVolume);
        QFETCH(qint64, sourceSize);
        QFETCH(qint64, replaced);
        QFETCH(qint64, allowance);
        QCOMPARE(spaceAllowance(TFileAction(action), sameVolume, sourceSize, replaced), allowance);
    }

    void totalsAndTexts()
    {
        // New folders cost 512 bytes once; a folder holding the previous one is not new.
        const std::vector<PlannedFile> files{
            {u"/t/a/b"_s, 10}, {u"/t/a/b"_s, 5}, {u"/t/a"_s, 1}, {u"/t/old"_s, 2}, {u"/t/c"_s, 3}};
        const auto exists = [](const QString &f) { return f == QLatin1String("/t/old"); };
        QCOMPARE(transferTotal(files, exists), qint64(21 + 512 * 2));
        QCOMPARE(notEnoughSpaceMessage(false, 1234567, 2000000000),
                 QStringLiteral("No hi ha prou espai a destí (1.234.567 bytes) pels arxius "
                                "sel·leccionats (2.000.000.000 bytes)"));
        QCOMPARE(notEnoughSpaceMessage(true, 0, 1000).left(27),
                 QStringLiteral("No hi ha prou espai lliure "));
        const QDateTime t(QDate(2024, 3, 5), QTime(9, 8, 7));
        QCOMPARE(overwriteQuestion(u"/t/a"_s, 1500, t, u"/s/a"_s, 20, t.addDays(-1)),
                 QStringLiteral(
                     "Reescriure /t/a\r\nMida: 1.500 bytes  Data: 05/03/2024 09:08:07\r\n\r\namb: "
                     "/s/a\r\nMida: 20 bytes  Data: 04/03/2024 09:08:07"));
        QCOMPARE(percentOf(0, 0), 100);
        QCOMPARE(percentOf(qint64(3) << 40, qint64(4) << 40), 75);
    }

    void temporaryNames_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("plain") << u"/t/a.txt"_s;
        QTest::newRow("odd") << u"/t/a \"b\"*\n.txt"_s;
        QTest::newRow("longest name") << QStringLiteral("/t/") + QString(255, QLatin1Char('x'));
    }
    void temporaryNames()
    {
        QFETCH(QString, target);
        const QString temp = temporaryTargetName(target);
        QCOMPARE(folderPart(temp), folderPart(target));
        QVERIFY(fileNamePart(temp).startsWith(QLatin1Char('.')));
        QVERIFY(temp != target);
        QVERIFY(QFile::encodeName(fileNamePart(temp)).size() <= 255);
    }

    void fileListAdding()
    {
        freshFolders();
        writeBytes(m_src + u"/a.txt"_s, "a");
        writeBytes(m_src + u"/sub/b.txt"_s, "b");
        writeBytes(m_tmp.filePath(u"outside.txt"_s), "o");
        FakePrompter prompter;
        TStringFileList list(prompter);
        list.setStrSourceDir(m_src);
        int lastCount = -1;
        list.OnAddRemoveFile = [&](int n) { lastCount = n; };
        QVERIFY(list.AddFile(m_src + u"/a.txt"_s));
        QVERIFY(list.AddFile(m_src + u"/sub/b.txt"_s));
        QCOMPARE(lastCount, 2);
        QVERIFY(!list.AddFile(m_src + u"/missing.txt"_s));
        QVERIFY(!list.AddFile(m_tmp.filePath(u"outside.txt"_s)));
        QVERIFY(!list.AddFile(m_src + u"/sub"_s)); // a folder is no file
        QCOMPARE(list.name(1), QStringLiteral("sub/b.txt"));
        QCOMPARE(list.dirList().folders(), (QStringList{m_src + u"/sub"_s, m_src}));

        // A duplicate is refused with a message until the user says No to more of them.
        prompter.answers = {MsgButton::No};
        QVERIFY(!list.AddFile(m_src + u"/a.txt"_s));
        QVERIFY(!list.AddFile(m_src + u"/a.txt"_s));
        QCOMPARE(prompter.texts(),
                 QStringList{QStringLiteral(
                     "Ja existia 'a.txt' a la llista, presentar nous missatges similars?")});
        list.OnOtherCorrectFile = [](const QString &n) { return !n.endsWith(u".txt"_s); };
        writeBytes(m_src + u"/c.txt"_s, "c");
        QVERIFY(!list.AddFile(m_src + u"/c.txt"_s));
        QVERIFY(list.RemoveFile(m_src + u"/a.txt"_s));
        QCOMPARE(list.count(), 1);
    }

    void copiesAndMoves_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("acrossVolumes");
        QTest::newRow("copy") << 0 << false;
        QTest::newRow("move by rename") << 1 << false;
        QTest::newRow("move to another volume") << 1 << true;
    }
    void copiesAndMoves()
    {
        QFETCH(int, action);
        QFETCH(bool, acrossVolumes);
        freshFolders();
        const QDateTime old(QDate(2020, 1, 2), QTime(3, 4, 5));
        const QStringList names{u"a.txt"_s, u"sub/b c.bin"_s, u"sub/deep/e"_s, u"empty"_s};
        for (const QString &n : names) {
            writeBytes(m_src + u"/"_s + n, contentFor(n, n == u"empty"_s ? 0 : 300000));
            setTime(m_src + u"/"_s + n, old);
        }
        FaultyFileOps ops;
        ops.renameAcrossVolumes = !acrossVolumes;
        FakePrompter prompter;
        TStringFileList list(prompter);
        list.setStrSourceDir(m_src);
        for (const QString &n : names)
            QVERIFY(list.AddFile(m_src + u"/"_s + n));
        CopyMoveRun run(ops, prompter);
        QSignalSpy total(&run, &CopyMoveRun::totalProgress);
        CopyMoveOptions options;
        options.action = TFileAction(action);
        options.targetDir = m_dst;
        options.blockBytes = 65536;
        options.deleteEmptyDirs = true;
        const RunResult r = runToEnd(run, options, list);
        QVERIFY(r.finished);
        QVERIFY(r.completed);
        QCOMPARE(r.notified.size(), names.size());
        QCOMPARE(total.back().front().toInt(), 100);
        QCOMPARE(run.filesDone(), names.size());
        QStringList sorted = names;
        sorted.sort();
        QCOMPARE(listing(m_dst), sorted);
        for (const QString &n : names) {
            QCOMPARE(readBytes(m_dst + u"/"_s + n), contentFor(n, n == u"empty"_s ? 0 : 300000));
            QCOMPARE(QFileInfo(m_dst + u"/"_s + n).lastModified(), old);
        }
        if (action == 1) {
            QCOMPARE(listing(m_src), QStringList{}); // the emptied folders went too
        } else {
            QCOMPARE(listing(m_src), sorted);
        }
        QVERIFY(prompter.shown.empty());
    }

    // The checks that stop a transfer before any file is touched, and the faults met on the way.
    void refusals_data()
    {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("message");
        QTest::newRow("two files of one name to a single folder")
            << u"clash"_s
            << u"Hi ha arxius amb el mateix nom al provar de copiar a un mateix directori:\r\nSRC/a.txt\r\nSRC/sub/a.txt"_s;
        QTest::newRow("into the source folder itself") << u"self"_s << kCannotOverwrite;
        QTest::newRow("into the source folder by a link") << u"selflink"_s << kCannotOverwrite;
        QTest::newRow("target on a CD") << u"cd"_s << u"No es pot modificar un CD-ROM"_s;
        QTest::newRow("nothing to copy") << u"empty"_s << u"No hi ha cap fitxer per copiar!"_s;
        QTest::newRow("no target") << u"notarget"_s << u"No està assignat el directori de destí"_s;
        QTest::newRow("relative target")
            << u"relative"_s << u"L'identificador del disc és invàlid"_s;
        QTest::newRow("missing target")
            << u"missing"_s << u"El directori 'DST/no' no s'ha trobat"_s;
        QTest::newRow("bigger than the volume")
            << u"capacity"_s
            << u"No hi ha prou espai a destí (10 bytes) pels arxius sel·leccionats (1.512 bytes)"_s;
        QTest::newRow("bigger than the free space")
            << u"free"_s
            << u"No hi ha prou espai lliure a destí (10 bytes) pels arxius sel·leccionats (1.512 bytes)"_s;
        QTest::newRow("a file where a folder goes")
            << u"fileforfolder"_s << u"No s'ha pogut crear el directori 'DST/sub'"_s;
        QTest::newRow("a folder where a file goes")
            << u"folderforfile"_s << u"No es pot crear 'DST/a.txt'"_s;
        QTest::newRow("disk full halfway")
            << u"diskfull"_s << u"No hi ha prou espai pel dispositiu de destí per: 'SRC/a.txt'"_s;
        QTest::newRow("a named pipe among the files")
            << u"fifo"_s << u"No es pot obrir: 'SRC/a.txt'"_s;
        QTest::newRow("source ends early")
            << u"shortread"_s << u"La còpia de 'SRC/a.txt' no té la mida de l'original"_s;
        QTest::newRow("target volume gone halfway")
            << u"writefail"_s << u"No es pot escriure 'DST/a.txt': simulat"_s;
        QTest::newRow("source volume gone halfway")
            << u"readfail"_s << u"No es pot llegir 'SRC/a.txt': simulat"_s;
    }
    void refusals()
    {
        QFETCH(QString, scenario);
        QFETCH(QString, message);
        freshFolders();
        writeBytes(m_src + u"/a.txt"_s, contentFor(u"a"_s, 1000));
        writeBytes(m_src + u"/sub/a.txt"_s, contentFor(u"b"_s, 0));
        // An older file under the target name must survive a failed copy whole.
        writeBytes(m_dst + u"/a.txt"_s, "old");
        setTime(m_dst + u"/a.txt"_s, QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
        const bool midCopy = scenario == u"diskfull"_s || scenario == u"readfail"_s ||
                             scenario == u"writefail"_s || scenario == u"shortread"_s;
        FaultyFileOps ops;
        FakePrompter prompter;
        TStringFileList list(prompter);
        CopyMoveOptions options;
        options.targetDir = m_dst;
        options.blockBytes = 256;
        list.setStrSourceDir(m_src);
        if (scenario == u"clash"_s) {
            list.setStrSourceDir(QString());
            options.singleDir = true;
        } else if (scenario == u"self"_s) {
            options.targetDir = m_src;
        } else if (scenario == u"selflink"_s) {
            QVERIFY(QFile::link(m_src, m_tmp.filePath(u"link"_s + QFileInfo(m_src).fileName())));
            options.targetDir = m_tmp.filePath(u"link"_s + QFileInfo(m_src).fileName());
        } else if (scenario == u"cd"_s) {
            ops.readOnlyVolume = true;
        } else if (scenario == u"notarget"_s) {
            options.targetDir.clear();
        } else if (scenario == u"relative"_s) {
            options.targetDir = u"dst"_s;
        } else if (scenario == u"missing"_s) {
            options.targetDir = m_dst + u"/no"_s;
        } else if (scenario == u"capacity"_s) {
            ops.capacity = 10;
        } else if (scenario == u"free"_s) {
            ops.freeBytes = 10;
        } else if (scenario == u"fileforfolder"_s) {
            writeBytes(m_dst + u"/sub"_s, "a file");
        } else if (scenario == u"folderforfile"_s) {
            QFile::remove(m_dst + u"/a.txt"_s);
            QVERIFY(QDir().mkpath(m_dst + u"/a.txt"_s));
        } else if (scenario == u"fifo"_s) {
            QVERIFY(QFile::remove(m_src + u"/a.txt"_s));
            QCOMPARE(::mkfifo(QFile::encodeName(m_src + u"/a.txt"_s).constData(), 0644), 0);
        } else if (midCopy) {
            ops.failAfterBytes = 700;
            ops.fault = scenario == u"diskfull"_s    ? CopyFault::DiskFull
                        : scenario == u"readfail"_s  ? CopyFault::ReadFailed
                        : scenario == u"shortread"_s ? CopyFault::None
                                                     : CopyFault::WriteFailed;
        }
        if (scenario != u"empty"_s) {
            QVERIFY(list.AddFile(m_src + u"/a.txt"_s));
            QVERIFY(list.AddFile(m_src + u"/sub/a.txt"_s));
        }
        const QStringList dstBefore = listing(m_dst);
        for (const TFileAction action : {TFileAction::faCopy, TFileAction::faMove}) {
            if (action == TFileAction::faMove && !midCopy)
                continue;
            ops.copied = 0;
            ops.renameAcrossVolumes = action == TFileAction::faCopy;
            options.action = action;
            CopyMoveRun run(ops, prompter);
            const RunResult r = runToEnd(run, options, list);
            QVERIFY(r.finished);
            QVERIFY(!r.completed);
            QCOMPARE(prompter.texts().size(), 1);
            QString expected = message;
            expected.replace(u"SRC"_s, m_src).replace(u"DST"_s, m_dst);
            QCOMPARE(prompter.texts().front(), expected);
            prompter.clear();
            // Nothing lost: the sources and whatever the target held are as they were, and no
            // temporary file is left behind.
            if (scenario != u"fifo"_s)
                QCOMPARE(readBytes(m_src + u"/a.txt"_s), contentFor(u"a"_s, 1000));
            QVERIFY(QFile::exists(m_src + u"/sub/a.txt"_s));
            if (midCopy) {
                // The failed file left no trace, and the old file under its name is whole.
                QCOMPARE(readBytes(m_dst + u"/a.txt"_s), QByteArray("old"));
                QCOMPARE(listing(m_dst), QStringList{u"a.txt"_s});
            } else if (scenario != u"folderforfile"_s) {
                QCOMPARE(listing(m_dst), dstBefore);
            }
        }
    }

    void newerTargetAsksUntilAll()
    {
        freshFolders();
        const QDateTime older(QDate(2020, 1, 1), QTime(0, 0));
        for (const QString &n : {u"a"_s, u"b"_s, u"c"_s, u"d"_s}) {
            writeBytes(m_src + u"/"_s + n, contentFor(n, 10));
            setTime(m_src + u"/"_s + n, older);
            writeBytes(m_dst + u"/"_s + n, "newer");
        }
        PosixFileOps ops;
        FakePrompter prompter;
        TStringFileList list(prompter);
        list.setStrSourceDir(m_src);
        for (const QString &n : {u"a"_s, u"b"_s, u"c"_s, u"d"_s})
            QVERIFY(list.AddFile(m_src + u"/"_s + n));
        CopyMoveRun run(ops, prompter);
        CopyMoveOptions options;
        options.targetDir = m_dst;
        prompter.answers = {MsgButton::No, MsgButton::Yes, MsgButton::All};
        const RunResult r = runToEnd(run, options, list);
        QVERIFY(r.completed);
        QCOMPARE(prompter.shown.size(), std::size_t(3));
        QVERIFY(
            prompter.shown[0].text.startsWith(u"Reescriure "_s + m_dst + u"/a\r\nMida: 5 bytes"_s));
        QCOMPARE(prompter.shown[0].specs, (QStringList{u"Yes"_s, u"No"_s, u"All"_s}));
        QCOMPARE(readBytes(m_dst + u"/a"_s), QByteArray("newer")); // No skipped it
        for (const QString &n : {u"b"_s, u"c"_s, u"d"_s})
            QCOMPARE(readBytes(m_dst + u"/"_s + n), contentFor(n, 10));
        QCOMPARE(r.notified[0][2], QStringLiteral("0"));
        QCOMPARE(r.notified[3][2], QStringLiteral("1"));

        // With both questions off an older or newer target is overwritten without a word.
        prompter.clear();
        writeBytes(m_dst + u"/a"_s, "newer again");
        options.overwriteNewerPrompt = false;
        CopyMoveRun quiet(ops, prompter);
        QVERIFY(runToEnd(quiet, options, list).completed);
        QVERIFY(prompter.shown.empty());
        QCOMPARE(readBytes(m_dst + u"/a"_s), contentFor(u"a"_s, 10));
    }

    void readOnlyTargets_data()
    {
        QTest::addColumn<bool>("setNoReadOnly");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("expected");
        QTest::newRow("asked, No skips")
            << false << QList<int>{int(MsgButton::No), int(MsgButton::No)} << 2 << u"ro"_s;
        QTest::newRow("asked, All covers the rest")
            << false << QList<int>{int(MsgButton::All)} << 1 << u"new"_s;
        QTest::newRow("made writable silently") << true << QList<int>{} << 0 << u"new"_s;
    }
    void readOnlyTargets()
    {
        QFETCH(bool, setNoReadOnly);
        QFETCH(QList<int>, answers);
        QFETCH(int, questions);
        QFETCH(QString, expected);
        freshFolders();
        for (const QString &n : {u"x"_s, u"y"_s}) {
            writeBytes(m_src + u"/"_s + n, "new");
            writeBytes(m_dst + u"/"_s + n, "ro");
            QVERIFY(QFile::setPermissions(m_dst + u"/"_s + n, QFileDevice::ReadOwner));
        }
        PosixFileOps ops;
        FakePrompter prompter;
        for (int a : answers)
            prompter.answers.push_back(MsgButton(a));
        TStringFileList list(prompter);
        list.setStrSourceDir(m_src);
        QVERIFY(list.AddFile(m_src + u"/x"_s));
        QVERIFY(list.AddFile(m_src + u"/y"_s));
        CopyMoveRun run(ops, prompter);
        CopyMoveOptions options;
        options.targetDir = m_dst;
        options.overwriteNewerPrompt = false;
        options.setFilesToNoReadOnly = setNoReadOnly;
        QVERIFY(runToEnd(run, options, list).completed);
        QCOMPARE(int(prompter.shown.size()), questions);
        if (questions > 0)
            QCOMPARE(prompter.shown[0].text,
                     u"Copiar a sobre del fitxer protegit '"_s + m_dst + u"/x'?"_s);
        QCOMPARE(readBytes(m_dst + u"/y"_s), expected.toUtf8());
        for (const QString &n : {u"x"_s, u"y"_s})
            QFile::setPermissions(m_dst + u"/"_s + n,
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void cancelling_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("stop");
        QTest::newRow("copy, stopped") << 0 << true;
        QTest::newRow("copy, went on") << 0 << false;
        QTest::newRow("move, stopped") << 1 << true;
    }
    void cancelling()
    {
        QFETCH(int, action);
        QFETCH(bool, stop);
        freshFolders();
        const QByteArray big = contentFor(u"big"_s, 4 << 20);
        writeBytes(m_src + u"/big"_s, big);
        FaultyFileOps ops;
        ops.renameAcrossVolumes = false;
        ops.blockDelayMs = 2; // about a second and a half for the file
        FakePrompter prompter;
        TStringFileList list(prompter);
        list.setStrSourceDir(m_src);
        QVERIFY(list.AddFile(m_src + u"/big"_s));
        CopyMoveRun run(ops, prompter);
        CopyMoveOptions options;
        options.action = TFileAction(action);
        options.targetDir = m_dst;
        options.blockBytes = 8192;
        QSignalSpy fileProgress(&run, &CopyMoveRun::fileProgress);
        QSignalSpy done(&run, &CopyMoveRun::finished);
        run.start(options, list);
        QTRY_VERIFY(ops.copied.load() > 0);
        QTest::qWait(300);
        prompter.answers = {stop ? MsgButton::Yes : MsgButton::No};
        QElapsedTimer answered;
        answered.start();
        run.requestCancel();
        QCOMPARE(prompter.shown.back().text,
                 QStringLiteral("Voleu interrompre de veritat el procés de còpia?"));
        QVERIFY(done.wait(stop ? 1000 : 20000));
        if (stop)
            QVERIFY2(answered.elapsed() < 200, qPrintable(QString::number(answered.elapsed())));
        QCOMPARE(done.front().front().toBool(), !stop);
        // At least four progress reports a second while it ran.
        QVERIFY(fileProgress.size() >= 2);
        if (stop) {
            QCOMPARE(listing(m_dst), QStringList{});
            QCOMPARE(readBytes(m_src + u"/big"_s), big);
        } else {
            QCOMPARE(readBytes(m_dst + u"/big"_s), big);
        }
    }

    // Cancel clicked while an overwrite question is up is asked about as soon as the question
    // is answered; Yes leaves the old target whole and no temporary file behind.
    void cancelDuringAQuestion()
    {
        freshFolders();
        writeBytes(m_src + u"/a"_s, contentFor(u"a"_s, 1 << 20));
        setTime(m_src + u"/a"_s, QDateTime(QDate(2001, 1, 1), QTime(0, 0)));
        writeBytes(m_dst + u"/a"_s, "newer");
        FaultyFileOps ops;
        ops.blockDelayMs = 5;
        struct ClickingPrompter : Prompter
        {
            CopyMoveRun *run = nullptr;
            QStringList asked;
            MsgButton messageBoxEx(const QString &text, MsgKind, const QStringList &, int,
                                   int) override
            {
                asked << text.left(10);
                if (text.startsWith(u"Reescriure"_s))
                    run->requestCancel(); // the click, delivered while the box was up
                return MsgButton::Yes;
            }
        } prompter;
        TStringFileList list(prompter);
        list.setStrSourceDir(m_src);
        QVERIFY(list.AddFile(m_src + u"/a"_s));
        CopyMoveRun run(ops, prompter);
        prompter.run = &run;
        CopyMoveOptions options;
        options.targetDir = m_dst;
        options.blockBytes = 4096;
        const RunResult r = runToEnd(run, options, list);
        QVERIFY(r.finished);
        QVERIFY(!r.completed);
        QCOMPARE(prompter.asked, (QStringList{u"Reescriure"_s, u"Voleu inte"_s}));
        QCOMPARE(listing(m_dst), QStringList{u"a"_s});
        QCOMPARE(readBytes(m_dst + u"/a"_s), QByteArray("newer"));
    }

    // Names with spaces, quotes, stars, line breaks and backslashes go through; a name whose
    // bytes are not UTF-8 cannot be named through the list and is left alone, as are links that
    // go round in a circle.
    void oddNames()
    {
        freshFolders();
        const QStringList names{u" lead space"_s, u"quote\"s' and *star*"_s,
                                u"line\nbreak"_s, u"back\\slash"_s,
                                u"tab\there"_s,   QString::fromUtf8("accént·l")};
        for (const QString &n : names)
            writeBytes(m_src + u"/"_s + n, n.toUtf8());
        const QByteArray raw = QFile::encodeName(m_src) + "/bad\xff\xfe name";
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, "raw", 3), ssize_t(3));
        ::close(fd);
        QVERIFY(QFile::link(m_src + u"/loop1"_s, m_src + u"/loop2"_s));
        QVERIFY(QFile::link(m_src + u"/loop2"_s, m_src + u"/loop1"_s));

        PosixFileOps ops;
        FakePrompter prompter;
        TStringFileList list(prompter);
        list.setStrSourceDir(m_src);
        for (const QString &n : names)
            QVERIFY2(list.AddFile(m_src + u"/"_s + n), qPrintable(n));
        QVERIFY(!list.AddFile(QFile::decodeName(raw)));
        QVERIFY(!list.AddFile(m_src + u"/loop1"_s));
        CopyMoveRun run(ops, prompter);
        CopyMoveOptions options;
        options.action = TFileAction::faMove;
        options.targetDir = m_dst;
        QVERIFY(runToEnd(run, options, list).completed);
        for (const QString &n : names)
            QCOMPARE(readBytes(m_dst + u"/"_s + n), n.toUtf8());
        QCOMPARE(::access(raw.constData(), F_OK), 0);
        struct stat st;
        QCOMPARE(::lstat(QFile::encodeName(m_src + u"/loop1"_s).constData(), &st), 0);
        QCOMPARE(::lstat(QFile::encodeName(m_src + u"/loop2"_s).constData(), &st), 0);
        // Qt's own clean-up cannot name it either.
        QCOMPARE(::unlink(raw.constData()), 0);
    }

    void copyingOntoItself()
    {
        freshFolders();
        writeBytes(m_src + u"/a"_s, "keep");
        PosixFileOps ops;
        FakePrompter prompter;
        TStringFileList list(prompter);
        QVERIFY(list.AddFile(m_src + u"/a"_s));
        CopyMoveRun run(ops, prompter);
        CopyMoveOptions options;
        options.targetDir = m_src;
        options.singleDir = true;
        options.overwriteNewerPrompt = false;
        const RunResult r = runToEnd(run, options, list);
        QVERIFY(!r.completed);
        QCOMPARE(prompter.texts(), QStringList{kCannotOverwrite});
        QCOMPARE(readBytes(m_src + u"/a"_s), QByteArray("keep"));
    }

    void folderTreeOnly()
    {
        freshFolders();
        QVERIFY(QDir().mkpath(m_src + u"/p/q"_s));
        QVERIFY(QDir().mkpath(m_src + u"/r"_s));
        writeBytes(m_dst + u"/r"_s, "a file where a folder goes");
        PosixFileOps ops;
        FakePrompter prompter;
        TStringFileList list(prompter);
        list.AddDirectory(m_src + u"/p/q"_s);
        list.AddDirectory(m_src + u"/r"_s);
        CopyMoveRun run(ops, prompter);
        CopyMoveOptions options;
        options.targetDir = m_dst;
        prompter.answers = {MsgButton::Yes, MsgButton::Yes};
        const RunResult r = runToEnd(run, options, list);
        QVERIFY(r.completed);
        QCOMPARE(
            prompter.texts(),
            (QStringList{u"No hi ha cap arxiu sel·leccionat. Copiar sols l'arbre a destí?"_s,
                         u"No s'ha pogut crear el directori '"_s + m_dst + u"/r', continuar?"_s}));
        QVERIFY(QFileInfo(m_dst + u"/p/q"_s).isDir());
        QCOMPARE(run.createdFolders(), 1);
    }

    // The copy runs in a child process killed at random moments: the target names hold whole
    // files or nothing, and a move never loses a file.
    void killedAtRandom_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("copy") << u"copy"_s;
        QTest::newRow("move") << u"move"_s;
    }
    void killedAtRandom()
    {
        QFETCH(QString, mode);
        QRandomGenerator random(mode == u"copy"_s ? 7 : 11);
        const int files = 5;
        const qint64 size = 1 << 20;
        QElapsedTimer budget;
        budget.start();
        int killedMidway = 0;
        int cutHalfway = 0;
        // The first round runs to the end and times the whole run, start-up included; the
        // others are killed somewhere inside that time, however fast the machine is.
        int fullMs = 0;
        for (int round = 0; round < 13 && budget.elapsed() < 60000; ++round) {
            freshFolders();
            for (int i = 0; i < files; ++i)
                writeBytes(m_src + QStringLiteral("/f%1").arg(i),
                           contentFor(QStringLiteral("f%1").arg(i), size));
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--copy-child"), mode, m_src, m_dst});
            QElapsedTimer started;
            started.start();
            QVERIFY(child.waitForStarted());
            int done = 0;
            if (round == 0) {
                QVERIFY(child.waitForFinished(30000));
                fullMs = int(started.elapsed());
                QCOMPARE(child.exitCode(), 0);
            } else {
                QTest::qWait(int(random.bounded(1, std::max(fullMs, 2))));
            }
            if (child.state() != QProcess::NotRunning) {
                child.kill();
                ++killedMidway;
                QVERIFY(child.waitForFinished(5000));
            } else {
                QCOMPARE(child.exitCode(), 0);
            }
            for (int i = 0; i < files; ++i) {
                const QString name = QStringLiteral("f%1").arg(i);
                const QByteArray whole = contentFor(name, size);
                const bool atTarget = QFile::exists(m_dst + u"/"_s + name);
                if (atTarget) {
                    QVERIFY2(readBytes(m_dst + u"/"_s + name) == whole, qPrintable(name));
                    ++done;
                }
                if (mode == u"move"_s) {
                    const bool atSource = QFile::exists(m_src + u"/"_s + name);
                    QVERIFY2(atSource || atTarget, qPrintable(name + u" lost"_s));
                    if (atSource)
                        QVERIFY(readBytes(m_src + u"/"_s + name) == whole);
                } else {
                    QVERIFY(readBytes(m_src + u"/"_s + name) == whole);
                }
            }
            if (round == 0)
                QCOMPARE(done, files);
            else if (done > 0 && done < files)
                ++cutHalfway;
        }
        // Some rounds were cut with part of the files through.
        QVERIFY(killedMidway > 0);
        QVERIFY(cutHalfway > 0);
    }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 1 && args.at(1) == QLatin1String("--copy-child"))
        return runChild(args.mid(2));
    CopyMoveTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CopyMoveTest.moc"
