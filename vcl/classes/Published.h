#pragma once
// What a published property declares beside its Q_PROPERTY: its default value and the condition
// under which it is stored. Qt's property system has neither (Qt 6 takes only true or false for
// STORED), so both are class-info entries of the declaring class, read by the run-time type
// information (vcl/TypInfo.h). A derived class may declare them again to change them.
#include <QObject>

// The property's default, written as its value text: an integer (MOX_DEFAULT(Tag, 0)), an
// enumeration name (MOX_DEFAULT(Align, alNone)), False or True, a set (MOX_DEFAULT(Anchors,
// [akLeft, akTop])), a character itself (MOX_DEFAULT(Letter, A)), a number for floating point, a
// quoted literal for strings (MOX_DEFAULT(Caption, "Hello, world")), the name of a value of an
// integer type that has names (MOX_DEFAULT(Color, clBtnFace), vcl/classes/IdentMapping.h). moc
// writes the argument as text without the blanks between its tokens and mangles escapes in
// literals: a default that needs
// either is written as Q_CLASSINFO("default:Prop", "text") (a character by its code as "#32").
// The form writer stores a property only when its value differs from its default.
#define MOX_DEFAULT(Prop, ...) Q_CLASSINFO("default:" #Prop, #__VA_ARGS__)

// The property is stored only when the named method of the class, declared
// Q_INVOKABLE bool Method() const, returns true. Q_PROPERTY(... STORED false) is never stored.
#define MOX_STORED(Prop, Method) Q_CLASSINFO("stored:" #Prop, #Method)
