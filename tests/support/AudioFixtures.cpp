#include "support/AudioFixtures.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

QString ffmpeg()
{
    static const QString path = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    return path;
}

bool run(const QStringList &args, QByteArray *out = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(out ? QProcess::SeparateChannels : QProcess::MergedChannels);
    p.start(ffmpeg(), QStringList{QStringLiteral("-hide_banner"), QStringLiteral("-nostdin"),
                                  QStringLiteral("-loglevel"), QStringLiteral("error"),
                                  QStringLiteral("-y")} +
                          args);
    if (!p.waitForStarted(10000))
        return false;
    p.closeWriteChannel();
    QByteArray data;
    while (p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(30000);
        if (out)
            data += p.readAllStandardOutput();
        else
            p.readAll();
    }
    if (out)
        *out = data + p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

namespace AudioFixtures {

bool available()
{
    return !ffmpeg().isEmpty();
}

bool encode(const QString &path, const Tone &t)
{
    QStringList args{QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                     QStringLiteral("sine=frequency=%1:duration=%2:sample_rate=%3")
                         .arg(t.frequency)
                         .arg(t.seconds)
                         .arg(t.sampleRate)};
    if (!t.metadataFile.isEmpty())
        args << QStringLiteral("-i") << t.metadataFile << QStringLiteral("-map_metadata")
             << QStringLiteral("1") << QStringLiteral("-map") << QStringLiteral("0:a");
    args << QStringLiteral("-ac") << QString::number(t.channels) << QStringLiteral("-c:a")
         << t.codec;
    for (const QString &tag : t.tags)
        args << QStringLiteral("-metadata") << tag;
    args << path;
    return run(args);
}

QByteArray referencePcm(const QString &path)
{
    QByteArray pcm;
    if (!run({QStringLiteral("-i"), path, QStringLiteral("-f"), QStringLiteral("s16le"),
              QStringLiteral("-")},
             &pcm))
        return QByteArray();
    return pcm;
}

} // namespace AudioFixtures
