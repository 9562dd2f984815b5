// Field switches: the layout tables, the three ini files and the queries.
// The tables are built once at start-up; a line is refused at load when it
// names a stored field the table lacks or a byte offset outside the field,
// so no painter can be led outside a record by the files.
#include "SWITCH.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "GEMNING.h"
#include "INDSTIL.h"
#include "LOGFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "TAVODATA.h"
#include "tavo/assert.h"
#include "windows.h"

SwitchLayout *ObjSwitchTab[kObjSwitchArter];
SwitchLayout *BrkSwitchTab[kBrkSwitchArter];

namespace {

enum { SEKTION_INGEN = 0, SEKTION_OBJ, SEKTION_BRK };
enum { VALGT_INGEN = 0, VALGT_OBJ, VALGT_BRK, VALGT_SORT };

SwitchLayout *Find(SwitchLayout *hoved, uint8_t bogstav, uint32_t nr) {
  for (SwitchLayout *l = hoved; l; l = l->Naeste)
    if (l->Bogstav == bogstav && l->SwitchNr == nr) return l;
  return nullptr;
}

SwitchLayout *ObjHoved(uint32_t art) { return art < kObjSwitchArter ? ObjSwitchTab[art] : nullptr; }
SwitchLayout *BrkHoved(uint32_t art) { return art < kBrkSwitchArter ? BrkSwitchTab[art] : nullptr; }

const SwitchFelt *FeltI(const SwitchLayout *l, uint32_t i) {
  if (!l) return nullptr;
  const SwitchFelt *f = l->FoersteFelt;
  for (; f && i > 0; --i) f = f->Naeste;
  return f;
}

uint32_t LayoutBredde(const SwitchLayout *l) {
  uint32_t b = 0;
  if (l)
    for (const SwitchFelt *f = l->FoersteFelt; f; f = f->Naeste) b += SwitchFeltBredde(f);
  return b;
}

void Vaelg(SwitchLayout *hoved, uint8_t bogstav, uint32_t nr) {
  for (SwitchLayout *l = hoved; l; l = l->Naeste)
    if (l->Bogstav == bogstav) l->Valgt = l->SwitchNr == nr ? 1 : 0;
}

uint32_t Valgt(const SwitchLayout *hoved, uint8_t bogstav) {
  for (const SwitchLayout *l = hoved; l; l = l->Naeste)
    if (l->Bogstav == bogstav && l->Valgt == 1) return l->SwitchNr;
  return 0;
}

void FrigivListe(SwitchLayout *&hoved) {
  while (hoved) {
    SwitchLayout *l = hoved;
    hoved = l->Naeste;
    while (l->FoersteFelt) {
      SwitchFelt *f = l->FoersteFelt;
      l->FoersteFelt = f->Naeste;
      free(f);
    }
    free(l);
  }
}

// ---- Reading ----

// Where each layout read so far ends, by table, kind, letter and switch:
// appending a line stays constant work however the file orders its lines.
struct Hale {
  SwitchLayout *layout;
  SwitchFelt *felt;
};
std::unordered_map<uint64_t, Hale> &Haler() {
  static std::unordered_map<uint64_t, Hale> h;
  return h;
}

// One line of at most kSwitchLinjeLen characters, without its line end.
// False at the end of the file. *forLang when the line was longer: the rest
// is read and dropped with it, not taken as a line of its own.
bool LaesLinje(FILE *f, char *buf, bool *forLang) {
  size_t n = 0, ialt = 0;
  bool noget = false, sidstCR = false;
  int c;
  while ((c = getc(f)) != EOF) {
    noget = true;
    if (c == '\n') break;
    sidstCR = c == '\r';
    if (n <= kSwitchLinjeLen) buf[n++] = static_cast<char>(c);
    ++ialt;
  }
  if (!noget) return false;
  if (sidstCR) {
    --ialt;
    if (n > ialt) n = ialt;
  }
  *forLang = ialt > kSwitchLinjeLen;
  buf[n > kSwitchLinjeLen ? kSwitchLinjeLen : n] = '\0';
  return true;
}

struct Kolonner {
  char k[kSwitchKolonner][4];  // each cut to its first 3 characters
  uint32_t antal = 0;
  bool forMange = false;
};

void DelKolonner(const char *tekst, size_t len, Kolonner *ud) {
  memset(ud->k, 0, sizeof ud->k);
  ud->antal = 0;
  ud->forMange = false;
  if (len == 0) return;
  size_t start = 0;
  for (size_t i = 0; i <= len; ++i) {
    if (i < len && tekst[i] != ',') continue;
    if (ud->antal == kSwitchKolonner) {
      ud->forMange = true;
      break;
    }
    const size_t n = i - start < 3 ? i - start : 3;
    memcpy(ud->k[ud->antal], tekst + start, n);
    ud->k[ud->antal][n] = '\0';
    ++ud->antal;
    start = i + 1;
  }
}

uint32_t Tal(const char *k) { return static_cast<uint32_t>(atol(k)); }

void Fejl(const char *navn, uint32_t linjeNr, const char *grund) {
  LogPrintf("** Fejl: LaesSwitchIni(): %s linje %u: %s\n", navn, static_cast<unsigned>(linjeNr), grund);
}

// A stored field and byte offset the letter's table must have. Letters
// without a table are checked where a layout is applied to one.
bool FeltFindes(uint8_t bogstav, uint32_t feltNr, uint32_t delOffset, const char *navn, uint32_t linjeNr) {
  if (feltNr >= 200) return true;
  const TabDesc *pTd = nullptr;
  TabVar *pTv = nullptr;
  if (TabFromType(bogstav, &pTd, &pTv) != 0) return true;
  char grund[160];
  if (feltNr >= pTd->AntalFelter) {
    snprintf(grund, sizeof grund, "feltnummer %u findes ikke i tabellen %s", static_cast<unsigned>(feltNr),
             pTd->Navn);
    Fejl(navn, linjeNr, grund);
    return false;
  }
  const FeltDef &f = pTd->FeltTab[feltNr];
  const uint32_t str = static_cast<uint32_t>(f.Size) * (f.Antal > 0 ? f.Antal : 1);
  if (delOffset >= str) {
    snprintf(grund, sizeof grund, "deloffset %u ligger uden for feltet %s.%s (%u byte)",
             static_cast<unsigned>(delOffset), pTd->Navn, f.Navn, static_cast<unsigned>(str));
    Fejl(navn, linjeNr, grund);
    return false;
  }
  return true;
}

// The master-data window's layouts name its own item codes, not stored
// fields: the header rows (kind 70), the counts columns (kind 102) and the
// object line's name items (kind 68). So do the plan window's three column
// areas (kinds 111 to 113): their numbers are column kinds.
bool ErItemKode(uint32_t art, uint32_t feltNr) {
  struct Omraade {
    uint32_t art, fra, til;
  };
  static const Omraade undtaget[] = {{70, 0, 199},  {102, 90, 92},  {68, 101, 102},
                                     {111, 21, 49}, {112, 21, 49}, {113, 21, 49}};
  for (const Omraade &o : undtaget)
    if (o.art == art && feltNr >= o.fra && feltNr <= o.til) return true;
  return false;
}

void TilfoejFelt(bool obj, uint32_t art, uint8_t bogstav, uint32_t nr, const SwitchFelt &ny) {
  const uint64_t noegle = (uint64_t{obj} << 48) | (uint64_t{art} << 40) | (uint64_t{bogstav} << 32) | nr;
  Hale &h = Haler()[noegle];
  if (!h.layout) {
    h.layout = static_cast<SwitchLayout *>(calloc(1, sizeof(SwitchLayout)));
    TAVO_ASSERT(h.layout != NULL);
    h.layout->Bogstav = bogstav;
    h.layout->SwitchNr = nr;
    // The records are packed: their links are reached through the record,
    // never through a pointer to the link.
    SwitchLayout *&hoved = obj ? ObjSwitchTab[art] : BrkSwitchTab[art];
    if (!hoved) {
      hoved = h.layout;
    } else {
      SwitchLayout *sidst = hoved;
      while (sidst->Naeste) sidst = sidst->Naeste;
      sidst->Naeste = h.layout;
    }
  }
  auto *f = static_cast<SwitchFelt *>(malloc(sizeof(SwitchFelt)));
  TAVO_ASSERT(f != NULL);
  *f = ny;
  f->Naeste = nullptr;
  if (h.felt)
    h.felt->Naeste = f;
  else
    h.layout->FoersteFelt = f;
  h.felt = f;
}

void LaesFeltLinje(const char *linje, int sektion, const char *navn, uint32_t linjeNr) {
  const bool obj = sektion == SEKTION_OBJ;
  size_t len = strlen(linje);
  if (obj) {
    // A comment holding a comma would add columns: the columns then end at
    // the last comma before it.
    const char *kom = strstr(linje, "//");
    if (kom && strchr(kom + 2, ',')) {
      len = 0;
      for (const char *p = linje; p < kom; ++p)
        if (*p == ',') len = static_cast<size_t>(p - linje);
    }
  }
  Kolonner k;
  DelKolonner(linje, len, &k);
  if (k.antal == 0) return;
  if (k.forMange) Fejl(navn, linjeNr, "mere end 14 kolonner, resten ignoreres");

  const long art = atol(k.k[0]);
  if (art < 0 || art >= static_cast<long>(obj ? kObjSwitchArter : kBrkSwitchArter)) return;
  const uint8_t bogstav = static_cast<uint8_t>(k.k[1][0]);
  SwitchFelt f{};
  const uint32_t nr = Tal(k.k[2]);
  f.FeltNr = Tal(k.k[3]);
  f.StregVenstre = Tal(k.k[4]);
  f.LuftVenstre = Tal(k.k[5]);
  f.DelOffset = Tal(k.k[6]);
  f.Kolonne7 = Tal(k.k[7]);
  f.Tegn = Tal(k.k[8]);
  if (f.Tegn > kSwitchMaksTegn) f.Tegn = kSwitchMaksTegn;
  f.Ekstra = Tal(k.k[9]);
  f.StregHoejre = Tal(k.k[10]);
  f.FeltType = static_cast<uint8_t>(k.k[11][0]);
  f.Vaerdi = Tal(k.k[12]);

  if (obj) {
    if (!GlobalIndstillinger.medopg && bogstav == 'M' && f.FeltType == 'S') return;
    if (GlobalIndstillinger.normsystem != 0 && art == 73 && bogstav == 'M' && nr == 5 && f.FeltNr == 316 &&
        f.FeltType == 'S')
      return;
  }
  if (!(obj && ErItemKode(static_cast<uint32_t>(art), f.FeltNr)) && !FeltFindes(bogstav, f.FeltNr, f.DelOffset, navn, linjeNr))
    return;
  TilfoejFelt(obj, static_cast<uint32_t>(art), bogstav, nr, f);
}

// The line types every file shares: false for a line that is skipped.
bool Indhold(const char *linje, bool forLang, const char *navn, uint32_t linjeNr) {
  if (linje[0] == '/' || linje[0] == '\0') return false;
  if (forLang) {
    Fejl(navn, linjeNr, "linjen er længere end 253 tegn");
    return false;
  }
  return true;
}

void SaetSti(char *sti, size_t str, const char *fil) {
  const int n = snprintf(sti, str, "%sini\\%s", StiTab.szdata, fil);
  if (n < 0 || static_cast<size_t>(n) >= str) sti[0] = '\0';
}

void LaesLayoutFilNavn(const char *fil, int *sektion) {
  char sti[kStiLaengde];
  SaetSti(sti, sizeof sti, fil);
  FILE *f = sti[0] ? fopen(sti, "r") : nullptr;
  if (!f) return;
  switch_intern::LaesLayoutFil(f, sti, sektion);
  fclose(f);
}

}  // namespace

void switch_intern::LaesLayoutFil(FILE *f, const char *navn, int *sektion) {
  char linje[kSwitchLinjeLen + 2];
  bool forLang;
  uint32_t linjeNr = 0;
  while (LaesLinje(f, linje, &forLang)) {
    ++linjeNr;
    if (linje[0] == '[') {
      if (strncmp(linje, "[ObjectSwitchField]", 19) == 0)
        *sektion = SEKTION_OBJ;
      else if (strncmp(linje, "[BrikSwitchField]", 17) == 0)
        *sektion = SEKTION_BRK;
      else
        *sektion = SEKTION_INGEN;
      continue;
    }
    if (*sektion == SEKTION_INGEN || !Indhold(linje, forLang, navn, linjeNr)) continue;
    LaesFeltLinje(linje, *sektion, navn, linjeNr);
  }
}

void switch_intern::LaesValgtFil(FILE *f) {
  char linje[kSwitchLinjeLen + 2];
  bool forLang;
  uint32_t linjeNr = 0;
  int sektion = VALGT_INGEN;
  while (LaesLinje(f, linje, &forLang)) {
    ++linjeNr;
    if (linje[0] == '[') {
      if (strncmp(linje, "[ObjSwitchNo]", 13) == 0)
        sektion = VALGT_OBJ;
      else if (strncmp(linje, "[BrkSwitchNo]", 13) == 0)
        sektion = VALGT_BRK;
      else if (strncmp(linje, "[ObjSortFelt]", 13) == 0)
        sektion = VALGT_SORT;
      else
        sektion = VALGT_INGEN;
      continue;
    }
    if (sektion == VALGT_INGEN || !Indhold(linje, forLang, "ValgtSwt.ini", linjeNr)) continue;
    Kolonner k;
    DelKolonner(linje, strlen(linje), &k);
    const long art = atol(k.k[0]);
    const uint8_t bogstav = static_cast<uint8_t>(k.k[1][0]);
    const uint32_t v = Tal(k.k[2]);
    if (art < 0) continue;
    const uint32_t a = static_cast<uint32_t>(art);
    if (sektion == VALGT_OBJ)
      ObjSwitchVaelg(a, bogstav, v);
    else if (sektion == VALGT_BRK)
      BrkSwitchVaelg(a, bogstav, v);
    else
      ObjSwitchSaetSortFelt(a, bogstav, v);
  }
}

void FrigivSwitchTab() {
  for (SwitchLayout *&h : ObjSwitchTab) FrigivListe(h);
  for (SwitchLayout *&h : BrkSwitchTab) FrigivListe(h);
  Haler().clear();
}

void LaesSwitchIni() {
  FrigivSwitchTab();
  int sektion = SEKTION_INGEN;
  LaesLayoutFilNavn("TavoSwt.ini", &sektion);
  LaesLayoutFilNavn("LokalSwt.ini", &sektion);

  char gammel[kStiLaengde], valgt[kStiLaengde];
  SaetSti(gammel, sizeof gammel, "Lokal.ini");
  SaetSti(valgt, sizeof valgt, "ValgtSwt.ini");
  if (!gammel[0] || !valgt[0]) return;
  // The choice file's older name; a move never replaces a newer file. Both
  // names change in one save, so a crash leaves the choice under one name.
  if (GemFindes(gammel) && !GemFindes(valgt)) {
    Gemning gemning;
    if (GemKopi(gammel, valgt) && GemSlet(gammel)) gemning.Fuldfoer();
  }
  FILE *f = fopen(valgt, "r");
  if (!f) return;
  switch_intern::LaesValgtFil(f);
  fclose(f);
}

bool GemValgtSwt() {
  char sti[kStiLaengde];
  SaetSti(sti, sizeof sti, "ValgtSwt.ini");
  if (!sti[0]) return false;
  // Written whole through the crash-safe save, in text mode as it is read.
  GemFil f;
  bool ok = f.Aabn(sti, true);
  static const char kObjBogstaver[] = "KLMU";
  static const char kBrkBogstaver[] = "KLM";
  ok = ok && f.Printf("[ObjSwitchNo]\n");
  for (const char *b = kObjBogstaver; *b; ++b)
    for (uint32_t art = 0; art < kObjSwitchArter; ++art) {
      const uint32_t v = ObjSwitchValgt(art, static_cast<uint8_t>(*b));
      if (v > 0 && ok) ok = f.Printf("%i,%c,%i\n", static_cast<int>(art), *b, static_cast<int>(v));
    }
  ok = ok && f.Printf("[BrkSwitchNo]\n");
  for (const char *b = kBrkBogstaver; *b; ++b)
    for (uint32_t art = 0; art < kBrkSwitchArter; ++art) {
      const uint32_t v = BrkSwitchValgt(art, static_cast<uint8_t>(*b));
      if (v > 0 && ok) ok = f.Printf("%i,%c,%i\n", static_cast<int>(art), *b, static_cast<int>(v));
    }
  ok = ok && f.Printf("[ObjSortFelt]\n");
  for (const char *b = kObjBogstaver; *b; ++b)
    for (uint32_t art = 0; art < kObjSwitchArter; ++art) {
      const SwitchLayout *l = ObjSwitchLayout(art, static_cast<uint8_t>(*b), 0);
      if (l && l->SortFelt != 0 && ok)
        ok = f.Printf("%i,%c,%i\n", static_cast<int>(art), *b, static_cast<int>(l->SortFelt));
    }
  return ok && f.Luk();
}

// ---- Queries ----

uint32_t SwitchFeltBredde(const SwitchFelt *f) {
  if (!f) return 0;
  return f->StregVenstre + f->LuftVenstre + f->Tegn * 8 + f->Ekstra + f->StregHoejre;
}

SwitchLayout *ObjSwitchLayout(uint32_t art, uint8_t bogstav, uint32_t nr) {
  return Find(ObjHoved(art), bogstav, nr);
}

const SwitchFelt *ObjSwitchFelt(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i) {
  return FeltI(ObjSwitchLayout(art, bogstav, nr), i);
}

uint32_t ObjSwitchFeltNr(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i) {
  const SwitchFelt *f = ObjSwitchFelt(art, bogstav, nr, i);
  return f ? f->FeltNr : 0;
}

uint32_t ObjSwitchFeltIndex(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t feltNr) {
  const SwitchLayout *l = ObjSwitchLayout(art, bogstav, nr);
  uint32_t i = 0;
  for (const SwitchFelt *f = l ? l->FoersteFelt : nullptr; f; f = f->Naeste, ++i)
    if (f->FeltNr == feltNr) return i;
  return 0;
}

uint32_t ObjSwitchFeltAntal(uint32_t art, uint8_t bogstav, uint32_t nr) {
  const SwitchLayout *l = ObjSwitchLayout(art, bogstav, nr);
  uint32_t n = 0;
  for (const SwitchFelt *f = l ? l->FoersteFelt : nullptr; f; f = f->Naeste) ++n;
  return n;
}

uint32_t ObjSwitchBredde(uint32_t art, uint8_t bogstav, uint32_t nr) {
  return LayoutBredde(ObjSwitchLayout(art, bogstav, nr));
}

uint32_t ObjSwitchFeltBredde(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i) {
  return SwitchFeltBredde(ObjSwitchFelt(art, bogstav, nr, i));
}

uint32_t ObjSwitchFeltTegn(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i) {
  const SwitchFelt *f = ObjSwitchFelt(art, bogstav, nr, i);
  return f ? f->Tegn : 0;
}

uint32_t ObjSwitchFeltStart(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i) {
  const SwitchLayout *l = ObjSwitchLayout(art, bogstav, nr);
  uint32_t x = 0;
  const SwitchFelt *f = l ? l->FoersteFelt : nullptr;
  for (; f && i > 0; f = f->Naeste, --i) x += SwitchFeltBredde(f);
  return f ? x : 0;
}

uint32_t ObjSwitchStartMedMellemrum(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t mellemrum,
                                    uint32_t n) {
  if (n < 2) return 0;
  const SwitchLayout *l = ObjSwitchLayout(art, bogstav, nr);
  const SwitchFelt *f = l ? l->FoersteFelt : nullptr;
  uint32_t x = 0;
  for (uint32_t i = 0; i + 1 < n; ++i) {
    x += SwitchFeltBredde(f) + mellemrum;
    if (f) f = f->Naeste;
  }
  return x;
}

uint32_t ObjSwitchFeltVedX(uint32_t art, uint8_t bogstav, uint32_t nr, int32_t scroll, int32_t x) {
  const SwitchLayout *l = ObjSwitchLayout(art, bogstav, nr);
  int64_t start = -static_cast<int64_t>(scroll);
  for (const SwitchFelt *f = l ? l->FoersteFelt : nullptr; f; f = f->Naeste) {
    const int64_t slut = start + static_cast<int32_t>(SwitchFeltBredde(f));
    if (x > start && x < slut) return f->FeltNr;
    start = slut;
  }
  return 0;
}

bool ObjSwitchFoersteFeltErI(uint32_t art, uint8_t bogstav, uint32_t nr) {
  const SwitchFelt *f = ObjSwitchFelt(art, bogstav, nr, 0);
  return f && f->FeltType == 'I';
}

uint32_t ObjSwitchAntal(uint32_t art, uint8_t bogstav) {
  uint32_t n = 0;
  for (const SwitchLayout *l = ObjHoved(art); l; l = l->Naeste)
    if (l->Bogstav == bogstav) ++n;
  return n;
}

uint32_t ObjSwitchValgt(uint32_t art, uint8_t bogstav) { return Valgt(ObjHoved(art), bogstav); }

void ObjSwitchVaelg(uint32_t art, uint8_t bogstav, uint32_t nr) { Vaelg(ObjHoved(art), bogstav, nr); }

void ObjSwitchSaetSortFelt(uint32_t art, uint8_t bogstav, uint32_t felt) {
  SwitchLayout *l = ObjSwitchLayout(art, bogstav, 0);
  if (l) l->SortFelt = felt;
}

SwitchLayout *BrkSwitchLayout(uint32_t art, uint8_t bogstav, uint32_t nr) {
  return Find(BrkHoved(art), bogstav, nr);
}

uint32_t BrkSwitchValgt(uint32_t art, uint8_t bogstav) { return Valgt(BrkHoved(art), bogstav); }

void BrkSwitchVaelg(uint32_t art, uint8_t bogstav, uint32_t nr) { Vaelg(BrkHoved(art), bogstav, nr); }

uint32_t BrkTegnBredde(uint32_t art) { return art == 7 ? 3 : 8; }

uint32_t BrkSwitchBredde(uint32_t art, uint8_t bogstav, uint32_t nr) {
  const SwitchLayout *l = BrkSwitchLayout(art, bogstav, nr);
  if (!l) return 0;
  uint32_t b = 0;
  for (const SwitchFelt *f = l->FoersteFelt; f; f = f->Naeste)
    b += f->StregVenstre + f->LuftVenstre + f->Tegn * BrkTegnBredde(art) + f->Ekstra + f->StregHoejre;
  if (art <= 2) b += 14;
  return b;
}
