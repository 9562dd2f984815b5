// Marking blocks, deleting the event at the cursor and the markings for
// deletion, change and sickness, driven by key records and the mouse with
// the find dialogs answered and read through the dialog hook.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FINDDLG.h"
#include "KOPIBEG.h"
#include "MARKBEG.h"
#include "OPTAGET.h"
#include "PLACBEG.h"
#include "RELAY.h"
#include "SKETEGN.h"
#include "SLETMARK.h"
#include "skemadialoger.h"
#include "skole_fixture.h"

namespace {

using namespace sketest;
using tavo::test::ShownDialog;

constexpr int S = tavo::test::ModShift, C = tavo::test::ModCtrl;

class Opmaerkning : public SkoleVindue {
 protected:
  void Nulstil() {
    Hoerte().clear();
    tavo::test::StopDialogScript();
    tavo::test::StartDialogScript();
  }
  std::vector<std::string> Tekster() const {
    std::vector<std::string> ud;
    for (const auto &m : tavo::test::MessageBoxesShown()) ud.push_back(m.caption + ": " + m.text);
    return ud;
  }
  // A one-activity window over all weeks, showing lessons by the ring
  // system, its cursor on Monday's first lesson of the current week.
  HWND EnAktivitet() {
    HWND w = Aabn(SKE_AKTI, 'V', 0);
    SendMessageA(w, RING_VALGT, ring, 0);
    SkeStruct *ske = SkemaVinduesSke(w);
    ske->TidPos.Aktuel = 1;
    return w;
  }
  // Bit 2 of the cells of the grid: exactly the rectangle.
  static void KunRektangel(SkeStruct *ske, uint32_t k0, uint32_t r0, uint32_t k1, uint32_t r1, const std::string &trin) {
    uint32_t udenfor = 0, i = 0;
    for (uint32_t k = 1; k <= ske->TidPos.Antal; ++k)
      for (uint32_t r = 1; r <= ske->ObjPos.Antal; ++r) {
        SkeCelle c;
        ASSERT_TRUE(FindSkeCelle(ske, k, r, &c));
        const uint8_t *b = BlokCelle(ske->BlokTab, ske->BlokUger, c.noegle, c.dag, c.slot);
        ASSERT_TRUE(b);
        const bool inde = k >= std::min(k0, k1) && k <= std::max(k0, k1) && r >= std::min(r0, r1) && r <= std::max(r0, r1);
        if (inde) {
          ++i;
          EXPECT_TRUE(*b & BLOK_FLYT) << trin << " cell " << k << "," << r;
        } else if (*b & BLOK_FLYT) {
          ++udenfor;
        }
      }
    EXPECT_EQ(udenfor, 0u) << trin;
    EXPECT_GT(i, 0u);
  }
};

TEST_F(Opmaerkning, TheBlockRefusals) {
  struct Sag {
    const char *navn;
    bool alle;
    std::function<void(SkeStruct *)> saet;
    const char *tekst;
  } sager[] = {
      {"SuperTavo", false, [](SkeStruct *) { GlobalIndstillinger.supertavo = 1; },
       "Der kan ikke mærkes op i et SuperTavoSkema"},
      {"locked", false, [](SkeStruct *) { GlobalIndstillinger.skemalaast = 1; }, "Der kan ikke mærkes op i et låst skema"},
      {"all objects", true, [](SkeStruct *) {},
       "Der kan kun mærkes op til en ny blok, når skemaet viser 1 aktivitet i mange uger.\nAlternativ, start "
       "skemaregistreringen ved at trykke <Enter>"},
      {"layers", false, [](SkeStruct *s) { s->LagVis = 1; },
       "Der kan kun mærkes op til en ny blok, når skemaet vises i 1 lag.\nFjern 'Vis flere lag', tast <Ctrl>+<l>."},
      {"one status", false, [](SkeStruct *s) { s->SaerligVisning = 1; },
       "Der kan ikke mærkes op til en ny blok, når skemaet viser en begrænset mængde begivenheder.\nLuk denne dialog og "
       "annuller fejlstatus ved at trykke på Esc tasten."},
      {"no ring system shown", false, [](SkeStruct *s) { s->RingSystem = 0; },
       "Der kan kun mærkes op til en ny blok, når skemaet vises i en ringetid.\nVælg en ringetid før "
       "opmærkning.\nEller start skemaregistreringen ved at trykke <Enter>"},
      {"no objects", false, [](SkeStruct *s) { s->ObjPos.Antal = 0; },
       "Der kan kun mærkes op til en ny blok, når der er aktiviteter i ugen."},
      {"activity without ring", false, [this](SkeStruct *) { Rec<AktiRec>(tvakti, akti[0])->risy_id = 0; },
       "Der kan kun mærkes op til en ny blok, når der er tilknyttet en ringetid til aktiviteten."},
  };
  for (const Sag &s : sager) {
    HWND w = s.alle ? Vindue(SKE_AKTI, akti[0]) : EnAktivitet();
    SkeStruct *ske = SkemaVinduesSke(w);
    s.saet(ske);
    Nulstil();
    Tast(w, VK_RIGHT, S);
    EXPECT_EQ(Tekster(), std::vector<std::string>{std::string("Opmærkning: ") + s.tekst}) << s.navn;
    EXPECT_EQ(ske->BlokAktiv, 0) << s.navn;
    DestroyWindow(w);
    GlobalIndstillinger.supertavo = GlobalIndstillinger.skemalaast = 0;
    Rec<AktiRec>(tvakti, akti[0])->risy_id = ring;
  }
  // Accepted: the bits of an earlier block go.
  HWND w = EnAktivitet();
  SkeStruct *ske = SkemaVinduesSke(w);
  AllokerBlokke(ske);
  uint8_t *gammel = BlokCelle(ske->BlokTab, ske->BlokUger, 5, 3, 4);
  *gammel = BLOK_FLYT | BLOK_VALGT;
  Nulstil();
  Tast(w, VK_RIGHT, S);
  EXPECT_TRUE(Tekster().empty());
  EXPECT_EQ(ske->BlokAktiv, 1);
  EXPECT_EQ(*gammel, BLOK_VALGT);
}

TEST_F(Opmaerkning, ShiftArrowsGrowAndShrinkTheBlock) {
  HWND w = EnAktivitet();
  SkeStruct *ske = SkemaVinduesSke(w);
  const uint32_t r0 = ske->ObjPos.Aktuel;
  Tast(w, VK_RIGHT, S);
  KunRektangel(ske, 1, r0, 2, r0, "right");
  Tast(w, VK_RIGHT, S);
  Tast(w, VK_DOWN, S);
  KunRektangel(ske, 1, r0, 3, r0 + 1, "right, down");
  uint32_t start = 0, slut = 0;
  ASSERT_TRUE(BlokTider(ske, &start, &slut));
  EXPECT_EQ(start, 800u);
  EXPECT_EQ(slut, 1035u);
  char etiket[32];
  ASSERT_TRUE(TidsEtiketTekst(ske, etiket, sizeof etiket));
  EXPECT_STREQ(etiket, "08.00-10.35");
  Tast(w, VK_LEFT, S);
  Tast(w, VK_UP, S);
  KunRektangel(ske, 1, r0, 2, r0, "left, up");
  ASSERT_TRUE(BlokTider(ske, &start, &slut));
  EXPECT_EQ(slut, 940u);
  // Space takes the block as the chosen cells and ends it.
  Tast(w, VK_SPACE, 0);
  EXPECT_EQ(ske->BlokAktiv, 0);
  SkeCelle c;
  ASSERT_TRUE(FindSkeCelle(ske, 2, r0, &c));
  EXPECT_EQ(*BlokCelle(ske->BlokTab, ske->BlokUger, c.noegle, c.dag, c.slot), BLOK_VALGT);
}

TEST_F(Opmaerkning, AMouseDragMarksTheBlockToo) {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = DummyWndProc;
  wc.lpszClassName = "DummyWndClass";
  RegisterClassA(&wc);
  HWND w = EnAktivitet();
  ShowWindow(w, SW_SHOW);
  SkeStruct *ske = SkemaVinduesSke(w);
  const uint32_t r0 = ske->ObjPos.Aktuel;
  Ens &e = ske->Ens;
  auto punkt = [&](uint32_t k) {
    const int x = static_cast<int>((GridCelleStart(&e.AkseX, k) + GridCelleSlut(&e.AkseX, k)) / 2 - e.ScrollX);
    const int y = static_cast<int>((GridCelleStart(&e.AkseY, r0) + GridCelleSlut(&e.AkseY, r0)) / 2 - e.ScrollY);
    return tavo::test::ScreenPoint(e.hwndCeller, x, y);
  };
  const POINT a = punkt(2), b = punkt(5);
  tavo::test::Drag(a.x, a.y, b.x, b.y, 40);
  tavo::test::PumpUntilIdle();
  KunRektangel(ske, 2, r0, 5, r0, "drag");
}

TEST_F(Opmaerkning, DeleteRefusesASentEventAndAsksInALockedWeek) {
  const uint32_t sendt = Begivenhed({{.akti = akti[0]}}, SKE_EGEN | SKE_UROERT);
  HWND w = Vindue(SKE_AKTI, akti[0]);
  Nulstil();
  Tast(w, VK_DELETE, 0);
  EXPECT_EQ(Tekster(), std::vector<std::string>{"Sletning: En brik der er sendt kan ikke slettes"});
  EXPECT_EQ(+Raekke(sendt)->Status, uint32_t{SKE_EGEN | SKE_UROERT});
  Raekke(sendt)->Status = 0;

  const uint32_t f = Begivenhed({{.akti = akti[0]}});
  SendMessageA(w, DATA_AENDRET, 0, 0);
  SkemaPeriode.LaasDato = SkemaPeriode.TilDato;
  Nulstil();
  tavo::test::AnswerNextDialog([](const ShownDialog &) { return IDCANCEL; });
  Tast(w, VK_DELETE, 0);
  EXPECT_EQ(Tekster(), std::vector<std::string>{"Låst periode: Vil du arbejde i LÅST periode?"});
  EXPECT_EQ(+Raekke(f)->Status, uint32_t{SKE_EGEN});
  // A row with a change mark needs no question.
  Raekke(f)->Fejl = '<';
  Nulstil();
  Tast(w, VK_DELETE, 0);
  EXPECT_TRUE(Tekster().empty());
  EXPECT_EQ(+Raekke(f)->Status, 0u);
  EXPECT_FALSE(HoertAf(hoved_, HOVED_DATA_AENDRET).empty());
  // The deleted event is in the copy buffer: Ctrl+Insert on another
  // activity brings it back there.
  SkemaPeriode.LaasDato = 0;
  ASSERT_EQ(HuskUgeAVSAntal, 1u);
  Tast(w, VK_DOWN, 0);
  Tast(w, VK_INSERT, C);
  const auto alle = Levende();
  ASSERT_EQ(alle.size(), 1u);
  EXPECT_EQ(alle[0].akti, std::vector<uint32_t>{akti[1]});
  EXPECT_EQ(alle[0].dag, 2);
  EXPECT_EQ(alle[0].start, 800u);
}

TEST_F(Opmaerkning, CtrlDeleteTakesOnlyTheRowsEmployee) {
  const uint32_t to = Begivenhed({{.akti = akti[0], .anfo = anfo[0], .rol = optager}, {.anfo = anfo[1], .rol = optager}});
  HWND w = Vindue(SKE_ANFO, anfo[0]);
  Tast(w, VK_DELETE, C);
  auto alle = Levende();
  ASSERT_EQ(alle.size(), 1u);
  EXPECT_EQ(alle[0].anfo, std::vector<uint32_t>{anfo[1]});
  EXPECT_EQ(alle[0].akti, std::vector<uint32_t>{akti[0]});
  EXPECT_EQ(+Raekke(to)->Status, 0u);
  // Alone on it: the event goes.
  SendMessageA(w, DATA_AENDRET, 0, 0);
  SkeStruct *ske = SkemaVinduesSke(w);
  const auto [kol, raekke] = Celle(ske, anfo[1]);
  ske->ObjPos.Aktuel = raekke;
  ske->TidPos.Aktuel = kol;
  Tast(w, VK_DELETE, C);
  EXPECT_TRUE(Levende().empty());
  // A pending change: the event exists once afterwards.
  const uint32_t aendret =
      Begivenhed({{.akti = akti[0], .anfo = anfo[0], .rol = optager}, {.anfo = anfo[1], .rol = optager}},
                 SKE_EGEN | SKE_AENDRING);
  Raekke(aendret)->Fejl = '=';
  SendMessageA(w, DATA_AENDRET, 0, 0);
  ske->ObjPos.Aktuel = Celle(ske, anfo[0]).second;
  Tast(w, VK_DELETE, C);
  alle = Levende();
  ASSERT_EQ(alle.size(), 1u);
  EXPECT_EQ(alle[0].anfo, std::vector<uint32_t>{anfo[1]});
}

TEST_F(Opmaerkning, CtrlSOnAnEmptyCellOffersOnlyTheOwners) {
  Begivenhed({{.akti = akti[1]}});
  HWND w = Vindue(SKE_AKTI, akti[0]);
  Nulstil();
  std::vector<int> ids;
  std::string titel;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    for (const auto &c : d.controls) ids.push_back(c.id);
    titel = d.caption;
    return 2;
  });
  Tast(w, 'S', C);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (std::vector<int>{IDOK, IDCANCEL, IDC_FIND_EGNE, IDC_FIND_FREMMEDE, IDC_FIND_ALLE, IDC_FIND_GRUPPE}));
  EXPECT_EQ(titel, " Find begivenheder der skal slettes");
  EXPECT_EQ(SkemaVinduesSke(w)->Tilstand, 'V');
  // Plain S does nothing.
  Nulstil();
  Tast(w, 'S', 0);
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  EXPECT_EQ(SkemaVinduesSke(w)->Tilstand, 'V');
}

TEST_F(Opmaerkning, MarkingForDeletionFollowsTheDialogAndEnterDeletes) {
  Begivenhed({{.akti = akti[0], .anfo = anfo[0], .rol = optager, .minut = 45}}, SKE_EGEN, 31);
  SkrivRaekker({{.akti = akti[1], .anfo = anfo[0], .rol = optager, .minut = 45}},
               {.id = 32, .risy = ring, .dag = 3, .lektion = 1, .start = 800, .slut = 845});
  SkrivRaekker({{.akti = akti[2], .anfo = anfo[0], .rol = optager, .minut = 45}},
               {.id = 33, .ejer = kEgen + 1, .risy = ring, .dag = 4, .lektion = 1, .start = 800, .slut = 845});
  HWND w = Vindue(SKE_AKTI, akti[0]);
  SkeStruct *ske = SkemaVinduesSke(w);
  Nulstil();
  std::map<int, int> tilstand;
  uint32_t fundneAlle = 0, fundneEgne = 0;
  std::string efterAlle;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    for (const auto &c : d.controls) tilstand[c.id] = c.checked;
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d.hwnd, IDC_FIND_ANFO)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d.hwnd, IDC_FIND_LOKA)));
    EXPECT_FALSE(IsWindowEnabled(w)) << "the window waits for the dialog";
    SendMessageA(d.hwnd, WM_COMMAND, IDC_FIND_ALLE, 0);
    efterAlle = ske->Statustekst;
    EXPECT_EQ(IsDlgButtonChecked(d.hwnd, IDC_FIND_EGNE), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(d.hwnd, IDC_FIND_ALLE), BST_CHECKED);
    fundneAlle = TaelFundne(ske);
    SendMessageA(d.hwnd, WM_COMMAND, IDC_FIND_EGNE, 0);
    fundneEgne = TaelFundne(ske);
    return 1;
  });
  Tast(w, 'S', C);
  EXPECT_EQ(tilstand[IDC_FIND_AKTI], BST_INDETERMINATE);
  EXPECT_EQ(tilstand[IDC_FIND_ANFO], BST_CHECKED);
  EXPECT_EQ(tilstand[IDC_FIND_LOKA], BST_UNCHECKED);
  EXPECT_EQ(tilstand[IDC_FIND_EGNE], BST_CHECKED);
  EXPECT_EQ(efterAlle, "MA");
  EXPECT_EQ(fundneAlle, 3u);
  EXPECT_EQ(fundneEgne, 2u);
  EXPECT_EQ(ske->Tilstand, 'S');
  EXPECT_STREQ(ske->Statustekst, "ME");
  EXPECT_STREQ(ske->Ens.Titel, kTitelSlet);
  // Choosing the found events marks them; Enter deletes them.
  for (uint32_t a : {akti[0], akti[1]}) {
    const uint32_t r = Celle(ske, a).second;
    for (uint32_t k = 1; k <= ske->TidPos.Antal; ++k)
      if (FindBegivenhedICelle(ske, k, r, nullptr)) {
        KlikCelle(w, ske, k, r, true);
        break;
      }
  }
  ASSERT_EQ(TaelMarkerede(ske), 2u);
  Nulstil();
  tavo::test::AnswerNextDialog([](const ShownDialog &) { return IDOK; });
  Tast(w, VK_RETURN, 0);
  EXPECT_EQ(Tekster(), std::vector<std::string>{"Sletning: Skal de 2 opmærkede begivenheder slettes ?"});
  const auto alle = Levende();
  ASSERT_EQ(alle.size(), 1u);
  EXPECT_EQ(alle[0].akti, std::vector<uint32_t>{akti[2]});
  EXPECT_EQ(ske->Tilstand, 'V');
  EXPECT_STRNE(ske->Ens.Titel, kTitelSlet);
}

TEST_F(Opmaerkning, MarkingForChange) {
  Begivenhed({{.akti = akti[0], .anfo = anfo[0], .rol = optager, .minut = 45}});
  const uint32_t fremmed = SkrivRaekker({{.akti = akti[1]}}, {.ejer = kEgen + 1, .risy = ring, .dag = 2, .lektion = 1});
  HWND w = Vindue(SKE_AKTI, akti[0]);
  SkeStruct *ske = SkemaVinduesSke(w);
  // The refusals, each at its own cell.
  struct Afvisning {
    uint32_t akti;
    std::function<void()> saet;
    const char *tekst;
  } afvisninger[] = {
      {akti[2], [] {}, "Rettelse: Der kan kun rettes/flyttes med udgangspunkt i en begivenhed"},
      {akti[1], [] {}, "Rettelse: Kun egne begivenheder kan rettes"},
      {akti[1], [&] { Raekke(fremmed)->risy_id = 0; }, "Rettelse: Man kan ikke rette dagskema"},
      {akti[1], [&] { Raekke(fremmed)->Status = SKE_EGEN | SKE_UROERT; },
       "Rettelse: Man kan ikke rette begivenhedder der er sendt"},
  };
  for (const auto &a : afvisninger) {
    a.saet();
    SendMessageA(w, DATA_AENDRET, 0, 0);
    ske->ObjPos.Aktuel = Celle(ske, a.akti).second;
    Nulstil();
    Tast(w, 'R', C);
    EXPECT_EQ(Tekster(), std::vector<std::string>{a.tekst});
    EXPECT_EQ(ske->Tilstand, 'V');
  }
  // The change dialog of an activity window wants one more property.
  ske->ObjPos.Aktuel = Celle(ske, akti[0]).second;
  Nulstil();
  bool aabenEfterAfvisning = false, udenAktiviteter = false;
  std::string afvist;
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    udenAktiviteter = d.Control(IDC_FIND_AKTI) == nullptr && d.caption == " Find begivenheder der skal rettes";
    SendMessageA(d.hwnd, WM_COMMAND, IDC_FIND_ANFO, 0);  // untick the employees
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    aabenEfterAfvisning = IsWindow(d.hwnd) && IsWindowVisible(d.hwnd);
    SendMessageA(d.hwnd, WM_COMMAND, IDC_FIND_ANFO, 0);
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return 0;
  });
  tavo::test::AnswerNextDialog([&](const ShownDialog &d) {
    afvist = d.caption + ": " + d.text;
    return IDOK;
  });
  Tast(w, 'R', C);
  EXPECT_TRUE(udenAktiviteter);
  EXPECT_TRUE(aabenEfterAfvisning);
  EXPECT_EQ(afvist, "Afgrænsning ikke OK: Der skal vælges mindst 1 fælles egenskab udover aktivitet");
  EXPECT_EQ(ske->Tilstand, 'R');
  EXPECT_STREQ(ske->Statustekst, "KMRE");
  EXPECT_STREQ(ske->Ens.Titel, kTitelRet);
  // Enter asks for the entry window in change mode.
  Nulstil();
  Tast(w, VK_RETURN, 0);
  ASSERT_EQ(HoertAf(hoved_, HOVED_INDTAST_LEKTION).size(), 1u);
  EXPECT_EQ(+AktuelAVS.Kode5, 'R');
  EXPECT_EQ(+GammelAVS.aktiAntal, 1u);
  EXPECT_EQ(ske->RetStartet, 1);
  // Plain R does nothing.
  Tast(w, VK_ESCAPE, 0);
  Nulstil();
  Tast(w, 'R', 0);
  EXPECT_TRUE(Tekster().empty());
  EXPECT_EQ(ske->Tilstand, 'V');
}

TEST_F(Opmaerkning, SicknessRegistration) {
  const uint32_t syg = Rolle({"SYG", "", "S1"});
  Rec<SkemarolRec>(tvskemarol, syg)->Check_skemasammenfald = 'J';
  const uint32_t ikke = Rolle({"OBS"});
  Begivenhed({{.akti = akti[0], .anfo = anfo[0], .rol = optager}}, SKE_EGEN, 41);
  HWND a = Vindue(SKE_AKTI, akti[0]);
  Nulstil();
  Tast(a, 'Y', C);
  EXPECT_EQ(Tekster(),
            std::vector<std::string>{"Sygdomsregistrering: Der kan kun registreres sygdom i et medarbejderskema"});
  DestroyWindow(a);
  struct Sag {
    std::vector<Deltager> d;
    const char *tekst;
  } sager[] = {
      {{{.akti = akti[1], .anfo = anfo[1], .rol = optager}, {.anfo = anfo[2], .rol = optager}},
       "Sygdom: Den automatiske sygdomsfunktion kan kun benyttes, når der er tilknyttet netop 1 medarbejder. Benyt "
       "derfor ret funktionen"},
      {{{.akti = akti[1], .anfo = anfo[1], .rol = ikke}},
       "Sygdom: Den automatiske sygdomsfunktion kan kun benyttes, når medarbejderen er tilknyttet med en rolle der "
       "optager. Benyt derfor ret funktionen"},
      {{{.akti = akti[1], .anfo = anfo[1], .rol = syg}},
       "Sygdom: Den automatiske sygdomsfunktion kan ikke benyttes, når medarbejderen allerede er registreret som syg. "
       "Benyt derfor ret funktionen"},
  };
  for (const Sag &s : sager) {
    const uint32_t f = SkrivRaekker(s.d, {.risy = ring, .dag = 3, .lektion = 1, .start = 800, .slut = 845});
    HWND w = Vindue(SKE_ANFO, anfo[1]);
    SkeStruct *ske = SkemaVinduesSke(w);
    ske->TidPos.Aktuel += ske->Vis.SidsteSlot - ske->Vis.FoersteSlot + 1;  // Wednesday
    Nulstil();
    Tast(w, 'Y', C);
    EXPECT_EQ(Tekster(), std::vector<std::string>{s.tekst});
    EXPECT_EQ(ske->Tilstand, 'V');
    DestroyWindow(w);
    for (uint32_t r = f; Raekke(r) && Raekke(r)->Forste == f; ++r) Raekke(r)->Status = 0;
  }
  // Accepted, without a dialog.
  for (int shift : {0, S}) {
    HWND w = Vindue(SKE_ANFO, anfo[0]);
    SkeStruct *ske = SkemaVinduesSke(w);
    Nulstil();
    Tast(w, 'Y', C | shift);
    EXPECT_TRUE(Tekster().empty());
    EXPECT_EQ(ske->Tilstand, 'R');
    EXPECT_EQ(ske->SygdomFlag, 1);
    EXPECT_STREQ(ske->Statustekst, shift ? "MLSRE" : "MRE");
    EXPECT_STREQ(ske->Ens.Titel, kTitelSygdom);
    DestroyWindow(w);
  }
  // Plain Y places nothing and marks nothing.
  HWND w = Vindue(SKE_ANFO, anfo[0]);
  Nulstil();
  Tast(w, 'Y', 0);
  EXPECT_TRUE(Tekster().empty());
  EXPECT_EQ(SkemaVinduesSke(w)->Tilstand, 'V');
}

}  // namespace
