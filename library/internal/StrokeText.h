// The stroke text format of drawn characters: one character a line, strokes
// in drawing order separated by ";", points separated by spaces, a point
// "x,y" in the 0-1000 square. Internal to the library; HandwritingRecognizer
// gives it to callers.
#ifndef DEXARU_INTERNAL_STROKETEXT_H
#define DEXARU_INTERNAL_STROKETEXT_H

#include "HandwritingRecognizer.h"

#include <string>

namespace strokeText {

// Reads one line (see HandwritingRecognizer::parseStrokes).
bool parse(const std::string& text, HandwritingRecognizer::Drawing* drawing, std::string* error);

// Writes the drawing back, coordinates rounded to whole numbers.
std::string format(const HandwritingRecognizer::Drawing& drawing);

// Checks the limits and the numbers of a drawing given in memory; clamps
// points to the square into `clamped`. False with `error` set when refused.
bool clampChecked(const HandwritingRecognizer::Drawing& drawing,
                  HandwritingRecognizer::Drawing* clamped, std::string* error);

}  // namespace strokeText

#endif
