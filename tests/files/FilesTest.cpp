#include "files/AtomicFileWriter.h"
#include "files/FileChecks.h"
#include "files/FileNames.h"
#include "files/NumberFormat.h"
#include "files/Prompter.h"
#include "files/TPosSize.h"
#include "files/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

#include <limits>

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class FilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyByteSurvivesWindows1252()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        const DecodedText d = decode8BitText(all);
        QCOMPARE(d.encoding, TextEncoding::Windows1252); // not valid UTF-8
        QCOMPARE(d.text[0x80], QChar(0x20AC));
        QCOMPARE(d.text[0xE8], QChar(0xE8));
        TextEncoding used;
        QCOMPARE(encode8BitText(d.text, d.encoding, &used), all);
        QCOMPARE(used, TextEncoding::Windows1252);
    }

    void utf8IsDetectedAndKept()
    {
        const QByteArray utf8 = "Mem\xC3\xB2ria \xE2\x82\xAC";
        const DecodedText d = decode8BitText(utf8);
        QCOMPARE(d.encoding, TextEncoding::Utf8);
        QCOMPARE(d.text, QStringLiteral("Memòria €"));
        QCOMPARE(encode8BitText(d.text, d.encoding), utf8);
        // Pure ASCII, overlong forms and surrogates are not taken for UTF-8.
        QCOMPARE(decode8BitText("plain").encoding, TextEncoding::Windows1252);
        QCOMPARE(decode8BitText("\xC0\xAF").encoding, TextEncoding::Windows1252);
        QCOMPARE(decode8BitText("\xED\xA0\x80").encoding, TextEncoding::Windows1252);
        QCOMPARE(decode8BitText("trunc\xC3").encoding, TextEncoding::Windows1252);
        // A character Windows-1252 lacks is never dropped: the text goes out as UTF-8.
        TextEncoding used;
        QCOMPARE(encode8BitText(QStringLiteral("Łódź"), TextEncoding::Windows1252, &used),
                 QStringLiteral("Łódź").toUtf8());
        QCOMPARE(used, TextEncoding::Utf8);
        QCOMPARE(encodingForNewText(QStringLiteral("àèò€")), TextEncoding::Windows1252);
    }

    void windows1252BytesThatReadAsUtf8GoOutAsUtf8()
    {
        // "Ã©" in Windows-1252 is C3 A9, the UTF-8 of "é": written so, it would come back changed.
        const QString text = QStringLiteral("Caf\u00C3\u00A9");
        TextEncoding used;
        const QByteArray bytes = encode8BitText(text, TextEncoding::Windows1252, &used);
        QCOMPARE(used, TextEncoding::Utf8);
        QCOMPARE(decode8BitText(bytes).text, text);
        // Bytes that are not UTF-8 stay in Windows-1252, and plain ASCII too.
        QCOMPARE(encode8BitText(QStringLiteral("Caf\u00E9"), TextEncoding::Windows1252, &used),
                 QByteArray("Caf\xE9"));
        QCOMPARE(used, TextEncoding::Windows1252);
        QCOMPARE(encode8BitText(QStringLiteral("Cafe"), TextEncoding::Windows1252, &used),
                 QByteArray("Cafe"));
        QCOMPARE(used, TextEncoding::Windows1252);
    }

    void aByteOrderMarkIsDroppedOnReadingButATextsOwnIsKept()
    {
        QCOMPARE(decode8BitText("\xEF\xBB\xBF\xC3\xA8").text, QStringLiteral("\u00E8"));
        // A text beginning with U+FEFF (a file that began with two marks) reads back whole.
        const QString text = QStringLiteral("\uFEFFa");
        const QByteArray bytes = encode8BitText(text, TextEncoding::Utf8);
        QCOMPARE(decode8BitText(bytes).text, text);
        QCOMPARE(encode8BitText(QStringLiteral("a\uFEFF"), TextEncoding::Utf8),
                 QByteArray("a\xEF\xBB\xBF"));
    }

    void lineSplitting()
    {
        QCOMPARE(splitTextLines(QStringLiteral("a\r\nb\nc\rd")),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                              QStringLiteral("d")}));
        QCOMPARE(splitTextLines(QStringLiteral("a\r\n")), QStringList{QStringLiteral("a")});
        QCOMPARE(splitTextLines(QStringLiteral("a\n\nb")),
                 (QStringList{QStringLiteral("a"), QStringLiteral(""), QStringLiteral("b")}));
        QCOMPARE(splitTextLines(QStringLiteral("\r\r\n")),
                 (QStringList{QStringLiteral(""), QStringLiteral("")}));
        QCOMPARE(splitTextLines(QStringLiteral("")), QStringList());
        QCOMPARE(joinTextLines({QStringLiteral("a"), QStringLiteral("b")}),
                 QStringLiteral("a\r\nb\r\n"));
    }

    void fileNames()
    {
        QCOMPARE(extractFileName(QStringLiteral("C:\\Dades\\foto.v1.jpg")),
                 QStringLiteral("foto.v1.jpg"));
        QCOMPARE(extractFileName(QStringLiteral("/home/a/b.png")), QStringLiteral("b.png"));
        QCOMPARE(extractFileName(QStringLiteral("D:/mix\\ed/c.gif")), QStringLiteral("c.gif"));
        QCOMPARE(fileNameWithoutExt(QStringLiteral("C:\\a.b\\foto.jpg")), QStringLiteral("foto"));
        QCOMPARE(fileNameWithoutExt(QStringLiteral("/x/.profile")), QStringLiteral(".profile"));
        QCOMPARE(fileNameWithoutExt(QStringLiteral("noext")), QStringLiteral("noext"));
        QCOMPARE(fileExtension(QStringLiteral("C:\\a.b\\foto.JPG")), QStringLiteral("JPG"));
        QCOMPARE(fileExtension(QStringLiteral("C:\\a.b\\foto")), QString());
        QCOMPARE(pathWithoutExt(QStringLiteral("C:\\a.b\\foto")), QStringLiteral("C:\\a.b\\foto"));
        QCOMPARE(changeFileExt(QStringLiteral("/d/llista.sal"), QStringLiteral(".ini")),
                 QStringLiteral("/d/llista.ini"));
        QCOMPARE(changeFileExt(QStringLiteral("/d.x/taula"), QStringLiteral(".sal")),
                 QStringLiteral("/d.x/taula.sal"));
        QCOMPARE(extractFileDir(QStringLiteral("C:\\a\\b.png")), QStringLiteral("C:\\a"));
        QCOMPARE(extractFileDir(QStringLiteral("b.png")), QString());
        QCOMPARE(includeTrailingSeparator(QStringLiteral("C:\\a\\")), QStringLiteral("C:\\a\\"));
        QCOMPARE(
            joinFolderNameExt(QStringLiteral("/f"), QStringLiteral("n"), QStringLiteral("png")),
            QStringLiteral("/f") + QDir::separator() + QStringLiteral("n.png"));
    }

    void moreFileNames()
    {
        QCOMPARE(backupFileName(QStringLiteral("C:\\Dades\\Users.txt")),
                 QStringLiteral("C:\\Dades\\~Users.txt"));
        QCOMPARE(backupFileName(QStringLiteral("Users.txt")), QStringLiteral("~Users.txt"));
        QCOMPARE(excludeTrailingSeparator(QStringLiteral("/a/b/")), QStringLiteral("/a/b"));
        QCOMPARE(excludeTrailingSeparator(QStringLiteral("C:\\a\\")), QStringLiteral("C:\\a"));
        QCOMPARE(excludeTrailingSeparator(QStringLiteral("/a")), QStringLiteral("/a"));
        // A root keeps its separator: without it, it would name another place.
        QCOMPARE(excludeTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
        QCOMPARE(excludeTrailingSeparator(QStringLiteral("C:\\")), QStringLiteral("C:\\"));
        QCOMPARE(parentFolder(QStringLiteral("/a/b/")), QStringLiteral("/a"));
        QCOMPARE(parentFolder(QStringLiteral("C:\\a\\b.sal")), QStringLiteral("C:\\a"));
        QCOMPARE(removeLastChar(QStringLiteral("a;b;"), QLatin1Char(';')), QStringLiteral("a;b"));
        QCOMPARE(removeLastChar(QStringLiteral("a;b"), QLatin1Char(';')), QStringLiteral("a;b"));
        QCOMPARE(driveNumber(QLatin1Char('A')), 1);
        QCOMPARE(driveNumber(QLatin1Char('c')), 3);
        QCOMPARE(driveNumber(QLatin1Char('Z')), 26);
        QCOMPARE(driveNumber(QLatin1Char('1')), 0);

        QTemporaryDir dir;
        const QString top = QDir::cleanPath(dir.path());
        QCOMPARE(nearestExistingFolder(top + QStringLiteral("/no/such/x.sal")), top);
        QCOMPARE(nearestExistingFolder(top), top);
        QCOMPARE(nearestExistingFolder(QStringLiteral("/no-such-folder/at/all")), QDir::rootPath());
    }

    void fileChecks()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("five.txt"));
        writeBytes(file, "12345");
        const QString missing = dir.filePath(QStringLiteral("absent.txt"));

        QVERIFY(checkFileExists(file).ok());
        QCOMPARE(checkFileExists(missing).error(),
                 QStringLiteral("No s'ha trobat l'arxiu '%1'").arg(missing));
        QVERIFY(!checkFileExists(dir.path()).ok()); // a folder is not a file
        QVERIFY(checkFolderExists(dir.path()).ok());
        QCOMPARE(checkFolderExists(missing).error(),
                 QStringLiteral("No s'ha trobat el directori '%1'").arg(missing));
        QVERIFY(!checkFolderExists(file).ok());
        QVERIFY(!checkFolderExists(QString()).ok());

        QCOMPARE(fileSize(file), qint64(5));
        QCOMPARE(fileSize(missing), qint64(-1));
        QCOMPARE(fileSize(dir.path()), qint64(-1));
        // Sizes past 4 GB are given whole (a sparse file takes no room).
        const QString big = dir.filePath(QStringLiteral("big.bin"));
        {
            QFile f(big);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize((qint64(1) << 32) + 7));
        }
        QCOMPARE(fileSize(big), (qint64(1) << 32) + 7);

        const QDateTime when(QDate(2024, 3, 9), QTime(17, 45, 12));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
        }
        QCOMPARE(fileTime(file), when);
        QCOMPARE(fileTime(file).timeSpec(), Qt::LocalTime);
        QVERIFY(!fileTime(missing).isValid());

        // Not on a CD here, even below folders that do not exist yet.
        QVERIFY(!IsOnCD(dir.filePath(QStringLiteral("a/b/c.sal"))));
        QVERIFY(checkNotOnCD(dir.path()).ok());
        // A path below any read-only mount is judged by that mount, even when it is not there.
        for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
            if (!volume.isValid() || !volume.isReady() || !volume.isReadOnly())
                continue;
            const QString below = volume.rootPath() + QStringLiteral("/no-such/x.sal");
            QVERIFY2(IsOnCD(below), qPrintable(below));
            QCOMPARE(checkNotOnCD(below).error(), QStringLiteral("No es pot seleccionar un CD"));
            break;
        }
    }

    void emptyFolderTreesOnly()
    {
        QTemporaryDir dir;
        QDir root(dir.path());
        for (const char *sub : {"top/a/b/c", "top/d/e", "top/g", "outside/empty", "bare/x/y"})
            QVERIFY(root.mkpath(QLatin1String(sub)));
        writeBytes(root.filePath(QStringLiteral("top/d/e/f.txt")), "x");
        writeBytes(root.filePath(QStringLiteral("top/g/.hidden")), "x");
        QVERIFY(QFile::link(root.filePath(QStringLiteral("outside/empty")),
                            root.filePath(QStringLiteral("top/link"))));

        // a/b/c go, deepest first; d/e hold a file, g a hidden one, and the link is not followed.
        QCOMPARE(deleteEmptyFolderTree(root.filePath(QStringLiteral("top"))), 3);
        QVERIFY(!root.exists(QStringLiteral("top/a")));
        QVERIFY(root.exists(QStringLiteral("top/d/e/f.txt")));
        QVERIFY(root.exists(QStringLiteral("top/g/.hidden")));
        QVERIFY(root.exists(QStringLiteral("outside/empty")));
        QVERIFY(QFileInfo(root.filePath(QStringLiteral("top/link"))).isSymLink());

        // A tree of nothing but folders goes entirely, the top folder with it.
        QCOMPARE(deleteEmptyFolderTree(root.filePath(QStringLiteral("bare"))), 3);
        QVERIFY(!root.exists(QStringLiteral("bare")));
        QCOMPARE(deleteEmptyFolderTree(root.filePath(QStringLiteral("bare"))), 0);
    }

    void numbers()
    {
        QCOMPARE(rightAligned(42, 5), QStringLiteral("   42"));
        QCOMPARE(rightAligned(7, 3, QLatin1Char('*')), QStringLiteral("**7"));
        QCOMPARE(rightAligned(-42, 5), QStringLiteral("  -42"));
        QCOMPARE(rightAligned(-42, 5, QLatin1Char('0')), QStringLiteral("-0042"));
        QCOMPARE(rightAligned(12345, 3), QStringLiteral("12345")); // never cut
        QCOMPARE(rightAligned(-5, 0, QLatin1Char('0')), QStringLiteral("-5"));
        QCOMPARE(rightAligned(std::numeric_limits<qint64>::min(), 21, QLatin1Char('0')),
                 QStringLiteral("-09223372036854775808"));

        QCOMPARE(withThousands(1234567), QStringLiteral("1.234.567"));
        QCOMPARE(withThousands(999), QStringLiteral("999"));
        QCOMPARE(withThousands(0), QStringLiteral("0"));
        QCOMPARE(withThousands(-1234), QStringLiteral("-1.234"));
        QCOMPARE(withThousands(qint64(5) << 32), QStringLiteral("21.474.836.480"));
    }

    void windowPositionAndSize()
    {
        TPosSize memory(QSize(200, 80));
        QVERIFY(!memory.Restore()); // nothing saved: the window keeps its own geometry
        memory.Save(QRect(-20, -3, 100, 50));
        QCOMPARE(memory.Restore(), std::optional<QRect>(QRect(0, 0, 200, 80)));
        memory.Save(QRect(10, 20, 300, 400));
        QCOMPARE(memory.Restore(), std::optional<QRect>(QRect(10, 20, 300, 400)));
    }

    // Names as the system gives them: Qt carries UTF-8 bytes only; anything else is shown with
    // its odd bytes escaped, never silently turned into another name.
    void namesFromTheSystemsBytes()
    {
        QCOMPARE(fileNameFromLocalBytes("/m\xc3\xbasica/can\xc3\xa7\xc3\xb3.sal"),
                 std::optional<QString>(QStringLiteral("/música/cançó.sal")));
        QCOMPARE(fileNameFromLocalBytes("/tmp/a.sal"),
                 std::optional<QString>(QStringLiteral("/tmp/a.sal")));
        QVERIFY(!fileNameFromLocalBytes("/usb/caf\xe9.sal"));
        QVERIFY(!fileNameFromLocalBytes("\xc0\xaf"));          // overlong "/"
        QVERIFY(!fileNameFromLocalBytes("x\xed\xa0\x80.sal")); // a surrogate
        QCOMPARE(showLocalBytes("/usb/caf\xe9-\xc3\xa7\xff.sal"),
                 QStringLiteral("/usb/caf\\xE9-ç\\xFF.sal"));
        QCOMPARE(showLocalBytes("\xc0\xaf\xe2\x82"), QStringLiteral("\\xC0\\xAF\\xE2\\x82"));
        QCOMPARE(showLocalBytes("\xf0\x9f\x8e\xb5"), QStringLiteral("🎵"));
        QVERIFY(unrepresentableNameMessage("/usb/caf\xe9.sal")
                    .startsWith(QStringLiteral("No es pot obrir '/usb/caf\\xE9.sal': ")));
    }

    void messageBoxButtons()
    {
        const MsgBoxLayout a = layoutMessageBox(
            {QStringLiteral("NoToAll Inv. totes"), QStringLiteral("No Invalidar")});
        QCOMPARE(a.buttons.size(), std::size_t(2));
        QCOMPARE(a.buttons[0].button, MsgButton::No);
        QCOMPARE(a.buttons[0].caption, QStringLiteral("Invalidar"));
        QCOMPARE(a.buttons[1].caption, QStringLiteral("Inv. totes"));
        QCOMPARE(a.cancelButton, MsgButton::No);
        QCOMPARE(a.defaultButton, MsgButton::None);

        const MsgBoxLayout b = layoutMessageBox(
            {QStringLiteral("Retry &Refés"), QStringLiteral("Cancel &Segueix"),
             QStringLiteral("Yes &Edita"), QStringLiteral("No &Atura"), QStringLiteral("Bogus")});
        QCOMPARE(b.buttons.size(), std::size_t(4));
        QCOMPARE(b.buttons[0].caption, QStringLiteral("&Edita"));
        QCOMPARE(b.buttons[3].caption, QStringLiteral("&Refés"));
        QCOMPARE(b.defaultButton, MsgButton::Yes);
        QCOMPARE(b.cancelButton, MsgButton::Cancel);

        const MsgBoxLayout c = layoutMessageBox({QStringLiteral("OK"), QStringLiteral("Help")});
        QCOMPARE(c.buttons[0].caption, QStringLiteral("D'acord"));
        QCOMPARE(c.defaultButton, MsgButton::OK);
        QCOMPARE(c.cancelButton, MsgButton::OK);
        QCOMPARE(layoutMessageBox({QStringLiteral("Retry")}).defaultButton, MsgButton::Retry);
    }

    void atomicWrites()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.txt"));
        QVERIFY(writeFileAtomically(path, "first").ok);
        QVERIFY(writeFileAtomically(path, "second").ok);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("second"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("f.txt")}); // no temporary left
        const WriteOutcome bad =
            writeFileAtomically(dir.filePath(QStringLiteral("no/such/dir/f.txt")), "x");
        QVERIFY(!bad.ok);
        QVERIFY(!bad.error.isEmpty());
    }

    // What the write leaves besides the content: the file's permissions, a link still a link
    // to the file written, and no temporary of a killed writer once the target is written again.
    void atomicWritesKeepTheFileAndClearLeftovers()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Curs.sal"));
        QVERIFY(writeFileAtomically(path, "a").ok);
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        QVERIFY(QFile::setPermissions(path, mode));
        QVERIFY(writeFileAtomically(path, "b").ok);
        // The owner's, group's and others' bits (the "user" ones describe the reader).
        QCOMPARE(QFile::permissions(path) & QFileDevice::Permissions(0x7077), mode);

        const QString link = dir.filePath(QStringLiteral("Enllaç.sal"));
        QVERIFY(QFile::link(path, link));
        QVERIFY(writeFileAtomically(link, "through the link").ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("through the link"));

        // Leftovers named as a killed writer leaves them: that of a process that is gone goes,
        // that of one still running (this one's parent) and any other hidden file stay.
        const QString prefix = atomicTempPrefix(path);
        QVERIFY(prefix.startsWith(dir.filePath(QStringLiteral(".Curs.sal"))));
        const QString dead = prefix + QStringLiteral("999999999-x.tmp");
        const QString live =
            prefix + QString::number(QCoreApplication::applicationPid() == 1 ? 1 : ::getppid()) +
            QStringLiteral("-y.tmp");
        const QString other = dir.filePath(QStringLiteral(".Curs.sal.notes"));
        for (const QString &p : {dead, live, other}) {
            QFile t(p);
            QVERIFY(t.open(QIODevice::WriteOnly));
        }
        QVERIFY(writeFileAtomically(path, "c").ok);
        QVERIFY(!QFile::exists(dead));
        QVERIFY(QFile::exists(live));
        QVERIFY(QFile::exists(other));
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "FilesTest.moc"
