#pragma once
// Named resources: files compiled into the program with Qt's resource system below ":/res/", one
// folder per kind ("bitmaps", "forms"), found by name without regard to case, as the platform finds
// its resources. A name may leave out the file's extension ("IDB_LOGO" finds "idb_logo.bmp").
#include "vcl/System.h"

// The resource path of the named resource of the kind, or an empty text when there is none.
String FindResource(const String& Kind, const String& Name);
// The folder of a kind's resources (":/res/bitmaps").
String ResourceFolder(const String& Kind);
