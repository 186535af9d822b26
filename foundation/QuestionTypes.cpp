#include "foundation/QuestionTypes.h"

#include "foundation/Log.h"
#include "platform/core/StringTable.h"
#include "res/ids/QuestionTypes.h"

#include <iterator>

namespace {

struct QuestionType {
    UINT nId;
    UINT nNameId;
    BOOL bEditable;
};

const QuestionType kTypes[] = {
    {IDS_QTYPE_MC, IDS_QTYPE_NAME_MC, TRUE},  {IDS_QTYPE_ES, IDS_QTYPE_NAME_ES, TRUE},
    {IDS_QTYPE_MA, IDS_QTYPE_NAME_MA, FALSE}, {IDS_QTYPE_SA, IDS_QTYPE_NAME_SA, TRUE},
    {IDS_QTYPE_FI, IDS_QTYPE_NAME_FI, TRUE},  {IDS_QTYPE_CO, IDS_QTYPE_NAME_CO, FALSE},
    {IDS_QTYPE_UN, IDS_QTYPE_NAME_UN, FALSE}, {IDS_QTYPE_TF, IDS_QTYPE_NAME_TF, TRUE},
};

const QuestionType* FindType(long nType)
{
    for (const QuestionType& t : kTypes)
        if (static_cast<long>(t.nId) == nType)
            return &t;
    return nullptr;
}

} // namespace

int GetQuestionTypeCount()
{
    return static_cast<int>(std::size(kTypes));
}

UINT GetQuestionTypeId(int i)
{
    return i >= 0 && i < GetQuestionTypeCount() ? kTypes[i].nId : 0;
}

BOOL AllowedQuestDlgType(long nType)
{
    const QuestionType* pType = FindType(nType);
    if (!pType) {
        CString cs;
        cs.Format("::AllowedQuestDlgType() - unknown type: %ld", nType);
        LogOutput(cs, 1, LOG_HERE);
        return FALSE;
    }
    return pType->bEditable;
}

CString GetQuestionTypeName(UINT nType)
{
    const QuestionType* pType = FindType(static_cast<long>(nType));
    return LoadStringId(pType ? pType->nNameId : IDS_QTYPE_NAME_UN);
}
