// The steps of the Elevplan exchange: the period of a new export sequence.
#include "EPTRIN.h"

#include <ctime>

#include "DATO.h"

namespace {

Dato LokalDato(time_t t) {
  struct tm tid {};
  if (!localtime_r(&t, &tid)) return 0;
  return static_cast<Dato>((tid.tm_year + 1900) * 10000 + (tid.tm_mon + 1) * 100 + tid.tm_mday);
}

}  // namespace

void SetEpExportPeriode(EpTilstandData &t) {
  const time_t nu = time(nullptr);
  t.FraDato = LokalDato(nu - 7776000);
  t.TilDato = LokalDato(nu + 25920000);
  if (t.FraDato < SkemaPeriode.FraDato) t.FraDato = SkemaPeriode.FraDato;
  if (t.TilDato > SkemaPeriode.TilDato) t.TilDato = SkemaPeriode.TilDato;
}
