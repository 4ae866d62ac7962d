#include "support/JpegWriter.h"

#include <cstdio>
#include <jpeglib.h>

#include <vector>

QByteArray encodeJpeg(const QImage &source, int quality, JpegKind kind)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = kind == JpegKind::Grey ? 1 : kind == JpegKind::Cmyk ? 4 : 3;
    cinfo.in_color_space = kind == JpegKind::Grey   ? JCS_GRAYSCALE
                           : kind == JpegKind::Cmyk ? JCS_CMYK
                                                    : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (kind == JpegKind::Cmyk)
        jpeg_set_colorspace(&cinfo, JCS_CMYK);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (kind == JpegKind::Cmyk)
        cinfo.write_Adobe_marker = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(size_t(image.width()) * size_t(cinfo.input_components));
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto *src =
            reinterpret_cast<const QRgb *>(image.constScanLine(int(cinfo.next_scanline)));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = src[x];
            if (kind == JpegKind::Grey) {
                row[size_t(x)] = JSAMPLE(qGray(c));
            } else if (kind == JpegKind::Cmyk) {
                // Inverted CMYK with no black: each channel holds 255 - ink.
                row[size_t(x) * 4] = JSAMPLE(qRed(c));
                row[size_t(x) * 4 + 1] = JSAMPLE(qGreen(c));
                row[size_t(x) * 4 + 2] = JSAMPLE(qBlue(c));
                row[size_t(x) * 4 + 3] = 255;
            } else {
                row[size_t(x) * 3] = JSAMPLE(qRed(c));
                row[size_t(x) * 3 + 1] = JSAMPLE(qGreen(c));
                row[size_t(x) * 3 + 2] = JSAMPLE(qBlue(c));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray out(reinterpret_cast<const char *>(buffer), qsizetype(size));
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return out;
}
