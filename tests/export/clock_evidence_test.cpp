#include "export/clock_evidence.h"

#include "export/export_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(ClockEvidence, KeptBesideTheImageUntilADownloadWithoutAReadingRemovesIt)
{
    ScratchFolder folder;
    const std::string image = folder.path("data.bin");
    EXPECT_FALSE(ReadClockEvidence(image));

    const ClockReading reading{1179964800, 1799476800};
    ASSERT_EQ(WriteClockEvidence(image, reading), "");
    EXPECT_EQ(ReadFileBytes(ClockEvidencePath(image)),
              "receiver 2007-05-24T00:00:00Z\ncomputer 2027-01-09T06:40:00Z\n");
    const auto read = ReadClockEvidence(image);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->receiverUtc, reading.receiverUtc);
    EXPECT_EQ(read->computerUtc, reading.computerUtc);

    ASSERT_EQ(WriteClockEvidence(image, std::nullopt), "");
    EXPECT_FALSE(std::filesystem::exists(ClockEvidencePath(image)));

    WriteFileBytes(ClockEvidencePath(image), "receiver yesterday\ncomputer 2027-01-09T06:40:00Z\n");
    EXPECT_FALSE(ReadClockEvidence(image));
}
