#include "export/widgets/filter_dialog.h"

#include "export/iso_time.h"
#include "support/fake_dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
ExportFilter EveryFilter()
{
    ExportFilter filter;
    filter.rows.fixKinds = 1u << 2 | 1u << 6; // DGPS, Estimated mode
    filter.rows.maxHdop = 2.5;
    filter.rows.maxPdop = 4;
    filter.rows.minSatellites = 5;
    filter.rows.fromUtc = ParseIsoTime("2008-05-04T12:30:15.250Z");
    filter.rows.toUtc = ParseIsoTime("2008-05-05", DateAlone::EndOfDay);
    filter.rows.maxSpeedKmh = 250;
    filter.split = {SplitKind::Gap, 45, true};
    return filter;
}

TEST(FilterDialog, ShowsAFilterAndGivesItBack)
{
    FakeDialogs dialogs;
    ExportFilter anyFixByDay;
    anyFixByDay.rows.fixKinds = AnyFixKinds();
    anyFixByDay.split.kind = SplitKind::Day;
    for (const ExportFilter& filter : {ExportFilter{}, EveryFilter(), anyFixByDay}) {
        FilterDialog form(filter, dialogs);
        EXPECT_EQ(form.windowTitle(), "Filter");
        EXPECT_EQ(form.filter(), filter);
    }
    FilterDialog form(EveryFilter(), dialogs);
    EXPECT_TRUE(form.RowsOfKinds->isChecked());
    EXPECT_EQ(form.FixKinds[1]->text(), "DGPS");
    EXPECT_TRUE(form.FixKinds[1]->isChecked());
    EXPECT_EQ(form.From->text(), "2008-05-04T12:30:15.250Z");
    EXPECT_EQ(form.GapMinutes->value(), 45);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST(FilterDialog, OnlyAReadableTimeRangeLeavesThroughOk)
{
    FakeDialogs dialogs;
    FilterDialog form({}, dialogs);
    EXPECT_FALSE(form.From->isEnabled()) << "an unticked limit cannot be edited";
    form.FromBox->setChecked(true);
    form.From->setText("4 May 2008");
    QTimer::singleShot(0, &form, [&] {
        form.Buttons->button(QDialogButtonBox::Ok)->click();
        form.From->setText("2008-05-04");
        form.Buttons->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(form.exec(), QDialog::Accepted);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "Warning");
    EXPECT_EQ(dialogs.messages[0].text, "\"Before (UTC)\" takes a UTC time such as 2008-05-04T12:30:00Z or a day "
                                        "such as 2008-05-04, not '4 May 2008'.");
    EXPECT_EQ(form.filter()->rows.fromUtc, ParseIsoTime("2008-05-04"));
}
} // namespace
