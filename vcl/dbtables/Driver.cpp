#include "vcl/dbtables/Driver.h"

#include <QList>

#include "vcl/dbtables/SQLiteDriver.h"

namespace {
QList<std::shared_ptr<TDbDriver>>& Drivers() {
    static QList<std::shared_ptr<TDbDriver>> drivers{std::make_shared<TSQLiteDriver>()};
    return drivers;
}
} // namespace

void RegisterDbDriver(std::shared_ptr<TDbDriver> Driver) {
    auto& drivers = Drivers();
    for (auto& d : drivers)
        if (d->Name().compare(Driver->Name(), Qt::CaseInsensitive) == 0) {
            d = std::move(Driver);
            return;
        }
    drivers.append(std::move(Driver));
}

std::shared_ptr<TDbDriver> FindDbDriver(const String& Name) {
    for (const auto& d : Drivers())
        if (d->Name().compare(Name, Qt::CaseInsensitive) == 0) return d;
    return nullptr;
}
