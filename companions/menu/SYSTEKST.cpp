// The system's error texts in Danish, the start menu's error boxes, and
// the fitting and filling of dialog 103.

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "MENUHJAELP.h"

char *SystemErrorText(char *buf, size_t stoerrelse) {
  if (stoerrelse == 0) return buf;
  buf[0] = '\0';
  const DWORD fejl = GetLastError();
  if (!FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, fejl,
                      MAKELANGID(LANG_DANISH, SUBLANG_DEFAULT), buf, static_cast<DWORD>(stoerrelse), nullptr))
    std::snprintf(buf, stoerrelse, "%lu", static_cast<unsigned long>(fejl));
  return buf;
}

int VisSystemFejl(const char *tekst, UINT stil) {
  char system[512];
  if (!tekst) tekst = SystemErrorText(system, sizeof system);
  return MessageBoxA(0, tekst, "Fejl", stil);
}

int VisErrnoFejl() {
  const int e = errno;
  if (e == ENOENT || e == EISDIR) return 0;
  return VisSystemFejl(nullptr, MB_OK | MB_ICONERROR);
}

void FitDialogToClient(HWND dlg) {
  RECT vindue, klient;
  GetWindowRect(dlg, &vindue);
  GetClientRect(dlg, &klient);
  const int bredde = klient.right - klient.left;
  int x = vindue.left;
  HWND far = GetParent(dlg);
  if (far) {
    RECT farKlient;
    GetClientRect(far, &farKlient);
    const int farBredde = farKlient.right - farKlient.left;
    if (bredde > farBredde) x -= (bredde - farBredde) / 2;
  }
  MoveWindow(dlg, x, vindue.top, bredde, klient.bottom - klient.top + 19, TRUE);
}

void FyldSystemFarve(HDC dc, const RECT *r, int farveIndeks) {
  FillRect(dc, r, GetSysColorBrush(farveIndeks));
}

void FyldPensel(HDC dc, const RECT *r, HBRUSH pensel) { FillRect(dc, r, pensel); }

void RammeSystemFarve(HDC dc, const RECT *r, int farveIndeks) {
  FrameRect(dc, r, GetSysColorBrush(farveIndeks));
}
