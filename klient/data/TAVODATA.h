// Record files data/<name>.DAT: loading a table, saving it by changed
// blocks, the first content of a table without a file, the reserved records
// every data set has, and the removal of deleted records.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "TABREG.h"

// The header of a record file. Files of older versions carry only the first
// two words; their records follow at offset 8.
#pragma pack(push, 1)
struct DatHeader {
  uint32_t Version;       // program version of the writer
  uint32_t FilOrd;        // kept from the file that was loaded
  char RecSizeTekst[8];   // "RecSize" and its zero
  uint16_t Nul;
  uint32_t RecSize;
};
#pragma pack(pop)
static_assert(sizeof(DatHeader) == 22);

constexpr int DATHEADER_NY = 22;
constexpr int DATHEADER_GAMMEL = 8;

// 0; -1 when the stored record size differs and no converter mends it;
// else the error number of the file operation that failed.
int LoadTab(const TabDesc *pTd, TabVar *pTv);
// Writes the header and every changed block, then cuts the file to its
// length; the file is replaced whole through the crash-safe save (part of
// the running save, or a save of its own). sti null: data/<name>.DAT.
// 0 or the error number.
int SaveTab(const TabDesc *pTd, TabVar *pTv, const char *sti);
// Raised whenever table data is taken for a save (SaveTab, and the copy the
// background save takes). Code that undoes a change of its own may clear the
// block's changed mark again only while this has not moved since the change.
extern std::atomic<uint32_t> TabGemTaeller;
// 22 or 8 (header size), 0 when the file cannot be opened, -1 on a record
// size that does not match (and, with fKonverter, could not be converted).
// Keeps the first two header words in FilVersion and FilOrd.
int ProbeDatHeader(const TabDesc *pTd, TabVar *pTv, uint8_t fKonverter);
// The same for a side file at sti, always converting; the version word is
// kept with the descriptor (SideFilVersion).
int ProbeDatHeaderFil(const TabDesc *pTd, const char *sti);
uint32_t SideFilVersion(const TabDesc *pTd);

// Drops empty records at the end; wRecCnt stays at least 1.
void TrimTab(const TabDesc *pTd, TabVar *pTv);
// An empty table: record 0 as placeholder, then the reserved records.
void InitTab(const TabDesc *pTd, TabVar *pTv);
// Pending versions (201..255) become current; empty and deleted records
// (0, 100..199) are zeroed. Records are not moved: their numbers are held by
// references, event and posting rows and receipts from the server.
void CleanupTab(const TabDesc *pTd, TabVar *pTv);

// The reserved records of the family of a type letter: 'E'/'M' meda and anfo,
// 'K' akti, 'L' loka, 'U' skfa. Only missing ones are added.
void CreateReservedRecs(uint8_t type);
// Record numbers of akti 999999998 (care days) and 999999997 (time off in
// lieu), creating the reserved activities when missing.
uint32_t GetOmsorgAkti();
uint32_t GetAfspadserAkti();
// Record number of the reserved activity with that id, creating the
// reserved activities when it is missing; 0 when it cannot be had.
uint32_t GetReserveretAkti(uint32_t id);
// 1 when record n of the letter's table has one of the reserved ids.
int IsReservedRec(uint8_t type, uint32_t n);

constexpr uint32_t RESERVERET_ID_UKENDT = 999999999;
constexpr uint32_t RESERVERET_ID_OMSORG = 999999998;
constexpr uint32_t RESERVERET_ID_AFSPADSER = 999999997;
constexpr uint32_t RESERVERET_ID_MIN = 999999994;

// The reserved records as record lines, by type letter and id.
struct ReserveretLinje {
  uint8_t Type;
  uint32_t id;
  const char *Linje;
};
extern const ReserveretLinje ReserveredeLinjer[];
extern const size_t AntalReserveredeLinjer;

// Adds one reserved record from its record line with object letter 'S',
// read by the import's record-line parser. 0 or its error code. A function
// installed with SetReserveretLinjeFn takes the lines instead (null: the
// parser again).
int TilfoejReserveretRec(const char *linje, const TabDesc *pTd, TabVar *pTv);
typedef int (*ReserveretLinjeFn)(const char *linje, const TabDesc *pTd, TabVar *pTv);
void SetReserveretLinjeFn(ReserveretLinjeFn fn);

// ---- Helpers shared by the record and side files ----

// "%sdata/<navn><endelse>" in the data folder; false when it does not fit.
bool DataFilSti(char *buf, size_t n, const char *navn, const char *endelse);
// Opens a file by its Windows-style path through the platform's file layer.
FILE *AabnDataFil(const char *sti, const char *mode);
// Size of an open file, -1 on error.
long DataFilStoerrelse(FILE *f);
// Deletes a file; missing is fine.
void SletDataFil(const char *sti);
// Replaces fil by ny (both Windows-style paths) through the crash-safe save
// (GEMNING.h): as part of the save this thread runs, else as a save of its
// own. ny is removed either way. 0 or an error number.
int ErstatDataFil(const char *ny, const char *fil);
// The runtime library's text for an error number.
const char *DataFejlTekst(int fejlnr);
