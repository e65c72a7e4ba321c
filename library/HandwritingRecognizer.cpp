#include "HandwritingRecognizer.h"

#include "CharacterDictionaryCollection.h"
#include "CharacterEntry.h"
#include "CharacterResult.h"
#include "Log.h"
#include "internal/StrokeShaping.h"
#include "internal/StrokeText.h"
#include "internal/ZinniaModel.h"

#include <algorithm>
#include <set>
#include <system_error>
#include <thread>
#include <unordered_map>

const char* const HandwritingRecognizer::DEFAULT_MODEL = "/usr/share/tegaki/models/zinnia/handwriting-ja.model";

namespace {

typedef internal::ZinniaModel::Score Score;

// Zinnia's scores are margins of its classifiers, about -1 to 1.
// How many of them each classification hands to the ranking.
const std::size_t scoresPerReading = 100;
// The other readings of a drawing tried beside it, of each kind.
const std::size_t cutReadings = 2;
const std::size_t swapReadings = 2;
// Drawings of more strokes than any kanji has are read only as drawn.
const std::size_t mostStrokesReread = 36;
// A first answer this good and this far ahead of the second (its stroke
// count weighed) is taken without trying the other readings.
const float sureScore = 0.9f;
const float sureMargin = 0.35f;
// What an other reading costs against the drawing as drawn, at the least
// and at the most likely shape.
const float cutCost = 0.45f;
const float swapCost = 0.45f;
// Stroke counts that fit the strokes drawn gain, those far off lose.
const float fittingStrokesGain = 0.12f;
const float strokeMissCost = 0.1f;

bool isKana(wchar_t character)
{
    return (character >= 0x3041 && character <= 0x3096) || (character >= 0x30A1 && character <= 0x30FA)
           || character == 0x30FC;
}

bool isKanji(wchar_t character)
{
    return (character >= 0x4E00 && character <= 0x9FFF) || (character >= 0x3400 && character <= 0x4DBF)
           || character == 0x3005;
}

// One classification of one reading of the drawing.
struct Classified
{
    std::vector<Score> scores;
    float cost;
    std::size_t strokes;
};

}  // namespace

HandwritingRecognizer::HandwritingRecognizer(CharacterDictionaryCollection* characters)
    : characters(characters), model(new internal::ZinniaModel())
{
    openError = "the handwriting model is not open";
}

HandwritingRecognizer::~HandwritingRecognizer() = default;

int HandwritingRecognizer::open(const std::string& modelPath)
{
    const std::string path = modelPath.empty() ? DEFAULT_MODEL : modelPath;
    std::string error;
    if (!model->open(path, &error)) {
        openError = error;
        Log::write(3, "%s: Cannot recognise handwriting: %s.", "open", error.c_str());
        return -1;
    }
    openError.clear();

    const std::vector<wchar_t>& labels = model->labels();
    strokeCounts.assign(labels.size(), 0);
    known.assign(labels.size(), false);
    std::set<wchar_t> kanji;
    for (wchar_t label : labels) {
        if (isKanji(label)) {
            kanji.insert(label);
        }
    }
    std::unordered_map<wchar_t, int> counts;
    if (characters) {
        CharacterResult* result = characters->search(kanji);
        result->resetNextEntry();
        while (CharacterEntry* entry = result->getNextEntry()) {
            counts[entry->kanji] = entry->strokeCount;
        }
        delete result;
    }
    // Without a character dictionary every kanji of the model is kept.
    const bool anyKnown = !counts.empty();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const auto found = counts.find(labels[i]);
        if (found != counts.end()) {
            known[i] = true;
            strokeCounts[i] = static_cast<unsigned char>(found->second);
        } else {
            known[i] = isKana(labels[i]) || (!anyKnown && isKanji(labels[i]));
        }
    }
    Log::write(6, "%s: Handwriting model '%s' open: %zu characters, %zu with stroke counts.", "open",
               path.c_str(), labels.size(), counts.size());
    return 0;
}

bool HandwritingRecognizer::canRecognize() const
{
    return openError.empty();
}

std::string HandwritingRecognizer::getError() const
{
    return openError;
}

void HandwritingRecognizer::setPlainZinnia(bool plain)
{
    plainZinnia = plain;
}

int HandwritingRecognizer::strokeCountOf(int label) const
{
    return strokeCounts[static_cast<std::size_t>(label)];
}

bool HandwritingRecognizer::recognize(const Drawing& drawing, std::size_t count, std::vector<wchar_t>* candidates,
                                      std::string* error) const
{
    candidates->clear();
    if (!canRecognize()) {
        if (error) {
            *error = openError;
        }
        return false;
    }
    Drawing clamped;
    if (!strokeText::clampChecked(drawing, &clamped, error)) {
        return false;
    }
    if (clamped.empty() || count == 0) {
        return true;
    }
    const std::vector<wchar_t>& labels = model->labels();

    if (plainZinnia) {
        for (const Score& score : model->classify(clamped, scoresPerReading)) {
            if (known[score.label] && candidates->size() < count) {
                candidates->push_back(labels[score.label]);
            }
        }
        return true;
    }

    // How well a character fits one reading, its stroke count weighed.
    auto fitted = [this](const Score& score, const Classified& reading) {
        const int strokes = strokeCountOf(score.label);
        float fit = 0;
        if (strokes > 0) {
            const int miss = std::abs(strokes - static_cast<int>(reading.strokes));
            fit = miss == 0 ? fittingStrokesGain : -strokeMissCost * std::min(miss - 1, 3);
        }
        return score.score + fit - reading.cost;
    };

    const Drawing drawn = strokeShaping::normalised(clamped);
    std::vector<Classified> classified{{model->classify(drawn, scoresPerReading), 0, drawn.size()}};

    // A clear winner with the stroke count drawn needs no other reading.
    std::vector<float> best;
    bool winnerFits = false;
    for (const Score& score : classified[0].scores) {
        if (known[score.label]) {
            if (best.empty()) {
                winnerFits = strokeCountOf(score.label) == static_cast<int>(drawn.size());
            }
            best.push_back(fitted(score, classified[0]));
            if (best.size() == 2) {
                break;
            }
        }
    }
    const bool sure = winnerFits && best.size() == 2 && best[0] > sureScore && best[0] - best[1] > sureMargin;

    if (!sure && drawn.size() <= mostStrokesReread) {
        std::vector<strokeShaping::Reading> readings = strokeShaping::cutAtTurns(drawn, cutReadings);
        std::vector<float> costs(readings.size(), 0);
        for (std::size_t i = 0; i < readings.size(); ++i) {
            costs[i] = cutCost * (1.5f - readings[i].likelihood);
        }
        for (strokeShaping::Reading& swapped : strokeShaping::swappedNeighbours(drawn, swapReadings)) {
            costs.push_back(swapCost * (1.5f - swapped.likelihood));
            readings.push_back(std::move(swapped));
        }
        // The readings are classified on two threads: each takes milliseconds.
        std::vector<Classified> more(readings.size());
        auto classifyFrom = [&](std::size_t first, std::size_t step) {
            for (std::size_t i = first; i < readings.size(); i += step) {
                more[i] = {model->classify(readings[i].drawing, scoresPerReading), costs[i],
                           readings[i].drawing.size()};
            }
        };
        std::thread helper;
        if (readings.size() > 1 && std::thread::hardware_concurrency() > 1) {
            try {
                helper = std::thread(classifyFrom, 1, 2);
            } catch (const std::system_error&) {
                // No thread to be had: this one does all of them.
            }
        }
        classifyFrom(0, helper.joinable() ? 2 : 1);
        if (helper.joinable()) {
            helper.join();
        }
        classified.insert(classified.end(), more.begin(), more.end());
    }

    // Each character counts with its best reading.
    std::unordered_map<int, float> fused;
    for (const Classified& reading : classified) {
        for (const Score& score : reading.scores) {
            if (!known[score.label]) {
                continue;
            }
            const float value = fitted(score, reading);
            const auto found = fused.find(score.label);
            if (found == fused.end()) {
                fused.emplace(score.label, value);
            } else {
                found->second = std::max(found->second, value);
            }
        }
    }
    std::vector<std::pair<float, int>> ranked;
    for (const auto& [label, value] : fused) {
        ranked.push_back({value, label});
    }
    // Ties keep the model's own order of labels.
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    for (std::size_t i = 0; i < ranked.size() && i < count; ++i) {
        candidates->push_back(labels[ranked[i].second]);
    }
    return true;
}

bool HandwritingRecognizer::parseStrokes(const std::string& text, Drawing* drawing, std::string* error)
{
    return strokeText::parse(text, drawing, error);
}

std::string HandwritingRecognizer::formatStrokes(const Drawing& drawing)
{
    return strokeText::format(drawing);
}
