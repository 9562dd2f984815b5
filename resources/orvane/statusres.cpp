// The status row's pictures and the log viewers' dialog templates. The news
// strip's white (15) and the Elevplan strip's light grey (7) are the
// backgrounds the panes turn into the status colour.
#include <string>
#include <vector>

#include "dib.h"
#include "ressourcer.h"
#include "windows.h"

void RegistrerStatusRessourcer();

namespace {

// Two frames of a blinking envelope, yellow and then light with red stars;
// white is the background, so no picture pixel is white.
const std::vector<std::vector<std::string>> NyhedsBilleder = {
    {"..........................",
     "....KKKKKKKKKKKKKKKKKK....",
     "....KYKYYYYYYYYYYYYKYK....",
     "....KYYKYYYYYYYYYYKYYK....",
     "....KYYYKYYYYYYYYKYYYK....",
     "....KYYYYKYYYYYYKYYYYK....",
     "....KYYYYYKKYYKKYYYYYK....",
     "....KYYYYKYYKKYYKYYYYK....",
     "....KYYYKYYYYYYYYKYYYK....",
     "....KYYKYYYYYYYYYYKYYK....",
     "....KKKKKKKKKKKKKKKKKK....",
     ".........................."},
    {".R........................",
     "RRR.KKKKKKKKKKKKKKKKKK....",
     ".R..KgKggggggggggggKgK....",
     "....KggKggggggggggKggK....",
     "....KgggKggggggggKgggK....",
     "....KggggKggggggKggggK....",
     "....KgggggKKggKKgggggK....",
     "....KggggKggKKggKggggK....",
     "....KgggKggggggggKgggK..R.",
     "....KggKggggggggggKggK.RRR",
     "....KKKKKKKKKKKKKKKKKK..R.",
     ".........................."},
};

// A filled square in a colour; the plain frame is an empty outline.
std::vector<std::string> Firkant(char farve) {
  std::vector<std::string> r(12, std::string(16, '.'));
  for (int y = 1; y < 11; ++y)
    for (int x = 3; x < 13; ++x)
      r[y][x] = (y == 1 || y == 10 || x == 3 || x == 12) ? 'K' : farve;
  return r;
}

// A warning triangle with an exclamation mark.
const char *const GenFejlIkon[] = {
    "................", ".......KK.......", "......KYYK......", "......KYYK......",
    ".....KYYYYK.....", ".....KYKKYK.....", "....KYYKKYYK....", "....KYYKKYYK....",
    "...KYYYKKYYYK...", "...KYYYKKYYYK...", "..KYYYYYYYYYYK..", "..KYYYYKKYYYYK..",
    ".KYYYYYKKYYYYYK.", ".KYYYYYYYYYYYYK.", "KKKKKKKKKKKKKKKK", "................"};

}  // namespace

void RegistrerStatusRessourcer() {
  static const std::vector<uint8_t> nyheder = LavStripDib(NyhedsBilleder, kHvid);
  tavo::res::RegisterBitmap("orvane", IDB_NYHEDER, nyheder.data(), nyheder.size());
  static const std::vector<uint8_t> ep =
      LavStripDib({Firkant('R'), Firkant('Y'), Firkant('L'), Firkant('.')}, kSoelv);
  tavo::res::RegisterBitmap("orvane", IDB_EPSTATUS, ep.data(), ep.size());
  tavo::res::RegisterIcon("orvane", IDI_GENFEJL, GenFejlIkon, 16);

  // Sizes are a start: the log dialog sizes itself around its list.
  tavo::res::DialogTemplate log;
  log.id = IDD_LOGVISNING;
  log.caption = "Loginformation";
  log.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  log.fontFace = "MS Sans Serif";
  log.cx = 200;
  log.cy = 200;
  log.items = {{"LISTBOX", 1119, "", WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT, 0, 7, 7, 186, 160},
               {"BUTTON", IDCANCEL, "Luk", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 75, 175, 50, 14}};
  tavo::res::RegisterDialog(log);

  tavo::res::DialogTemplate fejl;
  fejl.id = IDD_FEJLLISTE;
  fejl.caption = "Fejlliste";
  fejl.style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
  fejl.fontFace = "MS Sans Serif";
  fejl.cx = 300;
  fejl.cy = 200;
  fejl.items = {{"LISTBOX", 40075, "", WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT, 0, 7, 7, 286, 160},
                {"BUTTON", IDOK, "OK", WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 125, 175, 50, 14}};
  tavo::res::RegisterDialog(fejl);
}
