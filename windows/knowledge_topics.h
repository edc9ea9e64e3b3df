#pragma once
// The topic menu of the knowledge window, top to bottom: every entry with its name and caption, the
// submenu it sits in, and the article id it shows. Submenu titles and separators show nothing.
#include <array>

namespace windows {

enum class TopicKind { Article, Submenu, Separator };

struct KnowledgeTopic {
    TopicKind kind;
    const char16_t* name;
    const char16_t* caption;  // empty for a separator
    const char16_t* parent;   // the submenu it sits in; null directly under the topic menu
    int id;                   // the bazizhishi row of an article; 0 otherwise
};

namespace topics {
inline constexpr const char16_t* kYinYang = u"mnuYYWX";
inline constexpr const char16_t* kPillars = u"MnuSZpaifa";
inline constexpr const char16_t* kThreeOrigins = u"MnuSZSanYuan";
inline constexpr const char16_t* kFetalPalace = u"MnuTYMG";
inline constexpr const char16_t* kTenGods = u"MMnuSSfenXi";
inline constexpr const char16_t* kLuck = u"MNuDYXiaoYun";
inline constexpr const char16_t* kFortunes = u"MnuPFguiJian";
inline constexpr const char16_t* kStars = u"MnuSZshenSha";

constexpr KnowledgeTopic article(const char16_t* name, const char16_t* caption, const char16_t* parent, int id) {
    return {TopicKind::Article, name, caption, parent, id};
}
constexpr KnowledgeTopic submenu(const char16_t* name, const char16_t* caption) {
    return {TopicKind::Submenu, name, caption, nullptr, 0};
}
constexpr KnowledgeTopic separator(const char16_t* name, const char16_t* parent) {
    return {TopicKind::Separator, name, u"", parent, 0};
}
}  // namespace topics

inline constexpr auto kKnowledgeTopics = [] {
    using namespace topics;
    return std::array{
        article(u"MnuLfCs", u"历法常识", nullptr, 67),
        article(u"MNUYBSY", u"一般术语", nullptr, 68),
        article(u"MNUSxzl", u"十星总论", nullptr, 71),
        submenu(kYinYang, u"阴阳五行"),
        article(u"mnuWXshengKe", u"五行生克", kYinYang, 1),
        article(u"mnuWXzhiXing", u"五行之性", kYinYang, 2),
        article(u"MNUSMTH", u"三命通会论五行", kYinYang, 70),
        article(u"MNuTGdizhi", u"天干地之", nullptr, 3),
        article(u"MNUChXh", u"冲合刑害", nullptr, 69),
        article(u"MnuJZnayin", u"甲子纳音", nullptr, 4),
        submenu(kPillars, u"四柱排法"),
        article(u"MnuPnianzhu", u"排年柱", kPillars, 5),
        article(u"MnupYuezhu", u"排月柱", kPillars, 6),
        article(u"MnuPrizhu", u"排日柱", kPillars, 7),
        article(u"MnuPshizhu", u"排时柱", kPillars, 8),
        submenu(kThreeOrigins, u"四柱三元"),
        article(u"MnuTianYuan", u"天元", kThreeOrigins, 9),
        article(u"MnuDiYuan", u"地元", kThreeOrigins, 10),
        article(u"MnuRenYuan", u"人元", kThreeOrigins, 11),
        article(u"MnuRGWangShuai", u"日干旺衰", nullptr, 12),
        article(u"MnuYSXiJi", u"用神喜忌", nullptr, 13),
        submenu(kFetalPalace, u"胎元命宫"),
        article(u"MnutaiYuan", u"胎元", kFetalPalace, 14),
        article(u"MNUMingGong", u"命宫", kFetalPalace, 15),
        submenu(kTenGods, u"十神分析"),
        article(u"MnuSSshenke", u"十神生克", kTenGods, 54),
        article(u"MnuSSgongneng", u"十神功能", kTenGods, 55),
        article(u"MnuShiShenFenXi", u"十神分析", kTenGods, 56),
        article(u"MnuSSXinXing", u"十神心性", kTenGods, 57),
        submenu(kLuck, u"大运小运"),
        article(u"MnuPdayun", u"排大运", kLuck, 16),
        article(u"MnuPXiaoYun", u"排小运", kLuck, 53),
        article(u"MnuBAge", u"八格", nullptr, 58),
        submenu(kFortunes, u"贫富贵贱"),
        article(u"MnuFu", u"富", kFortunes, 59),
        article(u"MnuGui", u"贵", kFortunes, 60),
        article(u"MnuJi", u"吉", kFortunes, 61),
        article(u"Mnushou", u"寿", kFortunes, 62),
        separator(u"MnuG1", kFortunes),
        article(u"Mnupin", u"贫", kFortunes, 63),
        article(u"Mnujian", u"贱", kFortunes, 64),
        article(u"MnuXiong", u"凶", kFortunes, 65),
        article(u"MnuYao", u"妖", kFortunes, 66),
        submenu(kStars, u"四柱神煞"),
        article(u"mnuTYGuiREN", u"天乙贵人", kStars, 17),
        article(u"MnuTjGUIren", u"太极贵人", kStars, 18),
        article(u"mnutiandeguiren", u"天德贵人", kStars, 19),
        article(u"MnuSQguiren", u"三奇贵人", kStars, 20),
        article(u"MnuWCguiren", u"文昌贵人", kStars, 21),
        article(u"MnuKZguiren", u"魁罡贵人", kStars, 22),
        article(u"MnuGYGuiREn", u"国印贵人", kStars, 23),
        article(u"MnuXTciguan", u"学堂词馆", kStars, 24),
        article(u"Mnuyima", u"驿马", kStars, 25),
        article(u"Mnuhuagai", u"华盖", kStars, 26),
        article(u"Mnujiangxing", u"将星", kStars, 27),
        article(u"mnuJinNian", u"金舆", kStars, 28),
        article(u"MnuJinshen", u"金神", kStars, 29),
        article(u"MnuTianYi", u"天医", kStars, 30),
        article(u"Mnujinlu", u"禄神", kStars, 31),
        article(u"MnuGongLu", u"拱禄", kStars, 32),
        article(u"Mnutianshe", u"天赦", kStars, 33),
        separator(u"dddddddddd", kStars),
        article(u"MnuTLDiWang", u"天罗地网", kStars, 34),
        article(u"MnuYangRen", u"羊刃", kStars, 35),
        article(u"MnuWangshe", u"亡神", kStars, 36),
        article(u"MnuJieSha", u"劫煞", kStars, 37),
        article(u"MnuZhaisha", u"灾煞", kStars, 38),
        article(u"MnuGouJiaosha", u"勾绞煞", kStars, 39),
        article(u"MnuGCguaxu", u"孤辰寡宿", kStars, 40),
        article(u"Mnuyuanchen", u"元辰", kStars, 41),
        article(u"Mnukongwang", u"空亡", kStars, 42),
        article(u"MnuSEdabai", u"十恶大败", kStars, 43),
        article(u"MnuXianchi", u"咸池", kStars, 44),
        article(u"MnuguLuan", u"孤鸾", kStars, 45),
        article(u"MnuYYchacuo", u"阴阳差错", kStars, 46),
        article(u"MnusiFei", u"四废", kStars, 47),
        article(u"MnuPiMa", u"披麻 吊客 丧门", kStars, 48),
        article(u"MnuHongLuan", u"红鸾 天喜", kStars, 49),
    };
}();

inline constexpr int kKnowledgeArticleCount = [] {
    int n = 0;
    for (const KnowledgeTopic& t : kKnowledgeTopics) n += t.kind == TopicKind::Article ? 1 : 0;
    return n;
}();
static_assert(kKnowledgeArticleCount == 68);

// Every article id 1 … 71 but 50, 51 and 52 has exactly one entry.
inline constexpr bool kEveryArticleOnce = [] {
    for (int id = 1; id <= 71; ++id) {
        int entries = 0;
        for (const KnowledgeTopic& t : kKnowledgeTopics) entries += t.kind == TopicKind::Article && t.id == id ? 1 : 0;
        if (entries != (id >= 50 && id <= 52 ? 0 : 1)) return false;
    }
    return true;
}();
static_assert(kEveryArticleOnce);

}  // namespace windows
