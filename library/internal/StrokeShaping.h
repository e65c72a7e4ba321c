// What the handwriting recognizer does to a drawing before Zinnia sees it:
// the character scaled and centred in the square, and the other readings of
// a drawing a hand may have meant: a stroke with sharp turns cut there (two strokes drawn as one, the button held between
// them) and two neighbouring strokes swapped where their direction or
// position breaks the usual stroke order. Internal to the library.
#ifndef DEXARU_INTERNAL_STROKESHAPING_H
#define DEXARU_INTERNAL_STROKESHAPING_H

#include "HandwritingRecognizer.h"

#include <vector>

namespace strokeShaping {

typedef HandwritingRecognizer::Drawing Drawing;

// The drawing without repeated points, its larger side scaled to most of
// the square and centred. Proportions are kept.
Drawing normalised(const Drawing& drawing);

// The drawing with each stroke reduced to the points of a polyline that
// follows it within a pixel, or more loosely where it would have more than
// mostCorners points.
Drawing withFewCorners(const Drawing& drawing, std::size_t mostCorners);

// Another reading of a drawing, with how much its shape suggests it (0 to 1).
struct Reading
{
    Drawing drawing;
    float likelihood;
};

// Readings with one stroke cut at two sharp turns in a row, the line between
// them (which joined two strokes) dropped; likeliest first, at most `most`.
std::vector<Reading> cutAtTurns(const Drawing& drawing, std::size_t most);

// Readings with two neighbouring strokes swapped where the later one should
// come first (a horizontal crossing a vertical drawn before it, a stroke
// well above or left of its predecessor), likeliest first, at most `most`.
std::vector<Reading> swappedNeighbours(const Drawing& drawing, std::size_t most);

}  // namespace strokeShaping

#endif
