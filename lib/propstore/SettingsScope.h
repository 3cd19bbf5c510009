#pragma once
// Runs a job inside a read or write scope of a settings file, ending the scope also when the job
// raises. Nothing runs without a settings file or when its store cannot be opened.
#include <QPointer>

#include "lib/moxPropStore.h"

namespace mox::propstore {

template <class Job> void InReadScope(TmoxAppIniFile* File, Job&& job) {
    QPointer<TmoxAppIniFile> file = File;
    if (!file || !file->BeginRead()) return;
    try {
        job(file->IniFile());
    } catch (...) {
        if (file) file->EndRead();
        throw;
    }
    if (file) file->EndRead();
}

template <class Job> void InWriteScope(TmoxAppIniFile* File, Job&& job) {
    QPointer<TmoxAppIniFile> file = File;
    if (!file || !file->BeginWrite()) return;
    try {
        job(file->IniFile());
    } catch (...) {
        if (file) file->EndWrite();
        throw;
    }
    if (file) file->EndWrite();
}

} // namespace mox::propstore
