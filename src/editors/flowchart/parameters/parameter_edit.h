#pragma once

#include <QLineEdit>

namespace kq {

// A value row's edit: remembers the text it had when it was entered, selects
// everything on a press, and in the dialog takes only digits, "." and
// backspace (control keys such as Enter still reach the dialog).
class ParameterEdit final : public QLineEdit {
    Q_OBJECT

public:
    explicit ParameterEdit(QWidget *parent = nullptr);

    void SetDigitsOnly(bool digitsOnly) { m_digitsOnly = digitsOnly; }
    const QString &EnteredText() const { return m_entered; }
    // Forget what was typed since the edit was entered.
    void RestoreEnteredText() { setText(m_entered); }

signals:
    // The focus went elsewhere: the typed text wants checking.
    void Left();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    bool m_digitsOnly = false;
    QString m_entered;
};

}  // namespace kq
