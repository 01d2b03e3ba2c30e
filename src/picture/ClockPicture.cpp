#include "picture/ClockPicture.h"

#include "lang/Translate.h"
#include "picture/JpegDecoder.h"
#include "picture/WmfDecoder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include <atomic>

namespace picture {

namespace {

// No clock picture comes near this; anything larger is refused before it is read.
constexpr qint64 kMaxFileSize = qint64(256) << 20;

quint64 nextSerial()
{
    static std::atomic<quint64> counter{0};
    return ++counter;
}

enum class Kind
{
    Jpeg,
    Wmf,
    Other
};

Kind sniff(const QByteArray& head)
{
    const auto at = [&head](int i) { return static_cast<unsigned char>(head[i]); };
    if (head.size() >= 3 && at(0) == 0xFF && at(1) == 0xD8 && at(2) == 0xFF)
        return Kind::Jpeg;
    if (head.size() >= 4 && at(0) == 0xD7 && at(1) == 0xCD && at(2) == 0xC6 && at(3) == 0x9A)
        return Kind::Wmf; // placeable metafile
    if (head.size() >= 6 && (at(0) == 1 || at(0) == 2) && at(1) == 0 && at(2) == 9 && at(3) == 0 &&
        (at(4) == 0 || at(4) == 3) && at(5) == 3)
        return Kind::Wmf; // plain metafile header
    return Kind::Other;
}

// `reason` comes translated.
[[noreturn]] void refuse(const QString& path, const QString& reason)
{
    throw PictureLoadError(
        (lang::fillIn(Translate(QStringLiteral("The picture %s cannot be shown:")), path) + u'\n' + reason)
            .toStdString());
}

} // namespace

ClockPicture ClockPicture::fromImage(QImage image, QSize ownSize)
{
    ClockPicture p;
    p.m_image = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                                        : image.convertToFormat(QImage::Format_RGB32);
    p.m_size = ownSize.isEmpty() ? p.m_image.size() : ownSize;
    p.m_serial = nextSerial();
    return p;
}

ClockPicture ClockPicture::fromVector(QPicture picture, QSize size)
{
    ClockPicture p;
    p.m_vector = std::move(picture);
    p.m_isVector = true;
    p.m_size = size;
    p.m_serial = nextSerial();
    return p;
}

ClockPicture ClockPicture::load(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        refuse(path, Translate(QStringLiteral("The file does not exist.")));
    if (!file.open(QIODevice::ReadOnly))
        refuse(path, Translate(QStringLiteral("The file cannot be read.")));
    if (file.size() > kMaxFileSize)
        refuse(path, Translate(QStringLiteral("The file is too large for a clock picture.")));
    return fromBytes(file.readAll(), path);
}

ClockPicture ClockPicture::fromBytes(const QByteArray& data, const QString& path)
{
    if (data.isEmpty())
        refuse(path, Translate(QStringLiteral("The file is empty.")));

    DecodeFailure failure;
    // `damaged` comes translated.
    const auto refuseFor = [&path, &failure](const QString& damaged) {
        refuse(path, failure.tooLarge
                         ? Translate(QStringLiteral("The picture is too large or too complex for a clock."))
                         : damaged);
    };
    switch (sniff(data.left(8))) {
    case Kind::Jpeg: {
        std::optional<DecodedJpeg> jpeg = decodeJpeg(data, &failure);
        if (!jpeg)
            refuseFor(Translate(QStringLiteral("The JPEG picture is damaged.")));
        return fromImage(std::move(jpeg->image), jpeg->size);
    }
    case Kind::Wmf: {
        std::optional<Metafile> metafile = decodeWmf(data, &failure);
        if (!metafile)
            refuseFor(Translate(QStringLiteral("The metafile is damaged.")));
        return fromVector(std::move(metafile->picture), metafile->size);
    }
    case Kind::Other:
        break;
    }
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(int((MaxPicturePixels * 4) >> 20));
    const QByteArray format = reader.format();
    if (format.isEmpty())
        refuse(path, Translate(QStringLiteral("The file is not a BMP, JPEG, GIF or WMF picture.")));
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPicturePixels)
        refuse(path, Translate(QStringLiteral("The picture is too large or too complex for a clock.")));
    QImage image = reader.read();
    if (image.isNull())
        refuse(path, Translate(QStringLiteral("The picture is damaged.")));
    return fromImage(std::move(image));
}

QImage ClockPicture::scaledTo(QSize target) const
{
    if (isEmpty() || target.isEmpty())
        return {};
    if (!m_isVector) {
        if (target == m_image.size())
            return m_image;
        return m_image.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    QImage out(target, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.scale(double(target.width()) / m_size.width(), double(target.height()) / m_size.height());
    painter.drawPicture(0, 0, m_vector);
    return out;
}

} // namespace picture
