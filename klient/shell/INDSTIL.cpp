#include "INDSTIL.h"

#include "tavo/version.h"

namespace {

GlobalIndstillingerData StandardVaerdier() {
  GlobalIndstillingerData g{};
  g.taelaktibooking = 1;
  g.taelmedabooking = 1;
  g.taelstjerneakti = 1;
  g.taelstjernemeda = 1;
  g.skphakkord = 1;
  g.autogem = 1;
  g.medopg = 1;
  return g;
}

}  // namespace

GlobalIndstillingerData GlobalIndstillinger = StandardVaerdier();
uint32_t version = TAVO_VERSION_NUMBER;
uint32_t AendringsTaellere[kAntalAendringsTaellere];
VisningsTilstandRec VisningsTilstand[kAntalVisninger];

uint8_t ErJa(const char *vaerdi) {
  return (vaerdi != nullptr && (vaerdi[0] == 'j' || vaerdi[0] == 'J')) ? 1 : 0;
}

void StandardIndstillinger() { GlobalIndstillinger = StandardVaerdier(); }

uint32_t AendringerFoersteFire() {
  return AendringsTaellere[0] + AendringsTaellere[1] + AendringsTaellere[2] + AendringsTaellere[3];
}

uint32_t AendringerSidsteFire() {
  return AendringsTaellere[4] + AendringsTaellere[5] + AendringsTaellere[6] + AendringsTaellere[7];
}

uint32_t AendringerIalt() { return AendringerFoersteFire() + AendringerSidsteFire(); }

VisningsTilstandRec &VisningsTilstandFor(char visning) {
  switch (visning) {
    case 'D': return VisningsTilstand[VISNING_DAG];
    case 'T': return VisningsTilstand[VISNING_TID];
    default: return VisningsTilstand[VISNING_LEKTION];
  }
}
