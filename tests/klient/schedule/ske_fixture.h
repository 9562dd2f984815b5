// A schedule window's workspace without a window, and the made pieces the
// schedule tests build their weeks from: ring systems of regular lessons and
// school calendars whose days are picked by a rule. The small school of the
// event tests (beg_fixture.h) holds the activities, employments and rooms.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "AVSHJAELP.h"
#include "DATO.h"
#include "SKEMA.h"
#include "SKEMARK.h"
#include "SKEVIS.h"
#include "STATUSFILTER.h"
#include "beg_fixture.h"

namespace sketest {

using namespace begtest;
using predtest::Rec;

// A dot schedule's workspace of the ordinary variant, viewing, as a window
// starts it.
class SkeVindue {
 public:
  explicit SkeVindue(char art, char visning = 'L', bool alleObjekter = true) : ske_(new SkeStruct{}) {
    InitSkeStruct(ske_, art, visning, 'V', 'N', 'V', alleObjekter);
  }
  ~SkeVindue() {
    FrigivSkeStruct(ske_);
    delete ske_;
  }
  SkeVindue(const SkeVindue &) = delete;
  SkeVindue &operator=(const SkeVindue &) = delete;

  SkeStruct *operator->() const { return ske_; }
  SkeStruct *get() const { return ske_; }

  // The object axis: the given rows (object records, or period week indexes
  // when the window shows one object), the current row 1.
  void Raekker(const std::vector<uint32_t> &noegler) const {
    uint32_t *tab = static_cast<uint32_t *>(calloc(noegler.size() + 1, sizeof(uint32_t)));
    for (size_t i = 0; i < noegler.size(); ++i) tab[i + 1] = noegler[i];
    const uint32_t antal = static_cast<uint32_t>(noegler.size());
    if (ske_->AlleObjekter) {
      free(ske_->Ens.ObjTab);
      ske_->Ens.ObjTab = tab;
      ske_->Ens.ObjTabAntal = antal;
    } else {
      free(ske_->Ens.UgeTab);
      ske_->Ens.UgeTab = tab;
      ske_->UgeAntal = antal;
    }
    ske_->ObjPos = {static_cast<uint32_t>(noegler.size()), 1, static_cast<uint32_t>(noegler.size()), 1};
  }
  // The time axis of the display mode's view settings: its shown days, each
  // with its shown lessons or slots (one column a day in day mode).
  void TidsAkse() const {
    const VisningsTilstandRec &v = ske_->Vis;
    const uint32_t dage = v.SidsteUgedag - v.FoersteUgedag + 1u;
    const uint32_t trin = ske_->Visning == 'D' ? 1 : v.SidsteSlot - v.FoersteSlot + 1u;
    ske_->TidPos = {dage * trin, 1, dage * trin, 1};
  }

  // Entry n of the list.
  const SkeVisListe &Indgang(uint32_t n) const { return ske_->lpSkeVisListe[n]; }

  // The entries of one chain in order.
  std::vector<uint32_t> Kaede(uint32_t raekke, uint8_t dag) const {
    std::vector<uint32_t> ud;
    if (!ske_->KaedeHoveder || raekke >= ske_->KaedeRaekker) return ud;
    for (uint32_t e = ske_->KaedeHoveder[raekke * 8 + dag]; e; e = ske_->lpSkeVisListe[e].Naeste) ud.push_back(e);
    return ud;
  }

 private:
  SkeStruct *ske_;
};

// The lesson times of a ring system: n lessons from start, each so long,
// with a break between.
struct Ringetider {
  Klokkeslaet start = 800;
  uint32_t antal = 8;
  uint32_t laengde = 45;
  uint32_t pause = 10;
};

class SkeMappe : public BegMappe {
 protected:
  void SetUp() override {
    BegMappe::SetUp();
    memcpy(gemtVisning_, VisningsTilstand, sizeof gemtVisning_);
    BegivenhedsFilter = {};
    // Eight lessons from 08:00, the whole week shown.
    SaetVisningstider(800, 8, 7);
  }
  void TearDown() override {
    BegivenhedsFilter = {};
    memcpy(VisningsTilstand, gemtVisning_, sizeof gemtVisning_);
    BegMappe::TearDown();
  }

 private:
  VisningsTilstandRec gemtVisning_[kAntalVisninger];

 protected:

  // A ring system record; its number.
  static uint32_t Ringesystem(const Ringetider &t, uint8_t status = 10, const char *navn = "R") {
    RisyRec r{};
    r.id = 500 + tvrisy.wRecCnt;
    Tekst(r.Ringesystem, navn);
    r.Status = status;
    Klokkeslaet tid = t.start;
    for (uint32_t l = 0; l < t.antal && l < 48; ++l) {
      r.Starttid[l] = tid;
      r.Sluttid[l] = LaegMinutterTil(tid, static_cast<int32_t>(t.laengde));
      r.Antal_std_lektioner[l] = 1.0f;
      tid = LaegMinutterTil(r.Sluttid[l], static_cast<int32_t>(t.pause));
    }
    return Ny(tdrisy, tvrisy, r);
  }

  // A school calendar over the ISO years startAar .. startAar + antalAar - 1
  // whose school days the rule picks (ISO year, week 1..53, weekday 1..7);
  // its number. The day bytes of each year lie in a kaldag record reached
  // through consecutive kdagrel records.
  static uint32_t Skolekalender(uint32_t startAar, uint32_t antalAar,
                                const std::function<bool(uint32_t, uint32_t, uint8_t)> &skoledag) {
    std::vector<uint32_t> dage;
    for (uint32_t a = 0; a < antalAar; ++a) {
      KaldagRec k{};
      k.Status = 1;
      for (uint32_t u = 1; u <= 53; ++u)
        for (uint8_t d = 1; d <= 7; ++d)
          if (skoledag(startAar + a, u, d)) k.Uge[u - 1] |= static_cast<uint8_t>(1u << (d - 1));
      dage.push_back(Ny(tdkaldag, tvkaldag, k));
    }
    uint32_t foersteRel = 0;
    for (uint32_t a = 0; a < antalAar; ++a) {
      KdagrelRec r{};
      r.Status = 1;
      r.AntalAr = antalAar;
      r.Kaldag = dage[a];
      const uint32_t n = Ny(tdkdagrel, tvkdagrel, r);
      if (a == 0) foersteRel = n;
    }
    SkkaRec s{};
    s.id = 600 + tvskka.wRecCnt;
    Tekst(s.Skoledagskalender, "SK");
    s.Status = 10;
    s.StartAr = startAar;
    s.AntalAr = antalAar;
    s.kaldagrel = foersteRel;
    return Ny(tdskka, tvskka, s);
  }

  // An event of one activity row at a weekday and time in the week of the
  // fixture; its first row.
  uint32_t NyBegivenhed(uint32_t objekt, uint8_t dag, Klokkeslaet start, Klokkeslaet slut, Faelles f = {}) {
    f.dag = dag;
    f.start = start;
    f.slut = slut;
    return SkrivRaekker({{.akti = objekt}}, f);
  }
};

}  // namespace sketest
