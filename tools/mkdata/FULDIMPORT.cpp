#include "FULDIMPORT.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "DATO.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "TABOPER.h"
#include "TABREG.h"

namespace {

// How the record-line parser reads a field's Ref: 66 a school-day calendar
// (skka), 128 and up a reference to a record of that table.
constexpr uint8_t REF_KALDAG = 66;
constexpr uint8_t FOERSTE_FREMMED = 128;

uint32_t L32(const uint8_t *p) {
  uint32_t v;
  memcpy(&v, p, 4);
  return v;
}

uint8_t Status(const TabDesc *pTd, const uint8_t *rec) { return rec[pTd->FeltTab[pTd->StatusFelt].Offset]; }

const FeltDef *Felt(const TabDesc *pTd, const char *navn) {
  for (int i = 0; i < pTd->AntalFelter && i < MAXFELT; ++i)
    if (strncmp(pTd->FeltTab[i].Navn, navn, FELTNAVN_LEN) == 0) return &pTd->FeltTab[i];
  return nullptr;
}

// A value of a field as the record-line parser takes it back; "" for a zero
// value the parser leaves zero anyway.
std::string Vaerdi(const FeltDef &fd, const uint8_t *p) {
  char b[64] = "";
  switch (fd.Type) {
    case FT_CHAR:
    case FT_JANEJ:
      if (p[0]) b[0] = static_cast<char>(p[0]), b[1] = 0;
      break;
    case FT_U8:
      if (p[0]) snprintf(b, sizeof b, "%u", unsigned{p[0]});
      break;
    case FT_I32:
    case FT_HELTAL:
    case FT_INT:
      if (L32(p)) snprintf(b, sizeof b, "%d", static_cast<int32_t>(L32(p)));
      break;
    case FT_U32:
    case FT_ID:
      if (L32(p)) snprintf(b, sizeof b, "%u", L32(p));
      break;
    case FT_FLOAT: {
      float f;
      memcpy(&f, p, 4);
      if (f != 0) snprintf(b, sizeof b, "%.9g", static_cast<double>(f));
      break;
    }
    case FT_DOUBLE: {
      double d;
      memcpy(&d, p, 8);
      if (d != 0) snprintf(b, sizeof b, "%.17g", d);
      break;
    }
    case FT_TEKST:
      return std::string(reinterpret_cast<const char *>(p), strnlen(reinterpret_cast<const char *>(p), fd.Size));
    default:
      break;
  }
  return b;
}

std::string Noegle(const TabDesc *pTd, const TabVar *pTv, uint32_t r) {
  if (r == 0 || r >= pTv->wRecCnt) return "";
  return Vaerdi(pTd->FeltTab[0], GetRec(pTd, pTv, r));
}

std::string Noegle(uint8_t type, uint32_t r) {
  const TabDesc *pTd;
  TabVar *pTv;
  return TabFromType(type, &pTd, &pTv) == 0 ? Noegle(pTd, pTv, r) : "";
}

// The school-day calendar of a skka record: 53 week characters per year.
std::string Kalender(const TabDesc *pTd, const uint8_t *rec, uint32_t kdagrel) {
  const FeltDef *aa = Felt(pTd, "AntalAr");
  if (!aa || kdagrel == 0) return "";
  const uint32_t aar = L32(rec + aa->Offset);
  std::string t;
  for (uint32_t a = 0; a < aar; ++a) {
    if (kdagrel + a >= tvkdagrel.wRecCnt) return "";
    const auto *k = reinterpret_cast<const KdagrelRec *>(GetRec(&tdkdagrel, &tvkdagrel, kdagrel + a));
    if (k->Kaldag == 0 || k->Kaldag >= tvkaldag.wRecCnt) return "";
    const auto *d = reinterpret_cast<const KaldagRec *>(GetRec(&tdkaldag, &tvkaldag, k->Kaldag));
    t.append(reinterpret_cast<const char *>(d->Uge), sizeof d->Uge);
  }
  // A line carries no control characters and no ';': a calendar of such
  // week bytes cannot travel, and the record comes without it.
  for (unsigned char c : t)
    if (c < ' ' || c == ';') return "";
  return t;
}

}  // namespace

std::string FuldImportLinje(const TabDesc *pTd, const uint8_t *rec) {
  int sidste = -1;
  for (int p = 0; p < MAXFELT; ++p)
    if (pTd->FeltOrden[p]) sidste = p;
  std::string linje;
  for (int p = 0; p <= sidste; ++p) {
    if (p) linje += ';';
    const uint8_t nr = pTd->FeltOrden[p];
    if (nr == 0 || nr > pTd->AntalFelter) continue;
    const FeltDef &fd = pTd->FeltTab[nr - 1];
    const uint8_t *f = rec + fd.Offset;
    std::string v;
    if (fd.Ref >= FOERSTE_FREMMED) {
      const TabDesc *pMaal;
      TabVar *pMaalTv;
      if (TabFromNr(fd.Ref, &pMaal, &pMaalTv) == 0) v = Noegle(pMaal, pMaalTv, L32(f));
      if (v.empty() && fd.Flag == 1) v = "0";
    } else if (fd.Ref == REF_DATOGRUPPE) {
      if (L32(f)) v = std::to_string(L32(f));
    } else if (fd.Ref == REF_MINUTNORM) {
      float m;
      memcpy(&m, f, 4);
      if (m < 0) {
        v = "-";
      } else if (m != 0) {
        char b[32];
        snprintf(b, sizeof b, "%.9g", static_cast<double>(m));
        v = b;
      }
    } else if (fd.Ref == REF_KALDAG) {
      v = Kalender(pTd, rec, L32(f));
    } else if (fd.Ref == REF_INGEN) {
      v = Vaerdi(fd, f);
    }
    // A forced field must not be left empty: a J/N field without a letter
    // travels as "N", a number as 0.
    if (v.empty() && fd.Flag != 0 && fd.Ref == REF_INGEN && fd.Type != FT_TEKST) v = fd.VisArt == VA_JANEJ ? "N" : "0";
    linje += v;
  }
  return linje;
}

namespace {

// The tables in an order that puts every referenced table first.
std::vector<const TabRegEntry *> Raekkefoelge() {
  std::vector<const TabRegEntry *> ud;
  std::map<const TabRegEntry *, int> set;
  std::function<void(const TabRegEntry *)> besoeg = [&](const TabRegEntry *e) {
    if (set[e]) return;
    set[e] = 1;
    for (int i = 0; i < e->pTabDesc->AntalFelter && i < MAXFELT; ++i) {
      const uint8_t ref = e->pTabDesc->FeltTab[i].Ref;
      if (ref < FOERSTE_FREMMED) continue;
      for (const TabRegEntry *m = TabRegister; m->Navn; ++m)
        if (m->TabNr == ref && m != e) besoeg(m);
    }
    ud.push_back(e);
  };
  for (const TabRegEntry *e = TabRegister; e->Navn; ++e)
    if (FuldImportTabel(e->Navn)) besoeg(e);
  std::vector<const TabRegEntry *> kun;
  for (const TabRegEntry *e : ud)
    if (FuldImportTabel(e->Navn)) kun.push_back(e);
  return kun;
}

bool Lever(uint32_t status) { return (status & 64) && !(status & 8); }

void Skemabeg(FILE *f) {
  fprintf(f, "@skemabeg\n");
  for (UgeIndeks w = 1; w <= SkemaPeriode.AntalUger; ++w) {
    const Uge u = IndeksTilUge(w);
    TabVar *b = SkemabegBucket(u);
    if (!b) continue;
    for (uint32_t r = 1; r < b->wRecCnt; ++r) {
      const auto *s = reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, r));
      if (s->Forste != r || !Lever(s->Status)) continue;
      std::string akti, anfo, loka;
      for (uint32_t k = r; k < b->wRecCnt; ++k) {
        const auto *d = reinterpret_cast<const SkeRec *>(GetRec(&tdske, b, k));
        if (k > r && d->Forste != r) break;
        if (d->akti_id) akti += (akti.empty() ? "" : ";") + Noegle('K', d->akti_id);
        if (d->anfo_id) {
          char m[32] = "";
          if (d->Minutnorm >= 0) snprintf(m, sizeof m, "%.9g", static_cast<double>(d->Minutnorm));
          anfo += (anfo.empty() ? "" : ";") + Noegle('M', d->anfo_id) + "," + Noegle(tdskemarol.TypeBogstav, d->skemarol_id) +
                  "," + m;
        }
        if (d->loka_id)
          loka += (loka.empty() ? "" : ";") + Noegle('L', d->loka_id) + "," + Noegle(tdlokrolle.TypeBogstav, d->lokrolle_id);
      }
      const auto tom = [](const std::string &v) { return v.empty() ? std::string("0") : v; };
      std::string bem;
      if (s->bem_id && s->bem_id < tvbem.wRecCnt) {
        const auto *br = reinterpret_cast<const BemRec *>(GetRec(&tdbem, &tvbem, s->bem_id));
        bem = std::string(br->Betegnelse, strnlen(br->Betegnelse, sizeof br->Betegnelse));
      }
      char af[sizeof s->AEndret_af + 1] = {};
      memcpy(af, s->AEndret_af, sizeof s->AEndret_af);
      fprintf(f, "F%u\nD%u\nA%s\nM%s\nL%s\nU%s\nR%s\nB%s\nX%d\nT%u,%u,%u,%u,%.9g,%.17g,%s,%.17g\n", unsigned{s->Ejer},
              UgeDagTilDato(u, s->Dag), tom(akti).c_str(), tom(anfo).c_str(), tom(loka).c_str(),
              tom(Noegle('U', s->skfa_id)).c_str(), tom(Noegle('R', s->risy_id)).c_str(), tom(bem).c_str(),
              (s->Status & 32) ? 0 : 1, s->id, s->Starttid, s->Sluttid, unsigned{s->Lektion},
              static_cast<double>(s->Antal_std_lektioner), s->opdtid, af, s->AEndret_tid);
    }
  }
}

void Maaneder(FILE *f, const char *navn, const TabDesc *pTd, TabVar *(*bucket)(Maaned),
              const std::function<void(FILE *, Maaned, const uint8_t *)> &raekke) {
  fprintf(f, "@%s\n", navn);
  for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i) {
    const Maaned m = IndeksTilMaaned(i);
    TabVar *b = bucket(m);
    for (uint32_t r = 1; b && r < b->wRecCnt; ++r) raekke(f, m, GetRec(pTd, b, r));
  }
}

}  // namespace

bool FuldImportTabel(const char *navn) {
  for (const char *ikke : {"kaldag", "kdagrel", "primotal"})
    if (strcmp(navn, ikke) == 0) return false;
  const TabDesc *pTd;
  TabVar *pTv;
  return TabFromName(navn, &pTd, &pTv) == 0 && pTd->FeltOrden[0] != 0;
}

int SkrivFuldImport(const char *sti, std::string *fejl) {
  FILE *f = fopen(sti, "wb");
  if (!f) {
    if (fejl) *fejl = std::string(sti) + " kan ikke oprettes";
    return -1;
  }
  fprintf(f, "G;%u;%u;%u;%u;1;A;0;0\n", SkemaPeriode.LaasDato, SkemaPeriode.FraDato, SkemaPeriode.TilDato,
          1733835600u);
  for (const TabRegEntry *e : Raekkefoelge()) {
    fprintf(f, "@%s\n", e->Navn);
    for (uint32_t r = 1; r < e->pTabVar->wRecCnt; ++r) {
      const uint8_t *rec = GetRec(e->pTabDesc, e->pTabVar, r);
      const uint8_t s = Status(e->pTabDesc, rec);
      if (s == 0 || s >= 100) continue;
      fprintf(f, "%s\n", FuldImportLinje(e->pTabDesc, rec).c_str());
    }
  }
  Skemabeg(f);
  Maaneder(f, "timoak", &tdtimoak, TimoakBucket, [](FILE *f, Maaned, const uint8_t *p) {
    const auto *t = reinterpret_cast<const TimoakRaekke *>(p);
    if (!(t->Status & 64) || (t->Status & 8)) return;
    fprintf(f, "F%u\nA%s\nM%s\nT%c,%u,%u,%d\n", unsigned{t->Ejer}, Noegle('K', t->akti_id).c_str(),
            Noegle('M', t->anfo_id).c_str(), t->Type ? t->Type : 'A', t->id, t->Dato, t->Timer);
  });
  Maaneder(f, "udplatim", &tdudplatim, UdplatimBucket, [](FILE *f, Maaned m, const uint8_t *p) {
    const auto *u = reinterpret_cast<const UdplatimRaekke *>(p);
    if (!u->Status) return;
    const auto nul = [](const std::string &v) { return v.empty() ? std::string("0") : v; };
    fprintf(f, "A%s\nP%s\nM%s\nU%s\nT%c,%u,%d\n", nul(Noegle('K', u->akti_id)).c_str(),
            nul(Noegle(tdplanakt.TypeBogstav, u->planakt_id)).c_str(), nul(Noegle('M', u->anfo_id)).c_str(),
            nul(Noegle('U', u->skfa_id)).c_str(), u->Type ? u->Type : 'A', m * 100 + u->mnddag, u->Timer);
  });
  Maaneder(f, "hontim", &tdhontim, HontimBucket, [](FILE *f, Maaned m, const uint8_t *p) {
    const auto *h = reinterpret_cast<const HontimRaekke *>(p);
    if (!h->Status) return;
    fprintf(f, "M%s\nT%s,%u,%d\n", Noegle('M', h->anfo_id).c_str(), Noegle(tdhontity.TypeBogstav, h->hontity_id).c_str(),
            m * 100 + h->mnddag, h->Enheder);
  });
  fprintf(f, "@primotal\n");
  for (uint32_t r = 1; r < tvprimotal.wRecCnt; ++r) {
    const auto *p = reinterpret_cast<const PrimotalRec *>(GetRec(&tdprimotal, &tvprimotal, r));
    if (!p->Status) continue;
    fprintf(f, "%s;%s;%u;%d\n", Noegle(tdhontity.TypeBogstav, p->hontity_id).c_str(),
            Noegle('M', p->anfo_id).c_str(), p->Dato, p->Enheder);
  }
  const bool ok = fclose(f) == 0;
  if (!ok && fejl) *fejl = std::string(sti) + " kan ikke skrives";
  return ok ? 0 : -1;
}
