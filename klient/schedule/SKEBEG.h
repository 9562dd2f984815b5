// Schedule events: reading an event's rows from its week bucket into a
// property set (AVS), the status of a row, the remark lines of a set, the
// list entry of a visible event, and the program-wide sets. An event is
// addressed by (year index, week, first row) and is the first row with
// every following row whose Forste names it. Main thread only.
#pragma once

#include <cstdint>

#include "AVS.h"
#include "SKEREC.h"
#include "TABREG.h"

struct SkeStruct;

// The event being entered, and the old event of a change.
extern AVS AktuelAVS;
extern AVS GammelAVS;

#pragma pack(push, 1)
// One entry of a schedule window's list of visible events; entry 0 is
// always present and all zero.
struct SkeVisListe {
  uint8_t AarIndeks;
  uint8_t Uge;
  uint32_t Forste;          // the event's first row
  uint32_t Naeste;          // next entry of the same chain, 0 at the end
  uint8_t PosterTid;        // 0 when the row's role posts no time
  uint8_t SammenfaldsCheck; // 0 when the participant is exempt from overlap checks
  uint8_t AKRolle;          // 1 when the role text begins with "AK"
  uint8_t Bem;              // 1 when the row has a remark
  uint8_t FarveKode;
  uint8_t Nul;
  uint8_t Spor;             // lane of the event in its cell
};
#pragma pack(pop)
static_assert(sizeof(SkeVisListe) == 17);

// The week bucket of an address, or null for a week outside 1..53.
TabVar *BegBucket(uint8_t aarIdx, uint8_t uge);
// Row r of the bucket, or null for row 0 or a row at or above its count.
SkeRec *BegRaekke(uint8_t aarIdx, uint8_t uge, uint32_t r);
// The first row of a stored event: a row in use whose Forste is its own
// number; null otherwise.
SkeRec *BegFoersteRaekke(uint8_t aarIdx, uint8_t uge, uint32_t forste);

// Empties the set, then fills it from the event's rows: its participants
// in row order, subject, remark lines, ring system, owner, day, lesson,
// times, standard lessons and address, its placement and kind. With medId
// the event's id too, else id stays 0 (the set is about to be written as a
// new event). An address that names no event leaves the set empty. Free
// rows inside the run are passed over.
void HentAVS(uint8_t aarIdx, uint8_t uge, uint32_t forste, AVS *avs, bool medId);
// HentAVS on the address of entry n (1..antal) of a list of visible events;
// the set is left empty for any other n.
void HentVisAVS(const SkeVisListe *liste, uint32_t antal, AVS *avs, uint32_t n, bool medId);
// The same over a schedule window's own list.
void HentVisAVS(const SkeStruct *ske, AVS *avs, uint32_t n, bool medId);

// The row's Status, read through the row dictionary's status field; 0 for a
// row outside the bucket.
uint32_t RaekkeStatus(uint8_t aarIdx, uint8_t uge, uint32_t r);

// The layout that gives the remark column its width in characters: the
// first field of layout 0 of window kind 48 for the remark table '-'.
constexpr uint32_t kBemSwitchArt = 48;
constexpr uint8_t kBemSwitchBogstav = '-';
// Size of the remark record's text field, its terminator included.
constexpr uint32_t kBemTekstStr = 55;

// Frees the set's remark lines and cuts the text into new ones, each as
// wide as the remark column: as many lines as the remark field's size (55)
// holds widths, at least two, every line width + 1 bytes. Whole pieces of the width fill the
// lines while more remains than a line holds; what is left then goes into
// the next line, and is dropped when no line is left. Without the layout,
// or with a width of 0, the set gets no lines.
void DelBemAVS(AVS *avs, const char *tekst);
