#pragma once
// String ids of the RTF tokenizer's keywords.

constexpr unsigned IDS_RTF_LBRACE = 220;
constexpr unsigned IDS_RTF_ANSI = 222;
constexpr unsigned IDS_RTF_FONTTBL = 223;
constexpr unsigned IDS_RTF_COLORTBL = 224;
constexpr unsigned IDS_RTF_PAR = 225;
constexpr unsigned IDS_RTF_PARD = 226;
constexpr unsigned IDS_RTF_TAB = 227;
constexpr unsigned IDS_RTF_RBRACE = 228;
constexpr unsigned IDS_RTF_BACKSLASH = 229;
constexpr unsigned IDS_RTF_SEMICOLON = 231;
constexpr unsigned IDS_RTF_STAR = 236;
constexpr unsigned IDS_RTF_PANOSE = 237;
constexpr unsigned IDS_RTF_INFO = 240;
constexpr unsigned IDS_RTF_LDBLQUOTE = 241;
constexpr unsigned IDS_RTF_RDBLQUOTE = 242;
