// The plan's search lists and the choice of pick list: the lists are the
// selection window's pre-selection record, grown one entry at a time.
#include "FF_VALG.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanUtil.h"
#include "FELTTEKST.h"
#include "KATALOG.h"
#include "PROGVINDUER.h"
#include "PlanValgVindue.h"
#include "RECPRED.h"
#include "SORTIDX.h"
#include "SWITCH.h"
#include "TEKST.h"
#include "VISFELT.h"
#include "tavo/assert.h"

namespace {

// Field 1 of an activity is its name, of an employment its employee.
constexpr uint32_t kNavneFelt = 1;
// The employment's student lessons on the current row's subject.
constexpr uint32_t kElevLektionFelt = 354;

// Record 0 counts as live: a list never offers it, but a row may name it.
bool Levende(uint8_t status, uint32_t gruppe) {
  return status >= 10 && status <= 29 && static_cast<int32_t>(gruppe) >= 0;
}

bool Overlapper(const Plan *plan, Dato fra, Dato til) { return fra <= plan->Tildato && til >= plan->Fradato; }

void Tilfoej(ValgListe *liste, uint32_t rec) {
  liste->ObjTab = static_cast<uint32_t *>(realloc(liste->ObjTab, (liste->Antal + 2) * sizeof(uint32_t)));
  TAVO_ASSERT(liste->ObjTab != nullptr);
  if (liste->Antal == 0) liste->ObjTab[0] = 0;
  liste->ObjTab[++liste->Antal] = rec;
}

// The text of a field cut or padded to its display width.
void FastBredde(std::vector<uint8_t> &noegle, const char *tekst, uint32_t bredde, bool fortegn, bool dansk,
                bool *maerket) {
  std::vector<char> t(bredde + 1, ' ');
  size_t laengde = strlen(tekst);
  if (laengde > bredde) laengde = bredde;
  memcpy(t.data(), tekst, laengde);
  // A signed figure sorts in numeric order once its minus is below the
  // blank and its digits after it are turned round.
  if (fortegn && laengde > 1) {
    if (char *minus = static_cast<char *>(memchr(t.data(), '-', laengde))) {
      *minus = 31;
      for (char *c = minus + 1; c < t.data() + laengde; ++c) *c = static_cast<char>('i' - *c);
    }
  }
  if (maerket) {
    // Read after leading blanks; a turned minus reads as no figure.
    size_t i = 0;
    while (i < laengde && t[i] == ' ') ++i;
    long v = 0;
    while (i < laengde && t[i] >= '0' && t[i] <= '9') v = v * 10 + (t[i++] - '0');
    *maerket = v != 0;
  }
  if (dansk) DanskSortTegn(t.data(), static_cast<int>(laengde));
  noegle.insert(noegle.end(), t.begin(), t.begin() + bredde);
}

// View 'A': those who taught the row's students most first, and those who
// taught them nothing after everyone who did.
void SorterEfterElevLektioner(Plan *plan, ValgListe *liste) {
  const uint32_t n = liste->Antal;
  const uint32_t b354 = FeltBredde(&tdanfo, kElevLektionFelt, 0);
  const uint32_t b1 = FeltBredde(&tdanfo, kNavneFelt, 1);
  const uint32_t bredde = b354 + b1 ? b354 + b1 : 1;
  std::vector<uint8_t> noegler;
  noegler.reserve(static_cast<size_t>(n) * bredde);
  std::vector<uint8_t> maerket(n + 1, 0);
  for (uint32_t p = 1; p <= n; ++p) {
    const uint32_t rec = liste->ObjTab[p];
    const size_t start = noegler.size();
    VisFeltKontekst k{plan->hwndPlan, static_cast<int32_t>(PlanBruttoVaerdiIPlan(plan, rec)), 0, 0};
    // Without a figure the field would ask the window; it has none to give.
    const char *tal = k.valg1 ? VisFeltTekst('M', &tdanfo, &tvanfo, kElevLektionFelt, rec, &k, 0) : "";
    bool m = false;
    FastBredde(noegler, tal, b354, FeltMedFortegn(kElevLektionFelt), false, &m);
    maerket[p] = m;
    FastBredde(noegler, VisFeltTekst('M', &tdanfo, &tvanfo, kNavneFelt, rec, nullptr, 1), b1, false, true, nullptr);
    noegler.resize(start + bredde, ' ');
  }
  std::vector<uint32_t> pos(n);
  for (uint32_t p = 0; p < n; ++p) pos[p] = p;
  SortIdx(noegler.data(), pos.data(), bredde, n);
  // Reversed: the largest figures first.
  std::vector<uint32_t> rec(n + 1), mrk(n + 1);
  for (uint32_t p = 0; p < n; ++p) {
    rec[p + 1] = liste->ObjTab[pos[n - 1 - p] + 1];
    mrk[p + 1] = maerket[pos[n - 1 - p] + 1];
  }
  PlanFlytUmarkerede(rec.data(), mrk.data(), n);
  for (uint32_t p = 1; p <= n; ++p) liste->ObjTab[p] = rec[p];
}

// The choice of list by row class and view: rows of type 0, the rows that
// take a pick like type 2, and any other row.
enum ValgKlasse { KLASSE_NUL, KLASSE_RAEKKE, KLASSE_ANDEN };

struct ValgRegel {
  ValgKlasse klasse;
  uint8_t visning;
  uint8_t bogstav;        // 0: nothing opens
  uint32_t alleArt;       // 0: every employment; else the window kind whose chosen 'M' layout decides
  uint32_t listeArt;
  uint32_t maerkeGraense;
};

constexpr ValgRegel kValgRegler[] = {
    {KLASSE_NUL, 'M', 'M', 0, kPlanValgAnfoArt, 10000},
    {KLASSE_NUL, 'O', 'K', 0, kPlanValgArt, 0},
    {KLASSE_RAEKKE, 'A', 'M', kPlanValgArt, kPlanValgArt, 2},
    {KLASSE_RAEKKE, 'M', 'K', 0, kPlanValgArt, 0},
    {KLASSE_RAEKKE, 'O', 'M', kPlanValgAnfoArt, kPlanValgAnfoArt, 10000},
};

ValgKlasse Klasse(uint32_t type, uint8_t visning) {
  if (type == 0) return KLASSE_NUL;
  if (type == PLAN_FAG) return KLASSE_RAEKKE;
  // The employee and task rows take a pick only outside the activity view.
  switch (type) {
    case PLAN_MEDA: case PLAN_OPG_AKTI: case PLAN_OPG_TIMER: case PLAN_POST: case PLAN_FREMMED_FAG:
    case PLAN_FREMMED_OPG_TIMER:
      return visning == 'A' ? KLASSE_ANDEN : KLASSE_RAEKKE;
    default: return KLASSE_ANDEN;
  }
}

}  // namespace

void PlanFlytUmarkerede(uint32_t *liste, uint32_t *maerket, uint32_t antal) {
  uint32_t i = 1, j = antal;
  while (i < j) {
    if (!maerket[i]) {
      std::swap(liste[i], liste[j]);
      std::swap(maerket[i], maerket[j]);
      --j;
    }
    ++i;
  }
}

void FyldPlanAktiListe(Plan *plan, ValgListe *liste) {
  for (uint32_t n = 1; n < tvakti.wRecCnt; ++n) {
    const AktiRec *a = TabRec<AktiRec>(tvakti, n);
    if (!a || !Levende(a->Status, a->Gruppe) || !Overlapper(plan, a->Fradato, a->Tildato)) continue;
    if (a->Aktivitet[0] == '*' || !FeltErTekst(a->Type, sizeof a->Type, "OVAK")) continue;
    Tilfoej(liste, n);
  }
  if (liste->Antal > 1) SorterPaaFelter('K', liste->ObjTab, liste->Antal, &tdakti, &tvakti, nullptr, 0, 0, {kNavneFelt});
}

void FyldPlanAnfoListe(Plan *plan, ValgListe *liste, int alle) {
  free(liste->ObjTab);
  liste->ObjTab = nullptr;
  liste->Antal = 0;
  BeregnElevLektioner(plan, plan->AktPlanGruppe, &plan->Brutto);
  for (uint32_t n = 1; n < tvanfo.wRecCnt; ++n) {
    const AnfoRec *a = TabRec<AnfoRec>(tvanfo, n);
    if (!a || !Levende(a->Status, a->Gruppe) || !Overlapper(plan, a->Fradato, a->Tildato)) continue;
    if (!alle && FindPgRel(plan->AktPlanGruppe, n, 'M') == 0) continue;
    Tilfoej(liste, n);
  }
  if (liste->Antal < 2) return;
  if (plan->Visning == 'A')
    SorterEfterElevLektioner(plan, liste);
  else
    SorterPaaFelter('M', liste->ObjTab, liste->Antal, &tdanfo, &tvanfo, nullptr, 0, 1, {kNavneFelt});
}

uint32_t PlanValgtMLayout(uint32_t art) {
  if (art >= kObjSwitchArter) return 0;
  uint32_t nr = 0;
  for (const SwitchLayout *l = ObjSwitchTab[art]; l; l = l->Naeste)
    if (l->Bogstav == 'M' && l->Valgt == 1) nr = l->SwitchNr;
  return nr;
}

PlanValgType VaelgPlanValgType(const Plan *plan, uint32_t objekt) {
  PlanValgType ud{};
  if (!plan) return ud;
  const uint32_t raekke = PlanAktuelRaekke(plan);
  const bool gyldig = raekke != 0 && raekke <= plan->GrundTabAntal && plan->ObjTypeTab && plan->GrundTab;
  if (plan->Visning == 'O' && gyldig) {
    // A task row of a cancelled or deleted activity takes no pick.
    const AktiRec *a = TabRec<AktiRec>(tvakti, plan->GrundTab[raekke].Aktivitet);
    if (plan->GrundTab[raekke].Aktivitet != 0 && a && (a->Status < 10 || a->Status > 29)) return ud;
  }
  const uint32_t type = objekt == 0 && gyldig ? plan->ObjTypeTab[raekke] : 0;
  const ValgKlasse klasse = Klasse(type, plan->Visning);
  for (const ValgRegel &r : kValgRegler) {
    if (r.klasse != klasse || r.visning != plan->Visning) continue;
    ud.Bogstav = r.bogstav;
    ud.Alle = r.alleArt == 0 || PlanValgtMLayout(r.alleArt) != 1;
    ud.ListeArt = r.listeArt;
    ud.MaerkeGraense = r.maerkeGraense;
    break;
  }
  return ud;
}

ValgListe *LavPlanValgListe(Plan *plan, uint32_t objekt, PlanValgType *type) {
  const PlanValgType t = VaelgPlanValgType(plan, objekt);
  if (type) *type = t;
  if (t.Bogstav == 0) return nullptr;
  ValgListe *liste = static_cast<ValgListe *>(calloc(1, sizeof(ValgListe)));
  TAVO_ASSERT(liste != nullptr);
  liste->TitelArt = kPlanValgTitelArt;
  liste->Ubrugt[0] = objekt;
  liste->ListeArt = t.ListeArt;
  if (t.Bogstav == 'M')
    FyldPlanAnfoListe(plan, liste, t.Alle);
  else
    FyldPlanAktiListe(plan, liste);
  return liste;
}

void VisPlanValgListe(Plan *plan, uint32_t objekt) {
  PlanValgType type{};
  ValgListe *liste = LavPlanValgListe(plan, objekt, &type);
  if (!liste) return;
  // The list may grow down to the desktop's bottom edge: a count of plan
  // rows taken as pixels would leave it a few pixels high.
  constexpr int kVenstre = 200, kTop = 60;
  RECT skrivebord{0, 0, 0, 0};
  if (hwndDesktop) GetClientRect(hwndDesktop, &skrivebord);
  const int bund = std::max<int>(skrivebord.bottom, kTop);
  const HWND h = CreatePlanValgWnd(plan->hwndPlan, type.Bogstav, kVenstre, kTop, INT_MAX, bund,
                                   type.MaerkeGraense, 1, liste, hInst);
  if (!h) return;
  SendMessageA(h, PLANVALG_FORMARKER, 0, 0);
  if (!IsWindow(h)) return;
  ShowWindow(h, SW_SHOW);
  UpdateWindow(h);
  SendMessageA(h, VINDUE_AKTIVER, 1, 0);
  if (IsWindow(h)) BringWindowToTop(h);
}

uint32_t FindRaekkeFoer(const uint32_t *objTab, const uint32_t *objTypeTab, uint32_t pos, uint32_t type) {
  if (!objTab || !objTypeTab) return 0;
  for (uint32_t p = pos > 1 ? pos - 1 : 0; p >= 1; --p)
    if (objTypeTab[objTab[p]] == type) return p;
  return 0;
}

uint32_t FindRaekkeEfter(const uint32_t *objTab, const uint32_t *objTypeTab, uint32_t pos, uint32_t type,
                         uint32_t graense) {
  if (!objTab || !objTypeTab) return 0;
  for (uint32_t p = pos + 1; p <= graense && pos < graense; ++p)
    if (objTypeTab[objTab[p]] == type) return p;
  return 0;
}

uint32_t FindObjektMedType(const uint32_t *objTab, const uint32_t *objTypeTab, uint32_t antal, uint32_t objekt,
                           uint32_t type) {
  if (!objTab || !objTypeTab) return 0;
  for (uint32_t i = 1; i <= antal; ++i)
    if (objTab[i] == objekt && objTypeTab[objTab[i]] == type) return objTab[i];
  return 0;
}
