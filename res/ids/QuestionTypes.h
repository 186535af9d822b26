#pragma once
// Question types: string-table ids whose texts are the type codes, and their display names.

constexpr unsigned IDS_QTYPE_MC = 19;
constexpr unsigned IDS_QTYPE_ES = 20;
constexpr unsigned IDS_QTYPE_MA = 21;
constexpr unsigned IDS_QTYPE_FI = 22;
constexpr unsigned IDS_QTYPE_UN = 24;
constexpr unsigned IDS_QTYPE_CO = 26;
constexpr unsigned IDS_QTYPE_SA = 72;
constexpr unsigned IDS_QTYPE_TF = 185;

constexpr unsigned IDS_QTYPE_NAME_MC = 203;
constexpr unsigned IDS_QTYPE_NAME_ES = 204;
constexpr unsigned IDS_QTYPE_NAME_MA = 205;
constexpr unsigned IDS_QTYPE_NAME_FI = 206;
constexpr unsigned IDS_QTYPE_NAME_CO = 207;
constexpr unsigned IDS_QTYPE_NAME_TF = 208;
constexpr unsigned IDS_QTYPE_NAME_SA = 209;
constexpr unsigned IDS_QTYPE_NAME_UN = 210;
