// Choosing in the entry window's lists: the list keys as a user presses
// them, the rules that refuse a row (student overlap while the check is on,
// a subject with a level under each setting), the role, priority and remark
// dialogs driven by typing into their controls, and the priority table as
// the activity table grows under it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "KROGE.h"
#include "../ui/dialog_input.h"
#include "BRIKVALG.h"
#include "NYVALG.h"
#include "SIDEFIL.h"
#include "SMAADLG.h"
#include "brikind_fixture.h"

namespace {

using namespace sketest;
using predtest::Rec;
using tavo::test::ShownDialog;

const char *gDele = nullptr;
int gDataAendret = 0;  // data-changed notices the main window got

// The main window, and a stand-in schedule window that names the parts of
// a change.
LRESULT CALLBACK LytterProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == 1338) return reinterpret_cast<LRESULT>(gDele);
  if (m == 1119) return 'K';
  if (m == 1140) ++gDataAendret;
  if (m >= 1024 && m < 12000) return 0;
  return DefWindowProcA(h, m, w, l);
}

// The first child of a dialog of a class.
HWND Barn(const ShownDialog &d, const char *klasse) {
  for (const auto &c : d.controls)
    if (c.className == klasse) return c.hwnd;
  return 0;
}

class BrikValg : public BrikIndMappe {
 protected:
  void SetUp() override {
    SkeMappe::SetUp();
    Forbered("BrikValgLytter", LytterProc);
    InstallerBrikValg();
    GlobalIndstillinger.checkelevsammenfald = 1;
    GlobalIndstillinger.niveaufag = 0;
    Rec<SkfaRec>(tvskfa, skfa)->Niveau = '-';
  }
  void TearDown() override {
    if (vindue_ && IsWindow(vindue_)) DestroyWindow(vindue_);
    if (skema_ && IsWindow(skema_)) DestroyWindow(skema_);
    BrikIndKrog.ListeTast = nullptr;
    BrikIndKrog.Bem = nullptr;
    FrigivAktiPrioritetMinde();
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    Afslut();
  }

  BrikIndStruct *Aabn() {
    skema_ = CreateSkemaWnd(0, hoved_, hoved_, SKE_AKTI, 0, 0, 800, 600, 0, nullptr, 'L', 'L', 'N', 'S', 'V', 0, 1, 0,
                            40001);
    vindue_ = CreateBrikIndWnd('L', skema_);
    EXPECT_TRUE(vindue_);
    return vindue_ ? BrikIndWS(vindue_) : nullptr;
  }

  // A further activity, employee, room or subject of the fixture's kind.
  uint32_t NyAkti(const char *navn, const char *type = "UV") {
    AktiRec a = *Rec<AktiRec>(tvakti, akti[0]);
    a.id = 1100 + tvakti.wRecCnt;
    Tekst(a.Aktivitet, navn);
    Tekst(a.Type, type);
    return Ny(tdakti, tvakti, a);
  }
  uint32_t NyAnfo(const char *initialer) {
    MedaRec m = *Rec<MedaRec>(tvmeda, Rec<AnfoRec>(tvanfo, anfo[0])->meda_id);
    m.id = 5100 + tvmeda.wRecCnt;
    Tekst(m.Initialer, initialer);
    AnfoRec f = *Rec<AnfoRec>(tvanfo, anfo[0]);
    f.id = 6100 + tvanfo.wRecCnt;
    f.meda_id = Ny(tdmeda, tvmeda, m);
    return Ny(tdanfo, tvanfo, f);
  }
  uint32_t NyFag(const char *navn, char niveau = '-') {
    SkfaRec s = *Rec<SkfaRec>(tvskfa, skfa);
    s.id = 210 + tvskfa.wRecCnt;
    Tekst(s.Skolefag, navn);
    s.Niveau = niveau;
    return Ny(tdskfa, tvskfa, s);
  }
  static uint32_t Skph(uint32_t a, uint32_t s, char skyg = 0) {
    SkphRec p{};
    p.akti_id = a, p.skfa_id = s, p.Status = 10, p.SkygFaget = skyg;
    return Ny(tdskph, tvskph, p);
  }

  // Makes list fokus the current step, built afresh.
  static void Liste(BrikIndStruct *b, uint8_t fokus) {
    b->Valg[fokus].Bygget = 0;
    ASSERT_TRUE(GaaTilTrin(b, fokus)) << int(fokus);
    ASSERT_EQ(b->AktuelListe, fokus);
  }
  static uint32_t Pos(const BrikIndStruct *b, uint8_t fokus, uint32_t rec) {
    const DifValg &v = b->Valg[fokus];
    for (uint32_t i = 1; i <= v.Antal; ++i)
      if (v.ObjTab[i] == rec) return i;
    return 0;
  }
  static void Aktuel(BrikIndStruct *b, uint8_t fokus, uint32_t rec) {
    b->Valg[fokus].Aktuel = Pos(b, fokus, rec);
    ASSERT_NE(b->Valg[fokus].Aktuel, 0u) << "record " << rec << " is not listed";
  }
  static uint32_t AktuelRec(const BrikIndStruct *b, uint8_t fokus) {
    const DifValg &v = b->Valg[fokus];
    return v.Aktuel ? v.ObjTab[v.Aktuel] : 0;
  }
  static std::vector<uint32_t> Valgte(const BrikIndStruct *b, uint8_t fokus) {
    std::vector<uint32_t> ud;
    const DifValg &v = b->Valg[fokus];
    for (uint32_t r = 1; r < v.AntalMaerker; ++r)
      if (v.Maerker[r] & MAERKE_VALGT) ud.push_back(r);
    return ud;
  }
  // What the event holds of a list.
  static std::vector<uint32_t> IEvent(uint8_t fokus) {
    const AVS &e = AktuelAVS;
    std::vector<uint32_t> ud;
    if (fokus == FOCUS_AKTI && e.aktiTab) ud.assign(e.aktiTab, e.aktiTab + e.aktiAntal);
    if (fokus == FOCUS_ANFO && e.anfoTab) ud.assign(e.anfoTab, e.anfoTab + e.anfoAntal);
    if (fokus == FOCUS_LOKA && e.lokaTab) ud.assign(e.lokaTab, e.lokaTab + e.lokaAntal);
    if (fokus == FOCUS_SKFA && e.skfa_id) ud.push_back(e.skfa_id);
    std::sort(ud.begin(), ud.end());
    return ud;
  }
  static void Tryk(BrikIndStruct *b, UINT vk, bool ctrl = false, bool shift = false, bool alt = false) {
    EXPECT_TRUE(BrikIndTast(b, TastAf(vk, alt, ctrl, shift), true)) << vk;
  }

  HWND skema_ = 0, vindue_ = 0;
};

// ==================================================================== keys

TEST_F(BrikValg, TheListKeysChooseAndUnchooseAsTheirTableSays) {
  const uint32_t stjerne = NyAkti("*fri");
  const uint32_t fag2 = NyFag("EN");
  Skph(akti[0], skfa);
  Skph(akti[0], fag2);
  const uint32_t stjerneAnfo = NyAnfo("*VIK");
  struct Sag {
    const char *navn;
    uint8_t fokus;
    std::vector<uint32_t> foer;  // chosen first, in this order
    uint32_t aktuel;
    UINT vk;
    bool ctrl, shift;
    std::vector<uint32_t> efter;
    int bip;
  };
  const std::vector<Sag> sager = {
      {"Space chooses a free row", FOCUS_AKTI, {akti[0]}, akti[1], VK_SPACE, false, false, {akti[0], akti[1]}, 0},
      {"Space unchooses a chosen row", FOCUS_AKTI, {akti[0], akti[1]}, akti[0], VK_SPACE, false, false, {akti[1]}, 0},
      {"a list of one takes the new row in place of the old", FOCUS_SKFA, {skfa}, fag2, VK_SPACE, false, false,
       {fag2}, 0},
      {"Esc empties the event's choices", FOCUS_AKTI, {akti[0], akti[2]}, akti[1], VK_ESCAPE, false, false, {}, 0},
      {"Esc with nothing chosen beeps", FOCUS_AKTI, {}, akti[1], VK_ESCAPE, false, false, {}, 1},
      {"Delete unchooses the current row", FOCUS_AKTI, {akti[0], akti[1]}, akti[1], VK_DELETE, false, false,
       {akti[0]}, 0},
      {"Delete on a free row beeps", FOCUS_AKTI, {akti[0]}, akti[1], VK_DELETE, false, false, {akti[0]}, 1},
      {"Ctrl+Shift+A chooses all but the starred rows and drops a chosen one", FOCUS_AKTI, {stjerne}, akti[0], 'A',
       true, true, {akti[0], akti[1], akti[2]}, 0},
      {"Ctrl+Shift+A skips a starred employee", FOCUS_ANFO, {}, anfo[0], 'A', true, true, {anfo[0], anfo[1], anfo[2]},
       0},
      {"Ctrl+Shift+C unchooses every row", FOCUS_ANFO, {anfo[0], stjerneAnfo}, anfo[1], 'C', true, true, {}, 0},
  };
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.navn);
    Liste(b, s.fokus);
    for (uint32_t r : s.foer) ASSERT_TRUE(VaelgRaekke(b, s.fokus, r));
    Aktuel(b, s.fokus, s.aktuel);
    const int bip = tavo::test::BeepCount();
    Tryk(b, s.vk, s.ctrl, s.shift);
    EXPECT_EQ(Valgte(b, s.fokus), s.efter);
    EXPECT_EQ(IEvent(s.fokus), s.efter);
    EXPECT_EQ(tavo::test::BeepCount() - bip, s.bip);
    // The next case starts from an empty event.
    Tryk(b, VK_ESCAPE);
    for (uint8_t k = FOCUS_AKTI; k <= FOCUS_LOKA; ++k) EXPECT_TRUE(Valgte(b, k).empty());
  }
  EXPECT_TRUE(tavo::test::MessageBoxesShown().empty());
}

TEST_F(BrikValg, ARowInARefusalStateOrBusyInACheckingRoleBeeps) {
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  Liste(b, FOCUS_AKTI);
  for (const uint8_t bit : {MAERKE_PERIODE, MAERKE_RINGSYSTEM, MAERKE_RING_UBRUGT, MAERKE_ANDEN_SORT, MAERKE_SKOLEFRI,
                            MAERKE_OPTAGET}) {
    SCOPED_TRACE(int(bit));
    b->Valg[FOCUS_AKTI].Maerker[akti[1]] |= bit;
    Aktuel(b, FOCUS_AKTI, akti[1]);
    const int bip = tavo::test::BeepCount();
    Tryk(b, VK_SPACE);
    EXPECT_TRUE(Valgte(b, FOCUS_AKTI).empty());
    EXPECT_EQ(tavo::test::BeepCount() - bip, 1);
    b->Valg[FOCUS_AKTI].Maerker[akti[1]] &= MAERKE_VALGT;
  }
  // A busy room whose kept room role does not check clashes may be chosen.
  LokrolleRec fri{};
  fri.id = 70, fri.Lokalerolle = 'F', fri.Status = 10, fri.Check_sammenfald = 'N';
  b->LokaRolle[loka[1]] = Ny(tdlokrolle, tvlokrolle, fri);
  Liste(b, FOCUS_LOKA);
  b->Valg[FOCUS_LOKA].Maerker[loka[1]] |= MAERKE_OPTAGET;
  EXPECT_TRUE(VaelgRaekke(b, FOCUS_LOKA, loka[1]));
  EXPECT_EQ(IEvent(FOCUS_LOKA), std::vector<uint32_t>{loka[1]});
  ASSERT_EQ(AktuelAVS.lokaAntal, 1u);
  EXPECT_EQ(AktuelAVS.lokrolleTab[0], b->LokaRolle[loka[1]]);
}

TEST_F(BrikValg, TypeAheadFindsTheFirstRowByLettersDigitsAndTheNationalLetters) {
  const uint32_t aeble = NyAkti("æble"), oeko = NyAkti("Øko"), aaen = NyAkti("åen");
  const uint32_t b3 = NyAkti("3b"), c3 = NyAkti("3c"), streg = NyAkti("x-1.2");
  struct Sag {
    const char *navn;
    std::vector<UINT> taster;
    uint32_t ventet;
  };
  const Sag sager[] = {
      {"æ", {VK_OEM_3}, aeble},
      {"ø finds Ø", {VK_OEM_7}, oeko},
      {"å", {VK_OEM_6}, aaen},
      {"a digit", {'3'}, b3},
      {"a second key narrows", {'3', 'C'}, c3},
      {"keypad digits", {VK_NUMPAD3, 'C'}, c3},
      {"'-' and '.'", {'X', VK_OEM_MINUS, '1', VK_OEM_PERIOD}, streg},
      {"a key that continues no name starts again", {'3', VK_OEM_3}, aeble},
  };
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  Liste(b, FOCUS_AKTI);
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.navn);
    Aktuel(b, FOCUS_AKTI, akti[1]);
    Tryk(b, VK_DOWN);  // clears the search text
    EXPECT_EQ(b->Valg[FOCUS_AKTI].Soegetekst[0], 0);
    for (UINT vk : s.taster) Tryk(b, vk);
    EXPECT_EQ(AktuelRec(b, FOCUS_AKTI), s.ventet);
  }
  // The number entry of Ctrl+digits is a buffer of its own.
  EXPECT_EQ(b->Valg[FOCUS_AKTI].Tastetekst[0], 0);
  EXPECT_TRUE(Valgte(b, FOCUS_AKTI).empty());
}

TEST_F(BrikValg, CtrlDeleteAndCtrlInsertMarkTheSubjectAndItsRelationsToTheChosenActivities) {
  Rec<AktiRec>(tvakti, akti[0])->Type[0] = 0;
  Tekst(Rec<AktiRec>(tvakti, akti[0])->Type, "HOLD");
  const uint32_t valgt = Skph(akti[0], skfa), andet = Skph(akti[1], skfa), skjult = Skph(akti[0], NyFag("EN"), 0);
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  Liste(b, FOCUS_AKTI);
  ASSERT_TRUE(VaelgRaekke(b, FOCUS_AKTI, akti[0]));
  Liste(b, FOCUS_SKFA);
  Aktuel(b, FOCUS_SKFA, skfa);
  Tryk(b, VK_DELETE, true);
  EXPECT_EQ(b->FagNiveau[skfa], 1);
  EXPECT_EQ(Rec<SkphRec>(tvskph, valgt)->SkygFaget, 1);
  EXPECT_EQ(Rec<SkphRec>(tvskph, andet)->SkygFaget, 0) << "its activity is not chosen";
  EXPECT_EQ(Rec<SkphRec>(tvskph, skjult)->SkygFaget, 0) << "another subject";
  EXPECT_TRUE(Valgte(b, FOCUS_SKFA).empty()) << "marking is not choosing";
  Tryk(b, VK_INSERT, true);
  EXPECT_EQ(b->FagNiveau[skfa], 0);
  EXPECT_EQ(Rec<SkphRec>(tvskph, valgt)->SkygFaget, 0);
}

TEST_F(BrikValg, EscInAChangeEmptiesOnlyThePartsTheChangeTakes) {
  Faelles f;
  f.id = 51, f.risy = ring, f.lektion = 1;
  const uint32_t forste =
      SkrivRaekker({{.akti = akti[0]}, {.anfo = anfo[0], .rol = laerer, .minut = 45}, {.loka = loka[0]}}, f);
  Ret(forste);
  gDele = "KL";
  skema_ = CreateWindowExA(0, "BrikValgLytter", "", WS_CHILD, 0, 0, 10, 10, hoved_, 0, 0, nullptr);
  vindue_ = CreateBrikIndWnd('L', skema_);
  BrikIndStruct *b = BrikIndWS(vindue_);
  ASSERT_TRUE(b);
  ASSERT_EQ(b->Mode, 'R');
  Liste(b, FOCUS_AKTI);
  Tryk(b, VK_ESCAPE);
  EXPECT_TRUE(IEvent(FOCUS_AKTI).empty());
  EXPECT_TRUE(IEvent(FOCUS_LOKA).empty());
  EXPECT_EQ(IEvent(FOCUS_ANFO), std::vector<uint32_t>{anfo[0]}) << "the employees are not part of the change";
  EXPECT_EQ(Valgte(b, FOCUS_ANFO), std::vector<uint32_t>{anfo[0]});
  EXPECT_EQ(AktuelAVS.skemarolTab[0], laerer);
  gDele = nullptr;
}

// ==================================================================== rules

TEST_F(BrikValg, AnActivityWithStudentsInCommonIsRefusedWhileTheCheckIsOn) {
  Elvrel2Rec par{};
  par.akti1_id = akti[1], par.akti2_id = akti[0], par.Startdato = 20240801, par.Slutdato = 20250731, par.Status = 10;
  Ny(tdelvrel2, tvelvrel2, par);
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  Liste(b, FOCUS_AKTI);
  ASSERT_TRUE(VaelgRaekke(b, FOCUS_AKTI, akti[0]));
  Aktuel(b, FOCUS_AKTI, akti[1]);
  Tryk(b, VK_SPACE);
  EXPECT_EQ(IEvent(FOCUS_AKTI), std::vector<uint32_t>{akti[0]});
  auto boxe = tavo::test::MessageBoxesShown();
  ASSERT_EQ(boxe.size(), 1u);
  EXPECT_EQ(boxe[0].caption, "Elevsammenfald på aktivitet.");
  EXPECT_EQ(boxe[0].text,
            "Aktiviteten kan ikke vælges, da der er elevsammenfald med valgt(e) aktivitet(er)!\n"
            "Vælg 'Check fra' for at gennemføre valget!");
  // An activity without a shared student is not asked about.
  Aktuel(b, FOCUS_AKTI, akti[2]);
  Tryk(b, VK_SPACE);
  EXPECT_EQ(tavo::test::MessageBoxesShown().size(), 1u);
  // Button 18 turns the check off; then the choice goes through.
  SendMessageA(b->hwnd, NYB_KLIK, KNAP_ELEVCHECK, 0);
  ASSERT_EQ(GlobalIndstillinger.checkelevsammenfald, 0);
  Aktuel(b, FOCUS_AKTI, akti[1]);
  Tryk(b, VK_SPACE);
  EXPECT_EQ(IEvent(FOCUS_AKTI), (std::vector<uint32_t>{akti[0], akti[1], akti[2]}));
  EXPECT_EQ(tavo::test::MessageBoxesShown().size(), 1u);
}

TEST_F(BrikValg, ASubjectWithALevelFollowsTheInstallationSetting) {
  const uint32_t niveau = NyFag("MA", 'A');
  Skph(akti[0], niveau);
  struct Sag {
    uint8_t indstilling;
    int svar;  // the answer to the question; 0 when none is asked
    bool valgt;
    const char *besked;
  };
  const Sag sager[] = {
      {0, 0, true, nullptr},
      {1, IDOK, true, "Fag med niveau!\nVil du vælge faget med niveau?"},
      {1, IDCANCEL, false, "Fag med niveau!\nVil du vælge faget med niveau?"},
      {2, 0, false, "Fag med niveau kan ikke vælges!"},
  };
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  for (const Sag &s : sager) {
    SCOPED_TRACE(std::to_string(s.indstilling) + " answered " + std::to_string(s.svar));
    GlobalIndstillinger.niveaufag = s.indstilling;
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    if (s.svar) tavo::test::AnswerNextDialog([&](const ShownDialog &) { return INT_PTR{s.svar}; });
    Liste(b, FOCUS_SKFA);
    Aktuel(b, FOCUS_SKFA, niveau);
    Tryk(b, VK_SPACE);
    EXPECT_EQ(IEvent(FOCUS_SKFA), s.valgt ? std::vector<uint32_t>{niveau} : std::vector<uint32_t>{});
    const auto boxe = tavo::test::MessageBoxesShown();
    ASSERT_EQ(boxe.size(), s.besked ? 1u : 0u);
    if (s.besked) {
      EXPECT_EQ(boxe[0].caption, "Valg af fag.");
      EXPECT_EQ(boxe[0].text, s.besked);
      EXPECT_EQ(boxe[0].type & 0xF, s.indstilling == 1 ? UINT{MB_OKCANCEL} : UINT{MB_OK});
    }
    Tryk(b, s.valgt ? VK_ESCAPE : VK_DOWN);
  }
}

// ==================================================================== dialogs

TEST_F(BrikValg, TheRoleDialogsKeepAChosenRoleForTheRowAndTheEvent) {
  SkemarolRec v{};
  v.id = 190, v.Status = 10;
  Tekst(v.Rolle, "V");
  const uint32_t vikar = Ny(tdskemarol, tvskemarol, v);
  LokrolleRec l1{}, l2{};
  l1.id = 71, l1.Lokalerolle = 'A', l1.Status = 10, l1.Check_sammenfald = 'J';
  l2.id = 72, l2.Lokalerolle = 'B', l2.Status = 10, l2.Check_sammenfald = 'J';
  const uint32_t rolleA = Ny(tdlokrolle, tvlokrolle, l1), rolleB = Ny(tdlokrolle, tvlokrolle, l2);
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  b->AnfoRolle[anfo[0]] = laerer;
  b->AnfoRolleLaast[anfo[0]] = 1;
  b->LokaRolle[loka[0]] = rolleA;
  Liste(b, FOCUS_ANFO);
  ASSERT_TRUE(VaelgRaekke(b, FOCUS_ANFO, anfo[0]));
  ASSERT_EQ(AktuelAVS.skemarolTab[0], laerer);
  Liste(b, FOCUS_LOKA);
  ASSERT_TRUE(VaelgRaekke(b, FOCUS_LOKA, loka[0]));

  struct Sag {
    const char *navn;
    uint8_t fokus;
    uint32_t rec;
    UINT tast;
    uint32_t ventet;
  };
  const Sag sager[] = {
      {"O on an employee", FOCUS_ANFO, anfo[0], 'O', vikar},
      {"R on a room", FOCUS_LOKA, loka[0], 'R', rolleB},
      {"O on a room not chosen", FOCUS_LOKA, loka[1], 'O', rolleA},
  };
  for (const Sag &s : sager) {
    SCOPED_TRACE(s.navn);
    Liste(b, s.fokus);
    Aktuel(b, s.fokus, s.rec);
    std::string valgtLinje;
    RECT plads{};
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      GetWindowRect(d.hwnd, &plads);
      HWND combo = Barn(d, "COMBOBOX");
      EXPECT_TRUE(combo);
      SetFocus(combo);
      dlgtest::Tast(d.hwnd, VK_DOWN);
      char linje[64] = {};
      SendMessageA(combo, CB_GETLBTEXT, SendMessageA(combo, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(linje));
      valgtLinje = linje;
      dlgtest::Tast(d.hwnd, VK_RETURN);
      return INT_PTR{0};
    });
    Tryk(b, s.tast);
    // The dialog lies over the row's cell in the detail pane.
    const DifValg &v = b->Valg[s.fokus];
    const POINT celle = tavo::test::ScreenPoint(
        b->hwndListe[1], 0, static_cast<int>((v.Aktuel - std::max<uint32_t>(v.FoersteSynlige, 1)) * kDifValgRaekkeHoejde));
    EXPECT_EQ(plads.left, celle.x);
    EXPECT_EQ(plads.top, celle.y);
    char ventetLinje[64];
    RolleLinje(s.fokus == FOCUS_ANFO ? 'M' : 'L', s.ventet, ventetLinje, sizeof ventetLinje);
    EXPECT_EQ(valgtLinje, ventetLinje);
    const uint32_t *roller = s.fokus == FOCUS_ANFO ? b->AnfoRolle : b->LokaRolle;
    EXPECT_EQ(roller[s.rec], s.ventet);
  }
  EXPECT_EQ(b->AnfoRolleLaast[anfo[0]], 1);
  ASSERT_EQ(AktuelAVS.anfoAntal, 1u);
  EXPECT_EQ(AktuelAVS.skemarolTab[0], vikar);
  ASSERT_EQ(AktuelAVS.lokaAntal, 1u);
  EXPECT_EQ(AktuelAVS.lokrolleTab[0], rolleB) << "a room not chosen leaves the event";
  // A room chosen later takes the role kept for it.
  ASSERT_TRUE(VaelgRaekke(b, FOCUS_LOKA, loka[1]));
  EXPECT_EQ(AktuelAVS.lokrolleTab[1], rolleA);
}

TEST_F(BrikValg, TheMinutesAndPriorityKeysNeedAnActivityAndThePriorityDialogStoresItsChoice) {
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  // M on an employee and P on an activity without a chosen activity: the
  // message, and no dialog opens.
  const struct {
    uint8_t fokus;
    uint32_t rec;
    UINT tast;
  } uden[] = {{FOCUS_ANFO, anfo[1], 'M'}, {FOCUS_AKTI, akti[1], 'P'}};
  for (const auto &u : uden) {
    SCOPED_TRACE(static_cast<char>(u.tast));
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
    Liste(b, u.fokus);
    Aktuel(b, u.fokus, u.rec);
    Tryk(b, u.tast);
    const auto boxe = tavo::test::MessageBoxesShown();
    ASSERT_EQ(boxe.size(), 1u);
    EXPECT_EQ(boxe[0].caption, "OBS!");
    EXPECT_EQ(boxe[0].text, "Der skal vælges en aktivitet før, der kan angives minutter.");
  }
  EXPECT_EQ(AktiPrioritetMinde, nullptr) << "nothing opened";
  EXPECT_EQ(b->AnfoMinut[anfo[1]], -1.0f);

  ASSERT_TRUE(VaelgRaekke(b, FOCUS_AKTI, akti[0]));
  Rec<AktiRec>(tvakti, akti[1])->Skema_prioritet = 1;
  Aktuel(b, FOCUS_AKTI, akti[1]);
  int vist = -1;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    HWND combo = Barn(d, "COMBOBOX");
    vist = static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
    SetFocus(combo);
    dlgtest::Tast(d.hwnd, VK_DOWN);
    dlgtest::Tast(d.hwnd, VK_RETURN);
    return INT_PTR{0};
  });
  gDataAendret = 0;
  Tryk(b, 'P');
  EXPECT_EQ(vist, 1) << "the activity's own priority";
  EXPECT_EQ(SkemaPrioritet(akti[1]), 2);
  EXPECT_EQ(gDataAendret, 1) << "a changed priority must reach the next save";
  // The record carries the new priority, as the priority window and the
  // export read it; the memory keeps the one it had.
  EXPECT_EQ(Rec<AktiRec>(tvakti, akti[1])->Skema_prioritet, 2);
  ASSERT_NE(AktiPrioritetMinde, nullptr);
  EXPECT_EQ(AktiPrioritetMinde[akti[1]], 1);
  EXPECT_EQ(AktiPrioritetMinde[akti[0]], INGEN_AKTI_PRIORITET);
}

TEST_F(BrikValg, ThePriorityTableGrowsWithTheActivityTable) {
  FrigivAktiPrioritetMinde();
  ASSERT_TRUE(SaetSkemaPrioritet(akti[0], 1));
  ASSERT_EQ(AktiPrioritetAntal, tvakti.wRecCnt);
  // An import adds activities while the window is open, more than the
  // table has room for.
  std::vector<uint32_t> nye;
  for (int i = 0; i < 40; ++i) nye.push_back(NyAkti("ny"));
  ASSERT_GT(tvakti.wRecCnt, AktiPrioritetAntal);
  const uint8_t hidtil = SkemaPrioritet(nye.back());
  EXPECT_TRUE(SaetSkemaPrioritet(nye.back(), hidtil == 2 ? 0 : 2));
  EXPECT_GE(AktiPrioritetAntal, tvakti.wRecCnt);
  EXPECT_EQ(SkemaPrioritet(nye.back()), hidtil == 2 ? 0 : 2);
  EXPECT_EQ(SkemaPrioritet(akti[0]), 1) << "kept through the growth";
  EXPECT_EQ(AktiPrioritetMinde[akti[0]], 0) << "the memory kept through the growth";
  EXPECT_EQ(AktiPrioritetMinde[nye.back()], hidtil);
  EXPECT_FALSE(SaetSkemaPrioritet(tvakti.wRecCnt, 1)) << "past the table";
  const uint8_t foer = SkemaPrioritet(akti[1]);
  EXPECT_FALSE(SaetSkemaPrioritet(akti[1], 3)) << "not a priority";
  EXPECT_EQ(SkemaPrioritet(akti[1]), foer);
}

TEST_F(BrikValg, TheRemarkDialogWritesARecordOfItsOwnAndTheEditedEventsLines) {
  // A change of an event whose remark other events may share.
  Faelles f;
  f.id = 51, f.risy = ring, f.lektion = 1, f.bem = bem;
  const uint32_t forste = SkrivRaekker({{.akti = akti[0]}}, f);
  Ret(forste);
  BrikIndStruct *b = Aabn();
  ASSERT_TRUE(b);
  ASSERT_EQ(b->Mode, 'R');
  const uint32_t foerAntal = tvbem.wRecCnt;

  const std::string lang(60, 'q');
  const struct {
    const char *navn;
    std::string skrevet, gemt;
  } sager[] = {{"a text", "Husk lommeregner", "Husk lommeregner"},
               {"cut to the field", lang, lang.substr(0, sizeof(BemRec::Betegnelse) - 1)}};
  std::string foerst;
  for (const auto &s : sager) {
    SCOPED_TRACE(s.navn);
    tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
      HWND edit = Barn(d, "EDIT");
      char buf[80] = {};
      GetWindowTextA(edit, buf, sizeof buf);
      if (foerst.empty()) foerst = buf;
      SendMessageA(edit, EM_SETSEL, 0, -1);
      dlgtest::Skriv(d.hwnd, s.skrevet.c_str());
      dlgtest::Tast(d.hwnd, VK_RETURN);
      return INT_PTR{0};
    });
    Tryk(b, 'B', false, false, true);
    const uint32_t rec = AktuelAVS.bem_id;
    EXPECT_NE(rec, bem);
    EXPECT_EQ(rec, b->BemLavet);
    const BemRec *r = Rec<BemRec>(tvbem, rec);
    EXPECT_EQ(std::string(r->Betegnelse, strnlen(r->Betegnelse, sizeof r->Betegnelse)), s.gemt);
    // The changed event shows the remark in lines of the remark column.
    ASSERT_GE(AktuelAVS.bemAntal, 1u);
    EXPECT_EQ(std::string(AktuelAVS.bemTab[0]), s.gemt.substr(0, 20));
  }
  EXPECT_EQ(foerst, kBemTekst) << "the dialog opens on the event's remark";
  EXPECT_EQ(tvbem.wRecCnt, foerAntal + 1) << "one record made, then reused";
  EXPECT_STREQ(Rec<BemRec>(tvbem, bem)->Betegnelse, kBemTekst) << "the shared remark is untouched";
}

// ==================================================================== window

TEST_F(BrikValg, AWindowWhoseChildCannotBeMadeIsFreedOnce) {
  ASSERT_TRUE(UnregisterClassA("TabWndClass", 0));
  skema_ = CreateSkemaWnd(0, hoved_, hoved_, SKE_AKTI, 0, 0, 800, 600, 0, nullptr, 'L', 'L', 'N', 'S', 'V', 0, 1, 0,
                          40001);
  // Under the sanitizers a second free or a read of the freed workspace
  // ends the test here.
  EXPECT_EQ(CreateBrikIndWnd('L', skema_), HWND{0});
  Klasse("TabWndClass", TabWndProc);
  EXPECT_TRUE(Aabn());
}

}  // namespace
