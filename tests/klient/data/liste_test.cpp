#include <gtest/gtest.h>

#include <cstring>

#include "DATO.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LISTETAL.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "SIDEFIL.h"
#include "TALTAB.h"
#include "pred_tabeller.h"

namespace {

// A small school over two calendar years: the current date is Tuesday
// 15 October 2024 (week 42), and the lesson view shows Monday to Friday,
// lessons 1 to 10.
class ListeTal : public ::testing::Test {
 protected:
  VisningsTilstandRec gemt[kAntalVisninger];

  void SetUp() override {
    predtest::TommeTabeller();
    TomSkemabeg();
    TomTimoak();
    InitPeriode(20240101, 20251231, 20240101);
    SaetAktuelDato(20241015);
    StandardIndstillinger();
    GlobalIndstillinger.anfosumperaar = 1;  // statement period: the calendar year
    memcpy(gemt, VisningsTilstand, sizeof gemt);
    VisningsTilstand[VISNING_LEKTION] = {1, 10, 6, 0, 1, 5};
  }
  void TearDown() override {
    memcpy(VisningsTilstand, gemt, sizeof gemt);
    FreeAlleTalTabeller();
    FreeAnfoAktiGrund(&AnfoAktiGrund);
    TomSkemabeg();
    TomTimoak();
    predtest::FrigivAlle();
    StandardIndstillinger();
  }

  uint32_t NyRolle(const char *rolle, char timeposter = 'J') {
    SkemarolRec r{};
    r.id = 100 + tvskemarol.wRecCnt;
    predtest::Tekst(r.Rolle, rolle);
    r.Status = 10;
    r.Genererer_timeposter = timeposter;
    return predtest::Ny(tdskemarol, tvskemarol, r);
  }
  uint32_t NyAnfo(uint32_t meda = 0) {
    AnfoRec f{};
    f.id = 6000 + tvanfo.wRecCnt;
    f.meda_id = meda;
    f.Status = 10;
    return predtest::Ny(tdanfo, tvanfo, f);
  }
  uint32_t NyAkti(const char *navn, const char *type = "UV") {
    AktiRec a{};
    a.id = 1000 + tvakti.wRecCnt;
    predtest::Tekst(a.Aktivitet, navn);
    predtest::Tekst(a.Type, type);
    a.Status = 10;
    a.Aflyst = 'N';
    return predtest::Ny(tdakti, tvakti, a);
  }
  uint32_t NyLoka() {
    LokaRec l{};
    l.id = 7000 + tvloka.wRecCnt;
    l.Status = 10;
    return predtest::Ny(tdloka, tvloka, l);
  }

  struct Del {
    uint32_t akti, anfo, rol, loka;
  };
  // One event of the given participants; its first row number.
  uint32_t NyBeg(Uge uge, uint8_t dag, uint8_t lektion, Klokkeslaet start, Klokkeslaet slut, float std,
                 std::initializer_list<Del> dele, uint32_t status = SKE_EGEN) {
    TabVar *b = SkemabegBucket(uge);
    uint32_t forste = 0;
    for (const Del &d : dele) {
      b->FoersteLedige = b->wRecCnt;
      const uint32_t n = NewRec(&tdske, b);
      SkeRec *s = reinterpret_cast<SkeRec *>(GetRec(&tdske, b, n));
      if (!forste) forste = n;
      s->id = 900000 + forste;
      s->Status = status;
      s->akti_id = d.akti;
      s->anfo_id = d.anfo;
      s->skemarol_id = d.rol;
      s->loka_id = d.loka;
      s->Dag = dag;
      s->Lektion = lektion;
      s->Starttid = start;
      s->Sluttid = slut;
      s->Antal_std_lektioner = std;
      s->Forste = forste;
    }
    return forste;
  }
};

TEST_F(ListeTal, PeriodKinds) {
  const UgeIndeks w = UgeTilIndeks(202442);
  struct {
    int art;
    uint8_t ugedag;
    Dato nedre, oevre, fra, til;
    uint32_t celler;
  } tabel[] = {
      {TALPER_UGE, 0, 20240101, 20251231, 20241014, 20241020, 50},
      {TALPER_UGE, 2, 20240101, 20251231, 20241014, 20241020, 10},
      {TALPER_UGE, 0, 20241016, 20241018, 20241016, 20241018, 50},  // cut to the bounds
      {TALPER_AKK, 0, 20240801, 20251231, 20240801, 20241020, 50},
      {TALPER_DAG, 2, 20240801, 20251231, 20240801, 20241015, 6},
      {TALPER_IALT, 0, 20240801, 20250731, 20240801, 20250731, 50},
      {TALPER_FOER, 0, 20240801, 20251231, 20240801, 20241013, 0},
      {TALPER_EFTER, 0, 20240801, 20250731, 20241014, 20250731, 0},
      {TALPER_PERIODE, 0, 20240801, 20250731, 20240801, 20250731, 50},
  };
  for (const auto &t : tabel) {
    VisningsTilstand[VISNING_LEKTION].Ugedag = t.ugedag;
    TalPeriodeRec p{};
    TalPeriode(0, t.art, w, t.nedre, t.oevre, &p);
    EXPECT_EQ(p.Fra, t.fra) << t.art;
    EXPECT_EQ(p.Til, t.til) << t.art;
    EXPECT_EQ(p.CellerPrDag, t.celler) << t.art;
    EXPECT_EQ(p.FraIdx, UgeTilIndeks([&] { Uge u; DatoTilUge(t.fra, &u, nullptr); return u; }()));
  }
  TalPeriodeRec p{};
  TalPeriode(0, TALPER_IALT, w, 20231201, 20260110, &p);
  EXPECT_EQ(p.FraIdx, 0u);
  EXPECT_EQ(p.TilIdx, SkemaPeriode.AntalUger + 1);
}

TEST_F(ListeTal, WeekLessonsOfTeachingRows) {
  const uint32_t u = NyRolle("U1"), ak = NyRolle("ak"), s = NyRolle("S"), v = NyRolle("V");
  const uint32_t f = NyAnfo(), anden = NyAnfo();
  const UgeIndeks w = UgeTilIndeks(202442);
  EXPECT_EQ(AnfoUgeLektioner(0, f, w), 0);  // a week without rows

  NyBeg(202442, 1, 1, 800, 845, 1.5f, {{0, f, u, 0}});
  NyBeg(202442, 2, 1, 800, 845, 0.0f, {{0, f, ak, 0}});            // no value: one lesson
  NyBeg(202442, 3, 1, 800, 845, 2.0f, {{0, f, s, 0}});             // not teaching
  NyBeg(202442, 4, 1, 800, 845, 2.0f, {{0, anden, u, 0}});         // someone else
  NyBeg(202442, 5, 1, 800, 845, 2.0f, {{0, f, v, 0}}, SKE_EGEN | SKE_SLETTET);
  NyBeg(202443, 1, 1, 800, 845, 2.0f, {{0, f, v, 0}});             // next week
  EXPECT_EQ(AnfoUgeLektioner(0, f, w), 2500);
  EXPECT_EQ(AnfoUgeLektioner(0, f, w + 1), 2000);
  EXPECT_EQ(AnfoUgeLektioner(0, f, 0), 0);
  EXPECT_EQ(AnfoUgeLektioner(0, f, SkemaPeriode.AntalUger + 1), 0);
}

TEST_F(ListeTal, ThreeWeekHours) {
  const uint32_t u = NyRolle("U"), s = NyRolle("S");
  const uint32_t f = NyAnfo();
  NyBeg(202439, 1, 1, 800, 1000, 1, {{0, f, u, 0}});  // w - 3: outside
  NyBeg(202440, 1, 1, 800, 845, 1, {{0, f, u, 0}});
  NyBeg(202441, 1, 1, 800, 1000, 1, {{0, f, s, 0}});  // not teaching
  NyBeg(202442, 3, 2, 900, 1030, 1, {{0, f, u, 0}});
  float t = -1;
  EXPECT_TRUE(AnfoTreUgerTimer(0, f, UgeTilIndeks(202442), &t));
  EXPECT_FLOAT_EQ(t, 135.0f / 60.0f);
  t = -1;
  EXPECT_FALSE(AnfoTreUgerTimer(0, f, 1, &t));  // below week 2: no value
  EXPECT_FALSE(AnfoTreUgerTimer(0, f, 0, &t));
  EXPECT_EQ(t, -1);
  EXPECT_TRUE(AnfoTreUgerTimer(0, f, 2, &t));
  EXPECT_EQ(t, 0);
}

TEST_F(ListeTal, RoomOccupationCountsASlotOnce) {
  const uint32_t rum = NyLoka(), andet = NyLoka();
  const Uge uge = 202442;
  NyBeg(uge, 2, 3, 900, 945, 0.0f, {{0, 0, 0, rum}});               // 1.0
  NyBeg(uge, 2, 3, 900, 945, 2.0f, {{0, 0, 0, rum}});               // same slot
  NyBeg(uge, 2, 4, 950, 1035, 1.5f, {{0, 0, 0, rum}, {0, 0, 0, andet}});
  NyBeg(uge, 3, 4, 950, 1035, 1.0f, {{0, 0, 0, rum}}, SKE_EGEN | SKE_SLETTET);
  NyBeg(uge, 6, 2, 900, 945, 1.0f, {{0, 0, 0, rum}});               // Saturday, lesson 2
  NyBeg(uge, 7, 9, 900, 945, 1.0f, {{0, 0, 0, rum}});               // Sunday, lesson 9
  NyBeg(uge, 7, 12, 900, 945, 1.0f, {{0, 0, 0, rum}});              // past the lessons shown
  EXPECT_EQ(LokaBelaegning(0, rum, TALPER_UGE), 6);  // whole week: 50 cells a day, all count: 5.5
  EXPECT_EQ(LokaBelaegning(0, andet, TALPER_UGE), 2);  // 1.5
  VisningsTilstand[VISNING_LEKTION].Ugedag = 2;  // one day shown: 10 lessons a day
  EXPECT_EQ(LokaBelaegning(0, rum, TALPER_UGE), 5);  // lesson 12 left out: 4.5
  VisningsTilstand[VISNING_LEKTION].SidsteSlot = 8;
  EXPECT_EQ(LokaBelaegning(0, rum, TALPER_UGE), 4);  // and now lesson 9 too: 3.5
  GlobalIndstillinger.standardlektion = 1;
  GlobalIndstillinger.standardlektionslengde = 15;
  EXPECT_EQ(LokaBelaegning(0, rum, TALPER_UGE), 6);  // 45 / 15 in place of 1.0: 5.5

  // A row without a lesson number takes the lesson of its start time in
  // the default ring system: lesson 3 on Tuesday, held already.
  GlobalIndstillinger.standardlektion = 0;
  RisyRec ring{};
  ring.Status = 10;
  for (int i = 0; i < 10; ++i) {
    ring.Starttid[i] = 800 + i * 50;  // 0800, 0850, 0940 ...
    ring.Sluttid[i] = 845 + i * 50;
  }
  ring.Starttid[2] = 900;
  GlobalIndstillinger.standardRingSystem = predtest::Ny(tdrisy, tvrisy, ring);
  NyBeg(uge, 2, 0, 910, 945, 3.0f, {{0, 0, 0, rum}});
  EXPECT_EQ(LokaBelaegning(0, rum, TALPER_UGE), 4);
  NyBeg(uge, 1, 0, 1300, 1345, 3.0f, {{0, 0, 0, rum}});  // in no lesson: its own slot
  EXPECT_EQ(LokaBelaegning(0, rum, TALPER_UGE), 7);

  // The room's figures of one event, with its role.
  const uint32_t forste = NyBeg(202450, 1, 1, 800, 845, 2.0f, {{0, 0, 0, rum}, {0, 0, 0, andet}});
  TabVar *b = SkemabegBucket(202450);
  ASSERT_NE(b, nullptr);
  reinterpret_cast<SkeRec *>(GetRec(&tdske, b, forste))->lokrolle_id = 4;
  int32_t lek = 0;
  RolleTalListe roller{};
  EXPECT_TRUE(SkemabegObjektTal(202450 / 100 - SkemaPeriode.BaseAar, 50, forste + 1, 'L', rum, nullptr, &lek,
                                nullptr, &roller, false));
  EXPECT_EQ(lek, 2000);
  ASSERT_EQ(roller.Antal, 1u);
  EXPECT_EQ(roller.Post[0].rolle, 4u);
  EXPECT_EQ(roller.Post[0].Lektioner, 2000);

  AllokerLokaTalTab();
  LokaSumTab[static_cast<size_t>(rum) * TalDim.Y + IndeksTilAarOffset(SkemaPeriode.AktuelUgeIndeks)] = 2500;
  EXPECT_EQ(LokaBelaegning(0, rum, TALPER_IALT), 3);
  EXPECT_EQ(LokaBelaegning(0, 999, TALPER_IALT), 0);
}

TEST_F(ListeTal, EmploymentAndActivityFiguresOfTheWeek) {
  const uint32_t u = NyRolle("U"), nej = NyRolle("U", 'N');
  GlobalIndstillinger.taelmedabooking = 0;
  GlobalIndstillinger.taelaktibooking = 0;
  const uint32_t f = NyAnfo(), g = NyAnfo();
  const uint32_t hold = NyAkti("hold"), ovak = NyAkti("syg", "OVAK");
  const uint32_t rum = NyLoka();
  NyBeg(202442, 1, 1, 800, 930, 1.5f, {{hold, 0, 0, 0}, {0, f, u, 0}, {0, g, nej, 0}, {0, 0, 0, rum}});
  NyBeg(202442, 2, 1, 800, 845, 1.0f, {{ovak, 0, 0, 0}, {0, f, u, 0}});
  NyBeg(202441, 2, 1, 800, 845, 1.0f, {{hold, 0, 0, 0}, {0, f, u, 0}});  // the week before
  const UgeIndeks w = UgeTilIndeks(202442);

  float timer = 0;
  int32_t lek = 0;
  RolleTalListe roller{};
  ASSERT_TRUE(AnfoPeriodeTal(0, f, w, &timer, &lek, TALPER_UGE, &roller));
  EXPECT_EQ(lek, 2500);
  ASSERT_EQ(roller.Antal, 1u);
  EXPECT_EQ(roller.Post[0].rolle, u);
  EXPECT_EQ(roller.Post[0].Lektioner, 2500);
  lek = 0;
  ASSERT_TRUE(AnfoPeriodeTal(0, g, w, &timer, &lek, TALPER_UGE));
  EXPECT_EQ(lek, 0);  // its role makes no time postings
  GlobalIndstillinger.taelmedabooking = 1;
  ASSERT_TRUE(AnfoPeriodeTal(0, g, w, &timer, &lek, TALPER_UGE));
  EXPECT_EQ(lek, 1500);

  // The activity: two teachers on 1.5 lessons; the absence activity gives
  // pupil lessons only.
  SaetAktuelDato(20241018);
  AktiRec *a = TabRec<AktiRec>(tvakti, hold);
  a->Fradato = 20240101;
  a->Tildato = 20251231;
  float post = 0, beg = 0;
  int32_t laerer = 0, elev = 0;
  AktiPeriodeTal(0, hold, &post, &beg, &laerer, &elev, TALPER_UGE);
  EXPECT_EQ(elev, 1500);
  EXPECT_EQ(laerer, 3000);
  EXPECT_EQ(post, 0);
  laerer = elev = 0;
  AktiPeriodeTal(0, ovak, &post, &beg, &laerer, &elev, TALPER_UGE);
  EXPECT_EQ(elev, 0);
  EXPECT_EQ(laerer, 0);
  laerer = elev = 0;
  AktiPeriodeTal(0, hold, &post, &beg, &laerer, &elev, TALPER_AKK);  // from the activity's start
  EXPECT_EQ(elev, 2500);
  EXPECT_EQ(laerer, 4000);
  AktiPeriodeTal(0, 0, &post, &beg, &laerer, &elev, TALPER_UGE);
  AktiPeriodeTal(0, 999, &post, &beg, &laerer, &elev, TALPER_UGE);
  EXPECT_EQ(elev, 2500);

  // A statement period outside the schedule period gives no figures.
  InitPeriode(20240301, 20251231, 20240301);
  SaetAktuelDato(20241018);
  EXPECT_FALSE(AnfoPeriodeTal(0, f, w, &timer, &lek, TALPER_UGE));
}

TEST_F(ListeTal, EventFiguresOfOneObject) {
  GlobalIndstillinger.taelmedabooking = 0;
  const uint32_t ja = NyRolle("U"), nej = NyRolle("U", 'N');
  const uint32_t f = NyAnfo(), g = NyAnfo();
  const uint32_t stjerne = NyAkti("*fri"), ovak = NyAkti("syg", "OVAK"), hold = NyAkti("hold");
  const Uge uge = 202442;
  const uint8_t aar = static_cast<uint8_t>(uge / 100 - SkemaPeriode.BaseAar);
  const uint32_t e1 = NyBeg(uge, 1, 1, 800, 845, 2.0f, {{stjerne, 0, 0, 0}, {0, f, nej, 0}, {0, g, ja, 0}});
  const uint32_t e2 = NyBeg(uge, 2, 1, 800, 845, 1.0f, {{ovak, 0, 0, 0}, {0, f, ja, 0}});
  const uint32_t e3 = NyBeg(uge, 3, 1, 800, 845, 1.0f, {{hold, 0, 0, 0}, {0, f, ja, 0}, {0, g, ja, 0}});

  // A star activity: its employments count by the star setting alone.
  struct {
    uint8_t stjerneMeda;
    uint32_t anfo;
    int32_t lek;
  } tabel[] = {{1, f, 2000}, {1, g, 2000}, {0, f, 0}, {0, g, 0}};
  for (const auto &t : tabel) {
    GlobalIndstillinger.taelstjernemeda = t.stjerneMeda;
    int32_t lek = 0;
    SkemabegObjektTal(aar, 42, e1, 'M', t.anfo, nullptr, &lek, nullptr, nullptr, false);
    EXPECT_EQ(lek, t.lek) << int(t.stjerneMeda) << " " << t.anfo;
  }

  // An absence activity counts its lessons only with the flag, never
  // teacher lessons.
  int32_t lek = 0, laerer = 0;
  SkemabegObjektTal(aar, 42, e2, 'K', ovak, nullptr, &lek, &laerer, nullptr, false);
  EXPECT_EQ(lek, 0);
  SkemabegObjektTal(aar, 42, e2, 'K', ovak, nullptr, &lek, &laerer, nullptr, true);
  EXPECT_EQ(lek, 1000);
  EXPECT_EQ(laerer, 0);

  // Two teachers: the pupil lesson once, teacher lessons twice, and each
  // employment's role line.
  lek = laerer = 0;
  RolleTalListe roller{};
  SkemabegObjektTal(aar, 42, e3 + 2, 'K', hold, nullptr, &lek, &laerer, &roller, true);
  EXPECT_EQ(lek, 1000);
  EXPECT_EQ(laerer, 2000);
  ASSERT_EQ(roller.Antal, 1u);  // both on the same role
  EXPECT_EQ(roller.Post[0].rolle, ja);
  EXPECT_EQ(roller.Post[0].Lektioner, 2000);
}

TEST_F(ListeTal, PostingHoursWorkingTimeAndOpeningValues) {
  const uint32_t meda = predtest::Ny(tdmeda, tvmeda, MedaRec{});
  const uint32_t f = NyAnfo(meda), g = NyAnfo(meda);
  const uint32_t plus = NyAkti("+fri");
  auto post = [](uint32_t anfo, char type, uint32_t akti, Dato dato, int32_t timer, uint8_t status = 0x40) {
    TabVar *b = TimoakBucket(dato / 100);
    b->FoersteLedige = b->wRecCnt;
    const uint32_t n = NewRec(&tdtimoak, b);
    TimoakRaekke *t = reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, n));
    t->Status = status;
    t->Type = type;
    t->akti_id = akti;
    t->anfo_id = anfo;
    t->Dato = dato;
    t->Timer = timer;
  };
  post(f, 'k', 0, 20240301, 150);
  post(f, 'F', plus, 20241231, 250);
  post(f, 'k', 0, 20240301, 1000, 0x48);  // deleted
  post(g, 'k', 0, 20240301, 1000);
  post(f, 'k', 0, 20250105, 1000);        // next year
  const UgeIndeks w = UgeTilIndeks(202442);
  float h = 0;
  AnfoPostTimer(0, f, w, &h, TALPER_PERIODE);
  EXPECT_FLOAT_EQ(h, 4.0f);

  auto arb = [&](Dato dato, uint32_t bidrag, uint8_t status) {
    ArbejdstidRec a{};
    a.meda_id = meda;
    a.Dato = dato;
    a.Bidrag = bidrag;
    a.Status = status;
    predtest::Ny(tdarbejdstid, tvarbejdstid, a);
  };
  arb(20240210, 100, 10);
  arb(20241001, 50, 29);
  arb(20241002, 500, 40);  // deleted version
  arb(20250102, 500, 10);  // next year
  EXPECT_EQ(AnfoArbejdstidBidrag(0, f, w, TALPER_PERIODE), 2000);  // 150 minutes: 2 whole hours
  EXPECT_EQ(AnfoArbejdstidBidrag(0, NyAnfo(), w, TALPER_PERIODE), 0);
}

TEST_F(ListeTal, AbsenceBalancesFromOpeningValuesAndMonthFigures) {
  const uint32_t f = NyAnfo(), anden = NyAnfo();
  auto hontity = [](const char *type) {
    HontityRec h{};
    memcpy(h.timetype, type, strlen(type));
    h.Status = 10;
    return predtest::Ny(tdhontity, tvhontity, h);
  };
  const uint32_t aa = hontity("AA"), o = hontity("O");
  auto primo = [](uint32_t ht, uint32_t anfo, Dato dato, int32_t enh) {
    PrimotalRec p{};
    p.hontity_id = ht;
    p.anfo_id = anfo;
    p.Dato = dato;
    p.Enheder = enh;
    p.Status = 10;
    predtest::Ny(tdprimotal, tvprimotal, p);
  };
  primo(aa, anden, 20241231, 999);
  primo(aa, f, 20241130, 111);
  primo(aa, f, 20241231, 220);
  primo(o, f, 20230101, 30);
  primo(o, f, 20241231, 77);  // the first record decides
  struct {
    const char *kode;
    Dato dato;
    int32_t ud;
  } tabel[] = {{"AA", 20241231, 2200}, {"AA", 20241130, 1110}, {"AA", 20241201, 0}, {"O", 20991231, 300}, {"X", 20241231, 0}};
  for (const auto &t : tabel) EXPECT_EQ(PrimotalVaerdi(f, t.kode, t.dato), t.ud) << t.kode << t.dato;

  AllokerMedTal();
  MedTalMaaned *mt = MedTalFor(f);
  ASSERT_NE(mt, nullptr);
  mt[MaanedTilIndeks(202412)][16] = 4200;
  mt[MaanedTilIndeks(202403)][18] = 2000;
  mt[MaanedTilIndeks(202403)][17] = 500;
  mt[MaanedTilIndeks(202501)][15] = 1000;
  mt[MaanedTilIndeks(202502)][15] = 1499;
  mt[MaanedTilIndeks(202501)][17] = 700;
  mt[MaanedTilIndeks(202501)][19] = 1500;
  mt[MaanedTilIndeks(202512)][19] = 1000;
  mt[MaanedTilIndeks(202412)][19] = 9000;  // the year before
  mt[MaanedTilIndeks(202505)][20] = -1500;

  // A statement period from January: the opening is that of 31 December.
  const UgeIndeks w = UgeTilIndeks(202503);
  int32_t p = -9, i = -9;
  ASSERT_TRUE(AnfoFravaerSaldo(0, f, w, &p, &i, 1));
  EXPECT_EQ(p, 4);  // inside the period: December's figure replaces the opening value
  EXPECT_EQ(i, 2);
  ASSERT_TRUE(AnfoFravaerSaldo(0, f, w, &p, &i, 2));
  EXPECT_EQ(p, 2);  // 300 + 2000 - 500
  EXPECT_EQ(i, 1);
  int32_t s = 0;
  ASSERT_TRUE(AnfoMedTalAarSum(0, f, w, &s, 1));
  EXPECT_EQ(s, 3);
  ASSERT_TRUE(AnfoMedTalAarSum(0, f, w, &s, 2));
  EXPECT_EQ(s, -2);
  EXPECT_FALSE(AnfoFravaerSaldo(0, NyAnfo(), w, &p, &i, 1));  // no monthly figures

  // A period from January 2025: 31 December lies before it, the stored
  // opening value of that date is used.
  InitPeriode(20250101, 20251231, 20250101);
  SaetAktuelDato(20250115);
  AllokerMedTal();
  ASSERT_TRUE(AnfoFravaerSaldo(0, f, UgeTilIndeks(202503), &p, &i, 1));
  EXPECT_EQ(p, 2);  // 2200
  EXPECT_EQ(i, 0);
}

}  // namespace
