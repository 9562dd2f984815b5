// The resend reads each event into a description of its own, removes the
// event and writes the description back as a new event of the own
// installation. The description keeps the first row's change stamps, so
// the event goes out again as it was, with only its status new.
#include "BEGKROGE.h"

#include <cstdlib>
#include <cstring>

#include "ADDBEG.h"
#include "AVSHJAELP.h"
#include "DIREKTE.h"
#include "VEDLIGE.h"
#include "DATO.h"
#include "SKEBEG.h"
#include "SLETBEG.h"
#include "TIMOAK.h"
#include "tavo/assert.h"

namespace {

struct Beskrivelse {
  AVS avs;
  double opdtid;
  char aendretAf[sizeof(SkeRec::AEndret_af)];
  double aendretTid;
};

// The address of a week YYYYWW; false when its year has no year index.
bool Adresse(uint32_t uge, uint8_t *aarIdx, uint8_t *nr) {
  const uint32_t aar = uge / 100;
  if (aar < SkemaPeriode.BaseAar || aar - SkemaPeriode.BaseAar >= kMaxAarIPeriode) return false;
  *aarIdx = static_cast<uint8_t>(aar - SkemaPeriode.BaseAar);
  *nr = static_cast<uint8_t>(uge % 100);
  return true;
}

}  // namespace

void *HentGensendAVS(uint32_t uge, uint32_t forste) {
  auto *b = static_cast<Beskrivelse *>(calloc(1, sizeof(Beskrivelse)));
  TAVO_ASSERT(b != NULL);
  CleanupAVS(&b->avs);
  uint8_t aarIdx, nr;
  if (!Adresse(uge, &aarIdx, &nr)) return b;
  HentAVS(aarIdx, nr, forste, &b->avs, false);
  if (const SkeRec *f = BegFoersteRaekke(aarIdx, nr, forste)) {
    b->opdtid = f->opdtid;
    memcpy(b->aendretAf, f->AEndret_af, sizeof b->aendretAf - 1);
    b->aendretTid = f->AEndret_tid;
  }
  return b;
}

void SletGensendBegivenhed(uint32_t uge, uint32_t forste) {
  uint8_t aarIdx, nr;
  if (Adresse(uge, &aarIdx, &nr)) SletBegivenhedEndeligt(aarIdx, nr, forste);
}

void SaetLektionsTider(void *beskrivelse, uint32_t starttid, uint32_t sluttid, float antal) {
  if (!beskrivelse) return;
  AVS &avs = static_cast<Beskrivelse *>(beskrivelse)->avs;
  avs.Starttid = starttid;
  avs.Sluttid = sluttid;
  avs.Antal_std_lektioner = antal;
}

void AddGensendBegivenhed(void *beskrivelse, uint32_t status) {
  auto *b = static_cast<Beskrivelse *>(beskrivelse);
  if (!b) return;
  AddBegivenhed(&b->avs, b->avs.id, b->avs.AarIndeks, b->avs.Uge, status, true, b->aendretAf, b->opdtid,
                b->aendretTid);
  CleanupAVS(&b->avs);
  free(b);
}
