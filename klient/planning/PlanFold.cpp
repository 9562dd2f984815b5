// Folding of the plan's headers and periods, and the cursors kept on their
// objects. Row positions index Ens.ObjTab (GrundTab rows) and StyrYRev maps
// a row back to its position; column positions index StyrX.ObjTab (column
// objects) and StyrXRev maps a column object back.
#include "PlanFold.h"

#include <algorithm>

#include "ARRANGER.h"
#include "KATALOG.h"
#include "PLANAKSER.h"
#include "RECPRED.h"
#include "STITAB.h"
#include "windows.h"

namespace {

// The nearest position before pos whose object has the kind; 0 when none.
uint32_t FindRaekkeFoer(const uint32_t *objTab, const uint32_t *typeTab, uint32_t pos, uint32_t type) {
  if (!objTab || !typeTab || pos <= 1) return 0;
  for (uint32_t i = pos - 1; i >= 1; --i)
    if (typeTab[objTab[i]] == type) return i;
  return 0;
}

// The nearest position after pos, up to grense, whose object has the kind.
uint32_t FindRaekkeEfter(const uint32_t *objTab, const uint32_t *typeTab, uint32_t pos, uint32_t type,
                         uint32_t grense) {
  if (!objTab || !typeTab || pos >= grense) return 0;
  for (uint32_t i = pos + 1; i <= grense; ++i)
    if (typeTab[objTab[i]] == type) return i;
  return 0;
}

// The first entry of objTab[1..antal] that is the object with the kind.
uint32_t FindObjektMedType(const uint32_t *objTab, const uint32_t *typeTab, uint32_t antal, uint32_t objekt,
                           uint32_t type) {
  if (!objTab || !typeTab) return 0;
  for (uint32_t i = 1; i <= antal; ++i)
    if (objTab[i] == objekt && typeTab[objTab[i]] == type) return objTab[i];
  return 0;
}

// The header kind that owns a detail row for the fold command.
uint32_t FoldEjer(uint32_t type, uint8_t visning) {
  // Columns by view 'A', 'M', 'O'; 30 is the foreign subject rows' header
  // of view 'M'.
  struct Ejer {
    uint32_t type, a, m, o;
  };
  static constexpr Ejer kEjere[] = {
      {PLAN_FAG, PLAN_AKTI, PLAN_MEDA, 0},
      {PLAN_OPG_TIMER, 0, PLAN_MEDA, PLAN_OPG_AKTI},
      {PLAN_POST, 0, PLAN_MEDA, PLAN_OPG_AKTI},
      {PLAN_FREMMED_OPG_TIMER, 0, PLAN_MEDA, PLAN_OPG_AKTI},
      {PLAN_SKEMA, 0, PLAN_MEDA, PLAN_OPG_AKTI},
      {PLAN_FREMMED_FAG, PLAN_FREMMED_AKTI, 30, 0},
      {33, 32, 32, 32},
  };
  for (const Ejer &e : kEjere)
    if (e.type == type) return visning == 'A' ? e.a : visning == 'M' ? e.m : visning == 'O' ? e.o : 0;
  return 0;
}

void MarkerBlok(const TabDesc &td, TabVar &tv, uint32_t n) {
  if (tv.pfSave && td.RecPrBlok) tv.pfSave[n / td.RecPrBlok] = 1;
}

// The cursor on an axis position: the previous cursor the same, shown from
// the first position, the number shown left for the next layout.
void SaetCursor(GridPos &p, uint32_t &forrige, uint32_t pos) {
  pos = std::min(std::max(pos, 1u), p.Antal);
  p.Aktuel = pos;
  forrige = pos;
  p.Foerste = p.Antal ? 1 : 0;
  p.Synlige = 0;
}

uint32_t RaekkePos(const Plan *plan, uint32_t raekke) {
  return plan->StyrYRev && raekke && raekke <= plan->GrundTabAntal ? plan->StyrYRev[raekke] : 0;
}

}  // namespace

bool UdfoldSkift(const Plan *plan, const uint32_t *typeTab, uint32_t objekt) {
  if (!plan || !typeTab || objekt == 0) return false;
  switch (typeTab[objekt]) {
    case PLAN_AKTI:
    case PLAN_MEDA:
    case PLAN_OPG_AKTI:
    case PLAN_FREMMED_AKTI:
      return plan->GrundTab && objekt <= plan->GrundTabAntal && plan->GrundTab[objekt].Udfoldet == 0;
    case 32: {
      const uint32_t pos = plan->PPeriode ? plan->PPeriode[objekt] : 0;
      return pos >= 1 && pos <= plan->PeriodeAntal && plan->PeriodeTab[pos].Udfold == 0;
    }
    case 31:
    case PLAN_SKEMA:
      return true;
    default:
      return false;
  }
}

uint32_t PlanCelleObjekt(const Plan *plan) {
  const uint32_t r = PlanAktuelRaekke(plan);
  if (r == 0 || !plan->GrundTab || !plan->ObjTypeTab || r > plan->GrundTabAntal) return 0;
  const GrundRaekke &g = plan->GrundTab[r];
  switch (plan->ObjTypeTab[r]) {
    case PLAN_AKTI:
    case PLAN_FAG:
    case PLAN_OPG_AKTI:
    case PLAN_FREMMED_AKTI:
    case PLAN_FREMMED_FAG:
      return plan->Visning == 'M' ? g.Medarbejder1 : g.Aktivitet;
    case PLAN_MEDA:
    case PLAN_OPG_TIMER:
    case PLAN_FREMMED_OPG_TIMER:
    case PLAN_SKEMA:
      return g.Medarbejder1;
    default:
      return 0;
  }
}

void SaetUdfold(Plan *plan, const uint32_t *typeTab, uint32_t objekt, bool udfold) {
  if (!plan || !typeTab || objekt == 0) return;
  const uint8_t v = udfold ? 1 : 0;
  switch (typeTab[objekt]) {
    case PLAN_AKTI:
    case PLAN_MEDA:
    case PLAN_OPG_AKTI:
    case PLAN_FREMMED_AKTI: {
      if (!plan->GrundTab || objekt > plan->GrundTabAntal) return;
      GrundRaekke &g = plan->GrundTab[objekt];
      g.Udfoldet = v;
      if (auto *rec = g.GrundRec ? TabRec<FfgrundRec>(tvffgrund, g.GrundRec) : nullptr) {
        rec->Udfoldet = v;
        MarkerBlok(tdffgrund, tvffgrund, g.GrundRec);
      }
      return;
    }
    case 32: {
      const uint32_t pos = plan->PPeriode ? plan->PPeriode[objekt] : 0;
      if (pos == 0 || pos > plan->PeriodeAntal || !plan->PeriodeTab) return;
      plan->PeriodeTab[pos].Udfold = v;
      const uint32_t ffpp = plan->PeriodeTab[pos].ffpp;
      if (auto *rec = ffpp ? TabRec<FfppRec>(tvffpp, ffpp) : nullptr) {
        rec->Udfold = v;
        MarkerBlok(tdffpp, tvffpp, ffpp);
      }
      return;
    }
    default:
      return;
  }
}

void SaetUdfoldAlle(Plan *plan, const uint32_t *objTab, const uint32_t *typeTab, uint32_t antal, uint32_t pos) {
  if (!plan || !objTab || !typeTab || antal == 0 || pos == 0 || pos > antal) return;
  const uint32_t t = typeTab[objTab[pos]];
  uint32_t ejer = 0;
  bool ejerLoes = false;  // a kind-14 row of view 'A' has no owner
  switch (t) {
    case PLAN_FAG: ejer = PLAN_AKTI; break;
    case PLAN_OPG_TIMER:
      if (plan->Visning == 'O') ejer = PLAN_OPG_AKTI;
      else if (plan->Visning == 'M') ejer = PLAN_MEDA;
      else ejerLoes = true;
      break;
    case PLAN_FREMMED_FAG: ejer = PLAN_FREMMED_AKTI; break;
    case 33: ejer = 32; break;
    default: break;
  }
  uint32_t fra = 1, til = antal;
  if (ejerLoes) {
    fra = 2;
    til = antal - 1;
  } else if (ejer) {
    const uint32_t f = FindRaekkeFoer(objTab, typeTab, pos, ejer);
    fra = f ? f + 1 : 1;
    const uint32_t e = FindRaekkeEfter(objTab, typeTab, pos, ejer, antal);
    til = e ? e - 1 : antal;
  }
  bool vaerdi = true;
  for (uint32_t i = fra; i <= til && vaerdi; ++i) vaerdi = UdfoldSkift(plan, typeTab, objTab[i]);
  for (uint32_t i = fra; i <= til; ++i) SaetUdfold(plan, typeTab, objTab[i], vaerdi);
}

bool FoldRaekke(Plan *plan, bool alle) {
  if (!plan || !plan->Ens.ObjTab || !plan->ObjTypeTab) return false;
  const uint32_t antal = plan->Ens.ObjTabAntal;  // Ens is packed: read by value
  if (antal == 0) return false;
  const uint32_t *objTab = plan->Ens.ObjTab;
  uint32_t pos = std::min(std::max(plan->StyrY.Pos.Aktuel, 1u), antal);
  if (const uint32_t ejer = FoldEjer(plan->ObjTypeTab[objTab[pos]], plan->Visning))
    if (const uint32_t h = FindRaekkeFoer(objTab, plan->ObjTypeTab, pos, ejer)) pos = h;
  const uint32_t hoved = objTab[pos];
  const uint32_t type = plan->ObjTypeTab[hoved];
  if (alle)
    SaetUdfoldAlle(plan, objTab, plan->ObjTypeTab, antal, pos);
  else
    SaetUdfold(plan, plan->ObjTypeTab, hoved, UdfoldSkift(plan, plan->ObjTypeTab, hoved));
  // The rows come back in the view's order; the headings' sums are rebuilt
  // from the rows placed under them on the way.
  BygRaekker(plan, true);
  SaetRaekkeCursor(plan, hoved, type);
  if (plan->hwndPlan) TilpasVindue(plan->hwndPlan);
  return true;
}

bool FoldKolonne(Plan *plan, bool alle, bool gruppe) {
  if (!plan || !plan->StyrX.ObjTab || !plan->ObjTypeTabX) return true;
  const uint32_t antal = plan->StyrX.Pos.Antal;
  if (antal == 0) return true;
  const uint32_t *objTab = plan->StyrX.ObjTab;
  const uint32_t *typeTab = plan->ObjTypeTabX;
  uint32_t pos = std::min(std::max(plan->StyrX.Pos.Aktuel, 1u), antal);
  if (typeTab[objTab[pos]] == 33)
    if (const uint32_t p = FindRaekkeFoer(objTab, typeTab, pos, 32)) pos = p;
  if (alle && gruppe && typeTab[objTab[pos]] == 32)
    if (const uint32_t g = FindRaekkeFoer(objTab, typeTab, pos, 31)) pos = g;
  const uint32_t kolonne = objTab[pos];
  const uint32_t type = typeTab[kolonne];
  if (alle)
    SaetUdfoldAlle(plan, objTab, typeTab, antal, pos);
  else
    SaetUdfold(plan, typeTab, kolonne, UdfoldSkift(plan, typeTab, kolonne));
  // Only which columns are shown changes, so the column objects stay.
  BygSynligeKolonner(plan);
  const uint32_t obj = plan->ObjTabX ? FindObjektMedType(plan->ObjTabX, plan->ObjTypeTabX, plan->KolonneAntal,
                                                         kolonne, type)
                                     : kolonne;
  const uint32_t ny = obj && plan->StyrXRev ? plan->StyrXRev[obj] : 0;
  GridPos &p = plan->StyrX.Pos;
  p.Aktuel = std::min(std::max(ny, 1u), p.Antal);
  plan->StyrX.Forrige = p.Aktuel;
  p.Foerste = p.Antal ? 1 : 0;
  if (plan->hwndPlan) TilpasVindue(plan->hwndPlan);
  return true;
}

uint32_t FindPlanRaekke(Plan *plan, uint32_t objekt, uint32_t skolefag, uint32_t type) {
  if (!plan) return 0;
  const uint32_t antal = plan->Ens.ObjTabAntal;
  const uint32_t *objTab = plan->Ens.ObjTab;
  uint32_t kandidat = 0;
  for (uint32_t i = 1; objTab && plan->ObjTypeTab && i <= antal; ++i) {
    const uint32_t r = objTab[i];
    if (r == 0 || r > plan->GrundTabAntal) continue;
    const uint32_t t = plan->ObjTypeTab[r];
    if (type && t != type) continue;
    const GrundRaekke &g = plan->GrundTab[r];
    uint32_t vaerdi = 0;
    switch (t) {
      case PLAN_AKTI:
      case PLAN_OPG_AKTI:
        vaerdi = g.Aktivitet;
        break;
      case PLAN_FAG:
      case PLAN_MEDA:
      case PLAN_POST:
      case PLAN_FREMMED_OPG_TIMER:
      case PLAN_SKEMA:
        vaerdi = g.Medarbejder1;
        break;
      default:
        continue;
    }
    if (vaerdi == objekt && g.Foraelder == 0 && g.ffpg_id == plan->AktPlanGruppe) kandidat = i;
  }
  uint32_t resultat = kandidat;
  if (kandidat && skolefag && (plan->Visning == 'A' || plan->Visning == 'M')) {
    const uint32_t kr = objTab[kandidat];
    const uint32_t kt = plan->ObjTypeTab[kr];
    // Only the candidate's own block: it ends at the next header of its kind.
    if (plan->GrundTab[kr].Udfoldet) {
      for (uint32_t i = kandidat + 1; i <= antal; ++i) {
        const uint32_t r = objTab[i];
        if (r == 0 || r > plan->GrundTabAntal) continue;
        const uint32_t t = plan->ObjTypeTab[r];
        if (t == kt) break;
        const GrundRaekke &g = plan->GrundTab[r];
        if (t == PLAN_FAG && g.Skolefag == skolefag && g.Foraelder == 0 && g.ffpg_id == plan->AktPlanGruppe) {
          resultat = i;
          break;
        }
      }
    }
  }
  SaetCursor(plan->StyrY.Pos, plan->StyrY.Forrige, resultat);
  return plan->StyrY.Pos.Aktuel;
}

uint32_t SaetRaekkeCursor(Plan *plan, uint32_t objekt, uint32_t type) {
  if (!plan) return 0;
  const uint32_t r = FindObjektMedType(plan->Ens.ObjTab, plan->ObjTypeTab, plan->Ens.ObjTabAntal, objekt, type);
  SaetCursor(plan->StyrY.Pos, plan->StyrY.Forrige, RaekkePos(plan, r));
  return plan->StyrY.Pos.Aktuel;
}

void HuskPlanCursor(Plan *plan) {
  if (!plan) return;
  plan->HuskRaekke = PlanAktuelRaekke(plan);
  const GridPos &p = plan->StyrX.Pos;
  const uint32_t k = plan->StyrX.ObjTab && p.Aktuel && p.Aktuel <= p.Antal ? plan->StyrX.ObjTab[p.Aktuel] : 0;
  plan->HuskKolonneArt = k && plan->ObjTypeTabX ? plan->ObjTypeTabX[k] : 0;
  plan->HuskKolonneUge = k && plan->UgeTab ? plan->UgeTab[k] : 0;
}

void BevarKolonneCursor(Plan *plan) {
  if (!plan) return;
  GridPos &p = plan->StyrX.Pos;
  const uint32_t *objTab = plan->StyrX.ObjTab;
  uint32_t art = plan->HuskKolonneArt;
  Uge uge = plan->HuskKolonneUge;
  if (art == 0 && objTab && p.Aktuel && p.Aktuel <= p.Antal && plan->ObjTypeTabX) {
    const uint32_t k = objTab[p.Aktuel];
    art = plan->ObjTypeTabX[k];
    uge = plan->UgeTab ? plan->UgeTab[k] : 0;
  }
  // A column object is known by its kind and week: the total has week 0,
  // a period its first week, a week column its own week.
  uint32_t ny = 0;
  for (uint32_t i = 1; objTab && plan->ObjTypeTabX && art && i <= p.Antal && !ny; ++i) {
    const uint32_t k = objTab[i];
    if (plan->ObjTypeTabX[k] == art && (plan->UgeTab ? plan->UgeTab[k] : 0) == uge) ny = i;
  }
  plan->HuskKolonneArt = 0;
  plan->HuskKolonneUge = 0;
  SaetCursor(p, plan->StyrX.Forrige, ny);
}

void BevarRaekkeCursor(Plan *plan) {
  if (!plan) return;
  GridPos &p = plan->StyrY.Pos;
  uint32_t ny = RaekkePos(plan, plan->HuskRaekke);
  if (ny == 0 && p.Aktuel && p.Aktuel <= p.Antal) ny = RaekkePos(plan, PlanAktuelRaekke(plan));
  plan->HuskRaekke = 0;
  SaetCursor(p, plan->StyrY.Forrige, ny);
}

void NulstilLXAkse(Plan *plan) {
  if (!plan) return;
  plan->StyrLX.Pos = {plan->VenstreAntal, 1, plan->VenstreAntal, 0};
  plan->StyrLX.Forrige = 0;
}

void NulstilRXAkse(Plan *plan) {
  if (!plan) return;
  plan->StyrRX.Pos = {plan->HoejreAntal, 1, plan->HoejreAntal, 0};
  plan->StyrRX.Forrige = 0;
}

void VaelgStartPlanGruppe(Plan *plan) {
  if (!plan) return;
  const uint32_t valgt = GetPrivateProfileIntA("ffplan", "ffplangruppe", 0, StiTab.szini);
  GridPos &p = plan->StyrZ.Pos;
  const uint32_t *tab = plan->StyrZ.ObjTab;
  uint32_t pos = 0;
  for (uint32_t i = 1; tab && valgt && i <= p.Antal && !pos; ++i)
    if (tab[i] == valgt) pos = i;
  if (pos == 0 && tab && p.Antal) pos = 1;
  p.Aktuel = pos;
  plan->StyrZ.Forrige = pos;
  p.Foerste = 1;
  p.Synlige = 1;
  const uint32_t gruppe = pos ? tab[pos] : 0;
  tvffpg.AktuelRec = gruppe;
  plan->AktPlanGruppe = gruppe;
  if (const FfpgRec *g = gruppe ? TabRec<FfpgRec>(tvffpg, gruppe) : nullptr) {
    plan->Fradato = g->Fradato;
    plan->Tildato = g->Tildato;
  }
}
