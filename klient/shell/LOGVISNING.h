#pragma once
// The log viewers: a log of the data folder's log folder in the system's
// Notepad or, without it, in the program's own log dialog; the log dialog
// itself; and the error list of log\error.log.

#include "windows.h"

constexpr int kLogStiLaengde = 260;

// The log dialog's creation parameter, valid while the dialog runs.
#pragma pack(push, 1)
struct LogVisningParam {
  char sti[kLogStiLaengde];  // full path of the text file
  char titel[128];           // the dialog's caption
};
#pragma pack(pop)

// Where Notepad is looked for: "<folder>\system32\notepad.exe". Empty (the
// start), the Windows folder; tests name another.
extern char NotepadWindowsMappe[MAX_PATH];

// Shows data folder + "log\" + fil in Notepad, not waited for, or in the
// log dialog (owner the main window) when Notepad is missing.
void ShowLogFile(const char *titel, const char *fil);
// Fills the block with data folder + fil and the caption; a path that does
// not fit is left empty (the dialog shows an empty list) and gives false.
bool LogParam(LogVisningParam *p, const char *fil, const char *titel);
// The log dialog, modal over the main window.
INT_PTR VisLogDialog(const LogVisningParam *p);
// The menu's log commands (40101, 40210, 40286, 40291); false for any
// other command.
bool LogKommando(HWND hwnd, UINT kommando);

INT_PTR CALLBACK LogVisningDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FejllisteDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
