// The hours statement window: every run of FyldMedOpg computes and writes all
// figures anew, and each run first gives the plan and difference panes the
// background of the plan source it found, so nothing of an employment shown
// before (figures or colour 39) survives into the next.

#include "MEDOPGVIN.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "DATO.h"
#include "ELEMENT.h"
#include "ENSMUS.h"
#include "FARVER.h"
#include "FONTE.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "MEDOPG.h"
#include "MEDPER.h"
#include "PROGVINDUER.h"
#include "RAMME.h"
#include "RECPRED.h"
#include "RELAY.h"
#include "SWITCH.h"
#include "SWITCHTEGN.h"
#include "TABREG.h"
#include "TALTAB.h"

uint32_t MedOpgPlanKilde = 0;

namespace {

constexpr int kKolonne = 43;     // a figure column, its line included
constexpr int kRudeBredde = 40;  // the pane inside it: five characters of 8 pixels
constexpr int kRaekker = 7;
constexpr int kTopHoejde = 11;
constexpr uint8_t kTalFarve = 16;
constexpr uint8_t kGrund = 0;
constexpr uint8_t kPlanGrund = 39;
constexpr uint32_t kIdLinjeArt = 51;  // the field layout of the identification line
constexpr uint8_t kAnfoBogstav = 'M';
constexpr int kMarkoerTavo = 104;

// What the panes relay to the window; it answers none of them.
constexpr UINT kRelayNed = 1077, kRelayFlyt = 1047, kRelayForlad = 1048, kRelayHvil = 1049, kRelayDbl = 1078,
               kRelayTegn = 1079;

const char *const kMaanedsNavne[12] = {"Jan", "Feb", "Mar", "Apr", "Maj",  "Juni",
                                       "Juli", "Aug", "Sep", "Okt", "Nov", "Dec"};

// Captions by form: [0] without, [1] with the norm system.
const char *const kKategorier[2][kRaekker] = {
    {"Undervis.", "Rettearb.", "Eksamen", "Ferie m.m.", "Pæd.pulje", "Øv. tim.", "Forventet"},
    {"Undervist til dato", "Planlagt undervis.", "Tidsreg.", "Særligt skema", "Øvrig timer", nullptr, nullptr}};
const char *const kRegnskab[2][kRaekker] = {
    {"Norm", "Sving", "Just.", "Norm ialt", "Læst", "Udb.", "Læst ialt"},
    {"Norm", "Registreret", "Afvigelse", "Indbetalt", nullptr, nullptr, nullptr}};

bool NormSystem() { return GlobalIndstillinger.normsystem != 0; }

HFONT ProgramFont() { return StdFont ? StdFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }
HFONT RudeFont() { return TxtFont ? TxtFont : ProgramFont(); }

// The size of a text in the program font, measured on the screen.
SIZE Maal(const char *tekst) {
  SIZE sz{0, 0};
  HDC dc = GetDC(0);
  if (!dc) return sz;
  HGDIOBJ gammel = SelectObject(dc, ProgramFont());
  GetTextExtentPoint32A(dc, tekst, static_cast<int>(std::strlen(tekst)), &sz);
  SelectObject(dc, gammel);
  ReleaseDC(0, dc);
  return sz;
}

int32_t Bredeste(std::initializer_list<const char *> tekster) {
  int32_t b = 0;
  for (const char *t : tekster) b = std::max<int32_t>(b, Maal(t).cx);
  return b;
}

MedOpgWS *WS(HWND h) { return reinterpret_cast<MedOpgWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

int RaekkeHoejde(const MedOpgWS *ws) { return std::max(1, ws->Y[5] - ws->Y[4] - 1); }

bool ErPlanRude(int r) {
  return r == OPG_MND_PLAN || r == OPG_MND_PLAN_IALT || r == OPG_PER_PLAN || r == OPG_PER_PLAN_IALT;
}

void FyldRude(MedOpgWS *ws, int r, uint8_t farve) {
  if (!ws->hwndRude[r] || !ws->RudeDC[r].hdc) return;
  RECT rc;
  GetClientRect(ws->hwndRude[r], &rc);
  FillRectIfAny(ws->RudeDC[r].hdc, FarveBrush[farve], 0, 0, rc.right, rc.bottom);
}

// The four plan and difference columns, rows and totals, on one background.
void FyldPlanDiff(MedOpgWS *ws, uint8_t farve) {
  for (int r : {OPG_MND_PLAN, OPG_MND_PLAN_IALT, OPG_MND_DIFF, OPG_MND_DIFF_IALT, OPG_PER_PLAN,
                OPG_PER_PLAN_IALT, OPG_PER_DIFF, OPG_PER_DIFF_IALT})
    FyldRude(ws, r, farve);
}

void Tal(MedOpgWS *ws, int rude, int raekke, uint8_t grund, float timer) {
  TegnMedOpgTal(&ws->RudeDC[rude], kTalFarve, grund, ws->TekstOffset + raekke * RaekkeHoejde(ws),
                MedOpgTusindedele(timer));
}

// One column of up to seven rows; a row without a value is left as it is.
struct Kolonne {
  float v[kRaekker] = {};
  bool har[kRaekker] = {};
  void Saet(int r, float x) {
    v[r] = x;
    har[r] = true;
  }
};

void SkrivKolonne(MedOpgWS *ws, int rude, const Kolonne &k, uint8_t grund) {
  for (int r = 0; r < kRaekker; ++r)
    if (k.har[r]) Tal(ws, rude, r, grund, k.v[r]);
}

// The month's name over the first figure column.
void TegnMaanedsNavn(MedOpgWS *ws, Dato d) {
  HDC dc = ws->dc.hdc;
  const int x1 = ws->X[1], x2 = ws->X[2], y1 = ws->Y[1], y2 = ws->Y[2];
  FillRectIfAny(dc, FarveBrush[kGrund], x1 + 1, y1 + 1, x2, y2);
  const uint32_t m = d / 100 % 100;
  if (m < 1 || m > 12) return;
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, x1 + 2, y1 + 1, kMaanedsNavne[m - 1], static_cast<int>(std::strlen(kMaanedsNavne[m - 1])));
}

// The employment's row of the identification layout, the rest of the strip
// filled with colour 0.
void TegnIdLinje(MedOpgWS *ws, uint32_t anfo) {
  if (!ObjSwitchLayout(kIdLinjeArt, kAnfoBogstav, 0)) {
    RydMedOpgRuder(ws, OPG_RYD_TOP);
    return;
  }
  SwitchRaekkeValg v;
  v.hwnd = ws->hwnd;
  v.Hoejde = kTopHoejde;
  const uint32_t layout = ObjSwitchBredde(kIdLinjeArt, kAnfoBogstav, 0);
  const uint32_t bredde = ws->Bredde > 0 ? static_cast<uint32_t>(ws->Bredde) : 0;
  v.RestBredde = bredde > layout ? bredde - layout : 0;
  TegnObjSwitchRaekke(&ws->RudeDC[OPG_TOP], 0, 0, kGrund, kIdLinjeArt, kAnfoBogstav, 0, &tdanfo, &tvanfo, anfo,
                      &v);
}

}  // namespace

int32_t MedOpgTekstHoejde() { return Maal("Dummy").cy; }

int32_t CalcMedOpgCol1Width() {
  if (NormSystem())
    return Bredeste({"Planlagt undervis.", "Tidsreg.", "Undervist til dato", "Særligt skema", "Øvrig timer"});
  return Bredeste({"Undervis.", "Rettearb.", "Eksamen", "Ferie m.m."});
}

int32_t CalcMedOpgCol2Width() {
  if (NormSystem()) return Bredeste({"Norm ialt", "Indbetalt", "Udbetalt", "Registreret"});
  return Bredeste({"Norm ialt", "Faktisk", "Undertid", "Overtid"});
}

int32_t CalcMedOpgWidth(int32_t graense) {
  return std::min(graense, CalcMedOpgCol1Width() + CalcMedOpgCol2Width() + 312);
}

int32_t CalcMedOpgHeight(int32_t graense) { return std::min(graense, 9 * MedOpgTekstHoejde() + 20); }

void CalcMedOpgLayout(MedOpgWS *ws) {
  const int32_t h = MedOpgTekstHoejde();
  int32_t *X = ws->X, *Y = ws->Y;
  X[0] = 2;
  X[1] = CalcMedOpgCol1Width() + X[0] + 3;
  for (int k = 2; k <= 7; ++k) X[k] = X[1] + kKolonne * (k - 1);
  X[8] = CalcMedOpgCol2Width() + X[7] + 3;
  X[9] = X[8] + kKolonne;
  Y[0] = 2;
  Y[1] = 14;
  Y[2] = Y[1] + h + 1;
  Y[3] = Y[4] = Y[2] + kRaekker * h + 1;
  Y[5] = Y[4] + h + 1;
}

void RydMedOpgRuder(MedOpgWS *ws, uint32_t dele) {
  if (!ws) return;
  const uint8_t plan = MedOpgPlanKilde ? kPlanGrund : kGrund;
  if ((dele & OPG_RYD_TOP) && ws->RudeDC[OPG_TOP].hdc)
    FillRectIfAny(ws->RudeDC[OPG_TOP].hdc, FarveBrush[kGrund], 0, 0, ws->Bredde, kTopHoejde);
  struct Del {
    uint32_t bit;
    int ruder[4];
  };
  static const Del dele_[] = {
      {OPG_RYD_MND, {OPG_MND, OPG_MND_IALT, -1, -1}},
      {OPG_RYD_MND_PLAN_DIFF, {OPG_MND_PLAN, OPG_MND_PLAN_IALT, OPG_MND_DIFF, OPG_MND_DIFF_IALT}},
      {OPG_RYD_PER, {OPG_PER, OPG_PER_IALT, -1, -1}},
      {OPG_RYD_PER_PLAN_DIFF, {OPG_PER_PLAN, OPG_PER_PLAN_IALT, OPG_PER_DIFF, OPG_PER_DIFF_IALT}},
      {OPG_RYD_REGNSKAB, {OPG_REGNSKAB, OPG_RESULTAT, -1, -1}},
  };
  for (const Del &d : dele_)
    if (dele & d.bit)
      for (int r : d.ruder)
        if (r >= 0) FyldRude(ws, r, ErPlanRude(r) ? plan : kGrund);
}

void TegnMedOpgTal(EnsDC *rude, uint8_t tekstFarve, uint8_t bkFarve, int y, int32_t vaerdi) {
  if (!rude || !rude->hdc) return;
  char tekst[16];
  const int n = std::snprintf(tekst, sizeof tekst, "%*d", 5, RoundMilli(vaerdi));
  TegnFarvetTekst(rude, 0, y, tekstFarve, bkFarve, tekst, n, 2);
}

void FyldMedOpg(MedOpgWS *ws) {
  if (!ws) return;
  const bool norm = NormSystem();
  const Dato d = SkemaPeriode.AktuelDato;
  const uint32_t anfo = ws->Anfo;
  const Dato fra = GetOpgPerFra(d, anfo), til = GetOpgPerTil(d, anfo);
  TegnMaanedsNavn(ws, d);
  MaanedIndeks foerste = 0, sidste = 0;
  int32_t normTimer = 0;
  GetOpgPerMonths(d, anfo, &foerste, &sidste, &normTimer);

  if (anfo == 0 || anfo >= tvanfo.wRecCnt) {
    // No employment: the plan panes go back to colour 0 as well, rather
    // than keep the plan source of the one shown before.
    MedOpgPlanKilde = 0;
    RydMedOpgRuder(ws, OPG_RYD_ALT);
    return;
  }
  const MaanedIndeks c = MaanedTilIndeks(d / 100);
  MedOpgPlanKilde = 0;
  const AnfoRec *a = TabRec<AnfoRec>(tvanfo, anfo);
  MedTalMaaned *mt = MedTalFor(anfo);
  if (!a || (a->Status != 10 && a->Status != 30) || !mt) {
    RydMedOpgRuder(ws, OPG_RYD_ALT);
    return;
  }
  const uint32_t meda = a->meda_id;

  // The current month's figures; a month the tables do not hold is empty.
  float mc[MEDTAL_SLOTS] = {};
  if (c <= MedTalM) std::memcpy(mc, mt[c], sizeof mc);
  MedTalArbejdstidCelle ac{};
  if (const MedTalArbejdstidCelle *p = MedOpgArbejdstidCelle(meda, c)) ac = *p;

  Kolonne mnd;
  if (norm) {
    const float v[5] = {mc[0], ac.Fremtid, ac.Bidrag / 60.0f, ac.Fravaer, mc[4]};
    for (int r = 0; r < 5; ++r) mnd.Saet(r, v[r]);
  } else {
    const float v[kRaekker] = {mc[0], mc[1], mc[2], mc[3], mc[5], mc[4], mc[7]};
    for (int r = 0; r < kRaekker; ++r) mnd.Saet(r, v[r]);
  }
  float mndIalt = 0;
  for (int r = 0; r < kRaekker; ++r) mndIalt += mnd.v[r];
  SkrivKolonne(ws, OPG_MND, mnd, kGrund);
  Tal(ws, OPG_MND_IALT, 0, kGrund, mndIalt);

  if (fra < SkemaPeriode.FraDato || til > SkemaPeriode.TilDato) {
    RydMedOpgRuder(ws, OPG_RYD_MND_PLAN_DIFF | OPG_RYD_PER | OPG_RYD_PER_PLAN_DIFF | OPG_RYD_REGNSKAB);
    TegnIdLinje(ws, anfo);
    return;
  }

  // The period sums P, the differences D and the month plans M.
  float P[MEDTAL_SLOTS] = {}, D[MEDTAL_SLOTS] = {};
  std::vector<std::array<float, MEDTAL_SLOTS>> M(std::max<size_t>({SkemaPeriode.AntalMaaneder, MedTalM, c}) + 1,
                                                  std::array<float, MEDTAL_SLOTS>{});
  float arb[5] = {};  // working-time fields 1..4 summed
  float test = 0;
  for (MaanedIndeks m = foerste; m <= sidste && m <= MedTalM; ++m) {
    for (int s = 0; s <= 13; ++s) P[s] += mt[m][s];
    for (int s = 8; s <= 13; ++s) M[m][s] = mt[m][s];
    if (const MedTalArbejdstidCelle *p = MedOpgArbejdstidCelle(meda, m)) {
      arb[1] += p->Bidrag;
      arb[2] += p->Fravaer;
      arb[3] += p->Indbetalt;
      arb[4] += p->Fremtid;
    }
    for (int s = 8; s <= 13; ++s) test += P[s];
  }
  const bool planFraMedTal = test != 0;
  if (!planFraMedTal) {
    for (MaanedIndeks m = foerste; m <= sidste && m <= MedTalM; ++m) {
      const PlanTalMndCelle *p = MedOpgPlanCelle(anfo, m);
      if (!p) break;
      P[8] += p->Undervisning;
      P[9] += p->Rettearbejde;
      P[10] += p->Eksamen;
      P[12] += p->Timer;
      M[m][8] = p->Undervisning;
      M[m][9] = p->Rettearbejde;
      M[m][10] = p->Eksamen;
      M[m][12] = p->Timer;
    }
    MedOpgPlanKilde = (P[8] + P[9] + P[10] + P[12] != 0) ? 1 : 0;
  }
  const bool planModul = MedOpgPlanKilde != 0;
  const float *Mc = M[c].data();

  D[8] = ac.Fremtid + mc[0] - Mc[8];
  for (int k = 1; k <= 5; ++k) D[8 + k] = mc[k] - Mc[8 + k];
  D[0] = arb[4] + P[0] - P[8];
  for (int k = 1; k <= 5; ++k) D[k] = P[k] - P[8 + k];
  D[7] = P[7];
  if (planModul) {
    D[3] = D[5] = D[7] = D[11] = D[13] = 0;
    if (norm) {
      D[4] = P[4] - P[12];
      D[12] = mc[4] - Mc[12];
    } else {
      D[4] = P[5] + P[3] + P[4] - P[12];
      D[12] = mc[5] + mc[3] + mc[4] - Mc[12];
    }
  }

  const float tidsreg = arb[1] / 60.0f;
  Kolonne per, mndPlan, mndDiff, perPlan, perDiff, regnskab;
  float mndPlanIalt, mndDiffIalt, perIalt, perPlanIalt, perDiffIalt, resultat;
  if (norm) {
    const float registreret = arb[4] + P[0] + tidsreg + arb[2] + P[4];
    const float v[5] = {P[0], arb[4], tidsreg, arb[2], P[4]};
    for (int r = 0; r < 5; ++r) per.Saet(r, v[r]);
    const float mp[5] = {Mc[8], 0, 0, 0, Mc[12]};
    const float pp[5] = {P[8], 0, 0, 0, P[12]};
    const float md[5] = {D[8], 0, ac.Bidrag / 60.0f, ac.Fravaer, D[12]};
    const float pd[5] = {D[0], 0, tidsreg, arb[2], D[4]};
    for (int r = 0; r < 5; ++r) {
      mndPlan.Saet(r, mp[r]);
      perPlan.Saet(r, pp[r]);
      mndDiff.Saet(r, md[r]);
      perDiff.Saet(r, pd[r]);
    }
    mndPlanIalt = Mc[8] + Mc[12];
    mndDiffIalt = D[8] + ac.Bidrag / 60.0f + ac.Fravaer + D[12];
    perIalt = registreret;
    perPlanIalt = P[8] + P[12];
    perDiffIalt = D[0] + tidsreg + arb[2] + D[4];
    const float n = static_cast<float>(normTimer);
    const float indbetalt = arb[3] / 60.0f;
    const float r4[4] = {n, registreret, registreret - n, indbetalt};
    for (int r = 0; r < 4; ++r) regnskab.Saet(r, r4[r]);
    resultat = registreret + indbetalt - n;
  } else {
    const float laest = P[0] + P[1] + P[2] + P[3] + P[5] + P[4] + P[7];
    const float v[kRaekker] = {P[0], P[1], P[2], P[3], P[5], P[4], P[7]};
    for (int r = 0; r < kRaekker; ++r) per.Saet(r, v[r]);
    // Rows 0, 1, 2 and "Øv. tim." always; "Ferie m.m." and "Pæd.pulje" only
    // with a plan of MedTal's own.
    const int raekker[] = {0, 1, 2, 5};
    const int slots[] = {8, 9, 10, 12};
    const int perDiffSlots[] = {0, 1, 2, 4};
    for (int i = 0; i < 4; ++i) {
      mndPlan.Saet(raekker[i], Mc[slots[i]]);
      mndDiff.Saet(raekker[i], D[slots[i]]);
      perPlan.Saet(raekker[i], P[slots[i]]);
      perDiff.Saet(raekker[i], D[perDiffSlots[i]]);
    }
    if (planFraMedTal) {
      mndPlan.Saet(3, Mc[11]);
      mndPlan.Saet(4, Mc[13]);
      mndDiff.Saet(3, D[11]);
      mndDiff.Saet(4, D[13]);
      perPlan.Saet(3, P[11]);
      perPlan.Saet(4, P[13]);
      perDiff.Saet(3, D[3]);
      perDiff.Saet(4, D[5]);
    }
    mndPlanIalt = Mc[8] + Mc[9] + Mc[10] + Mc[11] + Mc[12] + Mc[13];
    mndDiffIalt = D[8] + D[9] + D[10] + D[11] + D[12] + D[13];
    perIalt = laest;
    perPlanIalt = P[8] + P[9] + P[10] + P[11] + P[12] + P[13];
    perDiffIalt = D[0] + D[1] + D[2] + D[3] + D[5] + D[4] + D[7];
    const float n = static_cast<float>(normTimer);
    const float sving = GetBufTimSaldo(anfo, d);
    const float just = SumNormJust(anfo, fra, til);
    // Summed as the account does, so "Resultat" is its figure to the bit.
    const float normIalt = n + sving + just;
    const float laestIalt = laest - P[6];
    const float r7[kRaekker] = {n, sving, just, normIalt, laest, P[6], laestIalt};
    for (int r = 0; r < kRaekker; ++r) regnskab.Saet(r, r7[r]);
    resultat = laestIalt - normIalt;
  }

  SkrivKolonne(ws, OPG_PER, per, kGrund);
  Tal(ws, OPG_PER_IALT, 0, kGrund, perIalt);
  if (perPlanIalt <= 0) {
    RydMedOpgRuder(ws, OPG_RYD_MND_PLAN_DIFF | OPG_RYD_PER_PLAN_DIFF);
  } else {
    // The rows this run leaves unwritten (row 6, and rows 3 and 4 of a plan
    // from the planning module) and the panes' margins take this source's
    // background too.
    const uint8_t grund = planModul ? kPlanGrund : kGrund;
    FyldPlanDiff(ws, grund);
    SkrivKolonne(ws, OPG_MND_PLAN, mndPlan, grund);
    SkrivKolonne(ws, OPG_MND_DIFF, mndDiff, grund);
    SkrivKolonne(ws, OPG_PER_PLAN, perPlan, grund);
    SkrivKolonne(ws, OPG_PER_DIFF, perDiff, grund);
    Tal(ws, OPG_MND_PLAN_IALT, 0, grund, mndPlanIalt);
    Tal(ws, OPG_MND_DIFF_IALT, 0, grund, mndDiffIalt);
    Tal(ws, OPG_PER_PLAN_IALT, 0, grund, perPlanIalt);
    Tal(ws, OPG_PER_DIFF_IALT, 0, grund, perDiffIalt);
  }
  if (norm && ws->RudeDC[OPG_REGNSKAB].hdc) {
    const int h = RaekkeHoejde(ws);
    FillRectIfAny(ws->RudeDC[OPG_REGNSKAB].hdc, FarveBrush[kGrund], 0, 4 * h, kRudeBredde, kRaekker * h);
  }
  SkrivKolonne(ws, OPG_REGNSKAB, regnskab, kGrund);
  Tal(ws, OPG_RESULTAT, 0, kGrund, resultat);
  TegnIdLinje(ws, anfo);
}

void TegnMedOpg(MedOpgWS *ws) {
  if (!ws || !ws->dc.hdc) return;
  CalcMedOpgLayout(ws);
  HDC dc = ws->dc.hdc;
  RECT rc;
  GetClientRect(ws->hwnd, &rc);
  const int W = rc.right, H = rc.bottom;
  const int32_t *X = ws->X, *Y = ws->Y;
  const int h = RaekkeHoejde(ws);
  const int form = NormSystem() ? 1 : 0;

  // The window takes no background erase: its painting covers every pixel.
  FillRectIfAny(dc, FarveBrush[kGrund], 2, 2, W - 2, H - 2);
  DrawFrame3D(dc, 0, 0, W - 1, H - 1, 1);
  FillFrameSys(dc, COLOR_BTNFACE, 1, 1, 2, 2, W - 2, H - 2, W - 1, H - 1);

  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_3DDKSHADOW));
  HGDIOBJ gammel = SelectObject(dc, pen);
  auto Linje = [dc](int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
  };
  for (int y : {Y[0], Y[1], Y[2], Y[4]}) Linje(X[0], y, X[9], y);
  Linje(X[5], Y[3], X[9], Y[3]);
  Linje(X[0], Y[5], X[9] + 1, Y[5]);
  Linje(X[0], Y[0], X[0], Y[5]);
  for (int k = 1; k <= 7; ++k) Linje(X[k], Y[1], X[k], Y[5]);
  Linje(X[8], Y[2], X[8], Y[5]);
  Linje(X[9], Y[0], X[9], Y[5]);
  SelectObject(dc, gammel);
  DeleteObject(pen);

  SetBkMode(dc, TRANSPARENT);
  auto Tekst = [dc](int x, int y, const char *t) {
    if (t) TextOutA(dc, x, y, t, static_cast<int>(std::strlen(t)));
  };
  SIZE periode{0, 0};
  GetTextExtentPoint32A(dc, "Periode", 7, &periode);
  const char *const hoved[] = {"Plan", "Diff.", periode.cx >= kKolonne ? "Per." : "Periode", "Plan", "Diff.",
                               "Regnskab"};
  for (int k = 2; k <= 7; ++k) Tekst(X[k] + 2, Y[1] + 1, hoved[k - 2]);
  for (int r = 0; r < kRaekker; ++r) {
    Tekst(X[7] + 2, Y[2] + 1 + r * h, kRegnskab[form][r]);
    Tekst(X[0] + 2, Y[2] + 1 + r * h, kKategorier[form][r]);
  }
  Tekst(X[7] + 2, Y[4] + 1, "Resultat");
  Tekst(X[0] + 2, Y[4] + 1, "Ialt");

  for (int r = OPG_MND; r <= OPG_RESULTAT; ++r) {
    if (!ws->RudeDC[r].hdc) continue;
    // Odd panes hold the rows, even ones a total.
    const bool raekker = r % 2 == 1;
    const uint8_t farve = (!raekker && ErPlanRude(r) && MedOpgPlanKilde) ? kPlanGrund : kGrund;
    FillRectIfAny(ws->RudeDC[r].hdc, FarveBrush[farve], 0, 0, kRudeBredde, raekker ? kRaekker * h : h);
  }
}

LRESULT CALLBACK MedOpgWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  MedOpgWS *ws = WS(hwnd);
  switch (msg) {
    case WM_CREATE: {
      auto *cs = reinterpret_cast<CREATESTRUCTA *>(lParam);
      ws = static_cast<MedOpgWS *>(cs->lpCreateParams);
      if (!ws) return 0;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(ws));
      ws->hwnd = hwnd;
      ws->hwndParent = cs->hwndParent;
      SelectDCPalette(hwnd, &ws->dc, ProgramFont());
      SetBkColor(ws->dc.hdc, FarveTab[kGrund]);
      SetTextColor(ws->dc.hdc, GetSysColor(COLOR_3DDKSHADOW));
      const int32_t h = MedOpgTekstHoejde();
      ws->TekstOffset = h >= 12 ? (h - 10) / 2 : 0;
      CalcMedOpgLayout(ws);
      const int32_t *X = ws->X, *Y = ws->Y;
      // Each pane's cell: columns and rows of the layout.
      struct Celle {
        int xl, xr, yt, yb;
      };
      Celle celler[kMedOpgRuder];
      celler[OPG_TOP] = {0, 9, 0, 1};
      for (int k = 0; k < 6; ++k) {
        celler[1 + 2 * k] = {1 + k, 2 + k, 2, 3};
        celler[2 + 2 * k] = {1 + k, 2 + k, 4, 5};
      }
      celler[OPG_REGNSKAB] = {8, 9, 2, 3};
      celler[OPG_RESULTAT] = {8, 9, 3, 5};
      for (int r = 0; r < kMedOpgRuder; ++r) {
        const Celle &c = celler[r];
        auto *info = static_cast<DummyInfo *>(std::calloc(1, sizeof(DummyInfo)));
        if (!info) continue;
        *info = DummyInfo{nullptr, hwnd, kRelayNed, kRelayFlyt, kRelayForlad, kRelayHvil, kRelayDbl, kRelayTegn};
        const int x = X[c.xl] + 2, y = Y[c.yt] + 1;
        HWND rude = CreateWindowExA(0, "DummyWndClass", "", WS_CHILD | WS_CLIPSIBLINGS, x, y, X[c.xr] - 1 - x,
                                    Y[c.yb] - y, hwnd, 0, ws->hInstance, info);
        if (!rude) {
          std::free(info);
          continue;
        }
        ws->hwndRude[r] = rude;
        ShowWindow(rude, SW_SHOW);
        SelectDCPalette(rude, &ws->RudeDC[r], RudeFont());
      }
      ws->Anfo = ws->SidstAnfo = 0;
      ws->Maaned = ws->SidstMaaned = 0;
      SendMessageA(ws->hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(hwnd));
      ws->Aktiv = SendMessageA(ws->hwndParent, ENS_MAA_AKTIVERES, 0, static_cast<LPARAM>(hwnd)) ? 1 : 0;
      ws->IgnorerDato = 0;
      if (ws->Aktiv) SendMessageA(ws->hwndParent, ENS_BLEV_AKTIV, 1, static_cast<LPARAM>(hwnd));
      ws->Anfo = tvanfo.AktuelRec;
      return 0;
    }
    case WM_DESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      std::free(ws);
      return 0;
  }
  if (!ws) return DefWindowProcA(hwnd, msg, wParam, lParam);

  switch (msg) {
    case WM_SIZE:
      ws->Bredde = LOWORD(lParam);
      ws->Hoejde = HIWORD(lParam);
      break;
    case WM_SETFOCUS:
      // The statement takes no keys of its own: the main window keeps them.
      if (hwndHoved) SetFocus(hwndHoved);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      TegnMedOpg(ws);
      FyldMedOpg(ws);
      // What the panes now show, so a later change of the day alone does
      // not fill them again.
      ws->SidstMaaned = ws->Maaned = MaanedTilIndeks(SkemaPeriode.AktuelDato / 100);
      ws->SidstAnfo = ws->Anfo;
      return 0;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && GetKeyState(VK_CONTROL) < 0) {
        SendMessageA(ws->hwndParent, ELEMENT_LUK, 0, static_cast<LPARAM>(hwnd));
        return 0;
      }
      break;
    case AKTUEL_AENDRET: {
      if ((ws->Aktiv && wParam == 0) || ws->IgnorerDato) break;
      ws->Maaned = MaanedTilIndeks(SkemaPeriode.AktuelDato / 100);
      ws->Anfo = tvanfo.AktuelRec;
      if (ws->Maaned != ws->SidstMaaned || ws->Anfo != ws->SidstAnfo) {
        ws->SidstMaaned = ws->Maaned;
        ws->SidstAnfo = ws->Anfo;
        FyldMedOpg(ws);
      }
      break;
    }
    case VINDUE_AKTIVER:
      if (!ws->Aktiv) {
        ws->Aktiv = 1;
        SendMessageA(ws->hwndParent, ENS_BLEV_AKTIV, wParam, static_cast<LPARAM>(hwnd));
      }
      break;
    case VINDUE_DEAKTIVER:
      ws->Aktiv = 0;
      SendMessageA(ws->hwndParent, ENS_BLEV_INAKTIV, 0, static_cast<LPARAM>(hwnd));
      break;
    case VINDUE_SAET_AKTIV:
    case VINDUE_AKTIVER_STILLE:
      ws->Aktiv = 1;
      break;
    case DATA_AENDRET:
      ws->SidstMaaned = ws->Maaned = MaanedTilIndeks(SkemaPeriode.AktuelDato / 100);
      ws->SidstAnfo = ws->Anfo = tvanfo.AktuelRec;
      FyldMedOpg(ws);
      break;
    case VINDUE_ART:
      return ws->Art;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegistrerMedOpgKlasse(HINSTANCE inst) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = MedOpgWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(inst, MAKEINTRESOURCE(kMarkoerTavo));
  if (!wc.hCursor) wc.hCursor = LoadCursorA(0, IDC_ARROW);
  wc.hbrBackground = FarveBrush[kGrund];
  wc.lpszClassName = "MedOpgWndClass";
  if (RegisterClassA(&wc)) return true;
  LogPrintf("** Fejl: RegistrerMedOpgKlasse(): MedOpgWndClass kunne ikke registreres: Fejlnr: %lu\n",
            static_cast<unsigned long>(GetLastError()));
  return false;
}

HWND CreateMedOpgWnd(HINSTANCE inst, HWND parent, int x, int y) {
  auto *ws = static_cast<MedOpgWS *>(std::calloc(1, sizeof(MedOpgWS)));
  if (!ws) return 0;
  ws->hInstance = inst;
  ws->x = x;
  ws->y = y;
  ws->Bredde = CalcMedOpgCol1Width() + CalcMedOpgCol2Width() + 312;
  ws->Hoejde = 9 * MedOpgTekstHoejde() + 20;
  ws->Art = kMedOpgArt;
  HWND h = CreateWindowExA(0, "MedOpgWndClass", "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, ws->Bredde,
                           ws->Hoejde, parent, static_cast<HMENU>(kMedOpgArt), inst, ws);
  // WM_CREATE never fails, so a window that was not made never took the
  // workspace.
  if (!h) std::free(ws);
  return h;
}
