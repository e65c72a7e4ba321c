#include "internal/StrokeText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace strokeText {

namespace {

typedef HandwritingRecognizer Recognizer;

// Coordinates beyond this are not a slip of the pointer but broken input.
const double largestCoordinate = 1e6;
// Digits of one number; enough for any sensible decimal.
const std::size_t longestNumber = 32;

bool fail(std::string* error, const std::string& message)
{
    if (error) {
        *error = message;
    }
    return false;
}

float onCanvas(double value)
{
    return static_cast<float>(std::clamp(value, 0.0, static_cast<double>(Recognizer::CANVAS_SIZE)));
}

// Reads a decimal number (optional sign, digits, optional fraction) at
// text[*at], moving *at past it.
bool readNumber(const std::string& text, std::size_t* at, double* value, std::string* error)
{
    const std::size_t start = *at;
    std::size_t end = start;
    if (end < text.size() && (text[end] == '-' || text[end] == '+')) {
        ++end;
    }
    std::size_t digits = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
        ++end;
        ++digits;
    }
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
            ++end;
            ++digits;
        }
    }
    if (digits == 0) {
        return fail(error, "a number is expected at column " + std::to_string(start + 1));
    }
    if (end - start > longestNumber) {
        return fail(error, "the number at column " + std::to_string(start + 1) + " is too long");
    }
    *value = std::strtod(text.substr(start, end - start).c_str(), nullptr);
    if (std::fabs(*value) > largestCoordinate) {
        return fail(error, "the number at column " + std::to_string(start + 1) + " is out of range");
    }
    *at = end;
    return true;
}

}  // namespace

bool parse(const std::string& line, Recognizer::Drawing* drawing, std::string* error)
{
    drawing->clear();
    std::size_t at = 0;
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos) {
        at = tab + 1;
    }
    std::size_t end = line.size();
    while (end > at && (line[end - 1] == '\r' || line[end - 1] == ' ')) {
        --end;
    }
    const std::string text = line.substr(0, end);
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    if (at == text.size()) {
        return true;  // nothing drawn
    }

    std::size_t points = 0;
    drawing->emplace_back();
    while (true) {
        double x = 0;
        double y = 0;
        if (!readNumber(text, &at, &x, error)) {
            return false;
        }
        if (at >= text.size() || text[at] != ',') {
            return fail(error, "a \",\" is expected at column " + std::to_string(at + 1));
        }
        ++at;
        if (!readNumber(text, &at, &y, error)) {
            return false;
        }
        if (++points > Recognizer::MAX_POINTS) {
            return fail(error, "more than " + std::to_string(Recognizer::MAX_POINTS) + " points");
        }
        drawing->back().push_back({onCanvas(x), onCanvas(y)});

        while (at < text.size() && text[at] == ' ') {
            ++at;
        }
        if (at == text.size()) {
            return true;
        }
        if (text[at] == ';') {
            ++at;
            while (at < text.size() && text[at] == ' ') {
                ++at;
            }
            if (drawing->size() == Recognizer::MAX_STROKES) {
                return fail(error, "more than " + std::to_string(Recognizer::MAX_STROKES) + " strokes");
            }
            drawing->emplace_back();
        } else if (text[at - 1] != ' ') {
            return fail(error, "a space or \";\" is expected at column " + std::to_string(at + 1));
        }
    }
}

std::string format(const Recognizer::Drawing& drawing)
{
    std::string text;
    for (std::size_t stroke = 0; stroke < drawing.size(); ++stroke) {
        if (stroke > 0) {
            text += ';';
        }
        for (std::size_t point = 0; point < drawing[stroke].size(); ++point) {
            if (point > 0) {
                text += ' ';
            }
            const Recognizer::Point& p = drawing[stroke][point];
            text += std::to_string(static_cast<int>(std::lround(p.x))) + ','
                    + std::to_string(static_cast<int>(std::lround(p.y)));
        }
    }
    return text;
}

bool clampChecked(const Recognizer::Drawing& drawing, Recognizer::Drawing* clamped, std::string* error)
{
    clamped->clear();
    if (drawing.size() > Recognizer::MAX_STROKES) {
        return fail(error, "more than " + std::to_string(Recognizer::MAX_STROKES) + " strokes");
    }
    std::size_t points = 0;
    for (const Recognizer::Stroke& stroke : drawing) {
        points += stroke.size();
        if (points > Recognizer::MAX_POINTS) {
            return fail(error, "more than " + std::to_string(Recognizer::MAX_POINTS) + " points");
        }
    }
    for (const Recognizer::Stroke& stroke : drawing) {
        if (stroke.empty()) {
            continue;  // a click that drew nothing
        }
        clamped->emplace_back();
        for (const Recognizer::Point& point : stroke) {
            if (!std::isfinite(point.x) || !std::isfinite(point.y)
                || std::fabs(point.x) > largestCoordinate || std::fabs(point.y) > largestCoordinate) {
                return fail(error, "a coordinate is not a number in range");
            }
            clamped->back().push_back({onCanvas(point.x), onCanvas(point.y)});
        }
    }
    return true;
}

}  // namespace strokeText
