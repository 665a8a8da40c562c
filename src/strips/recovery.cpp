#include "strips/recovery.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvos {

namespace {

const QString kFormat = QStringLiteral("tarvos-strip-board");

QJsonObject boardObject(const BoardSnapshot &board) {
    QJsonArray rows;
    for (const BoardSnapshot::Row &row : board.rows) {
        QJsonArray texts;
        for (const QString &text : row.texts)
            texts.append(text);
        rows.append(
            QJsonObject{{QStringLiteral("texts"), texts}, {QStringLiteral("colour"), row.colour}});
    }
    return QJsonObject{{QStringLiteral("rows"), rows},
                       {QStringLiteral("height"), board.heightTwips},
                       {QStringLiteral("shown"), board.stripsShown}};
}

QString checksum(const QJsonObject &board) {
    const QByteArray compact = QJsonDocument(board).toJson(QJsonDocument::Compact);
    return QString::fromLatin1(
        QCryptographicHash::hash(compact, QCryptographicHash::Sha256).toHex());
}

// A whole number that fits an int, as the writer wrote it.
std::optional<int> wholeNumber(const QJsonValue &value) {
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number < -2147483648.0 || number > 2147483647.0 || number != static_cast<int>(number))
        return std::nullopt;
    return static_cast<int>(number);
}

std::optional<BoardSnapshot> readBoard(const QJsonObject &object) {
    BoardSnapshot board;
    const QJsonArray rows = object.value(QStringLiteral("rows")).toArray();
    if (rows.size() != BoardSnapshot::kRows)
        return std::nullopt;
    for (int r = 0; r < BoardSnapshot::kRows; ++r) {
        const QJsonObject row = rows[r].toObject();
        const QJsonArray texts = row.value(QStringLiteral("texts")).toArray();
        const std::optional<int> colour = wholeNumber(row.value(QStringLiteral("colour")));
        if (texts.size() != BoardSnapshot::kColumns || !colour)
            return std::nullopt;
        for (int c = 0; c < BoardSnapshot::kColumns; ++c) {
            if (!texts[c].isString())
                return std::nullopt;
            board.rows[r].texts[c] = texts[c].toString();
        }
        board.rows[r].colour = *colour;
    }
    const std::optional<int> height = wholeNumber(object.value(QStringLiteral("height")));
    const QJsonValue shown = object.value(QStringLiteral("shown"));
    if (!height || !shown.isBool())
        return std::nullopt;
    board.heightTwips = *height;
    board.stripsShown = shown.toBool();
    return board;
}

} // namespace

bool BoardSnapshot::isPristine(int shortHeightTwips) const {
    if (stripsShown || heightTwips != shortHeightTwips)
        return false;
    for (const Row &row : rows) {
        if (row != Row{})
            return false;
    }
    return true;
}

QByteArray recoveryDocument(const BoardSnapshot &board) {
    const QJsonObject object = boardObject(board);
    return QJsonDocument(QJsonObject{{QStringLiteral("format"), kFormat},
                                     {QStringLiteral("version"), kRecoveryVersion},
                                     {QStringLiteral("board"), object},
                                     {QStringLiteral("sha256"), checksum(object)}})
        .toJson(QJsonDocument::Indented);
}

std::optional<BoardSnapshot> readRecoveryDocument(const QByteArray &document) {
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(document, &error);
    if (error.error != QJsonParseError::NoError || !json.isObject())
        return std::nullopt;
    const QJsonObject top = json.object();
    if (top.value(QStringLiteral("format")).toString() != kFormat ||
        wholeNumber(top.value(QStringLiteral("version"))) != kRecoveryVersion)
        return std::nullopt;
    const QJsonObject object = top.value(QStringLiteral("board")).toObject();
    if (top.value(QStringLiteral("sha256")).toString() != checksum(object))
        return std::nullopt;
    return readBoard(object);
}

} // namespace tarvos
