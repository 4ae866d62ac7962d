#include "media/PngDecoder.h"

#include "media/PictureLimits.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Everything the libpng calls touch lives here, on the heap, so nothing local changes between
// setjmp and a longjmp out of libpng.
struct PngReadState
{
    const png_byte *data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    size_t rowBytes = 0;
    std::vector<png_byte> pixels;
    std::vector<png_bytep> rows;
    bool tooLarge = false;

    ~PngReadState()
    {
        if (png)
            png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
};

void readFromMemory(png_structp png, png_bytep out, size_t length)
{
    auto *state = static_cast<PngReadState *>(png_get_io_ptr(png));
    if (state->size - state->pos < length)
        png_error(png, "truncated");
    std::memcpy(out, state->data + state->pos, length);
    state->pos += length;
}

[[noreturn]] void onPngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

QString readErrorMessage(const QString &path)
{
    return QStringLiteral("S'ha produit un error en llegit\r\n%1").arg(path);
}

// Runs libpng over the bytes; false on any failure. Fills state->pixels with 3 or 4 bytes per
// pixel (RGB or RGBA) in rows of state->rowBytes.
bool readPng(PngReadState *state)
{
    if (setjmp(png_jmpbuf(state->png)))
        return false;
    png_set_read_fn(state->png, state, readFromMemory);
    png_read_info(state->png, state->info);

    png_uint_32 w = 0, h = 0;
    int bitDepth = 0, colorType = 0;
    png_get_IHDR(state->png, state->info, &w, &h, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (w == 0 || h == 0)
        return false;
    if (qint64(w) * qint64(h) > kMaxPicturePixels) {
        state->tooLarge = true;
        state->width = w;
        state->height = h;
        return false;
    }

    // Every layout becomes 8-bit RGB or RGBA.
    png_set_expand(state->png); // palettes to RGB, grey below 8 bits to 8, tRNS to alpha
    png_set_strip_16(state->png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(state->png);
    png_set_interlace_handling(state->png);
    png_read_update_info(state->png, state->info);

    state->width = png_get_image_width(state->png, state->info);
    state->height = png_get_image_height(state->png, state->info);
    state->rowBytes = png_get_rowbytes(state->png, state->info);
    const int channels = png_get_channels(state->png, state->info);
    if ((channels != 3 && channels != 4) ||
        state->rowBytes < size_t(state->width) * size_t(channels))
        return false;

    state->pixels.resize(state->rowBytes * state->height);
    state->rows.resize(state->height);
    for (png_uint_32 y = 0; y < state->height; ++y)
        state->rows[y] = state->pixels.data() + size_t(y) * state->rowBytes;
    png_read_image(state->png, state->rows.data());
    png_read_end(state->png, nullptr);
    return true;
}

} // namespace

QString pngOpenErrorMessage(const QString &path)
{
    return QStringLiteral("S'ha produit un error en obrir\r\n%1").arg(path);
}

Fallible<QImage> DecodePng(const QByteArray &bytes, const QString &path, QRgb background)
{
    auto state = std::make_unique<PngReadState>();
    state->data = reinterpret_cast<const png_byte *>(bytes.constData());
    state->size = size_t(bytes.size());
    state->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
    if (state->png)
        state->info = png_create_info_struct(state->png);
    if (!state->png || !state->info)
        return Fallible<QImage>::failure(readErrorMessage(path));
    png_set_user_limits(state->png, 65535, 65535);
    // Text, colour profile, palette suggestion and Exif chunks are read whole into a buffer of
    // the length their header claims before a byte of them is read: an 80-byte file claiming a
    // 1 GB text chunk got it. Nothing here uses them, so they are skipped unread.
    static const png_byte kSkipped[] = "tEXt\0zTXt\0iTXt\0iCCP\0sPLT\0eXIf";
    png_set_keep_unknown_chunks(state->png, PNG_HANDLE_CHUNK_NEVER, kSkipped,
                                int(sizeof kSkipped / 5));

    bool ok = false;
    try {
        ok = readPng(state.get());
    } catch (const std::bad_alloc &) {
        ok = false;
    }
    if (!ok) {
        if (state->tooLarge)
            return Fallible<QImage>::failure(readErrorMessage(path) + QStringLiteral("\r\n") +
                                             pictureTooLargeMessage(state->width, state->height));
        return Fallible<QImage>::failure(readErrorMessage(path));
    }

    const int w = int(state->width);
    const int h = int(state->height);
    const int bpp = int(state->rowBytes / state->width);
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return Fallible<QImage>::failure(readErrorMessage(path));

    const int bgR = qRed(background), bgG = qGreen(background), bgB = qBlue(background);
    for (int y = 0; y < h; ++y) {
        const png_byte *src = state->rows[size_t(y)];
        auto *dst = reinterpret_cast<QRgb *>(image.scanLine(y));
        if (bpp == 3) {
            for (int x = 0; x < w; ++x, src += 3)
                dst[x] = qRgb(src[0], src[1], src[2]);
        } else {
            // Opaque pixels are copied, transparent ones leave the background, the others blend.
            for (int x = 0; x < w; ++x, src += 4) {
                const int a = src[3];
                if (a == 255) {
                    dst[x] = qRgb(src[0], src[1], src[2]);
                } else if (a == 0) {
                    dst[x] = background | 0xFF000000u;
                } else {
                    const int t = 255 - a;
                    dst[x] = qRgb((t * bgR + a * src[0]) / 255, (t * bgG + a * src[1]) / 255,
                                  (t * bgB + a * src[2]) / 255);
                }
            }
        }
    }
    return image;
}
