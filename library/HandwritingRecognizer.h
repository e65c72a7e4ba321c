/// @file
/// @class HandwritingRecognizer
/// Turns a drawn character (strokes of points, in drawing order) into the
/// characters it may be, best first. The classifier is Zinnia with the
/// Japanese handwriting model of tegaki; on top of it the recognizer
/// normalises size and position, also tries a stroke with sharp turns cut
/// at them (two strokes drawn as one, the button held between them) and
/// adjacent strokes swapped where their direction or position suggests a
/// wrong order, and fuses those classifications: characters whose stroke
/// count (from the character dictionaries) fits the drawing come first, and
/// only characters the loaded dictionaries know (and kana) are kept.
///
/// The recognizer borrows the character dictionary collection, which must
/// outlive it. Without Zinnia or its model it cannot recognise:
/// canRecognize() is false and getError() says why. recognize() may be
/// called from several threads at once once the model is open.
#ifndef DEXARU_HANDWRITINGRECOGNIZER_H
#define DEXARU_HANDWRITINGRECOGNIZER_H

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CharacterDictionaryCollection;
namespace internal {
class ZinniaModel;
}

class HandwritingRecognizer
{
public:
    /// A point of the drawing square: x to the right, y downwards, both from
    /// 0 to CANVAS_SIZE.
    struct Point
    {
        float x;  ///< From the left edge.
        float y;  ///< From the top edge.
    };
    /// One stroke: its points in the order they were drawn.
    typedef std::vector<Point> Stroke;
    /// One drawn character: its strokes in the order they were drawn.
    typedef std::vector<Stroke> Drawing;

    /// The side of the drawing square.
    static const int CANVAS_SIZE = 1000;
    /// Limits of one drawing; beyond them recognize() refuses it: this many
    /// strokes,
    static const std::size_t MAX_STROKES = 100;
    /// and this many points in all.
    static const std::size_t MAX_POINTS = 20000;
    /// Where Debian installs the Japanese model of tegaki-zinnia-japanese.
    static const char* const DEFAULT_MODEL;

    /// Borrows the collection (may be null: every kanji and kana of the
    /// model is kept, and stroke counts are not compared).
    explicit HandwritingRecognizer(CharacterDictionaryCollection* characters = nullptr);
    ~HandwritingRecognizer();
    HandwritingRecognizer(const HandwritingRecognizer&) = delete;
    HandwritingRecognizer& operator=(const HandwritingRecognizer&) = delete;

    /// Opens the model (DEFAULT_MODEL for an empty path) and reads the stroke
    /// counts of its characters from the collection, which should be loaded
    /// by then. Returns 0, or -1 with getError() telling why (no Zinnia in
    /// this build, no model file, a broken one).
    int open(const std::string& modelPath = std::string());
    /// Whether open() succeeded.
    bool canRecognize() const;
    /// Why the recognizer cannot recognise; empty when it can.
    std::string getError() const;

    /// Only Zinnia's own answer on the drawing as given: no normalising, no
    /// further tries, no stroke counts; characters are still filtered. For
    /// comparisons.
    void setPlainZinnia(bool plain);

    /// At most `count` candidates for the drawing, best first. An empty
    /// drawing gives none. False (and no candidates) when the recognizer
    /// cannot recognise or the drawing is refused: too many strokes or
    /// points, or a coordinate that is not a finite number; `error` (when
    /// given) then says which. Points outside the square are put on its edge.
    bool recognize(const Drawing& drawing, std::size_t count, std::vector<wchar_t>* candidates,
                   std::string* error = nullptr) const;

    /// Reads one drawn character of the stroke text format: strokes in
    /// drawing order separated by ";", points separated by spaces, a point
    /// "x,y" with decimal numbers in the 0-1000 square (points outside are
    /// put on the edge), an optional "id<TAB>" prefix ignored, an empty line
    /// nothing drawn. False with `error` set (when given) for text that is
    /// not of that form, for numbers beyond a million and for drawings over
    /// the limits.
    static bool parseStrokes(const std::string& text, Drawing* drawing, std::string* error = nullptr);
    /// The drawing in the stroke text format, without prefix.
    static std::string formatStrokes(const Drawing& drawing);

private:
    // The stroke count of the character behind a model label, 0 unknown.
    int strokeCountOf(int label) const;

    CharacterDictionaryCollection* characters;
    std::unique_ptr<internal::ZinniaModel> model;
    std::vector<unsigned char> strokeCounts;  // by model label index
    std::vector<bool> known;                  // by model label index
    bool plainZinnia = false;
    std::string openError;
};

#endif
