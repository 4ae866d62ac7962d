#include "files/AtomicFileWriter.h"
#include "files/FileNames.h"
#include "files/Prompter.h"
#include "files/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

    void lineSplitting()
    {
        QCOMPARE(splitTextLines("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
        QCOMPARE(splitTextLines("a\r\n"), QStringList{"a"});
        QCOMPARE(splitTextLines("a\n\nb"), (QStringList{"a", "", "b"}));
        QCOMPARE(splitTextLines("\r\r\n"), (QStringList{"", ""}));
        QCOMPARE(splitTextLines(""), QStringList());
        QCOMPARE(joinTextLines({"a", "b"}), QStringLiteral("a\r\nb\r\n"));
    }

    void fileNames()
    {
        QCOMPARE(extractFileName("C:\\Dades\\foto.v1.jpg"), QStringLiteral("foto.v1.jpg"));
        QCOMPARE(extractFileName("/home/a/b.png"), QStringLiteral("b.png"));
        QCOMPARE(extractFileName("D:/mix\\ed/c.gif"), QStringLiteral("c.gif"));
        QCOMPARE(fileNameWithoutExt("C:\\a.b\\foto.jpg"), QStringLiteral("foto"));
        QCOMPARE(fileNameWithoutExt("/x/.profile"), QStringLiteral(".profile"));
        QCOMPARE(fileNameWithoutExt("noext"), QStringLiteral("noext"));
        QCOMPARE(fileExtension("C:\\a.b\\foto.JPG"), QStringLiteral("JPG"));
        QCOMPARE(fileExtension("C:\\a.b\\foto"), QString());
        QCOMPARE(pathWithoutExt("C:\\a.b\\foto"), QStringLiteral("C:\\a.b\\foto"));
        QCOMPARE(changeFileExt("/d/llista.sal", ".ini"), QStringLiteral("/d/llista.ini"));
        QCOMPARE(changeFileExt("/d.x/taula", ".sal"), QStringLiteral("/d.x/taula.sal"));
        QCOMPARE(extractFileDir("C:\\a\\b.png"), QStringLiteral("C:\\a"));
        QCOMPARE(extractFileDir("b.png"), QString());
        QCOMPARE(includeTrailingSeparator("C:\\a\\"), QStringLiteral("C:\\a\\"));
        QCOMPARE(joinFolderNameExt("/f", "n", "png"), QStringLiteral("/f") + QDir::separator() + "n.png");
    }

    void messageBoxButtons()
    {
        const MsgBoxLayout a = layoutMessageBox({"NoToAll Inv. totes", "No Invalidar"});
        QCOMPARE(a.buttons.size(), std::size_t(2));
        QCOMPARE(a.buttons[0].button, MsgButton::No);
        QCOMPARE(a.buttons[0].caption, QStringLiteral("Invalidar"));
        QCOMPARE(a.buttons[1].caption, QStringLiteral("Inv. totes"));
        QCOMPARE(a.cancelButton, MsgButton::No);
        QCOMPARE(a.defaultButton, MsgButton::None);

        const MsgBoxLayout b = layoutMessageBox({"Retry &Refés", "Cancel &Segueix", "Yes &Edita", "No &Atura", "Bogus"});
        QCOMPARE(b.buttons.size(), std::size_t(4));
        QCOMPARE(b.buttons[0].caption, QStringLiteral("&Edita"));
        QCOMPARE(b.buttons[3].caption, QStringLiteral("&Refés"));
        QCOMPARE(b.defaultButton, MsgButton::Yes);
        QCOMPARE(b.cancelButton, MsgButton::Cancel);

        const MsgBoxLayout c = layoutMessageBox({"OK", "Help"});
        QCOMPARE(c.buttons[0].caption, QStringLiteral("D'acord"));
        QCOMPARE(c.defaultButton, MsgButton::OK);
        QCOMPARE(c.cancelButton, MsgButton::OK);
        QCOMPARE(layoutMessageBox({"Retry"}).defaultButton, MsgButton::Retry);
    }

    void atomicWrites()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("f.txt");
        QVERIFY(writeFileAtomically(path, "first").ok);
        QVERIFY(writeFileAtomically(path, "second").ok);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("second"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"f.txt"}); // no temporary left
        const WriteOutcome bad = writeFileAtomically(dir.filePath("no/such/dir/f.txt"), "x");
        QVERIFY(!bad.ok);
        QVERIFY(!bad.error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "FilesTest.moc"
