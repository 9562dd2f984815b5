// The entry window's time: the time dialog behind button 17 typed into as a
// user types, what its OK and Cancel leave in the window and on the grid,
// the texts of buttons 17 and 18, the day times of a new whole-day event and
// the minutes dialog of an employee.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "KROGE.h"
#include "../ui/dialog_input.h"
#include "GEMBEG.h"
#include "NYVALG.h"
#include "RETTID.h"
#include "SKETEGN.h"
#include "brikind_fixture.h"
#include "retiddlg.h"

namespace {

using namespace sketest;
using predtest::Rec;
using tavo::test::ShownDialog;

const char *gDele = nullptr;

// The main window and a stand-in schedule window that names the parts of a
// change.
LRESULT CALLBACK LytterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == 1338) return reinterpret_cast<LRESULT>(gDele);
  if (m == 1119) return 'K';
  if (m >= 1024 && m < 12000) return 0;
  return DefWindowProcA(h, m, w, l);
}

using dlgtest::Pump;
using dlgtest::SkrivFelt;
using dlgtest::Tast;

std::string Tekst(HWND h) {
  char buf[128] = {};
  GetWindowTextA(h, buf, sizeof buf);
  return buf;
}

class RetTid : public BrikIndMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    Forbered("RetTidLytter", LytterProc);
    InstallerRetTid();
    gDele = nullptr;
    HuskDagStarttid = HuskDagSluttid = 0;
  }
  void TearDown() override {
    if (vindue_ && IsWindow(vindue_)) DestroyWindow(vindue_);
    if (skema_ && IsWindow(skema_)) DestroyWindow(skema_);
    BrikIndKrog.Tid = nullptr;
    BrikIndKrog.DagsTider = nullptr;
    GemBegKrog = {};
    HuskDagStarttid = HuskDagSluttid = 0;
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    Afslut();
  }

  // A new event's entry window in a placement, over an activity schedule.
  BrikIndStruct *Ny(char placering) {
    AktuelAVS.Placering = placering;
    skema_ = CreateSkemaWnd(0, hoved_, hoved_, SKE_AKTI, 0, 0, 800, 600, 0, nullptr, 'L', 'L', 'N', 'S', 'V', 0, 1, 0,
                            40001);
    return Aabn(placering, skema_);
  }
  BrikIndStruct *Aabn(char placering, HWND skema) {
    vindue_ = CreateBrikIndWnd(placering, skema);
    EXPECT_TRUE(vindue_);
    return vindue_ ? BrikIndWS(vindue_) : nullptr;
  }
  // A change of an event of the fixture's week in lesson placement, with
  // the time among its parts.
  BrikIndStruct *Ret() {
    Faelles f;
    f.id = 51;
    f.start = 800;
    f.slut = 845;
    f.risy = ring;
    f.lektion = 1;
    forste_ = SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer, .minut = 45}, {.loka = loka[0]}}, f);
    const uint32_t forste = forste_;
    HentAVS(kAar, kUge, forste, &GammelAVS, true);
    HentAVS(kAar, kUge, forste, &AktuelAVS, true);
    AktuelAVS.Placering = GammelAVS.Placering = 'L';
    AktuelAVS.Art = GammelAVS.Art = 'S';
    gDele = "KMT";
    skema_ = CreateWindowExA(0, "RetTidLytter", "", WS_CHILD, 0, 0, 10, 10, hoved_, 0, 0, nullptr);
    return Aabn('L', skema_);
  }
  // The grid's current cell on a weekday's first column, first row.
  static SkeStruct *Celle(BrikIndStruct *b, uint8_t dag, uint32_t kolonne = 0) {
    SkeStruct *g = SkemaVinduesSke(b->hwndGitter);
    g->TidPos.Aktuel = KolonneStart(g, dag) + kolonne;
    g->ObjPos.Aktuel = 1;
    return g;
  }
  // Every marked cell of the block: week, day, slot.
  static std::vector<std::tuple<uint32_t, uint32_t, uint32_t>> Markerede(const BrikIndStruct *b) {
    std::vector<std::tuple<uint32_t, uint32_t, uint32_t>> ud;
    for (uint32_t w = 0; w < b->BlokUger; ++w)
      for (uint32_t d = 1; d <= 7; ++d)
        for (uint32_t s = 1; s <= kBlokSlots; ++s)
          if (*BlokCelle(b->BlokTab, b->BlokUger, w, d, s) & BLOK_VALGT) ud.emplace_back(w, d, s);
    return ud;
  }
  static void Knap17(BrikIndStruct *b) { SendMessageA(b->hwnd, NYB_KLIK, KNAP_TID, 0); }
  static const BWS *Knap(HWND h) { return reinterpret_cast<const BWS *>(GetWindowLongPtrA(h, GWLP_USERDATA)); }

  HWND skema_ = 0, vindue_ = 0;
  uint32_t forste_ = 0;  // the changed event's first row
};

// ==================================================================== the dialog

TEST_F(RetTid, TypedTimesWorkOutTheOtherFieldAndOkTakesThem) {
  struct Sag {
    const char *navn;
    std::vector<std::pair<int, const char *>> skrevet;
    bool tab;  // the last field is left before OK
    Klokkeslaet start, slut;
    float timer;
  };
  const Sag sager[] = {
      {"start and hours give the end", {{IDC_RETTID_START, "8"}, {IDC_RETTID_TIMER, "1,5"}}, true, 800, 930, 1.5f},
      {"start and end give the hours", {{IDC_RETTID_START, "0830"}, {IDC_RETTID_SLUT, "1000"}}, true, 830, 1000, 1.5f},
      {"the end may be 24:00", {{IDC_RETTID_START, "2200"}, {IDC_RETTID_SLUT, "24:00"}}, true, 2200, 2400, 2.0f},
      {"a field still being typed counts at OK", {{IDC_RETTID_SLUT, "17"}, {IDC_RETTID_START, "1615"}}, false, 1615,
       1700, 0.75f},
      {"hours typed last are not undone by the start typed first",
       {{IDC_RETTID_START, "12"}, {IDC_RETTID_TIMER, "0,25"}}, false, 1200, 1215, 0.25f},
  };
  BrikIndStruct *b = Ny('T');
  ASSERT_TRUE(b);
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.navn);
    Celle(b, 3);
    std::string titel;
    std::vector<std::string> vist;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      titel = d.caption;
      for (const auto &[id, tekst] : s.skrevet) SkrivFelt(d.hwnd, id, tekst);
      if (s.tab) {
        Tast(d.hwnd, VK_TAB);
        for (int id : {IDC_RETTID_START, IDC_RETTID_SLUT, IDC_RETTID_TIMER})
          vist.push_back(Tekst(GetDlgItem(d.hwnd, id)));
      }
      Tast(d.hwnd, VK_RETURN);
      return INT_PTR{0};
    });
    Knap17(b);
    EXPECT_EQ(titel, "Ret tid");
    if (s.tab) {
      char start[8], slut[8], timer[16];
      TidTekst(s.start, start, sizeof start);
      TidTekst(s.slut, slut, sizeof slut);
      TimerTekst(s.timer, timer, sizeof timer);
      EXPECT_EQ(vist, (std::vector<std::string>{start, slut, timer}));
    }
    EXPECT_EQ(b->Starttid, s.start);
    EXPECT_EQ(b->Sluttid, s.slut);
    EXPECT_FLOAT_EQ(b->StdLektioner, s.timer);
    EXPECT_EQ(b->TidAendret, 1);
    EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  }
}

TEST(TidTekster, ClockTimesAndHoursAsTheDialogShowsThem) {
  char buf[16];
  TidTekst(800, buf, sizeof buf);
  EXPECT_STREQ(buf, "08:00");
  TidTekst(2400, buf, sizeof buf);
  EXPECT_STREQ(buf, "24:00");
  TimerTekst(1.5f, buf, sizeof buf);
  EXPECT_STREQ(buf, "1,50");
  TimerTekst(7.4f, buf, sizeof buf);
  EXPECT_STREQ(buf, "7,40");
  TimerTekst(0.0f, buf, sizeof buf);
  EXPECT_STREQ(buf, "0,00");
}

TEST_F(RetTid, ATimeThatDoesNotEndAfterItsStartIsRefusedAndTheDialogStays) {
  BrikIndStruct *b = Ny('T');
  ASSERT_TRUE(b);
  Celle(b, 2);
  for (const char *slut : {"0800", "0745", "24:01"}) {
    SCOPED_TRACE(slut);
    b->Starttid = 900, b->Sluttid = 1000, b->StdLektioner = 1.0f, b->TidAendret = 0;
    bool aaben = false;
    std::string vistSlut;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      SkrivFelt(d.hwnd, IDC_RETTID_START, "0800");
      SkrivFelt(d.hwnd, IDC_RETTID_SLUT, slut);
      Tast(d.hwnd, VK_RETURN);
      aaben = IsWindow(d.hwnd) && IsWindowVisible(d.hwnd);
      vistSlut = Tekst(GetDlgItem(d.hwnd, IDC_RETTID_SLUT));
      Tast(d.hwnd, VK_ESCAPE);
      return INT_PTR{0};
    });
    Knap17(b);
    EXPECT_TRUE(aaben);
    // Only the digits of the text count: 24:01 reads as 02:40.
    if (std::strcmp(slut, "24:01") == 0) { EXPECT_EQ(vistSlut, "02:40"); }
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text, "Starttid skal være mindre end Sluttid og Sluttid må ikke være senere end 24:00.\n");
    EXPECT_EQ(bokse[0].caption, "Fejl i tider");
    EXPECT_TRUE(bokse[0].type & MB_TASKMODAL);
    EXPECT_EQ(b->TidAendret, 0);
    EXPECT_TRUE(Markerede(b).empty());
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
  }
}

TEST_F(RetTid, CancelLeavesTheTimesAndTheFlagAsTheyWere) {
  AktuelAVS.Placering = 'D';
  BrikIndStruct *b = Ny('D');
  ASSERT_TRUE(b);
  // Before any dialog, and after one whose time stands.
  for (const uint8_t flag : {0, 1}) {
    SCOPED_TRACE(+flag);
    b->Starttid = 815, b->Sluttid = 1530, b->StdLektioner = 7.25f, b->TidAendret = flag;
    std::vector<std::string> vist;
    std::string titel;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      titel = d.caption;
      for (int id : {IDC_RETTID_START, IDC_RETTID_SLUT, IDC_RETTID_TIMER}) vist.push_back(Tekst(GetDlgItem(d.hwnd, id)));
      SkrivFelt(d.hwnd, IDC_RETTID_START, "1000");
      SkrivFelt(d.hwnd, IDC_RETTID_TIMER, "2");
      Tast(d.hwnd, VK_ESCAPE);
      return INT_PTR{0};
    });
    Knap17(b);
    // Opening shows the hours rounded to one decimal.
    EXPECT_EQ(vist, (std::vector<std::string>{"08:15", "15:30", "7,30"}));
    EXPECT_NE(titel, "Ret tid");
    EXPECT_EQ(b->Starttid, 815u);
    EXPECT_EQ(b->Sluttid, 1530u);
    EXPECT_FLOAT_EQ(b->StdLektioner, 7.25f);
    EXPECT_EQ(b->TidAendret, flag);
    EXPECT_EQ(HuskDagStarttid, 0u);
    EXPECT_EQ(GetFocus(), b->hwnd);
  }
}

// ==================================================================== OK on the grid

TEST_F(RetTid, OkOnANewEventMarksTheSlotsFromStartToEndInTheCurrentColumn) {
  BrikIndStruct *b = Ny('T');
  ASSERT_TRUE(b);
  // A stray mark in the same column goes; one on another day stays.
  SkeStruct *g = Celle(b, 3, 40);
  uint32_t celle = 0;
  uint8_t dag = 0;
  ASSERT_TRUE(KolonneCelle(g, g->TidPos.Aktuel, &dag, &celle));
  ASSERT_EQ(dag, 3);
  const uint32_t uge = CelleUge(g, SkeRaekkeNoegle(g, g->ObjPos.Aktuel));
  *BlokCelle(b->BlokTab, b->BlokUger, uge, 3, 200) = BLOK_VALGT;
  *BlokCelle(b->BlokTab, b->BlokUger, uge, 4, 200) = BLOK_VALGT;
  std::vector<std::string> vist;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    for (int id : {IDC_RETTID_START, IDC_RETTID_SLUT}) vist.push_back(Tekst(GetDlgItem(d.hwnd, id)));
    SkrivFelt(d.hwnd, IDC_RETTID_START, "8");
    SkrivFelt(d.hwnd, IDC_RETTID_TIMER, "1,5");
    Tast(d.hwnd, VK_RETURN);
    return INT_PTR{0};
  });
  HuskDagSluttid = 1545;
  Knap17(b);
  // The dialog opened on the current slot and the remembered day end.
  char slotStart[8];
  TidTekst(LaegMinutterTil(0, static_cast<int32_t>((celle - 1) * 5)), slotStart, sizeof slotStart);
  EXPECT_EQ(vist, (std::vector<std::string>{slotStart, "15:45"}));
  // 08:00 is slot 97; 09:30 ends slot 114.
  std::vector<std::tuple<uint32_t, uint32_t, uint32_t>> ventet;
  for (uint32_t s = 97; s <= 114; ++s) ventet.emplace_back(uge, 3, s);
  ventet.emplace_back(uge, 4, 200);
  EXPECT_EQ(Markerede(b), ventet);
}

TEST_F(RetTid, OkOnAnEditRunsTheChecksOfTheChangeAndGoesToTheStepTheyName) {
  GlobalIndstillinger.checkminutnorm = 'n';
  BrikIndStruct *b = Ret();
  ASSERT_TRUE(b);
  // Nothing is marked: the change's check refuses and names the grid.
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    SkrivFelt(d.hwnd, IDC_RETTID_START, "0900");
    SkrivFelt(d.hwnd, IDC_RETTID_SLUT, "1000");
    Tast(d.hwnd, VK_RETURN);
    return INT_PTR{0};
  });
  GaaTilTrin(b, TRIN_ANFO);
  Knap17(b);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].text, "Opmærk de begivenheder, som skal rettes!");
  EXPECT_EQ(+b->AktueltTrin, TRIN_LEKTIONER);
  // The typed time stands for the change; no slot was marked for it.
  EXPECT_EQ(b->Starttid, 900u);
  EXPECT_EQ(b->TidAendret, 1);
  EXPECT_TRUE(Markerede(b).empty());
}

TEST_F(RetTid, AChangedTimeThatCollidesIsGivenBackOnYesAndKeptOnNo) {
  GlobalIndstillinger.checkminutnorm = 'n';
  BrikIndStruct *b = Ret();
  ASSERT_TRUE(b);
  // The same activity has another event from 09:00.
  Faelles f;
  f.id = 60;
  f.start = 900;
  f.slut = 945;
  f.risy = ring;
  f.lektion = 2;
  SkrivRaekker({{.akti = akti[0]}}, f);
  SendMessageA(b->hwndGitter, DATA_AENDRET, 0, 0);
  SkeStruct *g = SkemaVinduesSke(b->hwndGitter);
  ASSERT_TRUE(g && g->lpSkeVisListe);
  bool markeret = false;
  for (uint32_t i = 1; i <= g->SkeVisAntal; ++i)
    if (g->lpSkeVisListe[i].Forste == forste_) g->lpSkeVisListe[i].FarveKode = 3, markeret = true;
  ASSERT_TRUE(markeret);
  *BlokCelle(b->BlokTab, b->BlokUger, UgeTilIndeks(202400 + kUge), 2, 1) = BLOK_VALGT;
  for (const int svar : {IDYES, IDNO}) {
    SCOPED_TRACE(svar == IDYES ? "yes" : "no");
    b->Starttid = 800, b->Sluttid = 845, b->StdLektioner = 0.75f, b->TidAendret = 0;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      SkrivFelt(d.hwnd, IDC_RETTID_START, "0900");
      SkrivFelt(d.hwnd, IDC_RETTID_SLUT, "0930");
      Tast(d.hwnd, VK_RETURN);
      return INT_PTR{0};
    });
    tavo::test::AnswerNextDialog([svar](const ShownDialog &) { return INT_PTR{svar}; });
    Knap17(b);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text,
              "Den/de ændrede begivenhed'er skaber konflikt med nogle andre skemabrikker!\nVil du afbryde "
              "rettelsen?");
    EXPECT_EQ(b->Starttid, svar == IDYES ? 800u : 900u);
    EXPECT_EQ(b->Sluttid, svar == IDYES ? 845u : 930u);
    EXPECT_EQ(b->TidAendret, svar == IDYES ? 0 : 1);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
  }
}

TEST_F(RetTid, NothingOpensOnALessonGridOutsideTheEntryVariant) {
  BrikIndStruct *b = Ny('T');
  ASSERT_TRUE(b);
  SkeStruct *g = SkemaVinduesSke(b->hwndGitter);
  g->Visning = 'L';
  g->Variant = 'N';
  bool aabnet = false;
  tavo::test::AnswerNextDialog([&](const ShownDialog &) {
    aabnet = true;
    return INT_PTR{IDCANCEL};
  });
  RetTidKnap(b);
  EXPECT_FALSE(aabnet);
  tavo::test::StopDialogScript();
  tavo::test::StartDialogScript();
}

// ==================================================================== buttons 17 and 18

TEST_F(RetTid, TheTimeButtonNamesWhatThePlacementChanges) {
  struct Sag {
    char placering;
    const char *tekst, *tip;
  };
  const Sag sager[] = {
      {'D', "Ret da&g", "Ret dag og standard lektion"},
      {'T', "Ret t&id", "Ret tiden på begivenhed"},
      {'L', "Ret t&id", "Ret tiden på begivenhed"},
  };
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.placering);
    BrikIndStruct *b = Ny(s.placering);
    ASSERT_TRUE(b);
    const BWS *k = Knap(b->hwndKnap[3]);
    ASSERT_TRUE(k);
    EXPECT_STREQ(k->txt, s.tekst);
    EXPECT_STREQ(k->tooltxt, s.tip);
    DestroyWindow(vindue_);
    DestroyWindow(skema_);
  }
}

TEST_F(RetTid, TheStudentSwitchSwapsItsTextsAndRecoloursTheGrid) {
  GlobalIndstillinger.checkelevsammenfald = 0;
  BrikIndStruct *b = Ny('L');
  ASSERT_TRUE(b);
  const BWS *k = Knap(b->hwndKnap[4]);
  ASSERT_TRUE(k);
  EXPECT_STREQ(k->txt, "&Check til");
  struct Sag {
    uint8_t til;
    const char *tekst, *tip;
  };
  const Sag sager[] = {
      {1, "&Check fra", "Slå check af skemasammenfald for elever fra"},
      {0, "&Check til", "Slå check af skemasammenfald for elever til"},
  };
  for (const Sag &s : sager) {
    tavo::test::StartMessageLog();
    SendMessageA(b->hwnd, NYB_KLIK, KNAP_ELEVCHECK, 0);
    const auto log = tavo::test::StopMessageLog();
    EXPECT_EQ(GlobalIndstillinger.checkelevsammenfald, s.til);
    EXPECT_STREQ(k->txt, s.tekst);
    EXPECT_STREQ(k->tooltxt, s.tip);
    EXPECT_FALSE(tavo::test::MessagesOf(log, b->hwndGitter, {1174}).empty());
  }
}

// ==================================================================== day times

TEST_F(RetTid, ANewWholeDayEventOpensWithTheDayTimes) {
  GlobalIndstillinger.starttid = 800;
  GlobalIndstillinger.sluttid = 1600;
  GlobalIndstillinger.lektionerprdag = 7.4f;
  GlobalIndstillinger.normsystem = 0;
  BrikIndStruct *b = Ny('D');
  ASSERT_TRUE(b);
  EXPECT_EQ(b->Starttid, 800u);
  EXPECT_EQ(b->Sluttid, 1600u);
  EXPECT_FLOAT_EQ(b->StdLektioner, 7.4f);
  // OK in whole-day placement is remembered for the next whole-day event.
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    SkrivFelt(d.hwnd, IDC_RETTID_START, "0730");
    SkrivFelt(d.hwnd, IDC_RETTID_SLUT, "1500");
    Tast(d.hwnd, VK_RETURN);
    return INT_PTR{0};
  });
  Knap17(b);
  EXPECT_EQ(HuskDagStarttid, 730u);
  EXPECT_EQ(HuskDagSluttid, 1500u);
  EXPECT_TRUE(Markerede(b).empty());

  // With the norm system the first employee's daily norm gives the hours.
  GlobalIndstillinger.normsystem = 1;
  GemBegKrog.DagsNorm = [](uint32_t, Dato) { return int32_t{450}; };
  AddAVSEgenskab(&AktuelAVS, 'M', anfo[0], laerer, -1.0f);
  DagsTider(b);
  EXPECT_EQ(b->Starttid, 730u);
  EXPECT_FLOAT_EQ(b->StdLektioner, 7.5f);
  EXPECT_EQ(b->Sluttid, 1500u);
  GemBegKrog.DagsNorm = [](uint32_t, Dato) { return int32_t{300}; };
  DagsTider(b);
  EXPECT_EQ(b->Sluttid, 1230u);
}

// ==================================================================== minutes

TEST_F(RetTid, TheMinutesDialogIsRefusedWithoutAnActivityAndOnDays) {
  BrikIndStruct *b = Ny('L');
  ASSERT_TRUE(b);
  struct Sag {
    char placering;
    bool aktivitet;
    const char *tekst, *titel;
  };
  const Sag sager[] = {
      {'L', false, "Der skal vælges en aktivitet før, der kan angives minutter.", "OBS!"},
      {'D', true, "Der kan ikke angives et minuttal, når der opmærkes dage.", "Begivenhed ikke OK"},
  };
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.tekst);
    CleanupAVS(&AktuelAVS);
    AktuelAVS.Placering = s.placering;
    if (s.aktivitet) AddAVSEgenskab(&AktuelAVS, 'K', akti[0], 0, 0);
    MinutDialog(b, anfo[0], 100, 100);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text, s.tekst);
    EXPECT_EQ(bokse[0].caption, s.titel);
    EXPECT_EQ(b->AnfoMinut[anfo[0]], -1.0f);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
  }
}

TEST_F(RetTid, TheMinutesDialogTakesItsBoundsFromTheActivitiesWhileTheCheckIsOn) {
  UdgrRec u{};
  u.id = 900;
  u.Status = 10;
  u.Minimum_minutnorm = 30;
  u.Maximum_minutnorm = 50;
  Rec<AktiRec>(tvakti, akti[0])->udgr_id = predtest::Ny(tdudgr, tvudgr, u);
  BrikIndStruct *b = Ny('L');
  ASSERT_TRUE(b);
  AktuelAVS.Placering = 'L';
  AddAVSEgenskab(&AktuelAVS, 'K', akti[0], 0, 0);
  struct Sag {
    char check;
    const char *graenser;
  };
  const Sag sager[] = {
      {'j', "Det indtastede tal skal ligge mellem  30.00 og  50.00 eller være lig  60.00"},
      {'n', "Det indtastede tal skal ligge mellem   0.00 og 999.99 eller være lig  60.00"},
  };
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.check);
    GlobalIndstillinger.checkminutnorm = s.check;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      tavo::test::TypeText("1000");
      Pump(d.hwnd);
      Tast(d.hwnd, VK_RETURN);
      Tast(d.hwnd, VK_ESCAPE);
      return INT_PTR{0};
    });
    MinutDialog(b, anfo[0], 100, 100);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].text, s.graenser);
    EXPECT_EQ(b->AnfoMinut[anfo[0]], -1.0f);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
  }
}

TEST_F(RetTid, ATypedMinuteValueIsKeptMarkedAndGoesIntoTheEventWhenTheEmployeeIsChosen) {
  GlobalIndstillinger.checkminutnorm = 'n';
  BrikIndStruct *b = Ny('L');
  ASSERT_TRUE(b);
  AktuelAVS.Placering = 'L';
  AddAVSEgenskab(&AktuelAVS, 'K', akti[0], 0, 0);
  AddAVSEgenskab(&AktuelAVS, 'M', anfo[0], laerer, -1.0f);
  struct Sag {
    uint32_t anfo;
    const char *tekst;
    float vaerdi;
    bool valgt;
  };
  const Sag sager[] = {
      {anfo[0], "45", 45.0f, true},
      {anfo[1], "37,5", 37.5f, false},
  };
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.tekst);
    std::string vist;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      vist = Tekst(GetWindow(d.hwnd, GW_CHILD));
      tavo::test::TypeText(s.tekst);
      Pump(d.hwnd);
      Tast(d.hwnd, VK_RETURN);
      return INT_PTR{0};
    });
    MinutDialog(b, s.anfo, 100, 100);
    EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
    EXPECT_EQ(b->AnfoMinut[s.anfo], s.vaerdi);
    ASSERT_TRUE(b->AnfoMinutSat);
    EXPECT_EQ(b->AnfoMinutSat[s.anfo], 1);
    const uint32_t i = FindAVSIndeks(&AktuelAVS, 'M', s.anfo);
    EXPECT_EQ(i != 0, s.valgt);
    if (i) { EXPECT_EQ(AktuelAVS.minutTab[i - 1], s.vaerdi); }
  }
  EXPECT_EQ(AktuelAVS.anfoAntal, 1u);
  EXPECT_EQ(b->AnfoMinutSat[anfo[2]], 0);
}

}  // namespace
