// The log viewers. Files are read in pieces of a fixed size, so a line
// longer than a piece becomes several list entries and nothing overruns.
#include "LOGVISNING.h"

#include <cstdio>
#include <cstring>

#include "PROGVINDUER.h"
#include "STITAB.h"
#include "VERSIONINFO.h"
#include "ressourcer.h"

char NotepadWindowsMappe[MAX_PATH] = "";

namespace {

constexpr int kLogListe = 1119;
constexpr int kFejlListe = 40075;
constexpr int kMinBredde = 200;
constexpr int kListeHoejde = 300;
constexpr int kKnapBredde = 75;
constexpr int kKnapHoejde = 23;

// Calls `linje` for every piece of at most bufStr - 1 characters, its final
// LF dropped. The LF that ends a line exactly as long as a piece is not an
// empty line of its own.
template <typename Fn>
void LaesLinjer(FILE *f, char *buf, int bufStr, Fn linje) {
  bool fuld = false;
  while (std::fgets(buf, bufStr, f)) {
    const size_t n = std::strlen(buf);
    const bool lf = n > 0 && buf[n - 1] == '\n';
    if (lf) buf[n - 1] = '\0';
    if (!(fuld && lf && n == 1)) linje(buf);
    fuld = !lf && n == static_cast<size_t>(bufStr - 1);
  }
}

void LogDialogStart(HWND hwnd, const LogVisningParam *p) {
  SetWindowTextA(hwnd, p ? p->titel : "");
  HWND liste = GetDlgItem(hwnd, kLogListe);
  HFONT font = static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
  SendMessageA(liste, WM_SETFONT, static_cast<WPARAM>(font), 0);

  int bredest = 0;
  if (FILE *f = p ? std::fopen(p->sti, "r") : nullptr) {
    HDC dc = GetDC(liste);
    HGDIOBJ gammel = SelectObject(dc, font);
    char buf[512];
    LaesLinjer(f, buf, sizeof buf, [&](const char *l) {
      SendMessageA(liste, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l));
      SIZE sz = {0, 0};
      GetTextExtentPoint32A(dc, l, static_cast<int>(std::strlen(l)), &sz);
      if (sz.cx > bredest) bredest = sz.cx;
    });
    SelectObject(dc, gammel);
    ReleaseDC(liste, dc);
    std::fclose(f);
  }
  int bredde = bredest + 2 * GetSystemMetrics(SM_CXVSCROLL);
  if (bredde < kMinBredde) bredde = kMinBredde;
  SendMessageA(liste, LB_SETHORIZONTALEXTENT, bredde, 0);
  SendMessageA(liste, LB_SETCURSEL, 0, 0);

  MoveWindow(liste, 10, 10, bredde, kListeHoejde, FALSE);
  const int knapY = 10 + kListeHoejde + 10;
  MoveWindow(GetDlgItem(hwnd, IDCANCEL), 10 + (bredde - kKnapBredde) / 2, knapY, kKnapBredde, kKnapHoejde, FALSE);
  RECT rc = {0, 0, bredde + 20, knapY + kKnapHoejde + 10};
  AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)));
  SetWindowPos(hwnd, 0, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER);
  CenterWindow(hwnd, 0);
  SetFocus(liste);
}

}  // namespace

INT_PTR CALLBACK LogVisningDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      LogDialogStart(hwnd, reinterpret_cast<const LogVisningParam *>(lParam));
      return FALSE;  // the focus is set
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwnd, IDCANCEL);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

INT_PTR CALLBACK FejllisteDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: {
      char sti[kLogStiLaengde + 32];
      std::snprintf(sti, sizeof sti, "%slog\\error.log", StiTab.szdata);
      FILE *f = std::fopen(sti, "r");
      if (!f) {
        MessageBoxA(hwnd, "Filen 'Error.log' blev ikke fundet\neller den kan ikke læses.", "Fejl meddelelse",
                    MB_OK | MB_ICONSTOP);
        EndDialog(hwnd, IDOK);
        return TRUE;
      }
      HWND liste = GetDlgItem(hwnd, kFejlListe);
      char buf[80];
      LaesLinjer(f, buf, sizeof buf,
                 [&](const char *l) { SendMessageA(liste, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(l)); });
      std::fclose(f);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(hwnd, IDOK);
        return TRUE;
      }
      break;
  }
  return FALSE;
}

bool LogParam(LogVisningParam *p, const char *fil, const char *titel) {
  std::snprintf(p->titel, sizeof p->titel, "%s", titel);
  const int n = std::snprintf(p->sti, sizeof p->sti, "%s%s", StiTab.szdata, fil);
  if (n >= 0 && static_cast<size_t>(n) < sizeof p->sti) return true;
  p->sti[0] = '\0';  // a cut path would name another file
  return false;
}

INT_PTR VisLogDialog(const LogVisningParam *p) {
  return DialogBoxParamA(hInst, MAKEINTRESOURCE(IDD_LOGVISNING), hwndHoved, LogVisningDlgProc,
                         reinterpret_cast<LPARAM>(p));
}

void ShowLogFile(const char *titel, const char *fil) {
  LogVisningParam p{};
  char navn[kLogStiLaengde];
  std::snprintf(navn, sizeof navn, "log\\%s", fil);
  LogParam(&p, navn, titel);

  char windows[MAX_PATH] = "";
  if (NotepadWindowsMappe[0])
    std::snprintf(windows, sizeof windows, "%s", NotepadWindowsMappe);
  else
    GetWindowsDirectoryA(windows, sizeof windows);
  char notepad[MAX_PATH + 32];
  const int n = std::snprintf(notepad, sizeof notepad, "%s\\system32\\notepad.exe", windows);
  if (p.sti[0] && n > 0 && static_cast<size_t>(n) < sizeof notepad && GetFileAttributesA(notepad) != INVALID_FILE_ATTRIBUTES) {
    // Both quoted: a data folder with a blank must still name one file.
    char linje[2 * MAX_PATH + 64];
    const int m = std::snprintf(linje, sizeof linje, "\"%s\" \"%s\"", notepad, p.sti);
    if (m > 0 && static_cast<size_t>(m) < sizeof linje) {
      STARTUPINFOA si;
      GetStartupInfoA(&si);
      PROCESS_INFORMATION pi{};
      if (CreateProcessA(nullptr, linje, nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return;
      }
    }
  }
  VisLogDialog(&p);
}

bool LogKommando(HWND hwnd, UINT kommando) {
  switch (kommando) {
    case 40101:
      DialogBoxParamA(hInst, MAKEINTRESOURCE(IDD_FEJLLISTE), hwnd, FejllisteDlgProc, 0);
      return true;
    case 40210: {
      LogVisningParam p{};
      LogParam(&p, "log\\import.log", "Import log information");
      VisLogDialog(&p);
      return true;
    }
    case 40286:
      ShowLogFile("Auto Skema import log!", "AutoSkemaIkkePlaceret.log");
      return true;
    case 40291:
      ShowLogFile("Byt/Flyt Skema log!", "AndretSkema.log");
      return true;
  }
  return false;
}
