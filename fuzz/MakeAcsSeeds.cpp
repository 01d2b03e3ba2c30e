// Writes the seed corpus of the character file fuzzer: the test character, compressed and plain.
#include "acs/AcsWriter.h"
#include "support/CharacterFixtures.h"

#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    character::acs::Character small = fixtures::smallCharacter();
    fixtures::writeCharacterFile(folder, "seed0.acs", small, true);
    fixtures::writeCharacterFile(folder, "seed1.acs", small, false);
    small.voice.reset();
    small.balloon.reset();
    small.trayIcon.reset();
    small.animations.resize(1);
    small.animations[0].frames[0].audio = character::acs::NoAudio;
    small.images.resize(2);
    small.audio.clear();
    fixtures::writeCharacterFile(folder, "seed2.acs", small, true);
    return 0;
}
