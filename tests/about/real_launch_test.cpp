// System Info on this system: the real launcher starts a program by its path
// with no shell in between, and the real registry names the first installed
// system-information tool on the search path.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "runtime/platform/real_platform.h"
#include "tests/about/support.h"

namespace about::testing {
namespace {

// The test platform with the real registry, file test and launcher.
rt::Platform WithRealSystem(rt::testing::Fakes& fakes) {
    rt::Platform platform = rt::testing::MakeTestPlatform(fakes);
    rt::Platform real = rt::RealPlatform();
    platform.registry = std::move(real.registry);
    platform.files = std::move(real.files);
    platform.launcher = std::move(real.launcher);
    fakes.registry = nullptr;
    fakes.files = nullptr;
    fakes.launcher = nullptr;
    return platform;
}

// A program that leaves a marker file when it runs.
QString WriteTool(const QString& path, const QString& marker, bool executable = true) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("#!/bin/sh\n: > '" + marker + "'\n").toUtf8());  // needs no PATH
    file.close();
    if (executable) file.setPermissions(file.permissions() | QFile::ExeOwner);
    return path;
}

bool AppearsWithinSeconds(const QString& path, int seconds) {
    const QDeadlineTimer deadline(seconds * 1000);
    while (!QFile::exists(path) && !deadline.hasExpired()) QThread::msleep(10);
    return QFile::exists(path);
}

// Sets an environment variable for one test.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() { qputenv(name_, old_); }

  private:
    const char* name_;
    QByteArray old_;
};

class RealSystemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        rt::Start(opener);
        about.Show();
    }
    void TearDown() override { rt::testing::FlushDeletes(); }

    const std::vector<rt::testing::Message>& messages() { return fakes.dialogs->shown; }

    QTemporaryDir temp;
    rt::testing::Fakes fakes;
    rt::App app{kNebulor.title, WithRealSystem(fakes)};
    Opener opener;
    rt::DateTime startTime = kMorning;
    NebulorAbout about{kNebulor, startTime};
};

TEST_F(RealSystemTest, TheFirstListedToolOnTheSearchPathStartsWithoutAShell) {
    // A folder name that a shell would split and run a command from.
    const QString folder = temp.path() + "/system tools $(touch injected) 'x'";
    ASSERT_TRUE(QDir().mkpath(folder));
    WriteTool(folder + "/kinfocenter", temp.path() + "/later tool ran");
    WriteTool(folder + "/hardinfo", temp.path() + "/tool ran");
    const ScopedEnv path("PATH", QFile::encodeName(folder));
    const QString here = QDir::currentPath();
    QDir::setCurrent(temp.path());  // where a shell would have touched "injected"

    Click(about.cmdSysInfo);
    const bool ran = AppearsWithinSeconds(temp.path() + "/tool ran", 5);
    QDir::setCurrent(here);
    EXPECT_TRUE(ran);
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(QFile::exists(temp.path() + "/later tool ran"));
    EXPECT_FALSE(QFile::exists(temp.path() + "/injected"));
}

TEST_F(RealSystemTest, NoToolOnTheSearchPathGivesTheMessage) {
    WriteTool(temp.path() + "/hardinfo2", temp.path() + "/ran", /*executable=*/false);
    const ScopedEnv path("PATH", QFile::encodeName(temp.path()));
    Click(about.cmdSysInfo);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].prompt, kNebulorUnavailable);
    EXPECT_TRUE(about.Visible());
}

// A relative folder in PATH ("." or "bin") would start whatever program
// lies in the current directory: only absolute folders are searched.
TEST_F(RealSystemTest, RelativeFoldersOnTheSearchPathAreNeverSearched) {
    const QString here = temp.path() + "/here";
    for (const QString& folder : {here, here + "/bin", temp.path() + "/x"}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        WriteTool(folder + "/hardinfo", temp.path() + "/ran");
    }
    const QString absolute = temp.path() + "/empty";
    ASSERT_TRUE(QDir().mkpath(absolute));
    const ScopedEnv path("PATH", QFile::encodeName(".:bin::./bin:../x:" + absolute + ":"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(here);
    Click(about.cmdSysInfo);
    QThread::msleep(300);  // a started program would have left its marker by now
    QDir::setCurrent(before);
    EXPECT_FALSE(QFile::exists(temp.path() + "/ran"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].prompt, kNebulorUnavailable);
}

TEST(RealLauncherTest, AMissingOrNotExecutableProgramFailsToStart) {
    QTemporaryDir temp;
    const QString plain = WriteTool(temp.path() + "/plain file", temp.path() + "/ran", false);
    rt::Platform real = rt::RealPlatform();
    EXPECT_FALSE(real.launcher->Launch(QFile::encodeName(plain).toStdString()));
    EXPECT_FALSE(real.launcher->Launch(QFile::encodeName(temp.path() + "/missing").toStdString()));
    EXPECT_FALSE(real.launcher->Launch(""));
    EXPECT_FALSE(QFile::exists(temp.path() + "/ran"));
}

}  // namespace
}  // namespace about::testing
