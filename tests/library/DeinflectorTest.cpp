#include "Deinflector.h"

#include "WordEntry.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

using testfiles::TempDir;

namespace {

using Reasons = std::vector<std::string>;

// The shipped rules, read once for every test of this file.
const Deinflector& shippedRules()
{
    static Deinflector engine;
    static bool loaded = false;
    if (!loaded) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(engine.loadFromFile(DEXARU_SOURCE_DIR "/data/deinflection.dat"), 0);
        testing::internal::GetCapturedStderr();
        loaded = true;
    }
    return engine;
}

std::wstring wide(const std::string& utf8)
{
    std::wstring text;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        unsigned long code = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        text += static_cast<wchar_t>(code);
        i += length;
    }
    return text;
}

// Every reason chain by which the engine takes form to dictionary with the
// class, joined by ", ".
std::set<std::string> chains(const Deinflector& engine, const std::string& form, const std::string& dictionary,
                             const std::string& wordClass)
{
    std::set<std::string> found;
    for (const Deinflector::Candidate& candidate : engine.deinflect(wide(form))) {
        if (candidate.text != wide(dictionary) || !(candidate.classes & engine.classBit(wordClass))
            || candidate.classes == Deinflector::ALL_CLASSES) {
            continue;
        }
        std::string joined;
        for (const std::string& reason : candidate.reasons) {
            joined += (joined.empty() ? "" : ", ") + reason;
        }
        found.insert(joined);
    }
    return found;
}

struct Inflection
{
    const char* form;
    const char* dictionary;
    const char* wordClass;
    const char* reasons;
};

// By class, then by form.
const Inflection inflections[] = {
    // ichidan
    {"食べます", "食べる", "v1", "polite"},
    {"食べました", "食べる", "v1", "polite, past"},
    {"食べません", "食べる", "v1", "polite, negative"},
    {"食べませんでした", "食べる", "v1", "polite, negative, past"},
    {"食べましょう", "食べる", "v1", "polite, volitional"},
    {"食べなさい", "食べる", "v1", "polite imperative"},
    {"食べない", "食べる", "v1", "negative"},
    {"食べなかった", "食べる", "v1", "negative, past"},
    {"食べた", "食べる", "v1", "past"},
    {"食べたら", "食べる", "v1", "past, conditional"},
    {"食べたり", "食べる", "v1", "past, -tari"},
    {"食べて", "食べる", "v1", "te-form"},
    {"食べている", "食べる", "v1", "progressive"},
    {"食べていた", "食べる", "v1", "progressive, past"},
    {"食べてる", "食べる", "v1", "progressive"},
    {"食べています", "食べる", "v1", "progressive, polite"},
    {"食べれば", "食べる", "v1", "conditional"},
    {"食べよう", "食べる", "v1", "volitional"},
    {"食べろ", "食べる", "v1", "imperative"},
    {"食べられる", "食べる", "v1", "passive"},
    {"食べれる", "食べる", "v1", "potential (colloquial)"},
    {"食べさせる", "食べる", "v1", "causative"},
    {"食べさす", "食べる", "v1", "causative"},
    {"食べさせられなかった", "食べる", "v1", "causative, passive, negative, past"},
    {"食べたい", "食べる", "v1", "want to"},
    {"食べたくなかった", "食べる", "v1", "want to, negative, past"},
    {"食べたがる", "食べる", "v1", "want to, shows signs"},
    {"食べそう", "食べる", "v1", "seems"},
    {"食べすぎた", "食べる", "v1", "too much, past"},
    {"食べ", "食べる", "v1", "continuative"},
    {"食べながら", "食べる", "v1", "while"},
    {"食べず", "食べる", "v1", "negative (-zu)"},
    {"食べずに", "食べる", "v1", "without"},
    {"食べまい", "食べる", "v1", "negative volitional"},
    {"食べちゃった", "食べる", "v1", "completely, past"},
    {"食べりゃ", "食べる", "v1", "conditional, colloquial"},
    {"食べよっか", "食べる", "v1", "volitional, colloquial"},
    {"食べやがる", "食べる", "v1", "disdain"},
    {"食べないでください", "食べる", "v1", "negative, please"},
    {"食べなければならない", "食べる", "v1", "must"},
    // godan く
    {"書きます", "書く", "v5k", "polite"},
    {"書いた", "書く", "v5k", "past"},
    {"書いて", "書く", "v5k", "te-form"},
    {"書かない", "書く", "v5k", "negative"},
    {"書ける", "書く", "v5k", "potential"},
    {"書けない", "書く", "v5k", "potential, negative"},
    {"書かれる", "書く", "v5k", "passive"},
    {"書かせる", "書く", "v5k", "causative"},
    {"書かす", "書く", "v5k", "causative"},
    {"書かされる", "書く", "v5k", "causative, passive"},
    {"書こう", "書く", "v5k", "volitional"},
    {"書け", "書く", "v5k", "imperative"},
    {"書けば", "書く", "v5k", "conditional"},
    {"書きゃ", "書く", "v5k", "conditional, colloquial"},
    {"書かん", "書く", "v5k", "negative (-n)"},
    {"書かぬ", "書く", "v5k", "negative (-nu)"},
    {"書かざる", "書く", "v5k", "negative (-zaru)"},
    {"書かねば", "書く", "v5k", "negative conditional"},
    {"書かんとする", "書く", "v5k", "about to"},
    {"書かんばかり", "書く", "v5k", "as if about to"},
    {"書くまい", "書く", "v5k", "negative volitional"},
    {"書かざるを得ない", "書く", "v5k", "cannot help but"},
    {"書いちゃいけない", "書く", "v5k", "must not"},
    {"書いたって", "書く", "v5k", "past, even if"},
    {"書きそう", "書く", "v5k", "seems"},
    {"書き", "書く", "v5k", "continuative"},
    {"書いとく", "書く", "v5k", "for later"},
    {"書いちゃ", "書く", "v5k", "-te wa"},
    {"書いてしまった", "書く", "v5k", "completely, past"},
    // other godan rows, and 行く, ある and the honorific verbs
    {"行った", "行く", "v5k-s", "past"},
    {"行って", "行く", "v5k-s", "te-form"},
    {"行かない", "行く", "v5k-s", "negative"},
    {"行こっか", "行く", "v5k-s", "volitional, colloquial"},
    {"行かにゃ", "行く", "v5k-s", "negative conditional, colloquial"},
    {"買った", "買う", "v5u", "past"},
    {"買わない", "買う", "v5u", "negative"},
    {"買える", "買う", "v5u", "potential"},
    {"買えば", "買う", "v5u", "conditional"},
    {"買おう", "買う", "v5u", "volitional"},
    {"泳いだ", "泳ぐ", "v5g", "past"},
    {"泳いで", "泳ぐ", "v5g", "te-form"},
    {"泳げる", "泳ぐ", "v5g", "potential"},
    {"話した", "話す", "v5s", "past"},
    {"話させる", "話す", "v5s", "causative"},
    {"話せる", "話す", "v5s", "potential"},
    {"話そう", "話す", "v5s", "volitional"},
    {"待った", "待つ", "v5t", "past"},
    {"待って", "待つ", "v5t", "te-form"},
    {"待て", "待つ", "v5t", "imperative"},
    {"待たされた", "待つ", "v5t", "causative, passive, past"},
    {"死んだ", "死ぬ", "v5n", "past"},
    {"死ねば", "死ぬ", "v5n", "conditional"},
    {"遊んだ", "遊ぶ", "v5b", "past"},
    {"遊ばない", "遊ぶ", "v5b", "negative"},
    {"飲んだ", "飲む", "v5m", "past"},
    {"飲ませられなかった", "飲む", "v5m", "causative, passive, negative, past"},
    {"飲みすぎる", "飲む", "v5m", "too much"},
    {"帰った", "帰る", "v5r", "past"},
    {"帰らない", "帰る", "v5r", "negative"},
    {"帰れる", "帰る", "v5r", "potential"},
    {"分かんない", "分かる", "v5r", "negative, colloquial"},
    {"ない", "ある", "v5r-i", "negative"},
    {"なかった", "ある", "v5r-i", "negative, past"},
    {"あった", "ある", "v5r-i", "past"},
    {"いらっしゃいます", "いらっしゃる", "v5aru", "polite"},
    {"いらっしゃい", "いらっしゃる", "v5aru", "imperative"},
    {"いらっしゃいませ", "いらっしゃる", "v5aru", "polite, imperative"},
    {"くださいませんか", "くださる", "v5aru", "polite, negative, question"},
    {"なさいました", "なさる", "v5aru", "polite, past"},
    {"ございます", "ござる", "v4r", "polite"},
    {"問うた", "問う", "v5u-s", "past"},
    // 来る
    {"来た", "来る", "vk", "past"},
    {"来ない", "来る", "vk", "negative"},
    {"来させる", "来る", "vk", "causative"},
    {"来られる", "来る", "vk", "passive"},
    {"来よう", "来る", "vk", "volitional"},
    {"来い", "来る", "vk", "imperative"},
    {"来れば", "来る", "vk", "conditional"},
    {"こない", "くる", "vk", "negative"},
    {"きます", "くる", "vk", "polite"},
    {"こよう", "くる", "vk", "volitional"},
    {"くれば", "くる", "vk", "conditional"},
    {"來た", "來る", "vk", "past"},
    // する and nouns used with it
    {"した", "する", "vs-i", "past"},
    {"しない", "する", "vs-i", "negative"},
    {"させる", "する", "vs-i", "causative"},
    {"される", "する", "vs-i", "passive"},
    {"しよう", "する", "vs-i", "volitional"},
    {"しろ", "する", "vs-i", "imperative"},
    {"せよ", "する", "vs-i", "imperative"},
    {"すれば", "する", "vs-i", "conditional"},
    {"せず", "する", "vs-i", "negative (-zu)"},
    {"できる", "する", "vs-i", "potential"},
    {"しそう", "する", "vs-i", "seems"},
    {"勉強する", "勉強", "vs", "suru verb"},
    {"勉強しました", "勉強", "vs", "polite, past"},
    {"勉強できる", "勉強", "vs", "potential"},
    {"勉強させられた", "勉強", "vs", "causative, passive, past"},
    // ずる verbs
    {"論じない", "論ずる", "vz", "negative"},
    {"論じた", "論ずる", "vz", "past"},
    {"論じて", "論ずる", "vz", "te-form"},
    {"論じます", "論ずる", "vz", "polite"},
    {"論ずれば", "論ずる", "vz", "conditional"},
    {"論ぜず", "論ずる", "vz", "negative (-zu)"},
    {"論じよう", "論ずる", "vz", "volitional"},
    {"論ぜられる", "論ずる", "vz", "passive"},
    // i-adjectives
    {"高かった", "高い", "adj-i", "past"},
    {"高くない", "高い", "adj-i", "negative"},
    {"高くなかった", "高い", "adj-i", "negative, past"},
    {"高くて", "高い", "adj-i", "te-form"},
    {"高く", "高い", "adj-i", "adverb"},
    {"高ければ", "高い", "adj-i", "conditional"},
    {"高けりゃ", "高い", "adj-i", "conditional, colloquial"},
    {"高さ", "高い", "adj-i", "noun"},
    {"高そう", "高い", "adj-i", "seems"},
    {"高すぎる", "高い", "adj-i", "too much"},
    {"高くなる", "高い", "adj-i", "become"},
    {"高くありません", "高い", "adj-i", "negative, polite"},
    {"高かったです", "高い", "adj-i", "past, polite"},
    {"怖がる", "怖い", "adj-i", "shows signs"},
    {"寂しげ", "寂しい", "adj-i", "looks"},
    {"よかった", "よい", "adj-ix", "past"},
    {"よさそう", "よい", "adj-ix", "seems"},
    {"なさそう", "ない", "adj-i", "seems"},
    // な-adjectives
    {"静かな", "静か", "adj-na", "attributive"},
    {"静かに", "静か", "adj-na", "adverb"},
    {"静かだ", "静か", "adj-na", "copula"},
    {"静かです", "静か", "adj-na", "polite"},
    {"静かでした", "静か", "adj-na", "polite, past"},
    {"静かだった", "静か", "adj-na", "copula, past"},
    {"静かじゃない", "静か", "adj-na", "negative"},
    {"静かではありません", "静か", "adj-na", "negative, polite"},
    {"静かなら", "静か", "adj-na", "conditional"},
    {"静かで", "静か", "adj-na", "te-form"},
    {"静かすぎる", "静か", "adj-na", "too much"},
    {"静かになる", "静か", "adj-na", "become"},
    {"元気そう", "元気", "adj-na", "seems"},
    // the written passive of する-verbs of one kanji, 〜ていただく, 〜うか,
    // adjectives ending in いい
    {"発せられる", "発する", "vs-s", "passive"},
    {"愛せられた", "愛する", "vs-s", "passive, past"},
    {"学ばせていただきます", "学ぶ", "v5b", "causative, have done, polite"},
    {"待って頂いた", "待つ", "v5t", "have done, past"},
    {"読んでいただく", "読む", "v5m", "have done"},
    {"選んで頂く", "選ぶ", "v5b", "have done"},
    {"行こうか", "行く", "v5k-s", "volitional, question"},
    {"食べようか", "食べる", "v1", "volitional, question"},
    {"かっこよかった", "かっこいい", "adj-ix", "past"},
    {"カッコよくない", "カッコいい", "adj-ix", "negative"},
    {"愛想のよさそうな", "愛想のいい", "adj-ix", "seems, attributive"},
    {"育ちがよければ", "育ちがいい", "adj-ix", "conditional"},
    // fixed endings in ない inflect on; the copula's past takes たら;
    // classical negatives of ある; the past of the old verbs in る (v4r)
    {"読まなければならなかった", "読む", "v5m", "must, past"},
    {"勉強しなくてはいけなかった", "勉強", "vs", "must, past"},
    {"見てはいけなかった", "見る", "v1", "must not, past"},
    {"行かざるを得なかった", "行く", "v5k-s", "cannot help but, past"},
    {"静かだったら", "静か", "adj-na", "copula, past, conditional"},
    {"静かでしたら", "静か", "adj-na", "polite, past, conditional"},
    {"あらず", "ある", "v5r-i", "negative (-zu)"},
    {"あらねば", "ある", "v5r-i", "negative conditional"},
    {"あらざる", "ある", "v5r-i", "negative (-zaru)"},
    {"ござった", "ござる", "v4r", "past"},
    {"行くなら", "行く", "v5k-s", "conditional"},
    {"行ったなら", "行く", "v5k-s", "past, conditional"},
    {"高いなら", "高い", "adj-i", "conditional"},
    {"行けばいい", "行く", "v5k-s", "conditional, should"},
    {"行きゃいい", "行く", "v5k-s", "conditional, colloquial, should"},
    {"食べればよかった", "食べる", "v1", "conditional, should have"},
    {"行くそうだ", "行く", "v5k-s", "hearsay"},
    {"来るそうです", "来る", "vk", "hearsay"},
    {"高かったそうです", "高い", "adj-i", "past, hearsay"},
    {"静かだそうだ", "静か", "adj-na", "copula, hearsay"},
    // spoken adjectives in -え (-ai, -oi) and -い (-ui), however spelt
    {"やべえ", "やばい", "adj-i", "colloquial"},
    {"でけえ", "でかい", "adj-i", "colloquial"},
    {"ねえ", "ない", "adj-i", "colloquial"},
    {"すげえ", "すごい", "adj-i", "colloquial"},
    {"ひでえ", "ひどい", "adj-i", "colloquial"},
    {"うるせえ", "うるさい", "adj-i", "colloquial"},
    {"こええ", "こわい", "adj-i", "colloquial"},
    {"さみい", "さむい", "adj-i", "colloquial"},
    {"やべー", "やばい", "adj-i", "colloquial"},
    {"やべぇ", "やばい", "adj-i", "colloquial"},
    {"さみぃ", "さむい", "adj-i", "colloquial"},
    {"しらねえ", "しる", "v5r", "negative, colloquial"},
    {"食べねえ", "食べる", "v1", "negative, colloquial"},
    {"寒っ", "寒い", "adj-i", "colloquial"},
    // Kansai negatives
    {"行かへん", "行く", "v5k-s", "negative (Kansai)"},
    {"食べへん", "食べる", "v1", "negative (Kansai)"},
    {"行かへんかった", "行く", "v5k-s", "negative (Kansai), past"},
    {"知らんかった", "知る", "v5r", "negative (-n), past"},
    {"食べんかったら", "食べる", "v1", "negative (-n), past, conditional"},
    {"見いひん", "見る", "v1", "negative (Kansai)"},
    {"せえへん", "する", "vs-i", "negative (Kansai)"},
    {"しいひんかった", "する", "vs-i", "negative (Kansai), past"},
    {"こおへん", "くる", "vk", "negative (Kansai)"},
    {"けえへん", "くる", "vk", "negative (Kansai)"},
    {"来へん", "来る", "vk", "negative (Kansai)"},
    {"あらへん", "ある", "v5r-i", "negative (Kansai)"},
    {"あらん", "ある", "v5r-i", "negative (-n)"},
    {"行きませんかった", "行く", "v5k-s", "polite, negative, past"},
    {"行きまへん", "行く", "v5k-s", "polite, negative"},
    {"行かはる", "行く", "v5k-s", "honorific (Kansai)"},
    {"食べはった", "食べる", "v1", "honorific (Kansai), past"},
    {"いいっす", "いい", "adj-ix", "polite (colloquial)"},
    {"行くっす", "行く", "v5k-s", "polite (colloquial)"},
    // the polite forms' rarer endings
    {"言いますまい", "言う", "v5u", "polite, negative volitional"},
    {"行きますれば", "行く", "v5k-s", "polite, conditional"},
    // する written 為る
    {"為た", "為る", "vs-i", "past"},
    {"為て", "為る", "vs-i", "te-form"},
    {"為ない", "為る", "vs-i", "negative"},
    {"為ます", "為る", "vs-i", "polite"},
    {"為ました", "為る", "vs-i", "polite, past"},
    {"為れば", "為る", "vs-i", "conditional"},
    {"為よう", "為る", "vs-i", "volitional"},
    {"為ろ", "為る", "vs-i", "imperative"},
    {"為ず", "為る", "vs-i", "negative (-zu)"},
    // う-verbs in うた and うて, whatever their class in the dictionary
    {"問うて", "問う", "v5u-s", "te-form"},
    {"請うた", "請う", "v5u-s", "past"},
    {"恋うた", "恋う", "v5u", "past"},
    {"恋うて", "恋う", "v5u", "te-form"},
    {"宣うた", "宣う", "v5u", "past"},
    {"言うてた", "言う", "v5u", "progressive, past"},
    // the classical attributive, げ written 気, the noun in み
    {"愛しき", "愛しい", "adj-i", "attributive (classical)"},
    {"良き", "良い", "adj-i", "attributive (classical)"},
    {"名もなき", "名もない", "adj-i", "attributive (classical)"},
    {"可愛気", "可愛い", "adj-i", "looks"},
    {"よさ気", "よい", "adj-ix", "looks"},
    {"不安気", "不安", "adj-na", "looks"},
    {"温かみ", "温かい", "adj-i", "noun"},
    {"便利さ", "便利", "adj-na", "noun"},
    // られない said らんない
    {"食べらんない", "食べる", "v1", "passive, negative, colloquial"},
    {"信じらんなかった", "信じる", "v1", "passive, negative, colloquial, past"},
    {"やってらんない", "やる", "v5r", "progressive, passive, negative, colloquial"},
    // going on and coming to, wanting someone to, trying to
    {"歩いていく", "歩く", "v5k", "go on"},
    {"増えてく", "増える", "v1", "go on"},
    {"持ってった", "持つ", "v5t", "go on, past"},
    {"読んで行く", "読む", "v5m", "go on"},
    {"変わってきた", "変わる", "v5r", "come to, past"},
    {"なってきました", "なる", "v5r", "come to, polite, past"},
    {"眠くなってきた", "眠い", "adj-i", "become, come to, past"},
    {"来てほしい", "来る", "vk", "want someone to"},
    {"書いて欲しかった", "書く", "v5k", "want someone to, past"},
    {"寝ようとした", "寝る", "v1", "volitional, try to, past"},
    {"持ってかない", "持つ", "v5t", "go on, negative"},
    {"持ってこう", "持つ", "v5t", "go on, volitional"},
    // verbs after the continuative, the noun すぎ
    {"読み始めた", "読む", "v5m", "start to, past"},
    {"泣き出した", "泣く", "v5k", "start to, past"},
    {"書き続けている", "書く", "v5k", "continue to, progressive"},
    {"食べ終わった", "食べる", "v1", "finish, past"},
    {"言い忘れた", "言う", "v5u", "forget to, past"},
    {"信じがたい", "信じる", "v1", "hard to"},
    {"忘れがちな", "忘れる", "v1", "tend to, attributive"},
    {"書き方", "書く", "v5k", "way of"},
    {"飲みすぎ", "飲む", "v5m", "too much"},
    {"高すぎ", "高い", "adj-i", "too much"},
    {"静かすぎ", "静か", "adj-na", "too much"},
    {"高くって", "高い", "adj-i", "te-form"},
    // after the plain form: presumptive, explanatory; short ましょ
    {"行くでしょ", "行く", "v5k-s", "presumptive"},
    {"高かっただろう", "高い", "adj-i", "past, presumptive"},
    {"行くんです", "行く", "v5k-s", "explanatory"},
    {"食べたのだ", "食べる", "v1", "past, explanatory"},
    {"静かなんです", "静か", "adj-na", "explanatory"},
    {"行きましょ", "行く", "v5k-s", "polite, volitional"},
    // the honorific お and ご, taken off the front
    {"お待ちください", "待つ", "v5t", "please"},
    {"お読みになりました", "読む", "v5m", "honorific, polite, past"},
    {"お待ちしております", "待つ", "v5t", "humble, progressive, polite"},
    {"お会いしました", "会う", "v5u", "humble, polite, past"},
    {"ご連絡ください", "連絡", "vs", "please"},
    {"ご利用いただけます", "利用", "vs", "have done, potential, polite"},
    {"お伺いいたします", "伺う", "v5u", "humble, polite"},
    {"お待ちです", "待つ", "v5t", "honorific"},
    {"お越しくださった", "越す", "v5s", "please, past"},
    // written endings: while, can, cannot, should, the imperative in たまえ
    {"読みつつ", "読む", "v5m", "while"},
    {"進みつつある", "進む", "v5m", "in the process of"},
    {"起こり得る", "起こる", "v5r", "can"},
    {"ありうる", "ある", "v5r-i", "can"},
    {"書きかねない", "書く", "v5k", "might"},
    {"言いかねる", "言う", "v5u", "cannot"},
    {"行くべき", "行く", "v5k-s", "should"},
    {"すべき", "する", "vs-i", "should"},
    {"忘れるべからず", "忘れる", "v1", "must not"},
    {"読みたまえ", "読む", "v5m", "imperative"},
    {"勉強出来る", "勉強", "vs", "potential"},
    {"殴ってやる", "殴る", "v5r", "for someone"},
    {"待ってらっしゃる", "待つ", "v5t", "progressive"},
    {"読んでおられる", "読む", "v5m", "progressive"},
    {"静かでいる", "静か", "adj-na", "progressive"},
    // questions in か after the polite forms
    {"行きますか", "行く", "v5k-s", "polite, question"},
    {"行きましたか", "行く", "v5k-s", "polite, past, question"},
    {"高いですか", "高い", "adj-i", "polite, question"},
    {"静かでしたか", "静か", "adj-na", "polite, past, question"},
    {"大丈夫でしょうか", "大丈夫", "adj-na", "presumptive, question"},
    {"お読みいただけますか", "読む", "v5m", "have done, potential, polite, question"},
    {"お帰りなさいませ", "帰る", "v5r", "polite imperative"},
    {"お忘れなく", "忘れる", "v1", "negative imperative"},
    {"行きはる", "行く", "v5k-s", "honorific (Kansai)"},
    {"見せてくんない", "見せる", "v1", "for me, negative, colloquial"},
    {"はええ", "はやい", "adj-i", "colloquial"},
};

// Forms that merely end like an inflection, or chains that would cross word
// classes: the engine must not offer the dictionary form with that class.
const Inflection falseFriends[] = {
    {"書か", "書く", "v5k", ""},  // a stem alone is no word
    {"書った", "書く", "v5k", ""},  // った is 行く's own past
    {"泳いた", "泳ぐ", "v5g", ""},  // ぐ verbs end in いだ
    {"泳いだ", "泳く", "v5k", ""},
    {"食べった", "食べる", "v1", ""},  // った makes godan verbs only
    {"読みて", "読む", "v5m", ""},
    {"見ない", "見る", "v5r", ""},  // the ら stem is the godan one
    {"ください", "くださる", "v5r", ""},  // い is the honorific verbs' own
    {"きた", "くる", "v1", ""},
    {"高くて", "高い", "v1", ""},
    {"静かな", "静か", "adj-i", ""},
    {"ねこ", "ね", "v5k", ""},
    {"よかった", "いい", "adj-ix", ""},  // いい alone is listed under よい too
    {"発せさせる", "発する", "vs-s", ""},  // せ goes before られる only
    {"行こうが", "行く", "v5k-s", ""},
    {"うか", "う", "v5u", ""},
    {"静かだったり", "静か", "v5r", ""},
    {"書かなら", "書く", "v5k", ""},  // なら follows the plain form, not a stem
    {"書くへん", "書く", "v5k", ""},  // へん follows the negative stem
    {"見いひん", "見る", "v5r", ""},  // いひん is the ichidan verbs' own
    {"やばー", "やばい", "adj-i", ""},  // spelt out, the ending is still ばー
    {"書かへんへん", "書く", "v5k", ""},
    {"知らんかったかった", "知る", "v5r", ""},
    {"為った", "為る", "vs-i", ""},  // 為った is なる's past
    {"お茶", "茶", "n", ""},  // お comes off before an honorific ending only
    {"おいしい", "いしい", "adj-i", ""},
    {"ご飯ください", "飯", "n", ""},  // a noun without する keeps its ご
    // auxiliary verbs that only a verb's て form takes
    {"静かでしまう", "静か", "adj-na", ""},
    {"まだでくる", "まだ", "adj-na", ""},
    {"静かでほしい", "静か", "adj-na", ""},
    {"高くてしまう", "高い", "adj-i", ""},
    {"書きますまいか", "書く", "v5k", ""},
};

}  // namespace

TEST(DeinflectorTest, TakesEachFormToItsDictionaryFormWithItsReasons)
{
    const Deinflector& engine = shippedRules();
    ASSERT_TRUE(engine.isLoaded());
    for (const Inflection& row : inflections) {
        ASSERT_NE(engine.classBit(row.wordClass), 0u) << row.wordClass;
        const std::set<std::string> found = chains(engine, row.form, row.dictionary, row.wordClass);
        EXPECT_EQ(found.count(row.reasons), 1u)
            << row.form << " -> " << row.dictionary << " (" << row.wordClass << ") should be: " << row.reasons
            << "; found " << found.size() << " chains"
            << (found.empty() ? std::string() : ", the first: " + *found.begin());
    }
}

TEST(DeinflectorTest, OffersNoDictionaryFormAcrossWordClasses)
{
    const Deinflector& engine = shippedRules();
    for (const Inflection& row : falseFriends) {
        const std::set<std::string> found = chains(engine, row.form, row.dictionary, row.wordClass);
        EXPECT_TRUE(found.empty()) << row.form << " -> " << row.dictionary << " (" << row.wordClass
                                   << ") through: " << *found.begin();
    }
}

TEST(DeinflectorTest, StemsAreNamedOnlyWhenTypedAlone)
{
    const Deinflector& engine = shippedRules();
    const std::pair<const char*, const char*> forms[] = {
        {"食べました", "食べる"}, {"食べたい", "食べる"}, {"食べている", "食べる"}, {"書いてしまった", "書く"}};
    for (const auto& [form, dictionary] : forms) {
        for (const Deinflector::Candidate& candidate : engine.deinflect(wide(form))) {
            if (candidate.text != wide(dictionary)) {
                continue;
            }
            for (const std::string& reason : candidate.reasons) {
                EXPECT_NE(reason, "continuative") << form;
                EXPECT_NE(reason, "te-form") << form;
            }
        }
    }
}

TEST(DeinflectorTest, ListsTheTextFirstThenEachCandidateOnceByNumberOfSteps)
{
    const Deinflector& engine = shippedRules();
    for (const char* form : {"飲ませられなかった", "いきました", "かった", "ねこ", "する", "ない", "て"}) {
        const std::vector<Deinflector::Candidate> candidates = engine.deinflect(wide(form));
        ASSERT_FALSE(candidates.empty());
        EXPECT_EQ(candidates[0].text, wide(form));
        EXPECT_EQ(candidates[0].classes, Deinflector::ALL_CLASSES);
        EXPECT_TRUE(candidates[0].reasons.empty());
        std::set<std::pair<std::wstring, uint64_t>> seen;
        for (std::size_t i = 1; i < candidates.size(); ++i) {
            EXPECT_TRUE(seen.insert({candidates[i].text, candidates[i].classes}).second) << form << " twice";
            EXPECT_FALSE(candidates[i].text.empty()) << form;
            EXPECT_FALSE(candidates[i].reasons.empty()) << form << " without reasons";
            EXPECT_NE(candidates[i].classes, Deinflector::ALL_CLASSES) << form;
        }
    }
}

TEST(DeinflectorTest, EveryChainEndsWhateverTheRules)
{
    TempDir dir;
    Deinflector engine;
    // Rules that rewrite in a circle, and one that lengthens the word.
    const std::string rules = "a b x x back\nb a x x forth\nc cc x x longer\n";
    testing::internal::CaptureStderr();
    ASSERT_EQ(engine.loadFromFile(dir.write("rules.dat", rules)), 0);
    const std::vector<Deinflector::Candidate> circle = engine.deinflect(L"a");
    const std::vector<Deinflector::Candidate> growing = engine.deinflect(L"c");
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(circle.size(), 3u);  // a as typed, b, and a again with class x
    EXPECT_EQ(circle[1].text, L"b");
    EXPECT_EQ(circle[2].text, L"a");
    EXPECT_EQ(growing.size(), static_cast<std::size_t>(Deinflector::MAX_STEPS + 1));
    EXPECT_EQ(growing.back().text, std::wstring(Deinflector::MAX_STEPS + 1, L'c'));
}

TEST(DeinflectorTest, ReadsTheFileFormatAndSkipsMalformedLines)
{
    TempDir dir;
    Deinflector engine;
    const std::string rules =
        "# comment\n"
        "stems: stem\n"
        "\n"
        "\xE3\x81\x9F  \xE3\x82\x8B  v1  past  past\n"  // た る
        "\xE3\x81\xBE\xE3\x81\x99 - stem typed polite\n"  // ます, to a stem
        "- \xE3\x82\x8B v1 stem -\n"
        "too few fields\n"
        "  \t\n"
        "^\xE3\x81\x8A - stem typed honorific\n";  // お taken off the front
    testing::internal::CaptureStderr();
    ASSERT_EQ(engine.loadFromFile(dir.write("rules.dat", rules)), 0);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_EQ(engine.getRuleCount(), 4);
    EXPECT_NE(messages.find("Line 7"), std::string::npos) << messages;
    EXPECT_NE(engine.classBit("v1"), 0u);
    EXPECT_EQ(engine.classBit("n"), 0u);

    testing::internal::CaptureStderr();
    const std::vector<Deinflector::Candidate> candidates = engine.deinflect(L"たべます");
    testing::internal::GetCapturedStderr();
    // The stem たべ leads on but is no candidate of its own.
    ASSERT_EQ(candidates.size(), 2u);
    EXPECT_EQ(candidates[1].text, L"たべる");
    EXPECT_EQ(candidates[1].reasons, Reasons({"polite"}));

    testing::internal::CaptureStderr();
    const std::vector<Deinflector::Candidate> honorific = engine.deinflect(L"おたべ");
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(honorific.size(), 2u);
    EXPECT_EQ(honorific[1].text, L"たべる");
    EXPECT_EQ(honorific[1].reasons, Reasons({"honorific"}));
}

TEST(DeinflectorTest, WithoutItsFileTheEngineGivesTheTextOnly)
{
    Deinflector engine;
    EXPECT_FALSE(engine.isLoaded());
    testing::internal::CaptureStderr();
    EXPECT_EQ(engine.loadFromFile("/nonexistent/deinflection.dat"), -1);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("/nonexistent/deinflection.dat"), std::string::npos);
    EXPECT_FALSE(engine.isLoaded());
    const std::vector<Deinflector::Candidate> candidates = engine.deinflect(L"たべた");
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_EQ(candidates[0].text, L"たべた");
    EXPECT_TRUE(engine.deinflect(L"").size() == 1u);
}

TEST(DeinflectorTest, AnEntryFitsWhenOneOfItsTagsIsAClassOfTheCandidate)
{
    const Deinflector& engine = shippedRules();
    auto entryWith = [](std::vector<std::string> tags) {
        WordEntry* entry = new WordEntry();
        for (const std::string& tag : tags) {
            entry->info.push_back(new EntryInfo{tag, ""});
        }
        return entry;
    };
    const Deinflector::Candidate typed{L"かいた", {}, Deinflector::ALL_CLASSES};
    const Deinflector::Candidate godan{L"かく", {"past"}, engine.classBit("v5k") | engine.classBit("v5k-s")};
    struct Case
    {
        std::vector<std::string> tags;
        bool fitsGodan;
    } cases[] = {
        {{"v5k", "vt"}, true}, {{"vt", "v5k-s"}, true}, {{"n"}, false}, {{}, false}, {{"v1"}, false},
        {{"unknown-tag"}, false},
    };
    for (const Case& c : cases) {
        WordEntry* entry = entryWith(c.tags);
        EXPECT_TRUE(engine.fits(typed, *entry));
        EXPECT_EQ(engine.fits(godan, *entry), c.fitsGodan) << (c.tags.empty() ? "no tags" : c.tags[0]);
        delete entry;
    }
}

TEST(DeinflectorTest, HostileRuleFilesLoadAndEveryWalkEnds)
{
    TempDir dir;
    std::string noise;
    unsigned seed = 18;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const char pieces[] = {' ', '\t', '\n', '-', ',', '(', ')', '#', '\xE3', '\x81', '\x82', 'a', 'v'};
        noise += pieces[(seed >> 16) % sizeof(pieces)];
    }
    // Its runs of 17 characters and more are endings beyond the limit; cut
    // into short lines, it loads.
    std::string shortLines;
    for (std::size_t i = 0; i < noise.size(); i += 12) {
        shortLines += noise.substr(i, 12) + "\n";
    }
    const std::pair<std::string, int> files[] = {
        {noise, -1}, {shortLines, 0}, {"\xFF\xFE\xE3\x81 - x x r\n", 0}, {"", 0}};
    for (const auto& [bytes, loaded] : files) {
        Deinflector engine;
        testing::internal::CaptureStderr();
        EXPECT_EQ(engine.loadFromFile(dir.write("rules.dat", bytes)), loaded);
        for (const wchar_t* text : {L"a", L"あ", L"", L"\xFFFD", L"vv"}) {
            const std::vector<Deinflector::Candidate> candidates = engine.deinflect(text);
            ASSERT_FALSE(candidates.empty());
            EXPECT_LE(candidates.size(), static_cast<std::size_t>(Deinflector::MAX_CANDIDATES));
        }
        testing::internal::GetCapturedStderr();
    }
}

namespace {

// count rules that each lengthen any word by a different piece, all of one
// class: every candidate matches every rule.
std::string growingRules(int count, const std::string& ending = "-")
{
    std::string rules;
    for (int i = 0; i < count; ++i) {
        rules += ending + " " + ending + std::to_string(i) + " x x reason\n";
    }
    return rules;
}

}  // namespace

TEST(DeinflectorTest, ARuleFileBeyondTheLimitsIsRefusedWhole)
{
    TempDir dir;
    const std::string fine = "a b x x reason\n";
    struct Case
    {
        std::string rules;
        const char* why;
    } cases[] = {
        {growingRules(Deinflector::MAX_RULES + 1), "more than 5000 rules"},
        {fine + "a " + std::string(100000, 'b') + " x x reason\n", "line 2: it is longer than 1024 bytes"},
        {fine + std::string(2000, '#') + "\n", "line 2: it is longer than 1024 bytes"},
        {fine + std::string(17, 'a') + " b x x reason\n", "line 2: an ending is longer than 16 characters"},
        {fine + "a " + std::string(17, 'b') + " x x reason\n", "line 2: an ending is longer than 16 characters"},
    };
    for (const Case& c : cases) {
        Deinflector engine;
        testing::internal::CaptureStderr();
        EXPECT_EQ(engine.loadFromFile(dir.write("rules.dat", c.rules)), -1) << c.why;
        const std::string messages = testing::internal::GetCapturedStderr();
        EXPECT_NE(messages.find("Refused the deinflection rules"), std::string::npos) << messages;
        EXPECT_NE(messages.find(c.why), std::string::npos) << messages;
        EXPECT_FALSE(engine.isLoaded());
        EXPECT_EQ(engine.getRuleCount(), 0);
        EXPECT_EQ(engine.deinflect(L"a").size(), 1u);
    }
    // At the limits the file is read.
    Deinflector engine;
    testing::internal::CaptureStderr();
    const std::string longest = std::string(16, 'a') + " " + std::string(16, 'b') + " x x reason\n";
    EXPECT_EQ(engine.loadFromFile(dir.write("rules.dat", growingRules(Deinflector::MAX_RULES - 1) + longest)), 0);
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(engine.getRuleCount(), Deinflector::MAX_RULES);
}

TEST(DeinflectorTest, AHostileRuleFileWithinTheLimitsGetsABoundedWalk)
{
    // 4,000 rules of about 20 bytes (80 KB) that all match every word: a
    // walk would try millions of them before it reached its last step, and
    // remember every text they made.
    TempDir dir;
    std::string sameRule;
    for (int i = 0; i < 4000; ++i) {
        sameRule += "- b x x reason\n";
    }
    struct Case
    {
        std::string rules;
        const char* stop;
    } cases[] = {
        {growingRules(4000), "Stopped at 2000 candidates of 'a'"},
        {growingRules(4000, "a"), "Stopped at 2000 candidates of 'a'"},
        {growingRules(200), "Stopped at 2000 candidates of 'a'"},
        {sameRule, "Stopped after trying 10000 rules on 'a'"},
    };
    for (const Case& c : cases) {
        Deinflector engine;
        testing::internal::CaptureStderr();
        ASSERT_EQ(engine.loadFromFile(dir.write("rules.dat", c.rules)), 0);
        const std::vector<Deinflector::Candidate> candidates = engine.deinflect(L"a");
        const std::string messages = testing::internal::GetCapturedStderr();
        EXPECT_NE(messages.find(c.stop), std::string::npos) << messages;
        ASSERT_FALSE(candidates.empty());
        EXPECT_EQ(candidates[0].text, L"a");
        EXPECT_LE(candidates.size(), static_cast<std::size_t>(Deinflector::MAX_CANDIDATES));
        for (const Deinflector::Candidate& candidate : candidates) {
            EXPECT_LE(candidate.rules, Deinflector::MAX_STEPS);
        }
    }
}
