// Variant arrays of one or two dimensions.
#include "vcl/variants/Access.h"

using namespace VariantRules;
using VA = VariantAccess;

namespace {

[[noreturn]] void NotAnArray() {
    throw EVariantNotAnArrayError(QString::fromLatin1(VariantConsts::SVarNotArray));
}
[[noreturn]] void CreateError() {
    throw EVariantArrayCreateError(QString::fromLatin1(VariantConsts::SVarArrayCreate));
}

const Variant::ArrayData& Data(const Variant& a) {
    if (!a.IsArray()) NotAnArray();
    return *VA::A(a);
}

size_t Offset(const Variant::ArrayData& d, std::initializer_list<int> indices) {
    if (int(indices.size()) != d.dims) BadIndex();
    size_t offset = 0;
    int dim = 0;
    for (int index : indices) {
        const Int64 k = Int64(index) - d.low[dim];
        if (k < 0 || k >= d.count[dim]) BadIndex();
        offset = offset * size_t(d.count[dim]) + size_t(k);
        ++dim;
    }
    return offset;
}

// The value an element of a typed array starts with: zero of its type.
Variant Initial(TVarType elementType) {
    if (elementType == varVariant) return Variant();
    if (IsStringType(elementType)) return VA::MakeString(elementType, String());
    return VarAsType(Variant(0), elementType);
}

bool ValidElementType(TVarType t) {
    switch (t) {
    case varSmallint:
    case varInteger:
    case varSingle:
    case varDouble:
    case varCurrency:
    case varDate:
    case varOleStr:
    case varBoolean:
    case varVariant:
    case varShortInt:
    case varByte:
    case varWord:
    case varLongWord:
    case varInt64:
    case varUInt64:
    case varString:
    case varUString:
        return true;
    default:
        return false;
    }
}

// Keeps the element counts small enough that an index never overflows.
constexpr Int64 MaxElements = Int64(1) << 28;

} // namespace

Variant::ArrayData& VariantAccess::Writable(Variant& v) {
    if (v.array_.use_count() > 1) v.array_ = std::make_shared<Variant::ArrayData>(*v.array_);
    return *v.array_;
}

Variant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType) {
    if (bounds.size() != 2 && bounds.size() != 4) CreateError();
    if (!ValidElementType(elementType)) CreateError();
    auto data = std::make_shared<Variant::ArrayData>();
    data->elementType = elementType;
    data->dims = int(bounds.size() / 2);
    const int* b = bounds.begin();
    Int64 total = 1;
    for (int d = 0; d < data->dims; ++d) {
        const Int64 count = Int64(b[2 * d + 1]) - b[2 * d] + 1;
        if (count < 0) CreateError();
        data->low[d] = b[2 * d];
        data->count[d] = int(count);
        total *= count;
        if (total > MaxElements) CreateError();
    }
    data->items.assign(size_t(total), Initial(elementType));
    return VA::MakeArray(std::move(data));
}

Variant VarArrayOf(std::initializer_list<Variant> values) {
    auto data = std::make_shared<Variant::ArrayData>();
    data->count[0] = int(values.size());
    data->items.assign(values.begin(), values.end());
    return VA::MakeArray(std::move(data));
}

int VarArrayDimCount(const Variant& a) {
    return a.IsArray() ? VA::A(a)->dims : 0;
}

int VarArrayLowBound(const Variant& a, int dim) {
    const auto& d = Data(a);
    if (dim < 1 || dim > d.dims) BadIndex();
    return d.low[dim - 1];
}

int VarArrayHighBound(const Variant& a, int dim) {
    const auto& d = Data(a);
    if (dim < 1 || dim > d.dims) BadIndex();
    return int(Int64(d.low[dim - 1]) + d.count[dim - 1] - 1);
}

void VarArrayRedim(Variant& a, int highBound) {
    Data(a);
    Variant::ArrayData& d = VA::Writable(a);
    const int last = d.dims - 1;
    const Int64 count = Int64(highBound) - d.low[last] + 1;
    if (count < 0) CreateError();
    const Int64 rows = d.dims == 2 ? d.count[0] : 1;
    if (rows * count > MaxElements) CreateError();
    std::vector<Variant> items(size_t(rows * count), Initial(d.elementType));
    const Int64 keep = qMin<Int64>(count, d.count[last]);
    for (Int64 r = 0; r < rows; ++r)
        for (Int64 c = 0; c < keep; ++c)
            items[size_t(r * count + c)] = d.items[size_t(r * d.count[last] + c)];
    d.items = std::move(items);
    d.count[last] = int(count);
}

Variant Variant::GetElement(std::initializer_list<int> indices) const {
    const auto& d = Data(*this);
    return d.items[Offset(d, indices)];
}

void Variant::PutElement(std::initializer_list<int> indices, const Variant& value) {
    const size_t offset = Offset(Data(*this), indices);
    Variant::ArrayData& d = VA::Writable(*this);
    d.items[offset] = d.elementType == varVariant ? value : VarAsType(value, d.elementType);
}

Variant VarArrayGet(const Variant& a, std::initializer_list<int> indices) {
    return a.GetElement(indices);
}
void VarArrayPut(Variant& a, const Variant& value, std::initializer_list<int> indices) {
    a.PutElement(indices, value);
}
