#include "files/PosixFileOps.h"
#include "files/ui/TCCopyMoveBoxDlg.h"
#include "files/ui/TCopyFilesProgressBox.h"
#include "support/FakePrompter.h"

#include <QTest>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The real operations, slowed per block so that a copy lasts long enough to be watched.
class SlowFileOps : public PosixFileOps
{
public:
    int blockDelayMs = 0;
    bool readOnlyVolume = false;
    bool renames = true; // false: as if the target were on another volume
    bool moveByRename(const QString &from, const QString &to) override
    {
        return renames && PosixFileOps::moveByRename(from, to);
    }
    BlockResult copyBlock(int in, int out, qint64 maxBytes) override
    {
        if (blockDelayMs > 0)
            QThread::msleep(blockDelayMs);
        return PosixFileOps::copyBlock(in, out, maxBytes);
    }
    VolumeInfo volume(const QString &path) override
    {
        VolumeInfo v = PosixFileOps::volume(path);
        v.readOnly = v.readOnly || readOnlyVolume;
        return v;
    }
};

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class CopyMoveDialogTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp;
    int m_case = 0;

    QString folder(const QString &name)
    {
        const QString path = m_tmp.filePath(name + QString::number(m_case));
        QDir().mkpath(path);
        return path;
    }

private Q_SLOTS:
    void init() { ++m_case; }

    void propertiesHoldTogether()
    {
        PosixFileOps ops;
        FakePrompter prompter;
        TCCopyMoveBoxDlg dlg(ops, prompter);
        QVERIFY(dlg.OverwriteNewerPrompt());
        QVERIFY(!dlg.OverwritePrompt());
        dlg.setOverwriteNewerPrompt(false);
        dlg.setOverwritePrompt(true);
        QVERIFY(dlg.OverwriteNewerPrompt());
        dlg.setOverwriteNewerPrompt(false);
        QVERIFY(!dlg.OverwritePrompt());
        QVERIFY(dlg.PromptOnDelReadOnlyFiles());
        dlg.setSetFilesToNoReadOnly(true);
        QVERIFY(!dlg.PromptOnDelReadOnlyFiles());

        // A target folder that is not there is refused with the reason.
        QVERIFY(!dlg.setStrTargetDir(m_tmp.filePath(u"nowhere"_s)));
        QCOMPARE(prompter.texts(), QStringList{u"El directori '"_s + m_tmp.filePath(u"nowhere"_s) +
                                               u"' no s'ha trobat"_s});
        QVERIFY(dlg.StrTargetDir().isEmpty());
    }

    void moveFromACdIsRefused()
    {
        SlowFileOps ops;
        ops.readOnlyVolume = true;
        FakePrompter prompter;
        TCCopyMoveBoxDlg dlg(ops, prompter);
        dlg.setStrSourceDir(folder(u"cd"_s));
        prompter.clear();
        dlg.setFileAction(TFileAction::faMove);
        QCOMPARE(prompter.texts(), QStringList{u"No es pot modificar un CD-ROM"_s});
    }

    // The owner's whole sequence: clear, action, files, target, Execute; the progress window
    // shows the files and both gauges, reports reach the owner, and it closes at the end.
    void executeEndToEnd()
    {
        const QString src = folder(u"src"_s);
        const QString dst = folder(u"dst"_s);
        const QByteArray data(3 << 20, 'x');
        for (const QString &n : {u"one.jpg"_s, u"two\nlines.txt"_s, u"sub/three.wav"_s})
            writeBytes(src + u"/"_s + n, data);
        SlowFileOps ops;
        ops.blockDelayMs = 4;
        FakePrompter prompter;
        QWidget owner;
        TCCopyMoveBoxDlg dlg(ops, prompter, &owner);
        dlg.blockBytes = 64 * 1024;
        dlg.Clear();
        dlg.setFileAction(TFileAction::faCopy);
        dlg.CopyMoveToSingleDir = true;
        for (const QString &n : {u"one.jpg"_s, u"two\nlines.txt"_s, u"sub/three.wav"_s})
            QVERIFY(dlg.AddFile(src + u"/"_s + n));
        QVERIFY(dlg.setStrTargetDir(dst));
        QStringList reports;
        dlg.OnNotifyCopyMoveMade = [&](const QString &s, const QString &t, TFileAction a,
                                       bool made) {
            QCOMPARE(a, TFileAction::faCopy);
            QVERIFY(made);
            reports << QFileInfo(s).fileName() + u" -> "_s + t;
        };

        QList<int> fileValues;
        QElapsedTimer clock;
        QList<qint64> reportTimes;
        TCopyFilesProgressBox *seen = nullptr;
        connect(&dlg, &TCCopyMoveBoxDlg::progressShown, this, [&](TCopyFilesProgressBox *w) {
            seen = w;
            clock.start();
            QCOMPARE(w->windowTitle(), u"Copiant..."_s);
            QVERIFY(w->isVisible());
            connect(w->fileGauge(), &QProgressBar::valueChanged, this, [&](int v) {
                fileValues << v;
                reportTimes << clock.elapsed();
            });
            // A picture of it halfway, for a person to look at.
            QTimer::singleShot(400, w, [w, src] {
                const QString shots = qEnvironmentVariable("PELVAR_TEST_SHOTS");
                if (!shots.isEmpty())
                    w->grab().save(QDir(shots).filePath(u"Copiant.png"_s));
                QVERIFY(w->sourceText().startsWith(src));
                QVERIFY(w->totalGauge()->value() > 0 || w->fileGauge()->value() > 0);
            });
        });
        QVERIFY(dlg.Execute());
        QVERIFY(seen);
        QVERIFY(!dlg.progressWindow());
        QCOMPARE(reports.size(), 3);
        QVERIFY(reports.contains(u"two\nlines.txt -> "_s + dst + u"/two\nlines.txt"_s));
        QCOMPARE(readBytes(dst + u"/three.wav"_s), data);
        QCOMPARE(dlg.filesDone(), 3);
        // The gauge moved on its own, at least four times a second over the run.
        QVERIFY(fileValues.size() >= 6);
        const double seconds = std::max<qint64>(reportTimes.back(), 1) / 1000.0;
        QVERIFY2(fileValues.size() / seconds >= 4.0,
                 qPrintable(QString::number(fileValues.size() / seconds)));
    }

    // Cancel in the progress window asks; Yes stops at once and leaves no partial file.
    void cancelFromTheWindow()
    {
        const QString src = folder(u"src"_s);
        const QString dst = folder(u"dst"_s);
        const QByteArray data(8 << 20, 'y');
        writeBytes(src + u"/big.bin"_s, data);
        SlowFileOps ops;
        ops.blockDelayMs = 5;
        ops.renames = false;
        FakePrompter prompter;
        TCCopyMoveBoxDlg dlg(ops, prompter);
        dlg.blockBytes = 32 * 1024;
        dlg.setStrSourceDir(src);
        dlg.setFileAction(TFileAction::faMove);
        QVERIFY(dlg.AddFile(src + u"/big.bin"_s));
        QVERIFY(dlg.setStrTargetDir(dst));
        QElapsedTimer sinceClick;
        connect(&dlg, &TCCopyMoveBoxDlg::progressShown, this, [&](TCopyFilesProgressBox *w) {
            QCOMPARE(w->windowTitle(), u"Movent..."_s);
            QTimer::singleShot(300, w, [&, w] {
                prompter.answers = {MsgButton::Yes};
                sinceClick.start();
                QTest::mouseClick(w->cancelButton(), Qt::LeftButton);
            });
        });
        QVERIFY(!dlg.Execute());
        QVERIFY2(sinceClick.elapsed() < 200, qPrintable(QString::number(sinceClick.elapsed())));
        QCOMPARE(prompter.texts(),
                 QStringList{u"Voleu interrompre de veritat el procés de còpia?"_s});
        QCOMPARE(QDir(dst).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{});
        QCOMPARE(readBytes(src + u"/big.bin"_s), data);
    }

    void namesShownOnOneLine_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << u"/a/b.txt"_s << u"/a/b.txt"_s;
        QTest::newRow("line break") << u"/a/x\ny"_s << u"/a/x\u21B5y"_s;
        QTest::newRow("other control") << u"/a/x\ty"_s << u"/a/x\uFFFDy"_s;
    }
    void namesShownOnOneLine()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QCOMPARE(TCopyFilesProgressBox::displayName(name), shown);
    }
};

QTEST_MAIN(CopyMoveDialogTest)
#include "CopyMoveDialogTest.moc"
