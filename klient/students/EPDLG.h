// The Elevplan dialogs: the choice between a server and an Elevplan export
// (159), the exchange period (160), the login (154) and the role choice
// (155). The last two run on the contact thread, modal to the main window.
#pragma once

#include "windows.h"

// lParam: none. Writes [flag] elevplanexport on OK (not in a read-only run).
INT_PTR CALLBACK ElevplanExportDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// lParam: the EpTilstandData whose period is set.
INT_PTR CALLBACK EpPeriodeDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// lParam: the EpKontakt.
INT_PTR CALLBACK EpLoginDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EpRolleDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
