// The schedule side files: week and month buckets, their files, the
// activity priorities, and loaders that survive bad files.
#include <random>

#include "FINDREC.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "store_fixture.h"

using namespace storetest;

namespace {

// One kind of side file.
struct Slags {
  const char *fil;
  const TabDesc *pTd;
  TabVar *(*bucket)(uint32_t);
  int (*load)();
  int (*save)();
  bool uger;
};

const Slags kSlags[] = {
    {"skemabeg.dat", &tdske, SkemabegBucket, LoadSkemabeg, SaveSkemabeg, true},
    {"timoak.dat", &tdtimoak, TimoakBucket, LoadTimoak, SaveTimoak, false},
    {"udplatim.dat", &tdudplatim, UdplatimBucket, LoadUdplatim, SaveUdplatim, false},
    {"hontim.dat", &tdhontim, HontimBucket, LoadHontim, SaveHontim, false},
};

// Adds n rows after row 0 to the bucket; row bytes from a seed, status byte
// set so that trimming keeps them.
void FyldBucket(const TabDesc *pTd, TabVar *pTv, uint32_t n, uint8_t seed) {
  for (uint32_t i = 0; i < n; ++i) {
    uint32_t r = NewRec(pTd, pTv);
    ASSERT_NE(r, 0u);
    uint8_t *p = GetRec(pTd, pTv, r);
    for (uint32_t b = 0; b < pTd->RecSize; ++b) p[b] = static_cast<uint8_t>(seed + r * 3 + b);
    p[pTd->FeltTab[pTd->StatusFelt].Offset] = 64 + i % 2;
  }
}

// Header + a section line + rows.
Bytes Saml0(Bytes a, const char *linje, const Bytes &rows) {
  a.insert(a.end(), linje, linje + strlen(linje));
  a.insert(a.end(), rows.begin(), rows.end());
  return a;
}

Bytes BucketBytes(const TabDesc *pTd, const TabVar *pTv) {
  return Bytes(pTv->pbTab, pTv->pbTab + static_cast<size_t>(pTv->wRecCnt) * pTd->RecSize);
}

// The period 1 August 2024 .. 31 July 2025: weeks 202431..202531, months
// 202408..202507.
class SideFilTest : public DataMappe {
 protected:
  // Two buckets with rows, one bucket whose rows were all deleted (only
  // row 0 is written), one empty bucket that is not written.
  void Fyld(const Slags &s) {
    uint32_t a = s.uger ? 202432 : 202409, b = s.uger ? 202502 : 202501,
             c = s.uger ? 202510 : 202503;
    FyldBucket(s.pTd, s.bucket(a), 3, 1);
    FyldBucket(s.pTd, s.bucket(b), 2, 9);
    FyldBucket(s.pTd, s.bucket(c), 2, 5);
    TabVar *pc = s.bucket(c);
    for (uint32_t r = 1; r < pc->wRecCnt; ++r) GetRec(s.pTd, pc, r)[s.pTd->FeltTab[1].Offset] = 0;
  }
};

TEST_F(SideFilTest, EveryKindRoundTripsByteForByte) {
  for (const Slags &s : kSlags) {
    Fyld(s);
    ASSERT_EQ(s.save(), 0) << s.fil;
    Bytes fil = Laes(s.fil);
    const uint32_t a = s.uger ? 202432 : 202409, b = s.uger ? 202502 : 202501,
                   c = s.uger ? 202510 : 202503;
    Bytes a0 = BucketBytes(s.pTd, s.bucket(a)), b0 = BucketBytes(s.pTd, s.bucket(b)),
          c0 = BucketBytes(s.pTd, s.bucket(c));
    ASSERT_EQ(c0.size(), s.pTd->RecSize) << s.fil;  // trimmed to row 0

    // Header, then "<week or month> <count>\n" and the rows, in period order.
    Bytes forventet = NyHeader(version, 0, s.pTd->RecSize);
    for (auto [v, rows] : {std::pair{a, &a0}, std::pair{b, &b0}, std::pair{c, &c0}}) {
      std::string linje = std::to_string(v) + " " +
                          std::to_string(rows->size() / s.pTd->RecSize) + "\n";
      forventet.insert(forventet.end(), linje.begin(), linje.end());
      forventet.insert(forventet.end(), rows->begin(), rows->end());
    }
    EXPECT_EQ(fil, forventet) << s.fil;

    ASSERT_EQ(s.load(), 0) << s.fil;
    EXPECT_EQ(BucketBytes(s.pTd, s.bucket(a)), a0) << s.fil;
    EXPECT_EQ(BucketBytes(s.pTd, s.bucket(b)), b0) << s.fil;
    EXPECT_EQ(BucketBytes(s.pTd, s.bucket(c)), c0) << s.fil;
    EXPECT_EQ(s.bucket(s.uger ? 202433 : 202410)->wRecCnt, 0u) << s.fil;
    ASSERT_EQ(s.save(), 0) << s.fil;
    EXPECT_EQ(Laes(s.fil), fil) << s.fil;
    EXPECT_FALSE(Findes(std::string(s.fil).substr(0, std::string(s.fil).find('.')) + ".tmp"));
  }
}

TEST_F(SideFilTest, MissingFileGivesEmptyBucketsAndStaleOnesAreEmptied) {
  for (const Slags &s : kSlags) {
    FyldBucket(s.pTd, s.bucket(s.uger ? 202440 : 202411), 2, 3);
    EXPECT_EQ(s.load(), 0) << s.fil;
    EXPECT_EQ(s.bucket(s.uger ? 202440 : 202411)->wRecCnt, 0u) << s.fil;
  }
}

TEST_F(SideFilTest, FailedWriteLeavesTheOldFile) {
  for (const Slags &s : kSlags) {
    Fyld(s);
    ASSERT_EQ(s.save(), 0) << s.fil;
    Bytes gammel = Laes(s.fil);
    FyldBucket(s.pTd, s.bucket(s.uger ? 202440 : 202411), 2, 3);
    // The new file cannot be made: its temporary name is taken by a folder.
    std::string tmp = std::string(s.fil) + ".gemny";
    std::filesystem::create_directories(Fil(tmp));
    EXPECT_EQ(s.save(), -1) << s.fil;
    EXPECT_EQ(Laes(s.fil), gammel) << s.fil;
    std::filesystem::remove(Fil(tmp));
  }
}

TEST_F(SideFilTest, SectionsOutsideThePeriodOrWithOddNumbersAreSkipped) {
  // Weeks before and after the period, a week 60 between two valid weeks,
  // a section of 0 rows; the valid sections around them still load.
  Bytes b = NyHeader(10413, 0, 99);
  auto sektion = [&](const char *linje, uint32_t rows, uint8_t fyld) {
    b.insert(b.end(), linje, linje + strlen(linje));
    Bytes r(static_cast<size_t>(rows) * 99, fyld);
    for (uint32_t i = 0; i < rows; ++i) r[i * 99 + 4] = 64;
    b.insert(b.end(), r.begin(), r.end());
  };
  sektion("202420 2\n", 2, 1);
  sektion("202433 2\n", 2, 2);
  sektion("202460 3\n", 3, 3);
  sektion("202500 1\n", 1, 4);
  sektion("202501 0\n", 0, 0);
  sektion("202540 1\n", 1, 5);
  sektion("202450 1\n", 1, 6);
  Skriv("skemabeg.dat", b);
  ASSERT_EQ(LoadSkemabeg(), 0);
  EXPECT_EQ(SkemabegBucket(202433)->wRecCnt, 2u);
  EXPECT_EQ(SkemabegBucket(202433)->pbTab[0], 2);
  EXPECT_EQ(SkemabegBucket(202450)->wRecCnt, 1u);
  EXPECT_EQ(SkemabegBucket(202450)->pbTab[0], 6);
  EXPECT_EQ(SkemabegBucket(202420)->wRecCnt, 0u);
  EXPECT_EQ(SkemabegBucket(202540)->wRecCnt, 0u);
  EXPECT_EQ(SkemabegBucket(202460), nullptr);

  // Weeks of the old period are gone at the next save.
  ASSERT_EQ(SaveSkemabeg(), 0);
  Bytes ny = Laes("skemabeg.dat");
  std::string tekst(ny.begin(), ny.end());
  EXPECT_EQ(tekst.find("202420"), std::string::npos);
  EXPECT_NE(tekst.find("202433 2\n"), std::string::npos);
}

TEST_F(SideFilTest, WrongRowSizeOrTruncatedRowsFail) {
  Skriv("timoak.dat", Saml0(NyHeader(10413, 0, 30), "202409 1\n", Bytes(30, 1)));
  EXPECT_EQ(LoadTimoak(), -1);
  Skriv("timoak.dat", Saml0(NyHeader(10413, 0, 31), "202409 2\n", Bytes(40, 1)));
  EXPECT_EQ(LoadTimoak(), -1);
  // A count far beyond the file is refused before anything is allocated.
  Skriv("hontim.dat", Saml0(NyHeader(10413, 0, 22), "202409 4000000000\n", Bytes(22, 1)));
  EXPECT_EQ(LoadHontim(), -1);
  // An unreadable section line ends the reading; what came before stays.
  Skriv("udplatim.dat", Saml0(Saml0(NyHeader(10413, 0, 31), "202409 1\n", Bytes(31, 64)),
                              "garbage\n", Bytes(31, 1)));
  EXPECT_EQ(LoadUdplatim(), 0);
  EXPECT_EQ(UdplatimBucket(202409)->wRecCnt, 1u);
}

TEST_F(SideFilTest, ActivityPrioritiesByIdFromTheTextFile) {
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel('K', pTd, pTv);
  for (uint32_t id : {4711u, 12u}) {
    uint32_t r = NewRec(pTd, pTv);
    AktiRec *a = reinterpret_cast<AktiRec *>(GetRec(pTd, pTv, r));
    a->id = id;
    a->Status = 10;
  }
  pTv->fSorter = 1;
  std::ofstream(Fil("aktiprioriteter.dat"), std::ios::binary)
      << "4711,3\r\n\"12\";7\r\n999;5\r\n;\r\nx\r\n";
  LoadAktiPrioriteter();
  ASSERT_NE(AktiPrioritetMinde, nullptr);
  ASSERT_GE(AktiPrioritetAntal, 3u);
  EXPECT_EQ(AktiPrioritetMinde[1], 3);
  EXPECT_EQ(AktiPrioritetMinde[2], 7);
  EXPECT_EQ(AktiPrioritetMinde[0], INGEN_AKTI_PRIORITET);

  // Written back: only priorities that are set and differ from the record's
  // own; read back the same.
  reinterpret_cast<AktiRec *>(GetRec(pTd, pTv, 2))->Skema_prioritet = 7;
  ASSERT_EQ(GemAktiPrioriteter(), 0);
  std::ifstream i(Fil("aktiprioriteter.dat"), std::ios::binary);
  std::string tekst((std::istreambuf_iterator<char>(i)), std::istreambuf_iterator<char>());
  EXPECT_EQ(tekst, "4711;3\r\n");
  FrigivAktiPrioritetMinde();
  LoadAktiPrioriteter();
  EXPECT_EQ(AktiPrioritetMinde[1], 3);
  EXPECT_EQ(AktiPrioritetMinde[2], INGEN_AKTI_PRIORITET);

  // The memory grows with the table and keeps what it held.
  ASSERT_TRUE(SikrAktiPrioritetMinde(100));
  EXPECT_EQ(AktiPrioritetMinde[1], 3);
  EXPECT_EQ(AktiPrioritetMinde[99], INGEN_AKTI_PRIORITET);
}

// Mutated files never crash a loader: bytes flipped, cut short, lengthened,
// section lines rewritten. The outcome is only checked to be 0 or -1.
TEST_F(SideFilTest, MutatedFilesNeverCrashTheLoaders) {
  for (const Slags &s : kSlags) Fyld(s);
  for (const Slags &s : kSlags) ASSERT_EQ(s.save(), 0);
  const TabDesc *pUdgr;
  TabVar *tvUdgr;
  Tabel('u', pUdgr, tvUdgr);
  InitTab(pUdgr, tvUdgr);
  for (uint32_t i = 0; i < 30; ++i) {
    uint32_t r = NewRec(pUdgr, tvUdgr);
    GetRec(pUdgr, tvUdgr, r)[8] = 10;
    tvUdgr->pfSave[r / 10] = 1;
  }
  ASSERT_EQ(SaveTab(pUdgr, tvUdgr, nullptr), 0);

  struct Maal {
    std::string fil;
    Bytes original;
  };
  std::vector<Maal> maal;
  for (const Slags &s : kSlags) maal.push_back({s.fil, Laes(s.fil)});
  maal.push_back({"udgr.DAT", Laes("udgr.DAT")});
  // An old akti file goes through the converter when its header allows.
  Bytes akti = NyHeader(10300, 0, 402);
  for (uint32_t r = 0; r < 4; ++r)
    for (uint32_t b = 0; b < 402; ++b) akti.push_back(static_cast<uint8_t>(r * 31 + b));
  maal.push_back({"akti.DAT", akti});
  const TabDesc *pAkti;
  TabVar *tvAkti;
  Tabel('K', pAkti, tvAkti);

  std::mt19937 rng(20241209);
  for (int runde = 0; runde < 2000; ++runde) {
    const size_t k = runde % maal.size();
    Bytes b = maal[k].original;
    switch (rng() % 5) {
      case 0:  // flip a few bytes
        for (int i = 0, n = 1 + rng() % 8; i < n && !b.empty(); ++i) b[rng() % b.size()] = rng();
        break;
      case 1:  // cut short
        b.resize(rng() % (b.size() + 1));
        break;
      case 2:  // random tail
        for (int i = 0, n = rng() % 300; i < n; ++i) b.push_back(rng());
        break;
      case 3: {  // a digit of a section line or the header's size changed
        size_t p = 8 + rng() % 30;
        if (p < b.size()) b[p] = static_cast<uint8_t>('0' + rng() % 12);
        break;
      }
      default:  // all random
        b.assign(rng() % 400, 0);
        for (auto &x : b) x = rng();
        break;
    }
    Skriv(maal[k].fil, b);
    int res;
    if (k < std::size(kSlags)) {
      res = kSlags[k].load();
    } else {
      const bool erAkti = maal[k].fil == "akti.DAT";
      const TabDesc *pTd = erAkti ? pAkti : pUdgr;
      TabVar *pTv = erAkti ? tvAkti : tvUdgr;
      FrigivTabel(pTv);
      res = LoadTab(pTd, pTv);
      if (res == 0) {
        ASSERT_GE(pTv->wRecCnt, 1u);
      }
    }
    ASSERT_TRUE(res == 0 || res == -1 || res > 0) << runde;
  }
}

}  // namespace
