// The selection window: its creation on the grid frame, its size, the
// message protocol with its opener and its end. The opener's notifications
// may destroy the window, so nothing of the workspace is touched after a
// notification that can end it.

#include "VALG.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "GENVEJ.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "NYBUTTON.h"
#include "PROGVINDUER.h"
#include "SWITCHTEGN.h"
#include "TABOPER.h"
#include "TAVOTB.h"
#include "VINDUER.h"

ValgTastFn ValgTastKrog = nullptr;

namespace {

constexpr int kTitelStrimmel = 22;  // the title line: the toolbar's pane
constexpr int kHovedHoejde = 16;    // the header row with the sort buttons
constexpr int kRaekkeHoejde = 12;   // 11 pixels and the line under a row
constexpr uint32_t kGruppe5 = 0x20;

VWS *Ws(HWND h) { return reinterpret_cast<VWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

const char *TitelAf(uint8_t bogstav) {
  switch (bogstav) {
    case 'K': return " Valg af aktiviteter";
    case 'M': return " Valg af medarbejdere";
    case 'L': return " Valg af lokaler";
    case 'U': return " Valg af skolefag";
    case 'R': return " Valg af ringetid";
  }
  return " ";
}

uint8_t Byte(uint32_t v) { return static_cast<uint8_t>(std::min<uint32_t>(v, 255)); }

// The chosen layout and the number of layouts of the title kind, the mark
// column and the list kind for the window's letter.
void LaesLayoutValg(VWS *v) {
  const uint8_t b = v->Bogstav;
  v->TitelValgt = Byte(ObjSwitchValgt(v->TitelArt, b));
  v->TitelLayoutAntal = Byte(ObjSwitchAntal(v->TitelArt, b));
  v->MaerkeValgt = Byte(ObjSwitchValgt(kValgMaerkeArt, b));
  v->MaerkeLayoutAntal = Byte(ObjSwitchAntal(kValgMaerkeArt, b));
  v->ListeValgt = Byte(ObjSwitchValgt(v->ListeArt, b));
  v->ListeLayoutAntal = Byte(ObjSwitchAntal(v->ListeArt, b));
}

uint32_t MaerkeBredde(const VWS *v) {
  return v->MaerkeGraense ? ObjSwitchBredde(kValgMaerkeArt, v->Bogstav, v->MaerkeValgt) : 0;
}

// The size wanted within the room offered: the room when the size reaches
// it, else at least the least size. A room of 0 asks for the size wanted.
int Begraens(int64_t oenske, uint32_t plads, int64_t mindst) {
  if (plads != 0 && oenske >= plads) return static_cast<int>(std::min<int64_t>(plads, INT_MAX));
  return static_cast<int>(std::min<int64_t>(std::max(oenske, mindst), INT_MAX));
}

uint32_t AntalAktive(const TabDesc *pTd, const TabVar *pTv) {
  if (!pTd || !pTv || !pTv->pbTab) return 0;
  const uint32_t off = pTd->FeltTab[pTd->StatusFelt].Offset;
  uint32_t n = 0;
  for (uint32_t i = 0; i < pTv->wRecCnt; ++i) {
    const uint8_t s = pTv->pbTab[static_cast<size_t>(i) * pTd->RecSize + off];
    n += s >= 10 && s <= 29;
  }
  return n;
}

void Frigiv(VWS *v) {
  Ens &e = v->ens;
  if (!v->pValgListe || e.ObjTab != v->pValgListe->ObjTab) std::free(e.ObjTab);
  FrigivValgListe(v->pValgListe);
  std::free(v->Maerker);
  std::free(e.hwndSwitchButtons);
  std::free(v->hwndSortBut);
  std::free(v);
}

// The rows as the list layout draws them, the current row in the colours
// of an active or inactive window, the room below the last row in colour 0.
void TegnRaekker(VWS *v) {
  Ens &e = v->ens;
  EnsDC *dc = &e.dc[ENSDC_CELLER];
  if (!dc->hdc || e.RudeB[ENS_CELLER] <= 0 || e.RudeH[ENS_CELLER] <= 0) return;
  SwitchRaekkeValg valg;
  valg.hwnd = v->hwnd;
  const int hoejde = e.RudeH[ENS_CELLER];
  int bund = 0;
  const uint32_t foerste = v->PosY.Foerste, antal = e.ObjTabAntal;
  for (uint32_t r = foerste ? foerste : 1; r <= antal && e.ObjTab; ++r) {
    const int y = static_cast<int>(GridCelleStart(&e.AkseY, r)) - static_cast<int>(e.ScrollY);
    if (y >= hoejde) break;
    const uint8_t farve = r == v->PosY.Aktuel ? (e.Aktiv ? 1 : 2) : 0;
    TegnObjSwitchRaekke(dc, -static_cast<int>(e.ScrollX), y, farve, v->ListeArt, v->Bogstav, v->ListeValgt, e.pTd,
                        e.pTv, e.ObjTab[r], &valg);
    bund = y + kRaekkeHoejde;
  }
  HBRUSH b0 = FarveBrush[0] ? FarveBrush[0] : GetSysColorBrush(COLOR_BTNFACE);
  if (bund < hoejde) FillRectIfAny(dc->hdc, b0, 0, std::max(bund, 0), e.RudeB[ENS_CELLER], hoejde);
}

void OnCreate(HWND h, VWS *v) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(v));
  v->hwnd = h;
  Ens &e = v->ens;
  e.hwndParent = GetParent(h);
  e.EgenRamme = 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  const char *caption = v->Forvalgt && v->pValgListe && v->pValgListe->Caption ? v->pValgListe->Caption
                                                                                : TitelAf(v->Bogstav);
  std::snprintf(e.Titel, sizeof e.Titel, "%s", caption);

  if (!v->Forvalgt) v->GruppeMaske = v->Bogstav == 'M' ? HuskGruppe[GRP_ANFO] : kGruppe5;
  LaesLayoutValg(v);

  const int cxf = GetSystemMetrics(SM_CXFRAME), cyf = GetSystemMetrics(SM_CYFRAME);
  e.KolHovedHoejde = kHovedHoejde;
  e.RaekkeHovedBredde = MaerkeBredde(v);
  e.SkiftBredde = static_cast<uint32_t>(v->ListeLayoutAntal * GetSystemMetrics(SM_CXVSCROLL));
  e.hdc = GetDC(h);
  RECT rc;
  GetClientRect(h, &rc);
  e.Areal[0] = cxf;
  e.Areal[1] = cyf + GetSystemMetrics(SM_CYCAPTION) + kTitelStrimmel;
  e.Areal[2] = rc.right - 1 - cxf;
  e.Areal[3] = rc.bottom - 1 - cyf;
  // One pixel per column cell, so the columns scroll by the pixel; rows of
  // 11 pixels and a line.
  e.AkseX = GridAkse{0, 1, 1, 0, 0};
  e.AkseY = GridAkse{0, 11, 1, 0, 1};
  e.StyrX = &v->PosX;
  e.StyrY = &v->PosY;
  EnsCalcLayout(&e);

  e.hwndSwitchButtons = static_cast<HWND *>(std::calloc(v->ListeLayoutAntal + 1u, sizeof(HWND)));
  const bool gruppeKnap = !v->Forvalgt && GruppeArtIndeks(static_cast<char>(v->Bogstav)) >= 0;
  const uint32_t toolbar[7] = {v->Bogstav, 0, v->Forvalgt ? 0 : v->GruppeMaske, 0, gruppeKnap ? 1u : 0u, 0,
                               ObjSwitchBredde(v->TitelArt, v->Bogstav, v->TitelValgt)};
  EnsCreateChildren(&e, h, v->ListeLayoutAntal, toolbar, TxtFont, true, true, nullptr);
  // Only the close button stays on the caption.
  if (e.hwndMaks) DestroyWindow(e.hwndMaks);
  if (e.hwndMin) DestroyWindow(e.hwndMin);
  e.hwndMaks = e.hwndMin = 0;
  VinduesListeTilfoej(h);
  if (e.hwndSwitchButtons && v->ListeValgt < v->ListeLayoutAntal && e.hwndSwitchButtons[v->ListeValgt])
    SendMessageA(e.hwndSwitchButtons[v->ListeValgt], NYB_LAAS_NED, 0, 0);

  const uint32_t antalRec = e.pTv ? e.pTv->wRecCnt : 0;
  if (!v->Forvalgt) {
    e.ObjTab = static_cast<uint32_t *>(std::calloc(antalRec + 1, sizeof(uint32_t)));
    v->ObjTabPladser = e.ObjTab ? antalRec + 1 : 0;
  }
  if (!v->Forvalgt || v->MaerkeGraense) {
    v->Maerker = static_cast<uint8_t *>(std::calloc(std::max<uint32_t>(antalRec, 1), 1));
    v->MaerkeAntal = v->Maerker ? std::max<uint32_t>(antalRec, 1) : 0;
  }

  v->SortKolonne = 0;
  v->Faldende = 0;
  v->PosX = GridPos{ObjSwitchBredde(v->ListeArt, v->Bogstav, v->ListeValgt), 1, 0, 1};
  v->PosY = GridPos{0, 1, 0, 0};
  e.ScrollX = e.ScrollY = 0;
  OpdaterValgListe(v);
  e.Aktiv = e.CaptionAktiv = 1;
  SetFocus(h);
}

void OnDestroy(HWND h, VWS *v) {
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  VinduesListeFjern(h);
  SendMessageA(hwndHoved, HOVED_POPUP_LUKKET, 0, 0);
  if (v->hwndFokus && IsWindow(v->hwndFokus)) SetFocus(v->hwndFokus);
  Frigiv(v);
}

// 1100 and 1135.
void Aktiver(HWND h, VWS *v, UINT msg, WPARAM wParam) {
  Ens &e = v->ens;
  e.CaptionAktiv = 1;
  if (e.Aktiv) return;
  e.Aktiv = 1;
  if (msg == ENS_AKTIVER) {
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, (LPARAM)h);
    if (Ws(h) != v) return;
  }
  ValgTegn(v);
  SendMessageA(v->hwndMaal, VALG_AKTUEL_SKIFTET, v->Bogstav, ValgAktuelRec(v));
}

void Knap(HWND h, VWS *v, WPARAM id) {
  switch (id) {
    case NYB_LUK:
      ValgAfslut(v, VK_ESCAPE, 0);
      return;
    case NYB_MAKSIMER:
      EnsMaximize(h, &v->ens);
      return;
    case NYB_MINIMER:
      EnsMinimize(h, &v->ens);
      return;
  }
}

}  // namespace

// ==================================================================== size

int ValgVinduesBredde(const VWS *v, uint32_t plads) {
  int64_t b = ObjSwitchBredde(v->ListeArt, v->Bogstav, v->ListeValgt);
  b += MaerkeBredde(v);
  b += GetSystemMetrics(SM_CXVSCROLL) + 3;
  if (v->Rammet) b += 2 * GetSystemMetrics(SM_CXFRAME);
  return Begraens(b, plads, 150);
}

int ValgVinduesHoejde(const VWS *v, uint32_t plads) {
  int64_t raekker = v->Forvalgt ? v->ens.ObjTabAntal : AntalAktive(v->ens.pTd, v->ens.pTv);
  raekker = std::max<int64_t>(raekker, 5);
  int64_t h = GetSystemMetrics(SM_CYHSCROLL) + 3 + kRaekkeHoejde * raekker + 40;
  if (v->Rammet) h += GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
  return Begraens(h, plads, 100);
}

// ==================================================================== state

uint32_t ValgAktuelRec(const VWS *v) {
  const uint32_t r = v->PosY.Aktuel;
  return v->ens.ObjTab && r >= 1 && r <= v->ens.ObjTabAntal ? v->ens.ObjTab[r] : 0;
}

bool ValgKanSkifte(const VWS *v) {
  if (v->PosY.Aktuel == 0 || v->ens.ObjTabAntal == 0) return true;
  const uint32_t rec = ValgAktuelRec(v);
  const uint8_t m = v->Maerker && rec < v->MaerkeAntal ? v->Maerker[rec] : 0;
  if (m & kValgMarkeret) return true;
  return rec != 0 && (m & (kValgMarkeret | kValgSpaerret)) == 0 &&
         (v->MarkeretAntal < v->MaerkeGraense || v->MaerkeGraense == 1);
}

void ValgAfslut(VWS *v, UINT tast, LPARAM lParam) {
  const HWND h = v->hwnd, maal = v->hwndMaal;
  const WPARAM bogstav = v->Bogstav;
  if (tast == VK_RETURN) {
    if (!v->Forvalgt) SendMessageA(maal, VALG_AFSLUTTET, VK_RETURN, lParam);
  } else if (tast == VK_ESCAPE) {
    v->ens.SoegTekst[0] = 0;
    if (v->MaerkeGraense) {
      bool ryddet = false;
      for (uint32_t i = 0; v->Maerker && i < v->MaerkeAntal; ++i)
        if (v->Maerker[i] & kValgMarkeret) {
          v->Maerker[i] &= static_cast<uint8_t>(~kValgMarkeret);
          ryddet = true;
        }
      v->MarkeretAntal = 0;
      if (ryddet) SendMessageA(maal, VALG_ALLE_AFMARKERET, bogstav, ValgAktuelRec(v));
      if (IsWindow(h)) SendMessageA(maal, VALG_AFSLUTTET, VK_ESCAPE, lParam);
    }
  }
  if (IsWindow(h)) DestroyWindow(h);
}

void ValgTegn(VWS *v) {
  EnsPaintFrame(&v->ens);
  TegnRaekker(v);
}

// ==================================================================== window

HWND CreateValgWnd(HINSTANCE inst, HWND maal, uint8_t bogstav, int venstre, int top, int hoejre, int bund,
                   uint32_t maerkeGraense, uint32_t, uint8_t forvalgt, ValgListe *liste, uint32_t openerVaerdi) {
  auto *v = static_cast<VWS *>(std::calloc(1, sizeof(VWS)));
  if (!v) {
    FrigivValgListe(liste);
    return 0;
  }
  v->ens.hInstance = inst;
  v->hwndMaal = maal;
  v->Bogstav = bogstav;
  v->Rammet = 1;
  v->Forvalgt = forvalgt ? 1 : 0;
  v->MarkeretAntal = 0;
  v->MaerkeGraense = maerkeGraense;
  v->pValgListe = liste;
  v->OpenerVaerdi = openerVaerdi;
  v->hwndFokus = GetFocus();
  v->TitelArt = kValgTitelArt;
  v->ListeArt = kValgListeArt;
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  TabFromType(bogstav, &pTd, &pTv);
  v->ens.pTd = pTd;
  v->ens.pTv = pTv;
  if (v->Forvalgt && liste) {
    v->ens.ObjTab = liste->ObjTab;
    v->ens.ObjTabAntal = liste->ObjTab ? liste->Antal : 0;
    v->ListeArt = liste->ListeArt;
    v->TitelArt = liste->TitelArt;
  }
  // The size follows the layout the user chose, so the choice is read
  // before the size is asked (the window reads it again when it is made).
  LaesLayoutValg(v);
  const int b = ValgVinduesBredde(v, static_cast<uint32_t>(std::max(hoejre - venstre, 0)));
  const int h = ValgVinduesHoejde(v, static_cast<uint32_t>(std::max(bund - top, 0)));
  HWND hwnd = CreateWindowExA(0, "ValgWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top, b,
                              h, maal, (HMENU)kValgVindueId, inst, v);
  if (!hwnd) {
    if (!v->hwnd) Frigiv(v);
    return 0;
  }
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  BringWindowToTop(hwnd);
  SendMessageA(hwndHoved, HOVED_POPUP_AABEN, 0, (LPARAM)hwnd);
  return hwnd;
}

LRESULT CALLBACK ValgWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    OnCreate(h, static_cast<VWS *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams));
    return 0;
  }
  VWS *v = Ws(h);
  if (!v) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = v->ens;
  switch (msg) {
    case WM_DESTROY:
      OnDestroy(h, v);
      return 0;
    case WM_SETFOCUS:
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      ValgTegn(v);
      return 0;
    }
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), v->ListeLayoutAntal);
        ValgTegn(v);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) TegnRaekker(v);
      return 0;
    case ENS_CELLER_TEGN:
      TegnRaekker(v);
      return 0;

    case ENS_BREDDE:
      return ValgVinduesBredde(v, static_cast<uint32_t>(wParam));
    case ENS_HOEJDE:
      return ValgVinduesHoejde(v, static_cast<uint32_t>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case ENS_AKTIVER:
    case VALG_AKTIVER_STILLE:
      Aktiver(h, v, msg, wParam);
      return 0;
    case ENS_DEAKTIVER:
      e.Aktiv = e.CaptionAktiv = 0;
      ValgTegn(v);
      return 0;
    case VALG_TEGN_MED: {
      const uint8_t aktiv = e.Aktiv;
      e.Aktiv = wParam ? 1 : 0;
      ValgTegn(v);
      e.Aktiv = aktiv;
      e.CaptionAktiv = lParam ? 1 : 0;
      EnsPaintCaption(&e);
      return 0;
    }
    case VALG_SAET_AKTIV:
      e.Aktiv = e.CaptionAktiv = 1;
      return 0;
    case VALG_VAERDI:
      return v->OpenerVaerdi;
    case VALG_MAERKER:
      return reinterpret_cast<LRESULT>(v->Maerker);
    case VALG_GENOPBYG_HVIS:
      if (!wParam) return 0;
      [[fallthrough]];
    case VALG_GENOPBYG:
    case VALG_GENOPBYG2:
      OpdaterValgListe(v);
      if (Ws(h) == v) ValgTegn(v);
      return 0;
    case VALG_GENOPBYG_DATO:
      if (v->Bogstav == 'K' && e.hwndToolbar) SendMessageA(e.hwndToolbar, TB_GRUPPE_INDEKS, 5, 0);
      if (Ws(h) != v) return 0;
      ValgGenopbyg(v, static_cast<uint32_t>(lParam));
      ValgTegn(v);
      return 0;
    case VALG_SAET_ANTAL:
      v->MarkeretAntal = static_cast<uint32_t>(wParam);
      return 0;
    case VALG_AKTUEL:
      return ValgAktuelRec(v);
    case VALG_KAN_SKIFTE:
      return ValgKanSkifte(v) ? 1 : 0;
    case TAST_SPOERG:
    case TAST_MODTAG:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
      if (ValgTastKrog) return ValgTastKrog(v, msg, wParam, lParam);
      if (msg == TAST_SPOERG || msg == TAST_MODTAG) return 0;
      break;
    case NYB_KLIK:
      Knap(h, v, wParam);
      return 0;
    case GRUPPE_VALGT:
      if (wParam > static_cast<WPARAM>(kGruppeAlle)) return 0;
      v->GruppeMaske = wParam == static_cast<WPARAM>(kGruppeAlle) ? kAlleGrupper : 1u << wParam;
      OpdaterValgListe(v);
      if (Ws(h) == v) ValgTegn(v);
      return 0;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

// ==================================================================== registration

bool RegistrerValgKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = ValgWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = "ValgWndClass";
  return RegisterClassA(&wc) != 0;
}

void AfregistrerValgKlasse(HINSTANCE inst) { UnregisterClassA("ValgWndClass", inst); }
