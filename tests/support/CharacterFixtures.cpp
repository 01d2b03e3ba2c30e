#include "support/CharacterFixtures.h"

#include "acs/AcsWriter.h"

#include <QDir>
#include <QFile>

namespace fixtures {

using namespace character::acs;

namespace {

// A 12 x 10 picture: a filled body in colour `body` with a transparent border, and a mark.
Image picture(uint8_t body, int mark)
{
    Image img;
    img.width = 12;
    img.height = 10;
    img.pixels = QByteArray(12 * 10, char(0));
    for (int y = 2; y < 9; ++y)
        for (int x = 3; x < 10; ++x)
            img.pixels[y * 12 + x] = char(body);
    img.pixels[5 * 12 + 3 + mark % 7] = char(3);
    img.region = acswriter::regionOf(img, 0);
    img.checksum = 0x1234u + uint32_t(mark);
    return img;
}

QByteArray tinyWave()
{
    QByteArray w("RIFF");
    w.append(QByteArray::fromHex("2c000000"));
    w.append("WAVEfmt ");
    w.append(QByteArray::fromHex("10000000010001001f4000001f400000010008006461746108000000"));
    w.append(QByteArray(8, char(0x80)));
    return w;
}

// The small character with other pictures, shown by one animation that rests on its first frame.
Character withPictures(int side, std::vector<Image> images, std::vector<Frame> frames)
{
    Character c = smallCharacter();
    c.width = uint16_t(side);
    c.height = uint16_t(side);
    c.images = std::move(images);
    c.audio.clear();
    c.states.clear();
    Animation rest;
    rest.name = QStringLiteral("RestPose");
    rest.frames = std::move(frames);
    c.animations = {rest};
    return c;
}

Image blank(int side)
{
    Image img;
    img.width = uint16_t(side);
    img.height = uint16_t(side);
    img.pixels = QByteArray(qsizetype(side) * side, char(0));
    return img;
}

} // namespace

Character checkerboardCharacter(int side)
{
    Image img = blank(side);
    for (int y = 0; y < side; ++y)
        for (int x = (y & 1); x < side; x += 2)
            img.pixels[qsizetype(y) * side + x] = char(1);
    Frame f;
    f.images = {{0, 0, 0}};
    return withPictures(side, {img}, {f});
}

Character stackedCharacter(int side, int layers)
{
    Image img = blank(side);
    img.pixels.fill(char(2));
    Frame f;
    f.images.assign(size_t(layers), FrameImage{0, 0, 0});
    return withPictures(side, {img}, {f});
}

Character picturesCharacter(int side, int count)
{
    std::vector<Image> images;
    std::vector<Frame> frames;
    for (int i = 0; i < count; ++i) {
        Image img = blank(side);
        // A band of its own in each picture, so no two are alike.
        for (int y = i * side / count; y < (i + 1) * side / count; ++y)
            std::fill_n(img.pixels.data() + qsizetype(y) * side, side, char(1 + i % 3));
        images.push_back(img);
        Frame f;
        f.images = {{uint32_t(i), 0, 0}};
        frames.push_back(f);
    }
    return withPictures(side, images, frames);
}

Character smallCharacter(const QString& name)
{
    Character c;
    c.minorVersion = 1;
    c.guid = QByteArray::fromHex("00112233445566778899aabbccddeeff");
    c.width = 12;
    c.height = 10;
    c.transparentIndex = 0;
    c.flags = StandardAnimationSet | BalloonSizeToText;
    VoiceInfo voice;
    voice.engineId = QByteArray(16, char(1));
    voice.modeId = QByteArray(16, char(2));
    voice.speed = 160;
    voice.pitch = 120;
    voice.hasExtraData = true;
    voice.languageId = 0x0407;
    voice.dialect = QStringLiteral("Standard");
    voice.gender = 2;
    voice.age = 60;
    voice.style = QStringLiteral("calm");
    c.voice = voice;
    BalloonInfo balloon;
    balloon.lines = 3;
    balloon.charsPerLine = 28;
    balloon.foreColor = 0x202020;
    balloon.backColor = 0xFFFFE1;
    balloon.borderColor = 0x404080;
    balloon.fontName = QStringLiteral("DejaVu Sans");
    balloon.fontHeight = -14;
    balloon.fontWeight = 700;
    balloon.italic = true;
    c.balloon = balloon;
    c.palette = {0xFF00FF, 0x3050C0, 0xF0E0A0, 0x000000};
    c.trayIcon = TrayIcon{QByteArray("mono-bits"), QByteArray("colour-bits")};
    c.states = {{QStringLiteral("Showing"), {QStringLiteral("Show")}},
                {QStringLiteral("Speaking"), {QStringLiteral("Speak")}},
                {QStringLiteral("IdlingLevel1"), {QStringLiteral("Idle"), QStringLiteral("Missing")}}};
    c.localized = {{0x0407, QStringLiteral("Prüfer"), QStringLiteral("Ein Prüfzeichen"), QString()},
                   {0x0409, name, QStringLiteral("A test character"), QStringLiteral("extra")}};

    for (int i = 0; i < 4; ++i)
        c.images.push_back(picture(uint8_t(1 + i % 2), i));
    c.audio.push_back({tinyWave(), 77});

    Animation show;
    show.name = QStringLiteral("Show");
    show.transition = Transition::ReturnAnimation;
    show.returnAnimation = QStringLiteral("Idle");
    for (int i = 0; i < 2; ++i) {
        Frame f;
        f.images = {{uint32_t(i), 0, 0}};
        f.duration = 5;
        f.audio = i == 0 ? 0 : NoAudio;
        show.frames.push_back(f);
    }
    Animation speak;
    speak.name = QStringLiteral("Speak");
    Frame talking;
    talking.images = {{2, 0, 0}, {3, 1, -1}};
    talking.duration = 20;
    talking.exitFrame = 0;
    MouthOverlay wide;
    wide.shape = MouthShape::Wide2;
    wide.image = 3;
    wide.x = 4;
    wide.y = 6;
    wide.width = 12;
    wide.height = 10;
    wide.hasRegion = true;
    wide.region = c.images[3].region;
    MouthOverlay closed;
    closed.shape = MouthShape::Closed;
    closed.image = 2;
    closed.replacesTopImage = true;
    talking.mouths = {wide, closed};
    speak.frames = {talking};
    Animation idle;
    idle.name = QStringLiteral("Idle");
    idle.transition = Transition::ExitBranches;
    for (int i = 0; i < 3; ++i) {
        Frame f;
        f.images = {{uint32_t(i % 2), 0, 0}};
        f.duration = 15;
        f.exitFrame = 2;
        if (i == 1)
            f.branches = {{0, 60}, {2, 40}};
        idle.frames.push_back(f);
    }
    c.animations = {show, speak, idle};
    return c;
}

QString writeCharacterFile(const QString& folder, const QString& fileName, const Character& character,
                           bool compressed)
{
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(fileName);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(acswriter::writeAcs(character, {compressed, compressed}));
    return path;
}

} // namespace fixtures
