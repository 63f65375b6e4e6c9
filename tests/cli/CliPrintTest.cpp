#include "CliTestSupport.h"

#include <cstdio>
#include <sys/wait.h>

namespace clitest {
namespace {

// The text of a PDF file as pdftotext lays it out; empty when pdftotext is missing.
std::string pdfText(const std::string& pdf) {
    std::string text;
    FILE* pipe = ::popen(("pdftotext -layout '" + pdf + "' - 2>/dev/null").c_str(), "r");
    if (pipe == nullptr) {
        return text;
    }
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        text.append(buffer, n);
    }
    ::pclose(pipe);
    return text;
}

bool havePdfToText() {
    return std::system("pdftotext -v >/dev/null 2>&1") == 0;
}

class CliPrint : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
#ifndef RADIOPROG_HAS_PRINT
        GTEST_SKIP() << "radioprog was built without the desktop program, whose painter print uses";
#endif
        if (!havePdfToText()) {
            GTEST_SKIP() << "pdftotext (package poppler-utils, installed by scripts/setup.sh) is missing";
        }
        setProgramIni(std::string(kTestIni) + "[English]\r\nCopyrights Owner=Club Owner\r\n"
                                              "[Chinese]\r\nCopyrights Owner=俱乐部\r\n");
        MemoryImage image = MemoryImage::newDocument();
        image.setRadioType(0);
        image.setBand(0);
        image.setByte(image::offset::kTimeOut, 4);
        image.setByte(image::offset::kVoice, 7);
        image.setByte(image::offset::kVoxDelay, 9);
        image.setByte(image::offset::kBatterySaver, 0xFE);
        for (int ch : {3, 9, 16}) {
            image.setRxFrequency(ch, 14500000 + static_cast<uint32_t>(ch) * 2500);
            image.setTxFrequency(ch, 14500000);
            image.setRxTone(ch, Tone::ctcss(885));
            image.setTxTone(ch, Tone::dcs(23, false));
        }
        writeImage("club.dat", image);
    }
};

TEST_F(CliPrint, PrintsTheOptionsAndTheChannelsInUse) {
    const RunResult r = run({"print", "club.dat", "--pdf", "club.pdf", "--lang", "English"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    const std::string text = pdfText(path("club.pdf"));
    for (const char* expected : {"Option", "Time Out Time:", "60s", "Voice Annunication:", "English", "3.0s",
                                 "Battery Saver:", "Channel 3:", "145.07500", "Channel 9:", "Channel 16:",
                                 "D023N", "Club Owner", "Page 1 of 2", "Page 2 of 2"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(text.find("Channel 1:"), std::string::npos);
}

TEST_F(CliPrint, ChineseLabelsKeepTheEnglishPageNumbers) {
    const RunResult r = run({"print", "club.dat", "--pdf", "zh.pdf", "--lang", "chinese"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    const std::string text = pdfText(path("zh.pdf"));
    for (const char* expected : {"可选功能", "超时定时器", "信道3:", "俱乐部", "Page 2 of 2"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    }
}

TEST_F(CliPrint, BadRequestsWriteNothing) {
    struct Case {
        const char* name;
        std::vector<std::string> args;
    } cases[] = {
        {"no --pdf", {"print", "club.dat"}},
        {"unknown language", {"print", "club.dat", "--pdf", "x.pdf", "--lang", "French"}},
        {"missing image", {"print", "none.dat", "--pdf", "x.pdf"}},
        {"folder that does not exist", {"print", "club.dat", "--pdf", "no/such/x.pdf"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto before = snapshot();
        const RunResult r = run(c.args);
        EXPECT_EQ(r.exitStatus, 2);
        EXPECT_FALSE(r.err.empty());
        EXPECT_EQ(snapshot(), before);
    }
}

} // namespace
} // namespace clitest
