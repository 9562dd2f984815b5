// The school-data maker: the same seed gives the same folder, and what it
// writes loads back through the data store's own loaders as a consistent
// school.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ELEVLISTE.h"
#include "ELEVTAB.h"
#include "EPIMPORT.h"
#include "HENTGEM.h"
#include "FINDREC.h"
#include "RECPRED.h"
#include "INDSTIL.h"
#include "LISTETAL.h"
#include "KATALOG.h"
#include "MEDOPG.h"
#include "MEDPER.h"
#include "OPTAEL.h"
#include "SIDEFIL.h"
#include "SKOLEDATA.h"
#include "SKEMARK.h"
#include "SKEREC.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TALTAB.h"
#include "TAVODATA.h"
#include "tavo/version.h"
#include "windows.h"

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> LaesMappe(const fs::path &rod) {
  std::map<std::string, std::string> filer;
  for (const auto &e : fs::recursive_directory_iterator(rod)) {
    if (!e.is_regular_file()) continue;
    std::ifstream i(e.path(), std::ios::binary);
    filer[fs::relative(e.path(), rod).string()] =
        std::string((std::istreambuf_iterator<char>(i)), std::istreambuf_iterator<char>());
  }
  return filer;
}

class MkdataTest : public ::testing::Test {
 protected:
  fs::path rod;
  SkoleStoerrelse lille{};

  void SetUp() override {
    char skabelon[] = "/tmp/mkdata_test_XXXXXX";
    ASSERT_NE(mkdtemp(skabelon), nullptr);
    rod = skabelon;
    ASSERT_TRUE(SkoleStoerrelseFraNavn("small", &lille));
  }
  void TearDown() override {
    for (size_t i = 0; i < TabRegisterAntal; ++i)
      ResetTab(TabRegister[i].pTabDesc, TabRegister[i].pTabVar, 0);
    TomSkemabeg();
    TomTimoak();
    fs::remove_all(rod);
  }

  fs::path Lav(const char *navn, uint64_t seed) {
    fs::path m = rod / navn;
    std::string fejl;
    EXPECT_EQ(LavSkoleData(m.c_str(), lille, seed, &fejl), 0) << fejl;
    return m;
  }

  static TabVar *Last(const char *navn) {
    const TabDesc *pTd;
    TabVar *pTv;
    if (TabFromName(navn, &pTd, &pTv) != 0) return nullptr;
    return LoadTab(pTd, pTv) == 0 ? pTv : nullptr;
  }
};

TEST(MkdataStoerrelse, KnownNamesOnly) {
  SkoleStoerrelse st{};
  ASSERT_TRUE(SkoleStoerrelseFraNavn("large", &st));
  EXPECT_EQ(st.Aktiviteter, 3000u);
  EXPECT_EQ(st.Medarbejdere, 800u);
  EXPECT_EQ(st.Lokaler, 400u);
  EXPECT_EQ(st.Skemaraekker, 1000000u);
  EXPECT_EQ(st.Timeposter, 300000u);
  for (const char *navn : {"", "Small", "huge", "small "})
    EXPECT_FALSE(SkoleStoerrelseFraNavn(navn, &st)) << navn;
}

TEST_F(MkdataTest, SameSeedGivesTheSameFolderByteForByte) {
  const auto a = LaesMappe(Lav("a", 7));
  const auto b = LaesMappe(Lav("b", 7));
  ASSERT_TRUE(a.count("data/akti.DAT"));
  ASSERT_TRUE(a.count("data/skemabeg.dat"));
  ASSERT_TRUE(a.count("ini/tavo.ini"));
  EXPECT_TRUE(a == b);
  // The settings file is a Windows text file in Windows-1252, as the
  // settings reader takes it.
  const std::string &ini = a.at("ini/tavo.ini");
  EXPECT_NE(ini.find("t\xE6laktibooking=ja\r\n"), std::string::npos);
  EXPECT_EQ(ini.find("\xC3"), std::string::npos);

  // Another seed makes another school.
  const auto c = LaesMappe(Lav("c", 8));
  EXPECT_NE(a.at("data/meda.DAT"), c.at("data/meda.DAT"));
  EXPECT_NE(a.at("data/skemabeg.dat"), c.at("data/skemabeg.dat"));

  // Made again over that other school, the folder is as if made afresh:
  // nothing of the earlier tables or files is left behind.
  EXPECT_TRUE(LaesMappe(Lav("c", 7)) == a);
}

TEST_F(MkdataTest, FolderThatCannotBeMadeIsReportedAndParentsAreMade) {
  // Under a file; and a name too long for the store's paths, which must
  // not be made at all.
  std::ofstream(rod / "fil") << "x";
  const fs::path langt = rod / std::string(100, 'a') / std::string(100, 'b') / std::string(100, 'c');
  for (const fs::path &mappe : {rod / "fil" / "skole", langt}) {
    std::string fejl;
    EXPECT_EQ(LavSkoleData(mappe.c_str(), lille, 1, &fejl), -1) << mappe;
    EXPECT_FALSE(fejl.empty()) << mappe;
  }
  EXPECT_FALSE(fs::exists(rod / std::string(100, 'a')));

  // Missing parent folders are made.
  std::string fejl;
  EXPECT_EQ(LavSkoleData((rod / "ny" / "skole").c_str(), lille, 1, &fejl), 0) << fejl;
  EXPECT_TRUE(fs::exists(rod / "ny" / "skole" / "data" / "akti.DAT"));
}

// Every employment is on an agreement whose calendar has an accounting
// period with a norm around the current date; some teachers carry buffer
// hours or a norm adjustment and some employees registered working time, so
// the hours statement shows a norm, a swing and a result in either form.
TEST_F(MkdataTest, EmploymentsHaveAnAccountToShow) {
  Lav("skole", 3);
  BuildMedPer();
  SaetAktuelDato(20261116);
  static constexpr int32_t kIngen = INT32_MIN;  // nothing written
  struct Konto {
    int32_t tidsreg = kIngen, norm = kIngen, sving = kIngen, normIalt = kIngen, resultat = kIngen;
  };
  auto Regnskab = [](uint32_t anfo) {
    Konto k;
    int32_t x;
    float sums[MEDTAL_SLOTS] = {};
    CalcMedOpg(anfo, sums, &k.tidsreg, &x, &x, &k.norm, &k.sving, &k.normIalt, &x, &x, &x, &k.resultat, nullptr,
               nullptr, nullptr, nullptr);
    return k;
  };
  AllokerTalTab();
  uint32_t alle = 0, medSving = 0, medJust = 0;
  for (uint32_t anfo = 1; anfo < tvanfo.wRecCnt; ++anfo) {
    const auto *a = reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, &tvanfo, anfo));
    if (a->Status != 10) continue;
    ++alle;
    const Konto k = Regnskab(anfo);
    EXPECT_EQ(k.norm, 1924) << anfo;
    EXPECT_NE(k.resultat, kIngen) << anfo;
    medSving += k.sving != 0;
    medJust += k.normIalt != k.norm + k.sving;
  }
  EXPECT_EQ(alle, lille.Medarbejdere);
  EXPECT_GT(medSving, 0u);
  EXPECT_GT(medJust, 0u);

  GlobalIndstillinger.normsystem = 1;
  AllokerTalTab();
  uint32_t medTid = 0;
  for (uint32_t anfo = 1; anfo < tvanfo.wRecCnt; ++anfo) {
    const Konto k = Regnskab(anfo);
    medTid += k.norm > 0 && k.tidsreg > 0 && k.resultat != kIngen;
  }
  GlobalIndstillinger.normsystem = 0;
  EXPECT_GT(medTid, 0u);
  FreeAlleTalTabeller();
  FreeMedPer();
}

TEST_F(MkdataTest, TheSchoolLoadsBackThroughTheStore) {
  const fs::path m = Lav("skole", 3);
  for (size_t i = 0; i < TabRegisterAntal; ++i)
    ResetTab(TabRegister[i].pTabDesc, TabRegister[i].pTabVar, 0);
  TomSkemabeg();
  TomTimoak();
  ASSERT_TRUE(SaetSkoleMappe(m.c_str()));

  // Settings: the reader finds the installation, version and period.
  version = 0;
  LaesIndstillinger();
  EXPECT_EQ(GlobalIndstillinger.insnr, SKOLE_INSNR);
  EXPECT_EQ(version, static_cast<uint32_t>(TAVO_VERSION_NUMBER));
  EXPECT_EQ(GetPrivateProfileIntA("global", "fradato", 0, StiTab.szini), SKOLE_FRADATO);
  EXPECT_EQ(GetPrivateProfileIntA("global", "tildato", 0, StiTab.szini), SKOLE_TILDATO);

  // Record tables: the made records behind record 0 and the reserved ones.
  struct Antal {
    const char *Navn;
    uint32_t Reserverede, Lavede;
  };
  const Antal antal[] = {
      {"akti", 6, lille.Aktiviteter + SKOLE_FRAVAERSAKTIVITETER}, {"meda", 1, lille.Medarbejdere},
      {"anfo", 1, lille.Medarbejdere}, {"ansc", 0, lille.Medarbejdere},
      {"ansk", 0, lille.Medarbejdere}, {"loka", 1, lille.Lokaler},
      {"skfa", 1, lille.Fag},          {"risy", 0, 2},
      {"ins", 0, 1},
  };
  for (const auto &a : antal) {
    const TabVar *pTv = Last(a.Navn);
    ASSERT_NE(pTv, nullptr) << a.Navn;
    EXPECT_EQ(pTv->wRecCnt, 1 + a.Reserverede + a.Lavede) << a.Navn;
  }
  for (const char *navn : {"skemarol", "lokrolle", "skph", "skfalokarel", "aakrel", "bygn"}) {
    const TabVar *pTv = Last(navn);
    ASSERT_NE(pTv, nullptr) << navn;
    EXPECT_GT(pTv->wRecCnt, 1u) << navn;
  }
  TabVar *tvAkti = Last("akti");
  TabVar *tvAnfo = Last("anfo");
  TabVar *tvMeda = Last("meda");
  TabVar *tvLoka = Last("loka");
  TabVar *tvRisy = Last("risy");
  TabVar *tvSkfa = Last("skfa");
  ASSERT_TRUE(tvAkti && tvAnfo && tvMeda && tvLoka && tvRisy && tvSkfa);
  uint32_t reserveret = RESERVERET_ID_OMSORG;
  EXPECT_NE(FindRec(&tdakti, tvAkti, &reserveret, KLASSE_AKTUEL), 0u);

  // References hold record numbers of live records; keys are unique.
  std::set<std::string> initialer;
  for (uint32_t r = 1; r < tvAnfo->wRecCnt; ++r) {
    const auto *a = reinterpret_cast<const AnfoRec *>(GetRec(&tdanfo, tvAnfo, r));
    EXPECT_TRUE(GyldigRef(tvMeda, a->meda_id)) << r;
    EXPECT_LE(+a->Fradato, +a->Tildato);
  }
  for (uint32_t r = 1; r < tvMeda->wRecCnt; ++r) {
    const auto *md = reinterpret_cast<const MedaRec *>(GetRec(&tdmeda, tvMeda, r));
    EXPECT_TRUE(initialer.insert(std::string(md->Initialer, strnlen(md->Initialer, 5))).second)
        << md->Initialer;
  }
  for (uint32_t r = 1; r < tvAkti->wRecCnt; ++r) {
    const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, tvAkti, r));
    if (a->id >= RESERVERET_ID_MIN) continue;
    EXPECT_TRUE(GyldigRef(tvRisy, a->risy_id)) << a->Aktivitet;
  }

  // Event rows: each event a run of rows in its week, the first holding its
  // own number, one activity row, at least one teacher row.
  ASSERT_EQ(LoadSkemabeg(), 0);
  uint32_t raekker = 0, begivenheder = 0;
  for (UgeIndeks ui = 1; ui <= SkemaPeriode.AntalUger; ++ui) {
    const TabVar *pTv = SkemabegBucket(IndeksTilUge(ui));
    ASSERT_NE(pTv, nullptr);
    for (uint32_t r = 1; r < pTv->wRecCnt;) {
      const auto *f = reinterpret_cast<const SkeRec *>(pTv->pbTab) + r;
      ASSERT_EQ(+f->Forste, r);
      ++begivenheder;
      uint32_t akti = 0, anfo = 0;
      uint32_t n = r;
      for (; n < pTv->wRecCnt; ++n) {
        const auto *x = reinterpret_cast<const SkeRec *>(pTv->pbTab) + n;
        if (x->Forste != r) break;
        EXPECT_EQ(+x->id, +f->id);
        EXPECT_TRUE(SkeRaekkeLever(+x->Status));
        EXPECT_GE(+x->Dag, 1);
        EXPECT_LE(+x->Dag, 5);
        EXPECT_LT(+x->Starttid, +x->Sluttid);
        if (x->akti_id) {
          ++akti;
          EXPECT_TRUE(GyldigRef(tvAkti, +x->akti_id));
        }
        if (x->anfo_id) {
          ++anfo;
          EXPECT_TRUE(GyldigRef(tvAnfo, +x->anfo_id));
        }
        if (x->loka_id) {
          EXPECT_TRUE(GyldigRef(tvLoka, x->loka_id));
        }
        if (x->skfa_id) {
          EXPECT_TRUE(GyldigRef(tvSkfa, x->skfa_id));
        }
      }
      EXPECT_EQ(akti, 1u);
      EXPECT_GE(anfo, 1u);
      raekker += n - r;
      r = n;
    }
  }
  EXPECT_EQ(raekker, lille.Skemaraekker);
  EXPECT_GT(begivenheder, 0u);

  // Postings: in the bucket of their own month, on the day they name.
  ASSERT_EQ(LoadTimoak(), 0);
  uint32_t poster = 0, fravaer = 0;
  for (MaanedIndeks mi = 1; mi <= SkemaPeriode.AntalMaaneder; ++mi) {
    const Maaned maaned = IndeksTilMaaned(mi);
    const TabVar *pTv = TimoakBucket(maaned);
    ASSERT_NE(pTv, nullptr);
    for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
      const auto *p = reinterpret_cast<const TimoakRaekke *>(pTv->pbTab) + r;
      EXPECT_EQ(+p->Dato / 100, maaned);
      EXPECT_EQ(+p->Dato % 100, +p->Maaneddag);
      EXPECT_TRUE(GyldigRef(tvAkti, +p->akti_id));
      EXPECT_TRUE(GyldigRef(tvAnfo, +p->anfo_id));
      const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, tvAkti, p->akti_id));
      if (std::string(a->Type, strnlen(a->Type, sizeof a->Type)) == "OVAK")
        ++fravaer;
      else
        ++poster;
    }
  }
  EXPECT_EQ(poster, lille.Timeposter);
  EXPECT_GT(fravaer, 0u);

  // The plan: two groups, live and this installation's own, four plan
  // periods each; rows of the stored kinds on live activities and
  // employments, no two alike; their weeks inside the period and their
  // weeks and periods naming live rows, periods of the row's group.
  TabVar *tvPg = Last("ffpg");
  TabVar *tvPp = Last("ffpp");
  TabVar *tvGr = Last("ffgrund");
  TabVar *tvTt = Last("fftaltab");
  TabVar *tvPt = Last("ffpertab");
  TabVar *tvRel = Last("ffpgrel");
  ASSERT_TRUE(tvPg && tvPp && tvGr && tvTt && tvPt && tvRel);
  ASSERT_EQ(tvPg->wRecCnt, 3u);
  for (uint32_t g = 1; g < tvPg->wRecCnt; ++g) {
    const auto *pg = reinterpret_cast<const FfpgRec *>(GetRec(&tdffpg, tvPg, g));
    EXPECT_EQ(+pg->Ejer, SKOLE_INSNR);
    EXPECT_EQ(pg->Status & 0x48, 0x40);
    uint32_t perioder = 0;
    for (uint32_t r = 1; r < tvPp->wRecCnt; ++r) {
      const auto *p = reinterpret_cast<const FfppRec *>(GetRec(&tdffpp, tvPp, r));
      if (p->ffpg_id != g) continue;
      ++perioder;
      EXPECT_GE(UgeDagTilDato(+p->Frauge, 7), +pg->Fradato) << r;
      EXPECT_LE(UgeDagTilDato(+p->Tiluge, 1), +pg->Tildato) << r;
    }
    EXPECT_EQ(perioder, 4u) << g;
  }
  auto Medlem = [&](uint32_t g, uint32_t akti, uint32_t anfo) {
    for (uint32_t r = 1; r < tvRel->wRecCnt; ++r) {
      const auto *m = reinterpret_cast<const FfpgrelRec *>(GetRec(&tdffpgrel, tvRel, r));
      if ((m->Status & 0x48) == 0x40 && m->Plangruppe_id == g && (akti ? m->akti_id == akti : m->anfo_id == anfo))
        return true;
    }
    return false;
  };
  std::set<std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t>> planRaekker;
  std::map<uint32_t, uint32_t> arter;
  ASSERT_GT(tvGr->wRecCnt, 1u);
  for (uint32_t r = 1; r < tvGr->wRecCnt; ++r) {
    const auto *g = reinterpret_cast<const FfgrundRec *>(GetRec(&tdffgrund, tvGr, r));
    EXPECT_EQ(g->Status & 0x48, 0x40) << r;
    EXPECT_TRUE(GyldigRef(tvPg, +g->ffpg_id)) << r;
    const uint32_t art = g->ObjType;
    ++arter[art];
    EXPECT_TRUE(art == 1u || art == 2u || art == 9u || art == 13u || art == 14u) << r;
    if (art != 9) {
      EXPECT_TRUE(GyldigRef(tvAkti, +g->Aktivitet)) << r;
      EXPECT_TRUE(Medlem(g->ffpg_id, g->Aktivitet, 0)) << r;
    }
    if (art == 2 || art == 9 || art == 14) {
      EXPECT_TRUE(GyldigRef(tvAnfo, +g->Medarbejder1)) << r;
      EXPECT_TRUE(Medlem(g->ffpg_id, 0, g->Medarbejder1)) << r;
    }
    if (g->Medarbejder2) {
      EXPECT_TRUE(GyldigRef(tvAnfo, +g->Medarbejder2)) << r;
    }
    EXPECT_TRUE(planRaekker.insert({+g->ffpg_id, +g->Aktivitet, +g->Skolefag, +g->Medarbejder1, +g->Medarbejder2, +g->Dublet})
                    .second)
        << r;
  }
  for (uint32_t art : {1u, 2u, 9u, 13u, 14u}) EXPECT_GT(arter[art], 0u) << art;
  ASSERT_GT(tvTt->wRecCnt, tvGr->wRecCnt);
  std::set<std::pair<uint32_t, uint32_t>> uger;
  for (uint32_t r = 1; r < tvTt->wRecCnt; ++r) {
    const auto *t = reinterpret_cast<const FftaltabRec *>(GetRec(&tdfftaltab, tvTt, r));
    ASSERT_TRUE(GyldigRef(tvGr, +t->ffgrund_id)) << r;
    const auto *g = reinterpret_cast<const FfgrundRec *>(GetRec(&tdffgrund, tvGr, t->ffgrund_id));
    EXPECT_EQ(g->Status & 0x48, 0x40) << r;
    EXPECT_TRUE(g->ObjType == 2u || g->ObjType == 14u) << r;
    EXPECT_GE(+t->Uge, IndeksTilUge(1)) << r;
    EXPECT_LE(+t->Uge, IndeksTilUge(SkemaPeriode.AntalUger)) << r;
    EXPECT_EQ(t->Lektioner % 10, 0u) << r;
    EXPECT_TRUE(uger.insert({+t->ffgrund_id, +t->Uge}).second) << r;
  }
  ASSERT_GT(tvPt->wRecCnt, 1u);
  std::set<std::pair<uint32_t, uint32_t>> perioder;
  for (uint32_t r = 1; r < tvPt->wRecCnt; ++r) {
    const auto *p = reinterpret_cast<const FfpertabRec *>(GetRec(&tdffpertab, tvPt, r));
    ASSERT_TRUE(GyldigRef(tvGr, +p->ffgrund_id)) << r;
    ASSERT_TRUE(GyldigRef(tvPp, +p->ffpp_id)) << r;
    const auto *g = reinterpret_cast<const FfgrundRec *>(GetRec(&tdffgrund, tvGr, p->ffgrund_id));
    const auto *pp = reinterpret_cast<const FfppRec *>(GetRec(&tdffpp, tvPp, p->ffpp_id));
    EXPECT_EQ(+pp->ffpg_id, +g->ffpg_id) << r;
    EXPECT_TRUE(perioder.insert({+p->ffgrund_id, +p->ffpp_id}).second) << r;
  }
}

// The figures the master-data window shows for an activity (its student
// and teacher lessons over its budget period) agree with a plain count of
// the activity's events: one lesson each, once per teacher for the teacher
// lessons.
TEST_F(MkdataTest, ActivityFiguresAgreeWithItsEvents) {
  Lav("skole", 3);
  SaetAktuelDato(20261116);
  AllokerTalTab();
  std::map<uint32_t, std::pair<int64_t, int64_t>> talt;  // activity: student, teacher lessons
  for (UgeIndeks ui = 1; ui <= SkemaPeriode.AntalUger; ++ui) {
    const TabVar *pTv = SkemabegBucket(IndeksTilUge(ui));
    ASSERT_NE(pTv, nullptr);
    const auto *rk = reinterpret_cast<const SkeRec *>(pTv->pbTab);
    for (uint32_t r = 1; r < pTv->wRecCnt;) {
      uint32_t akti = 0, laerere = 0, n = r;
      for (; n < pTv->wRecCnt && rk[n].Forste == r; ++n) {
        if (rk[n].akti_id) akti = rk[n].akti_id;
        if (rk[n].anfo_id) ++laerere;
      }
      if (akti && laerere) {
        talt[akti].first += 1000;
        talt[akti].second += 1000 * int64_t{laerere};
      }
      r = n;
    }
  }
  uint32_t vist = 0;
  for (uint32_t akti = 1; akti < tvakti.wRecCnt; ++akti) {
    const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, akti));
    if (a->id >= RESERVERET_ID_MIN || a->Status < 10 || a->Status > 29) continue;
    if (std::string(a->Type, strnlen(a->Type, sizeof a->Type)) == "OVAK") continue;
    int32_t elev = 0, laerer = 0;
    float timer = 0;
    AktiPeriodeTal(0, akti, nullptr, &timer, &laerer, &elev, TALPER_IALT);
    EXPECT_EQ(elev, talt[akti].first) << a->Aktivitet;
    EXPECT_EQ(laerer, talt[akti].second) << a->Aktivitet;
    if (talt[akti].first) { EXPECT_GT(timer, 0.0f) << a->Aktivitet; }
    vist += elev > 0;
  }
  EXPECT_GT(vist, 0u);
  FreeAlleTalTabeller();
}

// What the schedule asks of the school: live ring systems and subject links,
// a school-day calendar on every activity that is open on the teaching days
// and closed in the holidays, and student-overlap pairs between teams of
// one education that the made week never places at the same time.
TEST_F(MkdataTest, TheSchoolCanBeScheduled) {
  const fs::path m = Lav("skole", 3);
  for (size_t i = 0; i < TabRegisterAntal; ++i)
    ResetTab(TabRegister[i].pTabDesc, TabRegister[i].pTabVar, 0);
  TomSkemabeg();
  ASSERT_TRUE(SaetSkoleMappe(m.c_str()));
  for (const char *navn : {"akti", "risy", "skph", "skka", "kdagrel", "kaldag", "elvrel2"})
    ASSERT_NE(Last(navn), nullptr) << navn;
  ASSERT_EQ(LoadSkemabeg(), 0);

  for (uint32_t r = 1; r < tvrisy.wRecCnt; ++r) EXPECT_EQ(+TabRec<RisyRec>(tvrisy, r)->Status, 10) << r;
  // Every record the school holds counts as live, so that the lists and
  // grids show it; and ini\Roller.ini names a live role for each of the
  // fifteen proposals, so that placing is not refused for a missing one.
  for (size_t i = 0; i < TabRegisterAntal; ++i) {
    const TabRegEntry &e = TabRegister[i];
    if (LoadTab(e.pTabDesc, e.pTabVar) != 0) continue;
    for (uint32_t r = 1; r < e.pTabVar->wRecCnt; ++r) {
      const uint8_t *rec = GetRec(e.pTabDesc, e.pTabVar, r);
      uint32_t id;
      std::memcpy(&id, rec, sizeof id);
      if (id >= RESERVERET_ID_MIN) continue;  // the store's own reserved records
      const uint8_t st = RecStatus(e.pTabDesc, rec);
      EXPECT_TRUE(st == 0 || AktivStatus(st)) << e.Navn << " " << r << " status " << +st;
    }
  }
  const std::string roller = (m / "ini" / "Roller.ini").string();
  for (const char *noegle : {"anfo", "xanfo", "*anfo", "ovak", "*ovak", "dag", "oms", "afsp", "syg", "vikar", "akko",
                             "fer", "sfer", "loka", "*loka"}) {
    const bool lokale = std::string(noegle).find("loka") != std::string::npos;
    const uint32_t id = GetPrivateProfileIntA("Default Roller", noegle, 0, roller.c_str());
    bool fundet = false;
    const TabVar &tv = lokale ? tvlokrolle : tvskemarol;
    for (uint32_t r = 1; r < tv.wRecCnt; ++r) {
      const uint8_t st = lokale ? TabRec<LokrolleRec>(tv, r)->Status : TabRec<SkemarolRec>(tv, r)->Status;
      const uint32_t rid = lokale ? TabRec<LokrolleRec>(tv, r)->id : TabRec<SkemarolRec>(tv, r)->id;
      fundet |= id && rid == id && st >= 10 && st <= 29;
    }
    EXPECT_TRUE(fundet) << noegle << " " << id;
  }
  ASSERT_GT(tvskph.wRecCnt, 1u);
  for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) {
    const uint8_t st = TabRec<SkphRec>(tvskph, r)->Status;
    EXPECT_TRUE(st >= 10 && st <= 29) << r;
  }

  // Every made activity names the calendar.
  uint32_t skka = 0;
  for (uint32_t r = 1; r < tvakti.wRecCnt; ++r) {
    const AktiRec *a = TabRec<AktiRec>(tvakti, r);
    if (a->id >= RESERVERET_ID_MIN) continue;
    if (!skka) skka = a->skka_id;
    EXPECT_EQ(+a->skka_id, skka) << r;
  }
  ASSERT_TRUE(GyldigRef(&tvskka, skka));
  const struct {
    Dato dato;
    uint8_t skoledag;
    const char *hvad;
  } dage[] = {
      {20260810, 0, "the last day of the summer holiday"},
      {20260811, 1, "the first school day"},
      {20260901, 1, "a Tuesday"},
      {20260905, 0, "a Saturday"},
      {20261014, 0, "autumn holiday, week 42"},
      {20261224, 0, "Christmas, week 52"},
      {20261230, 0, "week 53"},
      {20270106, 0, "week 1"},
      {20270217, 0, "winter holiday, week 7"},
      {20270325, 0, "Maundy Thursday"},
      {20270506, 0, "Ascension Day"},
      {20270518, 1, "the Tuesday after Whit Monday"},
      {20270625, 1, "the last school day"},
      {20270715, 0, "summer holiday"},
  };
  for (const auto &d : dage) EXPECT_EQ(IsSkoledag(d.dato, skka), d.skoledag) << d.dato << " " << d.hvad;

  // Events fall on school days only; the times of each activity per day
  // are gathered for the pairs below.
  std::map<std::pair<uint32_t, Dato>, std::vector<std::pair<uint32_t, uint32_t>>> tider;
  for (UgeIndeks ui = 1; ui <= SkemaPeriode.AntalUger; ++ui) {
    const Uge uge = IndeksTilUge(ui);
    const TabVar *pTv = SkemabegBucket(uge);
    for (uint32_t r = 1; pTv && r < pTv->wRecCnt; ++r) {
      const auto *x = reinterpret_cast<const SkeRec *>(pTv->pbTab) + r;
      if (!x->akti_id) continue;
      const Dato dato = UgeDagTilDato(uge, x->Dag);
      EXPECT_EQ(IsSkoledag(dato, skka), 1) << dato;
      tider[{+x->akti_id, dato}].emplace_back(+x->Starttid, +x->Sluttid);
    }
  }

  // The pairs: teams of one education ("GF1-TØM-0001"), each named once
  // and in the order of their ids, at most two partners each.
  auto Uddannelse = [](uint32_t akti) {
    const AktiRec *a = TabRec<AktiRec>(tvakti, akti);
    const std::string navn(a->Aktivitet, strnlen(a->Aktivitet, sizeof a->Aktivitet));
    const size_t p = navn.find('-');
    return navn.substr(p + 1, navn.rfind('-') - p - 1);
  };
  std::map<uint32_t, uint32_t> partnere;
  std::set<std::pair<uint32_t, uint32_t>> par;
  ASSERT_GT(tvelvrel2.wRecCnt, 1u);
  for (uint32_t r = 1; r < tvelvrel2.wRecCnt; ++r) {
    const Elvrel2Rec *e = TabRec<Elvrel2Rec>(tvelvrel2, r);
    const uint32_t a = e->akti1_id, b = e->akti2_id;
    ASSERT_TRUE(GyldigRef(&tvakti, a) && GyldigRef(&tvakti, b)) << r;
    EXPECT_EQ(+e->Status, 10);
    EXPECT_EQ(+e->Startdato, SKOLE_FRADATO);
    EXPECT_EQ(+e->Slutdato, SKOLE_TILDATO);
    EXPECT_LT(+TabRec<AktiRec>(tvakti, a)->id, +TabRec<AktiRec>(tvakti, b)->id);
    EXPECT_TRUE(IsHoldAkti(a) && IsHoldAkti(b)) << r;
    EXPECT_EQ(Uddannelse(a), Uddannelse(b)) << r;
    EXPECT_TRUE(par.insert({a, b}).second) << r;
    ++partnere[a];
    ++partnere[b];
    for (const auto &[noegle, ta] : tider) {
      if (noegle.first != a) continue;
      const auto it = tider.find({b, noegle.second});
      if (it == tider.end()) continue;
      for (const auto &[sa, ea] : ta)
        for (const auto &[sb, eb] : it->second) EXPECT_FALSE(sa < eb && sb < ea) << noegle.second;
    }
  }
  uint32_t hold = 0;
  for (uint32_t r = 1; r < tvakti.wRecCnt; ++r)
    hold += IsHoldAkti(r) && TabRec<AktiRec>(tvakti, r)->id < RESERVERET_ID_MIN;
  for (const auto &[a, n] : partnere) EXPECT_LE(n, 2u) << a;
  // About two partners for a team: most teams have one.
  EXPECT_GE(partnere.size() * 3, hold * 2) << partnere.size() << " of " << hold;
}

}  // namespace

namespace {

// The teams' students, read back: every record live with references that
// hold, each team's students as its start and end counts say, placed on
// the team and on each of its subjects within its dates, bar the one
// course that runs past the end of every fiftieth team.
TEST_F(MkdataTest, TeamStudentsFollowTheTeamsCounts) {
  SkoleStoerrelse st = lille;
  SkoleStoerrelse mellem{};
  ASSERT_TRUE(SkoleStoerrelseFraNavn("medium", &mellem));
  EXPECT_TRUE(mellem.Holdelever);
  EXPECT_FALSE(lille.Holdelever);
  st.Aktiviteter = 60;
  st.Holdelever = true;
  const fs::path m = rod / "hold";
  std::string fejl;
  ASSERT_EQ(LavSkoleData(m.c_str(), st, 3, &fejl), 0) << fejl;
  for (size_t i = 0; i < TabRegisterAntal; ++i)
    ResetTab(TabRegister[i].pTabDesc, TabRegister[i].pTabVar, 0);
  ASSERT_TRUE(SaetSkoleMappe(m.c_str()));
  for (const char *navn : {"akti", "skph", "pers", "akpl", "epsh", "fagelv"}) {
    const TabVar *pTv = Last(navn);
    ASSERT_NE(pTv, nullptr) << navn;
    const TabDesc *pTd;
    TabVar *tv;
    ASSERT_EQ(TabFromName(navn, &pTd, &tv), 0);
    tv->fSorter = 1;  // as the load of all tables leaves them
    if (strcmp(navn, "akti") == 0 || strcmp(navn, "skph") == 0) continue;
    for (uint32_t r = 1; r < pTv->wRecCnt; ++r) ASSERT_EQ(RecStatus(pTd, GetRec(pTd, pTv, r)), 10) << navn << " " << r;
  }
  ASSERT_GT(tvepsh.wRecCnt, 100u);
  std::map<uint32_t, uint32_t> holdElever, heleTiden, fagPrHold;
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> fagElever, fagInden;
  for (uint32_t r = 1; r < tvskph.wRecCnt; ++r) ++fagPrHold[+reinterpret_cast<const SkphRec *>(GetRec(&tdskph, &tvskph, r))->akti_id];
  std::map<uint32_t, std::vector<uint32_t>> personer;  // person -> teams
  for (uint32_t r = 1; r < tvakpl.wRecCnt; ++r) {
    const auto *k = reinterpret_cast<const AkplRec *>(GetRec(&tdakpl, &tvakpl, r));
    ASSERT_TRUE(GyldigRef(&tvpers, k->pers_id));
    ASSERT_TRUE(GyldigRef(&tvakti, k->akti_id));
    personer[+k->pers_id].push_back(+k->akti_id);
    const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, k->akti_id));
    EXPECT_EQ(+k->Startdato, +a->Fradato);
    EXPECT_LE(+k->Slutdato, +a->Tildato);
    EXPECT_GT(+k->Slutdato, +k->Startdato);
    ++holdElever[+k->akti_id];
    heleTiden[+k->akti_id] += k->Slutdato == a->Tildato;
  }
  EXPECT_EQ(personer.size(), tvpers.wRecCnt - 1u);
  // A student is on one team or on the two of one fagelv pair, and each
  // pair's count is the students its teams share.
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> delt, faelles;
  for (const auto &[p, hold] : personer) {
    ASSERT_LE(hold.size(), 2u) << p;
    if (hold.size() == 2) ++delt[{std::min(hold[0], hold[1]), std::max(hold[0], hold[1])}];
  }
  for (uint32_t r = 1; r < tvfagelv.wRecCnt; ++r) {
    const auto *f = reinterpret_cast<const FagelvRec *>(GetRec(&tdfagelv, &tvfagelv, r));
    const uint32_t a = f->akti1_id, b = f->akti2_id;
    if (f->Faelles_Elever) faelles[{std::min(a, b), std::max(a, b)}] = f->Faelles_Elever;
  }
  EXPECT_FALSE(delt.empty());
  EXPECT_EQ(delt, faelles);
  uint32_t udenfor = 0;
  for (uint32_t r = 1; r < tvepsh.wRecCnt; ++r) {
    const auto *e = reinterpret_cast<const EpshRec *>(GetRec(&tdepsh, &tvepsh, r));
    ASSERT_TRUE(GyldigRef(&tvpers, e->pers_id));
    ASSERT_NE(FindParRec(&tdskph, &tvskph, e->akti_id, e->skfa_id), 0u);
    const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, e->akti_id));
    const bool inden = e->Startdato >= a->Fradato && e->Slutdato <= a->Tildato;
    udenfor += !inden;
    ++fagElever[{+e->akti_id, +e->skfa_id}];
    fagInden[{+e->akti_id, +e->skfa_id}] += inden;
  }
  EXPECT_GT(udenfor, 0u);
  for (uint32_t r = 1; r < tvakti.wRecCnt; ++r) {
    const auto *a = reinterpret_cast<const AktiRec *>(GetRec(&tdakti, &tvakti, r));
    if (a->StartElever == 0) continue;
    EXPECT_EQ(holdElever[r], +a->StartElever) << r;
    EXPECT_EQ(heleTiden[r], std::min(+a->SlutElever, +a->StartElever)) << r;
  }
  for (const auto &[noegle, n] : fagElever) {
    EXPECT_EQ(n, holdElever[noegle.first]);
    EXPECT_GE(fagInden[noegle], n - 1);
  }
  uint32_t fag = 0;
  for (const auto &[akti, n] : holdElever) fag += n * fagPrHold[akti];
  EXPECT_EQ(fag, tvepsh.wRecCnt - 1u);
}

// The enrolment planning's tables at the large size: a group big enough to
// measure the planning on, read back through the store's loader.
TEST_F(MkdataTest, ElevTabellerLargeSchoolLoadsLive) {
  SkoleStoerrelse st = lille;
  SkoleStoerrelse stor{};
  ASSERT_TRUE(SkoleStoerrelseFraNavn("large", &stor));
  // The schedule and postings are not what is measured here.
  st.Tilmeldingsgrupper = stor.Tilmeldingsgrupper;
  st.Elever = stor.Elever;
  st.LaeringsAkt = stor.LaeringsAkt;
  st.Slots = stor.Slots;
  st.OenskerPrElev = stor.OenskerPrElev;
  const fs::path m = rod / "stor";
  std::string fejl;
  ASSERT_EQ(LavSkoleData(m.c_str(), st, 5, &fejl), 0) << fejl;
  for (size_t i = 0; i < TabRegisterAntal; ++i)
    ResetTab(TabRegister[i].pTabDesc, TabRegister[i].pTabVar, 0);
  ASSERT_TRUE(SaetSkoleMappe(m.c_str()));
  for (const char *navn : {"tg", "pp", "la", "lap", "elev", "elti", "ev", "eb"}) {
    const TabVar *pTv = Last(navn);
    ASSERT_NE(pTv, nullptr) << navn;
    const TabDesc *pTd;
    TabVar *tv;
    ASSERT_EQ(TabFromName(navn, &pTd, &tv), 0);
    tv->fSorter = 1;  // as the load of all tables leaves them
    // Every record behind record 0 is live.
    ASSERT_GT(pTv->wRecCnt, 1u) << navn;
    for (uint32_t r = 1; r < pTv->wRecCnt; ++r)
      ASSERT_TRUE(ElevTabAktiv(RecStatus(pTd, GetRec(pTd, pTv, r)))) << navn << " " << r;
  }

  // Per group: students (by enrolment), activities, slots.
  std::map<uint32_t, uint32_t> elever, aktiviteter, slots;
  std::map<uint32_t, std::vector<uint32_t>> slotOrden;
  std::set<char> arter;
  for (uint32_t g = 1; g < tvtg.wRecCnt; ++g) {
    EXPECT_GT(+TgRecNr(g)->id, 10u);
    arter.insert(+TgRecNr(g)->UgeLektionsGruppe);
  }
  EXPECT_EQ(arter, (std::set<char>{'L', 'U'}));
  for (uint32_t r = 1; r < tvelti.wRecCnt; ++r) {
    const EltiRec *e = EltiRecNr(r);
    ASSERT_TRUE(GyldigRef(&tvtg, e->tg_id));
    ASSERT_TRUE(GyldigRef(&tvelev, e->elev_id));
    ++elever[+e->tg_id];
  }
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    ASSERT_TRUE(GyldigRef(&tvtg, PpRecNr(r)->tg_id));
    ++slots[+PpRecNr(r)->tg_id];
    slotOrden[+PpRecNr(r)->tg_id].push_back(r);
  }
  uint32_t dubletter = 0;
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    const LaRec *l = LaRecNr(r);
    ASSERT_TRUE(GyldigRef(&tvtg, l->tg_id));
    ++aktiviteter[+l->tg_id];
    if (l->kopi_id == 0) continue;
    // A duplicate: own id, named after its head in the same group.
    ++dubletter;
    EXPECT_GE(+l->id, EGNE_ID_START);
    EXPECT_GE(+l->dubletnr, 2u);
    const uint32_t h = FindElevRec(&tdla, &tvla, l->kopi_id);
    ASSERT_NE(h, 0u);
    EXPECT_EQ(+LaRecNr(h)->tg_id, +l->tg_id);
    EXPECT_EQ(std::string(l->Navn), std::string(LaRecNr(h)->Navn) + " #" + std::to_string(l->dubletnr));
    EXPECT_EQ(+l->onske_prio_1, +LaRecNr(h)->onske_prio_1);
  }
  EXPECT_GT(dubletter, 0u);
  uint32_t stoerst = 0;
  for (const auto &[g, n] : elever)
    if (n > elever[stoerst]) stoerst = g;
  EXPECT_GE(elever[stoerst], 1000u);
  EXPECT_GE(aktiviteter[stoerst], 150u);
  EXPECT_GE(slots[stoerst], 40u);

  // Placements: blocks of slots of their own group that end within the
  // group's slots; some bar a slot instead.
  uint32_t blokerede = 0;
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *l = LapRecNr(r);
    ASSERT_TRUE(GyldigRef(&tvla, l->la_id));
    ASSERT_TRUE(GyldigRef(&tvpp, l->pp_id));
    EXPECT_EQ(+LaRecNr(l->la_id)->tg_id, +l->tg_id);
    const auto &orden = slotOrden[+l->tg_id];
    const auto pos = std::find(orden.begin(), orden.end(), +l->pp_id) - orden.begin();
    ASSERT_LT(static_cast<size_t>(pos), orden.size());
    EXPECT_LE(pos + l->lengde, orden.size());
    if (l->blokering) ++blokerede;
  }
  EXPECT_GT(blokerede, 0u);

  // Wishes of both priorities for activities of the student's group.
  uint32_t prio[3] = {};
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    const EvRec *e = EvRecNr(r);
    ASSERT_TRUE(GyldigRef(&tvelev, e->elev_id));
    ASSERT_TRUE(GyldigRef(&tvla, e->elevplan_onske_la_id));
    EXPECT_EQ(+LaRecNr(e->elevplan_onske_la_id)->tg_id, +e->tg_id);
    ASSERT_TRUE(e->prioritet == 1 || e->prioritet == 2);
    ++prio[e->prioritet];
  }
  EXPECT_GE(tvev.wRecCnt - 1, 50000u);
  EXPECT_GT(prio[1], 0u);
  EXPECT_GT(prio[2], 0u);
  for (uint32_t r = 1; r < tveb.wRecCnt; ++r) {
    ASSERT_TRUE(GyldigRef(&tvpp, EbRecNr(r)->pp_id));
    EXPECT_EQ(+PpRecNr(EbRecNr(r)->pp_id)->tg_id, +EbRecNr(r)->tg_id);
  }
  // Ids are unique: each is found as its own record.
  for (uint32_t r = 1; r < tvev.wRecCnt; r += 97) EXPECT_EQ(FindElevRec(&tdev, &tvev, EvRecNr(r)->id), r);
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) EXPECT_EQ(FindElevRec(&tdpp, &tvpp, PpRecNr(r)->id), r);
}

}  // namespace

namespace {

// The Elevplan test file of every made folder gives an installation without
// enrolment groups its three test groups, so that the planning window opens.
TEST_F(MkdataTest, TheElevplanTestFileGivesAnEmptyInstallationItsTestGroups) {
  const fs::path m = Lav("a", 1);
  EXPECT_EQ(LaesMappe(m).at("ini/ep_imp_test.dat"), LaesMappe(Lav("b", 2)).at("ini/ep_imp_test.dat"));
  ASSERT_TRUE(SaetSkoleMappe(m.c_str()));
  for (const char *navn : {"tg", "pp", "la", "lap", "elev", "elti", "ev", "eb"}) {
    const TabDesc *pTd;
    TabVar *pTv;
    ASSERT_EQ(TabFromName(navn, &pTd, &pTv), 0);
    ResetTab(pTd, pTv, 1);
  }
  VenteDialogLukPause = 0;
  ImportElevplanTest();
  EXPECT_EQ(LaesMappe(m).at("log/EP_IMPORT.LOG"), "");

  struct Gruppe {
    uint32_t slots = 0, lektionsSlots = 0, ugeSlots = 0, hold = 0, placeringer = 0, elever = 0, oensker = 0,
             spaerringer = 0;
  };
  std::map<uint32_t, Gruppe> grupper;  // by group id
  for (uint32_t r = 1; r < tvtg.wRecCnt; ++r)
    if (ElevTabAktiv(TgRecNr(r)->Status)) grupper[TgRecNr(r)->id];
  ASSERT_EQ(grupper.size(), 3u);
  ASSERT_EQ(grupper.begin()->first, 1u);
  ASSERT_EQ(grupper.rbegin()->first, 3u);
  auto G = [&](uint32_t tg) -> Gruppe & { return grupper.at(ElevRef(TgRecNr, tg).id); };
  for (uint32_t r = 1; r < tvpp.wRecCnt; ++r) {
    const PpRec *p = PpRecNr(r);
    Gruppe &g = G(p->tg_id);
    ++g.slots;
    if (p->ugenr == 0 && p->dag >= 1 && p->dag <= 5 && p->lektion >= 1) ++g.lektionsSlots;
    if (p->ugenr != 0 && p->dag == 0) ++g.ugeSlots;
  }
  for (uint32_t r = 1; r < tvla.wRecCnt; ++r) {
    ASSERT_EQ(+LaRecNr(r)->aktiv, 1u);
    ++G(LaRecNr(r)->tg_id).hold;
  }
  for (uint32_t r = 1; r < tvlap.wRecCnt; ++r) {
    const LapRec *l = LapRecNr(r);
    ASSERT_EQ(+LaRecNr(l->la_id)->tg_id, +l->tg_id);
    ASSERT_EQ(+PpRecNr(l->pp_id)->tg_id, +l->tg_id);
    ++G(l->tg_id).placeringer;
  }
  for (uint32_t r = 1; r < tvelti.wRecCnt; ++r) ++G(EltiRecNr(r)->tg_id).elever;
  for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
    const EvRec *e = EvRecNr(r);
    ASSERT_NE(+e->elev_id, 0u);
    ASSERT_EQ(+LaRecNr(e->elevplan_onske_la_id)->tg_id, +e->tg_id);
    ++G(e->tg_id).oensker;
  }
  for (uint32_t r = 1; r < tveb.wRecCnt; ++r) ++G(EbRecNr(r)->tg_id).spaerringer;
  for (const auto &[id, g] : grupper) {
    SCOPED_TRACE(id);
    // Group 1 counts in lessons, the others in weeks.
    EXPECT_EQ(g.slots, id == 1 ? g.lektionsSlots : g.ugeSlots);
    EXPECT_GT(g.slots, 1u);
    EXPECT_GT(g.hold, 1u);
    EXPECT_EQ(g.placeringer, g.hold);
    EXPECT_GT(g.elever, 1u);
    EXPECT_EQ(g.oensker, 3 * g.elever);
    EXPECT_EQ(g.spaerringer, 1u);
  }
}

}  // namespace
