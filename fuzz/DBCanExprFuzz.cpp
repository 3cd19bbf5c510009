// libFuzzer entry: any bytes as the text of an expression (UTF-8), parsed against a data set of
// orders-like fields with three records, as a condition and as a default expression. Every text
// must give a buffer that the evaluator takes, or raise the parser's error.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "lib/moxDBCanExpr.h"
#include "vcl/db/MemoryDataSet.h"

namespace {

using mox::test::TMemoryDataSet;

TMemoryDataSet* Orders() {
    static TMemoryDataSet* orders = [] {
        auto* ds = new TMemoryDataSet();
        ds->columns = {{"OrderNo", ftInteger},  {"Name", ftString, 20}, {"ItemsTotal", ftCurrency},
                       {"AmountPaid", ftCurrency}, {"Qty", ftSmallint}, {"Flag", ftBoolean},
                       {"SaleDate", ftDateTime}, {"Price", ftBCD, 2},  {"Notes", ftMemo}};
        ds->AddRow({1, String("Sam"), Currency(100), Currency(30), Null(), true, TDateTime(43832.5), 1.5, Null()});
        ds->AddRow({2, Null(), Currency(-3), Null(), 7, false, Null(), Null(), Null()});
        ds->AddRow({3, String("ab%"), Null(), Currency(1), -2, Null(), TDateTime(0), 0.25, Null()});
        ds->Open();
        return ds;
    }();
    return orders;
}

void ParseAndEvaluate(const String& text, TParserOptions options, const String& target) {
    TExprData data;
    try {
        data = TmoxExprParser(Orders(), FldTypeMap, nullptr, target, options, {}, text).FilterData();
    } catch (const EDatabaseError&) {
        return;
    } catch (const EConvertError&) {
        return;
    }
    TmoxDBExprEvaluator evaluator;
    evaluator.SetDataSet(Orders());
    // What the parser wrote must be a buffer the reader takes: anything else is a fault.
    try {
        evaluator.SetData(data);
    } catch (const Exception&) {
        std::abort();
    }
    try {
        evaluator.Evaluate();
    } catch (const Exception&) {
        // Evaluation errors are the evaluator's to raise.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const String text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    ParseAndEvaluate(text, xoExtendedSyntax | xoAggregates, String());
    ParseAndEvaluate(text, xoExtendedSyntax | xoAggregates | xoDefaultExpression, QStringLiteral("ItemsTotal"));
    return 0;
}
