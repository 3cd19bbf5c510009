#include "vcl/actnlist/ActionList.h"

#include <QPointer>

#include "vcl/classes/Errors.h"

namespace {
// The living lists, for the update at idle time; the user-interface thread only.
QList<TCustomActionList*>& Lists() {
    static QList<TCustomActionList*> lists;
    return lists;
}
} // namespace

TCustomActionList::TCustomActionList(TComponent* AOwner) : TComponent(AOwner) { Lists().append(this); }

TCustomActionList::~TCustomActionList() {
    FreeActions();
    Lists().removeAll(this);
}

void TCustomActionList::BeforeDestruction() {
    FreeActions();
    Lists().removeAll(this);
    TComponent::BeforeDestruction();
}

void TCustomActionList::FreeActions() {
    while (!actions_.isEmpty()) actions_.last()->Free();
}

TContainedAction* TCustomActionList::Actions(int Index) const {
    if (Index < 0 || Index >= actions_.size())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return actions_[Index];
}

int TCustomActionList::IndexOfAction(const TContainedAction* Action) const {
    return int(actions_.indexOf(const_cast<TContainedAction*>(Action)));
}

void TCustomActionList::AddAction(TContainedAction* Action) {
    actions_.append(Action);
    Action->actionList_ = this;
    Change();
}

void TCustomActionList::RemoveAction(TContainedAction* Action) {
    if (!actions_.removeOne(Action)) return;
    Action->actionList_ = nullptr;
    Change();
}

void TCustomActionList::MoveAction(TContainedAction* Action, int Index) {
    const int current = IndexOfAction(Action);
    if (current < 0) return;
    Index = qBound(0, Index, int(actions_.size()) - 1);
    if (Index == current) return;
    actions_.move(current, Index);
    Change();
}

bool TCustomActionList::ExecuteAction(TBasicAction* Action) {
    bool handled = false;
    if (OnExecute) OnExecute(Action, handled);
    return handled;
}

bool TCustomActionList::UpdateAction(TBasicAction* Action) {
    bool handled = false;
    if (OnUpdate) OnUpdate(Action, handled);
    return handled;
}

bool TCustomActionList::IsShortCut(TShortCut ShortCut) {
    if (ShortCut == scNone) return false;
    for (TContainedAction* action : QList<TContainedAction*>(actions_)) {
        auto* custom = qobject_cast<TCustomAction*>(action);
        if (custom && custom->ShortCut() == ShortCut) return custom->HandleShortCut();
    }
    return false;
}

void TCustomActionList::UpdateAllActions() {
    // Handlers may free actions or whole lists: walk copies and skip what went.
    const QList<TCustomActionList*> lists = Lists();
    for (TCustomActionList* list : lists) {
        if (!Lists().contains(list) || (list->ComponentState() & (csLoading | csDestroying))) continue;
        QPointer<TCustomActionList> alive(list);
        const QList<QPointer<TContainedAction>> actions(list->actions_.begin(), list->actions_.end());
        for (const QPointer<TContainedAction>& action : actions) {
            if (!alive) break;
            if (action) action->Update();
        }
    }
}

void TCustomActionList::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
    for (TContainedAction* action : actions_)
        if (action->Owner() == Root) Proc(action);
}

void TCustomActionList::Change() {
    if (OnChange) OnChange(this);
}
