#pragma once
// A folder's listing appended to a text file, as the support package and
// the start menu's upload send it along.

// Appends "\nIndhold af : <pattern>\n\n", a line per entry that matches
// (date and time of its last write in UTC, "<DIR>" or the size, the name;
// "." and ".." are no entries) and the totals line. The number of entries;
// 254 when nothing matches (the heading is still written, no totals); -1
// when the file cannot be opened for appending.
int WriteDirListing(const char *moenster, const char *listefil);

// The listing the support desk gets with a package, written anew: [version]
// FileVersion and SpecialBuild of the main program "<program
// folder><version>.exe", then the listings of "*.*" in the program folder
// and of "data\*.*", "ini\*.*" and "log\*.*" in the data folder.
void SkrivSupportListe(const char *programMappe, const char *dataMappe, int version, const char *listefil);
