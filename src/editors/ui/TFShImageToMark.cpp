#include "editors/ui/TFShImageToMark.h"

#include "files/FileNames.h"
#include "files/HelpContexts.h"
#include "files/HelpRequester.h"
#include "media/ui/TAdvImageNew.h"

#include <QKeySequence>
#include <QShortcut>
#include <QVBoxLayout>

TFShImageToMark::TFShImageToMark(const QString &file, QPoint mark,
                                 const PresentationSettings &settings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("TFShImageToMark"));
    setWindowTitle(extractFileName(file));
    m_view = new TAdvImageNew(this);
    m_view->setObjectName(QStringLiteral("AdvImage"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);

    // The picture as the player shows it: its panel, its enlargement, its mark.
    m_view->panel().applySettings(settings.ImagePanel, QImage());
    m_view->applySettings(settings);
    TAdvImage &img = m_view->Image();
    img.StretchRatio = true;
    img.CenterView = true;
    img.Color = settings.ImagePanel.ColorStart;
    img.AmpliationEnabled = settings.ImgAmpliationEnabled;
    img.setMaxAmpliation(settings.ImgAmpliation);
    img.Transparent = settings.ImgTransparent;
    (void)img.LoadImage(file);
    m_view->setMarkPos(mark);
    m_view->MarkSetPos = true;

    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] {
        if (m_help)
            m_help->showHelpContext(helpNumber(HelpContext::ImageToMark));
    });
    resize(640, 480);
    setWindowState(Qt::WindowMaximized);
}

QPoint TFShImageToMark::markPos() const
{
    return m_view->MarkPos();
}

bool TFShImageToMark::hasPicture() const
{
    return m_view->Image().hasPicture();
}
