#pragma once
// The Export command: its refusals, the dialog "Eksport til server", the
// writing of data\exp.dat and the question whether to contact the server;
// the undo of an export not yet sent; and the check that removes an export
// written by another program version. Main thread only.

#include "BESKEDER.h"
#include "windows.h"


// Runs the command. Every refusal is a message box that changes nothing.
void StartExport();

// Dialog 110; its parameter is the EksportValgData record to fill.
INT_PTR CALLBACK ExportDialog(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// 1 when no export of an older version is waiting (or nothing was
// checked), 0 when one was deleted and its marks withdrawn.
int CheckGammelEksport();

// Checks the box when flag is not 0, else clears it.
void SetDlgCheck(HWND hDlg, int id, unsigned char flag);

// The main window's commands:
// The refusals of F11 (below), each a message box; true when none applies.
bool EksportTilladt(HWND hovedvindue);
// F11 and "&Eksport" (40249): refused while disableserver.lck exists and in
// a SuperTavo installation, else StartExport.
void EksportKommando(HWND hovedvindue);
// "Fortryd eksport" (40168): withdraws a written export that is not packed
// for sending.
void FortrydEksportKommando(HWND hovedvindue);
