#pragma once
// Ids of the strings of the exam's forms.

constexpr unsigned IDS_TOO_MANY_FORM_ATTEMPTS = 32863;
// A form takes no questions after it is made.
constexpr unsigned IDS_CANNOT_COPY_TO_FORMS = 135;
