// The group files: the first byte picks ini\group.ini (names, read and
// written back), ini\grupper.ini (memberships, read with the derived rules
// and saved again, which reads the old file a second time) or
// ini\huskgrp.ini (remembered masks); the rest is the file. Twenty
// activities, employments and rooms give the keys something to find.
#include "../fuzz_mappe.h"
#include "GRUPPER.h"
#include "KATALOG.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  fuzz::Mappe();
  if (size < 1) return 0;
  fuzz::TomDatalager();
  fuzz::FyldTabel(&tdakti, &tvakti, 20);
  fuzz::FyldTabel(&tdanfo, &tvanfo, 20);
  fuzz::FyldTabel(&tdloka, &tvloka, 20);
  switch (data[0] % 3) {
    case 0:
      fuzz::SkrivFil("ini/group.ini", data + 1, size - 1);
      HentGruppeNavne();
      GemGruppeNavne();
      break;
    case 1:
      fuzz::SkrivFil("ini/grupper.ini", data + 1, size - 1);
      HentGruppeValgStjerne();
      GemGruppeValg(0);
      break;
    default:
      fuzz::SkrivFil("ini/huskgrp.ini", data + 1, size - 1);
      HentGruppeValg();
      GemGruppeValg(0);
      break;
  }
  fuzz::TomDatalager();
  return 0;
}
