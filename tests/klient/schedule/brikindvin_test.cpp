// The event entry window over the small school of the event tests: its
// placement, its steps and titles by keys, its children for a new event and
// for a change, the student-clash switch, giving up a typed remark, the
// time dialog's times saved into a changed event or left out of it, and the
// marks of an opening from a schedule window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "KROGE.h"
#include "../ui/dialog_input.h"
#include "BRIKINDVIN.h"
#include "BYGINFO.h"
#include "FINDREC.h"
#include "GEMBEG.h"
#include "NYBUTTON.h"
#include "NYVALG.h"
#include "PROGVINDUER.h"
#include "RETINFO.h"
#include "RETTID.h"
#include "ROLLEFORSLAG.h"
#include "SKEBAGGRUND.h"
#include "SKEMAVIN.h"
#include "TOOLTIP.h"
#include "brikind_fixture.h"
#include "retiddlg.h"
#include "tavo/test_dialog.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace sketest;
using predtest::Rec;

// ==================================================================== placement

TEST(BrikIndPlacering, WidthAndPlaceOverTheMainWindow) {
  struct Sag {
    const char *navn;
    RECT hoved, arbejd;
    int side, bredde;
    RECT ventet;
  };
  const Sag sager[] = {
      {"centred over the main window", {100, 50, 1300, 950}, {0, 0, 1920, 1040}, 0, 800, {300, 40, 1100, 1021}},
      {"the side bar narrows the work area, not the place", {100, 50, 1300, 950}, {0, 0, 1920, 1040}, 30, 800,
       {300, 40, 1100, 1021}},
      {"partly off screen to the left", {-200, 0, 1000, 800}, {0, 0, 1920, 1040}, 0, 800, {200, 40, 1000, 1021}},
      {"wider than the main window", {100, 50, 1300, 950}, {0, 0, 1920, 1040}, 0, 1500, {100, 40, 1600, 1021}},
      {"a work area below a top bar", {0, 0, 1024, 768}, {0, 30, 1024, 768}, 0, 1024, {0, 70, 1024, 749}},
  };
  for (const Sag &s : sager) {
    const RECT r = BrikIndPlacering(s.hoved, s.arbejd, s.side, s.bredde);
    EXPECT_EQ(r.left, s.ventet.left) << s.navn;
    EXPECT_EQ(r.top, s.ventet.top) << s.navn;
    EXPECT_EQ(r.right, s.ventet.right) << s.navn;
    EXPECT_EQ(r.bottom, s.ventet.bottom) << s.navn;
    EXPECT_GE(r.left, 0) << s.navn;
  }
}

// ==================================================================== the window

struct Hoert {
  HWND h;
  UINT msg;
  LPARAM l;
};
std::vector<Hoert> &Hoerte() {
  static std::vector<Hoert> v;
  return v;
}
const char *gDele = nullptr;

// The main window keeps what it is told; as a stand-in schedule window it
// names the parts of a change.
LRESULT CALLBACK LytterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == 1338) return reinterpret_cast<LRESULT>(gDele);
  if (m == 1119) return 'K';
  if (m >= 1024 && m < 12000) {
    Hoerte().push_back({h, m, l});
    return 0;
  }
  return DefWindowProcA(h, m, w, l);
}

uint8_t gGemSvar = 0;
int gGemt = 0;
uint8_t GemStandIn(BrikIndStruct *, bool) {
  ++gGemt;
  return gGemSvar;
}

class BrikIndVindue : public BrikIndMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    Forbered("BrikIndLytter", LytterProc);
    Hoerte().clear();
    gDele = nullptr;
    gGemt = 0;
    gGemSvar = 0;
  }
  void TearDown() override {
    for (HWND h : vinduer_)
      if (IsWindow(h)) DestroyWindow(h);
    BrikIndKrog.Gem = nullptr;
    BrikIndKrog.Tid = nullptr;
    BrikIndKrog.DagsTider = nullptr;
    for (auto &r : RolleForslagene) r = 0;
    free(blok_);
    Afslut();
  }

  // A schedule window of one kind under the main window.
  HWND Skema(char art) {
    HWND w = CreateSkemaWnd(0, hoved_, hoved_, art, 0, 0, 800, 600, 0, nullptr, 'L', 'L', 'N', 'S', 'V', 0, 1, 0,
                            40001);
    EXPECT_TRUE(w);
    vinduer_.push_back(w);
    return w;
  }
  // The schedule window's marked block, with Tuesday's lesson 3 of week 40
  // marked.
  void MarkerTirsdag(HWND skema) {
    SkeStruct *s = SkemaVinduesSke(skema);
    blok_ = static_cast<uint8_t *>(calloc(SkemaPeriode.AntalUger + 1, kBlokUgeBytes));
    s->BlokTab = blok_;
    s->BlokUger = SkemaPeriode.AntalUger + 1;
    s->DelteBlokke = 1;  // the test frees it
    *BlokCelle(blok_, s->BlokUger, UgeTilIndeks(202400 + kUge), 2, 3) = BLOK_VALGT;
  }

  HWND Aabn(char mode, HWND skema) {
    HWND w = CreateBrikIndWnd(mode, skema);
    EXPECT_TRUE(w);
    if (w) vinduer_.push_back(w);
    return w;
  }
  static std::string Titel(HWND w) {
    char buf[200] = {};
    GetWindowTextA(w, buf, sizeof buf);
    return buf;
  }
  static TastInfo Tast(UINT vk, bool alt = false, bool ctrl = false, bool shift = false) {
    return TastAf(vk, alt, ctrl, shift);
  }
  static void Tryk(HWND w, UINT vk, bool alt = false, bool ctrl = false, bool shift = false) {
    TastInfo t = Tast(vk, alt, ctrl, shift);
    SendMessageA(w, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
  }

  // An event of the fixture's week: activity, employee, room; its first row.
  uint32_t Begivenhed(uint32_t id, Klokkeslaet start = 800, Klokkeslaet slut = 845) {
    Faelles f;
    f.id = id;
    f.start = start;
    f.slut = slut;
    f.risy = ring;
    f.lektion = 1;
    return SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer, .minut = 45}, {.loka = loka[0]}}, f);
  }

  uint8_t *blok_ = nullptr;
  std::vector<HWND> vinduer_;
};

TEST_F(BrikIndVindue, StepsByKeysWithTheirTitles) {
  HWND w = Aabn('L', Skema(SKE_AKTI));
  ASSERT_TRUE(w);
  BrikIndStruct *b = BrikIndWS(w);
  EXPECT_EQ(Titel(w), " Ny skemabegivenhed  -  [ Vælg aktivitet ]");
  struct Sag {
    char tast;
    uint8_t trin;
    const char *titel;
  };
  const Sag ny[] = {
      {'F', TRIN_SKFA, " Ny skemabegivenhed  -  [ Vælg skolefag ]"},
      {'M', TRIN_ANFO, " Ny skemabegivenhed  -  [ Vælg medarbejder ]"},
      {'L', TRIN_LOKA, " Ny skemabegivenhed  -  [ Vælg lokale ]"},
      {'R', TRIN_RISY, " Ny skemabegivenhed  -  [ Vælg ringetid ]"},
      // The special schedule list is closed for an ordinary event.
      {'S', TRIN_RISY, " Ny skemabegivenhed  -  [ Vælg ringetid ]"},
      {'E', TRIN_LEKTIONER, " Ny skemabegivenhed  -  [ Opmærk lektioner ]"},
      {'D', TRIN_DAGE, " Ny skemabegivenhed  -  [ Opmærk dage ]"},
      {'T', TRIN_TIDER, " Ny skemabegivenhed  -  [ Opmærk tider ]"},
      {'O', TRIN_OK, " Ny skemabegivenhed  -  [ Godkend begivenhed og afslut ]"},
      {'V', TRIN_ANVEND, " Ny skemabegivenhed  -  [ Anvend begivenhed og fortsæt ]"},
      {'N', TRIN_ANNULLER, " Ny skemabegivenhed  -  [ Fortryd ]"},
      {'A', TRIN_AKTI, " Ny skemabegivenhed  -  [ Vælg aktivitet ]"},
  };
  // Typed on the keyboard, through the list pane that has the focus.
  ShowWindow(w, SW_SHOW);
  SetForegroundWindow(w);
  SetFocus(b->hwndListe[0]);
  tavo::test::PressKey('M', tavo::test::ModAlt);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(+b->AktueltTrin, TRIN_ANFO);
  tavo::test::PressKey(VK_TAB, tavo::test::ModCtrl);
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(+b->AktueltTrin, TRIN_LOKA);
  for (const Sag &s : ny) {
    Tryk(w, s.tast, true);
    EXPECT_EQ(+b->AktueltTrin, +s.trin) << s.tast;
    EXPECT_EQ(Titel(w), s.titel) << s.tast;
  }
  // The mark step that was entered last set the placement.
  EXPECT_EQ(AktuelAVS.Placering, 'T');

  // Ctrl+Tab through the lists, and back; the mark steps in their ring.
  auto gaa = [&](bool tilbage) {
    Tryk(w, VK_TAB, false, true, tilbage);
    return +b->AktueltTrin;
  };
  std::vector<int> frem, tilbage;
  for (int i = 0; i < 5; ++i) frem.push_back(gaa(false));
  EXPECT_EQ(frem, (std::vector<int>{TRIN_SKFA, TRIN_ANFO, TRIN_LOKA, TRIN_RISY, TRIN_AKTI}));
  for (int i = 0; i < 5; ++i) tilbage.push_back(gaa(true));
  EXPECT_EQ(tilbage, (std::vector<int>{TRIN_RISY, TRIN_LOKA, TRIN_ANFO, TRIN_SKFA, TRIN_AKTI}));
  // A list that refuses the focus is passed over.
  SendMessageA(b->hwndFane, TAB_DISABLE, TRIN_SKFA, 0);
  EXPECT_EQ(gaa(false), TRIN_ANFO);
  EXPECT_EQ(gaa(true), TRIN_AKTI);
  Tryk(w, 'E', true);
  std::vector<int> mark;
  for (int i = 0; i < 3; ++i) mark.push_back(gaa(false));
  for (int i = 0; i < 3; ++i) mark.push_back(gaa(true));
  EXPECT_EQ(mark, (std::vector<int>{TRIN_DAGE, TRIN_TIDER, TRIN_LEKTIONER, TRIN_TIDER, TRIN_DAGE, TRIN_LEKTIONER}));

  // Enter: the next open step, the grid instead of "&Ok" while nothing is
  // marked, a beep when nothing changes.
  Tryk(w, 'R', true);
  Tryk(w, VK_RETURN);
  EXPECT_EQ(+b->AktueltTrin, TRIN_LEKTIONER);
  const int bip = tavo::test::BeepCount();
  Tryk(w, VK_RETURN);
  EXPECT_EQ(+b->AktueltTrin, TRIN_LEKTIONER);
  EXPECT_EQ(tavo::test::BeepCount(), bip + 1);
  *BlokCelle(b->BlokTab, b->BlokUger, UgeTilIndeks(202400 + kUge), 2, 3) = BLOK_VALGT;
  Tryk(w, VK_RETURN);
  EXPECT_EQ(+b->AktueltTrin, TRIN_OK);
  // Enter on "&Ok" saves; without the save there is the one answer.
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDOK; });
  Tryk(w, VK_RETURN);
  ASSERT_EQ(tavo::test::MessageBoxesShown().size(), 1u);
  EXPECT_TRUE(IsWindow(w));
  BrikIndKrog.Gem = GemStandIn;
  gGemSvar = TRIN_ANFO;  // the save names a step to go back to
  Tryk(w, VK_RETURN);
  EXPECT_EQ(gGemt, 1);
  EXPECT_EQ(+b->AktueltTrin, TRIN_ANFO);
  gGemSvar = 0;
  Tryk(w, 'O', true);
  Tryk(w, VK_RETURN);
  EXPECT_FALSE(IsWindow(w));
  // Closing told the main window.
  bool lukket = false;
  for (const Hoert &h : Hoerte()) lukket |= h.h == hoved_ && h.msg == 1117;
  EXPECT_TRUE(lukket);
}

TEST_F(BrikIndVindue, AChangeShowsThePanesAndTheOriginalScheduleInTheTitle) {
  const uint32_t forste = Begivenhed(41);
  Ret(forste);
  gDele = "KMT";
  HWND stand = CreateWindowExA(0, "BrikIndLytter", "", WS_CHILD, 0, 0, 10, 10, hoved_, 0, 0, nullptr);
  tavo::test::ClearDrawnTexts();
  HWND w = Aabn('L', stand);
  ASSERT_TRUE(w);
  BrikIndStruct *b = BrikIndWS(w);
  EXPECT_TRUE(b->hwndRetInfo[0] && b->hwndRetInfo[1]);
  EXPECT_FALSE(b->hwndBygInfo);
  // With 'T' among the parts the time button is there in lesson placement.
  EXPECT_TRUE(IsWindowVisible(b->hwndKnap[3]) || GetWindowLongA(b->hwndKnap[3], GWL_STYLE) & WS_VISIBLE);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  for (HWND h : b->hwndRetInfo) UpdateWindow(h);
  std::vector<std::string> tekster;
  for (const auto &t : tavo::test::DrawnTexts()) tekster.push_back(t.text);
  EXPECT_NE(std::find(tekster.begin(), tekster.end(), "OPRINDELIGT INDHOLD"), tekster.end());
  EXPECT_NE(std::find(tekster.begin(), tekster.end(), "INDHOLD RETTET TIL"), tekster.end());
  // The lists a change does not touch are closed: the subject and the rooms.
  Tryk(w, 'M', true);
  EXPECT_EQ(Titel(w), " Ret skemabegivenhed  -  [ Ret medarbejder ]");
  Tryk(w, 'L', true);
  EXPECT_EQ(+b->AktueltTrin, TRIN_ANFO);
  Tryk(w, 'E', true);
  EXPECT_EQ(Titel(w), " Ret skemabegivenhed  -  [ Opmærk blok der skal rettes ] - [ Oprindeligt aktivitet skema ]");
  // The other mark steps are not open on a change.
  Tryk(w, 'D', true);
  EXPECT_EQ(+b->AktueltTrin, TRIN_LEKTIONER);
  Tryk(w, 'O', true);
  EXPECT_EQ(Titel(w), " Ret skemabegivenhed  -  [ Godkend rettelse og afslut ]");
  DestroyWindow(w);
  DestroyWindow(stand);
}

TEST_F(BrikIndVindue, ANewEventHasTheStaffPanelAndNoTimeButtonInLessons) {
  HWND w = Aabn('L', Skema(SKE_AKTI));
  ASSERT_TRUE(w);
  BrikIndStruct *b = BrikIndWS(w);
  EXPECT_TRUE(b->hwndBygInfo);
  EXPECT_FALSE(b->hwndRetInfo[0]);
  EXPECT_FALSE(GetWindowLongA(b->hwndKnap[3], GWL_STYLE) & WS_VISIBLE);
  // Placed over the main window from the top of the work area down.
  RECT v{};
  GetWindowRect(w, &v);
  EXPECT_GE(v.left, 0);
  EXPECT_GT(v.bottom - v.top, 450);
  // Dragging an edge never makes it smaller than 575 x 450.
  RECT r{100, 100, 200, 150};
  SendMessageA(w, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&r));
  EXPECT_GE(r.right - r.left, 575);
  EXPECT_GE(r.bottom - r.top, 450);
  // Above the least size the panes lie inside the window, side by side;
  // below it they keep their places.
  auto rekt = [](HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(h), reinterpret_cast<POINT *>(&r), 2);
    return r;
  };
  MoveWindow(w, 0, 0, 1000, 700, TRUE);
  RECT k{};
  GetClientRect(w, &k);
  const HWND ruder[] = {b->hwndListe[0], b->hwndListe[1], b->hwndGitter, b->hwndBygInfo, b->hwndKnap[0], b->hwndKnap[2]};
  std::vector<RECT> placeret;
  for (HWND h : ruder) {
    const RECT r = rekt(h);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= k.right && r.bottom <= k.bottom && r.right > r.left);
    for (const RECT &a : placeret)
      EXPECT_FALSE(a.left < r.right && r.left < a.right && a.top < r.bottom && r.top < a.bottom);
    placeret.push_back(r);
  }
  MoveWindow(w, 0, 0, 560, 420, TRUE);
  const RECT efter = rekt(b->hwndGitter);
  EXPECT_EQ(efter.left, placeret[2].left);
  EXPECT_EQ(efter.right, placeret[2].right);
}

TEST_F(BrikIndVindue, TheStudentSwitchAndTheRemarkDoNotOutliveTheWindow) {
  GlobalIndstillinger.checkelevsammenfald = 1;
  const uint32_t bemFoer = tvbem.wRecCnt;
  const uint32_t forste = Begivenhed(42);
  Ret(forste);
  AktuelAVS.bem_id = GammelAVS.bem_id = 0;
  HWND w = Aabn('L', Skema(SKE_AKTI));
  ASSERT_TRUE(w);
  Tryk(w, 'C', true);
  EXPECT_EQ(GlobalIndstillinger.checkelevsammenfald, 0);
  SendMessageA(w, 2345, 0, reinterpret_cast<LPARAM>("ny bemærkning"));
  ASSERT_NE(AktuelAVS.bem_id, 0u);
  const uint32_t bem = AktuelAVS.bem_id;
  EXPECT_GE(tvbem.wRecCnt, bemFoer);
  EXPECT_NE(reinterpret_cast<BemRec *>(GetRec(&tdbem, &tvbem, bem))->Status, 0);
  SendMessageA(w, NYB_KLIK, KNAP_ANNULLER, 0);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_EQ(GlobalIndstillinger.checkelevsammenfald, 1);
  EXPECT_EQ(AktuelAVS.bem_id, 0u);
  EXPECT_EQ(reinterpret_cast<BemRec *>(GetRec(&tdbem, &tvbem, bem))->Status, 0);
}

TEST_F(BrikIndVindue, TimesFromTheDialogGoIntoEveryRowOfTheEventOnlyWhenSaved) {
  InstallerRetTid();
  InstallerGemBegivenhed();
  GlobalIndstillinger.checkminutnorm = 'n';
  // A stand-in schedule window names the parts of the change, the time
  // among them.
  gDele = "KMT";
  Begivenhed(44);
  // Every live event of the week as the times of its rows, in any order.
  using Tider = std::vector<std::pair<uint32_t, uint32_t>>;
  auto uge = [] {
    std::vector<Tider> ud;
    const TabVar *bucket = BegBucket(kAar, kUge);
    for (uint32_t r = 1; r < bucket->wRecCnt; ++r) {
      const SkeRec *f = BegFoersteRaekke(kAar, kUge, r);
      if (!f || !SkeRaekkeLever(f->Status)) continue;
      Tider t;
      for (uint32_t k = r; Raekke(k) && Raekke(k)->Forste == r; ++k) t.emplace_back(+Raekke(k)->Starttid, +Raekke(k)->Sluttid);
      ud.push_back(t);
    }
    std::sort(ud.begin(), ud.end());
    return ud;
  };
  const struct {
    const char *navn;
    std::vector<uint32_t> knapper;  // 0: the window is closed
    bool gemt;
    Klokkeslaet start, slut;
  } sager[] = {
      {"&Ok", {KNAP_OK}, true, 1100, 1145},
      {"An&vend, then A&nnuller", {KNAP_ANVEND, KNAP_ANNULLER}, true, 1200, 1245},
      {"An&vend, then closed", {KNAP_ANVEND, 0}, true, 1300, 1345},
      {"A&nnuller", {KNAP_ANNULLER}, false, 1400, 1445},
      {"closed", {0}, false, 1500, 1545},
  };
  for (const auto &s : sager) {
    SCOPED_TRACE(s.navn);
    // Two rows, as the writer lays out two teachers in two rooms.
    Faelles f;
    f.id = 50;
    f.risy = ring;
    f.lektion = 1;
    const uint32_t forste =
        SkrivRaekker({{.akti = akti[0], .anfo = anfo[0], .rol = laerer, .minut = 45, .loka = loka[0]},
                      {.anfo = anfo[1], .rol = laerer, .minut = 45, .loka = loka[1]}},
                     f);
    std::vector<Tider> ventet = uge();
    if (s.gemt) {
      ventet.erase(std::find(ventet.begin(), ventet.end(), Tider(2, {800u, 845u})));
      ventet.push_back(Tider(2, {s.start, s.slut}));
      std::sort(ventet.begin(), ventet.end());
    }
    Ret(forste);
    HWND skema = CreateWindowExA(0, "BrikIndLytter", "", WS_CHILD, 0, 0, 10, 10, hoved_, 0, 0, nullptr);
    vinduer_.push_back(skema);
    HWND w = Aabn('L', skema);
    ASSERT_TRUE(w);
    BrikIndStruct *b = BrikIndWS(w);
    // The event is marked on the window's grid.
    SendMessageA(b->hwndGitter, DATA_AENDRET, 0, 0);
    SkeStruct *g = SkemaVinduesSke(b->hwndGitter);
    ASSERT_TRUE(g && g->lpSkeVisListe);
    for (uint32_t i = 1; i <= g->SkeVisAntal; ++i)
      if (g->lpSkeVisListe[i].Forste == forste) g->lpSkeVisListe[i].FarveKode = 3;
    *BlokCelle(b->BlokTab, b->BlokUger, UgeTilIndeks(202400 + kUge), 2, 1) = BLOK_VALGT;
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
      char tekst[8];
      std::snprintf(tekst, sizeof tekst, "%04u", unsigned{s.start});
      dlgtest::SkrivFelt(d.hwnd, IDC_RETTID_START, tekst);
      std::snprintf(tekst, sizeof tekst, "%04u", unsigned{s.slut});
      dlgtest::SkrivFelt(d.hwnd, IDC_RETTID_SLUT, tekst);
      dlgtest::Tast(d.hwnd, VK_RETURN);
      return INT_PTR{0};
    });
    SendMessageA(w, NYB_KLIK, KNAP_TID, 0);
    for (uint32_t knap : s.knapper)
      if (knap) SendMessageA(w, NYB_KLIK, knap, 0);
      else DestroyWindow(w);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(tavo::test::MessageBoxesShown().size(), 0u) << tavo::test::MessageBoxesShown()[0].text;
    EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
    EXPECT_EQ(uge(), ventet);
  }
}

TEST_F(BrikIndVindue, ClosingPutsTheOpeningTimesBackOnlyWhileTheAddressHoldsTheEvent) {
  const uint32_t forste = Begivenhed(43);
  auto tider = [](uint32_t f) {
    std::vector<std::pair<uint32_t, uint32_t>> ud;
    for (uint32_t r = f; Raekke(r) && Raekke(r)->Forste == f; ++r) ud.emplace_back(+Raekke(r)->Starttid, +Raekke(r)->Sluttid);
    return ud;
  };
  const std::vector<std::pair<uint32_t, uint32_t>> flyttet(3, {1000u, 1045u});
  // The address now holds another event: nothing is written.
  Ret(forste);
  HWND w = Aabn('L', Skema(SKE_AKTI));
  ASSERT_TRUE(w);
  for (uint32_t r = forste; Raekke(r) && Raekke(r)->Forste == forste; ++r) {
    Raekke(r)->Starttid = 1000, Raekke(r)->Sluttid = 1045;
    Raekke(r)->id = 99;
  }
  BrikIndWS(w)->TidAendret = 1;
  DestroyWindow(w);
  EXPECT_EQ(tider(forste), flyttet);
}

TEST_F(BrikIndVindue, OpenedOnABusyTeacherAndOnAStudentOverlap) {
  // The teacher is busy on Tuesday in lesson 3 with another activity.
  const uint32_t optager = Rolle({"O"});
  Rec<SkemarolRec>(tvskemarol, optager)->Check_skemasammenfald = 'J';
  Faelles f;
  f.start = 950, f.slut = 1035, f.risy = ring, f.lektion = 3;
  SkrivRaekker({{.akti = akti[2]}, {.anfo = anfo[1], .rol = optager}}, f);
  // akti[0] shares students with akti[2].
  Elvrel2Rec par{akti[0], akti[2], 20240801, 20250731, 10};
  Ny(tdelvrel2, tvelvrel2, par);
  GlobalIndstillinger.checkelevsammenfald = 1;
  for (auto &r : RolleForslagene) r = optager;

  HWND skema = Skema(SKE_ANFO);
  MarkerTirsdag(skema);
  AddAVSEgenskab(&AktuelAVS, 'M', anfo[1], 0, -1.0f);
  AktuelAVS.risy_id = ring;
  HWND w = Aabn('L', skema);
  ASSERT_TRUE(w);
  BrikIndStruct *b = BrikIndWS(w);
  EXPECT_EQ(b->Valg[FOCUS_ANFO].Maerker[anfo[1]] & (MAERKE_VALGT | MAERKE_OPTAGET), MAERKE_VALGT | MAERKE_OPTAGET);
  // Without a role the teacher got the event kind's default.
  EXPECT_EQ(b->AnfoRolle[anfo[1]], optager);
  EXPECT_EQ(DifValgMaerkeTegn(DifValgVistMaerke(b, FOCUS_ANFO, anfo[2])), ' ');
  // The embedded schedule, of one object over the weeks, shows where the
  // teacher is busy in the week's row.
  SkeStruct *gitter = SkemaVinduesSke(b->hwndGitter);
  ASSERT_TRUE(gitter && gitter->FarveTimeTab);
  EXPECT_EQ(gitter->AlleObjekter, 0);
  const uint32_t uge = UgeTilIndeks(202400 + kUge);
  const uint8_t *celle = BaggrundCelle(gitter, gitter->FarveTimeTab, uge, 2, 3);
  ASSERT_TRUE(celle);
  EXPECT_EQ(*celle, BAGGRUND_ANFO);
  const uint8_t *fri = BaggrundCelle(gitter, gitter->FarveTimeTab, uge, 2, 5);
  ASSERT_TRUE(fri);
  EXPECT_NE(*fri, BAGGRUND_ANFO);
  // No activity in the event: no student-overlap warning.
  tavo::test::PumpUntilIdle();
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
  DestroyWindow(w);

  // One activity's event on a block where its partner is busy: the warning.
  CleanupAVS(&AktuelAVS);
  AktuelAVS.Placering = 'L', AktuelAVS.Art = 'S', AktuelAVS.Dag = 2;
  AddAVSEgenskab(&AktuelAVS, 'K', akti[0], 0, 0);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDOK; });
  w = Aabn('L', skema);
  ASSERT_TRUE(w);
  tavo::test::PumpUntilIdle();
  const auto boxe = tavo::test::MessageBoxesShown();
  ASSERT_EQ(boxe.size(), 1u);
  EXPECT_EQ(boxe[0].caption, "OBS!!! - Elevsammenfald");
  // The partner's row in the activity list carries the overlap colour.
  b = BrikIndWS(w);
  ByggDifValg(b, FOCUS_AKTI);
  uint32_t pos = 0;
  for (uint32_t i = 1; i <= b->Valg[FOCUS_AKTI].Antal; ++i)
    if (b->Valg[FOCUS_AKTI].ObjTab[i] == akti[2]) pos = i;
  ASSERT_NE(pos, 0u);
  EXPECT_EQ(DifValgRaekkeFarve(b, FOCUS_AKTI, pos, false), VFARVE_ELEVSAMMENFALD);
  DestroyWindow(w);
}

}  // namespace

namespace sketest {
namespace {

// On the mark step the entry window's schedule shows the activity of the
// opening window's cursor over the weeks, from the cell the event was placed
// at, and takes the moving and marking keys: Space marks that cell, Shift+Down
// and Space the next lesson with it. The keys of the lists stay the lists'.
TEST_F(BrikIndVindue, TheMarkStepsKeysMarkTheCellsOfTheEntryWindowsSchedule) {
  HWND skema = Skema(SKE_AKTI);
  SkeStruct *s = SkemaVinduesSke(skema);
  ASSERT_TRUE(s);
  const uint32_t raekke = s->ObjPos.Aktuel, lektion = 3;
  s->TidPos.Aktuel = lektion;
  const uint32_t objekt = SkeRaekkeObjekt(s, raekke);
  ASSERT_NE(objekt, 0u);
  AddAVSEgenskab(&AktuelAVS, 'K', objekt, 0, 0);
  HWND w = Aabn('L', skema);
  ASSERT_TRUE(w);
  BrikIndStruct *b = BrikIndWS(w);
  SkeStruct *gitter = SkemaVinduesSke(b->hwndGitter);
  ASSERT_TRUE(gitter);
  EXPECT_EQ(gitter->AlleObjekter, 0);
  EXPECT_EQ(SkeRaekkeObjekt(gitter, gitter->AktuelObjRaekke), objekt);
  const uint32_t tid = gitter->TidPos.Aktuel;
  EXPECT_EQ(tid, lektion);

  Tryk(w, 'E', true);
  ASSERT_EQ(+b->AktueltTrin, TRIN_LEKTIONER);
  const uint32_t uge = SkemaPeriode.AktuelUgeIndeks;
  auto markeret = [&](uint32_t l) {
    const uint8_t *c = BlokCelle(b->BlokTab, b->BlokUger, uge, 1, l);
    return c && (*c & BLOK_VALGT);
  };
  Tryk(w, VK_SPACE);
  EXPECT_TRUE(markeret(lektion));
  EXPECT_FALSE(markeret(lektion + 1));
  Tryk(w, VK_DOWN, false, false, true);
  Tryk(w, VK_SPACE);
  EXPECT_TRUE(markeret(lektion));
  EXPECT_TRUE(markeret(lektion + 1));
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());

  // Ctrl+digits are still typed into the current list's number.
  const uint8_t liste = b->AktuelListe;
  Tryk(w, '2', false, true);
  EXPECT_STREQ(b->Valg[liste].Tastetekst, "2");
}

}  // namespace
}  // namespace sketest
