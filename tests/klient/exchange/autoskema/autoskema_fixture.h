// A small school with a subject plan for the AutoSkema exchange: the plan
// window as a window of its kind answering with its plan record, the
// server-contact pane recording what it is told, and the week 2024-52
// (Christmas Day and Boxing Day on Wednesday and Thursday) as the current
// week.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../skole_fixture.h"
#include "BESKEDER.h"
#include "GRUPPER.h"
#include "PLAN.h"
#include "PROGVINDUER.h"
#include "STATUSBAR.h"
#include "VINDUER.h"
#include "json.h"
#include "tavo/test_dialog.h"

namespace autotest {

using namespace skoletest;

constexpr Uge kUge = 202452;

// One row of an event: its activity, employment and room (0 for none).
struct Deltager {
  uint32_t akti = 0, anfo = 0, loka = 0;
  uint8_t ejer = kEgen;
};

inline std::vector<LPARAM> &KontaktNu() {
  static std::vector<LPARAM> v;
  return v;
}

inline LRESULT CALLBACK RudeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KONTAKT_NU) KontaktNu().push_back(l);
  return DefWindowProcA(h, m, w, l);
}

inline LRESULT CALLBACK PlanProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == REL_PLAN_TILSTAND) return GetWindowLongPtrA(h, GWLP_USERDATA);
  return DefWindowProcA(h, m, w, l);
}

inline std::string LaesFil(const fs::path &p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Whether the JSON reader takes the text as a whole document.
inline bool GyldigJson(const std::string &tekst) {
  FILE *f = fmemopen(const_cast<char *>(tekst.data()), tekst.size(), "r");
  if (!f) return false;
  json_node *rod = nullptr;
  const int rc = json_laes_fil(f, &rod);
  fclose(f);
  if (rod) json_frigiv(rod);
  return rc == JSON_FAERDIG;
}

class AutoSkole : public Skole {
 public:
  Plan plan{};
  HWND desktop = 0, planVindue = 0;

  void SetUp() override {
    Skole::SetUp();
    const std::string d = DataMappeNavn(rod);
    snprintf(StiTab.szautoske, sizeof StiTab.szautoske, "%sini\\autoske.ini", d.c_str());
    snprintf(StiTab.szasexp, sizeof StiTab.szasexp, "%sdata/as_exp.json", d.c_str());
    snprintf(StiTab.szasimp, sizeof StiTab.szasimp, "%sdata/as_imp.json", d.c_str());
    SaetAktuelDato(20241225);
    HuskGruppe[GRP_LOKA] = kAlleGrupper;
    WNDCLASSA wc{};
    wc.lpfnWndProc = RudeProc;
    wc.lpszClassName = "AutoKontaktRude";
    RegisterClassA(&wc);
    wc.lpfnWndProc = PlanProc;
    wc.lpszClassName = "AutoPlanVindue";
    RegisterClassA(&wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "AutoDesktop";
    RegisterClassA(&wc);
    desktop = CreateWindowExA(0, "AutoDesktop", "", WS_OVERLAPPED, 0, 0, 100, 100, 0, 0, 0, nullptr);
    hwndHoved = desktop;
    StatusFelter.Server = CreateWindowExA(0, "AutoKontaktRude", "", WS_OVERLAPPED, 0, 0, 10, 10, 0, 0, 0, nullptr);
    KontaktNu().clear();
    tavo::test::StartDialogScript();
  }

  void TearDown() override {
    tavo::test::StopDialogScript();
    LukPlan();
    DestroyWindow(StatusFelter.Server);
    StatusFelter.Server = 0;
    DestroyWindow(desktop);
    hwndHoved = 0;
    Skole::TearDown();
  }

  void AabnPlan(uint32_t gruppe) {
    plan.AktPlanGruppe = gruppe;
    planVindue = CreateWindowExA(0, "AutoPlanVindue", "", WS_CHILD, 0, 0, 10, 10, desktop,
                                 static_cast<HMENU>(kPlanVindueType), 0, nullptr);
    SetWindowLongPtrA(planVindue, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&plan));
    ASSERT_EQ(VinduesListeTilfoej(planVindue), 0);
  }
  void LukPlan() {
    if (!planVindue) return;
    VinduesListeFjern(planVindue);
    DestroyWindow(planVindue);
    planVindue = 0;
  }

  fs::path Eksport() const { return rod / "data" / "as_exp.json"; }
  fs::path Svar() const { return rod / "data" / "as_imp.json"; }

  // ---- master data

  uint32_t Meda(uint32_t id, const char *initialer) {
    MedaRec m{};
    m.id = id;
    m.Status = 10;
    Tekst(m.Initialer, initialer);
    return Ny(tdmeda, tvmeda, m);
  }
  uint32_t AnfoMed(uint32_t id, uint32_t meda) {
    AnfoRec f{};
    f.id = id;
    f.meda_id = meda;
    f.Status = 10;
    f.Fradato = 20240801;
    f.Tildato = 20250731;
    return Ny(tdanfo, tvanfo, f);
  }
  uint32_t Aktivitet(uint32_t id, const char *navn, uint32_t risy) {
    AktiRec a{};
    a.id = id;
    a.Status = 10;
    Tekst(a.Aktivitet, navn);
    a.Fradato = 20240801;
    a.Tildato = 20250731;
    a.StartUge = 202431;
    a.SlutUge = 202531;
    a.risy_id = risy;
    return Ny(tdakti, tvakti, a);
  }
  uint32_t Fag(uint32_t id, const char *fag, const char *betegnelse) {
    SkfaRec f{};
    f.id = id;
    f.Status = 10;
    Tekst(f.Skolefag, fag);
    Tekst(f.Betegnelse, betegnelse);
    return Ny(tdskfa, tvskfa, f);
  }
  // Lessons as (start, end, standard lessons); the rest start at 0.
  uint32_t Ring(uint32_t id, const char *navn, std::vector<std::tuple<uint32_t, uint32_t, float>> lektioner) {
    RisyRec r{};
    r.id = id;
    r.Status = 10;
    Tekst(r.Ringesystem, navn);
    for (size_t i = 0; i < lektioner.size() && i < 48; ++i) {
      r.Starttid[i] = std::get<0>(lektioner[i]);
      r.Sluttid[i] = std::get<1>(lektioner[i]);
      r.Antal_std_lektioner[i] = std::get<2>(lektioner[i]);
    }
    return Ny(tdrisy, tvrisy, r);
  }
  uint32_t Lokale(uint32_t id, uint32_t gruppe, const char *pladser) {
    LokaRec l{};
    l.id = id;
    l.Status = 10;
    l.Gruppe = gruppe;
    l.Fradato = 20240801;
    l.Tildato = 20250731;
    Tekst(l.Undervisningspladser, pladser);
    return Ny(tdloka, tvloka, l);
  }
  uint32_t Person(uint32_t id) {
    PersRec p{};
    p.id = id;
    p.Status = 10;
    return Ny(tdpers, tvpers, p);
  }
  void Tilmeld(uint32_t pers, uint32_t akti, Dato fra, Dato til) {
    AkplRec a{};
    a.pers_id = pers;
    a.akti_id = akti;
    a.Status = 10;
    a.Startdato = fra;
    a.Slutdato = til;
    Ny(tdakpl, tvakpl, a);
  }

  // ---- plan

  uint32_t Gruppe(uint32_t id, const char *navn) {
    FfpgRec g{};
    g.id = id;
    Tekst(g.Navn, navn);
    g.Fradato = 20240801;
    g.Tildato = 20250731;
    g.Ejer = kEgen;
    g.Status = 10;
    return Ny(tdffpg, tvffpg, g);
  }
  // A base row with its lessons (tenths) in the week.
  uint32_t PlanRaekke(uint32_t gruppe, uint32_t akti, uint32_t skfa, uint32_t anfo1, uint32_t anfo2, uint32_t blok,
                      uint32_t sum, uint32_t ugeLektioner, Uge uge = kUge) {
    FfgrundRec g{};
    g.Id = tvffgrund.wRecCnt + 100;
    g.ffpg_id = gruppe;
    g.Aktivitet = akti;
    g.Skolefag = skfa;
    g.Medarbejder1 = anfo1;
    g.Medarbejder2 = anfo2;
    g.LektionsBlok = blok;
    g.SumLektioner = sum;
    g.Ejer = kEgen;
    g.Status = 10;
    const uint32_t n = Ny(tdffgrund, tvffgrund, g);
    FftaltabRec t{};
    t.Id = tvfftaltab.wRecCnt + 100;
    t.ffgrund_id = n;
    t.Uge = uge;
    t.Lektioner = ugeLektioner;
    t.Ejer = kEgen;
    t.Status = 10;
    Ny(tdfftaltab, tvfftaltab, t);
    return n;
  }
  void Prioritet(uint32_t anfo, uint8_t dag, uint32_t start, uint32_t slut, int32_t prio, uint8_t status = 0x40) {
    MedaskepriorRec p{};
    p.anfo_id = anfo;
    p.Ugedag = dag;
    p.Starttid = start;
    p.Sluttid = slut;
    p.prioritet = prio;
    p.Ejer = kEgen;
    p.Status = status;
    Ny(tdmedaskeprior, tvmedaskeprior, p);
  }
  void AktiLokale(uint32_t akti, uint32_t loka) { Ny(tdalrel, tvalrel, AlrelRec{akti, loka, 10}); }
  void FagLokale(uint32_t skfa, uint32_t loka) { Ny(tdskfalokarel, tvskfalokarel, SkfalokarelRec{skfa, loka, 10}); }

  // ---- events

  // An event of the week as its rows; its first row's number.
  uint32_t Begivenhed(uint32_t id, uint32_t status, uint8_t dag, uint8_t lektion, uint32_t start, uint32_t slut,
                      uint32_t risy, uint32_t skfa, const std::vector<Deltager> &raekker, Uge uge = kUge) {
    TabVar *b = SkemabegBucket(uge);
    uint32_t forste = 0;
    for (const Deltager &d : raekker) {
      const uint32_t n = NyRaekke(tdske, b);
      if (!forste) forste = n;
      SkeRec s{};
      s.id = id;
      s.Status = status;
      s.akti_id = d.akti;
      s.anfo_id = d.anfo;
      s.loka_id = d.loka;
      s.skfa_id = skfa;
      s.risy_id = risy;
      s.Dag = dag;
      s.Lektion = lektion;
      s.Starttid = start;
      s.Sluttid = slut;
      s.Antal_std_lektioner = 1;
      s.Ejer = d.ejer;
      s.Forste = forste;
      memcpy(GetRec(&tdske, b, n), &s, sizeof s);
    }
    return forste;
  }
  // The status of every row of a week's bucket, in order.
  std::vector<uint32_t> Statusser(Uge uge = kUge) {
    std::vector<uint32_t> v;
    const TabVar *b = SkemabegBucket(uge);
    for (uint32_t n = 1; b && n < b->wRecCnt; ++n) v.push_back(Ske(uge, n).Status);
    return v;
  }
};

}  // namespace autotest
