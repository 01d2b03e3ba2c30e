#pragma once

// The leak checker of the sanitizer build looks at our code, not at the media framework's: Qt
// Multimedia, GStreamer and PulseAudio keep process-wide caches they never free, and the libraries
// GStreamer loads allocate in their initialisers (GLib) and through vasprintf without frame
// pointers, so only the allocating frame is known. Included once, by a test program's main.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libQt6Multimedia.so\n"
           "leak:libgstreamer-1.0.so\n"
           "leak:libgstpulseaudio.so\n"
           "leak:libpulse.so\n"
           "leak:libpulsecommon\n"
           "leak:libasound.so\n"
           "leak:libglib-2.0.so\n"
           "leak:__vasprintf_internal\n";
}
