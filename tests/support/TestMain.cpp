#include "app/VeskelApplication.h"

#include <gtest/gtest.h>

// The leak checker of the sanitizer build looks at our code, not at the media framework's: Qt
// Multimedia, GStreamer and PulseAudio keep process-wide caches they never free, and the libraries
// GStreamer loads allocate in their initialisers (GLib) and through vasprintf without frame
// pointers, so only the allocating frame is known.
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

// Every test program runs with the program's own application object, headless.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    app::VeskelApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
