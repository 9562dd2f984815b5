// The order of the subjects on activities: activity name, subject name,
// then the subject's level letter, ties kept in their order.
#include <gtest/gtest.h>

#include <vector>

#include "../data/pred_tabeller.h"
#include "../data/store_fixture.h"
#include "KATALOG.h"
#include "SKPHIDX.h"

namespace {

using predtest::Ny;
using predtest::Tekst;

class SortSkphIdxTest : public storetest::DataMappe {
 protected:
  uint32_t Akti(const char *navn) {
    AktiRec a{};
    a.id = 100 + tvakti.wRecCnt;
    Tekst(a.Aktivitet, navn);
    a.Status = 10;
    return Ny(tdakti, tvakti, a);
  }
  uint32_t Fag(const char *navn, char niveau) {
    SkfaRec f{};
    f.id = 200 + tvskfa.wRecCnt;
    Tekst(f.Skolefag, navn);
    f.Niveau = niveau;
    f.Status = 10;
    return Ny(tdskfa, tvskfa, f);
  }
  uint32_t Par(uint32_t akti, uint32_t skfa) {
    SkphRec p{};
    p.akti_id = akti;
    p.skfa_id = skfa;
    p.Status = 10;
    return Ny(tdskph, tvskph, p);
  }
};

TEST_F(SortSkphIdxTest, AktivitetFagOgNiveau) {
  const uint32_t b2 = Akti("2b"), a1 = Akti("1a"), c1 = Akti("1ab");
  const uint32_t daB = Fag("DA", 'B'), ma = Fag("MA", ' '), daA = Fag("DA", 'A'), da = Fag("DA", ' ');
  const uint32_t p1 = Par(b2, daA), p2 = Par(a1, ma), p3 = Par(a1, daB), p4 = Par(a1, daA), p5 = Par(c1, da),
                 p6 = Par(a1, daB);
  std::vector<uint32_t> liste = {0, p1, p2, p3, p4, p5, p6};
  SortSkphIdx(liste.data(), 6);
  // "1a" before "1ab" as the shown text is padded with blanks; the two
  // equal pairs p3 and p6 stay in their order.
  EXPECT_EQ(liste, (std::vector<uint32_t>{0, p4, p3, p6, p2, p5, p1}));
  SortSkphIdx(liste.data(), 1);
  SortSkphIdx(nullptr, 3);
}

// The sorter that keeps the subjects' texts between lists orders every list
// as the plain sort: lists of one activity, a list of mixed activities, and
// the same subjects met again in later lists, ties included.
TEST_F(SortSkphIdxTest, OrdnerMedGemteFagGiverSammeOrden) {
  const uint32_t b2 = Akti("2b"), a1 = Akti("1a"), c1 = Akti("1ab");
  const uint32_t daB = Fag("DA", 'B'), ma = Fag("MA", ' '), daA = Fag("DA", 'A'), da = Fag("DA", ' ');
  const uint32_t en = Par(a1, ma), to = Par(a1, daB), tre = Par(a1, daA), fire = Par(a1, daB), fem = Par(b2, da),
                 seks = Par(b2, ma), syv = Par(b2, daA), otte = Par(c1, daA), ni = Par(c1, da);
  const std::vector<std::vector<uint32_t>> lister = {
      {0, en, to, tre, fire},   // one activity, with a tie
      {0, seks, syv, fem},      // the same subjects again
      {0, ni, otte},
      {0, otte, en, seks, to},  // mixed activities
      {0, fire, to},            // a tie only
      {0, syv},
  };
  SkphOrdner ordner;
  for (const std::vector<uint32_t> &liste : lister) {
    std::vector<uint32_t> forventet = liste, faaet = liste;
    SortSkphIdx(forventet.data(), static_cast<uint32_t>(liste.size() - 1));
    ordner.Sorter(faaet.data(), static_cast<uint32_t>(liste.size() - 1));
    EXPECT_EQ(faaet, forventet);
  }
  ordner.Sorter(nullptr, 3);
}

}  // namespace
