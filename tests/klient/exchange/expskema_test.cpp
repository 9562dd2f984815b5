// The timetable text export: the dialog's checks in their order, its focus
// and remembered settings, the browse button, and the command from the
// dialog to the file with its lines in order.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ExpSkema.h"
#include "eksport_fixture.h"
#include "eksportdlg.h"
#include "tavo/test_dialog.h"
#include "tavo/test_file.h"
#include "win/controls.h"

namespace {

using namespace eksporttest;
using tavo::test::ShownDialog;

using Felter = std::vector<std::pair<int, std::string>>;

class ExpSkemaTest : public EksportSkole {
 public:
  std::string ud;  // the output folder as the program names it

  void SetUp() override {
    EksportSkole::SetUp();
    fs::create_directories(rod / "ud");
    ud = std::string(StiTab.szdata) + "ud";
    GlobalIndstillinger.supertavo = 0;
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    EksportSkole::TearDown();
  }

  static void Saet(HWND d, const Felter &f) {
    for (const auto &[id, tekst] : f) SetDlgItemTextA(d, id, tekst.c_str());
  }

  // The command with the dialog filled by each try in turn, OK after each.
  void Koer(std::vector<Felter> forsoeg) {
    tavo::test::StartDialogScript();
    tavo::test::AnswerNextDialog([forsoeg](const ShownDialog &d) {
      // The last try ends the dialog; one left open runs into the
      // script's time-out, which the test sees as a failure.
      for (const Felter &f : forsoeg) {
        Saet(d.hwnd, f);
        SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      }
      return INT_PTR{0};
    });
    ExpSkema();
  }
  static std::vector<std::pair<std::string, std::string>> Bokse() {
    std::vector<std::pair<std::string, std::string>> v;
    for (const auto &m : tavo::test::MessageBoxesShown()) v.emplace_back(m.text, m.caption);
    return v;
  }
  Felter God(const std::string &fra = "20240901", const std::string &til = "20240930") const {
    return {{IDC_EXPSKEMA_STI, ud}, {IDC_EXPSKEMA_FILNAVN, "skema.txt"}, {IDC_EXPSKEMA_FRA, fra},
            {IDC_EXPSKEMA_TIL, til}};
  }
  std::string Ud() const { return LaesFil(rod / "ud" / "skema.txt"); }

  // Two employees, two activities, two rooms and a subject with a level.
  uint32_t aAB = 0, aCD = 0, l102 = 0;
  void Skole() {
    Stamdata();
    Rec<AktiRec>(tdakti, tvakti, s.k1).Aktivitet[0] = 'M';
    Tekst(Rec<AktiRec>(tdakti, tvakti, s.k1).Aktivitet, "M1");
    Tekst(Rec<AktiRec>(tdakti, tvakti, s.k2).Aktivitet, "M2");
    Rec<SkfaRec>(tdskfa, tvskfa, s.dansk).Niveau = 'B';
    MedaRec m{};
    m.id = 4101, m.Status = 10, Tekst(m.Initialer, "AB");
    aAB = Anfo(2101, Ny(tdmeda, tvmeda, m), 10, 0);
    m.id = 4102, Tekst(m.Initialer, "CD");
    aCD = Anfo(2102, Ny(tdmeda, tvmeda, m), 10, 0);
    LokaRec l{};
    l.id = 3102, l.Status = 10, Tekst(l.Lokalenr, "102");
    l102 = Ny(tdloka, tvloka, l);

    Faelles f;
    f.skfa = s.dansk;
    f.risy = s.risy;
    // Three rows: the third has neither activity nor employee; the second
    // no room.
    Begivenhed(202437, f, {{s.k1, aAB, s.rolL, s.l1}, {s.k2, aCD, s.rolL}, {0, 0, 0, l102}});
    // Placed by time on the Friday of the next week.
    Faelles t;
    t.lektion = 0, t.dag = 5, t.start = 1015, t.slut = 1145;
    Begivenhed(202438, t, {{s.k2, aCD}});
    // Not written: deleted, another installation's, outside the dates.
    Faelles g = f;
    g.status = 0x48;
    Begivenhed(202437, g, {{s.k1, aAB}});
    g.status = 0x40, g.ejer = kFremmed;
    Begivenhed(202437, g, {{s.k1, aAB}});
    g.ejer = kIns;
    Begivenhed(202441, g, {{s.k1, aAB}});
  }
};

TEST_F(ExpSkemaTest, DialogChecksInOrder) {
  const char *titel = "Export Skema - Fejl";
  auto med = [&](int id, const std::string &v) {
    Felter f = God();
    for (auto &[i, t] : f)
      if (i == id) t = v;
    return f;
  };
  Koer({med(IDC_EXPSKEMA_STI, ""), med(IDC_EXPSKEMA_FILNAVN, ""), med(IDC_EXPSKEMA_FRA, ""),
        med(IDC_EXPSKEMA_TIL, "0"), med(IDC_EXPSKEMA_FRA, "20240230"), med(IDC_EXPSKEMA_TIL, "2024"), God()});
  EXPECT_EQ(Bokse(), (std::vector<std::pair<std::string, std::string>>{
                         {"Stien er ikke udfyldt! Det skal den!", titel},
                         {"Filnavnet er ikke udfyldt! Det skal den!", titel},
                         {"Fradato er ikke udfyldt! Det skal den!", titel},
                         {"Tildato er ikke udfyldt! Det skal den!", titel},
                         {"Fradato er ikke korrekt!", titel},
                         {"Tildato er ikke korrekt!", titel},
                         {"Export af skema er færdig.\nDer blev exporteret 0 skema begivenheder.", "Export Skema"},
                     }));
  EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
  EXPECT_EQ(Indstilling("ExpSkema", "path"), ud);
  EXPECT_EQ(Indstilling("ExpSkema", "filnavn"), "skema.txt");
  EXPECT_EQ(Indstilling("ExpSkema", "startdato"), "20240901");
  EXPECT_EQ(Indstilling("ExpSkema", "slutdato"), "20240930");
}

TEST_F(ExpSkemaTest, DialogShowsTheSettingsAndFocusesTheFirstEmpty) {
  struct Tilfaelde {
    const char *navn;
    const char *sti, *fil, *fra;
    std::string visSti;
    int fokus;
  };
  std::string data = StiTab.szdata;
  data.pop_back();
  const std::vector<Tilfaelde> tabel = {
      {"nothing set: the data folder, then the name", "", "", "0", data, IDC_EXPSKEMA_FILNAVN},
      {"name set", "", "x.txt", "0", data, IDC_EXPSKEMA_FRA},
      {"all set", "D:\\ud", "x.txt", "20240901", "D:\\ud", IDC_EXPSKEMA_FRA},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    WritePrivateProfileStringA("ExpSkema", "path", t.sti, StiTab.szini);
    WritePrivateProfileStringA("ExpSkema", "filnavn", t.fil, StiTab.szini);
    WritePrivateProfileStringA("ExpSkema", "startdato", t.fra, StiTab.szini);
    ShownDialog vist;
    int fokus = 0;
    tavo::test::StartDialogScript();
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      vist = d;
      fokus = GetDlgCtrlID(GetFocus());
      return INT_PTR{IDCANCEL};
    });
    ExpSkema();
    tavo::test::StopDialogScript();
    EXPECT_EQ(vist.Control(IDC_EXPSKEMA_STI)->text, t.visSti);
    EXPECT_EQ(vist.Control(IDC_EXPSKEMA_FILNAVN)->text, t.fil);
    EXPECT_EQ(vist.Control(IDC_EXPSKEMA_FRA)->text, std::string(t.fra) == "0" ? "" : t.fra);
    EXPECT_EQ(vist.Control(IDC_EXPSKEMA_TIL)->text, "");
    EXPECT_EQ(fokus, t.fokus);
  }
}

TEST_F(ExpSkemaTest, BrowseFillsNameAndFolder) {
  ShownDialog gem, efter;
  int fokus = 0;
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    SetDlgItemTextA(d.hwnd, IDC_EXPSKEMA_STI, ud.c_str());
    SendMessageA(d.hwnd, WM_COMMAND, IDC_EXPSKEMA_BROWSE, 0);
    efter = tavo::test::CaptureDialog(d.hwnd);
    fokus = GetDlgCtrlID(GetFocus());
    return INT_PTR{IDCANCEL};
  });
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    gem = d;
    SetDlgItemTextA(d.hwnd, 0x480, "uge37");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  ExpSkema();
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  tavo::test::StopDialogScript();
  EXPECT_EQ(gem.caption, "Gem extern skema fil");
  EXPECT_EQ(efter.Control(IDC_EXPSKEMA_FILNAVN)->text, "uge37.txt");
  EXPECT_EQ(efter.Control(IDC_EXPSKEMA_STI)->text, ud);
  EXPECT_EQ(fokus, IDOK);
}

TEST_F(ExpSkemaTest, WritesTheLinesInOrder) {
  Skole();
  Koer({God()});
  EXPECT_EQ(Bokse(), (std::vector<std::pair<std::string, std::string>>{
                         {"Export af skema er færdig.\nDer blev exporteret 4 skema begivenheder.", "Export Skema"}}));
  EXPECT_EQ(Ud(),
            "M1,DAB,AB,101,20240910,3,0,0,0.000000\r\n"
            "M1,DAB,AB,102,20240910,3,0,0,0.000000\r\n"
            "M2,DAB,CD,101,20240910,3,0,0,0.000000\r\n"
            "M2,,CD,,20240920,0,1015,1145,1.500000\r\n");
}

TEST_F(ExpSkemaTest, DatesOutsideThePeriodWriteWhatLiesInside) {
  Skole();
  struct Tilfaelde {
    const char *navn, *fra, *til;
    int antal;
  };
  const Tilfaelde tabel[] = {
      {"all before the period", "20230101", "20230201", 0},
      {"all after the period", "20260101", "20260201", 0},
      {"around the whole period", "20230101", "20260201", 5},
      {"one day", "20240920", "20240920", 1},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    Koer({God(t.fra, t.til)});
    const auto b = Bokse();
    tavo::test::StopDialogScript();
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].first, "Export af skema er færdig.\nDer blev exporteret " + std::to_string(t.antal) +
                              " skema begivenheder.");
    const std::string linjer = Ud();
    EXPECT_EQ(static_cast<int>(std::count(linjer.begin(), linjer.end(), '\n')), t.antal);
  }
}

TEST_F(ExpSkemaTest, SuperTavoWritesEveryInstallationsEvents) {
  Skole();
  GlobalIndstillinger.supertavo = 1;
  Koer({God()});
  EXPECT_EQ(Bokse().at(0).first, "Export af skema er færdig.\nDer blev exporteret 5 skema begivenheder.");
}

TEST_F(ExpSkemaTest, AFullDiskIsNotReportedAsFinished) {
  Skole();
  tavo::test::FileFault fejl;
  fejl.kinds = tavo::test::kFileWrite;
  fejl.nth = 1;
  fejl.error = ERROR_DISK_FULL;
  fejl.under = (rod / "ud").string();
  fejl.profiles = false;
  tavo::test::SetFileFault(fejl);
  Koer({God()});
  tavo::test::ClearFileFault();
  EXPECT_EQ(Bokse(), (std::vector<std::pair<std::string, std::string>>{
                         {"Export af skema fejlede,\n da filen '" + ud + "\\skema.txt' ikke kunne skrives !",
                          "Export Skema - Fejl"}}));
}

TEST_F(ExpSkemaTest, AFileThatCannotBeCreated) {
  Felter f = God();
  f[0].second = ud + "\\findes\\ikke";
  Koer({f});
  EXPECT_EQ(Bokse(), (std::vector<std::pair<std::string, std::string>>{
                         {"Export af skema kan ikke fortsætte,\n da filen '" + ud +
                              "\\findes\\ikke\\skema.txt' ikke kunne oprettes !",
                          "Export Skema - Fejl"}}));
}

}  // namespace
