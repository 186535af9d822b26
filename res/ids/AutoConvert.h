#pragma once
// Messages of AutoConvert and of reading source documents.

constexpr unsigned IDS_AQF_WP_NOT_INSTALLED = 73;
constexpr unsigned IDS_AQF_NO_QUESTION_TEXT = 99;
constexpr unsigned IDS_AQF_NO_QUESTION_EXPLAIN = 100;
constexpr unsigned IDS_AQF_NO_QUESTION_NOTE = 101;
constexpr unsigned IDS_AQF_WORD_NOT_INSTALLED = 297;
