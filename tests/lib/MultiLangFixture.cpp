#include "MultiLangFixture.h"

namespace mox::test {

LangControl::LangControl(TComponent* AOwner, const QString& name, const QString& caption)
    : TComponent(AOwner), caption_(caption), items_(std::make_unique<TStringList>()),
      font_(std::make_unique<LangFont>()),
      columns_(std::make_unique<TOwnedCollection>(this, TCollectionItemClass::Of<LangColumn>())) {
    if (!name.isEmpty()) SetName(name);
}

LangColumn* LangControl::AddColumn(const QString& caption) {
    auto* column = static_cast<LangColumn*>(columns_->Add());
    column->SetCaption(caption);
    return column;
}

ToolsPage::ToolsPage() : form(std::make_unique<LangControl>(nullptr, "ToolsForm", "MOX Tools")) {
    fruitsLabel = new LangControl(form.get(), "FruitsLabel", "&Fruits");
    fruitList = new LangControl(form.get(), "FruitList");
    fruitList->Items()->AddStrings(QStringList{"Apple", "Strawberry", "Cherry"});
    messageBtn = new LangControl(form.get(), "MessageBtn", "Selected fruit");
    languageCombo = new LangControl(form.get(), "LanguageCombo");
    languageCombo->Items()->AddStrings(QStringList{"English", "Espanol", "Russian", "Deutsch"});
}

} // namespace mox::test
