// Linked into every test program: the tests read the log of drawn text,
// which the drawing layer keeps only when asked. The reference is weak, so
// a test program without the drawing layer links as before.
namespace tavo::test {
void KeepDrawnTexts(bool keep) __attribute__((weak));
}

namespace {

const bool kTekstLog = [] {
  if (tavo::test::KeepDrawnTexts) tavo::test::KeepDrawnTexts(true);
  return true;
}();

}  // namespace
