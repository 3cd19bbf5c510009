#include "vcl/forms/Application.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <cstdio>

#include "vcl/actnlist/ActionList.h"
#include "vcl/forms/ApplicationEvents.h"
#include "vcl/classes/ExceptionDisplay.h"
#include "vcl/sysutils/Files.h"

TApplication* Application = nullptr;

namespace {
// A message ends in a period unless it ends in punctuation already.
String WithPeriod(String Message) {
    if (!Message.isEmpty() && Message.back().isLetterOrNumber()) Message += QLatin1Char('.');
    return Message;
}

void Report(const String& Message) { std::fprintf(stderr, "%s\n", Message.toLocal8Bit().constData()); }
} // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    SetApplicationExceptionDisplay([this](TObject* Sender, std::exception_ptr Error) {
        if (QThread::currentThread() == thread()) {
            HandleException(Sender, Error);
            return;
        }
        // From a worker: shown on the user-interface thread, without the sender, which may be gone.
        QMetaObject::invokeMethod(this, [this, Error] { HandleException(nullptr, Error); }, Qt::QueuedConnection);
    });
    ConnectIdle();
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) { StateChanged(state == Qt::ApplicationActive); });
}

template <class F> void TApplication::Dispatch(F f) {
    const QList<TApplicationEvents*> listeners = events_;
    for (qsizetype i = listeners.size() - 1; i >= 0; --i) {
        TApplicationEvents* events = listeners[i];
        if (!events_.contains(events)) continue; // gone while an earlier one ran
        events->cancelled_ = false;
        f(events);
        if (events_.contains(events) && events->cancelled_) break;
    }
}

bool TApplication::HearsExceptions() const {
    if (OnException) return true;
    for (TApplicationEvents* events : events_)
        if (events->OnException) return true;
    return false;
}

void TApplication::RaiseException(TObject* Sender, const Exception& E) {
    if (!HearsExceptions()) {
        ShowException(E);
        return;
    }
    if (OnException) OnException(Sender, E);
    Dispatch([&](TApplicationEvents* e) {
        if (e->OnException) e->OnException(Sender, E);
    });
}

void TApplication::StateChanged(bool Active) {
    if (Active == active_) return;
    active_ = Active;
    if (Active) {
        if (OnActivate) OnActivate(this);
        Dispatch([this](TApplicationEvents* e) {
            if (e->OnActivate) e->OnActivate(this);
        });
    } else {
        if (OnDeactivate) OnDeactivate(this);
        Dispatch([this](TApplicationEvents* e) {
            if (e->OnDeactivate) e->OnDeactivate(this);
        });
    }
}


TApplication::~TApplication() {
    SetApplicationExceptionDisplay({});
    if (Application == this) Application = nullptr;
}

void TApplication::ConnectIdle() {
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread())) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TApplication::Idle);
        return;
    }
    QMetaObject::invokeMethod(this, [this] { ConnectIdle(); }, Qt::QueuedConnection);
}

String TApplication::Title() const {
    return title_.isEmpty() ? QFileInfo(ProgramFileName()).completeBaseName() : title_;
}

void TApplication::SetHint(const String& Value) {
    if (Value == hint_) return;
    hint_ = Value;
    if (OnHint) OnHint(this);
    Dispatch([this](TApplicationEvents* e) {
        if (e->OnHint) e->OnHint(this);
    });
}

void TApplication::Run() {
    if (!mainForm_ || terminated_) return;
    running_ = true;
    QGuiApplication::setQuitOnLastWindowClosed(false); // only closing the main form ends the program
    QCoreApplication::exec();
    running_ = false;
    DestroyComponents();
}

void TApplication::Terminate() {
    terminated_ = true;
    QCoreApplication::exit(0);
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::HandleMessage() {
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    Idle();
}

void TApplication::HandleException(TObject* Sender) { HandleException(Sender, std::current_exception()); }

void TApplication::HandleException(TObject* Sender, std::exception_ptr Error) {
    if (!Error) return;
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    // Neither the handler nor the box may let an exception out: this runs where Qt delivers events.
    try {
        try {
            std::rethrow_exception(Error);
        } catch (const EAbort&) {
            return;
        } catch (const Exception& e) {
            RaiseException(Sender, e);
        } catch (...) {
            RaiseException(Sender, Exception(ExceptionMessage(Error)));
        }
    } catch (const EAbort&) {
    } catch (...) {
        Report(ExceptionMessage(Error));
        Report(ExceptionMessage(std::current_exception()));
    }
}

void TApplication::ShowException(const Exception& E) { MessageBox(WithPeriod(E.Message()), Title(), MB_OK | MB_ICONSTOP); }

bool TApplication::HelpContext(int Context) { return HelpCommand(HELP_CONTEXT, Context); }

bool TApplication::HelpCommand(Word Command, NativeInt Data) {
    bool callHelp = true;
    bool given = OnHelp && OnHelp(Command, Data, callHelp);
    Dispatch([&](TApplicationEvents* e) {
        if (!given && e->OnHelp) given = e->OnHelp(Command, Data, callHelp);
    });
    return given;
}

int TApplication::MessageBox(const String& Text, const String& Caption, int Flags) {
    return ShowMessageBox(MessageBoxQuestion(Text, Caption.isEmpty() ? Title() : Caption, Flags));
}

bool TApplication::ExecuteAction(TBasicAction* Action) {
    bool handled = false;
    if (OnActionExecute) OnActionExecute(Action, handled);
    Dispatch([&](TApplicationEvents* e) {
        if (!handled && e->OnActionExecute) e->OnActionExecute(Action, handled);
    });
    return handled;
}

bool TApplication::UpdateAction(TBasicAction* Action) {
    bool handled = false;
    if (OnActionUpdate) OnActionUpdate(Action, handled);
    Dispatch([&](TApplicationEvents* e) {
        if (!handled && e->OnActionUpdate) e->OnActionUpdate(Action, handled);
    });
    return handled;
}

void TApplication::Idle() {
    if (inIdle_) return;
    inIdle_ = true;
    try {
        bool done = true;
        if (OnIdle) OnIdle(this, done);
        Dispatch([&](TApplicationEvents* e) {
            bool own = true;
            if (e->OnIdle) e->OnIdle(this, own);
            done = done && own;
        });
        if (done) TCustomActionList::UpdateAllActions();
        else if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread()))
            dispatcher->wakeUp(); // the handler wants to run again before the loop sleeps
    } catch (...) {
        HandleException(this);
    }
    inIdle_ = false;
}

void TApplication::FormCreated(TCustomForm* Form) {
    if (!mainForm_) mainForm_ = Form;
}

void TApplication::FormDestroyed(TCustomForm* Form) {
    if (mainForm_ == Form) mainForm_ = nullptr;
}
