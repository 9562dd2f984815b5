// The processing after an import: links, chains, periods and the derived figures rebuilt.
#include "ImpBehandl.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "DATO.h"
#include "FINDREC.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "OPTAEL.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "SORTIDX.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "VEDLIGE.h"

BehandlDataKroge BehandlDataKrog = {};

namespace {

// One chained table: its records (status, owner, date and link fields) and
// the owner table with the chain's head field.
struct Kaede {
  const TabDesc *pTd;
  TabVar *pTv;
  size_t status, ejer, dato, naeste;
  const TabDesc *pEjerTd;
  TabVar *pEjerTv;
  size_t hoved;
};

#define KAEDE(tab, Rec, ejerFelt, datoFelt, naesteFelt, ejerTab, EjerRec, hovedFelt)                      \
  Kaede {                                                                                                 \
    &td##tab, &tv##tab, offsetof(Rec, Status), offsetof(Rec, ejerFelt), offsetof(Rec, datoFelt),          \
        offsetof(Rec, naesteFelt), &td##ejerTab, &tv##ejerTab, offsetof(EjerRec, hovedFelt)               \
  }

const Kaede kKaeder[] = {
    KAEDE(udlplan, UdlplanRec, anfo_id, Gyldig_fra, neste_udlplan, anfo, AnfoRec, forste_udlplan),
    KAEDE(aftalop, AftalopRec, araf_id, Fradato, neste_aftalop, araf, ArafRec, forste_aftalop),
    KAEDE(opgper, OpgperRec, opgkal_id, Fradato, neste_opgper, opgkal, OpgkalRec, forste_opgper),
    KAEDE(minutfau, MinutfauRec, skfa_id, Gyldig_fra, neste_minutfau, skfa, SkfaRec, forste_minutfau),
    KAEDE(fagfordl, FagfordlRec, skfa_id, Fradato, neste_fagfordl_fag, skfa, SkfaRec, forste_fagfordl),
    KAEDE(minutud, MinutudRec, udgr_id, Gyldig_fra, neste_minutud, udgr, UdgrRec, forste_minutud),
    KAEDE(mipl, MiplRec, planakt_id, Gyldig_fra, neste_mipl, planakt, PlanaktRec, forste_mipl),
};

#undef KAEDE

uint32_t Laes32(const uint8_t *p) {
  uint32_t v;
  memcpy(&v, p, 4);
  return v;
}
void Skriv32(uint8_t *p, uint32_t v) { memcpy(p, &v, 4); }

void OpbygKaede(const Kaede &k) {
  for (uint32_t r = 1; r < k.pEjerTv->wRecCnt; ++r) Skriv32(GetRec(k.pEjerTd, k.pEjerTv, r) + k.hoved, 0);
  struct Led {
    uint32_t ejer, dato, r;
  };
  std::vector<Led> led;
  for (uint32_t r = 1; r < k.pTv->wRecCnt; ++r) {
    uint8_t *p = GetRec(k.pTd, k.pTv, r);
    Skriv32(p + k.naeste, 0);
    const uint8_t status = p[k.status];
    const uint32_t ejer = Laes32(p + k.ejer);
    if (status >= 10 && status <= 30 && GyldigRef(k.pEjerTv, ejer)) led.push_back({ejer, Laes32(p + k.dato), r});
  }
  // Each record goes in front of those with its date, so the later record
  // of an equal date comes first.
  std::sort(led.begin(), led.end(), [](const Led &a, const Led &b) {
    if (a.ejer != b.ejer) return a.ejer < b.ejer;
    if (a.dato != b.dato) return a.dato < b.dato;
    return a.r > b.r;
  });
  for (size_t i = 0; i < led.size(); ++i) {
    const bool foerst = i == 0 || led[i - 1].ejer != led[i].ejer;
    if (foerst)
      Skriv32(GetRec(k.pEjerTd, k.pEjerTv, led[i].ejer) + k.hoved, led[i].r);
    else
      Skriv32(GetRec(k.pTd, k.pTv, led[i - 1].r) + k.naeste, led[i].r);
  }
}

void SaetHarEgenPlan() {
  HarEgenPlan = 0;
  for (uint32_t r = 1; r < tvffpg.wRecCnt; ++r) {
    FfpgRec g;
    memcpy(&g, GetRec(&tdffpg, &tvffpg, r), sizeof g);
    if (g.Ejer == GlobalIndstillinger.insnr && g.Status != 0 && (g.Status & 0x48) != 0x48) {
      HarEgenPlan = 1;
      return;
    }
  }
}

}  // namespace

void OpbygDatoKaeder() {
  for (const Kaede &k : kKaeder) OpbygKaede(k);
}

uint32_t MestBrugteRingSystem() {
  if (tvrisy.wRecCnt < 2) return 0;
  std::vector<uint32_t> brugt(tvrisy.wRecCnt, 0);
  for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) {
    const TabVar *b = SkemabegBucket(IndeksTilUge(i));
    if (b == nullptr) continue;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const auto *s = reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, r));
      const uint32_t risy = s->risy_id;
      if ((s->Status & 0x48) == 0x40 && GyldigRef(&tvrisy, risy)) ++brugt[risy];
    }
  }
  uint32_t bedst = 0;
  for (uint32_t r = 1; r < brugt.size(); ++r)
    if (brugt[r] > brugt[bedst]) bedst = r;
  return bedst;
}

void RydFftaltab() {
  if (tvfftaltab.wRecCnt == 0) return;
  SortTab(&tdfftaltab, &tvfftaltab);
  CleanupTab(&tdfftaltab, &tvfftaltab);
  BuildTabIdx(&tdfftaltab, &tvfftaltab);
  SortTabIdx(&tdfftaltab, &tvfftaltab);
  tvfftaltab.fSorter = 0;
}

void BehandlData() {
  LinkAnfoFagfordl();
  OpbygDatoKaeder();
  LinkAktiMiakBudt();
  BuildMedPer();
  RydFftaltab();
  CountExportChanges();
  if (BehandlDataKrog.LaesRolleForslag) BehandlDataKrog.LaesRolleForslag();
  HentGruppeValgStjerne();
  if (BehandlDataKrog.CreateRingeGrupper) BehandlDataKrog.CreateRingeGrupper();
  GlobalIndstillinger.standardRingSystem = MestBrugteRingSystem();
  if (BehandlDataKrog.LoadSkphIni) BehandlDataKrog.LoadSkphIni();
  SaetHarEgenPlan();
  CountPlanTal();
  AllokerTalTab();
  CountPlanTalMnd();
}
