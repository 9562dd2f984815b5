// The common writer of a new schedule event. Rows are only ever appended,
// so an event's rows stay together and no other event's row moves; the
// bucket grows a whole block at a time.
#include "ADDBEG.h"

#include <algorithm>
#include <cstring>

#include "DATO.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "ROLLER.h"
#include "SIDEFIL.h"
#include "SKEBEG.h"
#include "TABOPER.h"
#include "TAVODATA.h"

namespace {

// The week of an address, when it is a week of the schedule period (its
// bucket is the one saved); 0 otherwise.
Uge PeriodeUge(uint8_t aarIdx, uint8_t uge) {
  if (!BegBucket(aarIdx, uge)) return 0;
  const Uge u = (SkemaPeriode.BaseAar + aarIdx) * 100 + uge;
  const UgeIndeks w = UgeTilIndeks(u);
  return w >= 1 && w <= SkemaPeriode.AntalUger && IndeksTilUge(w) == u ? u : 0;
}

template <class T>
T Element(const T *liste, uint32_t antal, uint32_t k) {
  return liste && k < antal ? liste[k] : T{};
}

// The reserved activity of a first row without activity whose role is an
// absence; the later tests override the earlier ones. 0 for none.
uint32_t FravaersAktiId(uint32_t rol) {
  if (!SkemarolErFravaer(rol)) return 0;
  uint32_t id = 0;
  if (SkemarolErOmsorg(rol)) id = 999999998;
  if (SkemarolErAfspadsering(rol)) id = 999999997;  // SLS 710, a time-off type or a role text "A..."
  if (SkemarolErOP(rol)) id = 999999996;
  if (SkemarolErFerie(rol) || SkemarolErSaerligFerie(rol)) id = 999999995;  // SLS 500, "F...", "SF"
  if (SkemarolErSygdom(rol)) id = 999999994;
  return id;
}

// Room for n rows after the bucket's last row; the first new row's number,
// or 0 when the bucket cannot grow.
uint32_t GoerPlads(TabVar *b, uint32_t n) {
  const uint32_t forste = b->wRecCnt == 0 ? 1 : b->wRecCnt;
  const uint64_t nyAntal = uint64_t{forste} + n;
  if (nyAntal > UINT32_MAX) return 0;
  while (b->AllocAntal < nyAntal)
    if (AddTabBlock(&tdske, b, tdske.RecPrBlok) != 0) return 0;
  b->wRecCnt = static_cast<uint32_t>(nyAntal);
  return forste;
}

}  // namespace

uint8_t AddBegivenhed(AVS *avs, uint32_t id, uint8_t aarIdx, uint8_t uge, uint32_t status, bool taelOp,
                      const char *aendretAf, double opdtid, double aendretTid) {
  if (!avs || (avs->Starttid == 0 && avs->Sluttid == 0)) return 1;
  if (avs->anfoAntal && !avs->skemarolTab) return 0;
  const Uge u = PeriodeUge(aarIdx, uge);
  if (u == 0) {
    LogPrintf("** Fejl: AddBegivenhed(): uge %u af år %u ligger uden for skemaperioden\n", unsigned{uge},
              unsigned{aarIdx});
    return 1;
  }
  if (avs->Dag < 1 || avs->Dag > 7) {
    LogPrintf("** Fejl: AddBegivenhed(): ugedag %u i uge %lu er ugyldig\n", unsigned{avs->Dag},
              static_cast<unsigned long>(u));
    return 1;
  }

  if (taelOp) {
    AVSLister l{avs->aktiTab,  avs->aktiAntal,  avs->anfoTab, avs->skemarolTab, avs->minutTab,
                avs->beregnTab, avs->hvorfraTab, avs->anfoAntal, avs->lokaAntal,  avs->skfa_id,
                avs->Dag,      avs->Starttid,   avs->Sluttid};
    OptaelAVS(UgeDagTilDato(u, avs->Dag), &l, avs->Antal_std_lektioner);
  }

  const uint32_t antal = std::max({1u, avs->aktiAntal, avs->lokaAntal, avs->anfoAntal});
  TabVar *b = BegBucket(aarIdx, uge);
  const uint32_t forste = GoerPlads(b, antal);
  if (forste == 0) {
    LogPrintf("** Fejl: AddBegivenhed(): plads til %lu rækker i uge %lu kunne ikke skaffes\n",
              static_cast<unsigned long>(antal), static_cast<unsigned long>(u));
    return 0;
  }

  const bool markeret = avs->Ejer == GlobalIndstillinger.insnr && aendretAf && aendretAf[0] &&
                        strcmp(aendretAf, "TAVO") != 0;
  for (uint32_t k = 0; k < antal; ++k) {
    SkeRec s;
    memset(&s, 0, sizeof s);
    s.id = id;
    s.Status = markeret ? status | SKE_MAERKE2 : status;
    s.akti_id = Element(avs->aktiTab, avs->aktiAntal, k);
    if (k < avs->anfoAntal) {
      s.anfo_id = Element(avs->anfoTab, avs->anfoAntal, k);
      s.skemarol_id = Element(avs->skemarolTab, avs->anfoAntal, k);
      s.Minutnorm = Element(avs->minutTab, avs->anfoAntal, k);
      s.Beregn = Element(avs->beregnTab, avs->anfoAntal, k);
      s.Hvorfra = static_cast<char>(Element(avs->hvorfraTab, avs->anfoAntal, k));
    }
    s.loka_id = Element(avs->lokaTab, avs->lokaAntal, k);
    s.lokrolle_id = Element(avs->lokrolleTab, avs->lokaAntal, k);
    s.skfa_id = avs->skfa_id;
    s.bem_id = avs->bem_id;
    s.risy_id = avs->risy_id;
    s.Dag = avs->Dag;
    s.Lektion = avs->Lektion;
    s.Starttid = avs->Starttid;
    s.Sluttid = avs->Sluttid;
    s.Antal_std_lektioner = avs->Antal_std_lektioner;
    s.Ejer = avs->Ejer;
    s.Forste = forste;
    s.opdtid = opdtid;
    if (aendretAf) strncpy(s.AEndret_af, aendretAf, sizeof s.AEndret_af - 1);
    s.AEndret_tid = aendretTid;
    memcpy(BegRaekke(aarIdx, uge, forste + k), &s, sizeof s);
  }

  SkeRec *f = BegRaekke(aarIdx, uge, forste);
  if (f->akti_id == 0)
    if (const uint32_t reserveret = FravaersAktiId(f->skemarol_id)) f->akti_id = GetReserveretAkti(reserveret);

  if (taelOp && SkeRaekkeLever(status)) OptaelSkemabeg(aarIdx, uge, forste, +1);
  return 1;
}
