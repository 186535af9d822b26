#pragma once
// Ids of the pictures that stand in for question images.

// An image of a kind only the image component reads, when that is not installed.
constexpr unsigned IDB_NO_IMAGE_COMPONENT = 288;
// An image file that could not be read.
constexpr unsigned IDB_BROKEN_IMAGE = 289;

// Log texts of the current DIB.
constexpr unsigned IDS_DIB_DRAW_NO_DC = 651;
constexpr unsigned IDS_DIB_OPEN_FAILED = 655;
constexpr unsigned IDS_DIB_HEADER_FAILED = 656;
constexpr unsigned IDS_DIB_BITS_FAILED = 657;
constexpr unsigned IDS_DIB_DRAW_FAILED = 660;
constexpr unsigned IDS_DIB_DRAW_EMPTY = 661;
