#include "consonant_table.h"

#include <stdexcept>

namespace alphabet {
namespace {

constexpr thaitext::Rgb Y{255, 255, 0};   // yellow
constexpr thaitext::Rgb G{192, 255, 192}; // light green
constexpr thaitext::Rgb B{0, 0, 255};     // blue: RU and LU

constexpr auto M = ConsonantClass::Mid;
constexpr auto H = ConsonantClass::High;
constexpr auto L = ConsonantClass::Low;
constexpr auto V = ConsonantClass::VowelLetter;

constexpr std::array<Consonant, kConsonantCount> kTable = {{
    {1, 0xA1, "KO KAI", "ko-kài", "Kò Kai (K)(K)", "1k_kai.wav", Y, M, false},
    {2, 0xA2, "KHO KHAI", "kô-kài", "Kòh Kai (K)(K)", "2kh_khai.wav", Y, H, false},
    {3, 0xA3, "KHO KHUAT", "kò-kùat", "Kòh Kùat (Kh)(Kh)", "3kh_khuat.wav", G, H, true},
    {4, 0xA4, "KHO KHWAI", "ko-kuài", "Kò Kwai (Kh)(Kh)", "4kh_khwai.wav", Y, L, false},
    {5, 0xA5, "KHO KHON", "ko-kon", "Kò Khon (Kh)(Kh)", "5kh_khon.wav", G, L, true},
    {6, 0xA6, "KHO RAKHANG", "ko-rakàn", "Kò Rakhang (Kh)(Kh)", "6kh_rkng.wav", Y, L, false},
    {7, 0xA7, "NGO NGU", "ngo-ngu", "Ngo Ngu (Ng)(Ng)", "7ng_ngu.wav", Y, L, false},
    {8, 0xA8, "CHO CHAN", "ciò-ciàn", "Giò Gian (J)(T)", "8j_jan.wav", Y, M, false},
    {9, 0xA9, "CHO CHING", "ciò-cin", "Ciò Cing (sch)(T)", "ciò_cing.wav", Y, H, false},
    {10, 0xAA, "CHO CHANG", "ciò-ciaan", "Ciò Ciang (sch)(T)", "10ch_chang.wav", Y, L, false},
    {11, 0xAB, "SO SO", "so-so", "Sò Soo (Sz)(-)", "11s_so.wav", Y, L, false},
    {12, 0xAC, "CHO CHOE", "so-kasö", "Ciò Kacioe (sch)(-)", "ciò_kacioe.wav", Y, L, false},
    {13, 0xAD, "YO YING", "io-iin", "Yò Ying (I)(N)", "13y_ying.wav", Y, L, false},
    {14, 0xAE, "DO CHADA", "do-ciadà", "Dò Ciadà (D)(T)", "14d_chada.wav", Y, M, false},
    {15, 0xAF, "TO PATAK", "to-pak-tàk", "Tò Patàk (T)(T)", "15t_patak.wav", G, M, false},
    {16, 0xB0, "THO THAN", "to-tan", "Tòh Tahn (T)(T)", "16th_than.wav", Y, H, false},
    {17, 0xB1, "THO NANGMONTHO", "to-nan-mun-to", "Tòh Montòh (T)(T)", "17th_mntho.wav", G, L,
     false},
    {18, 0xB2, "THO PHUTHAO", "to-pu-tào", "Tòh Putao (T)(T)", "18th_thao.wav", Y, L, false},
    {19, 0xB3, "NO NEN", "no-nen", "Nò Nehn (N)(N)", "19n_nen.wav", Y, L, false},
    {20, 0xB4, "DO DEK", "do-dek", "Dò Dek (D)(T)", "20d_dek.wav", Y, M, false},
    {21, 0xB5, "TO TAO", "to-tàu", "Tò Taou (T)(T)", "21t_tao.wav", Y, M, false},
    {22, 0xB6, "THO THUNG", "to-tun", "Tòh Tung (T)(T)", "22th_thung.wav", Y, H, false},
    {23, 0xB7, "THO THAHAN", "to-ta-han", "Tòh Tahàn (T)(T)", "23th_thahn.wav", Y, L, false},
    {24, 0xB8, "THO THONG", "to-tôn", "Tòh Tong (T)(T)", "24th_thong.wav", Y, L, false},
    {25, 0xB9, "NO NU", "no-nu", "Nò Nuh (N)(N)", "25n_nu.wav", Y, L, false},
    {26, 0xBA, "BO BAIMAI", "bo-bài-mài", "Bò Beimai (B)(P)", "26b_baimai.wav", Y, M, false},
    {27, 0xBB, "PO PLA", "po-plaa", "Pòh Pla (P)(P)", "27p_pla.wav", Y, M, false},
    {28, 0xBC, "PHO PHUNG", "po-pun", "Pòh Pung (P)(-)", "28ph_phung.wav", Y, H, false},
    {29, 0xBD, "FO FA", "fo-fa", "Fòh Fah (F)(-)", "29f_fa.wav", Y, H, false},
    {30, 0xBE, "PHO PHAN", "po-pan", "Pòh Pahn (P)(-)", "30ph_phan.wav", Y, L, false},
    {31, 0xBF, "FO FAN", "fo-fan", "Fòh Fan (F)(F)", "31f_fan.wav", Y, L, false},
    {32, 0xC0, "PHO SAMPHAO", "po-sampàu", "Pòh Sampào (P)(P)", "32ph_smpao.wav", Y, L, false},
    {33, 0xC1, "MO MA", "mo-ma", "Màh Mah (M)(M)", "33m_ma.wav", Y, L, false},
    {34, 0xC2, "YO YAK", "iò-iàk", "Yò Yak (I)(I)", "34y_yak.wav", Y, L, false},
    {35, 0xC3, "RO RUA", "ro-ruà", "Ròh Rua (R)(N)", "35r_rua.wav", Y, L, false},
    {36, 0xC4, "RU", "--", "-- (-)(-)", "___.wav", B, V, false},
    {37, 0xC5, "LO LING", "lo-ling", "Lòh ling (L)(N)", "36l_ling.wav", Y, L, false},
    {38, 0xC6, "LU", "--", "-- (-)(-)", "___.wav", B, V, true},
    {39, 0xC7, "WO WAEN", "vo-ven", "Wòh Wèhn (U,V)(Ua)", "37w_waen.wav", Y, L, false},
    {40, 0xC8, "SO SALA", "so-ko-salà", "Sò Salàh (S)(T)", "38s_sala.wav", Y, H, false},
    {41, 0xC9, "SO RUSI", "so-bo-ru-sii", "Sò Rusìh (S)(T)", "39s_rusi.wav", G, H, false},
    {42, 0xCA, "SO SUA", "so-sùa", "Sò Sùa (S)(T)", "40s_sua.wav", Y, H, false},
    {43, 0xCB, "HO HIP", "ho-hip", "Hò Hip (H)(-)", "41h_hib.wav", Y, H, false},
    {44, 0xCC, "LO CHULA", "ciò-giulà", "Lò Ciulà (L)(L)", "42l_chula.wav", G, L, false},
    {45, 0xCD, "O ANG", "ho-han", "Ò Ang (S)(Ò)", "43a_ang.wav", Y, M, false},
    {46, 0xCE, "HO NOKHUK", "ho-nok-huk", "Hò Nokkùh (H)(-)", "44h_nkhuk.wav", Y, L, false},
}};

} // namespace

const std::array<Consonant, kConsonantCount>& consonantTable() {
    return kTable;
}

const Consonant& consonant(int number) {
    if (number < 1 || number > kConsonantCount)
        throw std::out_of_range("the chart has letters 1 to 46");
    return kTable[static_cast<std::size_t>(number - 1)];
}

} // namespace alphabet
