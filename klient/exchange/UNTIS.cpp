// The timetable files of Untis, Lectio, Tabulex and the Extern layout read into imported lessons.
#include "UNTIS.h"

#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "TEKST.h"
#include "windows.h"

ImportLektioner UntisSkema;
ImportLektioner ExtSkema;
uint32_t TabulexAntalUger = 1;

namespace {

// A line buffer: 511 characters and the terminator.
constexpr size_t kLinjeLaengde = 512;
constexpr size_t kStiLaengde = 2 * MAX_PATH + 2;

// What a column of a layout holds.
enum class Art : uint8_t {
  Ignoreret,
  Tekst,         // copied whole, cut to the field
  TekstUdenBlanke,
  Tal,           // a leading whole number, as "%d" reads it
  Kommatal,      // a leading number with decimals, as "%f" reads it
  Aar,           // the date of Untis with dates, in three columns
  Maaned,
  DagIMaaned,
  TabulexFag,    // "0" put in front of a short subject
  FagTillaeg,    // added to the subject unless empty or '-'
};

struct Kolonne {
  Art art;
  size_t felt;  // offset of the field in ImportLektion
};

#define TEKST(f) {Art::Tekst, offsetof(ImportLektion, f)}
#define TAL(f) {Art::Tal, offsetof(ImportLektion, f)}
#define IGNORERET {Art::Ignoreret, 0}

constexpr int kMaxKolonner = 12;

struct Layout {
  int antal;
  Kolonne kolonner[kMaxKolonner];
  char kommentar;  // a line whose first character this is makes no lesson
};

// The columns of each layout, by source code.
const Layout kLayouts[] = {
    // Untis
    {7, {IGNORERET, TEKST(Klasse), TEKST(Laerer), TEKST(Fag), TEKST(Lokale), TAL(Dag), TAL(Lektion)}, 0},
    // Untis with dates
    {8,
     {TEKST(Laerer), {Art::Aar, 0}, {Art::Maaned, 0}, {Art::DagIMaaned, 0}, TAL(Lektion),
      {Art::TekstUdenBlanke, offsetof(ImportLektion, Fag)}, TEKST(Klasse), TEKST(Lokale)},
     '\''},
    // Tabulex
    {12,
     {IGNORERET, IGNORERET, TEKST(Laerer), TEKST(Klasse), IGNORERET, TEKST(Lokale), TAL(Dag), TAL(Lektion),
      IGNORERET, IGNORERET, {Art::TabulexFag, 0}, {Art::FagTillaeg, 0}},
     '['},
    // Lectio
    {9,
     {TAL(LektionsId), TEKST(Klasse), TEKST(Laerer), TEKST(Fag), TEKST(Lokale), TAL(Dag), TAL(Lektion), TAL(Uge),
      TAL(Dato)},
     0},
    // Extern
    {9,
     {TEKST(Klasse), TEKST(Fag), TEKST(Laerer), TEKST(Lokale), TAL(Dato), TAL(Lektion), TAL(Starttid),
      TAL(Sluttid), {Art::Kommatal, offsetof(ImportLektion, Antal)}},
     '\''},
};

#undef TEKST
#undef TAL
#undef IGNORERET

char *TekstFelt(ImportLektion &l, size_t felt) { return reinterpret_cast<char *>(&l) + felt; }

void KopierTekst(char *felt, const char *tekst) {
  const size_t n = strnlen(tekst, kImportTekstLaengde - 1);
  memcpy(felt, tekst, n);
  felt[n] = '\0';
}

// Appends as much of tekst as the field holds.
void TilfoejTekst(char *felt, const char *tekst) {
  const size_t har = strnlen(felt, kImportTekstLaengde - 1);
  const size_t n = strnlen(tekst, kImportTekstLaengde - 1 - har);
  memcpy(felt + har, tekst, n);
  felt[har + n] = '\0';
}

float Kommatal(const char *tekst) {
  const float v = strtof(tekst, nullptr);
  return std::isfinite(v) ? v : 0.0f;
}

void SaetTal(ImportLektion &l, size_t felt, int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  memcpy(reinterpret_cast<char *>(&l) + felt, &u, sizeof u);
}

// Reads a line of the file; false at its end with nothing read. The first
// 511 characters are kept and the rest of a longer line is passed over.
bool LaesLinje(FILE *fil, char (&linje)[kLinjeLaengde]) {
  size_t n = 0;
  bool noget = false;
  int c;
  while ((c = getc(fil)) != EOF) {
    noget = true;
    if (c == '\n') break;
    if (n < kLinjeLaengde - 1) linje[n++] = static_cast<char>(c);
  }
  linje[n] = '\0';
  return noget;
}

// Cuts the trimmed line at the next ',' or ';' from *p: the field, trimmed,
// with *p moved behind its separator (null after the last field).
char *NaesteFelt(char *&p) {
  char *felt = p;
  char *skil = strpbrk(p, ",;");
  if (skil) {
    *skil = '\0';
    p = skil + 1;
  } else {
    p = nullptr;
  }
  TrimStr(felt);
  return felt;
}

bool FilFindes(const char *sti) {
  const DWORD a = GetFileAttributesA(sti);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// <mappe>\<navn>; empty when it does not fit, so nothing is opened.
void Sti(char (&sti)[kStiLaengde], const char *mappe, const char *navn) {
  const size_t n = strlen(mappe);
  const char *skil = (n > 0 && (mappe[n - 1] == '\\' || mappe[n - 1] == '/')) ? "" : "\\";
  const int skrevet = snprintf(sti, sizeof sti, "%s%s%s", mappe, skil, navn);
  if (skrevet < 0 || static_cast<size_t>(skrevet) >= sizeof sti) sti[0] = '\0';
}

uint32_t LaesSkemaFil(const char *sti, uint32_t kilde, ImportLektioner &lektioner) {
  lektioner.assign(1, ImportLektion{});
  if (kilde == KILDE_TABULEX) TabulexAntalUger = 1;
  FILE *fil = sti[0] ? fopen(sti, "r") : nullptr;
  if (fil == nullptr) return 0;
  char linje[kLinjeLaengde];
  ImportLektion l;
  while (LaesLinje(fil, linje)) {
    if (!FortolkSkemaLinje(linje, kilde, l)) continue;
    if (kilde == KILDE_TABULEX) {
      // A week holds five running day numbers.
      const int32_t dag = static_cast<int32_t>(l.Dag);
      if (dag > 0) {
        const uint32_t uger = static_cast<uint32_t>((static_cast<int64_t>(dag) + 4) / 5);
        if (uger > TabulexAntalUger) TabulexAntalUger = uger;
      }
    }
    lektioner.push_back(l);
  }
  fclose(fil);
  return static_cast<uint32_t>(lektioner.size() - 1);
}

uint32_t LaesIMappe(const char *mappe, const char *navn, uint32_t kilde, ImportLektioner &lektioner) {
  char sti[kStiLaengde];
  Sti(sti, mappe, navn);
  return LaesSkemaFil(sti, kilde, lektioner);
}

}  // namespace

int32_t ImportHelTal(const char *tekst) {
  const char *p = tekst;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool minus = false;
  if (*p == '+' || *p == '-') minus = *p++ == '-';
  int64_t v = 0;
  for (; *p >= '0' && *p <= '9'; ++p)
    if (v <= INT32_MAX) v = v * 10 + (*p - '0');
  if (minus) v = -v;
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

bool FortolkSkemaLinje(const char *linje, uint32_t kilde, ImportLektion &l) {
  memset(&l, 0, sizeof l);
  if (kilde >= sizeof kLayouts / sizeof kLayouts[0]) return false;
  const Layout &layout = kLayouts[kilde];
  char buf[kLinjeLaengde];
  const size_t n = strnlen(linje, kLinjeLaengde - 1);
  memcpy(buf, linje, n);
  buf[n] = '\0';
  TrimStr(buf);
  if (layout.kommentar && buf[0] == layout.kommentar) return false;

  uint32_t aar = 0, maaned = 0, dag = 0;
  char *p = buf;
  for (int k = 0; k < layout.antal && p != nullptr; ++k) {
    char *felt = NaesteFelt(p);
    const Kolonne &kol = layout.kolonner[k];
    switch (kol.art) {
      case Art::Ignoreret: break;
      case Art::Tekst: KopierTekst(TekstFelt(l, kol.felt), felt); break;
      case Art::TekstUdenBlanke:
        StripBlanks(felt);
        KopierTekst(TekstFelt(l, kol.felt), felt);
        break;
      case Art::Tal: SaetTal(l, kol.felt, ImportHelTal(felt)); break;
      case Art::Kommatal: l.Antal = Kommatal(felt); break;
      case Art::Aar: aar = static_cast<uint32_t>(ImportHelTal(felt)); break;
      case Art::Maaned: maaned = static_cast<uint32_t>(ImportHelTal(felt)); break;
      case Art::DagIMaaned: dag = static_cast<uint32_t>(ImportHelTal(felt)); break;
      case Art::TabulexFag:
        if (felt[0] == '\0') {
          l.Fag[0] = '\0';
        } else if (strlen(felt) < 5) {
          KopierTekst(l.Fag, "0");
          TilfoejTekst(l.Fag, felt);
        } else {
          KopierTekst(l.Fag, felt);
        }
        break;
      case Art::FagTillaeg:
        if (felt[0] != '\0' && felt[0] != '-' && felt[0] != ' ') TilfoejTekst(l.Fag, felt);
        break;
    }
  }
  // Unsigned arithmetic: figures out of range give a date that no check
  // accepts, never an overflow.
  if (kilde == KILDE_UNTIS_DATO) l.Dato = (aar * 100u + maaned) * 100u + dag;
  return true;
}

uint32_t LaesUntisSkema(const char *mappe, ImportLektioner &lektioner, uint32_t uge) {
  char navn[32];
  if (uge != 0)
    snprintf(navn, sizeof navn, "skema%u.txt", uge);
  else
    snprintf(navn, sizeof navn, "skema.txt");
  return LaesIMappe(mappe, navn, KILDE_UNTIS, lektioner);
}

uint32_t LaesUntisDatoSkema(const ExtImportIndstillinger &ind, ImportLektioner &lektioner) {
  return LaesIMappe(ind.Mappe, ind.FilNavn, KILDE_UNTIS_DATO, lektioner);
}

uint32_t LaesTabulexSkema(const char *mappe, ImportLektioner &lektioner) {
  return LaesIMappe(mappe, "skema.csv", KILDE_TABULEX, lektioner);
}

uint32_t LaesLectioSkema(const char *mappe, ImportLektioner &lektioner) {
  return LaesIMappe(mappe, "skema.txt", KILDE_LECTIO, lektioner);
}

uint32_t LaesExtSkema(const ExtImportIndstillinger &ind, ImportLektioner &lektioner) {
  return LaesIMappe(ind.Mappe, ind.FilNavn, KILDE_EXTERN, lektioner);
}

namespace {

void Ombyt(const char *mappe, const char *navn, size_t felt, ImportLektioner &lektioner, uint32_t antal) {
  char sti[kStiLaengde];
  Sti(sti, mappe, navn);
  FILE *fil = sti[0] ? fopen(sti, "r") : nullptr;
  if (fil == nullptr) return;
  if (lektioner.empty()) lektioner.assign(1, ImportLektion{});
  if (antal > lektioner.size() - 1) antal = static_cast<uint32_t>(lektioner.size() - 1);
  char linje[kLinjeLaengde];
  while (LaesLinje(fil, linje)) {
    TrimStr(linje);
    char *p = linje;
    // Both names as a lesson field holds them.
    char gammel[kImportTekstLaengde], ny[kImportTekstLaengde];
    KopierTekst(gammel, NaesteFelt(p));
    if (p == nullptr) continue;
    KopierTekst(ny, NaesteFelt(p));
    if (gammel[0] == '\0' || ny[0] == '\0') continue;
    for (uint32_t i = 1; i <= antal; ++i) {
      char *f = TekstFelt(lektioner[i], felt);
      if (strcmp(f, gammel) == 0) KopierTekst(f, ny);
    }
  }
  fclose(fil);
}

}  // namespace

bool LaesKlasserTxt(const char *mappe, ImportLektioner &lektioner, uint32_t antal) {
  Ombyt(mappe, "klasser.txt", offsetof(ImportLektion, Klasse), lektioner, antal);
  return true;
}

bool LaesLokalerTxt(const char *mappe, ImportLektioner &lektioner, uint32_t antal) {
  Ombyt(mappe, "lokaler.txt", offsetof(ImportLektion, Lokale), lektioner, antal);
  return true;
}

bool LaesFagTxt(const char *mappe, ImportLektioner &lektioner, uint32_t antal) {
  Ombyt(mappe, "fag.txt", offsetof(ImportLektion, Fag), lektioner, antal);
  return true;
}

bool FindKonvFiler(const char *mappe) {
  for (const char *navn : {"klasser.txt", "fag.txt", "lokaler.txt"}) {
    char sti[kStiLaengde];
    Sti(sti, mappe, navn);
    if (!FilFindes(sti)) return false;
  }
  return true;
}

bool FindSkemaFil(const ExtImportIndstillinger &ind, uint32_t uge) {
  char navn[sizeof ind.FilNavn];
  switch (ind.Kilde) {
    case KILDE_UNTIS:
      if (uge != 0)
        snprintf(navn, sizeof navn, "skema%u.txt", uge);
      else
        snprintf(navn, sizeof navn, "skema.txt");
      break;
    case KILDE_LECTIO: snprintf(navn, sizeof navn, "skema.txt"); break;
    case KILDE_TABULEX: snprintf(navn, sizeof navn, "skema.csv"); break;
    default: snprintf(navn, sizeof navn, "%.*s", static_cast<int>(sizeof navn - 1), ind.FilNavn); break;
  }
  if (navn[0] == '\0') return false;
  char sti[kStiLaengde];
  Sti(sti, ind.Mappe, navn);
  return sti[0] != '\0' && FilFindes(sti);
}
