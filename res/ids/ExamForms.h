#pragma once
// Ids of the strings of the exam's forms.

constexpr unsigned IDS_TOO_MANY_FORM_ATTEMPTS = 32863;
