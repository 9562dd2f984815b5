// Lookup by key, the re-sort that merges pending versions (the generic
// order and the orders of ansk, skph and sphp) and the record chains.
#include <algorithm>
#include <random>

#include "FINDREC.h"
#include "KATALOG.h"
#include "SORTIDX.h"
#include "store_fixture.h"

using namespace storetest;

namespace {

template <typename R>
R *Ny(const TabDesc *pTd, TabVar *pTv, uint32_t *pNr = nullptr) {
  uint32_t r = NewRec(pTd, pTv);
  EXPECT_NE(r, 0u);
  if (pNr) *pNr = r;
  pTv->pfSave[r / pTd->RecPrBlok] = 1;
  pTv->fSorter = 1;
  return reinterpret_cast<R *>(GetRec(pTd, pTv, r));
}

template <typename R>
R *Rec(const TabDesc *pTd, TabVar *pTv, uint32_t r) {
  return reinterpret_cast<R *>(GetRec(pTd, pTv, r));
}

class MergeTest : public DataMappe {
 protected:
  const TabDesc *pUdgr, *pAkti, *pAnfo, *pAnsk, *pSkph, *pSphp, *pAkpl;
  TabVar *tvUdgr, *tvAkti, *tvAnfo, *tvAnsk, *tvSkph, *tvSphp, *tvAkpl;
  void SetUp() override {
    DataMappe::SetUp();
    Tabel('u', pUdgr, tvUdgr);
    Tabel('K', pAkti, tvAkti);
    Tabel('M', pAnfo, tvAnfo);
    Tabel('Z', pAnsk, tvAnsk);
    Tabel('P', pSkph, tvSkph);
    Tabel('B', pSphp, tvSphp);
    Tabel('I', pAkpl, tvAkpl);
  }
  uint32_t Udgr(uint32_t id, uint8_t status, const char *betegnelse = "") {
    uint32_t r;
    UdgrRec *u = Ny<UdgrRec>(pUdgr, tvUdgr, &r);
    u->id = id;
    u->Status = status;
    snprintf(u->Betegnelse, sizeof u->Betegnelse, "%s", betegnelse);
    return r;
  }
  uint32_t Akti(uint32_t id, uint8_t status, const char *betegnelse) {
    uint32_t r;
    AktiRec *a = Ny<AktiRec>(pAkti, tvAkti, &r);
    a->id = id;
    a->Status = status;
    snprintf(a->Betegnelse, sizeof a->Betegnelse, "%s", betegnelse);
    return r;
  }
};

TEST_F(MergeTest, FindRecFindsEveryKeyForAnyCount) {
  std::mt19937 rng(7);
  for (uint32_t n : {0u, 1u, 2u, 3u, 4u, 5u, 8u, 17u, 100u}) {
    FrigivTabel(tvUdgr);
    std::vector<uint32_t> ids;
    while (ids.size() < n) {
      uint32_t id = rng() % 100000 + 1;
      if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(id);
    }
    std::vector<uint32_t> nr;
    for (uint32_t id : ids) nr.push_back(Udgr(id, 10));
    for (size_t i = 0; i < ids.size(); ++i)
      ASSERT_EQ(FindRec(pUdgr, tvUdgr, &ids[i], KLASSE_AKTUEL), nr[i]) << n;
    for (uint32_t mangler : {0u, 100001u, 4294967295u})
      EXPECT_EQ(FindRec(pUdgr, tvUdgr, &mangler, KLASSE_AKTUEL), 0u) << n;
  }
}

TEST_F(MergeTest, FindRecSearchesOneStatusClassInLittleEndianOrder) {
  uint32_t r1 = Udgr(1, 10), r256 = Udgr(256, 10), r5 = Udgr(5, 150), r9 = Udgr(9, 200);
  // The index alone, so the pending record is not merged away.
  BuildTabIdx(pUdgr, tvUdgr);
  SortTabIdx(pUdgr, tvUdgr);
  tvUdgr->fSorter = 0;
  EXPECT_EQ(tvUdgr->pwSort[0], r256);
  EXPECT_EQ(tvUdgr->pwSort[1], r1);
  uint32_t k1 = 1, k5 = 5, k9 = 9, k256 = 256;
  EXPECT_EQ(FindRec(pUdgr, tvUdgr, &k1, KLASSE_AKTUEL), r1);
  EXPECT_EQ(FindRec(pUdgr, tvUdgr, &k256, KLASSE_AKTUEL), r256);
  EXPECT_EQ(FindRec(pUdgr, tvUdgr, &k5, KLASSE_AKTUEL), 0u);
  EXPECT_EQ(FindRec(pUdgr, tvUdgr, &k5, KLASSE_SLETTET), r5);
  EXPECT_EQ(FindRec(pUdgr, tvUdgr, &k9, KLASSE_NY), r9);
  EXPECT_EQ(FindRec(pUdgr, tvUdgr, &k1, KLASSE_NY), 0u);
  EXPECT_EQ(FindRec(pUdgr, tvUdgr, &k1, 3), 0u);
  // A table never loaded has no index: nothing is found.
  EXPECT_EQ(FindRec(pAkpl, tvAkpl, &k1, KLASSE_AKTUEL), 0u);
}

TEST_F(MergeTest, PendingVersionReplacesCurrentRecordInItsSlot) {
  uint32_t r0 = Akti(500, 20, "Gammel");
  Rec<AktiRec>(pAkti, tvAkti, r0)->AntalElevLektioner = 77;  // derived, kept
  uint32_t r1 = Akti(500, 120, "Endnu aeldre");
  uint32_t rNy = Akti(500, 230, "Ny");
  uint32_t rKun = Akti(600, 215, "Kun ny");
  uint32_t nogle = 500;
  EXPECT_EQ(FindRec(pAkti, tvAkti, &nogle, KLASSE_AKTUEL), r0);

  AktiRec *a = Rec<AktiRec>(pAkti, tvAkti, r0);
  EXPECT_STREQ(a->Betegnelse, "Ny");
  EXPECT_EQ(+a->AntalElevLektioner, 77u);
  EXPECT_EQ(+a->Status, 30);
  for (uint32_t r : {r1, rNy}) {
    EXPECT_EQ(+Rec<AktiRec>(pAkti, tvAkti, r)->Status, 0) << r;
    EXPECT_EQ(+Rec<AktiRec>(pAkti, tvAkti, r)->id, 0u) << r;
  }
  EXPECT_EQ(+Rec<AktiRec>(pAkti, tvAkti, rKun)->Status, 15);
  nogle = 600;
  EXPECT_EQ(FindRec(pAkti, tvAkti, &nogle, KLASSE_AKTUEL), rKun);
  EXPECT_EQ(tvAkti->KlasseAntal[KLASSE_NY], 0u);
  EXPECT_EQ(tvAkti->pfSave[0], 1);
}

TEST_F(MergeTest, StatusTenSurvivesAMerge) {
  uint32_t r0 = Akti(500, 10, "Gammel");
  Akti(500, 230, "Ny");
  SortTab(pAkti, tvAkti);
  EXPECT_EQ(+Rec<AktiRec>(pAkti, tvAkti, r0)->Status, 10);
  EXPECT_STREQ(Rec<AktiRec>(pAkti, tvAkti, r0)->Betegnelse, "Ny");
}

TEST_F(MergeTest, IdenticalPendingVersionDisappears) {
  uint32_t r0 = Akti(500, 20, "Samme");
  Rec<AktiRec>(pAkti, tvAkti, r0)->AntalElevLektioner = 5;
  uint32_t r = Akti(500, 220, "Samme");
  Bytes foer(GetRec(pAkti, tvAkti, r0), GetRec(pAkti, tvAkti, r0) + pAkti->RecSize);
  SortTab(pAkti, tvAkti);
  EXPECT_EQ(Bytes(GetRec(pAkti, tvAkti, r0), GetRec(pAkti, tvAkti, r0) + pAkti->RecSize), foer);
  EXPECT_EQ(+Rec<AktiRec>(pAkti, tvAkti, r)->Status, 0);
}

TEST_F(MergeTest, DuplicatePendingVersionsInEntityAndRelationTables) {
  // Entity: of two pending versions of one key the first in index order (the
  // lower status) wins.
  uint32_t a = Udgr(42, 215, "B");
  uint32_t b = Udgr(42, 212, "A");
  SortTab(pUdgr, tvUdgr);
  EXPECT_EQ(+Rec<UdgrRec>(pUdgr, tvUdgr, a)->Status, 0);
  EXPECT_EQ(+Rec<UdgrRec>(pUdgr, tvUdgr, b)->Status, 12);
  EXPECT_EQ(tvUdgr->KlasseAntal[0], 1u);

  // Relation: both stay.
  for (int i = 0; i < 2; ++i) {
    AkplRec *p = Ny<AkplRec>(pAkpl, tvAkpl);
    p->pers_id = 1;
    p->akti_id = 2;
    p->Status = 220;
  }
  SortTab(pAkpl, tvAkpl);
  EXPECT_EQ(tvAkpl->KlasseAntal[0], 2u);
  EXPECT_NE(FindParRec(pAkpl, tvAkpl, 2, 1), 0u);
}

TEST_F(MergeTest, FindParRecTriesBothOrders) {
  uint32_t r;
  AkplRec *p = Ny<AkplRec>(pAkpl, tvAkpl, &r);
  p->pers_id = 7;
  p->akti_id = 3;
  p->Status = 10;
  EXPECT_EQ(FindParRec(pAkpl, tvAkpl, 3, 7), r);
  EXPECT_EQ(FindParRec(pAkpl, tvAkpl, 7, 3), r);
  EXPECT_EQ(FindParRec(pAkpl, tvAkpl, 7, 4), 0u);
}

TEST_F(MergeTest, AnskIsReplacedPerEmploymentAsAWhole) {
  for (int i = 0; i < 3; ++i) Ny<AnfoRec>(pAnfo, tvAnfo)->Status = 10;  // anfo 1..3
  struct {
    uint32_t id, anfo;
    uint8_t status;
  } const foer[] = {
      {1, 1, 10}, {2, 1, 20}, {3, 2, 10}, {4, 1, 230}, {5, 9, 10}, {6, 3, 110},
  };
  for (auto &f : foer) {
    AnskRec *a = Ny<AnskRec>(pAnsk, tvAnsk);
    a->id = f.id;
    a->anfo_id = f.anfo;
    a->Status = f.status;
  }
  SortTab(pAnsk, tvAnsk);
  // Kept in record order and moved down: 3 (employment 2), 4 (pending, for
  // employment 1), 6 (employment 3); one empty record follows.
  const uint32_t forventet[][2] = {{3, 10}, {4, 230}, {6, 110}};
  for (uint32_t i = 0; i < 3; ++i) {
    AnskRec *a = Rec<AnskRec>(pAnsk, tvAnsk, i + 1);
    EXPECT_EQ(+a->id, forventet[i][0]) << i;
    EXPECT_EQ(+a->Status, forventet[i][1]) << i;
  }
  EXPECT_EQ(tvAnsk->wRecCnt, 5u);
  EXPECT_EQ(+Rec<AnskRec>(pAnsk, tvAnsk, 4)->id, 0u);
  EXPECT_EQ(tvAnsk->IdxAntal, 3u);
}

TEST_F(MergeTest, SkphAndSphpAreReplacedPerActivity) {
  for (int i = 0; i < 2; ++i) Akti(100 + i, 10, "");  // akti 1, 2
  struct {
    uint32_t akti, skfa;
    uint8_t status;
  } const foer[] = {
      {1, 1, 10}, {1, 2, 10}, {2, 1, 10}, {1, 3, 210}, {1, 3, 210}, {2, 5, 130},
  };
  // skph: key (akti_id, skfa_id).
  for (auto &f : foer) {
    SkphRec *s = Ny<SkphRec>(pSkph, tvSkph);
    s->akti_id = f.akti;
    s->skfa_id = f.skfa;
    s->Status = f.status;
  }
  // sphp: id first, then akti_id.
  uint32_t id = 1;
  for (auto &f : foer) {
    SphpRec *s = Ny<SphpRec>(pSphp, tvSphp);
    s->id = f.skfa == 3 ? 77 : id++;
    s->akti_id = f.akti;
    s->skfa_id = f.skfa;
    s->Status = f.status;
  }
  SortTab(pSkph, tvSkph);
  SortTab(pSphp, tvSphp);

  // Activity 1 keeps only its one new subject; activity 2 keeps its current
  // subject and its deleted one stays deleted.
  const uint32_t forventet[][3] = {{2, 1, 10}, {1, 3, 10}, {2, 5, 130}};
  for (uint32_t i = 0; i < 3; ++i) {
    SkphRec *s = Rec<SkphRec>(pSkph, tvSkph, i + 1);
    EXPECT_EQ(+s->akti_id, forventet[i][0]) << i;
    EXPECT_EQ(+s->skfa_id, forventet[i][1]) << i;
    EXPECT_EQ(+s->Status, forventet[i][2]) << i;
    SphpRec *p = Rec<SphpRec>(pSphp, tvSphp, i + 1);
    EXPECT_EQ(+p->akti_id, forventet[i][0]) << i;
    EXPECT_EQ(+p->skfa_id, forventet[i][1]) << i;
    EXPECT_EQ(+p->Status, forventet[i][2]) << i;
  }
  EXPECT_EQ(tvSkph->wRecCnt, 5u);
  EXPECT_EQ(tvSphp->wRecCnt, 5u);
  EXPECT_EQ(FindParRec(pSkph, tvSkph, 1, 3), 2u);

  // Without pending records nothing moves.
  DelRec(pSkph, tvSkph, 1);
  tvSkph->fSorter = 1;
  SortTab(pSkph, tvSkph);
  EXPECT_EQ(+Rec<SkphRec>(pSkph, tvSkph, 2)->skfa_id, 3u);
}

TEST_F(MergeTest, FindFreeRecGivesTheFirstEmptySlot) {
  for (uint32_t id = 1; id <= 5; ++id) Udgr(id, 10);
  EXPECT_EQ(FindFreeRec(pUdgr, tvUdgr), tvUdgr->wRecCnt);
  EXPECT_EQ(tvUdgr->wRecCnt, 6u);
  uint8_t *r3 = GetRec(pUdgr, tvUdgr, 3);
  r3[8] = 0;  // free, but with old bytes
  tvUdgr->FoersteLedige = 2;
  EXPECT_EQ(FindFreeRec(pUdgr, tvUdgr), 3u);
  EXPECT_EQ(Get32(r3), 0u);
}

TEST_F(MergeTest, EmploymentChainsFollowTheirDatesAndGetMonthlyFigures) {
  const TabDesc *pFag;
  TabVar *tvFag;
  Tabel('s', pFag, tvFag);
  Ny<AnfoRec>(pAnfo, tvAnfo)->Status = 10;  // 1: gets figures
  Ny<AnfoRec>(pAnfo, tvAnfo)->Status = 5;   // 2: no figures
  struct {
    uint8_t status;
    uint32_t anfo, skfa, fra;
  } const fag[] = {
      {10, 1, 0, 20240901},  // 1
      {20, 1, 0, 20240801},  // 2
      {30, 1, 0, 20240901},  // 3: the same date, handled later, comes first
      {10, 1, 4, 20240701},  // 4: has a subject
      {40, 1, 0, 20240701},  // 5: status outside 10..30
      {10, 2, 0, 20240701},  // 6: employment 2
      {10, 9, 0, 20240701},  // 7: no such employment
  };
  for (auto &f : fag) {
    FagfordlRec *r = Ny<FagfordlRec>(pFag, tvFag);
    r->Status = f.status;
    r->anfo_id = f.anfo;
    r->skfa_id = f.skfa;
    r->Fradato = f.fra;
    r->neste_fagfordl_anfo = 99;
  }
  LinkAnfoFagfordl();
  std::vector<uint32_t> kaede;
  for (uint32_t r = Rec<AnfoRec>(pAnfo, tvAnfo, 1)->forste_fagfordl; r && kaede.size() < 10;
       r = Rec<FagfordlRec>(pFag, tvFag, r)->neste_fagfordl_anfo)
    kaede.push_back(r);
  EXPECT_EQ(kaede, (std::vector<uint32_t>{2, 3, 1}));
  EXPECT_EQ(+Rec<AnfoRec>(pAnfo, tvAnfo, 2)->forste_fagfordl, 6u);
  for (uint32_t r : {4u, 5u, 7u}) EXPECT_EQ(+Rec<FagfordlRec>(pFag, tvFag, r)->neste_fagfordl_anfo, 0u);
  EXPECT_NE(GetRunPtr(tvAnfo, 1), nullptr);
  EXPECT_EQ(GetRunPtr(tvAnfo, 2), nullptr);
}

TEST_F(MergeTest, ActivityChainsOfMinuteNormsAndBudgetSums) {
  const TabDesc *pMiak, *pBudt;
  TabVar *tvMiak, *tvBudt;
  Tabel('i', pMiak, tvMiak);
  Tabel('F', pBudt, tvBudt);
  Akti(100, 10, "");
  Akti(101, 0, "");
  Rec<AktiRec>(pAkti, tvAkti, 1)->BudgetLererLektioner = 999;
  struct {
    uint8_t status;
    uint32_t akti, fra;
  } const miak[] = {{10, 1, 20250101}, {20, 1, 20240801}, {10, 2, 20240801}, {50, 1, 20240101}};
  for (auto &m : miak) {
    MiakRec *r = Ny<MiakRec>(pMiak, tvMiak);
    r->Status = m.status;
    r->akti_id = m.akti;
    r->Gyldig_fra = m.fra;
  }
  struct {
    uint8_t status;
    uint32_t akti, lekt, timer;
  } const budt[] = {{10, 1, 10, 3}, {30, 1, 5, 4}, {10, 7, 100, 100}, {0, 1, 100, 100}};
  for (auto &b : budt) {
    BudtRec *r = Ny<BudtRec>(pBudt, tvBudt);
    r->Status = b.status;
    r->akti_id = b.akti;
    r->Laererlektioner = b.lekt;
    r->Laerertimer = b.timer;
  }
  LinkAktiMiakBudt();
  AktiRec *a = Rec<AktiRec>(pAkti, tvAkti, 1);
  EXPECT_EQ(+a->forste_miak, 2u);
  EXPECT_EQ(+Rec<MiakRec>(pMiak, tvMiak, 2)->neste_miak, 1u);
  EXPECT_EQ(+Rec<MiakRec>(pMiak, tvMiak, 1)->neste_miak, 0u);
  EXPECT_EQ(+a->BudgetLererLektioner, 15u);
  EXPECT_EQ(+a->BudgetLererTimer, 7);
  EXPECT_EQ(+a->forste_budt, 0u);
  EXPECT_EQ(+Rec<AktiRec>(pAkti, tvAkti, 2)->forste_miak, 0u);
}

}  // namespace
