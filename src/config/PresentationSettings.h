#pragma once

#include "files/SystemColors.h"

#include <QFont>
#include <QString>

#include <cstdint>

// The showing order: the list's own, random, or memorisation (a growing run of the first slides).
enum class PresSortMode : std::uint8_t { Sequential = 0, Random = 1, Memorisation = 2 };
// Which slides a random order takes: all, all but the first and/or the last, or a range.
enum class RandomScope : std::uint8_t { All = 0, WithOmissions = 1, Range = 2 };
// What a manual run does with its questions: nothing more, learning (the slides not remembered
// come back until all are), or an exam (marked). Other stored numbers show plainly.
enum class ShowingMode : std::uint8_t { Plain = 0, Learning = 1, Exam = 2 };

struct FontSettings
{
    TColor Color = kClWindowText;
    QString FontName = QStringLiteral("MS Sans Serif");
    int FontSize = 8;
    bool fsBold = false;
    bool fsItalic = false;
};

struct TitleFontSettings : FontSettings
{
    TColor ShadowColor = kClBtnHighlight;
    int ShadowPos = 0;  // 0 left-top, 1 left-bottom, 2 right-bottom, 3 right-top
    int ShadowSize = 0; // pixels, 0 to 50
};

// Background of a panel: a plain colour, a bitmap stretched or tiled, or a gradient.
struct PanelBackground
{
    TColor ColorStart = kClBtnFace;
    TColor ColorEnd = kClBtnFace;
    // 0 plain, 1 bitmap stretched, 2 bitmap tiled, 3..10 gradients (up, down, left, right,
    // horizontal in, horizontal out, vertical in, vertical out).
    int ColorBackGroundEffect = 0;
    QString BmpForBackgroud;
};

struct PanelSize
{
    bool ManualSize = false;
    int Size = 0;
};

// How a presentation is shown. A new record holds every default.
struct PresentationSettings
{
    // [Options]
    bool ManualViewing = true;
    bool LoopImages = false;
    bool HideNote = false;

    // [Image]
    std::uint16_t ImageDelay = 2; // seconds; 0 = half a second
    std::uint16_t ImgAmpliation = 200;
    bool ImgAmpliationEnabled = false;
    int ImgNotePanelsMode = 0;
    bool ImgFrameEnabled = false;
    int ImgFrameWidth = 10;
    bool ImgGifAnimate = true;
    std::uint16_t ImgGifAnimateSpeed = 10;
    bool ImgTransparent = false;
    TColor ColorRichEdit = TColor(0x00FFFFFF);

    // [Mark]
    int MarkSize = 20;
    bool MarkConstRatio = false;
    std::uint8_t MarkPenMode = 4;
    TColor MarkPenColor = 0;
    TColor MarkBrushColor = 255;
    std::uint8_t MarkPenWidth = 1;

    // [ImagePanel], [NotePanel], [TitlePanel]
    PanelBackground ImagePanel;
    PanelBackground NotePanel;
    bool PermanentNotePanels = false;
    PanelBackground TitlePanel;

    // [PanelNoteLR], [PanelPA], [PanelNoteTB]
    PanelSize PanelNoteLR{false, 100};
    bool LeftJustifyLRLines = false;
    bool OnTopLRLines = false;
    bool WordWrapLRLines = false;
    PanelSize PanelPA{false, 40};
    int EditAnswWidth = 100;
    PanelSize PanelNoteTB{false, 40};

    // [PresErrWindow]
    std::uint8_t PresErrReferent = 0; // 0 the screen, 1 the program window
    std::uint8_t PresErrSizePercent = 50;

    // [PresSort]
    PresSortMode PresSort = PresSortMode::Sequential;
    RandomScope PresDRandom = RandomScope::All;
    bool OmissionFirstSlide = false;
    bool OmissionLastSlide = false;
    std::int16_t RandomRangeInf = 0;
    std::int16_t RandomRangeSup = 0;
    ShowingMode ShowingModel = ShowingMode::Plain;
    bool UseNegativeScore = false;
    std::uint8_t MAMaxIncorrections = 4;
    bool OnlyResultTest = false;
    bool OmissionLearningResultsMessages = false;
    std::uint8_t InitialMemorizedCount = 2;
    bool UseAllSlidesToMem = true;
    std::uint8_t InitialImages = 0;
    bool PresRepeatedImages = false;
    std::uint8_t TotalSlidesToMemorize = 0;

    // [Presentation]
    bool WithoutCaption = false;
    bool WithoutMenuOrButtons = false;
    bool PresWithITListName = false;
    bool PresWithNumbering = true;
    bool PresWithTotalNumbering = true;
    bool PresWithSNumbering = true;
    bool PresWithSTotalNumbering = true;
    bool PresWithITName = true;
    bool PresWithITPath = false;
    bool PresWithITExt = false;
    bool PresWithIAmpliationRatio = true;
    bool PresWithKeyInfo = true;

    // Font sections
    FontSettings FontNote1;
    FontSettings FontNote2;
    FontSettings FontText;
    FontSettings FontPrompt;
    FontSettings FontAnswers;
    FontSettings FontAnswerMes;
    bool AnswerMesWithIcon = false;
    TitleFontSettings FontTitle1rsLine;
    TitleFontSettings FontTitle2ndLine;

    // [AloneAnswer]
    bool ByInput = false;
    bool WithMask = false;
    bool ChangeIncorrectChar = false;
    bool IgnoreAccent = false;
    bool CheckAtEnd = true;
    std::uint8_t MaxIncorrections = 1;
};

// A font from the settings (see storedFont).
inline QFont fontFromSettings(const FontSettings &f)
{
    return storedFont(f.FontName, f.FontSize, f.fsBold, f.fsItalic);
}

// Copies a panel's background to another panel: both colours, the bitmap and the effect.
inline void copyPanelBackground(const PanelBackground &from, PanelBackground &to)
{
    to = from;
}
