#pragma once
// Non-visual components and persistent objects that the form resource tests read and write.
#include <QList>
#include <QStringList>
#include <memory>

#include "vcl/Classes.h"
#include "vcl/Graphics.h"
#include "vcl/Variants.h"

namespace StreamingFixtures {
Q_NAMESPACE
enum TTestAlign { taNone, taTop, taBottom, taClient };
Q_ENUM_NS(TTestAlign)
enum TTestAnchor { tkLeft = 1 << 0, tkTop = 1 << 1, tkRight = 1 << 2, tkBottom = 1 << 3 };
Q_DECLARE_FLAGS(TTestAnchors, TTestAnchor)
Q_FLAG_NS(TTestAnchors)
} // namespace StreamingFixtures
Q_DECLARE_OPERATORS_FOR_FLAGS(StreamingFixtures::TTestAnchors)
using namespace StreamingFixtures;

using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
Q_DECLARE_METATYPE(TCloseQueryEvent)

// What the fixtures saw happen, in order, for the tests to look at.
QStringList& StreamLog();
// How many TFormTestWidget and TFormTestRoot instances are alive: a failed read must leave none it made.
int& LiveWidgets();
int& LiveRoots();

class TFormTestFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    MOX_DEFAULT(Name, "Sans")
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    MOX_DEFAULT(Size, 8)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    MOX_DEFAULT(Color, clWindowText)
public:
    QString Name() const { return name_; }
    void SetName(const QString& Value) { name_ = Value; }
    int Size() const { return size_; }
    void SetSize(int Value) { size_ = Value; }
    TColor Color() const { return color_; }
    void SetColor(TColor Value) { color_ = Value; }
    void Assign(TPersistent* Source) override;

private:
    QString name_ = "Sans";
    int size_ = 8;
    TColor color_ = clWindowText;
};

class TFormTestItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    MOX_DEFAULT(Width, 50)
public:
    using TCollectionItem::TCollectionItem;
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value) { caption_ = Value; }
    int Width() const { return width_; }
    void SetWidth(int Value) { width_ = Value; }

private:
    QString caption_;
    int width_ = 50;
};

// A component that sits inside another in the resource's nesting, as a control in its parent.
class TFormTestWidget : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Left READ Left WRITE SetLeft)
    MOX_DEFAULT(Left, 0)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    MOX_DEFAULT(Enabled, True)
    Q_PROPERTY(StreamingFixtures::TTestAlign Align READ Align WRITE SetAlign)
    MOX_DEFAULT(Align, taNone)
    Q_PROPERTY(StreamingFixtures::TTestAnchors Anchors READ Anchors WRITE SetAnchors)
    MOX_DEFAULT(Anchors, [tkLeft, tkTop])
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    MOX_DEFAULT(Color, clBtnFace)
    Q_PROPERTY(double Ratio READ Ratio WRITE SetRatio)
    Q_PROPERTY(float Scale READ Scale WRITE SetScale)
    MOX_DEFAULT(Scale, 1)
    Q_PROPERTY(qint64 Big READ Big WRITE SetBig)
    Q_PROPERTY(QChar Letter READ Letter WRITE SetLetter)
    Q_CLASSINFO("default:Letter", "#32")
    Q_PROPERTY(TFormTestFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(TStrings* Lines READ Lines WRITE SetLines)
    Q_PROPERTY(TCollection* Items READ Items WRITE SetItems)
    Q_PROPERTY(TFormTestWidget* Buddy READ Buddy WRITE SetBuddy)
    Q_PROPERTY(TBitmap* Glyph READ Glyph WRITE SetGlyph)
    Q_PROPERTY(QString Secret READ Secret WRITE SetSecret STORED false)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    MOX_STORED(Hint, IsHintStored)
    Q_PROPERTY(Variant Value READ Value WRITE SetValue)
    MOX_EVENT(TNotifyEvent, OnClick)
    MOX_EVENT(TCloseQueryEvent, OnCloseQuery)
public:
    explicit TFormTestWidget(TComponent* AOwner);
    ~TFormTestWidget() override;

    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value);
    int Left() const { return left_; }
    void SetLeft(int Value) { left_ = Value; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool Value) { enabled_ = Value; }
    TTestAlign Align() const { return align_; }
    void SetAlign(TTestAlign Value) { align_ = Value; }
    TTestAnchors Anchors() const { return anchors_; }
    void SetAnchors(TTestAnchors Value) { anchors_ = Value; }
    TColor Color() const { return color_; }
    void SetColor(TColor Value) { color_ = Value; }
    double Ratio() const { return ratio_; }
    void SetRatio(double Value) { ratio_ = Value; }
    float Scale() const { return scale_; }
    void SetScale(float Value) { scale_ = Value; }
    qint64 Big() const { return big_; }
    void SetBig(qint64 Value) { big_ = Value; }
    QChar Letter() const { return letter_; }
    void SetLetter(QChar Value) { letter_ = Value; }
    TFormTestFont* Font() const { return font_.get(); }
    void SetFont(TFormTestFont* Value) { font_->Assign(Value); }
    TStrings* Lines() const { return lines_.get(); }
    void SetLines(TStrings* Value) { lines_->Assign(Value); }
    TCollection* Items() const { return items_.get(); }
    void SetItems(TCollection* Value) { items_->Assign(Value); }
    TFormTestWidget* Buddy() const { return buddy_; }
    void SetBuddy(TFormTestWidget* Value);
    TBitmap* Glyph() const { return glyph_.get(); }
    void SetGlyph(TBitmap* Value) { glyph_->Assign(Value); }
    QString Secret() const { return secret_; }
    void SetSecret(const QString& Value) { secret_ = Value; }
    QString Hint() const { return hint_; }
    void SetHint(const QString& Value) { hint_ = Value; }
    Q_INVOKABLE bool IsHintStored() const { return hint_ != "auto"; }
    Variant Value() const { return value_; }
    void SetValue(const Variant& Value) { value_ = Value; }
    // A collection that is no published property, kept in the defined property "Hidden".
    TCollection* Hidden() const { return hidden_.get(); }

    // Numbers kept outside the published properties, in the defined property "Marks".
    QList<int> Marks;
    // The state the component was in when its caption was set.
    TComponentState StateAtCaption;
    TFormTestWidget* BuddyAtLoaded = nullptr;

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return parent_; }
    void SetParentComponent(TComponent* Value) override { parent_ = Value; }
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) const override;

protected:
    void DefineProperties(TFiler* Filer) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    QString caption_;
    int left_ = 0;
    bool enabled_ = true;
    TTestAlign align_ = taNone;
    TTestAnchors anchors_ = TTestAnchors(tkLeft) | tkTop;
    TColor color_ = clBtnFace;
    double ratio_ = 0;
    float scale_ = 1;
    qint64 big_ = 0;
    QChar letter_ = ' ';
    std::unique_ptr<TFormTestFont> font_;
    std::unique_ptr<TStringList> lines_;
    std::unique_ptr<TOwnedCollection> items_;
    TFormTestWidget* buddy_ = nullptr;
    std::unique_ptr<TBitmap> glyph_;
    QString secret_;
    QString hint_;
    Variant value_;
    std::unique_ptr<TOwnedCollection> hidden_;
    TComponent* parent_ = nullptr;
};

// A widget of another class, for the class registry.
class TFormTestPanel : public TFormTestWidget {
    Q_OBJECT
public:
    using TFormTestWidget::TFormTestWidget;
};

// The root of a resource, with the handlers that its events are bound to.
class TFormTestRoot : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    MOX_EVENT(TNotifyEvent, OnCreate)
public:
    explicit TFormTestRoot(TComponent* AOwner) : TComponent(AOwner) { ++LiveRoots(); }
    ~TFormTestRoot() override { --LiveRoots(); }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value) { caption_ = Value; }

    Q_INVOKABLE void ButtonClick(TObject* Sender);
    Q_INVOKABLE void FormCloseQuery(TObject* Sender, bool& CanClose);
    Q_INVOKABLE void TakesInteger(int Value);

    int Clicks = 0;
    TObject* LastSender = nullptr;

protected:
    void Loaded() override;

private:
    QString caption_;
};

// Form classes whose constructors load their resources (res/forms/ of the tests).
class TFormTestBase : public TFormTestRoot {
    Q_OBJECT
public:
    explicit TFormTestBase(TComponent* AOwner);
};

class TFormTestDerived : public TFormTestBase {
    Q_OBJECT
public:
    explicit TFormTestDerived(TComponent* AOwner);
};
