#pragma once
// Converting a word processor's document into another format (a Word or WordPerfect file into
// RTF for AutoConvert, an exported RTF into a Word file). The word processor is outside the
// program: a converter service does the work, on a worker thread for the Word kind while the
// calling thread shows a progress window and lets it be cancelled.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <atomic>
#include <functional>

class COldProgressDlg;

constexpr int CONVERTER_WORD = 0;
constexpr int CONVERTER_WORDPERFECT = 1;

// Destination formats (the word processor's own numbers).
constexpr int WORD_FORMAT_DOCUMENT = 0;
constexpr int WORD_FORMAT_TEXT = 2;
constexpr int WORD_FORMAT_RTF = 6;
constexpr int WORD_FORMAT_HTML = 8;
constexpr int WP_OPEN_FORMAT = 4;
constexpr int WP_SAVE_FORMAT_RTF = 150;

// One conversion: what the caller asks and what the converter answers.
struct WCType {
    CString source;
    int nMode = 0;          // Word: 0 also makes the document convertible into questions
    CString destination;
    int nFormat = WORD_FORMAT_RTF;
    CString title;
    CString error;          // why it failed; empty when none
    std::atomic<bool> stop{false};
    int nResult = 0;        // non-zero: converted
    COldProgressDlg* pProgress = nullptr;  // texts and steps from the worker are posted
};
using WPCType = WCType;

class IDocumentConverter {
public:
    virtual ~IDocumentConverter() = default;
    // Whether the word processor for the kind is there.
    virtual BOOL IsInstalled(int nKind) = 0;
    // Converts block.source into block.destination; shouldStop is asked between steps. TRUE
    // when the destination holds the result, else block.error says why (may stay empty when
    // stopped). May run on a worker thread: it reaches the progress window only by posting.
    virtual BOOL Convert(int nKind, WCType& block, const std::function<bool()>& shouldStop) = 0;
};
// Until one is installed, no word processor is there.
CServiceSlot<IDocumentConverter>& DocumentConverterSlot();

// The stand-in for the word processors: LibreOffice without a window, through the process
// runner, with a profile of its own in the program home and its output in a private folder.
class CLibreOfficeConverter : public IDocumentConverter {
public:
    BOOL IsInstalled(int nKind) override;
    BOOL Convert(int nKind, WCType& block, const std::function<bool()>& shouldStop) override;
};
void InstallDocumentConverter();

// Converts on a worker while this thread shows "Converting Document"; a failure with a reason
// shows it. pError (when given) gets the reason. TRUE when converted.
BOOL WordConvert(LPCSTR source, int nMode, LPCSTR destination, int nFormat, LPCSTR title, CString* pError);
// The same for a WordPerfect file, on this thread.
BOOL WordPerfectConvertDoc(LPCSTR source, LPCSTR destination, int nOpenFormat, int nSaveFormat, LPCSTR title,
                           CString* pError);

// Word files made convertible (mode 0): list numbers kept as text and paragraph spacing made
// into empty paragraphs, so that AutoConvert sees the numbers and the gaps a reader sees.
CString MakeRtfConvertible(const CString& rtf);
