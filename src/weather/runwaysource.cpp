#include "weather/runwaysource.h"

#include "console/datadir.h"
#include "console/opendata.h"
#include "console/opendatastore.h"
#include "platform/platform.h"
#include "platform/worker.h"
#include "weather/runway.h"

#include <QPointer>

#include <functional>
#include <memory>

namespace tarvos {

namespace {
const QString kRwyFile = QStringLiteral("rwy.txt");
} // namespace

RunwaySource::RunwaySource(DataDir &data, OpenDataStore &store, Worker &worker,
                           MessageBox &messages, QObject *parent)
    : QObject(parent), m_data(data), m_store(store), m_worker(worker), m_messages(messages) {}

QString RunwaySource::commentLine(const QDate &fileDate) {
    // Not a runway line: it does not start with an airport's code.
    return QStringLiteral("Added from OurAirports (ourairports.com, public domain), runways.csv "
                          "of %1:")
        .arg(fileDate.toString(Qt::ISODate));
}

QString RunwaySource::addedMessage(const QString &station) {
    return QStringLiteral(
               "The runways of %1 have been added to rwy.txt from OurAirports. Please check them.")
        .arg(station);
}

QCoro::Task<RunwayFill> RunwaySource::fill(QString station) {
    RunwayFill result;
    const auto known = [&] {
        const DataDir::ReadResult file = m_data.lines(kRwyFile);
        return file.status != DataDir::Status::Ok || hasRunwayLines(file.lines, station);
    };
    // A code that is no airport's (the ICAO field's "Load", a half-typed code) looks nothing up.
    if (station.size() != 4 || known() || m_filling.contains(station))
        co_return result;
    m_filling.insert(station);
    const QPointer<RunwaySource> self(this);
    const OpenDataCopy copy = co_await m_store.copy(OpenDataFile::Runways);
    if (!self)
        co_return result;
    if (!copy.usable()) {
        m_filling.remove(station);
        result.outcome = RunwayFill::Outcome::NoData;
        result.why =
            QStringLiteral("rwy.txt has no runway for %1, and %2.")
                .arg(station, copy.problem.isEmpty() ? QStringLiteral("runways.csv is not at hand")
                                                     : copy.problem);
        co_return result;
    }
    const QDate date = copy.date.date();
    const auto notFound = [&] {
        result.outcome = RunwayFill::Outcome::NotFound;
        result.why = QStringLiteral("rwy.txt and the open data (OurAirports' runways.csv of %1) "
                                    "have no runway for %2.")
                         .arg(date.toString(Qt::ISODate), station);
        return result;
    };
    if (m_notInData.value(station) == date) {
        m_filling.remove(station);
        co_return notFound();
    }
    auto lines = std::make_shared<RunwayLines>();
    // The job and its task are named: g++ 12 destroys a temporary of a co_await expression twice.
    std::function<void()> job = [lines, path = copy.path, station] {
        *lines = rwyLinesFromRunwaysCsv(path, station);
    };
    QCoro::Task<> reading = m_worker.run(std::move(job));
    co_await reading;
    if (!self)
        co_return result;
    m_filling.remove(station);
    if (!lines->problem.isEmpty()) {
        result.outcome = RunwayFill::Outcome::NoData;
        result.why = QStringLiteral("rwy.txt has no runway for %1, and runways.csv could not be "
                                    "read: %2.")
                         .arg(station, lines->problem);
        co_return result;
    }
    if (lines->lines.isEmpty()) {
        m_notInData.insert(station, date);
        co_return notFound();
    }
    // The controller may have written the airport's lines meanwhile: theirs stay alone.
    if (known())
        co_return result;
    if (!m_data.appendLines(kRwyFile, QStringList{commentLine(date)} + lines->lines)) {
        result.outcome = RunwayFill::Outcome::NoData;
        result.why = QStringLiteral("rwy.txt has no runway for %1, and the lines of runways.csv "
                                    "could not be added to it.")
                         .arg(station);
        co_return result;
    }
    result.outcome = RunwayFill::Outcome::Added;
    if (!m_told.contains(station)) {
        m_told.insert(station);
        m_messages.show(addedMessage(station));
    }
    co_return result;
}

} // namespace tarvos
