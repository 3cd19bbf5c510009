#pragma once
// TStrings: the abstract list of strings with an object beside each, and its text forms.
#include <QChar>
#include <QStringList>

#include "vcl/classes/Errors.h"
#include "vcl/classes/Persistent.h"
#include "vcl/sysutils/Strings.h"

class TStrings : public TPersistent {
    Q_OBJECT
public:
    TStrings();
    ~TStrings() override;

    virtual int Count() const = 0;
    // Strings[Index]: Get and Put.
    String Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const String& S) { Put(Index, S); }
    TObject* Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    virtual String Get(int Index) const = 0;
    virtual void Put(int Index, const String& S);
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);

    virtual int Add(const String& S);
    virtual int AddObject(const String& S, TObject* AObject);
    void Append(const String& S) { Add(S); }
    // Adds every line of Strings with its object, in one update.
    virtual void AddStrings(TStrings* Strings);
    void AddStrings(const QStringList& Strings);
    virtual void Insert(int Index, const String& S) = 0;
    virtual void InsertObject(int Index, const String& S, TObject* AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);

    // Searches with the list's comparison, which ignores case unless a descendant says otherwise.
    virtual int IndexOf(const String& S) const;
    virtual int IndexOfName(const String& Name) const;
    virtual int IndexOfObject(TObject* AObject) const;
    // True when both lists hold the same strings in the same order (case counts).
    bool Equals(TStrings* Strings) const;

    // Name=value lines: the name is the text before the first separator ("" when there is none).
    String Names(int Index) const;
    String Values(const String& Name) const;
    // Replaces the value of the named line, adds a line when there is none; an empty value deletes it.
    void SetValues(const String& Name, const String& Value);
    String ValueFromIndex(int Index) const;
    void SetValueFromIndex(int Index, const String& Value);

    // Every line followed by LineBreak (unless TrailingLineBreak is off, then the lines are joined).
    // Setting it splits at "\r\n", "\n" and "\r".
    virtual String Text() const;
    virtual void SetText(const String& Value);
    String CommaText() const;
    void SetCommaText(const String& Value);
    String DelimitedText() const;
    void SetDelimitedText(const String& Value);

    QChar Delimiter() const { return delimiter_; }
    void SetDelimiter(QChar Value) { delimiter_ = Value; }
    QChar QuoteChar() const { return quoteChar_; }
    void SetQuoteChar(QChar Value) { quoteChar_ = Value; }
    QChar NameValueSeparator() const { return nameValueSeparator_; }
    void SetNameValueSeparator(QChar Value) { nameValueSeparator_ = Value; }
    // Only the delimiter separates items; blanks are part of them and are not quoted.
    bool StrictDelimiter() const { return strictDelimiter_; }
    void SetStrictDelimiter(bool Value) { strictDelimiter_ = Value; }
    String LineBreak() const { return lineBreak_; }
    void SetLineBreak(const String& Value) { lineBreak_ = Value; }
    bool TrailingLineBreak() const { return trailingLineBreak_; }
    void SetTrailingLineBreak(bool Value) { trailingLineBreak_ = Value; }

    // Updates nest; the list hears of the first BeginUpdate and the last EndUpdate (SetUpdateState).
    void BeginUpdate();
    void EndUpdate();

    // Copies the strings and objects of any TStrings, and the text settings.
    void Assign(TPersistent* Source) override;

    // Qt boundaries: the lines as a QStringList, and replacing the lines by one (objects cleared).
    QStringList ToQStringList() const;
    void SetQStringList(const QStringList& Lines);

protected:
    // The lines live in form resources as the list "Strings" ("Items.Strings = ( 'a' 'b' )").
    void DefineProperties(TFiler* Filer) override;
    [[noreturn]] void Error(const char* Message, int Data) const;
    // Compares two strings by the list's rule; the base uses the locale's collation without regard to case.
    virtual int CompareStrings(const String& S1, const String& S2) const;
    virtual void SetUpdateState(bool Updating);
    int UpdateCount() const { return updateCount_; }
    // Runs Job between BeginUpdate and EndUpdate; EndUpdate runs also when Job raises.
    template <class F> void Updating(F&& Job) {
        BeginUpdate();
        try {
            Job();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
    }
    // Parses Value with the given delimiter and quote character, replacing the lines.
    void SetDelimitedTextWith(const String& Value, QChar Delim, QChar Quote, bool Strict);
    String DelimitedTextWith(QChar Delim, QChar Quote, bool Strict) const;

private:
    QChar delimiter_ = ',';
    QChar quoteChar_ = '"';
    QChar nameValueSeparator_ = '=';
    bool strictDelimiter_ = false;
    String lineBreak_ = QString::fromLatin1(sLineBreak);
    bool trailingLineBreak_ = true;
    int updateCount_ = 0;
};
