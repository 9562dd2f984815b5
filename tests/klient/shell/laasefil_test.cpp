// The lock on the data folder at start-up: the question when another run
// holds the data, the read-only run it leads to, and the starts that are
// never asked (-l, a SuperTavo installation, startlås other than "ja").
#include "opstart_support.h"

#include <map>

namespace opstarttest {
namespace {

constexpr const char *kAnden = "05,10413,ib,pc5,20260104,07:30,";
constexpr const char *kSlutPaaSpoergsmaal =
    "\nHvis du fortsætter vil skemaet være låst!\nDer kan IKKE rettes i dataene!\nVil du fortsætte?";

class LaasefilTest : public OpstartTest {
 protected:
  std::string Titel() {
    char t[64] = "";
    GetWindowTextA(hwndHoved, t, sizeof t);
    return t;
  }
  // What a run may not have touched: the settings, the lock file, the
  // saved tables, and START.LOG (absent).
  // Every file of the data and ini folders, by name. The group names'
  // file is left out: the group module writes its defaults when it is
  // missing, whoever holds the data.
  using Tilstand = std::map<std::string, std::string>;
  Tilstand Nu() {
    Tilstand t;
    for (const char *under : {"data", "ini"})
      for (const auto &e : fs::directory_iterator(Data() / under))
        if (e.is_regular_file() && e.path().filename().string()[0] != '.' &&
            e.path().filename().string().rfind("group.ini", 0) != 0)
          t[std::string(under) + "/" + e.path().filename().string()] = Laes(e.path());
    return t;
  }
  void UroertSiden(const Tilstand &foer) {
    const Tilstand nu = Nu();
    for (const auto &[navn, indhold] : foer) {
      auto it = nu.find(navn);
      EXPECT_TRUE(it != nu.end() && it->second == indhold) << navn << " changed or gone";
    }
    for (const auto &[navn, indhold] : nu) EXPECT_TRUE(foer.count(navn)) << navn << " came";
    EXPECT_FALSE(fs::exists(StartLog()));
  }
};

TEST_F(LaasefilTest, SpoergsmaalOgNej) {
  const struct {
    const char *laas;
    std::string tekst;
  } tabel[] = {
      {kAnden, std::string("Dataene tilhørende installation  1 er tilsyneladende allerede i brug.\n"
                           "  Bruger:     \tib\n  PC-navn:    \tpc5\n  Startdato:  \t20260104\n"
                           "  Starttid:   \t07:30\n") +
                   kSlutPaaSpoergsmaal},
      {"Låsefil til TAVO - installation 5",
       std::string("Dataene tilhørende installation  1 er tilsyneladende allerede i brug.\n") + kSlutPaaSpoergsmaal},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.laas);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript(30000);
    Skriv(Laasefil(), t.laas);
    SaetIndstilling("global", "tælbooking", "nej");  // a key a run would move
    const Tilstand foer = Nu();
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return IDNO; });
    EXPECT_EQ(Start(), 0);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    EXPECT_EQ(bokse[0].caption, "Fejl");
    EXPECT_EQ(bokse[0].text, t.tekst);
    EXPECT_EQ(bokse[0].type, static_cast<UINT>(MB_YESNO | MB_ICONSTOP | MB_SYSTEMMODAL));
    EXPECT_EQ(hwndHoved, 0u);
    UroertSiden(foer);
  }
}

TEST_F(LaasefilTest, JaGiverLaastKoersel) {
  Skriv(Laasefil(), kAnden);
  const Tilstand foer = Nu();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR { return IDYES; });
  ASSERT_EQ(Start(), kOpstartFortsaet);
  EXPECT_EQ(Titel(), "1 - TAVO-skema [LÅST]");
  EXPECT_TRUE(GlobalIndstillinger.skemalaast);
  EXPECT_EQ(Luk(), 0);
  EXPECT_EQ(tavo::test::MessageBoxesShown().size(), 1u);
  UroertSiden(foer);
}

TEST_F(LaasefilTest, SkrivebeskyttetStart) {
  for (bool andensLaas : {false, true}) {
    SCOPED_TRACE(andensLaas ? "another run's lock file" : "no lock file");
    if (andensLaas) Skriv(Laasefil(), kAnden);
    const Tilstand foer = Nu();
    ASSERT_EQ(Start({"-l"}), kOpstartFortsaet);
    EXPECT_EQ(Titel(), "1 - TAVO-skema [LÅST]");
    EXPECT_EQ(Luk(), 0);
    EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
    UroertSiden(foer);
  }
}

TEST_F(LaasefilTest, IkkeSpurgt) {
  const struct {
    const char *hvad, *noegle, *vaerdi;
  } tabel[] = {
      {"SuperTavo installation", "supertavo", "ja"},
      {"startlås=nej", "startlås", "nej"},
      {"startlås=Ja is not \"ja\"", "startlås", "Ja"},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.hvad);
    fs::remove(StartLog());
    Skriv(Laasefil(), kAnden);
    SaetIndstilling("global", "supertavo", "nej");
    SaetIndstilling("global", "startlås", nullptr);
    SaetIndstilling("global", t.noegle, t.vaerdi);
    // No new central data, so a SuperTavo installation is not asked to
    // fetch them.
    SaetIndstilling("tider", "fremmedkontakt", "99991231");
    ASSERT_EQ(Start(), kOpstartFortsaet);
    EXPECT_EQ(Titel(), "1 - TAVO-skema");
    EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
    // The run takes the data as its own: its START.LOG line, and the lock
    // file (the first run's) goes at its end.
    EXPECT_EQ(Laes(Laasefil()), kAnden);
    EXPECT_EQ(Laes(StartLog()).rfind("01,10413,", 0), 0u);
    EXPECT_EQ(Luk(), 0);
    EXPECT_FALSE(fs::exists(Laasefil()));
    const std::string log = Laes(StartLog());
    EXPECT_EQ(log.substr(log.size() - 3), ";\r\n");
  }
}

}  // namespace
}  // namespace opstarttest
