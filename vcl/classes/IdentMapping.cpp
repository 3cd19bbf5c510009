#include "vcl/classes/IdentMapping.h"

#include <QHash>
#include <QReadWriteLock>

namespace {
struct Mapping {
    TIdentToInt identToInt;
    TIntToIdent intToIdent;
};

struct Mappings {
    QReadWriteLock lock;
    QHash<int, Mapping> byType;
};

// Built on first use: units register from their static initialisers.
Mappings& Registry() {
    static Mappings registry;
    return registry;
}

Mapping Find(QMetaType type) {
    if (!type.isValid()) return {};
    Mappings& r = Registry();
    QReadLocker locker(&r.lock);
    return r.byType.value(type.id());
}
} // namespace

void RegisterIntegerConsts(QMetaType IntegerType, TIdentToInt IdentToInt, TIntToIdent IntToIdent) {
    if (!IntegerType.isValid()) return;
    Mappings& r = Registry();
    QWriteLocker locker(&r.lock);
    if (r.byType.contains(IntegerType.id())) return;
    r.byType.insert(IntegerType.id(), {std::move(IdentToInt), std::move(IntToIdent)});
}

TIdentToInt FindIdentToInt(QMetaType IntegerType) {
    return Find(IntegerType).identToInt;
}

TIntToIdent FindIntToIdent(QMetaType IntegerType) {
    return Find(IntegerType).intToIdent;
}
