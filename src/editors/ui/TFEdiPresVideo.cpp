#include "editors/ui/TFEdiPresVideo.h"

#include "editors/PreviewContext.h"
#include "files/FileNames.h"
#include "player/ui/VideoSlideView.h"
#include "slides/ui/SlideArea.h"

#include <QAction>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

TFEdiPresVideo::TFEdiPresVideo(const SlideRecord &slide, PreviewContext &context, QWidget *parent)
    : TFEdiPresentationH(slide, context, parent), m_toolBar(new QToolBar(this)),
      m_video(std::make_unique<VideoSlideView>(*slideArea(), context.settings, context.prompter))
{
    setObjectName(QStringLiteral("TFEdiPresVideo"));
    setWindowTitle(extractFileName(slide.FileName));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->setMovable(false);
    m_replay = m_toolBar->addAction(style()->standardIcon(QStyle::SP_MediaPlay),
                                    QStringLiteral("Torna a presentar el vídeo"));
    m_replay->setObjectName(QStringLiteral("A_Replay"));
    m_replay->setEnabled(false);
    connect(m_replay, &QAction::triggered, this, [this] { m_video->replay(); });
    windowLayout()->insertWidget(0, m_toolBar);
    (void)slideArea()->showSlide(slide);
    showAnswers();
}

TFEdiPresVideo::~TFEdiPresVideo()
{
    m_video.reset();
}

void TFEdiPresVideo::startContent()
{
    m_video->showVideoSlide(slide());
    m_replay->setEnabled(true);
}
