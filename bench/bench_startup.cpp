// The main program's start-up on the large made-up school, headless: the
// time from the entry point to the first idle message loop, against the
// data steps alone (load all, start copy, derived data) measured in the same
// run, both with the wait dialog's closing pause at 0. Prints
// "<figure> <value> <unit>" lines.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "HENTGEM.h"
#include "OPSTART.h"
#include "PROGVINDUER.h"
#include "SKOLEDATA.h"
#include "TIMOAK.h"
#include "ressourcer.h"
#include "windows.h"

namespace {

using Klok = std::chrono::steady_clock;
namespace fs = std::filesystem;

double Sekunder(Klok::time_point a, Klok::time_point b) { return std::chrono::duration<double>(b - a).count(); }

[[noreturn]] void Stop(const char *hvad) {
  std::fprintf(stderr, "bench_startup: %s\n", hvad);
  std::exit(1);
}

// Every message waiting is handled: the loop would now be idle.
void TilTomgang() {
  MSG m;
  while (PeekMessageA(&m, 0, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

}  // namespace

int main() {
  char skabelon[] = "/tmp/bench_startup_XXXXXX";
  if (!mkdtemp(skabelon)) Stop("temporary folder");
  const fs::path rod = skabelon, prog = rod / "prog", data = rod / "data";
  fs::create_directories(prog);
  SkoleStoerrelse st;
  std::string fejl;
  if (!SkoleStoerrelseFraNavn("large", &st) || LavSkoleData(data.c_str(), st, 1, &fejl) != 0) Stop(fejl.c_str());

  std::vector<std::string> args = {"/opt/tavo/10413.exe", "-p" + prog.string(), "-d" + data.string()};
  std::vector<char *> argv;
  for (std::string &a : args) argv.push_back(a.data());
  tavo::SetCommandLine(static_cast<int>(argv.size()), argv.data());
  VenteDialogLukPause = 0;

  const auto t0 = Klok::now();
  if (Opstart(kOrvaneInstans, SW_SHOWNORMAL) != kOpstartFortsaet) Stop("the start-up ended");
  TilTomgang();
  const double opstart = Sekunder(t0, Klok::now());

  // The same steps again in the running program, on the same folder.
  VenteDialogLukPause = 0;
  const auto t1 = Klok::now();
  if (!HentDataVedStart()) Stop("load all");
  GemStartKopi();
  const double data_ = Sekunder(t1, Klok::now());

  PostMessageA(hwndHoved, WM_CLOSE, 0, 0);
  const int kode = Nedluk(KoerBeskedLoekke());
  fs::remove_all(rod);
  if (kode != 0) Stop("the shutdown");
  std::printf("startup %.3f s\n", opstart);
  std::printf("dataload %.3f s\n", data_);
  std::printf("startup-vs-dataload %.3f ratio\n", data_ > 0 ? opstart / data_ : 0.0);
  return 0;
}
