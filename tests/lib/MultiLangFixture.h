#pragma once
// Small component trees for the translator's tests: a control with texts, a string list, a nested
// font, a collection of columns and a reference to another component; and a page named like the
// demo's Tools window.
#include <QStringList>
#include <memory>

#include "vcl/Classes.h"

namespace mox::test {

// A non-component object held by a control; its Name is no component name and is never translated.
class LangFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(QString Style READ Style WRITE SetStyle)
public:
    QString Name() const { return name_; }
    void SetName(const QString& Value) { name_ = Value; }
    QString Style() const { return style_; }
    void SetStyle(const QString& Value) { style_ = Value; }

private:
    QString name_ = "Sans";
    QString style_ = "Bold";
};

class LangColumn : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    using TCollectionItem::TCollectionItem;
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value) { caption_ = Value; }

private:
    QString caption_;
};

class LangControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(QString Version READ Version)
    Q_PROPERTY(TStrings* Items READ Items)
    Q_PROPERTY(mox::test::LangFont* Font READ Font)
    Q_PROPERTY(mox::test::LangFont* SharedFont READ Font)
    Q_PROPERTY(TCollection* Columns READ Columns)
    Q_PROPERTY(TComponent* PopupMenu READ PopupMenu WRITE SetPopupMenu)
public:
    explicit LangControl(TComponent* AOwner, const QString& name = QString(),
                         const QString& caption = QString());

    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value) { caption_ = Value; }
    QString Hint() const { return hint_; }
    void SetHint(const QString& Value) { hint_ = Value; }
    // Read-only: seen by the walk, never written.
    QString Version() const { return QStringLiteral("1.0"); }
    TStrings* Items() const { return items_.get(); }
    LangFont* Font() const { return font_.get(); }
    TCollection* Columns() const { return columns_.get(); }
    TComponent* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TComponent* Value) { popupMenu_ = Value; }

    LangColumn* AddColumn(const QString& caption);

private:
    QString caption_;
    QString hint_;
    std::unique_ptr<TStringList> items_;
    std::unique_ptr<LangFont> font_;
    std::unique_ptr<TOwnedCollection> columns_;
    TComponent* popupMenu_ = nullptr;
};

// The multi-language tab of the demo's Tools window, with the names its language files use.
struct ToolsPage {
    ToolsPage();
    std::unique_ptr<LangControl> form;
    LangControl* fruitsLabel;
    LangControl* fruitList;
    LangControl* messageBtn;
    LangControl* languageCombo;
};

} // namespace mox::test
