// Start copies of the two event files, so that a run can be left without
// saving.
#pragma once

// Copies data/skemabeg.dat and data/timoak.dat to their start copies and
// writes data/StartTid.dat (the event and posting change sums and the time of
// the copy). Run after start-up loading and after every complete save.
void GemStartKopi();
// Copies the start copies back over the two event files. A copy that is
// missing leaves its event file as it is.
void GendanStartKopi();
