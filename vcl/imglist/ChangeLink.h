#pragma once
// TChangeLink: how a control follows the changes of an image list it shows.
#include "vcl/classes/Events.h"

class TCustomImageList;

class TChangeLink : public TObject {
public:
    TChangeLink();
    // A link that is destroyed leaves the list it is registered with.
    ~TChangeLink() override;
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;

    // The list the link is registered with; none before registering and after the list is destroyed.
    TCustomImageList* Sender() const { return sender_; }
    void SetSender(TCustomImageList* Value) { sender_ = Value; }

    // Raises OnChange with the list as the sender.
    virtual void Change();

    TNotifyEvent OnChange;

private:
    TCustomImageList* sender_ = nullptr;
};
