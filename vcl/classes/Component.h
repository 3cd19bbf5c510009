#pragma once
// TComponent: ownership, names, state flags, removal notices and the loading protocol.
#include <QFlags>
#include <QList>
#include <functional>

#include "vcl/classes/Errors.h"
#include "vcl/classes/Persistent.h"
#include "vcl/classes/Published.h"

namespace Classes {
Q_NAMESPACE

// A component's state; the flags are 1 << the platform's ordinal, so a set is a QFlags value.
enum TComponentStateFlag {
    csLoading = 1 << 0,
    csReading = 1 << 1,
    csWriting = 1 << 2,
    csDestroying = 1 << 3,
    csDesigning = 1 << 4,
    csAncestor = 1 << 5,
    csUpdating = 1 << 6,
    csFixups = 1 << 7,
    csFreeNotification = 1 << 8,
    csInline = 1 << 9,
    csDesignInstance = 1 << 10,
};
Q_DECLARE_FLAGS(TComponentState, TComponentStateFlag)
Q_FLAG_NS(TComponentState)

enum TOperation { opInsert, opRemove };
Q_ENUM_NS(TOperation)

} // namespace Classes
Q_DECLARE_OPERATORS_FOR_FLAGS(Classes::TComponentState)
using namespace Classes;

// True when the text is a valid identifier: a letter or "_" followed by letters, digits and "_".
bool IsValidIdent(const String& Ident);

class TComponent : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    MOX_DEFAULT(Tag, 0)
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;

    // Sends the removal notices and frees the owned components while this object is still whole.
    void BeforeDestruction() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return int(components_.size()); }
    // Raises EListError "List index out of bounds (%d)" for a bad index.
    TComponent* Components(int Index) const;
    int ComponentIndex() const;
    void SetComponentIndex(int Value);
    TComponentState ComponentState() const { return state_; }

    String Name() const { return name_; }
    virtual void SetName(const String& NewName);
    int Tag() const { return tag_; }
    void SetTag(int Value) { tag_ = Value; }

    // Owned components are searched by name without regard to case.
    TComponent* FindComponent(const String& AName) const;
    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();
    // Marks this component and everything it owns as being destroyed.
    void Destroying();

    // Asks for a removal notice when AComponent goes, and sends AComponent one when this one goes.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    String GetNamePath() const override;
    TPersistent* GetOwner() const override { return owner_; }

    // The loading protocol that the form reader and the designer follow.
    void SetComponentStateFlag(TComponentStateFlag Flag, bool On);
    void SetDesigning(bool Value, bool SetChildren = true);
    // Called once the whole form resource is read and every reference is resolved.
    virtual void Loaded();
    void BeginLoading() { SetComponentStateFlag(csLoading, true); }
    void EndLoading();

    // The component that holds this one in the form resource's nesting when that is not the owner
    // (a field inside its data set, a control inside its parent). The form reader calls
    // SetParentComponent for a component that HasParent; GetChildren lists such children.
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent* Value) { (void)Value; }
    using TGetChildProc = std::function<void(TComponent* Child)>;
    virtual void GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
        (void)Proc;
        (void)Root;
    }

    // Delivers the notice as the owner does: to this component and down its ownership tree.
    void SendNotification(TComponent* AComponent, TOperation Operation) { Notification(AComponent, Operation); }

protected:
    // Told when a component is inserted into or removed from this one's reach, including the removal
    // of a component this one asked a free notification of. The default passes it to owned components.
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    // Raises EComponentError when a sibling of that name exists.
    virtual void ValidateRename(TComponent* AComponent, const String& CurName, const String& NewName);
    virtual void ValidateInsert(TComponent* AComponent);

private:
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void RunDestruction();

    TComponent* owner_ = nullptr;
    QList<TComponent*> components_;
    QList<TComponent*> freeNotifies_;
    TComponentState state_;
    String name_;
    int tag_ = 0;
    bool destructionDone_ = false;
};
