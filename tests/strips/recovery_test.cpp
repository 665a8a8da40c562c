#include "strips/recovery.h"

#include <gtest/gtest.h>

using namespace tarvos;

namespace {

BoardSnapshot sampleBoard() {
    BoardSnapshot board;
    board.rows[0] = {{"Lufthansa DLH123", "EDDF", "BKD5L", "5052", "Frankfurt \"Main\"\\"}, 255};
    board.rows[4] = {{"a", "", "", "ä€\t\n", ""}, 49152};
    board.heightTwips = 2890;
    board.stripsShown = true;
    return board;
}

} // namespace

TEST(Recovery, DocumentRoundTrip) {
    const BoardSnapshot board = sampleBoard();
    EXPECT_EQ(readRecoveryDocument(recoveryDocument(board)), board);
    EXPECT_EQ(readRecoveryDocument(recoveryDocument(BoardSnapshot{})), BoardSnapshot{});
    EXPECT_FALSE(board.isPristine(1760));
    BoardSnapshot hidden;
    hidden.heightTwips = 1760;
    EXPECT_TRUE(hidden.isPristine(1760));
}

TEST(Recovery, DamagedOrForeignDocumentsReadAsNothing) {
    const QByteArray good = recoveryDocument(sampleBoard());
    struct Case {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"empty", ""},
        {"cut after one byte", good.left(1)},
        {"cut in the middle", good.left(good.size() / 2)},
        {"cut before the last brace", good.left(good.lastIndexOf('}'))},
        {"a text edited", QByteArray(good).replace("EDDF", "EDDM")},
        {"a colour edited", QByteArray(good).replace("49152", "49153")},
        {"another version", QByteArray(good).replace("\"version\": 1", "\"version\": 2")},
        {"another format", QByteArray(good).replace("tarvos-strip-board", "tarvos-strips")},
        {"no checksum", QByteArray(good).replace("\"sha256\"", "\"sha1\"")},
        {"not JSON", "squawk 5052\r\n"},
        {"a JSON array", "[1, 2, 3]"},
    };
    for (const Case &c : cases)
        EXPECT_FALSE(readRecoveryDocument(c.bytes)) << c.name;
}
