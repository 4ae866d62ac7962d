// The examples the build makes for a new user: every file the welcome dialog adapts is there, each
// list has its settings, what the lists name lies beside them, adapted copies pass the program's
// own check, adapting is idempotent, and together the examples show every kind of slide and every
// quiz mode the program has.

#include "config/PresentationSettings.h"
#include "config/PresentationSettingsFile.h"
#include "config/TNewIniFile.h"
#include "files/TextCodec.h"
#include "presentation/SlideRecord.h"
#include "users/SampleInstallation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString examplesDir()
{
    return QStringLiteral(PELVAR_EXAMPLES_DIR);
}

QStringList filesBelow(const QString &dir, const QStringList &patterns)
{
    QStringList out;
    QDirIterator it(dir, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << it.next();
    out.sort();
    return out;
}

QStringList readLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return splitTextLines(decodeWindows1252(f.readAll()));
}

QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> out;
    for (const QString &path : filesBelow(dir, {u"*"_s})) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            out.insert(QDir(dir).relativeFilePath(path), f.readAll());
    }
    return out;
}

struct Run
{
    int code = -1;
    QString out;
};

Run check(const QString &list)
{
    QProcess p;
    p.start(QStringLiteral(PELVAR_PATH), {u"--check"_s, list});
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    return r;
}

} // namespace

class ExamplesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyAdaptedFileIsThereWithItsSettings()
    {
        for (const SampleFile &f : sampleFiles()) {
            const QString path =
                examplesDir() + u'/' + QString::fromUtf16(f.name) + QString::fromUtf16(f.extension);
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
            if (f.kind == SampleFileKind::SlideList) {
                const QString ini = path.chopped(4) + u".ini"_s;
                QVERIFY2(QFileInfo::exists(ini), qPrintable(ini));
            }
        }
        // No list is left out of the adaptation: it would keep names without a folder.
        QSet<QString> adapted;
        for (const SampleFile &f : sampleFiles())
            adapted << QString::fromUtf16(f.name) + QString::fromUtf16(f.extension);
        for (const QString &path : filesBelow(examplesDir(), {u"*.sal"_s, u"*.sml"_s}))
            QVERIFY2(adapted.contains(QDir(examplesDir()).relativeFilePath(path)),
                     qPrintable(path));
    }

    // As made, the lists and tables name their files without a folder, and every one of them is
    // beside the list; a word table never shares its name with a picture table.
    void whatTheListsNameLiesBesideThem()
    {
        for (const QString &list : filesBelow(examplesDir(), {u"*.sal"_s})) {
            const QDir dir = QFileInfo(list).dir();
            const QStringList lines = readLines(list);
            QVERIFY2(!lines.isEmpty(), qPrintable(list));
            for (int i = 0; i < lines.size(); ++i) {
                const std::optional<SlideRecord> s = ParseSlideLine(lines[i]);
                QVERIFY2(s, qPrintable(u"%1:%2"_s.arg(list).arg(i + 1)));
                QStringList named{s->FileName, s->AudioFileName};
                if (s->FileName.isEmpty() && s->Flags.contains(u'O'))
                    named << s->PromptOr1stLine;
                for (const QString &name : named) {
                    if (name.isEmpty())
                        continue;
                    QVERIFY2(!name.contains(u'/') && !name.contains(u'\\'), qPrintable(name));
                    QVERIFY2(dir.exists(name), qPrintable(u"%1: %2"_s.arg(list, name)));
                }
            }
            const QString base = list.chopped(4);
            QVERIFY2(!(QFileInfo::exists(base + u".sml"_s) && QFileInfo::exists(base + u".wml"_s)),
                     qPrintable(base));
        }
        for (const QString &table : filesBelow(examplesDir(), {u"*.sml"_s})) {
            const QDir dir = QFileInfo(table).dir();
            for (const QString &line : readLines(table)) {
                const QStringList fields = line.split(u'\t');
                QCOMPARE(fields.size(), 5);
                QVERIFY(!fields.last().isEmpty());
                for (const QString &name : {fields[0], fields[3]})
                    QVERIFY2(name.isEmpty() || dir.exists(name), qPrintable(name));
            }
        }
        for (const QString &table : filesBelow(examplesDir(), {u"*.wml"_s}))
            for (const QString &line : readLines(table)) {
                const QStringList fields = line.split(u'\t');
                QCOMPARE(fields.size(), 2);
                QVERIFY(!fields[0].isEmpty() && fields[0].size() <= 20);
                QVERIFY(!fields[1].isEmpty() && fields[1].size() <= 120);
            }
    }

    // Copied and adapted as the welcome dialog does it, every list passes the check, its table
    // with it; adapting once more changes nothing.
    void adaptedCopiesPassTheCheck()
    {
        QTemporaryDir home;
        const QString copy = home.filePath(u"Exemples"_s);
        const ExamplesPlace place = examplesPlace(examplesDir(), true, copy);
        QCOMPARE(place.folder, copy);
        QVERIFY(installSamples(place).ok());
        const QMap<QString, QByteArray> once = snapshot(copy);
        QCOMPARE(once.size(), snapshot(examplesDir()).size());

        for (const QString &list : filesBelow(copy, {u"*.sal"_s})) {
            const Run r = check(list);
            QVERIFY2(r.code == 0 && r.out == u"La presentació és correcte\n"_s,
                     qPrintable(u"%1: %2 %3"_s.arg(list).arg(r.code).arg(r.out)));
            // Every name now carries the list's own folder.
            const QString folder = QFileInfo(list).absolutePath();
            for (const QString &line : readLines(list)) {
                const SlideRecord s = *ParseSlideLine(line);
                for (const QString &name : {s.FileName, s.AudioFileName})
                    QVERIFY2(name.isEmpty() || QFileInfo(name).absolutePath() == folder,
                             qPrintable(name));
            }
        }
        QVERIFY(adaptSamples(copy).ok());
        QCOMPARE(snapshot(copy), once);
        // The examples as built are untouched by adapting a copy.
        for (const QString &line : readLines(examplesDir() + u"/Exàmens/Capitals.sal"_s))
            QVERIFY(!ParseSlideLine(line)->FileName.contains(u'/'));
    }

    // Taken together, the examples show every kind of slide the player shows, every picture
    // format, the audio flags, every kind of answer and reaction and every order and mode.
    void theExamplesShowEverything()
    {
        QSet<int> kinds;
        QSet<QString> extensions, features;
        for (const QString &list : filesBelow(examplesDir(), {u"*.sal"_s})) {
            const QString base = list.chopped(4);
            const bool pictureTable = QFileInfo::exists(base + u".sml"_s);
            const bool wordTable = QFileInfo::exists(base + u".wml"_s);
            const QDir dir = QFileInfo(list).dir();
            for (const QString &line : readLines(list)) {
                SlideRecord s = *ParseSlideLine(line);
                s.FileName = s.FileName.isEmpty() ? s.FileName : dir.filePath(s.FileName);
                if (s.FileName.isEmpty() && s.Flags.contains(u'O'))
                    s.PromptOr1stLine = dir.filePath(s.PromptOr1stLine);
                const SlideRecord d =
                    *DecodeSlide(QStringList{s.FileName, s.Flags, s.PromptOr1stLine,
                                             s.AnswersOrNextLines, QString(), QString()}
                                     .join(u'\t'));
                QCOMPARE(d.FileState, fsOk);
                QVERIFY(d.OpenFileExists);
                kinds << d.Kind;
                if (d.Kind == skImage)
                    extensions << QFileInfo(d.FileName).suffix().toLower();
                const QString answers = d.AnswersOrNextLines;
                if (d.AudioRepeat)
                    features << u"Ar"_s;
                if (d.AudioContinue)
                    features << u"Ac"_s;
                if (d.AudioStop)
                    features << u"As"_s;
                if (d.NextSlide != -1)
                    features << u"next slide"_s;
                if (d.MarkX != -1 && d.MarkY != -1)
                    features << u"mark"_s;
                if (d.PresTotalTest)
                    features << u"total"_s;
                if (!d.PWithAnswer)
                    continue;
                if (d.PRandomAnswer)
                    features << u"random answers"_s;
                if (!answers.contains(u'|')) {
                    features << u"single answer"_s;
                    if (answers.contains(u'&'))
                        features << u"hint"_s;
                    continue;
                }
                if (answers.contains(u"///"_s))
                    features << (pictureTable ? u"picture reaction"_s
                                 : wordTable  ? u"word reaction"_s
                                              : u"reaction without a table"_s);
                if (answers.contains(u"//*"_s))
                    features << u"jump"_s;
                if (answers.contains(u"//<"_s))
                    features << u"score"_s;
                if (answers.contains(QRegularExpression(u"//[^*</]"_s)))
                    features << u"reaction text"_s;
            }
            TNewIniFile ini(base + u".ini"_s);
            QVERIFY(ini.load());
            PresentationSettings p;
            ReadPresentationSettings(ini, p);
            features << u"model %1"_s.arg(int(p.ShowingModel))
                     << u"order %1"_s.arg(int(p.PresSort));
            if (!p.ManualViewing)
                features << u"automatic"_s;
            if (p.LoopImages)
                features << u"loop"_s;
            // A single answer is typed or recalled as the settings say.
            for (const QString &line : readLines(list)) {
                const SlideRecord s = *ParseSlideLine(line);
                if (ParseSlideFlags(s.Flags).PWithAnswer && !s.AnswersOrNextLines.contains(u'|'))
                    features << (p.ByInput ? (p.WithMask ? u"typed with mask"_s : u"typed"_s)
                                           : u"mental"_s);
            }
        }
        for (int k : {skImage, skRichText, skText, skTitle, skWeb, skVideo, skMovie, skPresentation,
                      skDocument})
            QVERIFY2(kinds.contains(k), qPrintable(u"slide kind %1"_s.arg(k)));
        for (const char *e : {"png", "jpg", "bmp", "gif", "ico", "wmf"})
            QVERIFY2(extensions.contains(QLatin1String(e)), e);
        for (const char *f : {"Ar",
                              "Ac",
                              "As",
                              "next slide",
                              "mark",
                              "total",
                              "random answers",
                              "hint",
                              "picture reaction",
                              "word reaction",
                              "jump",
                              "score",
                              "reaction text",
                              "model 1",
                              "model 2",
                              "order 1",
                              "order 2",
                              "automatic",
                              "loop",
                              "typed with mask",
                              "mental"})
            QVERIFY2(features.contains(QLatin1String(f)), f);
        QVERIFY(!features.contains(u"reaction without a table"_s));
    }
};

QTEST_GUILESS_MAIN(ExamplesTest)
#include "ExamplesTest.moc"
