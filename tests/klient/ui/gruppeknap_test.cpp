// The group button driven as a user drives it: its list dropped under it
// inside the work area, a pick by mouse, the group messages with numbers in
// and out of range; and the names dialog through the dialog script on a
// data folder named as the command line names it.

#include <cstring>
#include <string>

#include "INDSTIL.h"
#include "VINDUER.h"
#include "gruppe_support.h"
#include "tavo/test_dialog.h"
#include "tavo/test_gdi.h"

namespace {

using gruppe_test::GruppeTest;

class GruppeKnap : public GruppeTest {
 protected:
  HWND Knap(char art, uint8_t gruppe, int x = 10, int y = 10) {
    HWND k = CreateGroupWnd(0, vaert, x, y, 120, 18, art, gruppe);
    EXPECT_NE(k, 0u);
    ShowWindow(k, SW_SHOW);
    tavo::test::PumpUntilIdle();
    wfb_test::Log().clear();
    return k;
  }
  static GruppeKnapWS *Ws(HWND k) { return reinterpret_cast<GruppeKnapWS *>(GetWindowLongPtrA(k, GWLP_USERDATA)); }
  static int Gruppe(HWND k) { return static_cast<int>(SendMessageA(k, GRUPPE_HENT, 0, 0)); }
  static RECT Skaerm(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
  }
  // The texts drawn into a window since the log was cleared.
  static std::vector<std::string> Tekster(HWND h) {
    std::vector<std::string> v;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == h) v.push_back(t.text);
    return v;
  }
  static int ListeBredde(int art) { return GruppeListeBredde[art] - 2 + GetSystemMetrics(SM_CXVSCROLL); }
};

TEST_F(GruppeKnap, ClickDropsTheListInsideTheWorkAreaAndASecondClickHidesIt) {
  const int b = ListeBredde(GRP_ANFO);
  // The host's client area is at screen (40, 60).
  const struct {
    const char *hvad;
    RECT arbejde;
    int knapX, knapY;
    int x, y;
  } tilfaelde[] = {
      {"below, one pixel right", {0, 0, 800, 600}, 10, 10, 51, 88},
      {"moved left at the right edge", {0, 0, 700, 600}, 600, 10, 700 - b, 88},
      {"never left of the work area", {100, 0, 800, 600}, 10, 10, 100, 88},
      {"164 up near the bottom", {0, 0, 800, 300}, 10, 200, 51, 278 - 164},
      {"145 below just fits", {0, 0, 800, 423}, 10, 200, 51, 278},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    RECT wa = t.arbejde;
    SystemParametersInfoA(SPI_SETWORKAREA, 0, &wa, 0);
    HWND k = Knap('M', 0, t.knapX, t.knapY);
    HWND liste = Ws(k)->liste;
    Klik(k, 5, 5);
    ASSERT_TRUE(IsWindowVisible(liste));
    EXPECT_EQ(GetCapture(), liste);
    EXPECT_EQ(GetFocus(), liste);
    const RECT r = Skaerm(liste);
    EXPECT_EQ(r.left, t.x);
    EXPECT_EQ(r.top, t.y);
    EXPECT_EQ(r.right - r.left, b);
    EXPECT_EQ(r.bottom - r.top, kGruppeListeHoejde);
    Klik(k, 5, 5);
    EXPECT_FALSE(IsWindowVisible(liste));
    EXPECT_TRUE(Hoert({GRUPPE_VALGT}).empty());
    DestroyWindow(k);
  }
}

TEST_F(GruppeKnap, APickedGroupWithMembersIsShownAndToldTheOwner) {
  const struct {
    char art;
    int gruppe;
    bool medlemmer;
  } tilfaelde[] = {
      {'M', 2, true}, {'K', 3, true}, {'L', 1, true}, {'M', 6, false}, {'L', 2, false}, {'K', 0, false},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::string(1, t.art) + " " + std::to_string(t.gruppe));
    HWND k = Knap(t.art, 4);
    HWND liste = Ws(k)->liste;
    Klik(k, 5, 5);
    tavo::test::ClearDrawnTexts();
    Klik(liste, 10, 1 + t.gruppe * kListBoxRaekke + 6);
    EXPECT_FALSE(IsWindowVisible(liste));
    const int art = GruppeArtIndeks(t.art);
    if (t.medlemmer) {
      EXPECT_EQ(Gruppe(k), t.gruppe);
      EXPECT_EQ(Hoert({GRUPPE_VALGT}), (std::vector<std::pair<UINT, WPARAM>>{{GRUPPE_VALGT, t.gruppe}}));
      const auto tekster = Tekster(k);
      ASSERT_FALSE(tekster.empty());
      EXPECT_EQ(tekster.back(), GruppeNavne[art][t.gruppe]);
    } else {
      EXPECT_EQ(Gruppe(k), 4);
      EXPECT_TRUE(Hoert({GRUPPE_VALGT}).empty());
      for (const auto &s : Tekster(k)) EXPECT_EQ(s, GruppeNavne[art][4]);
    }
    DestroyWindow(k);
    wfb_test::Log().clear();
  }
}

TEST_F(GruppeKnap, GroupMessagesTakeOnlyNumbersOfTheNames) {
  const struct {
    const char *hvad;
    char art;
    char begArt;  // the current event's kind, 0 for none
    UINT msg;
    WPARAM w;
    LPARAM l;
    int gruppe;    // the group afterwards (from 4)
    bool besked;   // the owner is told
  } tilfaelde[] = {
      {"3025 with members", 'M', 0, GRUPPE_SAET, 2, 0, 2, false},
      {"3025 without members", 'M', 0, GRUPPE_SAET, 6, 0, 4, false},
      {"3025 with 85 without members", 'M', 0, GRUPPE_SAET, 6, 85, 6, false},
      {"3025 with 85 out of range", 'M', 0, GRUPPE_SAET, 32, 85, 4, false},
      {"3026 without members", 'L', 0, GRUPPE_VALGT, 6, 0, 6, false},
      {"3026 out of range", 'L', 0, GRUPPE_VALGT, 40, 0, 4, false},
      {"3026 of -1", 'L', 0, GRUPPE_VALGT, static_cast<WPARAM>(-1), 0, 4, false},
      {"2228 with nothing current", 'M', 0, LISTBOX_VALGT, static_cast<WPARAM>(-1), 0, 4, false},
      {"2228 past the names", 'M', 0, LISTBOX_VALGT, 32, 0, 4, false},
      {"2228 all employees", 'M', 0, LISTBOX_VALGT, 31, 0, 31, true},
      {"2228 all rooms while a P event", 'L', 'P', LISTBOX_VALGT, 31, 0, 31, true},
      {"2228 all activities", 'K', 'S', LISTBOX_VALGT, 31, 0, 31, true},
      {"2228 all activities while a P event", 'K', 'P', LISTBOX_VALGT, 31, 0, 4, false},
      {"2228 an activity group while an F event", 'K', 'F', LISTBOX_VALGT, 3, 0, 4, false},
  };
  static char begArt;
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.hvad);
    begArt = t.begArt;
    GruppeBegivenhedsArt = t.begArt ? +[] { return begArt; } : nullptr;
    HWND k = Knap(t.art, 4);
    SendMessageA(k, t.msg, t.w, t.l);
    EXPECT_EQ(Gruppe(k), t.gruppe);
    EXPECT_EQ(Hoert({GRUPPE_VALGT}).size(), t.besked ? 1u : 0u);
    DestroyWindow(k);
    wfb_test::Log().clear();
  }
  // A first group out of range shows group 0.
  EXPECT_EQ(Gruppe(Knap('M', 200)), 0);
}

TEST_F(GruppeKnap, TheWidestNameIsDrawnWholeInTheList) {
  std::snprintf(GruppeNavne[GRP_LOKA][4], kGruppeNavnLaengde, " 4 : Værksteder og laboratorier på Nørrebro");
  BeregnGruppeListeBredder();
  HWND k = Knap('L', 0);
  HWND liste = Ws(k)->liste;
  tavo::test::ClearDrawnTexts();
  Klik(k, 5, 5);
  const auto tekster = Tekster(liste);
  EXPECT_NE(std::find(tekster.begin(), tekster.end(), GruppeNavne[GRP_LOKA][4]), tekster.end());
  for (const auto &s : tekster) EXPECT_EQ(s.find("..."), std::string::npos) << s;
}

// ---- the names dialog

class GruppeKnapNavne : public GruppeTest {
 protected:
  void SetUp() override {
    GruppeTest::SetUp();
    RegistrerGruppeNavneSkabelon();
    // A window in the open-window list hears what goes to all windows.
    VinduesListeTilfoej(vaert);
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    VinduesListeFjern(vaert);
    GruppeTest::TearDown();
  }

  INT_PTR Aabn() {
    wfb_test::Log().clear();
    return DialogBoxParamA(0, MAKEINTRESOURCE(IDD_GRUPPENAVNE), hwndHoved, GruppeNavneDlgProc, 0);
  }
  static std::string Tekst(HWND dlg, int id) {
    char b[100] = {};
    GetDlgItemTextA(dlg, id, b, sizeof b);
    return b;
  }
  // As a user: a click in the edit, the text typed, a click on the button.
  static void Skriv(HWND dlg, int id, const char *tekst) {
    HWND e = GetDlgItem(dlg, id);
    SetFocus(e);
    SendMessageA(e, EM_SETSEL, 0, -1);
    tavo::test::TypeText(tekst);
    tavo::test::PumpUntilIdle();
  }
  static void Tryk(HWND dlg, int id) {
    HWND b = GetDlgItem(dlg, id);
    RECT r;
    GetClientRect(b, &r);
    const POINT p = tavo::test::ScreenPoint(b, r.right / 2, r.bottom / 2);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
  }
  // The user's answer: a kind chosen, a name typed into an edit, a button pressed.
  static void Indtast(int radio, int id, const std::string &tekst, int knap) {
    tavo::test::AnswerNextDialog([=](const tavo::test::ShownDialog &d) {
      Tryk(d.hwnd, radio);
      Skriv(d.hwnd, id, tekst.c_str());
      Tryk(d.hwnd, knap);
      return INT_PTR{0};
    });
  }
  std::string Flag() const {
    char b[16] = {};
    GetPrivateProfileStringA("flag", "exportergrupper", "", b, sizeof b, StiTab.szini);
    return b;
  }
  bool GroupIniFindes() const { return std::filesystem::exists(data.rod / "ini" / "group.ini"); }
  size_t Hoert3025() const {
    size_t n = 0;
    for (const auto &b : wfb_test::Log()) n += b.msg == GRUPPE_SAET && b.w == 0 && b.l == 0;
    return n;
  }
};

TEST_F(GruppeKnapNavne, EachKindShowsItsNamesAndOnlyActivitiesLockTheirFirstFive) {
  const struct {
    int radio;
    bool forsteFemAktive;
    const char *gruppe1, *gruppe6;
  } arter[] = {
      {40040, true, "Ikke navngivet", "Ikke navngivet"},
      {40041, true, "Ikke navngivet", "Ikke navngivet"},
      {40039, false, "Alle hold", "Ikke navngivet"},
  };
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    EXPECT_EQ(d.caption, "Grupper");
    EXPECT_EQ(IsDlgButtonChecked(d.hwnd, 40039), BST_CHECKED);
    EXPECT_EQ(GetFocus(), GetDlgItem(d.hwnd, 40039));
    EXPECT_EQ(Tekst(d.hwnd, 10), "Alle hold");
    EXPECT_EQ(Tekst(d.hwnd, 14), "Øvrige aktiviteter");
    for (int id = 10; id <= 39; ++id) EXPECT_EQ(IsWindowEnabled(GetDlgItem(d.hwnd, id)) != 0, id >= 15) << id;
    EXPECT_EQ(SendMessageA(d.hwnd, 3023, 0, 0), 103);
    for (const auto &a : arter) {
      SCOPED_TRACE(a.radio);
      Tryk(d.hwnd, a.radio);
      EXPECT_EQ(IsDlgButtonChecked(d.hwnd, a.radio), BST_CHECKED);
      for (int id = 10; id <= 14; ++id) EXPECT_EQ(IsWindowEnabled(GetDlgItem(d.hwnd, id)) != 0, a.forsteFemAktive);
      EXPECT_EQ(Tekst(d.hwnd, 10), a.gruppe1);
      EXPECT_EQ(Tekst(d.hwnd, 15), a.gruppe6);
    }
    Tryk(d.hwnd, IDOK);
    return INT_PTR{0};
  });
  std::filesystem::remove(data.rod / "ini" / "group.ini");
  EXPECT_EQ(Aabn(), 1);
  // Nothing was changed: the names are written, but not marked for export.
  EXPECT_TRUE(GroupIniFindes());
  EXPECT_EQ(Flag(), "");
  EXPECT_EQ(Hoert3025(), 1u);
}

TEST_F(GruppeKnapNavne, ANameTypedWithLeadingBlanksIsStoredAfterItsNumber) {
  Indtast(40039, 16, "   Svejsere", IDOK);
  EXPECT_EQ(Aabn(), 1);
  EXPECT_STREQ(GruppeNavne[GRP_AKTI][7], " 7 : Svejsere");
  EXPECT_STREQ(GruppeNavne[GRP_AKTI][6], " 6 : Ikke navngivet");
  EXPECT_NE(data.IniTekst("group.ini").find("\nA,7, 7 : Svejsere\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(data.rod / "ini" / "group.ini.tmp"));
  EXPECT_EQ(Flag(), "1");
  EXPECT_EQ(Hoert3025(), 1u);
  // The file reads back to the same names.
  HentGruppeNavne();
  EXPECT_STREQ(GruppeNavne[GRP_AKTI][7], " 7 : Svejsere");
}

TEST_F(GruppeKnapNavne, ALongNameIsCutToTheNamesLength) {
  const std::string lang(49, 'x');
  Indtast(40040, 39, lang + "yyyy", IDOK);
  EXPECT_EQ(Aabn(), 1);
  EXPECT_STREQ(GruppeNavne[GRP_ANFO][30], (" 30 : " + lang.substr(0, 43)).c_str());
  EXPECT_STREQ(GruppeNavne[GRP_ANFO][31], "Alle Medarbejdere");
}

TEST_F(GruppeKnapNavne, AnnullerLeavesTheStoredNames) {
  const std::string foer = data.IniTekst("group.ini");
  Indtast(40041, 17, "Kantine", IDCANCEL);
  EXPECT_EQ(Aabn(), 2);
  EXPECT_STREQ(GruppeNavne[GRP_LOKA][8], " 8 : Ikke navngivet");
  // The plain name kept when the edit lost the focus stays in memory.
  EXPECT_STREQ(GruppeNavneRen[GRP_LOKA][8], "Kantine");
  EXPECT_EQ(data.IniTekst("group.ini"), foer);
  EXPECT_EQ(Flag(), "");
  EXPECT_EQ(Hoert3025(), 0u);
}

TEST_F(GruppeKnapNavne, ALockedScheduleWarnsAndWritesNoFile) {
  GlobalIndstillinger.skemalaast = 1;
  std::filesystem::remove(data.rod / "ini" / "group.ini");
  // Going on: the names change for this run only.
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDOK}; });
  Indtast(40040, 12, "Vikarer", IDOK);
  EXPECT_EQ(Aabn(), 1);
  auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].text, "Rettelser i gruppenavne vil ikke blive gemt vedvarende, da skemaet er låst !");
  EXPECT_EQ(bokse[0].caption, "Gruppenavne");
  EXPECT_EQ(bokse[0].type, UINT{MB_OKCANCEL | MB_ICONEXCLAMATION});
  EXPECT_STREQ(GruppeNavne[GRP_ANFO][3], " 3 : Vikarer");
  EXPECT_FALSE(GroupIniFindes());
  EXPECT_EQ(Flag(), "");
  EXPECT_EQ(Hoert3025(), 1u);

  // Cancel in the warning ends the dialog at once.
  tavo::test::StopDialogScript();
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) { return INT_PTR{IDCANCEL}; });
  EXPECT_EQ(Aabn(), 2);
  EXPECT_EQ(Hoert3025(), 0u);
}

}  // namespace
