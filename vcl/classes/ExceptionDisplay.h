#pragma once
// The application's standard exception display, reachable from units below the forms layer.
#include <exception>
#include <functional>

#include "vcl/System.h"

// Shows the exception being handled (call it inside a catch block) through the installed display.
// EAbort is silent. Without an installed display the message goes to standard error.
void ApplicationHandleException(TObject* Sender);

// Shows the given exception through the installed display (EAbort is silent).
void ApplicationShowException(TObject* Sender, std::exception_ptr error);

// The application installs its display here; an empty function restores the default.
using TExceptionDisplay = std::function<void(TObject* Sender, std::exception_ptr error)>;
void SetApplicationExceptionDisplay(TExceptionDisplay display);

// The message of any exception: Exception's Message, what() of others, a fixed text otherwise.
String ExceptionMessage(std::exception_ptr error);
