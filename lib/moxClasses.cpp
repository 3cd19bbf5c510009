#include "lib/moxClasses.h"

#include <QtGlobal>

// ---- TComponentItem

TComponentItem::TComponentItem(TCollection* Collection) : TCollectionItem(Collection) {}

int TComponentItem::GetTag() const {
    return component_ ? component_->Tag() : 0;
}

void TComponentItem::SetTag(int Value) {
    if (component_) component_->SetTag(Value);
}

// ---- TCustomThread

TCustomThread::TCustomThread(bool CreateSuspended) : TThread(CreateSuspended) {}

void TCustomThread::Execute() {
    Guarded([this] { DoExecute(); });
}

void TCustomThread::DoExecute() {
    if (OnExecute) OnExecute(this);
}

void TCustomThread::HandleException() {
    if (OnException) OnException(this);
}

void TCustomThread::Guarded(const std::function<void()>& Step) {
    try {
        Step();
    } catch (...) {
        HandleException();
    }
}

// ---- TCustomWaitingThread

TCustomWaitingThread::TCustomWaitingThread(bool CreateSuspended, Cardinal Timeout)
    : TCustomThread(CreateSuspended), timeout_(Timeout), wakeEvent_(std::make_unique<TEvent>(false, false)) {}

TCustomWaitingThread::~TCustomWaitingThread() {
    Wake(true);
    // The worker waits on WakeEvent, a member of this class: it must have ended before the member goes,
    // which the base destructor would only see to after it.
    try {
        TThread::BeforeDestruction();
    } catch (const Exception& e) {
        qFatal("%s", qPrintable(e.Message()));
    }
}

void TCustomWaitingThread::Wake(bool Terminate) {
    if (Terminate) this->Terminate();
    if (Suspended()) Resume();
    wakeEvent_->SetEvent();
}

void TCustomWaitingThread::TerminatedSet() {
    // The event is made after the base, which may terminate the thread before then.
    if (wakeEvent_) wakeEvent_->SetEvent();
}

void TCustomWaitingThread::DoExecute() {
    while (!Terminated()) {
        switch (wakeEvent_->WaitFor(timeout_.load())) {
        case wrSignaled:
            Guarded([this] { DoSignal(); });
            break;
        case wrTimeout:
            Guarded([this] { DoTimeout(); });
            break;
        default:
            break;
        }
    }
}

void TCustomWaitingThread::DoSignal() {
    if (OnSignal) OnSignal(this);
}

void TCustomWaitingThread::DoTimeout() {
    if (OnTimeout) OnTimeout(this);
}
