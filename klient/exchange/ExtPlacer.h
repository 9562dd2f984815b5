// Placing the lessons of an external timetable import as schedule events,
// and undoing the last import. Existing events of the objects the lessons
// name are removed or kept by the chosen method, lessons that describe one
// event together are merged, and every event is written into the week
// buckets it falls in with the imported status (own and imported, 576).
// Main thread only.
#pragma once

#include <cstdint>
#include <vector>

#include "AVS.h"
#include "DATO.h"
#include "UNTIS.h"
#include "windows.h"

// What a lesson was matched to: the objects found and the lesson as it is
// placed. One entry per lesson, parallel to the lessons (entry 0 unused).
struct TavoSkemaPost {
  uint32_t akti_id;   // activity found, 0 none
  uint32_t anfo_id;   // employment found, 0 none
  uint32_t loka_id;   // room found, 0 none
  uint32_t skph_id;   // subject on the activity found, 0 none
  uint32_t skfa_id;   // the subject of that skph record
  uint32_t risy_id;   // ring system the lesson is placed by
  uint32_t Dato;      // YYYYMMDD, 0 when the lesson gives a weekday only
  uint32_t Dag;       // weekday 1..7 (Tabulex: the running day number)
  uint32_t Lektion;   // lesson number in the ring system, 0 placed by time
  uint32_t Starttid;  // HHMM
  uint32_t Sluttid;   // HHMM
  uint32_t Uge;       // Lectio: the week of the lesson
  uint32_t LektionsId;
  uint32_t Reserve;
};
static_assert(sizeof(TavoSkemaPost) == 14 * sizeof(uint32_t));
using TavoSkemaListe = std::vector<TavoSkemaPost>;

// The status of an imported row: own (0x40) and imported (0x200).
constexpr uint32_t kImportStatus = 576;

// ---- The conflict table: one byte per lesson and period week, set where
// an event already lies where the lesson would go that week. Released by
// the run's entry on every way out.
void FrigivImportKonflikter();
// Whether the table marks lesson l in week index w; false for a lesson or a
// week outside the table (dates before or after the period included).
bool ImportKonflikt(uint32_t lektion, UgeIndeks uge);

// Removes the existing own unconfirmed events (and earlier imported ones)
// of the activities, employments and rooms the lessons name, in fra..til,
// and marks those objects. Only rows of an object marked by the lesson are
// removed; other objects' events stay.
void HuskImportObj(const ImportLektioner &lektioner, const TavoSkemaListe &match, Dato fra, Dato til);
// Whether the run marked the activity, employment or room record.
bool HuskAktiObj(uint32_t akti);
bool HuskAnfoObj(uint32_t anfo);
bool HuskLokaObj(uint32_t loka);

// For Untis with dates, Tabulex and Extern: looks for events of the
// lessons' objects at their times; with overwrite deletes this
// installation's ones, else (unless the run places double schedule) marks
// the lesson for that week in the conflict table. The source decides the
// weeks of a lesson: its own date (Untis with dates, Extern) or the weeks
// of its Tabulex cycle (TabulexAntalUger) in fra..til.
void LoesKonflikter(const ImportLektioner &lektioner, const TavoSkemaListe &match, Dato fra, Dato til,
                    bool overskriv);

// The lesson numbers 1..n in the order of a sort key: kind 1 day or date,
// lesson, times, subject, class, teacher; kind 2 the same numbers, subject,
// teacher, class; kind 3 the Lectio lesson id. Dates count for Untis with
// dates and Extern.
std::vector<uint32_t> SorterImportLektioner(const ImportLektioner &lektioner, const TavoSkemaListe &match, int art);

// One event description per lesson (entry 0 unused); an emptied one
// describes nothing. Stjerne holds the marks of '*' names: activity 1,
// employee 2, room 4.
struct ImportBeskrivelse {
  AVS avs;
  uint8_t Stjerne;
};
class ImportBeskrivelser {
 public:
  ImportBeskrivelser(const ImportLektioner &lektioner, const TavoSkemaListe &match);
  ~ImportBeskrivelser();
  ImportBeskrivelser(const ImportBeskrivelser &) = delete;
  ImportBeskrivelser &operator=(const ImportBeskrivelser &) = delete;
  ImportBeskrivelse &operator[](size_t i) { return b_[i]; }
  size_t size() const { return b_.size(); }

 private:
  std::vector<ImportBeskrivelse> b_;
};
bool BeskrivelseTom(const AVS &avs);

// Merges, in the order given, each lesson into the last one before it that
// agrees in subject, day, date, lesson and times and (kind 1) activity or
// (kind 2) employments: kind 1 adds its employments and rooms, kind 2 its
// activities and rooms, each once; the merged description is emptied.
// Kind 3 merges lessons of one Lectio lesson id, adding every participant.
void FletImportAVS(ImportBeskrivelser &besk, const ImportLektioner &lektioner, const TavoSkemaListe &match,
                   const std::vector<uint32_t> &orden, int art);

// Writes the event in every week from fra to til on its weekday: in the
// first week not before fra's weekday, in the last not after til's; an
// activity's event only on its school days within its period; an event
// without activity needs an employment or a room. The number of events
// written.
uint32_t PlacerUgevis(AVS *avs, Dato fra, Dato til);

// Placing by source. dobbelt: the double-schedule method (conflicts are then
// not looked at); ignorer: the Extern ignore method.
void PlacerUntis(const ImportLektioner &lektioner, const TavoSkemaListe &match, Dato fra, Dato til, uint32_t kilde,
                 bool dobbelt);
void PlacerTabulex(const ImportLektioner &lektioner, const TavoSkemaListe &match, Dato fra, Dato til,
                   uint32_t ugerICyklus, bool dobbelt);
void PlacerLectio(const ImportLektioner &lektioner, const TavoSkemaListe &match, Dato fra);
void PlacerExtSkema(const ImportLektioner &lektioner, const TavoSkemaListe &match, bool ignorer);

// Undoes the last import over [untis] fradato..tildato after asking: its
// rows are deleted, the other own rows there lose the deleted mark (0x08);
// then every window hears 1122.
void FortrydExtImport(HWND hovedvindue);
