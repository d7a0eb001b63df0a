// A list of definitions as the window edits and keeps it: each line's fault on its own, the
// sound part of a list, what computing some names takes, and names as a formula writes them.
#include <gtest/gtest.h>

#include "formula/Definitions.h"
#include "formula/FormulaParser.h"
#include "formula/FormulaTokens.h"

namespace grafolux {
namespace {

using Texts = std::vector<std::string>;

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

// Every line's own result: the list's later lines keep their faults or not whatever an earlier
// line's fault is.
TEST(ParseEachDefinition, EachLineItsOwnFault) {
    const struct {
        const char* name;
        Texts texts;
        std::vector<std::string> faults;  // "" where the line parses
    } rows[] = {
        {"all sound", {"A=1", "B=A*2"}, {"", ""}},
        {"a fault and a sound line after it",
         {"A=1+", "B=2"},
         {R"m("A=1+": column 5: operand expected)m", ""}},
        {"a faulty line still names its definition",
         {"A=(", "B=A"},
         {R"m("A=(": column 4: operand expected)m", ""}},
        {"a name taken twice: only the second",
         {"A=1", "A=2", "A=3"},
         {"", R"m("A=2": column 1: the name "A" is taken by an earlier definition)m",
          R"m("A=3": column 1: the name "A" is taken by an earlier definition)m"}},
        {"later and itself",
         {"A=B", "B=B"},
         {R"m("A=B": column 3: "B" is defined later in the list)m",
          R"m("B=B": column 3: "B" is the definition itself)m"}},
    };
    for (const auto& row : rows) {
        const auto results = ParseEachDefinition(row.texts);
        ASSERT_EQ(results.size(), row.faults.size()) << row.name;
        for (size_t i = 0; i < results.size(); ++i) {
            const auto* fault = std::get_if<FormulaError>(&results[i]);
            EXPECT_EQ(fault ? fault->message : "", row.faults[i]) << row.name << ", line " << i;
        }
        // The list as a whole fails at its first faulty line.
        const auto first = std::find_if(row.faults.begin(), row.faults.end(),
                                        [](const std::string& f) { return !f.empty(); });
        const auto whole = ParseDefinitions(row.texts);
        const auto* fault = std::get_if<FormulaError>(&whole);
        EXPECT_EQ(fault ? fault->message : "", first == row.faults.end() ? "" : *first) << row.name;
    }
}

TEST(SoundDefinitions, DropsTheFaultyLinesAndTheRestParses) {
    const struct {
        const char* name;
        Texts texts, sound;
    } rows[] = {
        {"none faulty", {"A=1", "B=A"}, {"A=1", "B=A"}},
        {"a syntax fault", {"A=1", "B=*", "C=A"}, {"A=1", "C=A"}},
        // A name taken by a faulty line stays taken: the later line goes too.
        {"a name taken by a faulty line", {"A=(", "A=2", "B=A"}, {"B=A"}},
        {"a later reference", {"A=B", "B=1"}, {"B=1"}},
        {"nothing sound", {"=", "x"}, {}},
    };
    for (const auto& row : rows) {
        const Texts sound = SoundDefinitions(row.texts);
        EXPECT_EQ(sound, row.sound) << row.name;
        EXPECT_TRUE(std::holds_alternative<std::vector<Definition>>(ParseDefinitions(sound)))
            << row.name;
    }
}

// What a log must keep, and which definitions to compute, for the items a table reads.
TEST(ItemsNeededFor, NamesThroughEveryDefinitionTheyRead) {
    const auto parsed = ParseDefinitions(Texts{"AFR = 14.7 * O2", "dMAP = MAP - MAP[-1]",
                                               "Fast = abs(dMAP) > 2 or TPS[1] > 50",
                                               "Lean = AFR > 15", "Unused = RPM * 2"});
    const auto& definitions = std::get<std::vector<Definition>>(parsed);
    const struct {
        const char* name;
        Texts names;
        std::string kept;         // the names a log keeps
        std::string definitions;  // the definitions computed
    } rows[] = {
        {"logged items only", {"RPM", "MAP"}, "RPM MAP", ""},
        {"one definition", {"RPM", "dMAP"}, "RPM dMAP MAP", "dMAP"},
        {"through an earlier one", {"Fast"}, "Fast dMAP TPS MAP", "dMAP Fast"},
        {"several, in the list's order",
         {"Lean", "Fast"},
         "Lean Fast AFR dMAP TPS MAP O2",
         "AFR dMAP Fast Lean"},
        {"nothing asked", {}, "", ""},
    };
    for (const auto& row : rows) {
        const ItemsNeeded needed = ItemsNeededFor(definitions, row.names);
        EXPECT_EQ(Joined(needed.names), row.kept) << row.name;
        std::vector<std::string> names;
        for (const Definition& d : needed.definitions) names.push_back(d.name);
        EXPECT_EQ(Joined(names), row.definitions) << row.name;
    }
}

TEST(NamesReadBy, EachNameOnceInTheOrderWritten) {
    const auto parsed = ParseExpression("B[1] + A * \"B\" - min(A, C[-1])");
    EXPECT_EQ(Joined(NamesReadBy(std::get<Expression>(parsed))), "B A C");
}

// The name double-clicked into a formula reads back as the same name.
TEST(WrittenName, BareWhenItReadsBackElseQuoted) {
    const struct {
        const char* name;
        const char* written;
    } rows[] = {
        {"SENSOR:MAP", "SENSOR:MAP"},
        {"MW2:3", "MW2:3"},
        {"_x.y", "_x.y"},
        {"Item - 2", "\"Item - 2\""},
        {"2nd", "\"2nd\""},
        {"and", "\"and\""},
        {"or", "\"or\""},
        {"not", "\"not\""},
        {"min", "min"},
        {"", "\"\""},
        {"\xc3\xb6l", "\"\xc3\xb6l\""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WrittenName(row.name), row.written) << row.name;
        const auto parsed = ParseExpression(WrittenName(row.name));
        if (*row.name == '\0') continue;  // no name is empty
        ASSERT_TRUE(std::holds_alternative<Expression>(parsed)) << row.name;
        EXPECT_EQ(NamesReadBy(std::get<Expression>(parsed)), Texts{row.name});
    }
}

}  // namespace
}  // namespace grafolux
