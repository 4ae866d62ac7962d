#include "slides/TextSlideDocument.h"

#include "config/PresentationSettings.h"
#include "support/SlideListFixture.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QString loaded(const QByteArray &bytes, TextKind kind)
{
    QTextDocument doc;
    loadTextDocument(bytes, kind, doc, QFont());
    return doc.toPlainText();
}

// How many pixels of `image` inside `rect` are close to `color`.
int countNear(const QImage &image, const QRect &rect, const QColor &color)
{
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - color.red()) < 40 && qAbs(c.green() - color.green()) < 40 &&
                qAbs(c.blue() - color.blue()) < 40)
                ++n;
        }
    return n;
}

} // namespace

class TextSlideDocumentTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodesTheBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("expected");
        const int plain = int(TextKind::Plain), rich = int(TextKind::Rich);
        QTest::newRow("plain text keeps RTF markup")
            << QByteArray("{\\rtf1\\ansi {\\b Hola}}") << plain
            << QStringLiteral("{\\rtf1\\ansi {\\b Hola}}");
        QTest::newRow("Windows-1252")
            << QByteArray("Caf\xe9 \x80 \xb7") << plain << QStringLiteral("Café € ·");
        QTest::newRow("UTF-8") << QByteArray("Caf\xc3\xa9 \xe2\x82\xac") << plain
                               << QStringLiteral("Café €");
        QTest::newRow("every line break") << QByteArray("u\r\ndos\rtres\nquatre") << plain
                                          << QStringLiteral("u\ndos\ntres\nquatre");
        QTest::newRow("rich text is read as RTF")
            << QByteArray("{\\rtf1\\ansi Hola {\\b m\\'f3n}\\par adeu}") << rich
            << QStringLiteral("Hola món\nadeu");
        QTest::newRow("an .rtf that is not RTF shows as text")
            << QByteArray("Nom\xe9s text") << rich << QStringLiteral("Només text");
        QTest::newRow("empty plain") << QByteArray() << plain << QString();
        QTest::newRow("empty rich") << QByteArray() << rich << QString();
    }
    void decodesTheBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QFETCH(QString, expected);
        QCOMPARE(loaded(bytes, TextKind(kind)), expected);
    }

    void richTextKeepsItsFormatsAndPlainTextHasNone()
    {
        const QByteArray rtf = "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}A {\\b B} "
                               "{\\cf1 C}}";
        QTextDocument doc;
        QFont font(QStringLiteral("DejaVu Serif"), 17);
        loadTextDocument(rtf, TextKind::Rich, doc, font);
        QCOMPARE(doc.defaultFont().pointSize(), 17);
        QVERIFY(!doc.isUndoRedoEnabled() && !doc.isUndoAvailable());
        const QString text = doc.toPlainText();
        QTextCursor c(&doc);
        c.setPosition(int(text.indexOf(QLatin1Char('B'))) + 1);
        QCOMPARE(c.charFormat().fontWeight(), int(QFont::Bold));
        c.setPosition(int(text.indexOf(QLatin1Char('C'))) + 1);
        QCOMPARE(c.charFormat().foreground().color(), QColor(255, 0, 0));

        // Loading again replaces everything, formats included.
        loadTextDocument("{\\b no}", TextKind::Plain, doc, font);
        QCOMPARE(doc.toPlainText(), QStringLiteral("{\\b no}"));
        QTextCursor p(&doc);
        p.setPosition(3);
        QVERIFY(p.charFormat().fontWeight() != int(QFont::Bold));
        QCOMPARE(doc.blockCount(), 1);
    }

    void binaryBytesShowWithoutLosingAnything()
    {
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes.append(char(i));
        bytes.append(bytes);
        QTextDocument doc;
        loadTextDocument(bytes, TextKind::Plain, doc, QFont());
        // Only the three line-break bytes of each copy turn into paragraph ends.
        QCOMPARE(doc.blockCount(), 1 + 2 * 2);
        QVERIFY(doc.toPlainText().contains(QStringLiteral("€")));
        loadTextDocument(QByteArray(1000, '\0'), TextKind::Rich, doc, QFont());
        QCOMPARE(doc.blockCount(), 1);
    }

    void filesThatCannotBeReadAreReported()
    {
        SlideListFixture fx;
        QTextDocument doc;
        const QString missing = fx.path(QStringLiteral("cap.txt"));
        for (const QString &path : {missing, fx.dir()}) {
            const Fallible<void> r = loadTextFile(path, TextKind::Plain, doc, QFont());
            QVERIFY(!r.ok());
            QCOMPARE(r.error(), QStringLiteral("No es pot obrir el fitxer %1").arg(path));
        }
        const QString file = fx.file(QStringLiteral("a.rtf"), "{\\rtf1 Bon dia}");
        QVERIFY(loadTextFile(file, TextKind::Rich, doc, QFont()).ok());
        QCOMPARE(doc.toPlainText(), QStringLiteral("Bon dia"));
    }

    void kindsBySlideAndByName()
    {
        QCOMPARE(textKindForSlide(skText), TextKind::Plain);
        QCOMPARE(textKindForSlide(skRichText), TextKind::Rich);
        QVERIFY(!textKindForSlide(skImage));
        QVERIFY(!textKindForSlide(skWeb));
        QCOMPARE(textKindForFile(QStringLiteral("/a/b/LLETRA.RTF")), TextKind::Rich);
        QCOMPARE(textKindForFile(QStringLiteral("nota.txt")), TextKind::Plain);
        QCOMPARE(textKindForFile(QStringLiteral("rtf")), TextKind::Plain);
        QCOMPARE(textKindForFile(QStringLiteral("c:\\dir.rtf\\llegeix")), TextKind::Plain);
    }

    void exportDrawsTheTextOnItsBackground()
    {
        SlideListFixture fx;
        PresentationSettings s;
        s.ColorRichEdit = TColor(0x0000FF00);  // green, 0x00BBGGRR
        s.FontText.Color = TColor(0x00FF0000); // blue
        s.FontText.FontName = QStringLiteral("DejaVu Sans");
        s.FontText.FontSize = 28;
        SlideRecord rich;
        rich.Kind = skRichText;
        rich.FileName =
            fx.file(QStringLiteral("r.rtf"), "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}"
                                             "{\\cf1\\b\\fs72 MMMM}\\par WWWW}");
        Fallible<SlideScene::OtherContent> c = textSlideContent(rich, s, QPalette());
        QVERIFY(c.ok());
        QVERIFY(c.value().paint);
        QVERIFY(!c.value().onImagePanel);
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::black);
        const QRect place(20, 10, 360, 280);
        {
            QPainter p(&image);
            c.value().paint(p, place);
        }
        // The panel is filled, nothing is drawn outside it, the red run shows at the top and the
        // text without a colour of its own takes the font's.
        QCOMPARE(image.pixelColor(place.bottomRight() - QPoint(2, 2)), QColor(0, 255, 0));
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::black));
        QVERIFY(countNear(image, QRect(place.left(), place.top(), place.width(), 60), Qt::red) >
                50);
        QVERIFY(countNear(image, place, Qt::blue) > 20);
        QCOMPARE(
            countNear(image, QRect(place.left(), place.top() + 150, place.width(), 100), Qt::red),
            0);

        // Plain text shows its markup in the font's colour.
        SlideRecord plain = rich;
        plain.Kind = skText;
        c = textSlideContent(plain, s, QPalette());
        QVERIFY(c.ok());
        image.fill(Qt::black);
        {
            QPainter p(&image);
            c.value().paint(p, place);
        }
        QCOMPARE(countNear(image, place, Qt::red), 0);
        QVERIFY(countNear(image, place, Qt::blue) > 20);

        plain.FileName = fx.path(QStringLiteral("cap.txt"));
        c = textSlideContent(plain, s, QPalette());
        QVERIFY(!c.ok());
        QCOMPARE(c.error(), QStringLiteral("No es pot obrir el fitxer %1").arg(plain.FileName));
        SlideRecord web;
        web.Kind = skWeb;
        web.FileName = rich.FileName;
        c = textSlideContent(web, s, QPalette());
        QVERIFY(c.ok() && !c.value().paint);
    }
};

QTEST_MAIN(TextSlideDocumentTest)
#include "TextSlideDocumentTest.moc"
