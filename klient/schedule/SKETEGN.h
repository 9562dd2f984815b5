// Painting the schedule grid: the colour code and glyph code of every cell,
// the texts of the row and column headers and the floating time label.
// The codes are worked out here and handed to a SkemaMaler; only that
// painter turns them into pixels, so the codes of a cell can be read
// without drawing. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "SKEMA.h"
#include "SKEVIS.h"
#include "SWITCH.h"
#include "windows.h"

// Grid geometry in pixels.
constexpr uint32_t kLektionBredde = 12;   // a lesson column, and per lesson of a day column
constexpr uint32_t kSlotBredde = 3;       // a 5-minute slot column
constexpr uint32_t kRaekkeHoejde = 15;    // a grid row, as the frame's object axis steps
constexpr uint32_t kLektionHovedEkstra = 15;

// Colour codes the painter gives of its own.
enum : uint8_t {
  FARVE_BLOKERET = 3,      // a chosen cell of the block table
  FARVE_HELLIGDAG = 6,
  FARVE_ELEVSAMMENFALD = 33,
  FARVE_BLOK_FRI = 58,     // a day colour that a blocked cell overrides
};

// What the cell and header painters hand on. The window's painter draws
// with the tile font and the palette brushes; a test records the calls.
class SkemaMaler {
 public:
  virtual ~SkemaMaler() = default;
  // One lesson or slot cell: background colour code, glyph code (0: none)
  // and the entry of the event it shows (0: none).
  virtual void Celle(int x, int y, int bredde, uint8_t farve, uint8_t tegn, uint32_t indgang) = 0;
  // A day-mode strip of antal segments, each segBredde wide.
  virtual void Strimmel(int x, int y, int segBredde, uint8_t farve, const uint8_t *tegn, uint32_t antal,
                        uint32_t indgang) = 0;
  // A text centred in (x, bredde) or, with bredde 0, starting at x.
  virtual void Tekst(int x, int y, int bredde, const char *tekst, uint8_t farve) = 0;
  // A vertical grid line; art 0 a slot, 1 quarter, 2 half hour, 3 hour, 4 a day.
  virtual void Linie(int x, int y, int hoejde, uint8_t art) = 0;
  // One cell of the tile grid, bredde x hoejde: background colour code,
  // and of the event it shows (indgang 0: none) the tile line it carries
  // (0 the first) and whether the cell begins or ends the tile. A painter
  // without tiles sees it as a cell without a glyph.
  virtual void Brik(int x, int y, int bredde, int hoejde, uint8_t farve, uint32_t indgang, uint32_t linje,
                    bool start, bool slut) {
    (void)hoejde, (void)linje, (void)start, (void)slut;
    Celle(x, y, bredde, farve, 0, indgang);
  }
};

// The painter that draws on a pane's DC.
class EnsDCMaler : public SkemaMaler {
 public:
  // A tile painter needs the window for its events' rows and its tile layout.
  explicit EnsDCMaler(EnsDC *dc, const SkeStruct *ske = nullptr) : dc_(dc), ske_(ske) {}
  void Celle(int x, int y, int bredde, uint8_t farve, uint8_t tegn, uint32_t indgang) override;
  void Strimmel(int x, int y, int segBredde, uint8_t farve, const uint8_t *tegn, uint32_t antal,
                uint32_t indgang) override;
  void Tekst(int x, int y, int bredde, const char *tekst, uint8_t farve) override;
  void Linie(int x, int y, int hoejde, uint8_t art) override;
  void Brik(int x, int y, int bredde, int hoejde, uint8_t farve, uint32_t indgang, uint32_t linje, bool start,
            bool slut) override;

 private:
  EnsDC *dc_;
  const SkeStruct *ske_;
};

// ---- Cells and columns.
// Cells of a day: 48 in 'D' and 'L', 288 in 'T'; seven times as many over
// the whole week.
uint32_t CellerPrDag(char visning, bool helUge = false);
// Columns of one shown day (1 in day mode).
uint32_t KolonnerPrDag(const SkeStruct *ske);
// Index of (grid row, weekday, cell) in a per-cell table of the window:
// row x cells per week - 1 + (weekday - 1) x cells per day + cell, from the
// row clamped to at least 1, the weekday to 1..7 and the cell to the day.
uint32_t CelleIndeks(const SkeStruct *ske, uint32_t raekke, uint8_t ugedag, uint32_t celle);
// First column of a shown weekday (0 for a day not shown).
uint32_t KolonneStart(const SkeStruct *ske, uint8_t ugedag);
// The weekday and cell of a column (1-based); false outside the columns.
bool KolonneCelle(const SkeStruct *ske, uint32_t kolonne, uint8_t *ugedag, uint32_t *celle);
// The grid row showing an object: the last match, 0 when none.
uint32_t FindObjRaekke(const SkeStruct *ske, uint32_t objekt);
// The object shown at a grid row.
uint32_t GetSkeObjNo(const SkeStruct *ske, uint32_t raekke);
// The period week of a row key.
UgeIndeks CelleUge(const SkeStruct *ske, uint32_t noegle);
// The time-mode column axis: day x 1000 + slot for every column into akse
// (plads entries, index 0 unused); the column count.
uint32_t TidsAkse(const SkeStruct *ske, uint32_t *akse, uint32_t plads);
// Column width and columns per day for the window's mode, a grid row per object.
void SkemaAkseOpsaet(SkeStruct *ske);
// Width of the row-header area, and its split into the object part and
// (time mode) the time part.
uint32_t HovedBredde(const SkeStruct *ske);
void SaetHovedBredde(SkeStruct *ske);

// ---- Codes.
// The colour code of a cell (row key, entry of its event or 0, weekday,
// cell), without the cursor offset.
uint8_t CelleFarve(const SkeStruct *ske, uint32_t noegle, uint32_t indgang, uint8_t ugedag, uint32_t celle);
// The cursor's offset for the current cell: 1, or 2 when the window is not
// the active one.
uint8_t MarkoerTillaeg(const SkeStruct *ske);
// The event a cell shows, and its glyph code: time mode for slot, lesson
// mode for a lesson. tab holds the antal events of the cell's chain; lag
// is the grid row's layer; *indgang gets the event's entry (0 none).
uint8_t TidTegnKode(const SkeStruct *ske, const Begivenhed *tab, uint32_t antal, uint32_t lag, uint32_t slot,
                    uint32_t *indgang);
uint8_t LektionTegnKode(const SkeStruct *ske, const Begivenhed *tab, uint32_t antal, uint32_t lag,
                        uint32_t celle, uint32_t *indgang);
// Day mode: the segments of the day (1-based, as many as the day-mode
// range holds: the window's own in day mode) with their start and end
// times HHMM. False on no segments.
struct DagSegmenter {
  uint32_t Antal = 0;
  Klokkeslaet Start[kLektionerPrDag + 1] = {};
  Klokkeslaet Slut[kLektionerPrDag + 1] = {};
};
bool DelDagen(const SkeStruct *ske, DagSegmenter *seg);
// The strip of a day cell into tegn (seg.Antal + 1 bytes, 1-based) and the
// entry of the event that colours it (0 none).
void DagStrimmel(const SkeStruct *ske, const Begivenhed *tab, uint32_t antal, uint32_t lag,
                 const DagSegmenter &seg, uint8_t *tegn, uint32_t *farveIndgang);

// ---- Painters.
// The cells of the rows fra..til and columns fra..til of the window's
// object axis, by mode.
void TegnCeller(SkeStruct *ske, SkemaMaler *m, uint32_t raekkeFra, uint32_t raekkeTil, uint32_t kolFra,
                uint32_t kolTil);
void TegnDagCeller(SkeStruct *ske, SkemaMaler *m, uint32_t raekkeFra, uint32_t raekkeTil, uint32_t kolFra,
                   uint32_t kolTil);
void TegnTidCeller(SkeStruct *ske, SkemaMaler *m, uint32_t raekkeFra, uint32_t raekkeTil, uint32_t kolFra,
                   uint32_t kolTil);
void TegnLektionCeller(SkeStruct *ske, SkemaMaler *m, uint32_t raekkeFra, uint32_t raekkeTil, uint32_t kolFra,
                       uint32_t kolTil);
// One cell without events.
void TegnTomCelle(SkeStruct *ske, SkemaMaler *m, int x, int y, int bredde, uint32_t noegle, uint8_t ugedag,
                  uint32_t celle, bool aktuel);
// The name of a public holiday, centred in the cell, with markerhellig on.
void TegnHelligdag(const SkeStruct *ske, SkemaMaler *m, uint8_t ugedag, uint32_t noegle, int x, int y, int bredde);
// Orientation 'L', the tile grid: the objects (or weeks) as columns and
// the time running down, a row per lesson or slot (per day in day mode).
// A cell an event covers carries one line of its tile: the event's first
// row of the tile layout's table at its first cell, the next row below.
// Day mode lists the first rows of the day's events, a line each.
void TegnLodretCeller(SkeStruct *ske, SkemaMaler *m, uint32_t objFra, uint32_t objTil, uint32_t tidFra,
                      uint32_t tidTil);
// The tile grid's geometry: a row of the time axis, the width of an object
// column (the wider of the object's header with the lesson part and the
// tile layout, and a line), the time labels' pane and the header band.
constexpr uint32_t kLodretTrin = 11;
constexpr uint32_t kLodretTidBredde = 36;
constexpr uint32_t kLodretHovedHoejde = kRaekkeHoejde + 2;
uint32_t LodretKolonneBredde(const SkeStruct *ske);
uint32_t LodretRaekkeHoejde(const SkeStruct *ske);

// ---- Headers.
// The column headers of columns fra..til (lesson and day mode): the
// weekday, the lesson and its times.
void TegnKolonneHoved(SkeStruct *ske, SkemaMaler *m, uint32_t fra, uint32_t til);
// The time headers: per shown day its name, the hour labels and the label
// of the current cell, then the grid lines.
void TegnTidsHoved(SkeStruct *ske, SkemaMaler *m, uint32_t fra, uint32_t til);
// The row headers of rows fra..til on the window's row-header DC.
void TegnRaekkeHoved(SkeStruct *ske, uint32_t fra, uint32_t til);
// The text of the current cell's time span (the block's while a block is
// being marked), and where it goes: next to the current column, inside the
// area of the given width. False when the window has no current cell.
bool TidsEtiketTekst(const SkeStruct *ske, char *tekst, size_t str);
bool TegnTidsEtiket(SkeStruct *ske, SkemaMaler *m, int arealBredde);

// The header text callback of an object row: the record's fields and the
// computed ones of the schedule.
struct SkemaRaekkeArg {
  SkeStruct *ske;
  uint32_t raekke;   // row of the object axis
};
uint32_t SkemaRaekkeTekst(void *arg, const SwitchFelt *sf, uint32_t i, char *tekst, uint8_t *pMoenster,
                          uint8_t *pFarve);

// ---- Repaints. Flag words of the entry points.
enum : uint32_t {
  SKE_TEGN_ALT = 1,
  SKE_TEGN_MARKOER = 2,     // the old and the new current column (time mode: 2 or 4)
  SKE_TEGN_RAEKKE = 4,      // the old and the new current row (row headers); time mode columns
  SKE_TEGN_GENBYG = 8,
  SKE_TEGN_RULLET = 16,
  SKE_TEGN_KOLONNE = 64,
};
// Each repaints all of its part for SKE_TEGN_ALT or SKE_TEGN_GENBYG (row
// headers and cells also SKE_TEGN_RULLET), else only the current column or
// row at the last refresh (ForrigeTidPos, ForrigeObjPos) and the new one
// for its cursor bits; other flags repaint nothing.
void OpdaterHoveder(SkeStruct *ske, SkemaMaler *m, uint32_t flag);
void OpdaterRaekkeHoveder(SkeStruct *ske, uint32_t flag);
void OpdaterCeller(SkeStruct *ske, SkemaMaler *m, uint32_t flag, int arealBredde);
void OpdaterHjoerne(SkeStruct *ske);
// The tile grid's: its cells; the object headers across the top on the
// column-header DC; the time labels down the side (the weekday at a day's
// first row, the lesson number or the hour); the corner shows the current
// cell's weekday. Each paints all of its part.
void OpdaterLodretCeller(SkeStruct *ske, SkemaMaler *m, uint32_t flag);
void OpdaterLodretHoveder(SkeStruct *ske, uint32_t flag);
void OpdaterLodretRaekker(SkeStruct *ske, SkemaMaler *m, uint32_t flag);
void OpdaterLodretHjoerne(SkeStruct *ske, SkemaMaler *m);

// Hands the find marking of embedded windows the cell colour.
void RegistrerSkemaTegning();
