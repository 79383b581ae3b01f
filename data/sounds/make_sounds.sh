#!/usr/bin/env bash
# Makes the chart's 46 letter sounds (45 files: RU and LU share one) with espeak-ng's
# Thai voice saying each letter's name, as 11 kHz mono WAV. The files are committed, so
# users need no speech synthesiser; run this again only to change them.
#   needs: espeak-ng, sox
set -euo pipefail
cd "$(dirname "$0")"

while IFS='|' read -r file text; do
    [ -z "$file" ] && continue
    espeak-ng -v th -s 120 -w /tmp/chartola-sound.wav "$text"
    sox /tmp/chartola-sound.wav -r 11025 -c 1 -b 16 "$file" norm -1
done <<'LIST'
1k_kai.wav|กอ ไก่
2kh_khai.wav|ขอ ไข่
3kh_khuat.wav|ฃอ ขวด
4kh_khwai.wav|คอ ควาย
5kh_khon.wav|ฅอ คน
6kh_rkng.wav|ฆอ ระฆัง
7ng_ngu.wav|งอ งู
8j_jan.wav|จอ จาน
ciò_cing.wav|ฉอ ฉิ่ง
10ch_chang.wav|ชอ ช้าง
11s_so.wav|ซอ โซ่
ciò_kacioe.wav|ฌอ เฌอ
13y_ying.wav|ญอ หญิง
14d_chada.wav|ฎอ ชฎา
15t_patak.wav|ฏอ ปฏัก
16th_than.wav|ฐอ ฐาน
17th_mntho.wav|ฑอ มณโฑ
18th_thao.wav|ฒอ ผู้เฒ่า
19n_nen.wav|ณอ เณร
20d_dek.wav|ดอ เด็ก
21t_tao.wav|ตอ เต่า
22th_thung.wav|ถอ ถุง
23th_thahn.wav|ทอ ทหาร
24th_thong.wav|ธอ ธง
25n_nu.wav|นอ หนู
26b_baimai.wav|บอ ใบไม้
27p_pla.wav|ปอ ปลา
28ph_phung.wav|ผอ ผึ้ง
29f_fa.wav|ฝอ ฝา
30ph_phan.wav|พอ พาน
31f_fan.wav|ฟอ ฟัน
32ph_smpao.wav|ภอ สำเภา
33m_ma.wav|มอ ม้า
34y_yak.wav|ยอ ยักษ์
35r_rua.wav|รอ เรือ
___.wav|รึ ลึ
36l_ling.wav|ลอ ลิง
37w_waen.wav|วอ แหวน
38s_sala.wav|ศอ ศาลา
39s_rusi.wav|ษอ ฤๅษี
40s_sua.wav|สอ เสือ
41h_hib.wav|หอ หีบ
42l_chula.wav|ฬอ จุฬา
43a_ang.wav|ออ อ่าง
44h_nkhuk.wav|ฮอ นกฮูก
LIST
rm -f /tmp/chartola-sound.wav
