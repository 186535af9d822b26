#pragma once
// What a check of a typed choices text found wrong: up to four string-table ids of the texts to
// show (0 where none), the range of characters to select in the editor, and a message text. The
// choices parser fills it; the message box shows its ids and the editors select its range.

#include "platform/core/Object.h"
#include "platform/core/String.h"

class CChoicesError : public CObject {
public:
    CChoicesError() = default;
    ~CChoicesError() override = default;

    // Empties ids, range and message.
    void Reset();
    // Sets the ids (the rest become 0) and keeps range and message.
    void SetIds(UINT nId1, UINT nId2 = 0, UINT nId3 = 0, UINT nId4 = 0);
    void SetRange(int nStart, int nEnd)
    {
        m_nStart = nStart;
        m_nEnd = nEnd;
    }
    // Whether anything is recorded.
    BOOL IsSet() const { return m_nId1 || m_nId2 || m_nId3 || m_nId4 || !m_csMessage.IsEmpty(); }

    UINT m_nId1 = 0;
    UINT m_nId2 = 0;
    UINT m_nId3 = 0;
    UINT m_nId4 = 0;
    int m_nStart = 0;
    int m_nEnd = 0;
    CString m_csMessage;
};
