#pragma once

#include <QString>
#include <QtGlobal>

namespace picture {

// Largest picture we are willing to decode, in pixels (about 64 megapixels).
inline constexpr qint64 MaxPicturePixels = qint64(8192) * 8192;
// A picture is never kept larger than this a side: no clock window is larger. A larger JPEG is
// decoded at a half, a quarter or an eighth of its size.
inline constexpr int MaxKeptPictureSide = 4096;

// Why a picture could not be decoded. Too large (or too much work, which comes to the same) is
// told apart from damaged, since the user's remedy differs.
struct DecodeFailure
{
    bool tooLarge = false;
    QString reason; // for the curious; not shown
};

} // namespace picture
