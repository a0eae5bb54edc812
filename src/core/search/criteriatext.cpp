#include "core/search/criteriatext.h"

#include "core/eval/vocabulary.h"
#include "core/league/records.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vantrel {

namespace {

constexpr std::array<std::string_view, 3> kStatusWords = {"all", "veteran", "rookie"};
constexpr std::array<std::string_view, 4> kAssignWords = {"all", "pro", "farm", "scratch"};
constexpr std::array<std::string_view, 6> kPositionWords = {"all", "c", "lw", "rw", "d", "g"};
constexpr std::array<std::string_view, 3> kSeasonWords = {"all", "new", "matched"};
constexpr std::string_view kKeys =
    "team, name, status, assign, pos, age, salary, all, a rating (IT .. LD, OV), a change "
    "since the earlier season (dIT .. dLD, dOV), season or score";
constexpr long long kLargestChange = 999;
constexpr long long kLargestSalary = 2147483647;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// A value as typed: its characters with quotes and escapes removed, and for each whether
// it stood inside quotes (an unquoted "-" separates the two ends of a range).
struct Value {
    std::string text;
    std::vector<bool> quoted;

    bool AnyQuoted() const { return std::find(quoted.begin(), quoted.end(), true) != quoted.end(); }
    // The parts before and after the first unquoted "-"; nullopt when there is none.
    std::optional<std::pair<Value, Value>> SplitRange() const {
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '-' && !quoted[i]) {
                const auto dash = quoted.begin() + static_cast<std::ptrdiff_t>(i);
                Value low{text.substr(0, i), {quoted.begin(), dash}};
                Value high{text.substr(i + 1), {dash + 1, quoted.end()}};
                return std::pair{low, high};
            }
        }
        return std::nullopt;
    }
};

struct Token {
    std::string raw;  // as typed, for messages
    std::string key;  // lower-case
    std::string op;   // "=", ">=" or "<="
    Value value;
};

// Whole numbers of digits only, at most `largest`.
std::optional<long long> WholeNumber(const Value& value, long long largest) {
    if (value.text.empty() || value.AnyQuoted())
        return std::nullopt;
    long long n = 0;
    for (const char c : value.text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
        if (n > largest)
            return std::nullopt;
    }
    return n;
}

int ItemOf(std::string_view word, const auto& words) {
    const std::string lower = Lower(word);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (lower == words[i])
            return static_cast<int>(i);
    }
    return -1;
}

int RatingOfKey(std::string_view key) {
    for (int i = 0; i < kRatingCriteriaCount; ++i) {
        if (Lower(RatingAbbrev(i)) == key)
            return i;
    }
    return -1;
}

// The rating of a change key ("dsk", "dov"), or -1.
int RatingOfChangeKey(std::string_view key) {
    return key.size() > 1 && key[0] == 'd' ? RatingOfKey(key.substr(1)) : -1;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

// A salary edit's text: bare when it reads back as the same whole number.
std::string SalaryValue(const std::string& text) {
    const Value bare{text, std::vector<bool>(text.size(), false)};
    return text.empty() || WholeNumber(bare, kLargestSalary) ? text : Quoted(text);
}

// One change bound as a word: "dSK>=-5".
std::string ChangeWord(int rating, const char* op, int change) {
    std::string word = "d";
    word += RatingAbbrev(rating);
    word += op;
    word += ChangeText(change);
    return word;
}

void AppendChangeParts(const ChangeCriteria& changes, std::vector<std::string>& parts) {
    for (int i = 0; i < kRatingCriteriaCount; ++i) {
        const ChangeBound& bound = changes.changes[static_cast<std::size_t>(i)];
        if (bound.atLeast && bound.atMost && *bound.atLeast == *bound.atMost) {
            parts.push_back(ChangeWord(i, "=", *bound.atLeast));
            continue;
        }
        if (bound.atLeast)
            parts.push_back(ChangeWord(i, ">=", *bound.atLeast));
        if (bound.atMost)
            parts.push_back(ChangeWord(i, "<=", *bound.atMost));
    }
    if (changes.season != SeasonWanted::kAny)
        parts.push_back("season=" +
                        std::string(kSeasonWords[static_cast<std::size_t>(changes.season)]));
}

void AppendScoreParts(const ScoreCriteria& score, std::vector<std::string>& parts) {
    if (!score.weights.IsSet())
        return;
    parts.push_back("score=" + ScoreFormula(score.weights));
    if (score.atLeast)
        parts.push_back("score>=" + ScoreBoundText(*score.atLeast));
    if (score.atMost)
        parts.push_back("score<=" + ScoreBoundText(*score.atMost));
}

}  // namespace

std::string CriteriaText(const PanelState& s) {
    const PanelState reset;
    std::vector<std::string> parts;
    if (!s.team.empty())
        parts.push_back("team=" + Quoted(s.team));
    if (s.name != reset.name)
        parts.push_back("name=" + Quoted(s.name));
    if (s.status > 0 && s.status < static_cast<int>(kStatusWords.size()))
        parts.push_back("status=" + std::string(kStatusWords[static_cast<std::size_t>(s.status)]));
    if (s.assignment > 0 && s.assignment < static_cast<int>(kAssignWords.size()))
        parts.push_back("assign=" +
                        std::string(kAssignWords[static_cast<std::size_t>(s.assignment)]));
    if (s.position > 0 && s.position < static_cast<int>(kPositionWords.size())) {
        std::string code(kPositionWords[static_cast<std::size_t>(s.position)]);
        std::transform(code.begin(), code.end(), code.begin(), [](char c) { return c - 32; });
        parts.push_back("pos=" + code);
    }
    if (s.ageMin != reset.ageMin || s.ageMax != reset.ageMax)
        parts.push_back("age=" + std::to_string(s.ageMin) + "-" + std::to_string(s.ageMax));
    if (!s.salaryFrom.empty() || !s.salaryTo.empty())
        parts.push_back("salary=" + SalaryValue(s.salaryFrom) + "-" + SalaryValue(s.salaryTo));
    if (s.all != 0)
        parts.push_back("all=" + std::to_string(s.all));
    for (int i = 0; i < kRatingCriteriaCount; ++i) {
        const RatingCriterion& r = s.ratings[static_cast<std::size_t>(i)];
        if (r.threshold == s.all && r.mode == CriterionMode::kAtLeast)
            continue;  // what "all" leaves it at
        const char* op = r.mode == CriterionMode::kAtLeast  ? ">="
                         : r.mode == CriterionMode::kAtMost ? "<="
                                                            : "=";
        parts.push_back(std::string(RatingAbbrev(i)) + op + std::to_string(r.threshold));
    }
    AppendChangeParts(s.changes, parts);
    AppendScoreParts(s.score, parts);
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : " ") + part;
    return text;
}

namespace {

class Parser {
  public:
    Parser(std::string_view text, const PanelLimits& limits, const PanelChecks& checks)
        : text_(text), limits_(limits), checks_(checks) {}

    CriteriaParse Run() {
        PanelState state;
        std::vector<std::string> seen;
        while (SkipBlanks()) {
            std::optional<Token> token = NextToken();
            if (!token)
                return Failure();
            if (!Note(*token, seen) || !Apply(*token, state))
                return Failure();
        }
        // "all" moves every rating first; a rating left out stands where "all" put it.
        for (int i = 0; i < kRatingCriteriaCount; ++i) {
            if (std::find(seen.begin(), seen.end(), Lower(RatingAbbrev(i))) == seen.end())
                state.ratings[static_cast<std::size_t>(i)] = {state.all, CriterionMode::kAtLeast};
        }
        if (state.score.HasBounds() && !state.score.weights.IsSet()) {
            Fail(scoreBound_, "score>= and score<= only with score weights (score=SK*2+PA+PC)");
            return Failure();
        }
        return {state, {}};
    }

  private:
    // Each key once; a change key may have a lower and an upper bound ("=" is both).
    bool Note(const Token& t, std::vector<std::string>& seen) {
        std::vector<std::string> uses = {t.key};
        if (t.key == "score")
            uses = {t.key + t.op};
        else if (RatingOfChangeKey(t.key) >= 0)
            uses = t.op == "=" ? std::vector<std::string>{t.key + ">=", t.key + "<="}
                               : std::vector<std::string>{t.key + t.op};
        for (const std::string& use : uses) {
            if (std::find(seen.begin(), seen.end(), use) != seen.end())
                return Fail(t.raw, "each key once; " + t.key + " is given twice");
            seen.push_back(use);
        }
        return true;
    }

    bool SkipBlanks() {
        while (at_ < text_.size() && IsBlank(text_[at_]))
            ++at_;
        return at_ < text_.size();
    }

    std::optional<Token> NextToken() {
        const std::size_t begin = at_;
        Token token;
        while (at_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[at_])))
            ++at_;
        token.key = Lower(text_.substr(begin, at_ - begin));
        for (const char* op : {">=", "<=", "="}) {
            if (text_.substr(at_).starts_with(op)) {
                token.op = op;
                at_ += token.op.size();
                break;
            }
        }
        if (token.key.empty() || token.op.empty()) {
            SkipToken();
            Fail(Raw(begin), "key=value, such as SK>=70 or team=\"Rivertown\"");
            return std::nullopt;
        }
        if (!ReadValue(token.value)) {
            Fail(Raw(begin), "a closing \"");
            return std::nullopt;
        }
        token.raw = Raw(begin);
        return token;
    }

    // The value up to the next blank outside quotes; false for a quote left open.
    bool ReadValue(Value& value) {
        bool inQuotes = false;
        for (; at_ < text_.size() && (inQuotes || !IsBlank(text_[at_])); ++at_) {
            char c = text_[at_];
            if (c == '"') {
                inQuotes = !inQuotes;
                continue;
            }
            if (inQuotes && c == '\\' && at_ + 1 < text_.size())
                c = text_[++at_];
            value.text += c;
            value.quoted.push_back(inQuotes);
        }
        return !inQuotes;
    }

    void SkipToken() {
        while (at_ < text_.size() && !IsBlank(text_[at_]))
            ++at_;
    }
    std::string Raw(std::size_t begin) const {
        return std::string(text_.substr(begin, at_ - begin));
    }

    bool Apply(const Token& t, PanelState& s) {
        const int rating = RatingOfKey(t.key);
        if (rating >= 0)
            return ApplyRating(t, s.ratings[static_cast<std::size_t>(rating)]);
        const int changed = RatingOfChangeKey(t.key);
        if (changed >= 0)
            return NeedsSeason(t) &&
                   ApplyChange(t, s.changes.changes[static_cast<std::size_t>(changed)]);
        if (t.key == "score")
            return ApplyScore(t, s.score);
        if (t.op != "=")
            return Fail(t.raw, "= after " + t.key + " (>= and <= are for ratings)");
        if (t.key == "team")
            return ApplyTeam(t, s.team);
        if (t.key == "name")
            return ApplyName(t, s.name);
        if (t.key == "status")
            return ApplyItem(t, kStatusWords, "all, veteran or rookie", s.status);
        if (t.key == "assign")
            return ApplyItem(t, kAssignWords, "all, pro, farm or scratch", s.assignment);
        if (t.key == "pos")
            return ApplyItem(t, kPositionWords, "all, C, LW, RW, D or G", s.position);
        if (t.key == "age")
            return ApplyAge(t, s);
        if (t.key == "salary")
            return ApplySalary(t, s);
        if (t.key == "all")
            return ApplyNumber(t, limits_.ratingHigh, s.all);
        if (t.key == "season")
            return NeedsSeason(t) && ApplySeason(t, s.changes.season);
        return Fail(t.raw, std::string(kKeys));
    }

    bool ApplyRating(const Token& t, RatingCriterion& r) {
        r.mode = t.op == ">="   ? CriterionMode::kAtLeast
                 : t.op == "<=" ? CriterionMode::kAtMost
                                : CriterionMode::kEqual;
        return ApplyNumber(t, limits_.ratingHigh, r.threshold);
    }

    bool NeedsSeason(const Token& t) {
        if (!checks_.seasonOpen || checks_.seasonOpen())
            return true;
        const std::string key = t.raw.substr(0, t.key.size());
        return Fail(t.raw,
                    key + " only with an earlier season open (File > Open Earlier Season...)");
    }

    // A signed whole number: "+3", "-5", "0".
    bool ApplyChange(const Token& t, ChangeBound& bound) {
        const std::string& text = t.value.text;
        const bool sign = !text.empty() && (text[0] == '+' || text[0] == '-');
        const Value digits{
            text.substr(sign ? 1 : 0),
            std::vector<bool>(t.value.quoted.begin() + (sign ? 1 : 0), t.value.quoted.end())};
        const std::optional<long long> n = WholeNumber(digits, kLargestChange);
        if (!n || t.value.AnyQuoted())
            return Fail(t.raw, "a whole number from -999 to +999 (dOV>=3, dSK<=-5)");
        const int change = static_cast<int>(text[0] == '-' ? -*n : *n);
        if (t.op != "<=")
            bound.atLeast = change;
        if (t.op != ">=")
            bound.atMost = change;
        return true;
    }

    // score=SK*2+PA sets the weights, score>=70.5 and score<=90 the bounds.
    bool ApplyScore(const Token& t, ScoreCriteria& score) {
        if (t.value.AnyQuoted())
            return Fail(t.raw, "a score without quotes (score=SK*2+PA, score>=70.5)");
        if (t.op == "=") {
            const ScoreFormulaParse formula = ParseScoreFormula(t.value.text);
            if (!formula.weights)
                return Fail(t.raw, formula.error);
            score.weights = *formula.weights;
            return true;
        }
        const std::optional<int> bound = ParseScoreBound(t.value.text);
        if (!bound)
            return Fail(t.raw, "a score from 0 to 100 with at most one decimal (score>=70.5)");
        (t.op == ">=" ? score.atLeast : score.atMost) = *bound;
        scoreBound_ = t.raw;
        return true;
    }

    bool ApplySeason(const Token& t, SeasonWanted& season) {
        const int item = ItemOf(t.value.text, kSeasonWords);
        season = static_cast<SeasonWanted>(std::max(item, 0));
        return item >= 0 || Fail(t.raw, "all, new or matched");
    }

    bool ApplyNumber(const Token& t, int high, int& into) {
        const std::optional<long long> n = WholeNumber(t.value, high);
        if (!n)
            return Fail(t.raw, "a whole number from 0 to " + std::to_string(high));
        into = static_cast<int>(*n);
        return true;
    }

    bool ApplyItem(const Token& t, const auto& words, const std::string& expected, int& into) {
        into = ItemOf(t.value.text, words);
        return into >= 0 || Fail(t.raw, expected);
    }

    bool ApplyTeam(const Token& t, std::string& team) {
        if (!t.value.text.empty() && checks_.teamExists && !checks_.teamExists(t.value.text))
            return Fail(t.raw, "the name of a team of the loaded league");
        team = t.value.text;
        return true;
    }

    bool ApplyName(const Token& t, std::string& name) {
        if (!FitsEdit(t.value))
            return Fail(t.raw, "a name pattern of at most " + std::to_string(limits_.textMax) +
                                   " characters");
        if (checks_.nameSearchable && !checks_.nameSearchable(t.value.text))
            return Fail(t.raw, "a name pattern of characters that player names can hold");
        name = t.value.text;
        return true;
    }

    bool ApplyAge(const Token& t, PanelState& s) {
        const auto range = t.value.SplitRange();
        const std::string expected = "two ages from " + std::to_string(limits_.ageLow) + " to " +
                                     std::to_string(limits_.ageHigh) + ", the lower first (20-30)";
        if (!range)
            return Fail(t.raw, expected);
        const auto low = WholeNumber(range->first, limits_.ageHigh);
        const auto high = WholeNumber(range->second, limits_.ageHigh);
        if (!low || !high || *low < limits_.ageLow || *low > *high)
            return Fail(t.raw, expected);
        s.ageMin = static_cast<int>(*low);
        s.ageMax = static_cast<int>(*high);
        return true;
    }

    bool ApplySalary(const Token& t, PanelState& s) {
        const auto range = t.value.SplitRange();
        const std::string expected =
            "from-to, each a whole number up to 2147483647 or left out (100000-2000000)";
        if (!range)
            return Fail(t.raw, expected);
        for (const Value* end : {&range->first, &range->second}) {
            if (!FitsEdit(*end))
                return Fail(t.raw, "a salary text of at most " + std::to_string(limits_.textMax) +
                                       " characters");
            if (!end->text.empty() && !end->AnyQuoted() && !WholeNumber(*end, kLargestSalary))
                return Fail(t.raw, expected);
        }
        s.salaryFrom = range->first.text;
        s.salaryTo = range->second.text;
        return true;
    }

    // Counted as the edit counts: in UTF-16 units of the UTF-8 text, one for each byte
    // that starts a character and a second one for a character beyond 16 bits. Counting
    // bytes would refuse the long non-ASCII texts the edits hold, and so the panel's own.
    bool FitsEdit(const Value& value) const {
        std::size_t units = 0;
        for (const char c : value.text) {
            const auto byte = static_cast<unsigned char>(c);
            units += ((byte & 0xC0) != 0x80 ? 1 : 0) + (byte >= 0xF0 ? 1 : 0);
        }
        return units <= static_cast<std::size_t>(limits_.textMax);
    }

    bool Fail(const std::string& token, const std::string& expected) {
        error_ = {token, expected};
        return false;
    }
    CriteriaParse Failure() const { return {std::nullopt, error_}; }

    std::string_view text_;
    std::size_t at_ = 0;
    PanelLimits limits_;
    const PanelChecks& checks_;
    CriteriaTextError error_;
    std::string scoreBound_;  // a score bound as typed, refused when no weights follow
};

}  // namespace

CriteriaParse ParseCriteriaText(std::string_view text, const PanelLimits& limits,
                                const PanelChecks& checks) {
    return Parser(text, limits, checks).Run();
}

}  // namespace vantrel
