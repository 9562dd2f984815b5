// Export file data\exp.dat: one pass over the tables that writes the
// installation's changes and marks them sent. Every mark it sets goes on a
// list first (the record or row, its place, id, old status and old change
// mark), so that a failed write, or a withdrawal of an export that is not
// sent, puts back exactly what this export changed.
#include "EXPORT.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "BESKEDER.h"
#include "DATO.h"
#include "GEMNING.h"
#include "GRUPPER.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "VEDLIGE.h"
#include "VINDUER.h"
#include "tavo/assert.h"
#include "windows.h"

EksportValgData EksportValg = {};

namespace {

// The exchange bits of a row's or a planning record's status.
constexpr uint32_t kLever = 0x40, kBekraeftet = 0x20, kSendt = 0x10, kSlettet = 0x08;
constexpr uint32_t kKonflikt = 0x02;
constexpr uint32_t kFlagBits = 0x7F;
constexpr uint32_t kSendtNy = 0x50;        // live and sent
constexpr uint32_t kSendtSletning = 0x78;  // the deletion sent


uint8_t Egen() { return GlobalIndstillinger.insnr; }
bool IkkeSendt(uint32_t s) { return (s & 0x78) == kLever; }
bool SletningIkkeSendt(uint32_t s) { return (s & 0x58) == 0x48; }
bool Aktiv(uint8_t s) { return s >= 10 && s <= 29; }

bool Flag(const char *noegle) { return GetPrivateProfileIntA("flag", noegle, 0, StiTab.szini) != 0; }

// ---- Lines ----

// One value for a line. The conversions follow the formats of the file,
// which were those of a 32-bit C library: %lu and %u print the value as an
// unsigned 32-bit number, %ld and %d as a signed one, %f always with a
// decimal point (whatever the locale).
struct Arg {
  enum Art : uint8_t { Heltal, Decimal, Tekst };
  Art art;
  long long i = 0;
  double d = 0;
  const char *s = "";
  Arg(int v) : art(Heltal), i(v) {}
  Arg(unsigned v) : art(Heltal), i(v) {}
  Arg(double v) : art(Decimal), d(v) {}
  Arg(const char *v) : art(Tekst), s(v ? v : "") {}
  Arg(const std::string &v) : art(Tekst), s(v.c_str()) {}
};

void Formater(std::string &ud, const char *fmt, const Arg *arg, size_t antal) {
  size_t k = 0;
  for (const char *p = fmt; *p; ++p) {
    if (*p != '%') {
      ud += *p;
      continue;
    }
    ++p;
    if (*p == '%') {
      ud += '%';
      continue;
    }
    bool venstre = false, nuller = false;
    for (;; ++p) {
      if (*p == '-') venstre = true;
      else if (*p == '0') nuller = true;
      else break;
    }
    size_t bredde = 0;
    while (*p >= '0' && *p <= '9') bredde = bredde * 10 + static_cast<size_t>(*p++ - '0');
    int praecision = -1;
    if (*p == '.') {
      praecision = 0;
      while (*++p >= '0' && *p <= '9') praecision = praecision * 10 + (*p - '0');
    }
    while (*p == 'l') ++p;
    const char c = *p;
    TAVO_ASSERT(c == 'u' || c == 'd' || c == 'c' || c == 's' || c == 'f');
    TAVO_ASSERT(k < antal);
    const Arg &a = arg[k++];
    TAVO_ASSERT(c == 's' ? a.art == Arg::Tekst : c == 'f' ? a.art == Arg::Decimal : a.art == Arg::Heltal);
    std::string felt;
    bool tal = true;
    switch (c) {
      case 'u': felt = std::to_string(static_cast<uint32_t>(a.i)); break;
      case 'd': felt = std::to_string(static_cast<int32_t>(a.i)); break;
      case 'c':
        felt.assign(1, static_cast<char>(a.i));
        tal = false;
        break;
      case 's':
        felt = a.s;
        tal = false;
        break;
      default: {
        char buf[400];
        auto r = std::to_chars(buf, buf + sizeof buf, a.d, std::chars_format::fixed,
                               praecision < 0 ? 6 : praecision);
        felt = r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("0");
        break;
      }
    }
    if (felt.size() < bredde) {
      const size_t fyld = bredde - felt.size();
      if (venstre) felt.append(fyld, ' ');
      else if (nuller && tal) felt.insert(felt[0] == '-' ? 1 : 0, fyld, '0');
      else felt.insert(0, fyld, ' ');
    }
    ud += felt;
  }
  TAVO_ASSERT(k == antal);
}

// Values are taken by value: many come from fields of packed records.
template <class... A>
std::string Tekst(const char *fmt, A... a) {
  const Arg arg[] = {Arg(a)..., Arg(0)};
  std::string s;
  Formater(s, fmt, arg, sizeof...(A));
  return s;
}

// A failed write leaves the stream's error flag set; the caller looks at it
// once, after the last line.
template <class... A>
void Skriv(FILE *f, const char *fmt, A... a) {
  const std::string s = Tekst(fmt, a...);
  fwrite(s.data(), 1, s.size(), f);
}

// A section line written before the section's first entry.
struct Sektion {
  FILE *f;
  const char *linje;
  bool skrevet = false;
  void Foer() {
    if (!skrevet) Skriv(f, "%s\n", linje);
    skrevet = true;
  }
};

// ---- Records ----

template <class R>
R *Post(const TabDesc &td, const TabVar &tv, uint32_t n) {
  return reinterpret_cast<R *>(GetRec(&td, &tv, n));
}

uint32_t Id(const uint8_t *rec) {
  uint32_t id;
  memcpy(&id, rec, 4);
  return id;
}

// The id of the record that a reference names; 0 when it names none.
uint32_t RefId(const TabDesc &td, const TabVar &tv, uint32_t nr) {
  return GyldigRef(&tv, nr) ? Id(GetRec(&td, &tv, nr)) : 0;
}

// A planning record's reference to another planning record: its id, or
// minus its record number while the central system has given it none.
int32_t PlanRef(const TabDesc &td, const TabVar &tv, uint32_t nr) {
  if (!GyldigRef(&tv, nr)) return 0;
  const uint32_t id = Id(GetRec(&td, &tv, nr));
  return id ? static_cast<int32_t>(id) : -static_cast<int32_t>(nr);
}

bool HarPoster(const TabDesc *pTd, const TabVar *pTv) {
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r)
    if (RecStatus(pTd, GetRec(pTd, pTv, r)) != 0) return true;
  return false;
}

// The offset of a table's change mark, -1 for a table without one.
int FejlOffset(const TabDesc *pTd) {
  for (int i = 0; i < pTd->AntalFelter && i < MAXFELT; ++i)
    if (strcmp(pTd->FeltTab[i].Navn, "Fejl") == 0) return static_cast<int>(pTd->FeltTab[i].Offset);
  return -1;
}

void MarkerBlok(const TabDesc *pTd, TabVar *pTv, uint32_t nr) {
  if (pTv->pfSave) pTv->pfSave[nr / pTd->RecPrBlok] = 1;
}

uint64_t BlokHash(const TabDesc *pTd, const TabVar *pTv, uint32_t blok) {
  uint64_t h = 1469598103934665603ull;
  const uint64_t fra = uint64_t(blok) * pTd->RecPrBlok;
  uint64_t til = fra + pTd->RecPrBlok;
  if (til > pTv->wRecCnt) til = pTv->wRecCnt;
  if (fra < til && pTv->pbTab) {
    const uint8_t *p = pTv->pbTab + fra * pTd->RecSize;
    for (uint64_t n = (til - fra) * pTd->RecSize; n > 0; --n) h = (h ^ *p++) * 1099511628211ull;
  }
  return (h ^ (til > fra ? til - fra : 0)) * 1099511628211ull;
}

// The time rows' change marks that make a row a deletion to send; events
// also have '?'.
bool SletteMaerke(uint8_t fejl, bool begivenhed) {
  return fejl == '=' || fejl == '>' || fejl == 'H' || (begivenhed && fejl == '?');
}

// ---- The list of the marks of the last export ----

// One mark: a record of a registry table ('T'), an event row ('S') or a
// time row ('B') with the status and change mark it had and the status the
// export gave it (the change mark the export leaves is always 0).
struct Maerke {
  char Art;
  uint8_t Type;    // 'T': the table's type letter
  uint32_t Sted;   // 'S': the week YYYYWW, 'B': the month YYYYMM
  uint32_t Nr;     // record or row number
  uint32_t Id;
  uint32_t GammelStatus;
  uint32_t NyStatus;
  uint8_t GammelFejl;
};

// A schedule-priority record the export cleared from its table.
struct RyddetPrior {
  uint32_t Nr;
  MedaskepriorRec Rec;
};

// A block the export changed, with its changed flag and its content before.
struct Blok {
  const TabDesc *pTd;
  TabVar *pTv;
  uint32_t Nr;
  uint8_t GammeltFlag;
  uint64_t Hash;
};

struct MaerkeListe {
  bool Findes = false;  // a list is held (it may be empty)
  std::vector<Maerke> Maerker;
  std::vector<RyddetPrior> Ryddede;
  // Only for a list of this run: what the blocks held before the export.
  bool BlokkeKendt = false;
  std::vector<Blok> Blokke;
  std::map<std::pair<const TabVar *, uint32_t>, size_t> BlokIndeks;
  uint32_t GemTaeller = 0;
  bool PriorLedigeKendt = false;
  uint32_t PriorLedigeFoer = 0, PriorLedigeEfter = 0;
};

MaerkeListe Liste;

// Called before the export changes record nr of a table or bucket.
void FoerAendring(const TabDesc *pTd, TabVar *pTv, uint32_t nr) {
  if (!Liste.BlokkeKendt || !pTv->pfSave) return;
  const uint32_t b = nr / pTd->RecPrBlok;
  if (!Liste.BlokIndeks.emplace(std::make_pair(pTv, b), Liste.Blokke.size()).second) return;
  Liste.Blokke.push_back({pTd, pTv, b, pTv->pfSave[b], BlokHash(pTd, pTv, b)});
}

const TabDesc *const kMaerkeTabeller[] = {&tdakti, &tdanfo, &tdloka, &tdffpg, &tdffpgrel,
                                          &tdffpp, &tdffgrund, &tdffpertab, &tdfftaltab};

const TabDesc *MaerkeTabel(uint8_t type, TabVar **ppTv) {
  for (const TabDesc *pTd : kMaerkeTabeller)
    if (pTd->TypeBogstav == type) {
      const TabDesc *d;
      if (TabFromType(type, &d, ppTv) != 0) return nullptr;
      return pTd;
    }
  return nullptr;
}

// A new status (and a cleared change mark, where the table has one) for a
// record of a registry table.
void SaetTabelStatus(const TabDesc *pTd, TabVar *pTv, uint32_t nr, uint8_t status) {
  uint8_t *rec = GetRec(pTd, pTv, nr);
  const uint32_t so = pTd->FeltTab[pTd->StatusFelt].Offset;
  const int fo = FejlOffset(pTd);
  FoerAendring(pTd, pTv, nr);
  Liste.Maerker.push_back(
      {'T', pTd->TypeBogstav, 0, nr, Id(rec), rec[so], status, fo >= 0 ? rec[fo] : uint8_t(0)});
  rec[so] = status;
  if (fo >= 0) rec[fo] = 0;
  MarkerBlok(pTd, pTv, nr);
}

void SaetSke(TabVar *b, Uge uge, uint32_t nr, uint32_t flag) {
  SkeRec *s = Post<SkeRec>(tdske, *b, nr);
  FoerAendring(&tdske, b, nr);
  const uint32_t ny = (s->Status & ~kFlagBits) | flag;
  Liste.Maerker.push_back({'S', 0, uge, nr, s->id, s->Status, ny, s->Fejl});
  s->Status = ny;
  s->Fejl = 0;
  MarkerBlok(&tdske, b, nr);
}

void SaetTim(TabVar *b, Maaned mnd, uint32_t nr, uint32_t flag) {
  TimoakRaekke *t = Post<TimoakRaekke>(tdtimoak, *b, nr);
  FoerAendring(&tdtimoak, b, nr);
  const uint8_t ny = static_cast<uint8_t>((t->Status & ~kFlagBits) | flag);
  Liste.Maerker.push_back({'B', 0, mnd, nr, t->id, t->Status, ny, t->Fejl});
  t->Status = ny;
  t->Fejl = 0;
  MarkerBlok(&tdtimoak, b, nr);
}

// Records a save may have trimmed off the end of a table (empty ones) that a
// withdrawal brings back; a place further out is no place the export cleared.
constexpr uint32_t kMaxGenvundneRecords = 65536;

// Makes record nr of the table reachable again (a save may have trimmed
// empty records off the end); false when it cannot be.
bool SikrRecord(const TabDesc *pTd, TabVar *pTv, uint32_t nr) {
  if (nr == 0) return false;
  if (nr < pTv->wRecCnt) return true;
  if (nr - pTv->wRecCnt >= kMaxGenvundneRecords && nr >= pTv->AllocAntal) return false;
  if (nr >= pTv->AllocAntal) {
    uint32_t vaekst = nr + 1 - pTv->AllocAntal;
    if (vaekst < pTd->RecPrBlok) vaekst = pTd->RecPrBlok;
    if (AddTabBlock(pTd, pTv, vaekst) != 0) return false;
  }
  if (pTv->wRecCnt == 0) memset(pTv->pbTab, 0, pTd->RecSize);
  for (uint32_t r = pTv->wRecCnt ? pTv->wRecCnt : 1; r <= nr; ++r)
    if (RecStatus(pTd, pTv->pbTab + size_t(r) * pTd->RecSize) != 0) return false;
  pTv->wRecCnt = nr + 1;
  return true;
}

bool ErNul(const uint8_t *p, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (p[i]) return false;
  return true;
}

// Puts one mark back when its record or row still holds what the export
// left; true when it did.
bool GendanMaerke(const Maerke &m) {
  switch (m.Art) {
    case 'T': {
      TabVar *pTv;
      const TabDesc *pTd = MaerkeTabel(m.Type, &pTv);
      uint8_t *rec = pTd ? GetRec(pTd, pTv, m.Nr) : nullptr;
      if (!rec || m.Nr == 0) return false;
      const uint32_t so = pTd->FeltTab[pTd->StatusFelt].Offset;
      const int fo = FejlOffset(pTd);
      if (Id(rec) != m.Id || rec[so] != m.NyStatus || (fo >= 0 && rec[fo] != 0)) return false;
      rec[so] = static_cast<uint8_t>(m.GammelStatus);
      if (fo >= 0) rec[fo] = m.GammelFejl;
      MarkerBlok(pTd, pTv, m.Nr);
      return true;
    }
    case 'S': {
      TabVar *b = SkemabegBucket(m.Sted);
      SkeRec *s = b && m.Nr > 0 ? Post<SkeRec>(tdske, *b, m.Nr) : nullptr;
      if (!s || s->id != m.Id || s->Status != m.NyStatus || s->Fejl != 0) return false;
      s->Status = m.GammelStatus;
      s->Fejl = m.GammelFejl;
      MarkerBlok(&tdske, b, m.Nr);
      return true;
    }
    case 'B': {
      TabVar *b = TimoakBucket(m.Sted);
      TimoakRaekke *t = b && m.Nr > 0 ? Post<TimoakRaekke>(tdtimoak, *b, m.Nr) : nullptr;
      if (!t || t->id != m.Id || t->Status != m.NyStatus || t->Fejl != 0) return false;
      t->Status = static_cast<uint8_t>(m.GammelStatus);
      t->Fejl = m.GammelFejl;
      MarkerBlok(&tdtimoak, b, m.Nr);
      return true;
    }
  }
  return false;
}

// A cleared schedule-priority record comes back to its slot while the slot
// is still empty.
bool GendanPrior(const RyddetPrior &p) {
  if (!SikrRecord(&tdmedaskeprior, &tvmedaskeprior, p.Nr)) return false;
  uint8_t *rec = GetRec(&tdmedaskeprior, &tvmedaskeprior, p.Nr);
  if (!ErNul(rec, sizeof p.Rec)) return false;
  memcpy(rec, &p.Rec, sizeof p.Rec);
  MarkerBlok(&tdmedaskeprior, &tvmedaskeprior, p.Nr);
  return true;
}

// Puts back the list, newest mark first. A block the export found
// unchanged drops its changed flag again when it holds exactly what it held
// before and no save has taken the tables since the export: the file then
// still holds the same.
void GendanListe() {
  for (auto it = Liste.Maerker.rbegin(); it != Liste.Maerker.rend(); ++it) GendanMaerke(*it);
  bool alleRyddede = true;
  for (auto it = Liste.Ryddede.rbegin(); it != Liste.Ryddede.rend(); ++it)
    alleRyddede = GendanPrior(*it) && alleRyddede;
  if (alleRyddede && Liste.PriorLedigeKendt && tvmedaskeprior.FoersteLedige == Liste.PriorLedigeEfter)
    tvmedaskeprior.FoersteLedige = Liste.PriorLedigeFoer;
  if (!Liste.BlokkeKendt || TabGemTaeller.load() != Liste.GemTaeller) return;
  for (const Blok &b : Liste.Blokke)
    if (b.GammeltFlag == 0 && b.pTv->pfSave && b.Nr <= b.pTv->wRecCnt / b.pTd->RecPrBlok &&
        BlokHash(b.pTd, b.pTv, b.Nr) == b.Hash)
      b.pTv->pfSave[b.Nr] = 0;
}

// The withdrawal without a list: every sent mark is taken back.
void FjernAlleSendteMarker() {
  for (const TabDesc *pTd : {&tdanfo, &tdakti, &tdloka}) {
    TabVar *pTv;
    if (!MaerkeTabel(pTd->TypeBogstav, &pTv)) continue;
    for (uint32_t r = 1; r < pTv->wRecCnt; ++r)
      if (RecStatus(pTd, GetRec(pTd, pTv, r)) == 32) SetRecStatus(pTd, pTv, r, 31);
  }
  for (const TabDesc *pTd : {&tdffpg, &tdffpgrel, &tdffpp, &tdffgrund, &tdffpertab, &tdfftaltab}) {
    TabVar *pTv;
    if (!MaerkeTabel(pTd->TypeBogstav, &pTv)) continue;
    for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
      const uint8_t s = RecStatus(pTd, GetRec(pTd, pTv, r));
      if ((s & kLever) && (s & kSendt)) SetRecStatus(pTd, pTv, r, static_cast<uint8_t>(s & ~kSendt));
    }
  }
  for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) {
    TabVar *b = SkemabegBucket(IndeksTilUge(i));
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      SkeRec *s = Post<SkeRec>(tdske, *b, r);
      if (!(s->Status & kLever) || !(s->Status & kSendt)) continue;
      s->Status &= ~kSendt;
      MarkerBlok(&tdske, b, r);
    }
  }
  for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i) {
    TabVar *b = TimoakBucket(IndeksTilMaaned(i));
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      TimoakRaekke *t = Post<TimoakRaekke>(tdtimoak, *b, r);
      if (!(t->Status & kLever) || !(t->Status & kSendt)) continue;
      t->Status = static_cast<uint8_t>(t->Status & ~kSendt);
      MarkerBlok(&tdtimoak, b, r);
    }
  }
}

// ---- The list's file ----

constexpr char kListeHoved[] = "Tavo eksportmaerker 1";

bool ListeSti(char *buf, size_t n, const char *endelse) {
  const int r = snprintf(buf, n, "%sdata\\exp.mrk%s", StiTab.szdata, endelse);
  return r > 0 && static_cast<size_t>(r) < n;
}

// Written beside its name and moved over it; false when it could not be.
bool GemListe() {
  char sti[kStiLaengde], tmp[kStiLaengde];
  if (!ListeSti(sti, sizeof sti, "") || !ListeSti(tmp, sizeof tmp, ".tmp")) return false;
  FILE *f = fopen(tmp, "wb");
  if (!f) return false;
  Skriv(f, "%s\n", kListeHoved);
  // A mark: its kind, then the table's type letter (T) or the week or
  // month (S, B), the number, the id, the old and the new status and the
  // old change mark.
  for (const Maerke &m : Liste.Maerker) {
    const char art[2] = {m.Art, 0};
    Skriv(f, "%s;%u;%u;%u;%u;%u;%u\n", art, m.Art == 'T' ? static_cast<unsigned>(m.Type) : m.Sted, m.Nr, m.Id,
          m.GammelStatus, m.NyStatus, static_cast<unsigned>(m.GammelFejl));
  }
  for (const RyddetPrior &p : Liste.Ryddede) {
    const MedaskepriorRec &r = p.Rec;
    Skriv(f, "P;%u;%u;%u;%u;%u;%d;%u;%u;%u;%u;%u\n", p.Nr, r.anfo_id, unsigned(r.Ugedag), r.Starttid,
          r.Sluttid, r.prioritet, r.Fradato, r.Tildato, unsigned(r.Ejer), unsigned(r.Fejl), unsigned(r.Status));
  }
  bool ok = !ferror(f);
  if (fclose(f) != 0) ok = false;
  if (ok && ErstatDataFil(tmp, sti) != 0) ok = false;
  if (!ok) SletDataFil(tmp);
  return ok;
}

// The ';'-separated whole numbers of a line; false when a field is empty,
// holds anything but digits (one leading '-' where allowed) or the line
// has another number of fields.
bool LaesTal(const char *tekst, long long *tal, size_t antal, size_t tilladtMinus) {
  size_t i = 0;
  const char *p = tekst;
  for (;;) {
    if (i >= antal) return false;
    bool minus = false;
    if (*p == '-' && i == tilladtMinus) minus = true, ++p;
    const char *start = p;
    unsigned long long v = 0;
    while (*p >= '0' && *p <= '9' && p - start < 11) v = v * 10 + static_cast<unsigned>(*p++ - '0');
    if (p == start || v > 0xFFFFFFFFull) return false;
    tal[i++] = minus ? -static_cast<long long>(v) : static_cast<long long>(v);
    if (*p == 0) break;
    if (*p++ != ';') return false;
  }
  return i == antal;
}

bool U8(long long v) { return v >= 0 && v <= 255; }

}  // namespace

// ---- Header and sections ----

bool EksportHoved(FILE *f, bool kort) {
  const int ins = GlobalIndstillinger.insnr;
  const int ver = static_cast<int>(version);
  if (kort) {
    Skriv(f, "S;J;%d;%d;%lu;%lu;\n", ins, ver, SkemaPeriode.FraDato, SkemaPeriode.TilDato);
    return true;
  }
  uint32_t ske20 = 0, skeNy = 0, skeSlet = 0, tim20 = 0, timNy = 0, timSlet = 0;
  for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) {
    TabVar *b = SkemabegBucket(IndeksTilUge(i));
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const SkeRec *s = Post<SkeRec>(tdske, *b, r);
      if (s->Forste != r || s->Ejer != Egen() || !(s->Status & kLever)) continue;
      ske20 += (s->Status & kBekraeftet) != 0;
      skeNy += (s->Status & 0x38) == 0;
      skeSlet += (s->Status & (kSlettet | kSendt)) == kSlettet;
    }
  }
  for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i) {
    TabVar *b = TimoakBucket(IndeksTilMaaned(i));
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const TimoakRaekke *t = Post<TimoakRaekke>(tdtimoak, *b, r);
      if (t->Ejer != Egen() || !(t->Status & kLever)) continue;
      tim20 += (t->Status & kBekraeftet) != 0;
      timNy += (t->Status & 0x38) == 0;
      timSlet += (t->Status & (kSlettet | kSendt)) == kSlettet;
    }
  }
  if (!EksportValg.skema) skeNy = skeSlet = 0;
  if (!EksportValg.posteringer) timNy = timSlet = 0;
  Skriv(f, "%c;%c;%d;%d;%lu;%lu;%lu;%lu;%lu;%lu;%lu;%lu\n", EksportValg.allestamdata ? 'T' : 'K',
        EksportValg.fremmedskema ? 'J' : 'N', ins, ver, SkemaPeriode.FraDato, SkemaPeriode.TilDato, ske20, skeNy,
        skeSlet, tim20, timNy, timSlet);
  return ske20 == 0 && tim20 == 0;
}

void EksportRetslet(FILE *f) {
  Sektion sek{f, "@retslet"};
  struct Art {
    const TabDesc *pTd;
    TabVar *pTv;
  };
  for (const Art &a : {Art{&tdanfo, &tvanfo}, Art{&tdakti, &tvakti}, Art{&tdloka, &tvloka}}) {
    for (uint32_t r = 1; r < a.pTv->wRecCnt; ++r) {
      const uint8_t *rec = GetRec(a.pTd, a.pTv, r);
      const uint8_t s = RecStatus(a.pTd, rec);
      if (s != 31 && s != 131) continue;
      sek.Foer();
      if (a.pTd == &tdakti)
        Skriv(f, "%c%ld\n", reinterpret_cast<const AktiRec *>(rec)->Type[0], Id(rec));
      else
        Skriv(f, "%c%ld\n", a.pTd == &tdanfo ? 'M' : 'L', Id(rec));
      SaetTabelStatus(a.pTd, a.pTv, r, static_cast<uint8_t>(s + 1));
    }
  }
}

namespace {

// The rows of the event that row `forste` heads: forste .. the return - 1.
uint32_t EventSlut(const TabVar *b, uint32_t forste) {
  uint32_t k = forste + 1;
  while (k < b->wRecCnt && Post<SkeRec>(tdske, *b, k)->Forste == forste) ++k;
  return k;
}

template <class F>
void ForHverEgenForsteRaekke(F f) {
  for (UgeIndeks i = 1; i <= SkemaPeriode.AntalUger; ++i) {
    const Uge uge = IndeksTilUge(i);
    TabVar *b = SkemabegBucket(uge);
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const SkeRec *s = Post<SkeRec>(tdske, *b, r);
      if (s->Forste == r && s->Status != 0 && s->Ejer == Egen()) f(b, uge, r);
    }
  }
}

}  // namespace

void EksportSkemaSlet(FILE *f) {
  Sektion sek{f, "@S-"};
  ForHverEgenForsteRaekke([&](TabVar *b, Uge uge, uint32_t r) {
    const SkeRec *s = Post<SkeRec>(tdske, *b, r);
    const bool maerke = (s->Status & kLever) && SletteMaerke(s->Fejl, true);
    if (!SletningIkkeSendt(s->Status) && !maerke) return;
    sek.Foer();
    Skriv(f, "%u,%u,%lu,%lu\n", uge / 100, uge % 100, r, s->id);
    const uint32_t slut = EventSlut(b, r);
    for (uint32_t k = r; k < slut; ++k) SaetSke(b, uge, k, kSendtSletning);
  });
}

void EksportSkema(FILE *f) {
  Sektion sek{f, "@S+"};
  std::string forrigeA, forrigeM, forrigeL, forrigeB;
  uint32_t forrigeU = 0, forrigeR = 0;
  ForHverEgenForsteRaekke([&](TabVar *b, Uge uge, uint32_t r) {
    const SkeRec *forste = Post<SkeRec>(tdske, *b, r);
    if (!IkkeSendt(forste->Status)) return;
    const uint32_t slut = EventSlut(b, r);
    std::string a, m, l;
    // A reference that names no record counts as no participant.
    auto tilfoej = [](std::string &liste, const std::string &del) {
      if (!liste.empty()) liste += ';';
      liste += del;
    };
    for (uint32_t k = r; k < slut; ++k) {
      const SkeRec *s = Post<SkeRec>(tdske, *b, k);
      if (GyldigRef(&tvakti, s->akti_id) && !IsReservedRec('K', s->akti_id))
        tilfoej(a, Tekst("%ld", RefId(tdakti, tvakti, s->akti_id)));
      if (GyldigRef(&tvanfo, s->anfo_id)) {
        const uint32_t anfo = RefId(tdanfo, tvanfo, s->anfo_id);
        const uint32_t rolle = RefId(tdskemarol, tvskemarol, s->skemarol_id);
        const float norm = s->Minutnorm;
        tilfoej(m, norm < 0 ? Tekst("%ld,%ld", anfo, rolle) : Tekst("%ld,%ld,%4.2f", anfo, rolle, norm));
      }
      if (GyldigRef(&tvloka, s->loka_id))
        tilfoej(l, Tekst("%ld,%ld", RefId(tdloka, tvloka, s->loka_id),
                         RefId(tdlokrolle, tvlokrolle, s->lokrolle_id)));
    }
    for (uint32_t k = r; k < slut; ++k) SaetSke(b, uge, k, kSendtNy);
    if (a.empty() && m.empty() && l.empty()) return;

    const SkeRec *s = Post<SkeRec>(tdske, *b, r);
    const uint32_t fag = RefId(tdskfa, tvskfa, s->skfa_id);
    const uint32_t risy = RefId(tdrisy, tvrisy, s->risy_id);
    std::string bem;
    if (const BemRec *br = GyldigRef(&tvbem, s->bem_id) ? Post<BemRec>(tdbem, tvbem, s->bem_id) : nullptr)
      bem.assign(br->Betegnelse, strnlen(br->Betegnelse, sizeof br->Betegnelse));
    sek.Foer();
    if (a != forrigeA) Skriv(f, "A%s\n", a);
    if (fag != forrigeU) Skriv(f, "U%lu\n", fag);
    if (risy != forrigeR) Skriv(f, "R%lu\n", risy);
    if (m != forrigeM) Skriv(f, "M%s\n", m);
    if (l != forrigeL) Skriv(f, "L%s\n", l);
    if (bem != forrigeB) Skriv(f, "B%s\n", bem);
    forrigeA = a, forrigeM = m, forrigeL = l, forrigeB = bem, forrigeU = fag, forrigeR = risy;
    const Dato dato = UgeDagTilDato(uge, s->Dag);
    if (s->Lektion == 0)
      Skriv(f, "T%lu,%u,%u,%u,%u,%0.2f,%u\n", dato, uge % 100, r, s->Starttid, s->Sluttid,
            static_cast<double>(s->Antal_std_lektioner), s->id);
    else
      Skriv(f, "N%lu,%u,%u,%u,%u\n", dato, uge % 100, r, unsigned(s->Lektion), s->id);
  });
}

namespace {

template <class F>
void ForHverEgenTimRaekke(F f) {
  for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i) {
    const Maaned mnd = IndeksTilMaaned(i);
    TabVar *b = TimoakBucket(mnd);
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
      const TimoakRaekke *t = Post<TimoakRaekke>(tdtimoak, *b, r);
      if (t->Status != 0 && t->Ejer == Egen()) f(b, mnd, r);
    }
  }
}

}  // namespace

void EksportTimerSlet(FILE *f) {
  Sektion sek{f, "@B-"};
  ForHverEgenTimRaekke([&](TabVar *b, Maaned mnd, uint32_t r) {
    const TimoakRaekke *t = Post<TimoakRaekke>(tdtimoak, *b, r);
    const bool maerke = (t->Status & kLever) && SletteMaerke(t->Fejl, false);
    if (!SletningIkkeSendt(t->Status) && !maerke) return;
    sek.Foer();
    Skriv(f, "%u,%u,%lu,%lu\n", mnd / 100, mnd % 100, r, t->id);
    SaetTim(b, mnd, r, kSendtSletning);
  });
}

void EksportTimer(FILE *f) {
  Sektion sek{f, "@B+"};
  bool foerste = true;
  uint32_t forrigeA = 0, forrigeM = 0;
  ForHverEgenTimRaekke([&](TabVar *b, Maaned mnd, uint32_t r) {
    const TimoakRaekke *t = Post<TimoakRaekke>(tdtimoak, *b, r);
    if (!IkkeSendt(t->Status)) return;
    const uint32_t akti = RefId(tdakti, tvakti, t->akti_id);
    const uint32_t anfo = RefId(tdanfo, tvanfo, t->anfo_id);
    sek.Foer();
    if (foerste || akti != forrigeA) Skriv(f, "A%ld\n", akti);
    if (foerste || anfo != forrigeM) Skriv(f, "M%ld\n", anfo);
    foerste = false;
    forrigeA = akti, forrigeM = anfo;
    Skriv(f, "T%lu,%u,%lu,%ld\n", mnd * 100 + t->Maaneddag, mnd % 100, r, t->Timer);
    SaetTim(b, mnd, r, kSendtNy);
  });
}

int HoejesteGruppe(const TabDesc *pTd, const TabVar *pTv) {
  const uint8_t gf = pTd->PeriodeFelter[PF_GRUPPE];
  if (gf == 0) return 0;
  uint32_t alle = 0;
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    const uint8_t *rec = GetRec(pTd, pTv, r);
    if (!Aktiv(RecStatus(pTd, rec))) continue;
    uint32_t g;
    memcpy(&g, rec + pTd->FeltTab[gf].Offset, 4);
    alle |= g;
  }
  for (int n = 30; n >= 1; --n)
    if (alle >> n & 1u) return n;
  return 0;
}

void EksportGrupper(FILE *f) {
  Sektion sek{f, "@grupper"};
  struct Art {
    char Bogstav;
    int Navne;
    const TabDesc *pTd;
    TabVar *pTv;
    int Foerste;
  };
  const Art arter[] = {{'M', GRP_ANFO, &tdanfo, &tvanfo, 1},
                       {'K', GRP_AKTI, &tdakti, &tvakti, 6},
                       {'L', GRP_LOKA, &tdloka, &tvloka, 1}};
  for (const Art &a : arter) {
    const int hoejeste = HoejesteGruppe(a.pTd, a.pTv);
    const uint32_t go = a.pTd->FeltTab[a.pTd->PeriodeFelter[PF_GRUPPE]].Offset;
    for (int n = a.Foerste; n <= hoejeste; ++n) {
      sek.Foer();
      const char *vist = GruppeNavne[a.Navne][n];
      const char *kolon = strstr(vist, ": ");
      std::string linje = Tekst("%c%ld,%s", a.Bogstav, n, kolon ? kolon + 2 : vist);
      bool medlem = false;
      for (uint32_t r = 1; r < a.pTv->wRecCnt; ++r) {
        const uint8_t *rec = GetRec(a.pTd, a.pTv, r);
        uint32_t g;
        memcpy(&g, rec + go, 4);
        if (!Aktiv(RecStatus(a.pTd, rec)) || !(g >> n & 1u)) continue;
        linje += Tekst(",%lu", Id(rec));
        medlem = true;
      }
      if (medlem) Skriv(f, "%s\n", linje);
    }
  }
}

// ---- Planning tables ----

namespace {

struct PlanTabel {
  const char *Navn;
  const TabDesc *pTd;
  TabVar *pTv;
  size_t EjerOff;
  const TabDesc *ForaelderTd;  // null: no parent
  TabVar *ForaelderTv;
  size_t ForaelderOff;
  uint8_t PlanBits;            // in plan mode a record with one of these is sent again
  std::string (*Linje)(uint32_t nr, const uint8_t *rec);
};

std::string FfpgLinje(uint32_t nr, const uint8_t *rec) {
  const FfpgRec *p = reinterpret_cast<const FfpgRec *>(rec);
  const std::string navn(p->Navn, strnlen(p->Navn, sizeof p->Navn));
  return Tekst("%lu;%s;%lu;%lu;%d;%lu", p->id, navn, p->Fradato, p->Tildato, p->VisSkeLekt, nr);
}

std::string FfpgrelLinje(uint32_t nr, const uint8_t *rec) {
  const FfpgrelRec *p = reinterpret_cast<const FfpgrelRec *>(rec);
  return Tekst("%lu;%ld;%lu;%lu;%lu", p->Id, PlanRef(tdffpg, tvffpg, p->Plangruppe_id),
               RefId(tdakti, tvakti, p->akti_id), RefId(tdanfo, tvanfo, p->anfo_id), nr);
}

std::string FfppLinje(uint32_t nr, const uint8_t *rec) {
  const FfppRec *p = reinterpret_cast<const FfppRec *>(rec);
  return Tekst("%lu;%ld;%lu;%lu;%d;%lu", p->Id, PlanRef(tdffpg, tvffpg, p->ffpg_id), p->Frauge, p->Tiluge,
               p->Udfold, nr);
}

std::string FfgrundLinje(uint32_t nr, const uint8_t *rec) {
  const FfgrundRec *p = reinterpret_cast<const FfgrundRec *>(rec);
  return Tekst("%lu;%ld;%lu;%lu;%lu;%lu;%d;%d;%d;%d;%ld;%ld;%.2f;%ld;%ld;%.2f;%.2f;%ld", p->Id,
               PlanRef(tdffpg, tvffpg, p->ffpg_id), RefId(tdakti, tvakti, p->Aktivitet),
               RefId(tdskfa, tvskfa, p->Skolefag), RefId(tdanfo, tvanfo, p->Medarbejder1),
               RefId(tdanfo, tvanfo, p->Medarbejder2), p->Skjult, p->Dublet, p->Udfoldet, p->ObjType, p->Budget,
               p->LektionsBlok, double(p->Timer), p->Lektioner, p->SumLektioner, double(p->Minutnorm1),
               double(p->Minutnorm2), nr);
}

std::string FfpertabLinje(uint32_t nr, const uint8_t *rec) {
  const FfpertabRec *p = reinterpret_cast<const FfpertabRec *>(rec);
  return Tekst("%lu;%ld;%ld;%.2f;%ld;%.2f;%.2f;%.2f;%.2f;%.2f;%.2f;%d;%ld", p->Id,
               PlanRef(tdffgrund, tvffgrund, p->ffgrund_id), PlanRef(tdffpp, tvffpp, p->ffpp_id), double(p->Timer),
               p->Lektioner, double(p->Opgave_antal), double(p->Minutter_per_opgave), double(p->Elevtid_per_elev),
               double(p->Rettearbejd), double(p->Elevtid), double(p->Eksametid), p->PlanStatus, nr);
}

std::string FftaltabLinje(uint32_t nr, const uint8_t *rec) {
  const FftaltabRec *p = reinterpret_cast<const FftaltabRec *>(rec);
  return Tekst("%lu;%ld;%lu;%lu;%.2f;%lu;%lu;%.2f;%.2f;%.2f;%.2f;%.2f;%.2f;%lu;%lu;%lu;%lu", p->Id,
               PlanRef(tdffgrund, tvffgrund, p->ffgrund_id), p->PlanStatus, p->Uge, double(p->Timer), p->Lektioner,
               p->ElevAntal, double(p->Opgave_antal), double(p->Minutter_per_opgave), double(p->Elevtid_per_elev),
               double(p->Rettearbejd), double(p->Elevtid), double(p->Eksametid), p->RetStatus, p->EksStatus,
               p->ElevtidStatus, nr);
}

constexpr uint8_t kPlanBits = kLever | kBekraeftet;

const PlanTabel kFfpg = {"ffpg", &tdffpg, &tvffpg, offsetof(FfpgRec, Ejer), nullptr, nullptr, 0, kPlanBits,
                         FfpgLinje};
const PlanTabel kFfpgrel = {"ffpgrel", &tdffpgrel, &tvffpgrel, offsetof(FfpgrelRec, Ejer), &tdffpg, &tvffpg,
                            offsetof(FfpgrelRec, Plangruppe_id), kPlanBits | kSlettet | kKonflikt, FfpgrelLinje};
const PlanTabel kFfpp = {"ffpp", &tdffpp, &tvffpp, offsetof(FfppRec, Ejer), &tdffpg, &tvffpg,
                         offsetof(FfppRec, ffpg_id), kPlanBits, FfppLinje};
const PlanTabel kFfgrund = {"ffgrund", &tdffgrund, &tvffgrund, offsetof(FfgrundRec, Ejer), &tdffpg, &tvffpg,
                            offsetof(FfgrundRec, ffpg_id), kPlanBits, FfgrundLinje};
const PlanTabel kFfpertab = {"ffpertab", &tdffpertab, &tvffpertab, offsetof(FfpertabRec, Ejer), &tdffgrund,
                             &tvffgrund, offsetof(FfpertabRec, ffgrund_id), kPlanBits, FfpertabLinje};
const PlanTabel kFftaltab = {"fftaltab", &tdfftaltab, &tvfftaltab, offsetof(FftaltabRec, Ejer), &tdffgrund,
                             &tvffgrund, offsetof(FftaltabRec, ffgrund_id), kPlanBits, FftaltabLinje};

void PlanSletSektion(FILE *f, const PlanTabel &t) {
  const std::string navn = std::string("@") + t.Navn + "-";
  Sektion sek{f, navn.c_str()};
  const int fo = FejlOffset(t.pTd);
  for (uint32_t r = 1; r < t.pTv->wRecCnt; ++r) {
    const uint8_t *rec = GetRec(t.pTd, t.pTv, r);
    const uint8_t s = RecStatus(t.pTd, rec);
    if (s == 0 || rec[t.EjerOff] != Egen()) continue;
    const bool h = fo >= 0 && rec[fo] == 'H' && Id(rec) != 0;
    if (!SletningIkkeSendt(s) && (s & 0x54) != 0x44 && !h) continue;
    sek.Foer();
    Skriv(f, "%lu;%lu\n", Id(rec), r);
    SaetTabelStatus(t.pTd, t.pTv, r, static_cast<uint8_t>(kSendtSletning | (s & ~kFlagBits)));
  }
}

void PlanAendrSektion(FILE *f, const PlanTabel &t, bool planMode) {
  if (planMode && HarPoster(t.pTd, t.pTv)) Skriv(f, "@%s\n\n", t.Navn);
  const std::string navn = std::string("@") + t.Navn + "+";
  Sektion sek{f, navn.c_str()};
  for (uint32_t r = 1; r < t.pTv->wRecCnt; ++r) {
    const uint8_t *rec = GetRec(t.pTd, t.pTv, r);
    const uint8_t s = RecStatus(t.pTd, rec);
    if (s == 0 || s == 30 || rec[t.EjerOff] != Egen() || (s & 0x48) == 0x48) continue;
    if (t.ForaelderTd) {
      uint32_t far;
      memcpy(&far, rec + t.ForaelderOff, 4);
      if (!GyldigRef(t.ForaelderTv, far) || RecStatus(t.ForaelderTd, GetRec(t.ForaelderTd, t.ForaelderTv, far)) == 0)
        continue;
    }
    const bool send = planMode ? (s & t.PlanBits) != 0 : (s & 0x78) == 0x40 || (s & 0x78) == 0x60;
    if (!send) continue;
    sek.Foer();
    Skriv(f, "%s\n", t.Linje(r, rec));
    SaetTabelStatus(t.pTd, t.pTv, r, static_cast<uint8_t>(kSendtNy | (s & ~kFlagBits)));
  }
}

void EksportPlan(FILE *f, bool hovedResultat) {
  bool planMode = Flag("planexport");
  if (hovedResultat || !planMode) {
    planMode = false;
    if (!HasPlanExport()) return;
  }
  if (HWND plan = FindVindueType(kPlanVindueType)) SendMessageA(plan, kGemVentende, 0, 0);
  for (const PlanTabel *t : {&kFftaltab, &kFfpertab, &kFfgrund, &kFfpp, &kFfpgrel, &kFfpg})
    PlanSletSektion(f, *t);
  PlanAendrSektion(f, kFfpg, planMode);
  EksportFfpgrel(f, planMode);
  PlanAendrSektion(f, kFfpp, planMode);
  EksportFfgrund(f, planMode);
  EksportFfpertab(f, planMode);
  EksportFftaltab(f, planMode);
}

// ---- The sections written inline ----

void EksportRelationer(FILE *f) {
  if (Flag("exporteralrel") && HarPoster(&tdalrel, &tvalrel)) {
    Skriv(f, "@alrel\n");
    for (uint32_t r = 1; r < tvalrel.wRecCnt; ++r) {
      const AlrelRec *a = Post<AlrelRec>(tdalrel, tvalrel, r);
      const uint32_t akti = RefId(tdakti, tvakti, a->akti_id), loka = RefId(tdloka, tvloka, a->loka_id);
      if (Aktiv(a->Status) && akti && loka) Skriv(f, "%ld;%ld\n", akti, loka);
    }
  }
  if (Flag("exporterskfalokarel") && HarPoster(&tdskfalokarel, &tvskfalokarel)) {
    Skriv(f, "@skfalokarel\n");
    for (uint32_t r = 1; r < tvskfalokarel.wRecCnt; ++r) {
      const SkfalokarelRec *a = Post<SkfalokarelRec>(tdskfalokarel, tvskfalokarel, r);
      const uint32_t skfa = RefId(tdskfa, tvskfa, a->skfa_id), loka = RefId(tdloka, tvloka, a->loka_id);
      if (Aktiv(a->Status) && skfa && loka) Skriv(f, "%ld;%ld\n", skfa, loka);
    }
  }
}

void EksportMedaSkePrior(FILE *f) {
  if (!Flag("exportermedaskeprior")) return;
  Skriv(f, "@medaskeprior\n");
  TabVar &tv = tvmedaskeprior;
  for (uint32_t r = 1; r < tv.wRecCnt; ++r) {
    const MedaskepriorRec *p = Post<MedaskepriorRec>(tdmedaskeprior, tv, r);
    if (p->Status == 0 || p->Ejer != Egen()) continue;
    if (!(p->Status & kSlettet)) {
      Skriv(f, "%lu;%d;%lu;%lu;%ld;%lu;%lu\n", RefId(tdanfo, tvanfo, p->anfo_id), p->Ugedag, p->Starttid,
            p->Sluttid, p->prioritet, p->Fradato, p->Tildato);
      continue;
    }
    if (!Liste.PriorLedigeKendt) Liste.PriorLedigeFoer = tv.FoersteLedige;
    Liste.PriorLedigeKendt = true;
    FoerAendring(&tdmedaskeprior, &tv, r);
    Liste.Ryddede.push_back({r, *p});
    DelRec(&tdmedaskeprior, &tv, r);
  }
  Liste.PriorLedigeEfter = tv.FoersteLedige;
}

void EksportAktiPrioritet(FILE *f) {
  if (!AktiPrioritetMinde) return;
  Skriv(f, "@aktiprioritet\n");
  for (uint32_t r = 1; r < tvakti.wRecCnt && r < AktiPrioritetAntal; ++r) {
    const AktiRec *a = Post<AktiRec>(tdakti, tvakti, r);
    const uint8_t minde = AktiPrioritetMinde[r];
    if (minde == INGEN_AKTI_PRIORITET || minde == a->Skema_prioritet || a->Status == 0 || a->Status == 30 ||
        IsReservedRec('K', r))
      continue;
    Skriv(f, "%lu;%d\n", a->id, a->Skema_prioritet);
  }
}

void SkrivIndhold(FILE *f) {
  const bool hovedResultat = EksportHoved(f, GlobalIndstillinger.supertavo != 0);
  if (GlobalIndstillinger.supertavo) return;
  EksportRetslet(f);
  if (EksportValg.skema) {
    EksportSkemaSlet(f);
    EksportSkema(f);
  }
  if (EksportValg.posteringer) {
    EksportTimerSlet(f);
    EksportTimer(f);
  }
  if (Flag("exportergrupper")) EksportGrupper(f);
  EksportRelationer(f);
  EksportMedaSkePrior(f);
  EksportAktiPrioritet(f);
  EksportPlan(f, hovedResultat);
}

}  // namespace

void EksportFfpgrel(FILE *f, bool planMode) { PlanAendrSektion(f, kFfpgrel, planMode); }
void EksportFfgrund(FILE *f, bool planMode) { PlanAendrSektion(f, kFfgrund, planMode); }
void EksportFfpertab(FILE *f, bool planMode) { PlanAendrSektion(f, kFfpertab, planMode); }
void EksportFftaltab(FILE *f, bool planMode) { PlanAendrSektion(f, kFftaltab, planMode); }

// ---- The export ----

bool EksportSkriv() {
  char tmp[kStiLaengde];
  if (snprintf(tmp, sizeof tmp, "%s.tmp", StiTab.szexp) >= static_cast<int>(sizeof tmp)) return false;
  // The file and its list of marks are one save: a crash between them
  // never leaves an export whose marks cannot be withdrawn, or marks of
  // an export that is not there.
  Gemning gem;
  FILE *f = fopen(tmp, "wb");
  if (!f) {
    const int fejl = errno;
    LogPrintf("** Fejl: EksportSkriv(): %s kan ikke oprettes (%d)\n", tmp, fejl);
    errno = fejl;
    return false;
  }
  // The list of an earlier export stays until this one is in place.
  MaerkeListe tidligere = std::move(Liste);
  Liste = MaerkeListe{};
  Liste.BlokkeKendt = true;
  Liste.GemTaeller = TabGemTaeller.load();

  SkrivIndhold(f);
  bool ok = !ferror(f);
  if (fclose(f) != 0) ok = false;
  if (ok) ok = GemListe();
  if (ok && ErstatDataFil(tmp, StiTab.szexp) != 0) ok = false;
  // A failure after the save was decided still leaves this export in place.
  if (ok) ok = gem.Fuldfoer() || gem.Besluttet();
  if (!ok) {
    const int fejl = errno;
    SletDataFil(tmp);
    // An uncommitted save left the earlier export and its list in place.
    GendanListe();
    Liste = std::move(tidligere);
    LogPrintf("** Fejl: EksportSkriv(): %s kunne ikke skrives (%d); intet er markeret som sendt\n",
              StiTab.szexp, fejl);
    errno = fejl;  // the caller shows why
    return false;
  }
  Liste.Findes = true;
  if (!GlobalIndstillinger.supertavo) WritePrivateProfileStringA("global", "hentstam", "nej", StiTab.szini);
  CountExportChanges();
  SendTilAlleVinduer(DATA_AENDRET, 0, 0, 0);
  return true;
}

void FjernEksportMarker() {
  if (!Liste.Findes) {
    char sti[kStiLaengde];
    if (ListeSti(sti, sizeof sti, "")) {
      if (FILE *f = fopen(sti, "rb")) {
        LaesEksportMaerker(f);
        fclose(f);
      }
    }
  }
  if (Liste.Findes)
    GendanListe();
  else
    FjernAlleSendteMarker();
  GlemEksportMarker();
}

void GlemEksportMarker() {
  Liste = MaerkeListe{};
  char sti[kStiLaengde];
  if (ListeSti(sti, sizeof sti, "")) SletDataFil(sti);
}

bool LaesEksportMaerker(FILE *f) {
  Liste = MaerkeListe{};
  char linje[256];
  if (!fgets(linje, sizeof linje, f)) return false;
  linje[strcspn(linje, "\r\n")] = 0;
  if (strcmp(linje, kListeHoved) != 0) return false;
  unsigned long nr = 1;
  bool hel = true;
  while (fgets(linje, sizeof linje, f)) {
    const bool start = hel;
    hel = strchr(linje, '\n') != nullptr;
    if (start) ++nr;
    // The rest of an over-long line belongs to a line already refused.
    if (!start || !hel) {
      if (start) LogPrintf("** Fejl: LaesEksportMaerker(): linje %lu er for lang\n", nr);
      continue;
    }
    linje[strcspn(linje, "\r\n")] = 0;
    long long t[11];
    bool god = false;
    if ((linje[0] == 'T' || linje[0] == 'S' || linje[0] == 'B') && linje[1] == ';' &&
        LaesTal(linje + 2, t, 6, 99)) {
      const char art = linje[0];
      Maerke m{art,
               art == 'T' ? static_cast<uint8_t>(t[0]) : uint8_t(0),
               art == 'T' ? 0u : static_cast<uint32_t>(t[0]),
               static_cast<uint32_t>(t[1]),
               static_cast<uint32_t>(t[2]),
               static_cast<uint32_t>(t[3]),
               static_cast<uint32_t>(t[4]),
               static_cast<uint8_t>(t[5])};
      TabVar *pTv;
      god = m.Nr != 0 && U8(t[5]) && (art == 'S' || (U8(t[3]) && U8(t[4]))) &&
            (art != 'T' || (U8(t[0]) && MaerkeTabel(m.Type, &pTv)));
      if (god) Liste.Maerker.push_back(m);
    } else if (linje[0] == 'P' && linje[1] == ';' && LaesTal(linje + 2, t, 11, 5)) {
      god = t[0] != 0 && U8(t[2]) && t[5] >= INT32_MIN && t[5] <= INT32_MAX && U8(t[8]) && U8(t[9]) &&
            U8(t[10]) && t[10] != 0;
      if (god) {
        RyddetPrior p{};
        p.Nr = static_cast<uint32_t>(t[0]);
        p.Rec.anfo_id = static_cast<uint32_t>(t[1]);
        p.Rec.Ugedag = static_cast<uint8_t>(t[2]);
        p.Rec.Starttid = static_cast<uint32_t>(t[3]);
        p.Rec.Sluttid = static_cast<uint32_t>(t[4]);
        p.Rec.prioritet = static_cast<int32_t>(t[5]);
        p.Rec.Fradato = static_cast<uint32_t>(t[6]);
        p.Rec.Tildato = static_cast<uint32_t>(t[7]);
        p.Rec.Ejer = static_cast<uint8_t>(t[8]);
        p.Rec.Fejl = static_cast<uint8_t>(t[9]);
        p.Rec.Status = static_cast<uint8_t>(t[10]);
        Liste.Ryddede.push_back(p);
      }
    }
    if (!god) LogPrintf("** Fejl: LaesEksportMaerker(): linje %lu er ugyldig\n", nr);
  }
  Liste.Findes = true;
  return true;
}

size_t EksportMaerkerAntal() { return Liste.Maerker.size() + Liste.Ryddede.size(); }
