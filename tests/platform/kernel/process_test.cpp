// Child processes with pipes, as the contact program is run: arguments as a
// Windows program would split them, output through one pipe shared by
// stdout and stderr, exit code after the wait.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "handles.h"
#include "win/kernel.h"

namespace {

const std::string kChild = TAVO_BINARY_DIR "/tests/platform/kernel/child/kchild.exe";

// Reads a pipe through its handle until the read fails, as the caller of
// the contact program does.
std::string ReadAll(HANDLE h, DWORD *lastError) {
  std::string out;
  char buf[255];
  DWORD got = 0;
  while (ReadFile(h, buf, sizeof buf, &got, NULL)) out.append(buf, got);
  *lastError = GetLastError();
  return out;
}

struct Child {
  PROCESS_INFORMATION pi{};
  HANDLE out = 0;  // parent's read end of the child's output
};

// The pipe set-up of the contact program's caller: child stdin is a pipe
// whose write end is closed at once, stdout and stderr share one pipe.
bool StartWithPipe(const std::string &commandLine, Child &c) {
  SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, TRUE};
  HANDLE inR, inW, outR, outW;
  if (!CreatePipe(&inR, &inW, &sa, 0)) return false;
  if (!CreatePipe(&outR, &outW, &sa, 0)) return false;
  EXPECT_TRUE(DuplicateHandle(GetCurrentProcess(), outR, GetCurrentProcess(), &c.out, 0, FALSE,
                              DUPLICATE_SAME_ACCESS | DUPLICATE_CLOSE_SOURCE));
  CloseHandle(inW);
  STARTUPINFO si;
  GetStartupInfo(&si);
  si.dwFlags |= STARTF_USESTDHANDLES;
  si.hStdInput = inR;
  si.hStdOutput = outW;
  si.hStdError = outW;
  std::string line = commandLine;
  BOOL ok = CreateProcess(NULL, line.data(), NULL, NULL, TRUE,
                          CREATE_DEFAULT_ERROR_MODE | DETACHED_PROCESS | CREATE_NO_WINDOW, NULL,
                          NULL, &si, &c.pi);
  CloseHandle(inR);
  CloseHandle(outW);
  if (!ok) CloseHandle(c.out);
  return ok;
}

TEST(ProcessPipe, ChildGetsWindowsArgumentsAndReportsThroughOnePipe) {
  Child c;
  ASSERT_TRUE(StartWithPipe("\"" + kChild + "\" -p\"C:\\Prog\\\" -d\"C:\\Data\\\" \"\" æ -i -x3", c));
  DWORD err = 0;
  std::string out = ReadAll(c.out, &err);
  EXPECT_EQ(err, (DWORD)ERROR_BROKEN_PIPE);
  // The quoted folders ending in a backslash run together into one argument
  // with literal quotes, exactly as on Windows.
  EXPECT_EQ(out, "[-pC:\\Prog\" -dC:\\Data\"]\n[]\n[æ]\n[-i]\n[-x3]\nstderr\nin:0\n");
  EXPECT_EQ(WaitForSingleObject(c.pi.hProcess, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(c.pi.hProcess, &code));
  EXPECT_EQ(code, 3u);
  EXPECT_EQ(WaitForSingleObject(c.pi.hThread, 0), WAIT_OBJECT_0);
  for (HANDLE h : {c.out, c.pi.hProcess, c.pi.hThread}) EXPECT_TRUE(CloseHandle(h));
}

TEST(ProcessStart, StandardHandleAtDescriptorZeroReachesItsPlace) {
  // With our stdin closed, the file made next sits at descriptor 0, the
  // place the child's stdin goes to: placing stdin first must not overwrite
  // it before it becomes the child's stdout.
  std::string out = TAVO_BINARY_DIR "/tests/platform/kernel/kchild_out.txt";
  SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, TRUE};
  int saved = dup(0);
  close(0);
  HANDLE f = CreateFile(out.c_str(), GENERIC_WRITE, 0, &sa, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
  tavo::SetHandleInheritable(f, true);
  HANDLE inR, inW;
  bool piped = CreatePipe(&inR, &inW, &sa, 0);
  STARTUPINFO si;
  GetStartupInfo(&si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = inR;
  si.hStdOutput = f;
  si.hStdError = f;
  PROCESS_INFORMATION pi{};
  std::string line = "\"" + kChild + "\" -i -x1";
  BOOL ok = piped && CreateProcess(NULL, line.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
  for (HANDLE h : {f, inR, inW}) CloseHandle(h);
  dup2(saved, 0);
  close(saved);
  ASSERT_TRUE(ok);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  std::ifstream in(out, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "[-i]\n[-x1]\nstderr\nin:0\n");
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  unlink(out.c_str());
}

TEST(ProcessWait, RunningChildTimesOutThenEnds) {
  std::string line = "\"" + kChild + "\" -s300";
  STARTUPINFO si;
  GetStartupInfo(&si);
  PROCESS_INFORMATION pi;
  // Its output goes to ours: no standard handles of its own.
  ASSERT_TRUE(CreateProcess(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
  EXPECT_NE(pi.dwProcessId, 0u);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 0), WAIT_TIMEOUT);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, (DWORD)STILL_ACTIVE);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 0u);
  // Already reaped: no zombie is left behind.
  int status;
  EXPECT_EQ(waitpid((pid_t)pi.dwProcessId, &status, WNOHANG), -1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

TEST(ProcessWait, TerminateGivesItsCode) {
  std::string line = "\"" + kChild + "\" -s20000";
  STARTUPINFO si;
  GetStartupInfo(&si);
  PROCESS_INFORMATION pi;
  ASSERT_TRUE(CreateProcess(NULL, line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
  EXPECT_TRUE(TerminateProcess(pi.hProcess, 9));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 9u);
  EXPECT_FALSE(TerminateProcess(pi.hProcess, 1));
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
}

TEST(ProcessStart, UnquotedFolderWithBlanksIsFoundAsOnWindows) {
  char tmpl[] = "/tmp/tavo_proc_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  std::string folder = std::string(tmpl) + "/Program Files";
  std::filesystem::create_directory(folder);
  std::filesystem::copy_file(kChild, folder + "/kchild.exe");
  Child c;
  // The program is found, and it gets the arguments Windows would give it:
  // the unquoted name splits at its blank.
  ASSERT_TRUE(StartWithPipe(folder + "/kchild -x4", c));
  DWORD err = 0;
  EXPECT_EQ(ReadAll(c.out, &err), "[Files/kchild]\n[-x4]\nstderr\n");
  EXPECT_EQ(WaitForSingleObject(c.pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(c.pi.hProcess, &code));
  EXPECT_EQ(code, 4u);
  for (HANDLE h : {c.out, c.pi.hProcess, c.pi.hThread}) CloseHandle(h);
  std::filesystem::remove_all(tmpl);
}

TEST(ProcessStart, FileThatIsNoProgramFailsClearly) {
  char tmpl[] = "/tmp/tavo_proc_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  std::string junk = std::string(tmpl) + "/ep10413.exe";
  std::ofstream(junk) << "MZ not a Linux program";
  std::filesystem::permissions(junk, std::filesystem::perms::owner_all);
  STARTUPINFO si;
  GetStartupInfo(&si);
  PROCESS_INFORMATION pi{};
  std::string line = junk + " Logon";
  EXPECT_FALSE(CreateProcess(NULL, line.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_BAD_EXE_FORMAT);
  std::filesystem::remove_all(tmpl);
}

TEST(ProcessStart, MissingProgramIsFileNotFound) {
  for (std::string line : {std::string("kchild_missing -x"), "\"" + kChild + "x\" a",
                           std::string("C:\\nowhere\\ep10413.exe Logon")}) {
    STARTUPINFO si;
    GetStartupInfo(&si);
    PROCESS_INFORMATION pi{};
    SetLastError(0);
    EXPECT_FALSE(CreateProcess(NULL, line.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi))
        << line;
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND) << line;
  }
}

TEST(ProcessStart, ExeAppendedAndOnlyInheritableHandlesReachTheChild) {
  // Name without ".exe"; the pipe is not inheritable, so the child's output
  // goes to /dev/null and our read end sees the pipe broken once we close
  // our write end.
  SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, FALSE};
  HANDLE r, w;
  ASSERT_TRUE(CreatePipe(&r, &w, &sa, 0));
  STARTUPINFO si;
  GetStartupInfo(&si);
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = 0;
  si.hStdOutput = w;
  si.hStdError = w;
  PROCESS_INFORMATION pi;
  std::string line = kChild.substr(0, kChild.size() - 4) + " -x5";
  ASSERT_TRUE(CreateProcess(NULL, line.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi));
  CloseHandle(w);
  DWORD err = 0;
  EXPECT_EQ(ReadAll(r, &err), "");
  EXPECT_EQ(err, (DWORD)ERROR_BROKEN_PIPE);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeProcess(pi.hProcess, &code));
  EXPECT_EQ(code, 5u);
  for (HANDLE h : {r, pi.hProcess, pi.hThread}) CloseHandle(h);
}

TEST(ProcessPipe, ReadsWhatIsThereAndWritesToAClosedPipeFail) {
  HANDLE r, w;
  ASSERT_TRUE(CreatePipe(&r, &w, NULL, 0));
  DWORD n = 0;
  EXPECT_TRUE(WriteFile(w, "abc", 3, &n, NULL));
  EXPECT_EQ(n, 3u);
  char buf[16] = {};
  EXPECT_TRUE(ReadFile(r, buf, sizeof buf, &n, NULL));
  EXPECT_EQ(std::string(buf, n), "abc");
  // A duplicate keeps the write end open after the original closes.
  HANDLE w2;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), w, GetCurrentProcess(), &w2, 0, FALSE,
                              DUPLICATE_SAME_ACCESS));
  CloseHandle(w);
  EXPECT_TRUE(WriteFile(w2, "d", 1, &n, NULL));
  EXPECT_TRUE(ReadFile(r, buf, 2, &n, NULL));
  EXPECT_EQ(n, 1u);
  CloseHandle(w2);
  EXPECT_FALSE(ReadFile(r, buf, 2, &n, NULL));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_BROKEN_PIPE);
  CloseHandle(r);

  ASSERT_TRUE(CreatePipe(&r, &w, NULL, 0));
  CloseHandle(r);
  EXPECT_FALSE(WriteFile(w, "x", 1, &n, NULL));
  EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_DATA);
  CloseHandle(w);
}

}  // namespace
