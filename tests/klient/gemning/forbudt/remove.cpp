// Program code that deletes with the C library: the build must refuse it.
#include <cstdio>

int main() { return std::remove("data\\akti.tmp"); }
