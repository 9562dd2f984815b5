#pragma once
// Emptying the data set when the installation changes or the schedule
// period moves back: the record files of the tables that are not kept and
// every side file go, and the tables and buckets in memory are emptied.
//
// The files go through the crash-safe save. Emptied by the import, they go
// only in the commit that saves the imported data, so an import that fails
// leaves the data folder as it was.

// Removes data/<name>.DAT of every registry table whose descriptor does not
// keep it (BevarVedNulstil 0) and re-initialises that table; removes
// data/skemabeg.dat, timoak.dat, udplatim.dat and hontim.dat and empties
// every week and month bucket. A missing file is no error. The removals are
// one commit (or join the save running on this thread); while an
// UdskudtNulstilling lives on this thread they wait for the next complete
// save instead.
void ResetAllData();

// While one lives, ResetAllData empties the memory only and leaves its
// files to the next complete save.
class UdskudtNulstilling {
 public:
  UdskudtNulstilling();
  ~UdskudtNulstilling();
  UdskudtNulstilling(const UdskudtNulstilling &) = delete;
  UdskudtNulstilling &operator=(const UdskudtNulstilling &) = delete;
};

// Whether the file belongs to a reset not yet saved: its table was emptied
// in memory, so its old blocks must not be copied into the new file.
bool NulstillingVenter(const char *sti);
// The waiting removals into the running save, before it writes its files
// (a file it then writes is replaced rather than removed).
void NulstillingIGemning();
// After a complete save was decided: the reset is on the disk.
void NulstillingGemt();
// The tables were loaded again from their files: the reset is dropped.
void GlemNulstilling();
