#include "TAVODATA.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "DATO.h"
#include "FINDREC.h"
#include "GEMNING.h"
#include "IMPORT.h"
#include "INDSTIL.h"
#include "KONVERT.h"
#include "LOGFIL.h"
#include "STITAB.h"
#include "TABOPER.h"
#include "pathmap.h"
#include "windows.h"

namespace {

// ResetTab gives the tables that must always hold their reserved records a
// fresh start through InitTab.
struct InstallerInitTab {
  InstallerInitTab() { SetInitTabFn(InitTab); }
} installerInitTab;

constexpr char kRecSize[] = "RecSize";  // with its zero: 8 bytes

// The version word of each side file, by descriptor.
struct SideFilVersionRec {
  const TabDesc *pTd;
  uint32_t Version;
};
SideFilVersionRec sideFilVersioner[8];

void GemSideFilVersion(const TabDesc *pTd, uint32_t v) {
  for (auto &s : sideFilVersioner) {
    if (s.pTd == pTd || s.pTd == nullptr) {
      s.pTd = pTd;
      s.Version = v;
      return;
    }
  }
}

// Reads up to 22 header bytes; the count read, 0 when the file cannot be
// opened.
size_t LaesHeader(const char *sti, uint8_t *buf, bool &aabnet) {
  memset(buf, 0, DATHEADER_NY);
  FILE *f = AabnDataFil(sti, "rb");
  aabnet = f != nullptr;
  if (!f) return 0;
  size_t n = fread(buf, 1, DATHEADER_NY, f);
  fclose(f);
  return n;
}

bool ErNyHeader(const uint8_t *buf, size_t n) {
  return n >= 15 && memcmp(buf + 8, kRecSize, 7) == 0;
}

uint32_t LaesU32(const uint8_t *p) {
  uint32_t v;
  memcpy(&v, p, 4);
  return v;
}

// Shared by the record files and the side files: the header size, or -1
// when the record size is wrong and no converter mends it.
int ProbeHeader(const TabDesc *pTd, const char *sti, bool fKonverter, uint32_t *pVersion,
                uint32_t *pOrd) {
  uint8_t buf[DATHEADER_NY];
  bool aabnet;
  size_t n = LaesHeader(sti, buf, aabnet);
  if (!aabnet) return 0;
  int h;
  if (!ErNyHeader(buf, n)) {
    h = DATHEADER_GAMMEL;
    if (fKonverter && KonverterData(pTd)) {
      n = LaesHeader(sti, buf, aabnet);
      if (!ErNyHeader(buf, n) || LaesU32(buf + 18) != pTd->RecSize) return -1;
      h = DATHEADER_NY;
    }
  } else {
    h = DATHEADER_NY;
    if (n < DATHEADER_NY || LaesU32(buf + 18) != pTd->RecSize) {
      if (!(fKonverter && KonverterData(pTd))) return -1;
      n = LaesHeader(sti, buf, aabnet);
      if (!ErNyHeader(buf, n) || n < DATHEADER_NY || LaesU32(buf + 18) != pTd->RecSize)
        return -1;
    }
  }
  *pVersion = n >= 4 ? LaesU32(buf) : 0;
  *pOrd = n >= 8 ? LaesU32(buf + 4) : 0;
  return h;
}

// What a table without a file starts as.
void TomTabel(const TabDesc *pTd, TabVar *pTv) {
  if (pTd->TypeBogstav == 'B' || pTd->TypeBogstav == 'S') return;
  InitTab(pTd, pTv);
}

uint8_t *Rec(const TabDesc *pTd, const TabVar *pTv, uint32_t n) {
  return pTv->pbTab + static_cast<size_t>(n) * pTd->RecSize;
}

}  // namespace

// ---- Helpers ----

bool DataFilSti(char *buf, size_t n, const char *navn, const char *endelse) {
  int r = snprintf(buf, n, "%sdata/%s%s", StiTab.szdata, navn, endelse);
  return r > 0 && static_cast<size_t>(r) < n;
}

FILE *AabnDataFil(const char *sti, const char *mode) { return fopen(sti, mode); }

long DataFilStoerrelse(FILE *f) {
  if (fseek(f, 0, SEEK_END) != 0) return -1;
  long n = ftell(f);
  if (fseek(f, 0, SEEK_SET) != 0) return -1;
  return n;
}

void SletDataFil(const char *sti) { DeleteFileA(sti); }

int ErstatDataFil(const char *ny, const char *fil) {
  // Copied rather than renamed: the copy is a file of the crash-safe save,
  // flushed and committed with whatever else the running save writes. ny
  // goes before the commit, so a success leaves nothing behind.
  Gemning gem;
  bool ok = GemKopi(ny, fil);
  if (ok && !DeleteFileA(ny)) {
    GemMislykket(ny, GetLastError());
    ok = false;
  }
  if (ok && (gem.Fuldfoer() || gem.Besluttet())) return 0;
  GemFejl f{};
  return SidsteGemFejl(&f) && f.Fejl ? static_cast<int>(f.Fejl) : EIO;
}

const char *DataFejlTekst(int fejlnr) { return strerror(fejlnr); }

// ---- Header probes ----

int ProbeDatHeader(const TabDesc *pTd, TabVar *pTv, uint8_t fKonverter) {
  char sti[kStiLaengde];
  if (!DataFilSti(sti, sizeof sti, pTd->Navn, ".dat")) return 0;
  uint32_t v = 0, ord = 0;
  int h = ProbeHeader(pTd, sti, fKonverter != 0, &v, &ord);
  if (h > 0) {
    pTv->FilVersion = v;
    pTv->FilOrd = ord;
  }
  return h;
}

int ProbeDatHeaderFil(const TabDesc *pTd, const char *sti) {
  uint32_t v = 0, ord = 0;
  int h = ProbeHeader(pTd, sti, true, &v, &ord);
  if (h > 0) GemSideFilVersion(pTd, v);
  return h;
}

uint32_t SideFilVersion(const TabDesc *pTd) {
  for (auto &s : sideFilVersioner)
    if (s.pTd == pTd) return s.Version;
  return 0;
}

// ---- Load and save ----

int LoadTab(const TabDesc *pTd, TabVar *pTv) {
  // The record numbers of the old contents mean nothing in the new ones.
  pTv->AktuelRec = 0;
  int h = ProbeDatHeader(pTd, pTv, 1);
  if (h == -1) return -1;

  char sti[kStiLaengde];
  DataFilSti(sti, sizeof sti, pTd->Navn, ".DAT");
  int fejl = 0;
  FILE *f = AabnDataFil(sti, "rb");
  if (!f) {
    fejl = errno;
    if (fejl == ENOENT) {
      TomTabel(pTd, pTv);
      return 0;
    }
    if (fejl == 0) fejl = EIO;
  } else {
    long size = DataFilStoerrelse(f);
    if (size < 0 || h <= 0) {
      // The probe could not open what opens now, or the size is unknown.
      fejl = errno ? errno : EIO;
      fclose(f);
    } else {
      uint64_t n = static_cast<uint64_t>(size) > static_cast<uint64_t>(h)
                       ? (static_cast<uint64_t>(size) - h) / pTd->RecSize
                       : 0;
      if (size < 1 || n == 0) {
        fclose(f);
        SletDataFil(sti);
        TomTabel(pTd, pTv);
        return 0;
      }
      if (n > 0xFFFFFFF0u || AddTabBlock(pTd, pTv, static_cast<uint32_t>(n)) != 0) {
        fejl = ENOMEM;
        fclose(f);
      } else {
        uint32_t antal = static_cast<uint32_t>(n);
        pTv->wRecCnt = antal;
        if (h != DATHEADER_NY)
          for (uint32_t b = 0; b <= antal / pTd->RecPrBlok; ++b) pTv->pfSave[b] = 1;
        LogPrintf("   LoadTab(%s): Data hentes (type %c): %5u records %6u bytes\n", sti,
                  pTd->TypeBogstav, antal, antal * pTd->RecSize);
        size_t bytes = static_cast<size_t>(antal) * pTd->RecSize;
        if (fseek(f, h, SEEK_SET) != 0 || fread(pTv->pbTab, 1, bytes, f) != bytes)
          fejl = errno ? errno : EIO;
        if (fclose(f) != 0 && fejl == 0) fejl = errno ? errno : EIO;
        if (fejl == 0) return 0;
      }
    }
  }
  StdErrPrintf("LoadTab: \"%s\": %s (%d)\n", sti, DataFejlTekst(fejl), fejl);
  LogPrintf("** Fejl: LoadTab(%s): %s (%d)\n", sti, DataFejlTekst(fejl), fejl);
  return fejl;
}

std::atomic<uint32_t> TabGemTaeller{0};

namespace {

// The file as it stands, for the blocks a save does not change: its handle
// (INVALID_HANDLE_VALUE when there is no file) and its size and header.
struct GammelFil {
  HANDLE h = INVALID_HANDLE_VALUE;
  uint64_t Stoerrelse = 0;
  uint8_t Header[DATHEADER_NY] = {};
  ~GammelFil() { Luk(); }
  void Luk() {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
  }
};

// 0, or the Windows error of a file that exists and cannot be read.
DWORD AabnGammel(const char *sti, GammelFil *g) {
  g->h = CreateFileA(sti, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, 0);
  if (g->h == INVALID_HANDLE_VALUE) {
    const DWORD e = GetLastError();
    return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND ? 0 : e;
  }
  LARGE_INTEGER st{};
  DWORD fik = 0;
  if (!GetFileSizeEx(g->h, &st)) return GetLastError();
  g->Stoerrelse = static_cast<uint64_t>(st.QuadPart);
  if (g->Stoerrelse >= DATHEADER_NY && !ReadFile(g->h, g->Header, DATHEADER_NY, &fik, nullptr))
    return GetLastError();
  return 0;
}

int Errno(DWORD fejl) { return fejl ? tavo::ErrnoFromWinError(fejl) : 0; }

}  // namespace

// The new file is written whole beside the old one and replaces it through
// the crash-safe save: the changed blocks from memory, the others copied
// from the file as it stands, so what lands on disk is what the in-place
// write of changed blocks would leave, but never half of it.
int SaveTab(const TabDesc *pTd, TabVar *pTv, const char *stiArg) {
  ++TabGemTaeller;
  TrimTab(pTd, pTv);
  if (pTv->wRecCnt == 0) return 0;

  char sti[kStiLaengde];
  if (stiArg) {
    snprintf(sti, sizeof sti, "%s", stiArg);
  } else {
    DataFilSti(sti, sizeof sti, pTd->Navn, ".DAT");
  }
  const uint32_t sidsteBlok = pTv->wRecCnt / pTd->RecPrBlok;
  const uint64_t laengde = DATHEADER_NY + static_cast<uint64_t>(pTv->wRecCnt) * pTd->RecSize;
  DatHeader hdr{};
  hdr.Version = version;
  hdr.FilOrd = pTv->FilOrd;
  memcpy(hdr.RecSizeTekst, kRecSize, sizeof hdr.RecSizeTekst);
  hdr.Nul = 0;
  hdr.RecSize = pTd->RecSize;

  int fejl = 0;
  GammelFil gl;
  DWORD glFejl = AabnGammel(sti, &gl);
  // A file that has to be created, or one of an older layout, holds none of
  // the unchanged blocks, so every block is written then.
  const bool alle = gl.h == INVALID_HANDLE_VALUE || gl.Stoerrelse < DATHEADER_NY ||
                    !ErNyHeader(gl.Header, DATHEADER_NY) || LaesU32(gl.Header + 18) != pTd->RecSize;
  bool aendret = alle;
  for (uint32_t b = 0; b <= sidsteBlok && !aendret; ++b) aendret = pTv->pfSave[b] != 0;
  LogPrintf("   SaveTab(%s): Data gemmes (type %c): %5u records %6u bytes\n", sti, pTd->TypeBogstav,
            pTv->wRecCnt, pTv->wRecCnt * pTd->RecSize);
  if (glFejl != 0) {
    GemMislykket(sti, glFejl);
    fejl = Errno(glFejl);
  } else if (!aendret && gl.Stoerrelse == laengde && memcmp(gl.Header, &hdr, sizeof hdr) == 0) {
    // Nothing to change: the file already holds what the save would write.
  } else {
    GemFil ny;
    bool ok = ny.Aabn(sti) && ny.Skriv(&hdr, sizeof hdr);
    for (uint32_t b = 0; b <= sidsteBlok && ok; ++b) {
      const uint32_t antal = b == sidsteBlok ? pTv->wRecCnt % pTd->RecPrBlok : pTd->RecPrBlok;
      const uint64_t pos = DATHEADER_NY + static_cast<uint64_t>(b) * pTd->RecPrBlok * pTd->RecSize;
      const size_t bytes = static_cast<size_t>(antal) * pTd->RecSize;
      if (bytes == 0) continue;
      if (!alle && !pTv->pfSave[b] && pos + bytes <= gl.Stoerrelse) {
        ok = ny.KopierFra(gl.h, pos, bytes);
        continue;
      }
      LogPrintf("   SaveBlock(%s): AllocAntal=%u, AllocBytes=%u BlockNr: %u, %6u BlockBytes\n", sti,
                pTv->AllocAntal, pTv->AllocAntal * pTd->RecSize, b, static_cast<uint32_t>(bytes));
      ok = ny.Skriv(Rec(pTd, pTv, b * pTd->RecPrBlok), bytes);
      LogPrintf("   WriteBlock(%s): Data skrives: %u, Data skrevet: %u\n", sti, static_cast<uint32_t>(bytes),
                static_cast<uint32_t>(ok ? bytes : 0));
    }
    ok = ok && ny.SaetLaengde(laengde);
    // The old file is let go before the new one can replace it: Windows
    // replaces no file that is open, and a save of its own commits in Luk.
    gl.Luk();
    ok = ok && ny.Luk();
    if (!ok) fejl = Errno(ny.Fejl() ? ny.Fejl() : ERROR_GEN_FAILURE);
  }
  LogPrintf("   F\xE6rdig: SaveTab(%s): %s (%d)\n", sti, DataFejlTekst(fejl), fejl);
  if (fejl != 0) {
    StdErrPrintf("SaveTab: \"%s\": %s (%d)\n", sti, DataFejlTekst(fejl), fejl);
    LogPrintf("** Fejl: SaveTab(%s): %s (%d)\n", sti, DataFejlTekst(fejl), fejl);
  }
  return fejl;
}

// ---- Table content ----

void TrimTab(const TabDesc *pTd, TabVar *pTv) {
  while (pTv->wRecCnt >= 2 && RecStatus(pTd, Rec(pTd, pTv, pTv->wRecCnt - 1)) == 0)
    --pTv->wRecCnt;
}

void InitTab(const TabDesc *pTd, TabVar *pTv) {
  if (AddTabBlock(pTd, pTv, 1) != 0) return;
  pTv->wRecCnt = 1;
  pTv->pfSave[0] = 1;
  uint8_t *rec0 = pTv->pbTab;
  memset(rec0, 0, pTd->RecSize);
  if (pTd->TabArt == 'E') {
    // Placeholder texts, so that a reference of 0 shows something readable.
    for (int i = 0; i < pTd->AntalFelter && i < MAXFELT; ++i) {
      const FeltDef &fd = pTd->FeltTab[i];
      if (fd.Type != FT_TEKST || fd.Size < 2) continue;
      for (int e = 0; e < (fd.Antal ? fd.Antal : 1); ++e) {
        size_t off = fd.Offset + static_cast<size_t>(e) * fd.Size;
        if (off + fd.Size > pTd->RecSize) break;
        char *p = reinterpret_cast<char *>(rec0 + off);
        if (fd.Offset < pTd->KeyLen) {
          memset(p, '?', fd.Size - 1u);
        } else {
          size_t n = fd.Size - 1u < 6 ? fd.Size - 1u : 6;
          memcpy(p, "Ukendt", n);
        }
      }
    }
  }
  CreateReservedRecs(pTd->TypeBogstav);
}

void CleanupTab(const TabDesc *pTd, TabVar *pTv) {
  int antal = 0;
  const uint32_t statusOff = pTd->FeltTab[pTd->StatusFelt].Offset;
  // Record 0 keeps its placeholder texts: it is never a record of its own.
  for (uint32_t r = 1; r < pTv->wRecCnt; ++r) {
    uint8_t *rec = Rec(pTd, pTv, r);
    uint8_t s = rec[statusOff];
    if (s > 200) {
      // The new status must reach the file, or the record would come back
      // as pending at the next load.
      rec[statusOff] = s % 100;
      pTv->pfSave[r / pTd->RecPrBlok] = 1;
    } else if (s == 0 || (s >= 100 && s < 200)) {
      memset(rec, 0, pTd->RecSize);
      if (r < pTv->FoersteLedige) pTv->FoersteLedige = r;
      pTv->pfSave[r / pTd->RecPrBlok] = 1;
      ++antal;
    }
  }
  LogPrintf("** Info: CleanupTab(%s): Slettede %d records\n", pTd->Navn, antal);
}

// ---- Reserved records ----

namespace {

ReserveretLinjeFn pfReserveretLinje = nullptr;

}  // namespace

const ReserveretLinje ReserveredeLinjer[] = {
    {'E', 999999999, "999999999;<**>;<Ukendt afventer natjob>;<Ukendt>;0;;;;;0"},
    {'M', 999999999,
     "999999999;999999999;000;J;J;;<Ukendt afventer natjob>;;20010101;20991231;0"},
    {'K', 999999999,
     "999999999;<******>;HOLD;0;0;Afventer natjob;<Ukendt afventer natjob>;20010101;20990101;N;;"
     "0;0;0;0;1;N;N;0;0;0;0;N;0.00;;15;0;0;0;;;0;0"},
    {'K', 999999998,
     "999999998;<OMSORG>;OVAK;0;0;Omsorg;<Omsorg>;20010101;20990101;N;;0;0;0;0;1;N;N;0;0;0;0;N;"
     "0.00;;;0;0;0;;;0;0"},
    {'K', 999999997,
     "999999997;<AFSPADSER>;HOLD;0;0;Afspadser;<Afspadser>;20010101;20990101;N;;0;0;0;0;1;N;N;0;"
     "0;0;0;N;0.00;;;0;0;0;;;0;0"},
    {'K', 999999996,
     "999999996;<OPSPARINGSDAGE>;OVAK;0;0;Opsparingsdage;<Opsparingsdg>;20010101;20990101;N;;0;0;"
     "0;0;1;N;N;0;0;0;0;N;0.00;;;0;0;0;;;0;0"},
    {'K', 999999995,
     "999999995;<FERIE>;OVAK;0;0;Ferie;<Ferie>;20010101;20990101;N;;0;0;0;0;1;N;N;0;0;0;0;N;0.00;"
     ";;0;0;0;;;0;0"},
    {'K', 999999994,
     "999999994;<SYGDOM>;OVAK;0;0;Sygdom;<Sygdom>;20010101;20990101;N;;0;0;0;0;1;N;N;0;0;0;0;N;"
     "0.00;;;0;0;0;;;0;0"},
    {'L', 999999999, "999999999;<******>;19900101;Afventer natjob;20991231;;;;0;;;;"},
    {'U', 999999999, "999999999;00000;-;Afventer natjob;J;0.0;0;0;0;0;0.00"},
};
const size_t AntalReserveredeLinjer = std::size(ReserveredeLinjer);

void SetReserveretLinjeFn(ReserveretLinjeFn fn) { pfReserveretLinje = fn; }

namespace {

void OpretReserverede(uint8_t type) {
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromType(type, &pTd, &pTv) != 0) return;
  for (const auto &r : ReserveredeLinjer) {
    if (r.Type != type) continue;
    // The key as the import makes it from the line's first field.
    char idTekst[16];
    snprintf(idTekst, sizeof idTekst, "%u", r.id);
    const void *noegle = ParseFeltVaerdi(pTd, idTekst);
    if (FindRec(pTd, pTv, noegle, KLASSE_AKTUEL) == 0) TilfoejReserveretRec(r.Linje, pTd, pTv);
  }
}

}  // namespace

// The import's parser is the one authority on record lines, so the reserved
// records are read by it exactly as a line from the server would be.
int TilfoejReserveretRec(const char *linje, const TabDesc *pTd, TabVar *pTv) {
  if (pfReserveretLinje) return pfReserveretLinje(linje, pTd, pTv);
  return ImportRecordLine(linje, 'S', pTd, pTv, nullptr, 0);
}

void CreateReservedRecs(uint8_t type) {
  switch (type) {
    case 'E':
    case 'M':
      OpretReserverede('E');
      OpretReserverede('M');
      break;
    case 'K':
    case 'L':
    case 'U':
      OpretReserverede(type);
      break;
    default:
      break;
  }
}

uint32_t GetReserveretAkti(uint32_t id) {
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromType('K', &pTd, &pTv) != 0) return 0;
  uint32_t r = FindRec(pTd, pTv, &id, KLASSE_AKTUEL);
  if (r == 0) {
    CreateReservedRecs('K');
    r = FindRec(pTd, pTv, &id, KLASSE_AKTUEL);
  }
  return r;
}

uint32_t GetOmsorgAkti() { return GetReserveretAkti(RESERVERET_ID_OMSORG); }
uint32_t GetAfspadserAkti() { return GetReserveretAkti(RESERVERET_ID_AFSPADSER); }

int IsReservedRec(uint8_t type, uint32_t n) {
  const TabDesc *pTd;
  TabVar *pTv;
  if (TabFromType(type, &pTd, &pTv) != 0) return 0;
  const uint8_t *rec = GetRec(pTd, pTv, n);
  if (!rec || n == 0) return 0;
  uint32_t id = LaesU32(rec);
  return id >= RESERVERET_ID_MIN && id <= RESERVERET_ID_UKENDT ? 1 : 0;
}
