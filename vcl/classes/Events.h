#pragma once
// The event types that the framework's core raises, declared to the meta-object so that
// event properties can be bound by name.
#include <QMetaType>
#include <functional>

#include "vcl/System.h"

// The plain event: only the object that raised it.
using TNotifyEvent = std::function<void(TObject* Sender)>;
Q_DECLARE_METATYPE(TNotifyEvent)
