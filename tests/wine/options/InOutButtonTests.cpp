// Input/output buttons: their registry form in the option's key and their
// publication in the real KELD4K.INI.
#include "OptionsFixture.h"

#include "setup/ProfileFileScope.h"
#include "setup/options/SetupExtension.h"

#include <cstring>

using namespace optionstest;
using testkit::TestApp;

namespace {

using InOutButtons = OptionsInstallation;

InOutButtonParms Button(int isOutput, uint16_t mapTo, uint16_t present)
{
    InOutButtonParms parms{};
    parms.isOutput = isOutput;
    parms.mapTo = mapTo;
    parms.present = present;
    return parms;
}

TEST_F(InOutButtons, DescribingANewInputCountsItAndWritesItsTexts)
{
    WriteProgram("[INPUT0]\r\nIgnore=1\r\n");
    InOutButtonParms parms = Button(0, 7, IOB_MAPTO | IOB_DESC | IOB_ONDESC);
    std::strcpy(parms.desc, "Door");
    std::strcpy(parms.offDesc, "not written");
    std::strcpy(parms.onDesc, "Open");
    parms.flags = IOBF_INVERT;
    parms.flagsMask = IOBF_RESET | IOBF_INVERT;
    EXPECT_EQ(ShowInOutButton(&parms, SIOB_DESCRIBE), 1);
    EXPECT_EQ(Program("Settings", "NumInputs"), "1");
    EXPECT_EQ(Program("Settings", "NumOutputs"), "<absent>");
    EXPECT_EQ(Program("INPUT0", "MapTo"), "7");
    EXPECT_EQ(Program("INPUT0", "Desc"), "Door");
    EXPECT_EQ(Program("INPUT0", "OffDesc"), "<absent>");
    EXPECT_EQ(Program("INPUT0", "OnDesc"), "Open");
    EXPECT_EQ(Program("INPUT0", "Reset"), "0");
    EXPECT_EQ(Program("INPUT0", "Invert"), "1");
    EXPECT_EQ(Program("INPUT0", "Ignore"), "<absent>");
    EXPECT_EQ(Program("INPUT0", "TBBtn"), "<absent>");
}

TEST_F(InOutButtons, AButtonWithoutItsNumberTakesTheSectionIndex)
{
    WriteProgram("[Settings]\r\nNumInputs=2\r\n[INPUT0]\r\nMapTo=1\r\n[INPUT1]\r\nMapTo=2\r\n");
    InOutButtonParms parms = Button(0, 9, IOB_MAPTO);
    EXPECT_EQ(ShowInOutButton(&parms, SIOB_BUTTON), 1);
    EXPECT_EQ(Program("Settings", "NumInputs"), "3");
    EXPECT_EQ(Program("INPUT2", "MapTo"), "9");
    EXPECT_EQ(Program("INPUT2", "TBBtn"), "2");
}

TEST_F(InOutButtons, AHiddenButtonIsWrittenNegativeAndFoundInvisible)
{
    InOutButtonParms parms = Button(1, 4, IOB_MAPTO | IOB_TBBTN);
    parms.tbBtn = 5;
    EXPECT_EQ(ShowInOutButton(&parms, SIOB_BUTTON | SIOB_HIDDEN), 1);
    EXPECT_EQ(Program("Settings", "NumOutputs"), "1");
    EXPECT_EQ(Program("OUTPUT0", "TBBtn"), "-5");
    int found = -1;
    EXPECT_EQ(IsButtonVisible(4, 1, &found), 0);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(ShowInOutButton(&parms, SIOB_BUTTON), 1);
    EXPECT_EQ(Program("OUTPUT0", "TBBtn"), "5");
    EXPECT_EQ(IsButtonVisible(4, 1, nullptr), 1);
    EXPECT_EQ(Program("Settings", "NumOutputs"), "1") << "publishing again reuses the section";
}

TEST_F(InOutButtons, WithdrawingAnUnpublishedChannelWritesNothing)
{
    WriteProgram("[Settings]\r\nNumInputs=1\r\n[INPUT0]\r\nMapTo=3\r\n");
    std::string before = testkit::ReadFile(TestApp().ProgramIniPath);
    InOutButtonParms parms = Button(0, 4, IOB_MAPTO);
    EXPECT_EQ(ShowInOutButton(&parms, 0), 0);
    EXPECT_EQ(ShowInOutButton(&parms, SIOB_IGNORE), 0);
    parms.isOutput = 1;
    parms.mapTo = 3;
    EXPECT_EQ(ShowInOutButton(&parms, 0), 0) << "inputs and outputs are counted apart";
    EXPECT_EQ(testkit::ReadFile(TestApp().ProgramIniPath), before);
}

TEST_F(InOutButtons, IgnoringKeepsTheButtonAndDescribingClearsTheMarkAgain)
{
    WriteProgram("[Settings]\r\nNumInputs=1\r\n[INPUT0]\r\nMapTo=3\r\nTBBtn=6\r\n");
    InOutButtonParms parms = Button(0, 3, IOB_MAPTO);
    EXPECT_EQ(ShowInOutButton(&parms, SIOB_IGNORE), 1);
    EXPECT_EQ(Program("INPUT0", "Ignore"), "1");
    EXPECT_EQ(Program("INPUT0", "TBBtn"), "6");
    EXPECT_EQ(ShowInOutButton(&parms, SIOB_DESCRIBE), 1);
    EXPECT_EQ(Program("INPUT0", "Ignore"), "<absent>");
}

struct WithdrawCase {
    const char* name;
    const char* stored;   // the section's TBBtn line, or ""
    uint16_t present;
    uint16_t tbBtn;
    const char* written;
};

class InOutWithdrawal : public InOutButtons, public testing::WithParamInterface<WithdrawCase> {};

TEST_P(InOutWithdrawal, HidesTheButtonAndKeepsItHidden)
{
    const WithdrawCase& c = GetParam();
    WriteProgram(std::string("[Settings]\r\nNumOutputs=2\r\n[OUTPUT0]\r\nMapTo=1\r\n[OUTPUT1]\r\nMapTo=6\r\n") +
                 c.stored);
    InOutButtonParms parms = Button(1, 6, c.present);
    parms.tbBtn = c.tbBtn;
    EXPECT_EQ(ShowInOutButton(&parms, 0), 1);
    EXPECT_EQ(Program("OUTPUT1", "TBBtn"), c.written);
    EXPECT_EQ(ShowInOutButton(&parms, 0), 1);
    EXPECT_EQ(Program("OUTPUT1", "TBBtn"), c.written) << "withdrawing again";
    EXPECT_EQ(Program("Settings", "NumOutputs"), "2");
}

INSTANTIATE_TEST_SUITE_P(Stored, InOutWithdrawal,
    testing::Values(WithdrawCase{"Visible", "TBBtn=3\r\n", IOB_MAPTO, 0, "-3"},
                    WithdrawCase{"AlreadyHidden", "TBBtn=-3\r\n", IOB_MAPTO, 0, "-3"},
                    WithdrawCase{"MissingTakesTheIndex", "", IOB_MAPTO, 0, "-1"},
                    WithdrawCase{"MissingTakesTheRecordsNumber", "", IOB_MAPTO | IOB_TBBTN, 9, "-9"},
                    WithdrawCase{"StoredThousandCountsAsMissing", "TBBtn=1000\r\n", IOB_MAPTO | IOB_TBBTN, 9, "-9"}),
    [](const testing::TestParamInfo<WithdrawCase>& info) { return std::string(info.param.name); });

TEST_F(InOutButtons, ASectionWithoutTBBtnIsVisibleAndAnUnknownChannelIsNot)
{
    WriteProgram("[Settings]\r\nNumInputs=1\r\n[INPUT0]\r\nMapTo=12\r\n");
    int found = -1;
    EXPECT_EQ(IsButtonVisible(12, 0, &found), 1);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(IsButtonVisible(13, 0, &found), 0);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(IsButtonVisible(12, 1, &found), 0);
    EXPECT_EQ(found, 0);
}

TEST_F(InOutButtons, ASectionWithoutMapToCountsAsChannelThousand)
{
    WriteProgram("[Settings]\r\nNumInputs=1\r\n[INPUT0]\r\nDesc=x\r\n");
    EXPECT_EQ(IsButtonVisible(1000, 0, nullptr), 1);
}

TEST_F(InOutButtons, ADamagedCountDoesNotHoldTheProgramUp)
{
    WriteProgram("[Settings]\r\nNumInputs=2000000000\r\n");
    int found = -1;
    EXPECT_EQ(IsButtonVisible(5, 0, &found), 0);
    EXPECT_EQ(found, 0);
}

TEST_F(InOutButtons, TheCurrentProfileFileComesBackAfterEachCall)
{
    keld::ProfileFileScope scope(TestApp().ToolsIniPath);
    InOutButtonParms parms = Button(0, 2, IOB_MAPTO);
    ShowInOutButton(&parms, SIOB_DESCRIBE);
    IsButtonVisible(2, 0, nullptr);
    EXPECT_EQ(TestApp().ProfileName(), TestApp().ToolsIniPath);
    EXPECT_EQ(Program("INPUT0", "MapTo"), "2");
}

TEST_F(InOutButtons, RecordsComeBackFromTheRegistryAsStored)
{
    InOutButtonParms stored = Button(1, 0x1234, IOB_MAPTO | IOB_TBBTN | IOB_DESC | IOB_OFFDESC | IOB_ONDESC);
    stored.tbBtn = 7;
    stored.flags = IOBF_RESET;
    stored.flagsMask = IOBF_RESET;
    std::strcpy(stored.desc, "Spindle cooling");
    std::strcpy(stored.offDesc, "Cooling off");
    std::strcpy(stored.onDesc, "Cooling on");
    ASSERT_NE(SetInOutButtonParms("Cooler", &stored), 0);

    InOutButtonParms read{};
    EXPECT_EQ(GetInOutButtonParms("Cooler", &read), IOB_MAPTO);
    EXPECT_EQ(read.present, stored.present);
    EXPECT_EQ(read.mapTo, 0x1234);
    EXPECT_EQ(read.tbBtn, 7);
    EXPECT_EQ(read.flags, IOBF_RESET);
    EXPECT_EQ(read.flagsMask, 0xFFFF);
    EXPECT_STREQ(read.desc, "Spindle cooling");
    EXPECT_STREQ(read.offDesc, "Cooling off");
    EXPECT_STREQ(read.onDesc, "Cooling on");
    EXPECT_EQ(read.isOutput, 0) << "isOutput is not stored";
    EXPECT_EQ(OptionValue("Cooler", "MapTo"), 0x1234u);
}

TEST_F(InOutButtons, AbsentMembersAreNeitherWrittenNorDeleted)
{
    const DWORD old = 99;
    SetOptionValue("Cooler", "TBBtn", REG_DWORD, &old, sizeof old);
    InOutButtonParms stored = Button(0, 3, IOB_MAPTO);
    ASSERT_NE(SetInOutButtonParms("Cooler", &stored), 0);
    EXPECT_EQ(OptionValue("Cooler", "TBBtn"), 99u);
    EXPECT_FALSE(OptionValue("Cooler", "Flags").has_value());
    InOutButtonParms nothing{};
    EXPECT_NE(SetInOutButtonParms("Empty", &nothing), 0) << "nothing to write is success";
}

struct TextCase {
    const char* name;
    std::string data;  // stored as REG_SZ bytes as given
    bool taken;
    const char* read;
};

class InOutTexts : public InOutButtons, public testing::WithParamInterface<TextCase> {};

TEST_P(InOutTexts, FitTheRecordWithTheirNulOrAreNotTaken)
{
    const TextCase& c = GetParam();
    const DWORD mapTo = 4;
    SetOptionValue("Texts", "MapTo", REG_DWORD, &mapTo, sizeof mapTo);
    SetOptionValue("Texts", "Desc", REG_SZ, c.data.data(), static_cast<DWORD>(c.data.size()));
    SetOptionValue("Texts", "OnDesc", REG_SZ, "On", 3);
    InOutButtonParms read{};
    EXPECT_EQ(GetInOutButtonParms("Texts", &read), IOB_MAPTO);
    EXPECT_EQ((read.present & IOB_DESC) != 0, c.taken);
    if (c.taken) {
        EXPECT_STREQ(read.desc, c.read);
    }
    EXPECT_STREQ(read.onDesc, "On") << "the other values are still read";
    EXPECT_EQ(read.mapTo, 4);
}

INSTANTIATE_TEST_SUITE_P(Lengths, InOutTexts,
    testing::Values(TextCase{"SixtyFourCharacters", std::string(64, 'd') + '\0', true,
                             "dddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddddd"},
                    TextCase{"SixtyFiveCharacters", std::string(65, 'd') + '\0', false, ""},
                    TextCase{"SixtyFiveBytesWithoutNul", std::string(65, 'd'), false, ""},
                    TextCase{"ShortWithoutNul", "Door", true, "Door"},
                    TextCase{"Empty", std::string(1, '\0'), true, ""}),
    [](const testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST_F(InOutButtons, AMissingKeyLeavesTheRecordAlone)
{
    InOutButtonParms read{};
    read.mapTo = 77;
    EXPECT_EQ(GetInOutButtonParms("NoSuchOption", &read), 0);
    EXPECT_EQ(read.mapTo, 77);
    EXPECT_EQ(read.present, 0);
}

TEST_F(InOutButtons, NullArgumentsFailAndTouchNothing)
{
    std::string before = testkit::ReadFile(TestApp().ProgramIniPath);
    InOutButtonParms parms = Button(0, 1, IOB_MAPTO);
    EXPECT_EQ(GetInOutButtonParms(nullptr, &parms), 0);
    EXPECT_EQ(GetInOutButtonParms("Cooler", nullptr), 0);
    EXPECT_EQ(SetInOutButtonParms(nullptr, &parms), 0);
    EXPECT_EQ(SetInOutButtonParms("Cooler", nullptr), 0);
    EXPECT_EQ(ShowInOutButton(nullptr, SIOB_DESCRIBE | SIOB_BUTTON), 0);
    EXPECT_FALSE(OptionKeyExists("Cooler"));
    EXPECT_EQ(testkit::ReadFile(TestApp().ProgramIniPath), before);
}

}  // namespace
