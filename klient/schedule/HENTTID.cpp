// A clock time typed freely into an edit control read as HHMM.
#include "HENTTID.h"

#include <cstring>

#include "TEKST.h"

uint32_t TidHHMMAfTekst(const char *tekst) {
  if (!tekst) return 0;
  char cifre[256];
  std::strncpy(cifre, tekst, sizeof cifre - 1);
  cifre[sizeof cifre - 1] = 0;
  KeepDigits(cifre);
  const char *p = cifre;
  while (*p == '0') ++p;
  // Nine digits always fit in 32 bits; more would wrap into a wrong time.
  uint32_t n = 0;
  for (int i = 0; i < 9 && p[i]; ++i) n = n * 10 + static_cast<uint32_t>(p[i] - '0');
  if (n == 0) return 0;
  const uint32_t d = (n >= 10 && n <= 23) ? 1000 : (n < 100 || (n >= 101 && n <= 959)) ? 100 : 1000;
  while (n / d == 0) n *= 10;
  while (n > 2400) n /= 10;
  return n;
}

uint32_t HentTidHHMM(HWND dlg, int id) {
  char tekst[256] = "";
  GetDlgItemTextA(dlg, id, tekst, sizeof tekst);
  return TidHHMMAfTekst(tekst);
}
