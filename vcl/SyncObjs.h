#pragma once
// The platform's synchronisation unit: events, the semaphore and the critical section.
#include "vcl/classes/SyncObjects.h"
