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
};

QTEST_GUILESS_MAIN(FilesTest)
#include "FilesTest.moc"
