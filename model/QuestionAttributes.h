#pragma once
// Attributes set on many questions at once: type, level, index, and subjects and textbook
// chapters each replaced, added or removed. Collections are left as they are.

#include "foundation/PtrListEx.h"
#include "platform/core/Collections.h"
#include "platform/core/String.h"

class CCorraDoc;
class CQuestion;

enum { ATTR_REPLACE = 0, ATTR_ADD = 1, ATTR_REMOVE = 2 };

struct CQuestionAttributes {
    BOOL setType = FALSE;
    BOOL setLevel = FALSE;
    BOOL setIndex = FALSE;
    BOOL setSubjects = FALSE;
    BOOL setBooks = FALSE;
    int type = 0;  // a type id; 0 leaves each question its type
    int level = 0;
    int index = 0;
    int subjectsMode = ATTR_REPLACE;
    int booksMode = ATTR_REPLACE;
    CStringArray subjects;
    CStringArray books;     // parallel to chapters
    CStringArray chapters;
};

// Applies the ticked attributes to one question; FALSE for a collection (left alone).
BOOL ApplyQuestionAttributes(CQuestion& question, const CQuestionAttributes& attributes);

// Applies them to every question of the list, then marks the document modified, recomputes its
// highest ID and INDEX and has the views update the rows of the questions changed. The number
// of questions changed.
int SetQuestionAttributes(CCorraDoc& doc, const CPtrList& questions, const CQuestionAttributes& attributes);
