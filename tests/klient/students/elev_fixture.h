// A data folder of its own for each test (named the way the command line
// names it: Windows form, trailing backslash), the enrolment tables empty,
// and small makers of enrolment records with the references as record
// numbers.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "../data/store_fixture.h"
#include "ELEVTAB.h"
#include "KATALOG.h"

namespace eleventest {

namespace fs = std::filesystem;

// A record of a table of cases: its id and its status.
struct IdStatus {
  uint32_t id;
  uint8_t Status;
};

class ElevMappe : public storetest::DataMappe {
 protected:
  void SetUp() override {
    DataMappe::SetUp();
    const std::string d = rod.string() + "\\";
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", d.c_str());
    snprintf(StiTab.szini, sizeof StiTab.szini, "%sini\\tavo.ini", d.c_str());
    TomElevTabeller();
  }

  // The eight enrolment tables empty again, each with its record 0.
  static void TomElevTabeller() {
    for (const TabDesc *td : {&tdtg, &tdpp, &tdla, &tdlap, &tdelev, &tdelti, &tdev, &tdeb}) {
      TabVar *tv = nullptr;
      const TabDesc *d2 = nullptr;
      ASSERT_EQ(TabFromName(td->KortNavn, &d2, &tv), 0);
      ResetTab(td, tv, 1);
    }
  }

  fs::path Ini(const std::string &navn) const { return rod / "ini" / navn; }

  void SkrivIni(const std::string &navn, const std::string &tekst) const {
    std::ofstream o(Ini(navn), std::ios::binary | std::ios::trunc);
    o << tekst;
  }

  std::string LaesIni(const std::string &navn) const {
    std::ifstream i(Ini(navn), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }

  // A new record of the table, marked for the next re-sort; its number.
  template <class R>
  static R *Ny(const TabDesc *pTd, TabVar *pTv, uint8_t status, uint32_t *pNr) {
    const uint32_t r = NewRec(pTd, pTv);
    EXPECT_NE(r, 0u);
    *pNr = r;
    R *rec = reinterpret_cast<R *>(GetRec(pTd, pTv, r));
    rec->Status = status;
    MarkerElevRec(pTd, pTv, r);
    pTv->fSorter = 1;
    return rec;
  }

  static uint32_t NyTg(uint32_t id, char art, uint8_t status = 10) {
    uint32_t nr;
    TgRec *t = Ny<TgRec>(&tdtg, &tvtg, status, &nr);
    t->id = id;
    t->UgeLektionsGruppe = art;
    snprintf(t->Navn, sizeof t->Navn, "Gruppe %u", id);
    return nr;
  }

  static uint32_t NyPp(uint32_t tg, uint32_t id, uint32_t ugenr, uint8_t dag, uint32_t lektion,
                       uint8_t status = 10) {
    uint32_t nr;
    PpRec *p = Ny<PpRec>(&tdpp, &tvpp, status, &nr);
    p->id = id;
    p->tg_id = tg;
    p->ugenr = ugenr;
    p->dag = dag;
    p->lektion = lektion;
    return nr;
  }

  static uint32_t NyLa(uint32_t tg, uint32_t id, const char *navn, uint8_t status = 10) {
    uint32_t nr;
    LaRec *l = Ny<LaRec>(&tdla, &tvla, status, &nr);
    l->id = id;
    l->tg_id = tg;
    snprintf(l->Navn, sizeof l->Navn, "%s", navn);
    l->aktiv = 1;
    l->dubletnr = 1;
    return nr;
  }

  static uint32_t NyLap(uint32_t tg, uint32_t id, uint32_t la, uint32_t pp, uint32_t lengde,
                        char blokering = 0, uint8_t status = 10) {
    uint32_t nr;
    LapRec *l = Ny<LapRec>(&tdlap, &tvlap, status, &nr);
    l->id = id;
    l->tg_id = tg;
    l->la_id = la;
    l->pp_id = pp;
    l->lengde = lengde;
    l->blokering = blokering;
    return nr;
  }

  static uint32_t NyEv(uint32_t id, uint8_t status) {
    uint32_t nr;
    EvRec *e = Ny<EvRec>(&tdev, &tvev, status, &nr);
    e->id = id;
    return nr;
  }

  static uint32_t NyElev(uint32_t id, const char *navn, uint8_t status = 10) {
    uint32_t nr;
    ElevRec *e = Ny<ElevRec>(&tdelev, &tvelev, status, &nr);
    e->id = id;
    snprintf(e->Elevnavn, sizeof e->Elevnavn, "%s", navn);
    return nr;
  }

  static uint32_t NyElti(uint32_t elev, uint32_t tg, uint8_t status = 10) {
    uint32_t nr;
    EltiRec *t = Ny<EltiRec>(&tdelti, &tvelti, status, &nr);
    t->elev_id = elev;
    t->tg_id = tg;
    return nr;
  }

  // A wish of the student for activity record la as Elevplan gave it.
  static uint32_t NyOenske(uint32_t tg, uint32_t id, uint32_t elev, uint32_t la, uint8_t prioritet,
                           uint8_t status = 10) {
    uint32_t nr;
    EvRec *e = Ny<EvRec>(&tdev, &tvev, status, &nr);
    e->id = id;
    e->tg_id = tg;
    e->elev_id = elev;
    e->elevplan_onske_la_id = la;
    e->prioritet = prioritet;
    return nr;
  }

  static uint32_t NyEb(uint32_t tg, uint32_t id, uint32_t elev, uint32_t pp, uint8_t status = 10) {
    uint32_t nr;
    EbRec *b = Ny<EbRec>(&tdeb, &tveb, status, &nr);
    b->id = id;
    b->tg_id = tg;
    b->elev_id = elev;
    b->pp_id = pp;
    b->lengde = 1;
    return nr;
  }

  // The bytes of every record of the eight tables, by table and record.
  using TabelBillede = std::map<std::string, std::vector<std::string>>;
  static TabelBillede Nu() {
    TabelBillede b;
    for (const TabDesc *td : {&tdtg, &tdpp, &tdla, &tdlap, &tdelev, &tdelti, &tdev, &tdeb}) {
      TabVar *tv = nullptr;
      const TabDesc *d2 = nullptr;
      TabFromName(td->KortNavn, &d2, &tv);
      std::vector<std::string> &recs = b[td->KortNavn];
      for (uint32_t r = 0; r < tv->wRecCnt; ++r)
        recs.emplace_back(reinterpret_cast<const char *>(GetRec(td, tv, r)), td->RecSize);
    }
    return b;
  }
  // "table:record" of each record that differs.
  static std::vector<std::string> Forskelle(const TabelBillede &a, const TabelBillede &b) {
    std::vector<std::string> ud;
    for (const auto &[navn, recs] : a) {
      const std::vector<std::string> &andre = b.at(navn);
      for (size_t r = 0; r < std::max(recs.size(), andre.size()); ++r)
        if (r >= recs.size() || r >= andre.size() || recs[r] != andre[r])
          ud.push_back(navn + ":" + std::to_string(r));
    }
    return ud;
  }

  // Records of pp or lap (not empty) that belong to group record tg.
  static uint32_t AntalPp(uint32_t tg) {
    uint32_t n = 0;
    for (uint32_t r = 1; r < tvpp.wRecCnt; ++r)
      if (PpRecNr(r)->Status != 0 && PpRecNr(r)->tg_id == tg) ++n;
    return n;
  }
  static uint32_t AntalLap(uint32_t tg) {
    uint32_t n = 0;
    for (uint32_t r = 1; r < tvlap.wRecCnt; ++r)
      if (LapRecNr(r)->Status != 0 && LapRecNr(r)->tg_id == tg) ++n;
    return n;
  }
};

}  // namespace eleventest
