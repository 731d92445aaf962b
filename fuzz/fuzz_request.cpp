// Fuzzes the browser edition's requests: any bytes are either answered or
// refused with {"error": ..., "status": 2}, as valid UTF-8, and a request
// never changes the answer to the next one.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "app/session/json_requests.h"
#include "app/session/json_writer.h"
#include "catalog/catalog.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "fuzz_request: %s\n", what);
    std::abort();
}

std::optional<astro::UtcOffsetFn> noZones(const std::string&) { return std::nullopt; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const catalog::Catalogue cat = catalog::loadCatalogue();
    static const app::Clock::time_point now =
        std::chrono::sys_days{std::chrono::year{2026} / 1 / 15} + std::chrono::hours(13);
    static const std::string probe = R"({"op": "find", "name": "シリウス", "at": "2026-01-15 22:00"})";
    static const std::string expected = app::answerJsonRequest(probe, cat, noZones, now);

    const std::string_view request(reinterpret_cast<const char*>(data), size);
    const std::string answer = app::answerJsonRequest(request, cat, noZones, now);
    if (answer.empty()) fail("an empty answer");
    for (std::size_t i = 0; i < answer.size();) {
        const std::size_t n = app::utf8SequenceLength(answer, i);
        if (n == 0) fail("an answer that is not UTF-8");
        i += n;
    }
    if (answer.rfind("{\"error\": ", 0) == 0 && answer.find("\"status\": 2") == std::string::npos)
        fail("an error without its status");
    // A whole answer costs milliseconds: the probe runs on every 64th input.
    static unsigned count = 0;
    if (++count % 64 == 0 && app::answerJsonRequest(probe, cat, noZones, now) != expected)
        fail("a request changed a later answer");
    return 0;
}
