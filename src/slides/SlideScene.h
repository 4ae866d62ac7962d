#pragma once

#include "config/PresentationSettings.h"
#include "media/GradientPanel.h"
#include "media/ImageMark.h"
#include "media/TAdvImage.h"
#include "presentation/SlideRecord.h"
#include "slides/NoteLayout.h"
#include "slides/Question.h"

#include <QHash>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;
class QPaintDevice;

// What the slide area of the main window shows, and how it is painted: the image view with its
// mark on the image panel, the note panel docked by the slide's note position, or the title
// panel with its two shadowed lines. It holds no window, so the window and the headless export
// paint the very same thing.
class SlideScene
{
public:
    enum class Shown { Nothing, Image, Title, Other };
    enum class Dock { None, Left, Top, Right, Bottom };

    struct Layout
    {
        QRect notePanel;         // empty without a note panel
        QRect imagePanel;        // the image view (its gradient panel), empty unless an image slide
        QRect titlePanel;        // empty unless a title slide
        NoteLayoutResult labels; // in the note or title panel's coordinates
        // The question's controls, in area coordinates, when the slide shows one; `questionPanel`
        // is the note or title panel that carries them.
        QRect questionPanel;
        QuestionLayoutResult question;
    };

    explicit SlideScene(const PresentationSettings &settings);

    // Where relative background bitmaps are looked for (the slide list's folder).
    void setBaseFolder(const QString &folder) { m_baseFolder = folder; }

    // An image slide: its notes and mark. The picture is loaded by name (the same name twice in
    // a row loads once), or taken from `prepared` when that holds this file already decoded.
    // Returns the decoder's message for a picture that exists but cannot be shown.
    QString showImageSlide(const SlideRecord &slide, QSize decodeTarget = QSize(),
                           const SlidePicture *prepared = nullptr,
                           const QImage &prescaled = QImage());
    void showTitleSlide(const SlideRecord &slide);
    // Text, web, video and other slides that this view does not display itself: an empty image
    // panel with the file's name.
    void showOtherSlide(const SlideRecord &slide);
    // An AVI or movie slide: like the other slides, and its paragraphs show on the bottom note
    // panel (or its question does); with no paragraphs a note panel at the top or bottom that
    // was sized by hand stays, emptied, when note panels are permanent.
    void showVideoSlide(const SlideRecord &slide);
    // What a text, web or video slide shows when the scene is painted without the window's own
    // views (the export). On the image panel (a video) the panel's face and bevels are painted
    // around it and `rect` is the panel's client area; otherwise (text, web) it takes the whole
    // place of the image panel. Without one the file's name is shown. Reset by every slide.
    struct OtherContent
    {
        std::function<void(QPainter &p, const QRect &rect)> paint;
        bool onImagePanel = false;
    };
    void setOtherContent(OtherContent content) { m_otherContent = std::move(content); }
    void clear();

    // The question controls of the slide on screen: their panel is laid out for them, and the
    // paragraphs are not painted as notes.
    void setQuestion(const QuestionModel &question);
    void clearQuestion();
    bool hasQuestion() const { return m_hasQuestion; }
    // Paints the question's controls too (pictures made without a window: the export).
    void setPaintQuestionControls(bool on) { m_paintQuestion = on; }
    const QuestionModel &question() const { return m_question; }

    // Rebuilds the notes after HideNote changed (only while an image slide is up).
    void refreshNotes();
    // Re-reads the panel backgrounds, fonts, image and mark settings.
    void applySettings();

    Shown shown() const { return m_shown; }
    Dock noteDock() const { return m_dock; }
    const QString &noteText1() const { return m_text1; }
    const QString &noteText2() const { return m_text2; }
    const SlideRecord &slide() const { return m_slide; }

    TAdvImage &image() { return m_image; }
    const TAdvImage &image() const { return m_image; }
    ImageMark &mark() { return m_mark; }
    const ImageMark &mark() const { return m_mark; }

    Layout layout(QSize area, const QPaintDevice *device) const;
    // The client rectangle of the image view inside its panel (where the picture control goes).
    QRect imageClientRect(QSize area, const QPaintDevice *device) const;
    // Lays the picture out for `area` without painting; returns the drawn size (0 without one).
    int updateDrawSize(QSize area, const QPaintDevice *device);

    // Paints everything into (0, 0, area). Returns the picture's drawn size (0 without one).
    int paint(QPainter &p, QSize area, const QPalette &palette);

    // The device-pixel size the picture of `slide` with natural size `natural` will be drawn at
    // in an area of `area` at `dpr` (to scale it ahead of time); invalid when it cannot be told.
    static QSize plannedPictureSize(const PresentationSettings &settings, const SlideRecord &slide,
                                    QSize natural, QSize area, qreal dpr);

private:
    void placeNotes();
    void layoutQuestion(Layout &L, QSize area, const QPaintDevice *device) const;
    void paintQuestionControls(QPainter &p, const Layout &L, const QPalette &pal) const;
    QImage backgroundBitmap(const QString &path) const;
    void paintLabel(QPainter &p, const QRect &r, const QString &text, const FontSettings &font,
                    bool wrap, bool centred, const QPalette &pal) const;
    void paintTitleLabel(QPainter &p, const QRect &r, const QString &text,
                         const TitleFontSettings &font, const QPalette &pal) const;

    const PresentationSettings &m_settings;
    QString m_baseFolder;
    Shown m_shown = Shown::Nothing;
    SlideRecord m_slide;
    Dock m_dock = Dock::None;
    QString m_text1, m_text2; // note or title lines, "|" turned into line breaks
    QString m_otherName;
    bool m_videoNotes = false; // a video slide: its notes show on the bottom panel
    OtherContent m_otherContent;
    QuestionModel m_question;
    bool m_hasQuestion = false;
    bool m_paintQuestion = false;

    TAdvImage m_image;
    ImageMark m_mark;
    GradientPanel m_imagePanel, m_notePanel, m_titlePanel;
    mutable QHash<QString, QImage> m_bitmaps;
};
