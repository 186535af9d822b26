#pragma once
// Types questions into a question editor as a teacher would: the type, the level, the text, the
// choices or the answer, a subject picked from the master list and a textbook chapter through
// the choosers, then "Add". And checks a question read back against what was typed.

#include "platform/core/String.h"

class CCorraQuestion;
class CCorraQuestionDlg;

struct CTypedQuestion {
    unsigned type;
    const char* text;
    const char* choices;  // "MC" only
    const char* answer;   // the letter, "a" for a true "TF", the text of written answers
    int level;
    const char* percent;  // answer size of written answers
};

// One question of each editable type.
const CTypedQuestion* TypedQuestions(int* pnCount);
// Writes the master lists the choosers read: "Biology" and "Campbell Biology".
void WriteRoundTripMasterLists();
// Types t into the editor and adds it (subject "Biology", "Campbell Biology" chapter 7);
// whether the editor added it.
bool TypeAndAdd(CCorraQuestionDlg& dlg, const CTypedQuestion& t);
// Expects the question and the editor showing it to hold what was typed; with bShow the
// editor is given the question first, else it must show it already.
void ExpectTyped(CCorraQuestionDlg& dlg, CCorraQuestion& q, const CTypedQuestion& t, bool bShow = true);
