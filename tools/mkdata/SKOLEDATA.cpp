#include "SKOLEDATA.h"

#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "DATO.h"
#include "ELEVLISTE.h"
#include "ELEVTAB.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "tavo/version.h"
#include "windows.h"

bool SkoleStoerrelseFraNavn(const char *navn, SkoleStoerrelse *st) {
  if (strcmp(navn, "small") == 0) {
    *st = {12, 10, 8, 10, 300, 120, 2, 40, 12, 10, 4, false};
  } else if (strcmp(navn, "medium") == 0) {
    *st = {300, 80, 40, 40, 60000, 20000, 4, 300, 60, 40, 6, true};
  } else if (strcmp(navn, "large") == 0) {
    *st = {3000, 800, 400, 120, 1000000, 300000, 10, 1200, 160, 40, 8, true};
  } else {
    return false;
  }
  return true;
}

namespace {

// splitmix64: small, and the same sequence on every machine and library,
// which std::uniform_int_distribution does not promise.
struct Tilfaeldig {
  uint64_t s;
  uint64_t Naeste() {
    uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n - 1 (n > 0).
  uint32_t Under(uint32_t n) { return static_cast<uint32_t>(Naeste() % n); }
  bool Chance(uint32_t procent) { return Under(100) < procent; }
};

template <size_t N>
void Tekst(char (&felt)[N], const char *v) {
  snprintf(felt, N, "%s", v);
}

// Upper-casing of the Windows-1252 letters that names hold.
char Stort(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  if (u == 0xE6 || u == 0xF8 || u == 0xE5) return static_cast<char>(u - 32);
  return c;
}

// An e-mail address takes no Danish letters.
std::string Ascii(const char *s) {
  std::string r;
  for (; *s; ++s) {
    unsigned char u = static_cast<unsigned char>(*s);
    if (u == 0xE6 || u == 0xC6) r += "ae";
    else if (u == 0xF8 || u == 0xD8) r += "oe";
    else if (u == 0xE5 || u == 0xC5) r += "aa";
    else if (u >= 'A' && u <= 'Z') r += static_cast<char>(u + 32);
    else if ((u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')) r += static_cast<char>(u);
  }
  return r;
}

// Date groups: the date, the week twice and the weekday. Written field by
// field, as the packed records hold them at odd offsets.
template <class R>
void FraGruppe(R *r, Dato dato) {
  Uge u = 0;
  uint8_t dag = 0;
  DatoTilUge(dato, &u, &dag);
  r->Fradato = dato;
  r->MinStartUge = u;
  r->StartUge = u;
  r->StartDag = dag;
}

template <class R>
void TilGruppe(R *r, Dato dato) {
  Uge u = 0;
  uint8_t dag = 0;
  DatoTilUge(dato, &u, &dag);
  r->Tildato = dato;
  r->MaxSlutUge = u;
  r->SlutUge = u;
  r->SlutDag = dag;
}

struct Tabel {
  const TabDesc *pTd;
  TabVar *pTv;
};

Tabel Hent(const char *navn) {
  Tabel t{nullptr, nullptr};
  TabFromName(navn, &t.pTd, &t.pTv);
  return t;
}

// A new record of the table as its struct; null when the table cannot grow.
template <class R>
R *Ny(const Tabel &t, uint32_t *pNr) {
  *pNr = NewRec(t.pTd, t.pTv);
  if (*pNr == 0) return nullptr;
  static_assert(alignof(R) == 1);
  return reinterpret_cast<R *>(GetRec(t.pTd, t.pTv, *pNr));
}

void Faerdig(const Tabel &t, uint32_t nr, uint8_t status) {
  SetRecStatus(t.pTd, t.pTv, nr, status);
  t.pTv->fSorter = 1;
}

constexpr uint8_t STATUS_AKTIV = 10;
constexpr uint32_t SLUT_DATO = 20991231;
constexpr uint32_t AENDRTID = 1785513600;  // 1 August 2026, a fixed stamp

const char *const kFornavne[] = {
    "Søren", "Mette", "Jørgen", "Anne", "Lars", "Birgitte", "Niels", "Kirsten", "Jens",
    "Hanne", "Poul", "Lone", "Bjørn", "Åse", "Torben", "Helle", "Mads", "Louise", "Rasmus",
    "Camilla", "Frederik", "Susanne", "Henrik", "Gitte", "Anders", "Pernille", "Ole", "Bodil",
    "Kåre", "Jytte", "Mikkel", "Tove", "Steffen", "Dorthe", "Jesper", "Lærke", "Brian",
    "Marianne", "Thomas", "Signe"};
const char *const kEfternavne[] = {
    "Jensen", "Nielsen", "Hansen", "Pedersen", "Andersen", "Christensen", "Larsen", "Sørensen",
    "Rasmussen", "Jørgensen", "Petersen", "Madsen", "Kristensen", "Olsen", "Thomsen", "Møller",
    "Østergaard", "Lauridsen", "Bødker", "Frølund", "Kjær", "Dahl", "Holm", "Bækgaard",
    "Mølgaard", "Søndergaard", "Skov", "Dræbye", "Lund", "Brøndum"};

struct FagNavn {
  const char *Kode;
  const char *Navn;
};
const FagNavn kFag[] = {
    {"DAN", "Dansk"}, {"MAT", "Matematik"}, {"ENG", "Engelsk"}, {"SAM", "Samfundsfag"},
    {"NAT", "Naturfag"}, {"IT", "Informatik"}, {"FYS", "Fysik"}, {"KEM", "Kemi"},
    {"TYS", "Tysk"}, {"VIRK", "Virksomhedsøkonomi"}, {"TØM", "Tømrerfag"},
    {"MUR", "Murerfag"}, {"EL", "Elektrofag"}, {"AUT", "Automekanik"}, {"SMED", "Smedefag"},
    {"FRI", "Frisørfag"}, {"KOK", "Køkkenfag"}, {"ERN", "Ernæring"}, {"SOSU", "Sundhed og pleje"},
    {"KTR", "Kontorfag"}, {"DET", "Detailhandel"}, {"VVS", "VVS og energi"},
    {"MAL", "Malerfag"}, {"DATA", "Datateknik"}, {"LAG", "Lager og logistik"},
    {"GART", "Gartnerfag"}, {"SIKK", "Arbejdsmiljø"}, {"FØRH", "Førstehjælp"},
    {"TEGN", "Teknisk tegning"}, {"IDR", "Idræt"}};
const char kNiveauer[] = {'F', 'E', 'D', 'C', 'B', 'A'};

struct UddNavn {
  const char *Kode;
  const char *Navn;
};
const UddNavn kUdd[] = {
    {"TØM", "Tømrer"}, {"MUR", "Murer"}, {"ELE", "Elektriker"}, {"AUT", "Automekaniker"},
    {"SME", "Smed"}, {"FRI", "Frisør"}, {"KOK", "Kok"}, {"ERN", "Ernæringsassistent"},
    {"SSA", "Social- og sundhedsassistent"}, {"KON", "Kontorassistent"},
    {"DET", "Detailhandelsuddannelsen"}, {"VVS", "VVS-energispecialist"}, {"MAL", "Maler"},
    {"DAT", "Datatekniker"}, {"LAG", "Lager og logistik"}, {"GAR", "Gartner"}};

const char *const kForloeb[] = {"GF1", "GF2", "H1", "H2", "H3", "EUX"};

// Every tenth activity is a teaching task (type IVAK: meetings, guidance,
// exams) with teachers but no subject; of the rest, every fifteenth is an
// evening course on the evening ring system.
const char *const kOpgaver[] = {"Teammøde", "Vejledning", "Elevsamtaler", "Censur og eksamen",
                                "Udviklingsopgave", "Praktikbesøg"};
bool ErOpgave(uint32_t i) { return i % 10 == 9; }
bool ErAften(uint32_t i) { return i % 15 == 14 && !ErOpgave(i); }

const char *const kLokaleArter[] = {"Klasselokale", "Værksted", "Edb-lokale", "Køkken",
                                     "Salon", "Laboratorium", "Auditorium", "Motorværksted"};
const char *const kBygninger[] = {"Hovedbygningen", "Værkstedshallen", "Ø-fløjen",
                                  "Køkkenhuset", "Nørrehuset", "Auto-hallen"};

// The day ring system: ten lessons with breaks and a lunch.
const uint32_t kDagStart[] = {800, 850, 945, 1035, 1150, 1240, 1335, 1425, 1515, 1605};
const uint32_t kDagSlut[] = {845, 935, 1030, 1120, 1235, 1325, 1420, 1510, 1600, 1650};
const uint32_t kAftenStart[] = {1700, 1750, 1840, 1930};
const uint32_t kAftenSlut[] = {1745, 1835, 1925, 2015};
constexpr uint32_t LEKTIONER = std::size(kDagStart);
constexpr uint32_t DAGE = 5;

struct Skole {
  Tilfaeldig rnd;
  SkoleStoerrelse st;
  std::vector<uint32_t> meda, anfo, loka, skfa, akti, bygn;
  uint32_t risyDag = 0, risyAften = 0;
  uint32_t skka = 0;
  uint32_t rolUndv = 0, rolVejl = 0, lokrolleUndv = 0;
  // Per activity: its subjects (record numbers) and its education (index
  // into kUdd).
  std::vector<std::vector<uint32_t>> aktiFag;
  std::vector<uint32_t> aktiUdd;
  // One lesson of an activity's week: the slot, its teachers, its room.
  struct Lektion {
    uint32_t akti;       // index into akti
    uint8_t dag, lektion;
    uint32_t skfa;
    uint32_t anfo[2];
    uint32_t antalAnfo;
    uint32_t loka;       // 0: no room
  };
  std::vector<Lektion> uge;
  std::vector<std::pair<uint32_t, uint32_t>> par;  // (akti, anfo) record numbers
};

bool Fejl(std::string *fejl, const std::string &tekst) {
  if (fejl) *fejl = tekst;
  return false;
}

bool LavInstitution(Skole &s) {
  Tabel t = Hent("ins");
  uint32_t nr;
  InsRec *r = Ny<InsRec>(t, &nr);
  if (!r) return false;
  r->Tavonr = SKOLE_INSNR;
  Tekst(r->Navn, "Erhvervsskolen Nørreå");
  Faerdig(t, nr, STATUS_AKTIV);

  Tabel b = Hent("bygn");
  for (uint32_t i = 0; i < std::size(kBygninger); ++i) {
    BygnRec *g = Ny<BygnRec>(b, &nr);
    if (!g) return false;
    g->id = 100 + i;
    snprintf(g->Bygningsnr, sizeof g->Bygningsnr, "%c", 'A' + i);
    Tekst(g->Betegnelse, kBygninger[i]);
    snprintf(g->Gade, sizeof g->Gade, "Skolevej %u", 2 + 2 * i);
    Tekst(g->Sted, "7400 Herning");
    g->Undervisningsareal = 800.0f + 150.0f * static_cast<float>(s.rnd.Under(10));
    Faerdig(b, nr, STATUS_AKTIV);
    s.bygn.push_back(nr);
  }
  return true;
}

bool LavRingesystemer(Skole &s) {
  Tabel t = Hent("risy");
  struct {
    const char *Kode, *Navn;
    const uint32_t *Start, *Slut;
    uint32_t Antal;
    uint32_t *pNr;
  } const systemer[] = {
      {"DAG", "Dagskolen", kDagStart, kDagSlut, LEKTIONER, &s.risyDag},
      {"AFT", "Aftenskolen", kAftenStart, kAftenSlut, std::size(kAftenStart), &s.risyAften},
  };
  uint32_t id = 1;
  for (const auto &sy : systemer) {
    uint32_t nr;
    RisyRec *r = Ny<RisyRec>(t, &nr);
    if (!r) return false;
    r->id = id++;
    Tekst(r->Ringesystem, sy.Kode);
    Tekst(r->Betegnelse, sy.Navn);
    for (uint32_t l = 0; l < sy.Antal; ++l) {
      r->Starttid[l] = sy.Start[l];
      r->Sluttid[l] = sy.Slut[l];
      r->Antal_std_lektioner[l] = 1.0f;
    }
    // What the display grouping finds: each in use, with times, in a group
    // of its own.
    r->RingeGruppe = id - 1;
    r->Anvendt = 1;
    r->RisyOk = 1;
    Faerdig(t, nr, STATUS_AKTIV);
    *sy.pNr = nr;
  }
  return true;
}

bool LavRoller(Skole &s) {
  uint32_t nr;
  Tabel st = Hent("skemrtyp");
  uint32_t typUndv = 0, typAndet = 0;
  const char *const typer[][2] = {{"UNDV", "Undervisning"}, {"ANDET", "Andre opgaver"}};
  for (uint32_t i = 0; i < 2; ++i) {
    SkemrtypRec *r = Ny<SkemrtypRec>(st, &nr);
    if (!r) return false;
    r->id = i + 1;
    Tekst(r->Rolletype, typer[i][0]);
    Tekst(r->Betegnelse, typer[i][1]);
    Faerdig(st, nr, STATUS_AKTIV);
    (i == 0 ? typUndv : typAndet) = nr;
  }
  Tabel sr = Hent("skemarol");
  struct {
    const char *Rolle, *Navn, *Tekst;
    uint32_t Typ;
    char Timetype;
    uint32_t *pNr;
  } const roller[] = {
      {"UNDV", "Underviser", "Undervisning", typUndv, 'U', &s.rolUndv},
      {"VEJL", "Vejleder", "Vejledning", typAndet, 'V', &s.rolVejl},
      {"TILS", "Tilsyn", "Tilsyn og eksamen", typAndet, 'T', nullptr},
  };
  uint32_t id = 1;
  for (const auto &ro : roller) {
    SkemarolRec *r = Ny<SkemarolRec>(sr, &nr);
    if (!r) return false;
    r->id = id++;
    Tekst(r->Rolle, ro.Rolle);
    r->skemrtyp_id = ro.Typ;
    Tekst(r->Betegnelse, ro.Navn);
    r->Timetype = ro.Timetype;
    r->Check_skemasammenfald = 'J';
    r->Genererer_timeposter = 'J';
    r->Afspadsering = 'N';
    r->Vis_paa_laererskema = 'J';
    Tekst(r->Rolletype_tekst, ro.Tekst);
    Faerdig(sr, nr, STATUS_AKTIV);
    if (ro.pNr) *ro.pNr = nr;
  }

  Tabel lt = Hent("lokrotyp");
  LokrotypRec *t = Ny<LokrotypRec>(lt, &nr);
  if (!t) return false;
  t->id = 1;
  Tekst(t->Rolletype, "UNDV");
  Tekst(t->Betegnelse, "Undervisning");
  Faerdig(lt, nr, STATUS_AKTIV);
  const uint32_t lokrotyp = nr;
  Tabel lr = Hent("lokrolle");
  const char *const lokroller[][2] = {{"U", "Undervisning"}, {"E", "Eksamen"}, {"M", "Møde"}};
  for (uint32_t i = 0; i < std::size(lokroller); ++i) {
    LokrolleRec *r = Ny<LokrolleRec>(lr, &nr);
    if (!r) return false;
    r->id = i + 1;
    r->Lokalerolle = lokroller[i][0][0];
    r->lokrotyp_id = lokrotyp;
    r->Check_sammenfald = 'J';
    Tekst(r->Betegnelse, lokroller[i][1]);
    Faerdig(lr, nr, STATUS_AKTIV);
    if (i == 0) s.lokrolleUndv = nr;
  }
  return true;
}

bool LavMedarbejdere(Skole &s) {
  Tabel tm = Hent("meda"), ta = Hent("anfo"), tc = Hent("ansc"), tk = Hent("ansk");
  std::vector<std::string> brugte;
  for (uint32_t i = 0; i < s.st.Medarbejdere; ++i) {
    const char *fornavn = kFornavne[s.rnd.Under(std::size(kFornavne))];
    const char *efternavn = kEfternavne[s.rnd.Under(std::size(kEfternavne))];
    // Initials: two letters of each name, then a digit when taken.
    std::string ini;
    ini += Stort(fornavn[0]);
    ini += Stort(fornavn[1]);
    ini += Stort(efternavn[0]);
    ini += Stort(efternavn[1]);
    std::string endelig = ini;
    for (uint32_t n = 1;
         n < 100 && std::find(brugte.begin(), brugte.end(), endelig) != brugte.end(); ++n)
      endelig = ini.substr(0, n < 10 ? 3 : 2) + std::to_string(n);
    brugte.push_back(endelig);

    uint32_t nrMeda;
    MedaRec *m = Ny<MedaRec>(tm, &nrMeda);
    if (!m) return false;
    m->id = 20000 + i;
    Tekst(m->Initialer, endelig.c_str());
    snprintf(m->Navn, sizeof m->Navn, "%s %s", fornavn, efternavn);
    const bool laerer = i % 10 != 9;
    Tekst(m->Meda_type, laerer ? "Lærer" : "Administrativ");
    snprintf(m->Arb_tlf, sizeof m->Arb_tlf, "9712%04u", 1000 + i % 9000);
    snprintf(m->Mobil_tlf, sizeof m->Mobil_tlf, "2%07u", s.rnd.Under(10000000));
    snprintf(m->E_mail, sizeof m->E_mail, "%s@norrea-erhverv.dk", Ascii(endelig.c_str()).c_str());
    Faerdig(tm, nrMeda, STATUS_AKTIV);
    s.meda.push_back(nrMeda);

    uint32_t nrAnfo;
    AnfoRec *a = Ny<AnfoRec>(ta, &nrAnfo);
    if (!a) return false;
    a->id = 30000 + i;
    a->meda_id = nrMeda;
    Tekst(a->Loebenummer, "01");
    a->Tid = AENDRTID;
    a->Gruppe = 1;
    a->Kan_laeses = 'J';
    a->Primaer_ansaettelse = 'J';
    snprintf(a->Beskrivelse, sizeof a->Beskrivelse, "%s, %s", laerer ? "Faglærer" : "Administration",
             kUdd[i % std::size(kUdd)].Navn);
    Tekst(a->Initialer_red, endelig.c_str());
    const uint32_t ansat = 19950101 + 10000 * s.rnd.Under(30) + 100 * s.rnd.Under(12);
    FraGruppe(a, ansat);
    TilGruppe(a, SLUT_DATO);
    Faerdig(ta, nrAnfo, STATUS_AKTIV);
    if (laerer) s.anfo.push_back(nrAnfo);

    uint32_t nr;
    AnscRec *c = Ny<AnscRec>(tc, &nr);
    if (!c) return false;
    c->id = 40000 + i;
    c->anfo_id = nrAnfo;
    Tekst(c->Personalekategori, laerer ? "LÆR" : "ADM");
    Tekst(c->Stillingskode, laerer ? (s.rnd.Chance(60) ? "LEKTOR" : "ADJUNK") : "KONTOR");
    c->Gyldig_fra = ansat;
    c->Gyldig_til = SLUT_DATO;
    c->Ansaettelsesdato = ansat;
    Faerdig(tc, nr, STATUS_AKTIV);

    AnskRec *k = Ny<AnskRec>(tk, &nr);
    if (!k) return false;
    k->id = 50000 + i;
    k->anfo_id = nrAnfo;
    k->Tid = AENDRTID;
    k->Gyldig_fra = ansat;
    k->Alderstillaeg = s.rnd.Chance(30) ? 'J' : 'N';
    k->Afregningsprocent = 100.0f;
    k->Lektionsregel = 'N';
    k->Accept_af_overarbejde = s.rnd.Chance(50) ? 'J' : 'N';
    k->Udb_ej_planlagte_timer = 'N';
    k->Udb_planlagte_timer = 'N';
    k->Udb_belastningstillaeg = 'N';
    k->Gyldig_til = SLUT_DATO;
    Faerdig(tk, nr, STATUS_AKTIV);
  }
  return !s.anfo.empty();
}

// The working-time agreements: one accounting calendar with a period per
// school year, two agreements on it with their terms, every employment's
// terms on its agreement, buffer hours and norm adjustments for some
// teachers, and registered working time (with the norm system's period and
// registration periods) for the first employees; so that the hours statement
// shows a norm, a swing and a result in either form.
// Working-time priorities of the first employments: Monday morning
// preferred, Friday afternoon avoided, each 5-minute slot a record of its
// own; one record belongs to another installation, which the priority
// window must neither show nor change.
bool LavArbejdstidsprioriteter(Skole &s) {
  Tabel t = Hent("medaskeprior");
  struct Blok {
    uint8_t dag;
    uint32_t fra, til;  // minutes after midnight
    int32_t prioritet;
    uint8_t ejer;
  };
  const Blok blokke[] = {{1, 8 * 60, 8 * 60 + 30, 2, SKOLE_INSNR},
                         {5, 14 * 60, 14 * 60 + 15, -3, SKOLE_INSNR},
                         {3, 10 * 60, 10 * 60 + 5, 1, SKOLE_INSNR + 1}};
  for (size_t i = 0; i < s.anfo.size() && i < 3; ++i)
    for (const Blok &b : blokke) {
      if (b.ejer != SKOLE_INSNR && i != 0) continue;
      for (uint32_t m = b.fra; m < b.til; m += 5) {
        uint32_t nr;
        MedaskepriorRec *r = Ny<MedaskepriorRec>(t, &nr);
        if (!r) return false;
        r->anfo_id = s.anfo[i];
        r->Ugedag = b.dag;
        r->Starttid = m / 60 * 100 + m % 60;
        r->Sluttid = (m + 5) / 60 * 100 + (m + 5) % 60;
        r->prioritet = b.prioritet + static_cast<int32_t>(i) % 2;
        r->Ejer = b.ejer;
        Faerdig(t, nr, 64);
      }
    }
  return true;
}

bool LavArbejdstidsaftaler(Skole &s) {
  // A generator of its own, so the rest of the school stays what the seed
  // made it before these tables existed.
  Tilfaeldig rnd{s.rnd.s ^ 0x5DEECE66Dull};
  uint32_t nr;
  Tabel tkal = Hent("opgkal");
  OpgkalRec *kal = Ny<OpgkalRec>(tkal, &nr);
  if (!kal) return false;
  kal->id = 1;
  Tekst(kal->Kalenderkode, "EUD");
  Tekst(kal->Betegnelse, "Skoleår");
  Faerdig(tkal, nr, STATUS_AKTIV);
  const uint32_t nrKal = nr;

  // 1 August to 31 July, from the school year before the schedule period to
  // the one after it.
  Tabel tper = Hent("opgper");
  const uint32_t foersteAar = SKOLE_FRADATO / 10000 - 1;
  uint32_t forrige = 0;
  for (uint32_t aar = foersteAar; aar < foersteAar + 3; ++aar) {
    OpgperRec *o = Ny<OpgperRec>(tper, &nr);
    if (!o) return false;
    o->id = 70000 + aar;
    o->opgkal_id = nrKal;
    o->Fradato = aar * 10000 + 801;
    o->Tildato = (aar + 1) * 10000 + 731;
    o->Norm = 1924.0f;
    o->Pedagogisk_pulje = 25.0f;
    o->Overtimebuffer = 50.0f;
    o->Undertimebuffer = 50.0f;
    o->Maanedsantal = 12;
    Faerdig(tper, nr, STATUS_AKTIV);
    if (forrige)
      reinterpret_cast<OpgperRec *>(GetRec(tper.pTd, tper.pTv, forrige))->neste_opgper = nr;
    else
      reinterpret_cast<OpgkalRec *>(GetRec(tkal.pTd, tkal.pTv, nrKal))->forste_opgper = nr;
    forrige = nr;
  }

  Tabel taraf = Hent("araf"), tlop = Hent("aftalop");
  const char *const aftaler[][2] = {{"LC", "Lærere"}, {"HK", "Administration"}};
  uint32_t nrAraf[2] = {};
  for (uint32_t i = 0; i < 2; ++i) {
    ArafRec *r = Ny<ArafRec>(taraf, &nrAraf[i]);
    if (!r) return false;
    r->id = 71 + i;
    Tekst(r->kode, aftaler[i][0]);
    Tekst(r->Betegnelse, aftaler[i][1]);
    r->opgkal_id = nrKal;
    r->Bufferordning = 'J';
    r->Norm = 'J';
    r->Udleverplan = i == 0 ? 'J' : 'N';
    Faerdig(taraf, nrAraf[i], STATUS_AKTIV);
    AftalopRec *t = Ny<AftalopRec>(tlop, &nr);
    if (!t) return false;
    t->id = 72000 + i;
    t->araf_id = nrAraf[i];
    t->Fradato = 19950101;
    t->Tildato = SLUT_DATO;
    t->Standardlektionslaengde = 45;
    t->Bevillingstimefaktor = 1.0f;
    Faerdig(tlop, nr, STATUS_AKTIV);
    reinterpret_cast<ArafRec *>(GetRec(taraf.pTd, taraf.pTv, nrAraf[i]))->forste_aftalop = nr;
  }
  const std::set<uint32_t> laerere(s.anfo.begin(), s.anfo.end());
  Tabel tansk = Hent("ansk");
  for (uint32_t r = 1; r < tansk.pTv->wRecCnt; ++r) {
    auto *k = reinterpret_cast<AnskRec *>(GetRec(tansk.pTd, tansk.pTv, r));
    const uint32_t anfo = k->anfo_id;
    if (anfo) k->araf_id = nrAraf[laerere.count(anfo) ? 0 : 1];
  }

  Tabel tbuf = Hent("buftim"), tjust = Hent("normjust");
  for (uint32_t i = 0; i < s.anfo.size(); ++i) {
    if (i % 3 == 0) {
      BuftimRec *b = Ny<BuftimRec>(tbuf, &nr);
      if (!b) return false;
      b->id = 73000 + i;
      b->anfo_id = s.anfo[i];
      b->Fradato = SKOLE_FRADATO;
      b->Tildato = SKOLE_TILDATO;
      if (i % 2 == 0)
        b->Overtimer_fra_forrige = 12.5f + static_cast<float>(rnd.Under(30));
      else
        b->Undertimer_fra_forrige = 4.0f + static_cast<float>(rnd.Under(20));
      b->Max_overtimer_til_naeste = 50.0f;
      b->Max_undertimer_til_naeste = 50.0f;
      Faerdig(tbuf, nr, STATUS_AKTIV);
    }
    if (i % 4 == 1) {
      NormjustRec *j = Ny<NormjustRec>(tjust, &nr);
      if (!j) return false;
      j->id = 74000 + i;
      j->anfo_id = s.anfo[i];
      j->Dato = SKOLE_FRADATO / 10000 * 10000 + 1001;
      j->Timer = i % 8 == 1 ? -37.0f : 15.0f;
      Faerdig(tjust, nr, STATUS_AKTIV);
    }
  }

  Tabel tnosy = Hent("normsystem"), topgp = Hent("opgperiode"), treg = Hent("regperiode"),
        tarb = Hent("arbejdstid");
  NormsystemRec *ns = Ny<NormsystemRec>(tnosy, &nr);
  if (!ns) return false;
  ns->id = 1;
  Tekst(ns->Navn, "Dagsnorm 7,40");
  ns->Dagsnorm = 740;
  Faerdig(tnosy, nr, STATUS_AKTIV);
  OpgperiodeRec *op = Ny<OpgperiodeRec>(topgp, &nr);
  if (!op) return false;
  op->id = 1;
  op->nosy_id = 1;
  Tekst(op->KaldeNavn, "Skoleåret");
  op->FraDato = SKOLE_FRADATO;
  op->TilDato = SKOLE_TILDATO;
  Faerdig(topgp, nr, STATUS_AKTIV);
  const uint32_t nrOpgp = nr;
  // One line a month of each of the first employees: a month's registered
  // minutes, contribution, teaching and now and then hours paid in.
  const uint32_t registrerede = std::min<uint32_t>(10, static_cast<uint32_t>(s.meda.size()));
  for (uint32_t i = 0; i < registrerede; ++i) {
    RegperiodeRec *g = Ny<RegperiodeRec>(treg, &nr);
    if (!g) return false;
    g->id = 75000 + i;
    g->opgp_id = nrOpgp;
    g->meda_id = s.meda[i];
    g->FraDato = SKOLE_FRADATO;
    g->TilDato = SKOLE_TILDATO;
    g->Dagsnorm = 740;
    Faerdig(treg, nr, STATUS_AKTIV);
    for (Maaned m = SKOLE_FRADATO / 100; m <= SKOLE_TILDATO / 100; m = m % 100 == 12 ? m + 89 : m + 1) {
      ArbejdstidRec *a = Ny<ArbejdstidRec>(tarb, &nr);
      if (!a) return false;
      a->meda_id = s.meda[i];
      a->Dato = m * 100 + 15;
      a->Minutter = 20 * 444 + 15 * rnd.Under(40);
      a->Bidrag = 1 + rnd.Under(2);
      a->Indbetalt = (m + i) % 3 == 0 ? 1 : 0;
      a->Undervisning = 1 + rnd.Under(2);
      Faerdig(tarb, nr, STATUS_AKTIV);
    }
  }
  return true;
}

bool LavLokaler(Skole &s) {
  Tabel t = Hent("loka");
  for (uint32_t i = 0; i < s.st.Lokaler; ++i) {
    uint32_t nr;
    LokaRec *r = Ny<LokaRec>(t, &nr);
    if (!r) return false;
    const uint32_t antalBygn = static_cast<uint32_t>(s.bygn.size());
    const uint32_t bygning = i % antalBygn, nrIBygning = i / antalBygn + 1;
    r->id = 60000 + i;
    snprintf(r->Lokalenr, sizeof r->Lokalenr, "%c%u.%02u", 'A' + bygning, nrIBygning / 20 % 10,
             nrIBygning % 100);
    r->Gruppe = 1;
    r->Tid = AENDRTID;
    FraGruppe(r, 20010101);
    Tekst(r->Betegnelse, kLokaleArter[s.rnd.Under(std::size(kLokaleArter))]);
    TilGruppe(r, SLUT_DATO);
    snprintf(r->Undervisningspladser, sizeof r->Undervisningspladser, "%u",
             12 + 4 * s.rnd.Under(6));
    r->bygn_id = s.bygn[bygning];
    r->Bredde = 6.0f + static_cast<float>(s.rnd.Under(5));
    r->Laengde = 8.0f + static_cast<float>(s.rnd.Under(8));
    r->Netto_areal = r->Bredde * r->Laengde;
    Faerdig(t, nr, STATUS_AKTIV);
    s.loka.push_back(nr);
  }
  return !s.loka.empty();
}

bool LavFag(Skole &s) {
  Tabel t = Hent("skfa");
  for (uint32_t i = 0; i < s.st.Fag; ++i) {
    const FagNavn &f = kFag[i % std::size(kFag)];
    const char niveau = kNiveauer[(i / std::size(kFag) + 3) % std::size(kNiveauer)];
    uint32_t nr;
    SkfaRec *r = Ny<SkfaRec>(t, &nr);
    if (!r) return false;
    r->id = 70000 + i;
    snprintf(r->Skolefag, sizeof r->Skolefag, "%.4s%c", f.Kode, niveau);
    r->Niveau = niveau;
    Tekst(r->Betegnelse, f.Navn);
    r->Laes_varighed = 'N';
    r->Varighed_dage = 5.0f * static_cast<float>(1 + s.rnd.Under(8));
    r->Elevlektioner = 40 + 10 * s.rnd.Under(10);
    r->Laererlektioner = r->Elevlektioner;
    snprintf(r->Lang_Betegnelse, sizeof r->Lang_Betegnelse, "%s, niveau %c", f.Navn, niveau);
    Faerdig(t, nr, STATUS_AKTIV);
    s.skfa.push_back(nr);
  }
  if (s.skfa.empty()) return false;
  // Which rooms a subject may use.
  Tabel rel = Hent("skfalokarel");
  for (uint32_t f : s.skfa) {
    const uint32_t n = 1 + s.rnd.Under(3);
    for (uint32_t j = 0; j < n; ++j) {
      uint32_t nr;
      SkfalokarelRec *r = Ny<SkfalokarelRec>(rel, &nr);
      if (!r) return false;
      r->skfa_id = f;
      r->loka_id = s.loka[s.rnd.Under(static_cast<uint32_t>(s.loka.size()))];
      Faerdig(rel, nr, STATUS_AKTIV);
    }
  }
  return true;
}

bool LavAktiviteter(Skole &s) {
  Tabel t = Hent("akti"), ph = Hent("skph"), bu = Hent("budt");
  s.aktiFag.resize(s.st.Aktiviteter);
  // A school has a few teams of each education it teaches: a small school
  // teaches fewer educations.
  const uint32_t antalUdd = std::clamp<uint32_t>(s.st.Aktiviteter / 4, 1, std::size(kUdd));
  for (uint32_t i = 0; i < s.st.Aktiviteter; ++i) {
    const uint32_t udd = s.rnd.Under(antalUdd);
    const UddNavn &u = kUdd[udd];
    s.aktiUdd.push_back(udd);
    const char *forloeb = kForloeb[s.rnd.Under(std::size(kForloeb))];
    const bool aften = ErAften(i), opgave = ErOpgave(i);
    const char *opg = kOpgaver[s.rnd.Under(std::size(kOpgaver))];
    uint32_t nr;
    AktiRec *r = Ny<AktiRec>(t, &nr);
    if (!r) return false;
    r->id = 10000 + i;
    snprintf(r->Aktivitet, sizeof r->Aktivitet, "%s-%s-%04u",
             opgave ? "OPG" : aften ? "AMU" : forloeb, u.Kode, i + 1);
    r->Tid = AENDRTID;
    r->Gruppe = 1;
    Tekst(r->Type, opgave ? "IVAK" : "HOLD");
    snprintf(r->Kort_betegnelse, sizeof r->Kort_betegnelse, "%s %s",
             opgave ? "OPG" : aften ? "AMU" : forloeb, u.Kode);
    if (opgave)
      snprintf(r->Betegnelse, sizeof r->Betegnelse, "%s, %s", opg, u.Navn);
    else
      snprintf(r->Betegnelse, sizeof r->Betegnelse, "%s, %s, hold %u",
               aften ? "AMU-kursus" : forloeb, u.Navn, i + 1);
    FraGruppe(r, SKOLE_FRADATO);
    TilGruppe(r, SKOLE_TILDATO);
    r->Aflyst = 'N';
    r->risy_id = aften ? s.risyAften : s.risyDag;
    r->skka_id = s.skka;
    r->Laerer_anvendelse = 'J';
    r->Kontrollabel = 'N';
    r->Generer_fra_skema = 'J';
    r->Skkord = 'N';
    r->StartElever = opgave ? 0 : 12 + s.rnd.Under(16);
    r->SlutElever = opgave ? 0 : r->StartElever - s.rnd.Under(4);
    snprintf(r->Elevplan_betegnelse, sizeof r->Elevplan_betegnelse, "%s - %s", u.Navn, forloeb);
    Tekst(r->Undervisningssted, "Erhvervsskolen Nørreå, Herning");
    r->RisyOk = 1;
    r->Skema_prioritet = static_cast<uint8_t>(1 + s.rnd.Under(9));
    Faerdig(t, nr, STATUS_AKTIV);
    s.akti.push_back(nr);

    const uint32_t antalFag = opgave ? 0 : 2 + s.rnd.Under(3);
    for (uint32_t j = 0; j < antalFag; ++j) {
      uint32_t f = s.skfa[s.rnd.Under(static_cast<uint32_t>(s.skfa.size()))];
      if (std::find(s.aktiFag[i].begin(), s.aktiFag[i].end(), f) != s.aktiFag[i].end()) continue;
      s.aktiFag[i].push_back(f);
      uint32_t nrPh;
      SkphRec *p = Ny<SkphRec>(ph, &nrPh);
      if (!p) return false;
      p->akti_id = nr;
      p->skfa_id = f;
      p->Fagstatus = 'O';
      p->Varighed_dage = 10.0f;
      p->Elevlektioner = 40;
      p->Laererlektioner = 40;
      p->Afregningsform = 'L';
      p->Akkord = 'N';
      p->AntalLektioner = 40;
      p->SkygFaget = 'N';
      Faerdig(ph, nrPh, STATUS_AKTIV);
    }

    // The central system sends every activity with its budget for the
    // school year: the figures the master-data window and the budget lock
    // count over are the months of that budget's period.
    uint32_t nrBu;
    BudtRec *b = Ny<BudtRec>(bu, &nrBu);
    if (!b) return false;
    b->id = 10000 + i;
    b->Startdato = SKOLE_FRADATO;
    b->Slutdato = SKOLE_TILDATO;
    b->akti_id = nr;
    const uint32_t lektioner = opgave ? 20 : 40 * static_cast<uint32_t>(s.aktiFag[i].size());
    b->Laererlektioner = lektioner;
    b->Laerertimer = lektioner * 3 / 4;
    b->lt_undervisning = b->Laerertimer;
    Faerdig(bu, nrBu, STATUS_AKTIV);
    // The activity's budget sums as the load rebuilds them from its budget.
    AktiRec *ra = reinterpret_cast<AktiRec *>(GetRec(t.pTd, t.pTv, nr));
    ra->BudgetLererLektioner = lektioner;
    ra->BudgetLererTimer = static_cast<int32_t>(b->Laerertimer);
  }
  return !s.akti.empty();
}

// The weekly pattern: each activity gets its lessons in free slots, with a
// teacher and a room that are free then.
void LavUgeplan(Skole &s, uint32_t lektionerPrAkti) {
  const uint32_t slots = DAGE * LEKTIONER;
  std::vector<uint8_t> laererOptaget(s.anfo.size() * slots, 0);
  std::vector<uint8_t> lokaleOptaget(s.loka.size() * slots, 0);
  std::vector<uint8_t> holdOptaget(slots, 0);
  const uint32_t nAnfo = static_cast<uint32_t>(s.anfo.size());
  const uint32_t nLoka = static_cast<uint32_t>(s.loka.size());
  for (uint32_t a = 0; a < s.akti.size(); ++a) {
    std::fill(holdOptaget.begin(), holdOptaget.end(), 0);
    const uint32_t hovedlaerer = s.rnd.Under(nAnfo);
    const uint32_t hjemlokale = s.rnd.Under(nLoka);
    const bool aften = ErAften(a), opgave = ErOpgave(a);
    const uint32_t maxLektion = aften ? std::size(kAftenStart) : LEKTIONER;
    for (uint32_t l = 0; l < lektionerPrAkti; ++l) {
      for (int forsoeg = 0; forsoeg < 40; ++forsoeg) {
        const uint32_t dag = s.rnd.Under(DAGE), lek = s.rnd.Under(maxLektion);
        const uint32_t slot = dag * LEKTIONER + lek;
        if (holdOptaget[slot]) continue;
        // The team's own teacher and room first, then any free one.
        uint32_t laerer = forsoeg < 10 ? hovedlaerer : s.rnd.Under(nAnfo);
        uint32_t lokale = forsoeg < 10 ? hjemlokale : s.rnd.Under(nLoka);
        if (laererOptaget[laerer * slots + slot] || lokaleOptaget[lokale * slots + slot]) continue;
        Skole::Lektion lk{};
        lk.akti = a;
        lk.dag = static_cast<uint8_t>(dag + 1);
        lk.lektion = static_cast<uint8_t>(lek + 1);
        const auto &fag = s.aktiFag[a];
        lk.skfa = fag.empty() ? 0 : fag[s.rnd.Under(static_cast<uint32_t>(fag.size()))];
        lk.anfo[0] = s.anfo[laerer];
        lk.antalAnfo = 1;
        laererOptaget[laerer * slots + slot] = 1;
        // Some lessons have a second teacher (team teaching), most tasks
        // two or more.
        if (s.rnd.Chance(opgave ? 70 : 15)) {
          uint32_t anden = s.rnd.Under(nAnfo);
          if (anden != laerer && !laererOptaget[anden * slots + slot]) {
            lk.anfo[1] = s.anfo[anden];
            lk.antalAnfo = 2;
            laererOptaget[anden * slots + slot] = 1;
          }
        }
        // Lessons out of the house (company visits) have no room, nor do
        // most tasks.
        if (!s.rnd.Chance(opgave ? 60 : 5)) {
          lk.loka = s.loka[lokale];
          lokaleOptaget[lokale * slots + slot] = 1;
        }
        holdOptaget[slot] = 1;
        s.uge.push_back(lk);
        break;
      }
    }
  }
  std::sort(s.uge.begin(), s.uge.end(), [](const Skole::Lektion &x, const Skole::Lektion &y) {
    if (x.dag != y.dag) return x.dag < y.dag;
    if (x.lektion != y.lektion) return x.lektion < y.lektion;
    return x.akti < y.akti;
  });
  // The (activity, employment) pairs that the schedule makes.
  for (const auto &lk : s.uge)
    for (uint32_t j = 0; j < lk.antalAnfo; ++j) s.par.emplace_back(s.akti[lk.akti], lk.anfo[j]);
  std::sort(s.par.begin(), s.par.end());
  s.par.erase(std::unique(s.par.begin(), s.par.end()), s.par.end());
}

// Weeks without teaching: autumn, Christmas and winter holidays.
bool Ferieuge(uint32_t ugeNr) {
  return ugeNr == 42 || ugeNr == 52 || ugeNr == 53 || ugeNr == 1 || ugeNr == 7;
}

bool Skoledag(Dato dato) {
  // Summer holiday, at both ends of the school year.
  const uint32_t md = dato % 10000;
  if (md >= 626 && md < 811) return false;
  return Helligdag(dato) == 0;
}

// A day the school teaches: Monday to Friday outside the holidays.
bool Undervisningsdag(Uge uge, uint8_t ugedag) {
  if (ugedag < 1 || ugedag > DAGE || Ferieuge(uge % 100)) return false;
  const Dato dato = UgeDagTilDato(uge, ugedag);
  return dato != 0 && Skoledag(dato);
}

// The school-day calendar every activity names: one kaldag record per ISO
// year of the period with a bit per teaching day, reached through a chain
// of kdagrel records.
bool LavSkolekalender(Skole &s) {
  Uge fra = 0, til = 0;
  DatoTilUge(SKOLE_FRADATO, &fra, nullptr);
  DatoTilUge(SKOLE_TILDATO, &til, nullptr);
  const uint32_t startAar = fra / 100, antalAar = til / 100 - startAar + 1;
  Tabel tk = Hent("kaldag"), tr = Hent("kdagrel"), ts = Hent("skka");
  std::vector<uint32_t> dage;
  for (uint32_t a = 0; a < antalAar; ++a) {
    uint32_t nr;
    KaldagRec *k = Ny<KaldagRec>(tk, &nr);
    if (!k) return false;
    for (uint32_t u = 1; u <= 53; ++u)
      for (uint8_t d = 1; d <= 7; ++d)
        if (Undervisningsdag((startAar + a) * 100 + u, d)) k->Uge[u - 1] |= static_cast<uint8_t>(1u << (d - 1));
    Faerdig(tk, nr, STATUS_AKTIV);
    dage.push_back(nr);
  }
  uint32_t foersteRel = 0;
  for (uint32_t a = 0; a < antalAar; ++a) {
    uint32_t nr;
    KdagrelRec *r = Ny<KdagrelRec>(tr, &nr);
    if (!r) return false;
    r->StartRel = a == 0 ? 'J' : 'N';
    r->AntalAr = antalAar;
    r->Kaldag = dage[a];
    Faerdig(tr, nr, STATUS_AKTIV);
    if (a == 0) foersteRel = nr;
  }
  uint32_t nr;
  SkkaRec *k = Ny<SkkaRec>(ts, &nr);
  if (!k) return false;
  k->id = 1;
  Tekst(k->Skoledagskalender, "DAGSKOLE");
  k->Fradato = SKOLE_FRADATO;
  k->Tildato = SKOLE_TILDATO;
  Tekst(k->Betegnelse, "Skoleår 2026/27");
  k->StartAr = startAar;
  k->AntalAr = antalAar;
  k->kaldagrel = foersteRel;
  Faerdig(ts, nr, STATUS_AKTIV);
  s.skka = nr;
  return true;
}

// Student-overlap pairs: within each education, every team activity gets
// up to two partners among the later ones whose lessons of the week never
// meet its own, valid over the period.
bool LavElevsammenfald(Skole &s) {
  // The lessons of each activity as (day, start, end).
  std::vector<std::vector<std::tuple<uint8_t, uint32_t, uint32_t>>> tider(s.akti.size());
  for (const auto &lk : s.uge) {
    const bool aften = ErAften(lk.akti);
    const uint32_t li = lk.lektion - 1u;
    tider[lk.akti].emplace_back(lk.dag, aften ? kAftenStart[li] : kDagStart[li],
                                aften ? kAftenSlut[li] : kDagSlut[li]);
  }
  auto Moedes = [&](uint32_t a, uint32_t b) {
    for (const auto &[da, sa, ea] : tider[a])
      for (const auto &[db, sb, eb] : tider[b])
        if (da == db && sa < eb && sb < ea) return true;
    return false;
  };
  Tabel t = Hent("elvrel2");
  std::vector<uint32_t> partnere(s.akti.size(), 0);
  for (uint32_t a = 0; a < s.akti.size(); ++a) {
    if (ErOpgave(a)) continue;
    for (uint32_t b = a + 1; b < s.akti.size() && partnere[a] < 2; ++b) {
      if (ErOpgave(b) || s.aktiUdd[b] != s.aktiUdd[a] || partnere[b] >= 2 || Moedes(a, b)) continue;
      uint32_t nr;
      Elvrel2Rec *r = Ny<Elvrel2Rec>(t, &nr);
      if (!r) return false;
      r->akti1_id = s.akti[a];
      r->akti2_id = s.akti[b];
      r->Startdato = SKOLE_FRADATO;
      r->Slutdato = SKOLE_TILDATO;
      Faerdig(t, nr, STATUS_AKTIV);
      ++partnere[a];
      ++partnere[b];
    }
  }
  return true;
}

bool LavSkemaraekker(Skole &s) {
  // Rows of one week of the pattern, to size it to the wanted total.
  uint64_t raekkerPrUge = 0;
  for (const auto &lk : s.uge) raekkerPrUge += 1 + lk.antalAnfo + (lk.loka ? 1 : 0);
  if (raekkerPrUge == 0) return s.st.Skemaraekker == 0;

  uint32_t ialt = 0, beg = 0;
  std::vector<SkeRec> raekker;
  for (UgeIndeks ui = 1; ui <= SkemaPeriode.AntalUger && ialt < s.st.Skemaraekker; ++ui) {
    const Uge uge = IndeksTilUge(ui);
    if (Ferieuge(uge % 100)) continue;
    raekker.clear();
    raekker.emplace_back();  // row 0, never used
    for (const auto &plan : s.uge) {
      const Dato dato = UgeDagTilDato(uge, plan.dag);
      if (dato < SKOLE_FRADATO || dato > SKOLE_TILDATO || !Undervisningsdag(uge, plan.dag)) continue;
      // The total comes out exact: the last events give up a room or a
      // second teacher, and no single row is left over for an event of
      // its own (every event has its activity and a teacher).
      const uint32_t rest = s.st.Skemaraekker - ialt;
      if (rest < 2) {
        ialt = s.st.Skemaraekker;
        break;
      }
      Skole::Lektion lk = plan;
      auto Antal = [&] { return 1 + lk.antalAnfo + (lk.loka ? 1 : 0); };
      if (Antal() > rest && lk.loka) lk.loka = 0;
      if (Antal() > rest) lk.antalAnfo = 1;
      if (rest - Antal() == 1)
        lk.loka = lk.loka ? 0 : s.loka[lk.akti % s.loka.size()];
      const uint32_t n = Antal();
      const bool aften = ErAften(lk.akti);
      const uint32_t li = lk.lektion - 1u;
      SkeRec f{};
      f.id = ++beg;
      f.Status = SKE_EGEN | SKE_KENDT;
      f.Tid = AENDRTID;
      f.skfa_id = lk.skfa;
      f.risy_id = aften ? s.risyAften : s.risyDag;
      f.Dag = lk.dag;
      f.Lektion = lk.lektion;
      f.Starttid = aften ? kAftenStart[li] : kDagStart[li];
      f.Sluttid = aften ? kAftenSlut[li] : kDagSlut[li];
      f.Antal_std_lektioner = 1.0f;
      f.Ejer = SKOLE_INSNR;
      f.Forste = static_cast<uint32_t>(raekker.size());
      Tekst(f.AEndret_af, "PLAN");

      SkeRec r = f;
      r.akti_id = s.akti[lk.akti];
      raekker.push_back(r);
      for (uint32_t j = 0; j < lk.antalAnfo; ++j) {
        r = f;
        r.anfo_id = lk.anfo[j];
        r.skemarol_id = ErOpgave(lk.akti) ? s.rolVejl : s.rolUndv;
        r.Minutnorm = 45.0f;
        raekker.push_back(r);
      }
      if (lk.loka) {
        r = f;
        r.loka_id = lk.loka;
        r.lokrolle_id = s.lokrolleUndv;
        raekker.push_back(r);
      }
      ialt += n;
    }
    if (raekker.size() < 2) continue;
    TabVar *pTv = SkemabegBucket(uge);
    if (!pTv || AddTabBlock(&tdske, pTv, static_cast<uint32_t>(raekker.size())) != 0) return false;
    memcpy(pTv->pbTab, raekker.data(), raekker.size() * sizeof(SkeRec));
    pTv->wRecCnt = static_cast<uint32_t>(raekker.size());
  }
  return true;
}

bool LavTimeposter(Skole &s) {
  Tabel rel = Hent("aakrel");
  for (const auto &[akti, anfo] : s.par) {
    uint32_t nr;
    AakrelRec *r = Ny<AakrelRec>(rel, &nr);
    if (!r) return false;
    r->akti_id = akti;
    r->anfo_id = anfo;
    Faerdig(rel, nr, STATUS_AKTIV);
  }
  if (s.par.empty() || s.st.Timeposter == 0) return true;

  const uint32_t mdr = SkemaPeriode.AntalMaaneder;
  uint32_t id = 0;
  std::vector<TimoakRaekke> raekker;
  for (MaanedIndeks mi = 1; mi <= mdr; ++mi) {
    const Maaned maaned = IndeksTilMaaned(mi);
    const uint32_t antal = s.st.Timeposter / mdr + (mi <= s.st.Timeposter % mdr ? 1 : 0);
    const uint32_t dage = DageIMaaned(maaned);
    raekker.assign(antal + 1, TimoakRaekke{});
    for (uint32_t i = 1; i <= antal; ++i) {
      const auto &[akti, anfo] = s.par[s.rnd.Under(static_cast<uint32_t>(s.par.size()))];
      TimoakRaekke &r = raekker[i];
      r.Status = 64;
      r.Tid = AENDRTID;
      r.Type = s.rnd.Chance(85) ? 'A' : 'P';
      r.akti_id = akti;
      r.anfo_id = anfo;
      r.Maaneddag = static_cast<uint8_t>(1 + s.rnd.Under(dage));
      r.Dato = maaned * 100 + r.Maaneddag;
      r.Timer = static_cast<int32_t>(25 * (1 + s.rnd.Under(32)));  // ¼ to 8 hours
      r.Ejer = SKOLE_INSNR;
    }
    std::sort(raekker.begin() + 1, raekker.end(),
              [](const TimoakRaekke &a, const TimoakRaekke &b) {
                if (a.Dato != b.Dato) return a.Dato < b.Dato;
                if (a.anfo_id != b.anfo_id) return a.anfo_id < b.anfo_id;
                return a.akti_id < b.akti_id;
              });
    for (uint32_t i = 1; i <= antal; ++i) raekker[i].id = ++id;
    if (antal == 0) continue;
    TabVar *pTv = TimoakBucket(maaned);
    if (!pTv || AddTabBlock(&tdtimoak, pTv, antal + 1) != 0) return false;
    memcpy(pTv->pbTab, raekker.data(), raekker.size() * sizeof(TimoakRaekke));
    pTv->wRecCnt = antal + 1;
  }
  return true;
}

// Absence activities with their employments and postings: own, foreign,
// sent and central ones of the kinds F, H, A and P, so that the posting
// windows and their filters have something to show. Made after everything
// else, from fixed choices, so the rest of the school stays as it was.
bool LavFravaer(Skole &s) {
  if (s.anfo.empty()) return true;
  static const struct {
    const char *navn, *betegnelse;
    char type;
  } kFravaer[] = {
      {"SYG", "Sygdom", 'F'},
      {"FERIE", "Ferie og fridage", 'H'},
      {"KURSUS", "Kursus og efteruddannelse", 'A'},
      {"PULJE", "Pædagogisk pulje", 'P'},
  };
  Tabel akt = Hent("akti"), rel = Hent("aakrel");
  uint32_t postId = 900000;
  const uint32_t mdr = SkemaPeriode.AntalMaaneder;
  static_assert(std::size(kFravaer) == SKOLE_FRAVAERSAKTIVITETER);
  for (uint32_t i = 0; i < std::size(kFravaer); ++i) {
    uint32_t nr;
    AktiRec *r = Ny<AktiRec>(akt, &nr);
    if (!r) return false;
    r->id = 19000 + i;
    snprintf(r->Aktivitet, sizeof r->Aktivitet, "%s", kFravaer[i].navn);
    snprintf(r->Betegnelse, sizeof r->Betegnelse, "%s", kFravaer[i].betegnelse);
    snprintf(r->Kort_betegnelse, sizeof r->Kort_betegnelse, "%s", kFravaer[i].navn);
    Tekst(r->Type, "OVAK");
    r->Tid = AENDRTID;
    r->Gruppe = 32;  // group 5, the one the activity posting window starts with
    FraGruppe(r, SKOLE_FRADATO);
    TilGruppe(r, SKOLE_TILDATO);
    r->Aflyst = 'N';
    r->Laerer_anvendelse = 'N';
    r->Kontrollabel = 'N';
    r->Generer_fra_skema = 'N';
    r->Skkord = 'N';
    r->risy_id = s.risyDag;
    r->skka_id = s.skka;
    Faerdig(akt, nr, STATUS_AKTIV);
    s.akti.push_back(nr);
    // Three employments each, spread over the staff.
    for (uint32_t j = 0; j < 3 && j < s.anfo.size(); ++j) {
      const uint32_t anfo = s.anfo[(i * 5 + j * 3) % s.anfo.size()];
      uint32_t rnr;
      AakrelRec *a = Ny<AakrelRec>(rel, &rnr);
      if (!a) return false;
      a->akti_id = nr;
      a->anfo_id = anfo;
      Faerdig(rel, rnr, STATUS_AKTIV);
      for (MaanedIndeks mi = 1 + (i + j) % 3; mi <= mdr; mi += 3) {
        const Maaned maaned = IndeksTilMaaned(mi);
        TabVar *pTv = TimoakBucket(maaned);
        if (!pTv) continue;
        pTv->FoersteLedige = pTv->wRecCnt;
        const uint32_t n = NewRec(&tdtimoak, pTv);
        if (n == 0) return false;
        TimoakRaekke *t = reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, pTv, n));
        *t = TimoakRaekke{};
        t->id = ++postId;
        const uint32_t slags = (mi + j) % 4;  // own, foreign, sent, central
        t->Status = static_cast<uint8_t>(64 | (slags == 2 ? 16 : 0) | (slags == 3 ? 32 : 0));
        t->Tid = AENDRTID;
        t->Type = kFravaer[i].type;
        t->akti_id = nr;
        t->anfo_id = anfo;
        t->Maaneddag = static_cast<uint8_t>(1 + (i * 7 + j * 5 + mi) % 28);
        t->Dato = maaned * 100 + t->Maaneddag;
        t->Timer = static_cast<int32_t>(100 * (1 + (i + j + mi) % 8) + 50 * (mi % 2));
        t->Ejer = slags == 1 ? SKOLE_INSNR + 1 : SKOLE_INSNR;
      }
    }
  }
  return true;
}

// ---- Student enrolment ----

// The first day of the enrolment groups' teaching period and the days of
// their enrolment and teaching.
constexpr uint32_t TG_TILM_FRA = 20261001, TG_TILM_TIL = 20261130;
constexpr uint32_t TG_FRA = 20270104, TG_TIL = 20270625;
constexpr uint32_t LEKTIONER_PR_DAG_TG = 8;

struct LaData {
  uint32_t Nr;           // record number
  uint32_t Hoved;        // index of the head of its family (itself for a head)
  uint32_t Prio[2];      // wishes of priority 1 and 2 for the family
};

Dato OmDage(Dato d, uint32_t dage) {
  for (uint32_t i = 0; i < dage; ++i) d = NaesteDato(d);
  return d;
}

// One enrolment group: slots on a week grid of lessons ('L') or on weeks
// ('U'), learning activities in families of a head and its duplicates,
// placements of blocks of slots and a few blocked slots, students enrolled
// with their wishes of priority 1 and 2, and a few slots where a student is
// not free. Ids are the ranges Elevplan would give; the duplicates have
// the installation's own ids.
bool LavTilmeldingsgruppe(Skole &s, uint32_t g, uint32_t *pId) {
  Tabel ttg = Hent("tg"), tpp = Hent("pp"), tla = Hent("la"), tlap = Hent("lap"),
        telev = Hent("elev"), telti = Hent("elti"), tev = Hent("ev"), teb = Hent("eb");
  const uint32_t n = s.st.Tilmeldingsgrupper;
  const bool lektioner = g % 2 == 0;  // the largest group counts in lessons
  const uint32_t antalElever = std::max(1u, s.st.Elever * (n - g) / n);
  const uint32_t antalLa = std::max(2u, s.st.LaeringsAkt * (n - g) / n);
  const uint32_t antalSlots =
      std::min(std::max(2u, s.st.Slots), lektioner ? 7 * LEKTIONER_PR_DAG_TG : 52u);
  const UddNavn &u = kUdd[g % std::size(kUdd)];
  const char *const optag[] = {"januar", "februar", "marts"};

  uint32_t tgNr;
  TgRec *tg = Ny<TgRec>(ttg, &tgNr);
  if (!tg) return false;
  tg->id = 501 + g;
  snprintf(tg->Navn, sizeof tg->Navn, "%s, optag %s 2027", u.Navn, optag[g % 3]);
  // The school has fetched its groups from Elevplan: they carry its system
  // name, so that it may plan them.
  snprintf(tg->Navn2, sizeof tg->Navn2, "TavoSkema - %u", unsigned{SKOLE_INSNR});
  tg->tilmeldingsfradato = TG_TILM_FRA;
  tg->tilmeldingstildato = TG_TILM_TIL;
  tg->fradato = TG_FRA;
  tg->tildato = TG_TIL;
  Tekst(tg->LoebendeOptagstring, g % 3 == 2 ? "J" : "N");
  tg->Minimum1PriLekt = lektioner ? 16 : 4;
  tg->Minimum2PriLekt = lektioner ? 8 : 2;
  tg->UgeLektionsGruppe = lektioner ? 'L' : 'U';
  tg->min_elevtal = 22;
  tg->max_elevtal = 26;
  tg->uge_antal = 1;
  tg->uge_deletal = 1;
  tg->lek_antal = 4;
  tg->lek_deletal = 2;
  Faerdig(ttg, tgNr, STATUS_AKTIV);

  std::vector<uint32_t> slots;
  Dato mandag = TG_FRA;
  for (uint32_t k = 0; k < antalSlots; ++k) {
    uint32_t nr;
    PpRec *p = Ny<PpRec>(tpp, &nr);
    if (!p) return false;
    p->id = ++pId[0];
    p->tg_id = tgNr;
    if (lektioner) {
      p->dag = static_cast<uint8_t>(1 + k / LEKTIONER_PR_DAG_TG);
      p->lektion = 1 + k % LEKTIONER_PR_DAG_TG;
    } else {
      Uge uge = 0;
      uint8_t dag = 0;
      DatoTilUge(mandag, &uge, &dag);
      p->ugenr = uge;
      mandag = OmDage(mandag, 7);
    }
    Faerdig(tpp, nr, STATUS_AKTIV);
    slots.push_back(nr);
  }

  auto NyLap = [&](uint32_t laNr, uint32_t ppNr, uint32_t laengde, char blokering) {
    uint32_t lapNr;
    LapRec *p = Ny<LapRec>(tlap, &lapNr);
    if (!p) return false;
    p->id = ++pId[3];
    p->tg_id = tgNr;
    p->la_id = laNr;
    p->pp_id = ppNr;
    p->lengde = laengde;
    p->blokering = blokering;
    Faerdig(tlap, lapNr, STATUS_AKTIV);
    return true;
  };

  // Every sixth activity duplicates the last head before it.
  std::vector<LaData> la;
  std::vector<std::string> hovedNavne;
  std::vector<uint32_t> hoveder, dubletnr;
  for (uint32_t k = 0; k < antalLa; ++k) {
    const bool dublet = k % 6 == 5;
    const uint32_t hoved = dublet ? hoveder.back() : static_cast<uint32_t>(la.size());
    uint32_t nr;
    LaRec *l = Ny<LaRec>(tla, &nr);
    if (!l) return false;
    l->tg_id = tgNr;
    if (dublet) {
      const LaRec *h = reinterpret_cast<const LaRec *>(GetRec(tla.pTd, tla.pTv, la[hoved].Nr));
      l->id = pId[1]++;
      l->kopi_id = h->id;
      l->dubletnr = ++dubletnr[hoved];
      snprintf(l->Navn, sizeof l->Navn, "%s #%u", hovedNavne[hoved].c_str(), +l->dubletnr);
      l->ElevPlanStatus = 6;
    } else {
      const FagNavn &f = kFag[(g * 7 + k) % std::size(kFag)];
      l->id = ++pId[2];
      l->dubletnr = 1;
      snprintf(l->Navn, sizeof l->Navn, "%s %c, %s %u", f.Navn, kNiveauer[k % std::size(kNiveauer)],
               u.Navn, static_cast<unsigned>(k / std::size(kFag) + 1));
      hovedNavne.resize(la.size() + 1);
      hovedNavne[la.size()] = l->Navn;
      hoveder.push_back(static_cast<uint32_t>(la.size()));
    }
    dubletnr.resize(la.size() + 1, 1);
    l->fradato = TG_FRA;
    l->tildato = TG_TIL;
    l->Lektionsantal = 20 + 10 * s.rnd.Under(6);
    l->min_elevantal = 10 + s.rnd.Under(10);
    l->max_elevantal = l->min_elevantal + 6 + s.rnd.Under(8);
    // The weight of an activity: weeks in a week group, lessons in a
    // lesson group, laid out as blocks of the divisor's length.
    const uint32_t blokke = 1 + s.rnd.Under(3);
    if (lektioner) {
      l->uge_antal = 1;
      l->uge_deletal = 1;
      l->lek_deletal = 2;
      l->lek_antal = 2 * blokke;
    } else {
      l->uge_antal = blokke;
      l->uge_deletal = blokke;
      l->lek_antal = 4;
      l->lek_deletal = 2;
    }
    l->PladsLaas = s.rnd.Chance(5) ? 1 : 0;
    l->aktiv = 1;
    Faerdig(tla, nr, STATUS_AKTIV);
    la.push_back({nr, hoved, {0, 0}});

    // Most activities are placed, a few are barred from one slot.
    if (s.rnd.Chance(90)) {
      const uint32_t laengde = lektioner ? 2 : blokke;
      const uint32_t antal = lektioner ? blokke : 1;
      for (uint32_t b = 0; b < antal && laengde <= antalSlots; ++b) {
        uint32_t start = s.rnd.Under(antalSlots - laengde + 1);
        // A block of lessons stays within its day.
        if (lektioner && start % LEKTIONER_PR_DAG_TG + laengde > LEKTIONER_PR_DAG_TG) start -= 1;
        if (!NyLap(nr, slots[start], laengde, 0)) return false;
      }
    }
    if (s.rnd.Chance(12) && !NyLap(nr, slots[s.rnd.Under(antalSlots)], 1, 1)) return false;
  }

  // Students: each wishes distinct heads, the first ones more often, so
  // that some activities are sought after and others are not.
  const uint32_t antalHoveder = static_cast<uint32_t>(hoveder.size());
  const uint32_t oensker = std::min(s.st.OenskerPrElev, antalHoveder);
  std::vector<uint32_t> valgt;
  for (uint32_t e = 0; e < antalElever; ++e) {
    const char *fornavn = kFornavne[s.rnd.Under(std::size(kFornavne))];
    const char *efternavn = kEfternavne[s.rnd.Under(std::size(kEfternavne))];
    uint32_t elevNr;
    ElevRec *el = Ny<ElevRec>(telev, &elevNr);
    if (!el) return false;
    el->id = ++pId[4];
    el->dummy_tg_id = tgNr;
    snprintf(el->Elevnavn, sizeof el->Elevnavn, "%s %s", fornavn, efternavn);
    snprintf(el->Cpr_Nummer, sizeof el->Cpr_Nummer, "%02u%02u%02u-%04u", 1 + s.rnd.Under(28),
             1 + s.rnd.Under(12), s.rnd.Under(10), s.rnd.Under(10000));
    snprintf(el->Navn, sizeof el->Navn, "%04u", 1000 + s.rnd.Under(9000));
    Tekst(el->Navn2, s.rnd.Chance(70) ? "2025" : "2024");
    Tekst(el->Navn3, s.rnd.Chance(80) ? "H" : "G");
    snprintf(el->Navn4, sizeof el->Navn4, "Erhvervsuddannelse, %s", u.Navn);
    snprintf(el->Navn5, sizeof el->Navn5, "%s H%u", u.Navn, 1 + s.rnd.Under(3));
    Faerdig(telev, elevNr, STATUS_AKTIV);

    uint32_t nr;
    EltiRec *t = Ny<EltiRec>(telti, &nr);
    if (!t) return false;
    t->elev_id = elevNr;
    t->tg_id = tgNr;
    Faerdig(telti, nr, STATUS_AKTIV);

    valgt.clear();
    for (uint32_t w = 0; w < oensker; ++w) {
      uint32_t h = std::min(s.rnd.Under(antalHoveder), s.rnd.Under(antalHoveder));
      // A head already wished gives way to the next one not yet wished.
      while (std::find(valgt.begin(), valgt.end(), h) != valgt.end()) h = (h + 1) % antalHoveder;
      valgt.push_back(h);
      const uint8_t prioritet = w < (oensker + 1) / 2 ? 1 : 2;
      LaData &maal = la[hoveder[h]];
      ++maal.Prio[prioritet - 1];
      EvRec *ev = Ny<EvRec>(tev, &nr);
      if (!ev) return false;
      ev->id = ++pId[5];
      ev->tg_id = tgNr;
      ev->elev_id = elevNr;
      ev->elevplan_onske_la_id = maal.Nr;
      ev->prioritet = prioritet;
      ev->Gyldig_fra = TG_FRA;
      ev->Gyldig_til = TG_TIL;
      Tekst(ev->Accept, "J");
      Faerdig(tev, nr, STATUS_AKTIV);
    }

    if (e % 40 == 7) {
      for (uint32_t b = 1 + s.rnd.Under(2); b > 0; --b) {
        EbRec *eb = Ny<EbRec>(teb, &nr);
        if (!eb) return false;
        eb->id = ++pId[6];
        eb->tg_id = tgNr;
        eb->elev_id = elevNr;
        eb->pp_id = slots[s.rnd.Under(antalSlots)];
        eb->lengde = 1;
        Faerdig(teb, nr, STATUS_AKTIV);
      }
    }
  }

  // The wish counts of each activity; a duplicate carries its head's.
  for (const LaData &d : la) {
    LaRec *l = reinterpret_cast<LaRec *>(GetRec(tla.pTd, tla.pTv, d.Nr));
    l->onske_prio_1 = la[d.Hoved].Prio[0];
    l->onske_prio_2 = la[d.Hoved].Prio[1];
  }
  return true;
}

// The students of the teams: each team starts with its StartElever
// students, placed on the team (akpl) and on each of its subjects (epsh)
// for the team's dates; the students it loses by SlutElever leave at a
// date inside them. A student of every fiftieth team also follows a course
// past the team's end. Drawn from a source of its own, so that the rest of
// the school stays as it was without them.
//
// The teams that fagelv pairs share students: a team's first students are
// students of its earlier partners, as many as the pair asks for and the
// partner has of its own not yet shared, so that every student is on one
// team or on the two of one pair. fagelv's counts are then what the
// students give, as the recount after an import finds them.
bool LavHoldelever(Skole &s, uint64_t seed) {
  Tabel tpers = Hent("pers"), takpl = Hent("akpl"), tepsh = Hent("epsh"), takti = Hent("akti"),
        tfe = Hent("fagelv");
  Tilfaeldig rnd{seed ^ 0x486F6C64656C6576ull};
  uint32_t id = 900000;
  std::map<uint32_t, size_t> indeks;
  for (size_t i = 0; i < s.akti.size(); ++i) indeks[s.akti[i]] = i;
  struct Deling {
    size_t fra;        // the earlier team
    uint32_t fagelv;   // the pair's record
    uint32_t oenske;   // the count it was made with
  };
  std::vector<std::vector<Deling>> deler(s.akti.size());
  for (uint32_t n = 1; n < tfe.pTv->wRecCnt; ++n) {
    const FagelvRec *f = reinterpret_cast<const FagelvRec *>(GetRec(tfe.pTd, tfe.pTv, n));
    const auto x = indeks.find(+f->akti1_id), y = indeks.find(+f->akti2_id);
    if (f->Status == 0 || x == indeks.end() || y == indeks.end() || x->second == y->second) continue;
    const size_t a = std::min(x->second, y->second), b = std::max(x->second, y->second);
    deler[b].push_back({a, n, f->Faelles_Elever});
  }
  std::vector<std::vector<uint32_t>> egne(s.akti.size());  // own students not yet shared
  std::map<uint32_t, uint32_t> delt;                       // fagelv record -> students shared
  for (size_t i = 0; i < s.akti.size(); ++i) {
    const AktiRec *a = reinterpret_cast<const AktiRec *>(GetRec(takti.pTd, takti.pTv, s.akti[i]));
    const uint32_t start = a->StartElever, slut = std::min<uint32_t>(uint32_t(a->SlutElever), start);
    const Dato fra = a->Fradato, til = a->Tildato;
    std::vector<uint32_t> laant;
    for (const Deling &d : deler[i]) {
      std::vector<uint32_t> &kilde = egne[d.fra];
      uint32_t k = 0;
      for (; k < d.oenske && laant.size() < start && !kilde.empty(); ++k) {
        laant.push_back(kilde.back());
        kilde.pop_back();
      }
      delt[d.fagelv] = k;
    }
    for (uint32_t e = 0; e < start; ++e) {
      uint32_t persNr;
      if (e < laant.size()) {
        persNr = laant[e];
      } else {
        PersRec *p = Ny<PersRec>(tpers, &persNr);
        if (!p) return false;
        p->id = ++id;
        Tekst(p->Fornavn, kFornavne[rnd.Under(std::size(kFornavne))]);
        Tekst(p->Efternavn, kEfternavne[rnd.Under(std::size(kEfternavne))]);
        snprintf(p->Cpr_Nr, sizeof p->Cpr_Nr, "%02u%02u%02u-%04u", 1 + rnd.Under(28), 1 + rnd.Under(12),
                 rnd.Under(10), rnd.Under(10000));
        Faerdig(tpers, persNr, STATUS_AKTIV);
        egne[i].push_back(persNr);
      }
      // Those beyond the end count leave halfway through.
      const Dato ud = e >= slut ? OmDage(fra, 30 + rnd.Under(150)) : til;
      const Dato efter = i % 50 == 3 && e == 0 ? OmDage(til, 30) : ud;
      uint32_t nr;
      AkplRec *k = Ny<AkplRec>(takpl, &nr);
      if (!k) return false;
      k->pers_id = persNr;
      k->akti_id = s.akti[i];
      k->Startdato = fra;
      k->Slutdato = ud;
      Faerdig(takpl, nr, STATUS_AKTIV);
      for (size_t f = 0; f < s.aktiFag[i].size(); ++f) {
        EpshRec *h = Ny<EpshRec>(tepsh, &nr);
        if (!h) return false;
        h->pers_id = persNr;
        h->akti_id = s.akti[i];
        h->skfa_id = s.aktiFag[i][f];
        h->Startdato = fra;
        h->Slutdato = f == 0 ? efter : ud;
        Faerdig(tepsh, nr, STATUS_AKTIV);
      }
    }
  }
  for (uint32_t n = 1; n < tfe.pTv->wRecCnt; ++n) {
    FagelvRec *f = reinterpret_cast<FagelvRec *>(GetRec(tfe.pTd, tfe.pTv, n));
    if (f->Status == 0) continue;
    const auto d = delt.find(n);
    f->Faelles_Elever = d == delt.end() ? 0 : d->second;
  }
  return true;
}

bool LavTilmeldinger(Skole &s) {
  // Next ids: slots, own duplicate ids, activities, placements, students,
  // wishes, blocked slots.
  uint32_t id[7] = {100000, EGNE_ID_START, 300000, 400000, 600000, 700000, 800000};
  for (uint32_t g = 0; g < s.st.Tilmeldingsgrupper; ++g)
    if (!LavTilmeldingsgruppe(s, g, id)) return false;
  return true;
}

// The Elevplan test file: the same three test groups in every folder.
// Group 1 counts in lessons (its slots a grid of days and lessons), 2 and 3
// in weeks (one slot a week from the groups' first teaching week).
constexpr uint32_t TEST_GRUPPER = 3, TEST_HOLD = 6, TEST_ELEVER = 12, TEST_LEKTIONER = 4,
                   TEST_UGER = 10;

// One line of an Elevplan file, with its line end.
__attribute__((format(printf, 2, 3))) void EpLinje(std::string &ud, const char *format, ...) {
  char linje[512];
  va_list args;
  va_start(args, format);
  vsnprintf(linje, sizeof linje, format, args);
  va_end(args);
  ud += linje;
  ud += '\n';
}

std::string EpTestTekst() {
  const char *const holdNavne[TEST_HOLD] = {"Dansk E", "Matematik E", "Engelsk E",
                                           "Naturfag E", "Værkstedsfag", "Idræt"};
  auto Slots = [](uint32_t g) { return g == 1 ? 5 * TEST_LEKTIONER : TEST_UGER; };
  std::string ud;

  ud += "@tg\n";
  for (uint32_t g = 1; g <= TEST_GRUPPER; ++g)
    EpLinje(ud, "%u;Testgruppe %u (%s);%u;%u;%u;%u;N;%u;%u;", g, g, g == 1 ? "lektioner" : "uger", TG_TILM_FRA,
          TG_TILM_TIL, TG_FRA, TG_TIL, g == 1 ? 8u : 2u, g == 1 ? 4u : 1u);
  ud += "@pp\n";
  for (uint32_t g = 1; g <= TEST_GRUPPER; ++g)
    for (uint32_t k = 0; k < Slots(g); ++k) {
      if (g == 1) {
        EpLinje(ud, "%u;%u;0;%u;%u", g * 1000 + k + 1, g, k / TEST_LEKTIONER + 1, k % TEST_LEKTIONER + 1);
      } else {
        Uge uge = 0;
        uint8_t dag = 0;
        DatoTilUge(OmDage(TG_FRA, 7 * k), &uge, &dag);
        EpLinje(ud, "%u;%u;%u;0;0", g * 1000 + k + 1, g, uge);
      }
    }
  ud += "@la\n";
  for (uint32_t g = 1; g <= TEST_GRUPPER; ++g)
    for (uint32_t h = 0; h < TEST_HOLD; ++h)
      EpLinje(ud, "%u;%u;%s, testgruppe %u;%u;%u;%u", g * 100 + h + 1, g, holdNavne[h], g, TG_FRA, TG_TIL,
            g == 1 ? 20u + 4 * h : 10u);
  // Each activity one block: two lessons of a day, or one or two weeks.
  ud += "@lap\n";
  for (uint32_t g = 1; g <= TEST_GRUPPER; ++g)
    for (uint32_t h = 0; h < TEST_HOLD; ++h) {
      const uint32_t slot = g == 1 ? (h % 5) * TEST_LEKTIONER + (h / 5) * 2 : (h * 2) % (TEST_UGER - 1);
      EpLinje(ud, "%u;%u;%u;%u;%u", g * 100 + h + 1, g, g * 100 + h + 1, g * 1000 + slot + 1, g == 1 ? 2u : 1u + h % 2);
    }
  ud += "@elev\n";
  for (uint32_t g = 1; g <= TEST_GRUPPER; ++g)
    for (uint32_t e = 0; e < TEST_ELEVER; ++e) {
      const uint32_t i = (g - 1) * TEST_ELEVER + e;
      EpLinje(ud, "%u;%u;%s %s;%06u-%04u;TEST;2026;T;Testforløb;Testgruppe %u", g * 1000 + e + 1, g,
            kFornavne[i % std::size(kFornavne)], kEfternavne[(i * 7) % std::size(kEfternavne)], 10190u + i,
            1000u + i, g);
    }
  // Three wishes a student, two of priority 1: the first activities sought
  // most, so that the placement has something to weigh.
  ud += "@ev\n";
  for (uint32_t g = 1; g <= TEST_GRUPPER; ++g)
    for (uint32_t e = 0; e < TEST_ELEVER; ++e)
      for (uint32_t w = 0; w < 3; ++w) {
        const uint32_t hold = (e + w * (w + 1)) % TEST_HOLD;
        EpLinje(ud, "%u;%u;%u;%u;%u;%u;%u;;", g * 10000 + e * 3 + w + 1, g, g * 1000 + e + 1, g * 100 + hold + 1,
              w < 2 ? 1u : 2u, TG_FRA, TG_TIL);
      }
  ud += "@eb\n";
  for (uint32_t g = 1; g <= TEST_GRUPPER; ++g) EpLinje(ud, "%u;%u;%u;%u;1", g, g, g * 1000 + 1, g * 1000 + 1);
  return ud;
}

bool SkrivEpTestFil(const std::string &rod) {
  std::ofstream f(rod + "/ini/ep_imp_test.dat", std::ios::binary | std::ios::trunc);
  f << EpTestTekst();
  f.close();
  return !f.fail();
}

// The subject plan: two plan groups of this installation over the school
// year, the activities shared between them, each group with four plan
// periods. A group's members are its team activities (and the task
// activities it plans hours for) and the teachers of its rows. Per team
// activity a heading row (kind 1) and a subject row (kind 2) per subject of
// the activity, with the teacher who teaches it most in the weekly pattern
// (and the second teacher of its team lessons, when there is one) and the
// lessons (in tenths) of the weekly pattern entered for every teaching week
// and summed per plan period. A task activity gets a heading of the view 'O'
// (kind 13) and an hours row (kind 14) per teacher. Each teacher of a group
// gets an employee row (kind 9). Some rows carry correction work, the last
// weeks exam time. Records are live plan records (status 64).
bool LavPlangruppe(Skole &s) {
  constexpr uint8_t STATUS_PLAN = 0x40;
  constexpr uint32_t UGE_INDTASTET = 4, PERIODE_INDTASTET = 16;
  constexpr uint32_t GRUPPER = 2, PERIODER = 4;
  Tabel pg = Hent("ffpg"), pp = Hent("ffpp"), rel = Hent("ffpgrel"), gr = Hent("ffgrund"), tt = Hent("fftaltab"),
        pt = Hent("ffpertab");

  std::vector<Uge> uger;
  for (UgeIndeks ui = 1; ui <= SkemaPeriode.AntalUger; ++ui)
    if (!Ferieuge(IndeksTilUge(ui) % 100)) uger.push_back(IndeksTilUge(ui));

  // The groups and their periods: the school year's weeks in four parts.
  uint32_t gruppeNr[GRUPPER];
  std::vector<std::pair<Uge, Uge>> periodeUger;
  for (uint32_t k = 0; k < PERIODER; ++k) {
    const uint32_t n = SkemaPeriode.AntalUger;
    periodeUger.push_back({IndeksTilUge(1 + k * n / PERIODER), IndeksTilUge((k + 1) * n / PERIODER)});
  }
  uint32_t idPp = 0;
  std::vector<uint32_t> periodeNr[GRUPPER];
  for (uint32_t gi = 0; gi < GRUPPER; ++gi) {
    FfpgRec *g = Ny<FfpgRec>(pg, &gruppeNr[gi]);
    if (!g) return false;
    g->id = gi + 1;
    Tekst(g->Navn, gi == 0 ? "Fagplan 2026/27" : "Fagplan 2026/27, hold B");
    g->Fradato = SKOLE_FRADATO;
    g->Tildato = SKOLE_TILDATO;
    g->Ejer = SKOLE_INSNR;
    Faerdig(pg, gruppeNr[gi], STATUS_PLAN);
    for (const auto &[fra, til] : periodeUger) {
      uint32_t nr;
      FfppRec *p = Ny<FfppRec>(pp, &nr);
      if (!p) return false;
      p->Id = ++idPp;
      p->ffpg_id = gruppeNr[gi];
      p->Frauge = fra;
      p->Tiluge = til;
      p->Ejer = SKOLE_INSNR;
      Faerdig(pp, nr, STATUS_PLAN);
      periodeNr[gi].push_back(nr);
    }
  }

  // The weekly pattern by activity (index) and subject: lessons a week and
  // the teachers with their lessons.
  struct Fag {
    uint32_t lektioner = 0;
    std::map<uint32_t, uint32_t> laerere;  // anfo -> lessons
    uint32_t anden = 0;                    // second teacher of team lessons
  };
  std::map<std::pair<uint32_t, uint32_t>, Fag> fag;
  for (const auto &lk : s.uge) {
    Fag &f = fag[{lk.akti, lk.skfa}];
    ++f.lektioner;
    ++f.laerere[lk.anfo[0]];
    if (lk.antalAnfo > 1 && !f.anden && lk.anfo[1] != lk.anfo[0]) f.anden = lk.anfo[1];
  }

  uint32_t idRel = 0, idGrund = 0, idTal = 0, idPer = 0;
  std::set<std::tuple<uint32_t, uint32_t, uint32_t>> medlemmer;
  auto Medlem = [&](uint32_t gi, uint32_t akti, uint32_t anfo) {
    if (!medlemmer.insert({gi, akti, anfo}).second) return true;
    uint32_t nr;
    FfpgrelRec *r = Ny<FfpgrelRec>(rel, &nr);
    if (!r) return false;
    r->Id = ++idRel;
    r->Plangruppe_id = gruppeNr[gi];
    r->akti_id = akti;
    r->anfo_id = anfo;
    r->Ejer = SKOLE_INSNR;
    Faerdig(rel, nr, STATUS_PLAN);
    return true;
  };
  auto Raekke = [&](uint32_t gi, uint32_t art, uint32_t akti, uint32_t skfa, uint32_t anfo1, uint32_t anfo2,
                    uint32_t *pNr) {
    FfgrundRec *r = Ny<FfgrundRec>(gr, pNr);
    if (!r) return r;
    r->Id = ++idGrund;
    r->ffpg_id = gruppeNr[gi];
    r->Aktivitet = akti;
    r->Skolefag = skfa;
    r->Medarbejder1 = anfo1;
    r->Medarbejder2 = anfo2;
    r->ObjType = art;
    r->Minutnorm1 = anfo1 && art != 1 && art != 9 && art != 13 ? 45.0f : -1.0f;
    r->Minutnorm2 = anfo2 ? 45.0f : -1.0f;
    r->Ejer = SKOLE_INSNR;
    Faerdig(gr, *pNr, STATUS_PLAN);
    return r;
  };
  // The weeks and plan periods of one row.
  auto Tal = [&](uint32_t gi, uint32_t linje, uint32_t lektioner, bool opgave, bool retter) {
    std::vector<uint32_t> perLektioner(PERIODER, 0);
    std::vector<float> perTimer(PERIODER, 0.0f);
    for (size_t u = 0; u < uger.size(); ++u) {
      uint32_t nr;
      FftaltabRec *t = Ny<FftaltabRec>(tt, &nr);
      if (!t) return false;
      t->Id = ++idTal;
      t->ffgrund_id = linje;
      t->PlanStatus = UGE_INDTASTET;
      t->Uge = uger[u];
      t->Lektioner = 10 * lektioner;
      if (opgave) t->Timer = 0.75f * static_cast<float>(lektioner);
      if (retter) {
        t->Rettearbejd = 0.5f;
        t->RetStatus = UGE_INDTASTET;
      }
      if (!opgave && u + 2 >= uger.size()) {
        t->Eksametid = 1.5f;
        t->EksStatus = UGE_INDTASTET;
      }
      t->Ejer = SKOLE_INSNR;
      Faerdig(tt, nr, STATUS_PLAN);
      for (uint32_t k = 0; k < PERIODER; ++k)
        if (uger[u] >= periodeUger[k].first && uger[u] <= periodeUger[k].second) {
          perLektioner[k] += t->Lektioner;
          perTimer[k] += t->Timer;
        }
    }
    for (uint32_t k = 0; k < PERIODER; ++k) {
      if (perLektioner[k] == 0 && perTimer[k] == 0.0f) continue;
      uint32_t nr;
      FfpertabRec *p = Ny<FfpertabRec>(pt, &nr);
      if (!p) return false;
      p->Id = ++idPer;
      p->ffgrund_id = linje;
      p->ffpp_id = periodeNr[gi][k];
      p->Lektioner = perLektioner[k];
      p->Timer = perTimer[k];
      p->PlanStatus = PERIODE_INDTASTET;
      p->Ejer = SKOLE_INSNR;
      Faerdig(pt, nr, STATUS_PLAN);
    }
    return true;
  };

  std::set<uint32_t> laerere[GRUPPER];
  for (uint32_t a = 0; a < s.akti.size(); ++a) {
    const uint32_t gi = a % GRUPPER, akti = s.akti[a];
    const bool opgave = ErOpgave(a);
    if (!Medlem(gi, akti, 0)) return false;
    uint32_t nr;
    if (opgave) {
      // The task's teachers from the weekly pattern, each with its hours.
      std::map<uint32_t, uint32_t> timer;
      for (const auto &[noegle, f] : fag)
        if (noegle.first == a)
          for (const auto &[anfo, n] : f.laerere) timer[anfo] += n;
      if (timer.empty()) continue;
      if (!Raekke(gi, 13, akti, 0, 0, 0, &nr)) return false;
      for (const auto &[anfo, n] : timer) {
        laerere[gi].insert(anfo);
        if (!Medlem(gi, 0, anfo) || !Raekke(gi, 14, akti, 0, anfo, 0, &nr) || !Tal(gi, nr, n, true, false))
          return false;
      }
      continue;
    }
    if (!Raekke(gi, 1, akti, 0, 0, 0, &nr)) return false;
    for (uint32_t skfa : s.aktiFag[a]) {
      const auto it = fag.find({a, skfa});
      uint32_t anfo1 = 0, bedst = 0, anfo2 = 0, lektioner = 0;
      if (it != fag.end()) {
        for (const auto &[anfo, n] : it->second.laerere)
          if (n > bedst) anfo1 = anfo, bedst = n;
        anfo2 = it->second.anden != anfo1 ? it->second.anden : 0;
        lektioner = it->second.lektioner;
      }
      // A subject the weekly pattern does not reach is planned with one
      // lesson a week by a teacher of the school.
      if (!anfo1) anfo1 = s.anfo[(a + skfa) % s.anfo.size()];
      if (!lektioner) lektioner = 1;
      laerere[gi].insert(anfo1);
      if (anfo2) laerere[gi].insert(anfo2);
      if (!Medlem(gi, 0, anfo1) || (anfo2 && !Medlem(gi, 0, anfo2))) return false;
      FfgrundRec *r = Raekke(gi, 2, akti, skfa, anfo1, anfo2, &nr);
      if (!r) return false;
      r->SumLektioner = static_cast<uint32_t>(10 * lektioner * uger.size());
      if (!Tal(gi, nr, lektioner, false, s.rnd.Chance(25))) return false;
    }
  }
  for (uint32_t gi = 0; gi < GRUPPER; ++gi)
    for (uint32_t anfo : laerere[gi]) {
      uint32_t nr;
      if (!Raekke(gi, 9, 0, 0, anfo, 0, &nr)) return false;
    }
  // Common students of a few pairs of team activities per activity, so
  // that the subject distribution has teachers to find.
  Tabel fe = Hent("fagelv");
  std::set<std::pair<uint32_t, uint32_t>> par;
  const uint32_t antal = static_cast<uint32_t>(s.akti.size());
  for (uint32_t a = 0; a < antal; ++a) {
    if (ErOpgave(a)) continue;
    for (uint32_t d = 1; d <= 3; ++d) {
      const uint32_t b = (a + d) % antal;
      if (b == a || ErOpgave(b)) continue;
      const uint32_t x = std::min(s.akti[a], s.akti[b]), y = std::max(s.akti[a], s.akti[b]);
      if (!par.insert({x, y}).second) continue;
      uint32_t nr;
      FagelvRec *f = Ny<FagelvRec>(fe, &nr);
      if (!f) return false;
      f->akti1_id = x;
      f->akti2_id = y;
      f->Faelles_Fag = 1;
      f->Faelles_Elever = 3 + (a + b) % 12;
      Faerdig(fe, nr, STATUS_AKTIV);
    }
  }
  return true;
}

bool SkrivIndstillinger() {
  const char *ini = StiTab.szini;
  char tal[32];
  struct Noegle {
    const char *Sektion, *Noegle, *Vaerdi;
  };
  snprintf(tal, sizeof tal, "%u", TAVO_VERSION_NUMBER);
  const std::string versionTekst = tal;
  const std::string fra = std::to_string(SKOLE_FRADATO), til = std::to_string(SKOLE_TILDATO),
                    laas = std::to_string(SKOLE_LAASDATO), insnr = std::to_string(SKOLE_INSNR);
  const Noegle noegler[] = {
      {"global", "insnr", insnr.c_str()},
      {"global", "version", versionTekst.c_str()},
      {"global", "fradato", fra.c_str()},
      {"global", "tildato", til.c_str()},
      {"global", "lasdato", laas.c_str()},
      {"global", "antaltimer", "10"},
      {"global", "antaldage", "5"},
      {"global", "trace", "nej"},
      {"global", "aktisumperaar", "nej"},
      {"global", "anfosumperaar", "nej"},
      {"global", "tælaktibooking", "ja"},
      {"global", "tælmedabooking", "ja"},
      {"global", "tælstjerneakti", "ja"},
      {"global", "tælstjernemeda", "ja"},
      {"global", "skphakkord", "ja"},
      {"global", "supertavo", "nej"},
      {"global", "skemalåst", "nej"},
      {"global", "niveaufag", "0"},
      {"global", "kalender", "nej"},
      {"global", "logok", "ja"},
      {"global", "checkelevsammenfald", "ja"},
      {"global", "sammenfaldsinterval", "0"},
      {"global", "checkminutnorm", "j"},
      {"global", "autogem", "ja"},
      {"kontakt", "autoimport", "ja"},
      {"farver", "fremmedarkivfarve", "ja"},
      {"farver", "markerhellig", "ja"},
      {"flag", "elevplanprio", "2"},
      {"flag", "planminutnorm", "1"},
      {"flag", "normsystem", "0"},
      {"flag", "visbytflyt", "1"},
      {"flag", "tastlog", "0"},
      {"flag", "checktavonews", "nej"},
      {"tider", "starttid", "800"},
      {"tider", "sluttid", "1700"},
      {"tider", "lektionerprdag", "10"},
      {"tider", "standardlektion", "nej"},
      {"tider", "standardlektionslengde", "45"},
      {"tider", "opgPeriodeStartMåned", "8"},
      {"tider", "opgPeriodeLængde", "helår"},
      {"tider", "opgPeriodeNorm", "1924"},
      {"vinduer", "medopg", "ja"},
      {"vinduer", "post", "ja"},
      {"elevplan", "ep_filnummer", "1"},
      {"elevplan", "ep_maxnummer", "20"},
  };
  for (const auto &n : noegler)
    if (!WritePrivateProfileStringA(n.Sektion, n.Noegle, n.Vaerdi, ini)) return false;
  return true;
}

// The role proposals of ini\Roller.ini, by role id: teachers on teams and
// substitutes teach, other tasks are guidance, the absences are kept as
// supervision (the school has no absence roles of its own), and rooms are
// used for teaching. With all fifteen set the schedule can be placed on.
bool SkrivRolleForslag() {
  const std::string ini = std::string(StiTab.szdata) + "ini\\Roller.ini";
  const char *const forslag[][2] = {
      {"anfo", "1"}, {"xanfo", "1"}, {"*anfo", "1"}, {"ovak", "2"}, {"*ovak", "2"},
      {"dag", "2"},  {"oms", "3"},   {"afsp", "3"},  {"syg", "3"},  {"vikar", "1"},
      {"akko", "1"}, {"fer", "3"},   {"sfer", "3"},  {"loka", "1"}, {"*loka", "1"},
  };
  for (const auto &f : forslag)
    if (!WritePrivateProfileStringA("Default Roller", f[0], f[1], ini.c_str())) return false;
  return true;
}

}  // namespace

bool SaetSkoleMappe(const char *mappe) {
  std::string d = mappe;
  if (d.empty()) return false;
  if (d.back() != '/' && d.back() != '\\') d += '/';
  if (d.size() >= sizeof StiTab.szdata) return false;
  Tekst(StiTab.szdata, d.c_str());
  Tekst(StiTab.szprog, d.c_str());
  InitStiTab();
  version = TAVO_VERSION_NUMBER;
  GlobalIndstillinger.insnr = SKOLE_INSNR;
  InitPeriode(SKOLE_FRADATO, SKOLE_TILDATO, SKOLE_LAASDATO);
  return true;
}

int LavSkoleData(const char *mappe, const SkoleStoerrelse &st, uint64_t seed, std::string *fejl) {
  const std::string rod = mappe;
  // The folder's name must fit the store's paths before anything is made.
  if (!SaetSkoleMappe(mappe)) {
    Fejl(fejl, "mappens navn er for langt");
    return -1;
  }
  for (const char *under : {"/data", "/ini", "/log"}) {
    std::error_code ec;
    std::filesystem::create_directories(rod + under, ec);
    if (ec) {
      Fejl(fejl, "kan ikke oprette mappen " + rod + under + ": " + ec.message());
      return -1;
    }
  }
  // A fresh start: every table with only its placeholder and reserved
  // records, every bucket empty, and no files from an earlier run.
  for (size_t i = 0; i < TabRegisterAntal; ++i) {
    const TabRegEntry &e = TabRegister[i];
    ResetTab(e.pTabDesc, e.pTabVar, 1);
    std::string f = rod + "/data/" + e.Navn + ".DAT";
    unlink(f.c_str());
  }
  TomSkemabeg();
  TomTimoak();
  TomUdplatim();
  TomHontim();
  unlink((rod + "/ini/tavo.ini").c_str());
  unlink((rod + "/ini/Roller.ini").c_str());

  Skole s;
  s.rnd.s = seed;
  s.st = st;
  if (!LavInstitution(s) || !LavRingesystemer(s) || !LavSkolekalender(s) || !LavRoller(s) ||
      !LavMedarbejdere(s) || !LavArbejdstidsprioriteter(s) || !LavArbejdstidsaftaler(s) || !LavLokaler(s) || !LavFag(s) || !LavAktiviteter(s)) {
    Fejl(fejl, "en tabel kunne ikke vokse");
    return -1;
  }
  // Lessons a week per activity so that the teaching weeks of the period
  // hold the wanted rows (about three rows a lesson), at least one.
  const uint64_t uger = 40;
  uint64_t prAkti = st.Skemaraekker / (uger * 3 * s.akti.size());
  if (prAkti < 1) prAkti = 1;
  if (prAkti > DAGE * LEKTIONER / 2) prAkti = DAGE * LEKTIONER / 2;
  LavUgeplan(s, static_cast<uint32_t>(prAkti + (st.Skemaraekker > 1000 ? 1 : 0)));
  if (!LavElevsammenfald(s) || !LavSkemaraekker(s) || !LavTimeposter(s)) {
    Fejl(fejl, "skemaet kunne ikke vokse");
    return -1;
  }
  if (!LavTilmeldinger(s)) {
    Fejl(fejl, "elevtabellerne kunne ikke vokse");
    return -1;
  }
  if (!LavPlangruppe(s)) {
    Fejl(fejl, "fagplanen kunne ikke vokse");
    return -1;
  }
  if (!LavFravaer(s)) {
    Fejl(fejl, "fraværsaktiviteterne kunne ikke vokse");
    return -1;
  }
  if (st.Holdelever && !LavHoldelever(s, seed)) {
    Fejl(fejl, "holdeleverne kunne ikke vokse");
    return -1;
  }

  for (size_t i = 0; i < TabRegisterAntal; ++i) {
    const TabRegEntry &e = TabRegister[i];
    if (SaveTab(e.pTabDesc, e.pTabVar, nullptr) != 0) {
      Fejl(fejl, std::string("kan ikke skrive ") + e.Navn + ".DAT");
      return -1;
    }
  }
  if (SaveSkemabeg() != 0 || SaveTimoak() != 0 || SaveUdplatim() != 0 || SaveHontim() != 0) {
    Fejl(fejl, "kan ikke skrive sidefilerne");
    return -1;
  }
  if (!SkrivIndstillinger()) {
    Fejl(fejl, "kan ikke skrive ini\\tavo.ini");
    return -1;
  }
  if (!SkrivRolleForslag()) {
    Fejl(fejl, "kan ikke skrive ini\\Roller.ini");
    return -1;
  }
  if (!SkrivEpTestFil(rod)) {
    Fejl(fejl, "kan ikke skrive ini\\ep_imp_test.dat");
    return -1;
  }
  return 0;
}

std::string EpSvarAfTabeller() {
  std::string ud;
  auto Id = [](auto *(*recNr)(uint32_t), uint32_t r) { return r != 0 && recNr(r) ? recNr(r)->id : 0u; };
  ud += "@tg\n";
  for (uint32_t r = 1; r < tvtg.wRecCnt; ++r) {
    const TgRec *t = TgRecNr(r);
    if (!ElevTabAktiv(t->Status)) continue;
    EpLinje(ud, "%u;%s;%u;%u;%u;%u;%s;%u;%u;%s", t->id, t->Navn, t->tilmeldingsfradato, t->tilmeldingstildato,
          t->fradato, t->tildato, t->LoebendeOptagstring, t->Minimum1PriLekt, t->Minimum2PriLekt, t->Navn2);
  }
  ud += "@pp\n";
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    const PpRec *p = PpRecNr(r);
    if (ElevTabAktiv(p->Status))
      EpLinje(ud, "%u;%u;%u;%u;%u", p->id, Id(TgRecNr, p->tg_id), p->ugenr, unsigned{p->dag}, p->lektion);
  }
  ud += "@la\n";
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    const LaRec *l = LaRecNr(r);
    if (ElevTabAktiv(l->Status))
      EpLinje(ud, "%u;%u;%s;%u;%u;%u", l->id, Id(TgRecNr, l->tg_id), l->Navn, l->fradato, l->tildato, l->Lektionsantal);
  }
  ud += "@lap\n";
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *l = LapRecNr(r);
    if (ElevTabAktiv(l->Status))
      EpLinje(ud, "%u;%u;%u;%u;%u", l->id, Id(TgRecNr, l->tg_id), Id(LaRecNr, l->la_id), Id(PpRecNr, l->pp_id),
            l->lengde);
  }
  ud += "@elev\n";
  for (uint32_t r = 1; r < tvelev.wRecCnt; ++r) {
    const ElevRec *e = ElevRecNr(r);
    if (ElevTabAktiv(e->Status))
      EpLinje(ud, "%u;%u;%s;%s;%s;%s;%s;%s;%s", e->id, Id(TgRecNr, e->dummy_tg_id), e->Elevnavn, e->Cpr_Nummer, e->Navn,
            e->Navn2, e->Navn3, e->Navn4, e->Navn5);
  }
  ud += "@elti\n";
  for (uint32_t r = 1; r < tvelti.wRecCnt; ++r) {
    const EltiRec *t = EltiRecNr(r);
    if (ElevTabAktiv(t->Status)) EpLinje(ud, "%u;%u", Id(ElevRecNr, t->elev_id), Id(TgRecNr, t->tg_id));
  }
  ud += "@ev\n";
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    const EvRec *e = EvRecNr(r);
    if (ElevTabAktiv(e->Status))
      EpLinje(ud, "%u;%u;%u;%u;%u;%u;%u;%s;%s", e->id, Id(TgRecNr, e->tg_id), Id(ElevRecNr, e->elev_id),
            Id(LaRecNr, e->elevplan_onske_la_id), unsigned{e->prioritet}, e->Gyldig_fra, e->Gyldig_til, e->Accept,
            e->EASYAStatus);
  }
  ud += "@eb\n";
  for (uint32_t r = 1; r < tveb.wRecCnt; ++r) {
    const EbRec *e = EbRecNr(r);
    if (ElevTabAktiv(e->Status))
      EpLinje(ud, "%u;%u;%u;%u;%u", e->id, Id(TgRecNr, e->tg_id), Id(ElevRecNr, e->elev_id), Id(PpRecNr, e->pp_id),
            e->lengde);
  }
  return ud;
}
