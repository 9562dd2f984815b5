#include "GRUPPER.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "DATO.h"
#include "FINDREC.h"
#include "GEMNING.h"
#include "INDSTIL.h"
#include "KATALOG.h"
#include "LOGFIL.h"
#include "RECPRED.h"
#include "STITAB.h"
#include "TABOPER.h"

char GruppeNavne[kGruppeArter][kGrupper + 1][kGruppeNavnLaengde];
char GruppeNavneRen[kGruppeArter][kGrupper][kGruppeNavnLaengde];
uint32_t HuskGruppe[kGruppeArter] = {kAlleGrupper, kAlleGrupper, kAlleGrupper};
char (*GruppeBegivenhedsArt)() = nullptr;
bool (*GrupperingAendret)() = nullptr;

namespace {

constexpr char kNavneBogstav[kGruppeArter] = {'A', 'M', 'L'};
constexpr char kValgBogstav[kGruppeArter] = {'K', 'M', 'L'};
const char *const kAlleNavn[kGruppeArter] = {"Alle Aktiviteter", "Alle Medarbejdere", "Alle Lokaler"};

bool IniSti(char *buf, size_t n, const char *navn) {
  int r = snprintf(buf, n, "%sini/%s", StiTab.szdata, navn);
  return r > 0 && static_cast<size_t>(r) < n;
}

int ArtFraBogstav(char c) {
  switch (c) {
    case 'A':
    case 'K': return GRP_AKTI;
    case 'M': return GRP_ANFO;
    case 'L': return GRP_LOKA;
    default: return -1;
  }
}

void Tabel(int art, const TabDesc *&pTd, TabVar *&pTv) {
  static const TabDesc *const td[kGruppeArter] = {&tdakti, &tdanfo, &tdloka};
  static TabVar *const tv[kGruppeArter] = {&tvakti, &tvanfo, &tvloka};
  pTd = td[art];
  pTv = tv[art];
}

bool AktivtStatus(uint8_t s) { return s >= 10 && s <= 29; }

// The record's group word, status and key, whatever the kind.
struct Objekt {
  uint8_t *gruppe = nullptr;  // the packed record's group word
  uint8_t status = 0;
  uint32_t id = 0;
  uint8_t *rec = nullptr;
};

Objekt HentObjekt(int art, uint32_t recnr) {
  Objekt o;
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel(art, pTd, pTv);
  if (recnr == 0 || recnr >= pTv->wRecCnt) return o;
  o.rec = GetRec(pTd, pTv, recnr);
  switch (art) {
    case GRP_AKTI: {
      auto *r = reinterpret_cast<AktiRec *>(o.rec);
      o.gruppe = o.rec + offsetof(AktiRec, Gruppe);
      o.status = r->Status;
      o.id = r->id;
      break;
    }
    case GRP_ANFO: {
      auto *r = reinterpret_cast<AnfoRec *>(o.rec);
      o.gruppe = o.rec + offsetof(AnfoRec, Gruppe);
      o.status = r->Status;
      o.id = r->id;
      break;
    }
    default: {
      auto *r = reinterpret_cast<LokaRec *>(o.rec);
      o.gruppe = o.rec + offsetof(LokaRec, Gruppe);
      o.status = r->Status;
      o.id = r->id;
      break;
    }
  }
  return o;
}

uint32_t LaesOrd(const uint8_t *p) {
  uint32_t v;
  memcpy(&v, p, 4);
  return v;
}
void SkrivOrd(uint8_t *p, uint32_t v) { memcpy(p, &v, 4); }

void SaetNavn(int art, int n, const char *ren) {
  snprintf(GruppeNavneRen[art][n], kGruppeNavnLaengde, "%s", ren);
  // The shown name is cut to the field like the plain one: the number
  // first, then as much of the name as fits.
  char *vist = GruppeNavne[art][n];
  const int foran = snprintf(vist, kGruppeNavnLaengde, " %i : ", n);
  if (foran > 0 && foran < kGruppeNavnLaengde) {
    const size_t plads = static_cast<size_t>(kGruppeNavnLaengde - foran - 1);
    const size_t len = strnlen(GruppeNavneRen[art][n], plads);
    memcpy(vist + foran, GruppeNavneRen[art][n], len);
    vist[foran + static_cast<int>(len)] = '\0';
  }
}

// The plain name of a shown name: the text after its " n : ".
void RenFraVist(int art, int n) {
  const char *v = GruppeNavne[art][n];
  const char *p = strstr(v, " : ");
  snprintf(GruppeNavneRen[art][n], kGruppeNavnLaengde, "%s", p ? p + 3 : v);
}

void Nulstil(char *tekst) {
  size_t n = strlen(tekst);
  while (n > 0 && (tekst[n - 1] == '\r' || tekst[n - 1] == '\n')) tekst[--n] = 0;
}

// A whole text file of the ini folder through the crash-safe save, so a
// failed or interrupted write never leaves half a file.
bool SkrivHel(const char *navn, const std::string &tekst) {
  char sti[kStiLaengde];
  if (!IniSti(sti, sizeof sti, navn)) return false;
  GemFil f;
  return f.Aabn(sti) && f.Skriv(tekst.data(), tekst.size()) && f.Luk();
}

bool IniJa(const char *sektion, const char *noegle, const char *standard) {
  char buf[32];
  GetPrivateProfileStringA(sektion, noegle, standard, buf, sizeof buf, StiTab.szini);
  return ErJa(buf) != 0;
}

}  // namespace

bool GemGruppeNavne() {
  std::string t = "[Group Names]\n";
  char linje[128];
  for (int art = 0; art < kGruppeArter; ++art) {
    for (int n = 0; n < kGrupper; ++n) {
      snprintf(linje, sizeof linje, "%c,%i,%s\n", kNavneBogstav[art], n, GruppeNavne[art][n]);
      t += linje;
    }
    snprintf(linje, sizeof linje, "%c,A,%s\n", kNavneBogstav[art], kAlleNavn[art]);
    t += linje;
  }
  return SkrivHel("group.ini", t);
}

void StandardGruppeNavne() {
  static const char *const akti[] = {"Ikke i gruppe", "Alle hold", "Hold (ex. AMU/IV)", "UVFO-hold",
                                     "IV-hold", "Øvrige aktiviteter"};
  for (int art = 0; art < kGruppeArter; ++art) {
    for (int n = 0; n < kGrupper; ++n) {
      const char *navn = n == 0 ? "Ikke i gruppe" : "Ikke navngivet";
      if (art == GRP_AKTI && n < 6) navn = akti[n];
      SaetNavn(art, n, navn);
    }
    snprintf(GruppeNavne[art][kGrupper], kGruppeNavnLaengde, "%s", kAlleNavn[art]);
  }
  GemGruppeNavne();
}

void HentGruppeNavne() {
  char sti[600];
  FILE *f = IniSti(sti, sizeof sti, "group.ini") ? fopen(sti, "r") : nullptr;
  if (!f) {
    StandardGruppeNavne();
    return;
  }
  for (int art = 0; art < kGruppeArter; ++art)
    for (int n = 0; n < kGrupper; ++n) {
      GruppeNavne[art][n][0] = 0;
      GruppeNavneRen[art][n][0] = 0;
    }
  bool omskriv = false;
  char linje[512];
  while (fgets(linje, sizeof linje, f)) {
    int art = linje[0] == 'A' ? GRP_AKTI : linje[0] == 'M' ? GRP_ANFO : linje[0] == 'L' ? GRP_LOKA : -1;
    if (art < 0) continue;
    // The name may hold commas: only the first two split the line.
    char *k1 = strchr(linje, ',');
    if (!k1) continue;
    char *k2 = strchr(k1 + 1, ',');
    if (!k2) continue;
    *k2 = 0;
    char *navn = k2 + 1;
    Nulstil(navn);
    int n;
    if (k1[1] == 'A') {
      n = kGrupper;
    } else {
      char *slut;
      long v = strtol(k1 + 1, &slut, 10);
      if (slut == k1 + 1 || v < 0 || v >= kGrupper) continue;
      n = static_cast<int>(v);
    }
    snprintf(GruppeNavne[art][n], kGruppeNavnLaengde, "%s", navn);
    if (n < kGrupper) RenFraVist(art, n);
    if (art == GRP_AKTI && n == 3 && strstr(GruppeNavne[art][n], "AMU-hold")) {
      SaetNavn(art, 3, "UVFO-hold");
      omskriv = true;
    }
  }
  fclose(f);
  if (omskriv) GemGruppeNavne();
}

uint32_t GruppeMaske(uint32_t recnr, char bogstav, bool tving, bool stjerne) {
  int art = ArtFraBogstav(bogstav);
  if (art < 0) return 0;
  Objekt o = HentObjekt(art, recnr);
  if (!o.gruppe) return 0;
  uint32_t ord = LaesOrd(o.gruppe);
  switch (art) {
    case GRP_LOKA: {
      if (!AktivtStatus(o.status)) return ord;
      auto *r = reinterpret_cast<LokaRec *>(o.rec);
      if (stjerne && r->Lokalenr[0] == '*') ord = kStjerneMaerke;
      else if (tving) ord = 1;
      else if (ord == 0) ord = 1;
      break;
    }
    case GRP_ANFO: {
      auto *r = reinterpret_cast<AnfoRec *>(o.rec);
      if (GlobalIndstillinger.supertavo && r->Tildato < SkemaPeriode.FraDato) {
        ord = kStjerneMaerke;
        break;
      }
      if (!AktivtStatus(o.status)) return ord;
      if (stjerne && r->Initialer_red[0] == '*') ord = kStjerneMaerke;
      else if (tving) ord = 1;
      else if (ord == 0) ord = 1;
      break;
    }
    default: {
      if (!AktivtStatus(o.status)) return 0;
      auto *r = reinterpret_cast<AktiRec *>(o.rec);
      if (GlobalIndstillinger.supertavo && r->Tildato < SkemaPeriode.FraDato) ord = kStjerneMaerke;
      if (stjerne && r->Aktivitet[0] == '*') ord = kStjerneMaerke;
      if (!tving && ord == kStjerneMaerke) break;
      if (strncmp(r->Type, "HOLD", 4) == 0) ord = (ord & ~0x3Fu) | 7u;
      else if (strncmp(r->Type, "IVAK", 4) == 0) ord = (ord & ~0x3Fu) | 19u;
      else if (IsOvakAkti(recnr)) ord = (ord & ~0x3Fu) | 33u;
      if (r->uvfo_id) ord |= 8u;
      break;
    }
  }
  SkrivOrd(o.gruppe, ord);
  return ord;
}

void HentGruppeValg() {
  char sti[600];
  FILE *f = IniSti(sti, sizeof sti, "grupper.ini") ? fopen(sti, "r") : nullptr;
  if (f) {
    char linje[512];
    while (fgets(linje, sizeof linje, f)) {
      int art = ArtFraBogstav(linje[0]);
      if (art < 0) continue;
      char bogstav = kValgBogstav[art];
      char *slut;
      unsigned long noegle = strtoul(linje + 1, &slut, 10);
      if (slut == linje + 1 || *slut != ',') continue;
      uint32_t ord = static_cast<uint32_t>(strtoul(slut + 1, nullptr, 10));
      const TabDesc *pTd;
      TabVar *pTv;
      Tabel(art, pTd, pTv);
      uint32_t key = static_cast<uint32_t>(noegle);
      uint32_t recnr = FindRec(pTd, pTv, &key, KLASSE_AKTUEL);
      Objekt o = HentObjekt(art, recnr);
      if (!o.gruppe || !AktivtStatus(o.status)) continue;
      if ((art == GRP_AKTI && ord >= 0x7FFFFFC0u && ord <= kAlleGrupper) || ord == kAlleGrupper) {
        LogPrintf("HentGruppeValg: Obj= %c, RecNo= %u, Gruppeværdi=%u\n", bogstav, recnr, ord);
        // The rules start from the record's own word, not the bogus one.
        ord = GruppeMaske(recnr, bogstav, true, true);
      }
      SkrivOrd(o.gruppe, ord);
    }
    fclose(f);
  }
  for (uint32_t &m : HuskGruppe) m = kAlleGrupper;
  f = IniSti(sti, sizeof sti, "huskgrp.ini") ? fopen(sti, "r") : nullptr;
  if (!f) return;
  char linje[512];
  while (fgets(linje, sizeof linje, f)) {
    int art = linje[0] == 'K' ? GRP_AKTI : linje[0] == 'M' ? GRP_ANFO : linje[0] == 'L' ? GRP_LOKA : -1;
    if (art >= 0) HuskGruppe[art] = static_cast<uint32_t>(strtoul(linje + 1, nullptr, 10));
  }
  fclose(f);
}

void HentGruppeValgStjerne() {
  HentGruppeValg();
  const bool stjerne[kGruppeArter] = {IniJa("global", "autostjerneakti", "ja"),
                                      IniJa("global", "autostjerneanfo", "ja"),
                                      IniJa("global", "autostjerneloka", "ja")};
  for (int art = 0; art < kGruppeArter; ++art) {
    const TabDesc *pTd;
    TabVar *pTv;
    Tabel(art, pTd, pTv);
    for (uint32_t r = 1; r < pTv->wRecCnt; ++r) GruppeMaske(r, kValgBogstav[art], false, stjerne[art]);
  }
}

bool GemGruppeValg(HWND hDlg) {
  if (hDlg) SetDlgItemTextA(hDlg, 40045, "GEMMER GRUPPER - ET ØJEBLIK");
  // Both files in one commit (or in the save they are part of).
  Gemning gemning;
  std::vector<uint8_t> skrevet[kGruppeArter];
  for (int art = 0; art < kGruppeArter; ++art) {
    const TabDesc *pTd;
    TabVar *pTv;
    Tabel(art, pTd, pTv);
    skrevet[art].assign(pTv->wRecCnt, 0);
  }
  std::string ny;
  bool droppet = false;
  char ud[128];
  char sti[600];
  FILE *f = IniSti(sti, sizeof sti, "grupper.ini") ? fopen(sti, "r") : nullptr;
  if (f) {
    char linje[512];
    while (fgets(linje, sizeof linje, f)) {
      char bogstav = linje[0] == 'A' ? 'K' : linje[0];
      int art = (bogstav == 'K' || bogstav == 'M' || bogstav == 'L') ? ArtFraBogstav(bogstav) : -1;
      int noegle = 0, alder = 0;
      unsigned ord = 0;
      if (sscanf(linje + 1, "%d,%u,%d", &noegle, &ord, &alder) < 2) continue;
      if (noegle == 0) continue;
      if (art >= 0) {
        const TabDesc *pTd;
        TabVar *pTv;
        Tabel(art, pTd, pTv);
        uint32_t key = static_cast<uint32_t>(noegle);
        uint32_t recnr = FindRec(pTd, pTv, &key, KLASSE_AKTUEL);
        Objekt o = HentObjekt(art, recnr);
        if (o.gruppe) {
          if (skrevet[art][recnr]) continue;  // a second line of the same record
          skrevet[art][recnr] = 1;
          snprintf(ud, sizeof ud, "%c%d,%u,0\n", bogstav, static_cast<int>(o.id), LaesOrd(o.gruppe));
          ny += ud;
          continue;
        }
      }
      // A vanished record keeps its line for a few saves, in case it returns.
      // (Compared before adding: an age near INT_MAX read from the file must
      // not overflow.)
      if (alder < 6) {
        snprintf(ud, sizeof ud, "%c%d,%u,%d\n", bogstav, noegle, ord, alder + 1);
        ny += ud;
      } else {
        droppet = true;
      }
    }
    fclose(f);
  }
  static const int orden[kGruppeArter] = {GRP_ANFO, GRP_AKTI, GRP_LOKA};
  for (int art : orden) {
    const TabDesc *pTd;
    TabVar *pTv;
    Tabel(art, pTd, pTv);
    for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
      if (skrevet[art][r]) continue;
      Objekt o = HentObjekt(art, r);
      if (!o.gruppe || o.status == 0 || o.id == 0) continue;
      snprintf(ud, sizeof ud, "%c%d,%u,0\n", kValgBogstav[art], static_cast<int>(o.id), LaesOrd(o.gruppe));
      ny += ud;
    }
  }
  // The new version is written beside ini\grupper.ini (the crash-safe
  // save's temporary file takes the place of ini\kopi.ini); only a complete
  // one replaces the old.
  if (SkrivHel("grupper.ini", ny) && (droppet || (GrupperingAendret && GrupperingAendret())))
    WritePrivateProfileStringA("flag", "exportergrupper", "1", StiTab.szini);
  snprintf(ud, sizeof ud, "K%u\nM%u\nL%u\n", HuskGruppe[GRP_AKTI], HuskGruppe[GRP_ANFO], HuskGruppe[GRP_LOKA]);
  SkrivHel("huskgrp.ini", ud);
  return gemning.Fuldfoer();
}

bool GruppeHarMedlemmer(int gruppe, char bogstav) {
  if (bogstav != 'K' && bogstav != 'M' && bogstav != 'L') return false;
  if (bogstav == 'K' && GruppeBegivenhedsArt) {
    char a = GruppeBegivenhedsArt();
    if (a == 'P' || a == 'F') return false;
  }
  if (gruppe == kGrupper) return true;
  if (gruppe < 0 || gruppe > kGrupper) return false;
  int art = ArtFraBogstav(bogstav);
  const TabDesc *pTd;
  TabVar *pTv;
  Tabel(art, pTd, pTv);
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    Objekt o = HentObjekt(art, r);
    if (o.gruppe && AktivtStatus(o.status) && (LaesOrd(o.gruppe) >> gruppe & 1u)) return true;
  }
  return false;
}
