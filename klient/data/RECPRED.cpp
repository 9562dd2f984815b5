// Small questions about single records, asked instead of reading fields directly.
#include "RECPRED.h"

#include <algorithm>

#include "FINDREC.h"
#include "KATALOG.h"
#include "win/kthread.h"

HANDLE hPlanMutex = 0;
PlanMutexKroge PlanMutexKrog = {};

namespace {

const PlanTabLaeser *gPlanTabLaeser = nullptr;

char StortAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool BegynderMed(const char *felt, char c) { return felt[0] == c; }

const AktiRec *Akti(uint32_t n) { return TabRec<AktiRec>(tvakti, n); }
const AnfoRec *Anfo(uint32_t n) { return TabRec<AnfoRec>(tvanfo, n); }

const MedaRec *MedaAfAnfo(uint32_t anfo) {
  const AnfoRec *a = Anfo(anfo);
  return a ? TabRec<MedaRec>(tvmeda, a->meda_id) : nullptr;
}

bool InaktivStatus(uint8_t status) { return status < 10 || status >= 30; }

// A try of a mutex with wait 0; a null handle means nothing to guard.
bool ProevLaas(HANDLE h) {
  if (!h) return true;
  const DWORD r = WaitForSingleObject(h, 0);
  return r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
}
void Frigiv(HANDLE h) {
  if (h) ReleaseMutex(h);
}

}  // namespace

bool FeltErTekstI(const char *felt, size_t n, const char *s) {
  const size_t l = strlen(s);
  if (l > n || (l < n && felt[l] != '\0')) return false;
  for (size_t i = 0; i < l; ++i)
    if (StortAscii(felt[i]) != StortAscii(s[i])) return false;
  return true;
}

bool IsStjerneLoka(uint32_t loka) {
  const LokaRec *l = TabRec<LokaRec>(tvloka, loka);
  return l && BegynderMed(l->Lokalenr, '*');
}

bool IsStjerneMeda(uint32_t anfo) {
  const MedaRec *m = MedaAfAnfo(anfo);
  return m && BegynderMed(m->Initialer, '*');
}

bool IsHashMeda(uint32_t anfo) {
  const MedaRec *m = MedaAfAnfo(anfo);
  return m && BegynderMed(m->Initialer, '#');
}

bool IsStjerneAkti(uint32_t akti) {
  const AktiRec *a = Akti(akti);
  return a && BegynderMed(a->Aktivitet, '*');
}

bool IsPlusAkti(uint32_t akti) {
  const AktiRec *a = Akti(akti);
  return a && BegynderMed(a->Aktivitet, '+');
}

bool IsHoldAkti(uint32_t akti) {
  const AktiRec *a = Akti(akti);
  return a && FeltErTekst(a->Type, sizeof a->Type, "HOLD");
}

bool IsOvakAkti(uint32_t akti) {
  const AktiRec *a = Akti(akti);
  return a && FeltErTekst(a->Type, sizeof a->Type, "OVAK");
}

bool HasUvfoAkti(uint32_t akti) {
  const AktiRec *a = Akti(akti);
  return a && a->uvfo_id != 0;
}

bool IsInaktivAkti(uint32_t akti) {
  const AktiRec *a = Akti(akti);
  return akti > 0 && a && InaktivStatus(a->Status);
}

bool IsArkivAnfo(uint32_t anfo) {
  const AnfoRec *a = Anfo(anfo);
  return anfo > 0 && a && (a->Gruppe & 0x80000000u) != 0;
}

bool IsInaktivAnfo(uint32_t anfo) {
  const AnfoRec *a = Anfo(anfo);
  return anfo > 0 && a && InaktivStatus(a->Status);
}

bool AlrelFindes(uint32_t a, uint32_t b) {
  if (tvalrel.wRecCnt == 0) return false;
  return FindParRec(&tdalrel, &tvalrel, a, b) != 0;
}

bool SkfalokarelFindes(uint32_t a, uint32_t b) {
  if (tvskfalokarel.wRecCnt == 0) return false;
  return FindParRec(&tdskfalokarel, &tvskfalokarel, a, b) != 0;
}

uint32_t AlrelFoersteIListe(const uint32_t *liste, uint32_t laengde, char bogstav, uint32_t obj) {
  if (!liste || laengde == 0 || tvalrel.wRecCnt < 2) return 0;
  uint32_t bedst = 0;
  for (uint32_t r = 1; r < tvalrel.wRecCnt; ++r) {
    const AlrelRec *rel = TabRec<AlrelRec>(tvalrel, r);
    const uint32_t id = bogstav == 'K' ? rel->akti_id : rel->loka_id;
    if (!AlrelFindes(obj, id)) continue;
    // Only a position better than the best so far can matter.
    const uint32_t graense = bedst ? bedst - 1 : laengde;
    for (uint32_t i = 1; i <= graense; ++i) {
      if (liste[i] == id) {
        bedst = i;
        break;
      }
    }
  }
  return bedst;
}

bool FagfordlFindes(uint32_t anfo, uint32_t skfa, uint32_t akti, Dato dato) {
  const SkfaRec *s = skfa ? TabRec<SkfaRec>(tvskfa, skfa) : nullptr;
  if (!s) return false;
  // The step bound keeps a damaged chain that loops from hanging the caller.
  uint32_t n = s->forste_fagfordl;
  for (uint32_t skridt = 0; n && skridt < tvfagfordl.wRecCnt; ++skridt) {
    const FagfordlRec *f = TabRec<FagfordlRec>(tvfagfordl, n);
    if (!f) break;
    if (f->anfo_id == anfo && f->akti_id == akti && f->Fradato <= dato && dato <= f->Tildato)
      return true;
    n = f->neste_fagfordl_fag;
  }
  return false;
}

bool FagfordlLektionsenheder(Dato dato, uint32_t akti, uint32_t skfa, uint32_t anfo, Dato perFra,
                             Dato perTil, float *pVaerdi, uint8_t *pFlag) {
  const SkfaRec *s = skfa ? TabRec<SkfaRec>(tvskfa, skfa) : nullptr;
  if (!s) return false;
  uint32_t n = s->forste_fagfordl;
  for (uint32_t skridt = 0; n && skridt < tvfagfordl.wRecCnt; ++skridt) {
    const FagfordlRec *f = TabRec<FagfordlRec>(tvfagfordl, n);
    if (!f || f->Fradato > dato) break;
    if (f->anfo_id == anfo && f->akti_id == akti && f->Tildato >= dato &&
        f->Lektionsenheder >= 0) {
      if (pVaerdi) *pVaerdi = f->Lektionsenheder;
      if (pFlag && (f->Fradato != perFra || f->Tildato != perTil)) *pFlag = 1;
      return true;
    }
    n = f->neste_fagfordl_fag;
  }
  return false;
}

bool FagGrundlagSum(uint32_t akti, uint32_t skfa, int32_t *pSum) {
  int64_t sum = 0;
  bool fundet = false;
  for (uint32_t r = 1; r < tvffgrund.wRecCnt; ++r) {
    const FfgrundRec *g = TabRec<FfgrundRec>(tvffgrund, r);
    // A planning record lives while it is not marked deleted.
    if (!g || g->Status == 0 || (g->Status & 0x08) || g->Aktivitet != akti || g->Skolefag != skfa) continue;
    fundet = true;
    sum += g->Budget & ~FFGRUND_AFLEDT;
  }
  if (pSum) *pSum = static_cast<int32_t>(std::min<int64_t>(sum, INT32_MAX));
  return fundet;
}

bool AnfoHarKompetence(uint32_t anfo, uint32_t skfa, Dato dato) {
  const AnfoRec *a = Anfo(anfo);
  if (!a) return false;
  for (uint32_t r = 1; r < tvunko.wRecCnt; ++r) {
    const UnkoRec *u = TabRec<UnkoRec>(tvunko, r);
    if (u->meda_id == a->meda_id && u->skfa_id == skfa && u->Gyldig_fra <= dato &&
        u->Haves_Kompetence == 'J')
      return true;
  }
  return false;
}

namespace {
// The mutex this thread took, by depth: the release must be of the handle
// taken even when the plan window has closed it meanwhile.
thread_local HANDLE tPlanMutex = 0;
thread_local uint32_t tPlanMutexDybde = 0;
}  // namespace

bool ProevPlanMutex() {
  const HANDLE h = tPlanMutexDybde ? tPlanMutex : hPlanMutex;
  if (!ProevLaas(h)) return false;
  if (tPlanMutexDybde++ == 0) tPlanMutex = h;
  return true;
}

void SlipPlanMutex() {
  if (tPlanMutexDybde == 0) return;
  const HANDLE h = tPlanMutex;
  Frigiv(h);
  if (--tPlanMutexDybde == 0) {
    tPlanMutex = 0;
    if (h && PlanMutexKrog.Sluppet) PlanMutexKrog.Sluppet();
  }
}

bool FFFagfordlFindes(uint32_t anfo, uint32_t skfa, uint32_t akti, Dato dato) {
  if (!ProevPlanMutex()) return false;
  bool fundet = false;
  for (uint32_t r = 1; r < tvfffagfordl.wRecCnt && !fundet; ++r) {
    const FffagfordlRec *f = TabRec<FffagfordlRec>(tvfffagfordl, r);
    fundet = f->anfo_id == anfo && f->akti_id == akti && f->skfa_id == skfa &&
             f->Fradato <= dato && dato <= f->Tildato;
  }
  SlipPlanMutex();
  return fundet;
}

bool AktiMinutnorm(Dato dato, uint32_t akti, float *pNorm, uint8_t *pPlus, DatoSpan *pSpan) {
  if (pPlus) *pPlus = 0;
  const AktiRec *a = Akti(akti);
  if (!a) return false;
  if (BegynderMed(a->Aktivitet, '+')) {
    if (pPlus) *pPlus = 1;
    if (pNorm) *pNorm = 60.0f;
    return true;
  }
  uint32_t n = a->forste_miak;
  for (uint32_t skridt = 0; n && skridt < tvmiak.wRecCnt; ++skridt) {
    const MiakRec *m = TabRec<MiakRec>(tvmiak, n);
    if (!m) break;
    if (m->Gyldig_fra > dato) {
      if (pSpan) pSpan->Foer(m->Gyldig_fra);
      break;
    }
    if (pSpan) {
      pSpan->Fra(m->Gyldig_fra);
      if (m->Gyldig_til >= dato)
        pSpan->Til(m->Gyldig_til);
      else
        pSpan->Efter(m->Gyldig_til);
    }
    if (m->Gyldig_til >= dato && m->Minutnorm >= 0) {
      if (pNorm) *pNorm = m->Minutnorm;
      return true;
    }
    n = m->neste_miak;
  }
  return false;
}

void SaetPlanTabLaeser(const PlanTabLaeser *pLaeser) { gPlanTabLaeser = pLaeser; }

bool PlanTabVaerdi(uint32_t anfo, uint32_t akti, uint32_t skfa, float *pVaerdi) {
  const PlanTabLaeser *l = gPlanTabLaeser;
  if (!l || !l->Antal || !l->Post) return false;
  if (l->Proev ? !l->Proev() : !ProevLaas(l->hMutex)) return false;
  bool fundet = false;
  const uint32_t antal = l->Vaerdi ? 0 : l->Antal();
  if (l->Vaerdi) fundet = l->Vaerdi(anfo, akti, skfa, pVaerdi);
  for (uint32_t i = 1; i <= antal && !fundet; ++i) {
    PlanTabVaerdiPost p{};
    if (!l->Post(i, &p)) continue;
    if (p.anfo != anfo || p.akti != akti || p.skfa != skfa || !(p.Vaerdi >= 0)) continue;
    if (pVaerdi) *pVaerdi = p.Vaerdi;
    fundet = p.Kilde == 0;
  }
  if (l->Slip)
    l->Slip();
  else
    Frigiv(l->hMutex);
  return fundet;
}
