#include "options/ui/TFSetColorsOrImageToPanel.h"

#include "files/HelpContexts.h"
#include "files/ui/DialogHelp.h"
#include "files/ui/GreyCaptionGroupBox.h"
#include "media/ui/TGradPan0.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFSetColorsOrImageToPanel::TFSetColorsOrImageToPanel(const PanelBackground &background,
                                                     OptionChoosers choosers, QWidget *parent)
    : QDialog(parent), m_bg(background), m_choosers(std::move(choosers))
{
    setObjectName(QStringLiteral("TFSetColorsOrImageToPanel"));
    setWindowTitle(QStringLiteral("Selecció del fons del plafó diapositiva de sols text"));
    auto *layout = new QHBoxLayout(this);
    m_demo = new TGradPan0(this);
    m_demo->setObjectName(QStringLiteral("GP_Demo"));
    m_demo->setMinimumSize(180, 180);
    layout->addWidget(m_demo, 1);

    auto *side = new QVBoxLayout;
    layout->addLayout(side);
    auto *typeBox = new QGroupBox(QStringLiteral("Tipus"), this);
    typeBox->setObjectName(QStringLiteral("RG_Type"));
    auto *typeLayout = new QVBoxLayout(typeBox);
    m_type = new QButtonGroup(typeBox);
    const QStringList types = {QStringLiteral("Color llis"), QStringLiteral("Ajustant una imatge"),
                               QStringLiteral("Imatge en empedrat"), QStringLiteral("Gradació")};
    for (int i = 0; i < types.size(); ++i) {
        auto *b = new QRadioButton(types[i], typeBox);
        m_type->addButton(b, i);
        typeLayout->addWidget(b);
    }
    side->addWidget(typeBox);

    auto *buttons = new QHBoxLayout;
    m_color = new QPushButton(QStringLiteral("Color"), this);
    m_color->setObjectName(QStringLiteral("BB_Color"));
    m_bmp = new QPushButton(QStringLiteral("Bmp"), this);
    m_bmp->setObjectName(QStringLiteral("BB_SelBmpForPanel"));
    m_bmp->setToolTip(QStringLiteral("Assignació d'una textura des d'un bmp"));
    buttons->addWidget(m_color);
    buttons->addWidget(m_bmp);
    side->addLayout(buttons);

    m_gradient = new GreyCaptionGroupBox(QStringLiteral("Gradació"), this);
    m_gradient->setObjectName(QStringLiteral("GB_Gradient"));
    auto *grad = new QGridLayout(m_gradient);
    m_start = new QPushButton(QStringLiteral("Inici"), m_gradient);
    m_start->setObjectName(QStringLiteral("BB_ColorStart"));
    m_end = new QPushButton(QStringLiteral("Fi"), m_gradient);
    m_end->setObjectName(QStringLiteral("BB_ColorEnd"));
    grad->addWidget(m_start, 0, 0);
    grad->addWidget(m_end, 0, 1);
    m_list = new QListWidget(m_gradient);
    m_list->setObjectName(QStringLiteral("ListBoxBG"));
    m_list->addItems({QStringLiteral("Amunt"), QStringLiteral("Avall"), QStringLiteral("Esquerra"),
                      QStringLiteral("Dreta"), QStringLiteral("Horitzontal endins"),
                      QStringLiteral("Horitzontal enfora"), QStringLiteral("Vertical endins"),
                      QStringLiteral("Vertical enfora")});
    m_list->setMinimumHeight(m_list->sizeHintForRow(0) * 8 + 2 * m_list->frameWidth());
    grad->addWidget(m_list, 1, 0, 1, 2);
    side->addWidget(m_gradient);
    side->addStretch(1);

    QPushButton *helpButton = nullptr;
    QDialogButtonBox *box = okCancelHelpButtons(this, helpButton);
    m_help = new DialogHelp(this, helpButton);
    side->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const int effect = std::clamp(m_bg.ColorBackGroundEffect, 0, 10);
    m_bg.ColorBackGroundEffect = effect;
    m_type->button(std::min(effect, 3))->setChecked(true);
    if (effect >= 3)
        m_list->setCurrentRow(effect - 3);
    connect(m_type, &QButtonGroup::idClicked, this, &TFSetColorsOrImageToPanel::typeChosen);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0 || m_type->checkedId() != 3)
            return;
        m_bg.ColorBackGroundEffect = 3 + row;
        showBackground();
    });
    auto pick = [this](TColor &into) {
        if (!m_choosers.color)
            return;
        if (const auto c = m_choosers.color(into)) {
            into = *c;
            showBackground();
        }
    };
    connect(m_color, &QPushButton::clicked, this, [this, pick] { pick(m_bg.ColorStart); });
    connect(m_start, &QPushButton::clicked, this, [this, pick] { pick(m_bg.ColorStart); });
    connect(m_end, &QPushButton::clicked, this, [this, pick] { pick(m_bg.ColorEnd); });
    connect(m_bmp, &QPushButton::clicked, this, [this] {
        if (!m_choosers.bitmap)
            return;
        const QString path = m_choosers.bitmap(m_bg.BmpForBackgroud);
        if (path.isEmpty())
            return;
        m_bg.BmpForBackgroud = path;
        showBackground();
    });
    updateControls();
    showBackground();
}

void TFSetColorsOrImageToPanel::setHelp(HelpRequester *help)
{
    m_help->setHelp(help, helpNumber(HelpContext::PanelBackground));
}

void TFSetColorsOrImageToPanel::typeChosen(int type)
{
    if (type < 3)
        m_bg.ColorBackGroundEffect = type;
    else
        m_bg.ColorBackGroundEffect = 3 + std::max(0, m_list->currentRow());
    if (type == 3 && m_list->currentRow() < 0)
        m_list->setCurrentRow(0);
    updateControls();
    showBackground();
}

void TFSetColorsOrImageToPanel::updateControls()
{
    const int type = m_type->checkedId();
    m_color->setEnabled(type == 0);
    m_bmp->setEnabled(type == 1 || type == 2);
    m_gradient->setEnabled(type == 3);
}

void TFSetColorsOrImageToPanel::showBackground()
{
    QImage bitmap;
    if (!m_bg.BmpForBackgroud.isEmpty())
        bitmap = QImage(m_bg.BmpForBackgroud);
    m_demo->panel().applySettings(m_bg, bitmap.isNull() ? GradientPanel::defaultBitmap() : bitmap);
    m_demo->update();
}
