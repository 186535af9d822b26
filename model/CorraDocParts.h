#pragma once
// What the source files of CCorraDoc share (CorraDoc.cpp, the file reader CorraDocRead.cpp and
// the file writer CorraDocWrite.cpp); nothing else includes it.

#include "controls/OldProgressDlg.h"
#include "foundation/Log.h"
#include "model/CorraQuestion.h"
#include "platform/core/Services.h"
#include "platform/core/String.h"
#include "platform/core/Time.h"

#include <chrono>
#include <memory>

namespace corra_doc {

inline CCorraQuestion* AsQuestion(void* p)
{
    return static_cast<CCorraQuestion*>(p);
}

// Marks the document busy for the length of a read or write.
class CBusyScope {
public:
    explicit CBusyScope(BOOL& flag) : m_flag(flag) { m_flag = TRUE; }
    ~CBusyScope() { m_flag = FALSE; }
    CBusyScope(const CBusyScope&) = delete;
    CBusyScope& operator=(const CBusyScope&) = delete;

private:
    BOOL& m_flag;
};

// Moves a progress box as work goes on without repainting it for every record: the bar moves
// when its percentage changes, and events run every few records in between.
class CProgressPacer {
public:
    CProgressPacer(COldProgressDlg* dlg, long range) : m_pDlg(dlg), m_nRange(range > 0 ? range : 1) {}
    void Update(long pos)
    {
        if (!m_pDlg)
            return;
        int percent = static_cast<int>(static_cast<long long>(pos) * 100 / m_nRange);
        // The bar is repainted a few times a second: a repaint for every percent costs a large
        // bank's read more than a tenth of its time.
        const auto now = std::chrono::steady_clock::now();
        if (percent != m_nPercent && now - m_shown >= std::chrono::milliseconds(50)) {
            m_nPercent = percent;
            m_shown = now;
            m_pDlg->SetPos(static_cast<int>(pos));
        } else if (++m_nSincePump >= 32) {
            m_nSincePump = 0;
            COldProgressDlg::PumpMessages();
        }
    }
    BOOL IsCancelled() const { return m_pDlg && m_pDlg->IsCancelled(); }

private:
    COldProgressDlg* m_pDlg;
    long m_nRange;
    int m_nPercent = -1;
    int m_nSincePump = 0;
    std::chrono::steady_clock::time_point m_shown{};
};

inline void LogError(LPCSTR text)
{
    LogOutput(text, LOG_ERROR, LOG_HERE);
}

// A message to the user; a read or write on another thread has no one to show it to and logs it.
inline void Say(const CString& text, LPCSTR caption, UINT style)
{
    if (IsMainThread())
        MessageBoxService().Show(text, caption, style);
    else
        LogError(text);
}

// The progress box of a read or write on the user-interface thread; none on another thread.
inline std::unique_ptr<COldProgressDlg> MakeProgress(LPCSTR title, LPCSTR text, int range)
{
    if (!IsMainThread())
        return nullptr;
    return std::make_unique<COldProgressDlg>(title, text, range);
}

} // namespace corra_doc
