#pragma once
// Emptying the data set when the installation changes or the schedule
// period moves back: the record files of the tables that are not kept and
// every side file go, and the tables and buckets in memory are emptied.

// Deletes data/<name>.DAT of every registry table whose descriptor does not
// keep it (BevarVedNulstil 0) and re-initialises that table; deletes
// data/skemabeg.dat, timoak.dat, udplatim.dat and hontim.dat and empties
// every week and month bucket. A missing file is no error.
void ResetAllData();
