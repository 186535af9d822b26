#pragma once
// Local time, a steady millisecond tick, and thread and process ids.

#include "platform/core/String.h"

#include <cstdint>
#include <ctime>

class CTime {
public:
    CTime() = default;
    explicit CTime(std::time_t t) : m_t(t) {}
    // Local time from its fields; an invalid combination gives time 0 (see IsValid).
    CTime(int year, int month, int day, int hour, int minute, int second);

    static CTime GetCurrentTime();
    std::time_t GetTime() const { return m_t; }
    BOOL IsValid() const { return m_t > 0; }

    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }
    // 1 = Sunday.
    int GetDayOfWeek() const { return Local().tm_wday + 1; }

    // strftime in the "C" locale.
    CString Format(const char* fmt) const;

    friend bool operator==(const CTime& a, const CTime& b) { return a.m_t == b.m_t; }
    friend bool operator!=(const CTime& a, const CTime& b) { return a.m_t != b.m_t; }
    friend bool operator<(const CTime& a, const CTime& b) { return a.m_t < b.m_t; }
    friend bool operator>(const CTime& a, const CTime& b) { return a.m_t > b.m_t; }

private:
    std::tm Local() const;
    std::time_t m_t = 0;
};

// mktime of local fields (month 1-12); the fields as the system normalised them go to pNormalised.
std::time_t MakeLocalTime(int year, int month, int day, int hour, int minute, int second,
                          std::tm* pNormalised = nullptr);

// Local date and time with milliseconds.
struct SYSTEMTIME {
    WORD wYear = 0;
    WORD wMonth = 0;
    WORD wDayOfWeek = 0;
    WORD wDay = 0;
    WORD wHour = 0;
    WORD wMinute = 0;
    WORD wSecond = 0;
    WORD wMilliseconds = 0;
};
void GetLocalTime(SYSTEMTIME& st);

// Milliseconds from a steady clock; only differences mean anything.
DWORD GetTickCount();
std::uint64_t GetTickCount64();

unsigned long GetCurrentThreadId();
unsigned long GetCurrentProcessId();
// The process's first thread, the one that runs the user interface.
BOOL IsMainThread();

void Sleep(DWORD ms);
