// Draws Merlin, the wizard the program ships as its speaking character, and writes him as a
// character file: appearing and vanishing in a shower of sparks, resting, blinking, glancing
// about, twinkling his wand, and talking with seven mouth shapes.
#include "acs/AcsWriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QtMath>

#include <cstdio>

using namespace character::acs;

namespace {

constexpr int W = 128;
constexpr int H = 128;
const QPoint MouthAt(54, 63); // where the mouth pictures go
constexpr int MouthW = 20;
constexpr int MouthH = 12;

const QColor Robe(72, 64, 168);
const QColor RobeDark(44, 38, 118);
const QColor RobeLight(110, 100, 210);
const QColor Hat(58, 52, 150);
const QColor Gold(250, 206, 60);
const QColor Skin(250, 204, 170);
const QColor Cheek(240, 150, 140);
const QColor Beard(246, 246, 250);
const QColor BeardShade(200, 204, 220);
const QColor Ink(40, 30, 40);
const QColor Wand(120, 76, 40);
const QColor MouthInside(120, 30, 40);
const QColor Tongue(220, 90, 100);

enum class Eyes
{
    Open,
    Shut,
    Left,
    Right
};

struct Pose
{
    Eyes eyes = Eyes::Open;
    int glow = 0;        // 0 to 3: sparks about the wand's star
    bool wandUp = false; // the wand raised while he talks
    bool closedMouth = true;
};

void star(QPainter& p, QPointF c, double outer, double inner, const QColor& fill, double turn = 0)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double a = turn + i * M_PI / 5 - M_PI / 2;
        const double r = i % 2 ? inner : outer;
        const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
        i ? path.lineTo(pt) : path.moveTo(pt);
    }
    path.closeSubpath();
    p.setPen(QPen(fill.darker(130), 0.8));
    p.setBrush(fill);
    p.drawPath(path);
}

void drawMerlin(QPainter& p, const Pose& pose)
{
    p.setRenderHint(QPainter::Antialiasing);
    // Robe.
    QPainterPath robe;
    robe.moveTo(44, 70);
    robe.cubicTo(36, 90, 30, 110, 26, 126);
    robe.lineTo(102, 126);
    robe.cubicTo(98, 110, 92, 90, 84, 70);
    robe.closeSubpath();
    p.setPen(QPen(RobeDark, 1.5));
    p.setBrush(Robe);
    p.drawPath(robe);
    p.setPen(Qt::NoPen);
    p.setBrush(RobeLight);
    p.drawRect(QRectF(61, 96, 6, 30));
    for (QPointF s : {QPointF(38, 112), QPointF(90, 104), QPointF(48, 94), QPointF(82, 120)})
        star(p, s, 4, 1.8, Gold);
    // Sleeves and hands: the left one resting, the right one holding the wand.
    p.setPen(QPen(RobeDark, 1.2));
    p.setBrush(Robe);
    QPainterPath left;
    left.moveTo(46, 74);
    left.cubicTo(34, 84, 28, 92, 30, 100);
    left.lineTo(42, 100);
    left.cubicTo(44, 92, 48, 86, 52, 80);
    p.drawPath(left);
    p.setBrush(Skin);
    p.setPen(QPen(Skin.darker(140), 1));
    p.drawEllipse(QPointF(35, 102), 5, 4.5);

    const QPointF hand = pose.wandUp ? QPointF(100, 74) : QPointF(96, 92);
    p.setPen(QPen(RobeDark, 1.2));
    p.setBrush(Robe);
    QPainterPath right;
    right.moveTo(80, 74);
    right.cubicTo(90, 78, hand.x() - 2, hand.y() - 10, hand.x() + 2, hand.y() - 4);
    right.lineTo(hand.x() - 6, hand.y() + 4);
    right.cubicTo(hand.x() - 12, hand.y() - 4, 84, 86, 76, 82);
    p.drawPath(right);
    const QPointF tip = hand + QPointF(14, -34);
    p.setPen(QPen(Wand, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(hand + QPointF(-3, 8), tip);
    p.setBrush(Skin);
    p.setPen(QPen(Skin.darker(140), 1));
    p.drawEllipse(hand, 5, 4.5);
    star(p, tip, 6 + pose.glow, 2.6 + pose.glow * 0.3, Gold, pose.glow * 0.2);
    const QPointF sparks[] = {{-9, -6}, {8, -9}, {10, 6}, {-7, 9}, {0, -13}, {13, -1}};
    for (int i = 0; i < pose.glow * 2 && i < 6; ++i)
        star(p, tip + sparks[i], 2.2, 0.9, QColor(255, 250, 200));

    // Face, cheeks, nose.
    p.setPen(QPen(Skin.darker(140), 1));
    p.setBrush(Skin);
    p.drawEllipse(QPointF(64, 52), 16, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(Cheek);
    p.drawEllipse(QPointF(53, 56), 4, 3);
    p.drawEllipse(QPointF(75, 56), 4, 3);

    // The beard, long and wavy, falling over the robe.
    QPainterPath beard;
    beard.moveTo(47, 54);
    beard.cubicTo(44, 70, 50, 90, 64, 106);
    beard.cubicTo(78, 90, 84, 70, 81, 54);
    beard.cubicTo(76, 60, 70, 58, 64, 60);
    beard.cubicTo(58, 58, 52, 60, 47, 54);
    p.setPen(QPen(BeardShade, 1.2));
    p.setBrush(Beard);
    p.drawPath(beard);
    p.setPen(QPen(BeardShade, 1));
    p.drawLine(QPointF(57, 78), QPointF(60, 92));
    p.drawLine(QPointF(71, 78), QPointF(68, 92));
    p.drawLine(QPointF(64, 82), QPointF(64, 98));
    // Moustache.
    p.setBrush(Beard);
    p.setPen(QPen(BeardShade, 1));
    p.drawEllipse(QPointF(58, 60), 7, 3.5);
    p.drawEllipse(QPointF(70, 60), 7, 3.5);
    p.setPen(QPen(Skin.darker(150), 1));
    p.setBrush(Skin.darker(108));
    p.drawEllipse(QPointF(64, 55), 3.5, 3.2);
    if (pose.closedMouth) {
        p.setPen(QPen(Ink, 1.3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(59, 64, 10, 4), 200 * 16, 140 * 16);
    }

    // Eyes and bushy brows.
    p.setPen(Qt::NoPen);
    const double dx = pose.eyes == Eyes::Left ? -1.6 : pose.eyes == Eyes::Right ? 1.6 : 0;
    for (double x : {57.0, 71.0}) {
        if (pose.eyes == Eyes::Shut) {
            p.setPen(QPen(Ink, 1.4, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(QRectF(x - 3.5, 47, 7, 4), 200 * 16, 140 * 16);
            p.setPen(Qt::NoPen);
        } else {
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(x, 49), 3.6, 3.2);
            p.setBrush(Ink);
            p.drawEllipse(QPointF(x + dx, 49.3), 2, 2);
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(x + dx + 0.7, 48.5), 0.6, 0.6);
        }
    }
    p.setPen(QPen(Beard, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(52, 44), QPointF(60, 43));
    p.drawLine(QPointF(68, 43), QPointF(76, 44));

    // The hat: a tall cone with a drooping tip, a brim, a moon and stars.
    QPainterPath hat;
    hat.moveTo(40, 42);
    hat.cubicTo(50, 30, 56, 14, 66, 4);
    hat.cubicTo(72, 0, 82, 2, 86, 10);
    hat.cubicTo(80, 8, 74, 10, 74, 16);
    hat.cubicTo(76, 26, 82, 34, 88, 42);
    hat.closeSubpath();
    p.setPen(QPen(RobeDark, 1.5));
    p.setBrush(Hat);
    p.drawPath(hat);
    p.setBrush(RobeDark);
    p.drawRoundedRect(QRectF(34, 38, 60, 7), 3.5, 3.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Gold);
    p.drawEllipse(QPointF(62, 26), 5, 5);
    p.setBrush(Hat);
    p.drawEllipse(QPointF(64.5, 24.5), 4.2, 4.2);
    star(p, QPointF(73, 32), 3.2, 1.4, Gold);
    star(p, QPointF(67, 13), 2.6, 1.1, Gold);
    star(p, QPointF(87, 10), 3, 1.3, Gold, 0.3);
}

// One mouth picture: a patch of beard with the mouth open by `open` (0 closed) and `width`.
QImage mouth(double open, double width, bool round)
{
    QImage img(MouthW, MouthH, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(Beard);
    p.drawEllipse(QRectF(1, 1, MouthW - 2, MouthH - 2));
    const QPointF c(MouthW / 2.0, 4.5 + open / 2);
    if (open <= 0) {
        p.setPen(QPen(Ink, 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(c.x() - 5, 2, 10, 4), 200 * 16, 140 * 16);
        return img;
    }
    p.setPen(QPen(Ink, 1));
    p.setBrush(MouthInside);
    if (round)
        p.drawEllipse(c, width / 2, open / 2 + 0.5);
    else
        p.drawRoundedRect(QRectF(c.x() - width / 2, c.y() - open / 2, width, open), 2.5, 2.5);
    if (open >= 4) {
        p.setPen(Qt::NoPen);
        p.setBrush(Tongue);
        p.drawEllipse(QPointF(c.x(), c.y() + open / 2 - 1.2), width / 4, 1.4);
    }
    return img;
}

// A dissolve: pixels fall away in a fine ordered pattern, `keep` of 16 steps remaining.
QImage dissolved(const QImage& src, int keep)
{
    static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    QImage img = src;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (bayer[y % 4][x % 4] >= keep)
                img.setPixel(x, y, 0);
    return img;
}

QImage sparkles(const QImage& base, int seed, int count)
{
    QImage img = base;
    QPainter p(&img);
    QRandomGenerator random{quint32(seed)};
    for (int i = 0; i < count; ++i) {
        const QPointF at(12 + random.bounded(104), 8 + random.bounded(112));
        star(p, at, 2.5 + random.bounded(3), 1.1, i % 3 ? Gold : QColor(255, 250, 210), random.bounded(6));
    }
    return img;
}

class Palette
{
public:
    Palette()
    {
        m_colors.push_back(0xFF00FF); // index 0: transparent
        const QColor bases[] = {
            Robe,     RobeDark,   RobeLight, Hat,  Gold,        Skin,   Cheek,
            Beard,    BeardShade, Ink,       Wand, MouthInside, Tongue, QColor(255, 250, 210),
            Qt::white};
        for (const QColor& c : bases)
            for (int step = 0; step < 12; ++step) {
                // Each colour mixed towards its neighbours' shades, so antialiased edges find a match.
                const double t = step / 11.0;
                const QColor mix = step < 6 ? c.darker(100 + int(t * 2 * 60))
                                            : c.lighter(100 + int((t - 0.5) * 2 * 40));
                add(mix.rgb());
            }
        for (int g = 0; g < 16; ++g)
            add(qRgb(g * 17, g * 17, g * 17));
    }

    uint8_t index(QRgb argb)
    {
        if (qAlpha(argb) < 128)
            return 0;
        const QRgb rgb = argb & 0xFFFFFF;
        const auto found = m_cache.constFind(rgb);
        if (found != m_cache.constEnd())
            return *found;
        int best = 1;
        int bestDistance = INT_MAX;
        for (size_t i = 1; i < m_colors.size(); ++i) {
            const int dr = qRed(rgb) - qRed(m_colors[i]);
            const int dg = qGreen(rgb) - qGreen(m_colors[i]);
            const int db = qBlue(rgb) - qBlue(m_colors[i]);
            const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
            if (d < bestDistance) {
                bestDistance = d;
                best = int(i);
            }
        }
        m_cache.insert(rgb, uint8_t(best));
        return uint8_t(best);
    }
    std::vector<uint32_t> colors() const { return m_colors; }

private:
    void add(QRgb rgb)
    {
        if (m_colors.size() < 256)
            m_colors.push_back(rgb & 0xFFFFFF);
    }
    std::vector<uint32_t> m_colors;
    QHash<QRgb, uint8_t> m_cache;
};

class Builder
{
public:
    Character c;
    Palette palette;

    uint32_t addImage(const QImage& argb)
    {
        // Un-premultiplied, so an antialiased edge keeps its colour and only its alpha decides.
        const QImage src = argb.convertToFormat(QImage::Format_ARGB32);
        Image img;
        img.width = uint16_t(src.width());
        img.height = uint16_t(src.height());
        img.pixels.resize(qsizetype(img.width) * img.height);
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x)
                img.pixels[qsizetype(y) * img.width + x] = char(palette.index(src.pixel(x, y)));
        img.region = acswriter::regionOf(img, 0);
        c.images.push_back(std::move(img));
        return uint32_t(c.images.size() - 1);
    }

    static QImage draw(const Pose& pose)
    {
        QImage img(W, H, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        QPainter p(&img);
        drawMerlin(p, pose);
        return img;
    }

    Frame frame(uint32_t image, int hundredths)
    {
        Frame f;
        f.images = {{image, 0, 0}};
        f.duration = uint16_t(hundredths);
        return f;
    }
};

Character makeMerlin()
{
    Builder b;
    Character& c = b.c;
    c.minorVersion = 0;
    c.guid = QByteArray::fromHex("5eb6e1a0c3d44b8e9a1f7c2d3e4f5a6b");
    c.width = W;
    c.height = H;
    c.transparentIndex = 0;
    c.flags = StandardAnimationSet | BalloonSizeToText;
    VoiceInfo voice;
    voice.speed = 150;
    voice.pitch = 110;
    voice.hasExtraData = true;
    voice.languageId = 0x0409;
    voice.gender = 2;
    voice.age = 70;
    c.voice = voice;
    BalloonInfo balloon;
    balloon.lines = 3;
    balloon.charsPerLine = 28;
    balloon.foreColor = 0x201830;
    balloon.backColor = 0xFFFBE6;
    balloon.borderColor = 0x3A3290;
    balloon.fontName = QStringLiteral("DejaVu Sans");
    balloon.fontHeight = -14;
    balloon.fontWeight = 400;
    c.balloon = balloon;
    c.localized = {
        {0x0409, QStringLiteral("Merlin"), QStringLiteral("A friendly wizard who tells the time"), QString()},
        {0x0407, QStringLiteral("Merlin"), QStringLiteral("Ein freundlicher Zauberer, der die Zeit ansagt"),
         QString()},
        {0x040C, QStringLiteral("Merlin"), QStringLiteral("Un magicien bienveillant qui annonce l'heure"),
         QString()},
    };

    const QImage rest = Builder::draw({});
    const uint32_t restImage = b.addImage(rest);
    const uint32_t blink = b.addImage(Builder::draw({Eyes::Shut}));
    const uint32_t lookLeft = b.addImage(Builder::draw({Eyes::Left}));
    const uint32_t lookRight = b.addImage(Builder::draw({Eyes::Right}));
    uint32_t glow[4] = {restImage, 0, 0, 0};
    for (int g = 1; g < 4; ++g)
        glow[g] = b.addImage(Builder::draw({Eyes::Open, g}));
    const uint32_t talkDown = b.addImage(Builder::draw({Eyes::Open, 1, false, false}));
    const uint32_t talkUp = b.addImage(Builder::draw({Eyes::Open, 2, true, false}));

    // Appearing: sparks first, then the wizard settling out of them.
    Animation show;
    show.name = QStringLiteral("Show");
    show.transition = Transition::None;
    const int keeps[] = {0, 2, 5, 8, 11, 14, 16};
    for (int i = 0; i < 7; ++i) {
        const QImage part = keeps[i] == 16 ? rest : dissolved(rest, keeps[i]);
        const uint32_t image = i == 6 ? restImage : b.addImage(sparkles(part, 11 + i, 14 - 2 * i));
        show.frames.push_back(b.frame(image, i == 6 ? 10 : 8));
    }
    Animation hide;
    hide.name = QStringLiteral("Hide");
    hide.transition = Transition::None;
    for (int i = 0; i < 7; ++i) {
        const int keep = 16 - i * 16 / 6;
        const uint32_t image = b.addImage(sparkles(dissolved(rest, keep), 31 + i, 2 + 2 * i));
        hide.frames.push_back(b.frame(image, 8));
    }
    Animation restPose;
    restPose.name = QStringLiteral("RestPose");
    restPose.frames = {b.frame(restImage, 10)};

    Animation blinking;
    blinking.name = QStringLiteral("Idle1_1");
    blinking.frames = {b.frame(restImage, 30), b.frame(blink, 14), b.frame(restImage, 40), b.frame(blink, 12),
                       b.frame(restImage, 10)};
    blinking.frames[2].branches = {{4, 50}}; // half the time he blinks once only
    Animation glance;
    glance.name = QStringLiteral("Idle1_2");
    glance.frames = {b.frame(lookLeft, 70), b.frame(restImage, 20), b.frame(lookRight, 70),
                     b.frame(restImage, 10)};
    Animation twinkle;
    twinkle.name = QStringLiteral("Idle1_3");
    for (int g : {1, 2, 3, 2, 3, 2, 1, 0})
        twinkle.frames.push_back(b.frame(glow[g], 12));

    // Talking: the wand goes up and down; seven mouths ride on each frame.
    const QImage mouths[MouthShapeCount] = {
        mouth(0, 0, false),    // Closed
        mouth(3, 9, false),    // Wide1
        mouth(4.5, 11, false), // Wide2
        mouth(6, 12, false),   // Wide3
        mouth(7.5, 13, false), // Wide4
        mouth(5, 7, true),     // Medium
        mouth(3, 4.5, true),   // Narrow
    };
    uint16_t mouthImages[MouthShapeCount];
    for (int m = 0; m < MouthShapeCount; ++m)
        mouthImages[m] = uint16_t(b.addImage(mouths[m]));
    Animation speak;
    speak.name = QStringLiteral("Speak");
    for (uint32_t image : {talkDown, talkUp}) {
        Frame f = b.frame(image, 90);
        for (int m = 0; m < MouthShapeCount; ++m) {
            MouthOverlay o;
            o.shape = MouthShape(m);
            o.image = mouthImages[m];
            o.x = int16_t(MouthAt.x());
            o.y = int16_t(MouthAt.y());
            o.width = MouthW;
            o.height = MouthH;
            f.mouths.push_back(o);
        }
        speak.frames.push_back(f);
    }

    c.animations = {show, hide, restPose, blinking, glance, twinkle, speak};
    c.states = {{QStringLiteral("Showing"), {QStringLiteral("Show")}},
                {QStringLiteral("Hiding"), {QStringLiteral("Hide")}},
                {QStringLiteral("Speaking"), {QStringLiteral("Speak")}},
                {QStringLiteral("IdlingLevel1"),
                 {QStringLiteral("Idle1_1"), QStringLiteral("Idle1_2"), QStringLiteral("Idle1_3")}}};
    c.palette = b.palette.colors();
    return c;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.acs\n", argv[0]);
        return 2;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(acswriter::writeAcs(makeMerlin())) < 0 ||
        !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
