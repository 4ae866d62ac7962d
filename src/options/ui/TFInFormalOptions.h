#pragma once

#include "config/PresentationSettings.h"
#include "options/InFormalDemoState.h"
#include "options/ui/OptionChoosers.h"
#include "presentation/SlideRecord.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class HelpRequester;
class Prompter;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class SlideDemo;
class TWhereSaveBox;
class TextSlideView;

// "Opcions dels aspectes formals (interiors) de presentació": the look of what is shown inside
// the window (image and mark, panel backgrounds, note, title and question panels, the answer
// message and text slides), each page with live demonstrations painted by the player's own
// slide scene. It edits a copy of the settings; the caller takes it back when accepted.
class TFInFormalOptions : public QDialog
{
    Q_OBJECT
public:
    struct Inputs
    {
        QString programDir;       // with its trailing separator
        QString programBaseName;  // the demonstration pictures are named after it
        QString presentationName; // the list's name without extension; "" when unnamed
        int saveDestination = 1;  // CB_WhereSave's choice (0 own, 1 default, 2 a file)
        QStringList slideLines;   // the presentation in force (for the input width)
        std::optional<SlideRecord> currentSlide; // the slide on screen, when there is one
        InFormalOpener opener = InFormalOpener::MainWindow;
        InFormalQuizKind quizKind = InFormalQuizKind::None;
    };
    enum Page { ImagePage, TitlePage, QuestionPage, AnswerMessagePage, TextPage };
    enum ImageTab { ImageTabImage, ImageTabMark, ImageTabBackgrounds, ImageTabSize, ImageTabText };

    TFInFormalOptions(const PresentationSettings &settings, const InFormalDemoState &state,
                      Inputs inputs, Prompter &prompter, QWidget *parent = nullptr);
    ~TFInFormalOptions() override;

    // Replaces the font, colour and picture choosers (tests).
    void setChoosers(OptionChoosers choosers) { m_choosers = std::move(choosers); }
    // The help "Ajuda" and F1 open: the page shown's. Also given to the panel background dialog
    // it opens. The requester must outlive the dialog.
    void setHelp(HelpRequester *help);
    int helpContext() const;

    const PresentationSettings &settings() const { return m_s; }
    // The demonstration state to keep for the next opening (the page shown included).
    InFormalDemoState demoState() const;
    // Closed with BB_OkAndSave: the settings are to be saved at once to destination().
    bool saveRequested() const { return m_saveRequested; }
    int destination() const;

    // Controls and demonstrations, for the tests and the window check.
    QTabWidget *pages() const { return m_pages; }
    QTabWidget *imageTabs() const { return m_imageTabs; }
    QTabWidget *titleTabs() const { return m_titleTabs; }
    QTabWidget *questionTabs() const { return m_questionTabs; }
    SlideDemo *imageDemo() const { return m_imageDemo; }
    SlideDemo *markDemo() const { return m_markDemo; }
    SlideDemo *noteDemo() const { return m_noteDemo; }
    SlideDemo *titleDemo() const { return m_titleDemo; }
    SlideDemo *radioDemo() const { return m_radioDemo; }
    SlideDemo *typedDemo() const { return m_typedDemo; }
    TextSlideView *textDemo() const { return m_textDemo; }
    // The image demonstration's picture file (".gif" with animation on, ".bmp" off).
    QString imageDemoFile() const;
    QString markDemoFile() const;
    // The note panel demonstration's side: TB_NoteLeft, TB_NoteTop, TB_NoteRight, TB_NoteBottom.
    NotePosition notePosition() const { return m_notePos; }
    void setNotePosition(NotePosition pos);
    // Brings a page (and, on the first page, one of its tabs) to the front.
    void showPage(int page, int imageTab = -1);

private:
    QWidget *buildImagePage();
    QWidget *buildImageTab();
    QWidget *buildMarkTab();
    QWidget *buildBackgroundsTab();
    QWidget *buildSizeTab();
    QWidget *buildNoteTextTab();
    QWidget *buildTitlePage();
    QWidget *buildTitleLineTab(int line);
    QWidget *buildQuestionPage();
    QWidget *buildAnswerMessagePage();
    QWidget *buildTextPage();
    void applyOpener();

    // A control changed a value: the demonstrations and the enabling rules follow.
    void changed();
    void updateEnabling();
    void updateDemos();
    void updateSizeLabels();
    void showNoteDemo();
    void showQuestionDemo(SlideDemo *demo, bool radio);
    void updateDemoSwitch();

    // Choosers with the current value; each returns whether something was chosen.
    bool chooseFont(FontSettings &font);
    bool chooseColor(TColor &color);
    void chooseBitmap(PanelBackground &bg, QString &statePath);
    void chooseBackgroundFor(bool sharedVariant);
    void calcEditAnswWidth();
    void answerMessageProof();
    void copyNoteFromSlide();

    QSpinBox *spin(const QString &name, int min, int max, int value, QWidget *parent);
    QCheckBox *check(const QString &name, const QString &text, bool value, QWidget *parent);
    QPushButton *button(const QString &name, const QString &text, QWidget *parent);
    QButtonGroup *radios(QGroupBox *box, const QStringList &captions, int checked);

public:
    // --- the controls, by the names of the settings they edit ---
    QSpinBox *EC_Ampliation, *SE_GifAnimateSpeed, *SE_ImageFrame;
    QCheckBox *SB_AmpliationEnabled, *SB_GifAnimate, *SB_ImageTransparent,
        *CB_ImageFrameEnabledDemo;
    QSpinBox *SE_MarkSize, *SE_MarkPenWidth;
    QComboBox *CB_MarkPenMode;
    QGroupBox *GB_MarkOutline;
    QPushButton *BB_Mark_PenColor, *BB_Mark_BrushColor;
    QCheckBox *CB_MarkConstRatio;
    QComboBox *CB_BackGroundEffectImage, *CB_BackGroundEffectNote;
    QPushButton *BB_SetImagePColor, *BB_SetBmpImageP, *BB_SetNotePColor, *BB_SetBmpNoteP;
    QToolButton *SB_CopyImgToNoteBg, *SB_CopyNoteToImgBg;
    QListWidget *LB_ImgNotePanelsMode;
    QButtonGroup *RG_ManualPanelSizeTB, *RG_ManualPanelSizeLR, *RG_ManualPanelSizePA;
    QSpinBox *SE_ManualSizeTB, *SE_ManualSizeLR, *SE_ManualSizePA;
    QLabel *L_AutoSizeTB, *L_AutoSizeLR, *L_AutoSizePA;
    QToolButton *SB_CopyAutomSizeToManualTB, *SB_CopyAutomSizeToManualLR,
        *SB_CopyAutomSizeToManualPA;
    QCheckBox *CB_PermanentNotePanelsDemo;
    QToolButton *TB_NoteLeft, *TB_NoteTop, *TB_NoteRight, *TB_NoteBottom;
    QLineEdit *E_Note1Str, *E_Note2Str;
    QPushButton *BB_SetNoteStr, *BB_CopyNoteFromSlide;
    QPushButton *BB_NoteFont1, *BB_NoteFont2;
    QToolButton *SB_CopyFontTitleToComment, *SB_CopyFontCommentToTitle;
    QButtonGroup *RG_TextHPositionLR, *RG_TextVPositionLR;
    QCheckBox *CB_WordWrapLRLines;
    QPushButton *BB_SetTitlePColor, *BB_CopyTitleFromSlide;
    QPushButton *BB_TitleFont[2], *BB_ShadowColor[2];
    QListWidget *LB_ShadowPos[2];
    QSpinBox *SE_ShadowSize[2];
    QToolButton *SB_FontCopy1To2, *SB_FontCopy2To1, *SB_ShadowCopy1To2, *SB_ShadowCopy2To1;
    QPushButton *BB_PromptFont, *BB_AnswersFont, *BB_SetPAnswersColor;
    QToolButton *SB_CopyFontPromptToAnswer, *SB_CopyFontAnswerToPrompt;
    QGroupBox *GB_PanelPA, *GB_EditAnswWidth;
    QSpinBox *SE_ManualEditAnswWidth, *SE_NumRowAnswers;
    QPushButton *BB_CalcEditAnswWidth;
    QButtonGroup *RG_PAnswerShowType;
    QCheckBox *BB_WithPrompForAnswer;
    QPushButton *BB_AnswerMesFont, *BB_AnswerMesProof;
    QCheckBox *CB_WithIcon;
    QPushButton *SB_CopyFontAFAFromPrompt, *SB_CopyFontAFAFromAnswer;
    QGroupBox *GB_PresErrWindow;
    QButtonGroup *RG_PresErrWindowReferent;
    QSpinBox *SE_PresErrWindowSizePercent;
    QPushButton *BB_SetBackGTextColor, *BB_TextFont;
    QPushButton *BB_Ok, *BB_Cancel, *BB_Help;
    TWhereSaveBox *CB_WhereSave;

private:
    PresentationSettings m_s;
    InFormalDemoState m_state;
    Inputs m_in;
    Prompter &m_prompter;
    OptionChoosers m_choosers;
    HelpRequester *m_help = nullptr;
    bool m_saveRequested = false;
    bool m_loading = true;
    NotePosition m_notePos = NotePosition::Bottom;
    QString m_lastAutoTB, m_lastAutoLR, m_lastAutoPA; // the numbers last shown in parentheses

    QTabWidget *m_pages, *m_imageTabs, *m_titleTabs, *m_questionTabs;
    QStackedWidget *m_imageSideDemo;
    SlideDemo *m_imageDemo, *m_markDemo, *m_noteDemo, *m_titleDemo, *m_radioDemo, *m_typedDemo;
    TextSlideView *m_textDemo;
};
