#include "clockface/RevolvingDrum.h"

#include "clockface/ColorBlend.h"
#include "clockface/FaceScene.h"
#include "core/Rounding.h"

#include <algorithm>
#include <cmath>

namespace clockface {

namespace {

int curve(qint64 height, qint64 offset)
{
    return core::roundHalfEven(std::sqrt(double(std::max<qint64>(height * height - offset * offset, 0))));
}

void drawCharacter(QPainter& p, const QFontMetrics& fm, const DrumCell& cell, int height, QChar c, int y)
{
    const int width = fm.horizontalAdvance(c);
    const int x = cell.x + (cell.width - width) / 2;
    const int top = (height - fm.height()) / 2 + y;
    p.drawText(x, top + fm.ascent(), QString(c));
}

} // namespace

std::vector<DrumCell> drumCells(int width, qsizetype count)
{
    std::vector<DrumCell> cells;
    cells.reserve(size_t(std::max<qsizetype>(count, 0)));
    qint64 x = 0;
    for (qsizetype i = 1; i <= count; ++i) {
        const int w = core::roundHalfEven(double(width - x) / double(count - i + 1));
        cells.push_back({int(x), w});
        x += w + 1;
    }
    return cells;
}

int drumRowShift(int height, int row)
{
    const int half = height / 2;
    return curve(height, row - half) - curve(height, half);
}

void paintRevolvingDrum(const FaceScene& s, const DrumRoll& roll)
{
    const int W = s.inner.width();
    const int H = s.inner.height();
    if (W <= 0 || H <= 0)
        return;
    const QColor light = blend(s.faceColor, Qt::white, 2, 3);
    const QColor dark = blend(s.faceColor, Qt::black, 1, 2);

    QImage drum(W, H, QImage::Format_RGB32);
    drum.setDotsPerMeterX(s.canvas.dotsPerMeterX());
    drum.setDotsPerMeterY(s.canvas.dotsPerMeterY());
    for (int y = 0; y < H; ++y) {
        const QRgb colour = blend(light, dark, y, H).rgb();
        std::fill_n(reinterpret_cast<QRgb*>(drum.scanLine(y)), W, colour);
    }

    const std::vector<DrumCell> cells = drumCells(W, s.text.size());
    const int step = std::clamp(roll.step, 1, DrumFrames);
    const int travel = H / 10;
    {
        QPainter p(&drum);
        p.setFont(s.look.Font);
        p.setPen(s.fontColor);
        const QFontMetrics fm(s.look.Font, &drum);
        for (size_t i = 0; i < cells.size(); ++i) {
            const DrumCell& cell = cells[i];
            const QChar now = s.text[qsizetype(i)];
            const bool hadOne = qsizetype(i) < roll.previousText.size();
            p.setClipRect(QRect(cell.x, 0, cell.width, H));
            if (hadOne && roll.previousText[qsizetype(i)] == now) {
                drawCharacter(p, fm, cell, H, now, 0);
                continue;
            }
            if (hadOne && step != DrumFrames)
                drawCharacter(p, fm, cell, H, roll.previousText[qsizetype(i)], step * travel);
            drawCharacter(p, fm, cell, H, now, -(DrumFrames - step) * travel);
        }
    }

    // Each cell's left edge catches the light at the top, its right edge falls into shadow
    // toward the bottom.
    for (int y = 0; y < H; ++y) {
        auto* line = reinterpret_cast<QRgb*>(drum.scanLine(y));
        const QRgb lit = blend(Qt::white, s.faceColor, y, H).rgb();
        const QRgb shaded = blend(s.faceColor, Qt::black, y, H).rgb();
        for (size_t i = 0; i < cells.size(); ++i) {
            const int left = cells[i].x;
            const int right = i + 1 == cells.size() ? W - 1 : cells[i].x + cells[i].width;
            if (left >= 0 && left < W)
                line[left] = lit;
            if (right >= 0 && right < W)
                line[right] = shaded;
        }
    }

    // Row by row onto the face, each shifted by the curve and cut at the face's edges; the
    // room a shifted row leaves on the right is the drum's shadow.
    const QRgb shadow = dark.rgb();
    const int X0 = s.inner.left(), Y0 = s.inner.top();
    const int faceWidth = s.size.width();
    for (int row = 0; row < H; ++row) {
        const int y = Y0 + row;
        if (y < 0 || y >= s.size.height())
            continue;
        const int shift = drumRowShift(H, row);
        auto* target = reinterpret_cast<QRgb*>(s.canvas.scanLine(y));
        const auto* source = reinterpret_cast<const QRgb*>(drum.constScanLine(row));
        const int from = std::max(X0 - shift, 0);
        const int to = std::min(X0 - shift + W, faceWidth);
        if (to > from)
            std::copy(source + (from - (X0 - shift)), source + (to - (X0 - shift)), target + from);
        std::fill(target + std::max(to, 0), target + std::min(X0 + W, faceWidth), shadow);
    }
}

} // namespace clockface
