// Finding, adding and deleting single time postings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "INDSTIL.h"
#include "KATALOG.h"
#include "TABOPER.h"
#include "TIMOAK.h"
#include "VEDLIGE.h"
#include "store_fixture.h"
#include "tavo/test_dialog.h"

namespace {

constexpr uint8_t kEgen = 7;

struct Spor {
  std::vector<std::vector<uint32_t>> aakrel;  // {akti, anfo, status}
  std::vector<std::vector<uint32_t>> tilfoejet;
  int32_t sum = 0;
};
Spor *gSpor;

class Postering : public storetest::DataMappe {
 protected:
  void SetUp() override {
    DataMappe::SetUp();
    gSpor = &spor;
    GlobalIndstillinger.insnr = kEgen;
    memset(EksportTaellere, 0, sizeof EksportTaellere);
    VedligeKrog = {};
    VedligeKrog.AddAakrel = [](uint32_t a, uint32_t m, uint8_t s) { gSpor->aakrel.push_back({a, m, s}); };
    TimoakKrog = {};
    TimoakKrog.SetAakrel = [](uint32_t a, uint32_t m, uint8_t s) { gSpor->aakrel.push_back({a, m, s}); };
    TimoakKrog.SumTimoak = [](uint32_t, uint32_t) { return gSpor->sum; };
    TimoakKrog.AddTimoak = [](uint32_t akti, uint32_t anfo, uint32_t dato, int32_t timer, uint8_t kilde,
                              uint8_t ejer, char type, uint8_t status) {
      gSpor->tilfoejet.push_back({akti, anfo, dato, static_cast<uint32_t>(timer), kilde, ejer,
                                  static_cast<uint32_t>(type), status});
      return true;
    };
    akti = Rec(&tdakti, &tvakti, 20240901, 20241231);
    anfo = Rec(&tdanfo, &tvanfo, 20240801, 20250731);
  }
  void TearDown() override {
    VedligeKrog = {};
    TimoakKrog = {};
    GlobalIndstillinger.insnr = 0;
    memset(EksportTaellere, 0, sizeof EksportTaellere);
    tavo::test::StopDialogScript();
    DataMappe::TearDown();
  }
  uint32_t Rec(const TabDesc *pTd, TabVar *pTv, uint32_t fra, uint32_t til) {
    uint32_t r = NewRec(pTd, pTv);
    uint8_t *p = GetRec(pTd, pTv, r);
    if (pTd == &tdakti) {
      memcpy(p + offsetof(AktiRec, Fradato), &fra, 4);
      memcpy(p + offsetof(AktiRec, Tildato), &til, 4);
      p[offsetof(AktiRec, Status)] = 10;
    } else {
      memcpy(p + offsetof(AnfoRec, Fradato), &fra, 4);
      memcpy(p + offsetof(AnfoRec, Tildato), &til, 4);
      p[offsetof(AnfoRec, Status)] = 10;
    }
    return r;
  }
  TimoakRaekke *Raekke(uint32_t dato, uint8_t status, uint8_t ejer = kEgen, uint8_t maerke = 0,
                       uint32_t id = 0) {
    TabVar *b = TimoakBucket(dato / 100);
    b->FoersteLedige = b->wRecCnt;
    uint32_t n = NewRec(&tdtimoak, b);
    auto *t = reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, n));
    t->id = id;
    t->Status = status;
    t->Ejer = ejer;
    t->Fejl = maerke;
    t->akti_id = akti;
    t->anfo_id = anfo;
    t->Dato = dato;
    t->Type = 'A';
    return t;
  }
  uint32_t akti = 0, anfo = 0;
  Spor spor;
};

TEST_F(Postering, FindTakesTheFirstLiveRow) {
  EXPECT_EQ(FindTimoak(akti, anfo, 20241010), nullptr);  // empty bucket
  Raekke(20241010, 64 | 8, kEgen, 0, 1);
  Raekke(20241011, 64, kEgen, 0, 2);
  Raekke(20241010, 64, kEgen, 0, 3);
  Raekke(20241010, 64, kEgen, 0, 4);
  TimoakRaekke *t = FindTimoak(akti, anfo, 20241010);
  ASSERT_NE(t, nullptr);
  uint32_t id = t->id;
  EXPECT_EQ(id, 3u);
  EXPECT_EQ(FindTimoak(0, anfo, 20241010), nullptr);
  EXPECT_EQ(FindTimoak(akti, 0, 20241010), nullptr);
  EXPECT_EQ(FindTimoak(akti, anfo, 20250810), nullptr);  // after the period's last month
}

TEST_F(Postering, AddIsRefusedOutsideTheRanges) {
  struct {
    uint32_t akti, anfo, dato;
  } const afvist[] = {
      {0, 1, 20241010},
      {1, 0, 20241010},
      {1, 1, 20240815},  // before the activity
      {1, 1, 20250115},  // after the activity
      {1, 1, 20250801},  // after the period
  };
  for (auto &t : afvist) {
    SCOPED_TRACE(t.dato);
    EXPECT_EQ(AddTimoakPost(t.akti == 1 ? akti : 0, t.anfo == 1 ? anfo : 0, t.dato, 150, 3), 0);
  }
  EXPECT_TRUE(spor.tilfoejet.empty());
  EXPECT_TRUE(spor.aakrel.empty());
  EXPECT_EQ(EksportTaellere[5], 0u);

  EXPECT_EQ(AddTimoakPost(akti, anfo, 20241010, 150, 3), 1);
  ASSERT_EQ(spor.tilfoejet.size(), 1u);
  EXPECT_EQ(spor.tilfoejet[0], (std::vector<uint32_t>{akti, anfo, 20241010, 150, 3, kEgen, 'A', 64}));
  EXPECT_EQ(EksportTaellere[5], 1u);
  EXPECT_EQ(spor.aakrel, (std::vector<std::vector<uint32_t>>{{akti, anfo, 10}}));

  // An existing posting: nothing added, the relation refreshed all the same.
  Raekke(20241011, 64);
  EXPECT_EQ(AddTimoakPost(akti, anfo, 20241011, 150, 3), 0);
  EXPECT_EQ(spor.tilfoejet.size(), 1u);
  EXPECT_EQ(spor.aakrel.size(), 2u);
  EXPECT_EQ(EksportTaellere[5], 1u);
}

TEST_F(Postering, DeleteByOwnerAndExportState) {
  struct {
    const char *navn;
    uint8_t status, ejer, maerke;
    int resultat;
    uint8_t statusEfter;
    std::vector<uint32_t> taellere;  // new, deleted, changed after (from 1, 0, 1)
    std::vector<std::vector<uint32_t>> aakrel;
    bool boks;
  } const tilfaelde[] = {
      {"sent, never exported", 64 | 16, kEgen, 0, 0, 64 | 16, {1, 0, 1}, {}, true},
      {"own, never exported", 64, kEgen, 0, 1, 0, {0, 0, 1}, {{1, 1, 20}}, false},
      {"own, changed", 64, kEgen, 1, 1, 0, {1, 0, 0}, {{1, 1, 20}}, false},
      {"exported", 64 | 32, kEgen, 1, 1, 104, {0, 1, 1}, {{1, 1, 20}}, false},
      {"another installation's", 64 | 32, 9, 0, 1, 0, {1, 0, 1}, {{1, 1, 30}}, false},
      {"deleted", 64 | 8, kEgen, 0, 0, 64 | 8, {1, 0, 1}, {}, false},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    spor.aakrel.clear();
    memset(EksportTaellere, 0, sizeof EksportTaellere);
    EksportTaellere[5] = 1;
    EksportTaellere[9] = 1;
    TimoakRaekke *r = Raekke(20241010, t.status, t.ejer, t.maerke);
    tavo::test::StartDialogScript();
    EXPECT_EQ(SletTimoak(r), t.resultat);
    auto bokse = tavo::test::MessageBoxesShown();
    tavo::test::StopDialogScript();
    EXPECT_EQ(r->Status, t.statusEfter);
    EXPECT_EQ((std::vector<uint32_t>{EksportTaellere[5], EksportTaellere[7], EksportTaellere[9]}), t.taellere);
    std::vector<std::vector<uint32_t>> forventet;
    for (auto &a : t.aakrel) forventet.push_back({akti, anfo, a[2]});
    EXPECT_EQ(spor.aakrel, forventet);
    ASSERT_EQ(bokse.size(), t.boks ? 1u : 0u);
    if (t.boks) {
      EXPECT_EQ(bokse[0].text, "Du kan ikke slette en postering der er sendt !");
      EXPECT_EQ(bokse[0].caption, "Fejl");
    }
  }
  // Hours left on the pair keep the relation.
  spor.aakrel.clear();
  spor.sum = 50;
  EXPECT_EQ(SletTimoak(Raekke(20241010, 64)), 1);
  EXPECT_TRUE(spor.aakrel.empty());
}

}  // namespace
