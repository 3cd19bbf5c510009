#include "vcl/sysutils/Clock.h"

#include "vcl/sysutils/DateTime.h"

#include <QDateTime>
#include <chrono>
#include <cmath>
#include <mutex>

TClock::~TClock() = default;

TDateTime TSystemClock::Now() const {
    return QDateTimeToDateTime(QDateTime::currentDateTime());
}

UInt64 TSystemClock::TickCount() const {
    using namespace std::chrono;
    return UInt64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TFixedClock::Advance(UInt64 milliseconds) {
    ticks_ += milliseconds;
    // On a straight time line: before 1899 the number's fraction counts forward from its day too.
    const double day = std::trunc(now_.Val);
    const double line = day + std::fabs(now_.Val - day) + double(milliseconds) / MSecsPerDay;
    const double newDay = std::floor(line);
    now_ = ComposeDateTime(newDay, line - newDay);
}

namespace {
std::mutex clockMutex;

std::shared_ptr<const TClock>& CurrentClock() {
    static std::shared_ptr<const TClock> clock = std::make_shared<TSystemClock>();
    return clock;
}

} // namespace

std::shared_ptr<const TClock> Clock() {
    std::lock_guard lock(clockMutex);
    return CurrentClock();
}

void SetClock(std::shared_ptr<const TClock> clock) {
    std::lock_guard lock(clockMutex);
    CurrentClock() = clock ? std::move(clock) : std::make_shared<TSystemClock>();
}

void ResetClock() {
    SetClock(nullptr);
}

Cardinal GetTickCount() {
    return Cardinal(Clock()->TickCount());
}
UInt64 GetTickCount64() {
    return Clock()->TickCount();
}
