// In-place sort of record-number arrays by a byte key.
#include "SORTIDX.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

namespace {

struct Noegler {
  const unsigned char *base;
  size_t laengde;

  const unsigned char *Af(uint32_t rec) const { return base + static_cast<size_t>(rec) * laengde; }

  // Eight bytes at a time while equal, read most significant first so that
  // the first differing byte decides, then byte by byte; each byte unsigned.
  int Sammenlign(uint32_t a, uint32_t b) const {
    const unsigned char *pa = Af(a);
    const unsigned char *pb = Af(b);
    size_t i = 0;
    for (; i + 8 <= laengde; i += 8) {
      uint64_t va, vb;
      std::memcpy(&va, pa + i, 8);
      std::memcpy(&vb, pb + i, 8);
      if (va != vb) {
        va = __builtin_bswap64(va);
        vb = __builtin_bswap64(vb);
        return va < vb ? -1 : 1;
      }
    }
    for (; i < laengde; ++i)
      if (pa[i] != pb[i]) return pa[i] < pb[i] ? -1 : 1;
    return 0;
  }
};

// Ternary max-heap over positions 1..m (position p is a[p - 1]); the
// children of p are 3p - 1, 3p and 3p + 1. The byte keys and the numeric
// ones go through the very same steps: the order of equal keys is the
// heap's, and both must give it alike.
template <class E, class Cmp>
void SiftNed(const Cmp &cmp, E *a, size_t p, size_t m) {
  for (;;) {
    size_t barn = 3 * p - 1;
    if (barn > m) return;
    size_t stoerst = barn;
    for (size_t c = barn + 1; c <= barn + 2 && c <= m; ++c)
      if (cmp(a[c - 1], a[stoerst - 1]) > 0) stoerst = c;
    if (cmp(a[p - 1], a[stoerst - 1]) >= 0) return;
    E t = a[p - 1];
    a[p - 1] = a[stoerst - 1];
    a[stoerst - 1] = t;
    p = stoerst;
  }
}

// Insertion sort: an entry moves left only past greater keys, so equal
// keys keep their order.
template <class E, class Cmp>
void IndsaetSorter(const Cmp &cmp, E *a, uint32_t antal) {
  for (uint32_t i = 1; i < antal; ++i) {
    E v = a[i];
    uint32_t j = i;
    while (j > 0 && cmp(a[j - 1], v) > 0) {
      a[j] = a[j - 1];
      --j;
    }
    a[j] = v;
  }
}

// Strictly ascending already: the only sorted order there is.
template <class E, class Cmp>
bool Stigende(const Cmp &cmp, const E *a, uint32_t antal) {
  uint32_t i = 1;
  while (i < antal && cmp(a[i - 1], a[i]) < 0) ++i;
  return i == antal;
}

template <class E, class Cmp>
void HeapSorter(const Cmp &cmp, E *a, uint32_t antal) {
  const size_t n = antal;
  for (size_t p = (n + 1) / 3; p >= 1; --p) SiftNed(cmp, a, p, n);
  for (size_t m = n; m >= 2; --m) {
    E t = a[0];
    a[0] = a[m - 1];
    a[m - 1] = t;
    SiftNed(cmp, a, 1, m - 1);
  }
}

// Distinct keys of a few bytes have one sorted order, and a radix sort
// finds it in linear time, where the heap takes n log n comparisons: a
// start-up sorts tables of many thousand records by their ids. Byte
// positions where every key holds the same byte (the status class, the
// high bytes of an id) need no pass. False, with idx as it came, when the
// list has equal keys (the heap decides their order, as it always did) or
// the working memory is not there.
constexpr uint32_t RADIX_MIN_ANTAL = 256;
constexpr size_t RADIX_MAX_LAENGDE = 24;

bool RadixSorter(const Noegler &k, uint32_t *idx, uint32_t antal) {
  const size_t L = k.laengde;
  std::vector<uint32_t> taelling, a, b;
  try {
    taelling.assign(L * 256, 0);
    a.assign(idx, idx + antal);
    b.resize(antal);
  } catch (const std::bad_alloc &) {
    return false;
  }
  for (uint32_t i = 0; i < antal; ++i) {
    const unsigned char *n = k.Af(idx[i]);
    for (size_t p = 0; p < L; ++p) ++taelling[p * 256 + n[p]];
  }
  const unsigned char *foerste = k.Af(idx[0]);
  uint32_t *fra = a.data(), *til = b.data();
  for (size_t p = L; p-- > 0;) {
    uint32_t *t = &taelling[p * 256];
    if (t[foerste[p]] == antal) continue;
    uint32_t sum = 0;
    for (int v = 0; v < 256; ++v) {
      const uint32_t n = t[v];
      t[v] = sum;
      sum += n;
    }
    for (uint32_t i = 0; i < antal; ++i) til[t[k.Af(fra[i])[p]]++] = fra[i];
    std::swap(fra, til);
  }
  for (uint32_t i = 1; i < antal; ++i)
    if (k.Sammenlign(fra[i - 1], fra[i]) == 0) return false;
  std::memcpy(idx, fra, static_cast<size_t>(antal) * sizeof(uint32_t));
  return true;
}

}  // namespace

void SortIdx(const void *noegleBase, uint32_t *idx, uint32_t noegleLaengde, uint32_t antal) {
  if (antal < 2 || idx == nullptr || noegleBase == nullptr) return;
  const Noegler k{static_cast<const unsigned char *>(noegleBase), noegleLaengde};
  const auto cmp = [&k](uint32_t a, uint32_t b) { return k.Sammenlign(a, b); };

  if (antal < 5) {
    IndsaetSorter(cmp, idx, antal);
    return;
  }

  // Most lists are sorted again while already in order (a table loaded as
  // it was saved); strictly ascending keys have only one sorted order, so
  // leaving them as they are is what the heap would give, at one compare
  // per entry. Equal neighbours go through the heap as before, as it may
  // reorder them.
  if (Stigende(cmp, idx, antal)) return;
  if (antal >= RADIX_MIN_ANTAL && noegleLaengde <= RADIX_MAX_LAENGDE && RadixSorter(k, idx, antal)) return;
  HeapSorter(cmp, idx, antal);
}

namespace {

// The numeric keys mostly fit their low word (the high one the same for
// all): the heap then runs over the low word and the record alone, a third
// less to move, with the larger child picked without a branch. It makes
// the very comparisons the general heap makes, in the same steps (a child
// takes the lead only when greater, the sifted entry stays on an equal
// child), so equal keys end in the same order. False when the high words
// differ.
struct LavPost {
  uint64_t lav;
  uint32_t rec;
};

bool HeapSorterLav(SortTalNoegle *poster, uint32_t antal) {
  const uint64_t hoej = poster[0].hoej;
  for (uint32_t i = 1; i < antal; ++i)
    if (poster[i].hoej != hoej) return false;
  std::vector<LavPost> a(antal);
  for (uint32_t i = 0; i < antal; ++i) a[i] = {poster[i].lav, poster[i].rec};
  // Positions 1..m, the children of p at 3p - 1 .. 3p + 1, as SiftNed.
  auto sift = [&a](size_t p, size_t m) {
    const LavPost v = a[p - 1];
    for (;;) {
      const size_t barn = 3 * p - 1;
      if (barn > m) break;
      size_t stoerst = barn;
      uint64_t k = a[barn - 1].lav;
      if (barn + 2 <= m) {
        const uint64_t k1 = a[barn].lav, k2 = a[barn + 1].lav;
        const bool b1 = k1 > k;
        stoerst = b1 ? barn + 1 : stoerst;
        k = b1 ? k1 : k;
        const bool b2 = k2 > k;
        stoerst = b2 ? barn + 2 : stoerst;
        k = b2 ? k2 : k;
      } else if (barn + 1 <= m && a[barn].lav > k) {
        stoerst = barn + 1;
        k = a[barn].lav;
      }
      if (v.lav >= k) break;
      a[p - 1] = a[stoerst - 1];
      p = stoerst;
    }
    a[p - 1] = v;
  };
  const size_t n = antal;
  for (size_t p = (n + 1) / 3; p >= 1; --p) sift(p, n);
  for (size_t m = n; m >= 2; --m) {
    std::swap(a[0], a[m - 1]);
    sift(1, m - 1);
  }
  for (uint32_t i = 0; i < antal; ++i) poster[i] = SortTalNoegle{hoej, a[i].lav, a[i].rec};
  return true;
}

}  // namespace

void SortIdxTal(SortTalNoegle *poster, uint32_t *idx, uint32_t antal) {
  if (antal < 2 || idx == nullptr || poster == nullptr) return;
  // The key sits beside its record number: the heap reads only the array
  // it moves. The radix pass is left out: it only ever gave the order of
  // distinct keys, the one order the heap gives them too.
  const auto cmp = [](const SortTalNoegle &a, const SortTalNoegle &b) {
    return a.hoej != b.hoej ? (a.hoej < b.hoej ? -1 : 1) : a.lav != b.lav ? (a.lav < b.lav ? -1 : 1) : 0;
  };
  if (antal < 5)
    IndsaetSorter(cmp, poster, antal);
  else if (!Stigende(cmp, poster, antal) && !HeapSorterLav(poster, antal))
    HeapSorter(cmp, poster, antal);
  for (uint32_t i = 0; i < antal; ++i) idx[i] = poster[i].rec;
}

namespace {

uint32_t SoegeSkridt(uint32_t antal) {
  uint32_t skridt = 1;
  while (skridt <= antal && skridt < 0x80000000u) skridt <<= 1;
  return skridt;
}

const uint8_t *Post(const TabDesc *pTd, const TabVar *pTv, uint32_t rec) {
  return pTv->pbTab + static_cast<size_t>(rec) * pTd->RecSize;
}

}  // namespace

void BuildTabIdx(const TabDesc *pTd, TabVar *pTv) {
  if (pTd == nullptr || pTv == nullptr) return;
  pTv->IdxAntal = 0;
  for (uint32_t &n : pTv->KlasseAntal) n = 0;
  const uint32_t statusOffset = pTd->FeltTab[pTd->StatusFelt].Offset;
  if (pTv->wRecCnt > 1 && pTv->pbTab != nullptr && pTv->pwSort != nullptr &&
      statusOffset < pTd->RecSize) {
    std::memset(pTv->pwSort, 0, static_cast<size_t>(pTv->wRecCnt) * sizeof(uint32_t));
    for (uint32_t r = 0; r < pTv->wRecCnt; ++r) {
      const uint8_t status = Post(pTd, pTv, r)[statusOffset];
      if (status == 0) continue;
      pTv->pwSort[pTv->IdxAntal++] = r;
      ++pTv->KlasseAntal[status / 100];
    }
  }
  for (int k = 0; k < ANTAL_KLASSER; ++k) pTv->SoegeSkridt[k] = SoegeSkridt(pTv->KlasseAntal[k]);
}

int SortTabIdx(const TabDesc *pTd, TabVar *pTv) {
  if (pTd == nullptr || pTv == nullptr || pTv->IdxAntal < 2) return -1;
  for (uint32_t i = 0; i < pTv->IdxAntal; ++i)
    if (pTv->pwSort[i] >= pTv->wRecCnt) return -1;  // an index not built from these records
  const uint32_t noegleLaengde = pTd->KeyLen < pTd->RecSize ? pTd->KeyLen : pTd->RecSize;
  const uint32_t bredde = noegleLaengde + 1;
  uint8_t *noegler = static_cast<uint8_t *>(std::calloc(pTv->wRecCnt, bredde));
  if (noegler == nullptr) return -1;
  const uint32_t statusOffset = pTd->FeltTab[pTd->StatusFelt].Offset;
  for (uint32_t i = 0; i < pTv->IdxAntal; ++i) {
    const uint32_t r = pTv->pwSort[i];
    const uint8_t *post = Post(pTd, pTv, r);
    uint8_t *n = noegler + static_cast<size_t>(r) * bredde;
    n[0] = statusOffset < pTd->RecSize ? post[statusOffset] / 100 : 0;
    std::memcpy(n + 1, post, noegleLaengde);
  }
  SortIdx(noegler, pTv->pwSort, bredde, pTv->IdxAntal);
  std::free(noegler);
  return 0;
}
