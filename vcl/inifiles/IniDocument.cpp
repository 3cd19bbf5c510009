#include "vcl/inifiles/IniDocument.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include "vcl/inifiles/CustomIniFile.h"
#include "vcl/inifiles/IniFilesConsts.h"

namespace {

// The platform trims blanks and control characters, not other Unicode spaces.
String TrimBlanks(const String& s) {
    qsizetype begin = 0, end = s.size();
    while (begin < end && s[begin].unicode() <= ' ')
        ++begin;
    while (end > begin && s[end - 1].unicode() <= ' ')
        --end;
    return s.mid(begin, end - begin);
}

String Fold(const String& name) {
    return TrimBlanks(name).toCaseFolded();
}

bool HasLineBreak(const String& s) {
    return s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r'));
}

String DecodeText(const QByteArray& bytes) {
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    String text = utf8.decode(data);
    if (utf8.hasError()) text = QString::fromLatin1(data);
    return text;
}

} // namespace

void TIniDocument::Section::Reindex() {
    index.clear();
    for (int i = 0; i < entries.size(); ++i)
        if (!entries[i].isComment) index.insert(entries[i].key.toCaseFolded(), i);
}

void TIniDocument::ReindexSections() {
    sectionIndex_.clear();
    for (int i = 0; i < sections_.size(); ++i)
        sectionIndex_.insert(sections_[i].name.toCaseFolded(), i);
}

void TIniDocument::Clear() {
    prelude_.clear();
    sections_.clear();
    sectionIndex_.clear();
}

void TIniDocument::Parse(const String& Text) {
    Clear();
    String text = Text;
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    Section* current = nullptr;
    qsizetype pos = 0;
    while (pos <= text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const String line = TrimBlanks(text.mid(pos, end - pos));
        pos = end + 1;
        if (end < text.size() && text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
        if (line.isEmpty()) continue;
        if (line.startsWith(';')) {
            if (current)
                current->entries.append({line, String(), true});
            else
                prelude_.append(line);
        } else if (line.startsWith('[')) {
            if (!line.endsWith(']')) continue;
            current = &AddSection(TrimBlanks(line.mid(1, line.size() - 2)));
        } else if (current) {
            const qsizetype eq = line.indexOf('=');
            if (eq < 0) continue;
            const String key = TrimBlanks(line.left(eq));
            if (key.isEmpty() || FindKey(*current, key) >= 0) continue;
            current->entries.append({key, TrimBlanks(line.mid(eq + 1)), false});
            current->index.insert(key.toCaseFolded(), int(current->entries.size() - 1));
        }
    }
}

String TIniDocument::ToText() const {
    String text;
    for (const String& line : prelude_)
        text += line + '\n';
    for (const Section& section : sections_) {
        if (!text.isEmpty()) text += '\n';
        text += '[' + section.name + "]\n";
        for (const Entry& entry : section.entries)
            text += entry.isComment ? entry.key + '\n' : entry.key + '=' + entry.value + '\n';
    }
    return text;
}

bool TIniDocument::LoadFromFile(const String& FileName, String& Error) {
    Clear();
    QFile file(FileName);
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) {
        Error = file.errorString();
        return false;
    }
    Parse(DecodeText(file.readAll()));
    return true;
}

bool TIniDocument::SaveToFile(const String& FileName, String& Error) const {
    QSaveFile file(FileName);
    // A file that may be written in a folder that may not: write it in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(ToText().toUtf8()) < 0 || !file.commit()) {
        Error = file.errorString();
        return false;
    }
    return true;
}

int TIniDocument::FindSection(const String& Name) const {
    return sectionIndex_.value(Fold(Name), -1);
}

int TIniDocument::FindKey(const Section& section, const String& Ident) const {
    return section.index.value(Fold(Ident), -1);
}

TIniDocument::Section& TIniDocument::AddSection(const String& Name) {
    const int found = FindSection(Name);
    if (found >= 0) return sections_[found];
    sections_.append(Section{Name, {}, {}});
    sectionIndex_.insert(Name.toCaseFolded(), int(sections_.size() - 1));
    return sections_.last();
}

QStringList TIniDocument::SectionNames() const {
    QStringList names;
    for (const Section& section : sections_)
        names << section.name;
    return names;
}

QStringList TIniDocument::Keys(const String& Section) const {
    QStringList keys;
    const int s = FindSection(Section);
    if (s >= 0)
        for (const Entry& entry : sections_[s].entries)
            if (!entry.isComment) keys << entry.key;
    return keys;
}

QStringList TIniDocument::Lines(const String& Section) const {
    QStringList lines;
    const int s = FindSection(Section);
    if (s >= 0)
        for (const Entry& entry : sections_[s].entries)
            if (!entry.isComment) lines << entry.key + '=' + entry.value;
    return lines;
}

bool TIniDocument::Read(const String& Section, const String& Ident, String& Value) const {
    const int s = FindSection(Section);
    if (s < 0) return false;
    const int k = FindKey(sections_[s], Ident);
    if (k < 0) return false;
    Value = sections_[s].entries[k].value;
    return true;
}

void TIniDocument::Write(const String& Section, const String& Ident, const String& Value) {
    for (const String* text : {&Section, &Ident, &Value})
        if (HasLineBreak(*text)) throw EIniFileException(SIniLineBreak.arg(*text));
    const String key = TrimBlanks(Ident);
    if (key.isEmpty() || key.contains('=') || key.startsWith(';') || key.startsWith('['))
        throw EIniFileException(SIniInvalidKey.arg(Ident));
    struct Section& section = AddSection(TrimBlanks(Section));
    const int k = FindKey(section, key);
    if (k >= 0) {
        section.entries[k].value = Value;
    } else {
        section.entries.append({key, Value, false});
        section.index.insert(key.toCaseFolded(), int(section.entries.size() - 1));
    }
}

bool TIniDocument::EraseSection(const String& Section) {
    const int s = FindSection(Section);
    if (s < 0) return false;
    sections_.removeAt(s);
    ReindexSections();
    return true;
}

bool TIniDocument::DeleteKey(const String& Section, const String& Ident) {
    const int s = FindSection(Section);
    if (s < 0) return false;
    const int k = FindKey(sections_[s], Ident);
    if (k < 0) return false;
    sections_[s].entries.removeAt(k);
    sections_[s].Reindex();
    return true;
}
