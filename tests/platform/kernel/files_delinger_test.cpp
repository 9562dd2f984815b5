// Share modes as Windows keeps them: a second open against the handles
// already open on the file, in one process and across two; deleting and
// moving a file that is open; one clipboard opener at a time.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "windows.h"

namespace {

const std::string kChild = TAVO_BINARY_DIR "/tests/platform/kernel/child/kchild.exe";

constexpr DWORD R = GENERIC_READ, W = GENERIC_WRITE, RW = GENERIC_READ | GENERIC_WRITE, ALL = GENERIC_ALL;
constexpr DWORD SR = FILE_SHARE_READ, SW = FILE_SHARE_WRITE, SD = FILE_SHARE_DELETE;

// kchild started with its standard input a pipe this side holds: a child
// told to hold a file ("-i" after its "-f") keeps it until Slip.
struct Barn {
  PROCESS_INFORMATION pi{};
  HANDLE ind = 0, ud = 0;
  std::string laest;

  bool Start(const std::string &argumenter) {
    SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, TRUE};
    HANDLE inR, inW, outR, outW;
    if (!CreatePipe(&inR, &inW, &sa, 0) || !CreatePipe(&outR, &outW, &sa, 0)) return false;
    DuplicateHandle(GetCurrentProcess(), inW, GetCurrentProcess(), &ind, 0, FALSE,
                    DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE);
    DuplicateHandle(GetCurrentProcess(), outR, GetCurrentProcess(), &ud, 0, FALSE,
                    DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE);
    STARTUPINFO si;
    GetStartupInfo(&si);
    si.dwFlags |= STARTF_USESTDHANDLES;
    si.hStdInput = inR;
    si.hStdOutput = outW;
    si.hStdError = outW;
    std::string linje = "\"" + kChild + "\" " + argumenter;
    BOOL ok = CreateProcess(NULL, linje.data(), NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi);
    CloseHandle(inR);
    CloseHandle(outW);
    return ok;
  }
  // The error the child reported on its line "<letter>:<error>"; -1 when
  // its output ended without one.
  long Svar(char bogstav) {
    const std::string maerke = std::string("\n") + bogstav + ":";
    for (;;) {
      size_t at = laest.find(maerke);
      if (at != std::string::npos) {
        size_t slut = laest.find('\n', at + 1);
        if (slut != std::string::npos) return std::strtol(laest.c_str() + at + 3, nullptr, 10);
      }
      char buf[256];
      DWORD fik = 0;
      if (!ReadFile(ud, buf, sizeof buf, &fik, NULL) || fik == 0) return -1;
      laest.append(buf, fik);
    }
  }
  void Slip() {
    if (ind) CloseHandle(ind);
    ind = 0;
  }
  ~Barn() {
    Slip();
    if (pi.hProcess) {
      WaitForSingleObject(pi.hProcess, INFINITE);
      CloseHandle(pi.hProcess);
      CloseHandle(pi.hThread);
    }
    if (ud) CloseHandle(ud);
  }
};

std::string Aabning(DWORD access, DWORD share, const char *navn) {
  char a[512];
  snprintf(a, sizeof a, "-f%x,%x,%s", (unsigned)access, (unsigned)share, navn);
  return a;
}

class DelingsTilstand : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/tavo_deling_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    char buf[4096];
    ASSERT_NE(getcwd(buf, sizeof buf), nullptr);
    oldCwd_ = buf;
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    Put("fil.dat", "indhold");
  }
  void TearDown() override {
    ASSERT_EQ(chdir(oldCwd_.c_str()), 0);
    ASSERT_EQ(std::system(("rm -rf '" + dir_ + "'").c_str()), 0);
  }
  void Put(const std::string &rel, const std::string &bytes) {
    std::ofstream(dir_ + "/" + rel, std::ios::binary) << bytes;
  }
  std::string Get(const std::string &rel) {
    std::ifstream in(dir_ + "/" + rel, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  bool Findes(const std::string &rel) {
    struct stat st;
    return stat((dir_ + "/" + rel).c_str(), &st) == 0;
  }
  std::string dir_, oldCwd_;
};

// The first open's access and share, the second's, and whether Windows
// grants the second (otherwise ERROR_SHARING_VIOLATION): the access asked
// must be shared by the open already there, and the share given must cover
// the access it has.
struct Par {
  DWORD a1, s1, a2, s2;
  bool ok;
};
const Par kPar[] = {
    {R, SR, R, SR, true},
    {R, SR, W, SR | SW, false},          // the first does not share writing
    {R, SR, RW, SR | SW | SD, false},
    {R, SR, R, 0, false},                // the second does not share reading
    {R, SR | SW, W, SR | SW, true},
    {RW, SR | SW, RW, SR | SW, true},
    {RW, SR | SW, R, SR, false},         // the second does not share the first's writing
    {W, SW, W, SW, true},
    {W, SW, R, SR | SW, false},
    {W, SR | SW, R, SW, true},          // the share covers the access there, not more
    {RW, 0, R, SR | SW | SD, false},
    {R, SR | SW | SD, RW, 0, false},
    {R, SR | SW | SD, 0, 0, true},       // no data access: no part in sharing
    {0, 0, RW, 0, true},
    {ALL, SR | SW, R, SR | SW, false},   // the first deletes, the second does not share that
    {ALL, SR | SW | SD, R, SR | SW | SD, true},
    {R, SR | SW | SD, ALL, SR | SW | SD, true},
    {R, SR | SW, ALL, SR | SW | SD, false},
};

std::string Raekke(const Par &p) {
  char t[96];
  snprintf(t, sizeof t, "first %x/%x, second %x/%x", (unsigned)p.a1, (unsigned)p.s1, (unsigned)p.a2,
           (unsigned)p.s2);
  return t;
}

TEST_F(DelingsTilstand, SecondOpenInOneProcess) {
  for (const Par &p : kPar) {
    SCOPED_TRACE(Raekke(p));
    HANDLE h1 = CreateFile("fil.dat", p.a1, p.s1, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h1, INVALID_HANDLE_VALUE);
    // Another spelling of the name is the same file.
    HANDLE h2 = CreateFile("FIL.DAT", p.a2, p.s2, NULL, OPEN_EXISTING, 0, NULL);
    if (p.ok) {
      EXPECT_NE(h2, INVALID_HANDLE_VALUE);
    } else {
      EXPECT_EQ(h2, INVALID_HANDLE_VALUE);
      EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
    }
    if (h2 != INVALID_HANDLE_VALUE) CloseHandle(h2);
    CloseHandle(h1);
    // Closed, the first open no longer stands in the way.
    h2 = CreateFile("fil.dat", p.a2, p.s2, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_NE(h2, INVALID_HANDLE_VALUE);
    CloseHandle(h2);
  }
}

TEST_F(DelingsTilstand, SecondOpenAcrossProcesses) {
  for (const Par &p : kPar) {
    SCOPED_TRACE(Raekke(p));
    {
      // The child opens first and holds the file; this process asks.
      Barn b;
      ASSERT_TRUE(b.Start(Aabning(p.a1, p.s1, "fil.dat") + " -i"));
      ASSERT_EQ(b.Svar('f'), 0);
      HANDLE h2 = CreateFile("fil.dat", p.a2, p.s2, NULL, OPEN_EXISTING, 0, NULL);
      if (p.ok) {
        EXPECT_NE(h2, INVALID_HANDLE_VALUE);
      } else {
        EXPECT_EQ(h2, INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
      }
      if (h2 != INVALID_HANDLE_VALUE) CloseHandle(h2);
    }
    {
      // This process holds; the child asks.
      HANDLE h1 = CreateFile("fil.dat", p.a1, p.s1, NULL, OPEN_EXISTING, 0, NULL);
      ASSERT_NE(h1, INVALID_HANDLE_VALUE);
      Barn b;
      ASSERT_TRUE(b.Start(Aabning(p.a2, p.s2, "fil.dat")));
      EXPECT_EQ(b.Svar('f'), p.ok ? 0 : (long)ERROR_SHARING_VIOLATION);
      CloseHandle(h1);
    }
  }
}

TEST_F(DelingsTilstand, RefusedOpenLeavesTheFileAsItWas) {
  HANDLE h1 = CreateFile("fil.dat", R, SR, NULL, OPEN_EXISTING, 0, NULL);
  ASSERT_NE(h1, INVALID_HANDLE_VALUE);
  for (DWORD disp : {(DWORD)CREATE_ALWAYS, (DWORD)TRUNCATE_EXISTING}) {
    EXPECT_EQ(CreateFile("fil.dat", W, SR | SW, NULL, disp, 0, NULL), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
  }
  // The C run-time's streams share reading and writing.
  FILE *f = fopen("fil.dat", "rb");
  EXPECT_NE(f, nullptr);
  if (f) fclose(f);
  errno = 0;
  EXPECT_EQ(fopen("fil.dat", "w"), nullptr);
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(Get("fil.dat"), "indhold");
  CloseHandle(h1);

  // And a stream stands in the way of what does not share with it.
  f = fopen("fil.dat", "r");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(CreateFile("fil.dat", RW, 0, NULL, OPEN_EXISTING, 0, NULL), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
  EXPECT_FALSE(DeleteFile("fil.dat"));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_SHARING_VIOLATION);
  fclose(f);
  EXPECT_TRUE(DeleteFile("fil.dat"));
}

// An open of fil.dat, here or in a child, held until destroyed.
struct Holder {
  std::unique_ptr<Barn> barn;
  HANDLE h = INVALID_HANDLE_VALUE;
  Holder(bool iBarn, DWORD share) {
    if (iBarn) {
      barn = std::make_unique<Barn>();
      EXPECT_TRUE(barn->Start(Aabning(R, share, "fil.dat") + " -i"));
      EXPECT_EQ(barn->Svar('f'), 0);
    } else {
      h = CreateFile("fil.dat", R, share, NULL, OPEN_EXISTING, 0, NULL);
      EXPECT_NE(h, INVALID_HANDLE_VALUE);
    }
  }
  ~Holder() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

// Deleting and moving open a file for deletion: every open of it must share
// that. A target in use is never replaced.
TEST_F(DelingsTilstand, DeleteAndMoveOfAnOpenFile) {
  struct Fald {
    DWORD share;
    bool tilladt;
  } fald[] = {{SR | SW, false}, {0, false}, {SR | SW | SD, true}, {SD, true}};
  for (const Fald &c : fald) {
    for (bool iBarn : {false, true}) {
      SCOPED_TRACE(std::string(iBarn ? "held by a child" : "held here") + ", share " +
                   std::to_string(c.share));
      const DWORD ventet = c.tilladt ? 0 : ERROR_SHARING_VIOLATION;
      Put("fil.dat", "indhold");
      Put("andet.dat", "andet");
      auto holder = std::make_unique<Holder>(iBarn, c.share);
      // The file in use is not replaced, even where it shares deletion.
      EXPECT_EQ(MoveFileEx("andet.dat", "fil.dat", MOVEFILE_REPLACE_EXISTING) ? 0 : GetLastError(),
                (DWORD)ERROR_ACCESS_DENIED);
      EXPECT_EQ(Get("fil.dat"), "indhold");
      EXPECT_TRUE(Findes("andet.dat"));
      // Moving and deleting the file in use.
      EXPECT_EQ(MoveFileEx("fil.dat", "flyttet.dat", 0) ? 0 : GetLastError(), ventet);
      const char *navn = c.tilladt ? "flyttet.dat" : "fil.dat";
      EXPECT_EQ(MoveFile(navn, "igen.dat") ? 0 : GetLastError(), ventet);
      navn = c.tilladt ? "igen.dat" : "fil.dat";
      EXPECT_EQ(DeleteFile(navn) ? 0 : GetLastError(), ventet);
      EXPECT_EQ(Findes(navn), !c.tilladt);
      holder.reset();
      if (!c.tilladt) {
        EXPECT_TRUE(DeleteFile("fil.dat"));  // closed, it goes
      }
    }
  }
  // A child deletes a file this process holds.
  Put("fil.dat", "indhold");
  for (DWORD share : {SR | SW, SR | SW | SD}) {
    HANDLE h = CreateFile("fil.dat", R, share, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    Barn b;
    ASSERT_TRUE(b.Start("-dfil.dat"));
    EXPECT_EQ(b.Svar('d'), (share & SD) ? 0 : (long)ERROR_SHARING_VIOLATION);
    CloseHandle(h);
  }
  EXPECT_FALSE(Findes("fil.dat"));
}

LRESULT CALLBACK VinduesProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

TEST_F(DelingsTilstand, OneClipboardOpenerAtATime) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = VinduesProc;
  wc.lpszClassName = "DelingsVindue";
  RegisterClassA(&wc);
  HWND en = CreateWindowExA(0, "DelingsVindue", "en", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0);
  HWND to = CreateWindowExA(0, "DelingsVindue", "to", WS_POPUP, 0, 0, 10, 10, 0, 0, 0, 0);
  ASSERT_TRUE(en && to);
  ASSERT_TRUE(OpenClipboard(en));
  EXPECT_FALSE(OpenClipboard(to));
  EXPECT_FALSE(OpenClipboard(0));
  EXPECT_TRUE(OpenClipboard(en));  // the opener itself may
  EmptyClipboard();
  EXPECT_EQ(GetClipboardOwner(), en);  // still the first window's
  EXPECT_TRUE(CloseClipboard());
  ASSERT_TRUE(OpenClipboard(to));
  EmptyClipboard();
  EXPECT_EQ(GetClipboardOwner(), to);
  EXPECT_TRUE(CloseClipboard());
  DestroyWindow(en);
  DestroyWindow(to);
}

}  // namespace
