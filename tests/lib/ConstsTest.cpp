#include <gtest/gtest.h>

#include "lib/moxConsts.h"
#include "lib/moxSysUtils.h"

TEST(Consts, SettingsMessage) {
    EXPECT_EQ(SCannotCreateIniFile, "Cannot create ini-file");
}

TEST(Consts, FileOperationMessage) {
    const EFileOperation e(Format(SInvalidFileName, {String("a<b")}));
    EXPECT_EQ(e.Message(), "Invalid file name - a<b");
}
