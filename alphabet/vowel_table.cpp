#include "vowel_table.h"

namespace alphabet {
namespace {

constexpr auto S = VowelLength::Short;
constexpr auto L = VowelLength::Long;

} // namespace

const std::vector<VowelForm>& vowelTable() {
    // The twelve short and long pairs, short first, then the eight forms without a partner.
    // Every form is written on อ; ฤ ฤๅ ฦ ฦๅ are letters of their own and stand alone.
    static const std::vector<VowelForm> table = {
        {1, "–ะ", "อะ", "a", S, 2, "vowel_01_a.wav"},
        {2, "–า", "อา", "aa", L, 1, "vowel_02_aa.wav"},
        {3, "–ิ", "อิ", "i", S, 4, "vowel_03_i.wav"},
        {4, "–ี", "อี", "ii", L, 3, "vowel_04_ii.wav"},
        {5, "–ึ", "อึ", "ue", S, 6, "vowel_05_ue.wav"},
        {6, "–ือ", "อือ", "uee", L, 5, "vowel_06_uee.wav"},
        {7, "–ุ", "อุ", "u", S, 8, "vowel_07_u.wav"},
        {8, "–ู", "อู", "uu", L, 7, "vowel_08_uu.wav"},
        {9, "เ–ะ", "เอะ", "e", S, 10, "vowel_09_e.wav"},
        {10, "เ–", "เอ", "ee", L, 9, "vowel_10_ee.wav"},
        {11, "แ–ะ", "แอะ", "ae", S, 12, "vowel_11_ae.wav"},
        {12, "แ–", "แอ", "aae", L, 11, "vowel_12_aae.wav"},
        {13, "โ–ะ", "โอะ", "o", S, 14, "vowel_13_o.wav"},
        {14, "โ–", "โอ", "oo", L, 13, "vowel_14_oo.wav"},
        {15, "เ–าะ", "เอาะ", "ɔ", S, 16, "vowel_15_aw.wav"},
        {16, "–อ", "ออ", "ɔɔ", L, 15, "vowel_16_aaw.wav"},
        {17, "เ–อะ", "เออะ", "oe", S, 18, "vowel_17_oe.wav"},
        {18, "เ–อ", "เออ", "oee", L, 17, "vowel_18_oee.wav"},
        {19, "เ–ียะ", "เอียะ", "ia", S, 20, "vowel_19_ia.wav"},
        {20, "เ–ีย", "เอีย", "iia", L, 19, "vowel_20_iia.wav"},
        {21, "เ–ือะ", "เอือะ", "uea", S, 22, "vowel_21_uea.wav"},
        {22, "เ–ือ", "เอือ", "ueea", L, 21, "vowel_22_ueea.wav"},
        {23, "–ัวะ", "อัวะ", "ua", S, 24, "vowel_23_ua.wav"},
        {24, "–ัว", "อัว", "uua", L, 23, "vowel_24_uua.wav"},
        {25, "–ำ", "อำ", "am", S, 0, "vowel_25_am.wav"},
        {26, "ใ–", "ใอ", "ai", S, 0, "vowel_26_ai.wav"},
        {27, "ไ–", "ไอ", "ai", S, 0, "vowel_27_ai.wav"},
        {28, "เ–า", "เอา", "ao", S, 0, "vowel_28_ao.wav"},
        {29, "ฤ", "ฤ", "rue", S, 0, "vowel_29_rue.wav"},
        {30, "ฤๅ", "ฤๅ", "ruee", L, 0, "vowel_30_ruee.wav"},
        {31, "ฦ", "ฦ", "lue", S, 0, "vowel_31_lue.wav"},
        {32, "ฦๅ", "ฦๅ", "luee", L, 0, "vowel_32_luee.wav"},
    };
    return table;
}

const VowelForm& vowelForm(int number) {
    return vowelTable().at(static_cast<std::size_t>(number - 1));
}

const std::vector<ToneMarkEntry>& toneMarkTable() {
    static const std::vector<ToneMarkEntry> table = {
        {1, "\u0E48", "อ\u0E48", "mai ek"},
        {2, "\u0E49", "อ\u0E49", "mai tho"},
        {3, "\u0E4A", "อ\u0E4A", "mai tri"},
        {4, "\u0E4B", "อ\u0E4B", "mai chattawa"},
    };
    return table;
}

} // namespace alphabet
