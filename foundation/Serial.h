#pragma once
// Byte-buffer form of the program's own containers and strings, and the growable vector.
//
// An object writes itself into a buffer and reads itself back: a 2-byte version word first, then
// its own fields, each in the writer's byte order. Every call takes the buffer's end with it and
// returns the advanced pointer, or NULL (logged) when the buffer is too short or the data is bad;
// nothing is read or written past the end.

#include "platform/core/WinTypes.h"

#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

constexpr int SERIALIZE_IN = 0;
constexpr int SERIALIZE_OUT = 1;

class CSerial {
public:
    CSerial() = default;
    // A copy is of the same class; its read state starts clear.
    CSerial(const CSerial& o) : m_pszClass(o.m_pszClass) {}
    // Assignment copies nothing: each object keeps its own class text and read state.
    CSerial& operator=(const CSerial&) { return *this; }
    virtual ~CSerial() = default;

    // Bytes the object writes, version word included.
    virtual size_t GetSerializedSize() const { return 0; }
    // Least number of bytes a stored object occupies.
    virtual size_t GetMinSerializedSize() const { return 0; }
    // SERIALIZE_OUT writes into [pBuf, pEnd), any other direction reads from it.
    virtual BYTE* Serialize(BYTE* pBuf, const BYTE* pEnd, int nDirection);
    virtual const BYTE* OnSerializeIn(const BYTE* pBuf, const BYTE* pEnd) { return pBuf; }
    virtual BYTE* OnSerializeOut(BYTE* pBuf, const BYTE* pEnd) { return pBuf; }
    // Empties the object.
    virtual void Reset() {}

    WORD GetVersion() const { return m_wVersion; }
    BOOL IsSwapped() const { return m_bSwap; }
    LPCSTR GetClassText() const { return m_pszClass; }

    // One field of n bytes (at most 16); reversed when the stored byte order is the other one.
    const BYTE* ReadBytes(void* pDest, size_t n, const BYTE* pSrc, const BYTE* pEnd);
    BYTE* WriteBytes(const void* pSrc, size_t n, BYTE* pDest, const BYTE* pEnd);
    // Reads the version word and decides the byte order of the rest of this read.
    const BYTE* VersionIn(WORD& wVersion, const BYTE* pSrc, const BYTE* pEnd);
    BYTE* VersionOut(WORD wVersion, BYTE* pDest, const BYTE* pEnd);

protected:
    explicit CSerial(LPCSTR pszClass) : m_pszClass(pszClass) {}

    // The steps every reader and writer shares; each logs its failure under the class text.
    BOOL CheckRoomIn(const BYTE* pBuf, const BYTE* pEnd, size_t n) const;
    BOOL CheckRoomOut(const BYTE* pBuf, const BYTE* pEnd, size_t n) const;
    // Base step and version word of a read; NULL (logged) on failure.
    const BYTE* BeginIn(const BYTE* pBuf, const BYTE* pEnd);
    // Room, version and base step of a write; NULL (logged) on failure.
    BYTE* BeginOut(BYTE* pBuf, const BYTE* pEnd);
    BOOL CheckEndIn(const BYTE* pStart, const BYTE* pAt) const;
    BOOL CheckEndOut(const BYTE* pStart, const BYTE* pAt) const;
    void LogSerialError(LPCSTR text) const;

    WORD m_wVersion = 1;

private:
    LPCSTR m_pszClass = "CSerial";
    BOOL m_bSwap = FALSE;
};

// Out of the template so that the text lives in one place.
void LogVectorCountTooLarge(DWORD nCount);

// How many bytes of an element are reversed together when the stored byte order is the other one.
// A record of several fields specialises this with its field width (all fields the same width).
template <typename T>
struct CSerialFieldWidth {
    static constexpr size_t value = sizeof(T);
};

// The growable array of fixed-size plain values. Stored form: version word, 4-byte count, the
// elements in order.
template <typename T>
class CVector : public CSerial {
    static_assert(std::is_trivially_copyable_v<T>, "CVector holds plain values");
    static_assert(sizeof(T) % CSerialFieldWidth<T>::value == 0 && CSerialFieldWidth<T>::value <= 16);

public:
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;
    static constexpr DWORD MAX_COUNT = 32000;

    CVector() : CSerial("CVector<T>") {}

    // The reset: no elements, storage kept.
    void Reset() override
    {
        m_v.clear();
        m_wVersion = 1;
    }
    void clear() { Reset(); }
    virtual void reserve(size_t n) { m_v.reserve(n); }

    size_t size() const { return m_v.size(); }
    int GetCount() const { return static_cast<int>(m_v.size()); }
    bool empty() const { return m_v.empty(); }
    T& operator[](size_t i) { return m_v[i]; }
    const T& operator[](size_t i) const { return m_v[i]; }
    T& front() { return m_v.front(); }
    const T& front() const { return m_v.front(); }
    T& back() { return m_v.back(); }
    const T& back() const { return m_v.back(); }
    void push_back(const T& v) { m_v.push_back(v); }
    void push_front(const T& v) { m_v.insert(m_v.begin(), v); }
    // The first element, removed; a value-initialised T when there is none.
    T pop_front()
    {
        if (m_v.empty())
            return T{};
        T v = m_v.front();
        m_v.erase(m_v.begin());
        return v;
    }
    iterator insert(const_iterator at, const T& v) { return m_v.insert(at, v); }
    iterator erase(const_iterator at) { return m_v.erase(at); }
    iterator begin() { return m_v.begin(); }
    iterator end() { return m_v.end(); }
    const_iterator begin() const { return m_v.begin(); }
    const_iterator end() const { return m_v.end(); }
    std::vector<T>& vec() { return m_v; }
    const std::vector<T>& vec() const { return m_v; }

    size_t GetSerializedSize() const override { return 2 + 4 + m_v.size() * sizeof(T); }
    // Version word and count: every stored vector has both.
    size_t GetMinSerializedSize() const override { return 2 + 4; }

    BYTE* OnSerializeOut(BYTE* pBuf, const BYTE* pEnd) override
    {
        BYTE* p = BeginOut(pBuf, pEnd);
        if (!p)
            return nullptr;
        const DWORD nCount = static_cast<DWORD>(m_v.size());
        p = WriteBytes(&nCount, sizeof(nCount), p, pEnd);
        for (size_t i = 0; p && i < m_v.size(); ++i) {
            p = WriteBytes(&m_v[i], sizeof(T), p, pEnd);
            if (!p)
                LogSerialError("CVector<T>::Serialize(SERIALIZE_OUT) - ValOut(t) return NULL ");
        }
        if (!p || !CheckEndOut(pBuf, p))
            return nullptr;
        return p;
    }

    const BYTE* OnSerializeIn(const BYTE* pBuf, const BYTE* pEnd) override
    {
        const BYTE* p = BeginIn(pBuf, pEnd);
        if (!p)
            return nullptr;
        DWORD nCount = 0;
        p = ReadBytes(&nCount, sizeof(nCount), p, pEnd);
        if (!p)
            return nullptr;
        if (nCount > MAX_COUNT) {
            LogVectorCountTooLarge(nCount);
            return nullptr;
        }
        // Read into a fresh array so that a failed read leaves the elements as they were.
        std::vector<T> v(nCount);
        constexpr size_t w = CSerialFieldWidth<T>::value;
        for (size_t i = 0; i < v.size(); ++i) {
            BYTE* pElem = reinterpret_cast<BYTE*>(&v[i]);
            for (size_t off = 0; off < sizeof(T); off += w) {
                p = ReadBytes(pElem + off, w, p, pEnd);
                if (!p) {
                    LogSerialError("CVector<T>::OnSerializeIn() - GenericValIn(t) return NULL ");
                    return nullptr;
                }
            }
        }
        if (!CheckEndIn(pBuf, p))
            return nullptr;
        m_v.swap(v);
        return p;
    }

private:
    std::vector<T> m_v;
};
