#pragma once
// The main log log/tavo.log with its time-stamped lines, the side logs
// LOG\STDERR.LOG, LOG\IMPORT.LOG and LOG\EP_IMPORT.LOG, the key trace log
// log/Tast.log, the start-up trim and the handler of fatal signals. Every
// path is formed from the data folder of StiTab.

#include <cstdio>

#define TAVO_PRINTF(f, a) __attribute__((format(printf, f, a)))

constexpr long kLogGraense = 1024000;  // bytes a log keeps at start-up
extern const char kReserveLog[];      // "$$rilmo$$.log", in the program folder

// Set to 1 at start-up: every main-log line is flushed as it is written.
extern int LogFlush;

// Creates the log lock; the shell calls it before its first thread starts.
void OpretLogLaas();

// One stamped message "dd-mm-yyyy hh:mm:ss " + message to the main log;
// nothing while the main log is not open. Adds no newline.
void LogPrintf(const char *format, ...) TAVO_PRINTF(1, 2);
void LogMemUsage(const char *label);
// Keeps the last 1,024,000 bytes of a file. 0, or 9 when the file cannot be
// opened for reading or reopened for writing.
int TrimLogFile(const char *sti);

// The side logs: open, append, close. Result of closing, or EOF when the
// file cannot be opened.
int StdErrPrintf(const char *format, ...) TAVO_PRINTF(1, 2);
int ImportLogPrintf(const char *format, ...) TAVO_PRINTF(1, 2);
int EpImportLogPrintf(const char *format, ...) TAVO_PRINTF(1, 2);
void DeleteStdErrLog();

// Writes "ERR-signal: %d, %s" to the error log and the main log, then lets
// the signal take its default course (the process ends).
void ErrSignalHandler(int signal);
// Installs ErrSignalHandler for SIGSEGV, SIGABRT, SIGFPE, SIGILL, SIGINT and
// SIGTERM (SIGBREAK exists only on Windows).
void InstallerErrSignalHandler();
// The name of a signal as the error line gives it; "" for any other.
const char *SignalNavn(int signal);

// Start-up: trims the main log and the fallback, opens the main log ("a+")
// or else the fallback, deletes the fallback when the main log opened, and
// writes the start line with the program's file version (the built version
// when none is given) and the memory line "start". 1 when a log is open.
int AabnLog(const char *filVersion = nullptr);
// Exit: the memory line "lukker", the closing line, and the log is closed
// when its open-count reaches 0.
void LukLog();
bool LogErAaben();

// Key trace mode ([flag] tastlog not 0): opens log/Tast.log emptied, writes
// its first lines and copies data/ to datakopi/ and ini/ to inikopi/.
void StartTastLog();
void LukTastLog();
void TastLogLine(const char *tekst);
