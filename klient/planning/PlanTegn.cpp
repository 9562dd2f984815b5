// Painting of the plan window, pane by pane, whole or for the cursor's two
// rows and cells only; every colour goes through the panes' EnsDC caches.
#include "PlanTegn.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ENS.h"
#include "FARVER.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "FONTE.h"
#include "GRIDAKSE.h"
#include "KATALOG.h"
#include "PLANGITTER.h"
#include "PLANTEKST.h"
#include "PlanFold.h"
#include "RAMME.h"
#include "RECPRED.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TAVOTB.h"

PlanVindueKroge PlanVindueKrog;

namespace {

constexpr uint8_t kSortIndeks = kAntalFarver;  // every index of 60 and up draws black
constexpr uint8_t kFoldBoks = 0x82, kFoldLukket = 0x83, kFoldAaben = 0x84;
constexpr int kStatusHoejde = 11;

// ---- Colours through the DC's cache.

uint8_t Normal(uint8_t f) { return f < kAntalFarver ? f : kSortIndeks; }
COLORREF Farve(uint8_t f) { return f < kAntalFarver ? FarveTab[f] : RGB(0, 0, 0); }
HBRUSH Brush(uint8_t f) {
  return f < kAntalFarver && FarveBrush[f] ? FarveBrush[f] : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

void SaetTekst(EnsDC *dc, uint8_t f) {
  f = Normal(f);
  if (dc->TekstFarve == f) return;
  SetTextColor(dc->hdc, Farve(f));
  dc->TekstFarve = f;
}

void Fyld(EnsDC *dc, uint8_t f, int l, int t, int r, int b) { FillRectIfAny(dc->hdc, Brush(f), l, t, r, b); }

// A figure right and bottom aligned in rc, transparent and clipped to it:
// what DrawText does for one line, without its line breaking, which the
// cells never need.
void HoejreTekst(HDC hdc, const char *t, const RECT &rc) {
  const int n = static_cast<int>(strlen(t));
  SIZE str{0, 0};
  GetTextExtentPoint32A(hdc, t, n, &str);
  const int x = rc.right - str.cx;
  // A face taller than the cell's text room keeps its top in the cell; only
  // a text too wide for the cell needs clipping.
  const int y = std::max(rc.bottom - static_cast<int>(str.cy), static_cast<int>(rc.top));
  if (x >= rc.left)
    TextOutA(hdc, x, y, t, n);
  else
    ExtTextOutA(hdc, x, y, ETO_CLIPPED, &rc, t, static_cast<UINT>(n), nullptr);
}

// Grid lines in the 3-D dark shadow colour (the system colours are fixed,
// so its brush is taken once).
void Streg(EnsDC *dc, int l, int t, int r, int b) {
  static const HBRUSH kStreg = GetSysColorBrush(COLOR_3DDKSHADOW);
  FillRectIfAny(dc->hdc, kStreg, l, t, r, b);
}

// A font selected for a scope; the DC's own is put back.
class Skrift {
 public:
  Skrift(HDC hdc, HFONT f) : hdc_(hdc), gammel_(f ? SelectObject(hdc, f) : 0) {}
  ~Skrift() {
    if (gammel_) SelectObject(hdc_, gammel_);
  }
  Skrift(const Skrift &) = delete;
  Skrift &operator=(const Skrift &) = delete;

 private:
  HDC hdc_;
  HGDIOBJ gammel_;
};

// A stored text field, which may fill its bytes without a terminator.
template <size_t N>
std::string Felt(const char (&f)[N]) {
  return std::string(f, strnlen(f, N));
}

const AktiRec *Akti(uint32_t n) { return n ? TabRec<AktiRec>(tvakti, n) : nullptr; }
const MedaRec *Meda(uint32_t anfo) {
  const AnfoRec *a = anfo ? TabRec<AnfoRec>(tvanfo, anfo) : nullptr;
  return a && a->meda_id ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr;
}

bool TimeMode(const Plan *p) { return p->MedaVisning != 0; }

// ---- The axes.

uint32_t RaekkeAf(const Plan *p, uint32_t pos) {
  const uint32_t *obj = p->Ens.ObjTab;  // Ens is packed: read by value
  const uint32_t antal = p->Ens.ObjTabAntal;
  if (!obj || pos == 0 || pos > antal) return 0;
  const uint32_t r = obj[pos];
  return p->GrundTab && p->ObjTypeTab && r >= 1 && r <= p->GrundTabAntal ? r : 0;
}

uint32_t RaekkeType(const Plan *p, uint32_t r) { return r ? p->ObjTypeTab[r] : 0; }

const PlanStyr &Akse(const Plan *p, uint32_t omraade) {
  return omraade == PLAN_OMR_VENSTRE ? p->StyrLX : omraade == PLAN_OMR_HOEJRE ? p->StyrRX : p->StyrX;
}

// The column object at an axis position; 0 outside the axis.
uint32_t KolonneAf(const Plan *p, uint32_t pos, uint32_t omraade) {
  const PlanStyr &s = Akse(p, omraade);
  return s.ObjTab && pos >= 1 && pos <= s.Pos.Antal ? s.ObjTab[pos] : 0;
}

uint32_t KolonneArt(const Plan *p, uint32_t pos, uint32_t omraade) {
  const uint32_t c = KolonneAf(p, pos, omraade);
  if (!c) return 0;
  switch (omraade) {
    case PLAN_OMR_VENSTRE: return p->ObjTypeTabLX && c <= p->VenstreAntal ? p->ObjTypeTabLX[c] : 0;
    case PLAN_OMR_HOEJRE: return p->ObjTypeTabRX && c <= p->HoejreAntal ? p->ObjTypeTabRX[c] : 0;
    default: return p->ObjTypeTabX && c <= p->KolonneAntal ? p->ObjTypeTabX[c] : 0;
  }
}

// The visible columns of an area with their pixels.
struct Kolonne {
  uint32_t pos;
  int x, b;
};

std::vector<Kolonne> SynligeKolonner(const Plan *p, uint32_t omraade, int paneB) {
  std::vector<Kolonne> v;
  const PlanStyr &s = Akse(p, omraade);
  if (!s.ObjTab) return v;
  // One walk, adding each width and its separator, as KolonneStart counts.
  int64_t x = PlanKolonneX(p, 1, omraade);
  for (uint32_t pos = 1; pos <= s.Pos.Antal && x < paneB; ++pos) {
    const int b = static_cast<int>(KolonneBreddeIOmraade(p, pos, omraade));
    if (x + b >= 0) v.push_back({pos, static_cast<int>(x), b});
    x += b + 1;
  }
  return v;
}

// The rows to paint: the visible ones, or only the cursor's previous and
// present row.
std::vector<uint32_t> Raekker(const Plan *p, bool alle, int paneH) {
  std::vector<uint32_t> v;
  const uint32_t antal = p->StyrY.Pos.Antal;
  if (alle) {
    // From the row at the scroll offset: the pixels decide what shows.
    const GridAkse a = p->Ens.AkseY;  // packed: copied
    for (uint32_t pos = std::max<uint32_t>(GridPixelTilCelle(&a, p->Ens.ScrollY), 1); pos <= antal; ++pos) {
      const int y = PlanRaekkeY(p, pos);
      if (y >= paneH) break;
      if (y + PlanRaekkeHoejde(p) > 0) v.push_back(pos);
    }
    return v;
  }
  for (uint32_t pos : {p->StyrY.Forrige, p->StyrY.Pos.Aktuel}) {
    if (pos < 1 || pos > antal || std::find(v.begin(), v.end(), pos) != v.end()) continue;
    const int y = PlanRaekkeY(p, pos);
    if (y < paneH && y + PlanRaekkeHoejde(p) > 0) v.push_back(pos);
  }
  return v;
}

// The rows' bottom: what lies below it is no row.
int RaekkerBund(const Plan *p) {
  const uint32_t antal = p->StyrY.Pos.Antal;
  return antal ? PlanRaekkeY(p, antal) + PlanRaekkeHoejde(p) : 0;
}

// The empty part of a row pane: below the last row and right of the last
// column, in colour 30.
void TomtOmraade(const Plan *p, EnsDC *dc, int slutX, int paneB, int paneH) {
  const int bund = std::max(RaekkerBund(p), 0);
  Fyld(dc, 30, 0, bund, paneB, paneH);
  Fyld(dc, 30, std::max(slutX, 0), 0, paneB, std::min(bund, paneH));
}

uint8_t AktuelTekst(const Plan *p) { return p->Ens.Aktiv ? 17 : 19; }
uint8_t AktuelFyld(const Plan *p) { return p->Ens.Aktiv ? 1 : 2; }

// A type-14 row shows as another group's unless its activity is live, no
// team, and the row is of the current group.
bool FremmedOpgave(const Plan *p, const GrundRaekke &g) {
  return IsInaktivAkti(g.Aktivitet) || IsHoldAkti(g.Aktivitet) || g.ffpg_id != p->AktPlanGruppe;
}

// The period column that comes first in the column list; a bar separates
// every later one from what lies before it.
uint32_t FoersteperiodeKolonne(const Plan *p) {
  for (uint32_t c = 1; p->ObjTypeTabX && c <= p->KolonneAntal; ++c)
    if (p->ObjTypeTabX[c] == 32) return c;
  return 0;
}

bool PeriodeUdfoldet(const Plan *p, uint32_t c) {
  const uint32_t pos = p->PPeriode ? p->PPeriode[c] : 0;
  return p->PeriodeTab && pos >= 1 && pos <= p->PeriodeAntal && p->PeriodeTab[pos].Udfold;
}

// The raised bars of a period column over top..bund.
void PeriodeBjaelker(const Plan *p, EnsDC *dc, uint32_t c, uint32_t foerste, int x, int b, int top, int bund) {
  if (c == 0 || c == foerste || p->ObjTypeTabX[c] != 32 || bund <= top) return;
  DrawRaisedBar(dc->hdc, Brush(0), x - 1, top, x + 2, bund - 1);
  if (PeriodeUdfoldet(p, c)) DrawRaisedBar(dc->hdc, Brush(0), x + b - 3, top, x + b, bund - 1);
}

// The common fold glyph of the objects of an axis: folded when every one
// toggles open.
uint8_t FaellesFold(const Plan *p, const uint32_t *obj, uint32_t antal, const uint32_t *typer) {
  if (!obj || !typer || antal == 0) return kFoldAaben;
  for (uint32_t i = 1; i <= antal; ++i)
    if (!UdfoldSkift(p, typer, obj[i])) return kFoldAaben;
  return kFoldLukket;
}

// ---- Headers.

void TegnHovedCelle(const Plan *p, EnsDC *dc, const Kolonne &k, int paneH, uint8_t fyld, uint8_t tekst,
                    const char *t, int h) {
  Fyld(dc, fyld, k.x, 0, k.x + k.b, paneH - 1);
  Streg(dc, k.x + k.b, 0, k.x + k.b + 1, paneH);
  Streg(dc, k.x, paneH - 1, k.x + k.b + 1, paneH);
  if (!*t) return;
  SaetTekst(dc, tekst);
  SetBkMode(dc->hdc, TRANSPARENT);
  RECT rc{k.x + 2, paneH - h, k.x + k.b - 2, paneH - 2};
  DrawTextA(dc->hdc, t, -1, &rc, DT_CENTER | DT_BOTTOM | DT_WORDBREAK | DT_NOPREFIX);
}

int LinjeHoejde(const char *t) {
  const int linjer = 1 + static_cast<int>(std::count(t, t + strlen(t), '\n'));
  return linjer >= 3 ? 35 : linjer == 2 ? 24 : 13;
}

void TegnLXHoved(const Plan *p, EnsDC *dc, const Kolonne &k, int paneH) {
  const bool aktuel = k.pos == p->StyrLX.Pos.Aktuel;
  const uint8_t fyld = aktuel ? AktuelFyld(p) : 0, tekst = aktuel ? AktuelTekst(p) : 16;
  char t[kPlanTekstLen];
  PlanLXOverskrift(p, KolonneAf(p, k.pos, PLAN_OMR_VENSTRE), t);
  TegnHovedCelle(p, dc, k, paneH, fyld, tekst, t, 13);
  if (k.pos == 1) {
    const uint8_t g = FaellesFold(p, p->Ens.ObjTab, p->Ens.ObjTabAntal, p->ObjTypeTab);
    PlanTegnMaerke(dc, kFoldBoks, g, k.x + 2, (paneH - 11) / 2, 8, 11, 0, 0, tekst, fyld);
  }
}

void TegnXHoved(const Plan *p, EnsDC *dc, const Kolonne &k, int paneH, uint32_t foersteperiode) {
  const uint32_t c = KolonneAf(p, k.pos, PLAN_OMR_UGER);
  const uint32_t art = KolonneArt(p, k.pos, PLAN_OMR_UGER);
  uint8_t fyld = 0, tekst = 16;
  switch (art) {
    case 32: fyld = 36, tekst = 10; break;
    case 34: case 35: fyld = 6; break;
    case 36: fyld = 33; break;
    case 37: fyld = 24; break;
    default: break;
  }
  if (k.pos == p->StyrX.Pos.Aktuel) fyld = AktuelFyld(p), tekst = AktuelTekst(p);
  char t[kPlanTekstLen];
  PlanXOverskrift(p, c, t);
  // Two lines over the totals, the periods and the weeks that show their
  // year.
  const bool toLinjer = art == 31 || art == 32 || (art == 33 && strchr(t, '\n'));
  TegnHovedCelle(p, dc, k, paneH, fyld, tekst, t, toLinjer ? 24 : 13);
  if (art == 31 || art == 32) {
    const uint8_t g = art == 32 ? (UdfoldSkift(p, p->ObjTypeTabX, c) ? kFoldLukket : kFoldAaben)
                                : FaellesFold(p, p->StyrX.ObjTab, p->StyrX.Pos.Antal, p->ObjTypeTabX);
    PlanTegnMaerke(dc, kFoldBoks, g, k.x + 1, 1, 8, 11, 0, 0, 16, fyld);
  }
  PeriodeBjaelker(p, dc, c, foersteperiode, k.x, k.b, 0, paneH);
}

void TegnRXHoved(const Plan *p, EnsDC *dc, const Kolonne &k, int paneH) {
  const bool aktuel = k.pos == p->StyrRX.Pos.Aktuel;
  char t[kPlanTekstLen];
  PlanRXOverskrift(p, KolonneAf(p, k.pos, PLAN_OMR_HOEJRE), t);
  TegnHovedCelle(p, dc, k, paneH, aktuel ? AktuelFyld(p) : 0, aktuel ? AktuelTekst(p) : 16, t, LinjeHoejde(t));
}

// One header pane: every visible column, or on a column move the previous
// and present one.
template <typename F>
void TegnHovedRude(const Plan *p, EnsDC *dc, uint32_t omraade, int paneB, int paneH, bool alle, F tegn) {
  if (!dc->hdc || paneB <= 0 || paneH <= 0) return;
  const std::vector<Kolonne> kol = SynligeKolonner(p, omraade, paneB);
  const PlanStyr &s = Akse(p, omraade);
  int slut = 0;
  for (const Kolonne &k : kol) {
    slut = k.x + k.b + 1;
    if (alle || k.pos == s.Forrige || k.pos == s.Pos.Aktuel) tegn(k);
  }
  if (alle) Fyld(dc, 0, std::max(slut, 0), 0, paneB, paneH);
}

// ---- Caption cells.

void TegnLXCelle(const Plan *p, EnsDC *dc, const Kolonne &k, uint32_t raekkePos, int y, int h, bool linjer) {
  const uint32_t r = RaekkeAf(p, raekkePos);
  const GrundRaekke &g = p->GrundTab[r];
  const uint32_t type = RaekkeType(p, r);
  const uint32_t art = KolonneArt(p, k.pos, PLAN_OMR_VENSTRE);
  const PlanFarver f = PlanLXCelleFarve(p, k.pos, raekkePos);
  const int x = k.x, b = k.b;
  const bool aktuelRaekke = raekkePos == p->StyrY.Pos.Aktuel;
  char t[kPlanTekstLen] = "";
  switch (art) {
    case 21: {
      const uint8_t tekst = aktuelRaekke ? AktuelTekst(p) : 16, fyld = aktuelRaekke ? AktuelFyld(p) : 30;
      const bool hoved = type == PLAN_AKTI || type == PLAN_MEDA || type == PLAN_OPG_AKTI ||
                         type == PLAN_FREMMED_AKTI || type == PLAN_FREMMED_OPG_AKTI;
      if (hoved)
        PlanTegnMaerke(dc, kFoldBoks, UdfoldSkift(p, p->ObjTypeTab, r) ? kFoldLukket : kFoldAaben, x, y, b, h - 1, 2,
                       2, tekst, fyld);
      else
        Fyld(dc, fyld, x, y, x + b, y + h - 1);
      break;
    }
    case 22: {
      Fyld(dc, f.Fyld, x, y, x + b, y + h - 1);
      const char v = static_cast<char>(p->Visning);
      switch (type) {
        case PLAN_AKTI: case PLAN_OPG_AKTI: case PLAN_FREMMED_AKTI: case PLAN_FREMMED_OPG_AKTI:
          TegnAktiTekst(p, dc, r, f.Tekst, x, y, b, h);
          break;
        case PLAN_MEDA: case PLAN_SKEMA:
          TegnAnfoTekst(p, dc, r, f.Tekst, x, y);
          break;
        case PLAN_OPG_TIMER: case PLAN_POST: case PLAN_FREMMED_OPG_TIMER:
          if (v == 'M') TegnAktiTekst(p, dc, r, f.Tekst, x, y, b, h);
          else if (v == 'O') TegnAnfoTekst(p, dc, r, f.Tekst, x, y);
          break;
        case PLAN_FAG: case PLAN_FREMMED_FAG:
          if (v != 'A') TegnAnfoTekst(p, dc, r, f.Tekst, x, y);
          else if (PlanFagTekst(p, r, t)) PlanTegnTekst(dc, t, x, y, b, h, f.Tekst, DT_SINGLELINE | DT_BOTTOM);
          break;
        default: break;
      }
      break;
    }
    case 23:
    case 24: {
      Fyld(dc, f.Fyld, x, y, x + b, y + h - 1);
      if (type != PLAN_FAG && type != PLAN_FREMMED_FAG) break;
      const uint32_t anfo = art == 23 ? g.Medarbejder1 : g.Medarbejder2;
      const float norm = art == 23 ? g.Minutnorm1 : g.Minutnorm2;
      const MedaRec *m = Meda(anfo);
      if (!m) break;
      snprintf(t, sizeof t, "%-4s", Felt(m->Initialer).c_str());
      Skrift s(dc->hdc, norm >= 0.0f ? TxtFontFed : 0);
      PlanTegnTekst(dc, t, x, y, b, h, f.Tekst, DT_SINGLELINE | DT_BOTTOM);
      break;
    }
    case 25:
    case 26: {
      Fyld(dc, f.Fyld, x, y, x + b, y + h - 1);
      if (p->Visning != 'A') break;
      const uint32_t v = art == 25 ? g.Budget & ~FFGRUND_AFLEDT : g.LektionsBlok;
      const SwitchFelt *sf = ObjSwitchFelt(static_cast<uint32_t>(p->LayoutVenstre.Art), p->LayoutVenstre.Bogstav,
                                           p->LayoutVenstre.SwitchNr,
                                           ObjSwitchFeltIndex(static_cast<uint32_t>(p->LayoutVenstre.Art),
                                                              p->LayoutVenstre.Bogstav, p->LayoutVenstre.SwitchNr, art));
      const int felt = sf ? static_cast<int>(std::min<uint32_t>(sf->Tegn, 10)) : 4;
      if (v) snprintf(t, sizeof t, "%*d", felt, static_cast<int>(v));
      PlanTegnTekst(dc, t, x, y, b, h, f.Tekst, DT_SINGLELINE | DT_BOTTOM);
      break;
    }
    case 273: {
      Fyld(dc, f.Fyld, x, y, x + b, y + h - 1);
      const PlanFeltLayout &l = p->LayoutVenstre;
      const uint32_t skph = g.Aktivitet && g.Skolefag ? FindSkph(g.Aktivitet, g.Skolefag) : 0;
      if (!skph || l.Art < 0) break;
      char celle[kSwitchTekstLen + 1];
      uint8_t farve = f.Tekst;
      SwitchRaekkeValg valg;
      valg.hwnd = p->hwndPlan;
      const uint32_t i = ObjSwitchFeltIndex(static_cast<uint32_t>(l.Art), l.Bogstav, l.SwitchNr, 273);
      ObjSwitchCelleTekst(static_cast<uint32_t>(l.Art), l.Bogstav, l.SwitchNr, i, &tdskph, &tvskph, skph, &valg, celle,
                          &farve);
      celle[kSwitchTekstLen] = 0;
      // The cell pads with blanks; only what fits the field is shown.
      const SwitchFelt *sf = ObjSwitchFelt(static_cast<uint32_t>(l.Art), l.Bogstav, l.SwitchNr, i);
      const uint32_t n = sf ? std::min<uint32_t>(sf->Tegn, kSwitchTekstLen) : 0;
      celle[n] = 0;
      PlanTegnTekst(dc, celle, x, y, b, h, f.Tekst, DT_SINGLELINE | DT_BOTTOM);
      break;
    }
    default:
      Fyld(dc, f.Fyld, x, y, x + b, y + h - 1);
      break;
  }
  if (!linjer) return;
  Streg(dc, x + b, y, x + b + 1, y + h);
  Streg(dc, x, y + h - 1, x + b + 1, y + h);
}

// ---- Number cells.

// The day masks of one week column as the rows above left them: rows of
// one activity or employment follow each other, so most cells ask again
// what the cell above asked.
struct DagMasker {
  static constexpr uint32_t kIngen = UINT32_MAX;
  bool periodeKendt = false;
  uint8_t periode = 0;
  uint32_t skoleAkti = kIngen, akti = kIngen, anfo = kIngen;
  uint8_t skole = 0, aktiUd = 0, anfoUd = 0;
};

// The week's day masks in the order they are laid on, later ones winning.
void DagFarver(uint32_t type, const GrundRaekke &g, Uge uge, uint8_t fyld, DagMasker &m, uint8_t dage[5],
               bool *delt) {
  const bool skoleRaekke = type == PLAN_AKTI || type == PLAN_FAG;
  if (skoleRaekke && m.skoleAkti != g.Aktivitet) m.skoleAkti = g.Aktivitet, m.skole = AktiIkkeSkoleDage(g.Aktivitet, uge);
  if (!m.periodeKendt) m.periodeKendt = true, m.periode = PeriodeUdenforDage(uge);
  if (m.anfo != g.Medarbejder1) m.anfo = g.Medarbejder1, m.anfoUd = AnfoUdenforDage(g.Medarbejder1, uge);
  if (m.akti != g.Aktivitet) m.akti = g.Aktivitet, m.aktiUd = AktiUdenforDage(g.Aktivitet, uge);
  const uint8_t masker[4] = {static_cast<uint8_t>(skoleRaekke ? m.skole : 0), m.periode, m.anfoUd, m.aktiUd};
  static constexpr uint8_t kFarver[4] = {49, 36, 15, 9};
  *delt = false;
  for (int d = 0; d < 5; ++d) dage[d] = fyld;
  for (int i = 0; i < 4; ++i) {
    if (!masker[i]) continue;
    *delt = true;
    for (int d = 0; d < 5; ++d)
      if (masker[i] & (1u << d)) dage[d] = kFarver[i];
  }
}

bool StriberType(uint32_t type) {
  switch (type) {
    case PLAN_AKTI: case PLAN_FAG: case PLAN_MEDA: case PLAN_OPG_AKTI: case PLAN_OPG_TIMER: case PLAN_POST:
    case PLAN_FREMMED_AKTI: case PLAN_FREMMED_FAG: case PLAN_FREMMED_OPG_AKTI: case PLAN_FREMMED_OPG_TIMER:
      return true;
    default:
      return false;
  }
}

HFONT CelleSkrift(uint32_t kode) {
  if (kode & PLAN_SKRIFT_SMAL) return (kode & PLAN_SKRIFT_FED) ? SansFontFed : SansFont;
  return (kode & PLAN_SKRIFT_FED) ? TxtFontFed : 0;
}

void TegnTalCelle(const Plan *p, EnsDC *dc, const Kolonne &k, uint32_t raekkePos, int y, int h,
                  uint32_t foersteperiode, bool linjer, DagMasker &masker) {
  const uint32_t r = RaekkeAf(p, raekkePos);
  const uint32_t c = KolonneAf(p, k.pos, PLAN_OMR_UGER);
  const uint32_t art = KolonneArt(p, k.pos, PLAN_OMR_UGER);
  const uint32_t type = RaekkeType(p, r);
  const PlanFarver f = PlanCelleFarve(p, k.pos, raekkePos);
  const bool cursor = k.pos == p->StyrX.Pos.Aktuel && raekkePos == p->StyrY.Pos.Aktuel;
  const int x = k.x, b = k.b, bund = y + h - 1;
  bool delt = false;
  if (art == 33 && !cursor && StriberType(type) && p->UgeTab) {
    uint8_t dage[5];
    DagFarver(type, p->GrundTab[r], p->UgeTab[c], f.Fyld, masker, dage, &delt);
    if (delt) {
      // Days of one colour side by side are one fill.
      const int del = b / 5;
      for (int d = 0; d < 5;) {
        int e = d + 1;
        while (e < 5 && dage[e] == dage[d]) ++e;
        Fyld(dc, dage[d], x + d * del, y, e == 5 ? x + b : x + e * del, bund);
        d = e;
      }
    }
  }
  if (!delt) Fyld(dc, f.Fyld, x, y, x + b, bund);
  char t[kPlanTekstLen];
  uint8_t tekst = f.Tekst;
  const uint32_t kode = PlanCelleTekst(p, c, r, t, cursor ? nullptr : &tekst);
  if (t[0]) {
    Skrift s(dc->hdc, CelleSkrift(kode));
    SaetTekst(dc, tekst);
    SetBkMode(dc->hdc, TRANSPARENT);
    RECT rc{x + 2, y, x + b - 2, bund - 1};
    HoejreTekst(dc->hdc, t, rc);
  }
  if (!linjer) return;
  Streg(dc, x + b, y, x + b + 1, y + h);
  Streg(dc, x, bund, x + b + 1, y + h);
  PeriodeBjaelker(p, dc, c, foersteperiode, x, b, y, y + h);
}

// ---- Summary cells.

void TegnSumCelle(const Plan *p, EnsDC *dc, const Kolonne &k, uint32_t raekkePos, int y, int h, bool linjer) {
  const uint32_t r = RaekkeAf(p, raekkePos);
  const PlanFarver f = PlanSumCelleFarve(p, k.pos, raekkePos);
  const int x = k.x, b = k.b, bund = y + h - 1;
  Fyld(dc, f.Fyld, x, y, x + b + 1, bund);
  char t[kPlanTekstLen];
  uint8_t tekst = f.Tekst;
  const uint32_t smal =
      PlanSumTekst(p, KolonneAf(p, k.pos, PLAN_OMR_HOEJRE), r, t, raekkePos == p->StyrY.Pos.Aktuel ? nullptr : &tekst);
  if (t[0]) {
    Skrift s(dc->hdc, smal ? SansFont : 0);
    SaetTekst(dc, tekst);
    SetBkMode(dc->hdc, TRANSPARENT);
    RECT rc{x + 2, y, x + b - 2, bund - 1};
    HoejreTekst(dc->hdc, t, rc);
  }
  if (linjer) Streg(dc, x, bund, x + b + 1, y + h);
}

// One row pane: the cells of the rows to paint by the visible columns. A
// whole pane gets its grid lines in one stroke per row and per column (the
// columns' only with lodret) after its cells; a cell painted alone draws
// its own. The columns painted are the answer.
template <typename F>
std::vector<Kolonne> TegnRaekkeRude(const Plan *p, EnsDC *dc, uint32_t omraade, int paneB, int paneH, bool alle,
                                    bool lodret, F tegn) {
  if (!dc->hdc || paneB <= 0 || paneH <= 0) return {};
  const std::vector<Kolonne> kol = SynligeKolonner(p, omraade, paneB);
  const int h = PlanRaekkeHoejde(p);
  const int slut = kol.empty() ? 0 : kol.back().x + kol.back().b + 1;
  int top = paneH, bund = 0;
  for (uint32_t pos : Raekker(p, alle, paneH)) {
    if (!RaekkeAf(p, pos)) continue;
    const int y = PlanRaekkeY(p, pos);
    for (const Kolonne &k : kol) tegn(k, pos, y, h, !alle);
    if (!alle || kol.empty()) continue;
    Streg(dc, kol.front().x, y + h - 1, slut, y + h);
    top = std::min(top, y);
    bund = std::max(bund, y + h);
  }
  if (!alle) return kol;
  for (const Kolonne &k : kol)
    if (lodret && bund > top) Streg(dc, k.x + k.b, top, k.x + k.b + 1, bund);
  TomtOmraade(p, dc, slut, paneB, paneH);
  return kol;
}

bool KunCursor(uint32_t flag) { return !(flag & (PLAN_TEGN_ALT | PLAN_TEGN_HOVEDER | PLAN_TEGN_RAEKKER)); }

// The room a status-line piece takes: 8 pixels a character, or what the
// bold face really needs where it runs wider, so that no piece covers the
// end of the one before.
int StatusBredde(EnsDC *dc, const char *t, bool fed) {
  Skrift s(dc->hdc, fed ? TxtFontFed : TxtFont);
  const int n = static_cast<int>(strlen(t));
  SIZE str{0, 0};
  GetTextExtentPoint32A(dc->hdc, t, n, &str);
  return std::max(8 * n, static_cast<int>(str.cx));
}

// A piece of the status line at x; the x after it, 3 more after a label.
int StatusTekst(EnsDC *dc, int x, uint8_t fyld, const char *t, bool fed) {
  const int b = StatusBredde(dc, t, fed);
  Skrift s(dc->hdc, fed ? TxtFontFed : TxtFont);
  TegnTekstCelle(dc, x, 0, fyld, 16, t, 0, 0);
  return x + b + (fed ? 3 : 0);
}

}  // namespace

// ==================================================================== geometry

int PlanRaekkeHoejde(const Plan *plan) {
  const GridAkse a = plan->Ens.AkseY;  // packed: copied
  return static_cast<int>(a.Forkant + a.CelleBredde + a.Bagkant);
}

int PlanRaekkeY(const Plan *plan, uint32_t pos) {
  const GridAkse a = plan->Ens.AkseY;
  return static_cast<int>(static_cast<int64_t>(GridCelleStart(&a, pos)) - static_cast<int64_t>(plan->Ens.ScrollY));
}

int PlanKolonneX(const Plan *plan, uint32_t pos, uint32_t omraade) {
  const int64_t start = KolonneStart(plan, pos, omraade);
  if (omraade == PLAN_OMR_UGER) return static_cast<int>(start - static_cast<int64_t>(plan->Ens.ScrollX));
  const uint32_t foerste = std::max<uint32_t>(Akse(plan, omraade).Pos.Foerste, 1);
  return static_cast<int>(start - static_cast<int64_t>(KolonneStart(plan, foerste, omraade)));
}

// ==================================================================== primitives

void PlanTegnTekst(EnsDC *dc, const char *tekst, int x, int y, int bredde, int hoejde, uint8_t farve, UINT flag) {
  if (!dc || !dc->hdc || !tekst || !*tekst) return;
  SaetTekst(dc, farve);
  SetBkMode(dc->hdc, TRANSPARENT);
  RECT rc{x + 2, y, x + bredde, y + hoejde - ((flag & DT_BOTTOM) ? 2 : 0)};
  DrawTextA(dc->hdc, tekst, -1, &rc, flag | DT_NOPREFIX);
}

void PlanTegnMaerke(EnsDC *dc, uint8_t tegn1, uint8_t tegn2, int x, int y, int bredde, int hoejde, int dx, int dy,
                    uint8_t tekst, uint8_t bk) {
  if (!dc || !dc->hdc) return;
  Fyld(dc, bk, x, y, x + bredde, y + hoejde);
  Skrift s(dc->hdc, TgnFont);
  SaetTekst(dc, tekst);
  SetBkMode(dc->hdc, TRANSPARENT);
  const char t1 = static_cast<char>(tegn1), t2 = static_cast<char>(tegn2);
  TextOutA(dc->hdc, x + dx, y + dy, &t1, 1);
  TextOutA(dc->hdc, x + dx, y + dy, &t2, 1);
}

void PlanTegnTal(EnsDC *dc, long vaerdi, int felt, int x, int y, int bredde, int hoejde, uint8_t bk, uint8_t tekst) {
  if (!dc || !dc->hdc) return;
  Fyld(dc, bk, x, y, x + bredde, y + hoejde);
  char t[32];
  const int n = snprintf(t, sizeof t, "%*ld", std::clamp(felt, 0, 20), vaerdi);
  SaetTekst(dc, tekst);
  SetBkMode(dc->hdc, TRANSPARENT);
  TextOutA(dc->hdc, x, y, t, std::min(n, static_cast<int>(sizeof t) - 1));
  Streg(dc, x + bredde, y, x + bredde + 1, y + hoejde);
}

// ==================================================================== colours

bool PlanBudgetOverskredet(const Plan *plan, uint32_t raekke) {
  if (!plan || !plan->GrundTab || raekke == 0 || raekke > plan->GrundTabAntal) return false;
  const GrundRaekke &g = plan->GrundTab[raekke];
  const int64_t budget = g.Budget & ~FFGRUND_AFLEDT;
  const int64_t lektioner = (static_cast<int64_t>(static_cast<int32_t>(g.SumLektioner)) + 5) / 10;
  return budget != 0 && lektioner > budget;
}

bool AktiKanPlanlaegges(uint32_t akti, uint32_t gruppe, Dato fra, Dato til) {
  const AktiRec *a = Akti(akti);
  if (!a || !gruppe || !TabRec<FfpgRec>(tvffpg, gruppe)) return false;
  return a->Status >= 10 && a->Status <= 29 && !(a->Gruppe & 0x80000000u) && a->Fradato <= til &&
         a->Tildato >= fra && IsHoldAkti(akti) && FindPgRel(gruppe, akti, 'K') != 0 && a->Aflyst == 'N' &&
         a->Slettet_i_EASY == 0;
}

PlanFarver PlanLXCelleFarve(const Plan *plan, uint32_t kolonnePos, uint32_t raekkePos) {
  if (kolonnePos == plan->StyrLX.Pos.Aktuel && raekkePos == plan->StyrY.Pos.Aktuel)
    return {AktuelTekst(plan), AktuelFyld(plan)};
  const uint32_t r = RaekkeAf(plan, raekkePos);
  if (!r) return {16, 30};
  const GrundRaekke &g = plan->GrundTab[r];
  const uint32_t type = RaekkeType(plan, r);
  const char v = static_cast<char>(plan->Visning);
  const uint8_t akti = tdakti.VisKlasse, meda = tdmeda.VisKlasse;
  PlanFarver f{16, 30};
  switch (KolonneArt(plan, kolonnePos, PLAN_OMR_VENSTRE)) {
    case 22:
      switch (type) {
        case PLAN_AKTI: case PLAN_OPG_AKTI: f = {akti, 45}; break;
        case PLAN_FAG:
          if (v == 'A' && g.Skjult) f.Fyld = 36;
          if (v != 'A' && TimeMode(plan)) f.Fyld = 48;
          break;
        case PLAN_MEDA: f = {meda, 46}; break;
        case PLAN_OPG_TIMER:
          f.Fyld = TimeMode(plan) ? 30 : 48;
          if (v == 'M') f.Tekst = akti;
          if (v == 'O') f.Tekst = meda;
          break;
        case PLAN_POST: case PLAN_FREMMED_OPG_TIMER:
          f.Fyld = 45;
          if (v == 'M') f.Tekst = 5;
          if (v == 'O') f.Tekst = meda;
          break;
        case PLAN_FREMMED_AKTI: case PLAN_FREMMED_OPG_AKTI: f = {5, 45}; break;
        case PLAN_SKEMA: f.Fyld = 47; break;
        default: break;
      }
      break;
    case 23:
    case 24: {
      const uint32_t anfo = KolonneArt(plan, kolonnePos, PLAN_OMR_VENSTRE) == 23 ? g.Medarbejder1 : g.Medarbejder2;
      f = {static_cast<uint8_t>(IsInaktivAnfo(anfo) ? 5 : meda), 46};
      break;
    }
    case 25: f = {static_cast<uint8_t>(PlanBudgetOverskredet(plan, r) ? 8 : 16), static_cast<uint8_t>(type == PLAN_FAG ? 30 : 45)}; break;
    case 26: f = type == PLAN_FAG ? PlanFarver{16, 30} : PlanFarver{akti, 45}; break;
    case 273: f = {16, 0}; break;
    default: break;
  }
  if ((type == PLAN_OPG_TIMER && FremmedOpgave(plan, g)) || type == PLAN_FREMMED_FAG) f = {5, 45};
  return f;
}

PlanFarver PlanCelleFarve(const Plan *plan, uint32_t kolonnePos, uint32_t raekkePos) {
  if (kolonnePos == plan->StyrX.Pos.Aktuel && raekkePos == plan->StyrY.Pos.Aktuel)
    return {AktuelTekst(plan), AktuelFyld(plan)};
  const uint32_t r = RaekkeAf(plan, raekkePos);
  if (!r) return {16, 30};
  const GrundRaekke &g = plan->GrundTab[r];
  const uint32_t type = RaekkeType(plan, r);
  const uint32_t c = KolonneAf(plan, kolonnePos, PLAN_OMR_UGER);
  const uint32_t art = KolonneArt(plan, kolonnePos, PLAN_OMR_UGER);
  const bool timer = TimeMode(plan);
  PlanFarver f{16, 30};
  switch (type) {
    case PLAN_AKTI: case PLAN_OPG_AKTI: case PLAN_FREMMED_AKTI: case PLAN_FREMMED_OPG_AKTI: return {16, 45};
    case PLAN_MEDA: return {16, 46};
    case PLAN_SKEMA: return {16, 47};
    case PLAN_FAG:
      if (plan->Visning != 'A' && timer) return {16, 48};
      if (plan->UnderVisning != 0 && art == 32) {
        // Monday of the period's first week to Friday of its last.
        const uint32_t pos = plan->PPeriode ? plan->PPeriode[c] : 0;
        if (plan->PeriodeTab && pos >= 1 && pos <= plan->PeriodeAntal) {
          const PeriodePost &pp = plan->PeriodeTab[pos];
          const Uge fra = pp.Frauge, til = pp.Tiluge;
          if (!AktiKanPlanlaegges(g.Aktivitet, plan->AktPlanGruppe, UgeDagTilDato(fra, 1), UgeDagTilDato(til, 5)))
            f.Fyld = 9;
        }
      }
      break;
    case PLAN_OPG_TIMER:
      if (!timer) return {16, 48};
      break;
    case PLAN_POST: case PLAN_FREMMED_FAG: case PLAN_FREMMED_OPG_TIMER:
      f.Fyld = 45;
      if (!timer) return f;
      break;
    default:
      return f;
  }
  switch (art) {
    case 31: f.Tekst = 16; break;
    case 32:
      if (plan->UnderVisning == 0) f.Tekst = 10;
      break;
    case 33: {
      const UgeIndeks u = plan->UgeTab ? UgeTilIndeks(plan->UgeTab[c]) : 0;
      const TalPost *t = g.TalTab && u >= 1 && u <= plan->UgeAntal ? &g.TalTab[u] : nullptr;
      const uint32_t s = !t ? 0 : plan->UnderVisning == 1 ? t->RetStatus : plan->UnderVisning == 2 ? t->EksStatus
                                                                                                    : t->PlanStatus;
      f.Fyld = 30;
      if (s & 8) f.Tekst = 16;
      if ((s & 17) == 16 || (s & 65) == 64) f.Tekst = 10;
      if ((s & 256) || (!(s & 24) && (s & 5) && plan->UnderVisning == 0)) f.Tekst = 8;
      if (s & 3) f.Fyld = 46;
      break;
    }
    default: break;
  }
  if (art == 31 || (art == 32 && plan->UnderVisning == 0)) f.Fyld = 0;
  if ((type == PLAN_OPG_TIMER && FremmedOpgave(plan, g)) || type == PLAN_POST || type == PLAN_FREMMED_FAG ||
      type == PLAN_FREMMED_OPG_TIMER)
    f.Fyld = 45;
  return f;
}

PlanFarver PlanSumCelleFarve(const Plan *plan, uint32_t kolonnePos, uint32_t raekkePos) {
  if (raekkePos == plan->StyrY.Pos.Aktuel) return {19, 2};
  const uint32_t r = RaekkeAf(plan, raekkePos);
  if (!r) return {16, 30};
  const GrundRaekke &g = plan->GrundTab[r];
  const uint32_t type = RaekkeType(plan, r);
  const uint32_t art = KolonneArt(plan, kolonnePos, PLAN_OMR_HOEJRE);
  const bool timer = TimeMode(plan);
  PlanFarver f{16, 30};
  if (art == 40) {
    f.Fyld = 48;
  } else if (art == 42) {
    f.Fyld = type == PLAN_FAG ? 30 : 45;
    if (PlanBudgetOverskredet(plan, r)) f.Tekst = 8;
  } else {
    switch (type) {
      case PLAN_AKTI: case PLAN_OPG_AKTI: case PLAN_POST: case PLAN_FREMMED_AKTI: case PLAN_FREMMED_FAG:
      case PLAN_FREMMED_OPG_AKTI: case PLAN_FREMMED_OPG_TIMER:
        f.Fyld = 45;
        break;
      case PLAN_FAG: f.Fyld = plan->Visning == 'A' || !timer ? 30 : 48; break;
      case PLAN_MEDA: f.Fyld = 46; break;
      case PLAN_OPG_TIMER: f.Fyld = !timer ? 48 : FremmedOpgave(plan, g) ? 45 : 30; break;
      case PLAN_SKEMA: f.Fyld = 47; break;
      default: break;
    }
  }
  if (plan->Visning == 'M' && art == 41) f.Fyld = 39;
  if (plan->Visning == 'M' && art == 48) f.Fyld = 42;
  return f;
}

// ==================================================================== panes

void TegnPlanOverskrifter(Plan *plan, uint32_t flag) {
  if (!plan || !plan->Ens.ObjTab) return;
  const bool alle = flag & (PLAN_TEGN_ALT | PLAN_TEGN_HOVEDER);
  if (!alle && !(flag & PLAN_TEGN_KOLONNE)) return;
  Ens &e = plan->Ens;
  const int hjB0 = e.HjoerneB[0], hjH0 = e.HjoerneH[0], hjB1 = e.HjoerneB[1], hjH1 = e.HjoerneH[1];
  const int kolB = e.RudeB[ENS_KOLHOVED], kolH = e.RudeH[ENS_KOLHOVED];
  TegnHovedRude(plan, &e.dc[ENSDC_HJOERNE_V], PLAN_OMR_VENSTRE, hjB0, hjH0, alle,
                [&](const Kolonne &k) { TegnLXHoved(plan, &e.dc[ENSDC_HJOERNE_V], k, hjH0); });
  const uint32_t foerste = FoersteperiodeKolonne(plan);
  TegnHovedRude(plan, &e.dc[ENSDC_KOLHOVED], PLAN_OMR_UGER, kolB, kolH, alle,
                [&](const Kolonne &k) { TegnXHoved(plan, &e.dc[ENSDC_KOLHOVED], k, kolH, foerste); });
  TegnHovedRude(plan, &e.dc[ENSDC_HJOERNE_H], PLAN_OMR_HOEJRE, hjB1, hjH1, alle,
                [&](const Kolonne &k) { TegnRXHoved(plan, &e.dc[ENSDC_HJOERNE_H], k, hjH1); });
}

void TegnPlanRaekker(Plan *plan, uint32_t flag) {
  if (!plan || !plan->Ens.ObjTab) return;
  const bool alle = flag & (PLAN_TEGN_ALT | PLAN_TEGN_RAEKKER);
  if (!alle && !(flag & (PLAN_TEGN_KOLONNE | PLAN_TEGN_RAEKKE))) return;
  Ens &e = plan->Ens;
  EnsDC *dc = &e.dc[ENSDC_RAEKKEHOVED];
  TegnRaekkeRude(plan, dc, PLAN_OMR_VENSTRE, e.RudeB[ENS_RAEKKEHOVED], e.RudeH[ENS_RAEKKEHOVED], alle, true,
                 [&](const Kolonne &k, uint32_t pos, int y, int h, bool linjer) {
                   TegnLXCelle(plan, dc, k, pos, y, h, linjer);
                 });
}

void TegnPlanCelleOmraade(Plan *plan, uint32_t flag) {
  if (!plan || !plan->Ens.ObjTab) return;
  Ens &e = plan->Ens;
  EnsDC *dc = &e.dc[ENSDC_CELLER];
  const int paneB = e.RudeB[ENS_CELLER], paneH = e.RudeH[ENS_CELLER];
  if (!dc->hdc || paneB <= 0 || paneH <= 0) return;
  const uint32_t foerste = FoersteperiodeKolonne(plan);
  const int h = PlanRaekkeHoejde(plan);
  if (!KunCursor(flag)) {
    std::vector<DagMasker> masker(plan->StyrX.Pos.Antal + 1);
    const std::vector<Kolonne> kol = TegnRaekkeRude(
        plan, dc, PLAN_OMR_UGER, paneB, paneH, true, true,
        [&](const Kolonne &k, uint32_t pos, int y, int hh, bool linjer) {
          TegnTalCelle(plan, dc, k, pos, y, hh, foerste, linjer, masker[k.pos]);
        });
    // The period bars over the whole column, after its lines.
    const int bund = std::min(RaekkerBund(plan), paneH), top = std::max(PlanRaekkeY(plan, 1), 0);
    for (const Kolonne &k : kol)
      PeriodeBjaelker(plan, dc, KolonneAf(plan, k.pos, PLAN_OMR_UGER), foerste, k.x, k.b, top, bund);
    return;
  }
  if (!(flag & (PLAN_TEGN_KOLONNE | PLAN_TEGN_RAEKKE))) return;
  // The old cursor cell and the new one.
  const std::pair<uint32_t, uint32_t> celler[2] = {{plan->StyrX.Forrige, plan->StyrY.Forrige},
                                                    {plan->StyrX.Pos.Aktuel, plan->StyrY.Pos.Aktuel}};
  for (int i = 0; i < 2; ++i) {
    const auto [kol, raekke] = celler[i];
    if (i == 1 && celler[0] == celler[1]) break;
    if (!RaekkeAf(plan, raekke) || !KolonneAf(plan, kol, PLAN_OMR_UGER)) continue;
    const int x = PlanKolonneX(plan, kol, PLAN_OMR_UGER), y = PlanRaekkeY(plan, raekke);
    const int b = static_cast<int>(KolonneBreddeIOmraade(plan, kol, PLAN_OMR_UGER));
    if (x >= paneB || x + b < 0 || y >= paneH || y + h <= 0) continue;
    DagMasker masker;
    TegnTalCelle(plan, dc, Kolonne{kol, x, b}, raekke, y, h, foerste, true, masker);
  }
}

void TegnPlanSumOmraade(Plan *plan, uint32_t flag) {
  if (!plan || !plan->Ens.ObjTab) return;
  const bool alle = flag & (PLAN_TEGN_ALT | PLAN_TEGN_RAEKKER);
  if (!alle && !(flag & (PLAN_TEGN_KOLONNE | PLAN_TEGN_RAEKKE))) return;
  Ens &e = plan->Ens;
  if (!e.hwndHoejre) return;
  EnsDC *dc = &e.dc[ENSDC_HOEJRE];
  const int paneB = e.RudeB[ENS_HOEJRE], paneH = e.RudeH[ENS_HOEJRE];
  TegnRaekkeRude(plan, dc, PLAN_OMR_HOEJRE, paneB, paneH, alle, false,
                 [&](const Kolonne &k, uint32_t pos, int y, int h, bool linjer) {
                   TegnSumCelle(plan, dc, k, pos, y, h, linjer);
                 });
  if (!dc->hdc || paneB <= 0 || paneH <= 0) return;
  // The area's right edge.
  const std::vector<Kolonne> kol = SynligeKolonner(plan, PLAN_OMR_HOEJRE, paneB);
  if (!kol.empty()) {
    const int x = kol.back().x + kol.back().b;
    Streg(dc, x, 0, x + 1, std::min(RaekkerBund(plan), paneH));
  }
}

void TegnPlanStatusLinie(Plan *plan) {
  Ens &e = plan->Ens;
  EnsDC *dc = &e.dc[ENSDC_TOOLBAR];
  const HWND tb = e.hwndToolbar;
  if (!dc->hdc || !tb) return;
  const int B = static_cast<int>(SendMessageA(tb, TB_RUDEBREDDE, 0, 0));
  if (B <= 0) return;
  const FfpgRec *g = plan->AktPlanGruppe ? TabRec<FfpgRec>(tvffpg, plan->AktPlanGruppe) : nullptr;
  char t[kPlanTekstLen];
  int x = StatusTekst(dc, 0, 0, "Plan gruppe: ", true);
  uint8_t fyld = 0;
  if (g && g->Ejer != PlanEgenInst()) {
    snprintf(t, sizeof t, "%d-%s ", g->Ejer, Felt(g->Navn).c_str());
    fyld = 36;
  } else {
    snprintf(t, sizeof t, "%s ", g ? Felt(g->Navn).c_str() : "");
  }
  x = StatusTekst(dc, x, fyld, t, false);
  x = StatusTekst(dc, x, 0, "Periode: ", true);
  snprintf(t, sizeof t, "%u-%u", g ? g->Fradato : 0u, g ? g->Tildato : 0u);
  x = StatusTekst(dc, x, 0, t, false);
  Fyld(dc, 0, x, 0, B, kStatusHoejde);
  static const char kOpg[] = "Opg. periode";
  const int opgX = B - 5 - StatusBredde(dc, kOpg, true);
  if (plan->Visning == 'M' && plan->UnderVisning == 0 && opgX >= x) StatusTekst(dc, opgX, 0, kOpg, true);
}

// ==================================================================== the whole

void OpdaterPlanVindue(Plan *plan, bool relayout) {
  if (!plan || !relayout) return;
  PlanHScrollInfo(plan);
  PlanVScrollInfo(plan);
  TegnPlan(plan, PLAN_TEGN_ALT);
}

void TegnPlan(Plan *plan, uint32_t flag) {
  if (!plan || !plan->Ens.ObjTab) return;
  Ens &e = plan->Ens;
  GridPos &y = plan->StyrY.Pos;
  if (y.Antal) y.Aktuel = std::clamp<uint32_t>(y.Aktuel, 1, y.Antal);
  if (e.EgenRamme) {
    const char *titel = plan->UnderVisning == 1   ? "Planlægning - TAVO - Rettearbejde"
                        : plan->UnderVisning == 2 ? "Planlægning - TAVO - Eksametid"
                        : TimeMode(plan)          ? "Planlægning - TAVO  [TIME-MODE]"
                                                  : "Planlægning - TAVO  [LEKTION-MODE]";
    snprintf(e.Titel, sizeof e.Titel, "%s", titel);
    EnsPaintCaption(&e);
  }
  if (e.hwndToolbar) TegnPlanStatusLinie(plan);
  TegnPlanOverskrifter(plan, flag);
  TegnPlanRaekker(plan, flag);
  TegnPlanCelleOmraade(plan, flag);
  TegnPlanSumOmraade(plan, flag);
  for (PlanStyr *s : {&plan->StyrX, &plan->StyrY, &plan->StyrZ, &plan->StyrLX, &plan->StyrRX})
    s->Forrige = s->Pos.Aktuel;
  HWND *knapper = e.hwndSwitchButtons;
  for (uint32_t i = 0; knapper && i < plan->LayoutPlanListe.Knapper; ++i)
    if (knapper[i]) SendMessageA(knapper[i], WM_PAINT, 0, 0);
  if (!e.Aktiv) return;
  const uint32_t r = PlanAktuelRaekke(plan);
  if (r && plan->GrundTab && plan->ObjTypeTab && r <= plan->GrundTabAntal) {
    const GrundRaekke &g = plan->GrundTab[r];
    uint32_t anfo = g.Medarbejder1;
    if (plan->ObjTypeTab[r] == PLAN_FAG) {
      const bool m2 = KolonneArt(plan, plan->StyrLX.Pos.Aktuel, PLAN_OMR_VENSTRE) == 24 && g.Medarbejder2;
      anfo = plan->Visning != 'A' ? 0 : m2 ? g.Medarbejder2 : g.Medarbejder1;
    }
    tvakti.AktuelRec = g.Aktivitet;
    tvanfo.AktuelRec = anfo;
  }
  plan->ValgtObjekt = PlanCelleObjekt(plan);
  if (PlanVindueKrog.SaetPlanPeriode) PlanVindueKrog.SaetPlanPeriode(plan);
}
