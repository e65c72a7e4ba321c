#include "StudyCommand.h"

#include "Log.h"
#include "Lookup.h"
#include "Output.h"
#include "Romaji.h"
#include "StudyList.h"
#include "TokenOutput.h"
#include "TypedSearch.h"
#include "Utf8Text.h"
#include "WordDictionaryCollection.h"
#include "WordEntry.h"
#include "WordResult.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace dexaru2 {

namespace {

const char* const usageText =
    "Usage:\n"
    "   dexaru2 study <command> [<option>[ ...]]\n"
    "\n"
    "Keeps words to learn in a study list and brings each back for review when it\n"
    "is about to be forgotten (the FSRS scheduler, desired retention 0.9).\n"
    "\n"
    "<command> may be:\n"
    "   add <word> [--reading <kana>] [--sentence <text>] [--at <time>]\n"
    "                          Looks the word up (inflected words too) and keeps the\n"
    "                          first entry found, or the first that reads <kana>.\n"
    "                          Prints the card's id; a word kept already keeps its id.\n"
    "   list                   One card a line, TAB separated: id, word, reading,\n"
    "                          state, due time, reviews, lapses, first meaning.\n"
    "   due [--at <time>]      The ids of the cards due, earliest first.\n"
    "   grade <id> again|hard|good|easy [--at <time>]\n"
    "                          Records a review and prints the next due time.\n"
    "   show <id>              Every field of a card and its reviews.\n"
    "   remove <id>            Removes a card and its reviews.\n"
    "   review                 Reviews the cards due, in the terminal.\n"
    "   export csv|anki <file> Writes every card as CSV or for Anki's text import\n"
    "                          ('-' for standard output).\n"
    "   retention [<value>]    Prints, or sets, the desired retention (0 to 1).\n"
    "\n"
    "<time> is UTC to the second, as 2026-12-08T10:00:00Z; the default is now.\n"
    "The list is kept in $DEXARU_STUDY_FILE, else in\n"
    "${XDG_DATA_HOME:-~/.local/share}/dexaru/study.sqlite.\n"
    "\n"
    "Exit status: 0 on success, 1 when the command failed, 2 for a usage error.\n";

const char* const ratingNames[] = {"again", "hard", "good", "easy"};

// Latin letters that are no romaji ("water", "to eat"): most likely an
// English meaning typed where the Japanese word belongs.
bool looksEnglish(const std::string& word)
{
    const bool latin = std::all_of(word.begin(), word.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' ' || c == '-' || c == '\'';
    });
    const std::wstring wide(word.begin(), word.end());
    return latin && TypedSearch::kanaOfWholeRomaji(wide, true) == wide;
}

// A usage error: one line on standard error, status 2.
int usageError(const std::string& problem)
{
    std::fprintf(stderr, "dexaru2 study: %s (see 'dexaru2 study --help')\n", problem.c_str());
    return 2;
}

int failure(const std::string& problem)
{
    std::fprintf(stderr, "dexaru2 study: %s\n", problem.c_str());
    return 1;
}

struct Arguments
{
    std::vector<std::string> words;
    std::map<std::string, std::string> options;
};

// Reads the command words and the options that take a value. Returns the
// empty string, or the usage problem.
std::string readArguments(int argc, char** argv, Arguments& arguments)
{
    for (int i = 0; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--reading" || argument == "--sentence" || argument == "--at") {
            if (i + 1 >= argc) {
                return "option '" + argument + "' needs a value";
            }
            if (arguments.options.count(argument)) {
                return "option '" + argument + "' is given twice";
            }
            arguments.options[argument] = argv[++i];
        } else if (argument.size() > 1 && argument[0] == '-' && argument != "-") {
            return "unknown option '" + argument + "'";
        } else {
            arguments.words.push_back(argument);
        }
    }
    return std::string();
}

class StudyRun
{
public:
    StudyRun(const Arguments& arguments, const std::string& startFolder)
        : words(arguments.words), options(arguments.options), startFolder(startFolder)
    {
    }

    int run();

private:
    int checkShape(size_t minimum, size_t maximum, std::vector<std::string> allowed);
    int openList(int mode);
    int readTime(int64_t* time);
    int readId(const std::string& text, int64_t* id);
    int openForOneCard(int mode, int64_t* id);
    int noSuchCard();

    int add();
    int list();
    int due();
    int grade();
    int show();
    int remove();
    int review();
    int exportCards();
    int retention();

    std::string resolved(const std::string& path) const
    {
        return path.empty() || path[0] == '/' ? path : startFolder + "/" + path;
    }

    const std::vector<std::string>& words;
    const std::map<std::string, std::string>& options;
    std::string startFolder;
    StudyList studyList;
};

int StudyRun::run()
{
    static const std::map<std::string, int (StudyRun::*)()> commands = {
        {"add", &StudyRun::add},       {"list", &StudyRun::list},
        {"due", &StudyRun::due},       {"grade", &StudyRun::grade},
        {"show", &StudyRun::show},     {"remove", &StudyRun::remove},
        {"review", &StudyRun::review}, {"export", &StudyRun::exportCards},
        {"retention", &StudyRun::retention},
    };
    if (words.empty()) {
        return usageError("no command given");
    }
    const auto command = commands.find(words[0]);
    if (command == commands.end()) {
        return usageError("unknown command '" + words[0] + "'");
    }
    return (this->*command->second)();
}

// Checks the number of words after the command and the options given.
int StudyRun::checkShape(size_t minimum, size_t maximum, std::vector<std::string> allowed)
{
    const size_t count = words.size() - 1;
    if (count < minimum) {
        return usageError("'" + words[0] + "' needs " + std::to_string(minimum)
                          + (minimum == 1 ? " argument" : " arguments"));
    }
    if (count > maximum) {
        return usageError("too many arguments for '" + words[0] + "': '" + words[maximum + 1]
                          + "'");
    }
    for (const auto& option : options) {
        bool known = false;
        for (const std::string& name : allowed) {
            known = known || name == option.first;
        }
        if (!known) {
            return usageError("'" + words[0] + "' takes no option '" + option.first + "'");
        }
    }
    return 0;
}

int StudyRun::openList(int mode)
{
    const std::string file = resolved(StudyList::getDefaultFilename());
    if (studyList.open(file, mode) != 0) {
        return failure(studyList.getError());
    }
    return 0;
}

int StudyRun::readTime(int64_t* time)
{
    const auto at = options.find("--at");
    if (at == options.end()) {
        *time = static_cast<int64_t>(std::time(nullptr));
        return 0;
    }
    if (StudyList::parseTime(at->second, time) != 0) {
        return failure("'" + at->second
                       + "' is not a time; give UTC to the second, as 2026-12-08T10:00:00Z");
    }
    return 0;
}

int StudyRun::readId(const std::string& text, int64_t* id)
{
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value <= 0 || text[0] == '+' || text[0] == ' ') {
        return failure("'" + text + "' is not a card id (a number that 'dexaru2 study list' shows)");
    }
    *id = value;
    return 0;
}

// For the commands that take one card id and nothing else.
int StudyRun::openForOneCard(int mode, int64_t* id)
{
    if (int status = checkShape(1, 1, {})) {
        return status;
    }
    if (int status = readId(words[1], id)) {
        return status;
    }
    return openList(mode);
}

int StudyRun::noSuchCard()
{
    return failure("there is no card " + words[1] + " in the study list");
}

// A gloss in UTF-8: kept as it is when it is UTF-8 already.
std::string utf8Gloss(const std::string& bytes, WordDictionaryCollection* collection, int position)
{
    std::wstring ignored;
    return decodeUtf8(bytes, &ignored) ? bytes : glossInUtf8(bytes, collection, position);
}

int StudyRun::add()
{
    int64_t time = 0;
    if (int status = checkShape(1, 1, {"--reading", "--sentence", "--at"})) {
        return status;
    }
    if (int status = readTime(&time)) {
        return status;
    }
    const std::string& word = words[1];
    if (word.empty()) {
        return usageError("the word to add is empty");
    }
    std::wstring wantedReading;
    const auto reading = options.find("--reading");
    if (reading != options.end()) {
        if (!decodeUtf8(reading->second, &wantedReading) || wantedReading.empty()) {
            return failure("'" + reading->second + "' is not a reading");
        }
        if (Romaji::isRomaji(wantedReading)) {
            wantedReading = Romaji::romajiStringToKana(wantedReading, true);
        }
    }
    std::wstring ignored;
    if (!decodeUtf8(word, &ignored)) {
        return failure("the word is not UTF-8 text");
    }
    if (int status = openList(StudyList::OPEN_READ_WRITE)) {
        return status;
    }

    Options lookupOptions;
    lookupOptions.command = "study";
    lookupOptions.order = "relevance";
    lookupOptions.cliSearchText = word;
    lookupOptions.searchOptions.searchFlags =
        WordDictionary::SEARCH_WORD | WordDictionary::SEARCH_KANA | WordDictionary::SEARCH_FUZZY;
    lookupOptions.searchOptions.commonFilter = 0;
    lookupOptions.searchOptions.limit = 200;
    lookupOptions.searchOptions.matchAllPartsOfSpeech = false;
    Lookup lookup(lookupOptions);
    WordResult* result = lookup.findWords(lookupOptions);

    const WordEntry* chosen = nullptr;
    result->resetNextEntry();
    while (const WordEntry* entry = result->getNextEntry()) {
        if (wantedReading.empty() || entry->kana == wantedReading) {
            chosen = entry;
            break;
        }
    }
    if (chosen == nullptr) {
        const bool any = result->getEntryCount() > 0;
        delete result;
        if (any) {
            return failure("no entry of '" + word + "' reads '" + reading->second + "'");
        }
        bool loaded = false;
        for (WordDictionary* dictionary : lookup.getWordCollection()->dictionaries) {
            loaded = loaded || dictionary->isLoaded;
        }
        if (!loaded) {
            return failure("no word dictionary could be read, so '" + word
                           + "' cannot be looked up (see the FILES of 'man dexaru2')");
        }
        if (looksEnglish(word)) {
            // Cards keep Japanese words, found by their writing or reading.
            return failure("no dictionary has '" + word + "' as a word or reading; for an English "
                           "meaning, add the Japanese word that 'dexaru2 --search-meaning search' "
                           "finds");
        }
        return failure("no dictionary has '" + word + "'");
    }

    StudyCard card;
    card.word = encodeUtf8(chosen->word);
    card.reading = encodeUtf8(chosen->kana);
    for (int m = 0; m < chosen->meaningsSize; ++m) {
        card.glosses.push_back(
            utf8Gloss(chosen->meanings[m], lookup.getWordCollection(), chosen->dictionaryIndex));
    }
    // Each sense repeats its tags; each is kept once, in line order.
    for (const EntryInfo* info : chosen->info) {
        if (std::find(card.partsOfSpeech.begin(), card.partsOfSpeech.end(), info->abbreviation)
            == card.partsOfSpeech.end()) {
            card.partsOfSpeech.push_back(info->abbreviation);
        }
    }
    card.dictionary = chosen->dictionaryName;
    const auto sentence = options.find("--sentence");
    card.sentence = sentence != options.end() ? sentence->second : word;
    card.source = StudyCard::SOURCE_TYPED;
    card.added = time;
    delete result;

    const int64_t id = studyList.addCard(card);
    if (id < 0) {
        return failure(studyList.getError());
    }
    std::printf("%lld\n", static_cast<long long>(id));
    return 0;
}

int StudyRun::list()
{
    if (int status = checkShape(0, 0, {})) {
        return status;
    }
    if (int status = openList(StudyList::OPEN_READ_ONLY)) {
        return status;
    }
    std::vector<StudyCard> cards;
    if (studyList.getCards(&cards) != 0) {
        return failure(studyList.getError());
    }
    for (const StudyCard& card : cards) {
        std::printf("%lld\t%s\t%s\t%s\t%s\t%d\t%d\t%s\n", static_cast<long long>(card.id),
                    tabField(card.word).c_str(), tabField(card.reading).c_str(),
                    StudyList::getStateName(card.schedule.state),
                    StudyList::formatTime(card.schedule.due).c_str(), card.schedule.reps,
                    card.schedule.lapses, tabField(StudyList::getFirstMeaning(card)).c_str());
    }
    return 0;
}

int StudyRun::due()
{
    int64_t time = 0;
    if (int status = checkShape(0, 0, {"--at"})) {
        return status;
    }
    if (int status = readTime(&time)) {
        return status;
    }
    if (int status = openList(StudyList::OPEN_READ_ONLY)) {
        return status;
    }
    std::vector<int64_t> ids;
    if (studyList.getDueCards(time, &ids) != 0) {
        return failure(studyList.getError());
    }
    for (int64_t id : ids) {
        std::printf("%lld\n", static_cast<long long>(id));
    }
    return 0;
}

int StudyRun::grade()
{
    int64_t id = 0;
    int64_t time = 0;
    if (int status = checkShape(2, 2, {"--at"})) {
        return status;
    }
    if (int status = readId(words[1], &id)) {
        return status;
    }
    int rating = 0;
    for (int r = 0; r < 4; ++r) {
        rating = words[2] == ratingNames[r] ? r + 1 : rating;
    }
    if (rating == 0) {
        return failure("'" + words[2] + "' is not a rating; give again, hard, good or easy");
    }
    if (int status = readTime(&time)) {
        return status;
    }
    if (int status = openList(StudyList::OPEN_READ_WRITE)) {
        return status;
    }
    CardSchedule after;
    const int graded = studyList.gradeCard(id, rating, time, &after);
    if (graded == 1) {
        return noSuchCard();
    }
    if (graded != 0) {
        return failure(studyList.getError());
    }
    std::printf("%s\n", StudyList::formatTime(after.due).c_str());
    return 0;
}

void printSchedule(const CardSchedule& s)
{
    std::printf("state: %s\n", StudyList::getStateName(s.state));
    std::printf("due: %s\n", StudyList::formatTime(s.due).c_str());
    std::printf("stability: %.8g\n", s.stability);
    std::printf("difficulty: %.8g\n", s.difficulty);
    std::printf("reviews: %d\n", s.reps);
    std::printf("lapses: %d\n", s.lapses);
    std::printf("learning step: %d\n", s.learningStep);
    std::printf("elapsed days: %d\n", s.elapsedDays);
    std::printf("scheduled days: %d\n", s.scheduledDays);
    std::printf("last review: %s\n", s.reps > 0 ? StudyList::formatTime(s.lastReview).c_str() : "");
}

int StudyRun::show()
{
    int64_t id = 0;
    if (int status = openForOneCard(StudyList::OPEN_READ_ONLY, &id)) {
        return status;
    }
    StudyCard card;
    const int found = studyList.getCard(id, &card);
    if (found == 1) {
        return noSuchCard();
    }
    std::vector<StudyReview> reviews;
    if (found != 0 || studyList.getReviews(id, &reviews) != 0) {
        return failure(studyList.getError());
    }
    std::printf("id: %lld\n", static_cast<long long>(card.id));
    std::printf("word: %s\n", tabField(card.word).c_str());
    std::printf("reading: %s\n", tabField(card.reading).c_str());
    for (size_t g = 0; g < card.glosses.size(); ++g) {
        std::printf("meaning %d: %s\n", static_cast<int>(g + 1), tabField(card.glosses[g]).c_str());
    }
    std::printf("parts of speech: %s\n", tabField(joined(card.partsOfSpeech, ",")).c_str());
    std::printf("dictionary: %s\n", tabField(card.dictionary).c_str());
    std::printf("sentence: %s\n", tabField(card.sentence).c_str());
    std::printf("met in: %s\n", StudyList::getSourceName(card.source));
    std::printf("added: %s\n", StudyList::formatTime(card.added).c_str());
    std::printf("tags: %s\n", tabField(card.tags).c_str());
    std::printf("note: %s\n", tabField(card.note).c_str());
    printSchedule(card.schedule);
    for (const StudyReview& review : reviews) {
        std::printf("review: %s %s %s -> %s, due %s\n", StudyList::formatTime(review.time).c_str(),
                    ratingNames[(review.rating - 1) & 3],
                    StudyList::getStateName(review.before.state),
                    StudyList::getStateName(review.after.state),
                    StudyList::formatTime(review.after.due).c_str());
    }
    return 0;
}

int StudyRun::remove()
{
    int64_t id = 0;
    if (int status = openForOneCard(StudyList::OPEN_READ_WRITE, &id)) {
        return status;
    }
    const int removed = studyList.removeCard(id);
    if (removed == 1) {
        return noSuchCard();
    }
    return removed == 0 ? 0 : failure(studyList.getError());
}

int StudyRun::exportCards()
{
    if (int status = checkShape(2, 2, {})) {
        return status;
    }
    const std::string& format = words[1];
    if (format != "csv" && format != "anki") {
        return usageError("unknown export format '" + format + "'; give csv or anki");
    }
    if (int status = openList(StudyList::OPEN_READ_ONLY)) {
        return status;
    }
    std::string text;
    if (studyList.exportCards(format == "csv" ? StudyList::EXPORT_CSV : StudyList::EXPORT_ANKI,
                              &text)
        != 0) {
        return failure(studyList.getError());
    }
    if (words[2] == "-") {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    const std::string file = resolved(words[2]);
    FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) {
        return failure("cannot write '" + file + "'");
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fclose(out) != 0 || !written) {
        return failure("could not write all of '" + file + "'");
    }
    return 0;
}

int StudyRun::retention()
{
    if (int status = checkShape(0, 1, {})) {
        return status;
    }
    if (words.size() == 1) {
        if (int status = openList(StudyList::OPEN_READ_ONLY)) {
            return status;
        }
        std::printf("%g\n", studyList.getDesiredRetention());
        return 0;
    }
    char* end = nullptr;
    const double value = std::strtod(words[1].c_str(), &end);
    if (words[1].empty() || *end != '\0' || !(value > 0 && value <= 1)) {
        return failure("'" + words[1] + "' is not a desired retention (more than 0, at most 1)");
    }
    if (int status = openList(StudyList::OPEN_READ_WRITE)) {
        return status;
    }
    return studyList.setDesiredRetention(value) == 0 ? 0 : failure(studyList.getError());
}

// The terminal in single-key mode for its lifetime.
class SingleKeys
{
public:
    SingleKeys()
    {
        active = tcgetattr(STDIN_FILENO, &saved) == 0;
        if (active) {
            termios keys = saved;
            // Ctrl+C and Ctrl+D come as keys, so that the terminal is
            // always given back as it was.
            keys.c_lflag &= ~(ICANON | ECHO | ISIG);
            keys.c_cc[VMIN] = 1;
            keys.c_cc[VTIME] = 0;
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &keys);
        }
    }
    ~SingleKeys()
    {
        if (active) {
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        }
    }
    SingleKeys(const SingleKeys&) = delete;
    SingleKeys& operator=(const SingleKeys&) = delete;

    // The next key; 'q' for Ctrl+C, Ctrl+D and the end of input.
    static char next()
    {
        char key = 0;
        if (read(STDIN_FILENO, &key, 1) != 1 || key == 3 || key == 4) {
            return 'q';
        }
        return key;
    }

private:
    termios saved;
    bool active = false;
};

int StudyRun::review()
{
    if (int status = checkShape(0, 0, {})) {
        return status;
    }
    if (!isatty(STDIN_FILENO)) {
        return failure("review needs a terminal on standard input; grade cards with "
                       "'dexaru2 study grade' instead");
    }
    if (int status = openList(StudyList::OPEN_READ_WRITE)) {
        return status;
    }
    const int due = studyList.countDueCards(static_cast<int64_t>(std::time(nullptr)));
    if (due > 0) {
        std::printf("%d %s due. Enter shows the answer; 1 again, 2 hard, 3 good, 4 easy; q stops.\n",
                    due, due == 1 ? "card is" : "cards are");
    }
    SingleKeys keys;
    int reviewed = 0;
    for (;;) {
        const int64_t now = static_cast<int64_t>(std::time(nullptr));
        const int64_t id = studyList.getNextDueCard(now);
        StudyCard card;
        if (id < 0 || (id > 0 && studyList.getCard(id, &card) != 0)) {
            return failure(studyList.getError());
        }
        if (id == 0) {
            std::printf("%s\n", reviewed ? "No more cards are due." : "No cards are due.");
            return 0;
        }
        std::printf("\n%s\n", card.word.c_str());
        std::fflush(stdout);
        char key = SingleKeys::next();
        while (key != '\n' && key != '\r' && key != ' ' && key != 'q') {
            key = SingleKeys::next();
        }
        if (key == 'q') {
            return 0;
        }
        std::printf("  %s\n", card.reading.c_str());
        for (size_t g = 0; g < card.glosses.size(); ++g) {
            std::printf("  %d. %s\n", static_cast<int>(g + 1), card.glosses[g].c_str());
        }
        if (!card.sentence.empty() && card.sentence != card.word) {
            std::printf("  Met in: %s\n", card.sentence.c_str());
        }
        std::printf(" ");
        for (int rating = 1; rating <= 4; ++rating) {
            CardSchedule after;
            studyList.getScheduler().review(card.schedule, rating, now, &after);
            std::printf(" %d %s %s ", rating, ratingNames[rating - 1],
                        StudyList::formatInterval(after.due - now).c_str());
        }
        std::printf("\n");
        std::fflush(stdout);
        do {
            key = SingleKeys::next();
        } while ((key < '1' || key > '4') && key != 'q');
        if (key == 'q') {
            return 0;
        }
        CardSchedule after;
        if (studyList.gradeCard(id, key - '0', now, &after) != 0) {
            return failure(studyList.getError());
        }
        ++reviewed;
        std::printf("  %s: due again in %s (%s)\n", ratingNames[key - '1'],
                    StudyList::formatInterval(after.due - now).c_str(),
                    StudyList::formatTime(after.due).c_str());
    }
}

}  // namespace

const char* studyUsageText()
{
    return usageText;
}

int runStudy(int argc, char** argv, const std::string& startFolder)
{
    for (int i = 0; i < argc; ++i) {
        if (std::string(argv[i]) == "--help") {
            std::fputs(usageText, stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    Arguments arguments;
    const std::string problem = readArguments(argc, argv, arguments);
    if (!problem.empty()) {
        return usageError(problem);
    }
    // The library's progress messages would bury the one line a failure
    // prints.
    Log::globalLevel = 2;
    StudyRun run(arguments, startFolder);
    int status = run.run();
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "dexaru2 study: could not write to standard output\n");
        status = 1;
    }
    return status;
}

}  // namespace dexaru2
