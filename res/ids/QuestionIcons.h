#pragma once
// Icons of questions and collections on their tiles, by state; the large ones for the tile draw
// mode, the small ones for the others.

constexpr unsigned IDI_QUESTION = 700;
constexpr unsigned IDI_QUESTION_CURRENT = 701;
constexpr unsigned IDI_QUESTION_SELECTED = 702;
constexpr unsigned IDI_QUESTION_SMALL = 703;
constexpr unsigned IDI_QUESTION_CURRENT_SMALL = 704;
constexpr unsigned IDI_QUESTION_SELECTED_SMALL = 705;
constexpr unsigned IDI_COLLECTION = 706;
constexpr unsigned IDI_COLLECTION_CURRENT = 707;
constexpr unsigned IDI_COLLECTION_SELECTED = 708;
constexpr unsigned IDI_COLLECTION_SMALL = 709;
constexpr unsigned IDI_COLLECTION_CURRENT_SMALL = 710;
constexpr unsigned IDI_COLLECTION_SELECTED_SMALL = 711;

// Exam forms, by state, and the marks of an exam question's link to its source question (large
// for the tile draw mode, small for the others).
constexpr unsigned IDI_FORM = 712;
constexpr unsigned IDI_FORM_CURRENT = 713;
constexpr unsigned IDI_FORM_SELECTED = 714;
constexpr unsigned IDI_FORM_SMALL = 715;
constexpr unsigned IDI_FORM_CURRENT_SMALL = 716;
constexpr unsigned IDI_FORM_SELECTED_SMALL = 717;
constexpr unsigned IDI_LINKED = 718;
constexpr unsigned IDI_LINKED_SMALL = 719;
constexpr unsigned IDI_OUT_OF_DATE = 720;
constexpr unsigned IDI_OUT_OF_DATE_SMALL = 721;
