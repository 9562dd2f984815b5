// The event entry window: its creation and placement, its children and
// their layout, the steps and titles, the keys and the messages. The lists
// themselves are NYVALG's; saving, the dialogs and the list keys come in
// through the hooks.
#include "BRIKINDVIN.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ARRANGER.h"
#include "AVSHJAELP.h"
#include "BESKEDER.h"
#include "BYGINFO.h"
#include "ENSDC.h"
#include "FARVER.h"
#include "FINDREC.h"
#include "IKKETILG.h"
#include "IMPORT.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "NYBUTTON.h"
#include "NYVALG.h"
#include "OPTAEL.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "RETINFO.h"
#include "SKEBEG.h"
#include "SKEMA.h"
#include "SKEMAVIN.h"
#include "SKERAEKKE.h"
#include "SKETEGN.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TOOLTIP.h"
#include "tavo/assert.h"

BrikIndKroge BrikIndKrog = {};

namespace {

// The workspace that the window being created has taken over (and so will
// free at WM_DESTROY); null until WM_CREATE takes it.
BrikIndStruct *WorkspaceOvertaget = nullptr;

constexpr const char *kRudeKlasse = "BrikIndRudeWndClass";
constexpr int kGab = 10;
constexpr int kKnapBredde = 90, kKnapHoejde = 24;
constexpr int kFaneHoejde = 20;
constexpr int kSwitchHoejde = 18;

enum : int { KI_OK = 0, KI_ANVEND, KI_ANNULLER, KI_TID, KI_ELEV, kKnapAntal };
constexpr uint32_t kKnapId[kKnapAntal] = {KNAP_OK, KNAP_ANVEND, KNAP_ANNULLER, KNAP_TID, KNAP_ELEVCHECK};

// The children's slots in BoernRekt beyond the list, detail and time strip.
enum : int { BARN_GITTER = 3, BARN_INFO1 = 4, BARN_INFO2 = 5, BARN_FANE = 6, BARN_VRULLE = 7, BARN_HRULLE = 8 };

const char *const kFaneTekster[kAntalDifValg] = {"&Aktivitet", "Skole&fag", "&Medarbejder", "&Lokale", "&Ringetid",
                                                 "&Særlig skema"};

const char *const kLegende =
    "' ': Blank = Kan vælges\n X : Valgt\n \xF7 : Optaget\n U : Udenfor objektets periode\n R : Ikke samme ringetid\n"
    " M : Ringetider mangler\n S : Skoledage mangler\n T : Objektets type er ikke den samme, som den valgte\n"
    " E : Ukendt betingelse (Error) - Kontakt support";
const char *const kPrioritetTip =
    "Prioritering på skema for aktivitet.\n\n0 = Ingen prioritet\n1 = Prioriteret skema\n2 = Vigende skema";
const char *const kElevAdvarsel =
    "Der er opmærket en blok, hvor der samtidig er elevsammenfald (lysegrøn farve).\n"
    "Kontroller opmærkningen ved at klikke på knappen 'Check fra' / 'Check til'.\n\n"
    "Skemaet vil blive slettet automatisk, hvor der er sammenfald, hvis 'check elevsammenfald' er til!";
const char *const kSaerligInfo =
    "Særlig skema er kun mulig, hvis man bruger normsystem fra Pelago+.\n"
    "Og under meny punktet System / Installations oplysninger / Diverse skal fluebenet sættes ved 'Normsystem', "
    "før du kan skemalægge særlig skema.";

// What Alt+letter reaches: the step of each letter.
struct AltTrin {
  char bogstav;
  uint8_t trin;
};
constexpr AltTrin kAltTrin[] = {{'A', TRIN_AKTI},      {'F', TRIN_SKFA},  {'M', TRIN_ANFO},  {'L', TRIN_LOKA},
                                {'R', TRIN_RISY},      {'S', TRIN_SPESKE}, {'E', TRIN_LEKTIONER}, {'D', TRIN_DAGE},
                                {'T', TRIN_TIDER},     {'O', TRIN_OK},    {'V', TRIN_ANVEND}, {'N', TRIN_ANNULLER}};

bool Redigerer(const BrikIndStruct *b) { return b->Mode == 'R'; }

bool Dele(const BrikIndStruct *b, char c) { return b->Dele && std::strchr(b->Dele, c); }

bool ErMarkeringsTrin(uint8_t t) { return t >= TRIN_LEKTIONER && t <= TRIN_TIDER; }

uint8_t GitterTrinFor(char placering) { return placering == 'D' ? TRIN_DAGE : placering == 'T' ? TRIN_TIDER : TRIN_LEKTIONER; }

bool NogetMarkeret(const BrikIndStruct *b) {
  for (uint32_t w = 1; w < b->BlokUger; ++w)
    if (UgeHarMarkering(b, w)) return true;
  return false;
}

bool SaerligMulig() { return GlobalIndstillinger.normsystem != 0; }

// Whether a step may be entered now.
bool TrinAabent(const BrikIndStruct *b, uint8_t t) {
  if (t >= kAntalTrin) return false;
  if (t <= TRIN_SPESKE) {
    if (!b->Aaben[t]) return false;
    if (b->hwndFane && !SendMessageA(b->hwndFane, TAB_ISENABLED, t, 0)) return false;
    return t != TRIN_SPESKE || SaerligMulig();
  }
  // The mark steps of a new ordinary event are all open while nothing is
  // marked; else only the grid's.
  if (ErMarkeringsTrin(t))
    return b->GitterTrin == t || (!Redigerer(b) && AktuelAVS.Art == 'S' && !NogetMarkeret(b));
  return true;
}

void SaetTitel(BrikIndStruct *b) {
  char buf[160];
  if (const char *t = BrikIndTitel(b->Mode, b->ObjektArt, b->AktueltTrin, buf, sizeof buf)) SetWindowTextA(b->hwnd, t);
}

void SaetKnapTekst(HWND knap, const char *tekst, const char *tip) {
  if (!knap) return;
  SendMessageA(knap, NYB_TEKST, 0, reinterpret_cast<LPARAM>(tekst));
  SendMessageA(knap, NYB_TOOLTIP, 0, reinterpret_cast<LPARAM>(tip));
  InvalidateRect(knap, nullptr, FALSE);
}

void ElevKnapTekst(BrikIndStruct *b) {
  if (GlobalIndstillinger.checkelevsammenfald)
    SaetKnapTekst(b->hwndKnap[KI_ELEV], "&Check fra", "Slå check af skemasammenfald for elever fra");
  else
    SaetKnapTekst(b->hwndKnap[KI_ELEV], "&Check til", "Slå check af skemasammenfald for elever til");
}

void TidKnapTekst(const BrikIndStruct *b, const char **tekst, const char **tip) {
  switch (AktuelAVS.Placering) {
    case 'D':
      *tekst = "Ret da&g", *tip = "Ret dag og standard lektion";
      break;
    case 'L':
    case 'T':
      *tekst = "Ret t&id", *tip = "Ret tiden på begivenhed";
      break;
    default:
      *tekst = "Ret std lekt", *tip = "Ret std. lektion på begivenhed";
  }
  (void)b;
}

bool VisTidKnap(const BrikIndStruct *b) { return AktuelAVS.Placering == 'D' || Dele(b, 'T'); }

// ---- layout

void Flyt(HWND h, const RECT &r, bool vis = true) {
  if (!h) return;
  MoveWindow(h, r.left, r.top, std::max<LONG>(0, r.right - r.left), std::max<LONG>(0, r.bottom - r.top), TRUE);
  if (vis) ShowWindow(h, SW_SHOW);
}

// The mark column of the current list, as its layout paints it.
int MarkBredde(const BrikIndStruct *b) {
  const uint8_t k = b->AktuelListe < kAntalDifValg ? b->AktuelListe : 0;
  const DifValg &v = b->Valg[k];
  return static_cast<int>(ObjSwitchBredde(kDifValgListeArt, static_cast<uint8_t>(v.Bogstav), v.SwitchValgt));
}

// The lists' width: the activity list's mark column and detail layouts,
// at least 200 pixels.
int ListeBredde(const BrikIndStruct *b) {
  const uint32_t w = ObjSwitchBredde(kDifValgListeArt, 'K', b->Valg[0].SwitchValgt) +
                     ObjSwitchBredde(kDifValgDetaljeArt, 'K', b->Valg[0].SwitchValgt);
  return std::max<int>(200, static_cast<int>(std::min<uint32_t>(w, 4000)));
}

void Layout(BrikIndStruct *b) {
  RECT k{};
  GetClientRect(b->hwnd, &k);
  const int w = k.right, h = k.bottom;
  // Below the least size the children keep their places.
  if (w + 1 < static_cast<int>(kBrikIndMinBredde) || h + 1 < static_cast<int>(kBrikIndMinHoejde)) return;
  const int sb = GetSystemMetrics(SM_CXVSCROLL);
  const int listeB = ListeBredde(b);
  // The mark column as wide as its layout; the detail pane takes the rest.
  const int markB = std::clamp(MarkBredde(b), 1, listeB / 2);
  const int knapY = h - kGab - kKnapHoejde;
  const int listeTop = kGab + kFaneHoejde + kSwitchHoejde + 8;
  const int listeBund = knapY - kGab - sb;
  RECT &liste = b->BoernRekt[BARN_LISTE];
  liste = {kGab, listeTop, kGab + markB, listeBund};
  RECT &detalje = b->BoernRekt[BARN_DETALJE];
  detalje = {liste.right, listeTop, kGab + listeB, listeBund};
  b->BoernRekt[BARN_VRULLE] = {detalje.right, listeTop, detalje.right + sb, listeBund};
  b->BoernRekt[BARN_HRULLE] = {detalje.left, listeBund, detalje.right, listeBund + sb};
  b->BoernRekt[BARN_FANE] = {kGab, kGab, detalje.right + sb, kGab + kFaneHoejde};
  const int hoejreX = detalje.right + sb + kGab;
  const int gitterBund = kGab + (knapY - 2 * kGab) * 3 / 5;
  b->BoernRekt[BARN_GITTER] = {hoejreX, kGab, w - kGab, gitterBund};
  const int infoTop = gitterBund + kGab, infoBund = knapY - kGab;
  const int midt = (hoejreX + w - kGab) / 2;
  b->BoernRekt[BARN_INFO1] = {hoejreX, infoTop, b->hwndRetInfo[1] ? midt - kGab / 2 : w - kGab, infoBund};
  b->BoernRekt[BARN_INFO2] = {midt + kGab / 2, infoTop, w - kGab, infoBund};
  b->BoernRekt[BARN_TIDSTRIMMEL] = {hoejreX, knapY, hoejreX + 2 * kKnapBredde, knapY + kKnapHoejde};
  b->TidLinjeRekt = b->BoernRekt[BARN_TIDSTRIMMEL];

  Flyt(b->hwndListe[0], liste);
  Flyt(b->hwndListe[1], detalje);
  Flyt(b->hwndRulle[1], b->BoernRekt[BARN_VRULLE]);
  Flyt(b->hwndRulle[0], b->BoernRekt[BARN_HRULLE]);
  Flyt(b->hwndFane, b->BoernRekt[BARN_FANE]);
  Flyt(b->hwndGitter, b->BoernRekt[BARN_GITTER]);
  Flyt(b->hwndRetInfo[0], b->BoernRekt[BARN_INFO1]);
  Flyt(b->hwndRetInfo[1], b->BoernRekt[BARN_INFO2]);
  Flyt(b->hwndBygInfo, b->BoernRekt[BARN_INFO1]);
  Flyt(b->hwndRammer[0], {0, 0, w, h});
  Flyt(b->hwndRammer[1], {kGab / 2, kGab / 2, detalje.right + sb + kGab / 2, listeBund + sb + kGab / 2});
  Flyt(b->hwndRammer[2], {hoejreX - kGab / 2, kGab / 2, w - kGab / 2, gitterBund + kGab / 2});
  Flyt(b->hwndRammer[3], {hoejreX - kGab / 2, infoTop - kGab / 2, w - kGab / 2, infoBund + kGab / 2});
  int x = w - kGab - 3 * kKnapBredde - 2 * kGab;
  for (int i = KI_OK; i <= KI_ANNULLER; ++i, x += kKnapBredde + kGab)
    Flyt(b->hwndKnap[i], {x, knapY, x + kKnapBredde, knapY + kKnapHoejde});
  Flyt(b->hwndKnap[KI_ELEV], {kGab, knapY, kGab + kKnapBredde, knapY + kKnapHoejde});
  Flyt(b->hwndKnap[KI_TID], {2 * kGab + kKnapBredde, knapY, 2 * kGab + 2 * kKnapBredde, knapY + kKnapHoejde},
       VisTidKnap(b));
  if (b->hwndKnap[KI_TID]) ShowWindow(b->hwndKnap[KI_TID], VisTidKnap(b) ? SW_SHOW : SW_HIDE);
  // The switch buttons of the current list over it.
  if (b->AktuelListe < kAntalDifValg) {
    const DifValg &v = b->Valg[b->AktuelListe];
    int sx = liste.left;
    for (int i = 0; i < v.AntalSwitchKnapper && i < kMaxSwitchKnapper; ++i, sx += 22)
      if (v.hwndSwitchButtons[i]) Flyt(v.hwndSwitchButtons[i], {sx, listeTop - kSwitchHoejde - 4, sx + 22, listeTop - 4});
  }
  InvalidateRect(b->hwnd, nullptr, FALSE);
}

// ---- the window's width for a placement

int BrikIndBredde(const BrikIndStruct *b, char placering) {
  const VisningsTilstandRec &v = VisningsTilstandFor(placering);
  const int dage = std::max(1, v.SidsteUgedag - v.FoersteUgedag + 1);
  const int slots = std::max<int>(1, static_cast<int>(v.SidsteSlot) - static_cast<int>(v.FoersteSlot) + 1);
  int gitter;
  if (placering == 'D') gitter = dage * 4 * static_cast<int>(kLektionBredde);
  else if (placering == 'T') gitter = dage * slots * static_cast<int>(kSlotBredde);
  else gitter = dage * slots * static_cast<int>(kLektionBredde);
  gitter += 80;  // the row headers
  const int liste = ListeBredde(b);
  return liste + gitter + 2 * GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXVSCROLL) + 33;
}

RECT ArbejdsOmraade(HWND hwnd) {
  RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  (void)hwnd;
  return r;
}

int SideBjaelke() { return DesktopRect.left > 0 ? DesktopRect.left : 0; }

void Placer(BrikIndStruct *b, int bredde) {
  RECT hoved{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (b->hwndEjer) GetWindowRect(b->hwndEjer, &hoved);
  const RECT r = BrikIndPlacering(hoved, ArbejdsOmraade(b->hwnd), SideBjaelke(), bredde);
  MoveWindow(b->hwnd, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

// ---- steps

void MarkerTrinKnap(BrikIndStruct *b, uint8_t trin, bool til) {
  if (trin < TRIN_OK) return;
  HWND k = b->hwndKnap[trin - TRIN_OK];
  if (k) SendMessageA(k, til ? NYB_FOKUS_TIL : NYB_FOKUS_FRA, 0, 0);
}

void LukGenvej(BrikIndStruct *b) {
  if (b->hwndGenvej && IsWindow(b->hwndGenvej)) SendMessageA(b->hwndGenvej, WM_KEYDOWN, VK_RETURN, 0);
  b->hwndGenvej = 0;
}

// ---- buttons

void Gem(BrikIndStruct *b, bool anvend) {
  LukGenvej(b);
  if (!BrikIndKrog.Gem) {
    IkkeTilgaengelig(b->hwnd, anvend ? KNAP_ANVEND : KNAP_OK);
    return;
  }
  const uint8_t svar = BrikIndKrog.Gem(b, anvend);
  if (!anvend && svar == 0) {
    DestroyWindow(b->hwnd);
    return;
  }
  if (anvend && Redigerer(b)) {
    for (HWND h : b->hwndRetInfo)
      if (h) SendMessageA(h, DATA_AENDRET2, 0, 0);
  }
  if (svar) GaaTilTrin(b, svar);
}

void Annuller(BrikIndStruct *b) {
  if (b->BemLavet && b->BemLavet != GammelAVS.bem_id) {
    if (b->BemLavet < tvbem.wRecCnt) DelRec(&tdbem, &tvbem, b->BemLavet);
    if (AktuelAVS.bem_id == b->BemLavet) AktuelAVS.bem_id = GammelAVS.bem_id;
    b->BemLavet = 0;
  }
  LukGenvej(b);
  GendanBrikIndTider(b);
  b->TidAendret = 0;
  DestroyWindow(b->hwnd);
}

void ElevCheck(BrikIndStruct *b) {
  GlobalIndstillinger.checkelevsammenfald = GlobalIndstillinger.checkelevsammenfald ? 0 : 1;
  ElevKnapTekst(b);
  if (b->hwndGitter && b->AktuelListe < kAntalDifValg)
    SendMessageA(b->hwndGitter, 1174, static_cast<WPARAM>(b->Valg[b->AktuelListe].Bogstav), 0);
  MarkerOptagne(b);
  OpdaterDifValgVindue(b);
}

void Knap(BrikIndStruct *b, uint32_t id, LPARAM lParam) {
  switch (id) {
    case KNAP_OK: return Gem(b, false);
    case KNAP_ANVEND: return Gem(b, true);
    case KNAP_ANNULLER: return Annuller(b);
    case KNAP_TID:
      if (BrikIndKrog.Tid) BrikIndKrog.Tid(b);
      else IkkeTilgaengelig(b->hwnd, KNAP_TID);
      return;
    case KNAP_ELEVCHECK: return ElevCheck(b);
    default: break;
  }
  if (id >= KNAP_SWITCH && id < KNAP_SWITCH + kMaxSwitchKnapper && lParam == 0 && b->AktuelListe < kAntalDifValg) {
    DifValg &v = b->Valg[b->AktuelListe];
    const uint32_t obj = v.Aktuel && v.Aktuel <= v.Antal ? v.ObjTab[v.Aktuel] : 0;
    v.SwitchValgt = static_cast<uint8_t>(id - KNAP_SWITCH);
    SorterValg(b);
    for (uint32_t i = 1; obj && i <= v.Antal; ++i)
      if (v.ObjTab[i] == obj) v.Aktuel = i;
    OpdaterDifValgVindue(b);
  }
}

// ---- keys

bool ListeTast(BrikIndStruct *b, const TastInfo &t, bool udfoer) {
  return BrikIndKrog.ListeTast && BrikIndKrog.ListeTast(b, t, udfoer);
}

uint8_t NaesteCtrlTab(uint8_t t, bool tilbage) {
  if (ErMarkeringsTrin(t)) {
    if (tilbage) return t == TRIN_LEKTIONER ? static_cast<uint8_t>(TRIN_TIDER) : static_cast<uint8_t>(t - 1);
    return t == TRIN_TIDER ? static_cast<uint8_t>(TRIN_LEKTIONER) : static_cast<uint8_t>(t + 1);
  }
  if (t > TRIN_SPESKE) return t;
  if (tilbage) {
    // Backwards the special schedule list is never entered.
    static constexpr uint8_t kTilbage[] = {TRIN_RISY, TRIN_AKTI, TRIN_SKFA, TRIN_ANFO, TRIN_LOKA, TRIN_SPESKE};
    return kTilbage[t];
  }
  return t == TRIN_SPESKE ? static_cast<uint8_t>(TRIN_AKTI) : static_cast<uint8_t>(t + 1);
}

void CtrlTab(BrikIndStruct *b, bool tilbage) {
  const uint8_t fra = b->AktueltTrin;
  if (tilbage && fra == TRIN_SPESKE) return;
  uint8_t t = fra;
  for (int i = 0; i < kAntalTrin; ++i) {
    t = NaesteCtrlTab(t, tilbage);
    if (t == fra) return;
    if (GaaTilTrin(b, t)) return;
  }
}

void Enter(BrikIndStruct *b) {
  const uint8_t fra = b->AktueltTrin;
  if (fra >= TRIN_OK) return Knap(b, kKnapId[fra - TRIN_OK], 0);
  for (uint8_t t = static_cast<uint8_t>(fra + 1); t < kAntalTrin; ++t) {
    if (ErMarkeringsTrin(t) && t != b->GitterTrin) continue;
    if (!TrinAabent(b, t)) continue;
    // Nothing to save before a cell is marked: the grid instead.
    const uint8_t maal = t == TRIN_OK && !NogetMarkeret(b) ? b->GitterTrin : t;
    if (maal != fra && GaaTilTrin(b, maal)) return;
    break;
  }
  MessageBeep(MB_OK);
}

// On a mark step the keys that move and mark in a schedule are the grid's:
// its cursor, the block with Shift and the arrows or Space, its pages and
// Esc; the lists' keys stay the lists'.
bool GitterTast(BrikIndStruct *b, const TastInfo &t, bool udfoer) {
  if (!ErMarkeringsTrin(b->AktueltTrin) || !b->hwndGitter || t.alt) return false;
  switch (t.wParam) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_SPACE:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END: case VK_ESCAPE:
      break;
    default:
      return false;
  }
  if (udfoer) {
    TastInfo k = t;
    SendMessageA(b->hwndGitter, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&k));
  }
  return true;
}

bool AltTast(BrikIndStruct *b, char c, bool udfoer) {
  for (const AltTrin &a : kAltTrin)
    if (a.bogstav == c) {
      if (udfoer) {
        b->AltBogstav = c;
        GaaTilTrin(b, a.trin);
      }
      return true;
    }
  if (c == 'G' || c == 'I') {
    if (AktuelAVS.Placering == 'L' && !(Redigerer(b) && Dele(b, 'T'))) return false;
    if (udfoer) {
      b->AltBogstav = c;
      Knap(b, KNAP_TID, 0);
    }
    return true;
  }
  if (c == 'C') {
    if (udfoer) {
      b->AltBogstav = c;
      ElevCheck(b);
    }
    return true;
  }
  if (c == 'B') {
    if (udfoer) {
      b->AltBogstav = c;
      if (BrikIndKrog.Bem) BrikIndKrog.Bem(b);
      else IkkeTilgaengelig(b->hwnd, 'B');
    }
    return true;
  }
  return false;
}

}  // namespace

// ==================================================================== public

RECT BrikIndPlacering(const RECT &hovedInd, const RECT &arbejdInd, int sidebjaelke, int bredde) {
  RECT hoved = hovedInd;
  if (hoved.left < 0) {
    hoved.right -= hoved.left;
    hoved.left = 0;
  }
  if (hoved.top < 0) {
    hoved.bottom -= hoved.top;
    hoved.top = 0;
  }
  RECT arbejd = arbejdInd;
  arbejd.left += sidebjaelke;
  arbejd.right -= sidebjaelke;
  arbejd.top += 40;
  arbejd.bottom -= 20;
  const int hovedBredde = hoved.right - hoved.left;
  RECT r{};
  r.left = bredde <= hovedBredde ? hoved.left + (hovedBredde - bredde) / 2 : hoved.left;
  r.right = r.left + bredde;
  r.top = arbejd.top;
  r.bottom = r.top + (arbejd.bottom - arbejd.top + 1);
  return r;
}

const char *BrikIndTitel(char mode, char objektArt, uint8_t trin, char *buf, size_t n) {
  static const char *const kNy[kAntalTrin] = {
      "Vælg aktivitet", "Vælg skolefag",    "Vælg medarbejder", "Vælg lokale", "Vælg ringetid", nullptr,
      "Opmærk lektioner", "Opmærk dage",    "Opmærk tider",     "Godkend begivenhed og afslut",
      "Anvend begivenhed og fortsæt",       "Fortryd"};
  static const char *const kRet[kAntalTrin] = {
      "Ret aktivitet", "Ret skolefag", "Ret medarbejder", "Ret lokale", "Ret ringetid", nullptr,
      "Opmærk blok der skal rettes", "Opmærk dage", "Opmærk tider", "Godkend rettelse og afslut",
      "Anvend rettelse og fortsæt", "Fortryd"};
  if (trin >= kAntalTrin || !buf || n == 0) return nullptr;
  const bool ret = mode == 'R';
  const char *midt = ret ? kRet[trin] : kNy[trin];
  if (!midt) return nullptr;
  const char *suffix = "";
  if (ret && ErMarkeringsTrin(trin)) {
    if (objektArt == 'K') suffix = " - [ Oprindeligt aktivitet skema ]";
    else if (objektArt == 'M') suffix = " - [ Oprindeligt medarbejder skema ]";
    else if (objektArt == 'L') suffix = " - [ Oprindeligt lokale skema ]";
  }
  std::snprintf(buf, n, " %s skemabegivenhed  -  [ %s ]%s", ret ? "Ret" : "Ny", midt, suffix);
  return buf;
}

BrikIndStruct *BrikIndWS(HWND hwnd) {
  return hwnd && IsWindow(hwnd) ? reinterpret_cast<BrikIndStruct *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)) : nullptr;
}

bool GaaTilTrin(BrikIndStruct *b, uint8_t trin) {
  if (!b || !TrinAabent(b, trin)) {
    // The special schedule list without a special schedule tells why.
    if (b && trin == TRIN_SPESKE && b->Aaben[TRIN_SPESKE] && !SaerligMulig())
      MessageBoxA(b->hwnd, kSaerligInfo, "Særlig skema oplysning", MB_OK | MB_ICONINFORMATION);
    return false;
  }
  const uint8_t fra = b->AktueltTrin;
  if (fra < kAntalTrin) b->TrinBesoegt[fra] = 1;
  MarkerTrinKnap(b, fra, false);
  b->AktueltTrin = trin;
  if (trin <= TRIN_SPESKE) {
    b->TastaturFokus = trin;
    if (b->hwndFane) SendMessageA(b->hwndFane, TAB_SELECT, trin, 0);
    SkiftDifValgFokus(b, trin);
    if (b->hwndListe[0]) SetFocus(b->hwndListe[0]);
  } else if (ErMarkeringsTrin(trin)) {
    const char placering = trin == TRIN_DAGE ? 'D' : trin == TRIN_TIDER ? 'T' : 'L';
    if (AktuelAVS.Placering != placering) {
      AktuelAVS.Placering = placering;
      b->Visning = placering;
      b->GitterTrin = trin;
      b->KolonneTilstand = placering == 'D' ? 1 : placering == 'T' ? 2 : 0;
      if (b->hwndGitter) SendMessageA(b->hwndGitter, SKE_VISNING, static_cast<WPARAM>(placering), 0);
      Placer(b, BrikIndBredde(b, placering));
    }
    // The window keeps the focus and hands the grid its keys.
    if (b->hwnd) SetFocus(b->hwnd);
  } else {
    MarkerTrinKnap(b, trin, true);
    if (b->hwnd) SetFocus(b->hwnd);
  }
  SaetTitel(b);
  return true;
}

bool BrikIndTast(BrikIndStruct *b, const TastInfo &t, bool udfoer) {
  if (!b) return false;
  UINT vk = t.wParam;
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) vk = '0' + (vk - VK_NUMPAD0);
  const bool alt = t.alt != 0, ctrl = t.ctrl != 0, shift = t.shift != 0;
  if (GitterTast(b, t, udfoer)) return true;
  // The lists' keys come first; with Ctrl they claim only their own
  // combinations, so Ctrl+digit, Ctrl+A and Ctrl+Tab still reach the rules below.
  if (!alt && ListeTast(b, t, false)) return udfoer ? ListeTast(b, t, true) : true;
  if ((alt || ctrl) && vk == VK_F4) {
    if (udfoer) DestroyWindow(b->hwnd);
    return true;
  }
  if (alt && !ctrl && vk >= 'A' && vk <= 'Z') return AltTast(b, static_cast<char>(vk), udfoer);
  DifValg *v = b->AktuelListe < kAntalDifValg ? &b->Valg[b->AktuelListe] : nullptr;
  if (shift && !ctrl && !alt && vk >= '1' && vk <= '9' && v) {
    const uint32_t n = vk - '1';
    if (n >= v->AntalSwitchKnapper) return false;
    if (udfoer) Knap(b, KNAP_SWITCH + n, 0);
    return true;
  }
  if (ctrl && !alt && vk == VK_TAB) {
    if (udfoer) CtrlTab(b, shift);
    return true;
  }
  if (ctrl && !alt && vk >= '0' && vk <= '9' && v) {
    if (udfoer) {
      // Digits past the entry's room are not taken.
      const size_t l = std::strlen(v->Tastetekst);
      if (l + 1 < sizeof v->Tastetekst) {
        v->Tastetekst[l] = static_cast<char>(vk);
        v->Tastetekst[l + 1] = 0;
      }
    }
    return true;
  }
  if (ctrl && !alt && (vk == 'A' || vk == 'G') && b->hwndListe[0]) {
    if (udfoer) {
      if (vk == 'A') SendMessageA(b->hwndListe[0], LISTBOX_VALGT, 31, 0);
      else SendMessageA(b->hwndListe[0], WM_LBUTTONDOWN, MK_LBUTTON, 0);
    }
    return true;
  }
  if (!alt && !ctrl && vk == VK_RETURN) {
    if (udfoer) Enter(b);
    return true;
  }
  return false;
}

void GendanBrikIndTider(BrikIndStruct *b) {
  if (!b || !b->TidAendret || !b->HuskForste) return;
  const uint8_t aar = b->HuskAarIdx, uge = b->HuskUge;
  const uint32_t forste = b->HuskForste;
  const SkeRec *f = BegFoersteRaekke(aar, uge, forste);
  // The address may no longer hold the event: rows move when a bucket is
  // compacted, and a new event's first row was never there.
  if (!f || f->id != b->HuskId || !SkeRaekkeLever(f->Status)) return;
  OptaelSkemabeg(aar, uge, forste, -1);
  for (uint32_t r = forste;; ++r) {
    SkeRec *s = BegRaekke(aar, uge, r);
    if (!s || s->Forste != forste) break;
    if (s->Status == 0) continue;
    s->Starttid = b->GlStarttid;
    s->Sluttid = b->GlSluttid;
    s->Antal_std_lektioner = b->GlStdLektioner;
    TabVar *bucket = BegBucket(aar, uge);
    if (bucket && bucket->pfSave && tdske.RecPrBlok) bucket->pfSave[r / tdske.RecPrBlok] = 1;
  }
  OptaelSkemabeg(aar, uge, forste, 1);
}

// ---- creation

namespace {

struct Opret {
  BrikIndStruct *b;
};

// The field code of the column under x in a pane of the current list, as
// the pane paints it: the list pane's layout from its left edge, the detail
// pane's moved by its horizontal scroll; 0 over no column.
uint32_t KolonneVed(const BrikIndStruct *b, HWND rude, int x) {
  if (!b || b->AktuelListe >= kAntalDifValg) return 0;
  const DifValg &v = b->Valg[b->AktuelListe];
  const bool detalje = rude == b->hwndListe[1];
  return ObjSwitchFeltVedX(detalje ? kDifValgDetaljeArt : kDifValgListeArt, static_cast<uint8_t>(v.Bogstav),
                           v.SwitchValgt, detalje ? static_cast<int32_t>(v.DetaljeX) : 0, x);
}

// The row (1-based in the list) under y, as the panes paint it.
uint32_t RaekkeVed(const BrikIndStruct *b, int y) {
  if (!b || b->AktuelListe >= kAntalDifValg || y < 0) return 0;
  return (static_cast<uint32_t>(y) + b->Valg[b->AktuelListe].ScrollY) / kDifValgRaekkeHoejde + 1;
}

// A click in these columns counts as the key that opens the column's
// dialog, on the lists where the key opens it.
struct KlikKolonne {
  uint32_t kode;
  UINT tast;
  uint8_t liste;
};
constexpr KlikKolonne kKlikKolonner[] = {
    {217, 'O', FOCUS_ANFO}, {217, 'O', FOCUS_LOKA}, {219, 'O', FOCUS_ANFO},
    {219, 'O', FOCUS_LOKA}, {218, 'M', FOCUS_ANFO}, {385, 'P', FOCUS_AKTI},
};

// A click or double click on a list cell: the row under it becomes the
// current row (below the last row, the last row), and a click on a row in a
// role, minutes or priority column then acts as that column's key.
void KlikPaaListe(BrikIndStruct *b, uint32_t raekke, uint32_t kolonne) {
  if (b->AktuelListe >= kAntalDifValg) return;
  DifValg &v = b->Valg[b->AktuelListe];
  if (!v.Antal || raekke < 1) return;
  const bool under = raekke > v.Antal;
  if (under) raekke = v.Antal;
  if (raekke != v.Aktuel) {
    const uint32_t gl = v.Aktuel;
    v.Aktuel = raekke;
    TegnDifValgRaekke(b, gl);
    TegnDifValgRaekke(b, raekke);
  }
  if (under) return;
  UINT tast = 0;
  for (const KlikKolonne &k : kKlikKolonner)
    if (k.kode == kolonne && k.liste == b->AktuelListe) tast = k.tast;
  if (!tast) return;
  // The list clicked takes the step, so that its keys apply.
  if (b->AktueltTrin != b->AktuelListe && !GaaTilTrin(b, b->AktuelListe)) return;
  TastInfo t{};
  t.message = WM_KEYDOWN;
  t.wParam = tast;
  BrikIndTast(b, t, true);
}

LRESULT CALLBACK RudeProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  HWND ejer = GetParent(h);
  BrikIndStruct *b = BrikIndWS(ejer);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      if (b && b->AktuelListe < kAntalDifValg) {
        const DifValg &v = b->Valg[b->AktuelListe];
        const uint32_t fra = std::max<uint32_t>(v.FoersteSynlige, 1);
        const uint32_t til = fra + (b->BoernRekt[BARN_LISTE].bottom - b->BoernRekt[BARN_LISTE].top) / kDifValgRaekkeHoejde;
        if (h == b->hwndListe[0]) TegnDifValgRaekker(b, fra, til);
        else TegnDifValgDetaljer(b, fra, til);
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (b)
        SendMessageA(ejer, msg == WM_LBUTTONDOWN ? ENS_RAEKKEHOVED_DBL : ENS_CELLER_DBL,
                     RaekkeVed(b, static_cast<short>(HIWORD(lParam))),
                     static_cast<LPARAM>(KolonneVed(b, h, static_cast<short>(LOWORD(lParam)))));
      return 0;
    case WM_RBUTTONDOWN:
      if (b) SendMessageA(ejer, WM_RBUTTONDOWN, wParam, lParam);
      return 0;
    case WM_MOUSEMOVE:
      if (b) SendMessageA(ejer, ENS_MUS_HVIL, KolonneVed(b, h, static_cast<short>(LOWORD(lParam))), lParam);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
    case WM_KEYUP:
      return SendMessageA(ejer, msg, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

HWND Ramme(BrikIndStruct *b, const char *klasse) {
  return CreateWindowExA(0, klasse, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 1, 1, b->hwnd, 0, b->hInst, nullptr);
}

bool LavBoern(BrikIndStruct *b) {
  RECT k{};
  GetClientRect(b->hwnd, &k);
  b->hwndRammer[0] = Ramme(b, "DummyWndClass");
  for (int i = 1; i < 4; ++i) b->hwndRammer[i] = Ramme(b, "GroupWndClass");
  for (int i = 0; i < 2; ++i) {
    b->hwndListe[i] = CreateWindowExA(0, kRudeKlasse, "", WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE, 0, 0, 10, 10,
                                      b->hwnd, 0, b->hInst, nullptr);
    if (!b->hwndListe[i]) return false;
  }
  b->hwndRulle[0] = CreateScrollBarCtl(b->hInst, b->hwnd, WS_CHILD | WS_CLIPSIBLINGS | SBS_HORZ, 0, 0, 10, 10);
  b->hwndRulle[1] = CreateScrollBarCtl(b->hInst, b->hwnd, WS_CHILD | WS_CLIPSIBLINGS | SBS_VERT, 0, 0, 10, 10);
  b->hwndFane = CreateTabWnd(b->hInst, b->hwnd, 1, 0, 0, 10, kFaneHoejde, const_cast<char **>(kFaneTekster),
                             kAntalDifValg);
  if (!b->hwndFane) return false;
  for (uint8_t i = 0; i < kAntalDifValg; ++i) SendMessageA(b->hwndFane, b->Aaben[i] ? TAB_ENABLE : TAB_DISABLE, i, 0);

  // The embedded schedule: the opening window's object at its cursor over
  // all the weeks, in the event's placement. A block is marked only in a
  // schedule of one object, so a view of all objects in a week is not
  // copied; the grid opens at the cell the event was placed from.
  SkeStruct *kilde = b->SkemaSke;
  const char art = b->ObjektArt ? b->ObjektArt : static_cast<char>(SKE_AKTI);
  uint32_t objekt = kilde ? SkeRaekkeObjekt(kilde, kilde->AktuelObjRaekke) : 0;
  if (!objekt && art == SKE_AKTI && AktuelAVS.aktiAntal) objekt = AktuelAVS.aktiTab[0];
  b->hwndGitter = CreateSkemaWnd(b->hInst, b->hwnd, b->hwnd, art, 0, 0, 300, 200, objekt, nullptr, AktuelAVS.Placering,
                                 kilde ? kilde->Layout : 'L', 'B', AktuelAVS.Art, Redigerer(b) ? 'R' : 'V',
                                 kilde ? kilde->EtObjekt : 1, 0, 0, 0);
  if (!b->hwndGitter) return false;
  SkeStruct *gitter = SkemaVinduesSke(b->hwndGitter);
  if (gitter && kilde && kilde->Visning == gitter->Visning) {
    const uint32_t celle = kilde->TidPos.Aktuel, antal = gitter->TidPos.Antal;
    if (celle >= 1 && celle <= antal) gitter->TidPos.Aktuel = celle;
  }

  if (Redigerer(b)) {
    const char *dele = b->Dele && *b->Dele ? b->Dele : "KSMLB";
    b->hwndRetInfo[0] = CreateRetInfoWnd(b->hInst, b->hwnd, 0, 0, 10, 10, &GammelAVS, 0, dele, "OPRINDELIGT INDHOLD");
    b->hwndRetInfo[1] = CreateRetInfoWnd(b->hInst, b->hwnd, 0, 0, 10, 10, &AktuelAVS, 1, dele, "INDHOLD RETTET TIL");
    if (!b->hwndRetInfo[0] || !b->hwndRetInfo[1]) return false;
  } else {
    // The staff panel; without it the area stays empty and the window opens.
    b->hwndBygInfo = OpretBygInfoVindue(b->hwnd, 0, 0, 10, 10, &AktuelAVS);
  }
  const char *tidTekst, *tidTip;
  TidKnapTekst(b, &tidTekst, &tidTip);
  const struct {
    const char *tekst, *tip;
  } knapper[kKnapAntal] = {{"&Ok", "Ok"}, {"An&vend", "Anvend"}, {"A&nnuller", "Annuller"}, {tidTekst, tidTip},
                           {"&Check til", "Slå check af skemasammenfald for elever til"}};
  // Button 18 first, with the text of the switch as it stands.
  for (int i : {KI_TID, KI_ELEV, KI_OK, KI_ANVEND, KI_ANNULLER}) {
    b->hwndKnap[i] = CreateNyButtonWnd(b->hInst, b->hwnd, b->hwnd, kKnapId[i], 0, 0, 0, 0, kKnapBredde, kKnapHoejde,
                                       knapper[i].tip, knapper[i].tekst);
    if (!b->hwndKnap[i]) return false;
  }
  ElevKnapTekst(b);
  // The frames were made first, so they lie over the rest; they belong
  // under it, the background lowest.
  for (int i : {1, 2, 3, 0})
    if (b->hwndRammer[i])
      SetWindowPos(b->hwndRammer[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

// The switch buttons of every list; only the current list's are shown.
bool LavSwitchKnapper(BrikIndStruct *b) {
  for (uint8_t k = 0; k < kAntalDifValg; ++k) {
    DifValg &v = b->Valg[k];
    v.SwitchArt = kDifValgListeArt;
    uint32_t antal = 0;
    while (antal < kMaxSwitchKnapper && ObjSwitchLayout(kDifValgListeArt, static_cast<uint8_t>(v.Bogstav), antal)) ++antal;
    v.AntalSwitchKnapper = static_cast<uint8_t>(antal);
    for (uint32_t i = 0; i < antal; ++i) {
      char tekst[8];
      std::snprintf(tekst, sizeof tekst, "%1u", i + 1);
      v.hwndSwitchButtons[i] =
          CreateNyButtonWnd(b->hInst, b->hwnd, b->hwnd, KNAP_SWITCH + i, 0, 0, 0, 0, 22, kSwitchHoejde, "", tekst);
      if (!v.hwndSwitchButtons[i]) ::tavo::AssertFailed("B->DifValg[i].hwndSwitchButtons != NULL", ::tavo::ModuleName(__FILE__), __LINE__);
      ShowWindow(v.hwndSwitchButtons[i], k == b->AktuelListe ? SW_SHOW : SW_HIDE);
    }
  }
  return true;
}

// The rows the current event holds are chosen in the lists, each employee
// with its role and minutes; an employee without a role gets the event
// kind's default.
void MarkerValgte(BrikIndStruct *b) {
  AVS &e = AktuelAVS;
  auto saet = [&](uint8_t k, uint32_t n, uint8_t bit) {
    DifValg &v = b->Valg[k];
    if (v.Maerker && n && n < v.AntalMaerker) v.Maerker[n] |= bit;
  };
  const uint8_t gammel = Redigerer(b) ? MAERKE_GAMMEL : 0;
  for (uint32_t i = 0; i < e.aktiAntal; ++i) saet(FOCUS_AKTI, e.aktiTab[i], MAERKE_VALGT | gammel);
  for (uint32_t i = 0; i < e.lokaAntal; ++i) {
    saet(FOCUS_LOKA, e.lokaTab[i], MAERKE_VALGT | gammel);
    if (e.lokaTab[i] < b->LokaPladser && e.lokrolleTab) b->LokaRolle[e.lokaTab[i]] = e.lokrolleTab[i];
  }
  for (uint32_t i = 0; i < e.anfoAntal; ++i) {
    const uint32_t n = e.anfoTab[i];
    saet(FOCUS_ANFO, n, MAERKE_VALGT | gammel);
    if (n >= b->AnfoPladser) continue;
    uint32_t rolle = e.skemarolTab ? e.skemarolTab[i] : 0;
    if (!rolle) {
      rolle = b->Svar1353 && e.anfoAntal == 1 ? RolleForslagMedarbejder(&e, n, 1) : RolleForslag(&e, 'M', n);
      if (e.skemarolTab) e.skemarolTab[i] = rolle;
    }
    b->AnfoRolle[n] = rolle;
    b->AnfoMinut[n] = e.minutTab ? e.minutTab[i] : -1.0f;
  }
  saet(FOCUS_SKFA, e.skfa_id, MAERKE_VALGT);
  saet(FOCUS_RISY, e.risy_id, MAERKE_VALGT);
  b->Valg[FOCUS_AKTI].MaxValgte = (e.Art == 'F' || e.Art == 'H' || e.Art == 'Y' || e.Art == 'P') ? 1 : 1000;
  b->Valg[FOCUS_ANFO].MaxValgte = b->Valg[FOCUS_LOKA].MaxValgte = 1000;
  b->Valg[FOCUS_SKFA].MaxValgte = b->Valg[FOCUS_RISY].MaxValgte = b->Valg[FOCUS_SPESKE].MaxValgte = 1;
  for (DifValg &v : b->Valg) v.Filter = kAlleObjFilter;
}

uint8_t FoersteTrin(BrikIndStruct *b) {
  for (uint8_t t = TRIN_AKTI; t <= TRIN_SPESKE; ++t)
    if (TrinAabent(b, t) && !b->Udfyldt[t]) return t;
  return b->GitterTrin;
}

LRESULT Opret(HWND h, BrikIndStruct *b) {
  b->hwnd = h;
  SetWindowLongPtrA(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(b));
  // From here WM_DESTROY frees the workspace, also when creation fails.
  WorkspaceOvertaget = b;
  if (!AllokerDifValg(b)) return -1;
  b->Visning = AktuelAVS.Placering;
  AabneLister(b);
  UdfyldteLister(b);
  for (uint8_t k = 0; k < kAntalDifValg; ++k) b->ListeAktiv[k] = b->Aaben[k];
  if (!LavBoern(b)) return -1;

  // The marked block: the schedule window's, shared with the grid, or a
  // block of the grid's own.
  SkeStruct *gitter = SkemaVinduesSke(b->hwndGitter);
  if (b->SkemaSke && b->SkemaSke->BlokTab) {
    b->BlokTab = b->SkemaSke->BlokTab;
    b->BlokUger = b->SkemaSke->BlokUger;
  } else {
    b->BlokUger = SkemaPeriode.AntalUger + 1;
    b->EgenBlok = static_cast<uint8_t *>(std::calloc(b->BlokUger, kBlokUgeBytes));
    b->BlokTab = b->EgenBlok;
  }
  if (gitter && !gitter->BlokTab) {
    gitter->BlokTab = b->BlokTab;
    gitter->BlokUger = b->BlokUger;
    gitter->DelteBlokke = 1;
  }
  if (gitter && AktuelAVS.aktiAntal) SendMessageA(b->hwndGitter, 1334, AktuelAVS.aktiTab[0], 0);

  const AVS &e = AktuelAVS;
  b->Starttid = e.Starttid;
  b->Sluttid = e.Sluttid;
  b->StdLektioner = e.Antal_std_lektioner;
  if (!Redigerer(b) && e.Placering == 'D' && BrikIndKrog.DagsTider) BrikIndKrog.DagsTider(b);
  b->GlStarttid = b->Starttid;
  b->GlSluttid = b->Sluttid;
  b->GlStdLektioner = b->StdLektioner;
  if (Redigerer(b)) {
    b->HuskAarIdx = GammelAVS.AarIndeks;
    b->HuskUge = GammelAVS.Uge;
    b->HuskForste = GammelAVS.Forste;
    b->HuskId = GammelAVS.id;
    b->GlStarttid = GammelAVS.Starttid;
    b->GlSluttid = GammelAVS.Sluttid;
    b->GlStdLektioner = GammelAVS.Antal_std_lektioner;
  }
  MarkerValgte(b);
  // The grid's busy background follows the event as it opens, roles given.
  if (gitter) OpdaterEfterAendring(gitter, true, false);

  b->GitterTrin = GitterTrinFor(e.Placering);
  b->AktuelListe = FOCUS_AKTI;
  LavSwitchKnapper(b);
  MarkerOptagne(b);
  const uint8_t foerste = FoersteTrin(b);
  b->AktueltTrin = foerste;
  if (foerste <= TRIN_SPESKE) {
    b->AktuelListe = foerste;
    b->TastaturFokus = foerste;
  }
  SkiftDifValgFokus(b, b->AktuelListe);
  if (b->hwndFane) SendMessageA(b->hwndFane, TAB_SELECT, b->AktuelListe, 0);
  SaetTitel(b);
  if (b->hwndGitter) {
    if (e.Placering == 'L' && e.risy_id) SendMessageA(b->hwndGitter, RING_VALGT, e.risy_id, 0);
    ShowWindow(b->hwndGitter, SW_SHOW);
  }
  PostMessageA(h, kBrikIndElevAdvarsel, 0, 0);
  return 0;
}

// Whether the marked block holds a cell where one of the event's
// activities has a student-overlap partner busy.
bool BlokHarElevSammenfald(BrikIndStruct *b) {
  const AVS &e = AktuelAVS;
  if (!e.aktiAntal || !b->BlokTab) return false;
  for (uint32_t w = 1; w < b->BlokUger; ++w) {
    if (!UgeHarMarkering(b, w)) continue;
    const uint8_t aar = IndeksTilAarOffset(w), uge = static_cast<uint8_t>(IndeksTilUgeNr(w));
    const TabVar *bucket = BegBucket(aar, uge);
    if (!bucket) continue;
    const SkeRec *raekker = reinterpret_cast<const SkeRec *>(bucket->pbTab);
    for (uint32_t r = 1; r < bucket->wRecCnt; ++r) {
      const SkeRec &s = raekker[r];
      if (!SkeRaekkeLever(s.Status) || !s.akti_id || s.Dag < 1 || s.Dag > 7) continue;
      const uint8_t *dag = b->BlokTab + (static_cast<size_t>(w) * 7 + s.Dag - 1) * kBlokSlots;
      const Dato dato = UgeDagTilDato(IndeksTilUge(w), s.Dag);
      bool iBlok = false;
      if (e.Placering == 'L' && s.Lektion >= 1 && s.Lektion <= kLektionerPrDag) iBlok = dag[s.Lektion - 1] & BLOK_VALGT;
      else
        for (uint32_t c = 0; c < kLektionerPrDag && !iBlok; ++c) iBlok = dag[c] & BLOK_VALGT;
      if (iBlok && HarElevSammenfald(s.akti_id, dato, dato)) return true;
    }
  }
  return false;
}

void Afslut(BrikIndStruct *b) {
  GendanBrikIndTider(b);
  GlobalIndstillinger.checkelevsammenfald = b->ElevCheckHusket;
  SkeStruct *gitter = SkemaVinduesSke(b->hwndGitter);
  if (gitter && gitter->DelteBlokke && gitter->BlokTab == b->BlokTab) {
    gitter->BlokTab = nullptr;
    gitter->BlokUger = 0;
    gitter->DelteBlokke = 0;
  }
  std::free(b->EgenBlok);
  b->EgenBlok = nullptr;
  b->BlokTab = nullptr;
  std::free(b->Dele);
  b->Dele = nullptr;
  if (b->hwndEjer) SendMessageA(b->hwndEjer, HOVED_INPUT_LUKKET, 0, static_cast<LPARAM>(b->hwnd));
  const HWND skema = b->hwndSkema;
  b->hwndSkema = 0;
  b->hwndEjer = 0;
  for (HWND &k : b->hwndBoern) k = 0;
  SetWindowLongPtrA(b->hwnd, GWLP_USERDATA, 0);
  FreeEntryWindow(b);
  if (skema && IsWindow(skema)) InvalidateRect(skema, nullptr, FALSE);
}

}  // namespace

LRESULT CALLBACK BrikIndWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) {
    auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
    auto *b = static_cast<BrikIndStruct *>(cs->lpCreateParams);
    return b ? Opret(h, b) : -1;
  }
  BrikIndStruct *b = BrikIndWS(h);
  if (!b) return DefWindowProcA(h, msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY:
      Afslut(b);
      return 0;
    case WM_SIZE:
    case 1936:
      Layout(b);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      if (b->AktuelListe == FOCUS_SPESKE && !SaerligMulig() && !b->SaerligVist) {
        b->SaerligVist = 1;
        MessageBoxA(h, kSaerligInfo, "Særlig skema oplysning", MB_OK | MB_ICONINFORMATION);
      }
      return 0;
    }
    case WM_ERASEBKGND:
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case TAST_MODTAG: {
      TastInfo t;
      MakeTastInfo(&t, msg, wParam, lParam);
      TastLogKey(&t);
      if (BrikIndTast(b, t, true)) return 0;
      break;
    }
    case TAST_SPOERG:
      return lParam && BrikIndTast(b, *reinterpret_cast<const TastInfo *>(lParam), false) ? 1 : 0;
    case WM_SYSCHAR:
      if (b->AltBogstav && std::toupper(static_cast<unsigned char>(wParam)) == b->AltBogstav) return 0;
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_KEYMENU && b->AltBogstav &&
          std::toupper(static_cast<unsigned char>(lParam)) == b->AltBogstav) {
        b->AltBogstav = 0;
        return 0;
      }
      break;
    case WM_KEYUP:
      // The grid ends its block when Shift is let go.
      if (ErMarkeringsTrin(b->AktueltTrin) && b->hwndGitter && wParam != VK_CONTROL)
        return SendMessageA(b->hwndGitter, msg, wParam, lParam);
      if (wParam == VK_CONTROL && b->AktuelListe < kAntalDifValg) {
        DifValg &v = b->Valg[b->AktuelListe];
        const bool drop = b->AktuelListe == FOCUS_AKTI &&
                          (AktuelAVS.Art == 'P' || AktuelAVS.Art == 'F' || AktuelAVS.Art == 'H');
        if (v.Tastetekst[0] && !drop) {
          const uint32_t n = static_cast<uint32_t>(std::strtoul(v.Tastetekst, nullptr, 10));
          if (n >= 1 && n <= v.Antal) {
            v.Aktuel = n;
            OpdaterDifValgVindue(b);
          }
        }
        v.Tastetekst[0] = 0;
      }
      return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (b->AktuelListe < kAntalDifValg) {
        DifValg &v = b->Valg[b->AktuelListe];
        const int trin = LOWORD(wParam) == SB_LINEUP || LOWORD(wParam) == SB_PAGEUP ? -1
                         : LOWORD(wParam) == SB_LINEDOWN || LOWORD(wParam) == SB_PAGEDOWN ? 1 : 0;
        if (msg == WM_VSCROLL && trin) {
          const int64_t ny = static_cast<int64_t>(v.FoersteSynlige ? v.FoersteSynlige : 1) + trin;
          if (ny >= 1 && ny <= static_cast<int64_t>(std::max<uint32_t>(v.Antal, 1))) v.FoersteSynlige = static_cast<uint32_t>(ny);
          v.ScrollY = (v.FoersteSynlige - 1) * kDifValgRaekkeHoejde;
        }
        if (msg == WM_HSCROLL) {
          // The horizontal bar moves the detail pane over its layout, a
          // character at a time or a pane's width, never past either end.
          const RECT &d = b->BoernRekt[BARN_DETALJE];
          const int64_t side = std::max<int64_t>(0, d.right - d.left);
          const int64_t bredde = ObjSwitchBredde(kDifValgDetaljeArt, static_cast<uint8_t>(v.Bogstav), v.SwitchValgt);
          int64_t x = v.DetaljeX;
          switch (LOWORD(wParam)) {
            case SB_LINELEFT: x -= 8; break;
            case SB_LINERIGHT: x += 8; break;
            case SB_PAGELEFT: x -= side; break;
            case SB_PAGERIGHT: x += side; break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: x = HIWORD(wParam); break;
            case SB_LEFT: x = 0; break;
            case SB_RIGHT: x = bredde; break;
            default: break;
          }
          v.DetaljeX = static_cast<uint32_t>(std::clamp<int64_t>(x, 0, std::max<int64_t>(0, bredde - side)));
          if (b->hwndListe[1]) InvalidateRect(b->hwndListe[1], nullptr, FALSE);
        }
        OpdaterDifValgVindue(b);
      }
      return 0;
    case WM_RBUTTONDOWN:
      return 0;
    case WM_SIZING:
      BegraensSizing(h, static_cast<UINT>(wParam), reinterpret_cast<RECT *>(lParam), kBrikIndMinBredde, 100000,
                     kBrikIndMinHoejde, 100000);
      return TRUE;
    case 1048:
      SkjulTooltip();
      return 0;
    case 1049: {
      // The priority column of the activity list has its own tip; the
      // other cells the legend.
      POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (wParam == 385 && b->AktuelListe == FOCUS_AKTI) VisTooltip(kPrioritetTip, &p, 0);
      else VisTooltip(kLegende, &p, 0);
      return 0;
    }
    case 1053:
      return 0;
    case 1074:
    case 1077:
    case 1080:
      OpdaterDifValgVindue(b);
      return 0;
    case 1078:
    case 1081:
      // wParam the row under the pointer, lParam the column's field code.
      KlikPaaListe(b, static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
      return 0;
    case 1095:
    case 2028:
      if (msg == 2028 && static_cast<HWND>(lParam) == b->hwndFane)
        GaaTilTrin(b, static_cast<uint8_t>(SendMessageA(b->hwndFane, TAB_GETSELECTED, 0, 0)));
      SaetTitel(b);
      return 0;
    case 1126:
      for (DifValg &v : b->Valg) v.Bygget = 0;
      MarkerOptagne(b);
      OpdaterDifValg(b, false);
      OpdaterDifValgVindue(b);
      if (b->hwndGitter) InvalidateRect(b->hwndGitter, nullptr, FALSE);
      return 0;
    case 1939:
      if (b->hwndBygInfo) InvalidateRect(b->hwndBygInfo, nullptr, FALSE);
      return 0;
    case 1951:
      if (wParam == 1 && b->AktuelListe == FOCUS_ANFO) {
        const DifValg &v = b->Valg[FOCUS_ANFO];
        const uint32_t r = static_cast<uint32_t>(lParam);
        if (r >= 1 && r <= v.Antal && v.ObjTab[r] < b->AnfoPladser && b->AnfoMinut) {
          float m = b->AnfoMinut[v.ObjTab[r]];
          LRESULT ud = 0;
          std::memcpy(&ud, &m, sizeof m);
          return ud;
        }
      }
      return 0;
    case NYB_KLIK:
      Knap(b, static_cast<uint32_t>(wParam), lParam);
      return 0;
    case 2345: {
      const char *tekst = reinterpret_cast<const char *>(lParam);
      if (!tekst || !*tekst) {
        AktuelAVS.bem_id = 0;
        return 0;
      }
      uint32_t bem = b->BemLavet;
      if (!bem) {
        bem = AddBemTekst(&tvbem, tekst);
        if (!bem) return 0;
        b->BemLavet = bem;
      } else if (BemRec *r = bem < tvbem.wRecCnt ? reinterpret_cast<BemRec *>(GetRec(&tdbem, &tvbem, bem)) : nullptr) {
        std::snprintf(r->Betegnelse, sizeof r->Betegnelse, "%s", tekst);
      }
      SetRecStatus(&tdbem, &tvbem, bem, 10);
      AktuelAVS.bem_id = bem;
      return 0;
    }
    case 2346:
      AktuelAVS.bem_id = GammelAVS.bem_id;
      return 0;
    case 3023:
      return 100;
    case 3026:
      if (b->AktuelListe < kAntalDifValg &&
          !(b->AktuelListe == FOCUS_AKTI && std::strchr("FHYP", AktuelAVS.Art ? AktuelAVS.Art : ' '))) {
        b->Valg[b->AktuelListe].Filter = wParam == 31 ? kAlleObjFilter : (1u << wParam);
        OpdaterDifValgVindue(b);
      }
      return 0;
    case kBrikIndElevAdvarsel:
      if (BlokHarElevSammenfald(b)) MessageBoxA(h, kElevAdvarsel, "OBS!!! - Elevsammenfald", MB_OK | MB_ICONWARNING);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(h, msg, wParam, lParam);
}

HWND CreateBrikIndWnd(char mode, HWND skema) {
  auto *b = static_cast<BrikIndStruct *>(std::calloc(1, sizeof(BrikIndStruct)));
  if (!b) return 0;
  b->hwndSkema = skema;
  b->hInst = hInst;
  b->hwndEjer = hwndHoved;
  b->ElevCheckHusket = GlobalIndstillinger.checkelevsammenfald;
  b->Placering = mode;
  b->KolonneTilstand = mode == 'D' ? 1 : mode == 'T' ? 2 : 0;
  AktuelAVS.Placering = mode;
  b->Mode = AktuelAVS.id && GammelAVS.id ? 'R' : 'B';
  b->SkemaSke = SkemaVinduesSke(skema);
  if (SkeStruct *s = b->SkemaSke) {
    b->ObjektArt = s->ObjektArt;
    b->UgeNr = IndeksTilUge(SkeAktuelUgeIndeks(s));
  }
  if (skema) {
    // The schedule window names the parts a change touches and its object
    // kind; a window that does not answer leaves them as they are.
    if (const auto *dele = reinterpret_cast<const char *>(SendMessageA(skema, 1338, 0, 0))) b->Dele = strdup(dele);
    if (!b->SkemaSke) {
      const LRESULT art = SendMessageA(skema, VINDUE_SAET_AKTIV, 0, 0);
      if (art == 'K' || art == 'M' || art == 'L') b->ObjektArt = static_cast<char>(art);
    }
    if (b->Mode == 'R' || AktuelAVS.Art == 'Y') b->Svar1353 = static_cast<uint8_t>(SendMessageA(skema, 1353, 0, 0));
  }
  if (!b->UgeNr) b->UgeNr = IndeksTilUge(SkemaPeriode.AktuelUgeIndeks);
  if (!b->Dele) b->Dele = static_cast<char *>(std::calloc(1, 1));
  const int bredde = BrikIndBredde(b, mode);
  HWND h = CreateWindowExA(0, kBrikIndKlasse, "",
                           WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 0,
                           bredde, static_cast<int>(kBrikIndMinHoejde), b->hwndEjer, 0, b->hInst, b);
  const bool overtaget = WorkspaceOvertaget == b;
  WorkspaceOvertaget = nullptr;
  if (!h) {
    // Once WM_CREATE has taken the workspace, the WM_DESTROY that follows a
    // failed creation has freed it; b must not even be read then.
    if (!overtaget) {
      std::free(b->Dele);
      std::free(b);
    }
    return 0;
  }
  Placer(b, bredde);
  return h;
}

HWND AabnBrikIndVindue(HWND hoved, char mode, HWND skema) {
  HWND h = CreateBrikIndWnd(mode, skema);
  if (!h) return 0;
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (hoved) SendMessageA(hoved, HOVED_INPUT_AABEN, 0, static_cast<LPARAM>(h));
  return h;
}

bool RegistrerBrikIndKlasse(HINSTANCE inst) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = BrikIndWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.hbrBackground = FarveBrush[0];
  wc.lpszClassName = kBrikIndKlasse;
  const bool a = RegisterClassA(&wc) != 0;
  wc.lpfnWndProc = RudeProc;
  wc.lpszClassName = kRudeKlasse;
  const bool r = RegisterClassA(&wc) != 0;
  return a && r;
}
