// The dialogs of the external timetable import, driven by the dialog script:
// each check in its order with its message and caption, the dialog staying
// open after a refusal (the next try with good values ends it with 1), the
// answers remembered in ini\tavo.ini and shown again, the method dialog's
// flags, and the two browse buttons.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "../datamappe.h"
#include "DATO.h"
#include "ExtSkemaImp.h"
#include "INDSTIL.h"
#include "STITAB.h"
#include "UNTIS2.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"
#include "win/controls.h"
#include "win/shellapi.h"

namespace {

namespace fs = std::filesystem;
using tavo::test::ShownDialog;

std::string Fixtur(const char *mappe) { return std::string(TAVO_FIXTURES) + "/exchange/extskema/" + mappe; }

// Field values typed before OK is pressed.
using Forsoeg = std::map<int, std::string>;

// The tries of a dialog are made one at a time from its own message loop:
// each comes as a posted message, which a dialog that has ended never sees.
// So a try after one that wrongly ended the dialog is never made, and a
// dialog still open after the last try ends with kIkkeLukket instead of
// hanging the test.
constexpr INT_PTR kIkkeLukket = 99;
constexpr UINT kNaesteForsoeg = WM_APP + 7;

struct Koersel {
  WNDPROC proc = nullptr;
  std::vector<Forsoeg> forsoeg;
  size_t naeste = 0;
};
std::map<HWND, Koersel> koersler;

LRESULT CALLBACK Vogter(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  Koersel &k = koersler[dlg];
  if (msg != kNaesteForsoeg) return CallWindowProcA(k.proc, dlg, msg, wParam, lParam);
  if (k.naeste == k.forsoeg.size()) {
    EndDialog(dlg, kIkkeLukket);
    return 0;
  }
  for (const auto &[id, tekst] : k.forsoeg[k.naeste++]) SetDlgItemTextA(dlg, id, tekst.c_str());
  SendMessageA(dlg, WM_COMMAND, IDOK, 0);
  PostMessageA(dlg, kNaesteForsoeg, 0, 0);
  return 0;
}

// Makes the tries in turn, then ends a dialog left open with kIkkeLukket.
void Proev(HWND dlg, std::vector<Forsoeg> forsoeg) {
  Koersel &k = koersler[dlg];
  k = {};
  k.forsoeg = std::move(forsoeg);
  k.proc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(dlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Vogter)));
  PostMessageA(dlg, kNaesteForsoeg, 0, 0);
}

// A dialog whose handler has acted ends with kIkkeLukket unless it ended.
void Ellers(HWND dlg) { Proev(dlg, {}); }

struct Boks {
  std::string tekst, titel;
  UINT knapper = MB_OK;
};

void Sammenlign(const std::vector<Boks> &vist, const std::vector<Boks> &forventet) {
  ASSERT_EQ(vist.size(), forventet.size());
  for (size_t i = 0; i < vist.size(); ++i) {
    EXPECT_EQ(vist[i].tekst, forventet[i].tekst) << "box " << i;
    EXPECT_EQ(vist[i].titel, forventet[i].titel) << "box " << i;
    EXPECT_EQ(vist[i].knapper, forventet[i].knapper) << "box " << i;
  }
}

constexpr UINT kOkAnnuller = MB_OKCANCEL;

// One run of a dialog: its tries, the answers to its boxes, the boxes it
// must show and how it ends.
struct Tilfaelde {
  const char *navn;
  uint32_t kilde;
  std::vector<Forsoeg> forsoeg;
  std::vector<INT_PTR> svar;
  std::vector<Boks> bokse;
  INT_PTR resultat;
};

class ImportDialog : public ::testing::Test {
 protected:
  fs::path rod;
  std::string uger;  // a folder with the Untis files of weeks 10, 53 and the conversion files
  ExtImportIndstillinger ind{};

  void SetUp() override {
    std::string skabelon = (fs::temp_directory_path() / "importdlgXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    fs::create_directories(rod / "data");
    fs::create_directories(rod / "ini");
    fs::create_directories(rod / "uger");
    std::ofstream(rod / "ini" / "tavo.ini", std::ios::binary) << "[global]\r\ninsnr=7\r\n";
    for (const char *f : {"skema10.txt", "skema53.txt", "klasser.txt", "fag.txt", "lokaler.txt"})
      std::ofstream(rod / "uger" / f, std::ios::binary) << "1;1a;AB;DA;101;1;1\r\n";
    uger = (rod / "uger").string();
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", DataMappeNavn(rod).c_str());
    snprintf(StiTab.szini, sizeof StiTab.szini, "%s/ini/tavo.ini", rod.string().c_str());
    GlobalIndstillinger.skemalaast = 0;
    // The period holds week 53 of 2026 and the first days of 2028.
    InitPeriode(20260801, 20280731, 20260801);
    RegistrerExtSkemaDialoger();
    ImportMetode = {};
  }

  void TearDown() override {
    tavo::test::StopDialogScript();
    std::error_code ec;
    fs::remove_all(rod, ec);
  }

  void Start(uint32_t kilde, uint32_t ugevis = 0) {
    SaetImportKilde(kilde);
    ind = {};
    ind.Kilde = kilde;
    ind.Ugevis = ugevis;
  }

  // Runs the dialog: each try types its fields and presses OK; the boxes
  // that come up take the given answers in turn (the rest their default).
  INT_PTR Koer(LPCSTR skabelon, DLGPROC proc, const std::vector<Forsoeg> &forsoeg,
               const std::vector<INT_PTR> &svar = {}) {
    tavo::test::StartDialogScript();
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      Proev(d.hwnd, forsoeg);
      return INT_PTR{0};
    });
    for (INT_PTR s : svar) tavo::test::AnswerNextDialog([s](const ShownDialog &) { return s; });
    return DialogBoxParamA(0, skabelon, 0, proc, reinterpret_cast<LPARAM>(&ind));
  }

  // Each case run as its own import, then checked by efter.
  template <class Efter>
  void KoerTabel(LPCSTR skabelon, DLGPROC proc, const std::vector<Tilfaelde> &tilfaelde, Efter efter) {
    for (const Tilfaelde &t : tilfaelde) {
      SCOPED_TRACE(t.navn);
      Start(t.kilde);
      EXPECT_EQ(Koer(skabelon, proc, t.forsoeg, t.svar), t.resultat);
      Sammenlign(Bokse(), t.bokse);
      EXPECT_TRUE(tavo::test::DialogFailures().empty());
      tavo::test::StopDialogScript();
      efter(t);
    }
  }

  static std::vector<Boks> Bokse() {
    std::vector<Boks> b;
    for (const auto &m : tavo::test::MessageBoxesShown()) b.push_back({m.text, m.caption, static_cast<UINT>(m.type & MB_TYPEMASK)});
    return b;
  }

  std::string Ini(const char *sektion, const char *noegle) const {
    char v[300];
    GetPrivateProfileStringA(sektion, noegle, "<ingen>", v, sizeof v, StiTab.szini);
    return v;
  }

  // The controls of the next dialog as it is shown, and where the focus is.
  ShownDialog Vist(LPCSTR skabelon, DLGPROC proc, int *fokus = nullptr) {
    ShownDialog vist;
    tavo::test::StartDialogScript();
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      vist = d;
      if (fokus) *fokus = GetDlgCtrlID(GetFocus());
      return INT_PTR{IDCANCEL};
    });
    EXPECT_EQ(DialogBoxParamA(0, skabelon, 0, proc, reinterpret_cast<LPARAM>(&ind)), IDCANCEL);
    tavo::test::StopDialogScript();
    return vist;
  }

  static std::string Tekst(const ShownDialog &d, int id) {
    const auto *c = d.Control(id);
    return c ? c->text : "<ingen kontrol>";
  }
};

}  // namespace

TEST_F(ImportDialog, DateIntervalChecksInOrder) {
  const std::string untis = Fixtur("untis"), lectio = Fixtur("lectio"), tabulex = Fixtur("tabulex");
  const Forsoeg god = {{IDC_IMP_MAPPE, untis}, {IDC_IMP_FRA, "20261102"}, {IDC_IMP_TIL, "20261106"}};
  const Forsoeg lectioGod = {{IDC_IMP_MAPPE, lectio}, {IDC_IMP_FRA, "202645"}, {IDC_IMP_TIL, "202646"}};
  auto med = [](Forsoeg f, int id, const std::string &v) {
    f[id] = v;
    return f;
  };
  const char *konv = "Untis konverteringsfilerne ikke fundet.\nVil du fortsætte uden konverteringsfilerne?";
  KoerTabel(IDD_DATOINTERVAL, DatoIntervalDlgProc, {
      {"an empty field does nothing", KILDE_UNTIS,
       {med(god, IDC_IMP_FRA, ""), med(god, IDC_IMP_TIL, ""), med(god, IDC_IMP_MAPPE, ""), god}, {}, {}, 1},
      {"no conversion files, then no timetable file", KILDE_UNTIS, {med(god, IDC_IMP_MAPPE, tabulex), god}, {},
       {{konv, "Untis - Fejl", kOkAnnuller}, {"Untis skema filen ikke fundet.", "Untis - Fejl"}}, 1},
      {"from-date not valid", KILDE_UNTIS, {med(god, IDC_IMP_FRA, "20260230"), god}, {},
       {{"Fradato er ikke valid.", "Untis - Fejl"}}, 1},
      {"to-date not valid", KILDE_UNTIS, {med(god, IDC_IMP_TIL, "2026-11-06"), god}, {},
       {{"Tildato er ikke valid.", "Untis - Fejl"}}, 1},
      {"from after to", KILDE_UNTIS, {med(god, IDC_IMP_FRA, "20261109"), god}, {},
       {{"Fradato skal være mindre eller lig Tildato.", "Untis - Fejl"}}, 1},
      {"before the schedule period", KILDE_UNTIS, {med(god, IDC_IMP_FRA, "20260731"), god}, {},
       {{"Fradato og Tildato skal være inden for skemaets periode.", "Untis - Fejl", kOkAnnuller}}, 1},
      {"after the schedule period", KILDE_UNTIS, {med(god, IDC_IMP_TIL, "20280801"), god}, {},
       {{"Fradato og Tildato skal være inden for skemaets periode.", "Untis - Fejl", kOkAnnuller}}, 1},
      {"Cancel to the conversion question", KILDE_UNTIS, {med(god, IDC_IMP_MAPPE, lectio)}, {IDCANCEL},
       {{konv, "Untis - Fejl", kOkAnnuller}}, 2},
      {"OK to the conversion question", KILDE_UNTIS, {med(god, IDC_IMP_MAPPE, lectio)}, {IDOK},
       {{konv, "Untis - Fejl", kOkAnnuller}}, 1},
      {"Lectio weeks: the first after the last", KILDE_LECTIO,
       {med(lectioGod, IDC_IMP_FRA, "202650"), lectioGod}, {},
       {{"Fradato skal være mindre eller lig Tildato.", "Lectio - Fejl"}}, 1},
      {"Lectio: a week 53 that 2027 does not have", KILDE_LECTIO,
       {med(lectioGod, IDC_IMP_FRA, "202753"), med(lectioGod, IDC_IMP_TIL, "202753"), lectioGod}, {},
       {{"Fradato er ikke valid.", "Lectio - Fejl"}, {"Tildato er ikke valid.", "Lectio - Fejl"}}, 1},
      {"Lectio: no timetable file and no conversion question", KILDE_LECTIO,
       {med(lectioGod, IDC_IMP_MAPPE, tabulex), lectioGod}, {},
       {{"Lectio skema filen ikke fundet.", "Lectio - Fejl"}}, 1},
  }, [&](const Tilfaelde &t) {
    EXPECT_EQ(ind.fradato, 20261102u);
    EXPECT_EQ(ind.tildato, t.kilde == KILDE_LECTIO ? 20261113u : 20261106u);  // Friday of the last week
    EXPECT_EQ(std::string(ind.Mappe), t.forsoeg.back().at(IDC_IMP_MAPPE));
  });
}

TEST_F(ImportDialog, WeekChecksInOrder) {
  const Forsoeg god = {{IDC_IMP_MAPPE, uger}, {IDC_IMP_UGENR, "202653"}};
  auto uge = [&](const char *u, std::string mappe = "") {
    return Forsoeg{{IDC_IMP_MAPPE, mappe.empty() ? uger : mappe}, {IDC_IMP_UGENR, u}};
  };
  const Boks ugyldig = {"Ugenr er ikke valid.", "Untis - Fejl"};
  KoerTabel(IDD_UGENR, UgeDlgProc, {
      {"2026 has a week 53, 2027 has not", KILDE_UNTIS, {uge("202753"), god}, {}, {ugyldig}, 1},
      {"weeks that are no weeks", KILDE_UNTIS,
       {uge("202600"), uge("202654"), uge("uge"), uge("-202610"), uge("210001"), god}, {},
       {ugyldig, ugyldig, ugyldig, ugyldig, ugyldig}, 1},
      {"an empty field does nothing", KILDE_UNTIS,
       {uge(""), Forsoeg{{IDC_IMP_MAPPE, ""}, {IDC_IMP_UGENR, "202653"}}, god}, {}, {}, 1},
      {"no file of the week", KILDE_UNTIS, {uge("202652"), god}, {}, {{"Untis filerne ikke fundet.", "Untis - Fejl"}},
       1},
      {"a week before the period", KILDE_UNTIS,
       {uge("202610"), god},
       {},
       {{"Ugen ligger helt eller delvist uden for skemaets periode.", "Untis - Fejl", kOkAnnuller}},
       1},
      {"Cancel to the conversion question", KILDE_UNTIS, {uge("202653", Fixtur("untisdato"))}, {IDCANCEL},
       {{"Untis konverteringsfilerne ikke fundet.\nVil du fortsætte uden konverteringsfilerne?", "Untis - Fejl",
         kOkAnnuller}},
       2},
  }, [&](const Tilfaelde &t) {
    if (t.resultat != 1) return;
    EXPECT_EQ(ind.ugenr, 202653u);
    EXPECT_EQ(ind.fradato, 20261228u);
    EXPECT_EQ(ind.tildato, 20270101u);
  });
}

TEST_F(ImportDialog, WeekIntervalChecksInOrder) {
  const std::string tabulex = Fixtur("tabulex");
  const Forsoeg god = {{IDC_IMP_MAPPE, tabulex}, {IDC_IMP_FRA, "202645"}, {IDC_IMP_TIL, "202647"}};
  auto med = [&](int id, const char *v) {
    Forsoeg f = god;
    f[id] = v;
    return f;
  };
  auto fejl = [&](const char *navn, Forsoeg forkert, const char *tekst, UINT knapper = MB_OK) {
    return Tilfaelde{
        navn, KILDE_TABULEX, {med(IDC_IMP_FRA, ""), forkert, god}, {}, {{tekst, "Extern - Fejl", knapper}}, 1};
  };
  KoerTabel(IDD_DATOINTERVAL, UgeIntervalDlgProc,
            {fejl("no timetable file", med(IDC_IMP_MAPPE, Fixtur("lectio").c_str()),
                  "Extern skema filen ikke fundet."),
             fejl("from-week not valid", med(IDC_IMP_FRA, "202753"), "Frauge er ikke valid."),
             fejl("to-week not valid", med(IDC_IMP_TIL, "202700"), "Tiluge er ikke valid."),
             fejl("from after to", med(IDC_IMP_FRA, "202648"), "Frauge skal være mindre eller lig Tiluge."),
             fejl("outside the period", med(IDC_IMP_FRA, "202630"),
                  "Frauge og Tiluge skal være inden for skemaets periode.", kOkAnnuller)},
            [&](const Tilfaelde &) {
              EXPECT_EQ(ind.fradato, 20261102u);  // Monday of the first week
              EXPECT_EQ(ind.tildato, 20261120u);  // Friday of the last
            });
}

TEST_F(ImportDialog, ExternFileChecks) {
  const Forsoeg ext = {{IDC_EXT_MAPPE, Fixtur("extern")}, {IDC_EXT_FILNAVN, "ugeskema.txt"}};
  const Forsoeg dato = {{IDC_EXT_MAPPE, Fixtur("untisdato")}, {IDC_EXT_FILNAVN, "untis.txt"}};
  const Boks mangler = {
      "ExtSkema filen ikke fundet.\nTjek om du har angivet en korrekt sti.\nEller navngivet filen korrekt.",
      "ExtSkema - Fejl"};
  const Boks konv = {"Untis konverteringsfilerne ikke fundet.\nVil du fortsætte uden konverteringsfilerne?",
                     "Untis - Fejl", kOkAnnuller};
  KoerTabel(IDD_EXTSKEMAFIL, ExtSkemaFilDlgProc, {
      {"an Extern file", KILDE_EXTERN, {{{IDC_EXT_MAPPE, Fixtur("extern")}, {IDC_EXT_FILNAVN, ""}}, ext}, {}, {}, 1},
      {"a file that is not there ends the dialog", KILDE_EXTERN,
       {{{IDC_EXT_MAPPE, Fixtur("extern")}, {IDC_EXT_FILNAVN, "mangler.txt"}}}, {}, {mangler}, 2},
      {"Untis with dates: Cancel to the conversion question", KILDE_UNTIS_DATO, {dato}, {IDCANCEL}, {konv}, 2},
      {"Untis with dates: OK to the conversion question", KILDE_UNTIS_DATO, {dato}, {IDOK}, {konv}, 1},
      {"Extern asks for no conversion files", KILDE_EXTERN,
       {{{IDC_EXT_MAPPE, Fixtur("untisdato")}, {IDC_EXT_FILNAVN, "untis.txt"}}}, {}, {}, 1},
  }, [&](const Tilfaelde &t) {
    EXPECT_EQ(std::string(ind.Mappe), t.forsoeg.back().at(IDC_EXT_MAPPE));
    EXPECT_EQ(std::string(ind.FilNavn), t.forsoeg.back().at(IDC_EXT_FILNAVN));
  });
}

TEST_F(ImportDialog, AnswersAreRememberedAndShownAgain) {
  // Nothing remembered: the data folder without its last character, the
  // focus on the first value.
  Start(KILDE_UNTIS);
  int fokus = 0;
  ShownDialog d = Vist(IDD_DATOINTERVAL, DatoIntervalDlgProc, &fokus);
  EXPECT_EQ(d.caption, "Extern-Import");
  EXPECT_EQ(Tekst(d, IDC_IMP_MAPPE), std::string(StiTab.szdata, strlen(StiTab.szdata) - 1));
  EXPECT_EQ(Tekst(d, IDC_IMP_INTERVAL), "Datointerval: (ÅÅÅÅMMDD)");
  EXPECT_EQ(Tekst(d, IDC_IMP_FRA), "");
  EXPECT_EQ(fokus, IDC_IMP_FRA);

  const std::string untis = Fixtur("untis");
  ASSERT_EQ(Koer(IDD_DATOINTERVAL, DatoIntervalDlgProc,
                 {{{IDC_IMP_MAPPE, untis}, {IDC_IMP_FRA, "20261102"}, {IDC_IMP_TIL, "20261106"}}}),
            1);
  tavo::test::StopDialogScript();
  EXPECT_EQ(Ini("untis", "filnavn"), untis);
  EXPECT_EQ(Ini("untis", "fradato"), "20261102");
  EXPECT_EQ(Ini("untis", "tildato"), "20261106");
  d = Vist(IDD_DATOINTERVAL, DatoIntervalDlgProc, &fokus);
  EXPECT_EQ(Tekst(d, IDC_IMP_MAPPE), untis);
  EXPECT_EQ(Tekst(d, IDC_IMP_FRA), "20261102");
  EXPECT_EQ(Tekst(d, IDC_IMP_TIL), "20261106");
  EXPECT_EQ(fokus, IDOK);

  // Lectio and Tabulex read the same keys with their own labels; Tabulex
  // shows remembered dates as their weeks.
  Start(KILDE_LECTIO);
  d = Vist(IDD_DATOINTERVAL, DatoIntervalDlgProc);
  EXPECT_EQ(Tekst(d, IDC_IMP_INTERVAL), "Ugeinterval (ÅÅÅÅUU)");
  EXPECT_EQ(Tekst(d, IDC_IMP_FRA), "20261102");
  Start(KILDE_TABULEX);
  d = Vist(IDD_DATOINTERVAL, UgeIntervalDlgProc);
  EXPECT_EQ(Tekst(d, IDC_IMP_INTERVAL), "Uge interval: (ÅÅÅÅUU)");
  EXPECT_EQ(Tekst(d, IDC_IMP_FRA), "202645");
  EXPECT_EQ(Tekst(d, IDC_IMP_TIL), "202645");

  // The week dialog remembers the week as typed and its Monday and Friday.
  Start(KILDE_UNTIS, 1);
  d = Vist(IDD_UGENR, UgeDlgProc);
  EXPECT_EQ(d.caption, "UNTIS-Import");
  ASSERT_EQ(Koer(IDD_UGENR, UgeDlgProc, {{{IDC_IMP_MAPPE, uger}, {IDC_IMP_UGENR, "202653"}}}), 1);
  tavo::test::StopDialogScript();
  EXPECT_EQ(Ini("untis", "filnavn"), uger);
  EXPECT_EQ(Ini("untis", "ugenr"), "202653");
  EXPECT_EQ(Ini("untis", "fradato"), "20261228");
  EXPECT_EQ(Ini("untis", "tildato"), "20270101");
  d = Vist(IDD_UGENR, UgeDlgProc);
  EXPECT_EQ(Tekst(d, IDC_IMP_UGENR), "202653");
  EXPECT_EQ(Tekst(d, IDC_IMP_MAPPE), uger);
  Start(KILDE_TABULEX);
  d = Vist(IDD_DATOINTERVAL, UgeIntervalDlgProc);
  EXPECT_EQ(Tekst(d, IDC_IMP_FRA), "202653");
  EXPECT_EQ(Tekst(d, IDC_IMP_TIL), "202653");

  // The Extern file dialog keeps its own section.
  Start(KILDE_EXTERN);
  d = Vist(IDD_EXTSKEMAFIL, ExtSkemaFilDlgProc);
  EXPECT_EQ(d.caption, "Extern import");
  EXPECT_EQ(Tekst(d, IDC_EXT_MAPPE), std::string(StiTab.szdata, strlen(StiTab.szdata) - 1));
  EXPECT_EQ(Tekst(d, IDC_EXT_FILNAVN), "");
  const std::string extern_ = Fixtur("extern");
  ASSERT_EQ(Koer(IDD_EXTSKEMAFIL, ExtSkemaFilDlgProc,
                 {{{IDC_EXT_MAPPE, extern_}, {IDC_EXT_FILNAVN, "ugeskema.txt"}}}),
            1);
  tavo::test::StopDialogScript();
  EXPECT_EQ(Ini("ExtSkema", "path"), extern_);
  EXPECT_EQ(Ini("ExtSkema", "filnavn"), "ugeskema.txt");
  EXPECT_EQ(Ini("untis", "filnavn"), uger);
  d = Vist(IDD_EXTSKEMAFIL, ExtSkemaFilDlgProc);
  EXPECT_EQ(Tekst(d, IDC_EXT_MAPPE), extern_);
  EXPECT_EQ(Tekst(d, IDC_EXT_FILNAVN), "ugeskema.txt");
}

TEST_F(ImportDialog, WeekFolderFieldTakes79Characters) {
  Start(KILDE_UNTIS, 1);
  LRESULT graense = -1;
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    graense = SendDlgItemMessageA(d.hwnd, IDC_IMP_MAPPE, EM_GETLIMITTEXT, 0, 0);
    return INT_PTR{IDCANCEL};
  });
  EXPECT_EQ(DialogBoxParamA(0, IDD_UGENR, 0, UgeDlgProc, reinterpret_cast<LPARAM>(&ind)), IDCANCEL);
  EXPECT_EQ(graense, 79);
}

TEST_F(ImportDialog, AReadOnlyRunRemembersNothing) {
  GlobalIndstillinger.skemalaast = 1;
  Start(KILDE_UNTIS);
  const std::string foer = [&] {
    std::ifstream i(rod / "ini" / "tavo.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }();
  ASSERT_EQ(Koer(IDD_DATOINTERVAL, DatoIntervalDlgProc,
                 {{{IDC_IMP_MAPPE, Fixtur("untis")}, {IDC_IMP_FRA, "20261102"}, {IDC_IMP_TIL, "20261106"}}}),
            1);
  tavo::test::StopDialogScript();
  std::ifstream i(rod / "ini" / "tavo.ini", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>()), foer);
  EXPECT_EQ(ind.fradato, 20261102u);
  GlobalIndstillinger.skemalaast = 0;
}

TEST_F(ImportDialog, MethodFlagsFollowTheRadioButtons) {
  const char *tekst = "Der er fundet skema i Tavo på en eller flere hold/medarbejder/lokale\n";
  struct {
    int knap;  // 0: leave the default
    INT_PTR svar;
    ImportMetodeData metode;
  } const tilfaelde[] = {
      {0, IDOK, {1, 0, 0}},
      {IDC_METODE_DOBBELT, IDOK, {0, 1, 0}},
      {IDC_METODE_IGNORER, IDOK, {0, 0, 1}},
      {IDC_METODE_OVERSKRIV, IDOK, {1, 0, 0}},
      {IDC_METODE_IGNORER, IDCANCEL, {7, 7, 7}},  // "Nej" leaves the flags
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.knap);
    ImportMetode = {7, 7, 7};
    ShownDialog vist;
    int fokus = 0;
    tavo::test::StartDialogScript();
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      vist = d;
      fokus = GetDlgCtrlID(GetFocus());
      if (t.knap) SendDlgItemMessageA(d.hwnd, t.knap, BM_CLICK, 0, 0);
      SendMessageA(d.hwnd, WM_COMMAND, t.svar, 0);
      Ellers(d.hwnd);
      return INT_PTR{0};
    });
    EXPECT_EQ(DialogBoxParamA(0, IDD_IMPORTMETODE, 0, MetodeDlgProc, reinterpret_cast<LPARAM>(tekst)),
              t.svar == IDOK ? 1 : 2);
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    EXPECT_EQ(vist.caption, "Extern skema import");
    EXPECT_EQ(Tekst(vist, IDC_METODE_TEKST), tekst);
    ASSERT_NE(vist.Control(IDC_METODE_OVERSKRIV), nullptr);
    EXPECT_EQ(vist.Control(IDC_METODE_OVERSKRIV)->checked, BST_CHECKED);
    EXPECT_EQ(fokus, IDC_METODE_OVERSKRIV);
    EXPECT_EQ(Tekst(vist, IDOK), "Ja");
    EXPECT_EQ(Tekst(vist, IDCANCEL), "Nej");
    EXPECT_EQ(ImportMetode.Overskriv, t.metode.Overskriv);
    EXPECT_EQ(ImportMetode.Dobbeltskema, t.metode.Dobbeltskema);
    EXPECT_EQ(ImportMetode.Ignorer, t.metode.Ignorer);
  }
}

TEST_F(ImportDialog, BrowseFillsTheFields) {
  // The open-file dialog of the Extern file dialog starts in its folder and
  // puts the chosen file's folder and name into the two fields.
  Start(KILDE_EXTERN);
  const std::string extern_ = Fixtur("extern");
  std::string titel, mappe, navn;
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    SetDlgItemTextA(d.hwnd, IDC_EXT_MAPPE, extern_.c_str());
    SendMessageA(d.hwnd, WM_COMMAND, IDC_IMP_BROWSE, 0);
    char buf[300];
    GetDlgItemTextA(d.hwnd, IDC_EXT_MAPPE, buf, sizeof buf);
    mappe = buf;
    GetDlgItemTextA(d.hwnd, IDC_EXT_FILNAVN, buf, sizeof buf);
    navn = buf;
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    Ellers(d.hwnd);
    return INT_PTR{0};
  });
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    titel = d.caption;
    SetDlgItemTextA(d.hwnd, 0x480, "ugeskema");  // the name field; ".txt" is the default extension
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    Ellers(d.hwnd);
    return INT_PTR{0};
  });
  EXPECT_EQ(DialogBoxParamA(0, IDD_EXTSKEMAFIL, 0, ExtSkemaFilDlgProc, reinterpret_cast<LPARAM>(&ind)), 1);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  tavo::test::StopDialogScript();
  EXPECT_EQ(titel, "Åben extern skema fil");
  EXPECT_EQ(navn, "ugeskema.txt");
  EXPECT_EQ(std::string(ind.FilNavn), "ugeskema.txt");
  EXPECT_TRUE(fs::equivalent(mappe, extern_)) << mappe;

  // The folder choice of the week dialog, with its title.
  Start(KILDE_UNTIS, 1);
  std::string overskrift;
  mappe.clear();
  tavo::test::StartDialogScript();
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    SetDlgItemTextA(d.hwnd, IDC_IMP_MAPPE, "");
    SendMessageA(d.hwnd, WM_COMMAND, IDC_IMP_BROWSE, 0);
    char buf[300];
    GetDlgItemTextA(d.hwnd, IDC_IMP_MAPPE, buf, sizeof buf);
    mappe = buf;
    return INT_PTR{IDCANCEL};
  });
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    overskrift = d.ControlByText("Åben mappe til skema filerne") ? "Åben mappe til skema filerne" : "";
    SendMessageA(d.hwnd, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(uger.c_str()));
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    Ellers(d.hwnd);
    return INT_PTR{0};
  });
  EXPECT_EQ(DialogBoxParamA(0, IDD_UGENR, 0, UgeDlgProc, reinterpret_cast<LPARAM>(&ind)), IDCANCEL);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  tavo::test::StopDialogScript();
  EXPECT_EQ(overskrift, "Åben mappe til skema filerne");
  ASSERT_FALSE(mappe.empty());
  EXPECT_TRUE(fs::equivalent(mappe, uger)) << mappe;
}
