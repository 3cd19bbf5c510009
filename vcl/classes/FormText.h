#pragma once
// The text form syntax of form resources as a tree: objects with their properties and nested
// objects, and the values that properties take. The parser checks the syntax only; what the names
// mean (classes, properties, components) is the form reader's business.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "vcl/System.h"
#include "vcl/classes/Errors.h"

struct TFormProperty;

struct TFormValue {
    enum TKind {
        vkInteger,    // 12, -3, $FF
        vkFloat,      // 1.5, 2e3
        vkString,     // 'text'#13#10'more', pieces joined with +
        vkIdent,      // clBtnFace, True, Button1, Owner.Name
        vkSet,        // [akLeft, akTop]
        vkList,       // ( value value ... )
        vkCollection, // < item ... end item ... end >
        vkBinary,     // { 0A1B... }
    };
    TKind Kind = vkInteger;
    int Line = 0;
    Int64 Integer = 0;
    Extended Float = 0;
    // A string's text, an identifier.
    String Text;
    QStringList Members;
    std::vector<TFormValue> List;
    // Each item of a collection is its list of properties.
    std::vector<std::vector<TFormProperty>> Items;
    QByteArray Binary;
};

struct TFormProperty {
    // Dotted for a property of a property's object ("Font.Name").
    String Name;
    int Line = 0;
    TFormValue Value;
};

struct TFormObject {
    enum TKind { okObject, okInherited, okInline };
    TKind Kind = okObject;
    int Line = 0;
    // Empty for an object written without a name ("object TFoo").
    String Name;
    String ClassName;
    std::vector<TFormProperty> Properties;
    std::vector<TFormObject> Children;
};

// A syntax error: its message gives the line and what was found ("Line 3: '=' expected but 'end'
// found"); the form reader puts the resource's name before it.
class EFormSyntaxError : public EParserError {
public:
    EFormSyntaxError(int Line, const String& What);
    int Line() const { return line_; }
    const String& What() const { return what_; }

private:
    int line_;
    String what_;
};

// Parses one object with everything inside it; raises EFormSyntaxError.
TFormObject ParseFormText(const String& Text);
