// A medium school's save under a simulated power cut after each of its
// file-changing calls in turn. A kill loses nothing the process wrote; a
// power cut loses what was not flushed to the disk: data written to a file
// since its flush, and names made, renamed or removed in a folder since that
// folder's flush. Every state the file layer's simulation says the disk may
// then be in must, after the next start's recovery, hold the data set
// wholly as before the save or wholly as after it.
//
// The save runs once, recorded: the simulation takes the states a cut
// allows at every call, each distinct state once. Each is laid out in a
// folder in memory, recovered and compared byte for byte with the two data
// sets; a file the folder already holds with the right bytes (checked
// after the last recovery) is not written again, so a state costs what it
// differs in. A real cut in a child checks that the recording gives what a
// cut leaves.
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <optional>

#include "nedbrud_fixture.h"

namespace nedbrud {
namespace {

namespace tt = tavo::test;

constexpr const char *kJournal = "data/gemning.jnl";

class Stroemsvigt : public NedbrudSkole {
 protected:
  static void SetUpTestSuite() {
    LavSkole("medium");
    // The states are many and short-lived: in memory where the machine
    // has it.
    std::error_code ec;
    std::string skabelon = fs::is_directory("/dev/shm", ec) ? "/dev/shm/stroemsvigtXXXXXX"
                                                            : (base_ / "tilstandeXXXXXX").string();
    if (!mkdtemp(skabelon.data())) skabelon = (base_ / "tilstande").string();
    tilstande_ = skabelon;
  }
  static void TearDownTestSuite() {
    std::error_code ec;
    fs::remove_all(tilstande_, ec);
    opt_.reset();
    NedbrudSkole::TearDownTestSuite();
  }

  void TearDown() override {
    tt::StopPowerCut();
    NedbrudSkole::TearDown();
  }

  static inline fs::path tilstande_;
  // The recorded save and the data sets before and after it, made once.
  static inline std::optional<tt::PowerCutRecording> opt_;
  static inline Billede foer_, efter_;

  static void Optag() {
    if (opt_) return;
    KopierMappe(ren_, arbejde());
    foer_ = Foto(arbejde());
    tavo::SetFakeClock(kUr);
    tt::StartDialogScript();
    ASSERT_TRUE(Hent(arbejde()));
    Aendringer();
    tt::StartPowerCutRecording(arbejde().string());
    const bool gemt = Gem(Art::Forgrund);
    tt::PowerCutRecording r = tt::StopPowerCutRecording();
    ASSERT_TRUE(gemt) << "the save without a cut";
    efter_ = Foto(arbejde());
    ASSERT_NE(foer_, efter_);
    ASSERT_GT(r.afterCall.size(), 10u);
    opt_ = std::move(r);
  }
  static fs::path arbejde() { return base_ / "arbejde"; }

  // A state as Foto would see it laid out.
  static Billede SomFoto(const tt::PowerCutState &t) {
    Billede b;
    for (const auto &[sti, id] : t.files)
      if (IFoto(sti)) b[sti] = Bytes(opt_->contents[id].begin(), opt_->contents[id].end());
    return b;
  }
  static bool IFoto(const std::string &sti) {
    const size_t k = sti.find('/');
    if (k == std::string::npos || sti.find('/', k + 1) != std::string::npos) return false;
    const std::string mappe = sti.substr(0, k), navn = sti.substr(k + 1);
    return (mappe == "data" || mappe == "ini") && navn[0] != '.' && navn != "tavo.ini";
  }

  // The layout folder and the files in it whose bytes are known: path to
  // content number.
  struct Udlaegning {
    fs::path mappe;
    std::map<std::string, uint32_t> kendt;
  };

  // Lays a state out; a file already there with the state's bytes stays.
  static void Udlaeg(const tt::PowerCutState &t, Udlaegning *u) {
    std::error_code ec;
    fs::create_directories(u->mappe);
    std::vector<fs::path> vaek;
    for (auto it = fs::recursive_directory_iterator(u->mappe); it != fs::recursive_directory_iterator(); ++it) {
      const std::string sti = fs::relative(it->path(), u->mappe).generic_string();
      if (it->is_directory() && !it->is_symlink()) {
        if (!t.folders.count(sti)) {
          vaek.push_back(it->path());
          it.disable_recursion_pending();
        }
        continue;
      }
      auto k = u->kendt.find(sti);
      auto s = t.files.find(sti);
      if (k == u->kendt.end() || s == t.files.end() || k->second != s->second) vaek.push_back(it->path());
    }
    for (const auto &p : vaek) {
      u->kendt.erase(fs::relative(p, u->mappe).generic_string());
      fs::remove_all(p, ec);
      ASSERT_FALSE(ec) << p;
    }
    for (const auto &f : t.folders) fs::create_directories(u->mappe / f);
    for (const auto &[sti, id] : t.files) {
      if (u->kendt.count(sti)) continue;
      const std::string &d = opt_->contents[id];
      const int fd = open((u->mappe / sti).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      ASSERT_GE(fd, 0) << sti;
      ASSERT_EQ(write(fd, d.data(), d.size()), static_cast<ssize_t>(d.size())) << sti;
      close(fd);
    }
    u->kendt = t.files;
  }

  // The data set in the folder against the two byte for byte, as
  // Klassificer does with pictures, each file read into one buffer. The
  // files found equal to one of the two become the folder's known files.
  struct Sammenligning {
    Tilstand tilstand = Tilstand::Blandet;
    std::string revnet;
    std::vector<std::string> navne;
  };
  static Sammenligning Sammenlign(const tt::PowerCutState &foerT, const tt::PowerCutState &efterT,
                                  Udlaegning *u) {
    static std::string buf;
    Sammenligning r;
    u->kendt.clear();
    bool somFoer = true, somEfter = true;
    std::set<std::string> set;
    for (const char *under : {"data", "ini"}) {
      std::error_code ec;
      for (auto &e : fs::directory_iterator(u->mappe / under, ec)) {
        const std::string sti = std::string(under) + "/" + e.path().filename().string();
        if (!e.is_regular_file() || !IFoto(sti)) continue;
        set.insert(sti);
        r.navne.push_back(sti);
        const int fd = open(e.path().c_str(), O_RDONLY | O_CLOEXEC);
        buf.resize(static_cast<size_t>(e.file_size()) + 1);
        ssize_t n = 0, i;
        while (fd >= 0 && (i = read(fd, buf.data() + n, buf.size() - static_cast<size_t>(n))) > 0) n += i;
        if (fd >= 0) close(fd);
        auto lig = [&](const tt::PowerCutState &t) -> std::optional<uint32_t> {
          auto it = t.files.find(sti);
          if (it == t.files.end()) return std::nullopt;
          const std::string &d = opt_->contents[it->second];
          if (d.size() != static_cast<size_t>(n) || memcmp(d.data(), buf.data(), d.size()) != 0) return std::nullopt;
          return it->second;
        };
        const auto f = lig(foerT), e2 = lig(efterT);
        if (f) u->kendt[sti] = *f;
        else if (e2) u->kendt[sti] = *e2;
        else r.revnet += sti + " ";
        somFoer = somFoer && f;
        somEfter = somEfter && e2;
      }
    }
    // A file of one set missing from the folder.
    for (const tt::PowerCutState *t : {&foerT, &efterT})
      for (const auto &[sti, _] : t->files)
        if (IFoto(sti) && !set.count(sti)) (t == &foerT ? somFoer : somEfter) = false;
    r.tilstand = somFoer ? Tilstand::Foer : somEfter ? Tilstand::Efter : Tilstand::Blandet;
    return r;
  }
};

TEST_F(Stroemsvigt, AfterACutAtEveryCallTheNextStartHasTheOldOrTheNewDataSet) {
  ASSERT_NO_FATAL_FAILURE(Optag());
  const tt::PowerCutRecording &opt = *opt_;
  const size_t kald = opt.afterCall.size() - 1;
  // The disk as it stands before the first call and after the last.
  const tt::PowerCutState &foerT = opt.states[opt.afterCall[0][0]];
  const tt::PowerCutState &efterT = opt.states[opt.afterCall[kald][0]];
  ASSERT_TRUE(SomFoto(foerT) == foer_);
  ASSERT_TRUE(SomFoto(efterT) == efter_);

  // Once the save has reported success, a cut leaves the new data set as
  // it stands: nothing for the next start to finish, no record to replay
  // over a later save.
  for (const uint32_t id : opt.afterCall[kald]) {
    SCOPED_TRACE("after the save, disk state: " + opt.states[id].what);
    const Billede raa = SomFoto(opt.states[id]);
    EXPECT_TRUE(Rester(raa).empty()) << Rester(raa)[0];
    EXPECT_TRUE(raa == efter_) << "a cut after the save's success loses or changes data";
  }

  // Each distinct state once: laid out, recovered by the next start,
  // compared. The data are loaded in full for the first state, for one
  // whose record the recovery finishes, and for the last.
  std::vector<int> udfald(opt.states.size(), -1);
  Udlaegning u{tilstande_ / "tilstand", {}};
  bool hentetBesluttet = false;
  std::map<Tilstand, int> antal;
  for (size_t n = 0; n <= kald; ++n) {
    SCOPED_TRACE("power cut after call " + std::to_string(n) + " of " + std::to_string(kald));
    ASSERT_FALSE(opt.afterCall[n].empty());
    for (const uint32_t id : opt.afterCall[n]) {
      const tt::PowerCutState &t = opt.states[id];
      SCOPED_TRACE("disk state: " + t.what);
      if (udfald[id] < 0) {
        ASSERT_NO_FATAL_FAILURE(Udlaeg(t, &u));
        PegPaa(u.mappe);
        ASSERT_TRUE(GendanAfbrudtGemning());
        const Sammenligning s = Sammenlign(foerT, efterT, &u);
        Billede navne;
        for (const auto &navn : s.navne) navne[navn];
        EXPECT_TRUE(Rester(navne).empty()) << Rester(navne)[0];
        const auto strejfere = Strejfere(u.mappe);
        EXPECT_TRUE(strejfere.empty()) << strejfere[0];
        EXPECT_NE(s.tilstand, Tilstand::Blandet) << "torn: " << s.revnet;
        udfald[id] = static_cast<int>(s.tilstand);
        ++antal[s.tilstand];
        const bool besluttet = s.tilstand == Tilstand::Efter && t.files.count(kJournal) && !hentetBesluttet;
        if (n == 0 || n == kald || besluttet) {
          EXPECT_TRUE(Hent(u.mappe)) << "the folder loads";
          hentetBesluttet = hentetBesluttet || besluttet;
          // The load writes its own files: nothing in the folder is known.
          u.kendt.clear();
        }
      }
      if (n == 0) {
        EXPECT_EQ(udfald[id], static_cast<int>(Tilstand::Foer)) << "a cut before the save";
      }
      if (n == kald) {
        EXPECT_EQ(udfald[id], static_cast<int>(Tilstand::Efter)) << "a cut after the save";
      }
    }
    if (HasFailure()) return;
  }
  std::cout << "   " << kald << " calls, " << opt.states.size() << " disk states: " << antal[Tilstand::Foer]
            << " old, " << antal[Tilstand::Efter] << " new\n";
  EXPECT_TRUE(hentetBesluttet) << "no state where the recovery finishes a committed save";
  EXPECT_GT(antal[Tilstand::Foer], 0);
  EXPECT_GT(antal[Tilstand::Efter], 0);
}

// The recording stands in for a cut at each call: a real cut in the middle
// of the commit (the record written, the renames under way) leaves the
// states the recording gave for that call, and the save reports failure.
TEST_F(Stroemsvigt, ARealCutInTheCommitLeavesTheRecordedStatesAndTheSaveFails) {
  ASSERT_NO_FATAL_FAILURE(Optag());
  const tt::PowerCutRecording &opt = *opt_;
  // The calls after which the record is on the disk as it stands (the
  // first state of a call is the disk as it stands); the cut goes in their
  // middle, among the renames.
  std::vector<size_t> medJournal;
  for (size_t i = 1; i + 1 < opt.afterCall.size(); ++i)
    if (opt.states[opt.afterCall[i][0]].files.count(kJournal)) medJournal.push_back(i);
  ASSERT_FALSE(medJournal.empty());
  const size_t n = medJournal[medJournal.size() / 2];
  // A state by its files' paths and the hashes of their bytes.
  using Spor = std::map<std::string, std::pair<size_t, size_t>>;
  const auto spor = [](const std::string &d) { return std::make_pair(d.size(), std::hash<std::string>{}(d)); };
  std::set<Spor> forventet;
  for (const uint32_t id : opt.afterCall[n]) {
    Spor m;
    for (const auto &[sti, c] : opt.states[id].files) m[sti] = spor(opt.contents[c]);
    forventet.insert(std::move(m));
  }

  KopierMappe(ren_, arbejde_);
  const pid_t pid = fork();
  if (pid == 0) {
    tavo::SetFakeClock(kUr);
    tt::StartDialogScript();
    if (!Hent(arbejde_)) _exit(2);
    Aendringer();
    tt::StartPowerCut({arbejde_.string(), n});
    if (Gem(Art::Forgrund)) _exit(3);
    if (!tt::PowerCutHappened()) _exit(4);
    std::set<Spor> fik;
    for (const tt::DiskImage &b : tt::PowerCutImages()) {
      Spor m;
      for (const auto &[sti, d] : b.files) m[sti] = spor(d);
      fik.insert(std::move(m));
    }
    _exit(fik == forventet ? 0 : 5);
  }
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "2: no load, 3: the save reported success, 4: no cut, "
                                       "5: the cut left other states than the recording gave";
}

}  // namespace
}  // namespace nedbrud
