#pragma once

#include "presentation/SlideRecord.h"

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <QWidget>

struct PresentationSettings;
class QPaintDevice;
class QPainter;

// The part of the main window below the menu and the toolbar that shows the current slide: a
// picture fitted into the free space (never enlarged beyond its own size) with its notes in a
// panel docked at one side, or the two centred lines of a title slide.
class SlideArea : public QWidget
{
    Q_OBJECT
public:
    enum class Content {
        Empty,   // between runs, or a slide kind this area does not paint
        Picture, // an image slide whose picture decoded
        Missing, // an image slide whose file does not exist
        Broken,  // an image slide whose file exists but could not be decoded
        Title
    };

    // Where each part goes for a given area size; all rectangles in area coordinates.
    struct Layout
    {
        QRect notePanel;    // empty when no note panel is shown
        QRect imagePanel;   // the space left for the picture
        QRect picture;      // where the picture is drawn; empty without a picture
        QRect text1, text2; // the two paragraphs (notes or title lines); empty when unused
        int drawSizePercent = -1;
    };

    explicit SlideArea(const PresentationSettings &settings, QWidget *parent = nullptr);

    void showSlide(const SlideRecord &slide);
    // Hides the picture, the notes and the title (the end of a run).
    void clearSlide();

    Content content() const { return m_content; }
    // The paragraphs as displayed ("|" already turned into line breaks).
    QString paragraph1() const { return m_text1; }
    QString paragraph2() const { return m_text2; }
    bool notesShown() const { return !layoutFor(size(), this).notePanel.isEmpty(); }
    int notePos() const { return m_notePos; }

    // The picture's drawn size in percent of its own size, rounded; -1 without a picture.
    int drawSizePercent() const;
    Layout currentLayout() const { return layoutFor(size(), this); }
    Layout layoutFor(const QSize &area, const QPaintDevice *device) const;

    // Paints the slide as the window would show it in an area of `size`, at `devicePixelRatio`.
    QImage renderToImage(const QSize &size, qreal devicePixelRatio = 1.0) const;

Q_SIGNALS:
    // The drawn size changed (new picture, resize); the caption shows it.
    void drawSizeChanged(int percent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void paintSlide(QPainter &p, const QSize &area, qreal dpr, bool useCache) const;
    void notifyDrawSize();
    QFont noteFont(int paragraph) const;
    QFont titleFont(int line) const;
    bool notesVisible() const;

    const PresentationSettings &m_settings;
    Content m_content = Content::Empty;
    TSlideKind m_kind = skTitle;
    QString m_loadedPath; // the picture file last decoded (the same name is not decoded twice)
    QImage m_picture;
    QString m_fileName; // without folder, for the missing-file text
    QString m_text1, m_text2;
    int m_notePos = 3;
    int m_lastDrawSize = -1;

    // The picture scaled for the screen, kept between paints.
    mutable QImage m_scaled;
    mutable QSize m_scaledFor;
};
