// The computed list columns: caption, width and cell text of every column
// over one small made-up school, and the display class of a row.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "DATO.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LISTETAL.h"
#include "MEDPER.h"
#include "OBJFELT.h"
#include "TALTAB.h"
#include "STITAB.h"
#include "pred_tabeller.h"

using namespace predtest;

namespace {

// Which fixture record a row shows; Tal takes the row's own number.
enum Hvem { Tal, Anfo, Akti, Akti2, Loka, Sls, Rol, Rol2, Lokrol, Skfa, Skph, Elv, Risy };

struct Fixtur {
  uint32_t rec[Risy + 1] = {};
  HWND hwnd = 0;
};
Fixtur fx;

const char *const kRingeGrupper[2] = {"Standard", "Aften"};
char ringeGrupper[2][27];
uint32_t antalSkeLoka[64];

uint32_t DifValg(char art) { return art == 'K' ? fx.rec[Akti] : art == 'M' ? fx.rec[Anfo] : 0; }
uint8_t Ugedag(char, uint32_t kolonne) { return static_cast<uint8_t>(kolonne); }

// The calling list window: a lesson-view list that counts 9 for the subject.
constexpr HWND kListe = 77;
LRESULT ListeSvar(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (h != kListe) return 0;
  if (m == 1474) return 'L';
  if (m == 1951) return (w == 1 && static_cast<uint32_t>(l) == fx.rec[Skfa]) ? 9 : 0;
  return 0;
}

class ObjFeltTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TommeTabeller();
    GlobalIndstillinger.normsystem = 0;
    GlobalIndstillinger.anfosumperaar = 0;
    GlobalIndstillinger.aktisumperaar = 0;
    StandardIndstillinger();
    GlobalIndstillinger.fremmedarkivfarve = 0;
    // Week index 1 is 2023W31; 23 is 2024W01 and 33 2024W11. Month index 6
    // is January 2024.
    InitPeriode(20230801, 20250731, 20230801);
    SaetAktuelDato(20240315);  // a Friday
    gemtVisning = VisningsTilstand[VISNING_LEKTION];
    VisningsTilstand[VISNING_LEKTION].FoersteSlot = 1;
    VisningsTilstand[VISNING_LEKTION].SidsteSlot = 12;
  }
  void TearDown() override {
    FreeAlleTalTabeller();
    FreeMedPer();
    ObjFeltKilder = {};
    ObjFeltKrog = {};
    ListeTalKrog.Spoerg = nullptr;
    VisningsTilstand[VISNING_LEKTION] = gemtVisning;
    GlobalIndstillinger.normsystem = 0;
    GlobalIndstillinger.fremmedarkivfarve = 0;
    FrigivAlle();
  }

  VisningsTilstandRec gemtVisning{};

  void BygSkole() {
    uint32_t *r = fx.rec;
    MedaRec m{};
    m.Status = 10;
    Tekst(m.Initialer, "ABC");
    Tekst(m.Navn, "Anne 100% Berg");
    Tekst(m.Meda_type, "Lærer");
    Tekst(m.Arb_tlf, "11 22");
    Tekst(m.Privat_tlf, "33 44");
    const uint32_t meda = Ny(tdmeda, tvmeda, m);

    OpgkalRec k{};
    k.Status = 10;
    const uint32_t kal = Ny(tdopgkal, tvopgkal, k);
    OpgperRec o{};
    o.Status = 10;
    o.opgkal_id = kal;
    o.Fradato = 20240101;
    o.Tildato = 20241231;
    o.Norm = 1700;
    Rec<OpgkalRec>(tvopgkal, kal)->forste_opgper = Ny(tdopgper, tvopgper, o);
    ArafRec af{};
    af.Status = 10;
    af.opgkal_id = kal;
    Tekst(af.kode, "OK");
    Tekst(af.Betegnelse, "Overenskomst");
    const uint32_t araf = Ny(tdaraf, tvaraf, af);
    AfmeRec afme{};
    afme.Status = 10;
    Tekst(afme.Kode, "AFD1");
    AnomRec anom{};
    anom.Status = 10;
    Tekst(anom.Ansvarsomraade, "IT");

    AnfoRec a{};
    a.meda_id = meda;
    a.Status = 10;
    Tekst(a.Loebenummer, "01");
    a.Fradato = 20230801;
    a.Tildato = 20250731;
    r[Anfo] = Ny(tdanfo, tvanfo, a);
    AnskRec s{};
    s.anfo_id = r[Anfo];
    s.Status = 10;
    s.araf_id = araf;
    s.afme_id = Ny(tdafme, tvafme, afme);
    s.anom_id = Ny(tdanom, tvanom, anom);
    s.Gyldig_fra = 20230801;
    s.Gyldig_til = 20250731;
    Ny(tdansk, tvansk, s);
    AnscRec c{};
    c.anfo_id = r[Anfo];
    c.Status = 10;
    Tekst(c.Personalekategori, "LÆ");
    Tekst(c.Stillingskode, "7654");
    c.Gyldig_fra = 20230801;
    c.Gyldig_til = 20250731;
    Ny(tdansc, tvansc, c);

    UvfoRec u{};
    u.Status = 10;
    Tekst(u.Titel, "Forløb A");
    const uint32_t uvfo = Ny(tduvfo, tvuvfo, u);
    AktiRec k1{};
    k1.Status = 10;
    Tekst(k1.Aktivitet, "Hold1");
    Tekst(k1.Type, "ALM");
    k1.uvfo_id = uvfo;
    k1.Skema_prioritet = 7;
    k1.Fradato = 20230801;
    k1.Tildato = 20240310;
    k1.Elevlektioner = 40;
    k1.Kursistlektioner = 2;
    k1.BudgetLererLektioner = 30;
    k1.BudgetLererTimer = 25;
    r[Akti] = Ny(tdakti, tvakti, k1);
    Tekst(k1.Aktivitet, "Hold2");
    r[Akti2] = Ny(tdakti, tvakti, k1);

    LokaRec l{};
    l.Status = 10;
    Tekst(l.Lokalenr, "A1");
    l.meda_id = meda;
    memcpy(l.Undervisningspladser, "24\0\0\0", 5);
    l.Fradato = 20230801;
    l.Tildato = 20250731;
    r[Loka] = Ny(tdloka, tvloka, l);

    SkemarolRec rol{};
    rol.Status = 10;
    Tekst(rol.Rolle, "UV");
    Tekst(rol.Betegnelse, "Undervisning");
    rol.Afspadsering = 'N';
    r[Rol] = Ny(tdskemarol, tvskemarol, rol);
    rol.Afspadsering = 'O';
    r[Rol2] = Ny(tdskemarol, tvskemarol, rol);
    Sls_koderRec sls{};
    sls.Status = 10;
    Tekst(sls.Sls_aarsagskode, "SY");
    sls.Skemarolle_id = r[Rol];
    Tekst(sls.Skema_tekst, "Syg");
    Tekst(sls.SLS_Betegnelse, "Sygdom");
    r[Sls] = Ny(tdsls_koder, tvsls_koder, sls);
    LokrolleRec lr{};
    lr.Status = 10;
    lr.Lokalerolle = 'A';
    r[Lokrol] = Ny(tdlokrolle, tvlokrolle, lr);
    SkfaRec f{};
    f.Status = 10;
    Tekst(f.Skolefag, "DAN");
    f.Niveau = 'C';
    Tekst(f.Betegnelse, "Dansk");
    r[Skfa] = Ny(tdskfa, tvskfa, f);
    SkphRec p{};
    p.akti_id = r[Akti];
    p.skfa_id = r[Skfa];
    p.Status = 10;
    p.AntalLektioner = 12;
    p.Laererlektioner = 20;
    p.Akkord = 'J';
    r[Skph] = Ny(tdskph, tvskph, p);
    tvskph.fSorter = 1;  // found by its key (akti, skfa)
    r[Elv] = Ny(tdelvrel2, tvelvrel2, Elvrel2Rec{r[Akti], r[Akti2], 20230801, 20240630, 10});
    RisyRec ri{};
    ri.Status = 10;
    ri.RingeGruppe = 1;
    r[Risy] = Ny(tdrisy, tvrisy, ri);

    // January 2024: the month figures, the working time and the plan.
    AllokerMedTal();
    AllokerMedTalArbejdstidTab();
    AllokerPlanTalMndTab();
    BuildMedPer();
    float *jan = MedTalFor(r[Anfo])[6];
    const float tal[8] = {10.75f, 2.5f, 3, 4, 5, 6, 7, 8.9f};
    memcpy(jan, tal, sizeof tal);
    MedTalArbejdstidTab[meda * (TalDim.M + 1) + 6] = {0, 600, 4.4f, 0, 0, 0};
    PlanTalMndTab[r[Anfo] * (PlanTalMndM + 1) + 6] = {20, 3, 1, 2};
    // The holiday account of the current school year.
    TalDim = BeregnTalDim();
    MedTalFerieTab = static_cast<MedTalFerieCelle *>(calloc((TalDim.Y1 + 1) * (TalDim.E + 1), sizeof(MedTalFerieCelle)));
    MedTalFerieTab[meda * (TalDim.Y1 + 1) + SkoleAarIndeks(20240315)] = {2550, 12340, 1000, 3040, 5500, 1499, 2000};

    for (int i = 0; i < 2; ++i) Tekst(ringeGrupper[i], kRingeGrupper[i]);
    antalSkeLoka[r[Loka]] = 12;
    ObjFeltKrog.HentDifValg = DifValg;
    ObjFeltKrog.KolonneUgedag = Ugedag;
    ObjFeltKilder.RingeGrupper = ringeGrupper;
    ObjFeltKilder.RingeGruppeAntal = 2;
    ObjFeltKilder.AntalSkeLoka = antalSkeLoka;
    ObjFeltKilder.AntalSkeLokaAntal = 64;
    ObjFeltKilder.UgeFarveKode = 16;

    ListeTalKrog.Spoerg = ListeSvar;
    fx.hwnd = kListe;
  }
};

struct Raekke {
  uint32_t felt;
  char type;
  Hvem hvem;
  uint32_t n;
  int32_t v1, v2, v3;
  const char *navn;
  uint32_t bredde;
  const char *tekst;  // null: the 254 blanks
  int kode;           // -1: not set
};

std::string Blank() { return std::string(254, ' '); }

TEST_F(ObjFeltTest, EveryColumn) {
  BygSkole();
  const Raekke tab[] = {
      {203, 'X', Sls, 0, 0, 0, 0, "Særlig skema", 30, "Syg", -1},
      {204, 'X', Sls, 0, 0, 0, 0, "SLS koder", 30, "Sygdom", -1},
      {205, 'X', Tal, 11, 0, 0, 0, "", 2, "11", -1},
      {206, 'X', Tal, 14, 0, 0, 0, "", 2, " 2", -1},
      {207, 'X', Tal, 27, 0, 0, 0, "", 1, "7", -1},
      {208, 'X', Tal, 1, 1, 0, 0, "", 1, "\xFB", -1},
      {209, 'X', Tal, 1, 16, 0, 0, "", 2, "M", -1},
      {210, 'M', Anfo, 0, 0, 0, 0, "Navn", 25, "Anne 100% Berg", 8},
      {211, 'X', Tal, 3, 0, 0, 0, "", 7, "Onsdag ", -1},
      {212, 'X', Tal, 30, 0, 0, 0, "", 1, "0", -1},
      {213, 'X', Tal, 12, 0, 0, 0, "", 1, "1", -1},
      {214, 'X', Tal, 1, 'X', 0, 0, "", 1, "X", -1},
      {215, 'M', Anfo, 0, 0, 0, 0, "", 0, nullptr, -1},
      {216, 'M', Anfo, 0, 0, 0, 0, "", 0, nullptr, -1},
      {217, 'X', Rol, 0, 0, 0, 0, "Rolle", 9, "UV", -1},
      {218, 'X', Skph, 0, 0, 0, 0, "Min.", 6, "  --  ", -1},
      {219, 'X', Lokrol, 0, 0, 0, 0, "Rolle", 4, "A  ", -1},
      {220, 'X', Tal, 23, 0, 0, 0, "", 0, "2", -1},
      {221, 'X', Tal, 32, 0, 0, 0, "", 0, "1", -1},
      {222, 'X', Tal, 33, 0, 0, 0, "", 0, "1", -1},
      {223, 'X', Tal, 1, 0, 'Y', 0, "", 0, "Y", -1},
      {224, 'M', Anfo, 0, 0, 0, 0, "Initialer", 0, "ABC  01", 8},
      {225, 'X', Tal, 3, 202411, 0, 0, "", 0, "202501", -1},
      {226, 'X', Tal, 3, 202411, 0, 0, "", 0, "Januar 2025                            ", -1},
      {227, 'X', Tal, 1, 123456, 0, 0, "", 0, "  1234,56", -1},
      {228, 'X', Tal, 15, 202403, 0, 0, "", 0, "15 Fredag ", -1},
      {229, 'M', Anfo, 0, 0, 0, 0, "Type", 0, "Lærer", -1},
      {230, 'X', Tal, 1, 1, 0, 0, "", 0, nullptr, -1},
      {231, 'X', Tal, 1, 7, 0, 0, "Insnr", 0, " 7", -1},
      {232, 'X', Tal, 1, 0, 0, 0, "", 0, "                                       ", -1},
      {233, 'X', Tal, 1, 5, 0, 0, "", 0, " 5", -1},
      {234, 'X', Tal, 1, 815, 0, 0, "Starttid", 0, "08:15", -1},
      {235, 'X', Tal, 1, 0, 0, 0, "Sluttid", 0, nullptr, -1},
      {236, 'X', Tal, 1, 45, 0, 0, "Ringetid", 0, "45", -1},
      {237, 'X', Tal, 1, 20240315, 0, 0, "", 0, "20240315", -1},
      {238, 'X', Tal, 1, 1, 0, 0, "", 0, nullptr, -1},
      {239, 'K', Akti, 0, 0, 0, 0, "Type", 4, "ALM", -1},
      {240, 'X', Tal, 1, 'P', 3, 0, "", 0, " 3", 4},
      {241, 'X', Tal, 1, 1, 0, 0, "", 0, nullptr, -1},
      {242, 'X', Tal, 33, 0, 0, 0, "", 0, "Uge   11", -1},
      {243, 'X', Tal, 33, 5, 0, 0, "", 0, "Fr15", -1},
      {244, 'X', Risy, 0, 0, 0, 0, "Ringe Gruppe", 0, "Aften", -1},
      {245, 'X', Tal, 1, -2, 0, 0, "", 0, "U+", 16},
      {246, 'M', Anfo, 0, 0, 0, 0, "Aftale/Normsystem", 21, "Overenskomst", -1},
      {247, 'M', Anfo, 0, 0, 0, 0, "", 0, "  1700", -1},
      {248, 'M', Anfo, 0, 0, 0, 0, "", 0, nullptr, -1},
      {249, 'M', Anfo, 0, 0, 0, 0, "", 0, nullptr, -1},
      {250, 'M', Anfo, 0, 0, 0, 0, "", 0, nullptr, -1},
      {251, 'M', Anfo, 0, 0, 0, 0, "", 0, nullptr, -1},
      {252, 'M', Anfo, 0, 0, 0, 0, "", 0, nullptr, -1},
      {253, 'M', Anfo, 0, 0, 0, 0, "", 0, nullptr, -1},
      {254, 'U', Skfa, 0, 0, 0, 0, "Elever på fag", 4, "  0", -1},
      {255, 'U', Skfa, 0, 0, 0, 0, "Lektioner", 4, "  12", -1},
      {256, 'U', Skfa, 0, 0, 0, 0, "Budget", 4, "  20", -1},
      {257, 'U', Skfa, 0, 0, 0, 0, "Difference", 4, "  -8", -1},
      {258, 'U', Skfa, 0, 0, 0, 0, "Akkord", 1, "  74", -1},
      {259, 'X', Tal, 6, 0, 0, 0, "", 0, "202401", -1},
      {260, 'X', Tal, 6, 0, 0, 0, "", 0, "Januar", -1},
      {261, 'X', Tal, 33, 0, 0, 0, "", 0, "202411", -1},
      {262, 'X', Tal, 33, 0, 0, 0, "", 0, "20240311", -1},
      {263, 'X', Tal, 33, 0, 0, 0, "", 0, "17-03-2024", -1},
      {264, 'X', Tal, 3, 0, 0, 0, "", 0, "Onsdag ", -1},
      {265, 'X', Tal, 8, 0, 0, 0, "", 0, "Marts     2024", -1},
      {266, 'X', Rol, 0, 0, 0, 0, "", 0, "SY", 13},
      {267, 'X', Skfa, 0, 0, 0, 0, "", 0, "DAN   C Dansk          ", -1},
      {268, 'X', Tal, 1, 12345, 0, 0, "", 0, " 123,45", -1},
      {269, 'X', Tal, 1, -250, 0, 0, "", 0, "  -2,50", -1},
      {270, 'X', Tal, 1, 0, 0, 0, "", 0, "   ", -1},
      {271, 'X', Tal, 1, 'r', 0, 0, "", 0, " R ", -1},
      {272, 'X', Tal, 8, 0, 0, 0, "", 0, "Mar2024", -1},
      {273, 'X', Skph, 0, 0, 0, 0, "", 0, "  12", -1},
      {274, 'X', Skph, 0, 0, 0, 0, "", 0, nullptr, -1},
      {275, 'X', Rol2, 0, 0, 0, 0, "", 0, "O           ", -1},
      {276, 'M', Anfo, 0, 0, 0, 0, "Aftale", 3, "OK", -1},
      {277, 'M', Anfo, 0, 0, 0, 0, "Afdeling", 6, "AFD1", -1},
      {278, 'M', Anfo, 0, 0, 0, 0, "Ansvarsområde", 5, "IT", -1},
      {279, 'X', Tal, 1, 1, 0, 0, "", 0, "*", -1},
      {280, 'X', Tal, 1, 9, 0, 0, "", 0, nullptr, -1},
      {281, 'X', Tal, 1, 'K', 0, 0, "", 0, "  K  ", -1},
      {282, 'X', Tal, 1, 42, 0, 0, "Eg.Beg.", 0, "   42", -1},
      {283, 'X', Tal, 1, 0, 0, 0, "Sl. Beg.", 0, "    0", -1},
      {284, 'X', Tal, 1, 3, 0, 0, "Fr. Beg.", 0, "    3", -1},
      {285, 'X', Tal, 1, 100000, 0, 0, "Eg. Poster", 0, "100000", -1},
      {286, 'X', Tal, 1, 5, 0, 0, "Sl. Poster", 0, "    5", -1},
      {287, 'X', Tal, 1, 6, 0, 0, "Fr. Poster", 0, "    6", -1},
      {288, 'M', Anfo, 0, 0, 0, 0, "Periode", 0, "20230801-20250731", -1},
      {289, 'L', Loka, 0, 0, 0, 0, "Periode", 0, "20230801-20250731", -1},
      {290, 'K', Akti, 0, 0, 0, 0, "Periode", 0, "20230801-20240310", -1},
      {291, 'X', Tal, 1, 705, 0, 0, "", 0, " 7,05", -1},
      {292, 'X', Rol, 0, 0, 0, 0, "", 0, "Undervisning", -1},
      {293, 'K', Akti, 0, 0, 0, 0, "Antal Fag", 0, "   1", -1},
      {294, 'X', Elv, 0, 0, 0, 0, "", 0, "\x83", -1},
      {295, 'X', Elv, 0, 0, 0, 0, "", 0, nullptr, -1},
      {296, 'X', Rol, 0, 0, 0, 0, "", 0, "UV", -1},
      {297, 'X', Lokrol, 0, 0, 0, 0, "", 0, "A", -1},
      {298, 'X', Lokrol, 0, 0, 0, 0, "", 0, nullptr, -1},
      {299, 'K', Akti, 0, 0, 0, 0, "Ialt:", 0, "Ialt - lek:    0", -1},
      {300, 'M', Anfo, 0, 0, 0, 0, "Bud:", 0, "Norm - tim: 1700", -1},
      {301, 'K', Akti, 0, 0, 0, 0, "Diff:", 0, "Diff - lek:     0", -1},
      {302, 'L', Loka, 0, 0, 0, 0, "Lek. Ialt", 0, "Ialt - lek:    0", -1},
      {303, 'M', Anfo, 0, 0, 0, 0, "Akk:", 0, "Akk - lek:   0  tim:    0", -1},
      {304, 'K', Akti, 0, 0, 0, 0, "Akk:", 0, "Akk - lek:    0", -1},
      {305, 'M', Anfo, 0, 0, 0, 0, "Uge:", 0, "Uge - lek:  0  tim:    0", -1},
      {306, 'M', Anfo, 0, 0, 0, 0, "Akk: Lek:", 0, nullptr, -1},
      {307, 'M', Anfo, 0, 0, 0, 0, "Akk: Tim:", 0, nullptr, -1},
      // The hours account: Jan 2024 holds 10.75, 2.5, 3, 4, 5, 6, 7, 8.9.
      {308, 'M', Anfo, 0, 0, 0, 0, "Undervisning", 7, "     10", -1},
      {309, 'M', Anfo, 0, 0, 0, 0, "Rettearbejde", 7, "      2", -1},
      {310, 'M', Anfo, 0, 0, 0, 0, "Eksamen", 7, "      3", -1},
      {311, 'M', Anfo, 0, 0, 0, 0, "Ferie m.m.", 7, "      4", -1},
      {312, 'M', Anfo, 0, 0, 0, 0, "Pæd.pulje", 7, "      6", -1},
      {313, 'M', Anfo, 0, 0, 0, 0, "Andre timer", 7, "      5", -1},
      {314, 'M', Anfo, 0, 0, 0, 0, "Ialt", 7, "     40", -1},
      {315, 'M', Anfo, 0, 0, 0, 0, "Norm", 7, "   1700", -1},
      {316, 'M', Anfo, 0, 0, 0, 0, "Sving", 7, "      0", -1},
      {317, 'M', Anfo, 0, 0, 0, 0, "Norm ialt", 7, "   1700", -1},
      {318, 'M', Anfo, 0, 0, 0, 0, "Læst", 7, "     40", -1},
      {319, 'M', Anfo, 0, 0, 0, 0, "Udbetalt", 7, "      7", -1},
      {320, 'M', Anfo, 0, 0, 0, 0, "Læst ialt", 7, "     33", -1},
      {321, 'M', Anfo, 0, 0, 0, 0, "Resultat", 7, "  -1667", -1},
      {322, 'M', Anfo, 0, 0, 0, 0, "Medarbejdertype", 15, "Lærer", -1},
      {323, 'M', Anfo, 0, 0, 0, 0, "Personalekategori", 5, "LÆ", -1},
      {324, 'M', Anfo, 0, 0, 0, 0, "Stillingskode", 7, "7654", -1},
      {325, 'M', Anfo, 0, 0, 0, 0, "U ialt", 7, "     15", -1},
      {326, 'M', Anfo, 0, 0, 0, 0, "A ialt", 7, "     15", -1},
      // The activity's budget: no figures yet, 40 + 2 own lessons, 30
      // teacher lessons, 25 hours.
      {327, 'K', Akti, 0, 0, 0, 0, "Elevlek", 6, "     0", -1},
      {328, 'K', Akti, 0, 0, 0, 0, "Budget", 6, "    42", -1},
      {329, 'K', Akti, 0, 0, 0, 0, "Dif", 6, "   -42", -1},
      {330, 'K', Akti, 0, 0, 0, 0, "Lærerlek", 6, "     0", -1},
      {331, 'K', Akti, 0, 0, 0, 0, "Budget", 6, "    30", -1},
      {332, 'K', Akti, 0, 0, 0, 0, "Dif", 6, "   -30", -1},
      {333, 'K', Akti, 0, 0, 0, 0, "Timer", 6, "     0", -1},
      {334, 'K', Akti, 0, 0, 0, 0, "Budget", 6, "    25", -1},
      {335, 'K', Akti, 0, 0, 0, 0, "Dif", 6, "   -25", -1},
      {336, 'K', Akti, 0, 0, 0, 0, "", 16, "Ialt:      0,00", -1},
      {337, 'K', Akti, 0, 0, 0, 0, "", 13, "Budget:     25,00", -1},
      {338, 'K', Akti, 0, 0, 0, 0, "", 11, "Diff:   -25", -1},
      {339, 'L', Loka, 0, 0, 0, 0, "Lokaleansvarlig", 0, "ABC", -1},
      {340, 'L', Loka, 0, 0, 0, 0, "Undervisn.pladser", 4, "  24", -1},
      {341, 'L', Loka, 0, 0, 0, 0, "Ialt", 15, nullptr, -1},
      {342, 'L', Loka, 0, 0, 0, 0, "Lek. Ialt", 9, "        0", -1},
      {343, 'M', Anfo, 0, 0, 0, 0, "", 0, "Ugesnit R/N:     0/    0", -1},
      {344, 'M', Anfo, 0, 0, 0, 0, "Arb.Tlf.", 0, "11 22", 8},
      {345, 'M', Anfo, 0, 0, 0, 0, "Pri.Tlf.", 0, "33 44", 8},
      {346, 'M', Anfo, 0, 0, 0, 0, "Forventet", 7, "      8", 8},
      {347, 'X', Tal, 1, 3, 930, 0, "", 0, "3 09:30", -1},
      {348, 'X', Tal, 1, 3, 930, 0, "", 0, nullptr, -1},
      {349, 'K', Akti, 0, 0, 0, 0, "Elever i dag", 0, " --", 8},
      {350, 'K', Akti, 0, 0, 0, 0, "Hold", 0, "Hold2", 7},
      {351, 'K', Akti, 0, 0, 0, 0, "Undervisningsforløb", 1, "u", 8},
      {352, 'K', Akti, 0, 0, 0, 0, "Undervisningsforløb", 0, "Forløb A", -1},
      {353, 'U', Skfa, 0, 5, 0, 0, "Lektioner på valgt aktivitet", 3, "  5", -1},
      {354, 'U', Skfa, 0, 0, 0, 0, "Undervist elever mest på valgt fag", 3, "  9", -1},
      {355, 'M', Anfo, 0, 0, 0, 0, "Plan Lek. pr. uge", 3, nullptr, -1},
      {356, 'M', Anfo, 0, 0, 0, 0, "% af norm", 4, "   2", -1},
      {357, 'M', Anfo, 0, 0, 0, 0, "Plan Lek. anfo", 3, "  0", -1},
      {358, 'M', Anfo, 0, 0, 0, 0, "U Plan", 0, "20", -1},
      {359, 'M', Anfo, 0, 0, 0, 0, "A Plan", 0, "3", -1},
      {360, 'M', Anfo, 0, 0, 0, 0, "R Plan", 0, "1", -1},
      {361, 'M', Anfo, 0, 0, 0, 0, "E Plan", 0, "2", -1},
      {362, 'M', Anfo, 0, 0, 0, 0, "Diff U", 0, "-10", -1},
      {363, 'M', Anfo, 0, 0, 0, 0, "Diff A", 0, "12", -1},
      {364, 'M', Anfo, 0, 0, 0, 0, "Diff R", 0, "1", -1},
      {365, 'M', Anfo, 0, 0, 0, 0, "Diff E", 0, "1", -1},
      {366, 'X', Skph, 0, 0, 0, 0, "Akk: Lek:", 0, "SkphAkk:    0 /    0", -1},
      {367, 'X', Skph, 0, 0, 0, 0, "", 0, "   0", -1},
      {368, 'X', Skph, 0, 0, 0, 0, "", 0, nullptr, -1},
      {369, 'M', Anfo, 0, 0, 0, 0, "ULekt", 4, " -- ", -1},
      {370, 'M', Anfo, 0, 0, 0, 0, "3Uger", 4, " -- ", -1},
      // Holiday: 2.550, 12.340, 1.000, 3.040 days; 5.500, 1.499, 2.000.
      {371, 'M', Anfo, 0, 0, 0, 0, "Overført", 10, "       2,6", -1},
      {372, 'M', Anfo, 0, 0, 0, 0, "Optjent", 10, "      12,3", -1},
      {373, 'M', Anfo, 0, 0, 0, 0, "Planlagt", 10, "       1,0", -1},
      {374, 'M', Anfo, 0, 0, 0, 0, "Afholdt", 10, "       3,0", -1},
      {375, 'M', Anfo, 0, 0, 0, 0, "Rest", 10, "      10,9", -1},
      {376, 'M', Anfo, 0, 0, 0, 0, "Optjent", 10, "         6", -1},
      {377, 'M', Anfo, 0, 0, 0, 0, "Planlagt", 10, "         1", -1},
      {378, 'M', Anfo, 0, 0, 0, 0, "Afholdt", 10, "         2", -1},
      {379, 'M', Anfo, 0, 0, 0, 0, "Rest", 10, "         2", -1},
      {380, 'M', Anfo, 0, 0, 0, 0, "Initialer", 0, "ABC  ", 8},
      {381, 'M', Anfo, 0, 0, 0, 0, "Opgørelsesperiode", 0, "20240101-20241231", -1},
      {382, 'M', Anfo, 0, 0, 0, 0, "Arbejdstid", 0, "10", -1},
      {383, 'M', Anfo, 0, 0, 0, 0, "Særlig skema", 0, "4", -1},
      {384, 'L', Loka, 0, 0, 0, 0, "Antal ske", 6, "    12", -1},
      {385, 'K', Akti, 0, 0, 0, 0, "Prioritet", 4, " 7", -1},
      {386, 'X', Tal, 1, 12345, 0, 0, "", 0, "123,45", -1},
  };
  uint32_t naeste = 203;
  for (const Raekke &r : tab) {
    SCOPED_TRACE(r.felt);
    EXPECT_EQ(r.felt, naeste) << "the table covers every column once";
    naeste = r.felt + 1;
    EXPECT_STREQ(BeregnetFeltNavn(r.felt), r.navn);
    EXPECT_EQ(BeregnetFeltBredde(r.felt), r.bredde);
    // The activity rows give the second activity as the selection of 350
    // and 351.
    const int32_t v2 = r.felt == 350 ? static_cast<int32_t>(fx.rec[Akti2]) : r.v2;
    const int32_t v3 = r.felt == 351 ? static_cast<int32_t>(fx.rec[Akti2]) : r.v3;
    char tekst[OBJFELT_TEKST_LEN];
    memset(tekst, 'z', sizeof tekst);
    uint8_t kode = 0xEE, flag = 0;
    uint32_t farve = 0;
    const uint32_t n = r.hvem == Tal ? r.n : fx.rec[r.hvem];
    ObjFeltTekst(fx.hwnd, r.felt, r.bredde, n, r.v1, v2, v3, tekst, &farve, &kode, &flag, 0, r.type);
    EXPECT_EQ(std::string(tekst), r.tekst ? std::string(r.tekst) : Blank());
    EXPECT_EQ(kode, r.kode < 0 ? 0xEE : r.kode);
  }
  EXPECT_EQ(naeste, 387u);
}

TEST_F(ObjFeltTest, EdgesOfTheCells) {
  BygSkole();
  char tekst[OBJFELT_TEKST_LEN];
  uint8_t kode = 0xEE;
  auto Celle = [&](uint32_t felt, uint32_t n, char type) {
    kode = 0xEE;
    ObjFeltTekst(fx.hwnd, felt, BeregnetFeltBredde(felt), n, 0, 0, 0, tekst, nullptr, &kode, nullptr, 0, type);
    return std::string(tekst);
  };
  // Outside the computed range, record 0, a room column on an activity list.
  for (uint32_t felt : {0u, 202u, 387u, 100000u}) {
    EXPECT_EQ(Celle(felt, fx.rec[Anfo], 'M'), Blank()) << felt;
    EXPECT_STREQ(BeregnetFeltNavn(felt), "");
    EXPECT_EQ(BeregnetFeltBredde(felt), 0u);
  }
  EXPECT_EQ(BeregnetFeltBredde(386), 0u);
  EXPECT_EQ(Celle(210, 0, 'M'), Blank());
  EXPECT_EQ(Celle(342, fx.rec[Akti], 'K'), Blank());
  EXPECT_EQ(Celle(210, tvanfo.wRecCnt, 'M'), Blank());
  // An employment whose employee is missing still gets its row class.
  Rec<AnfoRec>(tvanfo, fx.rec[Anfo])->meda_id = 0;
  EXPECT_EQ(Celle(210, fx.rec[Anfo], 'M'), Blank());
  EXPECT_EQ(kode, 8);
  // An employment without month figures has no hours account.
  SetRunPtr(&tvanfo, fx.rec[Anfo], nullptr);
  EXPECT_EQ(Celle(315, fx.rec[Anfo], 'M'), Blank());
  // A figure too wide for its column.
  antalSkeLoka[fx.rec[Loka]] = 1234567;
  EXPECT_EQ(Celle(384, fx.rec[Loka], 'L'), "######");

  EXPECT_STREQ(BeregnetFeltNavn(319), "Udbetalt");
  GlobalIndstillinger.normsystem = 1;
  EXPECT_STREQ(BeregnetFeltNavn(319), "Ind/Udb.");
}

TEST_F(ObjFeltTest, NormSystemColumns) {
  BygSkole();
  GlobalIndstillinger.normsystem = 1;
  const uint32_t meda = Rec<AnfoRec>(tvanfo, fx.rec[Anfo])->meda_id;
  const uint32_t nosy = Ny(tdnormsystem, tvnormsystem, NormsystemRec{1, "Lærernorm", 740, 10});
  const uint32_t op = Ny(tdopgperiode, tvopgperiode, OpgperiodeRec{1, nosy, "Forår", 20240101, 20240630, 10});
  // Four working days of 7.40 in the week of Ascension Day: 29.6 -> 30.
  Ny(tdregperiode, tvregperiode, RegperiodeRec{1, op, meda, 20240506, 20240512, 740, 10});
  char tekst[OBJFELT_TEKST_LEN];
  auto Celle = [&](uint32_t felt) {
    ObjFeltTekst(fx.hwnd, felt, BeregnetFeltBredde(felt), fx.rec[Anfo], 0, 0, 0, tekst, nullptr, nullptr, nullptr, 0,
                 'M');
    return std::string(tekst);
  };
  // Registreret: 10.75 taught + 600 / 60 registered + 4.4 special + 5 other.
  const struct {
    uint32_t felt;
    const char *tekst;
  } tab[] = {
      {246, "Lærernorm"}, {315, "     30"}, {316, "      0"}, {317, "     30"}, {318, "     30"},
      {319, "      0"},   {321, "      0"}, {381, "20240101-20240630"},
  };
  for (const auto &t : tab) EXPECT_EQ(Celle(t.felt), t.tekst) << t.felt;
}

TEST_F(ObjFeltTest, RowDisplayClass) {
  struct {
    uint8_t status;
    uint32_t gruppe;
    uint8_t fremmed;
    uint8_t klasse;
  } tab[] = {
      {10, 0, 0, 8},           {10, 0x80000000u, 0, 5}, {10, 0x80000001u, 1, 5}, {10, 0x7FFFFFFFu, 0, 8},
      {30, 0, 0, 8},           {30, 0, 1, 5},           {39, 0x80000000u, 0, 8}, {1, 0, 1, 5},
      {130, 0, 1, 5},          {101, 0, 0, 8},          {40, 0, 1, 8},           {29, 0x80000000u, 1, 5},
  };
  for (const auto &t : tab) {
    TommeTabeller();
    AnfoRec a{};
    a.Status = t.status;
    a.Gruppe = t.gruppe;
    const uint32_t n = Ny(tdanfo, tvanfo, a);
    GlobalIndstillinger.fremmedarkivfarve = t.fremmed;
    EXPECT_EQ(RecVisKlasse(&tdanfo, &tvanfo, n), t.klasse) << int(t.status) << ' ' << t.gruppe << ' ' << int(t.fremmed);
  }
  // An activity list has its own default class.
  AktiRec k{};
  k.Status = 10;
  EXPECT_EQ(RecVisKlasse(&tdakti, &tvakti, Ny(tdakti, tvakti, k)), 7);
}

TEST(ObjFeltIndstilling, ForeignArchiveColourFromTheIniFile) {
  namespace fs = std::filesystem;
  const fs::path mappe = fs::temp_directory_path() / ("objfelt_ini_" + std::to_string(::getpid()));
  fs::create_directories(mappe / "ini");
  std::snprintf(StiTab.szini, sizeof StiTab.szini, "%s/ini\\tavo.ini", mappe.string().c_str());
  struct {
    const char *indhold;
    uint8_t vaerdi;
  } tab[] = {{"[farver]\nfremmedarkivfarve=Ja\n", 1}, {"[farver]\nfremmedarkivfarve=ja\n", 1},
             {"[farver]\nfremmedarkivfarve=0\n", 0}, {"[farver]\nfremmedarkivfarve=nej\n", 0},
             {"[global]\nfremmedarkivfarve=nej\n", 1}};
  for (const auto &t : tab) {
    std::ofstream(mappe / "ini" / "tavo.ini") << t.indhold;
    GlobalIndstillinger.fremmedarkivfarve = 7;
    LaesIndstillinger(false);
    EXPECT_EQ(GlobalIndstillinger.fremmedarkivfarve, t.vaerdi) << t.indhold;
  }
  StandardIndstillinger();
  GlobalIndstillinger.fremmedarkivfarve = 0;
  StiTab.szini[0] = '\0';
  fs::remove_all(mappe);
}

}  // namespace
