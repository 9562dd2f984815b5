// The start-up thread: the portal check against the web-server stand-in
// with the settings keys it fills, and the main menu's entries set from the
// settings, the data folder and the portal's answer.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>

#include "SKAERM.h"
#include "STARTTRAAD.h"
#include "WEBKALD.h"
#include "statusbar_support.h"
#include "webserver_proces.h"

using namespace statusbar_test;
using tavo::test::PumpUntilIdle;

namespace {

class Starttraad : public StatusRaekke {
 protected:
  void SetUp() override {
    StatusRaekke::SetUp();
    ASSERT_TRUE(server.Start());
    setenv("TAVO_WEB_PORTAL", (server.Adresse() + "/portal").c_str(), 1);
    setenv("TAVO_WEB_CERTIFIKAT", webtest::Certifikat().c_str(), 1);
    // Short for the silent stand-in, long enough for a TLS handshake on a
    // loaded machine.
    tavo::SaetInternetTimeout(4000);
    gemtPlan = ff_plan;
  }
  void TearDown() override {
    for (const char *v : {"TAVO_WEB_PORTAL", "TAVO_WEB_CERTIFIKAT"}) unsetenv(v);
    tavo::SaetInternetTimeout(0);
    StiTab.laastOenske = 0;
    ff_plan = gemtPlan;
    StatusRaekke::TearDown();
  }
  std::string Ini(const char *sektion, const char *noegle) const {
    char v[600];
    GetPrivateProfileStringA(sektion, noegle, "(ingen)", v, sizeof v, StiTab.szini);
    return v;
  }
  // How often the command stands in the menu, submenus included.
  static int Antal(HMENU menu, UINT id) {
    int n = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      if (HMENU sub = GetSubMenu(menu, i)) n += Antal(sub, id);
      else if (GetMenuItemID(menu, i) == id) ++n;
    }
    return n;
  }
  UINT Tilstand(UINT id) const { return GetMenuState(GetMenu(hoved), id, MF_BYCOMMAND); }

  webtest::WebServer server;
  uint8_t gemtPlan = 0;
};

TEST_F(Starttraad, ThePortalAnswersAndTheContactKeysAreFilled) {
  struct Tilfaelde {
    const char *navn;
    const char *script;
    const char *rilmoplus;  // before; nullptr: no key
    bool laest;             // a read-only run
    bool adresse;           // a portal address is set
    bool svar;
    bool udfyldt;           // rilmoplus became the portal address and webopslag went
  };
  const Tilfaelde tabel[] = {
      {"200", "answer /portal 200 ok\n", nullptr, false, true, true, true},
      {"404", "answer /portal 404 nej\n", "", false, true, false, true},
      {"silent", "silent /portal\n", nullptr, false, true, false, true},
      {"read-only", "answer /portal 200 ok\n", "", true, true, true, false},
      {"no portal address", "answer /portal 200 ok\n", nullptr, false, false, false, false},
      {"own address", "answer /portal 404 nej\nanswer /eget 200 ok\n", "/eget", false, true, true, false},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    SkrivFil(rod / "ini" / "tavo.ini", "[kontakt]\r\nwebopslag=gammel\r\n");
    if (t.rilmoplus)
      WritePrivateProfileStringA("kontakt", "rilmoplus",
                                 *t.rilmoplus ? (server.Adresse() + t.rilmoplus).c_str() : "", StiTab.szini);
    StiTab.laastOenske = t.laest;
    if (!t.adresse) setenv("TAVO_WEB_PORTAL", "", 1);
    server.Script(t.script);
    EXPECT_EQ(WebPortalCheck(), t.svar);
    if (t.udfyldt) {
      EXPECT_EQ(Ini("kontakt", "rilmoplus"), server.Adresse() + "/portal");
      EXPECT_EQ(Ini("kontakt", "webopslag"), "(ingen)");
    } else {
      EXPECT_EQ(Ini("kontakt", "webopslag"), "gammel");
      EXPECT_NE(Ini("kontakt", "rilmoplus"), server.Adresse() + "/portal");
    }
    setenv("TAVO_WEB_PORTAL", (server.Adresse() + "/portal").c_str(), 1);
    StiTab.laastOenske = 0;
  }
}

TEST_F(Starttraad, TheMenuEntriesFollowTheSettingsAndTheDataFolder) {
  struct Tilfaelde {
    const char *navn;
    const char *ini;
    bool supertavo, asImp, autoLog, portal;
    bool untis, gensend, plan, ekstern;
    bool autogem;
  };
  const Tilfaelde tabel[] = {
      {"defaults", "", false, false, false, false, false, false, true, false, false},
      {"all on", "[menu]\r\nuntis=JA\r\ngensendopd=Ja\r\n[flag]\r\nextskemaimport=ja\r\n", false, true, true, true,
       true, true, true, true, true},
      {"jah is not ja", "[menu]\r\nuntis=jah\r\n[flag]\r\nextskemaimport=jaja\r\n", false, false, false, false, false,
       false, true, false, false},
      {"SuperTavo", "", true, true, false, true, false, false, false, false, true},
  };
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    HMENU gammel = GetMenu(hoved);
    SetMenu(hoved, LoadMenuA(hInst, "MAIN"));
    DestroyMenu(gammel);
    SkrivFil(rod / "ini" / "tavo.ini", t.ini);
    fs::remove(rod / "data" / "as_imp.json");
    fs::remove(rod / "log" / "AutoSkemaIkkePlaceret.log");
    if (t.asImp) SkrivFil(rod / "data" / "as_imp.json", "{}");
    if (t.autoLog) SkrivFil(rod / "log" / "AutoSkemaIkkePlaceret.log", "x");
    ff_plan = !t.supertavo;
    GlobalIndstillinger.autogem = t.autogem;
    // Twice, as a second message to the main window would: nothing doubles.
    for (int gang = 0; gang < 2; ++gang) SaetStartMenu(hoved, t.portal);

    auto graa = [&](UINT id) { return (Tilstand(id) & MF_GRAYED) != 0; };
    EXPECT_EQ(graa(40200), !t.untis);
    EXPECT_EQ(graa(40277), !t.portal);
    EXPECT_EQ(graa(40230), !t.gensend);
    EXPECT_TRUE(graa(40248));
    // The AutoSkema entries live in the planning popup.
    EXPECT_EQ(Antal(GetMenu(hoved), 40281), t.plan ? 1 : 0);
    if (t.plan) {
      EXPECT_EQ(graa(40286), !t.autoLog);
      EXPECT_EQ(graa(40281), !t.asImp);
    }
    EXPECT_EQ((Tilstand(40197) & MF_CHECKED) != 0, t.autogem);
    HMENU menu = GetMenu(hoved);
    EXPECT_EQ(Antal(menu, 40272), t.ekstern ? 1 : 0);
    EXPECT_EQ(Antal(menu, 40290), t.plan ? 1 : 0);
    if (t.plan) {
      EXPECT_TRUE(graa(40290));
      BOOL fundet = FALSE;
      int nyheder = 0;
      FindNyhederMenuPos(menu, &fundet, &nyheder);
      ASSERT_TRUE(fundet);
      char tekst[64] = "";
      GetMenuStringA(menu, static_cast<UINT>(nyheder - 1), tekst, sizeof tekst, MF_BYPOSITION);
      EXPECT_STREQ(tekst, "Pla&nlægning");
    }
  }
}

TEST_F(Starttraad, TheThreadHandsItsAnswerToTheMainWindowsThread) {
  // The main window here does not take the message: the thread only posts,
  // so nothing of the menu changes until the main thread applies it.
  server.Script("answer /portal 200 ok\n");
  SkrivFil(rod / "ini" / "tavo.ini", "");
  EnableMenuItem(GetMenu(hoved), 40277, MF_BYCOMMAND | MF_ENABLED);
  HANDLE h = CreateThread(nullptr, 0, StartTraad, nullptr, 0, nullptr);
  ASSERT_NE(h, HANDLE{});
  WaitForSingleObject(h, 10000);
  CloseHandle(h);
  MSG m;
  ASSERT_TRUE(PeekMessageA(&m, hoved, WM_STARTTRAAD_MENU, WM_STARTTRAAD_MENU, PM_REMOVE));
  EXPECT_EQ(m.wParam, 1u);
  EXPECT_EQ(Tilstand(40277) & MF_GRAYED, 0u);
  EXPECT_EQ(Ini("kontakt", "rilmoplus"), server.Adresse() + "/portal");
}

}  // namespace
