#pragma once
// Data transfer of the program's own lists over the system clipboard. A data source holds the
// bytes of each registered format from Copy on; putting it on the clipboard offers them under a
// MIME type made from the format's name ("Corra Question List" is
// "application/x-corra-question-list"). A data object reads them back, from the clipboard or
// from a source directly. Bytes on the clipboard may come from any program: a reader gets at
// most MAX_TRANSFER_BYTES. User-interface thread only (the clipboard's).

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <QString>

#include <map>
#include <vector>

// The most bytes of one format a paste reads.
constexpr size_t MAX_TRANSFER_BYTES = 64u * 1024u * 1024u;

// The MIME type a registered format travels under; empty for a number never registered.
QString ClipboardFormatMime(UINT format);

class COleDataSource {
public:
    // Keeps a copy of the bytes under the format (replacing what it held there).
    void CacheGlobalData(UINT format, const std::vector<BYTE>& bytes);
    BOOL HasFormat(UINT format) const { return m_data.count(format) != 0; }
    // The bytes under the format; NULL when none.
    const std::vector<BYTE>* GetData(UINT format) const;
    void Empty() { m_data.clear(); }
    // Offers every format on the system clipboard, replacing what it held; the source keeps its
    // bytes. FALSE when it holds nothing.
    BOOL SetClipboard() const;

private:
    std::map<UINT, std::vector<BYTE>> m_data;
};

class COleDataObject {
public:
    // Reads from the system clipboard from now on.
    void AttachClipboard();
    // Reads from a source of this program (drags; the source must outlive the reads).
    void Attach(const COleDataSource* pSource);
    void Release();
    // Whether the format is offered (it may still turn out empty or too large).
    BOOL IsDataAvailable(UINT format) const;
    // The bytes of the format: FALSE when it is not offered, empty or larger than
    // MAX_TRANSFER_BYTES.
    BOOL GetData(UINT format, std::vector<BYTE>& out) const;

private:
    BOOL m_bClipboard = FALSE;
    const COleDataSource* m_pSource = nullptr;
};
