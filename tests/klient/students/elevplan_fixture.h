// A planning workspace over the enrolment tables of a test's own data
// folder, the hooks empty and the run not read-only, with small makers of a
// group with its slots, and matrix rows as digit strings.
#pragma once

#include <string>
#include <vector>

#include "ELEVGITTER.h"
#include "ELEVLISTE.h"
#include "ELEVPLANKMD.h"
#include "ELEVPLANWS.h"
#include "ELEVREGLER.h"
#include "EPEXPORT.h"
#include "FINDREC.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "STITAB.h"
#include "TAVODATA.h"
#include "elev_fixture.h"
#include "tavo/test_dialog.h"

namespace eleventest {

// Row r of a matrix as its digits, columns 1..Kolonner.
inline std::string Raekke(const ElevMatrix &m, uint32_t r) {
  std::string s;
  for (uint32_t c = 1; c <= m.Kolonner; ++c) s += static_cast<char>('0' + m(r, c));
  return s;
}

// The whole matrix, rows separated by '|'.
inline std::string Alle(const ElevMatrix &m) {
  std::string s;
  for (uint32_t r = 1; r <= m.Raekker; ++r) s += (r > 1 ? "|" : "") + Raekke(m, r);
  return s;
}

class ElevPlanMappe : public ElevMappe {
 protected:
  ElevPlanWS *ws = nullptr;

  void SetUp() override {
    ElevMappe::SetUp();
    InitStiTab();
    ElevPlanKrog = {};
    EpEksportKrog = {};
    hwndEpKontakt = hwndEpStatus = 0;
    EpEksportKrog.VisTgLaas = VisTgLaas;
    EpTilstand = {};
    GlobalIndstillinger.skemalaast = 0;
    for (TabVar *tv : {&tvtg, &tvla, &tvpp, &tvelev}) tv->AktuelRec = 0;
    ws = NytElevPlanWS('K', 1);
    ASSERT_NE(ws, nullptr);
    tavo::test::StartDialogScript();
  }

  void TearDown() override {
    tavo::test::StopDialogScript();
    FrigivElevPlanWS(ws);
    ElevPlanKrog = {};
    EpEksportKrog = {};
    hwndEpKontakt = hwndEpStatus = 0;
    EpTilstand = {};
    GlobalIndstillinger.skemalaast = 0;
    ElevMappe::TearDown();
  }

  // Group id in mode art ('L' or 'U') with slots: lessons 1..n of day 0
  // for 'L', the given weeks for 'U'. The slots' record numbers in *pp.
  static uint32_t NyGruppe(uint32_t id, char art, uint32_t antalSlots,
                           std::vector<uint32_t> *pp = nullptr, uint32_t foersteUge = 202441) {
    const uint32_t tg = NyTg(id, art);
    for (uint32_t i = 0; i < antalSlots; ++i) {
      const uint32_t nr = art == 'L' ? NyPp(tg, id * 1000 + i + 1, 0, 0, i + 1)
                                     : NyPp(tg, id * 1000 + i + 1, foersteUge + i, 0, 0);
      if (pp) pp->push_back(nr);
    }
    return tg;
  }

  // The plan row of an activity record.
  std::string Plan(uint32_t la) const { return Raekke(ws->PlanGitter, LaPosition(ws, la)); }

  // Shows the group with record number tg: the first build starts from the
  // table's current group, later ones from the group cursor.
  void Vis(uint32_t tg) {
    tvtg.AktuelRec = tg;
    if (ws->TgTab) ws->TgPos.Aktuel = FindObjIdx(ws->TgTab, ws->TgAntal, tg);
    BuildElevPlanData(ws);
    ASSERT_EQ(ws->Tg, tg);
  }

  // The eight enrolment tables saved to the data folder at once.
  static void GemElevTabeller() {
    for (const TabDesc *td : {&tdtg, &tdpp, &tdla, &tdlap, &tdelev, &tdelti, &tdev, &tdeb}) {
      const TabDesc *d2 = nullptr;
      TabVar *tv = nullptr;
      ASSERT_EQ(TabFromName(td->KortNavn, &d2, &tv), 0);
      ASSERT_EQ(GemTabelNu(td, tv), 0) << +td->KortNavn;
    }
  }

  // Every table emptied, and the eight enrolment tables read back from the
  // data folder and sorted, as a fresh start of the program finds them.
  static void LaesElevTabeller() {
    storetest::TomAlleTabeller();
    for (const TabDesc *td : {&tdtg, &tdpp, &tdla, &tdlap, &tdelev, &tdelti, &tdev, &tdeb}) {
      const TabDesc *d2 = nullptr;
      TabVar *tv = nullptr;
      ASSERT_EQ(TabFromName(td->KortNavn, &d2, &tv), 0);
      ASSERT_EQ(LoadTab(td, tv), 0) << +td->KortNavn;
      SortTab(td, tv);
    }
  }

  // As at a new start of the program: the eight tables saved, the store
  // emptied and read back, and group record tg shown in a new workspace.
  void Genstart(uint32_t tg) {
    GemElevTabeller();
    FrigivElevPlanWS(ws);
    ws = NytElevPlanWS('K', 1);
    ASSERT_NE(ws, nullptr);
    LaesElevTabeller();
    tvtg.AktuelRec = tg;
    BuildElevPlanData(ws);
    ASSERT_EQ(ws->Tg, tg);
  }

  // The cursor on activity la (as the table's current one) and slot
  // column kolonne.
  void Cursor(uint32_t la, uint32_t kolonne) {
    tvla.AktuelRec = la;
    ByggLaRaekker(ws);
    ws->PpPos.Aktuel = kolonne;
  }
};

}  // namespace eleventest
