// Ring systems for display and the ring-time strip. Every id that a message
// brings is checked against the ring-system table and every index against
// the strip's own copies before it is used.

#include "RINGTID.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LISTBOX.h"
#include "OBJFELT.h"
#include "RAMME.h"
#include "RECPRED.h"
#include "tavo/assert.h"

int32_t RingBogstavBredde[2] = {0, 0};
char (*RingeGruppeStrTab)[kRingTekstLaengde] = nullptr;
uint32_t *RingeGruppeTab = nullptr;
uint32_t RingeGruppeAntal = 0;
char (*RingeSingleStrTab)[kRingTekstLaengde] = nullptr;
uint32_t *RingeSingleTab = nullptr;
uint32_t RingeSingleAntal = 0;

namespace {

// Members of each group, parallel to RingeGruppeTab.
uint32_t *RingeTabAntal = nullptr;

constexpr const char *kLektion = "Lektion";

HGDIOBJ ProgramSkrift() { return StdFont ? static_cast<HGDIOBJ>(StdFont) : GetStockObject(DEFAULT_GUI_FONT); }

// Appends at most n characters of s, keeping the terminator inside the text.
void Tilfoej(char (&tekst)[kRingTekstLaengde], const char *s, size_t n) {
  const size_t har = strnlen(tekst, kRingTekstLaengde - 1);
  const size_t plads = kRingTekstLaengde - 1 - har;
  const size_t k = std::min(strnlen(s, n), plads);
  memcpy(tekst + har, s, k);
  tekst[har + k] = '\0';
}

template <size_t N>
void TilfoejFelt(char (&tekst)[kRingTekstLaengde], const char (&felt)[N]) {
  Tilfoej(tekst, felt, N);
}

template <class T>
void Frigiv(T *&p) {
  free(p);
  p = nullptr;
}

// The lessons the lesson view shows, within 1..48.
void VisteLektioner(uint32_t *fra, uint32_t *til) {
  const VisningsTilstandRec &v = VisningsTilstandFor('L');
  *fra = std::max<uint32_t>(v.FoersteSlot, 1);
  *til = std::min<uint32_t>(v.SidsteSlot, 48);
}

bool EnsTider(const RisyRec &a, const RisyRec &b, uint32_t fra, uint32_t til) {
  for (uint32_t l = fra; l <= til; ++l)
    if (a.Starttid[l - 1] != b.Starttid[l - 1]) return false;
  for (uint32_t l = fra; l <= til; ++l)
    if (a.Sluttid[l - 1] != b.Sluttid[l - 1]) return false;
  return true;
}

// The widest of the texts in the program font, + 5.
int32_t Bredde(const char (*tab)[kRingTekstLaengde], uint32_t antal) {
  HDC dc = GetDC(0);
  HGDIOBJ gammel = SelectObject(dc, ProgramSkrift());
  int32_t bredest = 0;
  for (uint32_t i = 0; i < antal; ++i) {
    SIZE s = {0, 0};
    GetTextExtentPoint32A(dc, tab[i], static_cast<int>(strnlen(tab[i], kRingTekstLaengde)), &s);
    bredest = std::max<int32_t>(bredest, s.cx);
  }
  SelectObject(dc, gammel);
  ReleaseDC(0, dc);
  return bredest + 5;
}

void Grupper(uint32_t pladser) {
  RingeGruppeStrTab = static_cast<char(*)[kRingTekstLaengde]>(calloc(pladser, kRingTekstLaengde));
  if (!RingeGruppeStrTab) tavo::AssertFailed("RingeGruppeStrTab != NULL", "RINGTID", __LINE__);
  RingeGruppeTab = static_cast<uint32_t *>(calloc(pladser, sizeof(uint32_t)));
  if (!RingeGruppeTab) tavo::AssertFailed("RingeGruppeTab != NULL", "RINGTID", __LINE__);
  RingeTabAntal = static_cast<uint32_t *>(calloc(pladser, sizeof(uint32_t)));
  if (!RingeTabAntal) tavo::AssertFailed("RingeTabAntal != NULL", "RINGTID", __LINE__);

  Tilfoej(RingeGruppeStrTab[0], kLektion, kRingTekstLaengde);
  RingeTabAntal[0] = 1;
  uint32_t antal = 1;
  uint32_t fra, til;
  VisteLektioner(&fra, &til);
  for (uint32_t r = 1; r < tvrisy.wRecCnt; ++r) {
    RisyRec &ri = *TabRec<RisyRec>(tvrisy, r);
    if (ri.Status != 10 || !ri.Anvendt) continue;
    // Group 0 is no ring system's: the search starts at 1.
    uint32_t g = 1;
    while (g < antal && !EnsTider(ri, *TabRec<RisyRec>(tvrisy, RingeGruppeTab[g]), fra, til)) ++g;
    if (g == antal) {
      TilfoejFelt(RingeGruppeStrTab[g], ri.Ringesystem);
      RingeGruppeTab[g] = r;
      RingeTabAntal[g] = 1;
      ++antal;
    } else {
      // Members two to four are named, the fifth shows that more follow.
      const uint32_t nr = ++RingeTabAntal[g];
      if (nr <= 4) {
        Tilfoej(RingeGruppeStrTab[g], "+", 1);
        TilfoejFelt(RingeGruppeStrTab[g], ri.Ringesystem);
      } else if (nr == 5) {
        Tilfoej(RingeGruppeStrTab[g], "+...", 4);
      }
    }
    ri.RingeGruppe = g;
  }
  RingeGruppeAntal = antal;
}

void Singler(uint32_t pladser) {
  RingeSingleStrTab = static_cast<char(*)[kRingTekstLaengde]>(calloc(pladser, kRingTekstLaengde));
  if (!RingeSingleStrTab) tavo::AssertFailed("RingeSingleStrTab != NULL", "RINGTID", __LINE__);
  RingeSingleTab = static_cast<uint32_t *>(calloc(pladser, sizeof(uint32_t)));
  if (!RingeSingleTab) tavo::AssertFailed("RingeSingleTab != NULL", "RINGTID", __LINE__);
  Tilfoej(RingeSingleStrTab[0], kLektion, kRingTekstLaengde);
  uint32_t antal = 1;
  for (uint32_t r = 1; r < tvrisy.wRecCnt; ++r) {
    const RisyRec &ri = *TabRec<RisyRec>(tvrisy, r);
    if (ri.Status != 10) continue;
    TilfoejFelt(RingeSingleStrTab[antal], ri.Ringesystem);
    Tilfoej(RingeSingleStrTab[antal], " ", 1);
    TilfoejFelt(RingeSingleStrTab[antal], ri.Betegnelse);
    RingeSingleTab[antal] = r;
    ++antal;
  }
  RingeSingleAntal = antal;
}

}  // namespace

void FrigivRingeGrupper() {
  Frigiv(RingeGruppeStrTab);
  Frigiv(RingeGruppeTab);
  Frigiv(RingeTabAntal);
  Frigiv(RingeSingleStrTab);
  Frigiv(RingeSingleTab);
  RingeGruppeAntal = RingeSingleAntal = 0;
  // The field texts must not point into the freed table.
  ObjFeltKilder.RingeGrupper = nullptr;
  ObjFeltKilder.RingeGruppeAntal = 0;
}

void CreateRingeGrupper() {
  FrigivRingeGrupper();

  const uint32_t antalRisy = tvrisy.wRecCnt;
  for (uint32_t r = 1; r < antalRisy; ++r) {
    RisyRec &ri = *TabRec<RisyRec>(tvrisy, r);
    ri.Anvendt = 0;
    ri.RisyOk = ri.Starttid[0] != 0 || ri.Sluttid[0] != 0;
    ri.RingeGruppe = 0;
  }
  for (uint32_t a = 1; a < tvakti.wRecCnt; ++a) {
    AktiRec &ak = *TabRec<AktiRec>(tvakti, a);
    RisyRec *ri = ak.risy_id ? TabRec<RisyRec>(tvrisy, ak.risy_id) : nullptr;
    const bool ok = ri && ri->RisyOk;
    if (ok) ri->Anvendt = 1;
    // Written either way: a flag left from the last rebuild would outlive
    // the times its ring system has lost since.
    ak.RisyOk = ok;
  }

  // Room for every ring system and entry 0.
  const uint32_t pladser = std::max<uint32_t>(antalRisy, 1) + 1;
  Grupper(pladser);
  Singler(pladser);
  RingBogstavBredde[RingBogstavIndeks('G')] = Bredde(RingeGruppeStrTab, RingeGruppeAntal);
  RingBogstavBredde[RingBogstavIndeks('S')] = Bredde(RingeSingleStrTab, RingeSingleAntal);
  ObjFeltKilder.RingeGrupper = RingeGruppeStrTab;
  ObjFeltKilder.RingeGruppeAntal = RingeGruppeAntal;
}

// ==================================================================== the strip

namespace {

RingWS *Ws(HWND h) { return reinterpret_cast<RingWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

// An id the strip acts on: a ring-system record.
bool GyldigId(WPARAM id) { return id >= 1 && id < tvrisy.wRecCnt; }

// The entry of an id; antal when the strip does not hold it.
uint32_t Indeks(const RingWS *s, WPARAM id) {
  uint32_t i = 0;
  while (i < s->antal && s->idTab[i] != id) ++i;
  return i;
}

void Meld(const RingWS *s, uint32_t id) { SendMessageA(s->owner, RING_VALGT, id, 0); }

// The texts and ids of the create record, copied; an empty strip when they
// cannot be.
void KopierTabeller(RingWS *s, const RingOpretInfo &o) {
  if (!o.tekstTab || !o.idTab || o.antal == 0) return;
  s->tekstTab = static_cast<char(*)[kRingTekstLaengde]>(calloc(o.antal, kRingTekstLaengde));
  s->idTab = static_cast<uint32_t *>(calloc(o.antal, sizeof(uint32_t)));
  if (!s->tekstTab || !s->idTab) {
    Frigiv(s->tekstTab);
    Frigiv(s->idTab);
    return;
  }
  memcpy(s->tekstTab, o.tekstTab, static_cast<size_t>(o.antal) * kRingTekstLaengde);
  memcpy(s->idTab, o.idTab, static_cast<size_t>(o.antal) * sizeof(uint32_t));
  for (uint32_t i = 0; i < o.antal; ++i) s->tekstTab[i][kRingTekstLaengde - 1] = '\0';
  s->antal = o.antal;
}

// Drops the list under the strip, kept inside the work area and above the
// strip when it would leave the work area at the bottom; or hides it.
void SkiftListe(RingWS *s, HWND hwnd) {
  if (!s->liste) return;
  if (IsWindowVisible(s->liste)) {
    ShowWindow(s->liste, SW_HIDE);
    if (GetCapture() == s->liste) ReleaseCapture();
    return;
  }
  RECT r;
  GetWindowRect(hwnd, &r);
  const int bredde = std::max<int>(static_cast<int>(s->opret->oensketBredde), r.right - r.left);
  const int hoejde = static_cast<int>(s->antal) * kListBoxRaekke + 2;
  RECT wa;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
  int x = r.left, y = r.bottom;
  if (x + bredde > wa.right) x = wa.right - bredde;
  if (x < wa.left) x = wa.left;
  if (y + hoejde > wa.bottom) y = r.top - hoejde;
  SetWindowPos(s->liste, HWND_TOP, x, y, bredde, hoejde, SWP_SHOWWINDOW);
  SetCapture(s->liste);
  SetFocus(s->liste);
}

LRESULT Opret(HWND hwnd, LPARAM lParam) {
  auto *o = static_cast<RingOpretInfo *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
  if (!o) return -1;
  auto *s = static_cast<RingWS *>(calloc(1, sizeof(RingWS)));
  if (!s) {
    free(o);
    return -1;
  }
  s->opret = o;
  s->parent = GetParent(hwnd);
  s->owner = o->toolbar;
  s->width = o->bredde;
  s->height = o->hoejde;
  s->bogstav = o->bogstav;
  KopierTabeller(s, *o);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(s));
  s->liste = CreateListBoxWnd(o->instance, hwnd, false);
  for (uint32_t i = 0; s->liste && i < s->antal; ++i)
    SendMessageA(s->liste, LISTBOX_TILFOEJ, 0, reinterpret_cast<LPARAM>(s->tekstTab[i]));
  s->dc = GetDC(hwnd);
  SetBkMode(s->dc, TRANSPARENT);
  s->oldFont = static_cast<HFONT>(SelectObject(s->dc, ProgramSkrift()));
  return 0;
}

void Nedlaeg(HWND hwnd, RingWS *s) {
  if (s->dc) SelectObject(s->dc, s->oldFont);
  if (s->liste && IsWindow(s->liste)) DestroyWindow(s->liste);
  free(s->tekstTab);
  free(s->idTab);
  free(s->opret);
  free(s);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
}

void Behandl(HWND hwnd, RingWS *s, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SIZE:
      s->width = static_cast<short>(LOWORD(lParam));
      s->height = static_cast<short>(HIWORD(lParam));
      TegnRingStrip(s);
      return;
    case WM_LBUTTONDOWN:
      if (s->bogstav == 'G')
        SkiftListe(s, hwnd);
      else
        MessageBoxA(hwnd, "Der kan kun skiftes ringetid på fanen 'Ringetid' eller ved at vælge en aktivitet !",
                    "Ringetid", MB_OK | MB_ICONEXCLAMATION);
      return;
    case RING_VAELG_ID: {
      if (!GyldigId(wParam) || (s->aktuel < s->antal && s->idTab[s->aktuel] == wParam)) return;
      const uint32_t i = Indeks(s, wParam);
      if (i == s->antal) return;
      s->aktuel = i;
      TegnRingStrip(s);
      Meld(s, static_cast<uint32_t>(wParam));
      return;
    }
    case ELEMENT_MAA_AKTIVERES:
      TegnRingStrip(s);
      return;
    case RING_NAESTE:
      if (s->antal <= 1) return;
      s->aktuel = s->aktuel + 1 < s->antal ? s->aktuel + 1 : 0;
      TegnRingStrip(s);
      if (GyldigId(s->idTab[s->aktuel])) Meld(s, s->idTab[s->aktuel]);
      return;
    case RING_VIS_ID:
      if (!GyldigId(wParam)) return;
      if (s->bogstav == 'S') {
        const uint32_t i = Indeks(s, wParam);
        if (i < s->antal) {
          s->aktuel = i;
          TegnRingStrip(s);
        }
      }
      if (lParam == 1) Meld(s, static_cast<uint32_t>(wParam));
      return;
    case LISTBOX_VALGT:
      // The list sends -1 when nothing was current.
      if (wParam >= s->antal) return;
      s->aktuel = static_cast<uint32_t>(wParam);
      TegnRingStrip(s);
      Meld(s, s->idTab[s->aktuel]);
      SendMessageA(s->owner, RING_VALGT_INDEKS, 0, 0);
      return;
    default:
      return;
  }
}

}  // namespace

void TegnRingStrip(RingWS *s) {
  if (!s || !s->dc || s->width <= 0 || s->height <= 0) return;
  const int k = EdgeWidth(18);
  DrawFrame3D(s->dc, 0, 0, s->width - 1, s->height - 1, 18);
  FillRectIncl(s->dc, FarveBrush[0] ? FarveBrush[0] : GetSysColorBrush(COLOR_BTNFACE), k, k, s->width - 1 - k,
               s->height - 1 - k);
  if (s->aktuel >= s->antal) return;
  SetTextColor(s->dc, GetSysColor(COLOR_WINDOWTEXT));
  // The wanted width is the widest text + 5: inside the frame it fits.
  RECT r = {k + 1, k, s->width - k, s->height - k};
  DrawTextA(s->dc, s->tekstTab[s->aktuel], -1, &r,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

LRESULT CALLBACK RingWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      if (Opret(hwnd, lParam) != 0) return -1;
      break;
    case WM_DESTROY:
      if (RingWS *s = Ws(hwnd)) Nedlaeg(hwnd, s);
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      TegnRingStrip(Ws(hwnd));
      break;
    }
    default:
      if (RingWS *s = Ws(hwnd)) Behandl(hwnd, s, msg, wParam, lParam);
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegistrerRingKlasse(HINSTANCE inst) {
  WNDCLASSA wc;
  memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = RingWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = "RingWndClass";
  return RegisterClassA(&wc) != 0;
}

void AfregistrerRingKlasse(HINSTANCE inst) { UnregisterClassA("RingWndClass", inst); }
