#pragma once
// Ids of the exam document's messages.

constexpr unsigned IDS_EXAM_ONE_IDENTITY = 46;
constexpr unsigned IDS_EXAM_FIXED_TAKEN = 107;
constexpr unsigned IDS_EXAM_LINKED_FILES_MISSING = 159;
constexpr unsigned IDS_EXAM_OUT_OF_DATE = 197;
constexpr unsigned IDS_EXAM_STILL_OUT_OF_DATE = 198;
constexpr unsigned IDS_EXAM_UNLINKED = 284;
constexpr unsigned IDS_EXAM_UNLINKED_UNSAVED = 285;
constexpr unsigned IDS_EXAM_UNLINKED_GONE = 286;
constexpr unsigned IDS_EXAM_LINK_NOT_FOUND = 290;
