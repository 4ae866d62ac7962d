#pragma once

#include "slides/SlideScene.h"

#include <QImage>
#include <QWidget>

struct PresentationSettings;

// A live demonstration of the option dialogs: a slide scene over the dialog's copy of the
// settings, painted exactly as the main window's slide area and the export paint a slide.
class SlideDemo : public QWidget
{
    Q_OBJECT
public:
    explicit SlideDemo(const PresentationSettings &settings, QWidget *parent = nullptr);

    SlideScene &scene() { return m_scene; }
    const SlideScene &scene() const { return m_scene; }
    // Re-reads the settings (backgrounds, fonts, image and mark) and repaints.
    void refresh();
    // An image slide showing `slide.FileName`; when that picture is missing a picture made up
    // here stands in, so that the image settings still show.
    void showImage(const SlideRecord &slide);
    // Where the scene puts its panels at the current size.
    SlideScene::Layout currentLayout() const { return m_scene.layout(size(), this); }
    // The demonstration as painted on screen, at the current size.
    QImage picture();

    QSize sizeHint() const override { return QSize(320, 220); }
    QSize minimumSizeHint() const override { return QSize(160, 110); }

Q_SIGNALS:
    // The panels' sizes may follow the demonstration's size.
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    SlideScene m_scene;
};
