// The power-cut simulation of the file layer: which disk states it offers
// after a cut, from what was flushed, and that nothing reaches the disk once
// the power is off.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tavo/test_file.h"
#include "windows.h"

namespace {

using tavo::test::DiskImage;

class StroemsvigtSimulering : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tavo_strom_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    ASSERT_EQ(mkdir((dir_ + "/data").c_str(), 0755), 0);
    Put("data/a", "gammel");
    Put("data/b", "bb");
  }
  void TearDown() override {
    tavo::test::StopPowerCut();
    ASSERT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
  }
  void Put(const std::string &navn, const std::string &data) {
    std::ofstream(dir_ + "/" + navn, std::ios::binary) << data;
  }
  std::string Sti(const std::string &navn) const { return dir_ + "/" + navn; }

  // A new file written through the layer, flushed or not.
  bool Skriv(const std::string &navn, const std::string &data, bool flush) {
    HANDLE h = CreateFileA(Sti(navn).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    bool ok = WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &n, nullptr) && n == data.size();
    if (ok && flush) ok = FlushFileBuffers(h) != FALSE;
    CloseHandle(h);
    return ok;
  }
  bool FlushMappe(const std::string &navn) {
    HANDLE h = CreateFileA(Sti(navn).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, 0);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = FlushFileBuffers(h) != FALSE;
    CloseHandle(h);
    return ok;
  }
  // The files of an image as "name=data " in name order.
  static std::string Som(const DiskImage &b) {
    std::string t;
    for (const auto &[n, d] : b.files) t += n + "=" + d + " ";
    return t;
  }
  // The image the description begins with; a state equal to the disk as it
  // stands is given only as that.
  static std::string Find(const std::vector<DiskImage> &v, const std::string &hvad) {
    for (const DiskImage &b : v)
      if (b.what.rfind(hvad, 0) == 0) return Som(b);
    return v.empty() ? "(none)" : Som(v[0]);
  }

  std::string dir_;
};

TEST_F(StroemsvigtSimulering, EachStepOfAReplacementAndTheStatesItMayLeave) {
  const struct {
    const char *navn;
    bool flushFil, omdoeb, flushMappe;
    const char *altTabt;
  } trin[] = {
      // Written, not flushed: neither its name nor its data last.
      {"written", false, false, false, "data/a=gammel data/b=bb "},
      // Flushed data under a name never flushed: gone with its name.
      {"flushed", true, false, false, "data/a=gammel data/b=bb "},
      // Renamed over the old file, the folder not flushed: the old file.
      {"renamed", true, true, false, "data/a=gammel data/b=bb "},
      // The folder flushed: the new file for good.
      {"folder flushed", true, true, true, "data/a=ny data/b=bb "},
      // The folder flushed but not the data: the new name, its data lost.
      {"folder flushed, data not", false, true, true, "data/a= data/b=bb "},
  };
  for (const auto &t : trin) {
    SCOPED_TRACE(t.navn);
    Put("data/a", "gammel");
    tavo::test::StartPowerCut({dir_, 0});
    ASSERT_TRUE(Skriv("data/a.ny", "ny", t.flushFil));
    if (t.omdoeb) {
      ASSERT_TRUE(MoveFileExA(Sti("data/a.ny").c_str(), Sti("data/a").c_str(), MOVEFILE_REPLACE_EXISTING));
    }
    if (t.flushMappe) { ASSERT_TRUE(FlushMappe("data")); }
    const auto v = tavo::test::PowerCutImages();
    EXPECT_EQ(Find(v, "intet tabt"), t.omdoeb ? "data/a=ny data/b=bb " : "data/a=gammel data/a.ny=ny data/b=bb ");
    EXPECT_EQ(Find(v, "alt der"), t.altTabt);
    tavo::test::StopPowerCut();
    unlink(Sti("data/a.ny").c_str());
  }
}

TEST_F(StroemsvigtSimulering, EachFilesUnflushedDataIsLostAloneAndARemovalComesBack) {
  tavo::test::StartPowerCut({dir_, 0});
  ASSERT_TRUE(Skriv("data/a", "A2", false));
  ASSERT_TRUE(Skriv("data/b", "B2", false));
  ASSERT_TRUE(DeleteFileA(Sti("data/b").c_str()));
  const auto v = tavo::test::PowerCutImages();
  // Both files rewritten in place, one removed: nothing flushed.
  EXPECT_EQ(Find(v, "alt der"), "data/a=gammel data/b=bb ");
  int alene = 0;
  for (const DiskImage &b : v)
    if (b.what.rfind("filen", 0) == 0) {
      ++alene;
      EXPECT_EQ(b.files.count("data/a"), 1u) << b.what;
    }
  EXPECT_GE(alene, 1);
  // The folder's removal undone alone: b back with what it held last.
  bool tilbage = false;
  for (const DiskImage &b : v)
    if (b.what.rfind("mappen", 0) == 0 && b.files.count("data/b")) tilbage = b.files.at("data/b") == "B2";
  EXPECT_TRUE(tilbage);
}

TEST_F(StroemsvigtSimulering, AfterTheCutNothingReachesTheDisk) {
  tavo::test::StartPowerCut({dir_, 2});
  ASSERT_TRUE(Skriv("data/c", "c", false));  // the open and the write: calls 1 and 2
  EXPECT_FALSE(tavo::test::PowerCutHappened());
  EXPECT_FALSE(Skriv("data/d", "d", false));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_READY));
  EXPECT_FALSE(DeleteFileA(Sti("data/a").c_str()));
  EXPECT_FALSE(MoveFileExA(Sti("data/b").c_str(), Sti("data/e").c_str(), 0));
  EXPECT_TRUE(tavo::test::PowerCutHappened());
  EXPECT_EQ(tavo::test::PowerCutCalls(), 5u);
  struct stat st;
  EXPECT_NE(stat(Sti("data/d").c_str(), &st), 0);
  EXPECT_EQ(stat(Sti("data/a").c_str(), &st), 0);
  EXPECT_EQ(stat(Sti("data/b").c_str(), &st), 0);
  // Outside the folder the disk is not cut.
  char tmpl[] = "/tmp/tavo_strom_ude_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const std::string ude = std::string(tmpl) + "/f";
  HANDLE h = CreateFileA(ude.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  std::system(("rm -rf '" + std::string(tmpl) + "'").c_str());
}


// A recording gives, for a cut after each call, the states a real cut
// there leaves: a replacement written in two pieces, overwritten in place,
// flushed, renamed over the old file, a removal, the folder flushed.
TEST_F(StroemsvigtSimulering, ARecordingGivesTheStatesOfACutAfterEachCall) {
  const auto koer = [&] {
    HANDLE h = CreateFileA(Sti("data/a.ny").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    DWORD n = 0;
    WriteFile(h, "nyt", 3, &n, nullptr);
    WriteFile(h, "data", 4, &n, nullptr);
    SetFilePointer(h, 0, nullptr, FILE_BEGIN);
    WriteFile(h, "NYT", 3, &n, nullptr);
    FlushFileBuffers(h);
    CloseHandle(h);
    MoveFileExA(Sti("data/a.ny").c_str(), Sti("data/a").c_str(), MOVEFILE_REPLACE_EXISTING);
    DeleteFileA(Sti("data/b").c_str());
    FlushMappe("data");
  };
  using Saet = std::set<std::string>;
  tavo::test::StartPowerCutRecording(dir_);
  koer();
  const tavo::test::PowerCutRecording r = tavo::test::StopPowerCutRecording();
  ASSERT_EQ(r.afterCall.size(), 9u);  // eight calls: before the first and after each
  for (size_t n = 0; n < r.afterCall.size(); ++n) {
    SCOPED_TRACE("cut after call " + std::to_string(n));
    Saet optaget;
    for (const uint32_t id : r.afterCall[n]) {
      std::string t;
      for (const auto &[sti, c] : r.states[id].files) t += sti + "=" + r.contents[c] + " ";
      optaget.insert(t);
    }
    Put("data/a", "gammel");
    Put("data/b", "bb");
    unlink(Sti("data/a.ny").c_str());
    // Before the first call: the state the folder starts in.
    tavo::test::StartPowerCut({dir_, n});
    if (n) koer();
    Saet skaaret;
    for (const DiskImage &b : tavo::test::PowerCutImages()) skaaret.insert(Som(b));
    tavo::test::StopPowerCut();
    EXPECT_EQ(optaget, skaaret);
  }
}

}  // namespace
