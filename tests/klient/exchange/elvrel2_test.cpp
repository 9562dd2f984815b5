// The generated student-overlap relations from the students' activity plans.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <vector>

#include "ImpTabel.h"
#include "skole_fixture.h"

namespace {

using namespace skoletest;

class Elvrel2 : public Skole {
 protected:
  std::map<uint32_t, uint32_t> akti;  // key -> record number

  void Plan(uint32_t pers, uint32_t aktiNoegle, uint32_t fra, uint32_t til, uint8_t status = 10) {
    if (!akti.count(aktiNoegle)) akti[aktiNoegle] = Akti(aktiNoegle);
    Ny(tdakpl, tvakpl, AkplRec{pers, akti[aktiNoegle], status, fra, til});
  }
  uint32_t Noegle(uint32_t r) { return r ? Laes<AktiRec>(tdakti, tvakti, r).id : 0; }
  // (key 1, key 2, from, to, status) of every record in use.
  std::vector<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, int>> Relationer() {
    std::vector<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, int>> v;
    for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r) {
      const Elvrel2Rec e = Laes<Elvrel2Rec>(tdelvrel2, tvelvrel2, r);
      if (e.Status) v.emplace_back(Noegle(e.akti1_id), Noegle(e.akti2_id), +e.Startdato, +e.Slutdato, e.Status);
    }
    std::sort(v.begin(), v.end());
    return v;
  }
};

TEST_F(Elvrel2, OverlappingPlansOfAStudent) {
  Plan(1, 100, 20240901, 20241231);
  Plan(1, 200, 20241101, 20250131);
  Plan(1, 100, 20250101, 20250301);  // the same activity again: no pair with the first plan
  Plan(2, 300, 20240901, 20241001);
  Plan(2, 100, 20241002, 20241231);  // begins the day after: no overlap
  Plan(2, 50, 20241001, 20241001);   // one day, inside the first plan; its key is the smaller
  Plan(3, 200, 20240901, 20250731);  // alone
  Plan(4, 400, 20240901, 20250731);
  Plan(4, 500, 20240901, 20250731, 0);  // a free record
  Plan(5, 600, 20240901, 20250731);
  Plan(5, 700, 20240901, 20250731);
  // The activity of a plan is gone: nothing to relate.
  GetRec(&tdakti, &tvakti, akti[700])[offsetof(AktiRec, Status)] = 0;

  // Generated relations from before go; other ones stay.
  const uint32_t a = akti[100], b = akti[200];
  Ny(tdelvrel2, tvelvrel2, Elvrel2Rec{a, b, 20200101, 20201231, 10});
  Ny(tdelvrel2, tvelvrel2, Elvrel2Rec{b, a, 20210101, 20211231, 20});

  OpbygElvrel2();
  using Rel = std::vector<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, int>>;
  EXPECT_EQ(Relationer(), (Rel{
                              {50, 300, 20241001, 20241001, 210},
                              {100, 200, 20241101, 20241231, 210},
                              {100, 200, 20250101, 20250131, 210},
                              {200, 100, 20210101, 20211231, 20},
                          }));
}

}  // namespace
