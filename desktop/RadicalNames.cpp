#include "RadicalNames.h"

#include "StrokeGridDelegate.h"

#include <QCoreApplication>

#include <algorithm>
#include <iterator>

namespace {

struct RadicalName
{
    char32_t radical;  // as the radical table holds it
    int kangxi;  // 0: no Kangxi radical
    const char* meaning;
};

// In the RADKFILE's order: by stroke count, as its "$" lines come.
const RadicalName NAMES[] = {
    {0x4E00, 1, "one"},  // 一
    {0xFF5C, 2, "line"},  // ｜
    {0x4E36, 3, "dot"},  // 丶
    {0x30CE, 4, "slash"},  // ノ
    {0x4E59, 5, "second"},  // 乙
    {0x4E85, 6, "hook"},  // 亅
    {0x4E8C, 7, "two"},  // 二
    {0x4EA0, 8, "lid"},  // 亠
    {0x4EBA, 9, "person"},  // 人
    {0x2E85, 9, "person (亻, at the left)"},  // ⺅
    {0x4E2A, 9, "person (𠆢, on top)"},  // 个
    {0x513F, 10, "legs"},  // 儿
    {0x5165, 11, "enter"},  // 入
    {0x30CF, 12, "eight (八)"},  // ハ
    {0x5E76, 12, "eight, upside down (丷)"},  // 并
    {0x5182, 13, "down box"},  // 冂
    {0x5196, 14, "cover"},  // 冖
    {0x51AB, 15, "ice"},  // 冫
    {0x51E0, 16, "table"},  // 几
    {0x51F5, 17, "open box"},  // 凵
    {0x5200, 18, "knife"},  // 刀
    {0x5208, 18, "knife (刂, at the right)"},  // 刈
    {0x529B, 19, "power"},  // 力
    {0x52F9, 20, "wrap"},  // 勹
    {0x5315, 21, "spoon"},  // 匕
    {0x531A, 22, "box"},  // 匚
    {0x5341, 24, "ten"},  // 十
    {0x535C, 25, "divination"},  // 卜
    {0x5369, 26, "seal"},  // 卩
    {0x5382, 27, "cliff"},  // 厂
    {0x53B6, 28, "private"},  // 厶
    {0x53C8, 29, "again"},  // 又
    {0x30DE, 0, "katakana マ (a shape within kanji)"},  // マ
    {0x4E5D, 0, "nine"},  // 九
    {0x30E6, 0, "katakana ユ (a shape within kanji)"},  // ユ
    {0x4E43, 0, "from (乃)"},  // 乃
    {0x4E5E, 0, "the top of 乞 (𠂉)"},  // 乞
    {0x8FBC, 162, "walk (辶)"},  // 込
    {0x53E3, 30, "mouth"},  // 口
    {0x56D7, 31, "enclosure"},  // 囗
    {0x571F, 32, "earth"},  // 土
    {0x58EB, 33, "scholar"},  // 士
    {0x5902, 34, "go"},  // 夂
    {0x5915, 36, "evening"},  // 夕
    {0x5927, 37, "big"},  // 大
    {0x5973, 38, "woman"},  // 女
    {0x5B50, 39, "child"},  // 子
    {0x5B80, 40, "roof"},  // 宀
    {0x5BF8, 41, "inch"},  // 寸
    {0x5C0F, 42, "small"},  // 小
    {0x5C1A, 42, "small (⺌, on top)"},  // 尚
    {0x5C22, 43, "lame"},  // 尢
    {0x5C38, 44, "corpse"},  // 尸
    {0x5C6E, 45, "sprout"},  // 屮
    {0x5C71, 46, "mountain"},  // 山
    {0x5DDD, 47, "river"},  // 川
    {0x5DDB, 47, "river (巛)"},  // 巛
    {0x5DE5, 48, "work"},  // 工
    {0x5DF2, 49, "oneself (己)"},  // 已
    {0x5DFE, 50, "cloth"},  // 巾
    {0x5E72, 51, "dry"},  // 干
    {0x5E7A, 52, "short thread"},  // 幺
    {0x5E7F, 53, "dotted cliff"},  // 广
    {0x5EF4, 54, "long stride"},  // 廴
    {0x5EFE, 55, "two hands"},  // 廾
    {0x5F0B, 56, "shoot"},  // 弋
    {0x5F13, 57, "bow"},  // 弓
    {0x30E8, 58, "snout (彐)"},  // ヨ
    {0x5F51, 58, "snout (彑)"},  // 彑
    {0x5F61, 59, "bristle"},  // 彡
    {0x5F73, 60, "step"},  // 彳
    {0x5FD9, 61, "heart (忄, at the left)"},  // 忙
    {0x624E, 64, "hand (扌, at the left)"},  // 扎
    {0x6C41, 85, "water (氵, at the left)"},  // 汁
    {0x2EA8, 94, "dog (犭, at the left)"},  // ⺨
    {0x827E, 140, "grass (艹)"},  // 艾
    {0x90A6, 163, "town (阝, at the right)"},  // 邦
    {0x2ED6, 170, "mound (阝, at the left)"},  // ⻖
    {0x4E5F, 0, "also (也)"},  // 也
    {0x4EA1, 0, "die (亡)"},  // 亡
    {0x53CA, 0, "reach (及)"},  // 及
    {0x4E45, 0, "long time (久)"},  // 久
    {0x8001, 125, "old (耂)"},  // 老
    {0x5FC3, 61, "heart"},  // 心
    {0x6208, 62, "halberd"},  // 戈
    {0x6238, 63, "door"},  // 戸
    {0x624B, 64, "hand"},  // 手
    {0x652F, 65, "branch"},  // 支
    {0x6535, 66, "strike (攵)"},  // 攵
    {0x6587, 67, "script"},  // 文
    {0x6597, 68, "dipper"},  // 斗
    {0x65A4, 69, "axe"},  // 斤
    {0x65B9, 70, "square"},  // 方
    {0x65E0, 71, "not"},  // 无
    {0x65E5, 72, "sun"},  // 日
    {0x66F0, 73, "say"},  // 曰
    {0x6708, 74, "moon"},  // 月
    {0x6728, 75, "tree"},  // 木
    {0x6B20, 76, "lack"},  // 欠
    {0x6B62, 77, "stop"},  // 止
    {0x6B79, 78, "death"},  // 歹
    {0x6BB3, 79, "weapon"},  // 殳
    {0x6BD4, 81, "compare"},  // 比
    {0x6BDB, 82, "fur"},  // 毛
    {0x6C0F, 83, "clan"},  // 氏
    {0x6C14, 84, "steam"},  // 气
    {0x6C34, 85, "water"},  // 水
    {0x706B, 86, "fire"},  // 火
    {0x6770, 86, "fire (灬, at the bottom)"},  // 杰
    {0x722A, 87, "claw"},  // 爪
    {0x7236, 88, "father"},  // 父
    {0x723B, 89, "crossing (爻)"},  // 爻
    {0x723F, 90, "split wood"},  // 爿
    {0x7247, 91, "slice"},  // 片
    {0x725B, 93, "cow"},  // 牛
    {0x72AC, 94, "dog"},  // 犬
    {0x793C, 113, "altar (礻, at the left)"},  // 礼
    {0x738B, 96, "jewel, king (王)"},  // 王
    {0x5143, 0, "origin (元)"},  // 元
    {0x4E95, 0, "well (井)"},  // 井
    {0x52FF, 0, "do not (勿)"},  // 勿
    {0x5C24, 43, "lame (尤)"},  // 尤
    {0x4E94, 0, "five"},  // 五
    {0x5C6F, 0, "barracks (屯)"},  // 屯
    {0x5DF4, 0, "whirl (巴)"},  // 巴
    {0x6BCB, 80, "do not (毋)"},  // 毋
    {0x7384, 95, "dark"},  // 玄
    {0x74E6, 98, "tile"},  // 瓦
    {0x7518, 99, "sweet"},  // 甘
    {0x751F, 100, "life"},  // 生
    {0x7528, 101, "use"},  // 用
    {0x7530, 102, "field"},  // 田
    {0x758B, 103, "bolt of cloth"},  // 疋
    {0x7594, 104, "sickness (疒)"},  // 疔
    {0x7676, 105, "footsteps"},  // 癶
    {0x767D, 106, "white"},  // 白
    {0x76AE, 107, "skin"},  // 皮
    {0x76BF, 108, "dish"},  // 皿
    {0x76EE, 109, "eye"},  // 目
    {0x77DB, 110, "spear"},  // 矛
    {0x77E2, 111, "arrow"},  // 矢
    {0x77F3, 112, "stone"},  // 石
    {0x793A, 113, "altar"},  // 示
    {0x79B9, 114, "track (禸)"},  // 禹
    {0x79BE, 115, "grain"},  // 禾
    {0x7A74, 116, "cave"},  // 穴
    {0x7ACB, 117, "stand"},  // 立
    {0x521D, 145, "clothes (衤, at the left)"},  // 初
    {0x4E16, 0, "world (世)"},  // 世
    {0x5DE8, 0, "huge (巨)"},  // 巨
    {0x518A, 0, "book (冊)"},  // 冊
    {0x6BCD, 80, "mother (母)"},  // 母
    {0x8CB7, 122, "net (罒)"},  // 買
    {0x7259, 92, "fang"},  // 牙
    {0x74DC, 97, "melon"},  // 瓜
    {0x7AF9, 118, "bamboo"},  // 竹
    {0x7C73, 119, "rice"},  // 米
    {0x7CF8, 120, "thread"},  // 糸
    {0x7F36, 121, "jar"},  // 缶
    {0x7F8A, 123, "sheep"},  // 羊
    {0x7FBD, 124, "feather"},  // 羽
    {0x800C, 126, "and, beard"},  // 而
    {0x8012, 127, "plough"},  // 耒
    {0x8033, 128, "ear"},  // 耳
    {0x807F, 129, "brush"},  // 聿
    {0x8089, 130, "meat"},  // 肉
    {0x81EA, 132, "self"},  // 自
    {0x81F3, 133, "arrive"},  // 至
    {0x81FC, 134, "mortar"},  // 臼
    {0x820C, 135, "tongue"},  // 舌
    {0x821F, 137, "boat"},  // 舟
    {0x826E, 138, "stopping"},  // 艮
    {0x8272, 139, "colour"},  // 色
    {0x864D, 141, "tiger (虍)"},  // 虍
    {0x866B, 142, "insect"},  // 虫
    {0x8840, 143, "blood"},  // 血
    {0x884C, 144, "go, walk"},  // 行
    {0x8863, 145, "clothes"},  // 衣
    {0x897F, 146, "west (襾)"},  // 西
    {0x81E3, 131, "minister"},  // 臣
    {0x898B, 147, "see"},  // 見
    {0x89D2, 148, "horn"},  // 角
    {0x8A00, 149, "speech"},  // 言
    {0x8C37, 150, "valley"},  // 谷
    {0x8C46, 151, "bean"},  // 豆
    {0x8C55, 152, "pig"},  // 豕
    {0x8C78, 153, "badger"},  // 豸
    {0x8C9D, 154, "shell"},  // 貝
    {0x8D64, 155, "red"},  // 赤
    {0x8D70, 156, "run"},  // 走
    {0x8DB3, 157, "foot"},  // 足
    {0x8EAB, 158, "body"},  // 身
    {0x8ECA, 159, "cart"},  // 車
    {0x8F9B, 160, "bitter"},  // 辛
    {0x8FB0, 161, "morning"},  // 辰
    {0x9149, 164, "wine"},  // 酉
    {0x91C6, 165, "distinguish"},  // 釆
    {0x91CC, 166, "village"},  // 里
    {0x821B, 136, "oppose"},  // 舛
    {0x9EA6, 199, "wheat"},  // 麦
    {0x91D1, 167, "gold, metal"},  // 金
    {0x9577, 168, "long"},  // 長
    {0x9580, 169, "gate"},  // 門
    {0x96B6, 171, "capture"},  // 隶
    {0x96B9, 172, "old bird"},  // 隹
    {0x96E8, 173, "rain"},  // 雨
    {0x9752, 174, "blue"},  // 青
    {0x975E, 175, "wrong"},  // 非
    {0x5944, 0, "cover (奄)"},  // 奄
    {0x5CA1, 0, "hill (岡)"},  // 岡
    {0x514D, 0, "excuse (免)"},  // 免
    {0x6589, 210, "even (斉)"},  // 斉
    {0x9762, 176, "face"},  // 面
    {0x9769, 177, "leather"},  // 革
    {0x97ED, 179, "leek"},  // 韭
    {0x97F3, 180, "sound"},  // 音
    {0x9801, 181, "head, page"},  // 頁
    {0x98A8, 182, "wind"},  // 風
    {0x98DB, 183, "fly"},  // 飛
    {0x98DF, 184, "eat"},  // 食
    {0x9996, 185, "head"},  // 首
    {0x9999, 186, "fragrant"},  // 香
    {0x54C1, 0, "goods (品)"},  // 品
    {0x99AC, 187, "horse"},  // 馬
    {0x9AA8, 188, "bone"},  // 骨
    {0x9AD8, 189, "tall"},  // 高
    {0x9ADF, 190, "long hair"},  // 髟
    {0x9B25, 191, "fight"},  // 鬥
    {0x9B2F, 192, "sacrificial wine"},  // 鬯
    {0x9B32, 193, "cauldron"},  // 鬲
    {0x9B3C, 194, "ghost"},  // 鬼
    {0x7ADC, 212, "dragon"},  // 竜
    {0x97CB, 178, "tanned leather"},  // 韋
    {0x9B5A, 195, "fish"},  // 魚
    {0x9CE5, 196, "bird"},  // 鳥
    {0x9E75, 197, "salt"},  // 鹵
    {0x9E7F, 198, "deer"},  // 鹿
    {0x9EBB, 200, "hemp"},  // 麻
    {0x4E80, 213, "turtle"},  // 亀
    {0x6EF4, 0, "the right of 滴 (啇)"},  // 滴
    {0x9EC4, 201, "yellow"},  // 黄
    {0x9ED2, 203, "black"},  // 黒
    {0x9ECD, 202, "millet"},  // 黍
    {0x9EF9, 204, "embroidery"},  // 黹
    {0x7121, 0, "nothing (無)"},  // 無
    {0x6B6F, 211, "tooth"},  // 歯
    {0x9EFD, 205, "frog"},  // 黽
    {0x9F0E, 206, "tripod"},  // 鼎
    {0x9F13, 207, "drum"},  // 鼓
    {0x9F20, 208, "rat"},  // 鼠
    {0x9F3B, 209, "nose"},  // 鼻
    {0x9F4A, 210, "even"},  // 齊
    {0x9FA0, 214, "flute"},  // 龠
};

const RadicalName* find(wchar_t radical)
{
    const auto found = std::find_if(std::begin(NAMES), std::end(NAMES),
                                    [radical](const RadicalName& name) {
                                        return name.radical == char32_t(radical);
                                    });
    return found == std::end(NAMES) ? nullptr : found;
}

}  // namespace

QString RadicalNames::meaning(wchar_t radical)
{
    const RadicalName* name = find(radical);
    return name == nullptr ? QString() : QString::fromUtf8(name->meaning);
}

int RadicalNames::kangxiNumber(wchar_t radical)
{
    const RadicalName* name = find(radical);
    return name == nullptr ? 0 : name->kangxi;
}

QString RadicalNames::describe(wchar_t radical, int strokeCount)
{
    const QString strokes = StrokeGridDelegate::strokesText(strokeCount);
    const int number = kangxiNumber(radical);
    const QString detail =
        number > 0 ? QCoreApplication::translate("RadicalNames", "Kangxi radical %1, %2")
                         .arg(number)
                         .arg(strokes)
                   : strokes;
    const QString name = meaning(radical);
    return name.isEmpty() ? detail : name + "\n" + detail;
}
