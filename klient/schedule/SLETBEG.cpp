// Deleting schedule events with their change counters. Only a live first
// row takes figures out of the count tables: the recount counts nothing
// else, and taking an event out twice would leave the tables wrong.
#include "SLETBEG.h"

#include <windows.h>

#include "INDSTIL.h"
#include "OPTAEL.h"
#include "SKEBEG.h"
#include "SKEREC.h"
#include "VEDLIGE.h"

namespace {

void Ned(int taeller) {
  if (AendringsTaellere[taeller]) --AendringsTaellere[taeller];
}

bool VentendeAendring(const SkeRec &f) { return (f.Status & SKE_AENDRING) && ErAendringsBogstav(f.Fejl); }

// The first row of an event that a deletion may touch: neither deleted
// already nor a row that deletion leaves alone.
SkeRec *Sletbar(uint8_t aarIdx, uint8_t uge, uint32_t forste) {
  SkeRec *f = BegFoersteRaekke(aarIdx, uge, forste);
  return f && !(f->Status & (SKE_SLETTET | SKE_UROERT)) ? f : nullptr;
}

}  // namespace

bool ErAendringsBogstav(uint8_t fejl) { return fejl == '=' || fejl == '?' || fejl == '@' || fejl == 'A'; }

uint8_t SletBegivenhed(uint8_t aarIdx, uint8_t uge, uint32_t forste) {
  uint8_t resultat = 0;
  if (SkeRec *f = Sletbar(aarIdx, uge, forste)) {
    if (VentendeAendring(*f)) {
      f->Status &= ~uint32_t{SKE_AENDRING};
      f->Fejl = 0;
      Ned(AENDRING_RETTEDE_BEGIVENHEDER);
    } else {
      if (SkeRaekkeLever(f->Status)) OptaelSkemabeg(aarIdx, uge, forste, -1);
      const uint8_t egen = GlobalIndstillinger.insnr;
      for (uint32_t r = forste;; ++r) {
        SkeRec *s = BegRaekke(aarIdx, uge, r);
        if (!s || s->Forste != forste) break;
        if (s->Status == 0) continue;
        if ((s->Status & SKE_KENDT) && !(s->Status & SKE_SLETTET) && s->Ejer == egen) {
          s->Status |= SKE_SLETTET;
          if (r == forste) ++AendringsTaellere[AENDRING_SLETTEDE_BEGIVENHEDER];
        } else {
          const bool bogstav = ErAendringsBogstav(s->Fejl);
          if (s->Ejer == egen && !(s->Status & (SKE_SLETTET | SKE_KENDT | SKE_AUTOSKEMA)) && r == forste &&
              !bogstav)
            Ned(AENDRING_NYE_BEGIVENHEDER);
          if (bogstav) Ned(AENDRING_RETTEDE_BEGIVENHEDER);
          s->Status = 0;
        }
        resultat = 1;
      }
    }
  }
  if (hwndEksportStatus) InvalidateRect(hwndEksportStatus, nullptr, TRUE);
  return resultat;
}

uint8_t SletBegivenhedEndeligt(uint8_t aarIdx, uint8_t uge, uint32_t forste) {
  const SkeRec *f = Sletbar(aarIdx, uge, forste);
  const bool aendring = f && VentendeAendring(*f);
  const uint8_t resultat = SletBegivenhed(aarIdx, uge, forste);
  return aendring ? SletBegivenhed(aarIdx, uge, forste) : resultat;
}
