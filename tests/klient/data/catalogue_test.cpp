// Consistency of the data dictionary: every table's fields lie back to back
// and add up to its record size, references name registered tables, and the
// registry-wide facts that loading, sorting and the exchange rely on hold.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "KATALOG.h"
#include "TABOPER.h"

namespace {

std::vector<const TabRegEntry *> Tabeller() {
  std::vector<const TabRegEntry *> v;
  for (const TabRegEntry *e = TabRegister; e->Navn != nullptr; ++e) v.push_back(e);
  return v;
}

std::string Navn(const TabRegEntry *e) { return e->Navn; }

int FeltNr(const TabDesc *td, const char *navn) {
  for (int i = 0; i < td->AntalFelter; ++i)
    if (strcmp(td->FeltTab[i].Navn, navn) == 0) return i;
  return -1;
}

size_t ElementSize(uint8_t type) {
  switch (type) {
    case FT_U8: case FT_JANEJ: return 1;
    case FT_HELTAL: case FT_ID: case FT_INT: case FT_FLOAT: case FT_PEGER: return 4;
    case FT_DOUBLE: return 8;
    default: return 0;  // text: any size; 1, 4 and 5 occur in no table
  }
}

TEST(Catalogue, RegistryHas88TablesAndEndsWithEmptyEntry) {
  EXPECT_EQ(Tabeller().size(), 88u);
  EXPECT_EQ(TabRegisterAntal, 88u);
  const TabRegEntry &slut = TabRegister[88];
  EXPECT_EQ(slut.TypeBogstav, 0);
  EXPECT_EQ(slut.Navn, nullptr);
  EXPECT_EQ(slut.pTabDesc, nullptr);
  EXPECT_EQ(slut.pTabVar, nullptr);
}

TEST(Catalogue, LettersNumbersNamesAreUniqueAndInRange) {
  std::set<uint8_t> bogstaver, numre;
  std::set<std::string> navne;
  std::set<const TabVar *> vars;
  for (const TabRegEntry *e : Tabeller()) {
    SCOPED_TRACE(Navn(e));
    EXPECT_NE(e->TypeBogstav, 0);
    EXPECT_TRUE(e->TabNr == 66 || e->TabNr == 67 || e->TabNr >= 129) << int(e->TabNr);
    EXPECT_TRUE(bogstaver.insert(e->TypeBogstav).second);
    EXPECT_TRUE(numre.insert(e->TabNr).second);
    EXPECT_TRUE(navne.insert(e->Navn).second);
    EXPECT_TRUE(vars.insert(e->pTabVar).second);
    // The descriptor repeats the entry's name and letter.
    EXPECT_STREQ(e->pTabDesc->Navn, e->Navn);
    EXPECT_STREQ(e->pTabDesc->KortNavn, e->Navn);
    EXPECT_EQ(e->pTabDesc->TypeBogstav, e->TypeBogstav);
  }
}

TEST(Catalogue, EveryTableIsConsistent) {
  for (const TabRegEntry *e : Tabeller()) {
    SCOPED_TRACE(Navn(e));
    const TabDesc *td = e->pTabDesc;
    ASSERT_GE(td->AntalFelter, 2);
    ASSERT_LE(td->AntalFelter, MAXFELT);

    // Fields lie back to back from offset 0 and fill the record exactly.
    uint32_t naeste = 0;
    for (int i = 0; i < td->AntalFelter; ++i) {
      const FeltDef &f = td->FeltTab[i];
      SCOPED_TRACE(f.Navn);
      EXPECT_EQ(uint32_t{f.Offset}, naeste) << "field " << i;
      EXPECT_GE(f.Antal, 1);
      EXPECT_GT(f.Size, 0);
      naeste = f.Offset + f.Size * f.Antal;
      EXPECT_TRUE(f.Type == FT_U8 || f.Type == FT_JANEJ || f.Type == FT_HELTAL || f.Type == FT_ID ||
                  f.Type == FT_INT || f.Type == FT_FLOAT || f.Type == FT_DOUBLE ||
                  f.Type == FT_PEGER || f.Type == FT_TEKST)
          << int(f.Type);
      if (f.Type != FT_TEKST) { EXPECT_EQ(f.Size, ElementSize(f.Type)); }
      EXPECT_EQ(f.Reserveret, 0);
      EXPECT_LE(f.VisArt, VA_JANEJ);
      EXPECT_LE(f.Flag, 1);
      EXPECT_LE(float{f.Min}, float{f.Max});
      const size_t len = strnlen(f.Navn, FELTNAVN_LEN);
      EXPECT_GT(len, 0u);
      EXPECT_LT(len, size_t(FELTNAVN_LEN));
      // A reference names a registered table; below 66 is a value domain.
      if (f.Ref >= FOERSTE_TABNR) {
        const TabDesc *mtd;
        TabVar *mtv;
        EXPECT_EQ(TabFromNr(f.Ref, &mtd, &mtv), 0) << "reference " << int(f.Ref);
        EXPECT_EQ(f.Type, FT_ID);
      } else {
        EXPECT_TRUE(f.Ref == 0 || f.Ref == 1 || (f.Ref >= 15 && f.Ref <= 22 && f.Ref != 16))
            << int(f.Ref);
      }
    }
    EXPECT_EQ(naeste, td->RecSize);
    for (int i = td->AntalFelter; i < MAXFELT; ++i) { EXPECT_EQ(td->FeltTab[i].Type, 0) << i; }

    // The status field is the one-byte field named Status.
    ASSERT_LT(td->StatusFelt, td->AntalFelter);
    const FeltDef &st = td->FeltTab[td->StatusFelt];
    EXPECT_STREQ(st.Navn, "Status");
    EXPECT_EQ(st.Type, FT_U8);
    EXPECT_EQ(st.Size, 1);
    EXPECT_EQ(st.Ref, REF_STATUS);
    EXPECT_EQ(FeltNr(td, "Status"), td->StatusFelt);

    // Keys: 1-byte tables are never searched and have their status first.
    EXPECT_TRUE(td->KeyLen == 1 || td->KeyLen == 4 || td->KeyLen == 8 || td->KeyLen == 12);
    if (td->KeyLen == 1) { EXPECT_EQ(td->StatusFelt, 0); }
    if (td->KeyLen == 4) { EXPECT_EQ(td->FeltTab[0].Size * td->FeltTab[0].Antal, 4); }
    if (td->KeyLen == 8 || td->KeyLen == 12)
      for (int i = 0; i < td->KeyLen / 4; ++i) { EXPECT_EQ(td->FeltTab[i].Type, FT_ID); }

    // Exchange order: distinct 1-based field numbers, never the status.
    std::set<int> orden;
    for (int i = 0; i < MAXFELT; ++i) {
      const int nr = td->FeltOrden[i];
      if (nr == 0) continue;
      EXPECT_LE(nr, td->AntalFelter);
      EXPECT_NE(nr - 1, td->StatusFelt);
      EXPECT_TRUE(orden.insert(nr).second) << nr;
    }

    // A date group head is followed by its derived week and day fields,
    // which the exchange leaves out like the run-time pointer.
    for (int i = 0; i < td->AntalFelter; ++i) {
      if (td->FeltTab[i].Type == FT_PEGER) { EXPECT_EQ(orden.count(i + 1), 0u); }
      if (td->FeltTab[i].Ref != REF_DATOGRUPPE) continue;
      ASSERT_LT(i + 3, td->AntalFelter);
      for (int k = 1; k <= 3; ++k) { EXPECT_EQ(orden.count(i + 1 + k), 0u) << td->FeltTab[i + k].Navn; }
      EXPECT_EQ(td->FeltTab[i + 3].Offset + 1 - td->FeltTab[i].Offset, uint32_t(DATOGRUPPE_LEN));
      EXPECT_EQ(td->FeltTab[i + 3].Type, FT_U8);
    }

    // Period fields name the fields they stand for.
    static const char *const per[PERIODEFELTER] = {"MinStartUge", "MaxSlutUge", "StartUge", "SlutUge",
                                                  "StartDag",    "SlutDag",    "Gruppe",   "Tid"};
    for (int k = 0; k < PERIODEFELTER; ++k)
      if (td->PeriodeFelter[k] != 0) { EXPECT_STREQ(td->FeltTab[td->PeriodeFelter[k]].Navn, per[k]); }

    EXPECT_GE(td->RecPrBlok, 10u);
    EXPECT_LE(td->RecPrBlok, 30000u);
    EXPECT_TRUE(td->TabArt == 'E' || td->TabArt == 'R');
  }
}

TEST(Catalogue, KeyLengthAndKindCounts) {
  std::map<int, int> keyLen;
  std::set<std::string> relationer;
  int entiteter = 0;
  for (const TabRegEntry *e : Tabeller()) {
    ++keyLen[e->pTabDesc->KeyLen];
    if (e->pTabDesc->TabArt == 'R')
      relationer.insert(e->Navn);
    else
      ++entiteter;
  }
  EXPECT_EQ(keyLen, (std::map<int, int>{{1, 3}, {4, 73}, {8, 11}, {12, 1}}));
  EXPECT_EQ(entiteter, 72);
  EXPECT_EQ(relationer, (std::set<std::string>{"skph", "sphp", "aakrel", "elvrel", "elvrel2", "fagelv", "ret",
                                               "epsh", "akpl", "frit", "alrel", "skfalokarel", "arbejdstid",
                                               "ffpertab", "ffpgrel", "elti"}));
}

TEST(Catalogue, TableFlagsAsListed) {
  std::set<std::string> central, bevar, perioder;
  std::map<std::string, int> objekt;
  for (const TabRegEntry *e : Tabeller()) {
    const TabDesc *td = e->pTabDesc;
    if (td->CentralFlag) central.insert(e->Navn);
    if (td->BevarVedNulstil) bevar.insert(e->Navn);
    if (td->PeriodeFelter[PF_STARTUGE]) perioder.insert(e->Navn);
    if (td->ObjektOffset) objekt[e->Navn] = td->ObjektOffset;
  }
  EXPECT_EQ(central, (std::set<std::string>{"meda", "anfo", "ansc", "ansk", "loka", "akti", "skfa", "skph", "sphp",
                                            "elti"}));
  EXPECT_EQ(bevar, (std::set<std::string>{"tg", "pp", "la", "lap", "elev", "elti", "ev", "eb"}));
  EXPECT_EQ(perioder, (std::set<std::string>{"akti", "anfo", "loka"}));
  EXPECT_EQ(objekt, (std::map<std::string, int>{
                        {"akti", 12}, {"meda", 16}, {"anfo", 16}, {"ansc", 16}, {"ansk", 16}, {"loka", 28}, {"skfa", 36}}));
  uint8_t ansk[PERIODEFELTER] = {0, 0, 0, 0, 0, 0, 0, 3};
  EXPECT_EQ(memcmp(tdansk.PeriodeFelter, ansk, PERIODEFELTER), 0);
  EXPECT_EQ(tdakti.RecPrBlok, 4000u);
  EXPECT_EQ(tdanfo.RecPrBlok, 2000u);
  EXPECT_EQ(tdskfa.RecPrBlok, 30000u);
  EXPECT_EQ(tdakti.VisKlasse, 7);
  EXPECT_EQ(tdskka.VisKlasse, 15);
  EXPECT_EQ(tdrisy.VisKlasse, 16);
  EXPECT_EQ(tdmiak.VisKlasse, 100);
}

TEST(Catalogue, RangesAndPointerField) {
  int medGraense = 0, pegere = 0;
  for (const TabRegEntry *e : Tabeller())
    for (int i = 0; i < e->pTabDesc->AntalFelter; ++i) {
      const FeltDef &f = e->pTabDesc->FeltTab[i];
      if (f.Min != 0 || f.Max != 0) ++medGraense;
      if (f.Type == FT_PEGER) ++pegere;
    }
  EXPECT_EQ(medGraense, 17);
  EXPECT_EQ(pegere, 1);
  const FeltDef &medtal = tdanfo.FeltTab[FeltNr(&tdanfo, "MedTal")];
  EXPECT_EQ(medtal.Type, FT_PEGER);
  EXPECT_EQ(medtal.Size, 4);
  EXPECT_EQ(medtal.Ref, REF_MEDTAL);
}

// Fields checked by hand against the catalogue text.
struct Felt {
  const TabDesc *td;
  int nr;
  const char *navn;
  uint8_t type, size, antal, ref, bredde, dec;
  uint32_t offset;
  uint8_t flag;
  float min, max;
  uint8_t visArt;
};

TEST(Catalogue, SpotChecks) {
  const Felt felter[] = {
      {&tdanom, 3, "Fradato", FT_ID, 4, 1, 0, 8, 0, 16, 1, 0, 0, VA_DATO},
      {&tdlektregl, 5, "Lektionsantal", FT_U8, 1, 1, 0, 2, 0, 28, 1, 0, 99, VA_ALM},
      {&tdlektregl, 6, "Omregningsfaktor", FT_FLOAT, 4, 1, 0, 6, 3, 29, 1, 0, 0, VA_ALM},
      {&tdhontity, 4, "indgar_i_opgorelser", FT_JANEJ, 1, 1, 0, 1, 0, 24, 1, 0, 0, VA_JANEJ},
      {&tdanfo, 1, "meda_id", FT_ID, 4, 1, 144, 6, 0, 4, 1, 0, 0, VA_ALM},
      {&tdanfo, 11, "Fradato", FT_ID, 4, 1, REF_DATOGRUPPE, 8, 0, 88, 1, 0, 0, VA_DATO},
      {&tdanfo, 22, "opdtid", FT_DOUBLE, 8, 1, 0, 8, 0, 126, 1, 0, 0, VA_ALM},
      {&tdakti, 27, "Elevlektioner", FT_ID, 4, 1, 0, 4, 0, 165, 0, 0, 9999, VA_ALM},
      {&tdakti, 44, "AntalLererTimer", FT_HELTAL, 4, 1, 0, 5, 0, 378, 0, 0, 0, VA_ALM},
      {&tdkaldag, 1, "Uge", FT_U8, 1, 53, 0, 3, 0, 1, 0, 0, 0, VA_ALM},
      {&tdkdagrel, 1, "StartRel", FT_JANEJ, 1, 1, REF_KALENDERSTART, 0, 0, 1, 0, 0, 0, VA_ALM},
      {&tdelev, 8, "Navn", FT_TEKST, 71, 1, 0, 70, 0, 134, 1, 0, 0, VA_ALM},
      {&tdelti, 0, "elev_id", FT_ID, 4, 1, 244, 6, 0, 0, 1, 0, 0, VA_ALM},
      {&tdanom, 1, "Ansvarsområde", FT_TEKST, 11, 1, 0, 10, 0, 4, 1, 0, 0, VA_ALM},
      // the special sort orders find the activity here
      {&tdskph, 0, "akti_id", FT_ID, 4, 1, 130, 6, 0, 0, 1, 0, 0, VA_ALM},
      {&tdsphp, 1, "akti_id", FT_ID, 4, 1, 130, 6, 0, 4, 1, 0, 0, VA_ALM},
  };
  for (const Felt &x : felter) {
    SCOPED_TRACE(std::string(x.td->Navn) + "." + x.navn);
    const FeltDef &f = x.td->FeltTab[x.nr];
    EXPECT_STREQ(f.Navn, x.navn);
    EXPECT_EQ(f.Type, x.type);
    EXPECT_EQ(f.Size, x.size);
    EXPECT_EQ(f.Antal, x.antal);
    EXPECT_EQ(f.Ref, x.ref);
    EXPECT_EQ(f.Bredde, x.bredde);
    EXPECT_EQ(f.Decimaler, x.dec);
    EXPECT_EQ(uint32_t{f.Offset}, x.offset);
    EXPECT_EQ(f.Flag, x.flag);
    EXPECT_EQ(float{f.Min}, x.min);
    EXPECT_EQ(float{f.Max}, x.max);
    EXPECT_EQ(f.VisArt, x.visArt);
  }
  // Field names are Windows-1252 text.
  EXPECT_EQ(uint8_t(tdanom.FeltTab[1].Navn[10]), 0xE5);
}

TEST(Catalogue, ExchangeOrderTellsLikeNamedFieldsApart) {
  // tg names Navn twice, elev five times: each mention is the next field.
  EXPECT_EQ(tdtg.FeltOrden[1], 3);
  EXPECT_EQ(tdtg.FeltOrden[9], 11);
  const uint8_t elev[] = {1, 2, 4, 5, 6, 7, 8, 9, 10, 0};
  EXPECT_EQ(memcmp(tdelev.FeltOrden, elev, sizeof elev), 0);
  const uint8_t anom[] = {1, 2, 4, 5, 6, 0};
  EXPECT_EQ(memcmp(tdanom.FeltOrden, anom, sizeof anom), 0);
  for (uint8_t b : tdkaldag.FeltOrden) { EXPECT_EQ(b, 0); }
}

TEST(Catalogue, RecordStructsMatchTheDictionary) {
  // Writing through the record struct lands where the dictionary says.
  AktiRec a{};
  strcpy(a.Betegnelse, "Dansk");
  a.Status = 10;
  a.Skema_prioritet = 7;
  const uint8_t *b = reinterpret_cast<const uint8_t *>(&a);
  EXPECT_STREQ(reinterpret_cast<const char *>(b + tdakti.FeltTab[FeltNr(&tdakti, "Betegnelse")].Offset), "Dansk");
  EXPECT_EQ(RecStatus(&tdakti, b), 10);
  EXPECT_EQ(b[tdakti.FeltTab[FeltNr(&tdakti, "Skema_prioritet")].Offset], 7);
  EXPECT_EQ(sizeof(TgRec), tdtg.RecSize);
  EXPECT_EQ(offsetof(TgRec, Navn2), uint32_t{tdtg.FeltTab[10].Offset});
  EXPECT_EQ(offsetof(ElevRec, Navn5), uint32_t{tdelev.FeltTab[9].Offset});
  EXPECT_EQ(sizeof(AnfoRec), tdanfo.RecSize);
}

}  // namespace
