#pragma once

#include <QByteArray>
#include <QImage>
#include <QPicture>
#include <QString>
#include <stdexcept>

class QPainter;

namespace picture {

// A picture could not be shown; what() is the message for the user.
class PictureLoadError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The clock's picture: a bitmap (BMP, GIF, JPEG) or a metafile kept as vector drawing, drawn
// stretched over the face. Empty when there is no picture.
class ClockPicture final
{
public:
    ClockPicture() = default;
    // `ownSize`, when given, is the picture's own size, of which `image` is a reduction.
    static ClockPicture fromImage(QImage image, QSize ownSize = {});
    static ClockPicture fromVector(QPicture picture, QSize size);

    // Reads the file by its contents, not its name. Throws PictureLoadError.
    static ClockPicture load(const QString& path);
    // The same from the file's bytes; `path` only names the picture in the message.
    static ClockPicture fromBytes(const QByteArray& data, const QString& path);

    bool isEmpty() const { return m_size.isEmpty(); }
    QSize size() const { return m_size; }
    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }
    // A picture with see-through parts is drawn over the background colour.
    bool hasTransparency() const { return m_isVector || m_image.hasAlphaChannel(); }

    // Stretched to the whole of `target`, without smoothing, as a bitmap is stretched on the face.
    QImage scaledTo(QSize target) const;

    // Changes with every picture loaded, so a cache can tell pictures apart.
    quint64 serial() const { return m_serial; }

private:
    QImage m_image;
    QPicture m_vector;
    bool m_isVector = false;
    QSize m_size;
    quint64 m_serial = 0;
};

} // namespace picture
