#pragma once
// The multi-language translator: replaces the string properties of a running form, of every
// component the form owns and of every object they hold, by the texts a language file keeps under
// each property's path, and translates free message texts.
#include <QSet>
#include <functional>
#include <memory>
#include <optional>

#include "lib/moxPropStore.h"
#include "vcl/Classes.h"
#include "vcl/IniFiles.h"
#include "vcl/classes/Published.h"

using TTranslateMsgEvent = std::function<void(TObject* Sender, const String& OldMsg, String& NewMsg)>;
Q_DECLARE_METATYPE(TTranslateMsgEvent)
using TTranslatePropEvent = std::function<void(TObject* Sender, const String& PropPath,
                                               const String& OldPropValue, String& NewPropValue)>;
Q_DECLARE_METATYPE(TTranslatePropEvent)
using TTranslatePropStringEvent =
    std::function<void(TObject* Sender, TObject* Instance, const String& PropName, const String& OldPropValue,
                       String& NewPropValue)>;
Q_DECLARE_METATYPE(TTranslatePropStringEvent)
using TTranslatePropInstanceEvent = std::function<void(TObject* Sender, TObject* Instance)>;
Q_DECLARE_METATYPE(TTranslatePropInstanceEvent)

// The sections of a language file.
namespace moxMultiLangSections {
inline const String STranslations = QStringLiteral("Translations");
inline const String SMessages = QStringLiteral("Messages");
} // namespace moxMultiLangSections

// A property path: the root component's Name, the Name of each owned component on the way, the
// names of the class-typed properties that lead to other objects, the index of each collection
// item, then the property's name, joined by "." ("ToolsForm.FruitList.Items",
// "Form1.ListView1.Columns.1.Caption").
//
// A string list is translated as one text: its lines joined by commas, every comma inside a line
// doubled ("a,b" is written "a,,b"). Reading such a text back, a single comma ends a line and a
// doubled comma stands for one comma in the line.
String JoinTranslationLines(const QStringList& Lines);
QStringList SplitTranslationLines(const String& Text);

// The walk and its filters; where the translations come from is left to the events or to a
// descendant (OpenSource, CloseSource, DoTranslateMsg, DoTranslateProp).
class TmoxCustomMultiLanguage : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    MOX_DEFAULT(Active, False)
    Q_PROPERTY(TStrings* Properties READ Properties WRITE SetProperties)
    MOX_EVENT(TTranslateMsgEvent, OnTranslateMsg)
    MOX_EVENT(TTranslatePropEvent, OnTranslateProp)
    MOX_EVENT(TTranslatePropStringEvent, OnTranslatePropString)
    MOX_EVENT(TTranslatePropInstanceEvent, OnTranslatePropInstance)
public:
    explicit TmoxCustomMultiLanguage(TComponent* AOwner);
    ~TmoxCustomMultiLanguage() override;
    // Closes the source while the descendant that opened it is still whole.
    void BeforeDestruction() override;

    // Active means the translation source is open. While loading only the wanted value is recorded.
    bool Active() const { return active_; }
    void SetActive(bool Value);
    // When not empty, only the property paths it holds (without regard to case) are translated.
    TStrings* Properties() const { return properties_.get(); }
    void SetProperties(TStrings* Value);

    // Translates the owner (nothing without one).
    void Translate();
    // Activates the translator, then translates the object, everything it holds and, for a
    // component, every named component it owns. Components reached through a reference to another
    // owner's component are never entered; properties named Name are never translated.
    void TranslateObject(TObject* Object);
    // Activates the translator and returns the message's translation (the message itself when the
    // source has none).
    String TranslateMsg(const String& Msg);

    // Applies the recorded Active and, at run time, translates the owner when active. An error is
    // passed on at run time and shown through the application's exception display at design time.
    void Loaded() override;

protected:
    virtual void OpenSource() {}
    virtual void CloseSource() {}
    // NewMsg starts as OldMsg; OnTranslateMsg may change it.
    virtual void DoTranslateMsg(const String& OldMsg, String& NewMsg);
    // NewValue starts as OldValue; OnTranslateProp may change it.
    virtual void DoTranslateProp(const String& PropPath, const String& OldValue, String& NewValue);
    // Filters the property's path through Properties, then asks OnTranslatePropString or, without
    // that event, DoTranslateProp. An empty PropName stands for the instance itself (a string list).
    virtual void DoTranslatePropString(TObject* Instance, const String& PropName, String& NewValue,
                                       const String& OldValue);
    // Translates what an instance holds besides its properties: a string list's lines, a collection's
    // items; then raises OnTranslatePropInstance.
    virtual void DoTranslateInstance(TObject* Instance);

    // The path of the object being translated.
    const String& CurrentPath() const { return path_; }

private:
    void TranslateStringProperties(TObject* Instance);
    void TranslateObjectProperties(TObject* Instance);
    void TranslateStrings(TStrings* List);
    void TranslateCollection(TCollection* Collection);
    // Translates Object with Part appended to the path, which is restored afterwards, also on failure.
    void TranslateBelow(const String& Part, TObject* Object);

    bool active_ = false;
    bool streamedActive_ = false;
    std::unique_ptr<TStrings> properties_;
    TObject* root_ = nullptr;
    // Only exists during a pass.
    std::optional<QSet<const TObject*>> visited_;
    String path_;
};

// The translator over a language file (FileName) or over the program's settings file (AppIniFile):
// the section "Translations" holds one key per property path, "Messages" one key per message text.
// FileName and AppIniFile exclude each other: setting one clears the other. A language file that
// does not exist reads as an empty one, so nothing is translated.
//
// Language files are found where the program's caller puts them; the demo keeps one per language
// beside the program, named after the language with the extension ".lng" (LanguageFilePath).
class TmoxMultiLanguage : public TmoxCustomMultiLanguage {
    Q_OBJECT
    Q_PROPERTY(TmoxAppIniFile* AppIniFile READ AppIniFile WRITE SetAppIniFile)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    MOX_DEFAULT(FileName, "")
public:
    explicit TmoxMultiLanguage(TComponent* AOwner);
    ~TmoxMultiLanguage() override;

    TmoxAppIniFile* AppIniFile() const { return appIniFile_; }
    // Another settings file: closes the source, clears FileName, attaches to the new settings file and
    // reopens the source on it when it was open.
    void SetAppIniFile(TmoxAppIniFile* Value);
    String FileName() const { return fileName_; }
    // Another name (case counts): closes the source, detaches from any settings file, and reopens the
    // source on the new file when it was open and the name is not empty.
    void SetFileName(const String& Value);

protected:
    // A language file is read once when it opens; a settings file is read within a read scope.
    void OpenSource() override;
    void CloseSource() override;
    void DoTranslateMsg(const String& OldMsg, String& NewMsg) override;
    void DoTranslateProp(const String& PropPath, const String& OldValue, String& NewValue) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The open store object, none while inactive. A borrowed one is reached through the link each
    // time, so a settings file that has gone is never read.
    TCustomIniFile* Store() const;
    String Lookup(const String& Section, const String& Key, const String& Default) const;
    void AttachTo(TmoxAppIniFile* Value);
    // The settings file closed its store object: its scopes are over and the object is going.
    void SettingsFileClosed();

    String fileName_;
    std::unique_ptr<TCustomIniFile> languageFile_;
    bool borrowed_ = false;
    TmoxAppIniFile* appIniFile_ = nullptr;
    TIniFileLink link_;
};

// The language file of a language: "<program's directory>/<Language>.lng".
String LanguageFilePath(const String& Language);
