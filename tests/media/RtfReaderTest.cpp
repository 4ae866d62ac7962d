#include "media/RtfReader.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace {

QTextDocument *read(const QByteArray &rtf, QTextDocument &doc)
{
    const Fallible<void> result = readRtf(rtf, doc);
    if (!result.ok())
        qWarning("readRtf failed: %s", qPrintable(result.error()));
    return &doc;
}

QString plain(const QByteArray &rtf)
{
    QTextDocument doc;
    return read(rtf, doc)->toPlainText();
}

// The format of the character at `pos`.
QTextCharFormat charAt(const QTextDocument &doc, int pos)
{
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(pos + 1);
    return c.charFormat();
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage testPicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(200, 30, 40));
    return image;
}

// The image formats of the document, in order.
QList<QTextImageFormat> images(const QTextDocument &doc)
{
    QList<QTextImageFormat> out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                out.append(it.fragment().charFormat().toImageFormat());
    return out;
}

const char *const kCatalan = "Per\\'f2 l'\\'e0via diu ad\\'e9u, can\\'e7\\'f3, Cel\\'b7la";
const QString catalanText()
{
    return QStringLiteral("Però l'àvia diu adéu, cançó, Cel·la");
}

} // namespace

class RtfReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void paragraphsLinesAndSymbols()
    {
        QTextDocument doc;
        read("{\\rtf1\\ansi First\\par Second\\line half\\tab x\r\n"
             "\\{\\}\\\\ a\\~b\\emdash c\\endash\\bullet\\lquote q\\rquote\\ldblquote "
             "Q\\rdblquote\\\n"
             "Third\\pard\\plain\\unknownword42 Fourth}",
             doc);
        QCOMPARE(doc.blockCount(), 3);
        QCOMPARE(doc.begin().text(), QStringLiteral("First"));
        QCOMPARE(doc.begin().next().text(),
                 QStringLiteral("Second\u2028half\tx{}\\ a\u00A0b\u2014c\u2013\u2022\u2018q\u2019"
                                "\u201CQ\u201D"));
        QCOMPARE(doc.lastBlock().text(), QStringLiteral("ThirdFourth"));
        // Text after the document's closing brace is not part of it.
        QCOMPARE(plain("{\\rtf1 a}b}c"), QStringLiteral("a"));
        QVERIFY(doc.isUndoAvailable() == false);
    }

    void characterFormatsFollowGroups()
    {
        QTextDocument doc;
        read("{\\rtf1 n{\\b B{\\i I\\b0 i}B}{\\ul U\\ulnone u}{\\strike S}{\\fs40 F{\\plain P}}"
             "{\\super 2}{\\sub 3}{\\uld d}{\\ulwave w}n}",
             doc);
        QCOMPARE(doc.toPlainText(), QStringLiteral("nBIiBUuSFP23dwn"));
        const QString text = doc.toPlainText();
        auto at = [&](int i) { return charAt(doc, i); };
        QCOMPARE(at(0).fontWeight(), int(QFont::Normal));
        QCOMPARE(at(1).fontWeight(), int(QFont::Bold));
        QVERIFY(at(2).fontItalic() && at(2).fontWeight() == QFont::Bold);
        QVERIFY(at(3).fontItalic() && at(3).fontWeight() == QFont::Normal);
        QVERIFY(!at(4).fontItalic() && at(4).fontWeight() == QFont::Bold); // group restored
        QCOMPARE(at(5).underlineStyle(), QTextCharFormat::SingleUnderline);
        QCOMPARE(at(6).underlineStyle(), QTextCharFormat::NoUnderline);
        QVERIFY(at(7).fontStrikeOut());
        QCOMPARE(at(8).fontPointSize(), 20.0);
        QVERIFY(!at(9).hasProperty(QTextFormat::FontPointSize)); // \plain: the view's size
        QCOMPARE(at(10).verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(at(11).verticalAlignment(), QTextCharFormat::AlignSubScript);
        QCOMPARE(at(12).underlineStyle(), QTextCharFormat::DotLine);
        QCOMPARE(at(13).underlineStyle(), QTextCharFormat::WaveUnderline);
        QVERIFY(!at(14).fontStrikeOut() && !at(14).fontItalic() &&
                at(14).fontWeight() == QFont::Normal);
        QCOMPARE(text.size(), 15);
    }

    void fontAndColourTables()
    {
        QTextDocument doc;
        read("{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\froman{\\*\\panose 0203}Times New Roman;}"
             "{\\f1\\fswiss\\fcharset0 Arial{\\*\\falt Helv};}\\f2\\fmodern Courier New;}"
             "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;"
             "\\red255\\green255\\blue0;}"
             "d{\\f0 t}{\\f2 c}{\\cf1 r}{\\cf2\\cb1 b}{\\cb1\\highlight3 h}{\\cf1\\cf0 a}{\\cf99 "
             "z}}",
             doc);
        QCOMPARE(doc.toPlainText(), QStringLiteral("dtcrbhaz"));
        QCOMPARE(charAt(doc, 0).fontFamilies().toStringList(),
                 QStringList{QStringLiteral("Arial")});
        QCOMPARE(charAt(doc, 1).fontFamilies().toStringList(),
                 QStringList{QStringLiteral("Times New Roman")});
        QCOMPARE(charAt(doc, 2).fontFamilies().toStringList(),
                 QStringList{QStringLiteral("Courier New")});
        QCOMPARE(charAt(doc, 3).foreground().color(), QColor(255, 0, 0));
        QCOMPARE(charAt(doc, 4).foreground().color(), QColor(0, 0, 255));
        QCOMPARE(charAt(doc, 4).background().color(), QColor(255, 0, 0));
        QCOMPARE(charAt(doc, 5).background().color(), QColor(255, 255, 0)); // highlight wins
        QVERIFY(!charAt(doc, 6).hasProperty(QTextFormat::ForegroundBrush)); // \cf0 is "auto"
        QVERIFY(!charAt(doc, 7).hasProperty(QTextFormat::ForegroundBrush)); // no such entry
    }

    void paragraphAlignmentAndIndents()
    {
        QTextDocument doc;
        read("{\\rtf1 L\\par\\qc C\\par\\qr R\\par\\pard\\qj\\li720\\ri1440\\fi-360\\sb300\\sa150 J"
             "\\par\\pard N\\par{\\qc\\li99999999 G\\par}\\qr Last}",
             doc);
        QCOMPARE(doc.blockCount(), 7);
        QList<QTextBlockFormat> f;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
            f.append(b.blockFormat());
        QCOMPARE(f[0].alignment(), Qt::AlignLeft);
        QCOMPARE(f[1].alignment(), Qt::AlignHCenter);
        QCOMPARE(f[2].alignment(), Qt::AlignRight);
        QCOMPARE(f[3].alignment(), Qt::AlignJustify);
        QCOMPARE(f[3].leftMargin(), 48.0); // 720 twips at 96 pixels per inch
        QCOMPARE(f[3].rightMargin(), 96.0);
        QCOMPARE(f[3].textIndent(), -24.0);
        QCOMPARE(f[3].topMargin(), 20.0);
        QCOMPARE(f[3].bottomMargin(), 10.0);
        QCOMPARE(f[4].alignment(), Qt::AlignLeft);
        QCOMPARE(f[4].leftMargin(), 0.0);
        QCOMPARE(f[5].alignment(), Qt::AlignHCenter);
        QCOMPARE(f[5].leftMargin(), 31680 / 15.0);  // absurd indents are bounded
        QCOMPARE(f[6].alignment(), Qt::AlignRight); // the last paragraph takes what is in force
    }

    // Paragraphs that keep the block's properties go into the document together with their
    // runs: blocks, their formats and the empty paragraph's character format come out as when
    // each paragraph is inserted on its own.
    void paragraphsSharingARun()
    {
        QTextDocument doc;
        read("{\\rtf1 {\\b A\\par B\\par\\par}C\\par\\qc D\\par E\\par\\pard F}", doc);
        QStringList texts;
        QList<QTextBlock> blocks;
        for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
            texts << b.text();
            blocks << b;
        }
        QCOMPARE(texts, QStringList({QStringLiteral("A"), QStringLiteral("B"), QString(),
                                     QStringLiteral("C"), QStringLiteral("D"), QStringLiteral("E"),
                                     QStringLiteral("F")}));
        QCOMPARE(charAt(doc, 0).fontWeight(), int(QFont::Bold));
        QCOMPARE(charAt(doc, 2).fontWeight(), int(QFont::Bold));
        QCOMPARE(blocks[2].charFormat().fontWeight(), int(QFont::Bold));
        QCOMPARE(charAt(doc, 5).fontWeight(), int(QFont::Normal));
        const Qt::Alignment expected[] = {Qt::AlignLeft, Qt::AlignLeft,    Qt::AlignLeft,
                                          Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter,
                                          Qt::AlignLeft};
        for (int i = 0; i < 7; ++i)
            QCOMPARE(blocks[i].blockFormat().alignment(), expected[i]);
    }

    void codePagesAndUnicode_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        const QByteArray catalan(kCatalan);
        QTest::newRow("hex, default Windows-1252")
            << QByteArray("{\\rtf1 " + catalan + "}") << catalanText();
        QTest::newRow("hex, ansicpg1252")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252 " + catalan + "}") << catalanText();
        QTest::newRow("unknown code page falls back to 1252")
            << QByteArray("{\\rtf1\\ansi\\ansicpg99999 " + catalan + "}") << catalanText();
        QTest::newRow("\\u with one fallback character")
            << QByteArray(
                   "{\\rtf1 Per\\u242?\\u32 ?l'\\u224?via diu ad\\u233?u, can\\u231?\\u243?, "
                   "Cel\\u183?la}")
            << QStringLiteral("Però l'àvia diu adéu, cançó, Cel·la");
        QTest::newRow("\\uc2 skips \\'hh as one each")
            << QByteArray("{\\rtf1\\uc2 can\\u231\\'87\\'63\\u243\\'a2\\'f3!}")
            << QStringLiteral("cançó!");
        QTest::newRow("\\uc0 and \\uc scoped to the group")
            << QByteArray("{\\rtf1{\\uc0 \\u231 a}\\u231 b}") << QStringLiteral("çaç");
        QTest::newRow("fallback stops at a group end")
            << QByteArray("{\\rtf1\\uc3 {x\\u233}yz}") << QStringLiteral("xéyz");
        QTest::newRow("ansicpg1250")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'9a\\'e8\\'f8}") << QStringLiteral("ščř");
        QTest::newRow("font charset 204 is Cyrillic")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}"
                          "\\'e0{\\f1 \\'e0\\'e1}\\'e0}")
            << QStringLiteral("àабà");
        QTest::newRow("Shift_JIS pair")
            << QByteArray("{\\rtf1\\ansicpg932 \\'82\\'a0}") << QStringLiteral("あ");
        QTest::newRow("negative \\u is signed 16-bit")
            << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(char16_t(0xF0B7)));
        QTest::newRow("surrogate pair")
            << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QStringLiteral("\U0001F600");
        QTest::newRow("past the plane")
            << QByteArray("{\\rtf1 a\\u70000?b\\u-70000?c}") << QStringLiteral("a\uFFFDb\uFFFDc");
        QTest::newRow("lone surrogates") << QByteArray("{\\rtf1 a\\u55357?b\\u56832?c\\u55357?}")
                                         << QStringLiteral("a\uFFFDb\uFFFDc\uFFFD");
    }

    void codePagesAndUnicode()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QCOMPARE(plain(rtf), text);
    }

    void destinationsSkipped()
    {
        QCOMPARE(plain("{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}"
                       "{\\header H}{\\footer F}{\\*\\generator G;}{\\*\\unknown{x}y}"
                       "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} ok"
                       "{\\v hidden}{\\*\\bkmkstart b}!}"),
                 QStringLiteral("link ok!"));
        // A starred destination we know is read; a plain unknown group's text is kept.
        QCOMPARE(plain("{\\rtf1{\\*\\shppict{\\strange a}}{\\nonshppict b}c}"),
                 QStringLiteral("ac"));
        // Braces inside skipped binary data do not end the group.
        QCOMPARE(plain("{\\rtf1{\\*\\objdata\\bin3 }}{}x}y"), QStringLiteral("x"));
    }

    void pictures()
    {
        const QByteArray png = encoded(testPicture(30, 20), "PNG");
        const QByteArray jpeg = encoded(testPicture(16, 8), "JPEG");
        QVERIFY(!png.isEmpty() && !jpeg.isEmpty());
        QTextDocument doc;
        read("{\\rtf1 a{\\pict\\pngblip\\picw30\\pich20{\\*\\blipuid 0011}" + png.toHex() +
                 "}b{\\*\\shppict{\\pict\\jpegblip\\picwgoal480\\pichgoal240\\picscalex50 " +
                 jpeg.toHex(' ') +
                 "}}{\\nonshppict{\\pict\\wmetafile8 0102}}c"
                 "{\\pict\\pngblip\\bin" +
                 QByteArray::number(png.size()) + " " + png +
                 "}{\\pict\\wmetafile8 0102}{\\pict\\pngblip 0badc0de}d}",
             doc);
        QCOMPARE(doc.toPlainText(), QStringLiteral("a\uFFFCb\uFFFCc\uFFFCd"));
        const QList<QTextImageFormat> formats = images(doc);
        QCOMPARE(formats.size(), 3);
        QCOMPARE(formats[0].width(), 30.0);
        QCOMPARE(formats[0].height(), 20.0);
        QCOMPARE(formats[1].width(), 16.0); // 480 twips = 32 px, at 50 %
        QCOMPARE(formats[1].height(), 16.0);
        QCOMPARE(formats[2].width(), 30.0);
        for (const QTextImageFormat &f : formats) {
            const QImage image =
                doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
            QVERIFY2(!image.isNull(), qPrintable(f.name()));
            QVERIFY(QColor(image.pixel(2, 2)).red() > 150);
        }
        QCOMPARE(doc.resource(QTextDocument::ImageResource, QUrl(formats[0].name()))
                     .value<QImage>()
                     .size(),
                 QSize(30, 20));

        // Reading into the same document again leaves nothing of the first one behind.
        QVERIFY(readRtf("{\\rtf1 x}", doc).ok());
        QCOMPARE(doc.toPlainText(), QStringLiteral("x"));
        QVERIFY(images(doc).isEmpty());
        QVERIFY(doc.resource(QTextDocument::ImageResource, QUrl(formats[1].name())).isNull());
    }

    void notRtf()
    {
        QTextDocument doc;
        doc.setPlainText(QStringLiteral("kept"));
        const Fallible<void> result = readRtf("plain text {\\rtf1 x}", doc);
        QVERIFY(!result.ok());
        QCOMPARE(result.error(), notRtfMessage());
        QCOMPARE(doc.toPlainText(), QStringLiteral("kept"));
        QVERIFY(!readRtf(QByteArray(), doc).ok());
        QVERIFY(looksLikeRtf(" \r\n{\\rtf1}"));
        QVERIFY(readRtf("{\\rtf", doc).ok());
        QCOMPARE(doc.toPlainText(), QString());
    }

    // Every prefix of a document that uses every construct reads without fault, and what was
    // read before the cut stays.
    void truncatedAnywhere()
    {
        const QByteArray png = encoded(testPicture(4, 4), "PNG");
        const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fcharset0 Arial;}"
                               "{\\f1\\fcharset204 Cyr;}}{\\colortbl;\\red1\\green2\\blue3;}"
                               "{\\*\\generator x;}\\uc1\\pard\\qc\\li100 Start " +
                               QByteArray(kCatalan) +
                               "{\\b\\cf1 \\u-10179?\\u-8704?}\\par{\\f1 \\'e0}\\line\\tab"
                               "{\\pict\\pngblip\\bin" +
                               QByteArray::number(png.size()) + " " + png + "}{\\pict\\pngblip " +
                               png.toHex() + "}\\uc2\\u233\\'e9\\'e9 End}";
        for (qsizetype n = 0; n <= rtf.size(); ++n) {
            QTextDocument doc;
            const Fallible<void> result = readRtf(rtf.left(n), doc);
            QCOMPARE(result.ok(), n >= 5);
            if (n > 200)
                QVERIFY(doc.toPlainText().startsWith(QStringLiteral("Start ")));
        }
        QTextDocument doc;
        QVERIFY(readRtf(rtf, doc).ok());
        QCOMPARE(doc.toPlainText(), QStringLiteral("Start ") + catalanText() +
                                        QStringLiteral("\U0001F600\nа\n\t\uFFFC\uFFFCé End"));
        QCOMPARE(images(doc).size(), 2);
    }

    void malformedInput_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("unclosed groups")
            << QByteArray("{\\rtf1 a{\\b b{\\i c") << QStringLiteral("abc");
        QTest::newRow("extra closing braces")
            << QByteArray("{\\rtf1 a}}}}\\par b") << QStringLiteral("a");
        QTest::newRow("bin past the end")
            << QByteArray("{\\rtf1 a{\\pict\\pngblip\\bin2147483647 xyz}") << QStringLiteral("a");
        QTest::newRow("bin with a negative count")
            << QByteArray("{\\rtf1 a\\bin-5 b}") << QStringLiteral("ab");
        QTest::newRow("huge parameters")
            << QByteArray("{\\rtf1\\fs99999999999999999999 {\\uc99999999999 a\\u1?bc}\\fs-5 d}")
            << QStringLiteral("ad");
        QTest::newRow("dangling escapes") << QByteArray("{\\rtf1 a\\'4") << QStringLiteral("a");
        QTest::newRow("lone backslash at the end")
            << QByteArray("{\\rtf1 a\\") << QStringLiteral("a");
        QTest::newRow("overlong control word")
            << QByteArray("{\\rtf1 a\\" + QByteArray(100000, 'x') + "1 b}") << QStringLiteral("ab");
        QTest::newRow("control bytes")
            << QByteArray("{\\rtf1 a\0b\x01\tc}", 14) << QStringLiteral("ab\tc");
        QByteArray deep = "{\\rtf1 a";
        deep += QByteArray(100000, '{') + "\\b b" + QByteArray(100000, '}') + "c}d";
        QTest::newRow("deep nesting, balanced") << deep << QStringLiteral("abc");
        QTest::newRow("deep nesting, never closed")
            << QByteArray("{\\rtf1 a" + QByteArray(100000, '{') + "b") << QStringLiteral("ab");
    }

    void malformedInput()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QTextDocument doc;
        QVERIFY(readRtf(rtf, doc).ok());
        QCOMPARE(doc.toPlainText(), text);
    }

    // Deep groups past the bounded stack keep their formatting to themselves up to that depth.
    void deepGroupsRestoreFormatting()
    {
        QTextDocument doc;
        read("{\\rtf1 " + QByteArray(2000, '{') + "\\b x" + QByteArray(2000, '}') + "y}", doc);
        QCOMPARE(charAt(doc, 0).fontWeight(), int(QFont::Bold));
        QCOMPARE(charAt(doc, 1).fontWeight(), int(QFont::Normal));
    }

    void binaryGarbage()
    {
        QRandomGenerator random(12);
        const QByteArray tokens[] = {"{",         "}",   "\\",        "\\b",        "\\par ",
                                     "\\u-1",     "\\'", "\\uc9",     "\\bin9 ",    "\\pict",
                                     "\\pngblip", "\\*", "\\fonttbl", "\\colortbl", ";",
                                     "\\f1",      "a",   "\\'e9",     "\\u55357 ",  "\r\n"};
        for (int round = 0; round < 300; ++round) {
            QByteArray rtf = "{\\rtf1 ";
            for (int i = 0; i < 400; ++i) {
                if (random.bounded(3) == 0)
                    rtf += char(random.bounded(256));
                else
                    rtf += tokens[random.bounded(int(std::size(tokens)))];
            }
            QTextDocument doc;
            QVERIFY(readRtf(rtf, doc).ok());
        }
    }

    void largeDocuments()
    {
        // About 10 MB of formatted paragraphs.
        QByteArray rtf =
            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}";
        const QByteArray paragraph = "\\pard\\qc Per\\'f2 {\\b negreta} {\\cf1\\i vermella} "
                                     "\\u231?an\\u231?\\'f3 text de farciment per fer gruix\\par\n";
        const int count = int(10 * 1024 * 1024 / paragraph.size());
        rtf.reserve(qsizetype(count) * paragraph.size() + 16);
        for (int i = 0; i < count; ++i)
            rtf += paragraph;
        rtf += "}";
        QTextDocument doc;
        QVERIFY(readRtf(rtf, doc).ok());
        QCOMPARE(doc.blockCount(), count + 1);
        const QTextBlock middle = doc.findBlockByNumber(count / 2);
        QCOMPARE(middle.text(), QStringLiteral("Però negreta vermella çançó text de farciment per "
                                               "fer gruix"));
        QCOMPARE(middle.blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(charAt(doc, middle.position() + 5).fontWeight(), int(QFont::Bold));
        QCOMPARE(charAt(doc, middle.position() + 13).foreground().color(), QColor(255, 0, 0));

        // A 10 MB single line: one paragraph, nothing lost.
        QByteArray line = "{\\rtf1 ";
        line += QByteArray(10 * 1024 * 1024, 'x');
        line += "\\'e9}";
        QTextDocument single;
        QVERIFY(readRtf(line, single).ok());
        QCOMPARE(single.blockCount(), 1);
        QCOMPARE(single.characterCount(), 10 * 1024 * 1024 + 2);
    }
};

QTEST_GUILESS_MAIN(RtfReaderTest)
#include "RtfReaderTest.moc"
