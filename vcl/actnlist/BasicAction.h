#pragma once
// The root of actions and of the links through which clients (menu items, controls) follow them.
#include <QList>
#include <functional>

#include "vcl/classes/Component.h"
#include "vcl/classes/Events.h"

class TBasicAction;

// Asks a handler whether it took care of an action (an action list's or the application's
// OnExecute and OnUpdate).
using TActionEvent = std::function<void(TBasicAction* Action, bool& Handled)>;
Q_DECLARE_METATYPE(TActionEvent)

// A client's link to an action. The client owns its link; the link is told when the action changes
// and loses its action when the action goes.
class TBasicActionLink : public TObject {
public:
    explicit TBasicActionLink(TObject* AClient);
    ~TBasicActionLink() override;
    TBasicActionLink(const TBasicActionLink&) = delete;
    TBasicActionLink& operator=(const TBasicActionLink&) = delete;

    TBasicAction* Action() const { return action_; }
    void SetAction(TBasicAction* Value);
    TObject* Client() const { return client_; }

    // Runs the action on behalf of AComponent (the action's ActionComponent while it runs).
    virtual bool Execute(TComponent* AComponent = nullptr);
    virtual bool Update();

    // Called after the action changed any of its properties.
    TNotifyEvent OnChange;

protected:
    virtual void Change();

private:
    friend class TBasicAction;
    TBasicAction* action_ = nullptr;
    TObject* client_ = nullptr;
};

class TBasicAction : public TComponent {
    Q_OBJECT
    MOX_EVENT(TNotifyEvent, OnExecute)
    MOX_EVENT(TNotifyEvent, OnUpdate)
public:
    explicit TBasicAction(TComponent* AOwner);
    ~TBasicAction() override;

    // True when a handler ran (OnExecute here; descendants ask their list and the application first).
    virtual bool Execute();
    // True when a handler brought the action's state up to date.
    virtual bool Update();

    // The client that runs the action at the moment, or none.
    TComponent* ActionComponent() const { return actionComponent_; }
    void SetActionComponent(TComponent* Value);

    int ClientCount() const { return int(clients_.size()); }
    TBasicActionLink* Clients(int Index) const { return clients_.value(Index); }

protected:
    // Tells every client's link that the action changed.
    virtual void Change();
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Calls F for every link of a client, in the order the clients linked.
    template <class Link, class F> void ForEachLink(F f) const {
        const QList<TBasicActionLink*> links = clients_;
        for (TBasicActionLink* link : links)
            if (clients_.contains(link))
                if (auto* l = dynamic_cast<Link*>(link)) f(l);
    }

private:
    friend class TBasicActionLink;
    QList<TBasicActionLink*> clients_;
    TComponent* actionComponent_ = nullptr;
};
