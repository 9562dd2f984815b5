// data\ep_imp.dat and ini\ep_imp_test.dat. The log of a run is one stream,
// open from the start of the passes to their end and flushed after every
// error answer, so that the generic importer's messages and the answers'
// errors lie in the order they were met.
#include "EPIMPORT.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ELEVLISTE.h"
#include "ELEVPLANKMD.h"
#include "ELEVTAB.h"
#include "EPEXPORT.h"
#include "FINDREC.h"
#include "HENTGEM.h"
#include "INDSTIL.h"
#include "ImpTabel.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "PROGVINDUER.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "TEKST.h"

uint32_t EpFejlAntal;
EpImportKroge EpImportKrog;

namespace {

constexpr char kLogNavn[] = "LOG\\EP_IMPORT.LOG";
constexpr char kTestFilNavn[] = "ini\\ep_imp_test.dat";
constexpr char kLogHoved[] = "Fejl i forbindelse med import fra ElevPlan - ring til TavoSupport\n";
constexpr char kTitel[] = "Elevplan import";

// The state of the passes running now.
FILE *EpLog = nullptr;
ImportStatus *EpStatus = nullptr;

bool ErHoved(const char *linje) { return linje[0] == '@' || linje[0] == '#'; }

bool Laes(FILE *fil, char *linje) { return LaesImportLinje(fil, linje, EP_LINJE_LEN); }

// Reads up to the next header without using the lines.
char *SpringOver(FILE *fil, char *linje) {
  while (Laes(fil, linje))
    if (ErHoved(linje)) return linje;
  return nullptr;
}

// The name of the section whose header linje holds: the text after its
// first character, trimmed. navn holds EP_LINJE_LEN bytes.
void SektionsNavn(const char *linje, char *navn) {
  snprintf(navn, EP_LINJE_LEN, "%s", linje[0] ? linje + 1 : linje);
  TrimStr(navn);
}

// The text after the characters that trimming drops in front.
const char *EfterFyld(const char *s) {
  while (*s && (static_cast<unsigned char>(*s) <= ' ' || *s == '"')) ++s;
  return s;
}

uint32_t Tal(const char *felt) { return static_cast<uint32_t>(strtoul(felt, nullptr, 10)); }

// A text field of a record as a view that never runs past the field.
template <size_t N>
std::string_view Felt(const char (&f)[N]) {
  return std::string_view(f, strnlen(f, N));
}

// ---- The log ----

void EpLogSkriv(const char *tekst) {
  if (EpLog == nullptr) return;
  fputs(tekst, EpLog);
  fflush(EpLog);
}

// One error answer: the header first when none has been written since the
// export command, then the text and a line end; counted and shown.
void EpFejlSvar(const char *tekst) {
  if (EpFejlAntal == 0) EpLogSkriv(kLogHoved);
  EpLogSkriv(tekst);
  EpLogSkriv("\n");
  ++EpFejlAntal;
  GentegnEpStatus();
}

void EpForkertAntalFelter(const char *linje) {
  if (EpLog == nullptr) return;
  fprintf(EpLog, "Lilien har ikke det rigtige antal felter - %s\n", linje);
  fflush(EpLog);
}

// An error text built in the 200-character buffer, cut to fit.
class FejlTekst {
 public:
  FejlTekst &operator<<(std::string_view s) {
    const size_t plads = sizeof buf_ - 1 - n_;
    const size_t k = std::min(plads, s.size());
    memcpy(buf_ + n_, s.data(), k);
    n_ += k;
    buf_[n_] = '\0';
    return *this;
  }
  const char *c_str() const { return buf_; }

 private:
  char buf_[EP_FEJLTEKST_LEN] = {};
  size_t n_ = 0;
};

// ---- The answers' indexes ----

// The kind of answer whose index is held; another section of any kind
// drops it, so an index lives through consecutive sections of its kind
// only, in which nothing but its own answers changes the records. A
// handler called outside the passes drops its index when it ends.
enum class IndeksArt { Ingen, LaNavn, EvPar, EvId };
IndeksArt HoldtIndeks = IndeksArt::Ingen;
bool IPassene = false;

// Learning activities waiting for Elevplan's copy (live, ElevPlanStatus 1),
// by name, then record number.
std::vector<uint32_t> LaNavnIndeks;
// Wishes sent as new (live, ElevPlanStatus 2), by (student, activity)
// record numbers, then record number.
std::vector<std::pair<uint64_t, uint32_t>> EvParIndeks;
// Wishes of the current status class (1..99), by id, then record number.
std::vector<std::pair<uint32_t, uint32_t>> EvIdIndeks;

bool LaVenterKopi(const LaRec &la) {
  return ElevTabAktiv(la.Status) && la.ElevPlanStatus == EP_LA_KOPI_BEDT;
}
bool EvSendtNy(const EvRec &ev) { return ElevTabAktiv(ev.Status) && ev.ElevPlanStatus == EP_EV_SENDT_NY; }
bool EvFindes(const EvRec &ev) { return ev.Status != 0 && ev.Status < 100; }
uint64_t Par(uint32_t elev, uint32_t la) { return (uint64_t{elev} << 32) | la; }

void HoldIndeks(IndeksArt art) {
  if (HoldtIndeks == art) return;
  HoldtIndeks = art;
  LaNavnIndeks.clear();
  EvParIndeks.clear();
  EvIdIndeks.clear();
  switch (art) {
    case IndeksArt::LaNavn:
      for (uint32_t r = 1; r < tvla.wRecCnt; ++r)
        if (LaVenterKopi(*LaRecNr(r))) LaNavnIndeks.push_back(r);
      std::stable_sort(LaNavnIndeks.begin(), LaNavnIndeks.end(), [](uint32_t a, uint32_t b) {
        return Felt(LaRecNr(a)->Navn) < Felt(LaRecNr(b)->Navn);
      });
      break;
    case IndeksArt::EvPar:
      for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
        const EvRec *ev = EvRecNr(r);
        if (EvSendtNy(*ev)) EvParIndeks.push_back({Par(ev->elev_id, ev->elevplan_onske_la_id), r});
      }
      std::sort(EvParIndeks.begin(), EvParIndeks.end());
      break;
    case IndeksArt::EvId:
      for (uint32_t r = 1; r < tvev.wRecCnt; ++r) {
        const EvRec *ev = EvRecNr(r);
        if (EvFindes(*ev)) EvIdIndeks.push_back({ev->id, r});
      }
      std::sort(EvIdIndeks.begin(), EvIdIndeks.end());
      break;
    case IndeksArt::Ingen:
      break;
  }
}

class IndeksVagt {
 public:
  explicit IndeksVagt(IndeksArt art) { HoldIndeks(art); }
  ~IndeksVagt() {
    if (!IPassene) HoldIndeks(IndeksArt::Ingen);
  }
  IndeksVagt(const IndeksVagt &) = delete;
  IndeksVagt &operator=(const IndeksVagt &) = delete;
};

// The first activity in record order that still waits for its copy under
// that name; 0 when there is none.
uint32_t FindLaTilKopi(std::string_view navn) {
  auto it = std::lower_bound(LaNavnIndeks.begin(), LaNavnIndeks.end(), navn,
                             [](uint32_t r, std::string_view n) { return Felt(LaRecNr(r)->Navn) < n; });
  for (; it != LaNavnIndeks.end() && Felt(LaRecNr(*it)->Navn) == navn; ++it)
    if (LaVenterKopi(*LaRecNr(*it))) return *it;
  return 0;
}

uint32_t FindSendtOenske(uint32_t elev, uint32_t la) {
  const uint64_t noegle = Par(elev, la);
  auto it = std::lower_bound(EvParIndeks.begin(), EvParIndeks.end(), std::make_pair(noegle, uint32_t{0}));
  for (; it != EvParIndeks.end() && it->first == noegle; ++it) {
    const EvRec *ev = EvRecNr(it->second);
    if (EvSendtNy(*ev) && Par(ev->elev_id, ev->elevplan_onske_la_id) == noegle) return it->second;
  }
  return 0;
}

uint32_t FindOenske(uint32_t id) {
  auto it = std::lower_bound(EvIdIndeks.begin(), EvIdIndeks.end(), std::make_pair(id, uint32_t{0}));
  for (; it != EvIdIndeks.end() && it->first == id; ++it) {
    const EvRec *ev = EvRecNr(it->second);
    if (EvFindes(*ev) && ev->id == id) return it->second;
  }
  return 0;
}

// ---- The answer sections ----

// The section's record lines, each split into exactly antal fields and
// handed to fn(fields, the trimmed line).
template <int Antal, class Fn>
char *SvarSektion(FILE *fil, char *linje, Fn fn) {
  ElevFelt felter[Antal];
  while (Laes(fil, linje)) {
    if (ErHoved(linje)) return linje;
    TrimStr(linje);
    if (strlen(linje) < 2) continue;
    if (DelSemikolonFelter(felter, Antal, linje) != Antal) {
      EpForkertAntalFelter(linje);
      continue;
    }
    fn(felter, linje);
  }
  return nullptr;
}

bool ErOK(const char *felt) { return strcmp(felt, "OK") == 0; }

void MarkerLa(uint32_t r) {
  MarkerElevRec(&tdla, &tvla, r);
  tvla.fSorter = 1;
}

void MarkerEv(uint32_t r) {
  MarkerElevRec(&tdev, &tvev, r);
  tvev.fSorter = 1;
}

// ---- The second pass ----

// The enrolments this run added in its second pass or read from an elti
// section (pending, status 200 and up), by (student, group).
std::unordered_map<uint64_t, uint32_t> NyeTilmeldinger;

void SamlNyeTilmeldinger() {
  NyeTilmeldinger.clear();
  for (uint32_t r = 1; r < tvelti.wRecCnt; ++r) {
    const EltiRec *t = EltiRecNr(r);
    if (t->Status >= 200) NyeTilmeldinger.emplace(Par(t->elev_id, t->tg_id), r);
  }
}

bool AlleredeTilmeldt(uint64_t noegle) {
  auto it = NyeTilmeldinger.find(noegle);
  if (it == NyeTilmeldinger.end()) return false;
  const EltiRec *t = EltiRecNr(it->second);
  return t != nullptr && t->Status >= 200 && Par(t->elev_id, t->tg_id) == noegle;
}

// The enrolments the group had before this import. Those this import
// brought (pending, 200 and up) stay: a group whose students come in more
// than one elev section keeps the earlier sections' students.
void SletGruppensTilmeldinger(uint32_t tg) {
  for (uint32_t r = 1; r < tvelti.wRecCnt; ++r) {
    const EltiRec *t = EltiRecNr(r);
    if (t->tg_id == tg && t->Status != 0 && t->Status < 200) DelRec(&tdelti, &tvelti, r);
  }
  tvelti.fSorter = 1;
}

// One record line of an elev section: its first two fields (the student's
// id and the group's id) make an elti record.
void Tilmeld(const char *linje) {
  const char *semi = strchr(linje, ';');
  if (semi == nullptr) return;  // fewer than two fields
  const char *anden = strchr(semi + 1, ';');
  const size_t laengde = anden ? static_cast<size_t>(anden - linje) : strlen(linje);
  char tekst[EP_LINJE_LEN];
  memcpy(tekst, linje, laengde);
  tekst[laengde] = '\0';

  const uint32_t r = NewRec(&tdelti, &tvelti);
  if (r == 0) return;
  if (ParseRecordLine(&tdelti, &tvelti, tekst, 'C', r, EpStatus, 0) != 0) {
    DelRec(&tdelti, &tvelti, r);
    return;
  }
  const EltiRec *t = EltiRecNr(r);
  const uint64_t noegle = Par(t->elev_id, t->tg_id);
  if (AlleredeTilmeldt(noegle)) {
    DelRec(&tdelti, &tvelti, r);
    return;
  }
  NyeTilmeldinger[noegle] = r;
  if (EpStatus != nullptr) {
    tvelti.FilOrd = EpStatus->Tidsstempel;
    ++EpStatus->Antal[static_cast<uint8_t>(tdelti.TypeBogstav)];
  }
}

// ---- Files ----

std::string DataSti(const char *navn) { return std::string(StiTab.szdata) + navn; }

bool Findes(const char *sti) { return GetFileAttributesA(sti) != INVALID_FILE_ATTRIBUTES; }

// "<path>_<n>.txt"
std::string KopiNavn(const char *sti, long n) { return std::string(sti) + "_" + std::to_string(n) + ".txt"; }

void FlytTilKopi(const char *sti, long n) {
  if (!Findes(sti)) return;
  const std::string kopi = KopiNavn(sti, n);
  if (ErstatDataFil(sti, kopi.c_str()) == 0) return;
  LogPrintf("** Fejl: %s kan ikke flyttes til %s\n", sti, kopi.c_str());
}

void Besked(const std::string &tekst) {
  LogPrintf("** Fejl: %s\n", tekst.c_str());
  MessageBoxA(hwndHoved, tekst.c_str(), kTitel, MB_OK | MB_ICONEXCLAMATION);
}

// Unpacks the gzip file fra into til through a temporary file beside til,
// which replaces til only when every member of the stream unpacked
// cleanly. Empty when it did, else the reason.
std::string PakUd(const char *fra, const char *til) {
  FILE *ind = AabnDataFil(fra, "rb");
  if (ind == nullptr) return std::string("filen kan ikke åbnes (") + DataFejlTekst(errno) + ")";
  const std::string tmp = std::string(til) + ".tmp";
  FILE *ud = AabnDataFil(tmp.c_str(), "wb");
  if (ud == nullptr) {
    const int fejl = errno;
    fclose(ind);
    return tmp + " kan ikke oprettes (" + DataFejlTekst(fejl) + ")";
  }

  z_stream z{};
  std::string fejl;
  if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) fejl = "zlib kan ikke startes";
  std::vector<unsigned char> inBuf(1 << 16), udBuf(1 << 16);
  bool slut = false;  // a member ended, and no other follows yet
  while (fejl.empty()) {
    if (z.avail_in == 0) {
      const size_t n = fread(inBuf.data(), 1, inBuf.size(), ind);
      if (n == 0) {
        if (ferror(ind)) fejl = "filen kan ikke læses";
        break;
      }
      z.next_in = inBuf.data();
      z.avail_in = static_cast<uInt>(n);
    }
    if (slut) {
      // Another member follows only behind the gzip signature; anything
      // else after a whole member is ignored, as gunzip does.
      if (z.avail_in < 2) {
        memmove(inBuf.data(), z.next_in, z.avail_in);
        z.next_in = inBuf.data();
        z.avail_in += static_cast<uInt>(fread(inBuf.data() + z.avail_in, 1, inBuf.size() - z.avail_in, ind));
      }
      if (z.avail_in < 2 || z.next_in[0] != 0x1f || z.next_in[1] != 0x8b) break;
      inflateReset(&z);
      slut = false;
    }
    z.next_out = udBuf.data();
    z.avail_out = static_cast<uInt>(udBuf.size());
    const int rc = inflate(&z, Z_NO_FLUSH);
    const size_t faaet = udBuf.size() - z.avail_out;
    if (faaet > 0 && fwrite(udBuf.data(), 1, faaet, ud) != faaet) fejl = tmp + " kan ikke skrives";
    if (rc == Z_STREAM_END) {
      slut = true;
    } else if (rc != Z_OK && rc != Z_BUF_ERROR) {
      fejl = std::string("filen er ikke en gyldig gzip-fil (") + (z.msg ? z.msg : "zlib") + ")";
    } else if (rc == Z_BUF_ERROR && z.avail_in != 0) {
      fejl = "filen er ikke en gyldig gzip-fil";
    }
  }
  if (fejl.empty() && !slut) fejl = "filen er afkortet";
  inflateEnd(&z);
  fclose(ind);
  if (fclose(ud) != 0 && fejl.empty()) fejl = tmp + " kan ikke skrives";
  if (fejl.empty()) {
    const int rc = ErstatDataFil(tmp.c_str(), til);
    if (rc != 0) fejl = std::string(til) + " kan ikke oprettes (fejl " + std::to_string(rc) + ")";
  }
  if (!fejl.empty()) SletDataFil(tmp.c_str());
  return fejl;
}

const char *LogSti() {
  static std::string sti;
  sti = DataSti(kLogNavn);
  return sti.c_str();
}

// This run's import counters: the time stamp of a table's file header and
// of the records comes from them.
ImportStatus NyStatus() {
  ImportStatus st{};
  st.Tidsstempel = static_cast<uint32_t>(time(nullptr));
  return st;
}

}  // namespace

// ---- Sections ----

char *ImportEpKopierAktivitet(FILE *fil, char *linje) {
  IndeksVagt vagt(IndeksArt::LaNavn);
  return SvarSektion<7>(fil, linje, [](ElevFelt *f, const char *hel) {
    if (!ErOK(f[6])) {
      FejlTekst t;
      t << hel;
      EpFejlSvar(t.c_str());
      return;
    }
    const uint32_t r = FindLaTilKopi(f[1]);
    if (r == 0) return;
    LaRec *la = LaRecNr(r);
    la->id = Tal(f[0]);
    la->ElevPlanStatus = EP_LA_KOPI_LAVET;
    MarkerLa(r);
  });
}

char *ImportEpNyTilmelding(FILE *fil, char *linje) {
  IndeksVagt vagt(IndeksArt::EvPar);
  return SvarSektion<7>(fil, linje, [](ElevFelt *f, const char *) {
    const uint32_t elev = FindElevRec(&tdelev, &tvelev, Tal(f[2]));
    const uint32_t la = FindElevRec(&tdla, &tvla, Tal(f[3]));
    if (ErOK(f[1])) {
      // An answer about a student or an activity that is gone is passed by.
      const uint32_t r = elev != 0 && la != 0 ? FindSendtOenske(elev, la) : 0;
      if (r == 0) return;
      EvRec *ev = EvRecNr(r);
      ev->id = Tal(f[0]);
      ev->ElevPlanStatus = EP_EV_BEKRAEFTET;
      MarkerEv(r);
      return;
    }
    FejlTekst t;
    t << f[0] << ";" << f[1] << ";\n  ";
    if (elev != 0) t << f[2] << ";" << Felt(ElevRecNr(elev)->Elevnavn) << ";\n  ";
    if (la != 0) t << f[3] << ";" << Felt(LaRecNr(la)->Navn) << ";\n  ";
    t << f[4] << ";" << f[5] << ";" << f[6];
    EpFejlSvar(t.c_str());
  });
}

char *ImportEpSletTilmelding(FILE *fil, char *linje) {
  IndeksVagt vagt(IndeksArt::EvId);
  return SvarSektion<2>(fil, linje, [](ElevFelt *f, const char *) {
    const uint32_t r = FindOenske(Tal(f[0]));
    if (r != 0) {
      // The wish is gone whatever Elevplan answered; its other bytes stay.
      EvRec *ev = EvRecNr(r);
      ev->id = 0;
      ev->Status = 0;
      ev->ElevPlanStatus = 0;
      if (r < tvev.FoersteLedige) tvev.FoersteLedige = r;
      MarkerEv(r);
    }
    if (ErOK(f[1])) return;
    FejlTekst t;
    t << f[0] << ";" << f[1] << ";\n  ";
    EpFejlSvar(t.c_str());
  });
}

char *ImportEpSvarTilmelding(FILE *fil, char *linje) {
  IndeksVagt vagt(IndeksArt::EvId);
  return SvarSektion<2>(fil, linje, [](ElevFelt *f, const char *) {
    if (ErOK(f[1])) return;
    FejlTekst t;
    t << f[0] << ";" << f[1];
    if (strstr(f[1], "inaktiv") != nullptr) {
      if (const uint32_t r = FindOenske(Tal(f[0]))) {
        const ElevRec &elev = ElevRef(ElevRecNr, EvRecNr(r)->elev_id);
        t << "\n  " << std::to_string(elev.id) << ";" << Felt(elev.Elevnavn);
      }
    }
    EpFejlSvar(t.c_str());
  });
}

bool EpFejlBlok(FILE *fil, char *linje) {
  if (strncmp(EfterFyld(linje), "** Fej", 6) != 0) return false;
  TrimStr(linje);
  EpFejlSvar(linje);
  while (Laes(fil, linje)) {
    if (ErHoved(linje)) return true;
    TrimStr(linje);
    if (strncmp(linje, "**", 2) == 0) {
      Laes(fil, linje);
      return true;
    }
    EpFejlSvar(linje);
  }
  return true;
}

char *ImportEpTilmeldinger(FILE *fil, char *linje) {
  bool foerste = true;
  while (Laes(fil, linje)) {
    while (linje[0] != '\0' && EpFejlBlok(fil, linje)) {
    }
    if (linje[0] == '\0') return nullptr;  // an error block ran to the end
    if (ErHoved(linje)) return linje;
    TrimStr(linje);
    if (foerste) {
      foerste = false;
      // Only the group of the section's first line loses its old
      // enrolments; later lines may name other groups.
      const char *semi = strchr(linje, ';');
      if (semi != nullptr) {
        const uint32_t tg = FindElevRec(&tdtg, &tvtg, Tal(semi + 1));
        if (tg != 0) SletGruppensTilmeldinger(tg);
      }
    }
    Tilmeld(linje);
  }
  return nullptr;
}

// ---- The passes ----

void EpLaesFil(FILE *fil, FILE *log, bool svar, ImportStatus *pStatus) {
  // The answer sections by name; every other name is a table's.
  static const struct {
    const char *navn;
    char *(*handler)(FILE *, char *);
  } kSvarSektioner[] = {
      {"KopierAktivitet", ImportEpKopierAktivitet},   {"NyTilmelding", ImportEpNyTilmelding},
      {"SletTilmelding", ImportEpSletTilmelding},     {"AccepterTilmelding", ImportEpSvarTilmelding},
      {"AfvisTilmelding", ImportEpSvarTilmelding},
  };
  EpLog = log;
  EpStatus = pStatus;
  IPassene = true;
  HoldIndeks(IndeksArt::Ingen);
  char linje[EP_LINJE_LEN], navn[EP_LINJE_LEN];

  // First pass: every section by its name.
  uint32_t ukendte = 0;
  char *hoved = SpringOver(fil, linje);
  while (hoved != nullptr) {
    if (linje[0] != '@') {
      hoved = SpringOver(fil, linje);
      continue;
    }
    SektionsNavn(linje, navn);
    char *(*handler)(FILE *, char *) = nullptr;
    for (const auto &s : kSvarSektioner)
      if (svar && strcmp(navn, s.navn) == 0) handler = s.handler;
    if (handler != nullptr) {
      hoved = handler(fil, linje);
      continue;
    }
    HoldIndeks(IndeksArt::Ingen);
    const TabDesc *pTd = nullptr;
    TabVar *pTv = nullptr;
    if (navn[0] != '\0' && TabFromName(navn, &pTd, &pTv) == 0) {
      hoved = ImportTabelSektion(fil, log, linje, 'C', pTd, pTv, pStatus, 0, EP_LINJE_LEN);
    } else {
      TrimStr(linje);
      ImportFejlTekst(log, ++ukendte, navn, linje, IMPFEJL_AFSNIT, nullptr);
      if (log) fflush(log);
      hoved = SpringOver(fil, linje);
    }
  }
  HoldIndeks(IndeksArt::Ingen);
  IPassene = false;

  // Second pass: the enrolments of the elev sections.
  rewind(fil);
  SamlNyeTilmeldinger();
  hoved = SpringOver(fil, linje);
  while (hoved != nullptr) {
    SektionsNavn(linje, navn);
    if (linje[0] == '@' && strcmp(navn, "elev") == 0)
      hoved = ImportEpTilmeldinger(fil, linje);
    else
      hoved = SpringOver(fil, linje);
  }
  NyeTilmeldinger.clear();
  if (log) fflush(log);
  EpLog = nullptr;
  EpStatus = nullptr;
}

void SorterAlleTabeller() {
  for (size_t i = 0; i < TabRegisterAntal; ++i) SortTab(TabRegister[i].pTabDesc, TabRegister[i].pTabVar);
}

// ---- The imports ----

void ImportElevplan() {
  if (GlobalIndstillinger.skemalaast) return;
  const char *svarFil = StiTab.szepimp;
  if (!Findes(svarFil)) {
    if (!Findes(StiTab.szzipepimp)) return;
    const std::string fejl = PakUd(StiTab.szzipepimp, svarFil);
    if (!fejl.empty()) {
      Besked(std::string("Svarfilen fra Elevplan kan ikke pakkes ud:\n") + StiTab.szzipepimp + "\n" + fejl +
             "\n\nFilen er bevaret, og udvekslingen med Elevplan fortsætter ikke.");
      return;
    }
    SletDataFil(StiTab.szzipepimp);
  }

  GlobalIndstillingerData &g = GlobalIndstillinger;
  const long n = g.ep_filnummer;
  FlytTilKopi(LogSti(), n);
  FILE *log = AabnDataFil(LogSti(), "w");
  if (log == nullptr) {
    Besked(std::string("Elevplans importlog kan ikke oprettes:\n") + LogSti() + " (" + DataFejlTekst(errno) +
           ")\n\nSvarfilen " + svarFil + " er bevaret, og udvekslingen med Elevplan fortsætter ikke.");
    return;
  }
  FILE *fil = AabnDataFil(svarFil, "r");
  if (fil == nullptr) {
    const int fejl = errno;
    fclose(log);
    Besked(std::string("Svarfilen fra Elevplan kan ikke åbnes:\n") + svarFil + " (" + DataFejlTekst(fejl) +
           ")\n\nFilen er bevaret, og udvekslingen med Elevplan fortsætter ikke.");
    return;
  }
  ImportStatus st = NyStatus();
  EpLaesFil(fil, log, true, &st);
  fclose(fil);
  fclose(log);

  FlytTilKopi(svarFil, n);
  // An answer left in place would be imported again by the next start.
  if (Findes(svarFil)) SletDataFil(svarFil);
  FlytTilKopi(StiTab.szepexp, n);
  g.ep_filnummer = n + 1 >= g.ep_maxnummer ? 0 : static_cast<int32_t>(n + 1);
  WritePrivateProfileStringA("elevplan", "ep_filnummer", std::to_string(g.ep_filnummer).c_str(), StiTab.szini);

  SorterAlleTabeller();
  SaveTab(&tdelti, &tvelti, nullptr);
  if (EpImportKrog.EpEfterImport) EpImportKrog.EpEfterImport();
  StartGemAlleData(0, 0);
}

void ImportElevplanTest() {
  const bool gem = !GlobalIndstillinger.skemalaast;
  FILE *log = gem ? AabnDataFil(LogSti(), "w") : nullptr;
  if (FILE *fil = AabnDataFil(DataSti(kTestFilNavn).c_str(), "r")) {
    ImportStatus st = NyStatus();
    EpLaesFil(fil, log, false, &st);
    fclose(fil);
  }
  if (log) fclose(log);
  SorterAlleTabeller();
  if (!gem) return;
  SaveTab(&tdelti, &tvelti, nullptr);
  StartGemAlleData(0, 0);
}

