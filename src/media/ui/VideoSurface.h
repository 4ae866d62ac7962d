#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <functional>

class QVideoFrame;
class QVideoSink;

// A widget that shows the frames a media player sends to its video sink, drawn into a display
// rectangle that follows the widget's size and the video's natural size. Outside that rectangle
// it paints the panel colour, or nothing when there is none (the parent's face shows). It paints
// the frames itself, so the window can be grabbed to a picture.
class VideoSurface : public QWidget
{
    Q_OBJECT
public:
    explicit VideoSurface(QWidget *parent = nullptr);
    ~VideoSurface() override;

    // The sink to give the media player.
    QVideoSink *videoSink() const { return m_sink; }

    // The display rectangle for a video of natural size `natural` in a widget of `client`.
    using Fitter = std::function<QRect(QSize natural, QSize client)>;
    // Without one, the video is fitted keeping its proportions, never enlarged, and centred.
    void setFitter(Fitter fitter);
    // Works the display rectangle out again (the fitting settings changed).
    void refit();

    // Filled around the video; an invalid colour leaves the area around it unpainted.
    void setPanelColor(const QColor &color);

    // The latest frame, the video's natural size (invalid before the first frame), and where it
    // is drawn.
    QImage currentImage() const { return m_image; }
    QSize naturalSize() const { return m_natural; }
    QRect displayRect() const { return m_display; }
    bool hasFrame() const { return !m_image.isNull(); }
    // Forgets the frame shown (the video was taken away).
    void clear();

Q_SIGNALS:
    // A frame has been painted on the screen.
    void framePainted();
    // The first frame of a video told its natural size.
    void naturalSizeChanged(QSize size);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void takeFrame(const QVideoFrame &frame);

    QVideoSink *m_sink = nullptr;
    Fitter m_fitter;
    QColor m_panelColor;
    QImage m_image;
    QSize m_natural;
    QRect m_display;
};
