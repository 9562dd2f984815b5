// Rows of a week bucket as they come from a file: any bytes, laid out as
// event rows of one week (and again of the next), listed, chained, laned
// and marked by a schedule window of each kind in the mode the first byte
// picks. Nothing a row holds may index past a table.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AVSHJAELP.h"
#include "DATO.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "SKEMA.h"
#include "SKEMARK.h"
#include "SKEVIS.h"
#include "STATUSFILTER.h"
#include "TABOPER.h"
#include "TAVODATA.h"

namespace {

constexpr Uge kUge = 202440;

template <class R>
R *Ny(const TabDesc &td, TabVar &tv) {
  const uint32_t n = NewRec(&td, &tv);
  return n ? reinterpret_cast<R *>(GetRec(&td, &tv, n)) : nullptr;
}

// A few objects of every kind (a placeholder, an absence activity, a role
// exempt from overlap checks), two ring systems and a school calendar.
void Tabeller() {
  SetInitTabFn(InitTab);
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e) ResetTab(e->pTabDesc, e->pTabVar, 1);
  InitPeriode(20240801, 20250731, 20240801);
  StandardIndstillinger();
  GlobalIndstillinger.insnr = 7;
  SaetVisningstider(800, 8, 7);
  const char *typer[] = {"HOLD", "OVAK", "HOLD"};
  for (int i = 0; i < 3; ++i) {
    if (AktiRec *a = Ny<AktiRec>(tdakti, tvakti)) {
      a->id = 100 + i;
      snprintf(a->Aktivitet, sizeof a->Aktivitet, "%s", i == 2 ? "*ny" : "hold");
      snprintf(a->Type, sizeof a->Type, "%s", typer[i]);
      a->Status = 10;
      a->uvfo_id = 5;
    }
    if (MedaRec *m = Ny<MedaRec>(tdmeda, tvmeda)) {
      m->id = 200 + i;
      snprintf(m->Initialer, sizeof m->Initialer, "%s", i == 2 ? "*X" : "ABC");
      m->Status = 10;
    }
    if (AnfoRec *f = Ny<AnfoRec>(tdanfo, tvanfo)) {
      f->id = 300 + i;
      f->meda_id = tvmeda.wRecCnt - 1;
      f->Status = 10;
    }
    if (LokaRec *l = Ny<LokaRec>(tdloka, tvloka)) {
      l->id = 400 + i;
      snprintf(l->Lokalenr, sizeof l->Lokalenr, "L%d", i);
      l->Status = 10;
    }
    if (SkemarolRec *r = Ny<SkemarolRec>(tdskemarol, tvskemarol)) {
      r->id = 500 + i;
      snprintf(r->Rolle, sizeof r->Rolle, "%s", i == 1 ? "AK" : "L");
      r->Status = 10;
      r->Check_skemasammenfald = i == 2 ? 'N' : 'J';
      r->Genererer_timeposter = i == 2 ? 'N' : 'J';
    }
    if (LokrolleRec *r = Ny<LokrolleRec>(tdlokrolle, tvlokrolle)) {
      r->id = 600 + i;
      r->Status = 10;
      r->Check_sammenfald = i == 2 ? 'N' : 'J';
    }
  }
  for (int s = 0; s < 2; ++s)
    if (RisyRec *r = Ny<RisyRec>(tdrisy, tvrisy)) {
      r->id = 700 + s;
      r->Status = 10;
      Klokkeslaet t = 800 + 15 * s;
      for (int l = 0; l < 10; ++l) {
        r->Starttid[l] = t;
        r->Sluttid[l] = LaegMinutterTil(t, 45);
        t = LaegMinutterTil(r->Sluttid[l], 10);
      }
    }
}

// The bytes as the rows of a week's bucket after its row 0.
void SkrivUge(Uge uge, const uint8_t *data, size_t size) {
  TabVar *b = SkemabegBucket(uge);
  const uint32_t raekker = static_cast<uint32_t>(size / sizeof(SkeRec));
  if (!b || AddTabBlock(&tdske, b, raekker + 1) != 0) return;
  memset(b->pbTab, 0, sizeof(SkeRec));
  memcpy(b->pbTab + sizeof(SkeRec), data, static_cast<size_t>(raekker) * sizeof(SkeRec));
  b->wRecCnt = raekker + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const bool klar = (Tabeller(), true);
  (void)klar;
  if (size < 2) return 0;
  const uint8_t valg = data[0];
  GlobalIndstillinger.sammenfaldsinterval = data[1];
  GlobalIndstillinger.standardlektionslengde = data[1] % 4 ? 45 : 0;
  const StatusFilter filtre[] = {{}, {1, 0, 0}, {3, 0, 0}, {0, 17, 0}, {0, 0, 'd'}};
  BegivenhedsFilter = filtre[valg % 5];
  TomSkemabeg();
  SkrivUge(kUge, data + 2, size - 2);
  SkrivUge(kUge + 1, data + 2, size - 2);

  const char visning = "LTD"[valg % 3];
  for (char art : {SKE_AKTI, SKE_ANFO, SKE_LOKA}) {
    SkeStruct *ske = new SkeStruct{};
    InitSkeStruct(ske, art, visning, valg & 0x40 ? 'L' : 'V', "NAB"[(valg >> 3) % 3], valg & 0x80 ? 'S' : 'V', 1);
    ske->RingSystem = (valg >> 5) & 1 ? 1 : 0;
    IdentiskeRinge(ske, ske->RingeTab, ske->RingeTabAntal, 1);
    snprintf(ske->Statustekst, sizeof ske->Statustekst, "KSMLBTRO%c", valg & 1 ? 'E' : 'F');
    HentAVS(0, kUge % 100, 1, &ske->SoegAVS, true);
    ske->FagSkift = 1;
    ske->ValgtFag = 1;

    ByggeSkeVisListeUge(ske, kUge);
    MarkerBegivenheder(ske);
    MarkerFag(ske);
    MarkerAktiveObjekter(ske, kUge);
    uint8_t optag[kOptagBytes];
    for (uint32_t k = 8; k < ske->KaedeRaekker * 8; ++k) {
      uint32_t spor = 0;
      if (ske->KaedeHoveder[k])
        FindCelleBegivenheder(ske, &ske->lkBegivenhed, &ske->BegivenhedAntal, ske->KaedeHoveder[k], &spor, optag,
                              &ske->BegivenhedKapacitet);
    }

    // The rows and columns of the axes, and stepping through the events.
    ske->Ens.ObjTabAntal = ske->pObjTv->wRecCnt - 1;
    ske->Ens.ObjTab = static_cast<uint32_t *>(calloc(ske->pObjTv->wRecCnt, sizeof(uint32_t)));
    for (uint32_t i = 1; i < ske->pObjTv->wRecCnt; ++i) ske->Ens.ObjTab[i] = i;
    ske->ObjPos = {ske->Ens.ObjTabAntal, 1, ske->Ens.ObjTabAntal, 1};
    const VisningsTilstandRec &v = ske->Vis;
    const uint32_t kolonner =
        (v.SidsteUgedag - v.FoersteUgedag + 1u) * (visning == 'D' ? 1u : v.SidsteSlot - v.FoersteSlot + 1u);
    ske->TidPos = {kolonner, 1, kolonner, 1};
    for (int i = 0; i < 8 && NaesteBegivenhed(ske); ++i) {
    }
    for (uint32_t r = 0; r <= ske->Ens.ObjTabAntal + 1; ++r) CountUvfoAkti(ske, r);

    // One object over the weeks, and an activity with a subject.
    ske->AlleObjekter = 0;
    for (uint32_t o = 0; o <= ske->pObjTv->wRecCnt; ++o) {
      ByggeSkeVisListeObjekt(ske, o);
      MarkerBegivenheder(ske);
    }
    ByggeSkeVisListeAktiFag(ske, 1, 1);
    MarkerBegivenheder(ske);
    FrigivSkeStruct(ske);
    delete ske;
  }
  TomSkemabeg();
  return 0;
}
