#pragma once
// Expression trees for the evaluator's tests, written into buffers the way the parser writes them
// (a node before its operands, the left subtree before the right one), and a record source in memory.
#include <QLocale>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "TestSupport.h"
#include "lib/moxBCDUtils.h"
#include "lib/moxCanExpr.h"
#include "vcl/SysUtils.h"
#include "vcl/Variants.h"

namespace canexpr {

// A subtree that writes itself and returns its node offset.
struct X {
    std::function<int(TExprDataWriter&)> write;
};

inline TExprData Build(const X& root) {
    TExprDataWriter w;
    root.write(w);
    return w.Data();
}

inline X Field(int no, const QString& name) {
    return {[=](TExprDataWriter& w) { return w.AddField(no, name); }};
}
inline X Const(int type, const QByteArray& value) {
    return {[=](TExprDataWriter& w) { return w.AddConstant(type, value); }};
}
inline X Int(int v) {
    return Const(fldINT32, ExprLiteral::Int32(v));
}
inline X Dbl(double v) {
    return Const(fldFLOAT, ExprLiteral::Float(v));
}
inline X Str(const QString& v) {
    return Const(fldZSTRING, ExprLiteral::ZString(v));
}
inline X Bool(bool v) {
    return Const(fldBOOL, ExprLiteral::Bool(v));
}
// A decimal constant as the parser writes one: the amount through CurrencyToBcd, 32 digits.
inline X Bcd(double amount, int places) {
    TBcd bcd;
    EXPECT_TRUE(CurrencyToBcd(Currency(amount), bcd, 32, places));
    return Const(fldBCD, ExprLiteral::Bcd(bcd));
}
// A date as its day number (1 January of year 1 is day 1).
inline X Day(int year, int month, int day) {
    return Const(fldDATE,
                 ExprLiteral::Date(int(EncodeDate(Word(year), Word(month), Word(day)).Val) + DateDelta));
}
inline X NullNode() {
    return {[](TExprDataWriter& w) { return w.AddNode(nodeNULL, coNOTDEFINED, 0); }};
}
inline X Un(int op, X a) {
    return {[=](TExprDataWriter& w) {
        const int node = w.AddNode(nodeUNARY, op, 1);
        w.SetOperand(node, 0, a.write(w));
        return node;
    }};
}
inline X Bin(int op, X a, X b) {
    return {[=](TExprDataWriter& w) {
        const int node = w.AddNode(nodeBINARY, op, 2);
        w.SetOperand(node, 0, a.write(w));
        w.SetOperand(node, 1, b.write(w));
        return node;
    }};
}
// coASSIGN as default expressions carry it: the value in both operand words.
inline X Assign(X a) {
    return {[=](TExprDataWriter& w) {
        const int node = w.AddNode(nodeBINARY, coASSIGN, 2);
        const int value = a.write(w);
        w.SetOperand(node, 0, value);
        w.SetOperand(node, 1, value);
        return node;
    }};
}
inline X Cmp(int op, bool caseInsensitive, int partial, X a, X b) {
    return {[=](TExprDataWriter& w) {
        const int node = w.AddNode(nodeCOMPARE, op, 4);
        w.SetOperand(node, 0, caseInsensitive ? 1 : 0);
        w.SetOperand(node, 1, partial);
        w.SetOperand(node, 2, a.write(w));
        w.SetOperand(node, 3, b.write(w));
        return node;
    }};
}
// A chain of list elements; returns the first one's offset (0 for an empty list).
inline int WriteList(TExprDataWriter& w, const std::vector<X>& items) {
    int first = 0, previous = -1;
    for (const X& item : items) {
        const int element = w.AddNode(nodeLISTELEM, coLISTELEM2, 2);
        if (previous < 0)
            first = element;
        else
            w.SetOperand(previous, 1, element);
        w.SetOperand(element, 0, item.write(w));
        previous = element;
    }
    return first;
}
inline X List(std::vector<X> items) {
    return {[=](TExprDataWriter& w) { return WriteList(w, items); }};
}
inline X Fn(const QString& name, std::vector<X> args = {}) {
    return {[=](TExprDataWriter& w) {
        const int node = w.AddNode(nodeFUNC, coFUNC2, 2);
        w.SetOperand(node, 0, w.AddString(name));
        w.SetOperand(node, 1, WriteList(w, args));
        return node;
    }};
}
inline X In(X a, std::vector<X> items) {
    return {[=](TExprDataWriter& w) {
        const int node = w.AddNode(nodeBINARY, coIN, 2);
        w.SetOperand(node, 0, a.write(w));
        w.SetOperand(node, 1, WriteList(w, items));
        return node;
    }};
}

// Same kind and same value; NULL and empty only equal themselves.
inline ::testing::AssertionResult Same(const Variant& actual, const Variant& expected) {
    const bool same =
        actual.VarType() == expected.VarType() &&
        (actual.IsNull() || actual.IsEmpty() || actual.IsArray() || VarSameValue(actual, expected));
    if (same) return ::testing::AssertionSuccess();
    auto show = [](const Variant& v) {
        if (v.IsNull()) return QStringLiteral("NULL");
        if (v.IsEmpty()) return QStringLiteral("empty");
        if (v.IsArray()) return QStringLiteral("array");
        return v.ToString();
    };
    return ::testing::AssertionFailure()
           << "got " << show(actual).toStdString() << " (type " << actual.VarType() << "), expected "
           << show(expected).toStdString() << " (type " << expected.VarType() << ")";
}

// Records in memory: field n (from 1) is column n - 1; past the last record every field is NULL.
class TMemorySource : public TmoxExprEvaluator {
public:
    struct Column {
        QString name;
        int type;
        int size;
    };
    std::vector<Column> columns;
    std::vector<std::vector<Variant>> rows;
    std::size_t current = 0;
    int evaluations = 0, evaluationEnds = 0, aggregates = 0, aggregateEnds = 0;
    std::function<void()> onField;

    Variant Value(int type, int size, const X& root) {
        SetData(Build(root));
        int t = -1, s = -1;
        Variant v = Evaluate(t, s);
        EXPECT_EQ(t, type);
        EXPECT_EQ(s, size);
        return v;
    }

protected:
    Variant GetFieldValue(int FieldNo, const String&, int& DataType, int& DataSize) override {
        if (onField) onField();
        if (FieldNo < 1 || FieldNo > int(columns.size()))
            return TmoxExprEvaluator::GetFieldValue(FieldNo, {}, DataType, DataSize);
        DataType = columns[std::size_t(FieldNo - 1)].type;
        DataSize = columns[std::size_t(FieldNo - 1)].size;
        if (current >= rows.size()) return Null();
        return rows[current][std::size_t(FieldNo - 1)];
    }
    void First() override { current = 0; }
    void Next() override { ++current; }
    bool Eof() override { return current >= rows.size(); }
    void BeginAggregate() override { ++aggregates; }
    void EndAggregate() override { ++aggregateEnds; }
    void BeginEvaluate() override { ++evaluations; }
    void EndEvaluate() override { ++evaluationEnds; }
};

// Fixed format settings and locale for every test of the engine.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedSettings_ = FormatSettings;
        FormatSettings = TFormatSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        FormatSettings.DecimalSeparator = u'.';
        FormatSettings.ShortDateFormat = QStringLiteral("m/d/yyyy");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void TearDown() override {
        FormatSettings = savedSettings_;
        QLocale::setDefault(savedLocale_);
    }

private:
    TFormatSettings savedSettings_;
    QLocale savedLocale_;
};

} // namespace canexpr
