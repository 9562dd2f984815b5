// The sections of the import file that carry schedule events: "skemabeg"
// (the installation's schedule as the server holds it), "extprogske"
// (events of an outside scheduling program), "forandringske" (events other
// installations changed or deleted) and "andretskema" (changed events that
// are also reported in log\AndretSkema.log). Each line describes a part of
// an event into the import's own property set LkAVS; the T and + lines
// write it through AddBegivenhed. Main thread only.
#pragma once

#include <cstdint>
#include <cstdio>

#include "AVS.h"
#include "DATO.h"
#include "TABREG.h"

// The event the section lines describe.
extern AVS LkAVS;
// Set when an "andretskema" section was read: changed events arrived. The
// schedule's window of changed events reads it.
extern int AendredeBegivenhederModtaget;

// Longest item of an event line; a longer one is cut.
constexpr size_t kSkemaFeltLaengde = 511;
// Longest report kept in log\AndretSkema.log behind the new one.
constexpr long kAndretSkemaGraense = 1024000;

// One time list of a T or + line: "id,start,end,lesson,standard
// lessons,update time,changed by,changed at". Missing parts stay 0 or "".
struct TidsFelter {
  uint32_t id;
  Klokkeslaet Starttid;
  Klokkeslaet Sluttid;
  uint8_t Lektion;
  float Antal_std_lektioner;
  double opdtid;
  char AEndret_af[19];  // at most 18 characters are read
  double AEndret_tid;
};
// Reads the first antalDele parts (at most 8) of the list.
void LaesTidsfelter(const char *tekst, TidsFelter *t, int antalDele = 8);

// A room item "room key,room-role key": the room (or the reserved room when
// the key names none) is appended to the set, with the role when it is
// found (else 0).
void LaesLokaleFelt(const char *tekst, AVS *avs);
// An employment item "employment key,schedule-role key,minutes": the
// employment (or the reserved one) is appended with its role (0 when
// unknown) and minutes (-1 when empty); calculation value and source 0.
void LaesMedarbejderFelt(const char *tekst, AVS *avs);

// A ','-separated list read by mode: 0 a character and three integers,
// 1 three integers, 2 two integers; surplus parts are ignored, missing
// ones leave 0. tal holds three entries. The number of parts read.
int LaesKommaFelter(const char *tekst, int mode, char *tegn, int32_t tal[3]);

// The record of a key text in the table's key type, 0 when none has it
// (or the text is empty).
uint32_t FindNoegle(const TabDesc &td, TabVar &tv, const char *noegle);

// While one lives, FindNoegle remembers its answer for each table and key
// text: the readers of the event and posting sections look up the same few
// thousand keys millions of times and change no key of those tables. A
// table that grows, shrinks, is re-sorted or moves forgets what was
// remembered of it. Nested ones share the outermost; one thread only.
class NoegleHukommelse {
 public:
  NoegleHukommelse();
  ~NoegleHukommelse();
  NoegleHukommelse(const NoegleHukommelse &) = delete;
  NoegleHukommelse &operator=(const NoegleHukommelse &) = delete;

 private:
  bool ejer_ = false;
};
// The same, else the table's reserved record "999999999" (made with the
// reserved records when missing).
uint32_t FindEllerReserveret(const TabDesc &td, TabVar &tv, const char *noegle);

// True when one of the set's activities, rooms or employments is a record
// with status 10.
bool HarAktivDeltager(const AVS *avs);

// The section readers: linje holds the header and IMPORT_LINJE_LEN + 1
// bytes. The buffer at the next header, null at the end of the file, or
// (skemabeg only) the buffer holding "!FEJL" when an event could not be
// written, which stops the import as broken.
char *ImporterSkemabeg(FILE *fil, char *linje);
char *ImporterExtprogske(FILE *fil, char *linje);
char *ImporterForandringske(FILE *fil, char *linje);
char *ImporterAndretSkema(FILE *fil, char *linje);
