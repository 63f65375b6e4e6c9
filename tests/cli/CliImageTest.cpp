// radioprog's file commands, run as a user runs them: the built binary in a temporary folder.

#include "CliTestSupport.h"
#include "MiniJson.h"

#include "channels/ChannelCsv.h"
#include "options/Options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace clitest {
namespace {

MemoryImage imageWithChannel(int ch, uint32_t rx, uint32_t tx) {
    MemoryImage img = MemoryImage::newDocument();
    img.setRadioType(0);
    img.setBand(0);
    img.setRxFrequency(ch, rx);
    img.setTxFrequency(ch, tx);
    img.setRxTone(ch, Tone::none());
    img.setTxTone(ch, Tone::none());
    img.setBusyLock(ch, BusyLock::Off);
    img.setScanned(ch, true);
    return img;
}

minijson::Value parseJson(const std::string& text) {
    minijson::Reader reader(text);
    const std::optional<minijson::Value> v = reader.parse();
    EXPECT_TRUE(v.has_value()) << reader.error() << "\n" << text;
    return v.value_or(minijson::Value{});
}

// ---- help and usage --------------------------------------------------------------------------

using CliHelp = CliTest;

TEST_F(CliHelp, VersionAndOverview) {
    const RunResult version = runBare({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, "radioprog 1.0.0\n");

    const RunResult help = runBare({"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    for (const char* command :
         {"new", "show", "read", "write", "channel", "set", "export", "import", "ports"}) {
        EXPECT_CONTAINS(help.out, std::string("  ") + command + " ");
    }
    EXPECT_CONTAINS(help.out, "--ini PATH");
    EXPECT_CONTAINS(help.out, "Exit status");
}

TEST_F(CliHelp, EveryCommandExplainsItsOptionsWithAnExample) {
    // Each names every option it takes, and shows an example of itself.
    struct Case {
        const char* command;
        std::vector<const char*> mentions;
    } cases[] = {
        {"new", {"--type N", "--band N"}},
        {"show", {"--json", "--lang"}},
        {"diff", {"--port", "--json", "--lang", "--retries", "--trace"}},
        {"read", {"--port", "--output", "--retries"}},
        {"write", {"--port", "--retries"}},
        {"channel",
         {"rx=", "tx=", "rx-tone=", "tx-tone=", "width=", "scan=", "busy-lock=", "power=", "--delete"}},
        {"set",
         {"tot=", "squelch=", "vox=", "vox-gain=", "vox-delay=", "voice=", "priority=", "monitor=", "beep=",
          "battery-saver=", "type=", "band="}},
        {"export", {}},
        {"import", {}},
        {"ports", {}},
        {"plan",
         {"list", "show NAME", "apply IMAGE.dat NAME", "--from N", "--channels A-B", "--replace-all"}},
        {"check", {"--json", "--lang"}},
    };
    for (const Case& c : cases) {
        const RunResult r = runBare({c.command, "--help"});
        EXPECT_EQ(r.exitStatus, 0) << c.command;
        EXPECT_CONTAINS(r.out, std::string("Example:\n  radioprog ") + c.command);
        for (const char* m : c.mentions) {
            EXPECT_CONTAINS(r.out, m);
        }
        EXPECT_EQ(runBare({"help", c.command}).out, r.out) << c.command;
    }
}

TEST_F(CliHelp, UsageErrorsExitTwoAndWriteNothing) {
    writeImage("a.dat", MemoryImage::newDocument());
    writeImage("vhf.dat", imageWithChannel(1, 14500000, 14500000)); // 136 - 174MHz
    const auto before = snapshot();
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {"NoCommand", {}, "no command given"},
        {"UnknownCommand", {"frobnicate"}, "unknown command 'frobnicate'"},
        {"OptionOfAnotherCommand",
         {"show", "a.dat", "--port", "COM1"},
         "'--port' is not an option of 'show'"},
        {"MissingOperand", {"export", "a.dat"}, "missing CHANNELS.csv"},
        {"ExtraOperand", {"show", "a.dat", "b.dat"}, "unexpected argument 'b.dat'"},
        {"ValueMissing", {"show", "a.dat", "--lang"}, "--lang needs a value"},
        {"FlagWithValue", {"show", "a.dat", "--json=yes"}, "--json takes no value"},
        {"UnknownLanguage", {"show", "a.dat", "--lang", "French"}, "English and Chinese"},
        {"ReadWithoutPort", {"read", "--output", "b.dat"}, "missing --port PORT"},
        {"ReadWithoutOutput", {"read", "--port", "/dev/null"}, "missing --output"},
        {"RetriesNotANumber",
         {"write", "--port", "/dev/null", "--retries", "many", "a.dat"},
         "--retries many"},
        {"IniGivenTwice", {"--ini", "x.ini", "show", "a.dat"}, "--ini is given twice"},
        {"DiffWithNothingToCompare", {"diff", "a.dat"}, "diff: missing B.dat or --port PORT"},
        {"DiffWithTwoSecondImages", {"diff", "a.dat", "a.dat", "--port", "COM1"}, "give no B.dat"},
        {"DiffRetriesWithoutPort",
         {"diff", "a.dat", "a.dat", "--retries", "1"},
         "--retries goes with --port"},
        {"FleetUnknownVerb",
         {"fleet", "burn", "a.dat", "--port", "COM1"},
         "fleet: 'burn': say 'write' or 'check'"},
        {"FleetFixWithWrite",
         {"fleet", "write", "a.dat", "--port", "COM1", "--fix"},
         "--fix goes with 'fleet check'"},
        {"FleetNoVerifyWithCheck",
         {"fleet", "check", "a.dat", "--port", "COM1", "--no-verify"},
         "--no-verify goes with 'fleet write'"},
        {"FleetCountZero",
         {"fleet", "write", "a.dat", "--port", "COM1", "--count", "0"},
         "--count 0: give a number"},
        {"FleetMasterWithoutChannels",
         {"fleet", "write", "a.dat", "--port", "COM1"},
         "fleet: a.dat: No channel is in use"},
        {"PlanFromPastSixteen",
         {"plan", "apply", "a.dat", "PMR446", "--from", "17"},
         "--from 17: give a channel"},
        {"PlanRowsBackwards",
         {"plan", "apply", "a.dat", "PMR446", "--channels", "5-2"},
         "--channels 5-2: give"},
        {"PlanRowZero", {"plan", "apply", "a.dat", "PMR446", "--channels", "0"}, "--channels 0: give"},
        {"PlanRowsPastThePlan",
         {"plan", "apply", "vhf.dat", "PMR446", "--channels", "9-17"},
         "PMR446 has the rows 1 to 16; vhf.dat is unchanged"},
        {"PlanUnknown",
         {"plan", "show", "PMR447"},
         "no plan 'PMR447'; the plans are FRS, GMRS, MURS, PMR446"},
        {"PlanOutsideTheBand", {"plan", "apply", "vhf.dat", "PMR446"}, "446.00625 MHz is outside the band"},
        {"PlanJsonWithApply", {"plan", "apply", "a.dat", "PMR446", "--json"}, "--json goes with 'plan list'"},
        {"CheckNoImage", {"check", "b.dat"}, "b.dat: no such file"},
    };
    for (const Case& c : cases) {
        const RunResult r = run(c.args);
        EXPECT_EQ(r.exitStatus, 2) << c.name;
        EXPECT_CONTAINS(r.err, c.message);
        EXPECT_EQ(snapshot(), before) << c.name;
    }
}

TEST_F(CliHelp, AMissingProgramIniIsNamed) {
    const RunResult r = runBare({"--ini", path("nowhere.ini"), "show", "a.dat"});
    EXPECT_EQ(r.exitStatus, 2);
    EXPECT_CONTAINS(r.err, "cannot read the settings file " + path("nowhere.ini"));
    EXPECT_FALSE(exists("nowhere.ini")); // never created
}

TEST_F(CliHelp, AProgramIniThatIsNoFileOrTooLargeIsRefused) {
    struct Case {
        const char* name;
        void (*makeIni)(const std::string& ini);
        std::string message;
    };
    const Case cases[] = {
        {"endless device", [](const std::string& ini) { std::filesystem::create_symlink("/dev/zero", ini); },
         "is not a regular file (a pipe or a device)"},
        {"pipe without a writer", [](const std::string& ini) { ASSERT_EQ(::mkfifo(ini.c_str(), 0600), 0); },
         "is not a regular file (a pipe or a device)"},
        {"larger than 4 MiB",
         [](const std::string& ini) { std::ofstream(ini) << "[Setup]\n"
                                                         << std::string(4 << 20, ';'); },
         "File too large"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(path("Program.ini"));
        c.makeIni(path("Program.ini"));
        const RunResult r = start({"show", "a.dat"})->finish(10000);
        EXPECT_EQ(r.signal, 0) << c.name << ": did not end by itself";
        EXPECT_EQ(r.exitStatus, 2) << c.name;
        EXPECT_CONTAINS(r.err, "the settings file " + path("Program.ini"));
        EXPECT_CONTAINS(r.err, c.message);
    }
}

TEST_F(CliHelp, TheDefaultProgramIniIsBesideTheProgramAndNeverRewritten) {
    // A copy of the program in a folder of its own, with a Program.ini that any save would
    // normalise (comments, spacing, LF line ends).
    const std::string program = path("bin/radioprog");
    writeFile("bin/.keep", "");
    std::filesystem::copy_file(RADIOPROG_PATH, program);
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    const std::string ini = "; the settings\n[setup]\n  appname = Radio Test  \nTYPE1=Beside The Program\n"
                            "Field1=136 - 174MHz\n";
    writeFile("bin/Program.ini", ini);
    writeImage("a.dat", imageWithChannel(1, 14500000, 14500000));

    const RunResult show = runProgram(program, {"show", "a.dat"});
    EXPECT_EQ(show.exitStatus, 0) << show.err;
    EXPECT_CONTAINS(show.out, "Type: Beside The Program (0)");
    EXPECT_EQ(runProgram(program, {"channel", "a.dat", "2", "rx=146"}).exitStatus, 0);
    EXPECT_EQ(readFile("bin/Program.ini"), ini);

    // Without one, nothing is created beside the program, and what needs the bands says so.
    std::filesystem::remove(path("bin/Program.ini"));
    const RunResult bare = runProgram(program, {"channel", "a.dat", "3", "rx=146"});
    EXPECT_EQ(bare.exitStatus, 2);
    EXPECT_CONTAINS(bare.err,
                    "the band limits come from Program.ini, and there is none at " + path("bin/Program.ini"));
    EXPECT_FALSE(exists("bin/Program.ini"));
}

// ---- new -------------------------------------------------------------------------------------

using CliNew = CliTest;

TEST_F(CliNew, TakesTheRememberedTypeAndBand) {
    writeFile("config/" + std::string(kTestAppName) + ".ini", "[Settings]\r\nType=1\r\nField=1\r\n");
    const RunResult r = run({"new", "a.dat"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_CONTAINS(r.out, "type 1 HT-16U, band 1 450 - 520MHz");

    MemoryImage expected = MemoryImage::newDocument();
    expected.setRadioType(1);
    expected.setBand(1);
    EXPECT_EQ(readImage("a.dat"), expected);
}

TEST_F(CliNew, WithoutARememberedChoiceTheTypeAndBandAreZero) {
    ASSERT_EQ(run({"new", "a.dat"}).exitStatus, 0);
    MemoryImage expected = MemoryImage::newDocument();
    expected.setRadioType(0);
    expected.setBand(0);
    EXPECT_EQ(readImage("a.dat"), expected);
    EXPECT_FALSE(exists("config")) << "new only reads the remembered choice";
}

TEST_F(CliNew, TypeAndBandOptionsAreCheckedAgainstProgramIni) {
    ASSERT_EQ(run({"new", "a.dat", "--type", "2", "--band", "1"}).exitStatus, 0);
    EXPECT_EQ(readImage("a.dat").radioType(), 2);
    EXPECT_EQ(readImage("a.dat").band(), 1);

    struct Case {
        const char* name;
        std::vector<std::string> options;
        const char* message;
    } cases[] = {
        {"TypePastTheList", {"--type", "4"}, "Program.ini lists the types 0 to 3: 0 HT-16, 1 HT-16U"},
        {"BandPastTheList", {"--type", "3", "--band", "1"}, "type 3 has the bands 0 to 0: 0 136 - 470MHz"},
        {"NotANumber", {"--band", "x"}, "--band: 'x' is not a number from 0 to 255"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"new", "b.dat"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const RunResult r = run(args);
        EXPECT_EQ(r.exitStatus, 2) << c.name;
        EXPECT_CONTAINS(r.err, c.message);
        EXPECT_FALSE(exists("b.dat")) << c.name;
    }
}

TEST_F(CliNew, NeverOverwritesAFile) {
    writeFile("a.dat", "precious");
    const RunResult r = run({"new", "a.dat"});
    EXPECT_EQ(r.exitStatus, 2);
    EXPECT_CONTAINS(r.err, "a.dat already exists");
    EXPECT_EQ(readFile("a.dat"), "precious");

    const RunResult folder = run({"new", "missing/a.dat"});
    EXPECT_EQ(folder.exitStatus, 2);
    EXPECT_CONTAINS(folder.err, "the folder missing does not exist");
}

// ---- show ------------------------------------------------------------------------------------

using CliShow = CliTest;

MemoryImage showcaseImage() {
    // The grid's example channel on channel 16, a narrow low-power channel on channel 1.
    MemoryImage img = imageWithChannel(16, 14500000, 14560000);
    img.setRxTone(16, Tone::ctcss(885));
    img.setTxTone(16, Tone::dcs(23, false));
    img.setBusyLock(16, BusyLock::Carrier);
    img.setRxFrequency(1, 43312500);
    img.setTxFrequency(1, 43312500);
    img.setWide(1, false);
    img.setHighPower(1, false);
    img.setScanned(1, false);
    img.setBusyLock(1, BusyLock::Tone);
    img.setRxTone(1, Tone::none());
    img.setTxTone(1, Tone::none());
    img.setBand(1);
    storeOptionSelection(OptionList::Priority, 16, img);
    return img;
}

TEST_F(CliShow, PrintsTheGridAndTheOptionsInWords) {
    writeImage("a.dat", showcaseImage());
    const RunResult r = run({"show", "a.dat"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_CONTAINS(r.out, "Type: HT-16 (0)\nBand: 400 - 470MHz (1)\n");
    EXPECT_CONTAINS(
        r.out, "CH  Rx Frequency  Tx Frequency  QT/DQT Dec  QT/DQT Enc  W/N     Scan  Busy Lock  Power\n");
    EXPECT_CONTAINS(r.out,
                    " 1  433.12500     433.12500     None        None        Narrow  No    QT/DQT     Low\n");
    EXPECT_CONTAINS(
        r.out, "16  145.00000     145.60000     88.5        D023N       Wide    Yes   Carrier    High\n");
    EXPECT_CONTAINS(r.out, "\n 2\n");
    EXPECT_CONTAINS(r.out, "Time Out Time (s)   45s\n");
    EXPECT_CONTAINS(r.out, "Priority Channel    16\n");
    EXPECT_CONTAINS(r.out, "Monitor Key         Monitor Momentary\n"); // 0xFF shows as the dialog shows it
    EXPECT_CONTAINS(r.out, "Battery Saver       On\n");

    const RunResult language = run({"show", "a.dat", "--lang", "chinese"});
    ASSERT_EQ(language.exitStatus, 0);
    EXPECT_CONTAINS(language.out, "类型: HT-16 (0)");
    EXPECT_CONTAINS(language.out, "窄");
    EXPECT_CONTAINS(language.out, "载波");
    EXPECT_CONTAINS(language.out, "监听瞬时");
}

TEST_F(CliShow, JsonHoldsTheGridTextsAndTheRawOptionBytes) {
    MemoryImage img = showcaseImage();
    img.setByte(image::offset::kSquelch, 0x0A); // outside the list: shown raw
    writeImage("a.dat", img);
    const RunResult r = run({"show", "a.dat", "--json", "--lang", "Chinese"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    const minijson::Value doc = parseJson(r.out);
    EXPECT_EQ(doc["type"].number, 0);
    EXPECT_EQ(doc["band"].number, 1);
    EXPECT_EQ(doc["type_name"].text, "HT-16");
    EXPECT_EQ(doc["band_name"].text, "400 - 470MHz");
    EXPECT_EQ(doc["freq_min"].number, 40000000);
    EXPECT_EQ(doc["freq_max"].number, 47000000);

    ASSERT_EQ(doc["channels"].items.size(), 16u);
    const minijson::Value& ch16 = doc["channels"][15];
    EXPECT_EQ(ch16["channel"].number, 16);
    EXPECT_EQ(ch16["rx"].text, "145.00000");
    EXPECT_EQ(ch16["tx"].text, "145.60000");
    EXPECT_EQ(ch16["rx_tone"].text, "88.5");
    EXPECT_EQ(ch16["tx_tone"].text, "D023N");
    EXPECT_EQ(ch16["width"].text, "Wide"); // English whatever --lang says
    EXPECT_EQ(ch16["scan"].text, "Yes");
    EXPECT_EQ(ch16["busy_lock"].text, "Carrier");
    EXPECT_EQ(ch16["power"].text, "High");
    const minijson::Value& ch2 = doc["channels"][1];
    EXPECT_EQ(ch2["channel"].number, 2);
    for (const char* key : {"rx", "tx", "rx_tone", "tx_tone", "width", "scan", "busy_lock", "power"}) {
        EXPECT_EQ(ch2[key].kind, minijson::Value::Kind::String) << key;
        EXPECT_EQ(ch2[key].text, "") << key;
    }

    const minijson::Value& options = doc["options"];
    EXPECT_EQ(options.members.size(), 10u);
    EXPECT_EQ(options["monitor_key"].number, 0xFF);
    EXPECT_EQ(options["voice"].number, 2);
    EXPECT_EQ(options["tot"].number, 3);
    EXPECT_EQ(options["squelch"].number, 10);
    EXPECT_EQ(options["battery_saver"].number, 1);
    EXPECT_EQ(options["key_beep"].number, 1);
    EXPECT_EQ(options["vox"].number, 0);
    EXPECT_EQ(options["vox_gain"].number, 5);
    EXPECT_EQ(options["vox_delay"].number, 0);
    EXPECT_EQ(options["priority"].number, 16);
}

TEST_F(CliShow, JsonHoldsTypedValuesBesideTheTexts) {
    MemoryImage img = showcaseImage();
    img.setRxFrequency(3, 14652500);            // receive only: not in use
    img.setByte(image::offset::kSquelch, 0x0A); // outside the list: null
    // The monitor key byte is still erased: like the options dialog, it reads as item 2.
    writeImage("a.dat", img);
    const RunResult r = run({"show", "a.dat", "--json"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    const minijson::Value doc = parseJson(r.out);
    using Kind = minijson::Value::Kind;

    const minijson::Value& ch16 = doc["channels"][15];
    EXPECT_TRUE(ch16["in_use"].boolean);
    EXPECT_EQ(ch16["rx_10hz"].number, 14500000);
    EXPECT_EQ(ch16["tx_10hz"].number, 14560000);
    EXPECT_EQ(ch16["rx_tone_value"]["kind"].text, "ctcss");
    EXPECT_EQ(ch16["rx_tone_value"]["deci_hz"].number, 885);
    EXPECT_EQ(ch16["tx_tone_value"]["kind"].text, "dcs");
    EXPECT_EQ(ch16["tx_tone_value"]["code"].number, 23);
    EXPECT_EQ(ch16["tx_tone_value"]["polarity"].text, "N");
    EXPECT_EQ(ch16["busy_lock_mode"].text, "carrier");
    EXPECT_EQ(ch16["wide"].kind, Kind::Bool);
    EXPECT_TRUE(ch16["wide"].boolean);

    const minijson::Value& ch1 = doc["channels"][0];
    EXPECT_FALSE(ch1["wide"].boolean);
    EXPECT_FALSE(ch1["scanned"].boolean);
    EXPECT_FALSE(ch1["high_power"].boolean);
    EXPECT_EQ(ch1["busy_lock_mode"].text, "tone");
    EXPECT_EQ(ch1["rx_tone_value"]["kind"].text, "none");
    EXPECT_EQ(ch1["rx_tone_value"].members.size(), 1u);

    const minijson::Value& ch3 = doc["channels"][2];
    EXPECT_FALSE(ch3["in_use"].boolean);
    EXPECT_EQ(ch3["rx_10hz"].number, 14652500);
    EXPECT_EQ(ch3["tx_10hz"].kind, Kind::Null);
    EXPECT_EQ(ch3["width"].text, "") << "the text stays as the grid shows it";
    EXPECT_EQ(doc["channels"][1]["rx_10hz"].kind, Kind::Null);

    const minijson::Value& values = doc["option_values"];
    const struct {
        const char* key;
        Kind kind;
        int64_t number;
        const char* text;
    } rows[] = {
        {"time_out_s", Kind::Number, 45, ""},
        {"squelch", Kind::Null, 0, ""},
        {"priority", Kind::Number, 16, ""},
        {"voice", Kind::String, 0, "english"},
        {"monitor_key", Kind::String, 0, "momentary"},
        {"vox", Kind::Bool, 0, ""},
        {"vox_gain", Kind::Number, 5, ""},
        {"vox_delay_ms", Kind::Number, 300, ""},
        {"key_beep", Kind::Bool, 1, ""},
        {"battery_saver", Kind::Bool, 1, ""},
    };
    EXPECT_EQ(values.members.size(), std::size(rows));
    for (const auto& row : rows) {
        EXPECT_EQ(values[row.key].kind, row.kind) << row.key;
        if (row.kind == Kind::Number) {
            EXPECT_EQ(values[row.key].number, row.number) << row.key;
        } else if (row.kind == Kind::Bool) {
            EXPECT_EQ(values[row.key].boolean, row.number != 0) << row.key;
        } else if (row.kind == Kind::String) {
            EXPECT_EQ(values[row.key].text, row.text) << row.key;
        }
    }
    EXPECT_EQ(doc["options"]["squelch"].number, 10) << "the raw byte stays beside it";
}

TEST_F(CliShow, JsonEscapesTextsFromProgramIni) {
    setProgramIni(std::string(
        "[Setup]\nAppName=Radio Test\nType1=Say \"hi\" \\ back\x01 对讲机\nField1=136 - 174MHz\n"));
    MemoryImage img = MemoryImage::newDocument();
    img.setRadioType(0);
    img.setBand(0);
    writeImage("a.dat", img);
    const RunResult r = run({"show", "a.dat", "--json"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_CONTAINS(r.out, "\"type_name\": \"Say \\\"hi\\\" \\\\ back\\u0001 对讲机\"");
    EXPECT_EQ(parseJson(r.out)["type_name"].text, "Say \"hi\" \\ back\x01 对讲机");
}

TEST_F(CliShow, ATypeOrBandProgramIniDoesNotListShowsAsMissing) {
    MemoryImage img = MemoryImage::newDocument(); // type and band bytes still 0xFF
    writeImage("a.dat", img);
    const RunResult r = run({"show", "a.dat"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_CONTAINS(r.out, "Type: (not in Program.ini) (255)");
    const minijson::Value doc = parseJson(run({"show", "a.dat", "--json"}).out);
    EXPECT_EQ(doc["type"].number, 255);
    EXPECT_EQ(doc["type_name"].text, "");
    EXPECT_EQ(doc["freq_max"].number, 0);
}

// ---- channel ---------------------------------------------------------------------------------

using CliChannel = CliTest;

TEST_F(CliChannel, EditsWithTheGridsRules) {
    writeImage("a.dat", imageWithChannel(2, 14500000, 14560000));
    struct Step {
        const char* name;
        std::vector<std::string> args;
        const char* expectedRow; // show's line for the channel afterwards
    } steps[] = {
        {"NewChannelGetsDefaults",
         {"5", "rx=146.52"},
         " 5  146.52000     146.52000     None        None        Wide  Yes   Off        High"},
        {"RxOfAnExistingChannelKeepsTx",
         {"2", "rx=145.1"},
         " 2  145.10000     145.60000     None        None        Wide  Yes   Off        High"},
        {"EmptyTxFallsBackToRx",
         {"2", "tx="},
         " 2  145.10000     145.10000     None        None        Wide  Yes   Off        High"},
        {"ListFieldsInAnyOrderAndCase",
         {"2", "power=LOW", "busy-lock=tone", "scan=no", "width=narrow", "tx-tone=d754i", "rx-tone=88.5"},
         " 2  145.10000     145.10000     88.5        D754I       Narrow  No    QT/DQT     Low"},
        {"ToneNone",
         {"2", "rx-tone=none"},
         " 2  145.10000     145.10000     None        D754I       Narrow  No    QT/DQT     Low"},
        {"SixPointTwoFiveStep",
         {"5", "tx=146.50625"},
         " 5  146.52000     146.50625     None        None        Wide    Yes   Off        High"},
    };
    for (const Step& s : steps) {
        std::vector<std::string> args = {"channel", "a.dat"};
        args.insert(args.end(), s.args.begin(), s.args.end());
        const RunResult r = run(args);
        ASSERT_EQ(r.exitStatus, 0) << s.name << ": " << r.err;
        EXPECT_CONTAINS(run({"show", "a.dat"}).out, std::string(s.expectedRow) + "\n");
    }
    ASSERT_EQ(run({"channel", "a.dat", "5", "--delete"}).exitStatus, 0);
    EXPECT_FALSE(readImage("a.dat").isInUse(5));
    ASSERT_EQ(run({"channel", "a.dat", "2", "rx="}).exitStatus, 0);
    EXPECT_FALSE(readImage("a.dat").isInUse(2));
}

TEST_F(CliChannel, EditingAChannelKeepsTheBytesOfTheOthers) {
    // Channel 1 holds a BCD digit A in its receive field, which no frequency text can say.
    MemoryImage img = imageWithChannel(1, 14500000, 14500000);
    const size_t rx = image::channelOffset(1) + image::record::kRxFrequency;
    img.setByte(rx + 3, 0xA0);
    img.setByte(rx + 2, 0x00);
    writeImage("a.dat", img);
    const std::vector<uint8_t> before(img.data() + image::channelOffset(1),
                                      img.data() + image::channelOffset(2));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"channel", "a.dat", "2", "rx=146"}, {"set", "a.dat", "squelch=3"}}) {
        ASSERT_EQ(run(args).exitStatus, 0) << args[0];
        const MemoryImage after = readImage("a.dat");
        EXPECT_EQ(std::vector<uint8_t>(after.data() + image::channelOffset(1),
                                       after.data() + image::channelOffset(2)),
                  before)
            << args[0];
    }
}

TEST_F(CliChannel, ARefusedValueLeavesTheFileUnchanged) {
    writeImage("a.dat", imageWithChannel(3, 14500000, 14560000));
    const std::string before = readFile("a.dat");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {"RxOutOfBand",
         {"3", "rx=470"},
         "channel 3: rx=470: Out of range,please input again. (band 136 - 174MHz: "
         "136.00000 to 174.00000 MHz, in steps of 5 or 6.25 kHz); a.dat is unchanged"},
        {"TxOffStep",
         {"3", "tx=145.0025"},
         "Error data Value, please input according the step value(6.25K/5k)."},
        {"TooManyDigits", {"3", "rx=1000"}, "Out of range"},
        {"SecondDecimalPoint",
         {"3", "rx=145.5.5"},
         "channel 3: rx=145.5.5: Out of range,please input again. (band 136 - 174MHz: "
         "136.00000 to 174.00000 MHz, in steps of 5 or 6.25 kHz); a.dat is unchanged"},
        {"LettersAfterTheNumber", {"3", "tx=146.0125xyz"}, "tx=146.0125xyz: Out of range"},
        {"AnotherUnit", {"3", "rx=145500 kHz"}, "rx=145500 kHz: Out of range"},
        {"NewChannelRefused", {"4", "rx=500"}, "Out of range"},
        {"ToneNotInTheList", {"3", "rx-tone=100.5"}, "rx-tone=100.5: choose None, a CTCSS tone of the list"},
        {"WidthWord", {"3", "width=medium"}, "width=medium: choose wide or narrow"},
        {"AttributesOfAnEmptyChannel", {"4", "power=low"}, "channel 4 is empty: give rx=MHZ"},
        {"TxOfAnEmptyChannel", {"4", "tx=145"}, "channel 4 has no receive frequency"},
        {"UnknownField", {"3", "colour=red"}, "'colour' is not a field of a channel"},
        {"NotKeyValue", {"3", "145.5"}, "'145.5' is not KEY=VALUE"},
        {"FieldTwice", {"3", "rx=145", "rx=146"}, "rx= is given twice"},
        {"ChannelSeventeen", {"17", "rx=145"}, "channel '17': the channels are 1 to 16"},
        {"NothingToDo", {"3"}, "nothing to change"},
        {"DeleteWithFields", {"3", "--delete", "rx=145"}, "--delete empties the channel"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"channel", "a.dat"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const RunResult r = run(args);
        EXPECT_EQ(r.exitStatus, 2) << c.name;
        EXPECT_CONTAINS(r.err, c.message);
        EXPECT_EQ(readFile("a.dat"), before) << c.name;
    }
}

TEST_F(CliChannel, TakesACommaDecimalAndTheUnit) {
    struct Case {
        const char* name;
        const char* assignment;
        uint32_t rx10Hz;
    } cases[] = {
        {"CommaDecimal", "rx=145,5", 14550000},
        {"UnitAfterABlank", "rx=145.5 MHz", 14550000},
        {"LowerCaseUnitWithBlanksAround", "rx= 145.0125mhz ", 14501250},
        {"CommaAndUnit", "rx=146,00625MHz", 14600625},
    };
    for (const Case& c : cases) {
        writeImage("a.dat", imageWithChannel(3, 14500000, 14560000));
        const RunResult r = run({"channel", "a.dat", "1", c.assignment});
        ASSERT_EQ(r.exitStatus, 0) << c.name << ": " << r.err;
        const MemoryImage after = readImage("a.dat");
        EXPECT_EQ(after.rxFrequency(1), c.rx10Hz) << c.name;
        EXPECT_EQ(after.txFrequency(1), c.rx10Hz) << c.name;
    }
}

// A channel record cannot hold less than 10 MHz: such a channel would read back as empty.
TEST_F(CliChannel, BelowTenMegahertzIsOutOfRangeInALowBand) {
    setProgramIni("[Setup]\r\nLanguage=English\r\nAppName=Radio Test\r\nType1=HT-16\r\n"
                  "Field1=1 - 30MHz\r\n");
    MemoryImage img = MemoryImage::newDocument();
    img.setRadioType(0);
    img.setBand(0);
    writeImage("low.dat", img);
    const std::string before = readFile("low.dat");

    for (const char* assignment : {"rx=8.5", "rx=9.995", "rx=0.005"}) {
        const RunResult r = run({"channel", "low.dat", "1", assignment});
        EXPECT_EQ(r.exitStatus, 2) << assignment;
        EXPECT_CONTAINS(r.err,
                        std::string("channel 1: ") + assignment +
                            ": Out of range,please input again. (band 1 - 30MHz: "
                            "10.00000 to 30.00000 MHz, in steps of 5 or 6.25 kHz); low.dat is unchanged");
        EXPECT_EQ(readFile("low.dat"), before) << assignment;
    }

    ASSERT_EQ(run({"channel", "low.dat", "1", "rx=10"}).exitStatus, 0);
    EXPECT_EQ(readImage("low.dat").rxFrequency(1), 1000000u);
    EXPECT_CONTAINS(run({"show", "low.dat"}).out, " 1  10.00000      10.00000 ");
}

TEST_F(CliChannel, OtherChannelsKeepEveryByte) {
    MemoryImage img = imageWithChannel(1, 14500000, 14500000);
    // Channel 9 as a radio might hold it: an unknown DCS word, bytes 14/15 and spare bits set,
    // and a receive frequency without a transmit frequency (not in use).
    uint8_t* rec = img.data() + image::channelOffset(9);
    rec[10] = 0x00, rec[11] = 0x28, rec[12] = 0xE7, rec[13] = 0x0F, rec[14] = 0x12, rec[15] = 0x34;
    img.setRxFrequency(9, 14500000);
    img.setScanned(9, true);
    img.setByte(0x005, 0x99);
    writeImage("a.dat", img);

    ASSERT_EQ(run({"channel", "a.dat", "1", "power=low"}).exitStatus, 0);
    MemoryImage expected = img;
    expected.setHighPower(1, false);
    EXPECT_EQ(readImage("a.dat"), expected);
}

TEST_F(CliChannel, BandComesFromTheImagesTypeAndBand) {
    MemoryImage img = imageWithChannel(1, 14500000, 14500000);
    img.setRadioType(1); // HT-16U, band 0: 400 - 470 MHz
    writeImage("a.dat", img);
    EXPECT_EQ(run({"channel", "a.dat", "2", "rx=146"}).exitStatus, 2);
    EXPECT_EQ(run({"channel", "a.dat", "2", "rx=446.00625"}).exitStatus, 0);

    img.setRadioType(9); // not listed: no band, every frequency would be refused
    writeImage("b.dat", img);
    const RunResult r = run({"channel", "b.dat", "2", "rx=146"});
    EXPECT_EQ(r.exitStatus, 2);
    EXPECT_CONTAINS(r.err, "lists no band for type 9 (key Field10 of [Setup])");
}

// ---- set -------------------------------------------------------------------------------------

using CliSet = CliTest;

TEST_F(CliSet, ChangesEveryOptionByte) {
    MemoryImage img = MemoryImage::newDocument();
    img.setRadioType(0);
    img.setBand(1);
    writeImage("a.dat", img);
    const RunResult r =
        run({"set", "a.dat", "tot=600", "squelch=0", "vox=on", "vox-gain=8", "vox-delay=3.0", "voice=chinese",
             "priority=16", "monitor=momentary", "beep=off", "battery-saver=OFF", "type=2", "band=1"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    MemoryImage expected = img;
    using namespace image::offset;
    for (const auto& [offset, value] : std::vector<std::pair<size_t, uint8_t>>{{kTimeOut, 40},
                                                                               {kSquelch, 0},
                                                                               {kVox, 1},
                                                                               {kVoxGain, 8},
                                                                               {kVoxDelay, 5},
                                                                               {kVoice, 1},
                                                                               {kPriority, 16},
                                                                               {kMonitorKey, 2},
                                                                               {kKeyBeep, 0},
                                                                               {kBatterySaver, 0},
                                                                               {kRadioType, 2},
                                                                               {kBand, 1}}) {
        expected.setByte(offset, value);
    }
    EXPECT_EQ(readImage("a.dat"), expected);

    const RunResult more = run({"set", "a.dat", "tot=15s", "vox=off", "vox-delay=0.5s", "priority=off",
                                "monitor=none", "voice=english", "beep=on"});
    ASSERT_EQ(more.exitStatus, 0) << more.err;
    const MemoryImage after = readImage("a.dat");
    EXPECT_EQ(after.byte(kTimeOut), 1);
    EXPECT_EQ(after.byte(kVox), 0);
    EXPECT_EQ(after.byte(kVoxDelay), 1);
    EXPECT_EQ(after.byte(kPriority), 0);
    EXPECT_EQ(after.byte(kMonitorKey), 0);
    EXPECT_EQ(after.byte(kVoice), 2);
    EXPECT_EQ(after.byte(kKeyBeep), 1);
}

// Every value show --json prints, under its show --json name or set's key, set takes back.
TEST_F(CliSet, TakesEveryOptionValueShowJsonPrints) {
    for (int round = 0; round < 40; ++round) {
        MemoryImage img = MemoryImage::newDocument();
        img.setRadioType(0);
        img.setBand(0);
        for (const OptionInfo& info : optionTable()) {
            const int items = static_cast<int>(optionItems(info.list, Language::English).size());
            storeOptionSelection(info.list, std::min(round, items - 1), img);
        }
        writeImage("a.dat", img);
        writeImage("b.dat", MemoryImage::newDocument());
        const RunResult shown = run({"show", "a.dat", "--json"});
        ASSERT_EQ(shown.exitStatus, 0) << shown.err;
        const minijson::Value values = parseJson(shown.out)["option_values"];
        std::vector<std::string> args = {"set", "b.dat"};
        for (const OptionInfo& info : optionTable()) {
            const minijson::Value& v = values[info.jsonKey];
            const std::string text = v.kind == minijson::Value::Kind::Number ? std::to_string(v.number)
                                     : v.kind == minijson::Value::Kind::Bool ? (v.boolean ? "true" : "false")
                                                                             : v.text;
            args.push_back(std::string(round % 2 ? info.key : info.jsonKey) + "=" + text);
        }
        const RunResult set = run(args);
        ASSERT_EQ(set.exitStatus, 0) << set.err;
        for (const OptionInfo& info : optionTable()) {
            EXPECT_EQ(optionSelection(info.list, readImage("b.dat")), optionSelection(info.list, img))
                << info.jsonKey << " in round " << round;
        }
    }
}

TEST_F(CliSet, AnotherTypeStartsOnItsFirstBand) {
    MemoryImage img = MemoryImage::newDocument();
    img.setRadioType(0);
    img.setBand(1);
    writeImage("a.dat", img);
    ASSERT_EQ(run({"set", "a.dat", "type=0"}).exitStatus, 0);
    EXPECT_EQ(readImage("a.dat").band(), 1) << "the same type keeps its band";
    ASSERT_EQ(run({"set", "a.dat", "type=1"}).exitStatus, 0);
    EXPECT_EQ(readImage("a.dat").radioType(), 1);
    EXPECT_EQ(readImage("a.dat").band(), 0);
}

TEST_F(CliSet, OneBadValueChangesNothing) {
    struct Case {
        const char* name;
        std::string assignment;
        const char* message;
    } cases[] = {
        {"TotNotAMultiple", "tot=20", "tot=20: the time-out is 15 to 600 seconds, a multiple of 15"},
        {"SquelchTen", "squelch=10", "squelch=10: squelch is 0 to 9"},
        {"VoxMaybe", "vox=maybe", "vox=maybe: on or off"},
        {"VoxGainZero", "vox-gain=0", "vox-gain=0: the gain is 1 to 8"},
        {"VoxDelayOdd", "vox-delay=0.4", "vox-delay=0.4: the delay is 0.3, 0.5"},
        {"VoiceFrench", "voice=french", "voice=french: off, chinese or english"},
        {"PriorityPast16", "priority=17", "priority=17: off or a channel from 1 to 16"},
        {"BeepOdd", "beep=1", "beep=1: on or off"},
        {"TypeUnlisted", "type=7", "type=7: Program.ini lists the types 0 to 3"},
        {"BandUnlisted", "band=2", "band=2: type 0 has the bands 0 to 1"},
        {"UnknownKey", "volume=11", "'volume' is not an option"},
        {"NoEquals", "loud", "'loud' is not KEY=VALUE"},
    };
    for (const Case& c : cases) {
        MemoryImage img = MemoryImage::newDocument();
        img.setRadioType(0);
        img.setBand(0);
        writeImage("a.dat", img);
        const std::string before = readFile("a.dat");
        // Good values around the bad one, of other keys than the bad one's.
        const std::string key = c.assignment.substr(0, c.assignment.find('='));
        const RunResult r = run({"set", "a.dat", key == "squelch" ? "vox=on" : "squelch=2", c.assignment,
                                 key == "beep" ? "battery-saver=off" : "beep=off"});
        EXPECT_EQ(r.exitStatus, 2) << c.name;
        EXPECT_CONTAINS(r.err, c.message);
        EXPECT_EQ(readFile("a.dat"), before) << c.name;
    }
}

// ---- export and import -----------------------------------------------------------------------

using CliCsv = CliTest;

TEST_F(CliCsv, ExportThenImportGivesTheSameChannels) {
    MemoryImage img = showcaseImage();
    img.setRadioType(3); // 136 - 470 MHz: room for a split channel
    img.setBand(0);
    img.setRxFrequency(7, 14600000);
    img.setTxFrequency(7, 44600000);
    img.setRxTone(7, Tone::dcs(411, true));
    img.setTxTone(7, Tone::ctcss(670));
    writeImage("a.dat", img);
    ASSERT_EQ(run({"export", "a.dat", "list.csv"}).exitStatus, 0);
    EXPECT_EQ(readFile("list.csv"), channelcsv::exportCsv(img));

    MemoryImage target = MemoryImage::newDocument();
    target.setRadioType(3);
    target.setBand(0);
    target.setRxFrequency(5, 15000000); // not in the list: emptied
    target.setTxFrequency(5, 15000000);
    writeImage("b.dat", target);
    const RunResult r = run({"import", "list.csv", "b.dat"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out, "imported 3 channels into b.dat\n");
    const minijson::Value original = parseJson(run({"show", "a.dat", "--json"}).out);
    const minijson::Value imported = parseJson(run({"show", "b.dat", "--json"}).out);
    for (size_t i = 0; i < 16; ++i) {
        for (const char* key : {"rx", "tx", "rx_tone", "tx_tone", "width", "scan", "busy_lock", "power"}) {
            EXPECT_EQ(imported["channels"][i][key].text, original["channels"][i][key].text)
                << "channel " << i + 1 << " " << key;
        }
    }
}

TEST_F(CliCsv, ExportToStandardOutput) {
    writeImage("a.dat", showcaseImage());
    const RunResult r = run({"export", "a.dat", "-"});
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, channelcsv::exportCsv(showcaseImage()));
}

TEST_F(CliCsv, DashAndPipesStandForFilesInAPipeline) {
    writeImage("a.dat", imageWithChannel(3, 14550000, 14550000));
    struct Case {
        const char* name;
        std::string line; // a shell command line; "radioprog" is the program with the test's Program.ini
        int exitStatus;
        const char* message; // on stdout when the status is 0, otherwise on stderr
    } cases[] = {
        {"ShowReadsStandardInput", "radioprog show - < a.dat", 0, "145.50000"},
        {"ShowReadsAPipeByName", "cat a.dat | radioprog show /dev/stdin", 0, "145.50000"},
        {"ImportReadsStandardInput", "radioprog export a.dat - | radioprog import - b.dat", 0,
         "imported 1 channel into b.dat"},
        {"NewWritesStandardOutput", "radioprog new - 2>/dev/null | radioprog show - --json", 0, "\"type\":"},
        {"AnImageOnStandardInputIsCapped", "head -c 1025 /dev/zero | radioprog show -", 2,
         "standard input: Data Format Error (an image file holds exactly 1024 bytes; this one holds more)"},
        {"AListOnStandardInputIsCapped", "head -c 1048577 /dev/zero | radioprog import - a.dat", 2,
         "standard input is larger than 1024 KiB"},
        {"NoChangeInPlaceOnStandardInput", "radioprog set - squelch=1 < a.dat", 2,
         "standard input (-) cannot be changed in place"},
        {"NoChangeInPlaceOnAPipe", "cat a.dat | radioprog channel /dev/stdin 1 rx=145", 2,
         "/dev/stdin, a pipe, cannot be changed in place"},
    };
    const std::string program = std::string(RADIOPROG_PATH) + " --ini " + path("Program.ini");
    for (const Case& c : cases) {
        writeImage("b.dat", imageWithChannel(1, 14500000, 14500000));
        std::string line = c.line;
        for (size_t at = 0; (at = line.find("radioprog ", at)) != std::string::npos; at += program.size()) {
            line.replace(at, 9, program);
        }
        const RunResult r = runProgram("/bin/sh", {"-c", line});
        EXPECT_EQ(r.exitStatus, c.exitStatus) << c.name << "\n" << r.err;
        EXPECT_CONTAINS(c.exitStatus == 0 ? r.out : r.err, c.message);
        EXPECT_EQ(readImage("a.dat"), imageWithChannel(3, 14550000, 14550000)) << c.name;
        EXPECT_FALSE(exists("-")) << c.name;
    }
}

TEST_F(CliCsv, ImportsAListWrittenByAnotherTool) {
    writeFile("list.csv", readFileAt(RADIO_TEST_DATA_DIR "/channels_other_tool_21_columns.csv"));
    MemoryImage img = MemoryImage::newDocument();
    img.setRadioType(3);
    img.setBand(0);
    writeImage("a.dat", img);
    const RunResult r = run({"import", "list.csv", "a.dat"});
    ASSERT_EQ(r.exitStatus, 0) << r.err;
    const minijson::Value doc = parseJson(run({"show", "a.dat", "--json"}).out);
    const auto row = [&](size_t ch) {
        const minijson::Value& c = doc["channels"][ch - 1];
        std::string out;
        for (const char* key : {"rx", "tx", "rx_tone", "tx_tone", "width", "scan", "busy_lock", "power"}) {
            out += c[key].text + "|";
        }
        return out;
    };
    EXPECT_EQ(row(1), "146.52000|146.52000|None|None|Wide|Yes|Off|High|");
    EXPECT_EQ(row(2), "146.94000|146.34000|None|100.0|Wide|Yes|Off|High|");
    EXPECT_EQ(row(3), "147.12000|147.72000|103.5|103.5|Narrow|No|Off|Low|"); // TSQL reads cToneFreq
    EXPECT_EQ(row(4), "145.50000|145.50000|D754N|D754I|Wide|Yes|Off|High|");
    EXPECT_EQ(row(5), "146.00000|446.00000|D411I|67.0|Wide|Yes|Off|Low|");
    EXPECT_EQ(row(6), "145.00625|145.00625|None|None|Narrow|Yes|Off|High|");
    EXPECT_EQ(row(7), "||||||||");
    EXPECT_EQ(doc["options"]["priority"].number, 5); // Skip P
}

TEST_F(CliCsv, ImportsTheOlderLayoutNumberedFromZero) {
    writeFile("list.csv", readFileAt(RADIO_TEST_DATA_DIR "/channels_17_columns.csv"));
    MemoryImage img = MemoryImage::newDocument();
    img.setRadioType(0);
    img.setBand(0);
    writeImage("a.dat", img);
    ASSERT_EQ(run({"import", "list.csv", "a.dat"}).exitStatus, 0);
    const MemoryImage after = readImage("a.dat");
    EXPECT_EQ(after.rxFrequency(1), 14652000u);
    EXPECT_EQ(after.txFrequency(2), 14634000u);
    EXPECT_EQ(after.rxTone(2), Tone::ctcss(1000));
    EXPECT_FALSE(after.isWide(2));
    EXPECT_FALSE(after.isInUse(3));
}

TEST_F(CliCsv, BadListsAreReportedLineByLineAndNothingIsWritten) {
    const std::string header =
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
        "DtcsPolarity,RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,"
        "RPT2CALL,DVCODE\n";
    const std::string good = "1,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n";
    struct Case {
        const char* name;
        std::string csv;
        std::vector<const char*> messages;
    } cases[] = {
        {"EmptyFile", "", {"list.csv:1: the file holds no header line"}},
        {"MissingHeader", good, {"list.csv:1: this is not a header line"}},
        {"MissingFrequencyColumn",
         "Location,Name\n1,A\n",
         {"list.csv:1: the header has no Frequency column"}},
        {"RowShorterThanHeader",
         header + "1,,145.000000,,0.000000\n",
         {"list.csv:2: the row has 5 fields but the header names 21"}},
        {"FrequencyOutOfBand",
         header + good + "2,,480.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n",
         {"list.csv:3: Frequency 480.000000: out of range (the band is "}},
        {"CtcssBelow25_6Hz",
         header + "1,,145.000000,,0.000000,Tone,25.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n",
         {"list.csv:2: rToneFreq 25.0 Hz cannot be stored"}},
        {"DcsOutsideTheTable",
         header + "1,,145.000000,,0.000000,DTCS,88.5,88.5,018,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n",
         {"list.csv:2: DtcsCode 018 is not one of the 107 DCS codes"}},
        {"LocationSeventeen",
         header + good + "17,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n",
         {"list.csv:3: Location 17 is past the 16 channels"}},
        {"FrequencyFinerThan10Hz",
         header + good + "2,,145.500009,+,0.600009,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n" +
             "3,,145.500000,+,0.600009,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n",
         {"list.csv:3: Frequency 145.500009 MHz cannot be stored: the radio keeps frequencies in steps of 10 "
          "Hz",
          "list.csv:4: Offset 0.600009 MHz cannot be stored", "2 problems in list.csv; nothing imported"}},
        {"SeveralBadRows",
         header + "17,,145.000000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n" + good +
             "3,,145.000000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n",
         {"list.csv:2: Location 17", "list.csv:4: Duplex \"off\"",
          "2 problems in list.csv; nothing imported; "
          "a.dat is unchanged"}},
    };
    MemoryImage img = imageWithChannel(9, 14500000, 14500000);
    writeImage("a.dat", img);
    for (const Case& c : cases) {
        writeFile("list.csv", c.csv);
        const auto before = snapshot();
        const RunResult r = run({"import", "list.csv", "a.dat"});
        EXPECT_EQ(r.exitStatus, 2) << c.name;
        for (const char* m : c.messages) {
            EXPECT_CONTAINS(r.err, m);
        }
        EXPECT_EQ(snapshot(), before) << c.name;
    }
}

// ---- bad files -------------------------------------------------------------------------------

using CliBadFiles = CliTest;

TEST_F(CliBadFiles, EveryCommandRefusesWhatIsNotAnImage) {
    writeFile("short.dat", std::string(1023, '\xFF'));
    writeFile("long.dat", std::string(1025, '\xFF'));
    writeFile("empty.dat", "");
    writeFile("list.csv", "Location,Frequency\n1,145\n");
    writeFile("folder/.keep", "");
    struct Target {
        const char* file;
        const char* message;
    } targets[] = {
        {"short.dat",
         "short.dat: Data Format Error (an image file holds exactly 1024 bytes; this one holds 1023)"},
        {"long.dat",
         "long.dat: Data Format Error (an image file holds exactly 1024 bytes; this one holds 1025)"},
        {"empty.dat", "empty.dat: Data Format Error"},
        {"folder", "folder is a directory, not an image file"},
        {"missing.dat", "missing.dat: no such file (make one with 'radioprog new missing.dat'"},
    };
    const auto before = snapshot();
    const auto commandsFor = [](const std::string& file) {
        return std::vector<std::vector<std::string>>{
            {"show", file, "--json"},     {"channel", file, "1", "rx=145"},
            {"set", file, "squelch=1"},   {"export", file, "out.csv"},
            {"import", "list.csv", file}, {"write", "--port", "/dev/null", file},
            {"diff", file, file},
        };
    };
    // Every kind of bad file through one command, every command with one kind of bad file.
    std::vector<std::pair<std::vector<std::string>, const char*>> runs;
    for (const Target& t : targets) {
        runs.push_back({{"show", t.file}, t.message});
    }
    for (const auto& args : commandsFor(targets[0].file)) {
        runs.push_back({args, targets[0].message});
    }
    for (const auto& args : commandsFor(targets[3].file)) {
        runs.push_back({args, targets[3].message});
    }
    for (const auto& [args, message] : runs) {
        const RunResult r = run(args);
        EXPECT_EQ(r.exitStatus, 2) << args[0] << " " << args[1];
        EXPECT_CONTAINS(r.err, message);
        EXPECT_EQ(r.out, "") << args[0] << " " << args[1];
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(CliBadFiles, CsvThatIsMissingOrAFolder) {
    writeImage("a.dat", MemoryImage::newDocument());
    writeFile("folder/.keep", "");
    const auto before = snapshot();
    const RunResult missing = run({"import", "nothing.csv", "a.dat"});
    EXPECT_EQ(missing.exitStatus, 2);
    EXPECT_CONTAINS(missing.err, "nothing.csv: no such file");
    const RunResult folder = run({"import", "folder", "a.dat"});
    EXPECT_EQ(folder.exitStatus, 2);
    EXPECT_CONTAINS(folder.err, "folder is a directory");
    const RunResult exportToFolder = run({"export", "a.dat", "folder"});
    EXPECT_EQ(exportToFolder.exitStatus, 2);
    EXPECT_CONTAINS(exportToFolder.err, "folder is a directory; give a file name");
    EXPECT_EQ(snapshot(), before);
}

} // namespace
} // namespace clitest
