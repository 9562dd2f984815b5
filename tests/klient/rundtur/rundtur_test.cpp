// The whole exchange as a user runs it, against the job-server stand-in and
// its central system: a small school with new, changed and deleted events
// (one placed through the common event writer), postings, removed master
// records and plan groups; F11 in the main window, the export dialog, "Skal
// serveren kontaktes?" and the login answered by the dialog script; the
// server pane's timer runs the next contact, which fetches the answer and
// tells the main window, which imports it. Then the rows, records and files
// as the receipts leave them, after the save and a fresh load too.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../exchange/eksport_fixture.h"
#include "../exchange/serverrude.h"
#include "ADDBEG.h"
#include "AVSHJAELP.h"
#include "EKSPKMD.h"
#include "FULDIMPORT.h"
#include "HENTGEM.h"
#include "HOVEDVIN.h"
#include "ImpData.h"
#include "KONTAKT.h"
#include "KROGE.h"
#include "NULSTIL.h"
#include "VEDLIGE.h"
#include "WCSERVER.h"
#include "eksportdlg.h"
#include "tavo/clock.h"
#include "tavo/test_dialog.h"

namespace {

using namespace eksporttest;
using tavo::test::ShownDialog;

// The main window's own procedure; its creation and closing, which build
// and tear down the whole program, are left to the test.
LRESULT CALLBACK HovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CREATE || m == WM_DESTROY) return DefWindowProcA(h, m, w, l);
  if (m == WM_SIZE) {
    LayoutStatusBar();
    return 0;
  }
  return MainWndProc(h, m, w, l);
}

// Copies of packed rows, whose fields a test may bind to references.
SkeRec SkeK(Uge uge, uint32_t r) { return EksportSkole::Ske(uge, r); }
TimoakRaekke TimK(Maaned mnd, uint32_t r) { return EksportSkole::Tim(mnd, r); }

// The central ids the stand-in gives, in the order of the export.
constexpr uint32_t kId1 = 100001;

class RundTur : public EksportSkole {
 public:
  jobtest::JobServer js;
  serverrudetest::HovedMedRude vindue;
  HWND hoved = 0, rude = 0;
  // The first rows of the school's events and the postings' rows.
  uint32_t ny = 0, aendret = 0, slettet = 0, sendt = 0, tid = 0, skrevet = 0;
  uint32_t post1 = 0, post2 = 0, postSlettet = 0, postOkt = 0;
  uint32_t planNy = 0, planSlettet = 0;
  HentGemKroge gemtKrog{};

  void SetUp() override {
    EksportSkole::SetUp();
    tavo::test::ResetUser();
    ServerTidsfrist = 5000;
    LoginTilstand = 1;
    ElevplanSlaaetTil = 0;
    serverrudetest::KontaktIndstillinger();
    WritePrivateProfileStringA("tider", "fremmedkontakt", "99991231", StiTab.szini);
    GlobalIndstillinger.autoimport = 1;
    // The save removes the exchange files of an import through the data
    // store's slots, as the program's wiring fills them.
    gemtKrog = HentGemKrog;
    InstallerImportData();
    vindue.Opret(HovedProc, "RundTurHoved", rod);
    hoved = vindue.hoved;
    rude = vindue.rude;
    tavo::test::StartDialogScript(10000);
    Skole();
  }

  void TearDown() override {
    vindue.Luk();
    HentGemKrog = gemtKrog;
    tavo::test::StopDialogScript();
    HovedFokus = HovedFokusRec{0, 0, -1, 0, {}, 0, 0};
    ImportVenter = false;
    tavo::ClearFakeClock();
    tavo::test::ResetUser();
    unsetenv("TAVO_SERVICES");
    ServerTidsfrist = SERVER_TIDSFRIST_STANDARD;
    EksportSkole::TearDown();
  }

  // The school of the export's own tests, the rows it sends found by their
  // ids; an event placed through the common event writer; a new and a
  // deleted plan group. Saved as the program keeps it.
  void Skole() {
    HeleSkolen();
    TabVar *uge = SkemabegBucket(202437);
    for (uint32_t r = 1; r < uge->wRecCnt; ++r) {
      const SkeRec &s = SkeK(202437, r);
      if (s.Forste != r) continue;
      if (s.id == 0) ny = r;
      if (s.id == 22) aendret = r;
      if (s.id == 33) slettet = r;
      if (s.id == 44) sendt = r;
    }
    tid = 1;
    post1 = 1, post2 = 2, postSlettet = 3, postOkt = 1;

    AVS avs{};
    avs.aktiTab = static_cast<uint32_t *>(malloc(sizeof(uint32_t)));
    avs.aktiTab[0] = s.k4;
    avs.aktiAntal = 1;
    avs.lokaTab = static_cast<uint32_t *>(malloc(sizeof(uint32_t)));
    avs.lokaTab[0] = s.l1;
    avs.lokrolleTab = static_cast<uint32_t *>(malloc(sizeof(uint32_t)));
    avs.lokrolleTab[0] = s.lokrolle;
    avs.lokaAntal = 1;
    avs.Ejer = kIns;
    avs.Placering = 'T';
    avs.Art = 'S';
    avs.Dag = 3;
    avs.Starttid = 1300;
    avs.Sluttid = 1430;
    avs.Antal_std_lektioner = 2;
    ASSERT_EQ(AddBegivenhed(&avs, 0, 0, 40, SKE_EGEN, false, nullptr, 0, 0), 1);
    CleanupAVS(&avs);
    for (uint32_t r = 1; r < SkemabegBucket(202440)->wRecCnt && !skrevet; ++r)
      if (SkeK(202440, r).akti_id == s.k4) skrevet = r;
    ASSERT_NE(skrevet, 0u);

    FfpgRec p{};
    p.Ejer = kIns, p.Status = 0x40, p.Fradato = 20240801, p.Tildato = 20250731;
    Tekst(p.Navn, "Plan A");
    planNy = Ny(tdffpg, tvffpg, p);
    p.id = 812, p.Status = 0x48;
    Tekst(p.Navn, "Plan B");
    planSlettet = Ny(tdffpg, tvffpg, p);
    CountExportChanges();
    GemAlt();
  }

  void Start(const std::vector<std::string> &script = {}) {
    std::string tekst = "queue-seconds 20\nring 501 800-845 850-935 945-1030\n";
    for (const std::string &l : script) tekst += l + "\n";
    js.Fejl(tekst);
    ASSERT_TRUE(serverrudetest::StartServer(&js));
  }

  KontaktState *St() const { return ServerKontakt(rude); }

  bool Faerdig() const {
    return serverrudetest::Indtil([this] { return St()->traad == 0; });
  }

  // F11 as the user answers it: the dialog's choices as they stand, "Skal
  // serveren kontaktes?" OK, and the password when asked.
  void F11() {
    serverrudetest::SvarEksport();
    Login();
    SendMessageA(hoved, WM_KEYDOWN, VK_F11, 0);
    ASSERT_TRUE(Faerdig());
    EXPECT_EQ(tavo::test::DialogFailures(), std::vector<std::string>{});
  }
  void Login() {
    if (St()->logget) return;
    tavo::test::AnswerNextDialog([](const ShownDialog &d) {
      SetDlgItemTextA(d.hwnd, IDC_LOGON_PASSWORD, "hemmelig");
      SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
      return INT_PTR{0};
    });
  }
  // The pane's timer runs the next contact.
  void Timer() {
    Login();
    SendMessageA(rude, WM_TIMER, kServerTimer, 0);
    ASSERT_TRUE(Faerdig());
  }

  // The export as the central system got it.
  std::string Job() const { return jobtest::LaesFil(js.SpoolFil("job/skoleind7")); }
  bool Logget(const std::string &tekst) const {
    for (const std::string &l : js.Log())
      if (l.find(tekst) != std::string::npos) return true;
    return false;
  }

  static void TjekBegivenhed(Uge uge, uint32_t forste, uint32_t antal, uint32_t status, uint32_t id) {
    for (uint32_t r = forste; r < forste + antal; ++r) {
      SCOPED_TRACE("uge " + std::to_string(uge) + " række " + std::to_string(r));
      const SkeRec s = SkeK(uge, r);
      EXPECT_EQ(uint32_t{s.Status}, status);
      EXPECT_EQ(uint32_t{s.id}, id);
      EXPECT_EQ(s.Fejl, 0);
      EXPECT_EQ(s.Konflikt, 0);
      if (status == 96) { EXPECT_GT(double{s.opdtid}, 2.0e13); }
    }
  }

  // Every receipt applied.
  void TjekModtaget() {
    // The event by lesson took its times from the central ring system.
    TjekBegivenhed(202437, ny, 3, 96, kId1);
    EXPECT_EQ(+SkeK(202437, ny).Starttid, 945u);
    EXPECT_EQ(+SkeK(202437, ny + 2).Sluttid, 1030u);
    TjekBegivenhed(202438, tid, 2, 96, kId1 + 1);
    TjekBegivenhed(202440, skrevet, 1, 96, kId1 + 2);
    // The deletions are final; what was not sent is as it was.
    TjekBegivenhed(202437, aendret, 2, 0, 22);
    TjekBegivenhed(202437, slettet, 2, 0, 33);
    EXPECT_EQ(+SkeK(202437, sendt).Status, 0x50u);
    EXPECT_EQ(+TimK(202409, post1).Status, 96);
    EXPECT_EQ(+TimK(202409, post1).id, kId1 + 3);
    EXPECT_EQ(+TimK(202409, post2).id, kId1 + 4);
    EXPECT_EQ(+TimK(202410, postOkt).Status, 96);
    EXPECT_EQ(+TimK(202410, postOkt).id, kId1 + 5);
    EXPECT_EQ(+TimK(202409, postSlettet).Status, 0);
    // The plan groups: the new one confirmed with its id, the deleted one
    // given up.
    // The re-sort after the import may have moved them: found by name.
    const FfpgRec pn = Plan("Plan A");
    EXPECT_EQ(+pn.Status, 32);
    EXPECT_EQ(uint32_t{pn.id}, kId1 + 6);
    EXPECT_EQ(+Plan("Plan B").Status, 0);
    // The removed activity, employment and room were sent.
    EXPECT_EQ(+Rec<AktiRec>(tdakti, tvakti, s.k3).Status, 32);
    EXPECT_EQ(+Rec<AnfoRec>(tdanfo, tvanfo, s.a2).Status, 132);
    EXPECT_EQ(+Rec<LokaRec>(tdloka, tvloka, s.l2).Status, 32);
    // Nothing waits to be sent (the event and the posting the school had
    // sent before still wait for their answer), and the exchange files are
    // gone.
    CountExportChanges();
    EXPECT_EQ(std::vector<uint32_t>(EksportTaellere, EksportTaellere + kAntalEksportTaellere),
              (std::vector<uint32_t>{0, 1, 0, 0, 0, 0, 1, 0, 0, 0}));
    for (const char *f : {"exp.dat", "exp.dat.gz", "imp.dat", "imp.dat.gz"}) EXPECT_FALSE(Findes(f)) << f;
  }

  // The live plan group of the name (a zero record when there is none).
  static FfpgRec Plan(const char *navn) {
    for (uint32_t r = 1; r < tvffpg.wRecCnt; ++r) {
      const auto *p = reinterpret_cast<const FfpgRec *>(GetRec(&tdffpg, &tvffpg, r));
      if (p && p->Status && strcmp(p->Navn, navn) == 0) return *p;
    }
    return FfpgRec{};
  }

  // The activities and the event rows by their ids, sorted: what a whole
  // data set brings, whatever record numbers it gives them.
  static std::vector<std::string> Skolen() {
    std::vector<std::string> v;
    for (uint32_t r = 1; r < tvakti.wRecCnt; ++r)
      if (const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, r)); a && a->Status)
        v.push_back("akti " + std::to_string(uint32_t{a->id}));
    for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) {
      TabVar *b = SkemabegBucket(IndeksTilUge(i));
      for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
        const SkeRec s = SkeK(IndeksTilUge(i), r);
        if (!s.Status) continue;
        const uint32_t akti = s.akti_id ? uint32_t{reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, s.akti_id))->id} : 0;
        v.push_back("uge " + std::to_string(IndeksTilUge(i)) + " id " + std::to_string(uint32_t{s.id}) + " akti " +
                    std::to_string(akti) + " " + std::to_string(uint32_t{s.Starttid}));
      }
    }
    std::sort(v.begin(), v.end());
    return v;
  }

  // After the save, as the next start loads it.
  void Genindlaes() {
    HentAlt();
  }
};

TEST_F(RundTur, TheReceiptsOfTheCentralSystemComeBackThroughTheMainWindow) {
  Start();
  tavo::SetFakeClock(1733835600);
  F11();
  EXPECT_EQ(St()->timer, 20000u);
  EXPECT_TRUE(Findes("exp.dat.gz"));
  const std::string eksport = Job();
  EXPECT_NE(eksport.find("\n@S+\n"), std::string::npos) << eksport;

  // The timer's contact: the runner has taken the job, the answer comes
  // back and the main window reads it at once.
  Timer();
  EXPECT_TRUE(Logget("#central svar job/skoleind7 K;20240801;20240801;20250731;"));
  EXPECT_FALSE(ImportVenter);
  TjekModtaget();
  Genindlaes();
  TjekModtaget();

  // Nothing left to send: the next export is its header alone (the
  // schedule priorities, sent while their flag is on, are turned off).
  SaetFlag("exportermedaskeprior", "0");
  F11();
  const std::string igen = Job();
  EXPECT_EQ(igen.find('\n'), igen.size() - 1) << igen;
  EXPECT_EQ(igen.substr(0, 2), "K;");
}

TEST_F(RundTur, RefusedLinesKeepTheirCodesAndGoAgain) {
  // The event by lesson refused for its second participant (the activity is
  // already scheduled elsewhere); the deletion of the changed event refused
  // in a locked period; the first posting refused with installation 5's
  // booking. The central system's report of the refused event and its
  // message follow the receipts.
  const std::string genfejl = js.Mappe() + "/genfejl", besked = js.Mappe() + "/besked";
  jobtest::SkrivFil(genfejl, "S2024,37," + std::to_string(ny) + ",17,0,0,1\n");
  jobtest::SkrivFil(besked, "Skemaet er modtaget med fejl\n");
  Start({"refuse S+ 1 17 2 0", "refuse S- 1 61", "refuse B+ 1 12 5", "section genfejl " + genfejl,
         "section message " + besked});
  F11();
  Timer();
  EXPECT_TRUE(Logget("#central afviser S+ 1: 17"));
  EXPECT_TRUE(Logget("#central afviser S- 1: 61"));
  const std::string rapport = LaesFil(rod / "log" / "genfejl.log");
  EXPECT_NE(rapport.find("Skema fejl 17, objekt 1:"), std::string::npos) << rapport;
  const auto bokse = tavo::test::MessageBoxesShown();
  ASSERT_FALSE(bokse.empty());
  EXPECT_EQ(bokse.back().caption, "Import besked!");
  EXPECT_EQ(bokse.back().text, "Skemaet er modtaget med fejl\n");
  for (int omgang = 0; omgang < 2; ++omgang) {
    SCOPED_TRACE(omgang ? "efter genindlæsning" : "efter importen");
    for (uint32_t r = ny; r < ny + 3; ++r) {
      EXPECT_EQ(+SkeK(202437, r).Status, r == ny + 1 ? 71u : 70u) << r;
      EXPECT_EQ(+SkeK(202437, r).Fejl, 17);
    }
    // A refused deletion keeps its rows, with code 61: the change mark '='.
    for (uint32_t r = aendret; r < aendret + 2; ++r) {
      EXPECT_EQ(+SkeK(202437, r).Status, 100u);
      EXPECT_EQ(+SkeK(202437, r).Fejl, '=');
    }
    EXPECT_EQ(+TimK(202409, post1).Status, 70);
    EXPECT_EQ(+TimK(202409, post1).Fejl, 12);
    EXPECT_EQ(+TimK(202409, post1).Konflikt, 5);
    // What was accepted is as in the run without refusals.
    TjekBegivenhed(202438, tid, 2, 96, kId1);
    TjekBegivenhed(202437, slettet, 2, 0, 33);
    EXPECT_EQ(+TimK(202409, post2).Status, 96);
    Genindlaes();
  }

  // The next export sends the refused deletion and the refused event again.
  SaetFlag("exportermedaskeprior", "0");
  F11();
  const std::string igen = Job();
  EXPECT_NE(igen.find("@S-\n2024,37," + std::to_string(aendret) + ",22\n"), std::string::npos) << igen;
  EXPECT_NE(igen.find("N20240910,37," + std::to_string(ny) + ",3,0\n"), std::string::npos) << igen;
}

TEST_F(RundTur, ACutDownloadIsCompletedByTheNextContact) {
  Start();
  F11();
  // The script holds for new connections: the pane logs off first.
  js.Fejl("ring 501 800-845 850-935 945-1030\ncut-body 40\n");
  SendMessageA(rude, WM_KONTAKT_LOGOFF, 0, 0);
  Timer();
  EXPECT_TRUE(js.VentPaaLog("#afbrudt", 3000));
  EXPECT_FALSE(Findes("imp.dat"));
  EXPECT_EQ(+SkeK(202437, ny).Status, 0x50u);
  EXPECT_TRUE(Findes("exp.dat.gz"));

  js.Fejl("ring 501 800-845 850-935 945-1030\n");
  Timer();
  TjekModtaget();
  Genindlaes();
  TjekModtaget();
}

TEST_F(RundTur, AFailedJobStopsTheImportAndKeepsItsFile) {
  Start({"fail"});
  GlobalIndstillinger.autoimport = 0;
  F11();
  Timer();
  // Without autoimport the answer waits for Ctrl+F11.
  EXPECT_TRUE(ImportVenter);
  const std::string svar = LaesFil(Data("imp.dat"));
  EXPECT_EQ(svar.substr(svar.find('\n') + 1), "!FEJL\n");
  EXPECT_EXIT(
      {
        // The wait dialog runs on; the box is printed.
        for (int i = 0; i < 2; ++i)
          tavo::test::AnswerNextDialog([](const ShownDialog &d) {
            if (!d.messageBox) return INT_PTR{0};
            fprintf(stderr, "[%s]\n", d.caption.c_str());
            return INT_PTR{IDOK};
          });
        ImportKommando(hoved);
      },
      ::testing::ExitedWithCode(kDataFejlExitKode), "\\[Data fejl\\]");
  // Nothing was taken over: the sent rows still wait for their answer. The
  // file is kept aside, where the next start does not stop on it.
  EXPECT_FALSE(Findes("imp.dat"));
  EXPECT_EQ(LaesFil(Data("imp.fejl")), svar);
  EXPECT_EQ(+SkeK(202437, ny).Status, 0x50u);
  EXPECT_EQ(+TimK(202409, post1).Status, 0x50);
}

TEST_F(RundTur, AWholeDataSetReplacesTheSchool) {
  // The central system sends the school whole, as written from what it
  // holds: here the school as it stands before the export.
  const std::string fuld = js.Mappe() + "/fuld.dat";
  std::string fejl;
  ASSERT_EQ(SkrivFuldImport(fuld.c_str(), &fejl), 0) << fejl;
  ImportDataKrog.ResetAllData = ResetAllData;
  Start({"full " + fuld});
  F11();
  Timer();
  ImportDataKrog.ResetAllData = nullptr;
  for (const char *f : {"exp.dat", "exp.dat.gz", "imp.dat"}) EXPECT_FALSE(Findes(f)) << f;
  // Emptied first, then read: nothing twice, and saved as read. (The test
  // school's own records lack fields a whole set must carry, so not all of
  // it comes back.)
  const std::vector<std::string> efter = Skolen();
  EXPECT_EQ(std::adjacent_find(efter.begin(), efter.end()), efter.end());
  EXPECT_NE(std::find(efter.begin(), efter.end(), "akti 999999999"), efter.end());
  Genindlaes();
  EXPECT_EQ(Skolen(), efter);
}

}  // namespace
