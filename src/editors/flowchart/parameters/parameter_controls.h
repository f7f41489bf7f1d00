#pragma once

#include "model/catalogue.h"

#include <QDialog>
#include <QStringList>
#include <QWidget>

#include <optional>

namespace kq {

// What OK gives: the box's parameters and, for a subroutine call, the name
// the pupil gave the chosen subroutine.
struct ParameterChoice {
    ParameterList parameters;
    std::optional<QString> subroutineName;  // routine only
    bool operator==(const ParameterChoice &) const = default;
};

// The variant list, value rows, colour controls and subroutine name of one
// instruction, as the drop dialog and the window's panel both show them.
class ParameterControls final : public QWidget {
    Q_OBJECT

public:
    enum class Mode { Dialog, Panel };

    explicit ParameterControls(Mode mode, QWidget *parent = nullptr);

    // Fills the controls for kind: with the defaults of variant 0 when stored
    // is empty (the dialog), else with the box's stored values (the panel).
    // subroutineNames holds the names of subroutines 1..4.
    void ShowFor(InstructionKind kind, const std::optional<ParameterList> &stored,
                 const QStringList &subroutineNames, int generation);
    // What OK would give now.
    ParameterChoice Choice() const;

signals:
    // OK was pressed.
    void Accepted(const kq::ParameterChoice &choice);
};

// The borderless modal dialog opened when an instruction is dropped; made
// once at start-up and reused.
class ParameterDialog final : public QDialog {
    Q_OBJECT

public:
    explicit ParameterDialog(QWidget *parent = nullptr);

    // Shows the dialog next to dropPoint (global) inside visibleSheet (the
    // sheet's visible area, global) and waits; nullopt when it was closed
    // without OK.
    std::optional<ParameterChoice> Ask(InstructionKind kind, const QStringList &subroutineNames, int generation,
                                       QPoint dropPoint, QRect visibleSheet);
};

}  // namespace kq
