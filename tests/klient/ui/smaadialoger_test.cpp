// The cell editors driven through the dialog script as a user drives them:
// text typed and keys pressed in the open dialog, clicks on the caller's
// buttons, lines picked; the record read back as a caller reads it.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../data/tom_datalager.h"
#include "KATALOG.h"
#include "SMAADLG.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "dialog_input.h"
#include "ens_support.h"
#include "ressourcer.h"
#include "smaadialoger.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace {

using tavo::test::ShownDialog;

using dlgtest::Pump;
using dlgtest::Skriv;
using dlgtest::Tast;

RECT Rect(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  return r;
}

class SmaaDialoger : public wfb_test::UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    RegistrerOrvaneRessourcer();
    RegistrerSmaaDialoger();
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    UiTest::TearDown();
  }
  INT_PTR Koer(DLGPROC proc, void *rec) {
    return DialogBoxParamA(0, MAKEINTRESOURCE(IDD_CELLEDITOR), vaert, proc, reinterpret_cast<LPARAM>(rec));
  }
};

// ---- number editor ----

EditTalInfo TalRecord() {
  EditTalInfo ei{};
  ei.margin = 4;
  ei.rightMargin = 6;
  ei.x = 100;
  ei.y = 120;
  ei.intDigits = 3;
  ei.decimals = 2;
  ei.value = 5.0f;
  ei.minimum = 0;
  ei.maximum = 37;
  ei.extra = 99;
  ei.selectAll = 1;
  return ei;
}

TEST_F(SmaaDialoger, NumberEditorTakesNumbersInRangeOrTheExtraAndRefusesTheRest) {
  const char *kBesked = "Det indtastede tal skal ligge mellem   0.00 og  37.00 eller være lig  99.00";
  const struct {
    const char *tekst;
    uint8_t nulTilladt;
    bool afvist;
    float vaerdi;  // when taken
  } tilfaelde[] = {
      {"37,5", 0, true, 0},   {"12,5", 0, false, 12.5f}, {"99", 0, false, 99.0f}, {"0", 0, true, 0},
      {"0", 1, false, 0.0f},  {"", 0, false, -1.0f},     {"-", 0, false, -1.0f},  {"1a", 0, true, 0},
      {"-5", 0, true, 0},     {"1,2.3", 0, true, 0},     {"1,2,3", 0, true, 0},   {"7.25", 0, false, 7.25f},
      {" 37 ", 0, false, 37}, {"1 2", 0, true, 0},       {",", 1, true, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(std::string("\"") + t.tekst + "\" zero allowed " + std::to_string(t.nulTilladt));
    EditTalInfo ei = TalRecord();
    ei.zeroAllowed = t.nulTilladt;
    bool fokusTilbage = false, markeretIgen = false;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      Tast(d.hwnd, VK_BACK);  // the selected value goes
      Skriv(d.hwnd, t.tekst);
      Tast(d.hwnd, VK_RETURN);
      if (t.afvist) {
        fokusTilbage = GetFocus() == ei.edit;
        DWORD a = 0, b = 0;
        SendMessageA(ei.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
        markeretIgen = a == 0 && b == std::strlen(t.tekst);
        Tast(d.hwnd, VK_ESCAPE);
      }
      return INT_PTR{0};
    });
    const INT_PTR svar = Koer(EditTalDlgProc, &ei);
    const auto bokse = tavo::test::MessageBoxesShown();
    if (t.afvist) {
      EXPECT_EQ(svar, 2);
      EXPECT_EQ(ei.value, 5.0f);  // Cancel leaves it
      ASSERT_EQ(bokse.size(), 1u);
      EXPECT_EQ(bokse[0].text, kBesked);
      EXPECT_EQ(bokse[0].caption, "Fejl i tal");
      EXPECT_EQ(bokse[0].type & MB_ICONMASK, UINT{MB_ICONEXCLAMATION});
      EXPECT_TRUE(fokusTilbage);
      EXPECT_TRUE(markeretIgen);
    } else {
      EXPECT_EQ(svar, 1);
      EXPECT_EQ(ei.value, t.vaerdi);
      EXPECT_TRUE(bokse.empty());
    }
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
  }
}

TEST_F(SmaaDialoger, NumberEditorShowsTheValueOverTheCellAndCancelKeepsIt) {
  for (uint8_t markeret : {0, 1}) {
    SCOPED_TRACE(int(markeret));
    EditTalInfo ei = TalRecord();
    ei.selectAll = markeret;
    ei.value = 12.345f;
    std::string tekst;
    DWORD a = 0, b = 0;
    RECT dlg{}, edit{};
    COLORREF venstre = 0, hoejre = 0;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      char buf[64] = {};
      GetWindowTextA(ei.edit, buf, sizeof buf);
      tekst = buf;
      SendMessageA(ei.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
      dlg = Rect(d.hwnd);
      edit = Rect(ei.edit);
      UpdateWindow(d.hwnd);
      venstre = tavo::test::WindowPixel(d.hwnd, 1, 5);
      hoejre = tavo::test::WindowPixel(d.hwnd, ei.width - 1, 5);
      Skriv(d.hwnd, "3");
      Tast(d.hwnd, VK_ESCAPE);
      return INT_PTR{0};
    });
    EXPECT_EQ(Koer(EditTalDlgProc, &ei), 2);
    EXPECT_EQ(ei.value, 12.345f);
    EXPECT_EQ(tekst, "  12,35");  // four places for three digits, rounded half away from zero
    EXPECT_EQ(a, markeret ? 0u : 7u);
    EXPECT_EQ(b, 7u);
    // margin + rightMargin + 8 + 5 digits of 8 pixels, 11 high.
    EXPECT_EQ(ei.width, 4 + 6 + 8 + 40);
    EXPECT_EQ(ei.height, 11);
    EXPECT_EQ(dlg.left, 100);
    EXPECT_EQ(dlg.top, 120);
    EXPECT_EQ(dlg.right - dlg.left, ei.width);
    EXPECT_EQ(dlg.bottom - dlg.top, 11);
    EXPECT_EQ(edit.left, 104);
    EXPECT_EQ(edit.top, 120);
    EXPECT_EQ(edit.right - edit.left, 49);
    EXPECT_EQ(edit.bottom - edit.top, 11);
    EXPECT_EQ(venstre, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(hoejre, GetSysColor(COLOR_WINDOW));
  }
}

// ---- text editor ----

class SmaaDialogerTekst : public SmaaDialoger {
 protected:
  void SetUp() override {
    SmaaDialoger::SetUp();
    for (int i = 0; i < 3; ++i)
      knap[i] = CreateWindowExA(0, "BUTTON", "Område", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20 + 110 * i, 300, 80,
                                24, vaert, 0, 0, nullptr);
    tavo::test::PumpUntilIdle();
  }
  EditTekstInfo Record(char *tekst, uint32_t maks, uint8_t markeret) {
    EditTekstInfo ti{};
    ti.maxLength = maks;
    ti.x = 200;
    ti.y = 80;
    ti.width = 180;
    ti.height = 40;
    ti.text = tekst;
    ti.selectAll = markeret;
    ti.area1 = knap[0];
    ti.area2 = knap[1];
    ti.area3 = knap[2];
    return ti;
  }
  HWND knap[3] = {};
};

TEST_F(SmaaDialogerTekst, EnterCommitsTheTypedTextWithinItsLimit) {
  const struct {
    const char *start;
    uint8_t markeret;
    uint32_t maks;
    const char *skrevet, *resultat;
  } tilfaelde[] = {
      {"gammel", 1, 20, "ny", "ny"},
      {"gammel", 0, 20, "ny", "gammelny"},
      {"", 1, 5, "abcdefgh", "abcde"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.resultat);
    char tekst[32];
    std::snprintf(tekst, sizeof tekst, "%s", t.start);
    EditTekstInfo ti = Record(tekst, t.maks, t.markeret);
    RECT dlg{}, edit{};
    bool fangst = false;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      dlg = Rect(d.hwnd);
      edit = Rect(ti.edit);
      fangst = GetCapture() == ti.edit && GetFocus() == ti.edit;
      Skriv(d.hwnd, t.skrevet);
      Tast(d.hwnd, VK_RETURN);
      return INT_PTR{0};
    });
    EXPECT_EQ(Koer(EditTekstDlgProc, &ti), 1);
    EXPECT_STREQ(tekst, t.resultat);
    EXPECT_EQ(ti.exitCode, 0u);
    EXPECT_TRUE(fangst);
    EXPECT_EQ(dlg.left, 200);
    EXPECT_EQ(dlg.top, 80);
    EXPECT_EQ(dlg.right - dlg.left, 180);
    EXPECT_EQ(dlg.bottom - dlg.top, 40);
    EXPECT_EQ(edit.left, dlg.left);  // the edit fills the borderless dialog
    EXPECT_EQ(edit.bottom, dlg.bottom);
    EXPECT_EQ(GetCapture(), 0u);
  }
}

TEST_F(SmaaDialogerTekst, AClickOnTheCallersAreasEndsTheEditing) {
  const struct {
    int omraade;  // 0: a click beside the buttons
    bool hjoerne;  // at the area's bottom right edge
    INT_PTR svar;
    uint32_t kode;
    const char *tekst;
  } tilfaelde[] = {
      {1, false, 1, 13, "ny"}, {2, true, 1, 14, "ny"}, {3, false, 2, 15, "gammel"}, {0, false, 1, 0, "ny"},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.omraade);
    char tekst[32] = "gammel";
    EditTekstInfo ti = Record(tekst, 20, 1);
    bool aabenEfterKlik = false, fangstBeholdt = false;
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      Skriv(d.hwnd, "ny");
      POINT p;
      if (t.omraade == 0) {
        p = tavo::test::ScreenPoint(vaert, 5, 200);
      } else {
        const RECT r = Rect(knap[t.omraade - 1]);
        p = t.hjoerne ? POINT{r.right, r.bottom} : POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      }
      tavo::test::Click(p.x, p.y);
      Pump(d.hwnd);
      if (t.omraade == 0) {
        aabenEfterKlik = IsWindowVisible(d.hwnd) && IsWindow(ti.edit);
        fangstBeholdt = GetCapture() == ti.edit;
        Tast(d.hwnd, VK_RETURN);
      }
      return INT_PTR{0};
    });
    EXPECT_EQ(Koer(EditTekstDlgProc, &ti), t.svar);
    EXPECT_EQ(ti.exitCode, t.kode);
    EXPECT_STREQ(tekst, t.tekst);
    if (t.omraade == 0) {
      EXPECT_TRUE(aabenEfterKlik);
      EXPECT_TRUE(fangstBeholdt);
    }
    EXPECT_EQ(GetCapture(), 0u);
  }
}

// ---- role and priority pickers ----

template <typename Rec>
uint32_t NyPost(const TabDesc &td, TabVar &tv, const Rec &r) {
  const uint32_t n = NewRec(&td, &tv);
  EXPECT_NE(n, 0u);
  std::memcpy(GetRec(&td, &tv, n), &r, sizeof r);
  return n;
}

SkemarolRec Rolle(const char *kode, uint8_t status, char timer, char sammenfald, const char *navn) {
  SkemarolRec r{};
  std::memcpy(r.Rolle, kode, std::min(std::strlen(kode), sizeof r.Rolle));
  r.Status = status;
  r.Genererer_timeposter = timer;
  r.Check_skemasammenfald = sammenfald;
  std::memcpy(r.Betegnelse, navn, std::min(std::strlen(navn), sizeof r.Betegnelse));
  return r;
}

LokrolleRec LokRolle(char bogstav, uint8_t status, uint32_t type, char sammenfald) {
  LokrolleRec r{};
  r.Lokalerolle = bogstav;
  r.Status = status;
  r.lokrotyp_id = type;
  r.Check_sammenfald = sammenfald;
  return r;
}

class SmaaDialogerValg : public SmaaDialoger {
 protected:
  void SetUp() override {
    SmaaDialoger::SetUp();
    storetest::TomAlleTabeller();
    SetInitTabFn(InitTab);
  }
  void TearDown() override {
    storetest::TomAlleTabeller();
    SmaaDialoger::TearDown();
  }
  // Opens the picker, reads its lines and selection, picks line `valg`
  // (-1: Escape) and returns the dialog's answer.
  template <typename Info>
  INT_PTR Vaelg(DLGPROC proc, Info &info, int valg, std::vector<std::string> &linjer, int &forvalgt, RECT &dlg) {
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      const int n = static_cast<int>(SendMessageA(info.combo, CB_GETCOUNT, 0, 0));
      for (int i = 0; i < n; ++i) {
        char b[80] = {};
        SendMessageA(info.combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(b));
        linjer.push_back(b);
      }
      forvalgt = static_cast<int>(SendMessageA(info.combo, CB_GETCURSEL, 0, 0));
      dlg = Rect(d.hwnd);
      if (valg < 0) {
        Tast(d.hwnd, VK_ESCAPE);
      } else {
        SendMessageA(info.combo, CB_SETCURSEL, valg, 0);
        Tast(d.hwnd, VK_RETURN);
      }
      return INT_PTR{0};
    });
    return Koer(proc, &info);
  }
};

std::string Linje(const char *kode, uint8_t maerke, const char *navn) {
  char b[64];
  std::snprintf(b, sizeof b, "%-5s  %c  %-15s", kode, maerke, navn);
  return b;
}

TEST_F(SmaaDialogerValg, StaffRolesShowTheirMarksAndOkReturnsTheRecord) {
  NyPost(tdskemarol, tvskemarol, Rolle("UV", 10, 'J', 'N', "Undervisning"));          // 1
  NyPost(tdskemarol, tvskemarol, Rolle("AKT", 12, 'N', 'J', "Aktivitet"));            // 2
  NyPost(tdskemarol, tvskemarol, Rolle("ak1", 29, 'J', 'N', "Akkord"));               // 3
  NyPost(tdskemarol, tvskemarol, Rolle("GAML", 30, 'J', 'J', "Fra centralen"));       // 4: not listed
  NyPost(tdskemarol, tvskemarol, Rolle("NY", 9, 'J', 'J', "Ikke aktiv"));             // 5: not listed
  NyPost(tdskemarol, tvskemarol, Rolle("VIKARX", 20, 'N', 'J', "Vikar for laereren"));  // 6: both fields full
  NyPost(tdskemarol, tvskemarol, Rolle("PAU", 10, 'N', 'N', "Pause"));                // 7
  RolleValgInfo ri{};
  ri.kind = 'M';
  ri.x = 50;
  ri.y = 60;
  ri.current = 3;
  std::vector<std::string> linjer;
  int forvalgt = -2;
  RECT dlg{};
  EXPECT_EQ(Vaelg(RolleValgDlgProc, ri, 3, linjer, forvalgt, dlg), 1);
  const std::vector<std::string> ventet = {
      Linje("UV", 224, "Undervisning"), Linje("AKT", 148, "Aktivitet"), Linje("ak1", 147, "Akkord"),
      Linje("VIKAR", 227, "Vikar for laere"), Linje("PAU", 226, "Pause"),
  };
  EXPECT_EQ(linjer, ventet);
  EXPECT_EQ(forvalgt, 2);
  EXPECT_EQ(ri.current, 6u);
  EXPECT_EQ(ri.entryMap, nullptr);  // the dialog's own, freed with it
  const int ramme = 2 * GetSystemMetrics(SM_CXFRAME);
  EXPECT_EQ(ri.width, GetSystemMetrics(SM_CXVSCROLL) + ramme + 196);
  EXPECT_EQ(dlg.right - dlg.left, ri.width);
  EXPECT_EQ(dlg.bottom - dlg.top, 11 + 2 * GetSystemMetrics(SM_CYFRAME));
  EXPECT_EQ(dlg.left, 50);
}

TEST_F(SmaaDialogerValg, RoomRolesNameTheirTypeAndCancelKeepsTheChoice) {
  LokrotypRec type{};
  std::strcpy(type.Betegnelse, "Teorilokale");
  type.Status = 10;
  const uint32_t teori = NyPost(tdlokrotyp, tvlokrotyp, type);
  NyPost(tdlokrolle, tvlokrolle, LokRolle('A', 10, teori, 'J'));  // 1
  NyPost(tdlokrolle, tvlokrolle, LokRolle('B', 15, 99, 'N'));     // 2: a type beyond the table
  NyPost(tdlokrolle, tvlokrolle, LokRolle('C', 5, teori, 'N'));   // 3: not listed
  NyPost(tdlokrolle, tvlokrolle, LokRolle('D', 29, 0, 'N'));      // 4: no type
  for (int valg : {1, -1}) {
    SCOPED_TRACE(valg);
    RolleValgInfo ri{};
    ri.kind = 'L';
    ri.current = 4;
    std::vector<std::string> linjer;
    int forvalgt = -2;
    RECT dlg{};
    EXPECT_EQ(Vaelg(RolleValgDlgProc, ri, valg, linjer, forvalgt, dlg), valg < 0 ? 2 : 1);
    const std::vector<std::string> ventet = {"A  \xE1  Teorilokale    ", "B  \xE0                 ",
                                             "D  \xE0                 "};
    EXPECT_EQ(linjer, ventet);
    EXPECT_EQ(forvalgt, 2);
    EXPECT_EQ(ri.current, valg < 0 ? 4u : 2u);
    EXPECT_EQ(dlg.right - dlg.left, GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXFRAME) + 172);
  }
}

TEST_F(SmaaDialogerValg, PriorityPickerOffersItsThreeLines) {
  const std::vector<std::string> ventet = {" 0 - Ingen prioritet", " 1 - Prioriteret skema", " 2 - Vigende skema"};
  const struct {
    uint8_t start;
    int valg;
    INT_PTR svar;
    int forvalgt;
    uint8_t slut;
  } tilfaelde[] = {{1, 2, 1, 1, 2}, {2, 0, 1, 2, 0}, {0, -1, 2, 0, 0}, {7, 1, 1, -1, 1}};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(int(t.start));
    PrioritetInfo pi{};
    pi.current = t.start;
    std::vector<std::string> linjer;
    int forvalgt = -2;
    RECT dlg{};
    EXPECT_EQ(Vaelg(PrioritetDlgProc, pi, t.valg, linjer, forvalgt, dlg), t.svar);
    EXPECT_EQ(linjer, ventet);
    EXPECT_EQ(forvalgt, t.forvalgt);
    EXPECT_EQ(pi.current, t.slut);
    EXPECT_EQ(dlg.right - dlg.left, GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXFRAME) + 180);
  }
}

}  // namespace
