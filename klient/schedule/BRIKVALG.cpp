// Choosing in the entry window's lists: keys, choice rules and the row and
// remark dialogs. Every choice changes AktuelAVS and the chosen marks are
// then read back from it, so a list never shows a row as chosen that the
// event does not hold.
#include "BRIKVALG.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AVSHJAELP.h"
#include "BESKEDER.h"
#include "BRIKINDVIN.h"
#include "BYGINFO.h"
#include "ENSMUS.h"
#include "IMPORT.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "NYVALG.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "RETTID.h"
#include "SIDEFIL.h"
#include "SKEBEG.h"
#include "SKEMAVIN.h"
#include "SKERAEKKE.h"
#include "SMAADLG.h"
#include "TABOPER.h"
#include "VISFELT.h"
#include "smaadialoger.h"

namespace {

constexpr const char *kAktivitetFoerst = "Der skal vælges en aktivitet før, der kan angives minutter.";
constexpr const char *kElevsammenfald =
    "Aktiviteten kan ikke vælges, da der er elevsammenfald med valgt(e) aktivitet(er)!\n"
    "Vælg 'Check fra' for at gennemføre valget!";
constexpr uint8_t kAfvisning = MAERKE_OPTAGET | MAERKE_PERIODE | MAERKE_RINGSYSTEM | MAERKE_RING_UBRUGT |
                               MAERKE_ANDEN_SORT | MAERKE_SKOLEFRI;
constexpr uint8_t kPrioritetMaks = 2;

DifValg &Liste(BrikIndStruct *b, uint8_t fokus) { return b->Valg[fokus]; }

uint8_t Maerke(const DifValg &v, uint32_t recnr) {
  return v.Maerker && recnr < v.AntalMaerker ? v.Maerker[recnr] : 0;
}

bool Valgt(const DifValg &v, uint32_t recnr) { return Maerke(v, recnr) & MAERKE_VALGT; }

uint32_t AntalValgte(const DifValg &v) {
  uint32_t n = 0;
  for (uint32_t r = 1; v.Maerker && r < v.AntalMaerker; ++r) n += v.Maerker[r] & MAERKE_VALGT;
  return n;
}

// The record of the list's current row; 0 when there is none.
uint32_t AktuelRecord(const DifValg &v) {
  return v.ObjTab && v.Aktuel >= 1 && v.Aktuel <= v.Antal ? v.ObjTab[v.Aktuel] : 0;
}

// The text a row is searched and starred by: the first field of its record.
const char *RaekkeTekst(uint8_t fokus, uint32_t recnr) {
  const TabDesc *td = nullptr;
  TabVar *tv = nullptr;
  if (!DifValgTabel(fokus, &td, &tv) || recnr == 0 || recnr >= tv->wRecCnt) return "";
  const char *t = VisFeltTekst(static_cast<char>(td->TypeBogstav), td, tv, 1, recnr, nullptr, 1);
  return t ? t : "";
}

bool Stjerne(uint8_t fokus, uint32_t recnr) {
  switch (fokus) {
    case FOCUS_AKTI: return IsStjerneAkti(recnr);
    case FOCUS_ANFO: return IsStjerneMeda(recnr);
    case FOCUS_LOKA: return IsStjerneLoka(recnr);
    default: return RaekkeTekst(fokus, recnr)[0] == '*';
  }
}

// The chosen marks of the five lists the event holds, read from the event.
// The special-schedule list is the window's own.
void SynkValgte(BrikIndStruct *b) {
  const AVS &e = AktuelAVS;
  for (uint8_t k = FOCUS_AKTI; k <= FOCUS_RISY; ++k) {
    DifValg &v = b->Valg[k];
    for (uint32_t r = 0; v.Maerker && r < v.AntalMaerker; ++r) v.Maerker[r] &= static_cast<uint8_t>(~MAERKE_VALGT);
  }
  auto saet = [&](uint8_t k, uint32_t n) {
    DifValg &v = b->Valg[k];
    if (v.Maerker && n && n < v.AntalMaerker) v.Maerker[n] |= MAERKE_VALGT;
  };
  for (uint32_t i = 0; e.aktiTab && i < e.aktiAntal; ++i) saet(FOCUS_AKTI, e.aktiTab[i]);
  for (uint32_t i = 0; e.anfoTab && i < e.anfoAntal; ++i) saet(FOCUS_ANFO, e.anfoTab[i]);
  for (uint32_t i = 0; e.lokaTab && i < e.lokaAntal; ++i) saet(FOCUS_LOKA, e.lokaTab[i]);
  saet(FOCUS_SKFA, e.skfa_id);
  saet(FOCUS_RISY, e.risy_id);
  for (DifValg &v : b->Valg) v.AntalValgte = AntalValgte(v);
}

void InfoOpdater(BrikIndStruct *b) {
  if (b->hwndBygInfo) SendMessageA(b->hwndBygInfo, BRIKINFO_OPDATER, 0, 0);
  for (HWND h : b->hwndRetInfo)
    if (h) SendMessageA(h, DATA_AENDRET2, 0, 0);
}

// What follows a change of the event's participants: the marks, the other
// lists (built anew when they are next shown), the roles, the panels and
// the grid's background.
void EfterAendring(BrikIndStruct *b, uint8_t fokus) {
  SynkValgte(b);
  const bool grundlag = fokus == FOCUS_AKTI || fokus == FOCUS_SKFA;
  if (grundlag)
    for (uint8_t k = 0; k < kAntalDifValg; ++k)
      if (k != b->AktuelListe) b->Valg[k].Bygget = 0;
  MarkerOptagne(b);
  // The default roles follow the activities of a new event; the roles of a
  // changed event are the stored event's.
  OpdaterEntryWindow(b, grundlag && b->Mode != 'R');
  SynkValgte(b);
  InfoOpdater(b);
  if (SkeStruct *g = b->hwndGitter ? SkemaVinduesSke(b->hwndGitter) : nullptr) OpdaterEfterAendring(g, true, true);
  OpdaterDifValgVindue(b);
}

// The plan figures of the pair the event now holds, and the day times of a
// special schedule as its employees change.
void EfterValg(BrikIndStruct *b, uint8_t fokus) {
  const AVS &e = AktuelAVS;
  if ((fokus == FOCUS_AKTI && e.skfa_id && e.aktiAntal) || (fokus == FOCUS_SKFA && e.aktiAntal == 1 && e.skfa_id))
    SumPlanTalUge(e.aktiTab[e.aktiAntal - 1], e.skfa_id);
  if (fokus == FOCUS_SPESKE && e.anfoAntal) DagsTider(b);
}

// The screen position of row pos of the current list: the top left of its
// cell in the detail pane, where the roles and minutes stand.
void Skaerm(BrikIndStruct *b, uint32_t pos, int *x, int *y) {
  const DifValg &v = b->Valg[b->AktuelListe < kAntalDifValg ? b->AktuelListe : 0];
  const uint32_t foerste = v.FoersteSynlige ? v.FoersteSynlige : 1;
  POINT p{0, static_cast<LONG>((pos >= foerste ? pos - foerste : 0) * kDifValgRaekkeHoejde)};
  HWND rude = b->hwndListe[1] ? b->hwndListe[1] : b->hwndListe[0] ? b->hwndListe[0] : b->hwnd;
  if (rude) ClientToScreen(rude, &p);
  *x = p.x;
  *y = p.y;
}

bool KraevAktivitet(BrikIndStruct *b) {
  if (AktuelAVS.aktiAntal) return true;
  MessageBoxA(b->hwnd, kAktivitetFoerst, "OBS!", MB_OK | MB_ICONEXCLAMATION);
  return false;
}

// ---- the keys

enum class Handling : uint8_t {
  Ingen,
  Rolle,
  Minut,
  Prioritet,
  Vaelg,
  Op,
  Ned,
  Tom,
  Slet,
  FagMaerke,
  FagFri,
  VaelgAlle,
  FravaelgAlle,
  Soeg,
};

// The search keys: letters, digits, '-', '.' and the three national
// letters of the Danish keyboard.
bool SoegeTast(UINT vk) {
  return (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9') || (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) ||
         vk == VK_OEM_MINUS || vk == VK_OEM_PERIOD || vk == VK_OEM_3 || vk == VK_OEM_6 || vk == VK_OEM_7;
}

// The keys of the lists, first match wins: the key with Ctrl and Shift as
// held, the list it belongs to (kAlle any) and whether it needs a current row.
constexpr uint8_t kAlle = 0xFF;
struct ListeTastDef {
  UINT vk;
  bool ctrl, shift;
  uint8_t liste;
  bool raekke;
  Handling handling;
};
constexpr ListeTastDef kListeTaster[] = {
    {'A', true, true, kAlle, false, Handling::VaelgAlle},
    {'C', true, true, kAlle, false, Handling::FravaelgAlle},
    {VK_DELETE, true, false, FOCUS_SKFA, true, Handling::FagMaerke},
    {VK_INSERT, true, false, FOCUS_SKFA, true, Handling::FagFri},
    {'O', false, false, FOCUS_ANFO, true, Handling::Rolle},
    {'O', false, false, FOCUS_LOKA, true, Handling::Rolle},
    {'R', false, false, FOCUS_ANFO, true, Handling::Rolle},
    {'R', false, false, FOCUS_LOKA, true, Handling::Rolle},
    {'M', false, false, FOCUS_ANFO, true, Handling::Minut},
    {'P', false, false, FOCUS_AKTI, true, Handling::Prioritet},
    {VK_SPACE, false, false, kAlle, false, Handling::Vaelg},
    {VK_UP, false, false, kAlle, false, Handling::Op},
    {VK_DOWN, false, false, kAlle, false, Handling::Ned},
    {VK_ESCAPE, false, false, kAlle, false, Handling::Tom},
    {VK_DELETE, false, false, kAlle, false, Handling::Slet},
};

Handling HandlingFor(const BrikIndStruct *b, const TastInfo &t) {
  if (t.alt || b->AktuelListe >= kAntalDifValg || b->AktueltTrin > TRIN_SPESKE) return Handling::Ingen;
  const uint8_t k = b->AktuelListe;
  const bool ctrl = t.ctrl != 0, shift = t.shift != 0;
  const bool raekke = AktuelRecord(b->Valg[k]) != 0;
  for (const ListeTastDef &d : kListeTaster)
    if (d.vk == t.wParam && d.ctrl == ctrl && d.shift == shift && (d.liste == kAlle || d.liste == k) &&
        (raekke || !d.raekke))
      return d.handling;
  return !ctrl && !shift && SoegeTast(t.wParam) ? Handling::Soeg : Handling::Ingen;
}

void Flyt(BrikIndStruct *b, DifValg &v, uint32_t ny) {
  if (ny < 1 || ny > v.Antal || ny == v.Aktuel) return;
  const uint32_t gl = v.Aktuel;
  v.Aktuel = ny;
  if (v.FoersteSynlige && ny < v.FoersteSynlige) v.FoersteSynlige = ny;
  if (v.AntalSynlige && ny >= v.FoersteSynlige + v.AntalSynlige) v.FoersteSynlige = ny - v.AntalSynlige + 1;
  if (v.FoersteSynlige) v.ScrollY = (v.FoersteSynlige - 1) * kDifValgRaekkeHoejde;
  TegnDifValgRaekke(b, gl);
  TegnDifValgRaekke(b, ny);
  OpdaterDifValgVindue(b);
}

// The first row whose text begins with the search text, letters alike in
// either case (the 1252 letters æ ø å differ from Æ Ø Å in bit 5 too).
uint32_t FindSoegt(uint8_t fokus, const DifValg &v, const char *soeg) {
  const size_t l = std::strlen(soeg);
  for (uint32_t i = 1; l && v.ObjTab && i <= v.Antal; ++i) {
    const char *t = RaekkeTekst(fokus, v.ObjTab[i]);
    size_t n = 0;
    while (n < l && t[n] && (t[n] | 0x20) == (soeg[n] | 0x20)) ++n;
    if (n == l) return i;
  }
  return 0;
}

void Soeg(BrikIndStruct *b, uint8_t fokus, UINT vk) {
  DifValg &v = b->Valg[fokus];
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) vk = '0' + (vk - VK_NUMPAD0);
  const char c = SoegeTegn(vk);
  size_t l = strnlen(v.Soegetekst, sizeof v.Soegetekst);
  if (l + 1 >= sizeof v.Soegetekst) l = 0;
  v.Soegetekst[l] = c;
  v.Soegetekst[l + 1] = 0;
  uint32_t hit = FindSoegt(fokus, v, v.Soegetekst);
  // A key that continues no name starts a new search.
  if (!hit && l) {
    v.Soegetekst[0] = c;
    v.Soegetekst[1] = 0;
    hit = FindSoegt(fokus, v, v.Soegetekst);
  }
  if (!hit) {
    v.Soegetekst[0] = 0;
    return;
  }
  Flyt(b, v, hit);
}

// Space: the current row joins or leaves the event.
void Mellemrum(BrikIndStruct *b, uint8_t fokus) {
  DifValg &v = b->Valg[fokus];
  const uint32_t n = AktuelRecord(v);
  if (!n) return (void)MessageBeep(MB_OK);
  if (Valgt(v, n)) return FravaelgRaekke(b, fokus, n);
  VaelgRaekke(b, fokus, n);
}

// Esc: every choice of the event goes, and the roles kept for rows go back
// to the defaults a new choice gets. A change empties only the parts it
// changes: the others are the stored event's, not choices made here.
bool Tommes(const BrikIndStruct *b, uint8_t k) { return b->Mode != 'R' || b->Aaben[k]; }

void Tom(BrikIndStruct *b) {
  bool noget = false;
  for (uint8_t k = 0; k < kAntalDifValg; ++k) noget = noget || (Tommes(b, k) && AntalValgte(b->Valg[k]) != 0);
  if (!noget) return (void)MessageBeep(MB_OK);
  AVS &e = AktuelAVS;
  if (Tommes(b, FOCUS_AKTI))
    while (e.aktiAntal) FjernAVSEgenskab(&e, 'K', e.aktiTab[e.aktiAntal - 1]);
  if (Tommes(b, FOCUS_ANFO)) {
    while (e.anfoAntal) FjernAVSEgenskab(&e, 'M', e.anfoTab[e.anfoAntal - 1]);
    for (uint32_t i = 0; i < b->AnfoPladser; ++i) {
      if (b->AnfoRolle) b->AnfoRolle[i] = 0;
      if (b->AnfoRolleLaast) b->AnfoRolleLaast[i] = 0;
    }
  }
  if (Tommes(b, FOCUS_LOKA)) {
    while (e.lokaAntal) FjernAVSEgenskab(&e, 'L', e.lokaTab[e.lokaAntal - 1]);
    for (uint32_t i = 0; b->LokaRolle && i < b->LokaPladser; ++i) b->LokaRolle[i] = 0;
  }
  if (Tommes(b, FOCUS_SKFA) && e.skfa_id) FjernAVSEgenskab(&e, 'U', e.skfa_id);
  if (Tommes(b, FOCUS_RISY) && e.risy_id) FjernAVSEgenskab(&e, 'R', e.risy_id);
  DifValg &s = b->Valg[FOCUS_SPESKE];
  for (uint32_t r = 0; Tommes(b, FOCUS_SPESKE) && s.Maerker && r < s.AntalMaerker; ++r)
    s.Maerker[r] &= static_cast<uint8_t>(~MAERKE_VALGT);
  EfterAendring(b, FOCUS_AKTI);
}

// Ctrl+Delete / Ctrl+Insert on the subject list: the subject's level mark
// and the mark of its relation to each chosen activity.
void FagMaerke(BrikIndStruct *b, uint32_t skfa, bool saet) {
  if (b->FagNiveau && skfa < b->FagNiveauAntal) b->FagNiveau[skfa] = saet ? 1 : 0;
  const AVS &e = AktuelAVS;
  for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) {
    SkphRec *p = TabRec<SkphRec>(tvskph, r);
    if (!p || p->skfa_id != skfa) continue;
    bool valgt = false;
    for (uint32_t i = 0; e.aktiTab && i < e.aktiAntal && !valgt; ++i) valgt = e.aktiTab[i] == p->akti_id;
    if (!valgt) continue;
    // A mark already carried to ini\skph.ini (255) stays a mark.
    const char ny = saet ? (p->SkygFaget ? p->SkygFaget : 1) : 0;
    if (p->SkygFaget == ny) continue;
    p->SkygFaget = ny;
    SetRecStatus(&tdskph, &tvskph, r, p->Status);
  }
  OpdaterDifValgVindue(b);
}

void VaelgAlle(BrikIndStruct *b, uint8_t fokus) {
  DifValg &v = b->Valg[fokus];
  for (uint32_t i = 1; v.ObjTab && i <= v.Antal; ++i) {
    const uint32_t n = v.ObjTab[i];
    if (Stjerne(fokus, n)) {
      if (Valgt(v, n)) FravaelgRaekke(b, fokus, n);
    } else if (!Valgt(v, n) && AntalValgte(v) < v.MaxValgte && KanVaelgeRaekke(b, fokus, n, false)) {
      VaelgRaekke(b, fokus, n);
    }
  }
}

void FravaelgAlle(BrikIndStruct *b, uint8_t fokus) {
  DifValg &v = b->Valg[fokus];
  for (uint32_t n = 1; v.Maerker && n < v.AntalMaerker; ++n)
    if (Valgt(v, n)) FravaelgRaekke(b, fokus, n);
}

void Udfoer(BrikIndStruct *b, Handling h, UINT vk) {
  const uint8_t k = b->AktuelListe;
  DifValg &v = b->Valg[k];
  const uint32_t n = AktuelRecord(v);
  int x = 0, y = 0;
  if (n) Skaerm(b, v.Aktuel, &x, &y);
  switch (h) {
    case Handling::Rolle:
      RolleDialog(b, k, n, x, y);
      return InfoOpdater(b);
    case Handling::Minut:
      return MinutDialog(b, n, x, y);
    case Handling::Prioritet:
      if (KraevAktivitet(b)) PrioritetDialog(b, n, x, y);
      return;
    case Handling::Vaelg:
      return Mellemrum(b, k);
    case Handling::Op:
    case Handling::Ned:
      v.Soegetekst[0] = 0;
      return Flyt(b, v, h == Handling::Op ? v.Aktuel - 1 : v.Aktuel + 1);
    case Handling::Tom:
      return Tom(b);
    case Handling::Slet:
      if (n && Valgt(v, n)) return FravaelgRaekke(b, k, n);
      return (void)MessageBeep(MB_OK);
    case Handling::FagMaerke:
    case Handling::FagFri:
      return FagMaerke(b, n, h == Handling::FagMaerke);
    case Handling::VaelgAlle:
      return VaelgAlle(b, k);
    case Handling::FravaelgAlle:
      return FravaelgAlle(b, k);
    case Handling::Soeg:
      return Soeg(b, k, vk);
    case Handling::Ingen:
      return;
  }
}

bool ListeTast(BrikIndStruct *b, const TastInfo &t, bool udfoer) {
  if (!b) return false;
  const Handling h = HandlingFor(b, t);
  if (h == Handling::Ingen) return false;
  if (udfoer) Udfoer(b, h, t.wParam);
  return true;
}

}  // namespace

bool BrikValgTast(BrikIndStruct *b, const TastInfo &t, bool udfoer) { return ListeTast(b, t, udfoer); }

// ==================================================================== choosing

bool KanVaelgeRaekke(BrikIndStruct *b, uint8_t fokus, uint32_t recnr, bool spoerg) {
  if (!b || fokus >= kAntalDifValg || recnr == 0) return false;
  const DifValg &v = b->Valg[fokus];
  if (!v.Maerker || recnr >= v.AntalMaerker) return false;
  // The busy bit counts only where the row's role takes part in clashes.
  const uint8_t m = DifValgVistMaerke(b, fokus, recnr);
  if (m & (MAERKE_VALGT | kAfvisning)) return false;
  if (fokus == FOCUS_AKTI && GlobalIndstillinger.checkelevsammenfald) {
    Dato fra = 0, til = 0;
    DifValgMarkeretInterval(b, &fra, &til);
    if (HarElevSammenfald(recnr, fra, til)) {
      if (spoerg) MessageBoxA(b->hwnd, kElevsammenfald, "Elevsammenfald på aktivitet.", MB_OK | MB_ICONEXCLAMATION);
      return false;
    }
  }
  if (fokus == FOCUS_SKFA && b->FagNiveau && recnr < b->FagNiveauAntal && b->FagNiveau[recnr]) {
    switch (GlobalIndstillinger.niveaufag) {
      case 0:
        break;
      case 1:
        return spoerg && MessageBoxA(b->hwnd, "Fag med niveau!\nVil du vælge faget med niveau?", "Valg af fag.",
                                     MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
      default:
        // Values beyond the three refuse as 2 does.
        if (spoerg) MessageBoxA(b->hwnd, "Fag med niveau kan ikke vælges!", "Valg af fag.", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
  }
  return true;
}

bool VaelgRaekke(BrikIndStruct *b, uint8_t fokus, uint32_t recnr) {
  if (!b || fokus >= kAntalDifValg) return false;
  DifValg &v = Liste(b, fokus);
  const bool plads = AntalValgte(v) < v.MaxValgte || v.MaxValgte == 1;
  if (!plads || !KanVaelgeRaekke(b, fokus, recnr)) {
    MessageBeep(MB_OK);
    return false;
  }
  // A list of one takes the new row in place of the old.
  if (v.MaxValgte == 1)
    for (uint32_t n = 1; v.Maerker && n < v.AntalMaerker; ++n)
      if (Valgt(v, n) && n != recnr) FravaelgRaekke(b, fokus, n);
  AVS &e = AktuelAVS;
  switch (fokus) {
    case FOCUS_AKTI:
      AddAVSEgenskab(&e, 'K', recnr, 0, 0.0f);
      break;
    case FOCUS_SKFA:
      AddAVSEgenskab(&e, 'U', recnr, 0, 0.0f);
      break;
    case FOCUS_ANFO: {
      const bool egen = b->AnfoRolleLaast && recnr < b->AnfoPladser && b->AnfoRolleLaast[recnr];
      const uint32_t rolle = egen && b->AnfoRolle[recnr] ? b->AnfoRolle[recnr] : RolleForslag(&e, 'M', recnr);
      const float minut = b->AnfoMinut && recnr < b->AnfoPladser ? b->AnfoMinut[recnr] : -1.0f;
      if (b->AnfoRolle && recnr < b->AnfoPladser) b->AnfoRolle[recnr] = rolle;
      AddAVSEgenskab(&e, 'M', recnr, rolle, minut);
      break;
    }
    case FOCUS_LOKA: {
      const uint32_t egen = b->LokaRolle && recnr < b->LokaPladser ? b->LokaRolle[recnr] : 0;
      const uint32_t rolle = egen ? egen : RolleForslag(&e, 'L', recnr);
      if (b->LokaRolle && recnr < b->LokaPladser) b->LokaRolle[recnr] = rolle;
      AddAVSEgenskab(&e, 'L', recnr, rolle, 0.0f);
      break;
    }
    case FOCUS_RISY:
      AddAVSEgenskab(&e, 'R', recnr, 0, 0.0f);
      break;
    default:
      v.Maerker[recnr] |= MAERKE_VALGT;
      break;
  }
  EfterAendring(b, fokus);
  EfterValg(b, fokus);
  return true;
}

void FravaelgRaekke(BrikIndStruct *b, uint8_t fokus, uint32_t recnr) {
  if (!b || fokus >= kAntalDifValg) return;
  DifValg &v = Liste(b, fokus);
  switch (fokus) {
    case FOCUS_AKTI: FjernAVSEgenskab(&AktuelAVS, 'K', recnr); break;
    case FOCUS_ANFO: FjernAVSEgenskab(&AktuelAVS, 'M', recnr); break;
    case FOCUS_LOKA: FjernAVSEgenskab(&AktuelAVS, 'L', recnr); break;
    case FOCUS_SKFA:
      if (AktuelAVS.skfa_id == recnr) FjernAVSEgenskab(&AktuelAVS, 'U', recnr);
      break;
    case FOCUS_RISY:
      if (AktuelAVS.risy_id == recnr) FjernAVSEgenskab(&AktuelAVS, 'R', recnr);
      break;
    default:
      if (v.Maerker && recnr < v.AntalMaerker) v.Maerker[recnr] &= static_cast<uint8_t>(~MAERKE_VALGT);
      break;
  }
  EfterAendring(b, fokus);
}

// ==================================================================== dialogs

bool RolleDialog(BrikIndStruct *b, uint8_t fokus, uint32_t recnr, int x, int y) {
  if (!b || (fokus != FOCUS_ANFO && fokus != FOCUS_LOKA)) return false;
  const bool anfo = fokus == FOCUS_ANFO;
  uint32_t *roller = anfo ? b->AnfoRolle : b->LokaRolle;
  if (!roller || recnr == 0 || recnr >= (anfo ? b->AnfoPladser : b->LokaPladser)) return false;
  RolleValgInfo ri{};
  ri.x = x;
  ri.y = y;
  ri.kind = anfo ? 'M' : 'L';
  ri.current = roller[recnr];
  RegistrerSmaaDialoger();
  const INT_PTR svar = DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_CELLEDITOR), b->hwnd, RolleValgDlgProc,
                                       reinterpret_cast<LPARAM>(&ri));
  if (svar != IDOK || ri.current == roller[recnr]) return false;
  roller[recnr] = ri.current;
  if (anfo && b->AnfoRolleLaast) b->AnfoRolleLaast[recnr] = 1;
  if (Valgt(b->Valg[fokus], recnr)) SetAVSRolle(&AktuelAVS, anfo ? 'M' : 'L', recnr, ri.current);
  InfoOpdater(b);
  OpdaterDifValgVindue(b);
  return true;
}

uint8_t SkemaPrioritet(uint32_t akti) {
  const AktiRec *a = akti ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  return a && a->Skema_prioritet <= kPrioritetMaks ? a->Skema_prioritet : 0;
}

bool SaetSkemaPrioritet(uint32_t akti, uint8_t prioritet) {
  if (akti == 0 || akti >= tvakti.wRecCnt || prioritet > kPrioritetMaks) return false;
  // The activity's record holds the priority the planning and the export
  // use, as in the priority window; the memory, which grows with the
  // activity table, keeps what it was before.
  return SaetAktiSkemaPrioritet(akti, prioritet);
}

bool PrioritetDialog(BrikIndStruct *b, uint32_t akti, int x, int y) {
  if (!b || akti == 0 || akti >= tvakti.wRecCnt) return false;
  PrioritetInfo pi{};
  pi.x = x;
  pi.y = y;
  pi.current = SkemaPrioritet(akti);
  const uint8_t foer = pi.current;
  RegistrerSmaaDialoger();
  const INT_PTR svar = DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_CELLEDITOR), b->hwnd, PrioritetDlgProc,
                                       reinterpret_cast<LPARAM>(&pi));
  if (svar != IDOK || pi.current == foer || !SaetSkemaPrioritet(akti, pi.current)) return false;
  // The priorities are written by the save of all data; without the notice
  // a priority changed on its own would wait for an unrelated change.
  if (b->hwndEjer && IsWindow(b->hwndEjer)) SendMessageA(b->hwndEjer, HOVED_DATA_AENDRET, 0, 0);
  OpdaterDifValgVindue(b);
  return true;
}

uint32_t HentBemaerkningRec(BrikIndStruct *b) {
  if (!b) return 0;
  const uint32_t egen = b->BemLavet;
  if (egen && egen < tvbem.wRecCnt && TabRec<BemRec>(tvbem, egen)->Status) return egen;
  const uint32_t ny = AddBemTekst(&tvbem, "");
  if (!ny) return 0;
  b->BemLavet = ny;
  return ny;
}

void BemaerkningDialog(BrikIndStruct *b) {
  if (!b) return;
  constexpr uint32_t kBredde = sizeof(BemRec::Betegnelse) - 1;
  char tekst[kBredde + 1] = {};
  const uint32_t bem = AktuelAVS.bem_id;
  if (bem && bem < tvbem.wRecCnt) {
    const BemRec *r = TabRec<BemRec>(tvbem, bem);
    if (r->Status) std::snprintf(tekst, sizeof tekst, "%.*s", static_cast<int>(kBredde), r->Betegnelse);
  }
  EditTekstInfo ti{};
  ti.maxLength = kBredde;
  ti.text = tekst;
  ti.selectAll = 1;
  ti.width = 320;
  ti.height = 40;
  HWND panel = b->hwndBygInfo ? b->hwndBygInfo : b->hwndRetInfo[1] ? b->hwndRetInfo[1] : b->hwnd;
  POINT p{0, 0};
  if (panel) ClientToScreen(panel, &p);
  ti.x = p.x;
  ti.y = p.y;
  RegistrerSmaaDialoger();
  if (DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_CELLEDITOR), b->hwnd, EditTekstDlgProc, reinterpret_cast<LPARAM>(&ti)) !=
      IDOK)
    return;
  tekst[kBredde] = 0;
  const uint32_t rec = HentBemaerkningRec(b);
  if (!rec) return;
  // The table may have moved while the record was made: the record is
  // looked up only now.
  BemRec *r = TabRec<BemRec>(tvbem, rec);
  std::memset(r->Betegnelse, 0, sizeof r->Betegnelse);
  std::memcpy(r->Betegnelse, tekst, strnlen(tekst, kBredde));
  SetRecStatus(&tdbem, &tvbem, rec, 10);
  AktuelAVS.bem_id = rec;
  if (b->Mode == 'R') DelBemAVS(&AktuelAVS, tekst);
  InfoOpdater(b);
}

