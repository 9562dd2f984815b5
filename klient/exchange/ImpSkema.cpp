// Event lines are read into LkAVS part by part and written by the
// schedule's own writer, so an imported event has exactly the rows an event
// entered in the schedule would have.
#include "ImpSkema.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ADDBEG.h"
#include "AVSHJAELP.h"
#include "FINDREC.h"
#include "GEMNING.h"
#include "IMPORT.h"
#include "INDSTIL.h"
#include "ImpData.h"
#include "ImpTabel.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "SKEBEG.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "TEKST.h"

AVS LkAVS = {};
int AendredeBegivenhederModtaget = 0;

namespace {

constexpr uint32_t kStatusNy = SKE_EGEN | SKE_KENDT;  // 96: no X line, or X 0

// A ','- or ';'-separated part of a text, cut to n - 1 characters.
const char *NaesteDel(const char *p, char skille, char *del, size_t n) {
  const char *slut = strchr(p, skille);
  const size_t laengde = slut ? static_cast<size_t>(slut - p) : strlen(p);
  const size_t kopi = std::min(laengde, n - 1);
  memcpy(del, p, kopi);
  del[kopi] = 0;
  return slut ? slut + 1 : nullptr;
}

// The first eight parts of a ','-list of at most 511 characters (a longer
// one is cut), without an allocation: the readers split millions of them.
class Dele {
 public:
  explicit Dele(const char *tekst) {
    const size_t n = strnlen(tekst, kSkemaFeltLaengde);
    memcpy(buf_, tekst, n);
    buf_[n] = 0;
    for (char *p = buf_;;) {
      if (antal_ < kMaks) del_[antal_++] = p;
      char *k = strchr(p, ',');
      if (!k) break;
      *k = 0;
      p = k + 1;
    }
  }
  size_t size() const { return antal_; }
  const char *operator[](size_t i) const { return del_[i]; }

 private:
  static constexpr size_t kMaks = 8;
  char buf_[kSkemaFeltLaengde + 1];
  const char *del_[kMaks] = {};
  size_t antal_ = 0;
};

uint32_t Tal(const char *s) { return static_cast<uint32_t>(strtoul(s, nullptr, 10)); }

// Appends to a list of antal entries; false when it cannot grow.
template <class T>
bool Tilfoej(T *&liste, uint32_t antal, T v) {
  T *ny = static_cast<T *>(realloc(liste, (size_t{antal} + 1) * sizeof(T)));
  if (!ny) return false;
  ny[antal] = v;
  liste = ny;
  return true;
}

bool LevendeRec(const TabDesc &td, const TabVar &tv, uint32_t r) {
  if (r == 0 || r >= tv.wRecCnt) return false;
  const uint8_t *rec = GetRec(&td, &tv, r);
  return rec && rec[td.FeltTab[td.StatusFelt].Offset] == 10;
}

enum class Sektion { Skemabeg, Extprogske, Forandringske, AndretSkema };

// What the lines of one section have set so far besides LkAVS.
struct Laeser {
  Sektion art;
  FILE *fil;
  char *linje;
  uint32_t status = kStatusNy;
  bool iPeriode = false;  // the D line's date lies in the schedule period
  Dato dato = 0;
  uint8_t aarIdx = 0, uge = 0;
  std::string *rapport = nullptr;  // andretskema's report of this import
};

// D: a date inside the period places the event; one outside is kept but
// makes the following T and + lines write nothing.
void SaetDato(Laeser &l, const char *felt) {
  l.dato = static_cast<Dato>(strtoul(felt, nullptr, 10));
  Uge u = 0;
  uint8_t dag = 0;
  if (GyldigDato(l.dato)) DatoTilUge(l.dato, &u, &dag);
  l.iPeriode = u != 0 && l.dato >= SkemaPeriode.FraDato && l.dato <= SkemaPeriode.TilDato;
  if (!l.iPeriode) return;
  l.aarIdx = u < SkemaPeriode.FoersteUge ? 0 : static_cast<uint8_t>(u / 100 - SkemaPeriode.BaseAar);
  l.uge = static_cast<uint8_t>(u % 100);
  LkAVS.Dag = dag;
}

void SaetTider(const TidsFelter &t) {
  LkAVS.Starttid = t.Starttid;
  LkAVS.Sluttid = t.Sluttid;
  LkAVS.Lektion = t.Lektion;
  LkAVS.Antal_std_lektioner = t.Antal_std_lektioner;
}

// The rows of the event that begins with the first live row of the bucket
// with this id, bit 64 and the owner, get status 0.
void SletFremmed(uint8_t aarIdx, uint8_t uge, uint32_t id, uint8_t ejer) {
  TabVar *b = BegBucket(aarIdx, uge);
  if (!b || id == 0) return;
  for (uint32_t r = 1; r < b->wRecCnt; ++r) {
    SkeRec *s = BegRaekke(aarIdx, uge, r);
    if (!s || s->id != id || !(s->Status & SKE_EGEN) || s->Ejer != ejer) continue;
    for (uint32_t k = r; k < b->wRecCnt; ++k) {
      SkeRec *f = BegRaekke(aarIdx, uge, k);
      if (f->Forste == r && f->id == id && (f->Status & SKE_EGEN)) f->Status = 0;
    }
    return;
  }
}

// ---- The report of andretskema ----

// YYYYMMDDHHMMSS as the date and HHMM.
void DelTid(double t, uint32_t *dato, uint32_t *hhmm) {
  *dato = *hhmm = 0;
  if (!(t > 0) || t >= 1e14) return;
  *dato = static_cast<uint32_t>(std::floor(t / 1e6));
  *hhmm = static_cast<uint32_t>(std::fmod(std::floor(t / 100), 1e4));
}

std::string DatoTekst(Dato d) {
  char b[16];
  snprintf(b, sizeof b, "%02u-%02u-%04u", d % 100, d / 100 % 100, d / 10000);
  return b;
}

std::string MedaTekst(const AVS &a, uint32_t k) {
  if (k >= a.anfoAntal || !a.anfoTab[k]) return "Ingen";
  const uint8_t *anfo = GetRec(&tdanfo, &tvanfo, a.anfoTab[k]);
  if (!anfo || a.anfoTab[k] >= tvanfo.wRecCnt) return "Ingen";
  uint32_t meda;
  memcpy(&meda, anfo + offsetof(AnfoRec, meda_id), 4);
  const uint8_t *m = meda && meda < tvmeda.wRecCnt ? GetRec(&tdmeda, &tvmeda, meda) : nullptr;
  if (!m) return "Ingen";
  char ini[sizeof(MedaRec::Initialer) + 1] = {};
  memcpy(ini, m + offsetof(MedaRec, Initialer), sizeof(MedaRec::Initialer));
  return ini;
}

std::string LokaTekst(const AVS &a, uint32_t k) {
  if (k >= a.lokaAntal || !a.lokaTab[k] || a.lokaTab[k] >= tvloka.wRecCnt) return "Intet";
  char nr[sizeof(LokaRec::Lokalenr) + 1] = {};
  memcpy(nr, GetRec(&tdloka, &tvloka, a.lokaTab[k]) + offsetof(LokaRec, Lokalenr), sizeof(LokaRec::Lokalenr));
  return nr;
}

void Printf(std::string &ud, const char *format, ...) __attribute__((format(printf, 2, 3)));
void Printf(std::string &ud, const char *format, ...) {
  char linje[512];
  va_list ap;
  va_start(ap, format);
  const int n = vsnprintf(linje, sizeof linje, format, ap);
  va_end(ap);
  if (n > 0) ud.append(linje, std::min(static_cast<size_t>(n), sizeof linje - 1));
}

void Rapport(std::string &f, const AVS &gl, Dato glDato, const TidsFelter &t, Dato nyDato) {
  uint32_t dato, hhmm;
  DelTid(t.AEndret_tid, &dato, &hhmm);
  char aendretAf[sizeof t.AEndret_af];
  snprintf(aendretAf, sizeof aendretAf, "%s", t.AEndret_af);
  Printf(f, "%-12s%-10s%4u      %-10s%4u      %-12s%-12s%-14s%-14s%u %u\n", aendretAf, DatoTekst(glDato).c_str(),
           unsigned{gl.Lektion}, DatoTekst(nyDato).c_str(), unsigned{t.Lektion}, MedaTekst(gl, 0).c_str(),
           MedaTekst(LkAVS, 0).c_str(), LokaTekst(gl, 0).c_str(), LokaTekst(LkAVS, 0).c_str(), dato, hhmm);
  const uint32_t antal = std::max({gl.anfoAntal, LkAVS.anfoAntal, gl.lokaAntal, LkAVS.lokaAntal});
  for (uint32_t k = 1; k < antal; ++k)
    Printf(f, "\t\t\t\t\t\t    %-12s%-12s%-14s%-14s\n", MedaTekst(gl, k).c_str(), MedaTekst(LkAVS, k).c_str(),
             LokaTekst(gl, k).c_str(), LokaTekst(LkAVS, k).c_str());
}

// The first event of the period with the id is replaced by the line's, and
// set beside it in the report.
void ErstatAendret(Laeser &l, const TidsFelter &t) {
  if (t.id == 0) return;
  for (UgeIndeks w = 1; w <= SkemaPeriode.AntalUger; ++w) {
    const uint8_t aarIdx = IndeksTilAarOffset(w), uge = static_cast<uint8_t>(IndeksTilUgeNr(w));
    TabVar *b = BegBucket(aarIdx, uge);
    if (!b) continue;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const SkeRec *s = BegRaekke(aarIdx, uge, r);
      if (!s || s->Status == 0 || s->id != t.id) continue;
      const uint32_t forste = s->Forste;
      AVS gl = {};
      CleanupAVS(&gl);
      HentAVS(aarIdx, uge, forste, &gl, true);
      if (l.rapport)
        Rapport(*l.rapport, gl, UgeDagTilDato(IndeksTilUge(w), gl.Dag), t, l.dato);
      for (uint32_t k = forste; k < b->wRecCnt; ++k) {
        SkeRec *f = BegRaekke(aarIdx, uge, k);
        if (f->Forste == forste && f->id == t.id) f->Status = 0;
      }
      const uint8_t ejer = LkAVS.Ejer;
      LkAVS.Ejer = gl.Ejer;
      SaetTider(t);
      AddBegivenhed(&LkAVS, t.id, l.aarIdx, l.uge, l.status | SKE_MAERKE2, false, t.AEndret_af, t.opdtid,
                    t.AEndret_tid);
      LkAVS.Ejer = ejer;
      CleanupAVS(&gl);
      return;
    }
  }
}

// The time items of a T or + line. False stops the section as broken.
bool Tidslinje(Laeser &l, const char *felt, char kind) {
  if (!l.iPeriode) return true;
  TidsFelter t;
  const bool ext = l.art == Sektion::Extprogske;
  LaesTidsfelter(felt, &t, ext ? 6 : 8);
  switch (l.art) {
    case Sektion::Skemabeg:
      if (kind != 'T') return true;
      if (LkAVS.Ejer != GlobalIndstillinger.insnr && !HarAktivDeltager(&LkAVS)) return true;
      SaetTider(t);
      return AddBegivenhed(&LkAVS, t.id, l.aarIdx, l.uge, l.status, false, t.AEndret_af, t.opdtid,
                           t.AEndret_tid) != 0;
    case Sektion::Extprogske:
      if (kind != '+') return true;
      LkAVS.Ejer = GlobalIndstillinger.insnr;
      if (!HarAktivDeltager(&LkAVS)) return true;
      SaetTider(t);
      AddBegivenhed(&LkAVS, t.id, l.aarIdx, l.uge, SKE_EGEN, true, nullptr, t.opdtid, 0);
      return true;
    case Sektion::Forandringske:
      // Only another installation's events, and only by a confirmed id:
      // id 0 is every event the central system has not numbered yet.
      if ((kind != '+' && kind != '-') || LkAVS.Ejer == GlobalIndstillinger.insnr || t.id == 0) return true;
      SletFremmed(l.aarIdx, l.uge, t.id, LkAVS.Ejer);
      if (kind == '-' || !HarAktivDeltager(&LkAVS)) return true;
      SaetTider(t);
      AddBegivenhed(&LkAVS, t.id, l.aarIdx, l.uge, l.status, false, t.AEndret_af, t.opdtid, t.AEndret_tid);
      return true;
    case Sektion::AndretSkema:
      if (kind == 'T') ErstatAendret(l, t);
      return true;
  }
  return true;
}

// One ';'-item of a line of the kind. False stops the section as broken.
bool Felt(Laeser &l, char kind, const char *felt) {
  switch (kind) {
    case 'A': {
      const uint32_t r =
          l.art == Sektion::Extprogske ? FindEllerReserveret(tdakti, tvakti, felt) : FindNoegle(tdakti, tvakti, felt);
      if (Tilfoej(LkAVS.aktiTab, LkAVS.aktiAntal, r)) ++LkAVS.aktiAntal;
      return true;
    }
    case 'B':
      if (l.art != Sektion::Extprogske)
        if (const uint32_t r = AddBemTekst(&tvbem, felt)) LkAVS.bem_id = r;
      return true;
    case 'D':
      SaetDato(l, felt);
      return true;
    case 'F':
      if (l.art != Sektion::Extprogske) LkAVS.Ejer = static_cast<uint8_t>(strtoul(felt, nullptr, 10));
      return true;
    case 'L':
      LaesLokaleFelt(felt, &LkAVS);
      return true;
    case 'M':
      LaesMedarbejderFelt(felt, &LkAVS);
      return true;
    case 'R':
      LkAVS.risy_id = FindNoegle(tdrisy, tvrisy, felt);
      if (!LkAVS.risy_id && l.art == Sektion::Extprogske) LkAVS.risy_id = GlobalIndstillinger.standardRingSystem;
      return true;
    case 'U':
      LkAVS.skfa_id =
          l.art == Sektion::Extprogske ? FindEllerReserveret(tdskfa, tvskfa, felt) : FindNoegle(tdskfa, tvskfa, felt);
      return true;
    case 'X':
      if (strtol(felt, nullptr, 10) != 0) l.status = SKE_EGEN;
      return true;
    case 'T':
    case '+':
    case '-':
      return Tidslinje(l, felt, kind);
    default:
      return true;
  }
}

// Empties the part of LkAVS the line kind describes, before its items.
void StartLinje(Laeser &l, char kind) {
  switch (kind) {
    case 'A': CleanupAVSDel(&LkAVS, 'K'); break;
    case 'B': CleanupAVSDel(&LkAVS, '-'); break;
    case 'F': LkAVS.Ejer = l.art == Sektion::Extprogske ? GlobalIndstillinger.insnr : 0; break;
    case 'L': CleanupAVSDel(&LkAVS, 'L'); break;
    case 'M': CleanupAVSDel(&LkAVS, 'M'); break;
    case 'R': CleanupAVSDel(&LkAVS, 'R'); break;
    case 'U': CleanupAVSDel(&LkAVS, 'U'); break;
    case 'X': l.status = kStatusNy; break;
    default: break;
  }
}

char *LaesAfsnit(Laeser &l) {
  NoegleHukommelse hukommelse;
  CleanupAVS(&LkAVS);
  if (l.art == Sektion::Extprogske) LkAVS.Ejer = GlobalIndstillinger.insnr;
  char *naeste = nullptr;
  bool brudt = false;
  while (LaesImportLinje(l.fil, l.linje, IMPORT_LINJE_LEN)) {
    if (l.linje[0] == '@' || l.linje[0] == '#') {
      naeste = l.linje;
      break;
    }
    TrimStr(l.linje);
    if (strlen(l.linje) < 2) continue;
    const char kind = l.linje[0];
    StartLinje(l, kind);
    char felt[kSkemaFeltLaengde + 1];
    for (const char *p = l.linje + 1; p && !brudt;) {
      p = NaesteDel(p, ';', felt, sizeof felt);
      if (felt[0] == '0' || felt[0] == 0) continue;
      if (!Felt(l, kind, felt)) brudt = true;
    }
    if (brudt) {
      LogPrintf("** Fejl: En skemabegivenhed fra importfilen kunne ikke skrives\n");
      strcpy(l.linje, "!FEJL");
      naeste = l.linje;
      break;
    }
  }
  CleanupAVS(&LkAVS);
  return naeste;
}

}  // namespace

namespace {

// What a table's lookups depend on besides its keys.
struct TabelTilstand {
  const uint8_t *pbTab;
  const uint32_t *pwSort;
  uint32_t wRecCnt, IdxAntal, KlasseAntal, SoegeSkridt;
  uint8_t fSorter;
  bool operator==(const TabelTilstand &) const = default;
};

TabelTilstand Tilstand(const TabVar &tv) {
  return {tv.pbTab,           tv.pwSort, tv.wRecCnt, tv.IdxAntal, tv.KlasseAntal[KLASSE_AKTUEL],
          tv.SoegeSkridt[KLASSE_AKTUEL], tv.fSorter};
}

struct TekstHash {
  using is_transparent = void;
  size_t operator()(std::string_view v) const { return std::hash<std::string_view>{}(v); }
};

struct Hukommelse {
  struct Tabel {
    TabelTilstand tilstand{};
    std::unordered_map<std::string, uint32_t, TekstHash, std::equal_to<>> svar;
  };
  std::unordered_map<const TabVar *, Tabel> tabeller;
};

Hukommelse *AktivHukommelse = nullptr;

}  // namespace

NoegleHukommelse::NoegleHukommelse() {
  if (AktivHukommelse) return;
  AktivHukommelse = new Hukommelse;
  ejer_ = true;
}

NoegleHukommelse::~NoegleHukommelse() {
  if (!ejer_) return;
  delete AktivHukommelse;
  AktivHukommelse = nullptr;
}

uint32_t FindNoegle(const TabDesc &td, TabVar &tv, const char *noegle) {
  if (!noegle[0]) return 0;
  if (!AktivHukommelse) return FindRec(&td, &tv, ParseFeltVaerdi(&td, noegle), KLASSE_AKTUEL);
  Hukommelse::Tabel &t = AktivHukommelse->tabeller[&tv];
  if (!(t.tilstand == Tilstand(tv))) t.svar.clear();
  const auto fundet = t.svar.find(std::string_view(noegle));
  if (fundet != t.svar.end()) return fundet->second;
  const uint32_t r = FindRec(&td, &tv, ParseFeltVaerdi(&td, noegle), KLASSE_AKTUEL);
  // The lookup may have sorted the table first.
  t.tilstand = Tilstand(tv);
  t.svar.emplace(noegle, r);
  return r;
}

uint32_t FindEllerReserveret(const TabDesc &td, TabVar &tv, const char *noegle) {
  if (const uint32_t r = FindNoegle(td, tv, noegle)) return r;
  uint32_t id = RESERVERET_ID_UKENDT;
  uint32_t r = FindRec(&td, &tv, &id, KLASSE_AKTUEL);
  if (r == 0) {
    CreateReservedRecs(td.TypeBogstav);
    r = FindRec(&td, &tv, &id, KLASSE_AKTUEL);
  }
  return r;
}

void LaesTidsfelter(const char *tekst, TidsFelter *t, int antalDele) {
  memset(t, 0, sizeof *t);
  const Dele d(tekst);
  const auto del = [&](int i) -> const char * {
    return i < antalDele && i < static_cast<int>(d.size()) ? d[i] : nullptr;
  };
  if (auto *s = del(0)) t->id = Tal(s);
  if (auto *s = del(1)) t->Starttid = Tal(s);
  if (auto *s = del(2)) t->Sluttid = Tal(s);
  if (auto *s = del(3)) {
    const uint32_t v = Tal(s);
    t->Lektion = v <= UINT8_MAX ? static_cast<uint8_t>(v) : 0;
  }
  if (auto *s = del(4)) t->Antal_std_lektioner = strtof(s, nullptr);
  if (auto *s = del(5)) t->opdtid = strtod(s, nullptr);
  if (auto *s = del(6)) snprintf(t->AEndret_af, sizeof t->AEndret_af, "%s", s);
  if (auto *s = del(7)) t->AEndret_tid = strtod(s, nullptr);
}

void LaesLokaleFelt(const char *tekst, AVS *avs) {
  const Dele d(tekst);
  const uint32_t loka = FindEllerReserveret(tdloka, tvloka, d[0]);
  const uint32_t rolle = d.size() > 1 ? FindNoegle(tdlokrolle, tvlokrolle, d[1]) : 0;
  // The role list always grows with the room list: the event writer reads
  // both by the room count.
  if (!Tilfoej(avs->lokaTab, avs->lokaAntal, loka)) return;
  if (!Tilfoej(avs->lokrolleTab, avs->lokaAntal, rolle)) return;
  ++avs->lokaAntal;
}

void LaesMedarbejderFelt(const char *tekst, AVS *avs) {
  const Dele d(tekst);
  const uint32_t anfo = FindEllerReserveret(tdanfo, tvanfo, d[0]);
  const uint32_t rolle = d.size() > 1 ? FindNoegle(tdskemarol, tvskemarol, d[1]) : 0;
  const float minut = d.size() > 2 && d[2][0] ? strtof(d[2], nullptr) : -1.0f;
  const uint32_t n = avs->anfoAntal;
  if (!Tilfoej(avs->anfoTab, n, anfo) || !Tilfoej(avs->skemarolTab, n, rolle) ||
      !Tilfoej(avs->minutTab, n, minut) || !Tilfoej(avs->beregnTab, n, 0.0f) ||
      !Tilfoej(avs->hvorfraTab, n, uint8_t{0}))
    return;
  ++avs->anfoAntal;
}

int LaesKommaFelter(const char *tekst, int mode, char *tegn, int32_t tal[3]) {
  if (tegn) *tegn = 0;
  tal[0] = tal[1] = tal[2] = 0;
  const Dele d(tekst);
  const size_t foerste = mode == 0 ? 1 : 0, antalTal = mode == 2 ? 2 : 3;
  int laest = 0;
  if (mode == 0 && d[0][0]) {
    if (tegn) *tegn = d[0][0];
    ++laest;
  }
  for (size_t i = 0; i < antalTal && foerste + i < d.size(); ++i, ++laest)
    tal[i] = static_cast<int32_t>(strtol(d[foerste + i], nullptr, 10));
  return laest;
}

bool HarAktivDeltager(const AVS *avs) {
  for (uint32_t k = 0; k < avs->aktiAntal; ++k)
    if (LevendeRec(tdakti, tvakti, avs->aktiTab[k])) return true;
  for (uint32_t k = 0; k < avs->lokaAntal; ++k)
    if (LevendeRec(tdloka, tvloka, avs->lokaTab[k])) return true;
  for (uint32_t k = 0; k < avs->anfoAntal; ++k)
    if (LevendeRec(tdanfo, tvanfo, avs->anfoTab[k])) return true;
  return false;
}

char *ImporterSkemabeg(FILE *fil, char *linje) {
  Laeser l{Sektion::Skemabeg, fil, linje};
  return LaesAfsnit(l);
}

char *ImporterExtprogske(FILE *fil, char *linje) {
  Laeser l{Sektion::Extprogske, fil, linje};
  return LaesAfsnit(l);
}

char *ImporterForandringske(FILE *fil, char *linje) {
  Laeser l{Sektion::Forandringske, fil, linje};
  return LaesAfsnit(l);
}

char *ImporterAndretSkema(FILE *fil, char *linje) {
  char sti[kStiLaengde];
  snprintf(sti, sizeof sti, "%slog\\AndretSkema.log", StiTab.szdata);
  std::string rapport = "Ændrede skemabegivenheder!\n\n";
  Printf(rapport, "%-*s%-*s%-*s%-*s%-*s%-*s%-*s%-*s%-*s%s", 12, "Ændret af", 10, "Fra", 10, "Lektion", 10, "Til", 10,
         "Lektion", 12, "Fra Meda", 12, "Til Meda", 14, "Fra lokale", 14, "Til lokale", "Ændret tid\n");
  Laeser l{Sektion::AndretSkema, fil, linje};
  l.rapport = &rapport;
  AendredeBegivenhederModtaget = 1;
  char *naeste = LaesAfsnit(l);
  rapport += "\n" + std::string(78, '*') + "\n";

  // The new reports as a text file's lines, then the old reports, at most
  // the limit of them, as they stood. The file is rewritten whole beside
  // the old one and renamed over it, so a stop half-way keeps the old ones.
  std::vector<char> gammel;
  if (FILE *f = AabnDataFil(sti, "rb")) {
    const long n = std::min(DataFilStoerrelse(f), kAndretSkemaGraense);
    if (n > 0) {
      gammel.resize(static_cast<size_t>(n));
      gammel.resize(fread(gammel.data(), 1, gammel.size(), f));
    }
    fclose(f);
  }
  std::string crlf;
  for (char c : rapport) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  GemFil ud;
  if (ud.Aabn(sti) && ud.Skriv(crlf.data(), crlf.size()) && ud.Skriv(gammel.data(), gammel.size()) && ud.Luk())
    AndretSkemaSkrevet = 1;
  else
    LogPrintf("** Fejl: %s kan ikke skrives; de ændrede skemabegivenheder er indlæst uden rapport\n", sti);
  return naeste;
}
