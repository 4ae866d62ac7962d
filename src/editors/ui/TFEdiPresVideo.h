#pragma once

#include "editors/ui/TFEdiPresentationH.h"

#include <memory>

class QAction;
class QToolBar;
class VideoSlideView;

// The preview of a video: the player's video display on the image panel, started on the first
// activation, with "Torna a presentar el vídeo" to see it again from the start. The row's texts
// (or its question) show on the bottom note panel, as the player shows them.
class TFEdiPresVideo : public TFEdiPresentationH
{
    Q_OBJECT
public:
    TFEdiPresVideo(const SlideRecord &slide, PreviewContext &context, QWidget *parent = nullptr);
    ~TFEdiPresVideo() override;

    VideoSlideView &videoView() const { return *m_video; }
    QAction *replayAction() const { return m_replay; }

protected:
    void startContent() override;

private:
    QToolBar *m_toolBar;
    QAction *m_replay;
    std::unique_ptr<VideoSlideView> m_video; // goes before the slide area it draws on
};
