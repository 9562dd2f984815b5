// The one writer of a new schedule event: the schedule, the imports and
// the AutoSkema import write an event held in a property set through it.
// Main thread only.
#pragma once

#include <cstdint>

#include "AVS.h"

// Writes the event as one row per participant (the largest of 1 and the
// activity, employment and room counts) after the last row of the bucket
// (year index, week); row k carries the k-th activity, employment with its
// role, minutes, calculation value and source, and room with its role. Every
// row takes the event's subject, remark, ring system, day, lesson, times,
// standard lessons and owner, the id and status given, the update time, the
// changed-by text (cut to 8 characters) and the changed-at time; every
// row's Forste is the first row's number. A row of this installation whose
// changed-by text is neither empty nor "TAVO" gets status bit 4096. A first
// row without activity whose role is an absence gets the reserved activity
// of that absence. With taelOp the event's figures are computed into the
// set first and added to the count tables after.
//
// 1 when written; 1 too when nothing is to be written: an event with start
// and end 0, or (logged "** Fejl:") an address outside the schedule period
// or a weekday outside 1..7, so an import passes over such an event. 0 when
// the employments have no role list, or (logged) the bucket cannot grow.
uint8_t AddBegivenhed(AVS *avs, uint32_t id, uint8_t aarIdx, uint8_t uge, uint32_t status, bool taelOp,
                      const char *aendretAf, double opdtid, double aendretTid);
