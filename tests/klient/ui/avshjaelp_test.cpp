// The event-set helpers (emptying and deep copies of an AVS, whole and by
// part), the weekday and lesson of a schedule column, and the status codes
// of rows with their texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "KROGE.h"
#include "AVSHJAELP.h"
#include "INDSTIL.h"
#include "OBJFELT.h"
#include "tavo/test_user.h"

namespace {

template <class T>
T *Ny(std::initializer_list<T> v) {
  T *p = static_cast<T *>(malloc(v.size() * sizeof(T)));
  std::copy(v.begin(), v.end(), p);
  return p;
}

char *NyLinje(const std::string &s) {
  char *p = static_cast<char *>(malloc(s.size() + 1));
  memcpy(p, s.c_str(), s.size() + 1);
  return p;
}

// A set with every part filled, its values told apart by k.
void Fyld(AVS &a, uint32_t k) {
  memset(&a, 0, sizeof a);
  a.aktiTab = Ny<uint32_t>({k + 1, k + 2});
  a.aktiAntal = 2;
  a.anfoTab = Ny<uint32_t>({k + 11, k + 12, k + 13});
  a.skemarolTab = Ny<uint32_t>({k + 21, k + 22, k + 23});
  a.beregnTab = Ny<float>({k + 0.5f, k + 1.5f, k + 2.5f});
  a.hvorfraTab = Ny<uint8_t>({static_cast<uint8_t>('a' + k), 'b', 'c'});
  a.minutTab = Ny<float>({k + 45.0f, k + 90.0f, k + 30.0f});
  a.anfoAntal = 3;
  a.lokaTab = Ny<uint32_t>({k + 31, k + 32});
  a.lokrolleTab = Ny<uint32_t>({k + 41, k + 42});
  a.lokaAntal = 2;
  a.skfa_id = k + 51;
  a.bem_id = k + 52;
  // The second line is longer than any remark column is wide: it is copied
  // whole.
  a.bemTab = Ny<char *>({NyLinje("Husk " + std::to_string(k)),
                         NyLinje(std::string(70, static_cast<char>('A' + k % 26)) + "ÆØÅ")});
  a.bemAntal = 2;
  a.risy_id = k + 53;
  a.Ejer = static_cast<uint8_t>(k + 54);
  a.Placering = 'L';
  a.Kode2 = 'V';
  a.Kode3 = 'B';
  a.Art = static_cast<char>('S' + k % 2);
  a.Kode5 = 'x';
  a.id = k + 55;
  a.Forste = k + 56;
  a.AarIndeks = static_cast<uint8_t>(k + 57);
  a.Uge = static_cast<uint8_t>(k + 58);
  a.Dag = static_cast<uint8_t>(1 + k % 7);
  a.Ord = k + 59;
  a.Lektion = static_cast<uint8_t>(k + 60);
  a.Starttid = 800 + k;
  a.Sluttid = 1000 + k;
  a.Antal_std_lektioner = k + 2.25f;
}

AVS Tom() {
  AVS a;
  memset(&a, 0, sizeof a);
  a.Placering = a.Kode2 = a.Kode3 = a.Art = a.Kode5 = ' ';
  return a;
}

template <class T>
void Liste(std::ostringstream &o, const T *p, uint32_t n) {
  if (!p) {
    o << "null";
    return;
  }
  for (uint32_t i = 0; i < n; ++i) o << +p[i] << ",";
}

// One part of a set as text ('*' is what no part letter covers), lists by
// their content, so that two sets compare by value.
std::string Del(const AVS &a, char del) {
  std::ostringstream o;
  switch (del) {
    case '-': {
      const uint32_t id = a.bem_id;
      o << id << ":";
      if (!a.bemTab) o << "null";
      for (uint32_t i = 0; a.bemTab && i < a.bemAntal; ++i) o << (a.bemTab[i] ? a.bemTab[i] : "(null)") << "|";
      break;
    }
    case 'F': o << +a.Ejer; break;
    case 'K': o << a.aktiAntal << ":"; Liste(o, a.aktiTab, a.aktiAntal); break;
    case 'L':
      o << a.lokaAntal << ":";
      Liste(o, a.lokaTab, a.lokaAntal);
      Liste(o, a.lokrolleTab, a.lokaAntal);
      break;
    case 'M':
      o << a.anfoAntal << ":";
      Liste(o, a.anfoTab, a.anfoAntal);
      Liste(o, a.skemarolTab, a.anfoAntal);
      Liste(o, a.beregnTab, a.anfoAntal);
      Liste(o, a.hvorfraTab, a.anfoAntal);
      Liste(o, a.minutTab, a.anfoAntal);
      break;
    case 'R': o << a.risy_id; break;
    case 'S': o << a.id; break;
    case 'U': o << a.skfa_id; break;
    default:
      o << a.Placering << a.Kode2 << a.Kode3 << a.Art << a.Kode5 << +a.Nul << " " << a.Forste << " " << +a.AarIndeks
        << " " << +a.Uge << " " << +a.Dag << " " << a.Ord << " " << +a.Lektion << " " << a.Starttid << " "
        << a.Sluttid << " " << a.Antal_std_lektioner;
  }
  return o.str();
}

constexpr char kDele[] = "-FKLMRSU*";

std::string Alt(const AVS &a) {
  std::string s;
  for (const char *d = kDele; *d; ++d) s += std::string(1, *d) + "=" + Del(a, *d) + "\n";
  return s;
}

// ---- Emptying and copying ----

TEST(AVSHjaelpKopi, DeepCopyOutlivesItsSource) {
  AVS kilde, maal;
  Fyld(kilde, 1);
  Fyld(maal, 2);  // whatever the target held is freed first
  KopierAVS(&kilde, &maal);
  const std::string forventet = Alt(kilde);
  EXPECT_EQ(Alt(maal), forventet);
  EXPECT_NE(maal.aktiTab, kilde.aktiTab);
  char **linjer = maal.bemTab, **kildeLinjer = kilde.bemTab;  // packed fields: no references
  EXPECT_NE(linjer, kildeLinjer);
  EXPECT_NE(linjer[1], kildeLinjer[1]);
  CleanupAVS(&kilde);
  EXPECT_EQ(Alt(maal), forventet);  // read under the sanitizer after the source is freed

  // Onto itself: nothing happens.
  KopierAVS(&maal, &maal);
  EXPECT_EQ(Alt(maal), forventet);
  // From nothing: the target is left empty.
  KopierAVS(nullptr, &maal);
  const AVS tom = Tom();
  EXPECT_EQ(Alt(maal), Alt(tom));
  KopierAVS(&maal, nullptr);
}

TEST(AVSHjaelpKopi, SetWithoutEmployeesCopiesNullLists) {
  AVS kilde, maal;
  Fyld(kilde, 1);
  CleanupAVSDel(&kilde, 'M');
  CleanupAVSDel(&kilde, '-');
  Fyld(maal, 2);
  KopierAVS(&kilde, &maal);
  EXPECT_EQ(maal.anfoAntal, 0u);
  EXPECT_EQ(maal.anfoTab, nullptr);
  EXPECT_EQ(maal.skemarolTab, nullptr);
  EXPECT_EQ(maal.beregnTab, nullptr);
  EXPECT_EQ(maal.hvorfraTab, nullptr);
  EXPECT_EQ(maal.minutTab, nullptr);
  char **linjer = maal.bemTab;
  EXPECT_EQ(linjer, nullptr);
  EXPECT_EQ(maal.bemAntal, 0u);
  EXPECT_EQ(Alt(maal), Alt(kilde));
  CleanupAVS(&kilde);
  CleanupAVS(&maal);
}

TEST(AVSHjaelpKopi, EveryPartLetterCopiesItsPartAlone) {
  // Every part letter, 'F' (copy only) and letters that name no part.
  for (char bogstav : std::string("-FKLMRSU") + "ABZ0~") {
    AVS kilde, maal;
    Fyld(kilde, 1);
    Fyld(maal, 2);
    const AVS tom = Tom();
    std::string foer[sizeof kDele], fra[sizeof kDele];
    for (size_t i = 0; kDele[i]; ++i) foer[i] = Del(maal, kDele[i]), fra[i] = Del(kilde, kDele[i]);

    KopierAVSDel(&kilde, &maal, bogstav);
    CleanupAVS(&kilde);  // the part copied must not lean on the source
    for (size_t i = 0; kDele[i]; ++i)
      EXPECT_EQ(Del(maal, kDele[i]), kDele[i] == bogstav ? fra[i] : foer[i])
          << "letter " << bogstav << ", part " << kDele[i];

    // From no source: the part is only emptied ('F' is not a part to empty).
    Fyld(kilde, 3);
    KopierAVSDel(nullptr, &kilde, bogstav);
    CleanupAVS(&maal);
    Fyld(maal, 3);
    for (size_t i = 0; kDele[i]; ++i) {
      const bool tomt = kDele[i] == bogstav && bogstav != 'F';
      EXPECT_EQ(Del(kilde, kDele[i]), tomt ? Del(tom, kDele[i]) : Del(maal, kDele[i]))
          << "no source, letter " << bogstav << ", part " << kDele[i];
    }
    // CleanupAVSDel empties the same part and nothing else.
    CleanupAVS(&kilde);
    Fyld(kilde, 3);
    CleanupAVSDel(&kilde, bogstav);
    for (size_t i = 0; kDele[i]; ++i) {
      const bool tomt = kDele[i] == bogstav && bogstav != 'F';
      EXPECT_EQ(Del(kilde, kDele[i]), tomt ? Del(tom, kDele[i]) : Del(maal, kDele[i]))
          << "emptied, letter " << bogstav << ", part " << kDele[i];
    }
    CleanupAVS(&kilde);
    CleanupAVS(&maal);
  }
  CleanupAVSDel(nullptr, 'K');
  KopierAVSDel(nullptr, nullptr, 'K');
}

TEST(AVSHjaelpKopi, CleanupLeavesTheEmptySet) {
  AVS a;
  Fyld(a, 4);
  CleanupAVS(&a);
  const AVS tom = Tom();
  // Byte for byte: lists null, counts, ids, address, day, lesson, times and
  // hours 0, the five codes blank.
  EXPECT_EQ(memcmp(&a, &tom, sizeof a), 0) << Alt(a);
  CleanupAVS(&a);  // an empty set empties again
  EXPECT_EQ(memcmp(&a, &tom, sizeof a), 0);
  CleanupAVS(nullptr);
}

TEST(AVSHjaelpKopi, RememberedWeekIsFreed) {
  // Nothing remembered.
  CleanupAVSListe();
  EXPECT_EQ(HuskUgeAVS, nullptr);
  EXPECT_EQ(HuskUgeAVSAntal, 0u);

  HuskUgeAVSAntal = 3;
  HuskUgeAVS = static_cast<AVS *>(calloc(HuskUgeAVSAntal, sizeof(AVS)));
  for (uint32_t i = 0; i < HuskUgeAVSAntal; ++i) Fyld(HuskUgeAVS[i], i);
  CleanupAVSListe();  // the leak check of the sanitizer run sees every list freed
  EXPECT_EQ(HuskUgeAVS, nullptr);
  EXPECT_EQ(HuskUgeAVSAntal, 0u);

  // A count left without its array is cleared as well.
  HuskUgeAVSAntal = 2;
  CleanupAVSListe();
  EXPECT_EQ(HuskUgeAVSAntal, 0u);
}

// ---- Columns ----

class AVSHjaelpKolonne : public ::testing::Test {
 protected:
  VisningsTilstandRec gemt[kAntalVisninger];
  void SetUp() override { memcpy(gemt, VisningsTilstand, sizeof gemt); }
  void TearDown() override { memcpy(VisningsTilstand, gemt, sizeof gemt); }
  static void Saet(char visning, uint32_t foersteSlot, uint32_t sidsteSlot, uint8_t foersteDag) {
    VisningsTilstandRec &v = VisningsTilstandFor(visning);
    v.FoersteSlot = foersteSlot;
    v.SidsteSlot = sidsteSlot;
    v.FoersteUgedag = foersteDag;
    v.SidsteUgedag = 7;
  }
};

TEST_F(AVSHjaelpKolonne, WeekdayAndLessonPerMode) {
  struct {
    char visning;
    uint32_t foerste, sidste;
    uint8_t foersteDag;
    uint32_t kolonne, vaerdi;
    uint8_t dag;
    uint32_t lektion;
  } tabel[] = {
      {'L', 1, 8, 1, 1, 0, 1, 1},
      {'L', 1, 8, 1, 8, 0, 1, 8},
      {'L', 1, 8, 1, 9, 0, 2, 1},
      {'L', 1, 8, 1, 40, 0, 5, 8},
      {'L', 1, 8, 1, 41, 0, 6, 1},
      {'L', 1, 8, 1, 57, 0, 1, 1},  // past Sunday: weekday 1
      {'L', 1, 8, 1, 0, 5, 1, 0},   // column 0: lesson 0
      {'L', 3, 6, 2, 1, 0, 2, 3},
      {'L', 3, 6, 2, 5, 0, 3, 3},
      {'T', 97, 204, 1, 1, 0, 1, 97},
      {'T', 97, 204, 1, 108, 0, 1, 204},
      {'T', 97, 204, 1, 109, 0, 2, 97},
      {'T', 1, 288, 3, 289, 0, 4, 1},
      {'D', 1, 8, 1, 3, 7, 3, 7},  // by days the lesson is the value given
      {'D', 1, 8, 2, 3, 7, 4, 7},
      {'D', 1, 8, 1, 0, 7, 1, 0},
      {'D', 1, 8, 1, 8, 7, 1, 7},  // day 8: weekday 1
      // An empty display range: the first day shown and lesson 0.
      {'L', 1, 0, 2, 5, 0, 2, 0},
      {'T', 5, 4, 3, 1, 0, 3, 0},
      {'L', 10, 2, 1, 4, 0, 1, 0},
      // Another letter: weekday 1, the value itself.
      {'X', 1, 8, 3, 9, 6, 1, 6},
  };
  for (const auto &t : tabel) {
    Saet(t.visning == 'X' ? 'L' : t.visning, t.foerste, t.sidste, t.foersteDag);
    EXPECT_EQ(KolonneUgedag(t.visning, t.kolonne), t.dag) << t.visning << " column " << t.kolonne;
    EXPECT_EQ(KolonneLektion(t.visning, t.vaerdi, t.kolonne), t.lektion) << t.visning << " column " << t.kolonne;
  }
}

TEST_F(AVSHjaelpKolonne, ComputedColumnShowsTheWeekday) {
  Saet('L', 1, 8, 1);
  const ObjFeltKroge gemt = ObjFeltKrog;
  InstallerObjFeltKroge();
  EXPECT_EQ(ObjFeltKrog.KolonneUgedag, &KolonneUgedag);
  char tekst[OBJFELT_TEKST_LEN];
  // A list without a window asks in the lesson view.
  ObjFeltTekst(0, 211, BeregnetFeltBredde(211), 9, 0, 0, 0, tekst, nullptr, nullptr, nullptr, 0, 'X');
  EXPECT_STREQ(tekst, "Tirsdag");
  ObjFeltTekst(0, 211, BeregnetFeltBredde(211), 48, 0, 0, 0, tekst, nullptr, nullptr, nullptr, 0, 'X');
  EXPECT_STREQ(tekst, "Lørdag ");
  ObjFeltKrog = gemt;
}

// ---- Status codes ----

TEST(AVSHjaelpStatus, CodeOfARowByTheFirstRuleThatHolds) {
  const GlobalIndstillingerData gemt = GlobalIndstillinger;
  GlobalIndstillinger.insnr = 5;
  struct {
    const char *hvad;
    uint32_t flag;
    uint8_t ejer, fejl, supertavo, kode;
  } tabel[] = {
      {"another installation's row", 0x40, 6, 0, 0, 80},
      {"another's deleted and sent row", 0x40 | 8 | 16, 6, 12, 0, 80},
      {"any row of a SuperTavo installation", 0x40, 5, 0, 1, 80},
      {"deleted", 0x40 | 8, 5, 0, 0, 90},
      {"deleted and sent", 0x40 | 8 | 16, 5, 0, 0, 91},
      {"deleted with an error code", 8, 5, 45, 0, 90},
      {"central", 0x40 | 32, 5, 0, 0, 1},
      {"central and sent", 0x40 | 32 | 16, 5, 0, 0, 1},
      {"sent", 0x40 | 16, 5, 0, 0, 3},
      {"local", 0x40, 5, 0, 0, 2},
      {"stored code", 0x40 | 32, 5, 45, 0, 45},
      {"stored code 99", 0x40, 5, 99, 0, 99},
      {"stored code 100", 0x40, 5, 100, 0, 0},
      {"stored code 255", 0x40 | 16, 5, 255, 0, 0},
  };
  for (const auto &t : tabel) {
    GlobalIndstillinger.supertavo = t.supertavo;
    EXPECT_EQ(PostStatusKode(t.flag, t.ejer, t.fejl), t.kode) << t.hvad;
  }
  GlobalIndstillinger = gemt;
}

TEST(AVSHjaelpStatus, TextsOfTheTwoTablesAndOfACallersTable) {
  struct {
    uint32_t kode;
    char tabel;
    const char *tekst;
  } tabel[] = {
      {24, 'F', ""},
      {24, 'B', " Budget på ansættelsesforholdet er låst "},
      {15, 'F', " Skolefag ikke på aktiviteten "},
      {15, 'B', ""},
      {1, 'B', " Central post "},
      {1, 'F', ""},
      {91, 'B', " Slettet sendt post "},
      {66, 'B', " Aktivitet på postering er ikke af type OVAK. "},
      {28, 'F', " Medarbejder er skemalagt på et andet ansættelsesforhold "},
      {21, 'F', " Udenfor medarbejders periode "},
      {21, 'B', " Udenfor ansættelsesforholdets periode "},
      {79, 'F', " Ukendt systemfejl "},
      {26, 'F', ""},
      {0, 'B', ""},
      {10, 'X', ""},
  };
  for (const auto &t : tabel) {
    char ud[80];
    memset(ud, 'x', sizeof ud);
    EXPECT_STREQ(StatusKodeTekst(t.kode, ud, sizeof ud, t.tabel), t.tekst) << t.kode << " " << t.tabel;
  }
  // The texts are Windows-1252: å is one byte.
  char ud[80];
  EXPECT_NE(strchr(StatusKodeTekst(13, ud, sizeof ud, 'F'), '\xE5'), nullptr);

  // Every text begins and ends with one blank; codes rise through each
  // table to its end mark.
  for (const StatusKode *t : {StatusKodeTabF, StatusKodeTabB}) {
    uint32_t forrige = 0;
    for (const StatusKode *k = t; k->Kode; ++k) {
      const size_t n = strlen(k->Tekst);
      EXPECT_GT(k->Kode, forrige);
      EXPECT_TRUE(n > 2 && k->Tekst[0] == ' ' && k->Tekst[1] != ' ' && k->Tekst[n - 1] == ' ' &&
                  k->Tekst[n - 2] != ' ')
          << k->Kode;
      forrige = k->Kode;
    }
  }

  // A caller's table of the same form.
  const StatusKode egen[] = {{7, " Egen "}, {8, " Otte "}, {0, nullptr}, {9, " Efter slut "}};
  EXPECT_STREQ(StatusKodeTekst(8, ud, sizeof ud, egen), " Otte ");
  EXPECT_STREQ(StatusKodeTekst(9, ud, sizeof ud, egen), "");
  EXPECT_STREQ(StatusKodeTekst(8, ud, sizeof ud, static_cast<const StatusKode *>(nullptr)), "");

  // The buffer's size bounds the copy.
  char lille[9];
  memset(lille, 'x', sizeof lille);
  EXPECT_STREQ(StatusKodeTekst(91, lille, 8, 'B'), " Slette");
  EXPECT_EQ(lille[8], 'x');
  EXPECT_EQ(StatusKodeTekst(91, nullptr, 8, 'B'), nullptr);
}

TEST(AVSHjaelpStatus, ErrorBeep) {
  tavo::test::ResetUser();
  const int foer = tavo::test::BeepCount();
  BipFejl();
  EXPECT_EQ(tavo::test::BeepCount(), foer + 1);
}

}  // namespace
