#pragma once
// Small in-place routines on zero-terminated 8-bit (Windows-1252) texts, and
// the conversion that puts the Danish letters into byte-wise sort order.

#include <cstddef>

void StripBlanks(char *tekst);
void StripCrLf(char *tekst);
// Replaces the last ',' by '.'; returns the text.
char *CommaToPoint(char *tekst);
// Drops leading and trailing control characters, blanks and '"'.
void TrimStr(char *tekst);
void KeepDigits(char *tekst);
void KeepDigitsPoint(char *tekst);

// Changes `laengde` bytes of `tekst` (not a C string: the bytes are taken as
// they are) so that a byte-wise sort puts æ ø å after z, Æ Ø Å after Z and
// '*' last.
void DanskSortTegn(char *tekst, int laengde);

// Upper-casing for sort keys: ASCII and the Windows-1252 letters (æ ø å
// and the others) map to their capitals.
unsigned char StortTegn(unsigned char c);
void TilStoreBogstaver(char *tekst);
