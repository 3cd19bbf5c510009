#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "TestSupport.h"
#include "vcl/Forms.h"

TEST(Screen, ItsCursorIsShownOverTheWholeApplication) {
    const std::pair<TCursor, Qt::CursorShape> cases[] = {
        {crHourGlass, Qt::WaitCursor},     {crAppStart, Qt::BusyCursor},   {crHandPoint, Qt::PointingHandCursor},
        {crIBeam, Qt::IBeamCursor},        {crSizeWE, Qt::SizeHorCursor},  {crNone, Qt::BlankCursor},
        {crSQLWait, Qt::WaitCursor},       {crArrow, Qt::ArrowCursor},     {TCursor(42), Qt::ArrowCursor},
    };
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    for (const auto& [cursor, shape] : cases) {
        SCOPED_TRACE(cursor);
        Screen->SetCursor(cursor);
        EXPECT_EQ(Screen->Cursor(), cursor);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), shape);
    }
    // The screen keeps one entry of Qt's stack, changed in place and gone at crDefault.
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Screen, MeasuresThePrimaryMonitor) {
    QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    EXPECT_EQ(Screen->Width(), primary->geometry().width());
    EXPECT_EQ(Screen->Height(), primary->geometry().height());
    ASSERT_GE(Screen->MonitorCount(), 1);
    const TMonitor first = Screen->Monitors(0);
    EXPECT_TRUE(first.Primary());
    EXPECT_EQ(first.MonitorNum(), 0);
    const TRect work = Screen->WorkAreaRect();
    EXPECT_GT(work.Width(), 0);
    EXPECT_LE(work.Width(), Screen->Width());
    EXPECT_GE(work.Top, first.Top());
    EXPECT_EQ(Screen->PixelsPerInch(), qRound(primary->logicalDotsPerInch()));
    EXPECT_THROW(Screen->Monitors(Screen->MonitorCount()), EListError);
    EXPECT_THROW(Screen->Monitors(-1), EListError);
    // A point far outside every monitor belongs to the nearest one.
    EXPECT_EQ(Screen->MonitorFromPoint(Point(-100000, -100000)).MonitorNum(), 0);
    EXPECT_EQ(Screen->MonitorFromPoint(Point(first.Left() + 1, first.Top() + 1)).MonitorNum(), 0);
    EXPECT_GE(Screen->DesktopWidth(), Screen->Width());
}

TEST(Screen, ListsTheInstalledFontFamiliesInOrder) {
    TStrings* fonts = Screen->Fonts();
    ASSERT_GT(fonts->Count(), 0);
    for (int i = 1; i < fonts->Count(); ++i)
        EXPECT_LE(fonts->Strings(i - 1).compare(fonts->Strings(i), Qt::CaseInsensitive), 0);
    EXPECT_GE(fonts->IndexOf("DejaVu Sans"), 0);
}
