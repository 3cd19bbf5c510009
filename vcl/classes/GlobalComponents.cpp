#include "vcl/classes/GlobalComponents.h"

#include <QList>
#include <utility>

namespace {

struct TFinderEntry {
    int Handle;
    TFindGlobalComponent Finder;
};

QList<TFinderEntry>& Finders() {
    static QList<TFinderEntry> finders;
    return finders;
}

} // namespace

int RegisterFindGlobalComponentProc(TFindGlobalComponent Finder) {
    static int nextHandle = 0;
    Finders().append({++nextHandle, std::move(Finder)});
    return nextHandle;
}

void UnregisterFindGlobalComponentProc(int Handle) {
    Finders().removeIf([Handle](const TFinderEntry& entry) { return entry.Handle == Handle; });
}

TComponent* FindGlobalComponent(const String& Name) {
    // A copy: a finder may register or unregister others while it runs.
    const QList<TFinderEntry> finders = Finders();
    for (const TFinderEntry& entry : finders)
        if (entry.Finder)
            if (TComponent* found = entry.Finder(Name)) return found;
    return nullptr;
}
