#pragma once

#include <QCoroTask>
#include <QDate>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

namespace tarvos {

class DataDir;
class MessageBox;
class OpenDataStore;
class Worker;

// What became of an airport that rwy.txt did not know.
struct RunwayFill {
    enum class Outcome { Known, Added, NotFound, NoData };
    Outcome outcome = Outcome::Known;
    QString why; // for the runway fields' tooltip when no runway was added
};

// Fills rwy.txt for an airport it does not know yet from OurAirports' runways.csv: one line for
// each usable runway end, landing and take-off runway the same, the longest runway first, under
// a comment line that names the source and the file's date. Every line rwy.txt held stays as it
// was. The controller is told once for each airport, and asked to check the lines.
class RunwaySource : public QObject {
    Q_OBJECT
public:
    RunwaySource(DataDir &data, OpenDataStore &store, Worker &worker, MessageBox &messages,
                 QObject *parent = nullptr);

    // Adds `station`'s runways when rwy.txt has none. The file is read only on the worker
    // thread; what the world did meanwhile is looked at again before anything is written.
    QCoro::Task<RunwayFill> fill(QString station);

    // "Added from OurAirports (ourairports.com, public domain), runways.csv of 2026-08-22:"
    static QString commentLine(const QDate &fileDate);
    static QString addedMessage(const QString &station);

private:
    DataDir &m_data;
    OpenDataStore &m_store;
    Worker &m_worker;
    MessageBox &m_messages;
    QSet<QString> m_filling;           // airports whose fill is under way
    QHash<QString, QDate> m_notInData; // airports the copy of that date has no runway for
    QSet<QString> m_told;              // airports whose message was shown
};

} // namespace tarvos
