#include "console/boardfields.h"

#include "console/form1.h"

namespace tarvos {

BoardFields::BoardFields(Form1 &form, QObject *parent) : QObject(parent), m_form(form) {
    for (int r = 0; r < Form1::kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            connect(field(Column(c), r), &QLineEdit::textChanged, this,
                    [this, c, r] { changed(Column(c), r); });
        }
    }
}

void BoardFields::onChange(Column column, std::function<void(int)> handler) {
    m_handlers[column].push_back(std::move(handler));
}

Field *BoardFields::field(Column column, int row) const {
    return m_form.row(row)[column];
}

void BoardFields::changed(Column column, int row) {
    int &depth = m_depth[column][row];
    if (m_quiet > 0 || depth >= kMaxNesting)
        return;
    ++depth;
    for (const auto &handler : m_handlers[column])
        handler(row);
    --depth;
}

} // namespace tarvos
