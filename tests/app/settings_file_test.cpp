#include "app/settings_file.h"

#include "decode/track_options.h"
#include "export/export_test_support.h"
#include "support/environment_guard.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
class SettingsFile : public testing::Test {
protected:
    ScratchFolder folder;
    std::string path = folder.path("Drovik.ini");
};

TEST(SettingsFilePath, ReplacesTheExecutablesExtension)
{
    EXPECT_EQ(SettingsFilePath("/opt/drovik/Drovik"), "/opt/drovik/Drovik.ini");
    EXPECT_EQ(SettingsFilePath("/opt/drovik/Drovik.exe"), "/opt/drovik/Drovik.ini");
    EXPECT_EQ(SettingsFilePath("/opt/v1.2/Drovik"), "/opt/v1.2/Drovik.ini");
}

TEST_F(SettingsFile, LivesBesideTheExecutableUnlessItsFolderCannotBeWritten)
{
    const EnvironmentGuard config("XDG_CONFIG_HOME", folder.path("config").c_str());
    const EnvironmentGuard home("HOME", folder.path("home").c_str());
    EXPECT_EQ(UsableSettingsFilePath(folder.path("Drovik")), path);
    EXPECT_TRUE(std::filesystem::is_empty(folder.root())) << "the probe is cleaned up";

    // Root may write anywhere: a folder that is really a file stands for one the user cannot write.
    WriteFileBytes(folder.path("bin"), "");
    const std::string fallback = UsableSettingsFilePath(folder.path("bin/Drovik"));
    EXPECT_EQ(fallback, folder.path("config/drovik/Drovik.ini"));
    WriteConnectionSettings(fallback, "Com4", "9600");
    EXPECT_EQ(ReadSettingsFile(fallback).comPort, "Com4") << "its folder was made";

    const EnvironmentGuard noConfig("XDG_CONFIG_HOME", nullptr);
    EXPECT_EQ(UsableSettingsFilePath(folder.path("bin/Drovik")), folder.path("home/.config/drovik/Drovik.ini"));
}

TEST_F(SettingsFile, AFirstRunReadsTheDefaults)
{
    const StoredSettings settings = ReadSettingsFile(path);
    EXPECT_EQ(settings.comPort, "");
    EXPECT_EQ(settings.baudRate, "");
    EXPECT_EQ(settings.timeShiftHours, 0);
    EXPECT_EQ(settings.speedUnitIndex, 0);
}

TEST_F(SettingsFile, WritesTheSectionsAndKeysOfTheWindow)
{
    WriteConnectionSettings(path, "Com35", "115200");
    WriteGridOptionSettings(path, GridOptionsOutcome{true, true}, -7, 1, 2);
    EXPECT_EQ(ReadFileBytes(path), "[Connection]\n"
                                   "Com Port=Com35\n"
                                   "Baud Rate=115200\n"
                                   "[String Grid Option]\n"
                                   "Speed Unit=1\n"
                                   "Day Light Saving Time=-7\n"
                                   "GPS Week Rollover=2\n");
    const StoredSettings settings = ReadSettingsFile(path);
    EXPECT_EQ(settings.comPort, "Com35");
    EXPECT_EQ(settings.baudRate, "115200");
    EXPECT_EQ(settings.timeShiftHours, -7);
    EXPECT_EQ(settings.speedUnitIndex, 1);
    EXPECT_EQ(settings.weekRollovers, 2);
}

TEST_F(SettingsFile, GridKeysAreWrittenOnlyForTheColumnsTheTableHas)
{
    WriteGridOptionSettings(path, GridOptionsOutcome{false, true}, 3, 1, 1);
    EXPECT_EQ(ReadFileBytes(path), "[String Grid Option]\nDay Light Saving Time=3\nGPS Week Rollover=1\n");
    WriteGridOptionSettings(path, GridOptionsOutcome{true, false}, 5, 1, 2);
    EXPECT_EQ(ReadFileBytes(path),
              "[String Grid Option]\nDay Light Saving Time=3\nGPS Week Rollover=1\nSpeed Unit=1\n");
}

TEST_F(SettingsFile, AWriteKeepsEverythingElseInTheFile)
{
    WriteFileBytes(path, "; kept comment\r\n"
                         "[Other]\r\n"
                         "Com Port=not ours\r\n"
                         "\r\n"
                         "[connection]\r\n"
                         "baud rate = 9600\r\n"
                         "Parity=None\r\n"
                         "\r\n"
                         "[Last]\r\n"
                         "x=1\r\n");
    WriteConnectionSettings(path, "Com4", "38400");
    EXPECT_EQ(ReadFileBytes(path), "; kept comment\r\n"
                                   "[Other]\r\n"
                                   "Com Port=not ours\r\n"
                                   "\r\n"
                                   "[connection]\r\n"
                                   "Baud Rate=38400\r\n"
                                   "Parity=None\r\n"
                                   "Com Port=Com4\r\n"
                                   "\r\n"
                                   "[Last]\r\n"
                                   "x=1\r\n");
    EXPECT_EQ(ReadProfileString(path, "Other", "Com Port", ""), "not ours");
    EXPECT_EQ(ReadProfileString(path, "Last", "x", ""), "1");
}

TEST_F(SettingsFile, ReadsNamesWithoutRegardToCaseAndValuesTrimmed)
{
    WriteFileBytes(path, "[STRING GRID OPTION]\n  speed unit  =  1  \nDay Light Saving Time=9\n");
    const StoredSettings settings = ReadSettingsFile(path);
    EXPECT_EQ(settings.speedUnitIndex, 1);
    EXPECT_EQ(settings.timeShiftHours, 9);
}

TEST_F(SettingsFile, NumbersThatAreNotNumbersReadAsZero)
{
    WriteFileBytes(path, "[String Grid Option]\nSpeed Unit=fast\nDay Light Saving Time=\n");
    const StoredSettings settings = ReadSettingsFile(path);
    EXPECT_EQ(settings.speedUnitIndex, 0);
    EXPECT_EQ(settings.timeShiftHours, 0);
}

TEST_F(SettingsFile, AKeyInAnotherSectionIsNotRead)
{
    WriteFileBytes(path, "[Elsewhere]\nCom Port=Com9\n[Connection]\nBaud Rate=4800\n");
    EXPECT_EQ(ReadSettingsFile(path).comPort, "");
    EXPECT_EQ(ReadSettingsFile(path).baudRate, "4800");
}

TEST_F(SettingsFile, ALineBreakInAValueCannotAddALine)
{
    WriteConnectionSettings(path, "Com1\n[Evil]\nx=1", "9600");
    EXPECT_EQ(ReadSettingsFile(path).comPort, "Com1 [Evil] x=1");
    EXPECT_EQ(ReadProfileString(path, "Evil", "x", "none"), "none");
}

TEST_F(SettingsFile, AFileThatCannotBeWrittenIsLeftSilently)
{
    const std::string inMissingFolder = folder.path("absent/Drovik.ini");
    WriteConnectionSettings(inMissingFolder, "Com4", "9600");
    EXPECT_FALSE(std::filesystem::exists(inMissingFolder));
    EXPECT_EQ(ReadSettingsFile(inMissingFolder).comPort, "");
}

TEST_F(SettingsFile, AFileThatCannotBeReadIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    WriteFileBytes(path, "[Connection]\nCom Port=Com7\n[Mine]\nkeep=1\n");
    chmod(path.c_str(), 0);
    WriteConnectionSettings(path, "Com4", "9600");
    chmod(path.c_str(), 0600);
    EXPECT_EQ(ReadFileBytes(path), "[Connection]\nCom Port=Com7\n[Mine]\nkeep=1\n");
}
} // namespace
