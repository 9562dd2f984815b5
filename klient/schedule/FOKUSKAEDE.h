#pragma once
// The focus chain of the entry window from the text of ini\return.ini: each
// line that begins with akti, skfa, anfo, loka, risy, hjpakt, lektion or bem
// (any case) names a focus kind, linked after the one named before it. A file
// that leaves out the activity, subject, employee, room or lesson gives the
// default chain. Lines are read to their first 512 characters.

#include <cstddef>
#include <cstdint>

constexpr size_t kFokusLinjeMaks = 512;

// naeste gets the next kind of each of the fifteen kinds (9 = end), foerste
// the first kind.
void FokusKaedeAfTekst(const char *tekst, size_t n, uint8_t naeste[15], uint8_t *foerste);
