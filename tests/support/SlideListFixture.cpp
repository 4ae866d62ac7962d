#include "support/SlideListFixture.h"

#include <QFile>
#include <QImage>

SlideListFixture::SlideListFixture() = default;

QString SlideListFixture::picture(const QString &name, int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    const QString p = path(name);
    img.save(p, "PNG");
    return p;
}

QString SlideListFixture::file(const QString &name, const QByteArray &bytes)
{
    const QString p = path(name);
    QFile f(p);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return p;
}

QString SlideListFixture::list(const QString &name, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &l : lines)
        bytes += l.toUtf8() + "\r\n";
    return file(name, bytes);
}

QString SlideListFixture::line(const QString &file, const QString &flags, const QString &p1,
                               const QString &p2, const QString &time, const QString &audio)
{
    return QStringList{file, flags, p1, p2, time, audio}.join(QLatin1Char('\t'));
}
