#pragma once
// The contents of one INI file, as the platform's profile functions read it: "[Section]" lines open
// sections, "Key=Value" lines hold values, ";" lines are comments. Section and key names compare
// without regard to case; blanks around names and values are dropped; values are kept verbatim
// otherwise (no quotes removed, no escapes). A line that is none of these (no "=", an empty key,
// a key before the first section, binary garbage) is not an INI line: it is skipped when read and
// dropped when the file is written again. Comments are kept in place. A section named twice reads
// as one; of a key named twice in a section the first counts. Sections and keys keep their order.
#include <QHash>
#include <QList>
#include <QStringList>

#include "vcl/System.h"

class TIniDocument {
public:
    // Replaces the contents with the parsed text.
    void Parse(const String& Text);
    // The contents in the file's form: sections in order, a blank line between them, "\n" line ends.
    String ToText() const;
    void Clear();

    // A missing file gives empty contents. UTF-8 text (with or without a byte-order mark); a file
    // that is not valid UTF-8 is read as Latin-1. False with the reason when the file cannot be read.
    bool LoadFromFile(const String& FileName, String& Error);
    // Writes the whole file at once (a reader never sees half of it), as UTF-8 without a mark.
    bool SaveToFile(const String& FileName, String& Error) const;

    bool HasSection(const String& Section) const { return FindSection(Section) >= 0; }
    QStringList SectionNames() const;
    QStringList Keys(const String& Section) const;
    // "Key=Value" for every key of the section.
    QStringList Lines(const String& Section) const;
    bool Read(const String& Section, const String& Ident, String& Value) const;

    // Raises EIniFileException for a name or value that the file cannot hold as given: a line break
    // anywhere, a key that is empty, holds "=" or starts with ";" or "[".
    void Write(const String& Section, const String& Ident, const String& Value);
    // Both return false when there was nothing to remove.
    bool EraseSection(const String& Section);
    bool DeleteKey(const String& Section, const String& Ident);

private:
    struct Entry {
        String key; // a comment line when isComment
        String value;
        bool isComment = false;
    };
    struct Section {
        String name;
        QList<Entry> entries;
        QHash<String, int> index; // folded key -> entry
        void Reindex();
    };

    int FindSection(const String& Name) const;
    int FindKey(const Section& section, const String& Ident) const;
    Section& AddSection(const String& Name);
    void ReindexSections();

    QStringList prelude_; // comments before the first section
    QList<Section> sections_;
    QHash<String, int> sectionIndex_; // folded name -> section
};
