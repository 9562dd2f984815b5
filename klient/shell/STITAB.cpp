#include "STITAB.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TEKST.h"
#include "tavo/cp1252.h"

StiTabData StiTab;

namespace {

// Linux hands the program file over with '/', Windows with '\'; both end a
// folder.
bool ErSeparator(char c) { return c == '\\' || c == '/'; }

// An argument in the program's code page, or false when it does not convert
// or does not fit in 259 bytes.
bool Konverter(const char *arg, char (&ud)[kMappeLaengde]) {
  std::string tekst;
  if (arg == nullptr || !tavo::ToCp1252(arg, tekst) || tekst.empty() || tekst.size() > 259)
    return false;
  std::memcpy(ud, tekst.c_str(), tekst.size() + 1);
  return true;
}

void KopierMappe(char (&mappe)[kMappeLaengde], const char *vaerdi) {
  std::snprintf(mappe, sizeof mappe, "%s", vaerdi);
}

// Trims the folder and gives it its trailing backslash (not a folder of a
// single character).
void AfslutMappe(char (&mappe)[kMappeLaengde]) {
  TrimStr(mappe);
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

void LaesKommandolinje(int argc, const char *const *argv) {
  StiTab.szprog[0] = '\0';
  StiTab.szdata[0] = '\0';
  StiTab.laastOenske = 0;

  char arg[kMappeLaengde];
  for (int i = 1; i < argc; ++i) {
    if (!Konverter(argv[i], arg) || arg[0] != '-') continue;
    switch (arg[1]) {
      case 'p':
      case 'P': KopierMappe(StiTab.szprog, arg + 2); break;
      case 'd':
      case 'D': KopierMappe(StiTab.szdata, arg + 2); break;
      case 'l':
      case 'L': StiTab.laastOenske = 1; break;
      default: break;
    }
  }

  if (StiTab.szprog[0] == '\0' && argc > 0 && Konverter(argv[0], arg)) {
    size_t n = std::strlen(arg);
    while (n > 0 && !ErSeparator(arg[n - 1])) --n;
    arg[n] = '\0';
    KopierMappe(StiTab.szprog, arg);
  }
  AfslutMappe(StiTab.szprog);
  if (StiTab.szdata[0] == '\0') KopierMappe(StiTab.szdata, StiTab.szprog);
  AfslutMappe(StiTab.szdata);
}

void MainCommandLine() {
  // The process command line as the kernel keeps it: arguments ended by zeros.
  std::ifstream fil("/proc/self/cmdline", std::ios::binary);
  std::string alt((std::istreambuf_iterator<char>(fil)), std::istreambuf_iterator<char>());
  std::vector<std::string> args;
  for (size_t start = 0; start < alt.size();) {
    const size_t slut = alt.find('\0', start);
    const size_t n = (slut == std::string::npos ? alt.size() : slut) - start;
    args.emplace_back(alt.substr(start, n));
    start += n + 1;
  }
  std::vector<const char *> argv;
  for (const std::string &a : args) argv.push_back(a.c_str());
  LaesKommandolinje(static_cast<int>(argv.size()), argv.data());

  if (StiTab.szprog[0]) {
    std::string mappe = tavo::ToUtf8(StiTab.szprog);
    for (char &c : mappe)
      if (c == '\\') c = '/';
    if (chdir(mappe.c_str()) != 0) {
      // Not fatal: the paths of the table are absolute or relative anyway.
    }
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
