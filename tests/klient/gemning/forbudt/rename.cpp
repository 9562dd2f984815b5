// Program code that renames with the C library: the build must refuse it.
#include <cstdio>

int main() { return rename("data\\akti.tmp", "data\\akti.DAT"); }
