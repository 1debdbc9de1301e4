// Compiled for the target only to run the structure-size checks.
#include "win95_abi.h"
