#include "vcl/db/Constraints.h"

void TCheckConstraint::SetCustomConstraint(const String& Value) {
    customConstraint_ = Value;
    Changed(false);
}

void TCheckConstraint::SetErrorMessage(const String& Value) {
    errorMessage_ = Value;
    Changed(false);
}

void TCheckConstraint::SetImportedConstraint(const String& Value) {
    importedConstraint_ = Value;
    Changed(false);
}

String TCheckConstraint::GetDisplayName() const {
    if (!customConstraint_.isEmpty()) return customConstraint_;
    if (!importedConstraint_.isEmpty()) return importedConstraint_;
    return TCollectionItem::GetDisplayName();
}

void TCheckConstraint::Assign(TPersistent* Source) {
    if (auto* c = dynamic_cast<TCheckConstraint*>(Source)) {
        customConstraint_ = c->customConstraint_;
        errorMessage_ = c->errorMessage_;
        importedConstraint_ = c->importedConstraint_;
        fromDictionary_ = c->fromDictionary_;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

TCheckConstraints::TCheckConstraints(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TCollectionItemClass::Of<TCheckConstraint>()) {}
