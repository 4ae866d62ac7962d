#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Writes slide lists and small picture files into a temporary folder.
class SlideListFixture
{
public:
    SlideListFixture();
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString dir() const { return m_dir.path(); }
    // Writes a PNG of the given size; returns its path.
    QString picture(const QString &name, int w = 16, int h = 12);
    // Writes the lines with CR LF; returns the path.
    QString list(const QString &name, const QStringList &lines);
    QString file(const QString &name, const QByteArray &bytes);
    // A picture line: file, flags, two paragraphs, time, audio.
    static QString line(const QString &file, const QString &flags = QString(),
                        const QString &p1 = QString(), const QString &p2 = QString(),
                        const QString &time = QString(), const QString &audio = QString());

private:
    QTemporaryDir m_dir;
};
