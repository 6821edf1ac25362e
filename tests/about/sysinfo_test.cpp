// Where System Info finds the tool, with a scripted registry, file system and
// launcher: the order of the lookups, the reading of values, and that every
// failure ends in the program's message with the box still open.

#include "tests/about/support.h"

namespace about::testing {
namespace {

using Value = rt::testing::ScriptedRegistry::Value;
constexpr auto Text = &rt::testing::ScriptedRegistry::Text;
using Strings = std::vector<std::string>;

const std::string kTool = "/usr/bin/hardinfo2";
const std::string kFolder = "/opt/system info";
const std::string kFolderTool = kFolder + "/MSINFO32.EXE";

class SysInfoTest : public NebulorAboutTest {
  protected:
    void TearDown() override {
        EXPECT_TRUE(fakes.registry->open.empty()) << "a registry key was left open";
        NebulorAboutTest::TearDown();
    }

    void registerPath(Value value) { fakes.registry->set(kInfoKey, kInfoValue, std::move(value)); }
    void registerFolder(Value value) {
        fakes.registry->set(kLocationKey, kLocationValue, std::move(value));
    }
    void installFolderTool() {
        registerFolder(Text(kFolder));
        fakes.files->existing.insert(kFolderTool);
        fakes.launcher->launchable.insert(kFolderTool);
    }
    // The message, once, and the box still open and usable.
    void expectUnavailable() {
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0].prompt, kNebulorUnavailable);
        EXPECT_EQ(messages()[0].style, rt::vbOKOnly);
        EXPECT_EQ(messages()[0].title, "Nebulor");
        EXPECT_TRUE(about.Visible());
        EXPECT_FALSE(app.ended());
    }
    std::string read(Value value) {
        registerPath(std::move(value));
        std::string text = "before";
        EXPECT_TRUE(About::GetKeyValue(rt::Registry::kLocalMachine, kInfoKey, kInfoValue, text));
        return text;
    }
    bool reads(Value value) {
        registerPath(std::move(value));
        std::string text = "before";
        const bool read =
            About::GetKeyValue(rt::Registry::kLocalMachine, kInfoKey, kInfoValue, text);
        EXPECT_TRUE(read || text.empty()) << "a failed read leaves " << text;
        return read;
    }
};

TEST_F(SysInfoTest, ARegisteredPathIsLaunchedAsItIsAndTheFolderIsNotRead) {
    registerPath(Text(kTool));
    fakes.launcher->launchable.insert(kTool);
    installFolderTool();
    sysInfo();
    EXPECT_EQ(fakes.launcher->launched, Strings{kTool});
    EXPECT_EQ(fakes.registry->opened, Strings{kInfoKey});
    EXPECT_EQ(fakes.registry->lastBufferSize, 1024u);
    EXPECT_TRUE(fakes.files->probed.empty());  // used untested
    EXPECT_TRUE(messages().empty());
}

TEST_F(SysInfoTest, ARegisteredPathToNothingFailsAtTheLaunchAndTheFolderIsNotTried) {
    registerPath(Text(kTool));
    installFolderTool();
    sysInfo();
    expectUnavailable();
    EXPECT_EQ(fakes.launcher->launched, Strings{kTool});
    EXPECT_EQ(fakes.registry->opened, Strings{kInfoKey});
}

TEST_F(SysInfoTest, WithoutAPathTheToolIsTheFileInTheRegisteredFolder) {
    installFolderTool();
    sysInfo();
    EXPECT_EQ(fakes.registry->opened, (Strings{kInfoKey, kLocationKey}));
    EXPECT_EQ(fakes.files->probed, Strings{kFolderTool});
    EXPECT_EQ(fakes.launcher->launched, Strings{kFolderTool});
    EXPECT_TRUE(messages().empty());

    fakes.registry->addKey(kInfoKey);  // the key without its value
    fakes.files->existing.clear();
    Click(about.cmdSysInfo);
    expectUnavailable();
    EXPECT_EQ(fakes.files->probed, (Strings{kFolderTool, kFolderTool}));
    EXPECT_EQ(fakes.launcher->launched, Strings{kFolderTool});  // not launched again
}

TEST_F(SysInfoTest, NeitherKeyGivesTheMessageAndOkStillCloses) {
    sysInfo();
    expectUnavailable();
    EXPECT_EQ(fakes.registry->opened, (Strings{kInfoKey, kLocationKey}));
    EXPECT_TRUE(fakes.files->probed.empty());
    EXPECT_TRUE(fakes.launcher->launched.empty());
    Click(about.cmdOK);
    EXPECT_FALSE(about.Loaded());
}

TEST_F(SysInfoTest, ValuesOfUpTo1024BytesAreReadAndLongerOnesAreMissing) {
    EXPECT_EQ(read(Text(std::string(1023, 'a'))), std::string(1023, 'a'));
    EXPECT_EQ(read(Value{rt::Registry::kString, std::string(1024, 'b')}), std::string(1024, 'b'));
    EXPECT_FALSE(reads(Text(std::string(1024, 'c'))));  // 1025 bytes with its NUL

    installFolderTool();
    sysInfo();  // as if no path were registered
    EXPECT_EQ(fakes.launcher->launched, Strings{kFolderTool});
}

TEST_F(SysInfoTest, AValueOfNoBytesIsAnErrorThatEndsInTheMessageWithTheKeyClosed) {
    registerPath(Value{rt::Registry::kString, ""});
    std::string text;
    EXPECT_THROW(About::GetKeyValue(rt::Registry::kLocalMachine, kInfoKey, kInfoValue, text),
                 rt::RuntimeError);
    EXPECT_TRUE(fakes.registry->open.empty());

    installFolderTool();
    sysInfo();
    expectUnavailable();
    EXPECT_EQ(fakes.registry->opened, (Strings{kInfoKey, kInfoKey}));  // the folder is not tried
    EXPECT_TRUE(fakes.launcher->launched.empty());
}

TEST_F(SysInfoTest, ANumberReadsAsItsDecimalValue) {
    using namespace std::string_literals;
    EXPECT_EQ(read(Value{rt::Registry::kNumber, "\x2A\0\0\0"s}), "42");
    EXPECT_EQ(read(Value{rt::Registry::kNumber, "\x78\x56\x34\x12"s}), "305419896");
    EXPECT_EQ(read(Value{rt::Registry::kNumber, "\xFF\xFF\xFF\xFF"s}), "4294967295");

    sysInfo();  // a number is no program: the launch fails
    expectUnavailable();
    EXPECT_EQ(fakes.launcher->launched, Strings{"4294967295"});
}

TEST_F(SysInfoTest, AValueOfAnotherTypeIsMissingSoTheFolderIsTried) {
    EXPECT_FALSE(reads(Value{rt::Registry::kExpandString, kTool + '\0'}));
    installFolderTool();
    sysInfo();
    EXPECT_EQ(fakes.launcher->launched, Strings{kFolderTool});
    EXPECT_TRUE(messages().empty());

    registerFolder(Value{rt::Registry::kExpandString, kFolder + '\0'});
    Click(about.cmdSysInfo);
    expectUnavailable();
    EXPECT_EQ(fakes.files->probed, Strings{kFolderTool});  // no probe of "/MSINFO32.EXE"
}

TEST_F(SysInfoTest, AnEmptyPathOrFolderIsNeverProbedNorLaunched) {
    registerPath(Text(""));
    sysInfo();
    expectUnavailable();
    EXPECT_TRUE(fakes.launcher->launched.empty());
    EXPECT_EQ(fakes.registry->opened, Strings{kInfoKey});

    registerPath(Value{rt::Registry::kExpandString, kTool + '\0'});
    registerFolder(Text(""));
    Click(about.cmdSysInfo);
    EXPECT_EQ(messages().size(), 2u);
    EXPECT_TRUE(fakes.files->probed.empty());
    EXPECT_TRUE(fakes.launcher->launched.empty());
}

}  // namespace
}  // namespace about::testing
