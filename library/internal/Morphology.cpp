#include "internal/Morphology.h"

#include "Kana.h"
#include "internal/Utf8.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#ifdef DEXARU_HAVE_MECAB
#include <mecab.h>
#endif

#ifndef DEXARU_MECAB_DICTIONARY
#define DEXARU_MECAB_DICTIONARY "/var/lib/mecab/dic/ipadic-utf8"
#endif

namespace internal {

namespace {

struct TagClasses
{
    const char* tag;
    uint32_t classes;
};

const TagClasses tagClasses[] = {
    {"n", NOUN}, {"n-adv", NOUN | ADVERB}, {"n-t", NOUN}, {"n-pr", NOUN},
    {"n-suf", NOUN | SUFFIX}, {"n-pref", NOUN | PREFIX}, {"pn", PRONOUN},
    {"vs", SAHEN_NOUN}, {"adj-i", ADJECTIVE}, {"adj-ix", ADJECTIVE}, {"adj-na", NA_ADJECTIVE},
    {"adj-no", NOUN}, {"adj-pn", ADNOMINAL}, {"adj-t", ADNOMINAL}, {"adj-f", ADNOMINAL},
    {"adv", ADVERB}, {"adv-to", ADVERB}, {"prt", PARTICLE}, {"aux", AUXILIARY},
    {"aux-v", AUXILIARY}, {"aux-adj", AUXILIARY}, {"cop", AUXILIARY}, {"cop-da", AUXILIARY},
    {"conj", CONJUNCTION}, {"int", INTERJECTION}, {"pref", PREFIX}, {"suf", SUFFIX},
    {"ctr", SUFFIX}, {"num", NUMBER}, {"exp", EXPRESSION},
};

bool startsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

// The dictionary classes an IPADIC part of speech and subclass allow.
uint32_t classesOf(const std::string& part, const std::string& sub)
{
    if (part == "名詞") {
        if (sub == "代名詞") return PRONOUN | NOUN;
        if (sub == "形容動詞語幹" || sub == "ナイ形容詞語幹") return NA_ADJECTIVE | NOUN;
        if (sub == "サ変接続") return NOUN | SAHEN_NOUN;
        if (sub == "副詞可能") return NOUN | ADVERB;
        if (sub == "接尾") return SUFFIX;
        if (sub == "数") return NUMBER | NOUN;
        if (sub == "特殊") return NA_ADJECTIVE | SUFFIX | AUXILIARY;
        if (sub == "非自立") return NOUN | ADVERB | NA_ADJECTIVE;
        return NOUN;
    }
    if (part == "動詞") return sub == "自立" ? VERB : VERB | AUXILIARY;
    if (part == "形容詞") return sub == "自立" ? ADJECTIVE : ADJECTIVE | AUXILIARY;
    if (part == "副詞") return ADVERB;
    if (part == "連体詞") return ADNOMINAL;
    if (part == "助詞") return sub == "接続助詞" ? PARTICLE | CONJUNCTION : uint32_t(PARTICLE);
    if (part == "助動詞") return AUXILIARY | EXPRESSION;
    if (part == "接続詞") return CONJUNCTION;
    if (part == "感動詞" || part == "フィラー") return INTERJECTION | EXPRESSION;
    if (part == "接頭詞") return PREFIX;
    return 0;
}

// The comma-separated fields of a feature string; a field in double
// quotes may hold commas (UniDic's).
std::vector<std::string> fieldsOf(const char* feature)
{
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (const char* c = feature; *c != '\0'; ++c) {
        if (*c == '"') {
            quoted = !quoted;
        } else if (*c == ',' && !quoted) {
            fields.push_back(field);
            field.clear();
        } else {
            field += *c;
        }
    }
    fields.push_back(field);
    return fields;
}

// A UniDic part of speech in the IPADIC terms the reader speaks: its first
// field, its second, and whether it is known to depend on what comes
// before (非自立可能, decided by the caller).
void unidicToIpadic(const std::vector<std::string>& fields, std::string* part, std::string* sub)
{
    const std::string& first = fields[0];
    const std::string second = fields.size() > 1 ? fields[1] : std::string();
    const std::string third = fields.size() > 2 ? fields[2] : std::string();
    *part = first;
    *sub = "一般";
    if (first == "名詞") {
        if (second == "固有名詞") *sub = "固有名詞";
        else if (second == "数詞") *sub = "数";
        else if (third == "サ変可能") *sub = "サ変接続";
        else if (third == "形状詞可能") *sub = "形容動詞語幹";
        else if (third == "副詞可能") *sub = "副詞可能";
    } else if (first == "代名詞") {
        *part = "名詞";
        *sub = "代名詞";
    } else if (first == "形状詞") {
        *part = "名詞";
        *sub = second == "助動詞語幹" ? "特殊" : "形容動詞語幹";
    } else if (first == "動詞" || first == "形容詞") {
        *sub = second == "非自立可能" ? "非自立可能" : "自立";
    } else if (first == "助詞") {
        *sub = second;
    } else if (first == "接頭辞") {
        *part = "接頭詞";
    } else if (first == "接尾辞") {
        if (second == "動詞的") {
            *part = "動詞";
            *sub = "接尾";
        } else if (second == "形容詞的") {
            *part = "形容詞";
            *sub = "接尾";
        } else {
            *part = "名詞";
            *sub = "接尾";
        }
    } else if (first == "補助記号" || first == "空白") {
        *part = "記号";
    }
}

bool isFolder(const std::string& path)
{
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

uint32_t wordClassesOfTag(const std::string& tag)
{
    for (const TagClasses& known : tagClasses) {
        if (tag == known.tag) {
            return known.classes;
        }
    }
    // Verbs of every conjugation ("v1", "v5r-i", "vs-i", "vk"), not the
    // transitivity marks.
    if (tag.size() >= 2 && tag[0] == 'v' && tag != "vi" && tag != "vt"
        && (std::isdigit(static_cast<unsigned char>(tag[1])) || startsWith(tag, "vs-")
            || tag == "vk" || tag == "vz" || tag == "vn" || tag == "vr" || startsWith(tag, "v-"))) {
        return VERB;
    }
    if (startsWith(tag, "adj-")) {
        return ADJECTIVE;
    }
    return 0;
}

std::string Morphology::defaultDictionary()
{
    const char* chosen = std::getenv("DEXARU_MECAB_DICTIONARY");
    return chosen != nullptr ? chosen : DEXARU_MECAB_DICTIONARY;
}

#ifdef DEXARU_HAVE_MECAB

struct Morphology::Analyser
{
    struct ModelDeleter { void operator()(mecab_model_t* model) const { mecab_model_destroy(model); } };
    struct TaggerDeleter { void operator()(mecab_t* tagger) const { mecab_destroy(tagger); } };
    struct LatticeDeleter { void operator()(mecab_lattice_t* lattice) const { mecab_lattice_destroy(lattice); } };
    std::unique_ptr<mecab_model_t, ModelDeleter> model;
    std::unique_ptr<mecab_t, TaggerDeleter> tagger;
    std::unique_ptr<mecab_lattice_t, LatticeDeleter> lattice;
};

#else

struct Morphology::Analyser
{
};

#endif

Morphology::Morphology(std::string dictionaryFolder) : folder(std::move(dictionaryFolder)) {}

Morphology::~Morphology() = default;

bool Morphology::isAvailable()
{
    if (tried) {
        return analyser != nullptr;
    }
    tried = true;
#ifdef DEXARU_HAVE_MECAB
    if (folder.empty()) {
        failure = "no dictionary of the morphological analyser is chosen";
        return false;
    }
    if (!isFolder(folder) || access((folder + "/sys.dic").c_str(), R_OK) != 0) {
        failure = "the dictionary of the morphological analyser is missing: " + folder;
        return false;
    }
    // No configuration file: the dictionary folder says everything.
    const std::string arguments = "-r /dev/null -d " + folder;
    std::unique_ptr<Analyser> opened(new Analyser);
    opened->model.reset(mecab_model_new2(arguments.c_str()));
    if (opened->model) {
        opened->tagger.reset(mecab_model_new_tagger(opened->model.get()));
        opened->lattice.reset(mecab_model_new_lattice(opened->model.get()));
    }
    if (!opened->tagger || !opened->lattice) {
        const char* why = mecab_strerror(nullptr);
        failure = std::string("the morphological analyser cannot open ") + folder + ": "
                  + (why != nullptr ? why : "unknown error");
        return false;
    }
    analyser = std::move(opened);
    return true;
#else
    failure = "the library was built without the morphological analyser (MeCab)";
    return false;
#endif
}

std::vector<Morpheme> Morphology::analyse(const std::wstring& text, std::size_t start,
                                          std::size_t end)
{
    std::vector<Morpheme> morphemes;
#ifdef DEXARU_HAVE_MECAB
    if (!isAvailable() || start >= end) {
        return morphemes;
    }
    std::string bytes;
    std::vector<std::size_t> characterAt;  // the character of each byte, and one past the end
    for (std::size_t i = start; i < end; ++i) {
        const std::size_t before = bytes.size();
        appendUtf8(text[i], &bytes);
        characterAt.insert(characterAt.end(), bytes.size() - before, i);
    }
    characterAt.push_back(end);
    mecab_lattice_t* lattice = analyser->lattice.get();
    mecab_lattice_set_sentence2(lattice, bytes.data(), bytes.size());
    if (mecab_parse_lattice(analyser->tagger.get(), lattice) == 0) {
        return morphemes;
    }
    for (const mecab_node_t* node = mecab_lattice_get_bos_node(lattice); node != nullptr;
         node = node->next) {
        if (node->stat != MECAB_NOR_NODE && node->stat != MECAB_UNK_NODE) {
            continue;
        }
        const std::size_t offset = static_cast<std::size_t>(node->surface - bytes.data());
        if (node->length == 0 || offset + node->length > bytes.size()) {
            continue;
        }
        Morpheme morpheme;
        morpheme.start = characterAt[offset];
        morpheme.length = characterAt[offset + node->length] - morpheme.start;
        morpheme.surface = text.substr(morpheme.start, morpheme.length);
        const std::vector<std::string> fields = fieldsOf(node->feature);
        // UniDic's layout has a kana field at 20; IPADIC's (and NAIST-jdic's)
        // base form and reading stand at 6 and 7.
        const bool unidic = fields.size() > 20;
        morpheme.known = node->stat == MECAB_NOR_NODE && fields.size() > 7;
        if (unidic) {
            unidicToIpadic(fields, &morpheme.partOfSpeech, &morpheme.subclass);
            // A verb or adjective that may depend on what comes before does
            // so after a conjunctive て or で (している, してほしい).
            if (morpheme.subclass == "非自立可能") {
                const bool afterTe = !morphemes.empty() && morphemes.back().is("助詞", "接続助詞");
                morpheme.subclass = afterTe ? "非自立" : "自立";
            }
        } else {
            morpheme.partOfSpeech = fields[0];
            morpheme.subclass = fields.size() > 1 ? fields[1] : std::string();
        }
        morpheme.classes = classesOf(morpheme.partOfSpeech, morpheme.subclass);
        if (morpheme.known && unidic) {
            morpheme.conjugation = fields[5];
            std::string lemma = fields[7];
            const std::size_t dash = lemma.find('-');
            if (dash != std::string::npos && dash > 0) {
                lemma.erase(dash);  // 私-代名詞, ファイル-file
            }
            morpheme.baseForm = fromUtf8(lemma);
            morpheme.reading = Kana::toHiragana(fromUtf8(fields[20]));
        } else if (morpheme.known) {
            morpheme.conjugation = fields[5];
            if (fields[6] != "*") {
                morpheme.baseForm = fromUtf8(fields[6]);
            }
            if (fields[7] != "*") {
                morpheme.reading = Kana::toHiragana(fromUtf8(fields[7]));
            }
        }
        morphemes.push_back(std::move(morpheme));
    }
#else
    (void)text;
    (void)start;
    (void)end;
#endif
    return morphemes;
}

}  // namespace internal
