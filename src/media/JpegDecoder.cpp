#include "media/JpegDecoder.h"

#include "media/PictureLimits.h"

#include <cstdio>
#include <jpeglib.h>

#include <csetjmp>
#include <memory>

namespace {

// libjpeg's working memory is capped so a progressive file claiming a huge size fails instead of
// allocating gigabytes.
constexpr long kMaxDecoderMemory = 512L * 1024 * 1024;

struct JpegErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onJpegError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<JpegErrorManager *>(cinfo->err);
    err->base.format_message(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void onJpegMessage(j_common_ptr, int) {}

// State the decode touches after setjmp lives on the heap behind a pointer that never changes.
struct JpegState
{
    jpeg_decompress_struct cinfo{};
    JpegErrorManager err{};
    bool created = false;
    QImage image;
    QSize naturalSize;
    int scaleNum = 8;
    bool tooLarge = false;
    bool cmyk = false;
    std::unique_ptr<JSAMPLE[]> rowBuffer;

    ~JpegState()
    {
        if (created)
            jpeg_destroy_decompress(&cinfo);
    }
};

inline QRgb cmykToRgb(const JSAMPLE *p, bool inverted)
{
    int c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    // Adobe writes inverted CMYK: each channel already holds 255 - ink.
    return qRgb(c * k / 255, m * k / 255, y * k / 255);
}

bool runDecode(JpegState *s, const QByteArray &bytes, QSize target)
{
    if (setjmp(s->err.jump))
        return false;
    jpeg_create_decompress(&s->cinfo);
    s->created = true;
    s->cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_mem_src(&s->cinfo, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&s->cinfo, TRUE);
    s->naturalSize = QSize(int(s->cinfo.image_width), int(s->cinfo.image_height));

    s->scaleNum = jpegScaleFor(s->naturalSize, target);
    s->cinfo.scale_num = unsigned(s->scaleNum);
    s->cinfo.scale_denom = 8;
    s->cmyk = s->cinfo.jpeg_color_space == JCS_CMYK || s->cinfo.jpeg_color_space == JCS_YCCK;
    if (s->cmyk) {
        s->cinfo.out_color_space = JCS_CMYK;
    } else {
#ifdef JCS_EXTENSIONS
        s->cinfo.out_color_space = JCS_EXT_BGRX; // straight into QImage::Format_RGB32 rows
#else
        s->cinfo.out_color_space = JCS_RGB;
#endif
    }
    jpeg_calc_output_dimensions(&s->cinfo);
    const qint64 w = s->cinfo.output_width, h = s->cinfo.output_height;
    if (w <= 0 || h <= 0 || w * h > kMaxPicturePixels) {
        s->tooLarge = w * h > kMaxPicturePixels;
        return false;
    }

    jpeg_start_decompress(&s->cinfo);
    s->image = QImage(int(w), int(h), QImage::Format_RGB32);
    if (s->image.isNull())
        return false;
    const int components = s->cinfo.output_components;
    const bool direct = !s->cmyk && components == 4;
    if (!direct)
        s->rowBuffer.reset(new JSAMPLE[size_t(w) * size_t(components)]);
    const bool inverted = s->cinfo.saw_Adobe_marker;
    while (s->cinfo.output_scanline < s->cinfo.output_height) {
        const int y = int(s->cinfo.output_scanline);
        JSAMPROW row =
            direct ? reinterpret_cast<JSAMPROW>(s->image.scanLine(y)) : s->rowBuffer.get();
        if (jpeg_read_scanlines(&s->cinfo, &row, 1) != 1)
            break;
        if (direct)
            continue;
        auto *dst = reinterpret_cast<QRgb *>(s->image.scanLine(y));
        const JSAMPLE *p = s->rowBuffer.get();
        if (s->cmyk) {
            for (qint64 x = 0; x < w; ++x, p += 4)
                dst[x] = cmykToRgb(p, inverted);
        } else if (components == 3) {
            for (qint64 x = 0; x < w; ++x, p += 3)
                dst[x] = qRgb(p[0], p[1], p[2]);
        } else {
            for (qint64 x = 0; x < w; ++x, ++p)
                dst[x] = qRgb(p[0], p[0], p[0]);
        }
    }
    jpeg_finish_decompress(&s->cinfo);
    return true;
}

} // namespace

int jpegScaleFor(QSize full, QSize targetSize)
{
    if (!targetSize.isValid() || targetSize.isEmpty() || full.isEmpty())
        return 8;
    for (int n = 1; n < 8; ++n) {
        // libjpeg rounds a scaled dimension up.
        const qint64 w = (qint64(full.width()) * n + 7) / 8;
        const qint64 h = (qint64(full.height()) * n + 7) / 8;
        if (w >= targetSize.width() && h >= targetSize.height())
            return n;
    }
    return 8;
}

Fallible<JpegDecodeResult> decodeJpeg(const QByteArray &bytes, QSize targetSize)
{
    auto state = std::make_unique<JpegState>();
    state->cinfo.err = jpeg_std_error(&state->err.base);
    state->err.base.error_exit = onJpegError;
    state->err.base.emit_message = onJpegMessage;
    state->err.message[0] = 0;

    bool ok = false;
    if (bytes.isEmpty()) {
        ok = false;
    } else {
        try {
            ok = runDecode(state.get(), bytes, targetSize);
        } catch (const std::bad_alloc &) {
            ok = false;
        }
    }
    if (!ok) {
        if (state->tooLarge)
            return Fallible<JpegDecodeResult>::failure(
                pictureTooLargeMessage(state->naturalSize.width(), state->naturalSize.height()));
        return Fallible<JpegDecodeResult>::failure(
            QStringLiteral("La imatge JPEG és malmesa o no es pot llegir"));
    }
    JpegDecodeResult result;
    result.image = std::move(state->image);
    result.naturalSize = state->naturalSize;
    result.scaleNum = state->scaleNum;
    return result;
}
