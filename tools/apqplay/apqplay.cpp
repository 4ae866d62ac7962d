// Drives an audio plug-in through the host classes, as the player does:
//   apqplay [--plugin FILE.apq] (--wav OUT.wav | --device [N] | --info) IN
// Prints the plug-in's name, version and extensions and the stream's format and tags, then
// writes the decoded stream to a WAV file or plays it on a sound device. Exit codes: 0 done,
// 1 a plug-in failure (its text on standard error), 2 bad arguments.

#include "files/FileNames.h"
#include "media/TAuPlayerMan.h"
#include "media/TAuSException.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QThread>

#include <cstdio>
#include <optional>

namespace {

enum class Output { None, Wav, Device, Info };

struct Args
{
    QString plugin, wav, input;
    Output output = Output::None;
    int device = -1;
};

void print(FILE *to, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
}

int usage(const QString &why)
{
    print(stderr, why + QStringLiteral("\nÚs: apqplay [--plugin FITXER.apq] (--wav SORTIDA.wav | "
                                       "--device [N] | --info) ENTRADA\n"));
    return 2;
}

bool isInteger(const QString &s, int *value)
{
    bool ok = false;
    *value = s.toInt(&ok);
    return ok;
}

std::optional<Args> parse(const QStringList &a, QString *error)
{
    Args out;
    for (int i = 1; i < a.size(); ++i) {
        const QString &s = a[i];
        auto needOutput = [&]() {
            if (out.output != Output::None) {
                *error = QStringLiteral("Només una sortida: --wav, --device o --info");
                return false;
            }
            return true;
        };
        if (s == QLatin1String("--plugin")) {
            if (++i >= a.size()) {
                *error = QStringLiteral("--plugin necessita un fitxer");
                return std::nullopt;
            }
            out.plugin = a[i];
        } else if (s == QLatin1String("--wav")) {
            if (!needOutput())
                return std::nullopt;
            if (++i >= a.size()) {
                *error = QStringLiteral("--wav necessita un fitxer");
                return std::nullopt;
            }
            out.output = Output::Wav;
            out.wav = a[i];
        } else if (s == QLatin1String("--device")) {
            if (!needOutput())
                return std::nullopt;
            out.output = Output::Device;
            int n = 0;
            // A number right after --device is the device, unless it is the input itself.
            if (i + 2 < a.size() && isInteger(a[i + 1], &n)) {
                out.device = n;
                ++i;
            }
        } else if (s == QLatin1String("--info")) {
            if (!needOutput())
                return std::nullopt;
            out.output = Output::Info;
        } else if (s.startsWith(QLatin1String("--")) || !out.input.isEmpty()) {
            *error = QStringLiteral("Argument desconegut: %1").arg(s);
            return std::nullopt;
        } else {
            out.input = s;
        }
    }
    if (out.output == Output::None)
        *error = QStringLiteral("Falta la sortida: --wav, --device o --info");
    else if (out.input.isEmpty())
        *error = QStringLiteral("Falta el fitxer d'entrada");
    if (!error->isEmpty())
        return std::nullopt;
    return out;
}

void printInfo(TAuPlayer &p)
{
    const StreamInfo info = p.StreamInformation();
    const TAuStreamTags tags = p.Tags();
    QString out;
    auto line = [&out](const char *label, const QString &value) {
        out += QString::fromUtf8(label) + QStringLiteral(": ") + value + QLatin1Char('\n');
    };
    line("Mòdul", p.ModuleName());
    line("Fitxer del mòdul", QFileInfo(p.PathToDLL()).fileName());
    line("Versió", QString::number(p.Version()));
    line("Extensions", p.Extensions());
    line("Canals", QString::number(info.channels));
    line("Freqüència", QStringLiteral("%1 Hz").arg(info.sampleRate));
    line("Bits per mostra", QString::number(info.bitsPerSample));
    line("Taxa de bits", QStringLiteral("%1 bit/s").arg(info.bitrate));
    line("Durada", QStringLiteral("%1 ms").arg(p.Duration()));
    line("Títol", tags.title);
    line("Autor", tags.author);
    line("Àlbum", tags.album);
    line("Copyright", tags.copyright);
    line("Descripció", tags.description);
    line("Gènere", tags.genre);
    line("Any", tags.year);
    print(stdout, out);
    std::fflush(stdout);
}

int run(const Args &args)
{
    TAuPlayerMan man;
    TAuPlayer *player = nullptr;
    if (!args.plugin.isEmpty()) {
        TAuPlayer &p = man.Players().add();
        p.setPathToDLL(QFileInfo(args.plugin).absoluteFilePath());
        p.Init();
        p.setInputMode(TAuSInputMode::imFile);
        player = &p;
    } else {
        man.AddPluginsIn(QCoreApplication::applicationDirPath());
        const QString suffix = QFileInfo(args.input).suffix();
        player = man.FindPlayer(suffix.isEmpty() ? QStringLiteral(".") : QLatin1Char('.') + suffix);
        if (!player) {
            print(stderr,
                  QStringLiteral("No es pot tocar\n%1\nNo hi ha un decodificador per aquest "
                                 "tipus d'arxiu\n")
                      .arg(args.input));
            return 1;
        }
    }
    TAuPlayer &p = *player;
    if (args.output == Output::Wav) {
        p.setOutputMode(TAuSOutputMode::omFile);
        p.setOutputName(args.wav);
        // Large blocks: the file output rests 20 ms after each one.
        p.setBufferSize(1 << 20);
    } else {
        p.setOutputMode(TAuSOutputMode::omMMSystem);
        p.setOutputDevNum(args.device);
        p.setBuffersCount(8);
        p.setBufferSize(8196);
    }
    p.setInputName(args.input);
    p.Open();
    p.InitStream();
    printInfo(p);
    if (args.output == Output::Info) {
        p.Close();
        return 0;
    }
    p.Play();
    for (;;) {
        const int mode = p.PlayerMode();
        if (mode == 3)
            break;
        if (mode == 1) {
            // The decoder failed while playing: its code is the plug-in's last error.
            const int code = p.TakeLastError();
            print(stderr, TAuSException::textFor(code > 0 ? code : 3) + QLatin1Char('\n'));
            return 1;
        }
        QThread::msleep(20);
    }
    p.Close();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The names as the system gave them; one that no name here can carry is said so, rather
    // than looked for under another name and reported missing.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const auto name = fileNameFromLocalBytes(bytes);
        if (!name) {
            print(stderr, unrepresentableNameMessage(bytes) + QLatin1Char('\n'));
            return 2;
        }
        arguments.append(*name);
    }
    QString error;
    const auto args = parse(arguments, &error);
    if (!args)
        return usage(error);
    try {
        return run(*args);
    } catch (const TAuSException &e) {
        print(stderr, e.Message() + QLatin1Char('\n'));
        return 1;
    }
}
