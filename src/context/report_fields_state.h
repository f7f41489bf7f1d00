#pragma once

#include "model/report_fields.h"

#include <QObject>

// The pupil's report data while the studio runs: every program file carries
// it, the report window edits it, and the editors' unsaved-work checks
// compare it. Open windows listen for the change instead of polling.
namespace kq {

class ReportFieldsState final : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    const ReportFields &Value() const { return m_value; }
    // Emits Changed when the fields differ.
    void Set(const ReportFields &fields)
    {
        if (fields == m_value)
            return;
        m_value = fields;
        emit Changed();
    }

signals:
    void Changed();

private:
    ReportFields m_value;
};

}  // namespace kq
