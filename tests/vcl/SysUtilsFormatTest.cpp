#include <gtest/gtest.h>

#include "FixedFormatSettings.h"
#include "TestSupport.h"
#include "vcl/SysUtils.h"

namespace {

class FormatTest : public mox::test::FixedFormatSettings {};

TEST_F(FormatTest, Conversions) {
    int x = 0;
    struct {
        String result, expected;
    } cases[] = {
        {Format("%d", {42}), "42"},
        {Format("%d", {-42}), "-42"},
        {Format("%.5d", {-42}), "-00042"},
        {Format("%5d|%-5d|", {42, 42}), "   42|42   |"},
        {Format("%d", {Int64(1) << 40}), "1099511627776"},
        {Format("%u", {-1}), "4294967295"},
        {Format("%u", {3000000000u}), "3000000000"},
        {Format("%x", {255}), "FF"},
        {Format("%.4x", {255}), "00FF"},
        {Format("%x", {-1}), "FFFFFFFF"},
        {Format("%X", {Int64(-1)}), "FFFFFFFFFFFFFFFF"},
        {Format("%f", {1234.5678}), "1234.57"},
        {Format("%.0f", {2.5}), "3"},
        {Format("%.3f", {-0.0005}), "-0.001"},
        {Format("%n", {1234567.891}), "1,234,567.89"},
        {Format("%.0n", {1234567.891}), "1,234,568"},
        {Format("%m", {-1234.5}), "($1,234.50)"},
        {Format("%m", {Currency(3)}), "$3.00"},
        {Format("%.1m", {Currency(3)}), "$3.0"},
        {Format("%e", {1234.5}), "1.23450000000000E+003"},
        {Format("%.3e", {1234.5}), "1.23E+003"},
        {Format("%g", {1234.5}), "1234.5"},
        {Format("%g", {1e20}), "1E20"},
        {Format("%.3g", {1234.5}), "1.23E3"},
        {Format("%s", {"text"}), "text"},
        {Format("%s", {String("wide ü")}), "wide ü"},
        {Format("%s", {QChar(u'c')}), "c"},
        {Format("%.2s", {"text"}), "te"},
        {Format("%6s|%-6s|", {"ab", "ab"}), "    ab|ab    |"},
        {Format("%p", {static_cast<const void*>(&x)}).size() == int(sizeof(void*) * 2) ? "ok" : "bad", "ok"},
        {Format("%p", {nullptr}), QString(int(sizeof(void*) * 2), u'0')},
        {Format("100%%", {}), "100%"},
        {Format("%1:s %0:s %s", {"a", "b", "c"}), "b a b"},
        {Format("%*d", {5, 42}), "   42"},
        {Format("%-*d|", {5, 42}), "42   |"},
        {Format("%.*f", {1, 2.25}), "2.3"},
        {Format("%D %S", {1, "x"}), "1 x"},
        {Format("no specs", {1, 2}), "no specs"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.result, c.expected);
    FormatSettings.DecimalSeparator = u',';
    EXPECT_EQ(Format("%.1f", {1.25}), "1,3");
}

TEST_F(FormatTest, ErrorsNameTheWholeFormat) {
    struct {
        const char* format;
        std::initializer_list<TVarRec> args;
        const char* message;
    } cases[] = {
        {"%d", {"text"}, "Format '%d' invalid or incompatible with argument"},
        {"%d", {1.5}, "Format '%d' invalid or incompatible with argument"},
        {"%f", {1}, "Format '%f' invalid or incompatible with argument"},
        {"%s", {1}, "Format '%s' invalid or incompatible with argument"},
        {"%d", {true}, "Format '%d' invalid or incompatible with argument"},
        {"%y", {1}, "Format '%y' invalid or incompatible with argument"},
        {"abc %", {1}, "Format 'abc %' invalid or incompatible with argument"},
        {"%p", {1}, "Format '%p' invalid or incompatible with argument"},
        {"%*d", {"w", 1}, "Format '%*d' invalid or incompatible with argument"},
        {"%d %d", {1}, "No argument for format '%d %d'"},
        {"%s", {}, "No argument for format '%s'"},
        {"%5:d", {1}, "No argument for format '%5:d'"},
    };
    for (const auto& c : cases) {
        try {
            Format(c.format, c.args);
            ADD_FAILURE() << c.format;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
}

} // namespace
