// Plan helpers: day masks, the export-safe record removal, the export mark,
// column widths and the gross-table lookups.
#include "FF_PlanUtil.h"

#include <cstring>

#include "FF_PlanFyld.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "RECPRED.h"
#include "SKEMARK.h"
#include "SWITCH.h"
#include "TABOPER.h"
#include "TABREG.h"
#include "VEDLIGE.h"

namespace {

uint8_t UdenforDatoer(Dato fra, Dato til, Uge uge) {
  uint8_t maske = 0;
  for (uint8_t dag = 1; dag <= 5; ++dag) {
    const Dato d = UgeDagTilDato(uge, dag);
    if (d < fra || d > til) maske |= static_cast<uint8_t>(1u << (dag - 1));
  }
  return maske;
}

uint32_t Dage(uint8_t maske) { return 5u - static_cast<uint32_t>(__builtin_popcount(maske & kAlleDage)); }

constexpr uint8_t kOnsdag = 4;

// The record's id field ("Id" or "id"); 0 for a table without one.
uint32_t RecId(const TabDesc *pTd, const uint8_t *rec) {
  for (uint32_t i = 0; i < pTd->AntalFelter && i < MAXFELT; ++i) {
    const FeltDef &f = pTd->FeltTab[i];
    if (f.Size == 4 && (strcmp(f.Navn, "Id") == 0 || strcmp(f.Navn, "id") == 0) &&
        f.Offset + 4 <= pTd->RecSize) {
      uint32_t id;
      memcpy(&id, rec + f.Offset, 4);
      return id;
    }
  }
  return 0;
}

const SwitchFelt *FeltMedNr(const PlanFeltLayout &l, uint32_t feltNr) {
  if (l.Art < 0 || static_cast<uint32_t>(l.Art) >= kObjSwitchArter) return nullptr;
  const SwitchLayout *lay = ObjSwitchLayout(static_cast<uint32_t>(l.Art), l.Bogstav, l.SwitchNr);
  for (const SwitchFelt *f = lay ? lay->FoersteFelt : nullptr; f; f = f->Naeste)
    if (f->FeltNr == feltNr) return f;
  return nullptr;
}

const BruttoPost *Post(const BruttoTabel *tab, uint32_t raekke) {
  if (!tab || !tab->Poster || raekke == 0 || raekke >= tab->Antal) return nullptr;
  return &tab->Poster[raekke];
}

}  // namespace

uint8_t AnfoUdenforDage(uint32_t anfo, Uge uge) {
  const AnfoRec *a = anfo ? TabRec<AnfoRec>(tvanfo, anfo) : nullptr;
  return a ? UdenforDatoer(a->Fradato, a->Tildato, uge) : 0;
}

uint8_t AktiUdenforDage(uint32_t akti, Uge uge) {
  const AktiRec *a = akti ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  return a ? UdenforDatoer(a->Fradato, a->Tildato, uge) : 0;
}

uint8_t PeriodeUdenforDage(Uge uge) { return UdenforDatoer(SkemaPeriode.FraDato, SkemaPeriode.TilDato, uge); }

uint8_t AktiIkkeSkoleDage(uint32_t akti, Uge uge) {
  const AktiRec *a = akti ? TabRec<AktiRec>(tvakti, akti) : nullptr;
  const uint32_t skka = a ? a->skka_id : 0;
  uint8_t maske = PeriodeUdenforDage(uge);
  for (uint8_t dag = 1; dag <= 5; ++dag) {
    const Dato d = UgeDagTilDato(uge, dag);
    if (!IsSkoledag(d, skka) || (GlobalIndstillinger.markerhellig && Helligdag(d) != 0))
      maske |= static_cast<uint8_t>(1u << (dag - 1));
  }
  return maske;
}

uint32_t PlanDageIUge(uint32_t akti, uint32_t anfo, Uge uge, uint32_t raekkeType) {
  if (raekkeType == PLAN_FAG) {
    uint32_t dage = Dage(AktiIkkeSkoleDage(akti, uge));
    const uint32_t aktiDage = Dage(AktiUdenforDage(akti, uge));
    if (aktiDage < dage) dage = aktiDage;
    if (anfo) {
      const uint32_t anfoDage = Dage(AnfoUdenforDage(anfo, uge));
      if (anfoDage < dage) dage = anfoDage;
    }
    return dage;
  }
  if (raekkeType == PLAN_OPG_TIMER) {
    if (AktiUdenforDage(akti, uge) & kOnsdag) return 0;
    if (anfo && (AnfoUdenforDage(anfo, uge) & kOnsdag)) return 0;
    return 1;
  }
  return 5;
}

uint32_t SletEllerMaerkRec(const TabDesc *pTd, TabVar *pTv, uint32_t n) {
  if (!pTd || !pTv || n == 0 || n >= pTv->wRecCnt) return n;
  const uint8_t *rec = GetRec(pTd, pTv, n);
  const uint8_t status = RecStatus(pTd, rec);
  if (status & 16) return n;
  // A record the central system knows must stay until the export has sent
  // its deletion: a confirmed one keeps its id whatever its status says.
  if ((status & 32) || RecId(pTd, rec) > 0) {
    SetRecStatus(pTd, pTv, n, static_cast<uint8_t>(status | 72));
    return n;
  }
  DelRec(pTd, pTv, n);
  return 0;
}

void MarkerPlanEksport() {
  if (EksportPlanTal != 0) return;
  EksportPlanTal = 1;
  if (hwndEksportStatus) SendMessageA(hwndEksportStatus, WM_PAINT, 0, 0);
}

uint32_t PlanKolonneBredde(const Plan *plan, uint32_t kolonne, uint32_t omraade) {
  if (!plan || kolonne == 0) return 0;
  const PlanFeltLayout *layout = nullptr;
  const uint32_t *arter = nullptr;
  uint32_t antal = 0;
  switch (omraade) {
    case PLAN_OMR_VENSTRE:
      layout = &plan->LayoutVenstre, arter = plan->ObjTypeTabLX, antal = plan->VenstreAntal;
      break;
    case PLAN_OMR_UGER:
      layout = &plan->LayoutKolonne, arter = plan->ObjTypeTabX, antal = plan->KolonneAntal;
      break;
    case PLAN_OMR_HOEJRE:
      layout = &plan->LayoutPlanListe, arter = plan->ObjTypeTabRX, antal = plan->HoejreAntal;
      break;
    default:
      return 0;
  }
  if (!arter || kolonne > antal) return 0;
  const uint32_t art = arter[kolonne];
  if (art == 0) return 0;
  const SwitchFelt *f = FeltMedNr(*layout, art);
  return f ? SwitchFeltBredde(f) : 0;
}

uint32_t PlanAktuelRaekke(const Plan *plan) {
  if (!plan || !plan->Ens.ObjTab) return 0;
  const uint32_t pos = plan->StyrY.Pos.Aktuel;
  if (pos == 0 || pos > plan->Ens.ObjTabAntal) return 0;
  return plan->Ens.ObjTab[pos];
}

uint32_t PlanBruttoVaerdiIPlan(const Plan *plan, uint32_t anfo) {
  const BruttoPost *p = plan ? Post(&plan->Brutto, PlanAktuelRaekke(plan)) : nullptr;
  if (!p || anfo == 0) return 0;
  for (uint32_t i = 0; i < p->Antal && i < kBruttoAnfo; ++i)
    if (p->Anfo[i] == anfo) return p->Vaerdi[i];
  return 0;
}

uint32_t PlanBruttoVaerdi(HWND hwndPlan, uint32_t anfo) {
  if (!hwndPlan) return 0;
  const Plan *plan = reinterpret_cast<const Plan *>(SendMessageA(hwndPlan, REL_PLAN_TILSTAND, 0, 0));
  return PlanBruttoVaerdiIPlan(plan, anfo);
}

uint32_t PlanVaelgBruttoMedarbejder(const BruttoTabel *tab, uint32_t raekke) {
  const BruttoPost *p = Post(tab, raekke);
  if (!p) return 0;
  uint32_t bedst = 0, bedstVaerdi = 0;
  for (uint32_t i = 0; i < p->Antal && i < kBruttoAnfo; ++i) {
    const AnfoRec *a = p->Anfo[i] ? TabRec<AnfoRec>(tvanfo, p->Anfo[i]) : nullptr;
    if (!a || a->Status < 10 || a->Status > 29 || IsArkivAnfo(p->Anfo[i])) continue;
    if (p->Vaerdi[i] > bedstVaerdi) bedst = p->Anfo[i], bedstVaerdi = p->Vaerdi[i];
  }
  return bedst;
}

uint32_t PlanForeslaaMedarbejderIPlan(Plan *plan) {
  if (!plan) return 0;
  BruttoTabel tab{};
  BeregnElevLektioner(plan, plan->AktPlanGruppe, &tab);
  const uint32_t anfo = PlanVaelgBruttoMedarbejder(&tab, PlanAktuelRaekke(plan));
  free(tab.Poster);
  return anfo;
}

uint32_t PlanForeslaaMedarbejder(HWND hwndPlan) {
  if (!hwndPlan) return 0;
  return PlanForeslaaMedarbejderIPlan(reinterpret_cast<Plan *>(SendMessageA(hwndPlan, REL_PLAN_TILSTAND, 0, 0)));
}
