// Menu commands in the running program on a small school: the menu bar
// worked from the keyboard saves the tables and reaches the server contact;
// the maintenance rows change the rows they name, count the figures anew
// and tell the open windows; the F5 screen on the real main window.
#include <cstring>
#include <vector>

#include "ELEMENT.h"
#include "FUNKTAST.h"
#include "KATALOG.h"
#include "OBJVINDUE.h"
#include "OPTAEL.h"
#include "SIDEFIL.h"
#include "STATUSBAR.h"
#include "TABOPER.h"
#include "TALTAB.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "opstart_support.h"
#include "tavo/test_user.h"

namespace opstarttest {
namespace {

class MenukommandoProgram : public OpstartTest {
 protected:
  static std::vector<AktiTalCelle> AktiTal() {
    const size_t n = (static_cast<size_t>(TalDim.M) + 1) * TalDim.A;
    return AktiTalTab ? std::vector<AktiTalCelle>(AktiTalTab, AktiTalTab + n) : std::vector<AktiTalCelle>{};
  }
  static bool Ens(const std::vector<AktiTalCelle> &a, const std::vector<AktiTalCelle> &b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(AktiTalCelle)) == 0;
  }
};

TEST_F(MenukommandoProgram, TheMenuBarSavesTheTablesAndReachesTheServerContact) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  ASSERT_GT(tvakti.wRecCnt, 1u);
  auto *akti = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, 1));
  std::memcpy(akti->Aktivitet, "MENUGEMT", 9);
  SetRecStatus(&tdakti, &tvakti, 1, akti->Status);
  EXPECT_EQ(Laes(Data() / "data" / "akti.DAT").find("MENUGEMT"), std::string::npos);

  // "S&ystem", "&Gem data".
  auto fokus = [] {
    SetForegroundWindow(hwndHoved);
    SetFocus(hwndHoved);
    tavo::test::PumpUntilIdle();
  };
  fokus();
  tavo::test::PressKey('Y', tavo::test::ModAlt);
  tavo::test::PressKey('G');
  tavo::test::PumpUntilIdle();
  EXPECT_NE(Laes(Data() / "data" / "akti.DAT").find("MENUGEMT"), std::string::npos);
  EXPECT_TRUE(Bokse().empty());

  // "Se&rver", "&Kontakt server": its key reaches the server contact,
  // which a server switch written after the start refuses.
  Skriv(Data() / "disableserver.lck", "");
  fokus();
  tavo::test::PressKey('R', tavo::test::ModAlt);
  tavo::test::PressKey('K');
  tavo::test::PumpUntilIdle();
  EXPECT_EQ(Bokse(), std::vector<std::string>{"Eksport/Kontakt|Der er spærret for server kontakt for denne installation"});
  EXPECT_EQ(Luk(), 0);
}

// The server rows reach the export's commands: "Fortryd eksport" with both
// a packed export and an import waiting shows only the first box; F11 from
// the menu is refused while the data folder bars server contact.
TEST_F(MenukommandoProgram, TheServerRowsReachTheExportsCommands) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  Skriv(Data() / "data" / "exp.dat.gz", "x");
  Skriv(Data() / "data" / "imp.dat", "x");
  SendMessageA(hwndHoved, WM_COMMAND, 40168, 0);
  EXPECT_EQ(Bokse(), std::vector<std::string>{
                         "Fortryd eksport|Eksporten er sendt til serveren og kan ikke fortrydes. Kontakt istedet "
                         "serveren !"});
  EXPECT_TRUE(fs::exists(Data() / "data" / "exp.dat.gz"));
  Skriv(Data() / "disableserver.lck", "");
  SendMessageA(hwndHoved, WM_COMMAND, 40249, 0);
  EXPECT_EQ(Bokse().back(), "Eksport/Kontakt|Der er spærret for server kontakt for denne installation");
  EXPECT_EQ(Luk(), 0);
}

// Yes to the quit question closes without saving: the change made in the
// run never reaches the files.
TEST_F(MenukommandoProgram, QuittingWithoutSavingLeavesTheFilesAsTheyWere) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  const std::string foer = Laes(Data() / "data" / "akti.DAT");
  auto *akti = reinterpret_cast<AktiRec *>(GetRec(&tdakti, &tvakti, 1));
  std::memcpy(akti->Aktivitet, "IKKEGEMT", 9);
  SetRecStatus(&tdakti, &tvakti, 1, akti->Status);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) {
    EXPECT_EQ(d.caption, "Gemme data");
    return INT_PTR{IDYES};
  });
  SendMessageA(hwndHoved, WM_COMMAND, 40209, 0);
  EXPECT_FALSE(IsWindow(hwndHoved));
  EXPECT_EQ(Nedluk(KoerBeskedLoekke()), 0);
  EXPECT_EQ(Laes(Data() / "data" / "akti.DAT"), foer);
}

// Error 62 on one event's rows, error 72 on another's: each command takes
// out its own, the figures equal a full recount, and an open window is told.
TEST_F(MenukommandoProgram, TheErrorRowsAreTakenOutAndTheFiguresCountedAnew) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  // Two live events of this installation, each with every row of it.
  struct Begivenhed {
    TabVar *b;
    std::vector<uint32_t> raekker;
  };
  std::vector<Begivenhed> fundet;
  for (TabVar &b : SkemabegUgeTab) {
    for (uint32_t r = 1; r < b.wRecCnt && fundet.size() < 2; ++r) {
      SkeRec s;
      std::memcpy(&s, GetRec(&tdske, &b, r), sizeof s);
      if (!(s.Status & 64) || s.Forste != r || s.Ejer != GlobalIndstillinger.insnr || s.akti_id == 0) continue;
      Begivenhed e{&b, {}};
      for (uint32_t q = r; q < b.wRecCnt; ++q) {
        SkeRec t;
        std::memcpy(&t, GetRec(&tdske, &b, q), sizeof t);
        if (t.Forste == r && t.Status) e.raekker.push_back(q);
      }
      fundet.push_back(e);
    }
    if (fundet.size() == 2) break;
  }
  ASSERT_EQ(fundet.size(), 2u) << "the school has no two own events";
  auto saet = [](const Begivenhed &e, uint8_t fejl) {
    for (uint32_t q : e.raekker) GetRec(&tdske, e.b, q)[offsetof(SkeRec, Fejl)] = fejl;
  };
  saet(fundet[0], '>');
  saet(fundet[1], 'H');
  AllokerTalTab();
  Fejl62Raekker = 1;

  SendMessageA(hwndHoved, WM_COMMAND, 40102, 0);  // a window to be told
  HWND vindue = FindVindueType(40102);
  ASSERT_NE(vindue, 0u);

  for (UINT id : {40259u, 40258u}) {
    SCOPED_TRACE(id);
    const Begivenhed &e = fundet[id == 40259 ? 0 : 1];
    const auto foer = AktiTal();
    tavo::test::StartMessageLog();
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDOK}; });
    SendMessageA(hwndHoved, WM_COMMAND, id, 0);
    const auto log = tavo::test::StopMessageLog();
    for (uint32_t q : e.raekker) {
      SkeRec s;
      std::memcpy(&s, GetRec(&tdske, e.b, q), sizeof s);
      EXPECT_EQ(s.Status, 0u) << q;
      EXPECT_EQ(s.Fejl, 0) << q;
    }
    const auto efter = AktiTal();
    EXPECT_FALSE(Ens(foer, efter));  // the event counted before
    AllokerTalTab();
    EXPECT_TRUE(Ens(efter, AktiTal()));
    const auto fik = tavo::test::MessagesOf(log, vindue, {1122});
    EXPECT_EQ(fik.size(), 1u);
  }
  // The other event was left alone by the first command.
  EXPECT_EQ(Fejl62Raekker, 0u);
  EXPECT_EQ(Luk(), 0);
}

// The F5 screen on the real main window, with a test kind in the first
// schedule's row: the two edge panels docked on the right edge, the window
// at the corner of the desktop left beside them.
HWND TestSkema(const ObjektKald &k) {
  return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, k.Venstre, k.Top, 300, 200, k.hwndForaelder,
                         static_cast<HMENU>(k.Type), 0, nullptr);
}

TEST_F(MenukommandoProgram, F5OpensTheWeekScheduleAtTheDesktopsCorner) {
  ASSERT_EQ(Start(), kOpstartFortsaet);
  const ObjektOpretter gammel = SaetObjektOpretter(40001, TestSkema);
  MoveWindow(hwndHoved, 0, 0, 1000, 700, TRUE);
  const RECT foer = DesktopRect;
  SendMessageA(hwndHoved, WM_COMMAND, 40231, 0);  // "Alle aktiviteter i en uge\tF5"
  HWND h = 0;
  for (HWND c = GetWindow(hwndDesktop, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (GetWindowLongA(c, GWL_ID) == 40001) h = c;
  ASSERT_NE(h, 0u);
  RECT r;
  GetWindowRect(h, &r);
  POINT o{0, 0};
  ClientToScreen(hwndDesktop, &o);
  EXPECT_EQ(r.left, o.x);
  EXPECT_EQ(r.top, o.y);
  for (int type : {40154, 40176}) {
    SCOPED_TRACE(type);
    bool docket = false;
    for (const ElementCelle &c : ElementTab) docket |= c.hwndElement && c.Art == static_cast<uint32_t>(type) && c.Desk == 0;
    EXPECT_TRUE(docket);
  }
  EXPECT_LT(DesktopRect.right, foer.right);  // the right desk took its room
  EXPECT_TRUE(Bokse().empty());
  // F12 without the postings switched on does nothing, not even close.
  GlobalIndstillinger.post = 0;
  SendMessageA(hwndHoved, WM_COMMAND, 40243, 0);
  EXPECT_TRUE(IsWindow(h));
  EXPECT_TRUE(Bokse().empty());
  DestroyWindow(h);
  CloseAllElements();
  SaetObjektOpretter(40001, gammel);
  EXPECT_EQ(Luk(), 0);
}

}  // namespace
}  // namespace opstarttest
