#include "service/headless_timers.h"

#include <cstdio>

#include "app/message_catalogue.h"
#include "commands/reply_decoders.h"
#include "scheduler/timer_file.h"

namespace hsq {

HeadlessTimers::HeadlessTimers(DeviceCommands& commands, Clock& clock, ProfileStore& store,
                               Log log)
    : commands_(commands), clock_(clock), store_(store), log_(std::move(log)),
      runner_(commands, clock, this) {
    store_.SetProblemSink(this);
}

HeadlessTimers::~HeadlessTimers() {
    runner_.StopAll();
    store_.SetProblemSink(nullptr);
}

std::optional<std::filesystem::file_time_type> HeadlessTimers::FileTime() const {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(store_.FilePath(ConfigFileKind::Timer), error);
    if (error) return std::nullopt;
    return time;
}

namespace {

std::size_t SectionIndex(TimerSection section) { return static_cast<std::size_t>(section) - 1; }

}  // namespace

// The first time every section is wanted; after that the file's changes restart the wanted ones.
void HeadlessTimers::StartOrReload() {
    std::lock_guard hold(control_);
    const auto time = FileTime();
    if (started_ && time == loaded_) return;
    if (started_) {
        runner_.StopAll();
        log_(Now() + " Timer.ini has changed: its timers start again");
    } else {
        wanted_.fill(true);
    }
    AskWhetherInputCardsFollow();
    for (TimerSection section : kTimerSections) {
        if (wanted_[SectionIndex(section)]) StartSection(section);
    }
    started_ = true;
    loaded_ = time;
}

void HeadlessTimers::Start(TimerSection section) {
    std::lock_guard hold(control_);
    wanted_[SectionIndex(section)] = true;
    AskWhetherInputCardsFollow();
    StartSection(section);
}

void HeadlessTimers::Stop(TimerSection section) {
    std::lock_guard hold(control_);
    wanted_[SectionIndex(section)] = false;
    runner_.Stop(section);
    log_(Now() + " " + std::string(TimerFileSection(section)) + ": stopped");
    TellSection(section, false);
}

// The processor's configuration says whether input cards follow a recall, which needs the longer
// pause after it; it is asked at each start.
void HeadlessTimers::AskWhetherInputCardsFollow() {
    Frame reply{};
    if (commands_.Query(kQuerySystem, 0, reply) == kFrameSize) {
        if (const auto system = DecodeSystemReport(reply))
            runner_.SetInputCardAlsoResponds(system->configFlag1);
    }
}

void HeadlessTimers::StartSection(TimerSection section) {
    std::vector<TimerRecord> records = LoadTimerSection(store_, section, clock_.LocalNow());
    log_(Now() + " " + std::string(TimerFileSection(section)) + ": " +
         std::to_string(records.size()) + " timers");
    runner_.Start(section, std::move(records));
    TellSection(section, true);
}

void HeadlessTimers::SetEvents(Events events) {
    std::lock_guard hold(eventsLock_);
    events_ = std::move(events);
}

void HeadlessTimers::TellSection(TimerSection section, bool running) {
    std::lock_guard hold(eventsLock_);
    if (events_.sectionChanged) events_.sectionChanged(section, running);
}

void HeadlessTimers::CarriedOut(const TimerRecord& record, bool confirmed) {
    log_(Now() + " " + std::string(TimerFileSection(record.section)) + " " +
         TimerRecordText(record) + (confirmed ? " done" : " not confirmed by the processor"));
    std::lock_guard hold(eventsLock_);
    if (events_.carriedOut) events_.carriedOut(record, confirmed);
}

void HeadlessTimers::Report(const ProfileProblemReport& report) {
    log_(Now() + " " + ProfileProblemText(report, kEnglish));
}

std::string HeadlessTimers::Now() const {
    const LocalTime now = clock_.LocalNow();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", now.year, now.month,
                  now.day, now.hour, now.minute, now.second);
    return text;
}

}  // namespace hsq
