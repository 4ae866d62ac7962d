#pragma once

#include "player/ui/TFShowErrW.h"

#include <QPoint>
#include <QSize>

#include <memory>

class Scheduler;
class TAdvImage;
class TAdvImageNew;
class TMPTimerPool;
struct PresentationSettings;

// The reaction window with a picture: an image view drawn like the main window's (enlargement,
// frame, GIF animation, transparency, mark style) with the record's mark. The window takes the
// picture's enlarged size, or is shrunk, keeping the proportions, to fit the limit box.
class TFShowErrWImage : public TFShowErrW
{
    Q_OBJECT
public:
    // `appearance` is the main window's image view, `settings` the presentation settings in force.
    // An animated picture steps on the shared animation timer of `scheduler`; without one it
    // stands still.
    TFShowErrWImage(const TAdvImage &appearance, const PresentationSettings &settings,
                    PlayerView &audioOwner, Prompter &prompter, const QString &audio,
                    Scheduler *scheduler = nullptr, QWidget *parent = nullptr);
    ~TFShowErrWImage() override;

    // Loads the picture and sizes the window within `limit`. Returns the message to show when the
    // file cannot be read ("" when the picture is shown); the window is then of no use.
    QString loadPicture(const QString &file, QPoint mark, QSize limit);

    TAdvImageNew *imageView() const { return m_view; }

private:
    void startAnimation();
    void stopAnimation();

    TAdvImageNew *m_view;
    Scheduler *m_scheduler;
    std::shared_ptr<TMPTimerPool> m_pool; // held while a picture animates
    int m_trigger = -1;
};
