#include "MatchPool.h"

#include "GameEngine/Console.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// Messages from a worker: a kind, the length of what follows, a line end, then that many bytes.
constexpr char matchMessage = 'M';
constexpr char failureMessage = 'X';
constexpr char framesMessage = 'F';
constexpr char endMessage = 'E';

void writeAll(int channel, const std::string& bytes)
{
    std::size_t written = 0;
    while (written < bytes.size())
    {
        const ssize_t now = ::write(channel, bytes.data() + written, bytes.size() - written);
        if (now < 0 && errno == EINTR)
            continue;
        if (now <= 0)
            _exit(1);
        written += static_cast<std::size_t>(now);
    }
}

void send(int channel, char kind, const std::string& payload)
{
    writeAll(channel, std::string(1, kind) + ' ' + std::to_string(payload.size()) + '\n' + payload);
}

// Everything the game printed since the last call: standard output goes to `capture` in a worker.
std::string takeCaptured(std::FILE* capture)
{
    std::cout.flush();
    std::fflush(stdout);
    const int fd = fileno(capture);
    const off_t size = ::lseek(fd, 0, SEEK_END);
    std::string text(static_cast<std::size_t>(size), '\0');
    if (size > 0 && ::pread(fd, text.data(), text.size(), 0) != size)
        text.clear();
    if (::ftruncate(fd, 0) != 0 || ::lseek(fd, 0, SEEK_SET) != 0)
        _exit(1);
    return text;
}
}  // namespace

MatchPool::MatchPool(const RunnerOptions& options) : options(options)
{
}

int MatchPool::play(const MatchRunner::Played& played)
{
    if (!startWorkers())
        return 0;
    while (receive())
        handOn(played);
    handOn(played);
    if (!stopped && next <= options.matches)
        Console::error("A worker process ended before match " + std::to_string(next) + " was played");
    return next - 1;
}

bool MatchPool::startWorkers()
{
    // Nothing buffered may be written twice, by the parent and again by a worker.
    std::cout.flush();
    std::fflush(nullptr);
    for (int index = 0; index < std::min(options.jobs, options.matches); ++index)
    {
        int ends[2];
        if (::pipe(ends) != 0)
        {
            Console::error("Could not open a channel to a worker process");
            return false;
        }
        const pid_t pid = ::fork();
        if (pid < 0)
        {
            Console::error("Could not start a worker process");
            return false;
        }
        if (pid == 0)
        {
            ::close(ends[0]);
            for (const Worker& other : workers)
                ::close(other.channel);
            runWorker(index, ends[1]);
        }
        ::close(ends[1]);
        Worker worker;
        worker.pid = pid;
        worker.channel = ends[0];
        workers.push_back(worker);
    }
    return true;
}

void MatchPool::runWorker(int index, int channel)
{
    std::FILE* capture = std::tmpfile();
    if (!capture || ::dup2(fileno(capture), STDOUT_FILENO) < 0)
        _exit(1);
    std::vector<int> numbers;
    for (int number = index + 1; number <= options.matches; number += options.jobs)
        numbers.push_back(number);
    std::ostringstream telemetry;
    std::size_t played = 0;
    {
        MatchRunner runner(options, options.telemetryFile.empty() ? nullptr : &telemetry);
        played = runner.play(numbers,
                             [&](MatchRecord& record)
                             {
                                 record.log = takeCaptured(capture);
                                 record.telemetry = telemetry.str();
                                 telemetry.str("");
                                 send(channel, matchMessage, record.text());
                             });
        if (played < numbers.size())
            send(channel, failureMessage, std::to_string(numbers[played]) + '\n' + takeCaptured(capture));
        send(channel, framesMessage, runner.frames().text());
        send(channel, endMessage, std::to_string(MatchRunner::residentKilobytes()));
    }
    ::close(channel);
    // The parent's buffers and the engine's static state are not this process's to tidy.
    _exit(0);
}

bool MatchPool::receive()
{
    std::vector<pollfd> open;
    std::vector<Worker*> owners;
    for (Worker& worker : workers)
    {
        if (worker.finished)
            continue;
        open.push_back({worker.channel, POLLIN, 0});
        owners.push_back(&worker);
    }
    if (open.empty())
        return false;
    if (::poll(open.data(), open.size(), -1) < 0 && errno != EINTR)
        return false;
    for (std::size_t index = 0; index < open.size(); ++index)
    {
        if (open[index].revents == 0)
            continue;
        Worker& worker = *owners[index];
        char buffer[1 << 16];
        const ssize_t count = ::read(worker.channel, buffer, sizeof buffer);
        if (count > 0)
        {
            worker.received.append(buffer, static_cast<std::size_t>(count));
            readMessages(worker);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        worker.finished = true;
        ::close(worker.channel);
        ::waitpid(worker.pid, nullptr, 0);
    }
    return true;
}

void MatchPool::readMessages(Worker& worker)
{
    for (;;)
    {
        const std::size_t lineEnd = worker.received.find('\n');
        if (lineEnd == std::string::npos)
            return;
        const char kind = worker.received[0];
        const std::size_t length = std::stoul(worker.received.substr(2, lineEnd - 2));
        if (worker.received.size() < lineEnd + 1 + length)
            return;
        const std::string payload = worker.received.substr(lineEnd + 1, length);
        worker.received.erase(0, lineEnd + 1 + length);
        if (kind == matchMessage)
        {
            MatchRecord record;
            if (MatchRecord::readText(payload, record))
                waiting[record.number] = std::move(record);
        }
        else if (kind == failureMessage)
        {
            const std::size_t numberEnd = payload.find('\n');
            failures[std::stoi(payload.substr(0, numberEnd))] = payload.substr(numberEnd + 1);
        }
        else if (kind == framesMessage)
        {
            FrameTimes theirs;
            if (theirs.readText(payload))
                frameTimes.merge(theirs);
        }
        else if (kind == endMessage)
        {
            largestResident = std::max(largestResident, std::stol(payload));
        }
    }
}

void MatchPool::handOn(const MatchRunner::Played& played)
{
    while (!stopped)
    {
        const auto failure = failures.find(next);
        if (failure != failures.end())
        {
            // As one process would: its log says why, and no later match counts.
            std::cout << failure->second << std::flush;
            stopped = true;
            stopWorkers();
            return;
        }
        const auto record = waiting.find(next);
        if (record == waiting.end())
            return;
        played(record->second);
        waiting.erase(record);
        ++next;
    }
}

void MatchPool::stopWorkers()
{
    for (Worker& worker : workers)
    {
        if (worker.finished)
            continue;
        ::kill(worker.pid, SIGTERM);
        ::close(worker.channel);
        ::waitpid(worker.pid, nullptr, 0);
        worker.finished = true;
    }
}
