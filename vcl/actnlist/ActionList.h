#pragma once
// The list of a form's actions: it runs their shortcuts and may handle their execution and
// updates for all of them.
#include <QList>

#include "vcl/actnlist/Action.h"

class TCustomActionList : public TComponent {
    Q_OBJECT
    MOX_EVENT(TNotifyEvent, OnChange)
    MOX_EVENT(TActionEvent, OnExecute)
    MOX_EVENT(TActionEvent, OnUpdate)
public:
    explicit TCustomActionList(TComponent* AOwner);
    // Frees the actions of the list.
    ~TCustomActionList() override;
    void BeforeDestruction() override;

    int ActionCount() const { return int(actions_.size()); }
    // Raises EListError for a bad index.
    TContainedAction* Actions(int Index) const;
    int IndexOfAction(const TContainedAction* Action) const;

    // OnExecute (or OnUpdate) of the list; true when it set Handled.
    virtual bool ExecuteAction(TBasicAction* Action);
    virtual bool UpdateAction(TBasicAction* Action);

    // Runs the first action whose shortcut this is; true when one ran.
    bool IsShortCut(TShortCut ShortCut);
    bool IsShortCut(Word Key, TShiftState Shift) { return IsShortCut(::ShortCut(Key, Shift)); }

    // Brings every action of every list up to date, as the application does when it becomes idle.
    static void UpdateAllActions();

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;

protected:
    virtual void Change();

private:
    friend class TContainedAction;
    void AddAction(TContainedAction* Action);
    void RemoveAction(TContainedAction* Action);
    void MoveAction(TContainedAction* Action, int Index);
    void FreeActions();

    QList<TContainedAction*> actions_;
};

class TActionList : public TCustomActionList {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TActionList(TComponent* AOwner) : TCustomActionList(AOwner) {}
};
