// The agreement of the account and statement tests: an accounting calendar
// holding the periods a test gives, and the carried hours and norm
// adjustment of the employment whose account is checked.
#pragma once

#include <vector>

#include "../data/pred_tabeller.h"
#include "DATO.h"

namespace predtest {

inline OpgperRec Opg(Dato fra, Dato til, float norm) {
  OpgperRec o{};
  o.Fradato = fra;
  o.Tildato = til;
  o.Norm = norm;
  return o;
}

// An agreement on a calendar of the periods given, in order; its record.
inline uint32_t OpgAftale(const std::vector<OpgperRec> &perioder) {
  OpgkalRec k{};
  k.id = 2;
  k.Status = 10;
  const uint32_t kal = Ny(tdopgkal, tvopgkal, k);
  uint32_t forrige = 0;
  for (OpgperRec o : perioder) {
    o.Status = 10;
    o.opgkal_id = kal;
    const uint32_t n = Ny(tdopgper, tvopgper, o);
    if (forrige)
      Rec<OpgperRec>(tvopgper, forrige)->neste_opgper = n;
    else
      Rec<OpgkalRec>(tvopgkal, kal)->forste_opgper = n;
    forrige = n;
  }
  ArafRec r{};
  r.id = 3;
  r.Status = 10;
  r.opgkal_id = kal;
  return Ny(tdaraf, tvaraf, r);
}

// An employment of the employee on the agreement from August 2023 to July
// 2025; its record.
inline uint32_t OpgAnsaettelse(uint32_t meda, uint32_t araf, const char *loebenummer = "01") {
  AnfoRec a{};
  a.id = 200 + tvanfo.wRecCnt;
  a.meda_id = meda;
  a.Status = 10;
  Tekst(a.Loebenummer, loebenummer);
  const uint32_t anfo = Ny(tdanfo, tvanfo, a);
  AnskRec s{};
  s.id = 300 + tvansk.wRecCnt;
  s.anfo_id = anfo;
  s.Status = 10;
  s.araf_id = araf;
  s.Gyldig_fra = 20230801;
  s.Gyldig_til = 20250731;
  Ny(tdansk, tvansk, s);
  return anfo;
}

// 2.5 over-hours carried into 2024 (a balance of -2.5) and a norm
// adjustment of 10 hours on 1 March 2024.
inline void BufferOgJustering(uint32_t anfo) {
  BuftimRec b{};
  b.Status = 10;
  b.anfo_id = anfo;
  b.Fradato = 20240101;
  b.Tildato = 20241231;
  b.Overtimer_fra_forrige = 2.5f;
  Ny(tdbuftim, tvbuftim, b);
  NormjustRec j{};
  j.Status = 10;
  j.anfo_id = anfo;
  j.Dato = 20240301;
  j.Timer = 10;
  Ny(tdnormjust, tvnormjust, j);
}

}  // namespace predtest
