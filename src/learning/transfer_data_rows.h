#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The rows of the transfer data viewer: each instruction of a program with a
// plain description and a row of binary digits standing for its data. The
// digits begin with the viewer's own display number, not the command code.
namespace kq {

struct TransferDataRow {
    QString number;  // counted from 0
    QString description;
    QString data;  // 40 binary digits: display number, variant, p1, p2, p3
    bool operator==(const TransferDataRow &) const = default;
};

// One row per line of programLines between the first and the last line
// ("START" and "END").
std::vector<TransferDataRow> TransferDataRows(const QStringList &programLines);

}  // namespace kq
