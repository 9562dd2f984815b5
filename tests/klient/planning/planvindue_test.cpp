// The plan window over a small data folder: opening behind the load dialog,
// closing with the save and every job joined, the messages other windows
// send it, the numbers its edit boxes hand it, and clicks.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "BESKEDER.h"
#include "FF_GRUPPE.h"
#include "FF_PlanFyld.h"
#include "FF_PlanRec.h"
#include "HENTGEM.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "PLANIDX.h"
#include "PROGVINDUER.h"
#include "PlanFold.h"
#include "PlanTraad.h"
#include "PlanVindue.h"
#include "RECPRED.h"
#include "SKAERM.h"
#include "TALTAB.h"
#include "VINDUER.h"
#include "planvindue_fixtur.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace {

using namespace plantest;
using Klok = std::chrono::steady_clock;

class PlanVindue : public PlanVindueFixtur {
 protected:
  uint32_t par = 0;

  void SetUp() override {
    PlanVindueFixtur::SetUp();
    par = NytPar(akti, dansk);
  }

  uint32_t NytPar(uint32_t a, uint32_t skfa) {
    SkphRec p{};
    p.akti_id = a;
    p.skfa_id = skfa;
    p.Status = 10;
    return Ny(tdskph, tvskph, p);
  }

  // The row position of the first shown row of the kind and activity.
  uint32_t RaekkePos(uint32_t art, uint32_t a) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrY.Pos.Antal; ++i) {
      const uint32_t r = p->Ens.ObjTab[i];
      if (p->ObjTypeTab[r] == art && p->GrundTab[r].Aktivitet == a) return i;
    }
    return 0;
  }
  // The column position of the n-th column of the kind (and week).
  uint32_t KolonnePos(uint32_t art, Uge uge = 0, uint32_t n = 1) {
    Plan *p = P();
    for (uint32_t i = 1; i <= p->StyrX.Pos.Antal; ++i) {
      const uint32_t c = p->StyrX.ObjTab[i];
      if (p->ObjTypeTabX[c] == art && (uge == 0 || p->UgeTab[c] == uge) && --n == 0) return i;
    }
    return 0;
  }
  void Skriv(const char *tekst) { SendMessageA(h, EDITBOX_OK, 0, reinterpret_cast<LPARAM>(tekst)); }
  // Opens the activity's heading, as the fold key would.
  void Udfold(uint32_t a) {
    const uint32_t pos = RaekkePos(PLAN_AKTI, a);
    ASSERT_NE(pos, 0u);
    // The flag is stored: a heading opened before stays open.
    if (!UdfoldSkift(P(), P()->ObjTypeTab, P()->Ens.ObjTab[pos])) return;
    P()->StyrY.Pos.Aktuel = pos;
    ASSERT_TRUE(FoldRaekke(P(), false));
  }
  void Cursor(uint32_t raekke, uint32_t kolonne) {
    Plan *p = P();
    p->StyrY.Pos.Aktuel = raekke;
    p->StyrX.Pos.Aktuel = kolonne;
    p->StyrLX.Pos.Aktuel = 0;
  }
  std::string Log() {
    std::ifstream f(rod / "log" / "tavo.log", std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
  }
};

TEST_F(PlanVindue, AabnesMedGruppensPlanOgLukkesMedGemningOgOprydning) {
  ASSERT_EQ(AabnLog(), 1);
  Aabn();
  Plan *p = P();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(PlanAfVindue(h), p);
  EXPECT_EQ(p->AktPlanGruppe, gruppe);
  EXPECT_EQ(tvffpg.AktuelRec, gruppe);
  EXPECT_NE(hPlanMutex, HANDLE{0});
  const uint32_t pos = RaekkePos(PLAN_AKTI, akti);
  ASSERT_NE(pos, 0u);
  EXPECT_EQ(RaekkePos(PLAN_FAG, akti), 0u);  // under the folded heading
  Udfold(akti);
  EXPECT_NE(RaekkePos(PLAN_FAG, akti), 0u);  // the pair's subject row was made
  Cursor(pos, 1);
  // What other windows ask of it.
  EXPECT_EQ(SendMessageA(h, VINDUE_ART, 0, 0), LRESULT{kPlanVindueType});
  EXPECT_EQ(SendMessageA(h, GANT_AKTUEL_REC, 0, 0), LRESULT{akti});
  EXPECT_EQ(SendMessageA(h, OBJEKT_ART, 0, 0), LRESULT{'K'});
  EXPECT_EQ(SendMessageA(h, HJAELP_EMNE, 0, 0), 74);
  PlanGruppeUger uger{};
  SendMessageA(h, VALG_GENOPBYG_HVIS, 0, reinterpret_cast<LPARAM>(&uger));
  EXPECT_EQ(uger.FraUge, 202431u);  // Thursday 1 August 2024
  EXPECT_EQ(uger.FraDag, 4u);
  EXPECT_EQ(uger.TilUge, 202531u);
  EXPECT_EQ(uger.TilDag, 4u);
  EXPECT_EQ(SendMessageA(h, PLAN_KRYDS, 0, 1), 0);
  EXPECT_EQ(SendMessageA(h, PLAN_KRYDS, 1u << 30, 1), 0);
  const uint32_t anneRaekke = static_cast<uint32_t>(SendMessageA(h, VALG_KAN_SKIFTE, 0, anne));
  ASSERT_NE(anneRaekke, 0u);
  EXPECT_TRUE(p->GrundTab[anneRaekke].Medarbejder1 == anne || p->GrundTab[anneRaekke].Medarbejder2 == anne);
  EXPECT_EQ(SendMessageA(h, VALG_KAN_SKIFTE, 0, 999), 0);

  // The window asks for the room of the columns it shows: folding the
  // first period, which the fixture has open, takes its weeks' room away.
  const LRESULT bred = SendMessageA(h, ENS_BREDDE, 100000, 0);
  p->StyrX.Pos.Aktuel = KolonnePos(32);
  ASSERT_TRUE(FoldKolonne(p, false, false));
  EXPECT_LT(SendMessageA(h, ENS_BREDDE, 100000, 0) + 100, bred);

  hovedFik.clear();
  desktopFik.clear();
  Luk();
  EXPECT_EQ(hPlanMutex, HANDLE{0});
  EXPECT_NE(std::find(hovedFik.begin(), hovedFik.end(), HOVED_VINDUE_LUKKET), hovedFik.end());
  EXPECT_NE(std::find(desktopFik.begin(), desktopFik.end(), ELEMENT_FRIT_AREAL), desktopFik.end());
  LukLog();
  const std::string log = Log();
  for (const char *linje : {"CreatePlan() start", "PlanWndProc() WM_CREATE slut", "PlanWndProc() WM_DESTROY slut"})
    EXPECT_NE(log.find(linje), std::string::npos) << linje;
  // The save wrote the rows the load made.
  uint32_t gemte = 0;
  for (uint32_t n = 1; n < tvffgrund.wRecCnt; ++n)
    gemte += TabRec<FfgrundRec>(tvffgrund, n)->Aktivitet == akti && PlanRecIBrug(TabRec<FfgrundRec>(tvffgrund, n)->Status);
  EXPECT_GE(gemte, 2u);
}

TEST_F(PlanVindue, UdenPlangruppeAabnesDenUdenRaekker) {
  TabRec<FfpgRec>(tvffpg, gruppe)->Status = 0;
  Aabn();
  Plan *p = P();
  EXPECT_EQ(p->AktPlanGruppe, 0u);
  EXPECT_EQ(p->StyrY.Pos.Antal, 0u);
  Luk();
  EXPECT_EQ(hPlanMutex, HANDLE{0});
}

// A job that still waits for the plan mutex when the window closes is
// joined before the plan is saved and freed (the sanitizer build would see
// a job on freed rows).
TEST_F(PlanVindue, LukningVenterPaaEtJobDerStadigKoerer) {
  Aabn();
  Plan *p = P();
  std::atomic<bool> taget{false}, slip{false};
  const HANDLE mutex = hPlanMutex;
  std::thread holder([&] {
    WaitForSingleObject(mutex, INFINITE);
    taget = true;
    while (!slip) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ReleaseMutex(mutex);
  });
  while (!taget) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  ASSERT_NE(StartPlanTraad(p, 4), HANDLE{0});
  std::thread senere([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    slip = true;
  });
  const auto start = Klok::now();
  Luk();
  EXPECT_GE(Klok::now() - start, std::chrono::milliseconds(350));
  senere.join();
  holder.join();
  EXPECT_EQ(hPlanMutex, HANDLE{0});
}

// The number an edit box hands the window goes through the edit rules of
// its cell, not straight into the week.
TEST_F(PlanVindue, IndtastetTalGaarGennemCellensRegel) {
  Aabn();
  Plan *p = P();
  Udfold(akti);
  const uint32_t fagPos = RaekkePos(PLAN_FAG, akti);
  ASSERT_NE(fagPos, 0u);
  const uint32_t fag = p->Ens.ObjTab[fagPos];
  // A period's lessons spread over its weeks with the period's mark.
  const uint32_t periode = KolonnePos(32);
  ASSERT_NE(periode, 0u);
  Cursor(fagPos, periode);
  const std::string tre = "3";
  SendMessageA(h, EDITBOX_OK, 0, reinterpret_cast<LPARAM>(tre.c_str()));
  const uint32_t ppos = p->PPeriode[p->StyrX.ObjTab[periode]];
  EXPECT_EQ(p->GrundTab[fag].PerTab[ppos].Lektioner, 30);
  EXPECT_TRUE(p->GrundTab[fag].PerTab[ppos].PlanStatus & PS_PERIODE);
  const uint32_t uge = UgeTilIndeks(kUge);
  EXPECT_TRUE(p->GrundTab[fag].TalTab[uge].PlanStatus & PS_PERIODE);
  EXPECT_EQ(p->GrundTab[fag].TalTab[uge].Lektioner % 10, 0);
  EXPECT_GT(p->GrundTab[fag].TalTab[uge].Lektioner, 0);

  // A week whose record is locked keeps its value.
  const uint32_t ugePos = KolonnePos(33, kUge);
  ASSERT_NE(ugePos, 0u);
  const int32_t foer = p->GrundTab[fag].TalTab[uge].Lektioner;
  const uint32_t rec = p->GrundTab[fag].TalTab[uge].TalRec;
  ASSERT_NE(rec, 0u);
  TabRec<FftaltabRec>(tvfftaltab, rec)->Status |= 0x10;
  Cursor(fagPos, ugePos);
  const std::string fem = "5";
  SendMessageA(h, EDITBOX_OK, 0, reinterpret_cast<LPARAM>(fem.c_str()));
  EXPECT_EQ(p->GrundTab[fag].TalTab[uge].Lektioner, foer);
  TabRec<FftaltabRec>(tvfftaltab, rec)->Status &= ~0x10;
  SendMessageA(h, EDITBOX_OK, 0, reinterpret_cast<LPARAM>(fem.c_str()));
  EXPECT_EQ(p->GrundTab[fag].TalTab[uge].Lektioner, 50);
}

// A user's path: lessons typed into three weeks and a period, the plan
// closed (and saved) and opened again: the same weeks, periods and marks,
// and the heading's sums are its rows'.
TEST_F(PlanVindue, IndtastedeLektionerGemmesOgLaesesIgen) {
  struct Celle {
    uint32_t art;
    Uge uge;
    uint32_t n;
    const char *tekst;
  };
  const Celle celler[] = {{33, kUge, 1, "2"}, {33, 202447, 1, "3"}, {33, 202448, 1, "1"}, {32, 0, 2, "4"}};
  struct Tal {
    int32_t lekt;
    uint32_t status;
  };
  std::vector<Tal> uger, perioder;
  auto Laes = [&](std::vector<Tal> &u, std::vector<Tal> &per) {
    Plan *p = P();
    const uint32_t pos = RaekkePos(PLAN_FAG, akti);
    ASSERT_NE(pos, 0u);
    const uint32_t fag = p->Ens.ObjTab[pos];
    for (uint32_t w = 1; w <= p->UgeAntal; ++w)
      u.push_back({p->GrundTab[fag].TalTab[w].Lektioner, p->GrundTab[fag].TalTab[w].PlanStatus & 0x1FF});
    for (uint32_t q = 1; q <= p->PeriodeAntal; ++q)
      per.push_back({p->GrundTab[fag].PerTab[q].Lektioner, p->GrundTab[fag].PerTab[q].PlanStatus});
  };
  Aabn();
  Udfold(akti);
  const uint32_t fagPos = RaekkePos(PLAN_FAG, akti);
  ASSERT_NE(fagPos, 0u);
  for (const Celle &c : celler) {
    SCOPED_TRACE(c.tekst);
    const uint32_t k = KolonnePos(c.art, c.uge, c.n);
    ASSERT_NE(k, 0u);
    Cursor(RaekkePos(PLAN_FAG, akti), k);
    Skriv(c.tekst);
  }
  Laes(uger, perioder);
  Luk();

  Aabn();
  Udfold(akti);
  std::vector<Tal> uger2, perioder2;
  Laes(uger2, perioder2);
  ASSERT_EQ(uger.size(), uger2.size());
  int32_t sum = 0;
  for (size_t w = 0; w < uger.size(); ++w) {
    EXPECT_EQ(uger2[w].lekt, uger[w].lekt) << "week index " << w + 1;
    EXPECT_EQ(uger2[w].status, uger[w].status) << "week index " << w + 1;
    sum += uger[w].lekt;
  }
  EXPECT_GT(sum, 60);  // three weeks and a period's spread
  ASSERT_EQ(perioder.size(), perioder2.size());
  for (size_t q = 0; q < perioder.size(); ++q) {
    EXPECT_EQ(perioder2[q].lekt, perioder[q].lekt) << "period " << q + 1;
    EXPECT_EQ(perioder2[q].status, perioder[q].status) << "period " << q + 1;
  }
  // Every open heading's lessons are the sum of the subject rows shown
  // under it.
  Plan *p = P();
  uint32_t hovedRaekke = 0, raekker = 0, hoveder = 0;
  auto Tjek = [&] {
    if (hovedRaekke) {
      EXPECT_EQ(p->GrundTab[hovedRaekke].SumLektioner, raekker) << "heading row " << hovedRaekke;
    }
    hoveder += hovedRaekke != 0;
  };
  for (uint32_t i = 1; i <= p->StyrY.Pos.Antal; ++i) {
    const uint32_t r = p->Ens.ObjTab[i];
    if (p->ObjTypeTab[r] == PLAN_FAG) {
      if (p->GrundTab[r].KopiAf == 0) raekker += p->GrundTab[r].SumLektioner;
      continue;
    }
    Tjek();
    hovedRaekke = p->ObjTypeTab[r] == PLAN_AKTI && p->GrundTab[r].Udfoldet ? r : 0;
    raekker = 0;
  }
  Tjek();
  EXPECT_GE(hoveder, 1u);
}

TEST_F(PlanVindue, MedarbejderMedPlanUdenforSinPeriodeAfvises) {
  // Bo's employment ends before the week that holds his lessons.
  Aabn();
  Plan *p = P();
  const uint32_t bosRaekke = static_cast<uint32_t>(SendMessageA(h, VALG_KAN_SKIFTE, 0, bo));
  ASSERT_NE(bosRaekke, 0u);
  p->GrundTab[bosRaekke].TalTab[UgeTilIndeks(kUge)].Lektioner = 20;
  TabRec<AnfoRec>(tvanfo, bo)->Tildato = 20241001;
  const uint32_t raekker = p->GrundTabAntal;
  tavo::test::StartDialogScript(5000);
  SendMessageA(h, VALG_MARKERET, 'M', bo);
  const auto bokse = tavo::test::MessageBoxesShown();
  tavo::test::StopDialogScript();
  ASSERT_EQ(bokse.size(), 1u);
  EXPECT_EQ(bokse[0].caption, "Planer udenfor periode!");
  EXPECT_EQ(bokse[0].text,
            "Der er lagt plan lektioner/timer udenfor medarbejderens periode!\nDem b\xF8r du fjerne f\xF8r "
            "medarbejderen kan v\xE6lges.");
  EXPECT_EQ(p->GrundTabAntal, raekker);
}

// The plan window never keeps the keyboard focus; a click that a pane
// passes on makes the cell under the mouse current, and one on a heading's
// fold mark folds it.
TEST_F(PlanVindue, KlikFlytterCursorenOgFolderOgFokusBliverIHovedvinduet) {
  ShowWindow(hwndHoved, SW_SHOW);
  Aabn();
  Plan *p = P();
  Udfold(akti);
  const uint32_t fagPos = RaekkePos(PLAN_FAG, akti), ugePos = KolonnePos(33, kUge);
  ASSERT_NE(fagPos, 0u);
  ASSERT_NE(ugePos, 0u);
  // The week area scrolls in pixels; the pane reports its own coordinates.
  const int x = PlanKolonneX(p, ugePos, PLAN_OMR_UGER) + 3, y = PlanRaekkeY(p, fagPos) + 3;
  SendMessageA(h, ENS_CELLER_NED, 0, MAKELPARAM(x, y));
  EXPECT_EQ(p->StyrY.Pos.Aktuel, fagPos);
  EXPECT_EQ(p->StyrX.Pos.Aktuel, ugePos);

  const uint32_t hovedPos = RaekkePos(PLAN_AKTI, akti);
  SendMessageA(h, ENS_RAEKKEHOVED_NED, 0, MAKELPARAM(PlanKolonneX(p, 1, PLAN_OMR_VENSTRE) + 3,
                                                       PlanRaekkeY(p, hovedPos) + 3));
  EXPECT_EQ(RaekkePos(PLAN_FAG, akti), 0u);  // folded again
  EXPECT_EQ(p->StyrY.Pos.Aktuel, RaekkePos(PLAN_AKTI, akti));

  SetFocus(h);
  EXPECT_EQ(GetFocus(), hwndHoved);
}

// A saved screen that holds the plan window opens it again through the
// factory, on the desktop as its parent and with the group's plan loaded.
TEST_F(PlanVindue, EnGemtSkaermGenaabnerDenPaaDesktoppen) {
  char gemtSti[sizeof StiTab.szskrm];
  memcpy(gemtSti, StiTab.szskrm, sizeof gemtSti);
  snprintf(StiTab.szskrm, sizeof StiTab.szskrm, "%sini\\skrm.ini", StiTab.szdata);
  const int32_t nul = 0, type = kPlanVindueType;
  const RECT rekt{10, 20, 900, 700};
  ASSERT_TRUE(WritePrivateProfileStringA("skrm3", "navn", "Plan", StiTab.szskrm));
  WritePrivateProfileStructA("skrm3", "skrm_cx", const_cast<int32_t *>(&nul), 4, StiTab.szskrm);
  WritePrivateProfileStructA("skrm3", "skrm_cy", const_cast<int32_t *>(&nul), 4, StiTab.szskrm);
  WritePrivateProfileStructA("skrm3", "desk0_id", const_cast<int32_t *>(&type), 4, StiTab.szskrm);
  WritePrivateProfileStructA("skrm3", "desk0_rect", const_cast<RECT *>(&rekt), sizeof rekt, StiTab.szskrm);

  tavo::test::StartDialogScript(30000);
  Svar(1);
  HentSkaerm(3);
  tavo::test::StopDialogScript();
  memcpy(StiTab.szskrm, gemtSti, sizeof gemtSti);
  h = FindVindueType(kPlanVindueType);
  ASSERT_NE(h, (HWND)0);
  EXPECT_EQ(GetParent(h), hwndDesktop);
  Plan *p = P();
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->AktPlanGruppe, gruppe);
  EXPECT_NE(RaekkePos(PLAN_AKTI, akti), 0u);
}

}  // namespace
