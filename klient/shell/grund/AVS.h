#pragma once
// The property set of one schedule event (AVS): its participants, subject,
// remark lines, ring system, placement and kind, and the address of the
// stored event it was read from. The set owns every list and every remark
// line; an empty list is null with count 0. Emptying and copying a set
// (CleanupAVS, CleanupAVSDel, KopierAVS, KopierAVSDel, CleanupAVSListe)
// are the window framework's, in klient/ui/AVSHJAELP.h.

#include <cstdint>

#pragma pack(push, 1)
struct AVS {
  uint32_t *aktiTab;      // activities
  uint32_t *anfoTab;      // employments
  uint32_t *skemarolTab;  // schedule role of each employment (parallel to anfoTab)
  float *beregnTab;       // calculation value of each employment (parallel)
  uint8_t *hvorfraTab;    // source code of each employment (parallel)
  float *minutTab;        // minutes of each employment (parallel)
  uint32_t *lokaTab;      // rooms
  uint32_t *lokrolleTab;  // room role of each room (parallel to lokaTab)
  uint32_t aktiAntal;
  uint32_t anfoAntal;     // entries of anfoTab and of its five parallel lists
  uint32_t lokaAntal;     // entries of lokaTab and lokrolleTab
  uint32_t skfa_id;       // subject
  uint32_t bem_id;        // remark
  char **bemTab;          // the remark cut into display lines
  uint32_t bemAntal;
  uint32_t risy_id;       // ring system
  uint8_t Ejer;           // owner installation byte
  char Placering;         // 'L' by lesson, 'T' by start and end time, 'D' whole day
  char Kode2;             // the two further codes, blank when empty
  char Kode3;
  char Art;               // kind: 'S' ordinary, 'P' special; 'F' 'H' 'Y' 'A' 'O' for a new event
  char Kode5;             // a further code, blank when empty
  uint8_t Nul;            // 0 when empty
  uint32_t id;            // event number, 0 for an event not yet stored
  uint32_t Forste;        // first row of the stored event, 0 for a new one
  uint8_t AarIndeks;      // year index of the stored event
  uint8_t Uge;            // ISO week of the stored event
  uint8_t Dag;            // weekday 1..7
  uint32_t Ord;           // not set from rows
  uint8_t Lektion;
  uint32_t Starttid;      // HHMM
  uint32_t Sluttid;       // HHMM
  float Antal_std_lektioner;
};
#pragma pack(pop)

// The events of a copied week, kept for pasting a week, and their count.
// CleanupAVSListe empties and frees them.
inline AVS *HuskUgeAVS = nullptr;
inline uint32_t HuskUgeAVSAntal = 0;
