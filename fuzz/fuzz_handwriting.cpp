// Fuzzes the stroke text reader and the handwriting recognizer: any line is
// read or refused with a reason; a drawing read is written back and read
// again unchanged in shape; recognition (with the installed model, when
// there is one) gives at most the count asked for, each candidate once.
#include "FuzzSupport.h"

#include "HandwritingRecognizer.h"

#include <set>
#include <vector>

namespace {

HandwritingRecognizer* recognizer = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    useProgramLocale();
    recognizer = new HandwritingRecognizer();
    recognizer->open();  // without the model every drawing is refused
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    HandwritingRecognizer::Drawing drawing;
    std::string error;
    if (!HandwritingRecognizer::parseStrokes(line, &drawing, &error)) {
        if (error.empty()) {
            std::abort();
        }
        return 0;
    }
    HandwritingRecognizer::Drawing again;
    if (!HandwritingRecognizer::parseStrokes(HandwritingRecognizer::formatStrokes(drawing), &again)
        || again.size() != drawing.size()) {
        std::abort();
    }
    for (std::size_t stroke = 0; stroke < drawing.size(); ++stroke) {
        if (again[stroke].size() != drawing[stroke].size()) {
            std::abort();
        }
    }
    std::vector<wchar_t> candidates;
    if (recognizer->recognize(drawing, 5, &candidates)) {
        const std::set<wchar_t> distinct(candidates.begin(), candidates.end());
        if (candidates.size() > 5 || distinct.size() != candidates.size()) {
            std::abort();
        }
    } else if (recognizer->canRecognize() || !candidates.empty()) {
        std::abort();  // a drawing that was read is within the limits
    }
    return 0;
}
