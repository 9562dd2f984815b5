// A data folder with employments on one accounting agreement, activities,
// subjects and a hand-made plan list, for the plan reports; reports land in
// a temporary folder of their own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "../stafftime/opg_aftale.h"
#include "DATO.h"
#include "FF_PlanFyld.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "MEDPER.h"
#include "MedaPlan.h"
#include "TALTAB.h"
#include "Udskrivning.h"
#include "pdf_laeser.h"
#include "tavo/clock.h"
#include "tavo/test_dialog.h"
#include "windows.h"

namespace plantest {

inline std::string U8(const char8_t *s) { return reinterpret_cast<const char *>(s); }

class PlanRapportTest : public storetest::DataMappe {
 protected:
  std::filesystem::path temp;
  std::string gemtTmp;
  uint32_t araf = 0;

  void SetUp() override {
    storetest::DataMappe::SetUp();
    predtest::TommeTabeller();
    StandardIndstillinger();
    GlobalIndstillinger.normsystem = 0;
    InitPeriode(20240801, 20250731, 20240801);
    SaetAktuelDato(20241016);
    FreePlanTab();
    temp = rod / "temp";
    std::filesystem::create_directories(temp);
    if (const char *t = getenv("TMPDIR")) gemtTmp = t;
    setenv("TMPDIR", temp.c_str(), 1);
    tavo::test::StartDialogScript();
    tavo::test::StartShellLog();
    std::snprintf(KladdeplanSti, sizeof KladdeplanSti, "%slog\\kladde.csv", StiTab.szdata);
  }
  void TearDown() override {
    tavo::test::StopShellLog();
    EXPECT_TRUE(tavo::test::DialogFailures().empty());
    tavo::test::StopDialogScript();
    tavo::ClearFakeClock();
    FreePlanTab();
    FreeMedPer();
    GlobalIndstillinger.normsystem = 0;
    KladdeplanSti[0] = 0;
    if (gemtTmp.empty())
      unsetenv("TMPDIR");
    else
      setenv("TMPDIR", gemtTmp.c_str(), 1);
    storetest::DataMappe::TearDown();
  }

  // The accounting agreement of every employment made after it.
  void Aftale(const std::vector<OpgperRec> &perioder) { araf = predtest::OpgAftale(perioder); }

  uint32_t Ansat(const char *ini, const char *navn, const char *loebenr = "01") {
    if (!araf) Aftale({predtest::Opg(20240801, 20250731, 1680)});
    MedaRec m{};
    m.id = 100 + tvmeda.wRecCnt;
    m.Status = 10;
    predtest::Tekst(m.Initialer, ini);
    predtest::Tekst(m.Navn, navn);
    const uint32_t meda = predtest::Ny(tdmeda, tvmeda, m);
    return predtest::OpgAnsaettelse(meda, araf, loebenr);
  }

  uint32_t Akti(const char *tekst, const char *kort = "Kort") {
    AktiRec a{};
    a.id = 500 + tvakti.wRecCnt;
    a.Status = 10;
    predtest::Tekst(a.Aktivitet, tekst);
    predtest::Tekst(a.Kort_betegnelse, kort);
    a.Fradato = 20240801;
    a.Tildato = 20250731;
    return predtest::Ny(tdakti, tvakti, a);
  }

  uint32_t Fag(const char *fag, char niveau, const char *betegnelse) {
    SkfaRec s{};
    s.id = 700 + tvskfa.wRecCnt;
    s.Status = 10;
    predtest::Tekst(s.Skolefag, fag);
    s.Niveau = niveau;
    predtest::Tekst(s.Betegnelse, betegnelse);
    return predtest::Ny(tdskfa, tvskfa, s);
  }

  // An entry of the plan list on a day.
  PlanTabPost &Post(uint32_t anfo, uint32_t akti, uint32_t skfa, Dato dag, char art) {
    PlanTabPost *p = NyPlanTabPost();
    p->anfo = anfo;
    p->akti = akti;
    p->skfa = skfa;
    p->UgeIdx = PlanUgeIndeks(dag);
    Uge u = 0;
    uint8_t ugedag = 0;
    DatoTilUge(dag, &u, &ugedag);
    p->Ugedag = ugedag;
    p->MndIdx = MaanedTilIndeks(dag / 100);
    p->Art = static_cast<uint8_t>(art);
    return *p;
  }

  std::filesystem::path Kladde() const { return rod / "log" / "kladde.csv"; }

  // The one report of the temporary folder (fails when there is not one).
  std::filesystem::path EnRapport() const {
    const auto f = pdftest::PdfFiler(temp);
    EXPECT_EQ(f.size(), 1u);
    return f.empty() ? std::filesystem::path() : f[0];
  }

  void TomTemp() {
    std::filesystem::remove_all(temp);
    std::filesystem::create_directories(temp);
  }

  // The line of pdftotext -layout that holds the text, or "".
  static std::string Linje(const std::string &tekst, const std::string &hvad) {
    const size_t p = tekst.find(hvad);
    if (p == std::string::npos) return "";
    const size_t a = tekst.rfind('\n', p), b = tekst.find('\n', p);
    return tekst.substr(a == std::string::npos ? 0 : a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
  }
};

}  // namespace plantest
