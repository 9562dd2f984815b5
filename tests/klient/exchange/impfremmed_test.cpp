// The foreign-data reset and the time sections of the import file: what the
// reset empties, trims and ages, that what it empties reaches the files,
// and the owner, key and date rules of forandringtim, timoak, udplatim,
// hontim and primotal.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FINDREC.h"
#include "HENTGEM.h"
#include "ImpData.h"
#include "KROGE.h"
#include "ImpFremmed.h"
#include "ImpTimoak.h"
#include "eksport_fixture.h"
#include "import_tekst.h"
#include "tavo/clock.h"

namespace {

using namespace eksporttest;

constexpr char kStatus[] = "K;20240801;20240801;20250731;1733835600;1;A;0;0\n";

class TidImport : public EksportSkole {
 public:
  uint32_t hontity = 0;
  void SetUp() override {
    EksportSkole::SetUp();
    Stamdata();
    HontityRec h{};
    h.id = 71, h.Status = 10;
    hontity = Ny(tdhontity, tvhontity, h);
    for (const TabRegEntry *e = TabRegister; e->Navn; ++e) SortTab(e->pTabDesc, e->pTabVar);
    FremmedFlag = 0;
  }
  void TearDown() override {
    FremmedFlag = 0;
    tavo::ClearFakeClock();
    EksportSkole::TearDown();
  }
  static int Laes(const std::string &afsnit) { return LaesImportTekst(kStatus + afsnit); }

  static std::vector<TimoakRaekke> Poster(Maaned m) {
    std::vector<TimoakRaekke> v;
    TabVar *b = TimoakBucket(m);
    for (uint32_t r = 1; r < b->wRecCnt; ++r)
      if (Tim(m, r).Status) v.push_back(Tim(m, r));
    return v;
  }
  static uint32_t Aakrel(uint32_t akti, uint32_t anfo) {
    for (uint32_t r = 1; r < tvaakrel.wRecCnt; ++r) {
      const AakrelRec &a = Rec<AakrelRec>(tdaakrel, tvaakrel, r);
      if (a.akti_id == akti && a.anfo_id == anfo) return a.Status;
    }
    return 0;
  }
  static uint32_t Reserveret(const TabDesc &td, TabVar &tv) {
    uint32_t id = 999999999;
    return FindRec(&td, &tv, &id, KLASSE_AKTUEL);
  }
};

// ---- fremmed ----

class Fremmed : public TidImport {
 public:
  uint32_t fremmedBeg = 0, egenBeg = 0, m38 = 0, m31 = 0, fremmedPost = 0;
  void Data() {
    Faelles f;
    egenBeg = Begivenhed(202437, f, {{s.k1}});
    f.ejer = kFremmed;
    fremmedBeg = Begivenhed(202437, f, {{s.k2}});
    fremmedPost = Postering(202409, 5, 0x40, s.k1, s.a1, 2, 100, kFremmed);
    Postering(202409, 6, 0x40, s.k1, s.a1, 3, 100);
    UdplatimRaekke *u = Tilfoej<UdplatimRaekke>(tdudplatim, UdplatimBucket(202410));
    u->Status = 96;
    BudtRec b{};
    for (uint8_t st : {10, 30, 0}) {
      b.id++, b.Status = st;
      Ny(tdbudt, tvbudt, b);
    }
    PersRec p{};
    for (uint32_t id : {1u, 2u, 3u}) p.id = id, p.Status = 10, Ny(tdpers, tvpers, p);
    BuftimRec bt{};
    bt.Status = 10;
    Ny(tdbuftim, tvbuftim, bt);
    ElvrelRec e{};
    e.Status = 10;
    Ny(tdelvrel, tvelvrel, e);
    MedaRec m{};
    m.id = 4100, m.Status = 38;
    m38 = Ny(tdmeda, tvmeda, m);
    m.id = 4101, m.Status = 31;
    m31 = Ny(tdmeda, tvmeda, m);
    // Nothing marked yet: what the reset marks shows.
    for (const TabRegEntry *r = TabRegister; r->Navn; ++r)
      if (r->pTabVar->pfSave) memset(r->pTabVar->pfSave, 0, r->pTabVar->wRecCnt / r->pTabDesc->RecPrBlok + 1);
  }
  static uint8_t MedaStatus(uint32_t r) { return Rec<MedaRec>(tdmeda, tvmeda, r).Status; }
};

TEST_F(Fremmed, WithoutTheSectionNothingForeignIsTouched) {
  Data();
  const Billede foer = Billede::Nu(false);
  ASSERT_EQ(Laes("@timoak\n@message\nx\n"), 1);
  EXPECT_EQ(Forskelle(foer, Billede::Nu(false)), std::vector<std::string>{});
  EXPECT_EQ(FremmedFlag, 0);
  free(ImportBesked);
  ImportBesked = nullptr;
}

TEST_F(Fremmed, TheResetEmptiesTrimsAndAgesAndMarksWhatItChanged) {
  Data();
  ASSERT_EQ(Laes("#fremmed\nlinjer l\xE6ses ikke\n"), 1);
  EXPECT_EQ(FremmedFlag, 1);
  EXPECT_EQ(+Ske(202437, fremmedBeg).Status, 0u);
  EXPECT_EQ(+Ske(202437, egenBeg).Status, 0x40u);
  EXPECT_EQ(+Tim(202409, fremmedPost).Status, 0);
  EXPECT_EQ(Poster(202409).size(), 1u);
  // udplatim: every month empty, an empty one stays so.
  EXPECT_EQ(UdplatimBucket(202410)->wRecCnt, 0u);
  EXPECT_EQ(UdplatimBucket(202411)->wRecCnt, 0u);
  // budt 1 (10), 2 (30), 3 (0): record 2 zeroed, the count 2.
  EXPECT_EQ(tvbudt.wRecCnt, 2u);
  EXPECT_EQ(+Rec<BudtRec>(tdbudt, tvbudt, 1).Status, 10);
  EXPECT_EQ(tvbudt.pfSave[0], 1);
  // Whole-sent tables keep only record 0, marked for the save.
  for (const auto &[navn, td, tv] : {std::tuple{"pers", &tdpers, &tvpers}, {"buftim", &tdbuftim, &tvbuftim}}) {
    SCOPED_TRACE(navn);
    EXPECT_EQ(tv->wRecCnt, 1u);
    EXPECT_EQ(tv->pfSave[0], 1);
  }
  EXPECT_EQ(+Rec<ElvrelRec>(tdelvrel, tvelvrel, 1).Status, 0);
  // 38 ages to 39, then goes; 31 stays.
  EXPECT_EQ(MedaStatus(m38), 39);
  EXPECT_EQ(MedaStatus(m31), 31);
  ASSERT_EQ(Laes("@fremmed\n"), 1);
  EXPECT_EQ(MedaStatus(m38), 0);
  EXPECT_EQ(MedaStatus(m31), 31);
}

TEST_F(Fremmed, EmptiedAndRefilledTablesAreTheSameAfterSaveAndReload) {
  Data();
  ASSERT_EQ(SaveTab(&tdpers, &tvpers, nullptr), 0);
  PrimotalRec p{};
  p.Status = 96, p.anfo_id = s.a3, p.hontity_id = hontity;
  for (int i = 0; i < 25; ++i) Ny(tdprimotal, tvprimotal, p);
  ASSERT_EQ(SaveTab(&tdprimotal, &tvprimotal, nullptr), 0);
  ASSERT_EQ(Laes("@fremmed\n@primotal\n71;2001;20240801;150\n0;2001;20240801;150\n71;2001;20240801\n"), 1);
  for (const auto &[td, mem] : {std::pair{&tdpers, &tvpers}, {&tdprimotal, &tvprimotal}}) {
    SCOPED_TRACE(td->Navn);
    const std::vector<uint8_t> foer(mem->pbTab, mem->pbTab + size_t(mem->wRecCnt) * td->RecSize);
    ASSERT_EQ(SaveTab(td, mem, nullptr), 0);
    TabVar igen{};
    ASSERT_EQ(LoadTab(td, &igen), 0);
    TrimTab(td, &igen);
    EXPECT_EQ(std::vector<uint8_t>(igen.pbTab, igen.pbTab + size_t(igen.wRecCnt) * td->RecSize), foer);
    ResetTab(td, &igen, 0);
  }
  ASSERT_EQ(tvprimotal.wRecCnt, 2u);
  const PrimotalRec &r = Rec<PrimotalRec>(tdprimotal, tvprimotal, 1);
  EXPECT_EQ(+r.hontity_id, hontity);
  EXPECT_EQ(+r.anfo_id, s.a1);
  EXPECT_EQ(+r.Dato, 20240801u);
  EXPECT_EQ(+r.Enheder, 150);
  EXPECT_EQ(+r.Status, 96);
}

TEST_F(Fremmed, AnImportWithTheSectionStampsTheForeignContact) {
  HentGemKrog = HentGemKroge{};
  // The save takes the exchange files in its commit through the slots the
  // program's wiring fills.
  InstallerImportData();
  tavo::SetFakeClock(1772323200);  // 1 March 2026
  std::ofstream(EksportSkole::Data("imp.dat")) << kStatus << "@fremmed\n";
  ASSERT_EQ(ImportDriver(0), 1);
  EXPECT_EQ(FremmedFlag, 1);
  EXPECT_EQ(Indstilling("tider", "fremmedkontakt"), "20260301");
  HentGemKrog = HentGemKroge{};
}

// ---- forandringtim ----

class Forandringtim : public TidImport {};

TEST_F(Forandringtim, OtherInstallationsPostingsAreAddedAndDeleted) {
  Postering(202409, 8, 0x60, s.k1, s.a1, 2, 100, kFremmed);
  Postering(202409, 8, 0x60, s.k1, s.a1, 3, 100, kFremmed);
  ASSERT_EQ(Laes("@forandringtim\nF3\nA1001\nM2001\n+9,20240905,250\n+10,20260101,250\n-8,20240910\n"), 1);
  const auto v = Poster(202409);
  ASSERT_EQ(v.size(), 2u);
  // Only the first live row of id 8 goes.
  EXPECT_EQ(+v[0].id, 8u);
  EXPECT_EQ(+v[0].Maaneddag, 3);
  EXPECT_EQ(+v[1].id, 9u);
  EXPECT_EQ(+v[1].Ejer, kFremmed);
  EXPECT_EQ(+v[1].Status, 96);
  EXPECT_EQ(+v[1].Timer, 250);
  EXPECT_EQ(+v[1].Tid, 1733835600u);
  EXPECT_EQ(Aakrel(s.k1, s.a1), 30u);
}

TEST_F(Forandringtim, OwnLinesChangeNothingAndA0TakesTheReservedActivity) {
  Postering(202409, 8, 0x60, s.k1, s.a1, 2, 100);
  const Billede foer = Billede::Nu(false);
  ASSERT_EQ(Laes("@forandringtim\nF7\nA1001\nM2001\n+9,20240905,250\n-8,20240902\n"), 1);
  EXPECT_EQ(Forskelle(foer, Billede::Nu(false)), std::vector<std::string>{});
  ASSERT_EQ(Laes("@forandringtim\nA0\nM4242\nF3\n+9,20240905,250\n"), 1);
  const auto v = Poster(202409);
  ASSERT_EQ(v.size(), 2u);
  EXPECT_EQ(+v[1].akti_id, Reserveret(tdakti, tvakti));
  EXPECT_EQ(+v[1].anfo_id, Reserveret(tdanfo, tvanfo));
  EXPECT_NE(+v[1].akti_id, 0u);
}

// ---- timoak ----

class TimoakAfsnit : public TidImport {};

TEST_F(TimoakAfsnit, PostingsAndRelationsByMarker) {
  struct {
    const char *navn, *hoved;
    uint32_t relation;
  } const tabel[] = {{"@ gives relations 10", "@timoak", 10}, {"# gives relations 30", "#timoak", 30}};
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    FrigivAakrel();
    ASSERT_EQ(Laes(std::string(t.hoved) + "\nF3\nA4242\nM2003\nTA,11,20240912,-75\nTH,12,20260101,75\n"), 1);
    const auto v = Poster(202409);
    ASSERT_FALSE(v.empty());
    // An unknown activity key still adds the posting, with activity 0.
    EXPECT_EQ(+v.back().akti_id, 0u);
    EXPECT_EQ(+v.back().anfo_id, s.a3);
    EXPECT_EQ(+v.back().id, 11u);
    EXPECT_EQ(+v.back().Timer, -75);
    EXPECT_EQ(+v.back().Ejer, kFremmed);
    EXPECT_EQ(+v.back().Status, 96);
    EXPECT_EQ(Aakrel(0, s.a3), t.relation);
  }
  // The date outside the period wrote nothing.
  uint32_t antal = 0;
  for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i) antal += Poster(IndeksTilMaaned(i)).size();
  EXPECT_EQ(antal, 2u);
}

// ---- udplatim and hontim ----

class Udplatim : public TidImport {};

TEST_F(Udplatim, RowsTakeTheCurrentRecordsAndTheirMonth) {
  ASSERT_EQ(Laes("@udplatim\nA1001\nM2001\nU201\nP4242\nTP,20241003;125\nA0\nT;,20241104,50\nTX,20260101,1\n"), 1);
  TabVar *okt = UdplatimBucket(202410), *nov = UdplatimBucket(202411);
  ASSERT_EQ(okt->wRecCnt, 2u);
  ASSERT_EQ(nov->wRecCnt, 2u);
  const UdplatimRaekke &u = *reinterpret_cast<UdplatimRaekke *>(GetRec(&tdudplatim, okt, 1));
  EXPECT_EQ(u.Type, 'P');
  EXPECT_EQ(+u.Status, 96);
  EXPECT_EQ(+u.akti_id, s.k1);
  EXPECT_EQ(+u.anfo_id, s.a1);
  EXPECT_EQ(+u.skfa_id, s.dansk);
  EXPECT_EQ(+u.planakt_id, 0u);
  EXPECT_EQ(+u.Timer, 125);
  EXPECT_EQ(+u.mnddag, 3);
  EXPECT_EQ(+u.Dato, 0u);
  const UdplatimRaekke &n = *reinterpret_cast<UdplatimRaekke *>(GetRec(&tdudplatim, nov, 1));
  // The first character is the kind even when it is a separator.
  EXPECT_EQ(n.Type, ';');
  EXPECT_EQ(+n.akti_id, 0u);
  EXPECT_EQ(+n.Timer, 50);
}

class Hontim : public TidImport {};

TEST_F(Hontim, TheSectionReplacesEveryMonth) {
  ASSERT_EQ(Laes("@hontim\nM2001\nT71,20241003,300\nT99;20241004;1\n"), 1);
  TabVar *okt = HontimBucket(202410);
  ASSERT_EQ(okt->wRecCnt, 3u);
  const HontimRaekke &h = *reinterpret_cast<HontimRaekke *>(GetRec(&tdhontim, okt, 1));
  EXPECT_EQ(+h.hontity_id, hontity);
  EXPECT_EQ(+h.anfo_id, s.a1);
  EXPECT_EQ(+h.Dato, 20241003u);
  EXPECT_EQ(+h.Enheder, 300);
  EXPECT_EQ(+h.mnddag, 3);
  EXPECT_EQ(+h.Status, 96);
  EXPECT_EQ(+reinterpret_cast<HontimRaekke *>(GetRec(&tdhontim, okt, 2))->hontity_id, 0u);
  // Without 'T' lines every month is left empty.
  ASSERT_EQ(Laes("@hontim\nM2001\n"), 1);
  for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i)
    EXPECT_EQ(HontimBucket(IndeksTilMaaned(i))->wRecCnt, 0u);
}

// ---- primotal ----

class Primotal : public TidImport {};

TEST_F(Primotal, OnlyLinesWithBothKeysAndFourFieldsAddRecords) {
  ASSERT_EQ(Laes("@primotal\n71,2001;20240801,150\n0;2001;20240801;150\n71;0;20240801;1\n71;2001;20240801\n"
                 "71;4242;20240801;1\n"),
            1);
  ASSERT_EQ(tvprimotal.wRecCnt, 2u);
  EXPECT_EQ(+Rec<PrimotalRec>(tdprimotal, tvprimotal, 1).Enheder, 150);
}

}  // namespace
