// leaguegen: writes a synthetic league (BASEPATH.tms and BASEPATH.ros).

#include "leaguegen.h"

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace {

constexpr int kUsageError = 2;

constexpr char kUsage[] =
    "usage: leaguegen [options] BASEPATH\n"
    "Writes BASEPATH.tms and BASEPATH.ros; the base path may contain dots.\n"
    "  --seed N            random seed (default 1)\n"
    "  --teams T           number of teams (default 18)\n"
    "  --slots S           roster slots per team (default 30)\n"
    "  --records N         at least N player records: slots = ceil(N / teams)\n"
    "  --empty F           share of empty slots, 0..1 (default 0.1)\n"
    "  --goalies G         goalies per team (default 3)\n"
    "  --injured F         share of injured players, 0..1 (default 0.05)\n"
    "  --rookies F         share of rookies, 0..1 (default 0.15)\n"
    "  --odd F             share of records with odd bytes, 0..1 (default 0.05)\n"
    "  --unnamed-teams N   teams hidden from the team list (default 0)\n"
    "  --season-before     write the league as it stood one season earlier\n"
    "  --help              show this text\n";

// A whole argument as a number, or nothing when any character is left over.
template <typename T>
std::optional<T> ParseNumber(std::string_view text) {
    T value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

int UsageError(const std::string& message) {
    std::cerr << "leaguegen: " << message << " (leaguegen --help lists the options)\n";
    return kUsageError;
}

// What the command line asks for.
struct Request {
    leaguegen::Options options;
    std::optional<std::int64_t> records;
    bool slotsGiven = false;
    bool seasonBefore = false;
    std::string basePath;
};

enum class OptionValue { kTaken, kBad, kUnknownOption };

// Stores the value of one option (its name with the dashes) in the request.
OptionValue SetOption(std::string_view arg, std::string_view value, Request& request) {
    leaguegen::Options& options = request.options;
    const auto setInt = [&](int& target) {
        const auto n = ParseNumber<int>(value);
        if (n)
            target = *n;
        return n.has_value();
    };
    const auto setShare = [&](double& target) {
        const auto x = ParseNumber<double>(value);
        if (x)
            target = *x;
        return x.has_value();
    };
    bool ok = true;
    if (arg == "--seed") {
        const auto n = ParseNumber<std::uint64_t>(value);
        ok = n.has_value();
        if (ok)
            options.seed = *n;
    } else if (arg == "--teams") {
        ok = setInt(options.teams);
    } else if (arg == "--slots") {
        ok = setInt(options.slotsPerTeam);
        request.slotsGiven = true;
    } else if (arg == "--records") {
        request.records = ParseNumber<std::int64_t>(value);
        ok = request.records.has_value() && *request.records >= 0;
    } else if (arg == "--empty") {
        ok = setShare(options.emptyShare);
    } else if (arg == "--goalies") {
        ok = setInt(options.goaliesPerTeam);
    } else if (arg == "--injured") {
        ok = setShare(options.injuredShare);
    } else if (arg == "--rookies") {
        ok = setShare(options.rookieShare);
    } else if (arg == "--odd") {
        ok = setShare(options.oddShare);
    } else if (arg == "--unnamed-teams") {
        ok = setInt(options.unnamedTeams);
    } else {
        return OptionValue::kUnknownOption;
    }
    return ok ? OptionValue::kTaken : OptionValue::kBad;
}

// Reads the arguments from left to right into the request. Returns the exit code when the
// program ends here: after --help, or at the first argument in error.
std::optional<int> ParseArguments(int argc, char** argv, Request& request) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--season-before") {
            request.seasonBefore = true;
            continue;
        }
        if (!arg.starts_with("--")) {
            if (!request.basePath.empty())
                return UsageError("only one base path may be given");
            request.basePath = arg;
            continue;
        }
        if (i + 1 >= argc)
            return UsageError("missing value after " + std::string(arg));
        const std::string_view value = argv[++i];
        switch (SetOption(arg, value, request)) {
            case OptionValue::kTaken:
                break;
            case OptionValue::kBad:
                return UsageError("bad value '" + std::string(value) + "' for " + std::string(arg));
            case OptionValue::kUnknownOption:
                return UsageError("unknown option " + std::string(arg));
        }
    }
    return std::nullopt;
}

// Checks the request as a whole and turns --records into slots per team. Returns the exit
// code when the request cannot be carried out.
std::optional<int> CompleteOptions(Request& request) {
    leaguegen::Options& options = request.options;
    if (request.basePath.empty())
        return UsageError("no base path given");
    if (request.records) {
        if (request.slotsGiven)
            return UsageError("--records and --slots exclude each other");
        if (options.teams <= 0)
            return UsageError("--records needs at least one team");
        const std::int64_t slots = (*request.records + options.teams - 1) / options.teams;
        if (slots > INT32_MAX)
            return UsageError("too many records");
        options.slotsPerTeam = static_cast<int>(slots);
    }
    if (const auto problem = leaguegen::CheckOptions(options))
        return UsageError(*problem);
    return std::nullopt;
}

using Clock = std::chrono::steady_clock;

// Sizes and counts of the written league and the time each step took.
void PrintSummary(const leaguegen::League& league, const Request& request, Clock::time_point start,
                  Clock::time_point generated, Clock::time_point written) {
    const std::string& basePath = request.basePath;
    const leaguegen::Summary s = leaguegen::Summarize(league);
    const auto ms = [](auto from, auto to) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
    };
    std::cout << basePath << ".tms: " << league.teams.size() << " bytes, " << s.teams << " teams ("
              << s.listedTeams << " listed)\n"
              << basePath << ".ros: " << league.roster.size() << " bytes, " << s.records
              << " records, " << request.options.slotsPerTeam << " slots per team\n"
              << "named players " << s.namedPlayers << ", empty slots "
              << s.records - s.namedPlayers << ", goalies " << s.goalies << ", injured "
              << s.injured << ", rookies " << s.rookies << "\n"
              << "generated in " << ms(start, generated) << " ms, written in "
              << ms(generated, written) << " ms\n";
}

// Generates the league, writes both files and prints what was written; the exit code.
int GenerateAndWrite(const Request& request) {
    const auto start = Clock::now();
    leaguegen::League league = leaguegen::Generate(request.options);
    if (request.seasonBefore)
        league = leaguegen::SeasonBefore(league, request.options.seed);
    const auto generated = Clock::now();
    if (!leaguegen::WriteLeague(league, request.basePath)) {
        std::cerr << "leaguegen: could not write " << request.basePath << ".tms and "
                  << request.basePath << ".ros\n";
        return 1;
    }
    const auto written = Clock::now();
    PrintSummary(league, request, start, generated, written);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Request request;
    if (const auto exitCode = ParseArguments(argc, argv, request))
        return *exitCode;
    if (const auto exitCode = CompleteOptions(request))
        return *exitCode;
    return GenerateAndWrite(request);
}
