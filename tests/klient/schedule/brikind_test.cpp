// The entry window's helpers: editing an event's participant lists, the
// roles a new participant is proposed, the focus chain of ini\return.ini and
// which lists are open.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#include "BRIKIND.h"
#include "AKTICHK.h"
#include "FINDREC.h"
#include "FOKUSKAEDE.h"
#include "PROGVINDUER.h"
#include "ROLLEFORSLAG.h"
#include "beg_fixture.h"
#include "tavo/test_dialog.h"

namespace {

using namespace begtest;
using predtest::Rec;

template <class T>
std::vector<T> Liste(const T *p, uint32_t n) {
  return p ? std::vector<T>(p, p + n) : std::vector<T>();
}

class EntryHjaelp : public BegMappe {
 protected:
  void SetUp() override {
    BegMappe::SetUp();
    for (int i = 0; i < kRolleForslagAntal; ++i) RolleForslagene[i] = 100 + i;
    b = BrikIndStruct{};
    b.Mode = 'B';
    b.Visning = 'L';
  }
  void TearDown() override {
    for (auto &r : RolleForslagene) r = 0;
    BegMappe::TearDown();
  }
  BrikIndStruct b{};
};

// ==================================================================== editing

struct Op {
  enum { Tilfoej, Fjern, Rolle } hvad;
  char bogstav;
  int id;  // index into the fixture's objects (+1), 0 for id 0, -1 the risy/skfa/bem
  uint32_t rolle = 0;
  float minut = 0;
};

TEST_F(EntryHjaelp, PropertySetEditingTable) {
  Rec<AktiRec>(tvakti, akti[0])->risy_id = risy;
  Rec<AktiRec>(tvakti, akti[1])->risy_id = 999;
  struct Forventet {
    std::vector<uint32_t> akti, anfo, rol;
    std::vector<float> minut;
    std::vector<uint32_t> loka, lokrolle;
    uint32_t risy, skfa, bem;
  };
  struct Tilfaelde {
    const char *navn;
    char placering;
    std::vector<Op> ops;
    Forventet f;
  };
  const uint32_t a0 = akti[0], a1 = akti[1], a2 = akti[2], m0 = anfo[0], m1 = anfo[1], m2 = anfo[2], l0 = loka[0],
                 l1 = loka[1], l2 = loka[2];
  auto obj = [&](char bogstav, int i) -> uint32_t {
    if (i == 0) return 0;
    switch (bogstav) {
      case 'K':
        return akti[i - 1];
      case 'M':
        return anfo[i - 1];
      case 'L':
        return loka[i - 1];
      case 'R':
        return risy;
      case 'U':
        return skfa;
      case '-':
        return bem;
      default:
        return 7;
    }
  };
  const Tilfaelde tab[] = {
      {"first activity in lesson mode sets the ring system", 'L',
       {{Op::Tilfoej, 'K', 1}, {Op::Tilfoej, 'K', 2}},
       {{a0, a1}, {}, {}, {}, {}, {}, risy, 0, 0}},
      {"not in time mode", 'T', {{Op::Tilfoej, 'K', 1}}, {{a0}, {}, {}, {}, {}, {}, 0, 0, 0}},
      {"id 0 is ignored", 'L',
       {{Op::Tilfoej, 'K', 0}, {Op::Tilfoej, 'M', 0, 5, 1}, {Op::Tilfoej, 'L', 0, 5}, {Op::Tilfoej, 'U', 0}},
       {{}, {}, {}, {}, {}, {}, 0, 0, 0}},
      {"an employment added twice stands twice", 'L',
       {{Op::Tilfoej, 'M', 1, 11, 45}, {Op::Tilfoej, 'M', 1, 12, 30}, {Op::Rolle, 'M', 1, 13}},
       {{}, {m0, m0}, {11, 13}, {45, 30}, {}, {}, 0, 0, 0}},
      {"removal from the middle closes every parallel list", 'L',
       {{Op::Tilfoej, 'M', 1, 11, 10},
        {Op::Tilfoej, 'M', 2, 12, 20},
        {Op::Tilfoej, 'M', 3, 13, 30},
        {Op::Fjern, 'M', 2},
        {Op::Tilfoej, 'L', 1, 21},
        {Op::Tilfoej, 'L', 2, 22},
        {Op::Tilfoej, 'L', 3, 23},
        {Op::Fjern, 'L', 2},
        {Op::Tilfoej, 'K', 1},
        {Op::Tilfoej, 'K', 2},
        {Op::Tilfoej, 'K', 3},
        {Op::Fjern, 'K', 2}},
       {{a0, a2}, {m0, m2}, {11, 13}, {10, 30}, {l0, l2}, {21, 23}, risy, 0, 0}},
      {"removing the last activity empties the part", 'L',
       {{Op::Tilfoej, 'K', 2}, {Op::Fjern, 'K', 2}, {Op::Fjern, 'K', 1}},
       {{}, {}, {}, {}, {}, {}, 999, 0, 0}},
      {"room role set, missing entries left alone", 'L',
       {{Op::Tilfoej, 'L', 2, 21}, {Op::Rolle, 'L', 2, 29}, {Op::Rolle, 'L', 3, 30}, {Op::Fjern, 'L', 1}},
       {{}, {}, {}, {}, {l1}, {29}, 0, 0, 0}},
      {"ring system, subject and remark set and cleared", 'T',
       {{Op::Tilfoej, 'R', -1},
        {Op::Tilfoej, 'U', -1},
        {Op::Tilfoej, '-', -1},
        {Op::Fjern, 'R', -1},
        {Op::Tilfoej, 'K', 1}},
       {{a0}, {}, {}, {}, {}, {}, 0, skfa, bem}},
  };
  (void)m1;
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    CleanupAVS(&avs);
    avs.Placering = t.placering;
    for (const Op &o : t.ops) {
      const uint32_t id = o.id < 0 ? obj(o.bogstav, 1) : obj(o.bogstav, o.id);
      if (o.hvad == Op::Tilfoej)
        AddAVSEgenskab(&avs, o.bogstav, id, o.rolle, o.minut);
      else if (o.hvad == Op::Fjern)
        FjernAVSEgenskab(&avs, o.bogstav, id);
      else
        SetAVSRolle(&avs, o.bogstav, id, o.rolle);
    }
    EXPECT_EQ(Liste(avs.aktiTab, avs.aktiAntal), t.f.akti);
    EXPECT_EQ(Liste(avs.anfoTab, avs.anfoAntal), t.f.anfo);
    EXPECT_EQ(Liste(avs.skemarolTab, avs.anfoAntal), t.f.rol);
    EXPECT_EQ(Liste(avs.minutTab, avs.anfoAntal), t.f.minut);
    EXPECT_EQ(Liste(avs.lokaTab, avs.lokaAntal), t.f.loka);
    EXPECT_EQ(Liste(avs.lokrolleTab, avs.lokaAntal), t.f.lokrolle);
    EXPECT_EQ(+avs.risy_id, t.f.risy);
    EXPECT_EQ(+avs.skfa_id, t.f.skfa);
    EXPECT_EQ(+avs.bem_id, t.f.bem);
    if (t.f.akti.empty()) { EXPECT_EQ(avs.aktiTab, nullptr); }
  }
  CleanupAVS(&avs);
  AddAVSEgenskab(&avs, 'M', m0, 1, 0);
  AddAVSEgenskab(&avs, 'M', m1, 1, 0);
  AddAVSEgenskab(&avs, 'M', m0, 1, 0);
  EXPECT_EQ(FindAVSIndeks(&avs, 'M', m0), 3u);
  EXPECT_EQ(FindAVSIndeks(&avs, 'M', m1), 2u);
  EXPECT_EQ(FindAVSIndeks(&avs, 'M', m2), 0u);
  EXPECT_EQ(FindAVSIndeks(&avs, 'U', skfa), 0u);
}

// ==================================================================== roles

LRESULT CALLBACK DatoRude(HWND h, UINT msg, WPARAM w, LPARAM l) {
  static int *taeller = nullptr;
  if (msg == WM_CREATE) taeller = static_cast<int *>(reinterpret_cast<CREATESTRUCTA *>(l)->lpCreateParams);
  if (msg == 1931 && taeller) ++*taeller;
  return DefWindowProcA(h, msg, w, l);
}

TEST_F(EntryHjaelp, RoleProposalTable) {
  MedaRec m{};
  m.id = 5900;
  Tekst(m.Initialer, "*VIK");
  m.Status = 10;
  AnfoRec f{};
  f.id = 6900;
  f.meda_id = Ny(tdmeda, tvmeda, m);
  f.Status = 10;
  const uint32_t stjerneAnfo = Ny(tdanfo, tvanfo, f);
  Tekst(m.Initialer, "#VIK");
  f.meda_id = Ny(tdmeda, tvmeda, m);
  const uint32_t hashAnfo = Ny(tdanfo, tvanfo, f);
  Tekst(Rec<AktiRec>(tvakti, akti[1])->Aktivitet, "*fri");
  Tekst(Rec<AktiRec>(tvakti, akti[2])->Type, "OVAK");
  // The teacher of the subject on activity 0 is employment 1.
  SkphRec p{};
  p.akti_id = akti[0];
  p.skfa_id = skfa;
  p.Status = 10;
  p.Akkord = 'J';
  Ny(tdskph, tvskph, p);
  SortTab(&tdskph, &tvskph);
  FagfordlRec fd{};
  fd.id = 1;
  fd.Status = 10;
  fd.anfo_id = anfo[1];
  fd.akti_id = akti[0];
  fd.skfa_id = skfa;
  fd.Fradato = 19000101;
  fd.Tildato = 20991231;
  Rec<SkfaRec>(tvskfa, skfa)->forste_fagfordl = Ny(tdfagfordl, tvfagfordl, fd);

  WNDCLASSA wc{};
  wc.lpfnWndProc = DatoRude;
  wc.lpszClassName = "TestDatoRude1931";
  RegisterClassA(&wc);
  int datoBeskeder = 0;
  hDatoVindue = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, &datoBeskeder);

  struct Tilfaelde {
    const char *navn;
    char art;
    int akti;  // fixture activity index, -1 none
    uint32_t anfo;
    uint32_t antal;
    char placering;
    uint8_t skphakkord;
    bool medFag;
    int forslag;  // -1: role 0
  };
  const Tilfaelde tab[] = {
      {"initials with *", 'A', 0, stjerneAnfo, 0, 'L', 1, false, RF_STJERNE_ANFO},
      {"initials with #", 'S', 0, hashAnfo, 1, 'L', 1, false, RF_STJERNE_ANFO},
      {"time off in lieu", 'A', 0, anfo[0], 0, 'L', 1, false, RF_AFSP},
      {"holiday", 'F', 0, anfo[0], 0, 'L', 1, false, RF_FER},
      {"special holiday", 'H', 0, anfo[0], 0, 'L', 1, false, RF_SFER},
      {"care", 'O', 0, anfo[0], 0, 'L', 1, false, RF_OMS},
      {"sickness", 'Y', 0, anfo[0], 0, 'L', 1, false, RF_SYG},
      {"special schedule", 'P', 0, anfo[0], 0, 'L', 1, false, -1},
      {"teacher by the subject link", 'S', 0, anfo[0], 1, 'L', 1, true, RF_AKKO},
      {"teacher by the distribution", 'S', 0, anfo[1], 1, 'L', 0, true, RF_AKKO},
      {"no distribution for this employee", 'S', 0, anfo[0], 1, 'L', 0, true, RF_XANFO},
      {"no activity", 'S', -1, anfo[0], 0, 'L', 1, false, RF_STJERNE_OVAK},
      {"activity with *", 'S', 1, anfo[0], 0, 'L', 1, false, RF_STJERNE_OVAK},
      {"first employee on a class", 'S', 0, anfo[0], 0, 'L', 1, false, RF_ANFO},
      {"further employee on a class", 'S', 0, anfo[0], 2, 'L', 1, false, RF_XANFO},
      {"absence activity, whole day", 'S', 2, anfo[0], 0, 'D', 1, false, RF_DAG},
      {"absence activity by lesson", 'S', 2, anfo[0], 1, 'L', 1, false, RF_OVAK},
  };
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    CleanupAVS(&avs);
    avs.Art = t.art;
    avs.Placering = t.placering;
    if (t.akti >= 0) AddAVSEgenskab(&avs, 'K', akti[t.akti], 0, 0);
    if (t.medFag) AddAVSEgenskab(&avs, 'U', skfa, 0, 0);
    GlobalIndstillinger.skphakkord = t.skphakkord;
    datoBeskeder = 0;
    const uint32_t forventet = t.forslag < 0 ? 0 : 100 + t.forslag;
    EXPECT_EQ(RolleForslagMedarbejder(&avs, t.anfo, t.antal), forventet);
    EXPECT_EQ(datoBeskeder, t.art == 'P' ? 1 : 0);
    // Through the kind letter the event's own employment count is used.
    if (t.antal == avs.anfoAntal) { EXPECT_EQ(RolleForslag(&avs, 'M', t.anfo), forventet); }
  }
  DestroyWindow(hDatoVindue);
  hDatoVindue = 0;

  Tekst(Rec<LokaRec>(tvloka, loka[1])->Lokalenr, "*ude");
  EXPECT_EQ(RolleForslag(&avs, 'L', loka[0]), 100u + RF_LOKA);
  EXPECT_EQ(RolleForslag(&avs, 'L', loka[1]), 100u + RF_STJERNE_LOKA);
  EXPECT_EQ(RolleForslag(&avs, 'L', 99999), 100u + RF_LOKA);
  EXPECT_EQ(RolleForslag(&avs, 'A', anfo[0]), 0u);
  EXPECT_EQ(RolleForslag(&avs, 'K', akti[0]), 0u);
}

// ==================================================================== proposed roles

TEST_F(EntryHjaelp, SwitchToProposedRoles) {
  const uint32_t u = Rolle({"U"}), bundet = Rolle({"SP", "", "810"});
  for (int i = 0; i < kRolleForslagAntal; ++i) RolleForslagene[i] = Rolle({"R"});
  uint32_t roller[8] = {};
  float minut[8] = {};
  uint8_t laastFlag[8] = {}, maerker[8] = {};
  b.AnfoRolle = roller;
  b.AnfoMinut = minut;
  b.AnfoRolleLaast = laastFlag;
  b.AnfoPladser = 8;
  b.Valg[FOCUS_ANFO].Maerker = maerker;
  b.Valg[FOCUS_ANFO].AntalMaerker = 8;
  b.RolleOptager = 1;
  auto byg = [&] {
    CleanupAVS(&AktuelAVS);
    AktuelAVS.Art = 'S';
    AddAVSEgenskab(&AktuelAVS, 'K', akti[0], 0, 0);
    AddAVSEgenskab(&AktuelAVS, 'M', anfo[0], laerer, 45);
    AddAVSEgenskab(&AktuelAVS, 'M', anfo[1], bundet, -1);
    AddAVSEgenskab(&AktuelAVS, 'M', anfo[2], u, 30);
    minut[anfo[1]] = 20;
  };
  auto roll = [&] { return Liste(AktuelAVS.skemarolTab, AktuelAVS.anfoAntal); };
  auto anfoListe = [&] { return Liste(AktuelAVS.anfoTab, AktuelAVS.anfoAntal); };

  // A changed role would leave the busy employee occupied: nothing changes.
  byg();
  maerker[anfo[2]] = MAERKE_OPTAGET;
  tavo::test::StartDialogScript();
  SkiftTilForslagsRoller(&b);
  EXPECT_EQ(roll(), (std::vector<uint32_t>{laerer, bundet, u}));
  auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Rolleskift ikke OK");
  EXPECT_EQ(bokse[0].text,
            "Der kunne ikke skiftes til forslagsrollerne, idet mindst en medarbejderen så vil være optaget");
  EXPECT_EQ(bokse[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  tavo::test::StopDialogScript();

  // Free: the first employee on the class gets its proposal, the bound role
  // stays, the third is a further employee; minutes stay, a missing one from
  // the window's table.
  maerker[anfo[2]] = 0;
  byg();
  SkiftTilForslagsRoller(&b);
  const uint32_t foerste = RolleForslagene[RF_ANFO], ekstra = RolleForslagene[RF_XANFO];
  EXPECT_EQ(roll(), (std::vector<uint32_t>{foerste, bundet, ekstra}));
  EXPECT_EQ(Liste(AktuelAVS.minutTab, AktuelAVS.anfoAntal), (std::vector<float>{45, 20, 30}));
  EXPECT_EQ(roller[anfo[2]], ekstra);

  // A locked employee keeps its role, and the employees with role "U" then
  // come first.
  byg();
  laastFlag[anfo[2]] = 1;
  SkiftTilForslagsRoller(&b);
  EXPECT_EQ(anfoListe(), (std::vector<uint32_t>{anfo[2], anfo[0], anfo[1]}));
  EXPECT_EQ(roll(), (std::vector<uint32_t>{u, foerste, bundet}));
  CleanupAVS(&AktuelAVS);
}

// ==================================================================== display mode and window helpers

TEST_F(EntryHjaelp, DisplayModeSlotPicksItsViewByLetter) {
  VisningsTilstandRec gemt[kAntalVisninger];
  std::memcpy(gemt, VisningsTilstand, sizeof gemt);
  VisningsTilstandFor('L').Ugedag = 1;
  VisningsTilstandFor('D').Ugedag = 3;
  VisningsTilstandFor('T').Ugedag = 5;
  const Uge uge = IndeksTilUge(SkemaPeriode.AktuelUgeIndeks);
  struct {
    char visning;
    uint8_t slot, ugedag;
  } tab[] = {{'L', 0, 1}, {'D', 1, 3}, {'T', 2, 5}};
  for (const auto &t : tab) {
    SCOPED_TRACE(t.visning);
    b.Visning = t.visning;
    AktuelAVS.Nul = 9;
    SaetVisningsTilstand(&b);
    EXPECT_EQ(+AktuelAVS.Nul, t.slot);
    EXPECT_EQ(AVSOptaelDato(&AktuelAVS), UgeDagTilDato(uge, t.ugedag));
  }
  std::memcpy(VisningsTilstand, gemt, sizeof gemt);
  CleanupAVS(&AktuelAVS);
}

// Records the messages a window gets, by id.
std::vector<std::pair<HWND, UINT>> *gBeskeder = nullptr;
LRESULT CALLBACK Optager(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if (gBeskeder && msg >= WM_USER) gBeskeder->push_back({h, msg});
  return DefWindowProcA(h, msg, w, l);
}

TEST_F(EntryHjaelp, FocusButtonsTitleResetAndEnd) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Optager;
  wc.lpszClassName = "EntryHjaelpOptager";
  RegisterClassA(&wc);
  auto ny = [&] { return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, nullptr); };
  std::vector<std::pair<HWND, UINT>> beskeder;
  gBeskeder = &beskeder;

  for (auto &k : b.hwndFokusKnapper) k = ny();
  std::memset(b.Aaben, 0, sizeof b.Aaben);
  b.Aaben[FOCUS_ANFO] = 1;
  b.AktuelListe = FOCUS_ANFO;
  VisFokusKnapper(&b);
  for (int k = 0; k < kAntalDifValg; ++k) {
    SCOPED_TRACE(k);
    std::vector<UINT> fik;
    for (auto [h, m] : beskeder)
      if (h == b.hwndFokusKnapper[k]) fik.push_back(m);
    EXPECT_EQ(fik, (std::vector<UINT>{k == FOCUS_ANFO ? TAB_ENABLE : TAB_DISABLE, TAB_SELECT}));
  }
  for (auto &k : b.hwndFokusKnapper) DestroyWindow(k);

  // The title goes back only when a temporary mode was on.
  HWND gemtHoved = hwndHoved;
  hwndHoved = ny();
  SetWindowTextA(hwndHoved, "Vis kun");
  EXPECT_FALSE(ResetTavoSkemaTitel());
  MarkeringsTilstand = 1;
  EXPECT_TRUE(ResetTavoSkemaTitel());
  EXPECT_EQ(MarkeringsTilstand, 0);
  char titel[32] = {};
  GetWindowTextA(hwndHoved, titel, sizeof titel);
  EXPECT_STREQ(titel, "TAVO-skema");

  // The end tells the main window and the schedule window.
  beskeder.clear();
  auto *w = static_cast<BrikIndStruct *>(std::calloc(1, sizeof(BrikIndStruct)));
  w->hwndEjer = hwndHoved;
  w->hwndSkema = ny();
  w->hwndBoern[0] = ny();
  HWND barn = w->hwndBoern[0], skema = w->hwndSkema;
  w->Valg[FOCUS_AKTI].ObjTab = static_cast<uint32_t *>(std::calloc(4, sizeof(uint32_t)));
  w->AnfoRolle = static_cast<uint32_t *>(std::calloc(4, sizeof(uint32_t)));
  FreeEntryWindow(w);
  EXPECT_FALSE(IsWindow(barn));
  EXPECT_NE(std::find(beskeder.begin(), beskeder.end(), std::pair(hwndHoved, HOVED_INPUT_LUKKET)), beskeder.end());
  EXPECT_NE(std::find(beskeder.begin(), beskeder.end(), std::pair(skema, DATA_AENDRET)), beskeder.end());
  gBeskeder = nullptr;
  DestroyWindow(skema);
  DestroyWindow(hwndHoved);
  hwndHoved = gemtHoved;
}

TEST_F(EntryHjaelp, ColumnButtonsFollowTheFieldLayout) {
  FrigivSwitchTab();
  // Two fields of activities: 2 + 5 x 8 = 42 and 2 + 3 x 8 = 26 pixels.
  char linjer[] = "[ObjectSwitchField]\n20,K,0,1,0,2,0,0,5,0,0,S,0\n20,K,0,2,0,2,0,0,3,0,0,S,0\n";
  FILE *f = fmemopen(linjer, std::strlen(linjer), "r");
  int sektion = 0;
  switch_intern::LaesLayoutFil(f, "TavoSwt.ini", &sektion);
  std::fclose(f);
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = "EntryHjaelpKnap";
  RegisterClassA(&wc);
  auto ny = [&] { return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 5, 5, 0, 0, 0, nullptr); };
  for (int i = 0; i < 3; ++i) b.hwndKolonneKnapper[i] = ny();
  b.hwndReserveHoved = ny();
  b.AktuelListe = FOCUS_AKTI;
  b.Valg[FOCUS_AKTI].Bogstav = 'K';
  b.Valg[FOCUS_AKTI].SwitchArt = 20;
  struct {
    int hoejre;
    bool reserve;
  } tab[] = {{200, true}, {60, false}};
  for (const auto &t : tab) {
    SCOPED_TRACE(t.hoejre);
    b.BoernRekt[BARN_LISTE] = {10, 40, t.hoejre, 300};
    PlacerKolonneKnapper(&b);
    RECT r0, r1, rr;
    GetWindowRect(b.hwndKolonneKnapper[0], &r0);
    GetWindowRect(b.hwndKolonneKnapper[1], &r1);
    EXPECT_EQ(std::vector<LONG>({r0.left, r0.top, r0.right - r0.left, r0.bottom - r0.top}),
              std::vector<LONG>({10, 24, 42, 16}));
    EXPECT_EQ(std::vector<LONG>({r1.left, r1.right - r1.left}), std::vector<LONG>({52, 26}));
    EXPECT_TRUE(IsWindowVisible(b.hwndKolonneKnapper[1]));
    EXPECT_FALSE(IsWindowVisible(b.hwndKolonneKnapper[2]));
    EXPECT_EQ(IsWindowVisible(b.hwndReserveHoved) != 0, t.reserve);
    if (t.reserve) {
      GetWindowRect(b.hwndReserveHoved, &rr);
      EXPECT_EQ(std::vector<LONG>({rr.left, rr.right - rr.left}), std::vector<LONG>({78, 122}));
    }
  }
  for (HWND h : b.hwndKolonneKnapper)
    if (h) DestroyWindow(h);
  DestroyWindow(b.hwndReserveHoved);
  FrigivSwitchTab();
}

// ==================================================================== focus

std::string Kaede(const BrikIndStruct &b) {
  std::string s = std::to_string(b.FoersteFokusArt) + ":";
  for (int k = 0; k < kAntalFokus; ++k) s += " " + std::to_string(b.FokusNaeste[k]);
  return s;
}

TEST_F(EntryHjaelp, FocusChainFromReturnIni) {
  //                              0 1 2 3 4 5 6 7 8 9 10 11 12 13 14
  const std::string standard = "0: 1 2 3 4 5 6 7 8 9 9 9 9 9 9 9";
  struct {
    const char *navn;
    const char *fil;  // null: no file
    std::string indhold;
    std::string kaede;
  } tab[] = {
      {"no file", nullptr, "", standard},
      {"anfo and akti only", "", "anfo\r\nakti\r\n", standard},
      {"full ordering", "",
       "anfo\r\nAKTI=1\r\nunknown\r\nloka\r\nskfa\r\nlektion\r\nbem\r\n",
       //  0 1 2 3 4 5 6 7 8 9 10 11 12 13 14
       "2: 3 6 0 1 4 9 7 8 6 9 9 9 9 9 9"},
      {"a line is read to its first 512 characters", "",
       "akti\n" + std::string(511, 'x') + "loka\n" + std::string(512, 'x') + "loka\nskfa\nanfo\nlektion\nloka" +
           std::string(600, 'x') + "\n",
       "0: 1 2 6 9 4 9 7 8 6 9 9 9 9 9 9"},
      {"no room named", "", "akti\nskfa\nanfo\nlektion\n", standard},
  };
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    std::filesystem::remove(rod / "ini" / "return.ini");
    if (t.fil) std::ofstream(rod / "ini" / "return.ini", std::ios::binary) << t.indhold;
    BrikIndStruct x{};
    LaesFokusRaekkefoelge(&x);
    EXPECT_EQ(Kaede(x), t.kaede);
  }
}

// The walk ends when the file links the kinds into a loop and every list is
// filled; it runs under a time-out so a hang fails instead of stalling.
TEST_F(EntryHjaelp, FocusWalkEndsOnALoop) {
  std::ofstream(rod / "ini" / "return.ini", std::ios::binary)
      << "akti\nskfa\nakti\nanfo\nloka\nlektion\nanfo\nakti\n";
  LaesFokusRaekkefoelge(&b);
  ASSERT_EQ(Kaede(b), "0: 1 0 3 6 4 9 7 8 6 9 9 9 9 9 9");
  struct {
    const char *navn;
    uint8_t aaben, udfyldt;
    uint8_t svar;
  } tab[] = {
      {"every list open and filled: the first open one", 1, 1, 0},
      {"every list closed", 0, 1, FOKUS_SLUT},
      {"open and empty", 1, 0, 0},
  };
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    std::memset(b.Aaben, t.aaben, sizeof b.Aaben);
    std::memset(b.Udfyldt, t.udfyldt, sizeof b.Udfyldt);
    auto svar = std::async(std::launch::async, [this] { return std::pair(NaesteFokus(&b), FoersteFokus(&b)); });
    if (svar.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
      ADD_FAILURE() << "the focus walk does not end";
      std::_Exit(1);
    }
    const auto [n, f] = svar.get();
    EXPECT_EQ(n, t.svar);
    EXPECT_EQ(f, t.svar);
  }
}

TEST_F(EntryHjaelp, FocusWalkStopsAtTheFirstOpenEmptyKind) {
  LaesFokusRaekkefoelge(&b);  // the default chain
  std::memset(b.Aaben, 1, sizeof b.Aaben);
  b.Udfyldt[FOCUS_AKTI] = b.Udfyldt[FOCUS_SKFA] = 1;
  EXPECT_EQ(FoersteFokus(&b), FOCUS_ANFO);
  b.Aaben[FOCUS_ANFO] = b.Aaben[FOCUS_LOKA] = b.Aaben[FOCUS_RISY] = b.Aaben[FOCUS_SPESKE] = 0;
  b.TidFelt = FOKUS_TID2;
  EXPECT_EQ(FoersteFokus(&b), FOKUS_TID2);  // the lesson maps to the current time field
  // Changing marked events: an unchosen ring system stops the walk though
  // its list is closed.
  b.Mode = 'R';
  EXPECT_EQ(FoersteFokus(&b), FOCUS_RISY);
}

// ==================================================================== open lists

std::string AabneFelter(const BrikIndStruct &b) {
  std::string s;
  const char navn[kAntalFokus + 1] = "KUMLR/6789abcdB";
  for (int k = 0; k < kAntalFokus; ++k)
    if (b.Aaben[k]) s += navn[k];
  return s;
}

TEST_F(EntryHjaelp, OpenListsTable) {
  Tekst(Rec<AktiRec>(tvakti, akti[1])->Type, "HOLD");
  Tekst(Rec<AktiRec>(tvakti, akti[2])->Type, "IVAK");
  struct {
    const char *navn;
    char art;
    char visning;
    int akti;  // -1 none, 99 one outside the table
    char mode;
    const char *dele;
    const char *aabne;
  } tab[] = {
      {"new ordinary event by lesson", 'S', 'L', -1, 'B', "", "KUMLR69abcdB"},
      {"days", 'S', 'D', -1, 'B', "", "KUML789abcdB"},
      {"time", 'S', 'T', -1, 'B', "", "KUML789abcdB"},
      {"an ordinary activity closes subject and ring system", 'S', 'L', 0, 'B', "", "KML69abcdB"},
      {"a class keeps the subject", 'S', 'L', 1, 'B', "", "KUML69abcdB"},
      {"IVAK keeps the subject", 'S', 'L', 2, 'B', "", "KUML69abcdB"},
      {"an activity outside the table closes the subject too", 'S', 'L', 99, 'B', "", "KML69abcdB"},
      {"care", 'O', 'L', -1, 'B', "", "MR69abcdB"},
      {"time off", 'A', 'D', -1, 'B', "", "M789abcdB"},
      {"holiday", 'F', 'L', -1, 'B', "", "KMR69abcdB"},
      {"sickness", 'Y', 'L', -1, 'B', "", "KMR69abcdB"},
      {"special holiday", 'H', 'T', -1, 'B', "", "KM789abcdB"},
      {"special schedule", 'P', 'L', -1, 'B', "", "MR/69abcdB"},
      {"changing employees and rooms", 'S', 'L', -1, 'R', "ML", "ML69abcdB"},
      {"changing activity and subject", 'S', 'L', 1, 'R', "KS", "KU69abcdB"},
  };
  for (const auto &t : tab) {
    SCOPED_TRACE(t.navn);
    CleanupAVS(&AktuelAVS);
    AktuelAVS.Art = t.art;
    if (t.akti >= 0) {
      const uint32_t id = t.akti == 99 ? 99999 : akti[t.akti];
      AktuelAVS.aktiTab = static_cast<uint32_t *>(std::malloc(sizeof(uint32_t)));
      AktuelAVS.aktiTab[0] = id;
      AktuelAVS.aktiAntal = 1;
    }
    b.Visning = t.visning;
    b.Mode = t.mode;
    char dele[8];
    std::snprintf(dele, sizeof dele, "%s", t.dele);
    b.Dele = dele;
    AabneLister(&b);
    EXPECT_EQ(AabneFelter(b), t.aabne);
    b.Dele = nullptr;
  }
  CleanupAVS(&AktuelAVS);
}

}  // namespace
