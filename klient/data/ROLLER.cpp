// Absence codes and schedule-role kinds.
#include "ROLLER.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "KATALOG.h"
#include "RECPRED.h"

namespace {

bool IListe(const char *kode, std::initializer_list<const char *> liste) {
  if (!kode) return false;
  for (const char *k : liste)
    if (strcmp(kode, k) == 0) return true;
  return false;
}

// Copies a field that may fill its bytes without a terminator.
void KopierFelt(char *buf, size_t n, const char *felt, size_t feltN) {
  if (!buf || n == 0) return;
  const size_t l = std::min(strnlen(felt, feltN), n - 1);
  memcpy(buf, felt, l);
  buf[l] = '\0';
}

// The code of a loty record: its eakt's when eakt_id is set, else its own.
// Null when a record is missing.
const char *LotyKode(uint32_t loty, char *buf) {
  const LotyRec *l = loty ? TabRec<LotyRec>(tvloty, loty) : nullptr;
  if (!l) return nullptr;
  if (l->eakt_id) {
    const EaktRec *e = TabRec<EaktRec>(tveakt, l->eakt_id);
    if (!e) return nullptr;
    KopierFelt(buf, AKTTYPE_LEN, e->Aktivitetstype, sizeof e->Aktivitetstype);
  } else {
    KopierFelt(buf, AKTTYPE_LEN, l->Aktivitetstype, sizeof l->Aktivitetstype);
  }
  return buf;
}

const SkemarolRec *Rolle(uint32_t rol) { return rol ? TabRec<SkemarolRec>(tvskemarol, rol) : nullptr; }

bool HarSls(uint32_t rol, std::initializer_list<const char *> koder) {
  for (const char *k : koder)
    if (FindSlsKode(rol, k)) return true;
  return false;
}

bool KodeEr(uint32_t rol, const char *s) {
  const char *k = SkemarolAktivitetstype(rol);
  return k && strcmp(k, s) == 0;
}

bool TekstEr(const SkemarolRec *r, const char *s) { return FeltErTekstI(r->Rolle, sizeof r->Rolle, s); }

}  // namespace

bool ErAfspadseringKode(const char *kode) { return IListe(kode, {"AF", "A9", "13af", "16af"}); }
bool ErOmsorgKode(const char *kode) { return IListe(kode, {"O", "O1", "O2", "BN", "21om"}); }
bool ErSygdomKode(const char *kode) {
  return IListe(kode, {"11sy", "13sy", "19sy", "19re", "19gr", "19as", "19sd"});
}
bool ErFerieKode(const char *kode) { return IListe(kode, {"2fer", "18fr", "13fe", "20fe", "FF", "f2"}); }
bool ErShKode(const char *kode) { return IListe(kode, {"2s/h", "13sh", "18sh", "20sh", "sh", "f5"}); }

const char *SkemarolAktivitetstype(uint32_t rol) {
  thread_local char buf[AKTTYPE_LEN];
  const SkemarolRec *r = Rolle(rol);
  return r ? LotyKode(r->loty_id, buf) : nullptr;
}

void HentSkemarolAktivitetstype(uint32_t rol, char *buf, size_t n) {
  const char *k = SkemarolAktivitetstype(rol);
  if (k) KopierFelt(buf, n, k, AKTTYPE_LEN);
}

void AktiTypeTekster(uint32_t akti, char *typeBuf, char *kodeBuf, size_t typeN, size_t kodeN) {
  if (typeBuf && typeN) typeBuf[0] = '\0';
  if (kodeBuf && kodeN) kodeBuf[0] = '\0';
  const AktiRec *a = TabRec<AktiRec>(tvakti, akti);
  if (!a) return;
  KopierFelt(typeBuf, typeN, a->Type, sizeof a->Type);
  char kode[AKTTYPE_LEN];
  if (LotyKode(a->loty_id, kode)) KopierFelt(kodeBuf, kodeN, kode, sizeof kode);
}

uint32_t FindSlsKodeForSkemarol(uint32_t rol) {
  for (uint32_t r = 0; r < tvsls_koder.wRecCnt; ++r) {
    const Sls_koderRec *s = TabRec<Sls_koderRec>(tvsls_koder, r);
    if (s && s->Skemarolle_id == rol) return r;
  }
  return 0;
}

uint32_t FindSlsKode(uint32_t rol, const char *kode) {
  if (!kode) return 0;
  for (uint32_t r = 1; r < tvsls_koder.wRecCnt; ++r) {
    const Sls_koderRec *s = TabRec<Sls_koderRec>(tvsls_koder, r);
    if (s->Skemarolle_id == rol && FeltErTekst(s->Sls_aarsagskode, sizeof s->Sls_aarsagskode, kode))
      return r;
  }
  return 0;
}

bool SkemarolErAfspadsering(uint32_t rol) {
  const SkemarolRec *r = Rolle(rol);
  if (!r) return false;
  return HarSls(rol, {"710"}) || ErAfspadseringKode(SkemarolAktivitetstype(rol)) || r->Rolle[0] == 'A';
}

bool SkemarolErOmsorg(uint32_t rol) {
  const SkemarolRec *r = Rolle(rol);
  if (!r) return false;
  return HarSls(rol, {"600", "610"}) || ErOmsorgKode(SkemarolAktivitetstype(rol)) || TekstEr(r, "O");
}

bool SkemarolErBS1(uint32_t rol) {
  const SkemarolRec *r = Rolle(rol);
  return r && (HarSls(rol, {"230"}) || KodeEr(rol, "BS1") || TekstEr(r, "BS1"));
}

bool SkemarolErBS2(uint32_t rol) {
  const SkemarolRec *r = Rolle(rol);
  return r && (HarSls(rol, {"231"}) || KodeEr(rol, "BS2") || TekstEr(r, "BS2"));
}

bool SkemarolErOP(uint32_t rol) {
  const SkemarolRec *r = Rolle(rol);
  return r && (HarSls(rol, {"630"}) || KodeEr(rol, "OP") || TekstEr(r, "OP"));
}

bool SkemarolErSygdom(uint32_t rol) {
  const SkemarolRec *r = Rolle(rol);
  if (!r) return false;
  if (HarSls(rol, {"100", "150", "155"}) || ErSygdomKode(SkemarolAktivitetstype(rol))) return true;
  return r->Rolle[0] == 'S' && !TekstEr(r, "SF") && !TekstEr(r, "SE");
}

bool SkemarolErFerie(uint32_t rol) {
  const SkemarolRec *r = Rolle(rol);
  return r && (HarSls(rol, {"500"}) || r->Rolle[0] == 'F');
}

bool SkemarolErSaerligFerie(uint32_t rol) {
  const SkemarolRec *r = Rolle(rol);
  return r && TekstEr(r, "SF");
}

bool SkemarolErFravaer(uint32_t rol) {
  const SkemarolRec *r = Rolle(rol);
  if (!r) return false;
  const char *kode = SkemarolAktivitetstype(rol);
  if (ErAfspadseringKode(kode) || ErOmsorgKode(kode)) return true;
  if (HarSls(rol, {"500"}) || r->Rolle[0] == 'F') return true;
  return SkemarolErAfspadsering(rol) || SkemarolErOmsorg(rol) || SkemarolErSaerligFerie(rol) ||
         SkemarolErSygdom(rol) || SkemarolErBS1(rol) || SkemarolErBS2(rol) || SkemarolErOP(rol);
}

bool SkemarolHarSls505(uint32_t rol) { return Rolle(rol) && HarSls(rol, {"505"}); }
bool SkemarolHarSls500Eller505(uint32_t rol) { return Rolle(rol) && HarSls(rol, {"505", "500"}); }
bool SkemarolHarSls520Eller530(uint32_t rol) { return Rolle(rol) && HarSls(rol, {"520", "530"}); }
