#pragma once
// Moving the schedule period: the side files rewritten from the buckets in
// memory for the new dates, before the period itself changes.

#include <cstdint>

#include "DATO.h"

// Rewrites data/skemabeg.dat, timoak.dat, udplatim.dat and hontim.dat for
// the period fra..til from the buckets of the current period: rows dated
// outside it are freed (status 0) in memory, and weeks and months that do
// not overlap it are not written. Each file is replaced through the
// crash-safe save, so a file that cannot be written keeps its old contents.
// 0, or -1 when any file could not be written (the others are written).
int GemSidefilerForPeriode(Dato fra, Dato til);

// Moves the schedule period to fra..til with the lock date: the figure and
// planning tables that belong to a period (ansk, acsa, udgr, miak,
// minutfau, minutud, planakt, mipl, fagfordl, udlplan, budt) are deleted
// and emptied, the side files rewritten for the new period (a failure is
// reported and the old files stay), the buckets emptied, every window
// closed, the period set, the data reloaded behind the wait dialog, the
// activities and employments that end before the period marked deleted and
// the derived data rebuilt. False when the side files could not be
// rewritten (the rest is done all the same: the old files are then read).
bool SkiftPeriode(Dato fra, Dato til, Dato laas);
