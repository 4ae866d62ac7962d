#include "options/ui/TFInFormalOptions.h"

#include "config/ui/TWhereSaveBox.h"
#include "files/HelpContexts.h"
#include "files/HelpRequester.h"
#include "files/Prompter.h"
#include "files/SystemColors.h"
#include "files/ui/DialogHelp.h"
#include "options/AnswerInputWidth.h"
#include "options/ui/OptionsDialogParts.h"
#include "options/ui/SlideDemo.h"
#include "options/ui/TFSetColorsOrImageToPanel.h"
#include "player/ui/TextSlideView.h"
#include "slides/PlayerRandom.h"
#include "slides/Question.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

// The help of each page, in page order.
constexpr HelpContext kPageHelp[] = {HelpContext::InFormalImage, HelpContext::InFormalTitle,
                                     HelpContext::InFormalQuestion,
                                     HelpContext::InFormalAnswerMessage, HelpContext::InFormalText};
// The question panel's manual height goes no higher than a configuration file keeps: a larger
// one would be saved but read back as the default.
constexpr int kMaxPanelPA = 200;

QToolButton *copyButton(const QString &name, const QString &text, const QString &hint,
                        QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(hint);
    return b;
}

// The text of an automatic size label: the number in parentheses, "()" without a panel.
QString sizeLabel(int extent)
{
    return extent > 0 ? QStringLiteral("(%1)").arg(extent) : QStringLiteral("()");
}

// The number a size label shows, or nothing.
std::optional<int> labelNumber(const QString &text)
{
    bool ok = false;
    const int n = QString(text).remove(QLatin1Char('(')).remove(QLatin1Char(')')).toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// Takes a control's value into a field, unless the control only shows the field's value
// brought into its range (or shows nothing, -1).
template <typename T> void syncValue(T &field, int shown, int min, int max)
{
    if (shown < 0)
        return;
    if (shown != std::clamp(int(field), min, max))
        field = T(shown);
}

void copyFontKeepingSize(const FontSettings &from, FontSettings &to)
{
    const int size = to.FontSize;
    to.FontName = from.FontName;
    to.fsBold = from.fsBold;
    to.fsItalic = from.fsItalic;
    to.Color = from.Color;
    to.FontSize = size;
}

} // namespace

TFInFormalOptions::TFInFormalOptions(const PresentationSettings &settings,
                                     const InFormalDemoState &state, Inputs inputs,
                                     Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_s(settings), m_state(state), m_in(std::move(inputs)), m_prompter(prompter),
      m_choosers(OptionChoosers::standard(this))
{
    setObjectName(QStringLiteral("TFInFormalOptions"));
    setWindowTitle(QStringLiteral("Opcions dels aspectes formals (interiors) de presentació"));
    m_state.answerRows = std::clamp(m_state.answerRows, 1, 5);
    auto *layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("PC_Pages"));
    m_pages->addTab(buildImagePage(), QStringLiteral("&Imatge i comentari"));
    m_pages->addTab(buildTitlePage(), QStringLiteral("&Títol"));
    m_pages->addTab(buildQuestionPage(), QStringLiteral("&Pregunta/Respostes"));
    m_pages->addTab(buildAnswerMessagePage(), QStringLiteral("Resposta a respostes"));
    m_pages->addTab(buildTextPage(), QStringLiteral("Arxiu t&xt"));
    layout->addWidget(m_pages, 1);

    auto *bottom = new QHBoxLayout;
    CB_WhereSave =
        new TWhereSaveBox(m_in.saveDestination, m_in.presentationName, m_in.programBaseName,
                          TWhereSaveBox::HintStyle::AcceptAndSave, this);
    bottom->addWidget(CB_WhereSave, 1);
    BB_Ok = button(QStringLiteral("BB_Ok"), QStringLiteral("Accepta"), this);
    BB_Ok->setDefault(true);
    BB_Cancel = button(QStringLiteral("BB_Cancel"), QStringLiteral("Cancel·la"), this);
    BB_Help = button(QStringLiteral("BB_Help"), QStringLiteral("Ajuda"), this);
    BB_Help->setEnabled(false);
    bottom->addWidget(BB_Ok);
    bottom->addWidget(BB_Cancel);
    bottom->addWidget(BB_Help);
    layout->addLayout(bottom);
    connect(BB_Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(BB_Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(CB_WhereSave, &TWhereSaveBox::okAndSave, this, [this] {
        m_saveRequested = true;
        accept();
    });
    connect(BB_Help, &QPushButton::clicked, this, [this] {
        if (m_help)
            m_help->showHelpContext(helpContext());
    });
    // F1 opens the help of the page shown, as the button does.
    DialogHelp::bindHelpKey(this, BB_Help);
    connect(m_pages, &QTabWidget::currentChanged, this, [this] { updateDemos(); });
    connect(m_imageTabs, &QTabWidget::currentChanged, this, [this] { updateDemoSwitch(); });
    // The automatic sizes shown are those of the demonstrations as large as they are now.
    for (SlideDemo *d : {m_noteDemo, m_radioDemo, m_typedDemo})
        connect(d, &SlideDemo::resized, this, [this] {
            if (m_loading)
                return;
            updateSizeLabels();
            updateEnabling();
        });

    m_pages->setCurrentIndex(std::clamp(m_state.page, 0, m_pages->count() - 1));
    applyOpener();
    m_loading = false;
    changed();
}

TFInFormalOptions::~TFInFormalOptions() = default;

void TFInFormalOptions::setHelp(HelpRequester *help)
{
    m_help = help;
    BB_Help->setEnabled(help != nullptr);
}

int TFInFormalOptions::helpContext() const
{
    static_assert(std::size(kPageHelp) == TextPage + 1);
    return helpNumber(kPageHelp[std::clamp(m_pages->currentIndex(), 0, int(TextPage))]);
}

InFormalDemoState TFInFormalOptions::demoState() const
{
    InFormalDemoState s = m_state;
    s.page = m_pages->currentIndex();
    return s;
}

int TFInFormalOptions::destination() const
{
    return CB_WhereSave->destination();
}

QString TFInFormalOptions::imageDemoFile() const
{
    return m_in.programDir + m_in.programBaseName +
           (m_s.ImgGifAnimate ? QStringLiteral(".gif") : QStringLiteral(".bmp"));
}

QString TFInFormalOptions::markDemoFile() const
{
    return m_in.programDir + QStringLiteral("Colors.jpg");
}

QSpinBox *TFInFormalOptions::spin(const QString &name, int min, int max, int value, QWidget *parent)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(min, max);
    s->setValue(std::clamp(value, min, max));
    connect(s, &QSpinBox::valueChanged, this, [this] { changed(); });
    return s;
}

QCheckBox *TFInFormalOptions::check(const QString &name, const QString &text, bool value,
                                    QWidget *parent)
{
    QCheckBox *c = namedCheck(parent, name, text, value);
    connect(c, &QCheckBox::toggled, this, [this] { changed(); });
    return c;
}

QPushButton *TFInFormalOptions::button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QButtonGroup *TFInFormalOptions::radios(QGroupBox *box, const QStringList &captions, int checked)
{
    auto *layout = new QHBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (int i = 0; i < captions.size(); ++i) {
        auto *b = new QRadioButton(captions[i], box);
        group->addButton(b, i);
        layout->addWidget(b);
    }
    if (QAbstractButton *b = group->button(checked))
        b->setChecked(true);
    connect(group, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            changed();
    });
    return group;
}

// --- Image and note page ---------------------------------------------------------------------

QWidget *TFInFormalOptions::buildImagePage()
{
    auto *page = new QWidget(this);
    auto *layout = new QHBoxLayout(page);
    m_imageTabs = new QTabWidget(page);
    m_imageTabs->setObjectName(QStringLiteral("PC_ImageNote"));
    m_imageTabs->addTab(buildImageTab(), QStringLiteral("Imatge"));
    m_imageTabs->addTab(buildMarkTab(), QStringLiteral("Marca"));
    m_imageTabs->addTab(buildBackgroundsTab(), QStringLiteral("Fons dels plafons"));
    m_imageTabs->addTab(buildSizeTab(), QStringLiteral("Mida"));
    m_imageTabs->addTab(buildNoteTextTab(), QStringLiteral("Text"));
    layout->addWidget(m_imageTabs);
    m_imageSideDemo = new QStackedWidget(page);
    m_imageDemo = new SlideDemo(m_s, m_imageSideDemo);
    m_imageDemo->setObjectName(QStringLiteral("Demo_Image"));
    m_markDemo = new SlideDemo(m_s, m_imageSideDemo);
    m_markDemo->setObjectName(QStringLiteral("Demo_Mark"));
    m_noteDemo = new SlideDemo(m_s, m_imageSideDemo);
    m_noteDemo->setObjectName(QStringLiteral("Demo_Note"));
    m_imageSideDemo->addWidget(m_imageDemo);
    m_imageSideDemo->addWidget(m_markDemo);
    m_imageSideDemo->addWidget(m_noteDemo);
    layout->addWidget(m_imageSideDemo, 1);
    for (SlideDemo *d : {m_imageDemo, m_markDemo, m_noteDemo})
        d->scene().setBaseFolder(m_in.programDir);
    return page;
}

QWidget *TFInFormalOptions::buildImageTab()
{
    auto *tab = new QWidget;
    auto *form = new QGridLayout(tab);
    SB_AmpliationEnabled =
        check(QStringLiteral("SB_AmpliationEnabled"), QStringLiteral("Am&pliació màxima (%)"),
              m_s.ImgAmpliationEnabled, tab);
    EC_Ampliation = spin(QStringLiteral("EC_Ampliation"), 10, 999, m_s.ImgAmpliation, tab);
    form->addWidget(SB_AmpliationEnabled, 0, 0);
    form->addWidget(EC_Ampliation, 0, 1);
    SB_GifAnimate =
        check(QStringLiteral("SB_GifAnimate"), QStringLiteral("&Acti."), m_s.ImgGifAnimate, tab);
    SE_GifAnimateSpeed =
        spin(QStringLiteral("SE_GifAnimateSpeed"), 1, 1000, m_s.ImgGifAnimateSpeed, tab);
    SE_GifAnimateSpeed->setToolTip(QStringLiteral("Centèsimes de segon entre imatges del GIF"));
    auto *gif = new QLabel(QStringLiteral("Animació GIF (centèsimes):"), tab);
    form->addWidget(gif, 1, 0);
    auto *gifRow = new QHBoxLayout;
    gifRow->addWidget(SE_GifAnimateSpeed);
    gifRow->addWidget(SB_GifAnimate);
    form->addLayout(gifRow, 1, 1);
    SB_ImageTransparent = check(QStringLiteral("SB_ImageTransparent"),
                                QStringLiteral("Tra&nsparent"), m_s.ImgTransparent, tab);
    form->addWidget(SB_ImageTransparent, 2, 0, 1, 2);
    CB_ImageFrameEnabledDemo = check(QStringLiteral("CB_ImageFrameEnabledDemo"),
                                     QStringLiteral("Ma&rge mínim"), m_s.ImgFrameEnabled, tab);
    SE_ImageFrame = spin(QStringLiteral("SE_ImageFrame"), 2, 50, m_s.ImgFrameWidth, tab);
    form->addWidget(CB_ImageFrameEnabledDemo, 3, 0);
    form->addWidget(SE_ImageFrame, 3, 1);
    form->setRowStretch(4, 1);
    return tab;
}

QWidget *TFInFormalOptions::buildMarkTab()
{
    auto *tab = new QWidget;
    auto *form = new QGridLayout(tab);
    form->addWidget(new QLabel(QStringLiteral("Mida:"), tab), 0, 0);
    SE_MarkSize = spin(QStringLiteral("SE_MarkSize"), 10, 60, m_s.MarkSize, tab);
    form->addWidget(SE_MarkSize, 0, 1);
    form->addWidget(new QLabel(QStringLiteral("Mode del llapis:"), tab), 1, 0);
    CB_MarkPenMode = new QComboBox(tab);
    CB_MarkPenMode->setObjectName(QStringLiteral("CB_MarkPenMode"));
    CB_MarkPenMode->addItems(
        {QStringLiteral("Negre"), QStringLiteral("Blanc"), QStringLiteral("Sense"),
         QStringLiteral("Invers"), QStringLiteral("Còpia"), QStringLiteral("Còpia invertida"),
         QStringLiteral("Fusió llapis no"), QStringLiteral("Màscara llapis no"),
         QStringLiteral("Fusió no llapis"), QStringLiteral("Màscara no llapis"),
         QStringLiteral("Fusió"), QStringLiteral("No fusió"), QStringLiteral("Màscara"),
         QStringLiteral("No màscara"), QStringLiteral("Xor"), QStringLiteral("No xor")});
    CB_MarkPenMode->setCurrentIndex(std::min<int>(m_s.MarkPenMode, 15));
    connect(CB_MarkPenMode, &QComboBox::currentIndexChanged, this, [this] { changed(); });
    form->addWidget(CB_MarkPenMode, 1, 1);
    GB_MarkOutline = new QGroupBox(QStringLiteral("Contorn"), tab);
    GB_MarkOutline->setObjectName(QStringLiteral("GB_MarkOutline"));
    auto *outline = new QHBoxLayout(GB_MarkOutline);
    outline->addWidget(new QLabel(QStringLiteral("Gruix:"), GB_MarkOutline));
    SE_MarkPenWidth =
        spin(QStringLiteral("SE_MarkPenWidth"), 1, 9, m_s.MarkPenWidth, GB_MarkOutline);
    outline->addWidget(SE_MarkPenWidth);
    BB_Mark_PenColor =
        button(QStringLiteral("BB_Mark_PenColor"), QStringLiteral("Color"), GB_MarkOutline);
    outline->addWidget(BB_Mark_PenColor);
    form->addWidget(GB_MarkOutline, 2, 0, 1, 2);
    BB_Mark_BrushColor =
        button(QStringLiteral("BB_Mark_BrushColor"), QStringLiteral("Color del &farcit"), tab);
    form->addWidget(BB_Mark_BrushColor, 3, 0, 1, 2);
    CB_MarkConstRatio =
        check(QStringLiteral("CB_MarkConstRatio"), QStringLiteral("Mida proporcional a la imatge"),
              m_s.MarkConstRatio, tab);
    form->addWidget(CB_MarkConstRatio, 4, 0, 1, 2);
    form->setRowStretch(5, 1);
    connect(BB_Mark_PenColor, &QPushButton::clicked, this, [this] {
        if (chooseColor(m_s.MarkPenColor))
            changed();
    });
    connect(BB_Mark_BrushColor, &QPushButton::clicked, this, [this] {
        if (chooseColor(m_s.MarkBrushColor))
            changed();
    });
    return tab;
}

QWidget *TFInFormalOptions::buildBackgroundsTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    const QStringList effects = {QStringLiteral("Color llis"), QStringLiteral("Ajustant la imatge"),
                                 QStringLiteral("Imatge en empedrat")};
    auto group = [&](const QString &title, const QString &suffix, QComboBox *&combo,
                     QPushButton *&color, QPushButton *&bmp, int effect) {
        auto *box = new QGroupBox(title, tab);
        auto *row = new QHBoxLayout(box);
        combo = new QComboBox(box);
        combo->setObjectName(QStringLiteral("CB_BackGroundEffect") + suffix);
        combo->addItems(effects);
        combo->setCurrentIndex(std::clamp(effect, 0, 2));
        row->addWidget(combo, 1);
        color = button(QStringLiteral("BB_Set%1PColor")
                           .arg(suffix == QLatin1String("Image") ? QStringLiteral("Image")
                                                                 : QStringLiteral("Note")),
                       QStringLiteral("Color"), box);
        bmp = button(QStringLiteral("BB_SetBmp%1P").arg(suffix), QStringLiteral("Bmp"), box);
        bmp->setToolTip(QStringLiteral("Assignació d'una textura des d'un bmp"));
        row->addWidget(color);
        row->addWidget(bmp);
        layout->addWidget(box);
    };
    group(QStringLiteral("Imatge"), QStringLiteral("Image"), CB_BackGroundEffectImage,
          BB_SetImagePColor, BB_SetBmpImageP, m_s.ImagePanel.ColorBackGroundEffect);
    auto *copies = new QHBoxLayout;
    SB_CopyImgToNoteBg = copyButton(QStringLiteral("SB_CopyImgToNoteBg"), QStringLiteral("↓"),
                                    QStringLiteral("Copia el fons de la imatge a l'anotació"), tab);
    SB_CopyNoteToImgBg = copyButton(QStringLiteral("SB_CopyNoteToImgBg"), QStringLiteral("↑"),
                                    QStringLiteral("Copia el fons de l'anotació a la imatge"), tab);
    copies->addWidget(SB_CopyImgToNoteBg);
    copies->addWidget(SB_CopyNoteToImgBg);
    copies->addStretch(1);
    layout->addLayout(copies);
    group(QStringLiteral("Anotació"), QStringLiteral("Note"), CB_BackGroundEffectNote,
          BB_SetNotePColor, BB_SetBmpNoteP, m_s.NotePanel.ColorBackGroundEffect);
    layout->addStretch(1);

    connect(CB_BackGroundEffectImage, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_s.ImagePanel.ColorBackGroundEffect = i;
        changed();
    });
    connect(CB_BackGroundEffectNote, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_s.NotePanel.ColorBackGroundEffect = i;
        changed();
    });
    connect(BB_SetImagePColor, &QPushButton::clicked, this, [this] {
        if (chooseColor(m_s.ImagePanel.ColorStart))
            changed();
    });
    connect(BB_SetNotePColor, &QPushButton::clicked, this, [this] {
        // One colour for both note panels.
        if (chooseColor(m_s.NotePanel.ColorStart))
            changed();
    });
    connect(BB_SetBmpImageP, &QPushButton::clicked, this,
            [this] { chooseBitmap(m_s.ImagePanel, m_state.imageBitmap); });
    connect(BB_SetBmpNoteP, &QPushButton::clicked, this,
            [this] { chooseBitmap(m_s.NotePanel, m_state.noteBitmap); });
    auto copyBackground = [this](const PanelBackground &from, PanelBackground &to) {
        copyPanelBackground(from, to);
        m_loading = true;
        CB_BackGroundEffectImage->setCurrentIndex(
            std::clamp(m_s.ImagePanel.ColorBackGroundEffect, 0, 2));
        CB_BackGroundEffectNote->setCurrentIndex(
            std::clamp(m_s.NotePanel.ColorBackGroundEffect, 0, 2));
        m_loading = false;
        changed();
    };
    connect(SB_CopyImgToNoteBg, &QToolButton::clicked, this,
            [this, copyBackground] { copyBackground(m_s.ImagePanel, m_s.NotePanel); });
    connect(SB_CopyNoteToImgBg, &QToolButton::clicked, this,
            [this, copyBackground] { copyBackground(m_s.NotePanel, m_s.ImagePanel); });
    return tab;
}

QWidget *TFInFormalOptions::buildSizeTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);

    auto *kind = new QGroupBox(QStringLiteral("Tipus"), tab);
    auto *kindLayout = new QVBoxLayout(kind);
    LB_ImgNotePanelsMode = new QListWidget(kind);
    LB_ImgNotePanelsMode->setObjectName(QStringLiteral("LB_ImgNotePanelsMode"));
    LB_ImgNotePanelsMode->addItems({QStringLiteral("Amb separació"),
                                    QStringLiteral("Anotació sobreaixecada"),
                                    QStringLiteral("Sense separació")});
    LB_ImgNotePanelsMode->setCurrentRow(std::clamp(m_s.ImgNotePanelsMode, 0, 2));
    LB_ImgNotePanelsMode->setFixedHeight(LB_ImgNotePanelsMode->sizeHintForRow(0) * 3 +
                                         2 * LB_ImgNotePanelsMode->frameWidth() + 2);
    kindLayout->addWidget(LB_ImgNotePanelsMode);
    connect(LB_ImgNotePanelsMode, &QListWidget::currentRowChanged, this, [this] { changed(); });
    layout->addWidget(kind);

    auto *sizes = new QGroupBox(QStringLiteral("Mida"), tab);
    auto *grid = new QGridLayout(sizes);
    auto sizeRow = [&](int row, const QString &title, const QString &suffix, const PanelSize &ps,
                       int min, int max, QButtonGroup *&group, QSpinBox *&spinBox, QLabel *&label,
                       QToolButton *&copy) {
        grid->addWidget(new QLabel(title, sizes), row, 0);
        group = new QButtonGroup(sizes);
        auto *autoB = new QRadioButton(QStringLiteral("Autom."), sizes);
        auto *manualB = new QRadioButton(QStringLiteral("Manual"), sizes);
        group->setObjectName(QStringLiteral("RG_ManualPanelSize") + suffix);
        group->addButton(autoB, 0);
        group->addButton(manualB, 1);
        (ps.ManualSize ? manualB : autoB)->setChecked(true);
        connect(group, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (on)
                changed();
        });
        grid->addWidget(autoB, row, 1);
        label = new QLabel(QStringLiteral("()"), sizes);
        label->setObjectName(QStringLiteral("L_AutoSize") + suffix);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("(0000)")));
        grid->addWidget(label, row, 2);
        copy = copyButton(QStringLiteral("SB_CopyAutomSizeToManual") + suffix, QStringLiteral("→"),
                          QStringLiteral("Copia la mida automàtica a la manual"), sizes);
        grid->addWidget(copy, row, 3);
        grid->addWidget(manualB, row, 4);
        spinBox = spin(QStringLiteral("SE_ManualSize") + suffix, min, max, ps.Size, sizes);
        grid->addWidget(spinBox, row, 5);
        connect(copy, &QToolButton::clicked, this, [label, spinBox] {
            if (const auto n = labelNumber(label->text()))
                spinBox->setValue(*n);
        });
    };
    sizeRow(0, QStringLiteral("Dalt/baix:"), QStringLiteral("TB"), m_s.PanelNoteTB, 10, 200,
            RG_ManualPanelSizeTB, SE_ManualSizeTB, L_AutoSizeTB, SB_CopyAutomSizeToManualTB);
    sizeRow(1, QStringLiteral("Esq./dreta:"), QStringLiteral("LR"), m_s.PanelNoteLR, 60, 300,
            RG_ManualPanelSizeLR, SE_ManualSizeLR, L_AutoSizeLR, SB_CopyAutomSizeToManualLR);
    CB_PermanentNotePanelsDemo =
        check(QStringLiteral("CB_PermanentNotePanelsDemo"),
              QStringLiteral("Plafó &permanent (sense anotació)"), m_s.PermanentNotePanels, sizes);
    grid->addWidget(CB_PermanentNotePanelsDemo, 2, 0, 1, 6);
    layout->addWidget(sizes);

    auto *demo = new QGroupBox(QStringLiteral("Demostració"), tab);
    auto *demoGrid = new QGridLayout(demo);
    auto *side = new QHBoxLayout;
    auto sideButton = [&](const QString &name, Qt::ArrowType arrow, NotePosition pos) {
        auto *b = new QToolButton(demo);
        b->setObjectName(name);
        b->setArrowType(arrow);
        b->setCheckable(true);
        b->setAutoExclusive(true);
        side->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, pos] { setNotePosition(pos); });
        return b;
    };
    TB_NoteLeft = sideButton(QStringLiteral("TB_NoteLeft"), Qt::LeftArrow, NotePosition::Left);
    TB_NoteTop = sideButton(QStringLiteral("TB_NoteTop"), Qt::UpArrow, NotePosition::Top);
    TB_NoteRight = sideButton(QStringLiteral("TB_NoteRight"), Qt::RightArrow, NotePosition::Right);
    TB_NoteBottom =
        sideButton(QStringLiteral("TB_NoteBottom"), Qt::DownArrow, NotePosition::Bottom);
    TB_NoteBottom->setChecked(true);
    side->addStretch(1);
    demoGrid->addLayout(side, 0, 0, 1, 3);
    E_Note1Str = new QLineEdit(m_state.note1, demo);
    E_Note1Str->setObjectName(QStringLiteral("E_Note1Str"));
    E_Note2Str = new QLineEdit(m_state.note2, demo);
    E_Note2Str->setObjectName(QStringLiteral("E_Note2Str"));
    demoGrid->addWidget(E_Note1Str, 1, 0, 1, 2);
    demoGrid->addWidget(E_Note2Str, 2, 0, 1, 2);
    BB_SetNoteStr = button(QStringLiteral("BB_SetNoteStr"), QStringLiteral("D'acord"), demo);
    demoGrid->addWidget(BB_SetNoteStr, 1, 2);
    BB_CopyNoteFromSlide =
        button(QStringLiteral("BB_CopyNoteFromSlide"), QStringLiteral("De la diapositiva"), demo);
    BB_CopyNoteFromSlide->setEnabled(m_in.currentSlide.has_value());
    demoGrid->addWidget(BB_CopyNoteFromSlide, 2, 2);
    connect(BB_SetNoteStr, &QPushButton::clicked, this, [this] {
        m_state.note1 = E_Note1Str->text();
        m_state.note2 = E_Note2Str->text();
        changed();
    });
    connect(BB_CopyNoteFromSlide, &QPushButton::clicked, this,
            &TFInFormalOptions::copyNoteFromSlide);
    layout->addWidget(demo);
    layout->addStretch(1);
    return tab;
}

QWidget *TFInFormalOptions::buildNoteTextTab()
{
    auto *tab = new QWidget;
    auto *layout = new QVBoxLayout(tab);
    auto *text = new QGroupBox(QStringLiteral("Text"), tab);
    auto *row = new QHBoxLayout(text);
    BB_NoteFont1 = button(QStringLiteral("BB_NoteFont1"), QStringLiteral("1rs paràgrafs"), text);
    SB_CopyFontTitleToComment =
        copyButton(QStringLiteral("SB_CopyFontTitleToComment"), QStringLiteral("→"),
                   QStringLiteral("Copia la lletra dels primers paràgrafs als següents"), text);
    SB_CopyFontCommentToTitle =
        copyButton(QStringLiteral("SB_CopyFontCommentToTitle"), QStringLiteral("←"),
                   QStringLiteral("Copia la lletra dels paràgrafs següents als primers"), text);
    BB_NoteFont2 = button(QStringLiteral("BB_NoteFont2"), QStringLiteral("Següents"), text);
    row->addWidget(BB_NoteFont1);
    row->addWidget(SB_CopyFontTitleToComment);
    row->addWidget(SB_CopyFontCommentToTitle);
    row->addWidget(BB_NoteFont2);
    layout->addWidget(text);
    connect(BB_NoteFont1, &QPushButton::clicked, this, [this] {
        if (chooseFont(m_s.FontNote1))
            changed();
    });
    connect(BB_NoteFont2, &QPushButton::clicked, this, [this] {
        if (chooseFont(m_s.FontNote2))
            changed();
    });
    connect(SB_CopyFontTitleToComment, &QToolButton::clicked, this, [this] {
        copyFontKeepingSize(m_s.FontNote1, m_s.FontNote2);
        changed();
    });
    connect(SB_CopyFontCommentToTitle, &QToolButton::clicked, this, [this] {
        copyFontKeepingSize(m_s.FontNote2, m_s.FontNote1);
        changed();
    });

    auto *lr = new QGroupBox(QStringLiteral("Plafó esq."), tab);
    auto *lrLayout = new QVBoxLayout(lr);
    auto *h = new QGroupBox(QStringLiteral("Horitzontalment"), lr);
    RG_TextHPositionLR =
        radios(h, {QStringLiteral("centrades"), QStringLiteral("alineades a l'esq.")},
               m_s.LeftJustifyLRLines ? 1 : 0);
    auto *v = new QGroupBox(QStringLiteral("Verticalment"), lr);
    RG_TextVPositionLR =
        radios(v, {QStringLiteral("centrades"), QStringLiteral("alineades a dalt")},
               m_s.OnTopLRLines ? 1 : 0);
    lrLayout->addWidget(h);
    lrLayout->addWidget(v);
    CB_WordWrapLRLines =
        check(QStringLiteral("CB_WordWrapLRLines"), QStringLiteral("Partir les línies &llargues"),
              m_s.WordWrapLRLines, lr);
    lrLayout->addWidget(CB_WordWrapLRLines);
    layout->addWidget(lr);
    layout->addStretch(1);
    return tab;
}

// --- Title page ------------------------------------------------------------------------------

QWidget *TFInFormalOptions::buildTitlePage()
{
    auto *page = new QWidget(this);
    auto *layout = new QHBoxLayout(page);
    auto *left = new QVBoxLayout;
    BB_SetTitlePColor = button(QStringLiteral("BB_SetTitlePColor"), QStringLiteral("&Fons"), page);
    left->addWidget(BB_SetTitlePColor);
    BB_CopyTitleFromSlide = button(QStringLiteral("BB_CopyTitleFromSlide"),
                                   QStringLiteral("Text de la diapositiva"), page);
    // The title lines come from a title slide on screen.
    BB_CopyTitleFromSlide->setEnabled(m_in.currentSlide && m_in.currentSlide->Kind == skTitle);
    left->addWidget(BB_CopyTitleFromSlide);
    connect(BB_CopyTitleFromSlide, &QPushButton::clicked, this,
            &TFInFormalOptions::copyNoteFromSlide);
    m_titleTabs = new QTabWidget(page);
    m_titleTabs->setObjectName(QStringLiteral("PC_TitleLines"));
    m_titleTabs->addTab(buildTitleLineTab(0), QStringLiteral("P&rimers"));
    m_titleTabs->addTab(buildTitleLineTab(1), QStringLiteral("&Següents"));
    left->addWidget(m_titleTabs);
    auto *copies = new QGridLayout;
    SB_FontCopy1To2 = copyButton(QStringLiteral("SB_FontCopy1To2"), QStringLiteral("Lletra 1→2"),
                                 QStringLiteral("Copia la lletra dels primers als següents"), page);
    SB_FontCopy2To1 = copyButton(QStringLiteral("SB_FontCopy2To1"), QStringLiteral("Lletra 2→1"),
                                 QStringLiteral("Copia la lletra dels següents als primers"), page);
    SB_ShadowCopy1To2 = copyButton(QStringLiteral("SB_ShadowCopy1To2"), QStringLiteral("Ombra 1→2"),
                                   QStringLiteral("Copia l'ombra dels primers als següents"), page);
    SB_ShadowCopy2To1 = copyButton(QStringLiteral("SB_ShadowCopy2To1"), QStringLiteral("Ombra 2→1"),
                                   QStringLiteral("Copia l'ombra dels següents als primers"), page);
    copies->addWidget(SB_FontCopy1To2, 0, 0);
    copies->addWidget(SB_FontCopy2To1, 0, 1);
    copies->addWidget(SB_ShadowCopy1To2, 1, 0);
    copies->addWidget(SB_ShadowCopy2To1, 1, 1);
    left->addLayout(copies);
    left->addStretch(1);
    layout->addLayout(left);
    m_titleDemo = new SlideDemo(m_s, page);
    m_titleDemo->setObjectName(QStringLiteral("Demo_Title"));
    m_titleDemo->scene().setBaseFolder(m_in.programDir);
    layout->addWidget(m_titleDemo, 1);

    connect(BB_SetTitlePColor, &QPushButton::clicked, this, [this] { chooseBackgroundFor(false); });
    connect(SB_FontCopy1To2, &QToolButton::clicked, this, [this] {
        copyFontKeepingSize(m_s.FontTitle1rsLine, m_s.FontTitle2ndLine);
        changed();
    });
    connect(SB_FontCopy2To1, &QToolButton::clicked, this, [this] {
        copyFontKeepingSize(m_s.FontTitle2ndLine, m_s.FontTitle1rsLine);
        changed();
    });
    auto copyShadow = [this](int from, int to) {
        const TitleFontSettings &a = from == 0 ? m_s.FontTitle1rsLine : m_s.FontTitle2ndLine;
        TitleFontSettings &b = to == 0 ? m_s.FontTitle1rsLine : m_s.FontTitle2ndLine;
        b.ShadowColor = a.ShadowColor;
        b.ShadowPos = a.ShadowPos;
        b.ShadowSize = a.ShadowSize;
        m_loading = true;
        LB_ShadowPos[to]->setCurrentRow(std::clamp(b.ShadowPos, 0, 3));
        SE_ShadowSize[to]->setValue(std::clamp(b.ShadowSize, 0, 50));
        m_loading = false;
        changed();
    };
    connect(SB_ShadowCopy1To2, &QToolButton::clicked, this, [copyShadow] { copyShadow(0, 1); });
    connect(SB_ShadowCopy2To1, &QToolButton::clicked, this, [copyShadow] { copyShadow(1, 0); });
    return page;
}

QWidget *TFInFormalOptions::buildTitleLineTab(int line)
{
    TitleFontSettings &font = line == 0 ? m_s.FontTitle1rsLine : m_s.FontTitle2ndLine;
    const QString n = QString::number(line + 1);
    auto *tab = new QWidget;
    auto *grid = new QGridLayout(tab);
    BB_TitleFont[line] = button(QStringLiteral("BB_TitleFont") + n, QStringLiteral("&Lletra"), tab);
    BB_ShadowColor[line] =
        button(QStringLiteral("BB_ShadowColor") + n, QStringLiteral("Color de l'&ombra"), tab);
    grid->addWidget(BB_TitleFont[line], 0, 0);
    grid->addWidget(BB_ShadowColor[line], 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Ombra (píxels):"), tab), 1, 0);
    SE_ShadowSize[line] = spin(QStringLiteral("SE_ShadowSize") + n, 0, 50, font.ShadowSize, tab);
    grid->addWidget(SE_ShadowSize[line], 1, 1);
    LB_ShadowPos[line] = new QListWidget(tab);
    LB_ShadowPos[line]->setObjectName(QStringLiteral("LB_ShadowPos") + n);
    LB_ShadowPos[line]->addItems({QStringLiteral("Esquer.-Dalt"), QStringLiteral("Esquer.-Baix"),
                                  QStringLiteral("Dreta-Baix"), QStringLiteral("Dreta-Dalt")});
    LB_ShadowPos[line]->setCurrentRow(std::clamp(font.ShadowPos, 0, 3));
    LB_ShadowPos[line]->setFixedHeight(LB_ShadowPos[line]->sizeHintForRow(0) * 4 +
                                       2 * LB_ShadowPos[line]->frameWidth() + 2);
    grid->addWidget(LB_ShadowPos[line], 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    connect(LB_ShadowPos[line], &QListWidget::currentRowChanged, this, [this] { changed(); });
    connect(BB_TitleFont[line], &QPushButton::clicked, this, [this, line] {
        if (chooseFont(line == 0 ? m_s.FontTitle1rsLine : m_s.FontTitle2ndLine))
            changed();
    });
    connect(BB_ShadowColor[line], &QPushButton::clicked, this, [this, line] {
        if (chooseColor(line == 0 ? m_s.FontTitle1rsLine.ShadowColor
                                  : m_s.FontTitle2ndLine.ShadowColor))
            changed();
    });
    return tab;
}

// --- Question page ---------------------------------------------------------------------------

QWidget *TFInFormalOptions::buildQuestionPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QHBoxLayout(page);
    auto *left = new QVBoxLayout;

    auto *fonts = new QGroupBox(QStringLiteral("Lletra"), page);
    auto *fontRow = new QHBoxLayout(fonts);
    BB_PromptFont = button(QStringLiteral("BB_PromptFont"), QStringLiteral("P&regunta"), fonts);
    SB_CopyFontPromptToAnswer =
        copyButton(QStringLiteral("SB_CopyFontPromptToAnswer"), QStringLiteral("→"),
                   QStringLiteral("Copia la lletra de la pregunta a les respostes"), fonts);
    SB_CopyFontAnswerToPrompt =
        copyButton(QStringLiteral("SB_CopyFontAnswerToPrompt"), QStringLiteral("←"),
                   QStringLiteral("Copia la lletra de les respostes a la pregunta"), fonts);
    BB_AnswersFont = button(QStringLiteral("BB_AnswersFont"), QStringLiteral("R&espostes"), fonts);
    fontRow->addWidget(BB_PromptFont);
    fontRow->addWidget(SB_CopyFontPromptToAnswer);
    fontRow->addWidget(SB_CopyFontAnswerToPrompt);
    fontRow->addWidget(BB_AnswersFont);
    left->addWidget(fonts);

    GB_PanelPA = new QGroupBox(QStringLiteral("Mida del plafó"), page);
    GB_PanelPA->setObjectName(QStringLiteral("GB_PanelPA"));
    auto *pa = new QHBoxLayout(GB_PanelPA);
    RG_ManualPanelSizePA = new QButtonGroup(GB_PanelPA);
    RG_ManualPanelSizePA->setObjectName(QStringLiteral("RG_ManualPanelSizePA"));
    auto *autoB = new QRadioButton(QStringLiteral("Autom."), GB_PanelPA);
    auto *manualB = new QRadioButton(QStringLiteral("Manual"), GB_PanelPA);
    RG_ManualPanelSizePA->addButton(autoB, 0);
    RG_ManualPanelSizePA->addButton(manualB, 1);
    (m_s.PanelPA.ManualSize ? manualB : autoB)->setChecked(true);
    connect(RG_ManualPanelSizePA, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on)
            changed();
    });
    L_AutoSizePA = new QLabel(QStringLiteral("()"), GB_PanelPA);
    L_AutoSizePA->setObjectName(QStringLiteral("L_AutoSizePA"));
    L_AutoSizePA->setMinimumWidth(
        L_AutoSizePA->fontMetrics().horizontalAdvance(QStringLiteral("(0000)")));
    SB_CopyAutomSizeToManualPA =
        copyButton(QStringLiteral("SB_CopyAutomSizeToManualPA"), QStringLiteral("→"),
                   QStringLiteral("Copia la mida automàtica a la manual"), GB_PanelPA);
    SE_ManualSizePA =
        spin(QStringLiteral("SE_ManualSizePA"), 10, kMaxPanelPA, m_s.PanelPA.Size, GB_PanelPA);
    pa->addWidget(autoB);
    pa->addWidget(L_AutoSizePA);
    pa->addWidget(SB_CopyAutomSizeToManualPA);
    pa->addWidget(manualB);
    pa->addWidget(SE_ManualSizePA);
    left->addWidget(GB_PanelPA);
    connect(SB_CopyAutomSizeToManualPA, &QToolButton::clicked, this, [this] {
        if (const auto n = labelNumber(L_AutoSizePA->text()))
            SE_ManualSizePA->setValue(*n);
    });

    GB_EditAnswWidth = new QGroupBox(QStringLiteral("Amplada de l'entrada"), page);
    GB_EditAnswWidth->setObjectName(QStringLiteral("GB_EditAnswWidth"));
    auto *width = new QHBoxLayout(GB_EditAnswWidth);
    SE_ManualEditAnswWidth = spin(QStringLiteral("SE_ManualEditAnswWidth"), 10, 640,
                                  m_s.EditAnswWidth, GB_EditAnswWidth);
    BB_CalcEditAnswWidth =
        button(QStringLiteral("BB_CalcEditAnswWidth"), QStringLiteral("Calcula"), GB_EditAnswWidth);
    BB_CalcEditAnswWidth->setToolTip(
        QStringLiteral("Calcula l'amplada de l'entrada per la presentació actual"));
    width->addWidget(SE_ManualEditAnswWidth);
    width->addWidget(BB_CalcEditAnswWidth);
    left->addWidget(GB_EditAnswWidth);
    connect(BB_CalcEditAnswWidth, &QPushButton::clicked, this,
            &TFInFormalOptions::calcEditAnswWidth);

    BB_SetPAnswersColor =
        button(QStringLiteral("BB_SetPAnswersColor"), QStringLiteral("&Fons"), page);
    left->addWidget(BB_SetPAnswersColor);
    connect(BB_SetPAnswersColor, &QPushButton::clicked, this,
            [this] { chooseBackgroundFor(RG_PAnswerShowType->checkedId() == 1); });

    auto *demo = new QGroupBox(QStringLiteral("Demostració"), page);
    auto *demoGrid = new QGridLayout(demo);
    demoGrid->addWidget(new QLabel(QStringLiteral("Files de respostes:"), demo), 0, 0);
    SE_NumRowAnswers = spin(QStringLiteral("SE_NumRowAnswers"), 1, 5, m_state.answerRows, demo);
    demoGrid->addWidget(SE_NumRowAnswers, 0, 1);
    BB_WithPrompForAnswer = check(QStringLiteral("BB_WithPrompForAnswer"),
                                  QStringLiteral("Amb pregunta"), m_state.withPrompt, demo);
    demoGrid->addWidget(BB_WithPrompForAnswer, 1, 0, 1, 2);
    auto *variant = new QGroupBox(QStringLiteral("Plafó"), demo);
    RG_PAnswerShowType =
        radios(variant, {QStringLiteral("en sols text"), QStringLiteral("compartit")},
               m_state.sharedPanel ? 1 : 0);
    RG_PAnswerShowType->setObjectName(QStringLiteral("RG_PAnswerShowType"));
    demoGrid->addWidget(variant, 2, 0, 1, 2);
    left->addWidget(demo);
    left->addStretch(1);
    layout->addLayout(left);

    m_questionTabs = new QTabWidget(page);
    m_questionTabs->setObjectName(QStringLiteral("PC_QuestionDemo"));
    m_radioDemo = new SlideDemo(m_s, m_questionTabs);
    m_radioDemo->setObjectName(QStringLiteral("Demo_Radio"));
    m_typedDemo = new SlideDemo(m_s, m_questionTabs);
    m_typedDemo->setObjectName(QStringLiteral("Demo_Typed"));
    for (SlideDemo *d : {m_radioDemo, m_typedDemo}) {
        d->scene().setBaseFolder(m_in.programDir);
        d->scene().setPaintQuestionControls(true);
    }
    m_questionTabs->addTab(m_radioDemo, QStringLiteral("Botons rodons (a escollir)"));
    m_questionTabs->addTab(m_typedDemo, QStringLiteral("Entrada (a teclejar)"));
    layout->addWidget(m_questionTabs, 1);
    connect(m_questionTabs, &QTabWidget::currentChanged, this, [this] { updateEnabling(); });

    connect(BB_PromptFont, &QPushButton::clicked, this, [this] {
        if (chooseFont(m_s.FontPrompt))
            changed();
    });
    connect(BB_AnswersFont, &QPushButton::clicked, this, [this] {
        if (chooseFont(m_s.FontAnswers))
            changed();
    });
    connect(SB_CopyFontPromptToAnswer, &QToolButton::clicked, this, [this] {
        copyFontKeepingSize(m_s.FontPrompt, m_s.FontAnswers);
        changed();
    });
    connect(SB_CopyFontAnswerToPrompt, &QToolButton::clicked, this, [this] {
        copyFontKeepingSize(m_s.FontAnswers, m_s.FontPrompt);
        changed();
    });
    return page;
}

// --- Answer message page ---------------------------------------------------------------------

QWidget *TFInFormalOptions::buildAnswerMessagePage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *message = new QGroupBox(QStringLiteral("Missatge"), page);
    auto *grid = new QGridLayout(message);
    BB_AnswerMesFont =
        button(QStringLiteral("BB_AnswerMesFont"), QStringLiteral("Tip&us de lletra"), message);
    grid->addWidget(BB_AnswerMesFont, 0, 0);
    SB_CopyFontAFAFromPrompt = button(QStringLiteral("SB_CopyFontAFAFromPrompt"),
                                      QStringLiteral("de la pregunta"), message);
    SB_CopyFontAFAFromAnswer = button(QStringLiteral("SB_CopyFontAFAFromAnswer"),
                                      QStringLiteral("de la resposta"), message);
    grid->addWidget(SB_CopyFontAFAFromPrompt, 0, 1);
    grid->addWidget(SB_CopyFontAFAFromAnswer, 0, 2);
    CB_WithIcon = check(QStringLiteral("CB_WithIcon"), QStringLiteral("&Amb icona"),
                        m_s.AnswerMesWithIcon, message);
    grid->addWidget(CB_WithIcon, 1, 0);
    BB_AnswerMesProof =
        button(QStringLiteral("BB_AnswerMesProof"), QStringLiteral("Provar-ho"), message);
    grid->addWidget(BB_AnswerMesProof, 1, 2);
    layout->addWidget(message);

    GB_PresErrWindow = new QGroupBox(QStringLiteral("Finestra de reacció"), page);
    GB_PresErrWindow->setObjectName(QStringLiteral("GB_PresErrWindow"));
    auto *win = new QVBoxLayout(GB_PresErrWindow);
    auto *referent = new QGroupBox(QStringLiteral("Mida relativa a"), GB_PresErrWindow);
    RG_PresErrWindowReferent = radios(
        referent, {QStringLiteral("Espai a la pantalla"), QStringLiteral("Finestra del programa")},
        std::min<int>(m_s.PresErrReferent, 1));
    win->addWidget(referent);
    auto *percent = new QHBoxLayout;
    percent->addWidget(new QLabel(QStringLiteral("Mida (%):"), GB_PresErrWindow));
    SE_PresErrWindowSizePercent = spin(QStringLiteral("SE_PresErrWindowSizePercent"), 10, 100,
                                       m_s.PresErrSizePercent, GB_PresErrWindow);
    percent->addWidget(SE_PresErrWindowSizePercent);
    percent->addStretch(1);
    win->addLayout(percent);
    layout->addWidget(GB_PresErrWindow);
    layout->addStretch(1);

    connect(BB_AnswerMesFont, &QPushButton::clicked, this, [this] {
        if (chooseFont(m_s.FontAnswerMes))
            changed();
    });
    connect(SB_CopyFontAFAFromPrompt, &QPushButton::clicked, this, [this] {
        copyFontKeepingSize(m_s.FontPrompt, m_s.FontAnswerMes);
        changed();
    });
    connect(SB_CopyFontAFAFromAnswer, &QPushButton::clicked, this, [this] {
        copyFontKeepingSize(m_s.FontAnswers, m_s.FontAnswerMes);
        changed();
    });
    connect(BB_AnswerMesProof, &QPushButton::clicked, this, &TFInFormalOptions::answerMessageProof);
    return page;
}

// --- Text page -------------------------------------------------------------------------------

QWidget *TFInFormalOptions::buildTextPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QHBoxLayout(page);
    auto *left = new QVBoxLayout;
    BB_SetBackGTextColor =
        button(QStringLiteral("BB_SetBackGTextColor"), QStringLiteral("&Color"), page);
    BB_TextFont = button(QStringLiteral("BB_TextFont"), QStringLiteral("&Lletra"), page);
    left->addWidget(BB_SetBackGTextColor);
    left->addWidget(BB_TextFont);
    left->addStretch(1);
    layout->addLayout(left);
    m_textDemo = new TextSlideView(page);
    m_textDemo->setObjectName(QStringLiteral("Demo_Text"));
    m_textDemo->setPlainText(QStringLiteral(
        "Text de demostració d'una diapositiva de sols text.\n\nAixí es veurà l'arxiu de text."));
    // The view starts hidden, as the main window shows it only while a text slide is up.
    m_textDemo->show();
    layout->addWidget(m_textDemo, 1);
    connect(BB_SetBackGTextColor, &QPushButton::clicked, this, [this] {
        if (chooseColor(m_s.ColorRichEdit))
            changed();
    });
    connect(BB_TextFont, &QPushButton::clicked, this, [this] {
        if (chooseFont(m_s.FontText))
            changed();
    });
    return page;
}

// --- Opening from a quiz generation dialog ---------------------------------------------------

void TFInFormalOptions::applyOpener()
{
    if (m_in.opener == InFormalOpener::MainWindow)
        return;
    if (m_in.opener == InFormalOpener::WordsQuiz) {
        m_pages->setTabEnabled(ImagePage, false);
        m_pages->setTabEnabled(TextPage, false);
        GB_PresErrWindow->setEnabled(false);
    }
    // A generated quiz is shown on text-only slides.
    RG_PAnswerShowType->button(0)->setChecked(true);
    m_state.sharedPanel = false;
    for (QAbstractButton *b : RG_PAnswerShowType->buttons())
        b->setEnabled(false);
    if (m_in.quizKind == InFormalQuizKind::OneAnswer)
        m_questionTabs->setTabEnabled(0, false);
    if (m_in.quizKind == InFormalQuizKind::Radio)
        m_questionTabs->setTabEnabled(1, false);
    m_pages->setCurrentIndex(QuestionPage);
    m_questionTabs->setCurrentIndex(m_in.quizKind == InFormalQuizKind::OneAnswer ? 1 : 0);
}

// --- Values, rules and demonstrations --------------------------------------------------------

void TFInFormalOptions::changed()
{
    if (m_loading)
        return;
    PresentationSettings &s = m_s;
    // A stored value outside a control's range stays as it is until that control is changed.
    syncValue(s.ImgAmpliation, EC_Ampliation->value(), 10, 999);
    s.ImgAmpliationEnabled = SB_AmpliationEnabled->isChecked();
    syncValue(s.ImgGifAnimateSpeed, SE_GifAnimateSpeed->value(), 1, 1000);
    s.ImgGifAnimate = SB_GifAnimate->isChecked();
    s.ImgTransparent = SB_ImageTransparent->isChecked();
    s.ImgFrameEnabled = CB_ImageFrameEnabledDemo->isChecked();
    syncValue(s.ImgFrameWidth, SE_ImageFrame->value(), 2, 50);
    syncValue(s.MarkSize, SE_MarkSize->value(), 10, 60);
    syncValue(s.MarkPenMode, CB_MarkPenMode->currentIndex(), 0, 15);
    syncValue(s.MarkPenWidth, SE_MarkPenWidth->value(), 1, 9);
    s.MarkConstRatio = CB_MarkConstRatio->isChecked();
    syncValue(s.ImgNotePanelsMode, LB_ImgNotePanelsMode->currentRow(), 0, 2);
    s.PanelNoteTB.ManualSize = RG_ManualPanelSizeTB->checkedId() == 1;
    syncValue(s.PanelNoteTB.Size, SE_ManualSizeTB->value(), 10, 200);
    s.PanelNoteLR.ManualSize = RG_ManualPanelSizeLR->checkedId() == 1;
    syncValue(s.PanelNoteLR.Size, SE_ManualSizeLR->value(), 60, 300);
    s.PermanentNotePanels = CB_PermanentNotePanelsDemo->isChecked();
    s.LeftJustifyLRLines = RG_TextHPositionLR->checkedId() == 1;
    s.OnTopLRLines = RG_TextVPositionLR->checkedId() == 1;
    s.WordWrapLRLines = CB_WordWrapLRLines->isChecked();
    for (int line = 0; line < 2; ++line) {
        TitleFontSettings &f = line == 0 ? s.FontTitle1rsLine : s.FontTitle2ndLine;
        syncValue(f.ShadowSize, SE_ShadowSize[line]->value(), 0, 50);
        syncValue(f.ShadowPos, LB_ShadowPos[line]->currentRow(), 0, 3);
    }
    s.PanelPA.ManualSize = RG_ManualPanelSizePA->checkedId() == 1;
    syncValue(s.PanelPA.Size, SE_ManualSizePA->value(), 10, kMaxPanelPA);
    syncValue(s.EditAnswWidth, SE_ManualEditAnswWidth->value(), 10, 640);
    s.AnswerMesWithIcon = CB_WithIcon->isChecked();
    syncValue(s.PresErrReferent, RG_PresErrWindowReferent->checkedId(), 0, 1);
    syncValue(s.PresErrSizePercent, SE_PresErrWindowSizePercent->value(), 10, 100);
    m_state.answerRows = SE_NumRowAnswers->value();
    m_state.withPrompt = BB_WithPrompForAnswer->isChecked();
    m_state.sharedPanel = RG_PAnswerShowType->checkedId() == 1;
    updateEnabling();
    updateDemos();
}

void TFInFormalOptions::updateEnabling()
{
    const PresentationSettings &s = m_s;
    EC_Ampliation->setEnabled(s.ImgAmpliationEnabled);
    // Transparency applies to still bitmaps only.
    SB_ImageTransparent->setEnabled(!s.ImgGifAnimate);
    SE_ImageFrame->setEnabled(s.ImgFrameEnabled);
    const bool outline = s.MarkPenMode > 2;
    GB_MarkOutline->setVisible(outline);
    BB_Mark_BrushColor->setVisible(outline);
    BB_SetImagePColor->setEnabled(s.ImagePanel.ColorBackGroundEffect == 0);
    BB_SetBmpImageP->setEnabled(s.ImagePanel.ColorBackGroundEffect != 0);
    BB_SetNotePColor->setEnabled(s.NotePanel.ColorBackGroundEffect == 0);
    BB_SetBmpNoteP->setEnabled(s.NotePanel.ColorBackGroundEffect != 0);
    SE_ManualSizeTB->setEnabled(s.PanelNoteTB.ManualSize);
    SE_ManualSizeLR->setEnabled(s.PanelNoteLR.ManualSize);
    SB_CopyAutomSizeToManualTB->setEnabled(s.PanelNoteTB.ManualSize &&
                                           labelNumber(L_AutoSizeTB->text()).has_value());
    SB_CopyAutomSizeToManualLR->setEnabled(s.PanelNoteLR.ManualSize &&
                                           labelNumber(L_AutoSizeLR->text()).has_value());
    CB_PermanentNotePanelsDemo->setEnabled(s.PanelNoteTB.ManualSize || s.PanelNoteLR.ManualSize);
    CB_WordWrapLRLines->setEnabled(s.PanelNoteLR.ManualSize && s.LeftJustifyLRLines);
    for (int line = 0; line < 2; ++line) {
        const bool shadow = SE_ShadowSize[line]->value() > 0;
        BB_ShadowColor[line]->setEnabled(shadow);
        LB_ShadowPos[line]->setEnabled(shadow);
    }
    // The text-only variant keeps the panel's size; the shared one lets it be set.
    const bool shared = RG_PAnswerShowType->checkedId() == 1;
    GB_PanelPA->setEnabled(shared);
    SE_ManualSizePA->setEnabled(shared && s.PanelPA.ManualSize);
    SB_CopyAutomSizeToManualPA->setEnabled(shared && s.PanelPA.ManualSize &&
                                           labelNumber(L_AutoSizePA->text()).has_value());
    const bool typedShown = m_questionTabs->currentIndex() == 1;
    GB_EditAnswWidth->setVisible(typedShown);
    GB_EditAnswWidth->setEnabled(m_typedDemo->scene().question().box != nullptr &&
                                 m_in.opener == InFormalOpener::MainWindow);
}

void TFInFormalOptions::updateDemoSwitch()
{
    const int tab = m_imageTabs->currentIndex();
    m_imageSideDemo->setCurrentWidget(tab == ImageTabImage  ? static_cast<QWidget *>(m_imageDemo)
                                      : tab == ImageTabMark ? static_cast<QWidget *>(m_markDemo)
                                                            : static_cast<QWidget *>(m_noteDemo));
}

void TFInFormalOptions::setNotePosition(NotePosition pos)
{
    m_notePos = pos;
    QToolButton *b = pos == NotePosition::Left    ? TB_NoteLeft
                     : pos == NotePosition::Top   ? TB_NoteTop
                     : pos == NotePosition::Right ? TB_NoteRight
                                                  : TB_NoteBottom;
    b->setChecked(true);
    showNoteDemo();
    updateSizeLabels();
    updateEnabling();
}

void TFInFormalOptions::showPage(int page, int imageTab)
{
    m_pages->setCurrentIndex(page);
    if (imageTab >= 0)
        m_imageTabs->setCurrentIndex(imageTab);
}

void TFInFormalOptions::showNoteDemo()
{
    SlideRecord slide;
    slide.Kind = skImage;
    slide.FileName = imageDemoFile();
    slide.NotePos = m_notePos;
    slide.PromptOr1stLine = m_state.note1;
    slide.AnswersOrNextLines = m_state.note2;
    if (m_state.note1.isEmpty() && m_state.note2.isEmpty()) {
        // A permanent panel is the one left standing by a slide with notes on that side.
        SlideRecord before = slide;
        before.PromptOr1stLine = QStringLiteral(" ");
        m_noteDemo->showImage(before);
    }
    m_noteDemo->showImage(slide);
}

void TFInFormalOptions::showQuestionDemo(SlideDemo *demo, bool radio)
{
    SlideRecord slide;
    slide.FileName = imageDemoFile();
    slide.PWithAnswer = true;
    slide.PWithPromptForAnswer = m_state.withPrompt;
    slide.NotePos = NotePosition::Bottom;
    slide.PromptOr1stLine = QStringLiteral("Pregunta");
    if (radio) {
        QStringList answers;
        for (int i = 1; i <= m_state.answerRows; ++i)
            answers << QStringLiteral("Resposta %1").arg(i);
        slide.AnswersOrNextLines = answers.join(QLatin1Char('|'));
    } else {
        slide.AnswersOrNextLines = QStringLiteral("Resposta");
    }
    demo->scene().clearQuestion();
    if (m_state.sharedPanel) {
        slide.Kind = skImage;
        demo->showImage(slide);
    } else {
        slide.Kind = skTitle;
        demo->scene().showTitleSlide(slide);
    }
    PlayerRandom rng(1);
    SilentPrompter silent;
    demo->scene().setQuestion(BuildQuestion(slide, m_s, QuestionMode::Demonstration, false,
                                            m_state.withPrompt, rng, silent));
}

void TFInFormalOptions::updateDemos()
{
    for (SlideDemo *d :
         {m_imageDemo, m_markDemo, m_noteDemo, m_titleDemo, m_radioDemo, m_typedDemo})
        d->scene().applySettings();

    SlideRecord image;
    image.Kind = skImage;
    image.FileName = imageDemoFile();
    m_imageDemo->showImage(image);

    SlideRecord mark;
    mark.Kind = skImage;
    mark.FileName = markDemoFile();
    mark.MarkX = 500;
    mark.MarkY = 500;
    m_markDemo->showImage(mark);

    showNoteDemo();

    SlideRecord title;
    title.Kind = skTitle;
    title.PromptOr1stLine = m_state.note1;
    title.AnswersOrNextLines = m_state.note2;
    m_titleDemo->scene().showTitleSlide(title);

    showQuestionDemo(m_radioDemo, true);
    showQuestionDemo(m_typedDemo, false);

    const QPalette pal = palette();
    m_textDemo->setAppearance(colorFromTColor(m_s.ColorRichEdit, pal),
                              fontFromSettings(m_s.FontText),
                              colorFromTColor(m_s.FontText.Color, pal));
    updateDemoSwitch();
    updateSizeLabels();
    updateEnabling();
    for (SlideDemo *d :
         {m_imageDemo, m_markDemo, m_noteDemo, m_titleDemo, m_radioDemo, m_typedDemo})
        d->update();
}

void TFInFormalOptions::updateSizeLabels()
{
    // The automatic sizes the player would give the demonstration's panels now.
    auto automatic = [this](NotePosition pos) {
        PresentationSettings s = m_s;
        s.PanelNoteTB.ManualSize = false;
        s.PanelNoteLR.ManualSize = false;
        SlideScene scene(s);
        scene.setBaseFolder(m_in.programDir);
        SlideRecord slide;
        slide.Kind = skImage;
        slide.NotePos = pos;
        slide.PromptOr1stLine = m_state.note1;
        slide.AnswersOrNextLines = m_state.note2;
        scene.showImageSlide(slide);
        const QRect panel = scene.layout(m_noteDemo->size(), m_noteDemo).notePanel;
        return pos == NotePosition::Left ? panel.width() : panel.height();
    };
    if (!m_s.PanelNoteTB.ManualSize)
        L_AutoSizeTB->setText(sizeLabel(automatic(NotePosition::Bottom)));
    if (!m_s.PanelNoteLR.ManualSize)
        L_AutoSizeLR->setText(sizeLabel(automatic(NotePosition::Left)));
    if (!m_s.PanelPA.ManualSize) {
        SlideDemo *demo = m_questionTabs->currentIndex() == 1 ? m_typedDemo : m_radioDemo;
        const SlideScene::Layout L = demo->currentLayout();
        L_AutoSizePA->setText(sizeLabel(L.questionPanel.height()));
    }
}

bool TFInFormalOptions::chooseFont(FontSettings &font)
{
    if (!m_choosers.font)
        return false;
    const auto chosen = m_choosers.font(fontFromSettings(font));
    if (!chosen)
        return false;
    setFontSettings(font, *chosen);
    return true;
}

bool TFInFormalOptions::chooseColor(TColor &color)
{
    if (!m_choosers.color)
        return false;
    const auto chosen = m_choosers.color(color);
    if (!chosen)
        return false;
    color = *chosen;
    return true;
}

void TFInFormalOptions::chooseBitmap(PanelBackground &bg, QString &statePath)
{
    if (!m_choosers.bitmap)
        return;
    const QString path = m_choosers.bitmap(bg.BmpForBackgroud);
    if (path.isEmpty())
        return;
    bg.BmpForBackgroud = path;
    statePath = path;
    changed();
}

void TFInFormalOptions::chooseBackgroundFor(bool sharedVariant)
{
    PanelBackground preset = sharedVariant ? m_s.NotePanel : m_s.TitlePanel;
    preset.BmpForBackgroud = m_s.TitlePanel.BmpForBackgroud;
    TFSetColorsOrImageToPanel dialog(preset, m_choosers, this);
    dialog.setHelp(m_help);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PanelBackground chosen = dialog.background();
    if (sharedVariant) {
        // The note panels allow plain, stretched and tiled backgrounds only.
        PanelBackground note = chosen;
        if (note.ColorBackGroundEffect > 2)
            note.ColorBackGroundEffect = 0;
        m_s.NotePanel = note;
        m_loading = true;
        CB_BackGroundEffectNote->setCurrentIndex(note.ColorBackGroundEffect);
        m_loading = false;
    } else {
        m_s.TitlePanel = chosen;
    }
    m_state.titleBitmap = chosen.BmpForBackgroud;
    changed();
}

void TFInFormalOptions::calcEditAnswWidth()
{
    const Fallible<int> width = CalcEditAnswWidth(m_in.slideLines, m_s.FontAnswers, m_typedDemo);
    if (!width.ok()) {
        m_prompter.ShowError(width.error());
        return;
    }
    SE_ManualEditAnswWidth->setValue(std::clamp(width.value(), 10, 640));
}

void TFInFormalOptions::answerMessageProof()
{
    AnswerMessageStyle style;
    const FontSettings &f = m_s.FontAnswerMes;
    style.fontName = f.FontName;
    style.fontSize = f.FontSize;
    style.bold = f.fsBold;
    style.italic = f.fsItalic;
    style.color = f.Color;
    style.showIcon = m_s.AnswerMesWithIcon;
    m_prompter.answerMessageBox(QStringLiteral("Missatge que apareixerà"), MsgKind::Error,
                                {QStringLiteral("D'acord")}, style);
}

void TFInFormalOptions::copyNoteFromSlide()
{
    if (!m_in.currentSlide)
        return;
    const SlideRecord &slide = *m_in.currentSlide;
    m_state.note1 = slide.PromptOr1stLine;
    m_state.note2 = slide.AnswersOrNextLines;
    if (slide.Kind == skImage)
        setNotePosition(slide.NotePos);
    E_Note1Str->setText(m_state.note1);
    E_Note2Str->setText(m_state.note2);
    changed();
}
