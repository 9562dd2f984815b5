// Copying a file, or a slice of it, with the second progress bar of dialog
// 103 stepping once per block. The slices are how an archive is split over
// several removable disks.

#include <cstdio>
#include <memory>
#include <string>

#include "MENUHJAELP.h"
#include "menuressourcer.h"

namespace {

constexpr long kBlok = 102400;

struct LukStroem {
  void operator()(FILE *f) const { fclose(f); }
};

}  // namespace

long KopierFilMedProgress(HWND dlg, const char *kilde, const char *maal, long offset, long limit,
                          const char *mode) {
  StilleDrevFejl stille;
  const std::string status = std::string("Kopierer filen: ") + FilNavnDel(kilde);
  SetDlgItemTextA(dlg, IDC_STATUSLINJE, status.c_str());
  std::unique_ptr<FILE, LukStroem> ind(fopen(kilde, "rb"));
  if (!ind) return 0;
  std::unique_ptr<FILE, LukStroem> ud(fopen(maal, mode));
  if (!ud) return 0;

  const long stoerrelse = static_cast<long>(FilStoerrelse(kilde));
  if (limit == 0 || limit > stoerrelse) limit = stoerrelse;
  const long rest = stoerrelse - offset;
  long blokke;
  if (limit < rest)
    blokke = (limit + kBlok - 1) / kBlok;
  else if (rest <= kBlok)
    blokke = 2;
  else
    blokke = (rest + kBlok - 1) / kBlok;
  HWND bjaelke = GetDlgItem(dlg, IDC_BJAELKE2);
  SendMessageA(bjaelke, PBM_SETRANGE, 0, MAKELPARAM(0, blokke));
  SendMessageA(bjaelke, PBM_SETSTEP, 1, 0);
  SendMessageA(bjaelke, PBM_SETPOS, 0, 0);

  if (fseek(ind.get(), offset, SEEK_SET) != 0) return 0;
  std::unique_ptr<char[]> buf(new char[kBlok]);
  long skrevet = 0;
  while (!feof(ind.get()) && skrevet < limit && !ferror(ud.get())) {
    SendMessageA(bjaelke, PBM_STEPIT, 0, 0);
    const long oensket = limit - skrevet < kBlok ? limit - skrevet : kBlok;
    const size_t n = fread(buf.get(), 1, static_cast<size_t>(oensket), ind.get());
    if (n > 0 && fwrite(buf.get(), 1, n, ud.get()) != n) return 0;
    skrevet += static_cast<long>(n);
    if (n == 0 && ferror(ind.get())) break;
  }
  if (ferror(ud.get())) return 0;
  // A write that only the closing flush would have reported is a failure too.
  if (fclose(ud.release()) != 0) return 0;
  return skrevet;
}
