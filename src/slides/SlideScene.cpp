#include "slides/SlideScene.h"

#include "files/FileNames.h"
#include "files/SystemColors.h"

#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include <algorithm>

namespace {

// A margin wider than any screen only hides the picture; the bound keeps the arithmetic in range.
constexpr int kMaxImageMargin = 10000;

SlideScene::Dock dockFor(NotePosition position)
{
    switch (position) {
    case NotePosition::Left: return SlideScene::Dock::Left;
    case NotePosition::Top: return SlideScene::Dock::Top;
    case NotePosition::Right: return SlideScene::Dock::Right;
    case NotePosition::Bottom: break;
    }
    return SlideScene::Dock::Bottom;
}

QString displayedParagraph(const QString &paragraph)
{
    QString s = paragraph;
    s.replace(QLatin1Char('|'), QLatin1Char('\n'));
    return s;
}

TBevelCut imageBevel(int mode)
{
    return mode == 0 ? TBevelCut::bvRaised : mode == 1 ? TBevelCut::bvLowered : TBevelCut::bvNone;
}

TBevelCut noteBevel(int mode)
{
    return mode == 2 ? TBevelCut::bvNone : TBevelCut::bvRaised;
}

} // namespace

SlideScene::SlideScene(const PresentationSettings &settings) : m_settings(settings)
{
    // The image view: fitted and centred, manual zoom allowed while no mark shows.
    m_image.StretchRatio = true;
    m_image.CenterView = true;
    m_image.ManualZoomAllowed = true;
    applySettings();
}

QImage SlideScene::backgroundBitmap(const QString &stored) const
{
    if (stored.trimmed().isEmpty())
        return QImage();
    QString path = stored;
    if (QFileInfo(path).isRelative() && !m_baseFolder.isEmpty())
        path = QDir(m_baseFolder).filePath(stored);
    const auto it = m_bitmaps.constFind(path);
    if (it != m_bitmaps.constEnd())
        return *it;
    QImageReader reader(path);
    // A background never needs more than a screen's worth of pixels.
    if (reader.size().isValid() &&
        qint64(reader.size().width()) * reader.size().height() > 64LL << 20)
        return QImage();
    const QImage img = reader.read();
    m_bitmaps.insert(path, img);
    return img;
}

void SlideScene::applySettings()
{
    const PresentationSettings &s = m_settings;
    m_imagePanel.applySettings(s.ImagePanel, backgroundBitmap(s.ImagePanel.BmpForBackgroud));
    m_notePanel.applySettings(s.NotePanel, backgroundBitmap(s.NotePanel.BmpForBackgroud));
    m_titlePanel.applySettings(s.TitlePanel, backgroundBitmap(s.TitlePanel.BmpForBackgroud));
    m_imagePanel.BevelOuter = imageBevel(s.ImgNotePanelsMode);
    m_notePanel.BevelOuter = noteBevel(s.ImgNotePanelsMode);
    m_titlePanel.BevelOuter = noteBevel(s.ImgNotePanelsMode);
    // The area around the picture takes the image panel's start colour.
    m_image.Color = s.ImagePanel.ColorStart;
    m_image.AmpliationEnabled = s.ImgAmpliationEnabled;
    m_image.setMaxAmpliation(s.ImgAmpliation);
    m_image.Transparent = s.ImgTransparent;
    // The minimum margin is the image view's flat frame: the picture is fitted inside it.
    m_image.ImageFrame = s.ImgFrameEnabled ? TAdvImage::ifFlat : TAdvImage::ifNone;
    m_image.BevelWidth = std::clamp(s.ImgFrameWidth, 0, kMaxImageMargin);
    m_image.GIFAnimate = s.ImgGifAnimate;
    m_image.GifAnimateSpeed = s.ImgGifAnimateSpeed;
    m_image.Font = fontFromSettings(s.FontNote2);
    const QPoint pos = m_mark.MarkPos;
    m_mark.applySettings(s);
    m_mark.setMarkPos(pos);
}

QString SlideScene::showImageSlide(const SlideRecord &slide, QSize decodeTarget,
                                   const SlidePicture *prepared, const QImage &prescaled)
{
    m_slide = slide;
    m_shown = Shown::Image;
    m_videoNotes = false;
    placeNotes();
    m_mark.setMarkPos(QPoint(slide.MarkX, slide.MarkY));
    // Manual zoom is allowed exactly while the mark is hidden.
    m_image.ManualZoomAllowed = !m_mark.visible();
    if (prepared && slide.FileName != m_image.ImageName()) {
        if (prepared->ok()) {
            m_image.setPicture(slide.FileName, *prepared, prescaled);
            return QString();
        }
        if (QFileInfo::exists(slide.FileName)) {
            m_image.setPicture(slide.FileName, SlidePicture());
            return prepared->error;
        }
    }
    return m_image.setImageName(slide.FileName, decodeTarget);
}

void SlideScene::placeNotes()
{
    const SlideRecord &slide = m_slide;
    const bool hasNotes = !slide.PromptOr1stLine.isEmpty() || !slide.AnswersOrNextLines.isEmpty();
    if (hasNotes && slide.PWithAnswer) {
        // The paragraphs are a question: its controls go on the panel, whatever HideNote says
        // (the viewer must be able to answer).
        m_text1.clear();
        m_text2.clear();
        m_dock = dockFor(slide.NotePos);
        return;
    }
    if (hasNotes) {
        m_text1 = displayedParagraph(slide.PromptOr1stLine);
        m_text2 = displayedParagraph(slide.AnswersOrNextLines);
        if (m_settings.HideNote)
            m_dock = Dock::None;
        else
            m_dock = dockFor(slide.NotePos);
        return;
    }
    m_text1.clear();
    m_text2.clear();
    const bool lr = m_dock == Dock::Left || m_dock == Dock::Right;
    const bool tb = m_dock == Dock::Top || m_dock == Dock::Bottom;
    const bool keep =
        m_settings.PermanentNotePanels &&
        ((lr && m_settings.PanelNoteLR.ManualSize) || (tb && m_settings.PanelNoteTB.ManualSize));
    if (!keep)
        m_dock = Dock::None;
}

void SlideScene::refreshNotes()
{
    if (m_shown == Shown::Image)
        placeNotes();
}

void SlideScene::showTitleSlide(const SlideRecord &slide)
{
    m_slide = slide;
    m_shown = Shown::Title;
    m_videoNotes = false;
    m_dock = Dock::None;
    m_text1 = slide.PWithAnswer ? QString() : displayedParagraph(slide.PromptOr1stLine);
    m_text2 = slide.PWithAnswer ? QString() : displayedParagraph(slide.AnswersOrNextLines);
}

void SlideScene::showOtherSlide(const SlideRecord &slide)
{
    m_slide = slide;
    m_shown = Shown::Other;
    // Text, web and video slides carry their question on the bottom panel.
    m_dock = slide.PWithAnswer ? Dock::Bottom : Dock::None;
    m_text1.clear();
    m_text2.clear();
    m_otherName = extractFileName(slide.FileName);
    m_otherContent = OtherContent();
    m_videoNotes = false;
}

void SlideScene::showVideoSlide(const SlideRecord &slide)
{
    const Dock before = m_dock;
    showOtherSlide(slide);
    m_videoNotes = true;
    const bool hasNotes = !slide.PromptOr1stLine.isEmpty() || !slide.AnswersOrNextLines.isEmpty();
    if (hasNotes && slide.PWithAnswer) {
        // As on a picture, the question shows whatever HideNote says: it must be answerable.
        m_dock = Dock::Bottom;
        return;
    }
    if (hasNotes) {
        m_text1 = displayedParagraph(slide.PromptOr1stLine);
        m_text2 = displayedParagraph(slide.AnswersOrNextLines);
        m_dock = m_settings.HideNote ? Dock::None : Dock::Bottom;
        return;
    }
    // A video slide hides the left or right panel; only a top or bottom one can stay.
    const bool tb = before == Dock::Top || before == Dock::Bottom;
    m_dock = (m_settings.PermanentNotePanels && tb && m_settings.PanelNoteTB.ManualSize)
                 ? before
                 : Dock::None;
}

void SlideScene::setQuestion(const QuestionModel &question)
{
    m_question = question;
    m_hasQuestion = !question.empty();
}

void SlideScene::clearQuestion()
{
    m_question = QuestionModel();
    m_hasQuestion = false;
}

void SlideScene::layoutQuestion(Layout &L, QSize area, const QPaintDevice *device) const
{
    const int W = area.width(), H = area.height();
    const QuestionMetrics m = MeasureQuestion(m_question, m_settings, device);
    auto place = [&](const QRect &panel, const QRect &client, int fixedHeight) {
        L.questionPanel = panel;
        L.question = LayoutQuestion(m, client.width(), m_settings.PanelPA, fixedHeight);
        const QPoint at = client.topLeft();
        L.question.prompt.translate(at);
        for (QRect &r : L.question.answers)
            r.translate(at);
        if (!L.question.box.isNull())
            L.question.box.translate(at);
    };
    if (m_shown == Shown::Title) {
        place(L.titlePanel, m_titlePanel.clientRect(L.titlePanel),
              m_titlePanel.clientRect(L.titlePanel).height());
        return;
    }
    if (m_dock == Dock::None)
        return;
    // The panel's frame: what its client rectangle leaves round it.
    const QRect probe(0, 0, 1000, 1000);
    const QRect probeClient = m_notePanel.clientRect(probe);
    const int frameW = probe.width() - probeClient.width();
    const int frameH = probe.height() - probeClient.height();
    if (m_dock == Dock::Left || m_dock == Dock::Right) {
        int w = m_settings.PanelNoteLR.Size;
        if (!m_settings.PanelNoteLR.ManualSize) {
            int widest = 0;
            for (int cw : m.captionWidths)
                widest = std::max(widest, cw + kRadioIndicatorWidth);
            widest = std::max(widest, m.boxSize.width());
            w = std::clamp(widest + 4 * m.answersH + frameW, W / 4, W / 2);
        }
        w = std::clamp(w, 0, W);
        const QRect panel(m_dock == Dock::Left ? 0 : W - w, 0, w, H);
        place(panel, m_notePanel.clientRect(panel), std::max(1, H - frameH));
        L.notePanel = panel;
        L.imagePanel = m_dock == Dock::Left ? QRect(w, 0, W - w, H) : QRect(0, 0, W - w, H);
    } else {
        const QuestionLayoutResult probeLayout =
            LayoutQuestion(m, std::max(1, W - frameW), m_settings.PanelPA);
        const int h = std::clamp(probeLayout.panelHeight + frameH, 0, H);
        const QRect panel(0, m_dock == Dock::Top ? 0 : H - h, W, h);
        place(panel, m_notePanel.clientRect(panel), 0);
        L.notePanel = panel;
        L.imagePanel = m_dock == Dock::Top ? QRect(0, h, W, H - h) : QRect(0, 0, W, H - h);
    }
    L.labels = NoteLayoutResult();
}

void SlideScene::clear()
{
    m_shown = Shown::Nothing;
    m_videoNotes = false;
    m_dock = Dock::None;
    m_text1.clear();
    m_text2.clear();
    clearQuestion();
    m_otherContent = OtherContent();
    m_image.Clear();
    m_mark.setMarkPos(QPoint(-1, -1));
}

SlideScene::Layout SlideScene::layout(QSize area, const QPaintDevice *device) const
{
    Layout L;
    const int W = area.width(), H = area.height();
    if (W <= 0 || H <= 0)
        return L;
    const QRect all(0, 0, W, H);
    if (m_shown == Shown::Title) {
        L.titlePanel = all;
        const QRect client = m_titlePanel.clientRect(all);
        const NoteLabel a =
            NoteLabel::measure(m_text1, fontFromSettings(m_settings.FontTitle1rsLine), device);
        const NoteLabel b =
            NoteLabel::measure(m_text2, fontFromSettings(m_settings.FontTitle2ndLine), device);
        L.labels = LayoutTitle(a, b, client.size());
        L.labels.label1.translate(client.topLeft());
        L.labels.label2.translate(client.topLeft());
        if (m_hasQuestion)
            layoutQuestion(L, area, device);
        return L;
    }
    if (m_shown == Shown::Nothing)
        return L;
    L.imagePanel = all;
    if (m_hasQuestion) {
        layoutQuestion(L, area, device);
        return L;
    }
    if (m_dock == Dock::None || (m_shown != Shown::Image && !m_videoNotes))
        return L;

    const NoteLabel a = NoteLabel::measure(m_text1, fontFromSettings(m_settings.FontNote1), device);
    const NoteLabel b = NoteLabel::measure(m_text2, fontFromSettings(m_settings.FontNote2), device);
    if (m_dock == Dock::Left || m_dock == Dock::Right) {
        LRLayoutOptions opt;
        opt.size = m_settings.PanelNoteLR;
        opt.WordWrapLRLines = m_settings.WordWrapLRLines;
        opt.LeftJustifyLRLines = m_settings.LeftJustifyLRLines;
        opt.OnTopLRLines = m_settings.OnTopLRLines;
        L.labels = LayoutNotesLR(a, b, H, opt);
        const int w = std::clamp(L.labels.panelExtent, 0, W);
        const int x = m_dock == Dock::Left ? 0 : W - w;
        L.notePanel = QRect(x, 0, w, H);
        L.imagePanel = m_dock == Dock::Left ? QRect(w, 0, W - w, H) : QRect(0, 0, W - w, H);
    } else {
        L.labels = LayoutNotesTB(a, b, W, m_settings.PanelNoteTB);
        const int h = std::clamp(L.labels.panelExtent, 0, H);
        const int y = m_dock == Dock::Top ? 0 : H - h;
        L.notePanel = QRect(0, y, W, h);
        L.imagePanel = m_dock == Dock::Top ? QRect(0, h, W, H - h) : QRect(0, 0, W, H - h);
    }
    L.labels.label1.translate(L.notePanel.topLeft());
    L.labels.label2.translate(L.notePanel.topLeft());
    return L;
}

QRect SlideScene::imageClientRect(QSize area, const QPaintDevice *device) const
{
    const Layout L = layout(area, device);
    return L.imagePanel.isEmpty() ? QRect() : m_imagePanel.clientRect(L.imagePanel);
}

int SlideScene::updateDrawSize(QSize area, const QPaintDevice *device)
{
    if (m_shown != Shown::Image)
        return 0;
    const int d = m_image.layout(imageClientRect(area, device));
    m_mark.positionMark(m_image.pictureRect(), d);
    return d;
}

void SlideScene::paintLabel(QPainter &p, const QRect &r, const QString &text,
                            const FontSettings &font, bool wrap, bool centred,
                            const QPalette &pal) const
{
    if (text.isEmpty() || r.isEmpty())
        return;
    p.setFont(fontFromSettings(font));
    p.setPen(colorFromTColor(font.Color, pal));
    int flags = Qt::AlignTop | (centred ? Qt::AlignHCenter : Qt::AlignLeft);
    if (wrap)
        flags |= Qt::TextWordWrap;
    p.drawText(r, flags, text);
}

void SlideScene::paintTitleLabel(QPainter &p, const QRect &r, const QString &text,
                                 const TitleFontSettings &font, const QPalette &pal) const
{
    if (text.isEmpty() || r.isEmpty())
        return;
    p.setFont(fontFromSettings(font));
    const int flags = Qt::AlignTop | Qt::AlignHCenter | Qt::TextWordWrap;
    const int s = std::clamp(font.ShadowSize, 0, 50);
    if (s > 0) {
        // 0 left-top, 1 left-bottom, 2 right-bottom, 3 right-top.
        const int dx = (font.ShadowPos == 2 || font.ShadowPos == 3) ? s : -s;
        const int dy = (font.ShadowPos == 1 || font.ShadowPos == 2) ? s : -s;
        p.setPen(colorFromTColor(font.ShadowColor, pal));
        p.drawText(r.translated(dx, dy), flags, text);
    }
    p.setPen(colorFromTColor(font.Color, pal));
    p.drawText(r, flags, text);
}

void SlideScene::paintQuestionControls(QPainter &p, const Layout &L, const QPalette &pal) const
{
    const QuestionLayoutResult &q = L.question;
    p.save();
    p.setClipRect(L.questionPanel);
    if (!m_question.prompt.isEmpty()) {
        p.setFont(fontFromSettings(m_settings.FontPrompt));
        p.setPen(colorFromTColor(m_settings.FontPrompt.Color, pal));
        const QString text =
            QString(m_question.prompt).replace(QLatin1String("\r\n"), QLatin1String("\n"));
        p.drawText(q.prompt,
                   Qt::TextWordWrap | Qt::AlignTop |
                       (q.promptCentred ? Qt::AlignHCenter : Qt::AlignLeft),
                   text);
    }
    p.setFont(fontFromSettings(m_settings.FontAnswers));
    const QColor ink = colorFromTColor(m_settings.FontAnswers.Color, pal);
    const int line = QFontMetrics(p.font(), p.device()).height();
    for (std::size_t i = 0; i < q.answers.size() && i < m_question.answers.size(); ++i) {
        const QRect r = q.answers[i];
        const int d = std::min(12, line);
        const QRect circle(r.x() + 2, r.y() + 1 + (line - d) / 2, d, d);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(pal.color(QPalette::Dark));
        p.setBrush(pal.color(QPalette::Base));
        p.drawEllipse(circle);
        p.setPen(ink);
        p.drawText(r.adjusted(kRadioIndicatorWidth, 1, 0, -1),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
                   DisplayedCaption(m_question.answers[i]));
    }
    if (m_question.box && !q.box.isNull()) {
        p.setPen(pal.color(QPalette::Dark));
        p.setBrush(pal.color(QPalette::Base));
        p.drawRect(q.box.adjusted(0, 0, -1, -1));
        p.setPen(pal.color(QPalette::Text));
        p.drawText(q.box.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   m_question.mentalPlaceholder ? QStringLiteral("(mental)")
                                                : m_question.box->text());
    }
    p.restore();
}

int SlideScene::paint(QPainter &p, QSize area, const QPalette &pal)
{
    const QRect all(QPoint(0, 0), area);
    p.setRenderHint(QPainter::TextAntialiasing);
    const Layout L = layout(area, p.device());
    if (m_shown == Shown::Nothing) {
        p.fillRect(all, pal.color(QPalette::Button));
        return 0;
    }
    if (m_shown == Shown::Title) {
        m_titlePanel.paint(p, L.titlePanel, pal);
        paintTitleLabel(p, L.labels.label1, m_text1, m_settings.FontTitle1rsLine, pal);
        paintTitleLabel(p, L.labels.label2, m_text2, m_settings.FontTitle2ndLine, pal);
        if (m_hasQuestion && m_paintQuestion)
            paintQuestionControls(p, L, pal);
        return 0;
    }
    int drawSize = 0;
    if (m_shown == Shown::Other && m_otherContent.paint && !m_otherContent.onImagePanel) {
        if (!L.imagePanel.isEmpty()) {
            p.save();
            p.setClipRect(L.imagePanel);
            m_otherContent.paint(p, L.imagePanel);
            p.restore();
        }
    } else if (!L.imagePanel.isEmpty()) {
        m_imagePanel.paintFace(p, L.imagePanel, pal);
        const QRect client = m_imagePanel.clientRect(L.imagePanel);
        if (m_shown == Shown::Image && client.width() > 0 && client.height() > 0) {
            drawSize = m_image.paint(p, client, pal);
            m_mark.positionMark(m_image.pictureRect(), drawSize);
            p.save();
            p.setClipRect(client);
            m_mark.paint(p, pal);
            p.restore();
        } else if (m_shown == Shown::Other && m_otherContent.paint) {
            p.save();
            p.setClipRect(client);
            m_otherContent.paint(p, client);
            p.restore();
        } else if (m_shown == Shown::Other) {
            p.setFont(fontFromSettings(m_settings.FontNote2));
            p.setPen(colorFromTColor(m_settings.FontNote2.Color, pal));
            p.drawText(client, Qt::AlignCenter | Qt::TextWordWrap, m_otherName);
        }
        m_imagePanel.paintBevels(p, L.imagePanel, pal);
    }
    if (!L.notePanel.isEmpty()) {
        m_notePanel.paint(p, L.notePanel, pal);
        p.save();
        p.setClipRect(m_notePanel.clientRect(L.notePanel));
        paintLabel(p, L.labels.label1, m_text1, m_settings.FontNote1, L.labels.wrap1,
                   L.labels.centred, pal);
        paintLabel(p, L.labels.label2, m_text2, m_settings.FontNote2, L.labels.wrap2,
                   L.labels.centred, pal);
        p.restore();
    }
    if (m_hasQuestion && m_paintQuestion)
        paintQuestionControls(p, L, pal);
    return drawSize;
}

QSize SlideScene::plannedPictureSize(const PresentationSettings &settings, const SlideRecord &slide,
                                     QSize natural, QSize area, qreal dpr)
{
    if (slide.Kind != skImage || natural.isEmpty() || area.isEmpty())
        return QSize();
    SlideScene scene(settings);
    SlideRecord notesOnly = slide;
    notesOnly.FileName.clear();
    scene.showImageSlide(notesOnly);
    SlidePicture stand;
    stand.image = QImage(1, 1, QImage::Format_RGB32);
    stand.naturalSize = natural;
    scene.m_image.setPicture(QString(), stand);
    scene.updateDrawSize(area, nullptr);
    const QRect r = scene.m_image.pictureRect();
    if (r.isEmpty())
        return QSize();
    return (QSizeF(r.size()) * dpr).toSize();
}
