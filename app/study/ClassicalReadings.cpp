#include "app/study/ClassicalReadings.h"

namespace study {

namespace {

using W = ClassicalReading::Where;

constexpr ClassicalReading kReadings[] = {
    // The character's own reading in verse, where today's most common differs.
    {u"还", 0, u"huán", W::kAnywhere, u"春风又绿江南岸，明月何时照我还"},
    {u"了", 0, u"liǎo", W::kAnywhere, u"春花秋月何时了"},
    {u"薄", 0, u"bó", W::kAnywhere, u"薄暮冥冥，虎啸猿啼"},
    {u"只", 0, u"zhǐ", W::kAnywhere, u"只缘身在此山中"},
    // 骑 as a noun: a rider, a mounted soldier.
    {u"一骑", 1, u"jì", W::kAnywhere, u"一骑红尘妃子笑"},
    {u"千骑", 1, u"jì", W::kAnywhere, u"千骑卷平冈"},
    {u"万骑", 1, u"jì", W::kAnywhere, u"千乘万骑西南行"},
    {u"铁骑", 1, u"jì", W::kAnywhere, u"铁骑突出刀枪鸣"},
    {u"轻骑", 1, u"jì", W::kAnywhere, u"欲将轻骑逐，大雪满弓刀"},
    {u"胡骑", 1, u"jì", W::kAnywhere, u"胡骑凭陵杂风雨"},
    // 将 as a general.
    {u"飞将", 1, u"jiàng", W::kAnywhere, u"但使龙城飞将在"},
    // 乘 as a noun: a war chariot.
    {u"千乘", 1, u"shèng", W::kAnywhere, u"千乘万骑西南行"},
    // 看 where the metre wants a level tone.
    {u"看", 0, u"kān", W::kLevelPosition, u"遥看瀑布挂前川"},
    // 斜 rhyming with 家, 花, 霞.
    {u"斜", 0, u"xiá", W::kLineEnd, u"远上寒山石径斜"},
    // 衰 rhyming with 回, 来: thinning hair.
    {u"鬓毛衰", 2, u"cuī", W::kAnywhere, u"乡音无改鬓毛衰"},
    // 说 for 悦, to delight.
    {u"我心则说", 3, u"yuè", W::kAnywhere, u"亦既觏止，我心则说"},
    {u"不亦说乎", 2, u"yuè", W::kAnywhere, u"学而时习之，不亦说乎"},
    // 朝 as the morning.
    {u"朝辞", 0, u"zhāo", W::kAnywhere, u"朝辞白帝彩云间"},
    {u"朝如", 0, u"zhāo", W::kAnywhere, u"朝如青丝暮成雪"},
    // 教 and 胜 in the level tone of older Chinese: to let; to bear.
    {u"不教", 1, u"jiāo", W::kAnywhere, u"不教胡马度阴山"},
    {u"不胜", 1, u"shēng", W::kAnywhere, u"高处不胜寒"},
    // 见 for 现, to come into sight.
    {u"低见", 1, u"xiàn", W::kAnywhere, u"风吹草低见牛羊"},
    // 思 as a noun: a mood, a longing.
    {u"秋思", 1, u"sì", W::kAnywhere, u"不知秋思落谁家"},
    // 将 as a plea: please.
    {u"将进酒", 0, u"qiāng", W::kAnywhere, u"将进酒，杯莫停"},
    // 参 as the star Orion.
    {u"参与商", 0, u"shēn", W::kAnywhere, u"人生不相见，动如参与商"},
    // 行 as a row; 重 as layers over one another.
    {u"一行", 1, u"háng", W::kAnywhere, u"一行白鹭上青天"},
    {u"山重水复", 1, u"chóng", W::kAnywhere, u"山重水复疑无路"},
    // 少 as young; 兴 as delight.
    {u"少小", 0, u"shào", W::kAnywhere, u"少小离家老大回"},
    {u"兴尽", 0, u"xìng", W::kAnywhere, u"兴尽晚回舟"},
    // 没 as sinking in.
    {u"没在", 0, u"mò", W::kAnywhere, u"平明寻白羽，没在石棱中"},
    // 燕 as the old northern land.
    {u"燕然", 0, u"yān", W::kAnywhere, u"燕然未勒归无计"},
    // 为 as to be, to act as.
    {u"为异客", 0, u"wéi", W::kAnywhere, u"独在异乡为异客"},
};

}  // namespace

std::span<const ClassicalReading> ClassicalReadings() { return kReadings; }

}  // namespace study
