#pragma once
// The subject/room relation window (SkfaLokaRelWndClass) and the subject
// marks file ini\skph.ini. The window is the relation matrix with the
// subjects taught in the plan window's current plan group as rows, the rooms
// as columns and skfalokarel as the relation; it opens only beside the plan
// window. The marks file carries the SkygFaget mark of the skph records from
// one run to the next: applied after every load and import, written back at
// shutdown. Main thread only.

#include <cstdint>

#include "BESKEDER.h"
#include "RELMATRIX.h"
#include "TASTINFO.h"
#include "windows.h"


extern const RelArt SkfaLokaRelArt;

// The planning module tells the plan row of an activity in a plan group of
// the state its window answers to REL_PLAN_TILSTAND (0: none). Until it
// fills the slot no subject is taught in any plan group, so the window has
// no rows.
struct SkfaLokaRelKroge {
  uint32_t (*FindGrundAktiRow)(const void *planTilstand, uint32_t planGruppe, uint32_t akti);
};
extern SkfaLokaRelKroge SkfaLokaRelKrog;

// The window factory's row: without an open plan window the box
// "Planmodul ikke åbent!" and no window (0); otherwise the window at the
// desktop's (venstre, top), at the size it wants for the room up to
// (hoejre, bund), not yet shown. 0 also when it could not be made.
HWND CreateSkfaLokaRelWnd(HWND desktop, int venstre, int top, int hoejre, int bund);
LRESULT CALLBACK SkfaLokaRelWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The window's key command (mode 1 asks, KMD_UDFOER acts).
bool SkfaLokaRelTast(RelWS *ws, const TastInfo &t, int mode);
// The rows: the live subjects (status 10..29) that an skph record pairs
// with an activity having a row in the plan window's current plan group,
// sorted by the chosen sort field of 'U' and Skolefag. Empty without the
// plan window.
void ByggSkolefagListe(RelWS *ws);
// The toggle of the current cell: the pair "%ld;%ld" of the subject's and
// the room's keys added with the object-status letter 'L', or its record
// deleted; then [flag] exporterskfalokarel = "1".
bool SkiftSkfaLokaRel(RelWS *ws, int mode);

// "SkfaLokaRelWndClass" with a DC of its own and double clicks.
bool RegistrerSkfaLokaRelKlasse(HINSTANCE inst);
void AfregistrerSkfaLokaRelKlasse(HINSTANCE inst);

// ---- ini\skph.ini: lines "<activity key>,<subject key>,<misses>"

// After every load and import (BehandlData's slot): every mark cleared, then
// each listed pair that skph holds is marked and its count set to 0; a pair
// missing at seven loads in a row is dropped from the file. The file is
// rewritten whole through the crash-safe save.
void LoadSkphIni();
// At shutdown, after the message loop: the listed pairs whose mark was
// taken away are dropped, the pairs marked during the run are appended as
// "<activity id>,<subject id>,0". When this run's last LoadSkphIni could
// not read the file, its lines are kept as they are and only the marks set
// during the run are appended.
void SyncSkphIni();
// Whether the last LoadSkphIni read ini\skph.ini (or found none).
bool SkphIniLaest();
