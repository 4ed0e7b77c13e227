#include "module/ModuleJob.h"

#include "dmx/LinkFixtures.h"
#include "support/ModuleSimProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace std::chrono_literals;

namespace {

// Steps the job as the timer would, every `period`, until it ends; the number of steps.
int runToEnd(KyModuleJob& job, std::chrono::milliseconds period = 10ms, int limit = 20000)
{
    int steps = 0;
    while (job.jobState() != KyModuleJob::Idle && steps < limit) {
        job.step();
        ++steps;
        std::this_thread::sleep_for(period);
    }
    return steps;
}

std::string text(const KyModuleJob::Answer& answer)
{
    return std::string(reinterpret_cast<const char*>(answer.bytes.data()));
}

struct LinkedModule {
    TempFolder folder;
    ModuleSimProcess sim;
    KyUsb usb;

    explicit LinkedModule(std::vector<std::string> options)
        : sim(folder / "dmx", withLog(std::move(options), folder / "log")), usb(onlyPaths({sim.link()}))
    {
        FakeChooser chooser;
        if (!usb.discover(chooser))
            throw std::runtime_error("no module");
    }
    static std::vector<std::string> withLog(std::vector<std::string> options, const std::filesystem::path& log)
    {
        options.insert(options.end(), {"--log", log.string()});
        return options;
    }
    std::vector<std::string> requests() { return framesIn(folder / "log"); }
};

} // namespace

TEST(ModuleJob, QueriesTakeTheGenerationFromTheSerialNumber)
{
    struct Case {
        const char* serial;
        int generation;
        bool assumed;
    };
    for (const Case& c : {Case{"SIMULATOR-11-001", 11, false}, Case{"SIMULATOR-07-001", 7, false},
                          Case{"NO-NUMBER", 12, true}}) {
        SCOPED_TRACE(c.serial);
        LinkedModule module({"--serial", c.serial, "--module-version", "V 2.5", "--name", "KLUB", "--serial-input", "1"});
        KyModuleJob job(module.usb);
        for (auto query : {KyModuleJob::ReadingSerial, KyModuleJob::ReadingVersion, KyModuleJob::ReadingIdentifier}) {
            job.startQuery(query);
            EXPECT_EQ(runToEnd(job), 2);
        }
        EXPECT_EQ(job.takeOutcome(), KyModuleJob::Outcome::Done);
        EXPECT_EQ(text(job.serial()), c.serial);
        EXPECT_EQ(text(job.version()), "V 2.5");
        EXPECT_EQ(text(job.identity()), "KLUB");
        EXPECT_EQ(job.identity().bytes[17], 1);
        EXPECT_EQ(job.firmwareGeneration(), c.generation);
        EXPECT_EQ(job.generationAssumed(), c.assumed);
        EXPECT_EQ(job.imageBase(), c.generation < 12 ? 1280 : 0);
    }
}

// Whatever its header says, an old module's memory is read whole: module blocks 5 to 255,
// and the request for the block after them ends the read.
TEST(ModuleJob, OldModuleIsReadAsItsWholeMemory)
{
    LinkedModule module({"--serial", "SIMULATOR-11-001"});
    KyModuleJob job(module.usb);
    job.startQuery(KyModuleJob::ReadingSerial);
    runToEnd(job);
    job.takeOutcome();
    job.startRead();
    runToEnd(job);
    EXPECT_EQ(job.takeOutcome(), KyModuleJob::Outcome::Done);
    EXPECT_EQ(job.blockCount(), 251);
    EXPECT_EQ(job.progressMax(), 251);
    std::vector<std::string> reads;
    for (const auto& line : module.requests())
        if (line.starts_with("read"))
            reads.push_back(line);
    ASSERT_EQ(reads.size(), 252u);
    EXPECT_EQ(reads.front(), "read 5");
    EXPECT_EQ(reads.back(), "read 256");
    EXPECT_EQ(job.image()[251 * 256 - 1], 0xFF); // erased flash
}

TEST(ModuleJob, EraseThatNeverEndsFailsAfterItsBound)
{
    LinkedModule module({"--erase-polls", "100000"});
    KyModuleJob job(module.usb);
    const vt::Bytes image(256, 0);
    job.startWrite(image, blockCountFor(image.size(), 12));
    runToEnd(job, 1ms);
    EXPECT_EQ(job.takeOutcome(), KyModuleJob::Outcome::ReadError);
    // The module logs what it read a little after the job has sent it.
    int polls = 0;
    for (auto deadline = std::chrono::steady_clock::now() + 5s;
         polls < KyModuleJob::kErasePollsPerSector && std::chrono::steady_clock::now() < deadline;
         std::this_thread::sleep_for(10ms)) {
        polls = 0;
        for (const auto& line : module.requests()) {
            EXPECT_FALSE(line.starts_with("write")) << line;
            polls += line == "status";
        }
    }
    EXPECT_EQ(polls, KyModuleJob::kErasePollsPerSector);
}

// Pulling the plug in the middle of an erase, a read or a write ends the job as a failure
// with the first request the port refuses, at the latest once the answer before it is
// given up on.
TEST(ModuleJob, UnpluggedModuleEndsEveryTransferAtOnce)
{
    enum class Stage { Erase, Read, Write };
    for (Stage stage : {Stage::Erase, Stage::Read, Stage::Write}) {
        SCOPED_TRACE(int(stage));
        LinkedModule module({"--erase-polls", stage == Stage::Erase ? "100000" : "3"});
        KyModuleJob job(module.usb);
        const vt::Bytes image(200 * 256, 7);
        if (stage == Stage::Read)
            job.startRead();
        else
            job.startWrite(image, blockCountFor(image.size(), 12));
        runToEnd(job, 10ms, 40);
        ASSERT_EQ(job.jobState(), stage == Stage::Erase ? KyModuleJob::Erasing
                                  : stage == Stage::Read ? KyModuleJob::ReadingMemory
                                                         : KyModuleJob::WritingMemory);
        ASSERT_EQ(module.sim.command("unplug"), "unplugged");
        EXPECT_LE(runToEnd(job), KyModuleJob::kAnswerWaitSteps + 1);
        EXPECT_EQ(job.takeOutcome(), KyModuleJob::Outcome::ReadError);
        EXPECT_TRUE(module.usb.requestRefused());
    }
}

// Nothing waits for the module inside a step: an answer that is late is looked for again
// at the next step, and the transfer still goes through. Waiting for each answer in its step
// would spend most of the reply delay, 35 ms, in each of the ten steps that send.
TEST(ModuleJob, LateAnswersAreAwaitedAcrossSteps)
{
    LinkedModule module({"--reply-delay-ms", "35"});
    KyModuleJob job(module.usb);
    const vt::Bytes image(4 * 256, 9);
    job.startWrite(image, blockCountFor(image.size(), 12));
    auto inSteps = std::chrono::steady_clock::duration::zero();
    for (int steps = 0; job.jobState() != KyModuleJob::Idle && steps < 2000; ++steps) {
        const auto start = std::chrono::steady_clock::now();
        job.step();
        inSteps += std::chrono::steady_clock::now() - start;
        // Steps further apart than the transfer's 10 ms keep the answer, 35 ms late, well
        // inside the steps the job waits, on a loaded machine too.
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(job.takeOutcome(), KyModuleJob::Outcome::Done);
    EXPECT_LT(inSteps, 100ms);
}

// Without a module every transfer fails at once and every query answers nothing.
TEST(ModuleJob, WithoutAModuleEverythingFails)
{
    KyUsb usb;
    KyModuleJob job(usb);
    job.startQuery(KyModuleJob::ReadingSerial);
    runToEnd(job, 0ms);
    EXPECT_FALSE(job.serial().ok);
    EXPECT_TRUE(job.generationAssumed());
    EXPECT_EQ(job.firmwareGeneration(), 12);
    job.takeOutcome();

    job.startRead();
    EXPECT_EQ(runToEnd(job, 0ms), 1);
    EXPECT_EQ(job.takeOutcome(), KyModuleJob::Outcome::ReadError);
    const vt::Bytes image(300, 1);
    job.startWrite(image, blockCountFor(image.size(), 12));
    EXPECT_EQ(runToEnd(job, 0ms), 1);
    EXPECT_EQ(job.takeOutcome(), KyModuleJob::Outcome::ReadError);
    EXPECT_EQ(job.progress(), 0);
}

TEST(ModuleJob, AbandonedJobEndsAsAFailure)
{
    KyUsb usb;
    KyModuleJob job(usb);
    job.startQuery(KyModuleJob::ReadingVersion);
    job.abandon();
    EXPECT_EQ(job.jobState(), KyModuleJob::Idle);
    EXPECT_EQ(job.takeOutcome(), KyModuleJob::Outcome::ReadError);
    EXPECT_EQ(job.takeOutcome(), KyModuleJob::Outcome::None);
}
