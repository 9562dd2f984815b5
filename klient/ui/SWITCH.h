#pragma once
// Field switches: the column layouts of the list windows (116 window kinds)
// and of the schedule tiles (8 tile kinds), read once from the data folder's
// ini\TavoSwt.ini and ini\LokalSwt.ini, with the user's choices kept in
// ini\ValgtSwt.ini. Lines that would make a painter read outside a record
// or the data dictionary are refused at load. Main thread only.

#include <cstddef>
#include <cstdint>
#include <cstdio>

constexpr uint32_t kObjSwitchArter = 116;  // window kinds 0..115
constexpr uint32_t kBrkSwitchArter = 8;    // tile kinds 0..7
// A cell's text: 254 characters and the terminator; Tegn never exceeds it.
constexpr uint32_t kSwitchTekstLen = 255;
constexpr uint32_t kSwitchMaksTegn = kSwitchTekstLen - 1;
// A line of the layout files holds at most this many characters.
constexpr uint32_t kSwitchLinjeLen = 253;
constexpr uint32_t kSwitchKolonner = 14;

#pragma pack(push, 1)
struct SwitchFelt {
  uint32_t StregVenstre;  // pixels of the 1-pixel-line area at the left
  uint32_t LuftVenstre;   // pixels of air before the text
  uint32_t FeltNr;        // field of the table's descriptor; 200 and up computed
  uint32_t DelOffset;     // byte offset into the field
  uint32_t Kolonne7;      // file column 7, kept
  uint32_t Tegn;          // width in characters
  uint32_t Ekstra;        // extra pixels
  uint32_t StregHoejre;   // pixels of the right line
  uint8_t FeltType;       // letter, e.g. 'S', 'I'
  uint32_t Vaerdi;        // handed to the computed fields as their flag byte
  SwitchFelt *Naeste;
};

struct SwitchLayout {
  uint8_t Bogstav;        // table letter
  uint32_t SwitchNr;
  uint32_t Valgt;         // 1: the chosen layout of its kind and letter
  uint32_t SortFelt;      // switch 0 only: the sort field of the kind and letter
  SwitchFelt *FoersteFelt;
  SwitchLayout *Naeste;
};
#pragma pack(pop)

extern SwitchLayout *ObjSwitchTab[kObjSwitchArter];
extern SwitchLayout *BrkSwitchTab[kBrkSwitchArter];

// Start-up: frees any layouts read before, reads ini\TavoSwt.ini and then
// ini\LokalSwt.ini of the data folder (StiTab.szdata), moves an old
// ini\Lokal.ini to ini\ValgtSwt.ini when that does not exist, and reads
// ini\ValgtSwt.ini. Reads [vinduer] medopg and [flag] normsystem from
// GlobalIndstillinger. A refused line is logged "** Fejl: LaesSwitchIni(): "
// with the file, the line number and the reason, and the rest is read.
void LaesSwitchIni();
// Exit: writes the choices to ini\ValgtSwt.ini whole through the
// crash-safe save. False when the file could not be written (the
// old one is then left as it was); nothing is shown to the user.
bool GemValgtSwt();
// Frees every layout (the tables are empty afterwards).
void FrigivSwitchTab();

// Width of one field: StregVenstre + LuftVenstre + Tegn x 8 + Ekstra +
// StregHoejre (unsigned arithmetic, as the columns are).
uint32_t SwitchFeltBredde(const SwitchFelt *f);

// ---- Queries on ObjSwitchTab; a kind above 115 or a missing layout gives
// 0 or null without touching the tables.
SwitchLayout *ObjSwitchLayout(uint32_t art, uint8_t bogstav, uint32_t nr);
const SwitchFelt *ObjSwitchFelt(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i);
uint32_t ObjSwitchFeltNr(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i);
// Index of the first field with that number; 0 also when there is none (a
// caller that must tell them apart compares ObjSwitchFeltNr at the index).
uint32_t ObjSwitchFeltIndex(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t feltNr);
uint32_t ObjSwitchFeltAntal(uint32_t art, uint8_t bogstav, uint32_t nr);
uint32_t ObjSwitchBredde(uint32_t art, uint8_t bogstav, uint32_t nr);
uint32_t ObjSwitchFeltBredde(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i);
uint32_t ObjSwitchFeltTegn(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i);
// Sum of the widths before field i; 0 when i is past the last field.
uint32_t ObjSwitchFeltStart(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t i);
// Sum over fields 0..n-2 of width + gap; 0 when n < 2. Fields that do not
// exist (and every field of a kind above 115) count their gap only.
uint32_t ObjSwitchStartMedMellemrum(uint32_t art, uint8_t bogstav, uint32_t nr, uint32_t mellemrum,
                                    uint32_t n);
// FeltNr of the field whose span, shifted left by the scroll offset,
// strictly contains x; 0 when none.
uint32_t ObjSwitchFeltVedX(uint32_t art, uint8_t bogstav, uint32_t nr, int32_t scroll, int32_t x);
// The first field's type is 'I'; false for a missing layout or one without
// fields.
bool ObjSwitchFoersteFeltErI(uint32_t art, uint8_t bogstav, uint32_t nr);

// Per kind and letter.
uint32_t ObjSwitchAntal(uint32_t art, uint8_t bogstav);
uint32_t ObjSwitchValgt(uint32_t art, uint8_t bogstav);
// Valgt 1 on switch nr, 0 on the letter's other layouts.
void ObjSwitchVaelg(uint32_t art, uint8_t bogstav, uint32_t nr);
// Stores the sort field on the switch-0 layout of the kind and letter.
void ObjSwitchSaetSortFelt(uint32_t art, uint8_t bogstav, uint32_t felt);

// ---- Queries on BrkSwitchTab (tile kinds 0..7).
SwitchLayout *BrkSwitchLayout(uint32_t art, uint8_t bogstav, uint32_t nr);
uint32_t BrkSwitchValgt(uint32_t art, uint8_t bogstav);
void BrkSwitchVaelg(uint32_t art, uint8_t bogstav, uint32_t nr);
// Layout width; tile kind 7 counts 3 pixels a character instead of 8, and
// kinds 0, 1 and 2 add 14 pixels.
uint32_t BrkSwitchBredde(uint32_t art, uint8_t bogstav, uint32_t nr);
// Pixels a character takes on the tiles of a kind (3 for kind 7, else 8).
uint32_t BrkTegnBredde(uint32_t art);

namespace switch_intern {
// The readers behind LaesSwitchIni, on an open stream; `navn` names the file
// in the log lines. *sektion carries the section in force from one layout
// file to the next (0 before the first header).
void LaesLayoutFil(FILE *f, const char *navn, int *sektion);
void LaesValgtFil(FILE *f);
}  // namespace switch_intern
