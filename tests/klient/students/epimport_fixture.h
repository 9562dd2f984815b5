// The Elevplan answer import over a data folder of its own: the settings
// and hooks put back for each test, small makers of students and wishes,
// the answer and log files, and a byte image of the enrolment tables.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "EPEXPORT.h"
#include "EPIMPORT.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "elev_fixture.h"
#include "tavo/test_dialog.h"

namespace eleventest {

class EpImportMappe : public ElevMappe {
 protected:
  static inline int efterImport = 0;

  void SetUp() override {
    ElevMappe::SetUp();
    InitStiTab();
    StandardIndstillinger();
    GlobalIndstillinger.insnr = 7;
    EpFejlAntal = 0;
    EpEksportKrog = {};
    hwndEpKontakt = hwndEpStatus = 0;
    HentGemKrog = {};
    VenteDialogLukPause = 0;
    efterImport = 0;
    EpImportKrog = {};
    EpImportKrog.EpEfterImport = [] { ++efterImport; };
    SkrivIni("tavo.ini", "[global]\r\n");
  }

  void TearDown() override {
    EpImportKrog = {};
    HentGemKrog = {};
    StandardIndstillinger();
    tavo::test::StopDialogScript();
    ElevMappe::TearDown();
  }

  static std::string LaesFil(const fs::path &p) {
    std::ifstream i(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }
  static void SkrivFil(const fs::path &p, const std::string &tekst) {
    std::ofstream o(p, std::ios::binary | std::ios::trunc);
    o << tekst;
  }
  static std::string Fixture(const std::string &navn) {
    return LaesFil(fs::path(TAVO_FIXTURES) / "students" / navn);
  }

  void SkrivSvar(const std::string &tekst) const { SkrivFil(Fil("ep_imp.dat"), tekst); }
  fs::path LogFil() const { return rod / "log" / "EP_IMPORT.LOG"; }
  std::string Log() const { return LaesFil(LogFil()); }

  // A text as the log holds it: every line end written as CR LF.
  static std::string Crlf(const std::string &s) {
    std::string ud;
    for (char c : s) {
      if (c == '\n') ud += '\r';
      ud += c;
    }
    return ud;
  }
  static std::string Hoved() { return "Fejl i forbindelse med import fra ElevPlan - ring til TavoSupport\n"; }

  // Both passes over the text, with the log made as the import makes it.
  void Laes(const std::string &tekst, bool svar = true) {
    SkrivSvar(tekst);
    FILE *log = AabnDataFil((std::string(StiTab.szdata) + "LOG\\EP_IMPORT.LOG").c_str(), "w");
    FILE *fil = AabnDataFil(StiTab.szepimp, "r");
    ASSERT_NE(fil, nullptr);
    ImportStatus st{};
    EpLaesFil(fil, log, svar, &st);
    fclose(fil);
    if (log) fclose(log);
  }

  static uint32_t Elev(uint32_t id, const char *navn, uint32_t tg = 0) {
    uint32_t nr;
    ElevRec *e = Ny<ElevRec>(&tdelev, &tvelev, 10, &nr);
    e->id = id;
    e->dummy_tg_id = tg;
    snprintf(e->Elevnavn, sizeof e->Elevnavn, "%s", navn);
    return nr;
  }
  static uint32_t Oenske(uint32_t id, uint32_t tg, uint32_t elev, uint32_t la, char epStatus,
                         uint8_t status = 10) {
    const uint32_t r = NyEv(id, status);
    EvRec *e = EvRecNr(r);
    e->tg_id = tg;
    e->elev_id = elev;
    e->elevplan_onske_la_id = la;
    e->prioritet = 1;
    snprintf(e->Accept, sizeof e->Accept, "J");
    e->ElevPlanStatus = epStatus;
    return r;
  }
  static uint32_t Tilmelding(uint32_t elev, uint32_t tg) {
    uint32_t nr;
    EltiRec *t = Ny<EltiRec>(&tdelti, &tvelti, 10, &nr);
    t->elev_id = elev;
    t->tg_id = tg;
    return nr;
  }


  // The live enrolments as (student id, group id) pairs.
  static std::multiset<std::pair<uint32_t, uint32_t>> Tilmeldinger() {
    std::multiset<std::pair<uint32_t, uint32_t>> ud;
    for (uint32_t r = 1; r < tvelti.wRecCnt; ++r) {
      const EltiRec *t = EltiRecNr(r);
      if (ElevTabAktiv(t->Status))
        ud.insert({+ElevRef(ElevRecNr, t->elev_id).id, +ElevRef(TgRecNr, t->tg_id).id});
    }
    return ud;
  }
};

}  // namespace eleventest
