#include "internal/StrokeShaping.h"

#include <algorithm>
#include <cmath>

namespace strokeShaping {

namespace {

typedef HandwritingRecognizer::Point Point;
typedef HandwritingRecognizer::Stroke Stroke;

const float canvas = HandwritingRecognizer::CANVAS_SIZE;
// The larger side of a normalised character, as a share of the square.
const float filledShare = 0.8f;
// Points of one stroke worth keeping.
const std::size_t mostPoints = 400;
// How far a polyline may stray from a stroke and still stand for it.
const float simplifyTolerance = 30.0f;
// Turns sharper than this (in degrees) may join two strokes.
const float sharpTurn = 70.0f;
// A piece shorter than this is a hook or a slip, not a stroke.
const float shortestPiece = 60.0f;
const float pi = 3.14159265f;

float distance(const Point& a, const Point& b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

// Distance of p from the segment a-b.
float distanceFromSegment(const Point& p, const Point& a, const Point& b)
{
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float lengthSquared = dx * dx + dy * dy;
    if (lengthSquared <= 0) {
        return distance(p, a);
    }
    const float t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared, 0.0f, 1.0f);
    return distance(p, {a.x + t * dx, a.y + t * dy});
}

// The stroke without points that repeat the one before (a mouse held
// still), and at most mostPoints of them, taken evenly: a pen reporting
// thousands of points draws no finer a character, and the corners are
// looked for in time growing with the square of the points. Smoothing the
// rest measurably loses corners Zinnia needs.
Stroke withoutRepeats(const Stroke& stroke)
{
    Stroke kept;
    for (const Point& point : stroke) {
        if (kept.empty() || point.x != kept.back().x || point.y != kept.back().y) {
            kept.push_back(point);
        }
    }
    if (kept.size() > mostPoints) {
        Stroke fewer;
        for (std::size_t i = 0; i < mostPoints; ++i) {
            fewer.push_back(kept[i * (kept.size() - 1) / (mostPoints - 1)]);
        }
        kept.swap(fewer);
    }
    return kept;
}

// Indices of the points that a polyline within the tolerance keeps
// (Douglas-Peucker), first and last included. Iterative, so that a long
// stroke cannot exhaust the stack.
std::vector<std::size_t> corners(const Stroke& stroke, float tolerance = simplifyTolerance)
{
    std::vector<std::size_t> kept;
    if (stroke.empty()) {
        return kept;
    }
    std::vector<bool> keep(stroke.size(), false);
    keep.front() = keep.back() = true;
    std::vector<std::pair<std::size_t, std::size_t>> pending{{0, stroke.size() - 1}};
    while (!pending.empty()) {
        const auto [first, last] = pending.back();
        pending.pop_back();
        float farthest = 0;
        std::size_t at = first;
        for (std::size_t i = first + 1; i < last; ++i) {
            const float away = distanceFromSegment(stroke[i], stroke[first], stroke[last]);
            if (away > farthest) {
                farthest = away;
                at = i;
            }
        }
        if (farthest > tolerance) {
            keep[at] = true;
            pending.push_back({first, at});
            pending.push_back({at, last});
        }
    }
    for (std::size_t i = 0; i < stroke.size(); ++i) {
        if (keep[i]) {
            kept.push_back(i);
        }
    }
    return kept;
}

// How sharply the way turns at b, coming from a and going to c: 0 straight
// on, 180 straight back.
float turnDegrees(const Point& a, const Point& b, const Point& c)
{
    const float in = std::atan2(b.y - a.y, b.x - a.x);
    const float out = std::atan2(c.y - b.y, c.x - b.x);
    float turn = std::fabs(out - in) * 180 / pi;
    return turn > 180 ? 360 - turn : turn;
}

float length(const Stroke& stroke)
{
    float total = 0;
    for (std::size_t i = 1; i < stroke.size(); ++i) {
        total += distance(stroke[i - 1], stroke[i]);
    }
    return total;
}

Stroke piece(const Stroke& stroke, std::size_t first, std::size_t last)
{
    return Stroke(stroke.begin() + first, stroke.begin() + last + 1);
}

// The drawing with stroke `index` replaced by the two pieces.
Drawing withStrokeCut(const Drawing& drawing, std::size_t index, Stroke before, Stroke after)
{
    Drawing cut;
    cut.reserve(drawing.size() + 1);
    cut.insert(cut.end(), drawing.begin(), drawing.begin() + index);
    cut.push_back(std::move(before));
    cut.push_back(std::move(after));
    cut.insert(cut.end(), drawing.begin() + index + 1, drawing.end());
    return cut;
}

bool likelierFirst(const Reading& a, const Reading& b)
{
    return a.likelihood > b.likelihood;
}

void keepLikeliest(std::vector<Reading>* readings, std::size_t most)
{
    std::stable_sort(readings->begin(), readings->end(), likelierFirst);
    if (readings->size() > most) {
        readings->resize(most);
    }
}

struct Extent
{
    float left, top, right, bottom;
};

Extent extentOf(const Stroke& stroke)
{
    Extent extent{canvas, canvas, 0, 0};
    for (const Point& point : stroke) {
        extent.left = std::min(extent.left, point.x);
        extent.top = std::min(extent.top, point.y);
        extent.right = std::max(extent.right, point.x);
        extent.bottom = std::max(extent.bottom, point.y);
    }
    return extent;
}

bool overlap(float firstLow, float firstHigh, float secondLow, float secondHigh)
{
    return firstLow <= secondHigh && secondLow <= firstHigh;
}

// Which side of the line a-b the point p lies on.
float side(const Point& a, const Point& b, const Point& p)
{
    return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

// Whether the lines from the start to the end of each stroke cross.
bool chordsCross(const Stroke& first, const Stroke& second)
{
    const Point& a = first.front();
    const Point& b = first.back();
    const Point& c = second.front();
    const Point& d = second.back();
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

// How strongly drawing `later` right after `earlier` breaks the usual order.
float orderBreach(const Stroke& earlier, const Stroke& later)
{
    const float earlierWidth = std::fabs(earlier.back().x - earlier.front().x);
    const float earlierHeight = std::fabs(earlier.back().y - earlier.front().y);
    const float laterWidth = std::fabs(later.back().x - later.front().x);
    const float laterHeight = std::fabs(later.back().y - later.front().y);
    const Extent a = extentOf(earlier);
    const Extent b = extentOf(later);
    const bool crossing = chordsCross(earlier, later);

    // A horizontal comes before the vertical it crosses.
    if (crossing && earlierHeight > 2 * earlierWidth && laterWidth > 2 * laterHeight) {
        return 1.0f;
    }
    // Top before bottom, left before right.
    const float above = earlier.front().y - later.front().y;
    const float leftOf = earlier.front().x - later.front().x;
    if (above > 200 && overlap(a.left, a.right, b.left, b.right)) {
        return 0.6f + std::min(above, 600.0f) / 3000;
    }
    if (leftOf > 200 && overlap(a.top, a.bottom, b.top, b.bottom)) {
        return 0.5f + std::min(leftOf, 600.0f) / 3000;
    }
    return 0;
}

}  // namespace

Drawing withFewCorners(const Drawing& drawing, std::size_t mostCorners)
{
    Drawing simple;
    simple.reserve(drawing.size());
    for (const Stroke& stroke : drawing) {
        // Finer than a pixel of any pad, so that what Zinnia sees is the
        // stroke drawn; coarser only where the corners would be too many.
        float tolerance = 1.0f;
        std::vector<std::size_t> kept = corners(stroke, tolerance);
        while (kept.size() > mostCorners) {
            tolerance *= 1.5f;
            kept = corners(stroke, tolerance);
        }
        simple.emplace_back();
        for (std::size_t index : kept) {
            simple.back().push_back(stroke[index]);
        }
    }
    return simple;
}

Drawing normalised(const Drawing& drawing)
{
    Drawing shaped;
    Extent extent{canvas, canvas, 0, 0};
    for (const Stroke& stroke : drawing) {
        shaped.push_back(withoutRepeats(stroke));
        const Extent own = extentOf(shaped.back());
        extent = {std::min(extent.left, own.left), std::min(extent.top, own.top),
                  std::max(extent.right, own.right), std::max(extent.bottom, own.bottom)};
    }
    if (shaped.empty()) {
        return shaped;
    }
    const float side = std::max(extent.right - extent.left, extent.bottom - extent.top);
    // A dot stays a dot, in the middle.
    const float scale = side > 1 ? filledShare * canvas / side : 1;
    const float middleX = (extent.left + extent.right) / 2;
    const float middleY = (extent.top + extent.bottom) / 2;
    for (Stroke& stroke : shaped) {
        for (Point& point : stroke) {
            point = {canvas / 2 + (point.x - middleX) * scale, canvas / 2 + (point.y - middleY) * scale};
        }
    }
    return shaped;
}

std::vector<Reading> cutAtTurns(const Drawing& drawing, std::size_t most)
{
    std::vector<Reading> readings;
    for (std::size_t index = 0; index < drawing.size(); ++index) {
        const Stroke& stroke = drawing[index];
        const std::vector<std::size_t> kept = corners(stroke);
        std::vector<float> turns(kept.size(), 0);
        for (std::size_t k = 1; k + 1 < kept.size(); ++k) {
            turns[k] = turnDegrees(stroke[kept[k - 1]], stroke[kept[k]], stroke[kept[k + 1]]);
        }
        // The line between two sharp corners may have joined two strokes:
        // drop it, when what stays on either side is a stroke of its own.
        for (std::size_t k = 1; k + 2 < kept.size(); ++k) {
            if (turns[k] < sharpTurn || turns[k + 1] < sharpTurn) {
                continue;
            }
            Stroke before = piece(stroke, 0, kept[k]);
            Stroke after = piece(stroke, kept[k + 1], stroke.size() - 1);
            if (length(before) < shortestPiece || length(after) < shortestPiece) {
                continue;
            }
            readings.push_back({withStrokeCut(drawing, index, std::move(before), std::move(after)),
                                (turns[k] + turns[k + 1]) / 360});
        }
    }
    keepLikeliest(&readings, most);
    return readings;
}

std::vector<Reading> swappedNeighbours(const Drawing& drawing, std::size_t most)
{
    std::vector<Reading> readings;
    for (std::size_t index = 0; index + 1 < drawing.size(); ++index) {
        const float breach = orderBreach(drawing[index], drawing[index + 1]);
        if (breach > 0) {
            Drawing swapped = drawing;
            std::swap(swapped[index], swapped[index + 1]);
            readings.push_back({std::move(swapped), breach});
        }
    }
    keepLikeliest(&readings, most);
    return readings;
}

}  // namespace strokeShaping
