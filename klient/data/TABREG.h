// The table registry and the data dictionary: the static description of
// every record table (TabDesc with its FeltDef fields) and the run-time
// record of each table (TabVar).
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int MAXFELT = 60;         // FeltDef slots per table
constexpr int FELTNAVN_LEN = 33;    // field name with its terminator
constexpr int KORTNAVN_LEN = 15;    // short name field of TabDesc
constexpr int PERIODEFELTER = 8;

// FeltDef.Type: the data types of a field.
enum : uint8_t {
  FT_CHAR = 1,     // one character
  FT_U8 = 2,       // unsigned 8-bit number
  FT_JANEJ = 3,    // one character; with VisArt VA_JANEJ a J/N letter
  FT_I32 = 4,
  FT_U32 = 5,
  FT_HELTAL = 6,   // 32-bit signed whole number
  FT_ID = 7,       // u32: ids, references, dates, weeks, times
  FT_INT = 8,      // 32-bit signed integer
  FT_FLOAT = 9,    // f32 shown with Decimaler decimals
  FT_DOUBLE = 10,  // f64 change stamps (opdtid)
  FT_PEGER = 11,   // run-time pointer: 4 bytes in the record, see GetRunPtr
  FT_TEKST = 12,   // zero-terminated text, Size counts the terminator
};

// FeltDef.Ref below 66 is a value domain, not a table number.
enum : uint8_t {
  REF_INGEN = 0,
  REF_DATOGRUPPE = 1,    // head of a 13-byte date group
  REF_KALENDERSTART = 15,
  REF_STATUS = 17,
  REF_GRUPPE = 18,       // group mask
  REF_AENDRTID = 19,     // change time
  REF_MEDTAL = 20,       // monthly figures pointer
  REF_MINUTNORM = 21,
  REF_AKTIV = 22,        // la `aktiv`
};
constexpr uint8_t FOERSTE_TABNR = 66;  // table numbers are 66, 67, 129..255

constexpr int DATOGRUPPE_LEN = 13;  // date, two week fields, day

// FeltDef.VisArt
enum : uint8_t { VA_ALM = 0, VA_DATO = 1, VA_JANEJ = 2 };

#pragma pack(push, 1)
struct FeltDef {
  uint8_t Type;
  uint8_t Size;       // bytes of one element
  uint8_t Antal;      // repeat count
  uint8_t Ref;        // table number, or a value domain below 66
  uint8_t Bredde;     // display width
  uint8_t Decimaler;
  uint32_t Offset;
  uint8_t Flag;
  uint8_t Reserveret;
  float Min;          // both 0: no range
  float Max;
  uint8_t VisArt;
  char Navn[FELTNAVN_LEN];
};
#pragma pack(pop)
static_assert(sizeof(FeltDef) == 54);

// PeriodeFelter slots.
enum {
  PF_MINSTARTUGE, PF_MAXSLUTUGE, PF_STARTUGE, PF_SLUTUGE,
  PF_STARTDAG, PF_SLUTDAG, PF_GRUPPE, PF_TID,
};

struct TabDesc {
  const char *Navn;
  FeltDef FeltTab[MAXFELT];
  uint8_t FeltOrden[MAXFELT];  // 1-based field numbers, 0 in an empty slot
  uint8_t StatusFelt;
  uint8_t PeriodeFelter[PERIODEFELTER];
  uint8_t KeyLen;
  uint32_t RecSize;
  uint8_t AntalFelter;
  uint8_t ObjektOffset;        // offset in a SkeRec of the field naming this table
  uint8_t VisKlasse;
  char TabArt;                 // 'E' entity, 'R' relation
  char KortNavn[KORTNAVN_LEN];
  uint8_t TypeBogstav;
  uint32_t RecPrBlok;
  uint8_t CentralFlag;
  uint8_t BevarVedNulstil;
};

// Status classes: 1..99 current, 100..199 old deleted version, 200..255
// pending new version.
enum { KLASSE_AKTUEL = 0, KLASSE_SLETTET = 1, KLASSE_NY = 2, ANTAL_KLASSER = 3 };

struct TabVar {
  uint8_t *pbTab;           // RecSize x AllocAntal bytes
  uint32_t *pwSort;         // one slot per allocated record
  uint32_t wRecCnt;         // records in use, record 0 included
  uint32_t AllocAntal;
  uint32_t FoersteLedige;   // no record below it is known to be empty
  uint8_t fSorter;          // 1: rebuild the index before the next lookup
  uint32_t IdxAntal;
  uint32_t KlasseAntal[ANTAL_KLASSER];
  uint32_t SoegeSkridt[ANTAL_KLASSER];
  uint8_t *pfSave;          // one change flag per block, and one more
  uint32_t FilVersion;
  uint32_t FilOrd;
  uint32_t LoadMaerke;
  // The current-record word: the record the windows treat as the table's
  // current one (0 none). A window sets it when its cursor moves and reads
  // it to place its cursor after a rebuild. 0 after a load or reset; a
  // value at or beyond wRecCnt counts as none.
  uint32_t AktuelRec;
};

constexpr uint32_t LOADMAERKE_START = 2147483647u;

// One registry entry. The registry is never stored, so its layout is free.
struct TabRegEntry {
  uint8_t TypeBogstav;   // 0 in the end entry
  const char *Navn;      // null in the end entry; also the file name
  const TabDesc *pTabDesc;
  TabVar *pTabVar;
  uint8_t TabNr;
};

// All tables in load and save order, ended by an empty entry.
extern const TabRegEntry TabRegister[];
extern const size_t TabRegisterAntal;  // entries before the end entry

// The status class of a non-zero status byte.
inline int StatusKlasse(uint8_t status) {
  return status >= 200 ? KLASSE_NY : status >= 100 ? KLASSE_SLETTET : KLASSE_AKTUEL;
}

// The status byte of a record laid out by pTd.
inline uint8_t RecStatus(const TabDesc *pTd, const uint8_t *rec) {
  return rec[pTd->FeltTab[pTd->StatusFelt].Offset];
}

// Whether a status counts as an active record: 10..29, or bit 32 or 64 set.
inline bool AktivStatus(uint8_t status) {
  return (status >= 10 && status <= 29) || (status & 0x60) != 0;
}

// A reference field names a record of its target table by record number;
// 0 and numbers at or past the target's wRecCnt name nothing.
inline bool GyldigRef(const TabVar *pTvMaal, uint32_t recnr) {
  return recnr >= 1 && recnr < pTvMaal->wRecCnt;
}

uint32_t CountAktiveRec(const TabDesc *pTd, const TabVar *pTv);

// The type-11 field (anfo `MedTal`) keeps only 4 bytes in the record so the
// stored layout stays the same in a 64-bit build. The real pointer lies in a
// side table keyed by the table and the record number. The side table owns
// the blocks: they come from malloc/calloc, SetRunPtr frees the one it
// replaces and ResetTab frees all of a table's. Main thread only.
void *GetRunPtr(const TabVar *pTv, uint32_t recnr);
void SetRunPtr(TabVar *pTv, uint32_t recnr, void *p);
void FreeRunPtrs(TabVar *pTv);
