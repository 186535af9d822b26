#pragma once
// Messages of the choices check.

constexpr unsigned IDS_CHOICES_OUT_OF_SEQUENCE = 109;
constexpr unsigned IDS_CHOICES_OUT_OF_ORDER = 112;
constexpr unsigned IDS_CHOICES_NOT_FOUND = 243;
constexpr unsigned IDS_CHOICES_BAD_FORMAT = 244;
constexpr unsigned IDS_CHOICES_FORMAT_RULES = 245;
constexpr unsigned IDS_CHOICES_FORMAT_EXAMPLE = 246;
constexpr unsigned IDS_CHOICES_TOO_FEW = 338;
