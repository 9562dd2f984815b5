// The Elevplan contact program as tests and the demo meet it: installed as
// ep<version>.exe in the program folder and started once per verb with
//
//   Logon <output file> <user> [<password>] <database>
//   RolleValg <logon key> <role key> <database>
//   BehandlExpFil <logon key> <request file> <database>
//
// (an empty argument is not passed, so the database is always the last
// word). It reaches nothing outside the machine: what Elevplan would answer
// comes from the script "elevplan.standin" beside the program, one command
// a line:
//
//   bruger <database> <user> <password ...>  a known user (the password is
//                                            the rest of the line, as is)
//   noegle <key>                             the logon key Logon hands out
//   rolle <key>;<text>                       a role of that logon (none, one
//                                            or several lines)
//   svar <file>                              the answer BehandlExpFil writes
//                                            as data\ep_imp.dat (beside the
//                                            request); none: an empty answer
//   tilstand <folder>                        answer from a simulated Elevplan
//                                            whose state is that folder
//                                            (beside the program unless
//                                            absolute; see simulering.h)
//   fejl <verb> <fault> [<value>]            the fault of this verb's run:
//     kode <n>    end with exit code n at once
//     signal      end by a signal
//     haeng <ms>  hang that long (at most 30 s), then end with 1
//     tomt        end with 0 and write nothing
//     stor        write 1 MiB to standard output first
//     stderr      write a line to standard error first
//     kopiuden, feltantal, fejlblok, langlap (BehandlExpFil with a state
//                 folder): the faults of the simulated answer
//
// Every run appends "<verb>|<argument>|<argument>..." to
// "elevplan.standin.log" beside the program, so tests see exactly the words
// it got. Paths it is given in Windows form lose their drive letter and
// have '\' turned into '/'.
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "simulering.h"

namespace {

struct Bruger {
  std::string database, navn, kode;
};

struct Script {
  std::vector<Bruger> brugere;
  std::string noegle = "NOEGLE-1";
  std::vector<std::string> roller;  // "<key>;<text>"
  std::string svar;
  std::string tilstand;
  std::string fejl, fejlVaerdi;  // for this run's verb
};

std::string EgenMappe() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  std::string s(buf, (size_t)n);
  size_t skel = s.rfind('/');
  return skel == std::string::npos ? "." : s.substr(0, skel);
}

std::vector<std::string> LaesLinjer(const std::string &sti) {
  std::vector<std::string> ud;
  std::ifstream in(sti, std::ios::binary);
  std::string l;
  while (std::getline(in, l)) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    ud.push_back(l);
  }
  return ud;
}

Script LaesScript(const std::string &fil, const std::string &verbum) {
  Script s;
  for (const std::string &l : LaesLinjer(fil)) {
    std::istringstream in(l);
    std::string kmd;
    in >> kmd;
    if (kmd == "bruger") {
      Bruger b;
      in >> b.database >> b.navn;
      std::string rest;
      std::getline(in, rest);
      if (!rest.empty() && rest[0] == ' ') rest.erase(0, 1);
      b.kode = rest;
      s.brugere.push_back(b);
    } else if (kmd == "noegle") {
      in >> s.noegle;
    } else if (kmd == "rolle") {
      std::string rest;
      std::getline(in, rest);
      s.roller.push_back(rest.empty() ? rest : rest.substr(1));
    } else if (kmd == "svar") {
      in >> s.svar;
    } else if (kmd == "tilstand") {
      in >> s.tilstand;
    } else if (kmd == "fejl") {
      std::string v, f, vaerdi;
      in >> v >> f >> vaerdi;
      if (v == verbum && s.fejl.empty()) {
        s.fejl = f;
        s.fejlVaerdi = vaerdi;
      }
    }
  }
  return s;
}

std::string LinuxSti(std::string sti) {
  if (sti.size() >= 2 && sti[1] == ':') sti.erase(0, 2);
  std::replace(sti.begin(), sti.end(), '\\', '/');
  return sti;
}

void Log(const std::string &fil, const std::string &linje) {
  int fd = open(fil.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) return;
  std::string l = linje + "\n";
  if (write(fd, l.data(), l.size()) != (ssize_t)l.size()) fprintf(stderr, "elevplan: log ufuldstændig\n");
  close(fd);
}

bool SkrivHel(const std::string &sti, const std::string &data) {
  std::ofstream ud(sti, std::ios::binary | std::ios::trunc);
  ud << data;
  return (bool)ud.flush();
}

void Fremdrift(const char *tekst) {
  printf("%s\n", tekst);
  fflush(stdout);
}

int Logon(const Script &s, const std::vector<std::string> &a, const std::string &db) {
  if (a.empty() || a.size() > 3) return 1;
  const std::string navn = a.size() > 1 ? a[1] : "";
  const std::string kode = a.size() > 2 ? a[2] : "";
  Fremdrift("Forbinder til elevplan...");
  for (const Bruger &b : s.brugere) {
    if (b.database != db || b.navn != navn || b.kode != kode) continue;
    std::string ud = s.noegle + "\r\n";
    for (const std::string &r : s.roller) ud += "MEDA:" + r + "\r\n";
    if (!SkrivHel(LinuxSti(a[0]), ud)) return 3;
    Fremdrift("Logget paa.");
    return 0;
  }
  Fremdrift("Ukendt bruger eller kodeord.");
  return 1;
}

int RolleValg(const Script &s, const std::vector<std::string> &a) {
  if (a.size() != 2 || a[0] != s.noegle) return 1;
  for (const std::string &r : s.roller)
    if (a[1] == "MEDA:" + r.substr(0, r.find(';'))) return 0;
  return 1;
}

int BehandlExpFil(const Script &s, const std::vector<std::string> &a, const std::string &mappe) {
  if (a.size() != 2 || a[0] != s.noegle) return 1;
  const std::string anmodning = LinuxSti(a[1]);
  if (access(anmodning.c_str(), R_OK) != 0) return 1;
  Fremdrift("Sender anmodning...");
  std::string svar;
  if (!s.tilstand.empty()) {
    std::ifstream in(anmodning, std::ios::binary);
    std::ostringstream o;
    o << in.rdbuf();
    svar = elevplansim::Besvar(s.tilstand[0] == '/' ? s.tilstand : mappe + "/" + s.tilstand, o.str(), s.fejl);
  } else if (!s.svar.empty()) {
    std::ifstream in(mappe + "/" + s.svar, std::ios::binary);
    std::ostringstream o;
    o << in.rdbuf();
    svar = o.str();
  }
  const size_t skel = anmodning.rfind('/');
  const std::string ud = (skel == std::string::npos ? std::string(".") : anmodning.substr(0, skel)) + "/ep_imp.dat";
  if (!SkrivHel(ud, svar)) return 3;
  Fremdrift("Svar modtaget.");
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  const std::string mappe = EgenMappe();
  if (argc < 3) {
    fprintf(stderr, "elevplan: brug: <verbum> <argumenter> <database>\n");
    return 1;
  }
  const std::string verbum = argv[1];
  const std::string db = argv[argc - 1];
  std::vector<std::string> a(argv + 2, argv + argc - 1);
  std::string linje = verbum;
  for (int i = 2; i < argc; ++i) linje += std::string("|") + argv[i];
  Log(mappe + "/elevplan.standin.log", linje);

  const Script s = LaesScript(mappe + "/elevplan.standin", verbum);
  if (s.fejl == "kode") return atoi(s.fejlVaerdi.c_str());
  if (s.fejl == "signal") {
    fflush(stdout);
    kill(getpid(), SIGKILL);
  }
  if (s.fejl == "haeng") {
    long ms = std::clamp(atol(s.fejlVaerdi.c_str()), 0L, 30000L);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return 1;
  }
  if (s.fejl == "tomt") return 0;
  if (s.fejl == "stor") {
    std::string blok(1024, 'x');
    for (int i = 0; i < 1024; ++i) {
      blok[1023] = '\n';
      if (fwrite(blok.data(), 1, blok.size(), stdout) != blok.size()) break;
    }
    fflush(stdout);
  }
  if (s.fejl == "stderr") {
    fprintf(stderr, "elevplan: advarsel paa standard error\n");
    fflush(stderr);
  }
  if (verbum == "Logon") return Logon(s, a, db);
  if (verbum == "RolleValg") return RolleValg(s, a);
  if (verbum == "BehandlExpFil") return BehandlExpFil(s, a, mappe);
  fprintf(stderr, "elevplan: ukendt verbum %s\n", verbum.c_str());
  return 1;
}
