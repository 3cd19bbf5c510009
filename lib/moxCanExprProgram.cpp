// Reading and checking expression buffers.
#include "lib/moxCanExprProgram.h"

#include "lib/moxDBConsts.h"
#include "vcl/SysUtils.h"

#include <cmath>
#include <cstring>

namespace {

struct NamedFunction {
    const char* name;
    TExprFunction function;
};
constexpr NamedFunction Functions[] = {
    {"SUM", efSum},         {"MIN", efMin},           {"MAX", efMax},
    {"AVG", efAvg},         {"COUNT", efCount},       {"COUNT(*)", efCount},
    {"UPPER", efUpper},     {"LOWER", efLower},       {"SUBSTRING", efSubstring},
    {"TRIM", efTrim},       {"TRIMLEFT", efTrimLeft}, {"TRIMRIGHT", efTrimRight},
    {"YEAR", efYear},       {"MONTH", efMonth},       {"DAY", efDay},
    {"HOUR", efHour},       {"MINUTE", efMinute},     {"SECOND", efSecond},
    {"GETDATE", efGetDate}, {"DATE", efDate},         {"TIME", efTime},
};

// The last day number of the calendar (31 December 9999), 1 January of year 1 being day 1.
constexpr double LastDayNumber = 3652059;

// The bytes of one buffer with the checks every read makes.
class Reader {
public:
    explicit Reader(const TExprData& data) : data_(data) {
        const TExprHeader header = ExprDataHeader(data);
        total_ = header.iTotalSize;
        literalStart_ = header.iLiteralStart;
        if (total_ < ExprHeaderSize || total_ > data.size() || literalStart_ < ExprHeaderSize ||
            literalStart_ > total_)
            throw EExprDataError(Format(SExprDataBadHeader, {total_, literalStart_, int(data.size())}));
        bytes_ = reinterpret_cast<const Byte*>(data.constData());
    }

    int Total() const { return total_; }
    int NodeAreaSize() const { return literalStart_ - ExprHeaderSize; }

    // Checks that `size` bytes of the node at `node` lie inside the node area.
    void NeedNode(int node, int size) const {
        if (node < 0 || ExprHeaderSize + node + size > literalStart_)
            throw EExprDataError(Format(SExprDataBadNode, {node}));
    }
    std::uint32_t NodeLong(int node, int at) const {
        NeedNode(node, at + 4);
        const Byte* p = bytes_ + ExprHeaderSize + node + at;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
               std::uint32_t(p[3]) << 24;
    }
    // Operand word `index` of the node.
    int Operand(int node, int index) const {
        const int at = ExprNodeHeaderSize + 2 * index;
        NeedNode(node, at + 2);
        const Byte* p = bytes_ + ExprHeaderSize + node + at;
        return p[0] | p[1] << 8;
    }

    // `size` bytes at literal offset `offset`.
    const Byte* Literal(int offset, int size) const {
        if (literalStart_ + offset + size > total_)
            throw EExprDataError(Format(SExprDataBadLiteral, {size, offset}));
        return bytes_ + literalStart_ + offset;
    }
    // The zero-terminated text at `offset`, looking no further than `limit` bytes.
    QByteArray Text(int offset, int limit) const {
        const int start = literalStart_ + offset;
        const int end = std::min(total_, start + limit);
        for (int i = start; i < end; ++i)
            if (bytes_[i] == 0) return QByteArray(reinterpret_cast<const char*>(bytes_ + start), i - start);
        throw EExprDataError(Format(SExprDataUnterminated, {offset}));
    }
    String Name(int offset) const { return String::fromUtf8(Text(offset, total_)); }

private:
    const TExprData& data_;
    const Byte* bytes_ = nullptr;
    int total_ = 0;
    int literalStart_ = 0;
};

Int64 LittleEndian(const Byte* p, int size) {
    UInt64 v = 0;
    for (int i = size - 1; i >= 0; --i)
        v = v << 8 | p[i];
    return Int64(v);
}

double DoubleAt(const Byte* p) {
    const UInt64 bits = UInt64(LittleEndian(p, 8));
    double d = 0;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// Day number and milliseconds since midnight to a date-time; the time is subtracted before
// 30 December 1899, as the date-time number demands.
TDateTime TimeStampToDateTime(double dayNumber, double milliseconds) {
    return ComposeDateTime(TDateTime(dayNumber - DateDelta), TDateTime(milliseconds / MSecsPerDay));
}

void ReadConstant(const Reader& r, int offset, TExprDataNode& node) {
    node.LogicalType = r.Operand(offset, 0);
    const int size = r.Operand(offset, 1), literal = r.Operand(offset, 2);
    // The whole declared value must lie in the literal area, and hold what its type reads.
    const Byte* p = r.Literal(literal, size);
    auto need = [&](int bytes) {
        if (size < bytes) throw EExprDataError(Format(SExprDataBadLiteral, {bytes, literal}));
    };
    switch (node.LogicalType) {
    case fldZSTRING: {
        const QByteArray text = r.Text(literal, size);
        node.Value = Variant(String::fromUtf8(text));
        node.Size = int(text.size()) + 1;
        return;
    }
    case fldDATE:
        need(4);
        node.Value = Variant(TDateTime(double(std::int32_t(LittleEndian(p, 4))) - DateDelta));
        node.LogicalType = fldTIMESTAMP;
        node.Size = 8;
        return;
    case fldBOOL:
        need(2);
        node.Value = Variant(LittleEndian(p, 2) != 0);
        node.Size = 2;
        return;
    case fldINT16:
        need(2);
        node.Value = Variant(short(std::int16_t(LittleEndian(p, 2))));
        node.Size = 2;
        return;
    case fldUINT16:
        need(2);
        node.Value = Variant(int(LittleEndian(p, 2)));
        node.Size = 2;
        return;
    case fldINT32:
        need(4);
        node.Value = Variant(int(std::int32_t(LittleEndian(p, 4))));
        node.Size = 4;
        return;
    case fldFLOAT:
        need(8);
        node.Value = Variant(DoubleAt(p));
        node.Size = 8;
        return;
    case fldBCD: {
        need(ExprBcdConstSize);
        // The stored bytes widened to the whole record, carried as a string of 34 bytes.
        char record[sizeof(TBcd)] = {};
        std::memcpy(record, p, ExprBcdConstSize);
        node.Value = Variant(String::fromLatin1(record, sizeof record));
        node.Size = int(sizeof(TBcd));
        return;
    }
    case fldTIME:
        need(4);
        node.Value = Variant(TDateTime(double(std::int32_t(LittleEndian(p, 4))) / MSecsPerDay));
        node.LogicalType = fldTIMESTAMP;
        node.Size = 8;
        return;
    case fldTIMESTAMP: {
        need(8);
        const double ms = DoubleAt(p);
        const double day = std::isfinite(ms) ? std::floor(ms / MSecsPerDay) : 0;
        node.Size = 8;
        if (day < 1 || day > LastDayNumber) {
            node.ValueError = Format(SInvalidTimeStamp, {FloatToStr(Extended(ms))});
            return;
        }
        node.Value = Variant(TimeStampToDateTime(day, ms - day * MSecsPerDay));
        return;
    }
    default:
        node.Supported = false;
        return;
    }
}

// Which operand words of a node name nodes that the evaluator follows.
struct Links {
    int left = -1, right = -1;   // operand word indexes, or -1
    bool rightOptional = false;  // 0 in that word means none
    bool rightSameLevel = false; // a list chain: walked, not nested
};

Links LinksOf(int nodeClass, int op) {
    switch (nodeClass) {
    case nodeUNARY:
        return {0, -1};
    case nodeBINARY:
        return {0, op == coASSIGN ? -1 : 1};
    case nodeCOMPARE:
        return {2, 3};
    case nodeLIST:
        return {4, -1};
    case nodeFUNC:
        return {1, -1};
    case nodeLISTELEM:
        return {0, 1, true, true};
    default:
        return {};
    }
}

} // namespace

TExprFunction ExprFunctionOf(const String& Name) {
    for (const NamedFunction& f : Functions)
        if (Name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0) return f.function;
    return efUnknown;
}

TExprProgram::TExprProgram(const TExprData& Data) {
    const Reader r(Data);
    data_ = Data.left(r.Total());
    std::vector<bool> seen(std::size_t(r.NodeAreaSize()), false);

    struct Pending {
        int offset, parent, slot, depth;
    };
    std::vector<Pending> pending{{0, -1, 0, 1}};
    while (!pending.empty()) {
        const Pending item = pending.back();
        pending.pop_back();
        r.NeedNode(item.offset, ExprNodeHeaderSize);
        if (seen[std::size_t(item.offset)]) throw EExprDataError(Format(SExprDataNodeReused, {item.offset}));
        seen[std::size_t(item.offset)] = true;
        if (item.depth > MaxExprDepth) throw EExprDataError(Format(SExprDataTooDeep, {MaxExprDepth}));

        const int index = int(nodes_.size());
        nodes_.emplace_back();
        if (item.parent >= 0)
            (item.slot == 0 ? nodes_[std::size_t(item.parent)].Left
                            : nodes_[std::size_t(item.parent)].Right) = index;
        TExprDataNode& node = nodes_.back();
        node.Offset = item.offset;
        node.NodeClass = int(r.NodeLong(item.offset, 0) & 0xFF);
        node.Operator = int(r.NodeLong(item.offset, 4));

        switch (node.NodeClass) {
        case nodeCOMPARE:
            node.CaseInsensitive = r.Operand(item.offset, 0) != 0;
            node.PartialLength = r.Operand(item.offset, 1);
            break;
        case nodeFIELD:
            node.FieldNo = r.Operand(item.offset, 0);
            node.Name = r.Name(r.Operand(item.offset, 1));
            break;
        case nodeCONST:
            ReadConstant(r, item.offset, node);
            break;
        case nodeFUNC:
            node.Name = r.Name(r.Operand(item.offset, 0));
            node.Function = ExprFunctionOf(node.Name);
            break;
        default:
            break;
        }

        const Links links = LinksOf(node.NodeClass, node.Operator);
        if (links.right >= 0) {
            const int right = r.Operand(item.offset, links.right);
            if (!(links.rightOptional && right == 0))
                pending.push_back({right, index, 1, links.rightSameLevel ? item.depth : item.depth + 1});
        }
        if (links.left >= 0) {
            const int left = r.Operand(item.offset, links.left);
            // Only a function's argument list is optional on the left.
            if (!(node.NodeClass == nodeFUNC && left == 0))
                pending.push_back({left, index, 0, item.depth + 1});
        }
    }
}
