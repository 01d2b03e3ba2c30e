#pragma once

#include <QString>
#include <functional>

namespace platform {

// Plays one sound or video file at a time.
class MediaPlayer
{
public:
    virtual ~MediaPlayer() = default;
    // Closes what plays now, and its video window, then starts playing `path`: a sound through
    // the default audio output, a video in a window of its own. Returns at once; playing goes
    // on. Should the file turn out not to play, `failed` is told why, now or later, once.
    virtual void play(const QString& path, std::function<void(const QString& reason)> failed) = 0;
    // Stops playing and closes the file and its window.
    virtual void close() = 0;
};

} // namespace platform
