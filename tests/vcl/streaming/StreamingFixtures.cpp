#include "StreamingFixtures.h"

QStringList& StreamLog() {
    static QStringList log;
    return log;
}

int& LiveWidgets() {
    static int count = 0;
    return count;
}

int& LiveRoots() {
    static int count = 0;
    return count;
}

void TFormTestFont::Assign(TPersistent* Source) {
    auto* font = dynamic_cast<TFormTestFont*>(Source);
    if (!font) {
        TPersistent::Assign(Source);
        return;
    }
    name_ = font->name_;
    size_ = font->size_;
    color_ = font->color_;
}

TFormTestWidget::TFormTestWidget(TComponent* AOwner)
    : TComponent(AOwner), font_(std::make_unique<TFormTestFont>()), lines_(std::make_unique<TStringList>()),
      items_(std::make_unique<TOwnedCollection>(this, TCollectionItemClass::Of<TFormTestItem>())),
      glyph_(std::make_unique<TBitmap>()),
      hidden_(std::make_unique<TOwnedCollection>(this, TCollectionItemClass::Of<TFormTestItem>())) {
    ++LiveWidgets();
}

TFormTestWidget::~TFormTestWidget() {
    --LiveWidgets();
}

void TFormTestWidget::SetCaption(const QString& Value) {
    caption_ = Value;
    StateAtCaption = ComponentState();
}

void TFormTestWidget::SetBuddy(TFormTestWidget* Value) {
    if (buddy_) buddy_->RemoveFreeNotification(this);
    buddy_ = Value;
    if (buddy_) buddy_->FreeNotification(this);
}

void TFormTestWidget::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == buddy_) buddy_ = nullptr;
    if (Operation == opRemove && AComponent == parent_) parent_ = nullptr;
}

void TFormTestWidget::GetChildren(const TGetChildProc& Proc, TComponent* Root) const {
    for (int i = 0; Root && i < Root->ComponentCount(); ++i) {
        TComponent* c = Root->Components(i);
        if (c->GetParentComponent() == this) Proc(c);
    }
}

void TFormTestWidget::DefineProperties(TFiler* Filer) {
    TComponent::DefineProperties(Filer);
    Filer->DefineProperty(
        "Marks",
        [this](TReader* Reader) {
            Marks.clear();
            Reader->ReadListBegin();
            while (!Reader->EndOfList()) Marks.append(Reader->ReadInteger());
            Reader->ReadListEnd();
        },
        [this](TWriter* Writer) {
            Writer->WriteListBegin();
            for (int mark : Marks) Writer->WriteInteger(mark);
            Writer->WriteListEnd();
        },
        !Marks.isEmpty());
    Filer->DefineProperty(
        "Hidden", [this](TReader* Reader) { Reader->ReadCollection(hidden_.get()); },
        [this](TWriter* Writer) { Writer->WriteCollection(hidden_.get()); }, hidden_->Count() > 0);
}

void TFormTestWidget::Loaded() {
    TComponent::Loaded();
    BuddyAtLoaded = buddy_;
    StreamLog().append("Loaded " + Name());
}

void TFormTestRoot::ButtonClick(TObject* Sender) {
    ++Clicks;
    LastSender = Sender;
}

void TFormTestRoot::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = false;
}

void TFormTestRoot::TakesInteger(int) {}

void TFormTestRoot::Loaded() {
    TComponent::Loaded();
    StreamLog().append("Loaded " + Name());
}

TFormTestBase::TFormTestBase(TComponent* AOwner) : TFormTestRoot(AOwner) {
    InitInheritedComponent(this, &TFormTestRoot::staticMetaObject);
}

TFormTestDerived::TFormTestDerived(TComponent* AOwner) : TFormTestBase(AOwner) {
    InitInheritedComponent(this, &TFormTestRoot::staticMetaObject);
}

namespace {
const bool registered = [] {
    RegisterClasses<TFormTestWidget, TFormTestPanel, TFormTestRoot, TFormTestBase, TFormTestDerived, TFormTestFont>();
    return true;
}();
} // namespace
