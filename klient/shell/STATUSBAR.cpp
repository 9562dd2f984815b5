// The status row: one text bar and the indicator panes, each pane class a
// row of one table (width, texts, double click) behind one shared handler,
// so that hover, tooltip and frame painting are the same for all.
#include "STATUSBAR.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AKTICHK.h"
#include "EPIMPORT.h"
#include "EPKONTAKT.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "INDSTIL.h"
#include "LOGVISNING.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "STITAB.h"
#include "TASTINFO.h"
#include "TOOLTIP.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "ressourcer.h"
#include "win/shellapi.h"

StatusFelterRec StatusFelter = {};
char StatusStandardTekst[kStatusTekstLaengde] = "";
uint32_t EpEksportTal = 0;
UINT MenuHjaelpTabel[20] = {};
StatusBarKroge StatusBarKrog = {};

namespace {

constexpr UINT kNyhedsTimer = 10;
constexpr UINT kNyhedsInterval = 2000;
constexpr int kNyhedsFjernValg = 101;

// ---- workspaces ----

struct TekstBarData {
  HWND hwnd;
  HDC dc;
  HFONT gammelFont;
  HFONT font;
  char tekst[kStatusTekstLaengde];
  const char *tip;
  int id;
};

struct FeltData {
  HWND hwnd;
  HDC dc;
  HFONT gammelFont;
  Dato dato;  // the date pane's
};

// The news and Elevplan panes' picture: a private copy of the strip with
// one colour-table entry turned into the status background.
struct BilledData {
  uint32_t bredde, hoejde;
  uint8_t *dib;
  uint32_t stoerrelse;
  int billede;
};

// ---- the pane classes ----

enum FeltArt { LAAS, INSNR, DATO, INSSTATUS, FORBINDELSE, GENFEJL, EPSTATUS, NYHEDER, kAntalArter };

struct FeltKlasse {
  const char *navn;
  UINT stil;
  const char *forklaring;  // into the text bar while the mouse is over it
  const char *tip;
  HWND StatusFelterRec::*handle;
};

const FeltKlasse kKlasser[kAntalArter] = {
    {"LaasWndClass", CS_OWNDC, "Viser om skemaet er åben, låst eller en supertavo.", "Åben, låst eller supertavo",
     &StatusFelterRec::Laas},
    {"InsnrWndClass", CS_OWNDC, "Viser installationsnummeret på denne TAVO.", "Installationsnummer",
     &StatusFelterRec::Insnr},
    {"DatoWndClass", CS_OWNDC | CS_DBLCLKS, "Viser den dato TAVO markøren står på.",
     "TAVO dato. Dobbeltklik for dagsdato (Ctrl+Shft+D).", &StatusFelterRec::Dato},
    {"InsStatusWndClass", CS_OWNDC | CS_DBLCLKS,
     "Status for begivenheder. Grå = OK, Grøn = nye, Gul = sendte, Rød = fejl.", "Status for begivenheder",
     &StatusFelterRec::InsStatus},
    {"ForbindelseWndClass", CS_OWNDC,
     "Viser om der er kontakt til server. Rødt X = Ikke kontakt til server.", "Server kontakt indikator",
     &StatusFelterRec::Forbindelse},
    {"GenFejlLogStatusWndClass", CS_OWNDC | CS_DBLCLKS,
     "Fejlstatus for gendannelse. Dobbeltklik i feltet for at se log filen.", "Data er blevet gendannet!",
     &StatusFelterRec::GenFejlLog},
    {"EPStatusWndClass", CS_OWNDC | CS_DBLCLKS,
     "Status for elevplan begivenheder. Grå = OK, Grøn = nye, Gul = sendte, Rød = fejl.",
     "Status for elevplan begivenheder", &StatusFelterRec::EpStatus},
    {"NewsStatusWndClass", CS_OWNDC | CS_DBLCLKS, "Nyheder om TAVO. Dobbeltklik i feltet for at se nyheden.",
     "Nyheder - Punktet findes også under menuen 'Hjælp/Nyheder'", &StatusFelterRec::Nyheder},
};

FeltArt ArtAf(HWND hwnd) {
  char navn[64] = "";
  GetClassNameA(hwnd, navn, sizeof navn);
  for (int a = 0; a < kAntalArter; ++a)
    if (std::strcmp(navn, kKlasser[a].navn) == 0) return static_cast<FeltArt>(a);
  return kAntalArter;
}

bool FilFindes(const char *mappe, const char *navn) {
  char sti[MAX_PATH + 64];
  const int n = std::snprintf(sti, sizeof sti, "%s%s", mappe, navn);
  if (n < 0 || static_cast<size_t>(n) >= sizeof sti) return false;
  return GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES;
}

void SaetStatusTekst(const char *tekst) {
  if (StatusFelter.TekstBar) SendMessageA(StatusFelter.TekstBar, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tekst));
}

void FoelgMus(HWND hwnd) {
  TRACKMOUSEEVENT t{};
  t.cbSize = sizeof t;
  t.dwFlags = TME_HOVER | TME_LEAVE;
  t.hwndTrack = hwnd;
  t.dwHoverTime = 0;
  TrackMouseEvent(&t);
}

// The frame every pane paints before its content.
void TegnRamme(HDC dc, HWND hwnd) {
  RECT rc;
  GetClientRect(hwnd, &rc);
  const int b = rc.right, h = rc.bottom;
  FillRectIncl(dc, FarveBrush[0], 0, 0, b - 1, 1);
  DrawFrame3D(dc, 1, 2, b - 2, h - 2, 2);
  FillRectIncl(dc, FarveBrush[0], 2, 3, b - 3, h - 3);
}

void Tegn(HDC dc, int x, int y, const char *tekst, int laengde, COLORREF farve) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, farve);
  TextOutA(dc, x, y, tekst, laengde);
}

// ---- pictures of the news and Elevplan panes ----

BilledData *LaesBillede(int id, uint32_t bredde, uint32_t hoejde, int udskiftes) {
  HRSRC r = FindResourceA(hInst, MAKEINTRESOURCE(id), RT_BITMAP);
  HGLOBAL g = r ? LoadResource(hInst, r) : 0;
  const auto *kilde = static_cast<const uint8_t *>(g ? LockResource(g) : nullptr);
  const DWORD n = r ? SizeofResource(hInst, r) : 0;
  if (!kilde || n < sizeof(BITMAPINFOHEADER)) return nullptr;
  BITMAPINFOHEADER hdr;
  std::memcpy(&hdr, kilde, sizeof hdr);
  const uint32_t farver = hdr.biClrUsed ? hdr.biClrUsed : (hdr.biBitCount <= 8 ? 1u << hdr.biBitCount : 0);
  if (udskiftes >= static_cast<int>(farver) || hdr.biSize + 4 * farver > n) return nullptr;
  auto *b = static_cast<BilledData *>(std::calloc(1, sizeof(BilledData)));
  if (!b) return nullptr;
  b->dib = static_cast<uint8_t *>(std::malloc(n));
  if (!b->dib) {
    std::free(b);
    return nullptr;
  }
  std::memcpy(b->dib, kilde, n);
  const COLORREF bg = FarveTab[0];
  uint8_t *q = b->dib + hdr.biSize + 4 * udskiftes;  // RGBQUAD: blue, green, red
  q[0] = GetBValue(bg);
  q[1] = GetGValue(bg);
  q[2] = GetRValue(bg);
  q[3] = 0;
  b->bredde = bredde;
  b->hoejde = hoejde;
  b->stoerrelse = n;
  return b;
}

void TegnBillede(HDC dc, const BilledData *b, int x, int y) {
  if (!b) return;
  BITMAPINFOHEADER hdr;
  std::memcpy(&hdr, b->dib, sizeof hdr);
  const uint32_t farver = hdr.biClrUsed ? hdr.biClrUsed : (hdr.biBitCount <= 8 ? 1u << hdr.biBitCount : 0);
  const uint8_t *pixels = b->dib + hdr.biSize + 4 * farver;
  // Rows are stored bottom-up: the frame's top row is the DIB's last.
  SetDIBitsToDevice(dc, x, y, b->bredde, b->hoejde, b->billede * static_cast<int>(b->bredde), 0, 0,
                    static_cast<UINT>(hdr.biHeight), pixels, reinterpret_cast<const BITMAPINFO *>(b->dib),
                    DIB_RGB_COLORS);
}

void FrigivBillede(BilledData *b) {
  if (!b) return;
  std::free(b->dib);
  std::free(b);
}

// ---- contents ----

void TegnIndhold(FeltArt art, HWND hwnd, HDC dc) {
  auto *f = reinterpret_cast<FeltData *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (art) {
    case LAAS: {
      SelectObject(dc, TxtFont);
      if (GlobalIndstillinger.supertavo)
        Tegn(dc, 5, 5, "SUPER", 5, GetSysColor(COLOR_BTNTEXT));
      else if (GlobalIndstillinger.skemalaast)
        Tegn(dc, 5, 5, "LÅST ", 5, FarveTab[14]);
      else
        Tegn(dc, 5, 5, "ÅBENT", 5, GetSysColor(COLOR_BTNTEXT));
      break;
    }
    case INSNR: {
      char tal[16];
      std::snprintf(tal, sizeof tal, "%2d", GlobalIndstillinger.insnr);
      SelectObject(dc, TxtFont);
      Tegn(dc, 4, 5, tal, static_cast<int>(std::strlen(tal)), GetSysColor(COLOR_BTNTEXT));
      break;
    }
    case DATO:
      if (f) SendMessageA(hwnd, STATUS_DATO_SAET, 0, static_cast<LPARAM>(f->dato));
      break;
    case INSSTATUS: {
      SelectObject(dc, TgnFont);
      Tegn(dc, 4, 6, "\xB0\xB1", 2, GetSysColor(COLOR_BTNTEXT));
      Tegn(dc, 4, 6, "\xB2\xBB", 2, InsStatusFarve());
      break;
    }
    case FORBINDELSE: {
      SelectObject(dc, TgnFont);
      Tegn(dc, 4, 6, "\x33\x34", 2, GetSysColor(COLOR_BTNTEXT));
      const HWND s = StatusFelter.Server;
      if (!s || !IsWindow(s) || SendMessageA(s, STATUS_SERVER_KONTAKT, 0, 0) == 0)
        Tegn(dc, 4, 6, "\x35\x36", 2, FarveTab[14]);
      break;
    }
    case GENFEJL: {
      HICON ikon = LoadIconA(hInst, MAKEINTRESOURCE(IDI_GENFEJL));
      if (ikon) DrawIconEx(dc, 4, 4, ikon, 16, 16, 0, 0, DI_NORMAL);
      break;
    }
    case EPSTATUS: {
      auto *b = reinterpret_cast<BilledData *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
      if (b) {
        b->billede = EpStatusBillede();
        TegnBillede(dc, b, 3, 5);
      }
      break;
    }
    case NYHEDER:
      TegnBillede(dc, reinterpret_cast<BilledData *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)), 3, 6);
      break;
    case kAntalArter:
      break;
  }
}

void VisDato(HWND hwnd, FeltData *f, Dato d) {
  f->dato = d;
  SkemaPeriode.SkoleAar = SkoleAarIndeks(d);
  char tekst[16];
  std::snprintf(tekst, sizeof tekst, "%02d-%02d-%04d", static_cast<int>(d % 100), static_cast<int>(d / 100 % 100),
                static_cast<int>(d / 10000 % 10000));
  RECT rc;
  GetClientRect(hwnd, &rc);
  RECT ind = {4, 6, rc.right - 4, rc.bottom - 2};
  FillRect(f->dc, &ind, FarveBrush[0]);
  SelectObject(f->dc, TxtFont);
  SetBkMode(f->dc, TRANSPARENT);
  SetTextColor(f->dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(f->dc, tekst, -1, &ind, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

// The event-status pane's double click: F10 to the main window, with the
// modifier of the overview the errors point to held while it is handled.
void AabnStatusOversigt() {
  const HWND hoved = hwndHoved ? hwndHoved : GetParent(StatusFelter.TekstBar);
  if (!hoved) return;
  int tast = 0;
  if (EksportTaellere[4]) tast = VK_CONTROL;
  else if (EksportTaellere[9]) tast = VK_SHIFT;
  BYTE gemt[256], ny[256];
  GetKeyboardState(gemt);
  std::memcpy(ny, gemt, sizeof ny);
  if (tast) ny[tast] |= 0x80;
  SetKeyboardState(ny);
  SendMessageA(hoved, WM_SYSKEYDOWN, VK_F10, 0);
  SetKeyboardState(gemt);
}

void VisLogFil(const char *fil, const char *titel) {
  LogVisningParam p{};
  LogParam(&p, fil, titel);
  VisLogDialog(&p);
}

// The news page with the system's default handler, then marked read.
void AabnNyheder(HWND hwnd) {
  if (hwnd) KillTimer(hwnd, kNyhedsTimer);
  char adresse[1024] = "";
  if (StatusBarKrog.NyhedsAdresse && StatusBarKrog.NyhedsAdresse(adresse, sizeof adresse) && adresse[0]) {
    adresse[sizeof adresse - 1] = '\0';
    ShellExecuteA(hwnd, "open", adresse, nullptr, nullptr, SW_SHOWNORMAL);
  }
  KvitterNyheder(hwnd);
}

void DobbeltKlik(FeltArt art, HWND hwnd) {
  switch (art) {
    case DATO:
      SaetDagsDato();
      SendMessageA(hwnd, STATUS_DATO_SAET, 0, static_cast<LPARAM>(DagsDato()));
      SendTilAlleVinduer(AKTUEL_AENDRET, 1, 0, 0);
      break;
    case INSSTATUS:
      AabnStatusOversigt();
      break;
    case GENFEJL:
      VisLogFil("log\\genfejl.log", "Begivenheder, som ikke blev gemt!");
      break;
    case EPSTATUS:
      VisLogFil("log\\EP_import.log", "Elevplan log information");
      break;
    case NYHEDER:
      AabnNyheder(hwnd);
      break;
    default:
      break;
  }
}

// The news pane's pick list: one entry, handed back as key 101.
const ShortCutPost kNyhedsPoster[] = {
    {{0, 0, 0, 0, kNyhedsFjernValg, 0, 0, 0}, "", "Fjern nyt vinduet"},
    {{}, "", ""},
};
ShortCutTabel NyhedsGenveje = {0, kNyhedsPoster};

bool HarBillede(FeltArt art) { return art == EPSTATUS || art == NYHEDER; }

LRESULT CALLBACK FeltWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const FeltArt art = ArtAf(hwnd);
  if (art == kAntalArter) return DefWindowProcA(hwnd, msg, wParam, lParam);
  const FeltKlasse &k = kKlasser[art];
  switch (msg) {
    case WM_CREATE: {
      if (HarBillede(art)) {
        BilledData *b = art == NYHEDER ? LaesBillede(IDB_NYHEDER, 26, 12, 15) : LaesBillede(IDB_EPSTATUS, 16, 12, 7);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(b));
        if (art == NYHEDER) SetTimer(hwnd, kNyhedsTimer, kNyhedsInterval, nullptr);
        return 0;
      }
      auto *f = static_cast<FeltData *>(std::calloc(1, sizeof(FeltData)));
      if (!f) return -1;
      f->hwnd = hwnd;
      f->dc = GetDC(hwnd);
      f->gammelFont = static_cast<HFONT>(SelectObject(f->dc, TxtFont));
      if (art == DATO) {
        const Dato d = UgeDagTilDato(IndeksTilUge(SkemaPeriode.AktuelUgeIndeks), VisningsTilstand[0].Ugedag);
        f->dato = d ? d : SkemaPeriode.AktuelDato;
      }
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(f));
      return 0;
    }
    case WM_MOUSEMOVE:
      FoelgMus(hwnd);
      SaetStatusTekst(k.forklaring);
      return 0;
    case WM_MOUSEHOVER:
      VisTooltip(k.tip, nullptr, 0);
      return 0;
    case WM_MOUSELEAVE:
      SaetStatusTekst(StatusStandardTekst);
      SkjulTooltip();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      HDC dc = GetDC(hwnd);
      TegnRamme(dc, hwnd);
      TegnIndhold(art, hwnd, dc);
      ReleaseDC(hwnd, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_LBUTTONDBLCLK:
      DobbeltKlik(art, hwnd);
      return 0;
    case WM_RBUTTONDOWN:
      if (art == NYHEDER) {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(hwnd, &p);
        CreateShortCutWnd(hInst, hwnd, p.x, p.y, &NyhedsGenveje);
        return 0;
      }
      break;
    case WM_TIMER:
      if (art == NYHEDER && wParam == kNyhedsTimer) {
        if (auto *b = reinterpret_cast<BilledData *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) b->billede ^= 1;
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
      }
      break;
    case STATUS_DATO_SAET:
      if (art == DATO) {
        if (auto *f = reinterpret_cast<FeltData *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)))
          VisDato(hwnd, f, static_cast<Dato>(lParam));
        return 0;
      }
      break;
    case STATUS_DATO_HENT:
      if (art == DATO) {
        auto *f = reinterpret_cast<FeltData *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        return f ? static_cast<LRESULT>(f->dato) : 0;
      }
      break;
    case EFTER_IMPORT:
      if (art == GENFEJL && GenFejlLogFindes()) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case TAST_SPOERG:
      if (art == NYHEDER) return 1;
      break;
    case TAST_MODTAG:
      if (art == NYHEDER) {
        TastInfo t{};
        if (lParam) std::memcpy(&t, reinterpret_cast<const void *>(lParam), sizeof t);
        if (t.wParam == kNyhedsFjernValg) KvitterNyheder(hwnd);
        return 0;
      }
      break;
    case WM_DESTROY: {
      if (art == NYHEDER) KillTimer(hwnd, kNyhedsTimer);
      if (HarBillede(art)) {
        FrigivBillede(reinterpret_cast<BilledData *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
      } else if (auto *f = reinterpret_cast<FeltData *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) {
        SelectObject(f->dc, f->gammelFont);
        ReleaseDC(hwnd, f->dc);
        std::free(f);
      }
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      SkjulTooltip();
      HWND &h = StatusFelter.*k.handle;
      if (h == hwnd) h = 0;
      if (art == DATO && hDatoVindue == hwnd) hDatoVindue = 0;
      if (art == INSSTATUS && hwndEksportStatus == hwnd) hwndEksportStatus = 0;
      return 0;
    }
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegistrerKlasse(const char *navn, UINT stil, WNDPROC proc) {
  WNDCLASSA wc{};
  if (GetClassInfoA(hInst, navn, &wc)) return true;
  wc = {};
  wc.style = stil;
  wc.lpfnWndProc = proc;
  wc.hInstance = hInst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.hbrBackground = FarveBrush[0];
  wc.lpszClassName = navn;
  return RegisterClassA(&wc) != 0;
}

HWND OpretFelt(FeltArt art, HWND parent) {
  const FeltKlasse &k = kKlasser[art];
  if (!RegistrerKlasse(k.navn, k.stil, FeltWndProc)) return 0;
  HWND h = CreateWindowExA(0, k.navn, "", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, 0, 0, 0, 0, parent, 0, hInst,
                           nullptr);
  StatusFelter.*k.handle = h;
  return h;
}

// ---- text bar ----

void TegnTekstBar(TekstBarData *d) {
  RECT rc;
  GetClientRect(d->hwnd, &rc);
  TegnRamme(d->dc, d->hwnd);
  RECT ind = {4, 4, rc.right - 4, rc.bottom - 2};
  SetBkMode(d->dc, TRANSPARENT);
  SetTextColor(d->dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextA(d->dc, d->tekst, -1, &ind, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

void StatusServerBesked(const char *tekst) {
  if (StatusFelter.Server) SendMessageA(StatusFelter.Server, ENS_HOEJDE, 0, reinterpret_cast<LPARAM>(tekst));
}

LRESULT CALLBACK StatusBarWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto *d = reinterpret_cast<TekstBarData *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (msg) {
    case WM_CREATE: {
      auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
      d = static_cast<TekstBarData *>(cs->lpCreateParams);
      d->hwnd = hwnd;
      d->dc = GetDC(hwnd);
      d->gammelFont = static_cast<HFONT>(SelectObject(d->dc, d->font));
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(d));
      return 0;
    }
    case WM_SETTEXT:
      if (!d) break;
      std::snprintf(d->tekst, sizeof d->tekst, "%s", lParam ? reinterpret_cast<const char *>(lParam) : "");
      InvalidateRect(hwnd, nullptr, FALSE);
      UpdateWindow(hwnd);
      return TRUE;
    case WM_GETTEXT:
      if (!d || wParam == 0) return 0;
      return std::snprintf(reinterpret_cast<char *>(lParam), wParam, "%s", d->tekst) >= static_cast<int>(wParam)
                 ? static_cast<LRESULT>(wParam - 1)
                 : static_cast<LRESULT>(std::strlen(d->tekst));
    case WM_GETTEXTLENGTH:
      return d ? static_cast<LRESULT>(std::strlen(d->tekst)) : 0;
    case WM_SETFONT:
      if (d && wParam) {
        d->font = static_cast<HFONT>(wParam);
        SelectObject(d->dc, d->font);
        if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case TT_SETTEXT:
      if (d) d->tip = reinterpret_cast<const char *>(lParam);
      return 0;
    case WM_MOUSEMOVE:
      FoelgMus(hwnd);
      return 0;
    case WM_MOUSEHOVER:
      if (d && d->tip && d->tip[0]) {
        if (d->id == kHovedStatusId && hwndTooltip) SendMessageA(hwndTooltip, TT_LUCIDAFONT, 0, 0);
        VisTooltip(d->tip, nullptr, 0);
      }
      return 0;
    case WM_MOUSELEAVE:
      SkjulTooltip();
      if (hwndTooltip) SendMessageA(hwndTooltip, TT_DEFAULTFONT, 0, 0);
      return 0;
    case WM_LBUTTONDBLCLK:
      ShellExecuteA(hwnd, "explore", StiTab.szdata, nullptr, nullptr, SW_SHOWNORMAL);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      if (d) TegnTekstBar(d);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      if (d) {
        SelectObject(d->dc, d->gammelFont);
        ReleaseDC(hwnd, d->dc);
        std::free(d);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      SkjulTooltip();
      if (StatusFelter.TekstBar == hwnd) StatusFelter.TekstBar = 0;
      if (hwndEpTekstRude == hwnd) hwndEpTekstRude = 0;
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HWND CreateStatusBar(HWND parent, const char *tekst, HFONT font, int id) {
  if (!RegistrerKlasse("StatusBarWndClass", CS_OWNDC | CS_DBLCLKS, StatusBarWndProc)) return 0;
  auto *d = static_cast<TekstBarData *>(std::calloc(1, sizeof(TekstBarData)));
  if (!d) return 0;
  std::snprintf(d->tekst, sizeof d->tekst, "%s", tekst ? tekst : "");
  d->font = font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  d->id = id;
  HWND h = CreateWindowExA(0, "StatusBarWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, 0, 0,
                           parent, static_cast<HMENU>(id), hInst, d);
  if (!h) {
    std::free(d);
    return 0;
  }
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  return h;
}

void CreateMainStatusBar(HWND hovedvindue) {
  std::memset(MenuHjaelpTabel, 0, sizeof MenuHjaelpTabel);
  HMENU menu = GetMenu(hovedvindue);
  for (int i = 0; i < 7; ++i) {
    MenuHjaelpTabel[2 + 2 * i] = static_cast<UINT>(menu ? GetSubMenu(menu, i) : 0);
    MenuHjaelpTabel[3 + 2 * i] = static_cast<UINT>(10 * (i + 1));
  }
  StatusFelter.TekstBar = CreateStatusBar(hovedvindue, StatusStandardTekst, 0, kHovedStatusId);
  hwndEpTekstRude = StatusFelter.TekstBar;
}

void StatusMenuValg(HWND hovedvindue, WPARAM wParam, LPARAM lParam) {
  MenuHelp(WM_MENUSELECT, wParam, lParam, GetMenu(hovedvindue), hInst, StatusFelter.TekstBar, MenuHjaelpTabel);
}

HWND OpretLaasFelt(HWND parent) { return OpretFelt(LAAS, parent); }
HWND OpretInsnrFelt(HWND parent) { return OpretFelt(INSNR, parent); }
HWND OpretDatoFelt(HWND parent) {
  HWND h = OpretFelt(DATO, parent);
  if (h) hDatoVindue = h;
  return h;
}
HWND OpretInsStatusFelt(HWND parent) {
  EpEksportTal = 0;
  HWND h = OpretFelt(INSSTATUS, parent);
  if (h) hwndEksportStatus = h;
  return h;
}
HWND OpretForbindelseFelt(HWND parent) { return OpretFelt(FORBINDELSE, parent); }
HWND OpretEpStatusFelt(HWND parent) {
  EpEksportTal = 0;
  return OpretFelt(EPSTATUS, parent);
}
HWND OpretGenFejlLogFelt(HWND parent) { return OpretFelt(GENFEJL, parent); }
HWND OpretNyhedsFelt(HWND parent) { return OpretFelt(NYHEDER, parent); }

bool GenFejlLogFindes() { return FilFindes(StiTab.szdata, "log\\genfejl.log"); }

void LayoutStatusBar() {
  const HWND bar = StatusFelter.TekstBar;
  if (!bar || !IsWindowVisible(bar)) return;
  RECT rc;
  GetClientRect(GetParent(bar), &rc);
  const int top = rc.bottom - kStatusHoejde;
  int x = rc.right;
  auto placer = [&](HWND h, int bredde) {
    x -= bredde;
    if (h) MoveWindow(h, x, top, bredde, kStatusHoejde, TRUE);
  };
  auto skjul = [](HWND h) {
    if (h) MoveWindow(h, 0, 0, 0, 0, TRUE);
  };
  placer(StatusFelter.Server, 200);
  placer(StatusFelter.Forbindelse, 24);
  placer(StatusFelter.InsStatus, 24);
  if (GenFejlLogFindes()) placer(StatusFelter.GenFejlLog, 24);
  if (ElevplanSlaaetTil) {
    placer(StatusFelter.EpKontakt, 200);
    placer(StatusFelter.EpStatus, 24);
  } else {
    skjul(StatusFelter.EpKontakt);
    skjul(StatusFelter.EpStatus);
  }
  placer(StatusFelter.Dato, 88);
  placer(StatusFelter.Laas, 48);
  placer(StatusFelter.Insnr, 24);
  if (nyeNyheder)
    placer(StatusFelter.Nyheder, 32);
  else
    skjul(StatusFelter.Nyheder);
  MoveWindow(bar, 0, top, x > 0 ? x : 0, kStatusHoejde, TRUE);
}

void KvitterNyheder(HWND felt) {
  nyeNyheder = 0;
  char dato[64] = "";
  if (IndstilKrog.WebNewsCheck && IndstilKrog.WebNewsCheck(dato, sizeof dato) && dato[0]) {
    dato[sizeof dato - 1] = '\0';
    if (!StiTab.laastOenske && !GlobalIndstillinger.skemalaast) {
      WritePrivateProfileStringA("tider", "nyheder", dato, StiTab.szini);
      std::snprintf(GlobalIndstillinger.nyheder, sizeof GlobalIndstillinger.nyheder, "%s", dato);
    }
  }
  if (felt) InvalidateRect(felt, nullptr, TRUE);
  const HWND hoved = StatusFelter.TekstBar ? GetParent(StatusFelter.TekstBar) : hwndHoved;
  if (hoved) SendMessageA(hoved, WM_SIZE, 0, 0x10001);
}

void VisNyhederVedStart() {
  if (nyeNyheder && GlobalIndstillinger.checktavonews) AabnNyheder(StatusFelter.Nyheder);
}

COLORREF InsStatusFarve() {
  const uint32_t *t = EksportTaellere;
  if (t[4] || t[9]) return FarveTab[14];
  if (t[1] || t[3] || t[6] || t[8] || FilFindes(StiTab.szdata, "data\\exp.dat") ||
      FilFindes(StiTab.szdata, "data\\exp.dat.gz"))
    return FarveTab[20];
  if (t[0] || t[2] || t[5] || t[7] || EksportPlanTal) return FarveTab[22];
  return GetSysColor(COLOR_BTNFACE);
}

int EpStatusBillede() {
  int b = 3;
  if (EpEksportTal) b = 2;
  if (FilFindes(StiTab.szdata, "data\\ep_exp.dat") || FilFindes(StiTab.szdata, "data\\ep_exp.dat.gz")) b = 1;
  if (EpFejlAntal) b = 0;
  return b;
}
