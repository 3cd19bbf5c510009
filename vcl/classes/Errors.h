#pragma once
// The error classes of the component framework's core.
#include "vcl/System.h"

MOX_DECLARE_EXCEPTION(EListError, Exception);
MOX_DECLARE_EXCEPTION(EStringListError, Exception);
MOX_DECLARE_EXCEPTION(EComponentError, Exception);
MOX_DECLARE_EXCEPTION(EClassNotFound, Exception);
MOX_DECLARE_EXCEPTION(EThread, Exception);
MOX_DECLARE_EXCEPTION(EStreamError, Exception);
MOX_DECLARE_EXCEPTION(EFilerError, EStreamError);
MOX_DECLARE_EXCEPTION(EReadError, EFilerError);
MOX_DECLARE_EXCEPTION(EWriteError, EFilerError);
MOX_DECLARE_EXCEPTION(EFileStreamError, EStreamError);
MOX_DECLARE_EXCEPTION(EFCreateError, EFileStreamError);
MOX_DECLARE_EXCEPTION(EFOpenError, EFileStreamError);
MOX_DECLARE_EXCEPTION(EMethodNotFound, EFilerError);
MOX_DECLARE_EXCEPTION(EParserError, Exception);
MOX_DECLARE_EXCEPTION(EInvalidOperation, Exception);
MOX_DECLARE_EXCEPTION(EResNotFound, Exception);
