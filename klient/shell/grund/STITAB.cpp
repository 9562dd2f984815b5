// The program and data folders from the command line and the file paths formed from them once.
#include "STITAB.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "pathmap.h"
#include "tavo/cp1252.h"
#include "windows.h"

StiTabData StiTab;

namespace {

// Linux hands the program file over with '/', Windows with '\'; both end a
// folder.
bool ErSeparator(char c) { return c == '\\' || c == '/'; }

// Blanks, control characters and quotes off both ends, as the command line
// may leave them around a folder.
void Trim(char *tekst) {
  auto fyld = [](unsigned char c) { return c <= ' ' || c == '"'; };
  size_t start = 0;
  while (tekst[start] && fyld(static_cast<unsigned char>(tekst[start]))) ++start;
  size_t laengde = std::strlen(tekst + start);
  if (start > 0) std::memmove(tekst, tekst + start, laengde + 1);
  while (laengde > 0 && fyld(static_cast<unsigned char>(tekst[laengde - 1]))) tekst[--laengde] = '\0';
}

void KopierMappe(char (&mappe)[kMappeLaengde], const char *vaerdi) {
  std::snprintf(mappe, sizeof mappe, "%s", vaerdi);
}

// Trims the folder and gives it its trailing backslash (not a folder of a
// single character).
void AfslutMappe(char (&mappe)[kMappeLaengde]) {
  Trim(mappe);
  const size_t n = std::strlen(mappe);
  if (n > 1 && !ErSeparator(mappe[n - 1]) && n + 1 < sizeof mappe) {
    mappe[n] = '\\';
    mappe[n + 1] = '\0';
  }
}

void DanSti(char (&sti)[kStiLaengde], const char *mappe, const char *navn) {
  std::snprintf(sti, sizeof sti, "%s%s", mappe, navn);
}

}  // namespace

namespace {

// The arguments in the program's code page; a skipped one is empty.
void LaesArgumenter(const std::vector<std::string> &args) {
  StiTab.szprog[0] = '\0';
  StiTab.szdata[0] = '\0';
  StiTab.laastOenske = 0;

  for (size_t i = 1; i < args.size(); ++i) {
    const std::string &arg = args[i];
    if (arg.size() < 1 || arg[0] != '-') continue;
    const char *vaerdi = arg.size() >= 2 ? arg.c_str() + 2 : "";
    switch (arg.size() >= 2 ? arg[1] : '\0') {
      case 'p':
      case 'P': KopierMappe(StiTab.szprog, vaerdi); break;
      case 'd':
      case 'D': KopierMappe(StiTab.szdata, vaerdi); break;
      case 'l':
      case 'L': StiTab.laastOenske = 1; break;
      default: break;
    }
  }

  if (StiTab.szprog[0] == '\0' && !args.empty() && !args[0].empty()) {
    std::string prog = args[0];
    size_t n = prog.size();
    while (n > 0 && !ErSeparator(prog[n - 1])) --n;
    KopierMappe(StiTab.szprog, prog.substr(0, n).c_str());
  }
  AfslutMappe(StiTab.szprog);
  if (StiTab.szdata[0] == '\0') KopierMappe(StiTab.szdata, StiTab.szprog);
  AfslutMappe(StiTab.szdata);
}

}  // namespace

void LaesKommandolinje(int argc, const char *const *argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc; ++i) {
    std::string tekst;
    if (argv[i] == nullptr || !tavo::ToCp1252(argv[i], tekst) || tekst.size() > 259) tekst.clear();
    args.push_back(tekst);
  }
  LaesArgumenter(args);
}

void MainCommandLine() {
  int antal = 0;
  LPWSTR *argv = CommandLineToArgvW(GetCommandLineW(), &antal);
  std::vector<std::string> args;
  for (int i = 0; argv != nullptr && i < antal; ++i) {
    char buf[kMappeLaengde - 1];  // 260 bytes
    const int n = WideCharToMultiByte(CP_ACP, 0, argv[i], -1, buf, sizeof buf, nullptr, nullptr);
    // Nothing converted, or no room for the text and its zero: skipped.
    args.emplace_back(n > 1 ? std::string(buf, static_cast<size_t>(n - 1)) : std::string());
  }
  if (argv) LocalFree(argv);
  LaesArgumenter(args);

  std::string mappe;
  if (StiTab.szprog[0] && tavo::MapPath(StiTab.szprog, mappe) && chdir(mappe.c_str()) != 0) {
    // Not fatal: every path of the table is formed from the folders anyway.
  }
}

void InitStiTab() {
  const char *d = StiTab.szdata;
  const char *p = StiTab.szprog;
  DanSti(StiTab.szskrm, d, "ini\\skrm.ini");
  DanSti(StiTab.szini, d, "ini\\tavo.ini");
  DanSti(StiTab.szautoske, d, "ini\\autoske.ini");
  DanSti(StiTab.szlck, d, "ini\\tavo.lck");
  DanSti(StiTab.szexp, d, "data\\exp.dat");
  DanSti(StiTab.szzipexp, d, "data\\exp.dat.gz");
  DanSti(StiTab.szimp, d, "data\\imp.dat");
  DanSti(StiTab.szzipimp, d, "data\\imp.dat.gz");
  DanSti(StiTab.szepexp, d, "data\\ep_exp.dat");
  DanSti(StiTab.szzipepexp, d, "data\\ep_exp.dat.gz");
  DanSti(StiTab.szepimp, d, "data\\ep_imp.dat");
  DanSti(StiTab.szzipepimp, d, "data\\ep_imp.dat.gz");
  DanSti(StiTab.szasexp, d, "data/as_exp.json");
  DanSti(StiTab.szasimp, d, "data/as_imp.json");
  DanSti(StiTab.szopdatlck, p, "opdat.lck");
  DanSti(StiTab.szdisableserver, d, "disableserver.lck");
  DanSti(StiTab.szdisableserverprog, p, "disableserver.lck");
}
