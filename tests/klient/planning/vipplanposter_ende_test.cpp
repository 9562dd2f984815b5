// Posting plan hours as a user does it, on a made school: the plan window
// in the employees' view, Ctrl+P on one employee's block through the main
// window's keys, both questions and the count box answered by the dialog
// script; the plan's save and a fresh load of the data folder, where P
// again posts nothing twice; then F11, whose export the job-server stand-in
// receives on loopback.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "../data/tom_datalager.h"
#include "../datamappe.h"
#include "../exchange/serverrude.h"
#include "FF_PlanFyld.h"
#include "FF_PlanIndtast.h"
#include "HENTGEM.h"
#include "HOVEDVIN.h"
#include "KROGE.h"
#include "SKOLEDATA.h"
#include "STATUSBAR.h"
#include "TIMOAK.h"
#include "VEDLIGE.h"
#include "eksportdlg.h"
#include "planvindue_fixtur.h"
#include "ressourcer.h"
#include "tavo/test_dialog.h"
#include "tavo/test_user.h"

namespace {

namespace fs = std::filesystem;
namespace tt = tavo::test;

constexpr const char *kSpoerg = "Overfør planposter til EASY";
constexpr const char *kAntal = "Overført planposter til EASY";

// The program's main window: its keys, the export and the contact pane.
LRESULT CALLBACK EndeHovedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_CREATE || m == WM_DESTROY) return DefWindowProcA(h, m, w, l);
  if (m == WM_SIZE) {
    LayoutStatusBar();
    return 0;
  }
  return MainWndProc(h, m, w, l);
}

// A posting by the keys that survive a load: activity and employment ids,
// day and hundredths.
using PostNoegle = std::tuple<uint32_t, uint32_t, Dato, int32_t>;

class VipPlanposterEndeTilEnde : public plantest::PlanVindueFixtur {
 protected:
  fs::path skole;
  jobtest::JobServer js;
  serverrudetest::HovedMedRude vindue;
  HWND fixturHoved = 0;
  HovedFokusRec gemtFokus{};
  RECT gemtFri{};
  TimoakKroge gemtTimoak{};
  VedligeKroge gemtVedlige{};
  HentGemKroge gemtHentGem{};
  uint8_t gemtAutogem = 0;

  void SetUp() override {
    PlanVindueFixtur::SetUp();
    if (HasFatalFailure()) return;
    char skabelon[] = "/tmp/vipende_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    skole = skabelon;
    SkoleStoerrelse st{};
    ASSERT_TRUE(SkoleStoerrelseFraNavn("small", &st));
    std::string fejl;
    ASSERT_EQ(LavSkoleData(skole.c_str(), st, 1, &fejl), 0) << fejl;
    GlobalIndstillinger.insnr = SKOLE_INSNR;
    // The postings and the store's relations through the program's slots.
    gemtTimoak = TimoakKrog;
    gemtVedlige = VedligeKrog;
    gemtHentGem = HentGemKrog;
    InstallerImportKroge();
    InstallerImportData();
    // Without the background save: what reaches the disk is what the
    // commands save.
    gemtAutogem = GlobalIndstillinger.autogem;
    GlobalIndstillinger.autogem = 0;
    RegistrerOrvaneRessourcer();
    gemtFri = FriArealRect;
    FriArealRect = RECT{0, 0, 1199, 899};

    ServerTidsfrist = 5000;
    LoginTilstand = 1;
    ElevplanSlaaetTil = 0;
    serverrudetest::KontaktIndstillinger();
    fixturHoved = hwndHoved;
    vindue.Opret(EndeHovedProc, "VipEndeHoved", skole);
    gemtFokus = HovedFokus;
  }

  void TearDown() override {
    if (h && IsWindow(h)) Luk();
    vindue.Luk();
    hwndHoved = fixturHoved;
    HovedFokus = gemtFokus;
    FriArealRect = gemtFri;
    TimoakKrog = gemtTimoak;
    VedligeKrog = gemtVedlige;
    HentGemKrog = gemtHentGem;
    GlobalIndstillinger.autogem = gemtAutogem;
    unsetenv("TAVO_SERVICES");
    ServerTidsfrist = SERVER_TIDSFRIST_STANDARD;
    EksportPlanTal = 0;
    PlanVindueFixtur::TearDown();
    std::error_code ec;
    fs::remove_all(skole, ec);
    fs::remove_all(skole.string() + "_gemt", ec);
  }

  // The plan window with the keyboard's focus in the main window.
  void AabnPlan() {
    Aabn();
    HovedFokus = HovedFokusRec{h, 0, -1, 0, {}, 0, 0};
    SetForegroundWindow(hwndHoved);
    SetFocus(hwndHoved);
    tt::PumpUntilIdle();
  }
  // The plan window in the employees' view on the first employee whose
  // block holds an hours row, unfolded, with every period's weeks shown:
  // the block heading's position, 0 when there is none.
  uint32_t AabnBlok() {
    AabnPlan();
    Plan *p = P();
    if (!p) return 0;
    Tryk(VK_NEXT);
    EXPECT_EQ(p->Visning, 'M');
    uint32_t hovedPos = 0;
    for (uint32_t i = 1; i <= p->StyrY.Pos.Antal && !hovedPos; ++i) {
      const uint32_t r = p->Ens.ObjTab[i];
      if (p->ObjTypeTab[r] != PLAN_MEDA) continue;
      for (uint32_t n = 1; n <= p->GrundTabAntal; ++n)
        if (p->ObjTypeTab[n] == PLAN_OPG_TIMER && p->GrundTab[n].Medarbejder1 == p->GrundTab[r].Medarbejder1)
          hovedPos = i;
    }
    if (!hovedPos) return 0;
    // The window opens as the last save left it: only what is folded is
    // unfolded.
    p->StyrY.Pos.Aktuel = hovedPos;
    if (!OpgPos(hovedPos)) Tryk('Y');
    uint32_t periode = 0, uger = 0;
    for (uint32_t i = 1; i <= p->StyrX.Pos.Antal; ++i) {
      const uint32_t art = p->ObjTypeTabX[p->StyrX.ObjTab[i]];
      if (art == PLAN_KOL_PERIODE && !periode) periode = i;
      uger += art == PLAN_KOL_UGE;
    }
    if (periode && !uger) {
      p->StyrX.Pos.Aktuel = periode;
      Tryk('X', tt::ModShift | tt::ModCtrl);
    }
    return hovedPos;
  }
  // The first hours row of the block under the heading, 0 for none.
  uint32_t OpgPos(uint32_t hovedPos) {
    Plan *p = P();
    for (uint32_t i = hovedPos + 1; i <= p->StyrY.Pos.Antal; ++i) {
      const uint32_t art = p->ObjTypeTab[p->Ens.ObjTab[i]];
      if (art == PLAN_MEDA) break;
      if (art == PLAN_OPG_TIMER) return i;
    }
    return 0;
  }
  // Ctrl+P on the row: the block's cells, the boxes answered in order; the
  // captions shown, and their texts in *tekster.
  std::vector<std::string> CtrlP(uint32_t pos, std::initializer_list<INT_PTR> svar,
                                 std::vector<std::string> *tekster) {
    std::vector<std::string> vist;
    tt::StartDialogScript(20000);
    for (INT_PTR s : svar)
      tt::AnswerNextDialog([&vist, tekster, s](const tt::ShownDialog &d) -> INT_PTR {
        vist.push_back(d.caption);
        tekster->push_back(d.text);
        return s;
      });
    P()->StyrY.Pos.Aktuel = pos;
    Tryk('P', tt::ModCtrl);
    EXPECT_EQ(tt::DialogFailures(), std::vector<std::string>{});
    tt::StopDialogScript();
    return vist;
  }
  void Tryk(UINT vk, int mods = 0) {
    tt::PressKey(vk, mods);
    tt::PumpUntilIdle();
  }

  static std::set<PostNoegle> Posteringer(bool kunEgne) {
    std::set<PostNoegle> s;
    for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i) {
      TabVar *b = TimoakBucket(IndeksTilMaaned(i));
      for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
        const auto *t = reinterpret_cast<const TimoakRaekke *>(GetRec(&tdtimoak, b, r));
        if (!(t->Status & 64)) continue;
        if (kunEgne && t->Ejer != GlobalIndstillinger.insnr) continue;
        s.insert({AktiId(t->akti_id), AnfoId(t->anfo_id), t->Dato, t->Timer});
      }
    }
    return s;
  }
  // The posting section of an export: "A<activity id>" and "M<employment
  // id>" lines, each posting "T<date>,<month>,<row>,<hundredths>" under them.
  static std::set<PostNoegle> NyePosteringer(const std::string &eksport) {
    std::set<PostNoegle> s;
    std::istringstream ind(eksport);
    std::string l;
    bool i = false;
    uint32_t a = 0, m = 0;
    while (std::getline(ind, l)) {
      if (!l.empty() && l.back() == '\r') l.pop_back();
      if (!l.empty() && l[0] == '@') i = l == "@B+";
      if (!i || l.size() < 2) continue;
      unsigned dato = 0, mnd = 0, raekke = 0;
      int timer = 0;
      if (l[0] == 'A') a = static_cast<uint32_t>(std::stoul(l.substr(1)));
      if (l[0] == 'M') m = static_cast<uint32_t>(std::stoul(l.substr(1)));
      if (l[0] == 'T' && std::sscanf(l.c_str(), "T%u,%u,%u,%d", &dato, &mnd, &raekke, &timer) == 4)
        s.insert({a, m, dato, timer});
    }
    return s;
  }
  // Those of the first set that the second lacks.
  static std::vector<PostNoegle> Mangler(const std::set<PostNoegle> &ventet, const std::set<PostNoegle> &fundet) {
    std::vector<PostNoegle> v;
    std::set_difference(ventet.begin(), ventet.end(), fundet.begin(), fundet.end(), std::back_inserter(v));
    return v;
  }
  static uint32_t AktiId(uint32_t nr) { return nr && nr < tvakti.wRecCnt ? uint32_t{TabRec<AktiRec>(tvakti, nr)->id} : 0; }
  static uint32_t AnfoId(uint32_t nr) { return nr && nr < tvanfo.wRecCnt ? uint32_t{TabRec<AnfoRec>(tvanfo, nr)->id} : 0; }
};

TEST_F(VipPlanposterEndeTilEnde, KeyPPostsTheBlocksHoursWhichTheSaveKeepsAndF11Sends) {
  const uint32_t hovedPos = AabnBlok();
  ASSERT_NE(hovedPos, 0u);
  Plan *p = P();

  // The block's hours rows and their week cells that hold hours.
  struct Celle {
    uint32_t raekke;
    UgeIndeks uge;
    Dato onsdag;
    float timer;
    int32_t hundrededele;
  };
  std::vector<Celle> celler;
  uint32_t opgPos = 0;
  for (uint32_t i = hovedPos + 1; i <= p->StyrY.Pos.Antal; ++i) {
    const uint32_t r = p->Ens.ObjTab[i];
    if (p->ObjTypeTab[r] == PLAN_MEDA) break;
    if (p->ObjTypeTab[r] != PLAN_OPG_TIMER) continue;
    if (!opgPos) opgPos = i;
    for (uint32_t k = 1; k <= p->StyrX.Pos.Antal; ++k) {
      const uint32_t c = p->StyrX.ObjTab[k];
      if (p->ObjTypeTabX[c] != PLAN_KOL_UGE) continue;
      const UgeIndeks w = UgeTilIndeks(p->UgeTab[c]);
      const TalPost &t = p->GrundTab[r].TalTab[w];
      if (t.Timer == 0.0f) continue;
      Dato onsdag = std::clamp(UgeDagTilDato(p->UgeTab[c], 3), p->Fradato, p->Tildato);
      celler.push_back({r, w, onsdag, t.Timer, static_cast<int32_t>(std::lround(t.Timer * 100.0))});
    }
  }
  ASSERT_NE(opgPos, 0u);
  ASSERT_GE(celler.size(), 2u);
  const uint32_t akti = p->GrundTab[celler[0].raekke].Aktivitet, anfo = p->GrundTab[celler[0].raekke].Medarbejder1;
  const uint32_t aktiId = AktiId(akti), anfoId = AnfoId(anfo);
  // A cell whose Wednesday already holds a posting of the pair fails there,
  // and the second pass posts it on the Monday of its week. One such cell
  // made here, besides those the school's own postings give.
  auto Ugedag = [](Dato dato, uint8_t dag) {
    Uge u = 0;
    uint8_t d = 0;
    DatoTilUge(dato, &u, &d);
    return dag ? UgeDagTilDato(u, dag) : d;
  };
  auto Mandag = [&](Dato onsdag) { return Ugedag(onsdag, 1); };
  auto Optaget = [&](const Celle &c) { return FindTimoak(akti, anfo, c.onsdag) != nullptr; };
  auto ErOnsdag = [&](const Celle &c) { return Ugedag(c.onsdag, 0) == 3; };
  const auto fejl = std::find_if(celler.begin() + 1, celler.end(), [&](const Celle &c) {
    return ErOnsdag(c) && !Optaget(c) && !FindTimoak(akti, anfo, Mandag(c.onsdag));
  });
  ASSERT_NE(fejl, celler.end());
  ASSERT_EQ(AddTimoakPost(akti, anfo, fejl->onsdag, 100, 0), 1);
  std::set<size_t> optaget;
  for (size_t i = 0; i < celler.size(); ++i)
    if (Optaget(celler[i])) {
      optaget.insert(i);
      // The made school leaves those Mondays free.
      ASSERT_TRUE(ErOnsdag(celler[i])) << celler[i].onsdag;
      ASSERT_EQ(FindTimoak(akti, anfo, Mandag(celler[i].onsdag)), nullptr) << celler[i].onsdag;
    }
  const std::set<PostNoegle> foer = Posteringer(false);
  std::set<PostNoegle> ventet;
  for (size_t i = 0; i < celler.size(); ++i)
    ventet.insert({aktiId, anfoId, optaget.count(i) ? Mandag(celler[i].onsdag) : celler[i].onsdag,
                   celler[i].hundrededele});

  // Ctrl+P on the hours row takes the employee's block; Yes, Yes, OK.
  std::vector<std::string> tekster;
  ASSERT_EQ(CtrlP(opgPos, {IDYES, IDYES, IDOK}, &tekster), (std::vector<std::string>{kSpoerg, kSpoerg, kAntal}));
  const size_t n = celler.size(), f = optaget.size();
  EXPECT_EQ(tekster[1].rfind("Antal plan poster, der blev vippet: " + std::to_string(n - f) +
                                 "\nAntal plan poster, der ikke kunne vippes: " + std::to_string(f) + "\n",
                             0),
            0u)
      << tekster[1];
  EXPECT_EQ(tekster[2], "Antal plan poster, der blev vippet: " + std::to_string(n) + " ");
  EXPECT_EQ(EksportPlanTal, 1u);
  std::set<PostNoegle> nye;
  for (const PostNoegle &k : Posteringer(true))
    if (!foer.count(k)) nye.insert(k);
  EXPECT_EQ(nye, ventet);
  // In the plan: a cell posted on its Wednesday keeps its hours, marked
  // posted; one posted on another day is cleared and its week record,
  // known to the central system, marked deleted.
  for (size_t i = 0; i < celler.size(); ++i) {
    SCOPED_TRACE(celler[i].onsdag);
    const TalPost &t = p->GrundTab[celler[i].raekke].TalTab[celler[i].uge];
    const FftaltabRec *rec = t.TalRec ? TabRec<FftaltabRec>(tvfftaltab, t.TalRec) : nullptr;
    ASSERT_NE(rec, nullptr);
    if (optaget.count(i)) {
      EXPECT_EQ(t.Timer, 0.0f);
      EXPECT_EQ(rec->Status & 72, 72);
    } else {
      EXPECT_EQ(t.Timer, celler[i].timer);
      EXPECT_EQ(t.PlanStatus & 0xFF, PS_UGE | PS_POSTERET);
      EXPECT_EQ(rec->PlanStatus, PS_UGE | PS_POSTERET);
      EXPECT_EQ(FindTimoak(akti, anfo, celler[i].onsdag)->PlanStatus, PS_UGE | PS_POSTERET);
    }
  }

  // S saves the plan; the data folder as it then stands is loaded afresh.
  tt::StartDialogScript(20000);
  Svar(1);
  Tryk('S');
  EXPECT_EQ(tt::DialogFailures(), std::vector<std::string>{});
  tt::StopDialogScript();
  const fs::path gemt = skole.string() + "_gemt";
  fs::copy(skole, gemt, fs::copy_options::recursive);
  Luk();
  HovedFokus = HovedFokusRec{0, 0, -1, 0, {}, 0, 0};
  storetest::TomAlleTabeller();
  ASSERT_TRUE(SaetSkoleMappe(DataMappeNavn(gemt).c_str()));
  ASSERT_EQ(HentAlleData(0), 0);
  EXPECT_EQ(Mangler(ventet, Posteringer(true)), std::vector<PostNoegle>{});
  EXPECT_EQ(EksportPlanTal, 1u);

  // The marks came back with the load: P again on the same block asks and
  // posts nothing twice.
  const std::set<PostNoegle> alle = Posteringer(false);
  const uint32_t igen = AabnBlok();
  ASSERT_NE(igen, 0u);
  ASSERT_NE(OpgPos(igen), 0u);
  {
    const GrundRaekke &r = P()->GrundTab[P()->Ens.ObjTab[OpgPos(igen)]];
    EXPECT_EQ(AktiId(r.Aktivitet), aktiId);
    EXPECT_EQ(AnfoId(r.Medarbejder1), anfoId);
    size_t med = 0, markeret = 0;
    for (UgeIndeks w = 1; w <= P()->UgeAntal; ++w) {
      med += r.TalTab[w].Timer != 0.0f;
      markeret += r.TalTab[w].Timer != 0.0f && (r.TalTab[w].PlanStatus & PS_POSTERET);
    }
    EXPECT_EQ(med, n - f);
    EXPECT_EQ(markeret, n - f);
  }
  tekster.clear();
  EXPECT_EQ(CtrlP(OpgPos(igen), {IDYES}, &tekster), std::vector<std::string>{kSpoerg});
  EXPECT_EQ(Posteringer(false), alle);
  Luk();
  HovedFokus = HovedFokusRec{0, 0, -1, 0, {}, 0, 0};

  // F11: the export dialog's choices as they stand, "Skal serveren
  // kontaktes?" OK and the password; the stand-in gets the export.
  ASSERT_TRUE(serverrudetest::StartServer(&js));
  tt::StartDialogScript(20000);
  serverrudetest::SvarEksport();
  tt::AnswerNextDialog([](const tt::ShownDialog &d) {
    SetDlgItemTextA(d.hwnd, IDC_LOGON_PASSWORD, "hemmelig");
    SendMessageA(d.hwnd, WM_COMMAND, IDOK, 0);
    return INT_PTR{0};
  });
  SetFocus(hwndHoved);
  Tryk(VK_F11);
  EXPECT_TRUE(serverrudetest::Indtil([this] { return ServerKontakt(vindue.rude)->traad == 0; }));
  EXPECT_EQ(tt::DialogFailures(), std::vector<std::string>{});
  tt::StopDialogScript();
  const std::string job = jobtest::LaesFil(js.SpoolFil("job/skoleind" + std::to_string(SKOLE_INSNR)));
  EXPECT_EQ(Mangler(ventet, NyePosteringer(job)), std::vector<PostNoegle>{}) << job;
}

}  // namespace
