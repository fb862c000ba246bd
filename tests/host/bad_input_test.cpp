// What the host does with input a person should not have given it: special and oversized
// files in place of a configuration, script or module, configurations that contradict
// themselves, scripts that ask for absurd amounts of work, text in other encodings, and a
// run cut short by Ctrl-C or by memory running out. Each is refused or handled with a
// message naming the place, and nothing hangs, aborts or half-runs.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <future>
#include <limits>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "panel_test.h"
#include "scenario_text.h"
#include "suggest.h"
#include "tj20host/input_file.h"
#include "tj20host/scenario.h"
#include "tj20host/trace.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using tj20::host::Diagnostic;
using tj20::host::ScenarioOptions;
using tj20::host::ScenarioResult;

const std::string Probe = "load modules main_master_variables tj20_probe\n";
const std::string Lights = "load modules main_master_variables oh_lights lights_lnd\n";

// A fresh directory per test, removed afterwards.
class TempDir : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        dir_ = fs::temp_directory_path() / ("tj20_bad_input_" + std::to_string(getpid()) + "_" + name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        options_.moduleDir = tj20::test::panelDir();
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_ / "x", fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }

    fs::path write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }
    ScenarioResult run(const std::string& script) { return runScenario(script, dir_ / "test.scn", options_); }

    fs::path dir_;
    ScenarioOptions options_;
};

using tj20::test::all;

// ---- special and oversized files where a configuration, script or module belongs

enum class Reader { Configuration, Script, Module };
enum class Kind { Fifo, CharacterDevice, Directory, Oversized, Unreadable, Missing };

struct SpecialFile {
    const char* name;
    Reader reader;
    Kind kind;
    const char* problem;  // the message after the file's name
};

void PrintTo(const SpecialFile& c, std::ostream* out) { *out << c.name; }

class SpecialFiles : public TempDir, public ::testing::WithParamInterface<SpecialFile> {
protected:
    // Puts the kind of file at `path`.
    void make(const fs::path& path, Kind kind, std::uintmax_t limit) {
        switch (kind) {
            case Kind::Fifo:
                ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
                break;
            case Kind::CharacterDevice:
                fs::create_symlink("/dev/zero", path);
                break;
            case Kind::Directory:
                fs::create_directory(path);
                break;
            case Kind::Oversized:
                std::ofstream(path).put('\n');
                fs::resize_file(path, limit + 1);  // sparse: no disk is used
                break;
            case Kind::Unreadable:
                std::ofstream(path) << "[Window Titles]\n";
                fs::permissions(path, fs::perms::none);
                break;
            case Kind::Missing:
                break;
        }
    }

    // What the reader says about the file at `path`.
    std::string read(Reader reader, const fs::path& path) {
        try {
            switch (reader) {
                case Reader::Configuration:
                    tj20::host::PanelConfig::read(path);
                    return "read";
                case Reader::Script: {
                    const auto r = runScenarioFile(path, options_);
                    if (r.exitCode != tj20::host::ScenarioBadInput || r.stepsRun != 0 || r.diagnostics.size() != 1)
                        return "ran: " + all(r);
                    return toString(r.diagnostics[0]);
                }
                case Reader::Module: {
                    tj20::host::LoadOptions options{path.parent_path(), false};
                    tj20::host::Panel::load(tj20::host::PanelConfig::fromModules({"x"}), options);
                    return "loaded";
                }
            }
        } catch (const std::exception& e) {
            return e.what();
        }
        return "?";
    }
};

TEST_P(SpecialFiles, AreRefusedWithWhatIsWrongAndNeverBlock) {
    const auto& c = GetParam();
    if (c.kind == Kind::Unreadable && geteuid() == 0) GTEST_SKIP() << "root reads a file of mode 000";
    const fs::path path = c.reader == Reader::Module ? dir_ / "x.gau" : dir_ / "x";
    make(path, c.kind, c.reader == Reader::Module ? tj20::host::ModuleFileLimit : tj20::host::TextFileLimit);
    if (HasFatalFailure()) return;

    // A reader that opens a FIFO in blocking mode waits for a writer: it is let go by opening
    // the other end, so that the test fails instead of hanging.
    std::promise<std::string> said;
    auto answer = said.get_future();
    std::thread reader([&] { said.set_value(read(c.reader, path)); });
    bool blocked = false;
    if (answer.wait_for(60s) != std::future_status::ready) {
        blocked = true;
        const int writer = open(path.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) close(writer);
    }
    reader.join();
    EXPECT_FALSE(blocked) << "the reader waited on the FIFO";

    std::string expected = path.string() + ": " + c.problem;
    if (c.reader == Reader::Script) expected = path.string() + ": error: " + c.problem;
    if (c.reader == Reader::Module) expected = "module list:1: " + path.string() + ": " + c.problem;
    EXPECT_EQ(answer.get(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, SpecialFiles,
    ::testing::Values(
        SpecialFile{"ConfigurationFifo", Reader::Configuration, Kind::Fifo,
                    "panel configuration is not a regular file (a FIFO)"},
        SpecialFile{"ConfigurationDevZero", Reader::Configuration, Kind::CharacterDevice,
                    "panel configuration is not a regular file (a character device)"},
        SpecialFile{"ConfigurationDirectory", Reader::Configuration, Kind::Directory,
                    "panel configuration is a directory"},
        SpecialFile{"ConfigurationOversized", Reader::Configuration, Kind::Oversized,
                    "panel configuration is larger than 4194304 bytes"},
        SpecialFile{"ConfigurationUnreadable", Reader::Configuration, Kind::Unreadable,
                    "panel configuration cannot be read: permission denied"},
        SpecialFile{"ConfigurationMissing", Reader::Configuration, Kind::Missing, "panel configuration not found"},
        SpecialFile{"ScriptFifo", Reader::Script, Kind::Fifo, "scenario script is not a regular file (a FIFO)"},
        SpecialFile{"ScriptDevZero", Reader::Script, Kind::CharacterDevice,
                    "scenario script is not a regular file (a character device)"},
        SpecialFile{"ScriptDirectory", Reader::Script, Kind::Directory, "scenario script is a directory"},
        SpecialFile{"ScriptOversized", Reader::Script, Kind::Oversized, "scenario script is larger than 4194304 bytes"},
        SpecialFile{"ScriptUnreadable", Reader::Script, Kind::Unreadable,
                    "scenario script cannot be read: permission denied"},
        SpecialFile{"ScriptMissing", Reader::Script, Kind::Missing, "scenario script not found"},
        SpecialFile{"ModuleFifo", Reader::Module, Kind::Fifo, "module file is not a regular file (a FIFO)"},
        SpecialFile{"ModuleDevZero", Reader::Module, Kind::CharacterDevice,
                    "module file is not a regular file (a character device)"},
        SpecialFile{"ModuleDirectory", Reader::Module, Kind::Directory, "module file is a directory"},
        SpecialFile{"ModuleOversized", Reader::Module, Kind::Oversized, "module file is larger than 268435456 bytes"},
        SpecialFile{"ModuleUnreadable", Reader::Module, Kind::Unreadable,
                    "module file cannot be read: permission denied"}),
    [](const auto& info) { return info.param.name; });

TEST_F(TempDir, FileOfExactlyTheLimitIsRead) {
    const fs::path path = write("limit.txt", "");
    fs::resize_file(path, tj20::host::TextFileLimit);
    EXPECT_EQ(tj20::host::readInputFile(path, "text", tj20::host::TextFileLimit).size(), tj20::host::TextFileLimit);
}

// ---- configurations that contradict themselves

const std::string TwoTitles = "[Window Titles]\nWindow00=Main\nWindow01=Overhead\n";  // lines 1-3

struct BadConfig {
    const char* name;
    std::string text;
    const char* message;  // the whole message, "test.cfg:<line>: ..."
};

void PrintTo(const BadConfig& c, std::ostream* out) { *out << c.name; }

class ConfigurationErrors : public ::testing::TestWithParam<BadConfig> {};

TEST_P(ConfigurationErrors, NameTheLineAndTheProblem) {
    const auto& c = GetParam();
    try {
        tj20::host::PanelConfig::parse(c.text, "test.cfg");
        ADD_FAILURE() << "accepted";
    } catch (const tj20::host::LoadError& e) {
        EXPECT_EQ(std::string(e.what()), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, ConfigurationErrors,
    ::testing::Values(
        BadConfig{"TitleKeyTwice", "[Window Titles]\nWindow00=Main\nWindow00=Other\n[Window00]\n",
                  "test.cfg:3: [Window Titles] names window 0 twice (Window00 at line 2)"},
        BadConfig{"SameWindowNumberedTwiceInTitles", "[Window Titles]\nWindow1=Main\nWindow01=Other\n[Window1]\n",
                  "test.cfg:3: [Window Titles] names window 1 twice (Window1 at line 2)"},
        BadConfig{"TwoWindowsOneTitle", "[Window Titles]\nWindow00=Main\nWindow01=Main\n[Window00]\n[Window01]\n",
                  "test.cfg:3: 'Main' names both [Window00] (line 2) and [Window01]: a window's title and ident "
                  "must be its own"},
        BadConfig{"TwoWindowsOneIdent", TwoTitles + "[Window00]\nident=overhead\n[Window01]\nident=Overhead\n",
                  "test.cfg:7: 'overhead' names both [Window00] (line 5) and [Window01]: a window's title and ident "
                  "must be its own"},
        BadConfig{"EmptySectionName", TwoTitles + "[]\n", "test.cfg:4: section header '[]' names no section"},
        BadConfig{"WindowWithoutANumber", TwoTitles + "[WindowFoo]\n",
                  "test.cfg:4: section [WindowFoo] is neither [Window Titles] nor a numbered window such as "
                  "[Window01]"},
        BadConfig{"SameWindowNumberTwice", TwoTitles + "[Window1]\n[Window01]\n",
                  "test.cfg:5: section [Window01] numbers the same window as [Window1] (line 4)"},
        BadConfig{"TitlesSectionTwice", TwoTitles + "[Window Titles]\n",
                  "test.cfg:4: [Window Titles] appears twice (first at line 1)"},
        BadConfig{"TitleOfAMissingSection", TwoTitles + "[Window00]\n",
                  "test.cfg:3: [Window Titles] names Window01 but the file has no such section"},
        BadConfig{"ZeroSize", TwoTitles + "[Window00]\nsize_mm=0,768\n[Window01]\n",
                  "test.cfg:5: size_mm 0,768 must give a width and a height above 0"},
        BadConfig{"NegativeSize", TwoTitles + "[Window00]\nwindow_size=1024,-1\n[Window01]\n",
                  "test.cfg:5: window_size 1024,-1 must give a width and a height above 0"},
        BadConfig{"KeyTwiceInAWindow", TwoTitles + "[Window00]\nvisible=1\nvisible=0\n[Window01]\n",
                  "test.cfg:6: 'visible' is given twice in [Window00] (first at line 5)"},
        BadConfig{"IgnoredKeyTwiceInAWindow", TwoTitles + "[Window00]\nposition=0\nposition=1\n[Window01]\n",
                  "test.cfg:6: 'position' is given twice in [Window00] (first at line 5)"},
        BadConfig{"EmptyFile", "", "test.cfg: no windows: the file lists no [WindowNN] sections"}),
    [](const auto& info) { return info.param.name; });

TEST(Configuration, WindowsRunInTheOrderOfTheirNumbers) {
    const auto config = tj20::host::PanelConfig::parse(
        "[Window Titles]\nWindow10=Ten\nWindow2=Two\nWindow1=One\n"
        "[Window10]\n[Window1]\n[Window2]\n",
        "test.cfg");
    std::vector<std::string> order;
    for (const auto& w : config.windows) order.push_back(w.title);
    EXPECT_EQ(order, (std::vector<std::string>{"One", "Two", "Ten"}));
}

TEST(Configuration, OtherSectionsOfTheSimulatorStayIgnored) {
    const auto config = tj20::host::PanelConfig::parse(
        "\xEF\xBB\xBF[Views]\nview=1\nview=2\n" + TwoTitles + "[Window00]\n[Window01]\n[Default View]\nx=1\n",
        "test.cfg");
    EXPECT_EQ(config.windows.size(), 2u) << "a leading byte-order mark and other sections are let be";
}

// ---- scripts: a byte-order mark, absurd steps and states

class Scripts : public TempDir {};

TEST_F(Scripts, LeadingByteOrderMarkIsSkipped) {
    const auto r = run("\xEF\xBB\xBF" + Probe + "set shared probeval 3\nexpect shared probeval 3\n");
    EXPECT_EQ(r.exitCode, 0) << all(r);
    EXPECT_EQ(r.expectationsChecked, 1);
}

struct BadLine {
    const char* name;
    std::string line;     // after the load line
    const char* message;  // the whole message of line 2
};

void PrintTo(const BadLine& c, std::ostream* out) { *out << c.name; }

class ScriptErrors : public TempDir, public ::testing::WithParamInterface<BadLine> {};

TEST_P(ScriptErrors, AreReportedBeforeAnythingRuns) {
    const auto& c = GetParam();
    const auto r = run(Probe + c.line + "\n");
    EXPECT_EQ(r.exitCode, 2) << all(r);
    EXPECT_EQ(r.stepsRun, 0);
    ASSERT_EQ(r.diagnostics.size(), 1u) << all(r);
    EXPECT_EQ(r.diagnostics[0].line, 2);
    EXPECT_EQ(r.diagnostics[0].message, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptErrors,
    ::testing::Values(BadLine{"HugeTickStep", "run 3 step 1e308",
                              "tick step '1e308' is more than 1000000 ticks a cycle (15 hours of simulated time)"},
                      BadLine{"TickStepJustPastTheLimit", "run 1 step 1000000.5",
                              "tick step '1000000.5' is more than 1000000 ticks a cycle (15 hours of simulated time)"},
                      BadLine{"InfiniteTickStep", "run 1 step inf", "tick step 'inf' is not a number"},
                      BadLine{"StatePastTheIntegers", "expect element tj20_probe 80,0 state 2147483648",
                              "state '2147483648' is out of range (0 to 2147483647)"},
                      BadLine{"StateOfAllBits", "expect element tj20_probe 80,0 state 0xffffffff",
                              "state '0xffffffff' is out of range (0 to 2147483647)"}),
    [](const auto& info) { return info.param.name; });

TEST_F(Scripts, LimitsThemselvesAreAccepted) {
    const auto r = run(Probe + "run 2 step 1000000\nexpect sim TickCount 2000000\n" +
                       "expect element tj20_probe 80,0 state 2147483647\n");
    EXPECT_EQ(r.exitCode, 1) << "the step runs; the state is checked and does not hold\n" << all(r);
    EXPECT_EQ(r.failures, 1) << all(r);
    EXPECT_EQ(r.expectationsChecked, 2);
}

// ---- repeats in key and sound lists are counted, not written out

struct Counted {
    const char* name;
    std::string script;
    int exitCode;
    const char* message;  // a part of the failure, or empty
};

void PrintTo(const Counted& c, std::ostream* out) { *out << c.name; }

class CountedRepeats : public TempDir, public ::testing::WithParamInterface<Counted> {};

TEST_P(CountedRepeats, MatchAsIfWrittenOut) {
    const auto& c = GetParam();
    const auto r = run(c.script);
    EXPECT_EQ(r.exitCode, c.exitCode) << all(r);
    EXPECT_EQ(r.failures, c.exitCode) << all(r);
    EXPECT_EQ(r.stepsRun, static_cast<int>(std::count(c.script.begin(), c.script.end(), '\n')) - 1)
        << "every step ran\n"
        << all(r);
    if (*c.message) {
        EXPECT_NE(all(r).find(c.message), std::string::npos) << all(r);
    }
}

// Two clicks on the landing light switch send LandingLightsOn twice; the panel lights switch
// sends PanelLightsOn.
const std::string TwoLandingLights = Lights +
                                     "run 1\nclick lights_lnd 100,80\nrun 1\nexpect keys include TurnoffLightToggle\n"
                                     "click lights_lnd 100,80\nclick lights_lnd 100,80\n";

INSTANTIATE_TEST_SUITE_P(
    Lists, CountedRepeats,
    ::testing::Values(
        Counted{"HundredMillionOfAKey", Lights + "expect keys PanelLightsOn*100000000\n", 1,
                "expected key events PanelLightsOn (0x10208)*100000000, actual none"},
        Counted{"HundredMillionOfAKeyAmongOthers", TwoLandingLights + "expect keys include LandingLightsOn*100000000\n",
                1, "among the key events LandingLightsOn (0x1020b)*100000000"},
        Counted{"ThreeWhereTwoWereSent", TwoLandingLights + "expect keys LandingLightsOn*3\n", 1,
                "expected key events LandingLightsOn (0x1020b)*3"},
        Counted{"CountThenAnotherKey",
                TwoLandingLights + "click oh_lights 190,50\nexpect keys LandingLightsOn*2 PanelLightsOn\n", 0, ""},
        Counted{"IncludeCountThenAnotherKey",
                TwoLandingLights + "click oh_lights 190,50\nexpect keys include LandingLightsOn*2 PanelLightsOn\n", 0,
                ""},
        Counted{"IncludeCountOneTooMany",
                TwoLandingLights + "click oh_lights 190,50\nexpect keys include LandingLightsOn*3 PanelLightsOn\n", 1,
                ""},
        Counted{"PlayedTwice", Probe + "click tj20_probe 5,5\nclick tj20_probe 5,5\nexpect played probe_once.wav*2\n",
                0, ""},
        Counted{"PlayedAHundredMillionTimes", Probe + "click tj20_probe 5,5\nexpect played probe_once.wav*100000000\n",
                1, "expected sounds played probe_once.wav*100000000, actual probe_once.wav once"},
        Counted{"PlayingCountedAgainstWhatSounds", Probe + "click tj20_probe 5,25\nexpect playing probe_loop.wav*2\n",
                1, "expected sounds playing probe_loop.wav*2"}),
    [](const auto& info) { return info.param.name; });

// ---- every JSON line is valid JSON, whatever the text and the tick

struct JsonCase {
    const char* name;
    std::string text;  // a note's text
    double tick;
    std::string line;  // the whole line
};

void PrintTo(const JsonCase& c, std::ostream* out) { *out << c.name; }

class JsonLines : public ::testing::TestWithParam<JsonCase> {};

TEST_P(JsonLines, AreValidUtf8Json) {
    const auto& c = GetParam();
    tj20::host::Event e;
    e.kind = tj20::host::Event::Kind::Note;
    e.cycle = 3;
    e.tick = c.tick;
    e.text = c.text;
    std::ostringstream out;
    tj20::host::printEventJson(out, e);
    EXPECT_EQ(out.str(), c.line);
}

std::string noteLine(const std::string& tick, const std::string& text) {
    return "{\"cycle\":3,\"tick\":" + tick + ",\"kind\":\"note\",\"text\":\"" + text + "\"}\n";
}

INSTANTIATE_TEST_SUITE_P(
    Text, JsonLines,
    ::testing::Values(
        JsonCase{"EscapedCharacters", "a \"b\" \\ c\n\t\x01", 3, noteLine("3", "a \\\"b\\\" \\\\ c\\n\\t\\u0001")},
        JsonCase{"WellFormedUtf8Stays", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9D\x84\x9E", 3,
                 noteLine("3", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9D\x84\x9E")},
        JsonCase{"Latin1Byte", "caf\xE9", 3, noteLine("3", "caf\xEF\xBF\xBD")},
        JsonCase{"StrayContinuationBytes", "\x80\xBF", 3, noteLine("3", "\xEF\xBF\xBD\xEF\xBF\xBD")},
        JsonCase{"OverlongSlash", "\xC0\xAF", 3, noteLine("3", "\xEF\xBF\xBD\xEF\xBF\xBD")},
        JsonCase{"Surrogate", "\xED\xA0\x80", 3, noteLine("3", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD")},
        JsonCase{"PastTheLastCodePoint", "\xF4\x90\x80\x80", 3, noteLine("3", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD")},
        JsonCase{"CutShortAtTheEnd", "ok\xE2\x82", 3, noteLine("3", "ok\xEF\xBF\xBD\xEF\xBF\xBD")},
        JsonCase{"InfiniteTick", "t", std::numeric_limits<double>::infinity(), noteLine("null", "t")},
        JsonCase{"NotANumberTick", "t", std::nan(""), noteLine("null", "t")},
        JsonCase{"FractionalTick", "t", 2.5, noteLine("2.5", "t")},
        JsonCase{"LargeTickInFull", "t", 123456789, noteLine("123456789", "t")}),
    [](const auto& info) { return info.param.name; });

// ---- suggestions stay cheap

TEST(Suggestions, AreBoundedByTheLengthOfWhatIsCompared) {
    struct Case {
        std::string word;
        std::vector<std::string> candidates;
        std::optional<std::string> suggested;
    };
    const std::string longName(300, 'a');
    const std::string longTypo = std::string(299, 'a') + "b";
    const std::vector<std::string> verbs = {"load", "set", "click", "right-click", "run", "expect"};
    for (const Case& c :
         {Case{"clik", verbs, "click"}, Case{"right-clik", verbs, "right-click"},
          Case{"oh_light", {"rl_tj20_oh_lights", "oh_lights", "oh_light_x_y_z"}, "oh_lights"},
          Case{std::string(1 << 20, 'c'), verbs, std::nullopt}, Case{longTypo, {longName}, std::nullopt}}) {
        EXPECT_EQ(tj20::host::scenario::closest(c.word, c.candidates), c.suggested) << c.word.substr(0, 20);
    }
}

// ---- Ctrl-C and memory running out, seen from outside: the program as built

struct Outcome {
    bool exited = false;
    int code = -1;  // exit code, or the signal that ended it
    bool hung = false;
    std::string out, err;
};

std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Starts a program with stdout and stderr going to files; `whileRunning` may act on it.
template <typename WhileRunning>
Outcome runProgram(const std::vector<std::string>& args, const std::vector<std::string>& extraEnvironment,
                   const fs::path& dir, WhileRunning whileRunning) {
    const fs::path out = dir / "stdout", err = dir / "stderr";
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);  // whatever the test runner did with Ctrl-C
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> environment(extraEnvironment);
    for (char** e = environ; *e; ++e) environment.emplace_back(*e);
    std::vector<char*> envp;
    for (auto& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t pid = 0;
    Outcome o;
    const int spawned = posix_spawn(&pid, argv[0], &files, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        ADD_FAILURE() << "cannot start " << args[0];
        return o;
    }
    whileRunning(pid, out);
    // A watchdog, not a measure: a program that never ends fails the test instead of hanging it.
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + 300s;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            o.hung = true;
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(10ms);
    }
    o.exited = WIFEXITED(status);
    o.code = o.exited ? WEXITSTATUS(status) : WIFSIGNALED(status) ? WTERMSIG(status) : -1;
    o.out = slurp(out);
    o.err = slurp(err);
    return o;
}

// Waits (with a watchdog) until the file holds the text.
bool waitFor(const fs::path& file, const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + 120s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (slurp(file).find(text) != std::string::npos) return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

class CommandLine : public TempDir {
protected:
    std::vector<std::string> args(const char* program, const fs::path& script, std::vector<std::string> more = {}) {
        std::vector<std::string> a = {program, "run", script.string(), "--modules", options_.moduleDir.string()};
        a.insert(a.end(), more.begin(), more.end());
        return a;
    }
};

TEST_F(CommandLine, CtrlCStopsALongRunWithItsTraceAndSummary) {
    // The fuel pumps send their selector event in every cycle: the readable trace folds it
    // from the third cycle on, so five cycles run before the long run begins.
    for (const bool json : {false, true}) {
        const auto script = write("long.scn", "load modules main_master_variables fuelpumps\nrun 5\nrun 100000000\n");
        bool streamed = false;
        const auto o = runProgram(args(TJ20_HOST_PROGRAM, script, {json ? "--json" : "--trace"}), {}, dir_,
                                  [&](pid_t pid, const fs::path& out) {
                                      // The trace reaches its stream while the run goes on.
                                      streamed = waitFor(out, "line 3: run 100000000");
                                      kill(pid, SIGINT);
                                  });
        EXPECT_TRUE(streamed) << "the trace of the running step did not come out while it ran";
        EXPECT_FALSE(o.hung);
        ASSERT_TRUE(o.exited) << "ended by signal " << o.code;
        EXPECT_EQ(o.code, 130) << o.err;
        EXPECT_NE(o.err.find(script.string() + ": interrupted at line 3"), std::string::npos) << o.err;
        EXPECT_TRUE(o.err.ends_with(": 1 step, 0 expectations, 0 failures\n")) << o.err;
        EXPECT_NE(o.out.find("interrupted at line 3 after "), std::string::npos) << "the trace tells where it stopped";
        EXPECT_NE(o.out.find(" of 100000000 cycles"), std::string::npos);
        if (!json) {
            EXPECT_NE(o.out.find("went out in every cycle from 1 to"), std::string::npos)
                << "the folded selector event is closed\n"
                << o.out.substr(0, 2000);
        }
    }
}

TEST_F(CommandLine, OutOfMemoryAnywhereEndsWithOneMessageAndItsExitCode) {
    const auto script = write("run.scn", Lights +
                                             "run 1\nclick lights_lnd 100,80\nrun 30\nexpect keys include "
                                             "TurnoffLightToggle\nnote done\n");
    const auto run = [&](const std::string& failing) {
        return runProgram(args(TJ20_HOST_FAILING_NEW, script, {"--json"}), {"TJ20_FAIL_ALLOCATION=" + failing}, dir_,
                          [](pid_t, const fs::path&) {});
    };
    // How many allocations the whole run makes: reading, loading, running, tracing, unloading.
    const auto counted = run("count");
    ASSERT_EQ(counted.code, 0) << counted.err;
    const auto at = counted.err.rfind("allocations: ");
    ASSERT_NE(at, std::string::npos) << counted.err;
    const long total = std::stol(counted.err.substr(at + 13));
    ASSERT_GT(total, 100);

    // The failing allocation falls at forty places spread over the run, the first and the last
    // included: each ends in the one message and exit status 3, or, where it falls in the
    // unloading after the run, is dropped with the panel and the run passes.
    int outOfMemory = 0;
    for (long i = 0; i < 40; ++i) {
        const long failing = 1 + i * (total - 1) / 39;
        const auto o = run(std::to_string(failing));
        ASSERT_TRUE(o.exited) << "allocation " << failing << " of " << total << ": ended by signal " << o.code << "\n"
                              << o.err;
        if (o.code == 0) {
            EXPECT_TRUE(o.err.ends_with(": passed\n")) << "allocation " << failing << "\n" << o.err;
            continue;
        }
        ++outOfMemory;
        EXPECT_EQ(o.code, 3) << "allocation " << failing << " of " << total << "\n" << o.err;
        EXPECT_EQ(o.err, "tj20host: out of memory: the run was abandoned\n") << "allocation " << failing;
    }
    EXPECT_GT(outOfMemory, 30) << "most places are before the unloading";
}

// ---- interrupts and progress, in process

// A stream that raises the interrupt flag the first time anything is written to it: the
// progress line of the first cycle asks to stop, as Ctrl-C would.
class InterruptingStream : public std::ostream, std::streambuf {
public:
    explicit InterruptingStream(volatile std::sig_atomic_t& flag) : std::ostream(this), flag_(flag) {}
    int overflow(int c) override {
        flag_ = 1;
        return c;
    }

private:
    volatile std::sig_atomic_t& flag_;
};

struct Interrupted {
    const char* name;
    std::string step;  // the step on line 2
};

void PrintTo(const Interrupted& c, std::ostream* out) { *out << c.name; }

class Interrupts : public TempDir, public ::testing::WithParamInterface<Interrupted> {};

TEST_P(Interrupts, StopBetweenCyclesAndSayWhere) {
    const auto& c = GetParam();
    volatile std::sig_atomic_t flag = 0;
    InterruptingStream progress(flag);
    options_.interrupted = &flag;
    options_.progress = &progress;
    options_.updateInterval = 0ms;
    std::ostringstream trace;
    options_.trace = &trace;
    // A later step would run, were the interrupt not heeded.
    const auto r = run(Probe + c.step + "\nset shared probeval 9\n");
    EXPECT_EQ(r.exitCode, tj20::host::ScenarioInterrupted) << all(r);
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(r.interruptedLine, 2);
    EXPECT_EQ(r.interruptedCycles, 1) << "the first cycle ran, then the flag was seen";
    EXPECT_EQ(r.stepsRun, 0);
    EXPECT_NE(trace.str().find("interrupted at line 2 after 1 of 1000 cycles"), std::string::npos) << trace.str();
    EXPECT_EQ(trace.str().find("line 3:"), std::string::npos) << "line 3 did not run";
}

INSTANTIATE_TEST_SUITE_P(Steps, Interrupts,
                         ::testing::Values(Interrupted{"Run", "run 1000"},
                                           Interrupted{"Hold", "hold tj20_probe 25,5 1000"}),
                         [](const auto& info) { return info.param.name; });

TEST_F(TempDir, InterruptBeforeTheFirstStepRunsNothing) {
    volatile std::sig_atomic_t flag = 1;
    options_.interrupted = &flag;
    const auto r = run(Probe + "run 1\n");
    EXPECT_EQ(r.exitCode, tj20::host::ScenarioInterrupted);
    EXPECT_EQ(r.interruptedLine, 2);
    EXPECT_EQ(r.interruptedCycles, 0);
    EXPECT_EQ(r.stepsRun, 0);
}

TEST_F(TempDir, ProgressCountsTheCyclesThenClearsItsLine) {
    std::ostringstream progress;
    options_.progress = &progress;
    options_.updateInterval = 0ms;
    const auto r = run(Probe + "run 3\n");
    EXPECT_EQ(r.exitCode, 0) << all(r);
    const std::string line = (dir_ / "test.scn").string() + ":2: ";
    EXPECT_EQ(progress.str(), "\r" + line + "0 of 3 cycles\r" + line + "1 of 3 cycles\r" + line + "2 of 3 cycles\r" +
                                  std::string(line.size() + 13, ' ') + "\r");
}

}  // namespace
