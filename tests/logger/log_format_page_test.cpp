#include "link/logger_replies.h"
#include "link/sentences.h"
#include "logger/log_format_page.h"
#include "logger/pages_fakes.h"

#include <gtest/gtest.h>

namespace {
TEST(LogFormatBoxes, EachBitHasItsBoxAndBitsEighteenAndNineteenAreCrossed)
{
    EXPECT_EQ(FormatBoxOfBit(0), 1);
    EXPECT_EQ(FormatBoxOfBit(13), 14);
    EXPECT_EQ(FormatBoxOfBit(17), 18);
    EXPECT_EQ(FormatBoxOfBit(18), 20); // "Mili - Second"
    EXPECT_EQ(FormatBoxOfBit(19), 19); // "Distance"
    EXPECT_EQ(FormatMaskOfBox(20), 0x00040000u);
    EXPECT_EQ(FormatMaskOfBox(19), 0x00080000u);
}

// The reply side's mask-to-box mapping and this page's box-to-mask mapping
// must agree on every bit, or an applied mask would read back differently.
TEST(LogFormatBoxes, EveryBitReadsBackAsTheSameMask)
{
    for (int bit = 0; bit < kFormatBoxCount; ++bit) {
        const uint32_t mask = uint32_t{1} << bit;
        const bool perSatellite = bit >= 14 && bit <= 16;
        FakeLogFormatPage page;
        ShowFormatBoxes(page, LogFormatBoxes(mask | (perSatellite ? 0x2000u : 0u)));
        EXPECT_EQ(FormatMaskFromBoxes(page), mask | (perSatellite ? 0x2000u : 0u)) << "bit " << bit;
        EXPECT_EQ(page.checked[FormatBoxOfBit(bit)], true) << "bit " << bit;
    }
}

TEST(LogFormatBoxes, FormatReplyWithSidEnablesTheSatelliteBoxes)
{
    FakeLogFormatPage page;
    ShowFormatBoxes(page, LogFormatBoxes(0x0000E000));
    EXPECT_TRUE(page.enabled[15] && page.enabled[16] && page.enabled[17]);
    ShowFormatBoxes(page, LogFormatBoxes(0x00000001));
    EXPECT_FALSE(page.enabled[15] || page.enabled[16] || page.enabled[17]);
}

TEST(LogFormatBoxes, UncheckingSidDisablesButKeepsTheSatelliteBoxesAndDropsTheirBits)
{
    FakeLogFormatPage page;
    ApplyFormatPreset(page, FormatPreset::Gsv);
    ASSERT_EQ(FormatMaskFromBoxes(page), 0x0001F000u);
    page.setFormatBoxChecked(kSidBox, false);
    UpdateSatelliteDetailBoxes(page);
    EXPECT_EQ(page.checkedBoxes(), (std::vector<int>{13, 15, 16, 17}));
    EXPECT_FALSE(page.enabled[15] || page.enabled[16] || page.enabled[17]);
    EXPECT_EQ(FormatMaskFromBoxes(page), 0x00001000u);
    EXPECT_EQ(CountCheckedFormatBoxes(page), 4);
}

struct PresetCase {
    int button;
    uint32_t mask;
    std::vector<int> boxes;
};

TEST(LogFormatPresets, EachButtonAloneChecksItsBoxes)
{
    const PresetCase cases[] = {
        {1, 0x0000159F, {1, 2, 3, 4, 5, 8, 9, 11, 13}},
        {2, 0x0000000D, {1, 3, 4}},
        {3, 0x00002E00, {10, 11, 12, 14}},
        {4, 0x0001F000, {13, 14, 15, 16, 17}},
        {5, 0x0000006D, {1, 3, 4, 6, 7}},
        {6, 0x00000020, {6}},
        {7, 0x00000001, {1}},
        {8, 0x000FFFFF, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
        {9, 0x00000000, {}},
        {10, 0x0002002F, {1, 2, 3, 4, 6, 18}},
        {11, 0x000A003F, {1, 2, 3, 4, 5, 6, 18, 19}},
    };
    for (const PresetCase& c : cases) {
        FakeLogFormatPage page;
        ApplyFormatPreset(page, FormatPresetOfButton(c.button));
        EXPECT_EQ(FormatMaskFromBoxes(page), c.mask) << "Button" << c.button;
        EXPECT_EQ(page.checkedBoxes(), c.boxes) << "Button" << c.button;
    }
}

TEST(LogFormatPresets, PresetsAddUpAndOnlyClearAllUnchecks)
{
    FakeLogFormatPage page;
    ApplyFormatPreset(page, FormatPreset::Gll);
    ApplyFormatPreset(page, FormatPreset::Vtg);
    ApplyFormatPreset(page, FormatPreset::Gsa);
    EXPECT_EQ(FormatMaskFromBoxes(page), 0x00002E2Du);
    EXPECT_TRUE(page.enabled[15]);
    ApplyFormatPreset(page, FormatPreset::ClearAll);
    EXPECT_EQ(CountCheckedFormatBoxes(page), 0);
    EXPECT_FALSE(page.enabled[15]);
}

struct ApplyFixture : ::testing::Test {
    DeviceLinkState link;
    WireTap wire{link};
    FakeLogFormatPage page;
    int erases = 0;
    SettingsResult erase; // what the erase comes to

    SettingsResult apply(bool connected = true)
    {
        return ApplyLogFormat(page, connected, link, [this] {
            ++erases;
            SendSentence(link, Sentences::EraseMemory);
            return erase;
        });
    }
};

using LogFormatApply = ApplyFixture;

TEST_F(LogFormatApply, GoogleEarthPresetOnAClearedPageGoesOutAfterTheErase)
{
    ApplyFormatPreset(page, FormatPreset::ClearAll);
    ApplyFormatPreset(page, FormatPreset::GoogleEarth);
    const SettingsResult result = apply();
    EXPECT_EQ(wire.take(), std::string(Sentences::EraseMemory) + "$PMTK182,1,2,000A003F*12\r\n");
    EXPECT_EQ(result.outcome, SettingsResult::Outcome::Applied);
    EXPECT_EQ(result.text, "Setting updated!");
}

TEST_F(LogFormatApply, SingleFieldMasksGoOutAsTheirBit)
{
    const std::pair<int, const char*> cases[] = {{20, "00040000"}, {19, "00080000"}, {1, "00000001"}};
    for (const auto& [box, hex] : cases) {
        ApplyFormatPreset(page, FormatPreset::ClearAll);
        page.setFormatBoxChecked(box, true);
        apply();
        EXPECT_EQ(wire.take(),
                  std::string(Sentences::EraseMemory) + AppendChecksum(std::string("$PMTK182,1,2,") + hex + "*"));
    }
}

struct Refusal {
    const char* name;
    bool connected;
    std::vector<int> boxes;
    SettingsResult erase;
    int erases;
    SettingsResult result;
};

TEST_F(LogFormatApply, RefusalsSendNoFormat)
{
    using Outcome = SettingsResult::Outcome;
    const SettingsResult erased;
    const Refusal cases[] = {
        {"not connected", false, {1}, erased, 0, {Outcome::NotConnected, "No connecting."}},
        {"nothing checked", true, {}, erased, 0, {Outcome::EmptyFormat, "Least check one field."}},
        {"erase declined", true, {1, 2}, {Outcome::Declined, "Terminated."}, 1, {Outcome::Declined, "Terminated."}},
        {"erase not acknowledged",
         true,
         {1, 2},
         {Outcome::EraseFailed, "Erasing fail!"},
         1,
         {Outcome::EraseFailed, "Erasing fail!"}},
        // Elevation left checked without SID: counted as a field, but no bit of the mask,
        // so refused before the erase.
        {"only elevation", true, {15}, erased, 0, {Outcome::EmptyFormat, "Least check one format."}},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.name);
        FakeLogFormatPage fresh;
        page = fresh;
        for (int box : c.boxes)
            page.setFormatBoxChecked(box, true);
        erases = 0;
        erase = c.erase;
        const SettingsResult result = apply(c.connected);
        EXPECT_EQ(erases, c.erases);
        EXPECT_EQ(wire.take(), c.erases ? std::string(Sentences::EraseMemory) : std::string());
        EXPECT_EQ(result.outcome, c.result.outcome);
        EXPECT_EQ(result.text, c.result.text);
    }
}
} // namespace
