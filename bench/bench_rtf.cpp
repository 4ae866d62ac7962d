// Reading about 10 MB of formatted RTF into a QTextDocument, against QTextDocument::setHtml on the
// same text written as HTML, in the same run. Prints times and their ratio; it asserts nothing.

#include "BenchStats.h"

#include "media/RtfReader.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

struct Sample
{
    QByteArray rtf;
    QString html;
};

// The same paragraphs in both forms: a Catalan sentence with bold, italic and coloured words.
Sample makeSample(qsizetype targetBytes)
{
    Sample s;
    s.rtf =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Times New Roman;}}"
        "{\\colortbl;\\red200\\green0\\blue0;}\\fs24 ";
    s.html = QStringLiteral("<html><body>");
    const QByteArray rtfParagraph =
        "\\pard\\qj\\li360 Per\\'f2 l'\\'e0via diu {\\b ad\\'e9u} a la {\\i can\\'e7\\'f3} de "
        "la {\\cf1 Cel\\'b7la}, {\\f1\\fs28 i} tothom \\u8220?canta\\u8221? al pati\\par\n";
    const QString htmlParagraph = QStringLiteral(
        "<p align=\"justify\" style=\"margin-left:24px\">Però l'àvia diu <b>adéu</b> a la "
        "<i>cançó</i> de la <span style=\"color:#c80000\">Cel·la</span>, <span "
        "style=\"font-family:'Times New Roman'; font-size:14pt\">i</span> tothom “canta” al "
        "pati</p>\n");
    while (s.rtf.size() < targetBytes) {
        s.rtf += rtfParagraph;
        s.html += htmlParagraph;
    }
    s.rtf += "}";
    s.html += QStringLiteral("</body></html>");
    return s;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const Sample sample = makeSample(10 * 1024 * 1024);
    // Wall time, and the processor time the reader itself used: on a machine shared with other
    // work the second is the steadier figure.
    std::vector<double> ours, oursCpu, reference;
    qsizetype check = 0;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer t;
        t.start();
        const std::clock_t cpu = std::clock();
        QTextDocument rtfDoc;
        if (!readRtf(sample.rtf, rtfDoc).ok())
            return 1;
        ours.push_back(double(t.nsecsElapsed()) / 1e6);
        oursCpu.push_back(double(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC);
        check += rtfDoc.characterCount();

        t.restart();
        QTextDocument htmlDoc;
        htmlDoc.setHtml(sample.html);
        reference.push_back(double(t.nsecsElapsed()) / 1e6);
        check -= htmlDoc.characterCount();
    }
    const double o = medianMs(ours), r = medianMs(reference);
    std::printf("RTF %.1f MB: readRtf %8.1f ms (processor %.1f ms), setHtml on the same text %8.1f"
                " ms, ratio %.2f (character counts differ by %lld)\n",
                double(sample.rtf.size()) / (1024.0 * 1024.0), o, medianMs(oursCpu), r, o / r,
                static_cast<long long>(check));
    return 0;
}
