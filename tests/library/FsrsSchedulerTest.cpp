// The scheduler against review sequences scheduled by the reference
// implementation (tests/data/fsrs/generate-vectors.mjs): every review of
// every sequence must give the same card, due time to the second.
#include "FsrsScheduler.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Vector
{
    int sequence;
    double retention;
    int64_t time;
    int rating;
    CardSchedule expected;
};

std::vector<Vector> readVectors()
{
    std::ifstream file(DEXARU_SOURCE_DIR "/tests/data/fsrs/vectors.tsv");
    std::vector<Vector> vectors;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream fields(line);
        Vector v;
        CardSchedule& e = v.expected;
        fields >> v.sequence >> v.retention >> v.time >> v.rating >> e.state >> e.due
            >> e.stability >> e.difficulty >> e.elapsedDays >> e.scheduledDays >> e.reps
            >> e.lapses >> e.learningStep;
        e.lastReview = v.time;
        if (fields) {
            vectors.push_back(v);
        }
    }
    return vectors;
}

TEST(FsrsSchedulerTest, ReplaysTheReferenceSequencesToTheSecond)
{
    const std::vector<Vector> vectors = readVectors();
    ASSERT_GE(vectors.size(), 600u);

    std::map<int, CardSchedule> cards;
    int sequences = 0;
    for (const Vector& v : vectors) {
        if (cards.count(v.sequence) == 0) {
            cards[v.sequence] = FsrsScheduler::newCard(v.time);
            ++sequences;
        }
        FsrsScheduler scheduler;
        ASSERT_EQ(0, scheduler.setDesiredRetention(v.retention));
        CardSchedule& card = cards[v.sequence];
        CardSchedule after;
        ASSERT_EQ(0, scheduler.review(card, v.rating, v.time, &after));

        const CardSchedule& e = v.expected;
        const std::string where = "sequence " + std::to_string(v.sequence) + ", review "
                                  + std::to_string(e.reps);
        EXPECT_EQ(e.due, after.due) << where;
        EXPECT_EQ(e.state, after.state) << where;
        EXPECT_NEAR(e.stability, after.stability, 1e-9 * std::max(1.0, e.stability)) << where;
        EXPECT_NEAR(e.difficulty, after.difficulty, 1e-9) << where;
        EXPECT_EQ(e.elapsedDays, after.elapsedDays) << where;
        EXPECT_EQ(e.scheduledDays, after.scheduledDays) << where;
        EXPECT_EQ(e.reps, after.reps) << where;
        EXPECT_EQ(e.lapses, after.lapses) << where;
        EXPECT_EQ(e.learningStep, after.learningStep) << where;
        EXPECT_EQ(v.time, after.lastReview) << where;
        // Carry on from the reference card, so that one fault is reported
        // once rather than in every later review of its sequence.
        card = e;
    }
    EXPECT_GE(sequences, 100);
}

TEST(FsrsSchedulerTest, RefusesWhatCannotBeAReview)
{
    const FsrsScheduler scheduler;
    CardSchedule learned;
    ASSERT_EQ(0, scheduler.review(FsrsScheduler::newCard(1000000), FsrsScheduler::RATING_GOOD,
                                  1000000, &learned));
    struct Case
    {
        const char* what;
        int rating;
        int64_t time;
    };
    const Case cases[] = {
        {"rating 0", 0, 2000000},
        {"rating 5", 5, 2000000},
        {"negative rating", -1, 2000000},
        {"the day before the last review", FsrsScheduler::RATING_GOOD, 950399},
        {"a week before the last review", FsrsScheduler::RATING_AGAIN, 1000000 - 7 * 86400},
    };
    for (const Case& c : cases) {
        CardSchedule after = learned;
        after.reps = 12345;
        EXPECT_EQ(-1, scheduler.review(learned, c.rating, c.time, &after)) << c.what;
        EXPECT_EQ(12345, after.reps) << c.what << ": the card must be left alone";
    }
    EXPECT_EQ(-1, scheduler.review(learned, FsrsScheduler::RATING_GOOD, 2000000, nullptr));

    // Earlier the same day is still a review, of no elapsed days, as the
    // reference schedules it (which refuses the day before).
    CardSchedule again;
    ASSERT_EQ(0, scheduler.review(learned, FsrsScheduler::RATING_GOOD, 950400, &again));
    EXPECT_EQ(0, again.elapsedDays);
    EXPECT_EQ(CardSchedule::STATE_REVIEW, again.state);
    EXPECT_EQ(1123200, again.due);
}

TEST(FsrsSchedulerTest, DesiredRetentionIsASettingWithinItsRange)
{
    FsrsScheduler scheduler;
    EXPECT_DOUBLE_EQ(0.9, scheduler.getDesiredRetention());
    const struct {
        double value;
        int result;
        double kept;
    } cases[] = {{0.8, 0, 0.8}, {1.0, 0, 1.0}, {0.0, -1, 1.0}, {-0.5, -1, 1.0},
                 {1.01, -1, 1.0}, {0.95, 0, 0.95}};
    for (const auto& c : cases) {
        EXPECT_EQ(c.result, scheduler.setDesiredRetention(c.value)) << c.value;
        EXPECT_DOUBLE_EQ(c.kept, scheduler.getDesiredRetention()) << c.value;
    }

    // A higher retention brings a learned card back sooner.
    CardSchedule card = FsrsScheduler::newCard(0);
    FsrsScheduler reference;
    reference.review(card, FsrsScheduler::RATING_EASY, 0, &card);
    reference.review(card, FsrsScheduler::RATING_GOOD, card.due, &card);
    int64_t previous = INT64_MAX;
    for (double retention : {0.7, 0.8, 0.9, 0.95, 0.99}) {
        scheduler.setDesiredRetention(retention);
        CardSchedule after;
        ASSERT_EQ(0, scheduler.review(card, FsrsScheduler::RATING_GOOD, card.due, &after));
        EXPECT_LT(after.due, previous) << retention;
        previous = after.due;
    }
}

}  // namespace
