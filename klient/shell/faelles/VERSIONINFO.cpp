// Version texts read from a program file's version block, and window
// centring. The reader takes the buffer's size, since its callers keep the
// texts in fixed fields.
#include "VERSIONINFO.h"

#include <cstdio>
#include <cstring>
#include <vector>

char *HentVersionInfoTekst(const char *fil, const char *noegle, char *buf, size_t bufStr) {
  if (!buf || bufStr == 0 || !fil || !noegle) return buf;
  DWORD handle = 0;
  const DWORD stoerrelse = GetFileVersionInfoSizeA(fil, &handle);
  if (stoerrelse == 0) return buf;
  std::vector<char> blok(stoerrelse);
  if (!GetFileVersionInfoA(fil, handle, stoerrelse, blok.data())) return buf;

  buf[0] = '\0';
  WORD *oversaet = nullptr;
  UINT laengde = 0;
  if (!VerQueryValueA(blok.data(), "\\VarFileInfo\\Translation", reinterpret_cast<LPVOID *>(&oversaet),
                      &laengde) ||
      !oversaet || laengde < 2 * sizeof(WORD))
    return buf;
  char sti[256];
  std::snprintf(sti, sizeof sti, "\\StringFileInfo\\%04x%04x\\%s", oversaet[0], oversaet[1], noegle);
  char *vaerdi = nullptr;
  if (!VerQueryValueA(blok.data(), sti, reinterpret_cast<LPVOID *>(&vaerdi), &laengde) || !vaerdi) return buf;
  // The block holds the value with its terminator; a count that says
  // otherwise is not trusted past the block.
  const size_t n = strnlen(vaerdi, blok.data() + blok.size() - vaerdi);
  const size_t kopi = n < bufStr - 1 ? n : bufStr - 1;
  std::memcpy(buf, vaerdi, kopi);
  buf[kopi] = '\0';
  return buf;
}

void CenterWindow(HWND hwnd, HWND over) {
  RECT r, o;
  if (!GetWindowRect(hwnd, &r)) return;
  if (!over || !GetWindowRect(over, &o)) {
    o.left = o.top = 0;
    o.right = GetSystemMetrics(SM_CXSCREEN);
    o.bottom = GetSystemMetrics(SM_CYSCREEN);
  }
  const int b = r.right - r.left, h = r.bottom - r.top;
  POINT p{o.left + ((o.right - o.left) - b) / 2, o.top + ((o.bottom - o.top) - h) / 2};
  // A child is placed in its parent's client coordinates.
  if (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) {
    if (HWND forael = GetParent(hwnd)) ScreenToClient(forael, &p);
  }
  SetWindowPos(hwnd, 0, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
