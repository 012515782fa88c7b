// The conversion road through the window: every type, the "Pakkle" rules,
// the clipboard buttons and the edit flags.
#include "ShellTest.h"

#include "engine/quillet.h"
#include "fw/core/BackgroundTask.h"
#include "fw/gui/Gui.h"
#include "shell/EncodingSelect.h"

namespace {

class ConversionTest : public ShellTest {};

const char* const kLabels[] = {
    "Javascript",
    "Javascript encode",
    "Javascript variable",
    "HTML",
    "HTML page",
    "Pakkle",
    "Pakkle (Unicode)",
    "Plain text",
    "Copy as is",
    "Base64 Encode",
    "Base64 Decode",
    "Quoted Printable Encode",
    "Quoted Printable Decode",
    "Url Encode",
    "Url Encode (all chars)",
    "Url Decode",
    "ASCII to code",
};

TEST_F(ConversionTest, EveryTypeShowsTheEngineResult) {
    startVarnel();
    const std::string source = "<p class=\"a\">Caf\xC3\xA9 & \"quotes\"</p>\n<b>line 2</b>";
    pasteSource(source);
    for (const char* label : kLabels) {
        choosePopupRow("PMTypeOfConversion", label);
        click("PBConvert");
        const fw::String expected = quillet::Varnel(text("EFSource"), label);
        EXPECT_EQ(StrComp(main().RawOutput, expected, 0), 0) << label;
        // Bytes without an encoding (decoded Base64) show as UTF-8 with
        // replacements; the buffer above holds them exactly.
        if (expected.encoding()) {
            EXPECT_EQ(text("EFDest"), fw::ReplaceLineEndings(expected, fw::EndOfLine).utf8()) << label;
        }
        EXPECT_FALSE(main().flagDestEdited) << label;
        EXPECT_FALSE(main().RawOutput.empty()) << label;
    }
}

TEST_F(ConversionTest, UntouchedPaneConvertsTheHint) {
    startVarnel();
    click("PBConvert");
    EXPECT_EQ(main().RawInput, "Paste here html code from clipboard or load html file by click \"Open...\" button");
    EXPECT_NE(text("EFDest").find("document.write"), std::string::npos);
}

TEST_F(ConversionTest, ClearedSourceConvertsEmptyText) {
    startVarnel();
    click("PBConvert");
    click("PBSourceClear");
    EXPECT_FALSE(main().RawInput.empty());  // Clear leaves the buffer alone
    choosePopupRow("PMTypeOfConversion", "Copy as is");
    click("PBConvert");
    EXPECT_EQ(main().RawInput, "");
    EXPECT_EQ(text("EFDest"), "");
}

TEST_F(ConversionTest, PakkleDisablesOutputAndCopiesRawResult) {
    startVarnel();
    type("EFSource", "<p>abcabcabcabc</p>");
    choosePopupRow("PMTypeOfConversion", "Pakkle");
    EXPECT_FALSE(control("EFDest").Enabled());
    EXPECT_TRUE(control("EncodingSelectDest").Enabled());
    click("PBConvert");
    EXPECT_FALSE(text("EFDest").empty());
    click("PBDestCopy");
    // Exactly as produced, with the engine's own CR LF line ends.
    EXPECT_EQ(fw::Clipboard().Text(), main().RawOutput.utf8());
    EXPECT_NE(main().RawOutput.bytes().find("\r\n"), std::string::npos);

    choosePopupRow("PMTypeOfConversion", "Pakkle (Unicode)");
    EXPECT_FALSE(control("EFDest").Enabled());
    click("PBConvert");
    click("PBDestCopy");
    EXPECT_EQ(fw::Clipboard().Text(), text("EFDest"));
    EXPECT_EQ(control<fw::EditField>("EFDest").SelLength(), int(fw::Len(text("EFDest"))));

    choosePopupRow("PMTypeOfConversion", "HTML");
    EXPECT_TRUE(control("EFDest").Enabled());
    EXPECT_EQ(control("PMTypeOfConversion").HelpTag(), "HTML");
}

TEST_F(ConversionTest, SuggestNewShowsItsMessageOnceAndConvertsToNothing) {
    startVarnel();
    type("EFSource", "x");
    click("PBConvert");
    ASSERT_FALSE(text("EFDest").empty());
    choosePopupRow("PMTypeOfConversion", "Suggest new (open browser)");
    EXPECT_EQ(shownMessages(), std::vector<std::string>{"Open Browser"});
    EXPECT_TRUE(shownURLs().empty());
    EXPECT_TRUE(control("EFDest").Enabled());
    click("PBConvert");
    EXPECT_EQ(text("EFDest"), "");
    EXPECT_EQ(main().RawOutput, "");
    // Coming back to the row from itself shows nothing more.
    main().PMTypeOfConversion_Change();
    EXPECT_EQ(shownMessages().size(), 1u);
}

TEST_F(ConversionTest, PasteCopyAndPasteCodeUseTheRealClipboard) {
    startVarnel();
    fw::Clipboard().Text("<i>from the clipboard</i>");
    click("PBSourcePaste");
    EXPECT_EQ(text("EFSource"), "<i>from the clipboard</i>");
    EXPECT_TRUE(main().flagSourceEdited);
    choosePopupRow("PMTypeOfConversion", "HTML");
    click("PBConvert");
    const std::string shown = text("EFDest");
    fw::Clipboard().Text("something else");
    click("PBDestCopy");
    EXPECT_EQ(fw::Clipboard().Text(), shown);

    click("PBPasteCode");
    EXPECT_EQ(text("EFSource"), shown);
    click("PBDestClear");
    EXPECT_EQ(text("EFDest"), "");
    EXPECT_FALSE(main().RawOutput.empty());  // Clear leaves the buffer alone
    EXPECT_TRUE(main().flagDestEdited);
}

TEST_F(ConversionTest, EditedOutputIsClearedByTheNextConversion) {
    startVarnel();
    type("EFSource", "abc");
    click("PBConvert");
    type("EFDest", "typed");
    EXPECT_TRUE(main().flagDestEdited);
    click("PBConvert");
    EXPECT_FALSE(main().flagDestEdited);
}

TEST_F(ConversionTest, EncodingsReachTheEngine) {
    startVarnel();
    choosePopupRow("EncodingSelectSource", "MacThai");
    choosePopupRow("EncodingSelectDest", "MacTelugu");
    click("PBConvert");
    EXPECT_EQ(quillet::SourceEncoding, fw::Encodings::ByName("MacThai"));
    EXPECT_EQ(quillet::DestEncoding, fw::Encodings::ByName("MacTelugu"));
}

TEST_F(ConversionTest, EditMenuActsOnTheFocusedPane) {
    startVarnel();
    click("PBSourceClear");
    type("EFSource", "hello");
    focus("EFSource");
    ASSERT_TRUE(chooseMenu("EditSelectAll"));
    ASSERT_TRUE(chooseMenu("EditCopy"));
    EXPECT_EQ(fw::Clipboard().Text(), "hello");
    focus("EFDest");
    ASSERT_TRUE(chooseMenu("EditPaste"));
    EXPECT_EQ(text("EFDest"), "hello");
}

TEST_F(ConversionTest, ASecondClickDuringAConversionStartsNothing) {
    startVarnel();
    std::string big;
    while (big.size() < 300'000) big += "<p>a b</p>\n";
    main().Control<fw::EditField>("EFSource").Text(big);
    choosePopupRow("PMTypeOfConversion", "Plain text");
    int nested = 0;
    bool nestedChangedOutput = false;
    // A click that reaches the button while the engine yields.
    fw::SetBackgroundTaskBudget(0);
    fw::SetBackgroundTaskHook([&] {
        if (nested++ > 0) return;
        const std::string before = main().Control<fw::EditField>("EFDest").Text().utf8();
        main().Control<fw::PushButton>("PBConvert").Push();
        nestedChangedOutput = main().Control<fw::EditField>("EFDest").Text().utf8() != before;
    });
    click("PBConvert");
    fw::SetBackgroundTaskHook(nullptr);
    fw::SetBackgroundTaskBudget(20);
    EXPECT_GT(nested, 0);
    EXPECT_FALSE(nestedChangedOutput);
    EXPECT_EQ(main().RawOutput, quillet::Varnel(big, "Plain text"));
}

TEST_F(ConversionTest, AFileDroppedWhileConvertingLeavesTheRunningConversionWhole) {
    // Drops are not held back while the engine yields; loading replaces the
    // buffer the conversion reads.
    std::string dropped;
    while (dropped.size() < 900'000) dropped += "<p>dropped</p>\n";
    auto file = writeFile("dropped.html", dropped);
    std::string big;
    while (big.size() < 300'000) big += "<p>a &amp; b</p>\n";
    startVarnel();
    for (const char* label : kLabels) {
        main().Control<fw::EditField>("EFSource").Text(big);
        choosePopupRow("PMTypeOfConversion", label);
        int yields = 0;
        fw::SetBackgroundTaskBudget(0);
        fw::SetBackgroundTaskHook([&] {
            if (yields++ == 0) dropFiles(main(), {file});
        });
        click("PBConvert");
        fw::SetBackgroundTaskHook(nullptr);
        fw::SetBackgroundTaskBudget(20);
        if (yields == 0) continue;  // too quick to yield at all
        EXPECT_EQ(main().RawInput.bytes(), dropped) << label;
        EXPECT_EQ(StrComp(main().RawOutput, quillet::Varnel(big, label), 0), 0) << label;
    }
}

}  // namespace
