// The program-wide display filter by status group.
#include "STATUSFILTER.h"

StatusFilter BegivenhedsFilter{};
StatusFilter PosteringsFilter{};
