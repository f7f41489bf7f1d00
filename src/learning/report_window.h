#pragma once

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

protected:
    void showEvent(QShowEvent *event) override;

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
};

// Hands the work to the report window and shows it, not modal, centred over
// the caller.
void OpenReport(WindowRegistry &windows, QWidget *caller, const ReportWork &work);

}  // namespace kq
