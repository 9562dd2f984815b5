// The dialogs of the external timetable import: the folder of the files and
// the period to import (a date interval, a week interval or one week), the
// folder and name of one file, and the method for lessons that meet existing
// events. Each gets the run's ExtImportIndstillinger as its creation
// parameter (the method dialog: the text to show), checks what was typed,
// fills the record, and remembers the answers in ini\tavo.ini: [untis]
// filnavn, fradato, tildato and ugenr, [ExtSkema] path and filnavn. A
// read-only run writes no settings. The templates are resources of the main
// program (extskemadlg.h).
#pragma once

#include "ExtSkemaImp.h"
#include "extskemadlg.h"
#include "windows.h"

// Untis by a date interval (dates YYYYMMDD) and Lectio (weeks YYYYWW), on
// IDD_DATOINTERVAL. OK ends with 1 once every check passed; Cancel, or
// Cancel to the question about missing conversion files, ends with 2.
INT_PTR CALLBACK DatoIntervalDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Untis by week, on IDD_UGENR.
INT_PTR CALLBACK UgeDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Tabulex: a week interval, on IDD_DATOINTERVAL.
INT_PTR CALLBACK UgeIntervalDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Untis with dates and Extern: the folder and name of the file, on
// IDD_EXTSKEMAFIL. A file that is not there ends the dialog with 2.
INT_PTR CALLBACK ExtSkemaFilDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// The open-file dialog of a file field pair (IDC_EXT_MAPPE, IDC_EXT_FILNAVN):
// the chosen file's folder and name go into the two fields; whether one was
// chosen. filter as OPENFILENAME takes it, txt the default extension.
bool VaelgImportFil(HWND dlg, const char *filter, const char *titel);
// The method, on IDD_IMPORTMETODE; lParam the text to show. "Ja" sets the
// flags of ImportMetode from the radio buttons and ends with 1, "Nej" with 2.
INT_PTR CALLBACK MetodeDlgProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
