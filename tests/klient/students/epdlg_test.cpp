// The Elevplan dialogs driven by synthetic clicks and keys, headless: what
// each writes into the settings or the record, what it refuses, and where
// it puts the focus.
#include <cstring>
#include <string>

#include "EPDLG.h"
#include "EPEXPORT.h"
#include "EPKONTAKT.h"
#include "elevdialoger.h"
#include "epimport_fixture.h"
#include "tavo/clock.h"
#include "tavo/test_user.h"

using namespace eleventest;

namespace {

void Klik(HWND dlg, int id) {
  HWND b = GetDlgItem(dlg, id);
  RECT r;
  GetClientRect(b, &r);
  const POINT p = tavo::test::ScreenPoint(b, r.right / 2, r.bottom / 2);
  tavo::test::Click(p.x, p.y);
  tavo::test::PumpUntilIdle();
}

// A click in the edit, everything selected, the text typed over it (an
// empty text deletes it).
void Indtast(HWND dlg, int id, const char *tekst) {
  HWND e = GetDlgItem(dlg, id);
  SetFocus(e);
  SendMessageA(e, EM_SETSEL, 0, -1);
  if (*tekst == '\0')
    tavo::test::PressKey(VK_DELETE);
  else
    tavo::test::TypeText(tekst);
  tavo::test::PumpUntilIdle();
}

std::string Felt(HWND dlg, int id) {
  char b[300] = {};
  GetDlgItemTextA(dlg, id, b, sizeof b);
  return b;
}

}  // namespace

class EpKontaktDialoger : public EpImportMappe {
 protected:
  void SetUp() override {
    EpImportMappe::SetUp();
    RegistrerElevDialoger();
    tavo::test::ResetUser();
    tavo::test::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::ClearFakeClock();
    EpImportMappe::TearDown();
  }

  static INT_PTR Vis(int id, DLGPROC proc, LPARAM param) {
    return DialogBoxParamA(0, MAKEINTRESOURCEA(id), 0, proc, param);
  }
  std::string Flag() const {
    char b[16] = {};
    GetPrivateProfileStringA("flag", "elevplanexport", "-", b, sizeof b, StiTab.szini);
    return b;
  }
};

TEST_F(EpKontaktDialoger, ExportChoiceWritesItsFlagOnOkOnly) {
  SkrivIni("tavo.ini", "[flag]\r\nelevplanexport=1\r\n");
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    EXPECT_EQ(d.caption, "Server kontakt");
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_EP_ELEVPLAN);
    EXPECT_EQ(IsDlgButtonChecked(d.hwnd, IDC_EP_ELEVPLAN), BST_CHECKED);
    // The radio button lies inside the group box: the click reaches it.
    Klik(d.hwnd, IDC_EP_SERVER);
    EXPECT_EQ(IsDlgButtonChecked(d.hwnd, IDC_EP_SERVER), BST_CHECKED);
    Klik(d.hwnd, IDOK);
    return 0;
  });
  EXPECT_EQ(Vis(IDD_EP_EKSPORTVALG, ElevplanExportDlgProc, 0), 1);
  EXPECT_EQ(Flag(), "0");

  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_EP_SERVER);
    Klik(d.hwnd, IDC_EP_ELEVPLAN);
    Klik(d.hwnd, IDCANCEL);
    return 0;
  });
  EXPECT_EQ(Vis(IDD_EP_EKSPORTVALG, ElevplanExportDlgProc, 0), 2);
  EXPECT_EQ(Flag(), "0");

  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    Klik(d.hwnd, IDC_EP_ELEVPLAN);
    Klik(d.hwnd, IDOK);
    return 0;
  });
  EXPECT_EQ(Vis(IDD_EP_EKSPORTVALG, ElevplanExportDlgProc, 0), 1);
  EXPECT_EQ(Flag(), "1");

  // A read-only run writes no settings.
  GlobalIndstillinger.skemalaast = 1;
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    Klik(d.hwnd, IDC_EP_SERVER);
    Klik(d.hwnd, IDOK);
    return 0;
  });
  EXPECT_EQ(Vis(IDD_EP_EKSPORTVALG, ElevplanExportDlgProc, 0), 1);
  EXPECT_EQ(Flag(), "1");
}

TEST_F(EpKontaktDialoger, PeriodIsCheckedAndKeptWithinTheSchedulePeriod) {
  // 1 November 2024, noon: 90 days back is 3 August, 300 days on is past
  // the schedule period's end (31 July 2025).
  tavo::SetFakeClock(1730462400);
  EpTilstandData t{};
  tavo::test::AnswerNextDialog([&t](const tavo::test::ShownDialog &d) -> INT_PTR {
    EXPECT_EQ(d.caption, "Hent alle tilmeldingsgrupper");
    EXPECT_EQ(Felt(d.hwnd, IDC_EP_FRA), "20240803");
    EXPECT_EQ(Felt(d.hwnd, IDC_EP_TIL), "20250731");
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_EP_FRA);

    const struct {
      const char *fra, *til, *tekst;
      int fokus;
    } afvist[] = {
        {"20250230", "20250101", "Fra datoen er ikke korrekt.", IDC_EP_FRA},
        {"abc", "20250101", "Fra datoen er ikke korrekt.", IDC_EP_FRA},
        {"20240901", "2025013", "Til datoen er ikke korrekt.", IDC_EP_TIL},
    };
    for (const auto &a : afvist) {
      Indtast(d.hwnd, IDC_EP_FRA, a.fra);
      Indtast(d.hwnd, IDC_EP_TIL, a.til);
      const size_t foer = tavo::test::MessageBoxesShown().size();
      Klik(d.hwnd, IDOK);
      const auto bokse = tavo::test::MessageBoxesShown();
      EXPECT_EQ(bokse.size(), foer + 1) << a.fra;
      if (bokse.size() == foer + 1) {
        EXPECT_EQ(bokse.back().text, a.tekst);
        EXPECT_EQ(bokse.back().caption, "Fejl i dato");
      }
      EXPECT_EQ(GetDlgCtrlID(GetFocus()), a.fokus) << a.fra;
    }
    // The from date was taken over before the to date failed.
    EXPECT_EQ(t.FraDato, 20240901u);
    Indtast(d.hwnd, IDC_EP_FRA, "20240101");
    Indtast(d.hwnd, IDC_EP_TIL, "20260115");
    Klik(d.hwnd, IDOK);
    return 0;
  });
  EXPECT_EQ(Vis(IDD_EP_PERIODE, EpPeriodeDlgProc, reinterpret_cast<LPARAM>(&t)), 1);
  EXPECT_EQ(t.FraDato, 20240801u);
  EXPECT_EQ(t.TilDato, 20250731u);

  // Cancel ends with 2.
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    Klik(d.hwnd, IDCANCEL);
    return 0;
  });
  EXPECT_EQ(Vis(IDD_EP_PERIODE, EpPeriodeDlgProc, reinterpret_cast<LPARAM>(&t)), 2);
}

TEST_F(EpKontaktDialoger, LoginFocusAndOkButton) {
  EpKontakt k{};
  snprintf(k.Database, sizeof k.Database, "test");
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    EXPECT_EQ(d.caption, "Elevplan-login (test)");
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_EP_BRUGER);
    EXPECT_NE(d.Control(IDC_EP_KODEORD)->style & ES_PASSWORD, 0u);
    HWND ok = GetDlgItem(d.hwnd, IDOK);
    EXPECT_FALSE(IsWindowEnabled(ok));
    Indtast(d.hwnd, IDC_EP_BRUGER, "lise");
    EXPECT_FALSE(IsWindowEnabled(ok));
    Indtast(d.hwnd, IDC_EP_KODEORD, "a \"b\" c\\");
    EXPECT_TRUE(IsWindowEnabled(ok));
    // Once enabled it stays so.
    Indtast(d.hwnd, IDC_EP_BRUGER, "");
    EXPECT_TRUE(IsWindowEnabled(ok));
    Indtast(d.hwnd, IDC_EP_BRUGER, "lise");
    Klik(d.hwnd, IDOK);
    return 0;
  });
  EXPECT_EQ(Vis(IDD_EP_LOGIN, EpLoginDlgProc, reinterpret_cast<LPARAM>(&k)), 1);
  EXPECT_STREQ(k.Bruger, "lise");
  EXPECT_STREQ(k.Kodeord, "a \"b\" c\\");

  // A known user: the focus on the password; Cancel changes nothing.
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    EXPECT_EQ(Felt(d.hwnd, IDC_EP_BRUGER), "lise");
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), IDC_EP_KODEORD);
    Indtast(d.hwnd, IDC_EP_KODEORD, "nyt");
    Klik(d.hwnd, IDCANCEL);
    return 0;
  });
  EXPECT_EQ(Vis(IDD_EP_LOGIN, EpLoginDlgProc, reinterpret_cast<LPARAM>(&k)), 2);
  EXPECT_STREQ(k.Kodeord, "a \"b\" c\\");
}

TEST_F(EpKontaktDialoger, RoleChoiceWaitsForASelection) {
  EpKontakt k{};
  k.ValgtRolle = -1;
  const char rolle[] = "navn\nMEDA:1;Leder\nMEDA:2;Vejleder\nMEDA:3;Lærer\n";
  FILE *f = fmemopen(const_cast<char *>(rolle), sizeof rolle - 1, "r");
  ASSERT_TRUE(LaesEpLogon(f, &k));
  fclose(f);
  tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &d) -> INT_PTR {
    EXPECT_EQ(d.caption, "Elevplan-login - Rollevalg");
    HWND liste = GetDlgItem(d.hwnd, IDC_EP_ROLLER);
    EXPECT_EQ(SendMessageA(liste, LB_GETCOUNT, 0, 0), 3);
    char b[80] = {};
    SendMessageA(liste, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(b));
    EXPECT_STREQ(b, "Lærer");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.hwnd, IDOK)));
    RECT r;
    SendMessageA(liste, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    const POINT p = tavo::test::ScreenPoint(liste, r.left + 5, (r.top + r.bottom) / 2);
    tavo::test::Click(p.x, p.y);
    tavo::test::PumpUntilIdle();
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d.hwnd, IDOK)));
    Klik(d.hwnd, IDOK);
    return 0;
  });
  EXPECT_EQ(Vis(IDD_EP_ROLLE, EpRolleDlgProc, reinterpret_cast<LPARAM>(&k)), 1);
  EXPECT_EQ(k.ValgtRolle, 1);
  GlemEpRoller(&k);
}
