// Widths and plain text forms of stored fields, read from the data dictionary alone.
#include "FELTTEKST.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "TABOPER.h"

namespace {

const FeltDef *FeltAf(const TabDesc *pTd, uint32_t felt) {
  if (!pTd || felt >= static_cast<uint32_t>(MAXFELT)) return nullptr;
  return &pTd->FeltTab[felt];
}

uint32_t Bredde(const TabDesc *pTd, uint32_t felt, int fFoelg, int dybde) {
  if (felt >= FOERSTE_BEREGNET_FELT) return BeregnetFeltBredde(felt);
  const FeltDef *f = FeltAf(pTd, felt);
  if (!f) return 0;
  if (f->Ref >= 128 && fFoelg) {
    const TabDesc *pMaal = nullptr;
    TabVar *pTvMaal = nullptr;
    if (dybde >= FELT_MAX_FOELG || TabFromNr(f->Ref, &pMaal, &pTvMaal) != 0) return 0;
    return Bredde(pMaal, 1, fFoelg, dybde + 1);
  }
  uint32_t b;
  switch (f->Type) {
    case FT_CHAR:
    case FT_JANEJ: b = 1; break;
    case FT_U8: b = 3; break;
    case FT_I32:
    case FT_U32: b = 5; break;
    case FT_HELTAL:
    case FT_ID: b = 8; break;
    case FT_TEKST: b = f->Size > 0 ? f->Size - 1u : 0u; break;
    default: b = f->Bredde; break;
  }
  if (f->Antal > 0) b *= f->Antal;
  return b;
}

void Tekst(const TabDesc *pTd, const TabVar *pTv, uint32_t n, uint32_t felt, char *ud, int dybde) {
  memset(ud, 0, FELTTEKST_LEN);
  const FeltDef *f = FeltAf(pTd, felt);
  if (!f || !pTv || !pTv->pbTab || pTv->wRecCnt == 0 || n >= pTv->wRecCnt) return;
  const uint8_t *rec = pTv->pbTab + static_cast<size_t>(n) * pTd->RecSize;
  const uint32_t antal = f->Antal > 0 ? f->Antal : 1;
  for (uint32_t i = 0; i < antal; ++i) {
    const uint64_t start = f->Offset + static_cast<uint64_t>(i) * f->Size;
    if (f->Size == 0 || start + f->Size > pTd->RecSize) break;
    const uint8_t *el = rec + start;
    if (f->Ref >= 128) {
      const TabDesc *pMaal = nullptr;
      TabVar *pTvMaal = nullptr;
      if (dybde >= FELT_MAX_FOELG || TabFromNr(f->Ref, &pMaal, &pTvMaal) != 0) continue;
      const uint32_t maalNr = FeltElementU32(el, f->Size);
      if (maalNr >= pTvMaal->wRecCnt) continue;
      char maal[FELTTEKST_LEN];
      Tekst(pMaal, pTvMaal, maalNr, 1, maal, dybde + 1);
      const size_t har = strlen(ud);
      const int b = static_cast<int>(Bredde(pMaal, 1, 1, dybde + 1));
      snprintf(ud + har, FELTTEKST_LEN - har, "%-*s", b, maal);
      continue;
    }
    FeltElementTekst(f, el, ud, FELTTEKST_LEN, i, f->Size > 0 ? f->Size - 1 : 0);
  }
}

}  // namespace

uint32_t FeltElementU32(const uint8_t *el, uint8_t size) {
  uint32_t v = 0;
  memcpy(&v, el, size < 4 ? size : 4);
  return v;
}

void FeltElementTekst(const FeltDef *f, const uint8_t *el, char *ud, size_t udStr, uint32_t tegnPos,
                      int tekstBredde) {
  if (!f || !el || !ud || udStr == 0) return;
  switch (f->Type) {
    case FT_CHAR:
    case FT_JANEJ:
      if (tegnPos < udStr - 1) ud[tegnPos] = static_cast<char>(el[0]);
      return;
    case FT_U8: snprintf(ud, udStr, "%3u", static_cast<unsigned>(el[0])); return;
    case FT_I32:
    case FT_HELTAL: {
      int32_t v = static_cast<int32_t>(FeltElementU32(el, f->Size));
      snprintf(ud, udStr, f->Type == FT_I32 ? "%5d" : "%8d", static_cast<int>(v));
      return;
    }
    case FT_U32:
    case FT_ID:
      snprintf(ud, udStr, f->Type == FT_U32 ? "%5u" : "%8u", static_cast<unsigned>(FeltElementU32(el, f->Size)));
      return;
    case FT_FLOAT: {
      float v = 0;
      if (f->Size >= sizeof v) memcpy(&v, el, sizeof v);
      FormatKommaTekst(ud, udStr, static_cast<int>(f->Bredde) - f->Decimaler, f->Decimaler, v);
      return;
    }
    case FT_DOUBLE: {
      double v = 0;
      if (f->Size >= sizeof v) memcpy(&v, el, sizeof v);
      FormatKommaTekst(ud, udStr, f->Bredde, 0, v);
      return;
    }
    case FT_TEKST: {
      // A text holds size - 1 characters; one that fills its field has no
      // terminator, so it is read no further.
      const int maks = f->Size > 0 ? f->Size - 1 : 0;
      snprintf(ud, udStr, "%-*.*s", tekstBredde < 0 ? 0 : tekstBredde, maks, reinterpret_cast<const char *>(el));
      return;
    }
    default: return;  // types 8 and 11 have no text
  }
}

uint32_t FeltBredde(const TabDesc *pTd, uint32_t felt, int fFoelg) { return Bredde(pTd, felt, fFoelg, 0); }

const char *FeltTilTekst(const TabDesc *pTd, const TabVar *pTv, uint32_t n, uint8_t felt) {
  static char tekst[FELTTEKST_LEN];
  Tekst(pTd, pTv, n, felt, tekst, 0);
  return tekst;
}

char *FormatLongFelt(char *tekst, size_t tekstStr, uint32_t w, int32_t v) {
  if (!tekst || tekstStr == 0) return tekst;
  if (w >= 2 && w <= 9) {
    int64_t p = 1;
    for (uint32_t i = 1; i < w; ++i) p *= 10;  // 10^(w-1)
    if (v > p * 10 - 1 || v < -(p - 1)) {
      size_t n = w < tekstStr ? w : tekstStr - 1;
      memset(tekst, '#', n);
      tekst[n] = '\0';
      return tekst;
    }
  }
  snprintf(tekst, tekstStr, "%*ld", static_cast<int>(w > 255 ? 255 : w), static_cast<long>(v));
  return tekst;
}

char *FormatKommaTekst(char *tekst, size_t tekstStr, int w, int d, double v) {
  if (!tekst || tekstStr == 0) return tekst;
  if (d < 0) d = 0;
  if (d > 9) d = 9;
  if (w < 0) w = 0;
  if (w > 255) w = 255;
  double skaleret = v * std::pow(10.0, d);
  long long x = 0;
  if (std::isfinite(skaleret)) {
    if (skaleret > 9.0e18) skaleret = 9.0e18;
    if (skaleret < -9.0e18) skaleret = -9.0e18;
    x = std::llround(skaleret);  // halves away from zero
  }
  if (d == 0) {
    snprintf(tekst, tekstStr, "%*lld", w, x);
    return tekst;
  }
  long long dd = 1;
  for (int i = 0; i < d; ++i) dd *= 10;
  // The sign is written by hand: a value between -1 and 0 has a whole part
  // of 0 that would print without its minus.
  const bool neg = x < 0;
  const unsigned long long ux = neg ? 0ull - static_cast<unsigned long long>(x) : static_cast<unsigned long long>(x);
  char hel[32];
  snprintf(hel, sizeof hel, "%s%llu", neg ? "-" : "", ux / static_cast<unsigned long long>(dd));
  snprintf(tekst, tekstStr, "%*s,%0*llu", w, hel, d, ux % static_cast<unsigned long long>(dd));
  return tekst;
}
