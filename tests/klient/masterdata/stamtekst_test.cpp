// The master-data window's texts over a school made record by record: the
// value of every header item of an activity, an employment and a room, the
// blank cells of missing links, the header rows as drawn, the toolbar's
// object line, the pane captions and the employee's footnote.

#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "KROGE.h"
#include "FARVER.h"
#include "INDSTIL.h"
#include "MEDPER.h"
#include "NYBUTTON.h"
#include "STAMOPL.h"
#include "STAMTEKST.h"
#include "relmatrix_support.h"

namespace {

using namespace reltest;
using predtest::Ny;
using predtest::Rec;
using predtest::Tekst;

// The text of a cell: the value cut or padded to the field's width.
std::string Celle(const std::string &s, uint32_t bredde) {
  std::string t = s.substr(0, bredde);
  t.resize(bredde, ' ');
  return t;
}

struct Forventet {
  uint32_t kode;
  uint32_t bredde;
  const char *tekst;  // nullptr: a blank cell
  uint8_t farve;
};

class StamTekstTest : public RelTest {
 protected:
  void SetUp() override {
    RelTest::SetUp();
    ASSERT_TRUE(RegistrerStamKlasse(0));
    StamTeksterIndsaet();
    StamTalIndsaet();
    GlobalIndstillinger.normsystem = 0;
  }
  void TearDown() override {
    FreeMedPer();
    StamKrog = StamKroge{};
    GlobalIndstillinger.normsystem = 0;
    RelTest::TearDown();
  }

 public:
  HWND Aabn(char bogstav) {
    HWND h = CreateStamWnd(0, kStamKommando, bogstav);
    if (h) {
      ShowWindow(h, SW_SHOWNORMAL);
      UpdateWindow(h);
    }
    tavo::test::PumpUntilIdle();
    return h;
  }
  static StamWS *Ws(HWND h) { return StamVinduesWS(h); }

  // An activity with every link: group, education group, responsibility,
  // project, rate, ring system, calendar and an Elevplan course.
  uint32_t FuldAktivitet() {
    const uint32_t n = Akti(11, "DATA1");
    AkgrRec g{};
    g.Status = 10;
    Tekst(g.Afdeling, "TEK");
    AnomRec o{};
    o.Status = 10;
    Tekst(o.Betegnelse, "Økonomi");
    PomRec p{};
    p.Status = 10;
    Tekst(p.Kort_betegnelse, "Proj A");
    AcsaRec s{};
    s.Status = 10;
    Tekst(s.Betegnelse, "Sats 1");
    UdgrRec u{};
    u.Status = 10;
    Tekst(u.Betegnelse, "Data");
    RisyRec r{};
    r.Status = 10;
    Tekst(r.Ringesystem, "R1");
    SkkaRec k{};
    k.Status = 10;
    Tekst(k.Betegnelse, "Kal 24");
    UvfoRec v{};
    v.Status = 10;
    Tekst(v.Titel, "Programmering");
    AktiRec &a = *Rec<AktiRec>(tvakti, n);
    a.akgr_id = Ny(tdakgr, tvakgr, g);
    a.anom_id = Ny(tdanom, tvanom, o);
    a.pom_id = Ny(tdpom, tvpom, p);
    a.acsa_id = Ny(tdacsa, tvacsa, s);
    a.udgr_id = Ny(tdudgr, tvudgr, u);
    a.risy_id = Ny(tdrisy, tvrisy, r);
    a.skka_id = Ny(tdskka, tvskka, k);
    a.uvfo_id = Ny(tduvfo, tvuvfo, v);
    Tekst(a.Kort_betegnelse, "Data K");
    Tekst(a.Betegnelse, "Datateknik hold 1");
    a.Fradato = 20240801;
    a.Tildato = 20250131;
    a.Skkord = 'J';
    a.Aflyst = 'N';
    a.Kvotient = 12;
    a.StartElever = 24;
    a.SlutElever = 20;
    a.opdtid = 20241008143059.0;
    Tekst(a.Elevplan_betegnelse, "EP hold");
    Sorter();
    return n;
  }

  // An employment with its terms (department, responsibility), agreement
  // (with an agreement term carrying an age supplement), the statement
  // periods of its calendar and an active employment record.
  uint32_t FuldAnsaettelse() {
    MedaRec m{};
    m.id = 301;
    m.Status = 20;
    Tekst(m.Initialer, "ABC");
    Tekst(m.Navn, "Anna Berg");
    Tekst(m.Meda_type, "Lærer");
    Tekst(m.Arb_tlf, "11223344");
    Tekst(m.Privat_tlf, "55667788");
    Tekst(m.Mobil_tlf, "99887766");
    Tekst(m.E_mail, "abc@skole.dk");
    m.opdtid = 20240930080500.0;
    AnfoRec a{};
    a.id = 401;
    a.meda_id = Ny(tdmeda, tvmeda, m);
    a.Status = 20;
    a.Gruppe = 1;
    a.Fradato = 20240801;
    a.Tildato = 20250731;
    a.Primaer_ansaettelse = 'J';
    Tekst(a.Loebenummer, "2");
    const uint32_t anfo = Ny(tdanfo, tvanfo, a);

    OpgkalRec kal{};
    kal.Status = 10;
    const uint32_t k = Ny(tdopgkal, tvopgkal, kal);
    OpgperRec op{};
    op.Status = 10;
    op.opgkal_id = k;
    op.Fradato = 20240801;
    op.Tildato = 20250731;
    op.Norm = 1680;
    Rec<OpgkalRec>(tvopgkal, k)->forste_opgper = Ny(tdopgper, tvopgper, op);
    AldtilRec ald{};
    ald.Status = 10;
    Tekst(ald.kode, "A1");
    ArafRec r{};
    r.Status = 10;
    r.opgkal_id = k;
    r.Norm = 'J';
    Tekst(r.kode, "OK");
    const uint32_t araf = Ny(tdaraf, tvaraf, r);
    AftalopRec t{};
    t.Status = 10;
    t.araf_id = araf;
    t.Fradato = 20240801;
    t.Tildato = 20250731;
    t.aldtil_id = Ny(tdaldtil, tvaldtil, ald);
    Rec<ArafRec>(tvaraf, araf)->forste_aftalop = Ny(tdaftalop, tvaftalop, t);
    AfmeRec f{};
    f.Status = 10;
    Tekst(f.Kode, "AFD1");
    AnomRec o{};
    o.Status = 10;
    Tekst(o.Betegnelse, "Ledelse");
    AnskRec s{};
    s.Status = 10;
    s.anfo_id = anfo;
    s.araf_id = araf;
    s.afme_id = Ny(tdafme, tvafme, f);
    s.anom_id = Ny(tdanom, tvanom, o);
    s.Gyldig_fra = 20240801;
    s.Gyldig_til = 20250731;
    Ny(tdansk, tvansk, s);
    AnscRec c{};
    c.Status = 10;
    c.anfo_id = anfo;
    c.Gyldig_fra = 20240801;
    c.Gyldig_til = 20250731;
    Tekst(c.Personalekategori, "LÆR");
    Tekst(c.Stillingskode, "1234");
    Ny(tdansc, tvansc, c);
    BuildMedPer();
    return anfo;
  }

  // A room with its building and responsible employee.
  uint32_t FuldtLokale(float laengde = 7.5f, float bredde = 7.996f) {
    const uint32_t n = Loka(21, "A101");
    MedaRec m{};
    m.id = 302;
    m.Status = 20;
    Tekst(m.Initialer, "DEF");
    BygnRec b{};
    b.Status = 10;
    Tekst(b.Bygningsnr, "B1");
    Tekst(b.Gade, "Skolevej 1");
    Tekst(b.Sted, "Byen");
    LokaRec &l = *Rec<LokaRec>(tvloka, n);
    l.meda_id = Ny(tdmeda, tvmeda, m);
    l.bygn_id = Ny(tdbygn, tvbygn, b);
    Tekst(l.Betegnelse, "Fysik");
    Tekst(l.Undervisningspladser, "28");
    l.Fradato = 20240801;
    l.Tildato = 20250731;
    l.Netto_areal = 56.4f;
    l.Laengde = laengde;
    l.Bredde = bredde;
    l.opdtid = 20240102030405.0;
    Sorter();
    return n;
  }

  static void Kontroller(StamWS *ws, const std::vector<Forventet> &tabel, uint32_t art = kStamHovedArt) {
    for (const Forventet &f : tabel) {
      SCOPED_TRACE(testing::Message() << "item " << f.kode);
      char tekst[kSwitchTekstLen];
      const uint8_t farve = StamItemTekst(ws, art, f.kode, f.bredde, tekst);
      ASSERT_EQ(std::strlen(tekst), kSwitchMaksTegn);
      const std::string s(tekst);
      EXPECT_EQ(s.substr(0, f.bredde), Celle(f.tekst ? f.tekst : "", f.bredde));
      // Nothing is written past the field's width.
      EXPECT_EQ(s.find_first_not_of(' ', f.bredde), std::string::npos);
      EXPECT_EQ(farve, f.farve);
    }
  }

  // The texts drawn into a window since the log was cleared, by position.
  static std::map<std::pair<int, int>, std::string> Tegnet(HWND hwnd) {
    std::map<std::pair<int, int>, std::string> m;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == hwnd) m[{t.y, t.x}] = t.text;
    return m;
  }
  static bool Tegnede(HWND hwnd, const std::string &tekst) {
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == hwnd && t.text.find(tekst) != std::string::npos) return true;
    return false;
  }
};

// ==================================================================== items

class StamTekstPunkter : public StamTekstTest {};

TEST_F(StamTekstPunkter, TheItemsOfAnActivity) {
  FuldAktivitet();
  HWND h = Aabn('K');
  Kontroller(Ws(h), {
                        {2, 15, "DATA1", 7},
                        {4, 10, "Data K", 7},
                        {6, 30, "Datateknik hold 1", 7},
                        {8, 25, "20240801 - 20250131", 16},
                        {9, 30, "Afd.: TEK", 16},
                        {10, 30, "Udd.grp.: Data", 16},
                        {11, 30, "Ansvar: Økonomi", 16},
                        {13, 30, "Projekt: Proj A", 16},
                        {14, 30, "AC sats: Sats 1", 16},
                        {15, 30, "Risy: R1", 16},
                        {16, 12, "Akkord: J", 16},
                        {17, 30, "SKKA: Kal 24", 16},
                        {18, 12, "Aflyst: N", 16},
                        {20, 15, "Kvotient: 12", 16},
                        {21, 20, "Elever start: 24", 16},
                        {22, 20, "Elever slut: 20", 16},
                        {23, 15, "Elevlekt: 0", 16},
                        {24, 35, "Sidst rettet: 20241008 14:30", 16},
                        {26, 40, "UVFO: Programmering", 16},
                        {27, 40, "EP Bet: EP hold", 16},
                        // Labels, the blank code and codes without a text.
                        {1, 16, "Aktivitet:", 16},
                        {7, 16, "Periode:", 16},
                        {36, 10, "Arbejdstidsaftale:", 16},  // a label too is cut to its field
                        {999, 10, nullptr, 16},
                        {31, 10, nullptr, 16},
                        {61, 10, nullptr, 16},
                        // A value longer than its field is cut to the field.
                        {6, 8, "Datatekn", 7},
                        {24, 20, "Sidst rettet: 202410", 16},
                    });
}

TEST_F(StamTekstPunkter, TheItemsOfAnEmployment) {
  FuldAnsaettelse();
  HWND h = Aabn('M');
  Kontroller(Ws(h), {
                        {8, 25, "   20240801 - 20250731", 16},
                        {9, 25, "Afd.: AFD1", 16},
                        {11, 30, "Ansvar: Ledelse", 16},
                        {24, 35, "Sidst rettet: 20240930 08:05", 16},
                        {31, 10, "ABC - 2", 8},
                        {33, 25, "Anna Berg", 8},
                        {34, 25, "Arb.tlf. 11223344", 16},
                        {35, 25, "Priv.tlf. 55667788", 16},
                        {51, 25, "Mobil tlf. 99887766", 16},
                        {52, 40, "Mail: abc@skole.dk", 16},
                        {37, 30, "OK 20240801 - 20250731", 16},
                        {38, 30, "Medarbejdertype: Lærer", 16},
                        {39, 30, "Personalekategori: LÆR", 16},
                        {40, 20, "Normjustering: J", 16},
                        {41, 30, "Stillingskode: 1234", 16},
                        {42, 25, "Primær ansættelse: J", 16},
                        {43, 20, "Alderstillæg: A1", 16},
                        {44, 20, "Aftale: OK", 16},
                        {30, 18, "Initialer:", 16},
                        {36, 18, "Arbejdstidsaftale:", 16},
                        {2, 10, nullptr, 16},
                        {999, 10, nullptr, 16},
                    });
}

TEST_F(StamTekstPunkter, TheItemsOfARoom) {
  FuldtLokale();
  HWND h = Aabn('L');
  Kontroller(Ws(h), {
                        {4, 16, "Fysik", 10},
                        {8, 25, "20240801 - 20250731", 16},
                        {11, 40, "Ansvar: DEF", 16},
                        {24, 35, "Sidst rettet: 20240102 03:04", 16},
                        {61, 10, "A101", 10},
                        {62, 25, "Bygnings nr.: B1", 16},
                        {63, 30, "Undervisningspladser: 28", 16},
                        {64, 25, "Areal: 56 m2", 16},
                        {66, 30, "Skolevej 1", 16},
                        {68, 30, "Byen", 16},
                        {69, 20, "Længde:   7,50 m", 16},
                        {70, 20, "Bredde:   8,00 m", 16},
                        {60, 16, "Lokale:", 16},
                        {3, 16, "Betegnelse - K:", 16},
                        {2, 10, nullptr, 16},
                    });
}

TEST_F(StamTekstPunkter, LengthsAreRoundedToHundredthsBeforeTheyAreSplit) {
  const struct {
    float meter;
    const char *tekst;
  } tilfaelde[] = {
      {7.5f, "Længde:   7,50 m"},   {7.996f, "Længde:   8,00 m"}, {7.994f, "Længde:   7,99 m"},
      {0.0f, "Længde:   0,00 m"},   {12.05f, "Længde:  12,05 m"}, {123.456f, "Længde: 123,46 m"},
      {-0.5f, "Længde:  -0,50 m"},
  };
  const uint32_t n = FuldtLokale();
  HWND h = Aabn('L');
  for (const auto &t : tilfaelde) {
    Rec<LokaRec>(tvloka, n)->Laengde = t.meter;
    Kontroller(Ws(h), {{69, 20, t.tekst, 16}});
  }
}

TEST_F(StamTekstPunkter, AMissingLinkBlanksOnlyItsOwnItem) {
  const uint32_t n = FuldAktivitet();
  HWND h = Aabn('K');
  StamWS *ws = Ws(h);
  // Unset, past the table and deleted links, one item at a time.
  // The links lie at odd offsets of the packed record: read and written whole.
  const struct {
    uint32_t kode;
    size_t felt;
    TabVar *tv;
  } links[] = {{9, offsetof(AktiRec, akgr_id), &tvakgr}, {14, offsetof(AktiRec, acsa_id), &tvacsa},
               {15, offsetof(AktiRec, risy_id), &tvrisy}, {17, offsetof(AktiRec, skka_id), &tvskka},
               {10, offsetof(AktiRec, udgr_id), &tvudgr}, {26, offsetof(AktiRec, uvfo_id), &tvuvfo}};
  for (const auto &l : links) {
    auto *rec = reinterpret_cast<uint8_t *>(Rec<AktiRec>(tvakti, n));
    uint32_t gammel = 0;
    std::memcpy(&gammel, rec + l.felt, 4);
    for (const uint32_t ref : {0u, static_cast<uint32_t>(l.tv->wRecCnt)}) {
      SCOPED_TRACE(testing::Message() << "item " << l.kode << " ref " << ref);
      std::memcpy(rec + l.felt, &ref, 4);
      Kontroller(ws, {{l.kode, 30, nullptr, 16}, {2, 15, "DATA1", 7}, {24, 35, "Sidst rettet: 20241008 14:30", 16}});
    }
    std::memcpy(rec + l.felt, &gammel, 4);
  }
  // A deleted group record.
  Rec<AkgrRec>(tvakgr, Rec<AktiRec>(tvakti, n)->akgr_id)->Status = 0;
  Kontroller(ws, {{9, 30, nullptr, 16}});
  // A room without its building or responsible employee still shows its own data.
  const uint32_t l = FuldtLokale();
  Rec<LokaRec>(tvloka, l)->bygn_id = 0;
  Rec<LokaRec>(tvloka, l)->meda_id = 0;
  HWND hl = Aabn('L');
  Kontroller(Ws(hl), {{62, 25, nullptr, 16}, {66, 30, nullptr, 16}, {68, 30, nullptr, 16}, {11, 40, nullptr, 16},
                      {61, 10, "A101", 10}, {69, 20, "Længde:   7,50 m", 16}});
}

TEST_F(StamTekstPunkter, AnAbsenceActivityShowsNoStudentLessons) {
  const uint32_t n = FuldAktivitet();
  HWND h = Aabn('K');
  Kontroller(Ws(h), {{23, 15, "Elevlekt: 0", 16}});
  Tekst(Rec<AktiRec>(tvakti, n)->Type, "OVAK");
  Kontroller(Ws(h), {{23, 15, nullptr, 16}});
}

TEST_F(StamTekstPunkter, TheNormSystemShowsTheAccountingPeriodCutToTenCharacters) {
  FuldAnsaettelse();
  HWND h = Aabn('M');
  Kontroller(Ws(h), {{37, 30, "OK 20240801 - 20250731", 16}});
  GlobalIndstillinger.normsystem = 1;
  Ny(tdopgperiode, tvopgperiode, OpgperiodeRec{1, 0, "Skoleåret 2024-25", 20240801, 20250731, 10});
  Kontroller(Ws(h), {{37, 30, "Skoleåret  20240801 - 20250731", 16}});
  // A name of ten characters or fewer stands whole.
  Rec<OpgperiodeRec>(tvopgperiode, 1)->KaldeNavn[0] = '\0';
  Tekst(Rec<OpgperiodeRec>(tvopgperiode, 1)->KaldeNavn, "Efterår");
  Kontroller(Ws(h), {{37, 30, "Efterår 20240801 - 20250731", 16}});
}

TEST_F(StamTekstPunkter, AnEmploymentWithoutTermsShowsItsOwnDataOnly) {
  MedaRec m{};
  m.Status = 20;
  Tekst(m.Initialer, "XYZ");
  Tekst(m.Navn, "Xenia");
  AnfoRec a{};
  a.Status = 20;
  a.Gruppe = 1;
  a.meda_id = Ny(tdmeda, tvmeda, m);
  Tekst(a.Loebenummer, "1");
  const uint32_t anfo = Ny(tdanfo, tvanfo, a);
  BuildMedPer();
  HWND h = Aabn('M');
  Kontroller(Ws(h), {{31, 10, "XYZ - 1", 8}, {33, 25, "Xenia", 8}, {9, 25, nullptr, 16}, {11, 30, nullptr, 16},
                     {39, 30, nullptr, 16}, {40, 20, nullptr, 16}, {41, 30, nullptr, 16}, {43, 20, nullptr, 16},
                     {44, 20, nullptr, 16}});
  // Without its employee record the employment shows nothing.
  Rec<AnfoRec>(tvanfo, anfo)->meda_id = 0;
  Kontroller(Ws(h), {{31, 10, nullptr, 16}, {8, 25, nullptr, 16}});
}

// ==================================================================== drawn

class StamTekstTegnet : public StamTekstTest {};

// Every label and value of the header rows at its x position: each field
// starts where the widths of the ones before it end (items 26 and 27 as
// wide as the first two columns together).
TEST_F(StamTekstTegnet, TheHeaderRowsOfEachKind) {
  FuldAktivitet();
  FuldAnsaettelse();
  FuldtLokale();
  const struct {
    char bogstav;
    std::vector<std::vector<std::string>> raekker;
  } arter[] = {
      {'K',
       {{"Aktivitet:", "DATA1", "Afd.: TEK"},
        {"Betegnelse - K:", "Data K", "Udd.grp.: Data"},
        {"Betegnelse - L:", "Datateknik hold 1", "Ansvar: Økonomi"},
        {"Periode:", "20240801 - 20250131", "Sidst rettet: 20241008 14:30"},
        {"UVFO: Programmering"},
        {"EP Bet: EP hold"}}},
      {'M',
       {{"Initialer:", "ABC - 2", "Afd.: AFD1"},
        {"Navn:", "Anna Berg", "Ansvar: Ledelse"},
        {"Arbejdstidsaftale:", "OK 20240801 - 20250731", "Medarbejdertype: Lærer"},
        {"Periode:", "   20240801 - 20250731", "Sidst rettet: 20240930 08:05"},
        {"Arb.tlf. 11223344", "Priv.tlf. 55667788", "Mobil tlf. 99887766"},
        {"Mail: abc@skole.dk", ""}}},
      {'L',
       {{"Lokale:", "A101", "Bygnings nr.: B1"},
        {"Betegnelse - K:", "Fysik", "Undervisningspladser: 28"},
        {"Gade:", "Skolevej 1", "Areal: 56 m2"},
        {"Sted:", "Byen", "Længde:   7,50 m"},
        {"Periode:", "20240801 - 20250731", "Bredde:   8,00 m"},
        {"Ansvar: DEF", "Sidst rettet: 20240102 03:04"}}},
  };
  for (const auto &art : arter) {
    SCOPED_TRACE(art.bogstav);
    HWND h = Aabn(art.bogstav);
    StamWS *ws = Ws(h);
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, STAM_TEGN_ALT, 0, 0);
    const auto tegnet = Tegnet(ws->DWnd[STAM_FOCUS_STAM].hwndKrop);
    uint32_t bred0 = 0, bred1 = 0;
    for (uint32_t r = 0; r < 6; ++r) {
      bred0 = std::max(bred0, ObjSwitchFeltTegn(kStamHovedArt, ws->Bogstav, r, 0));
      bred1 = std::max(bred1, ObjSwitchFeltTegn(kStamHovedArt, ws->Bogstav, r, 1));
    }
    size_t antal = 0;
    for (uint32_t r = 0; r < art.raekker.size(); ++r) {
      int x = 0;
      uint32_t i = 0;
      for (const SwitchFelt *f = ObjSwitchLayout(kStamHovedArt, ws->Bogstav, r)->FoersteFelt; f; f = f->Naeste, ++i) {
        SCOPED_TRACE(testing::Message() << "row " << r << " field " << i);
        const uint32_t tegn = f->FeltNr == 26 || f->FeltNr == 27 ? bred0 + bred1 : f->Tegn;
        ASSERT_LT(i, art.raekker[r].size());
        const auto it = tegnet.find({static_cast<int>(r) * 13 + 1, x + static_cast<int>(f->StregVenstre + f->LuftVenstre)});
        ASSERT_NE(it, tegnet.end());
        EXPECT_EQ(it->second, Celle(art.raekker[r][i], tegn));
        x += static_cast<int>(f->StregVenstre + f->LuftVenstre + tegn * 8 + f->Ekstra + f->StregHoejre);
        ++antal;
      }
    }
    EXPECT_EQ(antal, tegnet.size());
    DestroyWindow(h);
    tavo::test::PumpUntilIdle();
  }
}

TEST_F(StamTekstTegnet, TheObjectLineNamesTheObjectInItsColour) {
  FuldAktivitet();
  FuldAnsaettelse();
  FuldtLokale();
  const struct {
    char bogstav;
    const char *linje;
    uint8_t farve;
  } arter[] = {{'K', "Datateknik hold 1", 7}, {'M', "ABC - Anna Berg", 8}, {'L', "A101", 10}};
  for (const auto &a : arter) {
    SCOPED_TRACE(a.bogstav);
    HWND h = Aabn(a.bogstav);
    StamWS *ws = Ws(h);
    char tekst[kSwitchTekstLen];
    EXPECT_EQ(StamItemTekst(ws, kStamToolbarArt, 102, 40, tekst), a.farve);
    EXPECT_EQ(std::string(tekst, 40), Celle(a.linje, 40));
    StamItemTekst(ws, kStamToolbarArt, 101, 40, tekst);
    EXPECT_EQ(std::string(tekst).find_first_not_of(' '), std::string::npos);
    // A header code in the object line's layout is not a header item.
    StamItemTekst(ws, kStamToolbarArt, 2, 40, tekst);
    EXPECT_EQ(std::string(tekst).find_first_not_of(' '), std::string::npos);
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, TB_RUDE_TEGN, 0, 0);
    const HWND rude = static_cast<HWND>(SendMessageA(ws->hwndToolbar, ENS_TOOLBAR_RUDE, 0, 0));
    bool fundet = false;
    for (const auto &t : tavo::test::DrawnTexts())
      if (t.hwnd == rude && t.text.rfind(a.linje, 0) == 0) {
        fundet = true;
        EXPECT_EQ(t.text_color, FarveTab[a.farve]);
      }
    EXPECT_TRUE(fundet);
    DestroyWindow(h);
    tavo::test::PumpUntilIdle();
  }
}

TEST_F(StamTekstTegnet, ThePaneCaptionsNameTheObject) {
  FuldAktivitet();
  FuldAnsaettelse();
  FuldtLokale();
  const struct {
    char bogstav;
    std::vector<std::string> fag;
    const char *andre;
  } arter[] = {
      {'K', {"Fag på holdet - Sidst rettet: 20241008 14:30"}, "Andre skemalæggere på aktivitet: Datateknik hold 1"},
      {'M', {"Fag på meda - Sidst rettet: 20240930 08:05", "Periode: OK 20240801 - 20250731"},
       "Andre skemalæggere på medarbejder: ABC"},
      {'L', {"Fag på lokalet - Sidst rettet: 20240102 03:04"}, "Andre skemalæggere på lokalet: A101"},
  };
  for (const auto &a : arter) {
    SCOPED_TRACE(a.bogstav);
    HWND h = Aabn(a.bogstav);
    StamWS *ws = Ws(h);
    char tekst[600];
    for (int l = 0; l < 3; ++l) {
      StamRudeKaption(ws, STAM_FOCUS_SKFA, l, tekst, sizeof tekst);
      EXPECT_EQ(tekst, l < static_cast<int>(a.fag.size()) ? a.fag[l] : std::string()) << l;
    }
    StamRudeKaption(ws, STAM_FOCUS_INS, 0, tekst, sizeof tekst);
    EXPECT_STREQ(tekst, a.andre);
    StamRudeKaption(ws, STAM_FOCUS_INS, 1, tekst, sizeof tekst);
    EXPECT_STREQ(tekst, "");
    StamRudeKaption(ws, STAM_FOCUS_TIMER, 0, tekst, sizeof tekst);
    EXPECT_STREQ(tekst, "");
    // A short buffer is ended, not overrun.
    char kort[8];
    StamRudeKaption(ws, STAM_FOCUS_INS, 0, kort, sizeof kort);
    EXPECT_STREQ(kort, "Andre s");
    // The lines stand in the frame right above the pane's button strip, in
    // the space the layout keeps for them; only an employee has the footnote.
    tavo::test::ClearDrawnTexts();
    SendMessageA(h, STAM_TEGN_ALT, 0, 0);
    const auto tegnet = Tegnet(h);
    const auto linje = [&](int p, int l) {
      const RECT &k = ws->DWnd[p].Kaption;
      const auto it = tegnet.find({k.top - 1 - (StamKaptionLinjer(ws, p) - l) * 13 + 1, k.left});
      return it == tegnet.end() ? std::string("(none)") : it->second;
    };
    // Each cut to the characters that fit the pane's width.
    const auto synlig = [&](int p, const std::string &t) {
      return t.substr(0, static_cast<size_t>(ws->DWnd[p].Kaption.right - ws->DWnd[p].Kaption.left) / 8);
    };
    for (size_t l = 0; l < a.fag.size(); ++l)
      EXPECT_EQ(linje(STAM_FOCUS_SKFA, static_cast<int>(l)), synlig(STAM_FOCUS_SKFA, a.fag[l]));
    EXPECT_EQ(linje(STAM_FOCUS_INS, 0), synlig(STAM_FOCUS_INS, a.andre));
    EXPECT_EQ(StamKaptionLinjer(ws, STAM_FOCUS_SKFA), static_cast<int>(a.fag.size()));
    const StamRude &fag = ws->DWnd[STAM_FOCUS_SKFA];
    const StamRude &ins = ws->DWnd[STAM_FOCUS_INS];
    EXPECT_GE(ins.Kaption.top - 1 - 13, fag.Krop.bottom + 1 + (a.bogstav == 'M' ? 13 : 0));
    EXPECT_EQ(Tegnede(h, kStamFodnote), a.bogstav == 'M');
    DestroyWindow(h);
    tavo::test::PumpUntilIdle();
  }
}

TEST_F(StamTekstTegnet, TheFrameCarriesTheCaptionOfItsKindInItsState) {
  FuldAktivitet();
  FuldtLokale();
  const int cx = GetSystemMetrics(SM_CXFRAME), cy = GetSystemMetrics(SM_CYFRAME);
  for (const auto &[bogstav, titel] : {std::pair<char, const char *>{'K', " Stamoplysninger  -  Aktivitet"},
                                       {'L', " Stamoplysninger  -  Lokale"}}) {
    SCOPED_TRACE(bogstav);
    HWND h = Aabn(bogstav);
    for (const auto &[aktiv, farve] : {std::pair<WPARAM, int>{1, COLOR_ACTIVECAPTION}, {0, COLOR_INACTIVECAPTION}}) {
      tavo::test::ClearDrawnTexts();
      SendMessageA(h, VINDUE_TEGN_MED, aktiv, 0);
      EXPECT_EQ(Tegnet(h)[std::make_pair(cy + 2, cx + 2)], titel);
      EXPECT_EQ(tavo::test::WindowPixel(h, cx + 1, cy + 1), GetSysColor(farve)) << aktiv;
    }
    DestroyWindow(h);
    tavo::test::PumpUntilIdle();
  }
}

TEST_F(StamTekstTegnet, SteppingToAnotherObjectRenamesTheCaptions) {
  Akti(12, "AAA");
  FuldAktivitet();
  HWND h = Aabn('K');
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, WM_KEYDOWN, VK_DOWN, 0);
  tavo::test::PumpUntilIdle();
  EXPECT_TRUE(Tegnede(h, "Andre skemalæggere på aktivitet: Datateknik h"));
  EXPECT_TRUE(Tegnede(h, "Fag på holdet - Sidst rettet: 20241008 14:30"));
  // Each line is cleared first: the longer name before leaves nothing behind.
  tavo::test::ClearDrawnTexts();
  SendMessageA(h, WM_KEYDOWN, VK_UP, 0);
  tavo::test::PumpUntilIdle();
  EXPECT_TRUE(Tegnede(h, "Andre skemalæggere på aktivitet: Hold"));
  const StamRude &d = Ws(h)->DWnd[STAM_FOCUS_INS];
  const int x = d.Kaption.left + 8 * static_cast<int>(std::strlen("Andre skemalæggere på aktivitet: Hold")) + 2;
  EXPECT_EQ(tavo::test::WindowPixel(h, x, d.Kaption.top - 1 - 13 + 6), GetSysColor(COLOR_BTNFACE));
}

}  // namespace
