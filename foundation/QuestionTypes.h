#pragma once
// The question type table: the eight types in the order the editor lists them. A type is a
// string-table id whose text is its code ("MC", "ES", ...).

#include "platform/core/String.h"

int GetQuestionTypeCount();
// The type id at position i (0 <= i < GetQuestionTypeCount()); 0 outside the table.
UINT GetQuestionTypeId(int i);
// Whether the question editor edits the type (MC, ES, SA, FI, TF). An id outside the table is
// logged and refused.
BOOL AllowedQuestDlgType(long nType);
// The display name ("Multiple Choice"); "Unknown QType" for an id outside the table.
CString GetQuestionTypeName(UINT nType);
