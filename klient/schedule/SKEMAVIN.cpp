// The schedule window. Its workspace is the window's data from creation to
// destruction; every message reaches it through SkemaVinduesSke and does
// nothing once the window has let it go. Keys run in two phases so that the
// main window can ask whether a function key would act (1363) without
// anything being shown or changed.
#include "SKEMAVIN.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "AVSHJAELP.h"
#include "BESKEDER.h"
#include "DATO.h"
#include "ELEMENT.h"
#include "ENS.h"
#include "ENSMUS.h"
#include "GENVEJ.h"
#include "FONTE.h"
#include "IKKETILG.h"
#include "INDSTIL.h"
#include "KALENDER.h"
#include "LOGFIL.h"
#include "KOPIBEG.h"
#include "MARKBEG.h"
#include "PLACBEG.h"
#include "NYBUTTON.h"
#include "RELAY.h"
#include "SLETMARK.h"
#include "OPTAGET.h"
#include "PROGVINDUER.h"
#include "RINGTID.h"
#include "SKEMARK.h"
#include "SKERAEKKE.h"
#include "SKETEGN.h"
#include "SKEVIS.h"
#include "SWITCH.h"
#include "TAVOTB.h"
#include "TOOLTIP.h"
#include "VALG.h"
#include "VINDUER.h"
#include "tavo/assert.h"

const char *const kSkemaKopiSuperTavo = "Der kan ikke huskes begivenheder i et SuperTavoSkema";
const char *const kSkemaKopiLaast = "Der kan ikke huskes begivenheder i et låst skema";
const char *const kSkemaEnStatus =
    "Der kan ikke skemalægges sålænge, der vises skemabegivenheder med én bestemt status !\n"
    "Luk denne dialog og annuller fejlstatus ved at trykke på Esc tasten.";
const char *const kSkemaLaastPeriode = "Bemærk at du nu er ved at markere op i en LÅST periode!";

namespace {

constexpr const char *kKlasse = "SkemaWndClass";

// The locked-period warning is shown once per opening of a window.
uint8_t LaastAdvaret = 0;

// Marked tiles are shown in every schedule window (Ctrl+Z).
uint8_t VisMaerkedeBrikker = 1;

// The object filter of each kind, kept between windows of the kind.
uint32_t ArtFilter[3] = {kAlleObjFilter, kAlleObjFilter, kAlleObjFilter};

uint32_t &FilterFor(char art) { return ArtFilter[art == SKE_ANFO ? 1 : art == SKE_LOKA ? 2 : 0]; }

bool TvungenAlle(const SkeStruct *ske) {
  return GlobalIndstillinger.supertavo || GlobalIndstillinger.skemalaast || ske->SaerligVisning;
}

uint8_t Bogstav(const SkeStruct *ske) { return ske->pObjTd ? ske->pObjTd->TypeBogstav : 0; }

void RydBlok(SkeStruct *ske) {
  std::memset(ske->BlokHjoerner, 0, sizeof ske->BlokHjoerner);
  ske->BlokAktiv = 0;
}

void RydMaerker(SkeStruct *ske) {
  for (uint32_t i = 1; i <= ske->SkeVisAntal && ske->lpSkeVisListe; ++i)
    if (ske->lpSkeVisListe[i].FarveKode == FARVE_MAERKET) ske->lpSkeVisListe[i].FarveKode = 0;
}

uint32_t ViseDage(const VisningsTilstandRec &v) {
  return v.SidsteUgedag >= v.FoersteUgedag ? v.SidsteUgedag - v.FoersteUgedag + 1u : 0u;
}

// The visible events of the window's view, with their marks.
void ByggVisListe(SkeStruct *ske) {
  if (ske->AlleObjekter)
    ByggeSkeVisListeUge(ske, IndeksTilUge(SkeAktuelUgeIndeks(ske)));
  else
    ByggeSkeVisListeObjekt(ske, SkeRaekkeObjekt(ske, ske->AktuelObjRaekke));
  MarkerBegivenheder(ske);
}

void Genbyg(SkeStruct *ske, bool tegn) {
  OpdaterEfterAendring(ske, true, false);
  ByggVisListe(ske);
  if (tegn) OpdaterSkemaVindue(ske, 1);
}

// The current rows follow the object axis's cursor.
void FoelgObjAkse(SkeStruct *ske) {
  if (ske->AlleObjekter)
    ske->AktuelObjRaekke = ske->ObjPos.Aktuel;
  else
    ske->AktuelUgeRaekke = ske->ObjPos.Aktuel;
}

void TjekLaastUge(HWND h, SkeStruct *ske) { SendMessageA(h, SKE_LAAST_UGE, SkeAktuelUgeIndeks(ske), 0); }

void Besked(const char *tekst, const char *titel) {
  MessageBoxA(hwndHoved, tekst, titel, MB_OK | MB_ICONEXCLAMATION);
}

// ---- Geometry.

uint32_t Bredde(const SkeStruct *ske, uint32_t tilbudt) {
  const uint8_t b = Bogstav(ske);
  if (ske->Layout == 'L') {
    const uint32_t art = SkeObjSwitchArt(ske), brk = SkeBrkSwitchArt(ske);
    const uint32_t hoved = ObjSwitchBredde(art, b, ObjSwitchValgt(art, b));
    const uint32_t felt = BrkSwitchBredde(brk, b, BrkSwitchValgt(brk, b));
    return CalcSkemaWndWidth(hoved, felt, kLodretTidBredde, ske->pObjTd, ske->pObjTv, ske->ObjFilter, tilbudt,
                             ske->EtObjekt ? 2 : 0, ske->AlleObjekter != 0);
  }
  return CalcSkemaWndWidthV(SkemaHovedBredde(ske), tilbudt, ske->Visning, ske->Layout,
                            ske->Visning == 'T' ? kSlotBredde : kLektionBredde, 0);
}

uint32_t Hoejde(const SkeStruct *ske, uint32_t tilbudt) {
  if (ske->Layout == 'L') return CalcSkemaWndHeight(tilbudt, ske->Variant == 'B', 0, ske->Visning);
  return CalcSkemaWndHeightV(ske, tilbudt, 0);
}

uint32_t Tilbudt(HWND h, bool bredde) {
  RECT r{};
  if (HWND p = GetParent(h)) GetClientRect(p, &r);
  const LONG v = bredde ? r.right - r.left : r.bottom - r.top;
  return v > 0 ? static_cast<uint32_t>(v) : static_cast<uint32_t>(kMaksPixel);
}

// ---- The key table of the event operations.

struct TastRaekke {
  UINT tast;
  SkemaTastTjekFn tjek;
  SkemaTastUdfoerFn udfoer;
};
TastRaekke TastTab[] = {
    {VK_RETURN, nullptr, nullptr}, {'D', nullptr, nullptr},       {'F', nullptr, nullptr},
    {'M', nullptr, nullptr},       {'P', nullptr, nullptr},       {'T', nullptr, nullptr},
    {'X', nullptr, nullptr},       {'Y', nullptr, nullptr},       {'R', nullptr, nullptr},
    {'S', nullptr, nullptr},       {VK_DELETE, nullptr, nullptr}, {VK_SPACE, nullptr, nullptr},
    {VK_INSERT, nullptr, nullptr}, {'V', nullptr, nullptr},       {VK_ADD, nullptr, nullptr},
    {VK_OEM_PLUS, nullptr, nullptr},
};

TastRaekke *FindTast(UINT tast) {
  for (TastRaekke &r : TastTab)
    if (r.tast == tast) return &r;
  return nullptr;
}

bool ErPlacering(const TastInfo &t) {
  if (t.ctrl || t.alt) return false;
  switch (t.wParam) {
    case VK_RETURN: case 'D': case 'F': case 'M': case 'P': case 'T': case 'X': return true;
    case 'Y': return t.shift != 0;
    default: return false;
  }
}
bool ErIndsaet(const TastInfo &t) { return t.wParam == VK_INSERT || t.wParam == 'V'; }
bool ErKopi(const TastInfo &t) { return t.wParam == VK_ADD || t.wParam == VK_OEM_PLUS; }

bool ErPil(UINT tast) { return tast == VK_LEFT || tast == VK_RIGHT || tast == VK_UP || tast == VK_DOWN; }

// Ctrl+PgUp / Ctrl+PgDn: the step and the top of the shown range.
bool TrinSkift(const SkeStruct *ske, int retning, uint32_t *foerste, uint32_t *sidste) {
  if (ske->Visning != 'L' && ske->Visning != 'T') return false;
  const VisningsTilstandRec &v = VisningsTilstandFor(ske->Visning);
  const uint32_t trin = ske->Visning == 'T' ? 3 : 1;
  // The shown steps are cells of one day whatever the number of days shown:
  // a range past the day's last cell would leave the axes no width. A step
  // that would pass either end stops at it, so the day's first and last
  // cells can always be shown.
  const uint32_t top = ske->Visning == 'T' ? kSlotsPrDag : kLektionerPrDag;
  if (v.SidsteSlot < v.FoersteSlot) return false;
  const uint32_t bredde = v.SidsteSlot - v.FoersteSlot;
  if (retning > 0) {
    if (v.SidsteSlot >= top) return false;
    *sidste = std::min(v.SidsteSlot + trin, top);
    *foerste = *sidste - bredde;
  } else {
    if (v.FoersteSlot <= 1) return false;
    *foerste = v.FoersteSlot > trin ? v.FoersteSlot - trin : 1;
    *sidste = *foerste + bredde;
  }
  return true;
}

// PgUp / PgDn without Ctrl: the week shown (all objects) or a page of the
// object axis (one object, whose rows are weeks).
bool SideSkift(SkeStruct *ske, UINT tast, bool udfoer) {
  if (ske->AlleObjekter) {
    const uint32_t r = ske->AktuelUgeRaekke;
    const uint32_t ny = tast == VK_PRIOR ? (r > 1 ? r - 1 : r) : (r < ske->UgeAntal ? r + 1 : r);
    if (ny == r || ny == 0) return false;
    if (udfoer) ske->AktuelUgeRaekke = ny;
    return true;
  }
  GridPos *pos = &ske->ObjPos;
  const bool flyt = GridTastFlytTrin(pos, tast, 0, 0, false, udfoer ? 0 : 1);
  if (flyt && udfoer) FoelgObjAkse(ske);
  return flyt;
}

}  // namespace

// ==================================================================== views

void SkemaTitel(const SkeStruct *ske, char *tekst, size_t str) {
  static const char *const kGitter[3][3] = {
      {" En aktivitetet i alle uger", " Alle aktiviteter i en uge", " Aktuelle aktiviteter i en uge"},
      {" Et lokale i alle uge", " Alle lokaler i en uge", " Aktuelle lokaler i en uge"},
      {" En medarbejder i alle uger", " Alle medarbejdere i en uge", " Aktuelle medarbejdere i en uge"},
  };
  static const char *const kPrik[3][2] = {
      {" Prikskema en aktivitet", " Prikskema alle aktiviteter"},
      {" Prikskema et lokale", " Prikskema alle lokaler"},
      {" Prikskema en medarbejder", " Prikskema alle medarbejdere"},
  };
  if (!tekst || str == 0) return;
  const int art = ske->ObjektArt == SKE_LOKA ? 1 : ske->ObjektArt == SKE_ANFO ? 2 : 0;
  const char *titel = ske->Layout == 'V' ? kPrik[art][ske->AlleObjekter ? 1 : 0]
                                         : kGitter[art][ske->AlleObjekter ? (ske->KunAktuelle ? 2 : 1) : 0];
  std::snprintf(tekst, str, "%s%s", titel, ske->Variant == 'A' ? " - [Auto skema mode]" : "");
}

SkemaSwitchArter SkemaSwitchArterFor(const SkeStruct *ske) {
  const uint32_t a = SkeObjSwitchArt(ske);
  // The tile grid's and the one-object kinds run in order; the other dot
  // schedules put the tile kind's window first.
  if (ske->Layout == 'L' || ske->EtObjekt) return {SkeBrkSwitchArt(ske), {a, a + 1, a + 2}};
  return {SkeBrkSwitchArt(ske), {a, a - 1, a + 1}};
}

void SkiftSkemaVisning(SkeStruct *ske, char visning) {
  ske->Visning = visning;
  ske->VisIndeks = SkeVisIndeks(visning);
  ske->Vis = VisningsTilstandFor(visning);
  AktuelAVS.Placering = visning;
  SkemaAkseOpsaet(ske);
  SaetHovedBredde(ske);
  if (ske->Layout == 'L') {
    SkemaAkser(ske);
    ske->Ens.RaekkeHovedBredde = kLodretTidBredde;
  }
  // Both layouts count the time axis alike, which the cell look-ups share.
  const uint32_t kol = ViseDage(ske->Vis) * KolonnerPrDag(ske);
  ske->TidPos.Antal = kol;
  ske->TidPos.Foerste = 1;
  const uint32_t aktuel = ske->TidPos.Aktuel;  // the cursor record is packed
  ske->TidPos.Aktuel = kol ? std::clamp<uint32_t>(aktuel, 1, kol) : 0;
  RydBlok(ske);
}

bool SaetSkemaTast(UINT tast, SkemaTastTjekFn tjek, SkemaTastUdfoerFn udfoer) {
  TastRaekke *r = FindTast(tast);
  if (!r) return false;
  r->tjek = tjek;
  r->udfoer = udfoer;
  return true;
}

// ==================================================================== keys

bool SkemaTastTjek(HWND hwnd, SkeStruct *ske, const TastInfo &t, int mode) {
  const bool vis = mode == KMD_UDFOER;
  const UINT tast = t.wParam;
  Ens &e = ske->Ens;
  // The refusals every editing key shares come before the key's own check.
  if (ske->SaerligVisning && (ErPlacering(t) || ErIndsaet(t))) {
    if (vis) Besked(kSkemaEnStatus, "Fejl");
    return false;
  }
  if (ErKopi(t)) {
    if (GlobalIndstillinger.supertavo || GlobalIndstillinger.skemalaast) {
      if (vis) Besked(GlobalIndstillinger.supertavo ? kSkemaKopiSuperTavo : kSkemaKopiLaast, "Skema");
      return false;
    }
  }
  if (ErPil(tast)) {
    GridPos *pos = tast == VK_LEFT || tast == VK_RIGHT ? e.StyrX : e.StyrY;
    if (!pos || pos->Antal == 0) return false;
    if (!t.shift && vis) RydBlok(ske);
    if (t.shift && vis && !BlokTjek(ske, true)) RydBlok(ske);
    return GridTastFlytTrin(pos, tast, t.ctrl, t.alt, false, 1);
  }
  switch (tast) {
    case VK_PRIOR:
    case VK_NEXT: {
      if (!t.ctrl) return SideSkift(ske, tast, false);
      uint32_t f, s;
      return TrinSkift(ske, tast == VK_NEXT ? 1 : -1, &f, &s);
    }
    case VK_END:
      if (!t.ctrl) return false;
      return ske->Vis.SidsteUgedag < 7;
    case VK_HOME:
      if (!t.ctrl) return false;
      return ske->Vis.FoersteUgedag > 1;
    case VK_ESCAPE:
      return true;
    case VK_APPS:
      return KmdHoejreklik(hwnd, 0, 0, mode);
    case VK_F4:
      return KmdLukVindue(hwnd, 0, 0, true, mode);
    case VK_F2:
      return true;
    case 'H':
      return !t.ctrl && !t.alt;
    case 'I':
      if (!t.ctrl) break;
      if ((ske->Visning == 'L' && hwndBrikInd && IsWindow(hwndBrikInd)) ||
          (!ske->AlleObjekter && ske->ObjektArt == SKE_AKTI))
        return false;
      return true;
    case 'L':
      if (t.ctrl) return ske->Tilstand == 'V';
      break;
    case 'U':
      if (t.ctrl) return ske->Layout == 'V' && ske->AlleObjekter;
      return CountUvfoAkti(ske, ske->ObjPos.Aktuel) > 1;
    case 'A':
      if (!t.ctrl && !t.alt) return true;
      break;
  }
  if (tast >= '0' && tast <= '9' && !t.alt) return true;
  if (TastRaekke *r = FindTast(tast); r && r->tjek) return r->tjek(hwnd, ske, t, mode);
  return true;
}

SkemaTastSvar SkemaTastUdfoer(HWND hwnd, SkeStruct *ske, const TastInfo &t) {
  SkemaTastSvar svar;
  const UINT tast = t.wParam;
  Ens &e = ske->Ens;
  if (ErPil(tast)) {
    const bool vandret = tast == VK_LEFT || tast == VK_RIGHT;
    GridPos *pos = vandret ? e.StyrX : e.StyrY;
    if (!pos) return svar;
    const uint32_t gammelUge = SkeAktuelUgeIndeks(ske);
    // A held Left or Right in time mode steps three slots.
    const bool tre = vandret && ske->Visning == 'T' && (t.lParam & 0x40000000u);
    GridTastFlytTrin(pos, tast, t.ctrl, t.alt, tre, 0);
    if (t.shift && ske->BlokAktiv && e.StyrX && e.StyrY) UdvidBlok(hwnd, ske, e.StyrX->Aktuel, e.StyrY->Aktuel);
    svar.tegn = SKE_TEGN_MARKOER | SKE_TEGN_RAEKKE;
    if (pos == &ske->ObjPos) {
      FoelgObjAkse(ske);
      if (!ske->AlleObjekter && SkeAktuelUgeIndeks(ske) != gammelUge) {
        svar.genbyg = true;
        TjekLaastUge(hwnd, ske);
      }
    }
    return svar;
  }
  switch (tast) {
    case VK_PRIOR:
    case VK_NEXT: {
      if (t.ctrl) {
        uint32_t f, s;
        if (!TrinSkift(ske, tast == VK_NEXT ? 1 : -1, &f, &s)) return svar;
        VisningsTilstandRec &v = VisningsTilstandFor(ske->Visning);
        v.FoersteSlot = f;
        v.SidsteSlot = s;
        SkiftSkemaVisning(ske, ske->Visning);
        svar.genbyg = true;
        svar.tegn = SKE_TEGN_ALT;
        return svar;
      }
      const UgeIndeks gammel = SkeAktuelUgeIndeks(ske);
      SideSkift(ske, tast, true);
      if (SkeAktuelUgeIndeks(ske) != gammel) {
        RydBlok(ske);
        RydMaerker(ske);
        ske->Tilstand = 'V';
        TjekLaastUge(hwnd, ske);
      }
      svar.genbyg = true;
      svar.tegn = SKE_TEGN_ALT;
      return svar;
    }
    case VK_END:
    case VK_HOME: {
      if (!t.ctrl) return svar;
      VisningsTilstandRec &v = VisningsTilstandFor(ske->Visning);
      if (tast == VK_END && v.SidsteUgedag < 7) ++v.FoersteUgedag, ++v.SidsteUgedag;
      if (tast == VK_HOME && v.FoersteUgedag > 1) --v.FoersteUgedag, --v.SidsteUgedag;
      SkiftSkemaVisning(ske, ske->Visning);
      svar.genbyg = true;
      svar.tegn = SKE_TEGN_ALT;
      return svar;
    }
    case VK_ESCAPE:
      ske->Tastet[0] = '\0';
      RydBlok(ske);
      if (ske->Tilstand == 'R' || ske->Tilstand == 'S') {
        RydMaerker(ske);
        if (!ske->BlokAktiv) {
          ske->Tilstand = 'V';
          ske->SygdomFlag = 0;
          ske->Statustekst[0] = '\0';
          SkemaTitel(ske, e.Titel, sizeof e.Titel);
        }
      } else {
        ske->LagVis = 0;
        if (ske->SaerligVisning) {
          ske->SaerligVisning = 0;
          ske->ObjFilter = FilterFor(ske->ObjektArt);
          free(ske->Ens.ObjTab);
          ske->Ens.ObjTab = nullptr;
          ske->Ens.ObjTabAntal = 0;
        }
        svar.genbyg = true;
      }
      svar.tegn = SKE_TEGN_ALT;
      return svar;
    case VK_F2:
    case VK_F4:
      if (hwndHoved && hwndHoved != hwnd && IsWindow(hwndHoved)) SendTast(hwndHoved, tast, false, false, false);
      return svar;
    case 'H':
      IkkeTilgaengelig(hwndHoved, 'H');
      return svar;
    case 'A':
      if (t.ctrl || t.alt) break;
      if (e.hwndToolbar) SendMessageA(e.hwndToolbar, TB_GRUPPE_INDEKS, 0, 0);
      return svar;
    case 'I':
      if (!t.ctrl) break;
      if (e.hwndToolbar) SendMessageA(e.hwndToolbar, TB_RING_NAESTE, 10, 0);
      SendMessageA(hwnd, RING_VALGT_INDEKS, 0, 0);
      return svar;
    case 'L':
      if (!t.ctrl) break;
      ske->LagVis = ske->LagVis ? 0 : 1;
      svar.genbyg = true;
      svar.tegn = SKE_TEGN_ALT;
      return svar;
    case 'E':
      if (!t.ctrl) break;
      if (ske->ObjektArt == SKE_AKTI) {
        const uint32_t akti =
            SkeRaekkeObjekt(ske, ske->AlleObjekter ? ske->ObjPos.Aktuel : ske->AktuelObjRaekke);
        if (akti) VisEleverPaaHold(hwnd, akti);
      }
      return svar;
    case 'O':
      if (t.ctrl) return AutoSkemaVisning(hwnd, ske);
      break;
    case 'Z':
      if (!t.ctrl) break;
      VisMaerkedeBrikker = VisMaerkedeBrikker ? 0 : 1;
      SendTilAlleVinduer(OBJVINDUE_OPRETTET, 0, 0, 0);
      return svar;
    case 'U':
      if (!t.ctrl) return svar;
      ske->FagSkift = ske->FagSkift ? 0 : 1;
      if (e.hwndToolbar)
        SendMessageA(e.hwndToolbar, GRUPPE_SAET, ske->FagSkift ? static_cast<uint32_t>('U') : FilterFor(ske->ObjektArt), 0);
      if (hwndHoved && IsWindow(hwndHoved)) SendTast(hwndHoved, VK_F3, false, false, false);
      return svar;
  }
  if (tast >= '0' && tast <= '9' && !t.alt) {
    GridCifferIndtast(hwnd, tast, false, true, 0, ske->Tastet, sizeof ske->Tastet, KMD_UDFOER);
    return svar;
  }
  if (TastRaekke *r = FindTast(tast); r && r->udfoer) return r->udfoer(hwnd, ske, t);
  return svar;
}

// ==================================================================== window

namespace {

TastInfo GenvejTast(int32_t shift, int32_t ctrl, uint32_t tast) {
  return TastInfo{shift, ctrl, 0, WM_KEYDOWN, tast, 0, 0, 0};
}

// The keys of every view; those the window cannot carry out now are
// greyed by the pick list itself.
const ShortCutPost kGenvejPoster[] = {
    {GenvejTast(0, 0, VK_ESCAPE), "<Esc>", "Annuller markering og særlig visning."},
    {GenvejTast(0, 1, 'L'), "<Ctrl> + <l>", "Antal lag (Ctrl+L)."},
    {GenvejTast(0, 1, VK_PRIOR), "<Ctrl> + <Pgup>", "Vis tidligere lektioner / tider."},
    {GenvejTast(0, 1, VK_NEXT), "<Ctrl> + <Pgdn>", "Vis senere lektioner / tider."},
    {GenvejTast(0, 1, VK_HOME), "<Ctrl> + <Home>", "Vis en dag tidligere."},
    {GenvejTast(0, 1, VK_END), "<Ctrl> + <End>", "Vis en dag senere."},
    {GenvejTast(0, 1, 'Z'), "<Ctrl> + <z>", "Vis / skjul markerede brikker."},
    {GenvejTast(0, 1, 'E'), "<Ctrl> + <e>", "Vis holdets elever."},
    {GenvejTast(0, 0, VK_F4), "<F4>", "Luk vindue."},
    {TastInfo{}, "", ""},
};
ShortCutTabel Genveje{0, kGenvejPoster};

// What the creation hands WM_CREATE.
struct OpretArg {
  SkeStruct *ske;
  uint32_t objekt;
};

SkeStruct *Ske(HWND h) { return reinterpret_cast<SkeStruct *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

void Tegn(SkeStruct *ske, uint32_t flag) {
  if (flag & (SKE_TEGN_ALT | SKE_TEGN_GENBYG)) EnsPaintFrame(&ske->Ens);
  OpdaterSkemaVindue(ske, flag & SKE_TEGN_ALT ? 1 : 0);
}

// The panes paint themselves with the painters of the layout: the tile grid
// has its objects across and the time running down.
void TegnRude(SkeStruct *ske, UINT msg, HWND rude) {
  Ens &e = ske->Ens;
  ske->Tegner = 1;
  const bool lodret = ske->Layout == 'L';
  // The corner above the row headers.
  const auto Hjoerne = [&] {
    if (!lodret) {
      OpdaterHjoerne(ske);
    } else if (e.dc[ENSDC_HJOERNE_V].hdc) {
      EnsDCMaler m(&e.dc[ENSDC_HJOERNE_V], ske);
      OpdaterLodretHjoerne(ske, &m);
    }
  };
  switch (msg) {
    case ENS_KOLHOVED_TEGN:
      if (rude && rude != e.hwndKolHoved) {
        Hjoerne();
      } else if (lodret) {
        OpdaterLodretHoveder(ske, SKE_TEGN_ALT);
      } else {
        EnsDCMaler m(&e.dc[ENSDC_KOLHOVED]);
        OpdaterHoveder(ske, &m, SKE_TEGN_ALT);
      }
      break;
    case ENS_RAEKKEHOVED_TEGN:
      if (!lodret) {
        OpdaterRaekkeHoveder(ske, SKE_TEGN_ALT);
      } else if (e.dc[ENSDC_RAEKKEHOVED].hdc) {
        EnsDCMaler m(&e.dc[ENSDC_RAEKKEHOVED], ske);
        OpdaterLodretRaekker(ske, &m, SKE_TEGN_ALT);
      }
      break;
    case ENS_CELLER_TEGN: {
      EnsDCMaler m(&e.dc[ENSDC_CELLER], ske);
      if (lodret) OpdaterLodretCeller(ske, &m, SKE_TEGN_ALT);
      else OpdaterCeller(ske, &m, SKE_TEGN_ALT, e.RudeB[ENS_CELLER]);
      break;
    }
    case TB_RUDE_TEGN:
      Hjoerne();
      break;
  }
  ske->Tegner = 0;
}

void Aktiver(HWND h, SkeStruct *ske, UINT msg, WPARAM wParam) {
  Ens &e = ske->Ens;
  e.Aktiv = 1;
  e.CaptionAktiv = 1;
  if (!ske->EtObjekt) VinduesListeTilTop(h);
  if (msg == VINDUE_AKTIVER && e.hwndParent) {
    SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(h));
    if (Ske(h) != ske) return;
  }
  if (ske->Variant == 'B' && ske->Tilstand == 'R' && ske->hwndIndlejret) {
    SendMessageA(h, SKE_STATUSTEKST, 0, reinterpret_cast<LPARAM>(ske->Statustekst));
    SendMessageA(ske->hwndIndlejret, kPartnerSke, 0, reinterpret_cast<LPARAM>(ske));
  }
  if (ske->RetStartet) {
    RydMaerker(ske);
    ske->Tilstand = 'V';
    ske->RetStartet = 0;
    ske->SygdomFlag = 0;
    ske->Statustekst[0] = '\0';
    SkemaTitel(ske, e.Titel, sizeof e.Titel);
  }
  // Another window may have moved the program's week meanwhile.
  if (ske->AlleObjekter && SkemaPeriode.AktuelUgeIndeks != SkeAktuelUgeIndeks(ske)) {
    ske->AktuelUgeRaekke = FindUgeRaekke(ske, SkemaPeriode.AktuelUgeIndeks);
    Genbyg(ske, false);
  }
  Tegn(ske, SKE_TEGN_ALT);
}

bool BlivAktiv(HWND h, SkeStruct *ske) {
  if (ske->Ens.Aktiv) return true;
  if (ske->Variant == 'N' || ske->Variant == 'A') {
    if (hwndHoved && IsWindow(hwndHoved)) SendMessageA(hwndHoved, HOVED_INTET_INPUT, 0, static_cast<LPARAM>(h));
  } else if (ske->Ens.hwndParent &&
             !SendMessageA(ske->Ens.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) {
    return false;
  }
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  return IsWindow(h) && Ske(h) == ske;
}

uint32_t CelleVed(const GridAkse *a, int pixel, uint32_t scroll, uint32_t antal) {
  if (pixel < 0 || antal == 0) return 0;
  const uint32_t c = GridPixelTilCelle(a, static_cast<uint32_t>(pixel) + scroll);
  return std::clamp<uint32_t>(c, 1, antal);
}

void Klik(HWND h, SkeStruct *ske, UINT msg, LPARAM lParam) {
  Ens &e = ske->Ens;
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  if (e.StyrX && msg != ENS_RAEKKEHOVED_NED)
    if (uint32_t c = CelleVed(&e.AkseX, x, e.ScrollX, e.StyrX->Antal)) e.StyrX->Aktuel = c;
  if (e.StyrY && msg != ENS_KOLHOVED_NED)
    if (uint32_t c = CelleVed(&e.AkseY, y, e.ScrollY, e.StyrY->Antal)) e.StyrY->Aktuel = c;
  RydBlok(ske);
  const UgeIndeks gammel = SkeAktuelUgeIndeks(ske);
  FoelgObjAkse(ske);
  if (!BlivAktiv(h, ske)) return;
  if (!ske->AlleObjekter && SkeAktuelUgeIndeks(ske) != gammel) {
    Genbyg(ske, false);
    TjekLaastUge(h, ske);
  }
  if (msg == ENS_CELLER_NED && e.StyrX && e.StyrY) KlikCelle(h, ske, e.StyrX->Aktuel, e.StyrY->Aktuel, true);
  Tegn(ske, SKE_TEGN_MARKOER | SKE_TEGN_RAEKKE);
}

// The pane the mouse is over, as the panes report it before their relays.
HWND MusRude = 0;

// A drag over the cell pane of the active window: the cell under the mouse
// becomes the current cell, and reaching another cell goes on choosing.
void Traek(HWND h, SkeStruct *ske, WPARAM knapper, LPARAM lParam) {
  Ens &e = ske->Ens;
  if (!(knapper & MK_LBUTTON) || !e.Aktiv || !e.StyrX || !e.StyrY || MusRude != e.hwndCeller) return;
  const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
  const uint32_t kol = CelleVed(&e.AkseX, x, e.ScrollX, e.StyrX->Antal);
  const uint32_t raekke = CelleVed(&e.AkseY, y, e.ScrollY, e.StyrY->Antal);
  if (!kol || !raekke) return;
  if (ske->TraekTaellere[1] == kol && ske->TraekTaellere[2] == raekke) return;
  // The block starts at the cell the drag left first.
  const bool blok = BlokTjek(ske, false);
  e.StyrX->Aktuel = kol;
  e.StyrY->Aktuel = raekke;
  KlikCelle(h, ske, kol, raekke, false);
  if (blok)
    UdvidBlok(h, ske, kol, raekke);
  else
    RydBlok(ske);
  Tegn(ske, SKE_TEGN_MARKOER | SKE_TEGN_RAEKKE);
}

void Tast(HWND h, SkeStruct *ske, const TastInfo &t) {
  if (t.message != WM_KEYDOWN && t.message != WM_SYSKEYDOWN) return;
  if (t.wParam == VK_CONTROL) {
    ske->Tastet[0] = '\0';
    return;
  }
  if (t.message == WM_KEYDOWN && !t.ctrl && !t.alt && !t.shift && IsSearchKey(t.wParam) &&
      (t.wParam < '0' || t.wParam > '9') && ske->Layout == 'V' && ske->AlleObjekter &&
      EnsTypeAhead(&ske->Ens, &ske->ObjPos, t.wParam)) {
    FoelgObjAkse(ske);
    Tegn(ske, SKE_TEGN_RAEKKE);
    SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, h);
    return;
  }
  if (!SkemaTastTjek(h, ske, t, KMD_UDFOER)) return;
  if (!IsWindow(h) || Ske(h) != ske) return;
  const SkemaTastSvar svar = SkemaTastUdfoer(h, ske, t);
  if (!IsWindow(h) || Ske(h) != ske) return;
  if (svar.genbyg) Genbyg(ske, false);
  if (svar.tegn || svar.genbyg) Tegn(ske, svar.tegn | (svar.genbyg ? static_cast<uint32_t>(SKE_TEGN_GENBYG) : 0u));
}

void TastOp(HWND h, SkeStruct *ske, WPARAM tast) {
  switch (tast) {
    case VK_SHIFT:
      RydBlok(ske);
      return;
    case VK_CONTROL: {
      const size_t n = strnlen(ske->Tastet, sizeof ske->Tastet);
      bool cifre = n > 0 && n < sizeof ske->Tastet;
      for (size_t i = 0; cifre && i < n; ++i) cifre = ske->Tastet[i] >= '0' && ske->Tastet[i] <= '9';
      // More than two digits is 31 or more in any case.
      if (cifre && n <= 2 && std::atoi(ske->Tastet) < 31) {
        if (ske->Ens.hwndToolbar) SendMessageA(ske->Ens.hwndToolbar, TB_GRUPPE_INDEKS, std::atoi(ske->Tastet), 0);
        ske->Tastet[0] = '\0';
      }
      return;
    }
    case VK_UP:
    case VK_DOWN:
      if (ske->Layout == 'V' && ske->AlleObjekter) SendMessageA(h, ENS_RAEKKEHOVED_TEGN, 0, 0);
      break;
  }
  switch (tast) {
    case VK_PRIOR: case VK_NEXT: case VK_END: case VK_HOME:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
      SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, h);
      break;
  }
}

void VaelgFilter(HWND h, SkeStruct *ske, WPARAM klasse) {
  // A class beyond the 31 of the mask is none the toolbar can name.
  if (klasse > 31) return;
  ske->ObjFilter = klasse == 31 ? kAlleObjFilter : 1u << klasse;
  FilterFor(ske->ObjektArt) = ske->ObjFilter;
  free(ske->Ens.ObjTab);
  ske->Ens.ObjTab = nullptr;
  ske->Ens.ObjTabAntal = 0;
  free(ske->LagTabNo);
  ske->LagTabNo = nullptr;
  if (ske->Layout == 'V') {
    free(ske->Ens.UgeTab);
    ske->Ens.UgeTab = nullptr;
    ske->UgeAntal = 0;
  }
  Genbyg(ske, true);
  if (ske->Ens.hwndToolbar) SendMessageA(ske->Ens.hwndToolbar, GRUPPE_SAET, ske->ObjFilter, 0);
  SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, h);
}

// Marks the visible events of the own installation that answer the find
// description on the properties the status text names. Nothing is deleted:
// what a match should undergo is not settled.
void Sammenlign(SkeStruct *ske) {
  AVS avs{};
  for (uint32_t i = 1; i <= ske->SkeVisAntal && ske->lpSkeVisListe; ++i) {
    const SkeRec *r = VisFoersteRaekke(ske->lpSkeVisListe[i]);
    if (!r || r->Ejer != GlobalIndstillinger.insnr) continue;
    HentVisAVS(ske, &avs, i, false);
    if (OpfylderSoegning(avs, ske->SoegAVS, ske->Statustekst)) ske->lpSkeVisListe[i].FarveKode = FARVE_MAERKET;
  }
  CleanupAVS(&avs);
}

void Knap(HWND h, SkeStruct *ske, WPARAM wParam, LPARAM lParam) {
  const WPARAM kmd = lParam ? static_cast<WPARAM>(lParam) : wParam;
  switch (kmd) {
    case NYB_MINIMER: EnsMinimize(h, &ske->Ens); return;
    case NYB_LUK: DestroyWindow(h); return;
    case NYB_MAKSIMER: EnsMaximize(h, &ske->Ens); return;
  }
  if (wParam == 0 && lParam == 0) {
    ske->VisTommeRaekker = ske->VisTommeRaekker ? 0 : 1;
    free(ske->Ens.ObjTab);
    ske->Ens.ObjTab = nullptr;
    ske->Ens.ObjTabAntal = 0;
    Genbyg(ske, true);
    return;
  }
  const uint32_t nr = wParam >= ENS_SKIFT_ID ? static_cast<uint32_t>(wParam - ENS_SKIFT_ID)
                      : wParam >= 50          ? static_cast<uint32_t>(wParam - 50)
                                              : UINT32_MAX;
  if (nr >= ske->SkiftAntal) return;
  HWND *knap = ske->Ens.hwndSwitchButtons;
  if (knap && ske->BrikLayout < ske->SkiftAntal && knap[ske->BrikLayout])
    SendMessageA(knap[ske->BrikLayout], NYB_LAAS_OP, 0, 0);
  if (knap && knap[nr]) SendMessageA(knap[nr], NYB_LAAS_NED, 0, 0);
  ske->BrikLayout = static_cast<uint8_t>(nr);
  BrkSwitchVaelg(SkeBrkSwitchArt(ske), Bogstav(ske), nr);
  SkiftSkemaVisning(ske, ske->Visning);
  RECT rc;
  GetClientRect(h, &rc);
  EnsOnSize(&ske->Ens, h, rc.right, rc.bottom, ske->SkiftAntal);
  Tegn(ske, SKE_TEGN_ALT);
}

void Opret(HWND h, SkeStruct *ske, uint32_t objekt) {
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ske));
  ske->hwndSelv = h;
  Ens &e = ske->Ens;
  e.hwndParent = GetParent(h);
  e.EgenRamme = ske->Variant == 'B' ? 0 : 1;
  e.ScrollFlag = ENS_SCROLL_H | ENS_SCROLL_V;
  SkemaTitel(ske, e.Titel, sizeof e.Titel);
  const uint8_t b = Bogstav(ske);
  const uint32_t brk = SkeBrkSwitchArt(ske);
  uint32_t antal = 0;
  while (antal < UINT8_MAX && BrkSwitchLayout(brk, b, antal)) ++antal;
  ske->SkiftAntal = static_cast<uint8_t>(antal);
  ske->BrikLayout = static_cast<uint8_t>(BrkSwitchValgt(brk, b));
  SaetHovedBredde(ske);
  if (ske->Layout == 'L') e.RaekkeHovedBredde = kLodretTidBredde;
  if (ske->EtObjekt) {
    ske->ObjFilter = kAlleObjFilter;
  } else if (TvungenAlle(ske)) {
    ske->GemtObjFilter = FilterFor(ske->ObjektArt);
    ske->ObjFilter = kAlleObjFilter;
  } else {
    ske->ObjFilter = FilterFor(ske->ObjektArt);
  }
  e.hdc = GetDC(h);
  RECT rc;
  GetClientRect(h, &rc);
  const int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
  e.Areal[0] = e.EgenRamme ? fx : 0;
  e.Areal[1] = (e.EgenRamme ? fy + GetSystemMetrics(SM_CYCAPTION) : 0) + kToolbarHoejde;
  e.Areal[2] = rc.right - 1 - (e.EgenRamme ? fx : 0);
  e.Areal[3] = rc.bottom - 1 - (e.EgenRamme ? fy : 0);
  e.SkiftBredde = static_cast<uint32_t>(ske->SkiftAntal * GetSystemMetrics(SM_CXVSCROLL));
  EnsCalcLayout(&e);
  e.hwndSwitchButtons = static_cast<HWND *>(calloc(ske->SkiftAntal + 1u, sizeof(HWND)));
  if (!e.hwndSwitchButtons) tavo::AssertFailed("SkeStruct->Ens.hwndSwitchButtons != NULL", "SKEMA", __LINE__);
  const uint32_t toolbar[7] = {static_cast<uint32_t>(ske->ObjektArt), 'R', ske->ObjFilter, 0, 1, 1, 0};
  EnsCreateChildren(&e, h, ske->SkiftAntal, toolbar, TxtFont, ske->Variant != 'B', true, nullptr);
  if (e.hwndSwitchButtons && ske->BrikLayout < ske->SkiftAntal && e.hwndSwitchButtons[ske->BrikLayout])
    SendMessageA(e.hwndSwitchButtons[ske->BrikLayout], NYB_LAAS_NED, 0, 0);

  // The rows: the object asked for (else the table's current one) is the
  // current row; a view of one object shows its weeks.
  if (objekt == 0 && ske->pObjTv) objekt = ske->pObjTv->AktuelRec;
  ByggUgeTab(ske, 0);
  ske->AktuelUgeRaekke = FindUgeRaekke(ske, SkemaPeriode.AktuelUgeIndeks);
  ByggObjTab(ske, ske->AlleObjekter ? IndeksTilUge(SkeAktuelUgeIndeks(ske)) : 0);
  ske->AktuelObjRaekke = std::max<uint32_t>(FindObjIdx(ske->Ens.ObjTab, ske->Ens.ObjTabAntal, objekt), 1);
  if (!ske->AlleObjekter) {
    free(ske->Ens.UgeTab);
    ske->Ens.UgeTab = nullptr;
    ske->UgeAntal = 0;
  }
  // An embedded schedule chooses its cells in the tables of the schedule
  // that owns it.
  char klasse[32] = {};
  if (ske->Variant == 'B' && ske->hwndIndlejret && GetClassNameA(ske->hwndIndlejret, klasse, sizeof klasse) &&
      std::strcmp(klasse, kKlasse) == 0)
    if (SkeStruct *ejer = SkemaVinduesSke(ske->hwndIndlejret)) {
      AllokerBlokke(ejer);
      DelBlokke(ske, ejer);
    }
  if (ske->Variant == 'B' && !ske->Ens.ObjTab) {
    ske->Ens.ObjTab = static_cast<uint32_t *>(calloc(2, sizeof(uint32_t)));
    if (!ske->Ens.ObjTab) tavo::AssertFailed("SkeStruct->Ens.ObjTab != NULL", "SKEMA", __LINE__);
    ske->Ens.ObjTab[1] = objekt;
    ske->Ens.ObjTabAntal = 1;
    ske->AktuelObjRaekke = 1;
  }
  Genbyg(ske, false);
  if (ske->Ens.hwndToolbar) SendMessageA(ske->Ens.hwndToolbar, RING_VIS_ID, ske->RingSystem, 0);
  if (ske->Tilstand == 'V' && ske->Variant != 'B') {
    if (!ske->EtObjekt) VinduesListeTilfoej(h);
    if (e.hwndParent && SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h))) {
      e.Aktiv = 1;
      e.CaptionAktiv = 1;
      SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
    }
  }
  if (TvungenAlle(ske) && ske->AlleObjekter) NaesteBegivenhed(ske);
  LogPrintf("WM_CREATE SkemaWndProc (hwnd: %x)\n", static_cast<unsigned>(h));
  LogMemUsage("SkemaWndProc");
}

void Nedlaeg(HWND h, SkeStruct *ske) {
  ske->Tegner = 0;
  if (ske->Ens.Aktiv) SkjulTooltip();
  VinduesListeFjern(h);
  if (!LukkerAlleVinduer && hwndHoved && hwndHoved != h && IsWindow(hwndHoved))
    SendMessageA(hwndHoved, HOVED_VINDUE_LUKKET, 0, static_cast<LPARAM>(h));
  SetWindowLongPtrA(h, GWLP_USERDATA, 0);
  if (ske->hwndGenvej && IsWindow(ske->hwndGenvej)) DestroyWindow(ske->hwndGenvej);
  FrigivSkeStruct(ske);
  free(ske);
  LogPrintf("WM_DESTROY SkemaWndProc (hwnd: %x)\n", static_cast<unsigned>(h));
  LogMemUsage("SkemaWndProc");
}

void LaastUge(SkeStruct *ske, WPARAM uge) {
  (void)ske;
  if (LaastAdvaret || SkemaPeriode.LaasDato == 0) return;
  if (uge < 1 || uge > SkemaPeriode.AntalUger) return;
  if (UgeDagTilDato(IndeksTilUge(static_cast<UgeIndeks>(uge)), 1) > SkemaPeriode.LaasDato) return;
  LaastAdvaret = 1;
  Besked(kSkemaLaastPeriode, "Låst periode");
}

}  // namespace

HWND CreateSkemaWnd(HINSTANCE inst, HWND parent, HWND ejer, char art, int venstre, int top, int hoejre, int bund,
                    uint32_t objekt, const uint32_t *ugeTab, char visning, char layout, char variant, char fjerde,
                    char tilstand, uint8_t etObjekt, uint8_t alleObjekter, uint32_t valg, uint32_t kommando) {
  (void)ugeTab;
  auto *ske = static_cast<SkeStruct *>(calloc(1, sizeof(SkeStruct)));
  if (!ske) tavo::AssertFailed("SkeStruct != NULL", "SKEMA", __LINE__);
  LaastAdvaret = 0;
  InitSkeStruct(ske, art, visning, layout, variant, tilstand, alleObjekter);
  ske->Ens.hInstance = inst;
  ske->Ens.hwndParent = parent;
  ske->Ens.pTd = ske->pObjTd;
  ske->Ens.pTv = ske->pObjTv;
  ske->hwndIndlejret = ejer && ejer != hwndHoved ? ejer : 0;
  ske->FjerdeBogstav = fjerde;
  ske->EtObjekt = etObjekt;
  ske->AndetValg = valg & 1 ? 1 : 0;
  ske->KunAktuelle = valg & 2 ? 1 : 0;
  ske->MenuKommando = kommando;
  ske->ObjFilter = etObjekt ? kAlleObjFilter : FilterFor(art);
  SkiftSkemaVisning(ske, visning);
  const uint32_t b = Bredde(ske, static_cast<uint32_t>(std::max(hoejre - venstre, 0)));
  const uint32_t h = Hoejde(ske, static_cast<uint32_t>(std::max(bund - top, 0)));
  OpretArg opret{ske, objekt};
  HWND hwnd = CreateWindowExA(0, kKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, venstre, top,
                              static_cast<int>(b), static_cast<int>(h), parent,
                              static_cast<HMENU>(kommando), inst, &opret);
  if (!hwnd && !ske->hwndSelv) {
    FrigivSkeStruct(ske);
    free(ske);
  }
  return hwnd;
}

SkeStruct *SkemaVinduesSke(HWND hwnd) { return hwnd && IsWindow(hwnd) ? Ske(hwnd) : nullptr; }

int32_t SkemaLektionsHoejde(uint32_t tilbudt) {
  return static_cast<int32_t>(CalcSkemaWndHeight(tilbudt, true, 0, 'L'));
}

int32_t SkemaElementBredde(char art) {
  auto *ske = static_cast<SkeStruct *>(calloc(1, sizeof(SkeStruct)));
  if (!ske) return 150;
  InitSkeStruct(ske, art, 'L', 'L', 'N', 'V', 1);
  ske->EtObjekt = 1;
  ske->ObjFilter = kAlleObjFilter;
  const uint32_t b = Bredde(ske, kMaksPixel);
  FrigivSkeStruct(ske);
  free(ske);
  return static_cast<int32_t>(b);
}

LRESULT CALLBACK SkemaWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    const auto *o = static_cast<const OpretArg *>(reinterpret_cast<CREATESTRUCTA *>(lParam)->lpCreateParams);
    if (!o || !o->ske) return -1;
    Opret(h, o->ske, o->objekt);
    return 0;
  }
  SkeStruct *ske = Ske(h);
  if (!ske) return DefWindowProcA(h, msg, wParam, lParam);
  Ens &e = ske->Ens;
  switch (msg) {
    case WM_DESTROY:
      Nedlaeg(h, ske);
      return 0;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) {
        EnsOnSize(&e, h, LOWORD(lParam), HIWORD(lParam), ske->SkiftAntal);
        Tegn(ske, SKE_TEGN_ALT);
      }
      return 0;
    case WM_SETFOCUS:
      // An embedded schedule gets its keys from the window that owns it; the
      // main window would hand them to the window active behind it.
      if (ske->Variant == 'B' && ske->hwndIndlejret && IsWindow(ske->hwndIndlejret))
        SetFocus(ske->hwndIndlejret);
      else if (hwndHoved && hwndHoved != h && IsWindow(hwndHoved))
        SetFocus(hwndHoved);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      EnsPaintFrame(&e);
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, 0);
      return 0;
    case WM_GETMINMAXINFO: {
      auto *mm = reinterpret_cast<MINMAXINFO *>(lParam);
      mm->ptMaxTrackSize.x = static_cast<LONG>(Bredde(ske, kMaksPixel));
      mm->ptMaxTrackSize.y = static_cast<LONG>(Hoejde(ske, kMaksPixel));
      return 0;
    }
    case WM_NCLBUTTONDOWN:
      if (!e.Aktiv && e.hwndParent &&
          SendMessageA(e.hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(h)))
        SendMessageA(e.hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(h));
      break;
    case WM_SYSKEYDOWN:
    case WM_KEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      Tast(h, ske, t);
      return 0;
    }
    case TAST_SPOERG: {
      const auto *t = reinterpret_cast<const TastInfo *>(lParam);
      return t && SkemaTastTjek(h, ske, *t, 1) ? 1 : 0;
    }
    case WM_KEYUP:
      TastOp(h, ske, wParam);
      return 0;
    case WM_CHAR:
      if (wParam == '-') SendMessageA(h, WM_SYSCOMMAND, SC_KEYMENU, '-');
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (EnsOnScroll(&e, msg, wParam)) {
        ByggVisListe(ske);
        Tegn(ske, SKE_TEGN_RULLET);
      }
      return 0;
    case WM_MOUSEMOVE:
      EnsSetSizeCursor(h, &e, lParam);
      return 0;
    case WM_LBUTTONDOWN:
      EnsOnLButtonDown(h, e.hwndParent, e.Aktiv, e.Tilstand, e.TraekOffset, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      EnsOnDblClk(h, &e, lParam);
      return 0;
    case WM_MBUTTONDOWN:
      EnsActivateOnClick(h, &e);
      return 0;
    case WM_MOVING:
      EnsSnapMove(&e, reinterpret_cast<RECT *>(lParam));
      return TRUE;
    case WM_MOUSELEAVE:
      SetCursor(LoadCursorA(0, IDC_ARROW));
      return 0;
    case WM_LBUTTONUP:
      AfslutTraek(ske);
      SendTilAlleVinduer(AKTUEL_AENDRET, 0, 0, 0);
      return 0;
    case DUMMY_MUS_I_RUDE:
      MusRude = static_cast<HWND>(lParam);
      return 0;
    case ENS_MUS_FLYT:
      Traek(h, ske, wParam, lParam);
      return 0;
    case WM_RBUTTONDOWN: {
      EnsActivateOnClick(h, &e);
      if (!IsWindow(h) || Ske(h) != ske || !e.Aktiv) return 0;
      POINT p{0, 0};
      GetCursorPos(&p);
      ske->hwndGenvej = CreateShortCutWnd(e.hInstance, h, p.x, p.y, &Genveje);
      return 0;
    }
    case WM_SIZING:
      BegraensSizing(h, static_cast<UINT>(wParam), reinterpret_cast<RECT *>(lParam), 150,
                     static_cast<int>(Bredde(ske, kMaksPixel)), 100, static_cast<int>(Hoejde(ske, kMaksPixel)));
      return TRUE;
    case WM_USER:  // also the frame's width query
      return Bredde(ske, wParam ? static_cast<uint32_t>(wParam) : Tilbudt(h, true));
    case ENS_HOEJDE:
      return Hoejde(ske, wParam ? static_cast<uint32_t>(wParam) : Tilbudt(h, false));
    case ENS_KOLHOVED_TEGN:
    case ENS_RAEKKEHOVED_TEGN:
    case ENS_CELLER_TEGN:
    case TB_RUDE_TEGN:
      TegnRude(ske, msg, static_cast<HWND>(lParam));
      return 0;
    case ENS_MUS_FORLAD:
    case TB_TOOLTIP:
      SkjulTooltip();
      return 0;
    case AKTUEL_AENDRET:
      if (ske->Tegner || !IsWindowEnabled(h)) return 0;
      if (ske->AlleObjekter && SkemaPeriode.AktuelUgeIndeks != SkeAktuelUgeIndeks(ske)) {
        ske->AktuelUgeRaekke = FindUgeRaekke(ske, SkemaPeriode.AktuelUgeIndeks);
        Genbyg(ske, false);
      }
      Tegn(ske, SKE_TEGN_MARKOER | SKE_TEGN_RAEKKE);
      return 0;
    case TB_GRUPPEKNAP:
      return e.Aktiv && e.hwndToolbar ? SendMessageA(e.hwndToolbar, msg, wParam, lParam) : 0;
    case ENS_KOLHOVED_NED:
    case ENS_RAEKKEHOVED_NED:
    case ENS_CELLER_NED:
      Klik(h, ske, msg, lParam);
      return 0;
    case ENS_HJUL:
      EnsWheelScroll(h, &e, wParam);
      return 0;
    case VINDUE_LUKKER:
      ske->Tegner = 0;
      return 0;
    case OBJVINDUE_OPRETTET:
      ske->Tegner = 1;
      Tegn(ske, SKE_TEGN_ALT);
      ske->Tegner = 0;
      return 0;
    case VINDUE_AKTIVER:
    case VINDUE_AKTIVER_STILLE:
      Aktiver(h, ske, msg, wParam);
      return 0;
    case VINDUE_DEAKTIVER:
      e.Aktiv = 0;
      e.CaptionAktiv = 0;
      Tegn(ske, SKE_TEGN_ALT);
      return 0;
    case RING_VALGT:
      ske->RingSystem = static_cast<uint32_t>(wParam);
      IdentiskeRinge(ske, ske->RingeTab, ske->RingeTabAntal, ske->RingSystem);
      Tegn(ske, SKE_TEGN_ALT);
      return 0;
    case DATA_AENDRET:
    case DATA_AENDRET2:
      ByggVisListe(ske);
      Tegn(ske, SKE_TEGN_ALT);
      return 0;
    case SKE_VISNING: {
      const char v = static_cast<char>(wParam);
      if (v != 'L' && v != 'T' && v != 'D') return 0;
      SkiftSkemaVisning(ske, v);
      Genbyg(ske, false);
      if (v == 'T' && e.hwndToolbar) SendMessageA(e.hwndToolbar, RING_VAELG_ID, 0, 0);
      Tegn(ske, SKE_TEGN_ALT);
      return 0;
    }
    case SKE_FLYT_EFTER_INDSAET:
      if ((wParam == VK_RIGHT || wParam == VK_DOWN) && (wParam == VK_RIGHT ? e.StyrX : e.StyrY)) {
        GridTastFlytTrin(wParam == VK_RIGHT ? e.StyrX : e.StyrY, static_cast<unsigned>(wParam), 0, 0, false, 0);
        FoelgObjAkse(ske);
        Tegn(ske, SKE_TEGN_MARKOER | SKE_TEGN_RAEKKE);
      }
      return 0;
    case EFTER_IMPORT:
      ske->SaerligVisning = 0;
      ske->Tilstand = 'V';
      ske->Tastet[0] = '\0';
      RydBlok(ske);
      free(ske->Ens.ObjTab);
      ske->Ens.ObjTab = nullptr;
      ske->Ens.ObjTabAntal = 0;
      free(ske->LagTabNo);
      ske->LagTabNo = nullptr;
      Genbyg(ske, true);
      return 0;
    case SKE_SAMMENLIGN:
      Sammenlign(ske);
      Tegn(ske, SKE_TEGN_ALT);
      return 0;
    case SKE_STATUSTEKST:
      if (lParam) std::snprintf(ske->Statustekst, sizeof ske->Statustekst, "%s", reinterpret_cast<const char *>(lParam));
      // The marks of a marking follow its letters at once.
      if (ske->Tilstand == 'S' || ske->Tilstand == 'R') {
        ByggVisListe(ske);
        Tegn(ske, SKE_TEGN_ALT);
      }
      EnsPaintCaption(&e);
      return 0;
    case BRIKINFO_NU:
      if (hwndBrikInfo && IsWindow(hwndBrikInfo)) {
        const uint32_t kol = e.StyrX ? e.StyrX->Aktuel : 0, raekke = e.StyrY ? e.StyrY->Aktuel : 0;
        SendMessageA(hwndBrikInfo, BRIKINFO_VIS, FindBegivenhedICelle(ske, kol, raekke, nullptr),
                     reinterpret_cast<LPARAM>(ske));
      }
      return 0;
    case NYB_KLIK:
      Knap(h, ske, wParam, lParam);
      return 0;
    case HJAELP_EMNE:
      return ske->Layout == 'V' ? 1 : 0;
    case GRUPPE_SAET:
      return e.hwndToolbar ? SendMessageA(e.hwndToolbar, msg, wParam, lParam) : 0;
    case GRUPPE_VALGT:
      VaelgFilter(h, ske, wParam);
      return 0;
    case SKE_LAAST_UGE:
      LaastUge(ske, wParam);
      return 0;
    case KOPIER_UGE:
      HuskUgeFraAnden(h, ske, reinterpret_cast<const SkeStruct *>(lParam));
      return 0;
    case INDSAET_UGE:
      IndsaetUgeFraAnden(h, ske, reinterpret_cast<const SkeStruct *>(lParam));
      return 0;
    // The workspace values the frame, the painters and the tile panel ask for.
    case 1119: return ske->ObjektArt;
    case 1120: return ske->Layout;
    case 1121: return ske->Variant;
    case 1132: return ske->Tilstand;
    case VINDUE_ART: return ske->MenuKommando;
    case 1174: return reinterpret_cast<LRESULT>(ske);
    case 1175: return SkeRaekkeObjekt(ske, ske->AktuelObjRaekke);
    case 1176: return SkeAktuelUgeIndeks(ske);
    case 1177: return ske->TidPos.Aktuel;
    case 1178: return reinterpret_cast<LRESULT>(ske);
    case 1179: return ske->RingSystem;
    case 1180: return ske->ObjFilter;
    case 1181: return ske->AlleObjekter;
    case ENS_MINSLOT: return e.MinSlot;
    case ENS_TILSTAND: return e.Tilstand;
    case TB_INGEN_TOOLTIP: return 0;
    case VISNINGSBOGSTAV: return ske->Visning;
    case 1475: return ske->Variant;
    case 1476: return ske->Layout;
    case 1935: return reinterpret_cast<LRESULT>(ske);
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

bool RegistrerSkemaKlasse(HINSTANCE inst) {
  RegistrerBegivenhedsTaster();
  WNDCLASSA wc;
  std::memset(&wc, 0, sizeof wc);
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = SkemaWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.lpszClassName = kKlasse;
  return RegisterClassA(&wc) != 0;
}
