// The functions the page calls. Each answer is JSON text that stays valid
// until the next call; the page copies it out at once.
#include "web/glue/JsonTranslator.h"
#include "web/glue/WebSession.h"

#include <emscripten/emscripten.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

namespace {

using json = bc::WebSession::json;

std::unique_ptr<bc::WebSession> session;
std::string answer;

const char* reply(const json& j)
{
    answer = j.dump(-1, ' ', false, json::error_handler_t::replace);
    return answer.c_str();
}

const char* outcome(const bc::Result<void>& done)
{
    return reply(done ? json{{"ok", true}} : json{{"ignored", done.error().message}});
}

const char* notStarted() { return reply(json{{"error", "the game has not started"}}); }

// The language's catalogue from the bundle; none (English, or a language the
// bundle lacks) reads in English.
std::unique_ptr<const bc::Translator> translatorFor(const std::string& language)
{
    std::ifstream in("/resources/locale/" + language + ".json", std::ios::binary);
    if (language.empty() || language.find('/') != std::string::npos || !in) {
        return nullptr;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return std::make_unique<const bc::JsonTranslator>(text.str());
}

} // namespace

extern "C" {

// `seeded` makes the random readings repeat (the tests use it); otherwise
// they come from the browser's random source. `language` names a catalogue
// of the bundle ("es"), or is empty for English. `kept` is what the page's
// storage entry for the progress held, or null. The answer carries the
// page's own texts in that language.
EMSCRIPTEN_KEEPALIVE const char* bc_start(int seeded, double seed, const char* language, const char* kept)
{
    std::optional<std::uint64_t> fixed;
    if (seeded != 0 && seed >= 0) {
        fixed = static_cast<std::uint64_t>(seed);
    }
    session.reset();
    auto started = bc::WebSession::start("/resources", bc::RunLoop::ClockKind::Real, fixed,
                                         translatorFor(language != nullptr ? language : ""),
                                         kept != nullptr ? std::optional<std::string>(kept) : std::nullopt);
    if (!started) {
        return reply(json{{"error", started.error().message}});
    }
    session = std::move(*started);
    return reply(json{{"ok", true}, {"words", session->words()}});
}

EMSCRIPTEN_KEEPALIVE const char* bc_frame() { return session ? reply(session->frame()) : notStarted(); }

EMSCRIPTEN_KEEPALIVE const char* bc_tap(unsigned screen, unsigned index)
{
    return session ? outcome(session->tap(screen, index)) : notStarted();
}

EMSCRIPTEN_KEEPALIVE const char* bc_step(unsigned screen, unsigned index, int up)
{
    return session ? outcome(session->step(screen, index, up != 0)) : notStarted();
}

EMSCRIPTEN_KEEPALIVE const char* bc_nav_back() { return session ? outcome(session->navBack()) : notStarted(); }

// 1 when the page should fetch a new frame.
EMSCRIPTEN_KEEPALIVE int bc_tick() { return session && session->tick() ? 1 : 0; }

// Milliseconds until the page should tick again, or -1 when nothing is due.
EMSCRIPTEN_KEEPALIVE double bc_next_wake_ms()
{
    if (!session) {
        return -1;
    }
    auto wake = session->secondsToNextWake();
    return wake ? *wake * 1000.0 : -1.0;
}

EMSCRIPTEN_KEEPALIVE const char* bc_heard() { return session ? reply(session->heard()) : notStarted(); }

EMSCRIPTEN_KEEPALIVE void bc_focus(unsigned screen, const char* name)
{
    if (session && name != nullptr) {
        session->focused(screen, name);
    }
}

// What to do to the page's storage entry since the last call: a list of
// {"put": text}, {"remove": true} and {"aside": true}, in order.
EMSCRIPTEN_KEEPALIVE const char* bc_progress() { return session ? reply(session->takeProgress()) : notStarted(); }

EMSCRIPTEN_KEEPALIVE const char* bc_state() { return session ? reply(session->state()) : notStarted(); }

} // extern "C"
