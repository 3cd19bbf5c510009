#include "lib/moxConsts.h"
