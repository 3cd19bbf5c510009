#include "vcl/imglist/ChangeLink.h"

#include "vcl/imglist/ImageList.h"

TChangeLink::TChangeLink() = default;

TChangeLink::~TChangeLink() {
    if (sender_) sender_->UnRegisterChanges(this);
}

void TChangeLink::Change() {
    if (OnChange) OnChange(static_cast<TObject*>(sender_));
}
