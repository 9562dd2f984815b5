// The enrolment tables as the catalogue registers them, checked against the
// record layouts and exchange orders the planning and the Elevplan answers
// rely on; the live rule; the records as structs; and the id of a record
// the installation makes itself.
#include <set>
#include <string>
#include <vector>

#include "FINDREC.h"
#include "elev_fixture.h"

using namespace eleventest;

namespace {

struct Felt {
  const char *Navn;
  uint32_t Offset;
};

struct TabelForventet {
  const char *Navn;
  uint8_t Bogstav;
  uint8_t Nr;
  uint32_t RecSize;
  uint8_t KeyLen;
  uint32_t PrBlok;
  uint32_t StatusOffset;
  std::vector<Felt> Import;                   // the line's fields, in order
  std::vector<std::pair<const char *, uint8_t>> Fremmed;  // declared foreign keys
};

const TabelForventet kTabeller[] = {
    {"tg", '7', 240, 164, 4, 10, 4,
     {{"id", 0}, {"Navn", 5}, {"tilmeldingsfradato", 56}, {"tilmeldingstildato", 60},
      {"fradato", 64}, {"tildato", 68}, {"LoebendeOptagstring", 72}, {"Minimum1PriLekt", 74},
      {"Minimum2PriLekt", 78}, {"Navn", 82}},
     {}},
    {"pp", '8', 241, 18, 4, 1000, 8,
     {{"id", 0}, {"tg_id", 4}, {"ugenr", 9}, {"dag", 13}, {"lektion", 14}},
     {{"tg_id", 240}}},
    {"la", '9', 242, 198, 4, 1000, 8,
     {{"id", 0}, {"tg_id", 4}, {"Navn", 9}, {"fradato", 110}, {"tildato", 114},
      {"Lektionsantal", 118}},
     {{"tg_id", 240}}},
    {"lap", '>', 243, 22, 4, 1000, 16,
     {{"id", 0}, {"tg_id", 4}, {"la_id", 8}, {"pp_id", 12}, {"lengde", 17}},
     {{"tg_id", 240}, {"la_id", 242}, {"pp_id", 241}}},
    {"elev", '5', 244, 265, 4, 1000, 8,
     {{"id", 0}, {"dummy_tg_id", 4}, {"Elevnavn", 9}, {"Cpr_Nummer", 110}, {"Navn", 122},
      {"Navn", 127}, {"Navn", 132}, {"Navn", 134}, {"Navn", 205}},
     {{"dummy_tg_id", 240}}},
    {"ev", '6', 245, 88, 4, 10000, 4,
     {{"id", 0}, {"tg_id", 5}, {"elev_id", 9}, {"elevplan_onske_la_id", 13}, {"prioritet", 17},
      {"Gyldig_fra", 18}, {"Gyldig_til", 22}, {"Accept", 26}, {"EASYAStatus", 28}},
     {{"tg_id", 240}, {"elev_id", 244}, {"elevplan_onske_la_id", 242}}},
    {"eb", '4', 246, 21, 4, 100, 16,
     {{"id", 0}, {"tg_id", 4}, {"elev_id", 8}, {"pp_id", 12}, {"lengde", 17}},
     {{"tg_id", 240}, {"elev_id", 244}, {"pp_id", 241}}},
    {"elti", '<', 247, 9, 8, 1000, 8, {{"elev_id", 0}, {"tg_id", 4}},
     {{"elev_id", 244}, {"tg_id", 240}}},
};

TEST(ElevTabellerKatalog, RegistryLayoutsAndExchangeOrders) {
  for (const TabelForventet &f : kTabeller) {
    SCOPED_TRACE(f.Navn);
    const TabRegEntry *e = TabRegister;
    while (e->Navn && std::string(e->Navn) != f.Navn) ++e;
    ASSERT_NE(e->Navn, nullptr);
    const TabDesc *td = e->pTabDesc;
    EXPECT_EQ(e->TypeBogstav, f.Bogstav);
    EXPECT_EQ(td->TypeBogstav, f.Bogstav);
    EXPECT_EQ(e->TabNr, f.Nr);
    EXPECT_EQ(td->RecSize, f.RecSize);
    EXPECT_EQ(td->KeyLen, f.KeyLen);
    EXPECT_EQ(td->RecPrBlok, f.PrBlok);
    EXPECT_STREQ(td->FeltTab[td->StatusFelt].Navn, "Status");
    EXPECT_EQ(uint32_t{td->FeltTab[td->StatusFelt].Offset}, f.StatusOffset);

    // The import order: the line's n-th field is the n-th named field, at
    // the layout's offset; nothing follows.
    size_t p = 0;
    for (; p < MAXFELT && td->FeltOrden[p] != 0; ++p) {
      ASSERT_LT(p, f.Import.size());
      const FeltDef &fd = td->FeltTab[td->FeltOrden[p] - 1];
      EXPECT_STREQ(fd.Navn, f.Import[p].Navn) << "position " << p;
      EXPECT_EQ(uint32_t{fd.Offset}, f.Import[p].Offset) << "position " << p;
    }
    EXPECT_EQ(p, f.Import.size());

    // Exactly the declared foreign keys name their target tables; the
    // other record-number fields (konverteret_onske_la, placerings_la_id,
    // overfoer_til_la_id) and kopi_id are plain numbers to the parser.
    std::set<std::pair<std::string, int>> fremmed, forventet;
    for (int i = 0; i < td->AntalFelter; ++i)
      if (td->FeltTab[i].Ref >= 128) fremmed.insert({td->FeltTab[i].Navn, td->FeltTab[i].Ref});
    for (const auto &[navn, nr] : f.Fremmed) forventet.insert({navn, nr});
    EXPECT_EQ(fremmed, forventet);
  }
}

TEST(ElevTabellerAktiv, LiveIsTenToTwentyNine) {
  struct {
    uint8_t Status;
    bool Aktiv;
  } const tilfaelde[] = {{0, false},  {1, false},   {9, false},   {10, true},   {20, true},
                         {29, true},  {30, false},  {32, false},  {64, false},  {110, false},
                         {210, false}, {220, false}, {230, false}, {255, false}};
  for (const auto &t : tilfaelde) EXPECT_EQ(ElevTabAktiv(t.Status), t.Aktiv) << int{t.Status};
}

class ElevTabellerRec : public ElevMappe {};

TEST_F(ElevTabellerRec, RecordsAsStructsWithinTheTable) {
  const uint32_t a = NyTg(1, 'L'), b = NyTg(256, 'U');
  const uint32_t pp = NyPp(b, 77, 202640, 0, 0);
  ASSERT_NE(TgRecNr(0), nullptr);
  EXPECT_EQ(+TgRecNr(0)->id, 0u);
  EXPECT_EQ(+TgRecNr(a)->id, 1u);
  EXPECT_EQ(+PpRecNr(pp)->tg_id, b);
  EXPECT_EQ(+PpRecNr(pp)->ugenr, 202640u);
  // Past the record count there is no record, in every table.
  EXPECT_EQ(TgRecNr(tvtg.wRecCnt), nullptr);
  EXPECT_EQ(PpRecNr(tvpp.wRecCnt), nullptr);
  EXPECT_EQ(LaRecNr(tvla.wRecCnt), nullptr);
  EXPECT_EQ(LapRecNr(tvlap.wRecCnt), nullptr);
  EXPECT_EQ(ElevRecNr(tvelev.wRecCnt), nullptr);
  EXPECT_EQ(EltiRecNr(tvelti.wRecCnt), nullptr);
  EXPECT_EQ(EvRecNr(tvev.wRecCnt), nullptr);
  EXPECT_EQ(EbRecNr(UINT32_MAX), nullptr);

  // By id through the index: 1 and 256 differ only in their byte order.
  EXPECT_EQ(FindElevRec(&tdtg, &tvtg, 1), a);
  EXPECT_EQ(FindElevRec(&tdtg, &tvtg, 256), b);
  EXPECT_EQ(FindElevRec(&tdtg, &tvtg, 2), 0u);
  EXPECT_EQ(FindElevRec(&tdpp, &tvpp, 77), pp);
}

// The id of a record the installation makes itself never repeats an id the
// table holds, whatever that record's status.
TEST_F(ElevTabellerRec, OwnIdIsTheFreeRecordUnlessTaken) {
  struct {
    const char *Navn;
    std::vector<IdStatus> Recs;
    std::vector<uint32_t> Slettes;  // record numbers zeroed after making
    uint32_t Forventet;
  } const tilfaelde[] = {
      {"empty table", {}, {}, 1},
      {"free number unused", {{100, 10}, {200, 10}}, {}, 3},
      {"free number is a live id", {{3, 10}, {50, 10}}, {}, 51},
      {"free number is a deleted version's id", {{3, 130}, {50, 10}}, {}, 51},
      {"free number is a pending id", {{50, 10}, {3, 220}}, {}, 51},
      {"free number is an archived id", {{3, 30}, {9, 10}}, {}, 10},
      {"hole in the middle", {{10, 10}, {7, 10}, {2, 10}}, {2}, 11},
      {"hole whose number is free", {{10, 10}, {7, 10}, {8, 10}}, {2}, 2},
      {"ids used up", {{3, 10}, {UINT32_MAX, 10}}, {}, 0},
  };
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.Navn);
    ResetTab(&tdpp, &tvpp, 1);
    for (const IdStatus &r : t.Recs) NyPp(1, r.id, 0, 1, 1, r.Status);
    for (uint32_t n : t.Slettes) DelRec(&tdpp, &tvpp, n);
    EXPECT_EQ(NytLokaltId(&tdpp, &tvpp), t.Forventet);
  }
}

}  // namespace
