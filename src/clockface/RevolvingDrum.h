#pragma once

#include <QString>

#include <vector>

namespace clockface {

struct FaceScene;

// Where a drum stands in its roll: the text it rolls from and the frame of the roll, 1 to 10.
// At frame 10 (or with no text to roll from) every character stands in place.
struct DrumRoll
{
    QString previousText;
    int step = 10;
};

inline constexpr int DrumFrames = 10;

// The characters' cells across a drum `width` pixels wide: each as wide as an even share of
// what is left, one pixel apart.
struct DrumCell
{
    int x = 0;
    int width = 0;
};
std::vector<DrumCell> drumCells(int width, qsizetype count);

// How far each row of a drum `height` pixels high moves to the left, so that the strip bulges
// toward the viewer in the middle.
int drumRowShift(int height, int row);

// Paints the drum over the inner rectangle, frames included.
void paintRevolvingDrum(const FaceScene& scene, const DrumRoll& roll);

} // namespace clockface
