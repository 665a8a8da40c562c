#pragma once

#include <QCoroTask>
#include <QObject>

namespace tarvos {

class DataDir;
class MessageBox;
class OpenDataStore;
class Worker;

// Makes the aerodrome list ICAO.txt from OurAirports' airports.csv where the data folder has none:
// every aerodrome with a four-letter ICAO code that is not closed, a heliport or a balloon port,
// its name with the town in the "City | Airport" form the destination lookup shows as
// "Airport City". Written in UTF-8, so that every name reads back as the data gives it. A list of
// the controller's own (ICAO.txt or icao.txt) is never touched, not even one that appears while
// the file is being made.
class AerodromeListMaker : public QObject {
    Q_OBJECT
public:
    AerodromeListMaker(DataDir &data, OpenDataStore &store, Worker &worker, MessageBox &messages,
                       QObject *parent = nullptr);

    // At start-up: airports.csv is fetched and read in the background; the console goes on.
    void makeIfMissing();

    static QString createdMessage();

private:
    QCoro::Task<> make();
    bool listExists() const;

    DataDir &m_data;
    OpenDataStore &m_store;
    Worker &m_worker;
    MessageBox &m_messages;
    bool m_making = false;
};

} // namespace tarvos
