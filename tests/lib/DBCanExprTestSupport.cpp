// A readable term of an expression buffer, read straight from its bytes.
#include "DBCanExprTestSupport.h"

#include <cstring>

namespace dbcanexpr {
namespace {

class Dumper {
public:
    explicit Dumper(const TExprData& data) : d_(data) { literals_ = Word16(8); }

    String Node(int offset) {
        if (++steps_ > 10000) return "<loop>";
        const int at = ExprHeaderSize + offset;
        const int cls = int(Dword(at)), op = int(Dword(at + 4));
        auto operand = [&](int i) { return Word16(at + 8 + 2 * i); };
        switch (cls) {
        case nodeNULL:
            return "NULL";
        case nodeUNARY:
            return Op(op) + "(" + Node(operand(0)) + ")";
        case nodeBINARY: {
            const String l = Node(operand(0));
            if (op == coIN) return "IN(" + l + ",[" + List(operand(1)) + "])";
            if (op == coASSIGN && operand(1) == operand(0)) return "ASSIGN(" + l + ",=)";
            return Op(op) + "(" + l + "," + Node(operand(1)) + ")";
        }
        case nodeCOMPARE:
            return QString("CMP.%1[%2,%3](%4,%5)")
                .arg(Op(op))
                .arg(operand(0))
                .arg(operand(1))
                .arg(Node(operand(2)), Node(operand(3)));
        case nodeFIELD:
            return Text(operand(1)) + "#" + QString::number(operand(0));
        case nodeCONST:
            return Constant(operand(0), operand(1), operand(2));
        case nodeFUNC:
            return Text(operand(0)) + "(" + (operand(1) ? List(operand(1)) : String()) + ")";
        default:
            return QString("<class %1>").arg(cls);
        }
    }

private:
    String List(int offset) {
        QStringList items;
        for (int i = offset, n = 0; n < 1000; ++n) {
            const int at = ExprHeaderSize + i;
            items << Node(Word16(at + 8));
            i = Word16(at + 10);
            if (i == 0) break;
        }
        return items.join(",");
    }

    static String Op(int op) {
        static const char* const names[] = {
            "NOTDEFINED", "ISBLANK", "NOTBLANK", "EQ",    "NE",     "GT",    "LT",    "GE",    "LE",      "NOT",
            "AND",        "OR",      "TUPLE2",   "FIELD2", "CONST2", "MINUS", "ADD",   "SUB",   "MUL",     "DIV",
            "MOD",        "REM",     "SUM",      "COUNT",  "MIN",    "MAX",   "AVG",   "CONT",  "UDF2",    "CONTINUE2",
            "LIKE",       "IN",      "LIST2",    "UPPER",  "LOWER",  "FUNC2", "LISTELEM2", "ASSIGN"};
        return op >= 0 && op < int(std::size(names)) ? String(names[op]) : QString::number(op);
    }

    String Constant(int type, int size, int literal) {
        const int at = literals_ + literal;
        switch (type) {
        case fldZSTRING:
            return "'" + Text(literal) + "'";
        case fldINT16:
            return "s:" + QString::number(qint16(Word16(at)));
        case fldUINT16:
            return "w:" + QString::number(Word16(at));
        case fldINT32:
            return "i:" + QString::number(qint32(Dword(at)));
        case fldBOOL:
            return "b:" + QString::number(Word16(at));
        case fldDATE:
            return "d:" + QString::number(qint32(Dword(at)));
        case fldTIME:
            return "t:" + QString::number(qint32(Dword(at)));
        case fldFLOAT:
            return "f:" + QString::number(Double(at), 'g', 17);
        case fldTIMESTAMP:
            return "ts:" + QString::number(Double(at), 'f', 0);
        case fldBCD:
            return "bcd" + QString::number(size) + ":" + QString(d_.mid(at, size).toHex());
        default:
            return QString("<type %1>").arg(type);
        }
    }

    String Text(int literal) const { return QString::fromUtf8(d_.constData() + literals_ + literal); }
    int Word16(int at) const { return Byte(d_[at]) | (Byte(d_[at + 1]) << 8); }
    quint32 Dword(int at) const { return quint32(Word16(at)) | (quint32(Word16(at + 2)) << 16); }
    double Double(int at) const {
        double v = 0;
        std::memcpy(&v, d_.constData() + at, 8);
        return v;
    }

    const TExprData& d_;
    int literals_ = 0;
    int steps_ = 0;
};

} // namespace

String Dump(const TExprData& data) {
    if (data.size() < ExprHeaderSize) return "<empty>";
    return Dumper(data).Node(0);
}

} // namespace dbcanexpr
