// Both NAV heads: the readouts, and the course knob stepping from the course the head shows.
#include "test_bed.h"
#include "tj20/ids.h"

namespace tj20::test {
namespace {

constexpr Pt CourseUp{199, 95}, CourseDown{167, 95};

struct Head {
    const char* gauge;
    SimVar frequency, course;
    std::uint32_t courseDown, courseUp;  // the one-degree step sent before the set; 0 none
    KeyEvent courseSet;
};
constexpr Head heads[] = {
    {"rl_tj20_main_nav1", sim::Nav1Frequency, sim::Nav1Course, key::Nav1CourseDecrease, 0, key::Nav1CourseSet},
    {"rl_tj20_main_nav2", sim::Nav2Frequency, sim::Nav2Course, key::Nav2CourseDecrease, key::Nav2CourseIncrease,
     key::Nav2CourseSet},
};

Bed loadedAt(double course) {
    Bed bed{{.modules = {heads[0].gauge, heads[1].gauge}, .firstCycles = 0}};
    for (const auto& h : heads) bed.sim(h.course, course);
    bed.run(1);
    return bed;
}

// The digit text read back as a number and printed with "%3.2f"; a nibble above 9 prints as
// two figures.
TEST(NavHeads, ShowTheSimulatorsFrequencyAndCourse) {
    Bed bed = loadedAt(0);
    const std::pair<std::uint32_t, const char*> frequencies[] = {
        {0x1050, "110.50"}, {0x0800, "108.00"}, {0x1795, "117.95"}, {0x10A0, "110.10"}};
    for (const auto& [packed, shown] : frequencies) {
        for (const auto& h : heads) bed.digits(h.frequency, packed);
        bed.run(1);
        for (const auto& h : heads) EXPECT_EQ(bed.element(h.gauge, "25,20").text, shown) << h.gauge;
    }
    const std::pair<double, const char*> courses[] = {{7, "007"}, {359.5, "360"}};
    for (const auto& [degrees, shown] : courses) {
        for (const auto& h : heads) bed.sim(h.course, degrees);
        bed.run(1);
        for (const auto& h : heads) EXPECT_EQ(bed.element(h.gauge, "160,20").text, shown) << h.gauge;
    }
}

// Each row: the course the simulator had at loading and at the clicks, the clicks made
// within one cycle, the courses set. The first row is the first click after loading.
struct CourseCase {
    double atLoad, from;
    bool up;
    int clicks;
    std::vector<std::uint32_t> set;
};
const CourseCase courseCases[] = {
    {200, 200, true, 1, {201}},   {200, 200, false, 1, {199}}, {0, 358, true, 2, {359, 0}},
    {0, 0, false, 2, {359, 358}}, {0, 45.6, true, 1, {47}},    {0, -90, false, 1, {269}},
};

TEST(NavHeads, CourseKnobStepsFromTheShownCourseThroughNorth) {
    for (const auto& c : courseCases) {
        Bed bed = loadedAt(c.atLoad);
        for (const auto& h : heads) {
            SCOPED_TRACE(::testing::Message() << h.gauge << " from " << c.from << (c.up ? " up" : " down"));
            bed.sim(h.course, c.from);
            if (c.from != c.atLoad) bed.run(1);
            const Mark m = bed.mark();
            std::vector<std::uint32_t> expected;
            for (int i = 0; i < c.clicks; ++i) {
                bed.click(h.gauge, c.up ? CourseUp : CourseDown);
                if (const auto step = c.up ? h.courseUp : h.courseDown) expected.push_back(step);
                expected.push_back(h.courseSet);
            }
            EXPECT_EQ(bed.keyIds(m), expected);
            EXPECT_EQ(bed.values(h.courseSet, m), c.set);
        }
    }
}

TEST(NavHeads, CourseKnobTurnsThroughTwelveFramesAndStartsOverAtTheFirstDraw) {
    Bed bed = loadedAt(100);
    const char* nav2 = heads[1].gauge;
    const std::pair<Pt, int> turns[] = {{CourseDown, 11}, {CourseUp, 0}, {CourseUp, 1}};
    for (const auto& [knob, frame] : turns) {
        bed.click(nav2, knob);
        bed.run(1);
        EXPECT_EQ(bed.element(nav2, "162,72").state, frame);
    }
    bed.unload();
    Bed fresh{{.modules = {nav2}, .firstCycles = 0}};
    fresh.click(CourseDown);
    fresh.run(1);
    EXPECT_EQ(fresh.element("162,72").state, 0);
}

}  // namespace
}  // namespace tj20::test
