// A small school built in memory for the export: a data folder of its own
// named as the command line names it ("C:\...\" with a trailing
// backslash), the tables with their reserved records, events and time
// postings in their buckets, and images of every table and bucket to compare
// a withdrawal with.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../data/pred_tabeller.h"
#include "DATO.h"
#include "EXPORT.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "VINDUER.h"
#include "tavo/test_file.h"
#include "windows.h"

namespace eksporttest {

namespace fs = std::filesystem;
using predtest::Ny;
using predtest::Tekst;

constexpr uint8_t kIns = 7;
constexpr uint8_t kFremmed = 3;

// A row appended at the end of its bucket, so an event's rows stay together.
template <class R>
R *Tilfoej(const TabDesc &td, TabVar *b, uint32_t *pNr = nullptr) {
  b->FoersteLedige = b->wRecCnt;
  const uint32_t n = NewRec(&td, b);
  if (pNr) *pNr = n;
  return n ? reinterpret_cast<R *>(GetRec(&td, b, n)) : nullptr;
}

// Everything the export may touch, as bytes: each registry table's records
// and block flags, the first-free hint of the schedule priorities, and the
// rows and block flags of every week and month of the period.
struct Billede {
  struct Del {
    std::string navn;
    std::vector<uint8_t> data, flag;
  };
  std::vector<Del> dele;
  uint32_t priorLedige = 0;

  static Del Tag(const std::string &navn, const TabDesc *pTd, const TabVar *pTv) {
    Del d{navn, {}, {}};
    if (pTv->pbTab) d.data.assign(pTv->pbTab, pTv->pbTab + size_t(pTv->wRecCnt) * pTd->RecSize);
    if (pTv->pfSave && pTv->wRecCnt) d.flag.assign(pTv->pfSave, pTv->pfSave + pTv->wRecCnt / pTd->RecPrBlok + 1);
    return d;
  }

  static Billede Nu(bool medFlag = true) {
    Billede b;
    for (const TabRegEntry *e = TabRegister; e->Navn; ++e) b.dele.push_back(Tag(e->Navn, e->pTabDesc, e->pTabVar));
    for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i)
      if (TabVar *v = SkemabegBucket(IndeksTilUge(i)))
        b.dele.push_back(Tag("uge " + std::to_string(IndeksTilUge(i)), &tdske, v));
    for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i)
      if (TabVar *v = TimoakBucket(IndeksTilMaaned(i)))
        b.dele.push_back(Tag("maaned " + std::to_string(IndeksTilMaaned(i)), &tdtimoak, v));
    b.priorLedige = tvmedaskeprior.FoersteLedige;
    return medFlag ? b : b.UdenFlag();
  }

  Billede UdenFlag() const {
    Billede b = *this;
    for (Del &d : b.dele) d.flag.clear();
    return b;
  }
};

// The parts that differ, named, for a readable failure.
inline std::vector<std::string> Forskelle(const Billede &a, const Billede &b) {
  std::vector<std::string> v;
  if (a.dele.size() != b.dele.size()) return {"antal dele"};
  for (size_t i = 0; i < a.dele.size(); ++i) {
    if (a.dele[i].data != b.dele[i].data) v.push_back(a.dele[i].navn + " data");
    if (a.dele[i].flag != b.dele[i].flag) v.push_back(a.dele[i].navn + " flag");
  }
  if (a.priorLedige != b.priorLedige) v.push_back("medaskeprior FoersteLedige");
  return v;
}

// Record numbers of the school.
struct Skole {
  uint32_t rolL = 0, rolV = 0, lokrolle = 0, dansk = 0, risy = 0, bem = 0;
  uint32_t k1 = 0, k2 = 0, k3 = 0, k4 = 0, kRes = 0;
  uint32_t a1 = 0, a2 = 0, a3 = 0;
  uint32_t l1 = 0, l2 = 0;
};

// The members are public: the tables of cases build their schools through
// a reference to the fixture.
class EksportSkole : public ::testing::Test {
 public:
  fs::path rod;
  Skole s;

  void SetUp() override {
    std::string skabelon = (fs::temp_directory_path() / "eksportXXXXXX").string();
    ASSERT_NE(mkdtemp(skabelon.data()), nullptr);
    rod = skabelon;
    for (const char *m : {"data", "ini", "log"}) fs::create_directories(rod / m);
    // The data folder as the command line gives it: drive letter,
    // backslashes and a trailing backslash.
    std::string win = "C:" + rod.string() + "/";
    for (char &c : win)
      if (c == '/') c = '\\';
    snprintf(StiTab.szdata, sizeof StiTab.szdata, "%s", win.c_str());
    InitStiTab();
    StandardIndstillinger();
    GlobalIndstillinger.insnr = kIns;
    version = 10413;
    EksportValg = {1, 1, 0, 1, 0, 0};
    SetInitTabFn(InitTab);
    TomAlt();
    InitPeriode(20240801, 20250731, 20240801);
    predtest::TommeTabeller();
  }

  void TearDown() override {
    tavo::test::StopFileFaults();
    GlemEksportMarker();
    TomAlt();
    std::error_code ec;
    fs::remove_all(rod, ec);
  }

  static void TomAlt() {
    predtest::FrigivAlle();
    TomSkemabeg();
    TomTimoak();
    TomUdplatim();
    TomHontim();
    FrigivAktiPrioritetMinde();
    GlobalIndstillinger.supertavo = 0;
    memset(GruppeNavne, 0, sizeof GruppeNavne);
  }

  fs::path Data(const std::string &navn) const { return rod / "data" / navn; }
  bool Findes(const std::string &navn) const { return fs::exists(Data(navn)); }

  std::string LaesFil(const fs::path &p) const {
    std::ifstream i(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  }
  std::string Eksport() const { return LaesFil(Data("exp.dat")); }

  std::string Fixture(const std::string &navn) const {
    return LaesFil(fs::path(TAVO_FIXTURES) / "exchange" / navn);
  }

  void SaetFlag(const char *noegle, const char *vaerdi) const {
    WritePrivateProfileStringA("flag", noegle, vaerdi, StiTab.szini);
  }
  std::string Indstilling(const char *sektion, const char *noegle) const {
    char buf[64];
    GetPrivateProfileStringA(sektion, noegle, "", buf, sizeof buf, StiTab.szini);
    return buf;
  }

  static void GruppeNavn(int art, int n, const char *navn) {
    snprintf(GruppeNavne[art][n], kGruppeNavnLaengde, " %i : %s", n, navn);
  }

  // ---- Master data ----

  void Stamdata() {
    SkemarolRec r{};
    r.id = 301, r.Status = 10, Tekst(r.Rolle, "L");
    s.rolL = Ny(tdskemarol, tvskemarol, r);
    r.id = 302, Tekst(r.Rolle, "V");
    s.rolV = Ny(tdskemarol, tvskemarol, r);
    LokrolleRec lr{};
    lr.id = 401, lr.Status = 10;
    s.lokrolle = Ny(tdlokrolle, tvlokrolle, lr);
    SkfaRec f{};
    f.id = 201, f.Status = 10, Tekst(f.Skolefag, "DA");
    s.dansk = Ny(tdskfa, tvskfa, f);
    RisyRec rs{};
    rs.id = 501, rs.Status = 10;
    s.risy = Ny(tdrisy, tvrisy, rs);
    BemRec b{};
    b.id = 601, b.Status = 10, Tekst(b.Betegnelse, "Husk b\xF8ger");
    s.bem = Ny(tdbem, tvbem, b);

    s.k1 = Akti(1001, 10, "UV", 1u << 6 | 1u << 7);
    s.k2 = Akti(1002, 10, "UV", 1u << 2 | 1u << 6);
    s.k3 = Akti(1003, 31, "HF", 1u << 8);
    s.k4 = Akti(1004, 10, "UV", 0);
    for (uint32_t r = 1; r < tvakti.wRecCnt && !s.kRes; ++r)
      if (IsReservedRec('K', r)) s.kRes = r;
    ASSERT_NE(s.kRes, 0u);

    MedaRec m{};
    m.id = 4001, m.Status = 10, Tekst(m.Initialer, "ABC");
    const uint32_t meda = Ny(tdmeda, tvmeda, m);
    s.a1 = Anfo(2001, meda, 10, 1u << 1 | 1u << 3);
    s.a2 = Anfo(2002, meda, 131, 1u << 2);
    s.a3 = Anfo(2003, meda, 10, 1u << 3);

    s.l1 = Loka(3001, 10, 1u << 1);
    s.l2 = Loka(3002, 31, 0);
  }

  static uint32_t Akti(uint32_t id, uint8_t status, const char *type, uint32_t gruppe) {
    AktiRec a{};
    a.id = id, a.Status = status, a.Gruppe = gruppe;
    Tekst(a.Aktivitet, "hold");
    Tekst(a.Type, type);
    return Ny(tdakti, tvakti, a);
  }
  static uint32_t Anfo(uint32_t id, uint32_t meda, uint8_t status, uint32_t gruppe) {
    AnfoRec a{};
    a.id = id, a.meda_id = meda, a.Status = status, a.Gruppe = gruppe;
    return Ny(tdanfo, tvanfo, a);
  }
  static uint32_t Loka(uint32_t id, uint8_t status, uint32_t gruppe) {
    LokaRec l{};
    l.id = id, l.Status = status, l.Gruppe = gruppe;
    Tekst(l.Lokalenr, "101");
    return Ny(tdloka, tvloka, l);
  }

  // ---- Events and postings ----

  struct Deltager {
    uint32_t akti = 0, anfo = 0, rolle = 0, loka = 0, lokrolle = 0;
    float norm = 0;
  };
  struct Faelles {
    uint32_t id = 0, status = 0x40;
    uint8_t ejer = kIns, fejl = 0, dag = 2, lektion = 3;
    uint32_t skfa = 0, risy = 0, bem = 0, start = 1000, slut = 1045;
    float std = 1;
  };

  // An event of one row per participant; the number of its first row.
  static uint32_t Begivenhed(Uge uge, const Faelles &f, const std::vector<Deltager> &dele) {
    TabVar *b = SkemabegBucket(uge);
    uint32_t forste = 0;
    for (const Deltager &d : dele) {
      uint32_t nr = 0;
      SkeRec *r = Tilfoej<SkeRec>(tdske, b, &nr);
      if (!forste) forste = nr;
      r->id = f.id, r->Status = f.status, r->Ejer = f.ejer, r->Fejl = f.fejl;
      r->akti_id = d.akti, r->anfo_id = d.anfo, r->skemarol_id = d.rolle, r->Minutnorm = d.norm;
      r->loka_id = d.loka, r->lokrolle_id = d.lokrolle;
      r->skfa_id = f.skfa, r->risy_id = f.risy, r->bem_id = f.bem;
      r->Dag = f.dag, r->Lektion = f.lektion, r->Starttid = f.start, r->Sluttid = f.slut;
      r->Antal_std_lektioner = f.std;
      r->Forste = forste;
    }
    return forste;
  }

  static uint32_t Postering(Maaned mnd, uint32_t id, uint8_t status, uint32_t akti, uint32_t anfo,
                            uint8_t dag, int32_t timer, uint8_t ejer = kIns, uint8_t fejl = 0) {
    uint32_t nr = 0;
    TimoakRaekke *t = Tilfoej<TimoakRaekke>(tdtimoak, TimoakBucket(mnd), &nr);
    t->id = id, t->Status = status, t->Type = 'A', t->akti_id = akti, t->anfo_id = anfo;
    t->Dato = mnd * 100 + dag, t->Maaneddag = dag, t->Timer = timer, t->Ejer = ejer, t->Fejl = fejl;
    return nr;
  }

  static SkeRec &Ske(Uge uge, uint32_t nr) {
    return *reinterpret_cast<SkeRec *>(GetRec(&tdske, SkemabegBucket(uge), nr));
  }
  static TimoakRaekke &Tim(Maaned mnd, uint32_t nr) {
    return *reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, TimoakBucket(mnd), nr));
  }
  template <class R>
  static R &Rec(const TabDesc &td, TabVar &tv, uint32_t nr) {
    return *reinterpret_cast<R *>(GetRec(&td, &tv, nr));
  }

  // ---- The school of the expected file ----

  uint32_t p1 = 0, p2 = 0, p3 = 0;

  void HeleSkolen() {
    Stamdata();
    GruppeNavn(GRP_ANFO, 1, "L\xE6rere");
    GruppeNavn(GRP_ANFO, 2, "Tomme");
    GruppeNavn(GRP_ANFO, 3, "Vikarer");
    GruppeNavn(GRP_AKTI, 6, "Hold");
    GruppeNavn(GRP_AKTI, 7, "Valgfag");
    GruppeNavn(GRP_LOKA, 1, "Klasselokaler");

    Faelles f;
    f.skfa = s.dansk, f.risy = s.risy, f.bem = s.bem;
    // A new event of three rows.
    Begivenhed(202437, f,
               {{s.k1}, {0, s.a1, s.rolL, 0, 0, 45.0f}, {0, 0, 0, s.l1, s.lokrolle}});
    // Refused by the central system ('>'), an event deleted here and not
    // sent, one sent, another installation's, one confirmed.
    Faelles g = f;
    g.id = 22, g.fejl = '>';
    Begivenhed(202437, g, {{s.k2}, {0, s.a3, s.rolV, 0, 0, -1.0f}});
    g.id = 33, g.fejl = 0, g.status = 0x48;
    Begivenhed(202437, g, {{s.k1}, {0, 0, 0, s.l1, s.lokrolle}});
    g.id = 44, g.status = 0x50;
    Begivenhed(202437, g, {{s.k2}});
    g.id = 55, g.status = 0x40, g.ejer = kFremmed;
    Begivenhed(202437, g, {{s.k2}});
    g.id = 66, g.status = 0x60, g.ejer = kIns;
    Begivenhed(202437, g, {{s.k1}});
    // A new event placed by time, with no subject, ring system, room or
    // remark.
    Faelles t;
    t.lektion = 0, t.dag = 5, t.start = 1015, t.slut = 1145, t.std = 1.5f;
    Begivenhed(202438, t, {{s.k2}, {0, s.a1, s.rolV, 0, 0, 90.5f}});

    Postering(202409, 0, 0x40, s.k1, s.a1, 15, 250);
    Postering(202409, 0, 0x40, s.k1, s.a1, 16, 125);
    Postering(202409, 77, 0x48, s.k2, s.a3, 17, 100);
    Postering(202409, 78, 0x50, s.k2, s.a3, 18, 100);
    Postering(202410, 0, 0x40, s.k2, s.a1, 1, -50);

    AlrelRec ar{s.k1, s.l1, 10};
    Ny(tdalrel, tvalrel, ar);
    AlrelRec ar2{s.k2, s.l2, 31};
    Ny(tdalrel, tvalrel, ar2);
    SkfalokarelRec sl{s.dansk, s.l1, 10};
    Ny(tdskfalokarel, tvskfalokarel, sl);

    MedaskepriorRec p{};
    p.anfo_id = s.a1, p.Ugedag = 1, p.Starttid = 800, p.Sluttid = 805, p.prioritet = 2, p.Ejer = kIns,
    p.Status = 64;
    p1 = Ny(tdmedaskeprior, tvmedaskeprior, p);
    p.Ejer = kFremmed, p.Ugedag = 3;
    p3 = Ny(tdmedaskeprior, tvmedaskeprior, p);
    p.anfo_id = s.a3, p.Ugedag = 2, p.Starttid = 900, p.Sluttid = 905, p.prioritet = -3, p.Ejer = kIns,
    p.Status = 72;
    p2 = Ny(tdmedaskeprior, tvmedaskeprior, p);

    // Activity priorities: one changed since start-up, one not, a reserved
    // activity's.
    ASSERT_TRUE(SikrAktiPrioritetMinde(tvakti.wRecCnt));
    AktiPrioritetMinde[s.k4] = 1;
    Rec<AktiRec>(tdakti, tvakti, s.k4).Skema_prioritet = 2;
    AktiPrioritetMinde[s.k1] = 3;
    Rec<AktiRec>(tdakti, tvakti, s.k1).Skema_prioritet = 3;
    AktiPrioritetMinde[s.kRes] = 4;

    for (const char *k : {"exportergrupper", "exporteralrel", "exporterskfalokarel", "exportermedaskeprior"})
      SaetFlag(k, "1");
    WritePrivateProfileStringA("global", "hentstam", "ja", StiTab.szini);
  }

  // ---- Saving and loading, as the program does at the end and the start
  // of a run ----

  static void GemAlt() {
    for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
      ASSERT_EQ(SaveTab(e->pTabDesc, e->pTabVar, nullptr), 0) << e->Navn;
    ASSERT_EQ(SaveSkemabeg(), 0);
    ASSERT_EQ(SaveTimoak(), 0);
  }
  static void HentAlt() {
    predtest::FrigivAlle();
    for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
      ASSERT_EQ(LoadTab(e->pTabDesc, e->pTabVar), 0) << e->Navn;
    ASSERT_EQ(LoadSkemabeg(), 0);
    ASSERT_EQ(LoadTimoak(), 0);
  }
  // The school as a freshly started program holds it.
  void GemOgHent() {
    GemAlt();
    HentAlt();
  }
};

}  // namespace eksporttest
