// The common subjects and students: the recount of fagelv from the
// person/activity links, the rows listed for the plan's current activity,
// and the window that follows the plan window.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "FF_Felles.h"
#include "FINDREC.h"
#include "OBJVINDUE.h"
#include "SKOLEDATA.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "TABOPER.h"
#include "TASTINFO.h"
#include "VINDUER.h"
#include "planvindue_fixtur.h"

namespace fs = std::filesystem;

namespace {

using plantest::Ny;
using plantest::Tekst;

uint32_t NyAkpl(uint32_t pers, uint32_t akti, uint8_t status = 10) {
  return Ny(tdakpl, tvakpl, AkplRec{pers, akti, status, 20240801, 20250731});
}

// The live fagelv pairs with a count, by (lower, higher) activity.
std::map<std::pair<uint32_t, uint32_t>, uint32_t> Taellinger() {
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> m;
  for (uint32_t n = 1; n < tvfagelv.wRecCnt; ++n) {
    const FagelvRec *f = TabRec<FagelvRec>(tvfagelv, n);
    if (f->Status == 0) continue;
    const uint32_t a = f->akti1_id, b = f->akti2_id;
    m[{std::min(a, b), std::max(a, b)}] += f->Faelles_Elever;
  }
  return m;
}

uint32_t LevendePoster() {
  uint32_t antal = 0;
  for (uint32_t n = 1; n < tvfagelv.wRecCnt; ++n) antal += TabRec<FagelvRec>(tvfagelv, n)->Status != 0;
  return antal;
}

// ---- The recount ----

class FaellesElever : public plantest::PlanFixtur {
 protected:
  uint32_t X = 0, Y = 0, Z = 0;
  void SetUp() override {
    PlanFixtur::SetUp();
    X = NyAkti("X", "X");
    Y = NyAkti("Y", "Y");
    Z = NyAkti("Z", "Z");
  }
  using Taelling = std::map<std::pair<uint32_t, uint32_t>, uint32_t>;
};

TEST_F(FaellesElever, EachPairOfAPersonsActivitiesCountsOnceInOneRecord) {
  struct Link {
    uint32_t pers;
    char akti;  // 'X', 'Y', 'Z'; '?' an activity that does not exist
    uint8_t status = 10;
  };
  struct Tilfaelde {
    const char *navn;
    std::vector<Link> links;
    std::map<std::pair<char, char>, uint32_t> forventet;
  };
  const Tilfaelde tabel[] = {
      {"three activities give three pairs", {{1, 'X'}, {1, 'Y'}, {1, 'Z'}}, {{{'X', 'Y'}, 1}, {{'X', 'Z'}, 1}, {{'Y', 'Z'}, 1}}},
      {"two persons on one pair", {{1, 'X'}, {2, 'Y'}, {2, 'X'}, {1, 'Y'}}, {{{'X', 'Y'}, 2}}},
      {"links of a person apart in the table", {{1, 'Y'}, {2, 'Z'}, {3, 'Z'}, {1, 'X'}, {3, 'Y'}}, {{{'X', 'Y'}, 1}, {{'Y', 'Z'}, 1}}},
      {"a dead link counts nothing", {{1, 'X'}, {1, 'Y', 0}, {1, 'Z', 108}}, {}},
      {"a person twice on one activity", {{1, 'X'}, {1, 'X'}, {1, 'Y'}}, {{{'X', 'Y'}, 1}}},
      {"a link to no activity leaves no record", {{1, 'X'}, {1, '?'}}, {}},
      {"one link alone", {{1, 'X'}}, {}},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    ResetTab(&tdakpl, &tvakpl, 1);
    ResetTab(&tdfagelv, &tvfagelv, 1);
    auto akti = [&](char c) { return c == 'X' ? X : c == 'Y' ? Y : c == 'Z' ? Z : tvakti.wRecCnt + 5; };
    for (const Link &l : t.links) NyAkpl(l.pers, akti(l.akti), l.status);
    CountFaellesElever();
    Taelling forventet;
    for (const auto &[par, n] : t.forventet) forventet[{akti(par.first), akti(par.second)}] = n;
    EXPECT_EQ(Taellinger(), forventet);
    EXPECT_EQ(LevendePoster(), forventet.size()) << "one record per pair";
    for (const auto &[par, n] : forventet) {
      const uint32_t r = FindParRec(&tdfagelv, &tvfagelv, par.first, par.second);
      ASSERT_NE(r, 0u) << "found by its key";
      EXPECT_EQ(TabRec<FagelvRec>(tvfagelv, r)->akti1_id, par.first) << "the lower first";
    }
  }
}

TEST_F(FaellesElever, ARecountStartsFromNothingAndKeepsTheRecords) {
  // A stored pair in the other order and one whose students have gone.
  FagelvRec gammel{};
  gammel.akti1_id = Y;
  gammel.akti2_id = X;
  gammel.Status = 10;
  gammel.Faelles_Fag = 1;
  gammel.Faelles_Elever = 40;
  const uint32_t yx = Ny(tdfagelv, tvfagelv, gammel);
  gammel.akti1_id = X;
  gammel.akti2_id = Z;
  gammel.Faelles_Elever = 9;
  const uint32_t xz = Ny(tdfagelv, tvfagelv, gammel);
  for (uint32_t p : {1u, 2u, 3u}) NyAkpl(p, X), NyAkpl(p, Y);
  for (int gang = 0; gang < 2; ++gang) {
    SCOPED_TRACE(gang);
    CountFaellesElever();
    EXPECT_EQ(Taellinger(), (Taelling{{{X, Y}, 3}, {{X, Z}, 0}}));
    EXPECT_EQ(LevendePoster(), 2u);
    EXPECT_EQ(TabRec<FagelvRec>(tvfagelv, yx)->Faelles_Elever, 3u) << "the stored record is raised";
    EXPECT_EQ(TabRec<FagelvRec>(tvfagelv, yx)->Faelles_Fag, 1u);
    EXPECT_EQ(TabRec<FagelvRec>(tvfagelv, xz)->Faelles_Elever, 0u);
  }
  // The changed records go with the next save.
  EXPECT_NE(tvfagelv.pfSave[yx / tdfagelv.RecPrBlok], 0);
}

TEST_F(FaellesElever, ManyPersonsMatchAPlainCount) {
  // An independent count over persons on up to four of six activities.
  std::vector<uint32_t> a;
  for (int i = 0; i < 3; ++i) a.push_back(NyAkti("A", "A"));
  a.insert(a.end(), {X, Y, Z});
  std::map<uint32_t, std::vector<uint32_t>> paa;
  for (uint32_t p = 1; p <= 60; ++p)
    for (uint32_t k = 0; k < a.size(); ++k)
      if ((p * 7 + k * 3) % 5 < 2) {
        NyAkpl(1000 - p, a[k]);
        paa[p].push_back(a[k]);
      }
  Taelling forventet;
  for (const auto &[p, v] : paa)
    for (size_t i = 0; i < v.size(); ++i)
      for (size_t j = i + 1; j < v.size(); ++j) ++forventet[{std::min(v[i], v[j]), std::max(v[i], v[j])}];
  CountFaellesElever();
  EXPECT_EQ(Taellinger(), forventet);
  EXPECT_EQ(LevendePoster(), forventet.size());
}

// ---- The rows listed ----

struct FalskPlan {
  uint8_t bogstav = 'K';
  uint32_t akti = 0;
  Plan *plan = nullptr;
};
FalskPlan &Falsk() {
  static FalskPlan f;
  return f;
}
LRESULT CALLBACK FalskPlanProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case OBJEKT_ART: return Falsk().bogstav;
    case GANT_AKTUEL_REC: return Falsk().akti;
    case REL_PLAN_TILSTAND: return reinterpret_cast<LRESULT>(Falsk().plan);
  }
  return DefWindowProcA(h, m, w, l);
}

class PlanFelVindueListe : public plantest::PlanFixtur {
 protected:
  uint32_t C = 0, A1 = 0, A2 = 0, Ovak = 0, Slut = 0, Foer = 0, A6 = 0, Udenfor = 0;
  uint32_t dansk = 0, mat = 0, anne = 0, bo = 0;
  HWND falsk = 0;
  FelWS ws{};

  void SetUp() override {
    PlanFixtur::SetUp();
    TomSkemabeg();
    // The timetable before the group's start counts.
    TabRec<FfpgRec>(tvffpg, gruppe)->Fradato = 20241104;
    VaelgGruppe(gruppe);
    dansk = NySkfa("DA", 'A', "Dansk");
    mat = NySkfa("MA", 'B', "Matematik");
    C = NyAkti("1a Da", "1a");
    A1 = NyAkti("2a Da", "2a");
    A2 = NyAkti("3a Ty", "3a");
    Ovak = NyAkti("Ferie", "Fe");
    Slut = NyAkti("Lukket", "Lu");
    Foer = NyAkti("Gammel", "Ga", 20240801, 20241103);
    A6 = NyAkti("4a DaMa", "4a");
    Udenfor = NyAkti("5a Da", "5a");
    Tekst(TabRec<AktiRec>(tvakti, Ovak)->Type, "OVAK");
    TabRec<AktiRec>(tvakti, Slut)->Status = 30;
    anne = NyAnfo("ABE", "1", "Anne Berg");
    bo = NyAnfo("BOL", "1", "Bo Lund");
    for (auto [a, f] : {std::pair{C, dansk}, {C, mat}, {A1, dansk}, {A6, dansk}, {A6, mat}, {Udenfor, dansk},
                        {Ovak, dansk}, {Slut, dansk}, {Foer, dansk}})
      Ny(tdskph, tvskph, SkphRec{a, f, 10, 0, 0.0f, 0});
    for (uint32_t a : {C, A1, A2, Ovak, Slut, Foer, A6}) IPlan(a);
    BygAktiSkph(&plan);
    const uint32_t hoved = Raekke(PLAN_AKTI, C, 0, 0);
    Raekke(PLAN_FAG, C, dansk, 0);
    Raekke(PLAN_FAG, C, mat, 0);
    Orden({hoved});
    Faelles(C, A1, 4);
    Faelles(A2, C, 7);  // the other order
    Faelles(C, Ovak, 5);
    Faelles(Slut, C, 5);
    Faelles(C, Foer, 5);
    // Before the group: A1 teaches Danish by Bo three times and Anne once,
    // mathematics by Anne and Bo twice each, Anne first.
    Time(A1, dansk, anne);
    for (int i = 0; i < 3; ++i) Time(A1, dansk, bo);
    for (uint32_t m : {anne, bo, anne, bo}) Time(A1, mat, m);
    wfb_test::Registrer("FelFalskPlan", FalskPlanProc, 0);
    falsk = CreateWindowExA(0, "FelFalskPlan", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
    Falsk() = FalskPlan{'K', C, &plan};
    ws.hwndPlan = falsk;
  }
  void TearDown() override {
    FrigivFelTabeller(&ws);
    DestroyWindow(falsk);
    TomSkemabeg();
    PlanFixtur::TearDown();
  }
  void Faelles(uint32_t a, uint32_t b, uint32_t elever) {
    FagelvRec f{};
    f.akti1_id = a;
    f.akti2_id = b;
    f.Status = 10;
    f.Faelles_Elever = elever;
    Ny(tdfagelv, tvfagelv, f);
  }
  void Time(uint32_t a, uint32_t skfa, uint32_t m) {
    TabVar *b = SkemabegBucket(IndeksTilUge(2));
    ASSERT_NE(b, nullptr);
    b->FoersteLedige = b->wRecCnt;
    const uint32_t n = NewRec(&tdske, b);
    ASSERT_NE(n, 0u);
    SkeRec *s = reinterpret_cast<SkeRec *>(GetRec(&tdske, b, n));
    s->id = 9000 + n;
    s->Status = 0x40;
    s->akti_id = a;
    s->anfo_id = m;
    s->skfa_id = skfa;
    s->Dag = 4;
    s->Starttid = 800;
    s->Sluttid = 845;
    s->Forste = n;
  }
  using Raekker = std::vector<std::tuple<uint32_t, uint32_t, uint32_t>>;
  Raekker Liste() {
    Raekker v;
    for (uint32_t i = 1; i <= ws.FelObjAntal; ++i)
      v.push_back({ws.FelObjTab[i].Akti, ws.FelObjTab[i].Skolefag, ws.FelObjTab[i].Anfo});
    return v;
  }
  void Byg() {
    FelAktivFraPlan(&ws);
    ByggFelObjTab(&ws);
  }
};

TEST_F(PlanFelVindueListe, SharedSubjectsAndStudentsOfTheCurrentActivity) {
  Byg();
  // A1: Danish, taught most by Bo; A2 shares students only; A6 shares both
  // subjects and no students, mathematics by the first of two equals. The
  // absence activity, the closed one, the one that ended before the group
  // and the one outside the plan are not listed.
  EXPECT_EQ(Liste(), (Raekker{{A1, 0, 0}, {A1, dansk, bo}, {A2, 0, 0}, {A6, 0, 0}, {A6, dansk, bo}, {A6, mat, anne}}));
  struct Tal {
    uint32_t akti, fag, elever;
  };
  for (const Tal &t : {Tal{A1, 1, 4}, Tal{A2, 0, 7}, Tal{A6, 2, 0}}) {
    EXPECT_EQ(ws.FelCnt[t.akti].FaellesFag, t.fag) << t.akti;
    EXPECT_EQ(ws.FelCnt[t.akti].FaellesElever, t.elever) << t.akti;
  }
  EXPECT_EQ(ws.PosY.Aktuel, 1u);
  EXPECT_FALSE(FelAktivFraPlan(&ws)) << "built for the plan's current activity";
}

TEST_F(PlanFelVindueListe, NoActivityInThePlansCurrentRowGivesEmptyLists) {
  struct Tilfaelde {
    const char *navn;
    uint8_t bogstav;
    uint32_t akti;
  };
  for (const Tilfaelde &t : {Tilfaelde{"an employee's row", 'M', anne}, Tilfaelde{"a row without an object", 'K', 0},
                             Tilfaelde{"a record beyond the table", 'K', 999}}) {
    SCOPED_TRACE(t.navn);
    Falsk() = FalskPlan{'K', C, &plan};
    Byg();
    ASSERT_FALSE(Liste().empty());
    Falsk().bogstav = t.bogstav;
    Falsk().akti = t.akti;
    EXPECT_TRUE(FelAktivFraPlan(&ws));
    ByggFelObjTab(&ws);
    EXPECT_TRUE(Liste().empty());
    EXPECT_EQ(ws.PosY.Aktuel, 0u);
  }
  // Without a plan window at all.
  DestroyWindow(falsk);
  Byg();
  EXPECT_TRUE(Liste().empty());
}

TEST_F(PlanFelVindueListe, AnActivityFollowedBuildsItsOwnPairs) {
  Falsk().akti = A2;
  Byg();
  // A2 has no subjects: only those sharing its students are listed.
  EXPECT_EQ(Liste(), (Raekker{{C, 0, 0}}));
  EXPECT_EQ(ws.FelCnt[C].FaellesElever, 7u);
}

}  // namespace

namespace {

// ---- The window beside the plan window ----

class PlanFelVindue : public plantest::PlanVindueFixtur {
 protected:
  uint32_t a3 = 0, a4 = 0;
  HWND fel = 0;

  void SetUp() override {
    PlanVindueFixtur::SetUp();
    wfb_test::Registrer("PlanFelWndClass", PlanFelWndProc, CS_OWNDC | CS_DBLCLKS);
    a3 = NyAkti("3c Ty", "Tysk");
    a4 = NyAkti("4d En", "Engelsk");
    for (auto [a, b, n] : {std::tuple{akti, akti2, 6u}, {a3, akti, 2u}, {akti, a4, 3u}}) {
      FagelvRec f{};
      f.akti1_id = a;
      f.akti2_id = b;
      f.Status = 10;
      f.Faelles_Elever = n;
      Ny(tdfagelv, tvfagelv, f);
    }
  }
  void TearDown() override {
    if (fel && IsWindow(fel)) DestroyWindow(fel);
    PlanVindueFixtur::TearDown();
  }
  uint32_t RaekkePos(uint32_t a) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrY.Pos.Antal; ++i) {
      const uint32_t r = p->Ens.ObjTab[i];
      if (p->ObjTypeTab[r] == PLAN_AKTI && p->GrundTab[r].Aktivitet == a) return i;
    }
    return 0;
  }
  void PlanCursor(uint32_t a) {
    const uint32_t pos = RaekkePos(a);
    ASSERT_NE(pos, 0u);
    P()->StyrY.Pos.Aktuel = pos;
  }
  void AabnFel() {
    fel = CreatePlanFelWnd(10, 10, 1000, 800, 40270);
    ASSERT_NE(fel, (HWND)0);
    ShowWindow(fel, SW_SHOW);
    tavo::test::PumpUntilIdle();
  }
  FelWS *W() { return FelVinduesWS(fel); }
  std::vector<uint32_t> Aktiviteter() {
    std::vector<uint32_t> v;
    for (uint32_t i = 1; W() && i <= W()->FelObjAntal; ++i) v.push_back(W()->FelObjTab[i].Akti);
    return v;
  }
  LRESULT Tast(uint32_t vk, bool ctrl = false) {
    TastInfo t{0, ctrl ? -1 : 0, 0, WM_KEYDOWN, vk, 0, 0, 0};
    return SendMessageA(fel, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&t));
  }
};

TEST_F(PlanFelVindue, FollowsThePlansCurrentActivityAndMovesByItsKeys) {
  Aabn();
  PlanCursor(akti);
  AabnFel();
  EXPECT_EQ(GetDlgCtrlID(fel), 40270);
  EXPECT_EQ(SendMessageA(fel, VINDUE_ART, 0, 0), 40270);
  EXPECT_EQ(GetParent(fel), hwndDesktop);
  EXPECT_EQ(Aktiviteter(), (std::vector<uint32_t>{akti2, a3, a4}));
  EXPECT_EQ(W()->FelCnt[a4].FaellesElever, 3u);
  // What it shows: the activities' names in the left columns.
  std::vector<std::string> tekster;
  for (const auto &t : tavo::test::DrawnTexts())
    if (t.hwnd == W()->Ens.hwndRaekkeHoved) tekster.push_back(t.text);
  for (const char *navn : {"2b Ma", "3c Ty", "4d En"})
    EXPECT_NE(std::find_if(tekster.begin(), tekster.end(), [&](const std::string &s) { return s.find(navn) == 0; }),
              tekster.end())
        << navn;

  // Keys reach it as the main window's key record.
  struct Trin {
    uint32_t vk;
    LRESULT svar;
    uint32_t aktuel;
  };
  for (const Trin &t : {Trin{VK_DOWN, 1, 2}, Trin{VK_NEXT, 1, 3}, Trin{VK_DOWN, 1, 3}, Trin{'F', 1, 3},
                        Trin{'M', 1, 3}, Trin{VK_UP, 1, 2}, Trin{'X', 0, 2}}) {
    EXPECT_EQ(Tast(t.vk), t.svar) << t.vk;
    EXPECT_EQ(W()->PosY.Aktuel, t.aktuel) << t.vk;
  }
  EXPECT_EQ(Aktiviteter().size(), 3u) << "F and M change nothing";

  // The plan's cursor moves to another activity: the rows are its own.
  PlanCursor(akti2);
  SendMessageA(fel, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(Aktiviteter(), (std::vector<uint32_t>{akti}));
  EXPECT_EQ(W()->FelCnt[akti].FaellesElever, 6u);
  EXPECT_EQ(W()->PosY.Aktuel, 1u);
  // The same activity again keeps the cursor where it is.
  PlanCursor(akti);
  SendMessageA(fel, AKTUEL_AENDRET, 0, 0);
  Tast(VK_DOWN);
  SendMessageA(fel, AKTUEL_AENDRET, 0, 0);
  EXPECT_EQ(W()->PosY.Aktuel, 2u);

  EXPECT_EQ(Tast(VK_F4, true), 1);
  EXPECT_FALSE(IsWindow(fel));
}

TEST_F(PlanFelVindue, ClosesOnItsCloseMessageAndNeedsThePlanWindow) {
  EXPECT_EQ(CreatePlanFelWnd(10, 10, 1000, 800, 40270), (HWND)0) << "no plan window";
  Aabn();
  PlanCursor(akti);
  AabnFel();
  EXPECT_GE(VinduesListeAntal(), 2);
  // Its wanted height, within the space it was given.
  const LRESULT hoejde = SendMessageA(fel, ENS_HOEJDE, 0, 0);
  EXPECT_GT(hoejde, 100);
  EXPECT_LE(hoejde, 400);
  RECT rc;
  GetWindowRect(fel, &rc);
  EXPECT_EQ(rc.bottom - rc.top, hoejde);
  SendMessageA(fel, TAST_MODTAG, 0, 0);
  EXPECT_FALSE(IsWindow(fel));
  // The plan window stays.
  EXPECT_TRUE(IsWindow(h));
}

}  // namespace

namespace {

// ---- End to end: the made school ----

// The made school's teams with their students, loaded in place of the
// painting fixture's tables; the plan window opens on its plan groups and
// the factory opens this window beside it, as a saved screen does.
class PlanFelVindueSkole : public plantest::PlanVindueFixtur {
 protected:
  fs::path skole;
  RECT gemtRum{};

  void SetUp() override {
    PlanVindueFixtur::SetUp();
    wfb_test::Registrer("PlanFelWndClass", PlanFelWndProc, CS_OWNDC | CS_DBLCLKS);
    char skabelon[] = "/tmp/planfelles_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    skole = skabelon;
    SkoleStoerrelse st{};
    ASSERT_TRUE(SkoleStoerrelseFraNavn("small", &st));
    st.Aktiviteter = 40;
    st.Holdelever = true;
    std::string fejl;
    ASSERT_EQ(LavSkoleData(skole.c_str(), st, 5, &fejl), 0) << fejl;
    GlobalIndstillinger.insnr = SKOLE_INSNR;
    // The desktop's room, as the main window's layout leaves it.
    gemtRum = DesktopRect;
    GetClientRect(hwndDesktop, &DesktopRect);
    --DesktopRect.right, --DesktopRect.bottom;
  }
  void TearDown() override {
    if (HWND f = FindVindueType(40270)) DestroyWindow(f);
    DesktopRect = gemtRum;
    PlanVindueFixtur::TearDown();
    std::error_code ec;
    fs::remove_all(skole, ec);
  }
  // The students two activities share, counted from the links themselves.
  static std::map<std::pair<uint32_t, uint32_t>, uint32_t> FraLinks() {
    std::map<uint32_t, std::set<uint32_t>> hold;
    for (uint32_t r = 1; r < tvakpl.wRecCnt; ++r) {
      const AkplRec *k = TabRec<AkplRec>(tvakpl, r);
      if (k->Status) hold[+k->pers_id].insert(+k->akti_id);
    }
    std::map<std::pair<uint32_t, uint32_t>, uint32_t> m;
    for (const auto &[p, s] : hold)
      for (auto i = s.begin(); i != s.end(); ++i)
        for (auto j = std::next(i); j != s.end(); ++j) ++m[{*i, *j}];
    return m;
  }
};

TEST_F(PlanFelVindueSkole, TheFactoryOpensItBesideThePlanWithTheCurrentActivitysSharedStudents) {
  // The recount after an import finds what the school was made with.
  const auto foer = Taellinger();
  CountFaellesElever();
  EXPECT_EQ(Taellinger(), foer);
  auto links = FraLinks();
  for (const auto &[par, n] : foer) {
    if (n) {
      EXPECT_EQ(links[par], n);
    }
  }

  Aabn();
  Plan *p = P();
  ASSERT_NE(p, nullptr);
  // The first heading in the plan whose activity shares students.
  uint32_t c = 0;
  for (uint32_t i = 1; i <= p->StyrY.Pos.Antal && !c; ++i) {
    const uint32_t r = p->Ens.ObjTab[i];
    const uint32_t a = p->GrundTab[r].Aktivitet;
    if (p->ObjTypeTab[r] != PLAN_AKTI) continue;
    for (const auto &[par, n] : foer)
      if (n && (par.first == a || par.second == a)) c = a, p->StyrY.Pos.Aktuel = i;
  }
  ASSERT_NE(c, 0u) << "the made plan has an activity with common students";

  HWND fel = OpretObjektVindue(hwndHoved, 40270, 0, nullptr);
  ASSERT_NE(fel, (HWND)0);
  EXPECT_EQ(FindVindueType(40270), fel);
  EXPECT_TRUE(IsWindowVisible(fel));
  tavo::test::PumpUntilIdle();
  FelWS *ws = FelVinduesWS(fel);
  ASSERT_NE(ws, nullptr);
  EXPECT_EQ(ws->AktuelAkti, c);
  RECT rc;
  GetWindowRect(fel, &rc);
  EXPECT_GE(rc.right - rc.left, 150);
  EXPECT_EQ(rc.bottom - rc.top, SendMessageA(fel, ENS_HOEJDE, 0, 0));
  // Every team the current activity shares students with is listed with
  // the count its links give, and every row is of a listed team.
  const Dato fra = TabRec<FfpgRec>(tvffpg, p->AktPlanGruppe)->Fradato;
  std::map<uint32_t, uint32_t> vist, ventet;
  for (uint32_t i = 1; i <= ws->FelObjAntal; ++i)
    if (ws->FelObjTab[i].Skolefag == 0) vist[ws->FelObjTab[i].Akti] = ws->FelCnt[ws->FelObjTab[i].Akti].FaellesElever;
  for (const auto &[par, n] : links) {
    const uint32_t a = par.first == c ? par.second : par.second == c ? par.first : 0;
    if (a && IsHoldAkti(a) > 0 && !IsInaktivAkti(a) && TabRec<AktiRec>(tvakti, a)->Tildato >= fra) ventet[a] = n;
  }
  for (const auto &[a, n] : vist)
    if (n == 0) ventet.emplace(a, 0);  // sharing subjects only
  EXPECT_FALSE(ventet.empty());
  EXPECT_EQ(vist, ventet);

  const fs::path foto = fs::path(TAVO_BINARY_DIR) / "tests" / "klient" / "planning" / "plan_felles.png";
  EXPECT_TRUE(tavo::test::SaveWindowPng(fel, foto.c_str())) << foto;

  // The factory's toggle: asked again, it closes the window.
  EXPECT_EQ(OpretObjektVindue(hwndHoved, 40270, 0, nullptr), (HWND)0);
  EXPECT_FALSE(IsWindow(fel));
}

}  // namespace
