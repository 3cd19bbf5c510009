// Bounded history lists on string lists.
#include "lib/moxSysUtils.h"

#include <algorithm>

int AddHistoryItem(TStrings* List, int Index, const String& Text, int MaxCount, TObject* AObject) {
    int result = -1;
    List->BeginUpdate();
    try {
        const int target = std::max(0, std::min(Index, MaxCount - 1));
        const int found = List->IndexOf(Text);
        if (found < 0) {
            result = std::min(target, List->Count());
            List->InsertObject(result, Text, AObject);
        } else {
            result = std::min(target, List->Count() - 1);
            List->Move(found, result);
            List->SetObjects(result, AObject);
        }
        while (List->Count() > std::max(MaxCount, 0))
            List->Delete(List->Count() - 1);
        if (result >= List->Count()) result = -1;
    } catch (...) {
        List->EndUpdate();
        throw;
    }
    List->EndUpdate();
    return result;
}

int AddHistory(TStrings* List, int Index, const String& Text, int MaxCount) {
    return AddHistoryItem(List, Index, Text, MaxCount, nullptr);
}
