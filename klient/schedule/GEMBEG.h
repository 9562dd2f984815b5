#pragma once
// Saving the event composed in the entry window: the checks in their fixed
// order (each with its own message and the step the window goes back to),
// then the new events or the edit of the marked events, and the notices to
// the rest of the program. Main thread only.

#include <cstdint>

#include "AKTICHK.h"
#include "AVS.h"
#include "DATO.h"
#include "BRIKIND.h"

// The caption of every refusal.
constexpr const char *kBegIkkeOK = "Begivenhed ikke OK";

// The first gate: an empty remark is dropped; a lesson event without a ring
// system, and an edit that changed nothing, are refused. 1 when refused
// (ud the step), else 0.
uint8_t KontrolRettelse(BrikIndStruct *b, uint8_t *ud);
// The minutes given to employees: 0 fine, 1 outside the activities' minute
// norms (while [global] checkminutnorm is on), 2 minutes on an ordinary
// event without an activity.
uint8_t KontrolMinutter(const AVS *avs);
// The minute bounds of the chosen activities: the largest lower and the
// smallest non-zero upper norm; both 0 without an activity.
void MinutGraenser(const AVS *avs, uint32_t *min, uint32_t *max);
// Saves for button 13 (Ok) or 14 (Anvend): 0 saved, or stopped by the first
// gate; 1 a later check failed, ud the step to go to. New events that
// collide with the schedule ask the edit's conflict question; Yes, or an
// event that cannot be written (said so, an edited one left as it was),
// gives 1 with ud the grid step.
uint8_t GemBegivenhed(BrikIndStruct *b, uint32_t knap, uint8_t *ud);
// The edit's checks after the time dialog, without writing: 0 when the
// change may stand, 1 when a check failed (ud the step) or the user gave up
// a change that collides.
uint8_t KontrolRettelseKonflikt(BrikIndStruct *b, uint8_t *ud);

// The whole-day special schedule asks the time-post hub for each employee's
// registrations of each marked day (one query a day). A reply record is one
// registration: first number its start (HHMM); sign '-' a registration not
// yet closed, '+' a closed one with the value its end (HHMM); magnitude its
// minutes. A day is left out, with its reason, when it has a registration
// not closed ("Der er en tidspost, som ikke er afsluttet."), when the
// closed registrations' minutes reach the daily norm ("Der er tidsposter,
// som opfylder en dagsnorm."), or when it has registrations and the
// employee also has schedule that day: ending after the last registration
// ("Der skema efter afsluttet tidsregistrering.") or not ("Der er skema på
// dagen."). Schedule on a day without registrations is the question that
// sends the user on to time marking.
enum : uint8_t {
  SAERLIG_PLACERES = 0,
  SAERLIG_SKEMA = 1,
  SAERLIG_SKEMA_EFTER = 2,
  SAERLIG_NORM = 3,
  SAERLIG_AABEN = 4,
  SAERLIG_KONFLIKT = 5,  // schedule on a day without registrations
};
// The state of one employee's day: the hub's records (unused records have
// no sign), the day's norm in minutes and the end (HHMM) of the employee's
// latest schedule that day, 0 without schedule.
uint8_t SaerligDagGrund(const TidspostRec *poster, unsigned antal, uint32_t normMinutter, uint32_t skemaSlut);
constexpr const char *kSaerligLogNavn = "SaerligSkemaIkkePlaceret.log";

// What the shell hands the save: the daily norm of an employment in minutes
// and the log viewer. Without a norm the workspace's times are the day.
struct GemBegKroge {
  int32_t (*DagsNorm)(uint32_t anfo, Dato dato) = nullptr;
  void (*VisLog)(const char *titel, const char *fil) = nullptr;
};
extern GemBegKroge GemBegKrog;

// The entry window's save (BrikIndKrog.Gem): 0 when the event was saved,
// else the step the window goes to.
uint8_t GemHook(BrikIndStruct *b, bool anvend);
