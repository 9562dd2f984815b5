// The plan jobs' recount protocol on the plan-data mutex and the plan
// window's wait dialogs, driven through the dialog hook and the message log.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "FF_PlanFyld.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "PLAN.h"
#include "PLANIDX.h"
#include "PlanTraad.h"
#include "RECPRED.h"
#include "TALTAB.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"
#include "win/controls.h"

namespace {

using Klok = std::chrono::steady_clock;

class PlanTraadeBase : public storetest::DataMappe {
 protected:
  Plan plan{};
  HANDLE gemtMutex = 0;
  void SetUp() override {
    storetest::DataMappe::SetUp();
    predtest::TommeTabeller();
    OpretTalMutex();
    gemtMutex = hPlanMutex;
    hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
    ASSERT_NE(hPlanMutex, HANDLE{0});
    AllokerPlanTabeller(&plan);
    PlanOpdaterVenter.store(0);
    RegistrerPlanVenteSkabeloner();
  }
  void TearDown() override {
    VentPaaPlanTraade(&plan);
    tavo::test::StopDialogScript();
    if (hPlanMutex) CloseHandle(hPlanMutex);
    hPlanMutex = gemtMutex;
    TomPlan(&plan);
    TomPlanTabeller(&plan);
    FreePlanTab();
    PlanIndeksNulstil();
    PlanOpdaterVenter.store(0);
    storetest::DataMappe::TearDown();
  }
};

// A thread that holds a mutex until told to let go.
class Holder {
 public:
  explicit Holder(HANDLE h, bool somPlanJob = false) {
    t_ = std::thread([this, h, somPlanJob] {
      if (somPlanJob) {
        PlanLaas laas;
        taget_ = true;
        while (!slip_.load()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
      } else {
        WaitForSingleObject(h, INFINITE);
        taget_ = true;
        while (!slip_.load()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ReleaseMutex(h);
      }
    });
    while (!taget_.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  void Slip() {
    slip_ = true;
    if (t_.joinable()) t_.join();
  }
  ~Holder() { Slip(); }

 private:
  std::thread t_;
  std::atomic<bool> taget_{false}, slip_{false};
};

DWORD Udgangskode(HANDLE h) {
  WaitForSingleObject(h, INFINITE);
  DWORD kode = 99;
  GetExitCodeThread(h, &kode);
  return kode;
}

// ---- Job 3 ----

class PlanTraadeOptael : public PlanTraadeBase {};

TEST_F(PlanTraadeOptael, AnmodningerUnderEtHoldSamlesTilEnOptaelling) {
  // An entry no recount makes: it stays while the recount has not run.
  NyPlanTabPost()->akti = 4711;
  ASSERT_EQ(PlanTal.Antal, 1u);
  const uint32_t foer = PlanOptaellinger();
  {
    Holder job(hPlanMutex, true);
    for (int i = 0; i < 3; ++i) {
      const HANDLE h = StartPlanTraad(&plan, 3);
      ASSERT_NE(h, HANDLE{0});
      EXPECT_EQ(Udgangskode(h), 0u) << i;
      EXPECT_EQ(PlanOpdaterVenter.load(), 1u) << i;
      EXPECT_EQ(PlanTal.Antal, 1u) << i;
      EXPECT_EQ(PlanTal.PlanTab[1].akti, 4711u) << i;
    }
    EXPECT_EQ(PlanOptaellinger(), foer);
  }  // the job lets go: the pending recount runs
  VentPaaPlanTraade(&plan);
  EXPECT_EQ(PlanOptaellinger(), foer + 1);
  EXPECT_EQ(PlanOpdaterVenter.load(), 0u);
  EXPECT_EQ(PlanTal.Antal, 0u);
  EXPECT_EQ(plan.hPlanTraad, HANDLE{0});
}

TEST_F(PlanTraadeOptael, EfterladtMutexGiverResultat0OgRoerIkkeFlaget) {
  for (uint32_t flag : {0u, 1u}) {
    SCOPED_TRACE(flag);
    const HANDLE h = hPlanMutex;
    const HANDLE doed = CreateThread(
        nullptr, 0, [](LPVOID p) -> DWORD { return WaitForSingleObject(static_cast<HANDLE>(reinterpret_cast<uintptr_t>(p)), INFINITE); },
        reinterpret_cast<LPVOID>(static_cast<uintptr_t>(h)), 0, nullptr);
    ASSERT_NE(doed, HANDLE{0});
    WaitForSingleObject(doed, INFINITE);
    CloseHandle(doed);
    PlanOpdaterVenter.store(flag);
    const uint32_t foer = PlanOptaellinger();
    EXPECT_EQ(Udgangskode(StartPlanTraad(&plan, 3)), 0u);
    EXPECT_EQ(PlanOpdaterVenter.load(), flag);
    EXPECT_EQ(PlanOptaellinger(), foer);
    // The job gave the mutex back: it is free now.
    ASSERT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
    ReleaseMutex(h);
    PlanOpdaterVenter.store(0);
    VentPaaPlanTraade(&plan);
  }
}

// ---- The wait dialogs ----

class PlanTraadeDialoger : public PlanTraadeBase {};

// The positions the bar took, from the PBM messages it received.
std::vector<int> BarPositioner(const std::vector<tavo::test::LoggedMessage> &log, HWND bar) {
  std::vector<int> pos;
  int p = 0, skridt = 10;
  for (const auto &m : log) {
    if (m.hwnd != bar) continue;
    if (m.msg == PBM_SETPOS) p = static_cast<int>(m.wParam);
    else if (m.msg == PBM_SETSTEP) skridt = static_cast<int>(m.wParam);
    else if (m.msg == PBM_STEPIT) p = std::min(100, p + skridt);
    else continue;
    pos.push_back(p);
  }
  return pos;
}

TEST_F(PlanTraadeDialoger, OpdaterUdenVentetidVisesIkke) {
  for (bool nul : {false, true}) {
    SCOPED_TRACE(nul);
    tavo::test::StartDialogScript(2000);
    bool vist = false;
    tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &) -> INT_PTR {
      vist = true;
      return IDCANCEL;
    });
    EXPECT_EQ(VentPaaMutex(nul ? HANDLE{0} : hPlanMutex), 1);
    EXPECT_FALSE(vist);
    tavo::test::StopDialogScript();
    // A free mutex is left free.
    ASSERT_EQ(WaitForSingleObject(hPlanMutex, 0), WAIT_OBJECT_0);
    ReleaseMutex(hPlanMutex);
  }
}

TEST_F(PlanTraadeDialoger, OpdaterVenterISkridtPaa700ms) {
  std::atomic<bool> start{false};
  std::atomic<bool> taget{false};
  const HANDLE h = hPlanMutex;
  std::thread holder([&] {
    WaitForSingleObject(h, INFINITE);
    taget = true;
    while (!start.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    ReleaseMutex(h);
  });
  while (!taget.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  tavo::test::StartDialogScript(10000);
  HWND bar = 0;
  std::string caption;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    caption = d.caption;
    if (const auto *c = d.Control(IDC_VENTE_BAR)) bar = c->hwnd;
    start = true;
    return 0;
  });
  tavo::test::StartMessageLog();
  const INT_PTR r = VentPaaMutex(h);
  const auto log = tavo::test::StopMessageLog();
  holder.join();
  EXPECT_EQ(r, 1);
  EXPECT_EQ(caption, "Opdater data");
  ASSERT_NE(bar, HWND{0});
  EXPECT_EQ(BarPositioner(log, bar), (std::vector<int>{10, 10, 20, 30, 100}));
  EXPECT_TRUE(tavo::test::DialogFailures().empty());
  // The dialog let the mutex go again.
  ASSERT_EQ(WaitForSingleObject(h, 0), WAIT_OBJECT_0);
  ReleaseMutex(h);
}

TEST_F(PlanTraadeDialoger, LukLukkerMutexOgEnRapportVenterIkkeBagefter) {
  for (bool optaget : {false, true}) {
    SCOPED_TRACE(optaget);
    if (!hPlanMutex) hPlanMutex = CreateMutexA(nullptr, FALSE, nullptr);
    tavo::test::StartDialogScript(5000);
    // The holder lets go 300 ms after the dialog shows.
    std::atomic<bool> taget{false}, vist{false};
    std::thread holder;
    if (optaget) {
      const HANDLE h = hPlanMutex;
      holder = std::thread([&, h] {
        WaitForSingleObject(h, INFINITE);
        taget = true;
        while (!vist.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ReleaseMutex(h);
      });
      while (!taget.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &) -> INT_PTR {
        vist = true;
        return 0;
      });
    }
    EXPECT_EQ(DialogBoxParamA(0, MAKEINTRESOURCE(IDD_PLAN_VENTE), 0, LukPlanDlgProc, reinterpret_cast<LPARAM>(&plan)),
              1);
    if (holder.joinable()) holder.join();
    EXPECT_EQ(hPlanMutex, HANDLE{0});
    // A report's wait on the plan mutex now ends at once, unseen.
    const auto t0 = Klok::now();
    EXPECT_EQ(VentPaaMutex(hPlanMutex), 1);
    EXPECT_LT(Klok::now() - t0, std::chrono::milliseconds(500));
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
  }
}

TEST_F(PlanTraadeDialoger, GemTrinSkridtene) {
  tavo::test::StartDialogScript(10000);
  HWND bar = 0;
  tavo::test::AnswerNextDialog([&](const tavo::test::ShownDialog &d) -> INT_PTR {
    if (const auto *c = d.Control(IDC_VENTE_BAR)) bar = c->hwnd;
    return 0;
  });
  plan.GemAlt = 7;  // the save clears it
  tavo::test::StartMessageLog();
  const INT_PTR r =
      DialogBoxParamA(0, MAKEINTRESOURCE(IDD_PLAN_VENTE), 0, GemPlanTrinDlgProc, reinterpret_cast<LPARAM>(&plan));
  const auto log = tavo::test::StopMessageLog();
  EXPECT_EQ(r, 1);
  ASSERT_NE(bar, HWND{0});
  const std::vector<int> pos = BarPositioner(log, bar);
  ASSERT_GE(pos.size(), 6u);
  EXPECT_EQ(pos[0], 10);
  EXPECT_EQ(std::vector<int>(pos.end() - 5, pos.end()), (std::vector<int>{30, 30, 60, 90, 100}));
  EXPECT_EQ(plan.GemAlt, 0u);  // the save ran
}

TEST_F(PlanTraadeDialoger, EscFoerFoersteMalingGoerIntet) {
  struct Tilfaelde {
    const char *navn;
    DLGPROC proc;
    int skabelon;
    bool mutexParam;
  };
  const Tilfaelde tabel[] = {{"hent", HentPlanDlgProc, IDD_VENTE, false},
                             {"gem", GemPlanDlgProc, IDD_PLAN_VENTE, false},
                             {"gemtrin", GemPlanTrinDlgProc, IDD_PLAN_VENTE, false},
                             {"opdater", OpdaterPlanDlgProc, IDD_PLAN_VENTE, true},
                             {"luk", LukPlanDlgProc, IDD_PLAN_VENTE, false}};
  Holder holder(hPlanMutex);  // the waiting dialogs have something to wait for
  const HANDLE h = hPlanMutex;
  for (const auto &t : tabel) {
    SCOPED_TRACE(t.navn);
    tavo::test::StartDialogScript(5000);
    tavo::test::AnswerNextDialog([](const tavo::test::ShownDialog &) -> INT_PTR {
      tavo::test::PressKey(VK_ESCAPE);
      return 0;
    });
    plan.GemAlt = 7;  // a save would clear it
    const LPARAM param = t.mutexParam ? static_cast<LPARAM>(h) : reinterpret_cast<LPARAM>(&plan);
    EXPECT_EQ(DialogBoxParamA(0, MAKEINTRESOURCE(t.skabelon), 0, t.proc, param), 2);
    EXPECT_EQ(plan.GemAlt, 7u);
    EXPECT_EQ(hPlanMutex, h);  // not closed
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
  }
}

}  // namespace
