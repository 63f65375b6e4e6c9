#include "history/RadioHistory.h"

#include "image/DatFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

MemoryImage patternImage(uint8_t seed) {
    MemoryImage img;
    for (size_t i = 0; i < image::kSize; ++i) {
        img.setByte(i, static_cast<uint8_t>(i * 11 + seed));
    }
    return img;
}

// Sets an environment variable for the test's lifetime and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (m_old) {
            ::setenv(m_name, m_old->c_str(), 1);
        } else {
            ::unsetenv(m_name);
        }
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class RadioHistoryTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("history-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code error;
        fs::remove_all(m_dir, error);
    }
    std::string folder() const { return (m_dir / "history").string(); }
    void writeIndex(const std::string& text) const {
        std::ofstream(m_dir / "history" / "index.txt", std::ios::binary) << text;
    }
    size_t imageFiles() const {
        size_t count = 0;
        for (const auto& e : fs::directory_iterator(folder())) {
            count += e.path().extension() == ".dat" ? 1 : 0;
        }
        return count;
    }

    fs::path m_dir;
};

// All stamps in the same millisecond: ids must still differ.
std::chrono::system_clock::time_point fixedTime() {
    return std::chrono::system_clock::time_point(std::chrono::milliseconds(1796000000123));
}

TEST_F(RadioHistoryTest, KeepsEveryImageWithItsDescriptionNewestFirst) {
    RadioHistory history(folder());
    MemoryImage first = patternImage(1);
    first.setRadioType(2);
    first.setBand(1);
    for (int channel = 1; channel <= image::kChannelCount; ++channel) {
        first.setRxFrequency(channel, channel <= 3 ? 14550000 : 0);
        first.setTxFrequency(channel, channel <= 3 ? 14550000 : 0);
    }
    const MemoryImage second = patternImage(2);
    ASSERT_TRUE(history.add(HistoryKind::BeforeWrite, first, "/dev/ttyUSB0"));
    HistoryEntry added;
    ASSERT_TRUE(history.add(HistoryKind::Written, second, "/dev/pts/3", &added));

    const std::vector<HistoryEntry> list = history.entries();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].id, added.id);
    EXPECT_EQ(list[0].kind, HistoryKind::Written);
    EXPECT_EQ(list[1].kind, HistoryKind::BeforeWrite);
    EXPECT_EQ(list[1].port, "/dev/ttyUSB0");
    EXPECT_EQ(list[1].radioType, 2);
    EXPECT_EQ(list[1].band, 1);
    EXPECT_EQ(list[1].channelsInUse, 3);
    EXPECT_EQ(list[1].fileName, list[1].id + ".dat");
    EXPECT_NE(list[1].id.find("-before-write"), std::string::npos) << list[1].id;
    ASSERT_EQ(list[1].time.size(), std::string("2026-12-07 14:30:01.123").size()) << list[1].time;

    MemoryImage loaded;
    ASSERT_TRUE(history.load(list[1].id, loaded));
    EXPECT_EQ(loaded, first) << "all 1024 bytes";
    ASSERT_TRUE(history.load(list[0].id, loaded));
    EXPECT_EQ(loaded, second);
}

TEST_F(RadioHistoryTest, EntriesInTheSameMillisecondGetDistinctIdsInTheirOrder) {
    RadioHistory history(folder());
    history.setClock(fixedTime);
    std::vector<std::string> ids;
    for (uint8_t seed = 0; seed < 4; ++seed) {
        HistoryEntry added;
        ASSERT_TRUE(history.add(HistoryKind::Read, patternImage(seed), "p", &added));
        ids.push_back(added.id);
    }
    EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()).size(), ids.size());
    const std::vector<HistoryEntry> list = history.entries();
    ASSERT_EQ(list.size(), 4u);
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i].id, ids[ids.size() - 1 - i]);
        MemoryImage loaded;
        ASSERT_TRUE(history.load(list[i].id, loaded));
        EXPECT_EQ(loaded, patternImage(static_cast<uint8_t>(ids.size() - 1 - i))) << list[i].id;
    }
    // A second object on the same folder (another program) continues without a clash.
    RadioHistory other(folder());
    other.setClock(fixedTime);
    HistoryEntry added;
    ASSERT_TRUE(other.add(HistoryKind::Read, patternImage(9), "p", &added));
    EXPECT_EQ(std::count(ids.begin(), ids.end(), added.id), 0);
    EXPECT_EQ(history.entries().size(), 5u);
}

TEST_F(RadioHistoryTest, OldestEntriesAndTheirFilesArePrunedPastTheLimit) {
    RadioHistory history(folder(), 3);
    std::vector<std::string> ids;
    for (uint8_t seed = 0; seed < 5; ++seed) {
        HistoryEntry added;
        ASSERT_TRUE(history.add(HistoryKind::Read, patternImage(seed), "p", &added));
        ids.push_back(added.id);
    }
    const std::vector<HistoryEntry> list = history.entries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].id, ids[4]);
    EXPECT_EQ(list[2].id, ids[2]);
    EXPECT_EQ(imageFiles(), 3u) << "the pruned entries' files are gone too";
    MemoryImage loaded;
    EXPECT_EQ(history.load(ids[0], loaded).error, HistoryError::NotFound);
}

TEST_F(RadioHistoryTest, ADamagedOrForeignIndexKeepsOnlyTheEntriesItCanUse) {
    RadioHistory history(folder());
    HistoryEntry good;
    ASSERT_TRUE(history.add(HistoryKind::Read, patternImage(1), "/dev/ttyUSB0", &good));
    HistoryEntry gone;
    ASSERT_TRUE(history.add(HistoryKind::Written, patternImage(2), "/dev/ttyUSB0", &gone));
    fs::remove(fs::path(folder()) / gone.fileName);
    ASSERT_TRUE(saveDatFile((fs::path(folder()) / "x.dat").string(), patternImage(3)));
    std::ofstream(m_dir / "secret.dat", std::ios::binary) << std::string(1024, 'S');
    fs::create_symlink("../secret.dat", fs::path(folder()) / "link.dat");
    std::ofstream(fs::path(folder()) / "x\x01.dat", std::ios::binary) << std::string(1024, 'C');

    const std::string goodLine =
        good.id + "\t" + good.time + "\tread\t/dev/ttyUSB0\t0\t0\t0\t" + good.fileName;
    writeIndex("not an index at all\n"
               "\n" +
               goodLine + "\r\n" + // written on another system
               goodLine + "\n" +   // the same id again
               gone.id + "\t" + gone.time + "\twritten\tp\t0\t0\t0\t" + gone.fileName + "\n" +
               "a\tt\tstolen\tp\t0\t0\t0\tx.dat\n" +                   // unknown kind
               "b\tt\tread\tp\t256\t0\t0\tx.dat\n" +                   // type out of range
               "c\tt\tread\tp\t0\t0\t17\tx.dat\n" +                    // more channels than the radio has
               "d\tt\tread\tp\t0\t0\t0\t../secret.dat\n" +             // outside the folder
               "e\tt\tread\tp\t0\t0\t0\tx.dat\textra\n" +              // a field too many
               "f\tt\tread\tp\t0\t0\tx.dat\n" +                        // a field too few
               "h\tt\tread\tp\t0\t0\t0\tindex.txt" + '\0' + ".dat\n" + // cut by the NUL
               "i\tt\tread\tp\t0\t0\t0\tx\x01.dat\n" +                 // a control byte in the name
               "j\tt\tread\tp\t0\t0\t0\tlink.dat\n" +                  // a link out of the folder
               // escapes and bytes that are no UTF-8 reach no listing
               "k\x1b]0;t\x07\tt\x1b[2J\tread\tp\xff\xc2\x9b\t0\t0\t0\tx.dat\n" +
               "g\tt\tread\tp\t0\t0\t0\tx.dat"); // no line break at the end

    std::vector<HistoryEntry> list = history.entries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].id, "g");
    EXPECT_EQ(list[1].id, "k?]0;t?");
    EXPECT_EQ(list[1].time, "t?[2J");
    EXPECT_EQ(list[1].port, "p\xEF\xBF\xBD?");
    EXPECT_EQ(list[2].id, good.id);
    MemoryImage loaded;
    for (const char* id : {"d", "h", "i", "j"}) {
        EXPECT_EQ(history.load(id, loaded).error, HistoryError::NotFound) << id;
    }
    EXPECT_EQ(history.load(gone.id, loaded).error, HistoryError::NotFound);

    // The next add rewrites the index with what could be read, plus the new entry.
    ASSERT_TRUE(history.add(HistoryKind::Read, patternImage(4), "p"));
    list = history.entries();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[1].id, "g");

    // Pruning down to one entry deletes no file a rejected line named.
    RadioHistory(folder(), 1).add(HistoryKind::Read, patternImage(5), "p");
    EXPECT_TRUE(fs::exists(fs::path(folder()) / "index.txt"));
    EXPECT_TRUE(fs::exists(m_dir / "secret.dat"));
    EXPECT_EQ(history.entries().size(), 1u);
}

TEST_F(RadioHistoryTest, PruningKeepsAFileThatAKeptEntryAlsoNames) {
    fs::create_directories(folder());
    ASSERT_TRUE(saveDatFile((fs::path(folder()) / "shared.dat").string(), patternImage(1)));
    writeIndex("old\tt\tread\tp\t0\t0\t0\tshared.dat\n"
               "new\tt\tread\tp\t0\t0\t0\tshared.dat\n");
    RadioHistory history(folder(), 2);
    ASSERT_TRUE(history.add(HistoryKind::Read, patternImage(2), "p"));
    const std::vector<HistoryEntry> list = history.entries();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[1].id, "new");
    MemoryImage loaded;
    EXPECT_TRUE(history.load("new", loaded));
}

// Several programs add at once, all in one millisecond: each entry is listed with its own image.
TEST_F(RadioHistoryTest, ConcurrentAddsFromSeveralProcessesAllSurvive) {
    constexpr int kWorkers = 4;
    constexpr int kAdds = 8;
    fs::create_directories(folder());
    std::vector<pid_t> children;
    for (int worker = 0; worker < kWorkers; ++worker) {
        if (const pid_t pid = ::fork(); pid != 0) {
            children.push_back(pid);
            continue;
        }
        RadioHistory history(folder());
        history.setClock(fixedTime);
        int failed = 0;
        for (int i = worker * kAdds; i < (worker + 1) * kAdds; ++i) {
            failed += history.add(HistoryKind::Read, patternImage(uint8_t(i)), std::to_string(i)) ? 0 : 1;
        }
        ::_exit(failed);
    }
    for (const pid_t pid : children) {
        int status = -1;
        EXPECT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_EQ(status, 0);
    }
    RadioHistory history(folder());
    const std::vector<HistoryEntry> list = history.entries();
    ASSERT_EQ(list.size(), size_t{kWorkers * kAdds});
    EXPECT_EQ(imageFiles(), list.size());
    for (const HistoryEntry& e : list) {
        MemoryImage loaded;
        EXPECT_TRUE(history.load(e.id, loaded) && loaded == patternImage(uint8_t(std::stoi(e.port)))) << e.id;
    }
}

TEST_F(RadioHistoryTest, ATruncatedImageFileIsADataFormatError) {
    RadioHistory history(folder());
    HistoryEntry added;
    ASSERT_TRUE(history.add(HistoryKind::Read, patternImage(1), "p", &added));
    fs::resize_file(fs::path(folder()) / added.fileName, 1023);
    MemoryImage loaded = patternImage(7);
    EXPECT_EQ(history.load(added.id, loaded).error, HistoryError::DataFormat);
    EXPECT_EQ(loaded, patternImage(7)) << "unchanged on failure";
}

TEST_F(RadioHistoryTest, APortNameCannotBreakTheIndex) {
    RadioHistory history(folder());
    ASSERT_TRUE(history.add(HistoryKind::Read, patternImage(1), "COM1\tsecond\nthird"));
    const std::vector<HistoryEntry> list = history.entries();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].port, "COM1?second?third");
}

TEST_F(RadioHistoryTest, AFolderThatCannotBeMadeFailsTheAddAndNothingElse) {
    std::ofstream(m_dir / "file") << "in the way";
    RadioHistory blocked((m_dir / "file" / "history").string());
    EXPECT_EQ(blocked.add(HistoryKind::Read, patternImage(1), "p").error, HistoryError::CreateFolder);
    EXPECT_TRUE(blocked.entries().empty());
    EXPECT_EQ(RadioHistory("").add(HistoryKind::Read, patternImage(1), "p").error, HistoryError::NoFolder);
}

TEST(RadioHistoryFolder, FollowsXdgDataHomeThenHome) {
    struct Row {
        const char* name;
        const char* xdg;
        const char* home;
        const char* appName;
        const char* expected;
    } rows[] = {
        {"XdgDataHome", "/data", "/home/u", "Radio Test", "/data/Radio Test/history"},
        {"RelativeXdgIsIgnored", "data", "/home/u", "Radio Test", "/home/u/.local/share/Radio Test/history"},
        {"HomeWithoutXdg", nullptr, "/home/u", "Radio Test", "/home/u/.local/share/Radio Test/history"},
        {"SlashesInAppName", "/data", "/home/u", "a/b\\c", "/data/Program/history"},
        {"EmptyAppName", "/data", "/home/u", "", "/data/Program/history"},
        {"DotDotAppName", "/data", "/home/u", "..", "/data/Program/history"},
        {"Nowhere", nullptr, nullptr, "Radio Test", ""},
    };
    for (const Row& row : rows) {
        ScopedEnv xdg("XDG_DATA_HOME", row.xdg);
        ScopedEnv home("HOME", row.home);
        EXPECT_EQ(RadioHistory::defaultFolder(row.appName), row.expected) << row.name;
    }
}

} // namespace
