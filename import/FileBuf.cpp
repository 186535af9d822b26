#include "import/FileBuf.h"

#include "controls/WordConvert.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "import/SourceDoc.h"
#include "platform/core/CodePage.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/WinApp.h"

#include <filesystem>
#include <string>

namespace {

// The same file by its canonical path (case kept: the file system tells names apart by case).
bool SamePath(const CString& a, const CString& b)
{
    if (a == b)
        return true;
    std::error_code ec1;
    std::error_code ec2;
    const auto ca = std::filesystem::weakly_canonical(a.GetString(), ec1);
    const auto cb = std::filesystem::weakly_canonical(b.GetString(), ec2);
    return !ec1 && !ec2 && ca == cb;
}

bool DecodeUtf8(const std::string& s, size_t from, std::u32string& out)
{
    out.clear();
    for (size_t i = from; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int n = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            n = 1;
            cp = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            n = 2;
            cp = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            n = 3;
            cp = b & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(n) >= s.size() + (n ? 0 : 1))
            return false;
        for (int k = 1; k <= n; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode are no UTF-8.
        static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        out.push_back(cp);
        i += static_cast<size_t>(n) + 1;
    }
    return true;
}

std::u32string DecodeUtf16(const std::string& s, bool bigEndian)
{
    std::u32string out;
    for (size_t i = 2; i + 1 < s.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(s[i + (bigEndian ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(s[i + (bigEndian ? 0 : 1)]);
        char32_t u = static_cast<char32_t>(hi << 8 | lo);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < s.size()) {
            const auto lo2 = static_cast<unsigned char>(s[i + 2 + (bigEndian ? 1 : 0)]);
            const auto hi2 = static_cast<unsigned char>(s[i + 2 + (bigEndian ? 0 : 1)]);
            const char32_t v = static_cast<char32_t>(hi2 << 8 | lo2);
            if (v >= 0xDC00 && v <= 0xDFFF) {
                u = 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00);
                i += 2;
            }
        }
        out.push_back(u);
    }
    return out;
}

// Characters outside the code page reach the control as RTF's \u, never as "?".
CString ToRtfText(const std::u32string& text)
{
    std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 ";
    for (size_t i = 0; i < text.size(); ++i) {
        const char32_t cp = text[i];
        if (cp == '\r' || cp == '\n') {
            if (cp == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\\par\r\n";
        } else if (cp == '\\' || cp == '{' || cp == '}') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp == '\t') {
            out += "\\tab ";
        } else if (cp >= 0x20 && cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (const int b = cp1252::FromUnicode(cp); b >= 0x80) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "\\'%02x", b);
            out += hex;
        } else {
            // UTF-16 units as signed numbers, with "?" for readers without Unicode.
            auto unit = [&out](unsigned u) { out += "\\u" + std::to_string(static_cast<int16_t>(u)) + "?"; };
            if (cp >= 0x10000) {
                unit(0xD800 + ((cp - 0x10000) >> 10));
                unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
            } else {
                unit(static_cast<unsigned>(cp));
            }
        }
    }
    out += "}";
    return CString(std::move(out));
}

} // namespace

CString DecodeSourceBytes(const std::string& raw)
{
    std::u32string text;
    bool decoded = false;
    if (raw.size() >= 2 && (static_cast<unsigned char>(raw[0]) == 0xFF && static_cast<unsigned char>(raw[1]) == 0xFE)) {
        text = DecodeUtf16(raw, false);
        decoded = true;
    } else if (raw.size() >= 2 && (static_cast<unsigned char>(raw[0]) == 0xFE && static_cast<unsigned char>(raw[1]) == 0xFF)) {
        text = DecodeUtf16(raw, true);
        decoded = true;
    } else if (raw.size() >= 3 && raw.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        decoded = DecodeUtf8(raw, 3, text);
    } else {
        bool ascii = true;
        for (char c : raw)
            ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        decoded = !ascii && DecodeUtf8(raw, 0, text);
    }
    if (!decoded) {
        // Windows-1252 as it is: every byte is a character.
        std::string bytes = raw;
        for (char& c : bytes)
            if (c == '\0')
                c = ' ';
        return CString(std::move(bytes));
    }
    bool fits = true;
    for (char32_t& cp : text) {
        if (cp == 0)
            cp = ' ';
        fits = fits && (cp < 0x80 || cp1252::FromUnicode(cp) >= 0x80);
    }
    if (!fits)
        return ToRtfText(text);
    std::string bytes;
    bytes.reserve(text.size());
    for (char32_t cp : text)
        bytes += static_cast<char>(cp < 0x80 ? static_cast<int>(cp) : cp1252::FromUnicode(cp));
    return CString(std::move(bytes));
}

BOOL GetSourceFileText(LPCSTR path, CString& out, int& nLength)
{
    nLength = 0;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path ? path : "", ec);
    if (!ec && size > SOURCE_FILE_MAX_BYTES) {
        LogOutput(CString("::GetFileText() - the file is larger than 32 MB: ") + path, LOG_ERROR, LOG_HERE);
        AfxMessageBox(CString("The file is too large to convert (more than 32 MB):\n\n") + path);
        return FALSE;
    }
    std::string raw;
    if (!path || ec || !fsys::ReadFile(path, raw)) {
        LogOutput("::GetFileText() - failed to open file...", LOG_ERROR, LOG_HERE);
        LogOutput(path ? path : "", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    const bool rtf = raw.compare(0, 5, "{\\rtf") == 0;
    if (rtf) {
        if (raw.find("\\pict") != std::string::npos)
            LogOutput(CString("::GetFileText() - the pictures of the source are left out: ") + path, 2, LOG_HERE);
        for (char& c : raw)
            if (c == '\0')
                c = ' ';
        out = CString(std::move(raw));
    } else {
        out = DecodeSourceBytes(raw);
    }
    nLength = out.GetLength() + 1;
    return TRUE;
}

namespace {

BOOL ConvertedText(LPCSTR path, CString& out, int& nLength, bool bWord)
{
    nLength = 0;
    CString temp;
    if (!MakeTempFileName(temp, "rtf")) {
        LogOutput("::WordDocText() - failed to make a temporary file name", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    CString error;
    const BOOL bConverted = bWord ? WordConvert(path, 0, temp, WORD_FORMAT_RTF, "title", &error)
                                  : WordPerfectConvertDoc(path, temp, WP_OPEN_FORMAT, WP_SAVE_FORMAT_RTF,
                                                          "Convert from WordPerfect", &error);
    BOOL bRead = FALSE;
    if (bConverted)
        bRead = GetSourceFileText(temp, out, nLength);
    fsys::DeleteFile(temp);
    if (!bConverted) {
        AfxMessageBox(CString(bWord ? "Failed to read MS Word document\n\n" : "Failed to read WordPerfect document\n\n") +
                      error);
        return FALSE;
    }
    return bRead;
}

} // namespace

BOOL WordDocText(LPCSTR path, CString& out, int& nLength) { return ConvertedText(path, out, nLength, true); }

BOOL WordPerfectDocText(LPCSTR path, CString& out, int& nLength) { return ConvertedText(path, out, nLength, false); }

BOOL CFileBuf::GetDocText(LPCSTR path, CString& out, int& nLength)
{
    nLength = 0;
    if (auto* pSource = dynamic_cast<CSourceDoc*>(m_pDoc)) {
        if (!pSource->GetEditText(out))
            return FALSE;
        nLength = out.GetLength() + 1;
        return TRUE;
    }
    BOOL bRead = FALSE;
    switch (CFileTypes::GetDocType(path)) {
    case FT_TEXT:
    case FT_RTF: bRead = GetSourceFileText(path, out, nLength); break;
    case FT_WORD: bRead = WordDocText(path, out, nLength); break;
    case FT_WORDPERFECT: bRead = WordPerfectDocText(path, out, nLength); break;
    default:
        AfxMessageBox(CString("Doc type not supported for opening text:\n\n") + path);
        LogOutput(CString("CAQFChooseDocPage::GetDocText() - Doc type not supported for opening text:\n\n") + path,
                  LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    if (bRead)
        if (CWinApp* pApp = AfxGetApp())
            pApp->AddToRecentFileList(path);
    return bRead;
}

BOOL CFileBuf::Load(LPCSTR path)
{
    CString target = path ? CString(path) : m_csPath;
    if (path && !m_csPath.IsEmpty() && m_nBufLen > 0 && SamePath(target, m_csPath))
        return TRUE;
    if (LoadFromFile(target))
        return TRUE;
    AfxMessageBox("Failed to load file\n\n" + target);
    return FALSE;
}

BOOL CFileBuf::LoadFromFile(LPCSTR path)
{
    if (!path || !*path) {
        LogOutput("CFileBuf::LoadFromFile() - No source document has been selected.", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    try {
        // Read first: a failed load keeps the text and path there were.
        CString text;
        int nLength = 0;
        if (!GetDocText(path, text, nLength)) {
            LogOutput("CFileBuf::LoadFromFile() - failed to GetDocText()...", LOG_ERROR, LOG_HERE);
            LogOutput(path, LOG_ERROR, LOG_HERE);
            return FALSE;
        }
        m_csPath = path;
        return SetText(text, text.GetLength());
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return FALSE;
}

BOOL CFileBuf::SetText(LPCSTR text, int nLength)
{
    if (!text || nLength < 0)
        return FALSE;
    m_szOrigFile.assign(text, text + nLength);
    m_szOrigFile.push_back('\0');
    m_szWorkingBuf = m_szOrigFile;
    m_nBufLen = nLength + 1;
    ASSERT(m_nBufLen > 0);
    return TRUE;
}

void CFileBuf::Free()
{
    m_szOrigFile.clear();
    m_szWorkingBuf.clear();
    m_nBufLen = 0;
}

CString CFileBuf::GetFileName() const
{
    const int slash = m_csPath.ReverseFind('/');
    return slash >= 0 ? m_csPath.Mid(slash + 1) : m_csPath;
}
