// Helpers the schedule, posting, import and master-data windows share:
// emptying and (partly) copying an event property set (AVS), emptying the
// remembered week, the weekday and lesson of a schedule column, the status
// code of an event or posting row with its text, and the error beep. Main
// thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AVS.h"

// Empties a set: frees every list and the remark lines with their array,
// then zeroes every count, id, the address and the day, lesson, times and
// hours, and sets the five one-character codes to blanks. Null does nothing.
void CleanupAVS(AVS *avs);

// Empties every set of the remembered week HuskUgeAVS, frees the array and
// sets it and HuskUgeAVSAntal to 0; nothing when there is no array. Called
// when a new week is remembered and at program end.
void CleanupAVSListe();

// Empties one part of a set, by its letter:
//   '-' the remark (bem_id and the remark lines)
//   'K' the activities
//   'L' the rooms with their room roles
//   'M' the employments with their roles, minutes, calculation values and
//       source codes
//   'R' the ring system
//   'S' the event id
//   'U' the subject
// A null set or any other letter ('F' included) does nothing.
void CleanupAVSDel(AVS *avs, char del);

// Empties the target, then copies the source into it deep: new lists of the
// source's counts, a new buffer for each remark line, and every scalar field
// with the five codes. A failed allocation stops the program with an
// assertion naming the list ("AVS->aktiTab != NULL" ...). The source and
// the target may not be the same set (nothing is done then); a null
// source leaves the target empty.
void KopierAVS(const AVS *fra, AVS *til);

// Empties one part of the target (letters as CleanupAVSDel), then copies
// that part from the source deep; 'F' copies the owner Ejer. Only the
// emptying for a null source; nothing for a letter outside '-'..'U'.
void KopierAVSDel(const AVS *fra, AVS *til, char del);

// The weekday 1..7 of schedule column kolonne (counted from 1) in column
// mode 'D' (one column per day), 'L' (one per lesson, the shown lessons of
// each day in turn) or 'T' (one per time slot likewise), by the display
// range of that mode in VisningsTilstand; 1 for another letter or a day
// outside 1..7. With an empty display range every column is the first day
// shown.
uint8_t KolonneUgedag(char visning, uint32_t kolonne);

// The lesson or time slot of column kolonne in mode 'L' or 'T'; vaerdi in
// mode 'D' and for another letter; 0 for column 0 and in an empty display
// range.
uint32_t KolonneLektion(char visning, uint32_t vaerdi, uint32_t kolonne);

// The status code of an event or posting row, from its status bits, its
// owner installation and the error code the central system stored:
// 80 a row of another installation (or any row in a SuperTavo
// installation); 91 deleted and sent, 90 deleted; without an error code
// 1 central, 3 sent, 2 local; an error code below 100 itself; else 0.
uint8_t PostStatusKode(uint32_t flag, uint8_t ejer, uint8_t fejlKode);

// One entry of a status text table; a table ends with code 0.
struct StatusKode {
  uint32_t Kode;
  const char *Tekst;
};
// The central system's event codes (letter 'F') and posting codes
// (letter 'B'); every text begins and ends with one blank.
extern const StatusKode StatusKodeTabF[];
extern const StatusKode StatusKodeTabB[];

// Copies the text of the first entry with that code into tekst (tekstStr
// bytes with the terminator, cut to fit); an empty text when the table has
// no such code, for a letter other than 'F' and 'B', or a null table.
// Returns tekst.
char *StatusKodeTekst(uint32_t kode, char *tekst, size_t tekstStr, char tabelBogstav);
char *StatusKodeTekst(uint32_t kode, char *tekst, size_t tekstStr, const StatusKode *tabel);

// The system's default beep.
void BipFejl();
