#include "strips/aerodromelist.h"

#include "console/datadir.h"
#include "console/opendata.h"
#include "console/opendatastore.h"
#include "platform/platform.h"
#include "platform/worker.h"
#include "strips/destination.h"

#include <QPointer>

#include <functional>
#include <memory>

namespace tarvos {

AerodromeListMaker::AerodromeListMaker(DataDir &data, OpenDataStore &store, Worker &worker,
                                       MessageBox &messages, QObject *parent)
    : QObject(parent), m_data(data), m_store(store), m_worker(worker), m_messages(messages) {}

QString AerodromeListMaker::createdMessage() {
    return QStringLiteral("The file ICAO.txt has been created from OurAirports.");
}

bool AerodromeListMaker::listExists() const {
    return m_data.exists(kAerodromeFileName) || m_data.exists(kAerodromeFileNameLower);
}

void AerodromeListMaker::makeIfMissing() {
    if (!m_making && !listExists())
        make();
}

QCoro::Task<> AerodromeListMaker::make() {
    m_making = true;
    const QPointer<AerodromeListMaker> self(this);
    const OpenDataCopy copy = co_await m_store.copy(OpenDataFile::Airports);
    if (!self)
        co_return;
    auto written = std::make_shared<bool>(false);
    if (copy.usable() && !listExists()) {
        // Read, sorted and written off the window's thread; the folder is looked at once more
        // just before the file goes in.
        // The job and its task are named: g++ 12 destroys a temporary of a co_await expression
        // twice.
        std::function<void()> job = [written, path = copy.path, dir = m_data.directory()] {
            const IcaoLines list = icaoLinesFromAirportsCsv(path);
            const DataDir data(dir);
            if (!list.problem.isEmpty() || list.lines.isEmpty() ||
                data.exists(kAerodromeFileName) || data.exists(kAerodromeFileNameLower))
                return;
            *written = data.replaceUtf8(kAerodromeFileName, list.lines);
        };
        QCoro::Task<> making = m_worker.run(std::move(job));
        co_await making;
        if (!self)
            co_return;
    }
    m_making = false;
    if (*written)
        m_messages.show(createdMessage());
}

} // namespace tarvos
