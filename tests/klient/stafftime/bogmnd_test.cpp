// The month posting pane and the edit rules of the posting window: the
// refusals in their order with their texts, the hours cell's commit, moving
// and copying postings through the posting value buffer, the budget lock on
// a changed posting, the days of a month, and the whole road of one posting
// typed into the pane.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

#include "KROGE.h"
#include "AKTICHK.h"
#include "BOGMND.h"
#include "EDITBOX.h"
#include "OPTAEL.h"
#include "PROGVINDUER.h"
#include "TALTAB.h"
#include "TIMOAK.h"
#include "VALG.h"
#include "VEDLIGE.h"
#include "bog_fixture.h"
#include "tavo/test_dialog.h"
#include "tavo/test_gdi.h"

namespace {

using namespace bogtest;
using namespace skoletest;
namespace tt = tavo::test;

struct Advarsel {
  std::string tekst, titel;
};
std::vector<Advarsel> Advarsler;
void GemAdvarsel(bool, const char *tekst, const char *titel) { Advarsler.push_back({tekst, titel}); }

// One live posting as the test compares them.
using PostNoegle = std::tuple<uint32_t, uint32_t, Dato, int32_t, uint8_t, uint8_t>;

enum Knap { EnterRude, EnterGitter, Indsaet, Slet };

class BogRet : public BogVindue {
 protected:
  void SetUp() override {
    BogVindue::SetUp();
    WNDCLASSA wc{};
    wc.lpfnWndProc = EditIntWndProc;
    wc.lpszClassName = "EditIntWndClass";
    RegisterClassA(&wc);
    RegistrerListeKlasser(hInst);
    RegistrerValgKlasse(hInst);
    InstallerImportKroge();
    TimoakKrog.SendTilAlleVinduer = [](UINT m, WPARAM w, LPARAM l) { SendTilAlleVinduer(m, w, l, 0); };
    Advarsler.clear();
    AktiChkKrog.Advarsel = GemAdvarsel;
    PosteringsVaerdi = 0;
    tt::StartDialogScript();
  }
  void TearDown() override {
    EXPECT_TRUE(tt::DialogFailures().empty());
    tt::StopDialogScript();
    AktiChkKrog.Advarsel = nullptr;
    TimoakKrog = {};
    hwndHoved = 0;
    GlobalIndstillinger.supertavo = GlobalIndstillinger.skemalaast = 0;
    PosteringsVaerdi = 0;
    FreeAlleTalTabeller();
    BogVindue::TearDown();
  }

  // A posting window over the employment (staff mode) or the activity, its
  // month pane holding the keyboard, the cursor on the partner and day.
  void Aabn(char bogstav, uint32_t hoved, uint32_t partner, Dato dag) {
    (bogstav == 'M' ? tvanfo : tvakti).AktuelRec = hoved;
    (bogstav == 'M' ? tvakti : tvanfo).AktuelRec = partner;
    hwnd = CreateBogWnd(bogstav, vaert, 0, 0, 2000, 900, 0);
    ASSERT_NE(hwnd, HWND{});
    w = BogVinduesWS(hwnd);
    ASSERT_NE(w, nullptr);
    ASSERT_NE(w->hwndMnd, HWND{});
    SendMessageA(hwnd, BOG_MND_TASTATUR, 0, 0);
    SendMessageA(w->hwndMnd, VINDUE_AKTIVER, 0, 0);
    ASSERT_EQ(BogHovedRec(w), hoved);
    Dag(dag);
    ASSERT_EQ(BogPartnerRec(w), partner);
  }
  void Dag(Dato d) {
    w->Aktuel.Dato = d;
    w->Aktuel.Maaned = d / 100;
    SendMessageA(hwnd, BOG_MND_FLYT, 0, 0);
    SendMessageA(w->hwndMnd, BOG_MND_FLYT, 0, 0);
  }
  // A key of the pane (or Enter in the partner grid) in mode 1 or 2.
  bool Tryk(Knap tast, int mode) {
    static const UINT vk[] = {VK_RETURN, VK_RETURN, VK_INSERT, VK_DELETE};
    w->MndRude = tast == EnterGitter ? 0 : 1;
    TastInfo t{0, 0, 0, WM_KEYDOWN, vk[tast], 0, 0, 0};
    return SendMessageA(hwnd, mode == 2 ? TAST_MODTAG : TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&t)) != 0 ||
           mode == 2;
  }
  void TypeIRet(const char *tekst) {
    ASSERT_NE(w->hwndRet, HWND{});
    // The cell opens with the day's hours: its whole hours are cleared first.
    for (int i = 0; i < 6; ++i) SendMessageA(w->hwndRet, WM_KEYDOWN, VK_BACK, 0);
    for (const char *p = tekst; *p; ++p)
      SendMessageA(w->hwndRet, WM_KEYDOWN, *p == ',' ? VK_OEM_COMMA : static_cast<UINT>(*p), 0);
    SendMessageA(w->hwndRet, WM_KEYDOWN, VK_RETURN, 0);
  }
  static std::vector<PostNoegle> Poster() {
    std::vector<PostNoegle> v;
    for (Maaned m = SkemaPeriode.FoersteMaaned; m <= SkemaPeriode.SidsteMaaned;
         m = m % 100 == 12 ? m + 89 : m + 1) {
      TabVar *b = TimoakBucket(m);
      for (uint32_t r = 1; b && b->pbTab && r < b->wRecCnt; ++r) {
        const auto *t = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r));
        // The rows are packed: each field is read into a value of its own.
        const uint32_t akti = t->akti_id, anfo = t->anfo_id, dato = t->Dato;
        const int32_t timer = t->Timer;
        if ((t->Status & (64 | 8)) == 64) v.emplace_back(akti, anfo, dato, timer, t->Status + 0, t->Ejer + 0);
      }
    }
    return v;
  }
  static std::vector<std::pair<std::string, std::string>> Bokse() {
    std::vector<std::pair<std::string, std::string>> v;
    for (const auto &b : tt::MessageBoxesShown()) v.push_back({b.text, b.caption});
    for (const auto &a : Advarsler) v.push_back({a.tekst, a.titel});
    return v;
  }
  void Nulstil() {
    tt::StopDialogScript();
    tt::StartDialogScript();
    Advarsler.clear();
  }

  BOGWS *w = nullptr;
};

constexpr const char *kLaastSpm = "Vil du arbejde i LÅST periode?";
constexpr const char *kBegraenset = "Der kan ikke posteres timer sålænge der vises en begrændset status !";

TEST_F(BogRet, RefusalsInTheirOrderLeaveThePostingsAlone) {
  const uint32_t syg = Ovak(1, "SYG"), hold = Ovak(2, "HOLD", kGruppe5, "HOLD");
  const uint32_t kort = Ovak(3, "KORT", kGruppe5, "OVAK", 10, 20240801, 20241012);
  const uint32_t rettig = Ovak(4, "FREMMED", kGruppe5, "OVAK", 30);
  const uint32_t a = Ansat(10), b = Ansat(11);
  for (uint32_t akti : {syg, hold, kort, rettig}) AddAakrel(akti, a, 10);
  AddAakrel(syg, b, 10);
  reinterpret_cast<AnfoRec *>(GetRec(&tdanfo, &tvanfo, b))->Status = 30;
  Postering(syg, a, 20241010, 300);
  Postering(syg, a, 20241011, 400, kEgen, 16);  // sent
  Postering(syg, a, 20241012, 500, 0, 16);      // sent, owner 0
  Postering(syg, a, 20241014, 600, kAnden);     // foreign

  struct Tilfaelde {
    const char *navn;
    char bogstav;
    uint32_t hoved, partner;
    Dato dag;
    Knap tast;
    std::vector<std::pair<std::string, std::string>> bokse;  // execute mode
    int bip;
    bool udfoeres;  // the key acts after all (the postings may change)
    std::function<void()> foer;
    bool svarOk = false;        // the locked-period question answered OK
    bool ogsaaTestmode = false;  // the box shows in the test mode as well
  } tilfaelde[] = {
      {"supertavo cell", 'M', a, syg, 20241015, EnterRude,
       {{"Der kan ikke rettes / oprettes poster i et SuperTavoSkema", "Postering"}}, 0, false,
       [] { GlobalIndstillinger.supertavo = 1; }},
      {"supertavo insert", 'M', a, syg, 20241015, Indsaet,
       {{"Der kan ikke indsættes poster i et SuperTavoSkema", "Indsæt post"}}, 0, false,
       [] { GlobalIndstillinger.supertavo = 1; }},
      {"supertavo delete", 'M', a, syg, 20241010, Slet,
       {{"Der kan ikke slettes poster i et SuperTavoSkema", "Sletning"}}, 0, false,
       [] { GlobalIndstillinger.supertavo = 1; }},
      {"supertavo assignment", 'M', a, syg, 20241015, EnterGitter,
       {{"Der kan ikke tildeles i et SuperTavoSkema", "Tildeling"}}, 0, false,
       [] { GlobalIndstillinger.supertavo = 1; }},
      {"locked cell", 'M', a, syg, 20241015, EnterRude,
       {{"Der kan ikke rettes / oprettes poster i et låst skema", "Postering"}}, 0, false,
       [] { GlobalIndstillinger.skemalaast = 1; }},
      {"locked insert", 'M', a, syg, 20241015, Indsaet,
       {{"Der kan ikke indsættes poster i et låst skema", "Indsæt post"}}, 0, false,
       [] { GlobalIndstillinger.skemalaast = 1; }},
      {"locked delete", 'M', a, syg, 20241010, Slet, {{"Der kan ikke slettes poster i et låst skema", "Sletning"}},
       0, false, [] { GlobalIndstillinger.skemalaast = 1; }},
      {"locked assignment", 'M', a, syg, 20241015, EnterGitter,
       {{"Der kan ikke tildeles i et låst skema", "Tildeling"}}, 0, false,
       [] { GlobalIndstillinger.skemalaast = 1; }},
      {"locked period, cancel", 'M', a, syg, 20240801, EnterRude, {{kLaastSpm, "Låst periode"}}, 0, false, [] {}},
      {"locked period, delete cancelled", 'M', a, syg, 20240801, Slet, {{kLaastSpm, "Låst periode"}}, 0, false,
       [] {}},
      {"locked period, OK goes on", 'M', a, syg, 20240801, EnterRude,
       {{kLaastSpm, "Låst periode"}, {kBegraenset, "Fejl"}}, 0, false,
       [] { PosteringsFilter = {2, 0, 0}; }, true},
      {"status filter", 'M', a, syg, 20241015, EnterRude, {{kBegraenset, "Fejl"}}, 0, false,
       [] { PosteringsFilter = {2, 0, 0}; }},
      {"error-code filter", 'M', a, syg, 20241015, EnterRude, {{kBegraenset, "Fejl"}}, 0, false,
       [] { PosteringsFilter = {0, 7, 0}; }},
      {"activity with status 30", 'M', a, rettig, 20241015, EnterRude,
       {{"Den pågældende aktivitet har du ikke ret til, den findes kun i dit skema som følge af en eller flere "
         "fremmede poster !",
         "Manglende rettighed"}},
       0, false, [] {}},
      {"employment with status 30", 'K', syg, b, 20241015, EnterRude,
       {{"Den pågældende medarbejder har du ikke ret til, medarbejderen findes kun i dit skema som følge af en "
         "eller flere fremmede poster !",
         "Manglende rettighed"}},
       0, false, [] {}},
      {"not an absence activity", 'M', a, hold, 20241015, EnterRude,
       {{"Den pågældende aktivitet er ikke af type OVAK !", "Uventet aktivitetstype"}}, 0, false, [] {}},
      {"insert on a non-absence activity", 'M', a, hold, 20241015, Indsaet,
       {{"Den pågældende aktivitet er ikke af type OVAK !", "Uventet aktivitetstype"}}, 0, false, [] {}, false,
       true},
      {"after the activity's end", 'M', a, kort, 20241020, EnterRude, {}, 1, false, [] {}},
      {"before the employment's start", 'M', a, syg, 20241015, EnterRude, {}, 1, false,
       [&] { reinterpret_cast<AnfoRec *>(GetRec(&tdanfo, &tvanfo, a))->Fradato = 20241016; }},
      {"sent own posting", 'M', a, syg, 20241011, EnterRude,
       {{"Der kan ikke rettes i en postering der er sendt !", "Fejl"}}, 0, false, [] {}},
      {"sent posting of owner 0", 'M', a, syg, 20241012, EnterRude, {}, 0, true, [] {}},
      {"foreign posting", 'M', a, syg, 20241014, EnterRude,
       {{"Der kan ikke rettes i en fremmed postering !", "Fejl"}}, 0, false, [] {}},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.navn);
    const auto foer = Poster();
    for (int mode : {1, 2}) {
      SCOPED_TRACE(mode);
      t.foer();
      ASSERT_NO_FATAL_FAILURE(Aabn(t.bogstav, t.hoved, t.partner, t.dag));
      Nulstil();
      if (t.svarOk && mode == 2) tt::AnswerNextDialog([](const tt::ShownDialog &) { return IDOK; });
      const int bip = tt::BeepCount();
      const bool svar = Tryk(t.tast, mode);
      const auto forventet =
          mode == 2 || t.ogsaaTestmode ? t.bokse : std::vector<std::pair<std::string, std::string>>{};
      EXPECT_EQ(Bokse(), forventet);
      EXPECT_EQ(tt::BeepCount() - bip, mode == 2 ? t.bip : 0);
      if (mode == 1) { EXPECT_EQ(svar, t.udfoeres); }
      EXPECT_EQ(w->hwndRet != 0, mode == 2 && t.udfoeres);
      EXPECT_EQ(w->hwndValg, HWND{});
      EXPECT_EQ(Poster(), foer);
      DestroyWindow(hwnd);
      GlobalIndstillinger.supertavo = GlobalIndstillinger.skemalaast = 0;
      PosteringsFilter = {};
      reinterpret_cast<AnfoRec *>(GetRec(&tdanfo, &tvanfo, a))->Fradato = 20240801;
    }
  }
}

TEST_F(BogRet, ForeignPostingIsRemovedByDeleteAndASentOwnOneIsNot) {
  const uint32_t syg = Ovak(1, "SYG"), a = Ansat(10);
  AddAakrel(syg, a, 10);
  Postering(syg, a, 20241014, 600, kAnden);
  Postering(syg, a, 20241011, 400, kEgen, 16);
  ASSERT_NO_FATAL_FAILURE(Aabn('M', a, syg, 20241014));
  Tryk(Slet, 2);
  EXPECT_EQ(Poster(), (std::vector<PostNoegle>{{syg, a, 20241011, 400, 64 | 16, kEgen}}));
  EXPECT_EQ(PosteringsVaerdi, 600);

  Dag(20241011);
  Tryk(Slet, 2);
  EXPECT_EQ(Bokse(), (std::vector<std::pair<std::string, std::string>>{
                         {"Du kan ikke slette en postering der er sendt !", "Fejl"}}));
  EXPECT_EQ(Poster().size(), 1u);
}

TEST_F(BogRet, CommitChangesDeletesMovesAndCopiesPostings) {
  const uint32_t syg = Ovak(1, "SYG"), a = Ansat(10);
  AddAakrel(syg, a, 10);
  Postering(syg, a, 20241010, 300);
  ASSERT_NO_FATAL_FAILURE(Aabn('M', a, syg, 20241010));
  EXPECT_EQ(SendMessageA(w->hwndMnd, MND_TIMER, 0, 0), 300);
  EXPECT_EQ(SendMessageA(w->hwndMnd, MND_EJER, 0, 0), kEgen);

  // A new value replaces the posting.
  ASSERT_TRUE(Tryk(EnterRude, 2));
  TypeIRet("4,25");
  EXPECT_EQ(w->hwndRet, HWND{});
  EXPECT_EQ(Poster(), (std::vector<PostNoegle>{{syg, a, 20241010, 425, 64, kEgen}}));

  // 0,00 deletes it.
  Tryk(EnterRude, 2);
  TypeIRet("0,00");
  EXPECT_TRUE(Poster().empty());

  // Delete, then Insert on another day moves a posting.
  Dag(20241020);
  Tryk(EnterRude, 2);
  TypeIRet("2,00");
  Tryk(Slet, 2);
  EXPECT_TRUE(Poster().empty());
  EXPECT_EQ(PosteringsVaerdi, 200);
  Dag(20241022);
  Tryk(Indsaet, 2);
  EXPECT_EQ(Poster(), (std::vector<PostNoegle>{{syg, a, 20241022, 200, 64, kEgen}}));

  // + then Insert copies it; Insert on a day with a posting only beeps.
  Dag(20241023);
  Tryk(EnterRude, 2);
  TypeIRet("1,50");
  EXPECT_EQ(PosteringsVaerdi, 150);
  Dag(20241022);
  TastInfo plus{0, 0, 0, WM_KEYDOWN, VK_OEM_PLUS, 0, 0, 0};
  SendMessageA(hwnd, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&plus));
  EXPECT_EQ(PosteringsVaerdi, 200);
  Dag(20241024);
  Tryk(Indsaet, 2);
  const int bip = tt::BeepCount();
  Dag(20241023);
  Tryk(Indsaet, 2);
  EXPECT_EQ(tt::BeepCount() - bip, 1);
  EXPECT_EQ(Poster(), (std::vector<PostNoegle>{{syg, a, 20241022, 200, 64, kEgen},
                                              {syg, a, 20241023, 150, 64, kEgen},
                                              {syg, a, 20241024, 200, 64, kEgen}}));
  // Esc closes the cell with no change.
  Tryk(EnterRude, 2);
  TastInfo esc{0, 0, 0, WM_KEYDOWN, VK_ESCAPE, 0, 0, 0};
  SendMessageA(hwnd, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&esc));
  EXPECT_EQ(w->hwndRet, HWND{});
  EXPECT_EQ(Poster().size(), 3u);
  EXPECT_TRUE(Bokse().empty());
}

TEST_F(BogRet, CommitOnADayWithASecondPostingKeepsBoth) {
  // An import may leave two postings of a pair on one day; the second one
  // would refuse the new posting, so the first must not go before it.
  const uint32_t syg = Ovak(1, "SYG"), a = Ansat(10);
  AddAakrel(syg, a, 10);
  Postering(syg, a, 20241010, 300);
  Postering(syg, a, 20241010, 200);
  ASSERT_NO_FATAL_FAILURE(Aabn('M', a, syg, 20241010));
  const auto foer = Poster();
  const int bip = tt::BeepCount();
  ASSERT_TRUE(Tryk(EnterRude, 2));
  TypeIRet("4,00");
  EXPECT_EQ(tt::BeepCount() - bip, 1);
  EXPECT_EQ(Poster(), foer);
  EXPECT_EQ(PosteringsVaerdi, 400);
}

TEST_F(BogRet, BudgetLockJudgesAChangeAsItStandsAfterTheOldPostingGoes) {
  const uint32_t syg = Ovak(1, "SYG"), a = Ansat(10);
  BudtRec budt{};
  budt.Status = 10;
  budt.akti_id = syg;
  budt.Startdato = 20240801;
  budt.Slutdato = 20250731;
  budt.Laerertimer = 10;
  skoletest::Ny(tdbudt, tvbudt, budt);
  RetRec r{};
  r.Id = 1;
  r.Budget_laas = 'J';
  r.Status = 10;
  skoletest::Ny(tdret, tvret, r);
  AddAakrel(syg, a, 10);
  AllokerAktiTalTab();
  for (const auto &[dag, timer] : {std::pair<Dato, int32_t>{20241010, 600}, {20241011, 300}}) {
    const uint32_t n = Postering(syg, a, dag, timer);
    OptaelTimoak(reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, TimoakBucket(202410), n)), +1);
  }
  ASSERT_EQ(AktiTimerBrugt(syg), 900);
  ASSERT_NO_FATAL_FAILURE(Aabn('M', a, syg, 20241010));

  struct Tilfaelde {
    const char *tekst;
    int32_t ny;
    bool godtaget;
  } tilfaelde[] = {
      {"4,00", 400, true},  // lowered
      {"5,00", 500, true},  // raised a little: 300 + 500 within 1000
      {"8,00", 800, false},  // past the budget: the old posting stays
  };
  int32_t nu = 600;
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.tekst);
    Nulstil();
    ASSERT_TRUE(Tryk(EnterRude, 2));
    TypeIRet(t.tekst);
    if (t.godtaget) nu = t.ny;
    const auto p = Poster();
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(std::get<3>(p[0]) + std::get<3>(p[1]), 300 + nu);
    EXPECT_EQ(SendMessageA(w->hwndMnd, MND_TIMER, 0, 0), nu);
    EXPECT_EQ(Advarsler.size(), t.godtaget ? 0u : 1u);
    if (!Advarsler.empty()) { EXPECT_EQ(Advarsler[0].titel, "Budget lås"); }
  }
  // A budget already passed refuses the cell with its own box, also when
  // the key is only tested.
  reinterpret_cast<BudtRec *>(GetRec(&tdbudt, &tvbudt, 1))->Laerertimer = 5;
  for (int mode : {1, 2}) {
    SCOPED_TRACE(mode);
    Nulstil();
    const bool svar = Tryk(EnterRude, mode);
    if (mode == 1) { EXPECT_FALSE(svar); }
    EXPECT_EQ(w->hwndRet, HWND{});
    ASSERT_EQ(Advarsler.size(), 1u);
    EXPECT_EQ(Advarsler[0].titel, "Budget lås");
    EXPECT_TRUE(tt::MessageBoxesShown().empty());
  }
}

TEST_F(BogRet, LeapFebruaryShowsTwentyNineDays) {
  InitPeriode(20230801, 20240731, 20230801);
  const uint32_t syg = Ovak(1, "SYG", kGruppe5, "OVAK", 10, 20230801, 20240731);
  const uint32_t a = Ansat(10, 1, 20230801, 20240731);
  AddAakrel(syg, a, 10);
  Postering(syg, a, 20240229, 125);
  EXPECT_EQ(MndDage(202402), 29u);
  EXPECT_EQ(MndDage(202302), 28u);
  EXPECT_EQ(MndDage(202312), 31u);
  SaetAktuelDato(20240210);
  ASSERT_NO_FATAL_FAILURE(Aabn('M', a, syg, 20240210));
  MNDWS *m = MndVinduesWS(w->hwndMnd);
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->Raekker.Antal, 29u);
  // The day column of February in the pane's cells: filled rows down to
  // 29, and the cell shows the posting of the 29th with its status code.
  const Ens &e = m->Hoved;
  ASSERT_NE(e.hwndCeller, HWND{});
  tt::ClearDrawnTexts();
  SendMessageA(w->hwndMnd, WM_PAINT, 0, 0);
  POINT pt{};
  SendMessageA(w->hwndMnd, MND_CELLE_POS, 0, reinterpret_cast<LPARAM>(&pt));
  pt.x -= e.RudeX[ENS_CELLER];
  pt.y -= e.RudeY[ENS_CELLER];
  const int y29 = pt.y + (29 - 10) * kMndRaekke;
  bool timer = false, kode = false, efter = false;
  for (const auto &d : tt::DrawnTexts()) {
    if (d.hwnd != e.hwndCeller || d.x < pt.x || d.x >= pt.x + kMndKolonne) continue;
    timer |= d.text == "1,25" && d.y == y29;
    kode |= d.text == "2" && d.y == y29;
    efter |= d.y > y29 && d.text.find(',') != std::string::npos;
  }
  EXPECT_TRUE(timer);
  EXPECT_TRUE(kode);
  EXPECT_FALSE(efter);
  // The cursor cannot go past the 29th.
  Dag(20240229);
  TastInfo ned{0, 0, 0, WM_KEYDOWN, VK_DOWN, 0, 0, 0};
  EXPECT_EQ(SendMessageA(hwnd, TAST_SPOERG, 0, reinterpret_cast<LPARAM>(&ned)), 0);
}

TEST_F(BogRet, AssignmentMarksThePartnersAndTakesTheChosenOne) {
  const uint32_t syg = Ovak(1, "SYG"), a = Ansat(10), b = Ansat(11), c = Ansat(12);
  AddAakrel(syg, a, 10);
  AddAakrel(syg, b, 20);
  ASSERT_NO_FATAL_FAILURE(Aabn('K', syg, a, 20241015));
  ASSERT_TRUE(Tryk(EnterGitter, 1));
  Tryk(EnterGitter, 2);
  ASSERT_NE(w->hwndValg, HWND{});
  const auto *maerker = reinterpret_cast<const uint8_t *>(SendMessageA(w->hwndValg, VALG_MAERKER, 0, 0));
  ASSERT_NE(maerker, nullptr);
  EXPECT_EQ(maerker[a], 2);
  EXPECT_EQ(maerker[b], 1);
  EXPECT_EQ(maerker[c], 0);
  SendMessageA(hwnd, VALG_MARKERET, 'M', static_cast<LPARAM>(c));
  SendMessageA(hwnd, VALG_AFMARKERET, 'M', static_cast<LPARAM>(b));
  std::vector<uint32_t> nu = Partnere(w);
  std::sort(nu.begin(), nu.end());
  EXPECT_EQ(nu, (std::vector<uint32_t>{a, c}));
  // Closing takes the selection window's current object.
  auto *v = reinterpret_cast<VWS *>(GetWindowLongPtrA(w->hwndValg, GWLP_USERDATA));
  for (uint32_t i = 1; i <= v->ens.ObjTabAntal; ++i)
    if (v->ens.ObjTab[i] == c) v->PosY.Aktuel = i;
  SendMessageA(hwnd, VALG_AFSLUTTET, VK_RETURN, 0);
  EXPECT_EQ(w->hwndValg, HWND{});
  EXPECT_EQ(BogPartnerRec(w), c);
  EXPECT_EQ(w->Aktuel.Partner, c);
}

TEST_F(BogRet, PaneKeysMoveDayAndPartnerPublishAndListTheirCommands) {
  const uint32_t syg = Ovak(1, "SYG"), ferie = Ovak(2, "FERIE"), a = Ansat(10);
  AddAakrel(syg, a, 10);
  AddAakrel(ferie, a, 10);
  ASSERT_NO_FATAL_FAILURE(Aabn('M', a, syg, 20241015));
  hwndHoved = lytter;
  auto tast = [&](UINT vk) {
    TastInfo t{0, 0, 0, WM_KEYDOWN, vk, 0, 0, 0};
    SendMessageA(hwnd, TAST_MODTAG, 0, reinterpret_cast<LPARAM>(&t));
  };
  Modtaget.clear();
  tast(VK_DOWN);
  EXPECT_EQ(w->Aktuel.Dato, 20241016u);
  EXPECT_EQ(SkemaPeriode.AktuelDato, 20241016u);
  EXPECT_TRUE(Fik(AKTUEL_AENDRET, 0));
  EXPECT_TRUE(Fik(STATUS_DATO_SAET, 20241016));

  // Frozen, the pane moves but tells the other windows nothing.
  SendMessageA(w->hwndMnd, NYB_KLIK, 0, 0);
  Modtaget.clear();
  tast(VK_UP);
  EXPECT_EQ(w->Aktuel.Dato, 20241015u);
  EXPECT_FALSE(Fik(AKTUEL_AENDRET, 0));
  SendMessageA(w->hwndMnd, NYB_KLIK, 0, 0);

  const uint32_t foer = BogPartnerRec(w);
  tast(VK_NEXT);
  EXPECT_NE(BogPartnerRec(w), foer);
  EXPECT_EQ(w->Aktuel.Partner, BogPartnerRec(w));

  // A cell left behind by the cursor commits nothing.
  ASSERT_TRUE(Tryk(EnterRude, 2));
  for (char c : std::string("5")) SendMessageA(w->hwndRet, WM_KEYDOWN, static_cast<UINT>(c), 0);
  Dag(20241017);
  SendMessageA(w->hwndRet, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(w->hwndRet, HWND{});
  EXPECT_TRUE(Poster().empty());

  // A click on an inactive pane's day takes the keyboard there; a double
  // click on a day opens its hours cell.
  ShowWindow(vaert, SW_SHOW);
  ShowWindow(hwnd, SW_SHOW);
  tt::PumpUntilIdle();
  SendMessageA(w->hwndMnd, VINDUE_DEAKTIVER, 0, 0);
  w->MndRude = 0;
  POINT pt{};
  SendMessageA(w->hwndMnd, MND_CELLE_POS, 0, reinterpret_cast<LPARAM>(&pt));
  auto dag = [&](int raekker) { return tt::ScreenPoint(w->hwndMnd, pt.x + 30, pt.y + raekker * kMndRaekke + 2); };
  tt::Click(dag(3).x, dag(3).y);
  tt::PumpUntilIdle();
  EXPECT_EQ(w->MndRude, 1);
  EXPECT_EQ(MndVinduesWS(w->hwndMnd)->Aktiv, 1);
  EXPECT_EQ(w->Aktuel.Dato, 20241017u);
  tt::Click(dag(1).x, dag(1).y);
  tt::PumpUntilIdle();
  EXPECT_EQ(w->Aktuel.Dato, 20241018u) << "an active pane moves to the day clicked";
  tt::DoubleClick(dag(5).x, dag(5).y);
  tt::PumpUntilIdle();
  EXPECT_EQ(w->Aktuel.Dato, 20241022u);
  EXPECT_NE(w->hwndRet, HWND{});
  SendMessageA(w->hwndRet, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(w->hwndRet, HWND{});

  tast(VK_APPS);
  HWND liste = FindWindowA("ShortCutWndClass", nullptr);
  ASSERT_NE(liste, HWND{});
  const auto *info = reinterpret_cast<const ShortCutInfo *>(GetWindowLongPtrA(liste, GWLP_USERDATA));
  ASSERT_NE(info, nullptr);
  std::vector<std::pair<std::string, std::string>> raekker;
  for (const ShortCutPost *p = info->table->Poster; p->Beskrivelse[0]; ++p) raekker.push_back({p->TastNavn, p->Beskrivelse});
  EXPECT_EQ(raekker, (std::vector<std::pair<std::string, std::string>>{
                         {"<Tab>", "Skifter mellem 'Hoved' og 'Kant' vindue."},
                         {"<+>", "Husk aktuel postering."},
                         {"<Insert>", "Indsæt husket postering."},
                         {"<Delete>", "Sletter aktuel postering."},
                         {"<Enter>", "Åbner vindue for indtastning af timer."},
                         {"<Ctrl> + <Shift> + <d>", "Gå til aktuel dato."}}));
  DestroyWindow(liste);
  hwndHoved = 0;
}

// The road of one posting typed by the user.
LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM wp, LPARAM l) {
  if (m == 1140) Modtaget.push_back({m, 4711});
  return LytterProc(h, m, wp, l);
}

TEST_F(BogRet, TypedHoursArePostedAndShown) {
  const uint32_t syg = Ovak(1, "SYG"), a = Ansat(10);
  AddAakrel(syg, a, 20);
  WNDCLASSA wc{};
  wc.lpfnWndProc = HovedProc;
  wc.lpszClassName = "BogHoved";
  RegisterClassA(&wc);
  HWND hoved = CreateWindowExA(0, "BogHoved", "", WS_CHILD, 0, 0, 10, 10, vaert, 0, hInst, nullptr);
  hwndHoved = hoved;
  ShowWindow(vaert, SW_SHOW);
  tvanfo.AktuelRec = a;
  hwnd = CreateBogWnd('M', vaert, 0, 0, 2000, 900, 0);
  ASSERT_NE(hwnd, HWND{});
  w = BogVinduesWS(hwnd);
  ShowWindow(hwnd, SW_SHOW);
  SendMessageA(hwnd, WM_LBUTTONDOWN, 0, IndePunkt(hwnd));
  SetFocus(hwnd);
  ASSERT_EQ(w->Aktiv, 1);
  const uint32_t eksport = EksportTaellere[5];

  auto tast = [](UINT vk) {
    tt::PressKey(vk);
    tt::PumpUntilIdle();
  };
  tast(VK_TAB);
  ASSERT_EQ(w->MndRude, 1);
  tast(VK_DOWN);
  EXPECT_EQ(w->Aktuel.Dato, 20241016u);
  tast(VK_RETURN);
  ASSERT_NE(w->hwndRet, HWND{});
  Modtaget.clear();
  tt::TypeText("7,50");
  tt::PumpUntilIdle();
  tt::ClearDrawnTexts();
  tast(VK_RETURN);
  EXPECT_EQ(w->hwndRet, HWND{});

  EXPECT_EQ(Poster(), (std::vector<PostNoegle>{{syg, a, 20241016, 750, 64, kEgen}}));
  TabVar *b = TimoakBucket(202410);
  EXPECT_EQ(reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, b->wRecCnt - 1))->PlanStatus, 2);
  const auto *rel = reinterpret_cast<const AakrelRec *>(GetRec(&tdaakrel, &tvaakrel, 1));
  EXPECT_EQ(rel->Status, 10);
  EXPECT_EQ(EksportTaellere[5], eksport + 1);
  EXPECT_TRUE(Fik(DATA_AENDRET, 0));
  EXPECT_TRUE(Fik(1140, 4711));

  bool celle = false, dag = false;
  for (const auto &d : tt::DrawnTexts()) {
    celle |= d.hwnd == w->Hoved.hwndCeller && d.text == "7,50";  // the grid's cell pane
    dag |= d.hwnd == MndVinduesWS(w->hwndMnd)->Hoved.hwndCeller && d.text == "7,50";
  }
  EXPECT_TRUE(celle);
  EXPECT_TRUE(dag);
  DestroyWindow(hoved);
}

}  // namespace
