// The plan's texts: the number format, the header texts of the three
// column areas, the row captions with their group prefix, and the sort keys
// that order the rows of each view.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "PLANCSV.h"
#include "PLANTEKST.h"
#include "SORTIDX.h"
#include "plan_fixtur.h"
#include "tavo/test_gdi.h"

using namespace plantest;

namespace {

TEST(PlanTeksterTal, TheNumberFormatByCase) {
  struct Time {
    double v;
    uint8_t d;
    uint32_t skala;
    const char *tekst;
    uint32_t skrift;
  };
  const Time timer[] = {
      {12.345, 2, 100, "12,35", PLAN_SKRIFT_SMAL}, {0.05, 2, 100, "0,05", PLAN_SKRIFT_SMAL},
      {-2.5, 2, 100, "-2,50", PLAN_SKRIFT_SMAL},   {-0.05, 2, 100, "-0,05", PLAN_SKRIFT_SMAL},
      {-12.0, 1, 100, "-12,0", PLAN_SKRIFT_SMAL},  {7.5, 0, 100, " 8", 0},
      {-7.5, 0, 100, "-8", 0},                     {99.4, 0, 100, "99", 0},
      {100.0, 0, 100, "100", PLAN_SKRIFT_SMAL},    {999.0, 0, 1000, "999", 0},
  };
  char tekst[kPlanTekstLen];
  for (const Time &t : timer) {
    SCOPED_TRACE(testing::Message() << t.v << " with " << int(t.d) << " decimals");
    EXPECT_EQ(PlanTimeTekst(t.v, t.d, t.skala, tekst), t.skrift);
    EXPECT_STREQ(tekst, t.tekst);
  }
  struct Lektion {
    int32_t tiendedele;
    bool decimal;
    uint32_t skala;
    const char *tekst;
    uint32_t skrift;
  };
  const Lektion lektioner[] = {
      {35, true, 100, "3,5", PLAN_SKRIFT_SMAL}, {35, false, 1000, " 4", 0}, {30, true, 100, " 3", 0},
      {0, true, 100, "", 0},                    {-20, true, 100, "", 0},   {995, true, 100, "99,5", PLAN_SKRIFT_SMAL},
      {995, false, 100, "100", PLAN_SKRIFT_SMAL}, {9990, false, 1000, "999", 0},
      {10000, false, 1000, "1000", PLAN_SKRIFT_SMAL},
  };
  for (const Lektion &l : lektioner) {
    SCOPED_TRACE(testing::Message() << l.tiendedele << " tenths, decimal " << l.decimal << ", scale " << l.skala);
    EXPECT_EQ(PlanLektionTekst(l.tiendedele, l.decimal, l.skala, tekst), l.skrift);
    EXPECT_STREQ(tekst, l.tekst);
  }
}

class PlanTekster : public PlanFixtur {
 protected:
  uint32_t akti = 0, fag = 0, anfo = 0;
  uint32_t g2 = 0, g3 = 0;
  void SetUp() override {
    PlanFixtur::SetUp();
    NyPeriode(gruppe, 202431, 202452);
    NyPeriode(gruppe, 202501, 202531, 1);
    g2 = NyGruppe("Slettet", kEgen, 20240801, 20250731, 72);
    g3 = NyGruppe("Anden", kAnden, 20240801, 20250731);
    Grupper({gruppe, g2, g3});
    VaelgGruppe(gruppe);
    akti = NyAkti("3a Ma", "Matematik");
    fag = NySkfa("MA", 'A', "Matematik");
    anfo = NyAnfo("ABC", "1", "Anne Berg");
  }
};

TEST_F(PlanTekster, CellsOfEachKindInLessonAndHourMode) {
  Kolonner({{31}, {32, 1}, {33, 0, 202501}, {33, 0, 202502}, {32, 2}});
  const uint32_t hoved = Raekke(PLAN_AKTI, akti, 0, 0);
  const uint32_t fagR = Raekke(PLAN_FAG, akti, fag, anfo);
  const uint32_t timer = Raekke(PLAN_OPG_TIMER, akti, 0, anfo);
  T(hoved, 202501).Lektioner = 35;
  T(hoved, 202502).Lektioner = 1000;
  R(hoved).PerTab[1].Lektioner = 35;
  R(hoved).PerTab[2].Lektioner = 10000;
  R(hoved).SumLektioner = 35;
  T(fagR, 202501).Lektioner = 35;
  T(fagR, 202501).Timer1 = 2.5f;
  T(fagR, 202502).Rettearbejd = -2.5f;
  T(fagR, 202502).RetStatus = 4 | 128;
  T(timer, 202501).Timer = -0.05f;
  T(timer, 202501).PlanStatus = 5;
  struct Tilfaelde {
    const char *navn;
    uint32_t raekke, kolonne;
    uint32_t medaVisning;
    uint8_t visning, underVisning;
    const char *tekst;
    uint32_t skrift;
    uint8_t farve;  // 0: not overridden
  };
  const Tilfaelde tabel[] = {
      {"heading, week column, decimal", hoved, 3, 0, 'A', 0, "3,5", PLAN_SKRIFT_SMAL, 0},
      {"heading, period column, whole", hoved, 2, 0, 'A', 0, " 4", 0, 0},
      {"heading, group total", hoved, 1, 0, 'A', 0, " 4", 0, 0},
      {"heading, 100 in a week", hoved, 4, 0, 'A', 0, "100", PLAN_SKRIFT_SMAL, 0},
      {"heading, 1000 in a period", hoved, 5, 1, 'A', 0, "1000", PLAN_SKRIFT_SMAL, 0},
      {"subject row, lessons in view A", fagR, 3, 1, 'A', 0, "3,5", PLAN_SKRIFT_SMAL, 0},
      {"subject row, hours in view M", fagR, 3, 1, 'M', 0, "2,50", PLAN_SKRIFT_SMAL, 0},
      {"subject row, nothing planned", fagR, 4, 0, 'A', 0, "", 0, 0},
      {"subject row, negative marking work", fagR, 4, 1, 'A', 1, "-2,50", PLAN_SKRIFT_SMAL, 10},
      {"subject row, marking work in lesson mode", fagR, 4, 0, 'A', 1, "", 0, 0},
      {"hours row, negative", timer, 3, 1, 'O', 0, "-0,05", PLAN_SKRIFT_SMAL | PLAN_SKRIFT_FED, 0},
      {"hours row, lesson mode", timer, 3, 0, 'O', 0, "", 0, 0},
      {"hours row, empty week", timer, 4, 1, 'O', 0, "", 0, 0},
  };
  char tekst[kPlanTekstLen];
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    plan.MedaVisning = t.medaVisning;
    plan.Visning = t.visning;
    plan.UnderVisning = t.underVisning;
    plan.DetaljeNiveau = 2;
    uint8_t farve = 0;
    EXPECT_EQ(PlanCelleTekst(&plan, t.kolonne, t.raekke, tekst, &farve), t.skrift);
    EXPECT_STREQ(tekst, t.tekst);
    EXPECT_EQ(farve, t.farve);
  }
  // A row of another group has no group total.
  plan.MedaVisning = 0;
  plan.UnderVisning = 0;
  R(hoved).ffpg_id = g3;
  PlanCelleTekst(&plan, 1, hoved, tekst, nullptr);
  EXPECT_STREQ(tekst, "");
}

TEST_F(PlanTekster, SummaryTexts) {
  Hoejre({40, 41, 42, 43, 45, 49});
  const uint32_t r = Raekke(PLAN_FAG, akti, fag, anfo);
  R(r).SumLektioner = 125;
  R(r).SumTimer1 = 7.5f;
  R(r).Budget = 0x40000000u | 10;
  R(r).SkemaTimerIalt = 15400;
  R(r).MaxLektioner = 290;
  struct Tilfaelde {
    uint32_t kolonne, medaVisning;
    const char *tekst;
    uint8_t farve;
  };
  const Tilfaelde tabel[] = {
      {1, 0, "29", 8},     {2, 0, "13", 0},    {3, 0, "10", 0}, {4, 0, "3", 8},
      {4, 1, "-2,50", 0},  {5, 0, "15", 0},    {6, 0, "2", 8},  {6, 1, "", 0},
  };
  char tekst[kPlanTekstLen];
  plan.DetaljeNiveau = 2;
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(testing::Message() << "column " << t.kolonne << " hour mode " << t.medaVisning);
    plan.MedaVisning = t.medaVisning;
    uint8_t farve = 0;
    PlanSumTekst(&plan, t.kolonne, r, tekst, &farve);
    EXPECT_STREQ(tekst, t.tekst);
    EXPECT_EQ(farve, t.farve);
  }
  // The plan sum asks for the narrow font in hour mode only.
  plan.MedaVisning = 1;
  EXPECT_EQ(PlanSumTekst(&plan, 2, r, tekst, nullptr), 1u);
  EXPECT_STREQ(tekst, "7,50");
}

TEST_F(PlanTekster, HeaderTextsOfEveryColumnKind) {
  Kolonner({{31}, {32, 2}, {33, 0, 202501}, {33, 0, 202502}, {32, 1}, {33, 0, 202431}, {33, 0, 202432}, {36}});
  Venstre({21, 22, 23, 24, 25, 26, 273});
  Hoejre({40, 41, 42, 43, 44, 45, 46, 47, 48, 49});
  char tekst[kPlanTekstLen];
  const char *uger[] = {"31-\n31 ", "01-\n31 ", "25\n01", "02", "31-\n52 ", "24\n31", "32", "Elevtid"};
  for (uint32_t k = 1; k <= 8; ++k) {
    PlanXOverskrift(&plan, k, tekst);
    EXPECT_STREQ(tekst, uger[k - 1]) << "column " << k;
  }
  const char *venstre[] = {"", "Aktiviteter", "M1", "M2", "Bud", "Blok", "Pom"};
  for (uint32_t k = 1; k <= 7; ++k) {
    PlanLXOverskrift(&plan, k, tekst);
    EXPECT_STREQ(tekst, venstre[k - 1]) << "column " << k;
  }
  for (auto [visning, navn] : {std::pair{'M', "Medarbejdere"}, std::pair{'O', "Øvrig aktiviteter"}}) {
    plan.Visning = static_cast<uint8_t>(visning);
    PlanLXOverskrift(&plan, 2, tekst);
    EXPECT_STREQ(tekst, navn);
  }
  const char *hoejre[] = {"M\nA\nX", "Sum\nPlan", "Bud", "Bud\nDif", "Res", "Skema", "Sum\nLæst", "Sum\nPlan\nOpg",
                          "Over/\nunder", "Plan\nDif"};
  for (uint32_t k = 1; k <= 10; ++k) {
    PlanRXOverskrift(&plan, k, tekst);
    EXPECT_STREQ(tekst, hoejre[k - 1]) << "column " << k;
  }
  // Without a current group the total column is "Per"; a column past the
  // area is empty.
  VaelgGruppe(0);
  PlanXOverskrift(&plan, 1, tekst);
  EXPECT_STREQ(tekst, "Per");
  PlanXOverskrift(&plan, 9, tekst);
  EXPECT_STREQ(tekst, "");
}

TEST_F(PlanTekster, CaptionsByRowKindWithTheGroupPrefix) {
  struct Tilfaelde {
    uint32_t art;
    uint32_t gruppe;  // 0: the current one
    uint8_t ejer;
    const char *akti;  // PlanAktiTekst, null: none
    const char *anfo;  // PlanAnfoTekst, null: none
  };
  const Tilfaelde tabel[] = {
      {PLAN_AKTI, 0, kEgen, "3a Ma, Matematik", nullptr},
      {PLAN_OPG_AKTI, 0, kEgen, "3a Ma, Matematik", nullptr},
      {PLAN_FAG, 0, kEgen, nullptr, "   MA    Matematik  - 3a Ma       "},
      {PLAN_FAG, g3, kEgen, nullptr, " 3-MA    Matematik  - 3a Ma       "},
      {PLAN_FREMMED_FAG, 0, kAnden, nullptr, "   MA    Matematik  - 3a Ma        (Frem 3)"},
      {PLAN_MEDA, 0, kEgen, nullptr, "ABC , Anne Berg"},
      {PLAN_OPG_TIMER, 0, kEgen, "   3a Ma, Matematik", "   ABC, 1, Anne Berg"},
      {PLAN_OPG_TIMER, g2, kEgen, "   3a Ma, Matematik", "   ABC, 1, Anne Berg"},  // deleted: position 0
      {PLAN_POST, g3, kEgen, "   3a Ma, Matematik,(Vippet)", "   ABC, 1 (Vippet)"},
      {PLAN_FREMMED_OPG_TIMER, g3, kAnden, " 3-3a Ma, Matematik,(Frem 3)", " 3-ABC, 1 (Frem 3)"},
      {PLAN_SKEMA, 0, kEgen, nullptr, "Fra Skema"},
  };
  char tekst[kPlanTekstLen];
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(testing::Message() << "kind " << t.art << " group " << t.gruppe);
    const uint32_t r = Raekke(t.art, akti, fag, anfo, 0, t.ejer, t.gruppe);
    EXPECT_EQ(PlanAktiTekst(&plan, r, tekst), t.akti != nullptr);
    EXPECT_STREQ(tekst, t.akti ? t.akti : "");
    EXPECT_EQ(PlanAnfoTekst(&plan, r, tekst), t.anfo != nullptr);
    EXPECT_STREQ(tekst, t.anfo ? t.anfo : "");
  }
  EXPECT_EQ(PlanGruppeNr(&plan, g3), 3u);
  EXPECT_EQ(PlanGruppeNr(&plan, g2), 0u);
  EXPECT_EQ(PlanGruppeNr(&plan, 99), 0u);

  // The subject as the view by activity lists it, with its duplicate.
  const uint32_t r = Raekke(PLAN_FAG, akti, fag, anfo);
  R(r).Dublet = 2;
  ASSERT_TRUE(PlanFagTekst(&plan, r, tekst));
  EXPECT_STREQ(tekst, "  MA    A Matematik       #2");
  // A missing record gives no text.
  const uint32_t uden = Raekke(PLAN_OPG_TIMER, 0, 0, 999);
  EXPECT_FALSE(PlanAktiTekst(&plan, uden, tekst));
  EXPECT_FALSE(PlanAnfoTekst(&plan, uden, tekst));
  EXPECT_STREQ(tekst, "");
}

TEST_F(PlanTekster, TheCaptionPaintersDrawTheSameTexts) {
  HDC skaerm = GetDC(0);
  HDC dc = CreateCompatibleDC(skaerm);
  HBITMAP bmp = CreateCompatibleBitmap(skaerm, 300, 40);
  ReleaseDC(0, skaerm);
  SelectObject(dc, bmp);
  EnsDC edc{dc, 255, 255};
  const uint32_t r = Raekke(PLAN_OPG_TIMER, akti, fag, anfo);
  tavo::test::ClearDrawnTexts();
  TegnAnfoTekst(&plan, &edc, r, 16, 10, 20);
  TegnAktiTekst(&plan, &edc, r, 16, 0, 0, 300, 20);
  const auto t = tavo::test::DrawnTexts();
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].text, "   ABC, 1, Anne Berg");
  EXPECT_EQ(t[0].x, 12);
  EXPECT_EQ(t[0].y, 22);
  EXPECT_EQ(t[1].text, "   3a Ma, Matematik");
  EXPECT_EQ(t[1].bk_mode, TRANSPARENT);
  DeleteDC(dc);
  DeleteObject(bmp);
}

// ---- Sort keys.

class PlanTeksterSort : public PlanFixtur {
 protected:
  std::vector<uint32_t> Sorteret(void (*sorter)(Plan *), std::initializer_list<uint32_t> raekker) {
    Orden(raekker);
    sorter(&plan);
    return std::vector<uint32_t>(plan.Ens.ObjTab + 1, plan.Ens.ObjTab + 1 + plan.Ens.ObjTabAntal);
  }
};

TEST_F(PlanTeksterSort, RowsInTheOrderOfEachView) {
  const uint32_t g2 = NyGruppe("Anden", kEgen, 20240801, 20250731);
  const uint32_t b = NyAkti("1b", "B"), a = NyAkti("1a", "A");
  const uint32_t ma = NySkfa("MA", 'A', "Mat"), mb = NySkfa("MA", 'B', "Mat B"), da = NySkfa("DA", 'A', "Dansk");
  const uint32_t bb = NyAnfo("BB", "1", "Bo"), aa1 = NyAnfo("AA", "1", "Ib"), aa2 = NyAnfo("AA", "2", "Ib");

  // View 'A': own rows first, then group, activity, kind, hidden, subject,
  // level and duplicate.
  const uint32_t r1 = Raekke(PLAN_FAG, b, ma, 0), r2 = Raekke(PLAN_AKTI, b, 0, 0);
  const uint32_t r3 = Raekke(PLAN_FREMMED_AKTI, a, 0, 0, 0, kAnden), r4 = Raekke(PLAN_AKTI, a, 0, 0);
  const uint32_t r5 = Raekke(PLAN_FAG, a, da, 0), r6 = Raekke(PLAN_FAG, a, da, 0);
  const uint32_t r7 = Raekke(PLAN_FAG, a, ma, 0), r8 = Raekke(PLAN_FAG, a, mb, 0);
  const uint32_t r9 = Raekke(PLAN_AKTI, a, 0, 0, 0, kEgen, g2);
  R(r6).Dublet = 1;
  R(r7).Skjult = 1;
  EXPECT_EQ(Sorteret(SorterPlanAktivitet, {r1, r2, r3, r4, r5, r6, r7, r8, r9}),
            (std::vector<uint32_t>{r4, r5, r6, r8, r7, r2, r1, r9, r3}));

  // View 'M': initials and number of the employment, the heading first,
  // hidden, subject, activity, kind, group.
  const uint32_t m1 = Raekke(PLAN_MEDA, 0, 0, bb), m2 = Raekke(PLAN_FAG, b, ma, bb);
  const uint32_t m3 = Raekke(PLAN_MEDA, 0, 0, aa1), m4 = Raekke(PLAN_OPG_TIMER, a, 0, aa1);
  const uint32_t m5 = Raekke(PLAN_FAG, b, ma, aa1), m6 = Raekke(PLAN_SKEMA, 0, 0, aa1);
  const uint32_t m7 = Raekke(PLAN_MEDA, 0, 0, aa2);
  EXPECT_EQ(Sorteret(SorterPlanMedarbejder, {m1, m2, m3, m4, m5, m6, m7}),
            (std::vector<uint32_t>{m3, m6, m4, m5, m7, m1, m2}));

  // View 'O': activity, the heading first, hidden, employee, kind.
  const uint32_t o1 = Raekke(PLAN_OPG_AKTI, b, 0, 0), o2 = Raekke(PLAN_OPG_TIMER, b, 0, bb);
  const uint32_t o3 = Raekke(PLAN_OPG_TIMER, b, 0, aa1), o4 = Raekke(PLAN_OPG_AKTI, a, 0, 0);
  const uint32_t o5 = Raekke(PLAN_POST, a, 0, aa1), o6 = Raekke(PLAN_OPG_TIMER, a, 0, aa1);
  EXPECT_EQ(Sorteret(SorterPlanOpgave, {o1, o2, o3, o4, o5, o6}), (std::vector<uint32_t>{o4, o6, o5, o1, o3, o2}));

  // The keys have their fixed lengths and layout.
  EXPECT_EQ(PlanAktivitetNoegle(&plan, r8), std::string("0000001") + "1a              " + "002" + "0" + "    MA" +
                                                "B" + "000" + std::string(1, '\0'));
  // A field that fills its record without a NUL and a number wider than
  // its places push the fields after them on; the key is cut at its length.
  const uint32_t lang = NyAkti("x", "L");
  memcpy(TabRec<AktiRec>(tvakti, lang)->Aktivitet, "ABCDEFGHIJKLMNOP", 16);
  const uint32_t r10 = Raekke(PLAN_FAG, lang, 0, 0);
  R(r10).ffpg_id = 12345678;
  R(r10).Dublet = 7;
  EXPECT_EQ(PlanAktivitetNoegle(&plan, r10), std::string("0") + "12345678" + "ABCDEFGHIJKLMNOP" + "002" + "0" +
                                                 "      " + std::string(1, '\0') + "00");
  EXPECT_EQ(PlanAktivitetNoegle(&plan, 0), std::string(38, '\0'));
  EXPECT_EQ(PlanMedarbejderNoegle(&plan, m5).size(), 43u);
  EXPECT_EQ(PlanMedarbejderNoegle(&plan, m5), std::string("AA   ") + "1   " + "1" + "0" + "    MA" + "1b              " +
                                                  "002" + "000001" + std::string(1, '\0'));
  EXPECT_EQ(PlanOpgaveNoegle(&plan, o5), std::string("1a              ") + "10" + "AA   " + "   1" + "      " +
                                             "015" + std::string(1, '\0'));
}

// The view by activity sorts by numbers that stand for its text keys; the
// order must be the one the text keys give, rows with equal keys (a display
// copy and its source, rows that differ only in their employee) included,
// and where a field outgrows its places the text keys decide.
TEST_F(PlanTeksterSort, TheViewByActivityOrdersAsItsTextKeys) {
  const uint32_t g2 = NyGruppe("Anden", kEgen, 20240801, 20250731);
  const uint32_t lang = NyAkti("x", "L");
  memcpy(TabRec<AktiRec>(tvakti, lang)->Aktivitet, "ABCDEFGHIJKLMNOP", 16);
  const uint32_t akter[] = {NyAkti("1a", "A"), NyAkti("1a", "B"), lang, NyAkti("\x01x", "C"), NyAkti("\xe6g", "D"),
                            NyAkti("1a ", "E"), 0, 99999};
  const uint32_t seks = NySkfa("x", 'A', "Seks");
  memcpy(TabRec<SkfaRec>(tvskfa, seks)->Skolefag, "ABCDEF", 6);
  const uint32_t fag[] = {NySkfa("MA", 'A', "Mat"), NySkfa("MA", 'B', "Mat B"), NySkfa("MA", '\0', "Mat 0"),
                          NySkfa("\xf8", 'A', "Oe"), seks, 0, 99999};
  const uint32_t arter[] = {PLAN_AKTI, PLAN_FAG, PLAN_FREMMED_AKTI, PLAN_FREMMED_FAG, PLAN_OPG_TIMER};
  struct Tilfaelde {
    const char *navn;
    uint32_t raekker;
    void (*aendr)(GrundRaekke &g, uint32_t &art);
  };
  const Tilfaelde tilfaelde[] = {
      {"every field in its places", 400, nullptr},
      {"four rows", 4, nullptr},
      {"a hidden mark of two digits", 60, [](GrundRaekke &g, uint32_t &) { g.Skjult = 10; }},
      {"a group number of seven digits", 60, [](GrundRaekke &g, uint32_t &) { g.ffpg_id = 1234567; }},
      {"a kind of four digits", 60, [](GrundRaekke &, uint32_t &art) { art = 1000; }},
  };
  uint32_t x = 12345;
  auto naeste = [&x](uint32_t n) {
    x = x * 1103515245u + 12345u;
    return (x >> 16) % n;
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    std::vector<uint32_t> liste;
    for (uint32_t i = 0; i < t.raekker; ++i) {
      uint32_t r;
      if (liste.size() > 2 && naeste(3) == 0) {
        // The same key as an earlier row.
        const uint32_t k = liste[naeste(static_cast<uint32_t>(liste.size()))];
        r = Raekke(plan.ObjTypeTab[k], R(k).Aktivitet, R(k).Skolefag, 0, 0, kEgen, R(k).ffpg_id);
        R(r).Skjult = R(k).Skjult, R(r).Dublet = R(k).Dublet;
      } else {
        r = Raekke(arter[naeste(5)], akter[naeste(8)], fag[naeste(7)], 0, 0, kEgen, naeste(2) ? gruppe : g2);
        R(r).Skjult = naeste(2);
        R(r).Dublet = static_cast<uint8_t>(naeste(2) ? 0 : 255);
      }
      liste.push_back(r);
    }
    if (t.aendr) t.aendr(R(liste[liste.size() / 2]), plan.ObjTypeTab[liste[liste.size() / 2]]);
    std::vector<char> noegler(size_t(plan.GrundTabAntal + 1) * 38, 0);
    for (uint32_t r : liste) {
      const std::string k = PlanAktivitetNoegle(&plan, r);
      memcpy(noegler.data() + size_t(r) * 38, k.data(), 38);
    }
    std::vector<uint32_t> ventet = liste;
    SortIdx(noegler.data(), ventet.data(), 38, static_cast<uint32_t>(ventet.size()));

    free(plan.Ens.ObjTab);
    plan.Ens.ObjTab = static_cast<uint32_t *>(calloc(liste.size() + 1, sizeof(uint32_t)));
    std::copy(liste.begin(), liste.end(), plan.Ens.ObjTab + 1);
    plan.Ens.ObjTabAntal = static_cast<uint32_t>(liste.size());
    SorterPlanAktivitet(&plan);
    EXPECT_EQ(std::vector<uint32_t>(plan.Ens.ObjTab + 1, plan.Ens.ObjTab + 1 + liste.size()), ventet);
  }
}

}  // namespace
