#include "config/PresentationSettingsFile.h"

#include "config/FontLookup.h"
#include "config/TNewIniFile.h"
#include "files/Prompter.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

QString str(const char *s)
{
    return QString::fromLatin1(s);
}

std::uint8_t readInt8(const TNewIniFile &f, const char *sec, const char *key, std::uint8_t def)
{
    return std::uint8_t(f.ReadInteger(str(sec), str(key), def) & 0xFF);
}

std::uint16_t readInt16(const TNewIniFile &f, const char *sec, const char *key, std::uint16_t def)
{
    return std::uint16_t(f.ReadInteger(str(sec), str(key), def) & 0xFFFF);
}

std::int16_t readSInt16(const TNewIniFile &f, const char *sec, const char *key, std::int16_t def)
{
    return std::int16_t(std::uint16_t(f.ReadInteger(str(sec), str(key), def) & 0xFFFF));
}

int readInt(const TNewIniFile &f, const char *sec, const char *key, int def)
{
    return f.ReadInteger(str(sec), str(key), def);
}

bool readBool(const TNewIniFile &f, const char *sec, const char *key, bool def)
{
    return f.ReadBool(str(sec), str(key), def);
}

// An effect outside lo..hi leaves the effect in force.
void readBackground(const TNewIniFile &f, const char *sec, int hi, PanelBackground &b, bool readEnd,
                    const SettingsReadContext &ctx)
{
    b.ColorStart = readInt(f, sec, "ColorStart", kClBtnFace);
    if (readEnd)
        b.ColorEnd = readInt(f, sec, "ColorEnd", kClBtnFace);
    const int effect = readInt(f, sec, "ColorBackGroundEffect", 0);
    if (effect >= 0 && effect <= hi)
        b.ColorBackGroundEffect = effect;
    QString path = f.ReadString(str(sec), str("BmpForBackgroud"), QString());
    if (!path.isEmpty() && !QFileInfo(path).isFile()) {
        const bool needed = b.ColorBackGroundEffect == 1 || b.ColorBackGroundEffect == 2;
        QString replacement;
        if (needed && ctx.prompter &&
            ctx.prompter->AskYes(QStringLiteral("No s'ha trobat el bmp de fons %1, per %2\r\nvoleu "
                                                "provar de buscar o substituir-lo ara?")
                                     .arg(path, str(sec))) &&
            ctx.pickBitmap)
            replacement = ctx.pickBitmap(path);
        path = replacement;
    }
    // A bitmap that cannot be loaded is dropped without a word. A valid header is not enough:
    // the whole picture has to decode (the reader's allocation limit refuses absurd sizes).
    if (!path.isEmpty() && QImageReader(path).read().isNull())
        path.clear();
    b.BmpForBackgroud = path;
}

void readSize(const TNewIniFile &f, const char *sec, int lo, int hi, int def, PanelSize &p)
{
    p.ManualSize = readBool(f, sec, "ManualSize", false);
    const int size = readInt(f, sec, "Size", def);
    p.Size = (size < lo || size > hi) ? def : size;
}

void readFont(const TNewIniFile &f, const char *sec, FontSettings &font,
              const SettingsReadContext &ctx)
{
    font.Color = readInt(f, sec, "Color", kClWindowText);
    const QString name = f.ReadString(str(sec), str("FontName"), QStringLiteral("MS Sans Serif"));
    if (!ctx.fonts || ctx.fonts->isAvailable(name))
        font.FontName = name;
    else if (ctx.prompter)
        ctx.prompter->ShowWarning(
            QStringLiteral("No s'ha trobat el tipus de lletra %1, per %2").arg(name, str(sec)));
    font.FontSize = readInt(f, sec, "FontSize", 8);
    font.fsBold = readBool(f, sec, "fsBold", false);
    font.fsItalic = readBool(f, sec, "fsItalic", false);
}

void readTitleFont(const TNewIniFile &f, const char *sec, TitleFontSettings &font,
                   const SettingsReadContext &ctx)
{
    readFont(f, sec, font, ctx);
    font.ShadowColor = readInt(f, sec, "ShadowColor", kClBtnHighlight);
    const int pos = readInt(f, sec, "ShadowPos", 0);
    if (pos >= 0 && pos <= 3)
        font.ShadowPos = pos;
    const int size = readInt(f, sec, "ShadowSize", 0);
    if (size >= 0 && size <= 50)
        font.ShadowSize = size;
}

} // namespace

void ReadPresentationSettings(const TNewIniFile &f, PresentationSettings &s,
                              const SettingsReadContext &ctx)
{
    s.ManualViewing = readBool(f, "Options", "ManualViewing", true);
    s.LoopImages = readBool(f, "Options", "LoopImages", false);
    s.HideNote = readBool(f, "Options", "HideNote", false);

    s.ImageDelay = readInt16(f, "Image", "ImageDelay", 2);
    s.ImgAmpliation = readInt16(f, "Image", "ImgAmpliation", 200);
    s.ImgAmpliationEnabled = readBool(f, "Image", "ImgAmpliationEnabled", false);
    const int mode = readInt(f, "Image", "ImgNotePanelsMode", 0);
    if (mode >= 0 && mode <= 2)
        s.ImgNotePanelsMode = mode;
    s.ImgFrameEnabled = readBool(f, "Image", "ImgFrameEnabled", false);
    s.ImgFrameWidth = readInt(f, "Image", "ImgFrameWidth", 10);
    s.ImgGifAnimate = readBool(f, "Image", "ImgGifAnimate", true);
    s.ImgGifAnimateSpeed = readInt16(f, "Image", "ImgGifAnimateSpeed", 10);
    s.ImgTransparent = readBool(f, "Image", "ImgTransparent", false);
    s.ColorRichEdit = readInt(f, "Image", "ColorRichEdit", 0x00FFFFFF);

    s.MarkSize = readInt(f, "Mark", "Size", 20);
    s.MarkConstRatio = readBool(f, "Mark", "ConstRatio", false);
    s.MarkPenMode = readInt8(f, "Mark", "PenMode", 4);
    s.MarkPenColor = readInt(f, "Mark", "PenColor", 0);
    s.MarkBrushColor = readInt(f, "Mark", "BrushColor", 255);
    s.MarkPenWidth = readInt8(f, "Mark", "PenWidth", 1);

    readBackground(f, "ImagePanel", 2, s.ImagePanel, true, ctx);
    // The note panels' end colour is written but not read.
    readBackground(f, "NotePanel", 2, s.NotePanel, false, ctx);
    s.PermanentNotePanels = readBool(f, "NotePanel", "PermanentNotePanels", false);

    readSize(f, "PanelNoteLR", 60, 300, 100, s.PanelNoteLR);
    s.LeftJustifyLRLines = readBool(f, "PanelNoteLR", "LeftJustifyLRLines", false);
    s.OnTopLRLines = readBool(f, "PanelNoteLR", "OnTopLRLines", false);
    s.WordWrapLRLines = readBool(f, "PanelNoteLR", "WordWrapLRLines", false);
    readSize(f, "PanelPA", 10, 200, 40, s.PanelPA);
    s.EditAnswWidth = readInt(f, "PanelPA", "EditAnswWidth", 100);
    readSize(f, "PanelNoteTB", 10, 200, 40, s.PanelNoteTB);

    readBackground(f, "TitlePanel", 10, s.TitlePanel, true, ctx);

    s.PresErrReferent = readInt8(f, "PresErrWindow", "Referent", 0);
    s.PresErrSizePercent = readInt8(f, "PresErrWindow", "SizePercent", 50);

    const int sort = readInt(f, "PresSort", "PresSort", 0);
    s.PresSort = PresSortMode((sort < 0 || sort > 2) ? 0 : sort);
    const int dr = readInt(f, "PresSort", "PresDRandom", 0);
    s.PresDRandom = RandomScope((dr < 0 || dr > 2) ? 0 : dr);
    if (s.PresDRandom == RandomScope::WithOmissions) {
        s.OmissionFirstSlide = readBool(f, "PresSort", "OmissionFirstSlide", false);
        s.OmissionLastSlide = readBool(f, "PresSort", "OmissionLastSlide", false);
    } else if (s.PresDRandom == RandomScope::Range) {
        s.RandomRangeInf = readSInt16(f, "PresSort", "RandomRangeInf", 0);
        s.RandomRangeSup = readSInt16(f, "PresSort", "RandomRangeSup", 0);
    }
    s.ShowingModel = ShowingMode(readInt8(f, "PresSort", "ShowingModel", 0));
    s.UseNegativeScore = readBool(f, "PresSort", "UseNegativeScore", false);
    s.MAMaxIncorrections = readInt8(f, "PresSort", "MAMaxIncorrections", 4);
    s.OnlyResultTest = readBool(f, "PresSort", "OnlyResultTest", false);
    s.OmissionLearningResultsMessages =
        readBool(f, "PresSort", "OmissionLearningResultsMessages", false);
    s.InitialMemorizedCount = readInt8(f, "PresSort", "InitialMemorizedCount", 2);
    s.UseAllSlidesToMem = readBool(f, "PresSort", "UseAllSlidesToMem", true);
    if (!s.UseAllSlidesToMem)
        s.InitialImages = readInt8(f, "PresSort", "InitialImages", 0);
    s.PresRepeatedImages = readBool(f, "PresSort", "PresRepeatedImages", false);
    if (s.PresRepeatedImages)
        s.TotalSlidesToMemorize = readInt8(f, "PresSort", "TotalSlidesToMemorize", 0);

    s.WithoutCaption = readBool(f, "Presentation", "WithoutCaption", false);
    s.WithoutMenuOrButtons = readBool(f, "Presentation", "WithoutMenuOrButtons", false);
    s.PresWithITListName = readBool(f, "Presentation", "PresWithITListName", false);
    s.PresWithNumbering = readBool(f, "Presentation", "PresWithNumbering", true);
    s.PresWithTotalNumbering = readBool(f, "Presentation", "PresWithTotalNumbering", true);
    s.PresWithSNumbering = readBool(f, "Presentation", "PresWithSNumbering", true);
    s.PresWithSTotalNumbering = readBool(f, "Presentation", "PresWithSTotalNumbering", true);
    s.PresWithITName = readBool(f, "Presentation", "PresWithITName", true);
    s.PresWithITPath = readBool(f, "Presentation", "PresWithITPath", false);
    s.PresWithITExt = readBool(f, "Presentation", "PresWithITExt", false);
    s.PresWithIAmpliationRatio = readBool(f, "Presentation", "PresWithIAmpliationRatio", true);
    s.PresWithKeyInfo = readBool(f, "Presentation", "PresWithKeyInfo", true);

    readFont(f, "FontNote1", s.FontNote1, ctx);
    readFont(f, "FontNote2", s.FontNote2, ctx);
    readFont(f, "FontText", s.FontText, ctx);
    readFont(f, "FontPrompt", s.FontPrompt, ctx);
    readFont(f, "FontAnswers", s.FontAnswers, ctx);
    readFont(f, "FontAnswerMes", s.FontAnswerMes, ctx);
    s.AnswerMesWithIcon = readBool(f, "FontAnswerMes", "AnswerMesWithIcon", false);
    readTitleFont(f, "FontTitle1rsLine", s.FontTitle1rsLine, ctx);
    readTitleFont(f, "FontTitle2ndLine", s.FontTitle2ndLine, ctx);

    s.ByInput = readBool(f, "AloneAnswer", "ByInput", false);
    s.WithMask = readBool(f, "AloneAnswer", "WithMask", false);
    s.ChangeIncorrectChar = readBool(f, "AloneAnswer", "ChangeIncorrectChar", false);
    s.IgnoreAccent = readBool(f, "AloneAnswer", "IgnoreAccent", false);
    s.CheckAtEnd = readBool(f, "AloneAnswer", "CheckAtEnd", true);
    s.MaxIncorrections = readInt8(f, "AloneAnswer", "MaxIncorrections", 1);
}

namespace {

enum class Conditions { AsTheReader, EveryField };

// Walks the settings in the order they are written, handing each key and its stored text to
// `put`. With AsTheReader the conditional keys are skipped exactly when the reader skips them.
void visitSettings(const PresentationSettings &s, Conditions cond,
                   const std::function<void(const char *, const char *, const QString &)> &put)
{
    const auto b = [&](const char *sec, const char *key, bool v) {
        put(sec, key, v ? QStringLiteral("1") : QStringLiteral("0"));
    };
    const auto i = [&](const char *sec, const char *key, long long v) {
        put(sec, key, QString::number(v));
    };
    const auto background = [&](const char *sec, const PanelBackground &p) {
        i(sec, "ColorStart", p.ColorStart);
        i(sec, "ColorEnd", p.ColorEnd);
        i(sec, "ColorBackGroundEffect", p.ColorBackGroundEffect);
        put(sec, "BmpForBackgroud", p.BmpForBackgroud);
    };
    const auto font = [&](const char *sec, const FontSettings &f) {
        i(sec, "Color", f.Color);
        put(sec, "FontName", f.FontName);
        i(sec, "FontSize", f.FontSize);
        b(sec, "fsBold", f.fsBold);
        b(sec, "fsItalic", f.fsItalic);
    };
    const auto titleFont = [&](const char *sec, const TitleFontSettings &f) {
        font(sec, f);
        i(sec, "ShadowColor", f.ShadowColor);
        i(sec, "ShadowPos", f.ShadowPos);
        i(sec, "ShadowSize", f.ShadowSize);
    };
    const bool all = cond == Conditions::EveryField;

    b("Options", "ManualViewing", s.ManualViewing);
    b("Options", "LoopImages", s.LoopImages);
    b("Options", "HideNote", s.HideNote);

    i("Image", "ImageDelay", s.ImageDelay);
    i("Image", "ImgAmpliation", s.ImgAmpliation);
    b("Image", "ImgAmpliationEnabled", s.ImgAmpliationEnabled);
    i("Image", "ImgNotePanelsMode", s.ImgNotePanelsMode);
    b("Image", "ImgFrameEnabled", s.ImgFrameEnabled);
    i("Image", "ImgFrameWidth", s.ImgFrameWidth);
    b("Image", "ImgGifAnimate", s.ImgGifAnimate);
    i("Image", "ImgGifAnimateSpeed", s.ImgGifAnimateSpeed);
    b("Image", "ImgTransparent", s.ImgTransparent);
    i("Image", "ColorRichEdit", s.ColorRichEdit);

    i("Mark", "Size", s.MarkSize);
    b("Mark", "ConstRatio", s.MarkConstRatio);
    i("Mark", "PenMode", s.MarkPenMode);
    i("Mark", "PenColor", s.MarkPenColor);
    i("Mark", "BrushColor", s.MarkBrushColor);
    i("Mark", "PenWidth", s.MarkPenWidth);

    background("ImagePanel", s.ImagePanel);
    background("NotePanel", s.NotePanel);
    b("NotePanel", "PermanentNotePanels", s.PermanentNotePanels);

    b("PanelNoteLR", "ManualSize", s.PanelNoteLR.ManualSize);
    i("PanelNoteLR", "Size", s.PanelNoteLR.Size);
    b("PanelNoteLR", "LeftJustifyLRLines", s.LeftJustifyLRLines);
    b("PanelNoteLR", "OnTopLRLines", s.OnTopLRLines);
    b("PanelNoteLR", "WordWrapLRLines", s.WordWrapLRLines);
    b("PanelPA", "ManualSize", s.PanelPA.ManualSize);
    i("PanelPA", "Size", s.PanelPA.Size);
    i("PanelPA", "EditAnswWidth", s.EditAnswWidth);
    b("PanelNoteTB", "ManualSize", s.PanelNoteTB.ManualSize);
    i("PanelNoteTB", "Size", s.PanelNoteTB.Size);

    background("TitlePanel", s.TitlePanel);

    i("PresErrWindow", "Referent", s.PresErrReferent);
    i("PresErrWindow", "SizePercent", s.PresErrSizePercent);

    i("PresSort", "PresSort", int(s.PresSort));
    i("PresSort", "PresDRandom", int(s.PresDRandom));
    if (all || s.PresDRandom == RandomScope::WithOmissions) {
        b("PresSort", "OmissionFirstSlide", s.OmissionFirstSlide);
        b("PresSort", "OmissionLastSlide", s.OmissionLastSlide);
    }
    if (all || s.PresDRandom == RandomScope::Range) {
        i("PresSort", "RandomRangeInf", s.RandomRangeInf);
        i("PresSort", "RandomRangeSup", s.RandomRangeSup);
    }
    i("PresSort", "ShowingModel", int(s.ShowingModel));
    b("PresSort", "UseNegativeScore", s.UseNegativeScore);
    i("PresSort", "MAMaxIncorrections", s.MAMaxIncorrections);
    b("PresSort", "OnlyResultTest", s.OnlyResultTest);
    b("PresSort", "OmissionLearningResultsMessages", s.OmissionLearningResultsMessages);
    i("PresSort", "InitialMemorizedCount", s.InitialMemorizedCount);
    b("PresSort", "UseAllSlidesToMem", s.UseAllSlidesToMem);
    if (all || !s.UseAllSlidesToMem)
        i("PresSort", "InitialImages", s.InitialImages);
    b("PresSort", "PresRepeatedImages", s.PresRepeatedImages);
    if (all || s.PresRepeatedImages)
        i("PresSort", "TotalSlidesToMemorize", s.TotalSlidesToMemorize);

    b("Presentation", "WithoutCaption", s.WithoutCaption);
    b("Presentation", "WithoutMenuOrButtons", s.WithoutMenuOrButtons);
    b("Presentation", "PresWithITListName", s.PresWithITListName);
    b("Presentation", "PresWithNumbering", s.PresWithNumbering);
    b("Presentation", "PresWithTotalNumbering", s.PresWithTotalNumbering);
    b("Presentation", "PresWithSNumbering", s.PresWithSNumbering);
    b("Presentation", "PresWithSTotalNumbering", s.PresWithSTotalNumbering);
    b("Presentation", "PresWithITName", s.PresWithITName);
    b("Presentation", "PresWithITPath", s.PresWithITPath);
    b("Presentation", "PresWithITExt", s.PresWithITExt);
    b("Presentation", "PresWithIAmpliationRatio", s.PresWithIAmpliationRatio);
    b("Presentation", "PresWithKeyInfo", s.PresWithKeyInfo);

    font("FontNote1", s.FontNote1);
    font("FontNote2", s.FontNote2);
    font("FontText", s.FontText);
    font("FontPrompt", s.FontPrompt);
    font("FontAnswers", s.FontAnswers);
    font("FontAnswerMes", s.FontAnswerMes);
    b("FontAnswerMes", "AnswerMesWithIcon", s.AnswerMesWithIcon);
    titleFont("FontTitle1rsLine", s.FontTitle1rsLine);
    titleFont("FontTitle2ndLine", s.FontTitle2ndLine);

    b("AloneAnswer", "ByInput", s.ByInput);
    b("AloneAnswer", "WithMask", s.WithMask);
    b("AloneAnswer", "ChangeIncorrectChar", s.ChangeIncorrectChar);
    b("AloneAnswer", "IgnoreAccent", s.IgnoreAccent);
    b("AloneAnswer", "CheckAtEnd", s.CheckAtEnd);
    i("AloneAnswer", "MaxIncorrections", s.MaxIncorrections);
}

} // namespace

bool WritePresentationSettings(TNewIniFile &file, const PresentationSettings &s)
{
    visitSettings(s, Conditions::AsTheReader,
                  [&](const char *sec, const char *key, const QString &v) {
                      file.WriteString(QString::fromLatin1(sec), QString::fromLatin1(key), v);
                  });
    return true;
}

QStringList DescribePresentationSettings(const PresentationSettings &s)
{
    QStringList out;
    visitSettings(
        s, Conditions::EveryField, [&](const char *sec, const char *key, const QString &v) {
            out.append(QStringLiteral("%1.%2=%3").arg(QLatin1String(sec), QLatin1String(key), v));
        });
    return out;
}
