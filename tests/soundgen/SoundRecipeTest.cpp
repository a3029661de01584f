// Sound recipes as their authors write them: the syntax, the typo guard, note names, and recipe folders the
// generator refuses (incomplete, clashing, or writing outside the game's sound folders).
#include "SoundGenerator.h"
#include "SoundRecipe.h"
#include "SynthVoice.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(SoundRecipe, SectionsRepeatedKeysAndErrorsWithFileAndLine) {
    SoundRecipe recipe;
    ASSERT_TRUE(recipe.Parse("# comment\ntype = music   # trailing\n\n[pattern lead]\nnotes = C4 .\nnotes = D4 -\n"
                             "[section]\nbars = 2\n",
                             "x.txt"))
        << recipe.Error();
    ASSERT_EQ(recipe.Sections().size(), 2u);
    EXPECT_EQ(recipe.Sections()[0].kind + "/" + recipe.Sections()[0].name, "pattern/lead");
    std::string error;
    RecipeReader reader(recipe.Sections()[0], recipe.SourceName(), error);
    EXPECT_EQ(reader.Joined("notes"), "C4 . D4 -");
    EXPECT_TRUE(reader.Finish());
    const std::pair<const char*, const char*> bad[] = {
        {"a = 1\n[layer\n", "fx.txt:2:"}, {"a = 1\n\njust words\n", "fx.txt:3:"}, {"[a b c]\n", "fx.txt:1:"},
        {"bad key = 1\n", "fx.txt:1:"}};
    for (const auto& [text, where] : bad) {
        EXPECT_FALSE(recipe.Parse(text, "fx.txt")) << text;
        EXPECT_EQ(recipe.Error().rfind(where, 0), 0u) << recipe.Error();
    }
}

TEST(SoundRecipe, TyposBadNumbersAndDuplicatesAreRefusedAndNotesAreEqualTempered) {
    SoundRecipe recipe;
    ASSERT_TRUE(recipe.Parse("gain = loud\nlength = 9\nrate = 1\nrate = 2\n", "fx.txt"));
    const std::pair<const char*, const char*> cases[] = {
        {"gain", "needs a number"}, {"length", "outside"}, {"rate", "given twice"}};
    for (const auto& [key, message] : cases) {
        std::string error;
        RecipeReader reader(recipe.Header(), "fx.txt", error);
        reader.Number(key, 0.25, 0.0, 5.0);
        EXPECT_NE(error.find(message), std::string::npos) << error;
    }
    ASSERT_TRUE(recipe.Parse("gain = 0.5\nattak = 0.1\n", "fx.txt"));
    std::string error;
    RecipeReader reader(recipe.Header(), "fx.txt", error);
    EXPECT_DOUBLE_EQ(reader.Number("gain", 1.0, 0.0, 1.0), 0.5);
    EXPECT_DOUBLE_EQ(reader.Number("attack", 0.25, 0.0, 1.0), 0.25);
    EXPECT_FALSE(reader.Finish());
    EXPECT_NE(error.find("fx.txt:2: unknown key 'attak'"), std::string::npos) << error;

    const std::pair<const char*, double> notes[] = {{"A4", 440.0}, {"C4", 261.6256}, {"Bb2", 116.5409}, {"C#5", 554.3653}};
    for (const auto& [name, expected] : notes) {
        double frequency = 0.0;
        ASSERT_TRUE(NoteFrequency(name, frequency)) << name;
        EXPECT_NEAR(frequency, expected, 1e-3) << name;
    }
    double frequency = 0.0;
    for (const char* wrong : {"H2", "A", "C10", "c4", "Cb", "A4x", ""})
        EXPECT_FALSE(NoteFrequency(wrong, frequency)) << wrong;
}

TEST(SoundGenerator, RefusesIncompleteClashingOrUnsafeRecipeFolders) {
    TempFolder root;
    const std::string effect = "type = effect\nlength = 0.05\nfile = ";
    const struct {
        std::vector<std::string> files;
        const char* message;
    } cases[] = {
        {{effect + "Data/Sounds/FireBall.Wav"}, "no recipe makes Data/Sounds/Interface/Void.Wav"},
        {{effect + "Data/Sounds/HitWall.Wav", effect + "Data/Sounds/HitWall.Wav"}, "another recipe"},
        {{effect + "Data/Sounds/../../escape.Wav"}, "'file' must be"},
        {{effect + "/tmp/escape.Wav"}, "'file' must be"},
        {{effect + "Data/Sounds/x.mp3"}, "'file' must be"},
        {{effect + "Data/Textures/x.Wav"}, "'file' must be"},
        {{effect + "Data/Sounds\\x.Wav"}, "'file' must be"},
        {{"type = music\nfile = Data/Music/A.Wav"}, "Ogg"},
    };
    int round = 0;
    for (const auto& c : cases) {
        const std::string dir = root / ("case" + std::to_string(++round));
        std::filesystem::create_directories(dir);
        for (std::size_t i = 0; i < c.files.size(); ++i)
            WriteBytes(dir + "/" + std::to_string(i) + ".txt", c.files[i] + "\n");
        SoundGenerator generator;
        EXPECT_FALSE(generator.Run(dir + "/out", dir)) << c.files[0];
        EXPECT_NE(generator.Error().find(c.message), std::string::npos) << generator.Error();
    }
    SoundGenerator generator;
    EXPECT_FALSE(generator.Run(root / "out", root / "nowhere"));
    EXPECT_FALSE(std::filesystem::exists(root / "escape.Wav"));
}

} // namespace
