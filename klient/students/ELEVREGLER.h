// The planning rules of the enrolment planning: a locked enrolment group
// cannot be edited, and the refusal names why. Main thread only.
#pragma once

#include <cstdint>

// The group's lock (Laast), which every editing command tests first; false
// for a reference outside the table.
bool TgLaast(uint32_t tg);
// The lock message of group record tg under the caller's caption, in mode 2
// only (exclamation, OK): the enrolments have gone to EASY, the group has
// been exported to Elevplan, or it must be fetched from Elevplan first.
// Nothing for a group with none of the three causes.
void VisTgLaas(uint32_t tg, const char *titel, int mode);
