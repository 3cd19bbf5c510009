#include <QFile>
#include <QStringDecoder>
#include <gtest/gtest.h>

#include "MultiLangFixture.h"
#include "TestSupport.h"
#include "lib/moxMultiLang.h"
#include "vcl/SysUtils.h"

using namespace mox::test;

namespace {

const QStringList Languages{"English", "Espanol", "Russian", "Deutsch"};

QString ResourceOf(const QString& language) {
    return ":/lang/" + language + ".lng";
}

QStringList Keys(TCustomIniFile& file, const QString& section) {
    TStringList keys;
    file.ReadSection(section, &keys);
    QStringList list = keys.ToQStringList();
    list.sort(Qt::CaseInsensitive);
    return list;
}

} // namespace

class LanguageFile : public ::testing::TestWithParam<QString> {};

TEST_P(LanguageFile, IsUtf8AndCarriesTheKeysOfTheEnglishFile) {
    QFile raw(ResourceOf(GetParam()));
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(raw.readAll());
    EXPECT_FALSE(utf8.hasError());

    TMemIniFile english(ResourceOf("English"));
    TMemIniFile file(ResourceOf(GetParam()));
    TStringList sections;
    file.ReadSections(&sections);
    EXPECT_EQ(sections.ToQStringList(), (QStringList{"Translations", "Messages"}));
    for (const QString section : {"Translations", "Messages"}) {
        SCOPED_TRACE(section.toStdString());
        const QStringList keys = Keys(file, section);
        EXPECT_FALSE(keys.isEmpty());
        EXPECT_EQ(keys, Keys(english, section));
        for (const QString& key : keys)
            EXPECT_FALSE(file.ReadString(section, key, "").isEmpty()) << key.toStdString();
    }
    EXPECT_EQ(SplitTranslationLines(file.ReadString("Translations", "ToolsForm.FruitList.Items", "")).size(),
              3);
    // The language list names the files: translating it would break the next choice.
    EXPECT_FALSE(file.ValueExists("Translations", "ToolsForm.LanguageCombo.Items"));
}

INSTANTIATE_TEST_SUITE_P(Demo, LanguageFile, ::testing::ValuesIn(Languages),
                         [](const auto& info) { return info.param.toStdString(); });

TEST(LanguageFiles, SwitchingLanguagesTranslatesTheToolsPageAndBackToEnglish) {
    ToolsPage page;
    auto* translator = new TmoxMultiLanguage(page.form.get());
    const QStringList englishFruits{"Apple", "Strawberry", "Cherry"};
    QStringList captions;
    for (const QString& language : Languages + QStringList{"English"}) {
        translator->SetFileName(ResourceOf(language));
        translator->Translate();
        captions << page.fruitsLabel->Caption();
        EXPECT_EQ(page.fruitList->Items()->Count(), 3);
        EXPECT_EQ(page.languageCombo->Items()->ToQStringList(), Languages);
        const QString message = translator->TranslateMsg("No one fruit is selected");
        EXPECT_EQ(message == "No one fruit is selected", language == "English") << language.toStdString();
    }
    EXPECT_EQ(captions,
              (QStringList{"&Fruits", "&Frutas", QString::fromUtf8("&Фрукты"), "&Obst", "&Fruits"}));
    EXPECT_EQ(page.fruitList->Items()->ToQStringList(), englishFruits);
    EXPECT_EQ(page.form->Caption(), "MOX Tools");
    EXPECT_EQ(page.messageBtn->Caption(), "Selected fruit");
}

TEST(LanguageFiles, AreLookedForBesideTheProgram) {
    SetProgramFileName("/opt/mox/bin/MoxLibDemo");
    EXPECT_EQ(LanguageFilePath("Espanol"), "/opt/mox/bin/Espanol.lng");
    SetProgramFileName(QString());
}
