// The plan records' rules: the export-safe removal, group membership, the
// day masks, column widths, the gross-table lookups and the export mark.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "FF_GRUPPE.h"
#include "FF_PlanRec.h"
#include "FF_PlanUtil.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "PLAN.h"
#include "SWITCH.h"
#include "VEDLIGE.h"

namespace {

using predtest::Ny;
using predtest::Rec;

constexpr uint8_t kEgen = 7;
constexpr uint8_t kAnden = 9;

class PlanGrund : public storetest::DataMappe {
 protected:
  uint8_t gemtInsnr = 0;
  uint8_t gemtHellig = 0;
  void SetUp() override {
    storetest::DataMappe::SetUp();
    gemtInsnr = GlobalIndstillinger.insnr;
    gemtHellig = GlobalIndstillinger.markerhellig;
    GlobalIndstillinger.insnr = kEgen;
  }
  void TearDown() override {
    GlobalIndstillinger.insnr = gemtInsnr;
    GlobalIndstillinger.markerhellig = gemtHellig;
    storetest::DataMappe::TearDown();
  }
  static void NulstilBlokke(const TabDesc &td, TabVar &tv) {
    memset(tv.pfSave, 0, tv.AllocAntal / td.RecPrBlok + 1);
  }
  static bool BlokAendret(const TabDesc &td, const TabVar &tv, uint32_t n) { return tv.pfSave[n / td.RecPrBlok] != 0; }
};

// ---- The export-safe removal ----

class PlanGrundreglerSlet : public PlanGrund {};

TEST_F(PlanGrundreglerSlet, StatusOgIdSomTabel) {
  struct Tilfaelde {
    uint8_t status;
    uint32_t id;
    uint8_t efter;    // status afterwards; 0 with a cleared record
    bool fjernet;     // returns 0 and the record is zeroed
    bool aendret;     // the block is marked changed
  };
  const Tilfaelde tabel[] = {
      {0x50, 0, 0x50, false, false},  // bit 16 keeps it
      {30, 12, 30, false, false},     // foreign: bit 16 too
      {32, 0, 104, false, true},      // confirmed by the central system
      {32, 12, 104, false, true},
      {0, 12, 72, false, true},       // known centrally, never made live here
      {64, 0, 0, true, true},         // live and only local
      {64, 12, 72, false, true},      // live again after an edit: still known centrally
      {0x48, 12, 0x48, false, true},  // already deleted stays deleted
      {10, 0, 0, true, true},
      {0, 0, 0, true, true},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(testing::Message() << "status " << int(t.status) << " id " << t.id);
    predtest::TommeTabeller();
    FfgrundRec g{};
    g.ffpg_id = 1;
    g.Aktivitet = 3;
    g.Status = 64;
    Ny(tdffgrund, tvffgrund, g);
    const uint32_t n = Ny(tdffgrund, tvffgrund, g);
    Ny(tdffgrund, tvffgrund, g);
    Rec<FfgrundRec>(tvffgrund, n)->Id = t.id;
    Rec<FfgrundRec>(tvffgrund, n)->Status = t.status;
    NulstilBlokke(tdffgrund, tvffgrund);
    tvffgrund.FoersteLedige = tvffgrund.wRecCnt;
    const uint32_t r = SletEllerMaerkRec(&tdffgrund, &tvffgrund, n);
    const FfgrundRec *p = Rec<FfgrundRec>(tvffgrund, n);
    EXPECT_EQ(r, t.fjernet ? 0u : n);
    EXPECT_EQ(+p->Status, +t.efter);
    EXPECT_EQ(p->Aktivitet, t.fjernet ? 0u : 3u);
    EXPECT_EQ(tvffgrund.FoersteLedige, t.fjernet ? n : tvffgrund.wRecCnt);
    EXPECT_EQ(BlokAendret(tdffgrund, tvffgrund, n), t.aendret);
  }
}

TEST_F(PlanGrundreglerSlet, NummerUdenforTabellenOgTabelUdenId) {
  predtest::TommeTabeller();
  FfgrundRec g{};
  g.Status = 64;
  const uint32_t n = Ny(tdffgrund, tvffgrund, g);
  NulstilBlokke(tdffgrund, tvffgrund);
  EXPECT_EQ(SletEllerMaerkRec(&tdffgrund, &tvffgrund, 0), 0u);
  EXPECT_EQ(SletEllerMaerkRec(&tdffgrund, &tvffgrund, n + 1), n + 1);
  EXPECT_EQ(SletEllerMaerkRec(&tdffgrund, &tvffgrund, 5000), 5000u);
  EXPECT_EQ(+Rec<FfgrundRec>(tvffgrund, n)->Status, 64);
  EXPECT_FALSE(BlokAendret(tdffgrund, tvffgrund, n));
  // The subject distribution has no id: its first word is a group number,
  // which says nothing about the central system.
  FffagfordlRec f{};
  f.ffpg_id = 4;
  f.Status = 64;
  const uint32_t m = Ny(tdfffagfordl, tvfffagfordl, f);
  EXPECT_EQ(SletEllerMaerkRec(&tdfffagfordl, &tvfffagfordl, m), 0u);
  EXPECT_EQ(Rec<FffagfordlRec>(tvfffagfordl, m)->ffpg_id, 0u);
}

// ---- Group membership ----

class PlanGrundreglerMedlem : public PlanGrund {
 protected:
  void SetUp() override {
    PlanGrund::SetUp();
    predtest::TommeTabeller();
    for (int i = 0; i < 10; ++i) {
      AktiRec a{};
      a.Status = 10;
      Ny(tdakti, tvakti, a);
      AnfoRec m{};
      m.Status = 10;
      Ny(tdanfo, tvanfo, m);
    }
  }
  uint32_t Rel(uint32_t gruppe, uint32_t akti, uint32_t anfo, uint8_t status, uint8_t ejer = kEgen, uint32_t id = 0) {
    FfpgrelRec r{};
    r.Id = id;
    r.Plangruppe_id = gruppe;
    r.akti_id = akti;
    r.anfo_id = anfo;
    r.Ejer = ejer;
    r.Status = status;
    return Ny(tdffpgrel, tvffpgrel, r);
  }
  FfpgrelRec *R(uint32_t n) { return Rec<FfpgrelRec>(tvffpgrel, n); }
};

TEST_F(PlanGrundreglerMedlem, TilfoejFylderLedigPladsOgFjernTaemmerDen) {
  Rel(1, 5, 0, 64);                // another group
  const uint32_t n = Rel(2, 5, 0, 64);
  EXPECT_EQ(AddPgRel(2, 7, 'M'), n);
  EXPECT_EQ(R(n)->anfo_id, 7u);
  EXPECT_EQ(R(n)->akti_id, 5u);
  EXPECT_EQ(FindPgRel(2, 7, 'M'), n);
  NulstilBlokke(tdffpgrel, tvffpgrel);
  EXPECT_EQ(RemovePgRel(2, 5, 'K'), 1u);
  EXPECT_EQ(R(n)->akti_id, 0u);
  EXPECT_EQ(R(n)->anfo_id, 7u);
  EXPECT_TRUE(R(n)->Status & 64);
  EXPECT_TRUE(BlokAendret(tdffpgrel, tvffpgrel, n));
  EXPECT_EQ(FindPgRel(2, 5, 'K'), 0u);
  EXPECT_EQ(FindPgRel(0, 5, 'K'), 1u);  // still in group 1
  // The last membership of a carrier takes the carrier with it: never sent,
  // it is freed.
  EXPECT_EQ(RemovePgRel(2, 7, 'M'), 1u);
  EXPECT_EQ(+R(n)->Status, 0);
  EXPECT_EQ(RemovePgRel(2, 7, 'M'), 0u);
}

TEST_F(PlanGrundreglerMedlem, SidsteMedlemskabAfKendtBaererMaerkesSlettet) {
  const uint32_t n = Rel(2, 5, 0, 32, kEgen, 40);
  EXPECT_EQ(RemovePgRel(2, 5, 'K'), 1u);
  EXPECT_EQ(+R(n)->Status, 32 | 72);
  EXPECT_EQ(R(n)->akti_id, 5u);  // the export names what it deletes
  EXPECT_EQ(FindPgRel(2, 5, 'K'), 0u);
  // Adding it again brings the deleted carrier back before anything else.
  Rel(2, 0, 3, 64);
  EXPECT_EQ(AddPgRel(2, 5, 'K'), n);
  EXPECT_EQ(+R(n)->Status, 64);
  EXPECT_EQ(R(n)->Id, 40u);
}

TEST_F(PlanGrundreglerMedlem, FindOgTilfoejSomTabel) {
  // Carriers: a kept one (0x50) that must never be reused, a deleted one of
  // another id, a foreign live one with a free slot.
  const uint32_t bevaret = Rel(2, 0, 0, 0x50);
  const uint32_t slettet = Rel(2, 0, 6, 0x48, kEgen, 11);
  const uint32_t fremmed = Rel(2, 0, 8, 30, kAnden);
  EXPECT_EQ(FindPgRel(2, 8, 'M'), fremmed);      // found, whoever owns it
  EXPECT_EQ(FindPgRel(0, 8, 'M'), fremmed);      // any group
  EXPECT_EQ(FindPgRel(3, 8, 'M'), 0u);
  EXPECT_EQ(FindPgRel(2, 6, 'M'), 0u);           // deleted
  EXPECT_EQ(FindPgRel(2, 8, 'X'), 0u);
  EXPECT_EQ(FindPgRel(2, 0, 'K'), 0u);           // 0 is no activity
  const uint32_t antal = tvffpgrel.wRecCnt;
  EXPECT_EQ(AddPgRel(2, 0, 'K'), 0u);
  EXPECT_EQ(AddPgRel(2, 4, 'Q'), 0u);
  EXPECT_EQ(tvffpgrel.wRecCnt, antal);
  // Neither the kept, the deleted nor the foreign carrier takes the
  // activity: a new record does.
  const uint32_t ny = AddPgRel(2, 4, 'K');
  EXPECT_NE(ny, bevaret);
  EXPECT_NE(ny, slettet);
  EXPECT_NE(ny, fremmed);
  EXPECT_EQ(R(ny)->akti_id, 4u);
  EXPECT_EQ(R(ny)->Plangruppe_id, 2u);
  EXPECT_EQ(+R(ny)->Ejer, kEgen);
  EXPECT_EQ(+R(ny)->Status, 64);
  EXPECT_EQ(+R(bevaret)->Status, 0x50);
  EXPECT_EQ(+R(fremmed)->Status, 30);
  // The foreign one is never changed by a removal either.
  EXPECT_EQ(RemovePgRel(2, 8, 'M'), 0u);
  EXPECT_EQ(R(fremmed)->anfo_id, 8u);
  // The deleted carrier of employment 6 comes back for it.
  EXPECT_EQ(AddPgRel(2, 6, 'M'), slettet);
  EXPECT_EQ(+R(slettet)->Status, 64);
}

TEST_F(PlanGrundreglerMedlem, FjernGruppeRelationerTagerEgneAfGruppen) {
  const uint32_t a = Rel(2, 1, 2, 64);
  const uint32_t b = Rel(2, 3, 0, 32, kEgen, 50);
  const uint32_t c = Rel(2, 4, 5, 30, kAnden);
  const uint32_t d = Rel(1, 1, 2, 64);
  FjernGruppeRelationer(2);
  EXPECT_EQ(+R(a)->Status, 0);
  EXPECT_EQ(+R(b)->Status, 32 | 72);
  EXPECT_EQ(+R(c)->Status, 30);
  EXPECT_EQ(+R(d)->Status, 64);
  EXPECT_EQ(FindPgRel(2, 1, 'K'), 0u);
  EXPECT_EQ(FindPgRel(1, 1, 'K'), d);
}

TEST_F(PlanGrundreglerMedlem, RydFfpgrelNulstillerUgyldigeOgSletterTomme) {
  const uint32_t ugyldigAkti = Rel(2, 500, 3, 64);
  const uint32_t beggeUgyldige = Rel(2, 500, 600, 64);
  const uint32_t kendt = Rel(2, 0, 600, 32, kEgen, 70);
  const uint32_t fremmed = Rel(2, 500, 0, 30, kAnden);
  const uint32_t gyldig = Rel(2, 4, 5, 64);
  NulstilBlokke(tdffpgrel, tvffpgrel);
  EXPECT_EQ(RydFfpgrel(), 2u);
  EXPECT_EQ(R(ugyldigAkti)->akti_id, 0u);
  EXPECT_EQ(R(ugyldigAkti)->anfo_id, 3u);
  EXPECT_TRUE(BlokAendret(tdffpgrel, tvffpgrel, ugyldigAkti));
  EXPECT_EQ(+R(beggeUgyldige)->Status, 0);
  EXPECT_EQ(+R(kendt)->Status, 32 | 72);
  EXPECT_EQ(R(fremmed)->akti_id, 500u);  // never changed here
  EXPECT_EQ(R(gyldig)->akti_id, 4u);
  EXPECT_EQ(RydFfpgrel(), 0u);
}

TEST_F(PlanGrundreglerMedlem, HvilkeRaekkerGemmes) {
  const uint32_t gemmes[] = {1, 2, 9, 13, 14};
  const uint32_t gemmesIkke[] = {0, 15, 22, 23, 34, 35, 200};
  for (uint32_t k : gemmes) {
    EXPECT_TRUE(PlanRaekkeGemmes(k, kEgen, 0)) << k;
    EXPECT_FALSE(PlanRaekkeGemmes(k, kAnden, 0)) << k;
    EXPECT_FALSE(PlanRaekkeGemmes(k, kEgen, 3)) << k;
  }
  for (uint32_t k : gemmesIkke) EXPECT_FALSE(PlanRaekkeGemmes(k, kEgen, 0)) << k;
  EXPECT_TRUE(PlanRecLever(64));
  EXPECT_TRUE(PlanRecLever(96));
  EXPECT_FALSE(PlanRecLever(72));
  EXPECT_TRUE(PlanRecSlettet(104));
  EXPECT_TRUE(PlanRecFremmed(30));
  EXPECT_TRUE(PlanRecBevaret(30));
  EXPECT_TRUE(PlanRecFri(0));
}

// ---- Day masks ----

class PlanGrundreglerDage : public PlanGrund {
 protected:
  uint32_t skka = 0;
  uint32_t kaldag = 0;
  void SetUp() override {
    PlanGrund::SetUp();
    predtest::TommeTabeller();
    // A school calendar of 2024 and 2025 in which every weekday is a school day.
    KaldagRec kd{};
    kd.Status = 10;
    memset(kd.Uge, 0x1F, sizeof kd.Uge);
    kaldag = Ny(tdkaldag, tvkaldag, kd);
    KdagrelRec kr{};
    kr.Status = 10;
    kr.Kaldag = kaldag;
    const uint32_t rel = Ny(tdkdagrel, tvkdagrel, kr);
    Ny(tdkdagrel, tvkdagrel, kr);
    SkkaRec k{};
    k.Status = 10;
    k.StartAr = 2024;
    k.AntalAr = 2;
    k.kaldagrel = rel;
    skka = Ny(tdskka, tvskka, k);
  }
  uint32_t Akti(Dato fra, Dato til) {
    AktiRec a{};
    a.Status = 10;
    a.Fradato = fra;
    a.Tildato = til;
    a.skka_id = skka;
    return Ny(tdakti, tvakti, a);
  }
  uint32_t Anfo(Dato fra, Dato til) {
    AnfoRec m{};
    m.Status = 10;
    m.Fradato = fra;
    m.Tildato = til;
    return Ny(tdanfo, tvanfo, m);
  }
};

TEST_F(PlanGrundreglerDage, AktivitetOgAnsaettelseIUgen) {
  // Week 37 of 2024: Monday 9 to Friday 13 September.
  const uint32_t akti = Akti(20240801, 20240911);  // ends on the Wednesday
  EXPECT_EQ(AktiUdenforDage(akti, 202437), 24);
  EXPECT_EQ(AktiIkkeSkoleDage(akti, 202437), 0);
  EXPECT_EQ(PlanDageIUge(akti, 0, 202437, 2), 3u);
  const uint32_t tirsdag = Anfo(20240801, 20240910);
  EXPECT_EQ(AnfoUdenforDage(tirsdag, 202437), 28);
  EXPECT_EQ(PlanDageIUge(akti, tirsdag, 202437, 2), 2u);
  EXPECT_EQ(PlanDageIUge(akti, tirsdag, 202437, 14), 0u);
  EXPECT_EQ(PlanDageIUge(akti, 0, 202437, 14), 1u);
  EXPECT_EQ(PlanDageIUge(Akti(20240801, 20240910), 0, 202437, 14), 0u);
  EXPECT_EQ(PlanDageIUge(akti, tirsdag, 202437, 9), 5u);
  // Record 0 or one outside the table covers every day.
  EXPECT_EQ(AktiUdenforDage(0, 202437), 0);
  EXPECT_EQ(AnfoUdenforDage(tvanfo.wRecCnt, 202437), 0);
  // A week wholly outside the activity.
  EXPECT_EQ(PlanDageIUge(akti, 0, 202440, 2), 0u);
}

TEST_F(PlanGrundreglerDage, SkemaperiodensGraenser) {
  // The schedule period runs from Thursday 1 August 2024 to Thursday 31 July 2025.
  EXPECT_EQ(PeriodeUdenforDage(202431), 7);
  EXPECT_EQ(PeriodeUdenforDage(202437), 0);
  EXPECT_EQ(PeriodeUdenforDage(202531), 16);
  for (Uge u : {0u, 190000u, 189952u, 209954u, 210001u}) EXPECT_EQ(PeriodeUdenforDage(u), 31) << u;
  const uint32_t akti = Akti(20240101, 20251231);
  EXPECT_EQ(AktiIkkeSkoleDage(akti, 202431), 7);
}

TEST_F(PlanGrundreglerDage, HelligdageEfterMarkerhellig) {
  // Christmas Day 2024 is the Wednesday of week 52, Boxing Day the Thursday.
  const uint32_t akti = Akti(20240801, 20250731);
  GlobalIndstillinger.markerhellig = 0;
  EXPECT_EQ(AktiIkkeSkoleDage(akti, 202452), 0);
  EXPECT_EQ(PlanDageIUge(akti, 0, 202452, 2), 5u);
  GlobalIndstillinger.markerhellig = 1;
  EXPECT_EQ(AktiIkkeSkoleDage(akti, 202452), 12);
  EXPECT_EQ(PlanDageIUge(akti, 0, 202452, 2), 3u);
  // A day the calendar does not hold is no school day.
  Rec<KaldagRec>(tvkaldag, kaldag)->Uge[36] = 0x1F & ~2;
  GlobalIndstillinger.markerhellig = 0;
  EXPECT_EQ(AktiIkkeSkoleDage(akti, 202437), 2);
}

// ---- Column widths ----

class PlanGrundreglerKolonne : public ::testing::Test {
 protected:
  SwitchFelt felter[3]{};
  SwitchLayout layout{};
  SwitchLayout *gemt = nullptr;
  Plan plan{};
  uint32_t arter[4] = {0, 33, 0, 32};
  void SetUp() override {
    // Field 32: 1 + 2 + 8 x 5 + 3 + 1 = 47; field 33: 0 + 1 + 8 x 3 + 0 + 1 = 26.
    felter[0] = {1, 2, 32, 0, 0, 5, 3, 1, 'S', 0, &felter[1]};
    felter[1] = {0, 1, 33, 0, 0, 3, 0, 1, 'S', 0, &felter[2]};
    felter[2] = {0, 0, 40, 0, 0, 1, 0, 0, 'S', 0, nullptr};
    layout = {'#', 0, 1, 0, &felter[0], nullptr};
    gemt = ObjSwitchTab[111];
    ObjSwitchTab[111] = &layout;
    plan.LayoutKolonne = {111, '#', 0, 3, 0};
    plan.ObjTypeTabX = arter;
    plan.KolonneAntal = 3;
  }
  void TearDown() override { ObjSwitchTab[111] = gemt; }
};

TEST_F(PlanGrundreglerKolonne, BreddeAfFeltetMedKolonnensArt) {
  EXPECT_EQ(PlanKolonneBredde(&plan, 1, PLAN_OMR_UGER), 26u);
  EXPECT_EQ(PlanKolonneBredde(&plan, 3, PLAN_OMR_UGER), 47u);
  EXPECT_EQ(PlanKolonneBredde(&plan, 2, PLAN_OMR_UGER), 0u);   // kind 0
  EXPECT_EQ(PlanKolonneBredde(&plan, 4, PLAN_OMR_UGER), 0u);   // beyond the area
  EXPECT_EQ(PlanKolonneBredde(&plan, 0, PLAN_OMR_UGER), 0u);
  EXPECT_EQ(PlanKolonneBredde(&plan, 1, PLAN_OMR_VENSTRE), 0u);  // the left area has no columns
  EXPECT_EQ(PlanKolonneBredde(&plan, 1, 7), 0u);
  arter[1] = 34;                                                // no field of that number
  EXPECT_EQ(PlanKolonneBredde(&plan, 1, PLAN_OMR_UGER), 0u);
  plan.LayoutKolonne.Art = 116;
  EXPECT_EQ(PlanKolonneBredde(&plan, 3, PLAN_OMR_UGER), 0u);
  plan.LayoutKolonne.Art = -1;
  EXPECT_EQ(PlanKolonneBredde(&plan, 3, PLAN_OMR_UGER), 0u);
  // The same layout read through the right area.
  plan.LayoutPlanListe = {111, '#', 0, 3, 0};
  plan.ObjTypeTabRX = arter;
  plan.HoejreAntal = 3;
  EXPECT_EQ(PlanKolonneBredde(&plan, 3, PLAN_OMR_HOEJRE), 47u);
}

// ---- The gross table ----

class PlanGrundreglerBrutto : public PlanGrund {
 protected:
  std::vector<BruttoPost> poster;
  BruttoTabel tab{};
  uint32_t Anfo(uint8_t status, bool arkiv = false) {
    AnfoRec m{};
    m.Status = status;
    m.Gruppe = arkiv ? 0x80000000u : 1;
    return Ny(tdanfo, tvanfo, m);
  }
  void SetUp() override {
    PlanGrund::SetUp();
    predtest::TommeTabeller();
    poster.assign(4, BruttoPost{});
    tab = {poster.data(), 4};
  }
  void Saet(uint32_t raekke, std::vector<std::pair<uint32_t, uint32_t>> par) {
    BruttoPost &p = poster[raekke];
    p = {};
    for (auto [a, v] : par) {
      p.Anfo[p.Antal] = a;
      p.Vaerdi[p.Antal] = v;
      p.Vaerdi2[p.Antal] = v;
      ++p.Antal;
    }
  }
};

TEST_F(PlanGrundreglerBrutto, ForslagetErDenStoersteBlandtLevende) {
  const uint32_t a = Anfo(10), b = Anfo(20), c = Anfo(10, true), d = Anfo(30), e = Anfo(29);
  Saet(1, {{a, 4}, {c, 90}, {b, 7}, {d, 80}, {e, 7}});
  EXPECT_EQ(PlanVaelgBruttoMedarbejder(&tab, 1), b);  // archived and status 30 left out; first of equals
  Saet(2, {{a, 0}, {b, 0}});
  EXPECT_EQ(PlanVaelgBruttoMedarbejder(&tab, 2), 0u);  // no value
  Saet(3, {{c, 5}, {d, 5}, {999, 9}});
  EXPECT_EQ(PlanVaelgBruttoMedarbejder(&tab, 3), 0u);
  EXPECT_EQ(PlanVaelgBruttoMedarbejder(&tab, 4), 0u);   // beyond the table
  EXPECT_EQ(PlanVaelgBruttoMedarbejder(nullptr, 1), 0u);
}

LRESULT CALLBACK PlanSvar(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == REL_PLAN_TILSTAND) return reinterpret_cast<LRESULT>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST_F(PlanGrundreglerBrutto, VaerdienForDenAktuelleRaekke) {
  const uint32_t a = Anfo(10), b = Anfo(10);
  Saet(2, {{a, 4}, {b, 6}});
  Plan plan{};
  uint32_t raekker[3] = {0, 3, 2};  // row 2 shown second
  plan.Ens.ObjTab = raekker;
  plan.Ens.ObjTabAntal = 2;
  plan.StyrY.Pos.Aktuel = 2;
  EXPECT_EQ(PlanBruttoVaerdiIPlan(&plan, b), 0u);  // no table yet
  plan.Brutto = tab;
  EXPECT_EQ(PlanBruttoVaerdiIPlan(&plan, b), 6u);
  EXPECT_EQ(PlanBruttoVaerdiIPlan(&plan, 5), 0u);
  WNDCLASSA wc{};
  wc.lpfnWndProc = PlanSvar;
  wc.lpszClassName = "PlanBruttoTest";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, "PlanBruttoTest", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
  ASSERT_NE(hwnd, HWND{0});
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&plan));
  EXPECT_EQ(PlanBruttoVaerdi(hwnd, a), 4u);
  plan.StyrY.Pos.Aktuel = 1;  // row 3: an empty entry
  EXPECT_EQ(PlanBruttoVaerdi(hwnd, a), 0u);
  plan.StyrY.Pos.Aktuel = 3;  // past the rows shown
  EXPECT_EQ(PlanBruttoVaerdi(hwnd, a), 0u);
  DestroyWindow(hwnd);
  UnregisterClassA("PlanBruttoTest", 0);
  EXPECT_EQ(PlanBruttoVaerdi(0, a), 0u);
}

// ---- The export mark ----

int malinger = 0;
LRESULT CALLBACK TaelMaling(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) ++malinger;
  return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST(PlanGrundreglerEksport, MarkeresEnGangOgRudenMalesEnGang) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = TaelMaling;
  wc.lpszClassName = "PlanEksportRude";
  RegisterClassA(&wc);
  HWND rude = CreateWindowExA(0, "PlanEksportRude", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
  ASSERT_NE(rude, HWND{0});
  const uint32_t gemtTal = EksportPlanTal;
  const HWND gemtRude = hwndEksportStatus;
  hwndEksportStatus = rude;
  EksportPlanTal = 0;
  malinger = 0;
  MarkerPlanEksport();
  EXPECT_EQ(EksportPlanTal, 1u);
  EXPECT_EQ(malinger, 1);
  MarkerPlanEksport();
  EXPECT_EQ(EksportPlanTal, 1u);
  EXPECT_EQ(malinger, 1);
  // Without a pane the counter is still set.
  hwndEksportStatus = 0;
  EksportPlanTal = 0;
  MarkerPlanEksport();
  EXPECT_EQ(EksportPlanTal, 1u);
  EXPECT_EQ(malinger, 1);
  EksportPlanTal = gemtTal;
  hwndEksportStatus = gemtRude;
  DestroyWindow(rude);
  UnregisterClassA("PlanEksportRude", 0);
}

}  // namespace
