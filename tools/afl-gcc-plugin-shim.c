/* Loads AFL++'s gcc plugin into a gcc it was not built against.
 *
 * Debian 12's afl++ plugin was built with gcc 12.2.0-14; a later Debian
 * update of the same gcc release (12.2.0-14+deb12u1) differs only in the
 * text of its configure arguments, which gcc's plugin version check
 * compares, so the plugin refuses to load ("GCC and plugin have
 * incompatible versions"). tools/fuzz.sh builds this file as a plugin of
 * the same name in a folder of its own and points AFL_PATH there when that
 * happens: it loads the real plugin (TAVO_AFL_GCC_PASS) and hands it the
 * running gcc's version with the configure text the plugin was built with.
 * Only the configure text is replaced; a gcc of another release still
 * fails the plugin's check. */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int plugin_is_GPL_compatible;

/* gcc's struct plugin_gcc_version. */
struct plugin_gcc_version {
  const char *basever, *datestamp, *devphase, *revision, *configuration_arguments;
};

/* The configure text compiled into the plugin file, or NULL. */
static char *configure_text(const char *path) {
  FILE *f = fopen(path, "rb");
  if (!f) return NULL;
  fseek(f, 0, SEEK_END);
  long n = ftell(f);
  fseek(f, 0, SEEK_SET);
  char *b = malloc((size_t)n + 1);
  char *found = NULL;
  if (b && fread(b, 1, (size_t)n, f) == (size_t)n) {
    b[n] = 0;
    static const char key[] = "../src/configure ";
    for (long i = 0; i + (long)sizeof key < n && !found; ++i)
      if (memcmp(b + i, key, sizeof key - 1) == 0) found = strdup(b + i);
  }
  free(b);
  fclose(f);
  return found;
}

int plugin_init(void *info, struct plugin_gcc_version *version) {
  const char *real = getenv("TAVO_AFL_GCC_PASS");
  if (!real) real = "/usr/lib/afl/afl-gcc-pass.so";
  void *h = dlopen(real, RTLD_NOW | RTLD_GLOBAL);
  if (!h) {
    fprintf(stderr, "afl-gcc-plugin-shim: %s\n", dlerror());
    return 1;
  }
  int (*init)(void *, struct plugin_gcc_version *) =
      (int (*)(void *, struct plugin_gcc_version *))dlsym(h, "plugin_init");
  if (!init) {
    fprintf(stderr, "afl-gcc-plugin-shim: %s has no plugin_init\n", real);
    return 1;
  }
  static struct plugin_gcc_version as_built;
  as_built = *version;
  char *c = configure_text(real);
  if (c) as_built.configuration_arguments = c;
  return init(info, &as_built);
}
