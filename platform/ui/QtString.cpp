#include "platform/ui/QtString.h"

#include "platform/core/CodePage.h"

QString ToQString(const CString& s)
{
    QString out;
    out.reserve(s.GetLength());
    for (unsigned char c : s.str())
        out.append(QChar(static_cast<char16_t>(cp1252::ToUnicode(c))));
    return out;
}

QString ToQString(const char* s)
{
    return ToQString(CString(s));
}

CString FromQString(const QString& s)
{
    std::string out;
    out.reserve(static_cast<size_t>(s.size()));
    for (qsizetype i = 0; i < s.size(); ++i) {
        QChar ch = s[i];
        // A character outside the basic plane is one character, not two.
        if (ch.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        int b = ch.isSurrogate() ? -1 : cp1252::FromUnicode(ch.unicode());
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return CString(std::move(out));
}
