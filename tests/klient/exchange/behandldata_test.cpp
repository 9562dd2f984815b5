// The rebuild of derived data: the chains of dated records, the default ring
// system, fftaltab tidied without moving a record, the own-plan flag and the
// order of the steps that other subsystems fill.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "FINDREC.h"
#include "ImpBehandl.h"
#include "OPTAEL.h"
#include "TALTAB.h"
#include "skole_fixture.h"

namespace {

using namespace skoletest;

// A field of a record read and written by its name in the data dictionary.
const FeltDef &Felt(const TabDesc *pTd, const char *navn) {
  for (int i = 0; i < pTd->AntalFelter; ++i)
    if (strcmp(pTd->FeltTab[i].Navn, navn) == 0) return pTd->FeltTab[i];
  ADD_FAILURE() << pTd->Navn << " has no field " << navn;
  return pTd->FeltTab[0];
}
uint32_t Hent(const TabDesc *pTd, TabVar *pTv, uint32_t r, const char *navn) {
  uint32_t v = 0;
  memcpy(&v, GetRec(pTd, pTv, r) + Felt(pTd, navn).Offset, 4);
  return v;
}
void Saet(const TabDesc *pTd, TabVar *pTv, uint32_t r, const char *navn, uint32_t v) {
  memcpy(GetRec(pTd, pTv, r) + Felt(pTd, navn).Offset, &v, 4);
}
void SaetStatus(const TabDesc *pTd, TabVar *pTv, uint32_t r, uint8_t s) {
  GetRec(pTd, pTv, r)[pTd->FeltTab[pTd->StatusFelt].Offset] = s;
}

class BehandlDataTest : public Skole {
 protected:
  void TearDown() override {
    BehandlDataKrog = {};
    HarEgenPlan = 0;
    FreeAlleTalTabeller();
    Skole::TearDown();
  }
  uint32_t NyRec(const char *tabel, TabVar **ppTv = nullptr, const TabDesc **ppTd = nullptr) {
    const TabDesc *pTd;
    TabVar *pTv;
    EXPECT_EQ(TabFromName(tabel, &pTd, &pTv), 0) << tabel;
    pTv->FoersteLedige = pTv->wRecCnt;
    if (ppTv) *ppTv = pTv;
    if (ppTd) *ppTd = pTd;
    return NewRec(pTd, pTv);
  }
};

TEST_F(BehandlDataTest, ChainsRunByDateAndTheLaterRecordFirst) {
  struct {
    const char *tabel, *ejerFelt, *datoFelt, *naeste, *ejerTabel, *hoved;
  } const kaeder[] = {
      {"udlplan", "anfo_id", "Gyldig_fra", "neste_udlplan", "anfo", "forste_udlplan"},
      {"aftalop", "araf_id", "Fradato", "neste_aftalop", "araf", "forste_aftalop"},
      {"opgper", "opgkal_id", "Fradato", "neste_opgper", "opgkal", "forste_opgper"},
      {"minutfau", "skfa_id", "Gyldig_fra", "neste_minutfau", "skfa", "forste_minutfau"},
      {"fagfordl", "skfa_id", "Fradato", "neste_fagfordl_fag", "skfa", "forste_fagfordl"},
      {"minutud", "udgr_id", "Gyldig_fra", "neste_minutud", "udgr", "forste_minutud"},
      {"mipl", "planakt_id", "Gyldig_fra", "neste_mipl", "planakt", "forste_mipl"},
  };
  // Per chained table: owner, date and status of records 1..8.
  struct Post {
    uint32_t ejer, dato;
    uint8_t status;
  };
  const Post poster[] = {
      {1, 20240901, 10}, {1, 20240801, 20}, {1, 20240901, 30}, {2, 20241001, 10},
      {1, 20240101, 0},  {1, 20240101, 31}, {1, 20250101, 10}, {99, 20240101, 10},
  };
  const std::vector<uint32_t> kaede1 = {2, 3, 1, 7}, kaede2 = {4};

  for (auto &k : kaeder) {
    TabVar *pEjerTv;
    const TabDesc *pEjerTd;
    ASSERT_EQ(TabFromName(k.ejerTabel, &pEjerTd, &pEjerTv), 0);
    // Owners 1 and 2 (skfa owns two kinds of chain), with heads pointing
    // anywhere.
    while (pEjerTv->wRecCnt < 3) SaetStatus(pEjerTd, pEjerTv, NyRec(k.ejerTabel), 10);
    for (uint32_t e : {1u, 2u}) Saet(pEjerTd, pEjerTv, e, k.hoved, 77);
    TabVar *pTv;
    const TabDesc *pTd;
    for (const Post &p : poster) {
      const uint32_t r = NyRec(k.tabel, &pTv, &pTd);
      Saet(pTd, pTv, r, "id", 1000 + r);
      Saet(pTd, pTv, r, k.ejerFelt, p.ejer);
      Saet(pTd, pTv, r, k.datoFelt, p.dato);
      Saet(pTd, pTv, r, k.naeste, 5);
      SaetStatus(pTd, pTv, r, p.status);
    }
  }

  BehandlData();

  for (auto &k : kaeder) {
    SCOPED_TRACE(k.tabel);
    const TabDesc *pTd, *pEjerTd;
    TabVar *pTv, *pEjerTv;
    ASSERT_EQ(TabFromName(k.tabel, &pTd, &pTv), 0);
    ASSERT_EQ(TabFromName(k.ejerTabel, &pEjerTd, &pEjerTv), 0);
    auto Kaede = [&](uint32_t ejer) {
      std::vector<uint32_t> v;
      for (uint32_t r = Hent(pEjerTd, pEjerTv, ejer, k.hoved); r != 0 && v.size() < 20;
           r = Hent(pTd, pTv, r, k.naeste))
        v.push_back(r);
      return v;
    };
    EXPECT_EQ(Kaede(1), kaede1);
    EXPECT_EQ(Kaede(2), kaede2);
    for (uint32_t r : {5u, 6u, 8u}) EXPECT_EQ(Hent(pTd, pTv, r, k.naeste), 0u) << r;
  }
}

TEST_F(BehandlDataTest, DefaultRingSystemIsTheMostUsed) {
  for (uint32_t i = 1; i <= 3; ++i) {
    RisyRec r{};
    r.id = i;
    r.Status = 10;
    Ny(tdrisy, tvrisy, r);
  }
  struct Raekke {
    Uge uge;
    uint32_t status, risy;
  };
  struct {
    const char *navn;
    std::vector<Raekke> raekker;
    uint32_t forventet;
  } const tilfaelde[] = {
      {"no rows", {}, 0},
      {"the most rows", {{202440, 64, 1}, {202440, 64, 2}, {202505, 96, 2}}, 2},
      {"a tie goes to the first", {{202440, 64, 3}, {202441, 64, 3}, {202440, 64, 1}, {202450, 64, 1}}, 1},
      {"deleted and free rows do not count",
       {{202440, 64 | 8, 3}, {202440, 64 | 8, 3}, {202440, 0, 3}, {202440, 32, 3}, {202440, 64, 2}},
       2},
      {"no ring system, or one that does not exist", {{202440, 64, 0}, {202440, 64, 0}, {202440, 64, 9}}, 0},
      {"weeks outside the period", {{202420, 64, 3}, {202420, 64, 3}, {202440, 64, 1}}, 1},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    TomSkemabeg();
    for (const Raekke &r : t.raekker) SkeRaekke(r.uge, r.status, kAnden, r.risy);
    EXPECT_EQ(MestBrugteRingSystem(), t.forventet);
  }
  GlobalIndstillinger.standardRingSystem = 3;
  BehandlData();
  EXPECT_EQ(GlobalIndstillinger.standardRingSystem, 1u);
}

TEST_F(BehandlDataTest, FftaltabRecordsKeepTheirNumbers) {
  auto Tal = [](uint32_t id, uint8_t status, float timer, uint8_t ejer = kEgen) {
    FftaltabRec f{};
    f.Id = id;
    f.Status = status;
    f.Timer = timer;
    f.Ejer = ejer;
    return Ny(tdfftaltab, tvfftaltab, f);
  };
  Tal(11, 10, 1.0f);
  Tal(12, 0, 0.0f);    // free
  Tal(13, 110, 0.0f);  // an old deleted version
  Tal(14, 20, 4.0f);
  Tal(15, 210, 5.0f);  // a new one
  Tal(11, 220, 6.5f);  // a new version of the first
  Tal(16, 10, 7.0f);
  BehandlData();

  struct {
    uint32_t r, id;
    uint8_t status;
    float timer;  // negative: not looked at
  } const efter[] = {
      {1, 11, 10, -1}, {2, 0, 0, 0}, {3, 0, 0, 0}, {4, 14, 20, 4.0f},
      {5, 15, 10, 5.0f}, {6, 0, 0, 0}, {7, 16, 10, 7.0f},
  };
  for (auto &e : efter) {
    const FftaltabRec f = Laes<FftaltabRec>(tdfftaltab, tvfftaltab, e.r);
    EXPECT_EQ(std::make_tuple(+f.Id, f.Status), std::make_tuple(+e.id, e.status)) << e.r;
    if (e.timer >= 0) {
      EXPECT_EQ(+f.Timer, e.timer) << e.r;
    }
  }
  // The index finds them where they are, and a new record takes the first
  // free place.
  for (uint32_t id : {11u, 14u, 15u, 16u}) {
    const uint32_t noegle = id;
    const uint32_t r = FindRec(&tdfftaltab, &tvfftaltab, &noegle, KLASSE_AKTUEL);
    EXPECT_EQ(+Laes<FftaltabRec>(tdfftaltab, tvfftaltab, r).Id, id);
  }
  EXPECT_EQ(NewRec(&tdfftaltab, &tvfftaltab), 2u);
}

TEST_F(BehandlDataTest, OwnPlanFlag) {
  struct {
    const char *navn;
    uint8_t status, ejer;
    uint32_t flag;
  } const tilfaelde[] = {
      {"an own live plan group", 32, kEgen, 1},
      {"an own plan group, its deletion waiting", 64 | 8, kEgen, 0},
      {"an own sent plan group", 64 | 16, kEgen, 1},
      {"a free record", 0, kEgen, 0},
      {"another installation's", 32, kAnden, 0},
  };
  for (auto &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    Frigiv(&tvffpg);
    FfpgRec g{};
    g.id = 1;
    g.Status = t.status;
    g.Ejer = t.ejer;
    Ny(tdffpg, tvffpg, g);
    HarEgenPlan = 1 - t.flag;
    BehandlData();
    EXPECT_EQ(HarEgenPlan, t.flag);
  }
}

std::vector<std::string> *gTrin;

TEST_F(BehandlDataTest, StepsOfOtherSubsystemsInOrder) {
  std::vector<std::string> trin;
  gTrin = &trin;
  // Empty slots are skipped.
  BehandlData();
  for (uint32_t i = 1; i <= 2; ++i) {
    RisyRec r{};
    r.id = i;
    r.Status = 10;
    Ny(tdrisy, tvrisy, r);
  }
  SkeRaekke(202440, 64, kEgen, 2);
  GlobalIndstillinger.standardRingSystem = 0;
  BehandlDataKrog.LaesRolleForslag = [] { gTrin->push_back("roller"); };
  BehandlDataKrog.CreateRingeGrupper = [] {
    gTrin->push_back("ringe " + std::to_string(GlobalIndstillinger.standardRingSystem));
  };
  BehandlDataKrog.LoadSkphIni = [] { gTrin->push_back("skph " + std::to_string(GlobalIndstillinger.standardRingSystem)); };
  BehandlData();
  EXPECT_EQ(trin, (std::vector<std::string>{"roller", "ringe 0", "skph 2"}));
}

}  // namespace
