#pragma once
#include "tavo/test_file.h"
