// Work that must grow with its input, not with its square: a settings file of 100,000 sections
// and a question field of 120,000 radio answers, each against a plain read and split of the same
// text in the same run. Prints times and their ratio; it is not a test and asserts nothing.

#include "BenchFiles.h"
#include "BenchStats.h"

#include "config/TNewIniFile.h"
#include "files/TextCodec.h"
#include "presentation/SlideAnswers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double msSince(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Reads the file and looks one key up in every section, as reading a list's .ini and then its
// settings would (names in another case than written, as users write them).
void benchIni(const QString &dir, int sections, int rounds)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(sections) * 40);
    for (int i = 0; i < sections; ++i)
        bytes += "[Secci\xF3 " + QByteArray::number(i) + "]\r\nClau=" + QByteArray::number(i) +
                 "\r\nAltra=1\r\n\r\n";
    const QString path = writeBenchFile(dir + QStringLiteral("/big%1.ini").arg(sections), bytes);

    std::vector<double> ours, reference;
    qint64 sum = 0;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer t;
        t.start();
        QFile in(path);
        in.open(QIODevice::ReadOnly);
        const QStringList plain = splitTextLines(decode8BitText(in.readAll()).text);
        reference.push_back(msSince(t));
        sum += plain.size();

        t.restart();
        TNewIniFile ini(path);
        ini.load();
        for (int i = 0; i < sections; ++i)
            sum += ini.ReadInteger(QStringLiteral("SECCIÓ %1").arg(i), QStringLiteral("clau"), 0);
        ours.push_back(msSince(t));
    }
    const double o = medianMs(ours), r = medianMs(reference);
    std::printf("%8d INI sections: load+lookups %9.1f ms, plain read+split %7.1f ms, ratio %.2f"
                " (%lld)\n",
                sections, o, r, o / r, static_cast<long long>(sum % 10));
}

// One radio question holding every answer, a tenth of them repeated.
void benchAnswers(int answers, int rounds)
{
    QStringList parts;
    parts.reserve(answers);
    for (int i = 0; i < answers; ++i)
        parts.append(i % 10 == 9 ? QStringLiteral("resposta %1").arg(i / 2)
                                 : QStringLiteral("resposta %1").arg(i));
    const QString field = parts.join(QLatin1Char('|'));

    std::vector<double> ours, reference;
    qint64 sum = 0;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer t;
        t.start();
        const QStringList plain = field.split(QLatin1Char('|'));
        reference.push_back(msSince(t));
        sum += plain.size();

        t.restart();
        const SlideAnswers parsed = ParseSlideAnswers(field);
        ours.push_back(msSince(t));
        sum += qint64(parsed.answers.size());
    }
    const double o = medianMs(ours), r = medianMs(reference);
    std::printf("%8d radio answers: parse+drop repeats %7.1f ms, plain split %11.1f ms, ratio "
                "%.2f (%lld)\n",
                answers, o, r, o / r, static_cast<long long>(sum % 10));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    // Growth shows in the ratio: near-linear work keeps it the same at ten times the size.
    benchIni(dir.path(), 10000, 5);
    benchIni(dir.path(), 100000, 3);
    benchAnswers(12000, 5);
    benchAnswers(120000, 3);
    return 0;
}
