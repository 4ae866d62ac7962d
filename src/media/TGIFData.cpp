#include "media/TGIFData.h"

#include "media/GifLzwDecoder.h"
#include "media/PictureLimits.h"

#include <QCoreApplication>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>

#include <cstring>
#include <optional>

namespace {

// All frames of one file together may not hold more pixels than this.
constexpr qint64 kMaxTotalFramePixels = 4 * kMaxPicturePixels;

// The frame delay when no graphic control extension says otherwise (hundredths of a second).
constexpr int kDefaultDelay = 10;

struct ParseFailure
{
    QString message;
};

QString readFailure()
{
    return QStringLiteral("S'ha produït un error en llegir les dades del GIF");
}

// Reads the file front to back; every read past the end throws a ParseFailure, which parse()
// turns into "no frames". The exception does not leave this file.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes)
        : m_data(reinterpret_cast<const std::uint8_t *>(bytes.constData())), m_size(bytes.size())
    {}

    bool atEnd() const { return m_pos >= m_size; }
    std::uint8_t byte()
    {
        need(1);
        return m_data[m_pos++];
    }
    std::uint16_t word()
    {
        need(2);
        const std::uint16_t v = std::uint16_t(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    QByteArray take(qsizetype n)
    {
        need(n);
        QByteArray out(reinterpret_cast<const char *>(m_data + m_pos), n);
        m_pos += n;
        return out;
    }
    void skip(qsizetype n)
    {
        need(n);
        m_pos += n;
    }
    // Data sub-blocks up to the zero-length terminator.
    QList<QByteArray> subBlocks()
    {
        QList<QByteArray> out;
        for (std::uint8_t n = byte(); n != 0; n = byte())
            out.append(take(n));
        return out;
    }
    void skipSubBlocks()
    {
        for (std::uint8_t n = byte(); n != 0; n = byte())
            skip(n);
    }
    // Appends the sub-blocks' bytes to `out` without splitting them into a list.
    void appendSubBlocks(std::vector<std::uint8_t> &out)
    {
        for (std::uint8_t n = byte(); n != 0; n = byte()) {
            need(n);
            out.insert(out.end(), m_data + m_pos, m_data + m_pos + n);
            m_pos += n;
        }
    }

private:
    void need(qsizetype n)
    {
        if (m_size - m_pos < n)
            throw ParseFailure{readFailure()};
    }

    const std::uint8_t *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

TColorTable readColorTable(Reader &r, std::uint8_t packed)
{
    const int colours = 1 << ((packed & 0x07) + 1);
    return TColorTable(r.take(3 * colours));
}

// Rows of an interlaced image come in four passes: every 8th row from 0, every 8th from 4,
// every 4th from 2, every 2nd from 1.
std::vector<int> interlacedRowOrder(int height)
{
    std::vector<int> rows;
    rows.reserve(size_t(height));
    static const int start[4] = {0, 4, 2, 1};
    static const int step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < height; y += step[pass])
            rows.push_back(y);
    return rows;
}

QImage decodeFrame(const TImageDescriptor &d, int minCodeSize,
                   const std::vector<std::uint8_t> &raster)
{
    const int w = d.width;
    const int h = d.height;
    std::vector<std::uint8_t> pixels(size_t(w) * size_t(h), 0);
    const QString error = decodeGifLzw(minCodeSize, raster.data(), qsizetype(raster.size()),
                                       pixels.data(), qsizetype(pixels.size()));
    if (!error.isEmpty())
        throw ParseFailure{error};
    if (w == 0 || h == 0)
        return {};

    QImage image(w, h, QImage::Format_Indexed8);
    if (image.isNull())
        throw ParseFailure{pictureTooLargeMessage(w, h)};
    image.setColorTable(d.colorTable.palette());
    if (d.interlaced()) {
        const std::vector<int> rows = interlacedRowOrder(h);
        for (int i = 0; i < h; ++i)
            std::memcpy(image.scanLine(rows[size_t(i)]), pixels.data() + size_t(i) * size_t(w),
                        size_t(w));
    } else {
        for (int y = 0; y < h; ++y)
            std::memcpy(image.scanLine(y), pixels.data() + size_t(y) * size_t(w), size_t(w));
    }
    return image;
}

// Draws the first text line of a plain-text extension in its cell rectangle. Returns the error
// text, empty when it was drawn.
QString drawPlainText(TGIFFrame &frame, const TPlainTextExtension &text)
{
    if (text.lines.isEmpty() || frame.bitmap().isNull())
        return {};
    const TColorTable &table = frame.descriptor().colorTable;
    const Fallible<QRgb> fg = table.color(text.foregroundIndex);
    if (!fg.ok())
        return fg.error();
    const Fallible<QRgb> bg = table.color(text.backgroundIndex);
    if (!bg.ok())
        return bg.error();
    // Text needs the font system, which only a GUI application has.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return QStringLiteral("No es pot dibuixar el text del GIF sense tipus de lletra");

    QImage image = frame.bitmap().convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&image);
        const QRect cell(text.left, text.top, text.width, text.height);
        painter.fillRect(cell, QColor(bg.value()));
        QFont font = painter.font();
        font.setPixelSize(qMax(1, int(text.cellHeight)));
        painter.setFont(font);
        painter.setPen(QColor(fg.value()));
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         QString::fromLatin1(text.lines.first()));
    }
    frame.replaceDecodedBitmap(std::move(image));
    return {};
}

} // namespace

TGIFData::TGIFData(QByteArray bytes) : m_bytes(std::move(bytes))
{
    const auto *p = reinterpret_cast<const std::uint8_t *>(m_bytes.constData());
    if (m_bytes.size() >= 11) {
        m_screenWidth = p[6] | (p[7] << 8);
        m_screenHeight = p[8] | (p[9] << 8);
        m_packed = p[10];
    }
    if (m_bytes.size() >= 12)
        m_backgroundIndex = p[11];
}

const TColorTable &TGIFData::globalColorTable() const
{
    const_cast<TGIFData *>(this)->frames();
    return m_globalTable;
}

std::vector<TGIFFrame> &TGIFData::frames()
{
    if (!m_parsed) {
        m_parsed = true;
        parse();
    }
    return m_frames;
}

const QString &TGIFData::parseError()
{
    frames();
    return m_parseError;
}

const QStringList &TGIFData::drawingErrors()
{
    frames();
    return m_drawingErrors;
}

const std::vector<TApplicationExtension> &TGIFData::applicationExtensions()
{
    frames();
    return m_applications;
}

const std::vector<TCommentExtension> &TGIFData::comments()
{
    frames();
    return m_comments;
}

void TGIFData::parse()
{
    try {
        Reader r(m_bytes);
        const QByteArray signature = r.take(6);
        if (!signature.startsWith("GIF"))
            throw ParseFailure{QStringLiteral("El fitxer no és una imatge GIF")};
        r.skip(4); // logical screen size, read by the constructor
        const std::uint8_t packed = r.byte();
        r.skip(2); // background index, aspect ratio
        if (packed & 0x80)
            m_globalTable = readColorTable(r, packed);

        std::optional<TGraphicControlExtension> control;
        std::optional<TPlainTextExtension> plainText;
        qint64 totalPixels = 0;
        std::vector<std::uint8_t> raster;

        for (;;) {
            // Some writers leave out the trailer: a file that ends cleanly between blocks keeps
            // the frames it has.
            if (r.atEnd() && !m_frames.empty())
                break;
            const std::uint8_t separator = r.byte();
            if (separator == 0x3B)
                break;
            if (separator == 0x21) {
                const std::uint8_t label = r.byte();
                switch (label) {
                case 0xF9: {
                    const QList<QByteArray> blocks = r.subBlocks();
                    TGraphicControlExtension gce;
                    if (!blocks.isEmpty() && blocks.first().size() >= 4) {
                        const auto *b =
                            reinterpret_cast<const std::uint8_t *>(blocks.first().constData());
                        gce.packed = b[0];
                        gce.delay = std::uint16_t(b[1] | (b[2] << 8));
                        gce.transparentIndex = b[3];
                    }
                    control = gce;
                    break;
                }
                case 0x01: {
                    QList<QByteArray> blocks = r.subBlocks();
                    TPlainTextExtension pte;
                    if (!blocks.isEmpty() && blocks.first().size() >= 12) {
                        const auto *b =
                            reinterpret_cast<const std::uint8_t *>(blocks.first().constData());
                        pte.left = std::uint16_t(b[0] | (b[1] << 8));
                        pte.top = std::uint16_t(b[2] | (b[3] << 8));
                        pte.width = std::uint16_t(b[4] | (b[5] << 8));
                        pte.height = std::uint16_t(b[6] | (b[7] << 8));
                        pte.cellWidth = b[8];
                        pte.cellHeight = b[9];
                        pte.foregroundIndex = b[10];
                        pte.backgroundIndex = b[11];
                    }
                    if (!blocks.isEmpty())
                        blocks.removeFirst();
                    pte.lines = blocks;
                    plainText = pte;
                    break;
                }
                case 0xFF: {
                    QList<QByteArray> blocks = r.subBlocks();
                    TApplicationExtension app;
                    if (!blocks.isEmpty())
                        app.identifier = blocks.takeFirst().left(11);
                    app.blocks = blocks;
                    m_applications.push_back(std::move(app));
                    break;
                }
                case 0xFE: m_comments.push_back(TCommentExtension{r.subBlocks()}); break;
                default: r.skipSubBlocks(); break;
                }
                continue;
            }
            if (separator != 0x2C)
                throw ParseFailure{QStringLiteral("El separador del format GIF és invàlid $%1")
                                       .arg(QString::number(separator, 16).toUpper())};

            TImageDescriptor d;
            d.left = r.word();
            d.top = r.word();
            d.width = r.word();
            d.height = r.word();
            d.packed = r.byte();
            d.colorTable = d.hasLocalTable() ? readColorTable(r, d.packed) : m_globalTable;

            const qint64 pixels = qint64(d.width) * d.height;
            if (pixels > kMaxPicturePixels || totalPixels + pixels > kMaxTotalFramePixels)
                throw ParseFailure{pictureTooLargeMessage(d.width, d.height)};
            totalPixels += pixels;

            const int minCodeSize = r.byte();
            raster.clear();
            r.appendSubBlocks(raster);
            QImage bitmap = decodeFrame(d, minCodeSize, raster);

            int delay = kDefaultDelay;
            if (control)
                delay = qMin(control->delay / 10, 30);
            TGIFFrame frame(std::move(d), std::move(bitmap), delay);
            frame.graphicControl = control;
            frame.plainText = plainText;
            if (plainText) {
                const QString error = drawPlainText(frame, *plainText);
                if (!error.isEmpty())
                    m_drawingErrors.append(error);
            }
            m_frames.push_back(std::move(frame));
            control.reset();
            plainText.reset();
        }
    } catch (const ParseFailure &failure) {
        m_frames.clear();
        m_parseError = failure.message;
    } catch (const std::bad_alloc &) {
        m_frames.clear();
        m_parseError = readFailure();
    }
}
