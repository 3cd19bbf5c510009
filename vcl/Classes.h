#pragma once
// The component framework's core: persistent objects, components, lists, collections, threads.
#include "vcl/classes/ClassRegistry.h"
#include "vcl/classes/Collection.h"
#include "vcl/classes/Component.h"
#include "vcl/classes/Errors.h"
#include "vcl/classes/Events.h"
#include "vcl/classes/ExceptionDisplay.h"
#include "vcl/classes/List.h"
#include "vcl/classes/ObjectList.h"
#include "vcl/classes/Persistent.h"
#include "vcl/classes/Published.h"
#include "vcl/classes/StringList.h"
#include "vcl/classes/Strings.h"
