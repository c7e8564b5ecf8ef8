#include "state/Jobs.h"

#include "state/Translator.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>

namespace bc {

namespace {
struct JobEntry {
    Job job;
    const char* name;
    const char* words;
    const char* picture;
};
const JobEntry kJobs[kJobKinds] = {
    {Job::Check, "check", untranslated("Check your buddy's blood sugar"), "icon-bloodsugar.png"},
    {Job::Insulin, "insulin", untranslated("Give insulin for a meal"), "icon-insulin.png"},
    {Job::Carbs, "carbs", untranslated("Count the carbs in some food"), "icon-carbs.png"},
    {Job::Low, "low", untranslated("Help your buddy with a low"), "juicebox.png"},
    {Job::Dress, "dress", untranslated("Put something on your buddy"), "bowtie.png"},
    {Job::Game, "game", untranslated("Play the carb game"), "food-apple.png"},
};

const JobEntry& entry(Job job) { return kJobs[static_cast<int>(job)]; }

// A whole number below `bound`, unbiased. The standard's distributions differ
// from one library to the next; this draw gives the browser the same jobs as the window.
std::uint64_t drawBelow(std::mt19937_64& engine, std::uint64_t bound)
{
    const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max() -
                                std::numeric_limits<std::uint64_t>::max() % bound;
    std::uint64_t value = engine();
    while (value >= limit) {
        value = engine();
    }
    return value % bound;
}

void count(PracticeCounts& counts, CareEvent event)
{
    switch (event) {
    case CareEvent::GoodCheck: ++counts.goodChecks; break;
    case CareEvent::TrickyCheck: ++counts.trickyChecks; break;
    case CareEvent::LowCheck: ++counts.lowChecks; break;
    case CareEvent::DoseCompleted: ++counts.dosesCompleted; break;
    case CareEvent::DoseStopped: ++counts.dosesStopped; break;
    case CareEvent::CarbsCounted: ++counts.carbsCounted; break;
    case CareEvent::LowTreated: ++counts.lowsTreated; break;
    case CareEvent::Dressed:
    case CareEvent::GameFinished: break;
    }
}

void forEachPeriod(PracticeRecord& record, void (*add)(PracticeCounts&))
{
    add(record.today);
    add(record.week);
    add(record.ever);
}
} // namespace

const char* jobName(Job job) { return entry(job).name; }

std::optional<Job> jobNamed(std::string_view name)
{
    for (const auto& e : kJobs) {
        if (name == e.name) {
            return e.job;
        }
    }
    return std::nullopt;
}

const char* jobWords(Job job) { return entry(job).words; }

const char* jobPicture(Job job) { return entry(job).picture; }

std::array<Job, kJobsPerDay> jobsOfDay(Date date)
{
    std::mt19937_64 engine(static_cast<std::uint64_t>(dayNumber(date)));
    std::array<Job, kJobKinds> all{};
    for (int i = 0; i < kJobKinds; ++i) {
        all[static_cast<std::size_t>(i)] = kJobs[i].job;
    }
    // The first three places of a shuffle: no job twice.
    std::array<Job, kJobsPerDay> day{};
    for (std::size_t i = 0; i < day.size(); ++i) {
        const auto pick = i + static_cast<std::size_t>(drawBelow(engine, all.size() - i));
        std::swap(all[i], all[pick]);
        day[i] = all[i];
    }
    return day;
}

namespace {
// A clock set back (a flight west, a tablet's date changed) does not bring
// back a day already played, so neither its sticker nor its counts come twice.
bool sameOrEarlier(Date today, Date kept) { return kept != Date{} && dayNumber(today) <= dayNumber(kept); }
} // namespace

DayJobs jobsOn(const DayJobs& jobs, Date today)
{
    if (sameOrEarlier(today, jobs.date)) {
        return jobs;
    }
    DayJobs next;
    next.date = today;
    next.jobs = jobsOfDay(today);
    next.stickers = jobs.stickers;
    return next;
}

PracticeRecord practiceOn(const PracticeRecord& record, Date today)
{
    if (sameOrEarlier(today, record.date)) {
        return record;
    }
    PracticeRecord next = record;
    next.date = today;
    next.today = {};
    if (record.date == Date{} || weekNumber(record.date) != weekNumber(today)) {
        next.week = {};
    }
    return next;
}

void turnDay(AppState& state, Date today)
{
    state.jobs() = jobsOn(state.jobs(), today);
    state.practice() = practiceOn(state.practice(), today);
}

const char* dayCompleteLine() { return untranslated("All three jobs done! A new sticker for your book."); }

std::string stickerPicture(int place) { return "sticker-" + std::to_string(place) + ".png"; }

std::string stickerShadow(int place) { return "sticker-" + std::to_string(place) + "-shadow.png"; }

std::optional<Job> jobOf(CareEvent event)
{
    switch (event) {
    case CareEvent::GoodCheck:
    case CareEvent::TrickyCheck:
    case CareEvent::LowCheck: return Job::Check;
    case CareEvent::DoseCompleted: return Job::Insulin;
    case CareEvent::CarbsCounted: return Job::Carbs;
    case CareEvent::LowTreated: return Job::Low;
    case CareEvent::Dressed: return Job::Dress;
    case CareEvent::GameFinished: return Job::Game;
    case CareEvent::DoseStopped: break;
    }
    return std::nullopt;
}

CareNote noteCare(AppState& state, CareEvent event, Date today)
{
    turnDay(state, today);
    PracticeRecord& record = state.practice();
    count(record.today, event);
    count(record.week, event);
    count(record.ever, event);

    CareNote note;
    DayJobs& day = state.jobs();
    const auto job = jobOf(event);
    const auto it = job ? std::find(day.jobs.begin(), day.jobs.end(), *job) : day.jobs.end();
    if (it == day.jobs.end()) {
        return note;
    }
    bool& done = day.done[static_cast<std::size_t>(it - day.jobs.begin())];
    if (done) {
        return note;
    }
    done = true;
    note.jobDone = true;
    forEachPeriod(record, [](PracticeCounts& c) { ++c.jobsDone; });
    if (day.stickerGiven || std::find(day.done.begin(), day.done.end(), false) != day.done.end()) {
        return note;
    }
    day.stickerGiven = true;
    ++day.stickers;
    state.addCoins(kDayReward);
    forEachPeriod(record, [](PracticeCounts& c) { ++c.stickers; });
    note.dayComplete = true;
    return note;
}

} // namespace bc
