#include "slides/NoteLayout.h"

#include <QTest>

namespace {

// A label in a made-up font: "H" is `margin` wide, a line `line` high and every character
// `charW` wide; wrapping breaks anywhere.
NoteLabel label(const QString &text, int margin = 8, int line = 12, int charW = 6)
{
    NoteLabel l;
    l.text = text;
    if (text.isEmpty())
        return l;
    l.margin = margin;
    l.line = line;
    l.naturalWidth = int(text.size()) * charW;
    l.naturalHeight = line;
    l.wrappedHeight = [=](int width) {
        const int perLine = std::max(1, width / charW);
        return line * int((text.size() + perLine - 1) / perLine);
    };
    return l;
}

} // namespace

class NoteLayoutTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sidePanelTakesTheWiderLabel()
    {
        // 10 and 20 characters: 60 and 120 pixels, margin the larger of the two.
        const NoteLabel a = label(QStringLiteral("0123456789"), 8);
        const NoteLabel b = label(QStringLiteral("01234567890123456789"), 10);
        LRLayoutOptions opt;
        const NoteLayoutResult r = LayoutNotesLR(a, b, 300, opt);
        QCOMPARE(r.panelExtent, 2 * 10 + 120);
        // Centred pair: spacing = 12 / 2; top = (300 - 12 - 6 - 12) / 2 = 135.
        QCOMPARE(r.label1, QRect((140 - 60) / 2, 135, 60, 12));
        QCOMPARE(r.label2, QRect(10, 135 + 12 + 6, 120, 12));
        QVERIFY(r.centred);
    }

    void sidePanelOnTopLeftJustifiedAndWrapped()
    {
        const NoteLabel a = label(QStringLiteral("0123456789"));
        const NoteLabel b = label(QString(80, QLatin1Char('x')));
        LRLayoutOptions opt;
        opt.size = {true, 136};
        opt.OnTopLRLines = true;
        opt.LeftJustifyLRLines = true;
        opt.WordWrapLRLines = true;
        const NoteLayoutResult r = LayoutNotesLR(a, b, 300, opt);
        QCOMPARE(r.panelExtent, 136);
        // Wrapped at 136 - 16 = 120: 20 characters a line, the second label takes 4 lines.
        QCOMPARE(r.label1, QRect(8, 12, 120, 12));
        QCOMPARE(r.label2, QRect(8, 12 + 12 + 6, 120, 48));
        QVERIFY(r.wrap1 && r.wrap2);
        // Without left justification the manual width does not wrap.
        opt.LeftJustifyLRLines = false;
        const NoteLayoutResult n = LayoutNotesLR(a, b, 300, opt);
        QVERIFY(!n.wrap2);
        QCOMPARE(n.label2.width(), 480);
        // An empty first label: the second starts at its own line height.
        const NoteLayoutResult e = LayoutNotesLR(label({}), b, 300, [] {
            LRLayoutOptions o;
            o.OnTopLRLines = true;
            return o;
        }());
        QVERIFY(e.label1.isNull());
        QCOMPARE(e.label2.top(), 12);
    }

    void bottomPanelSizesItselfToTheText()
    {
        const NoteLabel a = label(QStringLiteral("0123456789"), 8, 16);
        const NoteLabel b = label(QString(50, QLatin1Char('y')), 8, 12);
        // Width 316 - 16 = 300: 50 characters of 6 pixels, one line each.
        NoteLayoutResult r = LayoutNotesTB(a, b, 316, PanelSize{false, 40});
        const int gap = 16 / 4;
        QCOMPARE(r.panelExtent, 16 + 16 + gap + 12);
        QCOMPARE(r.label1, QRect(8, 8, 300, 16));
        QCOMPARE(r.label2, QRect(8, 8 + 16 + gap, 300, 12));
        // Narrower: the second wraps onto two lines and the panel grows.
        r = LayoutNotesTB(a, b, 166, PanelSize{false, 40});
        QCOMPARE(r.label2.height(), 24);
        QCOMPARE(r.panelExtent, 16 + 16 + gap + 24);
        // A manual height: the free space is what the labels leave, without the gap.
        r = LayoutNotesTB(a, b, 316, PanelSize{true, 80});
        QCOMPARE(r.panelExtent, 80);
        QCOMPARE(r.label1.top(), (80 - 16 - 12) / 2);
        QCOMPARE(r.label2.top(), (80 - 16 - 12) / 2 + 16 + gap);
        // One label only: no gap.
        r = LayoutNotesTB(label({}), b, 316, PanelSize{false, 40});
        QCOMPARE(r.panelExtent, 12 + 12);
        QCOMPARE(r.label2.top(), 6);
    }

    void titleSpacingDependsOnTheFirstLine()
    {
        const NoteLabel a = label(QStringLiteral("Títol"), 20, 60, 30);
        const NoteLabel b = label(QStringLiteral("Subtítol"), 10, 30, 15);
        NoteLayoutResult r = LayoutTitle(a, b, {800, 600});
        // One-line first title: spacing = 60 / 6.
        QCOMPARE(r.label1, QRect(20, (600 - 60 - 10 - 30) / 2, 760, 60));
        QCOMPARE(r.label2, QRect(10, (600 - 60 - 10 - 30) / 2 + 70, 780, 30));
        // A first title wrapped onto two lines: spacing = 60 / 3.
        const NoteLabel longA = label(QString(40, QLatin1Char('T')), 20, 60, 30);
        r = LayoutTitle(longA, b, {800, 600});
        QCOMPARE(r.label1.height(), 120);
        QCOMPARE(r.label2.top(), r.label1.top() + 120 + 20);
        // Both empty: nothing to place.
        r = LayoutTitle(label({}), label({}), {800, 600});
        QVERIFY(r.label1.isNull() && r.label2.isNull());
    }
};

QTEST_GUILESS_MAIN(NoteLayoutTest)
#include "NoteLayoutTest.moc"
