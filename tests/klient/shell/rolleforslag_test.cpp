// The role proposals: the all-set test, reading them from ini\Roller.ini and
// the dialog that chooses and stores them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../data/pred_tabeller.h"
#include "../datamappe.h"
#include "INDSTIL.h"
#include "ROLLEFORSLAG.h"
#include "STITAB.h"
#include "tavo/test_dialog.h"

namespace fs = std::filesystem;
using namespace predtest;
using tavo::test::ShownDialog;

namespace {

class RolleForslagTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TommeTabeller();
    mappe_ = fs::temp_directory_path() / ("dataut_roller_" + std::to_string(::getpid()));
    fs::create_directories(mappe_ / "ini");
    std::snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(mappe_).c_str());
    GlobalIndstillinger.supertavo = 0;
    for (auto &r : RolleForslagene) r = 0;
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    FrigivAlle();
    fs::remove_all(mappe_);
    GlobalIndstillinger.supertavo = 0;
    for (auto &r : RolleForslagene) r = 0;
  }
  uint32_t NyRolle(uint32_t id, const char *kode, uint8_t status = 10) {
    SkemarolRec r{};
    r.id = id;
    Tekst(r.Rolle, kode);
    Tekst(r.Betegnelse, "Betegn");
    r.Status = status;
    r.Afspadsering = 'N';
    r.Timetype = 'J';
    r.Genererer_timeposter = 'J';
    r.Check_skemasammenfald = 'N';
    return Ny(tdskemarol, tvskemarol, r);
  }
  uint32_t NyLokrolle(uint32_t id, char kode, uint8_t status = 10) {
    LokrotypRec t{};
    t.id = id + 1000;
    Tekst(t.Rolletype, "B");
    t.Status = 10;
    const uint32_t typ = Ny(tdlokrotyp, tvlokrotyp, t);
    LokrolleRec l{};
    l.id = id;
    l.Lokalerolle = kode;
    l.Status = status;
    l.lokrotyp_id = typ;
    l.Check_sammenfald = 'N';
    Tekst(l.Betegnelse, "Lok");
    return Ny(tdlokrolle, tvlokrolle, l);
  }
  void SkrivIni(const std::string &tekst) {
    std::ofstream(mappe_ / "ini" / "Roller.ini", std::ios::binary) << tekst;
  }
  std::string Ini() const {
    std::ifstream f(mappe_ / "ini" / "Roller.ini", std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
  fs::path mappe_;
};

TEST_F(RolleForslagTest, AllSetNeedsEveryProposalUnlessSuperTavo) {
  EXPECT_FALSE(AlleRollerSat());
  GlobalIndstillinger.supertavo = 1;
  EXPECT_TRUE(AlleRollerSat());
  GlobalIndstillinger.supertavo = 0;
  for (auto &r : RolleForslagene) r = 3;
  EXPECT_TRUE(AlleRollerSat());
  for (int nr = 0; nr < kRolleForslagAntal; ++nr) {
    RolleForslagene[nr] = 0;
    EXPECT_FALSE(AlleRollerSat()) << RolleForslagTabel[nr].noegle;
    RolleForslagene[nr] = 3;
  }
  EXPECT_STREQ(RolleForslagTabel[kRolleForslagAntal].tekst, "Slut");
}

TEST_F(RolleForslagTest, ReadingMapsIdsToCurrentRecords) {
  const uint32_t anfo = NyRolle(71, "U");
  NyRolle(72, "X", 30);  // deleted
  const uint32_t syg = NyRolle(73, "S");
  const uint32_t loka = NyLokrolle(81, 'A');
  const uint32_t stjerne = NyLokrolle(82, '*');
  SkrivIni(
      "[Default Roller]\r\nanfo=71\r\nxanfo=72\r\n*anfo=999\r\nsyg=73\r\noms=abc\r\nvikar=-73\r\n"
      "loka=81\r\n*loka=82\r\nakko=81\r\n");
  RolleForslagene[RF_DAG] = 5;  // a stale proposal without its entry goes
  LaesRolleForslag();
  struct {
    int nr;
    uint32_t rec;
  } forventet[] = {
      {RF_ANFO, anfo},   {RF_XANFO, 0}, {RF_STJERNE_ANFO, 0}, {RF_SYG, syg},          {RF_OMS, 0},
      {RF_VIKAR, 0},     {RF_DAG, 0},   {RF_LOKA, loka},      {RF_STJERNE_LOKA, stjerne},
      {RF_AKKO, 0},  // a room role's id in a schedule key names no schedule role
  };
  for (const auto &f : forventet) EXPECT_EQ(RolleForslagene[f.nr], f.rec) << RolleForslagTabel[f.nr].noegle;
  EXPECT_EQ(RolleForslagId(RF_ANFO), 71u);
  EXPECT_EQ(RolleForslagId(RF_STJERNE_LOKA), 82u);
  EXPECT_EQ(RolleForslagId(RF_XANFO), 0u);
}

// Without a holiday role of their own, "fer" and "sfer" take the role of
// "*ovak"; a key that names no role leaves them unset.
TEST_F(RolleForslagTest, HolidaysWithoutARoleOfTheirOwnTakeTheStarredOtherActivity) {
  const uint32_t ovak = NyRolle(74, "OV");
  const uint32_t fer = NyRolle(75, "FE");
  struct {
    const char *navn, *ini;
    uint32_t fer, sfer;
  } tabel[] = {
      {"no keys", "*ovak=74\r\n", ovak, ovak},
      {"zero and damaged", "*ovak=74\r\nfer=0\r\nsfer=abc\r\n", ovak, ovak},
      {"one of their own", "*ovak=74\r\nfer=75\r\n", fer, ovak},
      {"a role that is gone", "*ovak=74\r\nfer=999\r\nsfer=75\r\n", 0, fer},
      {"no *ovak either", "", 0, 0},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    SkrivIni(std::string("[Default Roller]\r\n") + t.ini);
    LaesRolleForslag();
    EXPECT_EQ(RolleForslagene[RF_FER], t.fer);
    EXPECT_EQ(RolleForslagene[RF_SFER], t.sfer);
  }

  // The import's check passes with every other proposal in the file.
  std::string alle = "[Default Roller]\r\n";
  for (int nr = 0; nr < kRolleForslagSkemarol; ++nr)
    if (nr != RF_FER && nr != RF_SFER) alle += std::string(RolleForslagTabel[nr].noegle) + "=74\r\n";
  NyLokrolle(81, 'A');
  alle += "loka=81\r\n*loka=81\r\n";
  SkrivIni(alle);
  LaesRolleForslag();
  EXPECT_TRUE(AlleRollerSat());
  EXPECT_EQ(RolleForslagId(RF_FER), 74u);
}

// Reads the rows of list nr of the dialog.
std::vector<std::string> Raekker(HWND liste) {
  std::vector<std::string> r;
  const LRESULT n = SendMessageA(liste, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    char buf[128] = {};
    SendMessageA(liste, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    r.emplace_back(buf);
  }
  return r;
}

TEST_F(RolleForslagTest, DialogOffersLiveRolesAndStoresTheChoice) {
  const uint32_t u = NyRolle(71, "U");
  NyRolle(72, "DEL", 30);
  const uint32_t ak = NyRolle(73, "AKK");
  const uint32_t l = NyLokrolle(81, 'A');
  RolleForslagene[RF_ANFO] = u;
  RolleForslagene[RF_XANFO] = u;
  SkrivIni("[Default Roller]\r\nxanfo=71\r\n");
  std::vector<std::string> rolleRaekker, lokaRaekker;
  LRESULT forvalgt = -1;
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    rolleRaekker = Raekker(GetDlgItem(d.hwnd, 300 + RF_ANFO));
    lokaRaekker = Raekker(GetDlgItem(d.hwnd, 300 + RF_LOKA));
    forvalgt = SendMessageA(GetDlgItem(d.hwnd, 300 + RF_ANFO), CB_GETCURSEL, 0, 0);
    SendMessageA(GetDlgItem(d.hwnd, 300 + RF_AKKO), CB_SETCURSEL, 2, 0);  // the AKK role
    SendMessageA(GetDlgItem(d.hwnd, 300 + RF_XANFO), CB_SETCURSEL, 0, 0);  // blank: cleared
    SendMessageA(GetDlgItem(d.hwnd, 300 + RF_STJERNE_LOKA), CB_SETCURSEL, 1, 0);
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  EXPECT_EQ(RolleForslagDialog(0), 1);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  ASSERT_EQ(rolleRaekker.size(), 3u);  // blank, U, AKK; the deleted role is not offered
  EXPECT_EQ(rolleRaekker[0], std::string(52, ' '));
  // The type mark: 224 with "Genererer timeposter" J, one more for Timetype J;
  // 147 (plus one) for codes beginning "AK".
  EXPECT_EQ(rolleRaekker[1], " U      \xE1  Betegn             N    J    J    N      ");
  EXPECT_EQ(rolleRaekker[2].substr(0, 10), " AKK    \x94 ");
  ASSERT_EQ(lokaRaekker.size(), 2u);
  EXPECT_EQ(lokaRaekker[1], " A  B  Lok                N ");
  EXPECT_EQ(forvalgt, 1);
  EXPECT_EQ(RolleForslagene[RF_ANFO], u);
  EXPECT_EQ(RolleForslagene[RF_AKKO], ak);
  EXPECT_EQ(RolleForslagene[RF_XANFO], 0u);
  EXPECT_EQ(RolleForslagene[RF_STJERNE_LOKA], l);
  const std::string ini = Ini();
  EXPECT_NE(ini.find("anfo=71"), std::string::npos);
  EXPECT_NE(ini.find("akko=73"), std::string::npos);
  EXPECT_NE(ini.find("*loka=81"), std::string::npos);
  EXPECT_NE(ini.find("xanfo=71"), std::string::npos);  // the blank row leaves the entry
}

TEST_F(RolleForslagTest, CancelChangesNothingAndNoRolesGiveTheWarning) {
  const uint32_t u = NyRolle(71, "U");
  RolleForslagene[RF_ANFO] = u;
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    SendMessageA(GetDlgItem(d.hwnd, 300 + RF_ANFO), CB_SETCURSEL, 0, 0);
    SendMessageA(d.hwnd, WM_COMMAND, IDCANCEL, 0);
    return INT_PTR{0};
  });
  EXPECT_EQ(RolleForslagDialog(0), 2);
  EXPECT_EQ(RolleForslagene[RF_ANFO], u);
  EXPECT_FALSE(fs::exists(mappe_ / "ini" / "Roller.ini"));

  Rec<SkemarolRec>(tvskemarol, u)->Status = 30;
  EXPECT_EQ(RolleForslagDialog(0), 2);
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Advarsel");
  EXPECT_EQ(bokse[0].text,
            "Da systemet ikke kender nogle roller, kan forslagsroller ikke sættes\n"
            "Der skal gennemføres en kontakt til EASY først.");
  EXPECT_EQ(bokse[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

}  // namespace
