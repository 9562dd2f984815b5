// The schedule window over the small school of the event tests, created
// under a plain test parent with a main window that keeps what it is told,
// and given its keys directly (as the main window hands them on).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ENSMUS.h"
#include "KALENDER.h"
#include "LISTBOX.h"
#include "PROGVINDUER.h"
#include "SKERAEKKE.h"
#include "SKETEGN.h"
#include "SKEMAVIN.h"
#include "VINDUER.h"
#include "ske_fixture.h"
#include "skevin_fixture.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace {

using namespace sketest;

// ---- Views without a window.

struct TitelSag {
  char layout, art;
  uint8_t alle, aktuelle;
  char variant;
  const char *titel;
};

TEST(SkemaVisninger, TitlesOfEveryView) {
  const TitelSag sager[] = {
      {'L', 'K', 0, 0, 'N', " En aktivitetet i alle uger"},
      {'L', 'K', 1, 0, 'N', " Alle aktiviteter i en uge"},
      {'L', 'K', 1, 1, 'N', " Aktuelle aktiviteter i en uge"},
      {'L', 'L', 0, 1, 'N', " Et lokale i alle uge"},
      {'L', 'L', 1, 0, 'N', " Alle lokaler i en uge"},
      {'L', 'L', 1, 1, 'N', " Aktuelle lokaler i en uge"},
      {'L', 'M', 0, 0, 'N', " En medarbejder i alle uger"},
      {'L', 'M', 1, 0, 'N', " Alle medarbejdere i en uge"},
      {'L', 'M', 1, 1, 'N', " Aktuelle medarbejdere i en uge"},
      {'V', 'K', 1, 1, 'N', " Prikskema alle aktiviteter"},
      {'V', 'K', 0, 0, 'N', " Prikskema en aktivitet"},
      {'V', 'L', 1, 0, 'N', " Prikskema alle lokaler"},
      {'V', 'L', 0, 0, 'N', " Prikskema et lokale"},
      {'V', 'M', 1, 0, 'N', " Prikskema alle medarbejdere"},
      {'V', 'M', 0, 0, 'N', " Prikskema en medarbejder"},
      // The AutoSkema suffix is shown whole, past the 40 characters of a
      // caption.
      {'L', 'M', 1, 1, 'A', " Aktuelle medarbejdere i en uge - [Auto skema mode]"},
  };
  for (const TitelSag &s : sager) {
    SkeStruct ske{};
    ske.Layout = s.layout;
    ske.ObjektArt = s.art;
    ske.AlleObjekter = s.alle;
    ske.KunAktuelle = s.aktuelle;
    ske.Variant = s.variant;
    SkemaTitel(&ske, ske.Ens.Titel, sizeof ske.Ens.Titel);
    EXPECT_STREQ(ske.Ens.Titel, s.titel) << s.layout << s.art << int(s.alle) << int(s.aktuelle);
  }
}

struct ArtSag {
  char layout;
  uint8_t etObjekt;
  char variant, visning;
  uint8_t alle;
  SkemaSwitchArter ventet;
};

TEST(SkemaVisninger, FieldSwitchKindsOfTheCreationArguments) {
  const ArtSag sager[] = {
      {'L', 0, 'N', 'L', 0, {0, {2, 3, 4}}},   {'L', 0, 'B', 'T', 1, {1, {5, 6, 7}}},
      {'L', 1, 'N', 'D', 0, {2, {11, 12, 13}}}, {'L', 1, 'N', 'L', 1, {2, {11, 12, 13}}},
      {'V', 0, 'B', 'L', 0, {4, {29, 28, 30}}}, {'V', 0, 'B', 'T', 1, {7, {29, 28, 30}}},
      {'V', 0, 'N', 'D', 0, {3, {19, 18, 20}}}, {'V', 0, 'A', 'T', 0, {7, {19, 18, 20}}},
      {'V', 0, 'N', 'L', 1, {3, {22, 21, 23}}}, {'V', 0, 'N', 'T', 1, {7, {22, 21, 23}}},
      {'V', 1, 'B', 'T', 0, {5, {24, 25, 26}}}, {'V', 1, 'N', 'L', 1, {5, {24, 25, 26}}},
  };
  for (const ArtSag &s : sager) {
    SkeStruct ske{};
    ske.Layout = s.layout;
    ske.EtObjekt = s.etObjekt;
    ske.Variant = s.variant;
    ske.Visning = s.visning;
    ske.AlleObjekter = s.alle;
    const SkemaSwitchArter a = SkemaSwitchArterFor(&ske);
    const std::string sag = std::string{s.layout, static_cast<char>('0' + s.etObjekt), s.variant, s.visning,
                                        static_cast<char>('0' + s.alle)};
    EXPECT_EQ(a.brik, s.ventet.brik) << sag;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(a.vinduer[i], s.ventet.vinduer[i]) << sag << " " << i;
  }
}

// ---- The window.
// ---- The window.

TEST_F(SkemaVindueTest, ArrowsMoveTheCursorAndTellTheOtherWindows) {
  HWND w = Aabn(SKE_AKTI, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  ASSERT_EQ(+ske->ObjPos.Antal, 3u);
  EXPECT_EQ(+ske->TidPos.Antal, 7u * 8u);
  const uint32_t kol = ske->TidPos.Aktuel, raekke = ske->ObjPos.Aktuel;
  SendMessageA(w, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(w, WM_KEYUP, VK_RIGHT, 0);
  EXPECT_EQ(+ske->TidPos.Aktuel, kol + 1);
  SendMessageA(w, WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(w, WM_KEYUP, VK_DOWN, 0);
  EXPECT_EQ(+ske->ObjPos.Aktuel, raekke + 1);
  EXPECT_EQ(ske->AktuelObjRaekke, raekke + 1);
  EXPECT_EQ(HoertAf(nabo_, AKTUEL_AENDRET).size(), 2u);
  // The cursor stops at the last row.
  Tryk(w, VK_DOWN);
  EXPECT_FALSE(Kan(w, VK_DOWN));
}

TEST_F(SkemaVindueTest, InTheOneObjectViewARowMoveChangesTheWeek) {
  HWND w = Aabn(SKE_AKTI, 'V', 0);
  SkeStruct *ske = SkemaVinduesSke(w);
  const UgeIndeks uge = SkeAktuelUgeIndeks(ske);
  ASSERT_GT(ske->UgeAntal, 1u);
  Tryk(w, VK_DOWN);
  EXPECT_EQ(SkeAktuelUgeIndeks(ske), uge + 1);
  EXPECT_EQ(SkemaPeriode.AktuelUgeIndeks, uge + 1);
  EXPECT_EQ(+ske->ObjPos.Antal, ske->UgeAntal);
}

struct GraenseSag {
  char visning;
  uint8_t dage;
  uint32_t top;
};

TEST_F(SkemaVindueTest, CtrlPageDownAndUpReachTheLastAndFirstCellOfTheDay) {
  // A view of 08:00 plus 10 hours: steps of 3 slots from slot 217 pass the
  // day's last slot, 288, by 2; lessons step by 1. Five days shown and the
  // whole week.
  const GraenseSag sager[] = {{'L', 5, 48}, {'L', 7, 48}, {'T', 5, 288}, {'T', 7, 288}};
  VisningsTilstandRec gemt[kAntalVisninger];
  memcpy(gemt, VisningsTilstand, sizeof gemt);
  for (const GraenseSag &s : sager) {
    SCOPED_TRACE(std::string(1, s.visning) + " " + std::to_string(s.dage) + " days");
    SaetVisningstider(800, 10, s.dage);
    HWND w = Aabn(SKE_AKTI, 'V', 1, s.visning);
    const VisningsTilstandRec &v = VisningsTilstandFor(s.visning);
    const uint32_t bredde = v.SidsteSlot - v.FoersteSlot;
    for (int i = 0; i < 2100 && Kan(w, VK_NEXT, true); ++i) Tryk(w, VK_NEXT, true);
    EXPECT_EQ(v.SidsteSlot, s.top);
    EXPECT_EQ(v.SidsteSlot - v.FoersteSlot, bredde);
    EXPECT_EQ(+SkemaVinduesSke(w)->TidPos.Antal, s.dage * (bredde + 1));
    // Back up from the last range, which is off the steps of the first.
    for (int i = 0; i < 2100 && Kan(w, VK_PRIOR, true); ++i) Tryk(w, VK_PRIOR, true);
    EXPECT_EQ(v.FoersteSlot, 1u);
    EXPECT_EQ(v.SidsteSlot - v.FoersteSlot, bredde);
    DestroyWindow(w);
  }
  memcpy(VisningsTilstand, gemt, sizeof gemt);
  // Not below the first step.
  HWND w = Aabn(SKE_AKTI, 'V', 1, 'L');
  EXPECT_FALSE(Kan(w, VK_PRIOR, true));
  Tryk(w, VK_NEXT, true);
  Tryk(w, VK_PRIOR, true);
  EXPECT_EQ(VisningsTilstandFor('L').FoersteSlot, 1u);
  EXPECT_FALSE(Kan(w, VK_PRIOR, true));
  // Day mode has no steps to shift.
  HWND d = Aabn(SKE_AKTI, 'V', 1, 'D');
  EXPECT_FALSE(Kan(d, VK_NEXT, true));
}

TEST_F(SkemaVindueTest, CtrlEndAndHomeStopAtTheEndsOfTheWeek) {
  for (VisningsTilstandRec &v : VisningsTilstand) v.FoersteUgedag = 1, v.SidsteUgedag = 5;
  HWND w = Aabn(SKE_ANFO, 'V', 1);
  const VisningsTilstandRec &v = VisningsTilstandFor('L');
  for (int i = 0; i < 5; ++i) Tryk(w, VK_END, true);
  EXPECT_EQ(v.FoersteUgedag, 3);
  EXPECT_EQ(v.SidsteUgedag, 7);
  EXPECT_FALSE(Kan(w, VK_END, true));
  for (int i = 0; i < 5; ++i) Tryk(w, VK_HOME, true);
  EXPECT_EQ(v.FoersteUgedag, 1);
  EXPECT_EQ(v.SidsteUgedag, 5);
  EXPECT_FALSE(Kan(w, VK_HOME, true));
}

TEST_F(SkemaVindueTest, ATypedNumberReleasedWithCtrlSetsTheLayersBelow31) {
  HWND w = Aabn(SKE_AKTI, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  Tryk(w, VK_CONTROL, true);
  Tryk(w, '1', true);
  Tryk(w, '2', true);
  SendMessageA(w, WM_KEYUP, VK_CONTROL, 0);
  auto lag = HoertAf(toolbar_, TB_GRUPPE_INDEKS);
  ASSERT_EQ(lag.size(), 1u);
  EXPECT_EQ(lag[0].w, 12u);
  EXPECT_STREQ(ske->Tastet, "");

  Hoerte().clear();
  Tryk(w, VK_CONTROL, true);
  Tryk(w, '3', true);
  Tryk(w, '1', true);
  SendMessageA(w, WM_KEYUP, VK_CONTROL, 0);
  EXPECT_TRUE(HoertAf(toolbar_, TB_GRUPPE_INDEKS).empty());
  EXPECT_STREQ(ske->Tastet, "31");
  // Ctrl pressed alone starts a new number.
  Tryk(w, VK_CONTROL, true);
  EXPECT_STREQ(ske->Tastet, "");
}

TEST_F(SkemaVindueTest, CtrlLOnlyWhileViewingAndEscapeEndsAMarking) {
  HWND w = Aabn(SKE_AKTI, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  Tryk(w, 'L', true);
  EXPECT_EQ(ske->LagVis, 1);
  Tryk(w, 'L', true);
  EXPECT_EQ(ske->LagVis, 0);
  for (char tilstand : {'S', 'R'}) {
    ske->Tilstand = tilstand;
    EXPECT_FALSE(Kan(w, 'L', true)) << tilstand;
    Tryk(w, 'L', true);
    EXPECT_EQ(ske->LagVis, 0);
    Tryk(w, VK_ESCAPE);
    EXPECT_EQ(ske->Tilstand, 'V');
    EXPECT_TRUE(Kan(w, 'L', true));
  }
}

struct AfvisSag {
  uint8_t supertavo, laast, enStatus;
  UINT tast;
  const char *tekst, *titel;
};

TEST_F(SkemaVindueTest, RefusalsShowTheirTextsOnlyWhenActing) {
  const AfvisSag sager[] = {
      {1, 0, 0, VK_ADD, "Der kan ikke huskes begivenheder i et SuperTavoSkema", "Skema"},
      {0, 1, 0, VK_OEM_PLUS, "Der kan ikke huskes begivenheder i et låst skema", "Skema"},
      {0, 0, 1, 'D', kSkemaEnStatus, "Fejl"},
      {0, 0, 1, VK_INSERT, kSkemaEnStatus, "Fejl"},
  };
  for (const AfvisSag &s : sager) {
    GlobalIndstillinger.supertavo = s.supertavo;
    GlobalIndstillinger.skemalaast = s.laast;
    HWND w = Aabn(SKE_LOKA, 'V', 1);
    SkemaVinduesSke(w)->SaerligVisning = s.enStatus;
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    EXPECT_FALSE(Kan(w, s.tast));
    EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
    Tryk(w, s.tast);
    const auto vist = tavo::test::MessageBoxesShown();
    ASSERT_EQ(vist.size(), 1u) << s.tast;
    EXPECT_EQ(vist[0].text, s.tekst);
    EXPECT_EQ(vist[0].caption, s.titel);
    DestroyWindow(w);
  }
  // Without them the copy key is accepted, and plain Insert (which pastes
  // nothing before a cell is copied) shows none of these refusals.
  GlobalIndstillinger.supertavo = GlobalIndstillinger.skemalaast = 0;
  HWND w = Aabn(SKE_LOKA, 'V', 1);
  EXPECT_TRUE(Kan(w, VK_ADD));
  tavo::test::StopDialogScript();
  tavo::test::StartDialogScript();
  for (UINT tast : {static_cast<UINT>(VK_ADD), static_cast<UINT>(VK_INSERT)}) Tryk(w, tast);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

TEST_F(SkemaVindueTest, TheLockedPeriodWarningOncePerOpening) {
  SkemaPeriode.LaasDato = SkemaPeriode.TilDato;
  for (int aabning = 0; aabning < 2; ++aabning) {
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    HWND w = Aabn(SKE_AKTI, 'V', 0);
    for (int i = 0; i < 3; ++i) Tryk(w, VK_DOWN);
    Tryk(w, VK_UP);
    const auto vist = tavo::test::MessageBoxesShown();
    ASSERT_EQ(vist.size(), 1u) << aabning;
    EXPECT_EQ(vist[0].text, kSkemaLaastPeriode);
    EXPECT_EQ(vist[0].caption, "Låst periode");
    DestroyWindow(w);
  }
  // An unlocked week warns of nothing.
  SkemaPeriode.LaasDato = 0;
  tavo::test::StopDialogScript();
  tavo::test::StartDialogScript();
  HWND w = Aabn(SKE_AKTI, 'V', 0);
  Tryk(w, VK_DOWN);
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

TEST_F(SkemaVindueTest, SwitchingTheDisplayModeKeepsObjectAndWeek) {
  HWND w = Aabn(SKE_AKTI, 'V', 1, 'L', 'V', 4000, 4000);
  SkeStruct *ske = SkemaVinduesSke(w);
  Tryk(w, VK_DOWN);
  Tryk(w, VK_NEXT);
  const uint32_t raekke = ske->AktuelObjRaekke;
  const UgeIndeks uge = SkeAktuelUgeIndeks(ske);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(SendMessageA(w, WM_USER, 4000, 0), r.right - r.left);
  EXPECT_EQ(SendMessageA(w, ENS_HOEJDE, 4000, 0), r.bottom - r.top);
  const struct {
    char visning;
    uint32_t kolonnerPrDag;
  } skift[] = {{'T', 193 - 97 + 1}, {'D', 1}, {'L', 8}};
  for (const auto &s : skift) {
    SendMessageA(w, SKE_VISNING, static_cast<WPARAM>(s.visning), 0);
    EXPECT_EQ(SendMessageA(w, VISNINGSBOGSTAV, 0, 0), s.visning);
    EXPECT_EQ(+ske->TidPos.Antal, 7 * s.kolonnerPrDag) << s.visning;
    EXPECT_EQ(ske->AktuelObjRaekke, raekke) << s.visning;
    EXPECT_EQ(SkeAktuelUgeIndeks(ske), uge) << s.visning;
    EXPECT_EQ(static_cast<uint32_t>(SendMessageA(w, ENS_HOEJDE, 4000, 0)), CalcSkemaWndHeightV(ske, 4000, 0));
  }
  EXPECT_EQ(HoertAf(toolbar_, RING_VAELG_ID).size(), 1u);
}

TEST_F(SkemaVindueTest, AnAddedEventAppearsAfterTheChangeMessage) {
  HWND w = Aabn(SKE_AKTI, 'V', 1, 'T');
  SkeStruct *ske = SkemaVinduesSke(w);
  EXPECT_EQ(ske->SkeVisAntal, 0u);
  SkrivRaekker({{.akti = akti[0]}}, {.dag = 2, .start = 800, .slut = 845});
  SendMessageA(w, DATA_AENDRET, 0, 0);
  ASSERT_EQ(ske->SkeVisAntal, 1u);
  IndgangsOptager o;
  OpdaterCeller(ske, &o, SKE_TEGN_ALT, 100000);
  ASSERT_FALSE(o.indgange.empty());
  for (uint32_t i : o.indgange) EXPECT_EQ(i, 1u);
}

TEST_F(SkemaVindueTest, AFilterClassShowsOnlyItsObjects) {
  HWND w = Aabn(SKE_ANFO, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  EXPECT_EQ(ske->ObjFilter, kAlleObjFilter);
  SendMessageA(w, GRUPPE_VALGT, 4, 0);
  EXPECT_EQ(ske->ObjFilter, 1u << 4);
  auto tb = HoertAf(toolbar_, GRUPPE_SAET);
  ASSERT_EQ(tb.size(), 1u);
  EXPECT_EQ(tb[0].w, 1u << 4);
  EXPECT_FALSE(HoertAf(nabo_, AKTUEL_AENDRET).empty());
  // A class past the mask changes nothing; 31 is all again.
  SendMessageA(w, GRUPPE_VALGT, 40, 0);
  EXPECT_EQ(ske->ObjFilter, 1u << 4);
  SendMessageA(w, GRUPPE_VALGT, 31, 0);
  EXPECT_EQ(ske->ObjFilter, kAlleObjFilter);
  // The kind keeps its filter for the next window.
  SendMessageA(w, GRUPPE_VALGT, 2, 0);
  HWND w2 = Aabn(SKE_ANFO, 'V', 1);
  EXPECT_EQ(SkemaVinduesSke(w2)->ObjFilter, 1u << 2);
  SendMessageA(w2, GRUPPE_VALGT, 31, 0);
}

TEST_F(SkemaVindueTest, DestroyingTellsTheMainWindow) {
  HWND w = Aabn(SKE_LOKA, 'L', 1);
  EXPECT_EQ(VinduesListeAntal(), 2);
  DestroyWindow(w);
  auto lukket = HoertAf(hoved_, HOVED_VINDUE_LUKKET);
  ASSERT_EQ(lukket.size(), 1u);
  EXPECT_EQ(static_cast<HWND>(lukket[0].l), w);
  EXPECT_EQ(VinduesListeAntal(), 1);
}

TEST_F(SkemaVindueTest, TheFindComparisonMarksMatchesAndDeletesNothing) {
  HWND w = Aabn(SKE_LOKA, 'V', 1, 'T');
  SkeStruct *ske = SkemaVinduesSke(w);
  SkrivRaekker({{.akti = akti[0], .loka = loka[0]}}, {.id = 11, .dag = 2, .start = 800, .slut = 845});
  SkrivRaekker({{.akti = akti[1], .loka = loka[0]}}, {.id = 12, .dag = 3, .start = 800, .slut = 845});
  SkrivRaekker({{.akti = akti[0], .loka = loka[1]}}, {.id = 13, .ejer = static_cast<uint8_t>(kEgen + 1), .dag = 4, .start = 800, .slut = 845});
  SendMessageA(w, DATA_AENDRET, 0, 0);
  ASSERT_EQ(ske->SkeVisAntal, 3u);
  const uint32_t raekker = BegBucket(kAar, kUge)->wRecCnt;
  // The reference: the first event, compared on its activities.
  uint32_t foerste = 0;
  for (uint32_t i = 1; i <= 3; ++i)
    if (VisFoersteRaekke(ske->lpSkeVisListe[i])->id == 11) foerste = i;
  ASSERT_NE(foerste, 0u);
  HentVisAVS(ske, &ske->SoegAVS, foerste, false);
  SendMessageA(w, SKE_STATUSTEKST, 0, reinterpret_cast<LPARAM>("K"));
  for (uint32_t i = 1; i <= 3; ++i) ske->lpSkeVisListe[i].FarveKode = 0;
  SendMessageA(w, SKE_SAMMENLIGN, 0, 0);
  std::map<uint32_t, uint8_t> farve;
  for (uint32_t i = 1; i <= ske->SkeVisAntal; ++i)
    farve[+VisFoersteRaekke(ske->lpSkeVisListe[i])->id] = ske->lpSkeVisListe[i].FarveKode;
  EXPECT_EQ(farve[11], 3);
  EXPECT_NE(farve[12], 3);
  EXPECT_NE(farve[13], 3) << "another installation's event is left alone";
  EXPECT_EQ(ske->SkeVisAntal, 3u);
  EXPECT_EQ(BegBucket(kAar, kUge)->wRecCnt, raekker);
}

TEST_F(SkemaVindueTest, TheAppsKeyOpensThePickListOfTheKeys) {
  RegistrerListeKlasser(0);
  HWND w = Aabn(SKE_AKTI, 'V', 1);
  SkeStruct *ske = SkemaVinduesSke(w);
  ASSERT_TRUE(Kan(w, VK_APPS));
  Tryk(w, VK_APPS);
  ASSERT_TRUE(ske->hwndGenvej);
  EXPECT_TRUE(IsWindow(ske->hwndGenvej));
  char klasse[64] = {};
  GetClassNameA(ske->hwndGenvej, klasse, sizeof klasse);
  EXPECT_STREQ(klasse, "ShortCutWndClass");
  DestroyWindow(w);
}

}  // namespace
