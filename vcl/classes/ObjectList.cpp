#include "vcl/classes/ObjectList.h"

// The base's destructor can no longer reach this Notify, so the owned objects go here.
TObjectList::~TObjectList() {
    Clear();
}

void TObjectList::Notify(Pointer Ptr, TListNotification Action) {
    if (ownsObjects_ && Action == lnDeleted) static_cast<TObject*>(Ptr)->Free();
    TList::Notify(Ptr, Action);
}
