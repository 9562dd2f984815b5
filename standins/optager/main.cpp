// The recording program: tests copy it into a program folder under the name
// of the program it stands in for (opd<N>.exe, Zintel.exe, TavoMenu.exe,
// <version>.exe ...) and read afterwards how it was started.
//
// Every run appends one line to the file named by TAVO_OPTAGER_LOG (none
// when it is unset), written with a single append so that runs at the same
// time never mix their lines:
//
//   <own file name>|<working folder>|<arguments>
//
// <arguments> are the arguments it received, joined by one blank; an
// argument that is empty or holds a blank, a tab or a quote is written in
// quotes with its quotes and the backslashes before them escaped, so the
// words it got can be read back exactly. The quoting is this program's own
// on purpose: it must not share the code whose output it checks.
//
// Then it runs "<own file name>.optager" beside itself when that exists,
// one command a line (file names relative to the working folder):
//
//   ini <file> <section> <key> <value ...>   set a key in an ini file
//   fil <file> [text ...]                    make a file holding the text
//   sov <ms>                                 sleep, at most 10 seconds
//   slut <code>                              end with this exit code
//
// The program's own name and folder come from /proc/self/exe, so copy it
// (or hard-link it) rather than symlink it.
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Citer(const std::string &a) {
  if (!a.empty() && a.find_first_of(" \t\"") == std::string::npos) return a;
  std::string ud = "\"";
  size_t skraa = 0;
  for (char c : a) {
    if (c == '\\') {
      ++skraa;
      continue;
    }
    if (c == '"') {
      ud.append(skraa * 2 + 1, '\\');
    } else {
      ud.append(skraa, '\\');
    }
    skraa = 0;
    ud += c;
  }
  ud.append(skraa * 2, '\\');
  return ud + "\"";
}

std::string EgenSti() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "";
  return std::string(buf, (size_t)n);
}

std::string Arbejdsmappe() {
  char buf[PATH_MAX];
  return getcwd(buf, sizeof buf) ? buf : "";
}

void Log(const std::string &linje) {
  const char *sti = getenv("TAVO_OPTAGER_LOG");
  if (!sti || !*sti) return;
  int fd = open(sti, O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) {
    fprintf(stderr, "optager: kan ikke skrive %s\n", sti);
    return;
  }
  std::string l = linje + "\n";
  if (write(fd, l.data(), l.size()) != (ssize_t)l.size()) fprintf(stderr, "optager: log ufuldstændig\n");
  close(fd);
}

std::string Sti(std::string navn) {
  std::replace(navn.begin(), navn.end(), '\\', '/');
  return navn;
}

std::vector<std::string> LaesLinjer(const std::string &sti) {
  std::vector<std::string> linjer;
  std::ifstream in(sti, std::ios::binary);
  std::string l;
  while (std::getline(in, l)) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    linjer.push_back(l);
  }
  return linjer;
}

bool SkrivHel(const std::string &sti, const std::string &data) {
  std::ofstream ud(sti, std::ios::binary | std::ios::trunc);
  ud << data;
  return (bool)ud.flush();
}

std::string Trim(const std::string &s) {
  size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
  return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

bool EnsUdenStoerrelse(const std::string &a, const std::string &b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return tolower((unsigned char)x) == tolower((unsigned char)y); });
}

// Ini files as the programs write them: CR LF lines, sections in brackets,
// names compared without regard to case.
bool SaetIni(const std::string &fil, const std::string &sektion, const std::string &noegle,
             const std::string &vaerdi) {
  std::vector<std::string> linjer = LaesLinjer(fil);
  int sekt = -1;
  size_t slut = linjer.size();
  for (size_t i = 0; i < linjer.size(); ++i) {
    std::string t = Trim(linjer[i]);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
      if (sekt >= 0) {
        slut = i;
        break;
      }
      if (EnsUdenStoerrelse(t.substr(1, t.size() - 2), sektion)) sekt = (int)i;
    }
  }
  std::string ny = noegle + "=" + vaerdi;
  if (sekt < 0) {
    linjer.push_back("[" + sektion + "]");
    linjer.push_back(ny);
  } else {
    bool fundet = false;
    for (size_t i = (size_t)sekt + 1; i < slut; ++i) {
      size_t lig = linjer[i].find('=');
      if (lig != std::string::npos && EnsUdenStoerrelse(Trim(linjer[i].substr(0, lig)), noegle)) {
        linjer[i] = ny;
        fundet = true;
        break;
      }
    }
    if (!fundet) {
      // Before the blank lines that end the section.
      size_t ind = slut;
      while (ind > (size_t)sekt + 1 && Trim(linjer[ind - 1]).empty()) --ind;
      linjer.insert(linjer.begin() + (long)ind, ny);
    }
  }
  std::string data;
  for (auto &l : linjer) data += l + "\r\n";
  return SkrivHel(fil, data);
}

}  // namespace

int main(int argc, char **argv) {
  std::string egen = EgenSti();
  size_t skel = egen.rfind('/');
  std::string navn = skel == std::string::npos ? egen : egen.substr(skel + 1);
  std::string mappe = skel == std::string::npos ? "." : egen.substr(0, skel);

  std::string args;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) args += ' ';
    args += Citer(argv[i]);
  }
  Log(navn + "|" + Arbejdsmappe() + "|" + args);

  int kode = 0;
  for (const std::string &linje : LaesLinjer(mappe + "/" + navn + ".optager")) {
    std::istringstream in(linje);
    std::string kmd;
    in >> kmd;
    if (kmd == "ini") {
      std::string fil, sektion, noegle, vaerdi;
      in >> fil >> sektion >> noegle;
      std::getline(in, vaerdi);
      if (!SaetIni(Sti(fil), sektion, noegle, Trim(vaerdi))) fprintf(stderr, "optager: kan ikke skrive %s\n", fil.c_str());
    } else if (kmd == "fil") {
      std::string fil, tekst;
      in >> fil;
      std::getline(in, tekst);
      tekst = Trim(tekst);
      if (!SkrivHel(Sti(fil), tekst.empty() ? "" : tekst + "\r\n"))
        fprintf(stderr, "optager: kan ikke skrive %s\n", fil.c_str());
    } else if (kmd == "sov") {
      long ms = 0;
      in >> ms;
      std::this_thread::sleep_for(std::chrono::milliseconds(std::clamp(ms, 0L, 10000L)));
    } else if (kmd == "slut") {
      in >> kode;
      break;
    } else if (!kmd.empty() && kmd[0] != '#') {
      fprintf(stderr, "optager: ukendt kommando %s\n", kmd.c_str());
    }
  }
  return kode;
}
