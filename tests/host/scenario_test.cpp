// The scenario runner, driven in-process with small inline scripts against the real
// modules: every verb and expectation passing and failing, and every kind of bad input
// reported with its line before anything runs.
#include "tj20host/scenario.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "panel_test.h"
#include "scenario_text.h"

namespace {

namespace fs = std::filesystem;
using tj20::host::Diagnostic;
using tj20::host::ScenarioOptions;
using tj20::host::ScenarioResult;

const std::string Probe = "load modules main_master_variables tj20_probe\n";
const std::string Lights = "load modules main_master_variables oh_lights lights_lnd\n";

// A small configuration: the main panel with the overhead open button, the overhead window
// (hidden) with the lights switch and the close button.
const std::string TwoWindows = R"([Window Titles]
Window00=Main Panel
Window01=Overhead
[Window00]
gauge00=rl_tj20_main_master_variables!rl_tj20_main_master_variables, 0, 0
gauge01=rl_tj20_icon_ovhd_open!rl_tj20_icon_ovhd_open, 10, 10
[Window01]
ident=overhead
visible=0
gauge00=rl_tj20_oh_lights!rl_tj20_oh_lights, 0, 0
gauge01=rl_tj20_icon_ovhd_close!rl_tj20_icon_ovhd_close, 300, 0
)";

class ScenarioTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        dir_ = fs::temp_directory_path() / ("tj20_scenario_" + std::to_string(getpid()) + "_" + name);
        fs::create_directories(dir_);
        write("two_windows.cfg", TwoWindows);
        write("bad.cfg", "[Window Titles]\nthis line is not key=value\n");
        write("missing_module.cfg",
              "[Window Titles]\nWindow00=Main\n[Window00]\ngauge00=rl_tj20_nothing!rl_tj20_nothing, 0, 0\n");
        options_.moduleDir = tj20::test::panelDir();
        options_.defaultConfig = dir_ / "two_windows.cfg";
    }
    void TearDown() override { fs::remove_all(dir_); }

    void write(const std::string& name, const std::string& text) { std::ofstream(dir_ / name) << text; }

    ScenarioResult run(const std::string& script) { return runScenario(script, dir_ / "test.scn", options_); }

    fs::path dir_;
    ScenarioOptions options_;
};

using tj20::test::all;

// ---- every verb and expectation, holding

struct Passing {
    const char* name;
    std::string script;
    int expectations;
};

void PrintTo(const Passing& c, std::ostream* out) { *out << c.name; }

class PassingScript : public ScenarioTest, public ::testing::WithParamInterface<Passing> {};

TEST_P(PassingScript, RunsEveryStepAndEveryExpectationHolds) {
    const auto& c = GetParam();
    const auto r = run(c.script);
    EXPECT_EQ(r.exitCode, 0) << all(r);
    EXPECT_EQ(r.failures, 0);
    EXPECT_EQ(r.expectationsChecked, c.expectations) << "every expectation line is checked once";
}

INSTANTIATE_TEST_SUITE_P(
    Verbs, PassingScript,
    ::testing::Values(
        Passing{"SimFloatExactAndWithinTolerance",
                Probe + "set sim 0x7001 2.5\nexpect sim 0x7001 2.5\n"
                        "expect sim 0x7001 2.4 within 0.2\n",
                2},
        Passing{"SimByName", Probe + "set sim TurnoffLight 1\nexpect sim TurnoffLight 1\nexpect sim 0x365 1.0\n", 2},
        Passing{"PackedDigitsWrittenInHex", Probe + "set sim 0x7001 0x11030\nexpect sim 0x7001 0x11030\n", 1},
        Passing{"SharedValueReachesTheElements",
                Probe + "set shared probeval 4\nexpect shared probeval 4\nrun 1\n"
                        "expect element tj20_probe 80,0 hidden\nset shared probeval 7\nrun 1\n"
                        "expect element tj20_probe 80,0 shown\nexpect element tj20_probe 80,0 lit\n"
                        "expect element tj20_probe 80,0 state 2   # clamped to the last image\n"
                        "expect element tj20_probe 80,0 value 7\n",
                6},
        Passing{"TickSetThenStepped",
                Probe + "set tick 100\nrun 2 step 5\nexpect sim TickCount 110\n"
                        "run 1 step 0\nexpect sim 0x1 110\n",
                2},
        Passing{"ClickPlaysASound",
                Probe + "click tj20_probe 5,5\nexpect shared probecount 1\n"
                        "expect played probe_once.wav\nexpect playing none\n",
                3},
        Passing{"HoldRepeatsEveryCycle",
                Probe + "hold tj20_probe 25,5 3\nexpect shared probecount 40\n"
                        "expect sim TickCount 3\n",
                2},
        Passing{"DragGivesThePointInTheArea", Probe + "drag tj20_probe 65,7\nexpect shared probedrag 507\n", 1},
        Passing{"RightClick", Probe + "right-click tj20_probe 45,5\nexpect shared probeval 1\n", 1},
        Passing{"KeyEventsInOrderWithValuesAndCounts",
                Lights + "run 1\nclick lights_lnd 100,80\nexpect keys TurnoffLightToggle=0\nexpect keys none\n"
                         "run 1\nclick lights_lnd 100,80\nclick lights_lnd 100,80\n"
                         "expect keys LandingLightsOn*2\nclick oh_lights 190,50\nclick lights_lnd 100,50\n"
                         "expect keys include LandingLightsOff\nclick oh_lights 190,50\n"
                         "expect keys from oh_lights 0x10209\n",
                5},
        Passing{"PlayedOnceOrRepeating",
                Probe + "click tj20_probe 5,25\nclick tj20_probe 5,5\n"
                        "expect played probe_loop.wav=repeating probe_once.wav=once\n"
                        "click tj20_probe 5,5\nexpect played include probe_once.wav=once*1\n",
                2},
        Passing{"SliderMovingImageAndSpriteOffsets",
                Probe + "set sim 0x7001 3\nrun 1\nexpect element tj20_probe 0,60 offset 6,-2\n"
                        "expect element tj20_probe 0,60 value 3\n"
                        "expect element tj20_probe 0,70 offset 9.9,2 within 1e-9\n"
                        "expect element tj20_probe 60,60 offset 1.5,-2\n",
                4},
        Passing{"NegativeKeyValue",
                "load modules main_master_variables main_dfgs\nrun 1\nset sim Altitude -120\nrun 1\n"
                "click main_dfgs 460,20\nexpect keys include AltitudeSet=-120\n"
                "expect sim SelectedAltitude -120\n",
                2},
        Passing{"HostOnlySimulatorNames",
                Probe + "set sim LandingLights 1\nexpect sim 0x1c00 1\n"
                        "set sim 0x1c10 2\nexpect sim FuelSelector 2\n",
                2},
        Passing{"RepeatingSoundPlaysUntilStopped",
                Probe + "click tj20_probe 5,25\nclick tj20_probe 5,5\nexpect played probe_loop.wav probe_once.wav\n"
                        "expect playing probe_loop.wav\nexpect playing include probe_loop.wav\n"
                        "click tj20_probe 25,25\nexpect stopped probe_loop.wav\nexpect playing none\n"
                        "expect played none\nexpect stopped none\n",
                7},
        Passing{"NeedleValueAndAngle",
                Probe + "set shared probeval 5\nrun 1\nexpect element tj20_probe 50,50 value 5\n"
                        "expect element tj20_probe 50,50 angle 0.785398 within 1e-5\n"
                        "set shared probeval 50\nrun 1\n"
                        "expect element tj20_probe 50,50 angle 3.14159 within 1e-5\n",
                3},
        Passing{"TextOfAnElement",
                Probe + "set sim 0x7001 2.5\nrun 1\nexpect element tj20_probe 10,10 text 2.50\n"
                        "expect element tj20_probe 10,10 text \"2.50\"\n",
                2},
        Passing{"SecondElementAtAPosition",
                Probe + "run 1\nexpect element tj20_probe 90,0 state 0\n"
                        "expect element tj20_probe 90,0[1] value 0\n"
                        "expect element tj20_probe 0,0 shown\n",
                3},
        Passing{"ElementsBeforeTheFirstCycle", Lights + "expect element oh_lights 38,23 state 0\n", 1},
        Passing{"WindowsByIdentTitleAndSection",
                "load default\nexpect window overhead hidden\nexpect window \"Main Panel\" shown\n"
                "expect gauge icon_ovhd_close hidden\nclick icon_ovhd_open 9,9\nexpect window Window01 shown\n"
                "expect gauge oh_lights shown\nset window overhead hidden\nexpect window overhead hidden\n",
                6},
        Passing{"ConfigFileRelativeToTheScript", "load config two_windows.cfg\nexpect window overhead hidden\n", 1},
        Passing{"NotesAndCommentsOnly", Probe + "# a comment\n\n   note checking \"nothing\"   # trailing\n", 0}),
    [](const auto& info) { return info.param.name; });

// ---- every kind of expectation, failing

struct Failing {
    const char* name;
    std::string script;
    int line;
    const char* message;  // a part of the report
};

void PrintTo(const Failing& c, std::ostream* out) { *out << c.name; }

class FailingExpectation : public ScenarioTest, public ::testing::WithParamInterface<Failing> {};

TEST_P(FailingExpectation, ReportsLineExpectedAndActualAndExitsOne) {
    const auto& c = GetParam();
    const auto r = run(c.script);
    EXPECT_EQ(r.exitCode, 1) << all(r);
    ASSERT_EQ(r.diagnostics.size(), 1u) << all(r);
    const Diagnostic& d = r.diagnostics[0];
    EXPECT_EQ(d.kind, Diagnostic::Kind::Failure);
    EXPECT_EQ(d.line, c.line);
    EXPECT_NE(d.message.find(c.message), std::string::npos) << d.message;
    EXPECT_NE(toString(d).find("test.scn:" + std::to_string(c.line) + ": failed: "), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Expectations, FailingExpectation,
    ::testing::Values(
        Failing{"Shared", Probe + "expect shared probecount 2\n", 2, "expected 2, actual 0"},
        Failing{"SimOutsideTolerance", Probe + "set sim 0x7001 2.5\nexpect sim 0x7001 2.0 within 0.4\n", 3,
                "expected 2 within 0.4, actual 2.5"},
        Failing{"PackedDigits", Probe + "set sim 0x7001 0x11030\nexpect sim 0x7001 0x11035\n", 3,
                "expected 0x11035, actual 0x11030"},
        Failing{"KeysInAnotherOrder",
                Lights + "click oh_lights 190,50\nclick lights_lnd 100,80\n"
                         "expect keys TurnoffLightToggle PanelLightsOn\n",
                4, "actual PanelLightsOn (0x10208)=0 from rl_tj20_oh_lights, TurnoffLightToggle (0x10357)=0"},
        Failing{"KeyValue", Lights + "click oh_lights 190,50\nexpect keys PanelLightsOn=1\n", 3,
                "expected key events PanelLightsOn (0x10208)=1"},
        Failing{"KeyCount", Lights + "click oh_lights 190,50\nexpect keys PanelLightsOn*2\n", 3,
                "actual PanelLightsOn (0x10208)=0 from rl_tj20_oh_lights"},
        Failing{"KeysWithOneMoreSent",
                Lights + "click oh_lights 190,50\nclick oh_lights 190,50\n"
                         "expect keys PanelLightsOn\n",
                4, "PanelLightsOff (0x10209)=0"},
        Failing{"KeysNoneButOneWasSent", Lights + "click oh_lights 190,50\nexpect keys none\n", 3,
                "expected key events none, actual PanelLightsOn"},
        Failing{"KeysAlreadyChecked",
                Lights + "click oh_lights 190,50\nexpect keys PanelLightsOn\n"
                         "expect keys include PanelLightsOn\n",
                4, "actual none"},
        Failing{"KeysFromAnotherGauge", Lights + "click oh_lights 190,50\nexpect keys from lights_lnd PanelLightsOn\n",
                3, "from rl_tj20_lights_lnd"},
        Failing{"Played", Probe + "click tj20_probe 5,5\nexpect played probe_loop.wav\n", 3,
                "expected sounds played probe_loop.wav, actual probe_once.wav once"},
        Failing{"PlayedOnceNotRepeating", Probe + "click tj20_probe 5,5\nexpect played probe_once.wav=repeating\n", 3,
                "expected sounds played probe_once.wav repeating, actual probe_once.wav once"},
        Failing{"PlayedIncludeOnlyPartly",
                Probe + "click tj20_probe 5,5\nexpect played include probe_once.wav probe_loop.wav\n", 3,
                "among the sounds played probe_once.wav, probe_loop.wav"},
        Failing{"KeysIncludeOnlyPartlySent",
                Lights + "click oh_lights 190,50\nexpect keys include PanelLightsOn PanelLightsOff\n", 3,
                "among the key events PanelLightsOn (0x10208), PanelLightsOff (0x10209)"},
        Failing{"KeysIncludeInAnotherOrder",
                Lights + "click oh_lights 190,50\nclick oh_lights 190,50\n"
                         "expect keys include PanelLightsOff PanelLightsOn\n",
                4, "actual PanelLightsOn (0x10208)=0 from rl_tj20_oh_lights, PanelLightsOff"},
        Failing{"KeyValueNegative", Lights + "click oh_lights 190,50\nexpect keys PanelLightsOn=-1\n", 3,
                "expected key events PanelLightsOn (0x10208)=-1, actual PanelLightsOn (0x10208)=0"},
        Failing{"KeysSinceLongerAgoThanTheJournalKeeps",
                "load modules main_master_variables fuelpumps\nrun 20000\nexpect keys include FuelSelectorAll\n", 3,
                "the journal keeps the latest 16384 events"},
        Failing{"ElementOffset", Probe + "set sim 0x7001 3\nrun 1\nexpect element tj20_probe 0,60 offset 6,2\n", 4,
                "expected offset 6,2, actual offset 6,-2"},
        Failing{"Stopped", Probe + "expect stopped probe_loop.wav\n", 2, "actual none"},
        Failing{"Playing", Probe + "click tj20_probe 5,25\nexpect playing none\n", 3,
                "actual probe_loop.wav (probe_loop.wav)"},
        Failing{"Window", "load default\nexpect window overhead shown\n", 2, "expected shown, actual hidden"},
        Failing{"GaugeWindow", "load default\nexpect gauge oh_lights shown\n", 2, "actual hidden (window Overhead)"},
        Failing{"ElementState", Lights + "click oh_lights 60,50\nexpect element oh_lights 38,23 state 1\n", 3,
                "expected state 1, actual state 0"},
        Failing{"ElementHidden", Probe + "run 1\nexpect element tj20_probe 80,0 shown\n", 3,
                "expected shown, actual hidden"},
        Failing{"ElementLit", Probe + "run 1\nexpect element tj20_probe 50,50 lit\n", 3, "expected lit, actual unlit"},
        Failing{"ElementValue", Probe + "set shared probeval 3\nrun 1\nexpect element tj20_probe 50,50 value 4\n", 4,
                "expected 4, actual 3"},
        Failing{"ElementText", Probe + "run 1\nexpect element tj20_probe 10,10 text 1.00\n", 3,
                "expected text \"1.00\", actual text \"0.00\""},
        Failing{"ClickThatNoAreaTakes", Probe + "click tj20_probe 115,75\n", 2,
                "no mouse area of tj20_probe at 115,75"},
        Failing{"ClickInAHiddenWindow", "load default\nclick oh_lights 60,50\n", 2,
                "sits in the window Overhead, which is hidden"}),
    [](const auto& info) { return info.param.name; });

// ---- bad input: reported with its line, and nothing runs

struct Bad {
    const char* name;
    std::string script;
    int line;
    const char* message;
};

void PrintTo(const Bad& c, std::ostream* out) { *out << c.name; }

class BadInput : public ScenarioTest, public ::testing::WithParamInterface<Bad> {};

TEST_P(BadInput, IsReportedWithItsLineBeforeAnythingRuns) {
    const auto& c = GetParam();
    // A click ahead of the problem would show in the results had anything run.
    const auto r = run(c.script);
    EXPECT_EQ(r.exitCode, 2) << all(r);
    EXPECT_EQ(r.stepsRun, 0);
    ASSERT_FALSE(r.diagnostics.empty());
    const Diagnostic& d = r.diagnostics[0];
    EXPECT_EQ(d.kind, Diagnostic::Kind::Error);
    EXPECT_EQ(d.line, c.line) << d.message;
    EXPECT_NE(d.message.find(c.message), std::string::npos) << d.message;
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, BadInput,
    ::testing::Values(
        Bad{"UnknownVerb", Probe + "click tj20_probe 5,5\nclik tj20_probe 5,5\n", 3,
            "unknown verb 'clik' (did you mean 'click'?)"},
        Bad{"UnknownSetTarget", Probe + "set simulator 0x1 1\n", 2, "unknown thing to set 'simulator'"},
        Bad{"UnknownExpectation", Probe + "expect key PanelLightsOn\n", 2, "unknown expectation 'key'"},
        Bad{"UnknownElementProperty", Probe + "expect element tj20_probe 0,0 visible\n", 2,
            "unknown element property 'visible'"},
        Bad{"UnknownSimulatorName", Probe + "set sim TurnofLight 1\n", 2,
            "unknown simulator variable 'TurnofLight' (did you mean 'TurnoffLight'?)"},
        Bad{"UnknownKeyName", Probe + "expect keys PanelLightOn\n", 2, "unknown key event 'PanelLightOn'"},
        Bad{"MalformedNumber", Probe + "set shared probeval 1o\n", 2, "shared value '1o' is not a whole number"},
        Bad{"NumberTooWide", Probe + "set shared probeval 0x100000000\n", 2, "does not fit in 32 bits"},
        Bad{"MalformedFloat", Probe + "set sim 0x7001 2,5\n", 2, "simulator value '2,5' is not a number"},
        Bad{"MalformedPosition", Probe + "click tj20_probe 5;5\n", 2, "position '5;5' must read x,y"},
        Bad{"MalformedElementIndex", Probe + "expect element tj20_probe 90,0[x] state 0\n", 2, "element index"},
        Bad{"ZeroCycles", Probe + "run 0\n", 2, "number of cycles must be from 1"},
        Bad{"MissingWord", Probe + "hold tj20_probe 5,5\n", 2, "missing a number of cycles"},
        Bad{"WordsLeftOver", Probe + "run 1 2\n", 2, "unexpected '2' at the end of the line"},
        Bad{"UnterminatedQuote", Probe + "expect element tj20_probe 10,10 text \"2.50\n", 2, "lacks its closing"},
        Bad{"NegativeTolerance", Probe + "expect sim 0x1 0 within -1\n", 2, "cannot be negative"},
        Bad{"ToleranceOnPackedDigits", Probe + "expect sim 0x1 0x10 within 1\n", 2, "packed digits compare exactly"},
        Bad{"IncludeNone", Probe + "expect keys include none\n", 2, "'include none' checks nothing"},
        Bad{"KeyValueTooNegative", Probe + "expect keys PanelLightsOn=-2147483649\n", 2, "does not fit in 32 bits"},
        Bad{"SoundPlayedHow", Probe + "expect played probe_once.wav=twice\n", 2, "'probe_once.wav=once' or"},
        Bad{"MalformedOffset", Probe + "expect element tj20_probe 0,60 offset 6\n", 2, "offset '6' must read x,y"},
        Bad{"StepBeforeLoad", "run 1\n" + Probe, 1, "the panel must be loaded first"},
        Bad{"LoadTwice", Probe + "run 1\n" + Probe, 3, "the panel is already loaded (line 1)"},
        Bad{"NoLoad", "# nothing\n", 0, "the script loads no panel"}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Names, BadInput,
    ::testing::Values(
        Bad{"UnknownModule", "load modules main_master_variables oh_light\n", 1, "module oh_light is not in"},
        Bad{"UnknownModuleGetsASuggestion", "load modules main_master_variables oh_light\n", 1,
            "(did you mean rl_tj20_oh_lights?)"},
        Bad{"UnknownGauge", Probe + "click tj20_prob 5,5\n", 2,
            "the panel has no gauge tj20_prob (did you mean tj20_probe?)"},
        Bad{"UnknownSharedVariable", Probe + "run 1\nexpect shared probcount 1\n", 3,
            "no gauge of this panel registers the shared variable probcount (did you mean probecount?)"},
        Bad{"UnknownWindow", "load default\nexpect window ovrhead shown\n", 2, "the panel has no window ovrhead"},
        Bad{"NoElementThere", Lights + "expect element oh_lights 5,5 state 0\n", 2,
            "rl_tj20_oh_lights has no element at 5,5 (elements at: 0,0 0,0 38,23 168,23)"},
        Bad{"ElementIndexPastThem", Lights + "expect element oh_lights 0,0[2] lit\n", 2, "holds 2 element(s); index 2"},
        Bad{"TextOfAnIcon", Lights + "expect element oh_lights 38,23 text on\n", 2,
            "is an icon; 'text' checks text elements only"},
        Bad{"StateOfANeedle", Probe + "expect element tj20_probe 50,50 state 1\n", 2, "'state' checks icons only"},
        Bad{"OffsetOfAnIcon", Probe + "expect element tj20_probe 80,0 offset 0,0\n", 2,
            "is an icon; 'offset' checks sliders, moving images and sprites only"},
        Bad{"MissingConfiguration", "load config nowhere.cfg\n", 1, "panel configuration not found"},
        Bad{"MalformedConfiguration", "load config bad.cfg\n", 1, "bad.cfg:2"},
        Bad{"ConfigurationNamesAMissingModule", "load config missing_module.cfg\n", 1,
            "missing_module.cfg:4: module rl_tj20_nothing is not in"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ScenarioTest, EveryBadLineIsReportedNotJustTheFirst) {
    // Syntax errors, and the unknown names on the lines that did read.
    const auto r = run(Probe +
                       "clik tj20_probe 5,5\nrun x\nexpect shared probeval 0\nset sim 0x1\n"
                       "expect shared probval 1\n");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.stepsRun, 0);
    ASSERT_EQ(r.diagnostics.size(), 4u) << all(r);
    EXPECT_EQ(r.diagnostics[0].line, 2);
    EXPECT_EQ(r.diagnostics[1].line, 3);
    EXPECT_EQ(r.diagnostics[2].line, 5);
    EXPECT_EQ(r.diagnostics[3].line, 6);
    EXPECT_NE(r.diagnostics[3].message.find("probval"), std::string::npos);
}

TEST_F(ScenarioTest, ModuleDirectoryThatDoesNotExistIsBadInput) {
    options_.moduleDir = dir_ / "no_such_dir";
    const auto r = run(Probe);
    EXPECT_EQ(r.exitCode, 2);
    ASSERT_EQ(r.diagnostics.size(), 1u);
    EXPECT_EQ(r.diagnostics[0].line, 1);
    EXPECT_NE(r.diagnostics[0].message.find("no_such_dir does not exist"), std::string::npos);
}

TEST_F(ScenarioTest, ModuleDirectoryWithoutModulesIsBadInput) {
    options_.moduleDir = dir_;  // holds only the configuration
    const auto r = run(Probe);
    EXPECT_EQ(r.exitCode, 2);
    ASSERT_EQ(r.diagnostics.size(), 1u);
    EXPECT_NE(r.diagnostics[0].message.find("holds no gauge modules"), std::string::npos);
}

TEST_F(ScenarioTest, MissingScriptFileIsBadInput) {
    const auto r = runScenarioFile(dir_ / "absent.scn", options_);
    EXPECT_EQ(r.exitCode, 2);
    ASSERT_EQ(r.diagnostics.size(), 1u);
    EXPECT_EQ(toString(r.diagnostics[0]), (dir_ / "absent.scn").string() + ": error: scenario script not found");
}

TEST_F(ScenarioTest, LoadDefaultWithoutADefaultConfigurationIsBadInput) {
    options_.defaultConfig.clear();
    const auto r = run("load default\n");
    EXPECT_EQ(r.exitCode, 2);
    ASSERT_EQ(r.diagnostics.size(), 1u);
    EXPECT_NE(r.diagnostics[0].message.find("no default panel configuration"), std::string::npos);
}

// ---- running on after a failure, or not

TEST_F(ScenarioTest, FailedExpectationLetsTheRestRun) {
    const auto r = run(Probe +
                       "expect shared probecount 1\nclick tj20_probe 5,5\nexpect shared probecount 2\n"
                       "expect shared probecount 1\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.failures, 2);
    EXPECT_EQ(r.stepsRun, 4);
    EXPECT_EQ(r.expectationsChecked, 3);
}

TEST_F(ScenarioTest, FailFastStopsAtTheFirstFailure) {
    options_.failFast = true;
    const auto r = run(Probe + "expect shared probecount 1\nclick tj20_probe 5,5\nexpect shared probecount 2\n");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.failures, 1);
    EXPECT_EQ(r.stepsRun, 1);
}

// ---- what a person sees

TEST_F(ScenarioTest, ReportStreamGetsEachDiagnosticAsItArises) {
    std::ostringstream report;
    options_.report = &report;
    run(Probe + "expect shared probecount 1\n");
    EXPECT_EQ(report.str(),
              (dir_ / "test.scn").string() + ":2: failed: expect shared probecount 1: expected 1, actual 0\n");
}

TEST_F(ScenarioTest, TraceShowsNotesActionsAndWhatTheyCaused) {
    std::ostringstream trace;
    options_.trace = &trace;
    run(Lights + "note switching on\nclick lights_lnd 100,80\nexpect keys TurnoffLightToggle\n");
    const std::string t = trace.str();
    const auto note = t.find("switching on");
    const auto click = t.find("line 3: click lights_lnd 100,80");
    const auto key = t.find("key event TurnoffLightToggle (0x10357)");
    ASSERT_NE(note, std::string::npos) << t;
    ASSERT_NE(click, std::string::npos) << t;
    ASSERT_NE(key, std::string::npos) << t;
    EXPECT_LT(note, click);
    EXPECT_LT(click, key);
    EXPECT_EQ(t.find("expect keys"), std::string::npos) << "expectations stay out of the trace";
}

TEST_F(ScenarioTest, JsonTraceIsOneObjectPerLine) {
    std::ostringstream trace;
    options_.trace = &trace;
    options_.traceJson = true;
    run(Lights + "click lights_lnd 100,80\n");
    std::istringstream lines(trace.str());
    std::string line;
    int objects = 0;
    bool sawKey = false;
    while (std::getline(lines, line)) {
        ++objects;
        EXPECT_EQ(line.front(), '{');
        EXPECT_EQ(line.back(), '}');
        sawKey = sawKey || line.find("\"kind\":\"key\"") != std::string::npos;
    }
    EXPECT_GE(objects, 2);
    EXPECT_TRUE(sawKey) << trace.str();
}

}  // namespace
