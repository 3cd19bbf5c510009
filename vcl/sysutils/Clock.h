#pragma once
// The one clock behind Now, Date, Time and GetTickCount; tests put a fixed clock in its place.
#include "vcl/System.h"

#include <memory>

class TClock {
public:
    virtual ~TClock();
    // The local date and time.
    virtual TDateTime Now() const = 0;
    // Milliseconds on a steady count that never goes back.
    virtual UInt64 TickCount() const = 0;
};

// The machine's clock: local time from the system, ticks from the steady clock.
class TSystemClock : public TClock {
public:
    TDateTime Now() const override;
    UInt64 TickCount() const override;
};

// A clock that stands still until told otherwise; Advance moves the time and the ticks together.
class TFixedClock : public TClock {
public:
    explicit TFixedClock(TDateTime now = TDateTime(), UInt64 ticks = 0) : now_(now), ticks_(ticks) {}
    TDateTime Now() const override { return now_; }
    UInt64 TickCount() const override { return ticks_; }
    void SetNow(TDateTime now) { now_ = now; }
    void SetTickCount(UInt64 ticks) { ticks_ = ticks; }
    void Advance(UInt64 milliseconds);

private:
    TDateTime now_;
    UInt64 ticks_;
};

// The clock in use. SetClock(nullptr) is ResetClock(): back to the system clock.
std::shared_ptr<const TClock> Clock();
void SetClock(std::shared_ptr<const TClock> clock);
void ResetClock();

// Milliseconds from the clock's ticks; the 32-bit form wraps like the platform's.
Cardinal GetTickCount();
UInt64 GetTickCount64();
