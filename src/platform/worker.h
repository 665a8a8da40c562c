#pragma once

#include <QCoroTask>

#include <functional>

class QThreadPool;

namespace tarvos {

// Where the work that would hold the window up for frames runs: reading a downloaded body of
// megabytes. A handler awaits it as it awaits a download,
//
//     auto out = std::make_shared<std::optional<StatusRecords>>();
//     co_await worker.run([out, body] { *out = statusRecordsOf(body); });
//
// while the window goes on. The job gets copies of what it reads and never touches a widget or
// the handler's object: by the time it finishes the world has moved on, and only the handler,
// back on the window's thread, decides what is still its own to write.
class Worker {
public:
    virtual ~Worker() = default;
    virtual QCoro::Task<> run(std::function<void()> job) = 0;
};

// Runs each job on a thread of a pool (the application's global one by default).
class ThreadPoolWorker : public Worker {
public:
    explicit ThreadPoolWorker(QThreadPool *pool = nullptr);
    QCoro::Task<> run(std::function<void()> job) override;

private:
    QThreadPool *m_pool;
};

} // namespace tarvos
