#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

// A fresh directory under the system's temporary folder, made current for the
// test and removed afterwards; the previous current directory is restored.
class TestDirectory {
public:
    TestDirectory() {
        char pattern[] = "/tmp/zefra-foundation-XXXXXX";
        const char* made = mkdtemp(pattern);
        EXPECT_NE(nullptr, made);
        _path = made ? made : "/tmp";
        char previous[4096];
        EXPECT_NE(nullptr, getcwd(previous, sizeof previous));
        _previous = previous;
        EXPECT_EQ(0, chdir(_path.c_str()));
    }
    ~TestDirectory() {
        EXPECT_EQ(0, chdir(_previous.c_str()));
        std::string command = "rm -rf '" + _path + "'";
        EXPECT_EQ(0, std::system(command.c_str()));
    }
    TestDirectory(const TestDirectory&) = delete;
    TestDirectory& operator=(const TestDirectory&) = delete;

    const std::string& path() const { return _path; }

private:
    std::string _path;
    std::string _previous;
};

inline std::string readWhole(const std::string& fileName) {
    std::ifstream stream(fileName, std::ios_base::binary);
    std::ostringstream text;
    text << stream.rdbuf();
    return text.str();
}

inline void writeWhole(const std::string& fileName, const std::string& data) {
    std::ofstream stream(fileName, std::ios_base::binary);
    stream << data;
}

// The message of the Failure that action throws, or "no exception".
template <typename Failure, typename Action>
std::string failureOf(Action action) {
    try {
        action();
    } catch (const Failure& e) {
        return e.getMessage();
    }
    return "no exception";
}
