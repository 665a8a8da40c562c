#include "platform/worker.h"

#include <QCoroFuture>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

namespace tarvos {

ThreadPoolWorker::ThreadPoolWorker(QThreadPool *pool)
    : m_pool(pool ? pool : QThreadPool::globalInstance()) {}

QCoro::Task<> ThreadPoolWorker::run(std::function<void()> job) {
    co_await QtConcurrent::run(m_pool, std::move(job));
}

} // namespace tarvos
