// A desktop link file of any content among the shortcuts the start menu
// looks at: loaded, its target and arguments read by the option rules, and
// saved back when it matches. Beyond not crashing: a file that is no link
// is left as it was.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "../fuzz_fil.h"
#include "MENU.h"
#include "win/kreg.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static fuzz::TempMappe mappe;
  static bool klar = false;
  if (!klar) {
    tavo::reg::SetString(HKEY_CURRENT_USER, tavo::reg::kShellFolders, "Desktop", mappe.rod.string());
    std::snprintf(g_Menu.ProgramMappe, kMenuSti, "C:\\Prog\\");
    std::snprintf(g_Menu.DataMappe, kMenuSti, "C:\\Data\\");
    std::strcpy(g_Menu.SuperTavo, "ja");
    klar = true;
  }
  const std::string fil = mappe.Skriv("tavo.lnk", data, size);
  SetShortcutIcon();
  std::ifstream in(fil, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  const std::string efter = s.str();
  const std::string foer(reinterpret_cast<const char *>(data), size);
  if (foer.rfind("Tavo-genvej 1", 0) != 0 && efter != foer) abort();
  return 0;
}
