// The time sections keep a small state (owner, activity, employment, ...)
// set by one-letter lines; each data line adds one row or record.
#include "ImpFremmed.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_set>
#include <vector>

#include "DATO.h"
#include "ImpData.h"
#include "ImpSkema.h"
#include "ImpTabel.h"
#include "ImpTimoak.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "SIDEFIL.h"
#include "TABOPER.h"
#include "TAVODATA.h"

namespace {

constexpr uint8_t kStatusNy = 96;  // live and confirmed by the server

uint8_t &Status(const TabDesc *pTd, TabVar *pTv, uint32_t r) {
  return GetRec(pTd, pTv, r)[pTd->FeltTab[pTd->StatusFelt].Offset];
}

void MarkerBlok(const TabDesc *pTd, TabVar *pTv, uint32_t r) {
  if (pTv->pfSave && r < pTv->wRecCnt) pTv->pfSave[r / pTd->RecPrBlok] = 1;
}

void MarkerAlle(const TabDesc *pTd, TabVar *pTv) {
  for (uint32_t r = 0; r < pTv->wRecCnt; r += pTd->RecPrBlok) MarkerBlok(pTd, pTv, r);
}

// Every record gone; record 0 stays, so the save writes the table empty.
void Toem(const TabDesc *pTd, TabVar *pTv) {
  ResetTab(pTd, pTv, 1);
  MarkerAlle(pTd, pTv);
}

// Records whose status is 30 zeroed; the count ends behind the last record
// still in use.
void Trim30(const TabDesc *pTd, TabVar *pTv) {
  uint32_t sidste = 0;
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    const uint8_t s = Status(pTd, pTv, r);
    if (s == 30) {
      memset(GetRec(pTd, pTv, r), 0, pTd->RecSize);
      MarkerBlok(pTd, pTv, r);
      if (r < pTv->FoersteLedige) pTv->FoersteLedige = r;
    } else if (s != 0) {
      sidste = r;
    }
  }
  if (pTv->wRecCnt > sidste + 1) {
    MarkerBlok(pTd, pTv, sidste);
    pTv->wRecCnt = sidste + 1;
  }
  if (pTv->FoersteLedige > pTv->wRecCnt) pTv->FoersteLedige = pTv->wRecCnt;
}

void ToemMaaneder(const TabDesc *pTd, TabVar *(*bucket)(Maaned)) {
  for (MaanedIndeks i = 1; i <= SkemaPeriode.AntalMaaneder; ++i) {
    TabVar *b = bucket(IndeksTilMaaned(i));
    if (!b || !b->pbTab) continue;
    memset(b->pbTab, 0, static_cast<size_t>(b->AllocAntal) * pTd->RecSize);
    b->wRecCnt = 0;
    b->FoersteLedige = 0;
  }
}

bool IPerioden(Dato d) { return GyldigDato(d) && d >= SkemaPeriode.FraDato && d <= SkemaPeriode.TilDato; }

// The parts of a text split at the characters of skille, each cut to 511.
std::vector<std::string> Dele(const char *tekst, const char *skille) {
  std::vector<std::string> v;
  for (const char *p = tekst;;) {
    const size_t n = strcspn(p, skille);
    v.emplace_back(p, n < 511 ? n : 511);
    if (!p[n]) break;
    p += n + 1;
  }
  return v;
}

int32_t Tal(const std::vector<std::string> &d, size_t i) { return i < d.size() ? atoi(d[i].c_str()) : 0; }

// A key field: a text beginning with '0' gives none.
uint32_t Noegle(const TabDesc &td, TabVar &tv, const char *tekst) {
  return tekst[0] == '0' ? 0 : FindNoegle(td, tv, tekst);
}

// The relations of one section: AddAakrel looks through the whole table,
// and a pair that has had its status in this section needs no second look.
struct Relationer {
  std::unordered_set<uint64_t> givet;
  void Giv(uint32_t akti, uint32_t anfo, uint8_t status) {
    if (!givet.insert(uint64_t{akti} << 32 | anfo).second) return;
    AddAakrel(akti, anfo, status);
    if (AakrelAntal() > kAakrelRydGraense) CleanupAakrel();
  }
};

// A row behind the last of the month bucket of the date; null when the date
// lies outside the period or the bucket cannot grow.
uint8_t *MaanedRaekke(const TabDesc *pTd, TabVar *(*bucket)(Maaned), Dato d) {
  if (!IPerioden(d)) return nullptr;
  TabVar *b = bucket(d / 100);
  const uint32_t r = b ? TilfoejSidst(pTd, b) : 0;
  return r ? GetRec(pTd, b, r) : nullptr;
}

}  // namespace

void OpdaterStamStatus(const TabDesc *pTd, TabVar *pTv) {
  for (uint32_t r = 0; r < pTv->wRecCnt; ++r) {
    uint8_t &s = Status(pTd, pTv, r);
    if (s == 30 || s == 39 || s == 230 || (s >= 130 && s <= 139)) {
      s = 0;
      if (r < pTv->FoersteLedige) pTv->FoersteLedige = r;
      MarkerBlok(pTd, pTv, r);
    } else if (s >= 32 && s <= 38) {
      ++s;
      MarkerBlok(pTd, pTv, r);
    }
  }
}

void ImporterFremmed() {
  for (uint32_t r = 1; r < tvelvrel.wRecCnt; ++r) {
    if (Status(&tdelvrel, &tvelvrel, r) != 10) continue;
    DelRec(&tdelvrel, &tvelvrel, r);
    MarkerBlok(&tdelvrel, &tvelvrel, r);
    if (r < tvelvrel.FoersteLedige) tvelvrel.FoersteLedige = r;
  }
  SletFremmedeSkemaraekker();
  SletFremmedeTimoak();
  ToemMaaneder(&tdudplatim, UdplatimBucket);
  Toem(&tdbuftim, &tvbuftim);
  Trim30(&tdbudt, &tvbudt);
  Trim30(&tdmiak, &tvmiak);
  for (const auto &[td, tv] : {std::pair{&tdnormjust, &tvnormjust}, {&tdfagfordl, &tvfagfordl}, {&tdpers, &tvpers},
                               {&tdakpl, &tvakpl}, {&tdepsh, &tvepsh}, {&tdfrit, &tvfrit}})
    Toem(td, tv);
  SletFremmedePlandata();
  Toem(&tdarbejdstid, &tvarbejdstid);
  for (const auto &[td, tv] : {std::pair{&tdmeda, &tvmeda}, {&tdanfo, &tvanfo}, {&tdansk, &tvansk},
                               {&tdakti, &tvakti}, {&tdloka, &tvloka}})
    OpdaterStamStatus(td, tv);
  FremmedFlag = 1;
}

char *ImporterForandringtim(FILE *fil, char *linje, uint32_t tid) {
  uint8_t ejer = 0;
  uint32_t akti = 0, anfo = 0;
  Relationer relationer;
  const uint8_t egen = GlobalIndstillinger.insnr;
  char *naeste = HverAfsnitLinje(fil, linje, [&](char *l) {
    const char *tekst = l + 1;
    switch (l[0]) {
      case 'F': ejer = static_cast<uint8_t>(atoi(tekst)); break;
      case 'A':
        if (tekst[0] != '0') akti = FindNoegle(tdakti, tvakti, tekst);
        if (!akti) akti = FindEllerReserveret(tdakti, tvakti, "");
        break;
      case 'M':
        if (tekst[0] != '0') anfo = FindNoegle(tdanfo, tvanfo, tekst);
        if (!anfo) anfo = FindEllerReserveret(tdanfo, tvanfo, "");
        break;
      case '+': {
        const auto d = Dele(tekst, ",");
        const Dato dato = static_cast<Dato>(Tal(d, 1));
        if (ejer == egen || !akti || !anfo || !IPerioden(dato)) break;
        AddTimoak('A', ejer, static_cast<uint32_t>(Tal(d, 0)), kStatusNy, 0, akti, anfo, dato, Tal(d, 2), tid);
        relationer.Giv(akti, anfo, 30);
        break;
      }
      case '-': {
        const auto d = Dele(tekst, ",");
        const Dato dato = static_cast<Dato>(Tal(d, 1));
        const uint32_t id = static_cast<uint32_t>(Tal(d, 0));
        if (ejer == egen || !IPerioden(dato)) break;
        TabVar *b = TimoakBucket(dato / 100);
        for (uint32_t r = 1; b && r < b->wRecCnt; ++r) {
          auto *t = reinterpret_cast<TimoakRaekke *>(GetRec(&tdtimoak, b, r));
          if (t->id != id || !(t->Status & 64)) continue;
          t->Status = 0;
          MarkerBlok(&tdtimoak, b, r);
          break;
        }
        break;
      }
      default: break;
    }
  });
  CleanupAakrel();
  return naeste;
}

char *ImporterTimoak(FILE *fil, char *linje, uint32_t tid, char art) {
  NoegleHukommelse hukommelse;
  uint8_t ejer = 0;
  uint32_t akti = 0, anfo = 0;
  Relationer relationer;
  char *naeste = HverAfsnitLinje(fil, linje, [&](char *l) {
    const char *tekst = l + 1;
    switch (l[0]) {
      case 'F': ejer = static_cast<uint8_t>(atoi(tekst)); break;
      case 'A': akti = Noegle(tdakti, tvakti, tekst); break;
      case 'M': anfo = Noegle(tdanfo, tvanfo, tekst); break;
      case 'T': {
        const auto d = Dele(tekst, ",");
        const Dato dato = static_cast<Dato>(Tal(d, 2));
        AddTimoak(d[0][0], ejer, static_cast<uint32_t>(Tal(d, 1)), kStatusNy, 0, akti, anfo, dato, Tal(d, 3), tid);
        if (!IPerioden(dato)) break;
        relationer.Giv(akti, anfo, art == 'C' ? 10 : 30);
        break;
      }
      default: break;
    }
  });
  CleanupAakrel();
  return naeste;
}

char *ImporterUdplatim(FILE *fil, char *linje) {
  NoegleHukommelse hukommelse;
  uint32_t akti = 0, planakt = 0, anfo = 0, skfa = 0;
  return HverAfsnitLinje(fil, linje, [&](char *l) {
    const char *tekst = l + 1;
    switch (l[0]) {
      case 'A': akti = Noegle(tdakti, tvakti, tekst); break;
      case 'P': planakt = Noegle(tdplanakt, tvplanakt, tekst); break;
      case 'M': anfo = Noegle(tdanfo, tvanfo, tekst); break;
      case 'U': skfa = Noegle(tdskfa, tvskfa, tekst); break;
      case 'T': {
        // The first character always belongs to the kind field.
        auto d = Dele(tekst + (tekst[0] ? 1 : 0), ",;");
        d[0].insert(0, 1, tekst[0]);
        const Dato dato = static_cast<Dato>(Tal(d, 1));
        auto *u = reinterpret_cast<UdplatimRaekke *>(MaanedRaekke(&tdudplatim, UdplatimBucket, dato));
        if (!u) break;
        u->Status = kStatusNy;
        u->Type = d[0][0];
        u->akti_id = akti, u->planakt_id = planakt, u->anfo_id = anfo, u->skfa_id = skfa;
        u->Timer = Tal(d, 2);
        u->mnddag = static_cast<uint8_t>(dato % 100);
        break;
      }
      default: break;
    }
  });
}

char *ImporterHontim(FILE *fil, char *linje) {
  NoegleHukommelse hukommelse;
  ToemMaaneder(&tdhontim, HontimBucket);
  uint32_t anfo = 0;
  return HverAfsnitLinje(fil, linje, [&](char *l) {
    const char *tekst = l + 1;
    if (l[0] == 'M') {
      anfo = Noegle(tdanfo, tvanfo, tekst);
    } else if (l[0] == 'T') {
      const auto d = Dele(tekst, ",;");
      const Dato dato = static_cast<Dato>(Tal(d, 1));
      auto *h = reinterpret_cast<HontimRaekke *>(MaanedRaekke(&tdhontim, HontimBucket, dato));
      if (!h) return;
      h->Status = kStatusNy;
      h->hontity_id = FindNoegle(tdhontity, tvhontity, d[0].c_str());
      h->anfo_id = anfo;
      h->Dato = dato;
      h->Enheder = Tal(d, 2);
      h->mnddag = static_cast<uint8_t>(dato % 100);
    }
  });
}

char *ImporterPrimotal(FILE *fil, char *linje) {
  Toem(&tdprimotal, &tvprimotal);
  return HverAfsnitLinje(fil, linje, [&](char *l) {
    const auto d = Dele(l, ",;");
    if (d.size() < 4) return;
    const uint32_t hontity = Noegle(tdhontity, tvhontity, d[0].c_str());
    const uint32_t anfo = Noegle(tdanfo, tvanfo, d[1].c_str());
    if (!hontity || !anfo) return;
    const uint32_t r = TilfoejSidst(&tdprimotal, &tvprimotal);
    if (!r) return;
    auto *p = reinterpret_cast<PrimotalRec *>(GetRec(&tdprimotal, &tvprimotal, r));
    p->hontity_id = hontity;
    p->anfo_id = anfo;
    p->Dato = static_cast<uint32_t>(Tal(d, 2));
    p->Enheder = Tal(d, 3);
    p->Status = kStatusNy;
  });
}
