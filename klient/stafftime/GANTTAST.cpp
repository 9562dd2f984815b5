// The Gantt window's keys: one table of what a key may do in test mode
// (asked, nothing happens) and does in execute mode, and the step after a
// key that lets the active window drive the program's current record,
// week and date.

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "AKTICHK.h"
#include "ARRANGER.h"
#include "AVSHJAELP.h"
#include "BRIKIND.h"
#include "DATO.h"
#include "ENSMUS.h"
#include "GANT.h"
#include "GRUPPE.h"
#include "GRUPPEKNAP.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "KATALOG.h"
#include "PLACBEG.h"
#include "PROGVINDUER.h"
#include "RECPRED.h"
#include "ROLLEFORSLAG.h"
#include "SKEBEG.h"
#include "STATUSBAR.h"
#include "SWITCH.h"
#include "TABREG.h"
#include "STITAB.h"
#include "TASTINFO.h"
#include "TAVOTB.h"
#include "VALG.h"
#include "VINDUER.h"

namespace {

bool Udfoer(int mode) { return mode == KMD_UDFOER; }

constexpr TastInfo kIngenTast{};

// Whether the window sits in a cell of a screen layout (closing it then
// goes through the cell).
bool ICelle(HWND h) {
  char klasse[64] = "";
  const HWND p = GetParent(h);
  return p && GetClassNameA(p, klasse, sizeof klasse) > 0 && std::strcmp(klasse, "ElementWndClass") == 0;
}

// A key the main window handles, played into it with the key's modifiers.
// The main window may hand the same key to the front window again (F2 while
// a posting window is open): that second one stops here instead of going
// round for ever.
void SendVidereTilHoved(UINT tast, const TastInfo *t) {
  static bool iGang = false;
  if (iGang || !hwndHoved || !IsWindow(hwndHoved)) return;
  iGang = true;
  SendTast(hwndHoved, tast, t->shift != 0, t->ctrl != 0, t->alt != 0);
  iGang = false;
}

// The period check; asking must not move the week, as the check of a
// partly overlapping object does when the key is carried out.
bool PeriodeTjek(GANTWS *ws, int mode) {
  const uint32_t kol = ws->KolPos.Aktuel, uge = SkemaPeriode.AktuelUgeIndeks;
  const bool ok = GantPeriodeTjek(ws, mode);
  if (!Udfoer(mode)) ws->KolPos.Aktuel = kol, SkemaPeriode.AktuelUgeIndeks = uge;
  return ok;
}

// Enter: a new event by lesson for the row's object, handed to the event
// entry through the parent.
bool Skemalaeg(GANTWS *ws, int mode) {
  const bool vis = Udfoer(mode);
  if (!AlleRollerSat()) {
    if (vis)
      MessageBoxA(ws->hwnd,
                  "Alle rolleforslag skal være sat for at kunne skemalægge !\n\nDette gøres under System / Roller ",
                  "Roller mangler", MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (!PeriodeTjek(ws, mode)) return false;
  const uint32_t rec = GantAktuelRec(ws);
  const char art = static_cast<char>(ws->Bogstav);
  if (!rec || !KanSkemalaegges(ws->Bogstav, rec, vis ? 2 : 0)) return false;
  if (!vis) return true;
  ws->Cifre[0] = '\0';
  CleanupAVS(&AktuelAVS);
  CleanupAVS(&ArbejdsAVS);
  AktuelAVS.Placering = 'L';
  AktuelAVS.Kode2 = 'V';
  AktuelAVS.Kode3 = 'B';
  AktuelAVS.Art = 'S';
  AktuelAVS.Kode5 = 'B';
  AddAVSEgenskab(&AktuelAVS, 'R', GlobalIndstillinger.standardRingSystem, 0, 0.0f);
  // The object's role is the one proposed for it, as the schedule's own
  // Enter gives it; an activity (which takes its ring system along) has none.
  AddAVSEgenskab(&AktuelAVS, art, rec, art == 'K' ? 0 : RolleForslag(&AktuelAVS, art, rec), -1.0f);
  KopierAVS(&AktuelAVS, &ArbejdsAVS);
  if (art == 'K' && (!AktuelAVS.risy_id || !TabRec<RisyRec>(tvrisy, AktuelAVS.risy_id))) {
    MessageBoxA(ws->hwnd,
                "Der er ingen ringetid på denne aktivitet.\nAktiviteten skal have tilknyttet en ringetid, før der kan "
                "skemalægges på den.",
                "Fejl", MB_OK | MB_ICONEXCLAMATION);
    return true;
  }
  if (const HWND p = GetParent(ws->hwnd)) SendMessageA(p, HOVED_INDTAST_LEKTION, 0, static_cast<LPARAM>(ws->hwnd));
  return true;
}

// F5, F6, F7: plain they are the main window's. With Shift or Alt they jump
// to the object's schedule: any window may when [global] SpringGant is on;
// otherwise only the window of the key's own table, and only inside the
// object's period.
bool Spring(GANTWS *ws, const TastInfo *t, int mode) {
  if (!t->shift && !t->alt) return true;
  if (GlobalIndstillinger.SpringGant) return true;
  const uint8_t egen = t->wParam == VK_F5 ? 'K' : t->wParam == VK_F6 ? 'M' : 'L';
  return ws->Bogstav == egen && PeriodeTjek(ws, mode);
}

bool Vandret(GANTWS *ws, const TastInfo *t, int mode) {
  const bool hoejre = t->wParam == VK_RIGHT;
  if (ws->Opgoerelse) {
    if (Udfoer(mode) && !GantOpgVandret(ws, hoejre, t->ctrl, t->alt)) {
      // At the edge the program's week moved: the chart's column follows it.
      ws->KolPos.Aktuel = 1;
    }
    return true;
  }
  GridPos *pos = &ws->KolPos;
  return GridTastFlytTrin(pos, t->wParam, t->ctrl, t->alt, false, Udfoer(mode) ? 2 : 1) || !Udfoer(mode);
}

bool Lodret(GANTWS *ws, const TastInfo *t, int mode) {
  if (!ws->ens.ObjTabAntal) return false;
  GridPos *pos = &ws->RaekkePos;
  GridTastFlytTrin(pos, t->wParam, t->ctrl, t->alt, false, Udfoer(mode) ? 2 : 1);
  return true;
}

bool UgeBesked(GANTWS *ws, UINT besked, int mode) {
  if (ws->Opgoerelse || !ws->KolPos.Aktuel) return false;
  if (!Udfoer(mode)) return true;
  const uint32_t w = ws->KolPos.Aktuel;
  SendTilAlleVinduer(besked, ws->Bogstav, w, 0);
  if (besked == INDSAET_UGE) {
    if (ws->hwnd && IsWindow(ws->hwnd))
      SendMessageA(ws->hwnd, WM_KEYDOWN, VK_RIGHT, 100);
    else if (w < ws->KolPos.Antal)
      ws->KolPos.Aktuel = w + 1;
  }
  return true;
}

// The active activities sharing the teaching course of the current row's
// activity (itself among them); 0 without a course.
uint32_t UvfoAntal(const GANTWS *ws) {
  const AktiRec *a = ws->Bogstav == 'K' ? TabRec<AktiRec>(tvakti, GantAktuelRec(ws)) : nullptr;
  if (!a || !a->uvfo_id) return 0;
  uint32_t n = 0;
  for (uint32_t r = 1; r < tvakti.wRecCnt; ++r) {
    const AktiRec *b = TabRec<AktiRec>(tvakti, r);
    n += b && b->Status >= 10 && b->Status <= 29 && b->uvfo_id == a->uvfo_id;
  }
  return n;
}

bool Uvfo(GANTWS *ws, int mode) {
  if (ws->Bogstav != 'K' || (!ws->UvfoFilter && !UvfoAntal(ws))) return false;
  if (!Udfoer(mode)) return true;
  HWND gruppeKnap = 0;
  if (ws->ens.hwndToolbar) SendMessageA(ws->ens.hwndToolbar, TB_GRUPPEKNAP, (WPARAM)&gruppeKnap, 0);
  if (!ws->UvfoFilter) {
    ws->UvfoFilter = 1;
    GantByggUvfoRaekker(ws);
    if (gruppeKnap) SendMessageA(gruppeKnap, GRUPPE_SAET, 0, 85);
  } else {
    ws->UvfoFilter = 0;
    uint32_t g = 31;
    for (uint32_t b = 0; b < 31; ++b)
      if (ws->GruppeMaske & (1u << b)) {
        g = b;
        break;
      }
    if (ws->GruppeMaske == kAlleGrupper) g = 31;
    if (gruppeKnap) SendMessageA(gruppeKnap, GRUPPE_SAET, g, 0);
    GantByggRaekker(ws);
  }
  GantTilpasVindue();
  return true;
}

// Ctrl+Delete: the current object leaves groups 0..30 for the archive
// group; the group file is marked for export once per window.
bool Arkiver(GANTWS *ws, int mode) {
  const uint32_t rec = GantAktuelRec(ws);
  if (!rec || rec >= ws->GruppeFlagAntal || !ws->GruppeFlag) return false;
  if (!Udfoer(mode)) return true;
  uint8_t *c = ws->GruppeFlag + size_t{rec} * kGruppeKolonner;
  std::memset(c, 0, kGruppeKolonner - 1);
  c[kGruppeKolonner - 1] = 1;
  GemGruppeBits(static_cast<char>(ws->Bogstav), ws->GruppeFlag, ws->GruppeFlagAntal);
  if (!ws->GrupperEksporteret) {
    WritePrivateProfileStringA("flag", "exportergrupper", "1", StiTab.szini);
    ws->GrupperEksporteret = 1;
  }
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
  return true;
}

}  // namespace

void GantTilpasVindue() { SendVidereTilHoved(VK_F3, &kIngenTast); }

bool GantTast(GANTWS *ws, const TastInfo *t, int mode) {
  const uint32_t tast = t->wParam;
  if (tast < 13 || tast > 187) return false;
  const HWND h = ws->hwnd;
  const HWND tb = ws->ens.hwndToolbar;
  switch (tast) {
    case VK_RETURN:
      return Skemalaeg(ws, mode);
    case VK_ESCAPE:
      if (Udfoer(mode)) {
        ws->Cifre[0] = '\0';
        // The show-only modes going off broadcast the data change, which
        // rebuilds this window with the others; the rows that come back may
        // equal the old ones while the titles differ, so all is painted.
        ws->TegnFlag |= GANT_TEGN_ALT;
        ResetTavoSkemaTitel();
      }
      return true;
    case 'E':
      if (Udfoer(mode) && t->ctrl && ws->Bogstav == 'K')
        if (const uint32_t rec = GantAktuelRec(ws)) VisEleverPaaHold(h, rec);
      return true;
    case VK_F2:
      if (Udfoer(mode)) SendVidereTilHoved(VK_F2, t);
      return true;
    case VK_SPACE:
      if (ws->ens.Tilstand != 2) return false;
      if (Udfoer(mode)) EnsMinimize(h, &ws->ens);
      return true;
    case VK_PRIOR:
    case VK_NEXT:
      // The page position has a single cell: nothing moves.
      GridTastFlytTrin(&ws->SidePos, tast, t->ctrl, t->alt, false, Udfoer(mode) ? 2 : 1);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
      return Vandret(ws, t, mode);
    case VK_UP:
    case VK_DOWN:
      return Lodret(ws, t, mode);
    case VK_INSERT:
      return UgeBesked(ws, INDSAET_UGE, mode);
    case VK_ADD:
    case VK_OEM_PLUS:
      return UgeBesked(ws, KOPIER_UGE, mode);
    case VK_DELETE:
      return t->ctrl && Arkiver(ws, mode);
    case 'A':
      if (!tb) return false;
      if (Udfoer(mode)) SendMessageA(tb, TB_GRUPPE_INDEKS, 31, 0);
      return true;
    case 'H':
      return KmdSendKommando(tb, 0, 0, tb != 0, mode);
    case 'R':
      return KmdToolbarRing(tb, tb != 0, mode);
    case 'U':
      return Uvfo(ws, mode);
    case VK_APPS:
      return KmdHoejreklik(h, 0, 0, mode);
    case VK_F3:
      return SkiftMaksimeret(h, &ws->GemtRect, mode);
    case VK_F4:
      return KmdLukVindue(h, GetParent(h), ICelle(h) ? 1 : 0, true, mode);
    case VK_F5:
    case VK_F6:
    case VK_F7:
      return Spring(ws, t, mode);
  }
  if (tast >= '1' && tast <= '9' && !t->ctrl && !t->alt) {
    if (tast - '0' > ws->SwitchAntal) return false;
    return GridCifferIndtast(h, tast, true, true, ws->SwitchAntal, ws->Cifre, sizeof ws->Cifre, mode);
  }
  return false;
}

bool GantTastNed(GANTWS *ws, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_KEYDOWN && EnsTypeAhead(&ws->ens, &ws->RaekkePos, static_cast<UINT>(wParam))) return true;
  TastInfo t;
  MakeTastInfo(&t, msg, wParam, lParam);
  // The step right after Insert comes as Right with 100 in lParam; the
  // Ctrl or Alt still held from the Insert must not make it a long jump.
  if (t.message != WM_SYSCOMMAND && t.wParam == VK_RIGHT && t.lParam == 100) t.ctrl = t.alt = 0;
  return GantTast(ws, &t, KMD_UDFOER);
}

LRESULT GantTastSpoerg(GANTWS *ws, const TastInfo *t) {
  if (!t) return 0;
  // The function keys act at once: their period check moves the week the
  // main window's jump then opens.
  const bool udfoer = t->wParam == VK_F5 || t->wParam == VK_F6 || t->wParam == VK_F7;
  return GantTast(ws, t, udfoer ? KMD_UDFOER : 1) ? 1 : 0;
}

uint32_t GantEfterTast(GANTWS *ws, uint32_t forrigeRec) {
  uint32_t flag = 0;
  const uint32_t rec = GantAktuelRec(ws);
  if (rec != forrigeRec) {
    if (ws->pTv && rec) ws->pTv->AktuelRec = rec;
    flag |= GANT_TEGN_RAEKKER;
  }
  const uint32_t forrige = ws->ForrigeKol;
  const uint32_t ny = ws->Opgoerelse ? SkemaPeriode.AktuelUgeIndeks : ws->KolPos.Aktuel;
  if (ny != forrige && ny >= 1 && ny <= SkemaPeriode.AntalUger) {
    if (!ws->Opgoerelse) {
      // The active window drives the program's week and date.
      Uge u = 0;
      uint8_t dag = 0;
      DatoTilUge(SkemaPeriode.AktuelDato, &u, &dag);
      SaetAktuelDato(UgeDagTilDato(IndeksTilUge(ny), dag ? dag : 1));
      SkemaPeriode.AktuelUgeIndeks = ny;
    }
    if (StatusFelter.Dato && IsWindow(StatusFelter.Dato))
      SendMessageA(StatusFelter.Dato, STATUS_DATO_SAET, 0, static_cast<LPARAM>(SkemaPeriode.AktuelDato));
    flag |= GantKolonneSkift(ws, forrige, ny);
    ws->ForrigeKol = ny;
  }
  return flag;
}
