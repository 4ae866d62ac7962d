#include "slides/NoteLayout.h"

#include <QFontMetrics>
#include <QPaintDevice>

#include <algorithm>

namespace {

constexpr int kBig = 1 << 20;

int heightAt(const NoteLabel &l, int width)
{
    if (l.empty())
        return 0;
    return l.wrappedHeight ? l.wrappedHeight(std::max(1, width)) : l.naturalHeight;
}

} // namespace

NoteLabel NoteLabel::measure(const QString &text, const QFont &font, const QPaintDevice *device)
{
    NoteLabel l;
    l.text = text;
    if (text.isEmpty())
        return l;
    const QFontMetrics fm(font, const_cast<QPaintDevice *>(device));
    l.margin = fm.horizontalAdvance(QLatin1Char('H'));
    l.line = fm.height();
    const QRect natural =
        fm.boundingRect(QRect(0, 0, kBig, kBig), Qt::AlignLeft | Qt::AlignTop, text);
    l.naturalWidth = natural.width();
    l.naturalHeight = natural.height();
    l.wrappedHeight = [fm, text](int width) {
        return fm
            .boundingRect(QRect(0, 0, width, kBig),
                          Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text)
            .height();
    };
    return l;
}

NoteLayoutResult LayoutNotesLR(const NoteLabel &l1, const NoteLabel &l2, int panelHeight,
                               const LRLayoutOptions &opt)
{
    NoteLayoutResult r;
    const int margin = std::max(l1.margin, l2.margin);
    int w1 = l1.empty() ? 0 : l1.naturalWidth, w2 = l2.empty() ? 0 : l2.naturalWidth;
    int h1 = l1.empty() ? 0 : l1.naturalHeight, h2 = l2.empty() ? 0 : l2.naturalHeight;
    if (opt.size.ManualSize) {
        r.panelExtent = opt.size.Size;
        if (opt.WordWrapLRLines && opt.LeftJustifyLRLines) {
            const int wrapW = std::max(1, r.panelExtent - 2 * margin);
            if (!l1.empty()) {
                w1 = wrapW;
                h1 = heightAt(l1, wrapW);
                r.wrap1 = true;
            }
            if (!l2.empty()) {
                w2 = wrapW;
                h2 = heightAt(l2, wrapW);
                r.wrap2 = true;
            }
        }
    } else {
        r.panelExtent = 2 * margin + std::max(w1, w2);
    }

    const int spacing = l1.line / 2;
    int top1, top2;
    if (opt.OnTopLRLines) {
        top1 = 2 * spacing;
        top2 = l1.empty() ? l2.line : top1 + h1 + spacing;
    } else {
        top1 = (panelHeight - h1 - spacing - h2) / 2;
        top2 = top1 + h1 + spacing;
    }
    auto x = [&](int w) { return opt.LeftJustifyLRLines ? margin : (r.panelExtent - w) / 2; };
    if (!l1.empty())
        r.label1 = QRect(x(w1), top1, w1, h1);
    if (!l2.empty())
        r.label2 = QRect(x(w2), top2, w2, h2);
    r.centred = !opt.LeftJustifyLRLines;
    return r;
}

NoteLayoutResult LayoutNotesTB(const NoteLabel &l1, const NoteLabel &l2, int panelWidth,
                               const PanelSize &size)
{
    NoteLayoutResult r;
    const int w1 = panelWidth - 2 * l1.margin, w2 = panelWidth - 2 * l2.margin;
    const int h1 = heightAt(l1, w1), h2 = heightAt(l2, w2);
    const int gap = (!l1.empty() && !l2.empty()) ? l1.line / 4 : 0;
    int freeSpace;
    if (size.ManualSize) {
        r.panelExtent = size.Size;
        freeSpace = r.panelExtent - h1 - h2;
    } else {
        freeSpace = std::max(l1.line, l2.line);
        r.panelExtent = freeSpace + h1 + gap + h2;
    }
    const int top1 = freeSpace / 2;
    if (!l1.empty())
        r.label1 = QRect(l1.margin, top1, std::max(1, w1), h1);
    if (!l2.empty())
        r.label2 = QRect(l2.margin, top1 + h1 + gap, std::max(1, w2), h2);
    r.wrap1 = r.wrap2 = true;
    return r;
}

NoteLayoutResult LayoutTitle(const NoteLabel &l1, const NoteLabel &l2, QSize panelSize)
{
    NoteLayoutResult r;
    r.panelExtent = panelSize.height();
    const int w1 = panelSize.width() - 2 * l1.margin, w2 = panelSize.width() - 2 * l2.margin;
    const int h1 = heightAt(l1, w1), h2 = heightAt(l2, w2);
    const int maxLine = std::max(l1.line, l2.line);
    const int spacing = h1 == l1.line ? maxLine / 6 : maxLine / 3;
    const int top = (panelSize.height() - h1 - spacing - h2) / 2;
    if (!l1.empty())
        r.label1 = QRect(l1.margin, top, std::max(1, w1), h1);
    if (!l2.empty())
        r.label2 = QRect(l2.margin, top + h1 + spacing, std::max(1, w2), h2);
    r.wrap1 = r.wrap2 = true;
    return r;
}
