#pragma once
// The platform's directory search (FindFirst, FindNext, FindClose) and file attributes, on the
// host's file system.
#include "vcl/System.h"
#include "vcl/sysutils/Files.h"

#include <memory>

// File attributes as the platform numbers them. On this host: faReadOnly when the entry's owner
// has no write permission, faHidden for names that begin with "." (but "." and ".." themselves), faSysFile
// for entries that are neither files nor folders (devices, pipes, sockets), faSymLink for symbolic
// links, faDirectory for folders (links to folders too). faVolumeID and faArchive are never set,
// and faNormal is only ever asked for: an entry with none of the other bits is a normal file.
inline constexpr int faReadOnly = 0x01;
inline constexpr int faHidden = 0x02;
inline constexpr int faSysFile = 0x04;
inline constexpr int faVolumeID = 0x08;
inline constexpr int faDirectory = 0x10;
inline constexpr int faArchive = 0x20;
inline constexpr int faSymLink = 0x40;
inline constexpr int faNormal = 0x80;
inline constexpr int faAnyFile = 0x3F;

struct TSearchRec {
    String Name;
    int Attr = 0;
    Int64 Size = 0;
    TDateTime TimeStamp; // the last modification, local time
    // Hidden, system, volume and directory bits that the search was not asked for.
    int ExcludeAttr = 0;

    struct State;
    std::shared_ptr<State> FindState;
};

// Searches Path: a folder, PathDelim and a name mask ("*" any run, "?" one character, "*.*" every
// name; names compare with case, as the host's). Ordinary entries are always found; hidden, system,
// volume and directory entries only when their bit is in Attr. "." and ".." are found as folders.
// Returns 0 and fills F with the first entry, or an error code (ENOENT when nothing matches or the
// folder does not exist). FindNext returns 0 for each further entry; FindClose ends the search.
int FindFirst(const String& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);
