// Withdrawing an export that is not sent: every table, bucket and block
// flag back as it was before the export (compared as memory images), after
// a save and a restart too; what changed since the export keeps its state;
// without the export's list the old rule; and the list's file read line by
// line.
#include "eksport_fixture.h"

namespace eksporttest {
namespace {

using FjernEksport = EksportSkole;

std::string ListeFil() { return std::string(StiTab.szdata) + "data\\exp.mrk"; }

// A restart: the program has only the list's file.
void LaesListeFil() {
  FILE *f = fopen(ListeFil().c_str(), "rb");
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(LaesEksportMaerker(f));
  fclose(f);
}

const std::vector<std::string> kIngen;

TEST_F(FjernEksport, PutsBackEveryTableBucketAndBlockFlag) {
  HeleSkolen();
  GemOgHent();
  const Billede foer = Billede::Nu();
  ASSERT_TRUE(EksportSkriv());
  ASSERT_FALSE(Forskelle(foer, Billede::Nu()).empty());
  FjernEksportMarker();
  EXPECT_EQ(Forskelle(foer, Billede::Nu()), kIngen);
  // The cases the old rule got wrong, by name.
  EXPECT_EQ(+Ske(202437, 6).Status, 0x48u);  // deleted before: 0x48 again, not 0x68
  EXPECT_EQ(Ske(202437, 4).Fejl, '>');       // the refusal's mark is back
  EXPECT_EQ(Rec<AnfoRec>(tdanfo, tvanfo, s.a2).Status, 131);
  EXPECT_EQ(Rec<MedaskepriorRec>(tdmedaskeprior, tvmedaskeprior, p2).Status, 72);
  EXPECT_FALSE(Findes("exp.mrk"));
  EXPECT_EQ(EksportMaerkerAntal(), 0u);
}

// The export saved, the program restarted: the list's file puts back the
// same, and every block it changed is marked, so the next save writes it.
TEST_F(FjernEksport, AfterSavingReloadingAndRestarting) {
  HeleSkolen();
  GemOgHent();
  const Billede foer = Billede::Nu();
  ASSERT_TRUE(EksportSkriv());
  GemOgHent();
  LaesListeFil();
  FjernEksportMarker();
  EXPECT_EQ(Forskelle(Billede::Nu(false), foer.UdenFlag()), kIngen);
  EXPECT_FALSE(Findes("exp.mrk"));
  GemOgHent();
  EXPECT_EQ(Forskelle(foer, Billede::Nu()), kIngen);
}

// A save between the export and the withdrawal wrote the export's marks:
// the blocks put back stay marked changed, so the next save undoes them on
// disk as well.
TEST_F(FjernEksport, SaveBetweenExportAndWithdrawalKeepsTheBlocksMarked) {
  HeleSkolen();
  GemOgHent();
  const Billede foer = Billede::Nu();
  ASSERT_TRUE(EksportSkriv());
  GemAlt();
  FjernEksportMarker();
  EXPECT_EQ(Forskelle(Billede::Nu(false), foer.UdenFlag()), kIngen);
  EXPECT_EQ(tvanfo.pfSave[s.a2 / tdanfo.RecPrBlok], 1);
  EXPECT_EQ(tvmedaskeprior.pfSave[p2 / tdmedaskeprior.RecPrBlok], 1);
  GemAlt();
  HentAlt();
  EXPECT_EQ(Forskelle(foer, Billede::Nu()), kIngen);
}

// What changed after the export keeps its state; the rest goes back. A
// block that does not come back whole stays marked changed.
TEST_F(FjernEksport, WhatChangedSinceTheExportKeepsItsState) {
  HeleSkolen();
  GemOgHent();
  const Billede foer = Billede::Nu();
  ASSERT_TRUE(EksportSkriv());

  Ske(202437, 1).Status = 0x58;  // the sent event deleted here
  TimoakRaekke &t = Tim(202409, 2);
  t.id = 999, t.Status = 0x40;  // the place taken by another posting
  Rec<AnfoRec>(tdanfo, tvanfo, s.a2).Status = 10;
  MedaskepriorRec ny{};
  ny.anfo_id = s.a1, ny.Ugedag = 4, ny.prioritet = 1, ny.Ejer = kIns, ny.Status = 64;
  Rec<MedaskepriorRec>(tdmedaskeprior, tvmedaskeprior, p2) = ny;

  FjernEksportMarker();
  EXPECT_EQ(+Ske(202437, 1).Status, 0x58u);
  EXPECT_EQ(+Ske(202437, 2).Status, 0x40u);
  EXPECT_EQ(+Ske(202437, 4).Status, 0x40u);
  EXPECT_EQ(Ske(202437, 4).Fejl, '>');
  EXPECT_EQ(+Tim(202409, 2).id, 999u);
  EXPECT_EQ(Tim(202409, 2).Status, 0x40);
  EXPECT_EQ(Tim(202409, 1).Status, 0x40);
  EXPECT_EQ(Rec<AnfoRec>(tdanfo, tvanfo, s.a2).Status, 10);
  EXPECT_EQ(Rec<AktiRec>(tdakti, tvakti, s.k3).Status, 31);
  EXPECT_EQ(Rec<MedaskepriorRec>(tdmedaskeprior, tvmedaskeprior, p2).Ugedag, 4);

  // Whole again: the rooms and the other week; changed since: these.
  const std::vector<std::string> ventet = {"anfo data",         "anfo flag",         "medaskeprior data",
                                           "medaskeprior flag", "uge 202437 data",   "uge 202437 flag",
                                           "maaned 202409 data", "maaned 202409 flag"};
  std::vector<std::string> forskel = Forskelle(foer, Billede::Nu());
  forskel.erase(std::remove(forskel.begin(), forskel.end(), "medaskeprior FoersteLedige"), forskel.end());
  std::sort(forskel.begin(), forskel.end());
  std::vector<std::string> v = ventet;
  std::sort(v.begin(), v.end());
  EXPECT_EQ(forskel, v);
}

// Without the export's list (none in memory, no file) the old rule takes
// back every sent mark: 32 to 31, and 0x10 off every live row and record.
TEST_F(FjernEksport, WithoutAListEverySentMarkIsTakenBack) {
  Stamdata();
  Rec<AktiRec>(tdakti, tvakti, s.k3).Status = 32;
  Rec<AnfoRec>(tdanfo, tvanfo, s.a2).Status = 132;
  Rec<LokaRec>(tdloka, tvloka, s.l2).Status = 32;
  struct Tilfaelde {
    uint8_t foer, efter;
  };
  const Tilfaelde tilfaelde[] = {{0x50, 0x40}, {0x78, 0x68}, {0x60, 0x60}, {0x40, 0x40}, {0x10, 0x10}};
  Faelles f;
  std::vector<uint32_t> raekker, poster, plan;
  for (const Tilfaelde &c : tilfaelde) {
    f.status = c.foer;
    raekker.push_back(Begivenhed(202440, f, {{s.k1}}));
    poster.push_back(Postering(202411, 0, c.foer, s.k1, s.a1, 3, 100, kFremmed));
    FfpgRec g{};
    g.Ejer = kIns, g.Status = c.foer;
    plan.push_back(Ny(tdffpg, tvffpg, g));
  }
  FjernEksportMarker();
  for (size_t i = 0; i < std::size(tilfaelde); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(+Ske(202440, raekker[i]).Status, tilfaelde[i].efter);
    EXPECT_EQ(Tim(202411, poster[i]).Status, tilfaelde[i].efter);
    EXPECT_EQ(Rec<FfpgRec>(tdffpg, tvffpg, plan[i]).Status, tilfaelde[i].efter);
  }
  EXPECT_EQ(Rec<AktiRec>(tdakti, tvakti, s.k3).Status, 31);
  EXPECT_EQ(Rec<AnfoRec>(tdanfo, tvanfo, s.a2).Status, 132);
  EXPECT_EQ(Rec<LokaRec>(tdloka, tvloka, s.l2).Status, 31);
}

// The list's file, line by line: which lines are taken.
TEST_F(FjernEksport, ListFileLinesAreCheckedOneByOne) {
  struct Tilfaelde {
    const char *linje;
    bool god;
  };
  const Tilfaelde tilfaelde[] = {
      {"T;75;3;1003;31;32;0", true},
      {"T;88;3;1003;31;32;0", false},  // no table the export marks
      {"T;75;0;1003;31;32;0", false},  // record 0
      {"T;75;3;1003;31;300;0", false},
      {"T;75;3;1003;31;32;0;0", false},
      {"S;202437;1;0;64;80;0", true},
      {"S;202437;1;0;64;4294967295;62", true},
      {"S;202437;1;0;64;80", false},
      {"S;202437;1;0;64;80;0;9", false},
      {"S;202437;1;0;64;80;0;", false},
      {"S;-1;1;0;64;80;0", false},
      {"S;4294967296;1;0;64;80;0", false},
      {"S;;1;0;64;80;0", false},
      {"S;202437 ;1;0;64;80;0", false},
      {"B;202409;1;0;64;80;62", true},
      {"B;202409;1;0;64;80;256", false},
      {"B;202409;1;0;64;256;0", false},
      {"P;3;2;2;900;905;-3;0;0;7;0;72", true},
      {"P;3;2;2;900;905;-3;0;0;7;0;0", false},
      {"P;3;2;2;900;905;-2147483649;0;0;7;0;72", false},
      {"P;3;2;-2;900;905;-3;0;0;7;0;72", false},
      {"Q;1", false},
      {"", false},
      {"T", false},
  };
  for (const Tilfaelde &c : tilfaelde) {
    SCOPED_TRACE(c.linje);
    FILE *f = tmpfile();
    ASSERT_NE(f, nullptr);
    fprintf(f, "Tavo eksportmaerker 1\n%s\n", c.linje);
    rewind(f);
    EXPECT_TRUE(LaesEksportMaerker(f));
    EXPECT_EQ(EksportMaerkerAntal(), c.god ? 1u : 0u);
    fclose(f);
  }
  // An over-long line is refused whole; the next line is read.
  FILE *f = tmpfile();
  ASSERT_NE(f, nullptr);
  fprintf(f, "Tavo eksportmaerker 1\nS;%s\nS;202437;1;0;64;80;0\n", std::string(600, '1').c_str());
  rewind(f);
  EXPECT_TRUE(LaesEksportMaerker(f));
  EXPECT_EQ(EksportMaerkerAntal(), 1u);
  fclose(f);
  // Another file altogether is no list.
  f = tmpfile();
  ASSERT_NE(f, nullptr);
  fprintf(f, "K;J;7;10413;20240801;20250731;0;0;0;0;0;0\n");
  rewind(f);
  EXPECT_FALSE(LaesEksportMaerker(f));
  fclose(f);
}

// A list file that is no list: the old rule applies.
TEST_F(FjernEksport, UnreadableListFileFallsBackToTheOldRule) {
  Stamdata();
  Faelles f;
  f.status = 0x50;
  const uint32_t r = Begivenhed(202440, f, {{s.k1}});
  std::ofstream(Data("exp.mrk"), std::ios::binary) << "noget andet\n";
  FjernEksportMarker();
  EXPECT_EQ(+Ske(202440, r).Status, 0x40u);
  EXPECT_FALSE(Findes("exp.mrk"));
}

}  // namespace
}  // namespace eksporttest
