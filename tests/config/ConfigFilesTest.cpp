#include "config/Base64.h"
#include "config/FontLookup.h"
#include "config/PresentationSettingsFile.h"
#include "config/ProgramOptionsFile.h"
#include "config/TModIniLS.h"
#include "config/TNewIniFile.h"
#include "files/FileChecks.h"
#include "support/FakePrompter.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

// A record with every field away from its default.
PresentationSettings everythingChanged()
{
    PresentationSettings s;
    s.ManualViewing = false;
    s.LoopImages = true;
    s.HideNote = true;
    s.ImageDelay = 13;
    s.ImgAmpliation = 350;
    s.ImgAmpliationEnabled = true;
    s.ImgNotePanelsMode = 2;
    s.ImgFrameEnabled = true;
    s.ImgFrameWidth = 33;
    s.ImgGifAnimate = false;
    s.ImgGifAnimateSpeed = 77;
    s.ImgTransparent = true;
    s.ColorRichEdit = 0x00123456;
    s.MarkSize = 44;
    s.MarkConstRatio = true;
    s.MarkPenMode = 14;
    s.MarkPenColor = 0x00FF00;
    s.MarkBrushColor = 0x80000005;
    s.MarkPenWidth = 7;
    s.ImagePanel = {0x111111, 0x222222, 2, QString()};
    // The note panels' end colour is written but never read back, so it keeps its default here.
    s.NotePanel = {0x333333, kClBtnFace, 1, QString()};
    s.PermanentNotePanels = true;
    s.TitlePanel = {0x555555, 0x666666, 9, QString()};
    s.PanelNoteLR = {true, 250};
    s.LeftJustifyLRLines = s.OnTopLRLines = s.WordWrapLRLines = true;
    s.PanelPA = {true, 150};
    s.EditAnswWidth = 321;
    s.PanelNoteTB = {true, 99};
    s.PresErrReferent = 1;
    s.PresErrSizePercent = 80;
    s.PresSort = PresSortMode::Random;
    s.PresDRandom = RandomScope::Range;
    s.RandomRangeInf = 4;
    s.RandomRangeSup = 9;
    s.ShowingModel = ShowingMode::Exam;
    s.UseNegativeScore = true;
    s.MAMaxIncorrections = 2;
    s.OnlyResultTest = true;
    s.OmissionLearningResultsMessages = true;
    s.InitialMemorizedCount = 5;
    s.UseAllSlidesToMem = false;
    s.InitialImages = 12;
    s.PresRepeatedImages = true;
    s.TotalSlidesToMemorize = 40;
    s.WithoutCaption = s.WithoutMenuOrButtons = s.PresWithITListName = true;
    s.PresWithNumbering = s.PresWithTotalNumbering = s.PresWithSNumbering = false;
    s.PresWithSTotalNumbering = s.PresWithITName = false;
    s.PresWithITPath = s.PresWithITExt = true;
    s.PresWithIAmpliationRatio = s.PresWithKeyInfo = false;
    int n = 0;
    for (FontSettings *f : {&s.FontNote1, &s.FontNote2, &s.FontText, &s.FontPrompt, &s.FontAnswers,
                            &s.FontAnswerMes, static_cast<FontSettings *>(&s.FontTitle1rsLine),
                            static_cast<FontSettings *>(&s.FontTitle2ndLine)}) {
        f->Color = 0x010101 * ++n;
        f->FontName = QStringLiteral("DejaVu Sans");
        f->FontSize = 10 + n;
        f->fsBold = n % 2;
        f->fsItalic = !(n % 2);
    }
    s.AnswerMesWithIcon = true;
    s.FontTitle1rsLine.ShadowColor = 0x00ABCDEF;
    s.FontTitle1rsLine.ShadowPos = 2;
    s.FontTitle1rsLine.ShadowSize = 50;
    s.FontTitle2ndLine.ShadowPos = 3;
    s.FontTitle2ndLine.ShadowSize = 1;
    s.ByInput = s.WithMask = s.ChangeIncorrectChar = s.IgnoreAccent = true;
    s.CheckAtEnd = false;
    s.MaxIncorrections = 5;
    return s;
}

} // namespace

class ConfigFilesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyFieldRoundTrips()
    {
        const PresentationSettings s = everythingChanged();
        TNewIniFile file;
        QVERIFY(WritePresentationSettings(file, s));
        TNewIniFile reread;
        reread.loadFromBytes(file.toBytes());
        PresentationSettings back;
        ReadPresentationSettings(reread, back);
        QCOMPARE(DescribePresentationSettings(back), DescribePresentationSettings(s));

        PresentationSettings defaults, again;
        TNewIniFile d;
        WritePresentationSettings(d, defaults);
        ReadPresentationSettings(d, again);
        QCOMPARE(DescribePresentationSettings(again), DescribePresentationSettings(defaults));
        QCOMPARE(
            d.ReadString(QStringLiteral("ImagePanel"), QStringLiteral("ColorStart"), QString()),
            QStringLiteral("-2147483633"));
    }

    void conditionalKeysOnWriting()
    {
        TNewIniFile file;
        file.loadFromBytes(
            "[PresSort]\r\nOmissionFirstSlide=1\r\nRandomRangeInf=3\r\nInitialImages=8\r\n");
        PresentationSettings s; // PresDRandom 0, every slide used, no repetition
        WritePresentationSettings(file, s);
        QCOMPARE(file.ReadString(QStringLiteral("PresSort"), QStringLiteral("OmissionFirstSlide"),
                                 QStringLiteral("")),
                 QStringLiteral("1"));
        QCOMPARE(file.ReadString(QStringLiteral("PresSort"), QStringLiteral("RandomRangeInf"),
                                 QStringLiteral("")),
                 QStringLiteral("3"));
        QCOMPARE(file.ReadString(QStringLiteral("PresSort"), QStringLiteral("InitialImages"),
                                 QStringLiteral("")),
                 QStringLiteral("8"));
        QVERIFY(
            !file.ValueExists(QStringLiteral("PresSort"), QStringLiteral("TotalSlidesToMemorize")));
        s.PresDRandom = RandomScope::WithOmissions;
        WritePresentationSettings(file, s);
        QCOMPARE(file.ReadString(QStringLiteral("PresSort"), QStringLiteral("OmissionFirstSlide"),
                                 QStringLiteral("")),
                 QStringLiteral("0"));
    }

    void valuesAsStored()
    {
        TNewIniFile f;
        f.loadFromBytes(
            "[image]\nimagedelay=0x0A\n[Image]\nImgAmpliation=$0A\nImgFrameWidth=ten\n");
        PresentationSettings s;
        ReadPresentationSettings(f, s);
        QCOMPARE(int(s.ImageDelay), 10);
        QCOMPARE(int(s.ImgAmpliation), 10);
        QCOMPARE(s.ImgFrameWidth, 10); // "ten" gives the default
        TNewIniFile ten;
        ten.loadFromBytes("[Image]\nImageDelay=ten\n");
        ReadPresentationSettings(ten, s);
        QCOMPARE(int(s.ImageDelay), 2);
    }

    void rewriteKeepsWhatWeDoNotKnow()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.ini"));
        // Duplicate keys and sections, a line without "=", Catalan text in Windows-1252, no final
        // line end.
        writeAll(path,
                 "; comment dropped\r\n[Alien]\r\nKey=\xE0\xE8\r\nKey=second\r\nloose line\r\n"
                 "[Options]\r\nManualViewing=0\r\n[alien]\r\nMore=1");
        TNewIniFile f(path);
        QVERIFY(f.load());
        QCOMPARE(f.ReadString(QStringLiteral("ALIEN"), QStringLiteral("key"), QStringLiteral("")),
                 QStringLiteral("àè"));
        PresentationSettings s;
        ReadPresentationSettings(f, s);
        QVERIFY(!s.ManualViewing);
        WritePresentationSettings(f, s);
        FakePrompter p;
        QVERIFY(f.UpdateFile(p).ok());
        const QByteArray out = readAll(path);
        QVERIFY(out.startsWith(
            "[Alien]\r\nKey=\xE0\xE8\r\nKey=second\r\nloose line\r\nMore=1\r\n\r\n[Options]\r\n"
            "ManualViewing=0\r\nLoopImages=0\r\n"));
        QVERIFY(!out.contains("comment"));
        QVERIFY(out.contains("[AloneAnswer]\r\nByInput=0"));
    }

    void badSettingsFilesReadAsDefaults()
    {
        QByteArray garbage;
        for (int i = 0; i < 200000; ++i)
            garbage += char((i * 7919) & 0xFF);
        garbage +=
            "\n[Image]\nImageDelay=" + QByteArray(10 * 1024 * 1024, '9') + "\nImgAmpliation=5";
        TNewIniFile f;
        f.loadFromBytes(garbage);
        PresentationSettings s;
        ReadPresentationSettings(f, s);
        QCOMPARE(int(s.ImageDelay), 2);    // too long to be a number: the default
        QCOMPARE(int(s.ImgAmpliation), 5); // the last line read without a line end
        TNewIniFile again;
        again.loadFromBytes(f.toBytes());
        QCOMPARE(again.ReadString(QStringLiteral("Image"), QStringLiteral("ImgAmpliation"),
                                  QStringLiteral("")),
                 QStringLiteral("5"));
    }

    void base64()
    {
        QCOMPARE(EncodeString(QString()), QString());
        QCOMPARE(DecodeString(QString()), QString());
        QCOMPARE(EncodeString(QStringLiteral("C:\\Dades")), QStringLiteral("QzpcRGFkZXM="));
        QCOMPARE(DecodeString(QStringLiteral("QzpcR\r\nGFk ZXM=")), QStringLiteral("C:\\Dades"));
        QCOMPARE(DecodeString(EncodeString(QStringLiteral("Música i còpia"))),
                 QStringLiteral("Música i còpia"));
        const QByteArray long57(57, 'a');
        QVERIFY(!encodeBase64Bytes(long57).contains("\r\n"));
        QCOMPARE(encodeBase64Bytes(long57 + "b").count("\r\n"), 1);
        QCOMPARE(encodeBase64Bytes(QByteArray(114, 'c')).count("\r\n"), 1);
        QCOMPARE(decodeBase64Bytes("YQ"), QByteArray("a"));
        QCOMPARE(decodeBase64Bytes("YWI"), QByteArray("ab"));

        QTemporaryDir dir;
        QByteArray data;
        for (int i = 0; i < 2736 * 2 + 100; ++i)
            data += char(i * 31);
        writeAll(dir.filePath(QStringLiteral("in.bin")), data);
        QVERIFY(EncodeFile(dir.filePath(QStringLiteral("in.bin")),
                           dir.filePath(QStringLiteral("b64.txt")))
                    .ok);
        const QByteArray text = readAll(dir.filePath(QStringLiteral("b64.txt")));
        QCOMPARE(text.left(3744).count("\r\n"), 48);
        QVERIFY(text.left(3744).endsWith("\r\n"));
        QVERIFY(DecodeFile(dir.filePath(QStringLiteral("b64.txt")),
                           dir.filePath(QStringLiteral("out.bin")))
                    .ok);
        QCOMPARE(readAll(dir.filePath(QStringLiteral("out.bin"))), data);
    }

    void readOnlyFilesAskFirst()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ro.ini"));
        writeAll(path, "[Options]\r\nManualViewing=1\r\n");
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        FakePrompter p;
        p.answers = {MsgButton::No};
        TNewIniFile f(path);
        f.load();
        f.WriteBool(QStringLiteral("Options"), QStringLiteral("ManualViewing"), false);
        QVERIFY(!f.UpdateFile(p).ok());
        QCOMPARE(p.texts(),
                 QStringList{QStringLiteral(
                                 "L'arxiu\r\n%1\r\nés de sols lectura, treure-li'n la protecció?")
                                 .arg(path)});
        QCOMPARE(readAll(path), QByteArray("[Options]\r\nManualViewing=1\r\n"));
        p.answers = {MsgButton::Yes};
        QVERIFY(f.UpdateFile(p).ok());
        QVERIFY(!isReadOnlyFile(path));
        QVERIFY(readAll(path).contains("ManualViewing=0"));
        QVERIFY(EnsureWritable(dir.filePath(QStringLiteral("absent.ini")), p));
    }

    void programOptionsRules()
    {
        TNewIniFile f;
        f.loadFromBytes("[EditSAL]\nActionEndIndex=1\nActionOptionsIndex=25\nImageSlidesIndex=-"
                        "4\nActionXIndex=1\n"
                        "[Options]\nCurrentSALName=/x/last.sal\nAutomaticInit=2\nOpenSalOption=2\n"
                        "[WriteResults]\nWrite=0\n");
        ProgramOptions o;
        ProgramOptionsReadContext ctx;
        ctx.programDir = QStringLiteral("/opt/pelvar/");
        ctx.commandLineFile = true;
        QVERIFY(ReadProgramOptions(f, o, ctx));
        QCOMPARE(o.ActionEndIndex, 0); // "show the results" without results writing
        QCOMPARE(o.ActionOptionsIndex, 10);
        QCOMPARE(o.ImageSlidesIndex, 3);
        QCOMPARE(o.ActionXIndex, 1);
        QCOMPARE(o.CurrentSALName, QString()); // a file on the command line: not read
        QCOMPARE(o.AutomaticInit, AutomaticInitMode::Nothing);
        QCOMPARE(o.OpenSalOption, OpenSalAction::Check);
        QCOMPARE(o.Results.Dir, QStringLiteral("/opt/pelvar"));
        TNewIniFile out;
        WriteProgramOptions(out, o);
        QCOMPARE(out.ReadInteger(QStringLiteral("EditSAL"), QStringLiteral("ActionEndIndex"), -1),
                 0);
        ctx.commandLineFile = false;
        ReadProgramOptions(f, o, ctx);
        QCOMPARE(o.CurrentSALName, QStringLiteral("/x/last.sal"));
        QCOMPARE(o.AutomaticInit, AutomaticInitMode::OpenAndRun);
    }

    // Mode numbers outside their range, as a hand-edited file may hold them, read as the choice
    // that does nothing on its own, and are written back as that choice.
    void modeNumbersOutOfRangeDoNothing()
    {
        TNewIniFile f;
        f.loadFromBytes("[Options]\nAutomaticInit=7\nOpenSalOption=-1\nSaveIndividualConfigO=9\n"
                        "[PresSort]\nPresSort=5\nPresDRandom=-2\nShowingModel=2\n");
        ProgramOptions o;
        ProgramOptionsReadContext ctx;
        ReadProgramOptions(f, o, ctx);
        QCOMPARE(o.AutomaticInit, AutomaticInitMode::Nothing);
        QCOMPARE(o.OpenSalOption, OpenSalAction::Nothing);
        QCOMPARE(o.SaveIndividualConfigO, SaveConfigPolicy::Never);
        TNewIniFile out;
        WriteProgramOptions(out, o);
        QCOMPARE(out.ReadInteger(QStringLiteral("Options"), QStringLiteral("OpenSalOption"), -5),
                 3);
        QCOMPARE(
            out.ReadInteger(QStringLiteral("Options"), QStringLiteral("SaveIndividualConfigO"), -5),
            2);
        PresentationSettings s;
        ReadPresentationSettings(f, s);
        QCOMPARE(s.PresSort, PresSortMode::Sequential);
        QCOMPARE(s.PresDRandom, RandomScope::All);
        QCOMPARE(s.ShowingModel, ShowingMode::Exam);
    }

    void missingResultsFolderWarns()
    {
        QTemporaryDir dir;
        TNewIniFile f;
        const QString missing = dir.filePath(QStringLiteral("gone/deeper"));
        f.WriteBool(QStringLiteral("WriteResults"), QStringLiteral("Write"), true);
        f.WriteString(QStringLiteral("WriteResults"), QStringLiteral("Dir"), EncodeString(missing));
        WriteResultsSettings r;
        FakePrompter p;
        ReadWriteResults(f, r, QStringLiteral("/prog"), &p);
        QVERIFY(r.disabledForRun);
        QCOMPARE(QDir::cleanPath(r.Dir), QDir::cleanPath(dir.path()));
        QCOMPARE(p.texts(),
                 QStringList{QStringLiteral(
                                 "No s'ha trobat el directori (%1) on escriure els resultats,\r\n"
                                 "l'opció d'escriure els resultats queda desactivada")
                                 .arg(missing)});
        // A long folder survives the settings file in one piece.
        WriteResultsSettings longDir;
        longDir.Dir = QStringLiteral("/") + QString(150, QLatin1Char('x'));
        TNewIniFile w;
        WriteWriteResults(w, longDir);
        TNewIniFile reread;
        reread.loadFromBytes(w.toBytes());
        WriteResultsSettings back;
        ReadWriteResults(reread, back, QStringLiteral("/prog"), nullptr);
        QCOMPARE(back.Dir, longDir.Dir);
    }

    void individualConfigurationLeavesTheProgramOneAlone()
    {
        QTemporaryDir dir;
        TModIniLS mod(THlpIniFLoadSave(dir.path(), QStringLiteral("Pelvar")));
        const QString programIni = mod.paths().ProgramIniPath;
        writeAll(programIni, "[Options]\r\nSeveralUsers=1\r\nUserConfiguration=1\r\n");
        const QByteArray before = readAll(programIni);
        FakePrompter p;
        mod.readProgramWide(p);
        QVERIFY(mod.Wide.UserConfiguration);
        mod.setIdentifiedUser(QStringLiteral("Maria"));
        QVERIFY(mod.IndividualConfigActive);
        mod.Wide.SeveralUsers = false;
        ProgramOptions o;
        o.AutomaticInit = AutomaticInitMode::OpenLast;
        QVERIFY(mod.saveAtExit(o, PresentationSettings(), false, p));
        QCOMPARE(readAll(programIni), before);
        QVERIFY(readAll(dir.filePath(QStringLiteral("PVR_Maria.ini"))).contains("AutomaticInit=1"));
        QVERIFY(p.shown.empty());
    }

    void exitSavingOffersDefaultsAndRetries()
    {
        QTemporaryDir dir;
        TModIniLS mod(THlpIniFLoadSave(dir.path(), QStringLiteral("Pelvar")));
        FakePrompter p;
        PresentationSettings s;
        s.ImageDelay = 9;
        p.answers = {MsgButton::Yes};
        QVERIFY(mod.saveAtExit(ProgramOptions(), s, true, p));
        QCOMPARE(p.texts(), QStringList{QStringLiteral(
                                "Desar la configuració actual com a configuració per defecte?")});
        TNewIniFile back(mod.paths().ProgramIniPath);
        back.load();
        QCOMPARE(back.ReadInteger(QStringLiteral("Image"), QStringLiteral("ImageDelay"), 0), 9);
        QCOMPARE(mod.resultsIniPath(), QStringLiteral("Results.ini"));
        mod.Wide.DBUsersDir = QStringLiteral("C:\\Dades");
        QCOMPARE(mod.resultsIniPath(), QStringLiteral("C:\\DadesResults.ini"));

        // A failed save asks before the next attempt.
        QTemporaryDir gone;
        TModIniLS broken(
            THlpIniFLoadSave(gone.filePath(QStringLiteral("missing")), QStringLiteral("Pelvar")));
        FakePrompter q;
        QVERIFY(!broken.saveAtExit(ProgramOptions(), s, false, q));
        QVERIFY(broken.LastSaveInterrupted);
        q.answers = {MsgButton::No};
        QVERIFY(!broken.saveAtExit(ProgramOptions(), s, false, q));
        QCOMPARE(q.texts().back(),
                 QStringLiteral("Voleu provar de guardar la configuració de nou?"));
    }

    void fontNames()
    {
        const FontLookup fonts(
            QStringList{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Serif")});
        QVERIFY(fonts.isAvailable(QStringLiteral("dejavu sans")));
        QVERIFY(fonts.isAvailable(QStringLiteral("MS Sans Serif")));
        QVERIFY(fonts.isAvailable(QStringLiteral("Tahoma")));
        QVERIFY(!fonts.isAvailable(QStringLiteral("Comic Zans")));
        TNewIniFile f;
        f.loadFromBytes("[FontNote1]\nFontName=Comic Zans\n[FontNote2]\nFontName=MS Sans Serif\n");
        PresentationSettings s;
        s.FontNote1.FontName = QStringLiteral("DejaVu Sans");
        FakePrompter p;
        SettingsReadContext ctx;
        ctx.fonts = &fonts;
        ctx.prompter = &p;
        ReadPresentationSettings(f, s, ctx);
        QCOMPARE(s.FontNote1.FontName, QStringLiteral("DejaVu Sans"));
        QCOMPARE(s.FontNote2.FontName, QStringLiteral("MS Sans Serif"));
        QCOMPARE(p.texts(), QStringList{QStringLiteral(
                                "No s'ha trobat el tipus de lletra Comic Zans, per FontNote1")});
    }

    void missingBackgroundBitmaps()
    {
        TNewIniFile f;
        f.loadFromBytes("[ImagePanel]\nColorBackGroundEffect=1\nBmpForBackgroud=/no/fons.bmp\n"
                        "[TitlePanel]\nColorBackGroundEffect=4\nBmpForBackgroud=/no/titol.bmp\n");
        PresentationSettings s;
        FakePrompter p;
        SettingsReadContext ctx;
        ctx.prompter = &p;
        ctx.pickBitmap = [](const QString &) { return QString(); };
        p.answers = {MsgButton::Yes};
        ReadPresentationSettings(f, s, ctx);
        QCOMPARE(p.texts(), QStringList{QStringLiteral(
                                "No s'ha trobat el bmp de fons /no/fons.bmp, per ImagePanel\r\n"
                                "voleu provar de buscar o substituir-lo ara?")});
        QVERIFY(s.ImagePanel.BmpForBackgroud.isEmpty());
        QVERIFY(
            s.TitlePanel.BmpForBackgroud.isEmpty()); // not needed by a gradient: dropped silently

        // Present but not loadable (a bitmap's signature over nothing): dropped without a word;
        // a whole bitmap stays.
        QTemporaryDir dir;
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        const QString good = dir.filePath(QStringLiteral("bo.bmp"));
        QVERIFY(picture.save(good, "BMP"));
        const QString header = dir.filePath(QStringLiteral("capcalera.bmp"));
        writeAll(header, QByteArray("BM") + QByteArray(60, '\xFF'));
        TNewIniFile g;
        g.loadFromBytes(QStringLiteral("[ImagePanel]\nColorBackGroundEffect=1\nBmpForBackgroud=%1\n"
                                       "[NotePanel]\nColorBackGroundEffect=1\nBmpForBackgroud=%2\n")
                            .arg(header, good)
                            .toUtf8());
        FakePrompter quiet;
        ctx.prompter = &quiet;
        ReadPresentationSettings(g, s, ctx);
        QVERIFY(quiet.texts().isEmpty());
        QCOMPARE(s.ImagePanel.BmpForBackgroud, QString());
        QCOMPARE(s.NotePanel.BmpForBackgroud, good);
    }
};

QTEST_GUILESS_MAIN(ConfigFilesTest)
#include "ConfigFilesTest.moc"
