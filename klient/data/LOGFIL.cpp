// The main log, the side logs, the key trace log and the handler of fatal signals.
#include "LOGFIL.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>

#include "KOPIDIR.h"
#include "STITAB.h"
#include "pathmap.h"
#include "tavo/version.h"
#include "windows.h"

const char kReserveLog[] = "$$rilmo$$.log";
int LogFlush = 0;

namespace {

FILE *LogFil = nullptr;
int LogAabninger = 0;
FILE *TastLog = nullptr;
char TastLogBuffer[512];

// Descriptors the signal handler writes to; opened at start-up because the
// handler may only make async-signal-safe calls.
std::atomic<int> SignalFdStdErr{-1};
std::atomic<int> SignalFdLog{-1};
// Seconds to add to UTC for local time, refreshed with every main-log line,
// so that the handler can stamp its line without calling localtime.
std::atomic<long> UtcForskydning{0};
bool HandlerInstalleret = false;

HANDLE LogLaas = 0;
std::once_flag LogLaasOprettet;

HANDLE Laas() {
  std::call_once(LogLaasOprettet, [] { LogLaas = CreateMutexA(nullptr, FALSE, nullptr); });
  return LogLaas;
}

class LogLaasVagt {
 public:
  LogLaasVagt() : h_(Laas()) {
    if (h_) WaitForSingleObject(h_, INFINITE);
  }
  ~LogLaasVagt() {
    if (h_) ReleaseMutex(h_);
  }
  LogLaasVagt(const LogLaasVagt &) = delete;
  LogLaasVagt &operator=(const LogLaasVagt &) = delete;

 private:
  HANDLE h_;
};

FILE *AabnFil(const char *sti, const char *mode) { return fopen(sti, mode); }

void SletFil(const char *sti) { DeleteFileA(sti); }

int AabnFd(const char *sti) {
  std::string linux;
  if (!tavo::MapPath(sti, linux)) return -1;
  return ::open(linux.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
}

void LukFd(std::atomic<int> &fd) {
  const int gammel = fd.exchange(-1);
  if (gammel >= 0) ::close(gammel);
}

std::string DataSti(const char *navn) { return std::string(StiTab.szdata) + navn; }

std::string MainLogSti() { return DataSti("log/tavo.log"); }
std::string StdErrSti() { return DataSti("LOG\\STDERR.LOG"); }

struct Tid {
  int dag, maaned, aar, time, minut, sekund;
};

// The local clock, as Windows gives it; the offset from UTC is kept for the
// signal handler.
Tid LokalTid() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  const std::time_t nu = std::time(nullptr);
  std::tm t{};
  if (localtime_r(&nu, &t)) UtcForskydning.store(t.tm_gmtoff, std::memory_order_relaxed);
  return {st.wDay, st.wMonth, st.wYear, st.wHour, st.wMinute, st.wSecond};
}

int SkrivSideLog(const char *navn, const char *format, va_list args) {
  FILE *f = AabnFil(DataSti(navn).c_str(), "a");
  if (f == nullptr) return EOF;
  std::vfprintf(f, format, args);
  return std::fclose(f);
}

// ---- async-signal-safe helpers ----

size_t SkrivTal(char *buf, long v, int cifre) {
  char tmp[24];
  size_t n = 0;
  const bool negativ = v < 0;
  unsigned long u = negativ ? 0ul - static_cast<unsigned long>(v) : static_cast<unsigned long>(v);
  do {
    tmp[n++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u != 0 && n < sizeof tmp);
  while (static_cast<int>(n) < cifre && n < sizeof tmp) tmp[n++] = '0';
  size_t i = 0;
  if (negativ) buf[i++] = '-';
  while (n > 0) buf[i++] = tmp[--n];
  return i;
}

size_t SkrivTekst(char *buf, const char *s) {
  size_t i = 0;
  while (s[i]) {
    buf[i] = s[i];
    ++i;
  }
  return i;
}

// The local stamp from the clock and the offset kept by the log writer.
size_t SkrivStempel(char *buf) {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  const int64_t sek = static_cast<int64_t>(ts.tv_sec) + UtcForskydning.load(std::memory_order_relaxed);
  int64_t dage = sek / 86400;
  int64_t rest = sek % 86400;
  if (rest < 0) {
    rest += 86400;
    --dage;
  }
  // Civil date from days since 1970-01-01.
  const int64_t z = dage + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const long dag = static_cast<long>(doy - (153 * mp + 2) / 5 + 1);
  const long maaned = static_cast<long>(mp < 10 ? mp + 3 : mp - 9);
  const long aar = static_cast<long>(yoe + era * 400 + (maaned <= 2));
  size_t n = 0;
  n += SkrivTal(buf + n, dag, 2);
  buf[n++] = '-';
  n += SkrivTal(buf + n, maaned, 2);
  buf[n++] = '-';
  n += SkrivTal(buf + n, aar, 4);
  buf[n++] = ' ';
  n += SkrivTal(buf + n, static_cast<long>(rest / 3600), 2);
  buf[n++] = ':';
  n += SkrivTal(buf + n, static_cast<long>(rest / 60 % 60), 2);
  buf[n++] = ':';
  n += SkrivTal(buf + n, static_cast<long>(rest % 60), 2);
  buf[n++] = ' ';
  return n;
}

void SkrivAlt(int fd, const char *buf, size_t n) {
  while (n > 0) {
    const ssize_t r = ::write(fd, buf, n);
    if (r < 0) {
      if (errno == EINTR) continue;
      return;
    }
    buf += r;
    n -= static_cast<size_t>(r);
  }
}

// Memory figures of the process and the machine.
struct Hukommelse {
  long privatKb = 0;
  long long brugtKb = 0;
  long belastning = 0;
};

Hukommelse LaesHukommelse() {
  Hukommelse h;
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof pmc;
  if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PPROCESS_MEMORY_COUNTERS>(&pmc),
                           sizeof pmc))
    h.privatKb = static_cast<long>(pmc.PrivateUsage >> 10);
  MEMORYSTATUSEX ms{};
  ms.dwLength = sizeof ms;
  if (GlobalMemoryStatusEx(&ms)) {
    h.brugtKb = static_cast<long long>((ms.ullTotalPhys - ms.ullAvailPhys) >> 10);
    h.belastning = static_cast<long>(ms.dwMemoryLoad);
  }
  return h;
}

}  // namespace

void OpretLogLaas() { Laas(); }

bool LogErAaben() {
  LogLaasVagt vagt;
  return LogFil != nullptr;
}

void LogPrintf(const char *format, ...) {
  LogLaasVagt vagt;
  if (LogFil == nullptr) return;
  const Tid t = LokalTid();
  std::fprintf(LogFil, "%2.2d-%2.2d-%4.4d %2.2d:%2.2d:%2.2d ", t.dag, t.maaned, t.aar, t.time,
               t.minut, t.sekund);
  va_list args;
  va_start(args, format);
  std::vfprintf(LogFil, format, args);
  va_end(args);
  if (LogFlush > 0) std::fflush(LogFil);
}

void LogMemUsage(const char *label) {
  if (!LogErAaben()) return;
  const Hukommelse h = LaesHukommelse();
  LogPrintf("** Info: Hukommelsesforbrug = %ldkb (ialt %lldkb (%ld %%)) - %s\n", h.privatKb,
            h.brugtKb, h.belastning, label ? label : "");
}

int TrimLogFile(const char *sti) {
  LogLaasVagt vagt;
  FILE *f = AabnFil(sti, "rb");
  if (f == nullptr) return 9;
  if (std::fseek(f, 0, SEEK_END) != 0) {
    std::fclose(f);
    return 0;
  }
  const long stoerrelse = std::ftell(f);
  if (stoerrelse <= kLogGraense) {
    std::fclose(f);
    return 0;
  }
  char *buf = static_cast<char *>(std::malloc(kLogGraense + 20));
  if (buf == nullptr) {
    std::fclose(f);
    return 0;
  }
  size_t laest = 0;
  if (std::fseek(f, stoerrelse - kLogGraense, SEEK_SET) == 0)
    laest = std::fread(buf, 1, kLogGraense, f);
  int resultat = 0;
  if (laest > 0) {
    std::fclose(f);
    f = AabnFil(sti, "w+b");
    if (f == nullptr) {
      resultat = 9;
    } else {
      std::fwrite(buf, 1, laest, f);
    }
  }
  std::free(buf);
  if (f) std::fclose(f);
  return resultat;
}

int StdErrPrintf(const char *format, ...) {
  va_list args;
  va_start(args, format);
  const int r = SkrivSideLog("LOG\\STDERR.LOG", format, args);
  va_end(args);
  return r;
}

int ImportLogPrintf(const char *format, ...) {
  va_list args;
  va_start(args, format);
  const int r = SkrivSideLog("LOG\\IMPORT.LOG", format, args);
  va_end(args);
  return r;
}

int EpImportLogPrintf(const char *format, ...) {
  va_list args;
  va_start(args, format);
  const int r = SkrivSideLog("LOG\\EP_IMPORT.LOG", format, args);
  va_end(args);
  return r;
}

void DeleteStdErrLog() { SletFil(StdErrSti().c_str()); }

const char *SignalNavn(int signal) {
  switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGILL: return "SIGILL";
    case SIGFPE: return "SIGFPE";
    case SIGSEGV: return "SIGSEGV";
    case SIGTERM: return "SIGTERM";
    case SIGABRT: return "SIGABRT";
    default: return "";
  }
}

void ErrSignalHandler(int signal) {
  const int gemtErrno = errno;
  char linje[160];
  size_t n = SkrivTekst(linje, "ERR-signal: ");
  n += SkrivTal(linje + n, signal, 1);
  n += SkrivTekst(linje + n, ", ");
  n += SkrivTekst(linje + n, SignalNavn(signal));
  // The logs are text files: a line ends in CR LF, as the text streams write it.
  linje[n++] = '\r';
  linje[n++] = '\n';
  const int fdStdErr = SignalFdStdErr.load();
  if (fdStdErr >= 0) SkrivAlt(fdStdErr, linje, n);

  const int fdLog = SignalFdLog.load();
  if (fdLog >= 0) {
    char logLinje[200];
    size_t m = SkrivStempel(logLinje);
    m += SkrivTekst(logLinje + m, "** Fejl: ");
    std::memcpy(logLinje + m, linje, n);
    SkrivAlt(fdLog, logLinje, m + n);
  }
  errno = gemtErrno;
  // What follows is the default for the signal: the process ends.
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void InstallerErrSignalHandler() {
  LokalTid();
  if (SignalFdStdErr.load() < 0) SignalFdStdErr.store(AabnFd(StdErrSti().c_str()));
  HandlerInstalleret = true;
  const int signaler[] = {SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGINT, SIGTERM};
  for (int s : signaler) std::signal(s, ErrSignalHandler);
}

int AabnLog(const char *filVersion) {
  LogFlush = 1;
  {
    LogLaasVagt vagt;
    if (LogAabninger > 0) {
      ++LogAabninger;
      return 1;
    }
  }
  const std::string sti = MainLogSti();
  TrimLogFile(sti.c_str());
  TrimLogFile(kReserveLog);
  FILE *f = AabnFil(sti.c_str(), "a+");
  bool reserve = false;
  if (f == nullptr) {
    f = AabnFil(kReserveLog, "a+");
    reserve = true;
  } else {
    SletFil(kReserveLog);
  }
  if (f == nullptr) return 0;
  {
    LogLaasVagt vagt;
    LogFil = f;
    LogAabninger = 1;
  }
  LukFd(SignalFdLog);
  SignalFdLog.store(AabnFd(reserve ? kReserveLog : sti.c_str()));
  // The log folder may have been made after the handler was installed.
  if (HandlerInstalleret && SignalFdStdErr.load() < 0)
    SignalFdStdErr.store(AabnFd(StdErrSti().c_str()));
  LogPrintf("Starter TAVO ver %s (make %s %s)\n\n", filVersion ? filVersion : TAVO_VERSION_TEXT,
            __DATE__, __TIME__);
  LogMemUsage("start");
  return 1;
}

void LukLog() {
  if (!LogErAaben()) return;
  LogMemUsage("lukker");
  LogPrintf("Lukker TAVO (make %s %s)\n\n", __DATE__, __TIME__);
  LogLaasVagt vagt;
  if (--LogAabninger <= 0) {
    LogAabninger = 0;
    LukFd(SignalFdLog);
    std::fclose(LogFil);
    LogFil = nullptr;
  }
}

void StartTastLog() {
  if (TastLog) return;
  TastLog = AabnFil(DataSti("log/Tast.log").c_str(), "w");
  if (TastLog == nullptr) return;
  std::setvbuf(TastLog, TastLogBuffer, _IOLBF, sizeof TastLogBuffer);
  std::fputs("// TAVO-Trace !!!\n\n", TastLog);
  std::fputs("Debug:  Start\n", TastLog);
  std::fflush(TastLog);

  const std::string data = DataSti("data\\"), dataKopi = DataSti("datakopi\\");
  const std::string ini = DataSti("ini\\"), iniKopi = DataSti("inikopi\\");
  CreateDirectoryA(dataKopi.c_str(), nullptr);
  CreateDirectoryA(iniKopi.c_str(), nullptr);
  CopyDir(data.c_str(), dataKopi.c_str());
  CopyDir(ini.c_str(), iniKopi.c_str());
}

void LukTastLog() {
  if (TastLog == nullptr) return;
  std::fclose(TastLog);
  TastLog = nullptr;
}

void TastLogLine(const char *tekst) {
  if (TastLog == nullptr || tekst == nullptr) return;
  std::fprintf(TastLog, "%s\n", tekst);
  std::fflush(TastLog);
}
