#include "platform/core/Time.h"

#include <chrono>
#include <locale.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>

std::time_t MakeLocalTime(int year, int month, int day, int hour, int minute, int second, std::tm* pNormalised)
{
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    std::time_t t = std::mktime(&tm);
    if (pNormalised)
        *pNormalised = tm;
    return t;
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm tm{};
    std::time_t t = MakeLocalTime(year, month, day, hour, minute, second, &tm);
    // mktime normalises out-of-range fields; such a time is refused instead.
    bool same = tm.tm_year == year - 1900 && tm.tm_mon == month - 1 && tm.tm_mday == day &&
                tm.tm_hour == hour && tm.tm_min == minute && tm.tm_sec == second;
    m_t = (t == static_cast<std::time_t>(-1) || !same) ? 0 : t;
}

CTime CTime::GetCurrentTime()
{
    return CTime(std::time(nullptr));
}

std::tm CTime::Local() const
{
    std::tm tm{};
    localtime_r(&m_t, &tm);
    return tm;
}

CString CTime::Format(const char* fmt) const
{
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    std::tm tm = Local();
    char buf[512];
    size_t n = cLocale ? strftime_l(buf, sizeof(buf), fmt ? fmt : "", &tm, cLocale)
                       : std::strftime(buf, sizeof(buf), fmt ? fmt : "", &tm);
    return CString(buf, static_cast<int>(n));
}

void GetLocalTime(SYSTEMTIME& st)
{
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm tm{};
    time_t secs = tv.tv_sec;
    localtime_r(&secs, &tm);
    st.wYear = static_cast<WORD>(tm.tm_year + 1900);
    st.wMonth = static_cast<WORD>(tm.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
    st.wDay = static_cast<WORD>(tm.tm_mday);
    st.wHour = static_cast<WORD>(tm.tm_hour);
    st.wMinute = static_cast<WORD>(tm.tm_min);
    st.wSecond = static_cast<WORD>(tm.tm_sec);
    st.wMilliseconds = static_cast<WORD>(tv.tv_usec / 1000);
}

std::uint64_t GetTickCount64()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(GetTickCount64());
}

unsigned long GetCurrentThreadId()
{
    return static_cast<unsigned long>(::syscall(SYS_gettid));
}

unsigned long GetCurrentProcessId()
{
    return static_cast<unsigned long>(::getpid());
}

BOOL IsMainThread()
{
    // On Linux the first thread's id is the process id.
    return GetCurrentThreadId() == GetCurrentProcessId();
}

void Sleep(DWORD ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
