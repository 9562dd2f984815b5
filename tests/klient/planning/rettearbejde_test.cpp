// The marking-work dialog and its store over a small plan of one subject
// row in a period of four weeks: the formulas against hand-worked figures,
// the dialog driven by typing into its fields, the defaults it opens with,
// and what OK and Annuler leave in the plan, its records and the settings.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "../ui/dialog_input.h"
#include "DATO.h"
#include "FF_PlanIndtast.h"
#include "FF_PlanRec.h"
#include "PROGVINDUER.h"
#include "PlanTraad.h"
#include "Rettearbejde.h"
#include "STITAB.h"
#include "TALTAB.h"
#include "TAVODATA.h"
#include "plan_fixtur.h"
#include "rettedlg.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace {

using plantest::Kol;
using predtest::Ny;
using predtest::Rec;
using tavo::test::ShownDialog;

// The columns: the period of weeks 37 to 40, and two of its weeks.
constexpr uint32_t kPeriode = 1, kUge38 = 2, kUge39 = 3;

std::string Felt(HWND dlg, int id) {
  char t[64] = {};
  GetDlgItemTextA(dlg, id, t, sizeof t);
  return t;
}

class RettearbejdeFixtur : public plantest::PlanFixtur {
 protected:
  uint32_t akti = 0, skfa = 0, anfo = 0, fag = 0;
  HWND hoved = 0, gemtHoved = 0;

  void SetUp() override {
    PlanFixtur::SetUp();
    // Every weekday of 2024 and 2025 a school day.
    KaldagRec kd{};
    kd.Status = 10;
    memset(kd.Uge, 0x1F, sizeof kd.Uge);
    KdagrelRec kr{};
    kr.Status = 10;
    kr.Kaldag = Ny(tdkaldag, tvkaldag, kd);
    const uint32_t rel = Ny(tdkdagrel, tvkdagrel, kr);
    Ny(tdkdagrel, tvkdagrel, kr);
    SkkaRec k{};
    k.Status = 10;
    k.StartAr = 2024;
    k.AntalAr = 2;
    k.kaldagrel = rel;
    const uint32_t skka = Ny(tdskka, tvskka, k);
    // The activity starts in week 38, inside the period.
    akti = NyAkti("Dansk A", "DA", 20240916, 20250731);
    Rec<AktiRec>(tvakti, akti)->skka_id = skka;
    anfo = NyAnfo("ABC", "0001", "Anne");
    skfa = NySkfa("Dansk", 'A', "Dansk A");
    NyPeriode(gruppe, 202437, 202440);
    VaelgGruppe(gruppe);
    Kolonner({{32, 1, 202437}, {33, 1, 202438}, {33, 1, 202439}});
    fag = Raekke(PLAN_FAG, akti, skfa, anfo);
    GemRaekke(&plan, fag, false);
    Orden({fag});
    plan.UnderVisning = 1;
    AllokerAktiTalTab();
    gemtHoved = hwndHoved;
    Registrer();
    hoved = CreateWindowExA(0, "RetteHoved", "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr);
    hwndHoved = hoved;
    tavo::test::StartDialogScript(10000);
  }
  void TearDown() override {
    tavo::test::StopDialogScript();
    DestroyWindow(hoved);
    hwndHoved = gemtHoved;
    FreeAktiTalTab();
    PlanFixtur::TearDown();
  }
  static void Registrer() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "RetteHoved";
    RegisterClassA(&wc);
  }

  // Persons enrolled on the activity on a day.
  static void Elever(uint32_t a, Dato dag, uint16_t antal) {
    const int32_t d = DatoTilAbsDag(dag) - DatoTilAbsDag(SkemaPeriode.FraDato);
    AktiDagTab[static_cast<size_t>(a) * (TalDim.D + 1) + static_cast<size_t>(d)] = antal;
  }
  void Kolonne(uint32_t k) { plan.StyrX.Pos.Aktuel = k; }

  static std::string Ini(const char *noegle) {
    char t[32] = {};
    GetPrivateProfileStringA("ffplan", noegle, "-", t, sizeof t, StiTab.szini);
    return t;
  }
  // The week record of the row on disk, read back from the file.
  FftaltabRec UgePaaDisk(Uge uge) {
    predtest::TomTabel(&tvfftaltab);
    EXPECT_EQ(LoadTab(&tdfftaltab, &tvfftaltab), 0);
    for (uint32_t n = 1; n < tvfftaltab.wRecCnt; ++n) {
      const FftaltabRec *t = Rec<FftaltabRec>(tvfftaltab, n);
      if (PlanRecIBrug(t->Status) && t->ffgrund_id == plan.GrundTab[fag].GrundRec && t->Uge == uge) return *t;
    }
    return FftaltabRec{};
  }

  // The dialog on the current cell; the recount it starts is waited for,
  // as the fixture has no plan mutex to keep it off the next store.
  int Rediger() {
    const int r = RedigerRettearbejde(&plan);
    VentPaaPlanTraade(&plan);
    return r;
  }
  // The dialog as RedigerRettearbejde shows it, answered by `svar`.
  void Svar(std::function<INT_PTR(HWND)> svar) {
    tavo::test::AnswerNextDialog([svar](const ShownDialog &d) -> INT_PTR { return svar(d.hwnd); });
  }
};

// ---- The formulas ----

class RettearbejdeBeregning : public ::testing::Test {};

TEST_F(RettearbejdeBeregning, FormlerneMedHeltalsdelingAfMinutterne) {
  struct Tilfaelde {
    uint32_t elever, opgaver, minutter;
    float akkord, faktor, elevtid;
    float rettetid, arbejd1, arbejd2;
  };
  const Tilfaelde tabel[] = {
      {25, 4, 30, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 50.0f},           // 3,000 minutes
      {25, 4, 7, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 11.0f},            // 700 minutes, the rest dropped
      {25, 0, 30, 0.5f, 2.0f, 12.5f, 12.5f, 312.5f, 0.0f},        // factor x akkord x student time
      {0, 4, 30, 0.5f, 2.0f, 12.5f, 12.5f, 0.0f, 0.0f},           // no students, no work
      {1, 1, 59, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.0f},
      {4000000, 4000, 4000, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0666667e12f},  // no overflow of 32 bits
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(testing::Message() << t.elever << " " << t.opgaver << " " << t.minutter);
    RetteData d{};
    d.AntalElever = t.elever;
    d.AntalOpgaver = t.opgaver;
    d.MinutterPrOpgave = t.minutter;
    d.Akkord = t.akkord;
    d.Omregningsfaktor = t.faktor;
    d.ElevtidPrElev = t.elevtid;
    d.RettearbejdIalt = 77.0f;
    BeregnRettearbejd(&d);
    EXPECT_FLOAT_EQ(d.RettetidPrElev, t.rettetid);
    EXPECT_FLOAT_EQ(d.Rettearbejd1, t.arbejd1);
    EXPECT_FLOAT_EQ(d.Rettearbejd2, t.arbejd2);
    EXPECT_FLOAT_EQ(d.RettearbejdIalt, 77.0f);  // the total is the caller's
  }
}

// ---- The dialog ----

class RettearbejdeDialog : public RettearbejdeFixtur {
 protected:
  INT_PTR Koer(RetteData *d) {
    RegistrerRetteDialog();
    return DialogBoxParamA(0, MAKEINTRESOURCE(IDD_RETTE), hoved, RetteDlgProc, reinterpret_cast<LPARAM>(d));
  }
};

TEST_F(RettearbejdeDialog, VisesMedDecimalkommaOgAkkordSomProcent) {
  RetteData d{};
  d.AntalElever = 25;
  d.AntalOpgaver = 4;
  d.MinutterPrOpgave = 30;
  d.Akkord = 0.5f;
  d.Omregningsfaktor = 1.25f;
  d.ElevtidPrElev = 12.5f;
  d.RettetidPrElev = 7.8125f;
  d.Rettearbejd1 = 195.3125f;
  d.Rettearbejd2 = 50.0f;
  d.RettearbejdIalt = 245.3125f;
  std::vector<std::pair<int, std::string>> vist;
  std::string titel;
  Svar([&](HWND dlg) {
    char t[64] = {};
    GetWindowTextA(dlg, t, sizeof t);
    titel = t;
    for (int id = IDC_RETTE_ELEVER; id <= IDC_RETTE_IALT; ++id) vist.push_back({id, Felt(dlg, id)});
    return INT_PTR{2};
  });
  EXPECT_EQ(Koer(&d), 2);
  EXPECT_EQ(titel, "Rette arbejde");
  const std::vector<std::pair<int, std::string>> ventet = {
      {IDC_RETTE_ELEVER, "25"},        {IDC_RETTE_OPGAVER, "4"},        {IDC_RETTE_MINUTTER, "30"},
      {IDC_RETTE_AKKORD, "50"},        {IDC_RETTE_FAKTOR, "1,25"},      {IDC_RETTE_ELEVTID, "12,50"},
      {IDC_RETTE_RETTETID, "7,81"},    {IDC_RETTE_ARBEJD1, "195,31"},   {IDC_RETTE_ARBEJD2, "50,00"},
      {IDC_RETTE_IALT, "245,31"}};
  EXPECT_EQ(vist, ventet);
}

TEST_F(RettearbejdeDialog, TastetOgGenberegnetNaarFeltetForlades) {
  struct Tilfaelde {
    const char *navn;
    std::vector<std::pair<int, const char *>> skrevet;
    UINT slut;  // the key that ends the typing in the last field
    const char *ialtVist;  // the total shown after the fields were left ("" unread)
    INT_PTR svar;
    float elevtid, akkord, ialt;
  };
  const Tilfaelde tabel[] = {
      {"opgaver", {{IDC_RETTE_ELEVER, "25"}, {IDC_RETTE_OPGAVER, "4"}, {IDC_RETTE_MINUTTER, "30"}}, VK_TAB,
       "50,00", 1, 0.0f, 0.0f, 50.0f},
      {"minutter rest", {{IDC_RETTE_ELEVER, "25"}, {IDC_RETTE_OPGAVER, "4"}, {IDC_RETTE_MINUTTER, "7"}}, VK_TAB,
       "11,00", 1, 0.0f, 0.0f, 11.0f},
      {"komma",
       {{IDC_RETTE_ELEVER, "2"}, {IDC_RETTE_AKKORD, "50"}, {IDC_RETTE_FAKTOR, "2"}, {IDC_RETTE_ELEVTID, "12,5"}},
       VK_TAB, "25,00", 1, 12.5f, 0.5f, 25.0f},
      {"punktum",
       {{IDC_RETTE_ELEVER, "2"}, {IDC_RETTE_AKKORD, "50"}, {IDC_RETTE_FAKTOR, "2"}, {IDC_RETTE_ELEVTID, "12.5"}},
       VK_TAB, "25,00", 1, 12.5f, 0.5f, 25.0f},
      {"intet tal", {{IDC_RETTE_ELEVER, "2"}, {IDC_RETTE_FAKTOR, "1"}, {IDC_RETTE_ELEVTID, "abc"}}, VK_TAB,
       "0,00", 1, 0.0f, 0.0f, 0.0f},
      // Enter in a field other than the total counts the figure typed.
      {"enter i et felt", {{IDC_RETTE_ELEVER, "25"}, {IDC_RETTE_OPGAVER, "4"}, {IDC_RETTE_MINUTTER, "30"}},
       VK_RETURN, "", 1, 0.0f, 0.0f, 50.0f},
      // A total typed and confirmed with Enter wins over the computed one.
      {"ialt med enter", {{IDC_RETTE_ELEVER, "25"}, {IDC_RETTE_OPGAVER, "4"}, {IDC_RETTE_IALT, "7,5"}},
       VK_RETURN, "", 1, 0.0f, 0.0f, 7.5f},
      // Left with Tab, the total is computed again.
      {"ialt forladt", {{IDC_RETTE_ELEVER, "25"}, {IDC_RETTE_OPGAVER, "4"}, {IDC_RETTE_IALT, "7,5"}}, VK_TAB,
       "0,00", 1, 0.0f, 0.0f, 0.0f},
      {"annuler", {{IDC_RETTE_ELEVER, "25"}}, VK_ESCAPE, "", 2, 0.0f, 0.0f, 0.0f},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    RetteData d{};
    std::string ialt, markeret;
    Svar([&](HWND dlg) {
      for (size_t i = 0; i < t.skrevet.size(); ++i) {
        const auto &[id, tekst] = t.skrevet[i];
        dlgtest::SkrivFelt(dlg, id, tekst);
        if (i + 1 < t.skrevet.size()) dlgtest::Tast(dlg, VK_TAB);
      }
      dlgtest::Tast(dlg, t.slut);
      if (IsWindow(dlg) && t.slut == VK_TAB) {
        ialt = Felt(dlg, IDC_RETTE_IALT);
        dlgtest::Tast(dlg, VK_RETURN);
      }
      return INT_PTR{0};
    });
    EXPECT_EQ(Koer(&d), t.svar);
    if (t.ialtVist[0]) {
      EXPECT_EQ(ialt, t.ialtVist);
    }
    if (t.svar != 1) continue;
    EXPECT_FLOAT_EQ(d.ElevtidPrElev, t.elevtid);
    EXPECT_FLOAT_EQ(d.Akkord, t.akkord);
    EXPECT_FLOAT_EQ(d.RettearbejdIalt, t.ialt);
  }
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

TEST_F(RettearbejdeDialog, FeltetsTekstMarkeresNaarDetFaarFokus) {
  RetteData d{};
  d.AntalElever = 123;
  DWORD a = 9, b = 9;
  Svar([&](HWND dlg) {
    SetFocus(GetDlgItem(dlg, IDC_RETTE_OPGAVER));
    dlgtest::Pump(dlg);
    SetFocus(GetDlgItem(dlg, IDC_RETTE_ELEVER));
    dlgtest::Pump(dlg);
    SendDlgItemMessageA(dlg, IDC_RETTE_ELEVER, EM_GETSEL, reinterpret_cast<WPARAM>(&a),
                        reinterpret_cast<LPARAM>(&b));
    return INT_PTR{2};
  });
  Koer(&d);
  EXPECT_EQ(a, 0u);
  EXPECT_EQ(b, 3u);
}

// ---- What the dialog opens with ----

class RettearbejdeFyld : public RettearbejdeFixtur {};

TEST_F(RettearbejdeFyld, StandarderFraTifIndstillingerOgCellensTal) {
  auto tif = [](uint32_t fag, Dato start, Dato slut, float antal, float minutter) {
    TifRec t{};
    t.skfa_id = fag;
    t.Startdato = start;
    t.Slutdato = slut;
    t.Opgaveantal = antal;
    t.Opgaveminutter = minutter;
    t.Status = 10;
    Ny(tdtif, tvtif, t);
  };
  tif(skfa, 20200801, 20240630, 9.0f, 90.0f);  // ended before the group began
  tif(skfa, 20240101, 0, 3.6f, 44.5f);         // rounded to whole numbers
  tif(skfa, 20240901, 0, 7.0f, 70.0f);
  WritePrivateProfileStringA("ffplan", "akkord", "50", StiTab.szini);
  WritePrivateProfileStringA("ffplan", "omrgnfaktor", "125", StiTab.szini);
  // Students on the Wednesdays of weeks 38 and 39; the period counts from
  // the activity's first week (38), not the period's (37).
  Elever(akti, 20240911, 30);
  Elever(akti, 20240918, 21);
  Elever(akti, 20240925, 19);
  TalPost &u39 = plan.GrundTab[fag].TalTab[UgeTilIndeks(202439)];
  u39.Elevtid_per_elev = 10.0f;
  u39.Opgave_antal = 2.0f;
  u39.Rettearbejd = 8.0f;
  PerPost &p = plan.GrundTab[fag].PerTab[1];
  p.Elevtid_per_elev = 6.0f;
  p.Minutter_per_opgave = 15.4f;
  p.Rettearbejd = 33.0f;
  struct Tilfaelde {
    uint32_t kolonne;
    uint32_t elever, opgaver, minutter;
    float elevtid, gemt;
  };
  const Tilfaelde tabel[] = {
      {kPeriode, 21, 4, 15, 6.0f, 33.0f},
      {kUge38, 21, 4, 45, 0.0f, 0.0f},
      {kUge39, 19, 2, 45, 10.0f, 8.0f},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.kolonne);
    Kolonne(t.kolonne);
    RetteData d;
    std::memset(&d, 0xA5, sizeof d);
    FyldRetteData(&plan, &d);
    EXPECT_EQ(d.AntalElever, t.elever);
    EXPECT_EQ(d.AntalOpgaver, t.opgaver);
    EXPECT_EQ(d.MinutterPrOpgave, t.minutter);
    EXPECT_FLOAT_EQ(d.Akkord, 0.5f);
    EXPECT_FLOAT_EQ(d.Omregningsfaktor, 1.25f);
    EXPECT_FLOAT_EQ(d.ElevtidPrElev, t.elevtid);
    EXPECT_FLOAT_EQ(d.GemtIalt, t.gemt);
    EXPECT_FLOAT_EQ(d.RettetidPrElev, 1.25f * 0.5f * t.elevtid);
    EXPECT_FLOAT_EQ(d.RettearbejdIalt, d.Rettearbejd1 + d.Rettearbejd2);
    EXPECT_FLOAT_EQ(d.Rettearbejd2, static_cast<float>(t.elever * t.opgaver * t.minutter / 60));
  }
}

TEST_F(RettearbejdeFyld, UdenforEnFagraekkeKunIndstillingerne) {
  WritePrivateProfileStringA("ffplan", "akkord", "40", StiTab.szini);
  Elever(akti, 20240918, 21);
  const uint32_t hoved = Raekke(PLAN_AKTI, akti, 0, 0);
  Orden({hoved});
  Kolonne(kUge38);
  RetteData d;
  std::memset(&d, 0xA5, sizeof d);
  FyldRetteData(&plan, &d);
  EXPECT_EQ(d.AntalElever, 0u);
  EXPECT_FLOAT_EQ(d.Akkord, 0.4f);
  EXPECT_FLOAT_EQ(d.RettearbejdIalt, 0.0f);
}

// ---- Storing ----

class RettearbejdeGem : public RettearbejdeFixtur {};

TEST_F(RettearbejdeGem, UgeFaarTalleneOgRettearbejdetOgIndstillingerneSkrives) {
  Elever(akti, 20240918, 25);
  Kolonne(kUge38);
  Svar([](HWND dlg) {
    EXPECT_EQ(Felt(dlg, IDC_RETTE_ELEVER), "25");
    dlgtest::SkrivFelt(dlg, IDC_RETTE_OPGAVER, "4");
    dlgtest::Tast(dlg, VK_TAB);
    dlgtest::SkrivFelt(dlg, IDC_RETTE_MINUTTER, "30");
    dlgtest::Tast(dlg, VK_TAB);
    dlgtest::SkrivFelt(dlg, IDC_RETTE_AKKORD, "50");
    dlgtest::Tast(dlg, VK_TAB);
    dlgtest::SkrivFelt(dlg, IDC_RETTE_FAKTOR, "1,5");
    dlgtest::Tast(dlg, VK_TAB);
    dlgtest::SkrivFelt(dlg, IDC_RETTE_ELEVTID, "2");
    dlgtest::Tast(dlg, VK_TAB);
    EXPECT_EQ(Felt(dlg, IDC_RETTE_IALT), "87,50");  // 25 x 1.5 and 50
    dlgtest::Tast(dlg, VK_RETURN);
    return INT_PTR{0};
  });
  EXPECT_EQ(Rediger(), 0);
  const TalPost &t = plan.GrundTab[fag].TalTab[UgeTilIndeks(202438)];
  EXPECT_EQ(t.ElevAntal, 25u);
  EXPECT_FLOAT_EQ(t.Opgave_antal, 4.0f);
  EXPECT_FLOAT_EQ(t.Minutter_per_opgave, 30.0f);
  EXPECT_FLOAT_EQ(t.Elevtid_per_elev, 2.0f);
  EXPECT_FLOAT_EQ(t.Rettearbejd, 87.5f);
  EXPECT_EQ(plan.GrundTab[fag].ElevAntal, 25u);
  EXPECT_EQ(Ini("akkord"), "50");
  EXPECT_EQ(Ini("omrgnfaktor"), "150");
  const FftaltabRec disk = UgePaaDisk(202438);
  EXPECT_EQ(disk.ElevAntal, 25u);
  EXPECT_FLOAT_EQ(disk.Opgave_antal, 4.0f);
  EXPECT_FLOAT_EQ(disk.Minutter_per_opgave, 30.0f);
  EXPECT_FLOAT_EQ(disk.Elevtid_per_elev, 2.0f);
  EXPECT_FLOAT_EQ(disk.Rettearbejd, 87.5f);
}

TEST_F(RettearbejdeGem, PeriodeFaarTalleneOgFordelerRettearbejdet) {
  Elever(akti, 20240918, 10);
  Kolonne(kPeriode);
  Svar([](HWND dlg) {
    dlgtest::SkrivFelt(dlg, IDC_RETTE_OPGAVER, "3");
    dlgtest::Tast(dlg, VK_TAB);
    dlgtest::SkrivFelt(dlg, IDC_RETTE_MINUTTER, "60");
    dlgtest::Tast(dlg, VK_RETURN);
    return INT_PTR{0};
  });
  Rediger();
  const PerPost &p = plan.GrundTab[fag].PerTab[1];
  EXPECT_EQ(p.Arbejd, 10u);
  EXPECT_FLOAT_EQ(p.Opgave_antal, 3.0f);
  EXPECT_FLOAT_EQ(p.Minutter_per_opgave, 60.0f);
  EXPECT_FLOAT_EQ(p.Rettearbejd, 30.0f);
  // Spread over the three weeks the activity teaches in the period.
  float sum = 0.0f;
  for (Uge u : {202437u, 202438u, 202439u, 202440u}) sum += plan.GrundTab[fag].TalTab[UgeTilIndeks(u)].Rettearbejd;
  EXPECT_FLOAT_EQ(sum, 30.0f);
  EXPECT_FLOAT_EQ(plan.GrundTab[fag].TalTab[UgeTilIndeks(202437)].Rettearbejd, 0.0f);
}

TEST_F(RettearbejdeGem, IntetGemtUdenTotalVedAnnulerOgUdenforFagraekker) {
  struct Tilfaelde {
    const char *navn;
    uint16_t elever;
    bool fagraekke;
    std::function<INT_PTR(HWND)> svar;
    bool dialog;
  };
  auto ok = [](HWND dlg) {
    dlgtest::SkrivFelt(dlg, IDC_RETTE_OPGAVER, "4");
    dlgtest::Tast(dlg, VK_TAB);
    dlgtest::SkrivFelt(dlg, IDC_RETTE_AKKORD, "50");
    dlgtest::Tast(dlg, VK_RETURN);
    return INT_PTR{0};
  };
  auto annuler = [](HWND dlg) {
    dlgtest::SkrivFelt(dlg, IDC_RETTE_IALT, "12");
    dlgtest::Tast(dlg, VK_ESCAPE);
    return INT_PTR{0};
  };
  const Tilfaelde tabel[] = {
      {"ingen elever", 0, true, ok, true},
      {"annuler", 25, true, annuler, true},
      {"ikke en fagraekke", 25, false, ok, false},
  };
  for (const Tilfaelde &t : tabel) {
    SCOPED_TRACE(t.navn);
    Elever(akti, 20240918, t.elever);
    const uint32_t hoved = Raekke(PLAN_AKTI, akti, 0, 0);
    Orden({t.fagraekke ? fag : hoved});
    Kolonne(kUge38);
    const size_t foer = tavo::test::DialogFailures().size();
    if (t.dialog) Svar(t.svar);
    Rediger();
    EXPECT_EQ(tavo::test::DialogFailures().size(), foer);
    const TalPost &u = plan.GrundTab[fag].TalTab[UgeTilIndeks(202438)];
    EXPECT_EQ(u.ElevAntal, 0u);
    EXPECT_FLOAT_EQ(u.Opgave_antal, 0.0f);
    EXPECT_FLOAT_EQ(u.Rettearbejd, 0.0f);
    EXPECT_EQ(u.RetStatus, 0u);
    EXPECT_EQ(u.TalRec, 0u);
    EXPECT_EQ(Ini("akkord"), "-");
  }
}

TEST_F(RettearbejdeGem, IngenEleverMenEnTastetTotalGemmes) {
  Kolonne(kUge39);
  Svar([](HWND dlg) {
    dlgtest::SkrivFelt(dlg, IDC_RETTE_IALT, "12,25");
    dlgtest::Tast(dlg, VK_RETURN);
    return INT_PTR{0};
  });
  Rediger();
  EXPECT_FLOAT_EQ(plan.GrundTab[fag].TalTab[UgeTilIndeks(202439)].Rettearbejd, 12.25f);
  EXPECT_EQ(Ini("akkord"), "0");
}

TEST_F(RettearbejdeGem, LaastUgeAfvisesOgTalleneBliverSomDeVar) {
  Elever(akti, 20240918, 25);
  // A week record kept by the central system (bit 16) is not to be changed.
  plan.UnderVisning = 1;
  Kolonne(kUge38);
  ASSERT_TRUE(SaetRetteEksamen(&plan, kUge38, fag, "3"));
  TalPost &t = plan.GrundTab[fag].TalTab[UgeTilIndeks(202438)];
  Rec<FftaltabRec>(tvfftaltab, t.TalRec)->Status |= 0x10;
  t.ElevAntal = 7;
  Svar([](HWND dlg) {
    dlgtest::SkrivFelt(dlg, IDC_RETTE_OPGAVER, "4");
    dlgtest::Tast(dlg, VK_TAB);
    dlgtest::SkrivFelt(dlg, IDC_RETTE_MINUTTER, "30");
    dlgtest::Tast(dlg, VK_RETURN);
    return INT_PTR{0};
  });
  Rediger();
  EXPECT_EQ(t.ElevAntal, 7u);
  EXPECT_FLOAT_EQ(t.Opgave_antal, 0.0f);
  EXPECT_FLOAT_EQ(t.Rettearbejd, 3.0f);
  EXPECT_EQ(Ini("akkord"), "-");
}

}  // namespace
