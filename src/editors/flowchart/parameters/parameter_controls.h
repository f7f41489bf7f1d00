#pragma once

#include "editors/flowchart/parameters/parameter_rows.h"
#include "model/catalogue.h"

#include <QDialog>
#include <QStringList>
#include <QWidget>

#include <array>
#include <optional>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

namespace kq {

class ParameterEdit;

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
    enum class Mode {
        Dialog,
        Panel
    };

    explicit ParameterControls(Mode mode, QWidget *parent = nullptr);
    ~ParameterControls() override;

    // Fills the controls for kind: with the defaults of variant 0 when stored
    // is empty (the dialog), else with the box's stored values (the panel).
    // subroutineNames holds the names of subroutines 1..4.
    void ShowFor(InstructionKind kind, const std::optional<ParameterList> &stored, const QStringList &subroutineNames,
                 int generation);
    // What OK would give now.
    ParameterChoice Choice() const;

signals:
    // OK was pressed.
    void Accepted(const kq::ParameterChoice &choice);
    // "キャンセル" was pressed (dialog only).
    void Cancelled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct RowWidgets {
        QLabel *caption = nullptr;
        ParameterEdit *edit = nullptr;
        QLabel *unit = nullptr;
        QSlider *bar = nullptr;
    };

    void BuildRows();
    void BuildColourControls();
    void SetUpVariant(int variant);
    void HideValueControls();
    void RowMoved(int row);
    void EditLeft(int row);
    void CheckFocusedEdit();
    void ColourNameChosen(int index);
    void SetSwatch(const Rgb &colour);
    void Ok();
    int Variant() const;

    Mode m_mode;
    InstructionKind m_kind = InstructionKind::FullTime;
    int m_generation = kCurrentGeneration;
    std::optional<ParameterList> m_stored;
    QStringList m_subroutineNames;
    RowSetup m_rows;
    Rgb m_swatch;

    QComboBox *m_variants = nullptr;
    std::array<RowWidgets, kValueRows> m_rowWidgets;
    QComboBox *m_colourNames = nullptr;
    QFrame *m_swatchPanel = nullptr;
    QFrame *m_colourButtonPanel = nullptr;
    std::array<QPushButton *, kPaletteSize> m_colourButtons {};
    QFrame *m_subroutinePanel = nullptr;
    QLineEdit *m_subroutineName = nullptr;
    QPushButton *m_ok = nullptr;
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

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    ParameterControls *m_controls = nullptr;
    std::optional<ParameterChoice> m_result;
    // Where the background was pressed, relative to the dialog's corner.
    std::optional<QPoint> m_dragOffset;
};

}  // namespace kq
