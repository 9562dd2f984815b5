#pragma once
// Processes, anonymous pipes and the command line under the Windows names.
//
// A child process is a Linux program started from a Windows command line:
// the first token names the program, and the child's argv is the command
// line split as CommandLineToArgvW splits it (converted to UTF-8), so the
// child sees the arguments a Windows program would.

#include <string>
#include <vector>

#include "win/kthread.h"
#include "win/types.h"

// ---- Processes --------------------------------------------------------------

#define DEBUG_PROCESS 0x00000001u
#define DETACHED_PROCESS 0x00000008u
#define CREATE_NEW_CONSOLE 0x00000010u
#define NORMAL_PRIORITY_CLASS 0x00000020u
#define CREATE_NEW_PROCESS_GROUP 0x00000200u
#define CREATE_DEFAULT_ERROR_MODE 0x04000000u
#define CREATE_NO_WINDOW 0x08000000u

#define STARTF_USESHOWWINDOW 0x00000001u
#define STARTF_USESIZE 0x00000002u
#define STARTF_USEPOSITION 0x00000004u
#define STARTF_USESTDHANDLES 0x00000100u

typedef struct _STARTUPINFOA {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
} STARTUPINFOA, *LPSTARTUPINFOA;
typedef STARTUPINFOA STARTUPINFO;
typedef LPSTARTUPINFOA LPSTARTUPINFO;

typedef struct _PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;
  DWORD dwProcessId;
  DWORD dwThreadId;
} PROCESS_INFORMATION, *PPROCESS_INFORMATION, *LPPROCESS_INFORMATION;

// Starts a program. With applicationName NULL the first token of
// commandLine is the program: used as given, and with ".exe" appended when
// it has no extension; a name without a folder is looked for in this
// program's own folder, the current folder and the folders of PATH. An
// unquoted name that holds blanks is found as Windows finds it, trying each
// run of the line up to a blank, shortest first. A program that is not
// found fails with ERROR_FILE_NOT_FOUND.
//
// Standard handles: with STARTF_USESTDHANDLES and inheritHandles the child
// gets the three handles of the start-up information that are inheritable
// (a handle that is not gets /dev/null); without STARTF_USESTDHANDLES it
// shares this process's standard input, output and error. No other handle
// reaches the child. The creation flags DETACHED_PROCESS, CREATE_NO_WINDOW,
// CREATE_DEFAULT_ERROR_MODE and the priority classes change nothing here.
// An environment block other than NULL (the caller's own) fails with
// ERROR_NOT_SUPPORTED.
//
// The process handle becomes signalled when the child ends; the child is
// reaped by the layer even when nobody waits for it. Exit codes are what
// Linux keeps of them, 0 to 255; a child that ends by a signal reports 128 +
// the signal number (or the code given to TerminateProcess). A file that is
// not a program fails with ERROR_BAD_EXE_FORMAT or ERROR_ACCESS_DENIED.
BOOL CreateProcessA(LPCSTR applicationName, LPSTR commandLine,
                    LPSECURITY_ATTRIBUTES processAttributes,
                    LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles,
                    DWORD creationFlags, LPVOID environment, LPCSTR currentDirectory,
                    LPSTARTUPINFOA startupInfo, LPPROCESS_INFORMATION processInformation);
#define CreateProcess CreateProcessA

// The start-up information of this process: cb set, everything else empty
// (no window placement, no standard handles of its own).
void GetStartupInfoA(LPSTARTUPINFOA startupInfo);
#define GetStartupInfo GetStartupInfoA

BOOL GetExitCodeProcess(HANDLE process, LPDWORD exitCode);
BOOL TerminateProcess(HANDLE process, UINT exitCode);
// Ends this process at once with the code: standard streams are flushed,
// nothing else runs.
[[noreturn]] void ExitProcess(UINT exitCode);
// The pseudo handle of this process, for DuplicateHandle and
// TerminateProcess.
HANDLE GetCurrentProcess(void);

// ---- Pipes and handles -----------------------------------------------------

// An anonymous pipe. ReadFile on the read end returns what is there (at
// least one byte, at most the size asked for) and blocks while the pipe is
// empty; once every write end is closed it fails with ERROR_BROKEN_PIPE.
// WriteFile to a pipe whose read ends are all closed fails with
// ERROR_NO_DATA. bInheritHandle marks both ends inheritable.
BOOL CreatePipe(PHANDLE readPipe, PHANDLE writePipe, LPSECURITY_ATTRIBUTES attributes,
                DWORD size);

#define DUPLICATE_CLOSE_SOURCE 0x00000001u
#define DUPLICATE_SAME_ACCESS 0x00000002u

// Within this process only (both process handles GetCurrentProcess()). The
// new handle names the same object; its inheritance is inheritHandle.
BOOL DuplicateHandle(HANDLE sourceProcess, HANDLE source, HANDLE targetProcess, LPHANDLE target,
                     DWORD access, BOOL inheritHandle, DWORD options);

// ---- Command line ----------------------------------------------------------

#define CP_ACP 0
#define CP_OEMCP 1

// The command line: the program's arguments (Windows-1252) joined with the
// quoting CommandLineToArgvW undoes, the program name first.
LPSTR GetCommandLineA(void);
#define GetCommandLine GetCommandLineA
LPWSTR GetCommandLineW(void);

// Splits a command line by the Windows rules. The array and its strings are
// one block, released with LocalFree. An empty command line gives the
// program's own name as the only argument.
LPWSTR *CommandLineToArgvW(LPCWSTR commandLine, int *argCount);
// Frees a block from CommandLineToArgvW; returns NULL.
void *LocalFree(void *mem);

// Windows-1252 (CP_ACP or 1252) against WCHAR text; other code pages fail
// with ERROR_INVALID_PARAMETER.
// A character Windows-1252 cannot hold becomes defaultChar (or '?') and sets
// *usedDefaultChar. A size of 0 asks for the size needed.
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR multi,
                        int multiSize, LPCSTR defaultChar, LPBOOL usedDefaultChar);
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multi, int multiCount, LPWSTR wide,
                        int wideSize);

namespace tavo {

// Called first thing in main(): records the process's arguments, converted
// from UTF-8 to Windows-1252; an argument that cannot be converted is left
// out. The program name is kept in Windows form ('/' becomes '\').
void SetCommandLine(int argc, char **argv);

// The arguments a Windows-1252 command line splits into (the rules of
// CommandLineToArgvW, on bytes).
std::vector<std::string> SplitCommandLine(const std::string &commandLine);

// One argument quoted so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(const std::string &arg);

}  // namespace tavo
