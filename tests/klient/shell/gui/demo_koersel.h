// The gui tests' run of the demo command: the real programs on the private X
// server, driven by a steps file once the main window is up.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

// Steps-file lines that wait, up to 30 s, until the load dialog has gone,
// and after a save until the save dialog has.
#define VENT_HENT "for i in $(seq 300); do \"$xvindue\" findes \"Load data\" || break; sleep 0.1; done\n"
#define VENT_GEM "for i in $(seq 300); do \"$xvindue\" findes \"Save data\" || break; sleep 0.1; done\n"

namespace guitest {

namespace fs = std::filesystem;

inline std::string Laes(const fs::path &fil) {
  std::ifstream f(fil, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Runs tools/demo.sh on the X server with the program folder rod/program
// and the data folder rod/data (a small school made when it is missing);
// skridt is written to rod/skridt.sh and run once the main window is up,
// with miljoe as its variables. The screenshots go to rod/skaerm.png and
// rod/menu.png, the output to rod/demo.log. The shell's wait status.
inline int KoerDemo(const char *server, const fs::path &rod, const char *skridt,
                    const std::vector<std::pair<std::string, std::string>> &miljoe) {
  const fs::path steps = rod / "skridt.sh";
  std::ofstream(steps) << skridt;
  std::string kommando = "DISPLAY='" + std::string(server) + "'";
  for (const auto &[navn, vaerdi] : miljoe) kommando += " " + navn + "='" + vaerdi + "'";
  kommando += " bash '" TAVO_SOURCE_DIR_DEMO "/tools/demo.sh' --build '" TAVO_BINARY_DIR "' --program '" +
              (rod / "program").string() + "' --data '" + (rod / "data").string() + "' --size small --shot '" +
              (rod / "skaerm.png").string() + "' --menu-shot '" + (rod / "menu.png").string() + "' --steps '" +
              steps.string() + "' > '" + (rod / "demo.log").string() + "' 2>&1";
  return std::system(kommando.c_str());
}

}  // namespace guitest
