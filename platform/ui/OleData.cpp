#include "platform/ui/OleData.h"

#include "platform/core/ClipboardFormats.h"
#include "platform/core/UiThread.h"

#include <QGuiApplication>
#include <QClipboard>
#include <QMimeData>

QString ClipboardFormatMime(UINT format)
{
    CString name = GetClipboardFormatName(format);
    if (name.IsEmpty())
        return QString();
    QString mime = QStringLiteral("application/x-");
    for (const char* p = name.GetString(); *p; ++p) {
        char c = *p;
        if (c >= 'A' && c <= 'Z')
            mime += QChar(c - 'A' + 'a');
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            mime += QChar(c);
        else
            mime += QChar('-');
    }
    return mime;
}

void COleDataSource::CacheGlobalData(UINT format, const std::vector<BYTE>& bytes)
{
    m_data[format] = bytes;
}

const std::vector<BYTE>* COleDataSource::GetData(UINT format) const
{
    auto it = m_data.find(format);
    return it == m_data.end() ? nullptr : &it->second;
}

BOOL COleDataSource::SetClipboard() const
{
    ASSERT_UI_THREAD();
    if (m_data.empty())
        return FALSE;
    auto* mime = new QMimeData;
    for (const auto& [format, bytes] : m_data) {
        QString type = ClipboardFormatMime(format);
        if (!type.isEmpty())
            mime->setData(type, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
    }
    QGuiApplication::clipboard()->setMimeData(mime);
    return TRUE;
}

void COleDataObject::AttachClipboard()
{
    m_bClipboard = TRUE;
    m_pSource = nullptr;
}

void COleDataObject::Attach(const COleDataSource* pSource)
{
    m_bClipboard = FALSE;
    m_pSource = pSource;
}

void COleDataObject::Release()
{
    m_bClipboard = FALSE;
    m_pSource = nullptr;
}

BOOL COleDataObject::IsDataAvailable(UINT format) const
{
    if (m_pSource)
        return m_pSource->HasFormat(format);
    if (!m_bClipboard)
        return FALSE;
    ASSERT_UI_THREAD();
    QString type = ClipboardFormatMime(format);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return !type.isEmpty() && mime && mime->hasFormat(type);
}

BOOL COleDataObject::GetData(UINT format, std::vector<BYTE>& out) const
{
    out.clear();
    if (m_pSource) {
        const std::vector<BYTE>* bytes = m_pSource->GetData(format);
        if (!bytes || bytes->empty() || bytes->size() > MAX_TRANSFER_BYTES)
            return FALSE;
        out = *bytes;
        return TRUE;
    }
    if (!IsDataAvailable(format))
        return FALSE;
    QByteArray data = QGuiApplication::clipboard()->mimeData()->data(ClipboardFormatMime(format));
    if (data.isEmpty() || static_cast<size_t>(data.size()) > MAX_TRANSFER_BYTES)
        return FALSE;
    out.assign(data.constData(), data.constData() + data.size());
    return TRUE;
}
