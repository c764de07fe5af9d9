// Hostile texts through the real window: every awkward character in every field, a megabyte
// in every field, texts beyond one command line, and list entries longer than a value line.
#include "BadInput.h"

#include <string>
#include <vector>

using namespace badinput;

// Quotes, backslash runs, printf and environment patterns, tabs and every byte from 128 to
// 255, each through every field, must reach the builder as one argument each, unchanged.
// The source must be a folder, so it gets what a folder's path can hold: per cent signs,
// high bytes, doubled and trailing backslashes and the "\\?\" prefix.
TEST_F(BadInput, AwkwardCharactersReachTheBuilderExactlyFromEveryField) {
    const std::string high = AllHighBytes();
    const std::vector<std::string> texts = {
        "\"",
        "\"\"",
        "say \"hi\" and \"\"",
        "\\",
        "\\\\\\\\",
        "C:\\dir\\",
        "a\\\\\\\"b",
        "\\\\\\\"\\\\\\\"",
        "\\\\server\\share\\",
        "100%s %d %n %x %% %1 %PATH% {0}",
        "\t",
        "a\tb\t",
        "\t\"\t\\\t",
        high,
        "\x80\x81\x8d\x8f\x90\x9d\xa0\xff \"\\",
        "  blanks around  ",
        "x\" -flagdev -source \"C:\\",
        "^&|<>()!;,=`'",
    };
    const std::string base = Folder("src");
    const std::vector<std::string> sources = {
        Folder("100%s %d %n %% %PATH%"),
        Folder("high " + high.substr(0, 64)),
        Folder("high " + high.substr(64)),
        base + "\\\\",
        base + "\\\\\\",
        data_.Path() + "\\\\src",
        "\\\\?\\" + base,
    };

    // The lists expected at the end are worked out for these many.
    const size_t n = texts.size();
    ASSERT_EQ(n, 18u);
    ASSERT_EQ(sources.size(), 7u);

    auto p = Start();
    for (size_t round = 0; round < n; ++round) {
        // Each round shifts the texts by one field, so every field sees every text.
        const BuilderInputs in{sources[round % sources.size()], texts[round],
                               texts[(round + 1) % n],          texts[(round + 2) % n],
                               texts[(round + 3) % n],          texts[(round + 4) % n]};
        SCOPED_TRACE("round " + std::to_string(round));
        Fill(*p, in);
        const auto cmdline = Create(*p);
        if (!cmdline) {
            ADD_FAILURE() << "the builder was not started";
            break;
        }
        // No text is empty: every switch is there.
        EXPECT_EQ(SplitCommandLine(*cmdline),
                  (std::vector<std::string>{BuilderPath(), "-source", in.source, "-out", in.output,
                                            "-title", in.title, "-author", in.author, "-build",
                                            in.build, "-copyright", in.copyright, "-waitonexit"}))
            << *cmdline;
    }
    // Round r took source r mod 7 and output r: the sources of the last seven rounds, the
    // outputs of the last ten, newest first.
    const std::vector<std::string> sourceList = {sources[3], sources[2], sources[1], sources[0],
                                                 sources[6], sources[5], sources[4]};
    const std::vector<std::string> outputList = {texts[17], texts[16], texts[15], texts[14],
                                                 texts[13], texts[12], texts[11], texts[10],
                                                 texts[9],  texts[8]};
    ExpectLists(*p, sourceList, outputList);
    EXPECT_EQ(p->CloseAndWait(), 0u);

    // Quotes, blanks and tabs at either end are what the settings file would strip.
    ExpectListsAfterRestart(sourceList, outputList);
}

// The longest command line the system takes reaches the builder whole. Beyond it, and up
// to a megabyte in every field at once, the program neither crashes nor locks up, keeps the
// long entry in its list, and the next ordinary Create still works.
TEST_F(BadInput, LongTextsUpToAMegabyteInEveryField) {
    const std::string src = Folder("src");
    auto p = Start();

    // Measure what the shell puts around the parameters, then fill the title up to the limit.
    BuilderInputs in{src, "o", "t"};
    Fill(*p, in);
    const auto probe = Create(*p);
    ASSERT_TRUE(probe.has_value());
    ASSERT_LT(probe->size(), kLongestCommandLine);
    // Blanks and letters need no escaping: the title's length adds one for one.
    in.title = Repeated("Title with blanks ", 1 + kLongestCommandLine - probe->size());
    Fill(*p, in);
    const auto full = Create(*p);
    ASSERT_TRUE(full.has_value());
    std::printf("[ observed ] a %zu-character title made a %zu-character command line\n",
                in.title.size(), full->size());
    EXPECT_EQ(full->size(), kLongestCommandLine);
    EXPECT_EQ(SplitCommandLine(*full),
              (std::vector<std::string>{BuilderPath(), "-source", src, "-out", "o", "-title",
                                        in.title, "-waitonexit"}));

    // A megabyte source is no folder. Wine cuts an over-long path to its length modulo 32 K
    // (see the command-line test below), so the length is chosen to leave no folder either.
    PutText(p->Control(gui::idCmbSource),
            data_.Path() + "\\no such folder " + Repeated("s", kMegabyte + 1000));
    EXPECT_EQ(CreateAndExpectBox(*p), kNoSource);
    ASSERT_TRUE(Alive(*p));

    // A megabyte in every other field at once, quotes and backslashes included.
    const BuilderInputs mega{src,
                             Repeated("out\\\"\t", kMegabyte),
                             Repeated("title \"", kMegabyte),
                             Repeated("au\\\\", kMegabyte),
                             Repeated("%s%d", kMegabyte),
                             Repeated("\xa9\xff", kMegabyte)};
    Fill(*p, mega);
    EXPECT_EQ(TextOf(p->Control(gui::idEdtTitle)).size(), kMegabyte);
    // Far beyond one command line: refused with a box, nothing started, nothing recorded.
    EXPECT_EQ(CreateAndExpectBox(*p), "The texts are too long to be passed to the builder.");
    ASSERT_TRUE(Alive(*p));
    EXPECT_EQ(TextOf(p->Control(gui::idEdtTitle)).size(), kMegabyte)
        << "the fields keep their text";
    EXPECT_EQ(ComboItems(p->Control(gui::idCmbOutput)), std::vector<std::string>{"o"});

    // The window still works for an ordinary Create.
    Fill(*p, {src, "after.vkpak", "after"});
    const auto after = Create(*p);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(SplitCommandLine(*after),
              (std::vector<std::string>{BuilderPath(), "-source", src, "-out", "after.vkpak",
                                        "-title", "after", "-waitonexit"}));
    EXPECT_EQ(p->CloseAndWait(), 0u);
}

// Texts too long for one command line: handed to the shell, the line would be cut at 32,766
// characters (the title cut short, -waitonexit gone) without a word. Wine also cuts an
// over-long path to its length modulo 32 K, so a megabyte source could pass for its own
// parent folder. Either the builder gets exactly what was typed, or it is not started and a
// box says why.
TEST_F(BadInput, TextsBeyondTheCommandLineLimitAreRefusedNotCut) {
    const std::string src = Folder("src");
    auto p = Start();
    const std::string wrapsToData = data_.Path() + "\\";
    const std::string longTitle = Repeated("title ", 40000);
    const std::string longSource = wrapsToData + Repeated("s", 32 * 32768);
    struct Case {
        BuilderInputs in;
        std::vector<std::string> argvIfStarted;
    };
    const Case cases[] = {
        {{src, "o", longTitle},
         {BuilderPath(), "-source", src, "-out", "o", "-title", longTitle, "-waitonexit"}},
        {{longSource, "o"}, {BuilderPath(), "-source", longSource, "-out", "o", "-waitonexit"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("source of " + std::to_string(c.in.source.size()) + ", title of " +
                     std::to_string(c.in.title.size()) + " characters");
        Fill(*p, c.in);
        const Outcome out = PressCreate(*p);
        ASSERT_TRUE(Alive(*p));
        if (!out.started.empty()) {
            // Compared by hand: a failure must not print the whole line.
            const auto argv = SplitCommandLine(out.started.back());
            EXPECT_TRUE(argv == c.argvIfStarted)
                << "started with a " << out.started.back().size() << "-character command line, "
                << argv.size() << " arguments, the last \"" << argv.back().substr(0, 20) << "...\"";
        } else {
            ASSERT_TRUE(out.box.has_value()) << "nothing started and nothing said";
            EXPECT_EQ(*out.box, "The texts are too long to be passed to the builder.");
        }
    }
    EXPECT_EQ(p->CloseAndWait(), 0u);
}

// Long list entries come back whole after a restart: values are read with a buffer that
// grows until they fit, and written through the Unicode call where the ANSI one would turn
// a value of more than 32,767 characters into a short run of question marks.
TEST_F(BadInput, LongEntriesComeBackWholeAfterARestart) {
    const std::string src = Folder("src");
    // Both fit on one command line; the entries beyond that reach the list only from a file
    // edited by hand, which the settings-file tests cover.
    const std::vector<std::string> outputs = {Repeated("long", 3000), Repeated("longer", 32000)};
    {
        auto p = Start();
        for (const auto& out : outputs) {
            Fill(*p, {src, out});
            ASSERT_TRUE(Create(*p).has_value());
        }
        EXPECT_EQ(p->CloseAndWait(), 0u);
    }
    // The newest first.
    const std::vector<std::string> list = {outputs[1], outputs[0]};
    auto p = Start();
    const auto back = ComboItems(p->Control(gui::idCmbOutput));
    for (size_t i = 0; i < list.size(); ++i)
        if (i >= back.size() || back[i] != list[i])
            ADD_FAILURE() << "an entry of " << list[i].size() << " characters came back as "
                          << (i < back.size() ? std::to_string(back[i].size()) + " characters, \"" +
                                                    back[i].substr(0, 20) + "...\""
                                              : std::string("nothing"));
    EXPECT_EQ(p->CloseAndWait(), 0u);
}
