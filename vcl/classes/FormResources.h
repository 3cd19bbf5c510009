#pragma once
// Form resources: the text form syntax read into components and written from them, from text,
// from files and from the program's resources (":/res/forms/", res/forms/ in the source tree).
#include "vcl/classes/Component.h"

// Reads the text into Root, an existing component; ResourceName is what error messages call it.
// Raises EReadError (see TReader) and then leaves nothing behind that the read made.
void ReadComponentFromText(TComponent* Root, const String& Text, const String& ResourceName = String());
// Makes the root of the class the text names (through the class registry), owned by Owner, and
// reads the text into it.
TComponent* ObjectTextToComponent(const String& Text, TComponent* Owner = nullptr,
                                  const String& ResourceName = String());
// The text of Root; with an Ancestor (an instance of an ancestor class of Root) an inherited
// resource with only what differs from it.
String ComponentToObjectText(TComponent* Root, TComponent* Ancestor = nullptr);

// A file holding the text: read into Instance, or into a new root of the class it names when
// Instance is null (the result is the component read). A file that cannot be opened raises
// EFOpenError, one that cannot be written EFCreateError.
TComponent* ReadComponentResFile(const String& FileName, TComponent* Instance);
void WriteComponentResFile(const String& FileName, TComponent* Instance, TComponent* Ancestor = nullptr);

// The program's resource of that name ("TMainForm" finds ":/res/forms/TMainForm.dfm", without regard
// to case), or an empty text.
String FindFormResource(const String& ResName);
// Reads the named resource into Instance; false when there is none.
bool ReadComponentRes(const String& ResName, TComponent* Instance);

// What the constructor of a form or data module calls to load what its classes' resources
// describe: the resource named after each class from the one below RootAncestor (TForm,
// TDataModule) down to the instance's class, the ancestor's first, so that an inherited resource is
// read over its ancestor's. A constructor that runs it again lower down the class chain (a derived
// form's, after its base's) reads only the resources of the classes not read yet. Returns true
// when the instance has had a resource read.
//
//     TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
//         InitInheritedComponent(this, &TForm::staticMetaObject);
//     }
bool InitInheritedComponent(TComponent* Instance, const QMetaObject* RootAncestor);
