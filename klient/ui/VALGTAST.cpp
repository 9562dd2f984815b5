// The selection window's keys, marking and mouse. Every key, typed or
// handed over as a key record, runs through one key command in execute
// mode; the pick list asks the same command in test mode. The opener may
// end the window from any notification, so nothing of the workspace is
// touched after a send unless the window still holds it.

#include <algorithm>
#include <array>
#include <cstring>

#include "ARRANGER.h"
#include "ENSMUS.h"
#include "GENVEJ.h"
#include "GRUPPEKNAP.h"
#include "INDSTIL.h"
#include "RAMME.h"
#include "TAVOTB.h"
#include "VALG.h"

namespace {

VWS *Ws(HWND h) { return reinterpret_cast<VWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }
bool Lever(const VWS *v, HWND h) { return IsWindow(h) && Ws(h) == v; }

// The keypad's digits, minus and decimal point as the main keys give them.
UINT Hovedtast(UINT tast) {
  if (tast >= VK_NUMPAD0 && tast <= VK_NUMPAD9) return '0' + (tast - VK_NUMPAD0);
  if (tast == VK_SUBTRACT) return VK_OEM_MINUS;
  if (tast == VK_DECIMAL) return VK_OEM_COMMA;
  return tast;
}

// A modifier of a key record as the grid functions take it: negative when
// held (records from the pick list's tables hold 1, not -1).
int Holdt(int32_t tilstand) { return tilstand ? -1 : 0; }

uint8_t *MaerkeAf(VWS *v, uint32_t rec) {
  return v->Maerker && rec < v->MaerkeAntal ? &v->Maerker[rec] : nullptr;
}

// The current record when there is one to mark; 0 otherwise.
uint32_t MaerkbarRec(const VWS *v) {
  if (!v->MaerkeGraense || !v->Maerker || v->PosY.Aktuel == 0 || v->ens.ObjTabAntal == 0) return 0;
  return ValgAktuelRec(v);
}

bool KanSaettes(const VWS *v, uint32_t rec) {
  if (rec == 0 || rec >= v->MaerkeAntal || (v->Maerker[rec] & (kValgMarkeret | kValgSpaerret))) return false;
  return v->MarkeretAntal < v->MaerkeGraense || v->MaerkeGraense == 1;
}

// Unmarks the record and tells the opener.
void Fjern(VWS *v, uint32_t rec) {
  v->Maerker[rec] &= static_cast<uint8_t>(~kValgMarkeret);
  if (v->MarkeretAntal > 0) --v->MarkeretAntal;
  SendMessageA(v->hwndMaal, VALG_AFMARKERET, v->Bogstav, rec);
}

// Marks the record and tells the opener; a single choice first clears
// every other mark of the table.
void Saet(VWS *v, uint32_t rec) {
  const HWND h = v->hwnd;
  if (v->MaerkeGraense == 1) {
    for (uint32_t i = 0; i < v->MaerkeAntal; ++i) v->Maerker[i] &= static_cast<uint8_t>(~kValgMarkeret);
    v->MarkeretAntal = 0;
    SendMessageA(v->hwndMaal, VALG_ALLE_AFMARKERET, v->Bogstav, 0);
    if (!Lever(v, h)) return;
  }
  // The opener may have rebuilt the list, and the arrays with it.
  uint8_t *m = MaerkeAf(v, rec);
  if (!m) return;
  *m |= kValgMarkeret;
  ++v->MarkeretAntal;
  SendMessageA(v->hwndMaal, VALG_MARKERET, v->Bogstav, rec);
}

// Ctrl released: digits typed with it (and nothing else) choose a group.
void CtrlSluppet(VWS *v) {
  char *tekst = v->ens.SoegTekst;
  const size_t n = strnlen(tekst, sizeof v->ens.SoegTekst);
  size_t cifre = 0;
  uint32_t tal = 0;
  for (size_t i = 0; i < n; ++i)
    if (tekst[i] >= '0' && tekst[i] <= '9') {
      ++cifre;
      tal = std::min<uint32_t>(tal * 10 + static_cast<uint32_t>(tekst[i] - '0'), 1000);
    }
  // A buffer of letters alone is the type-ahead's and stays.
  if (cifre == 0) return;
  tekst[0] = 0;
  // Letters typed before Ctrl make no group number.
  if (cifre != n || tal >= static_cast<uint32_t>(kGruppeAlle)) return;
  if (v->ens.hwndToolbar) SendMessageA(v->ens.hwndToolbar, TB_GRUPPE_INDEKS, tal, 0);
}

// What follows a key the window took: Enter and Esc end the window, Ctrl+F4
// is Esc, the marking keys and arrows end a type-ahead, and the view
// follows the current row and column.
void EfterTast(VWS *v, const TastInfo &t) {
  const HWND h = v->hwnd;
  switch (t.wParam) {
    case VK_RETURN:
    case VK_ESCAPE:
      ValgAfslut(v, t.wParam, static_cast<LPARAM>(t.lParam));
      return;
    case VK_F4:
      if (!t.ctrl) break;
      SendMessageA(h, WM_KEYDOWN, VK_ESCAPE, 0);
      return;
    case VK_SPACE:
    case VK_INSERT:
    case VK_DELETE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      v->ens.SoegTekst[0] = 0;
      break;
  }
  OpdaterValgVisning(v);
}

// A click on an inactive window asks the parent first; a refusal swallows
// the click.
bool KlikAktiverer(VWS *v) {
  Ens &e = v->ens;
  if (e.Aktiv) return true;
  const HWND h = v->hwnd;
  if (!SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, (LPARAM)h)) return false;
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return Lever(v, h) && e.Aktiv;
}

// The row under a pane's y, which may lie below the last row.
uint32_t RaekkeVed(const VWS *v, LPARAM lParam) {
  const int y = std::max<int>(static_cast<short>(HIWORD(lParam)), 0);
  return GridPixelTilCelle(&v->ens.AkseY, static_cast<uint32_t>(y) + v->ens.ScrollY);
}

void FortaelAktuel(VWS *v) {
  SendMessageA(v->hwndMaal, VALG_AKTUEL_SKIFTET, v->Bogstav, ValgAktuelRec(v));
}

// The pick list's keys: activity lists and the others differ only in what
// marking is called.
constexpr ShortCutPost Genvej(UINT tast, int32_t ctrl, const char *navn, const char *beskrivelse) {
  return {{0, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0}, navn, beskrivelse};
}
constexpr std::array<ShortCutPost, 6> Genveje(const char *markering) {
  return {{Genvej(VK_F3, 0, "<F3>", "Maksimer / gendan aktuelt vindue."),
           Genvej(VK_F4, 1, "<Ctrl> + <F4>", "Luk fokus vindue."),
           Genvej(VK_SPACE, 0, "<Mellemrum>", markering),
           Genvej(VK_SPACE, 0, "<Dblt klik v. musetast>", markering),
           Genvej(VK_ESCAPE, 0, "<Escape>", "Luk vindue."),
           {{}, "", ""}}};
}
constexpr auto kAktiGenveje = Genveje("Tilføj / slet aktivitet.");
constexpr auto kAndreGenveje = Genveje("Tilføj / slet medarbejder.");
ShortCutTabel AktiTabel{0, kAktiGenveje.data()};
ShortCutTabel AndreTabel{0, kAndreGenveje.data()};

}  // namespace

// ==================================================================== marking

bool ValgSkiftMaerke(VWS *v, int mode) {
  const uint32_t rec = MaerkbarRec(v);
  const uint8_t *m = MaerkeAf(v, rec);
  if (!m) return false;
  if (*m & kValgMarkeret) {
    if (mode == KMD_UDFOER) Fjern(v, rec);
    return true;
  }
  if (!KanSaettes(v, rec)) return false;
  if (mode == KMD_UDFOER) Saet(v, rec);
  return true;
}

bool ValgSaetMaerke(VWS *v, int mode) {
  const uint32_t rec = MaerkbarRec(v);
  if (!MaerkeAf(v, rec) || !KanSaettes(v, rec)) return false;
  if (mode == KMD_UDFOER) Saet(v, rec);
  return true;
}

bool ValgFjernMaerke(VWS *v, int mode) {
  const uint32_t rec = MaerkbarRec(v);
  const uint8_t *m = MaerkeAf(v, rec);
  if (!m || !(*m & kValgMarkeret)) return false;
  if (mode == KMD_UDFOER) Fjern(v, rec);
  return true;
}

// ==================================================================== keys

bool ValgTast(VWS *v, const TastInfo *t, int mode) {
  const UINT tast = t->wParam;
  const bool ctrl = t->ctrl != 0, shift = t->shift != 0;
  const int proeve = mode == KMD_UDFOER ? 0 : 1;
  Ens &e = v->ens;
  switch (tast) {
    case VK_SPACE:
      return ValgSkiftMaerke(v, mode);
    case VK_INSERT:
      return ValgSaetMaerke(v, mode);
    case VK_DELETE:
      return ValgFjernMaerke(v, mode);
    case VK_LEFT:
    case VK_RIGHT:
      GridTastFlytTrin(&v->PosX, tast, Holdt(t->ctrl), Holdt(t->alt), false, proeve);
      return true;
    case VK_UP:
    case VK_DOWN:
      GridTastFlytTrin(&v->PosY, tast, Holdt(t->ctrl), Holdt(t->alt), false, proeve);
      return true;
    case 'A':
      // Ctrl+A: every group, through the toolbar.
      if (ctrl) GridCifferIndtast(e.hwndToolbar, tast, false, true, 0, e.SoegTekst, sizeof e.SoegTekst, mode);
      return true;
    case VK_APPS:
      return KmdHoejreklik(v->hwnd, 0, 0, mode);
  }
  if (tast >= '0' && tast <= '9') {
    // With Ctrl a group number is typed (chosen when Ctrl is released);
    // with Shift the digit chooses that layout of the list.
    if (ctrl)
      GridCifferIndtast(e.hwndToolbar, tast, false, true, v->ListeLayoutAntal, e.SoegTekst, sizeof e.SoegTekst, mode);
    else if (shift)
      GridCifferIndtast(v->hwnd, tast, true, false, v->ListeLayoutAntal, e.SoegTekst, sizeof e.SoegTekst, mode);
    return true;
  }
  return tast >= VK_RETURN && tast <= VK_F4;
}

bool ValgTastNed(VWS *v, UINT msg, WPARAM wParam, LPARAM lParam) {
  TastInfo t;
  MakeTastInfo(&t, msg, wParam, lParam);
  t.wParam = Hovedtast(t.wParam);
  const HWND h = v->hwnd;
  if (EnsTypeAhead(&v->ens, &v->PosY, t.wParam)) {
    OpdaterValgVisning(v);
    return true;
  }
  if (GlobalIndstillinger.tastlog) TastLogKey(&t);
  if (!ValgTast(v, &t, KMD_UDFOER)) return false;
  if (Lever(v, h)) EfterTast(v, t);
  return true;
}

bool ValgTastSpoerg(VWS *v, const TastInfo *tast) {
  if (!tast) return false;
  TastInfo t = *tast;
  t.wParam = Hovedtast(t.wParam);
  return ValgTast(v, &t, 1);
}

void ValgTastOp(VWS *v, WPARAM tast) {
  if (tast == VK_CONTROL) {
    CtrlSluppet(v);
  } else if ((tast == VK_UP || tast == VK_DOWN) && v->ens.Aktiv) {
    FortaelAktuel(v);
  }
}

// ==================================================================== mouse

void ValgKlik(VWS *v, UINT msg, LPARAM lParam) {
  const HWND h = v->hwnd;
  if (!KlikAktiverer(v)) return;
  Ens &e = v->ens;
  if (msg == ENS_KOLHOVED_NED || msg == ENS_CELLER_NED) {
    const int x = std::max<int>(static_cast<short>(LOWORD(lParam)), 0);
    v->PosX.Aktuel = std::min(GridPixelTilCelle(&e.AkseX, static_cast<uint32_t>(x) + e.ScrollX), uint32_t{v->PosX.Antal});
  }
  if (msg == ENS_RAEKKEHOVED_NED || msg == ENS_CELLER_NED) {
    const uint32_t foer = v->PosY.Aktuel;
    v->PosY.Aktuel = std::min(RaekkeVed(v, lParam), uint32_t{e.ObjTabAntal});
    if (v->PosY.Aktuel != foer) {
      FortaelAktuel(v);
      if (!Lever(v, h)) return;
    }
  }
  OpdaterValgVisning(v);
}

void ValgDobbeltKlik(VWS *v, UINT, LPARAM lParam) {
  const HWND h = v->hwnd;
  if (!KlikAktiverer(v) || v->ens.ObjTabAntal == 0) return;
  const uint32_t raekke = RaekkeVed(v, lParam);
  if (raekke >= 1 && raekke <= v->ens.ObjTabAntal) {
    v->PosY.Aktuel = raekke;
    SendMessageA(h, WM_KEYDOWN, VK_SPACE, 0);
    return;
  }
  v->PosY.Aktuel = v->ens.ObjTabAntal;
  OpdaterValgVisning(v);
  if (Lever(v, h) && v->ens.Aktiv) FortaelAktuel(v);
}

void ValgHoejreklik(VWS *v) {
  const HWND h = v->hwnd;
  EnsActivateOnClick(h, &v->ens);
  if (!Lever(v, h) || !v->ens.Aktiv) return;
  POINT p{0, 0};
  GetCursorPos(&p);
  CreateShortCutWnd(v->ens.hInstance, h, p.x, p.y, v->Bogstav == 'K' ? &AktiTabel : &AndreTabel);
}

void ValgIkkeKlientKlik(VWS *v) {
  const Ens &e = v->ens;
  const LPARAM h = (LPARAM)v->hwnd;
  if (SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, h)) SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, h);
}
