#pragma once
// The plan follow-up's figures of one employment over a period: its plan-list
// entries split at a per dato, the lines of entries with the same activity,
// subject and kind, and the totals over the lines. The follow-up report
// prints them and the staff figures of the plan take their weekly totals
// from the same rules, so both always agree.

#include <cstdint>
#include <vector>

#include "DATO.h"

struct PlanTabPost;

// One entry of the plan list as the follow-up reads it.
struct PlanOpfPost {
  uint32_t Nr;  // the entry's number in the plan list
  uint32_t akti;
  uint32_t skfa;
  uint8_t Art;  // 'U', 'A', 'R', 'E'
  UgeIndeks UgeIdx;
  uint8_t Ugedag;
  double Plan;    // planned value in the mode
  double Aktuel;  // actual (held) value in the mode
  bool FoerDato;  // held up to the per dato (its weekday included)
};

// Consecutive entries with the same activity, subject and kind.
struct PlanOpfLinje {
  uint32_t akti;
  uint32_t skfa;
  uint8_t Art;
  uint32_t Foerste;  // first entry of the line in the entry list
  uint32_t Antal;
  double PlanTotal;
  double AktuelFoer;
  double AktuelEfter;
  double PlanEfter;
  // Planned after the per dato less held after it, at least 0.
  double Rest() const { return PlanEfter > AktuelEfter ? PlanEfter - AktuelEfter : 0.0; }
  // A line whose four figures add up to 0 is not printed.
  bool Tom() const { return PlanTotal + AktuelFoer + AktuelEfter + PlanEfter == 0.0; }
};

struct PlanOpfSum {
  double AktuelFoer = 0.0;
  double AktuelEfter = 0.0;
  double Rest = 0.0;  // the lines' rests summed
  // Held up to and after the date and still to come: the period's total.
  double Ialt() const { return AktuelFoer + AktuelEfter + (Rest > 0.0 ? Rest : 0.0); }
};

// The values of one entry: in lesson mode whole lessons (planned tenths cut
// towards zero, actual thousandths rounded half away from zero), else
// hours (the four planned hour figures, the actual hours).
double PlanOpfPlanVaerdi(const PlanTabPost &p, bool lektioner);
double PlanOpfAktuelVaerdi(const PlanTabPost &p, bool lektioner);

// The employment's entries from the first to the last date (by week index
// and weekday, both days included), in list order, each marked held up to
// perDato or not. Takes the count mutex while it reads the list.
std::vector<PlanOpfPost> PlanOpfPoster(uint32_t anfo, Dato fra, Dato til, Dato perDato, bool lektioner);
// The lines of an entry list in the order the caller has put it (the report
// sorts it by its keys first); equal keys apart from each other are two lines.
std::vector<PlanOpfLinje> PlanOpfLinjer(const std::vector<PlanOpfPost> &poster);
PlanOpfSum PlanOpfSummer(const std::vector<PlanOpfLinje> &linjer);
