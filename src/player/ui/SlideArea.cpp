#include "player/ui/SlideArea.h"

#include "config/PresentationSettings.h"
#include "files/FileNames.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <qdrawutil.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBevel = 1;
constexpr int kTextFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

QString displayedParagraph(const QString &paragraph)
{
    QString s = paragraph;
    s.replace(QLatin1Char('|'), QLatin1Char('\n'));
    return s;
}

// The two measures the note and title layouts use: the margin (width of "H") and the line
// height (height of "Hg"); an empty label counts 0 for both.
struct LabelMeasure
{
    int margin = 0;
    int line = 0;
};

LabelMeasure measure(const QFontMetrics &fm, const QString &text)
{
    if (text.isEmpty())
        return {};
    return {fm.horizontalAdvance(QLatin1Char('H')), fm.boundingRect(QStringLiteral("Hg")).height()};
}

int wrappedHeight(const QFontMetrics &fm, const QString &text, int width)
{
    if (text.isEmpty())
        return 0;
    return fm.boundingRect(QRect(0, 0, std::max(width, 1), 1 << 20), kTextFlags, text).height();
}

int naturalWidth(const QFontMetrics &fm, const QString &text)
{
    if (text.isEmpty())
        return 0;
    return fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::AlignLeft | Qt::AlignTop, text)
        .width();
}

bool isPictureContent(SlideArea::Content c)
{
    return c == SlideArea::Content::Picture || c == SlideArea::Content::Missing ||
           c == SlideArea::Content::Broken;
}

} // namespace

SlideArea::SlideArea(const PresentationSettings &settings, QWidget *parent)
    : QWidget(parent), m_settings(settings)
{
    setObjectName(QStringLiteral("SlideArea"));
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(64, 48);
}

void SlideArea::showSlide(const SlideRecord &slide)
{
    m_kind = slide.Kind;
    m_notePos = slide.NotePos;
    m_text1 = displayedParagraph(slide.PromptOr1stLine);
    m_text2 = displayedParagraph(slide.AnswersOrNextLines);
    m_fileName = extractFileName(slide.FileName);

    if (slide.Kind == skTitle) {
        m_content = Content::Title;
    } else if (slide.Kind == skImage) {
        if (slide.FileName != m_loadedPath || m_picture.isNull()) {
            m_picture = QImage();
            m_loadedPath.clear();
            m_scaled = QImage();
            m_scaledFor = QSize();
            QImageReader reader(slide.FileName);
            reader.setAutoTransform(true);
            m_picture = reader.read();
            if (!m_picture.isNull())
                m_loadedPath = slide.FileName;
        }
        if (!m_picture.isNull())
            m_content = Content::Picture;
        else
            m_content = QFileInfo::exists(slide.FileName) ? Content::Broken : Content::Missing;
    } else {
        // Text, web and video slides have views of their own; this area stays blank for them.
        m_content = Content::Empty;
    }
    update();
    notifyDrawSize();
}

void SlideArea::clearSlide()
{
    m_content = Content::Empty;
    m_text1.clear();
    m_text2.clear();
    update();
    notifyDrawSize();
}

int SlideArea::drawSizePercent() const
{
    if (m_content != Content::Picture)
        return -1;
    return layoutFor(size(), this).drawSizePercent;
}

QFont SlideArea::noteFont(int paragraph) const
{
    QFont f = font();
    const qreal base = f.pointSizeF() > 0 ? f.pointSizeF() : 9.0;
    if (paragraph == 1) {
        f.setPointSizeF(base * 1.3);
        f.setBold(true);
    } else {
        f.setPointSizeF(base * 1.15);
    }
    return f;
}

QFont SlideArea::titleFont(int line) const
{
    QFont f = font();
    const qreal base = f.pointSizeF() > 0 ? f.pointSizeF() : 9.0;
    if (line == 1) {
        f.setPointSizeF(base * 2.8);
        f.setBold(true);
    } else {
        f.setPointSizeF(base * 1.9);
    }
    return f;
}

bool SlideArea::notesVisible() const
{
    return isPictureContent(m_content) && !m_settings.HideNote &&
           (!m_text1.isEmpty() || !m_text2.isEmpty());
}

SlideArea::Layout SlideArea::layoutFor(const QSize &area, const QPaintDevice *device) const
{
    Layout L;
    const int W = area.width();
    const int H = area.height();
    if (W <= 0 || H <= 0)
        return L;
    QPaintDevice *dev = const_cast<QPaintDevice *>(device);

    if (m_content == Content::Title) {
        const QFontMetrics fm1(titleFont(1), dev), fm2(titleFont(2), dev);
        const LabelMeasure a = measure(fm1, m_text1), b = measure(fm2, m_text2);
        const int w1 = W - 2 * a.margin, w2 = W - 2 * b.margin;
        const int h1 = wrappedHeight(fm1, m_text1, w1), h2 = wrappedHeight(fm2, m_text2, w2);
        const int maxLine = std::max(a.line, b.line);
        // A one-line first title keeps the lines closer together than a wrapped one.
        const int spacing = (h2 > 0 && h1 > 0) ? (h1 == a.line ? maxLine / 6 : maxLine / 3) : 0;
        const int top = (H - h1 - spacing - h2) / 2;
        if (h1 > 0)
            L.text1 = QRect(a.margin, top, w1, h1);
        if (h2 > 0)
            L.text2 = QRect(b.margin, top + h1 + spacing, w2, h2);
        return L;
    }
    if (!isPictureContent(m_content))
        return L;

    L.imagePanel = QRect(0, 0, W, H);
    if (notesVisible()) {
        const QFontMetrics fm1(noteFont(1), dev), fm2(noteFont(2), dev);
        const LabelMeasure a = measure(fm1, m_text1), b = measure(fm2, m_text2);
        if (m_notePos == 0 || m_notePos == 2) {
            const int margin = std::max(a.margin, b.margin);
            const PanelSize &ps = m_settings.PanelNoteLR;
            int width;
            if (ps.ManualSize) {
                width = ps.Size;
            } else {
                // As wide as the longer line needs, from the configured width up to a third of
                // the area; longer lines wrap.
                const int natural =
                    2 * margin + std::max(naturalWidth(fm1, m_text1), naturalWidth(fm2, m_text2));
                width = std::min(std::max(natural, ps.Size), std::max(ps.Size, W / 3));
            }
            width = std::clamp(width, 2 * margin + 1, std::max(2 * margin + 1, W - 16));
            const int wrap = width - 2 * margin;
            const int h1 = wrappedHeight(fm1, m_text1, wrap),
                      h2 = wrappedHeight(fm2, m_text2, wrap);
            const int spacing = (h1 > 0 && h2 > 0) ? a.line / 2 : 0;
            const int top = std::max(0, (H - h1 - spacing - h2) / 2);
            const int x = m_notePos == 0 ? 0 : W - width;
            L.notePanel = QRect(x, 0, width, H);
            if (h1 > 0)
                L.text1 = QRect(x + margin, top, wrap, h1);
            if (h2 > 0)
                L.text2 = QRect(x + margin, top + h1 + spacing, wrap, h2);
            L.imagePanel =
                m_notePos == 0 ? QRect(width, 0, W - width, H) : QRect(0, 0, W - width, H);
        } else {
            const int w1 = W - 2 * a.margin, w2 = W - 2 * b.margin;
            const int h1 = wrappedHeight(fm1, m_text1, w1), h2 = wrappedHeight(fm2, m_text2, w2);
            const int gap = (h1 > 0 && h2 > 0) ? a.line / 4 : 0;
            const PanelSize &ps = m_settings.PanelNoteTB;
            int height, freeSpace;
            if (ps.ManualSize) {
                height = ps.Size;
                freeSpace = height - h1 - h2;
            } else {
                freeSpace = std::max(a.line, b.line);
                height = freeSpace + h1 + gap + h2;
            }
            // The picture always keeps at least half of the area.
            height = std::clamp(height, 1, std::max(1, H / 2));
            const int y = m_notePos == 1 ? 0 : H - height;
            L.notePanel = QRect(0, y, W, height);
            const int top = y + std::max(0, freeSpace / 2);
            if (h1 > 0)
                L.text1 = QRect(a.margin, top, w1, h1);
            if (h2 > 0)
                L.text2 = QRect(b.margin, top + h1 + gap, w2, h2);
            L.imagePanel =
                m_notePos == 1 ? QRect(0, height, W, H - height) : QRect(0, 0, W, H - height);
        }
    }

    if (m_content == Content::Picture && !m_picture.isNull()) {
        const QRect avail = L.imagePanel.adjusted(kBevel, kBevel, -kBevel, -kBevel);
        if (avail.width() > 0 && avail.height() > 0) {
            const double scale = std::min({1.0, double(avail.width()) / m_picture.width(),
                                           double(avail.height()) / m_picture.height()});
            const QSize drawn(std::max(1, int(std::lround(m_picture.width() * scale))),
                              std::max(1, int(std::lround(m_picture.height() * scale))));
            L.picture = QRect(avail.x() + (avail.width() - drawn.width()) / 2,
                              avail.y() + (avail.height() - drawn.height()) / 2, drawn.width(),
                              drawn.height());
            L.drawSizePercent = int(std::lround(scale * 100.0));
        } else {
            L.drawSizePercent = 0;
        }
    }
    return L;
}

void SlideArea::paintSlide(QPainter &p, const QSize &area, qreal dpr, bool useCache) const
{
    const Layout L = layoutFor(area, p.device());
    const QPalette &pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor ink = pal.color(QPalette::ButtonText);
    p.fillRect(QRect(QPoint(0, 0), area), face);

    if (m_content == Content::Title) {
        p.setPen(ink);
        if (!L.text1.isEmpty()) {
            p.setFont(titleFont(1));
            p.drawText(L.text1, kTextFlags, m_text1);
        }
        if (!L.text2.isEmpty()) {
            p.setFont(titleFont(2));
            p.drawText(L.text2, kTextFlags, m_text2);
        }
        return;
    }
    if (!isPictureContent(m_content))
        return;

    qDrawShadePanel(&p, L.imagePanel, pal, false, kBevel);
    if (m_content == Content::Picture && !L.picture.isEmpty()) {
        // Scaled to device pixels so the picture stays sharp on high-density screens.
        const QSize target = (QSizeF(L.picture.size()) * dpr).toSize();
        QImage scaled;
        if (useCache && m_scaledFor == target && !m_scaled.isNull()) {
            scaled = m_scaled;
        } else {
            scaled = target == m_picture.size() ? m_picture
                                                : m_picture.scaled(target, Qt::IgnoreAspectRatio,
                                                                   Qt::SmoothTransformation);
            if (useCache) {
                m_scaled = scaled;
                m_scaledFor = target;
            }
        }
        scaled.setDevicePixelRatio(dpr);
        p.drawImage(L.picture.topLeft(), scaled);
    } else if (m_content == Content::Missing) {
        p.setPen(ink);
        p.setFont(font());
        p.drawText(L.imagePanel, Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("No existeix '%1'").arg(m_fileName));
    } else if (m_content == Content::Broken) {
        // The file is there but cannot be decoded: the panel stays empty except for its name.
        p.setPen(pal.color(QPalette::Disabled, QPalette::ButtonText));
        p.setFont(font());
        p.drawText(L.imagePanel, Qt::AlignCenter | Qt::TextWordWrap, m_fileName);
    }

    if (!L.notePanel.isEmpty()) {
        p.fillRect(L.notePanel, face);
        qDrawShadePanel(&p, L.notePanel, pal, false, kBevel);
        p.setPen(ink);
        if (!L.text1.isEmpty()) {
            p.setFont(noteFont(1));
            p.drawText(L.text1, kTextFlags, m_text1);
        }
        if (!L.text2.isEmpty()) {
            p.setFont(noteFont(2));
            p.drawText(L.text2, kTextFlags, m_text2);
        }
    }
}

QImage SlideArea::renderToImage(const QSize &size, qreal devicePixelRatio) const
{
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image((QSizeF(size) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(palette().color(QPalette::Button));
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintSlide(p, size, dpr, false);
    return image;
}

void SlideArea::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintSlide(p, size(), devicePixelRatioF(), true);
}

void SlideArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    notifyDrawSize();
}

void SlideArea::notifyDrawSize()
{
    const int percent = drawSizePercent();
    if (percent != m_lastDrawSize) {
        m_lastDrawSize = percent;
        Q_EMIT drawSizeChanged(percent);
    }
}
