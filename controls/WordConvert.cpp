#include "controls/WordConvert.h"

#include "controls/OldProgressDlg.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/Process.h"
#include "res/ids/AutoConvert.h"

#include <QThread>

#include <cstdlib>
#include <system_error>
#include <thread>

namespace {

class CNoConverter : public IDocumentConverter {
public:
    BOOL IsInstalled(int) override { return FALSE; }
    BOOL Convert(int, WCType& block, const std::function<bool()>&) override
    {
        block.error = "No word processor is installed.";
        return FALSE;
    }
};
CNoConverter g_noConverter;
CServiceSlot<IDocumentConverter> g_converter(g_noConverter);

CString LoadOr(UINT id, LPCSTR fallback)
{
    CString s;
    if (!s.LoadString(id) || s.IsEmpty())
        s = fallback;
    return s;
}

void Say(const WCType& block, LPCSTR text)
{
    if (block.pProgress)
        block.pProgress->SetText(text);
}

void Step(const WCType& block)
{
    if (block.pProgress)
        block.pProgress->StepIt();
}

CString FileNameOf(const CString& path)
{
    const int slash = path.ReverseFind('/');
    return slash >= 0 ? path.Mid(slash + 1) : path;
}

// The conversion as both word processors go through it: look for it, convert, say why not.
BOOL RunConversion(int nKind, WCType& block, const std::function<bool()>& shouldStop)
{
    const BOOL bWord = nKind == CONVERTER_WORD;
    auto aborted = [&](LPCSTR where) {
        if (!shouldStop())
            return false;
        LogOutput(where, 3, LOG_HERE);
        return true;
    };
    if (aborted("Aborting 1"))
        return FALSE;
    Say(block, "Looking for LibreOffice...");
    IDocumentConverter& converter = DocumentConverterSlot().Get();
    if (!converter.IsInstalled(nKind)) {
        block.error = bWord ? LoadOr(IDS_AQF_WORD_NOT_INSTALLED, "MS Word not installed.")
                            : LoadOr(IDS_AQF_WP_NOT_INSTALLED, "WordPerfect not installed.");
        return FALSE;
    }
    Step(block);
    if (aborted("Aborting 2"))
        return FALSE;
    Say(block, "Opening document\n" + FileNameOf(block.source) + "...");
    Step(block);
    const BOOL bDone = converter.Convert(nKind, block, shouldStop);
    if (!bDone) {
        aborted("Aborting 3");
        return FALSE;
    }
    Step(block);
    Say(block, "...Complete.");
    return TRUE;
}

// The control words of an RTF text, one at a time, with the text between them.
class CRtfWords {
public:
    explicit CRtfWords(const std::string& in) : m_in(in) {}
    // The next piece: a control word (word set, value in value) or anything else (word empty).
    bool Next()
    {
        word.clear();
        value = 0;
        if (m_i >= m_in.size())
            return false;
        start = m_i;
        const char c = m_in[m_i];
        if (c != '\\' || m_i + 1 >= m_in.size() || !std::isalpha(static_cast<unsigned char>(m_in[m_i + 1]))) {
            // "\x" escapes go whole, so an escaped backslash never starts a word.
            m_i += (c == '\\' && m_i + 1 < m_in.size()) ? 2 : 1;
            if (c == '{')
                ++depth;
            else if (c == '}' && depth > 0)
                --depth;
            return true;
        }
        size_t j = m_i + 1;
        while (j < m_in.size() && std::isalpha(static_cast<unsigned char>(m_in[j])))
            ++j;
        word = m_in.substr(m_i + 1, j - m_i - 1);
        size_t k = j;
        if (k < m_in.size() && (m_in[k] == '-' || std::isdigit(static_cast<unsigned char>(m_in[k])))) {
            ++k;
            while (k < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in[k])))
                ++k;
        }
        value = k > j ? std::strtol(m_in.c_str() + j, nullptr, 10) : 0;
        if (k < m_in.size() && m_in[k] == ' ')
            ++k;
        m_i = k;
        return true;
    }
    size_t End() const { return m_i; }

    std::string word;
    long value = 0;
    size_t start = 0;
    int depth = 0;

private:
    const std::string& m_in;
    size_t m_i = 0;
};

// The space after the paragraph in hand. A \pard inside a list number's group belongs to that
// group.
struct CParagraphSpacing {
    void See(const CRtfWords& words)
    {
        if (listDepth >= 0 && words.depth < listDepth)
            listDepth = -1;
        if (words.word == "listtext" || words.word == "pntext")
            listDepth = words.depth;
        else if (words.word == "pard" && listDepth < 0)
            spaceAfter = 0;
        else if (words.word == "sa")
            spaceAfter = words.value;
    }
    long spaceAfter = 0;
    int listDepth = -1;
};

// A reader sees a gap where a paragraph has more space after it than the closest paragraphs of
// the document: that becomes an empty paragraph. List numbers that an older writer keeps in
// \pntext groups become plain text.
CString ConvertibleRtf(const std::string& in)
{
    long closest = -1;
    {
        CRtfWords words(in);
        CParagraphSpacing spacing;
        while (words.Next()) {
            spacing.See(words);
            if (words.word == "par" && (closest < 0 || spacing.spaceAfter < closest))
                closest = spacing.spaceAfter;
        }
    }
    const bool bListText = in.find("\\listtext") != std::string::npos;
    std::string out;
    out.reserve(in.size() + in.size() / 16);
    size_t copied = 0;
    auto copyTo = [&](size_t end) {
        out.append(in, copied, end - copied);
        copied = end;
    };
    CRtfWords words(in);
    CParagraphSpacing spacing;
    while (words.Next()) {
        if (words.word == "pntext" && !bListText) {
            // Drop the word and keep its group's text: the number a reader sees.
            copyTo(words.start);
            copied = words.End();
        }
        spacing.See(words);
        if (words.word == "par" && spacing.spaceAfter > closest) {
            copyTo(words.End());
            out += "\\par ";
        }
    }
    copyTo(in.size());
    return CString(std::move(out));
}

} // namespace

namespace {

// The block as the caller asks, with the progress window shown.
void Fill(WCType& block, LPCSTR source, int nMode, LPCSTR destination, int nFormat, LPCSTR title,
          COldProgressDlg& progress)
{
    block.source = source;
    block.nMode = nMode;
    block.destination = destination;
    block.nFormat = nFormat;
    block.title = title;
    block.pProgress = &progress;
    progress.Create();
}

} // namespace

CServiceSlot<IDocumentConverter>& DocumentConverterSlot() { return g_converter; }

CString MakeRtfConvertible(const CString& rtf) { return ConvertibleRtf(rtf.str()); }

BOOL WordConvert(LPCSTR source, int nMode, LPCSTR destination, int nFormat, LPCSTR title, CString* pError)
{
    COldProgressDlg progress("Converting Document", "", 100);
    WCType block;
    Fill(block, source, nMode, destination, nFormat, title, progress);
    progress.SetTitle("Converting Document");
    std::atomic<bool> done{false};
    auto shouldStop = [&block, &progress] { return progress.IsCancelled() || block.stop.load(); };
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                block.nResult = RunConversion(CONVERTER_WORD, block, shouldStop) ? 1 : 0;
            } catch (...) {
                LogUnknownException(LOG_HERE);
                block.nResult = 0;
            }
            done = true;
        });
    } catch (const std::system_error&) {
        LogOutput("Failed to create Word thread.", LOG_ERROR, LOG_HERE);
        progress.DestroyWindow();
        AfxMessageBox("Failed to start Word.", MB_OK | MB_ICONEXCLAMATION);
        if (pError)
            *pError = "Failed to start Word.";
        return FALSE;
    }
    while (!done.load()) {
        COldProgressDlg::PumpMessages();
        QThread::msleep(10);
    }
    worker.join();
    // What the worker posted reaches the window before it goes.
    COldProgressDlg::PumpMessages();
    progress.DestroyWindow();
    if (block.nResult && nMode == 0 && nFormat == WORD_FORMAT_RTF) {
        std::string rtf;
        // A file left unrewritten still reads, only less well; say so in the log.
        if (fsys::ReadFile(destination, rtf)) {
            const CString convertible = MakeRtfConvertible(CString(std::move(rtf)));
            if (!fsys::WriteFile(destination, convertible.GetString(), static_cast<size_t>(convertible.GetLength())))
                LogOutput("WordConvert() - could not rewrite the converted RTF.", LOG_ERROR, LOG_HERE);
        } else {
            LogOutput("WordConvert() - could not read the converted RTF.", LOG_ERROR, LOG_HERE);
        }
    }
    if (!block.nResult && !block.error.IsEmpty())
        AfxMessageBox(block.error, MB_OK | MB_ICONEXCLAMATION);
    if (pError)
        *pError = block.error;
    return block.nResult != 0;
}

BOOL WordPerfectConvertDoc(LPCSTR source, LPCSTR destination, int nOpenFormat, int nSaveFormat, LPCSTR title,
                           CString* pError)
{
    COldProgressDlg progress("Converting Document", "", 100);
    WPCType block;
    Fill(block, source, nOpenFormat, destination, nSaveFormat, title, progress);
    BOOL bDone = FALSE;
    try {
        bDone = RunConversion(CONVERTER_WORDPERFECT, block, [&progress] { return progress.IsCancelled() != FALSE; });
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    progress.DestroyWindow();
    if (pError)
        *pError = block.error;
    return bDone;
}

// ---------------------------------------------------------------------------------------------
// LibreOffice

namespace {

// LibreOffice's filter for a destination format, and the extension it writes.
CString FilterOf(int nKind, int nFormat, CString& ext)
{
    if (nKind == CONVERTER_WORDPERFECT || nFormat == WORD_FORMAT_RTF) {
        ext = "rtf";
        return "rtf";
    }
    switch (nFormat) {
    case WORD_FORMAT_TEXT: ext = "txt"; return "txt:Text";
    case WORD_FORMAT_HTML: ext = "html"; return "html:HTML (StarWriter)";
    case 12:
    case 16: ext = "docx"; return "docx:MS Word 2007 XML";
    default: ext = "doc"; return "doc:MS Word 97";
    }
}

CString BaseNameOf(const CString& path)
{
    CString name = FileNameOf(path);
    const int dot = name.ReverseFind('.');
    return dot > 0 ? name.Left(dot) : name;
}

// A folder only this user can read, gone with the object.
class CPrivateFolder {
public:
    CPrivateFolder()
    {
        std::string pattern = std::string(fsys::TempDirectory().GetString()) + "/corra-convert-XXXXXX";
        if (::mkdtemp(pattern.data()))
            m_path = CString(std::move(pattern));
    }
    ~CPrivateFolder()
    {
        if (!m_path.IsEmpty())
            fsys::DeleteTree(m_path);
    }
    const CString& Path() const { return m_path; }

private:
    CString m_path;
};

} // namespace

BOOL CLibreOfficeConverter::IsInstalled(int)
{
    return !ProcessRunnerSlot().Get().FindProgram("soffice").IsEmpty();
}

BOOL CLibreOfficeConverter::Convert(int nKind, WCType& block, const std::function<bool()>& shouldStop)
{
    CPrivateFolder out;
    if (out.Path().IsEmpty()) {
        block.error = "Failed to make a folder for the converted document.";
        return FALSE;
    }
    CString ext;
    const CString filter = FilterOf(nKind, block.nFormat, ext);
    const CString profile = GetProgramHome() + "LibreOffice";
    CProcessRequest request;
    request.program = ProcessRunnerSlot().Get().FindProgram("soffice");
    request.arguments = {"--headless", "--norestore", "-env:UserInstallation=file://" + profile, "--convert-to",
                         filter, "--outdir", out.Path(), block.source};
    request.nTimeoutMs = 120000;
    request.shouldStop = shouldStop;
    Say(block, "Converting " + FileNameOf(block.source) + "...");
    const CProcessResult result = ProcessRunnerSlot().Get().Run(request);
    if (result.bStopped)
        return FALSE;
    if (!result.bStarted) {
        block.error = "Failed to start LibreOffice.\n\n" + result.errorText;
        return FALSE;
    }
    if (result.bTimedOut) {
        block.error = "LibreOffice did not finish converting the document within two minutes.";
        return FALSE;
    }
    // Success is a document written, whatever the exit status says.
    const CString written = fsys::Join(out.Path(), BaseNameOf(block.source) + "." + ext);
    std::string bytes;
    if (!fsys::ReadFile(written, bytes) || bytes.empty()) {
        block.error = "LibreOffice could not convert the document.";
        if (!result.errorText.IsEmpty())
            block.error += "\n\n" + result.errorText;
        return FALSE;
    }
    if (!fsys::WriteFile(block.destination, bytes.data(), bytes.size())) {
        block.error = "Failed to write the converted document:\n\n" + block.destination;
        return FALSE;
    }
    return TRUE;
}

void InstallDocumentConverter()
{
    static CQtProcessRunner runner;
    static CLibreOfficeConverter converter;
    ProcessRunnerSlot().Set(&runner);
    DocumentConverterSlot().Set(&converter);
}
