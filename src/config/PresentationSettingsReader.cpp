#include "config/PresentationSettingsReader.h"

#include "config/TNewIniFile.h"

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
void readBackground(const TNewIniFile &f, const char *sec, int hi, PanelBackground &b, bool readEnd)
{
    b.ColorStart = readInt(f, sec, "ColorStart", kClBtnFace);
    if (readEnd)
        b.ColorEnd = readInt(f, sec, "ColorEnd", kClBtnFace);
    const int effect = readInt(f, sec, "ColorBackGroundEffect", 0);
    if (effect >= 0 && effect <= hi)
        b.ColorBackGroundEffect = effect;
    b.BmpForBackgroud = f.ReadString(str(sec), str("BmpForBackgroud"), QString());
}

void readSize(const TNewIniFile &f, const char *sec, int lo, int hi, int def, PanelSize &p)
{
    p.ManualSize = readBool(f, sec, "ManualSize", false);
    const int size = readInt(f, sec, "Size", def);
    p.Size = (size < lo || size > hi) ? def : size;
}

void readFont(const TNewIniFile &f, const char *sec, FontSettings &font)
{
    font.Color = readInt(f, sec, "Color", kClWindowText);
    font.FontName = f.ReadString(str(sec), str("FontName"), font.FontName);
    font.FontSize = readInt(f, sec, "FontSize", 8);
    font.fsBold = readBool(f, sec, "fsBold", false);
    font.fsItalic = readBool(f, sec, "fsItalic", false);
}

void readTitleFont(const TNewIniFile &f, const char *sec, TitleFontSettings &font)
{
    readFont(f, sec, font);
    font.ShadowColor = readInt(f, sec, "ShadowColor", kClBtnHighlight);
    const int pos = readInt(f, sec, "ShadowPos", 0);
    if (pos >= 0 && pos <= 3)
        font.ShadowPos = pos;
    const int size = readInt(f, sec, "ShadowSize", 0);
    if (size >= 0 && size <= 50)
        font.ShadowSize = size;
}

} // namespace

void ReadPresentationSettings(const TNewIniFile &f, PresentationSettings &s)
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

    readBackground(f, "ImagePanel", 2, s.ImagePanel, true);
    // The note panels' end colour is written but not read.
    readBackground(f, "NotePanel", 2, s.NotePanel, false);
    s.PermanentNotePanels = readBool(f, "NotePanel", "PermanentNotePanels", false);

    readSize(f, "PanelNoteLR", 60, 300, 100, s.PanelNoteLR);
    s.LeftJustifyLRLines = readBool(f, "PanelNoteLR", "LeftJustifyLRLines", false);
    s.OnTopLRLines = readBool(f, "PanelNoteLR", "OnTopLRLines", false);
    s.WordWrapLRLines = readBool(f, "PanelNoteLR", "WordWrapLRLines", false);
    readSize(f, "PanelPA", 10, 200, 40, s.PanelPA);
    s.EditAnswWidth = readInt(f, "PanelPA", "EditAnswWidth", 100);
    readSize(f, "PanelNoteTB", 10, 200, 40, s.PanelNoteTB);

    readBackground(f, "TitlePanel", 10, s.TitlePanel, true);

    s.PresErrReferent = readInt8(f, "PresErrWindow", "Referent", 0);
    s.PresErrSizePercent = readInt8(f, "PresErrWindow", "SizePercent", 50);

    const int sort = readInt(f, "PresSort", "PresSort", 0);
    s.PresSort = (sort < 0 || sort > 2) ? 0 : sort;
    const int dr = readInt(f, "PresSort", "PresDRandom", 0);
    s.PresDRandom = (dr < 0 || dr > 2) ? 0 : dr;
    if (s.PresDRandom == 1) {
        s.OmissionFirstSlide = readBool(f, "PresSort", "OmissionFirstSlide", false);
        s.OmissionLastSlide = readBool(f, "PresSort", "OmissionLastSlide", false);
    } else if (s.PresDRandom == 2) {
        s.RandomRangeInf = readSInt16(f, "PresSort", "RandomRangeInf", 0);
        s.RandomRangeSup = readSInt16(f, "PresSort", "RandomRangeSup", 0);
    }
    s.ShowingModel = readInt8(f, "PresSort", "ShowingModel", 0);
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

    readFont(f, "FontNote1", s.FontNote1);
    readFont(f, "FontNote2", s.FontNote2);
    readFont(f, "FontText", s.FontText);
    readFont(f, "FontPrompt", s.FontPrompt);
    readFont(f, "FontAnswers", s.FontAnswers);
    readFont(f, "FontAnswerMes", s.FontAnswerMes);
    s.AnswerMesWithIcon = readBool(f, "FontAnswerMes", "AnswerMesWithIcon", false);
    readTitleFont(f, "FontTitle1rsLine", s.FontTitle1rsLine);
    readTitleFont(f, "FontTitle2ndLine", s.FontTitle2ndLine);

    s.ByInput = readBool(f, "AloneAnswer", "ByInput", false);
    s.WithMask = readBool(f, "AloneAnswer", "WithMask", false);
    s.ChangeIncorrectChar = readBool(f, "AloneAnswer", "ChangeIncorrectChar", false);
    s.IgnoreAccent = readBool(f, "AloneAnswer", "IgnoreAccent", false);
    s.CheckAtEnd = readBool(f, "AloneAnswer", "CheckAtEnd", true);
    s.MaxIncorrections = readInt8(f, "AloneAnswer", "MaxIncorrections", 1);
}
