#include <gtest/gtest.h>

#include "lib/moxConsts.h"

TEST(Consts, SettingsMessage) { EXPECT_EQ(SCannotCreateIniFile, "Cannot create ini-file"); }
