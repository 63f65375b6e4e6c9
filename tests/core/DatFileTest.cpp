#include "image/DatFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

class DatFileTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("datfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_dir, ec);
    }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    std::string writeBytes(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
        return path(name);
    }
    static std::string readBytes(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static MemoryImage patterned() {
        MemoryImage img;
        for (size_t i = 0; i < image::kSize; ++i) {
            img.setByte(i, static_cast<uint8_t>(i * 7 + 3));
        }
        return img;
    }

    fs::path m_dir;
};

TEST_F(DatFileTest, WrongLengthsAndDirectoriesAreDataFormatErrorsAndChangeNothing) {
    struct Case {
        const char* name;
        size_t length;
    } cases[] = {{"empty", 0}, {"one byte short", 1023}, {"one byte long", 1025}, {"two images", 2048}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryImage img = MemoryImage::newDocument();
        const DatFileResult r = loadDatFile(writeBytes(c.name, std::string(c.length, '\x11')), img);
        EXPECT_EQ(r.error, DatFileError::DataFormat);
        EXPECT_EQ(img, MemoryImage::newDocument());
    }
    MemoryImage img = MemoryImage::newDocument();
    EXPECT_EQ(loadDatFile(m_dir.string(), img).error, DatFileError::DataFormat);
    EXPECT_EQ(img, MemoryImage::newDocument());
}

TEST_F(DatFileTest, MissingFileIsAnOpenErrorWithTheSystemReason) {
    MemoryImage img;
    const DatFileResult r = loadDatFile(path("nothing-here.dat"), img);
    EXPECT_EQ(r.error, DatFileError::Open);
    EXPECT_FALSE(r.detail.empty());
}

TEST_F(DatFileTest, AnyContentOfTheRightLengthLoads) {
    for (char fill : {'\x00', '\xFF', '\x5A'}) {
        MemoryImage img;
        ASSERT_TRUE(loadDatFile(writeBytes("any.dat", std::string(image::kSize, fill)), img));
        EXPECT_EQ(img.byte(0), static_cast<uint8_t>(fill));
        EXPECT_EQ(img.byte(image::kSize - 1), static_cast<uint8_t>(fill));
    }
}

TEST_F(DatFileTest, SaveThenLoadIsIdenticalByteForByte) {
    const MemoryImage original = patterned();
    ASSERT_TRUE(saveDatFile(path("round.dat"), original));
    EXPECT_EQ(fs::file_size(path("round.dat")), image::kSize);
    MemoryImage loaded;
    ASSERT_TRUE(loadDatFile(path("round.dat"), loaded));
    EXPECT_EQ(loaded, original);
}

TEST_F(DatFileTest, SaveReplacesALongerFileCompletely) {
    writeBytes("long.dat", std::string(5000, 'x'));
    ASSERT_TRUE(saveDatFile(path("long.dat"), patterned()));
    EXPECT_EQ(fs::file_size(path("long.dat")), image::kSize);
}

TEST_F(DatFileTest, FailedSaveLeavesNoTemporaryFileBehind) {
    fs::create_directory(path("taken"));
    const DatFileResult r = saveDatFile(path("taken"), patterned());
    EXPECT_EQ(r.error, DatFileError::Write);
    EXPECT_FALSE(r.detail.empty());
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 1);
}

TEST_F(DatFileTest, FailedSaveKeepsThePreviousFile) {
    const std::string old(image::kSize, '\x42');
    const std::string target = writeBytes("old.dat", old);
    fs::permissions(m_dir, fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(path("probe")).good()) {
        GTEST_SKIP() << "running with rights that ignore folder permissions (root)";
    }
    const DatFileResult r = saveDatFile(target, patterned());
    EXPECT_EQ(r.error, DatFileError::Write);
    EXPECT_EQ(readBytes(target), old);
}

TEST_F(DatFileTest, APipeIsNeitherReadNorReplaced) {
    ASSERT_EQ(::mkfifo(path("pipe.dat").c_str(), 0600), 0);
    MemoryImage img = MemoryImage::newDocument();
    // Reading would wait for a writer for ever; the file type alone refuses it.
    EXPECT_EQ(loadDatFile(path("pipe.dat"), img).error, DatFileError::DataFormat);
    EXPECT_EQ(saveDatFile(path("pipe.dat"), patterned()).error, DatFileError::Write);
    EXPECT_TRUE(fs::is_fifo(path("pipe.dat")));
}

TEST_F(DatFileTest, AReadOnlyFileIsNotReplaced) {
    const std::string old(image::kSize, '\x42');
    const std::string target = writeBytes("locked.dat", old);
    fs::permissions(target, fs::perms::owner_read);
    if (std::ofstream(target, std::ios::app).good()) {
        GTEST_SKIP() << "running with rights that ignore file permissions (root)";
    }
    EXPECT_EQ(saveDatFile(target, patterned()).error, DatFileError::Write);
    EXPECT_EQ(readBytes(target), old);
}

TEST_F(DatFileTest, SaveThroughASymbolicLinkKeepsTheLink) {
    writeBytes("real.dat", std::string(image::kSize, '\0'));
    fs::create_symlink(path("real.dat"), path("link.dat"));
    ASSERT_TRUE(saveDatFile(path("link.dat"), patterned()));
    EXPECT_TRUE(fs::is_symlink(path("link.dat")));
    MemoryImage loaded;
    ASSERT_TRUE(loadDatFile(path("real.dat"), loaded));
    EXPECT_EQ(loaded, patterned());
}

} // namespace
