#include "lib/moxMaskProgram.h"

#include <algorithm>

namespace moxMaskProgram {

namespace {

TokenKind KindOf(Char c) {
    switch (c.unicode()) {
    case u'#':
        return TokenKind::Digit;
    case u'?':
        return TokenKind::Letter;
    case u'&':
        return TokenKind::UpperLetter;
    case u'~':
        return TokenKind::LowerLetter;
    case u'@':
        return TokenKind::AlNum;
    case u'!':
        return TokenKind::UpperAlNum;
    case u'_':
        return TokenKind::LowerAlNum;
    case u'*':
        return TokenKind::Star;
    case u'[':
        return TokenKind::OpenBracket;
    case u']':
        return TokenKind::CloseBracket;
    case u'{':
        return TokenKind::OpenBrace;
    case u'}':
        return TokenKind::CloseBrace;
    default:
        return TokenKind::Literal;
    }
}

int SaturatingAdd(int a, int b) {
    return std::min(MaxLength, a + b);
}
int SaturatingMul(int a, int n) {
    if (a == 0 || n == 0) return 0;
    return a > MaxLength / n ? MaxLength : std::min(MaxLength, a * n);
}

// The tree read from the tokens, before it is laid out.
struct Node {
    ItemKind kind = ItemKind::Literal;
    Char ch;
    int count = 0;
    std::vector<Node> inner;             // Optional: its content; Repeat: the element (one node)
    std::vector<std::vector<Node>> alts; // Group
};

enum class Context {
    Top,
    Optional,
    Alternative
};

class Parser {
public:
    explicit Parser(const std::vector<Token>& tokens) : tokens_(tokens) {}

    std::vector<Node> Sequence(Context context) {
        std::vector<Node> seq;
        for (;;) {
            const Token& tok = tokens_[pos_];
            if (EndsSequence(tok, context)) return seq;
            if (tok.kind == TokenKind::Star) {
                ++pos_;
                Repeat(seq, context);
            } else {
                seq.push_back(Element());
            }
        }
    }

private:
    bool EndsSequence(const Token& tok, Context context) const {
        switch (tok.kind) {
        case TokenKind::End:
        case TokenKind::CloseBracket:
        case TokenKind::CloseBrace:
            return true;
        default:
            return context == Context::Alternative && tok.IsComma();
        }
    }

    // After a '*': its count and its element. A repetition that has no element inside its own part
    // (at the end of the picture, before ']' or '}' or a group's separator) repeats nothing, and so
    // does one whose element is another '*'.
    void Repeat(std::vector<Node>& seq, Context context) {
        Node skip;
        skip.kind = ItemKind::Skip;
        int count = -1;
        while (tokens_[pos_].IsCountDigit()) {
            const int digit = tokens_[pos_].ch.unicode() - u'0';
            count = count < 0 ? digit : std::min<long long>(MaxRepeatCount, count * 10LL + digit);
            ++pos_;
        }
        const Token& tok = tokens_[pos_];
        if (EndsSequence(tok, context)) {
            seq.push_back(skip);
            return;
        }
        if (tok.kind == TokenKind::Star) {
            ++pos_;
            seq.push_back(skip);
            return;
        }
        Node element = Element();
        if (count == 0) {
            seq.push_back(skip);
            return;
        }
        Node rep;
        if (element.kind == ItemKind::Literal && count > 0) {
            rep.kind = ItemKind::RepeatLiteral;
            rep.ch = element.ch;
        } else {
            rep.kind = ItemKind::Repeat;
            rep.inner.push_back(std::move(element));
        }
        rep.count = count;
        seq.push_back(std::move(rep));
    }

    Node Element() {
        const Token& tok = tokens_[pos_++];
        Node node;
        switch (tok.kind) {
        case TokenKind::OpenBracket:
            node.kind = ItemKind::Optional;
            node.inner = Sequence(Context::Optional);
            if (tokens_[pos_].kind == TokenKind::CloseBracket) ++pos_;
            return node;
        case TokenKind::OpenBrace:
            node.kind = ItemKind::Group;
            while (tokens_[pos_].kind != TokenKind::CloseBrace && tokens_[pos_].kind != TokenKind::End) {
                node.alts.push_back(Sequence(Context::Alternative));
                if (tokens_[pos_].IsComma())
                    ++pos_;
                else
                    break;
            }
            if (tokens_[pos_].kind == TokenKind::CloseBrace) ++pos_;
            return node;
        default:
            node.kind = ItemKind(int(ItemKind::Literal) + (int(tok.kind) - int(TokenKind::Literal)));
            node.ch = tok.ch;
            return node;
        }
    }

    const std::vector<Token>& tokens_;
    size_t pos_ = 0;
};

struct Lengths {
    int min = 0;
    int max = 0;
    bool open = false;
};

class Emitter {
public:
    explicit Emitter(Program& program) : p_(program) {}

    // Lays the sequence out contiguously, closed by an End item; returns its start.
    int Sequence(const std::vector<Node>& seq, Lengths* lengths = nullptr) {
        const int start = int(p_.items.size());
        p_.items.resize(start + seq.size() + 1);
        Lengths total;
        for (size_t i = 0; i < seq.size(); ++i) {
            const Lengths one = Fill(start + int(i), seq[i]);
            total.min = SaturatingAdd(total.min, one.min);
            total.max = SaturatingAdd(total.max, one.max);
            total.open = total.open || one.open;
        }
        if (lengths) *lengths = total;
        return start;
    }

private:
    Lengths Fill(int at, const Node& node) {
        Item item;
        item.kind = node.kind;
        item.ch = node.ch;
        item.count = node.count;
        Lengths result{1, 1, false};
        switch (node.kind) {
        case ItemKind::Optional: {
            Lengths inner;
            item.child = Sequence(node.inner, &inner);
            result = {0, inner.max, inner.open};
            break;
        }
        case ItemKind::Group: {
            item.firstAlt = int(p_.alts.size());
            item.altCount = int(node.alts.size());
            p_.alts.resize(p_.alts.size() + node.alts.size());
            result = {MaxLength, 0, false}; // a group without alternatives matches nothing
            for (size_t k = 0; k < node.alts.size(); ++k) {
                Lengths alt;
                const int start = Sequence(node.alts[k], &alt);
                p_.alts[item.firstAlt + k] = start;
                result.min = std::min(result.min, alt.min);
                result.max = std::max(result.max, alt.max);
                result.open = result.open || alt.open;
            }
            break;
        }
        case ItemKind::Repeat: {
            Lengths element;
            item.child = Sequence(node.inner, &element);
            item.openInside = element.open;
            item.minLength = element.min;
            item.maxLength = element.max;
            if (node.count < 0)
                result = {0, MaxLength, true};
            else
                result = {SaturatingMul(element.min, node.count), SaturatingMul(element.max, node.count),
                          element.open};
            break;
        }
        case ItemKind::RepeatLiteral:
            result = {node.count, node.count, false};
            break;
        case ItemKind::Skip:
            result = {0, 0, false};
            break;
        default:
            break;
        }
        p_.items[at] = item;
        return result;
    }

    Program& p_;
};

} // namespace

std::vector<Token> Tokenize(const String& Mask) {
    std::vector<Token> tokens;
    tokens.reserve(Mask.size() + 1);
    for (qsizetype i = 0; i < Mask.size(); ++i) {
        Token tok;
        if (Mask[i] == u'\\') {
            if (i + 1 == Mask.size()) {
                tok.escaped = true; // a lone backslash at the end reads as the end
                tokens.push_back(tok);
                return tokens;
            }
            tok.kind = TokenKind::Literal;
            tok.ch = Mask[++i];
            tok.escaped = true;
        } else {
            tok.kind = KindOf(Mask[i]);
            tok.ch = Mask[i];
        }
        tokens.push_back(tok);
    }
    tokens.push_back(Token{});
    return tokens;
}

bool CheckTokens(const std::vector<Token>& Tokens) {
    std::vector<TokenKind> open;
    const Token* previous = nullptr;
    auto dangles = [&] { return previous && (previous->kind == TokenKind::Star || previous->IsComma()); };
    for (const Token& tok : Tokens) {
        switch (tok.kind) {
        case TokenKind::End:
            return !tok.escaped && open.empty() && !dangles();
        case TokenKind::OpenBracket:
        case TokenKind::OpenBrace:
            open.push_back(tok.kind);
            break;
        case TokenKind::CloseBracket:
            if (open.empty() || open.back() != TokenKind::OpenBracket) return false;
            open.pop_back();
            break;
        case TokenKind::CloseBrace:
            if (open.empty() || open.back() != TokenKind::OpenBrace || dangles()) return false;
            open.pop_back();
            break;
        default:
            break;
        }
        previous = &tok;
    }
    return false;
}

Program Parse(const std::vector<Token>& Tokens) {
    Parser parser(Tokens);
    const std::vector<Node> root = parser.Sequence(Context::Top);
    Program program;
    Emitter(program).Sequence(root);
    return program;
}

} // namespace moxMaskProgram
