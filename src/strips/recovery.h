#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <optional>

namespace tarvos {

// The strip board as the recovery file keeps it: the five texts and the text colour of each of
// the seven rows, and how much of the board the window showed.
struct BoardSnapshot {
    static constexpr int kRows = 7;
    static constexpr int kColumns = 5;
    struct Row {
        std::array<QString, kColumns> texts;
        int colour = 0;
        bool operator==(const Row &) const = default;
    };
    std::array<Row, kRows> rows;
    int heightTwips = 0;      // the window's height
    bool stripsShown = false; // the board was opened ("DEP", one or two strips)

    bool operator==(const BoardSnapshot &) const = default;
    // Nothing a start-up would not show by itself: every row empty and black, the board hidden.
    bool isPristine(int shortHeightTwips) const;
};

// The recovery file: a JSON document with its format name, its version, the board and the
// SHA-256 of the board's compact form. Anything else, a document cut short or edited by hand
// included, reads as nothing.
inline constexpr int kRecoveryVersion = 1;
QByteArray recoveryDocument(const BoardSnapshot &board);
std::optional<BoardSnapshot> readRecoveryDocument(const QByteArray &document);

} // namespace tarvos
