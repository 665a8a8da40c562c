#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <vector>

namespace tarvos {

class Field;
class Form1;

// The five fields of the seven strip rows and their change handling. A write into a strip field
// is handled exactly like typing, whoever writes it: every subsystem that reacts to a field
// (the strip board, the assistants, the command words) adds its handler here, and the handlers
// run in the order they were added.
class BoardFields : public QObject {
    Q_OBJECT
public:
    enum Column { Callsign, Dest, Via, Squawk, Remarks };
    static constexpr int kColumns = 5;
    // How deep one field's change handling may re-enter itself (a handler that writes its own
    // field runs again). A code table whose replacement maps back to a code stops here and the
    // field keeps what it holds.
    static constexpr int kMaxNesting = 8;

    explicit BoardFields(Form1 &form, QObject *parent = nullptr);

    void onChange(Column column, std::function<void(int row)> handler);
    Field *field(Column column, int row) const;

    // While one lives, writes into the strip fields run no change handling: a strip put back
    // as it was is shown, not typed (no squawk, no lookup, no log line, no message).
    class [[nodiscard]] Quiet {
    public:
        explicit Quiet(BoardFields &fields) : m_fields(fields) { ++m_fields.m_quiet; }
        ~Quiet() { --m_fields.m_quiet; }
        Quiet(const Quiet &) = delete;
        Quiet &operator=(const Quiet &) = delete;

    private:
        BoardFields &m_fields;
    };

private:
    void changed(Column column, int row);

    Form1 &m_form;
    std::array<std::vector<std::function<void(int)>>, kColumns> m_handlers;
    std::array<std::array<int, 7>, kColumns> m_depth{};
    int m_quiet = 0;
};

} // namespace tarvos
