#pragma once
// The window classes the start-up registers, as one table in the order the
// program registers them. A row whose window kind is not built yet has no
// procedure and is skipped; the issue that builds the kind fills its row.

#include "windows.h"

// The background of a class: a system colour + 1, or the brush of colour
// index 0 of the program's colour set.
constexpr int kFarve0Baggrund = -1;

struct VinduesKlasse {
  const char *Navn;
  WNDPROC Proc;            // null: the kind is not built yet
  UINT Stil;               // CS_OWNDC | CS_DBLCLKS, CS_OWNDC, or CS_DBLCLKS
  int Baggrund;            // COLOR_xxx + 1, or kFarve0Baggrund
  int Markoer;             // cursor resource of the program
  const char *Ikon;        // icon resource, or null
  const char *Menu;        // menu resource, or null
  // A framework part that registers its classes itself (it may register
  // several at once), in place of the row's procedure and attributes; true
  // when the row's class exists afterwards.
  bool (*Registrer)(HINSTANCE inst, const char *klasse);
};

extern const VinduesKlasse VinduesKlasser[];
extern const int VinduesKlasseAntal;

// Class with CS_OWNDC | CS_DBLCLKS, no icon, the program's cursor resource.
ATOM RegisterWndClass(WNDPROC proc, HBRUSH baggrund, int markoer, const char *navn);
// Class with CS_OWNDC and the program's cursor 104.
ATOM RegisterWndClassOwnDC(WNDPROC proc, HBRUSH baggrund, const char *navn);

// Registers every row that has a procedure or a registration, in order.
// False (after logging it) when a class that should be registered was not.
bool RegistrerVinduesKlasser();
// Unregisters what RegistrerVinduesKlasser registered.
void AfregistrerVinduesKlasser();
// Whether the row's class was registered by this run.
bool KlasseRegistreret(const char *navn);
