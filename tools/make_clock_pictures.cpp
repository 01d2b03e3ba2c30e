// Draws the two clock pictures the program ships: a fish and a globe, each on a uniform
// background that becomes see-through when the clock takes the picture's outline. Outer edges are
// drawn without antialiasing so no half-tinted fringe of the background survives the cut.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <cstdio>

namespace {

void hourMarks(QPainter& p, QPointF centre, double radius, double dot, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    for (int h = 0; h < 12; ++h) {
        const double a = h * M_PI / 6;
        const double size = (h % 3 == 0) ? dot * 1.6 : dot;
        p.drawEllipse(QPointF(centre.x() + std::sin(a) * radius, centre.y() - std::cos(a) * radius), size,
                      size);
    }
}

QImage fish()
{
    const QColor background(255, 0, 255);
    QImage img(269, 269, QImage::Format_RGB32);
    img.fill(background);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);

    const QColor finColour(232, 96, 28);
    const QColor finEdge(150, 50, 10);
    p.setPen(QPen(finEdge, 2));
    p.setBrush(finColour);

    // Forked tail: two lobes with open water between them.
    QPolygonF upperLobe{{64, 126}, {4, 46}, {34, 54}, {82, 118}};
    QPolygonF lowerLobe{{64, 142}, {4, 222}, {34, 214}, {82, 150}};
    p.drawPolygon(upperLobe);
    p.drawPolygon(lowerLobe);

    // Three separate dorsal spines and two belly fins, each standing apart from its neighbours.
    for (const QPolygonF& fin :
         {QPolygonF{{92, 92}, {100, 30}, {118, 86}}, QPolygonF{{128, 80}, {142, 22}, {156, 80}},
          QPolygonF{{168, 84}, {188, 34}, {196, 94}}, QPolygonF{{110, 180}, {100, 238}, {132, 186}},
          QPolygonF{{156, 186}, {170, 236}, {184, 178}}})
        p.drawPolygon(fin);

    // Body.
    QLinearGradient bodyShade(0, 78, 0, 190);
    bodyShade.setColorAt(0, QColor(255, 170, 40));
    bodyShade.setColorAt(1, QColor(230, 110, 20));
    p.setBrush(bodyShade);
    p.setPen(QPen(finEdge, 2));
    p.drawEllipse(QRectF(54, 74, 200, 120));

    p.setRenderHint(QPainter::Antialiasing, true);
    // White stripes, clipped to the body.
    QPainterPath body;
    body.addEllipse(QRectF(56, 76, 196, 116));
    p.setClipPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 245));
    for (const double x : {104.0, 168.0, 226.0})
        p.drawRoundedRect(QRectF(x, 60, 14, 150), 7, 7);
    p.setClipping(false);

    // Eye and mouth.
    p.setBrush(QColor(250, 250, 250));
    p.setPen(QPen(QColor(40, 30, 20), 1.5));
    p.drawEllipse(QPointF(222, 116), 11, 11);
    p.setBrush(QColor(20, 20, 30));
    p.drawEllipse(QPointF(225, 116), 5, 5);
    p.setPen(QPen(finEdge, 2));
    p.drawArc(QRectF(232, 130, 16, 12), 200 * 16, 100 * 16);

    hourMarks(p, {134.5, 134.5}, 48, 2.2, QColor(90, 40, 10));
    return img;
}

QImage earth()
{
    QImage img(150, 150, QImage::Format_RGB32);
    img.fill(QColor(0, 0, 0));
    QPainter p(&img);
    const QPointF centre(75, 75);
    const double radius = 72;

    p.setRenderHint(QPainter::Antialiasing, false);
    QRadialGradient ocean(QPointF(58, 52), radius * 1.3);
    ocean.setColorAt(0, QColor(90, 170, 240));
    ocean.setColorAt(1, QColor(16, 56, 128));
    p.setPen(Qt::NoPen);
    p.setBrush(ocean);
    p.drawEllipse(centre, radius, radius);

    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath globe;
    globe.addEllipse(centre, radius - 0.5, radius - 0.5);
    p.setClipPath(globe);
    const QColor land(64, 150, 70);
    const QColor desert(196, 170, 100);
    p.setBrush(land);
    // Rough continents: the Americas on the left, Europe and Africa on the right.
    p.drawPolygon(QPolygonF{{18, 30}, {48, 22}, {62, 36}, {52, 58}, {40, 62}, {34, 78}, {22, 70}, {14, 48}});
    p.drawPolygon(QPolygonF{{40, 84}, {58, 86}, {66, 104}, {56, 130}, {46, 142}, {42, 120}, {36, 100}});
    p.drawPolygon(QPolygonF{{88, 30}, {120, 24}, {136, 40}, {126, 52}, {104, 54}, {92, 48}});
    p.drawPolygon(
        QPolygonF{{92, 62}, {118, 60}, {130, 80}, {122, 110}, {108, 128}, {98, 112}, {94, 88}, {86, 76}});
    p.setBrush(desert);
    p.drawPolygon(QPolygonF{{96, 66}, {116, 64}, {122, 78}, {104, 82}});
    p.setBrush(QColor(240, 248, 255));
    p.drawEllipse(QPointF(75, 2), 34, 10);
    p.drawEllipse(QPointF(75, 148), 40, 9);
    // Night side.
    QLinearGradient night(40, 0, 150, 0);
    night.setColorAt(0, QColor(0, 0, 20, 0));
    night.setColorAt(1, QColor(0, 0, 20, 110));
    p.setBrush(night);
    p.drawRect(0, 0, 150, 150);
    p.setClipping(false);

    hourMarks(p, centre, 64, 1.6, QColor(255, 255, 235));
    p.end();
    // Nothing of the globe may be exactly the background colour, or it would become a hole.
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const double dx = x + 0.5 - centre.x();
            const double dy = y + 0.5 - centre.y();
            if (dx * dx + dy * dy < radius * radius && (line[x] & 0xFFFFFF) == 0)
                line[x] = qRgb(0, 0, 8);
        }
    }
    return img;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!fish().save(folder + QStringLiteral("/fish.bmp"), "BMP") ||
        !earth().save(folder + QStringLiteral("/earth.bmp"), "BMP")) {
        std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
