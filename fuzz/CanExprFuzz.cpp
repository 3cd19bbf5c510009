// libFuzzer entry: any bytes as an expression buffer, evaluated against three records in memory.
// Every input must evaluate or raise one of the library's errors.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lib/moxCanExpr.h"

namespace {

class Records : public TmoxExprEvaluator {
protected:
    Variant GetFieldValue(int FieldNo, const String&, int& DataType, int& DataSize) override {
        static const int types[] = {fldZSTRING, fldFLOAT, fldINT32, fldBOOL, fldDATE};
        static const int sizes[] = {21, 8, 4, 2, 8};
        if (FieldNo < 1 || FieldNo > 5)
            return TmoxExprEvaluator::GetFieldValue(FieldNo, {}, DataType, DataSize);
        DataType = types[FieldNo - 1];
        DataSize = sizes[FieldNo - 1];
        if (row_ >= 3) return Null();
        switch (FieldNo) {
        case 1:
            return row_ == 1 ? Null() : Variant(row_ == 0 ? QStringLiteral("Sam") : QStringLiteral("ab%"));
        case 2:
            return Variant(Currency(row_ == 2 ? -3 : 12));
        case 3:
            return row_ == 0 ? Null() : Variant(int(row_) * 7);
        case 4:
            return Variant(row_ != 1);
        default:
            return Variant(TDateTime(36892.5 + row_));
        }
    }
    void First() override { row_ = 0; }
    void Next() override { ++row_; }
    bool Eof() override { return row_ >= 3; }

private:
    unsigned row_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Records records;
    try {
        records.SetData(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
        records.Evaluate();
    } catch (const Exception&) {
        // Refused or failed with the library's error: what is expected of bad input.
    }
    return 0;
}
