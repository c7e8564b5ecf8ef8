#pragma once

#include "state/AppState.h"
#include "state/Progress.h"

#include <optional>
#include <string_view>

namespace bc {

// The day's jobs, the sticker book and the practice record: one entry point
// for everything a child does, so every screen only says what happened.

// The driver's name of a job (`check`, `insulin`, ...), and back.
const char* jobName(Job job);
std::optional<Job> jobNamed(std::string_view name);
// What the jobs screen shows and says for it (untranslated), and its picture.
const char* jobWords(Job job);
const char* jobPicture(Job job);

// Three different jobs, the same three for the same date wherever it is played.
std::array<Job, kJobsPerDay> jobsOfDay(Date date);

// The jobs as they stand on that day: a later day than the one drawn brings
// its own three, none done; a missed day takes nothing away; an earlier one
// (a clock set back) keeps the day already drawn.
DayJobs jobsOn(const DayJobs& jobs, Date today);
// The record with its today and week counts begun again where the day or week changed.
PracticeRecord practiceOn(const PracticeRecord& record, Date today);
// Both brought up to the day in the care state itself.
void turnDay(AppState& state, Date today);

inline constexpr float kDayReward = 10.0f;
inline constexpr int kStickerBookSize = 12;
// The sticker picture of a place in the book, counted from 1, and its shadow.
std::string stickerPicture(int place);
std::string stickerShadow(int place);

enum class CareEvent {
    GoodCheck,     // a check that reached a reading in the band
    TrickyCheck,   // a check that reached a reading out of the band
    LowCheck,      // a check that found a low
    DoseCompleted, // a dose that ran to its end
    DoseStopped,   // a dose stopped part-way
    CarbsCounted,  // food counted in the carb counter
    LowTreated,    // a treated low whose recheck is back in the band
    Dressed,       // something put on the buddy
    GameFinished,  // a carb game played to its results
};
// The job an event does, if any.
std::optional<Job> jobOf(CareEvent event);

// What a noted event did to the day.
struct CareNote {
    bool jobDone = false;     // it ticked one of today's jobs
    bool dayComplete = false; // and that was the third: a sticker and the coins
};
CareNote noteCare(AppState& state, CareEvent event, Date today);
// What the buddy says when the day's third job is done (untranslated).
const char* dayCompleteLine();

} // namespace bc
