// One opened Zinnia handwriting model: its characters, and the scores it
// gives them for a drawing. Built without Zinnia, open() always fails and
// says so. Classifying only reads the model, so threads may share it.
// Internal to the library.
#ifndef DEXARU_INTERNAL_ZINNIAMODEL_H
#define DEXARU_INTERNAL_ZINNIAMODEL_H

#include "HandwritingRecognizer.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace internal {

class ZinniaModel
{
public:
    struct Score
    {
        int label;  // index into labels()
        float score;
    };

    ZinniaModel();
    ~ZinniaModel();
    ZinniaModel(const ZinniaModel&) = delete;
    ZinniaModel& operator=(const ZinniaModel&) = delete;

    // False with `error` set when Zinnia is missing or the model cannot be
    // read.
    bool open(const std::string& path, std::string* error);

    // The model's characters; 0 for a label that is not one character.
    const std::vector<wchar_t>& labels() const { return characters; }

    // The `count` best scores for the drawing (in the 0-1000 square), best
    // first.
    std::vector<Score> classify(const HandwritingRecognizer::Drawing& drawing, std::size_t count) const;

private:
    void* recognizer = nullptr;  // zinnia_recognizer_t
    std::vector<wchar_t> characters;
    std::unordered_map<std::string, int> labelIndex;
};

}  // namespace internal

#endif
