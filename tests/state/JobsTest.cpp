#include "state/Jobs.h"

#include <gtest/gtest.h>

#include <set>

namespace bc {
namespace {

Date day(const char* text) { return *parseDate(text); }

TEST(Calendar, ReadsOnlyRealDaysAndCountsWeeksFromMonday)
{
    const struct { const char* text; bool real; } rows[] = {
        {"2026-01-05", true}, {"2024-02-29", true},  {"2025-02-29", false}, {"2026-13-01", false},
        {"2026-1-05", false}, {"2026-01-05x", false}, {"+026-01-05", false}, {"1969-12-31", false},
        {"2026-01-00", false}, {"", false},           {"9999-12-31", true},  {"2026/01/05", false}};
    for (const auto& row : rows) {
        const auto date = parseDate(row.text);
        EXPECT_EQ(date.has_value(), row.real) << row.text;
        if (date) {
            EXPECT_EQ(formatDate(*date), row.text);
            EXPECT_EQ(dateOfDay(dayNumber(*date)), *date) << row.text;
        }
    }
    EXPECT_EQ(dayNumber(day("1970-01-01")), 0);
    // 2026-01-05 is a Monday: the Sunday before is the week before, the Sunday after the same week.
    const long week = weekNumber(day("2026-01-05"));
    EXPECT_EQ(weekNumber(day("2026-01-04")), week - 1);
    EXPECT_EQ(weekNumber(day("2026-01-11")), week);
    EXPECT_EQ(weekNumber(day("2026-01-12")), week + 1);
    // Before 1970 the weeks still run Monday to Sunday.
    for (const auto& [date, number] : {std::pair{29u, 0L}, {28u, -1L}, {22u, -1L}, {21u, -2L}}) {
        EXPECT_EQ(weekNumber(Date{1969, 12, date}), number) << "1969-12-" << date;
    }
}

TEST(Jobs, TheSameDateDrawsTheSameThreeDifferentJobs)
{
    const struct { const char* date; std::array<Job, 3> jobs; } rows[] = {
        {"2026-01-05", {Job::Low, Job::Game, Job::Insulin}},
        {"2026-01-06", {Job::Insulin, Job::Dress, Job::Carbs}},
        {"2026-01-07", {Job::Carbs, Job::Low, Job::Check}}};
    for (const auto& row : rows) {
        EXPECT_EQ(jobsOfDay(day(row.date)), row.jobs) << row.date;
    }
    std::set<Job> seen;
    for (long d = dayNumber(kFirstPlayDay); d < dayNumber(kFirstPlayDay) + 60; ++d) {
        const auto jobs = jobsOfDay(dateOfDay(d));
        EXPECT_EQ(std::set<Job>(jobs.begin(), jobs.end()).size(), 3u) << formatDate(dateOfDay(d));
        seen.insert(jobs.begin(), jobs.end());
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(kJobKinds)) << "every job comes up";
    for (int i = 0; i < kJobKinds; ++i) {
        EXPECT_EQ(jobNamed(jobName(static_cast<Job>(i))), static_cast<Job>(i));
    }
    EXPECT_FALSE(jobNamed("Check"));
}

// A day walked event by event: which events tick which job, and what the day gives.
TEST(Jobs, TodaysJobsTickOnceAndThreeGiveOneStickerAndTenCoins)
{
    using E = CareEvent;
    const struct { E event; bool ticks; bool completes; float coins; } rows[] = {
        {E::DoseStopped, false, false, 0},  // not a job
        {E::GoodCheck, false, false, 0},    // not one of today's
        {E::LowTreated, true, false, 0},    {E::LowTreated, false, false, 0},
        {E::GameFinished, true, false, 0},  {E::DoseCompleted, true, true, 10},
        {E::DoseCompleted, false, false, 10}, {E::GameFinished, false, false, 10},
    };
    AppState state;
    for (const auto& row : rows) {
        const CareNote note = noteCare(state, row.event, kFirstPlayDay);
        EXPECT_EQ(note.jobDone, row.ticks) << static_cast<int>(row.event);
        EXPECT_EQ(note.dayComplete, row.completes) << static_cast<int>(row.event);
        EXPECT_EQ(state.coins(), row.coins) << static_cast<int>(row.event);
    }
    EXPECT_EQ(state.jobs().stickers, 1);
    EXPECT_EQ(state.practice().today.jobsDone, 3);
    EXPECT_EQ(state.practice().today.stickers, 1);
}

TEST(Jobs, EachCheckTicksTheCheckJobAndCountsApart)
{
    const Date wednesday = day("2026-01-07"); // carbs, low, check
    for (const CareEvent check : {CareEvent::GoodCheck, CareEvent::TrickyCheck, CareEvent::LowCheck}) {
        AppState state;
        EXPECT_TRUE(noteCare(state, check, wednesday).jobDone);
        EXPECT_EQ(state.jobs().done, (std::array<bool, 3>{false, false, true}));
    }
    const struct { CareEvent event; int PracticeCounts::*field; } rows[] = {
        {CareEvent::GoodCheck, &PracticeCounts::goodChecks},       {CareEvent::TrickyCheck, &PracticeCounts::trickyChecks},
        {CareEvent::LowCheck, &PracticeCounts::lowChecks},         {CareEvent::DoseCompleted, &PracticeCounts::dosesCompleted},
        {CareEvent::DoseStopped, &PracticeCounts::dosesStopped},   {CareEvent::CarbsCounted, &PracticeCounts::carbsCounted},
        {CareEvent::LowTreated, &PracticeCounts::lowsTreated}};
    for (const auto& row : rows) {
        AppState state;
        noteCare(state, row.event, wednesday);
        noteCare(state, row.event, wednesday);
        PracticeCounts twice;
        twice.*row.field = 2;
        twice.jobsDone = state.practice().today.jobsDone;
        EXPECT_EQ(state.practice().today, twice) << static_cast<int>(row.event);
        EXPECT_EQ(state.practice().ever, twice);
    }
}

TEST(Jobs, ANewDayBringsNewJobsAndTakesNothingAway)
{
    AppState state;
    for (const CareEvent e : {CareEvent::LowTreated, CareEvent::GameFinished, CareEvent::DoseCompleted}) {
        noteCare(state, e, kFirstPlayDay);
    }
    const Date tuesday = day("2026-01-06"), nextMonday = day("2026-01-12");
    const DayJobs next = jobsOn(state.jobs(), tuesday);
    EXPECT_EQ(next.date, tuesday);
    EXPECT_EQ(next.jobs, jobsOfDay(tuesday));
    EXPECT_EQ(next.done, (std::array<bool, 3>{}));
    EXPECT_FALSE(next.stickerGiven);
    EXPECT_EQ(next.stickers, 1);
    EXPECT_EQ(jobsOn(state.jobs(), kFirstPlayDay).done, (std::array<bool, 3>{true, true, true})) << "the same day stays";
    // A clock set back a day cannot play the day again for a second sticker.
    noteCare(state, CareEvent::LowTreated, day("2026-01-04"));
    EXPECT_EQ(state.jobs().date, kFirstPlayDay);
    EXPECT_EQ(state.coins(), kDayReward);

    // A missed week: counts of the day and week begin again, the coins and stickers stay.
    noteCare(state, CareEvent::CarbsCounted, tuesday);
    EXPECT_EQ(state.practice().week.jobsDone, 4);
    noteCare(state, CareEvent::CarbsCounted, nextMonday);
    const PracticeRecord& r = state.practice();
    EXPECT_EQ(r.today.carbsCounted, 1);
    EXPECT_EQ(r.week.carbsCounted, 1);
    EXPECT_EQ(r.week.jobsDone, 1);
    EXPECT_EQ(r.ever.carbsCounted, 2);
    EXPECT_EQ(r.ever.jobsDone, 5);
    EXPECT_EQ(r.ever.stickers, 1);
    EXPECT_EQ(state.coins(), kDayReward);
    EXPECT_EQ(state.jobs().stickers, 1);
    // Looking is not doing: a day only viewed leaves the record as it was.
    EXPECT_EQ(practiceOn(r, nextMonday).today, r.today);
    EXPECT_EQ(practiceOn(r, day("2026-01-13")).week, r.week);
    EXPECT_EQ(practiceOn(r, day("2026-01-13")).today, PracticeCounts{});
}

TEST(Jobs, StickersAfterTheTwelfthKeepCounting)
{
    AppState state;
    for (long d = dayNumber(kFirstPlayDay); state.jobs().stickers < kStickerBookSize + 2; ++d) {
        for (const Job job : jobsOfDay(dateOfDay(d))) {
            const CareEvent events[] = {CareEvent::GoodCheck,    CareEvent::DoseCompleted, CareEvent::CarbsCounted,
                                        CareEvent::LowTreated,   CareEvent::Dressed,       CareEvent::GameFinished};
            noteCare(state, events[static_cast<int>(job)], dateOfDay(d));
        }
    }
    EXPECT_EQ(state.coins(), 14 * kDayReward);
}

} // namespace
} // namespace bc
