#pragma once
// Recursive folder copy for the start-up copies of the key trace mode.

// Copies the tree of `kilde` into `maal` (both Windows-style folders ending
// in a separator), overwriting files and creating sub-folders; never
// descends into the destination. Failures of single entries are ignored.
void CopyDir(const char *kilde, const char *maal);
