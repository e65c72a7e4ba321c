#include "FsrsScheduler.h"

#include <algorithm>
#include <cmath>
#include <vector>

// The arithmetic follows the reference implementation step by step, its
// rounding to eight decimals included: the due times only agree to the
// second when every intermediate value is rounded where it rounds them.

namespace {

// The FSRS-6 default weights.
const double w[21] = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                      0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                      1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};

const double minimumStability = 0.001;
const double maximumStability = 36500;
const int maximumInterval = 36500;
const int minutesInDay = 1440;
const int64_t secondsInDay = 86400;

// Learning and relearning steps, in minutes.
const std::vector<int> learningSteps = {1, 10};
const std::vector<int> relearningSteps = {10};

// Rounds half way cases up, towards positive infinity, as JavaScript does.
double roundHalfUp(double value)
{
    const double whole = std::floor(value);
    return value - whole >= 0.5 ? whole + 1 : whole;
}

double roundTo8(double value)
{
    return roundHalfUp(value * 1e8) / 1e8;
}

double clamp(double value, double low, double high)
{
    return std::min(std::max(value, low), high);
}

const double decay = -w[20];
const double factor = roundTo8(std::exp(std::pow(decay, -1) * std::log(0.9)) - 1);

// Whole calendar days (UTC) from one time to another.
int daysBetween(int64_t from, int64_t to)
{
    auto day = [](int64_t time) {
        return time >= 0 ? time / secondsInDay : -((-time + secondsInDay - 1) / secondsInDay);
    };
    return static_cast<int>(day(to) - day(from));
}

double initialStability(int rating)
{
    return std::max(w[rating - 1], 0.1);
}

double initialDifficulty(int rating)
{
    return roundTo8(w[4] - std::exp((rating - 1) * w[5]) + 1);
}

double nextDifficulty(double difficulty, int rating)
{
    const double change = -w[6] * (rating - 3);
    const double damped = roundTo8(change * (10 - difficulty) / 9);
    const double next = difficulty + damped;
    const double reverted = roundTo8(w[7] * initialDifficulty(FsrsScheduler::RATING_EASY)
                                     + (1 - w[7]) * next);
    return clamp(reverted, 1, 10);
}

double recallStability(double difficulty, double stability, double retrievability, int rating)
{
    const double hardPenalty = rating == FsrsScheduler::RATING_HARD ? w[15] : 1;
    const double easyBonus = rating == FsrsScheduler::RATING_EASY ? w[16] : 1;
    return roundTo8(clamp(stability
                              * (1 + std::exp(w[8]) * (11 - difficulty) * std::pow(stability, -w[9])
                                         * (std::exp((1 - retrievability) * w[10]) - 1)
                                         * hardPenalty * easyBonus),
                          minimumStability, maximumStability));
}

double forgetStability(double difficulty, double stability, double retrievability)
{
    return roundTo8(clamp(w[11] * std::pow(difficulty, -w[12])
                              * (std::pow(stability + 1, w[13]) - 1)
                              * std::exp((1 - retrievability) * w[14]),
                          minimumStability, maximumStability));
}

double shortTermStability(double stability, int rating)
{
    const double increase = std::pow(stability, -w[19]) * std::exp(w[17] * (rating - 3 + w[18]));
    const double kept = rating >= FsrsScheduler::RATING_HARD ? std::max(increase, 1.0) : increase;
    return roundTo8(clamp(stability * kept, minimumStability, maximumStability));
}

// The minutes of the next step and the step after a rating, or 0 minutes
// when the rating takes the card out of its steps.
struct Step
{
    int minutes = 0;
    int next = 0;
};

Step stepAfter(const CardSchedule& card, int rating)
{
    const bool relearning = card.state == CardSchedule::STATE_RELEARNING
                            || card.state == CardSchedule::STATE_REVIEW;
    const std::vector<int>& steps = relearning ? relearningSteps : learningSteps;
    const int current = card.learningStep;
    const int count = static_cast<int>(steps.size());
    Step step;
    if (count == 0 || current >= count) {
        return step;
    }
    if (card.state == CardSchedule::STATE_REVIEW) {
        if (rating == FsrsScheduler::RATING_AGAIN) {
            step.minutes = steps[std::max(0, current)];
        }
        return step;
    }
    if (rating == FsrsScheduler::RATING_AGAIN) {
        step.minutes = steps[0];
    } else if (rating == FsrsScheduler::RATING_HARD) {
        step.minutes = count == 1 ? static_cast<int>(roundHalfUp(steps[0] * 1.5))
                                  : static_cast<int>(roundHalfUp((steps[0] + steps[1]) / 2.0));
        step.next = current;
    } else if (rating == FsrsScheduler::RATING_GOOD && current + 1 < count
               && steps[current + 1] > 0) {
        step.minutes = steps[current + 1];
        step.next = current + 1;
    }
    return step;
}

}  // namespace

FsrsScheduler::FsrsScheduler()
{
    setDesiredRetention(0.9);
}

int FsrsScheduler::setDesiredRetention(double retention)
{
    if (!(retention > 0 && retention <= 1)) {
        return -1;
    }
    desiredRetention = retention;
    intervalModifier = roundTo8((std::pow(retention, 1 / decay) - 1) / factor);
    return 0;
}

double FsrsScheduler::getDesiredRetention() const
{
    return desiredRetention;
}

CardSchedule FsrsScheduler::newCard(int64_t time)
{
    CardSchedule card;
    card.due = time;
    return card;
}

double FsrsScheduler::forgettingCurve(int elapsedDays, double stability) const
{
    return roundTo8(std::pow(1 + factor * elapsedDays / stability, decay));
}

int FsrsScheduler::nextInterval(double stability) const
{
    const double days = std::max(1.0, roundHalfUp(stability * intervalModifier));
    return static_cast<int>(std::min(days, static_cast<double>(maximumInterval)));
}

FsrsScheduler::Memory FsrsScheduler::nextMemory(const Memory& memory, int elapsedDays, int rating,
                                                double retrievability) const
{
    if (memory.difficulty == 0 && memory.stability == 0) {
        return {clamp(initialDifficulty(rating), 1, 10), initialStability(rating)};
    }
    const double d = memory.difficulty;
    const double s = memory.stability;
    double stability;
    if (elapsedDays == 0) {
        stability = shortTermStability(s, rating);
    } else if (rating == RATING_AGAIN) {
        const double floor = roundTo8(s / std::exp(w[17] * w[18]));
        stability = clamp(floor, minimumStability, forgetStability(d, s, retrievability));
    } else {
        stability = recallStability(d, s, retrievability, rating);
    }
    return {nextDifficulty(d, rating), stability};
}

void FsrsScheduler::applySteps(const CardSchedule& before, CardSchedule& after, int rating,
                               int toState, int64_t time) const
{
    const Step step = stepAfter(before, rating);
    if (step.minutes > 0 && step.minutes < minutesInDay) {
        after.learningStep = step.next;
        after.scheduledDays = 0;
        after.state = toState;
        after.due = time + int64_t(step.minutes) * 60;
        return;
    }
    after.state = CardSchedule::STATE_REVIEW;
    if (step.minutes >= minutesInDay) {
        after.learningStep = step.next;
        after.due = time + int64_t(step.minutes) * 60;
        after.scheduledDays = step.minutes / minutesInDay;
    } else {
        after.learningStep = 0;
        after.scheduledDays = nextInterval(after.stability);
        after.due = time + after.scheduledDays * secondsInDay;
    }
}

void FsrsScheduler::scheduleReview(const CardSchedule& before, CardSchedule& after, int rating,
                                   int64_t time) const
{
    const Memory memory = {before.difficulty, before.stability};
    const double retrievability = forgettingCurve(after.elapsedDays, before.stability);
    auto memoryAfter = [&](int grade) {
        return nextMemory(memory, after.elapsedDays, grade, retrievability);
    };
    const Memory chosen = memoryAfter(rating);
    after.difficulty = chosen.difficulty;
    after.stability = chosen.stability;
    if (rating == RATING_AGAIN) {
        applySteps(before, after, rating, CardSchedule::STATE_RELEARNING, time);
        after.lapses += 1;
        return;
    }
    // Hard is never longer than Good, Good always a day more than Hard and
    // Easy a day more than Good.
    int hard = nextInterval(memoryAfter(RATING_HARD).stability);
    int good = nextInterval(memoryAfter(RATING_GOOD).stability);
    hard = std::min(hard, good);
    good = std::max(good, hard + 1);
    const int easy = std::max(nextInterval(memoryAfter(RATING_EASY).stability), good + 1);
    const int days = rating == RATING_HARD ? hard : rating == RATING_GOOD ? good : easy;
    after.state = CardSchedule::STATE_REVIEW;
    after.learningStep = 0;
    after.scheduledDays = days;
    after.due = time + days * secondsInDay;
}

int FsrsScheduler::review(const CardSchedule& card, int rating, int64_t time,
                          CardSchedule* after) const
{
    if (after == nullptr || rating < RATING_AGAIN || rating > RATING_EASY) {
        return -1;
    }
    // A review may come earlier in the day than the last one, as the day
    // count allows, but not on an earlier day.
    const bool reviewed = card.state != CardSchedule::STATE_NEW;
    if (reviewed && daysBetween(card.lastReview, time) < 0) {
        return -1;
    }
    CardSchedule next = card;
    next.lastReview = time;
    next.elapsedDays = reviewed ? daysBetween(card.lastReview, time) : 0;
    next.reps += 1;
    if (card.state == CardSchedule::STATE_REVIEW) {
        scheduleReview(card, next, rating, time);
    } else {
        // A new card starts from the ratings' initial values.
        const Memory memory = reviewed ? Memory{card.difficulty, card.stability} : Memory{0, 0};
        const double retrievability = reviewed ? forgettingCurve(next.elapsedDays, card.stability)
                                               : 1;
        const Memory changed = nextMemory(memory, next.elapsedDays, rating, retrievability);
        next.difficulty = changed.difficulty;
        next.stability = changed.stability;
        const int toState = card.state == CardSchedule::STATE_NEW ? int(CardSchedule::STATE_LEARNING)
                                                                  : card.state;
        applySteps(card, next, rating, toState, time);
    }
    *after = next;
    return 0;
}
