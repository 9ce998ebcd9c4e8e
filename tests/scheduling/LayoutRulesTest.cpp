// The rules every backward lay-out keeps: a job ends where its successors
// begin, parallel jobs end together, no day is booked beyond its hours and
// time values stay in minutes below 60. Hand-made cases first, then
// thousands of generated workshops.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "data/Order.h"
#include "data/OrderWorkshop.h"
#include "data/ProzBalken.h"
#include "data/STWorker.h"
#include "data/Worker.h"
#include "scheduling/Plans.h"

namespace {

// A worker block of the worker file: hours Monday to Sunday, then off-days
// and illness days.
std::string WorkerBlock(int32 id, const std::vector<TInt>& week,
                        const std::vector<std::string>& offDays = {},
                        const std::vector<std::string>& illDays = {})
{
    static const char* const kDays[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    std::string text = "; --\n[IT][Worker " + std::to_string(id) + "][W" + std::to_string(id) +
                       "][-][" + std::to_string(id) + "][0]\n";
    for (size_t d = 0; d < 7; d++)
        text += std::string("[WD][") + kDays[d] + "][7:00][" + TInt2str(week[d]) + "][0:30]\n";
    for (const auto* days : {&offDays, &illDays}) {
        if (days->empty())
            continue;
        text += days == &offDays ? "[UD]" : "[IL]";
        for (const std::string& day : *days)
            text += "[" + day + "]";
        text += "\n";
    }
    return text;
}

// Replaces the workshop's workers with these blocks.
void UseWorkers(OrderWorkshop& shop, const std::string& blocks)
{
    shop.workers->DeleteMe();
    shop.folder.Write("defs/plan.vtw", blocks + "; --");
    DEFS_WKO_IO = "plan"; // closing the list forgets the project
    shop.workers = STWorker::getSTWorker();
}

const std::vector<TInt> kFullWeek = {800, 800, 800, 800, 800, 0, 0};

std::string Point(const ks_calday& day)
{
    return CDay2str(&day) + " " + TInt2str(day.hours);
}

std::string Span(const ProzBalken& job)
{
    return Point(job.j_beg) + " - " + Point(job.j_end);
}

// Working hours of the job's worker on a day, as the lay-out counts them.
int64_t MinutesOn(ProzBalken& job, const ks_calday& day)
{
    Worker* worker = job.CurrentWorker();
    const int64_t index = DiffDays(&day, &worker->TableBase());
    const TInt hours =
        index < 0 ? 800 : worker->GetTagesStdYD(int32(std::min<int64_t>(index, INT32_MAX)), 0);
    return std::max<int64_t>(0, hours / 100 * 60 + hours % 100);
}

int32 DayNumber(const ks_calday& day)
{
    static const ks_calday kEpoch = *str2CDay("2000/01/01");
    return DiffDays(&day, &kEpoch);
}

int64_t Minutes(TInt t)
{
    return t / 100 * 60 + t % 100;
}

// Points of a working day in the order the lay-out keeps them: (D, t) is t
// hours into D; a begin (D, 0) is the end of D, an end (D, 0) the end of
// what the job's worker has of D (nothing on a free day).
std::pair<int32, int64_t> BeginKey(const ProzBalken& job)
{
    return {DayNumber(job.j_beg), job.j_beg.hours == 0 ? INT64_MAX : Minutes(job.j_beg.hours)};
}

std::pair<int32, int64_t> EndKey(ProzBalken& job)
{
    const int64_t t = job.j_end.hours == 0 ? MinutesOn(job, job.j_end) : Minutes(job.j_end.hours);
    return {DayNumber(job.j_end), t};
}

} // namespace

TEST(LayoutRules, CasesOfTheReview)
{
    OrderWorkshop shop;
    // 1. A job that must come first ends where the one after it begins:
    // (Thursday, 2:00) lies before (Thursday, 0).
    auto first = MakeOrder("2002/12/13", {{1, 800, 1, 5}, {2, 600, 6, 10}, {1, 800, 11, 15}});
    EXPECT_EQ(Span(*first->jobs[0]), "2002/12/11 2:00 - 2002/12/12 2:00");
    EXPECT_EQ(Span(*first->jobs[1]), "2002/12/12 2:00 - 2002/12/12 0:00");
    EXPECT_EQ(Span(*first->jobs[2]), "2002/12/12 0:00 - 2002/12/13 0:00");

    // 3. Parallel jobs of an earlier group end at the same point.
    auto parallel = MakeOrder("2002/12/13", {{2, 800, 1, 10}, {1, 2000, 2, 10}, {1, 800, 11, 15}});
    EXPECT_EQ(Span(*parallel->jobs[0]), "2002/12/11 0:00 - 2002/12/12 0:00");
    EXPECT_EQ(Span(*parallel->jobs[1]), "2002/12/10 4:00 - 2002/12/12 0:00");

    // 2. Time values are subtracted in minutes: 1:20 - 0:45 is 0:35.
    UseWorkers(shop, WorkerBlock(1, kFullWeek) + WorkerBlock(2, {800, 800, 800, 800, 45, 0, 0}));
    auto minutes = MakeOrder("2002/12/13", {{2, 30, 1, 5}, {1, 640, 6, 10}});
    EXPECT_EQ(Span(*minutes->jobs[1]), "2002/12/13 1:20 - 2002/12/13 0:00");
    EXPECT_EQ(Span(*minutes->jobs[0]), "2002/12/13 0:05 - 2002/12/13 0:35");

    // 4. Nothing is booked on a day the worker does not work.
    UseWorkers(shop, WorkerBlock(1, kFullWeek) + WorkerBlock(2, kFullWeek, {}, {"2002/12/12"}));
    auto ill = MakeOrder("2002/12/13", {{2, 800, 1, 5}, {1, 1200, 6, 10}});
    EXPECT_EQ(Span(*ill->jobs[1]), "2002/12/12 4:00 - 2002/12/13 0:00");
    EXPECT_EQ(Span(*ill->jobs[0]), "2002/12/10 0:00 - 2002/12/12 0:00");
}

TEST(LayoutRules, EndDaysNeverGiveMoreThanTheyHave)
{
    OrderWorkshop shop;
    // Worker 2 has 0:45 on Friday and is off on Wednesday 12/11.
    UseWorkers(shop, WorkerBlock(1, {800, 800, 800, 800, 1000, 0, 0}) +
                         WorkerBlock(2, {800, 800, 800, 800, 45, 0, 0}, {"2002/12/11"}));
    const struct
    {
        TInt endTime;
        const char *endDay, *span;
    } cases[] = {
        // Inside the day: the job ends there.
        {30, "2002/12/13", "2002/12/12 4:30 - 2002/12/13 0:30"},
        // Above the day: reduced once, then at most the whole day.
        {120, "2002/12/13", "2002/12/12 4:35 - 2002/12/13 0:35"},
        {200, "2002/12/13", "2002/12/12 4:45 - 2002/12/13 0:00"},
        {45, "2002/12/13", "2002/12/12 4:45 - 2002/12/13 0:00"},
        // A day without hours books nothing and ends the day.
        {400, "2002/12/11", "2002/12/10 4:00 - 2002/12/11 0:00"},
        {0, "2002/12/14", "2002/12/12 4:45 - 2002/12/14 0:00"},
    };
    for (const auto& c : cases) {
        auto order = MakeOrder("2002/12/20", {{2, 400, 1, 5}});
        ProzBalken& job = *order->jobs[0];
        job.ListUsedDaysTable(c.endTime, str2CDay(c.endDay).get());
        EXPECT_EQ(Span(job), c.span) << TInt2str(c.endTime) << " on " << c.endDay;
    }
}

namespace {

// A random workshop: odd weeks with short, empty and long days, off-days,
// illness days and holidays around the year's end.
std::string RandomWorkers(std::mt19937& random, int count)
{
    const TInt kHours[] = {0, 0, 5, 45, 130, 415, 600, 725, 800, 800, 800, 959, 1200};
    std::uniform_int_distribution<int> pick(0, int(std::size(kHours)) - 1);
    std::uniform_int_distribution<int> dayOf(0, 90);
    std::string blocks;
    for (int w = 1; w <= count; w++) {
        std::vector<TInt> week;
        for (int d = 0; d < 7; d++)
            week.push_back(kHours[pick(random)]);
        std::vector<std::string> off, ill;
        for (auto* days : {&off, &ill}) {
            for (int n = random() % 8; n > 0; n--) {
                ks_calday day = *str2CDay("2002/11/25");
                for (int k = dayOf(random); k > 0; k--)
                    NextCDay(&day);
                days->push_back(CDay2str(&day));
            }
        }
        blocks += WorkerBlock(w, week, off, ill);
    }
    return blocks;
}

PlanJob RandomJob(std::mt19937& random, int workers)
{
    const int right = 2 + int(random() % 20);
    const TInt hours = TInt((random() % 30) * 100 + (random() % 12) * 5);
    return {int32(1 + random() % workers), hours == 0 ? 5 : hours, right - 1, right,
            uint8(random() % 8 == 0 ? 1 : 0)};
}

} // namespace

TEST(LayoutRules, HoldOnThousandsOfGeneratedPlans)
{
    OrderWorkshop shop("[HD][2002/12/25][Weihnachten]\n[HD][2002/12/26][Stephan]\n"
                       "[HD][2003/01/01][Neujahr]\n[HD][2002/12/10][Ruhetag]\n");
    std::mt19937 random(20021209);
    int orders = 0, pairs = 0;
    for (int workshop = 0; workshop < 40; workshop++) {
        const int workers = 1 + int(random() % 5);
        UseWorkers(shop, RandomWorkers(random, workers));
        for (int n = 0; n < 100; n++, orders++) {
            ks_calday plan = *str2CDay("2002/12/01");
            for (int k = int(random() % 60); k > 0; k--)
                NextCDay(&plan);
            auto order = MakeOrder(CDay2str(&plan).c_str(), {});
            for (int j = 1 + int(random() % 6); j > 0; j--) {
                const PlanJob job = RandomJob(random, workers);
                order->jobs.push_back(
                    std::make_unique<ProzBalken>(BRect(job.left * 10, 10, job.right * 10, 30),
                                                 job.worker, job.status, job.hours, 0, "-"));
            }
            Printed([&] { order->PruefeOrder(false); });
            const std::string where = "workshop " + std::to_string(workshop) + " order " +
                                      std::to_string(n) + " plan " + order->opdl;

            for (const auto& job : order->jobs) {
                // Minutes stay minutes.
                for (TInt t : {job->j_beg.hours, job->j_end.hours}) {
                    EXPECT_GE(t, 0) << where;
                    EXPECT_LT(t % 100, 60) << where;
                }
                // Each day gives at most its hours, and all days give the job's.
                int64_t booked = 0;
                for (ks_calday day = job->j_beg; DiffDays(&day, &job->j_end) <= 0; NextCDay(&day)) {
                    const int64_t whole = MinutesOn(*job, day);
                    int64_t from = 0, to = whole;
                    if (DiffDays(&day, &job->j_beg) == 0)
                        from = job->j_beg.hours == 0 ? whole : Minutes(job->j_beg.hours);
                    if (DiffDays(&day, &job->j_end) == 0 && job->j_end.hours != 0)
                        to = Minutes(job->j_end.hours);
                    EXPECT_LE(to, whole) << where << " " << Span(*job);
                    booked += std::max<int64_t>(0, to - from);
                }
                EXPECT_EQ(booked, Minutes(job->j_time)) << where << " " << Span(*job);
            }
            for (const auto& before : order->jobs) {
                for (const auto& after : order->jobs) {
                    // Open jobs of a later group begin after every earlier job ends.
                    if (after->j_stat == 0 && before->timebase > after->timebase) {
                        pairs++;
                        EXPECT_LE(EndKey(*before), BeginKey(*after))
                            << where << ": " << Span(*before) << " before " << Span(*after);
                    }
                    // Parallel jobs end together; a worker with fewer hours
                    // that day ends within what he has.
                    if (before->timebase == after->timebase) {
                        EXPECT_EQ(DayNumber(before->j_end), DayNumber(after->j_end)) << where;
                        if (MinutesOn(*before, before->j_end) == MinutesOn(*after, after->j_end)) {
                            EXPECT_EQ(before->j_end.hours, after->j_end.hours) << where;
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(orders, 4000);
    EXPECT_GT(pairs, 4000) << "the plans must have sequential groups";
}
