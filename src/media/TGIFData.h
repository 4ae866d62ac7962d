#pragma once

#include "media/GifExtensions.h"
#include "media/TColorTable.h"
#include "media/TGIFFrame.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// The bytes of one GIF file and what they hold. Pictures share one TGIFData (through a
// shared_ptr); the frames are parsed on first use.
class TGIFData
{
public:
    explicit TGIFData(QByteArray bytes);

    const QByteArray &bytes() const { return m_bytes; }
    // Logical screen size from bytes 6-9 of the file (0 when the file is shorter).
    int screenWidth() const { return m_screenWidth; }
    int screenHeight() const { return m_screenHeight; }
    std::uint8_t packed() const { return m_packed; }
    // The logical screen's background colour index (byte 11).
    int backgroundIndex() const { return m_backgroundIndex; }
    const TColorTable &globalColorTable() const;

    // The frames; parses the file on the first call. A file that fails to parse has none.
    std::vector<TGIFFrame> &frames();
    int frameCount() { return int(frames().size()); }

    // Why parsing stopped (empty when it did not fail). Not shown to users: a file that fails to
    // parse simply has no frames.
    const QString &parseError();
    // Errors met while drawing plain-text extensions; parsing went on after each.
    const QStringList &drawingErrors();

    const std::vector<TApplicationExtension> &applicationExtensions();
    const std::vector<TCommentExtension> &comments();

private:
    void parse();

    QByteArray m_bytes;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    std::uint8_t m_packed = 0;
    int m_backgroundIndex = 0;
    bool m_parsed = false;
    TColorTable m_globalTable;
    std::vector<TGIFFrame> m_frames;
    std::vector<TApplicationExtension> m_applications;
    std::vector<TCommentExtension> m_comments;
    QString m_parseError;
    QStringList m_drawingErrors;
};
