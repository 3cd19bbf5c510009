#pragma once
// The application object: title, hint, main form, the message loop, the standard exception
// display and help. The one instance, Application, exists while the QApplication does.
#include <QPointer>
#include <exception>
#include <functional>
#include <type_traits>
#include <utility>

#include "vcl/actnlist/BasicAction.h"
#include "vcl/classes/Component.h"
#include "vcl/classes/Events.h"
#include "vcl/forms/CustomForm.h"
#include "vcl/forms/MessageBoxes.h"

class TApplicationEvents;

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;
Q_DECLARE_METATYPE(TExceptionEvent)
// Done stays true when the handler has nothing more to do until the next message; the same
// signature as the form's close query.
using TIdleEvent = TCloseQueryEvent;
// Returns true when the handler gave the help; CallHelp false keeps the help system out.
using THelpEvent = std::function<bool(Word Command, NativeInt Data, bool& CallHelp)>;
Q_DECLARE_METATYPE(THelpEvent)

inline constexpr Word HELP_CONTEXT = 0x0001;
inline constexpr Word HELP_QUIT = 0x0002;

class TApplication : public TComponent {
    Q_OBJECT
    MOX_EVENT(TActionEvent, OnActionExecute)
    MOX_EVENT(TActionEvent, OnActionUpdate)
    MOX_EVENT(TNotifyEvent, OnActivate)
    MOX_EVENT(TNotifyEvent, OnDeactivate)
    MOX_EVENT(TExceptionEvent, OnException)
    MOX_EVENT(THelpEvent, OnHelp)
    MOX_EVENT(TNotifyEvent, OnHint)
    MOX_EVENT(TIdleEvent, OnIdle)
public:
    // Installs itself as the application's exception display, and removes itself when it goes.
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    void Initialize() {}

    // The program's file name without folder and extension until a title is set.
    String Title() const;
    void SetTitle(const String& Value) { title_ = Value; }
    // The hint of what is under the mouse; a change raises OnHint.
    String Hint() const { return hint_; }
    void SetHint(const String& Value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Value) { showHint_ = Value; }
    String HelpFile() const { return helpFile_; }
    void SetHelpFile(const String& Value) { helpFile_ = Value; }

    // The first form made becomes the main form; closing it ends the program.
    TCustomForm* MainForm() const { return mainForm_; }

    // Runs the message loop until Terminate (at once when Terminate came first), then frees the
    // forms the application owns while the QApplication still exists.
    void Run();
    // Ends Run and every modal loop inside it.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles the messages that are waiting, then returns.
    void ProcessMessages();
    // Waits for a message, handles it, then runs the idle work.
    void HandleMessage();

    // Shows the exception being handled (call it inside a catch block): to OnException, else as a
    // message box; EAbort is silent. The mouse capture is released first.
    void HandleException(TObject* Sender);
    void HandleException(TObject* Sender, std::exception_ptr Error);
    // A message box with the application's title and the message, ending in a period.
    void ShowException(const Exception& E);

    // Asks OnHelp for the help topic; false when nothing gave help (there is no help viewer).
    bool HelpContext(int Context);
    bool HelpCommand(Word Command, NativeInt Data);

    // The platform's message box: MB_ style flags in, ID answer out.
    int MessageBox(const String& Text, const String& Caption = String(), int Flags = MB_OK);

    // The application's part in running and updating actions: OnActionExecute and OnActionUpdate.
    bool ExecuteAction(TBasicAction* Action);
    bool UpdateAction(TBasicAction* Action);

    // What runs whenever the loop runs out of messages: OnIdle, then the actions' updates.
    void Idle();

    // Makes a form or data module owned by the application and sets Reference before its creation
    // events run (AfterConstruction); the first form made so becomes the main form.
    template <class T, class... A> void CreateForm(T*& Reference, A&&... Args);

    // Whether one of the application's windows is the active one; a change raises OnActivate or
    // OnDeactivate.
    bool Active() const { return active_; }

    // Makes the form the main form when there is none yet.
    void FormCreated(TCustomForm* Form);
    // Forgets the form as main form when it goes.
    void FormDestroyed(TCustomForm* Form);

private:
    friend class TApplicationEvents;
    void ConnectIdle();
    void StateChanged(bool Active);
    // Calls F for every event component, the last made or activated first, until one cancels.
    template <class F> void Dispatch(F f);
    bool HearsExceptions() const;
    void RaiseException(TObject* Sender, const Exception& E);

    QList<TApplicationEvents*> events_;
    bool active_ = false;

    String title_;
    String hint_;
    String helpFile_;
    bool showHint_ = true;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool running_ = false;
    bool inIdle_ = false;
};

namespace ApplicationDetail {
template <class T> void AfterConstruction(T* Instance) {
    if constexpr (requires { Instance->AfterConstruction(); }) Instance->AfterConstruction();
}
} // namespace ApplicationDetail

template <class T, class... A> void TApplication::CreateForm(T*& Reference, A&&... Args) {
    T* instance = new T(this, std::forward<A>(Args)...);
    Reference = instance;
    ApplicationDetail::AfterConstruction(instance);
    if constexpr (std::is_base_of_v<TCustomForm, T>) FormCreated(instance);
}

// The application, made with the QApplication and freed with it; null outside its life.
extern TApplication* Application;
