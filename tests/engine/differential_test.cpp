// The fast engine against the literal reference: thousands of small random
// file pairs, chosen so that repeats, moves and near-equal lines are common,
// are compared by both, and every block list must come out the same. The
// reference is itself checked on small pairs whose blocks are worked out by
// hand below (a changed line, swapped halves, the matcher's edge cases, a
// trimming decision, a crossing block turned into a move) and on the
// invariants every result must satisfy, so a difference points at the engine.

#include "engine/bin_buf.h"
#include "engine/block_list.h"
#include "engine/diff_algorithm5.h"
#include "engine/text_buf.h"
#include "tests/engine/literal/literal_diff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using literal::LiteralFinish;
using literal::LiteralMatch;
using literal::LiteralResult;
using literal::RunLiteral;

// ---------------------------------------------------------------------------
// Describing blocks and inputs, so that a failure can be read without a debugger.

std::string DescribeBlock(const DIFF_BLOCK& b)
{
    std::ostringstream out;
    switch (b.kind) {
    case BlockKind::Common:
        out << "Common    id " << b.id << " len " << b.length << " posA " << b.posA() << " posB "
            << b.posB();
        break;
    case BlockKind::Unmatched:
        out << (b.side() == 0 ? "Old      " : "New      ") << " id " << b.id << " len " << b.length
            << " side " << b.side() << " pos " << b.pos();
        break;
    case BlockKind::Moved:
        out << (b.side() == 0 ? "MovedFrom" : "MovedTo  ") << " id " << b.id << " len " << b.length
            << " side " << b.side() << " pos " << b.pos();
        break;
    default:
        out << "kind " << static_cast<int>(b.kind) << " id " << b.id << " len " << b.length
            << " fields " << b.field[0] << ' ' << b.field[1];
        break;
    }
    return out.str();
}

std::string DescribeList(const std::vector<DIFF_BLOCK>& list)
{
    if (list.empty())
        return "    (empty)\n";
    std::string text;
    for (const DIFF_BLOCK& b : list)
        text += "    " + DescribeBlock(b) + "\n";
    return text;
}

// Control bytes are spelled out: they are what the tricky lines are made of.
std::string Escape(const std::string& bytes)
{
    std::string text;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r') {
            text += "\\r";
        } else if (c == '\t') {
            text += "\\t";
        } else if (c == '\n') {
            text += "\\n";
        } else if (c == '\\') {
            text += "\\\\";
        } else if (u < 0x20 || u >= 0x7f) {
            static const char hex[] = "0123456789abcdef";
            text += "\\x";
            text += hex[u >> 4];
            text += hex[u & 15];
        } else {
            text += c;
        }
    }
    return text;
}

std::vector<std::string> SplitAtLineFeeds(const std::string& bytes)
{
    std::vector<std::string> pieces(1);
    for (char c : bytes) {
        if (c == '\n')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

std::string JoinWithLineFeeds(const std::vector<std::string>& pieces)
{
    std::string bytes;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        if (k > 0)
            bytes += '\n';
        bytes += pieces[k];
    }
    return bytes;
}

// ---------------------------------------------------------------------------
// Cases.

struct Params
{
    int minLength = 1;
    int limit = 1000;
    bool ignoreCase = false;
    bool ignoreBlanks = false;
};

struct Input
{
    bool binary = false;
    std::string first;
    std::string second;
};

std::string DescribeFile(const char* title, const std::string& bytes, bool binary)
{
    std::ostringstream out;
    if (binary) {
        out << title << " (" << bytes.size() << " bytes): \"" << Escape(bytes) << "\"\n";
        return out.str();
    }
    if (bytes.empty()) {
        out << title << ": empty\n";
        return out.str();
    }
    const std::vector<std::string> lines = SplitAtLineFeeds(bytes);
    out << title << " (" << lines.size() << " lines, "
        << (bytes.back() == '\n' ? "ends with LF" : "no final LF") << "):\n";
    for (std::size_t k = 0; k < lines.size(); ++k)
        out << "    " << k << ": \"" << Escape(lines[k]) << "\"\n";
    return out.str();
}

std::string DescribeCase(const Input& input, const Params& params)
{
    std::ostringstream out;
    out << (input.binary ? "binary" : "text") << " comparison, block size " << params.minLength
        << ", limit " << params.limit;
    if (!input.binary) {
        out << ", ignore case " << (params.ignoreCase ? "on" : "off") << ", ignore blanks "
            << (params.ignoreBlanks ? "on" : "off");
    }
    out << "\n"
        << DescribeFile("first file", input.first, input.binary)
        << DescribeFile("second file", input.second, input.binary);
    return out.str();
}

// ---------------------------------------------------------------------------
// Buffers for one case.

struct Buffers
{
    std::unique_ptr<CDiffBuf> first;
    std::unique_ptr<CDiffBuf> second;
};

std::unique_ptr<CDiffBuf> MakeText(const char* name, const std::string& bytes, const Params& params)
{
    auto buf = std::make_unique<CTextBuf>(name, params.ignoreCase, params.ignoreBlanks);
    EXPECT_TRUE(buf->SetData(std::vector<char>(bytes.begin(), bytes.end())));
    return buf;
}

std::unique_ptr<CDiffBuf> MakeBinary(const char* name, const std::string& bytes)
{
    auto buf = std::make_unique<CBinBuf>(name);
    EXPECT_TRUE(buf->SetData(std::vector<char>(bytes.begin(), bytes.end())));
    return buf;
}

Buffers MakeBuffers(const Input& input, const Params& params)
{
    Buffers buffers;
    if (input.binary) {
        buffers.first = MakeBinary("first.bin", input.first);
        buffers.second = MakeBinary("second.bin", input.second);
    } else {
        buffers.first = MakeText("first.txt", input.first, params);
        buffers.second = MakeText("second.txt", input.second, params);
    }
    return buffers;
}

// ---------------------------------------------------------------------------
// Running both sides.

struct Outcome
{
    std::vector<DIFF_BLOCK> run;
    std::vector<DIFF_BLOCK> all;
    std::vector<DIFF_BLOCK> first;
    std::vector<DIFF_BLOCK> second;
    long long totals[3] = {0, 0, 0};
};

std::vector<DIFF_BLOCK> Copy(const CBlockList& list)
{
    std::vector<DIFF_BLOCK> blocks;
    for (const DIFF_BLOCK* b : list.Blocks())
        blocks.push_back(*b);
    return blocks;
}

long long SumOfLengths(const std::vector<DIFF_BLOCK>& list)
{
    long long sum = 0;
    for (const DIFF_BLOCK& b : list)
        sum += b.length;
    return sum;
}

// Ids come from a process-wide counter; only their order within a run counts.
void NormaliseIds(Outcome& outcome)
{
    if (outcome.all.empty())
        return;
    int smallest = outcome.all.front().id;
    for (const DIFF_BLOCK& b : outcome.all)
        smallest = std::min(smallest, b.id);
    for (std::vector<DIFF_BLOCK>* list :
         {&outcome.run, &outcome.all, &outcome.first, &outcome.second}) {
        for (DIFF_BLOCK& b : *list)
            b.id -= smallest;
    }
}

Outcome RunEngine(const Buffers& buffers, const Params& params)
{
    const std::atomic<bool> noStop{false};
    CDiffResult result = CDiffAlgorithm5(params.minLength, params.limit)
                             .Search(*buffers.first, *buffers.second, noStop);
    Outcome outcome;
    outcome.run = Copy(result.all());
    result.Finish();
    outcome.all = Copy(result.all());
    outcome.first = Copy(result.first());
    outcome.second = Copy(result.second());
    outcome.totals[0] = result.all().total();
    outcome.totals[1] = result.first().total();
    outcome.totals[2] = result.second().total();
    NormaliseIds(outcome);
    return outcome;
}

Outcome RunReference(const Buffers& buffers, const Params& params)
{
    LiteralResult result =
        RunLiteral(*buffers.first, *buffers.second, params.minLength, params.limit);
    Outcome outcome;
    outcome.run = std::move(result.run);
    outcome.all = std::move(result.all);
    outcome.first = std::move(result.first);
    outcome.second = std::move(result.second);
    // A list's total is the sum of the lengths of the blocks added to it.
    outcome.totals[0] = SumOfLengths(outcome.all);
    outcome.totals[1] = SumOfLengths(outcome.first);
    outcome.totals[2] = SumOfLengths(outcome.second);
    NormaliseIds(outcome);
    return outcome;
}

// Empty when both outcomes agree; otherwise every list that differs, in full.
std::string Differences(const Outcome& engine, const Outcome& reference)
{
    struct Named
    {
        const char* name;
        const std::vector<DIFF_BLOCK>& engine;
        const std::vector<DIFF_BLOCK>& reference;
    };
    const Named lists[] = {
        {"matcher output (before post-processing)", engine.run, reference.run},
        {"list of all blocks", engine.all, reference.all},
        {"first file's list", engine.first, reference.first},
        {"second file's list", engine.second, reference.second},
    };
    std::string text;
    for (const Named& list : lists) {
        if (list.engine == list.reference)
            continue;
        text += std::string("-- ") + list.name + " differs\n  engine:\n" +
                DescribeList(list.engine) + "  reference:\n" + DescribeList(list.reference);
    }
    const char* const totalNames[] = {"all", "first", "second"};
    for (int k = 0; k < 3; ++k) {
        if (engine.totals[k] != reference.totals[k]) {
            text += std::string("-- total of the ") + totalNames[k] + " list: engine " +
                    std::to_string(engine.totals[k]) + ", sum of the lengths " +
                    std::to_string(reference.totals[k]) + "\n";
        }
    }
    return text;
}

std::string CompareOnce(const Input& input, const Params& params)
{
    const Buffers buffers = MakeBuffers(input, params);
    const Outcome engine = RunEngine(buffers, params);
    const Outcome reference = RunReference(buffers, params);
    return Differences(engine, reference);
}

// Makes a failing case smaller while it keeps failing, one line (text) or one
// byte (binary) at a time, so the report shows a case small enough to follow
// by hand.
Input Shrink(Input input, const Params& params)
{
    bool shrunk = true;
    while (shrunk) {
        shrunk = false;
        for (std::string* file : {&input.first, &input.second}) {
            if (input.binary) {
                for (std::size_t k = 0; k < file->size();) {
                    const std::string kept = *file;
                    file->erase(k, 1);
                    if (!CompareOnce(input, params).empty()) {
                        shrunk = true;
                        continue;
                    }
                    *file = kept;
                    ++k;
                }
                continue;
            }
            std::vector<std::string> lines = SplitAtLineFeeds(*file);
            for (std::size_t k = 0; k < lines.size() && !file->empty();) {
                const std::string kept = *file;
                std::vector<std::string> fewer = lines;
                fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(k));
                *file = fewer.empty() ? std::string() : JoinWithLineFeeds(fewer);
                if (!CompareOnce(input, params).empty()) {
                    lines = SplitAtLineFeeds(*file);
                    shrunk = true;
                    continue;
                }
                *file = kept;
                ++k;
            }
        }
    }
    return input;
}

// ---------------------------------------------------------------------------
// Random inputs. The generator draws from the raw 32-bit output of mt19937,
// which the language fixes, so the same seed gives the same cases everywhere.

class Random
{
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    // 0 <= result < n
    int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
    // lo <= result <= hi
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(int percent) { return Below(100) < percent; }
    template<typename T> const T& Pick(const std::vector<T>& items)
    {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

private:
    std::mt19937 engine_;
};

// Turns a word into a line that may or may not equal it, depending on the
// options: other letter case, blanks inside or around it, CR bytes at its
// start, inside it or before its end, or nothing at all.
std::string VaryLine(Random& random, std::string line)
{
    const auto insertAt = [&](const std::string& what) {
        line.insert(static_cast<std::size_t>(random.Between(0, static_cast<int>(line.size()))),
                    what);
    };
    switch (random.Below(16)) {
    case 0:
        for (char& c : line) {
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        }
        break;
    case 1:
        if (!line.empty())
            line[0] = static_cast<char>(line[0] ^ 0x20);
        break;
    case 2:
        insertAt(" ");
        break;
    case 3:
        insertAt("\t");
        break;
    case 4:
        line += " ";
        break;
    case 5:
        line = " " + line;
        break;
    case 6:
        line += "\r"; // a CR LF line end
        break;
    case 7:
        line = "\r" + line;
        break;
    case 8:
        insertAt("\r");
        break;
    case 9:
        line += "\r\r";
        break;
    case 10:
        line = "\r\r" + line;
        break;
    case 11:
        line.clear();
        break;
    case 12:
        line = "\r";
        break;
    case 13:
        line = " \t ";
        break;
    case 14:
        insertAt("\x01"); // a control byte counts as blank
        break;
    default:
        break;
    }
    return line;
}

// The distinct lines of one case: a few base words, each often varied, so the
// alphabet holds lines equal under some options and not under others.
std::vector<std::string> MakeAlphabet(Random& random, int size)
{
    static const std::vector<std::string> words = {"a",     "b",  "c",    "ab",  "x y",
                                                   "Tab t", "dd", "e\tf", "g h", "Ij"};
    const int baseWords = random.Between(1, size);
    std::vector<std::string> alphabet;
    for (int k = 0; k < size; ++k) {
        std::string word = words[static_cast<std::size_t>(random.Below(baseWords))];
        alphabet.push_back(random.Chance(50) ? VaryLine(random, word) : word);
    }
    return alphabet;
}

template<typename T> std::vector<T> Draw(Random& random, const std::vector<T>& alphabet, int count)
{
    std::vector<T> items;
    for (int k = 0; k < count; ++k)
        items.push_back(random.Pick(alphabet));
    return items;
}

// Edits a copy: moves, inserts, deletes and changes, so that long common runs
// remain and some of them change places.
template<typename T>
std::vector<T> Mutate(Random& random, std::vector<T> items, const std::vector<T>& alphabet,
                      int longestSlice)
{
    const int edits = random.Between(1, 4);
    for (int e = 0; e < edits; ++e) {
        const int size = static_cast<int>(items.size());
        const auto at = [&](int k) { return items.begin() + static_cast<std::ptrdiff_t>(k); };
        switch (random.Below(5)) {
        case 0: { // move a slice elsewhere
            if (size < 2)
                break;
            const int length = random.Between(1, std::min(longestSlice, size - 1));
            const int from = random.Between(0, size - length);
            std::vector<T> slice(at(from), at(from + length));
            items.erase(at(from), at(from + length));
            const int to = random.Between(0, static_cast<int>(items.size()));
            items.insert(at(to), slice.begin(), slice.end());
            break;
        }
        case 1: { // insert new items
            const std::vector<T> added = Draw(random, alphabet, random.Between(1, 3));
            items.insert(at(random.Between(0, size)), added.begin(), added.end());
            break;
        }
        case 2: { // delete items
            if (size == 0)
                break;
            const int length = random.Between(1, std::min(3, size));
            const int from = random.Between(0, size - length);
            items.erase(at(from), at(from + length));
            break;
        }
        case 3: // change one item
            if (size > 0)
                items[static_cast<std::size_t>(random.Below(size))] = random.Pick(alphabet);
            break;
        default: { // copy a slice elsewhere, so that content repeats
            if (size == 0)
                break;
            const int length = random.Between(1, std::min(longestSlice, size));
            const int from = random.Between(0, size - length);
            std::vector<T> slice(at(from), at(from + length));
            items.insert(at(random.Between(0, size)), slice.begin(), slice.end());
            break;
        }
        }
    }
    return items;
}

std::string TextFile(Random& random, const std::vector<std::string>& lines)
{
    std::string bytes = JoinWithLineFeeds(lines);
    // Without lines there is nothing to end; with some, about half the files
    // end with an LF (which adds an empty last line) and half do not.
    if (!lines.empty() && random.Chance(50))
        bytes += '\n';
    return bytes;
}

Input RandomTextInput(Random& random)
{
    Input input;
    if (random.Chance(40)) {
        // Two unrelated files over one small alphabet.
        const std::vector<std::string> alphabet = MakeAlphabet(random, random.Between(2, 6));
        input.first = TextFile(random, Draw(random, alphabet, random.Between(0, 40)));
        input.second = TextFile(random, Draw(random, alphabet, random.Between(0, 40)));
    } else {
        // A file and an edited copy: long common runs, some of them moved.
        const std::vector<std::string> alphabet = MakeAlphabet(random, random.Between(2, 10));
        const std::vector<std::string> lines = Draw(random, alphabet, random.Between(0, 40));
        input.first = TextFile(random, lines);
        input.second = TextFile(random, Mutate(random, lines, alphabet, 8));
    }
    // Now and then one side is empty.
    if (random.Chance(3))
        input.first.clear();
    if (random.Chance(3))
        input.second.clear();
    return input;
}

Input RandomBinaryInput(Random& random)
{
    static const std::vector<char> bytes = {'a', 'b', 'c', '\0', '\n', '\r', '\xff'};
    std::vector<char> alphabet;
    const int size = random.Between(2, 4);
    while (static_cast<int>(alphabet.size()) < size) {
        const char c = random.Pick(bytes);
        if (std::find(alphabet.begin(), alphabet.end(), c) == alphabet.end())
            alphabet.push_back(c);
    }
    const std::vector<char> first = Draw(random, alphabet, random.Between(0, 120));
    const std::vector<char> second = random.Chance(40)
                                         ? Draw(random, alphabet, random.Between(0, 120))
                                         : Mutate(random, first, alphabet, 20);
    Input input;
    input.binary = true;
    input.first.assign(first.begin(), first.end());
    input.second.assign(second.begin(), second.end());
    return input;
}

// ---------------------------------------------------------------------------
// The sweep: every combination of block size, limit and options gets its own
// set of random inputs.

struct SweepCase
{
    bool binary = false;
    Params params;
    int inputs = 0;
};

std::string SweepCaseText(const SweepCase& c)
{
    const auto number = [](int value) {
        return value < 0 ? "minus" + std::to_string(-value) : std::to_string(value);
    };
    std::string name = "size" + number(c.params.minLength) + "_limit" + number(c.params.limit);
    if (!c.binary) {
        name += c.params.ignoreCase ? (c.params.ignoreBlanks ? "_both" : "_case")
                                    : (c.params.ignoreBlanks ? "_blanks" : "_exact");
    }
    return name;
}

std::string SweepCaseName(const ::testing::TestParamInfo<SweepCase>& info)
{
    return SweepCaseText(info.param);
}

// Lets GoogleTest name a failing case by its parameters instead of its bytes.
void PrintTo(const SweepCase& c, std::ostream* out)
{
    *out << (c.binary ? "binary " : "text ") << SweepCaseText(c) << ", " << c.inputs << " inputs";
}

const std::vector<int>& SweepLimits()
{
    static const std::vector<int> limits = {0, 1, 2, 5, 1000};
    return limits;
}

std::vector<SweepCase> TextSweep()
{
    std::vector<SweepCase> cases;
    for (int minLength = 1; minLength <= 4; ++minLength) {
        for (int limit : SweepLimits()) {
            for (int options = 0; options < 4; ++options) {
                Params params{minLength, limit, (options & 1) != 0, (options & 2) != 0};
                cases.push_back(SweepCase{false, params, 100});
            }
        }
    }
    return cases;
}

std::vector<SweepCase> BinarySweep()
{
    std::vector<SweepCase> cases;
    for (int minLength = 1; minLength <= 4; ++minLength) {
        for (int limit : SweepLimits())
            cases.push_back(SweepCase{true, Params{minLength, limit, false, false}, 60});
    }
    return cases;
}

// Values the settings dialog would refuse: a block size below 1 is used as 1
// and a negative limit as 0, by the engine and by the reference alike.
std::vector<SweepCase> OutOfRangeSweep()
{
    std::vector<SweepCase> cases;
    const std::pair<int, int> values[] = {{0, 1000}, {-3, 1000}, {0, 2},  {-3, 5},
                                          {2, -1},   {0, -1},    {-3, -1}};
    for (const auto& [minLength, limit] : values) {
        cases.push_back(SweepCase{false, Params{minLength, limit, false, true}, 60});
        cases.push_back(SweepCase{true, Params{minLength, limit, false, false}, 30});
    }
    return cases;
}

std::uint32_t SeedOf(const SweepCase& c)
{
    // Fixed per case, so every run of the test sees the same inputs.
    return 0x5eed0000u + static_cast<std::uint32_t>((c.params.minLength + 8) * 4099) +
           static_cast<std::uint32_t>((c.params.limit + 8) * 131) +
           static_cast<std::uint32_t>(c.params.ignoreCase) * 7u +
           static_cast<std::uint32_t>(c.params.ignoreBlanks) * 17u +
           static_cast<std::uint32_t>(c.binary) * 1000003u;
}

class DifferentialSweep : public ::testing::TestWithParam<SweepCase>
{
};

TEST_P(DifferentialSweep, EngineMatchesLiteralReference)
{
    const SweepCase& c = GetParam();
    Random random(SeedOf(c));
    int mismatches = 0;
    Input smallest;
    std::string smallestDifferences;
    for (int k = 0; k < c.inputs; ++k) {
        const Input input = c.binary ? RandomBinaryInput(random) : RandomTextInput(random);
        if (CompareOnce(input, c.params).empty())
            continue;
        ++mismatches;
        const Input shrunk = Shrink(input, c.params);
        if (mismatches == 1 || shrunk.first.size() + shrunk.second.size() <
                                   smallest.first.size() + smallest.second.size()) {
            smallest = shrunk;
            smallestDifferences = CompareOnce(shrunk, c.params);
        }
        // A handful of failures says enough; shrinking all of them would only
        // make a broken engine slow to report.
        if (mismatches == 5)
            break;
    }
    EXPECT_EQ(mismatches, 0) << "engine and literal reference differ; smallest failing case:\n"
                             << DescribeCase(smallest, c.params) << smallestDifferences;
}

INSTANTIATE_TEST_SUITE_P(DifferentialText, DifferentialSweep, ::testing::ValuesIn(TextSweep()),
                         SweepCaseName);
INSTANTIATE_TEST_SUITE_P(DifferentialBinary, DifferentialSweep, ::testing::ValuesIn(BinarySweep()),
                         SweepCaseName);
INSTANTIATE_TEST_SUITE_P(DifferentialOutOfRange, DifferentialSweep,
                         ::testing::ValuesIn(OutOfRangeSweep()), SweepCaseName);

// Hand-picked inputs that random drawing reaches only rarely, each compared
// under every option set and a few block sizes and limits.
TEST(DifferentialEdgeCases, EngineMatchesLiteralReference)
{
    struct Edge
    {
        const char* name;
        Input input;
    };
    const Edge edges[] = {
        {"two empty files", {false, "", ""}},
        {"first empty", {false, "", "a\nb\nc\n"}},
        {"second empty", {false, "a\nb\nc", ""}},
        {"single LF each", {false, "\n", "\n"}},
        {"identical", {false, "a\nb\nc\nd\ne\n", "a\nb\nc\nd\ne\n"}},
        {"identical, one line", {false, "a", "a"}},
        {"changed line", {false, "a\nb\nc\nd\ne", "a\nb\nx\nd\ne"}},
        {"swapped halves", {false, "a\nb\nc\nd\ne\nf", "d\ne\nf\na\nb\nc"}},
        {"CR LF against LF", {false, "a\r\nb\r\nc\r\n", "a\nb\nc\n"}},
        {"CR at line start and inside", {false, "\r\ra\nb\rc\nd", "a\nbc\nd\r"}},
        {"lines of CRs", {false, "\r\n\r\r\n\n", "\n\n\r\n"}},
        {"case only", {false, "Abc\ndef\nGHI\n", "aBC\nDEF\nghi\n"}},
        {"blanks only", {false, "a b\nab\n  ab\t\n", "ab\na\tb\nab\n"}},
        {"blank lines", {false, " \n\t\n\n", "\n\n \t\n"}},
        {"final line without LF", {false, "a\nb\nc", "a\nb\nc\n"}},
        {"one repeated line", {false, "a\na\na\na\na\na\n", "a\na\na\n"}},
        {"binary, both empty", {true, "", ""}},
        {"binary, one empty", {true, "abcabc", ""}},
        {"binary, moved", {true, "aaabbbcccddd", "cccdddaaabbb"}},
    };
    for (const Edge& edge : edges) {
        for (int options = 0; options < (edge.input.binary ? 1 : 4); ++options) {
            for (int minLength : {1, 2, 3}) {
                for (int limit : {0, 1, 3, 1000}) {
                    const Params params{minLength, limit, (options & 1) != 0, (options & 2) != 0};
                    const std::string differences = CompareOnce(edge.input, params);
                    EXPECT_TRUE(differences.empty())
                        << edge.name << "\n"
                        << DescribeCase(edge.input, params) << differences;
                }
            }
        }
    }
}

// Longer inputs reach what the small ones cannot: runs long enough for the
// engine to look them up by long grams, many passes with many ranges, index
// rebuilds, and grams so common (runs of one byte) that the engine searches
// them window by window.
Input LongerTextInput(Random& random)
{
    std::vector<std::string> alphabet = MakeAlphabet(random, random.Between(3, 8));
    for (int k = 0; k < 200; ++k)
        alphabet.push_back("line " + std::to_string(k));
    std::vector<std::string> lines = Draw(random, alphabet, random.Between(200, 700));
    std::vector<std::string> edited = lines;
    const int rounds = random.Between(3, 12);
    for (int k = 0; k < rounds; ++k)
        edited = Mutate(random, edited, alphabet, 60);
    Input input;
    input.first = TextFile(random, lines);
    input.second = TextFile(random, edited);
    return input;
}

Input LongerBinaryInput(Random& random)
{
    std::vector<char> first;
    const int stretches = random.Between(4, 12);
    for (int k = 0; k < stretches; ++k) {
        const int length = random.Between(20, 200);
        const bool uniform = random.Chance(40);
        const char fill = static_cast<char>(random.Below(3));
        for (int i = 0; i < length; ++i)
            first.push_back(uniform ? fill : static_cast<char>(random.Below(256)));
    }
    static const std::vector<char> alphabet = {'\0', 'x', '\x7f', 'q'};
    std::vector<char> second = first;
    const int rounds = random.Between(2, 6);
    for (int k = 0; k < rounds; ++k)
        second = Mutate(random, second, alphabet, 150);
    Input input;
    input.binary = true;
    input.first.assign(first.begin(), first.end());
    input.second.assign(second.begin(), second.end());
    return input;
}

// Random bytes with single bytes changed here and there, as between two
// builds of one program: many runs of about the same length, so many passes,
// each cutting a run out of what is left of a long range.
Input ScatteredBinaryInput(Random& random, int size, int shortestGap, int longestGap)
{
    std::string first;
    for (int i = 0; i < size; ++i)
        first.push_back(static_cast<char>(random.Below(256)));
    std::string second = first;
    for (int at = random.Between(0, longestGap); at < size;
         at += random.Between(shortestGap, longestGap))
        second[static_cast<std::size_t>(at)] =
            static_cast<char>(~second[static_cast<std::size_t>(at)]);
    if (random.Chance(50)) {
        // And a stretch moved elsewhere.
        const int length = random.Between(50, 300);
        const int from = random.Between(0, size - length);
        const std::string moved =
            second.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(length));
        second.erase(static_cast<std::size_t>(from), static_cast<std::size_t>(length));
        second.insert(static_cast<std::size_t>(random.Between(0, size - length)), moved);
    }
    Input input;
    input.binary = true;
    input.first = first;
    input.second = second;
    return input;
}

TEST(DifferentialLonger, EngineMatchesLiteralReference)
{
    struct Setting
    {
        bool binary;
        Params params;
    };
    const Setting settings[] = {
        {false, {1, 1000, false, false}}, {false, {2, 1000, false, false}},
        {false, {3, 20, true, false}},    {false, {2, 5, false, true}},
        {false, {4, 1000, true, true}},   {true, {10, 1000, false, false}},
        {true, {3, 1000, false, false}},  {true, {40, 60, false, false}},
        {true, {10, 7, false, false}},
    };
    Random random(0x10e6e7u);
    for (const Setting& setting : settings) {
        for (int k = 0; k < 4; ++k) {
            const Input input =
                setting.binary ? LongerBinaryInput(random) : LongerTextInput(random);
            const std::string differences = CompareOnce(input, setting.params);
            EXPECT_TRUE(differences.empty()) << DescribeCase(input, setting.params) << differences;
        }
    }
    struct Scattered
    {
        Params params;
        int size;
        int shortestGap; // bytes between changed bytes
        int longestGap;
    };
    // Gaps of very different lengths make each pass accept only a few runs,
    // so the passes are many while much of the file is still one range: the
    // engine then searches what is left of it through its index.
    const Scattered scattered[] = {
        {{10, 1000, false, false}, 4000, 40, 200},
        {{4, 300, false, false}, 4000, 60, 100},
        {{10, 1000, false, false}, 8000, 20, 700},
        {{10, 200, false, false}, 8000, 20, 700},
    };
    for (const Scattered& s : scattered) {
        for (int k = 0; k < 2; ++k) {
            const Input input = ScatteredBinaryInput(random, s.size, s.shortestGap, s.longestGap);
            const std::string differences = CompareOnce(input, s.params);
            EXPECT_TRUE(differences.empty()) << DescribeCase(input, s.params) << differences;
        }
    }
}

// The shapes that make the engine take its shortcuts at scale: a long block
// moved further than the window reaches, with small edits around it (the
// passes then want runs far longer than the cache holds, so its threshold
// rises, and a full search follows once the long runs are gone); cuts that
// leave long remainders on both sides, whose windows shift by less than the
// window's width or by more (old runs clipped, new diagonals searched); and
// what compiled files look like, repeated short patterns among long zero
// stretches, at every block size from 1 to 12.
Input MovedBeyondLimitInput(Random& random)
{
    std::vector<std::string> lines;
    for (int k = 0; k < 900; ++k)
        lines.push_back(random.Chance(8) ? "" : "line " + std::to_string(random.Below(700)));
    std::vector<std::string> edited = lines;
    const int length = random.Between(150, 300);
    const int from = random.Between(0, static_cast<int>(edited.size()) - length);
    const auto at = [&](int k) { return edited.begin() + static_cast<std::ptrdiff_t>(k); };
    std::vector<std::string> block(at(from), at(from + length));
    edited.erase(at(from), at(from + length));
    edited.insert(at(random.Chance(50) ? 0 : static_cast<int>(edited.size())), block.begin(),
                  block.end());
    for (int k = random.Between(3, 8); k > 0; --k)
        edited[static_cast<std::size_t>(random.Below(static_cast<int>(edited.size())))] =
            "edit " + std::to_string(k);
    Input input;
    input.first = TextFile(random, lines);
    input.second = TextFile(random, edited);
    return input;
}

// A binary pair: first, and first edited by a few rounds of mutation with
// bytes of the alphabet, each touching up to span bytes.
Input EditedBinaryPair(Random& random, const std::string& first, const std::vector<char>& alphabet,
                       int fewestRounds, int mostRounds, int span)
{
    std::vector<char> edited(first.begin(), first.end());
    for (int k = random.Between(fewestRounds, mostRounds); k > 0; --k)
        edited = Mutate(random, edited, alphabet, span);
    Input input;
    input.binary = true;
    input.first = first;
    input.second.assign(edited.begin(), edited.end());
    return input;
}

Input CompiledLikeInput(Random& random, int size)
{
    std::vector<std::string> patterns;
    for (int k = 0; k < 12; ++k) {
        std::string pattern;
        for (int i = 0; i < 10; ++i)
            pattern.push_back(static_cast<char>(random.Chance(30) ? 0 : random.Below(40)));
        patterns.push_back(pattern);
    }
    const auto makeFile = [&]() {
        std::string bytes;
        while (static_cast<int>(bytes.size()) < size) {
            if (random.Chance(15))
                bytes.append(static_cast<std::size_t>(random.Between(8, 60)), '\0');
            else if (random.Chance(70))
                bytes += random.Pick(patterns);
            else
                bytes.push_back(static_cast<char>(random.Below(256)));
        }
        return bytes;
    };
    static const std::vector<char> alphabet = {'\0', '\x01', '\x7f', 'q'};
    return EditedBinaryPair(random, makeFile(), alphabet, 2, 5, size / 5);
}

// Zero stretches of every length from a gram up to several windows, among
// random bytes: a sample inside one hits every position of every zero stretch
// of the other file, and only the diagonals where two stretches' starts or
// ends meet, or where they overlap by a whole run, may hold a run.
Input ZeroStretchesInput(Random& random, int size)
{
    const auto makeFile = [&]() {
        std::string bytes;
        while (static_cast<int>(bytes.size()) < size) {
            if (random.Chance(20))
                bytes.append(static_cast<std::size_t>(random.Between(8, 400)), '\0');
            else
                for (int k = random.Between(1, 30); k > 0; --k)
                    bytes.push_back(static_cast<char>(random.Below(4)));
        }
        return bytes;
    };
    static const std::vector<char> alphabet = {'\0', '\x01', '\x02'};
    return EditedBinaryPair(random, makeFile(), alphabet, 3, 8, size / 8);
}

TEST(DifferentialAtScale, EngineMatchesLiteralReference)
{
    Random random(0x5ca1e5u);
    for (const Params& params : {Params{2, 60, false, false}, Params{3, 120, false, false},
                                 Params{1, 40, false, false}}) {
        for (int k = 0; k < 3; ++k) {
            const Input input = MovedBeyondLimitInput(random);
            const std::string differences = CompareOnce(input, params);
            EXPECT_TRUE(differences.empty()) << DescribeCase(input, params) << differences;
        }
    }
    // Single changed bytes far apart in a file much longer than the window:
    // every pass cuts what is left of a long range, near its front, in its
    // middle or near its end.
    for (const int limit : {30, 200, 700}) {
        const Params params{10, limit, false, false};
        const Input input = ScatteredBinaryInput(random, 6000, 150, 900);
        const std::string differences = CompareOnce(input, params);
        EXPECT_TRUE(differences.empty()) << DescribeCase(input, params) << differences;
    }
    for (int blockSize = 1; blockSize <= 12; ++blockSize) {
        const Params params{blockSize, blockSize <= 3 ? 200 : 1000, false, false};
        const Input input = CompiledLikeInput(random, blockSize <= 3 ? 500 : 1500);
        const std::string differences = CompareOnce(input, params);
        EXPECT_TRUE(differences.empty()) << DescribeCase(input, params) << differences;
    }
    for (const int blockSize : {8, 9, 12, 16, 20}) {
        for (const int limit : {50, 1000}) {
            const Params params{blockSize, limit, false, false};
            const Input input = ZeroStretchesInput(random, 4000);
            const std::string differences = CompareOnce(input, params);
            EXPECT_TRUE(differences.empty()) << DescribeCase(input, params) << differences;
        }
    }
}

// ---------------------------------------------------------------------------
// The reference on its own. A plain buffer of words keeps these tests free of
// the engine's text buffer: equality is string equality, nothing else.

class WordBuf : public CDiffBuf
{
public:
    explicit WordBuf(std::vector<std::string> words)
        : CDiffBuf(Text, "words"), words_(std::move(words))
    {
    }
    int GetCount() const override { return static_cast<int>(words_.size()); }
    bool IsEqual(int i, const CDiffBuf* other, int j) const override
    {
        return words_[static_cast<std::size_t>(i)] ==
               static_cast<const WordBuf*>(other)->words_[static_cast<std::size_t>(j)];
    }
    int MatchLength(const CDiffBuf* other, int i, int j, int max) const override
    {
        int n = 0;
        while (n < max && i + n < GetCount() && j + n < other->GetCount() &&
               IsEqual(i + n, other, j + n))
            ++n;
        return n;
    }

private:
    std::vector<std::string> words_;
};

std::vector<std::string> Words(const char* letters)
{
    std::vector<std::string> words;
    for (const char* c = letters; *c != '\0'; ++c)
        words.emplace_back(1, *c);
    return words;
}

DIFF_BLOCK Common(int id, int length, int posA, int posB)
{
    return DIFF_BLOCK::MakeCommon(id, length, posA, posB);
}
DIFF_BLOCK Sided(int id, BlockKind kind, int length, int side, int pos)
{
    return DIFF_BLOCK::MakeSided(id, kind, length, side, pos);
}

// Lets a mismatch print the block lists instead of raw bytes.
std::string Show(const std::vector<DIFF_BLOCK>& list)
{
    return "\n" + DescribeList(list);
}

TEST(LiteralReference, ChangedLineExample)
{
    const WordBuf a(Words("abcde"));
    const WordBuf b(Words("abxde"));
    const LiteralResult r = RunLiteral(a, b, 2, 1000);

    // Both runs lie on the first diagonal and are equally long; the one that
    // ends first was offered first and is accepted first.
    const std::vector<DIFF_BLOCK> run = {Common(0, 2, 0, 0), Common(1, 2, 3, 3),
                                         Sided(2, BlockKind::Unmatched, 1, 0, 2),
                                         Sided(3, BlockKind::Unmatched, 1, 1, 2)};
    EXPECT_EQ(r.run, run) << Show(r.run);

    const std::vector<DIFF_BLOCK> all = {run[0], run[2], run[3], run[1]};
    EXPECT_EQ(r.all, all) << Show(r.all);
    const std::vector<DIFF_BLOCK> first = {run[0], run[2], run[1]};
    EXPECT_EQ(r.first, first) << Show(r.first);
    const std::vector<DIFF_BLOCK> second = {run[0], run[3], run[1]};
    EXPECT_EQ(r.second, second) << Show(r.second);
}

TEST(LiteralReference, SwappedHalvesExample)
{
    const WordBuf a(Words("abcdef"));
    const WordBuf b(Words("defabc"));
    const LiteralResult r = RunLiteral(a, b, 2, 1000);

    const std::vector<DIFF_BLOCK> run = {Common(0, 3, 0, 3), Common(1, 3, 3, 0)};
    EXPECT_EQ(r.run, run) << Show(r.run);

    // abc crosses def and, being accepted first, becomes the moved pair.
    const DIFF_BLOCK movedFrom = Sided(0, BlockKind::Moved, 3, 0, 0);
    const DIFF_BLOCK movedTo = Sided(0, BlockKind::Moved, 3, 1, 3);
    const std::vector<DIFF_BLOCK> all = {movedFrom, run[1], movedTo};
    EXPECT_EQ(r.all, all) << Show(r.all);
    const std::vector<DIFF_BLOCK> first = {movedFrom, run[1]};
    EXPECT_EQ(r.first, first) << Show(r.first);
    const std::vector<DIFF_BLOCK> second = {run[1], movedTo};
    EXPECT_EQ(r.second, second) << Show(r.second);
}

// The matcher at the edges of its parameters and inputs: empty files, a file
// shorter than the block size, a limit of 0 or below (no search), a block size
// below 1 (taken as 1), and a run just outside and just inside the search
// window. Each row gives the input, the parameters and the blocks expected.
TEST(LiteralReference, MatcherEdgeCases)
{
    struct Case
    {
        const char* name;
        const char* first;
        const char* second;
        int minLength;
        int limit;
        std::vector<DIFF_BLOCK> expected;
    };
    const BlockKind u = BlockKind::Unmatched;
    const Case cases[] = {
        {"equal files", "abcd", "abcd", 2, 1, {Common(0, 4, 0, 0)}},
        {"shorter than the block size",
         "a",
         "a",
         2,
         1000,
         {Sided(0, u, 1, 0, 0), Sided(1, u, 1, 1, 0)}},
        {"two empty files", "", "", 1, 1000, {Sided(0, u, 0, 0, 0), Sided(1, u, 0, 1, 0)}},
        {"first empty", "", "abc", 1, 1000, {Sided(0, u, 0, 0, 0), Sided(1, u, 3, 1, 0)}},
        {"second empty", "ab", "", 1, 1000, {Sided(0, u, 2, 0, 0), Sided(1, u, 0, 1, 0)}},
        {"limit 0", "abc", "abc", 1, 0, {Sided(0, u, 3, 0, 0), Sided(1, u, 3, 1, 0)}},
        {"negative limit", "abc", "abc", 1, -1, {Sided(0, u, 3, 0, 0), Sided(1, u, 3, 1, 0)}},
        {"block size 0", "ab", "ba", 0, 1000, {Common(0, 1, 0, 1), Common(1, 1, 1, 0)}},
        {"negative block size", "ab", "ba", -3, 1000, {Common(0, 1, 0, 1), Common(1, 1, 1, 0)}},
        // Outside the window: b is displaced by 3 from the range starts.
        {"beyond the limit", "bxyz", "uvwb", 1, 3, {Sided(0, u, 4, 0, 0), Sided(1, u, 4, 1, 0)}},
        {"at the limit's edge",
         "bxyz",
         "uvwb",
         1,
         4,
         {Common(0, 1, 0, 3), Sided(1, u, 3, 0, 1), Sided(2, u, 3, 1, 0)}},
    };
    for (const Case& c : cases) {
        const std::vector<DIFF_BLOCK> run =
            LiteralMatch(WordBuf(Words(c.first)), WordBuf(Words(c.second)), c.minLength, c.limit);
        EXPECT_EQ(run, c.expected) << c.name << Show(run);
    }
}

// Two candidates of one pass overlap the run accepted first, and the trimming
// decides which of them is accepted next. Worked by hand from the rule: a
// later candidate keeps, in each file, the part that lies on its own side of
// the accepted run (the part before it when it starts before it, the part
// after it otherwise); the same count is cut in both files, and a candidate
// shorter than three quarters of the pass's longest run (here 6) is dropped.
//
//   first:  a b c d e f g h i j k l m n o p
//   second: a b c d e f g h Y g h i j k l m n Z j k l m n o p
//
// The pass finds abcdefgh at 0/0 (8), ghijklmn at 6/9 (8) and jklmnop at
// 9/18 (7). Of the two of length 8 the one found first, at 0/0, is accepted.
// ghijklmn starts inside it in the first file, so its first 2 are cut: ijklmn
// at 8/11 (6). jklmnop lies after it in both files and stays 7, so it goes
// next; ijklmn starts before it in both files and keeps its front, ending
// where jklmnop starts in the first file: i at 8/11 (1), dropped. What stays
// unmatched is i in the first file and Y g h i j k l m n Z in the second; a
// next pass finds no run of 2 there. Had the cut been left out, ghijklmn
// would have been accepted second, over 2 elements already matched.
TEST(LiteralReference, TrimmingDecidesBetweenOverlappingCandidates)
{
    const char* firstLetters = "abcdefghijklmnop";
    const char* secondLetters = "abcdefghYghijklmnZjklmnop";
    const BlockKind u = BlockKind::Unmatched;
    const std::vector<DIFF_BLOCK> run = {Common(0, 8, 0, 0), Common(1, 7, 9, 18),
                                         Sided(2, u, 1, 0, 8), Sided(3, u, 10, 1, 8)};
    const std::vector<DIFF_BLOCK> all = {run[0], run[2], run[3], run[1]};
    const std::vector<DIFF_BLOCK> first = {run[0], run[2], run[1]};
    const std::vector<DIFF_BLOCK> second = {run[0], run[3], run[1]};

    const LiteralResult literal =
        RunLiteral(WordBuf(Words(firstLetters)), WordBuf(Words(secondLetters)), 2, 1000);
    EXPECT_EQ(literal.run, run) << Show(literal.run);
    EXPECT_EQ(literal.all, all) << Show(literal.all);
    EXPECT_EQ(literal.first, first) << Show(literal.first);
    EXPECT_EQ(literal.second, second) << Show(literal.second);

    // The engine on the same letters, one per line.
    const Params params{2, 1000};
    const auto lines = [&params](const char* name, const char* letters) {
        std::string text;
        for (const char* c = letters; *c != '\0'; ++c)
            text += std::string(text.empty() ? "" : "\n") + *c;
        return MakeText(name, text, params);
    };
    Buffers buffers;
    buffers.first = lines("first", firstLetters);
    buffers.second = lines("second", secondLetters);
    ASSERT_EQ(buffers.first->GetCount(), 16);
    ASSERT_EQ(buffers.second->GetCount(), 25);
    const Outcome engine = RunEngine(buffers, params);
    EXPECT_EQ(engine.run, run) << Show(engine.run);
    EXPECT_EQ(engine.all, all) << Show(engine.all);
    EXPECT_EQ(engine.first, first) << Show(engine.first);
    EXPECT_EQ(engine.second, second) << Show(engine.second);
}

// Moved-content detection on hand-made matcher outputs.
TEST(LiteralReference, MostCrossingBlockBecomesMoved)
{
    struct Case
    {
        const char* name;
        std::vector<DIFF_BLOCK> run;
        std::vector<DIFF_BLOCK> all;
    };
    const BlockKind m = BlockKind::Moved;
    const Case cases[] = {
        {"no Common block",
         {Sided(0, BlockKind::Unmatched, 3, 0, 0)},
         {Sided(0, BlockKind::Unmatched, 3, 0, 0)}},
        {"a single Common block", {Common(0, 5, 0, 0)}, {Common(0, 5, 0, 0)}},
        // Equal weights and lengths: the earlier block is the one that moved.
        {"equal weights",
         {Common(0, 10, 0, 10), Common(1, 10, 10, 0)},
         {Sided(0, m, 10, 0, 0), Common(1, 10, 10, 0), Sided(0, m, 10, 1, 10)}},
        // The shorter block conflicts with more content (10 against 4); its
        // MovedTo half lies before the remaining Common block in the second file.
        {"greater weight",
         {Common(0, 10, 0, 4), Common(1, 4, 10, 0)},
         {Sided(1, m, 4, 1, 0), Common(0, 10, 0, 4), Sided(1, m, 4, 0, 10)}},
        // All three weigh 4: the two short blocks win over the long one that
        // comes first; of those, the earlier one moves first, then the other
        // still crosses the long block.
        {"equal weights, shorter wins",
         {Common(0, 4, 4, 0), Common(1, 2, 0, 4), Common(2, 2, 2, 6)},
         {Sided(1, m, 2, 0, 0), Sided(2, m, 2, 0, 2), Common(0, 4, 4, 0), Sided(1, m, 2, 1, 4),
          Sided(2, m, 2, 1, 6)}},
    };
    for (const Case& c : cases) {
        const LiteralResult r = LiteralFinish(c.run);
        EXPECT_EQ(r.all, c.all) << c.name << Show(r.all);
    }
}

// Whatever the input, a result must tile both files, keep Moved pairs alike,
// leave no crossing Common blocks and match only equal content.
TEST(LiteralReference, ResultInvariantsOnRandomInputs)
{
    Random random(0x11a5eedu);
    for (int k = 0; k < 600; ++k) {
        const std::vector<std::string> alphabet = Words("abcd");
        const std::vector<std::string> alphabetPart(
            alphabet.begin(), alphabet.begin() + static_cast<std::ptrdiff_t>(random.Between(2, 4)));
        const std::vector<std::string> first = Draw(random, alphabetPart, random.Between(0, 30));
        const std::vector<std::string> second =
            random.Chance(50) ? Draw(random, alphabetPart, random.Between(0, 30))
                              : Mutate(random, first, alphabetPart, 6);
        const int minLength = random.Between(1, 4);
        const int limit = random.Pick(SweepLimits());
        const WordBuf a(first);
        const WordBuf b(second);
        const LiteralResult r = RunLiteral(a, b, minLength, limit);
        const std::string context = "case " + std::to_string(k) + ", block size " +
                                    std::to_string(minLength) + ", limit " + std::to_string(limit);

        // Each per-file list tiles its file.
        const std::vector<DIFF_BLOCK>* perFile[] = {&r.first, &r.second};
        const int counts[] = {a.GetCount(), b.GetCount()};
        for (int s = 0; s < 2; ++s) {
            int next = 0;
            for (const DIFF_BLOCK& block : *perFile[s]) {
                ASSERT_TRUE(block.IsCommon() || block.side() == s) << context << Show(*perFile[s]);
                EXPECT_EQ(block.PosIn(s), next) << context << Show(*perFile[s]);
                next = block.PosIn(s) + block.length;
            }
            EXPECT_EQ(next, counts[s]) << context << Show(*perFile[s]);
        }

        // The list of all blocks holds each per-file block once; Common ones
        // appear in both per-file lists.
        std::size_t common = 0;
        for (const DIFF_BLOCK& block : r.all)
            common += block.IsCommon() ? 1 : 0;
        EXPECT_EQ(r.all.size() + common, r.first.size() + r.second.size()) << context;

        std::vector<DIFF_BLOCK> commons;
        for (const DIFF_BLOCK& block : r.all) {
            if (block.kind == BlockKind::Unmatched)
                continue;
            if (block.IsCommon()) {
                EXPECT_GE(block.length, minLength) << context;
                EXPECT_EQ(a.MatchLength(&b, block.posA(), block.posB(), block.length), block.length)
                    << context << Show(r.all);
                commons.push_back(block);
                continue;
            }
            // A Moved half: its partner has the same id and length, on the other side.
            const auto partner =
                std::find_if(r.all.begin(), r.all.end(), [&](const DIFF_BLOCK& other) {
                    return other.kind == BlockKind::Moved && other.id == block.id &&
                           other.side() != block.side();
                });
            ASSERT_NE(partner, r.all.end()) << context << Show(r.all);
            EXPECT_EQ(partner->length, block.length) << context;
            const DIFF_BLOCK& from = block.side() == 0 ? block : *partner;
            const DIFF_BLOCK& to = block.side() == 0 ? *partner : block;
            EXPECT_EQ(a.MatchLength(&b, from.pos(), to.pos(), block.length), block.length)
                << context << Show(r.all);
        }
        // Common blocks stay in ascending order in both files.
        for (std::size_t i = 1; i < commons.size(); ++i) {
            EXPECT_LT(commons[i - 1].posA(), commons[i].posA()) << context << Show(r.all);
            EXPECT_LT(commons[i - 1].posB(), commons[i].posB()) << context << Show(r.all);
        }
    }
}

} // namespace
