// The return markers of an import for postings, schedule events and planning tables.
#include "ImpRetur.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "DATO.h"
#include "ImpData.h"
#include "ImpTabel.h"
#include "ImpTimoak.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "SIDEFIL.h"
#include "SKEREC.h"
#include "TABOPER.h"

namespace {

constexpr uint32_t kLever = 64, kBekraeftet = 32, kSlettet = 8, kAfvist = 4, kKonflikt = 2, kDeltager = 1;
constexpr uint32_t kAakrelGraense = 55000;
constexpr int kFelter = 8;
constexpr size_t kFeltTegn = 511;

bool ErHoved(const char *l) { return l[0] == '@' || l[0] == '#'; }

// The line trimmed of blanks, control characters and '"' at both ends.
char *Trim(char *linje) {
  size_t n = strlen(linje);
  auto trim = [](unsigned char c) { return c <= ' ' || c == '"'; };
  while (n > 0 && trim(static_cast<unsigned char>(linje[n - 1]))) linje[--n] = 0;
  char *p = linje;
  while (*p && trim(static_cast<unsigned char>(*p))) ++p;
  return p;
}

// The fields of a receipt line, separated by ',' or ';', each cut to 511
// characters and read as atoi reads it; missing fields are 0.
struct Felter {
  long long tal[kFelter] = {};
  double opdtid = 0;  // field 8 read as a double
};
Felter LaesFelter(const char *p) {
  Felter f;
  for (int i = 0; i < kFelter && p; ++i) {
    const char *slut = strpbrk(p, ",;");
    const size_t n = slut ? static_cast<size_t>(slut - p) : strlen(p);
    std::string felt(p, n < kFeltTegn ? n : kFeltTegn);
    f.tal[i] = atoi(felt.c_str());
    if (i == 7) f.opdtid = atof(felt.c_str());
    p = slut ? slut + 1 : nullptr;
  }
  return f;
}

// Reads the section's lines (trimmed, at least 2 characters) into fn; the
// next header stays in the buffer, null at the end of the file.
template <typename Fn>
char *HverLinje(FILE *fil, char *linje, Fn fn) {
  while (LaesImportLinje(fil, linje, IMPORT_LINJE_LEN)) {
    if (ErHoved(linje)) return linje;
    const char *p = Trim(linje);
    if (strlen(p) < 2) continue;
    fn(LaesFelter(p));
  }
  return nullptr;
}

// Whether the year lies in the schedule period's years.
bool IPeriodensAar(long long aar) {
  return aar >= SkemaPeriode.FraDato / 10000 && aar <= SkemaPeriode.TilDato / 10000;
}

// The bucket row a receipt names, or null (logged) when its place is not one
// of the period's rows.
template <class R>
R *Raekke(const TabDesc &td, TabVar *(*bucket)(uint32_t), const char *laeser, const char *enhed, const Felter &f) {
  const long long aar = f.tal[0], nr = f.tal[1], raekke = f.tal[2];
  TabVar *b = aar > 0 && nr > 0 && IPeriodensAar(aar) && nr < 100 ? bucket(static_cast<uint32_t>(aar * 100 + nr))
                                                                   : nullptr;
  if (!b || raekke <= 0 || raekke >= b->wRecCnt) {
    LogPrintf("** Fejl: %s() - aar: %lld %s: %lld no: %lld. Sted uden for perioden i importlinje\n", laeser, aar,
              enhed, nr, raekke);
    return nullptr;
  }
  return reinterpret_cast<R *>(GetRec(&td, b, static_cast<uint32_t>(raekke)));
}

TabVar *UgeBucket(uint32_t u) { return SkemabegBucket(u); }
TabVar *MndBucket(uint32_t m) { return TimoakBucket(m); }

// The rows of the event whose first row is r: r and the rows after it whose
// Forste is r.
template <typename Fn>
void HverEventRaekke(TabVar *b, uint32_t r, Fn fn) {
  for (uint32_t i = r; i < b->wRecCnt; ++i) {
    SkeRec *s = reinterpret_cast<SkeRec *>(GetRec(&tdske, b, i));
    if (i != r && s->Forste != r) break;
    fn(*s, i - r + 1);
  }
}

// ---- Plan tables ----

struct PlanTabel {
  const char *navn;
  const TabDesc *td;
  TabVar *tv;
  size_t status, fejl;
};
const PlanTabel kPlan[] = {
    {"ffpg", &tdffpg, &tvffpg, offsetof(FfpgRec, Status), offsetof(FfpgRec, Fejl)},
    {"ffpgrel", &tdffpgrel, &tvffpgrel, offsetof(FfpgrelRec, Status), offsetof(FfpgrelRec, Fejl)},
    {"ffpp", &tdffpp, &tvffpp, offsetof(FfppRec, Status), offsetof(FfppRec, Fejl)},
    {"ffgrund", &tdffgrund, &tvffgrund, offsetof(FfgrundRec, Status), offsetof(FfgrundRec, Fejl)},
    {"ffpertab", &tdffpertab, &tvffpertab, offsetof(FfpertabRec, Status), offsetof(FfpertabRec, Fejl)},
    {"fftaltab", &tdfftaltab, &tvfftaltab, offsetof(FftaltabRec, Status), offsetof(FftaltabRec, Fejl)},
};

char *B(const char *, FILE *f, char *l) { return timoakSletRetur(f, l); }
char *BPlus(const char *, FILE *f, char *l) { return timoakNewRetur(f, l); }
char *S(const char *, FILE *f, char *l) { return skemaSletRetur(f, l); }
char *SPlus(const char *, FILE *f, char *l) { return skemaNewRetur(f, l); }

}  // namespace

char *timoakSletRetur(FILE *fil, char *linje) {
  return HverLinje(fil, linje, [](const Felter &f) {
    if (!f.tal[0] || !f.tal[1] || !f.tal[2]) return;
    TimoakRaekke *t = Raekke<TimoakRaekke>(tdtimoak, MndBucket, "timoakSletRetur", "mnd", f);
    if (!t || !(t->Status & kLever)) return;
    if (f.tal[3] == 0) {
      t->Status = 0;
      return;
    }
    t->Fejl = static_cast<uint8_t>(f.tal[3]);
    t->Konflikt = static_cast<uint8_t>(f.tal[4]);
    t->Status = static_cast<uint8_t>(kLever | kBekraeftet | kAfvist | (f.tal[4] ? kKonflikt : 0));
  });
}

char *timoakNewRetur(FILE *fil, char *linje) {
  char *ud = HverLinje(fil, linje, [](const Felter &f) {
    const long long aar = f.tal[0], mnd = f.tal[1], no = f.tal[2];
    if (!aar || !mnd || !no) {
      LogPrintf("** Fejl: timoakNewRetur() - aar: %d mnd: %d no: %d. Ugyldig værdi i importlinje\n",
                static_cast<int>(aar), static_cast<int>(mnd), static_cast<int>(no));
      return;
    }
    TabVar *b = aar > 0 && mnd > 0 && mnd <= 12 && IPeriodensAar(aar)
                    ? TimoakBucket(static_cast<uint32_t>(aar * 100 + mnd))
                    : nullptr;
    if (!b) {
      LogPrintf("** Fejl: timoakNewRetur() - aar: %d mnd: %d no: %d. Ugyldig værdi i importlinje\n",
                static_cast<int>(aar), static_cast<int>(mnd), static_cast<int>(no));
      return;
    }
    if (no < 0 || no >= b->wRecCnt) {
      LogPrintf("** Fejl: timoakNewRetur() - no: %d er større end wRecCnt. Ugyldig værdi i importlinje\n",
                static_cast<int>(no));
      return;
    }
    auto *t = reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, static_cast<uint32_t>(no)));
    if (!(t->Status & kLever)) return;
    const uint8_t d = t->Status & kSlettet;
    if (f.tal[3] == 0) {
      t->Status = d | kLever | kBekraeftet;
      t->id = static_cast<uint32_t>(f.tal[4]);
      t->Fejl = t->Konflikt = 0;
    } else if (!d) {
      t->Fejl = static_cast<uint8_t>(f.tal[3]);
      t->Konflikt = static_cast<uint8_t>(f.tal[4]);
      t->Status = static_cast<uint8_t>(kLever | kAfvist | (f.tal[4] ? kKonflikt : 0));
    } else {
      t->Status = 0;
    }
    if (FremmedFlag && t->Status) {
      AddAakrel(t->akti_id, t->anfo_id, 20);
      if (AakrelAntal() > kAakrelGraense) CleanupAakrel();
    }
  });
  if (FremmedFlag) CleanupAakrel();
  return ud;
}

char *skemaSletRetur(FILE *fil, char *linje) {
  return HverLinje(fil, linje, [](const Felter &f) {
    if (!f.tal[0] || !f.tal[1] || !f.tal[2]) return;
    if (!Raekke<SkeRec>(tdske, UgeBucket, "skemaSletRetur", "uge", f)) return;
    TabVar *b = SkemabegBucket(static_cast<uint32_t>(f.tal[0] * 100 + f.tal[1]));
    HverEventRaekke(b, static_cast<uint32_t>(f.tal[2]), [&](SkeRec &s, uint32_t) {
      if (f.tal[3] == 0) {
        s.Status = 0;
        return;
      }
      s.Fejl = static_cast<uint8_t>(f.tal[3]);
      s.Konflikt = static_cast<uint8_t>(f.tal[4]);
      s.Status = kLever | kBekraeftet | kAfvist | (f.tal[4] ? kKonflikt : 0);
    });
  });
}

char *skemaNewRetur(FILE *fil, char *linje) {
  return HverLinje(fil, linje, [](const Felter &f) {
    if (!f.tal[0] || !f.tal[1] || !f.tal[2]) return;
    SkeRec *s = Raekke<SkeRec>(tdske, UgeBucket, "skemaNewRetur", "uge", f);
    if (!s) return;
    TabVar *b = SkemabegBucket(static_cast<uint32_t>(f.tal[0] * 100 + f.tal[1]));
    uint32_t foerste = static_cast<uint32_t>(f.tal[2]);
    if (s->Forste != foerste) {
      // A first row that is not a row of the bucket names no event.
      if (s->Forste == 0 || s->Forste >= b->wRecCnt) {
        LogPrintf("** Fejl: skemaNewRetur() - aar: %lld uge: %lld no: %lld. Sted uden for perioden i importlinje\n",
                  f.tal[0], f.tal[1], f.tal[2]);
        return;
      }
      foerste = s->Forste;
    }
    const long long fejl = f.tal[3];
    const bool konflikt = f.tal[7] != 0 || fejl == 17 || fejl == 28 || fejl == 29 || fejl == 39;
    HverEventRaekke(b, foerste, [&](SkeRec &r, uint32_t deltager) {
      r.Starttid = static_cast<uint32_t>(f.tal[4]);
      r.Sluttid = static_cast<uint32_t>(f.tal[5]);
      if (fejl == 0) {
        r.Status = kLever | kBekraeftet;
        r.id = static_cast<uint32_t>(f.tal[6]);
        r.Fejl = r.Konflikt = 0;
        r.opdtid = f.opdtid;
        return;
      }
      r.Status = kLever | kAfvist | (deltager == f.tal[6] ? kDeltager : 0) | (konflikt ? kKonflikt : 0);
      r.Fejl = static_cast<uint8_t>(fejl);
      r.Konflikt = static_cast<uint8_t>(f.tal[7]);
    });
  });
}

char *PlanRetur(const char *navn, FILE *fil, char *linje) {
  const size_t n = strlen(navn);
  const PlanTabel *t = nullptr;
  for (const PlanTabel &p : kPlan)
    if (n > 1 && strlen(p.navn) == n - 1 && strncmp(p.navn, navn, n - 1) == 0) t = &p;
  const char art = n ? navn[n - 1] : 0;
  if (!t || (art != '-' && art != '+')) return HverLinje(fil, linje, [](const Felter &) {});
  return HverLinje(fil, linje, [t, art](const Felter &f) {
    const long long rec = art == '-' ? f.tal[0] : f.tal[1], fejl = art == '-' ? f.tal[1] : f.tal[2];
    if (rec <= 0 || rec >= t->tv->wRecCnt) {
      LogPrintf("** Fejl: %s%c - post: %lld findes ikke. Ugyldig værdi i importlinje\n", t->navn, art, rec);
      return;
    }
    const uint32_t r = static_cast<uint32_t>(rec);
    uint8_t *p = GetRec(t->td, t->tv, r);
    uint8_t &status = p[t->status];
    if (!(status & kLever)) return;
    const uint8_t d = status & kSlettet;
    if (art == '-') {
      status = fejl == 0 ? 0 : kLever | kBekraeftet | kAfvist;
      if (fejl) p[t->fejl] = static_cast<uint8_t>(fejl);
    } else if (fejl == 0) {
      p[t->fejl] = 0;
      status = d | kBekraeftet;
      const uint32_t id = static_cast<uint32_t>(f.tal[0]);
      memcpy(p, &id, sizeof id);
    } else if (!d) {
      p[t->fejl] = static_cast<uint8_t>(fejl);
      status = kLever | kAfvist;
    } else {
      status = 0;
    }
    t->tv->pfSave[r / t->td->RecPrBlok] = 1;
  });
}

ReturLaeser FindReturLaeser(const char *navn) {
  if (!strcmp(navn, "B-")) return B;
  if (!strcmp(navn, "B+")) return BPlus;
  if (!strcmp(navn, "S-")) return S;
  if (!strcmp(navn, "S+")) return SPlus;
  for (const PlanTabel &p : kPlan) {
    const size_t n = strlen(p.navn);
    if (!strncmp(navn, p.navn, n) && (navn[n] == '-' || navn[n] == '+') && navn[n + 1] == 0) return PlanRetur;
  }
  return nullptr;
}
