// A data folder of a made-up Danish vocational school, written through the
// data store's own record tables, writers and side files: for tests, the
// demo and the store benchmark. The same size and seed give the same folder
// byte for byte.
#pragma once

#include <cstdint>
#include <string>

struct SkoleStoerrelse {
  uint32_t Aktiviteter;
  uint32_t Medarbejdere;
  uint32_t Lokaler;
  uint32_t Fag;
  uint32_t Skemaraekker;   // event rows in the week buckets
  uint32_t Timeposter;     // postings in the month buckets
  // Student enrolment: the groups, and the largest group's students,
  // learning activities and slots; the other groups are smaller by steps.
  uint32_t Tilmeldingsgrupper;
  uint32_t Elever;         // students of the largest group
  uint32_t LaeringsAkt;    // learning activities of the largest group
  uint32_t Slots;          // slots of every group
  uint32_t OenskerPrElev;  // wishes of each student, half of priority 1
  // Students placed on the activities' teams and subjects (pers, akpl,
  // epsh): each team's students as its start and end counts say.
  bool Holdelever;
};

// "small", "medium" or "large"; false for any other name.
bool SkoleStoerrelseFraNavn(const char *navn, SkoleStoerrelse *st);

// The schedule period every made school uses, and its installation number.
constexpr uint32_t SKOLE_FRADATO = 20260801;
constexpr uint32_t SKOLE_TILDATO = 20270731;
constexpr uint32_t SKOLE_LAASDATO = 20260801;
constexpr uint8_t SKOLE_INSNR = 1;
// Absence activities (Type "OVAK") made besides the size's activities, with
// postings of their own besides the size's postings.
constexpr uint32_t SKOLE_FRAVAERSAKTIVITETER = 4;

// Makes mappe/data, mappe/ini and mappe/log and fills them. The folder's
// tables, buckets and settings stay loaded in the process afterwards.
// 0, or -1 with the reason in *fejl.
int LavSkoleData(const char *mappe, const SkoleStoerrelse &st, uint64_t seed, std::string *fejl);

// Besides the school, ini\ep_imp_test.dat: the Elevplan test file that the
// student planning imports on an installation without enrolment groups,
// three test groups (ids 1-3; group 1 counts in lessons, 2 and 3 in weeks)
// with slots, learning activities and their placements, students with
// their enrolments and wishes, and a blocked slot each; the same in every
// folder.
//
// The live records of the eight enrolment tables as they stand, as the
// table sections of an Elevplan answer (references by id, fields in each
// table's import order): what a HentAlt answer brings for the school.
std::string EpSvarAfTabeller();

// Points the data store at a data folder (given as a Linux path) and sets
// the schedule period of the made schools; used before loading one back.
bool SaetSkoleMappe(const char *mappe);
