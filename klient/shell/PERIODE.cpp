// The period tables and the old side files go only in the commit that
// writes the new side files: a rewrite that fails must not lose the schedule.

#include "PERIODE.h"

#include <cstring>

#include "GEMNING.h"
#include "HENTGEM.h"
#include "ImpBehandl.h"
#include "LOGFIL.h"
#include "RECPRED.h"
#include "SletWnd.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "windows.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "STITAB.h"
#include "TABREG.h"

namespace {

template <class R>
void FrigivUdenfor(TabVar *b, Dato fra, Dato til, Dato (*dato)(const R &, Uge), Uge uge) {
  if (!b || !b->pbTab) return;
  auto *r = reinterpret_cast<R *>(b->pbTab);
  for (uint32_t i = 1; i < b->wRecCnt && i < b->AllocAntal; ++i) {
    if (!r[i].Status) continue;
    const Dato d = dato(r[i], uge);
    // A row without a readable date stays: its week or month overlaps.
    if (d && (d < fra || d > til)) r[i].Status = 0;
  }
}

Dato SkeDato(const SkeRec &r, Uge uge) { return r.Dag >= 1 && r.Dag <= 7 ? UgeDagTilDato(uge, r.Dag) : 0; }
template <class R>
Dato RaekkeDato(const R &r, Uge) {
  return GyldigDato(r.Dato) ? r.Dato : 0;
}

template <class R>
int SkrivMaaneder(const TabDesc *pTd, TabVar *(*bucket)(Maaned), Dato fra, Dato til) {
  return SkrivSideFil(pTd, [&](uint32_t i) -> TabVar * {
    const Maaned m = IndeksTilMaaned(i);
    TabVar *b = bucket(m);
    FrigivUdenfor<R>(b, fra, til, RaekkeDato<R>, 0);
    return SidsteDatoIMaaned(m) < fra || m * 100 + 1 > til ? nullptr : b;
  });
}

}  // namespace

int GemSidefilerForPeriode(Dato fra, Dato til) {
  int svar = SkrivSideFil(&tdske, [&](uint32_t i) -> TabVar * {
    const Uge uge = IndeksTilUge(i);
    TabVar *b = SkemabegBucket(uge);
    FrigivUdenfor<SkeRec>(b, fra, til, SkeDato, uge);
    return UgeDagTilDato(uge, 7) < fra || UgeDagTilDato(uge, 1) > til ? nullptr : b;
  });
  if (SkrivMaaneder<TimoakRaekke>(&tdtimoak, TimoakBucket, fra, til) != 0) svar = -1;
  if (SkrivMaaneder<UdplatimRaekke>(&tdudplatim, UdplatimBucket, fra, til) != 0) svar = -1;
  if (SkrivMaaneder<HontimRaekke>(&tdhontim, HontimBucket, fra, til) != 0) svar = -1;
  return svar;
}

bool SkiftPeriode(Dato fra, Dato til, Dato laas) {
  static const char *const kPeriodeTabeller[] = {"ansk",     "acsa",    "udgr", "miak",     "minutfau", "minutud",
                                                 "planakt",  "mipl",    "fagfordl", "udlplan", "budt"};
  char sti[kStiLaengde];
  bool ok, besluttet;
  {
    // The period tables go in the commit that writes the side files of the
    // new period: a failed or interrupted rewrite keeps them with the old
    // side files, and the new period is read from those.
    Gemning g;
    for (const char *navn : kPeriodeTabeller) {
      if (DataFilSti(sti, sizeof sti, navn, ".DAT")) GemSlet(sti);
      for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
        if (std::strcmp(e->pTabDesc->Navn, navn) == 0) ResetTab(e->pTabDesc, e->pTabVar, 1);
    }
    // A side file not written keeps every file of the change as it was.
    if (GemSidefilerForPeriode(fra, til) != 0) GemMislykket(StiTab.szdata, ERROR_GEN_FAILURE);
    ok = g.Fuldfoer();
    besluttet = g.Besluttet();
  }
  if (!ok && besluttet) {
    // Decided, but the renames could not all be done: the next start does
    // them.
    GemFejl fejl{};
    if (SidsteGemFejl(&fejl)) VisGemFejl(0, fejl);
  } else if (!ok) {
    LogPrintf("** Fejl: SkiftPeriode(): skemafilerne kunne ikke skrives for den nye periode\n");
    MessageBoxA(0, "Skemafilerne kunne ikke skrives for den nye periode.\nDe gamle filer er bevaret.", "Fejl",
                MB_OK | MB_ICONEXCLAMATION);
  }
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
  LukAlleVinduer();
  InitPeriode(fra, til, laas);
  StartHentAlleData();
  SletObjBeforePeriod('K');
  SletObjBeforePeriod('M');
  GendanAnfoAktiRel();
  BehandlData();
  return ok;
}
