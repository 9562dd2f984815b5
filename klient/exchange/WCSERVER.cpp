// The server-contact pane. The window and its state belong to the main
// thread; the worker reaches them only by sent messages, and its end (1026)
// is the only thing that clears the worker mark, so one worker runs at a
// time and the state lives until the last worker has said so.
#include "WCSERVER.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "EKSPKMD.h"
#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "STATUSBAR.h"
#include "STITAB.h"
#include "TOOLTIP.h"
#include "win/kthread.h"

namespace {

constexpr char kForklaring[] = "Viser kontakt forløbet (til serveren) i form af beskeder.";
constexpr char kTip[] = "Kontakt beskeder";

// The pane's own record: the contact state the workers are handed, and
// what only the pane uses.
struct ServerRude {
  KontaktState st;
  bool lukker;  // log off waits for the worker: no contact starts
};

ServerRude *Rude(HWND hwnd) { return reinterpret_cast<ServerRude *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

bool Findes(const char *sti) { return sti[0] && GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES; }

void SaetTekst(HWND hwnd, ServerRude *r, const char *tekst, int travl) {
  snprintf(r->st.tekst, sizeof r->st.tekst, "%.*s", kServerTekstLaengde, tekst ? tekst : "");
  r->st.travl = static_cast<uint8_t>(travl);
  InvalidateRect(hwnd, nullptr, FALSE);
  UpdateWindow(hwnd);
}

void StatusTekst(const char *tekst) {
  if (StatusFelter.TekstBar) SendMessageA(StatusFelter.TekstBar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tekst));
}

void OpfriskForbindelse() {
  if (StatusFelter.Forbindelse) InvalidateRect(StatusFelter.Forbindelse, nullptr, FALSE);
}

void Ordinaer(void *st) { KontaktTraad(static_cast<KontaktState *>(st)); }
void Super(void *st) { SuperKontaktTraad(static_cast<KontaktState *>(st)); }
void Auto(void *st) { AutoKontaktTraad(static_cast<KontaktState *>(st)); }

void Kontakt(HWND hwnd, ServerRude *r, WPARAM id, LPARAM autoskema) {
  KontaktState &st = r->st;
  if (id) KillTimer(hwnd, id);
  if (!st.autoMode && autoskema >= 1) st.autoMode = 1;
  if (!st.login.server[0]) return SaetTekst(hwnd, r, "FEJL: servernavn kendes ikke", 0);
  if (!st.login.database[0]) return SaetTekst(hwnd, r, "FEJL: databasenavn kendes ikke", 0);
  if (st.traad || r->lukker) return;
  void (*traad)(void *) = st.autoMode ? Auto : GlobalIndstillinger.supertavo ? Super : Ordinaer;
  const uintptr_t h = _beginthread(traad, 0, &st);
  if (h == static_cast<uintptr_t>(-1)) {
    LogPrintf("** Fejl: Serverkontakten kunne ikke startes: Fejlnr: %lu\n",
              static_cast<unsigned long>(GetLastError()));
    return;
  }
  st.traad = static_cast<HANDLE>(h);
}

// Only a contact whose every step succeeded ends "Kontakt gennemført"; a
// failed one keeps its failure line, and one that lost its connection
// without a word says so rather than leave the step it was on.
void KontaktSlut(HWND hwnd, ServerRude *r) {
  KontaktState &st = r->st;
  st.traad = 0;
  // Read before the contact that may follow starts and clears it.
  const bool fejlet = st.fejlet != 0;
  if (fejlet && st.travl) SaetTekst(hwnd, r, "Fejl: Forbindelse tabt...", 0);
  char fejl[sizeof st.tekst];
  snprintf(fejl, sizeof fejl, "%s", st.tekst);
  if (st.autoMode && !st.autoTravl) {
    st.autoMode = 0;
    SendMessageA(hwnd, WM_TIMER, 0, 0);
  }
  if (Findes(StiTab.szimp))
    SaetTekst(hwnd, r, "Importfil modtaget", 0);
  else if (Findes(StiTab.szasimp))
    SaetTekst(hwnd, r, "Autoskema modtaget", 0);
  else if (st.travl && !fejlet)
    SaetTekst(hwnd, r, "Kontakt gennemført", 1);
  if (fejlet) LogPrintf("** Fejl: Serverkontakten fejlede: %s\n", fejl);
}

// A running worker is woken and waited for; its progress lines and its end
// are handled meanwhile, since it sends them to this thread.
void StopKontakt(ServerRude *r) {
  r->lukker = true;
  int runde = 0;
  while (r->st.traad) {
    // Again now and then: the worker may have opened a connection since.
    if (runde++ % 5 == 0) AfbrydKontakt(&r->st);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE);
    MSG m;
    PeekMessageA(&m, 0, 0, 0, PM_NOREMOVE);
  }
  KontaktAfbrydelseSlut();
}

void LogOff(HWND hwnd, ServerRude *r, bool visTekst) {
  StopKontakt(r);
  KontaktState &st = r->st;
  if (st.s != INVALID_SOCKET) ServerLogoff(&st);
  if (st.autoS != INVALID_SOCKET) {
    ServerAfslut(&st.autoS);
    st.autoLogget = 0;
    OpfriskForbindelse();
  }
  r->lukker = false;
  if (visTekst) SaetTekst(hwnd, r, "Logon afbrudt", 0);
}

void Tegn(HWND hwnd, ServerRude *r) {
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  HDC dc = r ? r->st.hdc : GetDC(hwnd);
  RECT rc;
  GetClientRect(hwnd, &rc);
  const int b = rc.right, h = rc.bottom;
  FillRectIncl(dc, FarveBrush[0], 0, 0, b - 1, 1);
  DrawFrame3D(dc, 1, 2, b - 2, h - 2, 2);
  FillRectIncl(dc, FarveBrush[0], 3, 3, b - 4, h - 3);
  if (r) {
    r->st.gemtFont = static_cast<HFONT>(SelectObject(dc, TxtFont ? TxtFont : GetStockObject(DEFAULT_GUI_FONT)));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT t = {4, 5, b - 4, h - 3};
    DrawTextA(dc, r->st.tekst, -1, &t, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, r->st.gemtFont);
  } else {
    ReleaseDC(hwnd, dc);
  }
  EndPaint(hwnd, &ps);
}

}  // namespace

LRESULT CALLBACK WCServerWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ServerRude *r = Rude(hwnd);
  switch (msg) {
    case WM_CREATE: {
      r = new (std::nothrow) ServerRude{};
      if (!r) return -1;
      NulstilKontaktState(&r->st);
      r->st.hwnd = hwnd;
      r->st.hdc = GetDC(hwnd);
      GetPrivateProfileStringA("kontakt", "server", "", r->st.login.server, sizeof r->st.login.server,
                               StiTab.szini);
      GetPrivateProfileStringA("kontakt", "database", "", r->st.login.database, sizeof r->st.login.database,
                               StiTab.szini);
      SetTextColor(r->st.hdc, GetSysColor(COLOR_BTNTEXT));
      SetBkColor(r->st.hdc, FarveTab[0]);
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(r));
      return 0;
    }
    case WM_CLOSE:
      SendMessageA(hwnd, WM_KONTAKT_LOGOFF, 0, 0);
      break;
    case WM_DESTROY:
      KillTimer(hwnd, kServerTimer);
      if (r) {
        // Closing the main window destroys the pane without WM_CLOSE: the
        // worker and the connections end here before the state goes.
        LogOff(hwnd, r, false);
        memset(r->st.login.password, 0, sizeof r->st.login.password);
        memset(r->st.autoLogin.password, 0, sizeof r->st.autoLogin.password);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (r->st.hdc) ReleaseDC(hwnd, r->st.hdc);
        delete r;
      }
      SkjulTooltip();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Tegn(hwnd, r);
      return 0;
    case WM_MOUSEMOVE: {
      TRACKMOUSEEVENT t{};
      t.cbSize = sizeof t;
      t.dwFlags = TME_HOVER | TME_LEAVE;
      t.hwndTrack = hwnd;
      TrackMouseEvent(&t);
      StatusTekst(kForklaring);
      return 0;
    }
    case WM_MOUSEHOVER:
      VisTooltip(kTip, nullptr, 0);
      return 0;
    case WM_MOUSELEAVE:
      StatusTekst(StatusStandardTekst);
      SkjulTooltip();
      return 0;
    case WM_TIMER:
      if (r) Kontakt(hwnd, r, wParam, lParam);
      return 0;
    case ENS_HOEJDE:
      if (r) SaetTekst(hwnd, r, reinterpret_cast<const char *>(lParam), wParam ? 1 : 0);
      return 0;
    case WM_KONTAKT_SLUT:
      if (r) KontaktSlut(hwnd, r);
      return 0;
    case STATUS_SERVER_KONTAKT:
      return r ? r->st.logget : 0;
    case WM_KONTAKT_LOGOFF:
      if (r) LogOff(hwnd, r, true);
      return 0;
    case WM_KONTAKT_NU:
      LoginTilstand = 1;
      SendMessageA(hwnd, WM_TIMER, 0, lParam);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegistrerServerKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  if (GetClassInfoA(inst, WC_SERVER, &wc)) return true;
  memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = WCServerWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.hbrBackground = FarveBrush[0];
  wc.lpszClassName = WC_SERVER;
  return RegisterClassA(&wc) != 0;
}

HWND OpretServerFelt(HWND hovedvindue) {
  if (!RegistrerServerKlasse(hInst)) return 0;
  return CreateWindowExA(0, WC_SERVER, "", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, 0, 0, 0, 0, hovedvindue, 0,
                         hInst, nullptr);
}

KontaktState *ServerKontakt(HWND rude) {
  ServerRude *r = rude ? Rude(rude) : nullptr;
  return r ? &r->st : nullptr;
}
