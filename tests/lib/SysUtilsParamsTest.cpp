#include <gtest/gtest.h>

#include "TestSupport.h"
#include "lib/moxSysUtils.h"

namespace {

TEST(MoxParams, NextParamSplitsAtBlanksOutsideQuotes) {
    struct {
        QString text;
        QStringList params;
    } cases[] = {
        {"ab cd", {"ab", "cd"}},  {"  abc \t \"d e\"  f\"\"g \"\" h", {"abc", "d e", "fg", "h"}},
        {"a\"b c\"d", {"ab cd"}}, {"\"unclosed quote", {"unclosed quote"}},
        {"\"\" \"\"", {}},        {"x\r\ny", {"x", "y"}},
    };
    for (const auto& c : cases) {
        int pos = 1;
        QStringList got;
        for (String p = NextParam(c.text, pos); !p.isEmpty(); p = NextParam(c.text, pos))
            got << p;
        EXPECT_EQ(got, c.params) << c.text.toStdString();
        EXPECT_EQ(pos, c.text.size() + 1) << c.text.toStdString();
    }
    int pos = 1;
    EXPECT_EQ(NextParam("ab cd", pos), "ab");
    EXPECT_EQ(pos, 3);
    EXPECT_EQ(NextParam("ab cd", pos), "cd");
    EXPECT_EQ(pos, 6);
}

TEST(MoxParams, LongParametersAreKeptWhole) {
    const QString longName = "/" + QString(300, u'x') + "/" + QString(300, u'y');
    int pos = 1;
    EXPECT_EQ(NextParam(longName + " next", pos), longName);
    EXPECT_EQ(NextParam(longName + " next", pos), "next");
}

TEST(MoxParams, ParamStrOf) {
    const QString line = QStringLiteral("prog  \"my file.txt\" -x");
    EXPECT_EQ(ParamStrOf(line, 0), "prog");
    EXPECT_EQ(ParamStrOf(line, 1), "my file.txt");
    EXPECT_EQ(ParamStrOf(line, 2), "-x");
    EXPECT_EQ(ParamStrOf(line, 3), "");
    EXPECT_EQ(ParamStrOf("\"/my docs/a b.txt\"", 0), "/my docs/a b.txt");
    EXPECT_EQ(ParamStrOf("a \"\" b", 1), "b");
    EXPECT_EQ(ParamStrOf("", 0), "");
    EXPECT_EQ(ParamStrOf("a b", -1), "");
}

} // namespace
