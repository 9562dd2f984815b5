// The stand-in's file store: the spool folder, with the server's names as
// paths below it and gzip through zlib.
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>

#include "jobserver.h"

namespace jobserver {

bool GyldigtNavn(const std::string &navn) {
  if (navn.empty() || navn.size() > 200 || navn[0] == '/' || navn.back() == '/') return false;
  size_t start = 0;
  for (;;) {
    const size_t slut = navn.find('/', start);
    const std::string del = navn.substr(start, slut - start);
    if (del.empty() || del == "." || del == "..") return false;
    if (slut == std::string::npos) break;
    start = slut + 1;
  }
  for (unsigned char c : navn)
    if (c <= ' ' || c == '\\' || c == 127) return false;
  return true;
}

std::string SpoolSti(const std::string &navn) { return gInd.spool + "/" + navn; }

namespace {

// The folders of a name's path inside the spool.
void LavMapper(const std::string &navn) {
  for (size_t i = navn.find('/'); i != std::string::npos; i = navn.find('/', i + 1))
    mkdir(SpoolSti(navn.substr(0, i)).c_str(), 0777);
}

}  // namespace

bool FilFindes(const std::string &navn) {
  struct stat st;
  return stat(SpoolSti(navn).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool LaesFil(const std::string &navn, std::string *data) {
  if (!FilFindes(navn)) return false;
  std::ifstream ind(SpoolSti(navn), std::ios::binary);
  if (!ind) return false;
  data->assign(std::istreambuf_iterator<char>(ind), std::istreambuf_iterator<char>());
  return !ind.bad();
}

bool SkrivFil(const std::string &navn, const std::string &data) {
  LavMapper(navn);
  const std::string sti = SpoolSti(navn);
  const std::string tmp = sti + ".tmp" + std::to_string(getpid()) + "_" +
                          std::to_string(reinterpret_cast<uintptr_t>(&data));
  FILE *f = fopen(tmp.c_str(), "wb");
  if (!f) return false;
  const bool ok = fwrite(data.data(), 1, data.size(), f) == data.size();
  std::error_code ec;
  if (fclose(f) != 0 || !ok || (std::filesystem::rename(tmp, sti, ec), ec)) {
    unlink(tmp.c_str());
    return false;
  }
  return true;
}

bool SletFil(const std::string &navn) { return FilFindes(navn) && unlink(SpoolSti(navn).c_str()) == 0; }

bool Pak(const std::string &navn) {
  std::string data;
  if (!LaesFil(navn, &data)) return false;
  const std::string maal = SpoolSti(navn + ".gz");
  gzFile gz = gzopen(maal.c_str(), "wb");
  if (!gz) return false;
  bool ok = data.empty() || gzwrite(gz, data.data(), static_cast<unsigned>(data.size())) ==
                                static_cast<int>(data.size());
  ok = gzclose(gz) == Z_OK && ok;
  if (!ok) {
    unlink(maal.c_str());
    return false;
  }
  return SletFil(navn);
}

bool Udpak(const std::string &navn) {
  if (!FilFindes(navn + ".gz")) return false;
  gzFile gz = gzopen(SpoolSti(navn + ".gz").c_str(), "rb");
  if (!gz) return false;
  std::string data;
  char buf[8192];
  int n;
  while ((n = gzread(gz, buf, sizeof buf)) > 0) data.append(buf, static_cast<size_t>(n));
  const bool lukket = gzclose(gz) == Z_OK;
  const bool ok = n == 0 && lukket;
  if (!ok || !SkrivFil(navn, data)) return false;
  return SletFil(navn + ".gz");
}

}  // namespace jobserver

namespace jobserver {
namespace {
std::mutex gJobLaas;
std::map<std::string, Job> gJobs;

const char *const kCentralTilstand = "central/tilstand";

// The central system's answer to the export waiting as ind; its state
// (the next id, its counts) kept in the spool from job to job.
std::string CentralJob(const std::string &ind, const CentralScript &central) {
  std::string eksport, tekst;
  LaesFil(ind, &eksport);
  LaesFil(kCentralTilstand, &tekst);
  CentralTilstand t = LaesTilstand(tekst);
  std::vector<std::string> log;
  const std::string svar = CentralSvar(eksport, central, &t, time(nullptr), &log);
  for (const std::string &l : log) Log(0, "#central " + l);
  SkrivFil(kCentralTilstand, SkrivTilstand(t));
  Log(0, "#central svar " + ind + " " + svar.substr(0, svar.find('\n')));
  return svar;
}

bool Afslut(const std::string &ind, const std::string &ud, const std::string &resultat, bool pakket,
            const CentralScript *central, bool autoskema) {
  std::string data;
  std::ifstream i(resultat, std::ios::binary);
  if (!resultat.empty() && i) data.assign(std::istreambuf_iterator<char>(i), std::istreambuf_iterator<char>());
  else if (resultat.empty() && central) data = CentralJob(ind, *central);
  else if (resultat.empty() && autoskema && LaesFil(ind, &data)) data = AutoSkemaSvar(data);
  if (!SkrivFil(ud, data) || (pakket && !Pak(ud))) return false;
  SletFil(ind);
  return true;
}
}  // namespace

bool KoeJob(const std::string &ind, int ins, long sekunder, long polls) {
  if (!FilFindes(ind)) return false;
  std::lock_guard<std::mutex> g(gJobLaas);
  gJobs[ind] = Job{ins, sekunder, polls, false};
  return true;
}

bool PollJob(const std::string &ind, const std::string &ud, const std::string &resultat, bool pakket,
             const CentralScript *central, Job *job, bool autoskema) {
  std::lock_guard<std::mutex> g(gJobLaas);
  auto it = gJobs.find(ind);
  if (it == gJobs.end()) return false;
  if (it->second.polls <= 0) {
    gJobs.erase(it);
    Afslut(ind, ud, resultat, pakket, central, autoskema);
    return false;
  }
  --it->second.polls;
  *job = it->second;
  it->second.startet = true;
  return true;
}

}  // namespace jobserver
