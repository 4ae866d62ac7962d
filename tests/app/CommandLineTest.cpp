// The headless modes from outside, as a script runs them: exit codes, messages, files written.

#include "presentation/SlideList.h"
#include "support/SlideListFixture.h"
#include "support/VideoFixtures.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>

#include <unistd.h>

#include <cstdio>

namespace {

struct Run
{
    int code = -1;
    QString out, err;
};

Run finish(QProcess &p)
{
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Run pelvar(const QStringList &args, const QProcessEnvironment &env = {})
{
    QProcess p;
    if (!env.isEmpty())
        p.setProcessEnvironment(env);
    p.start(QStringLiteral(PELVAR_PATH), args);
    return finish(p);
}

// Runs pelvar through the shell, so that `byteArgs` (printf escapes, e.g. "caf\351.sal") reach
// it as the bytes a file system gives, which QProcess's text arguments cannot carry.
Run pelvarWithBytes(const QString &mode, const QString &folder, const QString &byteArgs,
                    const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QStringLiteral("exec \"$0\" \"$1\" \"$2/$(printf \"$3\")\""),
             QStringLiteral(PELVAR_PATH), mode, folder, byteArgs});
    return finish(p);
}

// The environment of a run that plays media or renders web pages. Under AddressSanitizer the
// desktop's media and web libraries (sound server, GLib, GStreamer, the web engine, fontconfig)
// keep blocks until exit; they are named in a suppressions file so a leak of ours still fails,
// with full stacks so each block is traced to its library. The web engine also frees with a
// size of its own making, which the sanitizer's mismatch check takes for a fault: that check is
// left out for runs that render web pages only.
enum class Engines { Media, MediaAndWeb };
QProcessEnvironment systemLibrariesEnv(Engines engines)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("ASAN_OPTIONS")))
        return env;
    QString asan =
        env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":fast_unwind_on_malloc=0");
    if (engines == Engines::MediaAndWeb)
        asan += QStringLiteral(":new_delete_type_mismatch=0");
    env.insert(QStringLiteral("ASAN_OPTIONS"), asan);
    env.insert(QStringLiteral("LSAN_OPTIONS"),
               QStringLiteral("suppressions=%1/tests/app/system-libraries.lsan.supp")
                   .arg(QStringLiteral(PELVAR_SOURCE_DIR)));
    return env;
}

QProcessEnvironment localeEnv(const char *lang)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LANG"), QLatin1String(lang));
    env.insert(QStringLiteral("LC_ALL"), QLatin1String(lang));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Title slides: nothing outside the list is needed to show them.
QStringList titleLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << SlideListFixture::line(QString(), QString(), QStringLiteral("Títol %1").arg(i));
    return lines;
}

} // namespace

class CommandLineTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void malformedListsAreBadInput_data()
    {
        QTest::addColumn<int>("badLine");
        // After a visible slide (found only by reading the whole list) and before any.
        QTest::newRow("after a slide") << 3;
        QTest::newRow("first line") << 1;
    }

    void malformedListsAreBadInput()
    {
        QFETCH(int, badLine);
        SlideListFixture fx;
        QStringList lines = titleLines(4);
        lines[badLine - 1] = QStringLiteral("foto.jpg\tB\tsense prou camps");
        const QString list = fx.list(QStringLiteral("llista.sal"), lines);
        const QString message = QStringLiteral("Línia %1 incorrecta").arg(badLine);

        const Run order = pelvar({QStringLiteral("--order"), list});
        QCOMPARE(order.code, 2);
        QCOMPARE(order.out, QString());
        QCOMPARE(order.err.count(message), 1);

        const QString folder = fx.path(QStringLiteral("png"));
        const Run exported = pelvar({QStringLiteral("--export"), folder, list});
        QCOMPARE(exported.code, 2);
        QCOMPARE(exported.err.count(message), 1);
        QVERIFY(QDir(folder).entryList(QDir::Files).isEmpty());

        // The same list mended is fine.
        lines[badLine - 1] = SlideListFixture::line(QString(), QString(), QStringLiteral("T"));
        fx.list(QStringLiteral("llista.sal"), lines);
        const Run good = pelvar({QStringLiteral("--order"), list});
        QCOMPARE(good.code, 0);
        QCOMPARE(good.out, QStringLiteral("1\n2\n3\n4\n"));
    }

    // Each picture is replaced whole: an export stopped half-way leaves the earlier pictures,
    // never an empty or cut one. A second name for the old file shows it was not written over.
    void exportReplacesEachPictureWhole()
    {
        SlideListFixture fx;
        const QString list = fx.list(QStringLiteral("llista.sal"), titleLines(2));
        const QString folder = fx.path(QStringLiteral("png"));
        QCOMPARE(pelvar({QStringLiteral("--export"), folder, list, QStringLiteral("--size"),
                         QStringLiteral("320x240")})
                     .code,
                 0);
        const QString first = QDir(folder).filePath(QStringLiteral("001.png"));
        const QString earlier = QDir(folder).filePath(QStringLiteral("earlier.png"));
        const QByteArray before = readAll(first);
        QVERIFY(!before.isEmpty());
        QCOMPARE(
            ::link(QFile::encodeName(first).constData(), QFile::encodeName(earlier).constData()),
            0);
        QCOMPARE(pelvar({QStringLiteral("--export"), folder, list, QStringLiteral("--size"),
                         QStringLiteral("400x300")})
                     .code,
                 0);
        QCOMPARE(QImage(first).size(), QSize(400, 300));
        QCOMPARE(readAll(earlier), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files),
                 QStringList({QStringLiteral("001.png"), QStringLiteral("002.png"),
                              QStringLiteral("earlier.png")}));
    }

    // Text and rich-text slides are drawn as the window shows them: the file's text on the text
    // slides' background across the panel, with the RTF's own colours.
    void exportDrawsTextSlides()
    {
        SlideListFixture fx;
        const QString txt =
            fx.file(QStringLiteral("nota.txt"), "{\\rtf1 Text pla}\r\nAmb l\xednies");
        const QString rtf = fx.file(QStringLiteral("lletra.rtf"),
                                    "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}"
                                    "{\\cf1\\b\\fs96 MMMM MMMM}\\par Fi}");
        const QString list = fx.list(QStringLiteral("text.sal"),
                                     {SlideListFixture::line(txt), SlideListFixture::line(rtf)});
        const QString folder = fx.path(QStringLiteral("png"));
        // 0x00BBGGRR: a light blue background, dark text.
        const Run run = pelvar({QStringLiteral("--export"), folder, list, QStringLiteral("--size"),
                                QStringLiteral("400x300"), QStringLiteral("--set"),
                                QStringLiteral("Image.ColorRichEdit=%1").arg(0x00FFC080)});
        QVERIFY2(!run.err.contains(QStringLiteral("Diapositiva")), qPrintable(run.err));
        QCOMPARE(run.code, 0);
        const QColor background(0x80, 0xC0, 0xFF);
        for (const QString &name : {QStringLiteral("001.png"), QStringLiteral("002.png")}) {
            const QImage image(QDir(folder).filePath(name));
            QCOMPARE(image.size(), QSize(400, 300));
            // The panel is the background colour, not the file-name placeholder.
            QCOMPARE(image.pixelColor(200, 290), background);
            QCOMPARE(image.pixelColor(5, 150), background);
            int red = 0, dark = 0;
            for (int y = 0; y < 100; ++y)
                for (int x = 0; x < 400; ++x) {
                    const QColor c = image.pixelColor(x, y);
                    red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
                    dark += c.red() < 80 && c.green() < 80 && c.blue() < 80;
                }
            if (name == QStringLiteral("002.png"))
                QVERIFY2(red > 200, qPrintable(QString::number(red)));
            else
                QVERIFY2(red == 0 && dark > 50, qPrintable(QString::number(dark)));
        }
    }

    // A web slide is drawn as its page shows: the page's background fills the image panel, and
    // the picture slide beside it is drawn as before.
    void exportDrawsWebPages()
    {
        SlideListFixture fx;
        const QString page = fx.file(
            QStringLiteral("pàgina.htm"),
            QByteArrayLiteral("<html><body style='background:#d08020'><p>Hola</p></body></html>"));
        const QString picture = fx.picture(QStringLiteral("p.png"), 40, 30);
        // Named as it stands beside the list.
        const QString list = fx.list(QStringLiteral("web.sal"),
                                     {SlideListFixture::line(QStringLiteral("pàgina.htm")),
                                      SlideListFixture::line(picture)});
        const QString folder = fx.path(QStringLiteral("png"));
        const Run run = pelvar({QStringLiteral("--export"), folder, list, QStringLiteral("--size"),
                                QStringLiteral("400x300")},
                               systemLibrariesEnv(Engines::MediaAndWeb));
        QCOMPARE(run.code, 0);
        QVERIFY2(!run.err.contains(QStringLiteral("Diapositiva")), qPrintable(run.err));
        const QImage web(QDir(folder).filePath(QStringLiteral("001.png")));
        QCOMPARE(web.size(), QSize(400, 300));
        QCOMPARE(QColor(web.pixel(200, 200)), QColor(0xd0, 0x80, 0x20));
        QVERIFY(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("002.png"))));
    }

    // Names are taken as the bytes the system gave. Qt reads them as UTF-8 whatever the locale
    // (a "C" locale too), so a UTF-8 name opens; one that is not UTF-8 cannot be carried and is
    // told as such, not as a file that is not there.
    void namesAsTheSystemGivesThem_data()
    {
        QTest::addColumn<QByteArray>("lang");
        QTest::newRow("UTF-8 locale") << QByteArray("C.UTF-8");
        QTest::newRow("C locale") << QByteArray("C");
    }

    void namesAsTheSystemGivesThem()
    {
        QFETCH(QByteArray, lang);
        SlideListFixture fx;
        const QString utf8 = fx.list(QStringLiteral("cançó.sal"), titleLines(2));
        const QByteArray listBytes = readAll(utf8);
        const QByteArray latin1Name = QFile::encodeName(fx.dir()) + "/caf\xe9.sal";
        // QTemporaryDir cannot see this name to remove it.
        const auto cleanup = qScopeGuard([&latin1Name] { std::remove(latin1Name.constData()); });
        {
            // Written through the C library: Qt has no name for this file.
            FILE *f = std::fopen(latin1Name.constData(), "wb");
            QVERIFY(f);
            std::fwrite(listBytes.constData(), 1, std::size_t(listBytes.size()), f);
            std::fclose(f);
        }
        const QProcessEnvironment env = localeEnv(lang.constData());

        const Run good = pelvarWithBytes(QStringLiteral("--order"), fx.dir(),
                                         QStringLiteral("can\\303\\247\\303\\263.sal"), env);
        QCOMPARE(good.code, 0);
        QCOMPARE(good.out, QStringLiteral("1\n2\n"));

        for (const QString &mode : {QStringLiteral("--order"), QStringLiteral("--settings")}) {
            const Run bad = pelvarWithBytes(mode, fx.dir(), QStringLiteral("caf\\351.sal"), env);
            QCOMPARE(bad.code, 2);
            QVERIFY2(!bad.err.contains(QStringLiteral("No s'ha trobat")), qPrintable(bad.err));
            QVERIFY2(bad.err.contains(QStringLiteral("caf\\xE9.sal': el nom no està escrit en "
                                                     "UTF-8")),
                     qPrintable(bad.err));
        }
        // The export folder is a name too.
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"),
                 QStringLiteral("exec \"$0\" --export \"$1/$(printf 'd\\377')\" \"$2\""),
                 QStringLiteral(PELVAR_PATH), fx.dir(), utf8});
        const Run folder = finish(p);
        QCOMPARE(folder.code, 2);
        QVERIFY(folder.err.contains(QStringLiteral("d\\xFF")));
        QCOMPARE(QDir(fx.dir()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
    }

    // An AVI slide shows its first frame fitted in the image panel's client area, a movie its
    // frame letterboxed over the image panel; a video that cannot be played is a problem line and
    // shows its file's name.
    void exportDrawsTheFirstFrameOfVideos()
    {
        QVERIFY(VideoFixtures::available());
        SlideListFixture fx;
        const QString avi = fx.path(QStringLiteral("clip.avi"));
        const QString mov = fx.path(QStringLiteral("pel·lícula.mov"));
        QVERIFY(VideoFixtures::testPattern(avi));
        QVERIFY(VideoFixtures::testPattern(mov));
        const QString bad = fx.file(QStringLiteral("text.avi"), "No sóc cap vídeo.\r\n");
        const QImage reference = VideoFixtures::referenceFrame(avi);
        QVERIFY(!reference.isNull());
        const QString list = fx.list(QStringLiteral("videos.sal"),
                                     {SlideListFixture::line(QStringLiteral("clip.avi")),
                                      SlideListFixture::line(mov), SlideListFixture::line(bad)});
        const QString folder = fx.path(QStringLiteral("png"));
        const Run r = pelvar({QStringLiteral("--export"), folder, list, QStringLiteral("--size"),
                              QStringLiteral("800x400")},
                             systemLibrariesEnv(Engines::Media));
        QCOMPARE(r.code, 1);
        // (The media backend may write lines of its own.)
        const QStringList problems =
            r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                .filter(QRegularExpression(QStringLiteral("^Diapositiva")));
        QCOMPARE(problems.size(), 1);
        QVERIFY2(problems.front().startsWith(
                     QStringLiteral("Diapositiva 3: no es pot reproduir el vídeo 'text.avi' (")),
                 qPrintable(r.err));

        // Not enlarged (ampliation is off by default) and centred: the panel's bevels take the
        // same from each side.
        const QImage first = QImage(QDir(folder).filePath(QStringLiteral("001.png")))
                                 .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(first.size(), QSize(800, 400));
        QCOMPARE(VideoFixtures::matchingBars(first, QRect(240, 80, 320, 240), reference), 8);
        const QColor face = first.pixelColor(120, 200);
        QVERIFY(VideoFixtures::near(first.pixelColor(680, 200), face));

        // The movie's box: the full height, centred across, bands in the panel's colour.
        const QImage second = QImage(QDir(folder).filePath(QStringLiteral("002.png")))
                                  .convertToFormat(QImage::Format_RGB32);
        QCOMPARE(VideoFixtures::matchingBars(second, QRect(134, 0, 533, 400), reference), 8);
        QVERIFY(VideoFixtures::near(second.pixelColor(60, 200), second.pixelColor(740, 200)));
        QVERIFY(!VideoFixtures::near(second.pixelColor(60, 200), second.pixelColor(150, 10), 30) ||
                !VideoFixtures::near(second.pixelColor(60, 200), second.pixelColor(650, 10), 30));

        // The undecodable video is drawn all the same, with its name.
        QVERIFY(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("003.png"))));
    }

    // The check's report on standard output: every line format, a CR LF inside a line written as
    // a line break, exit 1 when the error list has lines.
    void checkWritesTheErrorList()
    {
        SlideListFixture fx;
        const QString pic = fx.picture(QStringLiteral("p.png"));
        const QString d = fx.dir();
        using L = SlideListFixture;
        const QString list = fx.list(
            QStringLiteral("llista.sal"),
            {L::line(pic), L::line(d + QStringLiteral("/falta.jpg")),
             L::line(d + QStringLiteral("/p.xyz")),
             L::line(pic, QStringLiteral("*9"), {}, {}, {}, d + QStringLiteral("/so.ogg")),
             L::line(pic, QStringLiteral("*0")), L::line(pic, QStringLiteral("*6")),
             L::line(pic, QStringLiteral("X*1"), QStringLiteral("P"), QStringLiteral("*a|b")),
             L::line(pic, QStringLiteral("XP"), QString(), QString()),
             L::line(pic, QStringLiteral("X"), QStringLiteral("P"),
                     QStringLiteral("a//|b//*x|c//*20|d//<y")),
             L::line(QString(), QStringLiteral("O"), d + QStringLiteral("/doc.pdf")),
             L::line(pic, QStringLiteral("H"))});
        const Run r = pelvar({QStringLiteral("--check"), list});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QString());
        const QString expected =
            QStringLiteral(
                "2: no s'ha trobat\n(%1/falta.jpg)\n"
                "3: no es pot visualitzar/escoltar\n(%1/p.xyz)\n"
                "4: no s'ha trobat\n(%1/so.ogg)\n"
                "5: Assignació d'un número de diapositiva invàlid (0)\n"
                "6: El número de diapositiva on anar és el mateix que el de la diapositiva actual\n"
                "7: No s'admet assignació d'un número de diapositiva on anar en diapositives amb "
                "pregunta\n"
                "8: No hi ha assignada la pregunta\n"
                "8: No hi ha assignada cap resposta\n"
                "9: Resposta 1: Sense reacció a la resposta\n"
                "9: Resposta 2: Assignació de número de diapositiva que no és un número (*x)\n"
                "9: Resposta 3: Assignació d'un número de diapositiva (20) més enllà del final de "
                "la llista (11)\n"
                "9: Resposta 4: Assignació de número de puntuació que no és un número (<y)\n"
                "10: no s'ha trobat\n(%1/doc.pdf)\n")
                .arg(d);
        QCOMPARE(r.out, expected);
    }

    // A clean list says so, or counts its hidden slides; both exit 0.
    void checkSummaries_data()
    {
        QTest::addColumn<int>("hidden");
        QTest::addColumn<QString>("summary");
        QTest::newRow("clean") << 0 << QStringLiteral("La presentació és correcte\n");
        QTest::newRow("one hidden") << 1 << QStringLiteral("Hi ha una diapositiva amagada\n");
        QTest::newRow("three hidden") << 3 << QStringLiteral("Hi ha 3 diapositives amagades\n");
    }

    void checkSummaries()
    {
        QFETCH(int, hidden);
        QFETCH(QString, summary);
        SlideListFixture fx;
        QStringList lines = titleLines(4);
        for (int i = 0; i < hidden; ++i)
            lines[i] = SlideListFixture::line(QString(), QStringLiteral("H"), QStringLiteral("T"));
        const Run r = pelvar({QStringLiteral("--check"), fx.list(QStringLiteral("a.sal"), lines)});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, summary);
    }

    // The image-sound table beside the list is checked first; with a problem there the list is
    // not examined and the lines carry no number.
    void checkTheSoundTableFirst()
    {
        SlideListFixture fx;
        const QString pic = fx.picture(QStringLiteral("gat.png"));
        const QString missing = fx.path(QStringLiteral("gos.png"));
        const QString list = fx.list(QStringLiteral("animals.sal"),
                                     {SlideListFixture::line(fx.path(QStringLiteral("cap.jpg")))});
        fx.file(QStringLiteral("animals.sml"),
                (pic + QStringLiteral("\t-1\t-1\t\tgat\r\n") + missing +
                 QStringLiteral("\t-1\t-1\t%1\tgos\r\n").arg(fx.path(QStringLiteral("b.aiff"))))
                    .toUtf8());
        Run r = pelvar({QStringLiteral("--check"), list});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out,
                 QStringLiteral("no s'ha trobat\n(%1)\nno es pot visualitzar/escoltar\n(%2)\n")
                     .arg(missing, fx.path(QStringLiteral("b.aiff"))));
        // A clean table lets the list be checked.
        fx.file(QStringLiteral("animals.sml"),
                (pic + QStringLiteral("\t-1\t-1\t\tgat\r\n")).toUtf8());
        r = pelvar({QStringLiteral("--check"), list});
        QCOMPARE(r.code, 1);
        QCOMPARE(
            r.out,
            QStringLiteral("1: no s'ha trobat\n(%1)\n").arg(fx.path(QStringLiteral("cap.jpg"))));
    }

    // Input that holds no usable list: a message on standard error, nothing on standard output,
    // exit 2. Lines naming folders are a list whose files are not found.
    void checkBadInput_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("target"); // "" = the file written; else a path as given
        QTest::addColumn<QString>("message");
        QTest::newRow("empty file")
            << QByteArray() << QString() << QStringLiteral("No hi ha cap diapositiva a mostrar");
        QByteArray binary;
        for (int i = 0; i < 4096; ++i)
            binary += char((i * 37 + 11) % 256);
        QTest::newRow("binary") << binary << QString() << QStringLiteral("Línia 1 incorrecta");
        QTest::newRow("malformed third line")
            << QByteArray("\tT\tA\t\t\t\r\n\tT\tB\t\t\t\r\nfoto.jpg\tsense camps\r\n") << QString()
            << QStringLiteral("Línia 3 incorrecta");
        QTest::newRow("/dev/null")
            << QByteArray() << QStringLiteral("/dev/null") << QStringLiteral("no és un arxiu");
        QTest::newRow("a folder") << QByteArray() << QStringLiteral("{dir}")
                                  << QStringLiteral("no és un arxiu");
        QTest::newRow("no such file") << QByteArray() << QStringLiteral("{dir}/cap.sal")
                                      << QStringLiteral("No s'ha trobat l'arxiu");
    }

    void checkBadInput()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, target);
        QFETCH(QString, message);
        SlideListFixture fx;
        QString path = fx.file(QStringLiteral("llista.sal"), content);
        if (!target.isEmpty())
            path = QString(target).replace(QStringLiteral("{dir}"), fx.dir());
        for (const QString &mode : {QStringLiteral("--check"), QStringLiteral("--listing")}) {
            if (mode == QLatin1String("--listing") && content.isEmpty() && target.isEmpty())
                continue; // an empty list has an empty listing
            const Run r = pelvar({mode, path});
            QCOMPARE(r.code, 2);
            QCOMPARE(r.out, QString());
            QVERIFY2(r.err.contains(message), qPrintable(r.err));
        }
    }

    void checkListOfFolders()
    {
        SlideListFixture fx;
        QVERIFY(QDir(fx.dir()).mkpath(QStringLiteral("fotos.jpg")));
        QVERIFY(QDir(fx.dir()).mkpath(QStringLiteral("carpeta")));
        const QString list = fx.list(QStringLiteral("carpetes.sal"),
                                     {SlideListFixture::line(fx.path(QStringLiteral("fotos.jpg"))),
                                      SlideListFixture::line(fx.path(QStringLiteral("carpeta")))});
        const Run r = pelvar({QStringLiteral("--check"), list});
        QCOMPARE(r.code, 1);
        QCOMPARE(
            r.out,
            QStringLiteral("1: no s'ha trobat\n(%1)\n2: no es pot visualitzar/escoltar\n(%2)\n")
                .arg(fx.path(QStringLiteral("fotos.jpg")), fx.path(QStringLiteral("carpeta"))));
    }

    // A list of a million lines is checked in bounded time.
    void checkAMillionLines()
    {
        SlideListFixture fx;
        QByteArray bytes;
        bytes.reserve(30 * 1000000);
        for (int i = 0; i < 1000000; ++i)
            bytes += i == 999998 ? QByteArray("\tH*1000001\tfi\t\t\t\r\n")
                                 : QByteArray("\tT\tT\xEDtol\t\t\t\r\n");
        const QString list = fx.file(QStringLiteral("gran.sal"), bytes);
        QElapsedTimer t;
        t.start();
        const Run r = pelvar({QStringLiteral("--check"), list});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out,
                 QStringLiteral("999999: Assignació d'un número de diapositiva (1000001) més "
                                "enllà del final de la llista (1000000)\n"));
        QVERIFY2(t.elapsed() < 60000, qPrintable(QString::number(t.elapsed())));
    }

    // The order listing: numbers padded to the width of the number of lines, or with TABs.
    void listing()
    {
        SlideListFixture fx;
        QStringList lines = titleLines(11);
        lines[1] =
            SlideListFixture::line(QString(), QStringLiteral("H"), QStringLiteral("amagada"));
        lines[2] = SlideListFixture::line(fx.picture(QStringLiteral("foto.png")));
        lines[3] = SlideListFixture::line(QStringLiteral("/no/hi/es.png"));
        lines[4] = SlideListFixture::line(QString(), QString(), QStringLiteral("A|B"));
        const QString list = fx.list(QStringLiteral("llista.sal"), lines);
        Run r = pelvar({QStringLiteral("--listing"), list});
        QCOMPARE(r.code, 0);
        QStringList expected = {
            QStringLiteral("número de diapositiva i número d'ordre d'aparició:")};
        const auto row = [](int a, int b, const QString &name, bool tabs) {
            return tabs ? QStringLiteral("%1\t%2\t%3").arg(a).arg(b).arg(name)
                        : QStringLiteral("%1  %2  %3").arg(a, 2).arg(b, 2).arg(name);
        };
        const auto body = [&](bool tabs) {
            QStringList part;
            for (int i = 1; i <= 11; ++i) {
                if (i == 2 || i == 4)
                    continue;
                const QString name = i == 3   ? QStringLiteral("foto")
                                     : i == 5 ? QStringLiteral("A | B")
                                              : QStringLiteral("Títol %1").arg(i);
                part << row(i, i, name, tabs);
            }
            return part;
        };
        for (bool tabs : {false, true}) {
            QStringList text = expected;
            text << body(tabs) << QString()
                 << QStringLiteral("número d'ordre d'aparició i número de diapositiva:")
                 << body(tabs);
            r = pelvar(
                tabs ? QStringList{QStringLiteral("--listing"), list, QStringLiteral("--tabs")}
                     : QStringList{QStringLiteral("--listing"), list});
            QCOMPARE(r.code, 0);
            QCOMPARE(r.out, text.join(QLatin1Char('\n')) + QLatin1Char('\n'));
        }

        // A random order: the second part follows the order the player builds for that seed.
        const QStringList random = {QStringLiteral("--seed"), QStringLiteral("7"),
                                    QStringLiteral("--set"), QStringLiteral("PresSort.PresSort=1")};
        const Run order = pelvar(QStringList{QStringLiteral("--order"), list} + random);
        QCOMPARE(order.code, 0);
        r = pelvar(QStringList{QStringLiteral("--listing"), list, QStringLiteral("--tabs")} +
                   random);
        QCOMPARE(r.code, 0);
        const QStringList second = r.out.section(QStringLiteral("número de diapositiva:\n"), 1)
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QStringList shownOrder;
        for (const QString &l : second)
            shownOrder << l.section(QLatin1Char('\t'), 1, 1);
        QStringList expectedOrder;
        for (const QString &n : order.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (n != QLatin1String("2") && n != QLatin1String("4"))
                expectedOrder << n;
        QCOMPARE(shownOrder, expectedOrder);
        QVERIFY(expectedOrder != QStringLiteral("1 3 5 6 7 8 9 10 11").split(QLatin1Char(' ')));

        // Switches of other modes are refused.
        r = pelvar({QStringLiteral("--check"), list, QStringLiteral("--tabs")});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("--tabs")));
    }

    // The sketch and the index as their windows show them, from the rows the editor reads.
    void sketchAndIndex()
    {
        SlideListFixture fx;
        const QString a = fx.picture(QStringLiteral("a.png"));
        const QString b = fx.picture(QStringLiteral("b.png"));
        QDir(fx.dir()).mkpath(QStringLiteral("sub"));
        const QString c = fx.picture(QStringLiteral("sub/a.png"));
        QStringList lines = {SlideListFixture::line(QString(), QString(),
                                                    QStringLiteral("Inici|bis"),
                                                    QStringLiteral("peu")),
                             SlideListFixture::line(b, QString(), QStringLiteral("nota")),
                             SlideListFixture::line(a),
                             SlideListFixture::line(b, QStringLiteral("H")),
                             SlideListFixture::line(b),
                             SlideListFixture::line(c)};
        for (int i = 0; i < 5; ++i)
            lines << SlideListFixture::line(a);
        lines.insert(3, QStringLiteral("trencada\tlínia"));
        const QString list = fx.list(QStringLiteral("llista.sal"), lines);
        Run r = pelvar({QStringLiteral("--sketch"), list});
        // The malformed line is left out with its message, as the editor leaves it.
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("Línia 4 incorrecta")));
        QStringList out = r.out.split(QLatin1Char('\n'));
        QCOMPARE(out.size(), 12);
        QCOMPARE(out[0], QStringLiteral(" 1  Inici"));
        QCOMPARE(out[3], QStringLiteral(" 4  !b"));
        QCOMPARE(out[10], QStringLiteral("11  a"));
        lines.removeAt(3);
        fx.list(QStringLiteral("llista.sal"), lines);
        r = pelvar({QStringLiteral("--sketch"), list, QStringLiteral("--all-paragraphs"),
                    QStringLiteral("--tabs")});
        QCOMPARE(r.code, 0);
        QVERIFY(
            r.out.startsWith(QStringLiteral("1\tInici\n\tbis\n\tpeu\n2\tb\n\tnota\n3\ta\n\t\n")));
        r = pelvar({QStringLiteral("--sketch"), list, QStringLiteral("--no-numbers")});
        QVERIFY(r.out.startsWith(QStringLiteral("Inici\nb\na\n!b\n")));

        r = pelvar({QStringLiteral("--index"), list});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("a\t3, 7, 8, 9, 10, 11\na\t6\nb\t2, 5\n"));
        r = pelvar({QStringLiteral("--index"), list, QStringLiteral("--by-dir"),
                    QStringLiteral("--no-numbers")});
        QCOMPARE(r.out,
                 fx.dir() + QStringLiteral("\na\nb\n") + fx.dir() + QStringLiteral("/sub\na\n"));
        // Nothing to index: the information, exit 1; a switch of another mode: exit 2.
        fx.list(QStringLiteral("titols.sal"), titleLines(3));
        r = pelvar({QStringLiteral("--index"), fx.path(QStringLiteral("titols.sal"))});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.contains(QStringLiteral("No hi ha cap arxiu vàlid a indexar")));
        r = pelvar({QStringLiteral("--index"), list, QStringLiteral("--tabs")});
        QCOMPARE(r.code, 2);
        r = pelvar(
            {QStringLiteral("--sketch"), fx.file(QStringLiteral("buida.sal"), QByteArray())});
        QCOMPARE(r.code, 2);
    }

    // The quiz the generation dialog would write, with the accessory slides of an earlier quiz.
    void generate()
    {
        SlideListFixture fx;
        const QString table = fx.file(QStringLiteral("curs.wml"), "gos\tdog\r\ngat\tcat\r\n");
        const QString target = fx.path(QStringLiteral("curs.sal"));
        Run r = pelvar({QStringLiteral("--generate"), QStringLiteral("radio"), table,
                        QStringLiteral("--random-answers")});
        QCOMPARE(r.code, 0);
        QVERIFY(r.err.contains(QStringLiteral("S'ha creat la presentació")));
        SlideList list;
        QVERIFY(list.load(target).ok());
        QCOMPARE(list.lines, (QStringList{QStringLiteral("\tXPR\tcat\t*gat|gos///\t\t"),
                                          QStringLiteral("\tXPR\tdog\tgat///|*gos\t\t")}));
        QVERIFY(QFileInfo::exists(fx.path(QStringLiteral("curs.ini"))));

        // Framed by a title and a closing slide, regenerated only with --force.
        list.lines.prepend(SlideListFixture::line(QString(), QString(), QStringLiteral("Inici")));
        list.lines.append(SlideListFixture::line(QString(), QString(), QStringLiteral("Fi")));
        fx.list(QStringLiteral("curs.sal"), list.lines);
        const QStringList single = {QStringLiteral("--generate"), QStringLiteral("single"), table,
                                    QStringLiteral("--set"), QStringLiteral("PresSort.PresSort=1")};
        r = pelvar(single);
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains(QStringLiteral("Regravar la presentació")));
        SlideList kept;
        QVERIFY(kept.load(target).ok());
        QCOMPARE(kept.lines, list.lines);
        r = pelvar(single + QStringList{QStringLiteral("--force")});
        QCOMPARE(r.code, 0);
        QVERIFY(kept.load(target).ok());
        QCOMPARE(kept.lines.size(), 4);
        QCOMPARE(kept.lines.first(), list.lines.first());
        QCOMPARE(kept.lines[1], QStringLiteral("\tXP\tdog\tgos\t\t"));
        QCOMPARE(kept.lines.last(), list.lines.last());
        // One slide on each side in random order: the omissions frame the questions.
        r = pelvar({QStringLiteral("--settings"), fx.path(QStringLiteral("curs.ini"))});
        QVERIFY(r.out.contains(QStringLiteral("PresSort.PresSort=1\n")));
        QVERIFY(r.out.contains(QStringLiteral("PresSort.PresDRandom=1\n")));
        QVERIFY(r.out.contains(QStringLiteral("PresSort.OmissionFirstSlide=1\n")));
        QVERIFY(r.out.contains(QStringLiteral("PresSort.OmissionLastSlide=1\n")));

        // A picture table is checked first; bad input is refused.
        const QString sml =
            fx.file(QStringLiteral("fotos.sml"),
                    fx.path(QStringLiteral("no.png")).toUtf8() + "\t-1\t-1\t\tCasa\r\n");
        r = pelvar({QStringLiteral("--generate"), QStringLiteral("radio"), sml});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.startsWith(QStringLiteral("1: no s'ha trobat\n(")));
        QVERIFY(!QFileInfo::exists(fx.path(QStringLiteral("fotos.sal"))));
        r = pelvar({QStringLiteral("--generate"), QStringLiteral("radio"), table,
                    QStringLiteral("--prompt"), QStringLiteral("generic:")});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains(QStringLiteral("cal formular-la")));
        QDir(fx.dir()).mkdir(QStringLiteral("carpeta.sal"));
        r = pelvar({QStringLiteral("--generate"), QStringLiteral("radio"), table,
                    QStringLiteral("-o"), fx.path(QStringLiteral("carpeta.sal"))});
        QCOMPARE(r.code, 2);
        r = pelvar({QStringLiteral("--generate"), QStringLiteral("radio"),
                    fx.file(QStringLiteral("x.txt"), "a\tb\r\n")});
        QCOMPARE(r.code, 2);
    }

    // Tables that are not what they should be: the table's own message and nothing written;
    // a line far too long is cut to the table's widths; a target that cannot be written leaves
    // nothing behind.
    void generateFromBadTables_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("line without a tab")
            << QByteArray("gos\tdog\r\nsenseTab\r\ngat\tcat\r\n") << 2
            << QStringLiteral("Línia 2: Cal un valor per al camp Meaning");
        QTest::newRow("too many fields")
            << QByteArray("gos\tdog\textra\r\n") << 2 << QStringLiteral("més camps");
        QByteArray binary(4096, '\0');
        for (int i = 0; i < binary.size(); ++i)
            binary[i] = char((i * 37) % 256);
        QTest::newRow("binary") << binary << 2 << QString();
        QTest::newRow("ten megabytes in a line")
            << QByteArray("gos\t") + QByteArray(10 * 1024 * 1024, 'x') + "\r\ngat\tcat\r\n"
            << 0 << QStringLiteral("S'ha creat la presentació");
    }
    void generateFromBadTables()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, code);
        QFETCH(QString, message);
        SlideListFixture fx;
        const QString table = fx.file(QStringLiteral("t.wml"), content);
        const Run r = pelvar({QStringLiteral("--generate"), QStringLiteral("radio"), table});
        QCOMPARE(r.code, code);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        const QString target = fx.path(QStringLiteral("t.sal"));
        QCOMPARE(QFileInfo::exists(target), code == 0);
        if (code == 0) {
            SlideList list;
            QVERIFY(list.load(target).ok());
            QCOMPARE(list.lines.size(), 2);
            // The meaning is the question, cut to its 120 characters.
            QCOMPARE(list.lines[1].section(QLatin1Char('\t'), 2, 2),
                     QString(120, QLatin1Char('x')));
        }
        // A folder that is not there: the error, and no file of ours anywhere near.
        const Run missing = pelvar({QStringLiteral("--generate"), QStringLiteral("radio"),
                                    fx.file(QStringLiteral("ok.wml"), "a\tb\r\nc\td\r\n"),
                                    QStringLiteral("-o"), fx.path(QStringLiteral("no/hi/es.sal"))});
        QCOMPARE(missing.code, 2);
        QVERIFY(missing.err.contains(QStringLiteral("S'ha produït un error en desar")));
        const QStringList left = QDir(fx.dir()).entryList(QDir::Files | QDir::NoDotAndDotDot);
        for (const QString &name : left)
            QVERIFY2(name.endsWith(QStringLiteral(".wml")) || name == QStringLiteral("t.sal") ||
                         name == QStringLiteral("t.ini"),
                     qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
