#pragma once

#include "base/recovery_writer.h"
#include "learning/report_builder.h"
#include "services/dialog_folder.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QStackedWidget;
class QTextBrowser;

namespace kq {

class StudioContext;
class WindowRegistry;

// The window's name in its recovery copies, and how the offer names it.
inline const QString kReportRecoveryWindow = QStringLiteral("Report");
inline const QString kReportRecoveryCaption = QStringLiteral("レポート作成");

// The report window: the pupil's report fields on the input page, the built
// report on the preview page, printed or saved from there. Made once; the
// fields live in the studio context, so they stay from one report to the next.
class ReportWindow final : public QDialog {
    Q_OBJECT

public:
    explicit ReportWindow(StudioContext &context, QWidget *parent = nullptr);

    // The work of the next report, set by the editor before it shows the window.
    void SetWork(const ReportWork &work);

    // The three commands, also run by tests.
    void Next();
    void Print();
    void Save();
    void BackToInput();

    RecoveryWriter &Recovery() { return m_recovery; }
    // Puts the fields of a recovery copy back into the shared fields (and so
    // into the boxes); false when the copy holds no fields.
    bool Restore(const RecoveryCopy &copy);

protected:
    void showEvent(QShowEvent *event) override;
    // Closed normally: what was typed lives on in the shared fields, which
    // the editors' files carry.
    void hideEvent(QHideEvent *event) override;

private:
    // The built report written to the temporary folder and shown; nullopt
    // when the fields or the template are missing (the message was shown).
    std::optional<QStringList> Build();
    void ShowFields();
    void StoreFields();
    ReportFields ShownFields() const;

    StudioContext &m_context;
    ReportWork m_work;
    DialogFolder m_fileFolder;
    QStackedWidget *m_pages = nullptr;
    QLineEdit *m_year = nullptr;
    QLineEdit *m_group = nullptr;
    QLineEdit *m_number = nullptr;
    QLineEdit *m_name = nullptr;
    QPlainTextEdit *m_title = nullptr;
    QPlainTextEdit *m_conception = nullptr;
    QPlainTextEdit *m_features = nullptr;
    QPlainTextEdit *m_ingenuity = nullptr;
    QPlainTextEdit *m_impressions = nullptr;
    QTextBrowser *m_preview = nullptr;
    bool m_showingFields = false;  // the boxes follow the shared fields, not the other way
    RecoveryWriter m_recovery;
};

// Hands the work to the report window and shows it, not modal, centred over
// the caller.
void OpenReport(WindowRegistry &windows, QWidget *caller, const ReportWork &work);

}  // namespace kq
