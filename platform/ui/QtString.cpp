#include "platform/ui/QtString.h"

#include <QStringDecoder>

#include <map>

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

int CodePageOfCharset(int charset)
{
    static constexpr std::pair<int, int> kPages[] = {{161, 1253}, {162, 1254}, {163, 1258}, {177, 1255},
                                                     {178, 1256}, {186, 1257}, {204, 1251}, {222, 874},
                                                     {238, 1250}};
    for (const auto& [set, page] : kPages)
        if (set == charset)
            return page;
    return 0;
}

char16_t DecodeCodePageByte(int codePage, unsigned char b)
{
    if (b < 0x80 || codePage == 1252 || codePage <= 0 || codePage > 65535)
        return 0;
    // A decoder is made once per page and thread; single bytes need no state between calls.
    thread_local std::map<int, QStringDecoder> decoders;
    auto it = decoders.find(codePage);
    if (it == decoders.end()) {
        const QByteArray name = "windows-" + QByteArray::number(codePage);
        it = decoders.emplace(codePage, QStringDecoder(name.constData(), QStringConverter::Flag::Stateless)).first;
    }
    if (!it->second.isValid())
        return 0;
    const char byte = static_cast<char>(b);
    const QString text = it->second.decode(QByteArrayView(&byte, 1));
    return text.size() == 1 && text[0] != QChar::ReplacementCharacter ? text[0].unicode() : 0;
}
