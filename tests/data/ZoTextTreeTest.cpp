#include "ZoTextTree.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <map>

namespace {

int Load(ZoTextTree& tree, const std::string& text) {
    return tree.LoadMemory(text.data(), static_cast<std::int32_t>(text.size()));
}

} // namespace

TEST(ZoTextTreeParse, RawValuesOfEachSyntax) {
    const struct {
        std::string text;
        std::map<std::string, std::string> values;
    } cases[] = {
        {"a = {\n  b = {\n    c=5\n  }\n  d = \"two words\"\n}\n",
         {{"a.b.c", "5"}, {"a.d", "\"two words\""}}},
        // An escaped backslash before the closing quote ends the string; an escaped quote does not.
        {"p=\"C:\\\\dir\\\\\" q=7", {{"p", "\"C:\\\\dir\\\\\""}, {"q", "7"}}},
        {"s=\"say \\\"hi\\\" now\" t=1", {{"s", "\"say \\\"hi\\\" now\""}, {"t", "1"}}},
        // A plain value ends at a closing brace and at blanks; "//" starts a comment only after a blank.
        {"a = {\n\tb=1}\nc=2", {{"a.b", "1"}, {"c", "2"}}},
        {"x=1//comment\ny=2 //comment\nz=3", {{"x", "1//comment"}, {"y", "2"}, {"z", "3"}}},
        // Bracket values and grids, with a comment between the rows; blanks after the brace still make a
        // grid.
        {"// header\nPos = [10, 20]\nG = { [a,b] , // note ]\n [c,d] }\nAfter=1\n",
         {{"Pos", "[10, 20]"}, {"G", "{[a,b][c,d]}"}, {"After", "1"}}},
        {"G={\n  [x y]}", {{"G", "{[x y]}"}}},
        // In memory every carriage return is a line end.
        {"a=1\r\nb=2\rc=3", {{"a", "1"}, {"b", "2"}, {"c", "3"}}},
        // Blocks left open at the end close silently; empty and comment-only texts are fine.
        {"a = {\n b=1\n", {{"a.b", "1"}}},
        {"", {}},
        {"  // only a comment\n\t\n", {}},
        {std::string("a=1\0b=2", 7), {{"a", "1"}, {"b", "2"}}}, // the zero byte is a blank
        {"k=1\nk=2", {{"k", "2"}}},                             // a later key replaces an earlier one
    };
    ZoTextTree tree; // one tree for all: every load starts from an empty map
    for (const auto& c : cases) {
        ASSERT_EQ(Load(tree, c.text), 0) << c.text;
        EXPECT_EQ(tree.Values(), c.values) << c.text;
        EXPECT_EQ(tree.Status(), 0);
    }
    ASSERT_EQ(Load(tree, "a=1\r\nb=2\rc=3"), 0);
    EXPECT_EQ(tree.Text(), "a=1\n\nb=2\nc=3");
    ASSERT_EQ(Load(tree, cases[0].text + cases[1].text + "\n" + cases[2].text), 0);
    EXPECT_EQ(tree.GetString("a.d", "x"), "two words");
    EXPECT_EQ(tree.GetString("p", ""), "C:\\dir\\");
    EXPECT_EQ(tree.GetString("s", ""), "say \"hi\" now");
    EXPECT_EQ(tree.GetInt("a.b.c", 0), 5);
}

TEST(ZoTextTreeParse, ErrorsKeepEarlierKeys) {
    ZoTextTree tree;
    EXPECT_NE(Load(tree, "a=1\nb 2\nc=3"), 0); // name not followed by "="
    EXPECT_EQ(tree.Status(), 1);
    EXPECT_EQ(tree.Values().size(), 1u);
    EXPECT_TRUE(tree.Has("a"));
    EXPECT_NE(Load(tree, "a=1\nb="), 0); // "=" with nothing after it
    EXPECT_TRUE(tree.Has("a"));
    EXPECT_FALSE(tree.Has("b"));
    EXPECT_NE(Load(tree, "a=1\nlonely"), 0); // name at the very end
    EXPECT_NE(Load(tree, "a=1\n}\nb=2"), 0); // "}" with no open block
    EXPECT_FALSE(tree.Has("b"));
    EXPECT_NE(tree.LoadMemory(nullptr, -1), 0); // missing archive file: empty tree
    EXPECT_TRUE(tree.Values().empty());
}

TEST(ZoTextTreeGetters, NumbersFollowTheRuntimeConversions) {
    ZoTextTree tree;
    ASSERT_EQ(Load(tree, "h=0x1F\nd=1F\nneg=-12abc\nnone=abc\nf=2.5e1x\nbig=99999999999\nhx=0xFFFFFFFF"), 0);
    EXPECT_EQ(tree.GetInt("h", 0), 31);
    EXPECT_EQ(tree.GetInt("d", 0), 1);
    EXPECT_EQ(tree.GetInt("neg", 0), -12);
    EXPECT_EQ(tree.GetInt("none", 5), 0);
    EXPECT_EQ(tree.GetInt("hx", 0), -1);
    EXPECT_EQ(tree.GetInt("big", 0), INT32_MAX);
    EXPECT_FLOAT_EQ(tree.GetFloat("f", 0.0f), 25.0f);
    EXPECT_EQ(tree.Status(), 0);
    EXPECT_EQ(tree.GetInt("missing", 42), 42);
    EXPECT_EQ(tree.Status(), 1);
    EXPECT_FLOAT_EQ(tree.GetFloat("missing", 1.5f), 1.5f);
    EXPECT_EQ(tree.Status(), 1);
    EXPECT_EQ(tree.GetInt("h", 0), 31);
    EXPECT_EQ(tree.Status(), 0); // every getter resets the status first
}

TEST(ZoTextTreeGetters, StringsDropFirstAndLastCharacter) {
    ZoTextTree tree;
    ASSERT_EQ(Load(tree, "u=plain\ne=\"a\\tb\\nc\\0d\\\\e\\qf\"\nshort=x"), 0);
    EXPECT_EQ(tree.GetString("u", ""), "lai");
    EXPECT_EQ(tree.GetString("e", ""), std::string("a\tb\nc\0d\\e\\qf", 12));
    EXPECT_EQ(tree.GetString("short", "d"), "");
    EXPECT_EQ(tree.GetString("missing", "dflt"), "dflt");
    EXPECT_EQ(tree.Status(), 1);
    EXPECT_EQ(tree.GetCString("missing", nullptr), "");
    EXPECT_EQ(tree.Status(), 1);
    EXPECT_EQ(tree.GetCString("missing", "copy"), "copy");
    EXPECT_EQ(tree.GetCString("e", nullptr), tree.GetString("e", ""));
}

TEST(ZoTextTreeGetters, FloatListsAndVectors) {
    ZoTextTree tree;
    ASSERT_EQ(Load(tree, "c=[,10,, 20,30.5,]\ns=[1  2]\none=[7]\nempty=[]"), 0);
    EXPECT_EQ(tree.GetFloatList("c", ','), (std::vector<float>{10.0f, 20.0f, 30.5f}));
    EXPECT_EQ(tree.GetFloatList("s", ' '), (std::vector<float>{1.0f, 2.0f}));
    EXPECT_TRUE(tree.GetFloatList("empty", ',').empty());
    EXPECT_EQ(tree.Status(), 0);
    EXPECT_TRUE(tree.GetFloatList("missing", ',').empty());
    EXPECT_EQ(tree.Status(), 1);
    EXPECT_EQ(tree.GetVector("c", ','), ZoVector(10.0f, 20.0f, 30.5f));
    EXPECT_EQ(tree.GetVector("s", ' '), ZoVector(1.0f, 2.0f, -1024.0f));
    EXPECT_EQ(tree.GetVector("one", ' '), ZoVector(7.0f, -1024.0f, -1024.0f));
    EXPECT_EQ(tree.GetVector("missing", ' '), ZoVector(-1024.0f, -1024.0f, -1024.0f));
    EXPECT_EQ(tree.Status(), 1);
}

TEST(ZoTextTreeGetters, CharGridRoundTripsEveryByte) {
    ZoTextTree tree;
    std::string cells(20 * 20, '\xFF');
    cells[0] = '2';
    cells[21] = ',';
    cells[399] = '7';
    cells[5] = ' ';
    tree.SetCharGrid("Map", cells, 20, 20, ',');
    const std::string stored = tree.Values().at("Map");
    EXPECT_EQ(stored.front(), '{');
    EXPECT_EQ(stored.compare(0, 7, "{[2,\xFF,\xFF"), 0);
    int columns = 0, rows = 0;
    EXPECT_EQ(tree.GetCharGrid("Map", columns, rows, ',', ""), cells);
    EXPECT_EQ(columns, 20);
    EXPECT_EQ(rows, 20);

    tree.SetCharGrid("Wide", "abcdef", 3, 2, ',');
    EXPECT_EQ(tree.Values().at("Wide"), "{[a,b,c][d,e,f]}");
    EXPECT_EQ(tree.GetCharGrid("Wide", columns, rows, ',', ""), "abcdef");
    EXPECT_EQ(columns, 3);
    EXPECT_EQ(rows, 2);

    columns = rows = 9;
    EXPECT_EQ(tree.GetCharGrid("missing", columns, rows, ',', "dflt"), "dflt");
    EXPECT_EQ(tree.Status(), 1);
    EXPECT_EQ(columns, 9);
    ASSERT_EQ(Load(tree, "G={[a,b][c]}"), 0);
    EXPECT_EQ(tree.GetCharGrid("G", columns, rows, ',', "dflt"), "dflt"); // ragged rows are refused
    EXPECT_EQ(tree.Status(), 1);
}

TEST(ZoTextTreeSetters, StoredTexts) {
    ZoTextTree tree;
    tree.SetInt("i", -42);
    tree.SetFloat("f", 1250.0f);
    tree.SetFloat("g", -0.5f);
    tree.SetString("s", std::string("q\"t\tn\nz\0b\\", 10));
    EXPECT_EQ(tree.Values().at("i"), "-42");
    EXPECT_EQ(tree.Values().at("f"), "1250.000000");
    EXPECT_EQ(tree.Values().at("g"), "-0.500000");
    EXPECT_EQ(tree.Values().at("s"), "\"q\\\"t\\tn\\nz\\0b\\\\\"");
    tree.SetInt("i", 7);
    EXPECT_EQ(tree.Values().at("i"), "7");
}

TEST(ZoTextTreeSave, WritesBlocksInKeyOrderWithCrLf) {
    TempFolder folder;
    ZoTextTree tree;
    tree.SetInt("NumRecords", 1);
    tree.SetString("0.PlayerName", "Ann");
    tree.SetInt("0.Scores", 1250);
    tree.SetInt("a.b.c", 5);
    tree.SetString("a.d", "x y");
    tree.SetInt("a.b2.e", 1);
    tree.SetInt("z", 0);
    const std::string path = folder / "Tree.Txt";
    ASSERT_EQ(tree.Save(path), 0);
    EXPECT_EQ(tree.Status(), 0);
    const std::string expected = "0 = {\r\n"
                                 "\tPlayerName=\"Ann\"\r\n"
                                 "\tScores=1250\r\n"
                                 "}\r\n"
                                 "NumRecords=1\r\n"
                                 "a = {\r\n"
                                 "\tb = {\r\n"
                                 "\t\tc=5\r\n"
                                 "\t}\r\n"
                                 "\tb2 = {\r\n"
                                 "\t\te=1\r\n"
                                 "\t}\r\n"
                                 "\td=\"x y\"\r\n"
                                 "}\r\n"
                                 "z=0\r\n";
    EXPECT_EQ(ReadBytes(path), expected);

    ZoTextTree back;
    ASSERT_EQ(back.LoadFile(path), 0);
    EXPECT_EQ(back.Values(), tree.Values());
    EXPECT_EQ(FilesIn(folder.Path()).size(), 1u); // no temporary file left behind
}

TEST(ZoTextTreeSave, BlockTenBetweenOneAndTwo) {
    ZoTextTree tree;
    for (int i = 0; i < 11; ++i)
        tree.SetInt(std::to_string(i) + ".V", i);
    const std::string text = tree.Serialize();
    EXPECT_LT(text.find("1 = {"), text.find("10 = {"));
    EXPECT_LT(text.find("10 = {"), text.find("2 = {"));
}

TEST(ZoTextTreeSave, StringsSurviveSaveAndLoad) {
    TempFolder folder;
    const std::string tricky("tab\there\nnew \"quoted\" back\\slash \\\" end\\");
    ZoTextTree tree;
    tree.SetString("Block.Text", tricky);
    tree.SetString("Zero", std::string("a\0b", 3));
    ASSERT_EQ(tree.Save(folder / "s.txt"), 0);
    ZoTextTree back;
    ASSERT_EQ(back.LoadFile(folder / "s.txt"), 0);
    EXPECT_EQ(back.GetString("Block.Text", ""), tricky);
    EXPECT_EQ(back.GetString("Zero", ""), std::string("a\0b", 3));
}

TEST(ZoTextTreeLoadFile, AcceptsLfAndCrLfAndDropsOnlyCrBeforeLf) {
    TempFolder folder;
    WriteBytes(folder / "crlf.txt", "a = {\r\n\tb=1\r\n}\r\nc=\"x\"\r\n");
    WriteBytes(folder / "lf.txt", "a = {\n\tb=1\n}\nc=\"x\"");
    ZoTextTree crlf, lf;
    ASSERT_EQ(crlf.LoadFile(folder / "crlf.txt"), 0);
    ASSERT_EQ(lf.LoadFile(folder / "lf.txt"), 0);
    EXPECT_EQ(crlf.Values(), lf.Values());
    EXPECT_EQ(crlf.Text(), "a = {\n\tb=1\n}\nc=\"x\"\n");
    EXPECT_EQ(lf.Text(), crlf.Text()); // the last line gets its LF
    // A lone CR is not a line end on disk, so it stays part of the value.
    WriteBytes(folder / "cr.txt", "v=1\rw=2\n");
    ZoTextTree cr;
    ASSERT_EQ(cr.LoadFile(folder / "cr.txt"), 0);
    EXPECT_EQ(cr.Values().at("v"), "1\rw=2");
}

TEST(ZoTextTreeLoadFile, MissingFileIsStatusOneAndEmpty) {
    TempFolder folder;
    ZoTextTree tree;
    tree.SetInt("stale", 1);
    EXPECT_NE(tree.LoadFile(folder / "absent.txt"), 0);
    EXPECT_EQ(tree.Status(), 1);
    EXPECT_TRUE(tree.Values().empty());
    EXPECT_NE(tree.LoadFile(folder.Path()), 0); // a folder is not an empty file
    EXPECT_EQ(tree.Status(), 1);
}

TEST(ZoTextTreeSave, UncreatableFileKeepsMapAndSetsStatus) {
    TempFolder folder;
    ZoTextTree tree;
    tree.SetInt("k", 1);
    EXPECT_NE(tree.Save(folder / "no/such/folder/x.txt"), 0);
    EXPECT_EQ(tree.Status(), 1);
    EXPECT_EQ(tree.Values().at("k"), "1");
}

// The write dies half way (the file size limit stops it after 100 bytes): the old file must survive
// untouched and no temporary file may stay behind.
TEST(ZoTextTreeSave, InterruptedWriteLeavesOldFileIntact) {
    TempFolder folder;
    const std::string path = folder / "Keep.Txt";
    const std::string old = "Old=\"precious\"\r\n";
    WriteBytes(path, old);
    const int result = RunWithFileSizeLimit(100, [&] {
        ZoTextTree tree;
        tree.SetString("Big", std::string(5000, 'x'));
        return tree.Save(path) != 0 && tree.Status() == 1 ? 0 : 3;
    });
    EXPECT_EQ(result, 0) << "the failed save must report status 1";
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"Keep.Txt"});
}
