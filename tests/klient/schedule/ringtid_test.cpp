// Ring systems for display: the groups and singles built from hand-made
// ring systems and the activities that name them, with the flags written
// back; and the ring-time strip made by a real toolbar strip, driven by the
// mouse and by its messages as the toolbar and the schedule window send
// them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KROGE.h"
#include "../ui/ens_support.h"
#include "LISTBOX.h"
#include "OBJFELT.h"
#include "RINGKROG.h"
#include "RINGTID.h"
#include "TAVOTB.h"
#include "ImpBehandl.h"
#include "ske_fixture.h"
#include "tavo/test_dialog.h"
#include "tavo/test_gdi.h"
#include "tavo/test_user.h"

namespace {

using namespace sketest;

// One ring system of a case: its short name, its status, whether an
// activity names it, and the lesson (0 none) whose start time is moved by
// five minutes.
struct Ring {
  const char *kort;
  uint8_t status = 10;
  bool brugt = true;
  uint32_t afvig = 0;
  uint32_t lektioner = 10;
};

class RingeGrupper : public SkeMappe {
 protected:
  void TearDown() override {
    ObjFeltKilder.RingeGrupper = nullptr;
    ObjFeltKilder.RingeGruppeAntal = 0;
    SkeMappe::TearDown();
  }

  // Empty ring-system and activity tables, then the case's ring systems,
  // each named by an activity of its own when it is used; their numbers.
  std::vector<uint32_t> Lav(const std::vector<Ring> &ringe) {
    for (auto [td, tv] : {std::pair{&tdrisy, &tvrisy}, std::pair{&tdakti, &tvakti}}) {
      predtest::TomTabel(tv);
      ResetTab(td, tv, 1);
    }
    std::vector<uint32_t> nr;
    for (const Ring &r : ringe) {
      const uint32_t n = Ringesystem({.antal = r.lektioner}, r.status, r.kort);
      RisyRec *ri = Rec<RisyRec>(tvrisy, n);
      snprintf(ri->Betegnelse, sizeof ri->Betegnelse, "%s-navn", r.kort);
      if (r.afvig) ri->Starttid[r.afvig - 1] = LaegMinutterTil(ri->Starttid[r.afvig - 1], 5);
      if (r.brugt) Aktivitet(n);
      nr.push_back(n);
    }
    return nr;
  }
  static uint32_t Aktivitet(uint32_t risy) {
    AktiRec a{};
    a.id = 3000 + tvakti.wRecCnt;
    Tekst(a.Aktivitet, "hold");
    a.Status = 10;
    a.risy_id = risy;
    return Ny(tdakti, tvakti, a);
  }
  static std::vector<std::string> Tekster(const char (*tab)[kRingTekstLaengde], uint32_t antal) {
    std::vector<std::string> v;
    for (uint32_t i = 0; i < antal; ++i) v.emplace_back(tab[i]);
    return v;
  }
};

TEST_F(RingeGrupper, GroupsAndSinglesOfTheLiveRingSystems) {
  // The lesson view shows lessons 1 to 8.
  const struct {
    const char *hvad;
    std::vector<Ring> ringe;
    std::vector<std::string> grupper;
    std::vector<uint32_t> gruppeAf;  // each ring system's group
    std::vector<std::string> singler;
  } tilfaelde[] = {
      {"a difference outside the shown lessons still groups; inside it does not",
       {{"A"}, {"B", 10, true, 9}, {"C", 10, true, 3}},
       {"Lektion", "A+B", "C"},
       {1, 1, 2},
       {"Lektion", "A A-navn", "B B-navn", "C C-navn"}},
      {"a difference in the end times parts them too",
       {{"A"}, {"B", 10, true, 0, 4}},
       {"Lektion", "A", "B"},
       {1, 2},
       {"Lektion", "A A-navn", "B B-navn"}},
      {"a ring system no activity names is a single entry only",
       {{"A"}, {"B", 10, false}},
       {"Lektion", "A"},
       {1, 0},
       {"Lektion", "A A-navn", "B B-navn"}},
      {"one that is not live is neither",
       {{"A", 1}, {"B"}},
       {"Lektion", "B"},
       {0, 1},
       {"Lektion", "B B-navn"}},
      {"four members are named",
       {{"A"}, {"B"}, {"C"}, {"D"}},
       {"Lektion", "A+B+C+D"},
       {1, 1, 1, 1},
       {"Lektion", "A A-navn", "B B-navn", "C C-navn", "D D-navn"}},
      {"the fifth shows that there are more",
       {{"A"}, {"B"}, {"C"}, {"D"}, {"E"}},
       {"Lektion", "A+B+C+D+..."},
       {1, 1, 1, 1, 1},
       {"Lektion", "A A-navn", "B B-navn", "C C-navn", "D D-navn", "E E-navn"}},
      {"seven members read as five",
       {{"A"}, {"B"}, {"C"}, {"D"}, {"E"}, {"F"}, {"G"}},
       {"Lektion", "A+B+C+D+..."},
       {1, 1, 1, 1, 1, 1, 1},
       {"Lektion", "A A-navn", "B B-navn", "C C-navn", "D D-navn", "E E-navn", "F F-navn", "G G-navn"}},
      {"members between groups join their own",
       {{"A"}, {"C", 10, true, 2}, {"B"}, {"D", 10, true, 2}},
       {"Lektion", "A+B", "C+D"},
       {1, 2, 1, 2},
       {"Lektion", "A A-navn", "C C-navn", "B B-navn", "D D-navn"}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    const std::vector<uint32_t> nr = Lav(t.ringe);
    CreateRingeGrupper();
    EXPECT_EQ(Tekster(RingeGruppeStrTab, RingeGruppeAntal), t.grupper);
    EXPECT_EQ(Tekster(RingeSingleStrTab, RingeSingleAntal), t.singler);
    ASSERT_EQ(nr.size(), t.gruppeAf.size());
    // A group's id is its first member's.
    std::vector<uint32_t> foerste(t.grupper.size(), 0);
    for (size_t i = 0; i < nr.size(); ++i) {
      EXPECT_EQ(+Rec<RisyRec>(tvrisy, nr[i])->RingeGruppe, t.gruppeAf[i]) << t.ringe[i].kort;
      if (t.gruppeAf[i] && !foerste[t.gruppeAf[i]]) foerste[t.gruppeAf[i]] = nr[i];
    }
    EXPECT_EQ(std::vector<uint32_t>(RingeGruppeTab, RingeGruppeTab + RingeGruppeAntal), foerste);
    EXPECT_EQ(RingeSingleTab[0], 0u);
    for (uint32_t s = 1; s < RingeSingleAntal; ++s)
      EXPECT_EQ(std::string(Rec<RisyRec>(tvrisy, RingeSingleTab[s])->Ringesystem), t.singler[s].substr(0, 1));
    // The store's ring-group column shows the group's text.
    EXPECT_EQ(ObjFeltKilder.RingeGrupper, RingeGruppeStrTab);
    EXPECT_EQ(ObjFeltKilder.RingeGruppeAntal, RingeGruppeAntal);
  }
}

TEST_F(RingeGrupper, TextsThatFillTheirFieldsAreCutAt26) {
  // Short names of five letters without a terminator, names of sixteen.
  std::vector<uint32_t> nr = Lav({{"A"}, {"B"}, {"C"}, {"D"}, {"E"}});
  for (uint32_t i = 0; i < nr.size(); ++i) {
    RisyRec *r = Rec<RisyRec>(tvrisy, nr[i]);
    memset(r->Ringesystem, 'A' + i, sizeof r->Ringesystem);
    memset(r->Betegnelse, 'a' + i, sizeof r->Betegnelse);
  }
  CreateRingeGrupper();
  ASSERT_EQ(RingeGruppeAntal, 2u);
  EXPECT_EQ(std::string(RingeGruppeStrTab[1]), "AAAAA+BBBBB+CCCCC+DDDDD+..");
  ASSERT_EQ(RingeSingleAntal, 6u);
  EXPECT_EQ(std::string(RingeSingleStrTab[1]), "AAAAA " + std::string(16, 'a'));
  // The ring-group column of a ring system.
  char tekst[OBJFELT_TEKST_LEN] = {};
  ObjFeltTekst(0, 244, 0, nr[3], 0, 0, 0, tekst, nullptr, nullptr, nullptr, 0, 'R');
  EXPECT_EQ(std::string(tekst), "AAAAA+BBBBB+CCCCC+DDDDD+..");
}

TEST_F(RingeGrupper, InUseFlagsAreWrittenToRingSystemsAndActivities) {
  std::vector<uint32_t> nr = Lav({{"A"}, {"U", 10, false}, {"T"}, {"S", 1}});
  // T has no times; an activity names a ring system past the table, one
  // none, and one carries a flag from an earlier rebuild.
  RisyRec *t = Rec<RisyRec>(tvrisy, nr[2]);
  memset(t->Starttid, 0, sizeof t->Starttid);
  memset(t->Sluttid, 0, sizeof t->Sluttid);
  const uint32_t udenfor = Aktivitet(tvrisy.wRecCnt + 5), ingen = Aktivitet(0), gammel = Aktivitet(nr[2]);
  Rec<AktiRec>(tvakti, gammel)->RisyOk = 1;
  Rec<RisyRec>(tvrisy, nr[1])->Anvendt = 1;
  Rec<RisyRec>(tvrisy, nr[1])->RingeGruppe = 7;
  CreateRingeGrupper();

  const struct {
    uint32_t risy;
    uint8_t anvendt, harTider;
  } ringe[] = {{nr[0], 1, 1}, {nr[1], 0, 1}, {nr[2], 0, 0}, {nr[3], 1, 1}};
  for (const auto &r : ringe) {
    const RisyRec *ri = Rec<RisyRec>(tvrisy, r.risy);
    EXPECT_EQ(+ri->Anvendt, r.anvendt) << ri->Ringesystem;
    EXPECT_EQ(+ri->RisyOk, r.harTider) << ri->Ringesystem;
  }
  EXPECT_EQ(+Rec<RisyRec>(tvrisy, nr[1])->RingeGruppe, 0u);
  // Activities: A's, T's (twice), S's, and the three odd ones.
  std::vector<int> flag;
  for (uint32_t a = 1; a < tvakti.wRecCnt; ++a) flag.push_back(Rec<AktiRec>(tvakti, a)->RisyOk);
  const std::vector<int> ventet = {1, 0, 1, 0, 0, 0};
  EXPECT_EQ(std::vector<int>(flag.end() - 6, flag.end()), ventet);
  EXPECT_EQ(+Rec<AktiRec>(tvakti, udenfor)->RisyOk, 0);
  EXPECT_EQ(+Rec<AktiRec>(tvakti, ingen)->RisyOk, 0);
  EXPECT_EQ(+Rec<AktiRec>(tvakti, gammel)->RisyOk, 0);
}

TEST_F(RingeGrupper, TheRebuildOfDerivedDataRunsTheGrouping) {
  Lav({{"A"}, {"B"}});
  BehandlDataKrog = {};
  InstallerRingTid();
  ASSERT_EQ(BehandlDataKrog.CreateRingeGrupper, &CreateRingeGrupper);
  BehandlData();
  BehandlDataKrog = {};
  EXPECT_EQ(Tekster(RingeGruppeStrTab, RingeGruppeAntal), (std::vector<std::string>{"Lektion", "A+B"}));
  // The widths the toolbar gives the strip: the widest text + 5, groups
  // wider than singles here.
  EXPECT_GT(RingBogstavBredde[RingBogstavIndeks('G')], 5);
  EXPECT_GT(RingBogstavBredde[RingBogstavIndeks('S')], RingBogstavBredde[RingBogstavIndeks('G')]);
}

// ==================================================================== the strip

// A grid window's toolbar strip with a ring strip of the letter, on a host
// that logs what the toolbar passes on; three ring systems A and B (one
// group) and C.
class RingStrimmel : public RingeGrupper {
 protected:
  void SetUp() override {
    RingeGrupper::SetUp();
    wfb_test::RegistrerUiKlasser();
    ASSERT_TRUE(RegistrerListeKlasser(0));
    ASSERT_TRUE(RegistrerToolbarKlasser(0));
    ASSERT_TRUE(RegistrerRingKlasse(0));
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &gemtArbejde, 0);
    vaert = CreateWindowExA(0, "WfbVaert", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 40, 60, 600, 300, 0, 0, 0,
                            nullptr);
    ringe = Lav({{"A"}, {"B"}, {"C", 10, true, 1}});
    CreateRingeGrupper();
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &gemtArbejde, 0);
    tavo::test::ResetUser();
    RingeGrupper::TearDown();
  }

  // The strip of a new toolbar at y of the host; the log cleared.
  HWND Strimmel(char bogstav, int y = 0) {
    HWND tb = CreateTavoTBWnd(0, vaert, 'K', bogstav, 0, false, false, false, true, 100, 400);
    EXPECT_NE(tb, 0u);
    MoveWindow(tb, 0, y, 400, kToolbarHoejde, TRUE);
    ShowWindow(tb, SW_SHOW);
    tavo::test::PumpUntilIdle();
    wfb_test::Log().clear();
    HWND s = reinterpret_cast<TBWS *>(GetWindowLongPtrA(tb, GWLP_USERDATA))->ring;
    EXPECT_NE(s, 0u);
    return s;
  }
  static RingWS *Ws(HWND s) { return reinterpret_cast<RingWS *>(GetWindowLongPtrA(s, GWLP_USERDATA)); }
  static RECT Skaerm(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
  }
  static void Klik(HWND h, int x, int y) {
    const POINT p = tavo::test::ScreenPoint(h, x, y);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
  }
  // What the host heard of the strip: 1105 with its id, 1109.
  static std::vector<std::pair<UINT, WPARAM>> Hoert() {
    std::vector<std::pair<UINT, WPARAM>> v;
    for (const auto &b : wfb_test::Log())
      if (b.msg == RING_VALGT || b.msg == RING_VALGT_INDEKS) v.emplace_back(b.msg, b.w);
    wfb_test::Log().clear();
    return v;
  }
  // The last text drawn into the strip.
  static std::string Vist(HWND s) {
    std::string t;
    for (const auto &d : tavo::test::DrawnTexts())
      if (d.hwnd == s) t = d.text;
    return t;
  }

  RECT gemtArbejde{};
  HWND vaert = 0;
  std::vector<uint32_t> ringe;
};

TEST_F(RingStrimmel, AClickDropsTheGroupsUnderTheStripOrAboveItAtTheBottom) {
  const int hoejde = 3 * kListBoxRaekke + 2;
  enum Kant { Egen, Hoejre, Venstre };  // the list's left edge: the strip's, or the work area's
  const struct {
    const char *hvad;
    int toolbarY;
    RECT arbejde;
    bool over;
    Kant kant;
  } tilfaelde[] = {
      {"below", 0, {0, 0, 800, 600}, false, Egen},
      {"moved left at the work area's right edge", 0, {0, 0, 300, 600}, false, Hoejre},
      {"never left of the work area", 0, {450, 0, 900, 600}, false, Venstre},
      {"above at the bottom", 200, {0, 0, 800, 60 + 200 + 3 + 18 + hoejde - 1}, true, Egen},
      {"below when it just fits", 200, {0, 0, 800, 60 + 200 + 3 + 18 + hoejde}, false, Egen},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    RECT wa = t.arbejde;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &wa, 0);
    HWND s = Strimmel('G', t.toolbarY);
    RingWS *w = Ws(s);
    ASSERT_EQ(w->antal, 3u);
    Klik(s, 5, 5);
    ASSERT_TRUE(IsWindowVisible(w->liste));
    EXPECT_EQ(GetCapture(), w->liste);
    const RECT strip = Skaerm(s), liste = Skaerm(w->liste);
    const int bredde = liste.right - liste.left;
    EXPECT_EQ(bredde, std::max<int>(RingBogstavBredde[0], strip.right - strip.left));
    EXPECT_EQ(liste.bottom - liste.top, hoejde);
    const int x[] = {strip.left, wa.right - bredde, wa.left};
    EXPECT_EQ(liste.left, x[t.kant]);
    EXPECT_EQ(liste.top, t.over ? strip.top - hoejde : strip.bottom);
    // A choice: the ring system and then the index to the owner, the list
    // gone, the choice shown.
    tavo::test::ClearDrawnTexts();
    Klik(w->liste, 10, 1 + 2 * kListBoxRaekke + 6);
    EXPECT_FALSE(IsWindowVisible(w->liste));
    EXPECT_NE(GetCapture(), w->liste);
    EXPECT_EQ(Hoert(), (std::vector<std::pair<UINT, WPARAM>>{{RING_VALGT, ringe[2]}, {RING_VALGT_INDEKS, 0}}));
    EXPECT_EQ(w->aktuel, 2u);
    EXPECT_EQ(Vist(s), "C");
    DestroyWindow(GetParent(s));
  }
}

TEST_F(RingStrimmel, AClickInSingleModeOnlyTellsWhereToChange) {
  HWND s = Strimmel('S');
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return IDOK; });
  Klik(s, 5, 5);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Ringetid");
  EXPECT_EQ(bokse[0].text, "Der kan kun skiftes ringetid på fanen 'Ringetid' eller ved at vælge en aktivitet !");
  EXPECT_EQ(bokse[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_FALSE(IsWindowVisible(Ws(s)->liste));
  EXPECT_TRUE(Hoert().empty());
}

TEST_F(RingStrimmel, MessagesChooseByIdIndexOrStep) {
  using H = std::vector<std::pair<UINT, WPARAM>>;
  const WPARAM a = ringe[0], b = ringe[1], c = ringe[2], forStort = tvrisy.wRecCnt;
  const struct {
    const char *hvad;
    char bogstav;
    uint32_t fra;  // the entry shown before
    UINT msg;
    WPARAM w;
    LPARAM l;
    uint32_t aktuel;
    H hoert;
  } tilfaelde[] = {
      // Singles: Lektion, A, B, C. Groups: Lektion, A+B, C.
      {"1106 steps on", 'S', 1, RING_NAESTE, 10, 0, 2, {{RING_VALGT, b}}},
      {"1106 wraps to the first entry, which is no ring system", 'S', 3, RING_NAESTE, 10, 0, 0, {}},
      {"1106 from the first entry", 'G', 0, RING_NAESTE, 10, 0, 1, {{RING_VALGT, a}}},
      {"1071 takes an id it holds", 'S', 0, RING_VAELG_ID, c, 0, 3, {{RING_VALGT, c}}},
      {"1071 of the id shown changes nothing", 'S', 3, RING_VAELG_ID, c, 0, 3, {}},
      {"1071 of a group member that does not head it", 'G', 0, RING_VAELG_ID, b, 0, 0, {}},
      {"1071 past the ring systems", 'S', 0, RING_VAELG_ID, forStort, 0, 0, {}},
      {"1071 of 0", 'S', 2, RING_VAELG_ID, 0, 0, 2, {}},
      {"1352 shows a single", 'S', 0, RING_VIS_ID, b, 0, 2, {}},
      {"1352 with lParam 1 tells the owner", 'S', 0, RING_VIS_ID, b, 1, 2, {{RING_VALGT, b}}},
      {"1352 shows no group", 'G', 0, RING_VIS_ID, a, 0, 0, {}},
      {"1352 with lParam 1 tells the owner from groups too", 'G', 0, RING_VIS_ID, c, 1, 0, {{RING_VALGT, c}}},
      {"1352 past the ring systems", 'S', 0, RING_VIS_ID, forStort, 1, 0, {}},
      {"2228 chooses by index", 'G', 0, LISTBOX_VALGT, 2, 0, 2, {{RING_VALGT, c}, {RING_VALGT_INDEKS, 0}}},
      {"2228 of the first entry", 'S', 2, LISTBOX_VALGT, 0, 0, 0, {{RING_VALGT, 0}, {RING_VALGT_INDEKS, 0}}},
      {"2228 past the entries", 'G', 0, LISTBOX_VALGT, 3, 0, 0, {}},
      {"2228 of nothing current", 'G', 1, LISTBOX_VALGT, static_cast<WPARAM>(-1), 0, 1, {}},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    HWND s = Strimmel(t.bogstav);
    Ws(s)->aktuel = t.fra;
    tavo::test::ClearDrawnTexts();
    SendMessageA(s, t.msg, t.w, t.l);
    EXPECT_EQ(Ws(s)->aktuel, t.aktuel);
    EXPECT_EQ(Hoert(), t.hoert);
    if (t.aktuel != t.fra) {
      EXPECT_EQ(Vist(s), (t.bogstav == 'G' ? RingeGruppeStrTab : RingeSingleStrTab)[t.aktuel]);
    }
    DestroyWindow(GetParent(s));
  }
}

TEST_F(RingStrimmel, TheToolbarPassesTheRingKeyAndTheWindowsChoices) {
  HWND s = Strimmel('S');
  HWND tb = GetParent(s);
  EXPECT_TRUE(KmdToolbarRing(tb, true, 2));
  SendMessageA(tb, RING_VIS_ID, ringe[2], 1);
  EXPECT_EQ(Ws(s)->aktuel, 3u);
  EXPECT_EQ(Hoert(), (std::vector<std::pair<UINT, WPARAM>>{{RING_VALGT, ringe[0]}, {RING_VALGT, ringe[2]}}));
}

TEST_F(RingStrimmel, AnOpenStripOutlivesARebuildOfTheTables) {
  HWND s = Strimmel('G');
  SendMessageA(s, RING_NAESTE, 10, 0);
  // An import rebuilds the tables under the open window: the strip keeps
  // showing and offering what it was made with.
  Lav({{"X"}});
  CreateRingeGrupper();
  tavo::test::ClearDrawnTexts();
  SendMessageA(s, ELEMENT_MAA_AKTIVERES, 0, 0);
  EXPECT_EQ(Vist(s), "A+B");
  Klik(s, 5, 5);
  RingWS *w = Ws(s);
  ASSERT_TRUE(IsWindowVisible(w->liste));
  std::vector<std::string> liste;
  for (const auto &d : tavo::test::DrawnTexts())
    if (d.hwnd == w->liste) liste.push_back(d.text);
  EXPECT_EQ(liste, (std::vector<std::string>{"Lektion", "A+B", "C"}));
}

}  // namespace
