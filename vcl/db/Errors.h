#pragma once
// The database error and the functions that raise it.
#include <initializer_list>

#include "vcl/System.h"

class TComponent;

MOX_DECLARE_EXCEPTION(EDatabaseError, Exception);

// Raises EDatabaseError; with a named component the message is "Name: message", as the platform
// reports which data set or field failed.
[[noreturn]] void DatabaseError(const String& Message, const TComponent* Component = nullptr);
// The message's "%s" placeholders replaced by the arguments in order.
[[noreturn]] void DatabaseErrorFmt(const char* Message, std::initializer_list<String> Args,
                                   const TComponent* Component = nullptr);
