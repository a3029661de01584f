// Recipe parsing: the syntax, the typo guard and the note names.
#include "SoundRecipe.h"
#include "SynthVoice.h"

#include <gtest/gtest.h>

namespace {

TEST(SoundRecipe, ReadsHeaderSectionsAndRepeatedKeys) {
    SoundRecipe recipe;
    ASSERT_TRUE(recipe.Parse("# comment\ntype = music   # trailing comment\n\n[pattern lead]\n"
                             "notes = C4 .\nnotes = D4 -\n[section]\nbars = 2\n",
                             "x.txt"))
        << recipe.Error();
    ASSERT_EQ(recipe.Header().entries.size(), 1u);
    EXPECT_EQ(recipe.Header().entries[0].value, "music");
    ASSERT_EQ(recipe.Sections().size(), 2u);
    EXPECT_EQ(recipe.Sections()[0].kind, "pattern");
    EXPECT_EQ(recipe.Sections()[0].name, "lead");
    EXPECT_EQ(recipe.Sections()[0].line, 4);
    EXPECT_EQ(recipe.Sections()[1].name, "");

    std::string error;
    RecipeReader reader(recipe.Sections()[0], recipe.SourceName(), error);
    EXPECT_EQ(reader.Joined("notes"), "C4 . D4 -");
    EXPECT_TRUE(reader.Finish());
}

TEST(SoundRecipe, SyntaxErrorsSayFileAndLine) {
    SoundRecipe recipe;
    EXPECT_FALSE(recipe.Parse("a = 1\n[layer\n", "fx.txt"));
    EXPECT_EQ(recipe.Error().rfind("fx.txt:2:", 0), 0u) << recipe.Error();
    EXPECT_FALSE(recipe.Parse("a = 1\n\njust words\n", "fx.txt"));
    EXPECT_EQ(recipe.Error().rfind("fx.txt:3:", 0), 0u) << recipe.Error();
    EXPECT_FALSE(recipe.Parse("[a b c]\n", "fx.txt"));
    EXPECT_FALSE(recipe.Parse("bad key = 1\n", "fx.txt"));
    EXPECT_FALSE(recipe.Load("/nonexistent/recipe.txt"));
}

TEST(SoundRecipe, ReaderRejectsTyposBadNumbersAndDuplicates) {
    SoundRecipe recipe;
    ASSERT_TRUE(recipe.Parse("gain = 0.5\nattak = 0.1\n", "fx.txt"));
    std::string error;
    RecipeReader reader(recipe.Header(), recipe.SourceName(), error);
    EXPECT_DOUBLE_EQ(reader.Number("gain", 1.0, 0.0, 1.0), 0.5);
    EXPECT_DOUBLE_EQ(reader.Number("attack", 0.25, 0.0, 1.0), 0.25); // absent: the fallback
    EXPECT_FALSE(reader.Finish());
    EXPECT_NE(error.find("fx.txt:2: unknown key 'attak'"), std::string::npos) << error;

    ASSERT_TRUE(recipe.Parse("gain = loud\nlength = 9\nrate = 1\nrate = 2\n", "fx.txt"));
    std::string errors[3];
    RecipeReader notNumber(recipe.Header(), "fx.txt", errors[0]);
    EXPECT_DOUBLE_EQ(notNumber.Number("gain", 0.3, 0.0, 1.0), 0.3);
    EXPECT_NE(errors[0].find("needs a number"), std::string::npos);
    RecipeReader outOfRange(recipe.Header(), "fx.txt", errors[1]);
    EXPECT_DOUBLE_EQ(outOfRange.Number("length", 1.0, 0.0, 5.0), 1.0);
    EXPECT_NE(errors[1].find("outside"), std::string::npos);
    RecipeReader twice(recipe.Header(), "fx.txt", errors[2]);
    twice.Number("rate", 1.0, 0.0, 5.0);
    EXPECT_NE(errors[2].find("given twice"), std::string::npos);
}

TEST(SoundRecipe, NoteNamesGiveEqualTemperedFrequencies) {
    double frequency = 0.0;
    ASSERT_TRUE(NoteFrequency("A4", frequency));
    EXPECT_NEAR(frequency, 440.0, 1e-9);
    ASSERT_TRUE(NoteFrequency("C4", frequency));
    EXPECT_NEAR(frequency, 261.6256, 1e-3);
    ASSERT_TRUE(NoteFrequency("Bb2", frequency));
    EXPECT_NEAR(frequency, 116.5409, 1e-3);
    ASSERT_TRUE(NoteFrequency("C#5", frequency));
    EXPECT_NEAR(frequency, 554.3653, 1e-3);
    ASSERT_TRUE(NoteFrequency("C-1", frequency));
    EXPECT_NEAR(frequency, 8.1758, 1e-3);
    for (const char* bad : {"H2", "A", "C10", "c4", "Cb", "A4x", ""}) {
        EXPECT_FALSE(NoteFrequency(bad, frequency)) << bad;
    }
}

} // namespace
