// Opening, dropping, re-opening and saving documents with real files.
#include "ShellTest.h"

#include <sys/stat.h>

#include "engine/quillet.h"
#include "fw/core/TextEncoding.h"
#include "fw/gui/Gui.h"

namespace fs = std::filesystem;
using testsupport::readFile;

namespace {

class DocumentsTest : public ShellTest {
protected:
    fw::String pathOf(const fs::path& p) { return fw::GetFolderItem(p.string())->AbsolutePath(); }
    void convertAs(const std::string& label) {
        choosePopupRow("PMTypeOfConversion", label);
        click("PBConvert");
    }
    void saveAs(const fs::path& target) {
        answerNextDialog(target);
        click("PBSaveAs");
    }
};

TEST_F(DocumentsTest, WindowsLatin1FileSavedAsUtf8AndUtf16) {
    auto file = writeFile("latin.html", "Caf\xE9 \x80 na\xEFve\r\nline 2");
    startVarnel();
    choosePopupRow("EncodingSelectSource", "WindowsLatin1");
    answerNextDialog(file);
    click("PBOpen");
    EXPECT_EQ(text("EFSource"), "Caf\xC3\xA9 \xE2\x82\xAC na\xC3\xAFve\nline 2");
    EXPECT_EQ(main().RawInput.bytes(), "Caf\xE9 \x80 na\xEFve\r\nline 2");  // as read
    EXPECT_EQ(main().Title(), "Varnel - " + pathOf(file));
    EXPECT_EQ(quillet::CurrentDocument, pathOf(file));
    EXPECT_EQ(main().OpenRecentItems->Count(), 1);
    EXPECT_TRUE(shownMessages().empty());

    convertAs("Copy as is");
    choosePopupRow("EncodingSelectDest", "UTF8");
    saveAs(tempDir() / "out8.html");
    EXPECT_EQ(readFile(tempDir() / "out8.html"), "Caf\xC3\xA9 \xE2\x82\xAC na\xC3\xAFve\r\nline 2");

    choosePopupRow("EncodingSelectDest", "UTF16");
    saveAs(tempDir() / "out16.html");
    // clang-format off
    EXPECT_EQ(readFile(tempDir() / "out16.html"),
              std::string("\0C\0a\0f\0\xE9\0 \x20\xAC\0 \0n\0a\0\xEF\0v\0e\0\r\0\n\0l\0i\0n\0e\0 \0" "2", 40));
    // clang-format on
    EXPECT_TRUE(shownMessages().empty());
}

TEST_F(DocumentsTest, Utf8ByteOrderMarkIsDroppedOnlyAtTheStart) {
    struct Case {
        std::string bytes;
        const char* encoding;
        std::string raw;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBF<p>x</p>", "UTF8", "<p>x</p>"},    {"\xEF\xBB\xBF", "UTF8", ""},
        {"\xEF\xBB<p>", "WindowsLatin1", "\xEF\xBB<p>"}, {"<p>\xEF\xBB\xBF</p>", "UTF8", "<p>\xEF\xBB\xBF</p>"},
        {"\xEF\xBB\xBFx\xE9", "WindowsLatin1", "x\xE9"}, {"\xFF\xFEx", "WindowsLatin1", "\xFF\xFEx"},
    };
    startVarnel();
    for (const Case& c : cases) {
        choosePopupRow("EncodingSelectSource", c.encoding);
        auto file = writeFile("bom.html", c.bytes);
        main().LoadFile(file.string());
        EXPECT_EQ(main().RawInput.bytes(), c.raw) << c.encoding;
        EXPECT_FALSE(main().flagSourceEdited);
    }
}

TEST_F(DocumentsTest, SaveAsksForANameOnceUntilTheNextLoad) {
    auto file = writeFile("a.html", "<b>a</b>");
    startVarnel();
    main().LoadFile(file.string());
    convertAs("HTML");
    const fs::path target = tempDir() / "saved.html";
    answerNextDialog(target);
    click("PBSave");
    ASSERT_EQ(shownDialogs().size(), 1u);
    EXPECT_EQ(shownDialogs()[0].kind, "save");
    EXPECT_EQ(shownDialogs()[0].title, "Save Document As...");
    EXPECT_EQ(shownDialogs()[0].suggestedName, "Unnamed");
    EXPECT_EQ(shownDialogs()[0].filter, "HTML files;All files;Text files;");
    EXPECT_EQ(readFile(target), main().RawOutput.bytes());

    fs::remove(target);
    ASSERT_TRUE(chooseMenu("FileSave"));
    EXPECT_EQ(shownDialogs().size(), 1u);
    EXPECT_EQ(readFile(target), main().RawOutput.bytes());

    main().LoadFile(file.string());
    cancelNextDialog();
    click("PBSave");
    ASSERT_EQ(shownDialogs().size(), 2u);
    EXPECT_EQ(shownDialogs()[1].initialDirectory, "");  // emptied by the load

    // The open dialog starts at the document loaded last.
    cancelNextDialog();
    click("PBOpen");
    ASSERT_EQ(shownDialogs().size(), 3u);
    EXPECT_EQ(shownDialogs()[2].initialDirectory, pathOf(file));
}

TEST_F(DocumentsTest, EditedOutputPaneIsSavedInsteadOfTheResult) {
    startVarnel();
    click("PBSourceClear");
    type("EFSource", "abc");
    convertAs("Copy as is");
    click("PBDestClear");
    type("EFDest", "edited");
    pressKey("Return");
    type("EFDest", "by hand");
    const fs::path target = tempDir() / "edited.txt";
    saveAs(target);
    EXPECT_EQ(readFile(target), "edited\nby hand");
    // Still the pane's text on the next save, until a conversion.
    type("EFDest", "!");
    ASSERT_TRUE(chooseMenu("FileSave"));
    EXPECT_EQ(readFile(target), "edited\nby hand!");
    click("PBConvert");
    click("PBSave");
    EXPECT_EQ(readFile(target), "abc");
}

TEST_F(DocumentsTest, SaveBeforeAnyConversionWritesAnEmptyFile) {
    startVarnel();
    const fs::path target = tempDir() / "empty.html";
    saveAs(target);
    ASSERT_TRUE(fs::exists(target));
    EXPECT_EQ(fs::file_size(target), 0u);
}

TEST_F(DocumentsTest, FailedSaveLeavesTheOldFileAndSaysSo) {
    startVarnel();
    type("EFSource", "new text");
    convertAs("Copy as is");
    const fs::path folder = tempDir() / "a folder.html";
    fs::create_directories(folder / "inside");
    const fs::path longName = tempDir() / std::string(250, 'n');
    testsupport::writeFile(longName, "old text");
    const fs::path targets[] = {
        tempDir() / "missing" / "deeper" / "x.html",  // a path that can't be created
        folder,                                       // a folder in the way
        longName,                                     // no room for the temporary file's name
    };
    for (const fs::path& target : targets) {
        saveAs(target);  // the dialog's question before replacing gets "Yes"
        ASSERT_FALSE(shownMessages().empty()) << target;
        EXPECT_EQ(shownMessages().back(), "Error: can not save file") << target;
    }
    EXPECT_TRUE(fs::is_directory(folder / "inside"));
    EXPECT_EQ(readFile(longName), "old text");
    EXPECT_FALSE(fs::exists(tempDir() / "missing"));
}

TEST_F(DocumentsTest, LossySaveAsksFirstAndCancelWritesNothing) {
    startVarnel();
    pasteSource("Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC!");
    convertAs("Copy as is");
    choosePopupRow("EncodingSelectDest", "ASCII");
    const fs::path target = tempDir() / "ascii.txt";

    answerNextMsgBox(fw::AnswerCancel);
    saveAs(target);
    ASSERT_EQ(shownMessages().size(), 1u);
    const std::string question = shownMessages()[0];
    EXPECT_NE(question.find('3'), std::string::npos) << question;
    EXPECT_NE(question.find("ASCII"), std::string::npos) << question;
    EXPECT_FALSE(fs::exists(target));

    testsupport::writeFile(target, "old");
    answerNextMsgBox(fw::AnswerCancel);
    click("PBSave");
    EXPECT_EQ(readFile(target), "old");

    answerNextMsgBox(fw::AnswerOK);
    click("PBSave");
    EXPECT_EQ(readFile(target),
              "Caf? ?"
              "?!");
}

TEST_F(DocumentsTest, DecodedBase64IsSavedByteForByte) {
    startVarnel();
    click("PBSourceClear");
    type("EFSource", "//4AgMM=");  // FF FE 00 80 C3
    convertAs("Base64 Decode");
    for (const char* encoding : {"UTF16", "UTF8", "ASCII"}) {
        choosePopupRow("EncodingSelectDest", encoding);
        const fs::path target = tempDir() / (std::string(encoding) + ".bin");
        saveAs(target);
        EXPECT_EQ(readFile(target), std::string("\xFF\xFE\x00\x80\xC3", 5)) << encoding;
    }
    EXPECT_TRUE(shownMessages().empty());
}

TEST_F(DocumentsTest, PakkleIsSavedInTheSourceEncoding) {
    startVarnel();
    pasteSource("Caf\xC3\xA9 caf\xC3\xA9 caf\xC3\xA9");
    choosePopupRow("EncodingSelectSource", "WindowsLatin1");
    choosePopupRow("EncodingSelectDest", "UTF16");
    convertAs("Pakkle");
    const fs::path bytewise = tempDir() / "p.html";
    saveAs(bytewise);
    EXPECT_EQ(readFile(bytewise), fw::ConvertEncoding(main().RawOutput, fw::Encodings::WindowsLatin1).bytes());
    EXPECT_EQ(readFile(bytewise).find('\0'), std::string::npos);

    convertAs("Pakkle (Unicode)");
    const fs::path unicode = tempDir() / "pu.html";
    saveAs(unicode);
    EXPECT_EQ(readFile(unicode), fw::ConvertEncoding(main().RawOutput, fw::Encodings::UTF16).bytes());
}

TEST_F(DocumentsTest, InvalidBytesLoadWithAWarning) {
    auto file = writeFile("bad.html",
                          "abc\xFF\xFE"
                          "def\xC3");
    startVarnel();
    choosePopupRow("EncodingSelectSource", "UTF8");
    main().LoadFile(file.string());
    ASSERT_EQ(shownMessages().size(), 1u);
    const std::string warning = shownMessages()[0];
    EXPECT_NE(warning.find("UTF8"), std::string::npos) << warning;
    EXPECT_NE(warning.find('3'), std::string::npos) << warning;
    EXPECT_EQ(main().RawInput.bytes(),
              "abc\xFF\xFE"
              "def\xC3");
    EXPECT_EQ(quillet::CurrentDocument, pathOf(file));
    EXPECT_NE(text("EFSource").find("def"), std::string::npos);
}

TEST_F(DocumentsTest, WhatCannotBeOpenedChangesNothing) {
    auto good = writeFile("good.html", "<p>good</p>");
    const fs::path fifo = tempDir() / "pipe.html";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        std::string path;
        const char* message;
    };
    const Case cases[] = {
        {(tempDir() / "gone.html").string(), "Error: not file found"},
        {"", "Error: not file found"},
        {tempDir().string(), "Error: can not open file"},
        {fifo.string(), "Error: can not open file"},
        {"/dev/zero", "Error: can not open file"},
    };
    startVarnel();
    main().LoadFile(good.string());
    const fw::String title = main().Title();
    for (const Case& c : cases) {
        quillet::SaveDocument = "/somewhere/else.html";
        main().LoadFile(c.path);
        ASSERT_FALSE(shownMessages().empty()) << c.path;
        EXPECT_EQ(shownMessages().back(), c.message) << c.path;
        EXPECT_EQ(text("EFSource"), "<p>good</p>") << c.path;
        EXPECT_EQ(main().Title(), title) << c.path;
        EXPECT_EQ(quillet::CurrentDocument, pathOf(good)) << c.path;
        EXPECT_EQ(quillet::SaveDocument, "") << c.path;
        EXPECT_EQ(main().OpenRecentItems->Count(), 1) << c.path;
    }
}

TEST_F(DocumentsTest, ReopenReadsAgainOrAsksForAFile) {
    startVarnel();
    click("BBReopen");  // no current document: the open dialog (cancelled)
    ASSERT_EQ(shownDialogs().size(), 1u);
    EXPECT_EQ(shownDialogs()[0].kind, "open");
    EXPECT_EQ(shownDialogs()[0].title, "Select a file");

    auto file = writeFile("r.html", "first");
    main().LoadFile(file.string());
    testsupport::writeFile(file, "second\r\n");
    ASSERT_TRUE(chooseMenu("FileReOpen"));
    EXPECT_EQ(main().RawInput.bytes(), "second\r\n");
    EXPECT_EQ(shownDialogs().size(), 1u);

    fs::remove(file);
    click("BBReopen");
    EXPECT_EQ(shownMessages(), std::vector<std::string>{"Error: not file found"});
    EXPECT_EQ(main().RawInput.bytes(), "second\r\n");
}

TEST_F(DocumentsTest, EveryRoadReachesTheSameAction) {
    auto file = writeFile("road.html", "<i>road</i>");
    startVarnel();
    const std::function<void()> openRoads[] = {
        [&] { click("PBOpen"); },
        [&] { chooseMenu("FileOpen"); },
        [&] { pressKey("Ctrl+O"); },
    };
    for (const auto& road : openRoads) {
        main().Control<fw::EditField>("EFSource").Text("");
        answerNextDialog(file);
        road();
        EXPECT_EQ(text("EFSource"), "<i>road</i>");
    }
    convertAs("Copy as is");
    const std::function<void()> saveAsRoads[] = {
        [&] { click("PBSaveAs"); },
        [&] { chooseMenu("FileSaveas"); },
        [&] { pressKey("Ctrl+Shift+S"); },
    };
    int n = 0;
    for (const auto& road : saveAsRoads) {
        const fs::path target = tempDir() / ("road" + std::to_string(n++) + ".html");
        answerNextDialog(target);
        road();
        EXPECT_EQ(readFile(target), "<i>road</i>");
    }
    const std::function<void()> saveRoads[] = {
        [&] { click("PBSave"); },
        [&] { chooseMenu("FileSave"); },
        [&] { pressKey("Ctrl+S"); },
    };
    for (const auto& road : saveRoads) {
        fs::remove(quillet::SaveDocument.utf8());
        road();
        EXPECT_EQ(readFile(quillet::SaveDocument.utf8()), "<i>road</i>");
    }
    const std::function<void()> reopenRoads[] = {
        [&] { click("BBReopen"); },
        [&] { chooseMenu("FileReOpen"); },
        [&] { pressKey("Ctrl+R"); },
    };
    for (const auto& road : reopenRoads) {
        main().Control<fw::EditField>("EFSource").Text("");
        road();
        EXPECT_EQ(text("EFSource"), "<i>road</i>");
    }
    EXPECT_EQ(shownDialogs().size(), 6u);
}

TEST_F(DocumentsTest, DropsLoadTheFirstHtmlFileOnly) {
    auto first = writeFile("first.html", "<p>first</p>");
    auto second = writeFile("second.htm", "<p>second</p>");
    auto plain = writeFile("notes.txt", "plain notes");
    const fs::path folder = tempDir() / "folder";
    fs::create_directories(folder);
    startVarnel();

    dropFiles("EFSource", {plain});
    dropFiles(main(), {folder});
    EXPECT_EQ(text("EFSource"), "Paste here html code from clipboard or load html file by click \"Open...\" button");
    EXPECT_EQ(quillet::CurrentDocument, "");

    dropFiles("EFSource", {first, second});
    EXPECT_EQ(text("EFSource"), "<p>first</p>");
    EXPECT_FALSE(main().flagSourceEdited);
    dropFiles(main(), {second, first});
    EXPECT_EQ(text("EFSource"), "<p>second</p>");
    EXPECT_EQ(quillet::CurrentDocument, pathOf(second));
    EXPECT_EQ(main().OpenRecentItems->Count(), 2);
}

TEST_F(DocumentsTest, ShiftJisPageConvertedToHtmlAndSavedAsUtf8) {
    const std::string page =
        "<html><body><h1>\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\x9A\xE3\x83\xBC\xE3\x82\xB8</h1>"
        "<p>\xE3\x81\x93\xE3\x82\x93\xE3\x81\xAB\xE3\x81\xA1\xE3\x81\xAF \\ \xEF\xBD\xB1</p></body></html>\r\n";
    const std::string sjis = fw::EncodeFromUTF8(page, fw::Encodings::ShiftJIS);
    ASSERT_NE(sjis, page);
    auto file = writeFile("nihongo.html", sjis);
    startVarnel();
    choosePopupRow("EncodingSelectSource", "ShiftJIS");
    choosePopupRow("EncodingSelectDest", "UTF8");
    main().LoadFile(file.string());
    EXPECT_TRUE(shownMessages().empty());
    EXPECT_EQ(text("EFSource"), page.substr(0, page.size() - 2) + "\n");
    convertAs("HTML");
    const fs::path target = tempDir() / "nihongo-utf8.html";
    saveAs(target);
    const std::string saved = readFile(target);
    EXPECT_EQ(saved, fw::ConvertEncoding(main().RawOutput, fw::Encodings::UTF8).bytes());
    EXPECT_NE(saved.find("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"), std::string::npos);
    EXPECT_NE(saved.find("&lt;h1&gt;"), std::string::npos);
    EXPECT_TRUE(shownMessages().empty());
}

TEST_F(DocumentsTest, TitleKeepsTheProgramNameAfterALanguageChange) {
    writeLanguageFile("default.lng", "[MainWindow]\nTitle=Konverter\n");
    auto file = writeFile("t.html", "x");
    startVarnel();
    EXPECT_EQ(main().Title(), "Konverter");
    main().LoadFile(file.string());
    EXPECT_EQ(main().Title(), "Varnel - " + pathOf(file));
}

}  // namespace
