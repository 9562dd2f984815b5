// FILETIME (100 ns since 1601 UTC), SYSTEMTIME, DOS date and time, and the
// times of open files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "pathmap.h"
#include "win/kernel.h"

using namespace tavo;

namespace {

constexpr int64_t kTicksPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;

uint64_t Ticks(const FILETIME &ft) {
  return ((uint64_t)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
}

FILETIME FromTicks(uint64_t t) {
  FILETIME ft;
  ft.dwLowDateTime = (DWORD)t;
  ft.dwHighDateTime = (DWORD)(t >> 32);
  return ft;
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = (unsigned)(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + (int64_t)doe - 719468;
}

void CivilFromDays(int64_t z, int64_t &y, unsigned &m, unsigned &d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = (unsigned)(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = (int64_t)yoe + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp < 10 ? mp + 3 : mp - 9;
  y += m <= 2;
}

bool LeapYear(unsigned y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned DaysInMonth(unsigned y, unsigned m) {
  static const unsigned kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && LeapYear(y) ? 29 : kDays[m - 1];
}

bool ValidSystemTime(const SYSTEMTIME &st) {
  return st.wYear >= 1601 && st.wYear <= 30827 && st.wMonth >= 1 && st.wMonth <= 12 &&
         st.wDay >= 1 && st.wDay <= DaysInMonth(st.wYear, st.wMonth) && st.wHour < 24 &&
         st.wMinute < 60 && st.wSecond < 60 && st.wMilliseconds < 1000;
}

// Ticks since 1601 of a calendar time, taken as is (no zone).
uint64_t TicksOf(const SYSTEMTIME &st) {
  int64_t days = DaysFromCivil(st.wYear, st.wMonth, st.wDay) + kSecondsFrom1601To1970 / 86400;
  int64_t secs = days * 86400 + st.wHour * 3600 + st.wMinute * 60 + st.wSecond;
  return (uint64_t)secs * kTicksPerSecond + (uint64_t)st.wMilliseconds * 10000;
}

bool SystemTimeOf(uint64_t ticks, SYSTEMTIME &st) {
  if (ticks >= 0x8000000000000000ULL) return false;
  uint64_t secs = ticks / kTicksPerSecond;
  uint64_t days = secs / 86400;
  uint64_t rem = secs % 86400;
  int64_t y;
  unsigned m, d;
  CivilFromDays((int64_t)days - kSecondsFrom1601To1970 / 86400, y, m, d);
  if (y > 30827) return false;
  st.wYear = (WORD)y;
  st.wMonth = (WORD)m;
  st.wDay = (WORD)d;
  st.wDayOfWeek = (WORD)((days + 1) % 7);  // 1 January 1601 was a Monday
  st.wHour = (WORD)(rem / 3600);
  st.wMinute = (WORD)(rem / 60 % 60);
  st.wSecond = (WORD)(rem % 60);
  st.wMilliseconds = (WORD)(ticks / 10000 % 1000);
  return true;
}

}  // namespace

namespace tavo {

FILETIME FileTimeFromTimespec(const struct timespec &ts) {
  int64_t secs = (int64_t)ts.tv_sec + kSecondsFrom1601To1970;
  if (secs < 0) return FromTicks(0);
  return FromTicks((uint64_t)secs * kTicksPerSecond + (uint64_t)ts.tv_nsec / 100);
}

struct timespec TimespecFromFileTime(const FILETIME &ft) {
  uint64_t t = Ticks(ft);
  struct timespec ts;
  ts.tv_sec = (time_t)((int64_t)(t / kTicksPerSecond) - kSecondsFrom1601To1970);
  ts.tv_nsec = (long)(t % kTicksPerSecond) * 100;
  return ts;
}

}  // namespace tavo

BOOL FileTimeToSystemTime(const FILETIME *ft, LPSYSTEMTIME st) {
  SYSTEMTIME out;
  if (!ft || !st || !SystemTimeOf(Ticks(*ft), out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *st = out;
  return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME *st, LPFILETIME ft) {
  if (!st || !ft || !ValidSystemTime(*st)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *ft = FromTicks(TicksOf(*st));
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME *utc, LPFILETIME local) {
  if (!utc || !local || Ticks(*utc) >= 0x8000000000000000ULL) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  uint64_t t = Ticks(*utc);
  time_t secs = (time_t)((int64_t)(t / kTicksPerSecond) - kSecondsFrom1601To1970);
  struct tm tm;
  if (!localtime_r(&secs, &tm)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t shifted;
  if (__builtin_add_overflow((int64_t)t, (int64_t)tm.tm_gmtoff * kTicksPerSecond, &shifted) ||
      shifted < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *local = FromTicks((uint64_t)shifted);
  return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME *local, LPFILETIME utc) {
  SYSTEMTIME st;
  if (!local || !utc || !SystemTimeOf(Ticks(*local), st)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  struct tm tm = {};
  tm.tm_year = st.wYear - 1900;
  tm.tm_mon = st.wMonth - 1;
  tm.tm_mday = st.wDay;
  tm.tm_hour = st.wHour;
  tm.tm_min = st.wMinute;
  tm.tm_sec = st.wSecond;
  tm.tm_isdst = -1;
  tm.tm_wday = -1;
  time_t secs = mktime(&tm);
  // mktime answers -1 also for one valid second; it fills in the weekday
  // only when it succeeds.
  if (secs == (time_t)-1 && tm.tm_wday < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  int64_t ticks = ((int64_t)secs + kSecondsFrom1601To1970) * kTicksPerSecond +
                  (int64_t)(Ticks(*local) % kTicksPerSecond);
  *utc = FromTicks(ticks < 0 ? 0 : (uint64_t)ticks);
  return TRUE;
}

BOOL FileTimeToDosDateTime(const FILETIME *ft, LPWORD dosDate, LPWORD dosTime) {
  SYSTEMTIME st;
  if (!ft || !dosDate || !dosTime || !SystemTimeOf(Ticks(*ft), st) || st.wYear < 1980 ||
      st.wYear > 2107) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *dosDate = (WORD)(((st.wYear - 1980) << 9) | (st.wMonth << 5) | st.wDay);
  *dosTime = (WORD)((st.wHour << 11) | (st.wMinute << 5) | (st.wSecond / 2));
  return TRUE;
}

BOOL DosDateTimeToFileTime(WORD dosDate, WORD dosTime, LPFILETIME ft) {
  SYSTEMTIME st = {};
  st.wYear = (WORD)(1980 + (dosDate >> 9));
  st.wMonth = (WORD)((dosDate >> 5) & 0x0F);
  st.wDay = (WORD)(dosDate & 0x1F);
  st.wHour = (WORD)(dosTime >> 11);
  st.wMinute = (WORD)((dosTime >> 5) & 0x3F);
  st.wSecond = (WORD)((dosTime & 0x1F) * 2);
  if (!ft || !ValidSystemTime(st)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *ft = FromTicks(TicksOf(st));
  return TRUE;
}

LONG CompareFileTime(const FILETIME *a, const FILETIME *b) {
  uint64_t x = a ? Ticks(*a) : 0, y = b ? Ticks(*b) : 0;
  return x < y ? -1 : (x > y ? 1 : 0);
}

BOOL GetFileTime(HANDLE h, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite) {
  int fd = FileDescriptorOf(h);
  if (fd < 0) return FALSE;
  struct statx sx;
  if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  auto conv = [](const struct statx_timestamp &t) {
    struct timespec ts;
    ts.tv_sec = t.tv_sec;
    ts.tv_nsec = t.tv_nsec;
    return FileTimeFromTimespec(ts);
  };
  if (creation) *creation = conv((sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_mtime);
  if (lastAccess) *lastAccess = conv(sx.stx_atime);
  if (lastWrite) *lastWrite = conv(sx.stx_mtime);
  return TRUE;
}

BOOL SetFileTime(HANDLE h, const FILETIME *creation, const FILETIME *lastAccess,
                 const FILETIME *lastWrite) {
  int fd = FileDescriptorOf(h);
  if (fd < 0) return FALSE;
  // A null pointer, or a zero time, leaves that time as it is. Linux keeps
  // no settable creation time.
  struct timespec times[2];
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_nsec = UTIME_OMIT;
  times[0].tv_sec = times[1].tv_sec = 0;
  if (lastAccess && Ticks(*lastAccess) != 0) times[0] = TimespecFromFileTime(*lastAccess);
  if (lastWrite && Ticks(*lastWrite) != 0) times[1] = TimespecFromFileTime(*lastWrite);
  if (futimens(fd, times) != 0) {
    SetLastErrorFromErrno(errno);
    return FALSE;
  }
  return TRUE;
}
