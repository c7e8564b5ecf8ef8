#include "app/Progress.h"

#include "state/AppState.h"
#include "state/CareRules.h"
#include "state/Jobs.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace bc {

namespace {

using json = nlohmann::ordered_json;

constexpr double kMostNumber = 1'000'000;
constexpr std::size_t kMostEntries = 100;
constexpr std::size_t kMostTextBytes = 100;
// The settings' steppers' ranges: a setting outside them was never chosen.
constexpr double kLeastCarbRatio = 1;
constexpr double kMostSetting = 50;

// A name from the file, short and on one line, for a message.
std::string shown(std::string_view text)
{
    std::string out(text.substr(0, 40));
    std::replace_if(out.begin(), out.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; }, '?');
    return text.size() > out.size() ? out + "..." : out;
}

// The game's bounds are whole numbers.
std::string plain(double bound) { return std::to_string(static_cast<long long>(bound)); }

// Appended piece by piece: g++ 12 at -O3 misreads the chain of + here as overlapping copies.
Error refused(std::string_view field, const std::string& why)
{
    std::string line(1, '"');
    line.append(field).append("\" ").append(why);
    return Error{std::move(line)};
}

// One kept field: how it is taken from the care state, checked and put back.
// Everything the game keeps is listed once, in kFields.
struct Field {
    std::string_view name;
    std::function<json(AppState&)> keep;
    std::function<Result<void>(std::string_view name, const json&)> check;
    std::function<void(AppState&, const json&)> restore;
};

Result<void> checkNumber(std::string_view name, const json& value, double least, double most, double step)
{
    if (!value.is_number()) {
        return refused(name, "is not a number");
    }
    const double v = value.get<double>();
    if (!std::isfinite(v)) {
        return refused(name, "is not a finite number");
    }
    if (std::abs(v) > kMostNumber) {
        return refused(name, "is past 1,000,000");
    }
    if (v < least) {
        return refused(name, "is below " + plain(least));
    }
    if (v > most) {
        return refused(name, "is above " + plain(most));
    }
    if (std::fmod(v, step) != 0) {
        return refused(name, step == 1 ? "is not a whole number" : "is not a multiple of " + plain(step));
    }
    return done();
}

Field number(std::string_view name, float (AppState::*get)() const, void (AppState::*set)(float), double least,
             double most, double step = 1)
{
    return {name, [get](AppState& s) { return json((s.*get)()); },
            [=](std::string_view n, const json& v) { return checkNumber(n, v, least, most, step); },
            [set](AppState& s, const json& v) { (s.*set)(v.get<float>()); }};
}

Result<void> checkFlag(std::string_view name, const json& value)
{
    return value.is_boolean() ? done() : Result<void>(refused(name, "is neither true nor false"));
}

Field flag(std::string_view name, bool Preferences::*member)
{
    return {name, [member](AppState& s) { return json(s.preferences().*member); }, checkFlag,
            [member](AppState& s, const json& v) { s.preferences().*member = v.get<bool>(); }};
}

Result<void> checkText(std::string_view name, const json& value, const std::vector<std::string_view>& known)
{
    if (!value.is_string()) {
        return refused(name, "holds something that is not a text");
    }
    const auto& text = value.get_ref<const std::string&>();
    if (text.size() > kMostTextBytes) {
        return refused(name, "holds a text over 100 bytes");
    }
    if (std::find(known.begin(), known.end(), text) == known.end()) {
        return refused(name, "holds \"" + shown(text) + "\", which the game does not know");
    }
    return done();
}

Field list(std::string_view name, AppState::List& (AppState::*get)(), void (AppState::*set)(AppState::List),
           std::vector<std::string_view> known)
{
    return {name, [get](AppState& s) { return json((s.*get)()); },
            [known = std::move(known)](std::string_view n, const json& v) -> Result<void> {
                if (!v.is_array()) {
                    return refused(n, "is not a list");
                }
                if (v.size() > kMostEntries) {
                    return refused(n, "has more than 100 entries");
                }
                for (const auto& entry : v) {
                    BC_TRY(checkText(n, entry, known));
                }
                return done();
            },
            [set](AppState& s, const json& v) { (s.*set)(v.get<AppState::List>()); }};
}

// An object holding exactly the keys given, each checked by its own rule.
Result<void> checkObject(std::string_view name, const json& value,
                         const std::vector<std::pair<std::string_view, std::function<Result<void>(const json&)>>>& keys)
{
    if (!value.is_object()) {
        return refused(name, "is not an object");
    }
    for (const auto& entry : value.items()) {
        const auto rule = std::find_if(keys.begin(), keys.end(), [&](const auto& k) { return k.first == entry.key(); });
        if (rule == keys.end()) {
            return refused(name, "holds \"" + shown(entry.key()) + "\", which the game does not keep");
        }
        BC_TRY(rule->second(entry.value()));
    }
    if (value.size() != keys.size()) {
        return refused(name, "lacks one of its entries");
    }
    return done();
}

// A day as YYYY-MM-DD, or "" for none yet.
Result<void> checkDate(std::string_view name, const json& value)
{
    if (!value.is_string() || value.get_ref<const std::string&>().size() > kMostTextBytes) {
        return refused(name, "holds a date that is not a short text");
    }
    const auto& text = value.get_ref<const std::string&>();
    return text.empty() || parseDate(text) ? done() : Result<void>(refused(name, "holds a date the calendar does not have"));
}

json dateJson(Date date) { return date == Date{} ? json("") : json(formatDate(date)); }
Date dateOf(const json& value)
{
    const auto text = value.get<std::string>();
    return text.empty() ? Date{} : parseDate(text).value_or(Date{});
}

// The day's three jobs, in the day's order, each once; none before a day was drawn.
Result<void> checkJobs(std::string_view name, const json& value)
{
    if (!value.is_array() || (!value.empty() && value.size() != static_cast<std::size_t>(kJobsPerDay))) {
        return refused(name, "does not hold three jobs");
    }
    std::vector<std::string> seen;
    for (const auto& job : value) {
        if (!job.is_string() || job.get_ref<const std::string&>().size() > kMostTextBytes ||
            !jobNamed(job.get_ref<const std::string&>())) {
            return refused(name, "holds a job the game does not know");
        }
        if (std::find(seen.begin(), seen.end(), job.get<std::string>()) != seen.end()) {
            return refused(name, "holds a job twice");
        }
        seen.push_back(job.get<std::string>());
    }
    return done();
}

Result<void> checkTicks(std::string_view name, const json& value)
{
    if (!value.is_array() || (!value.empty() && value.size() != static_cast<std::size_t>(kJobsPerDay))) {
        return refused(name, "does not hold three ticks");
    }
    for (const auto& tick : value) {
        BC_TRY(checkFlag(name, tick));
    }
    return done();
}

Result<void> checkCount(std::string_view name, const json& value) { return checkNumber(name, value, 0, kMostNumber, 1); }

// The counts, named as the practice page rows are.
constexpr std::pair<std::string_view, int PracticeCounts::*> kCounts[] = {
    {"goodChecks", &PracticeCounts::goodChecks},     {"trickyChecks", &PracticeCounts::trickyChecks},
    {"lowChecks", &PracticeCounts::lowChecks},       {"dosesCompleted", &PracticeCounts::dosesCompleted},
    {"dosesStopped", &PracticeCounts::dosesStopped}, {"carbsCounted", &PracticeCounts::carbsCounted},
    {"lowsTreated", &PracticeCounts::lowsTreated},   {"jobsDone", &PracticeCounts::jobsDone},
    {"stickers", &PracticeCounts::stickers},
};

json countsJson(const PracticeCounts& counts)
{
    json out = json::object();
    for (const auto& [key, member] : kCounts) {
        out[std::string(key)] = counts.*member;
    }
    return out;
}

PracticeCounts countsOf(const json& value)
{
    PracticeCounts counts;
    for (const auto& [key, member] : kCounts) {
        counts.*member = value.at(std::string(key)).get<int>();
    }
    return counts;
}

Result<void> checkCounts(std::string_view name, const json& value)
{
    std::vector<std::pair<std::string_view, std::function<Result<void>(const json&)>>> keys;
    for (const auto& entry : kCounts) {
        keys.emplace_back(entry.first, [name](const json& v) { return checkCount(name, v); });
    }
    return checkObject(name, value, keys);
}

Field dayJobs()
{
    return {"jobs",
            [](AppState& s) {
                const DayJobs& day = s.jobs();
                json jobs = json::array();
                json ticks = json::array();
                for (int i = 0; day.date != Date{} && i < kJobsPerDay; ++i) {
                    jobs.push_back(jobName(day.jobs[static_cast<std::size_t>(i)]));
                    ticks.push_back(day.done[static_cast<std::size_t>(i)]);
                }
                return json{{"date", dateJson(day.date)}, {"jobs", jobs},  {"done", ticks},
                            {"stickerGiven", day.stickerGiven}, {"stickers", day.stickers}};
            },
            [](std::string_view n, const json& v) {
                return checkObject(n, v,
                                   {{"date", [n](const json& d) { return checkDate(n, d); }},
                                    {"jobs", [n](const json& j) { return checkJobs(n, j); }},
                                    {"done", [n](const json& t) { return checkTicks(n, t); }},
                                    {"stickerGiven", [n](const json& g) { return checkFlag(n, g); }},
                                    {"stickers", [n](const json& c) { return checkCount(n, c); }}});
            },
            [](AppState& s, const json& v) {
                DayJobs day;
                day.date = dateOf(v.at("date"));
                const bool drawn = v.at("jobs").size() == static_cast<std::size_t>(kJobsPerDay) &&
                                   v.at("done").size() == static_cast<std::size_t>(kJobsPerDay);
                if (!drawn) {
                    day.date = Date{};
                }
                for (int i = 0; drawn && i < kJobsPerDay; ++i) {
                    const auto at = static_cast<std::size_t>(i);
                    day.jobs[at] = *jobNamed(v.at("jobs")[at].get<std::string>());
                    day.done[at] = v.at("done")[at].get<bool>();
                }
                day.stickerGiven = v.at("stickerGiven").get<bool>();
                day.stickers = v.at("stickers").get<int>();
                s.jobs() = day;
            }};
}

Field practice()
{
    return {"practice",
            [](AppState& s) {
                const PracticeRecord& r = s.practice();
                return json{{"date", dateJson(r.date)},
                            {"today", countsJson(r.today)},
                            {"week", countsJson(r.week)},
                            {"ever", countsJson(r.ever)}};
            },
            [](std::string_view n, const json& v) {
                return checkObject(n, v,
                                   {{"date", [n](const json& d) { return checkDate(n, d); }},
                                    {"today", [n](const json& c) { return checkCounts(n, c); }},
                                    {"week", [n](const json& c) { return checkCounts(n, c); }},
                                    {"ever", [n](const json& c) { return checkCounts(n, c); }}});
            },
            [](AppState& s, const json& v) {
                PracticeRecord r;
                r.date = dateOf(v.at("date"));
                r.today = countsOf(v.at("today"));
                r.week = countsOf(v.at("week"));
                r.ever = countsOf(v.at("ever"));
                s.practice() = r;
            }};
}

const char* unitWord(GlucoseUnit unit) { return unit == GlucoseUnit::MmolPerL ? "mmol" : "mg"; }

const std::vector<Field>& fields()
{
    static const std::vector<Field> kFields{
        number("coins", &AppState::coins, &AppState::setCoins, 0, kMostNumber),
        list("items", &AppState::items, &AppState::setItems, {kBoughtItem}),
        list("wearing", &AppState::wearing, &AppState::setWearing, {kWornBowTie}),
        number("carbRatio", &AppState::carbRatio, &AppState::setCarbRatio, kLeastCarbRatio, kMostSetting),
        number("basalRate", &AppState::basalRate, &AppState::setBasalRate, 0, kMostSetting),
        {"units", [](AppState& s) { return json(unitWord(s.preferences().units)); },
         [](std::string_view n, const json& v) { return checkText(n, v, {"mg", "mmol"}); },
         [](AppState& s, const json& v) {
             s.preferences().units = v.get<std::string>() == "mmol" ? GlucoseUnit::MmolPerL : GlucoseUnit::MgPerDl;
         }},
        flag("readToMe", &Preferences::readToMe),
        flag("sound", &Preferences::sound),
        number("lowGrams", &AppState::lowGrams, &AppState::setLowGrams, kLeastLowGrams, kMostLowGrams, kLowGramsStep),
        flag("remember", &Preferences::remember),
        dayJobs(),
        practice(),
    };
    return kFields;
}

} // namespace

ProgressRecord progressOf(AppState& state)
{
    ProgressRecord record{{"version", kProgressVersion}};
    for (const auto& field : fields()) {
        record[std::string(field.name)] = field.keep(state);
    }
    return record;
}

Result<void> checkProgress(const ProgressRecord& record)
{
    if (!record.is_object()) {
        return Error{"it is not a JSON object"};
    }
    const auto version = record.find("version");
    if (version == record.end()) {
        return Error{"it has no version"};
    }
    if (!version->is_number_integer() || version->get<std::int64_t>() != kProgressVersion) {
        return Error{"its version " + shown(version->dump()) + " is not one this game knows (1)"};
    }
    for (const auto& entry : record.items()) {
        const std::string& name = entry.key();
        const auto& value = entry.value();
        if (name == "version") {
            continue;
        }
        const auto field = std::find_if(fields().begin(), fields().end(), [&](const Field& f) { return f.name == name; });
        if (field == fields().end()) {
            return Error{"it holds \"" + shown(name) + "\", which the game does not keep"};
        }
        BC_TRY(field->check(name, value));
    }
    return done();
}

Result<ProgressRecord> parseProgress(std::string_view text)
{
    if (text.size() > kMostProgressBytes) {
        return Error{"it is larger than 64 KiB"};
    }
    ProgressRecord record = ProgressRecord::parse(text.begin(), text.end(), nullptr, false);
    if (record.is_discarded()) {
        return Error{"it is not valid JSON"};
    }
    BC_TRY(checkProgress(record));
    return record;
}

void restoreProgress(AppState& state, const ProgressRecord& record)
{
    for (const auto& field : fields()) {
        if (const auto value = record.find(std::string(field.name)); value != record.end()) {
            field.restore(state, *value);
        }
    }
}

} // namespace bc
