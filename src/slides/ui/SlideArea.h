#pragma once

#include <functional>
#include <memory>

#include "files/Scheduler.h"
#include "media/PicturePrefetcher.h"
#include "presentation/SlideRecord.h"
#include "slides/SlideScene.h"

#include <QImage>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

struct PresentationSettings;
class TMPTimerPool;
class QuestionControls;
struct QuestionModel;
class QPaintDevice;

// The part of the main window below the menu and the toolbar that shows the current slide: the
// image view with its mark and the note panel docked by the slide's note position, or the title
// panel. Painting is the slide scene's, so the headless export draws the same; this widget adds
// the mouse (Ctrl+drag zooms, a double click leaves the zoom), GIF animation and the prefetch of
// the next picture.
class SlideArea : public QWidget
{
    Q_OBJECT
public:
    enum class Content {
        Empty,   // between runs
        Picture, // an image slide whose picture decoded
        Missing, // an image slide whose file does not exist
        Broken,  // an image slide whose file exists but could not be decoded
        Title,
        Other // a text, web or video slide, shown by name
    };

    // `scheduler` drives the GIF animation; without one pictures stand still.
    explicit SlideArea(const PresentationSettings &settings, Scheduler *scheduler = nullptr,
                       QWidget *parent = nullptr);
    ~SlideArea() override;

    // Returns the decoder's message when an image slide's picture cannot be shown. Takes away the
    // content view of the slide before.
    QString showSlide(const SlideRecord &slide);

    // The view of a text, web or video slide (a text box, a web view, a video surface), owned by
    // its caller and kept in the place the layout gives it: the image panel's whole place
    // (`Panel`: text and web) or its client area inside the bevels (`PanelClient`: video). It is
    // shown until the next slide or clearSlide, which hide it; nullptr takes it away now.
    enum class ContentPlace { Panel, PanelClient };
    void setContentView(QWidget *view, ContentPlace place = ContentPlace::Panel);
    QWidget *contentView() const { return m_content.data(); }
    // Where the content view goes at the current size.
    QRect contentRect(ContentPlace place) const;
    // Hides the picture, the notes and the title (the end of a run).
    void clearSlide();
    // Reads the picture of the image slide on screen again (its file was changed by another
    // program). Returns the decoder's message as showSlide does.
    QString reloadPicture();
    // The question controls of the slide shown, on its note or title panel; `onAnswer` gets the
    // index of a radio answer chosen. Freed at the next slide.
    void showQuestion(const QuestionModel &question, std::function<void(int)> onAnswer);
    void freeQuestion();
    QuestionControls *questionControls() const { return m_question.get(); }
    // Decodes the picture of the slide that comes next in the background.
    void prefetch(const SlideRecord &next);
    PicturePrefetcher &prefetcher() { return m_prefetcher; }
    // Settings changed (HideNote, panels, fonts...): rebuild what shows.
    void settingsChanged();
    void setBaseFolder(const QString &folder) { m_scene.setBaseFolder(folder); }

    SlideScene &scene() { return m_scene; }
    const SlideScene &scene() const { return m_scene; }
    Content content() const;
    QString paragraph1() const { return m_scene.noteText1(); }
    QString paragraph2() const { return m_scene.noteText2(); }
    bool notesShown() const { return m_scene.noteDock() != SlideScene::Dock::None; }
    NotePosition notePos() const { return m_scene.slide().NotePos; }

    // Where each part goes for an area of `area`, in area coordinates.
    struct Layout
    {
        QRect notePanel;    // empty when no note panel shows
        QRect imagePanel;   // the image view's panel; empty unless an image or other slide
        QRect picture;      // where the picture is drawn; empty without a picture
        QRect text1, text2; // the two note or title labels; empty when unused
        int drawSizePercent = -1;
    };
    Layout layoutFor(const QSize &area, const QPaintDevice *device) const;
    Layout currentLayout() const { return layoutFor(size(), this); }

    // The picture's drawn size in percent; 0 for an image slide without a picture, -1 for other
    // slides.
    int drawSizePercent() const;

    // Paints the slide as the window shows it in an area of `size`, at `devicePixelRatio`.
    QImage renderToImage(const QSize &size, qreal devicePixelRatio = 1.0);

    // Shows the next frame of an animated picture and schedules the one after. The only place
    // that steps an animation.
    void stepAnimation();

Q_SIGNALS:
    // The drawn size changed (new picture, resize, zoom); the caption shows it.
    void drawSizeChanged(int percent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void notifyDrawSize();
    void placeQuestion();
    void placeContent();
    void restartAnimation();
    void stopAnimation();

    const PresentationSettings &m_settings;
    Scheduler *m_scheduler = nullptr;
    SlideScene m_scene;
    PicturePrefetcher m_prefetcher;
    QString m_decodeError;
    int m_lastDrawSize = -1;
    std::shared_ptr<TMPTimerPool> m_pool; // the shared animation timer, held while animating
    int m_trigger = -1;
    std::unique_ptr<QuestionControls> m_question;
    QPointer<QWidget> m_content;
    ContentPlace m_contentPlace = ContentPlace::Panel;
};
