#pragma once
// Ids of the platform's own strings.

constexpr unsigned IDS_CORRA_PRODUCT = 1;
