#include <cmath>
#include <vector>

#include "import_fixture.h"

namespace importtest {
namespace {

const std::string kStreg = "-------------------------------------\n";

// The good line with field `pos` replaced.
std::string Med(int pos, const std::string &vaerdi) {
  std::vector<std::string> felter;
  std::string s = kGodLinje;
  size_t start = 0;
  for (size_t k; (k = s.find(';', start)) != std::string::npos; start = k + 1)
    felter.push_back(s.substr(start, k - start));
  felter.push_back(s.substr(start));
  felter.at(pos) = vaerdi;
  std::string ud;
  for (size_t i = 0; i < felter.size(); ++i) ud += (i ? ";" : "") + felter[i];
  return ud;
}

TEST_F(Import, EachErrorKindGivesItsCodeAndItsLogText) {
  ASSERT_NE(Meda(15), 0u);
  struct Tilfaelde {
    std::string linje;
    char bogstav;
    int kode;
    std::string log;
  };
  const Tilfaelde tilfaelde[] = {
      {"7", 'S', 2,
       "\"imp.dat\":3.1\n *\nimportlinje er for kort  'id', tst\n"},
      {kGodLinje, 'X', 3, "\"imp.dat\":3.1\n *\nukendt objektstatus  'id', tst\n"},
      {Med(2, "0"), 'S', 4 | 2 << 8,
       "\"imp.dat\":3.8\n        *\nværdien er for lille  'Antal', tst\n"},
      {Med(2, "100"), 'S', 5 | 2 << 8,
       "\"imp.dat\":3.8\n        *\nværdien er for stor  'Antal', tst\n"},
      {Med(1, ""), 'S', 6 | 1 << 8,
       "\"imp.dat\":3.3\n   *\ntvunget felt er ikke udfyldt  'Navn', tst\n"},
      {"7;Navn;5;20240102;J", 'S', 7 | 5 << 8,
       "\"imp.dat\":3.20\n                    *\nder mangler tvungne felter i denne linje  "
       "'meda_id', tst\n"},
      {Med(5, "42"), 'S', 8 | 5 << 8,
       "\"imp.dat\":3.21\n                     *\ndata for fremmed-nøgle findes ikke  'meda_id', "
       "tst\n"},
      {Med(3, "20240230"), 'S', 100 | 3 << 8,
       "\"imp.dat\":3.10\n          *\nulovlig dato  'Dato', tst\n"},
      {Med(4, "j"), 'S', 101 | 4 << 8,
       "\"imp.dat\":3.19\n                   *\nulovlig feltværdi  'Aktiv', tst\n"},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.linje);
    uint32_t r = 0;
    const int kode = Parse(t.linje.c_str(), t.bogstav, &r);
    EXPECT_EQ(kode, t.kode);
    EXPECT_EQ(FejlTekst(3, "imp.dat", t.linje.c_str(), kode, &tdtst), t.log + kStreg);
  }
}

TEST_F(Import, LogTextsOfTheKindsTheParserDoesNotGive) {
  struct Tilfaelde {
    const char *linje;
    int kode;
    const TabDesc *pTd;
    std::string log;
  };
  const Tilfaelde tilfaelde[] = {
      // A section name: no field or table name behind '@'.
      {"@ukendt", 1, &tdtst, "\"@ukendt\":999.1\n *\nukendt afsnitsmærke  '', \n"},
      {"7;Navn", 110, &tdtst, "\"7;Navn\":999.1\n *\ntabeloverløb!  'id', tst\n"},
      {"7;Navn", 120 | 1 << 8, nullptr,
       "\"7;Navn\":999.3\n   *\nallokering af hukommelse fejlede!  '', \n"},
      {"7;Navn;5", 42 | 2 << 8, &tdtst,
       "\"7;Navn;5\":999.8\n        *\nukendt (intern?) fejl (felt=3, fejl=42)!  'Antal', tst\n"},
      // A position behind the line and behind the import order.
      {"7;Navn;", 6 | 40 << 8, &tdtst,
       "\"7;Navn;\":999.8\n        *\ntvunget felt er ikke udfyldt  '', tst\n"},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.linje);
    EXPECT_EQ(FejlTekst(999, t.linje, t.linje, t.kode, t.pTd), t.log + kStreg);
  }
}

TEST_F(Import, NoRecordToBeHadIsTableOverflow) {
  TabAlloc.Calloc = [](size_t, size_t) -> void * { return nullptr; };
  EXPECT_EQ(ImportRecordLine(kGodLinje, 'S', &tdtst, &tvtst, nullptr, 1), 110);
  EXPECT_EQ(AddRecordFromLine(&tdtst, &tvtst, kGodLinje, 'S'), 0u);
}

// Bad values are refused with their error, never stored as something else
// nor written past their field.
TEST_F(Import, BadValuesAreRefused) {
  struct Tilfaelde {
    std::string linje;
    int kode;
  };
  const Tilfaelde tilfaelde[] = {
      {Med(2, "abc"), 101 | 2 << 8},       // not a number
      {Med(2, "5x"), 101 | 2 << 8},
      {Med(2, " "), 101 | 2 << 8},
      {Med(8, "1.5.2"), 101 | 8 << 8},
      {Med(8, "nan"), 101 | 8 << 8},
      {Med(8, "0x10"), 101 | 8 << 8},
      {Med(7, "15min"), 101 | 7 << 8},
      {Med(10, "1,x,3"), 101 | 10 << 8},   // one bad value fails the field
      {Med(10, "1,2,3x,4"), 101 | 10 << 8},
      {Med(10, "5000000000"), 5 | 10 << 8},  // beyond 32 bits
      {Med(8, "1e60"), 5 | 8 << 8},        // beyond an f32
      {Med(9, "2024"), 100 | 9 << 8},
      {Med(3, "2024x"), 100 | 3 << 8},
  };
  for (const Tilfaelde &t : tilfaelde) {
    SCOPED_TRACE(t.linje);
    EXPECT_EQ(ImportRecordLine(t.linje.c_str(), 'S', &tdtst, &tvtst, nullptr, 1), t.kode);
  }
  // Every failed record was removed again.
  for (uint32_t r = 1; r < tvtst.wRecCnt; ++r) EXPECT_EQ(+Tst(r).Status, 0) << r;
}

// A value exactly on its field's limit, or on the most its type holds, is
// taken as it stands; one past it is refused.
TEST_F(Import, ValuesOnTheEdgeOfTheirRangeAreKept) {
  ASSERT_NE(Meda(15), 0u);
  struct Tilfaelde {
    int pos;
    const char *vaerdi;
    int kode;
    uint32_t antal, tal0;  // stored when taken
  };
  const Tilfaelde tilfaelde[] = {
      {2, "1", 0, 1, 1},        {2, "99", 0, 99, 1},      {2, "0", 4 | 2 << 8, 0, 0},
      {2, "100", 5 | 2 << 8, 0, 0}, {10, "4294967295", 0, 5, 4294967295u}, {10, "4294967296", 5 | 10 << 8, 0, 0},
      {10, "0", 0, 5, 0},
  };
  for (const Tilfaelde &t : tilfaelde) {
    // The good line with an employee that exists, and the value in its place.
    std::string linje = Med(t.pos, t.vaerdi);
    linje.replace(linje.find(";J;0;") + 3, 1, "15");
    SCOPED_TRACE(linje);
    uint32_t r = 0;
    EXPECT_EQ(Parse(linje.c_str(), 'S', &r), t.kode);
    if (t.kode == 0) {
      EXPECT_EQ(+Tst(r).Antal, t.antal);
      EXPECT_EQ(+Tst(r).Tal[0], t.tal0);
    }
  }
}

TEST_F(Import, GoodLineFillsEveryFieldKind) {
  const uint32_t meda = Meda(15);
  ASSERT_NE(meda, 0u);
  ImportStatus st{};
  st.Tidsstempel = 1700000000;
  uint32_t r = 0;
  ASSERT_EQ(Parse(Med(5, "15").c_str(), 'S', &r, &st), 0);
  const TstRec &t = Tst(r);
  EXPECT_EQ(+t.id, 7u);
  EXPECT_EQ(+t.Status, 1);
  EXPECT_STREQ(t.Navn, "Navn");
  EXPECT_EQ(+t.Antal, 5);
  EXPECT_EQ(+t.Dato, 20240102u);
  EXPECT_EQ(+t.Aktiv, 'J');
  EXPECT_EQ(+t.meda_id, meda);  // the key became the record number
  EXPECT_EQ(+t.meda2_id, 0u);
  EXPECT_FLOAT_EQ(+t.Minutter, 15.0f);
  EXPECT_FLOAT_EQ(+t.Beloeb, 1.5f);
  EXPECT_EQ(+t.Tid, 1700000000u);
  EXPECT_EQ(+t.Gruppe, 1u);
  EXPECT_EQ(+t.Fradato, 20240805u);
  EXPECT_EQ(+t.MinStartUge, 202432u);
  EXPECT_EQ(+t.StartUge, 202432u);
  EXPECT_EQ(+t.StartDag, 1);
  EXPECT_EQ(+t.Tal[0], 1u);
  EXPECT_EQ(+t.Tal[1], 2u);
  EXPECT_EQ(+t.Tal[2], 3u);
  EXPECT_STREQ(t.Kode, "AB");
  EXPECT_EQ(+t.Nej, 'N');
  EXPECT_EQ(+tvtst.fSorter, 1);
  EXPECT_EQ(tvtst.pfSave[r / tdtst.RecPrBlok], 1);
}

TEST_F(Import, ValueRulesAndEdges) {
  struct Tilfaelde {
    std::string linje;
    int fKomma;
    int kode;
  };
  // Lines that pass, checked field by field below.
  const std::string lang = Med(1, "ABCDEFGHIJKLMNOP");
  const std::string kodeLang = Med(11, "ABCDEFGHIJ");
  const std::string mange = std::string(kGodLinje) + ";x;y" + std::string(200, ';') + "z";
  const std::string gentag = Med(10, "4,5,6,7,8,9");
  const std::string minus = Med(7, "-abc");
  const std::string komma = "7;Navn;5;20240102;J;0;0;15;2,25;20240805;9;AB";

  uint32_t r = 0;
  ASSERT_EQ(Parse(lang.c_str(), 'S', &r), 0);
  EXPECT_STREQ(Tst(r).Navn, "ABCDEFGH");  // size 9 keeps 8
  EXPECT_EQ(+Tst(r).Antal, 5);             // the next field is untouched

  ASSERT_EQ(Parse(kodeLang.c_str(), 'S', &r), 0);
  EXPECT_STREQ(Tst(r).Kode, "ABCD");
  EXPECT_EQ(+Tst(r).Nej, 'N');

  ASSERT_EQ(Parse(mange.c_str(), 'S', &r), 0);  // surplus fields are ignored
  EXPECT_STREQ(Tst(r).Kode, "AB");

  ASSERT_EQ(Parse(gentag.c_str(), 'S', &r), 0);  // values past the repeat count are ignored
  EXPECT_EQ(+Tst(r).Tal[0], 4u);
  EXPECT_EQ(+Tst(r).Tal[2], 6u);
  EXPECT_STREQ(Tst(r).Kode, "AB");

  ASSERT_EQ(Parse(minus.c_str(), 'S', &r), 0);  // any minus value is "no norm"
  EXPECT_FLOAT_EQ(+Tst(r).Minutter, -1.0f);

  // Without the comma rule a ',' belongs to the value: a decimal comma.
  ASSERT_EQ(Parse(Med(10, "9").c_str(), 'S', &r, nullptr, 0), 0);
  EXPECT_EQ(+Tst(r).Tal[0], 9u);
  ASSERT_EQ(Parse(komma.c_str(), 'S', &r, nullptr, 0), 0);
  EXPECT_FLOAT_EQ(+Tst(r).Beloeb, 2.25f);
  EXPECT_EQ(Parse(kGodLinje, 'S', &r, nullptr, 0), 101 | 10 << 8);

  // A forced key "0" stores 0; an unknown key of a field with flag 2 too.
  ASSERT_EQ(Parse(Med(6, "99").c_str(), 'S', &r), 0);
  EXPECT_EQ(+Tst(r).meda2_id, 0u);

  // Forced fields: the line may end right after the last one.
  EXPECT_EQ(Parse("7;Navn;5;20240102;J;0;0;15;1.5;20240805;1,2,3", 'S', &r), 7 | 11 << 8);
  EXPECT_EQ(Parse("7;Navn;;;J;0;0;;;;;AB", 'S', &r), 0);
  EXPECT_EQ(Parse("7;Navn;;;J;0;0;;;;;", 'S', &r), 6 | 11 << 8);
  EXPECT_EQ(Parse("7;Navn;;;J;0;;;;;;AB", 'S', &r), 6 | 6 << 8);  // flag 2 is forced too

  // An optional empty field keeps what the record held.
  r = NewRec(&tdtst, &tvtst);
  GetRec(&tdtst, &tvtst, r)[offsetof(TstRec, Antal)] = 42;
  ASSERT_EQ(ParseRecordLine(&tdtst, &tvtst, Med(2, "").c_str(), 'S', r, nullptr, 1), 0);
  EXPECT_EQ(+Tst(r).Antal, 42);

  // A record that does not exist is not written.
  EXPECT_EQ(ParseRecordLine(&tdtst, &tvtst, kGodLinje, 'S', tvtst.wRecCnt, nullptr, 1), 110);
}

TEST_F(Import, ObjectStatusLetterSetsTheStatusField) {
  const struct {
    char bogstav;
    uint8_t status;
  } tilfaelde[] = {{'B', 3}, {'C', 210}, {'F', 230}, {'L', 220},
                   {'P', 32}, {'S', 1},   {'U', 2},   {'A', 77}};
  for (const auto &t : tilfaelde) {
    SCOPED_TRACE(t.bogstav);
    const uint32_t r = NewRec(&tdtst, &tvtst);
    GetRec(&tdtst, &tvtst, r)[offsetof(TstRec, Status)] = 77;  // 'A' leaves it
    EXPECT_EQ(ParseRecordLine(&tdtst, &tvtst, kGodLinje, t.bogstav, r, nullptr, 1), 0);
    EXPECT_EQ(+Tst(r).Status, t.status);
  }
  EXPECT_EQ(ImportRecordLine(kGodLinje, 'A', &tdtst, &tvtst, nullptr, 1), 0);
  EXPECT_EQ(+Tst(tvtst.wRecCnt - 1).Status, 0);
}

TEST_F(Import, WrappersCountRemoveAndReuse) {
  ImportStatus st{};
  st.Tidsstempel = 1234;
  EXPECT_EQ(ImportRecordLine(kGodLinje, 'S', &tdtst, &tvtst, &st, 1), 0);
  EXPECT_EQ(+st.Antal['t'], 1u);
  EXPECT_EQ(+tvtst.FilOrd, 1234u);

  // A failed line leaves no record and no count; its slot is used again.
  EXPECT_EQ(ImportRecordLine(Med(4, "x").c_str(), 'S', &tdtst, &tvtst, &st, 1), 101 | 4 << 8);
  EXPECT_EQ(+st.Antal['t'], 1u);
  EXPECT_EQ(+Tst(2).Status, 0);
  EXPECT_EQ(+tvtst.FoersteLedige, 2u);
  // No comma rule here: one value per field.
  EXPECT_EQ(AddRecordFromLine(&tdtst, &tvtst, "8;Navn;5;20240102;J;0;0;15;1.5;20240805;9;AB", 'S'),
            2u);
  EXPECT_EQ(+Tst(2).id, 8u);
  EXPECT_EQ(AddRecordFromLine(&tdtst, &tvtst, "8;", 'S'), 0u);
  EXPECT_EQ(+tvtst.wRecCnt, 4u);
  EXPECT_EQ(+Tst(3).Status, 0);
}

TEST_F(Import, RemarkTakesItsRecordNumberAsId) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('-', pTd, pTv);
  const std::string lang(80, 'x');
  const uint32_t r1 = AddBemTekst(pTv, "Første bemærkning");
  const uint32_t r2 = AddBemTekst(pTv, lang.c_str());
  ASSERT_EQ(r1, 1u);
  ASSERT_EQ(r2, 2u);
  const BemRec &b1 = Rec<BemRec>(pTd, pTv, r1);
  const BemRec &b2 = Rec<BemRec>(pTd, pTv, r2);
  EXPECT_EQ(+b1.id, 1u);
  EXPECT_EQ(+b1.Status, 210);
  EXPECT_STREQ(b1.Betegnelse, "Første bemærkning");
  EXPECT_EQ(+b2.id, 2u);
  EXPECT_EQ(std::string(b2.Betegnelse), std::string(54, 'x'));
}

TEST_F(Import, KeyTextBecomesTheKeyFieldsValue) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('K', pTd, pTv);
  uint32_t id;
  memcpy(&id, ParseFeltVaerdi(pTd, "999999998"), 4);
  EXPECT_EQ(id, 999999998u);
  const uint8_t *p = static_cast<const uint8_t *>(ParseFeltVaerdi(pTd, "12"));
  EXPECT_EQ(p[0], 12);
  for (int i = 4; i < 256; ++i) ASSERT_EQ(p[i], 0) << i;  // a long key compare stays in zeros

  Tabel('G', pTd, pTv);  // kaldag: a one-byte key
  EXPECT_EQ(*static_cast<const uint8_t *>(ParseFeltVaerdi(pTd, "200")), 200);

  TabDesc tekstNoegle = tdtst;
  tekstNoegle.FeltTab[0] = {12, 6, 1, 0, 5, 0, 0, 1, 0, 0.0f, 0.0f, 0, "kode"};
  const std::string lang(400, 'k');
  const char *k = static_cast<const char *>(ParseFeltVaerdi(&tekstNoegle, lang.c_str()));
  EXPECT_EQ(strlen(k), 255u);
}

TEST_F(Import, ReservedRecordLinesParse) {
  std::ifstream fil(std::string(TAVO_FIXTURES) + "/exchange/reserverede.txt");
  ASSERT_TRUE(fil) << "fixture";
  std::string linje;
  int antal = 0;
  while (std::getline(fil, linje)) {
    if (linje.size() < 3) continue;
    const TabDesc *pTd;
    TabVar *pTv;
    Tabel(static_cast<uint8_t>(linje[0]), pTd, pTv);
    SCOPED_TRACE(linje);
    EXPECT_EQ(ImportRecordLine(linje.c_str() + 2, 'S', pTd, pTv, nullptr, 0), 0);
    ++antal;
  }
  ASSERT_EQ(antal, 10);

  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('E', pTd, pTv);
  const MedaRec &meda = Rec<MedaRec>(pTd, pTv, 1);
  EXPECT_EQ(+meda.id, 999999999u);
  EXPECT_EQ(+meda.Status, 1);
  EXPECT_STREQ(meda.Initialer, "<**>");
  EXPECT_STREQ(meda.Navn, "<Ukendt afventer natjob>");
  EXPECT_STREQ(meda.Meda_type, "<Ukendt>");
  EXPECT_EQ(+meda.afme_id, 0u);
  EXPECT_EQ(+meda.opdtid, 0.0);

  Tabel('M', pTd, pTv);
  const AnfoRec &anfo = Rec<AnfoRec>(pTd, pTv, 1);
  EXPECT_EQ(+anfo.id, 999999999u);
  EXPECT_EQ(+anfo.meda_id, 1u);  // the meda record above
  EXPECT_STREQ(anfo.Loebenummer, "000");
  EXPECT_EQ(+anfo.Status, 1);
  EXPECT_EQ(+anfo.Gruppe, 1u);
  EXPECT_EQ(+anfo.FF_Gruppe, 1u);
  EXPECT_EQ(+anfo.Tid, 0u);
  EXPECT_EQ(+anfo.Kan_laeses, 'J');
  EXPECT_EQ(+anfo.Primaer_ansaettelse, 'J');
  EXPECT_STREQ(anfo.Beskrivelse, "<Ukendt afventer natjob>");
  EXPECT_EQ(+anfo.Fradato, 20010101u);
  EXPECT_EQ(+anfo.MinStartUge, 200101u);
  EXPECT_EQ(+anfo.StartDag, 1);
  EXPECT_EQ(+anfo.Tildato, 20991231u);
  EXPECT_EQ(+anfo.MaxSlutUge, 209953u);
  EXPECT_EQ(+anfo.SlutUge, 209953u);
  EXPECT_EQ(+anfo.SlutDag, 4);

  Tabel('K', pTd, pTv);
  ASSERT_EQ(pTv->wRecCnt, 7u);
  const struct {
    uint32_t id;
    const char *aktivitet, *type, *kort, *betegnelse;
  } akti[] = {
      {999999999, "<******>", "HOLD", "Afventer natjob", "<Ukendt afventer natjob>"},
      {999999998, "<OMSORG>", "OVAK", "Omsorg", "<Omsorg>"},
      {999999997, "<AFSPADSER>", "HOLD", "Afspadser", "<Afspadser>"},
      {999999996, "<OPSPARINGSDAGE", "OVAK", "Opsparingsdage", "<Opsparingsdg>"},  // cut to 15
      {999999995, "<FERIE>", "OVAK", "Ferie", "<Ferie>"},
      {999999994, "<SYGDOM>", "OVAK", "Sygdom", "<Sygdom>"},
  };
  for (uint32_t i = 0; i < 6; ++i) {
    SCOPED_TRACE(akti[i].id);
    const AktiRec &a = Rec<AktiRec>(pTd, pTv, i + 1);
    EXPECT_EQ(+a.id, akti[i].id);
    EXPECT_EQ(+a.Status, 1);
    EXPECT_STREQ(a.Aktivitet, akti[i].aktivitet);
    EXPECT_STREQ(a.Type, akti[i].type);
    EXPECT_STREQ(a.Kort_betegnelse, akti[i].kort);
    EXPECT_STREQ(a.Betegnelse, akti[i].betegnelse);
    EXPECT_EQ(+a.Fradato, 20010101u);
    EXPECT_EQ(+a.StartUge, 200101u);
    EXPECT_EQ(+a.Tildato, 20990101u);
    EXPECT_EQ(+a.SlutUge, 209901u);
    EXPECT_EQ(+a.SlutDag, 4);
    EXPECT_EQ(+a.Aflyst, 'N');
    EXPECT_EQ(+a.Laerer_anvendelse, '1');
    EXPECT_EQ(+a.Kontrollabel, 'N');
    EXPECT_EQ(+a.Skkord, 'N');
    EXPECT_EQ(+a.Deltagerpris, 0.0f);
    EXPECT_EQ(+a.akgr_id, 0u);  // key 15 names no akgr record; not forced
    EXPECT_EQ(+a.Gruppe, 1u);
    EXPECT_EQ(+a.FF_Gruppe, 1u);
    EXPECT_EQ(+a.Tilmeldingsfrist, 0u);
  }

  Tabel('L', pTd, pTv);
  const LokaRec &loka = Rec<LokaRec>(pTd, pTv, 1);
  EXPECT_EQ(+loka.id, 999999999u);
  EXPECT_STREQ(loka.Lokalenr, "<******>");
  EXPECT_EQ(+loka.Status, 1);
  EXPECT_EQ(+loka.Fradato, 19900101u);
  EXPECT_EQ(+loka.StartUge, 199001u);
  EXPECT_STREQ(loka.Betegnelse, "Afventer natjob");
  EXPECT_EQ(+loka.Tildato, 20991231u);
  EXPECT_EQ(+loka.meda_id, 0u);
  EXPECT_EQ(+loka.Gruppe, 1u);

  Tabel('U', pTd, pTv);
  const SkfaRec &skfa = Rec<SkfaRec>(pTd, pTv, 1);
  EXPECT_EQ(+skfa.id, 999999999u);
  EXPECT_STREQ(skfa.Skolefag, "00000");
  EXPECT_EQ(+skfa.Status, 1);
  EXPECT_EQ(+skfa.Niveau, '-');
  EXPECT_STREQ(skfa.Betegnelse, "Afventer natjob");
  EXPECT_EQ(+skfa.Laes_varighed, 'J');
  EXPECT_EQ(+skfa.Varighed_dage, 0.0f);
  EXPECT_STREQ(skfa.Lang_Betegnelse, "");
}

}  // namespace
}  // namespace importtest
