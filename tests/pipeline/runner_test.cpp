#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TemporaryDirectory.h"
#include "decompiler/engine/EngineRunCancelledException.h"
#include "decompiler/engine/Jad.h"
#include "io/file/CouldNotLoadFileException.h"

namespace {

// Alive and not merely a zombie left for a parent that does not reap.
bool isRunning(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    const std::string::size_type close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

using products::zefra::decompiler::engine::DecompilerEngineException;
using products::zefra::decompiler::engine::Jad;

// The engine writes its output under the base name of its last argument and
// records the arguments it received, each ended by a zero byte.
const char* const WRITING_ENGINE = R"(#!/bin/sh
printf '%s\0' "$@" > jad/arguments
for last; do :; done
name=${last##*/}
printf 'header line 1\r\nheader line 2\r\n\r\nclass A {\r\n\r\n}\r\n' > "jad/tmp/${name%.*}.java"
)";

// A temporary application directory with jad/ and jad/tmp/, made current for
// the test; the previous current directory is restored afterwards.
class RunnerTest : public testing::Test {
protected:
    RunnerTest() : _directory(_temporary.path()), _current(_directory) {
        _temporary.writeFile("jad/tmp/.keep", "");
    }

    std::string readWhole(const std::string& fileName) const { return _temporary.readFile(fileName); }
    void writeWhole(const std::string& fileName, const std::string& data) const {
        _temporary.writeFile(fileName, data);
    }

    void installEngine(const std::string& script, mode_t mode = 0755) {
        writeWhole("jad/jad", script);
        ASSERT_EQ(0, chmod("jad/jad", mode));
    }

    std::string classFile(const std::string& path) {
        writeWhole(path, "\xca\xfe\xba\xbe");
        return path;
    }

    std::vector<std::string> receivedArguments() {
        const std::string recorded = readWhole("jad/arguments");
        std::vector<std::string> arguments;
        std::string::size_type start = 0;
        for (std::string::size_type end; (end = recorded.find('\0', start)) != std::string::npos; start = end + 1) {
            arguments.push_back(recorded.substr(start, end - start));
        }
        return arguments;
    }

    std::string engineFailure(const std::string& path) {
        try {
            Jad().decompile(path);
        } catch (const DecompilerEngineException& e) {
            return e.getMessage();
        }
        return "no exception";
    }

    pipelinetest::TemporaryDirectory _temporary;
    const std::string _directory;
    pipelinetest::CurrentDirectoryScope _current;
};

TEST_F(RunnerTest, RunsTheEngineWithItsOptionsAndCutsTheHeader) {
    installEngine(WRITING_ENGINE);
    const std::string path = classFile("Foo.class");
    EXPECT_EQ("class A {\r\n\r\n}\r\n", Jad().decompile(path));
    EXPECT_EQ((std::vector<std::string>{"-ff", "-b", "-l80", "-o", "-djad/tmp", "-sjava", "Foo.class"}),
              receivedArguments());
    EXPECT_TRUE(readWhole("jad/tmp/Foo.java").size() > 0);  // the output stays where it is
}

TEST_F(RunnerTest, TheModernDialectAddsMAfterTheClassicOptions) {
    installEngine(WRITING_ENGINE);
    const std::string path = classFile("Foo.class");
    products::zefra::decompiler::engine::RunOptions options;
    options.modern = true;
    Jad().decompile(path, options);
    EXPECT_EQ((std::vector<std::string>{"-ff", "-b", "-l80", "-o", "-djad/tmp", "-sjava", "-m", "Foo.class"}),
              receivedArguments());
}

TEST_F(RunnerTest, EveryCharacterOfThePathReachesTheEngineUninterpreted) {
    installEngine(WRITING_ENGINE);
    ASSERT_EQ(0, mkdir("dir with space", 0755));
    const std::string path = classFile("dir with space/it's \"q\" $HOME `id` \xc3\xbc;|*.class");
    EXPECT_EQ("class A {\r\n\r\n}\r\n", Jad().decompile(path));
    ASSERT_EQ(7u, receivedArguments().size());
    EXPECT_EQ(path, receivedArguments()[6]);
}

TEST_F(RunnerTest, OnlyTheLastDotOfTheFileNameEndsTheBaseName) {
    installEngine(WRITING_ENGINE);
    ASSERT_EQ(0, mkdir("x.y", 0755));
    EXPECT_EQ("class A {\r\n\r\n}\r\n", Jad().decompile(classFile("x.y/A.b.class")));
    EXPECT_FALSE(readWhole("jad/tmp/A.b.java").empty());
}

TEST_F(RunnerTest, FileNameWithoutDotNamesTheWholePath) {
    installEngine(WRITING_ENGINE);
    ASSERT_EQ(0, mkdir("x.y", 0755));
    EXPECT_EQ("Error parsing the filename. Could not find the . in the filename. The filename is: x.y/Foo",
              engineFailure(classFile("x.y/Foo")));
}

TEST_F(RunnerTest, MissingClassFileIsReportedAsAnEngineFailure) {
    installEngine(WRITING_ENGINE);
    EXPECT_EQ("Error converting the filename, Gone.class, to a long path. Input path invalid.",
              engineFailure("Gone.class"));
    EXPECT_TRUE(readWhole("jad/arguments").empty());  // the engine never ran
}

TEST_F(RunnerTest, MissingEngineNamesTheCurrentDirectory) {
    EXPECT_EQ("Could not find the Jad decompiler. Tried to load the file, ./jad/jad. The current working "
              "directory is: " + _directory + "/.",
              engineFailure(classFile("Foo.class")));
}

TEST_F(RunnerTest, MissingEngineInARemovedDirectorySaysTheDirectoryIsUnknown) {
    const std::string path = classFile(_directory + "/Foo.class");
    char removed[] = "/tmp/zefra-removed-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(removed));
    ASSERT_EQ(0, chdir(removed));
    ASSERT_EQ(0, rmdir(removed));
    const std::string message = engineFailure(path);
    ASSERT_EQ(0, chdir(_directory.c_str()));
    EXPECT_EQ(0u, message.find("Could not find the Jad decompiler. Tried to load the file, ./jad/jad. The current "
                               "working directory is: Could not get the current working directory. "
                               "Exception:Couldn't get the current directory.\n System error message: "))
        << message;
    EXPECT_EQ('.', message.back());
}

TEST_F(RunnerTest, EngineThatCannotBeStartedShowsTheCommandLine) {
    installEngine(WRITING_ENGINE, 0644);
    const std::string message = engineFailure(classFile("My Foo.class"));
    EXPECT_EQ(std::string("Could not create a child process. Used command line: ./jad/jad -ff -b -l80 -o "
                          "-djad/tmp -sjava \"My Foo.class\". System error message: ") +
                  std::strerror(EACCES) + "\n",
              message);
}

TEST_F(RunnerTest, NonZeroExitAndDeathBySignalFail) {
    const std::string failed = "The decompiler engine failed. The decompiler returned a non zero exit code.";
    const std::string path = classFile("Foo.class");
    installEngine(std::string(WRITING_ENGINE) + "exit 3\n");
    EXPECT_EQ(failed, engineFailure(path));
    installEngine("#!/bin/sh\nkill -9 $$\n");
    EXPECT_EQ(failed, engineFailure(path));
}

TEST_F(RunnerTest, MissingOutputReachesTheCallerAsTheLoaderError) {
    installEngine("#!/bin/sh\nexit 0\n");
    try {
        Jad().decompile(classFile("Foo.class"));
        FAIL() << "no exception";
    } catch (const io::file::CouldNotLoadFileException& e) {
        EXPECT_EQ(0u, e.getMessage().find("An error occured when trying to open the file for reading.\n"
                                          "Filename: './jad/tmp/Foo.java'\n"))
            << e.getMessage();
    }
}

// An older text of the same name, perhaps of another class, is never shown
// in place of what the engine failed to write.
TEST_F(RunnerTest, EarlierOutputIsRemovedBeforeTheEngineRuns) {
    installEngine("#!/bin/sh\nexit 0\n");
    writeWhole("jad/tmp/Foo.java", "// old\r\n\r\nclass Old {}\r\n");
    EXPECT_THROW(Jad().decompile(classFile("Foo.class")), io::file::CouldNotLoadFileException);
    EXPECT_NE(0, access("jad/tmp/Foo.java", F_OK));
}

TEST_F(RunnerTest, EarlierOutputThatCannotBeRemovedStopsTheRun) {
    installEngine(WRITING_ENGINE);
    ASSERT_EQ(0, mkdir("jad/tmp/Foo.java", 0755));
    writeWhole("jad/tmp/Foo.java/keep", "x");
    const std::string message = engineFailure(classFile("Foo.class"));
    EXPECT_EQ(0u, message.find("Could not remove the earlier output of the decompiler engine, ./jad/tmp/Foo.java. "))
        << message;
    EXPECT_TRUE(readWhole("jad/arguments").empty());
}

TEST_F(RunnerTest, FailureMessageCarriesWhatTheEngineWroteOnStandardError) {
    const std::string failed = "The decompiler engine failed. The decompiler returned a non zero exit code.";
    const std::string path = classFile("Foo.class");
    installEngine("#!/bin/sh\necho 'jad: Foo.class: bad magic' >&2\necho ' second line ' >&2\nexit 1\n");
    EXPECT_EQ(failed + " The engine reported: jad: Foo.class: bad magic  second line", engineFailure(path));
    // Much more than a pipe holds: the engine is never blocked on its errors.
    installEngine("#!/bin/sh\nhead -c 1000000 /dev/zero | tr '\\0' x >&2\nexit 2\n");
    const std::string message = engineFailure(path);
    EXPECT_EQ(0u, message.find(failed + " The engine reported: xxx"));
    EXPECT_GE(message.size(), failed.size() + 16 * 1024);
    EXPECT_LE(message.size(), failed.size() + 17 * 1024);
}

TEST_F(RunnerTest, EngineOverItsTimeLimitIsEndedWithEverythingItStarted) {
    installEngine("#!/bin/sh\necho started >&2\nsleep 30 &\necho $! > jad/child\nwait\n");
    products::zefra::decompiler::engine::RunOptions options;
    options.timeoutSeconds = 1;
    const auto start = std::chrono::steady_clock::now();
    std::string message;
    try {
        Jad().decompile(classFile("Foo.class"), options);
    } catch (const DecompilerEngineException& e) {
        message = e.getMessage();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ("The decompiler engine did not finish within 1 seconds and was ended. The engine reported: started",
              message);
    const std::string child = readWhole("jad/child");
    ASSERT_FALSE(child.empty());
    usleep(100000);
    EXPECT_FALSE(isRunning(std::stoi(child)));  // the engine's own child is gone too
}

TEST_F(RunnerTest, CancelEndsTheEngineAtOnce) {
    installEngine("#!/bin/sh\nsleep 10\n");
    products::zefra::decompiler::engine::RunCancel cancel;
    products::zefra::decompiler::engine::RunOptions options;
    options.cancel = &cancel;
    std::thread canceller([&cancel] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        cancel.cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(Jad().decompile(classFile("Foo.class"), options),
                 products::zefra::decompiler::engine::EngineRunCancelledException);
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST_F(RunnerTest, OutputWithoutBlankLineIsReturnedWholeAndTheCheckRecorded) {
    installEngine("#!/bin/sh\nprintf 'class B {}\\n\\n' > jad/tmp/Foo.java\n");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const std::string text = Jad().decompile(classFile("Foo.class"));
    const std::string log = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ("class B {}\n\n", text);
    EXPECT_NE(std::string::npos, log.find("Message: endOfComments != string::npos\nFile: decompiler/engine/Jad\n"));
}

TEST_F(RunnerTest, EngineReadsNothingFromTheViewersInput) {
    installEngine("#!/bin/sh\nif read line; then exit 1; fi\nprintf 'h\\r\\n\\r\\nok' > jad/tmp/Foo.java\n");
    EXPECT_EQ("ok", Jad().decompile(classFile("Foo.class")));
}

}
