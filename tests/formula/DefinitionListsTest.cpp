// A list of definitions as the window edits and keeps it: each line's fault on its own, the
// sound part of a list, what computing some names takes, and names as a formula writes them.
#include <gtest/gtest.h>

#include "formula/Definitions.h"
#include "formula/FormulaParser.h"
#include "formula/FormulaTokens.h"

namespace grafolux {
namespace {

using Texts = std::vector<std::string>;

std::string Joined(const Texts& words) {
    std::string text;
    for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
    return text;
}

// Each line's own result, and the lines that parse; a name taken by a faulty line stays taken.
TEST(ParseEachDefinition, EachLineItsOwnFaultTheSoundOnesKept) {
    const struct {
        const char* name;
        Texts texts;
        Texts faults;  // "" where the line parses
    } rows[] = {
        {"a fault before a sound line",
         {"A=1+", "B=A"},
         {R"m("A=1+": column 5: operand expected)m", ""}},
        {"a name taken twice",
         {"A=(", "A=2", "B=A"},
         {R"m("A=(": column 4: operand expected)m",
          R"m("A=2": column 1: the name "A" is taken by an earlier definition)m", ""}},
        {"later and itself",
         {"A=B", "B=B"},
         {R"m("A=B": column 3: "B" is defined later in the list)m",
          R"m("B=B": column 3: "B" is the definition itself)m"}},
    };
    for (const auto& row : rows) {
        const auto results = ParseEachDefinition(row.texts);
        Texts faults, sound;
        for (size_t i = 0; i < results.size(); ++i) {
            const auto* fault = std::get_if<FormulaError>(&results[i]);
            faults.push_back(fault ? fault->message : "");
            if (!fault) sound.push_back(row.texts[i]);
        }
        EXPECT_EQ(faults, row.faults) << row.name;
        EXPECT_EQ(SoundDefinitions(row.texts), sound) << row.name;
    }
}

// What a log must keep, and which definitions to compute, for the items a table reads.
TEST(ItemsNeededFor, NamesThroughEveryDefinitionTheyRead) {
    const auto parsed = ParseDefinitions(Texts{"AFR = 14.7 * O2", "dMAP = MAP - MAP[-1]",
                                               "Fast = abs(dMAP) > 2 or TPS[1] > 50",
                                               "Lean = AFR > 15", "Unused = RPM * 2"});
    const auto& definitions = std::get<std::vector<Definition>>(parsed);
    const struct {
        Texts names;
        std::string kept, computed;
    } rows[] = {
        {{"RPM", "MAP"}, "RPM MAP", ""},
        {{"Fast"}, "Fast dMAP TPS MAP", "dMAP Fast"},
        {{"Lean", "Fast"}, "Lean Fast AFR dMAP TPS MAP O2", "AFR dMAP Fast Lean"},
    };
    for (const auto& row : rows) {
        const ItemsNeeded needed = ItemsNeededFor(definitions, row.names);
        EXPECT_EQ(Joined(needed.names), row.kept) << Joined(row.names);
        Texts computed;
        for (const Definition& d : needed.definitions) computed.push_back(d.name);
        EXPECT_EQ(Joined(computed), row.computed) << Joined(row.names);
    }
}

// The name double-clicked into a formula reads back as the same name.
TEST(WrittenName, BareWhenItReadsBackElseQuoted) {
    const struct {
        const char* name;
        const char* written;
    } rows[] = {{"SENSOR:MAP", "SENSOR:MAP"}, {"min", "min"},     {"Item - 2", "\"Item - 2\""},
                {"2nd", "\"2nd\""},           {"and", "\"and\""}, {"\xc3\xb6l", "\"\xc3\xb6l\""}};
    for (const auto& row : rows) {
        EXPECT_EQ(WrittenName(row.name), row.written) << row.name;
        const auto parsed = ParseExpression(row.written);
        ASSERT_TRUE(std::holds_alternative<Expression>(parsed)) << row.name;
        EXPECT_EQ(NamesReadBy(std::get<Expression>(parsed)), Texts{row.name});
    }
}

}  // namespace
}  // namespace grafolux
