// The welcome dialog's adaptation of the examples: the folders put in front of the names in each
// list and table, what stays untouched, the order and the stop at the first failure, the same
// files when done twice, and the user's own copy of installed examples.

#include "users/SampleInstallation.h"
#include "files/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString samplePath(const QString &root, const SampleFile &sample)
{
    return root + QLatin1Char('/') + QString::fromUtf16(sample.name) +
           QString::fromUtf16(sample.extension);
}

// A list line naming a picture and a track, or a table line naming both, with folders from
// another machine.
QByteArray sampleContent(SampleFileKind kind)
{
    if (kind == SampleFileKind::SlideList)
        return QByteArrayLiteral("C:\\Pelvar\\Exemples\\pit-roig.jpg\tL\tEl pit-roig\t\t5\t"
                                 "C:\\Pelvar\\Exemples\\cant.wav\r\n"
                                 "\tT\tFi\t\t\t\r\n");
    return QByteArrayLiteral("C:\\Pelvar\\Exemples\\pit-roig.jpg\t-1\t-1\t"
                             "C:\\Pelvar\\Exemples\\cant.wav\tPit-roig\r\n");
}

void makeSamples(const QString &root)
{
    for (const SampleFile &sample : sampleFiles())
        QVERIFY(writeAll(samplePath(root, sample), sampleContent(sample.kind)));
}

} // namespace

class SampleInstallationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void adaptsTheFieldsThatNameFiles_data();
    void adaptsTheFieldsThatNameFiles();
    void adaptsEveryExampleInOrderAndStopsAtTheFirstMissing();
    void adaptingTwiceGivesTheSameFiles();
    void keepsTheFileEncodingAndLineEnds();
    void installedExamplesAreCopiedToTheUserFirst();
    void placeOfTheAdaptation();
};

void SampleInstallationTest::adaptsTheFieldsThatNameFiles_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    const int list = int(SampleFileKind::SlideList);
    const int table = int(SampleFileKind::SoundTable);
    QTest::newRow("picture and track, Windows folders")
        << list << u"C:\\Exemples\\Ocells\\pit.jpg\tL\tnota\t\t5\tC:\\Exemples\\cant.wav"_s
        << u"/d/pit.jpg\tL\tnota\t\t5\t/d/cant.wav"_s;
    QTest::newRow("bare names") << list << u"pit.jpg\tX\tQuin?\t*Pit|Merla\t\tcant.mp3"_s
                                << u"/d/pit.jpg\tX\tQuin?\t*Pit|Merla\t\t/d/cant.mp3"_s;
    QTest::newRow("title: its text is no path")
        << list << u"\tT\tEl conte\tde la fada\t\t"_s << u"\tT\tEl conte\tde la fada\t\t"_s;
    QTest::newRow("document slide")
        << list << u"\tOC\tC:\\docs\\fitxa.pdf\t\t\t"_s << u"\tOC\t/d/fitxa.pdf\t\t\t"_s;
    QTest::newRow("track after a TAB in the sixth field")
        << list << u"a/b.png\t\t\t\t\tnot a track\tx/so.ogg"_s
        << u"/d/b.png\t\t\t\t\tnot a track\t/d/so.ogg"_s;
    QTest::newRow("malformed line kept") << list << u"a/b.png\t\t\t\t"_s << u"a/b.png\t\t\t\t"_s;
    QTest::newRow("table: picture and track")
        << table << u"C:\\E\\os.png\t120\t-40\tC:\\E\\os.wav\tFèmur"_s
        << u"/d/os.png\t120\t-40\t/d/os.wav\tFèmur"_s;
    QTest::newRow("table: sound only")
        << table << u"\t-1\t-1\tmerla.wma\tMerla"_s << u"\t-1\t-1\t/d/merla.wma\tMerla"_s;
    QTest::newRow("table: too few fields")
        << table << u"os.png\t1\t2\tFèmur"_s << u"os.png\t1\t2\tFèmur"_s;
}

void SampleInstallationTest::adaptsTheFieldsThatNameFiles()
{
    QFETCH(int, kind);
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QCOMPARE(adaptSampleLine(line, u"/d"_s, SampleFileKind(kind)), expected);
    // The folder is put with one separator, with or without its own.
    QCOMPARE(adaptSampleLine(line, u"/d/"_s, SampleFileKind(kind)), expected);
}

void SampleInstallationTest::adaptsEveryExampleInOrderAndStopsAtTheFirstMissing()
{
    QTemporaryDir dir;
    const QString root = dir.path();
    makeSamples(root);
    const auto samples = sampleFiles();
    QCOMPARE(samples.size(), std::size_t(23));
    // A missing file in the middle: those before it are adapted, those after it are not.
    const std::size_t missing = 10;
    QVERIFY(QFile::remove(samplePath(root, samples[missing])));
    const Fallible<void> done = adaptSamples(root);
    QVERIFY(!done.ok());
    QCOMPARE(done.error(), u"No s'ha trobat l'arxiu '%1'"_s.arg(
                               QDir::toNativeSeparators(samplePath(root, samples[missing]))));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (i == missing)
            continue;
        const QString path = samplePath(root, samples[i]);
        const bool adapted = readAll(path) != sampleContent(samples[i].kind);
        QVERIFY2(adapted == (i < missing), qPrintable(path));
    }
    // Put back, the run goes to the end; each file names its own folder.
    QVERIFY(writeAll(samplePath(root, samples[missing]), sampleContent(samples[missing].kind)));
    QVERIFY(adaptSamples(root).ok());
    const SampleFile &fada = samples[14];
    QCOMPARE(QString::fromUtf16(fada.name), u"Presentacions/Conte lineal/Fada"_s);
    const QString folder = root + u"/Presentacions/Conte lineal/"_s;
    QCOMPARE(readAll(samplePath(root, fada)), (folder + u"pit-roig.jpg\tL\tEl pit-roig\t\t5\t"_s +
                                               folder + u"cant.wav\r\n\tT\tFi\t\t\t\r\n"_s)
                                                  .toUtf8());
}

void SampleInstallationTest::adaptingTwiceGivesTheSameFiles()
{
    QTemporaryDir dir;
    makeSamples(dir.path());
    QVERIFY(adaptSamples(dir.path()).ok());
    QList<QByteArray> first;
    for (const SampleFile &sample : sampleFiles())
        first << readAll(samplePath(dir.path(), sample));
    QVERIFY(adaptSamples(dir.path()).ok());
    int i = 0;
    for (const SampleFile &sample : sampleFiles())
        QCOMPARE(readAll(samplePath(dir.path(), sample)), first[i++]);
    // No temporary or backup file is left beside the examples.
    const QStringList left = QDir(dir.path() + u"/Exàmens"_s).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, QStringList{u"Capitals.sal"_s});
}

void SampleInstallationTest::keepsTheFileEncodingAndLineEnds()
{
    QTemporaryDir dir;
    // Windows-1252 text with a bare LF line end: read as it is, written back in its own
    // encoding, each line ended by CR LF.
    const QString path = dir.path() + u"/Capitals.sal"_s;
    QVERIFY(writeAll(path, QByteArrayLiteral("mapa.png\tX\tCapital de Fran\xe7"
                                             "a?\t*Par\xeds|Roma\t\t\n")));
    QVERIFY(adaptSampleFile(path, SampleFileKind::SlideList).ok());
    const QByteArray expected =
        dir.path().toUtf8() + QByteArrayLiteral("/mapa.png\tX\tCapital de Fran\xe7"
                                                "a?\t*Par\xeds|Roma\t\t\r\n");
    QCOMPARE(readAll(path), expected);
    // A file that is not there is reported by name, and nothing is created in its place.
    const QString absent = dir.path() + u"/Absent.sml"_s;
    const Fallible<void> missing = adaptSampleFile(absent, SampleFileKind::SoundTable);
    QVERIFY(!missing.ok());
    QVERIFY(missing.error().contains(QDir::toNativeSeparators(absent)));
    QVERIFY(!QFileInfo::exists(absent));
}

void SampleInstallationTest::installedExamplesAreCopiedToTheUserFirst()
{
    QTemporaryDir shared;
    QTemporaryDir home;
    makeSamples(shared.path());
    const QString picture = shared.path() + u"/Exàmens/mapa.png"_s;
    QVERIFY(writeAll(picture, QByteArrayLiteral("PNG")));
    QVERIFY(QFile::setPermissions(picture, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    const QString user = home.path() + u"/Pelvar/Exemples"_s;
    // The user changed one example of an earlier copy: it is kept, not copied over.
    const QString changed = user + u"/Exàmens/Capitals.sal"_s;
    QVERIFY(writeAll(changed, QByteArrayLiteral("meu.png\t\t\t\t\t\r\n")));

    const ExamplesPlace place = examplesPlace(shared.path(), true, user);
    QCOMPARE(place.folder, user);
    QCOMPARE(place.source, shared.path());
    QVERIFY(installSamples(place).ok());
    // The shared examples are untouched.
    for (const SampleFile &sample : sampleFiles())
        QCOMPARE(readAll(samplePath(shared.path(), sample)), sampleContent(sample.kind));
    // The copy holds every file, is the user's to write, and is adapted to where it lies.
    const QString copied = user + u"/Exàmens/mapa.png"_s;
    QCOMPARE(readAll(copied), QByteArrayLiteral("PNG"));
    QVERIFY(QFileInfo(copied).permissions() & QFileDevice::WriteOwner);
    // Written as the program writes its lists: the folder's "à" in Windows-1252.
    QCOMPARE(decode8BitText(readAll(changed)).text, user + u"/Exàmens/meu.png\t\t\t\t\t\r\n"_s);
    const QString ocells = user + u"/Àudio/Ocells/"_s;
    QVERIFY(decode8BitText(readAll(ocells + u"Ocells2.sml"_s))
                .text.startsWith(ocells + u"pit-roig.jpg\t"_s));
    // A second "Fer-ho" gives the same files.
    const QByteArray once = readAll(ocells + u"Ocells2.sml"_s);
    QVERIFY(installSamples(place).ok());
    QCOMPARE(readAll(ocells + u"Ocells2.sml"_s), once);
}

void SampleInstallationTest::placeOfTheAdaptation()
{
    QTemporaryDir dir;
    // A program kept in a folder of its own adapts its examples where they are.
    ExamplesPlace place = examplesPlace(dir.path(), false, u"/home/u/Pelvar/Exemples"_s);
    QCOMPARE(place.folder, dir.path());
    QVERIFY(place.source.isEmpty());
    // Examples that are not there: copying reports the missing folder.
    place = examplesPlace(dir.path() + u"/cap"_s, false, dir.path() + u"/copia"_s);
    QCOMPARE(place.source, dir.path() + u"/cap"_s);
    const Fallible<void> done = installSamples(place);
    QVERIFY(!done.ok());
    QVERIFY(done.error().startsWith(u"No s'ha trobat el directori"_s));
    QVERIFY(userExamplesFolder().endsWith(QDir::toNativeSeparators(u"/Pelvar/Exemples"_s)));
}

QTEST_GUILESS_MAIN(SampleInstallationTest)
#include "SampleInstallationTest.moc"
