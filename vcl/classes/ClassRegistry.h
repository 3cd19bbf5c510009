#pragma once
// The class registry: persistent classes found by name, as the form reader and the property storage
// need them, each with its meta-object and a factory.
#include <functional>
#include <initializer_list>
#include <type_traits>

#include "vcl/classes/Collection.h"
#include "vcl/classes/Component.h"

// A reference to a persistent class: what the platform's "class of TPersistent" is.
class TPersistentClass {
public:
    using Factory = std::function<TPersistent*(TPersistent* Owner)>;

    TPersistentClass() = default;
    TPersistentClass(const QMetaObject* MetaObject, Factory Create)
        : meta_(MetaObject), create_(std::move(Create)) {}

    // The reference to T, which must declare Q_OBJECT so that it has a meta-object of its own.
    template <class T> static TPersistentClass Of();

    const QMetaObject* MetaObject() const { return meta_; }
    // The class's own name, without namespaces ("TButton").
    String ClassName() const;
    explicit operator bool() const { return meta_ != nullptr; }
    bool InheritsFrom(const QMetaObject* Ancestor) const {
        return meta_ && Ancestor && meta_->inherits(Ancestor);
    }
    bool InheritsFrom(const TPersistentClass& Ancestor) const { return InheritsFrom(Ancestor.meta_); }
    template <class T> bool InheritsFrom() const { return InheritsFrom(&T::staticMetaObject); }

    // Makes an instance: a component owned by Owner (a TComponent or null), a collection item in Owner
    // (a TCollection or null), any other persistent object without an owner. An owner of the wrong
    // kind raises EInvalidCast.
    TPersistent* Create(TPersistent* Owner = nullptr) const;
    // As Create, for component classes; raises EInvalidCast for others.
    TComponent* CreateComponent(TComponent* Owner) const;

    friend bool operator==(const TPersistentClass& A, const TPersistentClass& B) {
        return A.meta_ == B.meta_;
    }

private:
    const QMetaObject* meta_ = nullptr;
    Factory create_;
};

namespace ClassRegistryDetail {
[[noreturn]] void RaiseInvalidCast();
template <class Needed> Needed* OwnerAs(TPersistent* Owner) {
    if (!Owner) return nullptr;
    auto* owner = dynamic_cast<Needed*>(Owner);
    if (!owner) RaiseInvalidCast();
    return owner;
}
} // namespace ClassRegistryDetail

template <class T> TPersistentClass TPersistentClass::Of() {
    static_assert(std::is_base_of_v<TPersistent, T>, "only persistent classes are registered");
    static_assert(QtPrivate::HasQ_OBJECT_Macro<T>::Value,
                  "the class needs Q_OBJECT for a meta-object of its own");
    Factory create;
    if constexpr (std::is_abstract_v<T>) {
        // An abstract class is known by name but cannot be made.
    } else if constexpr (std::is_base_of_v<TComponent, T>) {
        create = [](TPersistent* Owner) -> TPersistent* {
            return new T(ClassRegistryDetail::OwnerAs<TComponent>(Owner));
        };
    } else if constexpr (std::is_base_of_v<TCollectionItem, T>) {
        create = [](TPersistent* Owner) -> TPersistent* {
            return new T(ClassRegistryDetail::OwnerAs<TCollection>(Owner));
        };
    } else if constexpr (std::is_default_constructible_v<T>) {
        create = [](TPersistent*) -> TPersistent* { return new T(); };
    }
    return TPersistentClass(&T::staticMetaObject, std::move(create));
}

// Registers the class under its name; the same class again is no error, another class of that name
// raises EFilerError "A class named %s already exists".
void RegisterClass(const TPersistentClass& AClass);
template <class T> void RegisterClass() {
    RegisterClass(TPersistentClass::Of<T>());
}
void RegisterClasses(std::initializer_list<TPersistentClass> Classes);
template <class... T> void RegisterClasses() {
    (RegisterClass<T>(), ...);
}
// Registers the class under one more name, as for a class that was renamed.
void RegisterClassAlias(const TPersistentClass& AClass, const String& Alias);
template <class T> void RegisterClassAlias(const String& Alias) {
    RegisterClassAlias(TPersistentClass::Of<T>(), Alias);
}
// Forgets the class under all its names.
void UnRegisterClass(const TPersistentClass& AClass);
template <class T> void UnRegisterClass() {
    UnRegisterClass(TPersistentClass::Of<T>());
}

// Names are compared without regard to case. GetClass gives a null reference for an unknown name,
// FindClass raises EClassNotFound "Class %s not found".
TPersistentClass GetClass(const String& AClassName);
TPersistentClass FindClass(const String& ClassName);
