#pragma once

#include "state/Calendar.h"

#include <array>

namespace bc {

// The jobs a day can bring, in the order the driver names them.
enum class Job { Check, Insulin, Carbs, Low, Dress, Game };
inline constexpr int kJobKinds = 6;
inline constexpr int kJobsPerDay = 3;

// The day's three jobs and the sticker book. Plain data, so that it can be
// kept as it is. `date` is the day the jobs were drawn for (none before the
// first look); a later day draws its own.
struct DayJobs {
    Date date{};
    std::array<Job, kJobsPerDay> jobs{};
    std::array<bool, kJobsPerDay> done{};
    bool stickerGiven = false; // today's sticker and coins, given once
    int stickers = 0;          // collected; the book shows twelve, the count goes on
};

// How many times each kind of care was practised.
struct PracticeCounts {
    int goodChecks = 0;
    int trickyChecks = 0;
    int lowChecks = 0;
    int dosesCompleted = 0;
    int dosesStopped = 0;
    int carbsCounted = 0;
    int lowsTreated = 0;
    int jobsDone = 0;
    int stickers = 0;
    friend bool operator==(const PracticeCounts&, const PracticeCounts&) = default;
};

// Each count by the one name the practice page's rows and the kept record use.
struct PracticeCount {
    const char* name;
    int PracticeCounts::*count;
};
inline constexpr PracticeCount kPracticeCounts[] = {
    {"goodChecks", &PracticeCounts::goodChecks},     {"trickyChecks", &PracticeCounts::trickyChecks},
    {"lowChecks", &PracticeCounts::lowChecks},       {"dosesCompleted", &PracticeCounts::dosesCompleted},
    {"dosesStopped", &PracticeCounts::dosesStopped}, {"carbsCounted", &PracticeCounts::carbsCounted},
    {"lowsTreated", &PracticeCounts::lowsTreated},   {"jobsDone", &PracticeCounts::jobsDone},
    {"stickers", &PracticeCounts::stickers},
};

// The grown-ups' record: today's counts, this week's (Monday to Sunday) and
// everything since counting began. `date` is the day the counts were last
// brought up to.
struct PracticeRecord {
    Date date{};
    PracticeCounts today;
    PracticeCounts week;
    PracticeCounts ever;
};

} // namespace bc
