// The planning window's keys as one table of rows: the key, whether Ctrl
// must be held, and the command. Every command makes its availability tests
// before it changes anything, and shows a refusal only when it performs,
// so that asking (mode 1) never shows or changes anything.
#include "ELEVPLANKMD.h"

#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "AUTOPLAC.h"
#include "ELEVDLG.h"
#include "ELEVGITTER.h"
#include "ELEVREGLER.h"
#include "ELEVTAB.h"
#include "ENSDC.h"
#include "EPEXPORT.h"
#include "FINDREC.h"
#include "PPLAPINI.h"
#include "SWITCH.h"
#include "TABOPER.h"

ElevPlanKroge ElevPlanKrog = {};

namespace {

constexpr const char *kIkkeUdfoert = "Kommando ikke udført";

struct Kald {
  ElevPlanWS *ws;
  uint32_t tast;
  int ctrl, shift, alt;  // -1 while held, else 0
  int mode;
  int *tegn;
};

void Besked(int mode, const char *tekst, const char *titel) {
  if (mode == 2) MessageBoxA(0, tekst, titel, MB_OK | MB_ICONEXCLAMATION);
}

// The current group and activity, and the group's lock: false (after the
// lock message under the caption) when the command may not run.
bool GruppeUdenLaas(const Kald &k, const char *titel, uint32_t *pTg, uint32_t *pLa) {
  *pTg = AktuelTg(k.ws);
  *pLa = AktuelLa(k.ws);
  if (*pTg == 0 || LaPosition(k.ws, *pLa) == 0 || !ElevTabAktiv(LaRecNr(*pLa)->Status))
    return false;
  if (TgLaast(*pTg)) {
    VisTgLaas(*pTg, titel, k.mode);
    return false;
  }
  return true;
}

// The la table re-sorted after a flag changed, so that its blocks are saved.
void FlagAendret() { SortTab(&tdla, &tvla); }

int KmdEsc(Kald &k) {
  if (k.ws->HusketLa == 0) {
    Besked(k.mode, "Der er ikke markeret tilmeldinger for en aktivitet",
           "Ingen markering at ophæve");
    return 0;
  }
  if (k.mode == 2) {
    k.ws->HusketLa = 0;
    *k.tegn = ELEVPLAN_TEGN_ALT;
  }
  return 1;
}

int KmdRaekkeFlyt(Kald &k) {
  ElevPlanWS *ws = k.ws;
  ws->LaFoer = ws->LaPos.Aktuel;
  const bool flyttet = GridTastFlytTrin(&ws->LaPos, k.tast, k.ctrl, k.alt, false, k.mode);
  if (k.mode == 2) {
    if (k.tast == VK_DOWN) ws->SidsteRetning = VK_DOWN;
    tvla.AktuelRec = AktuelLa(ws);
    *k.tegn = ELEVPLAN_TEGN_RAEKKE;
  }
  return flyttet ? 1 : 0;
}

int KmdKolonneFlyt(Kald &k) {
  ElevPlanWS *ws = k.ws;
  const uint32_t foer = ws->PpPos.Aktuel;
  if (!k.shift) {
    const bool flyttet = GridTastFlytTrin(&ws->PpPos, k.tast, k.ctrl, k.alt, false, k.mode);
    if (k.mode == 2) {
      if (k.tast == VK_RIGHT) ws->SidsteRetning = VK_RIGHT;
      tvpp.AktuelRec = AktuelPp(ws);
      *k.tegn = ELEVPLAN_TEGN_PLAN;
    }
    return flyttet ? 1 : 0;
  }
  ws->PpFoer = foer;
  ws->LaFoer = ws->LaPos.Aktuel;
  GridTastFlytTrin(&ws->PpPos, k.tast, k.ctrl, k.alt, false, 2);
  const int svar = FlytLaBlok(ws, k.mode);
  if (svar == 0 || k.mode != 2) {
    ws->PpPos.Aktuel = foer;
  } else {
    tvpp.AktuelRec = AktuelPp(ws);
    *k.tegn = ELEVPLAN_TEGN_PLAN;
  }
  return svar;
}

int KmdIndsaet(Kald &k) {
  ElevPlanWS *ws = k.ws;
  const uint32_t tg = AktuelTg(ws), la = AktuelLa(ws);
  if (tg == 0 || la == 0) return 0;
  if (ws->HuskedeAntal == 0) {
    Besked(k.mode, "Ingen elever er husket.!", "Der er ikke hsuket elever fra et hold");
    return 0;
  }
  // All or none: the placing never stops half-way on the lock or on a
  // student who cannot go on. A remembered student no longer of this
  // group's students (the list outlives a change of group) cannot go on.
  if (TgLaast(tg)) {
    VisTgLaas(tg, kIkkeUdfoert, k.mode);
    return 0;
  }
  const uint32_t a = LaPosition(ws, la);
  for (uint32_t i = 0; i < ws->HuskedeAntal; ++i) {
    const uint32_t s = ElevPosition(ws, ws->HuskedeElever[i]);
    if (a == 0 || s == 0 || ws->Placeringer(a, s) != 0 || ws->Markeringer(a, s) != 0) {
      Besked(k.mode, "1 eller flere af de huskede elever kan ikke placeres på denne aktivitet.",
             "Ingen elever placeret");
      return 0;
    }
  }
  // The placing's own refusal (an archived activity) is shown once.
  for (uint32_t i = 0; i < ws->HuskedeAntal; ++i)
    if (PlacerEllerFjernElev(ws, tg, la, ws->HuskedeElever[i], -1, -1, 1, nullptr) == 0) {
      PlacerEllerFjernElev(ws, tg, la, ws->HuskedeElever[i], -1, -1, k.mode, nullptr);
      return 0;
    }
  if (k.mode != 2) return 1;
  for (uint32_t i = 0; i < ws->HuskedeAntal; ++i)
    PlacerEllerFjernElev(ws, tg, la, ws->HuskedeElever[i], -1, -1, 2, k.tegn);
  *k.tegn = ELEVPLAN_TEGN_ALT;
  return 1;
}

int KmdLayout(Kald &k) {
  return GridCifferKommando(k.ws->hwnd, k.tast, true, k.ws->AntalLayouts[ELEVPLAN_ART_LA], k.mode)
             ? 1
             : 0;
}

int KmdHusk(Kald &k) {
  ElevPlanWS *ws = k.ws;
  const uint32_t la = AktuelLa(ws), a = LaPosition(ws, la);
  if (a == 0) return 0;
  const uint32_t n = AntalPaaLa(ws, a);
  if (n == 0) {
    Besked(k.mode, "Ingen elever på holdet.!", "Der er ingen elever på holdet");
    return 0;
  }
  if (k.mode != 2) return 1;
  auto *elever = static_cast<uint32_t *>(calloc(n, sizeof(uint32_t)));
  if (elever == nullptr) return 0;
  free(ws->HuskedeElever);
  ws->HuskedeElever = elever;
  ws->HuskedeAntal = 0;
  for (uint32_t s = 1; s <= ws->ElevAntal; ++s)
    if (ws->Placeringer(a, s) == PLACERET) elever[ws->HuskedeAntal++] = ws->ElevTab[s];
  ws->HuskedeLa = la;
  return 1;
}

int KmdArkiver(Kald &k) {
  ElevPlanWS *ws = k.ws;
  uint32_t tg, la;
  if (!GruppeUdenLaas(k, kIkkeUdfoert, &tg, &la)) return 0;
  LaRec *l = LaRecNr(la);
  if (l->aktiv == 0) {
    if (k.mode == 2) {
      l->aktiv = 1;
      FlagAendret();
      *k.tegn = ELEVPLAN_TEGN_ALT;
    }
    return 1;
  }
  if (l->BeholdElever) {
    Besked(k.mode,
           "Denne aktivitet er låst (behold elever).\nHvis aktiviteten skal arkiveres skal "
           "aktiviteten låses op < CTRL + B >",
           kIkkeUdfoert);
    return 0;
  }
  if (k.mode != 2) return 1;
  FjernAlleEleverFraLa(ws, la);
  l = LaRecNr(la);
  if (l->kopi_id != 0 && l->ElevPlanStatus == 6) {
    // A duplicate made here and never sent goes altogether, its plan row
    // with it, so that the write-back makes no placement of it.
    const uint32_t a = LaPosition(ws, la);
    memset(ws->PlanGitter.Raekke(a), 0, size_t(ws->PlanGitter.Kolonner) + 1);
    memset(ws->LaSpaerring.Raekke(a), 0, size_t(ws->LaSpaerring.Kolonner) + 1);
    DelRec(&tdla, &tvla, la);
    ws->LaIndeks[la] = 0;
    ws->PlanAendret = 1;
  } else {
    l->LukForNyeElever = l->BeholdElever = l->PladsLaas = 0;
    l->aktiv = 0;
  }
  FlagAendret();
  *k.tegn = ELEVPLAN_TEGN_ALT;
  return 1;
}

// Ctrl+B, Ctrl+L, Ctrl+P: a flag of the current activity on or off, with
// Shift of every listed activity (on for all when any is off).
struct FlagRegel {
  char LaRec::*Flag;
  void (*Til)(LaRec *l);
  void (*Fra)(LaRec *l);
};

const FlagRegel kBehold = {&LaRec::BeholdElever,
                           [](LaRec *l) { l->BeholdElever = l->PladsLaas = 1; },
                           [](LaRec *l) { l->BeholdElever = l->LukForNyeElever = 0; }};
const FlagRegel kLukNye = {
    &LaRec::LukForNyeElever,
    [](LaRec *l) { l->LukForNyeElever = l->BeholdElever = l->PladsLaas = 1; },
    [](LaRec *l) { l->LukForNyeElever = 0; }};
const FlagRegel kPladsLaas = {
    &LaRec::PladsLaas, [](LaRec *l) { l->PladsLaas = 1; },
    [](LaRec *l) { l->PladsLaas = l->BeholdElever = l->LukForNyeElever = 0; }};

int KmdFlag(Kald &k, const FlagRegel &regel) {
  ElevPlanWS *ws = k.ws;
  uint32_t tg, la;
  if (!GruppeUdenLaas(k, kIkkeUdfoert, &tg, &la)) return 0;
  if (k.mode != 2) return 1;
  if (k.shift) {
    bool nogenFra = false;
    for (uint32_t a = 1; a <= ws->LaAntal; ++a)
      if (LaRecNr(ws->LaTab[a])->*regel.Flag == 0) nogenFra = true;
    for (uint32_t a = 1; a <= ws->LaAntal; ++a)
      (nogenFra ? regel.Til : regel.Fra)(LaRecNr(ws->LaTab[a]));
    *k.tegn = ELEVPLAN_TEGN_ALT;
  } else {
    LaRec *l = LaRecNr(la);
    (l->*regel.Flag == 0 ? regel.Til : regel.Fra)(l);
    *k.tegn = ELEVPLAN_TEGN_RAEKKE;
  }
  FlagAendret();
  return 1;
}

int KmdBehold(Kald &k) { return KmdFlag(k, kBehold); }
int KmdLukNye(Kald &k) { return KmdFlag(k, kLukNye); }
int KmdPladsLaas(Kald &k) { return KmdFlag(k, kPladsLaas); }

int KmdSkjulArkiverede(Kald &k) {
  const uint32_t tg = AktuelTg(k.ws);
  if (tg == 0) return 0;
  if (k.mode == 2) {
    TgRec *t = TgRecNr(tg);
    t->SkjulArkiverede = t->SkjulArkiverede ? 0 : 1;
    MarkerElevRec(&tdtg, &tvtg, tg);
  }
  return 1;
}

int KmdSpaerPlads(Kald &k) {
  ElevPlanWS *ws = k.ws;
  uint32_t tg, la;
  const uint32_t c = AktuelPp(ws) ? ws->PpPos.Aktuel : 0;
  if (AktuelTg(ws) == 0 || AktuelLa(ws) == 0 || c == 0) return 0;
  if (!GruppeUdenLaas(k, "Plads ikke blokeret", &tg, &la)) return 0;
  const uint32_t a = LaPosition(ws, la);
  if (a == 0) return 0;
  // Clearing a barred slot is always allowed.
  if (ws->LaSpaerring(a, c)) {
    if (k.mode == 2) {
      ws->LaSpaerring(a, c) = 0;
      ws->PlanAendret = 1;
      *k.tegn = ELEVPLAN_TEGN_PLAN;
    }
    return 1;
  }
  ws->LaSpaerring(a, c) = 1;
  const bool ok = HarPladsAlternativ(ws, a);
  ws->LaSpaerring(a, c) = 0;
  if (!ok) {
    Besked(k.mode, "Der skal være mindst en placeringsmulighed.", "Plads ikke blokeret");
    return 0;
  }
  if (k.mode == 2) {
    ws->LaSpaerring(a, c) = 1;
    ws->PlanAendret = 1;
    *k.tegn = ELEVPLAN_TEGN_PLAN;
  }
  return 1;
}

// Before test data is removed under the workspace, the group shown is
// written back: afterwards its records may be gone.
void SkrivTilbageFoerSletning(ElevPlanWS *ws) {
  if (ws->Tg) GemElevPlan(ws, ws->Tg);
  ws->PlanAendret = ws->PlaceringAendret = ws->SpaerringAendret = 0;
}

int KmdSletTestdata(Kald &k) {
  if (k.mode == 2) {
    SkrivTilbageFoerSletning(k.ws);
    PurgeTestTg(2);
  }
  return 1;
}

int KmdTestImport(Kald &k) {
  if (ElevPlanKrog.ImportElevplanTest == nullptr) return 0;
  if (k.mode == 2) {
    SkrivTilbageFoerSletning(k.ws);
    PurgeTestTg(2);
    ElevPlanKrog.ImportElevplanTest();
  }
  return 1;
}

int KmdHentTg(Kald &k) {
  const uint32_t tg = AktuelTg(k.ws);
  return tg != 0 ? EpHentTgKommando(k.ws->hwnd, tg, k.mode) : 0;
}

int KmdAutoPlacering(Kald &k) {
  const int svar = AutoPlacering(k.ws, AktuelTg(k.ws), AktuelLa(k.ws), k.ctrl, k.mode);
  if (svar == 1 && k.mode == 2) *k.tegn = ELEVPLAN_TEGN_ALT;
  return svar;
}

// The planning rules' calling shape.
typedef int (*ElevRegelFn)(ElevPlanWS *ws, uint32_t tg, uint32_t la, int ctrl, int shift, int mode,
                           int *pTegn);

int Regel(Kald &k, ElevRegelFn fn) {
  return fn(k.ws, AktuelTg(k.ws), AktuelLa(k.ws), k.ctrl, k.shift, k.mode, k.tegn);
}

int KmdOpretDublet(Kald &k) { return Regel(k, OpretDublet); }
int KmdFyldLa(Kald &k) { return Regel(k, FyldLa); }
int KmdMarkerOensker(Kald &k) { return Regel(k, MarkerOensker); }
int KmdOverfoer(Kald &k) { return Regel(k, OverfoerOensker); }
int KmdTilbagefoer(Kald &k) { return Regel(k, TilbagefoerOensker); }
int KmdFjernAlle(Kald &k) { return Regel(k, FjernAlleElever); }
int KmdRet(Kald &k) { return Regel(k, k.shift ? RetTg : RetLa); }

int KmdMaksimer(Kald &k) { return SkiftMaksimeret(k.ws->hwnd, &k.ws->GemtRect, k.mode) ? 1 : 0; }

int KmdHoejreklikTast(Kald &k) { return KmdHoejreklik(k.ws->hwnd, 0, 0, k.mode) ? 1 : 0; }

// The window closes, or asks its cell of the screen layout to close it. The
// window's procedure frees the workspace on its way out.
void LukVindue(ElevPlanWS *ws) {
  if (ws->hwnd) KmdLukVindue(ws->hwnd, ws->ens.hwndParent, ws->IElement, true, 2);
}

int KmdLuk(Kald &k) {
  if (k.mode == 2 && k.ws->hwnd) {
    LukVindue(k.ws);
    *k.tegn = ELEVPLAN_LUKKET;
  }
  return 1;
}

struct KmdRaekke {
  uint32_t Tast;
  bool Ctrl;  // only with Ctrl held
  int (*Fn)(Kald &);
};

const KmdRaekke kKommandoer[] = {
    {VK_ESCAPE, false, KmdEsc},
    {VK_PRIOR, false, KmdRaekkeFlyt},
    {VK_NEXT, false, KmdRaekkeFlyt},
    {VK_UP, false, KmdRaekkeFlyt},
    {VK_DOWN, false, KmdRaekkeFlyt},
    {VK_LEFT, false, KmdKolonneFlyt},
    {VK_RIGHT, false, KmdKolonneFlyt},
    {VK_INSERT, false, KmdIndsaet},
    {'1', false, KmdLayout},
    {'2', false, KmdLayout},
    {'3', false, KmdLayout},
    {'4', false, KmdLayout},
    {'5', false, KmdLayout},
    {'6', false, KmdLayout},
    {'7', false, KmdLayout},
    {'8', false, KmdLayout},
    {'9', false, KmdLayout},
    {VK_ADD, false, KmdHusk},
    {VK_OEM_PLUS, false, KmdHusk},
    {'A', true, KmdArkiver},
    {'B', true, KmdBehold},
    {'D', true, KmdOpretDublet},
    {'F', true, KmdFyldLa},
    {'H', true, KmdHentTg},
    {'I', false, KmdTestImport},
    {'K', true, KmdAutoPlacering},
    {'L', true, KmdLukNye},
    {'M', true, KmdMarkerOensker},
    {'N', false, KmdSletTestdata},
    {'O', true, KmdOverfoer},
    {'P', true, KmdPladsLaas},
    {'R', true, KmdRet},
    {'S', true, KmdFjernAlle},
    {'T', true, KmdTilbagefoer},
    {'V', true, KmdSkjulArkiverede},
    {'X', false, KmdSpaerPlads},
    {VK_APPS, false, KmdHoejreklikTast},
    {VK_F3, false, KmdMaksimer},
    {VK_F4, true, KmdLuk},
};

int Holdt(int tilstand) { return tilstand != 0 ? -1 : 0; }

// The table's current records from the cursors, so that a rebuild keeps
// them.
void PublicerAktuelle(const ElevPlanWS *ws) {
  if (AktuelTg(ws)) tvtg.AktuelRec = AktuelTg(ws);
  if (AktuelLa(ws)) tvla.AktuelRec = AktuelLa(ws);
  if (AktuelPp(ws)) tvpp.AktuelRec = AktuelPp(ws);
}

void Genopbyg(ElevPlanWS *ws) {
  PublicerAktuelle(ws);
  BuildElevPlanData(ws);
}

// After Ctrl+A the cursor goes to the nearest live, active activity before
// the archived one, else after it.
void NaboLa(ElevPlanWS *ws) {
  const uint32_t p = ws->LaPos.Aktuel;
  auto aktiv = [&](uint32_t i) {
    const LaRec &l = ElevRef(LaRecNr, ws->LaVisTab[i]);
    return ElevTabAktiv(l.Status) && l.aktiv == 1;
  };
  for (uint32_t i = p - 1; i >= 1 && i <= ws->LaAntal; --i)
    if (aktiv(i)) {
      ws->LaPos.Aktuel = i;
      return;
    }
  for (uint32_t i = p + 1; i <= ws->LaAntal; ++i)
    if (aktiv(i)) {
      ws->LaPos.Aktuel = i;
      return;
    }
}

// Shift+Left/Right moved a block: the group's students are placed again on
// the new slot plan; on an activity without students the plan is only
// read back.
int EfterBlokFlyt(ElevPlanWS *ws) {
  const uint32_t tg = AktuelTg(ws);
  const LaRec &l = ElevRef(LaRecNr, AktuelLa(ws));
  const uint64_t elever = uint64_t(l.akt_prio_1) + l.akt_prio_2 + l.akt_prio_3;
  if (elever == 0) {
    Genopbyg(ws);
    return ELEVPLAN_TEGN_ALT;
  }
  if (TgLaast(tg)) {
    VisTgLaas(tg, kIkkeUdfoert, 2);
    return ELEVPLAN_TEGN_ALT;
  }
  PlacerGruppenIgen(ws);
  return ELEVPLAN_TEGN_ALT;
}

}  // namespace

int ElevPlanKommando(ElevPlanWS *ws, uint32_t tast, uint32_t data, int ctrl, int shift, int alt,
                     int mode, int *pTegn) {
  (void)data;
  int tegn = 0;
  int *ud = pTegn ? pTegn : &tegn;
  *ud = 0;
  if (ws == nullptr) return 0;
  for (const KmdRaekke &r : kKommandoer) {
    if (r.Tast != tast) continue;
    if (r.Ctrl && !ctrl) return 0;
    Kald k{ws, tast, Holdt(ctrl), Holdt(shift), Holdt(alt), mode, ud};
    return r.Fn(k);
  }
  return 0;
}

int ElevPlanEfterKommando(ElevPlanWS *ws, uint32_t tast, int ctrl, int shift, int alt) {
  (void)alt;
  switch (tast) {
    case VK_LEFT:
    case VK_RIGHT:
      return shift ? EfterBlokFlyt(ws) : ELEVPLAN_TEGN_PLAN;
    case VK_PRIOR:
    case VK_NEXT:
      ObjSwitchSaetSortFelt(ELEVPLAN_LA_ART, ws->Bogstav, 1);
      return ELEVPLAN_TEGN_ALT;
    case 'A':
      if (!ctrl) return 0;
      NaboLa(ws);
      Genopbyg(ws);
      return ELEVPLAN_TEGN_ALT;
    case 'D':
    case 'S':
    case 'V':
      if (!ctrl) return 0;
      Genopbyg(ws);
      return ELEVPLAN_TEGN_ALT;
    case 'R':
      // After Ctrl+Shift+R the slots are new: the workspace, whose changes
      // were dropped, is built on them.
      if (!ctrl) return 0;
      Genopbyg(ws);
      return ELEVPLAN_TEGN_ALT;
    case 'O':
    case 'T':
      if (!ctrl) return 0;
      ByggOensker(ws, ws->Tg);
      return ELEVPLAN_TEGN_ALT;
    case 'I':
    case 'N': {
      LoadPpIni();
      LoadLapIni();
      SetTgDefaults();
      const bool vindue = ws->hwnd != 0;
      LukVindue(ws);
      return vindue ? ELEVPLAN_LUKKET : ELEVPLAN_TEGN_ALT;
    }
    case 'X': {
      const bool ned = ws->SidsteRetning == VK_DOWN;
      GridTastFlytTrin(ned ? &ws->LaPos : &ws->PpPos, ned ? VK_DOWN : VK_RIGHT, 0, 0, false, 2);
      PublicerAktuelle(ws);
      return ned ? ELEVPLAN_TEGN_RAEKKE : ELEVPLAN_TEGN_PLAN;
    }
    default:
      return 0;
  }
}

int FlytLaBlok(ElevPlanWS *ws, int mode) {
  const uint32_t tg = AktuelTg(ws), la = AktuelLa(ws);
  if (tg == 0 || la == 0) return 0;
  if (LaRecNr(la)->PladsLaas) {
    Besked(mode, "Aktivitetens placering er låst.",
           "Aktiviteten kan ikke flyttes før den er låst op.");
    return 0;
  }
  if (TgLaast(tg)) {
    ws->PpPos.Aktuel = ws->PpFoer;
    VisTgLaas(tg, "Flytning ikke gennemført", mode);
    return 0;
  }
  const uint32_t c = ws->PpFoer, n = ws->PpPos.Aktuel, a = LaPosition(ws, la);
  if (n == c || ws->LaPos.Aktuel != ws->LaFoer || a == 0 || c < 1 || c > ws->PpAntal) return 0;
  uint8_t *raekke = ws->PlanGitter.Raekke(a);
  if (raekke[c] == PLAN_FRI) return 0;

  // The block that holds c.
  uint32_t start = c, slut = c;
  while (start > 1 && (raekke[start] == PLAN_MIDTE || raekke[start] == PLAN_SLUT) &&
         (raekke[start - 1] == PLAN_START || raekke[start - 1] == PLAN_MIDTE))
    --start;
  while (slut < ws->PpAntal && (raekke[slut] == PLAN_START || raekke[slut] == PLAN_MIDTE) &&
         (raekke[slut + 1] == PLAN_MIDTE || raekke[slut + 1] == PLAN_SLUT))
    ++slut;
  const uint32_t laengde = slut - start + 1;

  uint32_t ny = start;
  if (n < c) {
    for (uint32_t d = c - n; d > 0 && ny > 1 && raekke[ny - 1] == PLAN_FRI; --d) --ny;
  } else {
    for (uint32_t d = n - c, e = slut; d > 0 && e < ws->PpAntal && raekke[e + 1] == PLAN_FRI;
         --d, ++e)
      ++ny;
  }
  if (ny == start) return 0;
  if (mode != 2) return 1;

  for (uint32_t i = start; i <= slut; ++i) raekke[i] = PLAN_FRI;
  SkrivPlanBlok(&ws->PlanGitter, a, ny, laengde);
  ws->PlanAendret = 1;
  if (ws->PpPos.Aktuel < ny)
    ws->PpPos.Aktuel = ny;
  else if (ws->PpPos.Aktuel > ny + laengde - 1)
    ws->PpPos.Aktuel = ny + laengde - 1;
  return 1;
}

int OpdaterElevPlanScroll(ElevPlanWS *ws) {
  if (ws->LaPos.Aktuel != ws->LaTegnet) Genopbyg(ws);
  Ens &e = ws->ens;
  for (int x = 1; x >= 0; --x) {
    GridPos *pos = x ? &ws->PpPos : &ws->LaPos;
    const GridAkse *akse = x ? &e.AkseX : &e.AkseY;
    const int extent = x ? e.RudeB[ENS_CELLER] : e.RudeH[ENS_CELLER];
    if (extent <= 0 || akse->CelleBredde == 0 || akse->CellerPrGruppe == 0) continue;
    // Ens is packed: the offsets are copied, never referenced.
    uint32_t off = x ? e.ScrollX : e.ScrollY;
    GridScrollTilAktuel(pos, &off, static_cast<uint32_t>(extent), akse);
    (x ? e.ScrollX : e.ScrollY) = off;
    HWND bar = x ? e.hwndHScroll : e.hwndVScroll;
    if (bar)
      SetScrollCtl(bar, extent, static_cast<int>(GridCelleSlut(akse, pos->Antal)),
                   static_cast<int>(off));
  }
  return ELEVPLAN_TEGN_ALT;
}

bool ElevPlanBesked(ElevPlanWS *ws, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT *pSvar,
                    int *pTegn) {
  LRESULT svar = 0;
  int tegn = 0;
  bool taget = true;
  switch (msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      // Ctrl+F4 closes the window through the table; the workspace is gone
      // afterwards.
      if (ElevPlanKommando(ws, t.wParam, t.lParam, t.ctrl, t.shift, t.alt, 2, &tegn) == 1 &&
          !(tegn & ELEVPLAN_LUKKET))
        tegn |= ElevPlanEfterKommando(ws, t.wParam, t.ctrl, t.shift, t.alt);
      break;
    }
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      if (t) svar = ElevPlanKommando(ws, t->wParam, t->lParam, t->ctrl, t->shift, t->alt, 1, &tegn);
      tegn = 0;
      break;
    }
    case 1365:
      ws->PlanAendret = ws->PlaceringAendret = ws->SpaerringAendret = 0;
      [[fallthrough]];
    case 1364:
      Genopbyg(ws);
      tegn = ELEVPLAN_TEGN_ALT;
      break;
    case 1054: {
      const uint32_t la = FindObjIdx(ws->LaVisTab, ws->LaAntal, tvla.AktuelRec);
      if (la) ws->LaPos.Aktuel = la;
      const uint32_t pp = PpPosition(ws, tvpp.AktuelRec);
      if (pp) ws->PpPos.Aktuel = pp;
      tegn = OpdaterElevPlanScroll(ws);
      break;
    }
    case 1046:
      tegn = ELEVPLAN_TEGN_FREMDRIFT;
      break;
    case ELEVPLAN_MAX_ANTAL:
      svar = ws->PpAntal;
      break;
    case 1101:
      PublicerAktuelle(ws);
      tegn = ELEVPLAN_TEGN_ALT;
      break;
    default:
      taget = false;
      break;
  }
  if (pSvar) *pSvar = svar;
  if (pTegn) *pTegn = tegn;
  return taget;
}
