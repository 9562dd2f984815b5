// mkdata <data folder> [--size small|medium|large] [--seed N] [--fonts DIR]
// Makes the data folder of a made-up vocational school, with the program's
// font files and shipped ini files (the field-switch layouts and the
// palette) in its ini folder, where the main program reads them at start,
// and a saved screen layout that holds the student planning window.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "SKOLEDATA.h"
#include "windows.h"

namespace {

int Brug() {
  fprintf(stderr, "brug: mkdata <datamappe> [--size small|medium|large] [--seed N] [--fonts MAPPE]\n");
  return 2;
}

// The fonts ship in the program folder's fonts/ and the ini files in its
// ini/, beside the installed tools; a build keeps them in folders of the
// same names.
std::filesystem::path ProgramMappe(const char *navn, const char *argv0, const char *bygget) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path selv = fs::canonical("/proc/self/exe", ec);
  if (ec) selv = argv0;
  for (fs::path kandidat : {selv.parent_path() / navn, selv.parent_path().parent_path() / navn})
    if (fs::is_directory(kandidat, ec)) return kandidat;
  return bygget;
}

std::filesystem::path FontMappe(const char *valgt, const char *argv0) {
  if (valgt) return valgt;
  return ProgramMappe("fonts", argv0, TAVO_FONT_DIR);
}

// Copies the ini files the program ships into <data folder>/ini.
bool KopierIniFiler(const std::filesystem::path &fra, const std::string &mappe, std::string *fejl) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const char *navn : {"TavoSwt.ini", "tavo.pal", "tavo_skema_udskrift.jpg"}) {
    fs::copy_file(fra / navn, fs::path(mappe) / "ini" / navn, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      *fejl = "kan ikke kopiere " + (fra / navn).string() + ": " + ec.message();
      return false;
    }
  }
  return true;
}

// Copies every font file into <data folder>/ini; false with a reason when a
// file cannot be copied or there are none.
bool KopierFonte(const std::filesystem::path &fra, const std::string &mappe, std::string *fejl) {
  namespace fs = std::filesystem;
  std::error_code ec;
  int antal = 0;
  for (const auto &e : fs::directory_iterator(fra, ec)) {
    if (e.path().extension() != ".ttf") continue;
    fs::copy_file(e.path(), fs::path(mappe) / "ini" / e.path().filename(), fs::copy_options::overwrite_existing, ec);
    if (ec) break;
    ++antal;
  }
  if (ec || antal == 0) {
    *fejl = "kan ikke kopiere skrifttyperne fra " + fra.string() + (ec ? ": " + ec.message() : "");
    return false;
  }
  return true;
}

// Saved screen layout 1, "Planlægning", holding the student planning window
// alone: the demo school reaches the window from "Diverse" > "Egne vinduer",
// as the main menu has no entry of its own for it. The layout is kept for a
// screen of 1024 x 768.
bool SkrivSkaermLayout(const std::string &mappe, std::string *fejl) {
  const std::string fil = mappe + "/ini/skrm.ini";
  int32_t vindue = 40225, bredde = 1024, hoejde = 768;
  if (WritePrivateProfileStringA("skrm1", "navn", "Planlægning", fil.c_str()) &&
      WritePrivateProfileStructA("skrm1", "desk0_id", &vindue, sizeof vindue, fil.c_str()) &&
      WritePrivateProfileStructA("skrm1", "skrm_cx", &bredde, sizeof bredde, fil.c_str()) &&
      WritePrivateProfileStructA("skrm1", "skrm_cy", &hoejde, sizeof hoejde, fil.c_str()))
    return true;
  *fejl = "kan ikke skrive " + fil;
  return false;
}

}  // namespace

int main(int argc, char **argv) {
  const char *mappe = nullptr;
  const char *stoerrelse = "medium";
  const char *fonte = nullptr;
  uint64_t seed = 1;
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--size") == 0 && i + 1 < argc) {
      stoerrelse = argv[++i];
    } else if (strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      char *slut = nullptr;
      errno = 0;
      seed = strtoull(argv[++i], &slut, 10);
      if (errno || slut == argv[i] || *slut) return Brug();
    } else if (strcmp(argv[i], "--fonts") == 0 && i + 1 < argc) {
      fonte = argv[++i];
    } else if (argv[i][0] != '-' && !mappe) {
      mappe = argv[i];
    } else {
      return Brug();
    }
  }
  SkoleStoerrelse st;
  if (!mappe || !SkoleStoerrelseFraNavn(stoerrelse, &st)) return Brug();
  std::string fejl;
  if (LavSkoleData(mappe, st, seed, &fejl) != 0 || !KopierFonte(FontMappe(fonte, argv[0]), mappe, &fejl) ||
      !KopierIniFiler(ProgramMappe("ini", argv[0], TAVO_INI_DIR), mappe, &fejl) || !SkrivSkaermLayout(mappe, &fejl)) {
    fprintf(stderr, "mkdata: %s\n", fejl.c_str());
    return 1;
  }
  printf("mkdata: %s (%s, seed %llu)\n", mappe, stoerrelse, static_cast<unsigned long long>(seed));
  return 0;
}
