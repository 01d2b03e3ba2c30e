// libFuzzer target: any bytes given as a clock picture (BMP, GIF, JPEG or metafile) become a
// picture or its one error, within the bounds of work and memory a clock picture is held to, and
// what was read draws without reading out of bounds.
#include "picture/ClockPicture.h"
#include "picture/PictureLimits.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Metafiles draw text, which needs the application's fonts; no window is ever shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "picture_decode_fuzz";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives as long as the run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const picture::ClockPicture picture = picture::ClockPicture::fromBytes(bytes, QStringLiteral("fuzz"));
        if (picture.isEmpty() || qint64(picture.width()) * picture.height() > picture::MaxPicturePixels)
            __builtin_trap(); // a picture read is a picture of a size a clock can take
        // Drawn small, as the tray icon draws it, and stretched out of its proportions.
        if (picture.scaledTo({48, 17}).size() != QSize(48, 17))
            __builtin_trap();
    } catch (const picture::PictureLoadError&) {
    }
    return 0;
}
