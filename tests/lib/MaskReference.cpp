#include "MaskReference.h"

#include <algorithm>

namespace mox::test {

namespace {

enum class Kind {
    End,
    Literal,
    Digit,
    Letter,
    Upper,
    Lower,
    AlNum,
    UpperAlNum,
    LowerAlNum,
    Star,
    LBr,
    RBr,
    LBc,
    RBc
};

struct Tok {
    Kind kind = Kind::End;
    QChar ch;
    bool escaped = false;
};

bool Consumes(Kind k) {
    return k >= Kind::Literal && k <= Kind::LowerAlNum;
}

struct Reader {
    const QString& s;
    int pos = 0;

    Tok Read() {
        Tok t;
        if (pos >= s.size()) return t;
        QChar c = s[pos++];
        if (c == u'\\') {
            if (pos >= s.size()) {
                t.escaped = true;
                return t;
            }
            t.kind = Kind::Literal;
            t.ch = s[pos++];
            t.escaped = true;
            return t;
        }
        t.ch = c;
        switch (c.unicode()) {
        case u'#':
            t.kind = Kind::Digit;
            break;
        case u'?':
            t.kind = Kind::Letter;
            break;
        case u'&':
            t.kind = Kind::Upper;
            break;
        case u'~':
            t.kind = Kind::Lower;
            break;
        case u'@':
            t.kind = Kind::AlNum;
            break;
        case u'!':
            t.kind = Kind::UpperAlNum;
            break;
        case u'_':
            t.kind = Kind::LowerAlNum;
            break;
        case u'*':
            t.kind = Kind::Star;
            break;
        case u'[':
            t.kind = Kind::LBr;
            break;
        case u']':
            t.kind = Kind::RBr;
            break;
        case u'{':
            t.kind = Kind::LBc;
            break;
        case u'}':
            t.kind = Kind::RBc;
            break;
        default:
            t.kind = Kind::Literal;
            break;
        }
        return t;
    }

    static QString Text(const Tok& t) {
        if (t.kind == Kind::End) return {};
        return t.escaped ? QString(u'\\') + t.ch : QString(t.ch);
    }

    // An element: one token, or a bracketed or braced part up to its balancing closer.
    QString Element() {
        QString e;
        int brackets = 0, braces = 0;
        for (;;) {
            const Tok t = Read();
            e += Text(t);
            if (t.kind == Kind::End) return e;
            if (!t.escaped) {
                if (t.kind == Kind::LBr) ++brackets;
                if (t.kind == Kind::RBr) --brackets;
                if (t.kind == Kind::LBc) ++braces;
                if (t.kind == Kind::RBc) --braces;
            }
            if (brackets == 0 && braces == 0) return e;
        }
    }

    // The next alternative of a group, or false when the group is done.
    bool Alternative(QString& alt) {
        alt.clear();
        const int start = pos;
        Tok t = Read();
        if (t.kind == Kind::RBc) return false;
        pos = start;
        int depth = 0;
        for (;;) {
            const int before = pos;
            t = Read();
            if (t.kind == Kind::End) return true;
            if (!t.escaped) {
                if (t.kind == Kind::Literal && t.ch == u',' && depth == 0) return true;
                if (t.kind == Kind::LBr || t.kind == Kind::LBc) ++depth;
                if (t.kind == Kind::RBr || t.kind == Kind::RBc) {
                    if (depth == 0) {
                        pos = before;
                        return true;
                    }
                    --depth;
                }
            }
            alt += Text(t);
        }
    }

    int Count() {
        int count = -1;
        for (;;) {
            const int before = pos;
            const Tok t = Read();
            if (t.kind == Kind::Literal && !t.escaped && t.ch >= u'0' && t.ch <= u'9') {
                count = (count < 0 ? 0 : count * 10) + (t.ch.unicode() - u'0');
            } else {
                pos = before;
                return count;
            }
        }
    }
};

bool IsLetter(QChar c) {
    return c.isLetter();
}
bool IsAlNum(QChar c) {
    return c.isLetterOrNumber();
}

ReferenceMatch Match(const QString& P, const QString& text, bool partial, bool cc, bool ci) {
    QString T = text;
    const int L = int(T.size());
    int matched = 0;
    bool result = true;
    QString fill;
    bool openRepeatAtEnd = false;
    Reader r{P};
    Tok tok = r.Read();
    auto takeFill = [&](const QString& f) {
        if (!openRepeatAtEnd) fill = f;
    };
    auto copyBack = [&](const ReferenceMatch& m) {
        T.replace(matched, m.matched, m.text.left(m.matched));
        matched += m.matched;
    };
    while (result && tok.kind != Kind::End) {
        if (matched == L && Consumes(tok.kind)) break;
        bool handledRest = false;
        switch (tok.kind) {
        case Kind::Literal:
            if (ci) {
                if (QString(T[matched]).compare(QString(tok.ch), Qt::CaseInsensitive) == 0)
                    T[matched] = tok.ch;
                else
                    result = false;
            } else {
                result = T[matched] == tok.ch;
            }
            break;
        case Kind::Digit:
            result = T[matched] >= u'0' && T[matched] <= u'9';
            break;
        case Kind::Letter:
            result = IsLetter(T[matched]);
            break;
        case Kind::Upper:
        case Kind::Lower:
            result = IsLetter(T[matched]);
            if (result && cc)
                T[matched] = tok.kind == Kind::Upper ? T[matched].toUpper() : T[matched].toLower();
            break;
        case Kind::AlNum:
            result = IsAlNum(T[matched]);
            break;
        case Kind::UpperAlNum:
        case Kind::LowerAlNum:
            result = IsAlNum(T[matched]);
            if (result && cc)
                T[matched] = tok.kind == Kind::UpperAlNum ? T[matched].toUpper() : T[matched].toLower();
            break;
        case Kind::Star: {
            const int count = r.Count();
            const QString element = r.Element();
            const QString rest = P.mid(r.pos);
            QString sub = T.mid(matched);
            if (count >= 0) {
                QString expanded;
                for (int i = 0; i < count; ++i)
                    expanded += element;
                const ReferenceMatch m = Match(expanded + rest, sub, partial, cc, ci);
                result = m.ok;
                if (m.ok) {
                    copyBack(m);
                    takeFill(m.fill);
                }
                tok = Tok{};
                handledRest = true;
            } else {
                while (!sub.isEmpty()) {
                    ReferenceMatch m;
                    for (int len = 1; len <= sub.size() && !m.ok; ++len)
                        m = Match(element, sub.left(len), false, cc, ci);
                    if (!m.ok && partial) m = Match(element, sub, true, cc, ci);
                    if (!m.ok) break;
                    copyBack(m);
                    fill = m.fill;
                    sub = sub.mid(m.matched);
                }
                if (matched == L) openRepeatAtEnd = true;
                tok = r.Read();
                continue;
            }
            break;
        }
        case Kind::LBr: {
            r.pos -= 1;
            const QString element = r.Element();
            const QString inner = element.mid(1, element.size() - 2);
            const QString rest = P.mid(r.pos);
            const QString sub = T.mid(matched);
            const ReferenceMatch m1 = Match(inner + rest, sub, partial, cc, ci);
            if (m1.ok) {
                copyBack(m1);
                if (!sub.isEmpty()) takeFill(m1.fill);
            } else {
                const ReferenceMatch m2 = Match(rest, sub, partial, cc, ci);
                if (m2.ok) {
                    copyBack(m2);
                    takeFill(m2.fill);
                } else {
                    result = false;
                    matched += std::max(m1.matched, m2.matched);
                }
            }
            tok = Tok{};
            handledRest = true;
            break;
        }
        case Kind::LBc: {
            const int brace = r.pos - 1;
            r.pos = brace;
            r.Element();
            const QString rest = P.mid(r.pos);
            const QString sub = T.mid(matched);
            Reader alts{P, brace + 1};
            QString alt;
            result = false;
            while (alts.Alternative(alt)) {
                const ReferenceMatch m = Match(alt + rest, sub, partial, cc, ci);
                if (m.ok) {
                    copyBack(m);
                    if (m.matched > 0) takeFill(m.fill);
                    result = true;
                    break;
                }
            }
            // A group without a fitting alternative ends the match on the group itself.
            if (result) tok = Tok{};
            handledRest = true;
            break;
        }
        default:
            break;
        }
        if (handledRest) break;
        if (result && Consumes(tok.kind)) ++matched;
        tok = r.Read();
    }
    ReferenceMatch out;
    if (partial) {
        result = matched == L;
        if (result && tok.kind == Kind::Literal && !openRepeatAtEnd) {
            fill += tok.ch;
            for (;;) {
                const Tok t = r.Read();
                if (t.kind != Kind::Literal) break;
                fill += t.ch;
            }
        }
    } else {
        result = result && matched == L && tok.kind == Kind::End;
    }
    out.ok = result;
    out.matched = matched;
    out.text = result ? T : text;
    out.fill = result ? fill : QString();
    return out;
}

} // namespace

ReferenceMatch ReferenceMatchPicture(const QString& mask, const QString& text, bool partial,
                                     bool caseCorrection, bool caseInsensitive) {
    return Match(mask, text, partial, caseCorrection, caseInsensitive);
}

} // namespace mox::test
