#pragma once
// The database unit: the database connection, the table, aliases and the drivers beneath them.
#include "vcl/dbtables/Aliases.h"
#include "vcl/dbtables/Database.h"
#include "vcl/dbtables/Driver.h"
#include "vcl/dbtables/KeysetCursor.h"
#include "vcl/dbtables/SQLiteDriver.h"
#include "vcl/dbtables/Table.h"
