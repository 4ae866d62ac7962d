// Time from "next" to a painted text slide: the slide's file (about three pages of RTF, and the
// same words as plain text) read into the text slides' view, laid out and painted at 1280x800,
// against QTextEdit::setHtml of the same text painted in the same view size. Prints the medians
// and their ratios; it asserts nothing.

#include "BenchFiles.h"
#include "BenchStats.h"

#include "player/ui/TextSlideView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 40;
const QSize kArea(1280, 800);

struct Texts
{
    QByteArray rtf, txt;
    QString html;
};

// About three screen pages: 70 paragraphs of two or three lines with bold, italic and colour.
Texts makeTexts()
{
    Texts t;
    t.rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times New "
            "Roman;}}{\\colortbl;\\red200\\green0\\blue0;}\\fs24 ";
    t.html = QStringLiteral("<html><body style=\"font-size:12pt\">");
    for (int i = 0; i < 70; ++i) {
        t.rtf += "\\pard\\qj Per\\'f2 l'\\'e0via diu {\\b ad\\'e9u} a la {\\i can\\'e7\\'f3} de la "
                 "{\\cf1 Cel\\'b7la}, i tothom canta al pati mentre el sol es pon darrere les "
                 "muntanyes i les orenetes tornen als nius de la pla\\'e7a major\\par\n";
        t.txt +=
            "Per\xf2 l'\xe0via diu ad\xe9u a la can\xe7\xf3 de la Cel\xb7la, i tothom canta al "
            "pati mentre el sol es pon darrere les muntanyes i les orenetes tornen als nius "
            "de la pla\xe7"
            "a major\r\n";
        t.html += QStringLiteral(
            "<p align=\"justify\">Però l'àvia diu <b>adéu</b> a la <i>cançó</i> de la <span "
            "style=\"color:#c80000\">Cel·la</span>, i tothom canta al pati mentre el sol es pon "
            "darrere les muntanyes i les orenetes tornen als nius de la plaça major</p>");
    }
    t.rtf += "}";
    t.html += QStringLiteral("</body></html>");
    return t;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    return writeBenchFile(dir.filePath(name), bytes);
}

// Median time of `show` followed by painting the view into an image.
double measure(QTextEdit &view, const std::function<void()> &show)
{
    std::vector<double> times;
    QImage target(kArea, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < kRounds; ++i) {
        QElapsedTimer t;
        t.start();
        show();
        QPainter p(&target);
        view.render(&p);
        p.end();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return medianMs(times);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const Texts texts = makeTexts();
    const QString rtf = writeFile(dir, QStringLiteral("text.rtf"), texts.rtf);
    const QString txt = writeFile(dir, QStringLiteral("text.txt"), texts.txt);
    const QFont font(QStringLiteral("DejaVu Sans"), 12);

    TextSlideView view;
    view.setAppearance(Qt::white, font, Qt::black);
    view.resize(kArea);
    view.show();
    const double oursRtf = measure(view, [&] { (void)view.loadFile(rtf, TextKind::Rich); });
    const double oursTxt = measure(view, [&] { (void)view.loadFile(txt, TextKind::Plain); });

    QTextEdit reference;
    reference.setReadOnly(true);
    reference.setFont(font);
    reference.resize(kArea);
    reference.show();
    const double ref = measure(reference, [&] { reference.setHtml(texts.html); });

    std::printf("Text slide, %d pages at %dx%d, next to painted (median of %d): RTF %.2f ms, plain "
                "text %.2f ms; QTextEdit::setHtml of the same text %.2f ms; ratios %.2f and %.2f\n",
                3, kArea.width(), kArea.height(), kRounds, oursRtf, oursTxt, ref, oursRtf / ref,
                oursTxt / ref);
    return 0;
}
