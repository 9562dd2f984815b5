// The import of time postings into their month buckets.
#include "ImpTimoak.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

#include "DATO.h"
#include "KATALOG.h"
#include "OPTAEL.h"
#include "ROLLER.h"
#include "TABOPER.h"
#include "TIMOAK.h"
#include "VEDLIGE.h"

namespace {

constexpr uint8_t kLever = 64, kSlettet = 8;

AakrelRec *Aakrel(uint32_t r) { return reinterpret_cast<AakrelRec *>(GetRec(&tdaakrel, &tvaakrel, r)); }

// The month after m; an impossible month number moves on to a possible one.
Maaned NaesteMaaned(Maaned m) { return m % 100 >= 12 ? (m / 100 + 1) * 100 + 1 : m + 1; }

}  // namespace

uint32_t TilfoejSidst(const TabDesc *pTd, TabVar *pTv) {
  const uint32_t hint = pTv->FoersteLedige;
  pTv->FoersteLedige = pTv->wRecCnt;
  const uint32_t r = NewRec(pTd, pTv);
  pTv->FoersteLedige = std::min(hint, pTv->FoersteLedige);
  if (r != 0) pTv->pfSave[r / pTd->RecPrBlok] = 1;
  return r;
}

// ---- Time rows ----

char TimoakType(char type, uint32_t akti) {
  if (type != 'A' && type != 'a') return type;
  if (!GyldigRef(&tvakti, akti)) return type;
  char kode[AKTTYPE_LEN];
  AktiTypeTekster(akti, nullptr, kode);
  if (kode[0] == '\0') return type;
  char ny = 'A';
  if (strcmp(kode, "6pæd") == 0 || strcmp(kode, "9pæd") == 0)
    ny = 'P';
  else if (strcmp(kode, "4bel") == 0 || strcmp(kode, "5bel") == 0)
    ny = 'B';
  else if (ErShKode(kode))
    ny = 'H';
  else if (ErFerieKode(kode))
    ny = 'F';
  return type == 'a' ? static_cast<char>(ny - 'A' + 'a') : ny;
}

TimoakRaekke *AddTimoak(char type, uint8_t ejer, uint32_t id, uint8_t status, uint8_t planStatus,
                        uint32_t akti, uint32_t anfo, uint32_t dato, int32_t timer, uint32_t tid) {
  if (dato < SkemaPeriode.FraDato || dato > SkemaPeriode.TilDato || !GyldigDato(dato)) return nullptr;
  TabVar *b = TimoakBucket(dato / 100);
  if (b == nullptr) return nullptr;
  const uint32_t r = TilfoejSidst(&tdtimoak, b);
  if (r == 0) return nullptr;
  auto *t = reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, r));
  t->Type = TimoakType(type, akti);
  t->id = id;
  t->Status = status;
  t->PlanStatus = planStatus;
  t->Tid = tid;
  t->akti_id = akti;
  t->anfo_id = anfo;
  t->Dato = dato;
  t->Timer = timer;
  t->Maaneddag = static_cast<uint8_t>(dato % 100);
  t->Ejer = ejer;
  t->Fejl = 0;
  t->Konflikt = 0;
  return t;
}

int32_t SumTimoak(uint32_t akti, uint32_t anfo) {
  if (!GyldigRef(&tvakti, akti) || !GyldigRef(&tvanfo, anfo)) return 0;
  AktiRec a;
  AnfoRec f;
  memcpy(&a, GetRec(&tdakti, &tvakti, akti), sizeof a);
  memcpy(&f, GetRec(&tdanfo, &tvanfo, anfo), sizeof f);
  const Maaned fra = std::max({a.Fradato / 100, f.Fradato / 100, SkemaPeriode.FoersteMaaned});
  const Maaned til = std::min({a.Tildato / 100, f.Tildato / 100, SkemaPeriode.SidsteMaaned});
  int64_t sum = 0;
  for (Maaned m = fra; m <= til; m = NaesteMaaned(m)) {
    const TabVar *b = TimoakBucket(m);
    if (b == nullptr) continue;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const auto *t = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r));
      if ((t->Status & (kLever | kSlettet)) == kLever && t->akti_id == akti && t->anfo_id == anfo)
        sum += t->Timer;
    }
  }
  return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

// ---- Activity-employment relations ----

bool SetAakrel(uint32_t akti, uint32_t anfo, uint8_t status) {
  bool fundet = false;
  for (uint32_t r = 1; r < tvaakrel.wRecCnt; ++r) {
    AakrelRec *k = Aakrel(r);
    if (k->Status == 0 || k->akti_id != akti || k->anfo_id != anfo) continue;
    if (k->Status != status) {
      k->Status = status;
      tvaakrel.pfSave[r / tdaakrel.RecPrBlok] = 1;
    }
    fundet = true;
  }
  return fundet;
}

void AddAakrel(uint32_t akti, uint32_t anfo, uint8_t status) {
  if (SetAakrel(akti, anfo, status)) return;
  const uint32_t r = TilfoejSidst(&tdaakrel, &tvaakrel);
  if (r == 0) return;
  AakrelRec *k = Aakrel(r);
  k->Status = status;
  k->akti_id = akti;
  k->anfo_id = anfo;
}

void CleanupAakrel() {
  if (tvaakrel.wRecCnt == 0) return;
  // By the pair's numbers, the record order kept among equal pairs, so the
  // first record of a pair is the one that stays.
  std::vector<uint32_t> orden;
  for (uint32_t r = 1; r < tvaakrel.wRecCnt; ++r)
    if (Aakrel(r)->Status != 0) orden.push_back(r);
  std::stable_sort(orden.begin(), orden.end(), [](uint32_t x, uint32_t y) {
    const AakrelRec *a = Aakrel(x), *b = Aakrel(y);
    const uint32_t aa = a->akti_id, ba = b->akti_id;
    if (aa != ba) return aa < ba;
    const uint32_t am = a->anfo_id, bm = b->anfo_id;
    return am < bm;
  });
  const AakrelRec *forrige = nullptr;
  for (uint32_t r : orden) {
    AakrelRec *k = Aakrel(r);
    const bool ny = forrige == nullptr || k->akti_id != forrige->akti_id || k->anfo_id != forrige->anfo_id;
    if (ny && k->akti_id < tvakti.wRecCnt && k->anfo_id < tvanfo.wRecCnt) {
      forrige = k;
      continue;
    }
    k->Status = 0;
    k->akti_id = 0;
    k->anfo_id = 0;
  }

  uint32_t w = 1;
  for (uint32_t r = 1; r < tvaakrel.wRecCnt; ++r) {
    const AakrelRec *k = Aakrel(r);
    if (k->Status < 10 || k->Status > 30) continue;
    if (w != r) memcpy(Aakrel(w), k, sizeof *k);
    ++w;
  }
  for (uint32_t r = w; r < tvaakrel.wRecCnt; ++r) memset(Aakrel(r), 0, sizeof(AakrelRec));
  const uint32_t gammelAntal = tvaakrel.wRecCnt;
  tvaakrel.wRecCnt = w;
  tvaakrel.FoersteLedige = w;
  tvaakrel.fSorter = 1;
  for (uint32_t b = 0; b <= gammelAntal / tdaakrel.RecPrBlok; ++b) tvaakrel.pfSave[b] = 1;
}

void FrigivAakrel() { ResetTab(&tdaakrel, &tvaakrel, 1); }

uint32_t AakrelAntal() { return tvaakrel.wRecCnt; }

// The data store's posting writer: the new row counted in the figures, as
// SletTimoak takes a row out of them.
bool AddTimoakOgTael(uint32_t akti, uint32_t anfo, uint32_t dato, int32_t timer, uint8_t kilde, uint8_t ejer,
                     char type, uint8_t status) {
  TimoakRaekke *t =
      AddTimoak(type, ejer, 0, status, kilde, akti, anfo, dato, timer, static_cast<uint32_t>(time(nullptr)));
  if (t == nullptr) return false;
  OptaelTimoak(t, +1);
  return true;
}
