#include "picture/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include <jerror.h>

namespace picture {

namespace {

// A picture of several scans (progressive ones) keeps all its coefficients at once, 128 bytes a
// block, however small the file: a few hundred bytes may claim 8192 x 8192.
constexpr qint64 kMaxCoefficientBytes = qint64(96) << 20;
// Every scan passes over all the blocks of the picture; a small file of many empty scans would
// keep the decoder busy for seconds.
constexpr qint64 kMaxBlockPasses = qint64(24) << 20;
// Whatever else libjpeg asks for, beyond this it fails instead of allocating.
constexpr long kMaxLibjpegMemory = long(160) << 20;

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    bool tooLarge;
};

struct ProgressMonitor
{
    jpeg_progress_mgr pub;
    qint64 blocks; // of all components together
};

[[noreturn]] void stop(j_common_ptr cinfo, bool tooLarge, const char* why)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->tooLarge = tooLarge;
    if (why)
        std::snprintf(err->message, JMSG_LENGTH_MAX, "%s", why);
    std::longjmp(err->jump, 1);
}

[[noreturn]] void onFatalError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    const int code = cinfo->err->msg_code;
    stop(cinfo,
         code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE || code == JERR_IMAGE_TOO_BIG ||
             code == JERR_WIDTH_OVERFLOW,
         nullptr);
}

void onMessage(j_common_ptr, int) {} // warnings about damaged but readable data are not errors

void onProgress(j_common_ptr cinfo)
{
    const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    const auto* monitor = reinterpret_cast<ProgressMonitor*>(cinfo->progress);
    if (qint64(d->input_scan_number) * monitor->blocks > kMaxBlockPasses)
        stop(cinfo, true, "too many scans for the picture's size");
}

void cmykRowToRgb32(const JSAMPLE* cmyk, QRgb* out, JDIMENSION width, bool adobeInverted)
{
    for (JDIMENSION x = 0; x < width; ++x) {
        int c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
        if (!adobeInverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

struct Outcome
{
    QImage image;
    QSize size;
    bool tooLarge = false;
    char message[JMSG_LENGTH_MAX] = {};
};

// Kept free of objects with destructors: libjpeg reports fatal errors by a long jump back here.
bool decodeInto(const unsigned char* data, unsigned long size, Outcome* out)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    ProgressMonitor progress;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onFatalError;
    err.pub.emit_message = onMessage;
    err.message[0] = '\0';
    err.tooLarge = false;
    if (setjmp(err.jump)) {
        std::snprintf(out->message, JMSG_LENGTH_MAX, "%s", err.message);
        out->tooLarge = err.tooLarge;
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.mem->max_memory_to_use = kMaxLibjpegMemory;
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);

    const qint64 width = cinfo.image_width;
    const qint64 height = cinfo.image_height;
    if (width * height > MaxPicturePixels)
        stop(reinterpret_cast<j_common_ptr>(&cinfo), true, "the picture is too large");
    progress.blocks = 0;
    for (int i = 0; i < cinfo.num_components; ++i)
        progress.blocks += qint64(cinfo.comp_info[i].width_in_blocks) * cinfo.comp_info[i].height_in_blocks;
    if (jpeg_has_multiple_scans(&cinfo) && progress.blocks * 128 > kMaxCoefficientBytes)
        stop(reinterpret_cast<j_common_ptr>(&cinfo), true, "the picture is too large for its scans");
    progress.pub.progress_monitor = onProgress;
    cinfo.progress = &progress.pub;

    // Decoded no larger than any clock can show; libjpeg scales by whole eighths at little cost.
    cinfo.scale_num = 1;
    cinfo.scale_denom = 1;
    while ((width + cinfo.scale_denom - 1) / cinfo.scale_denom > MaxKeptPictureSide ||
           (height + cinfo.scale_denom - 1) / cinfo.scale_denom > MaxKeptPictureSide) {
        if (cinfo.scale_denom == 8)
            stop(reinterpret_cast<j_common_ptr>(&cinfo), true, "the picture is too large");
        cinfo.scale_denom *= 2;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA; // BGRA fills the fourth byte with 0xFF
    jpeg_calc_output_dimensions(&cinfo);
    out->image = QImage(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    if (out->image.isNull())
        stop(reinterpret_cast<j_common_ptr>(&cinfo), true, "not enough memory for the picture");
    out->size = QSize(int(width), int(height));
    jpeg_start_decompress(&cinfo);
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk)
        cmykRow = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                             cinfo.output_width * 4, 1);
    while (cinfo.output_scanline < cinfo.output_height) {
        auto* line = reinterpret_cast<QRgb*>(out->image.scanLine(int(cinfo.output_scanline)));
        if (cmyk) {
            jpeg_read_scanlines(&cinfo, cmykRow, 1);
            cmykRowToRgb32(cmykRow[0], line, cinfo.output_width, cinfo.saw_Adobe_marker);
        } else {
            JSAMPROW row = reinterpret_cast<JSAMPROW>(line);
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

std::optional<DecodedJpeg> decodeJpeg(const QByteArray& data, DecodeFailure* failure)
{
    Outcome outcome;
    if (!decodeInto(reinterpret_cast<const unsigned char*>(data.constData()),
                    static_cast<unsigned long>(data.size()), &outcome)) {
        if (failure)
            *failure = {outcome.tooLarge, QString::fromLocal8Bit(outcome.message)};
        return std::nullopt;
    }
    return DecodedJpeg{std::move(outcome.image), outcome.size};
}

} // namespace picture
