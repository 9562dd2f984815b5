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

#include "ARRANGER.h"
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

namespace {

constexpr int kTitelStrimmel = 22;  // the title line: the toolbar's pane
constexpr uint32_t kGruppe5 = 0x20;
constexpr uint32_t kFuldLayout = 0x7FFFFFFF;  // the room that asks for the whole layout

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
  e.KolHovedHoejde = kValgKnapHoejde;
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
  OpretSorterKnapper(v);

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
  SendMessageA(hwndHoved, HOVED_INPUT_LUKKET, 0, 0);
  if (v->hwndFokus && IsWindow(v->hwndFokus)) SetFocus(v->hwndFokus);
  Frigiv(v);
}

// 1100 and 1135.
void Aktiver(HWND h, VWS *v, UINT msg, WPARAM wParam) {
  Ens &e = v->ens;
  e.CaptionAktiv = 1;
  if (e.Aktiv) return;
  e.Aktiv = 1;
  if (msg == VINDUE_AKTIVER) {
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, (LPARAM)h);
    if (Ws(h) != v) return;
  }
  TegnValgVindue(v);
  SendMessageA(v->hwndMaal, VALG_AKTUEL_SKIFTET, v->Bogstav, ValgAktuelRec(v));
}

// 2124: the sort buttons, the layout buttons and the caption buttons.
void Knap(HWND h, VWS *v, WPARAM id) {
  if (id >= kValgSortId && id < kValgLayoutId) return ValgSorterKolonne(v, static_cast<uint32_t>(id - kValgSortId));
  if (id >= kValgLayoutId && id < kValgLayoutId + 100)
    return ValgSkiftLayout(v, static_cast<uint32_t>(id - kValgLayoutId));
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
  return Begraens(b, plads, kValgMindsteBredde);
}

int ValgVinduesHoejde(const VWS *v, uint32_t plads) {
  int64_t raekker = v->Forvalgt ? v->ens.ObjTabAntal : AntalAktive(v->ens.pTd, v->ens.pTv);
  raekker = std::max<int64_t>(raekker, 5);
  int64_t h = GetSystemMetrics(SM_CYHSCROLL) + 3 + kValgRaekkeHoejde * raekker + 40;
  if (v->Rammet) h += GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFRAME);
  return Begraens(h, plads, kValgMindsteHoejde);
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
  SendMessageA(hwndHoved, HOVED_INPUT_AABEN, 0, (LPARAM)hwnd);
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
      TegnValgVindue(v);
      return 0;
    }

    // ---- size and scrolling
    case WM_GETMINMAXINFO: {
      auto *mmi = reinterpret_cast<MINMAXINFO *>(lParam);
      mmi->ptMaxTrackSize.x = ValgVinduesBredde(v, static_cast<uint32_t>(std::max<LONG>(mmi->ptMaxTrackSize.x, 0)));
      mmi->ptMaxTrackSize.y = ValgVinduesHoejde(v, static_cast<uint32_t>(std::max<LONG>(mmi->ptMaxTrackSize.y, 0)));
      return 0;
    }
    case WM_SIZING:
      BegraensSizing(h, static_cast<UINT>(wParam), reinterpret_cast<RECT *>(lParam), kValgMindsteBredde,
                     ValgVinduesBredde(v, kFuldLayout), kValgMindsteHoejde, ValgVinduesHoejde(v, kFuldLayout));
      return TRUE;
    case WM_SIZE:
      if (wParam == SIZE_RESTORED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), v->ListeLayoutAntal);
        TegnValgVindue(v);
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      switch (EnsOnScroll(&e, msg, wParam)) {
        case 8:
          TegnValgHoved(v);
          TegnValgRaekker(v);
          break;
        case 16:
          TegnValgMaerker(v);
          TegnValgRaekker(v);
          break;
      }
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;

    // ---- the panes' relays
    case TB_RUDE_TEGN:
      TegnValgTitel(v);
      return 0;
    case ENS_KOLHOVED_TEGN:
      TegnValgHoved(v);
      return 0;
    case ENS_RAEKKEHOVED_TEGN:
      TegnValgMaerker(v);
      return 0;
    case ENS_CELLER_TEGN:
      TegnValgRaekker(v);
      return 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      ValgKlik(v, msg, lParam);
      return 0;
    case ENS_RAEKKEHOVED_DBL:
    case ENS_CELLER_DBL:
      ValgDobbeltKlik(v, msg, lParam);
      return 0;

    // ---- the frame's mouse
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_MOUSELEAVE:
      SetClassLongPtrA(h, GCLP_HCURSOR, (LONG_PTR)LoadCursorA(0, IDC_ARROW));
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_RBUTTONDOWN:
      ValgHoejreklik(v);
      return 0;
    case WM_NCLBUTTONDOWN:
      if (e.Aktiv) break;
      ValgIkkeKlientKlik(v);
      return 0;

    // ---- the opener's and the frame's messages
    case ENS_BREDDE:
      return ValgVinduesBredde(v, static_cast<uint32_t>(wParam));
    case ENS_HOEJDE:
      return ValgVinduesHoejde(v, static_cast<uint32_t>(wParam));
    case ENS_MINSLOT:
      return e.MinSlot;
    case ENS_TILSTAND:
      return e.Tilstand;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, v, msg, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = e.CaptionAktiv = 0;
      TegnValgVindue(v);
      return 0;
    case VINDUE_TEGN_MED: {
      const uint8_t aktiv = e.Aktiv;
      e.Aktiv = wParam ? 1 : 0;
      TegnValgVindue(v);
      e.Aktiv = aktiv;
      e.CaptionAktiv = lParam ? 1 : 0;
      EnsPaintCaption(&e);
      return 0;
    }
    case VINDUE_SAET_AKTIV:
      e.Aktiv = e.CaptionAktiv = 1;
      return 0;
    case VINDUE_ART:
      return v->OpenerVaerdi;
    case VALG_MAERKER:
      return reinterpret_cast<LRESULT>(v->Maerker);
    case VALG_GENOPBYG_HVIS:
      if (!wParam) return 0;
      [[fallthrough]];
    case VALG_GENOPBYG:
    case VALG_GENOPBYG2:
      OpdaterValgListe(v);
      if (Ws(h) == v) TegnValgVindue(v);
      return 0;
    case VALG_GENOPBYG_DATO:
      if (v->Bogstav == 'K' && e.hwndToolbar) SendMessageA(e.hwndToolbar, TB_GRUPPE_INDEKS, 5, 0);
      if (Ws(h) != v) return 0;
      ValgGenopbyg(v, static_cast<uint32_t>(lParam));
      TegnValgVindue(v);
      return 0;
    case VALG_SAET_ANTAL:
      v->MarkeretAntal = static_cast<uint32_t>(wParam);
      return 0;
    case VALG_AKTUEL:
      return ValgAktuelRec(v);
    case VALG_KAN_SKIFTE:
      return ValgKanSkifte(v) ? 1 : 0;
    case NYB_KLIK:
      Knap(h, v, wParam);
      return 0;
    case GRUPPE_VALGT:
      if (wParam > static_cast<WPARAM>(kGruppeAlle)) return 0;
      v->GruppeMaske = wParam == static_cast<WPARAM>(kGruppeAlle) ? kAlleGrupper : 1u << wParam;
      OpdaterValgListe(v);
      if (Ws(h) == v) TegnValgVindue(v);
      return 0;

    // ---- keys
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG:
      if (ValgTastNed(v, msg, wParam, lParam) || msg != WM_SYSKEYDOWN) return 0;
      break;
    case TAST_SPOERG:
      return ValgTastSpoerg(v, reinterpret_cast<const TastInfo *>(lParam)) ? 1 : 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      ValgTastOp(v, wParam);
      if (msg == WM_KEYUP) return 0;
      break;
    case WM_SYSCHAR:
      if (wParam != '-') break;
      SendMessageA(h, WM_SYSCOMMAND, SC_KEYMENU, ' ');
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
