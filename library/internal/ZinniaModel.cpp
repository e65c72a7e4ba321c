#include "internal/ZinniaModel.h"

#include "internal/StrokeShaping.h"

#ifdef DEXARU_HAVE_ZINNIA
#include <zinnia.h>
#endif

#include <cmath>

namespace internal {

#ifdef DEXARU_HAVE_ZINNIA

namespace {

// Zinnia's time and memory grow exponentially with the corners of a stroke
// (a spiral of 60 takes seconds and gigabytes); no kanji stroke has 20.
const std::size_t mostCorners = 24;

// The one code point of a UTF-8 label, 0 when it is not exactly one.
wchar_t singleCharacter(const std::string& label)
{
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(label.data());
    std::size_t length = 0;
    wchar_t code = 0;
    if (label.empty()) {
        return 0;
    } else if (bytes[0] < 0x80) {
        length = 1;
        code = bytes[0];
    } else if ((bytes[0] & 0xE0) == 0xC0) {
        length = 2;
        code = bytes[0] & 0x1F;
    } else if ((bytes[0] & 0xF0) == 0xE0) {
        length = 3;
        code = bytes[0] & 0x0F;
    } else if ((bytes[0] & 0xF8) == 0xF0) {
        length = 4;
        code = bytes[0] & 0x07;
    }
    if (length == 0 || label.size() != length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (bytes[i] & 0x3F);
    }
    return code;
}

}  // namespace

ZinniaModel::ZinniaModel() = default;

ZinniaModel::~ZinniaModel()
{
    if (recognizer) {
        zinnia_recognizer_destroy(static_cast<zinnia_recognizer_t*>(recognizer));
    }
}

bool ZinniaModel::open(const std::string& path, std::string* error)
{
    zinnia_recognizer_t* opened = zinnia_recognizer_new();
    if (!opened) {
        *error = "Zinnia could not start";
        return false;
    }
    if (!zinnia_recognizer_open(opened, path.c_str())) {
        *error = "the handwriting model '" + path + "' cannot be read (" + zinnia_recognizer_strerror(opened)
                 + "); it comes with the package tegaki-zinnia-japanese";
        zinnia_recognizer_destroy(opened);
        return false;
    }
    if (recognizer) {
        zinnia_recognizer_destroy(static_cast<zinnia_recognizer_t*>(recognizer));
    }
    recognizer = opened;
    characters.clear();
    labelIndex.clear();
    const std::size_t size = zinnia_recognizer_size(opened);
    for (std::size_t i = 0; i < size; ++i) {
        const std::string label = zinnia_recognizer_value(opened, i);
        labelIndex.emplace(label, static_cast<int>(i));
        characters.push_back(singleCharacter(label));
    }
    return true;
}

std::vector<ZinniaModel::Score> ZinniaModel::classify(const HandwritingRecognizer::Drawing& drawing,
                                                      std::size_t count) const
{
    std::vector<Score> scores;
    if (!recognizer || drawing.empty()) {
        return scores;
    }
    const HandwritingRecognizer::Drawing simple = strokeShaping::withFewCorners(drawing, mostCorners);
    zinnia_character_t* character = zinnia_character_new();
    zinnia_character_set_width(character, HandwritingRecognizer::CANVAS_SIZE);
    zinnia_character_set_height(character, HandwritingRecognizer::CANVAS_SIZE);
    for (std::size_t stroke = 0; stroke < simple.size(); ++stroke) {
        for (const HandwritingRecognizer::Point& point : simple[stroke]) {
            zinnia_character_add(character, stroke, static_cast<int>(std::lround(point.x)),
                                 static_cast<int>(std::lround(point.y)));
        }
    }
    zinnia_result_t* result =
        zinnia_recognizer_classify(static_cast<zinnia_recognizer_t*>(recognizer), character, count);
    zinnia_character_destroy(character);
    if (!result) {
        return scores;
    }
    for (std::size_t i = 0; i < zinnia_result_size(result); ++i) {
        const auto found = labelIndex.find(zinnia_result_value(result, i));
        if (found != labelIndex.end()) {
            scores.push_back({found->second, zinnia_result_score(result, i)});
        }
    }
    zinnia_result_destroy(result);
    return scores;
}

#else

ZinniaModel::ZinniaModel() = default;
ZinniaModel::~ZinniaModel() = default;

bool ZinniaModel::open(const std::string&, std::string* error)
{
    *error = "this build has no handwriting recognition (it was built without Zinnia)";
    return false;
}

std::vector<ZinniaModel::Score> ZinniaModel::classify(const HandwritingRecognizer::Drawing&,
                                                      std::size_t) const
{
    return {};
}

#endif

}  // namespace internal
