// Real class files, cut short and corrupted at every position: each must
// give a clean ClassFormatError or a printed class, never anything else.
#include <gtest/gtest.h>

#include <exception>
#include <map>

#include "JavaTestSupport.h"
#include "classfile/ClassReader.h"
#include "decl/members/ClassTree.h"
#include "decl/unit/CompilationUnit.h"

namespace jad {
namespace {

// Siblings served from memory, so member classes are mutated alongside.
class MemorySiblings : public SiblingFiles {
public:
    std::map<std::string, std::vector<uint8_t>> files;  // by internal name
    std::optional<std::vector<uint8_t>> read(const std::string& internalName) const override {
        auto found = files.find(internalName);
        if (found == files.end()) return std::nullopt;
        return found->second;
    }
    bool hasClass(const std::string&) const override { return false; }
};

enum class Outcome { Printed, Rejected, Failed };

Outcome process(const std::vector<uint8_t>& bytes, const MemorySiblings& siblings, std::string& what) {
    try {
        ClassFile file = readClassFile(bytes.data(), bytes.size());
        ClassNode tree = buildClassTree(std::move(file), siblings);
        PrintOptions options;
        options.splitLiteralsAt = 80;
        printCompilationUnit(tree, siblings, options);
        return Outcome::Printed;
    } catch (const ClassFormatError& error) {
        what = error.reason;
        return error.reason.empty() ? Outcome::Failed : Outcome::Rejected;
    } catch (const std::exception& error) {
        what = error.what();
    } catch (...) {
        what = "unknown exception";
    }
    return Outcome::Failed;
}

// A class using much of the format: constants, generics, annotations,
// switches, handlers, lambdas, a member class.
const char* const Source = R"(
    import java.util.*;
    import java.util.function.*;
    public class Victim<T extends Comparable<T>> {
        @Deprecated public static final String NAME = "victim\u00e9";
        static final long BIG = 1L << 40; static final double D = 2.5;
        private final List<T> items = new ArrayList<>();
        enum Mode { A, B }
        class Inner { int depth(int x) { return x + items.size(); } }
        public synchronized int work(int n, String s) throws Exception {
            int total = 0;
            for (int i = 0; i < n; i++) {
                switch (i % 4) { case 0: total += i; break; case 1: total -= 1; break; case 100: total = 0; break; default: total ^= i; }
            }
            try { total += Integer.parseInt(s); } catch (NumberFormatException | NullPointerException e) { total = -1; } finally { total++; }
            Function<Integer, Integer> twice = v -> v * 2;
            switch (s) { case "a": return twice.apply(total); case "b": return 0; default: return total; }
        }
    })";

class Mutations : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new test::TempDir();
        auto result = test::compileJava(dir->path(), {{"Victim.java", Source}}, "-g -parameters");
        ASSERT_EQ(result.status, 0) << result.err;
        victim = new std::vector<uint8_t>(test::readBytes(dir->path() / "classes" / "Victim.class"));
        siblings = new MemorySiblings();
        siblings->files["Victim$Inner"] = test::readBytes(dir->path() / "classes" / "Victim$Inner.class");
        siblings->files["Victim$Mode"] = test::readBytes(dir->path() / "classes" / "Victim$Mode.class");
    }
    static void TearDownTestSuite() {
        delete victim;
        delete siblings;
        delete dir;
    }

    // Runs every mutant; reports the first few that ended other than cleanly.
    template <typename Mutate>
    void expectClean(size_t count, Mutate mutate) {
        ASSERT_TRUE(victim && !victim->empty());
        int failures = 0;
        for (size_t i = 0; i < count && failures < 5; ++i) {
            std::vector<uint8_t> bytes = *victim;
            mutate(bytes, i);
            std::string what;
            if (process(bytes, *siblings, what) == Outcome::Failed) {
                ADD_FAILURE() << "mutant " << i << ": " << what;
                ++failures;
            }
        }
    }

    static test::TempDir* dir;
    static std::vector<uint8_t>* victim;
    static MemorySiblings* siblings;
};

test::TempDir* Mutations::dir = nullptr;
std::vector<uint8_t>* Mutations::victim = nullptr;
MemorySiblings* Mutations::siblings = nullptr;

TEST_F(Mutations, TheUnmutatedClassPrints) {
    std::string what;
    EXPECT_EQ(process(*victim, *siblings, what), Outcome::Printed) << what;
}

TEST_F(Mutations, TruncationAtEveryLengthIsRejected) {
    int accepted = 0;
    for (size_t length = 0; length < victim->size(); ++length) {
        std::vector<uint8_t> bytes(victim->begin(), victim->begin() + static_cast<long>(length));
        std::string what;
        Outcome outcome = process(bytes, *siblings, what);
        ASSERT_NE(outcome, Outcome::Failed) << "length " << length << ": " << what;
        accepted += outcome == Outcome::Printed;
    }
    EXPECT_EQ(accepted, 0);
}

TEST_F(Mutations, FlippedBytesGiveAnErrorOrAClass) {
    for (uint8_t mask : {0x01, 0x10, 0x80, 0xFF}) {
        expectClean(victim->size(), [mask](std::vector<uint8_t>& bytes, size_t i) { bytes[i] ^= mask; });
    }
}

TEST_F(Mutations, HugeCountsAndLengthsAreRefused) {
    expectClean(victim->size() - 1, [](std::vector<uint8_t>& bytes, size_t i) { bytes[i] = bytes[i + 1] = 0xFF; });
    expectClean(victim->size() - 3, [](std::vector<uint8_t>& bytes, size_t i) {
        bytes[i] = 0x7F;
        bytes[i + 1] = bytes[i + 2] = bytes[i + 3] = 0xFF;
    });
    // Mutated member classes go through the same checks.
    std::vector<uint8_t> inner = siblings->files["Victim$Inner"];
    for (size_t i = 0; i + 1 < inner.size(); ++i) {
        siblings->files["Victim$Inner"] = inner;
        siblings->files["Victim$Inner"][i] = siblings->files["Victim$Inner"][i + 1] = 0xFF;
        std::string what;
        ASSERT_NE(process(*victim, *siblings, what), Outcome::Failed) << "inner mutant " << i << ": " << what;
    }
    siblings->files["Victim$Inner"] = inner;
}

}  // namespace
}  // namespace jad
