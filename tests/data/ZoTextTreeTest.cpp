// Text tree files: the syntax every game file is read with, the typed getters, and the bytes written.
#include "ZoTextTree.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <map>

namespace {

int Load(ZoTextTree& tree, const std::string& text) {
    return tree.LoadMemory(text.data(), static_cast<std::int32_t>(text.size()));
}

TEST(ZoTextTree, ParsesEachSyntaxAndKeepsKeysBeforeAnError) {
    const struct {
        std::string text;
        std::map<std::string, std::string> values;
        bool ok;
    } cases[] = {
        {"a = {\n  b = {\n    c=5\n  }\n  d = \"two words\"\n}\n", {{"a.b.c", "5"}, {"a.d", "\"two words\""}}, 1},
        // An escaped backslash before the closing quote ends the string; an escaped quote does not.
        {"p=\"C:\\\\dir\\\\\" q=7", {{"p", "\"C:\\\\dir\\\\\""}, {"q", "7"}}, 1},
        {"s=\"say \\\"hi\\\" now\" t=1", {{"s", "\"say \\\"hi\\\" now\""}, {"t", "1"}}, 1},
        // A plain value ends at a closing brace and at blanks; "//" starts a comment only after a blank.
        {"a = {\n\tb=1}\nc=2", {{"a.b", "1"}, {"c", "2"}}, 1},
        {"x=1//comment\ny=2 //comment\nz=3", {{"x", "1//comment"}, {"y", "2"}, {"z", "3"}}, 1},
        // Bracket values and grids, a comment between the rows.
        {"Pos = [10, 20]\nG = { [a,b] , // note ]\n [c,d] }\nAfter=1\n",
         {{"Pos", "[10, 20]"}, {"G", "{[a,b][c,d]}"}, {"After", "1"}}, 1},
        {"a=1\r\nb=2\rc=3", {{"a", "1"}, {"b", "2"}, {"c", "3"}}, 1}, // in memory every CR ends a line
        {"a = {\n b=1\n", {{"a.b", "1"}}, 1},                          // open blocks close at the end
        {std::string("a=1\0b=2", 7), {{"a", "1"}, {"b", "2"}}, 1},     // a zero byte is a blank
        {"k=1\nk=2", {{"k", "2"}}, 1},
        {"  // only a comment\n\t\n", {}, 1},
        {"a=1\nb 2\nc=3", {{"a", "1"}}, 0},
        {"a=1\nb=", {{"a", "1"}}, 0},
        {"a=1\nlonely", {{"a", "1"}}, 0},
        {"a=1\n}\nb=2", {{"a", "1"}}, 0},
    };
    ZoTextTree tree; // every load starts from an empty map
    for (const auto& c : cases) {
        EXPECT_EQ(Load(tree, c.text) == 0, c.ok) << c.text;
        EXPECT_EQ(tree.Values(), c.values) << c.text;
        EXPECT_EQ(tree.Status(), c.ok ? 0 : 1) << c.text;
    }
    EXPECT_NE(tree.LoadMemory(nullptr, -1), 0); // a file missing from the archive
    EXPECT_TRUE(tree.Values().empty());
}

TEST(ZoTextTree, GettersConvertAsTheRuntimeDoesAndMissingKeysGiveTheDefault) {
    ZoTextTree tree;
    ASSERT_EQ(Load(tree, "h=0x1F\nd=1F\nneg=-12abc\nnone=abc\nf=2.5e1x\nbig=99999999999\nhx=0xFFFFFFFF\n"
                         "u=plain\ne=\"a\\tb\\nc\\\\e\\qf\"\nc=[,10,, 20,30.5,]\ns=[1  2]\n"),
              0);
    const std::pair<const char*, int> ints[] = {{"h", 31},   {"d", 1},   {"neg", -12},        {"none", 0},
                                                {"hx", -1}, {"big", INT32_MAX}, {"missing", 42}};
    for (const auto& [key, value] : ints)
        EXPECT_EQ(tree.GetInt(key, 42), value) << key;
    EXPECT_EQ(tree.Status(), 1); // the last getter missed; each getter resets it first
    EXPECT_FLOAT_EQ(tree.GetFloat("f", 0.0f), 25.0f);
    EXPECT_EQ(tree.Status(), 0);
    // Strings lose their first and last character, quoted or not, and keep unknown escapes.
    EXPECT_EQ(tree.GetString("u", ""), "lai");
    EXPECT_EQ(tree.GetString("e", ""), "a\tb\nc\\e\\qf");
    EXPECT_EQ(tree.GetString("missing", "dflt"), "dflt");
    EXPECT_EQ(tree.GetFloatList("c", ','), (std::vector<float>{10.0f, 20.0f, 30.5f}));
    EXPECT_EQ(tree.GetVector("s", ' '), ZoVector(1.0f, 2.0f, -1024.0f));
    EXPECT_EQ(tree.GetVector("missing", ' '), ZoVector(-1024.0f, -1024.0f, -1024.0f));
    EXPECT_EQ(tree.Status(), 1);
}

TEST(ZoTextTree, CharGridKeepsEveryByteAndRefusesRaggedRows) {
    ZoTextTree tree;
    std::string cells(20 * 20, '\xFF');
    cells[0] = '2';
    cells[5] = ' ';
    cells[21] = ',';
    tree.SetCharGrid("Map", cells, 20, 20, ',');
    int columns = 0, rows = 0;
    EXPECT_EQ(tree.GetCharGrid("Map", columns, rows, ',', ""), cells);
    EXPECT_EQ(columns * 100 + rows, 2020);
    tree.SetCharGrid("Wide", "abcdef", 3, 2, ',');
    EXPECT_EQ(tree.Values().at("Wide"), "{[a,b,c][d,e,f]}");
    ASSERT_EQ(Load(tree, "G={[a,b][c]}"), 0);
    EXPECT_EQ(tree.GetCharGrid("G", columns, rows, ',', "dflt"), "dflt");
    EXPECT_EQ(tree.Status(), 1);
}

TEST(ZoTextTree, SavesBlocksInKeyOrderWithCrLfAndReadsItBack) {
    TempFolder folder;
    ZoTextTree tree;
    for (int i : {2, 10, 1})
        tree.SetInt(std::to_string(i) + ".V", i);
    tree.SetString("a.b.s", std::string("q\"t\tn\nz\0b\\", 10));
    tree.SetFloat("a.f", -0.5f);
    tree.SetInt("z", 0);
    const std::string path = folder / "Tree.Txt";
    ASSERT_EQ(tree.Save(path), 0);
    EXPECT_EQ(ReadBytes(path), "1 = {\r\n\tV=1\r\n}\r\n10 = {\r\n\tV=10\r\n}\r\n2 = {\r\n\tV=2\r\n}\r\n"
                               "a = {\r\n\tb = {\r\n\t\ts=\"q\\\"t\\tn\\nz\\0b\\\\\"\r\n\t}\r\n\tf=-0.500000\r\n}\r\n"
                               "z=0\r\n");
    ZoTextTree back;
    ASSERT_EQ(back.LoadFile(path), 0);
    EXPECT_EQ(back.Values(), tree.Values());
    EXPECT_EQ(back.GetString("a.b.s", ""), std::string("q\"t\tn\nz\0b\\", 10));
    // On disk CR LF and LF read alike, and a lone CR stays part of the value.
    WriteBytes(path, "a = {\n\tb=1\r\n}\nv=1\rw=2\n");
    ASSERT_EQ(back.LoadFile(path), 0);
    EXPECT_EQ(back.Values(), (std::map<std::string, std::string>{{"a.b", "1"}, {"v", "1\rw=2"}}));
    EXPECT_NE(back.LoadFile(folder / "absent.txt"), 0);
    EXPECT_TRUE(back.Values().empty());
    EXPECT_NE(back.LoadFile(folder.Path()), 0); // a folder is no empty file
}

// Every file the game writes (options, players, tables, saved games) goes through this save.
TEST(ZoTextTree, AFailedSaveSaysSoAndLeavesTheOldFileAndNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder / "Keep.Txt";
    WriteBytes(path, "Old=\"precious\"\r\n");
    const int result = RunWithFileSizeLimit(100, [&] { // the disk fills after 100 bytes
        ZoTextTree tree;
        tree.SetString("Big", std::string(5000, 'x'));
        return tree.Save(path) != 0 && tree.Status() == 1 && tree.Has("Big") ? 0 : 3;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadBytes(path), "Old=\"precious\"\r\n");
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"Keep.Txt"});
    ZoTextTree tree;
    EXPECT_NE(tree.Save(folder / "no/such/folder/x.txt"), 0);
}

} // namespace
