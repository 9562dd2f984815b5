#include "STATUSFILTER.h"

StatusFilter BegivenhedsFilter{};
StatusFilter PosteringsFilter{};
