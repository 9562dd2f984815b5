// The month calendar. The program's current date is the current week index
// with the current weekday of the lesson view; the calendar only ever sets
// it to a date inside the schedule period's weeks, so a click or a key far
// outside the period lands on the period's first Monday or last Sunday.

#include "KALENDER.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AKTICHK.h"
#include "ARRANGER.h"
#include "ENS.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "INDSTIL.h"
#include "PROGVINDUER.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TASTINFO.h"
#include "VINDUER.h"

namespace {

constexpr int kKant = 3;         // border around the grid
constexpr int kRaekkeH = 12;     // a week row with its grid line
constexpr int kKolonneB = 25;    // a day column with its grid line
constexpr int kAntalRaekker = 6;
constexpr int kTegnB = 8;
constexpr int kTekstH = 11;
// The sizes the calendar answers are asked for this room.
constexpr int kStandardPlads = 400;
// A week-number layout wider than this is a damaged field-switch file; the
// calendar stays usable.
constexpr uint32_t kMaksUgeKolonne = 1000;

const char *const kMaanedNavne[12] = {"Jan.  ", "Feb.  ", "Marts ", "April ", "Maj   ", "Juni  ",
                                      "Juli  ", "Aug.  ", "Sep.  ", "Okt.  ", "Nov.  ", "Dec.  "};
const char *const kUgedagNavne[7] = {"Mandag ", "Tirsdag", "Onsdag ", "Torsdag", "Fredag ", "Lørdag ", "Søndag "};

TastInfo GenvejTast(int32_t shift, int32_t ctrl, uint32_t tast) {
  return TastInfo{shift, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0};
}

const ShortCutPost kGenvejPoster[] = {
    {GenvejTast(0, 0, VK_F3), "<F3>", "Maksimer / gendan aktuelt vindue."},
    {GenvejTast(0, 1, VK_F4), "<Ctrl> + <F4>", "Luk fokus vindue."},
    {GenvejTast(0, 0, VK_PRIOR), "<Pgup>", "Skift måned."},
    {GenvejTast(0, 0, VK_NEXT), "<Pgdn>", "Skift måned."},
    {GenvejTast(1, 1, 'D'), "<Ctrl> + <Shift> + <d>", "Gå til aktuel dato."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenvejPoster};

KalInfo *Ki(HWND h) { return reinterpret_cast<KalInfo *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

int UgeKolonneBredde() {
  const uint32_t b = ObjSwitchBredde(kKalUgeArt, kKalUgeBogstav, ObjSwitchValgt(kKalUgeArt, kKalUgeBogstav));
  return static_cast<int>(std::min(b, kMaksUgeKolonne));
}

uint8_t Ugedag(Dato d) {
  Uge u = 0;
  uint8_t wd = 0;
  DatoTilUge(d, &u, &wd);
  return wd;
}

// The shown month: days, weekday of the first and of the last day, and the
// week rows it takes.
struct MaanedForm {
  Maaned m = 0;
  int n = 0, fw = 0, lw = 0, raekker = 0;
};

bool Form(Dato vist, MaanedForm *f) {
  if (!GyldigDato(vist) || DatoTilDagNr(vist) == 0) return false;
  f->m = vist / 100;
  f->n = static_cast<int>(DageIMaaned(f->m));
  f->fw = Ugedag(f->m * 100 + 1);
  f->lw = Ugedag(f->m * 100 + static_cast<Dato>(f->n));
  f->raekker = (f->fw - 1 + f->n + 6) / 7;
  return f->fw >= 1 && f->lw >= 1;
}

int Raekke(const MaanedForm &f, int dag) { return (dag + f.fw - 2) / 7 + 1; }
int DagX(const KalInfo *ki, int kolonne) { return ki->weekColumnWidth + 5 + kKolonneB * (kolonne - 1); }

void FyldCelle(KalInfo *ki, int x, int raekke, int hoejre) {
  FillRectIfAny(ki->dc.hdc, FarveBrush[0], x, kRaekkeH * raekke + kKant + 1, hoejre, kRaekkeH * raekke + kKant + 1 + kTekstH);
}

void FyldDagCelle(KalInfo *ki, int raekke, int kolonne) {
  const int x = DagX(ki, kolonne);
  FyldCelle(ki, x, raekke, x + kKolonneB - 1);
}

// One day's cell, and the week-number cell of its row in the day's colour
// when the day is a Monday or the first or last one drawn.
void TegnDag(KalInfo *ki, const MaanedForm &f, int dag, bool foerste, bool sidste) {
  const Dato d = f.m * 100 + static_cast<Dato>(dag);
  const int wd = Ugedag(d);
  const int y = kRaekkeH * Raekke(f, dag) + kKant + 1;
  uint8_t farve = d == KalAktuelDato() ? (ki->active ? 1 : 2) : 0;
  uint8_t moenster = 14;
  if (wd <= 5) {
    moenster = 16;
    if (Helligdag(d) != 0) farve += 6;
  }
  char tekst[16];
  std::snprintf(tekst, sizeof tekst, "%2ld", static_cast<long>(dag));
  TegnTekstCelle(&ki->dc, DagX(ki, wd), y, farve, moenster, tekst, 4, 4);
  if (wd != 1 && !foerste && !sidste) return;
  Uge uge = 0;
  DatoTilUge(d, &uge, nullptr);
  SwitchRaekkeValg v;
  v.hwnd = ki->window;
  v.Hoejde = static_cast<uint32_t>(ki->rowHeight);
  TegnObjSwitchRaekke(&ki->dc, kKant + 1, y, farve, kKalUgeArt, kKalUgeBogstav,
                      ObjSwitchValgt(kKalUgeArt, kKalUgeBogstav), nullptr, nullptr, UgeTilIndeks(uge), &v);
}

void TegnGitter(KalInfo *ki) {
  HDC hdc = ki->dc.hdc;
  const int B = ki->width, H = ki->height, L = ki->weekColumnWidth;
  // A cell that gives the calendar more room than it asked for gets the
  // border's colour beyond the grid, not stray lines over nothing.
  const int hoejre = std::min(B - kKant, L + 4 + 7 * kKolonneB + 1);
  const int bund = std::min(H - kKant, kRaekkeH * (kAntalRaekker + 1) + kKant + 1);
  FillFrame(hdc, FarveBrush[0], 0, 0, kKant, kKant, hoejre, bund, B, H);
  for (int k = 0; k <= kAntalRaekker + 1; ++k)
    FillRectSys(hdc, COLOR_3DDKSHADOW, kKant, kRaekkeH * k + kKant, hoejre, kRaekkeH * k + kKant + 1);
  FillRectSys(hdc, COLOR_3DDKSHADOW, kKant, kKant, kKant + 1, bund);
  for (int k = 0; k <= 7; ++k) {
    const int x = L + 4 + kKolonneB * k;
    FillRectSys(hdc, COLOR_3DDKSHADOW, x, kKant, x + 1, bund);
  }
  for (int k = 0; k < 7; ++k) {
    const char t[3] = {kUgedagNavne[k][0], kUgedagNavne[k][1], '\0'};
    TegnTekstCelle(&ki->dc, DagX(ki, k + 1), kKant + 1, 0, 16, t, 4, 4);
  }
}

void Gentegn(KalInfo *ki, Dato gammel) {
  if (gammel / 100 == ki->shownDate / 100) {
    TegnKalender(ki, gammel, kKalTegnDag);
    TegnKalender(ki, ki->shownDate, kKalTegnDag);
  } else {
    TegnKalender(ki, ki->shownDate, kKalTegnAlt);
  }
}

// Takes the program's current date after another window changed it.
void FoelgAktuelDato(KalInfo *ki) {
  const Dato gammel = ki->shownDate;
  ki->shownDate = KalAktuelDato();
  Gentegn(ki, gammel);
}

// Makes d the program's current date, clamped to the period's weeks: the
// lesson view's weekday, at the period's ends all three views' weekdays.
// The date pane and every window are told; the calendar repaints the day
// left and the day come to. False when there is no period.
bool SaetProgramDato(KalInfo *ki, Dato d, Dato gammelVist) {
  SkemaPeriodeData &p = SkemaPeriode;
  Uge uge = 0;
  uint8_t wd = 0;
  DatoTilUge(d, &uge, &wd);
  if (p.AntalUger == 0 || wd < 1 || wd > 7) return false;
  const Dato gammelAktuel = KalAktuelDato();
  UgeIndeks indeks = UgeTilIndeks(uge);
  bool ende = true;
  if (indeks == 0) {
    indeks = 1;
    wd = 1;
  } else if (indeks > p.AntalUger) {
    indeks = p.AntalUger;
    wd = 7;
  } else {
    ende = false;
  }
  if (ende) {
    for (VisningsTilstandRec &v : VisningsTilstand) v.Ugedag = wd;
  } else {
    VisningsTilstand[VISNING_LEKTION].Ugedag = wd;
  }
  p.AktuelUgeIndeks = indeks;
  const Dato ny = UgeDagTilDato(IndeksTilUge(indeks), wd);
  // The period's own record of the current date follows too, so the
  // windows that read it (the school year, the budget date) agree with
  // the calendar.
  p.AktuelDato = ny;
  p.AktuelDatoIndeks = indeks;
  p.SkoleAar = SkoleAarIndeks(ny);
  ki->shownDate = ny;

  const HWND self = ki->window;
  if (hDatoVindue && IsWindow(hDatoVindue)) SendMessageA(hDatoVindue, STATUS_DATO_SAET, 0, static_cast<LPARAM>(ny));
  SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, 0);
  // A window told of the date may have closed the calendar.
  if (!IsWindow(self) || Ki(self) != ki) return true;
  if (gammelAktuel == gammelVist)
    Gentegn(ki, gammelVist);
  else
    TegnKalender(ki, ki->shownDate, kKalTegnAlt);
  return true;
}

// ---- Keys

struct KalFlyt {
  UINT tast;
  int32_t (*Dage)(Dato vist);  // days forward (negative: back)
};

int32_t ForrigeMaanedsDage(Dato vist) {
  const Maaned m = vist / 100;
  const Maaned forrige = m % 100 <= 1 ? (m / 100 - 1) * 100 + 12 : m - 1;
  return -static_cast<int32_t>(DageIMaaned(forrige));
}

const KalFlyt kFlyt[] = {
    {VK_PRIOR, ForrigeMaanedsDage},
    {VK_NEXT, [](Dato vist) -> int32_t { return static_cast<int32_t>(DageIMaaned(vist / 100)); }},
    {VK_LEFT, [](Dato) -> int32_t { return -1; }},
    {VK_RIGHT, [](Dato) -> int32_t { return 1; }},
    {VK_UP, [](Dato) -> int32_t { return -7; }},
    {VK_DOWN, [](Dato) -> int32_t { return 7; }},
};

const KalFlyt *FindFlyt(uint32_t tast) {
  for (const KalFlyt &f : kFlyt)
    if (f.tast == tast) return &f;
  return nullptr;
}

// The day number a move comes to; the day number itself when the move
// would leave 1 January 1900 .. 31 December 2099; 0 for no date.
uint32_t FlytDagNr(Dato vist, const KalFlyt &f) {
  static const uint32_t kSidsteDagNr = DatoTilDagNr(20991231);
  const uint32_t nr = DatoTilDagNr(vist);
  if (nr == 0) return 0;
  const int32_t dage = f.Dage(vist);
  if (dage < 0) return nr > static_cast<uint32_t>(-dage) ? nr - static_cast<uint32_t>(-dage) : nr;
  return nr + static_cast<uint32_t>(dage) <= kSidsteDagNr ? nr + static_cast<uint32_t>(dage) : nr;
}

void AabnGenveje(KalInfo *ki, POINT skaerm) {
  CreateShortCutWnd(ki->instance, ki->window, skaerm.x, skaerm.y, &Genveje);
}

bool EgenTast(const TastInfo &t) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return false;
  return FindFlyt(t.wParam) || t.wParam == VK_APPS || (t.wParam == VK_F4 && t.ctrl);
}

// Whether the key does something now (keys the calendar does not treat:
// true); mode KMD_UDFOER carries it out.
bool KalTast(KalInfo *ki, const TastInfo &t, int mode) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return true;
  if (const KalFlyt *f = FindFlyt(t.wParam)) {
    const uint32_t nr = DatoTilDagNr(ki->shownDate);
    const uint32_t ny = FlytDagNr(ki->shownDate, *f);
    if (nr == 0 || ny == nr) return false;
    if (mode == KMD_UDFOER) {
      const Dato gammel = ki->shownDate;
      ki->shownDate = DagNrTilDato(ny);
      if (!SaetProgramDato(ki, ki->shownDate, gammel)) ki->shownDate = gammel;
    }
    return true;
  }
  switch (t.wParam) {
    case VK_APPS:
      if (mode == KMD_UDFOER) {
        POINT p{0, 0};
        GetCursorPos(&p);
        AabnGenveje(ki, p);
      }
      return true;
    case VK_F4:
      return t.ctrl && KmdLukVindue(ki->window, ki->owner, ki->embedded ? 1 : 0, true, mode);
    default:
      return true;
  }
}

// ---- Activation

void Aktiver(HWND hwnd, KalInfo *ki, WPARAM wParam, bool fortaelEjer) {
  if (ki->active) return;
  ki->active = 1;
  ki->shownDate = KalAktuelDato();
  if (!ki->embedded) {
    VinduesListeTilTop(hwnd);
    BringWindowToTop(hwnd);
  }
  if (fortaelEjer) SendMessageA(ki->owner, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(hwnd));
  if (Ki(hwnd) == ki) TegnKalender(ki, ki->shownDate, kKalTegnAlt);
}

void Klik(HWND hwnd, KalInfo *ki, int x, int y) {
  if (!ki->active) {
    const UINT spoerg = ki->embedded ? ELEMENT_MAA_AKTIVERES : ENS_MAA_AKTIVERES;
    if (SendMessageA(ki->owner, spoerg, 0, static_cast<LPARAM>(hwnd)) != 0 && IsWindow(hwnd))
      SendMessageA(hwnd, VINDUE_AKTIVER, 1, 0);
    return;
  }
  const uint32_t dag = KalDagVedPunkt(ki, x, y);
  if (dag == 0) return;
  const Dato d = ki->shownDate / 100 * 100 + dag;
  if (d != ki->shownDate) SaetProgramDato(ki, d, ki->shownDate);
}

void Opret(HWND hwnd, KalInfo *ki) {
  ki->window = hwnd;
  SelectDCPalette(hwnd, &ki->dc, TxtFont);
  ki->charWidth = kTegnB;
  ki->rowHeight = kTekstH;
  ki->weekColumnWidth = UgeKolonneBredde();
  RECT rc;
  GetClientRect(hwnd, &rc);
  ki->width = rc.right;
  ki->height = rc.bottom;
  ki->active = SendMessageA(ki->owner, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(hwnd)) != 0 ? 1 : 0;
  if (!ki->embedded) VinduesListeTilfoej(hwnd);
  if (ki->active) SendMessageA(ki->owner, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(hwnd));
}

void Nedlaeg(HWND hwnd, KalInfo *ki) {
  if (!ki->embedded) {
    VinduesListeFjern(hwnd);
    if (!LukkerAlleVinduer && hwndHoved && IsWindow(hwndHoved))
      SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(hwnd));
  }
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  std::free(ki);
}

}  // namespace

Dato KalAktuelDato() {
  const SkemaPeriodeData &p = SkemaPeriode;
  if (p.AntalUger == 0) return 0;
  const UgeIndeks indeks = std::clamp<UgeIndeks>(p.AktuelUgeIndeks, 1, p.AntalUger);
  uint8_t wd = VisningsTilstand[VISNING_LEKTION].Ugedag;
  if (wd < 1 || wd > 7) wd = 1;  // the whole week shown: its Monday
  return UgeDagTilDato(IndeksTilUge(indeks), wd);
}

int KalBredde(int plads, bool embedded) {
  int b = UgeKolonneBredde() + kKalDageBredde;
  if (!embedded) b += 2 * GetSystemMetrics(SM_CXFRAME);
  return std::min(std::max(b, kKalMindsteBredde), plads);
}

int KalHoejde(int plads, bool embedded) {
  int h = kKalHoejde;
  if (!embedded) h += GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
  return std::min(h, plads);
}

void TegnKalender(KalInfo *ki, Dato dato, int mode) {
  if (!ki || !ki->dc.hdc) return;
  MaanedForm f;
  const bool gyldig = Form(ki->shownDate, &f);
  if (mode == kKalTegnDag) {
    if (!gyldig || dato / 100 != f.m) return;
    const int dag = static_cast<int>(dato % 100);
    if (dag >= 1 && dag <= f.n) TegnDag(ki, f, dag, true, true);
    return;
  }
  if (mode != kKalTegnAlt) return;
  TegnGitter(ki);
  if (!gyldig) return;
  TegnTekstCelle(&ki->dc, kKant + 1, kKant + 1, 0, 16, kMaanedNavne[f.m % 100 - 1], 3, 6);
  for (int c = 1; c < f.fw; ++c) FyldDagCelle(ki, 1, c);
  for (int c = f.lw + 1; c <= 7; ++c) FyldDagCelle(ki, f.raekker, c);
  for (int r = f.raekker + 1; r <= kAntalRaekker; ++r) {
    FyldCelle(ki, kKant + 1, r, ki->weekColumnWidth + 4);
    for (int c = 1; c <= 7; ++c) FyldDagCelle(ki, r, c);
  }
  for (int dag = 1; dag <= f.n; ++dag) TegnDag(ki, f, dag, dag == 1, dag == f.n);
}

uint32_t KalDagVedPunkt(const KalInfo *ki, int x, int y) {
  MaanedForm f;
  if (!ki || !Form(ki->shownDate, &f)) return 0;
  const int r = std::clamp(y < kKant ? 1 : (y - kKant) / kRaekkeH, 1, f.raekker);
  const int x0 = ki->weekColumnWidth + 4;
  const int c = x < x0 ? 0 : std::min((x - x0) / kKolonneB + 1, 8);  // 0 left, 8 right of the days
  int dag;
  if (r == 1) {
    dag = c == 0 ? 1 : c == 8 ? 8 - f.fw : std::max(c - f.fw + 1, 1);
  } else if (r == f.raekker) {
    dag = c == 0 ? f.n - f.lw + 1 : c == 8 ? f.n : std::min(f.n + c - f.lw, f.n);
  } else {
    dag = 7 * r - 6 + std::clamp(c, 1, 7) - f.fw;
  }
  return static_cast<uint32_t>(dag);
}

LRESULT CALLBACK KalWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  KalInfo *ki = Ki(hwnd);
  if (!ki && msg != WM_CREATE) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_CREATE:
      ki = static_cast<KalInfo *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
      if (!ki) return -1;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ki));
      Opret(hwnd, ki);
      return 0;
    case WM_SIZE:
      ki->width = LOWORD(lParam);
      ki->height = HIWORD(lParam);
      ki->charWidth = kTegnB;
      ki->rowHeight = kTekstH;
      ki->weekColumnWidth = UgeKolonneBredde();
      return 0;
    case WM_SIZING: {
      const int b = KalBredde(kStandardPlads, ki->embedded), h = KalHoejde(kStandardPlads, ki->embedded);
      BegraensSizing(hwnd, static_cast<UINT>(wParam), reinterpret_cast<RECT *>(lParam), b, b, h, h);
      return TRUE;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      TegnKalender(ki, ki->shownDate, kKalTegnAlt);
      return 0;
    }
    case WM_SETFOCUS:
      // The main window takes the keys and hands the calendar its own.
      if (hwndHoved && hwndHoved != hwnd && IsWindow(hwndHoved)) SetFocus(hwndHoved);
      return 0;
    case WM_LBUTTONDOWN:
      Klik(hwnd, ki, static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return 0;
    case WM_RBUTTONDOWN: {
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      ClientToScreen(hwnd, &p);
      AabnGenveje(ki, p);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      if (msg == WM_SYSKEYDOWN && !EgenTast(t)) break;
      KalTast(ki, t, KMD_UDFOER);
      return 0;
    }
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t && KalTast(ki, *t, 0) ? 1 : 0;
    }
    case WM_SYSCHAR:
      if (wParam != '-') break;
      SendMessageA(hwnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
      return 0;
    case ENS_BREDDE:
      return KalBredde(kStandardPlads, ki->embedded);
    case ENS_HOEJDE:
      return KalHoejde(kStandardPlads, ki->embedded);
    case TB_RUDE_TEGN:
      TegnKalender(ki, ki->shownDate, kKalTegnAlt);
      return 0;
    case AKTUEL_AENDRET:
      if (!(ki->active && wParam == 0)) FoelgAktuelDato(ki);
      return 0;
    case VINDUE_AKTIVER:
      Aktiver(hwnd, ki, wParam, true);
      return 0;
    case VINDUE_AKTIVER_STILLE:
      Aktiver(hwnd, ki, wParam, false);
      return 0;
    case VINDUE_DEAKTIVER:
      ki->active = 0;
      if (ki->embedded) SendMessageA(ki->owner, ENS_BLEV_INAKTIV, 0, static_cast<LPARAM>(hwnd));
      if (Ki(hwnd) == ki) TegnKalender(ki, ki->shownDate, kKalTegnAlt);
      return 0;
    case VINDUE_SAET_AKTIV:
      ki->active = 1;
      return 0;
    case VINDUE_ART:
      return static_cast<LRESULT>(ki->tag);
    case WM_DESTROY:
      Nedlaeg(hwnd, ki);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegistrerKalKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = KalWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = "KalWndClass";
  return RegisterClassA(&wc) != 0;
}

void AfregistrerKalKlasse(HINSTANCE inst) { UnregisterClassA("KalWndClass", inst); }

HWND CreateKalWnd(HWND owner, int left, int top, int right, int bottom, bool embedded, uint32_t tag) {
  auto *ki = static_cast<KalInfo *>(std::calloc(1, sizeof(KalInfo)));
  if (!ki) return 0;
  ki->instance = hInst;
  ki->owner = owner;
  ki->active = 1;
  ki->embedded = embedded ? 1 : 0;
  ki->tag = tag;
  ki->shownDate = KalAktuelDato();
  const int L = UgeKolonneBredde();
  int b = L + kKalDageBredde, h = kKalHoejde;
  if (!embedded) {
    b += 2 * GetSystemMetrics(SM_CXFRAME);
    h += GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
  }
  const int pladsB = right - left, pladsH = bottom - top;
  b = b < pladsB ? std::max(b, kKalMindsteBredde) : pladsB;
  h = h < pladsH ? h : pladsH;
  const DWORD stil = embedded ? WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN
                              : WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
  const HMENU id = embedded ? 0 : static_cast<HMENU>(tag);
  HWND hwnd = CreateWindowExA(0, "KalWndClass", embedded ? "" : "Kalender", stil, left, top, b, h, owner, id,
                              hInst, ki);
  if (!hwnd) std::free(ki);
  return hwnd;
}
