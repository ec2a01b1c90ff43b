#include "instaux/VersionNumber.h"

#include <gtest/gtest.h>

namespace instaux {
namespace {

struct FileVersionCase {
    const char* text;
    std::optional<int> number;
};

class FileVersionText : public testing::TestWithParam<FileVersionCase> {};

TEST_P(FileVersionText, GivesTheVersionNumberOrNothing)
{
    EXPECT_EQ(VersionNumberFromFileVersion(GetParam().text), GetParam().number) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Readable, FileVersionText,
    testing::Values(FileVersionCase{"1,0,3,4", 1034},
                    FileVersionCase{"1,0,3,5", 1035},
                    FileVersionCase{"1,0,5,0", 1050},
                    FileVersionCase{"1,0,6,0", 1060},
                    FileVersionCase{"2,0,0,0", 2000},
                    FileVersionCase{"0,0,0,0", 0},
                    FileVersionCase{"1, 0, 5, 2", 1052},
                    FileVersionCase{" \t1,\t0,\r\n5, 9", 1059},
                    FileVersionCase{"1,0,10,0", 1100},
                    FileVersionCase{"1,0,4,19", 1059},
                    FileVersionCase{"1,12,0,0", 2200},
                    FileVersionCase{"+1,0,5,0", 1050},
                    FileVersionCase{"1,-1,5,0", 950},
                    FileVersionCase{"1,0,5,0 (beta)", 1050},
                    FileVersionCase{"1,0,5,0,7", 1050},
                    FileVersionCase{"1,0,5,02", 1052},
                    FileVersionCase{"2147483,0,0,647", 2147483647},
                    FileVersionCase{"-2147483,0,0,-648", -2147483647 - 1}));

INSTANTIATE_TEST_SUITE_P(Unreadable, FileVersionText,
    testing::Values(FileVersionCase{"1.0.5.2", std::nullopt},
                    FileVersionCase{"", std::nullopt},
                    FileVersionCase{"   ", std::nullopt},
                    FileVersionCase{"1,0,5", std::nullopt},
                    FileVersionCase{"1,0,5,", std::nullopt},
                    FileVersionCase{"1 ,0,5,0", std::nullopt},
                    FileVersionCase{"1,,0,5", std::nullopt},
                    FileVersionCase{"a,b,c,d", std::nullopt},
                    FileVersionCase{"1,0,5,x", std::nullopt},
                    FileVersionCase{"1,0,5,-", std::nullopt},
                    FileVersionCase{"1,0,5,+ 2", std::nullopt},
                    FileVersionCase{"v1,0,5,0", std::nullopt},
                    FileVersionCase{"1;0;5;0", std::nullopt},
                    // beyond an int, in a number or in the result
                    FileVersionCase{"99999999999,0,0,0", std::nullopt},
                    FileVersionCase{"1,0,0,2147483648", std::nullopt},
                    FileVersionCase{"3000000,0,0,0", std::nullopt},
                    FileVersionCase{"2147483,0,0,648", std::nullopt},
                    FileVersionCase{"-2147483,0,0,-649", std::nullopt}));

TEST(FileVersionText, ReadsOnlyTheGivenCharacters)
{
    const char text[] = "1,0,5,07";
    EXPECT_EQ(VersionNumberFromFileVersion(std::string_view(text, 7)), 1050);
    EXPECT_EQ(VersionNumberFromFileVersion(std::string_view(text, 6)), std::nullopt);
}

struct BandCase {
    int number;
    VersionBand band;
};

class VersionBands : public testing::TestWithParam<BandCase> {};

TEST_P(VersionBands, HaveTheirLimits)
{
    EXPECT_EQ(BandOfVersion(GetParam().number), GetParam().band) << GetParam().number;
}

INSTANTIATE_TEST_SUITE_P(Limits, VersionBands,
    testing::Values(BandCase{-1000, VersionBand::TooOld},
                    BandCase{0, VersionBand::TooOld},
                    BandCase{1034, VersionBand::TooOld},
                    BandCase{1035, VersionBand::Old},
                    BandCase{1049, VersionBand::Old},
                    BandCase{1050, VersionBand::Existing},
                    BandCase{1059, VersionBand::Existing},
                    BandCase{1060, VersionBand::Newer},
                    BandCase{2000, VersionBand::Newer},
                    BandCase{2147483647, VersionBand::Newer}));

}  // namespace
}  // namespace instaux
