// Dialog 105 and its actions: the drive list and the move drive, the
// questions before data or the lock file are deleted, the delete itself,
// locking and opening the schedule, and the way from dialog 102 through
// dialog 105 to a move, driven by synthetic input.
#include <unistd.h>

#include <cstring>
#include <functional>
#include <set>

#include "AVANCERET.h"
#include "FLYT.h"
#include "MENU.h"
#include "menuhjaelp_support.h"
#include "pathmap.h"
#include "tavo/test_user.h"

using namespace menutest;

namespace {

void Klik(HWND dlg, int id) {
  HWND k = GetDlgItem(dlg, id);
  ASSERT_NE(k, (HWND)0) << id;
  const POINT pt = tavo::test::ScreenPoint(k, 4, 4);
  tavo::test::Click(pt.x, pt.y);
}

std::string Tekst(HWND dlg, int id) {
  char buf[200] = "";
  GetDlgItemTextA(dlg, id, buf, sizeof buf);
  return buf;
}

class Avanceret : public ::testing::Test {
 protected:
  void SetUp() override {
    char skabelon[] = "/tmp/avanceret_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod_ = skabelon;
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    cwd_ = cwd;
    data_ = rod_ / "data mappe";
    fs::create_directories(rod_ / "prog");
    Skriv(data_ / "ini" / "tavo.ini", "[global]\r\ninsnr=7\r\nversion=10600\r\nskemalåst=nej\r\nsupertavo=nej\r\n");
    InitCommonControls();
    RegistrerTavoMenuRessourcer();
    tavo::ResetDrives();
    g_Menu = MenuTilstand{};
    std::snprintf(g_Menu.ProgramMappe, kMenuSti, "%s\\", WinForm(rod_ / "prog").c_str());
    std::snprintf(g_Menu.DataMappe, kMenuSti, "%s\\", WinForm(data_).c_str());
    std::snprintf(g_Menu.IniFil, sizeof g_Menu.IniFil, "%sini\\tavo.ini", g_Menu.DataMappe);
    g_Menu.Insnr = 7;
    g_Menu.Version = 10600;
    std::strcpy(g_Menu.SuperTavo, "nej");
    std::strcpy(g_Menu.FlytDrev, "a:");
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    FrigivDrevListe();
    tavo::ResetDrives();
    if (chdir(cwd_.c_str()) != 0) ADD_FAILURE() << "chdir";
    std::error_code ec;
    fs::remove_all(rod_, ec);
  }
  void Svar(std::function<INT_PTR(const tavo::test::ShownDialog &)> h) { tavo::test::AnswerNextDialog(std::move(h)); }
  void Svar(int svar) {
    Svar([svar](const tavo::test::ShownDialog &) -> INT_PTR { return svar; });
  }
  // Dialog 105, its user given by the handler (which must end it), the
  // boxes it shows answered in turn.
  INT_PTR Koer105(std::function<void(HWND)> bruger, const std::vector<int> &svar = {}) {
    Svar([bruger](const tavo::test::ShownDialog &d) -> INT_PTR {
      bruger(d.hwnd);
      return 0;
    });
    for (int s : svar) Svar(s);
    return DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_AVANCERET), 0, AvanceretDlgProc, 0);
  }
  std::vector<std::string> Bokse() {
    std::vector<std::string> t;
    for (const auto &b : tavo::test::MessageBoxesShown()) t.push_back(b.text);
    return t;
  }
  void Laasefil() { Skriv(data_ / "ini" / "tavo.lck", "07,10600,bruger,pc,20261210,0800,"); }

  fs::path rod_, data_;
  std::string cwd_;
};

void VaelgDrev(HWND dlg, int indeks) {
  HWND combo = GetDlgItem(dlg, IDC_FLYTDREV);
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(indeks), 0);
  SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_FLYTDREV, CBN_SELCHANGE), (LPARAM)combo);
}

std::vector<std::string> ComboLinjer(HWND dlg) {
  std::vector<std::string> l;
  HWND combo = GetDlgItem(dlg, IDC_FLYTDREV);
  const int n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    char buf[300] = "";
    SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
    l.push_back(buf);
  }
  return l;
}

// The drive list: a label where there is one, else the kind of drive; the
// move drive selected; an invalid drive keeps the old one and the focus;
// a valid one is written on OK, and Fortryd writes nothing.
TEST_F(Avanceret, DriveListAndMoveDrive) {
  fs::create_directories(rod_ / "a");
  fs::create_directories(rod_ / "e");
  tavo::SetDrive('A', (rod_ / "a").string(), DRIVE_REMOVABLE);
  tavo::SetDrive('E', (rod_ / "e").string(), DRIVE_FIXED);
  tavo::SetDriveLabel('E', "SKOLE");
  tavo::SetDrive('F', (rod_ / "f").string(), DRIVE_FIXED);
  tavo::SetDrive('G', (rod_ / "g").string(), DRIVE_CDROM);
  tavo::SetDrive('N', (rod_ / "n").string(), DRIVE_REMOTE);
  tavo::SetDriveRemoteName('N', "\\\\server\\skema");
  tavo::SetDrive('Q', (rod_ / "q").string(), DRIVE_UNKNOWN);
  tavo::SetDrive('R', (rod_ / "r").string(), DRIVE_RAMDISK);
  std::vector<std::string> linjer;
  int valgt = -1;
  EXPECT_EQ(Koer105([&](HWND dlg) {
              linjer = ComboLinjer(dlg);
              valgt = static_cast<int>(SendDlgItemMessageA(dlg, IDC_FLYTDREV, CB_GETCURSEL, 0, 0));
              VaelgDrev(dlg, 6);  // Q:
              EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_FLYTDREV));
              EXPECT_STREQ(g_Menu.FlytDrev, "a:");
              VaelgDrev(dlg, 2);  // E:
              EXPECT_EQ(IsDlgButtonChecked(dlg, IDC_FLYT), BST_CHECKED);
              EXPECT_EQ(Tekst(dlg, IDC_FLYT), "&Flyt data til harddisk");
              Klik(dlg, IDC_FORTRYD);
            },
                    {IDOK}),
            IDC_FORTRYD);
  EXPECT_EQ(linjer, (std::vector<std::string>{"(A:) Flytbar", "(C:) Lokal disk", "(E:) SKOLE", "(F:) Lokal disk",
                                              "(G:) Cd-drev", "(N:) \\\\server\\skema", "(Q:) ", "(R:) Ram disk"}));
  EXPECT_EQ(valgt, 0);
  EXPECT_EQ(Bokse(), std::vector<std::string>{"Flytdrevet er ikke et gyldigt drev bogstav!"});
  EXPECT_STREQ(g_Menu.FlytDrev, "a:");
  EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "flytdrev"), "");

  // Chosen, then the lock action (answered No) and OK: the drive is kept.
  Koer105(
      [](HWND dlg) {
        VaelgDrev(dlg, 2);
        Klik(dlg, IDC_LAAS);
        Klik(dlg, IDC_AV_OK);
      },
      {IDNO});
  EXPECT_STREQ(g_Menu.FlytDrev, "E:");
  EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "flytdrev"), "E:");
  EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "skemalåst"), "nej");
}

// The questions before the data are deleted, by lock file in use, a sent
// export (exp.dat.gz) and counts not delivered to EASY.
TEST_F(Avanceret, DeleteDataQuestions) {
  const std::string foerste = "Bemærk at data'ene tilhørende installation nr. 7 er i brug !!!\n\nEr du sikker på du "
                              "vil slette data?";
  const std::string alle = "Dette vil slette ALLE skemadata på TAVO-installation nr. 7 !!!\n\n";
  const std::string tal = "Men der ligger 3 skemabegivenheder og 4 posteringer, som ikke er afleveret til EASY. "
                          "Disse vil gå tabt!\n";
  const std::string fortsaet = "\nEr du sikker på du vil fortsætte?";
  const std::string sendt = "Bemærk at der er lavet og SENDT en eksportfil !!!\n\nEr du sikker på du vil slette data?";
  const std::string helt = "Er du HELT sikker du vil slette skemadata?";
  const struct {
    bool laas, gz;
    const char *cnt;  // data/CntLokaleBeg.dat, nullptr: none
    std::vector<int> svar;
    std::vector<std::string> spoergsmaal;
    int resultat;
  } tilfaelde[] = {
      {true, false, "3, 4\r\n", {IDYES, IDYES}, {foerste, helt}, 1},
      {true, false, "3, 4\r\n", {IDYES, IDNO}, {foerste, helt}, 0},
      {true, false, nullptr, {IDNO}, {foerste}, 0},
      {false, false, "0, 0\r\n", {IDYES, IDYES}, {alle + fortsaet, helt}, 1},
      {false, false, nullptr, {IDYES, IDNO}, {alle + fortsaet, helt}, 0},
      {false, false, "3, 4\r\n", {IDNO}, {alle + tal + fortsaet}, 0},
      {false, false, "3 ikke tal", {IDNO}, {alle + fortsaet}, 0},
      {false, true, "3, 4\r\n", {IDYES, IDYES}, {sendt, helt}, 1},
      {true, true, nullptr, {IDYES, IDYES, IDYES}, {foerste, sendt, helt}, 1},
      {true, true, nullptr, {IDYES, IDNO}, {foerste, sendt}, 0},
  };
  int raekke = 0;
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(raekke++);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    fs::remove_all(data_ / "data");
    fs::remove(data_ / "ini" / "tavo.lck");
    if (t.laas) Laasefil();
    if (t.gz) Skriv(data_ / "data" / "exp.dat.gz", "gz");
    if (t.cnt) Skriv(data_ / "data" / "CntLokaleBeg.dat", t.cnt);
    for (int s : t.svar) Svar(s);
    EXPECT_EQ(BekraeftSletData(0), t.resultat);
    EXPECT_EQ(Bokse(), t.spoergsmaal);
    for (const auto &b : tavo::test::MessageBoxesShown()) {
      EXPECT_EQ(b.caption, "Advarsel!");
      EXPECT_TRUE(b.type & MB_DEFBUTTON2);
    }
  }
  unsigned long b = 9, p = 9;
  fs::remove_all(data_ / "data");
  EXPECT_EQ(LaesCntLokaleBeg(&b, &p), -1);
  EXPECT_EQ(b + p, 0u);
  Skriv(data_ / "data" / "CntLokaleBeg.dat", "12, 34\r\n");
  EXPECT_EQ(LaesCntLokaleBeg(&b, &p), 0);
  EXPECT_EQ(b, 12u);
  EXPECT_EQ(p, 34u);
}

// Deleting data keeps the enrolment tables and every other file, deletes
// the listed tables and the side files; a file that cannot go is named
// and the success text is not shown.
TEST_F(Avanceret, DeleteDataKeepsEnrolmentAndNamesFilesLeft) {
  const std::set<std::string> behold = {"tg", "pp", "la", "lap", "elev", "elti", "ev", "eb"};
  const std::string liste =
      "anom hontity lektregl nojt eakt loty aldtil afsp beltil omsdag opgkal opgper araf aftalop afme meda anfo ansc "
      "ansk acsa udgr loka risy skka akgr kdagrel kaldag akti skfa skph sphp lokrotyp lokrolle skemrtyp skemarol bem "
      "aakrel miak minutfau minutud planakt mipl fagfordl udlplan budt buftim normjust elvrel elvrel2 fagelv ret pom "
      "bygn amm ins pers epsh akpl frit uvfo unko alrel skfalokarel tif hjpakt frty ffpg ffpp ffgrund ffpertab "
      "fftaltab fffagfordl ffpgrel medaskeprior";
  std::vector<std::string> slet;
  for (size_t i = 0, j; i < liste.size(); i = j + 1) {
    j = liste.find(' ', i);
    if (j == std::string::npos) j = liste.size();
    slet.push_back(liste.substr(i, j - i));
  }
  const char *side[] = {"skemabeg.dat", "timoak.dat", "udplatim.dat", "hontim.dat", "CntLokaleBeg.dat"};
  for (bool blokeret : {true, false}) {
    SCOPED_TRACE(blokeret);
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    fs::remove_all(data_ / "data");
    for (const auto &n : behold) Skriv(data_ / "data" / (n + ".DAT"), n);
    for (const auto &n : slet) Skriv(data_ / "data" / (n + ".dat"), n);
    for (const char *s : side) Skriv(data_ / "data" / s, s);
    Skriv(data_ / "data" / "andet.dat", "bliver");
    if (blokeret) {
      // A folder of a table's name: no one, root neither, deletes it as a file.
      fs::remove(data_ / "data" / "akti.dat");
      Skriv(data_ / "data" / "akti.dat" / "x", "x");
    }
    Svar(0);
    Svar(IDOK);
    EXPECT_EQ(DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_ARBEJDE), 0, SletDataDlgProc, 0), 2);
    std::set<std::string> tilbage;
    for (const auto &e : fs::directory_iterator(data_ / "data")) tilbage.insert(e.path().filename().string());
    std::set<std::string> forventet = {"andet.dat"};
    for (const auto &n : behold) forventet.insert(n + ".DAT");
    if (blokeret) forventet.insert("akti.dat");
    EXPECT_EQ(tilbage, forventet);
    const auto bokse = tavo::test::MessageBoxesShown();
    ASSERT_EQ(bokse.size(), 1u);
    if (blokeret) {
      EXPECT_EQ(bokse[0].caption, "Advarsel!");
      EXPECT_NE(bokse[0].text.find("akti.DAT"), std::string::npos) << bokse[0].text;
      EXPECT_EQ(bokse[0].text.find("Så er skemadata slettet!"), std::string::npos);
    } else {
      EXPECT_EQ(bokse[0].caption, "Information");
      EXPECT_EQ(bokse[0].text, "Så er skemadata slettet!");
    }
  }
}

// The lock file: asked about and deleted when in use, nothing asked or
// deleted without it; a move while it is in use is refused and the dialog
// stays.
TEST_F(Avanceret, LockFile) {
  EXPECT_EQ(BekraeftSletLaasefil(0), 1);
  EXPECT_TRUE(Bokse().empty());
  Laasefil();
  Koer105(
      [](HWND dlg) {
        Klik(dlg, IDC_SLET_LAAS);
        Klik(dlg, IDC_AV_OK);
      },
      {IDYES});
  EXPECT_FALSE(fs::exists(data_ / "ini" / "tavo.lck"));
  ASSERT_EQ(Bokse().size(), 1u);
  EXPECT_EQ(Bokse()[0].rfind("Bemærk at data'ene tilhørende installation nr. 7 er i brug !!!\nHvis du sletter", 0), 0u);

  Laasefil();
  tavo::test::StopDialogScript();
  tavo::test::StartDialogScript();
  Svar(IDNO);
  EXPECT_EQ(BekraeftSletLaasefil(0), 0);
  Koer105(
      [](HWND dlg) {
        SendDlgItemMessageA(dlg, IDC_FLYT, BM_CLICK, 0, 0);
        SendDlgItemMessageA(dlg, IDC_AV_OK, BM_CLICK, 0, 0);
        // Still open: the user chooses again.
        EXPECT_TRUE(IsWindow(dlg));
        SendDlgItemMessageA(dlg, IDC_FORTRYD, BM_CLICK, 0, 0);
      },
      {IDOK});
  EXPECT_TRUE(fs::exists(data_ / "ini" / "tavo.lck"));
  EXPECT_EQ(Bokse().back(),
            "Du er ved at flytte data fra en TAVO, som er i brug af en anden bruger\nTAVO skal være afsluttet inden der "
            "kan flyttes data!");
}

// Dialog 102 by synthetic input: "A&vanceret", then in dialog 105 the lock
// action or the move with a removable drive A:; dialog 102's texts follow.
class AvanceretHovedmenu : public Avanceret {
 protected:
  // Dialog 102, "A&vanceret" pressed, dialog 105 used by the handler; 102's
  // start button text once 105 is closed.
  std::string Koer102(std::function<void(HWND)> bruger105, const std::vector<int> &svar) {
    std::string start;
    Svar([&](const tavo::test::ShownDialog &d) -> INT_PTR {
      SendDlgItemMessageA(d.hwnd, IDC_AVANCERET, BM_CLICK, 0, 0);
      UpdateWindow(d.hwnd);
      start = Tekst(d.hwnd, IDC_START);
      return IDC_LUK;
    });
    Svar([bruger105](const tavo::test::ShownDialog &d105) -> INT_PTR {
      bruger105(d105.hwnd);
      return 0;
    });
    for (int s : svar) Svar(s);
    DialogBoxParamA(0, MAKEINTRESOURCEA(IDD_HOVEDMENU), 0, HovedmenuDlgProc, 0);
    return start;
  }
};

TEST_F(AvanceretHovedmenu, LockAndOpenFlipTheButtons) {
  EXPECT_EQ(Koer102(
                [](HWND dlg) {
                  EXPECT_EQ(Tekst(dlg, IDC_LAAS), "L&ås TAVO-skema");
                  Klik(dlg, IDC_LAAS);
                  Klik(dlg, IDC_AV_OK);
                },
                {IDYES}),
            "&Start TAVO-skema [LÅST]");
  EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "skemalåst"), "ja");
  std::string flyt;
  EXPECT_EQ(Koer102(
                [&](HWND dlg) {
                  flyt = Tekst(dlg, IDC_FLYT);
                  EXPECT_EQ(Tekst(dlg, IDC_LAAS), "&Åbn TAVO-skema");
                  Klik(dlg, IDC_LAAS);
                  Klik(dlg, IDC_AV_OK);
                },
                {IDYES}),
            "&Start TAVO-skema");
  EXPECT_EQ(flyt, "&Flyt data til harddisk");
  EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "skemalåst"), "nej");
  EXPECT_EQ(g_Menu.Laast, 0);
  const auto bokse = Bokse();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[0].rfind("Er du sikker på at du vil 'låse' skemaet?", 0), 0u);
  EXPECT_EQ(bokse[1].rfind("Er du sikker på at du vil 'åbne' skemaet?", 0), 0u);
}

TEST_F(AvanceretHovedmenu, MoveOutAndBackThroughTheMenus) {
  Skriv(data_ / "data" / "akti.dat", std::string(5000, 'a'));
  fs::create_directories(rod_ / "a");
  tavo::SetDrive('A', (rod_ / "a").string(), DRIVE_REMOVABLE, 1457664, 1457664);
  const auto vaelgFlyt = [](HWND dlg) {
    Klik(dlg, IDC_FLYT);
    Klik(dlg, IDC_AV_OK);
  };
  // Dialog 103 runs on, the closing box is answered.
  EXPECT_EQ(Koer102(vaelgFlyt, {0, IDOK}), "&Start TAVO-skema [LÅST]");
  EXPECT_TRUE(fs::exists(rod_ / "a" / "TAVO-Flyt7" / "Data.z01"));
  EXPECT_EQ(IniVaerdi(rod_ / "a" / "TAVO-Flyt7" / "flyt.ini", "skemalåst"), "nej");
  EXPECT_EQ(IniVaerdi(data_ / "ini" / "tavo.ini", "skemalåst"), "ja");

  Skriv(data_ / "data" / "akti.dat", "ændret her");
  EXPECT_EQ(Koer102(vaelgFlyt, {0, IDOK}), "&Start TAVO-skema");
  EXPECT_EQ(Laes(data_ / "data" / "akti.dat"), std::string(5000, 'a'));
  EXPECT_EQ(IniVaerdi(rod_ / "a" / "TAVO-Flyt7" / "flyt.ini", "skemalåst"), "ja");
  EXPECT_EQ(Bokse(), (std::vector<std::string>{"Så er filerne kopieret til disk enheden!",
                                              "Så er filerne kopieret til harddisken!"}));
}

// The support button runs the upload dialog; with no server answering, the
// user is told and the packed archive is kept.
TEST_F(Avanceret, SupportButtonRunsTheUpload) {
  Skriv(data_ / "ini" / "tavo.ini",
        "[global]\r\ninsnr=7\r\nversion=10600\r\nskemalåst=nej\r\nsupertavo=nej\r\n"
        "[kontakt]\r\nsupportserver=127.0.0.1\r\n");
  setenv("TAVO_SERVICES", "ftp/tcp=1", 1);
  std::string caption;
  EXPECT_EQ(Koer105(
                [&](HWND dlg) {
                  Svar([&](const tavo::test::ShownDialog &d) -> INT_PTR {
                    caption = d.caption;
                    return 0;
                  });
                  Klik(dlg, IDC_AV_OK);
                }),
            IDC_AV_OK);
  unsetenv("TAVO_SERVICES");
  EXPECT_EQ(caption, "Send data til support...");
  const std::vector<std::string> bokse = Bokse();
  ASSERT_FALSE(bokse.empty());
  EXPECT_EQ(bokse[0].rfind("Kunne ikke etablere forbindelse til server: 127.0.0.1!\nPakken er gemt som:", 0), 0u);
}

}  // namespace
