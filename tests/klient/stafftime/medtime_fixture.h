#pragma once
// The timesheet's test school: one employment, schedule roles of each kind,
// events built row by row in the week buckets, persons per activity and
// day, postings and registered working time.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../exchange/skole_fixture.h"
#include "INDSTIL.h"
#include "MEDPER.h"
#include "MEDTIME.h"
#include "NYBUTTON.h"
#include "RELAY.h"
#include "OPTAEL.h"
#include "RECPRED.h"
#include "TALTAB.h"

namespace medtimetest {

using namespace skoletest;

constexpr Uge kUge42 = 202442;  // Monday 14 October 2024
constexpr Uge kUge43 = 202443;

// The frame's panes and buttons, registered by the shell in the program.
inline void RammeKlasser() {
  WNDCLASSA wc{};
  wc.style = CS_OWNDC | CS_DBLCLKS;
  wc.lpfnWndProc = DummyWndProc;
  wc.lpszClassName = "DummyWndClass";
  RegisterClassA(&wc);
  wc.lpfnWndProc = NyButtonWndProc;
  wc.lpszClassName = "NyButtonWndClass";
  RegisterClassA(&wc);
}

class MedTimeSkole : public Skole {
 protected:
  void SetUp() override {
    Skole::SetUp();
    SaetAktuelDato(20241015);
    GlobalIndstillinger.standardlektion = 0;
    GlobalIndstillinger.standardlektionslengde = 0;
    GlobalIndstillinger.normsystem = 0;
    MedaRec m{};
    m.id = 11;
    m.Status = 10;
    meda = Ny(tdmeda, tvmeda, m);
    anfo = Anfo(21);
    Rec<AnfoRec>(tvanfo, anfo)->meda_id = meda;
    Rec<AnfoRec>(tvanfo, anfo)->Gruppe = 1;
    tvanfo.AktuelRec = anfo;
    rolJ = Rolle("UV", 'J', "Undervisning");
  }
  void TearDown() override {
    AktiDagTab = nullptr;
    TalDim = TalDimRec{};
    FreeMedPer();
    FrigivMedTime(&mt);
    Skole::TearDown();
  }

  template <class R>
  static R *Rec(TabVar &tv, uint32_t n) {
    return TabRec<R>(tv, n);
  }

  uint32_t Rolle(const char *rolle, char timeposter, const char *betegnelse) {
    SkemarolRec r{};
    r.id = tvskemarol.wRecCnt + 1;
    r.Status = 10;
    Tekst(r.Rolle, rolle);
    Tekst(r.Betegnelse, betegnelse);
    r.Genererer_timeposter = timeposter;
    return Ny(tdskemarol, tvskemarol, r);
  }

  uint32_t Fag(const char *kode) {
    SkfaRec s{};
    s.id = tvskfa.wRecCnt + 1;
    s.Status = 10;
    Tekst(s.Skolefag, kode);
    return Ny(tdskfa, tvskfa, s);
  }

  uint32_t NavngivetAkti(const char *navn, const char *type = "") {
    const uint32_t a = Akti(100 + tvakti.wRecCnt);
    AktiRec *r = Rec<AktiRec>(tvakti, a);
    Tekst(r->Aktivitet, navn);
    Tekst(r->Type, type);
    return a;
  }

  // A minute norm for the whole period.
  void Minutnorm(uint32_t akti, float norm) {
    MiakRec m{};
    m.id = tvmiak.wRecCnt + 1;
    m.Status = 10;
    m.akti_id = akti;
    m.Gyldig_fra = 20240801;
    m.Gyldig_til = 20250731;
    m.Minutnorm = norm;
    Rec<AktiRec>(tvakti, akti)->forste_miak = Ny(tdmiak, tvmiak, m);
  }

  // An agreement term of the employment over the period with its standard
  // lesson length.
  void Aftale(uint32_t laengde) {
    OpgkalRec kal{};
    kal.id = 30;
    kal.Status = 10;
    ArafRec a{};
    a.id = 31;
    a.Status = 10;
    a.opgkal_id = Ny(tdopgkal, tvopgkal, kal);
    const uint32_t araf = Ny(tdaraf, tvaraf, a);
    AftalopRec t{};
    t.id = 32;
    t.Status = 10;
    t.araf_id = araf;
    t.Fradato = 20240801;
    t.Tildato = 20250731;
    t.Standardlektionslaengde = laengde;
    Rec<ArafRec>(tvaraf, araf)->forste_aftalop = Ny(tdaftalop, tvaftalop, t);
    AnskRec k{};
    k.id = 33;
    k.anfo_id = anfo;
    k.Status = 10;
    k.araf_id = araf;
    k.Gyldig_fra = 20240801;
    k.Gyldig_til = 20250731;
    Ny(tdansk, tvansk, k);
    BuildMedPer();
  }

  struct Beg {
    Uge uge = kUge42;
    uint8_t dag = 1;
    std::vector<uint32_t> akti;
    uint32_t rol = 0;
    uint32_t skfa = 0;
    float lektioner = 1;
    Klokkeslaet start = 800, slut = 845;
    float beregn = 45;
    uint32_t anfo = 0;  // 0: the fixture's employment
  };
  // The event's rows: one per activity, then the employment's; its first row.
  uint32_t Begivenhed(const Beg &b) {
    TabVar *bucket = SkemabegBucket(b.uge);
    uint32_t forste = 0;
    auto Raekke = [&](uint32_t akti, uint32_t anf, uint32_t rol) {
      const uint32_t n = SkeRaekke(b.uge, SKE_EGEN, kEgen);
      SkeRec *s = reinterpret_cast<SkeRec *>(GetRec(&tdske, bucket, n));
      if (!forste) forste = n;
      s->id = forste;
      s->Forste = forste;
      s->akti_id = akti;
      s->anfo_id = anf;
      s->skemarol_id = rol;
      s->skfa_id = b.skfa;
      s->Dag = b.dag;
      s->Lektion = 1;
      s->Starttid = b.start;
      s->Sluttid = b.slut;
      s->Antal_std_lektioner = b.lektioner;
      s->Beregn = b.beregn;
    };
    for (uint32_t a : b.akti) Raekke(a, 0, 0);
    Raekke(0, b.anfo ? b.anfo : anfo, b.rol ? b.rol : rolJ);
    return forste;
  }

  // Persons on the activity on a day; the table is made on first use.
  void Personer(uint32_t akti, Dato d, uint16_t n) {
    const uint32_t dage = static_cast<uint32_t>(DatoTilAbsDag(SkemaPeriode.TilDato) -
                                                DatoTilAbsDag(SkemaPeriode.FraDato));
    if (personer.empty()) {
      TalDim.A = 200;
      TalDim.D = dage;
      personer.assign(static_cast<size_t>(TalDim.A) * (dage + 1), 0);
      AktiDagTab = personer.data();
    }
    const int32_t off = DatoTilAbsDag(d) - DatoTilAbsDag(SkemaPeriode.FraDato);
    personer[static_cast<size_t>(akti) * (dage + 1) + off] = n;
  }

  uint32_t Postering(uint32_t akti, Dato d, int32_t timer, char type) {
    const uint32_t n = TimRaekke(d, 64, kEgen, akti, anfo, timer);
    reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, TimoakBucket(d / 100), n))->Type = type;
    return n;
  }

  void Arbejdstid(Dato d, uint32_t bidrag) {
    ArbejdstidRec a{};
    a.meda_id = meda;
    a.Dato = d;
    a.Bidrag = bidrag;
    Ny(tdarbejdstid, tvarbejdstid, a);
  }

  // The timesheet's lines at the fixture's date in a layout.
  std::vector<MedTimeLinie> Linier(uint32_t layout = 0) {
    FrigivMedTime(&mt);
    mt = MedTime{};
    mt.GruppeMaske = 2147483647u;
    mt.AktuelDato = SkemaPeriode.AktuelDato;
    mt.Layout = layout;
    GenopbygMedTime(&mt);
    return std::vector<MedTimeLinie>(mt.LinieTab + 1, mt.LinieTab + 1 + mt.LinieAntal);
  }

  // The detail lines (neither the totals nor a subtotal).
  std::vector<MedTimeLinie> Detaljer(uint32_t layout = 0) {
    std::vector<MedTimeLinie> v;
    const auto alle = Linier(layout);
    for (size_t i = 1; i < alle.size(); ++i)
      if (alle[i].Art != ' ') v.push_back(alle[i]);
    return v;
  }

  uint32_t meda = 0, anfo = 0, rolJ = 0;
  std::vector<uint16_t> personer;
  MedTime mt{};
};

}  // namespace medtimetest
