/// @file
/// @class FsrsScheduler
/// The FSRS spaced-repetition scheduler (the FSRS-6 model with its published
/// default weights): given a card's schedule, a rating and the time of the
/// review, it works out when the card is due next. A pure calculation with no
/// state of its own beyond its settings; it gives the same due times, to the
/// second, as the reference implementation with the same settings and no
/// fuzz. Times are seconds since the epoch, UTC.
#ifndef DEXARU_FSRSSCHEDULER_H
#define DEXARU_FSRSSCHEDULER_H

#include <cstdint>

/// Where a card stands in its learning, as the scheduler keeps it.
struct CardSchedule
{
    /// The learning phase of a card.
    enum State {
        STATE_NEW = 0,  ///< never reviewed
        STATE_LEARNING = 1,  ///< in its first steps, minutes apart
        STATE_REVIEW = 2,  ///< learned: reviewed days apart
        STATE_RELEARNING = 3  ///< forgotten, in its relearning step
    };

    /// One of State.
    int state = STATE_NEW;
    /// When the card is due: for a new card, when it was added.
    int64_t due = 0;
    /// Days until the chance of recall falls to 90% (0 for a new card).
    double stability = 0;
    /// From 1 (easy) to 10 (hard); 0 for a new card.
    double difficulty = 0;
    /// Whole days between the last two reviews (calendar days, UTC).
    int elapsedDays = 0;
    /// Days to the due time given by the last review; 0 within the day's steps.
    int scheduledDays = 0;
    /// Reviews so far.
    int reps = 0;
    /// Times a learned card was forgotten (rated again in review).
    int lapses = 0;
    /// The learning or relearning step the card is on.
    int learningStep = 0;
    /// The time of the last review; meaningful when reps > 0.
    int64_t lastReview = 0;
};

class FsrsScheduler
{
public:
    /// How well a card was remembered.
    enum Rating {
        RATING_AGAIN = 1,  ///< forgotten
        RATING_HARD = 2,  ///< remembered with difficulty
        RATING_GOOD = 3,  ///< remembered
        RATING_EASY = 4  ///< remembered at once
    };

    /// Desired retention 0.9, learning steps 1 and 10 minutes, relearning
    /// step 10 minutes, intervals of at most 36,500 days.
    FsrsScheduler();

    /// The share of cards that should still be remembered when they fall
    /// due; more than 0 and at most 1. Returns 0, or -1 (and keeps the old
    /// value) when the value is out of range.
    int setDesiredRetention(double retention);
    /// The desired retention, 0.9 unless set.
    double getDesiredRetention() const;

    /// A card as it stands when it is added at the given time.
    static CardSchedule newCard(int64_t time);

    /// Fills *after with the card after a review with the rating at the time.
    /// Returns 0, or -1 (leaving *after alone) for a rating out of range or a
    /// time on a day (UTC) before that of the card's last review.
    int review(const CardSchedule& card, int rating, int64_t time, CardSchedule* after) const;

private:
    struct Memory
    {
        double difficulty;
        double stability;
    };

    Memory nextMemory(const Memory& memory, int elapsedDays, int rating,
                      double retrievability) const;
    int nextInterval(double stability) const;
    void applySteps(const CardSchedule& before, CardSchedule& after, int rating, int toState,
                    int64_t time) const;
    void scheduleReview(const CardSchedule& before, CardSchedule& after, int rating,
                        int64_t time) const;
    double forgettingCurve(int elapsedDays, double stability) const;

    double desiredRetention = 0.9;
    double intervalModifier = 0;
};

#endif
