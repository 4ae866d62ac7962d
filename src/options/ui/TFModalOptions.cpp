#include "options/ui/TFModalOptions.h"

#include "config/ui/TWhereSaveBox.h"
#include "files/HelpContexts.h"
#include "files/Prompter.h"
#include "files/ui/DialogHelp.h"
#include "options/ui/OptionsDialogParts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QRadioButton *radio(QWidget *parent, QButtonGroup *group, int id, const QString &name,
                    const QString &caption)
{
    auto *b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    group->addButton(b, id);
    return b;
}

QLabel *buddyLabel(QWidget *parent, const QString &caption, QWidget *buddy)
{
    auto *l = new QLabel(caption, parent);
    l->setBuddy(buddy);
    return l;
}

} // namespace

TFModalOptions::TFModalOptions(const PresentationSettings &settings, int slideCount,
                               MemorisationOffer offer, AnswerKinds answers, int saveDestination,
                               const QString &presentationName, const QString &programBaseName,
                               Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_prompter(prompter),
      m_slideCount(std::max(slideCount, 2)), m_offer(offer), m_answers(answers)
{
    setObjectName(QStringLiteral("TFModalOptions"));
    setWindowTitle(QStringLiteral("Opcions de mode de presentació"));
    prepareModalSettings(m_settings, offer);
    const PresentationSettings &s = m_settings;
    const int n = m_slideCount;

    auto *columns = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    auto *right = new QVBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);

    // The order.
    auto *order = namedGroup(this, QStringLiteral("RG_PresSort"), QStringLiteral("Tipus d'ordre"));
    auto *orderLayout = new QVBoxLayout(order);
    m_sort = new QButtonGroup(this);
    RB_PresSequential = radio(order, m_sort, 0, QStringLiteral("RB_PresSequential"),
                              QStringLiteral("&Seqüencial (per ordre de diapositiva)"));
    RB_PresDifferentRandom = radio(order, m_sort, 1, QStringLiteral("RB_PresDifferentRandom"),
                                   QStringLiteral("&Aleatori i diferent en cada repetició"));
    RB_PresSameRandom = radio(order, m_sort, 2, QStringLiteral("RB_PresSameRandom"),
                              QStringLiteral("Per a &memorització d'imatges (o noms)"));
    for (QRadioButton *b : {RB_PresSequential, RB_PresDifferentRandom, RB_PresSameRandom})
        orderLayout->addWidget(b);
    left->addWidget(order);

    // What a random order shuffles.
    GB_Random =
        namedGroup(this, QStringLiteral("RG_Random"), QStringLiteral("Imatges a aleatoritzar"));
    auto *randomLayout = new QVBoxLayout(GB_Random);
    m_scope = new QButtonGroup(this);
    RB_RandomAll =
        radio(GB_Random, m_scope, 0, QStringLiteral("RB_RandomAll"), QStringLiteral("&Totes"));
    RB_RandomOmission = radio(GB_Random, m_scope, 1, QStringLiteral("RB_RandomOmission"),
                              QStringLiteral("Amb &omissió"));
    RB_RandomRange =
        radio(GB_Random, m_scope, 2, QStringLiteral("RB_RandomRange"), QStringLiteral("Marg&e"));
    randomLayout->addWidget(RB_RandomAll);
    randomLayout->addWidget(RB_RandomOmission);
    GB_Omission = namedGroup(GB_Random, QStringLiteral("GB_Omission"),
                             QStringLiteral("Omet la aleatorització en la diapositiva:"));
    auto *omissionLayout = new QVBoxLayout(GB_Omission);
    CB_OmissionFirstSlide = namedCheck(GB_Omission, QStringLiteral("CB_OmissionFirstSlide"),
                                       QStringLiteral("Primera (títol)"));
    CB_OmissionLastSlide = namedCheck(GB_Omission, QStringLiteral("CB_OmissionLastSlide"),
                                      QStringLiteral("Ú&ltima (acabament)"));
    omissionLayout->addWidget(CB_OmissionFirstSlide);
    omissionLayout->addWidget(CB_OmissionLastSlide);
    randomLayout->addWidget(GB_Omission);
    randomLayout->addWidget(RB_RandomRange);
    GB_Range =
        namedGroup(GB_Random, QStringLiteral("GB_Range"), QStringLiteral("Marges (inclosos)"));
    auto *rangeLayout = new QGridLayout(GB_Range);
    EC_RangeInf = numberEdit(GB_Range, QStringLiteral("EC_RangeInf"), 1, n - 1);
    EC_RangeSup = numberEdit(GB_Range, QStringLiteral("EC_RangeSup"), 1, n);
    m_rangeInfLabel = buddyLabel(GB_Range, QStringLiteral("&Inferior"), EC_RangeInf);
    m_rangeSupLabel = buddyLabel(GB_Range, QStringLiteral("S&uperior"), EC_RangeSup);
    rangeLayout->addWidget(m_rangeInfLabel, 0, 0);
    rangeLayout->addWidget(EC_RangeInf, 0, 1);
    rangeLayout->addWidget(m_rangeSupLabel, 1, 0);
    rangeLayout->addWidget(EC_RangeSup, 1, 1);
    randomLayout->addWidget(GB_Range);
    left->addWidget(GB_Random);

    // Memorisation.
    GB_Memorisation = namedGroup(this, QStringLiteral("GB_Memorisation"),
                                 QStringLiteral("Memorització d'imatges o noms"));
    auto *memLayout = new QGridLayout(GB_Memorisation);
    EC_InitialMemorizedCount =
        numberEdit(GB_Memorisation, QStringLiteral("EC_InitialMemorizedCount"), 1, 9);
    m_initialCountLabel = buddyLabel(GB_Memorisation, QStringLiteral("Nombre &inicial a recordar"),
                                     EC_InitialMemorizedCount);
    memLayout->addWidget(m_initialCountLabel, 0, 0, 1, 2);
    memLayout->addWidget(EC_InitialMemorizedCount, 0, 2);
    CB_UseAllSlidesToMem = namedCheck(GB_Memorisation, QStringLiteral("CB_UseAllSlidesToMem"),
                                      QStringLiteral("&Totes"));
    memLayout->addWidget(CB_UseAllSlidesToMem, 1, 0);
    // A list shorter than five slides still offers its own length.
    EC_InitialImages = numberEdit(GB_Memorisation, QStringLiteral("EC_InitialImages"),
                                  std::min(5, n), std::min(99, n));
    m_initialImagesBefore =
        buddyLabel(GB_Memorisation, QStringLiteral("&Només les"), EC_InitialImages);
    m_initialImagesAfter = new QLabel(QStringLiteral(" primeres"), GB_Memorisation);
    memLayout->addWidget(m_initialImagesBefore, 2, 0);
    memLayout->addWidget(EC_InitialImages, 2, 1);
    memLayout->addWidget(m_initialImagesAfter, 2, 2);
    CB_RepeatedImages = namedCheck(GB_Memorisation, QStringLiteral("CB_RepeatedImages"),
                                   QStringLiteral("Amb &repetició"));
    memLayout->addWidget(CB_RepeatedImages, 3, 0);
    EC_TotalSlidesToMemorize =
        numberEdit(GB_Memorisation, QStringLiteral("EC_TotalSlidesToMemorize"), 5, 99);
    m_totalLabel = buddyLabel(GB_Memorisation, QStringLiteral("T&otal"), EC_TotalSlidesToMemorize);
    memLayout->addWidget(m_totalLabel, 3, 1);
    memLayout->addWidget(EC_TotalSlidesToMemorize, 3, 2);
    left->addWidget(GB_Memorisation);
    left->addStretch(1);

    // The quiz mode.
    GB_Model = namedGroup(this, QStringLiteral("RG_Model"), QStringLiteral("Modalitat"));
    auto *modelLayout = new QHBoxLayout(GB_Model);
    m_model = new QButtonGroup(this);
    RB_ModelNone =
        radio(GB_Model, m_model, 0, QStringLiteral("RB_ModelNone"), QStringLiteral("&Cap"));
    RB_ModelLearning = radio(GB_Model, m_model, 1, QStringLiteral("RB_ModelLearning"),
                             QStringLiteral("A&prenentatge"));
    RB_ModelTest =
        radio(GB_Model, m_model, 2, QStringLiteral("RB_ModelTest"), QStringLiteral("E&xamen"));
    for (QRadioButton *b : {RB_ModelNone, RB_ModelLearning, RB_ModelTest})
        modelLayout->addWidget(b);
    right->addWidget(GB_Model);

    // The answers.
    auto *answersBox = namedGroup(this, QStringLiteral("GB_Answers"), QStringLiteral("Respostes"));
    auto *answersLayout = new QVBoxLayout(answersBox);
    GB_Multiple = namedGroup(answersBox, QStringLiteral("GB_Multiple"),
                             QStringLiteral("Presentació múltiple"));
    auto *multipleLayout = new QGridLayout(GB_Multiple);
    SE_MA_MaxIncorrections =
        numberEdit(GB_Multiple, QStringLiteral("SE_MA_MaxIncorrections"), 0, 5);
    multipleLayout->addWidget(buddyLabel(GB_Multiple,
                                         QStringLiteral("Nombre màxim equivocacions/resposta"),
                                         SE_MA_MaxIncorrections),
                              0, 0);
    multipleLayout->addWidget(SE_MA_MaxIncorrections, 0, 1);
    CB_UseNegativeScore =
        namedCheck(GB_Multiple, QStringLiteral("CB_UseNegativeScore"),
                   QStringLiteral("Utilit&za puntuació negativa (si no assignada)"));
    multipleLayout->addWidget(CB_UseNegativeScore, 1, 0, 1, 2);
    answersLayout->addWidget(GB_Multiple);

    GB_Single = namedGroup(answersBox, QStringLiteral("GB_Single"), QStringLiteral("Única"));
    auto *singleLayout = new QVBoxLayout(GB_Single);
    auto *single = new QButtonGroup(this);
    RB_AA_MentalReminder = radio(GB_Single, single, 0, QStringLiteral("RB_AA_MentalReminder"),
                                 QStringLiteral("A recordar mentalment"));
    RB_AA_ByInput =
        radio(GB_Single, single, 1, QStringLiteral("RB_AA_ByInput"), QStringLiteral("A teclejar"));
    auto *singleChoice = new QHBoxLayout;
    singleChoice->addWidget(RB_AA_MentalReminder);
    singleChoice->addWidget(RB_AA_ByInput);
    singleLayout->addLayout(singleChoice);
    GB_Input = namedGroup(GB_Single, QStringLiteral("GB_Input"), QStringLiteral("Entrada"));
    auto *inputLayout = new QGridLayout(GB_Input);
    CB_AA_WithMask = namedCheck(GB_Input, QStringLiteral("CB_AA_WithMask"),
                                QStringLiteral("Amb màscara de * (mostra llargada i més)"));
    CB_AA_IgnoreAccent = namedCheck(GB_Input, QStringLiteral("CB_AA_IgnoreAccent"),
                                    QStringLiteral("Ignora els accents"));
    auto *checkMode = new QButtonGroup(this);
    RB_AA_CheckAtEachChar = radio(GB_Input, checkMode, 0, QStringLiteral("RB_AA_CheckAtEachChar"),
                                  QStringLiteral("Caràcter a caràcter"));
    RB_AA_CheckWhenReturnKeyP =
        radio(GB_Input, checkMode, 1, QStringLiteral("RB_AA_CheckWhenReturnKeyP"),
              QStringLiteral("Quan \"Intro\""));
    CB_AA_ChangeIncorrectChar =
        namedCheck(GB_Input, QStringLiteral("CB_AA_ChangeIncorrectChar"),
                   QStringLiteral("Substitueix caràcter equivocat x correcte"));
    SE_AA_MaxIncorrections = numberEdit(GB_Input, QStringLiteral("SE_AA_MaxIncorrections"), 0, 5);
    inputLayout->addWidget(CB_AA_WithMask, 0, 0, 1, 2);
    inputLayout->addWidget(CB_AA_IgnoreAccent, 1, 0, 1, 2);
    inputLayout->addWidget(RB_AA_CheckAtEachChar, 2, 0);
    inputLayout->addWidget(RB_AA_CheckWhenReturnKeyP, 2, 1);
    inputLayout->addWidget(CB_AA_ChangeIncorrectChar, 3, 0, 1, 2);
    auto *maxRow = new QHBoxLayout;
    maxRow->addWidget(buddyLabel(GB_Input, QStringLiteral("Nombre màxim equivocac./resposta"),
                                 SE_AA_MaxIncorrections));
    maxRow->addWidget(SE_AA_MaxIncorrections);
    maxRow->addStretch(1);
    inputLayout->addLayout(maxRow, 4, 0, 1, 2);
    singleLayout->addWidget(GB_Input);
    answersLayout->addWidget(GB_Single);
    CB_OmissionLearningResultsMessages =
        namedCheck(answersBox, QStringLiteral("CB_OmissionLearningResultsMessages"),
                   QStringLiteral("Omet els missatges quan equivoc."));
    CB_OnlyResultTest =
        namedCheck(answersBox, QStringLiteral("CB_OnlyResultTest"),
                   QStringLiteral("En acabar o sumatori: sols la puntuació &final"));
    answersLayout->addWidget(CB_OmissionLearningResultsMessages);
    answersLayout->addWidget(CB_OnlyResultTest);
    right->addWidget(answersBox);

    // Advance and notes.
    auto *runRow = new QHBoxLayout;
    CB_ManualViewing =
        namedCheck(this, QStringLiteral("CB_ManualViewing"), QStringLiteral("ma&nual"));
    CB_LoopImages =
        namedCheck(this, QStringLiteral("CB_LoopImages"), QStringLiteral("&Reproducció contínua"));
    runRow->addWidget(CB_ManualViewing);
    runRow->addWidget(CB_LoopImages);
    runRow->addStretch(1);
    right->addLayout(runRow);
    CB_HideNote = namedCheck(this, QStringLiteral("CB_HideNote"),
                             QStringLiteral("Amaga els comentaris diapositiv. d'imatge"));
    right->addWidget(CB_HideNote);

    // The default duration.
    GB_Speed =
        namedGroup(this, QStringLiteral("GB_Speed"), QStringLiteral("Velocitat de presentació"));
    auto *speedLayout = new QGridLayout(GB_Speed);
    SE_Delay = numberEdit(GB_Speed, QStringLiteral("SE_Delay"), 1, 1000);
    speedLayout->addWidget(
        buddyLabel(GB_Speed,
                   QStringLiteral("&Durada de presentació\nper a cada diapositiva\n(que no la "
                                  "tingui assignada)"),
                   SE_Delay),
        0, 0, 2, 1);
    speedLayout->addWidget(SE_Delay, 0, 1);
    speedLayout->addWidget(new QLabel(QStringLiteral("s"), GB_Speed), 0, 2);
    speedLayout->addWidget(new QLabel(QStringLiteral("(0 per 1/2 segon)"), GB_Speed), 1, 1, 1, 2);
    right->addWidget(GB_Speed);
    right->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    m_where = new TWhereSaveBox(saveDestination, presentationName, programBaseName,
                                TWhereSaveBox::HintStyle::AcceptAndSave, this);
    layout->addWidget(m_where);
    connect(m_where, &TWhereSaveBox::okAndSave, this, [this] {
        m_saveNow = true;
        accept();
    });
    layout->addWidget(optionsButtons(this, m_help));

    // The controls from the settings.
    if (QAbstractButton *b = m_sort->button(int(s.PresSort)))
        b->setChecked(true);
    if (QAbstractButton *b = m_scope->button(int(s.PresDRandom)))
        b->setChecked(true);
    CB_OmissionFirstSlide->setChecked(s.OmissionFirstSlide);
    CB_OmissionLastSlide->setChecked(s.OmissionLastSlide);
    if (s.PresDRandom == RandomScope::Range) {
        EC_RangeInf->setValue(s.RandomRangeInf);
        EC_RangeSup->setValue(s.RandomRangeSup);
    }
    EC_InitialMemorizedCount->setValue(s.InitialMemorizedCount);
    CB_UseAllSlidesToMem->setChecked(s.UseAllSlidesToMem);
    if (!s.UseAllSlidesToMem)
        EC_InitialImages->setValue(s.InitialImages);
    CB_RepeatedImages->setChecked(s.PresRepeatedImages);
    if (s.PresRepeatedImages)
        EC_TotalSlidesToMemorize->setValue(s.TotalSlidesToMemorize);
    // Stored numbers outside the three choices show none chosen.
    if (QAbstractButton *b = m_model->button(int(s.ShowingModel)))
        b->setChecked(true);
    SE_MA_MaxIncorrections->setValue(s.MAMaxIncorrections);
    CB_UseNegativeScore->setChecked(s.UseNegativeScore);
    (s.ByInput ? RB_AA_ByInput : RB_AA_MentalReminder)->setChecked(true);
    CB_AA_WithMask->setChecked(s.WithMask);
    CB_AA_IgnoreAccent->setChecked(s.IgnoreAccent);
    (s.CheckAtEnd ? RB_AA_CheckWhenReturnKeyP : RB_AA_CheckAtEachChar)->setChecked(true);
    CB_AA_ChangeIncorrectChar->setChecked(s.ChangeIncorrectChar);
    SE_AA_MaxIncorrections->setValue(s.MaxIncorrections);
    CB_OmissionLearningResultsMessages->setChecked(s.OmissionLearningResultsMessages);
    CB_OnlyResultTest->setChecked(s.OnlyResultTest);
    CB_ManualViewing->setChecked(s.ManualViewing);
    CB_LoopImages->setChecked(s.LoopImages);
    CB_HideNote->setChecked(s.HideNote);
    SE_Delay->setValue(s.ImageDelay);
    for (QSpinBox *spin : findChildren<QSpinBox *>()) {
        bool loaded = true;
        if (spin == EC_RangeInf || spin == EC_RangeSup)
            loaded = s.PresDRandom == RandomScope::Range;
        else if (spin == EC_InitialImages)
            loaded = !s.UseAllSlidesToMem;
        else if (spin == EC_TotalSlidesToMemorize)
            loaded = s.PresRepeatedImages;
        m_numbers.push_back({spin, spin->value(), loaded});
    }

    // Enabling follows every click of the controls it depends on.
    for (QAbstractButton *b : {static_cast<QAbstractButton *>(RB_PresSequential),
                               static_cast<QAbstractButton *>(RB_PresDifferentRandom),
                               static_cast<QAbstractButton *>(RB_PresSameRandom),
                               static_cast<QAbstractButton *>(RB_RandomAll),
                               static_cast<QAbstractButton *>(RB_RandomOmission),
                               static_cast<QAbstractButton *>(RB_RandomRange),
                               static_cast<QAbstractButton *>(CB_UseAllSlidesToMem),
                               static_cast<QAbstractButton *>(CB_RepeatedImages),
                               static_cast<QAbstractButton *>(RB_ModelNone),
                               static_cast<QAbstractButton *>(RB_ModelLearning),
                               static_cast<QAbstractButton *>(RB_ModelTest),
                               static_cast<QAbstractButton *>(RB_AA_MentalReminder),
                               static_cast<QAbstractButton *>(RB_AA_ByInput),
                               static_cast<QAbstractButton *>(RB_AA_CheckAtEachChar),
                               static_cast<QAbstractButton *>(RB_AA_CheckWhenReturnKeyP),
                               static_cast<QAbstractButton *>(CB_ManualViewing)})
        connect(b, &QAbstractButton::clicked, this, [this] { applyEnabling(); });
    // Learning, test and memorisation are stepped by hand, once through.
    for (QAbstractButton *b : {static_cast<QAbstractButton *>(RB_PresSameRandom),
                               static_cast<QAbstractButton *>(RB_ModelLearning),
                               static_cast<QAbstractButton *>(RB_ModelTest)})
        connect(b, &QAbstractButton::clicked, this, [this] { forceManual(); });
    applyEnabling();
}

void TFModalOptions::setHelp(HelpRequester *help)
{
    m_help->setHelp(help, helpNumber(HelpContext::ModalOptions));
}

int TFModalOptions::saveDestination() const
{
    return m_where->destination();
}

ModalChoices TFModalOptions::choices() const
{
    ModalChoices c;
    c.sort = PresSortMode(std::max(0, m_sort->checkedId()));
    c.scope = RandomScope(std::max(0, m_scope->checkedId()));
    c.allSlidesToMem = CB_UseAllSlidesToMem->isChecked();
    c.repeatedImages = CB_RepeatedImages->isChecked();
    c.model =
        m_model->checkedId() < 0 ? m_settings.ShowingModel : ShowingMode(m_model->checkedId());
    c.byInput = RB_AA_ByInput->isChecked();
    c.checkAtEnd = RB_AA_CheckWhenReturnKeyP->isChecked();
    c.manual = CB_ManualViewing->isChecked();
    c.answers = m_answers;
    c.memorisation = m_offer;
    return c;
}

void TFModalOptions::applyEnabling()
{
    const ModalEnabling e = modalEnabling(choices());
    GB_Random->setEnabled(e.randomGroup);
    GB_Omission->setEnabled(e.omissions);
    GB_Range->setEnabled(e.range);
    RB_PresSameRandom->setEnabled(e.memorisationChoice);
    GB_Memorisation->setEnabled(e.memGroup);
    EC_InitialImages->setEnabled(e.initialImages);
    m_initialImagesBefore->setEnabled(e.initialImages);
    m_initialImagesAfter->setEnabled(e.initialImages);
    EC_TotalSlidesToMemorize->setEnabled(e.totalToMemorize);
    m_totalLabel->setEnabled(e.totalToMemorize);
    GB_Model->setEnabled(e.modelGroup);
    CB_OmissionLearningResultsMessages->setEnabled(e.omitMessages);
    CB_UseNegativeScore->setEnabled(e.negativeScore);
    CB_OnlyResultTest->setEnabled(e.onlyResult);
    GB_Multiple->setEnabled(e.multipleGroup);
    // The negative score's own rule holds inside its group.
    GB_Single->setEnabled(e.singleGroup);
    GB_Input->setEnabled(e.inputGroup);
    CB_AA_ChangeIncorrectChar->setEnabled(e.changeIncorrect);
    GB_Speed->setEnabled(e.speedGroup);
    CB_HideNote->setEnabled(e.hideNote);
}

void TFModalOptions::forceManual()
{
    const ModalChoices c = choices();
    if (!forcesManualViewing(c.sort, c.model))
        return;
    CB_LoopImages->setChecked(false);
    CB_ManualViewing->setChecked(true);
    applyEnabling();
}

int TFModalOptions::numberBack(const NumberField &f, int stored) const
{
    return f.loaded && f.spin->value() == f.shown ? stored : f.spin->value();
}

void TFModalOptions::accept()
{
    if (m_sort->checkedId() == int(PresSortMode::Random) &&
        m_scope->checkedId() == int(RandomScope::Range)) {
        if (const auto error = rangeError(EC_RangeInf->value(), EC_RangeSup->value())) {
            m_prompter.ShowError(*error);
            EC_RangeInf->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    store();
    QDialog::accept();
}

void TFModalOptions::store()
{
    PresentationSettings &s = m_settings;
    const auto field = [this](QSpinBox *spin) {
        return *std::find_if(m_numbers.begin(), m_numbers.end(),
                             [spin](const NumberField &f) { return f.spin == spin; });
    };
    if (m_sort->checkedId() >= 0)
        s.PresSort = PresSortMode(m_sort->checkedId());
    if (m_scope->checkedId() >= 0)
        s.PresDRandom = RandomScope(m_scope->checkedId());
    s.OmissionFirstSlide = CB_OmissionFirstSlide->isChecked();
    s.OmissionLastSlide = CB_OmissionLastSlide->isChecked();
    // The range edits hold the settings only while a range is chosen.
    if (s.PresDRandom == RandomScope::Range) {
        s.RandomRangeInf = std::int16_t(numberBack(field(EC_RangeInf), s.RandomRangeInf));
        s.RandomRangeSup = std::int16_t(numberBack(field(EC_RangeSup), s.RandomRangeSup));
    }
    s.InitialMemorizedCount =
        std::uint8_t(numberBack(field(EC_InitialMemorizedCount), s.InitialMemorizedCount));
    s.UseAllSlidesToMem = CB_UseAllSlidesToMem->isChecked();
    if (!s.UseAllSlidesToMem)
        s.InitialImages = std::uint8_t(numberBack(field(EC_InitialImages), s.InitialImages));
    s.PresRepeatedImages = CB_RepeatedImages->isChecked();
    if (s.PresRepeatedImages)
        s.TotalSlidesToMemorize =
            std::uint8_t(numberBack(field(EC_TotalSlidesToMemorize), s.TotalSlidesToMemorize));
    if (m_model->checkedId() >= 0)
        s.ShowingModel = ShowingMode(m_model->checkedId());
    s.MAMaxIncorrections =
        std::uint8_t(numberBack(field(SE_MA_MaxIncorrections), s.MAMaxIncorrections));
    s.UseNegativeScore = CB_UseNegativeScore->isChecked();
    s.ByInput = RB_AA_ByInput->isChecked();
    s.WithMask = CB_AA_WithMask->isChecked();
    s.IgnoreAccent = CB_AA_IgnoreAccent->isChecked();
    s.CheckAtEnd = RB_AA_CheckWhenReturnKeyP->isChecked();
    s.ChangeIncorrectChar = CB_AA_ChangeIncorrectChar->isChecked();
    s.MaxIncorrections =
        std::uint8_t(numberBack(field(SE_AA_MaxIncorrections), s.MaxIncorrections));
    if (s.ShowingModel == ShowingMode::Learning || s.ShowingModel == ShowingMode::Exam)
        s.OmissionLearningResultsMessages = CB_OmissionLearningResultsMessages->isChecked();
    s.OnlyResultTest = CB_OnlyResultTest->isChecked();
    s.ManualViewing = CB_ManualViewing->isChecked();
    s.LoopImages = CB_LoopImages->isChecked();
    s.HideNote = CB_HideNote->isChecked();
    s.ImageDelay = std::uint16_t(numberBack(field(SE_Delay), s.ImageDelay));
}
