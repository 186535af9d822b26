#pragma once
// What the engine's sources share: the tokenizer's set-up, control words split into their parts,
// the recording helpers of the echo and the engine's lock. Not for use outside render/RtfDraw3*.

#include "foundation/Parse.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <mutex>

namespace rtfdraw3 {

// Sizes beyond what RTF can say ("\fs" is at most 32767 half points) are taken as that.
constexpr int kMaxPoints = 16383;

inline bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
inline bool IsSkippedDelimiter(char c) { return c == '\r' || c == '\n' || c == '\t'; }

// A control word split into its letters and its number; what follows them in the same token
// (a control word ends at the first character that is neither) is text.
struct CWord {
    CString letters;
    int n = 0;
    bool bNum = false;
    CString rest;
};
CWord SplitWord(const CString& text);

// The caller writes the current token's record itself: the token's own recording is skipped
// once. Returns the state before (0 while recording is paused, and then nothing changes).
int SkipTokenRecordOnce(CParse& parse);

// The tokenizer is shared by every call: one call at a time uses it.
std::recursive_mutex& EngineLock();

} // namespace rtfdraw3
