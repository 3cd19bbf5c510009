#include <QMetaProperty>
#include <gtest/gtest.h>
#include <type_traits>

#include "lib/moxConsts.h"
#include "lib/moxStdCtrls.h"

namespace {

static_assert(std::is_base_of_v<Exception, EPictureError>);

QMetaProperty Property(const TPersistent& object, const char* name) {
    const QMetaObject* mo = object.metaObject();
    return mo->property(mo->indexOfProperty(name));
}

TEST(PictureMask, StartsEmptyWithAllOptions) {
    TmoxPictureMask mask;
    EXPECT_EQ(mask.ClassName(), "TmoxPictureMask");
    EXPECT_TRUE(mask.PictureMask().isEmpty());
    EXPECT_EQ(mask.Options(), poAutoFill | poCaseCorrection | poCaseInsensitive);
    // Both are published, the options as a set with named members.
    const QMetaProperty options = Property(mask, "Options");
    ASSERT_TRUE(options.isValid());
    ASSERT_TRUE(options.isFlagType());
    EXPECT_EQ(options.enumerator().valueToKeys(int(mask.Options())),
              "poAutoFill|poCaseCorrection|poCaseInsensitive");
    EXPECT_TRUE(Property(mask, "PictureMask").isWritable());
}

TEST(PictureMask, MalformedPictureIsRefusedAndTheOldOneKept) {
    TmoxPictureMask mask;
    mask.SetPictureMask("###-####");
    for (const char* bad : {"{a,}", "[#", "abc\\", "##*"}) {
        try {
            mask.SetPictureMask(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const EPictureError& e) {
            EXPECT_EQ(e.Message(), "Invalid picture mask");
            EXPECT_EQ(e.Message(), SInvalidPictureMask);
        }
        EXPECT_EQ(mask.PictureMask(), "###-####");
    }
    mask.SetPictureMask("");
    EXPECT_TRUE(mask.PictureMask().isEmpty());
}

TEST(PictureMask, MatchTextFollowsTheOptions) {
    TmoxPictureMask mask;
    mask.SetPictureMask("{Yes,No}");
    String text = "y", fill;
    EXPECT_TRUE(mask.MatchText(text, fill, true));
    EXPECT_EQ(text, "Y");
    EXPECT_EQ(fill, "es");

    mask.SetOptions(poCaseCorrection); // literals now compare exactly
    text = "y";
    EXPECT_FALSE(mask.MatchText(text, fill, true));
    EXPECT_EQ(text, "y");
    EXPECT_TRUE(fill.isEmpty());

    mask.SetPictureMask("&?");
    text = "ab";
    EXPECT_TRUE(mask.MatchText(text, fill, false));
    EXPECT_EQ(text, "Ab");
    mask.SetOptions({});
    text = "ab";
    EXPECT_TRUE(mask.MatchText(text, fill, false));
    EXPECT_EQ(text, "ab");
}

TEST(PictureMask, AssignCopiesFromAnotherMaskOnly) {
    TmoxPictureMask source, target;
    source.SetPictureMask("(###)###-####");
    source.SetOptions(poCaseInsensitive);
    target.Assign(&source);
    EXPECT_EQ(target.PictureMask(), "(###)###-####");
    EXPECT_EQ(target.Options(), TPictureOptions(poCaseInsensitive));
    String text = "(123", fill;
    EXPECT_TRUE(target.MatchText(text, fill, true));
    EXPECT_EQ(fill, ")");

    TComponent other(nullptr);
    EXPECT_NO_THROW(target.Assign(&other));
    EXPECT_NO_THROW(target.Assign(nullptr));
    EXPECT_EQ(target.PictureMask(), "(###)###-####");
}

} // namespace
