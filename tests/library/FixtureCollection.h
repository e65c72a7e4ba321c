// A test fixture: a word dictionary collection over one small EDICT file
// named "fixture", with its own parts-of-speech table and the project's
// deinflection rules (and, when asked, its fuzzy rules), for the tests of
// searches through the whole collection. Loads under a UTF-8 locale, its
// log kept out of the test's output.
#ifndef DEXARU_TESTS_FIXTURECOLLECTION_H
#define DEXARU_TESTS_FIXTURECOLLECTION_H

#include "Deinflector.h"
#include "Edict.h"
#include "FuzzySearch.h"
#include "PartsOfSpeech.h"
#include "TestFiles.h"
#include "WordDictionaryCollection.h"

#include <gtest/gtest.h>

#include <string>

class FixtureCollection : public testing::Test
{
protected:
    enum FuzzyRules { WITHOUT_FUZZY_RULES, WITH_FUZZY_RULES };

    // The EDICT lines are UTF-8 here, written to the file in EUC-JP.
    void load(const std::string& edictLines, const char* partsOfSpeechLines, FuzzyRules fuzzy)
    {
        testing::internal::CaptureStderr();
        table.load(dir.write("partsofspeech.drx", partsOfSpeechLines));
        if (fuzzy == WITH_FUZZY_RULES) {
            rules.loadFromFile(DEXARU_SOURCE_DIR "/data/fuzzysearch.uni.dat");
        }
        engine.loadFromFile(DEXARU_SOURCE_DIR "/data/deinflection.dat");
        Edict* edict = new Edict();
        edict->setName("fixture");
        edict->setFilename(dir.write("edict", testfiles::euc(edictLines)));
        collection.setPartsOfSpeech(&table);
        collection.setFuzzySearch(&rules);
        collection.setDeinflector(&engine);
        collection.addDictionary(edict);
        collection.load();
        testing::internal::GetCapturedStderr();
    }

    testfiles::Utf8Locale locale;
    testfiles::TempDir dir;
    PartsOfSpeech table;
    FuzzySearch rules;
    Deinflector engine;
    WordDictionaryCollection collection;
};

#endif
