#include "logger/log_download.h"
#include "logger/model_identity.h"

#include <gtest/gtest.h>

namespace {
TEST(ModelIdentity, TheModelReplyNamesTheLoggerAndItsDialect)
{
    const struct {
        LoggerModel model;
        LogDialect dialect;
        const char* text;
    } cases[] = {
        {{"AXN_1.13", "0005", "GR-241"}, LogDialect::M241, "Holux M-241 (model 0005, firmware AXN_1.13)"},
        {{"AXN_1.30", "0023", ""}, LogDialect::M241, "Holux M-241 (model 0023, firmware AXN_1.30)"},
        {{"AXN_3.8_3333_16080400", "0033", ""},
         LogDialect::M241,
         "Holux M-241 (model 0033, firmware AXN_3.8_3333_16080400)"},
        {{"AXN_1.15", "0035", "M-1000C"}, LogDialect::M1000C, "Holux M-1000C (model 0035, firmware AXN_1.15)"},
        {{"AXN_1.15", "0050", ""}, LogDialect::M1000C, "Holux M-1000C (model 0050, firmware AXN_1.15)"},
        {{"AXN_2.00", "0043", "GR-245"}, LogDialect::Gr245, "Holux GPsport 245 (model 0043, firmware AXN_2.00)"},
        // Others are read as the image tells.
        {{"DROVIK_SIM_1.0", "0001", "DROVIK-LOGGER"},
         LogDialect::Detect,
         "DROVIK-LOGGER (model 0001, firmware DROVIK_SIM_1.0)"},
        {{"AXN_1.30", "005", ""}, LogDialect::Detect, "a logger (model 005, firmware AXN_1.30)"},
        {{"AXN_1.30", "0042", "GR-2450"}, LogDialect::Detect, "GR-2450 (model 0042, firmware AXN_1.30)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IdentifyModel(c.model).dialect, c.dialect) << c.text;
        EXPECT_EQ(DialectOfLogger(c.model), c.dialect) << c.text;
        EXPECT_EQ(ModelText(c.model), c.text);
    }
    EXPECT_EQ(DialectOfLogger(std::nullopt), LogDialect::Detect);
}

TEST(ModelIdentity, TheDownloadNoteTellsTheModelAndAReadingUntilBlank)
{
    const LoggerModel m241{"AXN_1.13", "0005", "GR-241"};
    EXPECT_EQ(DownloadNote(std::nullopt, false), "");
    EXPECT_EQ(DownloadNote(LoggerModel{"X", "0099", ""}, false), "Logger: model 0099.");
    EXPECT_EQ(DownloadNote(std::nullopt, true), "No memory report: reading to a blank chunk.");
    EXPECT_EQ(DownloadNote(m241, true), "Logger: Holux M-241; no memory report: reading to a blank chunk.");
}
} // namespace
