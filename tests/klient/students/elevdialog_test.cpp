// The set-up dialogs driven as a user drives them, headless: numbers typed,
// mark boxes and buttons clicked. Each check fires in its order with its
// message, caption and box kind, the failing edit selected and focused and
// everything typed left standing; OK hands back exactly what was shown.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "DATO.h"
#include "elevregler_fixture.h"

using namespace eleventest;

namespace {

constexpr UINT kAdvarsel = MB_OK | MB_ICONEXCLAMATION;
constexpr UINT kOpgave = kAdvarsel | MB_TASKMODAL;

struct Boks {
  std::string Tekst, Titel;
  UINT Type;
  bool operator==(const Boks &) const = default;
};

std::ostream &operator<<(std::ostream &o, const Boks &b) {
  return o << "{" << b.Tekst << " | " << b.Titel << " | " << b.Type << "}";
}

class ElevDialogMappe : public ElevReglerMappe {
 protected:
  uint32_t tgL = 0, tgU = 0;

  // Two groups; the one shown (lessons) has ten slots, so the dialogs
  // offer at most 10.
  void SetUp() override {
    ElevReglerMappe::SetUp();
    tgL = NyGruppe(501, 'L', 10);
    tgU = NyGruppe(502, 'U', 3);
    Vis(tgL);
    ASSERT_EQ(ElevPlanMaxAntal(), 10u);
  }

  // The boxes shown since the last call.
  static std::vector<Boks> Bokse() {
    std::vector<Boks> v;
    for (const auto &m : tavo::test::MessageBoxesShown()) v.push_back({m.text, m.caption, m.type});
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    return v;
  }

  // What OK brought: the box it showed (or none), the control with the
  // focus afterwards.
  struct Udfald {
    std::vector<Boks> Vist;
    int Fokus = 0;
  };
  static Udfald TrykOk(HWND dlg) {
    const size_t foer = tavo::test::MessageBoxesShown().size();
    Klik(dlg, IDOK);
    Udfald u;
    const auto alle = tavo::test::MessageBoxesShown();
    for (size_t i = foer; i < alle.size(); ++i)
      u.Vist.push_back({alle[i].text, alle[i].caption, alle[i].type});
    u.Fokus = GetDlgCtrlID(GetFocus());
    return u;
  }

  // The handler's end: a dialog still open after the last OK (a check
  // failed that should not have) is cancelled rather than left waiting.
  static INT_PTR Slut(const Udfald &u) { return u.Vist.empty() ? 0 : IDCANCEL; }
};

// ---- Dialog 152 ----

class ElevDialogRetLa : public ElevDialogMappe {
 protected:
  LaRec Kopi(uint32_t tg) const {
    LaRec l{};
    l.tg_id = tg;
    l.min_elevantal = 22;
    l.max_elevantal = 26;
    l.uge_antal = 3;
    l.uge_deletal = 1;
    l.lek_antal = 4;
    l.lek_deletal = 2;
    l.BeholdElever = 1;
    l.PladsLaas = 1;
    l.aktiv = 1;
    return l;
  }
  static void Tal(HWND d, const char *min, const char *max, const char *antal, const char *blok) {
    Skriv(d, IDC_RETLA_MIN, min);
    Skriv(d, IDC_RETLA_MAX, max);
    Skriv(d, IDC_RETLA_ANTAL, antal);
    Skriv(d, IDC_RETLA_BLOK, blok);
  }
};

TEST_F(ElevDialogRetLa, ShowsTheActivityInItsGroupsMode) {
  const struct {
    const char *Navn;
    bool Uger;
  } tilfaelde[] = {{"lessons", false}, {"weeks", true}};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    LaRec l = Kopi(t.Uger ? tgU : tgL);
    tavo::test::ShownDialog vist;
    int fokus = 0;
    std::string valgt;
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
      vist = d;
      fokus = GetDlgCtrlID(GetFocus());
      DWORD fra = 0, til = 0;
      SendDlgItemMessageA(d.hwnd, IDC_RETLA_MIN, EM_GETSEL, reinterpret_cast<WPARAM>(&fra),
                          reinterpret_cast<LPARAM>(&til));
      valgt = std::to_string(fra) + "-" + std::to_string(til);
      return INT_PTR{IDCANCEL};
    });
    EXPECT_EQ(VisRetLaDialog(0, &l), 2);
    EXPECT_EQ(vist.Control(IDC_RETLA_MIN)->text, "22");
    EXPECT_EQ(vist.Control(IDC_RETLA_MAX)->text, "26");
    EXPECT_EQ(vist.Control(IDC_RETLA_ANTAL)->text, t.Uger ? "3" : "4");
    EXPECT_EQ(vist.Control(IDC_RETLA_BLOK)->text, t.Uger ? "1" : "2");
    EXPECT_EQ(vist.Control(IDC_RETLA_RAMME)->text,
              t.Uger ? "Værdier for holdstørrelser + antal uger"
                     : "Værdier for holdstørrelser + antal lektioner");
    EXPECT_EQ(vist.Control(IDC_RETLA_ANTAL_TEKST)->text, t.Uger ? "Antal uger" : "Antal lektioner");
    EXPECT_EQ(vist.Control(IDC_MAX_TEKST)->text, "Max 10");
    EXPECT_EQ(vist.Control(IDC_RETLA_LUK)->checked, 0);
    EXPECT_EQ(vist.Control(IDC_RETLA_BEHOLD)->checked, 1);
    EXPECT_EQ(vist.Control(IDC_RETLA_PLADSLAAS)->checked, 1);
    EXPECT_EQ(vist.Control(IDC_RETLA_AKTIV)->checked, 1);
    for (const char *tekst : {"Minimum elevantal", "Maximun elevantal", "Blok størrelse",
                              "Luk for nye elever", "Behold elever", "Plads lås", "Aktiv"})
      EXPECT_NE(vist.ControlByText(tekst), nullptr) << tekst;
    EXPECT_EQ(fokus, IDC_RETLA_MIN);
    EXPECT_EQ(valgt, "0-2") << "the minimum selected";
  }
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

TEST_F(ElevDialogRetLa, EachCheckFiresInItsOrderOnItsEdit) {
  const char *min = "Minimum elevantal skal være mindre ned eller lig med maximum elevantal.\n";
  const char *lektioner =
      "Minimum lektionsantal skal være mindre ned eller lig med maximum antal lektioner\nog "
      "forskellig fra 0.\n";
  const char *uger =
      "Minimum ugeantal skal være mindre ned eller lig med maximum antal uger\nog forskellig fra "
      "0.\n";
  const char *nul = "Blok størrelsen må ikke være 0 eller ingenting!\n";
  const struct {
    const char *Navn;
    bool Uger;
    const char *Min, *Max, *Antal, *Blok;
    const char *Tekst, *Titel;
    int Fokus;
  } tilfaelde[] = {
      {"min 26 max 22 before all else", false, "26", "22", "0", "0", min, "Fejl i elevantal",
       IDC_RETLA_MIN},
      {"no lessons", false, "1", "2", "0", "0", lektioner, "Fejl i antal", IDC_RETLA_ANTAL},
      {"more lessons than slots", false, "1", "2", "11", "1", lektioner, "Fejl i antal",
       IDC_RETLA_ANTAL},
      {"no weeks", true, "1", "2", "", "1", uger, "Fejl i antal", IDC_RETLA_ANTAL},
      {"block size 0", false, "1", "2", "4", "0", nul, "Fejl i blok størrelse", IDC_RETLA_BLOK},
      {"block size not typed", true, "1", "2", "4", "x", nul, "Fejl i blok størrelse",
       IDC_RETLA_BLOK},
      {"6 lessons by 4", false, "1", "2", "6", "4",
       "Lektionsantal er ikke delelig med blok størrelse.\n", "Fejl i blok størrelse",
       IDC_RETLA_BLOK},
      {"6 weeks by 4", true, "1", "2", "6", "4", "Uge antal er ikke delelig med blok størrelse.\n",
       "Fejl i blok størrelse", IDC_RETLA_BLOK},
      // Numbers beyond the u32 fields count as the greatest they hold.
      {"a minimum beyond the fields", false, "99999999999", "26", "4", "2", min,
       "Fejl i elevantal", IDC_RETLA_MIN},
      {"a number beyond the fields", false, "1", "2", "99999999999", "1", lektioner,
       "Fejl i antal", IDC_RETLA_ANTAL},
      {"a block size beyond the fields", true, "1", "2", "4", "99999999999",
       "Uge antal er ikke delelig med blok størrelse.\n", "Fejl i blok størrelse",
       IDC_RETLA_BLOK},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    LaRec l = Kopi(t.Uger ? tgU : tgL);
    Udfald u;
    std::vector<std::string> efter;
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
      Tal(d.hwnd, t.Min, t.Max, t.Antal, t.Blok);
      u = TrykOk(d.hwnd);
      for (int id : {IDC_RETLA_MIN, IDC_RETLA_MAX, IDC_RETLA_ANTAL, IDC_RETLA_BLOK})
        efter.push_back(Felt(d.hwnd, id));
      Klik(d.hwnd, IDCANCEL);
      return INT_PTR{0};
    });
    EXPECT_EQ(VisRetLaDialog(0, &l), 2);
    EXPECT_EQ(u.Vist, (std::vector<Boks>{{t.Tekst, t.Titel, kOpgave}}));
    EXPECT_EQ(u.Fokus, t.Fokus);
    EXPECT_EQ(efter, (std::vector<std::string>{t.Min, t.Max, t.Antal, t.Blok})) << "as typed";
    // The minimum and maximum went into the copy at once; nothing else.
    EXPECT_EQ(+l.min_elevantal, std::min<uint64_t>(std::stoull(t.Min), UINT32_MAX));
    EXPECT_EQ(+l.max_elevantal, std::min<uint64_t>(std::stoull(t.Max), UINT32_MAX));
    EXPECT_EQ(+l.uge_antal, 3u);
    EXPECT_EQ(+l.lek_antal, 4u);
    EXPECT_EQ(+l.BeholdElever, 1);
    Bokse();
  }
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

TEST_F(ElevDialogRetLa, OkHandsBackExactlyWhatIsShown) {
  // A week group: 6 by 4 refused, then 8 by 4 taken, with the boxes as
  // clicked.
  LaRec l = Kopi(tgU);
  Udfald forsoeg, ok;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    Tal(d.hwnd, "20", "99999999999", "6", "4");
    forsoeg = TrykOk(d.hwnd);
    Skriv(d.hwnd, IDC_RETLA_ANTAL, "8");
    Klik(d.hwnd, IDC_RETLA_LUK);
    Klik(d.hwnd, IDC_RETLA_PLADSLAAS);
    Klik(d.hwnd, IDC_RETLA_AKTIV);
    ok = TrykOk(d.hwnd);
    return Slut(ok);
  });
  EXPECT_EQ(VisRetLaDialog(0, &l), 1);
  EXPECT_EQ(forsoeg.Vist, (std::vector<Boks>{{"Uge antal er ikke delelig med blok størrelse.\n",
                                              "Fejl i blok størrelse", kOpgave}}));
  EXPECT_TRUE(ok.Vist.empty());
  EXPECT_EQ(+l.min_elevantal, 20u);
  EXPECT_EQ(+l.max_elevantal, UINT32_MAX) << "kept as the greatest the field holds";
  EXPECT_EQ(+l.uge_antal, 8u);
  EXPECT_EQ(+l.uge_deletal, 4u);
  EXPECT_EQ(+l.lek_antal, 4u) << "the other mode's numbers stay";
  EXPECT_EQ(+l.lek_deletal, 2u);
  EXPECT_EQ(+l.LukForNyeElever, 1);
  EXPECT_EQ(+l.BeholdElever, 1);
  EXPECT_EQ(+l.PladsLaas, 0);
  EXPECT_EQ(+l.aktiv, 0u);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

// ---- Dialog 156 ----

class ElevDialogSetup : public ElevDialogMappe {
 protected:
  std::vector<int32_t> uger, lektioner;
  ElevPlanSetup s{};
  // Every box the OKs of a run showed, and the focus after each OK.
  std::vector<Boks> vist;
  std::vector<int> fokus;

  Udfald Ok(HWND d) {
    Udfald u = TrykOk(d);
    vist.insert(vist.end(), u.Vist.begin(), u.Vist.end());
    fokus.push_back(u.Fokus);
    return u;
  }

  // Lessons on the five school days, none marked; the weeks of the period
  // with indexes 1 to 20 to be chosen, week 5 marked.
  void Lav(uint8_t modus, uint32_t mindst = 1) {
    SaetAktuelDato(20240801);  // the period's first week is the current one
    s = {};
    s.Uger = modus;
    s.AntalUger = SkemaPeriode.AntalUger;
    s.AntalDage = SetupAntalDage();
    ASSERT_EQ(s.AntalDage, 5u);
    uger.assign(s.AntalUger, -1);
    for (uint32_t i = 1; i <= 20; ++i) uger[i - 1] = i == 5 ? 1 : 0;
    lektioner.assign(size_t(s.AntalDage) * SETUP_LEKTIONER, 0);
    s.UgeMarkeringer = uger.data();
    s.LektionsMarkeringer = lektioner.data();
    s.MindsteAntal = mindst;
    s.Tg = *TgRecNr(tgL);
    s.Tg.min_elevtal = 22;
    s.Tg.max_elevtal = 26;
    s.Tg.uge_antal = 1;
    s.Tg.uge_deletal = 1;
    s.Tg.lek_antal = 4;
    s.Tg.lek_deletal = 2;
  }

  static int Lektion(uint32_t dag, uint32_t lektion) {
    return IDC_SETUP_LEKTION_BASIS + static_cast<int>(dag * SETUP_LEKTIONER + lektion);
  }
  static int UgeBoks(uint32_t indeks) { return IDC_SETUP_UGE_BASIS + static_cast<int>(indeks); }
  static void Tal(HWND d, const char *min, const char *max, const char *antal, const char *blok) {
    Skriv(d, IDC_SETUP_MIN, min);
    Skriv(d, IDC_SETUP_MAX, max);
    Skriv(d, IDC_SETUP_ANTAL, antal);
    Skriv(d, IDC_SETUP_BLOK, blok);
  }
  static std::string Titel(HWND d) {
    char b[100] = {};
    GetWindowTextA(d, b, sizeof b);
    return b;
  }
  // The texts a mode sets: caption, the number's label, the largest number.
  static std::string Overskrift(HWND d) {
    return Titel(d) + "/" + Felt(d, IDC_SETUP_ANTAL_TEKST) + "/" + Felt(d, IDC_MAX_TEKST);
  }
};

TEST_F(ElevDialogSetup, LessonChecksFireInTheirOrder) {
  Lav(0);
  const char *elevantal =
      "Minimum elevantal skal være mindre end eller lig med maximum elevantal.\n";
  const std::vector<Boks> forventet = {
      {"Der skal mindst markeres 2 lektioner per dag eller ingen.\nFejl markeringen er: Tirsdag",
       "Fejl markering", kAdvarsel},
      {"Lektionsantal skal være mindre end eller lig med antal opmærkede lektioner (6)\nog "
       "forskellig fra 0.\n",
       "Fejl i antal", kOpgave},
      {"Lektionsantal skal være mindre end eller lig med antal opmærkede lektioner (6)\nog "
       "forskellig fra 0.\n",
       "Fejl i antal", kOpgave},
      {"Der er markeret et forkert antal lektioner i forhold til blok størelsen.\nFejl "
       "markeringen er: Onsdag ",
       "Fejl markering", kAdvarsel},
      {elevantal, "Fejl i elevantal", kOpgave},
      {"Blok størrelsen må ikke være 0 eller ingenting!\n", "Fejl i blok størrelse", kOpgave},
      {"Lektionsantal er ikke delelig med blok størrelse.\n", "Fejl i blok størrelse", kOpgave},
  };
  std::string overskrift;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    overskrift = Overskrift(d.hwnd);
    // Monday 1-2, Tuesday 1 alone.
    for (int id : {Lektion(0, 1), Lektion(0, 2), Lektion(1, 1)}) Klik(d.hwnd, id);
    Tal(d.hwnd, "22", "26", "4", "2");
    Ok(d.hwnd);  // Tuesday named
    // Tuesday 2, Wednesday 1-2: six marked, two a day.
    for (int id : {Lektion(1, 2), Lektion(2, 1), Lektion(2, 2)}) Klik(d.hwnd, id);
    Skriv(d.hwnd, IDC_SETUP_ANTAL, "0");
    Ok(d.hwnd);
    Skriv(d.hwnd, IDC_SETUP_ANTAL, "8");
    Ok(d.hwnd);
    // Wednesday 3 too: seven, three on Wednesday.
    Klik(d.hwnd, Lektion(2, 3));
    Skriv(d.hwnd, IDC_SETUP_ANTAL, "4");
    Ok(d.hwnd);
    Klik(d.hwnd, Lektion(2, 3));  // off again
    Tal(d.hwnd, "26", "22", "4", "2");
    Ok(d.hwnd);
    Tal(d.hwnd, "22", "26", "4", "0");
    Ok(d.hwnd);
    Skriv(d.hwnd, IDC_SETUP_ANTAL, "5");
    Skriv(d.hwnd, IDC_SETUP_BLOK, "2");
    // 5 of 6 passes the day checks; not a multiple of 2.
    Ok(d.hwnd);
    Skriv(d.hwnd, IDC_SETUP_MIN, "20");
    Skriv(d.hwnd, IDC_SETUP_MAX, "24");
    Skriv(d.hwnd, IDC_SETUP_ANTAL, "4");
    // Four of the six marked lessons in blocks of 2: passes.
    return Slut(Ok(d.hwnd));
  });
  EXPECT_EQ(VisElevPlanSetupDialog(0, &s), 1);
  EXPECT_EQ(overskrift, "Opsætning af lektioner/Antal lektioner:/Max 10 lektioner");
  EXPECT_EQ(vist, forventet);
  // The edit each refusal names has the focus.
  ASSERT_EQ(fokus.size(), 8u);
  EXPECT_EQ(fokus[1], IDC_SETUP_ANTAL);
  EXPECT_EQ(fokus[2], IDC_SETUP_ANTAL);
  EXPECT_EQ(fokus[4], IDC_SETUP_MIN);
  EXPECT_EQ(fokus[5], IDC_SETUP_BLOK);
  EXPECT_EQ(fokus[6], IDC_SETUP_BLOK);
  // Exactly what was shown comes back.
  EXPECT_EQ(+s.Uger, 0);
  EXPECT_EQ(+s.Tg.min_elevtal, 20u);
  EXPECT_EQ(+s.Tg.max_elevtal, 24u);
  EXPECT_EQ(+s.Tg.lek_antal, 4u);
  EXPECT_EQ(+s.Tg.lek_deletal, 2u);
  EXPECT_EQ(+s.Tg.uge_antal, 1u);
  std::vector<int32_t> marks(size_t(5) * SETUP_LEKTIONER, 0);
  for (uint32_t d = 0; d < 3; ++d)
    for (uint32_t l = 1; l <= 2; ++l) marks[d * SETUP_LEKTIONER + l - 1] = 1;
  EXPECT_EQ(lektioner, marks);
  EXPECT_EQ(uger[4], 1) << "the other mode's marks are not handed back";
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

TEST_F(ElevDialogSetup, WeekChecksFireInTheirOrder) {
  Lav(1, 4);
  std::vector<int> bokse;
  std::string overskrift, aktuel, anden;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    overskrift = Overskrift(d.hwnd);
    for (uint32_t i = 1; i <= SkemaPeriode.AntalUger; ++i)
      if (GetDlgItem(d.hwnd, UgeBoks(i))) bokse.push_back(static_cast<int>(i));
    aktuel = Felt(d.hwnd, UgeBoks(SkemaPeriode.AktuelDatoIndeks));
    anden = Felt(d.hwnd, UgeBoks(2));
    // Weeks 2 and 3 besides week 5; a box clicked twice is as it was.
    for (uint32_t i : {2u, 3u, 7u, 7u}) Klik(d.hwnd, UgeBoks(i));
    Tal(d.hwnd, "22", "26", "4", "1");
    Ok(d.hwnd);
    Skriv(d.hwnd, IDC_SETUP_ANTAL, "2");
    Ok(d.hwnd);  // four marks needed
    Klik(d.hwnd, UgeBoks(9));
    Tal(d.hwnd, "22", "26", "3", "2");
    Ok(d.hwnd);
    Skriv(d.hwnd, IDC_SETUP_ANTAL, "4");
    return Slut(Ok(d.hwnd));
  });
  EXPECT_EQ(VisElevPlanSetupDialog(0, &s), 1);
  EXPECT_EQ(overskrift, "Opsætning af uger/Antal uger:/Max 10 uger");
  std::vector<int> forventetBokse;
  for (int i = 1; i <= 20; ++i) forventetBokse.push_back(i);
  EXPECT_EQ(bokse, forventetBokse) << "no box for a week that may not be chosen";
  ASSERT_EQ(SkemaPeriode.AktuelDatoIndeks, 1u);
  EXPECT_EQ(aktuel, "#!#%$\"") << "202431 in the symbol font's digits";
  EXPECT_EQ(anden, "202432");
  EXPECT_EQ(vist, (std::vector<Boks>{
                      {"Du har kun markeret 3 uger, hvor der skal markeres mindst 4 uger.\n"
                       "Ellers ret antal uger til mindst 3 uger.",
                       "Fejl markering", kAdvarsel},
                      {"Der er for få markeringer i uger, der skal mindst være 4 markeringer.",
                       "Fejl markering", kAdvarsel},
                      {"Uge antal er ikke delelig med blok størrelse.\n", "Fejl i blok størrelse",
                       kOpgave},
                  }));
  EXPECT_EQ(fokus[0], IDC_SETUP_ANTAL);
  EXPECT_EQ(fokus[2], IDC_SETUP_BLOK);
  EXPECT_EQ(+s.Uger, 1);
  EXPECT_EQ(+s.Tg.uge_antal, 4u);
  EXPECT_EQ(+s.Tg.uge_deletal, 2u);
  EXPECT_EQ(+s.Tg.lek_antal, 4u);
  std::vector<int32_t> marks(s.AntalUger, -1);
  for (uint32_t i = 1; i <= 20; ++i) marks[i - 1] = i == 2 || i == 3 || i == 5 || i == 9;
  EXPECT_EQ(uger, marks);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

TEST_F(ElevDialogSetup, SwitchingModesKeepsEachModesMarksAndEscapeHandsBackNothing) {
  Lav(0);
  s.UgeMarkeringer[6] = 1;
  const std::vector<int32_t> ugerFoer = uger, lektionerFoer = lektioner;
  std::string foerst, uge, igen;
  bool lektionVaek = false, ugeVaek = false;
  int mandag1 = -1, uge7 = -1, fokus = 0, radio = -1;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) {
    fokus = GetDlgCtrlID(GetFocus());
    radio = Markeret(d.hwnd, IDC_SETUP_LEKTIONER);
    foerst = Felt(d.hwnd, IDC_SETUP_MIN) + "/" + Felt(d.hwnd, IDC_SETUP_MAX) + "/" +
             Felt(d.hwnd, IDC_SETUP_ANTAL) + "/" + Felt(d.hwnd, IDC_SETUP_BLOK);
    Klik(d.hwnd, Lektion(0, 1));
    Klik(d.hwnd, IDC_SETUP_UGER);
    lektionVaek = GetDlgItem(d.hwnd, Lektion(0, 1)) == 0;
    uge7 = Markeret(d.hwnd, UgeBoks(7));
    uge = Overskrift(d.hwnd) + "/" + Felt(d.hwnd, IDC_SETUP_ANTAL) + "/" +
          Felt(d.hwnd, IDC_SETUP_BLOK);
    Klik(d.hwnd, IDC_SETUP_LEKTIONER);
    ugeVaek = GetDlgItem(d.hwnd, UgeBoks(7)) == 0;
    mandag1 = Markeret(d.hwnd, Lektion(0, 1));
    igen = Titel(d.hwnd);
    tavo::test::PressKey(VK_ESCAPE);
    return INT_PTR{0};
  });
  EXPECT_EQ(VisElevPlanSetupDialog(0, &s), 2);
  EXPECT_EQ(fokus, IDC_SETUP_MIN);
  EXPECT_EQ(radio, BST_CHECKED);
  EXPECT_EQ(foerst, "22/26/4/2");
  EXPECT_TRUE(lektionVaek);
  EXPECT_EQ(uge7, BST_CHECKED);
  EXPECT_EQ(uge, "Opsætning af uger/Antal uger:/Max 10 uger/1/1");
  EXPECT_TRUE(ugeVaek);
  EXPECT_EQ(mandag1, BST_CHECKED) << "the lesson clicked before the switch";
  EXPECT_EQ(igen, "Opsætning af lektioner");
  EXPECT_EQ(uger, ugerFoer);
  EXPECT_EQ(lektioner, lektionerFoer);
  EXPECT_EQ(+s.Uger, 0);
  EXPECT_EQ(+s.Tg.min_elevtal, 22u);
  EXPECT_TRUE(Bokse().empty());
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
}

}  // namespace
