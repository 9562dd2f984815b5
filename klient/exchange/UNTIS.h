// External timetable files: the readers that turn every line of a timetable
// written by Untis, Lectio, Tabulex or in the Extern layout into one imported
// lesson, the conversion files that rename the classes, rooms and subjects of
// an Untis timetable, and the checks for the files a run needs. All layouts
// share one line syntax: at most 511 characters of a line are read (the rest
// of a longer line is dropped), the line and each of its fields are trimmed
// of blanks, control characters and '"', and fields are separated by every
// ',' and every ';'. Main thread only: the Tabulex week count is program-wide.
#pragma once

#include <cstdint>
#include <vector>

// Text fields of a lesson: 49 characters and the terminator; longer columns
// are cut.
constexpr int kImportTekstLaengde = 50;

// One imported lesson.
struct ImportLektion {
  char Klasse[kImportTekstLaengde];  // class or activity name
  char Laerer[kImportTekstLaengde];  // the employee's code (initials)
  char Fag[kImportTekstLaengde];     // subject
  char Lokale[kImportTekstLaengde];  // room
  uint32_t Dato;                     // YYYYMMDD, 0 when the file gives weekdays only
  uint32_t Uge;                      // Lectio files
  uint32_t Dag;                      // weekday, Monday 1; Tabulex: the running day number
  uint32_t Lektion;                  // lesson number in the class's ring system
  uint32_t LektionsId;               // the Lectio lesson number
  uint32_t Starttid;                 // HHMM
  uint32_t Sluttid;                  // HHMM
  float Antal;                       // Extern files
};

// Lessons from index 1; entry 0 is an empty record and holds nothing. Each
// reader empties the array it is handed and starts it anew.
using ImportLektioner = std::vector<ImportLektion>;

// The lessons of the run: Untis and Tabulex timetables, and Lectio, Extern
// and Untis-with-dates timetables.
extern ImportLektioner UntisSkema;
extern ImportLektioner ExtSkema;

// The import method of a run, the source code.
enum : uint32_t {
  KILDE_UNTIS = 0,       // Untis by week or by a date interval
  KILDE_UNTIS_DATO = 1,  // Untis by the dates in the file
  KILDE_TABULEX = 2,
  KILDE_LECTIO = 3,
  KILDE_EXTERN = 4,
};

// What the import dialogs were told, handed to them at creation.
struct ExtImportIndstillinger {
  char Mappe[260];    // folder of the timetable and conversion files
  char FilNavn[260];  // the timetable file of Extern and Untis with dates
  uint32_t fradato;   // YYYYMMDD
  uint32_t tildato;   // YYYYMMDD
  uint32_t ugenr;     // YYYYWW
  uint32_t Kilde;     // KILDE_*
  uint32_t Ugevis;    // 1 for Untis by week
};

// The number of weeks the day numbers of the last Tabulex file read cover
// (its largest day number divided by 5, rounded up); at least 1.
extern uint32_t TabulexAntalUger;

// The readers: the number of lessons read, 0 when the file cannot be opened.
// <mappe>\skema<uge>.txt for a week of the year (no leading zero), else
// <mappe>\skema.txt.
uint32_t LaesUntisSkema(const char *mappe, ImportLektioner &lektioner, uint32_t uge);
// <Mappe>\<FilNavn>: teacher, year, month, day, lesson, subject, class, room.
uint32_t LaesUntisDatoSkema(const ExtImportIndstillinger &ind, ImportLektioner &lektioner);
// <mappe>\skema.csv; sets TabulexAntalUger from this file's day numbers.
uint32_t LaesTabulexSkema(const char *mappe, ImportLektioner &lektioner);
// <mappe>\skema.txt.
uint32_t LaesLectioSkema(const char *mappe, ImportLektioner &lektioner);
// <Mappe>\<FilNavn>.
uint32_t LaesExtSkema(const ExtImportIndstillinger &ind, ImportLektioner &lektioner);

// One line of a timetable file of the source (KILDE_*) as its reader takes
// it: false when the line makes no lesson (a comment line of the Extern and
// Untis-with-dates files, a '[' line of the Tabulex file), else the lesson,
// zeroed first. Only the first 511 characters of the line count.
bool FortolkSkemaLinje(const char *linje, uint32_t kilde, ImportLektion &lektion);

// The leading whole number of a text as "%d" reads it (blanks, a sign and
// digits), held within 32 bits; 0 when the text does not begin with one.
// Number columns and the numbers typed into the import dialogs.
int32_t ImportHelTal(const char *tekst);

// The conversion files <mappe>\klasser.txt, lokaler.txt and fag.txt: each
// line "old;new" renames, in lessons 1..antal, every Klasse, Lokale or Fag
// equal to the old name (whole text, same case); lines apply one after
// another, so a later one sees what an earlier one gave. A line without both
// names does nothing; a missing file changes nothing. Always true.
bool LaesKlasserTxt(const char *mappe, ImportLektioner &lektioner, uint32_t antal);
bool LaesLokalerTxt(const char *mappe, ImportLektioner &lektioner, uint32_t antal);
bool LaesFagTxt(const char *mappe, ImportLektioner &lektioner, uint32_t antal);

// Whether klasser.txt, fag.txt and lokaler.txt all exist in the folder.
bool FindKonvFiler(const char *mappe);
// Whether the source's timetable file exists in the chosen folder: Untis
// skema<uge>.txt (uge the week of the year, 0 for skema.txt), Lectio
// skema.txt, Tabulex skema.csv, Extern and Untis with dates <FilNavn>.
bool FindSkemaFil(const ExtImportIndstillinger &ind, uint32_t uge);
