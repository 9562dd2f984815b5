// The saved screens: the menu entries, the three dialogs driven as a user
// would, the cascade, saving and restoring a whole screen, and screen files
// that are old, damaged or too long; and the menu helpers.

#include "objektvindue_support.h"
#include "skaermdlg.h"

namespace {

using namespace objvin_test;

class SkaermTest : public ObjektvindueTest {
 protected:
  void Navn(int n, const char *navn) {
    char sek[16];
    snprintf(sek, sizeof sek, "skrm%d", n);
    WritePrivateProfileStringA(sek, "navn", navn, StiTab.szskrm);
  }
  std::string LaesNavn(int n) {
    char sek[16], buf[100];
    snprintf(sek, sizeof sek, "skrm%d", n);
    GetPrivateProfileStringA(sek, "navn", "", buf, sizeof buf, StiTab.szskrm);
    return buf;
  }
  void Struct(int n, const char *noegle, const void *v, UINT stoerrelse) {
    char sek[16];
    snprintf(sek, sizeof sek, "skrm%d", n);
    WritePrivateProfileStructA(sek, noegle, const_cast<void *>(v), stoerrelse, StiTab.szskrm);
  }
  // A screen as this display saves it, with a normal main window.
  void Skaerm(int n, const char *navn) {
    Navn(n, navn);
    const int32_t cx = 1280, cy = 1024;
    const RECT hovedRekt = {50, 20, 1050, 780};
    Struct(n, "skrm_cx", &cx, 4);
    Struct(n, "skrm_cy", &cy, 4);
    Struct(n, "main_rect", &hovedRekt, sizeof hovedRekt);
  }
  void Vindue(int n, int k, int32_t type, RECT r) {
    char noegle[32];
    snprintf(noegle, sizeof noegle, "desk%d_id", k);
    Struct(n, noegle, &type, 4);
    snprintf(noegle, sizeof noegle, "desk%d_rect", k);
    Struct(n, noegle, &r, sizeof r);
  }

  HMENU Egne() {
    BOOL fundet = FALSE;
    HMENU holder = 0;
    int pos = 0;
    FindMenuPunkt(GetMenu(hoved), &fundet, &holder, &pos, kMenuGemSkaerm);
    return fundet ? holder : 0;
  }
  // The entries of "Egne vinduer" after the three of its own: id and text.
  std::vector<std::pair<UINT, std::string>> Skaermpunkter() {
    std::vector<std::pair<UINT, std::string>> v;
    HMENU m = Egne();
    for (int i = 3; i < GetMenuItemCount(m); ++i) {
      char tekst[128] = "";
      GetMenuStringA(m, i, tekst, sizeof tekst, MF_BYPOSITION);
      v.emplace_back(GetMenuItemID(m, i), tekst);
    }
    return v;
  }
  bool Graa(UINT id) { return (GetMenuState(GetMenu(hoved), id, MF_BYCOMMAND) & MF_GRAYED) != 0; }

  // The combo box's entries of a dialog.
  static std::vector<std::string> Genveje(HWND dlg) {
    std::vector<std::string> v;
    HWND combo = GetDlgItem(dlg, IDC_SKAERM_GENVEJ);
    const int n = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < n; ++i) {
      char tekst[64] = "";
      SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)tekst);
      v.push_back(tekst);
    }
    return v;
  }
  static void Vaelg(HWND dlg, int i) {
    SendDlgItemMessageA(dlg, IDC_SKAERM_GENVEJ, CB_SETCURSEL, i, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_SKAERM_GENVEJ, CBN_SELCHANGE),
                 (LPARAM)GetDlgItem(dlg, IDC_SKAERM_GENVEJ));
  }
  static std::string NavnFelt(HWND dlg) {
    char tekst[100] = "";
    GetDlgItemTextA(dlg, IDC_SKAERM_NAVN, tekst, sizeof tekst);
    return tekst;
  }
  static std::vector<std::string> Bokse() {
    std::vector<std::string> v;
    for (const auto &b : tavo::test::MessageBoxesShown()) v.push_back(b.caption + ": " + b.text);
    return v;
  }

  // Saves the screen through dialog 129 in the slot listed at position i.
  void GemViaDialog(int i, const char *navn) {
    tavo::test::AnswerNextDialog([=](const tavo::test::ShownDialog &d) -> INT_PTR {
      Vaelg(d.hwnd, i);
      SetDlgItemTextA(d.hwnd, IDC_SKAERM_NAVN, navn);
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return 0;
    });
    EXPECT_EQ(VisSkaermDialog(hoved, IDD_GEM_SKAERM), IDOK);
  }

  // The open windows, back to front: type and rectangle.
  std::vector<std::pair<int, RECT>> Vinduer() {
    std::vector<std::pair<int, RECT>> v;
    for (VinduesNode *n = VinduesListe.hale; n; n = n->forrige)
      v.emplace_back(GetWindowLongA(n->hwnd, GWL_ID), Plads(n->hwnd));
    return v;
  }
};

class SkaermMenu : public SkaermTest {};

TEST_F(SkaermMenu, TheEntriesFollowTheUsedSlots) {
  VisSkaermeIMenu();
  EXPECT_TRUE(Skaermpunkter().empty());
  EXPECT_TRUE(Graa(kMenuOmdoebSkaerm));
  EXPECT_TRUE(Graa(kMenuSletSkaerm));
  EXPECT_FALSE(Graa(kMenuGemSkaerm));

  Navn(5, "Fem");
  Navn(2, "To");
  FjernSkaermeFraMenu();
  VisSkaermeIMenu();
  const std::vector<std::pair<UINT, std::string>> ventet = {{1000, ""}, {1002, "&2 . To"}, {1005, "&5 . Fem"}};
  EXPECT_EQ(Skaermpunkter(), ventet);
  EXPECT_NE(GetMenuState(Egne(), 3, MF_BYPOSITION) & MF_SEPARATOR, 0u);
  EXPECT_FALSE(Graa(kMenuOmdoebSkaerm));
  EXPECT_FALSE(Graa(kMenuSletSkaerm));
  EXPECT_FALSE(Graa(kMenuGemSkaerm));

  for (int n = 1; n <= 9; ++n) Navn(n, "S");
  FjernSkaermeFraMenu();
  VisSkaermeIMenu();
  EXPECT_EQ(Skaermpunkter().size(), 10u);
  EXPECT_TRUE(Graa(kMenuGemSkaerm));
  FjernSkaermeFraMenu();
  EXPECT_TRUE(Skaermpunkter().empty());
}

class SkaermDialog : public SkaermTest {};

TEST_F(SkaermDialog, SavingOffersTheFreeSlotsWantsANameAndAsksFirst) {
  Navn(2, "To");
  Navn(5, "Fem");
  VisSkaermeIMenu();
  Test(40001);
  ASSERT_NE(OpretObjektVindue(hoved, 40001, 0, nullptr), (HWND)0);
  std::vector<std::string> genveje;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    genveje = Genveje(d.hwnd);
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);  // no name yet
    Vaelg(d.hwnd, 1);
    SetDlgItemTextA(d.hwnd, IDC_SKAERM_NAVN, "Mit skema");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  EXPECT_EQ(VisSkaermDialog(hoved, IDD_GEM_SKAERM), IDOK);
  EXPECT_EQ(genveje, (std::vector<std::string>{"Ctrl+Shift+1", "Ctrl+Shift+3", "Ctrl+Shift+4", "Ctrl+Shift+6",
                                               "Ctrl+Shift+7", "Ctrl+Shift+8", "Ctrl+Shift+9"}));
  EXPECT_EQ(Bokse(), (std::vector<std::string>{
                         "Gem aktuel skærm: Der skal angives et navn",
                         "Gem aktuel skærm: Ønsker du at gemme denne skærm under genvejstasten 'Ctrl+Shift+3', med "
                         "navnet 'Mit skema'"}));
  EXPECT_EQ(LaesNavn(3), "Mit skema");
  EXPECT_EQ(Skaermpunkter().size(), 4u);
  EXPECT_EQ(Skaermpunkter()[2], (std::pair<UINT, std::string>{1003, "&3 . Mit skema"}));
}

TEST_F(SkaermDialog, SavingWithoutAnOpenWindowIsRefused) {
  EXPECT_EQ(VisSkaermDialog(hoved, IDD_GEM_SKAERM), IDCANCEL);
  EXPECT_EQ(Bokse(), std::vector<std::string>{"Gem aktuel skærm: Der skal være mindst 1 desktopvindue."});
  EXPECT_FALSE(std::filesystem::exists(rod / "ini" / "skrm.ini"));
}

TEST_F(SkaermDialog, RenamingAndDeletingNameTheChosenScreen) {
  Skaerm(2, "To");
  Skaerm(5, "Fem");
  VisSkaermeIMenu();
  std::vector<std::string> genveje;
  std::string vist;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    genveje = Genveje(d.hwnd);
    Vaelg(d.hwnd, 1);
    vist = NavnFelt(d.hwnd);
    SetDlgItemTextA(d.hwnd, IDC_SKAERM_NAVN, "Femte");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  EXPECT_EQ(VisSkaermDialog(hoved, IDD_OMDOEB_SKAERM), IDOK);
  EXPECT_EQ(genveje, (std::vector<std::string>{"Ctrl+Shift+2", "Ctrl+Shift+5"}));
  EXPECT_EQ(vist, "Fem");
  EXPECT_EQ(LaesNavn(5), "Femte");
  EXPECT_EQ(Skaermpunkter().back(), (std::pair<UINT, std::string>{1005, "&5 . Femte"}));

  // "Fortryd" changes nothing.
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    SetDlgItemTextA(d.hwnd, IDC_SKAERM_NAVN, "Andet");
    SendMessageA(d.hwnd, WM_COMMAND, IDCANCEL, 0);
    return 0;
  });
  EXPECT_EQ(VisSkaermDialog(hoved, IDD_OMDOEB_SKAERM), IDCANCEL);
  EXPECT_EQ(LaesNavn(2), "To");

  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    Vaelg(d.hwnd, 1);
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  EXPECT_EQ(VisSkaermDialog(hoved, IDD_SLET_SKAERM), IDOK);
  const auto bokse = Bokse();
  ASSERT_EQ(bokse.size(), 2u);
  EXPECT_EQ(bokse[0], "Gem nyt navn: Ønsker du at ændre genvejstasten 'Ctrl+Shift+5', til navnet 'Femte'");
  EXPECT_EQ(bokse[1], "Slet aktuel skærm: Ønsker du at slette skærmen 'Femte' med genvejstasten 'Ctrl+Shift+5'");
  std::ifstream i(rod / "ini" / "skrm.ini", std::ios::binary);
  const std::string fil((std::istreambuf_iterator<char>(i)), std::istreambuf_iterator<char>());
  EXPECT_EQ(fil.find("skrm5"), std::string::npos) << fil;
  EXPECT_EQ(LaesNavn(2), "To");
  EXPECT_EQ(Skaermpunkter(), (std::vector<std::pair<UINT, std::string>>{{1000, ""}, {1002, "&2 . To"}}));
}

class SkaermGendan : public SkaermTest {};

TEST_F(SkaermGendan, CascadedWindowsAndCellsAreSavedAndComeBackWithOrWithoutAPlanningWindow) {
  for (int type : {40001, 40146, 40024, kElevPlanType, 40139}) Test(type);
  const int c = GetSystemMetrics(SM_CYCAPTION) + 3;
  struct Tilfaelde {
    bool elevplan;
    int slot;        // position in the save dialog's list
    long skaerm;
  };
  for (const Tilfaelde &t : {Tilfaelde{false, 2, 3}, Tilfaelde{true, 4, 6}}) {
    LukAlleVinduer();
    // The windows opened from the menu step down one caption and 3 pixels.
    HWND a = AabnKaskadeVindue(hoved, 40001, 0, false);
    HWND b = AabnKaskadeVindue(hoved, 40146, 0, false);
    HWND e = t.elevplan ? AabnKaskadeVindue(hoved, kElevPlanType, 0, false) : 0;
    HWND d = AabnKaskadeVindue(hoved, 40024, 0, false);
    ASSERT_TRUE(a && b && d && (e || !t.elevplan));
    EXPECT_EQ(Plads(a), (RECT{0, 0, 300, 200}));
    EXPECT_EQ(Plads(b), (RECT{c, c, c + 300, c + 200}));
    const int nd = t.elevplan ? 3 * c : 2 * c;
    EXPECT_EQ(Plads(d), (RECT{nd, nd, nd + 300, nd + 200}));
    ASSERT_NE(TilfoejElementVindue(40139, true), (HWND)0);
    MoveWindow(b, 400, 250, 280, 190, TRUE);
    const auto foer = Vinduer();

    GemViaDialog(t.slot, t.elevplan ? "Med elevplan" : "Uden");
    char sek[16];
    snprintf(sek, sizeof sek, "skrm%ld", t.skaerm);
    int32_t id0 = 0;
    ASSERT_TRUE(GetPrivateProfileStructA(sek, "desk0_id", &id0, 4, StiTab.szskrm));
    EXPECT_EQ(id0, t.elevplan ? kElevPlanType : 40001) << "window 0 is always written";

    LukAlleVinduer();
    ASSERT_EQ(VinduesListeAntal(), 0);
    ASSERT_EQ(CountElements(), 0);
    T().modtaget.clear();
    HentSkaerm(t.skaerm);
    EXPECT_EQ(aktuelSkaerm, t.skaerm);
    EXPECT_EQ(gendanneVinduer, t.elevplan ? 4u : 3u);
    auto efter = Vinduer();
    auto ventet = foer;
    if (t.elevplan) {
      // The planning window comes first, behind the others.
      std::stable_partition(ventet.begin(), ventet.end(), [](const auto &v) { return v.first == kElevPlanType; });
      HWND elevplan = FindVindueType(kElevPlanType);
      const auto fik = Fik(elevplan);
      EXPECT_NE(std::find(fik.begin(), fik.end(), (UINT)VINDUE_AKTIVER), fik.end());
    }
    ASSERT_EQ(efter.size(), ventet.size());
    for (size_t i = 0; i < ventet.size(); ++i) {
      EXPECT_EQ(efter[i].first, ventet[i].first) << i;
      EXPECT_EQ(efter[i].second, ventet[i].second) << i;
    }
    const ElementCelle *celle = CelleAf(40139);
    ASSERT_NE(celle, nullptr);
    EXPECT_TRUE(IsWindow(celle->hwndObjekt));
    const auto punkter = Skaermpunkter();
    EXPECT_NE(std::find_if(punkter.begin(), punkter.end(),
                           [&](const auto &p) { return p.first == 1000u + t.skaerm; }),
              punkter.end());
  }

  // The cascade starts again at the corner when the next window would not
  // keep 150 x 100 inside the desktop, and when asked to.
  kaskadePos = POINT{kDeskB - 149, 10};
  HWND h = AabnKaskadeVindue(hoved, 40001, 0, false);
  EXPECT_EQ(Plads(h), (RECT{0, 0, 300, 200}));
  kaskadePos = POINT{10, kDeskH - 99};
  EXPECT_EQ(Plads(AabnKaskadeVindue(hoved, 40001, 0, false)), (RECT{0, 0, 300, 200}));
  AabnKaskadeVindue(hoved, 40001, 0, false);
  EXPECT_EQ(Plads(AabnKaskadeVindue(hoved, 40001, 0, true)), (RECT{0, 0, 300, 200}));
}

TEST_F(SkaermGendan, OldDamagedOverlongAndUnknownEntriesOpenWhatTheyCan) {
  for (int type : {40001, 40002, 40003}) Test(type);
  // Written the old way, without a planning window: window 0 is missing.
  Skaerm(1, "Gammel");
  Vindue(1, 1, 40001, RECT{10, 20, 310, 220});
  Vindue(1, 2, 39999, RECT{0, 0, 100, 100});        // no row knows it
  Vindue(1, 3, 40002, RECT{5000, 6000, 5300, 6200});  // far outside
  Vindue(1, 4, 40003, RECT{700, 500, 1000, 700});   // partly outside: left alone
  WritePrivateProfileStringA("skrm1", "desk5_id", "0B9C0000FF", StiTab.szskrm);  // damaged
  Vindue(1, 6, 40001, RECT{0, 0, 300, 200});
  HentSkaerm(1);
  const auto v = Vinduer();
  ASSERT_EQ(v.size(), 3u);
  EXPECT_EQ(v[0], (std::pair<int, RECT>{40001, RECT{10, 20, 310, 220}}));
  EXPECT_EQ(v[1], (std::pair<int, RECT>{40002, RECT{kDeskB - 300, kDeskH - 200, kDeskB, kDeskH}}));
  EXPECT_EQ(v[2], (std::pair<int, RECT>{40003, RECT{700, 500, 1000, 700}}));
  EXPECT_EQ(gendanneVinduer, 4u) << "the unknown one was counted too";
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());

  // Thirty windows saved: 25 come back.
  Skaerm(2, "Mange");
  for (int k = 0; k < 30; ++k) Vindue(2, k, 40001 + k % 3, RECT{k, k, k + 300, k + 200});
  T().kald.clear();
  HentSkaerm(2);
  EXPECT_EQ(T().kald.size(), 25u);
  EXPECT_EQ(VinduesListeAntal(), 25);

  // A free slot and the slot 0 that no key gives restore nothing.
  HentSkaerm(4);
  HentSkaerm(0);
  EXPECT_EQ(VinduesListeAntal(), 25);
}

TEST_F(SkaermGendan, TheDisplaySizeDecidesHowTheMainWindowComesBack) {
  Test(40001);
  ASSERT_NE(OpretObjektVindue(hoved, 40001, 0, nullptr), (HWND)0);
  // Saved on a larger display: refused, nothing closed.
  Skaerm(1, "Stor");
  const int32_t stor = 1600;
  Struct(1, "skrm_cx", &stor, 4);
  HentSkaerm(1);
  EXPECT_EQ(Bokse(), std::vector<std::string>{"Anden skærmopløsning: Skærmen er gemt med en opløsning på "
                                              "1600x1024,\nmens den nuværende opløsning kun er 1280x1024"});
  EXPECT_EQ(VinduesListeAntal(), 1);

  // Maximised on this display: maximised again.
  Skaerm(2, "Maks");
  const RECT maks = {-4, -4, 1284, 1000};
  Struct(2, "main_rect", &maks, sizeof maks);
  HentSkaerm(2);
  EXPECT_TRUE(IsZoomed(hoved));
  EXPECT_EQ(VinduesListeAntal(), 0);

  // Maximised on a smaller display: its size at the corner, not maximised.
  Skaerm(3, "Lille");
  const int32_t lilleCx = 1024, lilleCy = 768;
  const RECT lilleMaks = {-4, -4, 1028, 740};
  Struct(3, "skrm_cx", &lilleCx, 4);
  Struct(3, "skrm_cy", &lilleCy, 4);
  Struct(3, "main_rect", &lilleMaks, sizeof lilleMaks);
  HentSkaerm(3);
  EXPECT_FALSE(IsZoomed(hoved));
  RECT r;
  GetWindowRect(hoved, &r);
  EXPECT_EQ(r, (RECT{0, 0, 1032, 744}));

  // A normal one stands where it was saved.
  HentSkaerm(2);
  Skaerm(4, "Normal");
  HentSkaerm(4);
  EXPECT_FALSE(IsZoomed(hoved));
  GetWindowRect(hoved, &r);
  EXPECT_EQ(r, (RECT{50, 20, 1050, 780}));
}

class Menuhjaelp : public SkaermTest {};

TEST_F(Menuhjaelp, FindMenuPunktSearchesDepthFirst) {
  HMENU bar = CreateMenu(), a = CreatePopupMenu(), b = CreatePopupMenu(), c = CreatePopupMenu();
  AppendMenuA(c, MF_STRING, 11, "x");
  AppendMenuA(c, MF_STRING, 12, "y");
  AppendMenuA(c, MF_STRING, 777, "dyb");
  AppendMenuA(b, MF_POPUP, (UINT_PTR)c, "c");
  AppendMenuA(a, MF_STRING, 5, "a");
  AppendMenuA(a, MF_POPUP, (UINT_PTR)b, "b");
  AppendMenuA(bar, MF_POPUP, (UINT_PTR)a, "a");
  // A later entry with the same id is not the one found.
  AppendMenuA(bar, MF_STRING, 777, "senere");
  BOOL fundet = FALSE;
  HMENU holder = 0;
  int pos = -1;
  FindMenuPunkt(bar, &fundet, &holder, &pos, 777);
  EXPECT_TRUE(fundet);
  EXPECT_EQ(holder, c);
  EXPECT_EQ(pos, 2);
  FindMenuPunkt(bar, &fundet, &holder, &pos, 4242);
  EXPECT_FALSE(fundet);
  DestroyMenu(bar);

  FindNyhederMenuPos(GetMenu(hoved), &fundet, &pos);
  EXPECT_TRUE(fundet);
  EXPECT_EQ(pos, 2);
}

TEST_F(Menuhjaelp, ExternalImportIsAddedOnceBesideUntisAndEntriesAreRemoved) {
  HMENU menu = GetMenu(hoved);
  BOOL fundet = FALSE;
  HMENU untis = 0, ekstern = 0;
  int pos = 0;
  FindMenuPunkt(menu, &fundet, &untis, &pos, kMenuUntisImport);
  ASSERT_TRUE(fundet);
  const int foer = GetMenuItemCount(untis);
  TilfoejEksternImportMenu();
  TilfoejEksternImportMenu();
  EXPECT_EQ(GetMenuItemCount(untis), foer + 1);
  FindMenuPunkt(menu, &fundet, &ekstern, &pos, kMenuEksternImport);
  ASSERT_TRUE(fundet);
  EXPECT_EQ(ekstern, untis);
  char tekst[64] = "";
  GetMenuStringA(menu, kMenuEksternImport, tekst, sizeof tekst, MF_BYCOMMAND);
  EXPECT_STREQ(tekst, "Ekstern skema import");

  FjernMenuPunkt(kMenuEksternImport);
  FjernMenuPunkt(kMenuEksternImport);
  EXPECT_EQ(GetMenuItemCount(untis), foer);
  // Without "&Untis import" there is nowhere to put it.
  FjernMenuPunkt(kMenuUntisImport);
  TilfoejEksternImportMenu();
  FindMenuPunkt(menu, &fundet, &ekstern, &pos, kMenuEksternImport);
  EXPECT_FALSE(fundet);
}

}  // namespace
