#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

// A desktop character as its .acs file describes it: who it is, how it speaks, its pictures and
// the animations made of them.
namespace character::acs {

inline constexpr uint32_t AcsSignature = 0xABCDABC3;

// Bits of the character's flags word.
enum CharacterFlags : uint32_t
{
    VoiceOutputDisabled = 0x00000010,
    VoiceOutputEnabled = 0x00000020,
    BalloonDisabled = 0x00000100,
    BalloonEnabled = 0x00000200,
    BalloonSizeToText = 0x00010000,
    BalloonNoAutoHide = 0x00020000,
    BalloonNoAutoPace = 0x00040000,
    StandardAnimationSet = 0x00100000,
};

// The mouth shapes a speaking frame may carry, from shut to wide open.
enum class MouthShape : uint8_t
{
    Closed = 0,
    Wide1 = 1,
    Wide2 = 2,
    Wide3 = 3,
    Wide4 = 4,
    Medium = 5,
    Narrow = 6,
};
inline constexpr int MouthShapeCount = 7;

// What follows an animation once its last frame has played.
enum class Transition : uint8_t
{
    ReturnAnimation = 0, // play the named return animation
    ExitBranches = 1,    // leave by the frames' exit branches
    None = 2,
};

struct VoiceInfo
{
    QByteArray engineId; // 16-byte GUIDs of the speech engine and its mode
    QByteArray modeId;
    uint32_t speed = 0; // words per minute
    uint16_t pitch = 0; // in Hz
    bool hasExtraData = false;
    uint16_t languageId = 0; // a Windows language id, 0x0409 for US English
    QString dialect;
    uint16_t gender = 0; // 0 neutral, 1 female, 2 male
    uint16_t age = 0;
    QString style;
};

struct BalloonInfo
{
    uint8_t lines = 2;
    uint8_t charsPerLine = 32;
    uint32_t foreColor = 0x000000; // 0x00RRGGBB
    uint32_t backColor = 0xFFFFE1;
    uint32_t borderColor = 0x000000;
    QString fontName;
    int32_t fontHeight = -13; // negative: character height in pixels
    int32_t fontWeight = 400;
    bool italic = false;
    uint8_t unknown = 0;
};

struct LocalizedInfo
{
    uint16_t languageId = 0;
    QString name;
    QString description;
    QString extraData;
};

struct StateInfo
{
    QString name;
    QStringList animations;
};

struct TrayIcon
{
    QByteArray monochrome; // the two bitmaps of an icon, as stored
    QByteArray color;
};

struct FrameImage
{
    uint32_t image = 0;
    int16_t x = 0;
    int16_t y = 0;
};

struct Branch
{
    uint16_t frame = 0;
    uint16_t probability = 0; // percent
};

struct MouthOverlay
{
    MouthShape shape = MouthShape::Closed;
    bool replacesTopImage = false;
    uint16_t image = 0;
    uint8_t unknown = 0;
    bool hasRegion = false;
    int16_t x = 0;
    int16_t y = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    QByteArray region;
};

inline constexpr uint16_t NoAudio = 0xFFFF;
inline constexpr int16_t NoExitFrame = -1;

struct Frame
{
    std::vector<FrameImage> images; // the first is the top one: drawn last to first
    uint16_t audio = NoAudio;
    uint16_t duration = 10; // hundredths of a second
    int16_t exitFrame = NoExitFrame;
    std::vector<Branch> branches;
    std::vector<MouthOverlay> mouths;

    const MouthOverlay* mouth(MouthShape shape) const;
};

struct Animation
{
    QString name;
    Transition transition = Transition::None;
    QString returnAnimation;
    std::vector<Frame> frames;
};

// One picture. Made in memory, it holds its palette indices (top row first, `width` bytes a row)
// and its outline (region data, possibly empty) as they are; read from a file, it keeps both as
// the file stores them and they are unpacked when wanted (picturePixels, pictureRegion in
// AcsReader.h), so a character of many large pictures does not hold them all unpacked.
struct Image
{
    uint16_t width = 0;
    uint16_t height = 0;
    bool compressed = false; // as it was stored
    QByteArray pixels;
    QByteArray region;
    QByteArray storedPixels; // bottom row first, rows padded to four bytes; packed when `compressed`
    QByteArray storedRegion; // packed when `regionPacked`, to `regionSize` bytes
    bool regionPacked = false;
    uint32_t regionSize = 0;
    bool blank = false; // every pixel is clear (as the reader found)
    uint32_t checksum = 0;
};

struct Audio
{
    QByteArray wave; // a RIFF WAVE file
    uint32_t checksum = 0;
};

struct Character
{
    uint16_t minorVersion = 0;
    uint16_t majorVersion = 2;
    QByteArray guid;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t transparentIndex = 0;
    uint32_t flags = 0;
    uint16_t animationSetMajor = 2;
    uint16_t animationSetMinor = 0;
    std::optional<VoiceInfo> voice;
    std::optional<BalloonInfo> balloon;
    std::vector<uint32_t> palette; // 0x00RRGGBB
    std::optional<TrayIcon> trayIcon;
    std::vector<StateInfo> states;
    std::vector<LocalizedInfo> localized;
    std::vector<Animation> animations;
    std::vector<Image> images;
    std::vector<Audio> audio;

    // Where each animation is, by its name in lower case: made by indexAnimations (the reader
    // calls it); without it names are looked for one by one.
    QHash<QString, size_t> animationIndex;

    // The name in US English, else the first one given.
    QString name() const;
    void indexAnimations();
    // Letter case does not count in animation and state names.
    const Animation* animation(const QString& name) const;
    // The animations listed for a state that exist, in the order given.
    std::vector<const Animation*> stateAnimations(const QString& state) const;
};

// The file is not a character we can use; the text says where it went wrong (for the log of a
// developer, not for the user: the user sees one message for every broken file).
class AcsError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace character::acs
